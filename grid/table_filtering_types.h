#pragma once
// The value types of a table view's filtering and date-time settings, and
// the rules that turn the date-time settings into caption formats. Portable:
// the date ranges read them natively too.

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"

// The date entries a date item's filter drop-down offers.
enum TlxGridDateTimeFilter : uint8_t {
  dtfRelativeDays,
  dtfRelativeDayPeriods,
  dtfRelativeWeeks,
  dtfRelativeMonths,
  dtfRelativeYears,
  dtfPastFuture,
  dtfMonths,
  dtfYears,
};
// A set of TlxGridDateTimeFilter, one bit per member.
using TlxGridDateTimeFilters = uint8_t;
constexpr TlxGridDateTimeFilters lxDateTimeFilterBit(TlxGridDateTimeFilter filter) {
  return static_cast<TlxGridDateTimeFilters>(1u << filter);
}
constexpr bool lxHasDateTimeFilter(TlxGridDateTimeFilters filters, TlxGridDateTimeFilter filter) {
  return (filters & lxDateTimeFilterBit(filter)) != 0;
}
// The members that add fixed relative entries (all but months and years).
constexpr TlxGridDateTimeFilters kLxRelativeDateTimeFilters = 0x3F;
inline constexpr int32_t kLxDateTimeFilterCount = 8;

// How grouped date items form their groups.
enum TlxGridDateTimeGrouping : uint8_t {
  dtgDefault,
  dtgByDateAndTime,
  dtgRelativeToToday,
  dtgByHour,
  dtgByDate,
  dtgByMonth,
  dtgByYear,
};

enum TlxGridFilterPosition : uint8_t { fpTop, fpBottom };
enum TlxGridFilterVisible : uint8_t { fvNever, fvNonEmpty, fvAlways };
enum TlxGridItemFilterPopupApplyChangesMode : uint8_t { fpacImmediately, fpacOnButtonClick };

// The caption formats of date groups and date entries.
class IlxGridDateTimeFormats : public virtual IInterface {
 public:
  virtual std::string GetHourFormat() const = 0;
  virtual std::string GetDateFormat() const = 0;
  virtual std::string GetMonthFormat() const = 0;
  virtual std::string GetYearFormat() const = 0;
};

// The date-time settings' values with their defaults, and the rules that
// derive the caption formats: an empty format falls back on the regional
// format (hour, day) when asked to, or on the grid's texts (month, year).
struct TlxGridDateTimeFormatValues {
  std::string DateFormat;
  std::string HourFormat;
  std::string MonthFormat;
  std::string YearFormat;
  bool UseLongDateFormat = true;
  bool UseShortTimeFormat = true;

  std::string HourFormatInUse() const;
  std::string DateFormatInUse() const;
  std::string MonthFormatInUse() const;
  std::string YearFormatInUse() const;
};

// What an option change asks of its view: 0 tell the handlers, 1 repaint,
// 2 recalculate the layout.
enum class TlxGridOptionsChange : uint8_t { kProperty = 0, kLayout = 1, kSize = 2 };
