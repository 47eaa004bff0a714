#pragma once
// TBevel: an etched line or box on its parent (no window of its own), used
// to set groups of controls apart on a form.

#include <cstdint>

#include "platform/toolkit/control.h"

enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : uint8_t { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  static constexpr TClass kClass{"TBevel", &TGraphicControl::kClass, &ConstructInstance<TBevel>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBevel(TComponent* owner);

  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape value);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle value);

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;
};
