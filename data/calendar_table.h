#pragma once
// Calendar tables: conversion between TDateTime (a Gregorian day count)
// and a date of one of the calendars a locale may use, calendar
// arithmetic, validation, week numbers and the parsing of typed year,
// month and day fields. Invalid calendar dates are never encoded:
// arithmetic answers EarliestDate and results are clamped into
// [EarliestDate, LatestDate].

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/date_time.h"
#include "platform/rtl/persistent.h"
#include "ui/foundation/base/lists.h"

struct TlxCalendarDate {
  int32_t Era = -1;  // an index into the table's eras; -1 is the standard era
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
  uint8_t Hour = 0;
  uint8_t Minute = 0;
  uint8_t Second = 0;
  uint16_t Millisecond = 0;
};

struct TlxCalendarDay {
  int32_t Era = -1;
  int32_t Year = 0;
  int32_t Month = 0;
  int32_t Day = 0;
};

class TlxEra : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxEra", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxEra(int32_t era_number, TDateTime start_date, int32_t year_offset, int32_t first_year, int32_t last_year);

  void Assign(const TPersistent* source) override;

  int32_t EraNumber() const { return era_number_; }
  int32_t LastYear() const { return last_year_; }
  int32_t FirstYear() const { return first_year_; }
  TDateTime StartDate() const { return start_date_; }
  // Gregorian year = era year + offset.
  int32_t GregorianYearOffset() const { return year_offset_; }

 private:
  int32_t era_number_;
  int32_t last_year_;
  int32_t first_year_;
  TDateTime start_date_;
  int32_t year_offset_;
};

class TlxEras : public TlxObjectList {
 public:
  static constexpr TClass kClass{"TlxEras", &TlxObjectList::kClass, &ConstructInstance<TlxEras>};
  const TClass* ClassType() const override { return &kClass; }

  TlxEra* Era(int32_t index) const { return static_cast<TlxEra*>(ItemAt(index)); }
};

enum TlxCalendarAlgorithmKind : int32_t { lxcakSolar = 1, lxcakLunar = 2, lxcakLunisolar = 3 };

