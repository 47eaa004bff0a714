#pragma once
// TProgressBar: the system's progress bar (comctl32). A new position is
// painted at once, so the bar moves on while the program's thread is busy
// in a loop and handles no messages.

#include <cstdint>

#include "platform/toolkit/win_control.h"

enum TProgressBarOrientation : uint8_t { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
 public:
  static constexpr TClass kClass{"TProgressBar", &TWinControl::kClass, &ConstructInstance<TProgressBar>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TProgressBar(TComponent* owner);

  int32_t Min() const { return min_; }
  int32_t Max() const { return max_; }
  // Raises EInvalidOperation when Max would lie below Min.
  void SetMin(int32_t value) { SetRange(value, max_); }
  void SetMax(int32_t value) { SetRange(min_, value); }
  void SetRange(int32_t min, int32_t max);
  // Kept between Min and Max.
  int32_t Position() const { return position_; }
  void SetPosition(int32_t position);
  int32_t Step() const { return step_; }
  void SetStep(int32_t step);
  // Moves by Step; past Max the bar starts again at Min, as the system's
  // bar does.
  void StepIt();
  void StepBy(int32_t delta);
  TProgressBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TProgressBarOrientation value);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

 private:
  void ShowPosition();

  int32_t min_ = 0;
  int32_t max_ = 100;
  int32_t position_ = 0;
  int32_t step_ = 10;
  TProgressBarOrientation orientation_ = pbHorizontal;
  bool smooth_ = false;
};
