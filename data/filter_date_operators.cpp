// The relative date kinds of the filter: each computes its half-open range
// [Date1, Date2) from today whenever the criteria prepares its operators, so
// that a filter built yesterday and applied today uses today's dates.
#include "data/data_utils.h"
#include "data/filter_operators.h"
#include "data/filter_texts.h"
#include "platform/rtl/date_time.h"

namespace {

TDateTime Today() { return DateOf(Date()); }

TDateTime WeekStart() { return lxGetStartOfWeek(Today()); }

// The first day of the month `months` after today's (negative: before).
TDateTime FirstOfMonth(int months) {
  const TDateParts today = DecodeDateParts(Today());
  const int index = today.year * 12 + (today.month - 1) + months;
  return EncodeDate(index / 12, index % 12 + 1, 1);
}

TDateTime FirstOfYear(int years) { return EncodeDate(DecodeDateParts(Today()).year + years, 1, 1); }

std::string Word(const TlxResourceString& record) { return lxGetFilterResString(record); }

}  // namespace

std::string TlxFilterDateOperator::ExpressionValueText(const Variant&) const {
  const std::string field = Criteria()->ItemFieldText(*CriteriaItem(), false);
  std::string text;
  if (date1_ != 0)
    text = "(" + field + " >= " + ValueToFilterText(Variant::FromDate(date1_)) + ")";
  if (date2_ != 0) {
    if (!text.empty())
      text += " AND ";
    text += "(" + field + " < " + ValueToFilterText(Variant::FromDate(date2_)) + ")";
  }
  return text;
}

bool TlxFilterDateOperator::Evaluate(const Variant& value, const Variant&) const {
  if (Criteria()->IsNullValue(value))
    return false;
  if (date1_ != 0 && VarCompare(value, Variant::FromDate(date1_)) < 0)
    return false;
  if (date2_ != 0 && VarCompare(value, Variant::FromDate(date2_)) >= 0)
    return false;
  return true;
}

void TlxFilterLastNDaysOperator::Prepare() {
  const TDateTime end = lxIncludeTodayInRelativeDays() ? Today() + 1 : Today();
  SetRange(end - DayCount(), end);
}

void TlxFilterNextNDaysOperator::Prepare() {
  const TDateTime start = lxIncludeTodayInRelativeDays() ? Today() : Today() + 1;
  SetRange(start, start + DayCount());
}

void TlxFilterYesterdayOperator::Prepare() { SetRange(Today() - 1, Today()); }
void TlxFilterTodayOperator::Prepare() { SetRange(Today(), Today() + 1); }
void TlxFilterTomorrowOperator::Prepare() { SetRange(Today() + 1, Today() + 2); }
void TlxFilterLastWeekOperator::Prepare() { SetRange(WeekStart() - 7, WeekStart()); }
void TlxFilterLastTwoWeeksOperator::Prepare() { SetRange(WeekStart() - 14, WeekStart()); }
void TlxFilterLastMonthOperator::Prepare() { SetRange(FirstOfMonth(-1), FirstOfMonth(0)); }
void TlxFilterLastYearOperator::Prepare() { SetRange(FirstOfYear(-1), FirstOfYear(0)); }
void TlxFilterInPastOperator::Prepare() { SetRange(0, Today()); }
void TlxFilterThisWeekOperator::Prepare() { SetRange(WeekStart(), WeekStart() + 7); }
void TlxFilterThisMonthOperator::Prepare() { SetRange(FirstOfMonth(0), FirstOfMonth(1)); }
void TlxFilterThisYearOperator::Prepare() { SetRange(FirstOfYear(0), FirstOfYear(1)); }
void TlxFilterNextWeekOperator::Prepare() { SetRange(WeekStart() + 7, WeekStart() + 14); }
void TlxFilterNextTwoWeeksOperator::Prepare() { SetRange(WeekStart() + 7, WeekStart() + 21); }
void TlxFilterNextMonthOperator::Prepare() { SetRange(FirstOfMonth(1), FirstOfMonth(2)); }
void TlxFilterNextYearOperator::Prepare() { SetRange(FirstOfYear(1), FirstOfYear(2)); }
void TlxFilterInFutureOperator::Prepare() { SetRange(Today() + 1, 0); }

