#include "grid/grid_rows_win.h"

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "data/data_summary.h"
#include "data/filter_value_list.h"
#include "editors/edit_properties.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_level_win.h"
#include "grid/grid_master_rows_win.h"
#include "grid/grid_group_rows_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"

namespace {

constexpr uint16_t kKeyEscape = 27;
constexpr uint16_t kKeyLeft = 37;
constexpr uint16_t kKeyRight = 39;
constexpr uint16_t kKeyMultiply = 106;

bool IsBlankValue(const Variant& value) {
  return value.IsNull() || value.IsEmpty() || (value.IsText() && VarToStr(value).empty());
}

}  // namespace

// --- TlxCustomGridRow ----------------------------------------------------------------------------

TlxGridTableView* TlxCustomGridRow::GridView() const {
  return static_cast<TlxGridTableView*>(TlxCustomGridRecord::GridView());
}

TlxGridLevel* TlxCustomGridRow::GridLevel() const { return GridView()->Level(); }

TlxGridViewData* TlxCustomGridRow::ViewData() const {
  return static_cast<TlxGridViewData*>(TlxCustomGridRecord::ViewData());
}

bool TlxCustomGridRow::IsFilterRow() const { return ViewData()->FilterRow() == this; }

bool TlxCustomGridRow::IsNewItemRow() const { return IsNewItemRecord(); }

TlxGridMasterDataRow* TlxCustomGridRow::AsMasterDataRow() {
  auto* row = dynamic_cast<TlxGridMasterDataRow*>(this);
  if (row == nullptr)
    throw EInvalidCast();
  return row;
}

void TlxCustomGridRow::KeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomGridRecord::KeyDown(key, shift);
  switch (key) {
    case kKeyLeft:
      if (GetExpandable() && GetExpanded()) {
        Collapse(false);
        key = 0;
      }
      return;
    case kKeyRight:
      if (GetExpandable() && !GetExpanded()) {
        Expand(false);
        key = 0;
      }
      return;
    case kKeyMultiply:
      if (GetExpandable()) {
        Expand(true);
        key = 0;
      }
      return;
    default:
      return;
  }
}

// --- TlxGridDataRow ------------------------------------------------------------------------------

const TClass* TlxGridDataRow::GetViewInfoCacheItemClass() const { return &TlxGridTableViewInfoCacheItem::kClass; }

const TClass* TlxGridDataRow::GetViewInfoClass() const { return &TlxGridDataRowViewInfo::kClass; }

// --- TlxGridFilterRow ----------------------------------------------------------------------------

TlxGridFilterRow::TlxGridFilterRow(TlxCustomGridTableViewData* view_data, const TlxRowInfo& row_info, int32_t index)
    : TlxGridNewItemRow(view_data, row_info, index) {}

TlxGridFilterRow::~TlxGridFilterRow() { SetSelected(false); }

void TlxGridFilterRow::RefreshRecordInfo() {
  TlxRowInfo info;
  info.Level = 0;
  info.Expanded = false;
  info.RecordIndex = -1;
  SetRowInfo(info);
}

void TlxGridFilterRow::SetSelected(bool value) {
  if (selected_ == value)
    return;
  selected_ = value;
  if (TlxGridTableView* view = GridView())
    if (view->Site() != nullptr)
      Invalidate();
}

TlxDataFilterCriteriaItem* TlxGridFilterRow::FilterCriteriaItem(int32_t item_index) const {
  TlxGridTableView* view = GridView();
  if (item_index < 0 || item_index >= view->ColumnCount())
    return nullptr;
  auto* item = dynamic_cast<TlxDataFilterCriteriaItem*>(view->DataController()->Filter().ItemForLink(
      view->Columns(item_index)));
  if (item == nullptr || !IsFilterOperatorSupported(item->OperatorKind(), item->Value()))
    return nullptr;
  return item;
}

std::string TlxGridFilterRow::GetDisplayText(int32_t item_index) {
  TlxDataFilterCriteriaItem* item = FilterCriteriaItem(item_index);
  return item != nullptr ? item->DisplayValue() : std::string();
}

Variant TlxGridFilterRow::GetValue(int32_t item_index) {
  TlxDataFilterCriteriaItem* item = FilterCriteriaItem(item_index);
  return item != nullptr ? item->Value() : Variant::Null();
}

void TlxGridFilterRow::SetDisplayText(int32_t item_index, const std::string& text) {
  if (TlxDataFilterCriteriaItem* item = FilterCriteriaItem(item_index))
    item->SetDisplayValue(text);
}

