#pragma once
// The radio group's view: round glyphs from the look-and-feel painters (or
// the button theme), captions beside them, and the metrics a grid cell or
// a painting copy lays the buttons out with.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/kinds/button_group_win.h"
#include "editors/kinds/radio_group_properties.h"

class TlxRadioGroupButtonViewInfo : public TlxGroupBoxButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxRadioGroupButtonViewInfo", &TlxGroupBoxButtonViewInfo::kClass,
                                 &ConstructInstance<TlxRadioGroupButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // A copy of a classic button's picture sits one pixel further right.
  TRect GetGlyphRect(const TSize& glyph_size, bool glyph_at_left, bool painting_copy) const override;
};

class TlxCustomRadioGroupViewInfo : public TlxButtonGroupViewInfo {
 public:
  static constexpr TClass kClass{"TlxCustomRadioGroupViewInfo", &TlxButtonGroupViewInfo::kClass,
                                 &ConstructInstance<TlxCustomRadioGroupViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomRadioGroupViewInfo();

  void DrawButtonCaption(TlxCanvas& canvas, const TlxGroupBoxButtonViewInfo& button,
                         const TRect& glyph_rect) override;
  void DrawButtonGlyph(TlxCanvas& canvas, const TlxGroupBoxButtonViewInfo& button, const TRect& glyph_rect) override;
  bool IsButtonGlyphTransparent(const TlxGroupBoxButtonViewInfo& button) const override;
  std::unique_ptr<TlxGroupBoxButtonViewInfo> CreateButtonViewInfo() const override {
    return std::make_unique<TlxRadioGroupButtonViewInfo>();
  }

  // The item drawn as selected.
  int32_t ItemIndex = -1;
};

class TlxCustomRadioGroupViewData : public TlxButtonGroupViewData {
 public:
  static constexpr TClass kClass{"TlxCustomRadioGroupViewData", &TlxButtonGroupViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxButtonGroupViewData::TlxButtonGroupViewData;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  // The item of the value is drawn selected; in preview mode the first.
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;
  void GetButtonMetrics(TlxCanvas* canvas, TlxButtonGroupMetrics& metrics) const override;
  void CalculateButtonNativeState(TlxButtonGroupViewInfo& view_info,
                                  TlxGroupBoxButtonViewInfo& button) const override;

  TlxCustomRadioGroupProperties& RadioProperties() const {
    return static_cast<TlxCustomRadioGroupProperties&>(*Properties());
  }
};

// The themed state of a radio glyph: unselected disabled 4, normal 1,
// pressed 3, hot 2; selected 8, 5, 7, 6.
int32_t lxRadioGroupThemeState(uint8_t button_state, bool selected);
