#include "grid/table_view_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/data_search.h"
#include "data/update_control_info.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_clipboard_text.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_editing_controller_win.h"
#include "grid/grid_date_range.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_item_order.h"
#include "grid/grid_level_win.h"
#include "grid/table_filtering.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_stored_values.h"
#include "grid/grid_view_info_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_view_info_win.h"
#include "grid/grid_strings.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/message_dialog.h"
#include "ui/foundation/base/hex_text.h"
#include "ui/foundation/base/unit_routines.h"

// --- the view as its filtering objects see it ------------------------------------------------------

namespace {

// The filtering objects are portable and reach the view only through this
// link, which the view owns.
class TTableViewFilteringLink : public TObject, public IlxGridTableFilteringView {
 public:
  explicit TTableViewFilteringLink(TlxCustomGridTableView& view) : view_(view) {}

  TlxDataFilterCriteria& ViewFilter() override { return view_.DataController()->Filter(); }
  TlxDataFilterCriteria* CreateFilterCriteria() override { return view_.DataController()->CreateFilterCriteria(); }
  void OptionsChanged(TlxGridOptionsChange change) override {
    view_.Changed(static_cast<TlxGridViewChangeKind>(change));
  }
  TlxGridFilterBox& ViewFilterBox() override { return *view_.FilterBox(); }
  void ItemMRUItemsCountChanged(int32_t count) override {
    for (int32_t i = 0; i < view_.ItemCount(); ++i)
      if (TlxGridItemDataBinding* binding = view_.Items(i)->DataBinding())
        binding->FilterMRUValueItems()->SetMaxCount(count);
  }
  bool HasItems() const override { return view_.ItemCount() > 0; }
  void ItemsDateTimeGroupingChanged() override {
    view_.BeginUpdate();
    TScopeExit end_update([this] { view_.EndUpdate(); });
    for (int32_t i = 0; i < view_.ItemCount(); ++i)
      view_.Items(i)->DateTimeGroupingChanged();
  }
  void FilterValuesChanged() override { view_.DataController()->Refresh(); }
  bool DoFilterDialogShow(TlxCustomGridTableItem* item) override { return view_.DoFilterDialogShow(item); }
  bool DoFilterCustomization() override { return view_.DoFilterCustomization(); }
  bool FilterNeedsFilterBuilder(const TlxFilterCriteria& filter) override;
  // The filter dialogs are not part of the component library yet: nothing
  // opens, nothing is applied.
  void ShowFilterBuilderDialog(std::function<void()> /*apply*/) override {}
  bool ShowCustomFilterDialog(TlxCustomGridTableItem& /*item*/) override { return false; }

 private:
  TlxCustomGridTableView& view_;
};

// The custom filter dialog shows an AND list of at most two conditions per
// item with the plain comparison operators.
bool TTableViewFilteringLink::FilterNeedsFilterBuilder(const TlxFilterCriteria& filter) {
  const TlxFilterCriteriaItemList& root = filter.Root();
  if (root.BoolOperatorKind() != fbkAnd)
    return true;
  std::vector<TObject*> links;
  for (int32_t i = 0; i < root.ItemCount(); ++i) {
    const auto* condition = dynamic_cast<const TlxFilterCriteriaItem*>(root.ItemAt(i));
    if (condition == nullptr)
      return true;
    if (condition->OperatorKind() > fokNotLike)
      return true;
    if (std::find(links.begin(), links.end(), condition->ItemLink()) != links.end())
      return true;
    links.push_back(condition->ItemLink());
  }
  return false;
}

}  // namespace

// --- construction --------------------------------------------------------------------------------

TlxCustomGridTableView::TlxCustomGridTableView(TComponent* owner)
    : TlxCustomGridView(owner), filtering_link_(std::make_unique<TTableViewFilteringLink>(*this)) {}

TlxCustomGridTableView::TlxCustomGridTableView(TlxCustomGrid* control, bool cloned)
    : TlxCustomGridView(control, cloned), filtering_link_(std::make_unique<TTableViewFilteringLink>(*this)) {}

TlxCustomGridTableView::~TlxCustomGridTableView() {
  ClearItems();
}

// --- items ---------------------------------------------------------------------------------------

TlxCustomGridTableItem* TlxCustomGridTableView::CreateItem() {
  std::unique_ptr<TlxCustomGridTableItem> item = lxCreatePart<TlxCustomGridTableItem>(GetItemClass(), Owner());
  item->Initialize();
  AddItem(item.get());
  return item.release();
}

TlxCustomGridTableItem* TlxCustomGridTableView::FindItemByID(int32_t id) const {
  for (TlxCustomGridTableItem* item : items_)
    if (item->ID() == id)
      return item;
  return nullptr;
}

TlxCustomGridTableItem* TlxCustomGridTableView::FindItemByName(const std::string& name) const {
  for (TlxCustomGridTableItem* item : items_)
    if (item->Name() == name)
      return item;
  return nullptr;
}

TlxCustomGridTableItem* TlxCustomGridTableView::FindItemByStoredName(const std::string& name) const {
  if (StoringName().empty())
    return FindItemByName(name);
  const int32_t id = lxStoredItemID(name);
  return id < 0 ? nullptr : FindItemByID(id);
}

int32_t TlxCustomGridTableView::GetNextID() { return ids_.Take(); }

void TlxCustomGridTableView::ReleaseID(int32_t id) {
  ids_.Release(id);
}

