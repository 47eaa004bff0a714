#include "platform/db/data_set.h"

#include <algorithm>
#include <atomic>

#include "platform/db/data_set_internal.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/filter_expression.h"
#include "platform/db/record_store.h"
#include "platform/rtl/scope.h"

namespace {

uint64_t NextSerial() {
  static std::atomic<uint64_t> counter{0};
  return ++counter;
}

bool SameStorage(TFieldType field_type, TFieldType def_type) {
  if (field_type == def_type)
    return true;
  const bool field_text = field_type == ftString || field_type == ftFixedChar;
  const bool def_text = def_type == ftString || def_type == ftFixedChar;
  return field_text && def_text;
}

}  // namespace

std::vector<std::string_view> SplitFieldNames(std::string_view names) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string_view::npos)
      end = names.size();
    std::string_view part = names.substr(start, end - start);
    while (!part.empty() && part.front() == ' ')
      part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ')
      part.remove_suffix(1);
    if (!part.empty())
      parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

TDataSet::TDataSet(TComponent* owner)
    : TComponent(owner), fields_(this), agg_fields_(this), field_defs_(this), serial_(NextSerial()) {}

TDataSet::~TDataSet() {
  Destroying();
  // A descendant closes in its own destructor, while its store exists.
  state_ = dsInactive;
  const std::vector<TDataSource*> sources = data_sources_;
  data_sources_.clear();
  for (TDataSource* source : sources)
    source->DataSetDestroyed(this);
  // The dataset frees its fields, wherever they are owned.
  std::vector<TField*> fields(fields_.begin(), fields_.end());
  fields.insert(fields.end(), agg_fields_.begin(), agg_fields_.end());
  fields_.Clear();
  agg_fields_.Clear();
  for (TField* field : fields) {
    field->ForgetDataSet();
    delete field;
  }
}

// --- Opening and closing

void TDataSet::SetActive(bool active) {
  if (active == Active())
    return;
  if (active)
    OpenCursor();
  else
    CloseCursor();
}

void TDataSet::OpenCursor() {
  DoBeforeOpen();
  {
    bool store_open = false;
    TScopeFail undo_open([&] {
      filter_expression_.reset();
      records_ = nullptr;
      if (store_open)
        InternalClose();
      UnbindFields();
      if (default_fields_)
        DestroyDefaultFields();
    });
    if (fields_.Count() == 0) {
      CreateDefaultFields();
      default_fields_ = true;
    }
    BindFields();
    InternalOpen();
    store_open = true;
    records_ = &Store();
    if (filtered_) {
      CompileFilter();
      if (FilterActive())
        Records().ApplyFilter([this](std::byte* block) { return RecordPassesFilter(block); });
    }
  }
  const int32_t count = Records().Count();
  position_ = count > 0 ? 0 : -1;
  bof_ = true;
  eof_ = count == 0;
  SetState(dsBrowse);
  DoAfterOpen();
  DoAfterScroll();
}

void TDataSet::CloseCursor() {
  if (IsEditState(state_))
    Cancel();
  DoBeforeClose();
  SetState(dsInactive);
  records_ = nullptr;
  InternalClose();
  filter_expression_.reset();
  UnbindFields();
  position_ = -1;
  bof_ = eof_ = true;
  insert_position_ = -1;
  modified_ = false;
  if (default_fields_)
    DestroyDefaultFields();
  DoAfterClose();
}

void TDataSet::CreateDefaultFields() {
  for (int32_t i = 0; i < field_defs_.Count(); ++i)
    field_defs_.Items(i)->CreateField(this, this);
}

void TDataSet::DestroyDefaultFields() {
  default_fields_ = false;
  std::vector<TField*> fields(fields_.begin(), fields_.end());
  fields_.Clear();
  for (TField* field : fields) {
    field->ForgetDataSet();
    delete field;
  }
}

void TDataSet::BindFields() {
  auto layout = std::make_unique<TRecordLayout>();
  has_calculated_fields_ = false;
  for (TField* field : fields_) {
    int32_t field_no = 0;
    if (field->FieldKind() == fkData) {
      const int32_t index = field_defs_.IndexOf(field->FieldName());
      if (index < 0)
        DatabaseError(db_text::FieldNotFound(field->FieldName()), this);
      const TFieldDef* def = field_defs_.Items(index);
      if (!SameStorage(field->DataType(), def->DataType()))
        DatabaseError(db_text::FieldTypeMismatch(field->FieldName(), FieldTypeName(field->DataType()),
                                                 FieldTypeName(def->DataType())),
                      this);
      field_no = index + 1;
    } else if (field->FieldKind() != fkInternalCalc) {
      has_calculated_fields_ = true;
    }
    field->Bind(layout->AddSlot(field->StorageKind()), field_no);
  }
  layout_ = std::move(layout);
  edit_buffer_ = TRecordBuffer(*layout_);
  scratch_ = TRecordBuffer(*layout_);
}

