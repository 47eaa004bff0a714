#pragma once
// The window that shows a grid cell's hint: a bordered popup with the
// cell's font over the cell's text, never activated, above every window.
// Included only from Windows sources.

#include <windows.h>

#include <string>

#include "platform/rtl/geometry.h"

class TFont;

class TlxGridHintWindow {
 public:
  // Border plus the inner margin around the text, per side.
  static constexpr int32_t kBorderWidth = 1;

  TlxGridHintWindow();
  ~TlxGridHintWindow();
  TlxGridHintWindow(const TlxGridHintWindow&) = delete;
  TlxGridHintWindow& operator=(const TlxGridHintWindow&) = delete;

  HWND Handle() const { return handle_; }
  bool Visible() const;
  const std::string& Text() const { return text_; }
  // The window's rectangle on the screen as last placed.
  TRect BoundsRect() const { return bounds_; }

  void SetFont(TFont& font);
  // The rectangle the text needs at most `max_width` pixels wide, with the
  // window's margins, at (0, 0).
  TRect CalcHintRect(int32_t max_width, const std::string& text, bool multi_line);
  // Places the window at `bounds` (screen) with `text` and shows it.
  void ActivateHint(const TRect& bounds, const std::string& text, bool multi_line);
  void Hide();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();
  UINT TextFlags() const;

  HWND handle_ = nullptr;
  HFONT font_ = nullptr;
  std::string text_;
  std::wstring wide_text_;
  bool multi_line_ = false;
  TRect bounds_;
};
