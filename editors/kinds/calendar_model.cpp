#include "editors/kinds/calendar_model.h"

#include <cmath>

#include "data/date_arithmetic.h"
#include "data/smart_dates.h"
#include "platform/rtl/clock.h"

namespace {

constexpr uint16_t kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24;
constexpr uint16_t kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28;

TDateTime Today() { return lxDateOfDateTime(ClockNow()); }

}  // namespace

bool lxIsCalendarDateInRange(TDateTime date) { return date >= lxGetMinEditDate() && date <= kLxMaxEditDate; }

TlxCalendarModel::TlxCalendarModel() : table_(lxCreateLocaleCalendarTable()) {
  select_date_ = Today();
  SetFirstDate(select_date_);
}

bool TlxCalendarModel::SetFirstDate(TDateTime date) {
  if (!lxIsCalendarDateInRange(date))
    return false;
  TlxCalendarDate parts;
  table_->DecodeDateTimeParts(parts, date);
  parts.Day = 1;
  parts.Hour = parts.Minute = parts.Second = 0;
  parts.Millisecond = 0;
  const TDateTime first = table_->EncodeCalendarDate(parts);
  if (first == first_date_)
    return false;
  first_date_ = first;
  return true;
}

bool TlxCalendarModel::SetSelectDate(TDateTime date, bool follow_month) {
  if (date == select_date_ || (date != NullDate && !lxIsCalendarDateInRange(date)))
    return false;
  select_date_ = date;
  if (follow_month && date != NullDate)
    SetFirstDate(date);
  return true;
}

TDateTime TlxCalendarModel::GetFirstVisibleDate() const {
  const int32_t offset = lxDayOfWeekOffset(first_date_);
  if (offset == 0 && first_date_ > lxGetMinEditDate())
    return first_date_ - 7;
  return first_date_ - offset;
}

TDateTime TlxCalendarModel::GetLastDate() const {
  TlxCalendarDate parts;
  table_->DecodeDateTimeParts(parts, first_date_);
  return first_date_ + table_->DayCountOfEraMonth(parts.Era, parts.Year, parts.Month) - 1;
}

bool TlxCalendarModel::IsDateShown(TDateTime date) const {
  return lxIsCalendarDateInRange(date) && table_->DateTimeIsValid(date);
}

TDateTime TlxCalendarModel::MarkedDate() const { return select_date_ == NullDate ? Today() : select_date_; }

bool TlxCalendarModel::HandleKey(uint16_t key, uint32_t shift) {
  const TDateTime date = select_date_ == NullDate ? Today() : lxDateOfDateTime(select_date_);
  const bool ctrl_alone = shift == kLxCalendarCtrl;
  switch (key) {
    case kVkLeft:
      SetSelectDate(date - 1);
      return true;
    case kVkRight:
      SetSelectDate(date + 1);
      return true;
    case kVkUp:
    case kVkDown:
      if (shift != kLxCalendarAlt)
        SetSelectDate(date + (key == kVkUp ? -7 : 7));
      return true;
    case kVkHome:
      if (ctrl_alone) {
        TlxCalendarDate parts;
        table_->DecodeDateTimeParts(parts, date);
        SetSelectDate(date - (parts.Day - 1));
      } else {
        SetSelectDate(date - lxDayOfWeekOffset(date));
      }
      return true;
    case kVkEnd:
      if (ctrl_alone) {
        TlxCalendarDate parts;
        table_->DecodeDateTimeParts(parts, date);
        SetSelectDate(date - parts.Day + table_->DayCountOfEraMonth(parts.Era, parts.Year, parts.Month));
      } else {
        SetSelectDate(date + 6 - lxDayOfWeekOffset(date));
      }
      return true;
    case kVkPrior:
    case kVkNext:
      SetSelectDate(table_->ShiftMonthsOfDateTime(date, key == kVkPrior ? -1 : 1));
      return true;
    default:
      return false;
  }
}

void TlxCalendarModel::ApplyArrow(TlxCalendarArrow arrow) {
  switch (arrow) {
    case caPrevMonth:
    case caNextMonth:
      SetFirstDate(table_->ShiftMonthsOfDateTime(first_date_, arrow == caPrevMonth ? -1 : 1));
      break;
    case caPrevYear:
    case caNextYear:
      SetFirstDate(table_->ShiftYearsOfDateTime(first_date_, arrow == caPrevYear ? -1 : 1));
      break;
  }
}

TDateTime TlxCalendarModel::ButtonDate(TCalendarButton button, double time) const {
  switch (button) {
    case btnClear:
      return NullDate;
    case btnNow:
      return ClockNow();
    case btnToday:
      return lxDateWithTime(Today(), time);
    case btnOk:
      return select_date_ == NullDate ? NullDate : lxDateWithTime(select_date_, time);
  }
  return NullDate;
}
