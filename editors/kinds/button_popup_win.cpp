#include "editors/kinds/button_popup_win.h"

#include <windowsx.h>

#include "platform/toolkit/menus.h"
#include "ui/foundation/system/popup_component_win.h"

bool lxIsPopupMenuComponent(TComponent* component) {
  return component == nullptr || dynamic_cast<TPopupMenu*>(component) != nullptr ||
         Supports<IlxPopupComponent>(component) != nullptr;
}

void lxAssignPopupMenu(TComponent& owner, TComponent*& field, TComponent* value) {
  if (!lxIsPopupMenuComponent(value))
    value = nullptr;
  if (value == field)
    return;
  if (field != nullptr)
    field->RemoveFreeNotification(&owner);
  field = value;
  if (field != nullptr)
    field->FreeNotification(&owner);
}

TPoint lxContextPopupScreenPoint(TControl& control, const TPoint& mouse_pos) {
  return mouse_pos == TPoint(-1, -1) ? control.ClientOrigin() : control.ClientToScreen(mouse_pos);
}

bool lxServeButtonContextMenu(TControl& control, TMessage& message,
                              const std::function<void(TPoint mouse_pos, bool& handled)>& do_context_popup) {
  if (control.ComponentState().Contains(csDesigning))
    return false;
  const TPoint screen(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
  const bool keyboard = screen == TPoint(-1, -1);
  const TPoint client = keyboard ? screen : control.ScreenToClient(screen);
  if (!keyboard && !control.ClientRect().Contains(client))
    return false;
  bool handled = false;
  do_context_popup(client, handled);
  if (!handled)
    return false;
  message.Result = 1;
  return true;
}

void lxAnswerMeasureItem(TControl& control, TMessage& message) {
  if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam)) {
    item->itemWidth = static_cast<UINT>(control.Width());
    item->itemHeight = static_cast<UINT>(control.Height());
  }
  message.Result = 1;
}
