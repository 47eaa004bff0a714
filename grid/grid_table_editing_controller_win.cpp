#include "grid/grid_table_editing_controller_win.h"

#include <windows.h>

#include "editors/edit_control_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"

TlxGridTableEditingController::TlxGridTableEditingController(TlxGridTableController* controller)
    : TlxGridEditingController(controller) {}

TlxGridTableController* TlxGridTableEditingController::GridController() const {
  return static_cast<TlxGridTableController*>(Controller());
}

bool TlxGridTableEditingController::IsFilterRowFocused() const { return GridController()->IsFilterRowFocused(); }

bool TlxGridTableEditingController::AppliesFilterImmediately() const {
  return IsFilterRowFocused() && GridController()->GridTableView()->FilterRow()->ApplyChanges() == fracImmediately;
}

TlxGridColumn* TlxGridTableEditingController::EditingColumn() const {
  return dynamic_cast<TlxGridColumn*>(EditingItem());
}

bool TlxGridTableEditingController::ShowsEditorAlways() { return IsFilterRowFocused(); }

bool TlxGridTableEditingController::IsImmediateEditor() {
  return TlxGridEditingController::IsImmediateEditor() || GridController()->GridTableView()->FilterRow()->Visible();
}

bool TlxGridTableEditingController::CanUpdateEditValue() {
  return !immediate_filter_applying_ && TlxGridEditingController::CanUpdateEditValue();
}

void TlxGridTableEditingController::InitEdit() {
  TlxGridEditingController::InitEdit();
  // A filter value is typed whatever the column allows for its records.
  if (IsFilterRowFocused() && Edit() != nullptr)
    Edit()->GetActiveProperties()->SetReadOnly(false);
}

void TlxGridTableEditingController::EditChanged(TObject* sender) {
  TlxGridEditingController::EditChanged(sender);
  TlxGridColumn* column = EditingColumn();
  if (!AppliesFilterImmediately() || column == nullptr || Edit() == nullptr)
    return;
  TStateScope<bool> applying(immediate_filter_applying_, true);
  column->SetFilterRowEditValue(Edit()->GetActualEditValue());
}

void TlxGridTableEditingController::EditKeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_ESCAPE && AppliesFilterImmediately() && Edit() != nullptr)
    Edit()->CancelEdit();
  TlxGridEditingController::EditKeyDown(key, shift);
}

void TlxGridTableEditingController::WriteEditValue(const Variant& value) {
  TlxGridColumn* column = EditingColumn();
  if (IsFilterRowFocused() && column != nullptr) {
    column->SetFilterRowEditValue(value);
    return;
  }
  TlxGridEditingController::WriteEditValue(value);
}