void TlxCustomGridTableView::ClearItems() {
  if (items_.empty()) {
    ids_.Reset();
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  TStateScope destroying(destroying_items_, true);
  while (!items_.empty())
    delete items_.back();
  ids_.Reset();
}

void TlxCustomGridTableView::RefreshFilterableItems() {
  if (destroying_items_ || GetIsDestroying())
    return;
  filterable_items_.clear();
  for (TlxCustomGridTableItem* item : items_)
    if (item->GetFilterable())
      filterable_items_.push_back(item);
}

void TlxCustomGridTableView::BeginAssignItems() {
  CreatePendingItemLists();
  assigning_items_ = true;
}

void TlxCustomGridTableView::EndAssignItems() {
  assigning_items_ = false;
  TStateScope after(after_assigning_items_, true);
  ApplyPendingItemLists();
}


void TlxCustomGridTableView::ParkGroupIndex(TlxCustomGridTableItem* item, int32_t index) {
  lxParkGridItem(pending_grouped_items_, item, index);
}

void TlxCustomGridTableView::ParkSortIndex(TlxCustomGridTableItem* item, int32_t index) {
  lxParkGridItem(pending_sorted_items_, item, index);
}

void TlxCustomGridTableView::ParkRestoringIndex(TlxCustomGridTableItem* item, int32_t index) {
  // Clamped again here, so no caller can make the list outgrow the items.
  if (items_.empty())
    return;
  lxParkGridItem(restoring_items_, item, std::clamp(index, 0, ItemCount() - 1));
}

void TlxCustomGridTableView::ApplyRestoringIndexes() {
  std::vector<TlxCustomGridTableItem*> order = std::move(restoring_items_);
  restoring_items_.clear();
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i] != nullptr && order[i]->GridView() == this)
      ChangeItemIndex(order[i], static_cast<int32_t>(i));
}

void TlxCustomGridTableView::AssignItems(const TlxCustomGridTableView* source) {
  if (source == nullptr)
    return;
  BeginAssignItems();
  TScopeExit end_assign([this] { EndAssignItems(); });
  for (int32_t i = 0; i < source->ItemCount(); ++i) {
    TlxCustomGridTableItem* source_item = source->Items(i);
    TlxCustomGridTableItem* item = FindItemByID(source_item->ID());
    if (item == nullptr) {
      item = CreateItem();
      item->SetID(source_item->ID());
    }
    ChangeItemIndex(item, i);
    item->Assign(source_item);
  }
  while (ItemCount() > source->ItemCount())
    delete items_.back();
  ids_.Reset(source->NextID());
}

void TlxCustomGridTableView::DoNavigatorButtonAction(int32_t button_index) {
  TlxCustomDataController* controller = DataController();
  switch (button_index) {
    case nbiFirst:
      controller->GotoFirst();
      break;
    case nbiPriorPage:
      controller->MoveBy(-std::max(1, controller->GetRowCount() / 10));
      break;
    case nbiPrior:
      controller->GotoPrev();
      break;
    case nbiNext:
      controller->GotoNext();
      break;
    case nbiNextPage:
      controller->MoveBy(std::max(1, controller->GetRowCount() / 10));
      break;
    case nbiLast:
      controller->GotoLast();
      break;
    case nbiInsert:
      if (CanInsertRecord())
        controller->Insert();
      break;
    case nbiAppend:
      if (CanAppendRecord())
        controller->Append();
      break;
    case nbiDelete: {
      if (!CanDeleteRecord())
        break;
      if (OptionsData()->DeletingConfirmation()) {
        const bool several = controller->GetSelectedCount() > 1;
        const std::string text = lxGridText(several ? slxGridDeletingSelectedConfirmationText
                                                    : slxGridDeletingFocusedConfirmationText);
        if (MessageDlg(text, mtConfirmation, mbOKCancel) != mrOk)
          break;
      }
      if (controller->GetSelectedCount() > 0)
        controller->DeleteSelection();
      else
        controller->DeleteFocused();
      break;
    }
    case nbiEdit:
      if (CanEditRecord()) {
        controller->Edit();
        if (focused_item_ != nullptr)
          StartItemEditing(focused_item_->Index());
      }
      break;
    case nbiPost:
      PostEditValue();
      controller->Post();
      break;
    case nbiCancel:
      controller->Cancel();
      break;
    case nbiRefresh:
      controller->Refresh();
      break;
    case nbiSaveBookmark:
      controller->SaveBookmark();
      break;
    case nbiGotoBookmark:
      controller->GotoBookmark();
      break;
    case nbiFilter:
      Filtering()->CustomizeFilter(nullptr);
      break;
    default:
      break;
  }
}

TlxCustomGridRecord* TlxCustomGridTableView::GetMasterRecord() const {
  auto* master = dynamic_cast<TlxCustomGridTableView*>(MasterGridView());
  if (master == nullptr)
    return nullptr;
  return master->ViewData()->GetRecordByIndex(MasterRowIndex());
}

void TlxCustomGridTableView::MakeMasterRecordVisible() {
  if (TlxCustomGridRecord* record = GetMasterRecord())
    record->MakeVisible();
}

std::string TlxCustomGridTableView::GetClipboardText(bool copy_all) {
  std::vector<TlxCustomGridTableItem*> items;
  GetItemsForClipboard(items, copy_all);
  std::vector<TlxGridClipboardItem> columns;
  columns.reserve(items.size());
  for (TlxCustomGridTableItem* item : items)
    columns.push_back({item->Index(), item->AlternateCaption().empty() ? item->Caption() : item->AlternateCaption()});
  return lxBuildGridClipboardText(*DataController(), columns, OptionsBehavior()->CopyCaptionsToClipboard(),
                                  copy_all);
}

void TlxCustomGridTableView::CopyToClipboard(bool copy_all) { Clipboard()->SetAsText(GetClipboardText(copy_all)); }

void TlxCustomGridTableView::SetFocusedItem(TlxCustomGridTableItem* item) {
  if (focused_item_ == item)
    return;
  TlxCustomGridTableItem* previous = focused_item_;
  focused_item_ = item;
  DoFocusedItemChanged(previous, item);
}

void TlxCustomGridTableView::FocusFirstFocusableItem() {
  for (TlxCustomGridTableItem* item : visible_items_) {
    if (item->CanFocus(nullptr)) {
      SetFocusedItem(item);
      return;
    }
  }
}

void TlxCustomGridTableView::FocusNextItemAfter(TlxCustomGridTableItem* item) {
  const auto count = static_cast<int32_t>(visible_items_.size());
  const auto start = std::find(visible_items_.begin(), visible_items_.end(), item);
  const int32_t from = start == visible_items_.end() ? -1 : static_cast<int32_t>(start - visible_items_.begin());
  for (int32_t step = 1; step <= count; ++step) {
    TlxCustomGridTableItem* candidate = visible_items_[static_cast<size_t>((from + step + count) % count)];
    if (candidate != item && candidate->CanFocus(nullptr)) {
      SetFocusedItem(candidate);
      return;
    }
  }
  SetFocusedItem(nullptr);
}

