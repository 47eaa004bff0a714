#pragma once
// The link between a check box and an action: caption and enabled state
// follow the action as for every control, and the action's Checked sets
// the box without an OnClick or OnChange of the box's own.

#include "platform/toolkit/actions.h"

class TlxCustomCheckBox;

class TlxCheckBoxActionLink : public TControlActionLink {
 public:
  static constexpr TClass kClass{"TlxCheckBoxActionLink", &TControlActionLink::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCheckBoxActionLink(TlxCustomCheckBox* check_box);

  TlxCustomCheckBox* CheckBox() const { return check_box_; }
  // The box follows the action's Checked: a custom action, the box not
  // grayed and showing the action's state.
  bool IsCheckedLinked() const;
  // The action's Checked applied with clicks and change events locked.
  void SetCheckedLocked(bool checked);

  void CheckedChanged(bool checked) override;
  void ActionFreed() override;

 private:
  TlxCustomCheckBox* check_box_;
};
