// The own scroll bars of TlxControl: creating and placing them, settling
// their visibility from what the descendant reports, and the scroll paths
// that go through them (steps, the wheel, the system's metrics).

#include "platform/toolkit/drag.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/controls/control_win.h"
#include "ui/foundation/controls/settings_controller_win.h"
#include "ui/foundation/controls/size_grip_win.h"

namespace {

TScrollBarKind KindOf(TlxScrollBarAxis axis) { return axis == lxsaHorizontal ? sbHorizontal : sbVertical; }

}  // namespace

void TlxControl::CreateScrollBarControls() {
  if (!HasScrollBars() || size_grip_ != nullptr)
    return;
  h_scroll_bar_ = new TlxControlScrollBar(nullptr);
  h_scroll_bar_->SetKind(sbHorizontal);
  v_scroll_bar_ = new TlxControlScrollBar(nullptr);
  v_scroll_bar_->SetKind(sbVertical);
  for (TlxControlScrollBar* bar : {h_scroll_bar_, v_scroll_bar_}) {
    bar->OnScroll = [this](TObject* sender, TScrollCode code, int32_t& position) {
      HandleScrollBarScroll(sender, code, position);
    };
    bar->ControlStyle().Include(csReplicatable);
    bar->LookAndFeel().SetMaster(look_and_feel_.get());
  }
  size_grip_ = new TlxSizeGrip(nullptr);
  size_grip_->ControlStyle().Include(csReplicatable);
  size_grip_->LookAndFeel().SetMaster(look_and_feel_.get());
  size_grip_->SetVisible(false);
  lxSettingsController().AddListener(this);
}

void TlxControl::DestroyScrollBarControls() {
  if (size_grip_ == nullptr)
    return;
  if (TlxSettingsController* controller = lxSettingsControllerIfExists())
    controller->RemoveListener(this);
  delete size_grip_;
  size_grip_ = nullptr;
  delete v_scroll_bar_;
  v_scroll_bar_ = nullptr;
  delete h_scroll_bar_;
  h_scroll_bar_ = nullptr;
}

void TlxControl::SyncScrollBarControls() {
  if (!HasScrollBars()) {
    DestroyScrollBarControls();
    return;
  }
  CreateScrollBarControls();
  if (HandleAllocated())
    AttachScrollBars();
}

void TlxControl::AttachScrollBars() {
  if (size_grip_ == nullptr)
    return;
  h_scroll_bar_->SetParent(this);
  v_scroll_bar_->SetParent(this);
  size_grip_->SetParent(this);
}

TlxControlScrollBar* TlxControl::ScrollBarOf(TlxScrollBarAxis axis) const {
  return axis == lxsaHorizontal ? h_scroll_bar_ : v_scroll_bar_;
}

bool TlxControl::IsHScrollBarShown() {
  return h_scroll_bar_ != nullptr && HasScrollBars() && scroll_bars_.IsShown(lxsaHorizontal);
}

bool TlxControl::IsVScrollBarShown() {
  return v_scroll_bar_ != nullptr && HasScrollBars() && scroll_bars_.IsShown(lxsaVertical);
}

TRect TlxControl::GetHScrollBarBounds() {
  TRect bounds = GetClientBounds();
  bounds.Top = bounds.Bottom;
  bounds.Bottom = bounds.Top + h_scroll_bar_->Height();
  return bounds;
}

TRect TlxControl::GetVScrollBarBounds() {
  TRect bounds = GetClientBounds();
  bounds.Left = bounds.Right;
  bounds.Right = bounds.Left + v_scroll_bar_->Width();
  return bounds;
}

TRect TlxControl::GetSizeGripBounds() {
  return TRect(v_scroll_bar_->Left(), h_scroll_bar_->Top(), v_scroll_bar_->Left() + v_scroll_bar_->Width(),
               h_scroll_bar_->Top() + h_scroll_bar_->Height());
}

void TlxControl::PlaceScrollBars() {
  if (size_grip_ == nullptr)
    return;
  if (h_scroll_bar_->IsShown())
    h_scroll_bar_->SetBoundsRect(GetHScrollBarBounds());
  if (v_scroll_bar_->IsShown())
    v_scroll_bar_->SetBoundsRect(GetVScrollBarBounds());
  if (size_grip_->Visible())
    size_grip_->SetBoundsRect(GetSizeGripBounds());
}

void TlxControl::RefreshScrollBars() {
  if (size_grip_ == nullptr)
    return;
  for (TlxControlScrollBar* bar : {h_scroll_bar_, v_scroll_bar_}) {
    if (bar->IsShown() && bar->HandleAllocated())
      bar->Update();
  }
  if (size_grip_->Visible() && size_grip_->HandleAllocated())
    size_grip_->Update();
}

