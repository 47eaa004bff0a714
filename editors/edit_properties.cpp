#include "editors/edit_properties.h"

#include <algorithm>
#include <vector>

#include "data/variant_utils.h"
#include "editors/edit_strings.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

namespace {

// Every properties object while it exists; the providers walk it when they
// go away.
std::vector<TlxCustomEditProperties*>& PropertiesList() {
  static std::vector<TlxCustomEditProperties*> list;
  return list;
}

std::vector<IlxInplaceEditCache*>& InplaceEditCaches() {
  static std::vector<IlxInplaceEditCache*> caches;
  return caches;
}

template <class T>
void EraseFrom(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

// --- TlxEditAlignment ---------------------------------------------------

void TlxEditAlignment::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxEditAlignment>();
  p.Enumeration("Horz", &TlxEditAlignment::Horz, &TlxEditAlignment::SetHorz,
                {"taLeftJustify", "taRightJustify", "taCenter"}, std::optional<TAlignment>())
      .Stored = [](const TPersistent& self) { return static_cast<const TlxEditAlignment&>(self).IsHorzAssigned(); };
  p.Enumeration("Vert", &TlxEditAlignment::Vert, &TlxEditAlignment::SetVert,
                {"taTopJustify", "taBottomJustify", "taVCenter"}, std::optional<TlxEditVertAlignment>(taTopJustify));
}

TPersistent* TlxEditAlignment::GetOwner() const { return owner_; }

void TlxEditAlignment::Assign(const TPersistent* source) {
  const auto* alignment = dynamic_cast<const TlxEditAlignment*>(source);
  if (alignment == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  vert_ = alignment->vert_;
  horz_ = alignment->horz_;
  horz_assigned_ = alignment->horz_assigned_;
  DoChanged();
}

void TlxEditAlignment::SetHorz(TAlignment value) {
  if (horz_assigned_ && horz_ == value)
    return;
  horz_assigned_ = true;
  horz_ = value;
  DoChanged();
}

void TlxEditAlignment::SetVert(TlxEditVertAlignment value) {
  if (vert_ == value)
    return;
  vert_ = value;
  DoChanged();
}

void TlxEditAlignment::ResetHorz() {
  horz_assigned_ = false;
  DoChanged();
}

// --- TlxCustomEditPropertiesValues --------------------------------------

void TlxCustomEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCustomEditPropertiesValues>();
  p.Boolean("ReadOnly", &TlxCustomEditPropertiesValues::ReadOnly, &TlxCustomEditPropertiesValues::SetReadOnly,
            false);
}

TPersistent* TlxCustomEditPropertiesValues::GetOwner() const { return owner_; }

void TlxCustomEditPropertiesValues::Store(bool& flag, bool value) {
  if (flag == value)
    return;
  flag = value;
  if (owner_ != nullptr)
    owner_->Changed();
}

void TlxCustomEditPropertiesValues::SetMaxValue(bool value) { Store(max_value_, value); }
void TlxCustomEditPropertiesValues::SetMinValue(bool value) { Store(min_value_, value); }
void TlxCustomEditPropertiesValues::SetReadOnly(bool value) { Store(read_only_, value); }

void TlxCustomEditPropertiesValues::Assign(const TPersistent* source) {
  const auto* values = dynamic_cast<const TlxCustomEditPropertiesValues*>(source);
  if (values == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*owner_);
  SetMaxValue(values->max_value_);
  SetMinValue(values->min_value_);
  SetReadOnly(values->read_only_);
}

void TlxCustomEditPropertiesValues::RestoreDefaults() {
  TUpdateScope<TlxCustomEditProperties> update(*owner_);
  SetMaxValue(false);
  SetMinValue(false);
  SetReadOnly(false);
}

bool TlxCustomEditPropertiesValues::IsOwnerPropertyPublished(std::string_view name) const {
  return owner_ != nullptr && owner_->ClassType()->Properties().Find(name) != nullptr;
}

bool TlxCustomEditPropertiesValues::MaxValueNeedsStoring() const {
  return max_value_ && owner_->MaxValue() == 0 && IsOwnerPropertyPublished("MaxValue");
}

bool TlxCustomEditPropertiesValues::MinValueNeedsStoring() const {
  return min_value_ && owner_->MinValue() == 0 && IsOwnerPropertyPublished("MinValue");
}

// --- TlxCustomEditDefaultValuesProvider ---------------------------------

TlxCustomEditDefaultValuesProvider::~TlxCustomEditDefaultValuesProvider() { DetachFromAllProperties(); }

void TlxCustomEditDefaultValuesProvider::DetachFromAllProperties() {
  // A release may not change the list, but walk a copy all the same: a
  // descendant's release may do more.
  const std::vector<TlxCustomEditProperties*> all = PropertiesList();
  for (TlxCustomEditProperties* properties : all) {
    IlxEditDefaultValuesProvider* provider = properties->DefaultValuesProvider();
    if (provider != nullptr && provider->GetProviderObject() == this)
      properties->ReleaseDefaultValuesProvider();
  }
}

// --- TlxCustomEditProperties --------------------------------------------

TlxCustomEditProperties::TlxCustomEditProperties(TPersistent* owner) : TlxInterfacedPersistent(owner) {
  PropertiesList().push_back(this);
  free_notificator_ = std::make_unique<TlxFreeNotificator>(nullptr);
  free_notificator_->OnFreeNotification = [this](TComponent* component) { ComponentRemoved(component); };
  public_alignment_ = std::make_unique<TlxEditAlignment>(this);
  public_alignment_->OnChanged = [this] { AlignmentChanged(); };
  // Virtual calls from the constructor reach only this class's answers: a
  // kind with its own classes replaces these objects in its constructor.
  assigned_values_ = std::make_unique<TlxCustomEditPropertiesValues>(this);
  buttons_ = std::make_unique<TlxEditButtons>(this, TlxEditButton::kClass);
  buttons_->SetPropName("Buttons");
  buttons_->OnChanged = [this] { ButtonsChanged(); };
  use_left_alignment_on_editing_ = DefaultUseLeftAlignmentOnEditing();
  stored_alignment_ = std::make_unique<TlxEditAlignment>(this);
}

TlxCustomEditProperties::~TlxCustomEditProperties() {
  lxDisconnectFromInplaceLists(this);
  provider_ = nullptr;
  buttons_->OnChanged = nullptr;
  buttons_.reset();
  stored_alignment_.reset();
  assigned_values_.reset();
  public_alignment_.reset();
  free_notificator_.reset();
  EraseFrom(PropertiesList(), this);
}

void TlxCustomEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomEditProperties*>(source);
  if (other == nullptr) {
    TlxInterfacedPersistent::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  SetAutoSelect(other->AutoSelect());
  buttons_->Assign(other->Buttons());
  SetButtonsViewStyle(other->ButtonsViewStyle());

  beep_on_error_ = other->beep_on_error_;
  clear_key_ = other->clear_key_;
  click_key_ = other->click_key_;
  use_left_alignment_on_editing_ = other->use_left_alignment_on_editing_;
  provider_ = other->provider_;

  // Through the source's public alignment, so that a default its provider
  // suggests arrives here as an assigned Horz.
  const TlxEditAlignment* alignment = const_cast<TlxCustomEditProperties*>(other)->GetAlignment();
  SetAlignment(alignment);
  stored_alignment_->horz_ = alignment->Horz();
  stored_alignment_->horz_assigned_ = true;

  assigned_values_->SetMaxValue(false);
  if (other->assigned_values_->MaxValue())
    SetMaxValue(other->max_value_);
  assigned_values_->SetMinValue(false);
  if (other->assigned_values_->MinValue())
    SetMinValue(other->min_value_);
  assigned_values_->SetReadOnly(false);
  if (other->assigned_values_->ReadOnly())
    SetReadOnly(other->read_only_);

  immediate_post_ = other->immediate_post_;
  SetTransparent(other->Transparent());
  use_mouse_wheel_ = other->use_mouse_wheel_;
  validate_on_enter_ = other->validate_on_enter_;
  OnButtonClick = other->OnButtonClick;
  OnChange = other->OnChange;
  OnEditValueChanged = other->OnEditValueChanged;
  OnValidate = other->OnValidate;
}

void TlxCustomEditProperties::AlignmentChanged() {
  stored_alignment_->Assign(public_alignment_.get());
  Changed();
}

void TlxCustomEditProperties::SetAlignment(const TlxEditAlignment* value) {
  stored_alignment_->Assign(value);
  Changed();
}

void TlxCustomEditProperties::ButtonsChanged() { Changed(); }

TAlignment TlxCustomEditProperties::GetDefaultHorzAlignment() const {
  if (provider_ != nullptr)
    return provider_->SuggestedAlignment();
  return public_alignment_->Horz();
}

double TlxCustomEditProperties::GetMaxValue() const {
  if (assigned_values_->MaxValue())
    return max_value_;
  return provider_ != nullptr ? provider_->SuggestedMaxValue() : 0.0;
}

double TlxCustomEditProperties::GetMinValue() const {
  if (assigned_values_->MinValue())
    return min_value_;
  return provider_ != nullptr ? provider_->SuggestedMinValue() : 0.0;
}

void TlxCustomEditProperties::DescribeValidationError(int32_t /*error_kind*/, std::string& text) const {
  text = lxEditResString(lxSEditValidateErrorText);
}

bool TlxCustomEditProperties::UsesFieldDisplayFormat(bool edit_focused) const {
  const uint32_t options = GetDisplayFormatOptions();
  if (edit_focused || (options & kLxDisplayFormatFromData) == 0 || provider_ == nullptr)
    return false;
  return provider_->IsDisplayFormatDefined((options & kLxDisplayFormatNotInplace) == 0);
}

void TlxCustomEditProperties::Changed() {
  if (IsChangeLocked() || OwnerIsDestroying()) {
    change_pending_ = true;
    return;
  }
  if (!owner_changed_)
    return;
  ++handler_nesting_;
  TScopeExit lower([this] { --handler_nesting_; });
  owner_changed_(this);
}

bool TlxCustomEditProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  Variant display1;
  Variant display2;
  ConvertToDisplayValue(value1, display1, false);
  ConvertToDisplayValue(value2, display2, false);
  if (display1.IsNull() || display2.IsNull())
    return display1.IsNull() && display2.IsNull();
  return lxVariantEquals(display1, display2);
}

