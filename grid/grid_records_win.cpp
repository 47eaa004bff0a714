#include "grid/grid_records_win.h"

#include "grid/table_filtering.h"

#include "data/data_controller.h"
#include "editors/edit_properties.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_date_range.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_data_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/scope.h"

// The table controller keeps no row state of its own: focus and selection
// are the data controller's rows, so records ask it directly.

namespace {

constexpr uint16_t kKeyEnter = 13;
constexpr uint16_t kKeyF2 = 113;
constexpr uint16_t kKeyProcess = 229;
constexpr uint16_t kKeyNumPadPlus = 107;
constexpr uint16_t kKeyNumPadMinus = 109;

}  // namespace

// --- TlxCustomGridRecord -------------------------------------------------------------------------

TlxCustomGridRecord::TlxCustomGridRecord(TlxCustomGridTableViewData* view_data, const TlxRowInfo& row_info,
                                         int32_t index)
    : view_data_(view_data), index_(index), row_info_(row_info) {}

TlxCustomGridRecord::~TlxCustomGridRecord() {
  // The layout may outlive the records of a data change until it is
  // rebuilt: its view info must not keep pointing here.
  if (view_info_ != nullptr)
    view_info_->RecordDestroyed();
}

TlxCustomGridTableView* TlxCustomGridRecord::GridView() const { return view_data_->GridView(); }

TlxCustomDataController* TlxCustomGridRecord::DataController() const { return view_data_->DataController(); }

bool TlxCustomGridRecord::IsFocused() const {
  if (IsNewItemRecord())
    return DataController()->IsNewItemRowFocused();
  return DataController()->FocusedRowIndex() == index_;
}

void TlxCustomGridRecord::SetFocused(bool value) {
  if (value) {
    DataController()->ChangeFocusedRowIndex(index_);
    return;
  }
  if (IsFocused())
    DataController()->ChangeFocusedRowIndex(-1);
}

bool TlxCustomGridRecord::IsHighlighted() const { return false; }

bool TlxCustomGridRecord::IsEditing() const { return view_data_->EditingRecord() == this; }

bool TlxCustomGridRecord::IsNewItemRecord() const { return view_data_->NewItemRecord() == this; }

bool TlxCustomGridRecord::HasValidRecordIndex() const {
  return RecordIndex() >= 0 && RecordIndex() < DataController()->GetRecordCount();
}

void TlxCustomGridRecord::SetExpanded(bool value) {
  if (GetExpanded() == value)
    return;
  if (value)
    Expand(false);
  else
    Collapse(false);
}

void TlxCustomGridRecord::Expand(bool recurse) {
  if (GetExpandable())
    DoExpand(recurse);
}

void TlxCustomGridRecord::Collapse(bool recurse) {
  if (GetExpandable())
    DoCollapse(recurse);
}

void TlxCustomGridRecord::MakeVisible() {
  DataController()->GetRowIndexByRecordIndex(RecordIndex(), true);
}

bool TlxCustomGridRecord::IsLastInLevel(int32_t offset) const {
  if (IsLast())
    return true;
  TlxCustomGridRecord* next = view_data_->GetRecordByIndex(index_ + 1);
  return next != nullptr && next->Level() < Level() - offset;
}

int32_t TlxCustomGridRecord::LastInLevelCount() const {
  int32_t count = 0;
  while (count < Level() && IsLastInLevel(count))
    ++count;
  return count;
}

void TlxCustomGridRecord::RefreshRecordInfo() {
  if (IsNewItemRecord()) {
    row_info_ = TlxRowInfo{};
    row_info_.Expanded = false;
    row_info_.Level = 0;
    row_info_.RecordIndex = DataController()->GetNewItemRecordIndex();
    return;
  }
  if (index_ >= 0 && index_ < DataController()->GetRowCount())
    row_info_ = DataController()->GetRowInfo(index_);
}

void TlxCustomGridRecord::ToggleExpanded() { SetExpanded(!GetExpanded()); }

bool TlxCustomGridRecord::IsLast() const { return index_ + 1 == view_data_->RecordCount(); }

TlxCustomGridRecord* TlxCustomGridRecord::GetParentRecord() {
  if (Level() == 0)
    return GridView()->IsDetail() ? GridView()->GetMasterRecord() : nullptr;
  for (int32_t i = index_ - 1; i >= 0; --i) {
    TlxCustomGridRecord* candidate = view_data_->GetRecordByIndex(i);
    if (candidate != nullptr && candidate->Level() < Level())
      return candidate;
  }
  return nullptr;
}

