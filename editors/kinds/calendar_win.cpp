#include "editors/kinds/calendar_win.h"

#include <algorithm>

#include "data/date_arithmetic.h"
#include "data/format_controller.h"
#include "data/smart_dates.h"
#include "editors/edit_strings.h"
#include "editors/kinds/month_list_win.h"
#include "platform/rtl/clock.h"
#include "platform/toolkit/color.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

constexpr TColor kTodayFrameColor = 0x000080;  // RGB 128, 0, 0

// Stores a changed setting; answers whether it changed.
template <class T>
bool StoreSetting(T& field, T value) {
  if (field == value)
    return false;
  field = value;
  return true;
}

// The button of a tag: Clear 0, Now 1, Today 2, OK 3.
TCalendarButton ButtonOfTag(intptr_t tag) { return static_cast<TCalendarButton>(std::clamp<intptr_t>(tag, 0, 3)); }

}  // namespace

TlxCustomCalendar::TlxCustomCalendar(TComponent* owner) : TlxControl(owner) {
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csOpaque);
  TlxWantedKeys keys;
  keys.Include(wkAll);
  SetWantedKeys(keys);
  SetParentColor(false);
  SetColor(clWindow);
  struct Made {
    TCalendarButton button;
    int32_t tab_order;
    const TlxResourceString* caption;
  };
  const Made made[] = {{btnToday, 1, &lxSDatePopupToday},
                       {btnNow, 2, &lxSDatePopupNow},
                       {btnClear, 3, &lxSDatePopupClear},
                       {btnOk, 4, &lxSDatePopupOK}};
  for (const Made& m : made) {
    auto* button = new TlxButton(this);
    button->SetTag(m.button);
    button->SetCaption(lxEditResString(*m.caption));
    button->SetUseSystemPaint(false);
    button->SetTabStop(false);
    button->SetVisible(false);
    button->OnClick = [this](TObject* sender) { ButtonClicked(sender); };
    buttons_[m.button] = button;
  }
  buttons_[btnOk]->SetDefault(true);
  repeat_timer_ = std::make_unique<TlxTimer>(nullptr);
  repeat_timer_->SetEnabled(false);
  repeat_timer_->SetInterval(200);
  repeat_timer_->SetOnTimer([this](TObject*) { RepeatTick(); });
  SetBounds(Left(), Top(), width_, height_);
}

TlxCustomCalendar::~TlxCustomCalendar() { repeat_timer_->SetEnabled(false); }

TlxMonthListBox& TlxCustomCalendar::MonthListBox() {
  if (!month_list_)
    month_list_ = std::make_unique<TlxMonthListBox>(this);
  return *month_list_;
}

// --- settings ------------------------------------------------------------------------------------

void TlxCustomCalendar::SetArrowsForYear(bool value) {
  if (StoreSetting(arrows_for_year_, value))
    CalculateLayout();
}

void TlxCustomCalendar::SetDateButtons(TDateButtons value) {
  if (StoreSetting(date_buttons_, value))
    CalculateLayout();
}

void TlxCustomCalendar::SetWeekNumbers(bool value) {
  if (StoreSetting(week_numbers_, value))
    CalculateLayout();
}

void TlxCustomCalendar::SetFlat(bool value) {
  if (StoreSetting(flat_, value))
    Invalidate();
}

void TlxCustomCalendar::SetFirstDate(TDateTime date) {
  if (model_.SetFirstDate(date))
    Invalidate();
}

void TlxCustomCalendar::SetSelectDate(TDateTime date) {
  if (model_.SetSelectDate(date, true))
    Invalidate();
}

void TlxCustomCalendar::SelectCellDate(TDateTime date) {
  if (model_.SetSelectDate(date, false) && HandleAllocated())
    InvalidateRect(grid_, false);
}

// --- layout --------------------------------------------------------------------------------------

int32_t TlxCustomCalendar::GetBottomMargin() { return Font().Size() / 2; }

void TlxCustomCalendar::CreateWnd() {
  TlxControl::CreateWnd();
  for (TlxButton* button : buttons_)
    button->SetParent(this);
  CalculateLayout();
}

