#include "editors/kinds/lookup_db_grid_win.h"

#include "data/db_field_helpers.h"
#include "editors/kinds/db_repository_items.h"
#include "editors/kinds/lookup_grid_view_info_win.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

// --- TlxLookupGridDBDataController ---------------------------------------------------------------

TlxLookupGridDBDataController::TlxLookupGridDBDataController(TComponent* owner) : TlxDBDataController(owner) {
  // The list follows its own focus; the dataset's cursor and inserts of
  // other controls stay the dataset's business.
  DataModeController().SetSyncMode(false);
  DataModeController().SetMirrorDataSetInserts(false);
}

TObject* TlxLookupGridDBDataController::GetItem(int32_t index) const {
  auto* grid = dynamic_cast<TlxCustomLookupGrid*>(OwnerComponent());
  if (grid == nullptr || index < 0 || index >= grid->Columns().Count()) {
    CheckItemRange(index);
    return ItemField(index)->Item();
  }
  return grid->Columns().GetItem(index);
}

void TlxLookupGridDBDataController::AfterSequencedScroll() {
  if (auto* grid = dynamic_cast<TlxCustomLookupGrid*>(OwnerComponent()))
    grid->UpdateScrollBars();
}

// --- TlxLookupDBGridDefaultValuesProvider ----------------------------------------------------------

bool TlxLookupDBGridDefaultValuesProvider::IsDisplayFormatDefined(bool /*is_inplace*/) const {
  return lxLookupGridColumnStoresDisplayText(GetOwner());
}

// --- TlxLookupDBGridColumn -------------------------------------------------------------------------

void TlxLookupDBGridColumn::Publish(TPropertyListBuilder& properties) {
  using C = TlxLookupDBGridColumn;
  auto p = properties.For<C>();
  p.String("FieldName", &C::FieldName, &C::SetFieldName);
}

TlxLookupDBGridColumn::TlxLookupDBGridColumn(TCollection* collection) : TlxLookupGridColumn(collection) {
  RecreateDefaultValuesProvider();
}

void TlxLookupDBGridColumn::CopyFrom(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxLookupDBGridColumn*>(source))
    SetFieldName(other->FieldName());
  TlxLookupGridColumn::CopyFrom(source);
}

void TlxLookupDBGridColumn::GetDefaultCaption(std::string& caption) const {
  if (const TField* field = GetField())
    caption = field->DisplayName();
  else
    caption = FieldName();
}

TlxEditRepositoryItem* TlxLookupDBGridColumn::GetDefaultRepositoryItem() const {
  return lxGetEditDBRegisteredRepositoryItems().FindItemForField(GetField());
}

int32_t TlxLookupDBGridColumn::GetDefaultWidth() const {
  const TField* field = GetField();
  TlxCustomLookupGrid* grid = Grid();
  if (field == nullptr || grid == nullptr)
    return TlxLookupGridColumn::GetDefaultWidth();
  TlxCanvas& canvas = grid->CurrentCanvas();
  if (TFont* font = GetContentFont())
    canvas.AssignFont(*font);
  const int32_t digit_width = canvas.MeasureTextWidth("0");
  int32_t header_width = 0;
  if (grid->Options().ShowHeader()) {
    std::string caption = IsCaptionAssigned() ? Caption() : std::string();
    if (!IsCaptionAssigned())
      GetDefaultCaption(caption);
    header_width = grid->GridPainter().LFPainterClass()->GetHeaderWidth(canvas, lxAllBorders, caption,
                                                                         grid->ViewInfo().GetHeaderFont());
  }
  return lxLookupDBGridColumnWidth(digit_width, field->DisplayWidth(), header_width, MinWidth());
}

TlxLookupGridDBDataController* TlxLookupDBGridColumn::DBDataController() const {
  TlxCustomLookupGrid* grid = Grid();
  return grid != nullptr ? dynamic_cast<TlxLookupGridDBDataController*>(&grid->DataController()) : nullptr;
}

std::string TlxLookupDBGridColumn::FieldName() const {
  TlxLookupGridDBDataController* controller = DBDataController();
  if (controller == nullptr || Index() >= controller->GetItemCount())
    return {};
  return controller->GetItemFieldName(Index());
}

void TlxLookupDBGridColumn::SetFieldName(const std::string& value) {
  TlxLookupGridDBDataController* controller = DBDataController();
  if (controller == nullptr || Index() >= controller->GetItemCount())
    return;
  controller->ChangeFieldName(Index(), value);
  // Inside an update bracket the controller only marks the new binding; a
  // change of its items makes the bracket's end bind the field.
  controller->Change(dccItemsChanged);
}

TField* TlxLookupDBGridColumn::GetField() const {
  TlxLookupGridDBDataController* controller = DBDataController();
  if (controller == nullptr || Index() >= controller->GetItemCount())
    return nullptr;
  return controller->GetItemField(Index());
}

// --- TlxLookupDBGridColumns ------------------------------------------------------------------------

TlxLookupDBGridColumn* TlxLookupDBGridColumns::FindByFieldName(const std::string& field_name) const {
  for (int32_t i = 0; i < Count(); ++i) {
    TlxLookupDBGridColumn* column = GetItem(i);
    if (AnsiCompareText(column->FieldName(), field_name) == 0)
      return column;
  }
  return nullptr;
}

