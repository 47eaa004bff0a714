#include "editors/kinds/check_box_properties.h"

#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/kinds/check_states.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kCheckBoxKindText = "CheckBox|Represents a check box control that allows selecting an option";

// The Boolean-aware equality; a comparison that fails counts as unequal.
bool ValuesMatch(const Variant& value, const Variant& state_value) {
  try {
    return lxVariantEqualsBoolAware(value, state_value);
  } catch (const EVariantError&) {
    return false;
  }
}

}  // namespace

TlxCustomCheckBoxProperties::TlxCustomCheckBoxProperties(TPersistent* owner)
    : TlxCustomEditProperties(owner),
      display_checked_(lxEditResString(lxSEditCheckBoxChecked)),
      display_unchecked_(lxEditResString(lxSEditCheckBoxUnchecked)),
      display_grayed_(lxEditResString(lxSEditCheckBoxGrayed)),
      value_checked_(true),
      value_grayed_(Variant::Null()),
      value_unchecked_(false) {}

TlxCustomCheckBoxProperties::~TlxCustomCheckBoxProperties() = default;

TBitmap* TlxCustomCheckBoxProperties::GetGlyph() {
  if (glyph_ == nullptr)
    CreateGlyph();
  return glyph_.get();
}

TlxCheckBoxState TlxCustomCheckBoxProperties::GetCheckState(const Variant& edit_value) const {
  if (ValuesMatch(edit_value, value_checked_))
    return cbsChecked;
  if (ValuesMatch(edit_value, value_unchecked_))
    return cbsUnchecked;
  return cbsGrayed;
}

Variant TlxCustomCheckBoxProperties::GetEditValueOfState(int32_t state) const {
  switch (state) {
    case cbsUnchecked:
      return value_unchecked_;
    case cbsChecked:
      return value_checked_;
    case cbsGrayed:
      return value_grayed_;
    default:
      return Variant();
  }
}

void TlxCustomCheckBoxProperties::SetCaption(const std::string& value) {
  caption_assigned_ = true;
  Store(caption_, value);
}

void TlxCustomCheckBoxProperties::SetGlyph(TBitmap* value) {
  if (value == nullptr)
    glyph_.reset();
  else
    CopyGlyph(value);
  Changed();
}

void TlxCustomCheckBoxProperties::SetGlyphCount(int32_t value) {
  if (value == glyph_count_)
    return;
  glyph_count_ = value;
  if (glyph_ != nullptr)
    Changed();
}

bool TlxCustomCheckBoxProperties::OwnerIsLoading() const {
  const TComponent* component = lxFindOwnerComponent(const_cast<TPersistent*>(GetOwner()));
  return component != nullptr && component->ComponentState().Contains(csLoading);
}

bool TlxCustomCheckBoxProperties::DiffersFromAllValues(const Variant& value) const {
  return !lxVarEqualsStrict(value, value_checked_) && !lxVarEqualsStrict(value, value_grayed_) &&
         !lxVarEqualsStrict(value, value_unchecked_);
}

void TlxCustomCheckBoxProperties::SetValueChecked(const Variant& value) {
  if (!OwnerIsLoading() && (value.IsNull() || !DiffersFromAllValues(value)))
    return;
  value_checked_ = value;
  Changed();
}

void TlxCustomCheckBoxProperties::SetValueGrayed(const Variant& value) {
  if (!OwnerIsLoading() && !DiffersFromAllValues(value))
    return;
  value_grayed_ = value;
  Changed();
}

void TlxCustomCheckBoxProperties::SetValueUnchecked(const Variant& value) {
  if (!OwnerIsLoading() && (value.IsNull() || !DiffersFromAllValues(value)))
    return;
  value_unchecked_ = value;
  Changed();
}

void TlxCustomCheckBoxProperties::SetValues(const Variant& checked, const Variant& grayed, const Variant& unchecked) {
  if (checked.IsNull() || unchecked.IsNull())
    return;
  if (lxVarEqualsStrict(checked, grayed) || lxVarEqualsStrict(checked, unchecked) ||
      lxVarEqualsStrict(grayed, unchecked))
    return;
  value_checked_ = checked;
  value_grayed_ = grayed;
  value_unchecked_ = unchecked;
  Changed();
}

