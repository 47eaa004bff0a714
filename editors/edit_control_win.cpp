#include "editors/edit_control_win.h"

#include <utility>

#include "editors/edit_error.h"
#include "editors/edit_strings.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "ui/foundation/base/resource_strings.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

// The in-place flag of the editor being built by CreateInplace; the
// constructor takes it over before anything reads it.
bool& PendingInplaceFlag() {
  static bool pending = false;
  return pending;
}

}  // namespace

// --- TlxEditChangeEventsCatcher -------------------------------------------

bool TlxEditChangeEventsCatcher::ChangeLock(bool lock) {
  if (lock) {
    if (lock_count_++ == 0) {
      OnChangePending = false;
      OnEditValueChangedPending = false;
    }
    return false;
  }
  if (lock_count_ == 0)
    return false;
  return --lock_count_ == 0;
}

// --- TlxCustomEditData -----------------------------------------------------

TlxCustomEditData::~TlxCustomEditData() = default;

void TlxCustomEditData::Clear() {
  cleared_ = true;
  if (TlxCustomEdit* edit = Edit())
    edit->EditDataFreed(this);
}

// --- construction ----------------------------------------------------------

TlxCustomEdit::TlxCustomEdit(TComponent* owner) : TlxCustomEdit(owner, TlxCustomEditProperties::kClass) {}

