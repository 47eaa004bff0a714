#include "editors/kinds/db_lookup_edit_win.h"

#include "data/db_data_controller.h"
#include "data/db_data_field.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "editors/kinds/db_lookup_links.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/base/component.h"

namespace {

constexpr const char* kCircularDataLink = "Zirkuläre Datenverbindungen sind nicht erlaubt";
constexpr const char* kPropertyDefinedByLookupField = "Eigenschaft bereits durch Lookup-Feld definiert";

}  // namespace

// --- lookup data ----------------------------------------------------------------------------

void TlxCustomDBLookupEditLookupData::SetCurrentKeyFromRecord(int32_t record_index) {
  auto* properties = static_cast<TlxCustomDBLookupEditProperties*>(LookupProperties());
  TlxDBDataController* controller = properties->GetListDBDataController();
  if (record_index < 0 || controller == nullptr) {
    StoreCurrentKey(Variant::Null());
    return;
  }
  StoreCurrentKey(controller->GetRecordKeyValue(record_index));
}

void TlxCustomDBLookupEditLookupData::SyncFocusedRecord() {
  auto* properties = static_cast<TlxCustomDBLookupEditProperties*>(LookupProperties());
  TlxDBDataController* controller = properties->GetListDBDataController();
  if (controller == nullptr)
    return;
  properties->LockListDataChanged();
  TScopeExit unlock([properties] { properties->UnlockListDataChanged(); });
  try {
    controller->LocateByKey(CurrentKey());
  } catch (const EVariantError&) {
    // A key of the wrong shape has no row.
  } catch (const EDatabaseError&) {
    // Nor has a key the list dataset cannot search.
  }
}

// --- properties -----------------------------------------------------------------------------

TlxCustomDBLookupEditProperties::TlxCustomDBLookupEditProperties(TPersistent* owner)
    : TlxCustomLookupEditProperties(owner) {}

TlxCustomDBLookupEditProperties::~TlxCustomDBLookupEditProperties() {
  // The lookup field may outlive these properties: stop watching it first.
  SetLookupField(nullptr);
  free_notificator_.reset();
  lookup_cache_.reset();
  cached_lookup_source_.reset();
}

TlxCustomDataController* TlxCustomDBLookupEditProperties::GetListDataController() const {
  return GetListDBDataController();
}

TField* TlxCustomDBLookupEditProperties::GetDataField() const {
  IlxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if (provider == nullptr)
    return nullptr;
  auto* db_provider = dynamic_cast<TlxCustomDBEditDefaultValuesProvider*>(provider->GetProviderObject());
  return db_provider != nullptr ? db_provider->Field() : nullptr;
}

TField* TlxCustomDBLookupEditProperties::GetLookupField() const {
  TField* field = GetDataField();
  if (field == nullptr || field->FieldKind() != fkLookup || field->ComponentState().Contains(csDestroying))
    return nullptr;
  return field;
}

TField* TlxCustomDBLookupEditProperties::GetDisplayField() const {
  const int32_t index = GetActualDisplayColumnIndex();
  return index == -1 ? nullptr : GetListColumnField(index);
}

TDataSet* TlxCustomDBLookupEditProperties::ListDataSet() const {
  TlxDBDataController* controller = GetListDBDataController();
  return controller != nullptr ? controller->GetDataSet() : nullptr;
}

bool TlxCustomDBLookupEditProperties::IsKeyDisplayField() const {
  const std::string names = KeyFieldNames();
  if (names.empty() || names.find(';') != std::string::npos)
    return false;
  TDataSet* dataset = ListDataSet();
  if (dataset == nullptr)
    return false;
  TField* key_field = dataset->FindField(names);
  if (key_field == nullptr || key_field != GetDisplayField())
    return false;
  return DropDownListStyle() == lsEditList || dynamic_cast<TStringField*>(key_field) != nullptr;
}

