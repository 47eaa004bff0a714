#include "editors/kinds/lookup_edit_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "editors/edit_popup_window_win.h"
#include "editors/edit_style_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

// The text of a record in an item of the list, or empty without a record.
std::string RecordText(TlxCustomDataController& controller, int32_t record, int32_t item) {
  if (record < 0 || item < 0)
    return {};
  return controller.GetDisplayText(record, item);
}

}  // namespace

// --- the properties' lock -------------------------------------------------------------------

TlxLookupPropertiesLock::TlxLookupPropertiesLock(TlxCustomLookupEditProperties* properties)
    : properties_(properties) {
  if (properties_ != nullptr)
    properties_->Lock();
}

TlxLookupPropertiesLock::~TlxLookupPropertiesLock() {
  if (properties_ != nullptr)
    properties_->Unlock();
}

// --- lookup data ----------------------------------------------------------------------------

TlxCustomLookupEditLookupData::TlxCustomLookupEditLookupData(TlxCustomLookupEdit* owner)
    : TlxCustomTextEditLookupData(owner), owner_(owner), current_key_(Variant::Null()) {}

TlxCustomLookupEditProperties* TlxCustomLookupEditLookupData::LookupProperties() const {
  return owner_->GetActiveLookupProperties();
}

TlxCustomDataController* TlxCustomLookupEditLookupData::ListDataController() const {
  return LookupProperties()->GetListDataController();
}

int32_t TlxCustomLookupEditLookupData::DisplayColumn() const {
  return LookupProperties()->GetActualDisplayColumnIndex();
}

int32_t TlxCustomLookupEditLookupData::FocusedRecord() const {
  TlxCustomDataController* controller = ListDataController();
  return controller != nullptr ? controller->FocusedRecordIndex() : -1;
}

void TlxCustomLookupEditLookupData::LockProperties() { LookupProperties()->Lock(); }

void TlxCustomLookupEditLookupData::UnlockProperties() { LookupProperties()->Unlock(); }

bool TlxCustomLookupEditLookupData::AdjustListSize(TSize& size, int32_t max_height) {
  if (max_height > 0 && max_height < size.cy)
    size.cy = max_height;
  TlxCustomLookupEditProperties* properties = LookupProperties();
  if (properties->CanAdjustListHeight())
    size.cy = properties->GetNearestListHeight(size.cy);
  return true;
}

void TlxCustomLookupEditLookupData::InitializeList() {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TlxLookupPropertiesLock lock(properties);
  properties->LockListDataChanged();
  properties->PrepareList();
  properties->SetListEventHandlers([this](TObject* sender) { HandleListClick(sender); },
                                   [this](TObject* sender) { HandleListFocusChange(sender); },
                                   [this](TObject* sender, bool accept) { HandleListCloseUp(sender, accept); });
  TlxCustomEditStyle* style = owner_->GetCurrentEditStyle();
  properties->SetListStyle(style->LookAndFeel(), style->GetColor(), style->GetTextFont());
  properties->ListShowing();
  visible_ = true;
  SyncListToCurrentKey();
  UpdateFromText();
}

void TlxCustomLookupEditLookupData::ListClosed() {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TlxLookupPropertiesLock lock(properties);
  ResetIncrementalFilter();
  visible_ = false;
  properties->SetListEventHandlers(nullptr, nullptr, nullptr);
  properties->ReleaseListMouse();
  properties->ListClosing();
  properties->UnlockListDataChanged();
}

void TlxCustomLookupEditLookupData::DetachList() { LookupProperties()->DetachListControl(); }

void TlxCustomLookupEditLookupData::PositionListOnText() {
  LookupProperties()->PositionListOnTextHook(owner_->ShownText());
}

bool TlxCustomLookupEditLookupData::ContainsItemText(const std::string& text) {
  return LookupProperties()->IsLookupItemText(text);
}

