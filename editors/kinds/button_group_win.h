#pragma once
// The button group's two faces. As a view (a grid cell, a painting copy)
// its view data computes one button rectangle per item and its view info
// paints the buttons itself. As a stand-alone control it makes one child
// button control per item and lays the children on those rectangles. The
// kind of button (glyph, caption, metrics, child class) belongs to a
// derived kind.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "editors/kinds/button_group_properties.h"
#include "editors/kinds/group_box_win.h"
#include "ui/foundation/canvas/canvas_text_flags.h"

// One button of the group as drawn: the inherited button fields, its
// caption (Caption), its column and its row.
class TlxGroupBoxButtonViewInfo : public TlxEditButtonViewInfo {
 public:
  static constexpr TClass kClass{"TlxGroupBoxButtonViewInfo", &TlxEditButtonViewInfo::kClass,
                                 &ConstructInstance<TlxGroupBoxButtonViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Virtual operations, in the order of their slots.
  // The glyph vertically centred in the bounds, at their left or right end.
  virtual TRect GetGlyphRect(const TSize& glyph_size, bool glyph_at_left, bool painting_copy) const;

  int32_t Column = 0;
  int32_t Row = 0;
};

class TlxButtonGroupViewInfo : public TlxGroupBoxViewInfo {
 public:
  static constexpr TClass kClass{"TlxButtonGroupViewInfo", &TlxGroupBoxViewInfo::kClass,
                                 &ConstructInstance<TlxButtonGroupViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Virtual operations, in the order of their slots. The base kind draws
  // neither glyphs nor captions: a kind of button does.
  virtual void DrawButtonCaption(TlxCanvas& /*canvas*/, const TlxGroupBoxButtonViewInfo& /*button*/,
                                 const TRect& /*glyph_rect*/) {}
  virtual void DrawButtonGlyph(TlxCanvas& /*canvas*/, const TlxGroupBoxButtonViewInfo& /*button*/,
                               const TRect& /*glyph_rect*/) {}
  virtual TSize GetButtonGlyphSize() const { return GlyphSize; }
  virtual bool IsButtonGlyphTransparent(const TlxGroupBoxButtonViewInfo& /*button*/) const { return false; }
  virtual std::unique_ptr<TlxGroupBoxButtonViewInfo> CreateButtonViewInfo() const {
    return std::make_unique<TlxGroupBoxButtonViewInfo>();
  }

  void PaintButton(TlxCanvas& canvas, int32_t index) override;
  // The group box, then (in a view) the buttons.
  void RenderFrame(TlxCanvas& canvas) override;

  TlxGroupBoxButtonViewInfo& GroupButton(int32_t index) const {
    return static_cast<TlxGroupBoxButtonViewInfo&>(Button(index));
  }
  // One button view info of this kind per item.
  void SetGroupButtonCount(int32_t count);

  TSize GlyphSize;
  // True: glyphs at the left end of each button.
  bool GlyphAtLeft = false;
  TRect ButtonMargins;
  TlxCanvasTextFlags ButtonTextFlags = 0;
  // A stand-alone control's children are the buttons: the view paints
  // none under them.
  bool PaintsButtons = true;
  bool PaintingCopy = false;
};

// How a kind of button measures: see TlxButtonGroupViewData. The fields
// marked "canvas" are filled only when a canvas is given.
struct TlxButtonGroupMetrics {
  int32_t GlyphLeftOffset = 0;   // canvas
  int32_t WidthCorrection = 0;   // canvas
  int32_t GlyphTextGap = 0;      // canvas
  int32_t FrameWidth = 0;        // canvas
  int32_t ColumnOffset = 0;
  int32_t ColumnCorrection = 0;
  int32_t ColumnSpacing = 0;
  int32_t GlyphWidth = 0;   // canvas
  int32_t GlyphHeight = 0;  // canvas
};

class TlxButtonGroupViewData : public TlxGroupBoxViewData {
 public:
  static constexpr TClass kClass{"TlxButtonGroupViewData", &TlxGroupBoxViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxGroupBoxViewData::TlxGroupBoxViewData;

  // Virtual operations, in the order of their slots.
  virtual void CalculateButtonPositions(TlxCanvas& canvas, TlxButtonGroupViewInfo& view_info);
  virtual void PrepareButtonViewInfos(TlxButtonGroupViewInfo& view_info);
  // Single line, or word break when multi-line painting meets WordWrap.
  virtual TlxCanvasTextFlags GetDrawTextFlags() const;
  virtual void GetButtonMetrics(TlxCanvas* /*canvas*/, TlxButtonGroupMetrics& /*metrics*/) const {}
  virtual TRect GetButtonMargins() const { return TRect(); }
  virtual void CalculateButtonNativeState(TlxButtonGroupViewInfo& /*view_info*/,
                                          TlxGroupBoxButtonViewInfo& /*button*/) const {}
  // The look-and-feel asks for the native style and the button theme is
  // there.
  static bool IsButtonNativeStyle(const TlxLookAndFeel* look_and_feel);

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void CalculateButtonsViewInfo(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  // The frame is measured with the content.
  void MeasureFrameFromViewInfo(TlxCanvas& canvas, const TlxCustomEditViewInfo& view_info, TSize& size,
                                TSize& min_content_size) const override;
  // Free width (negative): the widest caption in every column; a fixed
  // width: the rows, wrapped with WordWrap.
  TSize MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                           const TlxEditSizeProperties& limits) const override;

  TlxCustomButtonGroupProperties& GroupProperties() const {
    return static_cast<TlxCustomButtonGroupProperties&>(*Properties());
  }

 private:
  void CalculateButtonStates(const TPoint& point, int32_t button, TShiftState shift,
                             TlxButtonGroupViewInfo& view_info, bool is_mouse_event) const;
  TlxEditButtonStyle ButtonStyle(const TlxButtonGroupViewInfo& view_info) const;
};

class TlxCustomButtonGroup : public TlxCustomGroupBox {
 public:
  static constexpr TClass kClass{"TlxCustomButtonGroup", &TlxCustomGroupBox::kClass};
  const TClass* ClassType() const override { return &kClass; }

