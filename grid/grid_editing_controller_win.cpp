#include "grid/grid_editing_controller_win.h"

#include <windows.h>

#include "data/data_controller.h"
#include "editors/edit_control_win.h"
#include "editors/edit_inplace_list_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

bool IsModifierKey(uint16_t key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

bool IsExactly(TShiftState shift, TShiftState wanted) {
  TShiftState keys;
  for (TShiftStateFlag flag : {ssShift, ssAlt, ssCtrl})
    if (shift.Contains(flag))
      keys.Include(flag);
  return keys == wanted;
}

bool EditHasFocus(TlxCustomEdit* edit) {
  if (edit == nullptr)
    return false;
  HWND focus = GetFocus();
  return edit->Focused() || (focus != nullptr && edit->OwnsWindow(focus));
}

// Notices the view's destruction while an editor event runs.
class TViewWatch {
 public:
  explicit TViewWatch(TlxCustomGridView* view) : link_(view->AddListenerLink()) {}
  bool Alive() const { return link_->GridView() != nullptr; }

 private:
  std::unique_ptr<TlxGridListenerLink> link_;
};

}  // namespace

TlxGridEditingController::TlxGridEditingController(TlxCustomGridTableController* controller)
    : controller_(controller), edit_list_(std::make_unique<TlxInplaceEditList>()) {}

TlxGridEditingController::~TlxGridEditingController() {
  edit_showing_timer_.reset();
  if (edit_ != nullptr) {
    UnassignEditEvents();
    edit_ = nullptr;
  }
  editing_item_ = nullptr;
  edit_list_.reset();
}

TlxCustomGridTableView* TlxGridEditingController::TableView() const { return controller_->TableView(); }

TlxCustomEditProperties* TlxGridEditingController::EditingProperties() const {
  if (editing_item_ == nullptr)
    return nullptr;
  return editing_item_->DoGetPropertiesForEdit(controller_->GetFocusedRecord());
}

TlxTimer* TlxGridEditingController::EditShowingTimer() const {
  return edit_showing_timer_ != nullptr && edit_showing_timer_->Enabled() ? edit_showing_timer_.get() : nullptr;
}

std::unique_ptr<TlxCustomEditData>& TlxGridEditingController::EditDataOf(TlxCustomGridTableItem* item) {
  return edit_data_[item];
}

TlxGridTableDataCellViewInfo* TlxGridEditingController::FocusedCellOf(TlxCustomGridTableItem* item) const {
  TlxCustomGridRecord* record = controller_->GetFocusedRecord();
  if (item == nullptr || record == nullptr || !record->HasViewInfo())
    return nullptr;
  return record->ViewInfo()->GetCellViewInfoByItem(item);
}

bool TlxGridEditingController::IsEditRectInView(TlxGridTableDataCellViewInfo* cell, TRect& rect) const {
  if (cell == nullptr)
    return false;
  cell->GetEditorRect(rect);
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(cell->GridViewInfo());
  if (view_info == nullptr || rect.IsEmpty())
    return false;
  TRect area;
  view_info->GetEditorAreaBounds(area);
  return rect.Left >= area.Left && rect.Top >= area.Top && rect.Right <= area.Right && rect.Bottom <= area.Bottom;
}

// --- showing --------------------------------------------------------------------

bool TlxGridEditingController::BeginEditingItem(TlxCustomGridTableItem* item) {
  TlxCustomGridTableView* view = TableView();
  if (!item->GetEditable() || !view->DoEditing(item))
    return false;
  view->SetFocusedItem(item);
  if (view->FocusedItem() != item)
    return false;
  TStateScope<bool> setting(editing_item_setting_, true);
  if (editing_item_ != nullptr)
    HideEdit(false);
  editing_item_ = item;
  return true;
}

void TlxGridEditingController::SetEditingItem(TlxCustomGridTableItem* item) {
  if (item == editing_item_ || editing_item_setting_)
    return;
  if (item == nullptr) {
    HideEdit(false);
    return;
  }
  if (!BeginEditingItem(item))
    return;
  TStateScope<bool> setting(editing_item_setting_, true);
  TScopeFail clear([this] { editing_item_ = nullptr; });
  ShowEdit(item);
  if (edit_ == nullptr && !edit_preparing_)
    editing_item_ = nullptr;
}

