#pragma once
// The ultra-flat look: one-pixel single-colour frames, hot tracking of
// buttons, a highlight frame for hot and pressed parts and the light
// selection colours for hot and pressed faces. The root look-and-feel's
// kind. Its four added operations are the colours the Office 2003 look
// changes.

#include "ui/foundation/painters/look_and_feel_painter_win.h"

class TlxUltraFlatLookAndFeelPainter : public TlxCustomLookAndFeelPainter {
 public:
  // --- added operations --------------------------------------------------------
  virtual TColor GetFilterButtonFrameColor(TlxButtonState state) const;
  virtual TColor GetTabFrameLightColor() const { return clBtnShadow; }
  virtual TColor GetTabFrameDarkColor() const { return clBtnText; }
  virtual TColor GetFrameLightColor() const { return clHighlight; }

  // --- values and metrics ----------------------------------------------------------
  int32_t GetLookAndFeelStyle() const override { return lxStyleUltraFlat; }
  TColor GetDefaultSchedulerBorderColor() const override { return clBtnShadow; }
  int32_t GetBorderSize() const override { return 1; }
  int32_t GetButtonBorderSize(TlxButtonState state) const override { return state == lxbsDefault ? 2 : 1; }
  TColor GetButtonColor(TlxButtonState state) const override;
  TRect GetButtonFocusRect(TlxCanvas& canvas, const TRect& rect) const override;
  TlxMargins GetButtonGroupBorderSizes(int32_t button_count, int32_t button_index) const override;
  TColor GetButtonSymbolColor(TlxButtonState state, TColor default_color = clDefault) const override;
  TlxButtonState GetButtonSymbolState(TlxButtonState /*state*/) const override { return lxbsNormal; }
  int32_t GetButtonTextOffset() const override { return 2; }
  int32_t GetButtonTextShift() const override { return 0; }
  int32_t GetExpandButtonSize() const override { return 11; }
  bool ButtonHotTrackEnabled() const override { return true; }
  TlxBorders GetHeaderBorders(TlxHeaderNeighbors neighbors) const override;
  int32_t GetHeaderBorderSize() const override { return 1; }
  TSize GetSortingMarkSize() const override { return TSize{7, 8}; }
  TlxBorders GetFooterBorders() const override { return TlxBorders{bRight, bBottom}; }
  int32_t GetFooterBorderSize() const override { return 1; }
  int32_t GetFooterCellBorderSize() const override { return 1; }
  int32_t GetFooterCellOffset() const override { return 2; }
  TSize GetFilterCloseButtonSize() const override { return TSize{16, 15}; }
  int32_t GetTabBorderSize(bool /*vertical*/) const override { return 1; }

  // --- drawing ---------------------------------------------------------------------
  void PaintBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintButtonInGroup(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, int32_t button_count,
                          int32_t button_index, TColor background_color) const override;
  void PaintButtonGroupBorder(TlxCanvas& canvas, const TRect& rect, bool first, bool second) const override;
  void PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) const override;
  void PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors,
                         TlxBorders borders) const override;
  void PaintHeaderWithNeighbors(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                bool show_end_ellipsis, std::string_view text, const TFont* font, TColor text_color,
                                TColor background_color,
                                const TlxBackgroundCallback& on_draw_background) const override;
  void PaintHeaderControlSectionBorder(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                       TlxButtonState state) const override;
  void PaintHeaderControlSectionContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                        TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert,
                                        bool multi_line, bool show_end_ellipsis, std::string_view text,
                                        const TFont* font, TColor text_color, TColor background_color) const override;
  void PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const override;
  void PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFooterCellBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                 bool filter_active) const override;
  void PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders, bool vertical) const override;
  void PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect, TlxScrollBarPart part,
                          TlxButtonState state) const override;
  void PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds, const TRect& arrow_rect, bool next_button,
                                   TlxButtonState state) const override;
  void PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect, const TlxPaintParams& view_params,
                                    bool horizontal) const override;
};
