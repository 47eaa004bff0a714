#pragma once
// Tabs drawn as polygons: the slanted look, whose tab ends are slanted, cut
// or rounded as the control's slants say and whose neighbours overlap, and
// the notebook-divider look built on it. Overlapping tabs are painted from
// the front to the back through exact pixel regions, so the tab in front
// also wins the hit test. Included only from Windows sources.

#include <memory>

#include "tabs/pc_painters_win.h"
#include "tabs/pc_slanted_shape.h"

class TlxRegion;

class TlxPCSlantedPainter : public TlxPCStandardPainter {
 public:
  using TlxPCStandardPainter::TlxPCStandardPainter;

  // The width of a slant, set at the start of every layout.
  int32_t CutValue() const { return cut_value_; }

  // Layout answers.
  void PrepareLayout() override;
  int32_t GetFrameWidth() const override { return 1; }
  int32_t GetMinTabHeight() const override { return 0; }
  int32_t CalculateTabNormalWidth(TlxTab& tab) override;
  int32_t GetMinTabWidth(int32_t visible_index) override;
  int32_t GetTabContentHeight() override;
  void GetTabSpacing(int32_t& along, int32_t& across) override;
  TRect GetTabsAreaMargins() const override;
  TRect GetTabsContainerOffsets() const override;
  TRect GetPageClientRectOffset() const override;
  TlxPCNavigatorMetrics NavigatorMetrics() const override;
  bool IsPointInTab(int32_t visible_index, int32_t x, int32_t y) override;

  // Colours.
  bool UsePageColorForTab() const override { return true; }
  TColor GetTabColor(int32_t visible_index) const override;
  TColor GetClientColor() const override;
  virtual TColor GetBorderColor() const { return clBtnShadow; }
  virtual void GetTabGradientColors(int32_t visible_index, TColor& first, TColor& second) const;
  virtual bool UseGradientForHotMainTab() const { return false; }

  // Shapes.
  virtual TlxTabSlantPositions GetSlantPositions() const;
  virtual int32_t CalculateCutValue();
  virtual int32_t GetMinShapeWidth() const;
  // Start and end margins along the row of a tab's content.
  virtual void GetContentWOffsets(int32_t visible_index, int32_t& start, int32_t& end) const;
  // Margins across the row (top, bottom) of images and captions.
  virtual void GetImageHOffsets(int32_t& top, int32_t& bottom) const;
  virtual void GetTextHOffsets(int32_t& top, int32_t& bottom) const;
  TlxPCOutline GetTabOutline(int32_t visible_index) const;
  // The tab's shape: with its outline (outer) or only inside it (inner).
  virtual TlxPCPixelRegion GetTabShapeRegion(int32_t visible_index, bool inner) const;
  // The shape within the displayed rectangle; the main tab adds the strip
  // that joins it to the page.
  TlxPCPixelRegion GetTabPixelRegion(int32_t visible_index) const;
  // The one-pixel strip between the displayed rectangle and the page.
  TRect GetPageSideStrip(int32_t visible_index) const;
  int32_t GetTabWidthAddition(int32_t visible_index) const;

 protected:
  void PaintTabs(TlxCanvas& canvas) override;
  void PaintTab(TlxCanvas& canvas, int32_t visible_index) override;
  void PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) override;
  void PaintFrame(TlxCanvas& canvas) override;
  void PaintPageClientArea(TlxCanvas& canvas) override;
  void PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) override;
  TColor GetButtonColor(TlxPCNavigatorButtonState state) const override;
  TColor GetButtonGlyphColor(TlxPCNavigatorButtonState state) const override;
  TlxPCNavigatorGlyphInfo GetButtonGlyphInfo(TlxPCNavigatorButton button) const override;
  void FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const override;
  void PaintTabBackgroundOnBitmap(TBitmap& bitmap, const TRect& caption, int32_t visible_index) override;

  virtual void PaintTabOutline(TlxCanvas& canvas, int32_t visible_index, const TRect& rect);
  virtual void PaintTabMark(TlxCanvas& canvas, int32_t visible_index);
  virtual void JoinMainTabToPage(TlxCanvas& canvas, int32_t visible_index);
  void FillTabBackground(TlxCanvas& canvas, const TRect& rect, bool flip, bool horizontal, int32_t visible_index);

  // Draws a polyline given for tabs on top, turned to the tab's side, with
  // its end point.
  void DrawRotatedPolyline(TlxCanvas& canvas, const TRect& rect, const TPoints& points, TColor color,
                           TlxTabPosition side);
  bool IsDisplayedIndex(int32_t visible_index) const;

 private:
  void PaintRowLines(TlxCanvas& canvas, int32_t first, int32_t last, bool to_edges, bool no_ends);
  bool HasImagesInUse() const;

  int32_t cut_value_ = 0;
};

// Notebook dividers: a long slant at every tab's start, outlined in colours
// of the current Office 2003 scheme.
class TlxPCOneNotePainter : public TlxPCSlantedPainter {
 public:
  using TlxPCSlantedPainter::TlxPCSlantedPainter;

  bool UseGradientForHotMainTab() const override { return true; }
  TlxTabSlantPositions GetSlantPositions() const override { return kPCSlantLeft; }
  int32_t CalculateCutValue() override;
  int32_t GetMinShapeWidth() const override { return CutValue() + 4; }
  TColor GetBorderColor() const override;
  TlxPCNavigatorMetrics NavigatorMetrics() const override;
  void GetContentWOffsets(int32_t visible_index, int32_t& start, int32_t& end) const override;
  void GetImageHOffsets(int32_t& top, int32_t& bottom) const override;
  void GetTextHOffsets(int32_t& top, int32_t& bottom) const override;
  TRect GetTabsContainerOffsets() const override;
  void GetTabSpacing(int32_t& along, int32_t& across) override;
  TRect GetTabsAreaMargins() const override;
  TlxPCPixelRegion GetTabShapeRegion(int32_t visible_index, bool inner) const override;

  // Outer, light and dark outline colours of a tab.
  void GetOutlineColors(int32_t visible_index, TColor& outer, TColor& light, TColor& dark) const;

 protected:
  void PaintTabOutline(TlxCanvas& canvas, int32_t visible_index, const TRect& rect) override;
  void PaintTabMark(TlxCanvas& /*canvas*/, int32_t /*visible_index*/) override {}
  void JoinMainTabToPage(TlxCanvas& canvas, int32_t visible_index) override;

 private:
  // The colour of the tab under a point given for tabs on top, or the
  // control's colour.
  TColor GetColorAt(const TRect& rect, TPoint point, TlxTabPosition side);
};

// The colours of the notebook-divider outlines for the current scheme:
// 0 border, 1 other tabs, 3 hot tab, 5 inner-line tint (2 and 4 unused).
TColor lxPCOneNoteColor(int32_t index);
// Takes the colours of the current scheme anew.
void lxPCUpdateOneNoteColors();
// Computes the colours and follows palette changes until the stop.
void lxPCStartOneNoteColors();
void lxPCStopOneNoteColors();

class TlxPCSlantedPainterClass final : public TlxPCSlantedStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

class TlxPCOneNotePainterClass final : public TlxPCOneNoteStyle {
 public:
  std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const override;
};

// Region of the painter's pixels for clipping.
std::unique_ptr<TlxRegion> lxPCRegionFromPixels(const TlxPCPixelRegion& pixels);
