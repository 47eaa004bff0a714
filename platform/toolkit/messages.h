#pragma once
// Messages inside the toolkit: one record for system and toolkit messages,
// the toolkit's own notifications (CM_...) and the notifications that a
// parent reflects back to the child control that caused them (CN_...).

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/types.h"

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  // Mouse messages: the client point in the low and high words (signed).
  TPoint Pos() const {
    return {static_cast<int16_t>(LOWORD(LParam)), static_cast<int16_t>(HIWORD(LParam))};
  }
  // Key messages: the virtual key.
  uint16_t CharCode() const { return static_cast<uint16_t>(WParam); }
};

inline LPARAM PointToLParam(TPoint point) {
  return MAKELPARAM(static_cast<uint16_t>(point.X), static_cast<uint16_t>(point.Y));
}

// The toolkit's notifications between controls. The values lie in the
// application range and never reach another program.
constexpr UINT CM_BASE = 0xB000;
enum : UINT {
  CM_ACTIVATE = CM_BASE,
  CM_DEACTIVATE,
  CM_GOTFOCUS,
  CM_LOSTFOCUS,
  CM_CANCELMODE,           // LParam: the control that keeps the capture
  CM_DIALOGKEY,            // WParam: virtual key; Result non-zero = handled
  CM_DIALOGCHAR,           // WParam: character; Result non-zero = handled
  CM_FOCUSCHANGED,         // LParam: the control that now has the focus
  CM_PARENTFONTCHANGED,
  CM_PARENTCOLORCHANGED,
  CM_HITTEST,              // LParam: client point; Result non-zero = hit
  CM_VISIBLECHANGED,       // WParam: the new visibility
  CM_ENABLEDCHANGED,
  CM_COLORCHANGED,
  CM_FONTCHANGED,
  CM_CURSORCHANGED,
  CM_TEXTCHANGED,
  CM_MOUSEENTER,           // LParam: the control the mouse entered
  CM_MOUSELEAVE,           // LParam: the control the mouse left
  CM_BUTTONPRESSED,
  CM_SHOWINGCHANGED,
  CM_ENTER,
  CM_EXIT,
  CM_DESIGNHITTEST,
  CM_WANTSPECIALKEY,       // WParam: virtual key; Result non-zero = wanted
  CM_RELEASE,
  CM_SYSCOLORCHANGE,
  CM_WININICHANGE,
  CM_FONTCHANGE,
  CM_TABSTOPCHANGED,
  CM_CONTROLLISTCHANGE,    // WParam: the control; LParam: inserted (1) or removed (0)
  CM_CHILDKEY,
  CM_DRAG,                 // WParam: TDragMessage; LParam: TDragRec*
  CM_HINTSHOW,
  CM_RECREATEWND,
  CM_INVALIDATE,
  CM_SYSFONTCHANGED,
  CM_CONTROLCHANGE,
  CM_CHANGED,
  CM_BORDERCHANGED,
  CM_BIDIMODECHANGED,
  CM_PARENTBIDIMODECHANGED,
  CM_MOUSEWHEEL,
  CM_CTL3DCHANGED,
  CM_PARENTCTL3DCHANGED,
};

// Notifications reflected to the control that sent them: the parent gets
// WM_COMMAND, WM_NOTIFY, WM_DRAWITEM... and passes CN_BASE + message to the
// child window named in it. Key messages reach a control first as CN_ keys
// from the message loop, so that dialog keys can be taken before the window
// sees them.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_PARENTNOTIFY = CN_BASE + WM_PARENTNOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

// Message handlers test whether they got one of these ranges.
constexpr bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }
constexpr bool IsKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }
