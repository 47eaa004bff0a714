#include "grid/grid_db_table_view_win.h"

#include <algorithm>

#include "data/data_filter_criteria.h"
#include "data/data_relations.h"
#include "data/data_summary.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_level_win.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/table_filtering.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/base/unit_routines.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/system/control_unit_win.h"

// --- TlxGridDBDataController ---------------------------------------------------------------------

void TlxGridDBDataController::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridDBDataController>();
  p.Reference<TDataSource>("DataSource", &TlxGridDBDataController::DataSource,
                           &TlxGridDBDataController::SetDataSource);
  p.String("DetailKeyFieldNames", &TlxGridDBDataController::DetailKeyFieldNames,
           &TlxGridDBDataController::SetDetailKeyFieldNames);
  p.String("KeyFieldNames", &TlxGridDBDataController::KeyFieldNames, &TlxGridDBDataController::SetKeyFieldNames);
  p.String("MasterKeyFieldNames", &TlxGridDBDataController::MasterKeyFieldNames,
           &TlxGridDBDataController::SetMasterKeyFieldNames);
  p.Persistent("Filter", TlxDataFilterCriteria::kClass,
               [](const TlxGridDBDataController& self) -> TObject* { return &self.Filter(); });
  p.SetOf(
      "Options", [](const TlxGridDBDataController& self) { return static_cast<int64_t>(self.GetOptions()); },
      [](TlxGridDBDataController& self, int64_t value) {
        self.SetOptions(static_cast<TlxDataControllerOptions>(value));
      },
      {"dcoAnsiSort", "dcoCaseInsensitive", "dcoAssignGroupingValues", "dcoAssignMasterDetailKeys", "dcoSaveExpanding",
       "dcoSortByDisplayText", "dcoFocusTopRowAfterSorting", "dcoGroupsAlwaysExpanded", "dcoImmediatePost",
       "dcoInsertOnNewItemRowFocusing"},
      kLxDefaultDataControllerOptions);
  p.Persistent("Summary", TlxDataSummary::kClass,
               [](const TlxGridDBDataController& self) -> TObject* { return &self.Summary(); });
}

TlxGridDBDataController::TlxGridDBDataController(TComponent* owner) : TlxGridViewDataController(owner) {}

TlxGridDBDataController::~TlxGridDBDataController() = default;

bool TlxGridDBDataController::IsSequencedScrolling() const {
  TlxCustomGridTableView* view = TableView();
  TDataSet* dataset = GetDataSet();
  return IsGridMode() && dataset != nullptr && dataset->IsSequenced() && view != nullptr &&
         view->HasEqualHeightRecords();
}

void TlxGridDBDataController::AnchorFocusedRow() {
  if (FocusedRowIndex() >= 0)
    SetSelectionAnchor(FocusedRowIndex());
}

// --- services ---

void TlxGridDBDataController::CreateAllItems(bool missing_items_only) {
  TDataSet* dataset = GetDataSet();
  TlxCustomGridTableView* view = TableView();
  if (dataset == nullptr || view == nullptr)
    return;
  lxShowHourglass();
  TScopeExit hide_hourglass([] { lxHideHourglass(); });
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  BeginUpdateFields();
  TScopeExit end_fields([this] { EndUpdateFields(); });
  for (int32_t i = 0; i < dataset->Fields().Count(); ++i) {
    TField* field = dataset->Fields()[i];
    if (missing_items_only && GetItemByFieldName(field->FieldName()) != nullptr)
      continue;
    TlxCustomGridTableItem* item = view->CreateItem();
    if (auto* binding = dynamic_cast<TlxGridItemDBDataBinding*>(item->DataBinding()))
      binding->SetFieldName(field->FieldName());
    item->SetName(lxMakeUniqueComponentName(view->Owner(), view, item, "TlxGrid", field->FieldName()));
    item->SetVisible(field->Visible());
  }
}

void TlxGridDBDataController::DeleteAllItems() {
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr)
    return;
  // Frees the items last first and starts the IDs again at 0.
  view->ClearItems();
}

void TlxGridDBDataController::GetFakeComponentLinks(std::vector<TComponent*>& list) {
  TDataSource* source = DataSource();
  TlxCustomGridView* view = GridView();
  if (source == nullptr || source->Owner() == nullptr || view == nullptr || source->Owner() == view->Owner())
    return;
  if (std::find(list.begin(), list.end(), source->Owner()) == list.end())
    list.push_back(source->Owner());
}

