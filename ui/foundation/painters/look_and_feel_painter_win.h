#pragma once
// TlxCustomLookAndFeelPainter: the one place that knows how a visual style
// draws and measures the small parts every self-drawn control is made of.
// The virtual operations below are the contract, in their fixed order; every
// composite operation calls the others through the virtual table, so a
// descendant that overrides one part changes every drawing built on it.
//
// Painters hold no state: a painter "class" is the one shared instance of
// its class (lxPainter<T>()), and controls get it from their look-and-feel.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/toolkit/color.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/painter_geometry.h"
#include "ui/foundation/painters/painter_types.h"

// The sides on which another header cell adjoins.
using TlxHeaderNeighbors = TlxBorders;

// Paints the background of a cell itself and answers true, or answers false
// to let the painter fill it. An empty function counts as unassigned.
using TlxBackgroundCallback = std::function<bool(TlxCanvas& canvas, const TRect& bounds)>;

// Four widths (left, top, right, bottom) in one rectangle.
using TlxMargins = TRect;

class TlxCustomLookAndFeelPainter {
 public:
  virtual ~TlxCustomLookAndFeelPainter() = default;

  // --- bounds and style ---------------------------------------------------
  virtual void PaintBackground(TlxCanvas& canvas, const TRect& rect, bool transparent, TColor background_color,
                               TBitmap* background_bitmap) const;
  virtual void PaintButtonArrow(TlxCanvas& canvas, const TRect& rect, TColor color) const;
  virtual void PaintContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxButtonState state,
                            TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                            std::string_view text, const TFont* font, TColor text_color, TColor background_color,
                            const TlxBackgroundCallback& on_draw_background, bool is_footer) const;
  virtual void PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds, const TRect& arrow_rect,
                                           bool next_button, TlxButtonState state) const;
  virtual TRect GetFooterCellContentBounds(const TRect& bounds) const;
  virtual TRect GetFooterCellTextBounds(const TRect& bounds) const;
  virtual int32_t GetLookAndFeelStyle() const { return lxStyleStandard; }

  // --- default colours ----------------------------------------------------
  virtual TColor GetDefaultContentColor() const { return clWindow; }
  virtual TColor GetDefaultContentEvenColor() const { return GetDefaultContentColor(); }
  virtual TColor GetDefaultContentOddColor() const { return GetDefaultContentColor(); }
  virtual TColor GetDefaultContentTextColor() const { return clWindowText; }
  virtual TColor GetDefaultEditorBackgroundColor(bool /*disabled*/) const { return clDefault; }
  virtual TColor GetDefaultEditorTextColor(bool /*disabled*/) const { return clDefault; }
  virtual TColor GetDefaultFilterBoxColor() const { return clBtnShadow; }
  virtual TColor GetDefaultFilterBoxTextColor() const { return clBtnHighlight; }
  virtual TColor GetDefaultFixedSeparatorColor() const { return clBtnText; }
  virtual TColor GetDefaultFooterColor() const { return clBtnFace; }
  virtual TColor GetDefaultFooterTextColor() const { return clBtnText; }
  virtual TColor GetDefaultGridDetailsSiteColor() const { return clBtnFace; }
  virtual TColor GetDefaultGridLineColor() const { return clBtnShadow; }
  virtual TColor GetDefaultGroupByBoxColor() const { return clBtnShadow; }
  virtual TColor GetDefaultGroupByBoxTextColor() const { return clBtnFace; }
  virtual TColor GetDefaultGroupColor() const { return clBtnFace; }
  virtual TColor GetDefaultGroupTextColor() const { return clBtnText; }
  virtual TColor GetDefaultHeaderBackgroundColor() const { return clBtnShadow; }
  virtual TColor GetDefaultHeaderBackgroundTextColor() const { return clBtnFace; }
  virtual TColor GetDefaultHeaderColor() const { return clBtnFace; }
  virtual TColor GetDefaultHeaderTextColor() const { return clBtnText; }
  virtual TColor GetDefaultHyperlinkTextColor() const { return clBlue; }
  virtual TColor GetDefaultInactiveColor() const { return clBtnFace; }
  virtual TColor GetDefaultInactiveTextColor() const { return clBtnText; }
  virtual TColor GetDefaultPreviewTextColor() const { return clBlue; }
  virtual TColor GetDefaultRecordSeparatorColor() const { return GetDefaultGridLineColor(); }
  virtual TColor GetDefaultSizeGripAreaColor() const { return clBtnFace; }
  virtual TColor GetDefaultVGridCategoryColor() const { return GetDefaultHeaderColor(); }
  virtual TColor GetDefaultVGridCategoryTextColor() const { return clDefault; }
  virtual TColor GetDefaultVGridLineColor() const { return clBlack; }
  virtual TColor GetDefaultVGridBandLineColor() const { return GetDefaultVGridLineColor(); }
  virtual TColor GetDefaultDateNavigatorHeaderColor() const { return clBtnFace; }
  virtual TColor GetDefaultDateNavigatorSelectionColor() const { return clHighlight; }
  virtual TColor GetDefaultDateNavigatorSelectionTextColor() const { return clHighlightText; }
  virtual TColor GetDefaultSchedulerBackgroundColor() const { return clWindow; }
  virtual TColor GetDefaultSchedulerTextColor() const { return clWindowText; }
  virtual TColor GetDefaultSchedulerBorderColor() const { return RGBColor(161, 157, 157); }
  virtual TColor GetDefaultSchedulerControlColor() const { return clBtnFace; }
  // The numbered colours have no caller; they keep the order complete.
  virtual TColor GetDefaultColor45() const { return clBtnFace; }
  virtual TColor GetDefaultSchedulerViewContentColor() const { return RGBColor(255, 255, 213); }
  virtual TColor GetDefaultColor47(int32_t /*first*/, int32_t /*second*/) const {
    return GetDefaultSelectionTextColor();
  }
  virtual TColor GetDefaultColor48() const { return clWindowText; }
  virtual TColor GetDefaultSelectionColor() const { return clHighlight; }
  virtual TColor GetDefaultSelectionTextColor() const { return clHighlightText; }
  virtual TColor GetDefaultColor51() const { return clBtnFace; }
  virtual TColor GetDefaultTabColor() const { return clBtnFace; }
  virtual TColor GetDefaultTabTextColor() const { return clBtnText; }
  virtual TColor GetDefaultTabsBackgroundColor() const { return clBtnFace; }
  virtual TColor GetDefaultColor55() const { return clWhite; }
  virtual TColor GetDefaultColor56() const { return clBlack; }
  virtual TColor GetDefaultTimeGridMinorScaleColor() const { return clBtnFace; }
  virtual TColor GetDefaultColor58() const { return clBtnText; }
  virtual TColor GetDefaultTimeGridSelectionBarColor() const { return clWhite; }
  virtual TColor GetDefaultColor60() const { return clBlack; }
  virtual TColor GetDefaultColor61() const { return clBlack; }
  virtual TColor GetDefaultColor62() const { return clBlack; }
  virtual TColor GetDefaultColor63() const { return RGBColor(207, 207, 207); }
  virtual TColor GetDefaultColor64() const { return clWhite; }
  virtual TColor GetDefaultChartToolBoxDataLevelInfoBorderColor() const { return clBtnShadow; }
  virtual TColor GetDefaultColor66() const { return RGBColor(166, 202, 240); }
  virtual TColor GetDefaultColor67() const { return clNavy; }
  virtual TColor GetDefaultColor68() const { return clBtnShadow; }
  virtual TColor GetDefaultColor69() const { return clBtnShadow; }

  // --- arrows, borders and buttons ---------------------------------------------
  virtual void PaintArrow(TlxCanvas& canvas, const TRect& rect, TlxArrowDirection direction, TColor color) const;
  virtual void PaintArrowButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, TlxArrowDirection direction,
                                bool draw_border) const;
  virtual void PaintArrowButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const;
  virtual void PaintScrollBarArrow(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                   TlxArrowDirection direction) const;
  virtual int32_t GetBorderSize() const { return 0; }
  virtual void PaintBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/) const {}
  virtual TRect GetGroupButtonDisplayRect(const TRect& rect, int32_t /*button_count*/, int32_t /*button_index*/) const {
    return rect;
  }
  virtual int32_t GetButtonBorderSize(TlxButtonState /*state*/) const { return 0; }
  virtual TColor GetButtonColor(TlxButtonState /*state*/) const { return clBtnFace; }
  virtual TRect GetButtonFocusRect(TlxCanvas& canvas, const TRect& rect) const;
  virtual TlxMargins GetButtonGroupBorderSizes(int32_t button_count, int32_t button_index) const;
  virtual int32_t GetButtonTextOffset() const { return 0; }
  virtual int32_t GetButtonTextShift() const { return 0; }
  virtual TColor GetButtonSymbolColor(TlxButtonState state, TColor default_color = clDefault) const;
  virtual TlxButtonState GetButtonSymbolState(TlxButtonState state) const { return state; }
  virtual void PaintButton(TlxCanvas& canvas, const TRect& rect, std::string_view caption, TlxButtonState state,
                           bool draw_border = true, TColor background_color = clDefault, TColor text_color = clDefault,
                           bool word_wrap = false) const;
  virtual void PaintButtonInGroup(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, int32_t button_count,
                                  int32_t button_index, TColor background_color) const;
  virtual void PaintButtonBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxButtonState /*state*/) const {}
  virtual void PaintButtonGroupBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*first*/,
                                      bool /*second*/) const {}

  // --- expand buttons -----------------------------------------------------------
  virtual void PaintExpandButton(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*expanded*/,
                                 TColor /*color*/ = clDefault) const {}
  virtual bool PaintsExpandButtonFirst() const { return true; }
  virtual void PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TlxButtonState state) const;
  virtual void PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor frame_color,
                                      TColor fill_color = clDefault) const;
  virtual int32_t GetExpandButtonSize() const { return 0; }
  virtual int32_t GetGroupExpandButtonSize() const { return 15; }
  virtual bool ButtonHotTrackEnabled() const { return false; }
  virtual bool HitTestGroupExpandButton(const TRect& rect, const TPoint& point) const;
  virtual int32_t GetSmallExpandButtonSize() const { return 9; }

  // --- check boxes and radio buttons ------------------------------------------
  virtual int32_t GetCheckBorderSize() const { return 2; }
  virtual TColor GetCheckButtonColor(TlxButtonState state) const;
  virtual TSize GetCheckButtonSize() const;
  virtual void PaintCheckMark(TlxCanvas& canvas, const TRect& rect, TlxButtonState state, bool checked,
                              TColor color) const;
  virtual void PaintCheckBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxButtonState /*state*/) const {}
  virtual void PaintCheckButtonByCheckState(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                            bool checked) const;
  virtual void PaintCheckButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                TlxCheckBoxState check_state) const;
  virtual void PaintRadioButton(TlxCanvas& canvas, int32_t x, int32_t y, TlxButtonState state, bool checked,
                                bool focused, TColor background_color, bool designing = false) const;
  virtual TSize GetRadioButtonSize() const;

  // --- headers --------------------------------------------------------------------
  virtual void PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                           TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                           TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                           std::string_view text, const TFont* font, TColor text_color, TColor background_color,
                           const TlxBackgroundCallback& on_draw_background, bool is_last = false,
                           bool reserved = false) const;
  virtual void PaintHeaderWithNeighbors(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                        TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                        TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                        bool show_end_ellipsis, std::string_view text, const TFont* font,
                                        TColor text_color, TColor background_color,
                                        const TlxBackgroundCallback& on_draw_background) const;
  virtual void PaintHeaderBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxHeaderNeighbors /*neighbors*/,
                                 TlxBorders /*borders*/) const {}
  virtual void PaintHeaderPressedEffect(TlxCanvas& canvas, const TRect& bounds) const;
  virtual void PaintHeaderControlSection(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                         TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                         TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                         bool show_end_ellipsis, std::string_view text, const TFont* font,
                                         TColor text_color, TColor background_color) const;
  virtual void PaintHeaderControlSectionBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxBorders /*borders*/,
                                               TlxButtonState /*state*/) const {}
  virtual void PaintHeaderControlSectionContent(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                                TlxButtonState state, TAlignment align_horz,
                                                TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                                                std::string_view text, const TFont* font, TColor text_color,
                                                TColor background_color) const;
  virtual void PaintHeaderControlSectionText(TlxCanvas& canvas, const TRect& text_bounds, TlxButtonState state,
                                             TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                             bool show_end_ellipsis, std::string_view text, const TFont* font,
                                             TColor text_color) const;
  virtual void PaintHeaderSeparator(TlxCanvas& canvas, const TRect& bounds, int32_t indent_size, TColor color,
                                    const TlxPaintParams& view_params) const;
  virtual void PaintSortingMark(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*ascending*/) const {}
  virtual TlxBorders GetHeaderBorders(TlxHeaderNeighbors /*neighbors*/) const { return lxAllBorders; }
  virtual int32_t GetHeaderBorderSize() const { return 0; }
  virtual TRect GetHeaderBoundsForNeighbors(const TRect& bounds, TlxHeaderNeighbors neighbors,
                                            TlxBorders borders) const;
  virtual TRect GetHeaderContentBounds(const TRect& bounds, TlxBorders borders) const;
  virtual bool HeaderCellsPaintedFirst() const { return true; }
  virtual int32_t GetHeaderHeight(int32_t font_height) const { return 2 * GetHeaderBorderSize() + font_height + 4; }
  virtual int32_t GetHeaderControlSectionBorderSize(TlxButtonState /*state*/) const { return 1; }
  virtual TRect GetHeaderControlSectionTextBounds(const TRect& bounds, TlxButtonState state) const;
  virtual TRect GetHeaderControlSectionContentBounds(const TRect& bounds, TlxButtonState state) const;
  virtual int32_t GetHeaderWidth(TlxCanvas& canvas, TlxBorders borders, std::string_view text, const TFont* font) const;
  virtual bool HeaderHotTrackEnabled() const { return false; }
  virtual TSize GetSortingMarkAreaSize() const { return TSize{16, GetSortingMarkSize().cy}; }
  virtual TSize GetSortingMarkSize() const { return TSize{0, 0}; }

  // --- footer, filter and window -------------------------------------------------
  virtual void PaintGroupByBox(TlxCanvas& canvas, const TRect& rect, bool transparent, TColor background_color,
                               TBitmap* background_bitmap) const;
  virtual TlxBorders GetFooterBorders() const { return lxAllBorders; }
  virtual int32_t GetFooterBorderSize() const { return 0; }
  virtual int32_t GetFooterCellBorderSize() const { return 0; }
  virtual int32_t GetFooterCellOffset() const { return 0; }
  virtual bool FooterCellsPaintedFirst() const { return true; }
  virtual TColor GetFooterSeparatorColor() const { return clBtnShadow; }
  virtual int32_t GetFooterSeparatorSize() const { return 1; }
  virtual void PaintFooterCell(TlxCanvas& canvas, const TRect& bounds, TAlignment align_horz,
                               TlxAlignmentVert align_vert, bool multi_line, std::string_view text, const TFont* font,
                               TColor text_color, TColor background_color,
                               const TlxBackgroundCallback& on_draw_background) const;
  virtual void PaintFooterBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/) const {}
  virtual void PaintFooterCellBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/) const {}
  virtual void PaintFooterContent(TlxCanvas& canvas, const TRect& rect, const TlxPaintParams& view_params) const;
  virtual void PaintFooterSeparator(TlxCanvas& canvas, const TRect& rect) const;
  virtual void PaintFilterActivateButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                         bool checked) const;
  virtual void PaintFilterCloseButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const;
  virtual void PaintFilterDropDownButton(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxButtonState /*state*/,
                                         bool /*filter_active*/) const {}
  virtual void PaintFilterPanel(TlxCanvas& canvas, const TRect& rect, bool transparent, TColor background_color,
                                TBitmap* background_bitmap) const;
  virtual TSize GetFilterActivateButtonSize() const { return TSize{13, 13}; }
  virtual TSize GetFilterCloseButtonSize() const { return TSize{16, 14}; }
  // A height of 0 means the height of the cell.
  virtual TSize GetFilterDropDownButtonSize() const { return TSize{15, 0}; }
  virtual void PaintWindowContent(TlxCanvas& canvas, const TRect& rect) const;
  virtual int32_t GetPopupBorderStyle() const { return 1; }

  // --- tabs and indicator -------------------------------------------------------
  virtual void PaintTab(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxBorders /*borders*/, std::string_view /*text*/,
                        TlxButtonState /*state*/, bool /*vertical*/, const TFont* /*font*/, TColor /*text_color*/,
                        TColor /*background_color*/, bool /*show_prefix*/ = false) const {}
  virtual void PaintTabBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxBorder /*side*/, TlxBorders /*borders*/,
                              bool /*vertical*/) const {}
  virtual void PaintTabsRoot(TlxCanvas& /*canvas*/, const TRect& /*rect*/, TlxBorders /*borders*/,
                             bool /*vertical*/) const {}
  virtual bool TabPaintingSupported(bool /*vertical*/) const { return false; }
  virtual bool TabHotTrackEnabled(bool /*vertical*/) const { return false; }
  virtual int32_t GetTabBorderSize(bool /*vertical*/) const { return 0; }
  virtual void PaintIndicatorCustomizationMark(TlxCanvas& canvas, const TRect& rect, TColor color) const;
  virtual void PaintIndicatorImage(TlxCanvas& canvas, const TRect& rect, TlxIndicatorKind kind) const;
  virtual void PaintIndicatorItem(TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind,
                                  TColor background_color, const TlxBackgroundCallback& on_draw_background) const;
  virtual void PaintIndicatorItemWithNeighbors(TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind,
                                               TColor background_color,
                                               const TlxBackgroundCallback& on_draw_background) const;
  virtual bool IndicatorItemsPaintedFirst() const { return true; }

  // --- scroll bar, size grip, calendar, scheduler and clock ---------------------
  virtual int32_t GetScrollBarMinThumbSize(bool /*vertical*/) const { return 8; }
  virtual void PaintScrollBarPart(TlxCanvas& /*canvas*/, bool /*horizontal*/, const TRect& /*rect*/,
                                  TlxScrollBarPart /*part*/, TlxButtonState /*state*/) const {}
  virtual TSize GetSizeGripSize() const;
  virtual void PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const;
  virtual void ComputeSchedulerNavButtonRects(bool next_button, bool collapsed, TSize caption_size1,
                                              TSize caption_size2, TRect& bounds, TRect& text_rect,
                                              TRect& arrow_rect) const;
  virtual void PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text,
                                TlxHeaderNeighbors neighbors, const TlxPaintParams& view_params, int32_t arrows,
                                int32_t side_width, const TlxBackgroundCallback& on_draw_background) const;
  virtual void PaintSchedulerBorder(TlxCanvas& canvas, const TRect& rect) const { PaintBorder(canvas, rect); }
  virtual void PaintSchedulerEventProgress(TlxCanvas& canvas, const TRect& bounds, const TRect& progress,
                                           const TlxPaintParams& view_params, bool frame_only) const;
  virtual void PaintSchedulerNavButton(TlxCanvas& canvas, const TRect& bounds, bool next_button, TlxButtonState state,
                                       std::string_view caption, const TRect& text_rect, const TRect& arrow_rect) const;
  virtual void PaintSchedulerNavButtonArrow(TlxCanvas& canvas, const TRect& rect, bool next_button, TColor color) const;
  virtual void PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const;
  virtual void PaintSchedulerSplitterBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/,
                                            const TlxPaintParams& /*view_params*/, bool /*horizontal*/) const {}
  virtual TlxMargins GetSchedulerEventProgressOffsets() const { return TlxMargins(2, 2, 2, 2); }
  virtual void GetSchedulerNavButtonSizes(bool next_button, TlxMargins& border_sizes, TSize& arrow_size) const;
  virtual int32_t GetChartToolBoxDataLevelInfoBorderSize() const { return 1; }
  virtual void PaintClock(TlxCanvas& canvas, const TRect& bounds, int32_t hour, int32_t minute, int32_t second,
                          TColor background_color) const;

  // --- editor, navigator, progress bar, group box, panel, track bar, splitter --
  // No painter of this library draws these; callers draw their own parts
  // when the painter gives nothing.
  virtual void PaintEditorButton(TlxCanvas& /*canvas*/, const TRect& /*rect*/, int32_t /*kind*/,
                                 TlxButtonState /*state*/) const {}
  virtual int32_t GetEditButtonTextOffset() const { return 0; }
  virtual TSize GetEditButtonSize() const { return TSize{0, 0}; }
  virtual TColor GetEditButtonTextColor() const { return clDefault; }
  virtual TColor GetContainerFrameColor(bool /*highlighted*/) const { return clDefault; }
  virtual void PaintNavigatorGlyph(TlxCanvas& canvas, TCustomImageList* images, int32_t image_index,
                                   const TRect& button_rect, bool enabled, bool user_glyphs, int32_t button) const;
  virtual TSize GetNavigatorGlyphSize() const { return TSize{0, 0}; }
  virtual void PaintProgressBarBorder(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*vertical*/) const {}
  virtual void PaintProgressBarChunk(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*vertical*/) const {}
  virtual TlxMargins GetProgressBarBorderSize(bool /*vertical*/) const { return TlxMargins(); }
  virtual TColor GetProgressBarTextColor() const { return clDefault; }
  virtual void PaintGroupBoxBackground(TlxCanvas& /*canvas*/, const TRect& /*bounds*/, const TRect& /*rect*/) const {}
  virtual void PaintGroupBoxCaption(TlxCanvas& /*canvas*/, const TRect& /*caption_rect*/,
                                    int32_t /*caption_position*/) const {}
  virtual void PaintGroupBoxContent(TlxCanvas& /*canvas*/, const TRect& /*rect*/, int32_t /*caption_position*/,
                                    TlxBorders /*borders*/) const {}
  virtual TlxMargins GetGroupBoxBorderSize(bool /*caption*/, int32_t /*caption_position*/) const {
    return TlxMargins();
  }
  virtual TColor GetGroupBoxTextColor() const { return clDefault; }
  virtual bool GroupBoxIsTransparent(bool /*caption*/, int32_t /*caption_position*/) const { return false; }
  virtual void PaintPanelBackground(TlxCanvas& canvas, TControl* control, TColor color_from, TColor color_to,
                                    const TRect& bounds) const;
  virtual void PaintPanelBorders(TlxCanvas& /*canvas*/, const TRect& /*rect*/) const {}
  virtual void PaintPanelCaption(TlxCanvas& canvas, const TRect& caption_rect, int32_t caption_position) const {
    PaintGroupBoxCaption(canvas, caption_rect, caption_position);
  }
  virtual void PaintPanelContent(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*draw_border*/) const {}
  virtual TlxMargins GetPanelBorderSize() const { return TlxMargins(); }
  virtual TColor GetPanelTextColor() const { return clDefault; }
  virtual void PaintTrackBar(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*horizontal*/, int32_t /*ticks*/,
                             bool /*focused*/, TlxButtonState /*state*/) const {}
  virtual void PaintTrackBarThumb(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*horizontal*/, int32_t /*ticks*/,
                                  TlxButtonState /*state*/) const {}
  virtual TSize GetTrackBarThumbSize(bool /*horizontal*/) const { return TSize{0, 0}; }
  virtual TColor GetTrackBarTicksColor(bool /*text*/) const { return clDefault; }
  virtual int32_t GetTrackBarTrackSize() const { return 0; }
  virtual void PaintSplitter(TlxCanvas& /*canvas*/, const TRect& /*rect*/, bool /*hot*/, bool /*pressed*/,
                             bool /*horizontal*/) const {}
  virtual TSize GetSplitterExtent(bool /*horizontal*/) const { return TSize{0, 0}; }

  // --- shared drawing the operations above are made of ---------------------------
  static TlxTriangle ComputeArrowTriangle(const TRect& rect, TlxArrowDirection direction, bool proportional,
                                          int32_t size = 0) {
    return lxComputeArrowTriangle(rect, direction, proportional, size);
  }
  // The sorting arrow in the light and shadow colours.
  void PaintSortArrow(TlxCanvas& canvas, const TRect& rect, TColor shadow_color, TColor light_color,
                      bool ascending) const;
  // The close cross of the filter close button.
  void PaintButtonCross(TlxCanvas& canvas, const TRect& rect, TColor color, TlxButtonState state) const;
  void PaintMonthHeaderArrows(TlxCanvas& canvas, const TRect& bounds, int32_t arrows, int32_t side_width,
                              TColor color) const;
  static void PaintExpandCross(TlxCanvas& canvas, const TRect& rect, bool expanded, TColor color);
  void PaintGroupExpandMark(TlxCanvas& canvas, const TRect& rect, bool expanded, TlxButtonState state) const;
};