void TlxCustomCalendar::FontChanged() {
  TlxControl::FontChanged();
  CalculateLayout();
}

void TlxCustomCalendar::GetSize(int32_t& width, int32_t& height) {
  width = width_;
  height = height_;
}

void TlxCustomCalendar::CalculateLayout() {
  if (!HandleAllocated())
    return;
  TlxCanvas& canvas = CurrentCanvas();
  canvas.AssignFont(Font());
  const TSize zero = canvas.MeasureTextExtent("0");
  const int32_t font_size = Font().Size();
  cell_width_ = 3 * zero.cx;
  side_margin_ = 2 * zero.cx;
  cell_height_ = zero.cy + 2;
  header_height_ = zero.cy + 5;
  day_name_height_ = cell_height_ + 1;
  week_column_width_ = 0;
  if (week_numbers_) {
    TFont small;
    small.Assign(&Font());
    small.SetSize(font_size * 2 / 3);
    canvas.AssignFont(small);
    week_column_width_ = canvas.MeasureTextWidth("99") + 5;
    canvas.AssignFont(Font());
  }
  const bool today = (date_buttons_ & lxDateButton(btnToday)) != 0;
  const bool clear = (date_buttons_ & lxDateButton(btnClear)) != 0;
  int32_t widest = 0;
  for (TCalendarButton button : {btnToday, btnClear}) {
    if ((date_buttons_ & lxDateButton(button)) != 0)
      widest = std::max(widest, canvas.MeasureTextWidth(buttons_[button]->Caption()));
  }
  button_width_ = widest + cell_width_;
  button_height_ = canvas.MeasureTextHeight("Wg") * 20 / 13 + 1;
  button_area_height_ = font_size * 3 / 4 + button_height_ + font_size / 2;

  const int32_t grid_part = week_column_width_ + 2 * side_margin_ + 7 * cell_width_;
  const int32_t shown_buttons = (today ? 1 : 0) + (clear ? 1 : 0);
  const int32_t buttons_width = cell_width_ + shown_buttons * (button_width_ + cell_width_);
  width_ = std::max(grid_part, buttons_width);
  const int32_t shift = (width_ - grid_part) / 2;
  height_ = day_name_height_ + 6 * cell_height_ + header_height_ + 2 + (shown_buttons > 0 ? button_area_height_ : 0);

  header_ = TRect(0, 0, width_, header_height_);
  grid_ = TRect(shift + week_column_width_ + side_margin_, header_height_ + day_name_height_,
                shift + week_column_width_ + side_margin_ + 7 * cell_width_,
                header_height_ + day_name_height_ + 6 * cell_height_);
  // The arrows are squares of the header's height at its ends; with year
  // arrows the month and year each have a pair round their caption.
  const int32_t arrow = header_height_;
  arrows_ = {};
  arrows_[caPrevMonth] = TRect(0, 0, arrow, arrow);
  if (!arrows_for_year_) {
    arrows_[caNextMonth] = TRect(width_ - arrow, 0, width_, arrow);
    month_caption_ = TRect(arrow, 0, width_ - arrow, arrow);
    year_caption_ = TRect();
  } else {
    const int32_t free_width = width_ - 4 * arrow;
    int32_t widest_month = 1;
    for (int32_t month = 1; month <= 12; ++month)
      widest_month = std::max(widest_month, canvas.MeasureTextWidth(lxGetCalendarMonthNameOf(2000, month, nullptr)));
    const int32_t widest_year = std::max(1, canvas.MeasureTextWidth(lxGetCalendarYearText(nullptr, FirstDate())));
    const int32_t month_width = free_width * widest_month / (widest_month + widest_year);
    month_caption_ = TRect(arrow, 0, arrow + month_width, arrow);
    arrows_[caNextMonth] = TRect(month_caption_.Right, 0, month_caption_.Right + arrow, arrow);
    arrows_[caPrevYear] = TRect(arrows_[caNextMonth].Right, 0, arrows_[caNextMonth].Right + arrow, arrow);
    year_caption_ = TRect(arrows_[caPrevYear].Right, 0, width_ - arrow, arrow);
    arrows_[caNextYear] = TRect(width_ - arrow, 0, width_, arrow);
  }
  // Today and Clear share the row under the grid: one is centred, two
  // split the free width into three equal gaps, Today on the left.
  const int32_t button_top = grid_.Bottom + 2 + font_size / 2;
  std::vector<TlxButton*> shown;
  if (today)
    shown.push_back(buttons_[btnToday]);
  if (clear)
    shown.push_back(buttons_[btnClear]);
  const int32_t gap = shown.empty() ? 0 : (width_ - static_cast<int32_t>(shown.size()) * button_width_) /
                                              (static_cast<int32_t>(shown.size()) + 1);
  int32_t left = gap;
  for (TlxButton* button : buttons_)
    button->SetVisible(false);
  for (TlxButton* button : shown) {
    button->SetBounds(left, button_top, button_width_, button_height_);
    button->SetVisible(true);
    left += button_width_ + gap;
  }
  SetBounds(Left(), Top(), width_, height_);
  Invalidate();
}

