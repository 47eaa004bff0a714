#pragma once
// TlxControlScrollBar: one of a TlxControl's own scroll bars. It carries
// the state the control computes for it and applies that state when told;
// a click on it first focuses the control it belongs to. Included only from
// Windows sources.

#include "ui/foundation/controls/control_scroll_bar_states.h"
#include "ui/foundation/controls/scroll_bar_win.h"

class TlxControlScrollBar : public TlxScrollBar {
 public:
  static constexpr TClass kClass{"TlxControlScrollBar", &TlxScrollBar::kClass,
                                 &ConstructInstance<TlxControlScrollBar>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxControlScrollBar(TComponent* owner);

  TlxScrollBarState& State() { return state_; }
  // Range and steps first (when the bar is to show), then Enabled, then
  // Visible when it changes.
  void ApplyPendingState();
  bool IsShown() const { return Visible(); }

 protected:
  // Focuses the parent before a click is handled.
  virtual void FocusOwner();
  void WndProc(TMessage& message) override;
  void CMDesignHitTest(TMessage& message) override { message.Result = 1; }

 private:
  TlxScrollBarState state_;
};