bool TlxGridEditingController::PrepareEdit(TlxCustomGridTableItem* item, bool for_mouse) {
  controller_->ClearCheckEditPending();
  if (edit_preparing_ || edit_hiding_ || item == nullptr || controller_->GetFocusedRecord() == nullptr)
    return false;
  TlxGridSite* site = controller_->Site();
  if (site == nullptr)
    return false;
  TStateScope<bool> preparing(edit_preparing_, true);
  bool result = false;
  if (item == editing_item_ && !editing_item_setting_) {
    if (edit_ == nullptr)
      return false;
    result = for_mouse || (site->Focused() && !EditHasFocus(edit_));
  } else {
    if (!site->Focused())
      return false;
    if (item != editing_item_ && !BeginEditingItem(item))
      return false;
    TRect rect;
    TlxGridTableDataCellViewInfo* cell = FocusedCellOf(item);
    if (!IsEditRectInView(cell, rect) || (!ShowsEditorAlways() && !cell->CanShowEdit())) {
      editing_item_ = nullptr;
      return false;
    }
    TlxCustomEditProperties* properties = EditingProperties();
    if (properties == nullptr) {
      editing_item_ = nullptr;
      return false;
    }
    TlxEditRepositoryItem* repository_item = item->RepositoryItem();
    const bool own_properties = repository_item != nullptr && repository_item->Properties() == properties;
    TScopeFail stop([this] { editing_item_ = nullptr; });
    if (own_properties)
      properties = item->Properties();
    edit_ = edit_list_->ObtainEdit(properties);
    if (own_properties)
      edit_->SetRepositoryItem(repository_item);
    InitEdit();
    result = true;
  }
  if (TlxGridTableDataCellViewInfo* cell = FocusedCellOf(item))
    cell->Invalidate();
  if (result)
    SetSiteTabStop(false);
  return result;
}

void TlxGridEditingController::ShowEdit(TlxCustomGridTableItem* item) {
  if (item == nullptr)
    item = controller_->FocusedItem();
  if (item == nullptr || !PrepareEdit(item, false) || edit_ == nullptr)
    return;
  edit_->Activate(EditDataOf(item));
}

void TlxGridEditingController::ShowEditByKey(TlxCustomGridTableItem* item, char16_t key) {
  if (item == nullptr)
    item = controller_->FocusedItem();
  if (item == nullptr || !PrepareEdit(item, false) || edit_ == nullptr)
    return;
  edit_->ActivateByKey(key, EditDataOf(item));
}

void TlxGridEditingController::ShowEditByMouse(TlxCustomGridTableItem* item, TShiftState shift, int32_t x,
                                               int32_t y) {
  if (item == nullptr)
    item = controller_->FocusedItem();
  if (item == nullptr || !PrepareEdit(item, true) || edit_ == nullptr)
    return;
  edit_->ActivateByMouse(shift, x, y, EditDataOf(item));
}

void TlxGridEditingController::InitEdit() {
  TlxCustomEditProperties* properties = edit_->GetActiveProperties();
  hooked_properties_ = properties;
  prev_edit_on_change_ = std::move(properties->OnChange);
  prev_edit_on_edit_value_changed_ = std::move(properties->OnEditValueChanged);
  properties->OnChange = nullptr;
  properties->OnEditValueChanged = nullptr;
  edit_->SetParent(controller_->Site());
  PlaceEdit();
  UpdateEditValue();
  AssignEditEvents();
}

void TlxGridEditingController::PlaceEdit() {
  if (edit_ == nullptr)
    return;
  TlxGridTableDataCellViewInfo* cell = FocusedCellOf(editing_item_);
  if (cell != nullptr && !cell->BoundsRect.IsEmpty()) {
    if (initiating_editing_ || !edit_preparing_)
      edit_update_needed_ = true;
    else
      UpdateEditBounds();
  }
  is_edit_placed_ = true;
}

void TlxGridEditingController::UpdateEditBounds() {
  edit_update_needed_ = false;
  if (edit_ == nullptr)
    return;
  TlxGridTableDataCellViewInfo* cell = FocusedCellOf(editing_item_);
  TRect rect;
  if (!IsEditRectInView(cell, rect))
    return;
  edit_->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  if (TlxEditStyle* style = cell->EditStyle())
    edit_->SetStyle(style);
  TableView()->DoInitEdit(editing_item_, edit_);
}

void TlxGridEditingController::UpdateEditIfNeeded() {
  if (edit_update_needed_)
    UpdateEditBounds();
}

void TlxGridEditingController::ParkEdit() {
  if (edit_ == nullptr || edit_->Left() == kParkedLeft)
    return;
  edit_->SetBounds(kParkedLeft, edit_->Top(), edit_->Width(), edit_->Height());
}