void TlxCustomDBLookupEditProperties::CheckNotDefinedByLookupField() const {
  if (IsDefinedByLookupField() && !syncing_)
    DatabaseError(kPropertyDefinedByLookupField);
}

bool TlxCustomDBLookupEditProperties::IsCircularLink(const TDataSource* list_source) const {
  TField* data_field = GetDataField();
  if (data_field == nullptr || list_source == nullptr)
    return false;
  return lxIsCircularDataLink(data_field->DataSet(), list_source->DataSet());
}

void TlxCustomDBLookupEditProperties::CheckCircularLink() const {
  TlxDBDataController* controller = GetListDBDataController();
  if (controller != nullptr && IsCircularLink(controller->DataSource()))
    DatabaseError(kCircularDataLink);
}

// --- settings -------------------------------------------------------------------------------

void TlxCustomDBLookupEditProperties::SetGridMode(bool value) {
  if (value == GridMode())
    return;
  if (value)
    lookup_cache_ = std::make_unique<TlxLookupList>();
  else
    lookup_cache_.reset();
  Changed();
}

std::string TlxCustomDBLookupEditProperties::KeyFieldNames() const {
  TlxDBDataController* controller = GetListDBDataController();
  return controller != nullptr ? controller->KeyFieldNames() : std::string();
}

void TlxCustomDBLookupEditProperties::SetKeyFieldNames(const std::string& names) {
  CheckNotDefinedByLookupField();
  if (TlxDBDataController* controller = GetListDBDataController())
    controller->SetKeyFieldNames(names);
}

std::string TlxCustomDBLookupEditProperties::ListFieldNames() const {
  std::string names;
  for (int32_t i = 0; i < GetListColumnCount(); ++i) {
    std::string name;
    GetListColumnFieldName(i, name);
    if (i > 0)
      names += ';';
    names += name;
  }
  return names;
}

void TlxCustomDBLookupEditProperties::SetListFieldNames(const std::string& names) {
  const std::string old_names = ListFieldNames();
  {
    BeginListColumnsUpdate();
    TScopeExit end([this] { EndListColumnsUpdate(); });
    SetListColumnFieldNames(names);
    UpdateDisplayColumnFromLookupField();
    ClampDisplayColumnIndex();
  }
  if (old_names != names)
    Changed();
}

void TlxCustomDBLookupEditProperties::SetDisplayColumnIndex(int32_t index) {
  CheckNotDefinedByLookupField();
  TlxCustomLookupEditProperties::SetDisplayColumnIndex(index);
}

int32_t TlxCustomDBLookupEditProperties::GetDisplayColumnIndex() const {
  TField* lookup_field = GetLookupField();
  if (lookup_field != nullptr && !lookup_field->LookupResultField().empty())
    return IndexOfListColumnField(lookup_field->LookupResultField());
  return TlxCustomLookupEditProperties::GetDisplayColumnIndex();
}

// --- the lookup field -----------------------------------------------------------------------

void TlxCustomDBLookupEditProperties::UpdateLookupField() {
  SetLookupField(GetLookupField());
  CheckCircularLink();
}

void TlxCustomDBLookupEditProperties::UpdateDisplayColumnFromLookupField() {
  TField* lookup_field = GetLookupField();
  if (lookup_field != nullptr && !lookup_field->LookupResultField().empty())
    AddListColumnForField(lookup_field->LookupResultField());
}

void TlxCustomDBLookupEditProperties::HandleLookupSourceFreeNotification(TComponent* /*sender*/) {
  UpdateLookupField();
}

