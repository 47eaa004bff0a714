#pragma once
// Date ranges: each recognises the dates of one named period ("Today",
// "Last week", a calendar month, an hour of the day...) and gives the
// period's group value, order value and caption, and for calendar months
// and years the bounds a filter condition uses. A table item owns two
// collections of them: filtering ranges add month and year entries to its
// filter drop-down, grouping ranges turn the dates of a grouped column into
// period groups. A range reads "today" and the caption formats from the
// collection that owns it, so one drop-down or one grouping pass sees one
// calendar day. Portable.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_strings.h"
#include "grid/table_filtering_types.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxGridDateRanges;

class TlxCustomGridDateRange : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridDateRange", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridDateRange() = default;
  // Leaves the owning collection first.
  ~TlxCustomGridDateRange() override;
  TlxCustomGridDateRange(const TlxCustomGridDateRange&) = delete;
  TlxCustomGridDateRange& operator=(const TlxCustomGridDateRange&) = delete;

  // The virtual operations, in the order of their slots.
  virtual bool Includes(TDateTime date) const = 0;
  virtual std::string GetDisplayTextFor(TDateTime date) const = 0;
  virtual Variant GetFilterValue(bool date_only, TDateTime date) const;
  virtual Variant GetOrderValue(TDateTime date) const;
  virtual Variant GetGroupValue(TDateTime date) const = 0;
  virtual bool OrdersByTimeOfDay() const;
  virtual bool UsesTimeOfDay() const;

  // Null while the range belongs to no collection.
  TlxGridDateRanges* Owner() const { return owner_; }

 protected:
  // The owning collection; a range outside one cannot tell which period
  // "today" is and raises EInvalidOperation.
  const TlxGridDateRanges& Ranges() const;

 private:
  friend class TlxGridDateRanges;
  TlxGridDateRanges* owner_ = nullptr;
};

using TlxGridDateRangeClass = const TClass*;

class TlxGridDateRanges : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridDateRanges", &TObject::kClass, &ConstructInstance<TlxGridDateRanges>};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridDateRanges() = default;
  // Frees the ranges, the last first.
  ~TlxGridDateRanges() override;
  TlxGridDateRanges(const TlxGridDateRanges&) = delete;
  TlxGridDateRanges& operator=(const TlxGridDateRanges&) = delete;

  // today := the clock's date; the start of this week, the year, month,
  // day and month ordinal of today follow from it.
  virtual void CaptureToday();
  // Stores the settings (not owned; null uses the defaults), captures
  // today and clears the list.
  virtual void Prepare(const IlxGridDateTimeFormats* settings);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Raises EListError outside 0..Count() - 1.
  TlxCustomGridDateRange* Items(int32_t index) const;
  // Takes the range, appends it and returns it.
  TlxCustomGridDateRange* AddRange(std::unique_ptr<TlxCustomGridDateRange> range);
  // Constructs a range of the class (a descendant of
  // TlxCustomGridDateRange that can be constructed) and adds it.
  TlxCustomGridDateRange* AddRangeOfClass(TlxGridDateRangeClass range_class);
  // Takes the range out of the list and hands it back; null when it is
  // not in this collection.
  std::unique_ptr<TlxCustomGridDateRange> RemoveRange(TlxCustomGridDateRange* range);
  void Clear();

  TlxCustomGridDateRange* FindRangeFor(TDateTime date) const;
  bool AnyOrdersByTimeOfDay() const;
  bool AnyUsesTimeOfDay() const;
  bool HasNoRanges() const { return items_.empty(); }

  const IlxGridDateTimeFormats& Formats() const;
  TDateTime Today() const { return today_; }
  TDateTime StartOfThisWeek() const { return start_of_this_week_; }
  int16_t ThisDay() const { return this_day_; }
  int16_t ThisMonth() const { return this_month_; }
  int32_t ThisMonthOrdinal() const { return this_month_ordinal_; }
  int16_t ThisYear() const { return this_year_; }

 private:
  friend class TlxCustomGridDateRange;
  void Forget(TlxCustomGridDateRange* range);

  // Owned; a range's destructor takes itself out.
  std::vector<TlxCustomGridDateRange*> items_;
  const IlxGridDateTimeFormats* settings_ = nullptr;
  TDateTime start_of_this_week_ = 0;
  int16_t this_day_ = 0;
  int16_t this_month_ = 0;
  int32_t this_month_ordinal_ = 0;
  int16_t this_year_ = 0;
  TDateTime today_ = 0;
};

