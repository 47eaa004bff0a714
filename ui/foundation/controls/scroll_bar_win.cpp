#include "ui/foundation/controls/scroll_bar_win.h"

#include <algorithm>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/system/lx_timer_win.h"
#include "ui/foundation/themes/theme_cache.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

constexpr const char* kScrollBarOutOfRange = "Eigenschaft Scrollbar außerhalb des zulässigen Bereichs";

}  // namespace

// --- TlxScrollBarViewInfo ---------------------------------------------------

TlxScrollBarViewInfo::TlxScrollBarViewInfo(TlxScrollBar* scroll_bar) : scroll_bar_(scroll_bar) {}

int32_t TlxScrollBarViewInfo::TrackStart() const {
  return scroll_bar_->Kind() == sbHorizontal ? top_left_arrow_.Right : top_left_arrow_.Bottom;
}

int32_t TlxScrollBarViewInfo::TrackLength() const {
  const int32_t end = scroll_bar_->Kind() == sbHorizontal ? bottom_right_arrow_.Left : bottom_right_arrow_.Top;
  return std::max(0, end - TrackStart());
}

int32_t TlxScrollBarViewInfo::ThumbOffset() const {
  return (scroll_bar_->Kind() == sbHorizontal ? thumb_.Left : thumb_.Top) - TrackStart();
}

int32_t TlxScrollBarViewInfo::ThumbLength() const {
  return scroll_bar_->Kind() == sbHorizontal ? thumb_.Width() : thumb_.Height();
}

TRect TlxScrollBarViewInfo::ThumbRectAt(int32_t offset, int32_t length) const {
  const int32_t start = TrackStart() + offset;
  if (scroll_bar_->Kind() == sbHorizontal)
    return TRect(start, 0, start + length, scroll_bar_->Height());
  return TRect(0, start, scroll_bar_->Width(), start + length);
}

void TlxScrollBarViewInfo::ComputeRects() {
  const int32_t width = scroll_bar_->Width();
  const int32_t height = scroll_bar_->Height();
  if (scroll_bar_->Kind() == sbHorizontal) {
    const int32_t arrow = std::min<int32_t>(GetSystemMetrics(SM_CYHSCROLL), width / 2);
    top_left_arrow_ = TRect(0, 0, arrow, height);
    bottom_right_arrow_ = TRect(width - arrow, 0, width, height);
  } else {
    const int32_t arrow = std::min<int32_t>(GetSystemMetrics(SM_CXVSCROLL), height / 2);
    top_left_arrow_ = TRect(0, 0, width, arrow);
    bottom_right_arrow_ = TRect(0, height - arrow, width, height);
  }
  ComputeThumbRect();
}

void TlxScrollBarViewInfo::ComputeThumbRect() {
  thumb_ = TRect();
  page_before_ = TRect();
  page_after_ = TRect();
  if (!scroll_bar_->Enabled())
    return;
  const bool horizontal = scroll_bar_->Kind() == sbHorizontal;
  const TlxScrollRange range{scroll_bar_->Min(), scroll_bar_->Max(), scroll_bar_->PageSize(),
                             scroll_bar_->Position()};
  const int32_t fixed_thumb = GetSystemMetrics(horizontal ? SM_CXHTHUMB : SM_CYVTHUMB);
  const TlxThumbSpan span = lxComputeThumbSpan(range, TrackLength(), min_thumb_size_, fixed_thumb);
  if (!span.Exists())
    return;
  thumb_ = ThumbRectAt(span.Offset, span.Length);
  ComputePageRects();
}

void TlxScrollBarViewInfo::ComputePageRects() {
  page_before_ = TRect();
  page_after_ = TRect();
  if (thumb_.IsEmpty())
    return;
  if (scroll_bar_->Kind() == sbHorizontal) {
    page_before_ = TRect(top_left_arrow_.Right, 0, thumb_.Left, scroll_bar_->Height());
    page_after_ = TRect(thumb_.Right, 0, bottom_right_arrow_.Left, scroll_bar_->Height());
  } else {
    page_before_ = TRect(0, top_left_arrow_.Bottom, scroll_bar_->Width(), thumb_.Top);
    page_after_ = TRect(0, thumb_.Bottom, scroll_bar_->Width(), bottom_right_arrow_.Top);
  }
}

