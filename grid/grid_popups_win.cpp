#include "grid/grid_popups_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/filter_value_list.h"
#include "grid/grid_control_win.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_win.h"
#include "grid/table_controller_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

TControl* PopupOwnerControlOf(TlxCustomGridView* view) {
  if (view == nullptr)
    return nullptr;
  if (TlxGridSite* site = view->Site())
    return site;
  return view->Grid();
}

}  // namespace

void lxInitGridPopupListStyle(TlxContainer& box) {
  TlxContainerStyles& styles = box.Styles();
  styles.GetNormalStyle()->SetBorderStyle(cbsNone);
  styles.GetNormalStyle()->SetHotTrack(false);
  for (TlxContainerStyle* style : {styles.GetNormalStyle(), styles.GetFocusedStyle(), styles.GetHotStyle()})
    style->SetTransparentBorder(false);
  box.SetParentFont(true);
}

// --- TlxCustomGridPopup ------------------------------------------------------

TlxCustomGridPopup::TlxCustomGridPopup(TlxCustomGridView* grid_view)
    : TlxCustomPopupWindow(PopupOwnerControlOf(grid_view)), grid_view_(grid_view) {
  SetColor(clWindow);
}

TlxCustomGridPopup::~TlxCustomGridPopup() {
  // The cell must not keep a link to a freed popup.
  if (owner_view_info_ != nullptr)
    owner_view_info_->PopupDestroyed();
}

void TlxCustomGridPopup::GetOwnerBounds(TRect& rect) {
  if (owner_view_info_ != nullptr)
    owner_view_info_->GetPopupOwnerBounds(rect);
  else
    rect = OwnerRect;
}

int32_t TlxCustomGridPopup::GetMinWidth() {
  TRect bounds;
  GetOwnerBounds(bounds);
  return bounds.Width() - GetBordersWidth();
}

void TlxCustomGridPopup::Popup() {
  if (GetCapture() != nullptr)
    ReleaseCapture();
  // The site may have been rebuilt since the popup was made.
  SetOwnerControl(PopupOwnerControlOf(grid_view_));
  InitPopup();
  ShowPopupFocused(nullptr);
}

void TlxCustomGridPopup::InitPopup() {
  ChangeBorderStyle(static_cast<TlxPopupFrameStyle>(Painter().GetPopupBorderStyle()));
  if (TlxCustomGrid* grid = grid_view_ != nullptr ? grid_view_->Grid() : nullptr)
    Font().Assign(&grid->Font());
  TRect bounds;
  GetOwnerBounds(bounds);
  OwnerRect = bounds;
}

void TlxCustomGridPopup::SetOwnerViewInfo(IlxCustomGridPopupOwner* value) {
  if (value == owner_view_info_)
    return;
  IlxCustomGridPopupOwner* old_owner = owner_view_info_;
  // A popup that goes with its cell closes before the link is dropped, so
  // that the old cell hears of it.
  if (value == nullptr && old_owner != nullptr && Visible() && old_owner->ClosePopupWithOwner())
    ClosePopup();
  owner_view_info_ = value;
}

void TlxCustomGridPopup::ClosePopup() { TlxCustomPopupWindow::ClosePopup(); }

void TlxCustomGridPopup::Paint() {
  DrawFrame();
  TRect client;
  CalcClientRect(client);
  LxCanvas().FillRectColor(client, Color());
}

void TlxCustomGridPopup::VisibleChanged() {
  TlxCustomPopupWindow::VisibleChanged();
  if (!Visible() && owner_view_info_ != nullptr)
    owner_view_info_->PopupClosed();
}

const TlxCustomLookAndFeelPainter& TlxCustomGridPopup::Painter() const {
  if (grid_view_ != nullptr)
    return *grid_view_->LookAndFeelPainter();
  return StatelessInstance<TlxStandardLookAndFeelPainter>();
}

// --- TlxGridPopupInnerListBox ------------------------------------------------

TlxGridPopupListBox* TlxGridPopupInnerListBox::PopupListBox() const {
  return dynamic_cast<TlxGridPopupListBox*>(ListBox());
}

void TlxGridPopupInnerListBox::KeyDown(uint16_t& key, TShiftState shift) {
  if (TlxGridPopupListBox* box = PopupListBox())
    box->HandleKeyDown(key);
  if (key != 0)
    TlxInnerListBox::KeyDown(key, shift);
}

void TlxGridPopupInnerListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxInnerListBox::MouseDown(button, shift, x, y);
  if (TlxGridPopupListBox* box = PopupListBox())
    box->HandleMouseDown(button, TPoint(x, y));
}

void TlxGridPopupInnerListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxInnerListBox::MouseMove(shift, x, y);
  if (TlxGridPopupListBox* box = PopupListBox())
    box->HandleMouseMove(TPoint(x, y));
}

void TlxGridPopupInnerListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TlxInnerListBox::MouseUp(button, shift, x, y);
  if (!alive.Alive())
    return;
  if (TlxGridPopupListBox* box = PopupListBox())
    box->HandleMouseUp(button, TPoint(x, y));
}

