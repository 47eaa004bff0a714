#include "editors/popup_hooks_win.h"

#include <algorithm>

#include "editors/container_routines_win.h"
#include "editors/popup_window_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/system/thread_hooks_win.h"

namespace {

// Everything here belongs to the GUI thread.
struct PopupUnit {
  std::vector<TlxCustomPopupWindow*> shown;
  int32_t activation_lock = 0;
  bool operation = false;
  bool being_shown = false;
  TlxCustomPopupWindow* operation_popup = nullptr;
  HHOOK call_wnd_proc_hook = nullptr;
  HHOOK get_message_hook = nullptr;
  HHOOK mouse_hook = nullptr;
  // Hook procedures running now: a hook is never removed from inside
  // itself, only once the outermost one returns.
  int32_t hook_depth = 0;
  HWND suppressed_window = nullptr;
  WNDPROC suppressed_previous = nullptr;
};

PopupUnit& Unit() {
  static PopupUnit unit;
  return unit;
}

TlxModuleStartCount& ContainerUnitStart() {
  static TlxModuleStartCount start;
  return start;
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK MouseHook(int code, WPARAM wparam, LPARAM lparam);

bool HooksWanted() {
  const PopupUnit& unit = Unit();
  return !unit.shown.empty() || unit.activation_lock > 0;
}

void RemoveHooks() {
  PopupUnit& unit = Unit();
  lxRemoveThreadHook(unit.call_wnd_proc_hook);
  lxRemoveThreadHook(unit.get_message_hook);
  lxRemoveThreadHook(unit.mouse_hook);
}

void UpdateHooks() {
  PopupUnit& unit = Unit();
  if (HooksWanted()) {
    if (unit.call_wnd_proc_hook != nullptr)
      return;
    TScopeFail undo([] { RemoveHooks(); });
    lxSetThreadHook(unit.call_wnd_proc_hook, WH_CALLWNDPROC, &CallWndProcHook);
    lxSetThreadHook(unit.get_message_hook, WH_GETMESSAGE, &GetMessageHook);
    lxSetThreadHook(unit.mouse_hook, WH_MOUSE, &MouseHook);
    return;
  }
  if (unit.hook_depth == 0)
    RemoveHooks();
}

// Counts a running hook procedure; the last one out removes hooks no
// longer wanted.
class HookCall {
 public:
  HookCall() { ++Unit().hook_depth; }
  ~HookCall() {
    if (--Unit().hook_depth == 0 && !HooksWanted())
      RemoveHooks();
  }
  HookCall(const HookCall&) = delete;
  HookCall& operator=(const HookCall&) = delete;
};

// A copy of the list: closing a popup changes the list under the walk.
std::vector<TlxCustomPopupWindow*> ShownCopy() { return Unit().shown; }

bool StillShown(TlxCustomPopupWindow* popup) {
  const auto& shown = Unit().shown;
  return std::find(shown.begin(), shown.end(), popup) != shown.end();
}

TWinControl* OwnerWinControl(const TlxCustomPopupWindow* popup) {
  return dynamic_cast<TWinControl*>(popup->OwnerControl());
}

bool OwnerBeingDestroyed(const TlxCustomPopupWindow* popup) {
  TControl* owner = popup->OwnerControl();
  return owner == nullptr || owner->ComponentState().Contains(csDestroying);
}

TCustomForm* OwnerForm(const TlxCustomPopupWindow* popup) {
  TControl* owner = popup->OwnerControl();
  return owner != nullptr ? GetParentForm(owner) : nullptr;
}

// --- the call-window-procedure hook --------------------------------------------------

void CloseOnDestroy(HWND window) {
  for (TlxCustomPopupWindow* popup : ShownCopy()) {
    if (popup->IsBeingDestroyed() || popup->WindowHandle() != window)
      continue;
    popup->ClosePopup();
    return;
  }
}

void CloseOnClose(HWND window) {
  for (TlxCustomPopupWindow* popup : ShownCopy()) {
    if (!StillShown(popup) || popup->IsBeingDestroyed())
      continue;
    if (popup->WindowHandle() == window) {
      const TAliveToken alive = popup->AliveToken();
      if (!popup->CloseQuery() || !alive.Alive())
        return;
      const bool captures = popup->CapturesFocus();
      popup->ClosePopup();
      if (alive.Alive() && captures && !OwnerBeingDestroyed(popup))
        if (TWinControl* owner = OwnerWinControl(popup); owner != nullptr && owner->HandleAllocated())
          SendMessageW(lxFindNonChildAncestorWindow(owner->Handle()), WM_CLOSE, 0, 0);
      return;
    }
    if (popup->CapturesFocus())
      continue;
    if (OwnerBeingDestroyed(popup))
      continue;
    TCustomForm* form = OwnerForm(popup);
    if (form == nullptr || !form->HandleAllocated() || form->WindowHandle() == window)
      popup->ClosePopup();
    return;
  }
}

void CloseOnOwnerHidden(HWND window) {
  const std::vector<TlxCustomPopupWindow*> shown = ShownCopy();
  for (size_t index = shown.size(); index-- > 0;) {
    TlxCustomPopupWindow* popup = shown[index];
    if (popup->IsBeingDestroyed())
      continue;
    TWinControl* owner = OwnerWinControl(popup);
    if (owner == nullptr || owner->WindowHandle() == nullptr || owner->WindowHandle() != window)
      continue;
    // The popup goes with every popup opened after it, newest first.
    for (size_t newer = shown.size(); newer-- > index;)
      if (StillShown(shown[newer]))
        shown[newer]->ClosePopup();
    return;
  }
}

void CloseOnApplicationDeactivated() {
  for (bool restart = true; restart;) {
    restart = false;
    for (TlxCustomPopupWindow* popup : ShownCopy()) {
      if (TCustomForm* form = OwnerForm(popup); form != nullptr && form->HandleAllocated())
        PostMessageW(form->WindowHandle(), WM_NCACTIVATE, FALSE, 0);
      if (!popup->Enabled() || (popup->CapturesFocus() && popup->Active()))
        continue;
      TControl* owner = popup->OwnerControl();
      const TWeakRef<TControl> owner_ref(owner);
      popup->ClosePopup();
      if (auto* container = dynamic_cast<TlxContainer*>(owner_ref.Get()))
        container->RefreshViewNow();
      restart = true;
      break;
    }
  }
}

void CloseOnOwnerMoved(HWND window) {
  for (bool found = true; found;) {
    found = false;
    for (TlxCustomPopupWindow* popup : ShownCopy()) {
      if (!popup->HandleAllocated() || popup->IsBeingDestroyed())
        continue;
      TWinControl* owner = OwnerWinControl(popup);
      if (owner == nullptr || !owner->HandleAllocated() || OwnerBeingDestroyed(popup) ||
          owner->WindowHandle() != window || IsWindowVisible(window))
        continue;
      popup->ClosePopup();
      found = true;
      break;
    }
  }
}

// True when the message is to be swallowed.
bool KeepsOwnerCaptionActive(HWND window) {
  if (Unit().being_shown)
    return true;
  for (TlxCustomPopupWindow* popup : Unit().shown) {
    TCustomForm* form = OwnerForm(popup);
    if (form != nullptr && form->WindowHandle() == window)
      return true;
  }
  return false;
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT next = CallNextHookEx(nullptr, code, wparam, lparam);
  if (code != HC_ACTION)
    return next;
  HookCall call;
  CWPSTRUCT& sent = *reinterpret_cast<CWPSTRUCT*>(lparam);
  if ((sent.message == CM_ACTIVATE || sent.message == CM_DEACTIVATE) && lxPopupActivationLocked()) {
    lxSuppressNextWindowMessage(sent.hwnd);
    return next;
  }
  if (Unit().shown.empty())
    return next;
  switch (sent.message) {
    case WM_DESTROY:
      CloseOnDestroy(sent.hwnd);
      break;
    case WM_CLOSE:
      CloseOnClose(sent.hwnd);
      break;
    case WM_SHOWWINDOW:
      if (sent.wParam == FALSE)
        CloseOnOwnerHidden(sent.hwnd);
      break;
    case WM_ACTIVATEAPP:
      if (sent.wParam == FALSE)
        CloseOnApplicationDeactivated();
      break;
    case WM_WINDOWPOSCHANGED:
      CloseOnOwnerMoved(sent.hwnd);
      break;
    case WM_NCACTIVATE:
      if (sent.wParam == FALSE && KeepsOwnerCaptionActive(sent.hwnd))
        lxSuppressNextWindowMessage(sent.hwnd);
      break;
    default:
      break;
  }
  return next;
}

// --- the get-message hook --------------------------------------------------------------

LRESULT CALLBACK GetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && wparam == PM_REMOVE) {
    HookCall call;
    MSG& message = *reinterpret_cast<MSG*>(lparam);
    const auto& shown = Unit().shown;
    if (message.message == WM_SYSKEYDOWN && !shown.empty()) {
      TlxCustomPopupWindow* newest = shown.back();
      const bool runs_own_loop = newest->CapturesFocus() && newest->ModalLoop();
      if (!runs_own_loop && !newest->AllowsSysKey(static_cast<uint16_t>(message.wParam)))
        message.message = WM_NULL;
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// --- the mouse hook ----------------------------------------------------------------------

bool IsPress(UINT message) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

bool IsLeftPress(UINT message) { return message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK; }

LRESULT CALLBACK MouseHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION && !Unit().shown.empty() && IsPress(static_cast<UINT>(wparam))) {
    HookCall call;
    const MOUSEHOOKSTRUCT& mouse = *reinterpret_cast<MOUSEHOOKSTRUCT*>(lparam);
    if (!lxPopupMouseHookDecide(mouse.hwnd, static_cast<UINT>(wparam), TPoint(mouse.pt.x, mouse.pt.y)))
      return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool IsWindowInOwnerMDIFrame(TCustomForm* child_form, HWND window) {
  if (child_form == nullptr || child_form->FormStyle() != fsMDIChild || !child_form->HandleAllocated())
    return false;
  const HWND client = GetParent(child_form->WindowHandle());
  const HWND frame = client != nullptr ? GetParent(client) : nullptr;
  if (client == nullptr || window == nullptr)
    return false;
  if (window == client || window == frame)
    return true;
  // Another MDI child (deep), or the frame's other windows.
  return frame != nullptr && IsChild(frame, window) && !IsChild(child_form->WindowHandle(), window) &&
         window != child_form->WindowHandle();
}

// Offers a press on the owner to the popup and closes it, as the hook does
// for every press outside; false when the press is to be discarded.
bool CloseForPress(TlxCustomPopupWindow* popup, HWND window, UINT message, const TPoint& point,
                   bool owner_press) {
  const TWeakRef<TControl> owner(popup->OwnerControl());
  bool result = true;
  {
    const TAliveToken alive = popup->AliveToken();
    popup->ChangeCloseLock(true);
    TScopeExit unlock([&] {
      if (alive.Alive())
        popup->ChangeCloseLock(false);
    });
    TStateScope<bool> being_shown(Unit().being_shown, true);
    // A claimed press on the owner still reaches it; the popup only
    // remembers that the owner's click closed it, so that it does not
    // reopen at once.
    if (popup->HandleOwnerMouseDown(window, message, point, KeyboardStateToShiftState())) {
      if (owner_press)
        popup->SetClosedByOwnerClick(true);
      else
        result = false;
    }
    if (alive.Alive())
      popup->ClosePopup();
  }
  if (owner_press) {
    TControl* control = owner.Get();
    if (control == nullptr || control->ComponentState().Contains(csDestroying) || !control->Visible())
      result = false;
  }
  return result;
}

}  // namespace

// --- the shown popups ----------------------------------------------------------------

void lxAddShownPopup(TlxCustomPopupWindow* popup) {
  if (popup == nullptr || StillShown(popup))
    return;
  Unit().shown.push_back(popup);
  TScopeFail unlist([popup] { lxRemoveShownPopup(popup); });
  UpdateHooks();
}

void lxRemoveShownPopup(TlxCustomPopupWindow* popup) {
  auto& shown = Unit().shown;
  shown.erase(std::remove(shown.begin(), shown.end(), popup), shown.end());
  UpdateHooks();
}

bool lxIsShownPopup(const TControl* control) {
  const auto& shown = Unit().shown;
  return std::any_of(shown.begin(), shown.end(), [control](const TlxCustomPopupWindow* popup) {
    return static_cast<const TControl*>(popup) == control;
  });
}

const std::vector<TlxCustomPopupWindow*>& lxShownPopups() { return Unit().shown; }

void lxChangePopupActivationLock(bool up) {
  PopupUnit& unit = Unit();
  if (up) {
    ++unit.activation_lock;
  } else if (unit.activation_lock > 0) {
    --unit.activation_lock;
  }
  UpdateHooks();
}

bool lxPopupActivationLocked() { return Unit().activation_lock > 0; }

TlxPopupOperationScope::TlxPopupOperationScope(TlxCustomPopupWindow* popup, bool showing)
    : previous_operation_(Unit().operation),
      previous_being_shown_(Unit().being_shown),
      previous_popup_(Unit().operation_popup) {
  Unit().operation = true;
  Unit().operation_popup = popup;
  if (showing)
    Unit().being_shown = true;
}

TlxPopupOperationScope::~TlxPopupOperationScope() {
  Unit().operation = previous_operation_;
  Unit().being_shown = previous_being_shown_;
  Unit().operation_popup = previous_popup_;
}

bool lxPopupBeingShown() { return Unit().being_shown; }

bool lxPopupHooksInstalled() {
  const PopupUnit& unit = Unit();
  return unit.call_wnd_proc_hook != nullptr || unit.get_message_hook != nullptr || unit.mouse_hook != nullptr;
}

bool lxPopupMouseHookDecide(HWND window, UINT message, const TPoint& screen_point) {
  bool result = true;
  for (bool restart = true; restart;) {
    restart = false;
    for (TlxCustomPopupWindow* popup : ShownCopy()) {
      if (!StillShown(popup))
        continue;
      if (popup->CapturesFocus() && !popup->Active())
        continue;
      if (lxControlOwnsWindow(popup, window, true))
        continue;
      TControl* owner = popup->OwnerControl();
      TCustomForm* owner_form = owner != nullptr ? GetParentForm(owner) : nullptr;
      auto* owner_form_popup = dynamic_cast<TlxCustomPopupWindow*>(owner_form);
      const bool in_owner_form = (owner != nullptr && lxIsWindowInControlForm(owner, window)) ||
                                 (owner_form_popup != nullptr && !StillShown(owner_form_popup));
      if (in_owner_form) {
        auto* owner_control = dynamic_cast<TWinControl*>(owner);
        TRect owner_bounds;
        popup->GetOwnerScreenBounds(owner_bounds);
        const bool on_owner = IsLeftPress(message) && owner_control != nullptr &&
                              lxControlOwnsWindow(owner_control, window, true) &&
                              owner_bounds.Contains(screen_point);
        if (!CloseForPress(popup, window, message, screen_point, on_owner))
          result = false;
        restart = true;
        break;
      }
      if (IsWindowInOwnerMDIFrame(owner_form, window)) {
        if (!CloseForPress(popup, window, message, screen_point, false))
          result = false;
        restart = true;
        break;
      }
    }
  }
  return result;
}

void lxSuppressNextWindowMessage(HWND window) {
  PopupUnit& unit = Unit();
  if (unit.suppressed_window != nullptr && IsWindow(unit.suppressed_window))
    SetWindowLongPtrW(unit.suppressed_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(unit.suppressed_previous));
  unit.suppressed_window = window;
  unit.suppressed_previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  const WNDPROC swallow = [](HWND target, UINT, WPARAM, LPARAM) -> LRESULT {
    PopupUnit& state = Unit();
    SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(state.suppressed_previous));
    state.suppressed_window = nullptr;
    state.suppressed_previous = nullptr;
    return 1;
  };
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(swallow));
}

