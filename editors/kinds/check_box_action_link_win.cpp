#include "editors/kinds/check_box_action_link_win.h"

#include "editors/kinds/check_box_win.h"
#include "platform/rtl/scope.h"

TlxCheckBoxActionLink::TlxCheckBoxActionLink(TlxCustomCheckBox* check_box)
    : TControlActionLink(check_box), check_box_(check_box) {}

bool TlxCheckBoxActionLink::IsCheckedLinked() const {
  const auto* action = dynamic_cast<const TCustomAction*>(Action());
  return action != nullptr && check_box_->State() != cbsGrayed && check_box_->Checked() == action->Checked();
}

void TlxCheckBoxActionLink::SetCheckedLocked(bool checked) {
  check_box_->LockClick(true);
  check_box_->LockChangeEvents(true);
  TScopeExit unlock([this] {
    check_box_->LockChangeEvents(false, false);
    check_box_->LockClick(false);
  });
  check_box_->SetChecked(checked);
}

void TlxCheckBoxActionLink::CheckedChanged(bool checked) {
  // The action holds its new value already: the box was linked while it
  // showed the one before.
  if (Action() == nullptr || check_box_->State() == cbsGrayed || check_box_->Checked() != !checked)
    return;
  SetCheckedLocked(checked);
}

void TlxCheckBoxActionLink::ActionFreed() {
  // The box frees this link; nothing of it is touched afterwards.
  check_box_->SetAction(nullptr);
}
