#pragma once
// Object links: weak references to components that read null once the
// component is destroyed. A control that must refer to a component which may
// die first (a drag source, a hot-tracked control, a focused editor) holds a
// link, tests Target before each use and frees the link with
// lxFreeObjectLink. TlxComponent clears the links to itself when it dies.

#include <cstdint>
#include <vector>

#include "platform/rtl/component.h"

class TlxObjectLink : public TObject {
 public:
  static constexpr TClass kClass{"TlxObjectLink", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxObjectLink(TComponent* target) : Target(target) {}

  // Null once the component is destroyed.
  TComponent* Target;
};

// The live links of the process (not owned: each holder owns its link).
class TlxObjectLinkController : public TObject {
 public:
  static constexpr TClass kClass{"TlxObjectLinkController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // A new link to `component`, listed; the caller owns it.
  TlxObjectLink* AddLink(TComponent* component);
  // Unlists the link (when its target still lives) and frees it.
  void RemoveLink(TlxObjectLink* link);
  // Sets the target of every link to `component` to null and unlists them;
  // their holders free them later.
  void ClearLinksTo(const TComponent* component);

  int32_t LinkCount() const { return static_cast<int32_t>(links_.size()); }

 private:
  std::vector<TlxObjectLink*> links_;
};

// A new link to `component`; null for a null component. Release it with
// lxFreeObjectLink.
TlxObjectLink* lxCreateObjectLink(TComponent* component);
// Frees a link (null is ignored); the last one frees the process's
// controller.
void lxFreeObjectLink(TlxObjectLink* link);
// Clears every link to `component`; called as the component dies.
void lxResetObjectLinks(const TComponent* component);
// The process's controller while any link lives, else null.
TlxObjectLinkController* lxObjectLinkController();