void TlxCustomDBLookupEditProperties::SetLookupField(TField* field) {
  if (field == lookup_field_)
    return;
  lookup_field_ = field;
  TlxDBDataController* controller = GetListDBDataController();
  if (field == nullptr) {
    free_notificator_.reset();
    lookup_source_ = nullptr;
    if (controller != nullptr && cached_lookup_source_ != nullptr &&
        controller->DataSource() == cached_lookup_source_.get())
      controller->SetDataSource(nullptr);
    return;
  }
  if (cached_lookup_source_ == nullptr)
    cached_lookup_source_ = std::make_unique<TDataSource>(nullptr);
  lookup_source_ = cached_lookup_source_.get();
  free_notificator_ = std::make_unique<TlxFreeNotificator>(nullptr);
  free_notificator_->OnFreeNotification = [this](TComponent* sender) { HandleLookupSourceFreeNotification(sender); };
  free_notificator_->AddSender(field);
  lookup_source_->SetDataSet(field->LookupDataSet());
  if (controller == nullptr)
    return;
  TStateScope<bool> syncing(syncing_, true);
  // The list's own data changes must not re-enter while it is being set up.
  TlxLookupPropertiesLock lock(this);
  controller->SetDataSource(lookup_source_);
  if (IndexOfListColumnField(field->LookupResultField()) == -1)
    SetListFieldNames(field->LookupResultField());
  SetKeyFieldNames(field->LookupKeyFields());
  SetListFieldIndex(0);
}

// --- overrides ------------------------------------------------------------------------------

void TlxCustomDBLookupEditProperties::Assign(const TPersistent* source) {
  const auto* db_lookup = dynamic_cast<const TlxCustomDBLookupEditProperties*>(source);
  if (db_lookup == nullptr) {
    TlxCustomLookupEditProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  TlxCustomLookupEditProperties::Assign(source);
  SetCaseSensitiveSearch(db_lookup->CaseSensitiveSearch());
  if (!IsDefinedByLookupField())
    SetKeyFieldNames(db_lookup->KeyFieldNames());
}

void TlxCustomDBLookupEditProperties::ReleaseDefaultValuesProvider() {
  TlxCustomLookupEditProperties::ReleaseDefaultValuesProvider();
  // The lookup field went with the provider: derive the list settings
  // again without telling the editors.
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(false); });
  Changed();
}

void TlxCustomDBLookupEditProperties::Changed() {
  ClearLookupCache();
  if (TlxDBDataController* controller = GetListDBDataController())
    controller->DataModeController().SetGridMode(GridMode());
  UpdateLookupField();
  UpdateDisplayColumnFromLookupField();
  TlxCustomLookupEditProperties::Changed();
}

const TClass* TlxCustomDBLookupEditProperties::GetEditControlClass() const { return &TlxCustomDBLookupEdit::kClass; }

TAlignment TlxCustomDBLookupEditProperties::GetDefaultHorzAlignment() const {
  if (TField* field = GetDisplayField())
    return field->Alignment();
  return TlxCustomLookupEditProperties::GetDefaultHorzAlignment();
}

int32_t TlxCustomDBLookupEditProperties::GetDefaultMaxLength() const {
  if (TField* field = GetDisplayField())
    return field->Size();
  return TlxCustomLookupEditProperties::GetDefaultMaxLength();
}

int32_t TlxCustomDBLookupEditProperties::CanUseFieldDisplayFormat(bool edit_focused) const {
  if (GetLookupField() != nullptr)
    return edit_focused ? 2 : 1;
  return TlxCustomLookupEditProperties::CanUseFieldDisplayFormat(edit_focused);
}

void TlxCustomDBLookupEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                            bool edit_focused) const {
  if (IsKeyDisplayField() && DropDownListStyle() != lsEditList && !edit_focused) {
    display_value = Variant(VarToStr(edit_value));
    return;
  }
  TlxCustomLookupEditProperties::ConvertToDisplayValue(edit_value, display_value, edit_focused);
}

bool TlxCustomDBLookupEditProperties::IsIncrementalFiltering() const {
  return !GridMode() && TlxCustomLookupEditProperties::IsIncrementalFiltering();
}

void TlxCustomDBLookupEditProperties::GetNullKey(Variant& key) const { key = lxLookupNullKey(KeyFieldNames()); }