TWinControl* TlxCustomLookupEditLookupData::GetListControl() { return LookupProperties()->GetListControl(); }

void TlxCustomLookupEditLookupData::GetDisplayText(const Variant& key, std::string& text) {
  LookupProperties()->GetDisplayText(key, text);
}

void TlxCustomLookupEditLookupData::GetListSize(TSize& size) {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  int32_t rows = properties->DropDownRows();
  if (TlxCustomDataController* controller = ListDataController())
    rows = std::min(rows, controller->GetRowCount());
  size.cx = properties->GetListColumnsWidth();
  size.cy = properties->GetListHeightForRows(std::max(rows, 1));
}

void TlxCustomLookupEditLookupData::MoveCurrentItem(TlxLookupMoveDirection direction, bool cycle) {
  TlxCustomDataController* controller = ListDataController();
  if (controller == nullptr || controller->GetRecordCount() == 0)
    return;
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TlxLookupPropertiesLock lock(properties);
  ResetIncrementalFilter();
  UpdateListHeight();
  {
    properties->LockListDataChanged();
    TScopeExit unlock([properties] { properties->UnlockListDataChanged(); });
    const int32_t page = properties->DropDownRows();
    switch (direction) {
      case lmdFirst:
        controller->GotoFirst();
        break;
      case lmdLast:
        controller->GotoLast();
        break;
      default:
        SyncListToCurrentKey();
        if (direction == lmdNext || direction == lmdPageDown) {
          if (cycle && controller->IsEOF())
            controller->GotoFirst();
          else if (direction == lmdNext)
            controller->GotoNext();
          else
            controller->MoveBy(page);
        } else {
          if (cycle && controller->IsBOF())
            controller->GotoLast();
          else if (direction == lmdPrior)
            controller->GotoPrev();
          else
            controller->MoveBy(-page);
        }
        break;
    }
  }
  const int32_t record = controller->FocusedRecordIndex();
  SetCurrentKeyFromRecord(record);
  MarkFocusedRowSelected(record != -1);
  DoSelectItem();
}

void TlxCustomLookupEditLookupData::PrepareListInPopup(TWinControl* popup_window) {
  if (TWinControl* list = LookupProperties()->GetListControl())
    list->SetParent(popup_window);
}

bool TlxCustomLookupEditLookupData::IsEmpty() {
  TlxCustomDataController* controller = ListDataController();
  return DisplayColumn() == -1 || controller == nullptr || controller->GetRecordCount() == 0;
}

bool TlxCustomLookupEditLookupData::IsMouseOverList(const TPoint& screen_point) {
  TWinControl* grid = LookupProperties()->GetListGrid();
  if (grid == nullptr || !grid->HandleAllocated())
    return false;
  return LookupProperties()->IsPointOnListRow(grid->ScreenToClient(screen_point));
}

void TlxCustomLookupEditLookupData::FocusRecord(int32_t record) {
  if (TlxCustomDataController* controller = ListDataController())
    controller->ChangeFocusedRecordIndex(record);
}

bool TlxCustomLookupEditLookupData::ApplyIncrementalFilter(const std::string& text, int32_t& record) {
  TlxCustomDataController* controller = ListDataController();
  if (controller == nullptr) {
    // Properties without a list find nothing.
    record = -1;
    return false;
  }
  const std::string previous = controller->GetIncrementalFilterText();
  record = controller->SetIncrementalFilter(DisplayColumn(), text);
  if (record != -1)
    return true;
  if (LookupProperties()->DropDownListStyle() != lsEditList)
    controller->SetIncrementalFilter(DisplayColumn(), previous);
  return false;
}

