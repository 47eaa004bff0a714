#include "editors/combo_box_win.h"

#include <algorithm>

#include "editors/edit_repository.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kComboBoxKindText = "ComboBox|Represents the combo box editor";

}  // namespace

// --- properties ---------------------------------------------------------------------------

TlxCustomComboBoxProperties::TlxCustomComboBoxProperties(TPersistent* owner)
    : TlxCustomDropDownEditProperties(owner) {}

void TlxCustomComboBoxProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomComboBoxProperties*>(source);
  if (other == nullptr) {
    TlxCustomDropDownEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomDropDownEditProperties::Assign(source);
  SetDropDownListStyle(other->drop_down_list_style_);
  SetDropDownRows(other->drop_down_rows_);
  SetItemHeight(other->item_height_);
  SetRevertable(other->revertable_);
  OnDrawItem = other->OnDrawItem;
  OnMeasureItem = other->OnMeasureItem;
}

const TClass* TlxCustomComboBoxProperties::GetEditControlClass() const { return &TlxComboBox::kClass; }

const TClass* TlxCustomComboBoxProperties::GetPopupWindowClass() const { return &TlxComboBoxPopupWindow::kClass; }

TlxEditViewDataClass TlxCustomComboBoxProperties::GetViewDataClass() const {
  return {&TlxCustomComboBoxViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxCustomComboBoxViewData>(properties, style, inplace);
          }};
}

// --- the owner-drawn edit area -----------------------------------------------------

namespace {

// Draws `index` into the edit area as the list draws it: highlighted while
// the selection bar is shown, in the editor's colours otherwise.
void DrawEditAreaItem(TlxCustomComboBox* combo, TlxCustomComboBoxProperties* properties,
                      const TlxCustomTextEditViewInfo& view_info, int32_t index, TlxCanvas& canvas,
                      const TRect& rect) {
  const TOwnerDrawState state = view_info.Focused ? TOwnerDrawState{odSelected, odFocused, odComboBoxEdit}
                                                  : TOwnerDrawState{odComboBoxEdit};
  TCanvas& target = canvas.Canvas();
  if (view_info.Font != nullptr)
    target.Font().Assign(view_info.Font);
  if (view_info.DrawSelectionBar) {
    target.Brush().SetColor(clHighlight);
    target.Font().SetColor(clHighlightText);
  } else {
    target.Brush().SetColor(view_info.BackgroundColor);
    target.Font().SetColor(view_info.TextColor);
  }
  if (combo != nullptr) {
    combo->DoDrawItem(target, index, rect, state);
    return;
  }
  if (properties != nullptr && properties->OnDrawItem)
    properties->OnDrawItem(nullptr, target, index, rect, state);
}

}  // namespace

TlxCustomComboBoxProperties* TlxCustomComboBoxViewData::ComboProperties() const {
  return dynamic_cast<TlxCustomComboBoxProperties*>(Properties());
}

void TlxCustomComboBoxViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                          int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                                          bool is_mouse_event) {
  TlxCustomDropDownEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* combo = dynamic_cast<TlxCustomComboBox*>(Edit);
  TlxCustomComboBoxProperties* properties = ComboProperties();
  const bool drawn_by_owner = combo != nullptr && properties != nullptr &&
                              properties->DropDownListStyle() == lsFixedList && combo->HasDrawItemHandler();
  SetItemToDraw(drawn_by_owner ? combo->ItemIndex() : -1, view_info);
}

void TlxCustomComboBoxViewData::ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                                         TlxCustomEditViewInfo& view_info) {
  TlxCustomDropDownEditViewData::ApplyEditValueToViewInfo(canvas, edit_value, view_info);
  if (Edit != nullptr)
    return;
  TlxCustomComboBoxProperties* properties = ComboProperties();
  if (properties == nullptr || properties->DropDownListStyle() != lsFixedList || !properties->OnDrawItem) {
    SetItemToDraw(-1, view_info);
    return;
  }
  const auto& info = static_cast<const TlxCustomTextEditViewInfo&>(view_info);
  SetItemToDraw(properties->Items()->IndexOf(info.Text), view_info);
}

