#pragma once
// The classic three-dimensional look (two-pixel sunken borders, raised
// buttons with a dark outer edge) and the flat look that draws the same
// parts with one-pixel edges. Every colour is a system colour, so both
// follow the desktop's colour scheme.

#include "ui/foundation/painters/look_and_feel_painter_win.h"

class TlxStandardLookAndFeelPainter : public TlxCustomLookAndFeelPainter {
 public:
  int32_t GetLookAndFeelStyle() const override { return lxStyleStandard; }
  TColor GetDefaultSchedulerViewContentColor() const override { return clWindow; }
  int32_t GetBorderSize() const override { return 2; }
  void PaintBorder(TlxCanvas& canvas, const TRect& rect) const override;
  int32_t GetButtonBorderSize(TlxButtonState state) const override { return state == lxbsDefault ? 3 : 2; }
  int32_t GetButtonTextOffset() const override { return 1; }
  int32_t GetButtonTextShift() const override { return 1; }
  void PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) const override;
  void PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TlxButtonState state) const override;
  int32_t GetExpandButtonSize() const override { return 12; }
  void PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors,
                         TlxBorders borders) const override;
  void PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                       TlxButtonState state) const override;
  void PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const override;
  int32_t GetHeaderBorderSize() const override { return 1; }
  int32_t GetHeaderControlSectionBorderSize(TlxButtonState state) const override {
    return state == lxbsPressed ? 1 : 2;
  }
  TSize GetSortingMarkSize() const override { return TSize{8, 7}; }
  int32_t GetFooterBorderSize() const override { return 1; }
  int32_t GetFooterCellBorderSize() const override { return 1; }
  int32_t GetFooterCellOffset() const override { return 1; }
  void PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                 bool filter_active) const override;
  void PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders, bool vertical) const override;
  int32_t GetTabBorderSize(bool /*vertical*/) const override { return 1; }
  void PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect, TlxScrollBarPart part,
                          TlxButtonState state) const override;
  void PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text, TlxHeaderNeighbors neighbors,
                        const TlxPaintParams& view_params, int32_t arrows, int32_t side_width,
                        const TlxBackgroundCallback& on_draw_background) const override;
  void PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect, const TlxPaintParams& view_params,
                                    bool horizontal) const override;
};

class TlxFlatLookAndFeelPainter : public TlxCustomLookAndFeelPainter {
 public:
  int32_t GetLookAndFeelStyle() const override { return lxStyleFlat; }
  int32_t GetBorderSize() const override { return 1; }
  void PaintBorder(TlxCanvas& canvas, const TRect& rect) const override;
  int32_t GetButtonBorderSize(TlxButtonState state) const override { return state == lxbsDefault ? 2 : 1; }
  int32_t GetButtonTextOffset() const override { return 1; }
  int32_t GetButtonTextShift() const override { return 1; }
  void PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) const override;
  int32_t GetExpandButtonSize() const override { return 11; }
  void PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors,
                         TlxBorders borders) const override;
  void PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                       TlxButtonState state) const override;
  void PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const override;
  int32_t GetHeaderBorderSize() const override { return 1; }
  TSize GetSortingMarkSize() const override { return TSize{8, 7}; }
  int32_t GetFooterBorderSize() const override { return 1; }
  int32_t GetFooterCellBorderSize() const override { return 1; }
  int32_t GetFooterCellOffset() const override { return 1; }
  void PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                 bool filter_active) const override;
  void PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders, bool vertical) const override;
  int32_t GetTabBorderSize(bool /*vertical*/) const override { return 1; }
  void PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect, TlxScrollBarPart part,
                          TlxButtonState state) const override;
  void PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect, const TlxPaintParams& view_params,
                                    bool horizontal) const override;
};

// Drawing both the standard and the flat look share, also used by the
// painters derived from them.
// The header edges: raised on all four sides whatever the borders, with the
// pixels where neighbours meet softened.
void lxPaintRaisedHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors);
// The strip of one side of a tab in the classic colours.
void lxPaintClassicTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders, bool vertical);
// The page area of a classic scroll bar, filled with the pattern bitmap.
void lxPaintScrollBarPage(TlxCanvas& canvas, const TRect& rect, bool pressed);
// The arrow direction of a scroll-bar arrow part.
TlxArrowDirection lxScrollBarArrowDirection(bool horizontal, TlxScrollBarPart part);
// The classic drop-down filter button.
void lxPaintClassicFilterDropDownButton(const TlxCustomLookAndFeelPainter& painter, TlxCanvas& canvas,
                                        const TRect& rect, TlxButtonState state, bool filter_active);
// One pair of splitter lines (top and bottom, or left and right), then the
// rectangle one step further in.
TRect lxSplitterLines(TlxCanvas& canvas, const TRect& rect, bool horizontal, TColor first, TColor second);
