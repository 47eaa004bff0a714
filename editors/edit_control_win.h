#pragma once
// TlxCustomEdit: the editor control every editor kind derives from. It owns
// its properties (or uses a repository item's), keeps the edit value and
// whether the user modified it, validates it, raises the change events and
// writes the value through its data binding. The same control works
// stand-alone on a form and in place over a host's cell, where the host
// activates it, feeds it the first key or click and deactivates it again.
//
// Kinds choose their properties, data binding and edit-data classes through
// the protected constructor; a kind with an inner control calls
// InitializeInnerControl from its own constructor, once its overrides of
// GetInnerControlClass and CreateInnerControl are in place.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "editors/container_win.h"
#include "editors/edit_control_inner_win.h"
#include "editors/edit_data_binding_win.h"
#include "editors/edit_data_win.h"
#include "editors/edit_properties.h"
#include "editors/edit_repository.h"
#include "editors/edit_style_win.h"
#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/actions.h"

class TlxTimer;

using TlxEditEditingEvent = std::function<void(TObject* sender, bool& can_edit)>;
using TlxEditAfterKeyDownEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;

// What a CM_HINTSHOW message points to (its LParam): the cursor position in
// client coordinates in, the hint text and the rectangle it stays valid for
// out. The message answers -1 to cancel the hint.
struct TlxEditHintInfo {
  TPoint CursorPos;
  std::string HintStr;
  TRect CursorRect;
};