std::unique_ptr<TlxCustomEditProperties> TlxCustomEditProperties::CreateSameKind() const {
  return CreateUnowned<TlxCustomEditProperties>(ClassType());
}

void TlxCustomEditProperties::FormatDisplayText(const Variant& /*edit_value*/, std::string& text,
                                                bool /*full_text*/) const {
  text.clear();
}

uint32_t TlxCustomEditProperties::GetEditCapabilities() const {
  return buttons_->Count() > 0 ? kLxEditCapButtons : 0;
}

void TlxCustomEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                    bool /*edit_focused*/) const {
  display_value = edit_value;
}

void TlxCustomEditProperties::RestoreDefaults() {
  public_alignment_->horz_assigned_ = false;
  stored_alignment_->horz_assigned_ = false;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  assigned_values_->RestoreDefaults();
}

void TlxCustomEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                   IlxEditControl* edit) {
  if (!HasDisplayValue())
    return;
  if (error_text.empty())
    DescribeValidationError(0, error_text);
  bool display_value_changed = false;
  RunValidateEvent(display_value, error_text, error, edit, display_value_changed);
}

void TlxCustomEditProperties::BeginUpdate() {
  if (update_count_ == 0)
    change_pending_ = false;
  ++update_count_;
}

void TlxCustomEditProperties::EndUpdate(bool invoke_changed) {
  if (update_count_ < 1)
    return;
  --update_count_;
  if (update_count_ == 0 && invoke_changed && change_pending_)
    Changed();
}