bool TlxCustomDBLookupEditProperties::UsesTextAsEditValue() const {
  return DropDownListStyle() == lsEditList && IsKeyDisplayField();
}

void TlxCustomDBLookupEditProperties::LockListDataChanged() {
  TlxCustomLookupEditProperties::LockListDataChanged();
  TlxDBDataController* controller = GetListDBDataController();
  if (controller == nullptr || !controller->IsGridMode())
    return;
  ++grid_mode_lock_count_;
  // The locate bracket keeps the list grid from following the cursor
  // moves that find the texts of keys.
  controller->BeginLocate();
}

void TlxCustomDBLookupEditProperties::UnlockListDataChanged() {
  if (grid_mode_lock_count_ > 0) {
    if (TlxDBDataController* controller = GetListDBDataController())
      controller->EndLocate();
    --grid_mode_lock_count_;
  }
  TlxCustomLookupEditProperties::UnlockListDataChanged();
}

void TlxCustomDBLookupEditProperties::HandleListDataChanged(TObject* sender) {
  // Texts cached for keys go stale with the list's data, also while the
  // properties themselves hold back their change notification.
  if (!in_own_locate_)
    ClearLookupCache();
  TlxCustomLookupEditProperties::HandleListDataChanged(sender);
}

void TlxCustomDBLookupEditProperties::ClearLookupCache() const {
  if (lookup_cache_ != nullptr)
    lookup_cache_->Clear();
}

// --- texts and searches ---------------------------------------------------------------------

int32_t TlxCustomDBLookupEditProperties::FindRecordIndexByKey(const Variant& key) const {
  TlxDBDataController* controller = GetListDBDataController();
  if (controller == nullptr)
    return -1;
  try {
    return controller->FindRecordIndexByKey(key);
  } catch (const EVariantError&) {
    return -1;
  }
}

std::string TlxCustomDBLookupEditProperties::LocateDisplayText(const Variant& key) const {
  TDataSet* dataset = ListDataSet();
  TField* display_field = GetDisplayField();
  if (dataset == nullptr || !dataset->Active() || display_field == nullptr)
    return {};
  const std::string names = KeyFieldNames();
  if (!lxDBCanLocateKeyValues(dataset, names, key))
    return {};
  TStateScope<bool> locating(in_own_locate_, true);
  if (!dataset->Locate(names, key, TLocateOptions{}))
    return {};
  return display_field->AsString();
}

void TlxCustomDBLookupEditProperties::GridModeDisplayText(const Variant& key, std::string& text) const {
  int32_t position = 0;
  if (lookup_cache_->Find(key, position)) {
    text = lookup_cache_->ItemAt(position).DisplayText;
    return;
  }
  auto* self = const_cast<TlxCustomDBLookupEditProperties*>(this);
  {
    self->LockListDataChanged();
    TScopeExit unlock([self] { self->UnlockListDataChanged(); });
    text = LocateDisplayText(key);
  }
  // A missing key is cached too, so that it is not searched again.
  if (lookup_cache_ != nullptr)
    lookup_cache_->Insert(position, key, text);
}

void TlxCustomDBLookupEditProperties::GetDisplayText(const Variant& key, std::string& text) const {
  text.clear();
  const int32_t column = GetActualDisplayColumnIndex();
  TlxDBDataController* controller = GetListDBDataController();
  if (column == -1 || controller == nullptr)
    return;
  if (GridMode()) {
    GridModeDisplayText(key, text);
    return;
  }
  const int32_t record = FindRecordIndexByKey(key);
  if (record != -1)
    text = controller->GetDisplayText(record, column);
}

