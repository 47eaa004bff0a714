#pragma once
// TlxMonthListBox: the small list the calendar opens on its month caption.
// In the month-and-year form it shows seven months around the calendar's
// and follows the held mouse button (scrolling through the months while
// the mouse stays above or below it; the release chooses); in the
// month-only form it lists the months of the shown year and a click
// chooses. A choice moves the calendar to the first of that month.

#include <windows.h>

#include <memory>

#include "editors/kinds/month_list_model.h"
#include "editors/popup_window_win.h"

class TlxCustomCalendar;
class TlxTimer;

class TlxMonthListBox : public TlxCustomPopupWindow {
 public:
  static constexpr TClass kClass{"TlxMonthListBox", &TlxCustomPopupWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxMonthListBox(TlxCustomCalendar* calendar);
  ~TlxMonthListBox() override;

  void CalcPosition(TPoint& position) override { position = position_; }
  void ClosePopup() override;
  void FireShowed() override;
  // Opens on the calendar's month caption.
  void ShowPopupFocused(TWinControl* control) override;

  const TlxMonthListModel& Model() const { return model_; }
  TlxTimer& ScrollTimer() const { return *scroll_timer_; }
  // The month-and-year form: the calendar has no year arrows.
  bool MonthAndYearForm() const;
  // The client rectangle of a row.
  TRect RowRect(int32_t row);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Click() override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void Paint() override;

 private:
  void ScrollTick();
  // Closes the list, moving the calendar to the hot month when one is.
  void Choose();

  TlxCustomCalendar* calendar_;
  TlxMonthListModel model_;
  std::unique_ptr<TlxTimer> scroll_timer_;
  int32_t scroll_direction_ = 0;
  TPoint position_;
};