bool TlxCustomGridRecord::GetSelected() {
  if (IsNewItemRecord())
    return IsFocused();
  return DataController()->IsRowSelected(index_);
}

bool TlxCustomGridRecord::GetVisible() {
  if (IsNewItemRecord())
    return true;
  return HasViewInfo();
}

void TlxCustomGridRecord::SetSelected(bool value) { DataController()->ChangeRowSelection(index_, value); }

std::string TlxCustomGridRecord::GetDisplayText(int32_t item_index) {
  return DataController()->GetRowDisplayText(row_info_, item_index);
}

int32_t TlxCustomGridRecord::GetValueCount() const { return DataController()->GetItemCount(); }

Variant TlxCustomGridRecord::GetValue(int32_t item_index) { return DataController()->GetRowValue(row_info_, item_index); }

void TlxCustomGridRecord::SetDisplayText(int32_t item_index, const std::string& text) {
  DataController()->SetDisplayText(RecordIndex(), item_index, text);
}

void TlxCustomGridRecord::SetValue(int32_t item_index, const Variant& value) {
  DataController()->SetValue(RecordIndex(), item_index, value);
}

void TlxCustomGridRecord::KeyDown(uint16_t& key, TShiftState shift) {
  switch (key) {
    case kKeyEnter:
    case kKeyF2:
    case kKeyProcess: {
      const bool shift_allowed = shift.Empty() || (key == kKeyEnter && shift == TShiftState{ssShift});
      TlxCustomGridTableItem* item = GridView()->FocusedItem();
      if (!GetHasCells() || item == nullptr || !shift_allowed)
        return;
      const bool editing = GridView()->StartItemEditing(item->Index());
      if (editing && key != kKeyProcess)
        key = 0;
      return;
    }
    case kKeyNumPadPlus:
    case kKeyNumPadMinus:
      if (!GetExpandable())
        return;
      SetExpanded(key == kKeyNumPadPlus);
      key = 0;
      return;
    default:
      return;
  }
}

bool TlxCustomGridRecord::CanFocus() { return GridView()->CanFocusRecord(index_); }

bool TlxCustomGridRecord::CanFocusCells() const { return GridView()->OptionsSelection()->CellSelect(); }

bool TlxCustomGridRecord::Invalidate(TlxCustomGridTableItem* item) {
  if (!HasViewInfo())
    return false;
  return GridView()->AddChange(std::make_unique<TlxGridRecordChange>(GridView(), item, index_, this));
}

// --- TlxCustomGridTableViewData ------------------------------------------------------------------

TlxCustomGridTableViewData::TlxCustomGridTableViewData(TlxCustomGridView* grid_view)
    : TlxCustomGridViewData(grid_view), records_([this](int32_t index) { return CreateRecord(index); }) {}

TlxCustomGridTableViewData::~TlxCustomGridTableViewData() {
  new_item_record_.reset();
  records_.Clear();
}

TlxCustomGridTableView* TlxCustomGridTableViewData::GridView() const {
  return static_cast<TlxCustomGridTableView*>(TlxCustomGridViewData::GridView());
}

std::unique_ptr<TlxCustomGridRecord> TlxCustomGridTableViewData::CreateRecord(int32_t index) {
  const TlxRowInfo row_info = DataController()->GetRowInfo(index);
  return CreateRecordOfClass(GetRecordClass(row_info), row_info, index);
}

std::unique_ptr<TlxCustomGridRecord> TlxCustomGridTableViewData::CreateRecordOfClass(const TClass* record_class,
                                                                                     const TlxRowInfo& row_info,
                                                                                     int32_t index) {
  // Record classes take three constructor arguments, which the class
  // registry's single-owner construction cannot pass; descendants that
  // name their own classes make them here.
  throw EInvalidOperation("No record of class " +
                          std::string(record_class != nullptr ? record_class->ClassName() : "(none)") +
                          " can be made for row " + std::to_string(index) + " at level " +
                          std::to_string(row_info.Level));
}

