#include "editors/filter_condition_operators.h"

#include <array>

#include "data/filter_texts.h"

namespace {

struct TOperatorInfo {
  const TlxResourceString* caption;
  TlxFilterOperatorKind kind;
};

// Indexed by operator; entry 0 is "none".
constexpr std::array<TOperatorInfo, kLxLastFilterConditionOperator + 1> kOperators = {{
    {nullptr, fokEqual},
    {&lxSFilterOperatorEqual, fokEqual},
    {&lxSFilterOperatorNotEqual, fokNotEqual},
    {&lxSFilterOperatorLess, fokLess},
    {&lxSFilterOperatorLessEqual, fokLessEqual},
    {&lxSFilterOperatorGreater, fokGreater},
    {&lxSFilterOperatorGreaterEqual, fokGreaterEqual},
    {&lxSFilterOperatorLike, fokLike},
    {&lxSFilterOperatorNotLike, fokNotLike},
    {&lxSFilterOperatorIsNull, fokEqual},
    {&lxSFilterOperatorIsNotNull, fokNotEqual},
    {&lxSFilterOperatorBetween, fokBetween},
    {&lxSFilterOperatorNotBetween, fokNotBetween},
    {&lxSFilterOperatorInList, fokInList},
    {&lxSFilterOperatorNotInList, fokNotInList},
    {&lxSFilterOperatorYesterday, fokYesterday},
    {&lxSFilterOperatorToday, fokToday},
    {&lxSFilterOperatorTomorrow, fokTomorrow},
    {&lxSFilterOperatorLast7Days, fokLast7Days},
    {&lxSFilterOperatorLastWeek, fokLastWeek},
    {&lxSFilterOperatorLast14Days, fokLast14Days},
    {&lxSFilterOperatorLastTwoWeeks, fokLastTwoWeeks},
    {&lxSFilterOperatorLast30Days, fokLast30Days},
    {&lxSFilterOperatorLastMonth, fokLastMonth},
    {&lxSFilterOperatorLastYear, fokLastYear},
    {&lxSFilterOperatorPast, fokInPast},
    {&lxSFilterOperatorThisWeek, fokThisWeek},
    {&lxSFilterOperatorThisMonth, fokThisMonth},
    {&lxSFilterOperatorThisYear, fokThisYear},
    {&lxSFilterOperatorNext7Days, fokNext7Days},
    {&lxSFilterOperatorNextWeek, fokNextWeek},
    {&lxSFilterOperatorNext14Days, fokNext14Days},
    {&lxSFilterOperatorNextTwoWeeks, fokNextTwoWeeks},
    {&lxSFilterOperatorNext30Days, fokNext30Days},
    {&lxSFilterOperatorNextMonth, fokNextMonth},
    {&lxSFilterOperatorNextYear, fokNextYear},
    {&lxSFilterOperatorFuture, fokInFuture},
}};

}  // namespace

void lxRaiseFilterControlError(const std::string& message) { throw ElxFilterControlError(message); }

std::string lxFilterOperatorText(TlxFilterConditionOperator op) {
  if (op == fcoNone || op > kLxLastFilterConditionOperator)
    return {};
  return lxGetFilterResString(*kOperators[op].caption);
}

TlxFilterOperatorKind lxFilterOperatorToKind(TlxFilterConditionOperator op) {
  if (op > kLxLastFilterConditionOperator)
    return fokEqual;
  return kOperators[op].kind;
}

TlxFilterConditionOperator lxFilterKindToOperator(TlxFilterOperatorKind kind, bool is_null) {
  if (kind == fokNull || (is_null && kind == fokEqual))
    return fcoBlanks;
  if (kind == fokNotNull || (is_null && kind == fokNotEqual))
    return fcoNonBlanks;
  for (TlxFilterConditionOperator op = fcoEqual; op <= kLxLastFilterConditionOperator; ++op) {
    if (op != fcoBlanks && op != fcoNonBlanks && kOperators[op].kind == kind)
      return op;
  }
  return fcoNone;
}
