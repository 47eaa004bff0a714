#include "grid/table_filtering_types.h"

#include "grid/grid_strings.h"
#include "platform/rtl/locale.h"

std::string TlxGridDateTimeFormatValues::HourFormatInUse() const {
  if (!HourFormat.empty())
    return HourFormat;
  return UseShortTimeFormat ? UserLocale().Settings().ShortTimeFormat : std::string();
}

std::string TlxGridDateTimeFormatValues::DateFormatInUse() const {
  if (!DateFormat.empty())
    return DateFormat;
  return UseLongDateFormat ? UserLocale().Settings().LongDateFormat : std::string();
}

std::string TlxGridDateTimeFormatValues::MonthFormatInUse() const {
  return MonthFormat.empty() ? lxGridText(slxGridMonthFormat) : MonthFormat;
}

std::string TlxGridDateTimeFormatValues::YearFormatInUse() const {
  return YearFormat.empty() ? lxGridText(slxGridYearFormat) : YearFormat;
}
