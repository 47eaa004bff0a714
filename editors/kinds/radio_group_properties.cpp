#include "editors/kinds/radio_group_properties.h"

#include <algorithm>

#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kRadioGroupKindText = "RadioGroup|Represents a group of radio buttons";
// The radio group's own capabilities on top of the button group's.
constexpr uint32_t kRadioGroupCapabilities = 0x210;

// The Boolean-aware equality; a comparison that fails counts as unequal.
bool ValuesMatch(const Variant& value, const Variant& item_value) {
  try {
    return lxVariantEqualsBoolAware(value, item_value);
  } catch (const EVariantError&) {
    return false;
  }
}

// The value's text for matching captions; a value without a text matches
// no caption.
bool ValueText(const Variant& value, std::string& text) {
  if (value.IsNull() || value.IsEmpty())
    return false;
  try {
    text = VarToStr(value);
    return true;
  } catch (const EVariantError&) {
    return false;
  }
}

}  // namespace

// --- TlxRadioGroupItem ---------------------------------------------------------------------------

void TlxRadioGroupItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxRadioGroupItem>();
  p.VariantValue("Value", &TlxRadioGroupItem::Value, &TlxRadioGroupItem::SetValue).Stored =
      [](const TPersistent& self) { return !static_cast<const TlxRadioGroupItem&>(self).Value().IsNull(); };
}

void TlxRadioGroupItem::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxRadioGroupItem*>(source))
    SetValue(other->value_);
  TlxButtonGroupItem::Assign(source);
}

void TlxRadioGroupItem::SetValue(const Variant& value) {
  if (lxVarEqualsStrict(value, value_))
    return;
  value_ = value;
  ReportChanged();
}

// --- TlxCustomRadioGroupProperties ----------------------------------------------------------------

TlxCustomRadioGroupProperties::TlxCustomRadioGroupProperties(TPersistent* owner)
    : TlxCustomButtonGroupProperties(owner), default_caption_(lxEditResString(lxSRadioGroupDefaultCaption)) {
  // The base built items of its own item class before this kind existed.
  ReplaceItems(CreateItems());
}

std::unique_ptr<TlxButtonGroupItems> TlxCustomRadioGroupProperties::CreateItems() {
  return std::make_unique<TlxRadioGroupItems>(this, TlxRadioGroupItem::kClass);
}

int32_t TlxCustomRadioGroupProperties::GetColumnCount() const {
  return std::max(std::min(Columns(), Items().Count()), 1);
}

int32_t TlxCustomRadioGroupProperties::GetItemIndexOfValue(const Variant& value) const {
  const TlxRadioGroupItems& items = RadioItems();
  std::string text;
  const bool has_text = ValueText(value, text);
  for (int32_t i = 0; i < items.Count(); ++i) {
    const TlxRadioGroupItem* item = items.GetItem(i);
    if (item->Value().IsNull()) {
      if (has_text && item->Caption() == text)
        return i;
      continue;
    }
    if (ValuesMatch(value, item->Value()))
      return i;
  }
  return -1;
}

Variant TlxCustomRadioGroupProperties::GetItemValue(int32_t index) const {
  if (index < 0 || index >= Items().Count())
    return default_value_;
  const TlxRadioGroupItem* item = RadioItems().GetItem(index);
  return item->Value().IsNull() ? Variant(item->Caption()) : item->Value();
}

void TlxCustomRadioGroupProperties::SetDefaultValue(const Variant& value) {
  if (lxVarEqualsStrict(value, default_value_))
    return;
  default_value_ = value;
  Changed();
}

bool TlxCustomRadioGroupProperties::DefaultCaptionNeedsStoring() const {
  return default_caption_ != lxEditResString(lxSRadioGroupDefaultCaption);
}

void TlxCustomRadioGroupProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomRadioGroupProperties*>(source);
  if (other == nullptr) {
    TlxCustomButtonGroupProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(true); });
  TlxCustomButtonGroupProperties::Assign(source);
  SetDefaultCaption(other->default_caption_);
  SetDefaultValue(other->default_value_);
  SetWordWrap(other->WordWrap());
}

bool TlxCustomRadioGroupProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  return GetItemIndexOfValue(value1) == GetItemIndexOfValue(value2);
}

void TlxCustomRadioGroupProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                      bool /*full_text*/) const {
  const int32_t index = GetItemIndexOfValue(edit_value);
  text = index < 0 ? default_caption_ : RadioItems().GetItem(index)->Caption();
}

void TlxCustomRadioGroupProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                          bool /*edit_focused*/) const {
  display_value = Variant(GetItemIndexOfValue(edit_value));
}

uint32_t TlxCustomRadioGroupProperties::GetEditCapabilities() const {
  return TlxCustomButtonGroupProperties::GetEditCapabilities() | kRadioGroupCapabilities;
}

// --- TlxRadioGroupProperties ---------------------------------------------------------------------

void TlxRadioGroupProperties::Publish(TPropertyListBuilder& properties) {
  using P = TlxRadioGroupProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxCustomEditPropertiesValues::kClass, &P::AssignedValues);
  p.Integer("ClearKey", &P::ClearKey, &P::SetClearKey, 0);
  p.Integer("Columns", &P::Columns, &P::SetColumns, 1);
  p.String("DefaultCaption", &P::DefaultCaption, &P::SetDefaultCaption).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).DefaultCaptionNeedsStoring();
  };
  p.VariantValue("DefaultValue", &P::DefaultValue, &P::SetDefaultValue).Stored = [](const TPersistent& self) {
    return !static_cast<const P&>(self).DefaultValue().IsNull();
  };
  p.Boolean("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost, false);
  p.Persistent("Items", TlxRadioGroupItems::kClass, &P::ItemsObject);
  p.Boolean("ReadOnly", &P::GetReadOnly, &P::SetReadOnly).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).ReadOnlyNeedsStoring();
  };
  p.Boolean("WordWrap", &P::WordWrap, &P::SetWordWrap, false);
}

// --- TlxFilterRadioGroupHelper -------------------------------------------------------------------

void TlxFilterRadioGroupHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                      TlxValueTypeClass /*value_type*/,
                                                      TlxFilterConditionOperators& operators, bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks};
  if (extended)
    operators = TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks, fcoInList, fcoNotInList};
}

std::vector<std::string> TlxFilterRadioGroupHelper::GetItemTexts(const TlxCustomRadioGroupProperties& properties) {
  std::vector<std::string> texts;
  const TlxRadioGroupItems& items = properties.RadioItems();
  for (int32_t i = 0; i < items.Count(); ++i)
    texts.push_back(items.GetItem(i)->Caption());
  return texts;
}

void TlxFilterRadioGroupHelper::GetFilterValue(const TlxCustomRadioGroupProperties& properties, int32_t item_index,
                                               Variant& value, std::string& display_text) {
  if (item_index < 0 || item_index >= properties.Items().Count()) {
    value = properties.DefaultValue();
    display_text = properties.DefaultCaption();
    return;
  }
  const TlxRadioGroupItem* item = properties.RadioItems().GetItem(item_index);
  value = item->Value();
  display_text = item->Caption();
}

int32_t TlxFilterRadioGroupHelper::ItemIndexOfValue(const TlxCustomRadioGroupProperties& properties,
                                                    const Variant& value) {
  return properties.GetItemIndexOfValue(value);
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& RadioGroupModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxRadioGroupModuleStart() {
  RadioGroupModule().Start([] {
    lxEditConstsInitialize();  // the default caption
    lxGetRegisteredEditProperties().AddClass(&TlxRadioGroupProperties::kClass, kRadioGroupKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxRadioGroupProperties::kClass,
                                                &StatelessInstance<TlxFilterRadioGroupHelper>());
  });
}

void lxRadioGroupModuleEnd() {
  RadioGroupModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxRadioGroupProperties::kClass,
                                                    &StatelessInstance<TlxFilterRadioGroupHelper>());
    lxEditConstsFinalize();
  });
}
