#pragma once
// An editor kind's settings and its window-less logic. One properties
// object serves a stand-alone editor, a repository item shared by many
// editors, or a grid column that draws its cells through it.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editors/edit_buttons.h"
#include "editors/edit_view_classes.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/geometry.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"
#include "ui/foundation/base/component.h"
#include "ui/foundation/base/interfaced.h"

using TlxShortCut = uint16_t;

enum TlxEditVertAlignment : uint8_t { taTopJustify, taBottomJustify, taVCenter };

class TlxCustomEditProperties;
class TlxCanvas;

class TlxEditAlignment : public TPersistent {
 public:
  using TOwnerType = TlxCustomEditProperties;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxEditAlignment", &TPersistent::kClass, nullptr, &TlxEditAlignment::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditAlignment(TlxCustomEditProperties* owner) : owner_(owner) {}

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  TAlignment Horz() const { return horz_; }
  // Nothing when Horz is assigned and equal; else assigns it and fires.
  void SetHorz(TAlignment value);
  bool IsHorzAssigned() const { return horz_assigned_; }
  TlxEditVertAlignment Vert() const { return vert_; }
  void SetVert(TlxEditVertAlignment value);
  // Forgets the assigned Horz and fires.
  void ResetHorz();

  std::function<void()> OnChanged;

 private:
  friend class TlxCustomEditProperties;
  void DoChanged() {
    if (OnChanged)
      OnChanged();
  }

  TlxCustomEditProperties* owner_;
  TAlignment horz_ = taLeftJustify;
  bool horz_assigned_ = false;
  TlxEditVertAlignment vert_ = taTopJustify;
};

// Which of the settings whose default comes from elsewhere are set locally.
class TlxCustomEditPropertiesValues : public TPersistent {
 public:
  using TOwnerType = TlxCustomEditProperties;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCustomEditPropertiesValues", &TPersistent::kClass,
                                 &ConstructInstance<TlxCustomEditPropertiesValues>,
                                 &TlxCustomEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEditPropertiesValues(TlxCustomEditProperties* owner) : owner_(owner) {}

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;
  // Clears the three flags inside the owner's update bracket.
  virtual void RestoreDefaults();

  bool MaxValue() const { return max_value_; }
  void SetMaxValue(bool value);
  bool MinValue() const { return min_value_; }
  void SetMinValue(bool value);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);

  // The flag is stored only when set, the owner's value is 0 and the
  // owner's class publishes the value itself.
  bool MaxValueNeedsStoring() const;
  bool MinValueNeedsStoring() const;
  bool IsOwnerPropertyPublished(std::string_view name) const;

  TlxCustomEditProperties* Properties() const { return owner_; }

 private:
  void Store(bool& flag, bool value);

  TlxCustomEditProperties* owner_;
  bool max_value_ = false;
  bool min_value_ = false;
  bool read_only_ = false;
};

// Defaults that bound data suggests to the properties.
class IlxEditDefaultValuesProvider : public virtual IInterface {
 public:
  virtual bool AllowsEditMode() const = 0;
  virtual void DetachFromAllProperties() = 0;
  virtual TAlignment SuggestedAlignment() const = 0;
  virtual int32_t SuggestedBlobKind() const = 0;
  virtual bool AllowsModification() const = 0;
  virtual void SuggestedDisplayFormat(std::string& text) const = 0;
  virtual void SuggestedEditFormat(std::string& text) const = 0;
  virtual void SuggestedEditMask(std::string& text) const = 0;
  virtual bool HoldsFloatValue() const = 0;
  virtual int32_t SuggestedMaxLength() const = 0;
  virtual double SuggestedMaxValue() const = 0;
  virtual double SuggestedMinValue() const = 0;
  virtual int32_t SuggestedPrecision() const = 0;
  virtual bool SuggestedReadOnly() const = 0;
  virtual bool SuggestedRequired() const = 0;
  virtual TObject* GetProviderObject() = 0;
  virtual bool IsBoundToData() const = 0;
  virtual bool HoldsBlobData() const = 0;
  virtual bool HoldsCurrencyValue() const = 0;
  virtual bool HasActiveData() const = 0;
  virtual bool IsDisplayFormatDefined(bool is_inplace) const = 0;
  virtual bool HasImplicitDisplayFormat() const = 0;
  virtual bool HasSetTextHandler() const = 0;
  virtual bool AcceptsInputChar(char16_t ch) const = 0;
};