void TlxGridFilterRow::SetValue(int32_t item_index, const Variant& value) {
  TlxGridTableView* view = GridView();
  if (item_index < 0 || item_index >= view->ColumnCount())
    return;
  TlxGridColumn* column = view->Columns(item_index);
  if (IsBlankValue(value)) {
    column->DataBinding()->SetFiltered(false);
    return;
  }
  TlxDataFilterCriteria& filter = view->DataController()->Filter();
  filter.BeginChanges();
  TScopeExit end_changes([&filter] { filter.EndChanges(); });
  filter.SetActive(true);
  const std::string display_text = GetFilterDisplayText(item_index, value);
  const TlxFilterOperatorKind kind = GetFilterOperatorKind(value, true);
  column->DataBinding()->AddFilterCondition(nullptr, kind, value, display_text, true);
}

std::string TlxGridFilterRow::GetFilterDisplayText(int32_t item_index, const Variant& value) {
  TlxGridTableView* view = GridView();
  TlxGridColumn* column = view->Columns(item_index);
  std::unique_ptr<TlxGridFilterValueList> list = ViewData()->CreateFilterValueList();
  column->DataBinding()->LoadFilterValueList(*list, true, false);
  const int32_t index = list->IndexOfValue(value);
  if (index >= 0)
    return list->EntryAt(index).DisplayText;
  std::string text;
  if (TlxCustomEditProperties* properties = column->GetProperties())
    properties->FormatDisplayText(value, text, true);
  else
    text = VarToStr(value);
  return text;
}

TlxFilterOperatorKind TlxGridFilterRow::GetFilterOperatorKind(const Variant& value, bool check_wildcards) const {
  if (!value.IsText())
    return fokEqual;
  if (!check_wildcards)
    return fokLike;
  const TlxDataFilterCriteria& filter = GridView()->DataController()->Filter();
  const std::string text = VarToStr(value);
  const bool has_wildcard = text.find(filter.PercentWildcard()) != std::string::npos ||
                            text.find(filter.UnderscoreWildcard()) != std::string::npos;
  return has_wildcard ? fokLike : fokEqual;
}

bool TlxGridFilterRow::IsFilterOperatorSupported(TlxFilterOperatorKind kind, const Variant& value) const {
  return kind == fokEqual || kind == GetFilterOperatorKind(value, false);
}

void TlxGridFilterRow::KeyDown(uint16_t& key, TShiftState shift) {
  TlxGridNewItemRow::KeyDown(key, shift);
  if (key != kKeyEscape)
    return;
  // Giving up the focus: no row of the view is focused then.
  SetSelected(false);
  GridView()->DataController()->ChangeFocusedRowIndex(-1);
  key = 0;
}

// --- TlxGridMasterDataRow ------------------------------------------------------------------------

bool TlxGridMasterDataRow::HasChildren() const {
  TlxGridLevel* level = GridLevel();
  if (level == nullptr || RecordIndex() < 0)
    return false;
  for (int32_t i = 0; i < level->VisibleCount(); ++i)
    if (DataController()->DetailHasChildren(RecordIndex(), level->VisibleItems(i)->Index()))
      return true;
  return false;
}

bool TlxGridMasterDataRow::GetExpandable() const {
  return GridView()->OptionsView()->GetExpandButtonsForEmptyDetails() || HasChildren() || GetExpanded();
}

bool TlxGridMasterDataRow::GetExpanded() const {
  return RecordIndex() >= 0 && DataController()->GetDetailExpanded(RecordIndex());
}

bool TlxGridMasterDataRow::ExpandsOnDblClick() const {
  return GetExpandable() && GridView()->OptionsBehavior()->ExpandMasterRowOnDblClick();
}

void TlxGridMasterDataRow::DoCollapse(bool recurse) {
  const int32_t record = RecordIndex();
  if (recurse && GetExpanded()) {
    TlxGridLevel* level = GridLevel();
    for (int32_t relation = 0; level != nullptr && relation < level->Count(); ++relation) {
      if (!DataController()->IsDetailLinkObjectCreated(record, relation))
        continue;
      auto* detail = dynamic_cast<TlxCustomGridTableView*>(DataController()->GetDetailLinkObject(record, relation));
      if (detail != nullptr)
        detail->ViewData()->Collapse(true);
    }
  }
  DataController()->ChangeDetailExpanding(record, false);
}

