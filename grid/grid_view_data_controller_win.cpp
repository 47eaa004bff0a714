#include "grid/grid_view_data_controller_win.h"

#include "data/data_relations.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/table_items_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"

template <class Base>
TlxCustomGridView* TlxGridViewDataController<Base>::GridView() const {
  return dynamic_cast<TlxCustomGridView*>(this->OwnerComponent());
}

template <class Base>
TlxCustomGridTableView* TlxGridViewDataController<Base>::TableView() const {
  return dynamic_cast<TlxCustomGridTableView*>(GridView());
}

template <class Base>
TlxCustomGridTableItem* TlxGridViewDataController<Base>::TableItem(int32_t item_index) const {
  return dynamic_cast<TlxCustomGridTableItem*>(this->GetItem(item_index));
}

template <class Base>
int32_t TlxGridViewDataController<Base>::GetItemID(TObject* item) const {
  const auto* table_item = dynamic_cast<const TlxCustomGridTableItem*>(item);
  return table_item != nullptr ? table_item->ID() : -1;
}

template <class Base>
bool TlxGridViewDataController<Base>::CanSelectRow(int32_t row_index) {
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr)
    return Base::CanSelectRow(row_index);
  return view->CanSelectRecord(row_index);
}

template <class Base>
int32_t TlxGridViewDataController<Base>::GetDefaultActiveRelationIndex() const {
  TlxCustomGridView* view = GridView();
  if (view == nullptr || view->Level() == nullptr)
    return -1;
  TlxGridLevel* level = view->Level();
  return level->VisibleCount() > 0 ? level->VisibleItems(0)->Index() : -1;
}

template <class Base>
const TClass* TlxGridViewDataController<Base>::GetSummaryItemClass() const {
  TlxCustomGridTableView* view = TableView();
  const TClass* own = view != nullptr ? view->GetSummaryItemClass() : nullptr;
  return own != nullptr ? own : Base::GetSummaryItemClass();
}

template <class Base>
const TClass* TlxGridViewDataController<Base>::GetSummaryGroupItemLinkClass() const {
  TlxCustomGridTableView* view = TableView();
  const TClass* own = view != nullptr ? view->GetSummaryGroupItemLinkClass() : nullptr;
  return own != nullptr ? own : Base::GetSummaryGroupItemLinkClass();
}

template <class Base>
const TClass* TlxGridViewDataController<Base>::GetSortingBySummaryEngineClass() const {
  TlxCustomGridView* view = GridView();
  if (view == nullptr || view->ViewData() == nullptr)
    return Base::GetSortingBySummaryEngineClass();
  return view->ViewData()->GetSortingBySummaryEngineClass();
}

template <class Base>
void TlxGridViewDataController<Base>::FilterChanged() {
  Base::FilterChanged();
  if (TlxCustomGridTableView* view = TableView())
    view->FilterChanged();
}

template <class Base>
void TlxGridViewDataController<Base>::ItemValueTypeClassChanged(int32_t item_index) {
  Base::ItemValueTypeClassChanged(item_index);
  if (TlxCustomGridTableView* view = TableView())
    view->ItemValueTypeClassChanged(item_index);
}

template <class Base>
std::string TlxGridViewDataController<Base>::GetFilterDisplayText(int32_t record_index, int32_t item_index) {
  TlxCustomGridTableItem* item = TableItem(item_index);
  TlxCustomGridTableView* view = TableView();
  if (item == nullptr || view == nullptr || !item->IsDateOnlyFiltering())
    return Base::GetFilterDisplayText(record_index, item_index);
  std::string text;
  view->ViewData()->GetDisplayTextByProperties(record_index, item_index, gdcFiltering, true, text);
  return text;
}

template <class Base>
int32_t TlxGridViewDataController<Base>::CompareByField(int32_t record1, int32_t record2, TlxCustomDataField& field) {
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr || !view->ViewData()->ComparesByDateRanges(field, gdcSorting))
    return Base::CompareByField(record1, record2, field);
  return view->ViewData()->CompareConvertedValues(field, this->GetComparisonValue(record1, field), gdcSorting,
                                                  this->GetComparisonValue(record2, field));
}

