#pragma once
// The Office 2003 look: gradient header cells, palette colours that follow
// the system's visual-style colour variant, bitmap expand buttons and dotted
// size grips. The palette is read at the moment of drawing, so a reloaded
// palette shows at the next paint.

#include "ui/foundation/painters/ultra_flat_painter_win.h"

class TlxOffice11LookAndFeelPainter : public TlxUltraFlatLookAndFeelPainter {
 public:
  // --- added operations --------------------------------------------------------
  virtual TColor GetHeaderBottomShade() const;
  virtual TColor GetHeaderShadowEdgeColor() const;
  virtual TColor GetHeaderLightEdgeColor() const;
  virtual TColor GetHeaderTopShade() const;

  // --- ultra-flat colours ----------------------------------------------------------
  TColor GetFilterButtonFrameColor(TlxButtonState state) const override;
  TColor GetTabFrameLightColor() const override { return GetHeaderShadowEdgeColor(); }
  TColor GetFrameLightColor() const override;

  // --- default colours ---------------------------------------------------------------
  TColor GetDefaultDateNavigatorHeaderColor() const override;
  TColor GetDefaultDateNavigatorSelectionColor() const override;
  TColor GetDefaultDateNavigatorSelectionTextColor() const override { return clWindowText; }
  TColor GetDefaultFilterBoxColor() const override;
  TColor GetDefaultFilterBoxTextColor() const override;
  TColor GetDefaultFooterColor() const override;
  TColor GetDefaultFooterTextColor() const override { return GetDefaultHeaderTextColor(); }
  TColor GetDefaultGroupColor() const override;
  TColor GetDefaultGroupByBoxColor() const override;
  TColor GetDefaultGroupByBoxTextColor() const override;
  TColor GetDefaultHeaderColor() const override { return GetHeaderTopShade(); }
  TColor GetDefaultHeaderBackgroundColor() const override { return GetDefaultGroupByBoxColor(); }
  TColor GetDefaultSchedulerBorderColor() const override;
  TColor GetDefaultSchedulerControlColor() const override;
  TColor GetDefaultTabColor() const override;
  TColor GetDefaultTabsBackgroundColor() const override { return GetDefaultTabColor(); }
  TColor GetDefaultTimeGridMinorScaleColor() const override;
  TColor GetDefaultTimeGridSelectionBarColor() const override { return GetDefaultSchedulerControlColor(); }

  // --- metrics and values ----------------------------------------------------------
  int32_t GetLookAndFeelStyle() const override { return lxStyleOffice11; }
  int32_t GetExpandButtonSize() const override { return 11; }
  int32_t GetSmallExpandButtonSize() const override { return GetExpandButtonSize(); }
  bool PaintsExpandButtonFirst() const override { return false; }
  TlxBorders GetHeaderBorders(TlxHeaderNeighbors /*neighbors*/) const override { return lxAllBorders; }
  int32_t GetHeaderBorderSize() const override { return 1; }
  bool HeaderHotTrackEnabled() const override { return true; }
  TColor GetFooterSeparatorColor() const override { return GetHeaderShadowEdgeColor(); }
  TColor GetButtonColor(TlxButtonState state) const override;
  TColor GetButtonSymbolColor(TlxButtonState state, TColor default_color = clDefault) const override;
  TColor GetCheckButtonColor(TlxButtonState state) const override;

  // --- drawing ---------------------------------------------------------------------
  void PaintBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) const override;
  void PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor frame_color,
                              TColor fill_color) const override;
  void PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors,
                   TlxBorders borders, TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert,
                   bool multi_line, bool show_end_ellipsis, std::string_view text, const TFont* font, TColor text_color,
                   TColor background_color, const TlxBackgroundCallback& on_draw_background, bool is_last = false,
                   bool reserved = false) const override;
  void PaintHeaderBorder(TlxCanvas& canvas, const TRect& rect, TlxHeaderNeighbors neighbors,
                         TlxBorders borders) const override;
  void PaintHeaderControlSection(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                 TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                 TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                 bool show_end_ellipsis, std::string_view text, const TFont* font, TColor text_color,
                                 TColor background_color) const override;
  void PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const override;
  void PaintContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxButtonState state,
                    TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                    std::string_view text, const TFont* font, TColor text_color, TColor background_color,
                    const TlxBackgroundCallback& on_draw_background, bool is_footer) const override;
  void PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect, TlxScrollBarPart part,
                          TlxButtonState state) const override;
  void PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const override;
  void PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text, TlxHeaderNeighbors neighbors,
                        const TlxPaintParams& view_params, int32_t arrows, int32_t side_width,
                        const TlxBackgroundCallback& on_draw_background) const override;
  void PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds, const TRect& arrow_rect, bool next_button,
                                   TlxButtonState state) const override;
  void PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintSchedulerBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintPanelBackground(TlxCanvas& canvas, TControl* control, TColor color_from, TColor color_to,
                            const TRect& bounds) const override;
};