bool TlxCustomEditProperties::IsModificationAllowed() const {
  if (assigned_values_->ReadOnly() && !read_only_)
    return true;
  if (GetReadOnly())
    return false;
  if (provider_ != nullptr)
    return provider_->AllowsModification() && provider_->AllowsEditMode();
  return true;
}

bool TlxCustomEditProperties::UsesProviderDisplayFormat() const {
  const uint32_t options = GetDisplayFormatOptions();
  return (options & kLxDisplayFormatFromData) != 0 && CanUseFieldDisplayFormat(true) == 0 &&
         CanUseFieldDisplayFormat(false) != 0 && provider_ != nullptr &&
         provider_->IsDisplayFormatDefined((options & kLxDisplayFormatNotInplace) == 0);
}

void TlxCustomEditProperties::SetDefaultValuesProvider(IlxEditDefaultValuesProvider* provider) {
  provider_ = provider;
  // Only an editor control shows at once what the provider suggests.
  if (Supports<IlxEditControl>(GetOwner()) != nullptr)
    Changed();
}

void TlxCustomEditProperties::RunValidateEvent(Variant& display_value, std::string& error_text, bool& error,
                                               IlxEditControl* edit, bool& display_value_changed) {
  display_value_changed = false;
  if (edit == nullptr || !edit->HasValidateHandler())
    return;
  const Variant before = display_value;
  edit->DoValidate(display_value, error_text, error);
  if (!error)
    return;
  display_value_changed = VarToStrDef(before, "") != VarToStrDef(display_value, "");
  if (!display_value_changed)
    display_value = Variant(edit->ShownText());
}

