#include "editors/kinds/month_list_win.h"

#include "data/smart_dates.h"
#include "editors/kinds/calendar_win.h"
#include "platform/toolkit/color.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "platform/rtl/text.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

constexpr uint32_t kFirstScrollInterval = 200;

}  // namespace

TlxMonthListBox::TlxMonthListBox(TlxCustomCalendar* calendar)
    : TlxCustomPopupWindow(calendar), calendar_(calendar), scroll_timer_(std::make_unique<TlxTimer>(nullptr)) {
  AutoSizeToChildren = false;
  ChangeFocusCapture(false);
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csOpaque);
  scroll_timer_->SetEnabled(false);
  scroll_timer_->SetInterval(kFirstScrollInterval);
  scroll_timer_->SetOnTimer([this](TObject*) { ScrollTick(); });
}

TlxMonthListBox::~TlxMonthListBox() { scroll_timer_->SetEnabled(false); }

bool TlxMonthListBox::MonthAndYearForm() const { return !calendar_->ArrowsForYear(); }

void TlxMonthListBox::CreateParams(TCreateParams& params) {
  TlxCustomPopupWindow::CreateParams(params);
  params.WindowClass.style |= CS_SAVEBITS;
}

TRect TlxMonthListBox::RowRect(int32_t row) {
  const int32_t height = model_.ItemHeight();
  return TRect(1, 1 + row * height, ClientWidth() - 1, 1 + (row + 1) * height);
}

void TlxMonthListBox::ShowPopupFocused(TWinControl* control) {
  const bool month_and_year = MonthAndYearForm();
  model_.Open(calendar_->CalendarTable(), calendar_->FirstDate(), month_and_year);
  model_.SetItemHeight(calendar_->HeaderHeight() - 2);
  // A click chooses only in the month-only form; the other form chooses on
  // the release of the button that opened it.
  if (month_and_year)
    ControlStyle().Exclude(csClickEvents);
  else
    ControlStyle().Include(csClickEvents);
  Font().Assign(&calendar_->Font());
  const int32_t width = 6 * calendar_->CellWidth() + 2;
  const int32_t height = model_.ItemCount() * model_.ItemHeight() + 2;
  SetBounds(Left(), Top(), width, height);
  const TRect caption = calendar_->MonthCaptionRect();
  const TPoint centre = calendar_->ClientToScreen(
      TPoint((caption.Left + caption.Right) / 2, (caption.Top + caption.Bottom) / 2));
  position_ = TPoint(centre.X - width / 2, centre.Y - height / 2);
  TlxCustomPopupWindow::ShowPopupFocused(control);
}

void TlxMonthListBox::FireShowed() {
  TlxCustomPopupWindow::FireShowed();
  if (!HandleAllocated())
    return;
  if (MonthAndYearForm())
    SetCapture(WindowHandle());
  else if (GetCapture() != nullptr)
    ReleaseCapture();
}

void TlxMonthListBox::ClosePopup() {
  scroll_timer_->SetEnabled(false);
  if (HandleAllocated() && GetCapture() == WindowHandle())
    ReleaseCapture();
  TlxCustomPopupWindow::ClosePopup();
}

void TlxMonthListBox::Choose() {
  const TDateTime chosen = model_.ChosenMonth();
  ClosePopup();
  if (chosen != NullDate)
    calendar_->SetFirstDate(chosen);
}

void TlxMonthListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxCustomPopupWindow::MouseMove(shift, x, y);
  const int32_t old_hot = model_.HotItem();
  int32_t direction = 0;
  const int32_t interval = model_.TrackMouse(x, y, ClientWidth(), ClientHeight(), direction);
  if (interval == 0) {
    scroll_timer_->SetEnabled(false);
  } else {
    scroll_direction_ = direction;
    if (!scroll_timer_->Enabled() || scroll_timer_->Interval() != static_cast<uint32_t>(interval)) {
      scroll_timer_->SetInterval(static_cast<uint32_t>(interval));
      scroll_timer_->SetEnabled(true);
    }
  }
  if (model_.HotItem() != old_hot)
    Invalidate();
}

void TlxMonthListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxCustomPopupWindow::MouseUp(button, shift, x, y);
  if (MonthAndYearForm())
    Choose();
}

void TlxMonthListBox::Click() {
  TlxCustomPopupWindow::Click();
  if (!MonthAndYearForm())
    Choose();
}

void TlxMonthListBox::ScrollTick() {
  model_.Scroll(scroll_direction_);
  Invalidate();
}

void TlxMonthListBox::Paint() {
  TCanvas& canvas = Canvas();
  const TRect client = ClientRect();
  canvas.Brush().SetColor(clBlack);
  canvas.FrameRect(client);
  canvas.Font().Assign(&Font());
  SetBkMode(canvas.Handle(), TRANSPARENT);
  const TColor calendar_color = calendar_->Color();
  for (int32_t row = 0; row < model_.ItemCount(); ++row) {
    const bool hot = row == model_.HotItem();
    const TRect rect = RowRect(row);
    canvas.Brush().SetColor(hot ? clWindowText : calendar_color);
    canvas.FillRect(rect);
    const TDateTime month = model_.MonthOfRow(row);
    if (month == NullDate)
      continue;
    canvas.Font().SetColor(hot ? calendar_color : clWindowText);
    const std::string text = model_.MonthAndYearForm() ? lxGetCalendarMonthYearText(&calendar_->CalendarTable(), month)
                                                       : lxGetCalendarMonthName(&calendar_->CalendarTable(), month);
    RECT bounds{rect.Left, rect.Top, rect.Right, rect.Bottom};
    const std::u16string wide = Utf8ToUtf16(text);
    DrawTextW(canvas.Handle(), reinterpret_cast<const wchar_t*>(wide.c_str()), static_cast<int>(wide.size()), &bounds,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}
