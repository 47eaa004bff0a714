#include "app/grid_stand_in.h"

#include "platform/db/controls_disabled_scope.h"
#include "platform/db/data_link.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"

// Follows the dataset: every change of its rows or their values reloads.
class TGridStandInView::Link : public TDataLink {
 public:
  explicit Link(TGridStandInView& view) : view_(view) {}
  ~Link() override { SetDataSource(nullptr); }

 protected:
  void ActiveChanged() override { view_.Reload(); }
  void DataSetChanged() override { view_.Reload(); }
  // Moving the current row changes no row.
  void DataSetScrolled(int32_t) override {}
  void RecordChanged(TField*) override { view_.Reload(); }

 private:
  TGridStandInView& view_;
};

Variant TGridStandInRecord::GetValue(int32_t item) const {
  if (item < 0 || static_cast<size_t>(item) >= values_.size())
    throw EListError::IndexOutOfBounds(item);
  return values_[static_cast<size_t>(item)];
}

void TGridStandInDataController::BeginUpdate() { update_batch_.Begin(); }

void TGridStandInDataController::EndUpdate() {
  update_batch_.End([this] { view_.Reload(); });
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
  if (destroying_ || !data_controller_.update_batch_.Change())
    return;
  TDataSet* data_set = link_->DataSet();
  // Rows are taken over only from a dataset at rest: a row being appended
  // or edited comes in when it is posted or cancelled.
  if (reloading_ || (data_set && data_set->State() != dsBrowse && data_set->State() != dsInactive))
    return;
  TStateScope reloading(reloading_, true);
  std::vector<TGridStandInRecord> rows;
  if (data_set && data_set->Active())
    rows = ReadRows(*data_set);
  rows_ = std::move(rows);
  if (OnRowsChanged)
    OnRowsChanged(this);
}

std::vector<TGridStandInRecord> TGridStandInView::ReadRows(TDataSet& data_set) const {
  std::vector<TField*> fields;
  for (const std::string& name : field_names_)
    fields.push_back(data_set.FindField(name));
  std::vector<TGridStandInRecord> rows;
  TControlsDisabledScope quiet(data_set);
  // The dataset's current row is where the user left it, however the
  // reading ends.
  const TBookmark position = data_set.Bookmark();
  TScopeExit restore_position([&] {
    if (!position.empty() && data_set.BookmarkValid(position))
      data_set.GotoBookmark(position);
  });
  for (data_set.First(); !data_set.Eof(); data_set.Next()) {
    std::vector<Variant> values;
    for (TField* field : fields) {
      if (!field || field->IsNull())
        values.push_back(Variant::Null());
      else
        values.push_back(field->AsVariant());
    }
    rows.emplace_back(std::move(values));
  }
  return rows;
}
