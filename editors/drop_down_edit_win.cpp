#include "editors/drop_down_edit_win.h"

#include "editors/popup_hooks_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/messages.h"

namespace {

constexpr uint16_t kKeyEnter = VK_RETURN;
constexpr uint16_t kKeyEsc = VK_ESCAPE;

bool IsToggleKey(uint16_t key, TShiftState shift) {
  if ((key == VK_UP || key == VK_DOWN) && shift.Contains(ssAlt))
    return true;
  return key == VK_F4 && !shift.Contains(ssAlt);
}

}  // namespace

// --- view data --------------------------------------------------------------------------

bool TlxCustomDropDownEditViewData::CanPressButton(const TlxCustomEditViewInfo& view_info, int32_t index) const {
  // The press that closes an open list on its button must not show the
  // button pressed again.
  if (IsHotWhileOpen && index == DropDownButtonIndex)
    return false;
  return TlxCustomTextEditViewData::CanPressButton(view_info, index);
}

bool TlxCustomDropDownEditViewData::IsButtonDown(const TlxCustomEditViewInfo& view_info, int32_t index) const {
  if (index == DropDownButtonIndex && (IsPopupOpen || IsHotWhileOpen) && TransparentDropDownButton)
    return true;
  return TlxCustomTextEditViewData::IsButtonDown(view_info, index);
}

// --- construction -----------------------------------------------------------------------

TlxCustomDropDownEdit::TlxCustomDropDownEdit(TComponent* owner, const TClass& properties_class,
                                             const TClass& data_binding_class, TlxEditDataFactory edit_data_class)
    : TlxDropDownEditBase(owner, properties_class, data_binding_class, edit_data_class) {
  if (!properties_class.InheritsFrom(&TlxCustomDropDownEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no drop-down properties class");
  if (!ComponentState().Contains(csDesigning))
    CreatePopupWindow();
}

TlxCustomDropDownEdit::~TlxCustomDropDownEdit() {
  CancelPendingDropDown();
  if (popup_window_ != nullptr) {
    popup_window_->OnClosed = nullptr;
    popup_window_->OnClosing = nullptr;
    popup_window_->OnShowing = nullptr;
    popup_window_->OnShowed = nullptr;
    popup_window_->OnCloseQuery = nullptr;
    popup_window_->ClosePopup();
  }
  popup_window_.reset();
}

void TlxCustomDropDownEdit::CreatePopupWindow() {
  popup_window_ = lxCreateEditPopupWindow(DropDownProperties()->GetPopupWindowClass(), this);
  TlxCustomEditPopupWindow& popup = *popup_window_;
  popup.ChangeFocusCapture(DropDownProperties()->PopupCapturesFocus());
  popup.ChangeTopmostMode(!IsInplace());
  popup.SetModalLoop(false);
  popup.OnClosed = [this](TObject*, int32_t reason) { PopupWindowClosed(reason); };
  popup.OnCloseQuery = [this](TObject*, bool& can_close) { PopupWindowCloseQuery(can_close); };
  popup.OnClosing = [this](TObject*, int32_t) { PopupWindowClosing(); };
  popup.OnShowing = [this](TObject*) { PopupWindowShowing(); };
  popup.OnShowed = [this](TObject*) { PopupWindowShowed(); };
}

// --- opening ----------------------------------------------------------------------------

void TlxCustomDropDownEdit::DoInitPopup() {
  initialized_ = true;
  TScopeFail not_initialized([this] { initialized_ = false; });
  const TAliveToken alive = AliveToken();
  if (Properties() != nullptr && static_cast<TlxCustomDropDownEditProperties*>(Properties())->OnInitPopup)
    static_cast<TlxCustomDropDownEditProperties*>(Properties())->OnInitPopup(this);
  if (!alive.Alive())
    return;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* properties = dynamic_cast<TlxCustomDropDownEditProperties*>(item->Properties());
        properties != nullptr && properties->OnInitPopup)
      properties->OnInitPopup(this);
  if (alive.Alive() && ShowsLookupList())
    LookupData()->InitializeList();
}

bool TlxCustomDropDownEdit::ShowsLookupList() const {
  return LookupData() != nullptr && !IsDesigning() && DropDownProperties()->UsesLookupData() &&
         DropDownProperties()->ShowsLookupListInPopup();
}

void TlxCustomDropDownEdit::AttachLookupListToPopup() {
  if (ShowsLookupList() && popup_window_ != nullptr)
    LookupData()->PrepareListInPopup(popup_window_.get());
}

void TlxCustomDropDownEdit::PlacePopupContent(const TRect& client_rect) {
  if (ShowsLookupList())
    LookupData()->SetListBounds(client_rect);
}

bool TlxCustomDropDownEdit::AllowsLookupScrolling(bool by_wheel) {
  if (IsInnerControlUnavailable())
    return false;
  return by_wheel || !IsInplace() || GetDroppedDown();
}

void TlxCustomDropDownEdit::CommitLookupList() {
  if (!ShowsLookupList())
    return;
  TlxCustomTextEditLookupData* lookup = LookupData();
  Variant old_key;
  lookup->GetCurrentKey(old_key);
  const Variant old_value = GetEditValue();
  const TAliveToken alive = AliveToken();
  {
    LockClick(true);
    TScopeExit unlock([&] {
      if (alive.Alive())
        LockClick(false);
    });
    // The editor itself changes the item: the text follows it.
    BeginLookupChange();
    TScopeExit end_change([&] {
      if (alive.Alive())
        EndLookupChange();
    });
    lookup->CommitListSelection();
  }
  if (!alive.Alive())
    return;
  Variant new_key;
  lookup->GetCurrentKey(new_key);
  if (!lxEditValuesEqual(old_value, GetEditValue()) && !lxEditValuesEqual(old_key, new_key))
    SetModifiedByUser();
}

void TlxCustomDropDownEdit::DoFinalizePopup() {
  if (!initialized_)
    return;
  initialized_ = false;
  const TAliveToken alive = AliveToken();
  auto* own = static_cast<TlxCustomDropDownEditProperties*>(Properties());
  if (own->OnFinalizePopup)
    own->OnFinalizePopup(this);
  if (!alive.Alive())
    return;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* properties = dynamic_cast<TlxCustomDropDownEditProperties*>(item->Properties());
        properties != nullptr && properties->OnFinalizePopup)
      properties->OnFinalizePopup(this);
}