void TlxCustomComboBoxViewData::SetItemToDraw(int32_t index, TlxCustomEditViewInfo& view_info) {
  item_to_draw_ = index;
  auto& info = static_cast<TlxCustomTextEditViewInfo&>(view_info);
  if (index < 0) {
    info.OnOwnerDraw = nullptr;
    return;
  }
  auto* combo = dynamic_cast<TlxCustomComboBox*>(Edit);
  TlxCustomComboBoxProperties* properties = ComboProperties();
  // The view info owns its handler and calls it only while it exists, so
  // it may hand itself in.
  info.OnOwnerDraw = [combo, properties, &info, index](TlxCanvas& canvas, TRect& rect) {
    DrawEditAreaItem(combo, properties, info, index, canvas, rect);
  };
}

TlxTextEditingStyle TlxCustomComboBoxProperties::GetEditingStyle() const {
  switch (drop_down_list_style_) {
    case lsEditFixedList:
      return tesListText;
    case lsFixedList:
      return tesFixedList;
    case lsEditList:
      break;
  }
  return tesFreeText;
}

void TlxCustomComboBoxProperties::SetDropDownListStyle(TlxEditDropDownListStyle value) {
  if (drop_down_list_style_ == value)
    return;
  drop_down_list_style_ = value;
  Changed();
}

void TlxCustomComboBoxProperties::SetDropDownRows(int32_t value) {
  if (value <= 0 || drop_down_rows_ == value)
    return;
  drop_down_rows_ = value;
  Changed();
}

void TlxCustomComboBoxProperties::SetDropDownSizeable(bool value) {
  if (PopupSizeable() == value)
    return;
  SetPopupSizeable(value);
  Changed();
}

void TlxCustomComboBoxProperties::SetItemHeight(int32_t value) {
  if (item_height_ == value)
    return;
  item_height_ = value;
  Changed();
}

void TlxComboBoxProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishDropDownEditSettings(properties);
  using P = TlxCustomComboBoxProperties;
  auto p = properties.For<P>();
  p.Boolean("DropDownAutoWidth", &P::DropDownAutoWidth, &P::SetDropDownAutoWidth, true);
  p.Enumeration("DropDownListStyle", &P::DropDownListStyle, &P::SetDropDownListStyle,
                {"lsEditFixedList", "lsEditList", "lsFixedList"}, std::optional<TlxEditDropDownListStyle>(lsEditList));
  p.Integer("DropDownRows", &P::DropDownRows, &P::SetDropDownRows, 8);
  p.Boolean("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable, false);
  p.Integer("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth, 0);
  p.Integer("ItemHeight", &P::ItemHeight, &P::SetItemHeight, 0);
  p.Boolean("Revertable", &P::Revertable, &P::SetRevertable, false);
  p.Boolean("Sorted", &P::Sorted, &P::SetSorted, false);
}

// --- the list --------------------------------------------------------------------------------

TlxCustomComboBoxListBox::TlxCustomComboBoxListBox(TComponent* owner) : TlxCustomEditListBox(owner) {
  SetStyle(lbOwnerDrawVariable);
}

TlxCustomComboBox* TlxCustomComboBoxListBox::ComboBox() const { return dynamic_cast<TlxCustomComboBox*>(OwnerEdit()); }

void TlxCustomComboBoxListBox::CreateParams(TCreateParams& params) {
  TlxCustomEditListBox::CreateParams(params);
  // Owner-drawn rows may depend on the width: they are redrawn on resizing.
  if (TlxCustomComboBox* combo = ComboBox(); combo != nullptr && combo->HasDrawItemHandler())
    params.WindowClass.style |= CS_HREDRAW;
}

void TlxCustomComboBoxListBox::GetItemText(int32_t index, std::string& text) {
  TlxCustomComboBox* combo = ComboBox();
  if (combo == nullptr || combo->GetLookupData() == nullptr) {
    TlxCustomEditListBox::GetItemText(index, text);
    return;
  }
  combo->GetLookupData()->GetItemText(index, text);
}

bool TlxCustomComboBoxListBox::DrawItemByOwner(int32_t index, const TRect& rect, TOwnerDrawState state) {
  TlxCustomComboBox* combo = ComboBox();
  if (combo == nullptr || !combo->HasDrawItemHandler())
    return false;
  combo->DoDrawItem(Canvas(), index, rect, state);
  return true;
}

int32_t TlxCustomComboBoxListBox::GetItemsHeight(int32_t count) {
  int32_t height = 0;
  for (int32_t i = 0; i < count; ++i)
    height += GetItemHeight(i);
  return height;
}

void TlxCustomComboBoxListBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  // The list just shown under the pointer keeps the current item selected.
  if (TlxCustomComboBox* combo = ComboBox(); combo != nullptr && combo->IgnoreNextListMouseMove()) {
    combo->SetIgnoreNextListMouseMove(false);
    return;
  }
  TlxCustomEditListBox::MouseMove(shift, x, y);
}