// --- overridable ---------------------------------------------------------------------------------

void TlxCustomGridTableView::CreatePendingItemLists() {
  pending_grouped_items_.clear();
  pending_sorted_items_.clear();
}

void TlxCustomGridTableView::ApplyPendingItemLists() {
  std::vector<TlxCustomGridTableItem*> grouped = std::move(pending_grouped_items_);
  std::vector<TlxCustomGridTableItem*> sorted = std::move(pending_sorted_items_);
  pending_grouped_items_.clear();
  pending_sorted_items_.clear();
  int32_t position = 0;
  for (TlxCustomGridTableItem* item : lxParkedGridItems(grouped))
    item->SetGroupIndex(position++);
  position = 0;
  for (TlxCustomGridTableItem* item : lxParkedGridItems(sorted))
    item->SetSortIndex(position++);
}

bool TlxCustomGridTableView::IsScrollableBy(int32_t /*row_delta*/) {
  // Scrolling the data area needs the records' view info, which lays out
  // the visible records; without it the view recalculates.
  return false;
}

bool TlxCustomGridTableView::CanSelectRecord(int32_t record_index) {
  bool allow = true;
  if (OnCanSelectRecord)
    OnCanSelectRecord(this, ViewData()->GetRecordByIndex(record_index), allow);
  return allow;
}

bool TlxCustomGridTableView::StartItemEditing(int32_t item_index) {
  if (item_index < 0 || item_index >= ItemCount())
    return false;
  TlxCustomGridTableItem* item = Items(item_index);
  // The item's cell opens its editor; without a site that has the focus
  // no editor can show, and the record only starts its edit.
  auto* controller = dynamic_cast<TlxCustomGridTableController*>(TlxCustomGridView::Controller());
  if (TlxGridSite* site = Site(); controller != nullptr && site != nullptr && site->Focused()) {
    TlxGridEditingController* editing = controller->EditingController();
    editing->SetEditingItem(item);
    return editing->EditingItem() == item;
  }
  if (!item->GetEditable() || !DoEditing(item))
    return false;
  return item->StartEditing();
}

int32_t TlxCustomGridTableView::GetLevelIndex() const { return Level() != nullptr ? Level()->Index() : -1; }

void TlxCustomGridTableView::GetItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list, bool /*copy_all*/) {
  GetVisibleItemsForClipboard(list);
}

void TlxCustomGridTableView::GetVisibleItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list) {
  list = visible_items_;
}

bool TlxCustomGridTableView::HasEqualHeightRecords() {
  return !OptionsView()->CellAutoHeight() && !static_cast<bool>(OnGetCellHeight);
}

bool TlxCustomGridTableView::RecordHeightDependsOnData() {
  if (OptionsView()->CellAutoHeight() || OnGetCellHeight)
    return true;
  return std::any_of(items_.begin(), items_.end(),
                     [](TlxCustomGridTableItem* item) { return static_cast<bool>(item->OnGetProperties); });
}

bool TlxCustomGridTableView::RecordHeightDependsOnFocus() {
  return OptionsView()->CellAutoHeight() && OptionsView()->ShowEditButtons() == gsebForFocusedRecord;
}

void TlxCustomGridTableView::ScrollData(int32_t row_delta, int32_t /*dx*/, int32_t /*dy*/) {
  // Without a records view info to offset, the data area is laid out anew.
  if (row_delta != 0)
    SizeChanged(false, false);
  else
    LayoutChanged();
}

void TlxCustomGridTableView::PostEditValue() {
  // The in-place editor writes its validated value through the data
  // controller's editing value; without an open editor nothing is posted.
  if (auto* controller = dynamic_cast<TlxCustomGridTableController*>(TlxCustomGridView::Controller()))
    controller->EditingController()->UpdateValue();
}

void TlxCustomGridTableView::AddItem(TlxCustomGridTableItem* item) {
  if (item == nullptr || item->GridView() == this)
    return;
  items_.push_back(item);
  RefreshItemIndexes(item, -1);
  item->SetID(GetNextID());
  DataController()->AddItem(item);
  DataController()->UpdateItemIndexes();
  item->SetGridView(this);
  item->SetVisible(true);
  RefreshFilterableItems();
}

void TlxCustomGridTableView::RemoveItem(TlxCustomGridTableItem* item) {
  const auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end())
    return;
  {
    BeginUpdate();
    TScopeExit end_update([this] { EndUpdate(); });
    if (OptionsBehavior() != nullptr && OptionsBehavior()->IncSearchItem() == item)
      OptionsBehavior()->SetIncSearchItem(nullptr);
    // An editor open on the item closes without its value.
    if (auto* controller = dynamic_cast<TlxCustomGridTableController*>(TlxCustomGridView::Controller()))
      controller->EditingController()->ItemRemoved(item);
    if (focused_item_ == item)
      FocusNextItemAfter(item);
    if (!destroying_items_)
      item->SetVisible(false);
    items_.erase(std::find(items_.begin(), items_.end(), item));
    visible_items_.erase(std::remove(visible_items_.begin(), visible_items_.end(), item), visible_items_.end());
    item->AssignIndex(-1);
    item->AssignVisibleIndex(-1);
    RefreshItemIndexes(item, -1);
    restoring_items_.erase(std::remove(restoring_items_.begin(), restoring_items_.end(), item),
                           restoring_items_.end());
    for (auto* list : {&pending_grouped_items_, &pending_sorted_items_})
      std::replace(list->begin(), list->end(), item, static_cast<TlxCustomGridTableItem*>(nullptr));
    DataController()->RemoveItem(item);
    DataController()->UpdateItemIndexes();
  }
  item->SetGridView(nullptr);
  if (filtering_ != nullptr)
    filtering_->MRUItems().DeleteEmptyFilters();
  ReleaseID(item->ID());
  RefreshFilterableItems();
  RefreshVisibleItemsList();
  Synchronize(true);
}

