#pragma once
// TlxContainer: the base of every editor control and of the bordered list
// controls. It draws its own border, shadow and background, takes one of
// four styles (normal, focused, disabled, hot) from its view state, and may
// host one inner windowed control that fills the area inside the border.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/container_style_win.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"
#include "ui/foundation/themes/theme_object_types.h"

// The view states of a container as a set.
inline constexpr uint8_t kLxContainerStateNormal = 1;
inline constexpr uint8_t kLxContainerStateActive = 2;
inline constexpr uint8_t kLxContainerStateDisabled = 4;
inline constexpr uint8_t kLxContainerStateHot = 8;

// The private message that refreshes a container from the cursor once its
// window exists.
inline constexpr UINT LX_CONTAINER_REFRESH = 0x807F;
// The private message that synchronizes a container's scroll bars with
// its inner control after the current message.
inline constexpr UINT LX_CONTAINER_SYNC_SCROLL_BARS = 0x8080;

// The frame width of a container border style: 0, 1, 2, 2, 2, 1, 1 from
// cbsNone.
int32_t lxGetBorderWidth(TlxContainerBorderStyle style);

// The last calculation of a container: geometry and colours; it paints them.
class TlxContainerViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxContainerViewInfo", &TObject::kClass,
                                 &ConstructInstance<TlxContainerViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Virtual operations, in the order of their slots.
  virtual void PaintBorder(TlxCanvas& canvas, const TRect& rect);
  virtual TlxContainerBorderStyle GetActualBorderStyle() const { return BorderStyle; }
  virtual void RenderFrame(TlxCanvas& canvas);
  virtual void AssignBackgroundColor(TColor color) { BackgroundColor = color; }
  virtual void TakeStateFrom(const TlxContainerViewInfo* other);
  virtual void MoveBy(int32_t dx, int32_t dy);
  virtual void Draw(TlxCanvas& canvas) { RenderFrame(canvas); }

  TRect Bounds;
  TRect BorderRect;
  TRect ClientRect;
  TColor BorderColor = clDefault;
  TlxContainerBorderStyle BorderStyle = cbsNone;
  int32_t BorderWidth = 0;
  TlxBorders Edges{bLeft, bTop, bRight, bBottom};
  bool Shadow = false;
  TColor BackgroundColor = clWindow;
  uint8_t ContainerState = kLxContainerStateNormal;
  uint8_t HotTrackMode = 0;
  bool NativeStyle = false;
  TlxThemedObjectType ThemedObjectType = totEdit;
  int32_t ThemedPart = 0;
  int32_t ThemedState = 0;
};

class TlxContainer : public TlxControl, public IlxStyledContainer, public IlxMouseTrackingCaller {
 public:
  static constexpr TClass kClass{"TlxContainer", &TlxControl::kClass, &ConstructInstance<TlxContainer>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxContainer(TComponent* owner) : TlxContainer(owner, lxStyleClassOf<TlxContainerStyle>()) {}
  ~TlxContainer() override;

  // Virtual operations, in the order of their slots.
  virtual bool IsFocusedNow() { return IsFocusWithin(); }
  virtual void ApplyStyleToInnerControl();
  virtual void ComputeViewInfo(const TPoint& point, bool hot_track_allowed);
  virtual bool HandlesTabNavigation() const { return true; }
  virtual bool IsBorderSelfDrawn();
  virtual void HandleStyleChange(TObject* style);
  virtual void RefreshViewNow() { RefreshFromCursor(false); }
  bool UsesParentColorByDefault() const override { return false; }
  void MouseLeave() override;
  virtual TlxContainerStyle* GetCurrentStyle();
  virtual TRect GetBorderExtent();
  virtual TRect GetFrameRegionBounds();
  virtual bool HasShadow();
  virtual TlxContainerStyle* SelectStyleForState(uint8_t state);
  virtual TlxContainerStyleValues GetIgnoredStyleValues() const { return {}; }
  virtual bool IsValueReadOnly() const { return false; }
  virtual bool IsTransparentBackground() const { return false; }
  virtual bool RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                        TShiftState shift);
  virtual void UpdateWindowRegion();
  virtual void PlaceInnerControl();
  virtual int32_t GetThemedPart() const;
  virtual int32_t GetThemedState() const;
  virtual bool UsesNativeStyle();
  virtual void FocusInnerControl();
  virtual TRect GetMouseTrackingBounds();
  virtual bool IsInplaceMode() const { return false; }
  // Drop-down editors answer whether their popup is shown.
  virtual bool IsPopupOpen() const { return false; }
  // The library's scroll bars over the inner control's system bars, and
  // the size grip between them (container_scroll_win.cpp).
  virtual void SyncScrollBar(TlxControlScrollBar* bar, TScrollBarKind kind);
  virtual TRect GetScrollBarClientRect(const SCROLLBARINFO& info);
  virtual bool IsScrollBarEnabled(TlxControlScrollBar* bar, const SCROLLBARINFO& info);
  virtual bool GetInnerScrollBarInfo(TScrollBarKind kind, SCROLLBARINFO& info);
  virtual bool IsScrollBarShown(const SCROLLBARINFO& info);
  virtual void ShowScrollBar(TlxControlScrollBar* bar, bool visible);
  // `skip_bars`: only the size grip follows.
  virtual void SyncScrollBarsWithInnerControl(bool skip_bars);
  // Posts the synchronization to run after the current message.
  void RequestScrollBarsSync();
  bool SizeGripVisible() const { return size_grip_visible_; }
  TRect SizeGripBounds() const { return size_grip_bounds_; }
  // Tab moves on from a focused container (container_navigation_win.cpp).
  void KeyDown(uint16_t& key, TShiftState shift) override;
  // What an inner control hands to its container first; true when handled.
  virtual bool PreprocessInnerControlMessage(TMessage& message);
  virtual bool HandleInnerControlKey(TMessage& message);
  // Containers that hold ordinary child controls (group boxes) keep the
  // platform's alignment and do no inner-control handling.
  virtual bool HostsChildControls() const { return false; }
  // The part of `control`'s area inside `rect`, in the control's own
  // coordinates; false (no region wanted) when all of it lies inside.
  virtual bool GetInnerControlRegionRect(const TRect& rect, TControl* control, TRect& region);
  // Suspends the inner-control alignment while above zero; never below.
  void ChangeAlignLock(bool up);
  bool IsAlignLocked() const { return align_lock_ > 0; }
  // The inner control's window region is unknown: the next alignment sets
  // it whatever it is.
  void ForgetInnerControlRegion() { inner_region_known_ = false; }
  // Intersects the canvas clip with the window region's frame.
  void ClipCanvasToFrame(TlxCanvas& canvas);