bool TlxGridDBDataController::HasAllItems() {
  TDataSet* dataset = GetDataSet();
  if (dataset == nullptr)
    return true;
  for (int32_t i = 0; i < dataset->Fields().Count(); ++i)
    if (GetItemByFieldName(dataset->Fields()[i]->FieldName()) == nullptr)
      return false;
  return true;
}

// --- extensions ---

const TClass* TlxGridDBDataController::GetItemDataBindingClass() { return &TlxGridItemDBDataBinding::kClass; }

const TClass* TlxGridDBDataController::GetItemDefaultValuesProviderClass() {
  return &TlxGridDBDefaultValuesProvider::kClass;
}

bool TlxGridDBDataController::IsBOF() const { return TlxDBDataController::IsBOF(); }

bool TlxGridDBDataController::IsEOF() const { return TlxDBDataController::IsEOF(); }

bool TlxGridDBDataController::DoScroll(bool forward) {
  if (!IsSequencedScrolling())
    return false;
  const int32_t before = FocusedRowIndex();
  if (forward)
    GotoNext();
  else
    GotoPrev();
  if (FocusedRowIndex() != before)
    AnchorFocusedRow();
  return true;
}

bool TlxGridDBDataController::DoScrollPage(bool forward) {
  if (!IsSequencedScrolling())
    return false;
  const int32_t record_number = GetDataSetRecNo();
  const int32_t page = std::max(GetDefaultGridModeBufferCount() - 1, 1);
  MoveBy(forward ? page : -page);
  if (GetDataSetRecNo() != record_number)
    AnchorFocusedRow();
  return true;
}

int32_t TlxGridDBDataController::GetScrollBarPos() {
  if (!IsSequencedScrolling())
    return -1;
  if ((GetEditState() & dceInsert) == 0)
    last_scroll_bar_pos_ = GetDataSetRecNo() - 1;
  return last_scroll_bar_pos_;
}

int32_t TlxGridDBDataController::GetScrollBarRecordCount() {
  if (!IsSequencedScrolling())
    return -1;
  return GetDataSetRecordCount() + GetDefaultGridModeBufferCount() - 1;
}

bool TlxGridDBDataController::SetScrollBarPos(int32_t position) {
  if (!IsSequencedScrolling())
    return false;
  if (GetDataSetRecNo() != position + 1) {
    SetDataSetRecNo(position + 1);
    if (GetDataSetRecNo() == position + 1)
      AnchorFocusedRow();
  }
  return true;
}

// --- dataset steps ---

void TlxGridDBDataController::DataSetCurrentChanged(bool is_current) {
  TlxDBDataController::DataSetCurrentChanged(is_current);
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr)
    return;
  if (view->NavigatorNotifier() != nullptr)
    view->NavigatorNotifier()->RefreshNavigators();
  view->LayoutChanged();
}

void TlxGridDBDataController::DataSourceChanged() {
  TlxDBDataController::DataSourceChanged();
  if (TlxCustomGridView* view = GridView())
    view->Changed(vckProperty);
}

int32_t TlxGridDBDataController::GetDefaultGridModeBufferCount() const {
  // The records the view can show at once: its client height over the
  // smallest data row.
  auto* view = dynamic_cast<TlxGridTableView*>(GridView());
  if (view != nullptr && view->ViewInfo() != nullptr && view->ViewInfo()->HasSiteClientBounds()) {
    const int32_t row_height = std::max(view->MinDataRowHeight(), 1);
    const int32_t count = view->ViewInfo()->ClientHeight() / row_height;
    if (count > 0)
      return count;
  }
  return TlxDBDataController::GetDefaultGridModeBufferCount();
}

void TlxGridDBDataController::AfterSequencedScroll() {
  TlxDBDataController::AfterSequencedScroll();
  if (TlxCustomGridView* view = GridView())
    view->LayoutChanged();
}

// --- answered by the view (as the unbound grid controller does) ---

bool TlxGridDBDataController::FollowsMasterFocus() const {
  TlxCustomGridView* view = GridView();
  if (view == nullptr)
    return false;
  return view->Synchronization() || view->ComponentState().Contains(csDesigning);
}

TObject* TlxGridDBDataController::GetItem(int32_t index) const {
  TlxCustomGridTableView* view = TableView();
  if (view != nullptr && index >= 0 && index < view->ItemCount())
    return view->Items(index);
  // The dataset controller keeps no items of its own: the field's.
  CheckItemRange(index);
  return Fields().FieldAt(index)->Item();
}