// The neutral provider; data-aware providers override its answers. It
// detaches itself from every properties object when it goes away, so none
// keeps a reference to a freed provider.
class TlxCustomEditDefaultValuesProvider : public TlxInterfacedPersistent, public IlxEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TlxCustomEditDefaultValuesProvider", &TlxInterfacedPersistent::kClass,
                                 &ConstructInstance<TlxCustomEditDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEditDefaultValuesProvider(TPersistent* owner) : TlxInterfacedPersistent(owner) {}
  ~TlxCustomEditDefaultValuesProvider() override;

  void DetachFromAllProperties() override;
  TObject* GetProviderObject() override { return this; }

  bool AllowsEditMode() const override { return true; }
  TAlignment SuggestedAlignment() const override { return taLeftJustify; }
  int32_t SuggestedBlobKind() const override { return 3; }
  bool AllowsModification() const override { return true; }
  void SuggestedDisplayFormat(std::string& text) const override { text.clear(); }
  void SuggestedEditFormat(std::string& text) const override { text.clear(); }
  void SuggestedEditMask(std::string& text) const override { text.clear(); }
  bool HoldsFloatValue() const override { return false; }
  int32_t SuggestedMaxLength() const override { return 0; }
  double SuggestedMaxValue() const override { return 0.0; }
  double SuggestedMinValue() const override { return 0.0; }
  int32_t SuggestedPrecision() const override { return 15; }
  bool SuggestedReadOnly() const override { return false; }
  bool SuggestedRequired() const override { return false; }
  bool HoldsBlobData() const override { return false; }
  bool HoldsCurrencyValue() const override { return false; }
  bool HasActiveData() const override { return true; }
  bool IsBoundToData() const override { return false; }
  bool IsDisplayFormatDefined(bool /*is_inplace*/) const override { return false; }
  bool HasImplicitDisplayFormat() const override { return false; }
  bool HasSetTextHandler() const override { return false; }
  bool AcceptsInputChar(char16_t /*ch*/) const override { return true; }
};

// What the properties need of the editor control that shows them: its
// OnValidate handlers (own properties first, then the repository item's)
// and the text it shows. The editor control implements it.
class IlxEditControl : public virtual IInterface {
 public:
  virtual bool HasValidateHandler() const = 0;
  virtual void DoValidate(Variant& display_value, std::string& error_text, bool& error) = 0;
  virtual std::string ShownText() const = 0;
};

using TlxEditButtonClickEvent = std::function<void(TObject* sender, int32_t button_index)>;
using TlxEditValidateEvent =
    std::function<void(TObject* sender, Variant& display_value, std::string& error_text, bool& error)>;
using TlxEditPropertiesChangedHandler = std::function<void(TlxCustomEditProperties* properties)>;

// Bits of GetEditCapabilities that hosts test.
inline constexpr uint32_t kLxEditCapWrapsInCell = 2;
inline constexpr uint32_t kLxEditCapFiltering = 8;
inline constexpr uint32_t kLxEditCapButtons = 32;
inline constexpr uint32_t kLxEditCapIncSearch = 64;
inline constexpr uint32_t kLxEditCapSorting = 256;

// Bits of GetDisplayFormatOptions.
inline constexpr uint32_t kLxDisplayFormatFromData = 1;
inline constexpr uint32_t kLxDisplayFormatNotInplace = 2;