void TlxGridEditingController::CheckEditVisible() {
  if (!IsEditing() || edit_ == nullptr || edit_preparing_)
    return;
  TRect rect;
  if (IsEditRectInView(FocusedCellOf(editing_item_), rect))
    UpdateEditBounds();
  else
    ParkEdit();
}

void TlxGridEditingController::AfterViewInfoCalculation() {
  if (!IsEditing() || edit_ == nullptr)
    return;
  TRect rect;
  const bool in_view = IsEditRectInView(FocusedCellOf(editing_item_), rect);
  if (in_view) {
    // The cell exists in this calculation: the editor follows it.
    if (!edit_preparing_)
      UpdateEditBounds();
    return;
  }
  edit_update_needed_ = false;
  if (!edit_preparing_)
    ParkEdit();
}

bool TlxGridEditingController::IsImmediateEditor() { return TableView()->OptionsBehavior()->ImmediateEditor(); }

// --- values -------------------------------------------------------------------------

bool TlxGridEditingController::CanUpdateEditValue() {
  return !TableView()->IsPattern() && IsEditing() && edit_ != nullptr && !edit_hiding_ && !initiating_editing_ &&
         !edit_->IsPosting() && !edit_->IsValidating();
}

void TlxGridEditingController::UpdateEditValue() {
  if (!CanUpdateEditValue())
    return;
  {
    edit_->LockChangeEvents(true);
    TScopeExit unlock([this] { edit_->LockChangeEvents(false, false); });
    Variant value = controller_->GetFocusedRecord() != nullptr ? editing_item_->GetEditValue() : Variant::Null();
    TableView()->DoInitEditValue(editing_item_, edit_, value);
    edit_->SetEditValue(value);
  }
  edit_->SelectAll();
}

void TlxGridEditingController::UpdateValue() {
  if (!IsEditing() || edit_ == nullptr || !edit_->ModifiedAfterEnter())
    return;
  edit_->ValidateEdit(true);
  WriteEditValue(edit_->EditValue());
  if (edit_ != nullptr)
    edit_->SetModified(false);
}

void TlxGridEditingController::WriteEditValue(const Variant& value) {
  if (editing_item_ != nullptr)
    TableView()->DataController()->SetEditingValue(editing_item_->Index(), value);
}

void TlxGridEditingController::UpdateData() { TableView()->DataController()->UpdateData(); }

bool TlxGridEditingController::CanInitEditing() {
  return editing_item_ != nullptr && TableView()->DataController()->StartItemEdit(editing_item_->Index());
}

bool TlxGridEditingController::CanFocusSite() { return edit_ == nullptr || !EditHasFocus(edit_) || edit_hiding_; }

bool TlxGridEditingController::IsHideEditOnFocusedRecordChange() {
  TlxCustomGridTableView* view = TableView();
  if (!view->OptionsBehavior()->AlwaysShowEditor() || editing_item_ == nullptr)
    return true;
  TlxCustomGridTableItem* item = editing_item_;
  if (item->OnGetProperties || item->OnGetPropertiesForEdit || item->ShowButtons(false))
    return true;
  TlxCustomEditProperties* properties = item->GetProperties();
  if (properties != nullptr && (properties->GetEditCapabilities() & 1) != 0)
    return true;
  return static_cast<bool>(view->OnEditing) || static_cast<bool>(view->OnInitEdit);
}

// --- hiding -------------------------------------------------------------------------

void TlxGridEditingController::SetSiteTabStop(bool value) {
  if (TlxGridSite* site = controller_->Site())
    site->SetTabStop(value);
}

void TlxGridEditingController::HideEdit(bool accept) {
  controller_->ClearCheckEditPending();
  edit_update_needed_ = false;
  StopEditShowingTimer();
  if (edit_hiding_ || !IsEditing())
    return;
  TStateScope<bool> hiding(edit_hiding_, true);
  TlxCustomGridTableView* view = TableView();
  if (accept) {
    // A refused value keeps the editor open; the refusal was shown by the
    // editor (or raised from its validation), so the abort stays silent.
    if (edit_ != nullptr && !edit_->Deactivate())
      throw EAbort("");
    // Not every editor kind asks to start editing before it takes typed
    // text (the mask editor does not), so the data controller may not
    // know of a change to pull: the value is written here.
    UpdateValue();
    UpdateData();
    if (edit_ != nullptr && editing_item_ != nullptr)
      edit_->GetActiveProperties()->PropagateTo(
          editing_item_->GetPropertiesForRecord(controller_->GetFocusedRecord()));
  }
  {
    TStateScope<bool> setting(editing_item_setting_, true);
    editing_item_ = nullptr;
  }
  if (view->IsFocused())
    SetSiteTabStop(true);
  if (edit_ != nullptr) {
    TlxCustomEdit* edit = edit_;
    DoneEdit();
    const bool had_focus = EditHasFocus(edit);
    edit_ = nullptr;
    TlxGridSite* site = controller_->Site();
    if (had_focus && view->IsFocused() && site != nullptr) {
      edit->SetModifiedAfterEnter(false);
      if (!view->GetIsDestroying()) {
        const bool allow = controller_->AllowCheckEdit();
        controller_->SetAllowCheckEdit(false);
        TScopeExit restore([this, allow] { controller_->SetAllowCheckEdit(allow); });
        site->SetFocus();
      }
    } else {
      controller_->InvalidateFocusedRecord();
    }
    // The editor stays the site's child, hidden: it may be hidden from
    // inside its own key handler, where taking its window away is not safe.
    edit->SetRepositoryItem(nullptr);
    edit->SetVisible(false);
  }
  is_error_on_edit_exit_ = false;
}