void TlxScrollBarViewInfo::FetchMinThumbSize() { min_thumb_size_ = scroll_bar_->GetMinThumbSize(); }

void TlxScrollBarViewInfo::MoveThumbTo(int32_t offset) {
  if (thumb_.IsEmpty())
    return;
  const int32_t length = ThumbLength();
  thumb_ = ThumbRectAt(std::clamp(offset, 0, std::max(0, TrackLength() - length)), length);
  ComputePageRects();
}

// --- TlxScrollBar -----------------------------------------------------------

TlxScrollBar::TlxScrollBar(TComponent* owner) : TCustomControl(owner) {
  bitmap_ = std::make_unique<TBitmap>();
  bitmap_canvas_ = std::make_unique<TlxCanvas>(bitmap_->Canvas());
  look_and_feel_ = std::make_unique<TlxLookAndFeel>(this);
  look_and_feel_->OnChanged = [this](TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) {
    HandleLookAndFeelChanged(sender, changed_values);
  };
  std::unique_ptr<TObject> info(ViewInfoClass()->CreateInstance(this));
  view_info_.reset(dynamic_cast<TlxScrollBarViewInfo*>(info.get()));
  if (view_info_ == nullptr)
    throw EInvalidOperation("The view info class of a scroll bar must derive from TlxScrollBarViewInfo");
  info.release();
  ControlStyle() = TControlStyle{csCaptureMouse, csFramed, csOpaque};
  SetBounds(Left(), Top(), 121, GetSystemMetrics(SM_CYHSCROLL));
  theme_notificator_ = std::make_unique<TlxThemeChangedNotificator>(lxThemeManager());
  theme_notificator_->OnThemeChanged = [this] { HandleThemeChanged(); };
  repeat_timer_ = std::make_unique<TlxTimer>(nullptr);
  repeat_timer_->SetEnabled(false);
  repeat_timer_->SetInterval(lxScrollBarFirstRepeatInterval);
  repeat_timer_->SetOnTimer([this](TObject* sender) { RepeatTimerTick(sender); });
  view_info_->FetchMinThumbSize();
  RecalculateLayout();
}

TlxScrollBar::~TlxScrollBar() {
  repeat_timer_.reset();
  theme_notificator_.reset();
  view_info_.reset();
  look_and_feel_.reset();
  bitmap_canvas_.reset();
  bitmap_.reset();
}

void TlxScrollBar::RecalculateLayout() {
  if (Width() > 0 && Height() > 0)
    view_info_->ComputeRects();
}

void TlxScrollBar::ResizeBitmap() {
  if (Width() > 0 && Height() > 0 && (bitmap_->Width() != Width() || bitmap_->Height() != Height()))
    bitmap_->SetSize(Width(), Height());
}

void TlxScrollBar::SetKind(TScrollBarKind kind) {
  if (kind_ == kind)
    return;
  kind_ = kind;
  if (ComponentState().Contains(csLoading))
    RecalculateLayout();
  else
    SetBounds(Left(), Top(), Height(), Width());
  RecalculateLayout();
  Invalidate();
}

void TlxScrollBar::SetCtl3D(bool value) {
  requested_ctl3d_ = value;
  window_ctl3d_ = value;
  Perform(CM_CTL3DCHANGED);
}

void TlxScrollBar::ApplyCtl3DRule() {
  const bool skin_painter = look_and_feel_->CurrentPainter() != lxLookAndFeelPainterOfKind(look_and_feel_->Kind()) &&
                            !look_and_feel_->NativeStyle();
  window_ctl3d_ = (skin_painter && requested_ctl3d_) ? false : requested_ctl3d_;
}

void TlxScrollBar::HandleLookAndFeelChanged(TlxLookAndFeel* /*sender*/, TlxLookAndFeelValues /*changed_values*/) {
  ApplyCtl3DRule();
  view_info_->FetchMinThumbSize();
  RecalculateLayout();
  Invalidate();
}

void TlxScrollBar::HandleThemeChanged() {
  view_info_->FetchMinThumbSize();
  RecalculateLayout();
  lxRefreshStdScrollBarBitmaps();
  Invalidate();
  if (Parent() != nullptr)
    Parent()->Realign();
}

