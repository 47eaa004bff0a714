#include "editors/edit_data_binding_win.h"

#include "editors/edit_control_win.h"

TlxEditDataBinding::TlxEditDataBinding(TlxCustomEdit* edit, const TClass& provider_class) : edit_(edit) {
  provider_ = CreateUnowned<TlxCustomEditDefaultValuesProvider>(&provider_class);
}

TlxEditDataBinding::~TlxEditDataBinding() = default;

void TlxEditDataBinding::RefreshProperties() {
  TlxCustomEditProperties* properties = edit_->GetActiveProperties();
  if (edit_->RepositoryItem() == nullptr) {
    properties->Changed();
    return;
  }
  // The item's other users hear nothing; only this editor takes the change.
  properties->BeginUpdate();
  properties->Changed();
  properties->EndUpdate(false);
  edit_->PropertiesChanged(properties);
}

void TlxEditDataBinding::ReadDisplayValue(Variant& value) {
  std::string text;
  edit_->GetDisplayText(text);
  value = Variant(text);
}

bool TlxEditDataBinding::IsInEditState() { return edit_->Modified(); }

bool TlxEditDataBinding::IsModified() { return edit_->Modified(); }

void TlxEditDataBinding::ReadDataValue(Variant& value) { value = edit_->GetEditValue(); }

void TlxEditDataBinding::CancelChanges() { edit_->RestoreEnterValue(); }

void TlxEditDataBinding::AssignDisplayValue(const Variant& value) { edit_->PutDisplayValue(value); }

bool TlxEditDataBinding::EnterEditMode() {
  edit_->SetModified(true);
  return true;
}

bool TlxEditDataBinding::IsEditValueSettled() { return edit_->IsDesigning() || !edit_->Modified(); }

void TlxEditDataBinding::MarkModified() {
  if (edit_->IsFocusWithin())
    edit_->SetModified(true);
}

void TlxEditDataBinding::UpdateDisplay() { edit_->RefreshDisplayValue(); }