bool TlxCustomLookupEditLookupData::Locate(std::string& text, std::string& tail, bool /*next*/) {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TlxCustomDataController* controller = ListDataController();
  const int32_t column = DisplayColumn();
  if (column == -1 || controller == nullptr)
    return false;
  TlxLookupPropertiesLock lock(properties);
  int32_t record = -1;
  if (visible_ && properties->IsIncrementalFiltering() && !text.empty()) {
    ApplyIncrementalFilter(text, record);
    UpdateListHeight();
  } else {
    if (visible_ && properties->IsIncrementalFiltering()) {
      ResetIncrementalFilter();
      UpdateListHeight();
    }
    record = properties->FindByText(column, text, true);
  }
  if (record == -1) {
    MarkFocusedRowSelected(false);
    return false;
  }
  FocusRecord(record);
  SetCurrentKeyFromRecord(record);
  MarkFocusedRowSelected(true);
  const std::u16string found = Utf8ToUtf16(RecordText(*controller, record, column));
  const size_t typed = std::min(found.size(), Utf8ToUtf16(text).size());
  text = Utf16ToUtf8(found.substr(0, typed));
  tail = Utf16ToUtf8(found.substr(typed));
  return true;
}

void TlxCustomLookupEditLookupData::SetListBounds(const TRect& rect) {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TWinControl* grid = properties->GetListGrid();
  if (grid == nullptr)
    return;
  grid->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  grid->HandleNeeded();
  properties->MakeListFocusedRowVisible();
}

void TlxCustomLookupEditLookupData::CommitListSelection() {
  if (!IsListSelectionValid())
    return;
  SetCurrentKeyFromRecord(FocusedRecord());
  DoSelectItem();
}

void TlxCustomLookupEditLookupData::SetCurrentKey(const Variant& key) {
  StoreCurrentKey(key);
  SyncListToCurrentKey();
}

void TlxCustomLookupEditLookupData::StoreCurrentKey(const Variant& key) {
  const bool changed = !lxVarEqualsStrict(current_key_, key);
  current_key_ = key;
  if (changed)
    DoCurrentKeyChanged();
}

void TlxCustomLookupEditLookupData::TextChanged() {
  if (!owner_->IsItemNavigationAllowed())
    return;
  TlxLookupPropertiesLock lock(LookupProperties());
  UpdateFromText();
}

void TlxCustomLookupEditLookupData::DoCurrentKeyChanged() {
  if (const TNotifyEvent& handler = GetOnCurrentKeyChanged())
    handler(this);
}

void TlxCustomLookupEditLookupData::DoSelectItem() {
  if (const TNotifyEvent& handler = GetOnSelectItem())
    handler(this);
}

void TlxCustomLookupEditLookupData::SetCurrentKeyFromRecord(int32_t record_index) {
  StoreCurrentKey(record_index < 0 ? Variant::Null() : Variant(record_index));
}

void TlxCustomLookupEditLookupData::SyncFocusedRecord() {
  TlxCustomDataController* controller = ListDataController();
  if (controller == nullptr)
    return;
  int32_t record = -1;
  if (!current_key_.IsNull() && !current_key_.IsEmpty() && !current_key_.IsArray() && VarIsNumeric(current_key_))
    record = current_key_.AsInteger();
  if (record >= 0 && record < controller->GetRecordCount())
    controller->ChangeFocusedRecordIndex(record);
}

void TlxCustomLookupEditLookupData::HandleListClick(TObject* /*sender*/) { CommitListSelection(); }

void TlxCustomLookupEditLookupData::HandleListCloseUp(TObject* /*sender*/, bool accept) {
  owner_->CloseUp(accept ? crEnter : crCancel);
}

bool TlxCustomLookupEditLookupData::IsListSelectionValid() {
  TlxCustomDataController* controller = ListDataController();
  if (controller == nullptr || controller->GetSelectedCount() != 1)
    return false;
  return controller->GetSelectedRowIndex(0) == controller->FocusedRowIndex();
}

void TlxCustomLookupEditLookupData::MarkFocusedRowSelected(bool selected) {
  TlxCustomDataController* controller = ListDataController();
  if (controller == nullptr)
    return;
  const int32_t row = controller->FocusedRowIndex();
  if (row == -1)
    return;
  controller->ChangeRowSelection(row, selected);
}

