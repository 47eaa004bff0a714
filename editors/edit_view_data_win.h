#pragma once
// TlxCustomEditViewData: the layout calculator of an editor kind. It reads
// the properties and a style and fills a view info for given bounds, mouse
// position and buttons, with or without an editor window; it also measures
// how large an editor must be for a value.

#include <windows.h>

#include <functional>
#include <vector>

#include "editors/edit_button_layout.h"
#include "editors/edit_properties.h"
#include "editors/edit_style_win.h"
#include "editors/edit_view_info_win.h"
#include "platform/rtl/alignment.h"
#include "platform/rtl/variant.h"

class TlxCustomEditProperties;
class TlxCustomEdit;

struct TlxEditTextParams {
  TRect TextRect;
  TRect Margins;
  int32_t HorizontalCorrection = 0;
  int32_t VerticalCorrection = 0;
  uint8_t Flags = 0;
};

// No mouse button in a calculation.
inline constexpr int32_t kLxNoMouseButton = -1;

class TlxCustomEditViewData : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxCustomEditViewData", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using DefaultButtonWidthHandler = std::function<void(TlxCustomEditViewData& sender, int32_t index, int32_t& width)>;
  using DisplayTextHandler =
      std::function<void(TObject* user_data, TlxCustomEditViewData& sender, std::string& text)>;

  TlxCustomEditViewData(TlxCustomEditProperties* properties, TlxCustomEditStyle* style, bool inplace);

  // Themed painting applies: the look-and-feel asks for the native style
  // and the visual style has an edit class.
  static bool IsNativeStyle(const TlxLookAndFeel* look_and_feel);

  // Virtual operations, in the order of their slots.
  // The theme part and state of a button (no part without a theme).
  virtual void ComputeButtonThemeState(TlxEditButtonViewInfo& button) const;
  virtual bool CanPressButton(const TlxCustomEditViewInfo& /*view_info*/, int32_t /*index*/) const { return true; }
  virtual uint8_t ComputeEditState(const TPoint& point, TShiftState shift) const;
  virtual TRect GetTextMargins() const;
  // The edit class's theme state: disabled 4, read-only 6, focused 3 with
  // desktop composition and 5 without, hot 2, normal 1.
  virtual int32_t GetEditThemeState(const TlxCustomEditViewInfo& view_info) const;
  virtual bool HasThickBorder() const;
  virtual void InitFromProperties();
  virtual void PrepareTextParams(TlxEditTextParams& params) const;
  virtual void GetDrawText(const Variant& /*edit_value*/, std::string& /*text*/) const {}
  virtual void MeasureFrameFromViewInfo(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info, TSize& size,
                                        TSize& min_content_size) const;
  // The tallest button content: usable pictures, and in-place the text
  // buttons' captions in the style's font.
  int32_t MeasureButtonContentHeight(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info) const;
  virtual TSize MeasureValueContentSize(TlxCanvas& /*canvas*/, const Variant& /*edit_value*/,
                                        const TlxEditSizeProperties& /*limits*/) const {
    return {};
  }
  virtual bool IsButtonDown(const TlxCustomEditViewInfo& /*view_info*/, int32_t /*index*/) const { return false; }
  // `button` is a TMouseButton or kLxNoMouseButton.
  virtual void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                         TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event);
  virtual void CalculateButtonsViewInfo(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                        int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                                        bool is_mouse_event);
  virtual void InitButtonViewInfo(const TlxCustomEditViewInfo& view_info, int32_t button_index,
                                  TlxEditButtonViewInfo& button);
  virtual void ApplyEditValueToViewInfo(TlxCanvas& /*canvas*/, const Variant& /*edit_value*/,
                                        TlxCustomEditViewInfo& /*view_info*/) {}
  virtual TColor GetBorderColor() const;
  virtual TRect GetBorderExtent() const;
  virtual TlxEditBorderStyle GetEffectiveBorderStyle() const;
  virtual TRect GetClientExtent() const;
  virtual TRect GetContentExtent(const TlxCustomEditViewInfo& view_info) const;
  virtual TSize MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                   const TlxEditSizeProperties& limits) const;
  virtual bool HasShadow() const;
  virtual bool IsButtonWidthFixed(int32_t /*index*/) const { return false; }
  // Places the visible buttons in `work` by the items' widths and sides and
  // records the side groups; a kind with a layout of its own overrides it.
  virtual void CalculateButtonBounds(TlxCanvas& canvas, TlxCustomEditViewInfo& view_info, const TRect& work,
                                     const std::vector<TlxButtonLayoutItem>& items);

  TSize MeasureEditSize(TlxCanvas& canvas, const Variant& edit_value, const TlxEditSizeProperties& limits);
  void PrepareDisplayValue(const Variant& edit_value, std::string& text);
  // The button that holds the mouse capture; only an editor window can
  // hold it, and it says which through CapturedButtonIndex.
  virtual int32_t GetCapturedButtonIndex() const { return CapturedButtonIndex; }
  uint32_t ComputePaintFlags() const;
  TlxEditButtonStyle GetDefaultButtonStyle() const;
  TlxEditButtonStyle GetEffectiveButtonStyle() const;
  TlxCustomEditStyle* GetEditStyle() const { return style_; }
  void SetEditStyle(TlxCustomEditStyle* style) { style_ = style; }
  TlxCustomEditProperties* Properties() const { return properties_; }
  bool IsInplace() const { return inplace_; }

  TObject* Data = nullptr;
  // The editor the picture is for and its window; null for a window-less cell.
  TlxCustomEdit* Edit = nullptr;
  HWND WindowHandle = nullptr;
  int32_t CapturedButtonIndex = -1;
  int32_t LeftSideLeftmostButton = -1;
  int32_t LeftSideRightmostButton = -1;
  int32_t RightSideLeftmostButton = -1;
  int32_t RightSideRightmostButton = -1;
  DefaultButtonWidthHandler OnGetDefaultButtonWidth;
  DisplayTextHandler OnGetDisplayText;
  TRect LastBounds;
  bool StretchButtons = false;
  int32_t VisibleButtonCount = 0;
  uint8_t EditState = kLxContainerStateNormal;
  // Widths that the host keeps around the content (a grid cell's margins).
  TRect InplaceFrameExtent;
  TlxEditTextParams TextParams;
  bool Enabled = true;
  bool Focused = false;
  TAlignment HorzAlignment = taLeftJustify;
  TlxEditVertAlignment VertAlignment = taTopJustify;
  bool Designing = false;
  bool Selected = false;
  bool SelectedForDisplay = false;
  int32_t MaxLineCount = 0;
  bool NativeStyle = false;
  uint8_t PaintFlags = 0;
  bool PreviewMode = false;
  TColor BorderColor = clDefault;
  TColor TextColor = clDefault;

 private:
  void ComputeButtonStates(const TPoint& point, int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                           int32_t previously_pressed, const std::vector<uint8_t>& old_states);

  TlxCustomEditProperties* properties_;
  TlxCustomEditStyle* style_;
  bool inplace_;
};
