#include "platform/toolkit/screen.h"

#include <array>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

// The toolkit's own cursor shapes, 32 x 32: 'X' black, '.' white, anything
// else see-through. The hot spot is the top-left tip.
constexpr std::array<std::string_view, 22> kDragCursorRows{
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..X",
    "      XXXXXXXXXX",
    "      X........X",
    "      X........X",
    "      X........X",
    "      X........X",
    "      XXXXXXXXXX",
};

constexpr std::array<std::string_view, 24> kMultiDragCursorRows{
    "X",
    "XX",
    "X.X",
    "X..X",
    "X...X",
    "X....X",
    "X.....X",
    "X......X",
    "X.......X",
    "X........X",
    "X.....XXXXX",
    "X..X..X",
    "X.X X..X",
    "XX  X..X",
    "X    X..X",
    "     X..XXXXXXXX",
    "      XXXXXXXXX.X",
    "      X........X.X",
    "      X........X.X",
    "      X........X.X",
    "      X........X.X",
    "      XXXXXXXXXX.X",
    "        X........X",
    "        XXXXXXXXXX",
};

template <size_t N>
HCURSOR CursorFromRows(const std::array<std::string_view, N>& rows) {
  constexpr int kSize = 32;
  std::array<uint8_t, kSize * kSize / 8> and_mask;
  std::array<uint8_t, kSize * kSize / 8> xor_mask{};
  and_mask.fill(0xFF);
  for (size_t y = 0; y < rows.size(); ++y) {
    for (size_t x = 0; x < rows[y].size() && x < kSize; ++x) {
      const char pixel = rows[y][x];
      if (pixel != 'X' && pixel != '.')
        continue;
      const size_t byte = y * kSize / 8 + x / 8;
      const auto bit = static_cast<uint8_t>(0x80 >> (x % 8));
      and_mask[byte] &= static_cast<uint8_t>(~bit);
      if (pixel == '.')
        xor_mask[byte] |= bit;
    }
  }
  return CreateCursor(GetModuleHandleW(nullptr), 0, 0, kSize, kSize, and_mask.data(), xor_mask.data());
}

struct SystemCursor {
  TCursor id;
  LPCSTR shape;
};

const std::array kSystemCursors{
    SystemCursor{crDefault, IDC_ARROW},     SystemCursor{crArrow, IDC_ARROW},
    SystemCursor{crCross, IDC_CROSS},       SystemCursor{crIBeam, IDC_IBEAM},
    SystemCursor{crSizeNESW, IDC_SIZENESW}, SystemCursor{crSizeNS, IDC_SIZENS},
    SystemCursor{crSizeNWSE, IDC_SIZENWSE}, SystemCursor{crSizeWE, IDC_SIZEWE},
    SystemCursor{crUpArrow, IDC_UPARROW},   SystemCursor{crHourGlass, IDC_WAIT},
    SystemCursor{crNoDrop, IDC_NO},         SystemCursor{crHSplit, IDC_SIZEWE},
    SystemCursor{crVSplit, IDC_SIZENS},     SystemCursor{crSQLWait, IDC_WAIT},
    SystemCursor{crNo, IDC_NO},             SystemCursor{crAppStart, IDC_APPSTARTING},
    SystemCursor{crHelp, IDC_HELP},         SystemCursor{crHandPoint, IDC_HAND},
    SystemCursor{crSizeAll, IDC_SIZEALL},
};

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* monitors = reinterpret_cast<std::vector<TMonitor>*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info))
    return TRUE;
  TMonitor entry;
  entry.Handle = monitor;
  entry.MonitorNum = static_cast<int32_t>(monitors->size());
  entry.Primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  entry.BoundsRect = info.rcMonitor;
  entry.WorkareaRect = info.rcWork;
  monitors->push_back(entry);
  return TRUE;
}

std::vector<TMonitor> AllMonitors() {
  std::vector<TMonitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

TMonitor MonitorOf(HMONITOR handle) {
  for (const TMonitor& monitor : AllMonitors())
    if (monitor.Handle == handle)
      return monitor;
  return {};
}

}  // namespace

TScreen::TScreen(TComponent* owner)
    : TComponent(owner), menu_font_(std::make_unique<TFont>()), icon_font_(std::make_unique<TFont>()) {
  pixels_per_inch_ = GetDeviceCaps(TWindowDC().Handle(), LOGPIXELSY);
  CreateToolkitCursors();
  ReadSystemFonts();
}

