#pragma once
// TControl: the base of everything visible in a form. A control has a parent
// (a TWinControl), bounds in its parent's client coordinates, alignment and
// anchors, visibility, enabled state, colour and font (optionally taken from
// the parent), a cursor, a caption, and one message path:
//
//   system or Perform  ->  WindowProc (replaceable)  ->  WndProc (virtual,
//   pre-processing)  ->  Dispatch (one switch for the whole hierarchy, calling
//   the virtual handler of the message)  ->  DefaultHandler.
//
// Descendants override a handler (WMPaint, CMMouseEnter...), or Dispatch
// itself for messages of their own, calling the base for the rest.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/types.h"

class TWinControl;
class TCustomForm;
class TDragObject;
class TDragImageList;
class TCanvas;

enum TControlStyleFlag : uint8_t {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csParentBackground,
  csNeedsBorderPaint,
};
using TControlStyle = TSmallSet<TControlStyleFlag>;

enum TControlStateFlag : uint8_t {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,
  csCustomPaint,
  csDestroyingHandle,
  csDocking,
};
using TControlState = TSmallSet<TControlStateFlag>;

enum TDragMode : uint8_t { dmManual, dmAutomatic };
// What dragging the control does: drag and drop onto targets, or docking
// it onto a dock site (or floating it).
enum TDragKind : uint8_t { dkDrag, dkDock };
enum TDragState : uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int32_t x, int32_t y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int32_t x, int32_t y)>;
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int32_t wheel_delta, TPoint mouse_pos, bool& handled)>;
using TKeyEvent = std::function<void(TObject* sender, uint16_t& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char16_t& key)>;
using TContextPopupEvent = std::function<void(TObject* sender, TPoint mouse_pos, bool& handled)>;
using TDragOverEvent =
    std::function<void(TObject* sender, TObject* source, int32_t x, int32_t y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int32_t x, int32_t y)>;
using TStartDragEvent = std::function<void(TObject* sender, TDragObject*& drag_object)>;
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int32_t x, int32_t y)>;

class TControl : public TComponent {
 public:
  static constexpr TClass kClass{"TControl", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TControl(TComponent* owner);
  ~TControl() override;

  // --- tree -------------------------------------------------------------
  TWinControl* Parent() const { return parent_; }
  // Moves the control into `parent`'s list of controls (null removes it).
  virtual void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  // --- bounds -----------------------------------------------------------
  int32_t Left() const { return left_; }
  int32_t Top() const { return top_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  void SetLeft(int32_t value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int32_t value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int32_t value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int32_t value) { SetBounds(left_, top_, width_, value); }
  virtual void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
  TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
  void SetBoundsRect(const TRect& rect) { SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height()); }
  virtual TRect ClientRect();
  int32_t ClientWidth() { return ClientRect().Right; }
  int32_t ClientHeight() { return ClientRect().Bottom; }
  virtual void SetClientSize(int32_t width, int32_t height);
  void SetClientWidth(int32_t width) { SetClientSize(width, ClientHeight()); }
  void SetClientHeight(int32_t height) { SetClientSize(ClientWidth(), height); }
  // Screen position of the client origin.
  virtual TPoint ClientOrigin();
  TPoint ClientToScreen(TPoint point) { return point + ClientOrigin(); }
  TPoint ScreenToClient(TPoint point) { return point - ClientOrigin(); }
  // Client coordinates of this control in those of `ancestor` (the parent
  // by default).
  TPoint ClientToParent(TPoint point, TWinControl* ancestor = nullptr);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);

