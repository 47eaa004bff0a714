#pragma once
// Tabs lying on coloured row bands: the extra flat look, its ultra flat
// variant with dark edges, and the Office 2003 variant with gradients from
// the foundation's palette. The chosen tab is a raised box joined to the
// page by a strip; the other tabs blend with the band between thin
// separators. Included only from Windows sources.

#include "tabs/pc_painters_win.h"

// The button face with each channel raised by 20, fixed at start.
TColor lxPCLightBtnFace();

class TlxPCExtraFlatPainter : public TlxPCStandardPainter {
 public:
  using TlxPCStandardPainter::TlxPCStandardPainter;

  int32_t GetFrameWidth() const override { return 1; }
  TRect GetTabRectCorrection(int32_t visible_index) override;
  int32_t CalculateTabNormalWidth(TlxTab& tab) override;
  int32_t CalculateTabNormalHeight() override;
  int32_t GetMinTabWidth(int32_t visible_index) override;
  int32_t GetMinTabHeight() const override { return 17; }
  int32_t GetTabContentHeight() override;
  void GetTabSpacing(int32_t& along, int32_t& across) override;
  void CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) override;
  TRect GetPageFrameRectOffset() const override;
  TRect GetPageClientRectOffset() const override;
  TColor GetTabColor(int32_t visible_index) const override;
  void RepaintTab(int32_t visible_index, TlxPCTabChangeKind kind) override;
  void Paint(TlxCanvas& canvas) override;
  TlxPCNavigatorMetrics NavigatorMetrics() const override;

  // Room for the tab's image beside the caption.
  int32_t GetTabWidthAddition(int32_t visible_index) const;
  virtual int32_t GetBandPageExtension() const { return 3; }
  virtual TRect GetMainTabBoxRect(int32_t visible_index);
  // Insets of a separator from the tab's two edges across the row.
  virtual TPoint GetSeparatorInsets() const { return {2, 2}; }
  // `visible_index` -1 fills a band.
  virtual void FillTabArea(TlxCanvas& canvas, const TRect& rect, int32_t visible_index);
  virtual TRect AdjustClientRectOffset(const TRect& offset) const;
  virtual TColor GetPageStripColor();
  virtual TRect GetPageStripRect();
  TRect GetTabBandRect(int32_t visible_index);
  virtual int32_t GetSeparatorWidth() const { return 1; }
  TColor GetBandColor() const;
  virtual bool IsBandInsideFrame() const { return false; }
  virtual bool IsTabTransparent(int32_t /*visible_index*/) const { return false; }

 protected:
  void PaintTabs(TlxCanvas& canvas) override;
  void PaintFrame(TlxCanvas& canvas) override;
  void PaintTab(TlxCanvas& canvas, int32_t visible_index) override;
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
  void FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const override;

  virtual void PaintPageStripAndArea(TlxCanvas& canvas);
  virtual void PaintMainTabBorder(TlxCanvas& canvas, TRect& rect, TlxTabPosition side);
  virtual void PaintSeparator(TlxCanvas& canvas, const TRect& rect);
  virtual void PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t row);
  // The lit and the shaded edge colours of the main tab box.
  virtual TColor MainTabLightColor() const { return clBtnHighlight; }
  virtual TColor MainTabShadowColor() const { return TColorOf(0); }
  virtual TColor FrameLightColor() const { return clBtnHighlight; }
  virtual TColor FrameShadowColor() const { return clBtnShadow; }
  // One band line on the page side of `band`, which shrinks by it.
  void PaintBandLine(TlxCanvas& canvas, TRect& band, TColor color);

  // Small flat navigator buttons on the band.
  void PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) override;
  TColor GetButtonColor(TlxPCNavigatorButtonState state) const override;
  TColor GetButtonGlyphColor(TlxPCNavigatorButtonState state) const override;
  TlxPCNavigatorGlyphInfo GetButtonGlyphInfo(TlxPCNavigatorButton button) const override;
  TPoint GetButtonGlyphPosition(TlxPCNavigatorButton button) const override;

 private:
  void PaintRow(TlxCanvas& canvas, int32_t first, int32_t last);
  TRect SeparatorRect(int32_t visible_index);
};

class TlxPCUltraFlatPainter : public TlxPCExtraFlatPainter {
 public:
  using TlxPCExtraFlatPainter::TlxPCExtraFlatPainter;
  TRect GetMainTabBoxRect(int32_t visible_index) override;
  TlxPCNavigatorMetrics NavigatorMetrics() const override;

 protected:
  void PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) override;
  TColor GetButtonColor(TlxPCNavigatorButtonState state) const override;
  TlxPCNavigatorGlyphInfo GetButtonGlyphInfo(TlxPCNavigatorButton button) const override;
  TPoint GetButtonGlyphPosition(TlxPCNavigatorButton button) const override {
    return TlxPCStandardPainter::GetButtonGlyphPosition(button);
  }
  void PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t row) override;
  TColor MainTabLightColor() const override { return TColorOf(0); }
  TColor FrameLightColor() const override { return clBtnShadow; }
};

class TlxPCOffice11Painter : public TlxPCUltraFlatPainter {
 public:
  using TlxPCUltraFlatPainter::TlxPCUltraFlatPainter;

  virtual TColor GetBorderColor() const;
  int32_t GetBandPageExtension() const override { return 1; }
  int32_t GetSeparatorWidth() const override { return 2; }
  TPoint GetSeparatorInsets() const override;
  bool IsBandInsideFrame() const override { return IsFrameShown(); }
  TRect AdjustClientRectOffset(const TRect& offset) const override { return offset; }
  TRect GetMainTabBoxRect(int32_t visible_index) override;
  TColor GetTabColor(int32_t visible_index) const override;
  bool IsTabTransparent(int32_t visible_index) const override;
  TRect GetPageClientRectOffset() const override;
  void FillTabArea(TlxCanvas& canvas, const TRect& rect, int32_t visible_index) override;
  TColor GetPageStripColor() override;
  TRect GetPageStripRect() override;

 protected:
  void PaintPageClientArea(TlxCanvas& canvas) override;
  void PaintPageStripAndArea(TlxCanvas& canvas) override;
  void PaintFrame(TlxCanvas& canvas) override;
  void PaintMainTabBorder(TlxCanvas& canvas, TRect& rect, TlxTabPosition side) override;
  void PaintSeparator(TlxCanvas& canvas, const TRect& rect) override;
  void PaintRowBandBorder(TlxCanvas& canvas, TRect& band, int32_t row) override;
  // Buttons continue the band, in the hot or pressed colours when used.
  void PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) override;
  void PaintButtonBackground(TlxCanvas& canvas, const TRect& rect, TlxPCNavigatorButtonState state) override;
  TColor GetButtonGlyphColor(TlxPCNavigatorButtonState state) const override;

 private:
  // The band's pair (-1), a tab's, or the main tab's hot pair; one mixed
  // colour without gradients.
  void GradientPair(int32_t visible_index, TColor& from, TColor& to) const;
  bool GradientRunsHorizontally() const;
};

class TlxPCExtraFlatPainterClass final : public TlxPCExtraFlatStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCUltraFlatPainterClass final : public TlxPCUltraFlatStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCOffice11PainterClass final : public TlxPCOffice11Style {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};
