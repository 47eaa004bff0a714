#include "data/data_binding.h"

TlxCustomDataBinding::TlxCustomDataBinding(TPersistent* owner, TComponent* data_component)
    : data_component_(data_component), owner_(owner) {}

void TlxCustomDataBinding::NotifyDataChanged() {
  if (OnDataChange)
    OnDataChange(this);
}

void TlxCustomDataBinding::NotifyStateChanged() {
  if (OnStateChange)
    OnStateChange(this);
}

void TlxCustomDataBinding::ChangeReadOnly(bool value) {
  if (read_only_ == value)
    return;
  read_only_ = value;
  NotifyStateChanged();
}

void TlxCustomDataBinding::RequestControlValue() {
  if (OnUpdateData)
    OnUpdateData(this);
}

bool TlxCustomDataBinding::HandleExecuteAction(TObject*) { return false; }

void TlxCustomDataBinding::SetStoredValue(const Variant&) {}

bool TlxCustomDataBinding::HandleUpdateAction(TObject*) { return false; }

void TlxCustomDataBinding::SetBoundControl(TObject* control) {
  if (visual_control_ == control)
    return;
  visual_control_ = control;
  BoundControlChanged();
}