void TlxGridEditingController::RemoveEdit(TlxCustomEditProperties* properties) {
  if (edit_ != nullptr && edit_list_->LookupEdit(properties) == edit_)
    HideEdit(false);
  edit_list_->RemoveEditFor(properties);
}

void TlxGridEditingController::ItemRemoved(TlxCustomGridTableItem* item) {
  if (edit_show_item_ == item)
    StopEditShowingTimer();
  if (editing_item_ == item)
    HideEdit(false);
  edit_data_.erase(item);
}

// --- the edit-show timer ----------------------------------------------------------

void TlxGridEditingController::StartEditShowingTimer(TlxCustomGridTableItem* item) {
  StopEditShowingTimer();
  if (IsImmediateEditor() || item == nullptr)
    return;
  edit_show_item_ = item;
  edit_showing_timer_ = std::make_unique<TlxTimer>(nullptr);
  edit_showing_timer_->SetInterval(GetDoubleClickTime());
  edit_showing_timer_->SetOnTimer([this](TObject*) { ShowEditTimerFired(); });
}

void TlxGridEditingController::StopEditShowingTimer() {
  edit_show_item_ = nullptr;
  if (edit_showing_timer_ == nullptr)
    return;
  // A timer is not freed from inside its own event; it only stops there.
  if (edit_show_timer_firing_) {
    edit_showing_timer_->SetEnabled(false);
    return;
  }
  edit_showing_timer_.reset();
}

void TlxGridEditingController::ShowEditTimerFired() {
  TlxCustomGridTableItem* item = edit_show_item_;
  TStateScope<bool> firing(edit_show_timer_firing_, true);
  StopEditShowingTimer();
  if (item != nullptr && item == controller_->FocusedItem())
    SetEditingItem(item);
}

// --- editor events ------------------------------------------------------------------

void TlxGridEditingController::AssignEditEvents() {
  TlxCustomEdit* edit = edit_;
  edit->OnAfterKeyDown = [this](TObject* sender, uint16_t& key, TShiftState shift) {
    EditAfterKeyDown(sender, key, shift);
  };
  edit->OnEditing = [this](TObject* sender, bool& allow) { EditEditing(sender, allow); };
  edit->OnExit = [this](TObject* sender) { EditExit(sender); };
  edit->OnFocusChanged = [this](TObject* sender) { EditFocusChanged(sender); };
  edit->OnKeyDown = [this](TObject* sender, uint16_t& key, TShiftState shift) {
    EditKeyDownHandler(sender, key, shift);
  };
  edit->OnKeyPress = [this](TObject* sender, char16_t& key) { EditKeyPress(sender, key); };
  edit->OnKeyUp = [this](TObject* sender, uint16_t& key, TShiftState shift) { EditKeyUp(sender, key, shift); };
  edit->OnPostEditValue = [this](TObject* sender) { EditPostEditValue(sender); };
  if (hooked_properties_ != nullptr) {
    hooked_properties_->OnChange = [this](TObject* sender) { EditChanged(sender); };
    hooked_properties_->OnEditValueChanged = [this](TObject* sender) { EditValueChanged(sender); };
  }
}