void TlxCustomGridTableView::ChangeItemIndex(TlxCustomGridTableItem* item, int32_t new_index) {
  const int32_t old_index = item->Index();
  if (!lxMoveGridItem(items_, item, new_index))
    return;
  RefreshItemIndexes(item, old_index);
  if (item->GetActuallyVisible())
    RefreshVisibleItemsList();
  // The fields follow the items, so values are read by the new index.
  DataController()->UpdateItemIndexes();
}

void TlxCustomGridTableView::RefreshItemIndexes(TlxCustomGridTableItem* /*item*/, int32_t /*old_index*/) {
  for (size_t i = 0; i < items_.size(); ++i)
    items_[i]->AssignIndex(static_cast<int32_t>(i));
}

void TlxCustomGridTableView::ItemVisibilityChanged(TlxCustomGridTableItem* item, bool visible) {
  if (!visible) {
    TlxDataControllerSearch& search = DataController()->Search();
    if (search.IsSearching() && search.SearchItemIndex() == item->Index())
      search.Cancel();
  }
  RefreshVisibleItemsList();
  SizeChanged(false, false);
  if (visible) {
    if (focused_item_ == nullptr && item->CanFocus(nullptr))
      SetFocusedItem(item);
  } else if (focused_item_ == item) {
    FocusNextItemAfter(item);
  }
  // The customization form lists exactly the hidden items.
  if (TlxCustomGridController* controller = Controller())
    controller->RefreshCustomizationFormItems();
}

void TlxCustomGridTableView::RefreshVisibleItemsList() {
  visible_items_.clear();
  for (TlxCustomGridTableItem* item : items_) {
    if (item->GetActuallyVisible()) {
      item->AssignVisibleIndex(static_cast<int32_t>(visible_items_.size()));
      visible_items_.push_back(item);
    } else {
      item->AssignVisibleIndex(-1);
    }
  }
}

const TClass* TlxCustomGridTableView::GetItemDataBindingClass() const {
  auto* extensions = dynamic_cast<IlxGridDataControllerExtensions*>(DataController());
  return extensions != nullptr ? extensions->GetItemDataBindingClass() : nullptr;
}

void TlxCustomGridTableView::DataChanged() {
  for (TlxCustomGridTableItem* item : items_)
    item->DataChanged();
  AddChange(std::make_unique<TlxGridDataChange>(this));
  Synchronize(true);
}

void TlxCustomGridTableView::DataLayoutChanged() {
  if (ViewData() != nullptr)
    ViewData()->RefreshRecordInfos();
  SizeChanged(false, false);
  Synchronize(true);
}

bool TlxCustomGridTableView::DoCellClick(TlxCustomGridCellViewInfo* cell, TMouseButton button, TShiftState shift) {
  bool handled = false;
  if (OnCellClick)
    OnCellClick(this, cell, button, shift, handled);
  return handled;
}

bool TlxCustomGridTableView::DoCellDblClick(TlxCustomGridCellViewInfo* cell, TMouseButton button, TShiftState shift) {
  bool handled = false;
  if (OnCellDblClick)
    OnCellDblClick(this, cell, button, shift, handled);
  return handled;
}

bool TlxCustomGridTableView::DoEditing(TlxCustomGridTableItem* item) {
  bool allow = true;
  if (OnEditing)
    OnEditing(this, item, allow);
  return allow;
}

void TlxCustomGridTableView::DoTopRecordIndexChanged() {
  if (OnTopRecordIndexChanged)
    OnTopRecordIndexChanged(this);
}

void TlxCustomGridTableView::FilterChanged() {
  if (filtering_ != nullptr)
    filtering_->FilterChanged();
}

void TlxCustomGridTableView::DoFocusedItemChanged(TlxCustomGridTableItem* prev_focused_item,
                                                  TlxCustomGridTableItem* focused_item) {
  if (OnFocusedItemChanged)
    OnFocusedItemChanged(this, prev_focused_item, focused_item);
}

void TlxCustomGridTableView::FocusedRecordChanged(int32_t prev_focused_row, int32_t focused_row,
                                                  bool new_item_record_focusing_changed) {
  AddChange(std::make_unique<TlxGridFocusedRecordChange>(this, new_item_record_focusing_changed, focused_row,
                                                         prev_focused_row));
}

void TlxCustomGridTableView::GroupingChanging() {
  for (TlxCustomGridTableItem* item : items_)
    item->RefreshGroupingDateRanges();
}

void TlxCustomGridTableView::ItemCaptionChanged(TlxCustomGridTableItem* item) {
  const bool affects_layout =
      item == nullptr || item->GetActuallyVisible() || item->GroupIndex() != -1 ||
      (item->DataBinding() != nullptr && item->DataBinding()->IsFiltered());
  Changed(affects_layout ? vckSize : vckProperty);
}

void TlxCustomGridTableView::ItemValueTypeClassChanged(int32_t item_index) {
  if (item_index >= 0 && item_index < ItemCount())
    Items(item_index)->ValueTypeClassChanged();
}

void TlxCustomGridTableView::RecordChanged(int32_t record_index) {
  ViewData()->AssignEditingRecord();
  if (RecordHeightDependsOnData()) {
    SizeChanged(false, false);
    return;
  }
  TlxCustomGridRecord* record = ViewData()->GetRecordByRecordIndex(record_index);
  if (record == nullptr || !record->Invalidate())
    LayoutChanged();
}

void TlxCustomGridTableView::RecordCountChanged() {
  ViewData()->Refresh(DataController()->GetRowCount());
  if (TlxCustomGrid* grid = Grid())
    grid->DispatchNotification(gnkRecordCountChanged, this);
}

void TlxCustomGridTableView::SearchChanged() {
  if (TlxCustomGridRecord* record = ViewData()->GetRecordByIndex(DataController()->FocusedRowIndex()))
    record->Invalidate();
}

void TlxCustomGridTableView::SelectionChanged(TlxSelectionChangedInfo* info) {
  if (info == nullptr || info->RowIndexCount() == 0) {
    LayoutChanged();
  } else {
    for (int32_t i = 0; i < info->RowIndexCount(); ++i)
      if (TlxCustomGridRecord* record = ViewData()->GetRecordByIndex(info->RowIndexAt(i)))
        record->Invalidate();
  }
  if (!IsLoading())
    DoSelectionChanged();
}

