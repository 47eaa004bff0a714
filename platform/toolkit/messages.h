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

// The notifications a parent window gets on behalf of a child control and
// passes on to it (as CN_BASE + message), found by ChildOfNotification.
constexpr bool IsChildNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
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
      return true;
    default:
      return false;
  }
}

// The child window a notification of IsChildNotification is about, or null
// (a menu's owner-drawn item, a notification without its record, a control
// that is no child). `parent` finds a child named by its id alone.
HWND ChildOfNotification(const TMessage& message, HWND parent);

// Typed views of a message record: a handler reads what a message carries
// by its meaning instead of taking WParam and LParam apart itself. A view
// refers to the record, so a result set through it is the message's.

class TControl;

// Client-area mouse messages (WM_MOUSEMOVE, the button messages): the
// keys held and the client point. WM_MOUSEWHEEL and WM_CONTEXTMENU carry a
// screen point instead, read with ScreenPos.
class TMouseMessage {
 public:
  explicit TMouseMessage(TMessage& message) : message_(message) {}
  UINT Msg() const { return message_.Msg; }
  // The MK_ flags of the buttons and keys held.
  uint32_t Keys() const { return static_cast<uint32_t>(LOWORD(message_.WParam)); }
  TPoint Pos() const { return message_.Pos(); }
  TPoint ScreenPos() const { return message_.Pos(); }
  // WM_MOUSEWHEEL: the wheel's turn in WHEEL_DELTA units.
  int32_t WheelDelta() const { return GET_WHEEL_DELTA_WPARAM(message_.WParam); }
  void SetResult(LRESULT result) { message_.Result = result; }

 private:
  TMessage& message_;
};

// Key messages (WM_KEYDOWN ... WM_SYSCHAR and their CN_ forms): the virtual
// key or the character, and the key data of the low-level message.
class TKeyMessage {
 public:
  explicit TKeyMessage(TMessage& message) : message_(message) {}
  UINT Msg() const { return message_.Msg; }
  uint16_t CharCode() const { return message_.CharCode(); }
  void SetCharCode(uint16_t code) { message_.WParam = code; }
  uint32_t KeyData() const { return static_cast<uint32_t>(message_.LParam); }
  // Bit 29: Alt was down (the context code).
  bool AltDown() const { return (KeyData() & (1u << 29)) != 0; }
  void SetResult(LRESULT result) { message_.Result = result; }

 private:
  TMessage& message_;
};

// WM_SETFOCUS and WM_KILLFOCUS: the window that loses or gets the focus.
class TFocusMessage {
 public:
  explicit TFocusMessage(TMessage& message) : message_(message) {}
  HWND OtherWindow() const { return reinterpret_cast<HWND>(message_.WParam); }

 private:
  TMessage& message_;
};

// CM_FOCUSCHANGED: the control that now has the focus.
class TFocusChangedMessage {
 public:
  explicit TFocusChangedMessage(TMessage& message) : message_(message) {}
  TControl* Sender() const { return reinterpret_cast<TControl*>(message_.LParam); }

 private:
  TMessage& message_;
};

// CM_MOUSEENTER and CM_MOUSELEAVE: the control the mouse entered or left;
// null when the message concerns the receiver itself.
class TMouseEnterLeaveMessage {
 public:
  explicit TMouseEnterLeaveMessage(TMessage& message) : message_(message) {}
  TControl* Control() const { return reinterpret_cast<TControl*>(message_.LParam); }
  // Whether the message is about `receiver` itself rather than a child.
  bool IsFor(const TControl* receiver) const { return Control() == nullptr || Control() == receiver; }

 private:
  TMessage& message_;
};

// WM_PAINT: the device context to paint on when a caller hands one in
// (painting into a buffer, a parent painting its children), else null and
// the window's own update region is painted.
class TPaintMessage {
 public:
  explicit TPaintMessage(TMessage& message) : message_(message) {}
  HDC DC() const { return reinterpret_cast<HDC>(message_.WParam); }
  void SetResult(LRESULT result) { message_.Result = result; }

 private:
  TMessage& message_;
};
