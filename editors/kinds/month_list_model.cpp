#include "editors/kinds/month_list_model.h"

#include <algorithm>

#include "data/smart_dates.h"

void TlxMonthListModel::Open(const TlxCustomCalendarTable& table, TDateTime first_date, bool month_and_year_form) {
  table_ = &table;
  table.DecodeDateTimeParts(opening_, first_date);
  opening_.Day = 1;
  month_and_year_form_ = month_and_year_form;
  if (month_and_year_form) {
    item_count_ = 7;
    top_index_ = -3;
  } else {
    item_count_ = table.MonthCountOfEraYear(opening_.Era, opening_.Year);
    top_index_ = 1 - opening_.Month;
  }
  hot_item_ = -1;
}

TDateTime TlxMonthListModel::MonthOfRow(int32_t row) const {
  if (table_ == nullptr)
    return NullDate;
  TlxCalendarDate month = opening_;
  month.Hour = month.Minute = month.Second = 0;
  month.Millisecond = 0;
  if (!table_->DayIsValidInEra(month.Era, month.Year, month.Month, 1))
    return NullDate;
  const TDateTime date = table_->ShiftMonthsOfCalendarDate(month, top_index_ + row);
  // The table answers its earliest date for a month it cannot reach.
  if (date == table_->EarliestDate() && top_index_ + row != 0)
    return NullDate;
  return date >= lxGetMinEditDate() ? date : NullDate;
}

int32_t TlxMonthListModel::TrackMouse(int32_t x, int32_t y, int32_t width, int32_t height, int32_t& direction) {
  direction = 0;
  const bool between_edges = y >= 0 && y < height;
  if (between_edges && x >= 0 && x < width) {
    hot_item_ = std::min(y / item_height_, item_count_ - 1);
    return 0;
  }
  hot_item_ = -1;
  if (between_edges)
    return 0;
  const int32_t distance = y < 0 ? -y : y - (height - 1);
  direction = y < 0 ? -1 : 1;
  const int32_t steps = std::min(distance / item_height_, 3);
  static constexpr int32_t kIntervals[] = {500, 250, 100, 50};
  return kIntervals[steps];
}

TDateTime TlxMonthListModel::ChosenMonth() const { return hot_item_ < 0 ? NullDate : MonthOfRow(hot_item_); }