class TlxCustomEditProperties : public TlxInterfacedPersistent {
 public:
  static constexpr TClass kClass{"TlxCustomEditProperties", &TlxInterfacedPersistent::kClass,
                                 &ConstructInstance<TlxCustomEditProperties>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEditProperties(TPersistent* owner);
  ~TlxCustomEditProperties() override;

  void Assign(const TPersistent* source) override;

  // Virtual operations, in the order of their slots.
  virtual void AlignmentChanged();
  virtual void SetAlignment(const TlxEditAlignment* value);
  virtual void ButtonsChanged();
  virtual bool HasDisplayValue() const { return false; }
  virtual bool DefaultUseLeftAlignmentOnEditing() const { return true; }
  virtual void ReleaseDefaultValuesProvider() { provider_ = nullptr; }
  virtual void ComponentRemoved(TComponent* /*component*/) {}
  virtual const TClass& GetAssignedValuesClass() const { return TlxCustomEditPropertiesValues::kClass; }
  virtual TAlignment GetDefaultHorzAlignment() const;
  virtual uint32_t GetDisplayFormatOptions() const { return 0; }
  virtual double GetMaxValue() const;
  virtual double GetMinValue() const;
  virtual void DescribeValidationError(int32_t error_kind, std::string& text) const;
  virtual bool UsesFieldDisplayFormat(bool edit_focused) const;
  virtual bool FiresChangeIndependently() const { return false; }
  virtual bool WantsTab() const { return false; }
  virtual bool DistinguishesFocusedDisplay() const { return true; }
  virtual bool TracksEditValueChanges() const { return false; }
  virtual const TClass& GetButtonsClass() const { return TlxEditButtons::kClass; }
  virtual void Changed();
  virtual bool EditValuesEqual(const Variant& value1, const Variant& value2) const;
  // A new, ownerless properties object of the same class.
  virtual std::unique_ptr<TlxCustomEditProperties> CreateSameKind() const;
  // The kind's view classes (empty natively, where nothing is drawn).
  virtual TlxEditViewDataClass GetViewDataClass() const;
  virtual TlxEditViewInfoClass GetViewInfoClass() const;
  // The editor control class that hosts create for the kind (null natively).
  virtual const TClass* GetEditControlClass() const;
  virtual void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const;
  virtual uint32_t GetEditorKindFlags() const { return 0; }
  virtual uint32_t GetEditCapabilities() const;
  virtual bool IsActivationKey(char16_t /*ch*/) const { return false; }
  virtual bool IsEditValueValid(Variant& /*edit_value*/, bool /*edit_focused*/) const { return true; }
  virtual bool CanRestoreEditValue() const { return false; }
  virtual void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const;
  virtual void RestoreDefaults();
  virtual void PropagateTo(TlxCustomEditProperties* /*properties*/) const {}
  virtual void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                    IlxEditControl* edit);
  virtual int32_t CanUseFieldDisplayFormat(bool /*edit_focused*/) const { return 0; }

  // A view data of the kind's class; Windows only.
  std::unique_ptr<TlxCustomEditViewData> CreateViewData(TlxCustomEditStyle* style, bool inplace, bool preview_mode);
  // The size an editor of the kind needs for `edit_value` (row heights and
  // best-fit widths); Windows only.
  TSize CalculateEditSize(TlxCanvas& canvas, TlxCustomEditStyle* style, bool inplace, const Variant& edit_value,
                          const TlxEditSizeProperties& limits);

  // Update bracket: changes inside collapse into one Changed at the last
  // EndUpdate(true); EndUpdate(false) drops them.
  void BeginUpdate();
  void EndUpdate(bool invoke_changed = true);
  bool IsChangeLocked() const { return change_lock_ || update_count_ > 0; }
  // A flag, not a counter.
  void SetChangedLock(bool locked) { change_lock_ = locked; }
  bool IsInChangeHandler() const { return handler_nesting_ > 0; }
  bool IsChangePending() const { return change_pending_; }
  void NotifyChanged() { Changed(); }

  bool IsModificationAllowed() const;
  bool UsesProviderDisplayFormat() const;
  IlxEditDefaultValuesProvider* DefaultValuesProvider() const { return provider_; }
  void SetDefaultValuesProvider(IlxEditDefaultValuesProvider* provider);
  // Raises the editor's OnValidate handlers. With an error and a display
  // value the handlers left as it was, the display value becomes the text
  // the editor shows.
  static void RunValidateEvent(Variant& display_value, std::string& error_text, bool& error,
                               IlxEditControl* edit, bool& display_value_changed);

  // Called by Changed; the owner sets it.
  void SetOwnerChangedHandler(TlxEditPropertiesChangedHandler handler) { owner_changed_ = std::move(handler); }

