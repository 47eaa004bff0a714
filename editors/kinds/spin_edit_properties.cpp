#include "editors/kinds/spin_edit_properties.h"

#include <cmath>

#include "data/variant_utils.h"
#include "editors/edit_error.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kSpinEditKindText = "SpinEdit|Represents a spin editor";

bool IsNumericOrText(const Variant& value) { return lxVariantIsNumeric(value) || value.IsText(); }

}  // namespace

// --- TlxSpinEditButtons ---------------------------------------------------------------------------

void TlxSpinEditButtons::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxSpinEditButtons>();
  p.Enumeration("Position", &TlxSpinEditButtons::Position, &TlxSpinEditButtons::SetPosition,
                {"sbpHorzLeftRight", "sbpHorzRight", "sbpVert"},
                std::optional<TlxSpinEditButtonsPosition>(sbpVert));
  p.Boolean("ShowFastButtons", &TlxSpinEditButtons::ShowFastButtons, &TlxSpinEditButtons::SetShowFastButtons, false);
  p.Boolean("Visible", &TlxSpinEditButtons::Visible, &TlxSpinEditButtons::SetVisible, true);
}

void TlxSpinEditButtons::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxSpinEditButtons*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*owner_);
  SetPosition(other->position_);
  SetShowFastButtons(other->show_fast_buttons_);
  SetVisible(other->visible_);
}

TPersistent* TlxSpinEditButtons::GetOwner() const { return owner_; }

template <class T>
void TlxSpinEditButtons::Store(T& field, T value) {
  if (field == value)
    return;
  field = value;
  owner_->NotifyChanged();
}

void TlxSpinEditButtons::SetPosition(TlxSpinEditButtonsPosition value) { Store(position_, value); }
void TlxSpinEditButtons::SetShowFastButtons(bool value) { Store(show_fast_buttons_, value); }
void TlxSpinEditButtons::SetVisible(bool value) { Store(visible_, value); }

// --- TlxSpinEditPropertiesValues ------------------------------------------------------------------

void TlxSpinEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxSpinEditPropertiesValues>();
  p.Boolean("ValueType", &TlxSpinEditPropertiesValues::ValueType, &TlxSpinEditPropertiesValues::SetValueType, false);
}

// --- TlxCustomSpinEditProperties ------------------------------------------------------------------

TlxCustomSpinEditProperties::TlxCustomSpinEditProperties(TPersistent* owner) : TlxCustomMaskEditProperties(owner) {
  ReplaceAssignedValues(std::make_unique<TlxSpinEditPropertiesValues>(this));
  spin_buttons_ = std::make_unique<TlxSpinEditButtons>(this);
  TUpdateScope<TlxCustomEditProperties> update(*this);
  Buttons()->AddButton();
  Buttons()->AddButton();
}

TlxCustomSpinEditProperties::~TlxCustomSpinEditProperties() = default;

void TlxCustomSpinEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomSpinEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomMaskEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  SetDefaultValuesProvider(other->DefaultValuesProvider());
  if (other->AssignedSpinValues()->ValueType())
    SetValueType(other->value_type_);
  TlxCustomMaskEditProperties::Assign(source);
  SetCanEdit(other->can_edit_);
  SetCircular(other->circular_);
  SetExceptionOnInvalidInput(other->exception_on_invalid_input_);
  SetIncrement(other->increment_);
  SetLargeIncrement(other->large_increment_);
  SetSpinButtons(other->spin_buttons_.get());
  SetUseCtrlIncrement(other->use_ctrl_increment_);
  OnGetValue = other->OnGetValue;
}

void TlxCustomSpinEditProperties::DefineProperties(TFiler& filer) {
  TlxCustomMaskEditProperties::DefineProperties(filer);
  const auto* ancestor = dynamic_cast<const TlxCustomSpinEditProperties*>(filer.Ancestor());
  // A float property equal to 0 is never written: these two carry an
  // explicit zero step through a stored form.
  const auto zero_differs = [ancestor](double value, double (TlxCustomSpinEditProperties::*get)() const) {
    return value == 0 && (ancestor == nullptr || (ancestor->*get)() != 0);
  };
  filer.DefineProperty(
      "ZeroIncrement",
      [this](TReader& reader) {
        reader.ReadBoolean();
        SetIncrement(0);
      },
      [](TWriter& writer) { writer.WriteBoolean(true); },
      zero_differs(increment_, &TlxCustomSpinEditProperties::Increment));
  filer.DefineProperty(
      "ZeroLargeIncrement",
      [this](TReader& reader) {
        reader.ReadBoolean();
        SetLargeIncrement(0);
      },
      [](TWriter& writer) { writer.WriteBoolean(true); },
      zero_differs(large_increment_, &TlxCustomSpinEditProperties::LargeIncrement));
}

