#include "platform/toolkit/progress_bar.h"

#include <commctrl.h>

#include <algorithm>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::CreateParams(TCreateParams& params) {
  // The class exists once the common controls are initialised.
  INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&init);
  TWinControl::CreateParams(params);
  CreateSubClass(params, "msctls_progress32");
  if (orientation_ == pbVertical)
    params.Style |= PBS_VERTICAL;
  if (smooth_)
    params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SendMessageW(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SendMessageW(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
}

void TProgressBar::ShowPosition() {
  if (!HandleAllocated())
    return;
  SendMessageW(WindowHandle(), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
  // Painted now: the loop that moves the bar may not return to the
  // message loop for a while.
  UpdateWindow(WindowHandle());
}

void TProgressBar::SetRange(int32_t min, int32_t max) {
  if (max < min)
    throw EInvalidOperation("Property value out of range");
  min_ = min;
  max_ = max;
  position_ = std::clamp(position_, min_, max_);
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  ShowPosition();
}

void TProgressBar::SetPosition(int32_t position) {
  position_ = std::clamp(position, min_, max_);
  ShowPosition();
}

void TProgressBar::SetStep(int32_t step) {
  step_ = step;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::StepIt() {
  if (HandleAllocated()) {
    SendMessageW(WindowHandle(), PBM_STEPIT, 0, 0);
    position_ = static_cast<int32_t>(SendMessageW(WindowHandle(), PBM_GETPOS, 0, 0));
    UpdateWindow(WindowHandle());
    return;
  }
  const int64_t next = int64_t{position_} + step_;
  position_ = next > max_ ? min_ : static_cast<int32_t>(std::max<int64_t>(next, min_));
}

void TProgressBar::StepBy(int32_t delta) {
  SetPosition(static_cast<int32_t>(std::clamp<int64_t>(int64_t{position_} + delta, min_, max_)));
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (value == orientation_)
    return;
  orientation_ = value;
  RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
  if (value == smooth_)
    return;
  smooth_ = value;
  RecreateWnd();
}
