#include "editors/kinds/check_list_box_win.h"

#include <algorithm>

#include "editors/container_routines_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/painters/standard_painters_win.h"

namespace {

int32_t FontTextHeight(TFont& font, const char16_t* text) {
  TWindowDC screen;
  TSelectedObject selected(screen.Handle(), font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen.Handle(), reinterpret_cast<LPCWSTR>(text), 2, &size);
  return size.cy;
}

TShiftState CurrentShiftState() {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0)
    shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    shift.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0)
    shift.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0)
    shift.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0)
    shift.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0)
    shift.Include(ssMiddle);
  return shift;
}

}  // namespace

TlxCustomInnerCheckListBox::TlxCustomInnerCheckListBox(TComponent* owner)
    : TlxCustomInnerListBox(owner),
      items_(std::make_unique<TlxCheckListBoxItems>(this, this)),
      check_painter_(std::make_unique<TlxCustomCheckBoxViewInfo>()) {
  GetCheckMetrics(metrics_);
  SetStyle(lbOwnerDrawFixed);
}

TlxCustomInnerCheckListBox::~TlxCustomInnerCheckListBox() {
  lxStopMouseTracking(&leave_tracker_);
  items_->DetachHost();
  items_.reset();
  glyph_.reset();
}

TlxCustomCheckListBox* TlxCustomInnerCheckListBox::CheckListBox() const {
  return dynamic_cast<TlxCustomCheckListBox*>(Container());
}

TBitmap* TlxCustomInnerCheckListBox::Glyph() {
  if (glyph_ == nullptr) {
    glyph_ = std::make_unique<TBitmap>();
    glyph_->OnChange = [this](TObject*) { RecalcItemHeight(); };
  }
  return glyph_.get();
}

void TlxCustomInnerCheckListBox::SetGlyph(TBitmap* value) { Glyph()->Assign(value); }

void TlxCustomInnerCheckListBox::SetGlyphCount(int32_t value) {
  if (value == glyph_count_)
    return;
  glyph_count_ = value;
  if (glyph_ != nullptr)
    RecalcItemHeight();
}

bool TlxCustomInnerCheckListBox::ChecksShown() const {
  const TlxCustomCheckListBox* owner = CheckListBox();
  return owner == nullptr || owner->ShowChecks();
}

bool TlxCustomInnerCheckListBox::BindingRefusesEditing() const {
  TlxCustomCheckListBox* owner = CheckListBox();
  return owner != nullptr && !owner->DataBinding().TryEdit();
}

bool TlxCustomInnerCheckListBox::IsEnabledItem(int32_t index) const {
  return index >= 0 && index < items_->Count() && items_->GetItem(index)->Enabled();
}

TlxCheckListBoxGeometry TlxCustomInnerCheckListBox::Geometry() {
  TlxCheckListBoxGeometry geometry;
  geometry.Metrics = metrics_;
  const TlxCustomCheckListBox* owner = CheckListBox();
  geometry.ShowChecks = ChecksShown();
  if (HasGlyph() && glyph_count_ > 0) {
    geometry.CheckSize = TSize(glyph_->Width() / glyph_count_, glyph_->Height());
  } else if (owner != nullptr && owner->NativeChecks()) {
    const auto& painter = lxPainter<TlxWinXPLookAndFeelPainter>();
    geometry.CheckSize = painter.GetCheckButtonSize();
    geometry.CheckGlyphBorder = painter.GetCheckBorderSize();
  } else {
    geometry.CheckSize = lxCheckButtonGlyphSize();
    geometry.CheckGlyphBorder = lxPainter<TlxStandardLookAndFeelPainter>().GetCheckBorderSize();
  }
  if (owner != nullptr && owner->Images() != nullptr) {
    geometry.HasImages = true;
    geometry.ImageSize = TSize(owner->Images()->Width(), owner->Images()->Height());
    geometry.ImagesBeforeChecks = owner->ImageLayout() == ilBeforeChecks;
  }
  return geometry;
}

int32_t TlxCustomInnerCheckListBox::GetCheckAreaWidth() { return lxCheckListAreaWidth(Geometry()); }

int32_t TlxCustomInnerCheckListBox::GetItemHeightForChecks() {
  return lxCheckListItemHeight(Geometry(), FontTextHeight(Font(), u"Zg"));
}

TRect TlxCustomInnerCheckListBox::GetCheckRect(const TRect& item_rect, bool inflated) {
  return lxCheckListCheckRect(Geometry(), item_rect, inflated);
}