class TlxCustomCalendarTable : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomCalendarTable", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomCalendarTable();
  ~TlxCustomCalendarTable() override;
  TlxCustomCalendarTable(const TlxCustomCalendarTable&) = delete;
  TlxCustomCalendarTable& operator=(const TlxCustomCalendarTable&) = delete;

  TlxEras& Eras() const { return *eras_; }

  virtual void NormalizeEraYear(int32_t& year, int32_t& era) const;
  virtual void NormalizeEraYearForDay(int32_t& year, int32_t& era, int32_t month, int32_t day) const;
  virtual int32_t AlgorithmKind() const = 0;
  virtual int32_t WindowsCalendarType() const = 0;
  virtual const TlxEra& StandardEra() const = 0;
  virtual TDateTime LatestDate() const = 0;
  virtual TDateTime EarliestDate() const = 0;
  virtual void ClampDateTime(TDateTime& date) const;
  virtual int32_t LatestYear() const = 0;
  virtual int32_t EarliestYear() const = 0;
  virtual TDateTime ShiftDaysOfCalendarDate(const TlxCalendarDate& date, int32_t days) const;
  virtual TDateTime ShiftMonthsOfDateTime(TDateTime date, int32_t months) const;
  virtual TDateTime ShiftMonthsOfCalendarDate(const TlxCalendarDate& date, int32_t months) const;
  virtual TDateTime ShiftYearsOfDateTime(TDateTime date, int32_t years) const;
  virtual TDateTime ShiftYearsOfCalendarDate(const TlxCalendarDate& date, int32_t years) const;
  virtual TDateTime ShiftWeeksOfDateTime(TDateTime date, int32_t weeks) const;
  virtual TDateTime ShiftWeeksOfCalendarDate(const TlxCalendarDate& date, int32_t weeks) const;
  virtual void DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const = 0;
  virtual TlxCalendarDate CalendarDateFromGregorianDate(int32_t year, int32_t month, int32_t day) const;
  virtual TlxCalendarDate CalendarDateFromGregorianDateTime(int32_t year, int32_t month, int32_t day, int32_t hour,
                                                            int32_t minute, int32_t second,
                                                            int32_t millisecond) const;
  virtual int32_t DayOfYearOfDateTime(TDateTime date) const;
  virtual int32_t DayOfYearOfCalendarDate(const TlxCalendarDate& date) const;
  virtual int32_t DayCountOfMonth(int32_t year, int32_t month) const;
  virtual int32_t DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const = 0;
  virtual int32_t DayCountOfYear(int32_t year) const;
  virtual int32_t DayCountOfEraYear(int32_t era, int32_t year) const = 0;
  virtual int32_t EraOfYear(int32_t gregorian_year) const;
  virtual int32_t EraOfDate(int32_t year, int32_t month, int32_t day) const;
  virtual TDateTime StartOfWeekOfDateTime(TDateTime date) const;
  virtual TDateTime StartOfWeekFrom(int32_t first_weekday, TDateTime date) const;
  virtual void StartOfWeekOfCalendarDate(const TlxCalendarDate& date, TlxCalendarDate& result) const;
  virtual void StartOfWeekOfCalendarDateFrom(const TlxCalendarDate& date, int32_t first_weekday,
                                             TlxCalendarDate& result) const;
  virtual int32_t LocaleWeekStart() const = 0;
  virtual int32_t WholeWeeksOfYear(int32_t year) const = 0;
  virtual int32_t MonthCountOfYear(int32_t year) const;
  virtual int32_t MonthCountOfEraYear(int32_t era, int32_t year) const = 0;
  virtual int32_t YearOfDateTime(TDateTime date) const;
  virtual int32_t YearOfDateRecord(const TlxCalendarDay& date) const;
  virtual int32_t YearOfCalendarDate(const TlxCalendarDate& date) const;
  virtual int32_t WeekDayOfDateTime(TDateTime date) const;
  virtual int32_t WeekDayOfCalendarDate(const TlxCalendarDate& date) const;
  virtual int32_t WeekNumberOfDateTime(TDateTime date, int32_t first_weekday, int32_t rule) const;
  virtual int32_t WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t first_weekday,
                                           int32_t rule) const = 0;
  virtual bool FallsOnLeapDay(int32_t year, int32_t month, int32_t day) const;
  virtual bool FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const = 0;
  virtual bool MonthIsLeap(int32_t year, int32_t month) const;
  virtual bool MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const = 0;
  virtual bool YearIsLeap(int32_t year) const;
  virtual bool YearIsLeapInEra(int32_t era, int32_t year) const = 0;
  virtual bool YearIsValid(int32_t year) const;
  virtual bool YearIsValidInEra(int32_t era, int32_t year) const;
  virtual bool MonthIsValid(int32_t year, int32_t month) const;
  virtual bool MonthIsValidInEra(int32_t era, int32_t year, int32_t month) const;
  virtual bool DayIsValid(int32_t year, int32_t month, int32_t day) const;
  virtual bool DayIsValidInEra(int32_t era, int32_t year, int32_t month, int32_t day) const;
  virtual bool DateTimeIsValid(TDateTime date) const;
  virtual TDateTime EncodeDateRecord(const TlxCalendarDay& date) const;
  virtual TDateTime EncodeYearMonthDay(int32_t year, int32_t month, int32_t day) const;
  virtual TDateTime EncodeYearMonthDayTime(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute,
                                           int32_t second, int32_t millisecond) const;
  virtual TDateTime EncodeCalendarDate(const TlxCalendarDate& date) const = 0;
  virtual int32_t ParseDayText(std::string_view text) const;
  virtual int32_t ParseMonthText(int32_t year, std::string_view text) const;
  virtual int32_t ParseYearText(std::string_view text) const;

  // Era -1 adds the standard era's offset, an era of the list its own; any
  // other era leaves the year alone.
  void ToGregorianYear(int32_t& year, int32_t era) const;
  // When the date is not a valid day in its era: result := EarliestDate and
  // true.
  bool RejectInvalid(const TlxCalendarDate& date, TDateTime& result) const;

 protected:
  // The calendar's two-digit-year limit of the user locale.
  virtual int32_t TwoDigitYearLimit() const;
  // A date decoded in this table (the TDateTime forms of the shifts).
  TlxCalendarDate Decoded(TDateTime date) const;
  // Encodes, clamps, and answers EarliestDate for an invalid result.
  TDateTime EncodeClamped(const TlxCalendarDate& date) const;
  // The week number of the lunar tables (weeks start on LocaleWeekStart).
  int32_t LunarWeekNumber(const TlxCalendarDate& date, int32_t rule) const;

 private:
  std::unique_ptr<TlxEras> eras_;
};

// A TDateTime as a number that grows with time: before 30 December 1899
// the fraction still counts forward from midnight, so -1.25 (06:00) comes
// before -1.5 (12:00).
double lxChronologicalOrder(TDateTime date);

// The integer value of a trimmed text, 0 when it is none.
int32_t lxCalendarTextToInt(std::string_view text);
