#pragma once
// The spin edit's picture: the text view with two (or four) arrow buttons
// laid out in one of three positions, drawn by the spin theme class in
// native style, or with frames whose neighbouring sides share one line and
// arrow glyphs otherwise. A key that spins shows its button pressed.

#include <windows.h>

#include <vector>

#include "editors/kinds/spin_edit_layout.h"
#include "editors/kinds/spin_edit_properties.h"
#include "editors/text_view_win.h"

class TlxSpinEditViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxSpinEditViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxSpinEditViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // lxDrawSpinEditViewInfo.
  void RenderFrame(TlxCanvas& canvas) override;
  void DrawButtonFrame(TlxCanvas& canvas, int32_t index, TColor& content_color, TColor& text_color, TRect& content,
                       TRect& bounds) override;
  void DrawButtonFrameHotFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                              TColor& text_color, TRect& content, TRect& bounds) override;
  void DrawButtonFrameUltraFlat(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, TColor& content_color,
                                TColor& text_color, TRect& content, TRect& bounds, bool office11) override;
  void DrawButtonContent(TlxCanvas& canvas, int32_t index, bool pressed, TColor content_color, TColor text_color,
                         const TRect& rect) override;
  // The spin theme's background (with its arrow) for the button's part and state.
  virtual void DrawThemedButtonBackground(TlxCanvas& canvas, const TlxEditButtonViewInfo& button, const TRect& rect);

  // Whether a button-drawing handler takes over the buttons.
  bool HasCustomButtonDrawing() const { return static_cast<bool>(OnDrawButton); }
  // The base view info's painting, without the delimiter line.
  void RenderTextFrame(TlxCanvas& canvas) { TlxCustomTextEditViewInfo::RenderFrame(canvas); }

  int32_t ArrowSize = 0;
  TlxSpinEditButtonsPosition ButtonsPosition = sbpVert;
  TPoint DelimiterFrom;
  TPoint DelimiterTo;
};

class TlxSpinEditViewData : public TlxCustomTextEditViewData {
 public:
  static constexpr TClass kClass{"TlxSpinEditViewData", &TlxCustomTextEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomTextEditViewData::TlxCustomTextEditViewData;

  TlxCustomSpinEditProperties* GetProperties() const;

  bool CanPressButton(const TlxCustomEditViewInfo& view_info, int32_t index) const override;
  bool IsButtonDown(const TlxCustomEditViewInfo& view_info, int32_t index) const override;
  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void CalculateButtonBounds(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info, const TRect& work,
                             const std::vector<TlxButtonLayoutItem>& items) override;
  void InitButtonViewInfo(const TlxCustomEditViewInfo& view_info, int32_t button_index,
                          TlxEditButtonViewInfo& button) override;
  bool IsButtonWidthFixed(int32_t index) const override;

  // The spin theme class is open and the picture is in native style.
  bool IsSpinNative() const;

  // 0, or the index + 1 of the button a key spins (the editor sets it).
  int32_t KeyboardSpinState = 0;

 private:
  void UpdateButtonThemeStates(TlxCustomEditViewInfo& view_info) const;
};

// The text view's painting, then the line between two themed buttons.
void lxDrawSpinEditViewInfo(TlxCanvas& canvas, TlxSpinEditViewInfo& view_info);
