#pragma once
// A built-in locale with other date items for the length of a scope.

#include <memory>
#include <string_view>
#include <utility>

#include "platform/rtl/locale.h"

class TScopedDateItems {
 public:
  TScopedDateItems(std::string_view name, TLocaleDateItems items) : previous_(UserLocale()) {
    SetUserLocale(CreateTableLocale(name, std::move(items)));
  }
  ~TScopedDateItems() { RestoreUserLocale(previous_); }
  TScopedDateItems(const TScopedDateItems&) = delete;
  TScopedDateItems& operator=(const TScopedDateItems&) = delete;

 private:
  const TLocale& previous_;
};

inline TLocaleDateItems DateItemsWith(std::string_view name, int calendar_type, int two_digit_year_max = 2049) {
  TLocaleDateItems items = TableDateItems(name);
  items.CalendarType = calendar_type;
  items.TwoDigitYearMax = two_digit_year_max;
  return items;
}
