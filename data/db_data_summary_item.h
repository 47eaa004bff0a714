#pragma once
// A summary item of a dataset-bound controller: besides a column, it can
// name a dataset field of its own (FieldName), which it then sums through
// an internal data field of the controller.

#include <string>

#include "data/data_summary_items.h"
#include "platform/rtl/object.h"

class TlxDBDataController;
class TlxDBDataField;

class TlxDBDataSummaryItem : public TlxDataSummaryItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDBDataSummaryItem", &TlxDataSummaryItem::kClass,
                                 &ConstructInstance<TlxDBDataSummaryItem>, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBDataSummaryItem(TCollection* collection) : TlxDataSummaryItem(collection) {}
  ~TlxDBDataSummaryItem() override;

  void Assign(const TPersistent* source) override;
  bool IsCurrencyType(TVarType type) const override;
  TlxCustomDataField* GetValueField() const override;

  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(const std::string& name);
  TlxDBDataField* DataField() const { return data_field_; }
  TlxDBDataController* OwnerDBDataController() const;

 private:
  void FreeDataField();

  TlxDBDataField* data_field_ = nullptr;
  TWeakRef<TlxDBDataController> field_owner_;
  std::string field_name_;
};
