#pragma once
// TlxControlChildComponent: the base of the non-visual components that
// belong to one TlxControl (the grid's views derive from it). The control
// is its parent for streaming. Included only from Windows sources.

#include "ui/foundation/base/component.h"

class TlxControl;

class TlxControlChildComponent : public TlxComponent {
 public:
  static constexpr TClass kClass{"TlxControlChildComponent", &TlxComponent::kClass,
                                 &ConstructInstance<TlxControlChildComponent>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxControlChildComponent(TComponent* owner);
  // Owned by the control's owner when `take_owner`, else by nobody; then
  // assigned to the control.
  TlxControlChildComponent(TlxControl* control, bool take_owner);
  ~TlxControlChildComponent() override;

  TlxControl* Control() const { return control_; }
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return control_ != nullptr; }
  // A TlxControl as parent component also takes the child on.
  void SetParentComponent(TComponent* parent);

  // --- overridable, in table order -------------------------------------
  virtual bool GetIsDestroying() const { return IsDestroying(); }
  // Descendants create their parts here.
  virtual void InitializeChild() {}
  // Descendants move their links from the old control to the new one.
  virtual void AssignControl(TlxControl* control) { control_ = control; }

 private:
  TlxControl* control_ = nullptr;
};