void TDataSet::UnbindFields() {
  active_block_ = nullptr;
  active_display_ = -1;
  edit_buffer_ = TRecordBuffer();
  scratch_ = TRecordBuffer();
  for (TField* field : fields_)
    field->Bind(-1, 0);
  layout_.reset();
}

void TDataSet::CheckActive() const {
  if (!Active())
    DatabaseError(db_text::kDataSetClosed, this);
}

void TDataSet::CheckInactive() const {
  if (Active())
    DatabaseError(db_text::kDataSetOpen, this);
}

void TDataSet::CheckCanModify() const {
  if (!CanModify())
    DatabaseError(db_text::kDataSetReadOnly, this);
}

void TDataSet::CheckFieldListChange() const { CheckInactive(); }

void TDataSet::SetReadOnly(bool read_only) { read_only_ = read_only; }

// --- Fields

TField* TDataSet::FieldByName(std::string_view name) const { return fields_.FieldByName(name); }

void TDataSet::GetFieldList(std::vector<TField*>& list, std::string_view names) const {
  for (std::string_view name : SplitFieldNames(names))
    list.push_back(FieldByName(name));
}

std::vector<TField*> TDataSet::GetFieldList(std::string_view names) const {
  std::vector<TField*> list;
  GetFieldList(list, names);
  return list;
}

void TDataSet::FieldAdded(TField* field) {
  if (field->FieldKind() == fkAggregate)
    agg_fields_.Add(field);
  else
    fields_.Add(field);
  DataEvent(deFieldListChange, {});
}

void TDataSet::FieldRemoved(TField* field) {
  // A field freed while the dataset is open takes its storage slot away.
  if (Active() && !ComponentState().Contains(csDestroying))
    Close();
  fields_.Remove(field);
  agg_fields_.Remove(field);
  DataEvent(deFieldListChange, {});
}

// --- State, records for fields and links

void TDataSet::SetState(TDataSetState state) {
  if (state == state_)
    return;
  state_ = state;
  ReadActiveRecord();
  DataEvent(deUpdateState, {});
}

void TDataSet::MoveCursor(int32_t position) {
  position_ = position;
  ReadActiveRecord();
}

void TDataSet::ReadActiveRecord() {
  active_display_ = DisplayCursor();
  if (state_ == dsInactive) {
    active_block_ = nullptr;
    return;
  }
  if (IsEditState(state_)) {
    active_block_ = edit_buffer_.Data();
    return;
  }
  active_block_ = position_ >= 0 ? Records().At(position_) : nullptr;
  if (has_calculated_fields_ && active_block_ != nullptr)
    CalculateFields(const_cast<std::byte*>(active_block_));
}

int32_t TDataSet::DisplayCount() const {
  if (!Active())
    return 0;
  return Records().Count() + (state_ == dsInsert ? 1 : 0);
}

int32_t TDataSet::DisplayCursor() const { return state_ == dsInsert ? insert_position_ : position_; }

void TDataSet::SelectDisplayRecord(int32_t display_position) {
  if (!Active())
    return;
  if (display_position == DisplayCursor()) {
    ReadActiveRecord();
    return;
  }
  if (display_position < 0 || display_position >= DisplayCount())
    return;
  int32_t position = display_position;
  if (state_ == dsInsert && display_position > insert_position_)
    --position;
  std::byte* block = Records().At(position);
  active_block_ = block;
  active_display_ = display_position;
  if (has_calculated_fields_)
    CalculateFields(block);
}

void TDataSet::CalculateFields(std::byte* block) {
  if (!has_calculated_fields_)
    return;
  {
    TTemporaryRecord calculating(*this, block, dsCalcFields);
    for (TField* field : fields_) {
      if (field->FieldKind() == fkCalculated || field->FieldKind() == fkLookup)
        layout_->SetNull(block, field->Slot(), true);
    }
    for (TField* field : fields_) {
      if (field->FieldKind() != fkLookup || field->LookupDataSet() == nullptr)
        continue;
      const std::vector<TField*> keys = GetFieldList(field->KeyFields());
      if (keys.empty())
        continue;
      Variant key_values;
      if (keys.size() == 1) {
        key_values = keys.front()->AsVariant();
      } else {
        key_values = VarArrayCreate(0, static_cast<int32_t>(keys.size()) - 1, varVariant);
        for (size_t i = 0; i < keys.size(); ++i)
          VarArrayPut(key_values, keys[i]->AsVariant(), static_cast<int32_t>(i));
      }
      field->SetAsVariant(field->LookupDataSet()->Lookup(field->LookupKeyFields(), key_values,
                                                         field->LookupResultField()));
    }
    DoOnCalcFields();
  }
}

