#include "grid/grid_date_range.h"

#include <algorithm>

#include "data/data_utils.h"
#include "data/date_arithmetic.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"

namespace {

constexpr double kWeekGroupOffset = 0.1;
constexpr double kMonthGroupOffset = 0.2;
constexpr double kYearGroupOffset = 0.3;

// The formats of a collection without settings: the settings' defaults.
class TDefaultFormats final : public IlxGridDateTimeFormats {
 public:
  std::string GetHourFormat() const override { return values_.HourFormatInUse(); }
  std::string GetDateFormat() const override { return values_.DateFormatInUse(); }
  std::string GetMonthFormat() const override { return values_.MonthFormatInUse(); }
  std::string GetYearFormat() const override { return values_.YearFormatInUse(); }

 private:
  TlxGridDateTimeFormatValues values_;
};

// An empty format gives an empty caption: the view then shows the value's
// own display text.
std::string FormatOrEmpty(const std::string& format, TDateTime value) {
  return format.empty() ? std::string() : FormatDateTime(format, value);
}

}  // namespace

TlxCustomGridDateRange::~TlxCustomGridDateRange() {
  if (owner_ != nullptr)
    owner_->Forget(this);
}

Variant TlxCustomGridDateRange::GetFilterValue(bool /*date_only*/, TDateTime date) const {
  return GetGroupValue(date);
}

Variant TlxCustomGridDateRange::GetOrderValue(TDateTime date) const {
  if (OrdersByTimeOfDay())
    return Variant::FromDate(lxTimeOfDateTime(date));
  return GetGroupValue(date);
}

bool TlxCustomGridDateRange::OrdersByTimeOfDay() const { return false; }

bool TlxCustomGridDateRange::UsesTimeOfDay() const { return OrdersByTimeOfDay(); }

const TlxGridDateRanges& TlxCustomGridDateRange::Ranges() const {
  if (owner_ == nullptr)
    throw EInvalidOperation(std::string(ClassName()) + " belongs to no date range collection");
  return *owner_;
}

TlxGridDateRanges::~TlxGridDateRanges() { Clear(); }

void TlxGridDateRanges::CaptureToday() {
  today_ = Date();
  start_of_this_week_ = lxGetStartOfWeek(today_);
  const TDateParts parts = DecodeDateParts(today_);
  this_year_ = static_cast<int16_t>(parts.year);
  this_month_ = static_cast<int16_t>(parts.month);
  this_day_ = static_cast<int16_t>(parts.day);
  this_month_ordinal_ = lxMonthOrdinal(today_);
}

void TlxGridDateRanges::Prepare(const IlxGridDateTimeFormats* settings) {
  settings_ = settings;
  CaptureToday();
  Clear();
}

TlxCustomGridDateRange* TlxGridDateRanges::Items(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return items_[static_cast<size_t>(index)];
}

TlxCustomGridDateRange* TlxGridDateRanges::AddRange(std::unique_ptr<TlxCustomGridDateRange> range) {
  if (range == nullptr)
    throw EInvalidOperation("A date range collection cannot hold a null range");
  items_.push_back(range.get());
  range->owner_ = this;
  return range.release();
}

TlxCustomGridDateRange* TlxGridDateRanges::AddRangeOfClass(TlxGridDateRangeClass range_class) {
  if (range_class == nullptr || !range_class->InheritsFrom(&TlxCustomGridDateRange::kClass))
    throw EInvalidOperation("Not a date range class");
  return AddRange(CreateUnowned<TlxCustomGridDateRange>(range_class));
}

std::unique_ptr<TlxCustomGridDateRange> TlxGridDateRanges::RemoveRange(TlxCustomGridDateRange* range) {
  if (range == nullptr || range->owner_ != this)
    return nullptr;
  Forget(range);
  range->owner_ = nullptr;
  return std::unique_ptr<TlxCustomGridDateRange>(range);
}

void TlxGridDateRanges::Clear() {
  while (!items_.empty())
    delete items_.back();  // its destructor takes it out of the list
}

void TlxGridDateRanges::Forget(TlxCustomGridDateRange* range) {
  const auto found = std::find(items_.begin(), items_.end(), range);
  if (found != items_.end())
    items_.erase(found);
}

TlxCustomGridDateRange* TlxGridDateRanges::FindRangeFor(TDateTime date) const {
  for (TlxCustomGridDateRange* range : items_)
    if (range->Includes(date))
      return range;
  return nullptr;
}

bool TlxGridDateRanges::AnyOrdersByTimeOfDay() const {
  return std::any_of(items_.begin(), items_.end(), [](const auto* range) { return range->OrdersByTimeOfDay(); });
}

bool TlxGridDateRanges::AnyUsesTimeOfDay() const {
  return std::any_of(items_.begin(), items_.end(), [](const auto* range) { return range->UsesTimeOfDay(); });
}

const IlxGridDateTimeFormats& TlxGridDateRanges::Formats() const {
  static const TDefaultFormats defaults;
  return settings_ != nullptr ? *settings_ : defaults;
}

void TlxGridFilteringDateRanges::Build(const IlxGridDateTimeFormats* settings, TlxGridDateTimeFilters filters) {
  Prepare(settings);
  if (lxHasDateTimeFilter(filters, dtfYears))
    AddRange(std::make_unique<TlxGridYearRange>());
  if (lxHasDateTimeFilter(filters, dtfMonths))
    AddRange(std::make_unique<TlxGridMonthRange>());
}