// The ranges that add month and year entries to a filter drop-down.
class TlxGridFilteringDateRanges : public TlxGridDateRanges {
 public:
  static constexpr TClass kClass{"TlxGridFilteringDateRanges", &TlxGridDateRanges::kClass,
                                 &ConstructInstance<TlxGridFilteringDateRanges>};
  const TClass* ClassType() const override { return &kClass; }

  // Prepares, then adds a year range for dtfYears and a month range for
  // dtfMonths; the other members add fixed entries elsewhere.
  virtual void Build(const IlxGridDateTimeFormats* settings, TlxGridDateTimeFilters filters);
};

// The ranges that form the groups of a grouped date column.
class TlxGridGroupingDateRanges : public TlxGridDateRanges {
 public:
  static constexpr TClass kClass{"TlxGridGroupingDateRanges", &TlxGridDateRanges::kClass,
                                 &ConstructInstance<TlxGridGroupingDateRanges>};
  const TClass* ClassType() const override { return &kClass; }

  // Prepares, then adds the ranges of the grouping; by date and time (and
  // the default) groups by the exact value and adds none.
  virtual void Build(const IlxGridDateTimeFormats* settings, TlxGridDateTimeGrouping grouping);
};

// Period ranges with a caption format of the settings.
class TlxGridHourRange : public TlxCustomGridDateRange {
 public:
  static constexpr TClass kClass{"TlxGridHourRange", &TlxCustomGridDateRange::kClass,
                                 &ConstructInstance<TlxGridHourRange>};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  std::string GetDisplayTextFor(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
  bool OrdersByTimeOfDay() const override;
};

class TlxGridDayRange : public TlxCustomGridDateRange {
 public:
  static constexpr TClass kClass{"TlxGridDayRange", &TlxCustomGridDateRange::kClass,
                                 &ConstructInstance<TlxGridDayRange>};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  std::string GetDisplayTextFor(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

class TlxGridMonthRange : public TlxCustomGridDateRange {
 public:
  static constexpr TClass kClass{"TlxGridMonthRange", &TlxCustomGridDateRange::kClass,
                                 &ConstructInstance<TlxGridMonthRange>};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  std::string GetDisplayTextFor(TDateTime date) const override;
  // [first day, last day] of the month; the last day ends at 23:59:59.999
  // unless `date_only`.
  Variant GetFilterValue(bool date_only, TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

class TlxGridYearRange : public TlxCustomGridDateRange {
 public:
  static constexpr TClass kClass{"TlxGridYearRange", &TlxCustomGridDateRange::kClass,
                                 &ConstructInstance<TlxGridYearRange>};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  std::string GetDisplayTextFor(TDateTime date) const override;
  // [1 January, 31 December] of the year, as the month range's bounds.
  Variant GetFilterValue(bool date_only, TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

// Ranges relative to today, captioned with a grid text: a period
// `Offset()` days, weeks, months or years away from today's.
class TlxGridRelativeDateRange : public TlxCustomGridDateRange {
 public:
  static constexpr TClass kClass{"TlxGridRelativeDateRange", &TlxCustomGridDateRange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  std::string GetDisplayTextFor(TDateTime date) const override;

 protected:
  virtual const TlxResourceString& Caption() const = 0;
  virtual int32_t Offset() const = 0;
};

// Yesterday, today and tomorrow: exactly today plus the offset, so only a
// date without a time part belongs; the group value is the date.
class TlxGridDayOffsetRange : public TlxGridRelativeDateRange {
 public:
  static constexpr TClass kClass{"TlxGridDayOffsetRange", &TlxGridRelativeDateRange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

// Weeks start on the regional first day; group value: the week's first day
// + 0.1 as a plain number.
class TlxGridWeekOffsetRange : public TlxGridRelativeDateRange {
 public:
  static constexpr TClass kClass{"TlxGridWeekOffsetRange", &TlxGridRelativeDateRange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

// Group value: the month's first day + 0.2 as a plain number.
class TlxGridMonthOffsetRange : public TlxGridRelativeDateRange {
 public:
  static constexpr TClass kClass{"TlxGridMonthOffsetRange", &TlxGridRelativeDateRange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

// Group value: 1 January of the year + 0.3 as a plain number.
class TlxGridYearOffsetRange : public TlxGridRelativeDateRange {
 public:
  static constexpr TClass kClass{"TlxGridYearOffsetRange", &TlxGridRelativeDateRange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  bool Includes(TDateTime date) const override;
  Variant GetGroupValue(TDateTime date) const override;
};

// One concrete relative range: its kind, its offset, its caption, its name.
template <class Kind, int32_t kOffset, const TlxResourceString* kCaption, const char* kName>
class TlxGridOffsetRange final : public Kind {
 public:
  static constexpr TClass kClass{kName, &Kind::kClass, &ConstructInstance<TlxGridOffsetRange>};
  const TClass* ClassType() const override { return &kClass; }

 protected:
  const TlxResourceString& Caption() const override { return *kCaption; }
  int32_t Offset() const override { return kOffset; }
};

inline constexpr char kLxGridYesterdayRange[] = "TlxGridYesterdayRange";
inline constexpr char kLxGridTodayRange[] = "TlxGridTodayRange";
inline constexpr char kLxGridTomorrowRange[] = "TlxGridTomorrowRange";
inline constexpr char kLxGridLastWeekRange[] = "TlxGridLastWeekRange";
inline constexpr char kLxGridThisWeekRange[] = "TlxGridThisWeekRange";
inline constexpr char kLxGridNextWeekRange[] = "TlxGridNextWeekRange";
inline constexpr char kLxGridLastMonthRange[] = "TlxGridLastMonthRange";
inline constexpr char kLxGridThisMonthRange[] = "TlxGridThisMonthRange";
inline constexpr char kLxGridNextMonthRange[] = "TlxGridNextMonthRange";
inline constexpr char kLxGridLastYearRange[] = "TlxGridLastYearRange";
inline constexpr char kLxGridThisYearRange[] = "TlxGridThisYearRange";
inline constexpr char kLxGridNextYearRange[] = "TlxGridNextYearRange";

using TlxGridYesterdayRange = TlxGridOffsetRange<TlxGridDayOffsetRange, -1, &slxGridYesterday, kLxGridYesterdayRange>;
using TlxGridTodayRange = TlxGridOffsetRange<TlxGridDayOffsetRange, 0, &slxGridToday, kLxGridTodayRange>;
using TlxGridTomorrowRange = TlxGridOffsetRange<TlxGridDayOffsetRange, 1, &slxGridTomorrow, kLxGridTomorrowRange>;
using TlxGridLastWeekRange = TlxGridOffsetRange<TlxGridWeekOffsetRange, -1, &slxGridLastWeek, kLxGridLastWeekRange>;
using TlxGridThisWeekRange = TlxGridOffsetRange<TlxGridWeekOffsetRange, 0, &slxGridThisWeek, kLxGridThisWeekRange>;
using TlxGridNextWeekRange = TlxGridOffsetRange<TlxGridWeekOffsetRange, 1, &slxGridNextWeek, kLxGridNextWeekRange>;
using TlxGridLastMonthRange =
    TlxGridOffsetRange<TlxGridMonthOffsetRange, -1, &slxGridLastMonth, kLxGridLastMonthRange>;
using TlxGridThisMonthRange = TlxGridOffsetRange<TlxGridMonthOffsetRange, 0, &slxGridThisMonth, kLxGridThisMonthRange>;
using TlxGridNextMonthRange = TlxGridOffsetRange<TlxGridMonthOffsetRange, 1, &slxGridNextMonth, kLxGridNextMonthRange>;
using TlxGridLastYearRange = TlxGridOffsetRange<TlxGridYearOffsetRange, -1, &slxGridLastYear, kLxGridLastYearRange>;
using TlxGridThisYearRange = TlxGridOffsetRange<TlxGridYearOffsetRange, 0, &slxGridThisYear, kLxGridThisYearRange>;
using TlxGridNextYearRange = TlxGridOffsetRange<TlxGridYearOffsetRange, 1, &slxGridNextYear, kLxGridNextYearRange>;
