#pragma once
// TScreen: the desktop as the program sees it (size, work area, monitors),
// the program's cursors and the current cursor, the forms and the focus.
// TMouse: the cursor position and the mouse settings. One instance of each
// exists for the process (Screen, Mouse).

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/types.h"

class TCustomForm;
class TWinControl;

struct TMonitor {
  HMONITOR Handle = nullptr;
  int32_t MonitorNum = 0;
  bool Primary = false;
  TRect BoundsRect;
  TRect WorkareaRect;
};

class TScreen : public TComponent {
 public:
  static constexpr TClass kClass{"TScreen", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TScreen(TComponent* owner);
  ~TScreen() override;

  // The primary monitor.
  int32_t Width() const;
  int32_t Height() const;
  // All monitors together (the virtual screen).
  TRect DesktopRect() const;
  int32_t DesktopWidth() const { return DesktopRect().Width(); }
  int32_t DesktopHeight() const { return DesktopRect().Height(); }
  // The primary monitor without the task bar.
  TRect WorkAreaRect() const;
  int32_t MonitorCount() const;
  TMonitor Monitors(int32_t index) const;
  TMonitor MonitorFromPoint(TPoint point) const;
  int32_t PixelsPerInch() const { return pixels_per_inch_; }

  // The cursor for the whole program; crDefault lets each control choose.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // The shape of an id: the system's shapes, the toolkit's own (drag, no
  // drop, splitters...) and those the program registers. Unknown ids give
  // the arrow.
  HCURSOR Cursors(TCursor id);
  // Registers a cursor under an id; the screen destroys it at the end
  // unless it is a shared system cursor.
  void SetCursors(TCursor id, HCURSOR cursor);

  TCustomForm* ActiveForm() const { return active_form_.Get(); }
  TWinControl* ActiveControl() const { return active_control_.Get(); }
  int32_t FormCount() const { return static_cast<int32_t>(forms_.size()); }
  TCustomForm* Forms(int32_t index) const;
  // The font of menus, from the system's settings.
  TFont& MenuFont() { return *menu_font_; }
  TFont& IconFont() { return *icon_font_; }

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  void AddForm(TCustomForm* form);
  void RemoveForm(TCustomForm* form);
  void SetFocusedForm(TCustomForm* form, TWinControl* control);
  void CreateToolkitCursors();
  void ReadSystemFonts();

  TCursor cursor_ = crDefault;
  std::map<TCursor, HCURSOR> cursors_;
  std::vector<HCURSOR> owned_cursors_;
  std::vector<TCustomForm*> forms_;
  TWeakRef<TCustomForm> active_form_;
  TWeakRef<TWinControl> active_control_;
  std::unique_ptr<TFont> menu_font_;
  std::unique_ptr<TFont> icon_font_;
  int32_t pixels_per_inch_ = 96;
};

class TMouse {
 public:
  TPoint CursorPos() const;
  void SetCursorPos(TPoint point);
  // Pixels the mouse moves before a pressed button starts a drag.
  int32_t DragThreshold() const { return drag_threshold_; }
  void SetDragThreshold(int32_t value) { drag_threshold_ = value > 0 ? value : 1; }
  bool WheelPresent() const;
  int32_t WheelScrollLines() const;
  bool MousePresent() const;
  HWND Capture() const { return GetCapture(); }

 private:
  int32_t drag_threshold_ = 5;
};

// The process's screen and mouse objects, created on first use.
TScreen* GetScreen();
TMouse* GetMouse();

struct TScreenAccessor {
  TScreen* operator->() const { return GetScreen(); }
  operator TScreen*() const { return GetScreen(); }
};
struct TMouseAccessor {
  TMouse* operator->() const { return GetMouse(); }
  operator TMouse*() const { return GetMouse(); }
};
inline constexpr TScreenAccessor Screen{};
inline constexpr TMouseAccessor Mouse{};