int32_t TlxComboBoxListBox::GetItemHeight(int32_t index) {
  TlxCustomComboBox* combo = ComboBox();
  const int32_t fixed = combo != nullptr ? combo->ComboProperties()->ItemHeight() : 0;
  int32_t height = fixed > 0 ? fixed : TlxCustomComboBoxListBox::GetItemHeight(index);
  if (index >= 0 && combo != nullptr && combo->HasMeasureItemHandler())
    combo->DoMeasureItem(index, Canvas(), height);
  return height;
}

void TlxComboBoxListBox::MeasureItem(int32_t index, int32_t& height) { height = GetItemHeight(index); }

void TlxComboBoxListBox::ListPrepared() {
  TlxCustomComboBox* combo = ComboBox();
  SetItemHeight(GetItemHeight(-1));
  SetStyle(combo != nullptr && combo->HasMeasureItemHandler() ? lbOwnerDrawVariable : lbOwnerDrawFixed);
}

void TlxComboBoxListBox::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxCustomComboBoxListBox::MouseUp(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft || !HandleAllocated())
    return;
  const int32_t index = ItemAtPos(TPoint(x, y), true);
  if (index < 0)
    return;
  if (GetCapture() == Handle())
    ReleaseCapture();
  SetListItemIndex(index);
  if (TlxCustomComboBox* combo = ComboBox())
    combo->CloseUp(crEnter);
}

