#include "platform/db/data_source.h"

#include <algorithm>

#include "platform/db/data_link.h"
#include "platform/db/data_set.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/property.h"

void TDataSource::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TDataSource>();
  p.Boolean("AutoEdit", &TDataSource::AutoEdit, &TDataSource::SetAutoEdit, true);
  p.Reference<TDataSet>("DataSet", &TDataSource::DataSet, &TDataSource::SetDataSet);
  p.Boolean("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true);
}

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  Destroying();
  if (dataset_ != nullptr) {
    dataset_->RemoveDataSource(this);
    dataset_ = nullptr;
  }
  // Every link learns that its source is gone (and turns inactive).
  while (!links_.empty()) {
    TDataLink* link = links_.back();
    links_.pop_back();
    link->DataSourceGone();
  }
}

void TDataSource::SetDataSet(TDataSet* dataset) {
  if (dataset == dataset_)
    return;
  if (IsLinkedTo(dataset))
    DatabaseError(db_text::kCircularDataLink, this);
  // The links see the old dataset go before the new one comes, so that a
  // switch between two open datasets reaches them as well.
  if (dataset_ != nullptr) {
    dataset_->RemoveDataSource(this);
    dataset_ = nullptr;
    UpdateState();
  }
  dataset_ = dataset;
  if (dataset_ != nullptr) {
    dataset_->AddDataSource(this);
    UpdateState();
  }
}

void TDataSource::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  UpdateState();
}

void TDataSource::Edit() {
  if (auto_edit_ && state_ == dsBrowse && dataset_ != nullptr)
    dataset_->Edit();
}

bool TDataSource::IsLinkedTo(const TDataSet* dataset) const {
  // Walk the dataset's masters; a bounded walk, so that a broken chain
  // cannot hang.
  for (int depth = 0; dataset != nullptr && depth < 1000; ++depth) {
    const TDataSource* master = dataset->GetDataSource();
    if (master == nullptr)
      return false;
    if (master == this)
      return true;
    dataset = master->DataSet();
  }
  return false;
}

void TDataSource::AddDataLink(TDataLink* link) {
  if (!HasLink(link))
    links_.push_back(link);
}

void TDataSource::RemoveDataLink(TDataLink* link) {
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it != links_.end())
    links_.erase(it);
}

bool TDataSource::HasLink(const TDataLink* link) const {
  return std::find(links_.begin(), links_.end(), link) != links_.end();
}

void TDataSource::DataSetDestroyed(TDataSet* dataset) {
  if (dataset != dataset_)
    return;
  dataset_ = nullptr;
  UpdateState();
}

void TDataSource::UpdateState() {
  const TDataSetState state = enabled_ && dataset_ != nullptr ? dataset_->State() : dsInactive;
  if (state == state_)
    return;
  state_ = state;
  const TAliveToken alive = AliveToken();
  NotifyDataLinks(deUpdateState, {});
  if (alive.Alive() && OnStateChange)
    OnStateChange(this);
}

void TDataSource::NotifyDataLinks(TDataEvent event, TDataEventInfo info) {
  // A link may leave, or this source may be freed, while a link handles
  // the event: after each call find the link again and go on after it.
  const TAliveToken alive = AliveToken();
  size_t i = 0;
  while (i < links_.size()) {
    TDataLink* link = links_[i];
    if (event == deUpdateState)
      link->UpdateState();
    else
      link->DataEvent(event, info);
    if (!alive.Alive())
      return;
    auto it = std::find(links_.begin(), links_.end(), link);
    if (it != links_.end())
      i = static_cast<size_t>(it - links_.begin()) + 1;
  }
}

void TDataSource::DataEvent(TDataEvent event, TDataEventInfo info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (state_ == dsInactive)
    return;
  const TAliveToken alive = AliveToken();
  NotifyDataLinks(event, info);
  if (!alive.Alive())
    return;
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (OnDataChange)
        OnDataChange(this, info.field);
      break;
    case deDataSetChange:
    case deDataSetScroll:
    case deLayoutChange:
      if (OnDataChange)
        OnDataChange(this, nullptr);
      break;
    case deUpdateRecord:
      if (OnUpdateData)
        OnUpdateData(this);
      break;
    default:
      break;
  }
}
