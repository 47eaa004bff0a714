#include "ui/foundation/controls/control_scroll_bar_states.h"

#include <algorithm>

#include "platform/rtl/scope.h"

namespace {

constexpr TlxScrollBarAxis kAxes[] = {lxsaHorizontal, lxsaVertical};

TlxScrollBarAxis Other(TlxScrollBarAxis axis) { return axis == lxsaHorizontal ? lxsaVertical : lxsaHorizontal; }

int16_t ClampChange(int32_t value) {
  return static_cast<int16_t>(std::clamp(value, -lxMaxScrollBarChange, lxMaxScrollBarChange));
}

}  // namespace

void lxSetPendingScrollBarState(TlxScrollBarState& state, const TlxScrollBarParams& params, bool allowed) {
  state.CanShow = params.CanShow && allowed;
  state.CanHide = params.CanHide;
  if (!state.CanShow) {
    state.Visible = false;
    return;
  }
  const int64_t range = static_cast<int64_t>(params.Max) - params.Min + 1;
  if (params.Max < params.Min || params.PageSize >= range || params.Position < params.Min) {
    if (state.CanHide) {
      state.Visible = false;
    } else {
      state.Enabled = false;
      state.Visible = true;
    }
    return;
  }
  state.Min = params.Min;
  state.Max = params.Max;
  state.SmallChange = ClampChange(params.SmallChange);
  state.PageSize = params.PageSize;
  state.Position = params.Position;
  // A page above the 16-bit step would wrap into a negative step and turn
  // page-down into page-up.
  state.LargeChange = ClampChange(params.PageSize);
  state.Enabled = true;
  state.Visible = true;
}

bool lxScrollBarFitsWith(const TlxScrollBarState& state, int32_t extra) {
  return static_cast<int64_t>(extra) + state.PageSize >= static_cast<int64_t>(state.Max) - state.Min + 1;
}

void TlxScrollBarsUpdater::SetParams(TlxScrollBarAxis axis, const TlxScrollBarParams& params) {
  lxSetPendingScrollBarState(host_.PendingState(axis), params, host_.ScrollBarAllowed(axis));
}

bool TlxScrollBarsUpdater::IsShown(TlxScrollBarAxis axis) {
  return calculating_ ? host_.PendingState(axis).Visible : host_.ScrollBarVisible(axis);
}

void TlxScrollBarsUpdater::ComputeStates() {
  if (calculating_)
    return;
  TStateScope calculating(calculating_, true);
  for (TlxScrollBarAxis axis : kAxes)
    host_.PendingState(axis).Visible = false;
  for (int32_t pass = 0; pass < kMaxComputePasses; ++pass) {
    const bool horizontal = IsShown(lxsaHorizontal);
    const bool vertical = IsShown(lxsaVertical);
    host_.InitScrollBarsParams();
    if (horizontal == IsShown(lxsaHorizontal) && vertical == IsShown(lxsaVertical))
      break;
  }
  DropMutualScrollBars();
}

void TlxScrollBarsUpdater::DropMutualScrollBars() {
  for (TlxScrollBarAxis axis : kAxes) {
    const TlxScrollBarState& state = host_.PendingState(axis);
    if (!state.Visible || !state.Enabled || !state.CanHide)
      return;
  }
  for (TlxScrollBarAxis axis : kAxes) {
    if (!host_.ChecksScrollBarFit(axis) ||
        !lxScrollBarFitsWith(host_.PendingState(axis), host_.ScrollBarThickness(Other(axis))))
      return;
  }
  // Read both before either changes: the second answer must not see the
  // first bar already gone.
  TlxScrollBarParams params[2];
  for (TlxScrollBarAxis axis : kAxes) {
    const TlxScrollBarState& state = host_.PendingState(axis);
    params[axis] = TlxScrollBarParams{state.Min,      state.Max,     state.SmallChange,
                                      state.PageSize + host_.ScrollBarThickness(Other(axis)),
                                      state.Position, state.CanShow, state.CanHide};
  }
  for (TlxScrollBarAxis axis : kAxes)
    SetParams(axis, params[axis]);
}

void TlxScrollBarsUpdater::Update() {
  if (lock_count_ > 0) {
    update_pending_ = true;
    return;
  }
  const bool outermost = !updating_;
  if (outermost) {
    for (TlxScrollBarAxis axis : kAxes)
      initial_visible_[axis] = host_.ScrollBarVisible(axis);
  }
  TScopeExit finish([this, outermost] {
    if (outermost)
      stable_ = false;
  });
  TStateScope updating(updating_, true);
  bool visible_before[2];
  for (TlxScrollBarAxis axis : kAxes)
    visible_before[axis] = host_.ScrollBarVisible(axis);

  if (!stable_) {
    ComputeStates();
    stable_ = !outermost && host_.PendingState(lxsaHorizontal).Visible == initial_visible_[lxsaHorizontal] &&
              host_.PendingState(lxsaVertical).Visible == initial_visible_[lxsaVertical];
    for (TlxScrollBarAxis axis : kAxes) {
      if (!stable_)
        host_.ApplyPendingState(axis);
      else if (host_.ScrollBarVisible(axis) != initial_visible_[axis])
        host_.ShowScrollBarDisabled(axis);
    }
  }

  bool visibility_changed = false;
  for (TlxScrollBarAxis axis : kAxes)
    visibility_changed = visibility_changed || host_.ScrollBarVisible(axis) != visible_before[axis];
  if (visibility_changed)
    host_.ScrollBarsVisibilityChanged();
  else
    host_.ScrollBarsSettled();
}

void TlxScrollBarsUpdater::Lock() {
  if (lock_count_ == 0)
    update_pending_ = false;
  ++lock_count_;
}

void TlxScrollBarsUpdater::Unlock() {
  if (lock_count_ == 0)
    return;
  --lock_count_;
  if (lock_count_ == 0 && update_pending_)
    Update();
}