TlxCustomEdit::TlxCustomEdit(TComponent* owner, const TClass& properties_class, const TClass& data_binding_class,
                             TlxEditDataFactory edit_data_class, const TlxContainerStyleClass& style_class)
    : TlxContainer(owner, style_class),
      inplace_(std::exchange(PendingInplaceFlag(), false)),
      properties_class_(&properties_class),
      data_binding_class_(&data_binding_class),
      edit_data_class_(edit_data_class) {
  if (!properties_class.InheritsFrom(&TlxCustomEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no editor properties class");
  if (!data_binding_class.InheritsFrom(&TlxEditDataBinding::kClass))
    throw EInvalidOperation(std::string(data_binding_class.ClassName()) + " is no editor data binding class");
  Initialize();
}

TlxCustomEdit* TlxCustomEdit::CreateInplace(const TClass& edit_class, TComponent* owner, bool inplace) {
  if (!edit_class.InheritsFrom(&TlxCustomEdit::kClass))
    throw EInvalidOperation(std::string(edit_class.ClassName()) + " is no editor class");
  TStateScope<bool> pending(PendingInplaceFlag(), inplace);
  return static_cast<TlxCustomEdit*>(edit_class.CreateInstance(owner));
}

void TlxCustomEdit::Initialize() {
  catcher_ = std::make_unique<TlxEditChangeEventsCatcher>();
  properties_.reset(static_cast<TlxCustomEditProperties*>(properties_class_->CreateInstance(this)));
  if (const TlxEditViewInfoClass view_info_class = properties_->GetViewInfoClass(); view_info_class.Create)
    ReplaceViewInfo(view_info_class.Create());
  for (TlxContainerStyle* style : {TlxContainer::GetStyle(), TlxContainer::GetStyleDisabled(),
                                   TlxContainer::GetStyleFocused(), TlxContainer::GetStyleHot()})
    static_cast<TlxCustomEditStyle*>(style)->RelinkFallbackController();
  StoreInitialBounds();
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csSetCaption);
  SetTabStop(true);
  InitializeInnerControl();
  lxMakeEditReplicatable(this);
  data_binding_.reset(static_cast<TlxEditDataBinding*>(data_binding_class_->CreateInstance(this)));
  auto_size_ = !inplace_;
  captured_button_ = -1;
  edit_value_ = Variant::Null();
  value_changing_lock_ = 0;
  ListenToOwnProperties();
  click_timer_ = std::make_unique<TlxTimer>(nullptr);
  click_timer_->SetEnabled(false);
  click_timer_->SetInterval(lxDoubleClickTime());
  click_timer_->SetOnTimer([this](TObject*) { ClickTimerElapsed(); });
  if (!inplace_)
    properties_->SetDefaultValuesProvider(data_binding_->GetValuesProviderIntf());
  first_parent_ = true;
}

void TlxCustomEdit::InitializeInnerControl() {
  if (inner_edit_ != nullptr)
    return;
  inner_edit_ = CreateInnerControl();
  if (inner_edit_ == nullptr)
    return;
  SetupInnerControl();
  SetInnerControl(inner_edit_->GetControl());
}

TlxCustomEdit::~TlxCustomEdit() {
  // The inner control and the timer call back into the editor while they
  // go, so they go while the editor is still whole.
  Destroying();
  StopClickTimer();
  if (repository_item_ != nullptr) {
    repository_item_->RemoveListener(this);
    repository_item_->RemoveFreeNotification(this);
    repository_item_ = nullptr;
  }
  inner_edit_ = nullptr;
  properties_->SetOwnerChangedHandler(nullptr);
  if (!inplace_)
    properties_->SetDefaultValuesProvider(nullptr);
  click_timer_.reset();
  DestroyComponents();
  data_binding_.reset();
  modified_states_.clear();
  properties_.reset();
  catcher_.reset();
}

bool TlxCustomEdit::IsLoadingOrDestroying() const {
  return ComponentState().Contains(csLoading) || IsBeingDestroyed();
}

IlxCustomInnerEdit* TlxCustomEdit::CreateInnerControl() {
  const TClass* inner_class = GetInnerControlClass();
  if (inner_class == nullptr)
    return nullptr;
  TObject* control = inner_class->CreateInstance(this);
  return dynamic_cast<IlxCustomInnerEdit*>(control);
}

void TlxCustomEdit::SetupInnerControl() {
  if (GetActiveProperties()->FiresChangeIndependently())
    inner_edit_->SetOnChange([this](TObject* sender) { InnerEditChanged(sender); });
  inner_edit_->SetParent(this);
  inner_edit_->GetControl()->SetShowHint(false);
}

// --- active properties and the repository item ------------------------------

void TlxCustomEdit::ListenToOwnProperties() {
  properties_->SetOwnerChangedHandler([this](TlxCustomEditProperties* properties) {
    // A form description sets the properties one by one; Loaded applies
    // them once when all are in. A read that fails drops the loading state,
    // so the editor listens again then too.
    if (ComponentState().Contains(csLoading))
      return;
    PropertiesChanged(properties);
  });
}

TlxCustomEditProperties* TlxCustomEdit::GetActiveProperties() const {
  if (repository_item_ == nullptr)
    return properties_.get();
  TlxCustomEditProperties* item_properties = repository_item_->Properties();
  item_properties->SetDefaultValuesProvider(data_binding_->GetValuesProviderIntf());
  return item_properties;
}

void TlxCustomEdit::AssignOwnProperties(const TlxCustomEditProperties* properties) { properties_->Assign(properties); }

bool TlxCustomEdit::IsRepositoryItemAcceptable(const TlxEditRepositoryItem* item) const {
  return item == nullptr || item->Properties()->ClassType()->InheritsFrom(&GetPropertiesClass());
}

void TlxCustomEdit::SetRepositoryItem(TlxEditRepositoryItem* item) {
  if (item == repository_item_)
    return;
  if (!IsRepositoryItemAcceptable(item))
    throw ElxEditError(lxLookupResString(&lxSEditInvalidRepositoryItem));
  BeforeRepositoryItemChange();
  if (repository_item_ != nullptr) {
    repository_item_->RemoveListener(this);
    repository_item_->RemoveFreeNotification(this);
  }
  repository_item_ = item;
  if (item != nullptr) {
    item->AddListener(this);
    item->FreeNotification(this);
    properties_->SetDefaultValuesProvider(nullptr);
    ApplyRepositoryItem(item);
    properties_->SetOwnerChangedHandler(nullptr);
  } else if (!IsLoadingOrDestroying()) {
    ListenToOwnProperties();
    properties_->SetDefaultValuesProvider(data_binding_->GetValuesProviderIntf());
    PropertiesChanged(properties_.get());
  }
  AfterRepositoryItemChange();
}

void TlxCustomEdit::ApplyRepositoryItem(TlxEditRepositoryItem* item) {
  if (item != nullptr && !IsLoadingOrDestroying())
    PropertiesChanged(item->Properties());
}

void TlxCustomEdit::ItemRemoved(TlxEditRepositoryItem* item) {
  if (item != repository_item_)
    return;
  // The item is going: forget it quietly, and let the own properties speak
  // for the editor again, so that their changes are not lost afterwards.
  item->RemoveListener(this);
  item->RemoveFreeNotification(this);
  repository_item_ = nullptr;
  if (IsLoadingOrDestroying())
    return;
  ListenToOwnProperties();
  properties_->SetDefaultValuesProvider(data_binding_->GetValuesProviderIntf());
}

void TlxCustomEdit::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TlxContainer::GetChildren(
      [this, &proc](TComponent* child) {
        if (inner_edit_ == nullptr || child != inner_edit_->GetControl())
          proc(child);
      },
      root);
}

