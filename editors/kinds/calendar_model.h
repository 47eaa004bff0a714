#pragma once
// The month calendar's dates without its window: the selected date, the
// first day of the shown month, the 42 dates of the grid, what the keys,
// the arrows and the date buttons do. Month arithmetic goes through the
// calendar table of the user locale, so non-Gregorian calendars work too.

#include <cstdint>
#include <memory>

#include "data/calendar_table.h"
#include "editors/kinds/date_edit_properties.h"

// The shift-state bits the keys are read with.
inline constexpr uint32_t kLxCalendarShift = 1;
inline constexpr uint32_t kLxCalendarAlt = 2;
inline constexpr uint32_t kLxCalendarCtrl = 4;

// The header arrows.
enum TlxCalendarArrow : uint8_t { caPrevMonth, caNextMonth, caPrevYear, caNextYear };

class TlxCalendarModel {
 public:
  // Today selected and its month shown.
  TlxCalendarModel();

  const TlxCustomCalendarTable& Table() const { return *table_; }
  TDateTime SelectDate() const { return select_date_; }
  TDateTime FirstDate() const { return first_date_; }

  // Dates outside the accepted range are ignored; the first of the date's
  // month becomes FirstDate. Answers whether FirstDate changed.
  bool SetFirstDate(TDateTime date);
  // Selects a date (nothing for the same date or one out of range); with
  // `follow_month` a real date also moves FirstDate to its month. Answers
  // whether the selection changed.
  bool SetSelectDate(TDateTime date, bool follow_month = true);

  // The grid: row 0 starts FirstDate's weekday offset before it, or a whole
  // week earlier when the month starts the week (not at the lowest date).
  TDateTime GetFirstVisibleDate() const;
  TDateTime GetLastVisibleDate() const { return GetFirstVisibleDate() + 41; }
  TDateTime GetLastDate() const;
  TDateTime GridDate(int32_t column, int32_t row) const { return GetFirstVisibleDate() + 7 * row + column; }
  // Whether the table takes the date (empty cells otherwise).
  bool IsDateShown(TDateTime date) const;
  // The date a cell shows selected: SelectDate, or today without one.
  TDateTime MarkedDate() const;

  // A navigation key (virtual-key code) applied to SelectDate; answers
  // whether the key was one of them.
  bool HandleKey(uint16_t key, uint32_t shift);
  void ApplyArrow(TlxCalendarArrow arrow);
  // The date a button stands for: Clear the null date, Now the present,
  // Today today, OK SelectDate; the last two with `time` of the clock.
  TDateTime ButtonDate(TCalendarButton button, double time) const;

 private:
  std::unique_ptr<TlxCustomCalendarTable> table_;
  TDateTime select_date_ = NullDate;
  TDateTime first_date_ = NullDate;
};

// Whether a date lies from 1 January 100 to 31 December 9999 (the null
// date does not).
bool lxIsCalendarDateInRange(TDateTime date);
