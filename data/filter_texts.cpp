#include "data/filter_texts.h"

#include <utility>

namespace {

constexpr TlxStringResource kFilterTexts[] = {
    {&lxSFilterOperatorEqual, "equals"},
    {&lxSFilterOperatorNotEqual, "does not equal"},
    {&lxSFilterOperatorLess, "is less than"},
    {&lxSFilterOperatorLessEqual, "is less than or equal to"},
    {&lxSFilterOperatorGreater, "is greater than"},
    {&lxSFilterOperatorGreaterEqual, "is greater than or equal to"},
    {&lxSFilterOperatorLike, "like"},
    {&lxSFilterOperatorNotLike, "not like"},
    {&lxSFilterOperatorBetween, "between"},
    {&lxSFilterOperatorNotBetween, "not between"},
    {&lxSFilterOperatorInList, "in"},
    {&lxSFilterOperatorNotInList, "not in"},
    {&lxSFilterOperatorYesterday, "is yesterday"},
    {&lxSFilterOperatorToday, "is today"},
    {&lxSFilterOperatorTomorrow, "is tomorrow"},
    {&lxSFilterOperatorLast7Days, "is last 7 days"},
    {&lxSFilterOperatorLastWeek, "is last week"},
    {&lxSFilterOperatorLast14Days, "is last 14 days"},
    {&lxSFilterOperatorLastTwoWeeks, "is last two weeks"},
    {&lxSFilterOperatorLast30Days, "is last 30 days"},
    {&lxSFilterOperatorLastMonth, "is last month"},
    {&lxSFilterOperatorLastYear, "is last year"},
    {&lxSFilterOperatorPast, "is past"},
    {&lxSFilterOperatorThisWeek, "is this week"},
    {&lxSFilterOperatorThisMonth, "is this month"},
    {&lxSFilterOperatorThisYear, "is this year"},
    {&lxSFilterOperatorNext7Days, "is next 7 days"},
    {&lxSFilterOperatorNextWeek, "is next week"},
    {&lxSFilterOperatorNext14Days, "is next 14 days"},
    {&lxSFilterOperatorNextTwoWeeks, "is next two weeks"},
    {&lxSFilterOperatorNext30Days, "is next 30 days"},
    {&lxSFilterOperatorNextMonth, "is next month"},
    {&lxSFilterOperatorNextYear, "is next year"},
    {&lxSFilterOperatorFuture, "is future"},
    {&lxSFilterAndCaption, "and"},
    {&lxSFilterOrCaption, "or"},
    {&lxSFilterNotCaption, "not"},
    {&lxSFilterBlankCaption, "blank"},
    {&lxSFilterOperatorIsNull, "is blank"},
    {&lxSFilterOperatorIsNotNull, "is not blank"},
    {&lxSFilterOperatorBeginsWith, "begins with"},
    {&lxSFilterOperatorDoesNotBeginWith, "does not begin with"},
    {&lxSFilterOperatorEndsWith, "ends with"},
    {&lxSFilterOperatorDoesNotEndWith, "does not end with"},
    {&lxSFilterOperatorContains, "contains"},
    {&lxSFilterOperatorDoesNotContain, "does not contain"},
    {&lxSFilterBoxAllCaption, "(All)"},
    {&lxSFilterBoxCustomCaption, "(Custom...)"},
    {&lxSFilterBoxBlanksCaption, "(Blanks)"},
    {&lxSFilterBoxNonBlanksCaption, "(NonBlanks)"},
};

TlxFilterResStringHook& Hook() {
  static TlxFilterResStringHook hook;
  return hook;
}

}  // namespace

std::span<const TlxStringResource> lxFilterStringTable() { return kFilterTexts; }

void lxRegisterFilterStrings() {
  static const bool registered = [] {
    lxRegisterProductStrings(kLxDataFilterProductKey, kFilterTexts);
    return true;
  }();
  (void)registered;
}

void lxSetFilterResStringHook(TlxFilterResStringHook hook) { Hook() = std::move(hook); }

std::string lxGetFilterResString(const TlxResourceString& record) {
  lxRegisterFilterStrings();
  if (Hook())
    return Hook()(record);
  return lxLookupResString(record);
}