template <class Base>
void TlxGridViewDataController<Base>::BeginUpdateWithOwner() {
  if (TlxCustomGridView* view = GridView())
    view->BeginUpdate();
  Base::BeginUpdateWithOwner();
}

template <class Base>
void TlxGridViewDataController<Base>::EndUpdateWithOwner() {
  TScopeExit end_view([this] {
    if (TlxCustomGridView* view = GridView())
      view->EndUpdate();
  });
  Base::EndUpdateWithOwner();
}

template <class Base>
std::string TlxGridViewDataController<Base>::GetDisplayText(int32_t record_index, int32_t item_index) {
  TlxCustomGridTableItem* item = TableItem(item_index);
  TlxCustomGridTableView* view = TableView();
  std::string text;
  if (view == nullptr || item == nullptr ||
      !view->ViewData()->GetDisplayTextByProperties(record_index, item_index, gdcSorting, false, text))
    text = Base::GetDisplayText(record_index, item_index);
  if (item != nullptr)
    item->DoGetDataText(record_index, text);
  return text;
}

template <class Base>
bool TlxGridViewDataController<Base>::IsItemEditable(int32_t item_index) const {
  TlxCustomGridTableItem* item = TableItem(item_index);
  return item != nullptr ? item->GetEditable() : Base::IsItemEditable(item_index);
}

template <class Base>
void TlxGridViewDataController<Base>::UpdateEditorValue() {
  Base::UpdateEditorValue();
  if (TlxCustomGridTableView* view = TableView())
    view->PostEditValue();
}

template <class Base>
std::unique_ptr<TObject> TlxGridViewDataController<Base>::CreateDetailLinkObject(TlxCustomDataRelation* relation,
                                                                        int32_t record_index) {
  auto* level = relation != nullptr ? dynamic_cast<TlxGridLevel*>(relation->Item()) : nullptr;
  if (level == nullptr)
    return Base::CreateDetailLinkObject(relation, record_index);
  return std::unique_ptr<TObject>(level->CreateLinkObject(relation, record_index));
}

template <class Base>
TlxCustomDataController* TlxGridViewDataController<Base>::GetDetailLinkDataController(TObject* link_object) const {
  auto* clone = dynamic_cast<TlxCustomGridView*>(link_object);
  return clone != nullptr ? clone->DataController() : Base::GetDetailLinkDataController(link_object);
}

template <class Base>
Variant TlxGridViewDataController<Base>::GetFilterValue(int32_t record_index, TlxCustomDataField& field) {
  Variant value = Base::GetFilterValue(record_index, field);
  const int32_t item_index = this->ItemIndexOfField(&field);
  TlxCustomGridTableItem* item = item_index >= 0 ? TableItem(item_index) : nullptr;
  TlxCustomGridTableView* view = TableView();
  if (item == nullptr || view == nullptr || !item->IsDateOnlyFiltering())
    return value;
  Variant date_only;
  view->ViewData()->ConvertDateValue(item, value, date_only, gdcFiltering);
  return date_only;
}

template <class Base>
std::string TlxGridViewDataController<Base>::GetItemDisplayName(int32_t item_index) const {
  TlxCustomGridTableItem* item = TableItem(item_index);
  return item != nullptr ? item->Caption() : Base::GetItemDisplayName(item_index);
}

template <class Base>
bool TlxGridViewDataController<Base>::IsItemSortedByDisplayText(int32_t item_index, bool default_value) const {
  TlxCustomGridTableItem* item = TableItem(item_index);
  return item != nullptr ? item->IsSortedByDisplayText(default_value)
                         : Base::IsItemSortedByDisplayText(item_index, default_value);
}

template class TlxGridViewDataController<TlxDataController>;
template class TlxGridViewDataController<TlxDBDataController>;
