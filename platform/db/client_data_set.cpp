#include "platform/db/client_data_set.h"

#include <algorithm>

#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/record_store.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

void TClientDataSet::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TClientDataSet>();
  p.Boolean("ReadOnly", &TClientDataSet::ReadOnly, &TClientDataSet::SetReadOnly, false);
  p.String("Filter", &TClientDataSet::Filter, &TClientDataSet::SetFilter);
  p.Boolean("Filtered", &TClientDataSet::Filtered, &TClientDataSet::SetFiltered, false);
}

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet() {
  Destroying();
  try {
    Close();
  } catch (...) {
    // An event handler failed while the dataset goes away; the records go
    // with it all the same.
  }
}

void TClientDataSet::CreateDataSet() {
  CheckInactive();
  if (FieldDefs().Count() == 0) {
    for (TField* field : Fields()) {
      if (field->FieldKind() == fkData)
        FieldDefs().Add(field->FieldName(), field->DataType(), field->Size(), field->Required());
    }
  }
  if (FieldDefs().Count() == 0)
    DatabaseError(db_text::kNoFieldsDefined, this);
  created_ = true;
  next_auto_inc_ = 1;
  TScopeFail not_created([this] { created_ = false; });
  Open();
}

void TClientDataSet::EmptyDataSet() {
  CheckActive();
  if (IsEditState(State()))
    Cancel();
  store_->Clear();
  AfterStoreEmptied();
}

void TClientDataSet::InternalOpen() {
  if (!created_)
    DatabaseError(db_text::kMissingData, this);
  store_ = std::make_unique<TRecordStore>(Layout());
}

void TClientDataSet::InternalClose() {
  store_.reset();
  created_ = false;
}

TRecordStore& TClientDataSet::Store() const { return *store_; }

void TClientDataSet::InternalBeforeStore(std::byte* block, bool inserting) {
  if (inserting)
    NumberAutoIncFields(block);
}

void TClientDataSet::NumberAutoIncFields(std::byte* block) {
  const TRecordLayout& layout = Layout();
  for (TField* field : Fields()) {
    if (field->DataType() != ftAutoInc || field->FieldKind() != fkData)
      continue;
    const int32_t slot = field->Slot();
    if (layout.IsNull(block, slot)) {
      layout.Put<int64_t>(block, slot, next_auto_inc_++);
      continue;
    }
    // A number given by hand moves the counter past it.
    next_auto_inc_ = std::max(next_auto_inc_, layout.Get<int64_t>(block, slot) + 1);
  }
}
