#pragma once
// The check box's view data and view info: the layout of check glyph and
// caption, and their painting from a user glyph, the visual style or the
// classic drawing, for the stand-alone editor and for window-less grid
// cells alike.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"
#include "editors/kinds/check_box_layout.h"
#include "editors/kinds/check_box_properties.h"
#include "ui/foundation/canvas/canvas_text_flags.h"

class TlxCustomCheckBoxViewInfo : public TlxCustomEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomCheckBoxViewInfo", &TlxCustomEditViewInfo::kClass,
                                 &ConstructInstance<TlxCustomCheckBoxViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  void RenderFrame(TlxCanvas& canvas) override;
  void TakeStateFrom(const TlxContainerViewInfo* other) override;
  void MoveBy(int32_t dx, int32_t dy) override;
  bool HasHotButton() const override { return true; }
  bool IsPointOnButton(const TPoint& /*point*/) const override { return true; }
  // Also the check rectangle when the check's state or look changed.
  bool RepaintChangedInRect(HWND window, const TRect& rect, const TlxCustomEditViewInfo* old) const override;

  // Draws the glyph of the current states into the check rectangle.
  void DrawCheck(TlxCanvas& canvas, bool draw_background);

  TAlignment Alignment = taLeftJustify;
  int32_t CheckBorderOffset = 0;
  TlxEditBorderStyle CheckBorderStyle = ebsNone;
  TBitmap* Glyph = nullptr;
  int32_t GlyphCount = 0;
  TRect CheckRect;
  TlxCheckButtonState CheckButtonState = cbnNormal;
  TRect FocusRect;
  bool HasUserGlyph = false;
  bool TextColorAssigned = false;
  TlxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TlxCheckBoxState CheckState = cbsUnchecked;
  // The caption.
  std::string Text;
  TRect TextRect;
  TlxCanvasTextFlags DrawTextFlags = 0;

 private:
  void DrawUserGlyph(TlxCanvas& canvas);
  void DrawThemedCheck(TlxCanvas& canvas);
  void DrawClassicCheck(TlxCanvas& canvas, bool draw_background);
  TlxCheckBoxState ShownCheckState() const;
};

class TlxCustomCheckBoxViewData : public TlxCustomEditViewData {
 public:
  static constexpr TClass kClass{"TlxCustomCheckBoxViewData", &TlxCustomEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomEditViewData::TlxCustomEditViewData;

  // The caption's text flags.
  virtual TlxCanvasTextFlags GetDrawTextFlags() const;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;
  TlxEditBorderStyle GetEffectiveBorderStyle() const override { return ebsNone; }
  // The check with its ring and, stand-alone, the caption beside it.
  TSize MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                const TlxEditSizeProperties& limits) const override;

  // Set by the control while Space holds the check down.
  bool KeyboardPressed = false;
  // The stand-alone control's caption (a grid cell has none).
  std::string ControlCaption;

 private:
  TlxCustomCheckBoxProperties& CheckProperties() const;
  void CalculateFocusRect(TlxCanvas& canvas, TlxCustomCheckBoxViewInfo& info) const;
};

// The check-mark mask made from the system's check-box bitmap: black where
// the checked cell differs from the unchecked one. Made at the check box
// module's start (and on first use), freed at its end.
HBITMAP lxCheckMarkMask();
void lxFreeCheckMarkMask();