void TlxCustomEdit::Notification(TComponent* component, TOperation operation) {
  TlxContainer::Notification(component, operation);
  if (operation == opRemove && component != nullptr && component == repository_item_)
    SetRepositoryItem(nullptr);
}

void TlxCustomEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  validated_ = false;
  UpdateInnerReadOnly();
  if (modified_ && IsEffectivelyReadOnly())
    modified_ = false;
  if (properties != nullptr && properties->Transparent())
    transparent_ = true;
  if (HandleAllocated() && !IsLoadingOrDestroying())
    RefreshViewNow();
}

bool TlxCustomEdit::IsEffectivelyReadOnly() {
  return GetActiveProperties()->GetReadOnly() || !data_binding_->HasActiveData();
}

void TlxCustomEdit::UpdateInnerReadOnly() {
  if (inner_edit_ != nullptr && !IsInnerControlUnavailable())
    inner_edit_->SetReadOnly(IsEffectivelyReadOnly());
}

bool TlxCustomEdit::IsInnerControlUnavailable() const {
  return IsBeingDestroyed() || (GetInnerControlClass() != nullptr && inner_edit_ == nullptr);
}

void TlxCustomEdit::SetTransparent(bool value) {
  if (transparent_ == value)
    return;
  transparent_ = value;
  if (HandleAllocated())
    RefreshViewNow();
}

// --- the modified state -----------------------------------------------------

void TlxCustomEdit::SetModified(bool value) {
  modified_ = value;
  if (!value)
    return;
  validated_ = false;
  modified_after_enter_ = true;
}

void TlxCustomEdit::SetModifiedAfterEnter(bool value) {
  modified_after_enter_ = value;
  if (!value)
    modified_ = false;
}

void TlxCustomEdit::SetModifiedByUser() {
  SetModified(true);
  if (click_lock_ == 0)
    Click();
}

void TlxCustomEdit::PushModifiedState() { modified_states_.push_back({modified_after_enter_, modified_}); }

void TlxCustomEdit::PopModifiedState() {
  if (modified_states_.empty())
    return;
  const ModifiedState state = modified_states_.back();
  modified_states_.pop_back();
  modified_after_enter_ = state.ModifiedAfterEnter;
  modified_ = state.Modified;
}

void TlxCustomEdit::LockClick(bool lock) {
  if (lock)
    ++click_lock_;
  else if (click_lock_ > 0)
    --click_lock_;
}

void TlxCustomEdit::LockValueChanging(bool lock) {
  if (lock)
    ++value_changing_lock_;
  else if (value_changing_lock_ > 0)
    --value_changing_lock_;
}

// --- setting the value --------------------------------------------------------

void TlxCustomEdit::SetEditValue(const Variant& value) {
  if (value_changing_lock_ > 0)
    return;
  LockClick(true);
  TScopeExit unlock([this] { LockClick(false); });
  if (user_change_ && !TryStartEditing())
    return;
  StoreEditValue(value, true);
}

void TlxCustomEdit::SetEditValueUnlocked(const Variant& value) {
  if (value_changing_lock_ > 0)
    return;
  if (user_change_ && !TryStartEditing())
    return;
  StoreEditValue(value, true);
}

void TlxCustomEdit::StoreValueFromInterface(const Variant& value) { StoreEditValue(value, false); }