bool TlxCustomCheckBoxProperties::DisplayCheckedNeedsStoring() const {
  return display_checked_ != lxEditResString(lxSEditCheckBoxChecked);
}

bool TlxCustomCheckBoxProperties::DisplayUncheckedNeedsStoring() const {
  return display_unchecked_ != lxEditResString(lxSEditCheckBoxUnchecked);
}

bool TlxCustomCheckBoxProperties::DisplayGrayedNeedsStoring() const {
  return display_grayed_ != lxEditResString(lxSEditCheckBoxGrayed);
}

bool TlxCustomCheckBoxProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  return GetCheckState(value1) == GetCheckState(value2);
}

void TlxCustomCheckBoxProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                    bool /*full_text*/) const {
  switch (GetCheckState(edit_value)) {
    case cbsChecked:
      text = display_checked_;
      break;
    case cbsUnchecked:
      text = display_unchecked_;
      break;
    default:
      text = display_grayed_;
      break;
  }
}

bool TlxCustomCheckBoxProperties::IsEditValueValid(Variant& edit_value, bool edit_focused) const {
  if (!TlxCustomEditProperties::IsEditValueValid(edit_value, edit_focused))
    return false;
  return lxVarEqualsStrict(edit_value, value_checked_) || lxVarEqualsStrict(edit_value, value_grayed_) ||
         lxVarEqualsStrict(edit_value, value_unchecked_);
}

void TlxCustomCheckBoxProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool /*edit_focused*/) const {
  display_value = Variant(static_cast<int32_t>(GetCheckState(edit_value)));
}

void TlxCustomCheckBoxProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomCheckBoxProperties*>(source);
  if (other == nullptr) {
    TlxCustomEditProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  TlxCustomEditProperties::Assign(source);
  SetAllowGrayed(other->allow_grayed_);
  SetDisplayChecked(other->display_checked_);
  SetDisplayUnchecked(other->display_unchecked_);
  SetDisplayGrayed(other->display_grayed_);
  SetFullFocusRect(other->full_focus_rect_);
  SetGlyph(other->glyph_.get());
  SetGlyphCount(other->glyph_count_);
  SetMultiLine(other->multi_line_);
  SetNullStyle(other->null_style_);
  SetUseAlignmentWhenInplace(other->use_alignment_when_inplace_);
  SetValues(other->value_checked_, other->value_grayed_, other->value_unchecked_);
}

void TlxCustomCheckBoxProperties::DefineProperties(TFiler& filer) {
  TlxCustomEditProperties::DefineProperties(filer);
  filer.DefineProperty(
      "Caption", [this](TReader& reader) { SetCaption(reader.ReadString()); }, nullptr, false);
}

// --- TlxCheckBoxProperties ----------------------------------------------------------------------

