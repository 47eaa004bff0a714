#include "platform/toolkit/messages.h"

HWND ChildOfNotification(const TMessage& message, HWND parent) {
  switch (message.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<HWND>(message.LParam);
    case WM_NOTIFY:
      return message.LParam != 0 ? reinterpret_cast<const NMHDR*>(message.LParam)->hwndFrom : nullptr;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
      return item != nullptr && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
      // The record names the child by its id alone.
      const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(message.LParam);
      if (item == nullptr || item->CtlType == ODT_MENU || parent == nullptr)
        return nullptr;
      return GetDlgItem(parent, static_cast<int>(item->CtlID));
    }
    case WM_DELETEITEM: {
      const auto* item = reinterpret_cast<const DELETEITEMSTRUCT*>(message.LParam);
      return item != nullptr ? item->hwndItem : nullptr;
    }
    case WM_COMPAREITEM: {
      const auto* item = reinterpret_cast<const COMPAREITEMSTRUCT*>(message.LParam);
      return item != nullptr ? item->hwndItem : nullptr;
    }
    default:
      return nullptr;
  }
}