void TlxCustomEdit::StoreEditValue(const Variant& value, bool /*is_user_action*/) {
  if (user_change_ && !TryStartEditing())
    return;
  TlxCustomEditProperties* properties = GetActiveProperties();
  const bool changed = properties->TracksEditValueChanges() && !lxEditValuesEqual(value, edit_value_);
  edit_value_ = value;
  RefreshDisplayValue();
  if (user_change_)
    SetModified(true);
  else
    SetModifiedAfterEnter(false);
  if (!changed)
    return;
  TAliveToken alive = AliveToken();
  RaiseEditValueChanged();
  if (alive.Alive() && !properties->FiresChangeIndependently())
    FireChange();
}

Variant TlxCustomEdit::GetActualEditValue() {
  if (IsFocusWithin() && modified_ && !validated_)
    return GetEditingValue();
  return edit_value_;
}

void TlxCustomEdit::GetDisplayText(std::string& text) {
  Variant display;
  ConvertToDisplayValue(edit_value_, display, IsFocusedForFormatting());
  text = VarToStrDef(display, "");
}

std::string TlxCustomEdit::ShownText() const {
  std::string text;
  const_cast<TlxCustomEdit*>(this)->GetDisplayText(text);
  return text;
}

void TlxCustomEdit::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) {
  GetActiveProperties()->ConvertToDisplayValue(edit_value, display_value, edit_focused);
}

void TlxCustomEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                              bool /*edit_focused*/) {
  edit_value = display_value;
}

bool TlxCustomEdit::IsFocusedForFormatting() { return IsFocusWithin() && !IsDesigning(); }

// --- may the user change the value ------------------------------------------

bool TlxCustomEdit::IsValueModifiable() {
  TlxCustomEditProperties* properties = GetActiveProperties();
  if (properties == nullptr)
    return false;
  if (inplace_)
    return properties->IsModificationAllowed();
  if (properties->AssignedValues()->ReadOnly())
    return !properties->GetReadOnly();
  IlxEditDefaultValuesProvider* provider = data_binding_->GetValuesProviderIntf();
  return provider != nullptr && provider->AllowsModification() && provider->AllowsEditMode();
}

void TlxCustomEdit::DoEditing(bool& can_edit) {
  if (OnEditing)
    OnEditing(this, can_edit);
}

bool TlxCustomEdit::TryStartEditing() {
  if (!IsEditingAllowed())
    return false;
  if (data_binding_->IsModified())
    return true;
  if (!IsValueModifiable())
    return false;
  bool can_edit = true;
  TStateScope<bool> starting(start_editing_, true);
  LockValueChanging(true);
  TScopeExit unlock([this] { LockValueChanging(false); });
  if (inplace_) {
    DoEditing(can_edit);
    return can_edit;
  }
  const bool in_edit_state = data_binding_->IsInEditState();
  DoEditing(can_edit);
  if (!can_edit)
    return false;
  if (in_edit_state) {
    data_binding_->MarkModified();
    return true;
  }
  return data_binding_->EnterEditMode();
}

// --- validation -------------------------------------------------------------

bool TlxCustomEdit::ValidateEdit(bool raise_error) {
  if (!modified_ || validated_)
    return true;
  TStateScope<bool> validating(validating_, true);
  std::string text;
  GetDisplayText(text);
  Variant display_value(text);
  std::string error_text;
  bool error = false;
  TlxCustomEditProperties* properties = GetActiveProperties();
  if (properties->HasDisplayValue())
    properties->ValidateDisplayValue(display_value, error_text, error, this);
  if (error) {
    // The refused text stays shown and selected, also when the error is raised.
    TScopeExit reshow([&] {
      if (VarToStrDef(display_value, "") != ShownText())
        PutDisplayValue(display_value);
      if (Visible())
        SelectAll();
      if (!IsInnerControlShown())
        RecalculateDisplay();
    });
    if (raise_error)
      HandleValidationError(error_text, true);
    return false;
  }
  if (user_change_ && !TryStartEditing())
    return true;
  CommitDisplayValue(display_value);
  if (!inplace_ && !IsFocusWithin())
    modified_ = false;
  validated_ = true;
  return true;
}

void TlxCustomEdit::CommitDisplayValue(const Variant& display_value) {
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  AcceptDisplayValue(display_value);
}

