#pragma once
// TlxCustomCalendar: the self-drawn month calendar of the date editor's
// drop-down, in its date kind: a header with the month and year between
// navigation arrows, a row of weekday names, 42 day cells, optional week
// numbers and the Today and Clear buttons. The dates it shows and the
// moves of keys, arrows and buttons are the calendar model's.
// TlxPopupCalendar closes its drop-down with the popup close reasons.

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "editors/kinds/button_win.h"
#include "editors/kinds/calendar_model.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/system/lx_timer_win.h"

using TlxCalendarHidePopupEvent = std::function<void(TObject* sender, int32_t reason)>;

class TlxMonthListBox;

class TlxCustomCalendar : public TlxControl {
 public:
  static constexpr TClass kClass{"TlxCustomCalendar", &TlxControl::kClass, &ConstructInstance<TlxCustomCalendar>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCalendar(TComponent* owner);
  ~TlxCustomCalendar() override;

  // Virtual operations, in the order of their slots.
  virtual void CalculateLayout();
  virtual int32_t GetBottomMargin();
  virtual TDateTime GetLastDate() const { return model_.GetLastDate(); }
  virtual TDateTime GetFirstVisibleDate() const { return model_.GetFirstVisibleDate(); }
  virtual TDateTime GetLastVisibleDate() const { return model_.GetLastVisibleDate(); }
  virtual void GetSize(int32_t& width, int32_t& height);
  virtual void HidePopup(TObject* sender, int32_t reason);
  // The date of the grid cell under a client point; the null date off the
  // grid and for cells the calendar leaves empty.
  virtual TDateTime GetDateFromPoint(TPoint point);
  virtual void SetFirstDate(TDateTime date);
  virtual void SetSelectDate(TDateTime date);

  TDateTime FirstDate() const { return model_.FirstDate(); }
  TDateTime SelectDate() const { return model_.SelectDate(); }
  bool ArrowsForYear() const { return arrows_for_year_; }
  void SetArrowsForYear(bool value);
  TDateButtons DateButtons() const { return date_buttons_; }
  void SetDateButtons(TDateButtons value);
  bool WeekNumbers() const { return week_numbers_; }
  void SetWeekNumbers(bool value);
  bool Flat() const { return flat_; }
  void SetFlat(bool value);

  // The layout, for hit tests.
  TRect GridRect() const { return grid_; }
  TRect CellRect(int32_t column, int32_t row) const;
  TRect ArrowRect(TlxCalendarArrow arrow) const { return arrows_[arrow]; }
  bool HasArrow(TlxCalendarArrow arrow) const { return !arrows_[arrow].IsEmpty(); }
  TlxButton* Button(TCalendarButton button) const { return buttons_[button]; }
  bool IsRepeating() const { return repeat_timer_->Enabled(); }
  // What the month list opens on.
  int32_t HeaderHeight() const { return header_height_; }
  int32_t CellWidth() const { return cell_width_; }
  TRect MonthCaptionRect() const { return month_caption_; }
  const TlxCustomCalendarTable& CalendarTable() const { return model_.Table(); }
  // The month list, made on first use; shown by a press on the month caption.
  TlxMonthListBox& MonthListBox();

  // The user picked a date (a cell, a key followed by Enter, a button).
  std::function<void()> OnDateSelected;

 protected:
  void DoDateSelected() {
    if (OnDateSelected)
      OnDateSelected();
  }
  // A click selects the cell without moving the month; selections repaint.
  void SelectCellDate(TDateTime date);

  void Paint() override;
  void CreateWnd() override;
  void FontChanged() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 private:
  void ButtonClicked(TObject* sender);
  void RepeatTick();
  void ApplyArrowsUnderMouse();
  void PaintHeader(TlxCanvas& canvas);
  void PaintDayNames(TlxCanvas& canvas);
  void PaintCells(TlxCanvas& canvas);
  void PaintWeekNumbers(TlxCanvas& canvas);

  TlxCalendarModel model_;
  bool arrows_for_year_ = true;
  TDateButtons date_buttons_ = lxDateButton(btnClear) | lxDateButton(btnToday);
  bool week_numbers_ = false;
  bool flat_ = true;
  std::array<TlxButton*, 4> buttons_{};  // owned by the calendar as components
  std::unique_ptr<TlxTimer> repeat_timer_;
  std::unique_ptr<TlxMonthListBox> month_list_;
  bool released_after_repeat_ = false;

  int32_t cell_width_ = 0;
  int32_t cell_height_ = 0;
  int32_t header_height_ = 0;
  int32_t day_name_height_ = 0;
  int32_t side_margin_ = 0;
  int32_t week_column_width_ = 0;
  int32_t button_width_ = 0;
  int32_t button_height_ = 0;
  int32_t button_area_height_ = 0;
  int32_t width_ = 20;
  int32_t height_ = 20;
  std::array<TRect, 4> arrows_{};
  TRect month_caption_;
  TRect year_caption_;
  TRect header_;
  TRect grid_;
};

class TlxPopupCalendar : public TlxCustomCalendar {
 public:
  static constexpr TClass kClass{"TlxPopupCalendar", &TlxCustomCalendar::kClass, &ConstructInstance<TlxPopupCalendar>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomCalendar::TlxCustomCalendar;

  void HidePopup(TObject* sender, int32_t reason) override;

  TlxCalendarHidePopupEvent OnHidePopup;

 protected:
  virtual void DoHidePopup(TObject* sender, int32_t reason) {
    if (OnHidePopup)
      OnHidePopup(sender, reason);
  }
  void KeyDown(uint16_t& key, TShiftState shift) override;
};