void TlxScrollBar::BoundsChanged() {
  TCustomControl::BoundsChanged();
  ResizeBitmap();
  RecalculateLayout();
}

void TlxScrollBar::Loaded() {
  TCustomControl::Loaded();
  RecalculateLayout();
}

void TlxScrollBar::ApplyScrollParams(int32_t min, int32_t max, int32_t position, int32_t page_size, bool redraw) {
  if (max < min || max < page_size)
    throw EInvalidOperation(kScrollBarOutOfRange);
  redraw = redraw && HandleAllocated();
  position = lxClampScrollValue(position, min, max);
  if (min == min_ && max == max_ && position == position_ && page_size == page_size_)
    return;
  min_ = min;
  max_ = max;
  page_size_ = page_size;
  if (position != position_) {
    SetEnabled(true);
    position_ = position;
    view_info_->ComputeThumbRect();
    if (redraw)
      Invalidate();
    NotifyChange();
    return;
  }
  view_info_->ComputeThumbRect();
  if (redraw)
    Invalidate();
}

void TlxScrollBar::ApplyScrollCode(TScrollCode code) {
  int64_t target = position_;
  switch (code) {
    case scLineUp: target -= small_change_; break;
    case scLineDown: target += small_change_; break;
    case scPageUp: target -= large_change_; break;
    case scPageDown: target += large_change_; break;
    case scTop: target = min_; break;
    case scBottom: target = max_; break;
    default: break;
  }
  int32_t position = lxClampScrollValue(target, min_, max_);
  TAliveToken alive = AliveToken();
  DoScrollEvent(code, position);
  if (!alive.Alive())
    return;
  position = lxClampScrollValue(position, min_, max_);
  if (position == position_)
    return;
  if (code == scTrack) {
    position_ = position;
    if (!ThumbDragging())
      view_info_->ComputeThumbRect();
    Invalidate();
    return;
  }
  SetPosition(position);
}

void TlxScrollBar::ScrollByPart(TlxScrollBarPart part) {
  switch (part) {
    case sbpLineUp: ApplyScrollCode(scLineUp); break;
    case sbpLineDown: ApplyScrollCode(scLineDown); break;
    case sbpThumbnail: ApplyScrollCode(scTrack); break;
    case sbpPageUp: ApplyScrollCode(scPageUp); break;
    case sbpPageDown: ApplyScrollCode(scPageDown); break;
    default: break;
  }
}

TlxScrollBarPart TlxScrollBar::PartAtPoint(const TPoint& point) {
  if (!ClientRect().Contains(point))
    return sbpNone;
  if (view_info_->TopLeftArrowRect().Contains(point))
    return sbpLineUp;
  if (view_info_->BottomRightArrowRect().Contains(point))
    return sbpLineDown;
  if (!view_info_->HasThumb())
    return sbpNone;
  if (view_info_->ThumbRect().Contains(point))
    return sbpThumbnail;
  if (view_info_->PageBeforeRect().Contains(point))
    return sbpPageUp;
  if (view_info_->PageAfterRect().Contains(point))
    return sbpPageDown;
  return sbpNone;
}

TlxButtonState TlxScrollBar::PartButtonState(TlxScrollBarPart part) {
  if (!Enabled())
    return lxbsDisabled;
  if (part == sbpThumbnail && !PartsHotTrack())
    return lxbsNormal;
  if (pressed_part_ != sbpNone)
    return (part == pressed_part_ && part == hot_part_) ? lxbsPressed : lxbsNormal;
  if (part == hot_part_ && !ComponentState().Contains(csDesigning))
    return lxbsHot;
  return lxbsNormal;
}

int32_t TlxScrollBar::PositionFromThumb() const {
  const TlxScrollRange range{min_, max_, page_size_, position_};
  return lxPositionFromThumb(range, view_info_->TrackLength(), view_info_->ThumbOffset(), view_info_->ThumbLength());
}

void TlxScrollBar::StopScrolling() {
  if (pressed_part_ == sbpNone)
    return;
  TAliveToken alive = AliveToken();
  if (pressed_part_ == sbpThumbnail) {
    SetPosition(PositionFromThumb());
    if (!alive.Alive())
      return;
    ApplyScrollCode(scPosition);
    if (!alive.Alive())
      return;
  }
  repeat_timer_->SetEnabled(false);
  pressed_part_ = sbpNone;
  hot_part_ = sbpNone;
  ApplyScrollCode(scEndScroll);
  if (!alive.Alive())
    return;
  view_info_->ComputeThumbRect();
  Invalidate();
}

