#include "data/db_data_mode_controller.h"

#include "data/data_controller_texts.h"
#include "data/db_data_controller.h"
#include "data/variant_utils.h"
#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_set.h"
#include "platform/db/params.h"
#include "platform/rtl/property.h"

// --- TlxDBDataModeController

TPersistent* TlxDBDataModeController::GetOwner() const { return &controller_; }

void TlxDBDataModeController::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxDBDataModeController*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  detail_in_sql_mode_ = other->detail_in_sql_mode_;
  detail_cursor_sync_ = other->detail_cursor_sync_;
  SetGridMode(other->grid_mode_);
  SetGridModeBufferCount(other->grid_mode_buffer_count_);
  SetSmartRefresh(other->smart_refresh_);
  mirror_data_set_inserts_ = other->mirror_data_set_inserts_;
  SetSyncMode(other->sync_mode_);
  OnDetailFirst = other->OnDetailFirst;
  OnDetailIsCurrentQuery = other->OnDetailIsCurrentQuery;
}

void TlxDBDataModeController::SetGridMode(bool value) {
  if (value == grid_mode_)
    return;
  const bool was_grid_mode = controller_.IsGridMode();
  grid_mode_ = value;
  if (controller_.IsGridMode() != was_grid_mode)
    controller_.RebuildStructure();
}

void TlxDBDataModeController::SetGridModeBufferCount(int32_t value) {
  if (value < 0)
    value = 0;
  if (value == grid_mode_buffer_count_)
    return;
  grid_mode_buffer_count_ = value;
  controller_.UpdateGridModeBufferCount();
}

int32_t TlxDBDataModeController::EffectiveGridModeBufferCount() const {
  return grid_mode_buffer_count_ != 0 ? grid_mode_buffer_count_ : controller_.GetDefaultGridModeBufferCount();
}

void TlxDBDataModeController::SetSmartRefresh(bool value) {
  if (value == smart_refresh_)
    return;
  smart_refresh_ = value;
  if (!controller_.IsGridMode())
    controller_.DBProvider().DataScrolled(0);
}

void TlxDBDataModeController::SetSyncMode(bool value) {
  if (value == sync_mode_)
    return;
  sync_mode_ = value;
  if (controller_.DBProvider().IsDataAvailable())
    controller_.DBProvider().DataScrolled(0);
}

bool TlxDBDataModeController::DoDetailIsCurrentQuery(const std::string& names, const Variant& values) {
  TDataSet* dataset = controller_.GetDataSet();
  if (OnDetailIsCurrentQuery)
    return OnDetailIsCurrentQuery(this, dataset, names, values);
  TlxDBProviderDetailFilterAdapter* adapter = lxDBGetDetailFilterAdapter(dataset);
  if (adapter == nullptr)
    lxDataControllerError(lxSDBDetailFilterControllerNotFound);
  return adapter->IsCurrentQuery(dataset, names, values);
}

void TlxDBDataModeController::DoDetailFirst(const std::string& names, const Variant& values, bool& reopened) {
  TDataSet* dataset = controller_.GetDataSet();
  reopened = false;
  if (OnDetailFirst) {
    OnDetailFirst(this, dataset, names, values, reopened);
    return;
  }
  TlxDBProviderDetailFilterAdapter* adapter = lxDBGetDetailFilterAdapter(dataset);
  if (adapter == nullptr)
    lxDataControllerError(lxSDBDetailFilterControllerNotFound);
  adapter->First(dataset, names, values, reopened, detail_in_sql_mode_);
}

// --- TlxDBProviderDetailFilterAdapter

namespace {

TParams* PublishedParams(TDataSet* dataset) {
  if (dataset == nullptr)
    return nullptr;
  const TPropInfo* info = dataset->ClassType()->Properties().Find("Params");
  if (info == nullptr || info->Kind != TTypeKind::tkClass || !info->GetObj)
    return nullptr;
  return dynamic_cast<TParams*>(info->GetObj(*dataset));
}

}  // namespace

bool TlxDBProviderDetailFilterAdapter::IsCurrentQuery(TDataSet* dataset, const std::string& names,
                                                      const Variant& values) const {
  const TParams* params = PublishedParams(dataset);
  return params != nullptr && lxVariantEquals(params->ParamValues(names), values);
}

void TlxDBProviderDetailFilterAdapter::ReopenSQL(TDataSet* dataset, const std::string& names, const Variant& values,
                                                 bool& reopened) const {
  TParams* params = PublishedParams(dataset);
  if (params == nullptr)
    return;
  if (lxVariantEquals(params->ParamValues(names), values)) {
    dataset->First();
    return;
  }
  TControlsDisabledScope disabled(*dataset);
  dataset->Close();
  params->SetParamValues(names, values);
  dataset->Open();
  reopened = true;
}

void TlxDBProviderDetailFilterAdapter::First(TDataSet* dataset, const std::string& names, const Variant& values,
                                             bool& reopened, bool sql_mode) const {
  if (sql_mode)
    ReopenSQL(dataset, names, values, reopened);
  else if (dataset != nullptr)
    dataset->Locate(names, values, {});
}

TlxDBAdapterList& lxDBDetailFilterAdapters() {
  static TlxDBAdapterList* adapters = [] {
    static TlxDBAdapterList list;
    list.RegisterAdapter(&TDataSet::kClass, &TlxDBProviderDetailFilterAdapter::kClass,
                         &lxCreateDBAdapter<TlxDBProviderDetailFilterAdapter>);
    return &list;
  }();
  return *adapters;
}

TlxDBProviderDetailFilterAdapter* lxDBGetDetailFilterAdapter(const TDataSet* dataset) {
  if (dataset == nullptr)
    return nullptr;
  TlxDBAdapterList& adapters = lxDBDetailFilterAdapters();
  int32_t index = -1;
  if (!adapters.FindAdapter(dataset->ClassType(), index))
    return nullptr;
  return dynamic_cast<TlxDBProviderDetailFilterAdapter*>(adapters.ItemAt(index));
}