void TlxCustomDropDownEdit::DoPopup() {
  close_up_reason_ = crUnknown;
  const TAliveToken alive = AliveToken();
  auto* own = static_cast<TlxCustomDropDownEditProperties*>(Properties());
  if (own->OnPopup)
    own->OnPopup(this);
  if (!alive.Alive())
    return;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* properties = dynamic_cast<TlxCustomDropDownEditProperties*>(item->Properties());
        properties != nullptr && properties->OnPopup)
      properties->OnPopup(this);
}

void TlxCustomDropDownEdit::DropDown() {
  if (popup_window_ == nullptr || !HandleAllocated() || !IsWindowVisible(Handle()))
    return;
  const TAliveToken alive = AliveToken();
  DoInitPopup();
  if (!alive.Alive())
    return;
  if (!CanDropDown()) {
    DoFinalizePopup();
    return;
  }
  PositionPopupWindow();
  if (!alive.Alive())
    return;
  popup_window_->HandleNeeded();
  // Shown by the posted message, after the press or key that opens it.
  TWinControl* focus = GetPopupFocusedControl();
  popup_window_->ShowPopupFocusedLater(focus);
}

TWinControl* TlxCustomDropDownEdit::GetPopupFocusedControl() {
  if (InnerEdit() != nullptr)
    return InnerEdit()->GetControl();
  return this;
}

void TlxCustomDropDownEdit::SetupPopupWindow() {
  TlxCustomDropDownEditProperties* properties = DropDownProperties();
  TlxCustomEditPopupWindow& popup = *popup_window_;
  popup.OpenDirection = properties->PopupDirection();
  popup.HorzAlignment = properties->PopupHorzAlignment();
  popup.VertAlignment = properties->PopupVertAlignment();
  popup.SetClientEdge(properties->PopupClientEdge());
  popup.SetMinHeight(properties->PopupMinHeight());
  popup.SetMinWidth(properties->PopupMinWidth());
  popup.SetAutoSize(properties->PopupAutoSize());
  popup.SetSizeable(properties->PopupSizeable());
  popup.SetSysPanelStyle(properties->PopupSysPanelStyle());
  TlxCustomDropDownEditData* data = DropDownEditData();
  if (IsInplace() && properties->PopupSizeable() && data != nullptr) {
    popup.SetPopupWidth(data->Width);
    popup.SetPopupHeight(data->Height);
  } else {
    popup.SetPopupWidth(properties->PopupWidth());
    popup.SetPopupHeight(properties->PopupHeight());
  }
  TlxCustomEditStyle* style = GetCurrentEditStyle();
  popup.SetCloseButton(style != nullptr && style->GetPopupCloseButton());
  popup.SetPopupBorderStyle(style != nullptr ? style->GetPopupBorderStyle() : epbsDefault);
  popup.SetNativeStyle(GetViewInfo().NativeStyle);
  popup.SetShadow(GetViewInfo().Shadow);
}

