#pragma once
// TWinControl: a control with a window of its own, created lazily (the first
// time the handle is needed or the control is shown) and recreated when a
// setting needs a new window; children survive both. It owns the
// keyboard: focus, tab order, dialog keys and key events.
//
// TCustomControl adds a canvas and Paint for controls that draw themselves.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/brush.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/control_canvas.h"

// What CreateWnd needs to register the window class and create the window.
struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSW WindowClass{};
  // The registered name of the window class (the control's class name, so
  // that every control class has its own window class).
  std::string WinClassName;
};

class TWinControl : public TControl {
 public:
  static constexpr TClass kClass{"TWinControl", &TControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // --- window -----------------------------------------------------------
  // The window, created (with the parents' windows) when missing.
  HWND Handle();
  // The window as it is: null when none exists.
  HWND WindowHandle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // Destroys the window and builds a new one with the current settings;
  // children and the focus come back with it.
  void RecreateWnd();
  // Destroys the windows of the control and its children; the controls
  // keep their state and create new windows when needed.
  void DestroyHandle();
  // A window of another kind that hosts this control instead of a parent
  // control.
  HWND ParentWindow() const { return parent_window_; }
  void SetParentWindow(HWND window);

  // --- children ---------------------------------------------------------
  int32_t ControlCount() const;
  // Graphic controls first, then windowed ones, each in insertion order.
  TControl* Controls(int32_t index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(TControl* control) const;
  // Moves a child to the front (top of the z-order) or to the back.
  void MoveToZEnd(TControl* control, bool front);
  // The child at a client point (topmost); windowed children only with
  // `allow_windowed`.
  TControl* ControlAtPos(TPoint point, bool allow_disabled, bool allow_windowed = false);

  // --- focus and tab order ----------------------------------------------
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool value);
  int32_t TabOrder() const;
  void SetTabOrder(int32_t order);
  // This control's windowed descendants in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list);
  TWinControl* FindNextControl(TWinControl* current, bool go_forward, bool check_tab_stop, bool check_parent);
  void SelectNext(TWinControl* current, bool go_forward, bool check_tab_stop);
  bool Focused() const;
  // Visible and enabled, with every parent up to the form.
  virtual bool CanFocus() const;
  // Raises EInvalidOperation ("Cannot focus a disabled or invisible
  // window") when CanFocus is false.
  virtual void SetFocus();

  // --- looks ------------------------------------------------------------
  TBrush& Brush() { return *brush_; }
  bool DoubleBuffered() const { return double_buffered_; }
  void SetDoubleBuffered(bool value) { double_buffered_ = value; }
  int32_t BorderWidth() const { return border_width_; }
  void SetBorderWidth(int32_t width);

  bool Showing() const override { return showing_; }
  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  TRect ClientRect() override;
  TPoint ClientOrigin() override;
  void Invalidate() override;
  void Update() override;
  HWND ParentHandleForDrawing() const override { return handle_; }

  // --- alignment --------------------------------------------------------
  void DisableAlign() { ++align_level_; }
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return align_level_ > 0; }
  // Realigns with `control` first among the children of its alignment.
  void AlignControl(TControl* control);

  // --- messages to children ---------------------------------------------
  // Performs the message on each child until one sets a non-zero result.
  void Broadcast(TMessage& message);
  void NotifyControls(UINT message);

  // --- scaling ----------------------------------------------------------
  void ScaleControls(int32_t multiplier, int32_t divider);
  void ChangeScale(int32_t multiplier, int32_t divider) override;
  void ScaleBy(int32_t multiplier, int32_t divider) { ChangeScale(multiplier, divider); }

  // --- keyboard events --------------------------------------------------
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual void KeyUp(uint16_t& key, TShiftState shift);
  virtual void KeyPress(char16_t& key);
  virtual void DoEnter();
  virtual void DoExit();

  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;

  // The system's window procedure for a window of this process, used by
  // every toolkit window class.
  static LRESULT CALLBACK InitWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 protected:
  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;

  virtual void CreateParams(TCreateParams& params);
  // Builds this window class over a system class ("EDIT", "BUTTON"...):
  // the system class's procedure becomes the default handler.
  void CreateSubClass(TCreateParams& params, const char* system_class);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  // Shows or hides the window after Visible or a parent's showing changed.
  void UpdateShowing();
  void UpdateControlState();
  // Reads the window's position back after the system moved it.
  void UpdateBounds();

