#include "ui/foundation/controls/control_scroll_bar_win.h"

#include "ui/foundation/controls/control_win.h"

TlxControlScrollBar::TlxControlScrollBar(TComponent* owner) : TlxScrollBar(owner) {
  SetColor(clBtnFace);
  ControlStyle().Exclude(csFramed);
  ControlStyle().Include(csNoDesignVisible);
  SetTabStop(false);
  SetVisible(false);
}

void TlxControlScrollBar::ApplyPendingState() {
  if (state_.Visible) {
    ApplyScrollParams(state_.Min, state_.Max, state_.Position, state_.PageSize, true);
    SetSmallChange(state_.SmallChange);
    SetLargeChange(state_.LargeChange);
  }
  SetEnabled(state_.Enabled);
  if (Visible() != state_.Visible)
    SetVisible(state_.Visible);
}

void TlxControlScrollBar::FocusOwner() {
  TWinControl* parent = Parent();
  if (parent == nullptr)
    return;
  if (auto* control = dynamic_cast<TlxControl*>(parent)) {
    if (control->FocusesOnScrollBarClick())
      control->SetFocus();
    return;
  }
  if (parent->CanFocus())
    parent->SetFocus();
}

void TlxControlScrollBar::WndProc(TMessage& message) {
  if (message.Msg == WM_LBUTTONDOWN) {
    TAliveToken alive = AliveToken();
    FocusOwner();
    if (!alive.Alive())
      return;
  }
  TlxScrollBar::WndProc(message);
}
