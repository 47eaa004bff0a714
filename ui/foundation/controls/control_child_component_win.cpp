#include "ui/foundation/controls/control_child_component_win.h"

#include "ui/foundation/controls/control_win.h"

TlxControlChildComponent::TlxControlChildComponent(TComponent* owner) : TlxComponent(owner) { InitializeChild(); }

TlxControlChildComponent::TlxControlChildComponent(TlxControl* control, bool take_owner)
    : TlxComponent(take_owner && control != nullptr ? control->Owner() : nullptr) {
  InitializeChild();
  AssignControl(control);
}

TlxControlChildComponent::~TlxControlChildComponent() {
  if (control_ != nullptr)
    control_->RemoveChildComponent(this);
}

TComponent* TlxControlChildComponent::GetParentComponent() const { return control_; }

void TlxControlChildComponent::SetParentComponent(TComponent* parent) {
  if (auto* control = dynamic_cast<TlxControl*>(parent))
    control->AddChildComponent(this);
}