bool TlxCustomGridTableView::DrawCellSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                              TlxCustomGridCellViewInfo* /*cell*/) {
  if (record == nullptr || !record->GetHasCells() || !record->CanFocusCells())
    return true;
  const bool focused_cell = record->IsFocused() && item == focused_item_;
  if (OptionsSelection()->InvertSelect())
    return !focused_cell;
  if (!OptionsSelection()->MultiSelect() && !focused_cell)
    return false;
  if (focused_cell && DataController()->IsEditing())
    return false;
  return true;
}

bool TlxCustomGridTableView::DrawRecordSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                                TlxCustomGridCellViewInfo* cell) {
  return record != nullptr && DrawRecordSelectedLook(record) && DrawCellSelected(record, item, cell) &&
         DrawSelection();
}

bool TlxCustomGridTableView::DrawRecordActive(TlxCustomGridRecord* record) {
  return IsGridFocused() || DrawRecordFocused(record);
}

bool TlxCustomGridTableView::DrawRecordFocused(TlxCustomGridRecord* record) {
  return record != nullptr && record->IsFocused() && IsFocused();
}

bool TlxCustomGridTableView::DrawRecordSelectedLook(TlxCustomGridRecord* record) {
  if (record == nullptr)
    return false;
  return (record->Selected() && (IsFocused() || OptionsSelection()->MultiSelect())) || DrawRecordFocused(record);
}

bool TlxCustomGridTableView::DrawSelection() { return IsGridFocused() || !OptionsSelection()->HideSelection(); }

bool TlxCustomGridTableView::CanFocusRecord(int32_t record_index) {
  bool allow = true;
  if (OnCanFocusRecord)
    OnCanFocusRecord(this, ViewData()->GetRecordByIndex(record_index), allow);
  return allow;
}

bool TlxCustomGridTableView::DoCustomDrawCell(TlxCanvas* canvas, TlxGridTableDataCellViewInfo* view_info) {
  bool done = false;
  if (OnCustomDrawCell)
    OnCustomDrawCell(this, canvas, view_info, done);
  return done;
}

bool TlxCustomGridTableView::DoCustomDrawPartBackground(TlxCanvas* canvas, TlxCustomGridCellViewInfo* view_info) {
  bool done = false;
  if (OnCustomDrawPartBackground)
    OnCustomDrawPartBackground(this, canvas, view_info, done);
  return done;
}

void TlxCustomGridTableView::DoEditChanged(TlxCustomGridTableItem* item) {
  if (OnEditChanged)
    OnEditChanged(this, item);
}

void TlxCustomGridTableView::DoEditKeyDown(TlxCustomGridTableItem* item, TlxCustomEdit* edit, uint16_t& key,
                                           TShiftState shift) {
  if (OnEditKeyDown)
    OnEditKeyDown(this, item, edit, key, shift);
}

void TlxCustomGridTableView::DoEditKeyPress(TlxCustomGridTableItem* item, TlxCustomEdit* edit, char16_t& key) {
  if (OnEditKeyPress)
    OnEditKeyPress(this, item, edit, key);
}

void TlxCustomGridTableView::DoEditKeyUp(TlxCustomGridTableItem* item, TlxCustomEdit* edit, uint16_t& key,
                                         TShiftState shift) {
  if (OnEditKeyUp)
    OnEditKeyUp(this, item, edit, key, shift);
}

void TlxCustomGridTableView::DoEditValueChanged(TlxCustomGridTableItem* item) {
  if (OnEditValueChanged)
    OnEditValueChanged(this, item);
}

void TlxCustomGridTableView::DoGetCellHeight(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                             TlxGridTableDataCellViewInfo* cell_view_info, int32_t& height) {
  if (OnGetCellHeight)
    OnGetCellHeight(this, record, item, cell_view_info, height);
}

void TlxCustomGridTableView::DoInitEdit(TlxCustomGridTableItem* item, TlxCustomEdit* edit) {
  if (OnInitEdit)
    OnInitEdit(this, item, edit);
}

void TlxCustomGridTableView::DoInitEditValue(TlxCustomGridTableItem* item, TlxCustomEdit* edit, Variant& value) {
  if (OnInitEditValue)
    OnInitEditValue(this, item, edit, value);
}

bool TlxCustomGridTableView::DoFilterCustomization() {
  bool done = false;
  if (OnFilterCustomization)
    OnFilterCustomization(this, done);
  return done;
}

bool TlxCustomGridTableView::DoFilterDialogShow(TlxCustomGridTableItem* item) {
  bool done = false;
  if (OnFilterDialogShow)
    OnFilterDialogShow(this, item, done);
  return done;
}

void TlxCustomGridTableView::DoFocusedRecordChanged(int32_t prev_focused_row, int32_t focused_row,
                                                    bool new_item_record_focusing_changed) {
  if (TlxCustomGrid* grid = Grid())
    grid->DispatchNotification(gnkFocusedRecordChanged, this);
  if (OnFocusedRecordChanged)
    OnFocusedRecordChanged(this, ViewData()->GetRecordByIndex(prev_focused_row),
                           ViewData()->GetRecordByIndex(focused_row), new_item_record_focusing_changed);
}

void TlxCustomGridTableView::DoGetDragDropText(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                               std::string& text) {
  text.clear();
  if (record != nullptr && item != nullptr)
    text = record->GetDisplayText(item->Index());
  if (OnGetDragDropText)
    OnGetDragDropText(this, record, item, text);
}

void TlxCustomGridTableView::DoInitFilteringDateRanges(TlxCustomGridTableItem* item) {
  if (OnInitFilteringDateRanges)
    OnInitFilteringDateRanges(item, item->FilteringDateRanges());
}

void TlxCustomGridTableView::DoInitGroupingDateRanges(TlxCustomGridTableItem* item) {
  if (OnInitGroupingDateRanges)
    OnInitGroupingDateRanges(item, item->GroupingDateRanges());
}

void TlxCustomGridTableView::DoSelectionChanged() {
  if (OnSelectionChanged)
    OnSelectionChanged(this);
}

