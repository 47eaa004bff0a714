#pragma once
// TlxCustomGroupBox: a framed container with a caption at one of thirteen
// places, side captions turned by a quarter, built on the editor control
// so that it shares the editors' styles and painting. A panel mode turns
// it into a panel that carries its caption inside the frame.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editors/edit_control_win.h"
#include "editors/edit_properties.h"
#include "editors/edit_view_data_win.h"
#include "editors/kinds/group_box_layout.h"
#include "editors/kinds/group_box_properties.h"
#include "editors/text_view_win.h"
#include "platform/toolkit/font.h"

class TlxCustomGroupBox;

enum TlxPanelOffice11BackgroundKind : uint8_t { pobkGradient, pobkOffice11Color, pobkStyleColor };

// The panel mode's settings; every change rebuilds the group box.
class TlxPanelStyle : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxPanelStyle", &TPersistent::kClass, nullptr, &TlxPanelStyle::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPanelStyle(TlxCustomGroupBox* owner) : owner_(owner) {}

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  int32_t CaptionIndent() const { return caption_indent_; }
  // Below the least indent the least indent.
  void SetCaptionIndent(int32_t value);
  TlxPanelOffice11BackgroundKind OfficeBackgroundKind() const { return office_background_kind_; }
  void SetOfficeBackgroundKind(TlxPanelOffice11BackgroundKind value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);

 private:
  TlxCustomGroupBox* owner_;
  bool active_ = false;
  int32_t caption_indent_ = kLxMinPanelCaptionIndent;
  TlxPanelOffice11BackgroundKind office_background_kind_ = pobkOffice11Color;
  bool word_wrap_ = false;
};

// The geometry and colours of one group box: the caption's band and its
// text, the frame, the background.
class TlxGroupBoxViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxGroupBoxViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxGroupBoxViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  // Virtual operations, in the order of their slots.
  virtual void AdjustCaptionThickness() {}
  virtual void DrawCaption(TlxCanvas& canvas);

  void RenderFrame(TlxCanvas& canvas) override;
  void MoveBy(int32_t dx, int32_t dy) override;

  TlxCaptionAlignment Alignment = alTopLeft;
  TRect CaptionRect;
  // The frame: the control less the caption's half on its side.
  TRect FrameRect;
  TlxEditBorderStyle FrameStyle = ebsNone;
  TColor FrameColor = clBtnShadow;
  TFont* CaptionFont = nullptr;
  TColor CaptionColor = clBtnText;
  bool PanelMode = false;
  bool PanelWordWrap = false;
  bool Ctl3D = true;
  bool Transparent = false;
  bool Inplace = false;
  bool ThemedFrame = false;
  // Half the height of "Qq" in the caption font.
  int32_t CaptionHalfHeight = 0;

 private:
  void DrawFrame(TlxCanvas& canvas);
  void DrawSideCaption(TlxCanvas& canvas);
};

class TlxGroupBoxViewData : public TlxCustomEditViewData {
 public:
  static constexpr TClass kClass{"TlxGroupBoxViewData", &TlxCustomEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomEditViewData::TlxCustomEditViewData;

  // 1 on each side present in the style's Edges.
  virtual void GetSkinEdgesExtent(TRect& extent) const;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  TRect GetBorderExtent() const override;
  TRect GetContentExtent(const TlxCustomEditViewInfo& view_info) const override;
  TColor GetBorderColor() const override;
  TlxEditBorderStyle GetEffectiveBorderStyle() const override;

  // Given by the control before each calculation.
  TlxCaptionAlignment Alignment = alTopLeft;
  std::string CaptionText;
  TFont* CaptionFont = nullptr;
  // The height of "Qq" in the caption font.
  int32_t CaptionTextHeight = 0;
  bool PanelActive = false;
  int32_t PanelCaptionIndent = kLxMinPanelCaptionIndent;
  bool PanelWordWrap = false;
  bool Ctl3D = true;
  bool Transparent = false;
  bool ThemedFrame = false;

 private:
  bool CaptionMovesFrame() const;
  void PlaceCaption(TlxCanvas& canvas, TlxGroupBoxViewInfo& info) const;
};

using TlxGroupBoxHookEvent = std::function<void(TObject* sender, bool& done)>;
using TlxGroupBoxPartPaintEvent =
    std::function<void(TObject* sender, TlxCanvas& canvas, bool& done, const TRect& bounds)>;
using TlxGroupBoxCaptionThicknessEvent = std::function<void(TObject* sender, int32_t& thickness)>;

class TlxCustomGroupBox : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TlxCustomGroupBox", &TlxCustomEdit::kClass, &ConstructInstance<TlxCustomGroupBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGroupBox(TComponent* owner) : TlxCustomGroupBox(owner, TlxCustomGroupBoxProperties::kClass) {}
  ~TlxCustomGroupBox() override;

  // Virtual operations, in the order of their slots.
  virtual std::unique_ptr<TlxPanelStyle> CreatePanelStyle() { return std::make_unique<TlxPanelStyle>(this); }
  virtual bool RunCaptionPaintHook(TlxCanvas& canvas, const TRect& bounds);
  virtual bool RunBackgroundPaintHook(TlxCanvas& canvas, const TRect& bounds);
  // A caption in the window frame: only under a skin painter.
  virtual bool HasNonClientCaption();
  virtual bool AllowsNonClientCaption() const { return true; }

  TlxCaptionAlignment Alignment() const { return alignment_; }
  void SetAlignment(TlxCaptionAlignment value);
  TlxPanelStyle& PanelStyle() const { return *panel_style_; }
  void SetPanelStyle(const TlxPanelStyle& value) { panel_style_->Assign(&value); }
  // The caption as drawn: without accelerator marks for side captions.
  const std::string& CaptionText() const { return caption_text_; }
  TFont& CaptionFont() const { return *caption_font_; }
  TlxGroupBoxViewInfo& GroupViewInfo() const { return static_cast<TlxGroupBoxViewInfo&>(GetViewInfo()); }
  // The caption font, caption text, view, frame and children anew.
  void Rebuild();

  TlxGroupBoxHookEvent OnCustomDraw;
  TlxGroupBoxPartPaintEvent OnCustomDrawCaption;
  TlxGroupBoxPartPaintEvent OnCustomDrawContentBackground;
  TlxGroupBoxCaptionThicknessEvent OnMeasureCaptionHeight;

  bool MayFocusOnClick() override { return false; }
  bool UsesParentColorByDefault() const override { return true; }
  bool IsBorderSelfDrawn() override;
  bool IsAutoSizeActive() const override { return false; }
  void AdjustClientRect(TRect& rect) override;
  // Also the caption's band on its side.
  TRect GetFrameRegionBounds() override;

 protected:
  TlxCustomGroupBox(TComponent* owner, const TClass& properties_class);

  bool UsesParentBackground() const override;
  TlxContainerStyleValues GetIgnoredStyleValues() const override;
  TlxContainerStyle* SelectStyleForState(uint8_t state) override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  void HandleStyleChange(TObject* style) override;
  void Paint() override;
  void WndProc(TMessage& message) override;

 private:
  void RefreshCaptionFont();
  void RefreshCaptionText();
  int32_t CaptionTextHeight() const;
  bool FocusFirstChild();

  TlxCaptionAlignment alignment_ = alTopLeft;
  std::unique_ptr<TFont> caption_font_;
  std::unique_ptr<TlxPanelStyle> panel_style_;
  std::string caption_text_;
  bool dialog_char_focus_ = false;
};
