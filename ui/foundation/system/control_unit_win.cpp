#include "ui/foundation/system/control_unit_win.h"

#include <cstdlib>
#include <memory>

#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/gdi_holders.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/system/message_window_win.h"

namespace {

// The multi-monitor functions are looked up by name: systems without them
// get the primary work area.
class MonitorFunctions {
 public:
  using MonitorFromPointProc = HMONITOR(WINAPI*)(POINT, DWORD);
  using GetMonitorInfoProc = BOOL(WINAPI*)(HMONITOR, MONITORINFO*);

  static const MonitorFunctions& Instance() {
    static const MonitorFunctions functions;
    return functions;
  }

  MonitorFromPointProc monitor_from_point = nullptr;
  GetMonitorInfoProc get_monitor_info = nullptr;

 private:
  MonitorFunctions() {
    // The module keeps "USER32" loaded from its start; before that the
    // process's own copy serves.
    HMODULE user32 = lxUser32Library();
    if (user32 == nullptr)
      user32 = GetModuleHandleA("USER32");
    if (user32 == nullptr)
      return;
    monitor_from_point = reinterpret_cast<MonitorFromPointProc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "MonitorFromPoint")));
    get_monitor_info = reinterpret_cast<GetMonitorInfoProc>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetMonitorInfoA")));
  }
};

TRect PrimaryWorkArea() {
  RECT area{};
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0))
    return TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  return TRect(area);
}

bool IsEscapeKeyMessage(const MSG& message) {
  return (message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.wParam == VK_ESCAPE;
}

bool IsButtonUpMessage(const MSG& message) {
  return message.message == WM_LBUTTONUP || message.message == WM_RBUTTONUP || message.message == WM_MBUTTONUP;
}

// Gives the capture back when the loop ends, however it ends.
class DragCapture {
 public:
  explicit DragCapture(HWND window) : window_(window) { SetCapture(window_); }
  ~DragCapture() {
    if (GetCapture() == window_)
      ReleaseCapture();
  }
  DragCapture(const DragCapture&) = delete;
  DragCapture& operator=(const DragCapture&) = delete;

 private:
  HWND window_;
};

}  // namespace

bool lxCanAllocateHandle(TWinControl* control) {
  if (control == nullptr)
    return false;
  if (control->HandleAllocated())
    return true;
  if (control->ComponentState().Contains(csDestroying))
    return false;
  if (control->ParentWindow() != nullptr)
    return true;
  if (control->Parent() != nullptr)
    return lxCanAllocateHandle(control->Parent());
  if (dynamic_cast<TCustomForm*>(control) != nullptr)
    return CurrentApplication() != nullptr;
  return false;
}

TRect lxWorkAreaAtPoint(const TPoint& point) {
  const MonitorFunctions& functions = MonitorFunctions::Instance();
  if (functions.monitor_from_point == nullptr || functions.get_monitor_info == nullptr)
    return PrimaryWorkArea();
  HMONITOR monitor = functions.monitor_from_point(POINT{point.X, point.Y}, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr)
    return PrimaryWorkArea();
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!functions.get_monitor_info(monitor, &info))
    return PrimaryWorkArea();
  return TRect(info.rcWork);
}

void lxFitRectIntoWorkArea(TRect& rect, const TPoint& point) { lxFitRectIntoArea(rect, lxWorkAreaAtPoint(point)); }

void lxMapPointBetweenWindows(HWND from, HWND to, TPoint& point) {
  POINT system_point{point.X, point.Y};
  MapWindowPoints(from, to, &system_point, 1);
  point = TPoint{static_cast<int32_t>(system_point.x), static_cast<int32_t>(system_point.y)};
}