bool TlxGridDBDataController::FocusItem(int32_t item_index) {
  TlxCustomGridTableView* view = TableView();
  TlxCustomGridTableItem* item = TableItem(item_index);
  if (view == nullptr || item == nullptr || !item->CanFocus(nullptr))
    return false;
  view->SetFocusedItem(item);
  return true;
}

// --- TlxGridDBDefaultValuesProvider --------------------------------------------------------------

TlxGridDBDefaultValuesProvider::TlxGridDBDefaultValuesProvider(TlxGridItemDataBinding* binding)
    : TlxCustomDBEditDefaultValuesProvider(binding), binding_(binding) {}

bool TlxGridDBDefaultValuesProvider::AllowsModification() const {
  return field_name_.empty() || TlxCustomDBEditDefaultValuesProvider::AllowsModification();
}

bool TlxGridDBDefaultValuesProvider::IsDisplayFormatDefined(bool is_inplace) const {
  if (binding_ == nullptr || binding_->Item() == nullptr)
    return false;
  TlxCustomGridTableItem* item = binding_->Item();
  if (item->OnGetDataText)
    return true;
  const auto* db_controller = dynamic_cast<const TlxDBDataController*>(binding_->DataController());
  return db_controller != nullptr && item->Index() >= 0 &&
         db_controller->UsesItemDisplayText(item->Index(), !is_inplace);
}

// --- TlxGridItemDBDataBinding --------------------------------------------------------------------

void TlxGridItemDBDataBinding::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridItemDBDataBinding>();
  p.String("FieldName", &TlxGridItemDBDataBinding::FieldName, &TlxGridItemDBDataBinding::SetFieldName);
}

TlxGridDBDataController* TlxGridItemDBDataBinding::DataController() const {
  return dynamic_cast<TlxGridDBDataController*>(TlxGridItemDataBinding::DataController());
}

std::string TlxGridItemDBDataBinding::FieldName() const {
  TlxGridDBDataController* controller = DataController();
  if (controller == nullptr || Item() == nullptr || Item()->Index() < 0)
    return {};
  return controller->GetItemFieldName(Item()->Index());
}

void TlxGridItemDBDataBinding::SetFieldName(const std::string& value) {
  TlxGridDBDataController* controller = DataController();
  if (controller == nullptr || Item() == nullptr || Item()->Index() < 0 || value == FieldName())
    return;
  if (FilterMRUValueItems() != nullptr)
    FilterMRUValueItems()->Clear();
  controller->ChangeFieldName(Item()->Index(), value);
}

TField* TlxGridItemDBDataBinding::Field() const {
  TlxGridDBDataController* controller = DataController();
  if (controller == nullptr || Item() == nullptr || Item()->Index() < 0)
    return nullptr;
  return controller->GetItemField(Item()->Index());
}

void TlxGridItemDBDataBinding::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxGridItemDBDataBinding*>(source))
    SetFieldName(other->FieldName());
  TlxGridItemDataBinding::Assign(source);
}

std::string TlxGridItemDBDataBinding::GetBoundFieldName() const {
  TField* field = Field();
  return field != nullptr ? field->FieldName() : std::string();
}

void TlxGridItemDBDataBinding::Init() {
  auto* provider = dynamic_cast<TlxGridDBDefaultValuesProvider*>(DefaultValuesProvider());
  TlxGridDBDataController* controller = DataController();
  if (provider == nullptr || controller == nullptr)
    return;
  provider->SetDataSource(controller->DataSource());
  provider->SetField(Field());
  provider->SetFieldName(FieldName());
}

bool TlxGridItemDBDataBinding::IsValueTypeStored() const { return FieldName().empty(); }

std::string TlxGridItemDBDataBinding::GetDefaultCaption() const {
  if (TField* field = Field())
    return field->DisplayName();
  return FieldName();
}

TlxEditRepositoryItem* TlxGridItemDBDataBinding::GetDefaultRepositoryItem() const {
  TField* field = Field();
  if (field == nullptr)
    return TlxGridItemDataBinding::GetDefaultRepositoryItem();
  return lxGetEditDBRegisteredRepositoryItems().FindItemForField(field);
}