void TlxScrollBar::NotifyChange() {
  TAliveToken alive = AliveToken();
  if (Parent() != nullptr)
    Parent()->Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  if (alive.Alive() && OnChange)
    OnChange(this);
}

TlxScrollBarViewInfoClass TlxScrollBar::ViewInfoClass() const { return &TlxScrollBarViewInfo::kClass; }

void TlxScrollBar::PaintTo(TlxCanvas& canvas) {
  const TlxScrollBarViewInfo& info = *view_info_;
  if (!info.HasThumb()) {
    PaintPart(canvas, ClientRect(), sbpPageUp, lxbsNormal);
  } else {
    PaintPart(canvas, info.ThumbRect(), sbpThumbnail, PartButtonState(sbpThumbnail));
  }
  PaintPart(canvas, info.TopLeftArrowRect(), sbpLineUp, PartButtonState(sbpLineUp));
  PaintPart(canvas, info.BottomRightArrowRect(), sbpLineDown, PartButtonState(sbpLineDown));
  if (!info.HasThumb())
    return;
  if (!info.PageBeforeRect().IsEmpty())
    PaintPart(canvas, info.PageBeforeRect(), sbpPageUp, PartButtonState(sbpPageUp));
  if (!info.PageAfterRect().IsEmpty())
    PaintPart(canvas, info.PageAfterRect(), sbpPageDown, PartButtonState(sbpPageDown));
}

void TlxScrollBar::PaintPart(TlxCanvas& canvas, const TRect& rect, TlxScrollBarPart part, TlxButtonState state) {
  CurrentPainter()->PaintScrollBarPart(canvas, kind_ == sbHorizontal, rect, part, state);
}

bool TlxScrollBar::PartsHotTrack() { return CurrentPainter()->ButtonHotTrackEnabled(); }

void TlxScrollBar::DoScrollEvent(TScrollCode code, int32_t& position) {
  if (OnScroll)
    OnScroll(this, code, position);
}

int32_t TlxScrollBar::GetMinThumbSize() { return CurrentPainter()->GetScrollBarMinThumbSize(kind_ == sbVertical); }

void TlxScrollBar::Paint() {
  ResizeBitmap();
  PaintTo(*bitmap_canvas_);
  BitBlt(Canvas().Handle(), 0, 0, bitmap_->Width(), bitmap_->Height(), bitmap_->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TlxScrollBar::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TCustomControl::MouseDown(button, shift, x, y);
  if (!alive.Alive() || button != mbLeft)
    return;
  const TlxScrollBarPart part = PartAtPoint(TPoint(x, y));
  if (part == sbpNone)
    return;
  if (part == sbpThumbnail) {
    drag_start_point_ = TPoint(x, y);
    drag_start_position_ = position_;
    drag_start_thumb_offset_ = view_info_->ThumbOffset();
  }
  pressed_part_ = part;
  hot_part_ = part;
  if (part == sbpThumbnail) {
    ApplyScrollCode(scTrack);
  } else {
    ScrollByPart(part);
    if (!alive.Alive())
      return;
    repeat_timer_->SetInterval(lxScrollBarFirstRepeatInterval);
    repeat_timer_->SetEnabled(true);
  }
  if (alive.Alive())
    Invalidate();
}

void TlxScrollBar::RepeatTimerTick(TObject* /*sender*/) {
  const bool repeating = pressed_part_ != sbpNone && pressed_part_ != sbpThumbnail;
  if (!MouseCapture() || !repeating) {
    StopScrolling();
    return;
  }
  if (repeat_timer_->Interval() == lxScrollBarFirstRepeatInterval)
    repeat_timer_->SetInterval(lxScrollBarNextRepeatInterval);
  TAliveToken alive = AliveToken();
  ScrollByPart(pressed_part_);
  if (!alive.Alive())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  repeat_timer_->SetEnabled(PartAtPoint(ScreenToClient(TPoint(cursor.x, cursor.y))) == pressed_part_);
}

void TlxScrollBar::HandleThumbDrag(const TPoint& point) {
  TAliveToken alive = AliveToken();
  if (lxInsideThumbTrackingZone(ClientRect(), point, kind_ == sbHorizontal, unlimited_tracking_)) {
    const int32_t delta = kind_ == sbHorizontal ? point.X - drag_start_point_.X : point.Y - drag_start_point_.Y;
    if (delta != 0 || view_info_->ThumbOffset() != drag_start_thumb_offset_) {
      view_info_->MoveThumbTo(drag_start_thumb_offset_ + delta);
      Invalidate();
    }
    const int32_t position = PositionFromThumb();
    if (position != position_) {
      position_ = position;
      ApplyScrollCode(scTrack);
    }
    return;
  }
  // Far off the bar the drag snaps back to where it started, until the
  // mouse comes near again.
  if (position_ != drag_start_position_) {
    SetPosition(drag_start_position_);
    if (alive.Alive())
      ApplyScrollCode(scTrack);
    return;
  }
  if (view_info_->ThumbOffset() != drag_start_thumb_offset_) {
    view_info_->ComputeThumbRect();
    Invalidate();
  }
}

void TlxScrollBar::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TCustomControl::MouseMove(shift, x, y);
  if (!alive.Alive())
    return;
  const TPoint point(x, y);
  if (ThumbDragging()) {
    HandleThumbDrag(point);
    return;
  }
  const TlxScrollBarPart part = PartAtPoint(point);
  if (pressed_part_ != sbpNone)
    repeat_timer_->SetEnabled(part == pressed_part_);
  if (part == hot_part_)
    return;
  hot_part_ = part;
  if (PartsHotTrack() || pressed_part_ != sbpNone)
    Invalidate();
}

