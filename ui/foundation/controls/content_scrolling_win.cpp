// TlxControl's middle-button content scrolling: an anchor at the point of
// the press, a local message loop that scrolls towards the pointer, faster
// the further it is, until a button, Esc or a capture loss ends it.

#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/controls/content_scrolling.h"
#include "ui/foundation/controls/control_win.h"

namespace {

constexpr int32_t kAnchorSize = 28;

// The anchor's picture: a disc with an arrow head for each direction the
// mode can scroll in.
void DrawAnchor(HDC dc, bool horizontal, bool vertical) {
  const HBRUSH face = GetSysColorBrush(COLOR_WINDOW);
  const RECT whole{0, 0, kAnchorSize, kAnchorSize};
  FillRect(dc, &whole, face);
  const HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
  const HGDIOBJ old_brush = SelectObject(dc, ink);
  const HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  const int32_t c = kAnchorSize / 2;
  if (vertical) {
    const POINT up[] = {{c, 3}, {c - 4, 8}, {c + 5, 8}};
    const POINT down[] = {{c, kAnchorSize - 3}, {c - 4, kAnchorSize - 8}, {c + 5, kAnchorSize - 8}};
    Polygon(dc, up, 3);
    Polygon(dc, down, 3);
  }
  if (horizontal) {
    const POINT left[] = {{3, c}, {8, c - 4}, {8, c + 5}};
    const POINT right[] = {{kAnchorSize - 3, c}, {kAnchorSize - 8, c - 4}, {kAnchorSize - 8, c + 5}};
    Polygon(dc, left, 3);
    Polygon(dc, right, 3);
  }
  Ellipse(dc, c - 2, c - 2, c + 3, c + 3);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  const HPEN frame = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  SelectObject(dc, frame);
  Ellipse(dc, 0, 0, kAnchorSize, kAnchorSize);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
  DeleteObject(frame);
}

HWND CreateAnchorWindow(HWND owner, const TPoint& start, bool horizontal, bool vertical) {
  const int32_t left = start.X - kAnchorSize / 2;
  const int32_t top = start.Y - kAnchorSize / 2;
  HWND anchor = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, left,
                                top, kAnchorSize, kAnchorSize, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (anchor == nullptr)
    return nullptr;
  SetWindowRgn(anchor, CreateEllipticRgn(0, 0, kAnchorSize + 1, kAnchorSize + 1), TRUE);
  ShowWindow(anchor, SW_SHOWNOACTIVATE);
  if (HDC dc = GetDC(anchor)) {
    DrawAnchor(dc, horizontal, vertical);
    ReleaseDC(anchor, dc);
  }
  ValidateRect(anchor, nullptr);
  return anchor;
}

bool IsMouseButtonMessage(UINT message) {
  return message >= WM_LBUTTONDOWN && message <= WM_MOUSEWHEEL && message != WM_MBUTTONUP;
}

}  // namespace

void TlxControl::RunContentScrolling() {
  const bool horizontal = IsHScrollBarShown();
  const bool vertical = IsVScrollBarShown();
  if ((!horizontal && !vertical) || content_scrolling_)
    return;
  HWND window = Handle();
  TAliveToken alive = AliveToken();
  content_scrolling_ = true;
  POINT cursor{};
  GetCursorPos(&cursor);
  const TPoint start(cursor.x, cursor.y);
  HWND anchor = CreateAnchorWindow(window, start, horizontal, vertical);
  const TCursor saved_cursor = Screen->Cursor();
  TlxContentScrollingMotion motion;
  motion.Speed = 1;
  Screen->SetCursor(lxContentScrollingCursor(dirNone, horizontal, vertical));
  const UINT_PTR timer = SetTimer(nullptr, 0, lxContentScrollingTickInterval, nullptr);
  SetCapture(window);
  TScopeExit finish([&] {
    if (GetCapture() == window)
      ReleaseCapture();
    KillTimer(nullptr, timer);
    if (anchor != nullptr)
      DestroyWindow(anchor);
    Screen->SetCursor(saved_cursor);
    if (alive.Alive())
      content_scrolling_ = false;
  });

  bool moved = false;
  uint32_t ticks = 0;
  TPoint last_point = start;
  while (alive.Alive() && GetCapture() == window) {
    MSG msg{};
    const BOOL fetched = GetMessageW(&msg, nullptr, 0, 0);
    if (fetched == -1)
      break;
    if (fetched == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_PAINT && msg.hwnd == anchor && anchor != nullptr) {
      ValidateRect(anchor, nullptr);
      continue;
    }
    if (IsMouseButtonMessage(msg.message))
      break;
    bool done = false;
    switch (msg.message) {
      case WM_KEYDOWN:
      case WM_KEYUP:
        done = msg.wParam == VK_ESCAPE;
        break;
      case WM_MBUTTONUP:
        done = moved;
        break;
      case WM_TIMER:
        if (msg.hwnd == nullptr && msg.wParam == timer) {
          ++ticks;
          if (lxContentScrollingStepDue(ticks, motion.Speed))
            ScrollStep(motion.Direction);
          if (!alive.Alive())
            return;
        }
        break;
      case WM_MOUSEMOVE: {
        POINT point{static_cast<int16_t>(LOWORD(msg.lParam)), static_cast<int16_t>(HIWORD(msg.lParam))};
        ::ClientToScreen(msg.hwnd, &point);
        const TPoint screen(point.x, point.y);
        if (screen != last_point) {
          motion = lxContentScrollingMotion(start, screen, kAnchorSize, horizontal, vertical);
          moved = moved || motion.Moved;
          Screen->SetCursor(lxContentScrollingCursor(motion.Direction, horizontal, vertical));
          last_point = screen;
        }
        break;
      }
      default:
        break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (done)
      break;
  }
}