bool TlxCustomLookupEditLookupData::LocateText(const std::string& text) {
  TlxCustomDataController* controller = ListDataController();
  const int32_t column = DisplayColumn();
  if (controller == nullptr || column == -1) {
    return false;
  }
  const int32_t record = LookupProperties()->FindByText(column, text, false);
  if (record == -1) {
    MarkFocusedRowSelected(false);
    return false;
  }
  FocusRecord(record);
  SetCurrentKeyFromRecord(record);
  MarkFocusedRowSelected(true);
  return true;
}

void TlxCustomLookupEditLookupData::ResetIncrementalFilter() {
  if (TlxCustomDataController* controller = ListDataController())
    controller->ResetIncrementalFilter();
}

void TlxCustomLookupEditLookupData::SyncListToCurrentKey() {
  SyncFocusedRecord();
  LookupProperties()->MakeListFocusedRowVisible();
}

void TlxCustomLookupEditLookupData::UpdateFromText() {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  if (properties->InListDataChange())
    return;
  TlxCustomDataController* controller = ListDataController();
  const std::string text = owner_->ShownText();
  if (visible_ && properties->IsIncrementalFiltering() && controller != nullptr) {
    if (controller->ChangeIncrementalFilterText(text))
      UpdateListHeight();
  }
  const int32_t column = DisplayColumn();
  if (column == -1 || controller == nullptr)
    return;
  const int32_t focused = controller->FocusedRecordIndex();
  bool matched = focused != -1 && AnsiSameText(RecordText(*controller, focused, column), text);
  if (!matched || !visible_) {
    const int32_t record = properties->FindByText(column, text, false);
    if (record != -1)
      FocusRecord(record);
    SetCurrentKeyFromRecord(record);
    matched = record != -1;
  }
  MarkFocusedRowSelected(matched);
}

void TlxCustomLookupEditLookupData::UpdateListHeight() {
  TlxCustomLookupEditProperties* properties = LookupProperties();
  TlxCustomEditPopupWindow* popup = owner_->PopupWindow();
  TlxCustomDataController* controller = ListDataController();
  if (!visible_ || popup == nullptr || !popup->Visible() || controller == nullptr)
    return;
  const int32_t rows = std::max(std::min(controller->GetRowCount(), properties->DropDownRows()), 1);
  const int32_t height = properties->GetListHeightForRows(rows);
  TWinControl* grid = properties->GetListGrid();
  if (grid == nullptr || grid->ClientHeight() == height)
    return;
  if (!owner_->UserResizedPopup())
    owner_->ResetPopupHeight();
  owner_->PositionPopupWindow();
}

// --- properties -----------------------------------------------------------------------------

TlxCustomLookupEditProperties::TlxCustomLookupEditProperties(TPersistent* owner)
    : TlxCustomComboBoxProperties(owner) {
  SetDropDownAutoSize(false);
  SetDropDownListStyle(lsEditFixedList);
}

TlxCustomLookupEditProperties::~TlxCustomLookupEditProperties() = default;

void TlxCustomLookupEditProperties::Assign(const TPersistent* source) {
  const auto* lookup = dynamic_cast<const TlxCustomLookupEditProperties*>(source);
  if (lookup == nullptr) {
    TlxCustomComboBoxProperties::Assign(source);
    return;
  }
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  TlxCustomComboBoxProperties::Assign(source);
  if (!IsDefinedByLookupField())
    display_column_index_ = lookup->display_column_index_;
  SetIncrementalFiltering(lookup->IncrementalFiltering());
}

const TClass* TlxCustomLookupEditProperties::GetEditControlClass() const { return &TlxCustomLookupEdit::kClass; }