int32_t TlxGridItemDBDataBinding::GetDefaultWidth() const {
  TField* field = Field();
  TlxCustomGridTableItem* item = Item();
  TlxCustomGridView* view = item != nullptr ? item->GridView() : nullptr;
  if (field == nullptr || view == nullptr || view->ViewInfo() == nullptr || view->Site() == nullptr)
    return TlxGridItemDataBinding::GetDefaultWidth();
  TlxPaintParams params;
  item->Styles()->GetContentParams(nullptr, params);
  TlxCanvas& canvas = view->ViewInfo()->Canvas();
  if (params.Font != nullptr)
    canvas.Font().Assign(params.Font);
  return canvas.MeasureTextWidth("0") * field->DisplayWidth() + 4;
}

// --- TlxGridDBColumn -----------------------------------------------------------------------------

void TlxGridDBColumn::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridDBColumn>();
  p.Persistent("DataBinding", TlxGridItemDBDataBinding::kClass,
               [](const TlxGridDBColumn& self) -> TObject* { return self.DataBinding(); });
}

TlxGridItemDBDataBinding* TlxGridDBColumn::DataBinding() const {
  return dynamic_cast<TlxGridItemDBDataBinding*>(TlxGridColumn::DataBinding());
}

void TlxGridDBColumn::SetDataBinding(const TlxGridItemDBDataBinding& value) {
  if (TlxGridItemDBDataBinding* binding = DataBinding())
    binding->Assign(&value);
}

// --- TlxGridDBTableSummaryItem -------------------------------------------------------------------

void TlxGridDBTableSummaryItem::Assign(const TPersistent* source) {
  TlxDBDataSummaryItem::Assign(source);
  if (const auto* other = dynamic_cast<const TlxGridDBTableSummaryItem*>(source)) {
    SetDisplayText(other->DisplayText());
    SetVisibleForCustomization(other->VisibleForCustomization());
  }
}

TlxGridColumn* TlxGridDBTableSummaryItem::Column() const { return dynamic_cast<TlxGridColumn*>(LinkedItem()); }

void TlxGridDBTableSummaryItem::SetColumn(TlxGridColumn* value) { SetLinkedItem(value); }

TlxGridTableView* TlxGridDBTableSummaryItem::GridView() const {
  TlxCustomDataController* controller = OwnerDataController();
  return controller != nullptr ? dynamic_cast<TlxGridTableView*>(controller->OwnerComponent()) : nullptr;
}

void TlxGridDBTableSummaryItem::SetDisplayText(const std::string& value) {
  if (display_text_ == value)
    return;
  display_text_ = value;
  if (TlxGridTableView* view = GridView())
    view->Changed(vckProperty);
}

void TlxGridDBTableSummaryItem::SetVisibleForCustomization(bool value) {
  if (visible_for_customization_ == value)
    return;
  visible_for_customization_ = value;
  if (TlxGridTableView* view = GridView())
    view->Changed(vckProperty);
}

Variant TlxGridDBTableSummaryItem::GetStoredColumn() const {
  TlxGridColumn* column = Column();
  return Variant(column != nullptr ? column->Name() : std::string());
}

void TlxGridDBTableSummaryItem::SetStoredColumn(const Variant& value) {
  const std::string name = VarToStr(value);
  TlxGridTableView* view = GridView();
  SetColumn(view != nullptr && !name.empty() ? dynamic_cast<TlxGridColumn*>(view->FindItemByName(name)) : nullptr);
}

// --- TlxGridDBTableView --------------------------------------------------------------------------

TlxGridDBDataController* TlxGridDBTableView::DataController() const {
  return static_cast<TlxGridDBDataController*>(TlxGridTableView::DataController());
}

void TlxGridDBTableView::SetDataController(const TlxGridDBDataController& value) { DataController()->Assign(&value); }

TlxGridDBColumn* TlxGridDBTableView::CreateColumn() { return static_cast<TlxGridDBColumn*>(CreateItem()); }

TlxGridDBColumn* TlxGridDBTableView::GetColumnByFieldName(const std::string& field_name) const {
  return dynamic_cast<TlxGridDBColumn*>(DataController()->GetItemByFieldName(field_name));
}

// --- module --------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& DBTableViewModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxGridDBTableViewModuleStart() {
  DBTableViewModule().Start([] {
    lxGridTableViewModuleStart();
    RegisterStreamableClasses({&TlxGridItemDBDataBinding::kClass, &TlxGridDBColumn::kClass});
    TlxGridRegisteredViews::Instance().AddClass(&TlxGridDBTableView::kClass, "DB Table");
  });
}

void lxGridDBTableViewModuleEnd() {
  DBTableViewModule().End([] {
    TlxGridRegisteredViews::Instance().RemoveClass(&TlxGridDBTableView::kClass);
    lxGridTableViewModuleEnd();
  });
}