class TlxCustomEdit : public TlxContainer,
                      public IlxEditControl,
                      public IlxEditTextAccess,
                      public IlxEditRepositoryItemObserver,
                      public IlxSkinSupport,
                      public IActionTarget {
 public:
  static constexpr TClass kClass{"TlxCustomEdit", &TlxContainer::kClass, &ConstructInstance<TlxCustomEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEdit(TComponent* owner);
  ~TlxCustomEdit() override;

  // An editor of `edit_class` built with the in-place flag set before its
  // construction runs; the caller owns it when `owner` is null.
  static TlxCustomEdit* CreateInplace(const TClass& edit_class, TComponent* owner, bool inplace);

  // Virtual operations, in the order of their slots.
  virtual bool KeepsRightEdgeOnAutoSize() const { return false; }
  virtual void AdjustInnerControlBounds();
  virtual void EndPosting() { posting_ = false; }
  virtual void BeginPosting() { posting_ = true; }
  virtual bool IsAutoSizeActive() const { return auto_size_ && !inplace_; }
  virtual bool IsAutoWidthWanted() const { return GetActiveProperties()->ButtonsViewStyle() == 2; }
  virtual bool IsEditingKey(uint16_t /*key*/, TShiftState /*shift*/) { return false; }
  virtual bool IsEditingChar(char16_t /*ch*/) { return false; }
  virtual bool IsValueModifiable();
  virtual void InnerEditChanged(TObject* sender);
  virtual IlxCustomInnerEdit* CreateInnerControl();
  virtual std::unique_ptr<TlxCustomEditViewData> CreateViewData();
  virtual void ClickDefaultButton();
  virtual void FireButtonClick(int32_t button_index);
  virtual void ButtonDown(int32_t /*button_index*/) {}
  virtual void ButtonUp(int32_t /*button_index*/) {}
  virtual void FireChange();
  virtual void ProcessEditKeyDown(uint16_t& key, TShiftState shift);
  virtual void ProcessEditKeyPress(char16_t& key) { FilterKeyPress(key); }
  virtual void ProcessEditKeyUp(uint16_t& /*key*/, TShiftState /*shift*/) {}
  virtual void HandleTabKey(TShiftState /*shift*/) {}
  virtual void EditFocusChanged();
  virtual void RaiseOnChange();
  virtual void RaiseOnEditValueChanged();
  virtual void DoEditEnter();
  virtual TlxEditSizeProperties GetAutoSizeLimits();
  virtual Variant GetEmptyValue() const { return Variant::Null(); }
  virtual const TClass& GetDataBindingClass() const { return *data_binding_class_; }
  virtual void GetDisplayText(std::string& text);
  virtual TlxEditDataFactory GetEditDataClass() const { return edit_data_class_; }
  virtual Variant GetActualEditValue();
  virtual Variant GetEditValue() const { return edit_value_; }
  virtual const TClass* GetInnerControlClass() const { return nullptr; }
  virtual void HandleValidationError(const std::string& error_text, bool raise);
  virtual void Initialize();
  virtual void ResetEditData() {}
  virtual void SetupInnerControl();
  virtual void PrepareViewData(TlxCustomEditViewData& view_data);
  virtual bool IsEditingAllowed() { return true; }
  virtual Variant GetEditingValue() { return edit_value_; }
  virtual void AcceptDisplayValue(const Variant& /*display_value*/) {}
  virtual void StoreEditValue(const Variant& value, bool is_user_action);
  virtual void CommitDisplayValue(const Variant& display_value);
  virtual bool HasFocusInForm();
  virtual bool IsChildControlDC(HDC /*dc*/) { return false; }
  virtual bool ClickDuringLoad() const { return false; }
  virtual bool IsPaintingCopy() { return IsDataAware() && ControlState().Contains(csPaintCopy); }
  virtual bool IsClickKey(uint16_t key, TShiftState shift);
  virtual bool EditValueNeedsStoring() const { return false; }
  virtual bool UsesParentBackground() const { return false; }
  virtual bool IsTransparentNow() const { return transparent_ && !inplace_; }
  virtual bool IsValidDataChar(char16_t ch);
  virtual bool WantsAfterKeyDown() const { return false; }
  virtual void PaintCopy();
  virtual void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused);
  virtual void ProcessButtonStateChange(const TlxCustomEditViewInfo& old_view_info);
  virtual void PropertiesChanged(TlxCustomEditProperties* properties);
  virtual bool IsEffectivelyReadOnly();
  virtual void AfterRepositoryItemChange() {}
  virtual void BeforeRepositoryItemChange() {}
  virtual void RestoreEnterValue();
  virtual bool ForwardsActivationKey(char16_t /*key*/) { return true; }
  virtual bool TrySetText(const std::string& /*text*/) { return false; }
  virtual void SetAutoSize(bool value);
  virtual void SetEditValue(const Variant& value);
  virtual void SetEditValueUnlocked(const Variant& value);
  virtual void PutDisplayValue(const Variant& /*display_value*/) {}
  virtual void RefreshDisplayValue() {}
  virtual void RefreshEditValue() {}
  virtual bool WantsTabKey() const { return inplace_; }
  virtual bool UpdatesDataOnExit() const { return true; }
  virtual void RecalculateDisplay() {}
  virtual bool AcceptsKeyDown(uint16_t key, TShiftState shift);
  virtual void FilterKeyPress(char16_t& key);
  virtual bool HandlesNavigationKeys() const { return false; }
  virtual void InnerWindowProc(TMessage& message);
  virtual void HookInnerWindowProc();
  virtual void UnhookInnerWindowProc();
  // IlxEditTextAccess.
  bool CanEditText() override { return false; }
  void SetTextInterfaceFlag(bool /*value*/) override {}
  void SetTextFromInterface(const std::string& /*text*/, bool /*post*/) override {}
  void StoreValueFromInterface(const Variant& value) override;
  virtual void Activate(std::unique_ptr<TlxCustomEditData>& edit_data);
  virtual void ActivateByKey(char16_t key, std::unique_ptr<TlxCustomEditData>& edit_data);
  virtual void ActivateByMouse(TShiftState shift, int32_t x, int32_t y, std::unique_ptr<TlxCustomEditData>& edit_data);
  virtual void Clear() { SetEditValue(GetEmptyValue()); }
  virtual void CopyToClipboard() {}
  virtual void CutToClipboard() {}
  // True when the value passed validation; False (or an exception) keeps
  // the editor open.
  virtual bool Deactivate();
  virtual const TClass& GetPropertiesClass() const { return *properties_class_; }
  virtual bool OwnsWindow(HWND window);
  virtual bool IsInnerControlShown() const { return false; }
  virtual bool IsRepositoryItemAcceptable(const TlxEditRepositoryItem* item) const;
  virtual void PasteFromClipboard() {}
  virtual void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused);
  virtual void SelectAll() {}

  // Platform overrides that hosts call.
  void SetParent(TWinControl* parent) override;
  void SetName(const std::string& name) override;
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;

  // Container overrides.
  bool IsInplaceMode() const override { return inplace_; }
  bool HandlesTabNavigation() const override { return false; }
  TlxContainerStyleValues GetIgnoredStyleValues() const override;
  bool IsTransparentBackground() const override { return UsesParentBackground() || IsTransparentNow(); }
  bool UsesNativeStyle() override;
  TRect GetBorderExtent() override;
  bool RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                TShiftState shift) override;
  void PlaceInnerControl() override;
  void UpdateWindowRegion() override;
  void FocusInnerControl() override;

  // IlxEditControl.
  bool HasValidateHandler() const override;
  void DoValidate(Variant& display_value, std::string& error_text, bool& error) override;
  std::string ShownText() const override;

  // IActionTarget: an action without a handler of its own that works on
  // the editor runs on it; otherwise the data binding may take it.
  bool ExecuteAction(TBasicAction* action) override;
  bool UpdateAction(TBasicAction* action) override;

  // IlxEditRepositoryItemObserver.
  void ItemRemoved(TlxEditRepositoryItem* item) override;
  void ItemPropertiesChanged(TlxEditRepositoryItem* item) override { ApplyRepositoryItem(item); }

  // The value flow.
  TlxCustomEditProperties* GetActiveProperties() const;
  TlxCustomEditProperties* Properties() const { return properties_.get(); }
  bool ValidateEdit(bool raise_error);
  void PostEditValue(bool validate_first);
  bool TryStartEditing();
  bool CanPostEditValue();
  void CancelEdit() { data_binding_->CancelChanges(); }
  void LockChangeEvents(bool lock, bool invoke_changes = true);
  bool AreChangeEventsLocked() const { return catcher_->IsLocked(); }
  void LockClick(bool lock);
  void LockValueChanging(bool lock);
  bool IsValueChangingLocked() const { return value_changing_lock_ > 0; }
  void SetModified(bool value);
  void SetModifiedFlag(bool value) { modified_ = value; }
  void SetModifiedAfterEnter(bool value);
  void SetModifiedByUser();
  void PushModifiedState();
  void PopModifiedState();
  void RaiseEditValueChanged();
  void RaiseOnValidate(Variant& display_value, std::string& error_text, bool& error) {
    DoValidate(display_value, error_text, error);
  }
  void RaiseOnClosePopup(int32_t reason);
  bool IsFocusedForFormatting();
  bool IsDataAware() const {
    const IlxEditDefaultValuesProvider* provider = data_binding_->GetValuesProviderIntf();
    return provider != nullptr && provider->IsBoundToData();
  }
  bool IsInnerControlUnavailable() const;
  bool HasInnerControl() const { return inner_edit_ != nullptr; }
  bool AllowsMouseWheel(TShiftState shift) const;
  void AssignOwnProperties(const TlxCustomEditProperties* properties);
  TlxEditRepositoryItem* RepositoryItem() const { return repository_item_; }
  void SetRepositoryItem(TlxEditRepositoryItem* item);
  void ApplyRepositoryItem(TlxEditRepositoryItem* item);
  void EditDataFreed(TlxCustomEditData* edit_data);
  TlxCustomEditData* EditData() const { return edit_data_.Get(); }
  bool IsLoadingOrDestroying() const;
  TlxEditDataBinding* DataBinding() const { return data_binding_.get(); }
  IlxCustomInnerEdit* InnerEdit() const { return inner_edit_; }

  bool IsInplace() const { return inplace_; }
  bool Modified() const { return modified_; }
  bool ModifiedAfterEnter() const { return modified_after_enter_; }
  bool Validated() const { return validated_; }
  void SetValidated(bool value) { validated_ = value; }
  bool IsUserChange() const { return user_change_; }
  void SetUserChange(bool value) { user_change_ = value; }
  bool IsPosting() const { return posting_; }
  bool IsValidating() const { return validating_; }
  bool Activated() const { return activated_; }
  Variant EditValue() const { return GetEditValue(); }
  bool AutoSize() const { return auto_size_; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Input, painting and sizing.
  bool IsClearOrClickKey(uint16_t key, TShiftState shift);
  void FireAfterKeyDown(uint16_t& key, TShiftState shift);
  int32_t FindButtonAt(const TPoint& point) const;
  int32_t FindDefaultButton() const;
  bool ClickButtonByAccelerator(char16_t char_code);
  void CalculateViewInfoAt(const TPoint& point, int32_t button, TShiftState shift, bool is_mouse_event);
  void RecalculateAtCursor();
  void CalculateAutoSize(int32_t& width, int32_t& height);
  bool IsAutoWidthActive() const;
  void EnsureHandleForSize();
  void StoreInitialBounds();
  void GetButtonHint(int32_t button_index, std::string& hint);
  void StopClickTimer();
  void UpdateInnerReadOnly();
  TlxCustomEditStyle* GetStyle() const { return static_cast<TlxCustomEditStyle*>(TlxContainer::GetStyle()); }
  TlxCustomEditStyle* GetStyleDisabled() const {
    return static_cast<TlxCustomEditStyle*>(TlxContainer::GetStyleDisabled());
  }
  TlxCustomEditStyle* GetStyleFocused() const {
    return static_cast<TlxCustomEditStyle*>(TlxContainer::GetStyleFocused());
  }
  TlxCustomEditStyle* GetStyleHot() const { return static_cast<TlxCustomEditStyle*>(TlxContainer::GetStyleHot()); }
  void SetStyle(const TlxCustomEditStyle* value) { GetStyle()->Assign(value); }
  void SetStyleDisabled(const TlxCustomEditStyle* value) { GetStyleDisabled()->Assign(value); }
  void SetStyleFocused(const TlxCustomEditStyle* value) { GetStyleFocused()->Assign(value); }
  void SetStyleHot(const TlxCustomEditStyle* value) { GetStyleHot()->Assign(value); }
  TlxCustomEditStyle* GetCurrentEditStyle() { return static_cast<TlxCustomEditStyle*>(GetCurrentStyle()); }
  TlxCustomEditViewInfo& GetViewInfo() const { return static_cast<TlxCustomEditViewInfo&>(ViewInfo()); }
  int32_t GetHeight();
  void SetHeight(int32_t value) { SetBounds(Left(), Top(), Width(), value); }
  int32_t CapturedButton() const { return captured_button_; }
  bool ClickTimerRunning() const;
  // Answers a CM_HINTSHOW: False cancels the hint.
  bool HandleHintShow(TlxEditHintInfo& info);

  TlxEditEditingEvent OnEditing;
  TlxEditAfterKeyDownEvent OnAfterKeyDown;
  TNotifyEvent OnPostEditValue;
  TNotifyEvent OnFocusChanged;
  // Placeholder for designers; never fired.
  TNotifyEvent PropertiesEvents;

 protected:
  TlxCustomEdit(TComponent* owner, const TClass& properties_class,
                const TClass& data_binding_class = TlxEditDataBinding::kClass,
                TlxEditDataFactory edit_data_class = nullptr,
                const TlxContainerStyleClass& style_class = lxStyleClassOf<TlxEditStyle>());

  // Creates the inner control of GetInnerControlClass when the editor has
  // none yet; kinds with an inner control call it from their constructor.
  void InitializeInnerControl();

  virtual void DoEditing(bool& can_edit);
  virtual void DoPostEditValue();
  virtual void DoFocusChanged();

  void HandleFocusChangedNow();
  void FinishEditing(bool call_do_exit);
  // The value alone, for kinds that read it back from their display text.
  void SetEditValueField(const Variant& value) { edit_value_ = value; }

  // Platform overrides.
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void Click() override;
  void DblClick() override;
  void DoEnter() override;
  void DoExit() override;
  void FocusChanged() override;
  void Paint() override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void DefineProperties(TFiler& filer) override;
  void Notification(TComponent* component, TOperation operation) override;
  // The inner control is part of the editor, built by its constructor: a
  // form description holds no entry of its own for it.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Loaded() override;

 private:
  struct ModifiedState {
    bool ModifiedAfterEnter;
    bool Modified;
  };

  void ListenToOwnProperties();
  bool HasChangeHandler() const;
  bool HasEditValueChangedHandler() const;
  void RaiseChangeInBracket(void (TlxCustomEdit::*raise)());
  void PostUnderBracket();
  void ClickTimerElapsed();
  void HandleCopyMessage();
  void HandleCutMessage();
  void HandlePasteMessage();
  bool HandleDialogChar(char16_t ch);
  void RemovePendingChars();
  bool FocusLeftForGood();
  bool ShouldStoreHeight(const TFiler& filer) const;
  bool ShouldStoreWidth(const TFiler& filer) const;

  bool inplace_;
  const TClass* properties_class_;
  const TClass* data_binding_class_;
  TlxEditDataFactory edit_data_class_;
  std::unique_ptr<TlxCustomEditProperties> properties_;
  TlxEditRepositoryItem* repository_item_ = nullptr;
  Variant edit_value_ = Variant::Null();
  Variant enter_value_ = Variant::Null();
  bool modified_ = false;
  bool modified_after_enter_ = false;
  bool validated_ = false;
  std::vector<ModifiedState> modified_states_;
  bool user_change_ = false;
  bool posting_ = false;
  bool start_editing_ = false;
  int32_t value_changing_lock_ = 0;
  int32_t click_lock_ = 0;
  std::unique_ptr<TlxEditChangeEventsCatcher> catcher_;
  std::unique_ptr<TlxEditDataBinding> data_binding_;
  TWeakRef<TlxCustomEditData> edit_data_;
  bool activated_ = false;
  bool last_focused_ = false;
  bool last_application_active_ = false;
  bool validating_ = false;
  bool error_focusing_ = false;
  IlxCustomInnerEdit* inner_edit_ = nullptr;
  bool transparent_ = false;
  bool auto_size_ = true;
  bool first_parent_ = true;
  int32_t captured_button_ = -1;
  // Not an owned component: form descriptions leave it out.
  std::unique_ptr<TlxTimer> click_timer_;
  bool esc_consumed_ = false;
  bool esc_pressed_ = false;
  std::function<void(TMessage&)> saved_inner_window_proc_;
  bool inner_proc_hooked_ = false;
  bool placing_ = false;
  bool auto_size_guard_ = false;
  bool first_auto_width_pass_ = true;
  bool ensuring_handle_ = false;
  bool view_info_calculated_ = false;
  TlxEditTextParams measured_text_params_;
};

// Mouse buttons and container button codes (0 none, 1 left, 2 right,
// 3 middle) as shift flags; an empty set for none.
TShiftState lxMouseButtonToShiftFlag(TMouseButton button);
TShiftState lxButtonCodeToShiftFlag(int32_t code);
void lxMakeControlReplicatable(TControl* control);
void lxMakeControlTreeReplicatable(TControl* control);
void lxMakeEditReplicatable(TlxCustomEdit* edit);
// The look of an editor's buttons: in place, the normal style's kind;
// without buttons lfStandard; else by the first button's style (btsDefault
// and bts3D standard; btsFlat, btsSimple and btsHotFlat flat; btsUltraFlat
// ultra-flat; btsOffice11 Office 2003).
TlxLookAndFeelKind lxGetEditButtonsLookAndFeelKind(const TlxCustomEdit& edit);
// The look of a button style, as above.
TlxLookAndFeelKind lxEditButtonStyleLookAndFeelKind(TlxEditButtonStyle style);
// The topmost ancestor of `window` reached through child windows only.
HWND lxFindTopChildWindow(HWND window);
