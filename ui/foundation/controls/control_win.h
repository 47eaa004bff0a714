#pragma once
// TlxControl: the base of every self-drawn windowed control of the
// library. Over the toolkit's TCustomControl it adds a drawing wrapper, an
// own look-and-feel whose painter draws the border, own painter-drawn
// scroll bars and a size grip placed inside the control, the library's
// drag and drop, a popup menu that may be any popup component, focus on
// click, a mouse-capture owner object and middle-button content scrolling,
// with the overridable operations through which descendants plug in.
// Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/toolkit/scroll_bar.h"
#include "platform/toolkit/memo.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/content_scrolling.h"
#include "ui/foundation/controls/control_interfaces_win.h"
#include "ui/foundation/controls/control_scroll_bar_states.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

class TDragImageList;
class TlxControlChildComponent;
class TlxControlScrollBar;
class TlxDragAndDropObject;
class TlxRegion;
class TlxSizeGrip;

// The private message that asks a control to compare its bars with the
// system's scroll-bar metrics.
constexpr UINT LX_SCROLLBARMETRICSCHANGED = 0x8065;

class TlxControl : public TCustomControl,
                   public IlxLookAndFeelContainer,
                   public IlxResourceStringsListener,
                   private IlxScrollBarsHost {
 public:
  static constexpr TClass kClass{"TlxControl", &TCustomControl::kClass, &ConstructInstance<TlxControl>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxControl(TComponent* owner);
  ~TlxControl() override;

  // --- properties descendants publish ----------------------------------
  TlxControlBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TlxControlBorderStyle value);
  TlxLookAndFeel& LookAndFeel() { return *look_and_feel_; }
  // Takes over the given object's settings; the own object stays.
  void SetLookAndFeel(const TlxLookAndFeel& value) { look_and_feel_->Assign(&value); }
  TComponent* PopupMenu() const { return popup_menu_; }
  // A component that is neither a toolkit popup menu nor a popup component
  // is stored as null.
  void SetPopupMenu(TComponent* component);
  TNotifyEvent OnFocusChanged;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  // --- state -----------------------------------------------------------
  TlxCanvas& Canvas() { return *canvas_; }
  // Canvas with a window; without one a screen canvas kept until the
  // window exists.
  TlxCanvas& CurrentCanvas();
  bool ClickFocuses() const { return click_focuses_; }
  void SetClickFocuses(bool value) { click_focuses_ = value; }
  TlxWantedKeys WantedKeys() const { return wanted_keys_; }
  void SetWantedKeys(TlxWantedKeys keys) { wanted_keys_ = keys; }
  TScrollStyle AllowedScrollBars() const { return allowed_scroll_bars_; }
  void SetScrollBars(TScrollStyle value);
  TObject* CaptureObject() const { return capture_object_; }
  void SetMouseCaptureObject(TObject* object);
  TPoint MouseDownPoint() const { return mouse_down_point_; }
  bool ButtonPressed() const { return button_pressed_; }
  bool RightButtonReleased() const { return right_button_released_; }
  TRect ExplicitBounds() const { return explicit_bounds_; }
  void SetExplicitBounds(const TRect& bounds) { explicit_bounds_ = bounds; }
  TCursor DefaultCursor() const { return default_cursor_; }
  bool ContentScrolling() const { return content_scrolling_; }
  bool CreatingWindow() const { return creating_window_; }

  // --- drag and drop ---------------------------------------------------
  TlxDragDropPhase DragDropPhase() const { return drag_drop_phase_; }
  void SetDragDropPhase(TlxDragDropPhase phase);
  TlxDragAndDropObject* DragDropObject() const { return drag_drop_object_.get(); }
  const TClass* DragDropObjectClass() const { return drag_drop_object_class_; }
  void SetDragDropObjectClass(const TClass* cls) { drag_drop_object_class_ = cls; }
  TlxDragAndDropObject& EnsureDragAndDropObject();
  void FinishDragAndDrop(bool accepted);
  bool IsInsideDragThreshold(int32_t x, int32_t y) const;
  TDragImageList* DragImageList() const { return drag_images_.get(); }

  // --- painting and invalidation ---------------------------------------
  void InvalidateRect(const TRect& rect, bool erase);
  void InvalidateRegion(const TlxRegion* region, bool erase);
  void InvalidateWithChildren();
  void PostMouseMoveAtCursor();
  void AddFontListener(IlxFontListener* listener);
  void RemoveFontListener(IlxFontListener* listener);
  bool IsPopupMenuShortCut(const TMessage& key_message);

  // --- own scroll bars and scrolling -----------------------------------
  TlxControlScrollBar* HScrollBar() const { return h_scroll_bar_; }
  TlxControlScrollBar* VScrollBar() const { return v_scroll_bar_; }
  TlxSizeGrip* SizeGrip() const { return size_grip_; }
  bool IsHScrollBarShown();
  bool IsVScrollBarShown();
  void SetScrollBarParams(TScrollBarKind kind, int32_t min, int32_t max, int32_t small_change, int32_t page_size,
                          int32_t position, bool can_show, bool can_hide);
  void LockScrollBars() { scroll_bars_.Lock(); }
  void UnlockScrollBars() { scroll_bars_.Unlock(); }
  void SyncScrollBarControls();
  void ScrollStep(TlxDirection direction);
  void ScrollClientArea(int32_t dx, int32_t dy, const TRect& rect);
  void RunContentScrolling();
  void ComputeScrollBarStates() { scroll_bars_.ComputeStates(); }
  const TlxScrollBarsUpdater& ScrollBarsUpdater() const { return scroll_bars_; }

  // --- overridable operations, in their table order --------------------
  virtual bool ShowPopupMenuAt(TComponent* menu, int32_t x, int32_t y);
  virtual void NotifyDesigner();
  virtual void ParentBackgroundChanged() {}
  virtual void AfterMouseDown(TMouseButton button, int32_t x, int32_t y);
  virtual bool AllowsDesignTimeDrag(int32_t /*x*/, int32_t /*y*/) { return true; }
  virtual void BeforeMouseDown(TMouseButton /*button*/, TShiftState /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void BringScrollBarsToFront();
  virtual void FinishMouseOperation();
  virtual bool MayFocusOnClick();
  virtual bool MayFocusOnClickAt(int32_t /*x*/, int32_t /*y*/) { return MayFocusOnClick(); }
  virtual bool FocusesOnScrollBarClick() { return MayFocusOnClick(); }
  virtual int32_t GetBorderSize();
  virtual TRect GetBounds();
  virtual TRect GetClientBounds();
  virtual TCursor GetCursorAt(int32_t /*x*/, int32_t /*y*/) { return default_cursor_; }
  virtual bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
  virtual bool IsFocusedControl() { return Focused(); }
  virtual TlxWheelScrollKind GetMouseWheelScrollKind();
  virtual bool ErasesBackground() { return false; }
  virtual void AttachScrollBars();
  virtual bool IsInternalControl(TControl* control);
  TlxLookAndFeel* GetLookAndFeel() override { return look_and_feel_.get(); }
  virtual TlxPainterClass GetPainter() { return look_and_feel_->CurrentPainter(); }
  virtual void LookAndFeelChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues /*changed_values*/) {}
  virtual bool CanScrollWithoutBars(TlxDirection /*direction*/) { return false; }
  virtual TRect GetHScrollBarBounds();
  virtual TRect GetSizeGripBounds();
  virtual TRect GetVScrollBarBounds();
  void InitScrollBarsParams() override {}
  bool ChecksScrollBarFit(TlxScrollBarAxis /*axis*/) override { return false; }
  virtual bool HasScrollBars() { return true; }
  virtual bool KeepsScrollBarsOnTop() { return true; }
  virtual void ScrollContent(TScrollBarKind /*kind*/, TScrollCode /*code*/, int32_t& /*position*/) {}
  virtual void PlaceScrollBars();
  virtual void RefreshScrollBars();
  virtual void UpdateScrollBars();
  virtual const TClass* GetDragAndDropObjectClass();
  virtual void DrawDragImage(TlxCanvas& /*canvas*/, const TRect& /*rect*/) {}
  virtual const TClass* GetDragImagesClass();
  virtual TPoint GetDragImagesSize() { return TPoint(0, 0); }
  virtual bool IsCopyDragDrop();
  virtual bool HasDragImages() { return false; }
  virtual void InitDragImages(TDragImageList& images);
  virtual bool CanFocusOnForm();
  virtual bool MayBeginDrag(int32_t x, int32_t y);
  void ResourceStringsChanged() override {}
  // (the message-method table)
  virtual void DoColorChanged() {}
  virtual void VisibleChanged() {}
  virtual void AddChildComponent(TlxControlChildComponent* child);
  virtual void RemoveChildComponent(TlxControlChildComponent* child);
  virtual bool AllowsUnfocusedMouseDown() { return false; }
  void BoundsChanged() override;
  virtual bool CanStartDragAt(int32_t /*x*/, int32_t /*y*/) { return drag_drop_phase_ == dpIdle; }
  virtual void CursorChanged() { default_cursor_ = Cursor(); }
  virtual void MouseOperationCanceled();
  virtual void FocusChanged();
  virtual void FontChanged();
  virtual bool IsDesignHitTestPoint(int32_t /*x*/, int32_t /*y*/, TShiftState /*shift*/);
  virtual const TClass* GetDragControlObjectClass();
  virtual bool WantsFocus() { return true; }
  virtual void DoMouseEnter(TControl* control);
  virtual void DoMouseLeave(TControl* control);
  virtual void TextChanged() {}
  virtual void DragAndDropMove(const TPoint& point, bool& accepted);
  virtual void EndDragAndDrop(bool accepted);
  virtual bool CanStartDragAndDropAt(const TPoint& /*point*/) { return false; }
  virtual bool AcceptsDragObject(TDragObject* /*drag_object*/) { return true; }
  virtual void BeginDragAndDrop();

  // --- toolkit overrides -----------------------------------------------
  void WndProc(TMessage& message) override;
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int32_t x, int32_t y) override;
  TDragImageList* GetDragImages() override;
  void DoStartDrag(TDragObject*& drag_object) override;
  void DoEndDrag(TObject* target, int32_t x, int32_t y) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;
  void DoContextPopup(TPoint mouse_pos, bool& handled) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void Resize() override;
  void Paint() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Dispatch(TMessage& message) override;

  void WMPaint(TMessage& message) override;
  void WMEraseBkgnd(TMessage& message) override;
  void WMSetCursor(TMessage& message) override;
  void WMGetDlgCode(TMessage& message) override;
  void WMContextMenu(TMessage& message) override;
  void WMCancelMode(TMessage& message) override;
  void CNKeyDown(TMessage& message) override;
  void CNSysKeyDown(TMessage& message) override;
  void CMColorChanged(TMessage& message) override;
  void CMCursorChanged(TMessage& message) override;
  void CMFontChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMTextChanged(TMessage& message) override;
  void CMMouseEnter(TMessage& message) override;
  void CMMouseLeave(TMessage& message) override;
  void CMDesignHitTest(TMessage& message) override;

  // The point of a mouse message; the cursor position for a control too
  // large for 16-bit coordinates.
  TPoint MessagePoint(const TMessage& message);

 private:
  friend class TlxControlScrollBar;

  void CreateScrollBarControls();
  void DestroyScrollBarControls();
  void HandleScrollBarMetricsChanged();
  void HandleScrollBarScroll(TObject* sender, TScrollCode code, int32_t& position);
  bool DispatchLeftButtonStraight(TMessage& message);
  void AfterMessage(const TMessage& message);
  void RunWithDragImageHidden(const std::function<void()>& work);

  // IlxScrollBarsHost
  int32_t ScrollBarThickness(TlxScrollBarAxis axis) override;
  bool ScrollBarAllowed(TlxScrollBarAxis axis) override;
  bool ScrollBarVisible(TlxScrollBarAxis axis) override;
  TlxScrollBarState& PendingState(TlxScrollBarAxis axis) override;
  void ApplyPendingState(TlxScrollBarAxis axis) override;
  void ShowScrollBarDisabled(TlxScrollBarAxis axis) override;
  void ScrollBarsVisibilityChanged() override { BoundsChanged(); }
  void ScrollBarsSettled() override;
  TlxControlScrollBar* ScrollBarOf(TlxScrollBarAxis axis) const;

  std::unique_ptr<TlxCanvas> screen_canvas_;
  TlxControlBorderStyle border_style_ = lxcbsNone;
  std::unique_ptr<TlxCanvas> canvas_;
  bool creating_window_ = false;
  TCursor default_cursor_ = crDefault;
  std::unique_ptr<TlxDragAndDropObject> drag_drop_object_;
  const TClass* drag_drop_object_class_ = nullptr;
  TCursor cursor_before_drag_and_drop_ = crDefault;
  TlxDragDropPhase drag_drop_phase_ = dpIdle;
  std::unique_ptr<TDragImageList> drag_images_;
  bool finishing_drag_and_drop_ = false;
  bool click_focuses_ = true;
  std::vector<IlxFontListener*> font_listeners_;
  TlxControlScrollBar* h_scroll_bar_ = nullptr;  // owned; freed by DestroyScrollBarControls
  TlxWantedKeys wanted_keys_;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  bool button_pressed_ = false;
  TObject* capture_object_ = nullptr;
  TPoint mouse_down_point_;
  bool right_button_released_ = false;
  TComponent* popup_menu_ = nullptr;
  TScrollStyle allowed_scroll_bars_ = ssBoth;
  TlxScrollBarsUpdater scroll_bars_{*this};
  TlxSizeGrip* size_grip_ = nullptr;             // owned; freed by DestroyScrollBarControls
  TlxControlScrollBar* v_scroll_bar_ = nullptr;  // owned; freed by DestroyScrollBarControls
  bool content_scrolling_ = false;
  bool last_parent_background_ = true;
  TRect explicit_bounds_;
};

// The toolkit drag object currently over a TlxControl, or null.
TDragObject* lxCurrentDragObject();