void TlxControl::BringScrollBarsToFront() {
  if (size_grip_ == nullptr)
    return;
  h_scroll_bar_->BringToFront();
  v_scroll_bar_->BringToFront();
  size_grip_->BringToFront();
}

void TlxControl::SetScrollBarParams(TScrollBarKind kind, int32_t min, int32_t max, int32_t small_change,
                                    int32_t page_size, int32_t position, bool can_show, bool can_hide) {
  if (size_grip_ == nullptr)
    return;
  scroll_bars_.SetParams(kind == sbHorizontal ? lxsaHorizontal : lxsaVertical,
                         {min, max, small_change, page_size, position, can_show, can_hide});
}

void TlxControl::UpdateScrollBars() {
  if (!HasScrollBars() || size_grip_ == nullptr)
    return;
  scroll_bars_.Update();
}

int32_t TlxControl::ScrollBarThickness(TlxScrollBarAxis axis) {
  return axis == lxsaHorizontal ? h_scroll_bar_->Height() : v_scroll_bar_->Width();
}

bool TlxControl::ScrollBarAllowed(TlxScrollBarAxis axis) {
  const TScrollStyle direction = axis == lxsaHorizontal ? ssHorizontal : ssVertical;
  return allowed_scroll_bars_ == ssBoth || allowed_scroll_bars_ == direction;
}

bool TlxControl::ScrollBarVisible(TlxScrollBarAxis axis) { return ScrollBarOf(axis)->Visible(); }

TlxScrollBarState& TlxControl::PendingState(TlxScrollBarAxis axis) { return ScrollBarOf(axis)->State(); }

void TlxControl::ApplyPendingState(TlxScrollBarAxis axis) { ScrollBarOf(axis)->ApplyPendingState(); }

void TlxControl::ShowScrollBarDisabled(TlxScrollBarAxis axis) {
  TlxControlScrollBar* bar = ScrollBarOf(axis);
  bar->SetEnabled(false);
  bar->SetVisible(true);
}

void TlxControl::ScrollBarsSettled() {
  size_grip_->SetVisible(h_scroll_bar_->Visible() && v_scroll_bar_->Visible());
  PlaceScrollBars();
  if (KeepsScrollBarsOnTop())
    BringScrollBarsToFront();
}

void TlxControl::HandleScrollBarScroll(TObject* sender, TScrollCode code, int32_t& position) {
  ScrollContent(sender == h_scroll_bar_ ? sbHorizontal : sbVertical, code, position);
}

void TlxControl::HandleScrollBarMetricsChanged() {
  if (size_grip_ == nullptr)
    return;
  const int32_t height = GetSystemMetrics(SM_CYHSCROLL);
  const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
  if (h_scroll_bar_->Height() == height && v_scroll_bar_->Width() == width)
    return;
  h_scroll_bar_->SetHeight(height);
  v_scroll_bar_->SetWidth(width);
  BoundsChanged();
}

void TlxControl::ScrollStep(TlxDirection direction) {
  if (direction == dirNone)
    return;
  const bool bars = HasScrollBars() && size_grip_ != nullptr;
  if (!bars && !CanScrollWithoutBars(direction))
    return;
  const TlxScrollBarAxis axis = (direction == dirUp || direction == dirDown) ? lxsaVertical : lxsaHorizontal;
  const TScrollCode code = (direction == dirLeft || direction == dirUp) ? scLineUp : scLineDown;
  int32_t position = bars ? ScrollBarOf(axis)->Position() : 0;
  TAliveToken alive = AliveToken();
  ScrollContent(KindOf(axis), code, position);
  if (alive.Alive())
    Update();
}

void TlxControl::ScrollClientArea(int32_t dx, int32_t dy, const TRect& rect) {
  if (!HandleAllocated())
    return;
  RunWithDragImageHidden([&] {
    const RECT area = rect;
    ScrollWindowEx(WindowHandle(), dx, dy, &area, &area, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
  });
}

bool TlxControl::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  TAliveToken alive = AliveToken();
  if (TCustomControl::DoMouseWheel(shift, wheel_delta, mouse_pos) || !alive.Alive())
    return true;
  const TlxWheelScrollKind kind = GetMouseWheelScrollKind();
  if (kind == wskNone)
    return false;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  // WHEEL_PAGESCROLL asks for a page; a line count that large is capped.
  const int32_t steps = static_cast<int32_t>(std::min<UINT>(lines, 100));
  const TlxDirection direction = kind == wskVertical ? (wheel_delta >= 0 ? dirUp : dirDown)
                                                     : (wheel_delta >= 0 ? dirLeft : dirRight);
  for (int32_t step = 0; step < steps && alive.Alive(); ++step)
    ScrollStep(direction);
  return true;
}