TRect TlxCustomCalendar::CellRect(int32_t column, int32_t row) const {
  const int32_t left = grid_.Left + column * cell_width_;
  const int32_t top = grid_.Top + row * cell_height_;
  return TRect(left, top, left + cell_width_, top + cell_height_);
}

TDateTime TlxCustomCalendar::GetDateFromPoint(TPoint point) {
  if (cell_width_ == 0 || point.X < grid_.Left || point.X >= grid_.Right || point.Y < grid_.Top ||
      point.Y >= grid_.Bottom)
    return NullDate;
  const TDateTime date =
      model_.GridDate((point.X - grid_.Left) / cell_width_, (point.Y - grid_.Top) / cell_height_);
  return model_.IsDateShown(date) ? date : NullDate;
}

// --- painting ------------------------------------------------------------------------------------

void TlxCustomCalendar::Paint() {
  TlxCanvas& canvas = Canvas();
  canvas.AssignFont(Font());
  canvas.FillRectColor(GetClientBounds(), Color());
  PaintHeader(canvas);
  PaintDayNames(canvas);
  PaintCells(canvas);
  if (week_numbers_)
    PaintWeekNumbers(canvas);
  if (buttons_[btnToday]->Visible() || buttons_[btnClear]->Visible())
    canvas.FillRectColor(TRect(grid_.Left, grid_.Bottom + 1, grid_.Right, grid_.Bottom + 2), clBtnShadow);
}

void TlxCustomCalendar::PaintHeader(TlxCanvas& canvas) {
  const TColor header_color = GetPainter()->GetDefaultDateNavigatorHeaderColor();
  canvas.FillRectColor(header_, header_color);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.Font().SetColor(clBtnText);
  canvas.Brush().SetColor(clBtnText);
  canvas.Pen().SetColor(clBtnText);
  for (int32_t i = 0; i < 4; ++i) {
    const TRect& r = arrows_[static_cast<size_t>(i)];
    if (r.IsEmpty())
      continue;
    const int32_t cx = (r.Left + r.Right) / 2;
    const int32_t cy = (r.Top + r.Bottom) / 2;
    const int32_t size = std::max(2, r.Height() / 4);
    const bool back = i == caPrevMonth || i == caPrevYear;
    const int32_t tip = back ? cx - size / 2 : cx + size / 2;
    const int32_t base = back ? tip + size : tip - size;
    canvas.Polygon({TPoint(tip, cy), TPoint(base, cy - size), TPoint(base, cy + size)});
  }
  if (year_caption_.IsEmpty()) {
    canvas.DrawTextInRect(lxGetCalendarMonthYearText(nullptr, FirstDate()), month_caption_,
                          lxtfCenterX | lxtfCenterY | lxtfSingleLine);
  } else {
    canvas.DrawTextInRect(lxGetCalendarMonthName(nullptr, FirstDate()), month_caption_,
                          lxtfCenterX | lxtfCenterY | lxtfSingleLine);
    canvas.DrawTextInRect(lxGetCalendarYearText(nullptr, FirstDate()), year_caption_,
                          lxtfCenterX | lxtfCenterY | lxtfSingleLine);
  }
  if (flat_)
    canvas.FillRectColor(TRect(header_.Left, header_.Bottom - 1, header_.Right, header_.Bottom), clBtnText);
}

