#pragma once
// TPanel: a container that draws its own frame (outer and inner bevels, a
// border between them) and a caption. Children are laid out inside the
// frame.

#include <cstdint>

#include "platform/toolkit/edit.h"
#include "platform/toolkit/win_control.h"

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

// Draws `width` rings of a 3D frame (top-left in `top_left`, bottom-right
// in `bottom_right`) and moves `rect` inside them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor top_left, TColor bottom_right, int32_t width);

class TCustomPanel : public TCustomControl {
 public:
  static constexpr TClass kClass{"TCustomPanel", &TCustomControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return bevel_inner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevel_outer_; }
  void SetBevelOuter(TBevelCut value);
  int32_t BevelWidth() const { return bevel_width_; }
  void SetBevelWidth(int32_t value);
  // Space between the outer and the inner bevel.
  int32_t PanelBorderWidth() const { return border_width_; }
  void SetPanelBorderWidth(int32_t value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);

  // The part of the client area inside the frame.
  TRect InnerRect();

 protected:
  void Paint() override;
  void AdjustClientRect(TRect& rect) override;
  void CMTextChanged(TMessage& message) override;

 private:
  void FrameChanged();

  TBevelCut bevel_inner_ = bvNone;
  TBevelCut bevel_outer_ = bvRaised;
  int32_t bevel_width_ = 1;
  int32_t border_width_ = 0;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
 public:
  static constexpr TClass kClass{"TPanel", &TCustomPanel::kClass, &ConstructInstance<TPanel>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomPanel::TCustomPanel;
};