void TlxCheckBoxProperties::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCheckBoxProperties>();
  p.Boolean("AllowGrayed", &TlxCheckBoxProperties::AllowGrayed, &TlxCheckBoxProperties::SetAllowGrayed, false);
  p.String("DisplayChecked", &TlxCheckBoxProperties::DisplayChecked, &TlxCheckBoxProperties::SetDisplayChecked)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxCheckBoxProperties&>(self).DisplayCheckedNeedsStoring();
  };
  p.String("DisplayGrayed", &TlxCheckBoxProperties::DisplayGrayed, &TlxCheckBoxProperties::SetDisplayGrayed)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxCheckBoxProperties&>(self).DisplayGrayedNeedsStoring();
  };
  p.String("DisplayUnchecked", &TlxCheckBoxProperties::DisplayUnchecked, &TlxCheckBoxProperties::SetDisplayUnchecked)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxCheckBoxProperties&>(self).DisplayUncheckedNeedsStoring();
  };
  p.Boolean("FullFocusRect", &TlxCheckBoxProperties::FullFocusRect, &TlxCheckBoxProperties::SetFullFocusRect, false);
  p.Integer("GlyphCount", &TlxCheckBoxProperties::GlyphCount, &TlxCheckBoxProperties::SetGlyphCount, 6);
  p.Boolean("ImmediatePost", &TlxCheckBoxProperties::ImmediatePost, &TlxCheckBoxProperties::SetImmediatePost, false);
  p.Boolean("MultiLine", &TlxCheckBoxProperties::MultiLine, &TlxCheckBoxProperties::SetMultiLine, false);
  p.Enumeration("NullStyle", &TlxCheckBoxProperties::NullStyle, &TlxCheckBoxProperties::SetNullStyle,
                {"nssUnchecked", "nssInactive", "nssGrayedChecked"},
                std::optional<TlxCheckBoxNullValueShowingStyle>(nssGrayedChecked));
  p.Boolean("UseAlignmentWhenInplace", &TlxCheckBoxProperties::UseAlignmentWhenInplace,
            &TlxCheckBoxProperties::SetUseAlignmentWhenInplace, false);
  p.VariantValue("ValueChecked", &TlxCheckBoxProperties::ValueChecked, &TlxCheckBoxProperties::SetValueChecked)
      .Stored = [](const TPersistent& self) {
    return !lxVarEqualsStrict(static_cast<const TlxCheckBoxProperties&>(self).ValueChecked(), Variant(true));
  };
  p.VariantValue("ValueGrayed", &TlxCheckBoxProperties::ValueGrayed, &TlxCheckBoxProperties::SetValueGrayed)
      .Stored = [](const TPersistent& self) {
    return !static_cast<const TlxCheckBoxProperties&>(self).ValueGrayed().IsNull();
  };
  p.VariantValue("ValueUnchecked", &TlxCheckBoxProperties::ValueUnchecked, &TlxCheckBoxProperties::SetValueUnchecked)
      .Stored = [](const TPersistent& self) {
    return !lxVarEqualsStrict(static_cast<const TlxCheckBoxProperties&>(self).ValueUnchecked(), Variant(false));
  };
}

// --- TlxFilterCheckBoxHelper ---------------------------------------------------------------------

void TlxFilterCheckBoxHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                    TlxValueTypeClass /*value_type*/,
                                                    TlxFilterConditionOperators& operators,
                                                    bool /*extended*/) const {
  operators = TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks};
}

void TlxFilterCheckBoxHelper::GetFilterValue(const TlxCustomCheckBoxProperties& properties, int32_t item_index,
                                             Variant& value, std::string& display_text) {
  if (item_index != 0 && item_index != 1) {
    value = Variant::Null();
    display_text.clear();
    return;
  }
  value = item_index == 0 ? properties.ValueChecked() : properties.ValueUnchecked();
  properties.FormatDisplayText(value, display_text, true);
}

int32_t TlxFilterCheckBoxHelper::ItemIndexOfValue(const TlxCustomCheckBoxProperties& properties,
                                                  const Variant& value) {
  switch (properties.GetCheckState(value)) {
    case cbsChecked:
      return 0;
    case cbsUnchecked:
      return 1;
    default:
      return -1;
  }
}

void TlxFilterCheckBoxHelper::GetItemTexts(const TlxCustomCheckBoxProperties& properties, std::string& checked,
                                           std::string& unchecked) {
  properties.FormatDisplayText(properties.ValueChecked(), checked, true);
  properties.FormatDisplayText(properties.ValueUnchecked(), unchecked, true);
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& CheckBoxModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxCheckBoxModuleStart() {
  CheckBoxModule().Start([] {
    lxEditConstsInitialize();  // the state texts
    lxPrepareCheckBoxResources();
    lxGetRegisteredEditProperties().AddClass(&TlxCheckBoxProperties::kClass, kCheckBoxKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxCheckBoxProperties::kClass,
                                                &StatelessInstance<TlxFilterCheckBoxHelper>());
  });
}

void lxCheckBoxModuleEnd() {
  CheckBoxModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxCheckBoxProperties::kClass,
                                                    &StatelessInstance<TlxFilterCheckBoxHelper>());
    lxFreeCheckBoxResources();
    lxClearCheckStatesBuffer();
    lxEditConstsFinalize();
  });
}