const TClass* TlxCustomGridTableView::GetDateTimeHandlingClass() const {
  return &TlxCustomGridTableDateTimeHandling::kClass;
}

const TClass* TlxCustomGridTableView::GetFilterBoxClass() const { return &TlxGridFilterBox::kClass; }

const TClass* TlxCustomGridTableView::GetFilteringClass() const { return &TlxCustomGridTableFiltering::kClass; }

const TClass* TlxCustomGridTableView::GetNavigatorButtonsClass() const { return &TlxNavigatorControlButtons::kClass; }

const TClass* TlxCustomGridTableView::GetOptionsCustomizeClass() const {
  return &TlxCustomGridTableOptionsCustomize::kClass;
}

void TlxCustomGridTableView::ApplyBestFit(TlxCustomGridTableItem* item, bool check_sizing, bool fire_event) {
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  if (item != nullptr) {
    item->ApplyBestFit(check_sizing, fire_event);
    return;
  }
  for (TlxCustomGridTableItem* visible : std::vector<TlxCustomGridTableItem*>(visible_items_))
    visible->ApplyBestFit(check_sizing, fire_event);
}

// --- view framework ------------------------------------------------------------------------------

const TClass* TlxCustomGridTableView::GetControllerClass() const { return &TlxCustomGridTableController::kClass; }

const TClass* TlxCustomGridTableView::GetPainterClass() const { return &TlxCustomGridTablePainter::kClass; }

const TClass* TlxCustomGridTableView::GetViewDataClass() const { return &TlxCustomGridTableViewData::kClass; }

const TClass* TlxCustomGridTableView::GetViewInfoCacheClass() const {
  return &TlxCustomGridTableViewInfoCache::kClass;
}

const TClass* TlxCustomGridTableView::GetViewInfoClass() const { return &TlxCustomGridTableViewInfo::kClass; }

const TClass* TlxCustomGridTableView::GetBackgroundBitmapsClass() const {
  return &TlxCustomGridTableBackgroundBitmaps::kClass;
}

const TClass* TlxCustomGridTableView::GetOptionsBehaviorClass() const {
  return &TlxCustomGridTableOptionsBehavior::kClass;
}

const TClass* TlxCustomGridTableView::GetOptionsDataClass() const { return &TlxCustomGridTableOptionsData::kClass; }

const TClass* TlxCustomGridTableView::GetOptionsSelectionClass() const {
  return &TlxCustomGridTableOptionsSelection::kClass;
}

const TClass* TlxCustomGridTableView::GetOptionsViewClass() const { return &TlxCustomGridTableOptionsView::kClass; }

const TClass* TlxCustomGridTableView::GetStylesClass() const { return &TlxCustomGridTableViewStyles::kClass; }

void TlxCustomGridTableView::CreateOptions() {
  TlxCustomGridView::CreateOptions();
  // The filtering objects are made by class with the link as owner.
  auto* link = dynamic_cast<TObject*>(filtering_link_.get());
  date_time_handling_ = lxCreatePart<TlxCustomGridTableDateTimeHandling>(GetDateTimeHandlingClass(), link);
  filter_box_ = lxCreatePart<TlxGridFilterBox>(GetFilterBoxClass(), link);
  filtering_ = lxCreatePart<TlxCustomGridTableFiltering>(GetFilteringClass(), link);
  options_customize_ = lxCreatePart<TlxCustomGridTableOptionsCustomize>(GetOptionsCustomizeClass(), this);
}

void TlxCustomGridTableView::DestroyOptions() {
  options_customize_.reset();
  filtering_.reset();
  filter_box_.reset();
  date_time_handling_.reset();
  TlxCustomGridView::DestroyOptions();
}

void TlxCustomGridTableView::CreateHandlers() {
  items_.clear();
  visible_items_.clear();
  filterable_items_.clear();
  navigator_notifier_ = std::make_unique<TlxNavigatorControlNotifier>();
  TlxCustomGridView::CreateHandlers();
  navigator_buttons_ = std::make_unique<TlxNavigatorControlButtons>();
  navigator_buttons_->OnGetDataSource = [this](TlxCustomNavigatorButtons*) -> IlxNavigator* { return this; };
  // The view asks before deleting itself (the controller's confirmation).
  navigator_buttons_->SetConfirmDelete(false);
  if (auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo()))
    view_info->AttachNavigatorButtons(true);
}

void TlxCustomGridTableView::DestroyHandlers() {
  ClearItems();
  navigator_buttons_.reset();
  TlxCustomGridView::DestroyHandlers();
  navigator_notifier_.reset();
}

bool TlxCustomGridTableView::GetStoredProperties(TStrings* properties) {
  const bool stores_filter = (StorageOptions() & gsoFilter) != 0;
  const int32_t mru_count = filtering_ != nullptr ? filtering_->MRUItems().GetCount() : 0;
  const bool mru_list = filtering_ != nullptr && filtering_->MRUItemsList();
  for (const std::string& name : lxTableViewStoredPropertyNames(stores_filter, mru_list, mru_count))
    properties->Add(name);
  return TlxCustomGridView::GetStoredProperties(properties);
}

void TlxCustomGridTableView::GetStoredPropertyValue(const std::string& name, Variant& value) {
  TlxDataFilterCriteria& filter = DataController()->Filter();
  if (name == "FilterActive") {
    value = Variant(filter.Active());
  } else if (name == "Filter") {
    TMemoryStream stream;
    filter.SaveToBinaryStream(stream, 0);
    value = Variant(lxStreamToHexText(&stream));
  } else if (lxIsStoredFilterMRUItemName(name)) {
    const int32_t index = lxStoredFilterMRUItemIndex(name);
    TlxGridFilterMRUItems& items = filtering_->MRUItems();
    if (index < 0 || index >= items.GetCount() || items.Items(index)->Filter() == nullptr)
      return;
    TMemoryStream stream;
    items.Items(index)->Filter()->SaveToBinaryStream(stream, 0);
    value = Variant(lxStreamToHexText(&stream));
  } else {
    TlxCustomGridView::GetStoredPropertyValue(name, value);
  }
}