void TlxComboBoxListBox::WndProc(TMessage& message) {
  TlxCustomComboBoxListBox::WndProc(message);
  if (message.Msg != WM_SIZE || !HandleAllocated())
    return;
  // Both bars leave a square between them; its grip is drawn anew.
  TlxCustomComboBox* combo = ComboBox();
  if (combo != nullptr && combo->GetDroppedDown() && (GetWindowLongW(Handle(), GWL_STYLE) & WS_VSCROLL) != 0 &&
      (GetWindowLongW(Handle(), GWL_STYLE) & WS_HSCROLL) != 0)
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// --- the lookup data ---------------------------------------------------------------------------

TlxComboBoxLookupData::TlxComboBoxLookupData(TlxCustomComboBox* owner) : TlxCustomTextEditLookupData(owner) {}

TlxCustomComboBox* TlxComboBoxLookupData::ComboBox() const { return static_cast<TlxCustomComboBox*>(GetOwnerEdit()); }

TlxComboBoxListMetrics TlxComboBoxLookupData::Metrics() {
  TlxComboBoxListMetrics metrics;
  metrics.ItemCount = GetItemCount();
  metrics.DropDownRows = ComboBox()->ComboProperties()->DropDownRows();
  metrics.VerticalScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  metrics.HorizontalScrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  TlxCustomEditListBox* list = List();
  if (list == nullptr) {
    metrics.ItemHeight = [](int32_t) { return 0; };
    return metrics;
  }
  for (int32_t i = 0; i < metrics.ItemCount; ++i)
    metrics.MaxItemWidth = std::max(metrics.MaxItemWidth, list->GetItemWidth(i));
  metrics.ItemHeight = [list](int32_t index) { return list->GetItemHeight(index); };
  return metrics;
}

void TlxComboBoxLookupData::GetListSize(TSize& size) { GetListSize(size.cy, size.cx, size); }

void TlxComboBoxLookupData::GetListSize(int32_t available_height, int32_t width_limit, TSize& size) {
  const TlxComboBoxListMetrics metrics = Metrics();
  size = lxComboBoxListSize(metrics, available_height, width_limit);
  if (TlxCustomEditListBox* list = List())
    list->SetScrollWidth(lxComboBoxListScrollWidth(metrics));
}

TSize TlxComboBoxLookupData::PresentListSize() const {
  TlxCustomEditListBox* list = List();
  return list != nullptr ? TSize{list->Width(), list->Height()} : TSize{};
}

bool TlxComboBoxLookupData::AdjustListSize(TSize& size, int32_t available_height, int32_t available_width) {
  size = lxSnapComboBoxListSize(Metrics(), size, PresentListSize(), available_height, available_width);
  return true;
}

void TlxComboBoxLookupData::PrepareListInPopup(TWinControl* popup_window) {
  TlxCustomTextEditLookupData::PrepareListInPopup(popup_window);
}

// --- the popup window ----------------------------------------------------------------------------

void TlxComboBoxPopupWindow::CalcSize() {
  TStateScope calculating(CalculatingSizeFlag(), true);
  GetViewInfo().SizingCorner = pscBottomRight;
  auto* combo = dynamic_cast<TlxCustomComboBox*>(OwnerControl());
  if (combo == nullptr) {
    TlxCustomEditPopupWindow::CalcSize();
    return;
  }
  const TRect owner = OwnerScreenRect();
  const TRect extent = GetViewInfo().GetBorderExtent();
  const TSize frame = GetFrameExtent();
  const TSize content = combo->CalculatePopupContentSize();
  const bool user_sized = combo->UserResizedPopup() && Sizeable();
  int32_t width = owner.Width();
  if (user_sized)
    width = PopupWidth();
  else if (!AutoSize() && PopupWidth() > 0)
    width = PopupWidth();
  else if (AutoSize())
    width = std::max(content.cx + extent.Left + extent.Right, owner.Width());
  int32_t height = content.cy + extent.Top + extent.Bottom;
  if ((user_sized || PopupHeight() != 0) && (Sizeable() || !AutoSize()))
    height = PopupHeight();
  if (Sizeable()) {
    width = std::max(width, MinWidth());
    height = std::max(height, MinHeight());
  }
  SetBounds(Left(), Top(), std::max(width, frame.cx), std::max(height, frame.cy));
}

// --- the editor ---------------------------------------------------------------------------------------

TlxCustomComboBox::TlxCustomComboBox(TComponent* owner, const TClass& properties_class)
    : TlxCustomDropDownEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomComboBoxProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no combo box properties class");
  InstallLookupData(std::make_unique<TlxComboBoxLookupData>(this));
  ControlStyle().Exclude(csClickEvents);
}

bool TlxCustomComboBox::HasDrawItemHandler() const {
  const auto* own = static_cast<const TlxCustomComboBoxProperties*>(Properties());
  if (own != nullptr && own->OnDrawItem)
    return true;
  const TlxEditRepositoryItem* item = RepositoryItem();
  const auto* shared = item != nullptr ? dynamic_cast<const TlxCustomComboBoxProperties*>(item->Properties()) : nullptr;
  return shared != nullptr && static_cast<bool>(shared->OnDrawItem);
}

bool TlxCustomComboBox::HasMeasureItemHandler() const {
  const auto* own = static_cast<const TlxCustomComboBoxProperties*>(Properties());
  if (own != nullptr && own->OnMeasureItem)
    return true;
  const TlxEditRepositoryItem* item = RepositoryItem();
  const auto* shared = item != nullptr ? dynamic_cast<const TlxCustomComboBoxProperties*>(item->Properties()) : nullptr;
  return shared != nullptr && static_cast<bool>(shared->OnMeasureItem);
}

void TlxCustomComboBox::DoDrawItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) {
  TAliveToken alive = AliveToken();
  if (auto* own = static_cast<TlxCustomComboBoxProperties*>(Properties()); own->OnDrawItem)
    own->OnDrawItem(this, canvas, index, rect, state);
  if (!alive.Alive())
    return;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* shared = dynamic_cast<TlxCustomComboBoxProperties*>(item->Properties());
        shared != nullptr && shared->OnDrawItem)
      shared->OnDrawItem(this, canvas, index, rect, state);
}

void TlxCustomComboBox::DoMeasureItem(int32_t index, TCanvas& canvas, int32_t& height) {
  if (auto* own = static_cast<TlxCustomComboBoxProperties*>(Properties()); own->OnMeasureItem)
    own->OnMeasureItem(this, index, canvas, height);
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* shared = dynamic_cast<TlxCustomComboBoxProperties*>(item->Properties());
        shared != nullptr && shared->OnMeasureItem)
      shared->OnMeasureItem(this, index, canvas, height);
}

