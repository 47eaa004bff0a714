#pragma once
// Date and time formats taken apart into items, and what the editors build
// from the items: mask-editor masks, regular-expression masks, display
// formats matching the masks, and the widths that map caret positions onto
// items.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/format_settings.h"

enum TlxDateTimeFormatItemKind : uint8_t {
  fikText = 0,
  fikYear = 1,
  fikMonth = 2,
  fikDay = 3,
  fikHour = 4,
  fikMinute = 5,
  fikSecond = 6,
  fikMSec = 7,
  fikAmPm = 8,
  fikDateSeparator = 9,
  fikTimeSeparator = 10,
};
constexpr int kLxFormatItemKindCount = 11;

struct TlxDateTimeFormatItem {
  TlxDateTimeFormatItemKind ItemKind = fikText;
  // The literal text, or the item's format letters ("YYYY", "MMM", "12HH",
  // "AM/PM").
  std::string ItemText;

  bool operator==(const TlxDateTimeFormatItem&) const = default;
};

struct TlxDateTimeFormatInfo {
  std::array<bool, kLxFormatItemKindCount> KindPresent{};
  std::vector<TlxDateTimeFormatItem> ItemList;
};

// The style of an AM/PM item.
enum TlxAmPmFormatKind : int32_t { lxafkAP = 0, lxafkAMPM = 1, lxafkLocale = 2 };
TlxAmPmFormatKind lxAmPmFormatKind(const TlxDateTimeFormatItem& item);

// The texts a format refers to by its D x 5, D x 6, C and T letters, and
// the AM and PM strings that size the locale's AM/PM items.
struct TlxFormatTexts {
  std::string ShortDateFormat;
  std::string LongDateFormat;
  std::string ShortTimeFormat;
  std::string LongTimeFormat;
  std::string AMString;
  std::string PMString;
};
// The user locale's.
TlxFormatTexts lxCurrentFormatTexts();

// Parses a format (none stands for "C"); an invalid format (one with an era
// letter) leaves the info empty.
void lxParseDateTimeFormat(std::optional<std::string_view> format, TlxDateTimeFormatInfo& info);
void lxParseDateTimeFormat(std::optional<std::string_view> format, TlxDateTimeFormatInfo& info,
                           const TlxFormatTexts& texts);

// The width of an item's text in an edited value.
int32_t lxFormatItemTextLength(const TlxDateTimeFormatItem& item);
int32_t lxFormatItemTextLength(const TlxDateTimeFormatItem& item, const TlxFormatTexts& texts);

// The mask-editor mask of an item list.
std::string lxStandardMaskOf(const TlxDateTimeFormatInfo& info, const TlxFormatTexts& texts);
// The regular-expression masks; `words` are the smart date words in table
// order (empty: none).
std::string lxDateRegExprOf(const TlxDateTimeFormatInfo& date, const TFormatSettings& settings);
std::string lxTimeRegExprOf(const TlxDateTimeFormatInfo& time, const TFormatSettings& settings,
                            const TlxFormatTexts& texts);
std::string lxWithSmartWords(const std::string& expression, const std::vector<std::string>& words);
// The display format matching the standard mask.
std::string lxMaskedDisplayFormatOf(const TlxDateTimeFormatInfo& info);
// The short date format with single 'd' and month letters doubled.
std::string lxDateInputFormatOf(std::string_view short_date_format);
// The currency display format: positive and negative sections.
std::string lxCurrencyDisplayFormatOf(const TFormatSettings& settings);