void TlxCustomEdit::HandleValidationError(const std::string& error_text, bool raise) {
  if (!CanFocus()) {
    validated_ = true;
  } else if (Visible() && !IsFocusWithin()) {
    TStateScope<bool> focusing(error_focusing_, true);
    SetFocus();
    FocusInnerControl();
    SelectAll();
  }
  if (GetActiveProperties()->BeepOnError())
    MessageBeep(0);
  if (!error_text.empty())
    throw ElxEditValidationError(error_text);
  if (raise)
    throw EAbort("");
}

bool TlxCustomEdit::HasValidateHandler() const {
  return properties_->OnValidate || (repository_item_ != nullptr && repository_item_->Properties()->OnValidate);
}

void TlxCustomEdit::DoValidate(Variant& display_value, std::string& error_text, bool& error) {
  if (properties_->OnValidate)
    properties_->OnValidate(this, display_value, error_text, error);
  if (repository_item_ != nullptr && repository_item_->Properties()->OnValidate)
    repository_item_->Properties()->OnValidate(this, display_value, error_text, error);
}

// --- posting ------------------------------------------------------------------

void TlxCustomEdit::DoPostEditValue() {
  if (OnPostEditValue)
    OnPostEditValue(this);
}

void TlxCustomEdit::PostUnderBracket() {
  BeginPosting();
  TScopeExit end([this] { EndPosting(); });
  if (inplace_) {
    DoPostEditValue();
    modified_after_enter_ = false;
  } else if (data_binding_->IsModified()) {
    data_binding_->WriteDataValue(edit_value_);
  }
}

void TlxCustomEdit::PostEditValue(bool validate_first) {
  if (validate_first) {
    TStateScope<bool> not_by_user(user_change_, false);
    if (!ValidateEdit(true))
      return;
  }
  if (!inplace_) {
    TScopeFail refocus([this] { HandleValidationError(std::string(), false); });
    PostUnderBracket();
    return;
  }
  // The host of an in-place editor cannot take the failure back: the user
  // sees it, and the editor stays modified so that nothing counts as written.
  try {
    PostUnderBracket();
  } catch (...) {
    Application->HandleException(this);
  }
}

bool TlxCustomEdit::CanPostEditValue() { return !IsDesigning() && data_binding_->NeedsPosting(); }

// --- change events ------------------------------------------------------------

bool TlxCustomEdit::HasChangeHandler() const {
  return properties_->OnChange || (repository_item_ != nullptr && repository_item_->Properties()->OnChange);
}

bool TlxCustomEdit::HasEditValueChangedHandler() const {
  return properties_->OnEditValueChanged ||
         (repository_item_ != nullptr && repository_item_->Properties()->OnEditValueChanged);
}

void TlxCustomEdit::RaiseChangeInBracket(void (TlxCustomEdit::*raise)()) {
  if (!inplace_) {
    (this->*raise)();
    return;
  }
  // A handler of an in-place editor sees it modified, whatever it was.
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  modified_after_enter_ = true;
  modified_ = true;
  (this->*raise)();
}

void TlxCustomEdit::FireChange() {
  if (IsLoadingOrDestroying())
    return;
  TAliveToken alive = AliveToken();
  if (HasChangeHandler()) {
    if (catcher_->IsLocked())
      catcher_->OnChangePending = true;
    else
      RaiseChangeInBracket(&TlxCustomEdit::RaiseOnChange);
  }
  if (!alive.Alive())
    return;
  TlxCustomEditProperties* properties = GetActiveProperties();
  if (!properties->FiresChangeIndependently() && !properties->TracksEditValueChanges())
    RaiseEditValueChanged();
}

void TlxCustomEdit::RaiseEditValueChanged() {
  if (IsLoadingOrDestroying() || !HasEditValueChangedHandler())
    return;
  if (catcher_->IsLocked()) {
    catcher_->OnEditValueChangedPending = true;
    return;
  }
  RaiseChangeInBracket(&TlxCustomEdit::RaiseOnEditValueChanged);
}

void TlxCustomEdit::RaiseOnChange() {
  TAliveToken alive = AliveToken();
  if (properties_->OnChange)
    properties_->OnChange(this);
  if (alive.Alive() && repository_item_ != nullptr && repository_item_->Properties()->OnChange)
    repository_item_->Properties()->OnChange(this);
}