  // Settings.
  TlxEditAlignment* GetAlignment();
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool value) { Store(auto_select_, value); }
  bool BeepOnError() const { return beep_on_error_; }
  void SetBeepOnError(bool value) { Store(beep_on_error_, value); }
  TlxEditButtons* Buttons() const { return buttons_.get(); }
  void SetButtons(const TlxEditButtons* value) { buttons_->Assign(value); }
  uint8_t ButtonsViewStyle() const { return buttons_view_style_; }
  void SetButtonsViewStyle(uint8_t value) { Store(buttons_view_style_, value); }
  TlxShortCut ClearKey() const { return clear_key_; }
  void SetClearKey(TlxShortCut value) { Store(clear_key_, value); }
  TlxShortCut ClickKey() const { return click_key_; }
  void SetClickKey(TlxShortCut value) { Store(click_key_, value); }
  bool ImmediatePost() const { return immediate_post_; }
  void SetImmediatePost(bool value) { Store(immediate_post_, value); }
  double MaxValue() const { return GetMaxValue(); }
  void SetMaxValue(double value);
  double MinValue() const { return GetMinValue(); }
  void SetMinValue(double value);
  bool GetReadOnly() const;
  void SetReadOnly(bool value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value) { Store(transparent_, value); }
  bool UseLeftAlignmentOnEditing() const { return use_left_alignment_on_editing_; }
  void SetUseLeftAlignmentOnEditing(bool value) { Store(use_left_alignment_on_editing_, value); }
  bool UseMouseWheel() const { return use_mouse_wheel_; }
  void SetUseMouseWheel(bool value) { use_mouse_wheel_ = value; }
  bool ValidateOnEnter() const { return validate_on_enter_; }
  void SetValidateOnEnter(bool value) { Store(validate_on_enter_, value); }
  TlxCustomEditPropertiesValues* AssignedValues() const { return assigned_values_.get(); }
  void SetAssignedValues(const TlxCustomEditPropertiesValues* value) { assigned_values_->Assign(value); }
  TlxFreeNotificator* FreeNotificator() const { return free_notificator_.get(); }

  bool AlignmentNeedsStoring() const;
  bool UseLeftAlignmentOnEditingNeedsStoring() const;
  bool ReadOnlyNeedsStoring() const { return assigned_values_->ReadOnly(); }
  bool MaxValueNeedsStoring() const { return assigned_values_->MaxValue(); }
  bool MinValueNeedsStoring() const { return assigned_values_->MinValue(); }

  TlxEditButtonClickEvent OnButtonClick;
  TNotifyEvent OnChange;
  TNotifyEvent OnEditValueChanged;
  TlxEditValidateEvent OnValidate;

 protected:
  // A kind with an assigned-values class of its own installs it from its
  // constructor, before anything reads the flags.
  void ReplaceAssignedValues(std::unique_ptr<TlxCustomEditPropertiesValues> values) {
    assigned_values_ = std::move(values);
  }
  // Sets a setting and announces the change, but only when the value differs.
  template <class T>
  void Store(T& field, const T& value) {
    lxStoreChanged(field, value, [this] { Changed(); });
  }

 private:
  bool OwnerIsDestroying() const;
  bool OwnerIsWriting() const;

  bool auto_select_ = true;
  bool beep_on_error_ = false;
  std::unique_ptr<TlxEditButtons> buttons_;
  uint8_t buttons_view_style_ = 0;
  bool change_pending_ = false;
  TlxShortCut clear_key_ = 0;
  TlxShortCut click_key_ = 16397;
  std::unique_ptr<TlxFreeNotificator> free_notificator_;
  bool immediate_post_ = false;
  std::unique_ptr<TlxEditAlignment> stored_alignment_;
  int32_t handler_nesting_ = 0;
  double max_value_ = 0;
  double min_value_ = 0;
  bool read_only_ = false;
  bool transparent_ = false;
  int32_t update_count_ = 0;
  bool use_left_alignment_on_editing_ = true;
  bool use_mouse_wheel_ = true;
  bool validate_on_enter_ = false;
  TlxEditPropertiesChangedHandler owner_changed_;
  std::unique_ptr<TlxEditAlignment> public_alignment_;
  std::unique_ptr<TlxCustomEditPropertiesValues> assigned_values_;
  bool change_lock_ = false;
  IlxEditDefaultValuesProvider* provider_ = nullptr;
};

// Both values numeric (FMTBcd included) or of the same variant type, and
// equal under the Boolean-aware equality.
bool lxEditValuesEqual(const Variant& v1, const Variant& v2);
// The same variant type and equal under the Boolean-aware equality.
bool lxVarEqualsStrict(const Variant& v1, const Variant& v2);
// The first component in the owner chain, the object itself included.
TComponent* lxFindOwnerComponent(TPersistent* persistent);

// The in-place editor caches that must forget a properties object before it
// goes. Each cache registers itself while it exists.
class IlxInplaceEditCache : public virtual IInterface {
 public:
  virtual void ForgetProperties(TlxCustomEditProperties* properties) = 0;
};
void lxAddInplaceEditCache(IlxInplaceEditCache* cache);
void lxRemoveInplaceEditCache(IlxInplaceEditCache* cache);
void lxDisconnectFromInplaceLists(TlxCustomEditProperties* properties);
