#pragma once
// TlxScrollBar: a windowed scroll bar that draws itself through the
// look-and-feel painters instead of the system control. The geometry of its
// parts lives in a view info; the bar paints into an off-screen bitmap,
// tracks the pressed and the hot part, repeats arrow and page steps on a
// timer (400 ms, then 60 ms) and lets the user drag the thumb. Included only
// from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/scroll_bar.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/scroll_bar_geometry.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/painter_types.h"

class TlxScrollBar;
class TlxThemeChangedNotificator;
class TlxTimer;

class TlxScrollBarViewInfo : public TObject {
 public:
  using TOwnerType = TlxScrollBar;
  static constexpr TClass kClass{"TlxScrollBarViewInfo", &TObject::kClass,
                                 &ConstructInstance<TlxScrollBarViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxScrollBarViewInfo(TlxScrollBar* scroll_bar);

  TlxScrollBar* ScrollBar() const { return scroll_bar_; }
  const TRect& TopLeftArrowRect() const { return top_left_arrow_; }
  const TRect& BottomRightArrowRect() const { return bottom_right_arrow_; }
  const TRect& ThumbRect() const { return thumb_; }
  const TRect& PageBeforeRect() const { return page_before_; }
  const TRect& PageAfterRect() const { return page_after_; }
  int32_t MinThumbSize() const { return min_thumb_size_; }
  bool HasThumb() const { return !thumb_.IsEmpty(); }

  // Arrows, thumb and page areas from the bar's size and range.
  virtual void ComputeRects();
  void Calculate() { ComputeRects(); }
  void ComputeThumbRect();
  void ComputePageRects();
  void FetchMinThumbSize();
  // Puts the thumb at `offset` from the track start (kept in the track);
  // the page areas follow.
  void MoveThumbTo(int32_t offset);

  // The track between the arrows, along the bar: its start and length.
  int32_t TrackStart() const;
  int32_t TrackLength() const;
  // The thumb's offset from the track start and its length along the bar.
  int32_t ThumbOffset() const;
  int32_t ThumbLength() const;

 private:
  TRect ThumbRectAt(int32_t offset, int32_t length) const;

  TRect bottom_right_arrow_;
  TRect page_after_;
  TRect page_before_;
  TlxScrollBar* scroll_bar_;
  TRect thumb_;
  int32_t min_thumb_size_ = 0;
  TRect top_left_arrow_;
};

using TlxScrollBarViewInfoClass = const TClass*;

class TlxScrollBar : public TCustomControl {
 public:
  static constexpr TClass kClass{"TlxScrollBar", &TCustomControl::kClass, &ConstructInstance<TlxScrollBar>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxScrollBar(TComponent* owner);
  ~TlxScrollBar() override;

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  int32_t PageSize() const { return page_size_; }
  int32_t Position() const { return position_; }
  void SetMin(int32_t value) { ApplyScrollParams(value, max_, position_, page_size_, true); }
  void SetMax(int32_t value) { ApplyScrollParams(min_, value, position_, page_size_, true); }
  void SetPageSize(int32_t value) { ApplyScrollParams(min_, max_, position_, value, true); }
  void SetPosition(int32_t value) { ApplyScrollParams(min_, max_, value, page_size_, true); }
  int16_t SmallChange() const { return small_change_; }
  void SetSmallChange(int16_t value) { small_change_ = value; }
  int16_t LargeChange() const { return large_change_; }
  void SetLargeChange(int16_t value) { large_change_ = value; }
  bool UnlimitedTracking() const { return unlimited_tracking_; }
  void SetUnlimitedTracking(bool value) { unlimited_tracking_ = value; }
  // True when the window's or the requested value is.
  bool Ctl3D() const { return window_ctl3d_ || requested_ctl3d_; }
  void SetCtl3D(bool value);

  TlxLookAndFeel& LookAndFeel() { return *look_and_feel_; }
  void SetLookAndFeel(const TlxLookAndFeel& value) { look_and_feel_->Assign(&value); }
  TlxPainterClass CurrentPainter() const { return look_and_feel_->PainterFor(totScrollBar); }
  TlxScrollBarViewInfo& ViewInfo() { return *view_info_; }

  // Raises EInvalidOperation ("Eigenschaft Scrollbar außerhalb des
  // zulässigen Bereichs") for Max below Min or below PageSize, changing
  // nothing. The position is kept in Min..Max; a changed position
  // re-enables the bar and fires OnChange.
  void ApplyScrollParams(int32_t min, int32_t max, int32_t position, int32_t page_size, bool redraw);
  void ApplyScrollCode(TScrollCode code);
  TlxScrollBarPart PartAtPoint(const TPoint& point);
  TlxButtonState PartButtonState(TlxScrollBarPart part);
  // Ends a thumb drag or a repeating press: position, scEndScroll, repaint.
  void StopScrolling();

  TlxScrollBarPart PressedPart() const { return pressed_part_; }
  TlxScrollBarPart HotPart() const { return hot_part_; }
  TlxTimer& RepeatTimer() { return *repeat_timer_; }
  bool ThumbDragging() const { return pressed_part_ == sbpThumbnail; }

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  virtual void NotifyChange();
  virtual TlxScrollBarViewInfoClass ViewInfoClass() const;
  virtual void PaintTo(TlxCanvas& canvas);
  virtual void PaintPart(TlxCanvas& canvas, const TRect& rect, TlxScrollBarPart part, TlxButtonState state);
  virtual bool PartsHotTrack();
  virtual void DoScrollEvent(TScrollCode code, int32_t& position);
  virtual int32_t GetMinThumbSize();

  void Paint() override;
  void BoundsChanged() override;
  void Loaded() override;
  void Dispatch(TMessage& message) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void WMEraseBkgnd(TMessage& message) override;
  void WMCancelMode(TMessage& message) override;
  void CMEnabledChanged(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void CMSysColorChange(TMessage& message) override;
  void CMMouseEnter(TMessage& message) override;
  void CMMouseLeave(TMessage& message) override;

 private:
  friend class TlxScrollBarViewInfo;

  void HandleLookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values);
  void HandleThemeChanged();
  void ApplyCtl3DRule();
  void RepeatTimerTick(TObject* sender);
  void ScrollByPart(TlxScrollBarPart part);
  int32_t PositionFromThumb() const;
  void HandleThumbDrag(const TPoint& point);
  void HandleMouseEnterOrLeave(bool entering);
  void RecalculateLayout();
  void ResizeBitmap();

  std::unique_ptr<TBitmap> bitmap_;
  std::unique_ptr<TlxCanvas> bitmap_canvas_;
  TPoint drag_start_point_;
  TScrollBarKind kind_ = sbHorizontal;
  int16_t large_change_ = 1;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  int32_t max_ = 100;
  int32_t min_ = 0;
  int32_t page_size_ = 0;
  int32_t position_ = 0;
  bool requested_ctl3d_ = true;
  bool window_ctl3d_ = true;
  int32_t drag_start_position_ = 0;
  int32_t drag_start_thumb_offset_ = 0;
  int16_t small_change_ = 1;
  std::unique_ptr<TlxThemeChangedNotificator> theme_notificator_;
  std::unique_ptr<TlxTimer> repeat_timer_;
  bool unlimited_tracking_ = false;
  TlxScrollBarPart pressed_part_ = sbpNone;
  TlxScrollBarPart hot_part_ = sbpNone;
  std::unique_ptr<TlxScrollBarViewInfo> view_info_;
};

// The repeat intervals of a held arrow or page press.
constexpr uint32_t lxScrollBarFirstRepeatInterval = 400;
constexpr uint32_t lxScrollBarNextRepeatInterval = 60;
