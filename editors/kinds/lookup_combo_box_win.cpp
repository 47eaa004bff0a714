#include "editors/kinds/lookup_combo_box_win.h"

#include <utility>

#include "editors/edit_repository.h"
#include "editors/filter_condition_operators.h"
#include "editors/kinds/db_repository_items.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

namespace {

constexpr const char* kLookupComboBoxKindText = "LookupComboBox|Represents a lookup combo box control";
constexpr int32_t kDefaultVersion = -1;

}  // namespace

// --- properties -----------------------------------------------------------------------------

TlxLookupComboBoxProperties::TlxLookupComboBoxProperties(TPersistent* owner)
    : TlxCustomDBLookupEditProperties(owner),
      grid_(static_cast<TlxCustomLookupDBGrid*>(GetLookupGridClass().CreateInstance(nullptr))) {
  grid_->SetPopupMode(true);
  grid_->Options().OnChanged = [this](TObject* sender) { HandleListOptionsChanged(sender); };
  AddDataChangedHandler();
}

TlxLookupComboBoxProperties::~TlxLookupComboBoxProperties() {
  RemoveDataChangedHandler();
  // The lookup field's source feeds the grid: let go of it while both live.
  SetLookupField(nullptr);
  grid_.reset();
}

void TlxLookupComboBoxProperties::HandleListOptionsChanged(TObject* /*sender*/) { Changed(); }

const TClass* TlxLookupComboBoxProperties::GetEditControlClass() const { return &TlxLookupComboBox::kClass; }

int32_t TlxLookupComboBoxProperties::GetListColumnCount() const { return grid_->Columns().Count(); }

int32_t TlxLookupComboBoxProperties::GetListColumnsWidth() const {
  int32_t width = 0;
  for (int32_t i = 0; i < grid_->Columns().Count(); ++i)
    width += grid_->Columns().GetItem(i)->Width();
  return width;
}

void TlxLookupComboBoxProperties::SetListEventHandlers(TNotifyEvent on_click, TNotifyEvent on_focus_change,
                                                       TlxLookupListCloseUpEvent on_close_up) {
  grid_->OnClick = std::move(on_click);
  grid_->OnFocusedRowChanged = std::move(on_focus_change);
  grid_->OnCloseUp = std::move(on_close_up);
}

void TlxLookupComboBoxProperties::SetListStyle(TlxLookAndFeel* look_and_feel, TColor color, TFont* font) {
  grid_->LookAndFeel().SetMaster(look_and_feel);
  grid_->SetColor(color);
  if (font != nullptr)
    grid_->SetFont(*font);
}

void TlxLookupComboBoxProperties::ReleaseListMouse() {
  if (grid_->HandleAllocated() && GetCapture() == grid_->Handle())
    ReleaseCapture();
}

void TlxLookupComboBoxProperties::AddListColumnForField(const std::string& field_name) {
  if (field_name.empty() || IndexOfListColumnField(field_name) != -1)
    return;
  TlxLookupDBGridColumn* column = grid_->DBColumns().Add();
  column->SetFieldName(field_name);
  column->SetIndex(0);
}

TField* TlxLookupComboBoxProperties::GetListColumnField(int32_t index) const {
  return grid_->DBColumns().GetItem(index)->GetField();
}

void TlxLookupComboBoxProperties::GetListColumnFieldName(int32_t index, std::string& name) const {
  name = grid_->DBColumns().GetItem(index)->FieldName();
}

int32_t TlxLookupComboBoxProperties::IndexOfListColumnField(const std::string& field_name) const {
  TlxLookupDBGridColumn* column = grid_->DBColumns().FindByFieldName(field_name);
  return column != nullptr ? column->Index() : -1;
}

TlxDBDataController* TlxLookupComboBoxProperties::GetListDBDataController() const {
  return grid_ != nullptr ? &grid_->DBDataController() : nullptr;
}

void TlxLookupComboBoxProperties::SetListColumns(const TlxLookupDBGridColumns* columns) {
  grid_->AssignColumns(columns);
  UpdateDisplayColumnFromLookupField();
  ClampDisplayColumnIndex();
}

TDataSource* TlxLookupComboBoxProperties::ListSource() const {
  return IsDefinedByLookupField() ? nullptr : grid_->DataSource();
}

void TlxLookupComboBoxProperties::SetListSource(TDataSource* source) {
  CheckNotDefinedByLookupField();
  if (source != nullptr && IsCircularLink(source))
    DatabaseError("Zirkuläre Datenverbindungen sind nicht erlaubt");
  grid_->SetDataSource(source);
  Changed();
}

const TNotifyEvent& TlxLookupComboBoxProperties::OnSortingChanged() const {
  return grid_->DataController().OnSortingChanged;
}

void TlxLookupComboBoxProperties::SetOnSortingChanged(TNotifyEvent handler) {
  grid_->DataController().OnSortingChanged = std::move(handler);
}

void TlxLookupComboBoxProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxLookupComboBoxProperties*>(source);
  if (other == nullptr) {
    TlxCustomDBLookupEditProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  SetGridMode(other->GridMode());
  SetListOptions(other->ListOptions());
  const bool defined_by_field = IsDefinedByLookupField();
  if (!defined_by_field) {
    SetListSource(other->grid_->DataSource());
    SetListColumns(other->ListColumns());
  }
  SetOnSortingChanged(other->OnSortingChanged());
  TlxCustomDBLookupEditProperties::Assign(source);
  // A lookup field's columns come last, after the settings they depend on.
  if (defined_by_field)
    SetListColumns(other->ListColumns());
}

void TlxLookupComboBoxProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishDropDownEditSettings(properties);
  using P = TlxLookupComboBoxProperties;
  auto p = properties.For<P>();
  p.Boolean("CaseSensitiveSearch", &P::CaseSensitiveSearch, &P::SetCaseSensitiveSearch, false);
  p.Boolean("DropDownAutoSize", &P::DropDownAutoSize, &P::SetDropDownAutoSize, false);
  p.Integer("DropDownHeight", &P::DropDownHeight, &P::SetDropDownHeight, 0);
  p.Enumeration("DropDownListStyle", &P::DropDownListStyle, &P::SetDropDownListStyle,
                {"lsEditFixedList", "lsEditList", "lsFixedList"},
                std::optional<TlxEditDropDownListStyle>(lsEditFixedList));
  p.Integer("DropDownRows", &P::DropDownRows, &P::SetDropDownRows, 8);
  p.Boolean("DropDownSizeable", &P::DropDownSizeable, &P::SetDropDownSizeable, false);
  p.Integer("DropDownWidth", &P::DropDownWidth, &P::SetDropDownWidth, 0);
  p.Boolean("GridMode", &P::GridMode, &P::SetGridMode, false);
  p.Boolean("IncrementalFiltering", &P::IncrementalFiltering, &P::SetIncrementalFiltering, true);
  p.String("KeyFieldNames", &P::KeyFieldNames, &P::SetKeyFieldNames);
  p.Integer("ListFieldIndex", &P::ListFieldIndex, &P::SetListFieldIndex, 0);
  p.String("ListFieldNames", &P::ListFieldNames, &P::SetListFieldNames);
  p.Boolean("Revertable", &P::Revertable, &P::SetRevertable, false);
}

// --- the control ----------------------------------------------------------------------------

void TlxLookupComboBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxLookupComboBox>();
  p.Persistent("Properties", TlxLookupComboBoxProperties::kClass, &TlxLookupComboBox::GetProperties);
  p.Boolean("BeepOnEnter", &TlxLookupComboBox::BeepOnEnter, &TlxLookupComboBox::SetBeepOnEnter, true);
}

// --- the filter helper ----------------------------------------------------------------------

bool TlxFilterLookupComboBoxHelper::KeepsDefaultValuesProvider(
    const TlxCustomEditProperties* source_properties) const {
  const auto* lookup = dynamic_cast<const TlxCustomLookupEditProperties*>(source_properties);
  return lookup != nullptr && lookup->IsDefinedByLookupField();
}

void TlxFilterLookupComboBoxHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                          TlxValueTypeClass /*value_type*/,
                                                          TlxFilterConditionOperators& operators,
                                                          bool /*extended*/) const {
  operators = TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks};
}

void TlxFilterLookupComboBoxHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                              const TlxCustomEditProperties* source_properties,
                                                              bool keep_buttons) const {
  TlxFilterComboBoxHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* lookup = dynamic_cast<TlxCustomLookupEditProperties*>(properties);
  if (lookup == nullptr)
    return;
  lookup->SetDropDownAutoSize(true);
  lookup->SetDropDownListStyle(lsFixedList);
  lookup->SetDropDownSizeable(true);
  lookup->SetIncrementalFiltering(true);
}

void TlxFilterLookupComboBoxHelper::GetFilterValue(TlxCustomLookupEdit& edit, Variant& value,
                                                   std::string& display_text) const {
  value = edit.EditValue();
  display_text.clear();
  edit.GetLookupEditData()->GetDisplayText(value, display_text);
}

// --- the module -----------------------------------------------------------------------------

namespace {

TlxModuleStartCount& LookupComboBoxModule() {
  static TlxModuleStartCount count;
  return count;
}

// The lookup entry's item: its grid holds a dataset-bound data controller,
// which must go before the data layer's own process-wide lists do.
TlxEditRepositoryLookupComboBoxItem*& LookupEntryItem() {
  static TlxEditRepositoryLookupComboBoxItem* item = nullptr;
  return item;
}

}  // namespace

void lxLookupComboBoxModuleStart() {
  LookupComboBoxModule().Start([] {
    RegisterStreamableClasses({&TlxEditRepositoryLookupComboBoxItem::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxLookupComboBoxProperties::kClass, kLookupComboBoxKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxLookupComboBoxProperties::kClass,
                                                &StatelessInstance<TlxFilterLookupComboBoxHelper>());
    auto* item = static_cast<TlxEditRepositoryLookupComboBoxItem*>(
        lxGetDefaultEditRepository().CreateItemOfClass(TlxEditRepositoryLookupComboBoxItem::kClass));
    TlxLookupComboBoxProperties* properties = item->GetProperties();
    properties->ListOptions()->SetGridLines(glNone);
    properties->SetDropDownListStyle(lsEditFixedList);
    properties->ListOptions()->SetShowHeader(false);
    lxGetEditDBRegisteredRepositoryItems().RegisterLookupItem(kDefaultVersion, item);
    LookupEntryItem() = item;
  });
}

void lxLookupComboBoxModuleEnd() {
  LookupComboBoxModule().End([] {
    lxGetEditDBRegisteredRepositoryItems().UnregisterLookupItem(kDefaultVersion);
    if (TlxEditRepositoryLookupComboBoxItem* item = std::exchange(LookupEntryItem(), nullptr)) {
      if (TComponent* owner = item->Owner())
        owner->RemoveComponent(item);
      delete item;
    }
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxLookupComboBoxProperties::kClass,
                                                    &StatelessInstance<TlxFilterLookupComboBoxHelper>());
  });
}
