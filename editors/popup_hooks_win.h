#pragma once
// The popups' bookkeeping: the list of shown popups (oldest first), the
// activation lock, and the three thread hooks (call-window-procedure,
// get-message, mouse) that close or route the shown popups. A hook costs
// every message of the thread, so the hooks are installed only while a
// popup is listed or the activation lock is held, and removed after.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/toolkit/control.h"

class TlxCustomPopupWindow;

// --- the shown popups --------------------------------------------------------------

void lxAddShownPopup(TlxCustomPopupWindow* popup);
void lxRemoveShownPopup(TlxCustomPopupWindow* popup);
bool lxIsShownPopup(const TControl* control);
const std::vector<TlxCustomPopupWindow*>& lxShownPopups();

void lxChangePopupActivationLock(bool up);
bool lxPopupActivationLocked();

// The show and close sequences mark themselves, so that the messages they
// cause are told apart from the user's.
class TlxPopupOperationScope {
 public:
  TlxPopupOperationScope(TlxCustomPopupWindow* popup, bool showing);
  ~TlxPopupOperationScope();
  TlxPopupOperationScope(const TlxPopupOperationScope&) = delete;
  TlxPopupOperationScope& operator=(const TlxPopupOperationScope&) = delete;

 private:
  bool previous_operation_;
  bool previous_being_shown_;
  TlxCustomPopupWindow* previous_popup_;
};
bool lxPopupBeingShown();

// Whether the thread's hooks are installed now.
bool lxPopupHooksInstalled();

// The mouse hook's decision on a press: false discards it.
bool lxPopupMouseHookDecide(HWND window, UINT message, const TPoint& screen_point);

// The window procedure of `window` is replaced for exactly one message by
// one that puts the previous procedure back and answers 1.
void lxSuppressNextWindowMessage(HWND window);
// Removes queued messages of `window` from `first` to `last` (all of them,
// or only the first); a WM_QUIT met on the way is posted again and ends the
// removal. True when any other message was removed.
bool lxRemovePendingMessages(HWND window, UINT first, UINT last, bool all);

// --- window tests --------------------------------------------------------------------

bool lxIsControlWindow(TWinControl* control, HWND window);
bool lxControlOwnsWindow(TWinControl* control, HWND window, bool deep);
bool lxIsWindowInsideControl(TWinControl* control, HWND window);
bool lxIsChildWindowOfControl(TWinControl* control, HWND window);
bool lxIsWindowInControlTree(TWinControl* control, HWND window);
bool lxIsWindowInControlForm(TControl* control, HWND window);
bool lxIsMouseOverActiveControl(TWinControl* control);
bool lxControlHasOpenPopup(TControl* control);
HWND lxFindNonChildAncestorWindow(HWND window);

// --- the container unit --------------------------------------------------------------

// Counted start and end of the container unit: binds the scroll-bar
// information call at the first start; the last end removes the hooks and
// forgets the shown popups.
void lxContainerInitialize();
void lxContainerFinalize();