void TlxCustomDropDownEdit::PositionPopupWindow() {
  TlxCustomEditPopupWindow& popup = *popup_window_;
  popup.ChangeFocusCapture(DropDownProperties()->PopupCapturesFocus());
  AttachLookupListToPopup();
  SetupPopupWindow();
  TPoint point;
  {
    TStateScope<bool> calculating(popup.CalculatingSizeFlag(), true);
    popup.CalcSize();
    popup.CalcPosition(point);
    popup.FitToWorkArea(point);
  }
  popup.SetBounds(point.X, point.Y, popup.Width(), popup.Height());
  popup.RelayoutAfterResize();
}

TRect TlxCustomDropDownEdit::GetPopupOwnerBounds() {
  TRect bounds = GetMouseTrackingBounds();
  if (GetViewInfo().Shadow)
    bounds.Right += kLxPopupShadowWidth;
  return bounds.Offset(Left(), Top());
}

bool TlxCustomDropDownEdit::GetDroppedDown() const {
  return popup_window_ != nullptr && lxIsShownPopup(popup_window_.get());
}

bool TlxCustomDropDownEdit::HasPendingDropDown() const {
  if (popup_window_ == nullptr || !popup_window_->HandleAllocated())
    return false;
  MSG message;
  return PeekMessageW(&message, popup_window_->WindowHandle(), LX_POPUP_REOPEN, LX_POPUP_REOPEN, PM_NOREMOVE) != 0;
}

void TlxCustomDropDownEdit::SetDroppedDown(bool value) {
  if (!value) {
    CloseUp(crUnknown);
    return;
  }
  if (GetDroppedDown() || HasPendingDropDown())
    return;
  DropDown();
}

void TlxCustomDropDownEdit::CancelPendingDropDown() {
  if (popup_window_ == nullptr || !popup_window_->HandleAllocated())
    return;
  if (lxRemovePendingMessages(popup_window_->WindowHandle(), LX_POPUP_REOPEN, LX_POPUP_REOPEN, true) ||
      initialized_)
    if (!GetDroppedDown())
      PopupWindowClosed(crUnknown);
}

// --- closing ----------------------------------------------------------------------------

void TlxCustomDropDownEdit::CloseUp(int32_t reason) {
  if (!GetDroppedDown())
    return;
  const TAliveToken alive = AliveToken();
  LockChangeEvents(true);
  {
    TScopeExit unlock([&] {
      if (alive.Alive())
        LockChangeEvents(false);
    });
    if (lxCloseUpReasonAccepts(reason))
      CommitLookupList();
    if (!alive.Alive())
      return;
    if (lxCloseUpReasonAccepts(reason) && !DropDownProperties()->PostsValueAfterPopupClosed() &&
        DropDownProperties()->ImmediatePost() && CanPostEditValue())
      PostEditValue(true);
  }
  if (!alive.Alive())
    return;
  close_up_reason_ = reason;
  popup_window_->ClosePopup();
}

void TlxCustomDropDownEdit::DoCloseUp() {
  const TAliveToken alive = AliveToken();
  RaiseOnClosePopup(close_up_reason_);
  auto* own = static_cast<TlxCustomDropDownEditProperties*>(Properties());
  if (!alive.Alive())
    return;
  if (own->OnClosePopup)
    own->OnClosePopup(this, close_up_reason_);
  if (!alive.Alive())
    return;
  TlxCustomDropDownEditProperties* item_properties = nullptr;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    item_properties = dynamic_cast<TlxCustomDropDownEditProperties*>(item->Properties());
  if (item_properties != nullptr && item_properties->OnClosePopup)
    item_properties->OnClosePopup(this, close_up_reason_);
  if (!alive.Alive())
    return;
  if (own->OnCloseUp)
    own->OnCloseUp(this);
  if (!alive.Alive())
    return;
  if (item_properties != nullptr && item_properties->OnCloseUp)
    item_properties->OnCloseUp(this);
}

