// The column filter popup and the filter MRU popup.
#include <algorithm>

#include "data/data_controller.h"
#include "data/filter_value_list.h"
#include "editors/kinds/button_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_records_win.h"
#include "grid/grid_strings.h"
#include "grid/table_controller_win.h"
#include "grid/table_filtering.h"
#include "grid/table_items_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "ui/foundation/system/control_unit_win.h"

// --- TlxGridFilterPopup ------------------------------------------------------

namespace {

// The filter popups exist only for table views (their items, filtering and
// filter box); one made for another view has nothing to show.
TlxCustomGridTableView* RequireTableView(TlxCustomGridView* view) {
  auto* table_view = dynamic_cast<TlxCustomGridTableView*>(view);
  if (table_view == nullptr)
    throw EInvalidOperation("The filter popups need a table view");
  return table_view;
}

}  // namespace

TlxGridFilterPopup::TlxGridFilterPopup(TlxCustomGridView* grid_view)
    : TlxCustomGridPopup(grid_view), value_texts_(std::make_unique<TStringList>()) {
  HorzAlignment = phaRight;
  list_box_ = new TlxGridFilterPopupListBox(this);
  list_box_->OnAction = [this](TlxGridPopupListBox* /*list_box*/, int32_t index) { ListAction(index); };
  apply_button_ = new TlxButton(this);
  apply_button_->SetCaption(lxGridText(slxGridFilterApplyButtonCaption));
  apply_button_->SetParentFont(true);
  apply_button_->SetVisible(false);
  apply_button_->SetParent(this);
  apply_button_->OnClick = [this](TObject* /*sender*/) { ApplyButtonClick(); };
}

TlxGridFilterPopup::~TlxGridFilterPopup() = default;

TlxCustomGridTableView* TlxGridFilterPopup::TableView() const {
  return RequireTableView(GridView());
}

void TlxGridFilterPopup::InitPopup() {
  lxShowHourglass();
  TScopeExit hide_hourglass([] { lxHideHourglass(); });
  if (auto* owner = dynamic_cast<IlxGridItemPopupOwner*>(OwnerViewInfo()))
    item_ = owner->PopupItem();
  TlxCustomGridPopup::InitPopup();
  FillAndSetup();
  PlaceApplyButton();
  SetHasChanges(false);
}

void TlxGridFilterPopup::FillValues() {
  value_texts_->Clear();
  values_.reset();
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr || item_ == nullptr)
    return;
  values_ = view->ViewData()->CreateFilterValueList();
  // The head entries ("(All)", "(Custom...)", ...) and the recent values
  // belong in the popup, not just the column's values.
  item_->DataBinding()->LoadFilterValueList(*values_, false, true);
  value_texts_->BeginUpdate();
  TScopeExit end_update([this] { value_texts_->EndUpdate(); });
  for (int32_t i = 0; i < values_->Count(); ++i) {
    std::string text = values_->EntryAt(i).DisplayText;
    item_->DoGetFilterDisplayText(values_->EntryAt(i).Value, text);
    value_texts_->Add(text);
  }
}

void TlxGridFilterPopup::SetupListBox() {
  const TlxGridItemFilterPopupOptions& options = TableView()->Filtering()->ColumnPopup();
  list_box_->MaxVisibleItemCount = options.MaxDropDownItemCount();
  list_box_->MaxWidth = options.DropDownWidth();
  list_box_->SetShowChecks(IsMultiSelect());
  list_box_->AdjustSize(value_texts_.get());
}

void TlxGridFilterPopup::FillAndSetup() {
  FillValues();
  if (values_ == nullptr) {
    list_box_->Clear();
    return;
  }
  SetupListBox();
  list_box_->SetItems(*value_texts_);
  std::vector<int32_t> checked;
  if (list_box_->ShowChecks())
    GetCheckedValueIndexes(checked);
  list_box_->SetCheckedIndexes(checked);
  list_box_->SetItemIndex(checked.empty() ? GetSelectedValueIndex() : -1);
}

void TlxGridFilterPopup::GetCheckedValueIndexes(std::vector<int32_t>& indexes) {
  indexes.clear();
  for (int32_t index : item_->DataBinding()->GetFilterActiveValueIndexes(*values_))
    if (IsCheckable(index))
      indexes.push_back(index);
}

int32_t TlxGridFilterPopup::GetSelectedValueIndex() {
  TlxCustomDataController* controller = TableView()->DataController();
  const auto* condition =
      dynamic_cast<const TlxFilterCriteriaItem*>(controller->Filter().LocateItemByLink(item_));
  return values_->FindItemForCriteriaItem(condition);
}

bool TlxGridFilterPopup::IsMultiSelect() {
  return TableView()->Filtering()->ColumnPopup().MultiSelect() && item_ != nullptr &&
         item_->Options()->FilteringPopupMultiSelect();
}

bool TlxGridFilterPopup::ApplyImmediately() {
  return TableView()->Filtering()->ColumnPopup().ApplyMultiSelectChanges() == fpacImmediately;
}

bool TlxGridFilterPopup::ShowApplyButton() { return IsMultiSelect() && !ApplyImmediately(); }

bool TlxGridFilterPopup::IsCheckable(int32_t index) {
  if (values_ == nullptr || index < 0 || index >= values_->Count())
    return false;
  const TlxFilterValueItemKind kind = values_->EntryAt(index).Kind;
  return kind == fvkBlanks || kind == fvkValue || kind == fvkDatePeriod;
}