void TlxCustomCalendar::PaintDayNames(TlxCanvas& canvas) {
  const int32_t top = header_.Bottom;
  canvas.Font().SetColor(clWindowText);
  // The first column is the format controller's first day of the week
  // (0 Sunday); the names count 1 Monday to 7 Sunday.
  const int32_t first = lxGetFormatController().WeekStartDay();
  for (int32_t column = 0; column < 7; ++column) {
    const int32_t weekday = (first + column + 6) % 7 + 1;
    TRect cell(grid_.Left + column * cell_width_, top, grid_.Left + (column + 1) * cell_width_ - 3,
               top + day_name_height_ - 2);
    canvas.DrawTextInRect(lxGetWeekDayName(weekday, 0), cell, lxtfRight | lxtfCenterY | lxtfSingleLine);
  }
  canvas.FillRectColor(TRect(grid_.Left, top + day_name_height_ - 2, grid_.Right, top + day_name_height_ - 1),
                       clBtnShadow);
  canvas.FillRectColor(TRect(grid_.Left, top + day_name_height_ - 1, grid_.Right, top + day_name_height_),
                       clWindow);
}

void TlxCustomCalendar::PaintCells(TlxCanvas& canvas) {
  const TlxCustomLookAndFeelPainter* painter = GetPainter();
  const TDateTime marked = lxDateOfDateTime(model_.MarkedDate());
  const TDateTime today = lxDateOfDateTime(ClockNow());
  for (int32_t row = 0; row < 6; ++row) {
    for (int32_t column = 0; column < 7; ++column) {
      TRect cell = CellRect(column, row);
      const TDateTime date = model_.GridDate(column, row);
      if (!model_.IsDateShown(date))
        continue;
      const bool selected = date == marked;
      if (date == today) {
        canvas.FrameRectSides(cell, kTodayFrameColor, 1, 0x0F);
        cell = TRect(cell.Left + 1, cell.Top + 1, cell.Right - 1, cell.Bottom - 1);
      }
      canvas.FillRectColor(cell, selected ? painter->GetDefaultDateNavigatorSelectionColor() : Color());
      const bool in_month = date >= FirstDate() && date <= GetLastDate();
      TColor text = in_month ? clWindowText : clGrayText;
      if (selected)
        text = painter->GetDefaultDateNavigatorSelectionTextColor();
      canvas.Font().SetColor(text);
      canvas.DrawTextInRect(lxDayNumberText(date), TRect(cell.Left, cell.Top, cell.Right - 3, cell.Bottom),
                            lxtfRight | lxtfCenterY | lxtfSingleLine);
    }
  }
}

void TlxCustomCalendar::PaintWeekNumbers(TlxCanvas& canvas) {
  TFont small;
  small.Assign(&Font());
  small.SetSize(Font().Size() * 2 / 3);
  canvas.AssignFont(small);
  canvas.Font().SetColor(clWindowText);
  const TlxFormatController& controller = lxGetFormatController();
  for (int32_t row = 0; row < 6; ++row) {
    const TDateTime first = model_.GridDate(0, row);
    if (!model_.IsDateShown(first))
      continue;
    const int32_t week = model_.Table().WeekNumberOfDateTime(first, controller.WeekStartDay(), controller.FirstWeekRule());
    const TRect cell(grid_.Left - side_margin_ - week_column_width_, grid_.Top + row * cell_height_,
                     grid_.Left - side_margin_, grid_.Top + (row + 1) * cell_height_);
    canvas.DrawTextInRect(std::to_string(week), cell, lxtfCenterX | lxtfCenterY | lxtfSingleLine);
  }
  const int32_t line = grid_.Left - side_margin_;
  canvas.FillRectColor(TRect(line, grid_.Top, line + 1, grid_.Bottom), clBtnShadow);
  canvas.AssignFont(Font());
}

// --- input ---------------------------------------------------------------------------------------

