// Tab in a focused container moves on to the next control of the form, as
// if the container and its inner control were one control.
#include "editors/container_win.h"
#include "platform/toolkit/form.h"

void TlxContainer::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  if (key != VK_TAB || shift.Contains(ssCtrl) || shift.Contains(ssAlt) || !HandlesTabNavigation() ||
      !IsFocusedNow())
    return;
  key = 0;
  TCustomForm* form = GetParentForm(this);
  if (form == nullptr)
    return;
  const bool forward = !shift.Contains(ssShift);
  // The inner control lies right after the container in the tab order:
  // forward starts behind it, backward before the container.
  TWinControl* from = forward && inner_control_ != nullptr ? inner_control_ : this;
  const TAliveToken alive = AliveToken();
  form->SelectNext(from, forward, true);
  if (alive.Alive() && IsFocusedNow() && inner_control_ != nullptr)
    FocusInnerControl();
}
