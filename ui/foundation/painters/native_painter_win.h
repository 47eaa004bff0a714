#pragma once
// The native look: every part drawn through the system's visual styles, so
// that the library's controls look like the themed system controls. Each
// operation asks the theme cache for its visual-style class and, when that
// does not open (visual styles off, or the style lacks the class), does
// what the standard look does.

#include <windows.h>

#include <uxtheme.h>

#include "ui/foundation/painters/standard_painters_win.h"

class TlxWinXPLookAndFeelPainter : public TlxStandardLookAndFeelPainter {
 public:
  // --- added operation -------------------------------------------------------------
  // The text of a themed part: font and colour from the arguments, aligned
  // as a painter cell. Bounds and background colour are not used.
  virtual void PaintThemedContentText(TlxCanvas& canvas, HTHEME theme, int32_t part, int32_t state, const TRect& bounds,
                                      const TRect& text_rect, TAlignment align_horz, TlxAlignmentVert align_vert,
                                      bool multi_line, bool show_end_ellipsis, bool show_prefix, std::string_view text,
                                      const TFont* font, TColor text_color, TColor background_color) const;

  // --- values and metrics ----------------------------------------------------------
  int32_t GetLookAndFeelStyle() const override { return lxStyleNative; }
  TColor GetDefaultSchedulerBorderColor() const override;
  TColor GetDefaultSchedulerViewContentColor() const override { return RGBColor(255, 255, 213); }
  int32_t GetBorderSize() const override;
  TRect GetGroupButtonDisplayRect(const TRect& rect, int32_t button_count, int32_t button_index) const override;
  int32_t GetButtonBorderSize(TlxButtonState state) const override;
  TColor GetButtonColor(TlxButtonState state) const override;
  TRect GetButtonFocusRect(TlxCanvas& canvas, const TRect& rect) const override;
  TlxMargins GetButtonGroupBorderSizes(int32_t button_count, int32_t button_index) const override;
  TColor GetButtonSymbolColor(TlxButtonState state, TColor default_color = clDefault) const override;
  int32_t GetButtonTextOffset() const override { return 2; }
  int32_t GetButtonTextShift() const override { return 0; }
  bool PaintsExpandButtonFirst() const override { return false; }
  int32_t GetExpandButtonSize() const override;
  int32_t GetGroupExpandButtonSize() const override;
  int32_t GetSmallExpandButtonSize() const override;
  bool ButtonHotTrackEnabled() const override { return true; }
  int32_t GetCheckBorderSize() const override;
  TSize GetCheckButtonSize() const override;
  TSize GetRadioButtonSize() const override;
  int32_t GetHeaderBorderSize() const override;
  int32_t GetHeaderControlSectionBorderSize(TlxButtonState /*state*/) const override { return GetHeaderBorderSize(); }
  TRect GetHeaderControlSectionContentBounds(const TRect& bounds, TlxButtonState state) const override;
  bool HeaderHotTrackEnabled() const override { return true; }
  TSize GetSortingMarkSize() const override { return TSize{7, 8}; }
  int32_t GetFooterBorderSize() const override { return 1; }
  int32_t GetFooterCellBorderSize() const override;
  int32_t GetFooterCellOffset() const override { return 1; }
  bool FooterCellsPaintedFirst() const override { return false; }
  TSize GetFilterActivateButtonSize() const override;
  TSize GetFilterCloseButtonSize() const override;
  bool TabPaintingSupported(bool vertical) const override;
  bool TabHotTrackEnabled(bool vertical) const override;
  int32_t GetTabBorderSize(bool /*vertical*/) const override { return 1; }
  int32_t GetScrollBarMinThumbSize(bool vertical) const override;
  TlxMargins GetSchedulerEventProgressOffsets() const override { return TlxMargins(3, 3, 3, 3); }

  // --- drawing ---------------------------------------------------------------------
  void PaintArrowButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, TlxArrowDirection direction,
                        bool draw_border) const override;
  void PaintArrowButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintButton(TlxCanvas& canvas, const TRect& rect, std::string_view caption, TlxButtonState state,
                   bool draw_border = true, TColor background_color = clDefault, TColor text_color = clDefault,
                   bool word_wrap = false) const override;
  void PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color) const override;
  void PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TlxButtonState state) const override;
  void PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor frame_color,
                              TColor fill_color) const override;
  bool HitTestGroupExpandButton(const TRect& rect, const TPoint& point) const override;
  void PaintCheckMark(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, bool checked,
                      TColor color) const override;
  void PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintRadioButton(TlxCanvas& canvas, int32_t x, int32_t y, TlxButtonState state, bool checked, bool focused,
                        TColor background_color, bool designing = false) const override;
  void PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors,
                   TlxBorders borders, TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert,
                   bool multi_line, bool show_end_ellipsis, std::string_view text, const TFont* font, TColor text_color,
                   TColor background_color, const TlxBackgroundCallback& on_draw_background, bool is_last = false,
                   bool reserved = false) const override;
  void PaintHeaderPressedEffect(TlxCanvas& /*canvas*/, const TRect& /*bounds*/) const override {}
  void PaintHeaderControlSection(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                 TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                 TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                 bool show_end_ellipsis, std::string_view text, const TFont* font, TColor text_color,
                                 TColor background_color) const override;
  void PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const override;
  void PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const override;
  void PaintFooterCell(TlxCanvas& canvas, const TRect& bounds, TAlignment align_horz, TlxAlignmentVert align_vert,
                       bool multi_line, std::string_view text, const TFont* font, TColor text_color,
                       TColor background_color, const TlxBackgroundCallback& on_draw_background) const override;
  void PaintFilterCloseButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                 bool filter_active) const override;
  void PaintTab(TlxCanvas& canvas, const TRect& rect, TlxBorders borders, std::string_view text, TlxButtonState state,
                bool vertical, const TFont* font, TColor text_color, TColor background_color,
                bool show_prefix = false) const override;
  void PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side, TlxBorders borders,
                      bool vertical) const override;
  void PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders, bool vertical) const override;
  void PaintIndicatorItem(TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind, TColor background_color,
                          const TlxBackgroundCallback& on_draw_background) const override;
  void PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect, TlxScrollBarPart part,
                          TlxButtonState state) const override;
  void PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const override;
  void PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text, TlxHeaderNeighbors neighbors,
                        const TlxPaintParams& view_params, int32_t arrows, int32_t side_width,
                        const TlxBackgroundCallback& on_draw_background) const override;
  void PaintSchedulerEventProgress(TlxCanvas& canvas, const TRect& bounds, const TRect& progress,
                                   const TlxPaintParams& view_params, bool frame_only) const override;
  void PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds, const TRect& arrow_rect, bool next_button,
                                   TlxButtonState state) const override;
  void PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const override;
  void PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect, const TlxPaintParams& view_params,
                                    bool horizontal) const override;
  void PaintPanelBackground(TlxCanvas& canvas, TControl* control, TColor color_from, TColor color_to,
                            const TRect& bounds) const override;
};