void TlxCustomEdit::RaiseOnEditValueChanged() {
  TAliveToken alive = AliveToken();
  if (properties_->OnEditValueChanged)
    properties_->OnEditValueChanged(this);
  if (alive.Alive() && repository_item_ != nullptr && repository_item_->Properties()->OnEditValueChanged)
    repository_item_->Properties()->OnEditValueChanged(this);
}

void TlxCustomEdit::FireButtonClick(int32_t button_index) {
  TAliveToken alive = AliveToken();
  if (properties_->OnButtonClick)
    properties_->OnButtonClick(this, button_index);
  if (alive.Alive() && repository_item_ != nullptr && repository_item_->Properties()->OnButtonClick)
    repository_item_->Properties()->OnButtonClick(this, button_index);
}

void TlxCustomEdit::RaiseOnClosePopup(int32_t reason) {
  // The properties have no close-popup event of their own; the drop-down
  // kinds bring it with theirs and override this through their properties.
  (void)reason;
}

void TlxCustomEdit::LockChangeEvents(bool lock, bool invoke_changes) {
  if (!catcher_->ChangeLock(lock) || !invoke_changes || IsLoadingOrDestroying())
    return;
  TAliveToken alive = AliveToken();
  if (catcher_->OnChangePending && HasChangeHandler()) {
    catcher_->OnChangePending = false;
    RaiseChangeInBracket(&TlxCustomEdit::RaiseOnChange);
  }
  if (!alive.Alive())
    return;
  if (catcher_->OnEditValueChangedPending && HasEditValueChangedHandler()) {
    catcher_->OnEditValueChangedPending = false;
    RaiseChangeInBracket(&TlxCustomEdit::RaiseOnEditValueChanged);
  }
}

void TlxCustomEdit::InnerEditChanged(TObject* /*sender*/) {
  if (IsFocusWithin())
    SetModified(true);
  else if (!GetActiveProperties()->IsInChangeHandler())
    data_binding_->MarkModified();
  FireChange();
}

// --- entering and leaving -----------------------------------------------------

void TlxCustomEdit::DoEnter() {
  if (!IsBeingDestroyed() && !error_focusing_)
    DoEditEnter();
  else
    TlxContainer::DoEnter();
  if (HandleAllocated() && !IsBeingDestroyed())
    RefreshViewNow();
}

void TlxCustomEdit::DoEditEnter() {
  PushModifiedState();
  TScopeExit pop([this] {
    PopModifiedState();
    modified_ = false;
  });
  TlxContainer::DoEnter();
  if (UpdatesDataOnExit())
    data_binding_->UpdateDisplay();
  if (GetActiveProperties()->CanRestoreEditValue())
    enter_value_ = GetEditValue();
  if (UpdatesDataOnExit())
    RefreshDisplayValue();
}

void TlxCustomEdit::DoExit() {
  TStateScope<bool> not_by_user(user_change_, false);
  FinishEditing(true);
}

void TlxCustomEdit::FinishEditing(bool call_do_exit) {
  if (IsBeingDestroyed() || error_focusing_) {
    if (call_do_exit)
      TlxContainer::DoExit();
    return;
  }
  PushModifiedState();
  {
    LockChangeEvents(true);
    TScopeFail unwind([this] {
      LockChangeEvents(false, false);
      PopModifiedState();
    });
    if (ValidateEdit(true) && !inplace_ && CanPostEditValue())
      PostEditValue(false);
  }
  LockChangeEvents(false);
  if (UpdatesDataOnExit())
    data_binding_->UpdateDisplay();
  RecalculateDisplay();
  if (HandleAllocated())
    RefreshViewNow();
  PopModifiedState();
  if (call_do_exit)
    TlxContainer::DoExit();
  modified_ = false;
}

void TlxCustomEdit::DoFocusChanged() {
  if (OnFocusChanged)
    OnFocusChanged(this);
}

void TlxCustomEdit::FocusChanged() { HandleFocusChangedNow(); }

void TlxCustomEdit::HandleFocusChangedNow() {
  const bool focused = IsFocusWithin();
  const bool application_active = GetActiveWindow() != nullptr;
  if (focused == last_focused_ && application_active == last_application_active_)
    return;
  last_focused_ = focused;
  last_application_active_ = application_active;
  TlxContainer::FocusChanged();
  EditFocusChanged();
  DoFocusChanged();
}