  ~TlxCustomButtonGroup() override;

  // Virtual operations, in the order of their slots.
  // Every child on the bounds of its button view info.
  virtual void ArrangeButtons();
  virtual HDC GetButtonDC(int32_t /*index*/) { return nullptr; }
  // A new child of the kind; it adds itself to the children.
  virtual TWinControl* CreateButton() { return nullptr; }
  virtual void InitButton(TWinControl* button);
  virtual void SynchronizeButtonCount(int32_t count);
  virtual void UpdateButtonStyles();
  virtual void UpdateButtons();

  int32_t GetButtonIndexAt(const TPoint& point) const;
  int32_t GetFocusedButtonIndex() const;
  int32_t ButtonCount() const { return static_cast<int32_t>(buttons_.size()); }
  TWinControl* Button(int32_t index) const { return buttons_[static_cast<size_t>(index)]; }
  int32_t IndexOfButton(const TWinControl* button) const;
  // Children register and unregister themselves.
  void AddButton(TWinControl* button) { buttons_.push_back(button); }
  void RemoveButton(TWinControl* button);

  TlxCustomButtonGroupProperties& GroupProperties() const {
    return static_cast<TlxCustomButtonGroupProperties&>(*GetActiveProperties());
  }
  TlxButtonGroupViewInfo& ButtonGroupViewInfo() const {
    return static_cast<TlxButtonGroupViewInfo&>(GetViewInfo());
  }

  bool IsAutoSizeActive() const override { return !IsInplace() && AutoSize(); }
  bool AllowsNonClientCaption() const override { return false; }
  bool IsChildControlDC(HDC dc) override;
  bool RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                TShiftState shift) override;
  void ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                       std::unique_ptr<TlxCustomEditData>& edit_data) override;
  bool Focused() const;

 protected:
  TlxCustomButtonGroup(TComponent* owner, const TClass& properties_class);

  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void HandleStyleChange(TObject* style) override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void CreateWnd() override;
  void Loaded() override;
  void WndProc(TMessage& message) override;

  bool Creating() const { return creating_; }

 private:
  void RouteChildEvents(TWinControl* button);

  std::vector<TWinControl*> buttons_;
  bool creating_ = true;
};