uint32_t TlxCustomLookupEditProperties::GetEditCapabilities() const {
  uint32_t capabilities = TlxCustomComboBoxProperties::GetEditCapabilities();
  if (CanUseFieldDisplayFormat(false) == 0)
    capabilities |= 0x200;
  return capabilities;
}

void TlxCustomLookupEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                          bool edit_focused) const {
  if (UsesTextAsEditValue() || (HasLookupField() && !edit_focused)) {
    TlxCustomComboBoxProperties::ConvertToDisplayValue(edit_value, display_value, edit_focused);
    return;
  }
  std::string text;
  GetDisplayText(edit_value, text);
  display_value = Variant(text);
}

bool TlxCustomLookupEditProperties::IsLookupItemText(std::string_view text) const {
  const int32_t column = GetActualDisplayColumnIndex();
  if (column == -1 || GetListDataController() == nullptr)
    return false;
  return FindByText(column, std::string(text), false) != -1;
}

bool TlxCustomLookupEditProperties::IsLookupNavigationKey(uint16_t key, uint32_t shift) const {
  const TShiftState state = TShiftState::FromBits(shift);
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
      return !state.Contains(ssAlt);
    case VK_HOME:
    case VK_END:
      return state.Contains(ssCtrl);
    default:
      return false;
  }
}

int32_t TlxCustomLookupEditProperties::FindByText(int32_t item_index, const std::string& text, bool partial) const {
  TlxCustomDataController* controller = GetListDataController();
  if (controller == nullptr || item_index < 0 || item_index >= controller->GetItemCount())
    return -1;
  return controller->FindRowByItemText(0, item_index, text, partial, false, true);
}

int32_t TlxCustomLookupEditProperties::GetActualDisplayColumnIndex() const {
  const int32_t index = GetDisplayColumnIndex();
  const int32_t count = GetListColumnCount();
  return index < count ? index : count - 1;
}

void TlxCustomLookupEditProperties::HandleListDataChanged(TObject* /*sender*/) {
  if (in_data_change_ || IsLocked() || IsListDataChangedLocked())
    return;
  TStateScope<bool> changing(in_data_change_, true);
  Changed();
}

void TlxCustomLookupEditProperties::AddDataChangedHandler() {
  TlxCustomDataController* controller = GetListDataController();
  if (controller == nullptr)
    return;
  controller->AddDataChangedListener(this, [this](TObject* sender) { HandleListDataChanged(sender); });
  listened_controller_ = controller;
}

void TlxCustomLookupEditProperties::RemoveDataChangedHandler() {
  if (listened_controller_ == nullptr)
    return;
  listened_controller_->RemoveDataChangedListener(this);
  listened_controller_ = nullptr;
}

bool TlxCustomLookupEditProperties::IsListDataChangedLocked() const {
  TlxCustomDataController* controller = GetListDataController();
  return controller != nullptr && controller->IsDataChangedLocked();
}

void TlxCustomLookupEditProperties::LockListDataChanged() {
  if (TlxCustomDataController* controller = GetListDataController())
    controller->LockDataChanged();
}

void TlxCustomLookupEditProperties::UnlockListDataChanged() {
  if (TlxCustomDataController* controller = GetListDataController())
    controller->UnlockDataChanged();
}

void TlxCustomLookupEditProperties::SetDisplayColumnIndex(int32_t index) {
  index = std::max(std::min(index, GetListColumnCount() - 1), 0);
  if (index == display_column_index_)
    return;
  display_column_index_ = index;
  Changed();
}

void TlxCustomLookupEditProperties::ClampDisplayColumnIndex() {
  if (display_column_index_ >= GetListColumnCount())
    SetDisplayColumnIndex(GetListColumnCount() - 1);
}

void TlxCustomLookupEditProperties::DetachListControl() {
  if (TWinControl* grid = GetListGrid())
    grid->SetParent(nullptr);
}

// --- the control ----------------------------------------------------------------------------