bool TlxCustomComboBox::CanDropDown() { return GetLookupData() == nullptr || !GetLookupData()->IsEmpty(); }

bool TlxCustomComboBox::AllowsTextEditing() {
  return TlxCustomDropDownEdit::AllowsTextEditing() && ComboProperties()->DropDownListStyle() == lsEditList;
}

TSize TlxCustomComboBox::CalculatePopupContentSize() {
  TlxCustomEditPopupWindow* popup = PopupWindow();
  TlxComboBoxLookupData* lookup = GetLookupData();
  if (popup == nullptr || lookup == nullptr)
    return TSize{};
  TlxCustomComboBoxProperties* properties = ComboProperties();
  const TSize available = popup->GetAvailableContentSize();
  int32_t width_limit = available.cx;
  if (!properties->DropDownSizeable() && !properties->DropDownAutoWidth()) {
    const TRect extent = popup->GetViewInfo().GetBorderExtent();
    width_limit = properties->DropDownWidth() >= 1 ? properties->DropDownWidth() : GetPopupOwnerBounds().Width();
    width_limit = std::min(width_limit - extent.Left - extent.Right, available.cx);
  }
  TSize size;
  lookup->GetListSize(available.cy, width_limit, size);
  return size;
}

bool TlxCustomComboBox::AdjustLookupListSize(TSize& size, const TSize& available) {
  TlxComboBoxLookupData* lookup = GetLookupData();
  return lookup != nullptr && lookup->AdjustListSize(size, available.cy, available.cx);
}

void TlxCustomComboBox::SetupPopupWindow() {
  TlxCustomDropDownEdit::SetupPopupWindow();
  PopupWindow()->SetSysPanelStyle(ComboProperties()->DropDownSizeable());
}

void TlxCustomComboBox::PositionPopupWindow() {
  TlxCustomDropDownEdit::PositionPopupWindow();
  if (TlxComboBoxLookupData* lookup = GetLookupData())
    if (TWinControl* list = lookup->GetListControl())
      list->Invalidate();
}

void TlxCustomComboBox::PopupWindowShowed() {
  TlxCustomDropDownEdit::PopupWindowShowed();
  TlxComboBoxLookupData* lookup = GetLookupData();
  if (lookup == nullptr)
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // Hot tracking would move the selection to the row under the pointer.
  ignore_next_list_mouse_move_ = lookup->IsMouseOverList(TPoint(cursor.x, cursor.y));
}

void TlxCustomComboBox::SyncLookupToText() {
  if (TlxComboBoxLookupData* lookup = GetLookupData())
    lookup->TextChanged();
}

void TlxCustomComboBox::Activate(std::unique_ptr<TlxCustomEditData>& edit_data) {
  TlxCustomDropDownEdit::Activate(edit_data);
  SyncLookupToText();
}

bool TlxCustomComboBox::IsItemNavigationAllowed() {
  if (LookupChanging())
    return false;
  if (GetDroppedDown())
    return true;
  TlxCustomComboBoxProperties* properties = ComboProperties();
  if (!properties->IsIncrementalLookupActive() && PopupWindow() != nullptr && PopupWindow()->HandleAllocated()) {
    MSG pending;
    if (PeekMessageW(&pending, PopupWindow()->WindowHandle(), LX_POPUP_REOPEN, LX_POPUP_REOPEN, PM_NOREMOVE) != 0)
      return true;
  }
  if (properties->GetEditingStyle() != tesFreeText)
    return true;
  if (!IsFocusWithin())
    return false;
  IlxTextEditLookupData* lookup = GetLookupDataIntf();
  if (lookup == nullptr)
    return false;
  Variant key;
  lookup->GetCurrentKey(key);
  std::string item_text;
  lookup->GetDisplayText(key, item_text);
  return AnsiSameText(item_text, ShownText());
}