void TlxGridFilterPopup::PlaceApplyButton() {
  if (!ShowApplyButton()) {
    apply_button_->SetVisible(false);
    // The popup sizes itself around every child, shown or not.
    apply_button_->SetBounds(0, 0, 0, 0);
    return;
  }
  TSize size{list_box_->Width(), 0};
  apply_button_->CalculateOptimalSize(size);
  apply_button_->SetBounds(list_box_->Left(), list_box_->Top() + list_box_->Height(), list_box_->Width(),
                           std::max<int32_t>(size.cy, 1));
  apply_button_->SetVisible(true);
}

void TlxGridFilterPopup::CalcSize() {
  // The children sit at the client origin; the popup fits around them.
  list_box_->SetBounds(0, 0, list_box_->Width(), list_box_->Height());
  if (apply_button_->Visible())
    apply_button_->SetBounds(0, list_box_->Height(), list_box_->Width(), apply_button_->Height());
  else
    apply_button_->SetBounds(0, 0, 0, 0);
  TlxCustomGridPopup::CalcSize();
}

void TlxGridFilterPopup::SetHasChanges(bool value) {
  has_changes_ = value;
  UpdateApplyButton();
}

void TlxGridFilterPopup::UpdateApplyButton() { apply_button_->SetEnabled(has_changes_); }

void TlxGridFilterPopup::ApplyCheckedValues(const std::vector<int32_t>& indexes) {
  item_->DataBinding()->ApplyFilterActiveValueIndexes(*values_, indexes);
}

void TlxGridFilterPopup::ApplyValue(int32_t index) {
  const TlxFilterValueItemKind kind = values_->EntryAt(index).Kind;
  TlxCustomGridTableView* view = TableView();
  item_->DataBinding()->ApplyFilterEntry(*values_, index);
  // A filter the user is still to build in a dialog, or one the program
  // made, is not a filter the user chose from the list.
  if (kind != fvkCustom && kind != fvkUser)
    view->Filtering()->AddFilterToMRU(nullptr);
}

void TlxGridFilterPopup::ListAction(int32_t index) {
  if (index < 0 || values_ == nullptr || index >= values_->Count())
    return;
  if (list_box_->ShowChecks() && IsCheckable(index)) {
    if (ApplyImmediately())
      ApplyCheckedValues(list_box_->CheckedIndexes());
    SetHasChanges(true);
    return;
  }
  // The list box closed the popup, which cleared the list but kept the
  // values: the entry is still there to apply.
  ApplyValue(index);
}

void TlxGridFilterPopup::ApplyButtonClick() {
  const std::vector<int32_t> checked = list_box_->CheckedIndexes();
  // Applied here, so the close must not add the filter a second time.
  has_changes_ = false;
  ClosePopup();
  ApplyCheckedValues(checked);
  TableView()->Filtering()->AddFilterToMRU(nullptr);
}

void TlxGridFilterPopup::ClosePopup() {
  const bool was_shown = Visible();
  const bool applied_immediately = has_changes_ && ApplyImmediately();
  has_changes_ = false;
  TlxCustomGridPopup::ClosePopup();
  if (!was_shown)
    return;
  list_box_->Clear();
  if (applied_immediately)
    TableView()->Filtering()->AddFilterToMRU(nullptr);
}

// --- TlxGridFilterMRUItemsPopup ----------------------------------------------

TlxGridFilterMRUItemsPopup::TlxGridFilterMRUItemsPopup(TlxCustomGridView* grid_view)
    : TlxCustomGridPopup(grid_view) {
  list_box_ = new TlxGridPopupListBox(this);
  list_box_->OnAction = [this](TlxGridPopupListBox* /*list_box*/, int32_t index) { ListAction(index); };
}

TlxCustomGridTableView* TlxGridFilterMRUItemsPopup::TableView() const {
  return RequireTableView(GridView());
}

void TlxGridFilterMRUItemsPopup::InitPopup() {
  TlxCustomGridPopup::InitPopup();
  list_box_->TextOffsetVert = 2;
  list_box_->MaxVisibleItemCount = TableView()->FilterBox()->MRUItemsListDropDownCount();
  FillItems(list_box_->Items());
  list_box_->AdjustSize(nullptr);
  list_box_->SetBounds(0, 0, list_box_->Width(), list_box_->Height());
}

void TlxGridFilterMRUItemsPopup::FillItems(TStrings& strings) {
  strings.BeginUpdate();
  TScopeExit end_update([&strings] { strings.EndUpdate(); });
  strings.Clear();
  TlxGridFilterMRUItems& items = TableView()->Filtering()->MRUItems();
  for (int32_t i = 0; i < items.VisibleCount(); ++i) {
    TlxGridFilterMRUItem* item = items.VisibleItems(i);
    strings.AddObject(item->GetCaption(), item);
  }
}

void TlxGridFilterMRUItemsPopup::ApplyItem(int32_t index) {
  TlxGridFilterMRUItems& items = TableView()->Filtering()->MRUItems();
  if (index < 0 || index >= items.VisibleCount())
    return;
  TlxDataFilterCriteria* filter = items.VisibleItems(index)->Filter();
  if (filter == nullptr)
    return;
  TlxDataFilterCriteria& view_filter = TableView()->DataController()->Filter();
  view_filter.Assign(filter);
  TableView()->Filtering()->AddFilterToMRU(nullptr);
}

void TlxGridFilterMRUItemsPopup::ListAction(int32_t index) { ApplyItem(index); }

void TlxGridFilterMRUItemsPopup::ClosePopup() {
  const bool was_shown = Visible();
  TlxCustomGridPopup::ClosePopup();
  // The entries hold the MRU items, which change while the popup is away.
  if (was_shown)
    list_box_->Clear();
}