void TlxCustomDropDownEdit::PopupWindowCloseQuery(bool& can_close) {
  const TAliveToken alive = AliveToken();
  auto* own = static_cast<TlxCustomDropDownEditProperties*>(Properties());
  if (own->OnCloseQuery)
    own->OnCloseQuery(this, can_close);
  if (!alive.Alive())
    return;
  if (TlxEditRepositoryItem* item = RepositoryItem())
    if (auto* properties = dynamic_cast<TlxCustomDropDownEditProperties*>(item->Properties());
        properties != nullptr && properties->OnCloseQuery)
      properties->OnCloseQuery(this, can_close);
}

void TlxCustomDropDownEdit::PopupWindowClosed(int32_t /*reason*/) {
  const TAliveToken alive = AliveToken();
  TlxCustomDropDownEditProperties* properties = DropDownProperties();
  if (properties->PopupSizeable() && resized_during_opening_ && popup_window_ != nullptr) {
    TlxCustomDropDownEditData* data = DropDownEditData();
    if (IsInplace() && data != nullptr) {
      data->UserResized = true;
      data->Width = popup_window_->Width();
      data->Height = popup_window_->Height();
    } else {
      properties->SetPopupWidth(popup_window_->Width());
      properties->SetPopupHeight(popup_window_->Height());
    }
    user_resized_ = true;
  }
  resized_during_opening_ = false;
  DoFinalizePopup();
  if (!alive.Alive())
    return;
  DoCloseUp();
  if (!alive.Alive())
    return;
  PostAfterClosing();
  if (alive.Alive() && HandleAllocated())
    RefreshViewNow();
}

void TlxCustomDropDownEdit::PostAfterClosing() {
  TlxCustomDropDownEditProperties* properties = DropDownProperties();
  if (!properties->PostsValueAfterPopupClosed() || !properties->ImmediatePost() || !CanPostEditValue())
    return;
  const TAliveToken alive = AliveToken();
  LockChangeEvents(true);
  TScopeExit unlock([&] {
    if (alive.Alive())
      LockChangeEvents(false);
  });
  if (ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomDropDownEdit::PopupWindowShowed() {
  const TAliveToken alive = AliveToken();
  RefreshViewNow();
  popup_window_->CalculateViewInfo();
  PlacePopupContent(popup_window_->GetViewInfo().ClientRect);
  DoPopup();
  if (!alive.Alive())
    return;
  RecalculateDisplay();
  resized_during_opening_ = false;
}

// --- keys -------------------------------------------------------------------------------

void TlxCustomDropDownEdit::ToggleDropDown() {
  if (GetDroppedDown())
    CloseUp(crClose);
  else
    DropDown();
}

void TlxCustomDropDownEdit::ClosePopupForKey(uint16_t& key) {
  // The Enter or Esc character that follows the key belongs to the closing.
  SetKeyClosedPopup(true);
  const TAliveToken alive = AliveToken();
  {
    const bool user_change = IsUserChange();
    SetUserChange(true);
    TScopeExit restore([&] {
      if (alive.Alive())
        SetUserChange(user_change);
    });
    if (key == kKeyEnter)
      CloseUp(TryStartEditing() ? crEnter : crCancel);
    else
      CloseUp(crCancel);
  }
  if (!alive.Alive() || GetDroppedDown())
    return;
  if (key == kKeyEsc && GetCapture() != nullptr)
    ReleaseCapture();
  key = 0;
}

void TlxCustomDropDownEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  if (IsToggleKey(key, shift)) {
    key = 0;
    ToggleDropDown();
    return;
  }
  if ((key == kKeyEnter || key == kKeyEsc) && !shift.Contains(ssAlt) && GetDroppedDown()) {
    ClosePopupForKey(key);
    if (key == 0)
      return;
  }
  TlxDropDownEditBase::ProcessEditKeyDown(key, shift);
}

void TlxCustomDropDownEdit::ProcessEditKeyPress(char16_t& key) {
  if (KeyClosedPopup() && (key == u'\r' || key == u'\x1b')) {
    SetKeyClosedPopup(false);
    key = 0;
    return;
  }
  TlxCustomDropDownEditProperties* properties = DropDownProperties();
  if (key > 31 && properties->ImmediateDropDown() && !GetDroppedDown() && !HasPendingDropDown()) {
    const TAliveToken alive = AliveToken();
    DropDown();
    if (!alive.Alive())
      return;
  }
  if (properties->PopupCapturesFocus() && key != u'\r' && CanDropDown() && popup_window_ != nullptr &&
      GetPopupFocusedControl() != nullptr && (GetDroppedDown() || HasPendingDropDown())) {
    PostMessageW(popup_window_->Handle(), LX_POPUP_FORWARD_CHAR, key, 0);
    key = 0;
    return;
  }
  TlxDropDownEditBase::ProcessEditKeyPress(key);
}

void TlxCustomDropDownEdit::HandleTabKey(TShiftState shift) {
  if (GetDroppedDown() && DropDownProperties()->PostPopupValueOnTab())
    CloseUp(crTab);
  TlxDropDownEditBase::HandleTabKey(shift);
}

// --- mouse ------------------------------------------------------------------------------

bool TlxCustomDropDownEdit::TakeClosedByOwnerClick() {
  if (popup_window_ == nullptr || !popup_window_->ClosedByOwnerClick())
    return false;
  popup_window_->SetClosedByOwnerClick(false);
  return true;
}

void TlxCustomDropDownEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  press_closed_popup_ = TakeClosedByOwnerClick();
  const TAliveToken alive = AliveToken();
  TlxDropDownEditBase::MouseDown(button, shift, x, y);
  if (!alive.Alive())
    return;
  if (button == mbLeft && !press_closed_popup_ && !activating_by_mouse_ &&
      DropDownProperties()->DropsDownOnTextClick() && !GetDroppedDown() && !hot_while_open_ &&
      FindButtonAt(TPoint(x, y)) < 0 && IsFocusWithin())
    DropDown();
  press_closed_popup_ = false;
}

