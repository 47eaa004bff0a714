#pragma once
// The month-and-year list that the calendar opens on its month caption,
// without its window: which months its rows show, which one is hot, how
// fast it scrolls while the mouse is held beyond its edges, and the month
// a choice gives.

#include <cstdint>

#include "data/calendar_table.h"
#include "platform/rtl/date_time.h"

class TlxMonthListModel {
 public:
  // Opens on the month of `first_date`: seven rows around it in the
  // month-and-year form, else every month of its year.
  void Open(const TlxCustomCalendarTable& table, TDateTime first_date, bool month_and_year_form);

  bool MonthAndYearForm() const { return month_and_year_form_; }
  int32_t ItemCount() const { return item_count_; }
  int32_t TopIndex() const { return top_index_; }
  int32_t HotItem() const { return hot_item_; }
  int32_t ItemHeight() const { return item_height_; }
  void SetItemHeight(int32_t value) { item_height_ = value > 0 ? value : 1; }

  // The first day of the month a row shows; the null date when the table
  // does not take it.
  TDateTime MonthOfRow(int32_t row) const;

  // The mouse at (x, y) in client coordinates of a list of `width` x
  // `height`: inside, the row under it becomes hot and scrolling stops.
  // Outside nothing is hot; above or below the list the answer is the
  // scroll interval in ms (500, 250, 100, 50 for 0 to 3 rows beyond the
  // edge) with `direction` -1 above and 1 below, else 0 (no scrolling).
  int32_t TrackMouse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t& direction);
  // A scroll tick.
  void Scroll(int32_t direction) { top_index_ += direction; }
  // The first of the chosen month; the null date without a hot row.
  TDateTime ChosenMonth() const;

 private:
  const TlxCustomCalendarTable* table_ = nullptr;
  TlxCalendarDate opening_{};
  bool month_and_year_form_ = true;
  int32_t item_count_ = 7;
  int32_t top_index_ = -3;
  int32_t hot_item_ = -1;
  int32_t item_height_ = 16;
};
