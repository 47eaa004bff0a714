#include "platform/db/data_link.h"

#include <algorithm>

#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/scope.h"

TDataLink::~TDataLink() {
  if (source_ != nullptr)
    source_->RemoveDataLink(this);
  source_ = nullptr;
}

void TDataLink::SetDataSource(TDataSource* source) {
  if (source == source_)
    return;
  if (data_source_fixed_)
    DatabaseError(db_text::kDataSourceChange);
  if (source_ != nullptr) {
    source_->RemoveDataLink(this);
    source_ = nullptr;
    UpdateState();
  }
  source_ = source;
  if (source_ != nullptr) {
    source_->AddDataLink(this);
    UpdateState();
  }
}

void TDataLink::DataSourceGone() {
  source_ = nullptr;
  UpdateState();
}

TDataSet* TDataLink::DataSet() const { return source_ != nullptr ? source_->DataSet() : nullptr; }

void TDataLink::SetReadOnly(bool read_only) {
  if (read_only == read_only_)
    return;
  read_only_ = read_only;
  UpdateState();
}

void TDataLink::UpdateState() {
  const bool active = source_ != nullptr && source_->DataSet() != nullptr && source_->Enabled() &&
                      source_->State() != dsInactive;
  if (active != active_) {
    active_ = active;
    first_ = 0;
    if (active_)
      FitWindow();
    ActiveChanged();
  }
  const bool editing = active_ && !read_only_ && source_ != nullptr && IsEditState(source_->State());
  if (editing != editing_) {
    editing_ = editing;
    EditingChanged();
  }
}

int32_t TDataLink::FitWindow() {
  const TDataSet* dataset = DataSet();
  if (dataset == nullptr)
    return 0;
  const int32_t old_first = first_;
  const int32_t count = dataset->DisplayCount();
  const int32_t cursor = dataset->DisplayCursor();
  if (cursor < 0) {
    first_ = 0;
  } else {
    if (cursor < first_)
      first_ = cursor;
    else if (cursor >= first_ + buffer_count_)
      first_ = cursor - buffer_count_ + 1;
    // Keep the window full where the records allow it.
    if (first_ + buffer_count_ > count)
      first_ = std::max(0, count - buffer_count_);
  }
  return first_ - old_first;
}

int32_t TDataLink::ActiveRecord() const {
  const TDataSet* dataset = DataSet();
  if (!active_ || dataset == nullptr)
    return 0;
  return std::max(0, dataset->ActiveDisplayPosition() - first_);
}

void TDataLink::SetActiveRecord(int32_t index) {
  TDataSet* dataset = DataSet();
  if (!active_ || dataset == nullptr)
    return;
  dataset->SelectDisplayRecord(first_ + index);
}

void TDataLink::SetBufferCount(int32_t count) {
  count = std::max(count, 1);
  if (count == buffer_count_)
    return;
  buffer_count_ = count;
  if (active_)
    FitWindow();
}

int32_t TDataLink::RecordCount() const {
  const TDataSet* dataset = DataSet();
  if (!active_ || dataset == nullptr)
    return 0;
  return std::clamp(dataset->DisplayCount() - first_, 0, buffer_count_);
}

bool TDataLink::Edit() {
  if (!read_only_ && source_ != nullptr)
    source_->Edit();
  return editing_;
}

void TDataLink::UpdateRecord() {
  TStateScope updating(updating_, true);
  UpdateData();
}

bool TDataLink::Bof() const {
  const TDataSet* dataset = DataSet();
  return dataset == nullptr || dataset->Bof();
}

bool TDataLink::Eof() const {
  const TDataSet* dataset = DataSet();
  return dataset == nullptr || dataset->Eof();
}

int32_t TDataLink::MoveBy(int32_t distance) {
  TDataSet* dataset = DataSet();
  return dataset == nullptr ? 0 : dataset->MoveBy(distance);
}

void TDataLink::DataEvent(TDataEvent event, TDataEventInfo info) {
  if (event == deUpdateState) {
    UpdateState();
    return;
  }
  if (!active_)
    return;
  switch (event) {
    case deFieldChange:
    case deRecordChange:
      if (!updating_)
        RecordChanged(info.field);
      break;
    case deDataSetChange:
      FitWindow();
      DataSetChanged();
      break;
    case deDataSetScroll:
      DataSetScrolled(FitWindow());
      break;
    case deLayoutChange:
      FitWindow();
      LayoutChanged();
      break;
    case deUpdateRecord:
      UpdateRecord();
      break;
    case deCheckBrowseMode:
      CheckBrowseMode();
      break;
    case deFocusControl: {
      if (info.focus_field != nullptr && *info.focus_field != nullptr)
        FocusControl(*info.focus_field);
      break;
    }
    default:
      break;
  }
}