void TlxGridGroupingDateRanges::Build(const IlxGridDateTimeFormats* settings, TlxGridDateTimeGrouping grouping) {
  Prepare(settings);
  switch (grouping) {
    case dtgRelativeToToday:
      // Days before weeks before months before years: a date takes the
      // narrowest period it belongs to.
      AddRange(std::make_unique<TlxGridYesterdayRange>());
      AddRange(std::make_unique<TlxGridTodayRange>());
      AddRange(std::make_unique<TlxGridTomorrowRange>());
      AddRange(std::make_unique<TlxGridLastWeekRange>());
      AddRange(std::make_unique<TlxGridThisWeekRange>());
      AddRange(std::make_unique<TlxGridNextWeekRange>());
      AddRange(std::make_unique<TlxGridLastMonthRange>());
      AddRange(std::make_unique<TlxGridThisMonthRange>());
      AddRange(std::make_unique<TlxGridNextMonthRange>());
      AddRange(std::make_unique<TlxGridLastYearRange>());
      AddRange(std::make_unique<TlxGridThisYearRange>());
      AddRange(std::make_unique<TlxGridNextYearRange>());
      break;
    case dtgByHour:
      AddRange(std::make_unique<TlxGridHourRange>());
      break;
    case dtgByDate:
      AddRange(std::make_unique<TlxGridDayRange>());
      break;
    case dtgByMonth:
      AddRange(std::make_unique<TlxGridMonthRange>());
      break;
    case dtgByYear:
      AddRange(std::make_unique<TlxGridYearRange>());
      break;
    case dtgDefault:
    case dtgByDateAndTime:
      break;
  }
}

bool TlxGridHourRange::Includes(TDateTime /*date*/) const { return true; }

std::string TlxGridHourRange::GetDisplayTextFor(TDateTime date) const {
  return FormatOrEmpty(Ranges().Formats().GetHourFormat(), GetGroupValue(date).AsDateTime());
}

Variant TlxGridHourRange::GetGroupValue(TDateTime date) const {
  return Variant::FromDate(EncodeTime(DecodeTimeParts(date).hour, 0, 0, 0));
}

bool TlxGridHourRange::OrdersByTimeOfDay() const { return true; }

bool TlxGridDayRange::Includes(TDateTime /*date*/) const { return true; }

std::string TlxGridDayRange::GetDisplayTextFor(TDateTime date) const {
  return FormatOrEmpty(Ranges().Formats().GetDateFormat(), date);
}

Variant TlxGridDayRange::GetGroupValue(TDateTime date) const { return Variant::FromDate(date); }

bool TlxGridMonthRange::Includes(TDateTime /*date*/) const { return true; }

std::string TlxGridMonthRange::GetDisplayTextFor(TDateTime date) const {
  return FormatOrEmpty(Ranges().Formats().GetMonthFormat(), date);
}

Variant TlxGridMonthRange::GetFilterValue(bool date_only, TDateTime date) const {
  return lxMakeVariantPair(Variant::FromDate(lxFirstDayOfMonth(date)),
                           Variant::FromDate(lxLastDayOfMonth(date_only, date)));
}

Variant TlxGridMonthRange::GetGroupValue(TDateTime date) const { return Variant::FromDate(lxFirstDayOfMonth(date)); }

bool TlxGridYearRange::Includes(TDateTime /*date*/) const { return true; }

std::string TlxGridYearRange::GetDisplayTextFor(TDateTime date) const {
  return FormatOrEmpty(Ranges().Formats().GetYearFormat(), date);
}

Variant TlxGridYearRange::GetFilterValue(bool date_only, TDateTime date) const {
  return lxMakeVariantPair(Variant::FromDate(lxFirstDayOfYear(date)),
                           Variant::FromDate(lxLastDayOfYear(date_only, date)));
}

Variant TlxGridYearRange::GetGroupValue(TDateTime date) const { return Variant::FromDate(lxFirstDayOfYear(date)); }

std::string TlxGridRelativeDateRange::GetDisplayTextFor(TDateTime /*date*/) const { return lxGridText(Caption()); }

bool TlxGridDayOffsetRange::Includes(TDateTime date) const { return date == Ranges().Today() + Offset(); }

Variant TlxGridDayOffsetRange::GetGroupValue(TDateTime date) const { return Variant::FromDate(date); }

bool TlxGridWeekOffsetRange::Includes(TDateTime date) const {
  return lxGetStartOfWeek(date) == Ranges().StartOfThisWeek() + 7.0 * Offset();
}

Variant TlxGridWeekOffsetRange::GetGroupValue(TDateTime date) const {
  return Variant(lxGetStartOfWeek(date) + kWeekGroupOffset);
}

bool TlxGridMonthOffsetRange::Includes(TDateTime date) const {
  return lxMonthOrdinal(date) == Ranges().ThisMonthOrdinal() + Offset();
}

Variant TlxGridMonthOffsetRange::GetGroupValue(TDateTime date) const {
  return Variant(lxFirstDayOfMonth(date) + kMonthGroupOffset);
}

bool TlxGridYearOffsetRange::Includes(TDateTime date) const {
  return DecodeDateParts(date).year == Ranges().ThisYear() + Offset();
}

Variant TlxGridYearOffsetRange::GetGroupValue(TDateTime date) const {
  return Variant(lxFirstDayOfYear(date) + kYearGroupOffset);
}