void TlxCustomDropDownEdit::ButtonDown(int32_t button_index) {
  if (button_index != DropDownProperties()->GetDropDownButtonIndex())
    return;
  if (press_closed_popup_ || TakeClosedByOwnerClick()) {
    press_closed_popup_ = false;
    return;
  }
  if (GetDroppedDown())
    CloseUp(crClose);
  else
    DropDown();
}

bool TlxCustomDropDownEdit::RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                                     TShiftState shift) {
  const bool result = TlxDropDownEditBase::RecalculateAndInvalidate(point, button_code, mouse_event, shift);
  if (button_code != 0 && mouse_event && GetDroppedDown() && FindButtonAt(point) < 0 &&
      GetViewInfo().Bounds.Contains(point) && !DropDownProperties()->DropsDownOnTextClick())
    CloseUp(crUnknown);
  UpdateHotWhileOpen();
  return result;
}

void TlxCustomDropDownEdit::UpdateHotWhileOpen() {
  bool hot = false;
  if (GetDroppedDown() && HandleAllocated()) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TPoint point = ScreenToClient(TPoint(cursor.x, cursor.y));
    hot = TRect(0, 0, Width(), Height()).Contains(point);
  }
  hot_while_open_ = hot;
}

// --- focus and lifetime -----------------------------------------------------------------

void TlxCustomDropDownEdit::EditFocusChanged() {
  const bool captures = DropDownProperties()->PopupCapturesFocus();
  if (!captures && GetDroppedDown() && !IsFocusWithin())
    CloseUp(crUnknown);
  TlxDropDownEditBase::EditFocusChanged();
}

void TlxCustomDropDownEdit::DoExit() {
  CloseUp(crUnknown);
  TlxDropDownEditBase::DoExit();
}

void TlxCustomDropDownEdit::DestroyWnd() {
  if (popup_window_ != nullptr) {
    CloseUp(crUnknown);
    DoFinalizePopup();
    if (popup_window_->HandleAllocated() && !popup_window_->IsBeingDestroyed())
      popup_window_->DestroyHandle();
  }
  TlxDropDownEditBase::DestroyWnd();
}