int32_t TlxCustomDBLookupEditProperties::FindByText(int32_t item_index, const std::string& text,
                                                    bool partial) const {
  if (!GridMode())
    return TlxCustomLookupEditProperties::FindByText(item_index, text, partial);
  TlxDBDataController* controller = GetListDBDataController();
  TDataSet* dataset = ListDataSet();
  if (controller == nullptr || dataset == nullptr || !dataset->Active() || item_index == -1)
    return -1;
  auto* self = const_cast<TlxCustomDBLookupEditProperties*>(this);
  self->LockListDataChanged();
  TScopeExit unlock([self] { self->UnlockListDataChanged(); });
  const TField* field = controller->GetItemField(item_index);
  const Variant value =
      text.empty() && dynamic_cast<const TStringField*>(field) == nullptr ? Variant::Null() : Variant(text);
  TLocateOptions options;
  if (!case_sensitive_search_)
    options.Include(loCaseInsensitive);
  if (partial)
    options.Include(loPartialKey);
  try {
    TStateScope<bool> locating(in_own_locate_, true);
    if (!dataset->Locate(controller->GetItemFieldName(item_index), value, options))
      return -1;
  } catch (const EDatabaseError&) {
    return -1;
  } catch (const EVariantError&) {
    return -1;
  }
  return controller->FocusedRecordIndex();
}

// --- the control ----------------------------------------------------------------------------

TlxCustomDBLookupEdit::TlxCustomDBLookupEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomLookupEdit(owner, properties_class) {
  InstallLookupData(std::make_unique<TlxCustomDBLookupEditLookupData>(this));
}

Variant TlxCustomDBLookupEdit::GetEmptyValue() const {
  TlxCustomDBLookupEditProperties* properties = ActiveDBLookupProperties();
  const bool focused = const_cast<TlxCustomDBLookupEdit*>(this)->IsFocusedForFormatting();
  const std::string names = properties->KeyFieldNames();
  if (properties->CanUseFieldDisplayFormat(focused) != 2 || names.find(';') == std::string::npos)
    return Variant::Null();
  TDataSource* source = properties->LookupSource();
  TDataSet* dataset = source != nullptr ? source->DataSet() : nullptr;
  const int32_t count = dataset != nullptr ? static_cast<int32_t>(dataset->GetFieldList(names).size()) : 0;
  if (count == 0)
    return Variant::Null();
  Variant value = VarArrayCreate(0, count - 1, varVariant);
  for (int32_t i = 0; i < count; ++i)
    VarArrayPut(value, Variant::Null(), i);
  return value;
}

bool TlxCustomDBLookupEdit::IsValidDataChar(char16_t ch) {
  if (TField* field = ActiveDBLookupProperties()->GetDisplayField())
    return field->IsValidChar(ch);
  return true;
}

void TlxCustomDBLookupEdit::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                  bool edit_focused) {
  TlxCustomDBLookupEditProperties* properties = ActiveDBLookupProperties();
  if (properties->DropDownListStyle() == lsEditList || IsFocusWithin() || !properties->IsKeyDisplayField()) {
    properties->ConvertToDisplayValue(edit_value, display_value, edit_focused);
    return;
  }
  display_value = Variant(VarToStr(edit_value));
}

void TlxCustomDBLookupEdit::ItemIndexToLookupKey(int32_t index, Variant& key) {
  TlxDBDataController* controller = ActiveDBLookupProperties()->GetListDBDataController();
  key = index < 0 || controller == nullptr ? Variant::Null() : controller->GetRecordKeyValue(index);
}

int32_t TlxCustomDBLookupEdit::LookupKeyToItemIndex(const Variant& key) {
  return ActiveDBLookupProperties()->FindRecordIndexByKey(key);
}

void TlxCustomDBLookupEdit::PopupWindowClosed(int32_t reason) {
  const TAliveToken alive = AliveToken();
  TlxCustomLookupEdit::PopupWindowClosed(reason);
  if (!alive.Alive())
    return;
  TlxDBDataController* controller = ActiveDBLookupProperties()->GetListDBDataController();
  // In sync mode the list dataset's cursor follows the list: it returns to
  // the record of the edit value.
  if (controller != nullptr && controller->DataModeController().SyncMode())
    GetLookupEditData()->SetCurrentKey(GetEditValue());
}
