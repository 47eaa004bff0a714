#pragma once
// Which of a control's own scroll bars show, and with what range: the
// descendant reports range, page and position of each bar; these rules
// settle visibility, including the layouts in which one bar's appearance
// decides whether the other is needed. Portable: the control reaches its
// bars through IlxScrollBarsHost, and tests hand in their own host.

#include <cstdint>

#include "platform/rtl/object.h"

// Numbered like the toolkit's TScrollBarKind.
enum TlxScrollBarAxis : uint8_t { lxsaHorizontal, lxsaVertical };

// The state a bar is to take, written while the control computes and
// applied to the bar afterwards.
struct TlxScrollBarState {
  int32_t Min = 0;
  int32_t Max = 100;
  int32_t Position = 0;
  int32_t PageSize = 0;
  int16_t SmallChange = 1;
  int16_t LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool CanShow = true;
  bool CanHide = true;
};

// What a descendant reports for one bar.
struct TlxScrollBarParams {
  int32_t Min = 0;
  int32_t Max = 0;
  int32_t SmallChange = 1;
  int32_t PageSize = 0;
  int32_t Position = 0;
  bool CanShow = true;
  bool CanHide = true;
};

// The largest line or page step a bar keeps (its steps are 16-bit).
constexpr int32_t lxMaxScrollBarChange = 32767;

// Writes the pending state of one bar. `allowed` says whether the
// control's AllowedScrollBars includes the bar's direction. A range that
// needs no bar hides it (CanHide) or leaves it shown but disabled, keeping
// the previous range.
void lxSetPendingScrollBarState(TlxScrollBarState& state, const TlxScrollBarParams& params, bool allowed);

// Whether the range of `state` fits its page once the page grows by
// `extra` pixels (the other bar's thickness).
bool lxScrollBarFitsWith(const TlxScrollBarState& state, int32_t extra);

class IlxScrollBarsHost : public virtual IInterface {
 public:
  // Reports both bars through TlxScrollBarsUpdater::SetParams; may run
  // several times per update and must read the client bounds afresh.
  virtual void InitScrollBarsParams() = 0;
  virtual bool ChecksScrollBarFit(TlxScrollBarAxis axis) = 0;
  // The horizontal bar's height or the vertical bar's width.
  virtual int32_t ScrollBarThickness(TlxScrollBarAxis axis) = 0;
  virtual bool ScrollBarAllowed(TlxScrollBarAxis axis) = 0;
  // The bar's current Visible.
  virtual bool ScrollBarVisible(TlxScrollBarAxis axis) = 0;
  virtual TlxScrollBarState& PendingState(TlxScrollBarAxis axis) = 0;
  virtual void ApplyPendingState(TlxScrollBarAxis axis) = 0;
  // Shows the bar as it is, disabled.
  virtual void ShowScrollBarDisabled(TlxScrollBarAxis axis) = 0;
  // A bar appeared or went: the client bounds changed, and the control
  // re-enters the update with them.
  virtual void ScrollBarsVisibilityChanged() = 0;
  // Nothing changed visibility: size grip, placement, z-order.
  virtual void ScrollBarsSettled() = 0;
};

class TlxScrollBarsUpdater {
 public:
  explicit TlxScrollBarsUpdater(IlxScrollBarsHost& host) : host_(host) {}

  void SetParams(TlxScrollBarAxis axis, const TlxScrollBarParams& params);
  // While computing: the pending visibility; otherwise the bar's own.
  bool IsShown(TlxScrollBarAxis axis);
  // Fills both pending states until the descendant's answers stop
  // changing the visibility it depends on, then drops bars needed only
  // because of each other.
  void ComputeStates();
  void Update();
  void Lock();
  void Unlock();

  bool Calculating() const { return calculating_; }
  bool Updating() const { return updating_; }
  int32_t LockCount() const { return lock_count_; }
  bool UpdatePending() const { return update_pending_; }

  // The most passes ComputeStates makes: four visibility pairs exist, so a
  // descendant whose answers cycle is cut off after it met all of them.
  static constexpr int32_t kMaxComputePasses = 5;

 private:
  void DropMutualScrollBars();

  IlxScrollBarsHost& host_;
  bool calculating_ = false;
  bool updating_ = false;
  bool stable_ = false;
  bool initial_visible_[2] = {false, false};
  int32_t lock_count_ = 0;
  bool update_pending_ = false;
};
