#include "grid/grid_hint_window_win.h"

#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/font.h"

namespace {

constexpr wchar_t kWindowClassName[] = L"LxGridHintWindow";
// Space between the border and the text, per side.
constexpr int32_t kTextMargin = 2;

void RegisterHintWindowClass(WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kWindowClassName, &existing))
    return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_SAVEBITS | CS_DROPSHADOW;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
  window_class.lpszClassName = kWindowClassName;
  RegisterClassExW(&window_class);
}

}  // namespace

TlxGridHintWindow::TlxGridHintWindow() {
  RegisterHintWindowClass(&TlxGridHintWindow::WindowProc);
  handle_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, kWindowClassName, L"",
                            WS_POPUP | WS_BORDER, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (handle_ != nullptr)
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TlxGridHintWindow::~TlxGridHintWindow() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

bool TlxGridHintWindow::Visible() const { return handle_ != nullptr && IsWindowVisible(handle_); }

void TlxGridHintWindow::SetFont(TFont& font) { font_ = font.Handle(); }

UINT TlxGridHintWindow::TextFlags() const {
  return DT_NOPREFIX | DT_LEFT | (multi_line_ ? DT_WORDBREAK : DT_SINGLELINE);
}

TRect TlxGridHintWindow::CalcHintRect(int32_t max_width, const std::string& text, bool multi_line) {
  multi_line_ = multi_line;
  const std::u16string wide = Utf8ToUtf16(text);
  std::wstring measured(wide.begin(), wide.end());
  RECT rect{0, 0, max_width, 0};
  HDC dc = GetDC(handle_);
  if (dc != nullptr) {
    TScopeExit release([this, dc] { ReleaseDC(handle_, dc); });
    HGDIOBJ old_font = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
    DrawTextW(dc, measured.c_str(), static_cast<int>(measured.size()), &rect, TextFlags() | DT_CALCRECT);
    if (old_font != nullptr)
      SelectObject(dc, old_font);
  }
  const int32_t margin = kBorderWidth + kTextMargin;
  return TRect(0, 0, rect.right + 2 * margin, rect.bottom + 2 * margin);
}

void TlxGridHintWindow::ActivateHint(const TRect& bounds, const std::string& text, bool multi_line) {
  if (handle_ == nullptr)
    return;
  text_ = text;
  multi_line_ = multi_line;
  const std::u16string wide = Utf8ToUtf16(text);
  wide_text_.assign(wide.begin(), wide.end());
  bounds_ = bounds;
  SetWindowPos(handle_, HWND_TOPMOST, bounds.Left, bounds.Top, bounds.Width(), bounds.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(handle_, nullptr, TRUE);
  UpdateWindow(handle_);
}

void TlxGridHintWindow::Hide() {
  if (Visible())
    ShowWindow(handle_, SW_HIDE);
}

void TlxGridHintWindow::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(handle_, &paint);
  TScopeExit end([this, &paint] { EndPaint(handle_, &paint); });
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_INFOBK));
  HGDIOBJ old_font = font_ != nullptr ? SelectObject(dc, font_) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  InflateRect(&client, -kTextMargin, -kTextMargin);
  DrawTextW(dc, wide_text_.c_str(), static_cast<int>(wide_text_.size()), &client, TextFlags());
  if (old_font != nullptr)
    SelectObject(dc, old_font);
}

LRESULT CALLBACK TlxGridHintWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<TlxGridHintWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (self != nullptr) {
        self->Paint();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      // The hint never takes the mouse from the cell under it.
      return HTTRANSPARENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}
