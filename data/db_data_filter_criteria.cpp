#include "data/db_data_filter_criteria.h"

#include "data/db_adapters.h"
#include "data/db_data_controller.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_set.h"
#include "platform/rtl/scope.h"

namespace {

TlxDBDataController* DBControllerOf(const TlxDataFilterCriteria& criteria) {
  return dynamic_cast<TlxDBDataController*>(&criteria.DataController());
}

}  // namespace

const TClass* TlxDBDataFilterCriteriaItem::OperatorClassForKind(TlxFilterOperatorKind kind) const {
  const TClass* operator_class = TlxDataFilterCriteriaItem::OperatorClassForKind(kind);
  const auto* criteria = dynamic_cast<const TlxDataFilterCriteria*>(OwningCriteria());
  const TlxDBDataController* controller = criteria != nullptr ? DBControllerOf(*criteria) : nullptr;
  const TDataSet* dataset = controller != nullptr ? controller->GetDataSet() : nullptr;
  if (const TlxDBFilterOperatorAdapter* adapter = lxDBGetFilterOperatorAdapter(dataset))
    adapter->PrepareFilterOperatorClass(*this, dataset, operator_class);
  return operator_class;
}

void TlxDBDataFilterCriteria::SetAutoDataSetFilter(bool value) {
  if (value == auto_data_set_filter_)
    return;
  auto_data_set_filter_ = value;
  MarkChanged();
}

void TlxDBDataFilterCriteria::SetIgnoreOrigin(bool value) {
  if (value == ignore_origin_)
    return;
  ignore_origin_ = value;
  MarkChanged();
}

void TlxDBDataFilterCriteria::AssignFrom(const TPersistent* source, bool version2_only) {
  const auto* other = dynamic_cast<const TlxDBDataFilterCriteria*>(source);
  if (other == nullptr) {
    TlxDataFilterCriteria::AssignFrom(source, version2_only);
    return;
  }
  BeginChanges();
  TScopeExit end([this] { EndChanges(); });
  TlxDataFilterCriteria::AssignFrom(source, version2_only);
  SetAutoDataSetFilter(other->auto_data_set_filter_);
  SetIgnoreOrigin(other->ignore_origin_);
}

void TlxDBDataFilterCriteria::AssignEvents(const TlxFilterCriteria& source) {
  TlxDataFilterCriteria::AssignEvents(source);
  if (const auto* other = dynamic_cast<const TlxDBDataFilterCriteria*>(&source)) {
    OnBeforeChange = other->OnBeforeChange;
    OnFormatFilterTextValue = other->OnFormatFilterTextValue;
  }
}

void TlxDBDataFilterCriteria::ResetToDefaults() {
  BeginChanges();
  TScopeExit end([this] { EndChanges(); });
  TlxDataFilterCriteria::ResetToDefaults();
  SetAutoDataSetFilter(false);
  SetIgnoreOrigin(true);
}

void TlxDBDataFilterCriteria::DoFormatFilterTextValue(const TlxFilterCriteriaItem&, const Variant& value,
                                                      std::string& text) const {
  if (OnFormatFilterTextValue)
    OnFormatFilterTextValue(const_cast<TlxDBDataFilterCriteria*>(this), value, text);
}

bool TlxDBDataFilterCriteria::DataSetFilterApplies() const {
  const TlxDBDataController* controller = DBControllerOf(*this);
  return auto_data_set_filter_ && controller != nullptr && !controller->IsSmartRefresh();
}

bool TlxDBDataFilterCriteria::FiltersRecordsItself() const {
  return TlxDataFilterCriteria::FiltersRecordsItself() && !OnBeforeChange && !DataSetFilterApplies();
}

void TlxDBDataFilterCriteria::ApplyToDataSet() {
  TDataSet* dataset = DBControllerOf(*this)->GetDataSet();
  const std::string text = BuildExpressionText();
  TFilterOptions options;
  if (HasOption(fcoCaseInsensitive))
    options.Include(foCaseInsensitive);
  const bool filtered = Active() && !text.empty();
  if (dataset->Filter() == text && dataset->FilterOptions() == options && dataset->Filtered() == filtered)
    return;
  TControlsDisabledScope disabled(*dataset);
  dataset->SetFilter(text);
  dataset->SetFilterOptions(options);
  dataset->SetFiltered(filtered);
}

void TlxDBDataFilterCriteria::DoChanged() {
  if (IsAdditional())
    return;
  TlxDBDataController* controller = DBControllerOf(*this);
  const bool destroying = IsDestroying();
  if (!destroying && controller != nullptr) {
    TDataSet* dataset = controller->GetDataSet();
    if (dataset != nullptr && IsEditState(dataset->State())) {
      TScopeFail deactivate([this] {
        BeginChanges();
        SetActive(false);
        CancelChanges();
      });
      controller->FinishEditing();
    }
    if (OnBeforeChange && !IsOwnerLoading())
      OnBeforeChange(this, dataset, BuildExpressionText());
    if (DataSetFilterApplies() && dataset != nullptr)
      ApplyToDataSet();
  }
  TlxDataFilterCriteria::DoChanged();
  if (!destroying && controller != nullptr && controller->DBProvider().IsSyncMode())
    controller->FocusFirstRowIfNone();
}