TlxCustomLookupEdit::TlxCustomLookupEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomComboBox(owner, properties_class) {
  InstallLookupData(std::make_unique<TlxCustomLookupEditLookupData>(this));
  // The base constructor's set-up runs before this class exists.
  SetWidth(145);
}

void TlxCustomLookupEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                    bool /*edit_focused*/) {
  TlxCustomLookupEditProperties* properties = GetActiveLookupProperties();
  if (properties->UsesTextAsEditValue()) {
    edit_value = display_value;
    return;
  }
  TlxCustomLookupEditLookupData* lookup = GetLookupEditData();
  const std::string text = VarToStrDef(display_value, "");
  Variant key = lookup->CurrentKey();
  std::string key_text;
  lookup->GetDisplayText(key, key_text);
  if (key_text == text) {
    edit_value = key;
    return;
  }
  if (lookup->LocateText(text)) {
    edit_value = lookup->CurrentKey();
    return;
  }
  properties->GetNullKey(edit_value);
}

Variant TlxCustomLookupEdit::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant(Text()), value, IsFocusedForFormatting());
  return value;
}

void TlxCustomLookupEdit::BeginPosting() {
  if (!posting_locked_) {
    GetActiveLookupProperties()->Lock();
    posting_locked_ = true;
  }
  TlxCustomComboBox::BeginPosting();
}

void TlxCustomLookupEdit::EndPosting() {
  TlxCustomComboBox::EndPosting();
  if (posting_locked_) {
    posting_locked_ = false;
    GetActiveLookupProperties()->Unlock();
  }
}

void TlxCustomLookupEdit::DoEditEnter() {
  TlxCustomComboBox::DoEditEnter();
  GetLookupEditData()->TextChanged();
}

void TlxCustomLookupEdit::DropDown() {
  TlxCustomComboBox::DropDown();
  GetLookupEditData()->SetCurrentKey(GetEditValue());
}

void TlxCustomLookupEdit::RefreshDisplayValue() {
  TlxCustomComboBox::RefreshDisplayValue();
  if (IsPopupOpen())
    GetLookupEditData()->SetCurrentKey(GetEditValue());
}

void TlxCustomLookupEdit::BeforeRepositoryItemChange() { GetActiveLookupProperties()->DetachListControl(); }

int32_t TlxCustomLookupEdit::LookupKeyToItemIndex(const Variant& key) {
  if (key.IsNull() || key.IsEmpty() || key.IsArray() || !VarIsNumeric(key))
    return -1;
  return key.AsInteger();
}

bool TlxCustomLookupEdit::CanDropDown() { return !GetLookupEditData()->IsEmpty(); }

TSize TlxCustomLookupEdit::CalculatePopupContentSize() {
  TSize size;
  GetLookupEditData()->GetListSize(size);
  TlxCustomLookupEditProperties* properties = GetActiveLookupProperties();
  if (properties->DropDownWidth() > 0) {
    size.cx = properties->DropDownWidth();
  } else if (!properties->DropDownAutoSize() && PopupWindow() != nullptr) {
    const TRect extent = PopupWindow()->GetViewInfo().GetBorderExtent();
    size.cx = std::max(size.cx, GetPopupOwnerBounds().Width() - extent.Left - extent.Right);
  }
  if (PopupWindow() != nullptr) {
    const TSize available = PopupWindow()->GetAvailableContentSize();
    GetLookupEditData()->AdjustListSize(size, available.cy);
  }
  return size;
}

bool TlxCustomLookupEdit::AdjustLookupListSize(TSize& size, const TSize& available) {
  return GetLookupEditData()->AdjustListSize(size, available.cy);
}

void TlxCustomLookupEdit::DoFinalizePopup() {
  // Every opening that initialized the list ends here, also one that found
  // nothing to show.
  if (GetLookupEditData()->IsListVisible())
    GetLookupEditData()->ListClosed();
  TlxCustomComboBox::DoFinalizePopup();
}
