#include "data/db_data_field.h"

#include <algorithm>

#include "data/db_data_controller.h"
#include "data/db_field_helpers.h"
#include "platform/db/data_set.h"
#include "platform/db/field.h"
#include "platform/rtl/scope.h"

TlxDBDataField::~TlxDBDataField() {
  destroying_ = true;
  if (parent_)
    parent_->RemoveSubField(this);
  FreeSubFields();
}

TlxDBDataController& TlxDBDataField::Controller() const {
  return static_cast<TlxDBDataController&>(DataController());
}

TlxDBDataField& TlxDBDataField::End() const {
  return const_cast<TlxDBDataField&>(static_cast<const TlxDBDataField&>(ChainEnd()));
}

TField* TlxDBDataField::Field() const { return End().field_; }

const std::vector<TlxDBDataField*>& TlxDBDataField::SubFields() const { return End().sub_fields_; }

bool TlxDBDataField::IsLookup() const {
  const TField* field = Field();
  return field != nullptr && field->Lookup();
}

bool TlxDBDataField::CanModify(bool editable) const { return CanModifyKind(editable ? 1 : 0); }

bool TlxDBDataField::CanModifyKind(int32_t kind) const {
  if (!TlxCustomDataField::CanModify(false))
    return false;
  if (IsUnbound())
    return true;
  const TField* field = Field();
  if (field == nullptr)
    return false;
  if (IsLookup()) {
    if (kind != 2)
      return false;
    const std::vector<TlxDBDataField*>& subs = SubFields();
    return !subs.empty() && std::all_of(subs.begin(), subs.end(), [](TlxDBDataField* sub) {
      return sub->CanModifyKind(0);
    });
  }
  if (!field->CanModify())
    return false;
  return kind != 1 || lxDBFieldCanEditAsText(*field, false);
}

bool TlxDBDataField::IsUnbound() const {
  return !IsInternal() && field_name_.empty() && Field() == nullptr && ValueDef() != nullptr;
}

bool TlxDBDataField::IsInternalForSource() const {
  const TlxDBDataController& controller = Controller();
  if (Field() != nullptr && !controller.IsGridMode())
    return false;
  if (IsUnbound() && controller.InUnboundCopy())
    return false;
  return true;
}

void TlxDBDataField::ReassignFrom(TlxCustomDataField& source) {
  TlxCustomDataField::ReassignFrom(source);
  auto* other = dynamic_cast<TlxDBDataField*>(&source);
  if (!other)
    return;
  field_ = std::exchange(other->field_, nullptr);
  FreeSubFields();
  sub_fields_ = std::exchange(other->sub_fields_, {});
  for (TlxDBDataField* sub : sub_fields_)
    sub->parent_ = this;
}

void TlxDBDataField::ComponentRemoved(TObject* component) {
  if (ReferenceField())
    return;
  TlxCustomDataField::ComponentRemoved(component);
  if (component == nullptr || component != field_)
    return;
  field_ = nullptr;
  StructureChanged();
}

void TlxDBDataField::SetField(TField* field) {
  if (ReferenceField())
    return;
  if (destroying_)
    field = nullptr;
  if (field == field_)
    return;
  field_ = field;
  if (field_)
    Controller().WatchComponent(field_);
  FreeSubFields();
}

void TlxDBDataField::AddSubField(TlxDBDataField* sub_field) {
  if (std::find(sub_fields_.begin(), sub_fields_.end(), sub_field) != sub_fields_.end())
    return;
  if (sub_field->parent_ != nullptr)
    throw ElxInvalidDataControllerOperation("ADataField.FParentField <> nil");
  sub_fields_.push_back(sub_field);
  sub_field->parent_ = this;
}

void TlxDBDataField::RemoveSubField(TlxDBDataField* sub_field) {
  const auto found = std::find(sub_fields_.begin(), sub_fields_.end(), sub_field);
  if (found == sub_fields_.end())
    return;
  sub_fields_.erase(found);
  sub_field->parent_ = nullptr;
}

void TlxDBDataField::FreeSubFields() {
  while (!sub_fields_.empty()) {
    TlxDBDataField* sub = sub_fields_.back();
    sub_fields_.pop_back();
    sub->parent_ = nullptr;
    if (!FieldList().DataController().Destroying())
      FieldList().Remove(sub);
  }
}

void TlxDBDataField::NotifyValueTypeChanged() {
  TlxCustomDataController& controller = DataController();
  TlxCustomDataFieldList& list = FieldList();
  for (int32_t i = 0; i < list.Count(); ++i) {
    TlxCustomDataField* field = list.FieldAt(i);
    if (field->IsInternal())
      continue;
    if (field == this || &field->ChainEnd() == this)
      controller.ItemValueTypeClassChanged(controller.ItemIndexOfField(field));
  }
}

