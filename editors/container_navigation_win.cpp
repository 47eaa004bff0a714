// Tab in a focused container moves on to the next control of the form, as
// if the container and its inner control were one control.
#include <algorithm>

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

void TlxContainer::GetTabOrderList(std::vector<TWinControl*>& list) {
  TlxControl::GetTabOrderList(list);
  if (HostsChildControls() || inner_control_ == nullptr)
    return;
  const TCustomForm* form = GetParentForm(this);
  if (form == nullptr || form->ActiveControl() != inner_control_)
    return;
  const auto self = std::find(list.begin(), list.end(), this);
  if (self == list.end())
    return;
  // The inner control takes the container's slot; its own entry, added with
  // the container's children, would list it twice.
  const auto own_entry = std::find(self + 1, list.end(), inner_control_);
  if (own_entry != list.end())
    list.erase(own_entry);
  *std::find(list.begin(), list.end(), this) = inner_control_;
}