// --- TlxLookupDBGridOptions ------------------------------------------------------------------------

void TlxLookupDBGridOptions::Publish(TPropertyListBuilder& properties) {
  using O = TlxLookupDBGridOptions;
  auto p = properties.For<O>();
  p.Boolean("SyncMode", &O::SyncMode, &O::SetSyncMode, false).Stored = [](const TPersistent&) { return false; };
}

void TlxLookupDBGridOptions::CopyFrom(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxLookupDBGridOptions*>(source);
  if (other == nullptr) {
    TlxLookupGridOptions::CopyFrom(source);
    return;
  }
  if (Grid() != nullptr)
    Grid()->BeginUpdate();
  TScopeExit end([this] {
    if (Grid() != nullptr)
      Grid()->EndUpdate();
  });
  TlxLookupGridOptions::CopyFrom(source);
  SetSyncMode(other->SyncMode());
}

bool TlxLookupDBGridOptions::SyncMode() const {
  auto* controller = Grid() != nullptr ? dynamic_cast<TlxDBDataController*>(&Grid()->DataController()) : nullptr;
  return controller != nullptr && controller->DataModeController().SyncMode();
}

void TlxLookupDBGridOptions::SetSyncMode(bool value) {
  // Without a grid there is no data mode controller to keep it: it is lost.
  auto* controller = Grid() != nullptr ? dynamic_cast<TlxDBDataController*>(&Grid()->DataController()) : nullptr;
  if (controller != nullptr)
    controller->DataModeController().SetSyncMode(value);
}

// --- TlxCustomLookupDBGrid -------------------------------------------------------------------------

TlxCustomLookupDBGrid::TlxCustomLookupDBGrid(TComponent* owner) : TlxCustomLookupGrid(owner, false) {
  CreateParts();
}

std::unique_ptr<TlxLookupGridColumns> TlxCustomLookupDBGrid::NewColumns() {
  return std::make_unique<TlxLookupDBGridColumns>(this, *GetColumnClass());
}

std::unique_ptr<TlxLookupGridOptions> TlxCustomLookupDBGrid::NewOptions() {
  return std::make_unique<TlxLookupDBGridOptions>(this);
}

void TlxCustomLookupDBGrid::DataChanged() {
  for (int32_t i = 0; i < Columns().Count(); ++i) {
    TlxLookupDBGridColumn* column = DBColumns().GetItem(i);
    if (auto* provider = dynamic_cast<TlxCustomDBEditDefaultValuesProvider*>(column->DefaultValuesProvider()))
      provider->SetField(column->GetField());
  }
  TlxCustomLookupGrid::DataChanged();
}

bool TlxCustomLookupDBGrid::ScrollsByRecordNumber() const {
  if (!HasDataController() || !DataController().IsGridMode())
    return false;
  const TDataSet* dataset = DBDataController().GetDataSet();
  return dataset != nullptr && dataset->IsSequenced();
}

void TlxCustomLookupDBGrid::InitScrollBarsParams() {
  if (!ScrollsByRecordNumber() || !HasViewInfo()) {
    TlxCustomLookupGrid::InitScrollBarsParams();
    return;
  }
  const TlxLookupGridScrollBar bar = lxLookupGridRecordsScrollBar(
      DBDataController().GetDataSetRecordCount(), DBDataController().GetDataSetRecNo(), ViewInfo().VisibleRowCount);
  SetScrollBarParams(sbVertical, bar.Min, bar.Max, 1, bar.Page, bar.Position, true, true);
}

void TlxCustomLookupDBGrid::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  if (kind != sbVertical || !ScrollsByRecordNumber()) {
    TlxCustomLookupGrid::ScrollContent(kind, code, position);
    return;
  }
  switch (code) {
    case scLineUp: MoveFocusedRow(false); break;
    case scLineDown: MoveFocusedRow(true); break;
    case scPageUp: PageUp(); break;
    case scPageDown: PageDown(); break;
    case scPosition: DBDataController().SetDataSetRecNo(position + 1); break;
    default: break;
  }
  position = DBDataController().GetDataSetRecNo() - 1;
}

void TlxCustomLookupDBGrid::CreateColumnsForFieldNames(const TStrings& names) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (int32_t i = 0; i < names.Count(); ++i)
    DBColumns().Add()->SetFieldName(names.Get(i));
}

void TlxCustomLookupDBGrid::SetListFieldNames(const std::string& names) {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  Columns().Clear();
  TStringList list;
  lxDBSplitFieldNames(names, list);
  CreateColumnsForFieldNames(list);
}

void TlxCustomLookupDBGrid::AssignColumns(const TlxLookupGridColumns* columns) { Columns().Assign(columns); }

void TlxCustomLookupDBGrid::AssignOptions(const TlxLookupGridOptions* options) { Options().Assign(options); }

TDataSource* TlxCustomLookupDBGrid::DataSource() const { return DBDataController().DataSource(); }

void TlxCustomLookupDBGrid::SetDataSource(TDataSource* source) { DBDataController().SetDataSource(source); }

std::string TlxCustomLookupDBGrid::KeyFieldNames() const { return DBDataController().KeyFieldNames(); }

void TlxCustomLookupDBGrid::SetKeyFieldNames(const std::string& names) {
  DBDataController().SetKeyFieldNames(names);
}