void TlxDBDataField::BindToField(TField* field, bool force) {
  if (ReferenceField())
    return;
  for (;;) {
    const int32_t item = IsInternal() ? -1 : DataController().ItemIndexOfField(this);
    const bool editable = item >= 0 && DataController().IsItemEditable(item);
    const bool text_stored = field != nullptr && lxDBFieldHasOwnFormat(*field, editable);
    const TlxValueTypeClass value_type = lxDBValueTypeClassOf(field);
    const bool currency = field != nullptr && lxDBIsCurrencyField(*field);
    const bool type_changed = value_type != ValueTypeClass() || currency != currency_;
    if (!type_changed && text_stored == TextStored()) {
      if (force)
        NotifyValueTypeChanged();
      return;
    }
    StartRecreateData();
    {
      TScopeExit finish([this] { FinishRecreateData(); });
      SetStoresText(text_stored);
      ChangeValueTypeClass(value_type);
      currency_ = currency;
    }
    if (type_changed) {
      NotifyValueTypeChanged();
      force = false;
    }
  }
}

TlxValueTypeClass lxDBValueTypeClassOf(const TField* field) {
  if (field == nullptr)
    return lxValueTypeClass<TlxStringValueType>();
  switch (field->DataType()) {
    case ftString:
      return lxValueTypeClass<TlxStringValueType>();
    case ftSmallint:
      return lxValueTypeClass<TlxSmallintValueType>();
    case ftInteger:
    case ftAutoInc:
      return lxValueTypeClass<TlxIntegerValueType>();
    case ftWord:
      return lxValueTypeClass<TlxWordValueType>();
    case ftBoolean:
      return lxValueTypeClass<TlxBooleanValueType>();
    case ftFloat:
    case ftCurrency:
      return lxValueTypeClass<TlxFloatValueType>();
    case ftBCD:
      return lxValueTypeClass<TlxCurrencyValueType>();
    case ftDate:
    case ftTime:
    case ftDateTime:
      return lxValueTypeClass<TlxDateTimeValueType>();
    case ftWideString:
      return lxValueTypeClass<TlxWideStringValueType>();
    case ftLargeint:
      return lxValueTypeClass<TlxLargeIntValueType>();
    case ftTimeStamp:
      return lxValueTypeClass<TlxSQLTimeStampValueType>();
    case ftFMTBcd:
      return lxValueTypeClass<TlxFMTBcdValueType>();
    default:
      return lxValueTypeClass<TlxVariantValueType>();
  }
}

void lxDBGetKeyFields(TlxDBDataField* field, std::vector<TlxDBDataField*>& list) {
  if (field == nullptr)
    return;
  const std::vector<TlxDBDataField*>& subs = field->SubFields();
  if (subs.empty())
    list.push_back(field);
  else
    list.insert(list.end(), subs.begin(), subs.end());
}

bool lxDBFindFields(const TDataSet* dataset, std::string_view names, std::vector<TField*>& list) {
  size_t start = 0;
  for (;;) {
    const size_t end = names.find(';', start);
    const std::string_view name = names.substr(start, end == std::string_view::npos ? names.npos : end - start);
    TField* field = dataset->FindField(name);
    if (field == nullptr)
      return false;
    list.push_back(field);
    if (end == std::string_view::npos)
      return true;
    start = end + 1;
  }
}

namespace {

bool NullAllowedFor(const TField* field, const Variant& value) {
  return !(value.IsNull() || value.IsEmpty()) || field->DataType() != ftAutoInc;
}

}  // namespace

bool lxDBCanLocateKeyValues(const TDataSet* dataset, std::string_view names, const Variant& values) {
  if (dataset == nullptr)
    return false;
  if (values.IsArray()) {
    std::vector<TField*> fields;
    if (!lxDBFindFields(dataset, names, fields))
      return false;
    const int32_t low = VarArrayLowBound(values);
    if (static_cast<int32_t>(fields.size()) != VarArrayHighBound(values) - low + 1)
      return false;
    for (size_t i = 0; i < fields.size(); ++i)
      if (!NullAllowedFor(fields[i], VarArrayGet(values, low + static_cast<int32_t>(i))))
        return false;
    return true;
  }
  if (names.find(';') != std::string_view::npos)
    return false;
  const TField* field = dataset->FindField(names);
  return field != nullptr && NullAllowedFor(field, values);
}