void TlxCustomGridTableView::SetStoredPropertyValue(const std::string& name, const Variant& value) {
  TlxDataFilterCriteria& filter = DataController()->Filter();
  if (name == "FilterActive") {
    filter.SetActive(lxStoredBoolean(value));
  } else if (name == "Filter") {
    const std::string text = VarToStr(value);
    if (text.size() <= 5)
      return;
    TMemoryStream stream;
    lxHexTextToStream(text, &stream);
    stream.SetPosition(0);
    filter.LoadFromBinaryStream(stream);
  } else if (lxIsStoredFilterMRUItemName(name)) {
    lxStoredFilterMRUItemIndex(name);
    TMemoryStream stream;
    lxHexTextToStream(VarToStr(value), &stream);
    stream.SetPosition(0);
    std::unique_ptr<TlxDataFilterCriteria> criteria(DataController()->CreateFilterCriteria());
    criteria->LoadFromBinaryStream(stream);
    // An empty filter is dropped by the list itself.
    filtering_->MRUItems().AddFilter(*criteria);
  } else {
    TlxCustomGridView::SetStoredPropertyValue(name, value);
  }
}

TObject* TlxCustomGridTableView::CreateStoredObject(const std::string& object_name, const std::string& class_name) {
  if (class_name == GetItemClass()->ClassName())
    return CreateItem();
  return TlxCustomGridView::CreateStoredObject(object_name, class_name);
}

void TlxCustomGridTableView::GetStoredChildren(std::vector<TObject*>& children) {
  for (TlxCustomGridTableItem* item : items_)
    children.push_back(item);
  TlxCustomGridView::GetStoredChildren(children);
}

void TlxCustomGridTableView::AssignLayout(TlxCustomGridView* view) {
  auto* copy = dynamic_cast<TlxCustomGridTableView*>(view);
  if (copy == nullptr)
    return;
  BeginAssignItems();
  TScopeExit end_assign([this] { EndAssignItems(); });
  for (int32_t i = 0; i < copy->ItemCount() && i < ItemCount(); ++i) {
    TlxCustomGridTableItem* copy_item = copy->Items(i);
    TlxCustomGridTableItem* own = FindItemByID(copy_item->ID());
    if (own == nullptr)
      continue;
    const int32_t tag = own->Tag();
    own->Assign(copy_item);
    own->SetTag(tag);
    ChangeItemIndex(own, copy_item->Index());
  }
}

void TlxCustomGridTableView::PrepareLayoutCopy(TlxCustomGridView* view) {
  auto* copy = dynamic_cast<TlxCustomGridTableView*>(view);
  if (copy == nullptr)
    return;
  copy->OptionsData()->SetAppending(true);
  copy->OptionsData()->SetDeleting(true);
  copy->OptionsData()->SetEditing(true);
  copy->OptionsData()->SetInserting(true);
  copy->OptionsSelection()->SetCellSelect(true);
  copy->OptionsView()->SetNavigator(true);
  for (int32_t i = 0; i < copy->ItemCount() && i < ItemCount(); ++i)
    if (TlxGridItemDataBinding* binding = copy->Items(i)->DataBinding())
      binding->SetData(Items(i));
}

void TlxCustomGridTableView::BeginRestoring() {
  TlxCustomGridView::BeginRestoring();
  BeginAssignItems();
  restoring_items_.assign(items_.size(), nullptr);
}

void TlxCustomGridTableView::EndRestoring() {
  TScopeExit end([this] {
    restoring_items_.clear();
    TlxCustomGridView::EndRestoring();
  });
  TScopeExit end_assign([this] { EndAssignItems(); });
  ApplyRestoringIndexes();
}

void TlxCustomGridTableView::RestoreDefaults() {
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  for (TlxCustomGridTableItem* item : items_)
    item->RestoreDefaults();
  TlxCustomGridView::RestoreDefaults();
}

bool TlxCustomGridTableView::CanFocus() const {
  return !DataController()->IsEditing() && TlxCustomGridView::CanFocus();
}

bool TlxCustomGridTableView::IsGridFocused() const { return TlxCustomGridView::IsGridFocused(); }

void TlxCustomGridTableView::CheckState() {
  TlxCustomGridView::CheckState();
  if (focused_item_ == nullptr)
    FocusFirstFocusableItem();
}

bool TlxCustomGridTableView::IsDetailVisible(TlxCustomGridView* /*detail_view*/) const {
  // Answered by the master record's view info, which shows detail sites.
  return false;
}

void TlxCustomGridTableView::RequestSizeChange() {
  TlxCustomGridView::RequestSizeChange();
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  DataChanged();
}

void TlxCustomGridTableView::DetailVisibilityChanged(TlxGridLevel* child_level, int32_t old_visible_count,
                                                     int32_t new_visible_count) {
  if (IsPattern()) {
    for (int32_t i = 0; i < CloneCount(); ++i)
      Clones(i)->DetailVisibilityChanged(child_level, old_visible_count, new_visible_count);
    return;
  }
  if (old_visible_count == 0 || new_visible_count == 0)
    DataChanged();
}

void TlxCustomGridTableView::UpdateControl(TlxUpdateControlInfo& info) {
  if (GetIsDestroying())
    return;
  if (dynamic_cast<TlxDataChangedInfo*>(&info) != nullptr) {
    DataChanged();
  } else if (dynamic_cast<TlxLayoutChangedInfo*>(&info) != nullptr) {
    DataLayoutChanged();
  } else if (auto* row = dynamic_cast<TlxFocusedRowChangedInfo*>(&info)) {
    FocusedRecordChanged(row->PrevFocusedRowIndex, row->FocusedRowIndex, false);
  } else if (auto* selection = dynamic_cast<TlxSelectionChangedInfo*>(&info)) {
    SelectionChanged(selection);
  } else if (dynamic_cast<TlxSearchChangedInfo*>(&info) != nullptr) {
    SearchChanged();
  } else if (auto* update = dynamic_cast<TlxUpdateRecordInfo*>(&info)) {
    RecordChanged(update->RecordIndex);
  } else if (dynamic_cast<TlxGroupingChangingInfo*>(&info) != nullptr) {
    GroupingChanging();
  }
  RefreshOwnNavigator();
  if (navigator_notifier_ != nullptr)
    navigator_notifier_->RefreshNavigators();
  if (IsFocused() && Grid() != nullptr)
    Grid()->NotifyNavigator();
  TlxCustomGridView::UpdateControl(info);
}