void TlxCustomComboBox::InnerEditChanged(TObject* sender) {
  // Through the interface: the lookup kinds keep keys that are no indexes.
  IlxTextEditLookupData* lookup = GetLookupDataIntf();
  Variant old_key;
  if (lookup != nullptr)
    lookup->GetCurrentKey(old_key);
  TAliveToken alive = AliveToken();
  {
    LockChangeEvents(true);
    LockClick(true);
    TScopeExit unlock([&] {
      if (!alive.Alive())
        return;
      LockClick(false);
      LockChangeEvents(false);
    });
    TlxCustomDropDownEdit::InnerEditChanged(sender);
    if (alive.Alive() && lookup != nullptr && IsItemNavigationAllowed())
      lookup->TextChanged();
  }
  if (!alive.Alive() || lookup == nullptr)
    return;
  Variant new_key;
  lookup->GetCurrentKey(new_key);
  if (!lxEditValuesEqual(old_key, new_key) && ComboProperties()->IncrementalSearch())
    SetModifiedByUser();
}

void TlxCustomComboBox::ResetPopupHeight() {
  TlxCustomComboBoxProperties* properties = ComboProperties();
  if (IsInplace() && properties->PopupSizeable()) {
    if (auto* data = dynamic_cast<TlxCustomDropDownEditData*>(EditData()))
      data->Height = 0;
    return;
  }
  properties->SetPopupHeight(0);
}

void TlxCustomComboBox::DblClick() {
  TlxCustomDropDownEdit::DblClick();
  TlxCustomComboBoxProperties* properties = ComboProperties();
  TlxComboBoxLookupData* lookup = GetLookupData();
  if (!properties->Revertable() || GetDroppedDown() || lookup == nullptr || lookup->IsEmpty())
    return;
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  TStateScope<bool> double_clicking(double_clicking_, true);
  const int32_t old_key = lookup->CurrentKey();
  if (!TryStartEditing())
    return;
  BeginLookupChange();
  lookup->MoveCurrentItem(lmdNext, true);
  EndLookupChange();
  if (lookup->CurrentKey() == old_key)
    return;
  SetModifiedByUser();
  if (CanPostEditValue() && properties->ImmediatePost() && ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomComboBox::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxCustomDropDownEdit::MouseMove(shift, x, y);
  TlxComboBoxLookupData* lookup = GetLookupData();
  if (!HandleAllocated() || GetCapture() != Handle() || !GetDroppedDown() || lookup == nullptr)
    return;
  TWinControl* list = lookup->GetListControl();
  if (list == nullptr || !list->HandleAllocated())
    return;
  const TPoint screen = ClientToScreen(TPoint(x, y));
  if (!lookup->IsMouseOverList(screen))
    return;
  // Dragging from the editor into the list: the list tracks the press.
  const TPoint local = list->ScreenToClient(screen);
  ReleaseCapture();
  SendMessageW(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.X, local.Y));
}

void TlxCustomComboBox::WndProc(TMessage& message) {
  // Releasing the button on the editor is no click.
  if (message.Msg == WM_LBUTTONUP)
    ControlState().Exclude(csClicked);
  TlxCustomDropDownEdit::WndProc(message);
}

void TlxComboBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxComboBox>();
  p.Persistent("Properties", TlxComboBoxProperties::kClass, &TlxComboBox::GetProperties);
  p.Boolean("BeepOnEnter", &TlxComboBox::BeepOnEnter, &TlxComboBox::SetBeepOnEnter, true);
}

// --- the module ------------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& ComboBoxModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxComboBoxInitialize() {
  ComboBoxModule().Start([] {
    lxGetRegisteredEditProperties().AddClass(&TlxComboBoxProperties::kClass, kComboBoxKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxComboBoxProperties::kClass,
                                                &StatelessInstance<TlxFilterComboBoxHelper>());
  });
}

void lxComboBoxFinalize() {
  ComboBoxModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxComboBoxProperties::kClass,
                                                    &StatelessInstance<TlxFilterComboBoxHelper>());
  });
}

void TlxFilterComboBoxHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxFilterDropDownEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* combo = dynamic_cast<TlxCustomComboBoxProperties*>(properties);
  if (combo == nullptr)
    return;
  combo->SetButtonGlyph(nullptr);
  combo->SetDropDownRows(8);
  combo->SetDropDownListStyle(lsEditList);
  combo->SetImmediateDropDown(false);
  combo->SetPopupAlignment(taLeftJustify);
  combo->SetRevertable(false);
}