void TlxGridMasterDataRow::DoExpand(bool recurse) {
  const int32_t record = RecordIndex();
  TlxCustomDataController* controller = DataController();
  TlxCustomGridTableViewData* view_data = TlxCustomGridRecord::ViewData();
  if (!controller->ChangeDetailExpanding(record, true))
    return;
  // The expansion may have rebuilt the rows: this object may be gone.
  TlxCustomGridRecord* again = view_data->GetRecordByRecordIndex(record);
  if (again != this || !recurse || !controller->GetDetailExpanded(record))
    return;
  TlxGridLevel* level = GridLevel();
  for (int32_t relation = 0; level != nullptr && relation < level->Count(); ++relation) {
    TObject* detail = controller->GetDetailLinkObject(record, relation);
    if (auto* table = dynamic_cast<TlxCustomGridTableView*>(detail))
      table->ViewData()->Expand(true);
  }
}

void TlxGridMasterDataRow::ToggleExpanded() {
  TlxCustomDataController* controller = DataController();
  if (!controller->IsGridMode() || GetExpanded() || !IsFocused()) {
    TlxGridDataRow::ToggleExpanded();
    return;
  }
  const int32_t record = RecordIndex();
  TlxCustomGridView* view = GridView();
  TlxGridDataRow::ToggleExpanded();
  if (controller->FocusedRecordIndex() == record)
    view->LayoutChanged();
}

int32_t TlxGridMasterDataRow::ActiveDetailIndex() {
  const int32_t record = RecordIndex();
  if (record < 0)
    return -1;
  TlxCustomDataController* controller = DataController();
  const int32_t index = controller->GetDetailActiveRelationIndex(record);
  if (index == -1 || GridView()->GetIsDestroying())
    return index;
  TlxGridLevel* level = GridLevel();
  if (level == nullptr || index >= level->Count())
    return index;
  TlxGridLevel* child = level->Items(index);
  if (child->Visible()) {
    if (level->Options().TabsForEmptyDetails() || controller->DetailHasChildren(record, index))
      return index;
    for (int32_t relation = 0; relation < level->Count(); ++relation) {
      if (controller->DetailHasChildren(record, relation)) {
        SetActiveDetailIndex(relation);
        return relation;
      }
    }
    return -1;
  }
  TlxGridLevel* first_visible = level->FirstVisibleChild();
  if (first_visible == nullptr)
    return -1;
  SetActiveDetailIndex(first_visible->Index());
  return first_visible->Index();
}

void TlxGridMasterDataRow::SetActiveDetailIndex(int32_t value) {
  TlxCustomGridView* view = GridView();
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  DataController()->ChangeDetailActiveRelation(RecordIndex(), value);
}

TlxGridLevel* TlxGridMasterDataRow::ActiveDetailLevel() {
  const int32_t index = ActiveDetailIndex();
  TlxGridLevel* level = GridLevel();
  return index >= 0 && level != nullptr && index < level->Count() ? level->Items(index) : nullptr;
}

TlxCustomGridView* TlxGridMasterDataRow::ActiveDetailGridView() {
  const int32_t index = ActiveDetailIndex();
  if (index == -1)
    return nullptr;
  return dynamic_cast<TlxCustomGridView*>(DataController()->GetDetailLinkObject(RecordIndex(), index));
}

bool TlxGridMasterDataRow::HasActiveDetailGridView() {
  if (!HasValidRecordIndex())
    return false;
  const int32_t index = ActiveDetailIndex();
  return index != -1 && DataController()->IsDetailLinkObjectCreated(RecordIndex(), index);
}

TlxCustomGridRecord* TlxGridMasterDataRow::GetFirstFocusableChild() {
  if (!GetExpanded())
    return TlxGridDataRow::GetFirstFocusableChild();
  auto* detail = dynamic_cast<TlxCustomGridTableView*>(ActiveDetailGridView());
  if (detail == nullptr)
    return nullptr;
  if (auto* table = dynamic_cast<TlxGridTableView*>(detail))
    if (table->ViewData()->FilterRow() != nullptr)
      return table->ViewData()->FilterRow();
  if (detail->ViewData()->NewItemRecord() != nullptr)
    return detail->ViewData()->NewItemRecord();
  for (int32_t row = 0; row < detail->ViewData()->RecordCount(); ++row)
    if (detail->ViewData()->Records(row)->CanFocus())
      return detail->ViewData()->Records(row);
  return nullptr;
}