void TlxCustomCalendar::KeyDown(uint16_t& key, TShiftState shift) {
  uint32_t state = 0;
  if (shift.Contains(ssShift))
    state |= kLxCalendarShift;
  if (shift.Contains(ssAlt))
    state |= kLxCalendarAlt;
  if (shift.Contains(ssCtrl))
    state |= kLxCalendarCtrl;
  const TDateTime before = model_.SelectDate();
  const TDateTime first_before = model_.FirstDate();
  if (model_.HandleKey(key, state) && (before != model_.SelectDate() || first_before != model_.FirstDate()))
    Invalidate();
  TlxControl::KeyDown(key, shift);
}

void TlxCustomCalendar::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseDown(button, shift, x, y);
  if (button != mbLeft)
    return;
  released_after_repeat_ = false;
  const TDateTime date = GetDateFromPoint(TPoint(x, y));
  if (date != NullDate) {
    SelectCellDate(date);
    return;
  }
  if (month_caption_.Contains(TPoint(x, y))) {
    MonthListBox().ShowPopupFocused(nullptr);
    return;
  }
  for (int32_t i = 0; i < 4; ++i) {
    const TRect& r = arrows_[static_cast<size_t>(i)];
    if (!r.IsEmpty() && r.Contains(TPoint(x, y))) {
      model_.ApplyArrow(static_cast<TlxCalendarArrow>(i));
      Invalidate();
      repeat_timer_->SetEnabled(true);
      return;
    }
  }
}

void TlxCustomCalendar::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  if (!shift.Contains(ssLeft) || repeat_timer_->Enabled())
    return;
  const TDateTime date = GetDateFromPoint(TPoint(x, y));
  if (date != NullDate)
    SelectCellDate(date);
}

void TlxCustomCalendar::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseUp(button, shift, x, y);
  if (repeat_timer_->Enabled()) {
    repeat_timer_->SetEnabled(false);
    return;
  }
  const TPoint point(x, y);
  const bool inside = GetClientBounds().Contains(point);
  if (!inside || month_caption_.Contains(point) || year_caption_.Contains(point) || header_.Contains(point))
    return;
  const bool on_cell = GetDateFromPoint(point) != NullDate;
  HidePopup(this, 4);
  if (on_cell)
    DoDateSelected();
}

void TlxCustomCalendar::RepeatTick() { ApplyArrowsUnderMouse(); }

void TlxCustomCalendar::ApplyArrowsUnderMouse() {
  if (!HandleAllocated())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  for (int32_t i = 0; i < 4; ++i) {
    const TRect& r = arrows_[static_cast<size_t>(i)];
    if (!r.IsEmpty() && r.Contains(TPoint(cursor.x, cursor.y))) {
      model_.ApplyArrow(static_cast<TlxCalendarArrow>(i));
      Invalidate();
    }
  }
}

void TlxCustomCalendar::ButtonClicked(TObject* sender) {
  const auto* button = dynamic_cast<TlxButton*>(sender);
  if (button == nullptr)
    return;
  const TDateTime date = model_.ButtonDate(ButtonOfTag(button->Tag()), 0);
  model_.SetSelectDate(date, true);
  Invalidate();
  DoDateSelected();
  HidePopup(this, 4);
}

void TlxCustomCalendar::HidePopup(TObject* /*sender*/, int32_t /*reason*/) { repeat_timer_->SetEnabled(false); }

// --- TlxPopupCalendar ----------------------------------------------------------------------------

void TlxPopupCalendar::HidePopup(TObject* sender, int32_t reason) {
  TlxCustomCalendar::HidePopup(sender, reason);
  DoHidePopup(sender, reason);
}

void TlxPopupCalendar::KeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomCalendar::KeyDown(key, shift);
  const bool alt = shift.Contains(ssAlt);
  switch (key) {
    case VK_RETURN:
      HidePopup(this, 4);
      DoDateSelected();
      break;
    case VK_ESCAPE:
      HidePopup(this, 3);
      break;
    case VK_UP:
    case VK_DOWN:
      if (alt)
        HidePopup(this, 2);
      break;
    case VK_F4:
      if (!alt)
        HidePopup(this, 2);
      break;
    default:
      break;
  }
}