int32_t TlxCustomInnerCheckListBox::CheckIndexAt(int32_t x, int32_t y) {
  if (!HandleAllocated() || !ChecksShown())
    return -1;
  const int32_t index = ItemAtPos(TPoint(x, y), true);
  if (index < 0 || index >= items_->Count())
    return -1;
  return GetCheckRect(ItemRect(index), false).Contains(TPoint(x, y)) ? index : -1;
}

void TlxCustomInnerCheckListBox::RecalcItemHeight() {
  if (!HandleAllocated())
    return;
  if (Style() != lbOwnerDrawVariable)
    SetItemHeight(GetItemHeightForChecks());
  if (TlxCustomCheckListBox* owner = CheckListBox())
    owner->SyncScrollBarsWithInnerControl(false);
  InvalidateChecks();
}

void TlxCustomInnerCheckListBox::InvalidateChecks() {
  if (HandleAllocated())
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TlxCustomInnerCheckListBox::InvalidateItem(int32_t index) {
  if (!HandleAllocated() || index < 0)
    return;
  const RECT rect = ItemRect(index);
  InvalidateRect(Handle(), &rect, TRUE);
}

void TlxCustomInnerCheckListBox::InvalidateCheck(int32_t index) {
  if (!HandleAllocated() || index < 0 || index >= Count())
    return;
  const RECT rect = GetCheckRect(ItemRect(index), true);
  InvalidateRect(Handle(), &rect, FALSE);
}

void TlxCustomInnerCheckListBox::ClickCheck(int32_t index, TlxCheckBoxState previous_state,
                                            TlxCheckBoxState new_state) {
  if (OnClickCheck)
    OnClickCheck(CheckListBox(), index, previous_state, new_state);
}

void TlxCustomInnerCheckListBox::Toggle(int32_t index) {
  if (!IsEnabledItem(index))
    return;
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner != nullptr && owner->IsFocusWithin() && !owner->DataBinding().TryEdit())
    return;
  TlxCheckListBoxItem* item = items_->GetItem(index);
  const TlxCheckBoxState previous = item->State();
  item->SetState(lxNextCheckListState(previous, allow_grayed_, CheckItemsValueFormat()));
  ClickCheck(index, previous, item->State());
}

void TlxCustomInnerCheckListBox::EditValueToStates() {
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner == nullptr)
    return;
  TlxCheckStates states(static_cast<size_t>(items_->Count()), cbsUnchecked);
  if (owner->OnEditValueToCheckStates) {
    owner->OnEditValueToCheckStates(owner, owner->EditValue(), states);
    states.resize(static_cast<size_t>(items_->Count()), cbsUnchecked);
  } else {
    lxValueToCheckStates(owner->EditValue(), *items_, owner->EditValueFormat(), states);
  }
  TlxCheckStatesLock lock(*items_, false);
  for (int32_t index = 0; index < items_->Count(); ++index)
    items_->GetItem(index)->SetState(states[static_cast<size_t>(index)]);
}

void TlxCustomInnerCheckListBox::StatesToEditValue() {
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner == nullptr)
    return;
  TlxCheckStates states;
  states.reserve(static_cast<size_t>(items_->Count()));
  for (int32_t index = 0; index < items_->Count(); ++index)
    states.push_back(items_->GetItem(index)->State());
  Variant value;
  if (owner->OnCheckStatesToEditValue)
    owner->OnCheckStatesToEditValue(owner, states, value);
  else
    value = lxCheckStatesToValue(states, *items_, owner->EditValueFormat());
  owner->TakeEditValueFromStates(value);
}

TlxCheckStatesValueFormat TlxCustomInnerCheckListBox::CheckItemsValueFormat() const {
  const TlxCustomCheckListBox* owner = CheckListBox();
  return owner != nullptr ? owner->EditValueFormat() : cvfCaptions;
}

void TlxCustomInnerCheckListBox::CheckItemTextChanged(int32_t index, const std::string& text) {
  TStrings& lines = TCustomListControl::Items();
  if (index >= 0 && index < lines.Count())
    lines.Put(index, text);
}

void TlxCustomInnerCheckListBox::RebuildLines() {
  TStrings& lines = TCustomListControl::Items();
  const int32_t item_index = ItemIndex();
  const int32_t top_index = TopIndex();
  {
    TUpdateScope update(lines);
    lines.Clear();
    for (int32_t index = 0; index < items_->Count(); ++index)
      lines.Add(items_->GetItem(index)->Text());
  }
  SetItemIndex(std::min(item_index, lines.Count() - 1));
  SetTopIndex(top_index);
}