TScreen::~TScreen() {
  for (HCURSOR cursor : owned_cursors_)
    DestroyCursor(cursor);
}

void TScreen::CreateToolkitCursors() {
  for (const SystemCursor& entry : kSystemCursors)
    cursors_[entry.id] = LoadCursorA(nullptr, entry.shape);
  cursors_[crNone] = nullptr;
  if (HCURSOR drag = CursorFromRows(kDragCursorRows)) {
    cursors_[crDrag] = drag;
    owned_cursors_.push_back(drag);
  }
  if (HCURSOR multi_drag = CursorFromRows(kMultiDragCursorRows)) {
    cursors_[crMultiDrag] = multi_drag;
    owned_cursors_.push_back(multi_drag);
  }
}

void TScreen::ReadSystemFonts() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    menu_font_->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
  LOGFONTW icon_font{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon_font), &icon_font, 0))
    icon_font_->SetHandle(CreateFontIndirectW(&icon_font));
}

int32_t TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int32_t TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }

TRect TScreen::DesktopRect() const {
  const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Bounds(left, top, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
    return Rect(0, 0, Width(), Height());
  return area;
}

int32_t TScreen::MonitorCount() const { return static_cast<int32_t>(AllMonitors().size()); }

TMonitor TScreen::Monitors(int32_t index) const {
  const std::vector<TMonitor> monitors = AllMonitors();
  if (index < 0 || index >= static_cast<int32_t>(monitors.size()))
    throw EListError::IndexOutOfBounds(index);
  return monitors[static_cast<size_t>(index)];
}

TMonitor TScreen::MonitorFromPoint(TPoint point) const {
  return MonitorOf(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST));
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (cursor != crDefault) {
    ::SetCursor(Cursors(cursor));
    return;
  }
  // Back to what the window under the mouse wants: ask it as the system
  // would after a mouse move.
  POINT point{};
  GetCursorPos(&point);
  HWND window = WindowFromPoint(point);
  if (window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
    const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(hit, WM_MOUSEMOVE));
    return;
  }
  ::SetCursor(Cursors(crDefault));
}

HCURSOR TScreen::Cursors(TCursor id) {
  const auto found = cursors_.find(id);
  if (found != cursors_.end())
    return found->second;
  return cursors_[crDefault];
}

void TScreen::SetCursors(TCursor id, HCURSOR cursor) {
  const auto found = cursors_.find(id);
  if (found != cursors_.end()) {
    const auto owned = std::find(owned_cursors_.begin(), owned_cursors_.end(), found->second);
    if (owned != owned_cursors_.end() && found->second != cursor) {
      DestroyCursor(found->second);
      owned_cursors_.erase(owned);
    }
  }
  if (cursor == nullptr && id != crNone) {
    cursors_.erase(id);
    return;
  }
  cursors_[id] = cursor;
  if (cursor != nullptr && id > 0)
    owned_cursors_.push_back(cursor);
}

TCustomForm* TScreen::Forms(int32_t index) const {
  if (index < 0 || index >= FormCount())
    throw EListError::IndexOutOfBounds(index);
  return forms_[static_cast<size_t>(index)];
}

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

void TScreen::SetFocusedForm(TCustomForm* form, TWinControl* control) {
  const bool form_changed = active_form_.Get() != form;
  const bool control_changed = active_control_.Get() != control;
  active_form_ = TWeakRef<TCustomForm>(form);
  active_control_ = TWeakRef<TWinControl>(control);
  if (control_changed && OnActiveControlChange)
    OnActiveControlChange(this);
  if (form_changed && OnActiveFormChange)
    OnActiveFormChange(this);
}

TPoint TMouse::CursorPos() const {
  POINT point{};
  GetCursorPos(&point);
  return point;
}

void TMouse::SetCursorPos(TPoint point) { ::SetCursorPos(point.X, point.Y); }

bool TMouse::WheelPresent() const { return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }

int32_t TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int32_t>(lines);
}

bool TMouse::MousePresent() const { return GetSystemMetrics(SM_MOUSEPRESENT) != 0; }

TScreen* GetScreen() {
  static TScreen* screen = new TScreen(nullptr);  // lives for the process
  return screen;
}

TMouse* GetMouse() {
  static TMouse mouse;
  return &mouse;
}
