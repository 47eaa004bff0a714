#pragma once
// The locale service: casing, comparison and regional settings of one
// locale. Every locale-aware routine asks UserLocale(), which on Windows is
// the user's locale (read at start-up and again when the system announces a
// settings change) and natively a deterministic English one. Tests install a
// fixed locale (CreateLocale("de-DE")) so that they give the same results on
// any machine and in both builds.

#include <cstdint>
#include <functional>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/rtl/date_time.h"
#include "platform/rtl/format_settings.h"

enum class TCompareCase : uint8_t { kSensitive, kIgnore };

// The regional items that the date routines read beside the format
// settings, in the system's own terms: patterns in the system's picture
// syntax (d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g gg, h hh H HH, m mm,
// s ss, t tt, '...' literal) and day names counted from Monday.
struct TLocaleDateItems {
  // Week 1 of a year: 0 the week holding 1 January, 1 the first full week,
  // 2 the first week with at least four days.
  uint8_t FirstWeekOfYear = 0;
  // The calendar: 1 Gregorian, 3 Japanese, 4 Taiwan, 5 Korean, 6 Hijri,
  // 7 Thai, 8 Hebrew, 2 and 9 to 12 other Gregorian kinds.
  int32_t CalendarType = 1;
  // Two-digit years fall into the hundred years that end with this one.
  int32_t TwoDigitYearMax = 2049;
  std::string ShortDatePattern;
  std::string LongDatePattern;
  std::string TimePattern;
  std::string YearMonthPattern;
  std::string AMDesignator;
  std::string PMDesignator;
  std::array<std::string, 7> AbbreviatedDayNames;
  std::array<std::string, 7> ShortestDayNames;
};

class TLocale {
 public:
  TLocale(std::string name, TFormatSettings settings, TLocaleDateItems date_items = {})
      : name_(std::move(name)), settings_(std::move(settings)), date_items_(std::move(date_items)) {}
  virtual ~TLocale();
  TLocale(const TLocale&) = delete;
  TLocale& operator=(const TLocale&) = delete;

  const std::string& Name() const { return name_; }
  const TFormatSettings& Settings() const { return settings_; }
  const TLocaleDateItems& DateItems() const { return date_items_; }

  // A date or a time written by a picture of the system's syntax; an empty
  // picture stands for the locale's short date or time pattern. Nothing
  // when the locale cannot write the value (a date before the system's
  // first year, a value that is not a date).
  virtual std::optional<std::string> FormatDateByPattern(std::string_view picture, TDateTime value) const;
  virtual std::optional<std::string> FormatTimeByPattern(std::string_view picture, TDateTime value) const;

  virtual std::u16string UpperCase(std::u16string_view text) const = 0;
  virtual std::u16string LowerCase(std::u16string_view text) const = 0;
  // Linguistic order: negative, zero or positive.
  virtual int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const = 0;

 private:
  std::string name_;
  TFormatSettings settings_;
  TLocaleDateItems date_items_;
};

// The locale in force. The reference stays valid for the whole run, even
// after SetUserLocale installs another one.
const TLocale& UserLocale();
// Installs `locale` as the user locale; the toolkit does so on a settings
// change, tests do so to fix the locale. Locale listeners are called.
void SetUserLocale(std::unique_ptr<TLocale> locale);
// Reinstalls a locale that UserLocale() answered earlier (scoped changes).
void RestoreUserLocale(const TLocale& earlier);
// The machine's own user locale: on Windows the user's regional settings,
// natively the built-in English one.
std::unique_ptr<TLocale> CreateMachineLocale();
// Reinstalls the machine's own user locale (the real one on Windows, English
// natively) and calls the listeners: the answer to the platform's
// settings-changed notification.
void ReloadUserLocale();

// The date items of the built-in "de-DE" and "en-US" tables (anything else
// raises EConvertError).
const TLocaleDateItems& TableDateItems(std::string_view name);

// A locale with fixed regional settings ("de-DE" or "en-US"; anything else
// raises EConvertError). On Windows its casing and comparison come from the
// system's locale functions for that name, natively from the built-in tables.
std::unique_ptr<TLocale> CreateLocale(std::string_view name);
// The built-in deterministic locale, in both builds.
std::unique_ptr<TLocale> CreateTableLocale(std::string_view name);
// The built-in locale with other date items (a calendar, a week rule or a
// two-digit-year limit that the built-in tables do not have).
std::unique_ptr<TLocale> CreateTableLocale(std::string_view name, TLocaleDateItems date_items);

// Simple one-to-one case mappings of the built-in tables.
char32_t SimpleUpperCase(char32_t c);
char32_t SimpleLowerCase(char32_t c);

// Listeners for locale changes; the id removes one again.
using TLocaleListener = std::function<void()>;
int AddLocaleListener(TLocaleListener listener);
void RemoveLocaleListener(int id);

// Sets a fixed user locale for the lifetime of the object and restores the
// previous one afterwards (tests).
class TScopedLocale {
 public:
  explicit TScopedLocale(std::string_view name);
  ~TScopedLocale();
  TScopedLocale(const TScopedLocale&) = delete;
  TScopedLocale& operator=(const TScopedLocale&) = delete;

 private:
  const TLocale& previous_;
};