void TlxCustomEdit::EditFocusChanged() {
  RecalculateDisplay();
  if (FocusLeftForGood())
    ValidateEdit(false);
}

bool TlxCustomEdit::FocusLeftForGood() {
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && !form->Visible() && form->ModalResult() != mrNone && form->ModalResult() != mrCancel)
    return true;
  if (IsFocusWithin() || !HandleAllocated())
    return false;
  if (form == nullptr || Parent() != form || form->ControlCount() != 1)
    return false;
  const HWND focus = GetFocus();
  return focus != nullptr && lxFindTopChildWindow(focus) != nullptr &&
         GetAncestor(focus, GA_ROOT) == GetAncestor(Handle(), GA_ROOT);
}

bool TlxCustomEdit::HasFocusInForm() {
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr)
    return IsFocusWithin();
  TWinControl* active = form->ActiveControl();
  return active == this || (inner_edit_ != nullptr && active == inner_edit_->GetControl());
}

void TlxCustomEdit::RestoreEnterValue() {
  TlxCustomEditProperties* properties = GetActiveProperties();
  if (!modified_ || !properties->CanRestoreEditValue())
    return;
  {
    LockChangeEvents(true);
    TScopeExit unlock([this] { LockChangeEvents(false); });
    modified_ = false;
    Variant value = enter_value_;
    if (IsDataAware())
      data_binding_->ReadDataValue(value);
    SetEditValueUnlocked(value);
    SetModifiedAfterEnter(true);
    SelectAll();
  }
  if (properties->ImmediatePost() && CanPostEditValue())
    PostEditValue(false);
}

// --- in-place activation ------------------------------------------------------

void TlxCustomEdit::Activate(std::unique_ptr<TlxCustomEditData>& edit_data) {
  if (edit_data == nullptr && GetEditDataClass() != nullptr)
    edit_data.reset(GetEditDataClass()(this));
  edit_data_ = edit_data.get();
  if (edit_data != nullptr)
    edit_data->SetCleared(false);
  SetVisible(true);
  if (HandleAllocated() && CanFocus()) {
    SetFocus();
    if (GetActiveProperties()->AutoSelect())
      SelectAll();
  }
  RefreshDisplayValue();
  modified_after_enter_ = false;
  activated_ = true;
}

void TlxCustomEdit::ActivateByKey(char16_t key, std::unique_ptr<TlxCustomEditData>& edit_data) {
  HookInnerWindowProc();
  TScopeExit unhook([this] { UnhookInnerWindowProc(); });
  Activate(edit_data);
  if (ForwardsActivationKey(key) && HandleAllocated())
    SendMessageW(Handle(), WM_CHAR, static_cast<WPARAM>(key), 0);
}

void TlxCustomEdit::ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                                    std::unique_ptr<TlxCustomEditData>& edit_data) {
  Activate(edit_data);
  if (!HandleAllocated())
    return;
  TPoint point(x, y);
  if (Parent() != nullptr)
    point = ScreenToClient(Parent()->ClientToScreen(point));
  TShiftState keys_held = shift;
  keys_held.Exclude(ssLeft);
  const WPARAM keys = lxShiftToMouseKeys(keys_held);
  if (shift.Contains(ssLeft)) {
    SendMessageW(Handle(), WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(point.X, point.Y));
    if (GetAsyncKeyState(GetSystemMetrics(SM_SWAPBUTTON) != 0 ? VK_RBUTTON : VK_LBUTTON) >= 0 &&
        GetCapture() == Handle())
      ReleaseCapture();
  } else {
    SendMessageW(Handle(), WM_LBUTTONUP, keys, MAKELPARAM(point.X, point.Y));
  }
  click_timer_->SetEnabled(true);
}

bool TlxCustomEdit::Deactivate() {
  StopClickTimer();
  user_change_ = false;
  if (!ValidateEdit(true))
    return false;
  RefreshDisplayValue();
  validated_ = true;
  return true;
}

void TlxCustomEdit::EditDataFreed(TlxCustomEditData* edit_data) {
  if (edit_data == nullptr || edit_data != edit_data_.Get() || !edit_data->Cleared())
    return;
  ResetEditData();
  edit_data->SetCleared(false);
}