void TlxGridPopupInnerListBox::MouseLeave() {
  TlxInnerListBox::MouseLeave();
  if (TlxGridPopupListBox* box = PopupListBox())
    box->HandleMouseLeave();
}

// --- TlxGridPopupListBox -----------------------------------------------------

TlxGridPopupListBox::TlxGridPopupListBox(TlxCustomGridPopup* popup)
    : TlxListBox(popup, lxDataBindingClassOf<TlxCustomDataBinding>(), &TlxGridPopupInnerListBox::kClass),
      popup_(popup) {
  SetParent(popup);
  InitStyle();
}

void TlxGridPopupListBox::InitStyle() {
  lxInitGridPopupListStyle(*this);
  SetListStyle(lbOwnerDrawFixed);
}

const TlxCustomLookAndFeelPainter& TlxGridPopupListBox::Painter() const { return popup_->Painter(); }

int32_t TlxGridPopupListBox::CheckAreaWidth() const { return Painter().GetCheckButtonSize().cx + 4; }

bool TlxGridPopupListBox::HasCheckBoxes(int32_t /*index*/) { return show_checks_; }

bool TlxGridPopupListBox::HasCheck(int32_t index) {
  return index != -1 && show_checks_ && HasCheckBoxes(index) && CanCheckItem(index);
}

bool TlxGridPopupListBox::IsChecked(int32_t index) const {
  return std::find(checked_indexes_.begin(), checked_indexes_.end(), index) != checked_indexes_.end();
}

void TlxGridPopupListBox::SetChecked(int32_t index, bool checked) {
  if (IsChecked(index) == checked)
    return;
  if (checked)
    checked_indexes_.push_back(index);
  else
    checked_indexes_.erase(std::find(checked_indexes_.begin(), checked_indexes_.end(), index));
  InvalidateItem(index);
}

void TlxGridPopupListBox::SetCheckedIndexes(const std::vector<int32_t>& indexes) {
  checked_indexes_ = indexes;
  Invalidate();
}

void TlxGridPopupListBox::SetShowChecks(bool value) {
  if (show_checks_ == value)
    return;
  show_checks_ = value;
  checked_indexes_.clear();
  Invalidate();
}

void TlxGridPopupListBox::ToggleCheck(int32_t index) { SetChecked(index, !IsChecked(index)); }

void TlxGridPopupListBox::InvalidateItem(int32_t index) {
  if (index < 0 || index >= ItemCount() || !InnerListBox().HandleAllocated())
    return;
  const TRect rect = InnerListBox().ItemRect(index);
  ::InvalidateRect(InnerListBox().WindowHandle(), reinterpret_cast<const RECT*>(&rect), TRUE);
}

int32_t TlxGridPopupListBox::GetItemHeight() {
  Popup()->LxCanvas().Font().Assign(&Font());
  int32_t height = Popup()->LxCanvas().MeasureTextHeight("Qq") + 2 * TextOffsetVert;
  if (show_checks_)
    height = std::max(height, Painter().GetCheckButtonSize().cy + 4);
  return height;
}

int32_t TlxGridPopupListBox::GetVisibleItemCount(const TStrings& items) {
  if (MaxVisibleItemCount > 0 && items.Count() >= MaxVisibleItemCount)
    return MaxVisibleItemCount;
  return items.Count();
}

void TlxGridPopupListBox::AdjustSize(const TStrings* items) {
  const TStrings& list = items != nullptr ? *items : Items();
  TlxCanvas& canvas = Popup()->LxCanvas();
  canvas.Font().Assign(&Font());
  const int32_t item_height = std::max(1, GetItemHeight());
  SetItemHeight(item_height);
  const int32_t visible_count = GetVisibleItemCount(list);
  const int32_t client_height = visible_count * item_height;
  int32_t widest = 0;
  for (int32_t i = 0; i < list.Count(); ++i)
    widest = std::max(widest, canvas.MeasureTextWidth(list.Strings(i)));
  int32_t client_width = widest + TextOffsetLeft + TextOffsetRight;
  if (show_checks_)
    client_width += CheckAreaWidth();
  if (MaxWidth > 0)
    client_width = std::min(client_width, MaxWidth);
  if (visible_count < list.Count())
    client_width += GetSystemMetrics(SM_CXVSCROLL);
  MinWidth = Popup()->GetMinWidth();
  if (MinWidth > 0)
    client_width = std::max(client_width, MinWidth);
  SetBounds(Left(), Top(), client_width, client_height);
}

bool TlxGridPopupListBox::DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) {
  TRect text_rect = rect;
  TRect check_rect = rect;
  if (show_checks_) {
    check_rect.Right = check_rect.Left + CheckAreaWidth();
    text_rect.Left = check_rect.Right;
  }
  const bool has_check = HasCheck(index);
  TOwnerDrawState text_state = state;
  if (has_check && IsChecked(index)) {
    canvas.SetBrushColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
    text_state.Include(odSelected);
  } else if (state.Contains(odSelected)) {
    canvas.SetBrushColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  } else {
    canvas.SetBrushColor(Color());
    canvas.Font().SetColor(Font().Color());
  }
  if (show_checks_)
    canvas.FillRectColor(check_rect, Color());
  DrawItemText(canvas, index, text_state, text_rect);
  if (has_check)
    DrawItemCheck(canvas, index, state, check_rect);
  if (state.Contains(odFocused))
    canvas.DrawFocusFrame(rect);
  return true;
}