std::byte* TDataSet::BeginFieldWrite(TField* field) {
  CheckActive();
  switch (state_) {
    case dsCalcFields:
    case dsInternalCalc:
      if (field->FieldKind() == fkData)
        DatabaseError(db_text::FieldReadOnly(field->DisplayName()), this);
      return const_cast<std::byte*>(active_block_);
    case dsEdit:
    case dsInsert:
    case dsSetKey:
      if ((field->FieldKind() != fkData && field->FieldKind() != fkInternalCalc) || field->ReadOnly())
        DatabaseError(db_text::FieldReadOnly(field->DisplayName()), this);
      return edit_buffer_.Data();
    default:
      DatabaseError(db_text::kNotEditing, this);
  }
}

void TDataSet::FieldWritten(TField* field, std::byte* block) {
  if (state_ == dsCalcFields || state_ == dsInternalCalc)
    return;
  modified_ = true;
  if (has_calculated_fields_ && field->FieldKind() == fkData)
    CalculateFields(block);
  const TAliveToken alive = field->AliveToken();
  DataEvent(deFieldChange, TDataEventInfo::Field(field));
  if (alive.Alive() && field->OnChange)
    field->OnChange(field);
}

// --- Data sources and events

void TDataSet::AddDataSource(TDataSource* source) {
  if (std::find(data_sources_.begin(), data_sources_.end(), source) == data_sources_.end())
    data_sources_.push_back(source);
}

void TDataSet::RemoveDataSource(TDataSource* source) {
  auto it = std::find(data_sources_.begin(), data_sources_.end(), source);
  if (it != data_sources_.end())
    data_sources_.erase(it);
}

void TDataSet::DataEvent(TDataEvent event, TDataEventInfo info) {
  if (controls_disabled_.Updating()) {
    if (event == deLayoutChange || (event == deUpdateState && state_ == dsInactive))
      enable_event_ = deLayoutChange;
    return;
  }
  if (data_sources_.empty())
    return;
  // A source may leave, or this dataset may be freed, while a source passes
  // the event on: find the source again after each call.
  const TAliveToken alive = AliveToken();
  size_t i = 0;
  while (i < data_sources_.size()) {
    TDataSource* source = data_sources_[i];
    source->DataEvent(event, info);
    if (!alive.Alive())
      return;
    auto it = std::find(data_sources_.begin(), data_sources_.end(), source);
    if (it != data_sources_.end())
      i = static_cast<size_t>(it - data_sources_.begin()) + 1;
  }
}

void TDataSet::DisableControls() {
  controls_disabled_.Begin([this] {
    disable_state_ = state_;
    enable_event_ = deDataSetChange;
  });
}

void TDataSet::EnableControls() {
  controls_disabled_.End([this] {
    const TAliveToken alive = AliveToken();
    if (disable_state_ != state_)
      DataEvent(deUpdateState, {});
    if (alive.Alive() && disable_state_ != dsInactive && state_ != dsInactive)
      DataEvent(enable_event_, {});
  });
}

// --- Events

void TDataSet::DoBeforeOpen() {
  if (BeforeOpen)
    BeforeOpen(this);
}
void TDataSet::DoAfterOpen() {
  if (AfterOpen)
    AfterOpen(this);
}
void TDataSet::DoBeforeClose() {
  if (BeforeClose)
    BeforeClose(this);
}
void TDataSet::DoAfterClose() {
  if (AfterClose)
    AfterClose(this);
}
void TDataSet::DoBeforeInsert() {
  if (BeforeInsert)
    BeforeInsert(this);
}
void TDataSet::DoAfterInsert() {
  if (AfterInsert)
    AfterInsert(this);
}
void TDataSet::DoBeforeEdit() {
  if (BeforeEdit)
    BeforeEdit(this);
}
void TDataSet::DoAfterEdit() {
  if (AfterEdit)
    AfterEdit(this);
}
void TDataSet::DoBeforePost() {
  if (BeforePost)
    BeforePost(this);
}
void TDataSet::DoAfterPost() {
  if (AfterPost)
    AfterPost(this);
}
void TDataSet::DoBeforeCancel() {
  if (BeforeCancel)
    BeforeCancel(this);
}
void TDataSet::DoAfterCancel() {
  if (AfterCancel)
    AfterCancel(this);
}
void TDataSet::DoBeforeDelete() {
  if (BeforeDelete)
    BeforeDelete(this);
}
void TDataSet::DoAfterDelete() {
  if (AfterDelete)
    AfterDelete(this);
}
void TDataSet::DoBeforeScroll() {
  if (BeforeScroll)
    BeforeScroll(this);
}
void TDataSet::DoAfterScroll() {
  if (AfterScroll)
    AfterScroll(this);
}
void TDataSet::DoOnNewRecord() {
  if (OnNewRecord)
    OnNewRecord(this);
}
void TDataSet::DoOnCalcFields() {
  if (OnCalcFields)
    OnCalcFields(this);
}