void TlxCustomEdit::StopClickTimer() {
  if (click_timer_ != nullptr)
    click_timer_->SetEnabled(false);
}

bool TlxCustomEdit::ClickTimerRunning() const { return click_timer_ != nullptr && click_timer_->Enabled(); }

void TlxCustomEdit::ClickTimerElapsed() { StopClickTimer(); }

// --- the inner control's window procedure ---------------------------------------

void TlxCustomEdit::HookInnerWindowProc() {
  if (inner_proc_hooked_ || inner_edit_ == nullptr)
    return;
  TWinControl* inner = inner_edit_->GetControl();
  saved_inner_window_proc_ = inner->WindowProc;
  inner->WindowProc = [this](TMessage& message) { InnerWindowProc(message); };
  inner_proc_hooked_ = true;
}

void TlxCustomEdit::UnhookInnerWindowProc() {
  if (!inner_proc_hooked_)
    return;
  inner_proc_hooked_ = false;
  if (inner_edit_ != nullptr)
    inner_edit_->GetControl()->WindowProc = std::move(saved_inner_window_proc_);
  saved_inner_window_proc_ = nullptr;
}

void TlxCustomEdit::InnerWindowProc(TMessage& message) {
  if (saved_inner_window_proc_)
    saved_inner_window_proc_(message);
}

bool TlxCustomEdit::OwnsWindow(HWND window) {
  return HandleAllocated() && window != Handle() && IsChild(Handle(), window);
}

// --- loading and parenting --------------------------------------------------------

void TlxCustomEdit::Loaded() {
  LockChangeEvents(true);
  LockClick(true);
  TScopeExit unlock([this] {
    LockClick(false);
    LockChangeEvents(false);
  });
  TlxContainer::Loaded();
  data_binding_->RefreshDataLink();
  if (repository_item_ == nullptr)
    ListenToOwnProperties();
  PropertiesChanged(GetActiveProperties());
  if (HandleAllocated())
    RefreshViewNow();
}

bool TlxCustomEdit::ExecuteAction(TBasicAction* action) {
  return lxExecuteActionOn(*action, this) || data_binding_->HandleAction(action);
}

bool TlxCustomEdit::UpdateAction(TBasicAction* action) {
  return lxUpdateActionOn(*action, this) || data_binding_->UpdateActionState(action);
}

void TlxCustomEdit::SetName(const std::string& name) {
  TlxContainer::SetName(name);
  data_binding_->RefreshDataLink();
}

void TlxCustomEdit::SetParent(TWinControl* parent) {
  TlxContainer::SetParent(parent);
  if (parent == nullptr || !first_parent_ || IsLoadingOrDestroying())
    return;
  first_parent_ = false;
  data_binding_->RefreshDataLink();
  PropertiesChanged(properties_.get());
  data_binding_->UpdateDisplay();
}

// --- unit routines ------------------------------------------------------------------

TShiftState lxMouseButtonToShiftFlag(TMouseButton button) {
  switch (button) {
    case mbLeft:
      return TShiftState{ssLeft};
    case mbRight:
      return TShiftState{ssRight};
    case mbMiddle:
      return TShiftState{ssMiddle};
  }
  return {};
}

TShiftState lxButtonCodeToShiftFlag(int32_t code) {
  if (code < 1 || code > 3)
    return {};
  return lxMouseButtonToShiftFlag(static_cast<TMouseButton>(code - 1));
}

void lxMakeControlReplicatable(TControl* control) {
  if (control != nullptr)
    control->ControlStyle().Include(csReplicatable);
}

void lxMakeControlTreeReplicatable(TControl* control) {
  lxMakeControlReplicatable(control);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (windowed == nullptr)
    return;
  for (int32_t i = 0; i < windowed->ControlCount(); ++i)
    lxMakeControlTreeReplicatable(windowed->Controls(i));
}

void lxMakeEditReplicatable(TlxCustomEdit* edit) { lxMakeControlTreeReplicatable(edit); }

HWND lxFindTopChildWindow(HWND window) {
  while (window != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
    const HWND parent = GetParent(window);
    if (parent == nullptr || (GetWindowLongW(parent, GWL_STYLE) & WS_CHILD) == 0)
      break;
    window = parent;
  }
  return window;
}