void TlxCustomInnerCheckListBox::CheckItemsUpdated(TCollectionItem* item) {
  if (item == nullptr || TCustomListControl::Items().Count() != items_->Count())
    RebuildLines();
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner == nullptr)
    return;
  if (owner->Sorted())
    owner->SortItems();
  if (owner->FromStates())
    StatesToEditValue();
  else
    EditValueToStates();
}

void TlxCustomInnerCheckListBox::DrawCheck(TlxCanvas& canvas, const TRect& item_rect, TlxCheckBoxState state,
                                           TlxCheckButtonState paint_state) {
  if (item_rect.Top < 0)
    return;
  const TlxCustomCheckListBox* owner = CheckListBox();
  TlxCustomCheckBoxViewInfo& painter = *check_painter_;
  painter.CheckRect = GetCheckRect(item_rect, true);
  painter.HasUserGlyph = HasGlyph() && glyph_count_ > 0;
  painter.Glyph = glyph_.get();
  painter.GlyphCount = glyph_count_;
  painter.NativeStyle = owner != nullptr && owner->NativeChecks();
  TlxEditBorderStyle style = owner != nullptr ? owner->CheckBorderStyle() : ebsUltraFlat;
  const bool hot_or_pressed = paint_state == cbnHot || paint_state == cbnPressed;
  if (!painter.NativeStyle && style == ebsFlat && hot_or_pressed)
    style = ebs3D;
  painter.CheckBorderStyle = style;
  painter.CheckButtonState = paint_state;
  painter.CheckState = state;
  painter.BackgroundColor = Color();
  painter.BorderColor = clBtnText;
  painter.Enabled = paint_state != cbnDisabled;
  painter.DrawCheck(canvas, true);
}

void TlxCustomInnerCheckListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner == nullptr) {
    TlxCustomInnerListBox::DrawItem(index, rect, state);
    return;
  }
  owner->DrawListItem(LxCanvas(), index, lxCheckListTextPart(Geometry(), rect), state);
}

void TlxCustomInnerCheckListBox::MeasureItem(int32_t index, int32_t& height) {
  height = GetItemHeightForChecks();
  TlxCustomCheckListBox* owner = CheckListBox();
  if (owner != nullptr && owner->OnMeasureItem)
    owner->OnMeasureItem(owner, index, height);
}

void TlxCustomInnerCheckListBox::CreateWnd() {
  TlxCustomInnerListBox::CreateWnd();
  RecalcItemHeight();
}

void TlxCustomInnerCheckListBox::Click() {
  if (!ChecksShown() && BindingRefusesEditing())
    return;
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::Click();
  if (!alive.Alive())
    return;
  if (TlxCustomCheckListBox* owner = CheckListBox())
    owner->RequestScrollBarsSync();
}

void TlxCustomInnerCheckListBox::DblClick() {
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::DblClick();
  if (!alive.Alive())
    return;
  const int32_t selected = ItemIndex();
  if (!IsEnabledItem(selected))
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  if (CheckIndexAt(cursor.x, cursor.y) == selected || allow_dbl_click_toggle_)
    Toggle(selected);
}

void TlxCustomInnerCheckListBox::KeyDown(uint16_t& key, TShiftState shift) {
  if (TlxCustomCheckListBox* owner = CheckListBox()) {
    if (!ChecksShown() && lxIsListNavigationKey(key) && BindingRefusesEditing())
      key = 0;
    else if (key == VK_ESCAPE)
      owner->DataBinding().Reset();
  }
  if (key == VK_SPACE && ChecksShown()) {
    const TAliveToken alive = AliveToken();
    Toggle(ItemIndex());
    if (!alive.Alive())
      return;
  }
  if (key != 0)
    TlxCustomInnerListBox::KeyDown(key, shift);
}

void TlxCustomInnerCheckListBox::KeyPress(char16_t& key) {
  if (!ChecksShown() && key >= u' ' && BindingRefusesEditing())
    key = 0;
  if (key != 0)
    TlxCustomInnerListBox::KeyPress(key);
}