void TlxCustomDropDownEdit::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxDropDownEditBase::PrepareViewData(view_data);
  auto* data = dynamic_cast<TlxCustomDropDownEditViewData*>(&view_data);
  if (data == nullptr)
    return;
  data->IsPopupOpen = GetDroppedDown();
  data->IsHotWhileOpen = hot_while_open_;
  data->TransparentDropDownButton = DropDownProperties()->KeepArrowButtonDownWhenPopup();
  data->DropDownButtonIndex = DropDownProperties()->GetDropDownButtonIndex();
}

void TlxCustomDropDownEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  if (!DropDownProperties()->PopupSizeable())
    user_resized_ = false;
  TlxDropDownEditBase::PropertiesChanged(properties);
  if (GetDroppedDown())
    PositionPopupWindow();
}

void TlxCustomDropDownEdit::ResetEditData() {
  user_resized_ = false;
  if (TlxCustomDropDownEditData* data = DropDownEditData()) {
    data->UserResized = false;
    data->Width = DropDownProperties()->PopupWidth();
    data->Height = DropDownProperties()->PopupHeight();
  }
}

void TlxCustomDropDownEdit::Activate(std::unique_ptr<TlxCustomEditData>& edit_data) {
  TlxDropDownEditBase::Activate(edit_data);
  TlxCustomDropDownEditData* data = DropDownEditData();
  if (DropDownProperties()->PopupSizeable() && data != nullptr)
    user_resized_ = data->UserResized;
  if (DropDownProperties()->ImmediatePopup() && IsInplace())
    DropDown();
}

void TlxCustomDropDownEdit::ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                                            std::unique_ptr<TlxCustomEditData>& edit_data) {
  TStateScope<bool> by_mouse(activating_by_mouse_, true);
  TlxDropDownEditBase::ActivateByMouse(shift, x, y, edit_data);
}

bool TlxCustomDropDownEdit::Deactivate() {
  CloseUp(crUnknown);
  if (TlxCustomDropDownEditData* data = DropDownEditData(); data != nullptr && DropDownProperties()->PopupSizeable())
    data->UserResized = user_resized_;
  CancelPendingDropDown();
  return TlxDropDownEditBase::Deactivate();
}

bool TlxCustomDropDownEdit::ForwardsActivationKey(char16_t key) {
  TlxCustomDropDownEditProperties* properties = DropDownProperties();
  if (!properties->ImmediateDropDown())
    return TlxDropDownEditBase::ForwardsActivationKey(key);
  return !properties->PopupCapturesFocus() || key == u'\r';
}

void TlxCustomDropDownEdit::SyncListAfterPaste() {
  // The lookup list follows the text once a kind with lookup data is open.
  if (GetDroppedDown())
    RecalculateDisplay();
}

void TlxCustomDropDownEdit::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_GETDLGCODE:
      TlxDropDownEditBase::WndProc(message);
      // An open popup takes Enter and Esc (and Tab when it posts on Tab).
      if (GetDroppedDown()) {
        message.Result |= DLGC_WANTALLKEYS;
        if (DropDownProperties()->PostPopupValueOnTab())
          message.Result |= DLGC_WANTTAB;
      }
      return;
    case CM_DIALOGKEY:
      if (GetDroppedDown() && (message.WParam == VK_ESCAPE || message.WParam == VK_RETURN)) {
        message.Result = 1;
        return;
      }
      break;
    case LX_DROPDOWN_SYNC_AFTER_PASTE:
      SyncListAfterPaste();
      return;
    default:
      break;
  }
  TlxDropDownEditBase::WndProc(message);
}

bool TlxCustomDropDownEdit::HandleMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  if (TlxCustomTextEdit::HandleMouseWheel(shift, wheel_delta, mouse_pos))
    return true;
  TlxCustomTextEditLookupData* lookup = LookupData();
  if (!AllowsLookupScrolling(true) || !GetDroppedDown() || lookup == nullptr)
    return false;
  TWinControl* list = lookup->GetListControl();
  // A list that hands the wheel back to its editor must not bounce it.
  static bool forwarding = false;
  if (!forwarding && !lookup->IsEmpty() && list != nullptr && list->HandleAllocated()) {
    TStateScope<bool> once(forwarding, true);
    const TPoint screen = mouse_pos;
    SendMessageW(list->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<int16_t>(wheel_delta)),
                 MAKELPARAM(static_cast<int16_t>(screen.X), static_cast<int16_t>(screen.Y)));
  }
  return true;
}
