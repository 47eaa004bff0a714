#pragma once
// The tabular Islamic calendar: a pure arithmetic lunar calendar whose day
// 1 of month 1 of year 1 is 18 July 622 (proleptic Gregorian).

#include <memory>

#include "data/calendar_table.h"

class TlxHijriCalendarTable : public TlxCustomCalendarTable {
 public:
  static constexpr TClass kClass{"TlxHijriCalendarTable", &TlxCustomCalendarTable::kClass,
                                 &ConstructInstance<TlxHijriCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxHijriCalendarTable();
  ~TlxHijriCalendarTable() override;

  int32_t AlgorithmKind() const override { return lxcakLunar; }
  int32_t WindowsCalendarType() const override { return 6; }
  const TlxEra& StandardEra() const override { return *standard_era_; }
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int32_t LatestYear() const override { return 9666; }
  int32_t EarliestYear() const override { return 1; }
  void DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const override;
  TDateTime EncodeCalendarDate(const TlxCalendarDate& date) const override;
  int32_t DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const override;
  int32_t DayCountOfEraYear(int32_t era, int32_t year) const override;
  int32_t MonthCountOfEraYear(int32_t /*era*/, int32_t /*year*/) const override { return 12; }
  bool YearIsLeapInEra(int32_t era, int32_t year) const override;
  bool MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const override;
  bool FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const override;
  int32_t LocaleWeekStart() const override { return 6; }
  int32_t WholeWeeksOfYear(int32_t /*year*/) const override { return 50; }
  int32_t WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t first_weekday, int32_t rule) const override;
  int32_t ParseMonthText(int32_t year, std::string_view text) const override;

 private:
  std::unique_ptr<TlxEra> standard_era_;
};