using TlxPainterClass = const TlxCustomLookAndFeelPainter*;

// The one instance of a painter class.
template <class Painter>
const Painter& lxPainter() {
  static const Painter painter;
  return painter;
}

// Canvas helpers the painters share.
// A filled polygon, brush and pen in one colour.
void lxFillTriangle(TlxCanvas& canvas, const TlxTriangle& triangle, TColor color);
// Pen polylines in one colour (a line leaves out its end pixel).
void lxDrawStroke(TlxCanvas& canvas, const TlxStroke& stroke, TColor color);
// Text in the font and colour through a clear brush, the brush solid after.
void lxDrawCellText(TlxCanvas& canvas, const TRect& text_bounds, TAlignment align_horz, TlxAlignmentVert align_vert,
                    bool multi_line, bool show_end_ellipsis, std::string_view text, const TFont* font,
                    TColor text_color, bool enabled = true);
// The canvas text flags of a painter cell.
TlxCanvasTextFlags lxCellTextFlags(TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                   bool show_end_ellipsis);
// A one-pixel frame of the given sides, left and top in one colour, right
// and bottom in another.
void lxFrame(TlxCanvas& canvas, const TRect& rect, TColor left_top, TColor right_bottom,
             TlxBorders borders = lxAllBorders);
// A one-pixel frame in one colour.
void lxFrame1(TlxCanvas& canvas, const TRect& rect, TColor color, TlxBorders borders = lxAllBorders);
TRect lxInflated(const TRect& rect, int32_t amount);
// The three sides a scheduler navigation button is framed on.
TlxBorders lxSchedulerNavButtonSides(bool next_button);