TlxCustomGridRecord* TlxGridMasterDataRow::GetLastFocusableChild(bool recursive) {
  if (!GetExpanded())
    return nullptr;
  auto* detail = dynamic_cast<TlxCustomGridTableView*>(ActiveDetailGridView());
  if (detail == nullptr)
    return nullptr;
  for (int32_t row = detail->ViewData()->RecordCount() - 1; row >= 0; --row) {
    TlxCustomGridRecord* record = detail->ViewData()->Records(row);
    if (!record->CanFocus())
      continue;
    if (recursive)
      if (TlxCustomGridRecord* child = record->GetLastFocusableChild(true))
        return child;
    return record;
  }
  if (detail->ViewData()->NewItemRecord() != nullptr)
    return detail->ViewData()->NewItemRecord();
  if (auto* table = dynamic_cast<TlxGridTableView*>(detail))
    return table->ViewData()->FilterRow();
  return nullptr;
}

const TClass* TlxGridMasterDataRow::GetViewInfoCacheItemClass() const {
  return &TlxGridMasterTableViewInfoCacheItem::kClass;
}

const TClass* TlxGridMasterDataRow::GetViewInfoClass() const { return &TlxGridMasterDataRowViewInfo::kClass; }

// --- TlxGridGroupRow -----------------------------------------------------------------------------

TlxGridColumn* TlxGridGroupRow::GroupedColumn() const { return GridView()->GroupedColumns(Level()); }

TlxDataGroupSummaryItems* TlxGridGroupRow::GroupSummaryItems() const {
  return DataController()->Summary().GroupSummaryItemsForLevel(Level());
}

bool TlxGridGroupRow::GetExpandable() const {
  return (DataController()->GetOptions() & dcoGroupsAlwaysExpanded) == 0;
}

bool TlxGridGroupRow::IsParent() const { return Level() < DataController()->Groups().GroupedItemCount(); }

void TlxGridGroupRow::DoCollapse(bool recurse) {
  if (recurse || GetExpanded())
    DataController()->Groups().ChangeExpanding(Index(), false, recurse);
}

void TlxGridGroupRow::DoExpand(bool recurse) {
  if (recurse || !GetExpanded())
    DataController()->Groups().ChangeExpanding(Index(), true, recurse);
}

std::string TlxGridGroupRow::GetDisplayText(int32_t item_index) {
  TlxGridColumn* column = GroupedColumn();
  if (column != nullptr && column->UsesGroupingDateRanges()) {
    std::string text;
    ViewData()->GetGroupingDisplayText(RecordIndex(), column->Index(), text, gdcGrouping);
    return text;
  }
  return TlxCustomGridRow::GetDisplayText(item_index);
}

void TlxGridGroupRow::GetGroupCaption(std::string& text) {
  TlxGridColumn* column = GroupedColumn();
  text = column != nullptr ? column->Caption() : std::string();
  if (!text.empty())
    text += " : ";
  text += GetDisplayText(-1);
}

void TlxGridGroupRow::GetGroupDisplayText(std::string& text) {
  GetGroupCaption(text);
  const std::string summary = DataController()->Summary().GetGroupRowSummaryText(Index());
  if (!summary.empty())
    text += " " + summary;
}

void TlxGridGroupRow::GetGroupValue(Variant& value) {
  value = GetValue(-1);
  TlxGridColumn* column = GroupedColumn();
  if (column != nullptr && column->UsesGroupingDateRanges()) {
    Variant converted;
    ViewData()->ConvertDateValue(column, value, converted, gdcGrouping);
    value = converted;
  }
}

const TClass* TlxGridGroupRow::GetViewInfoCacheItemClass() const { return &TlxGridTableViewInfoCacheItem::kClass; }

const TClass* TlxGridGroupRow::GetViewInfoClass() const { return &TlxGridGroupRowViewInfo::kClass; }

// --- TlxGridViewData -----------------------------------------------------------------------------

TlxGridViewData::TlxGridViewData(TlxCustomGridView* grid_view) : TlxCustomGridTableViewData(grid_view) {
  RecreateFilterRow();
}

TlxGridViewData::~TlxGridViewData() { filter_row_.reset(); }

TlxGridTableView* TlxGridViewData::GridView() const {
  return static_cast<TlxGridTableView*>(TlxCustomGridTableViewData::GridView());
}

bool TlxGridViewData::HasFilterRow() const {
  TlxGridTableView* view = GridView();
  return view != nullptr && view->FilterRow() != nullptr && view->FilterRow()->Visible();
}

bool TlxGridViewData::HasNewItemRecord() const {
  TlxGridTableView* view = GridView();
  return view != nullptr && view->NewItemRow() != nullptr && view->NewItemRow()->Visible();
}

