#include "data/db_data_summary_item.h"

#include "data/db_data_controller.h"
#include "data/db_data_field.h"
#include "platform/rtl/property.h"

void TlxDBDataSummaryItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDBDataSummaryItem>();
  p.String("FieldName", &TlxDBDataSummaryItem::FieldName, &TlxDBDataSummaryItem::SetFieldName);
}

TlxDBDataSummaryItem::~TlxDBDataSummaryItem() { FreeDataField(); }

TlxDBDataController* TlxDBDataSummaryItem::OwnerDBDataController() const {
  return dynamic_cast<TlxDBDataController*>(OwnerDataController());
}

// The item may leave its collection before it is freed: the field goes back
// to the controller that made it.
void TlxDBDataSummaryItem::FreeDataField() {
  TlxDBDataController* controller = field_owner_.Get();
  TlxDBDataField* field = std::exchange(data_field_, nullptr);
  if (field != nullptr && controller != nullptr && !controller->Destroying())
    controller->Fields().Remove(field);
}

void TlxDBDataSummaryItem::SetFieldName(const std::string& name) {
  if (name == field_name_)
    return;
  field_name_ = name;
  TlxDBDataController* controller = OwnerDBDataController();
  if (controller == nullptr)
    return;
  if (name.empty()) {
    FreeDataField();
    controller->Change(dccDataChanged);
    return;
  }
  if (data_field_ == nullptr) {
    data_field_ = static_cast<TlxDBDataField*>(controller->CreateInternalField());
    field_owner_ = controller;
  }
  controller->SetFieldNameBinding(*data_field_, name, false);
}

void TlxDBDataSummaryItem::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxDBDataSummaryItem*>(source);
  if (other == nullptr) {
    TlxDataSummaryItem::Assign(source);
    return;
  }
  TUpdateScope<TCollection> update(*Collection());
  CopyFrom(*other);
  SetFieldName(other->field_name_);
}

TlxCustomDataField* TlxDBDataSummaryItem::GetValueField() const {
  if (data_field_ != nullptr)
    return data_field_;
  return TlxDataSummaryItem::GetValueField();
}

bool TlxDBDataSummaryItem::IsCurrencyType(TVarType type) const {
  const auto* field = dynamic_cast<const TlxDBDataField*>(GetValueField());
  if (field != nullptr && field->Field() != nullptr)
    return field->IsCurrency();
  return TlxDataSummaryItem::IsCurrencyType(type);
}