bool lxRemovePendingMessages(HWND window, UINT first, UINT last, bool all) {
  bool removed = false;
  MSG message;
  while (PeekMessageW(&message, window, first, last, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    removed = true;
    if (!all)
      break;
  }
  return removed;
}

// --- window tests ----------------------------------------------------------------------

bool lxIsControlWindow(TWinControl* control, HWND window) {
  return control != nullptr && window != nullptr && control->WindowHandle() == window;
}

bool lxControlOwnsWindow(TWinControl* control, HWND window, bool deep) {
  return lxIsControlWindow(control, window) || (deep && lxIsWindowInsideControl(control, window));
}

bool lxIsChildWindowOfControl(TWinControl* control, HWND window) {
  return control != nullptr && control->HandleAllocated() && window != nullptr &&
         IsChild(control->WindowHandle(), window);
}

bool lxIsWindowInsideControl(TWinControl* control, HWND window) {
  if (control == nullptr || window == nullptr || lxIsControlWindow(control, window))
    return false;
  return lxIsChildWindowOfControl(control, window) || lxIsWindowInControlTree(control, window);
}

namespace {

bool IsWindowInPopupTree(TlxCustomPopupWindow* popup, HWND window) {
  return lxIsControlWindow(popup, window) || lxIsChildWindowOfControl(popup, window) ||
         lxIsWindowInControlTree(popup, window);
}

}  // namespace

bool lxIsWindowInControlTree(TWinControl* control, HWND window) {
  if (control == nullptr || window == nullptr)
    return false;
  for (int32_t index = 0; index < control->ControlCount(); ++index) {
    auto* child = dynamic_cast<TWinControl*>(control->Controls(index));
    if (child == nullptr)
      continue;
    if (lxIsControlWindow(child, window) || lxIsWindowInControlTree(child, window) ||
        lxIsChildWindowOfControl(child, window))
      return true;
  }
  if (dynamic_cast<TlxCustomPopupWindow*>(control) != nullptr) {
    for (TlxCustomPopupWindow* other : ShownCopy()) {
      if (other == control || other->OwnerControl() == nullptr)
        continue;
      if (GetParentForm(other->OwnerControl()) == control && IsWindowInPopupTree(other, window))
        return true;
    }
  }
  for (TlxCustomPopupWindow* other : ShownCopy())
    if (other->OwnerControl() == control && IsWindowInPopupTree(other, window))
      return true;
  return false;
}

bool lxIsWindowInControlForm(TControl* control, HWND window) {
  TCustomForm* form = control != nullptr ? GetParentForm(control) : nullptr;
  if (form == nullptr || window == nullptr)
    return false;
  if (lxControlOwnsWindow(form, window, true))
    return true;
  if (form->Parent() != nullptr || !form->HandleAllocated())
    return false;
  const HWND embedding = GetAncestor(form->WindowHandle(), GA_ROOT);
  if (embedding == form->WindowHandle())
    return false;
  return window == embedding || IsChild(embedding, window);
}

bool lxIsMouseOverActiveControl(TWinControl* control) {
  if (control == nullptr || !control->HandleAllocated() || !IsWindowVisible(control->WindowHandle()))
    return false;
  if (GetForegroundWindow() == nullptr ||
      GetWindowThreadProcessId(GetForegroundWindow(), nullptr) != GetCurrentThreadId())
    return false;
  POINT cursor{};
  GetCursorPos(&cursor);
  if (WindowFromPoint(cursor) != control->WindowHandle())
    return false;
  TCustomForm* form = GetParentForm(control);
  for (TControl* ancestor = control; ancestor != nullptr; ancestor = ancestor->Parent())
    if (auto* mdi = dynamic_cast<TCustomForm*>(ancestor); mdi != nullptr && mdi->FormStyle() == fsMDIChild) {
      form = mdi;
      break;
    }
  if (form == nullptr)
    return false;
  if (form->Active() || form->FormStyle() == fsMDIForm)
    return true;
  const auto& shown = Unit().shown;
  if (shown.empty() || shown.front()->OwnerControl() == nullptr)
    return false;
  TControl* owner = shown.front()->OwnerControl();
  return owner == form || (dynamic_cast<TWinControl*>(form) != nullptr && form->ContainsControl(owner)) ||
         GetParentForm(owner) == form;
}

bool lxControlHasOpenPopup(TControl* control) {
  TlxContainer* container = lxFindContainerOf(control);
  return container != nullptr && container->IsPopupOpen();
}

HWND lxFindNonChildAncestorWindow(HWND window) {
  while (window != nullptr && (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) != 0)
    window = GetParent(window);
  return window;
}

// --- the container unit --------------------------------------------------------------

void lxContainerInitialize() {
  ContainerUnitStart().Start([] { lxBindGetScrollBarInfo(); });
}

void lxContainerFinalize() {
  ContainerUnitStart().End([] {
    Unit().shown.clear();
    Unit().activation_lock = 0;
    RemoveHooks();
  });
}
