#pragma once
// TSpeedButton: a button without a window of its own (tool bars, small
// dialog buttons), drawn by the toolkit: flat or raised, with a glyph of up
// to four images (up, disabled, pressed, down) and a caption, and with
// groups in which one button stays down.

#include <cstdint>
#include <memory>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/control.h"

enum TButtonLayout : uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

class TSpeedButton : public TGraphicControl {
 public:
  static constexpr TClass kClass{"TSpeedButton", &TGraphicControl::kClass, &ConstructInstance<TSpeedButton>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TSpeedButton(TComponent* owner);
  ~TSpeedButton() override;

  // The images side by side: NumGlyphs parts of equal width. The colour
  // of the bottom-left pixel is see-through.
  TBitmap& Glyph() { return *glyph_; }
  void SetGlyph(const TBitmap& glyph) { glyph_->Assign(&glyph); }
  int32_t NumGlyphs() const { return num_glyphs_; }
  void SetNumGlyphs(int32_t count);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout layout);
  // Space between the glyph and the caption.
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t spacing);
  // A frame only while the mouse is over the button or it is down.
  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  // Buttons of the same parent with the same GroupIndex (above 0) stay
  // down one at a time.
  int32_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(int32_t index);
  bool Down() const { return down_; }
  void SetDown(bool value);
  // Whether the down button of a group comes up when clicked again.
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool value) { allow_all_up_ = value; }

  void Click() override;
  // The part of the glyph shown now: 0 up, 1 disabled, 2 pressed, 3 down.
  int32_t GlyphIndex() const;
  bool MouseInControl() const { return mouse_in_control_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  enum class State : uint8_t { kUp, kDisabled, kPressed, kExclusive };
  State CurrentState() const;
  void ReleaseGroupSiblings();
  void DrawFrame(TCanvas& canvas, const TRect& rect);

  std::unique_ptr<TBitmap> glyph_;
  int32_t num_glyphs_ = 1;
  TButtonLayout layout_ = blGlyphLeft;
  int32_t spacing_ = 4;
  bool flat_ = false;
  int32_t group_index_ = 0;
  bool down_ = false;
  bool allow_all_up_ = false;
  bool pressed_ = false;
  bool dragging_ = false;
  bool mouse_in_control_ = false;
};
