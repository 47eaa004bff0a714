#include "app/grid_stand_in.h"

#include "platform/db/data_link.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"

// Follows the dataset: every change of its rows or their values reloads.
class TGridStandInView::Link : public TDataLink {
 public:
  explicit Link(TGridStandInView& view) : view_(view) {}
  ~Link() override { SetDataSource(nullptr); }

 protected:
  void ActiveChanged() override { view_.Reload(); }
  void DataSetChanged() override { view_.Reload(); }
  void RecordChanged(TField*) override { view_.Reload(); }

 private:
  TGridStandInView& view_;
};

Variant TGridStandInRecord::GetValue(int32_t item) const {
  if (item < 0 || static_cast<size_t>(item) >= values_.size())
    throw EListError::IndexOutOfBounds(item);
  return values_[static_cast<size_t>(item)];
}

void TGridStandInDataController::BeginUpdate() { ++update_count_; }

void TGridStandInDataController::EndUpdate() {
  if (update_count_ == 0)
    return;
  if (--update_count_ == 0 && view_.reload_pending_)
    view_.Reload();
}

int32_t TGridStandInDataController::GetRecordCount() const { return static_cast<int32_t>(view_.rows_.size()); }

const TGridStandInRecord& TGridStandInViewData::GetRecord(int32_t row_index) const {
  if (row_index < 0 || static_cast<size_t>(row_index) >= view_.rows_.size())
    throw EListError::IndexOutOfBounds(row_index);
  return view_.rows_[static_cast<size_t>(row_index)];
}

int32_t TGridStandInViewData::RecordCount() const { return static_cast<int32_t>(view_.rows_.size()); }

TGridStandInView::TGridStandInView(TComponent* owner) : TComponent(owner), link_(std::make_unique<Link>(*this)) {}

TGridStandInView::~TGridStandInView() {
  // Leaving the data source notifies the link once more; the view must not
  // answer that while its rows are going.
  destroying_ = true;
  link_.reset();
}

void TGridStandInView::SetDataSource(TDataSource* source) {
  link_->SetDataSource(source);
  Reload();
}

void TGridStandInView::AddColumn(const std::string& field_name, const std::string& caption) {
  field_names_.push_back(field_name);
  captions_.push_back(caption);
  Reload();
}

void TGridStandInView::Reload() {
  if (destroying_)
    return;
  TDataSet* data_set = link_->DataSet();
  // Rows are taken over only from a dataset at rest: a row being appended
  // or edited comes in when it is posted or cancelled.
  if (data_controller_.UpdateCount() > 0 || reloading_ || (data_set && data_set->State() != dsBrowse &&
                                                          data_set->State() != dsInactive)) {
    reload_pending_ = true;
    return;
  }
  reload_pending_ = false;
  reloading_ = true;
  rows_.clear();
  if (data_set && data_set->Active()) {
    std::vector<TField*> fields;
    for (const std::string& name : field_names_)
      fields.push_back(data_set->FindField(name));
    data_set->DisableControls();
    const TBookmark position = data_set->Bookmark();
    for (data_set->First(); !data_set->Eof(); data_set->Next()) {
      std::vector<Variant> values;
      for (TField* field : fields) {
        if (!field || field->IsNull())
          values.push_back(Variant::Null());
        else
          values.push_back(field->AsVariant());
      }
      rows_.emplace_back(std::move(values));
    }
    if (!position.empty() && data_set->BookmarkValid(position))
      data_set->GotoBookmark(position);
    data_set->EnableControls();
  }
  reloading_ = false;
  if (OnRowsChanged)
    OnRowsChanged(this);
}