TlxCustomGridRecord* TlxCustomGridTableViewData::GetRecordByRecordIndex(int32_t record_index) {
  TlxCustomDataController* controller = DataController();
  if (new_item_record_ != nullptr && record_index == controller->GetNewItemRecordIndex())
    return new_item_record_.get();
  if (record_index < 0 || record_index >= controller->GetRecordCount())
    return nullptr;
  if (GridView()->IsUpdateLocked() || controller->GetLockCount() > 0) {
    TlxCustomGridRecord* found = nullptr;
    records_.ForEachExisting([&](TlxCustomGridRecord& record) {
      if (found == nullptr && record.IsData() && record.RecordIndex() == record_index)
        found = &record;
    });
    if (found != nullptr)
      return found;
  }
  return GetRecordByIndex(controller->GetRowIndexByRecordIndex(record_index, false));
}

void TlxCustomGridTableViewData::AssignEditingRecord() {
  TlxCustomDataController* controller = DataController();
  editing_record_ = controller->IsEditing() ? GetRecordByRecordIndex(controller->GetEditingOrFocusedRecordIndex())
                                            : nullptr;
}

std::unique_ptr<TlxGridFilterValueList> TlxCustomGridTableViewData::CreateFilterValueList() {
  return lxCreatePart<TlxGridFilterValueList>(GetFilterValueListClass(), &DataController()->Filter());
}

void TlxCustomGridTableViewData::AddItemFilterCondition(TlxFilterCriteriaItemList* list, TlxCustomGridTableItem* item,
                                                        bool replace_existing, const std::string& display_text,
                                                        const Variant& value, uint8_t operator_kind) {
  if (item == nullptr || item->DataBinding() == nullptr)
    return;
  item->DataBinding()->AddFilterCondition(list, static_cast<TlxFilterOperatorKind>(operator_kind), value,
                                          display_text, replace_existing);
}

void TlxCustomGridTableViewData::CheckNewItemRecord() {
  if (!HasNewItemRecord()) {
    new_item_record_.reset();
    return;
  }
  if (new_item_record_ != nullptr)
    return;
  new_item_record_ = CreateRecordOfClass(GetNewItemRecordClass(), TlxRowInfo{}, -1);
  new_item_record_->RefreshRecordInfo();
}

void TlxCustomGridTableViewData::RefreshRecordInfos() {
  if (new_item_record_ != nullptr)
    new_item_record_->RefreshRecordInfo();
  records_.ForEachExisting([](TlxCustomGridRecord& record) { record.RefreshRecordInfo(); });
  AssignEditingRecord();
}

const TClass* TlxCustomGridTableViewData::GetFilterValueListClass() const { return &TlxGridFilterValueList::kClass; }

TlxCustomGridRecord* TlxCustomGridTableViewData::GetRecordByKind(int32_t kind, int32_t index) {
  if (kind == grkNewItem)
    return new_item_record_.get();
  if (kind == grkData)
    return GetRecordByIndex(index);
  return nullptr;
}

int32_t TlxCustomGridTableViewData::GetRecordKind(const TlxCustomGridRecord* record) const {
  return record != nullptr && record == new_item_record_.get() ? grkNewItem : grkData;
}

void TlxCustomGridTableViewData::Collapse(bool recurse) {
  GridView()->BeginUpdate();
  TScopeExit end_update([this] { GridView()->EndUpdate(); });
  for (int32_t i = RecordCount() - 1; i >= 0; --i)
    if (TlxCustomGridRecord* record = GetRecordByIndex(i))
      record->Collapse(recurse);
}

void TlxCustomGridTableViewData::Expand(bool recurse) {
  GridView()->BeginUpdate();
  TScopeExit end_update([this] { GridView()->EndUpdate(); });
  const int32_t count = RecordCount();
  for (int32_t i = 0; i < count; ++i)
    if (TlxCustomGridRecord* record = GetRecordByIndex(i))
      record->Expand(recurse);
}

void TlxCustomGridTableViewData::Refresh(int32_t row_count) {
  if (HasNewItemRecord()) {
    new_item_record_.reset();
    CheckNewItemRecord();
  }
  records_.Reset(row_count);
  AssignEditingRecord();
  GridView()->SizeChanged(GridView()->IsPattern(), false);
}