void TlxGridViewData::RecreateFilterRow() {
  if (!HasFilterRow()) {
    filter_row_.reset();
    return;
  }
  if (filter_row_ != nullptr)
    return;
  std::unique_ptr<TlxCustomGridRecord> row = CreateRecordOfClass(GetFilterRowClass(), TlxRowInfo{}, -1);
  filter_row_.reset(static_cast<TlxGridFilterRow*>(row.release()));
  filter_row_->RefreshRecordInfo();
}

const TClass* TlxGridViewData::GetRecordClass(const TlxRowInfo& row_info) const {
  if (row_info.Level < DataController()->Groups().GroupedItemCount())
    return &TlxGridGroupRow::kClass;
  if (GridView()->HasDetails())
    return &TlxGridMasterDataRow::kClass;
  return &TlxGridDataRow::kClass;
}

int32_t TlxGridViewData::GetRecordKind(const TlxCustomGridRecord* record) const {
  if (record != nullptr && record == filter_row_.get())
    return grkFilterRow;
  return TlxCustomGridTableViewData::GetRecordKind(record);
}

TlxCustomGridRecord* TlxGridViewData::GetRecordByKind(int32_t kind, int32_t index) {
  if (kind == grkFilterRow)
    return HasFilterRow() ? filter_row_.get() : nullptr;
  return TlxCustomGridTableViewData::GetRecordByKind(kind, index);
}

void TlxGridViewData::Collapse(bool recurse) {
  if (!recurse) {
    TlxCustomGridTableViewData::Collapse(false);
    return;
  }
  TlxCustomGridView* view = GridView();
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  TlxCustomDataController* controller = DataController();
  controller->Groups().FullCollapse();
  for (int32_t record = 0; record < controller->GetRecordCount(); ++record)
    if (controller->GetDetailExpanded(record))
      controller->ChangeDetailExpanding(record, false);
}

void TlxGridViewData::Expand(bool recurse) {
  DataController()->Groups().FullExpand();
  TlxCustomGridTableViewData::Expand(recurse);
}

TlxGridMasterDataRow* TlxGridViewData::MakeMasterRowForDetail() {
  TlxGridTableView* view = GridView();
  if (RecordCount() == 0 || !view->HasDetails())
    return nullptr;
  const int32_t top = std::max(view->DataController()->FocusedRowIndex(), 0);
  for (int32_t row = top; row < RecordCount(); ++row) {
    auto* master = dynamic_cast<TlxGridMasterDataRow*>(Records(row));
    if (master != nullptr && master->GetExpanded())
      return master;
  }
  TlxCustomGridRecord* start = Records(top);
  if (dynamic_cast<TlxGridGroupRow*>(start) != nullptr)
    start->Expand(true);
  for (int32_t row = top; row < RecordCount(); ++row) {
    if (auto* master = dynamic_cast<TlxGridMasterDataRow*>(Records(row))) {
      const int32_t record = master->RecordIndex();
      master->Expand(false);
      return dynamic_cast<TlxGridMasterDataRow*>(GetRecordByRecordIndex(record));
    }
  }
  return nullptr;
}

TlxCustomGridView* TlxGridViewData::MakeDetailVisible(TlxGridLevel* level) {
  TlxGridMasterDataRow* row = MakeMasterRowForDetail();
  if (row == nullptr || level == nullptr)
    return nullptr;
  if (row->GridLevel() == level->Parent())
    row->SetActiveDetailIndex(level->Index());
  TlxCustomGridView* detail = row->ActiveDetailLevel() == level ? row->ActiveDetailGridView() : nullptr;
  row->MakeVisible();
  return detail;
}

std::unique_ptr<TlxCustomGridRecord> TlxGridViewData::CreateRecordOfClass(const TClass* record_class,
                                                                         const TlxRowInfo& row_info, int32_t index) {
  if (record_class == &TlxGridFilterRow::kClass)
    return std::make_unique<TlxGridFilterRow>(this, row_info, index);
  if (record_class == &TlxGridNewItemRow::kClass)
    return std::make_unique<TlxGridNewItemRow>(this, row_info, index);
  if (record_class == &TlxGridMasterDataRow::kClass)
    return std::make_unique<TlxGridMasterDataRow>(this, row_info, index);
  if (record_class == &TlxGridGroupRow::kClass)
    return std::make_unique<TlxGridGroupRow>(this, row_info, index);
  return std::make_unique<TlxGridDataRow>(this, row_info, index);
}