void TlxCustomGridTableView::RefreshOwnNavigator() {
  if (OptionsView() == nullptr || !OptionsView()->Navigator())
    return;
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  if (view_info != nullptr && view_info->NavigatorViewInfo() != nullptr)
    view_info->NavigatorViewInfo()->RefreshEnabledStates();
}

void TlxCustomGridTableView::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomGridTableView*>(source);
  if (other == nullptr) {
    TlxCustomGridView::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  AssignItems(other);
  date_time_handling_->Assign(other->DateTimeHandling());
  filter_box_->Assign(other->FilterBox());
  filtering_->Assign(other->Filtering());
  options_customize_->Assign(other->OptionsCustomize());
  OnCanFocusRecord = other->OnCanFocusRecord;
  OnCanSelectRecord = other->OnCanSelectRecord;
  OnCellClick = other->OnCellClick;
  OnCellDblClick = other->OnCellDblClick;
  OnCustomDrawCell = other->OnCustomDrawCell;
  OnCustomDrawPartBackground = other->OnCustomDrawPartBackground;
  OnEditing = other->OnEditing;
  OnEditChanged = other->OnEditChanged;
  OnEditValueChanged = other->OnEditValueChanged;
  OnEditKeyDown = other->OnEditKeyDown;
  OnEditKeyUp = other->OnEditKeyUp;
  OnEditKeyPress = other->OnEditKeyPress;
  OnFilterControlDialogShow = other->OnFilterControlDialogShow;
  OnFilterCustomization = other->OnFilterCustomization;
  OnFilterDialogShow = other->OnFilterDialogShow;
  OnFocusedItemChanged = other->OnFocusedItemChanged;
  OnFocusedRecordChanged = other->OnFocusedRecordChanged;
  OnGetCellHeight = other->OnGetCellHeight;
  OnGetDragDropText = other->OnGetDragDropText;
  OnInitEdit = other->OnInitEdit;
  OnInitEditValue = other->OnInitEditValue;
  OnInitFilteringDateRanges = other->OnInitFilteringDateRanges;
  OnInitGroupingDateRanges = other->OnInitGroupingDateRanges;
  OnSelectionChanged = other->OnSelectionChanged;
  OnTopRecordIndexChanged = other->OnTopRecordIndexChanged;
  TlxCustomGridView::Assign(source);
}

void TlxCustomGridTableView::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TlxCustomGridTableItem* item : items_)
    if (item->Owner() == root)
      proc(item);
}

void TlxCustomGridTableView::SetName(const std::string& new_name) {
  const std::string old_name = Name();
  TlxCustomGridView::SetName(new_name);
  if (old_name == new_name || old_name.empty())
    return;
  lxRenameSubComponents(this, Owner(), new_name, old_name, ItemCount(),
                        [this](TComponent* /*component*/, int32_t index) -> TComponent* { return Items(index); });
}

// --- IlxNavigator --------------------------------------------------------------------------------

bool TlxCustomGridTableView::CanAppendRecord() {
  return OptionsData()->Appending() && DataController()->Active() && !DataController()->IsEditing();
}

bool TlxCustomGridTableView::CanDeleteRecord() {
  return OptionsData()->Deleting() && DataController()->Active() && DataController()->GetRowCount() > 0;
}

bool TlxCustomGridTableView::CanEditRecord() {
  return OptionsData()->Editing() && DataController()->Active() && DataController()->FocusedRowIndex() >= 0;
}

bool TlxCustomGridTableView::CanInsertRecord() {
  return OptionsData()->Inserting() && DataController()->Active() && !DataController()->IsEditing();
}

bool TlxCustomGridTableView::IsDataActive() { return DataController()->Active(); }

bool TlxCustomGridTableView::IsAtBeginning() {
  auto* extensions = dynamic_cast<IlxGridDataControllerExtensions*>(DataController());
  return extensions != nullptr ? extensions->IsBOF() : DataController()->IsBOF();
}

bool TlxCustomGridTableView::HasBookmark() { return DataController()->IsBookmarkAvailable(); }

bool TlxCustomGridTableView::IsEditingRecord() { return DataController()->IsEditing(); }

bool TlxCustomGridTableView::IsAtEnd() {
  auto* extensions = dynamic_cast<IlxGridDataControllerExtensions*>(DataController());
  return extensions != nullptr ? extensions->IsEOF() : DataController()->IsEOF();
}

void TlxCustomGridTableView::ForgetBookmark() { DataController()->ClearBookmarkAndNotify(); }

// --- IlxFilterControl ----------------------------------------------------------------------------

void TlxCustomGridTableView::GetCaption(int32_t index, std::string& caption) {
  TlxCustomGridTableItem* item = GetFilterableItem(index);
  caption = item->AlternateCaption().empty() ? item->Caption() : item->AlternateCaption();
}

TlxFilterCriteria* TlxCustomGridTableView::GetCriteria() { return &DataController()->Filter(); }

TObject* TlxCustomGridTableView::GetItemLink(int32_t index) { return GetFilterableItem(index); }

int32_t TlxCustomGridTableView::GetItemLinkID(int32_t index) { return GetFilterableItem(index)->ID(); }

void TlxCustomGridTableView::GetItemLinkName(int32_t index, std::string& name) {
  name = GetFilterableItem(index)->Name();
}

void TlxCustomGridTableView::GetFieldName(int32_t index, std::string& name) {
  name.clear();
  if (TlxGridItemDataBinding* binding = GetFilterableItem(index)->DataBinding())
    name = binding->GetBoundFieldName();
}

TlxCustomEditProperties* TlxCustomGridTableView::GetProperties(int32_t index) {
  return GetFilterableItem(index)->GetProperties();
}

TlxValueTypeClass TlxCustomGridTableView::GetValueType(int32_t index) {
  TlxGridItemDataBinding* binding = GetFilterableItem(index)->DataBinding();
  return binding != nullptr ? binding->GetValueTypeClass() : nullptr;
}
