#pragma once
// The filter of a dataset-bound controller: the controller's own filter,
// which can also be handed to the dataset as its filter text
// (AutoDataSetFilter); null tests on query datasets then read "IS NULL".

#include <functional>
#include <string>

#include "data/data_filter_criteria.h"

class TDataSet;
class TlxDBDataFilterCriteria;

using TlxDBDataFilterBeforeChangeEvent =
    std::function<void(TlxDBDataFilterCriteria* Sender, TDataSet* ADataSet, const std::string& AFilterText)>;
using TlxDBDataFilterFormatFilterTextValueEvent =
    std::function<void(TlxDBDataFilterCriteria* Sender, const Variant& AValue, std::string& ADisplayValue)>;

class TlxDBDataFilterCriteriaItem : public TlxDataFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TlxDBDataFilterCriteriaItem", &TlxDataFilterCriteriaItem::kClass,
                                 &ConstructInstance<TlxDBDataFilterCriteriaItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataFilterCriteriaItem::TlxDataFilterCriteriaItem;

  const TClass* OperatorClassForKind(TlxFilterOperatorKind kind) const override;
};

class TlxDBDataFilterCriteria : public TlxDataFilterCriteria {
 public:
  static constexpr TClass kClass{"TlxDBDataFilterCriteria", &TlxDataFilterCriteria::kClass,
                                 &ConstructInstance<TlxDBDataFilterCriteria>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxDataFilterCriteria::TlxDataFilterCriteria;

  bool AutoDataSetFilter() const { return auto_data_set_filter_; }
  void SetAutoDataSetFilter(bool value);
  bool IgnoreOrigin() const { return ignore_origin_; }
  void SetIgnoreOrigin(bool value);

  void AssignFrom(const TPersistent* source, bool version2_only) override;
  void AssignEvents(const TlxFilterCriteria& source) override;
  void ResetToDefaults() override;
  void DoFormatFilterTextValue(const TlxFilterCriteriaItem& condition, const Variant& value,
                               std::string& text) const override;
  const TClass* ConditionItemClass() const override { return &TlxDBDataFilterCriteriaItem::kClass; }
  bool FiltersRecordsItself() const override;
  void DoChanged() override;

  TlxDBDataFilterBeforeChangeEvent OnBeforeChange;
  TlxDBDataFilterFormatFilterTextValueEvent OnFormatFilterTextValue;

 private:
  // The dataset filters, not the controller.
  bool DataSetFilterApplies() const;
  void ApplyToDataSet();

  bool auto_data_set_filter_ = false;
  bool ignore_origin_ = true;
};