  virtual void AlignControls(TControl* control, TRect& rect);
  // The frame around the client area (left, top, right, bottom widths) of
  // a window that does not exist yet.
  virtual TRect NonClientMargins() { return TRect(); }
  // Tells the form that this control or a child may lose the focus.
  void RemoveFocus(bool removing);
  virtual void AdjustClientRect(TRect& rect);

  // Painting: a window with graphic children, or with its own Paint,
  // paints through PaintHandler; PaintWindow draws the window itself.
  void PaintHandler(TMessage& message);
  virtual void PaintWindow(HDC dc);
  void PaintControls(HDC dc, TControl* first);

  bool DoKeyDown(TMessage& message);
  bool DoKeyUp(TMessage& message);
  bool DoKeyPress(TMessage& message);
  // Key down or up: the form first when it previews keys, then KeyDown or
  // KeyUp; true when the key was taken.
  bool DoKeyEvent(TMessage& message, bool down);
  // Passes a control notification to the child window it names (CN_...).
  bool ReflectToChild(HWND child, TMessage& message);

  WNDPROC DefWndProc() const { return def_wnd_proc_; }

  void WMPaint(TMessage& message) override;
  void WMEraseBkgnd(TMessage& message) override;
  void WMSetFocus(TMessage& message) override;
  void WMKillFocus(TMessage& message) override;
  void WMKey(TMessage& message) override;
  void WMChar(TMessage& message) override;
  void WMSetCursor(TMessage& message) override;
  void WMSize(TMessage& message) override;
  void WMWindowPosChanged(TMessage& message) override;
  void WMControlNotification(TMessage& message) override;
  void WMMouseLeave(TMessage& message) override;
  // A graphic child under the mouse gets the context popup first.
  void WMContextMenu(TMessage& message) override;
  void WMNCDestroy(TMessage& message) override;
  void WMSysColorChange(TMessage& message) override;
  void CNKeyDown(TMessage& message) override;
  void CNChar(TMessage& message) override;
  void CNSysKeyDown(TMessage& message) override;
  void CNSysChar(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMCursorChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
  void CMSysColorChange(TMessage& message) override;
  void CMDialogKey(TMessage& message) override;
  void CMDialogChar(TMessage& message) override;
  void CMEnter(TMessage& message) override;
  void CMExit(TMessage& message) override;
  // Passes the change on to every child, depth first.
  void CMFocusChanged(TMessage& message) override;
  void CMShowingChanged(TMessage& message) override;
  void CMRecreateWnd(TMessage& message) override;
  void CMChildKey(TMessage& message) override;

  std::string GetText() override;
  void SetTextBuffer(const std::string& text) override;
  void BoundsChanged() override;

 private:
  static LRESULT CALLBACK StandardWndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // Mouse messages for a graphic child (under the mouse or holding the
  // capture) go to it; true when one took the message.
  bool IsControlMouseMsg(TMessage& message);
  void TrackMouseLeave();
  void DoubleBufferedPaint(TMessage& message);
  void SetZOrderPosition();
  TRect ClientRectWithoutWindow();

  HWND handle_ = nullptr;
  HWND parent_window_ = nullptr;
  WNDPROC def_wnd_proc_ = nullptr;
  std::vector<TControl*> graphic_controls_;
  std::vector<TWinControl*> win_controls_;
  std::vector<TWinControl*> tab_list_;
  std::unique_ptr<TBrush> brush_;
  bool tab_stop_ = false;
  bool showing_ = false;
  bool double_buffered_ = false;
  bool tracking_mouse_leave_ = false;
  bool recreating_ = false;
  int32_t border_width_ = 0;
  int32_t align_level_ = 0;
  // The client size of the last alignment, for the anchors.
  TSize aligned_client_size_{-1, -1};
};

class TCustomControl : public TWinControl {
 public:
  static constexpr TClass kClass{"TCustomControl", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TControlCanvas& Canvas() { return *canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void WMPaint(TMessage& message) override;
  void DestroyWnd() override;

 private:
  std::unique_ptr<TControlCanvas> canvas_;
};