void TlxScrollBar::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  StopScrolling();
  if (!alive.Alive())
    return;
  hot_part_ = PartAtPoint(TPoint(x, y));
  TCustomControl::MouseUp(button, shift, x, y);
}

void TlxScrollBar::HandleMouseEnterOrLeave(bool entering) {
  const bool pressed_repeating = pressed_part_ == sbpLineUp || pressed_part_ == sbpLineDown ||
                                 pressed_part_ == sbpPageUp || pressed_part_ == sbpPageDown;
  if (!entering && !ThumbDragging())
    hot_part_ = sbpNone;
  if (PartsHotTrack() || pressed_repeating)
    Invalidate();
}

void TlxScrollBar::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
      if (LOWORD(message.WParam) <= scEndScroll)
        ApplyScrollCode(static_cast<TScrollCode>(LOWORD(message.WParam)));
      return;
    case CM_CTL3DCHANGED:
      TCustomControl::Dispatch(message);
      window_ctl3d_ = requested_ctl3d_;
      ApplyCtl3DRule();
      return;
    case CN_CTLCOLORSCROLLBAR:
      lxRefreshStdScrollBarBitmaps();
      message.Result = DefWindowProcW(WindowHandle(), message.Msg - CN_BASE, message.WParam, message.LParam);
      return;
    default:
      TCustomControl::Dispatch(message);
  }
}

void TlxScrollBar::WMEraseBkgnd(TMessage& message) { message.Result = 1; }

void TlxScrollBar::WMCancelMode(TMessage& message) {
  TAliveToken alive = AliveToken();
  StopScrolling();
  if (alive.Alive())
    TCustomControl::WMCancelMode(message);
}

void TlxScrollBar::CMEnabledChanged(TMessage& message) {
  TCustomControl::CMEnabledChanged(message);
  RecalculateLayout();
  if (!Enabled())
    StopScrolling();
  Invalidate();
}

void TlxScrollBar::CMVisibleChanged(TMessage& message) {
  if (!Visible())
    StopScrolling();
  TCustomControl::CMVisibleChanged(message);
}

void TlxScrollBar::CMSysColorChange(TMessage& message) {
  lxRefreshStdScrollBarBitmaps();
  TCustomControl::CMSysColorChange(message);
}

void TlxScrollBar::CMMouseEnter(TMessage& message) {
  TCustomControl::CMMouseEnter(message);
  HandleMouseEnterOrLeave(true);
}

void TlxScrollBar::CMMouseLeave(TMessage& message) {
  TCustomControl::CMMouseLeave(message);
  HandleMouseEnterOrLeave(false);
}