TlxEditAlignment* TlxCustomEditProperties::GetAlignment() {
  public_alignment_->OnChanged = nullptr;
  TScopeExit rearm([this] { public_alignment_->OnChanged = [this] { AlignmentChanged(); }; });
  public_alignment_->Assign(stored_alignment_.get());
  if (AlignmentNeedsStoring() && OwnerIsWriting())
    return public_alignment_.get();
  if (!public_alignment_->IsHorzAssigned())
    public_alignment_->horz_ = GetDefaultHorzAlignment();
  return public_alignment_.get();
}

void TlxCustomEditProperties::SetMaxValue(double value) {
  if (assigned_values_->MaxValue() && max_value_ == value)
    return;
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  max_value_ = value;
  assigned_values_->SetMaxValue(true);
  Changed();
}

void TlxCustomEditProperties::SetMinValue(double value) {
  if (assigned_values_->MinValue() && min_value_ == value)
    return;
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  min_value_ = value;
  assigned_values_->SetMinValue(true);
  Changed();
}

bool TlxCustomEditProperties::GetReadOnly() const {
  if (assigned_values_->ReadOnly())
    return read_only_;
  return provider_ != nullptr && provider_->SuggestedReadOnly();
}

void TlxCustomEditProperties::SetReadOnly(bool value) {
  if (assigned_values_->ReadOnly() && read_only_ == value)
    return;
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  read_only_ = value;
  assigned_values_->SetReadOnly(true);
  Changed();
}

bool TlxCustomEditProperties::AlignmentNeedsStoring() const {
  return stored_alignment_->IsHorzAssigned() || stored_alignment_->Vert() != taTopJustify;
}

bool TlxCustomEditProperties::UseLeftAlignmentOnEditingNeedsStoring() const {
  return use_left_alignment_on_editing_ != DefaultUseLeftAlignmentOnEditing();
}

bool TlxCustomEditProperties::OwnerIsDestroying() const {
  const auto* component = dynamic_cast<const TComponent*>(GetOwner());
  return component != nullptr && component->ComponentState().Contains(csDestroying);
}

bool TlxCustomEditProperties::OwnerIsWriting() const {
  const TComponent* component = lxFindOwnerComponent(GetOwner());
  return component != nullptr && component->ComponentState().Contains(csWriting);
}

// --- unit routines --------------------------------------------------------

bool lxEditValuesEqual(const Variant& v1, const Variant& v2) {
  const bool comparable = (lxVariantIsNumeric(v1) && lxVariantIsNumeric(v2)) || v1.Type() == v2.Type();
  return comparable && lxVariantEqualsBoolAware(v1, v2);
}

bool lxVarEqualsStrict(const Variant& v1, const Variant& v2) {
  return v1.Type() == v2.Type() && lxVariantEqualsBoolAware(v1, v2);
}

TComponent* lxFindOwnerComponent(TPersistent* persistent) {
  while (persistent != nullptr) {
    if (auto* component = dynamic_cast<TComponent*>(persistent))
      return component;
    persistent = persistent->GetOwner();
  }
  return nullptr;
}

void lxAddInplaceEditCache(IlxInplaceEditCache* cache) {
  if (std::find(InplaceEditCaches().begin(), InplaceEditCaches().end(), cache) == InplaceEditCaches().end())
    InplaceEditCaches().push_back(cache);
}

void lxRemoveInplaceEditCache(IlxInplaceEditCache* cache) { EraseFrom(InplaceEditCaches(), cache); }

void lxDisconnectFromInplaceLists(TlxCustomEditProperties* properties) {
  const std::vector<IlxInplaceEditCache*> caches = InplaceEditCaches();
  for (IlxInplaceEditCache* cache : caches)
    cache->ForgetProperties(properties);
}