void TlxGridEditingController::UnassignEditEvents() {
  if (edit_ != nullptr) {
    edit_->OnAfterKeyDown = nullptr;
    edit_->OnEditing = nullptr;
    edit_->OnExit = nullptr;
    edit_->OnFocusChanged = nullptr;
    edit_->OnKeyDown = nullptr;
    edit_->OnKeyPress = nullptr;
    edit_->OnKeyUp = nullptr;
    edit_->OnPostEditValue = nullptr;
  }
  if (hooked_properties_ != nullptr) {
    hooked_properties_->OnChange = std::move(prev_edit_on_change_);
    hooked_properties_->OnEditValueChanged = std::move(prev_edit_on_edit_value_changed_);
    hooked_properties_ = nullptr;
  }
  prev_edit_on_change_ = nullptr;
  prev_edit_on_edit_value_changed_ = nullptr;
}

void TlxGridEditingController::EditAfterKeyDown(TObject* /*sender*/, uint16_t& key, TShiftState shift) {
  if (key != 0 && controller_->IsKeyForController(key, shift))
    controller_->KeyDown(key, shift);
}

void TlxGridEditingController::EditChanged(TObject* sender) {
  TViewWatch watch(TableView());
  DoEditChanged();
  if (prev_edit_on_change_)
    prev_edit_on_change_(sender);
  if (watch.Alive() && editing_item_ != nullptr)
    TableView()->DoEditChanged(editing_item_);
}

void TlxGridEditingController::EditEditing(TObject* /*sender*/, bool& allow) {
  TStateScope<bool> initiating(initiating_editing_, true);
  allow = CanInitEditing();
}

void TlxGridEditingController::EditExit(TObject* /*sender*/) {
  if (!IsHideEditOnExit() || edit_hiding_)
    return;
  TlxCustomEdit* edit = edit_;
  TScopeFail refocus([this, edit] {
    if (edit != nullptr && edit_ == edit && edit->CanFocus())
      edit->SetFocus();
    is_error_on_edit_exit_ = true;
  });
  HideEdit(!controller_->IsCancelOnExit());
}

void TlxGridEditingController::EditFocusChanged(TObject* /*sender*/) {
  // The editor holds the focus for the site: the grid repaints its focus
  // state as for the site's own focus change.
  if (TlxCustomGrid* grid = controller_->Control())
    grid->FocusStateChanged(EditHasFocus(edit_));
}

void TlxGridEditingController::EditKeyDownHandler(TObject* /*sender*/, uint16_t& key, TShiftState shift) {
  if (!IsModifierKey(key))
    controller_->MakeFocusedItemVisible();
  EditKeyDown(key, shift);
}

void TlxGridEditingController::EditKeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomGridTableView* view = TableView();
  TViewWatch watch(view);
  if (editing_item_ != nullptr)
    view->DoEditKeyDown(editing_item_, edit_, key, shift);
  if (!watch.Alive()) {
    key = 0;
    return;
  }
  switch (key) {
    case VK_RETURN: {
      if (!IsExactly(shift, TShiftState()) && !IsExactly(shift, TShiftState{ssShift}))
        return;
      key = 0;
      HideEdit(true);
      if (!watch.Alive())
        return;
      if (view->OptionsBehavior()->GoToNextCellOnEnter()) {
        uint16_t enter = VK_RETURN;
        {
          TStateScope<bool> passing(controller_->ProcessingEditorEnterFlag(), true);
          controller_->KeyDown(enter, shift);
        }
        if (watch.Alive())
          ShowEdit();
      } else {
        controller_->CheckEdit();
      }
      return;
    }
    case VK_ESCAPE: {
      const bool modified = edit_ != nullptr && edit_->ModifiedAfterEnter();
      HideEdit(false);
      if (watch.Alive())
        controller_->CheckEdit();
      if (modified)
        key = 0;
      return;
    }
    case VK_DELETE:
      if (IsExactly(shift, TShiftState{ssCtrl}))
        controller_->KeyDown(key, shift);
      return;
    default:
      return;
  }
}

void TlxGridEditingController::EditKeyPress(TObject* /*sender*/, char16_t& key) {
  if (editing_item_ != nullptr)
    TableView()->DoEditKeyPress(editing_item_, edit_, key);
}

void TlxGridEditingController::EditKeyUp(TObject* /*sender*/, uint16_t& key, TShiftState shift) {
  if (editing_item_ != nullptr)
    TableView()->DoEditKeyUp(editing_item_, edit_, key, shift);
}

void TlxGridEditingController::EditPostEditValue(TObject* /*sender*/) { UpdateValue(); }

void TlxGridEditingController::EditValueChanged(TObject* sender) {
  TViewWatch watch(TableView());
  if (prev_edit_on_edit_value_changed_)
    prev_edit_on_edit_value_changed_(sender);
  if (watch.Alive() && editing_item_ != nullptr)
    TableView()->DoEditValueChanged(editing_item_);
}
