#pragma once
// The lunisolar Hebrew calendar over the Gregorian years 1583 to 2239
// (Hebrew years 5343 to 5999), driven by a table of years: for each
// Gregorian year the Hebrew date of its 1 January and the type of that
// Hebrew year.

#include <memory>
#include <string_view>

#include "data/calendar_table.h"

// The year table's row of Gregorian year `year` (1583..2239): the day code
// of its 1 January (0 month 5 day 1; 1..29 month 4, that day; 30 month 3
// day 30; 31 and 32 month 5 days 2 and 3; 33 month 3 day 29) and the type
// (1..6) of the Hebrew year that holds it. False outside the range.
bool lxHebrewYearTableRow(int32_t year, int32_t& day_code, int32_t& year_type);

// The value of a Hebrew numeral: the sum of its letters (Windows-1255
// bytes, or the same letters in UTF-8); other characters count 0.
int32_t lxHebrewNumeralValue(std::string_view text);

class TlxHebrewCalendarTable : public TlxCustomCalendarTable {
 public:
  static constexpr TClass kClass{"TlxHebrewCalendarTable", &TlxCustomCalendarTable::kClass,
                                 &ConstructInstance<TlxHebrewCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxHebrewCalendarTable();
  ~TlxHebrewCalendarTable() override;

  int32_t AlgorithmKind() const override { return lxcakLunisolar; }
  int32_t WindowsCalendarType() const override { return 8; }
  const TlxEra& StandardEra() const override { return *standard_era_; }
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int32_t LatestYear() const override { return 5999; }
  int32_t EarliestYear() const override { return 5343; }
  void DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const override;
  TDateTime EncodeCalendarDate(const TlxCalendarDate& date) const override;
  int32_t DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const override;
  int32_t DayCountOfEraYear(int32_t era, int32_t year) const override;
  int32_t MonthCountOfEraYear(int32_t era, int32_t year) const override;
  bool YearIsLeapInEra(int32_t era, int32_t year) const override;
  bool MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const override;
  bool FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const override;
  int32_t LocaleWeekStart() const override { return 0; }
  int32_t WholeWeeksOfYear(int32_t year) const override;
  int32_t WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t first_weekday, int32_t rule) const override;
  int32_t ParseDayText(std::string_view text) const override;
  int32_t ParseMonthText(int32_t year, std::string_view text) const override;
  int32_t ParseYearText(std::string_view text) const override;

 private:
  std::unique_ptr<TlxEra> standard_era_;
};