TlxSpinBoundsMode TlxCustomSpinEditProperties::GetBoundsMode() const {
  if (circular_)
    return sbmWrap;
  return IsBoundsLimited() ? sbmStop : sbmRefuse;
}

void TlxCustomSpinEditProperties::GetMaxValue(Variant& value) const {
  value = IsValueBoundSet(1) ? DoubleAsValueType(GetValueType(), GetMaxValue()) : GetTypeBound(true);
}

void TlxCustomSpinEditProperties::GetMinValue(Variant& value) const {
  value = IsValueBoundSet(0) ? DoubleAsValueType(GetValueType(), GetMinValue()) : GetTypeBound(false);
}

void TlxCustomSpinEditProperties::PrepareValue(const Variant& value, Variant& result) const {
  const bool blank = value.IsEmpty() || lxVariantIsBlank(value);
  result = blank ? ToValueType(Variant(int32_t{0})) : ToValueType(value);
}

void TlxCustomSpinEditProperties::Changed() {
  if (!syncing_buttons_ && spin_buttons_ != nullptr)
    SyncEditButtons();
  TlxCustomMaskEditProperties::Changed();
}

void TlxCustomSpinEditProperties::SyncEditButtons() {
  TStateScope syncing(syncing_buttons_, true);
  TUpdateScope<TlxCustomEditProperties> update(*this);
  const int32_t wanted = !spin_buttons_->Visible() ? 0 : spin_buttons_->ShowFastButtons() ? 4 : 2;
  TlxEditButtons* buttons = Buttons();
  while (buttons->Count() < wanted)
    buttons->AddButton();
  while (buttons->Count() > wanted)
    buttons->Delete(0);
}

int32_t TlxCustomSpinEditProperties::CanUseFieldDisplayFormat(bool edit_focused) const {
  return !edit_focused && DisplayFormat().empty() ? 1 : 0;
}

void TlxCustomSpinEditProperties::GetEmptyEditValue(Variant& value) const {
  value = Variant(ValueToPlainText(ZeroInBounds()));
}

bool TlxCustomSpinEditProperties::IsNewTextAcceptable(Variant& value, bool edit_focused) const {
  if (!TlxCustomMaskEditProperties::IsNewTextAcceptable(value, edit_focused))
    return false;
  if (!ChecksTextRange())
    return true;
  const std::string text = VarToStr(value);
  if (TrimBlanks(text).empty())
    return true;
  Variant number;
  try {
    if (!TextToValue(text, number))
      return false;
  } catch (const EConvertError&) {
    return false;
  } catch (const EVariantError&) {
    return false;
  }
  Variant bounded;
  CheckValueBounds(number, bounded);
  if (!lxEditValuesEqual(bounded, number))
    value = Variant(ValueToPlainText(number));
  return true;
}

