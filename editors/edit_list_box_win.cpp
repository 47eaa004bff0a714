#include "editors/edit_list_box_win.h"

#include <algorithm>

#include "editors/text_edit_control_win.h"
#include "platform/rtl/text.h"

TlxCustomEditListBox::TlxCustomEditListBox(TComponent* owner) : TlxCustomInnerListBox(owner) {
  SetStyle(lbOwnerDrawFixed);
}

void TlxCustomEditListBox::CreateParams(TCreateParams& params) {
  TlxCustomInnerListBox::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(WS_BORDER);
}

void TlxCustomEditListBox::GetItemText(int32_t index, std::string& text) {
  text = index >= 0 && index < Items().Count() ? Items()[index] : std::string();
}

int32_t TlxCustomEditListBox::GetDefaultItemHeight() {
  Canvas().SetFont(Font());
  return Canvas().TextHeight("Wg");
}

int32_t TlxCustomEditListBox::GetItemHeight(int32_t /*index*/) { return GetDefaultItemHeight(); }

int32_t TlxCustomEditListBox::GetItemWidth(int32_t index) {
  std::string text;
  GetItemText(index, text);
  Canvas().SetFont(Font());
  return Canvas().TextWidth(text);
}

bool TlxCustomEditListBox::NeedsFocusRect() const {
  if (edit_ == nullptr)
    return false;
  const TlxTextEditingStyle style = edit_->EditingStyle();
  return style == tesFixedList || style == tesNoEditing;
}

void TlxCustomEditListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (DrawItemByOwner(index, rect, state))
    return;
  TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  if (index < 0 || index >= Count())
    return;
  std::string text;
  GetItemText(index, text);
  TRect text_rect = rect;
  text_rect.Left += 2;
  const UINT flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  const std::u16string wide = Utf8ToUtf16(text);
  RECT bounds{text_rect.Left, text_rect.Top, text_rect.Right, text_rect.Bottom};
  SetBkMode(canvas.Handle(), TRANSPARENT);
  DrawTextW(canvas.Handle(), reinterpret_cast<const WCHAR*>(wide.c_str()), static_cast<int>(wide.size()), &bounds,
            flags);
}

void TlxCustomEditListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxCustomInnerListBox::MouseMove(shift, x, y);
  if (!HandleAllocated() || GetCapture() == Handle())
    return;
  const int32_t index = ItemAtPos(TPoint(x, y), true);
  if (index >= 0 && index != ItemIndex())
    SetListItemIndex(index);
}

void TlxCustomEditListBox::Click() {
  TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::Click();
  if (alive.Alive())
    NotifySelectionChanged();
}

void TlxCustomEditListBox::SetListItemIndex(int32_t index) {
  SetItemIndex(index);
  NotifySelectionChanged();
}

void TlxCustomEditListBox::NotifySelectionChanged() {
  SyncScrollBars();
  if (OnSelectionChanged)
    OnSelectionChanged(this);
}

bool TlxCustomEditListBox::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  if (TlxCustomInnerListBox::DoMouseWheel(shift, wheel_delta, mouse_pos))
    return true;
  if (!HandleAllocated())
    return false;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const WPARAM direction = wheel_delta > 0 ? SB_LINEUP : SB_LINEDOWN;
  for (UINT i = 0; i < lines; ++i)
    SendMessageW(Handle(), WM_VSCROLL, direction, 0);
  return true;
}

void TlxCustomEditListBox::CMVisibleChanged(TMessage& message) {
  TlxCustomInnerListBox::CMVisibleChanged(message);
  // Looks focused while the focus stays in the editor.
  if (HandleAllocated())
    CallWindowProcW(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TlxCustomEditListBox::SetItemCount(int32_t count) {
  count = std::max(count, 0);
  TStrings& items = Items();
  if (items.Count() == count)
    return;
  TUpdateScope update(items);
  while (items.Count() < count)
    items.Add(std::string());
  while (items.Count() > count)
    items.Delete(items.Count() - 1);
}