std::string TlxFilterYesterdayOperator::DescriptionText() const { return Word(lxSFilterOperatorYesterday); }
std::string TlxFilterTodayOperator::DescriptionText() const { return Word(lxSFilterOperatorToday); }
std::string TlxFilterTomorrowOperator::DescriptionText() const { return Word(lxSFilterOperatorTomorrow); }
std::string TlxFilterLast7DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorLast7Days); }
std::string TlxFilterLastWeekOperator::DescriptionText() const { return Word(lxSFilterOperatorLastWeek); }
std::string TlxFilterLast14DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorLast14Days); }
std::string TlxFilterLastTwoWeeksOperator::DescriptionText() const { return Word(lxSFilterOperatorLastTwoWeeks); }
std::string TlxFilterLast30DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorLast30Days); }
std::string TlxFilterLastMonthOperator::DescriptionText() const { return Word(lxSFilterOperatorLastMonth); }
std::string TlxFilterLastYearOperator::DescriptionText() const { return Word(lxSFilterOperatorLastYear); }
std::string TlxFilterInPastOperator::DescriptionText() const { return Word(lxSFilterOperatorPast); }
std::string TlxFilterThisWeekOperator::DescriptionText() const { return Word(lxSFilterOperatorThisWeek); }
std::string TlxFilterThisMonthOperator::DescriptionText() const { return Word(lxSFilterOperatorThisMonth); }
std::string TlxFilterThisYearOperator::DescriptionText() const { return Word(lxSFilterOperatorThisYear); }
std::string TlxFilterNext7DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorNext7Days); }
std::string TlxFilterNextWeekOperator::DescriptionText() const { return Word(lxSFilterOperatorNextWeek); }
std::string TlxFilterNext14DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorNext14Days); }
std::string TlxFilterNextTwoWeeksOperator::DescriptionText() const { return Word(lxSFilterOperatorNextTwoWeeks); }
std::string TlxFilterNext30DaysOperator::DescriptionText() const { return Word(lxSFilterOperatorNext30Days); }
std::string TlxFilterNextMonthOperator::DescriptionText() const { return Word(lxSFilterOperatorNextMonth); }
std::string TlxFilterNextYearOperator::DescriptionText() const { return Word(lxSFilterOperatorNextYear); }
std::string TlxFilterInFutureOperator::DescriptionText() const { return Word(lxSFilterOperatorFuture); }

const TClass* lxFilterOperatorClassOfKind(TlxFilterOperatorKind kind) {
  static constexpr const TClass* kClasses[] = {
      &TlxFilterEqualOperator::kClass,        &TlxFilterNotEqualOperator::kClass,
      &TlxFilterLessOperator::kClass,         &TlxFilterLessEqualOperator::kClass,
      &TlxFilterGreaterOperator::kClass,      &TlxFilterGreaterEqualOperator::kClass,
      &TlxFilterLikeOperator::kClass,         &TlxFilterNotLikeOperator::kClass,
      &TlxFilterBetweenOperator::kClass,      &TlxFilterNotBetweenOperator::kClass,
      &TlxFilterInListOperator::kClass,       &TlxFilterNotInListOperator::kClass,
      &TlxFilterYesterdayOperator::kClass,    &TlxFilterTodayOperator::kClass,
      &TlxFilterTomorrowOperator::kClass,     &TlxFilterLast7DaysOperator::kClass,
      &TlxFilterLastWeekOperator::kClass,     &TlxFilterLast14DaysOperator::kClass,
      &TlxFilterLastTwoWeeksOperator::kClass, &TlxFilterLast30DaysOperator::kClass,
      &TlxFilterLastMonthOperator::kClass,    &TlxFilterLastYearOperator::kClass,
      &TlxFilterInPastOperator::kClass,       &TlxFilterThisWeekOperator::kClass,
      &TlxFilterThisMonthOperator::kClass,    &TlxFilterThisYearOperator::kClass,
      &TlxFilterNext7DaysOperator::kClass,    &TlxFilterNextWeekOperator::kClass,
      &TlxFilterNext14DaysOperator::kClass,   &TlxFilterNextTwoWeeksOperator::kClass,
      &TlxFilterNext30DaysOperator::kClass,   &TlxFilterNextMonthOperator::kClass,
      &TlxFilterNextYearOperator::kClass,     &TlxFilterInFutureOperator::kClass,
      &TlxFilterNullOperator::kClass,         &TlxFilterNotNullOperator::kClass,
  };
  if (kind > kLxLastFilterOperatorKind)
    return nullptr;
  return kClasses[kind];
}