void lxMapRectBetweenWindows(HWND from, HWND to, TRect& rect) {
  POINT corners[2] = {{rect.Left, rect.Top}, {rect.Right, rect.Bottom}};
  MapWindowPoints(from, to, corners, 2);
  rect = TRect(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
}

void lxGetCursorPosSafe(TPoint& point) {
  POINT cursor{};
  if (GetCursorPos(&cursor))
    point = TPoint{static_cast<int32_t>(cursor.x), static_cast<int32_t>(cursor.y)};
  else
    point = TPoint{-1, -1};
}

bool lxHasChildStyle(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0; }

bool lxIsSelfOrChildWindow(HWND parent, HWND window) {
  return parent != nullptr && (window == parent || IsChild(parent, window));
}

void lxUpdateWindowNow(TWinControl* control) {
  if (control == nullptr || !control->HandleAllocated())
    return;
  RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

uint32_t lxDoubleClickTime() { return GetDoubleClickTime(); }

bool lxComponentIsLoading(const TComponent* component) {
  return component != nullptr && component->ComponentState().Contains(csLoading);
}

TlxDetectDragResult lxDetectDrag(HWND window) {
  POINT start{};
  GetCursorPos(&start);
  const int32_t threshold = Mouse->DragThreshold();
  const TRect square(start.x - threshold, start.y - threshold, start.x + threshold, start.y + threshold);

  DragCapture capture(window);
  MSG message{};
  while (GetCapture() == window) {
    const BOOL fetched = GetMessageA(&message, nullptr, 0, 0);
    if (fetched == 0) {
      // WM_QUIT belongs to the outer loop: hand it back.
      PostQuitMessage(static_cast<int>(message.wParam));
      return lxddrCancelled;
    }
    if (fetched < 0)
      return lxddrCancelled;

    TlxDetectDragResult result = lxddrCancelled;
    bool decided = false;
    if (IsEscapeKeyMessage(message)) {
      decided = true;
    } else if (message.message == WM_MOUSEMOVE && message.hwnd == window) {
      POINT at{static_cast<SHORT>(LOWORD(message.lParam)), static_cast<SHORT>(HIWORD(message.lParam))};
      ClientToScreen(window, &at);
      if (!square.Contains(TPoint{static_cast<int32_t>(at.x), static_cast<int32_t>(at.y)})) {
        result = lxddrDrag;
        decided = true;
      }
    } else if (IsButtonUpMessage(message)) {
      result = lxddrNoDrag;
      decided = true;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (decided)
      return result;
  }
  return lxddrCancelled;
}

bool lxWithinDragThreshold(const TPoint& start, int32_t x, int32_t y) {
  return lxWithinDragThreshold(start, x, y, Mouse->DragThreshold());
}

WPARAM lxShiftToMouseKeys(TShiftState shift) {
  WPARAM keys = 0;
  if (shift.Contains(ssShift))
    keys |= MK_SHIFT;
  if (shift.Contains(ssCtrl))
    keys |= MK_CONTROL;
  if (shift.Contains(ssLeft))
    keys |= MK_LBUTTON;
  if (shift.Contains(ssRight))
    keys |= MK_RBUTTON;
  if (shift.Contains(ssMiddle))
    keys |= MK_MBUTTON;
  return keys;
}

char lxVirtualKeyToChar(uint16_t virtual_key) {
  BYTE keyboard_state[256] = {};
  if (!GetKeyboardState(keyboard_state))
    return '\0';
  const UINT scan_code = MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
  WORD characters[2] = {};
  if (ToAscii(virtual_key, scan_code, keyboard_state, characters, 0) != 1)
    return '\0';
  return static_cast<char>(characters[0] & 0xFF);
}

bool lxIsCtrlPressed() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

namespace {

struct HourglassState {
  int32_t depth = 0;
  TCursor saved_cursor = crDefault;
};

HourglassState& Hourglass() {
  static HourglassState state;
  return state;
}

}  // namespace

void lxShowHourglass() {
  HourglassState& state = Hourglass();
  if (state.depth++ == 0) {
    state.saved_cursor = Screen->Cursor();
    Screen->SetCursor(crHourGlass);
  }
}

void lxHideHourglass() {
  HourglassState& state = Hourglass();
  if (state.depth == 0)
    return;
  if (--state.depth == 0)
    Screen->SetCursor(state.saved_cursor);
}

bool lxShowPopupMenu(TControl* control, TComponent* component, int32_t x, int32_t y) {
  if (auto* popup = dynamic_cast<IlxPopupComponent*>(component)) {
    popup->PopupAt(x, y);
    return true;
  }
  auto* popup_menu = dynamic_cast<TPopupMenu*>(component);
  if (popup_menu == nullptr || !popup_menu->AutoPopup())
    return false;
  popup_menu->SetPopupComponent(control);
  popup_menu->Popup(x, y);
  return true;
}

bool lxPopupMenuHandlesShortCut(TComponent* component, const TMessage& key_message) {
  if (auto* popup = dynamic_cast<IlxPopupComponent*>(component))
    return popup->HandlesShortCut(key_message);
  auto* popup_menu = dynamic_cast<TPopupMenu*>(component);
  if (popup_menu == nullptr || popup_menu->WindowHandle() == nullptr)
    return false;
  return popup_menu->IsShortCut(key_message);
}

int32_t lxCalcPopupMenuHeight(TPopupMenu* menu) {
  constexpr int32_t kItemPadding = 4;
  constexpr int32_t kMenuFrame = 4;
  if (menu == nullptr)
    return kMenuFrame;
  TWindowDC screen;
  TCanvas canvas;
  canvas.SetHandle(screen.Handle());
  TScopeExit release_canvas([&] { canvas.SetHandle(nullptr); });
  canvas.SetFont(Screen->MenuFont());
  const int32_t text_item_height = canvas.TextHeight("Qg") + kItemPadding;
  int32_t height = 0;
  TMenuItem& items = menu->Items();
  for (int32_t index = 0; index < items.Count(); ++index) {
    TMenuItem* item = items[index];
    if (!item->Visible())
      continue;
    int32_t item_height = text_item_height;
    if (menu->OwnerDraw() || menu->Images() != nullptr || item->HasBitmap()) {
      int32_t item_width = 0;
      item->MeasureItem(canvas, item_width, item_height);
    }
    height += item_height;
  }
  return height + kMenuFrame;
}

TModalResult lxShowMessageDialog(const std::string& message, const std::string& caption, TMsgDlgType type,
                                 TMsgDlgButtons buttons, int32_t help_context) {
  auto dialog = std::make_unique<TMessageDialog>(message, type, buttons);
  if (!caption.empty())
    dialog->SetCaption(caption);
  dialog->SetHelpContext(help_context);
  return dialog->ShowModal();
}

void lxScaleFormToFont(TCustomForm* form, const TFont& font) {
  if (form == nullptr)
    return;
  TCanvas& canvas = form->Canvas();
  canvas.SetFont(form->Font());
  const int32_t old_height = canvas.TextHeight("Qq");
  form->SetFont(font);
  canvas.SetFont(form->Font());
  const int32_t new_height = canvas.TextHeight("Qq");
  // A form that cannot measure (no text height) is left as it is rather
  // than scaled by a zero divider.
  if (old_height <= 0 || new_height <= 0 || old_height == new_height)
    return;
  form->ScaleControls(new_height, old_height);
  form->SetClientSize(MulDiv(form->ClientWidth(), new_height, old_height),
                      MulDiv(form->ClientHeight(), new_height, old_height));
}