  // IlxStyledContainer.
  bool ParentColor() const override { return TlxControl::ParentColor(); }
  void SetParentColor(bool value) override { TlxControl::SetParentColor(value); }
  bool ParentFont() const override { return TlxControl::ParentFont(); }
  void SetParentFont(bool value) override { TlxControl::SetParentFont(value); }
  bool GetParentColor(TColor& color) const override;
  bool IsInplace() const override { return IsInplaceMode(); }
  bool IsStylePropertyUsed(const std::string& name, bool state_style) const override;

  void RefreshFromCursor(bool mouse_event);
  void EnsureViewInfoCalculated();
  bool IsFocusWithin();
  TWinControl* InnerControl() const { return inner_control_; }
  void SetInnerControl(TWinControl* control);
  TlxContainerViewInfo& ViewInfo() const { return *view_info_; }
  TlxContainerStyles& Styles() const { return *styles_; }
  TlxContainerStyle* GetStyle() const { return styles_->GetNormalStyle(); }
  TlxContainerStyle* GetStyleFocused() const { return styles_->GetFocusedStyle(); }
  TlxContainerStyle* GetStyleDisabled() const { return styles_->GetDisabledStyle(); }
  TlxContainerStyle* GetStyleHot() const { return styles_->GetHotStyle(); }
  bool IsBeingDestroyed() const { return destroying_ || ComponentState().Contains(csDestroying); }

 protected:
  TlxContainer(TComponent* owner, const TlxContainerStyleClass& style_class);
  // Editors keep a picture of their own class, which holds the container's.
  void ReplaceViewInfo(std::unique_ptr<TlxContainerViewInfo> view_info) {
    view_info_ = std::move(view_info);
    view_info_calculated_ = false;
  }

  void Paint() override;
  void Resize() override;
  void FocusChanged() override;
  void DoColorChanged() override;
  void DoMouseEnter(TControl* control) override;
  void DoMouseLeave(TControl* control) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  // A child that sticks out of the align rectangle is cut to it by a window
  // region, so that it never paints over the container's frame.
  void AlignControls(TControl* control, TRect& rect) override;
  void AdjustClientRect(TRect& rect) override;
  TRect GetClientBounds() override { return view_info_->ClientRect; }
  bool HasScrollBars() override { return false; }

 private:
  uint8_t ComputeState(const TPoint& point, bool hot_track_allowed);
  TColor ComputeBorderColor(bool highlighted);
  void StartTracking();

  bool creating_ = true;
  bool destroying_ = false;
  bool internal_setting_ = false;
  bool refresh_locked_ = false;
  bool view_info_calculated_ = false;
  bool refreshing_ = false;
  std::unique_ptr<TlxContainerStyles> styles_;
  std::unique_ptr<TlxContainerViewInfo> view_info_;
  TlxContainerStyle* current_style_ = nullptr;
  uint8_t current_style_state_ = kLxContainerStateNormal;
  TWinControl* inner_control_ = nullptr;
  bool calculating_scroll_bars_ = false;
  int32_t align_lock_ = 0;
  bool inner_region_known_ = false;
  bool inner_has_region_ = false;
  TRect inner_region_;
  bool size_grip_visible_ = false;
  TRect size_grip_bounds_;
};