void TlxCustomInnerCheckListBox::HandleLeftButtonDown(TMessage& message) {
  const TMouseMessage mouse(message);
  const TPoint point = mouse.Pos();
  if (!ChecksShown() && BindingRefusesEditing()) {
    // Nothing may change: the press only takes the focus.
    if (CanFocus())
      SetFocus();
    MouseDown(mbLeft, KeysToShiftState(mouse.Keys()), point.X, point.Y);
    return;
  }
  TlxCustomCheckListBox* owner = CheckListBox();
  down_check_ = CheckIndexAt(point.X, point.Y);
  down_item_visible_ = down_check_ >= 0 && ItemRect(down_check_).Bottom <= ClientHeight();
  down_drag_automatic_ = owner != nullptr && owner->DragMode() == dmAutomatic;
  const TDragMode saved_mode = owner != nullptr ? owner->DragMode() : dmManual;
  if (owner != nullptr)
    owner->SetDragMode(dmManual);
  const TAliveToken alive = AliveToken();
  TScopeExit restore([this, owner, saved_mode, &alive] {
    if (!alive.Alive())
      return;
    if (owner != nullptr)
      owner->SetDragMode(saved_mode);
    down_check_ = -1;
  });
  TlxCustomInnerListBox::WndProc(message);
}

void TlxCustomInnerCheckListBox::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::MouseDown(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft)
    return;
  if (down_check_ != -1) {
    if ((down_drag_automatic_ || !down_item_visible_) && IsEnabledItem(down_check_)) {
      Toggle(down_check_);
      if (!alive.Alive())
        return;
    } else {
      pressed_check_ = down_check_;
    }
  }
  SetHotCheck(-1);
  SetDrawnPressedCheck(pressed_check_);
}

void TlxCustomInnerCheckListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::MouseUp(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft)
    return;
  const TlxCustomCheckListBox* owner = CheckListBox();
  if (owner == nullptr || owner->DragMode() != dmAutomatic) {
    const int32_t check = CheckIndexAt(x, y);
    if (check != -1 && check == drawn_pressed_check_ && IsEnabledItem(check)) {
      Toggle(check);
      if (!alive.Alive())
        return;
    }
  }
  pressed_check_ = -1;
  UpdateHotCheck(shift, x, y);
  SetDrawnPressedCheck(-1);
}

void TlxCustomInnerCheckListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::MouseMove(shift, x, y);
  if (!alive.Alive())
    return;
  const TlxCustomCheckListBox* owner = CheckListBox();
  if (owner != nullptr && owner->DragMode() == dmAutomatic && GetCapture() != Handle()) {
    pressed_check_ = -1;
    SetDrawnPressedCheck(-1);
  }
  if (pressed_check_ == -1) {
    UpdateHotCheck(shift, x, y);
  } else {
    SetHotCheck(-1);
    SetDrawnPressedCheck(CheckIndexAt(x, y) == pressed_check_ ? pressed_check_ : -1);
  }
  lxStartMouseTracking(this, ClientRect(), &leave_tracker_);
}

bool TlxCustomInnerCheckListBox::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  const TAliveToken alive = AliveToken();
  const bool handled = TlxCustomInnerListBox::DoMouseWheel(shift, wheel_delta, mouse_pos);
  if (alive.Alive())
    UpdateHotCheckFromCursor();
  return handled;
}

void TlxCustomInnerCheckListBox::WndProc(TMessage& message) {
  if (message.Msg == WM_LBUTTONDOWN) {
    HandleLeftButtonDown(message);
    return;
  }
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::WndProc(message);
  if (alive.Alive() && (message.Msg == WM_HSCROLL || message.Msg == WM_VSCROLL))
    UpdateHotCheckFromCursor();
}

void TlxCustomInnerCheckListBox::UpdateHotCheck(TShiftState shift, int32_t x, int32_t y) {
  // Keys or buttons held keep the hot check where it was.
  if (shift.Empty())
    SetHotCheck(CheckIndexAt(x, y));
}

void TlxCustomInnerCheckListBox::UpdateHotCheckFromCursor() {
  if (!HandleAllocated())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  ::ScreenToClient(Handle(), &cursor);
  UpdateHotCheck(CurrentShiftState(), cursor.x, cursor.y);
}

void TlxCustomInnerCheckListBox::HandleMouseLeave() {
  SetHotCheck(-1);
  lxStopMouseTracking(&leave_tracker_);
}

void TlxCustomInnerCheckListBox::SetHotCheck(int32_t index) {
  if (index == hot_check_)
    return;
  InvalidateCheck(hot_check_);
  hot_check_ = index;
  InvalidateCheck(hot_check_);
}

void TlxCustomInnerCheckListBox::SetDrawnPressedCheck(int32_t index) {
  if (index == drawn_pressed_check_)
    return;
  InvalidateCheck(drawn_pressed_check_);
  drawn_pressed_check_ = index;
  InvalidateCheck(drawn_pressed_check_);
}
