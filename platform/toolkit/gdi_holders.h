#pragma once
// Owners of GDI resources for a scope: each gives its resource back on
// every path out of the scope, so that a failure halfway through drawing
// leaks no context, object or selection.
//
//   TMemoryDC memory(window_dc);
//   TOwnedBitmap bitmap(CreateCompatibleBitmap(window_dc, width, height));
//   TSelectedObject selected(memory.Handle(), bitmap.Get());
//   ...draw into memory.Handle()...
//   // selection undone, bitmap deleted, context deleted, in that order

#include <windows.h>

#include <utility>

// A GDI object (bitmap, region, brush, font) that the holder deletes,
// unless Release hands it on first. Declare it before the selection that
// puts it into a context, so that it is deselected before it is deleted.
template <class Handle>
class TOwnedGdiObject {
 public:
  TOwnedGdiObject() = default;
  explicit TOwnedGdiObject(Handle handle) : handle_(handle) {}
  TOwnedGdiObject(TOwnedGdiObject&& other) noexcept : handle_(other.Release()) {}
  TOwnedGdiObject& operator=(TOwnedGdiObject&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ~TOwnedGdiObject() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the object to the caller, who deletes it from now on.
  [[nodiscard]] Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr)
      DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using TOwnedBitmap = TOwnedGdiObject<HBITMAP>;
using TOwnedRegion = TOwnedGdiObject<HRGN>;
using TOwnedBrush = TOwnedGdiObject<HBRUSH>;

// A memory device context of its own (compatible with `reference`, the
// screen's when null), deleted at the end.
class TMemoryDC {
 public:
  explicit TMemoryDC(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {}
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;
  ~TMemoryDC() {
    if (dc_ != nullptr)
      DeleteDC(dc_);
  }

  HDC Handle() const { return dc_; }

 private:
  HDC dc_;
};

// The device context of a window (of the screen for a null window),
// released at the end.
class TWindowDC {
 public:
  explicit TWindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  ~TWindowDC() {
    if (dc_ != nullptr)
      ReleaseDC(window_, dc_);
  }

  HDC Handle() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// The context for painting a window's invalid part (BeginPaint), ended
// (EndPaint) at the end of the scope.
class TPaintDC {
 public:
  explicit TPaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  TPaintDC(const TPaintDC&) = delete;
  TPaintDC& operator=(const TPaintDC&) = delete;
  ~TPaintDC() { EndPaint(window_, &paint_); }

  HDC Handle() const { return dc_; }
  const PAINTSTRUCT& PaintInfo() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a context for the scope; the object of its kind
// that was selected before comes back at the end.
class TSelectedObject {
 public:
  TSelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  TSelectedObject(const TSelectedObject&) = delete;
  TSelectedObject& operator=(const TSelectedObject&) = delete;
  ~TSelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR)
      SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A context's whole drawing state (origin, clipping, selections, modes)
// saved for the scope and restored at its end.
class TSavedDCState {
 public:
  explicit TSavedDCState(HDC dc) : dc_(dc), level_(SaveDC(dc)) {}
  TSavedDCState(const TSavedDCState&) = delete;
  TSavedDCState& operator=(const TSavedDCState&) = delete;
  ~TSavedDCState() {
    if (level_ != 0)
      RestoreDC(dc_, level_);
  }

 private:
  HDC dc_;
  int level_;
};