bool TlxCustomGridTableViewData::GetDisplayTextByProperties(int32_t record_index, int32_t item_index, int32_t kind,
                                                            bool convert, std::string& text) {
  TlxCustomGridTableView* view = GridView();
  if (item_index < 0 || item_index >= view->ItemCount())
    return false;
  TlxCustomGridTableItem* item = view->Items(item_index);
  TlxCustomEditProperties* properties = item->GetPropertiesForRecord(GetRecordByRecordIndex(record_index));
  if (properties == nullptr)
    return false;
  if (!convert && properties->CanUseFieldDisplayFormat(false) != 0)
    return false;
  Variant value = DataController()->GetValue(record_index, item_index);
  if (convert) {
    Variant converted;
    ConvertDateValue(item, value, converted, kind);
    value = converted;
  }
  properties->FormatDisplayText(value, text, true);
  return true;
}

int32_t TlxCustomGridTableViewData::CompareConvertedValues(TlxCustomDataField& field, const Variant& value1,
                                                           int32_t kind, const Variant& value2) {
  const int32_t item_index = DataController()->ItemIndexOfField(&field);
  TlxCustomGridTableItem* item =
      item_index >= 0 && item_index < GridView()->ItemCount() ? GridView()->Items(item_index) : nullptr;
  Variant converted1;
  Variant converted2;
  ConvertDateValue(item, value1, converted1, kind);
  ConvertDateValue(item, value2, converted2, kind);
  return lxVariantCompare(converted1, converted2);
}

void TlxCustomGridTableViewData::GetGroupingDisplayText(int32_t record_index, int32_t item_index, std::string& text,
                                                        int32_t kind) {
  text.clear();
  TlxCustomGridTableView* view = GridView();
  if (kind == gdcGrouping && item_index >= 0 && item_index < view->ItemCount()) {
    TlxCustomGridTableItem* item = view->Items(item_index);
    const Variant value = DataController()->GetValue(record_index, item_index);
    if (!VarIsNull(value) && item->GroupingDateRanges() != nullptr) {
      TDateTime date = value.AsDateTime();
      if (!item->GroupingDateRanges()->AnyUsesTimeOfDay())
        date = DateOf(date);
      if (TlxCustomGridDateRange* range = item->GroupingDateRanges()->FindRangeFor(date))
        text = range->GetDisplayTextFor(date);
    }
  }
  if (text.empty())
    GetDisplayTextByProperties(record_index, item_index, kind, true, text);
}

void TlxCustomGridTableViewData::ConvertDateValue(TlxCustomGridTableItem* item, const Variant& value, Variant& result,
                                                  int32_t kind) {
  result = value;
  if (VarIsNull(value) || item == nullptr)
    return;
  if (kind == gdcFiltering) {
    result = Variant::FromDate(DateOf(value.AsDateTime()));
    return;
  }
  TlxGridDateRanges* ranges = item->GroupingDateRanges();
  if (ranges == nullptr)
    return;
  TDateTime date = value.AsDateTime();
  if (!ranges->AnyUsesTimeOfDay())
    date = DateOf(date);
  TlxCustomGridDateRange* range = ranges->FindRangeFor(date);
  if (range == nullptr)
    return;
  result = kind == gdcGrouping ? range->GetGroupValue(date) : range->GetOrderValue(date);
}

bool TlxCustomGridTableViewData::NeedsDateConversion(TlxCustomGridTableItem* item, int32_t kind) const {
  if (item == nullptr)
    return false;
  if (kind == gdcGrouping)
    return item->UsesGroupingDateRanges();
  if (kind == gdcFiltering)
    return item->IsDateOnlyFiltering();
  return false;
}

bool TlxCustomGridTableViewData::ComparesByDateRanges(TlxCustomDataField& field, int32_t kind) const {
  if (kind != gdcSorting && kind != gdcGrouping)
    return false;
  const int32_t item_index = DataController()->ItemIndexOfField(&field);
  if (item_index < 0 || item_index >= GridView()->ItemCount())
    return false;
  TlxCustomGridTableItem* item = GridView()->Items(item_index);
  if (!item->UsesGroupingDateRanges())
    return false;
  if (kind == gdcGrouping)
    return true;
  if (item->GroupIndex() == -1)
    return false;
  const bool innermost = item->GroupIndex() == DataController()->Groups().GroupedItemCount() - 1;
  return !innermost || (item->GroupingDateRanges() != nullptr && item->GroupingDateRanges()->AnyUsesTimeOfDay());
}