  // --- state ------------------------------------------------------------
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show();
  void Hide() { SetVisible(false); }
  // Visible and every parent up to a form showing.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool value);
  TFont& Font() { return *font_; }
  void SetFont(const TFont& font) { font_->Assign(&font); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  // Any component that acts as this control's context menu (the popup menu
  // classes build on this); cleared when that component is freed.
  TComponent* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TComponent* menu);
  std::string Caption() { return GetText(); }
  void SetCaption(const std::string& text) { SetText(text); }
  std::string Text() { return GetText(); }
  void SetText(const std::string& text);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool value) { show_hint_ = value; }

  TControlStyle& ControlStyle() { return control_style_; }
  TControlStyle ControlStyle() const { return control_style_; }
  void SetControlStyle(TControlStyle style) { control_style_ = style; }
  TControlState& ControlState() { return control_state_; }
  TControlState ControlState() const { return control_state_; }

  // --- mouse ------------------------------------------------------------
  // Whether this control receives every mouse message (the window capture
  // is on its window, or on its parent's for a graphic control).
  bool MouseCapture() const;
  void SetMouseCapture(bool capture);

  // --- drag and drop ----------------------------------------------------
  TDragMode DragMode() const { return drag_mode_; }
  void SetDragMode(TDragMode mode) { drag_mode_ = mode; }
  TCursor DragCursor() const { return drag_cursor_; }
  void SetDragCursor(TCursor cursor) { drag_cursor_ = cursor; }
  TDragKind DragKind() const { return drag_kind_; }
  void SetDragKind(TDragKind kind) { drag_kind_ = kind; }
  // Starts dragging this control: at once, or once the mouse has moved
  // `threshold` pixels (negative: the system's drag threshold).
  void BeginDrag(bool immediate, int32_t threshold = -1);
  void EndDrag(bool drop);
  bool Dragging() const;
  // Tells whether the control takes `source` at (x, y): fires OnDragOver;
  // without a handler nothing is accepted.
  virtual void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept);
  virtual void DragDrop(TObject* source, int32_t x, int32_t y);
  // Images shown while the control is dragged; null for none.
  virtual TDragImageList* GetDragImages() { return nullptr; }

  // --- messages ---------------------------------------------------------
  LRESULT Perform(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);
  // The entry of every message. Replace it to watch or filter the control's
  // messages; call the saved previous value for the rest.
  std::function<void(TMessage&)> WindowProc;
  virtual void WndProc(TMessage& message);
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

  // --- painting ---------------------------------------------------------
  virtual void Invalidate();
  virtual void Update();
  void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // --- scaling ----------------------------------------------------------
  // Scales position, size and font by multiplier / divider.
  virtual void ChangeScale(int32_t multiplier, int32_t divider);

  // --- events -----------------------------------------------------------
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TContextPopupEvent OnContextPopup;
  TNotifyEvent OnResize;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;

  // Virtual operations that fire the events; descendants override them.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y);
  virtual void MouseMove(TShiftState shift, int32_t x, int32_t y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos);
  virtual void DoContextPopup(TPoint mouse_pos, bool& handled);
  virtual void Resize();
  virtual void DoStartDrag(TDragObject*& drag_object);
  virtual void DoEndDrag(TObject* target, int32_t x, int32_t y);

  // The window that a graphic control draws on (its parent's), or the
  // control's own window.
  virtual HWND ParentHandleForDrawing() const;

 protected:
  friend class TWinControl;
  friend class TApplication;

  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  virtual std::string GetText();
  virtual void SetTextBuffer(const std::string& text);
  // Asks the parent to realign because this control's alignment or size
  // changed.
  void RequestAlign();
  // Remembers the distances to the parent's edges that the anchors keep.
  void UpdateAnchorRules();
  // Applies the anchors after the parent's client area became `client`.
  void ApplyAnchors(const TRect& client);
  void VisibleChanging() {}
  void InvalidateControl(bool is_visible, bool is_opaque);
  // Sets the fields and tells the parent; the windowed control also moves
  // its window.
  void UpdateBoundsFields(int32_t left, int32_t top, int32_t width, int32_t height);
  virtual void BoundsChanged() {}

  void FontChanged();
  // A graphic control's canvas, handed to descendants that paint.
  TCanvas* canvas_for_painting_ = nullptr;

  // --- message handlers (the one dispatch table) -------------------------
  virtual void WMMouseButton(TMessage& message);
  virtual void WMMouseMove(TMessage& message);
  virtual void WMMouseWheel(TMessage& message);
  virtual void WMContextMenu(TMessage& message);
  virtual void WMCancelMode(TMessage& message);
  virtual void WMPaint(TMessage& message) { DefaultHandler(message); }
  virtual void WMEraseBkgnd(TMessage& message) { DefaultHandler(message); }
  virtual void WMSetFocus(TMessage& message) { DefaultHandler(message); }
  virtual void WMKillFocus(TMessage& message) { DefaultHandler(message); }
  virtual void WMKey(TMessage& message) { DefaultHandler(message); }
  virtual void WMChar(TMessage& message) { DefaultHandler(message); }
  virtual void WMSetCursor(TMessage& message) { DefaultHandler(message); }
  virtual void WMGetDlgCode(TMessage& message) { DefaultHandler(message); }
  virtual void WMSize(TMessage& message) { DefaultHandler(message); }
  virtual void WMWindowPosChanged(TMessage& message) { DefaultHandler(message); }
  virtual void WMControlNotification(TMessage& message) { DefaultHandler(message); }
  virtual void WMMouseLeave(TMessage& message) { DefaultHandler(message); }
  virtual void WMCaptureChanged(TMessage& message) { DefaultHandler(message); }
  virtual void WMNCDestroy(TMessage& message) { DefaultHandler(message); }
  virtual void WMSysColorChange(TMessage& message) { DefaultHandler(message); }
  virtual void WMActivate(TMessage& message) { DefaultHandler(message); }
  virtual void WMClose(TMessage& message) { DefaultHandler(message); }
  virtual void WMDropFiles(TMessage& message) { DefaultHandler(message); }
  virtual void WMSysCommand(TMessage& message) { DefaultHandler(message); }
  virtual void WMGetMinMaxInfo(TMessage& message) { DefaultHandler(message); }
  virtual void CNKeyDown(TMessage& message) { DefaultHandler(message); }
  virtual void CNChar(TMessage& message) { DefaultHandler(message); }
  virtual void CNSysKeyDown(TMessage& message) { DefaultHandler(message); }
  virtual void CNSysChar(TMessage& message) { DefaultHandler(message); }
  virtual void CMColorChanged(TMessage& message);
  virtual void CMFontChanged(TMessage& message);
  virtual void CMCursorChanged(TMessage& message) { DefaultHandler(message); }
  virtual void CMVisibleChanged(TMessage& message);
  virtual void CMEnabledChanged(TMessage& message);
  virtual void CMTextChanged(TMessage& message) { DefaultHandler(message); }
  virtual void CMMouseEnter(TMessage& message);
  virtual void CMMouseLeave(TMessage& message);
  virtual void CMParentColorChanged(TMessage& message);
  virtual void CMParentFontChanged(TMessage& message);
  virtual void CMSysColorChange(TMessage& message) { DefaultHandler(message); }
  virtual void CMHitTest(TMessage& message);
  virtual void CMDesignHitTest(TMessage& message) { DefaultHandler(message); }
  virtual void CMDialogKey(TMessage& message) { DefaultHandler(message); }
  virtual void CMDialogChar(TMessage& message) { DefaultHandler(message); }
  virtual void CMWantSpecialKey(TMessage& message) { DefaultHandler(message); }
  virtual void CMEnter(TMessage& message) { DefaultHandler(message); }
  virtual void CMExit(TMessage& message) { DefaultHandler(message); }
  virtual void CMFocusChanged(TMessage& message) { DefaultHandler(message); }
  virtual void CMCancelMode(TMessage& message);
  virtual void CMShowingChanged(TMessage& message) { DefaultHandler(message); }
  virtual void CMActivate(TMessage& message) { DefaultHandler(message); }
  virtual void CMDeactivate(TMessage& message) { DefaultHandler(message); }
  virtual void CMRelease(TMessage& message) { DefaultHandler(message); }
  virtual void CMMouseWheel(TMessage& message);
  virtual void CMDrag(TMessage& message);
  virtual void CMRecreateWnd(TMessage& message) { DefaultHandler(message); }
  virtual void CMChildKey(TMessage& message) { DefaultHandler(message); }

 private:
  void DoMouseDown(TMessage& message, TMouseButton button, TShiftState extra);
  void DoMouseUp(TMessage& message, TMouseButton button);

  TWinControl* parent_ = nullptr;
  int32_t left_ = 0;
  int32_t top_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  // Distances kept by the anchors: the parent's client size and this
  // control's bounds when they were last set from outside.
  struct AnchorRules {
    int32_t parent_width = -1;
    int32_t parent_height = -1;
    TRect bounds;
  } anchor_rules_;
  bool visible_ = true;
  bool enabled_ = true;
  TColor color_ = clWindow;
  bool parent_color_ = false;
  std::unique_ptr<TFont> font_;
  bool parent_font_ = true;
  TCursor cursor_ = crDefault;
  TComponent* popup_menu_ = nullptr;
  std::string text_;
  std::string hint_;
  bool show_hint_ = false;
  TControlStyle control_style_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState control_state_;
  TDragMode drag_mode_ = dmManual;
  TCursor drag_cursor_ = crDrag;
  TDragKind drag_kind_ = dkDrag;
};

// TGraphicControl: a control without a window of its own. Its parent paints
// it (on the parent's window, clipped to its bounds) and routes mouse
// messages to it.
class TGraphicControl : public TControl {
 public:
  static constexpr TClass kClass{"TGraphicControl", &TControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  // Valid while painting; outside painting it draws on the parent's window.
  TCanvas& Canvas();

 protected:
  virtual void Paint() {}
  void WMPaint(TMessage& message) override;

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// The form that holds the control, or null.
TCustomForm* GetParentForm(TControl* control);
// The control of one of this thread's windows, or null.
TWinControl* FindControl(HWND window);
// The control (windowed or not) at a screen point, or null.
TControl* FindDragTarget(TPoint screen_point, bool allow_disabled);
// The control that currently has the mouse capture, or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