bool TlxCustomSpinEditProperties::IsEditValueValid(Variant& edit_value, bool /*edit_focused*/) const {
  if (IsNumericOrText(edit_value)) {
    Variant parsed;
    if (!TextToValue(VarToStr(edit_value), parsed))
      return false;
    edit_value = parsed;
  } else if (!lxVariantIsBlank(edit_value) && !edit_value.IsEmpty() && !lxVariantIsDateTime(edit_value)) {
    return false;
  }
  try {
    Variant prepared;
    PrepareValue(edit_value, prepared);
    edit_value = SetVariantType(prepared);
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

void TlxCustomSpinEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  auto* source = dynamic_cast<IlxSpinEditValueSource*>(edit);
  Variant value;
  if (source != nullptr && source->IsTextTyped()) {
    const bool understood = source->ReadDisplayText(display_value, error_text, value);
    // Without ExceptionOnInvalidInput the reading has put the last valid
    // value in; only the strict setting turns the failure into an error.
    if (!understood && exception_on_invalid_input_) {
      error = true;
      if (error_text.empty())
        error_text = lxEditResString(lxSSpinEditInvalidNumericValue);
    }
  } else if (source != nullptr) {
    value = source->CurrentValue();
  } else if (!TextToValue(VarToStr(display_value), value)) {
    value = Variant::Null();
    if (exception_on_invalid_input_ && !TrimBlanks(VarToStr(display_value)).empty()) {
      error = true;
      error_text = lxEditResString(lxSSpinEditInvalidNumericValue);
    }
  }
  if (!error) {
    if (value.IsNull() || value.IsEmpty())
      value = ZeroInBounds();
    Variant min_value;
    Variant max_value;
    GetMinValue(min_value);
    GetMaxValue(max_value);
    const bool outside = lxVariantCompare(value, min_value) < 0 || lxVariantCompare(value, max_value) > 0;
    if (!exception_on_invalid_input_ && outside)
      value = lxVariantCompare(value, min_value) < 0 ? min_value : max_value;
    display_value = Variant(ValueToPlainText(value));
    if (exception_on_invalid_input_ && outside) {
      error = true;
      error_text = lxEditResString(lxSEditValueOutOfBounds);
    }
  }
  TlxCustomEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

Variant TlxCustomSpinEditProperties::SetVariantType(const Variant& value) const {
  return lxVariantIsNumeric(value) ? ToValueType(value) : value;
}

void TlxCustomSpinEditProperties::CheckValueBounds(const Variant& value, Variant& result) const {
  result = value;
  if (!lxVariantIsNumeric(value))
    return;
  const double number = value.AsDouble();
  if (IsValueBoundSet(0) && number < GetMinValue())
    result = Variant(GetMinValue());
  else if (IsValueBoundSet(1) && number > GetMaxValue())
    result = Variant(GetMaxValue());
}

bool TlxCustomSpinEditProperties::TextToValue(const std::string& text, Variant& value) const {
  const TlxSpinEditValueType type = GetValueType();
  if (type == vtFloat) {
    double number = 0;
    if (!TryStrToFloat(TrimBlanks(text), number, UserLocale().Settings()) || !std::isfinite(number) ||
        !IsInTypeRange(number))
      return false;
    value = Variant(number);
    return true;
  }
  int64_t number = 0;
  if (!TryStrToInt64(TrimBlanks(text), number))
    return false;
  value = Variant(number);
  return true;
}

Variant TlxCustomSpinEditProperties::ZeroInBounds() const {
  Variant bounded;
  CheckValueBounds(Variant(0.0), bounded);
  return ToValueType(bounded);
}

std::string TlxCustomSpinEditProperties::ValueToPlainText(const Variant& value) const {
  const Variant typed = ToValueType(value);
  if (typed.Type() == varInt64)
    return IntToStr(typed.AsInt64());
  return FloatToStr(typed.AsDouble(), UserLocale().Settings());
}

TlxSpinEditValueType TlxCustomSpinEditProperties::GetValueType() const {
  if (AssignedSpinValues()->ValueType())
    return value_type_;
  if (DefaultValuesProvider() != nullptr)
    return DefaultValuesProvider()->HoldsFloatValue() ? vtFloat : vtInt;
  return vtFloat;
}

void TlxCustomSpinEditProperties::SetValueType(TlxSpinEditValueType value) {
  if (AssignedSpinValues()->ValueType() && value_type_ == value)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  value_type_ = value;
  AssignedSpinValues()->SetValueType(true);
  Changed();
}

void TlxCustomSpinEditProperties::InitValueType(TlxSpinEditValueType value) {
  value_type_ = value;
  AssignedSpinValues()->SetValueType(true);
}

TlxSpinEditPropertiesValues* TlxCustomSpinEditProperties::AssignedSpinValues() const {
  return static_cast<TlxSpinEditPropertiesValues*>(AssignedValues());
}

// --- publishing -----------------------------------------------------------------------------------

void lxPublishSpinEditCommonSettings(TPropertyListBuilder& properties) {
  using P = TlxCustomSpinEditProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxSpinEditPropertiesValues::kClass, &P::AssignedSpinValues);
  p.Boolean("AutoSelect", &P::AutoSelect, &P::SetAutoSelect, true);
  p.Boolean("BeepOnError", &P::BeepOnError, &P::SetBeepOnError, false);
  p.Integer("ClearKey", &P::ClearKey, &P::SetClearKey, 0);
  p.Boolean("HideSelection", &P::HideSelection, &P::SetHideSelection, true);
  p.Enumeration("ImeMode", &P::ImeMode, &P::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
                 "imChinese", "imSHanguel", "imHanguel"},
                std::optional<TImeMode>(imDontCare));
  p.String("ImeName", &P::ImeName, &P::SetImeName);
  p.Boolean("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost, false);
  p.Boolean("ReadOnly", &P::GetReadOnly, &P::SetReadOnly).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).ReadOnlyNeedsStoring();
  };
  p.Boolean("UseCtrlIncrement", &P::UseCtrlIncrement, &P::SetUseCtrlIncrement, false);
  p.Boolean("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).UseLeftAlignmentOnEditingNeedsStoring();
  };
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, true);
}

void TlxSpinEditProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishSpinEditCommonSettings(properties);
  using P = TlxCustomSpinEditProperties;
  auto p = properties.For<P>();
  p.Boolean("CanEdit", &P::CanEdit, &P::SetCanEdit, true);
  p.String("DisplayFormat", &P::DisplayFormat, &P::SetDisplayFormat).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).DisplayFormatNeedsStoring();
  };
  p.Enumeration("EchoMode", &P::EchoMode, &P::SetEchoMode, {"eemNormal", "eemPassword"},
                std::optional<TlxEditEchoMode>(eemNormal));
  p.String("EditFormat", &P::EditFormat, &P::SetEditFormat).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).EditFormatNeedsStoring();
  };
  p.Boolean("ExceptionOnInvalidInput", &P::ExceptionOnInvalidInput, &P::SetExceptionOnInvalidInput, false);
  p.Float("Increment", &P::Increment, &P::SetIncrement, 1.0);
  p.Float("LargeIncrement", &P::LargeIncrement, &P::SetLargeIncrement, 10.0);
  p.Float("MaxValue", &P::MaxValue, &P::SetMaxValue).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MaxValueNeedsStoring();
  };
  p.Float("MinValue", &P::MinValue, &P::SetMinValue).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MinValueNeedsStoring();
  };
  p.Integer("PasswordChar", &P::PasswordChar, &P::SetPasswordChar, 0);
  p.Persistent("SpinButtons", TlxSpinEditButtons::kClass, &P::SpinButtons);
  p.Boolean("UseDisplayFormatWhenEditing", &P::UseDisplayFormatWhenEditing, &P::SetUseDisplayFormatWhenEditing,
            false);
  p.Enumeration("ValueType", &P::GetValueType, &P::SetValueType, {"vtInt", "vtFloat"},
                std::optional<TlxSpinEditValueType>()).Stored =
      [](const TPersistent& self) { return static_cast<const P&>(self).AssignedSpinValues()->ValueType(); };
}

// --- the edit's reading of a text -----------------------------------------------------------------

namespace {

bool RunGetValueHandler(TlxCustomSpinEditProperties* properties, TObject* sender, const std::string& text,
                        bool raise, Variant& value, std::string& error_text, bool& failed) {
  if (properties == nullptr || !properties->OnGetValue)
    return false;
  try {
    properties->OnGetValue(sender, text, value, error_text, failed);
  } catch (const Exception& error) {
    if (raise)
      throw;
    error_text = error.Message();
    failed = true;
  }
  return true;
}

}  // namespace

bool lxSpinEditTextToValue(TlxCustomSpinEditProperties& properties, TlxCustomSpinEditProperties* repository_properties,
                           TObject* sender, const std::string& text, bool raise, const Variant& last_valid_value,
                           std::string& error_text, Variant& value) {
  if (TrimBlanks(text).empty()) {
    IlxEditDefaultValuesProvider* provider = properties.DefaultValuesProvider();
    value = provider != nullptr && provider->SuggestedRequired() ? properties.ZeroInBounds() : Variant::Null();
    return true;
  }
  bool understood = properties.TextToValue(text, value);
  bool handler_text = false;
  if (!understood) {
    bool failed = false;
    std::string handler_error;
    Variant handled;
    const bool own = RunGetValueHandler(&properties, sender, text, raise, handled, handler_error, failed);
    const bool item = repository_properties != &properties &&
                      RunGetValueHandler(repository_properties, sender, text, raise, handled, handler_error, failed);
    if (own || item) {
      understood = !failed && lxVariantIsNumeric(handled);
      if (understood)
        value = handled;
      handler_text = !handler_error.empty();
      error_text = handler_error;
    }
  }
  if (!understood) {
    if (!handler_text)
      error_text = lxEditResString(lxSSpinEditInvalidNumericValue);
    if (!properties.ExceptionOnInvalidInput())
      error_text.clear();
    else if (raise)
      throw ElxEditError(error_text);
    value = last_valid_value;
  }
  if (lxVariantIsNumeric(value))
    value = properties.ToValueType(value);
  return understood;
}

// --- TlxFilterSpinEditHelper ----------------------------------------------------------------------

void TlxFilterSpinEditHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                    TlxValueTypeClass /*value_type*/,
                                                    TlxFilterConditionOperators& operators, bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual,   fcoNotEqual,       fcoLess,  fcoLessEqual,
                                          fcoGreater, fcoGreaterEqual,   fcoBlanks, fcoNonBlanks};
  if (!extended)
    return;
  for (TlxFilterConditionOperator op : {fcoBetween, fcoNotBetween, fcoInList, fcoNotInList})
    operators.Include(op);
}

void TlxFilterSpinEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxCustomFilterEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  if (auto* spin = dynamic_cast<TlxCustomSpinEditProperties*>(properties))
    spin->SetCanEdit(true);
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& SpinEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxSpinEditModuleStart() {
  SpinEditModule().Start([] {
    lxEditConstsInitialize();
    lxGetRegisteredEditProperties().AddClass(&TlxSpinEditProperties::kClass, kSpinEditKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxSpinEditProperties::kClass,
                                                &StatelessInstance<TlxFilterSpinEditHelper>());
  });
}

void lxSpinEditModuleEnd() {
  SpinEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxSpinEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterSpinEditHelper>());
    lxEditConstsFinalize();
  });
}
