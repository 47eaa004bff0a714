#pragma once
// The filter's words, registered under the product key "LxDataFilter":
// the operator descriptions, "and", "or", "not", "blank", the pattern
// descriptions and the drop-down captions. Every text is fetched through
// lxGetFilterResString, which a program may route through a replacement
// procedure.

#include <functional>
#include <span>
#include <string>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString lxSFilterOperatorEqual{"lxSFilterOperatorEqual"};
inline constexpr TlxResourceString lxSFilterOperatorNotEqual{"lxSFilterOperatorNotEqual"};
inline constexpr TlxResourceString lxSFilterOperatorLess{"lxSFilterOperatorLess"};
inline constexpr TlxResourceString lxSFilterOperatorLessEqual{"lxSFilterOperatorLessEqual"};
inline constexpr TlxResourceString lxSFilterOperatorGreater{"lxSFilterOperatorGreater"};
inline constexpr TlxResourceString lxSFilterOperatorGreaterEqual{"lxSFilterOperatorGreaterEqual"};
inline constexpr TlxResourceString lxSFilterOperatorLike{"lxSFilterOperatorLike"};
inline constexpr TlxResourceString lxSFilterOperatorNotLike{"lxSFilterOperatorNotLike"};
inline constexpr TlxResourceString lxSFilterOperatorBetween{"lxSFilterOperatorBetween"};
inline constexpr TlxResourceString lxSFilterOperatorNotBetween{"lxSFilterOperatorNotBetween"};
inline constexpr TlxResourceString lxSFilterOperatorInList{"lxSFilterOperatorInList"};
inline constexpr TlxResourceString lxSFilterOperatorNotInList{"lxSFilterOperatorNotInList"};
inline constexpr TlxResourceString lxSFilterOperatorYesterday{"lxSFilterOperatorYesterday"};
inline constexpr TlxResourceString lxSFilterOperatorToday{"lxSFilterOperatorToday"};
inline constexpr TlxResourceString lxSFilterOperatorTomorrow{"lxSFilterOperatorTomorrow"};
inline constexpr TlxResourceString lxSFilterOperatorLast7Days{"lxSFilterOperatorLast7Days"};
inline constexpr TlxResourceString lxSFilterOperatorLastWeek{"lxSFilterOperatorLastWeek"};
inline constexpr TlxResourceString lxSFilterOperatorLast14Days{"lxSFilterOperatorLast14Days"};
inline constexpr TlxResourceString lxSFilterOperatorLastTwoWeeks{"lxSFilterOperatorLastTwoWeeks"};
inline constexpr TlxResourceString lxSFilterOperatorLast30Days{"lxSFilterOperatorLast30Days"};
inline constexpr TlxResourceString lxSFilterOperatorLastMonth{"lxSFilterOperatorLastMonth"};
inline constexpr TlxResourceString lxSFilterOperatorLastYear{"lxSFilterOperatorLastYear"};
inline constexpr TlxResourceString lxSFilterOperatorPast{"lxSFilterOperatorPast"};
inline constexpr TlxResourceString lxSFilterOperatorThisWeek{"lxSFilterOperatorThisWeek"};
inline constexpr TlxResourceString lxSFilterOperatorThisMonth{"lxSFilterOperatorThisMonth"};
inline constexpr TlxResourceString lxSFilterOperatorThisYear{"lxSFilterOperatorThisYear"};
inline constexpr TlxResourceString lxSFilterOperatorNext7Days{"lxSFilterOperatorNext7Days"};
inline constexpr TlxResourceString lxSFilterOperatorNextWeek{"lxSFilterOperatorNextWeek"};
inline constexpr TlxResourceString lxSFilterOperatorNext14Days{"lxSFilterOperatorNext14Days"};
inline constexpr TlxResourceString lxSFilterOperatorNextTwoWeeks{"lxSFilterOperatorNextTwoWeeks"};
inline constexpr TlxResourceString lxSFilterOperatorNext30Days{"lxSFilterOperatorNext30Days"};
inline constexpr TlxResourceString lxSFilterOperatorNextMonth{"lxSFilterOperatorNextMonth"};
inline constexpr TlxResourceString lxSFilterOperatorNextYear{"lxSFilterOperatorNextYear"};
inline constexpr TlxResourceString lxSFilterOperatorFuture{"lxSFilterOperatorFuture"};
inline constexpr TlxResourceString lxSFilterAndCaption{"lxSFilterAndCaption"};
inline constexpr TlxResourceString lxSFilterOrCaption{"lxSFilterOrCaption"};
inline constexpr TlxResourceString lxSFilterNotCaption{"lxSFilterNotCaption"};
inline constexpr TlxResourceString lxSFilterBlankCaption{"lxSFilterBlankCaption"};
inline constexpr TlxResourceString lxSFilterOperatorIsNull{"lxSFilterOperatorIsNull"};
inline constexpr TlxResourceString lxSFilterOperatorIsNotNull{"lxSFilterOperatorIsNotNull"};
inline constexpr TlxResourceString lxSFilterOperatorBeginsWith{"lxSFilterOperatorBeginsWith"};
inline constexpr TlxResourceString lxSFilterOperatorDoesNotBeginWith{"lxSFilterOperatorDoesNotBeginWith"};
inline constexpr TlxResourceString lxSFilterOperatorEndsWith{"lxSFilterOperatorEndsWith"};
inline constexpr TlxResourceString lxSFilterOperatorDoesNotEndWith{"lxSFilterOperatorDoesNotEndWith"};
inline constexpr TlxResourceString lxSFilterOperatorContains{"lxSFilterOperatorContains"};
inline constexpr TlxResourceString lxSFilterOperatorDoesNotContain{"lxSFilterOperatorDoesNotContain"};
inline constexpr TlxResourceString lxSFilterBoxAllCaption{"lxSFilterBoxAllCaption"};
inline constexpr TlxResourceString lxSFilterBoxCustomCaption{"lxSFilterBoxCustomCaption"};
inline constexpr TlxResourceString lxSFilterBoxBlanksCaption{"lxSFilterBoxBlanksCaption"};
inline constexpr TlxResourceString lxSFilterBoxNonBlanksCaption{"lxSFilterBoxNonBlanksCaption"};

inline constexpr const char kLxDataFilterProductKey[] = "LxDataFilter";

std::span<const TlxStringResource> lxFilterStringTable();
// The module's start: registers the texts once.
void lxRegisterFilterStrings();

// A replacement procedure for the filter texts; none is installed by default.
using TlxFilterResStringHook = std::function<std::string(const TlxResourceString& record)>;
void lxSetFilterResStringHook(TlxFilterResStringHook hook);
// The text through the replacement procedure when one is installed, else
// from the string table.
std::string lxGetFilterResString(const TlxResourceString& record);
