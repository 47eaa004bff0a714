#pragma once
// The Gregorian calendar table and the era-based tables built on it:
// Japanese, Taiwan, Korean and Thai.

#include <memory>

#include "data/calendar_table.h"

class TlxGregorianCalendarTable : public TlxCustomCalendarTable {
 public:
  static constexpr TClass kClass{"TlxGregorianCalendarTable", &TlxCustomCalendarTable::kClass,
                                 &ConstructInstance<TlxGregorianCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxGregorianCalendarTable();
  ~TlxGregorianCalendarTable() override;

  // The platform calendar type the table answers (1, 2 or 9 to 12).
  void SetCalendarType(int32_t type) { calendar_type_ = type; }

  int32_t AlgorithmKind() const override { return lxcakSolar; }
  int32_t WindowsCalendarType() const override { return calendar_type_; }
  const TlxEra& StandardEra() const override { return *standard_era_; }
  TDateTime LatestDate() const override;
  TDateTime EarliestDate() const override;
  int32_t LatestYear() const override { return 9999; }
  int32_t EarliestYear() const override { return 1; }
  void DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const override;
  int32_t DayCountOfEraMonth(int32_t era, int32_t year, int32_t month) const override;
  int32_t DayCountOfEraYear(int32_t era, int32_t year) const override;
  int32_t LocaleWeekStart() const override;
  int32_t WholeWeeksOfYear(int32_t year) const override;
  int32_t MonthCountOfEraYear(int32_t /*era*/, int32_t /*year*/) const override { return 12; }
  int32_t WeekNumberOfCalendarDate(const TlxCalendarDate& date, int32_t first_weekday, int32_t rule) const override;
  bool FallsOnLeapDayInEra(int32_t era, int32_t year, int32_t month, int32_t day) const override;
  bool MonthIsLeapInEra(int32_t era, int32_t year, int32_t month) const override;
  bool YearIsLeapInEra(int32_t era, int32_t year) const override;
  TDateTime EncodeCalendarDate(const TlxCalendarDate& date) const override;

 protected:
  int32_t GregorianYearOf(int32_t era, int32_t year) const;

 private:
  std::unique_ptr<TlxEra> standard_era_;
  int32_t calendar_type_ = 1;
};

// The era tables: the standard era is the list's last (current) era, the
// earliest date the first era's start.
class TlxJapaneseCalendarTable : public TlxGregorianCalendarTable {
 public:
  static constexpr TClass kClass{"TlxJapaneseCalendarTable", &TlxGregorianCalendarTable::kClass,
                                 &ConstructInstance<TlxJapaneseCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxJapaneseCalendarTable();

  int32_t WindowsCalendarType() const override { return 3; }
  const TlxEra& StandardEra() const override;
  TDateTime EarliestDate() const override;
  int32_t LatestYear() const override;
  int32_t EarliestYear() const override;
  int32_t LocaleWeekStart() const override { return 0; }
  void DecodeDateTimeParts(TlxCalendarDate& date, TDateTime value) const override;
  TDateTime EncodeCalendarDate(const TlxCalendarDate& date) const override;

 protected:
  // Replaces the era list (the Taiwan, Korean and Thai tables).
  void ReplaceEras(std::initializer_list<TlxEra*> eras);
};

class TlxTaiwanCalendarTable : public TlxJapaneseCalendarTable {
 public:
  static constexpr TClass kClass{"TlxTaiwanCalendarTable", &TlxJapaneseCalendarTable::kClass,
                                 &ConstructInstance<TlxTaiwanCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxTaiwanCalendarTable();
  int32_t WindowsCalendarType() const override { return 4; }
};

class TlxKoreanCalendarTable : public TlxJapaneseCalendarTable {
 public:
  static constexpr TClass kClass{"TlxKoreanCalendarTable", &TlxJapaneseCalendarTable::kClass,
                                 &ConstructInstance<TlxKoreanCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxKoreanCalendarTable();
  int32_t WindowsCalendarType() const override { return 5; }
};

class TlxThaiCalendarTable : public TlxJapaneseCalendarTable {
 public:
  static constexpr TClass kClass{"TlxThaiCalendarTable", &TlxJapaneseCalendarTable::kClass,
                                 &ConstructInstance<TlxThaiCalendarTable>};
  const TClass* ClassType() const override { return &kClass; }

  TlxThaiCalendarTable();
  int32_t WindowsCalendarType() const override { return 7; }
};