void TlxGridPopupListBox::DrawItemCheck(TlxCanvas& canvas, int32_t index, TOwnerDrawState state,
                                        const TRect& rect) {
  const TSize size = Painter().GetCheckButtonSize();
  const int32_t left = rect.Left + (rect.Width() - size.cx) / 2;
  const int32_t top = rect.Top + (rect.Height() - size.cy) / 2;
  const TRect box(left, top, left + size.cx, top + size.cy);
  TlxButtonState button_state = lxbsNormal;
  const bool focused_and_selected = state.Contains(odFocused) && state.Contains(odSelected);
  if (focused_and_selected)
    button_state = index == pressed_item_index_ ? lxbsPressed : lxbsHot;
  Painter().PaintCheckButtonByCheckState(canvas, box, button_state, IsChecked(index));
}

void TlxGridPopupListBox::DrawItemText(TlxCanvas& canvas, int32_t index, TOwnerDrawState /*state*/,
                                       const TRect& rect) {
  canvas.FillRectColor(rect, canvas.Brush().Color());
  TRect text_rect = rect;
  text_rect.Left += TextOffsetLeft;
  canvas.DrawTextInRect(Items().Strings(index), text_rect, lxtfLeft | lxtfCenterY | lxtfSingleLine);
}

void TlxGridPopupListBox::DoAction(int32_t index) {
  if (index == -1)
    return;
  const TAliveToken alive = AliveToken();
  if (HasCheck(index))
    ToggleCheck(index);
  else
    popup_->ClosePopup();
  if (alive.Alive() && OnAction)
    OnAction(this, index);
}

int32_t TlxGridPopupListBox::ItemAtInnerPoint(const TPoint& point) const {
  return InnerListBox().ItemAtPos(point, true);
}

void TlxGridPopupListBox::HandleKeyDown(uint16_t& key) {
  switch (key) {
    case VK_RETURN:
    case VK_SPACE: {
      const int32_t index = ItemIndex();
      key = 0;
      DoAction(index);
      break;
    }
    case VK_ESCAPE:
      key = 0;
      popup_->ClosePopup();
      break;
    default:
      break;
  }
}

void TlxGridPopupListBox::HandleMouseDown(TMouseButton /*button*/, const TPoint& point) {
  pressed_item_index_ = ItemAtInnerPoint(point);
  InvalidateItem(pressed_item_index_);
}

void TlxGridPopupListBox::HandleMouseMove(const TPoint& point) {
  const int32_t index = ItemAtInnerPoint(point);
  if (index != -1 && index != ItemIndex())
    SetItemIndex(index);
  if (pressed_item_index_ != -1 && index != pressed_item_index_) {
    InvalidateItem(pressed_item_index_);
    pressed_item_index_ = -1;
  }
}

void TlxGridPopupListBox::HandleMouseUp(TMouseButton /*button*/, const TPoint& point) {
  const int32_t index = ItemAtInnerPoint(point);
  const int32_t pressed = pressed_item_index_;
  pressed_item_index_ = -1;
  InvalidateItem(pressed);
  // A check toggles only for the item the press began on, so a drag across
  // the list checks nothing by accident.
  if (HasCheck(index) && index != pressed)
    return;
  DoAction(index);
}

void TlxGridPopupListBox::HandleMouseLeave() {
  SetItemIndex(-1);
  pressed_item_index_ = -1;
}

// --- TlxGridFilterPopupListBox -----------------------------------------------

bool TlxGridFilterPopupListBox::IsSeparator(int32_t index) const {
  auto* popup = dynamic_cast<TlxGridFilterPopup*>(Popup());
  if (popup == nullptr || popup->Values() == nullptr || index < 0 || index >= popup->Values()->Count())
    return false;
  return popup->Values()->EntryAt(index).Kind == fvkSeparator;
}

bool TlxGridFilterPopupListBox::HasCheckBoxes(int32_t index) {
  return TlxGridPopupListBox::HasCheckBoxes(index) && !IsSeparator(index);
}

bool TlxGridFilterPopupListBox::CanCheckItem(int32_t index) {
  auto* popup = dynamic_cast<TlxGridFilterPopup*>(Popup());
  return popup != nullptr && popup->IsCheckable(index);
}

bool TlxGridFilterPopupListBox::DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect,
                                           TOwnerDrawState state) {
  if (!IsSeparator(index))
    return TlxGridPopupListBox::DoDrawItem(canvas, index, rect, state);
  canvas.FillRectColor(rect, Color());
  const int32_t y = (rect.Top + rect.Bottom - 3) / 2;
  canvas.FillRectColor(TRect(rect.Left, y, rect.Right, y + 1), clBtnShadow);
  canvas.FillRectColor(TRect(rect.Left, y + 2, rect.Right, y + 3), clBtnShadow);
  return true;
}
