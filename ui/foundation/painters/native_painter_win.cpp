#include "ui/foundation/painters/native_painter_win.h"

#include <algorithm>

#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/geometry/rect_functions.h"
#include "ui/foundation/painters/ultra_flat_painter_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kBorderColorProperty = 3801;
constexpr int32_t kTextColorProperty = 3803;
constexpr int32_t kButtonFaceColorProperty = 204;
const TRect kMeasureRect(0, 0, 100, 100);

HTHEME Theme(TlxThemedObjectType type) { return lxOpenThemeHandle(type); }

// The state numbers of parts whose states run normal, hot, pressed,
// disabled (default drawn as normal).
int32_t FourState(TlxButtonState state) {
  switch (state) {
    case lxbsHot:
      return 2;
    case lxbsPressed:
      return 3;
    case lxbsDisabled:
      return 4;
    default:
      return 1;
  }
}

// The margins of a part's content rectangle in a 100 x 100 rectangle.
bool ContentMargins(HTHEME theme, int32_t part, int32_t state, TlxMargins& margins) {
  RECT content{};
  if (FAILED(
          lxUxGetThemeBackgroundContentRect(theme, lxGetScreenCanvas().Handle(), part, state, kMeasureRect, content)))
    return false;
  margins = TlxMargins(content.left - kMeasureRect.Left, content.top - kMeasureRect.Top,
                       kMeasureRect.Right - content.right, kMeasureRect.Bottom - content.bottom);
  return true;
}

bool TruePartSize(HTHEME theme, int32_t part, int32_t state, TSize& size) {
  SIZE result{};
  if (FAILED(lxUxGetThemePartSizeNoRect(theme, lxGetScreenCanvas().Handle(), part, state, TS_TRUE, result)))
    return false;
  size = TSize{result.cx, result.cy};
  return true;
}

void DrawPart(TlxCanvas& canvas, HTHEME theme, int32_t part, int32_t state, const TRect& rect,
              const TRect* clip = nullptr) {
  if (clip == nullptr) {
    lxUxDrawThemeBackground(theme, canvas.Handle(), part, state, rect);
    return;
  }
  const RECT clip_rect = *clip;
  lxUxDrawThemeBackground(theme, canvas.Handle(), part, state, rect, &clip_rect);
}

int32_t ScrollArrowState(TlxArrowDirection direction, TlxButtonState state) {
  const int32_t first = 1 + 4 * static_cast<int32_t>(direction);
  switch (state) {
    case lxbsHot:
      return first + 1;
    case lxbsPressed:
      return first + 2;
    case lxbsDisabled:
      return first + 3;
    default:
      return first;
  }
}

int32_t CheckState(TlxButtonState state, bool checked) { return FourState(state) + (checked ? 4 : 0); }

int32_t HeaderState(TlxButtonState state) {
  if (state == lxbsHot) return 2;
  if (state == lxbsPressed) return 3;
  return 1;
}

UINT ThemedTextFlags(TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
                     bool show_prefix) {
  UINT flags = DT_EDITCONTROL;
  flags |= align_horz == taRightJustify ? DT_RIGHT : align_horz == taCenter ? DT_CENTER : DT_LEFT;
  flags |= align_vert == vaBottom ? DT_BOTTOM : align_vert == vaCenter ? DT_VCENTER : DT_TOP;
  flags |= multi_line ? DT_WORDBREAK : DT_SINGLELINE;
  if (show_end_ellipsis) flags |= DT_END_ELLIPSIS;
  if (!show_prefix) flags |= DT_NOPREFIX;
  return flags;
}

// A 32-bit top-down surface whose pixels can be moved about directly.
class DibSurface {
 public:
  DibSurface(int32_t width, int32_t height) : width_(std::max(width, 1)), height_(std::max(height, 1)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  // Pixel (x, y) goes to (y, x) of `target`, which is height x width.
  void TransposeInto(DibSurface& target) const {
    GdiFlush();
    for (int32_t y = 0; y < height_ && y < target.width_; ++y)
      for (int32_t x = 0; x < width_ && x < target.height_; ++x)
        target.bits_[x * target.width_ + y] = bits_[y * width_ + x];
  }

 private:
  int32_t width_;
  int32_t height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

}  // namespace

// --- added operation ---------------------------------------------------------------

void TlxWinXPLookAndFeelPainter::PaintThemedContentText(TlxCanvas& canvas, HTHEME theme, int32_t part, int32_t state,
                                                        const TRect& /*bounds*/, const TRect& text_rect,
                                                        TAlignment align_horz, TlxAlignmentVert align_vert,
                                                        bool multi_line, bool show_end_ellipsis, bool show_prefix,
                                                        std::string_view text, const TFont* font, TColor text_color,
                                                        TColor /*background_color*/) const {
  if (text.empty()) return;
  if (font != nullptr) canvas.AssignFont(*font);
  canvas.Font().SetColor(text_color);
  TRect r = text_rect;
  if (multi_line) {
    const int32_t alignment = align_vert == vaBottom ? 1 : align_vert == vaCenter ? 2 : 0;
    canvas.AlignTextRectVert(r, text, alignment, true, show_prefix, true, false);
  }
  SetBkMode(canvas.Handle(), TRANSPARENT);
  lxUxDrawThemeTextAnsi(theme, canvas.Handle(), part, state, text,
                        ThemedTextFlags(align_horz, align_vert, multi_line, show_end_ellipsis, show_prefix), 0, r);
}

// --- values and metrics ---------------------------------------------------------------

TColor TlxWinXPLookAndFeelPainter::GetDefaultSchedulerBorderColor() const {
  HTHEME theme = Theme(totComboBox);
  COLORREF color = 0;
  if (theme != nullptr && SUCCEEDED(lxUxGetThemeColor(theme, 1, 1, kBorderColorProperty, color)))
    return static_cast<TColor>(color);
  return TlxStandardLookAndFeelPainter::GetDefaultSchedulerBorderColor();
}

int32_t TlxWinXPLookAndFeelPainter::GetBorderSize() const {
  return Theme(totListView) != nullptr ? 1 : TlxStandardLookAndFeelPainter::GetBorderSize();
}

TRect TlxWinXPLookAndFeelPainter::GetGroupButtonDisplayRect(const TRect& rect, int32_t /*button_count*/,
                                                            int32_t /*button_index*/) const {
  HTHEME theme = Theme(totButton);
  if (theme != nullptr && lxUxIsThemeBackgroundPartiallyTransparent(theme, 1, 1)) return lxInflated(rect, 1);
  return rect;
}

int32_t TlxWinXPLookAndFeelPainter::GetButtonBorderSize(TlxButtonState state) const {
  HTHEME theme = Theme(totButton);
  TlxMargins margins;
  if (theme != nullptr && ContentMargins(theme, 1, lxButtonStateToThemeState(state), margins)) return margins.Left;
  return TlxStandardLookAndFeelPainter::GetButtonBorderSize(lxbsNormal);
}

TColor TlxWinXPLookAndFeelPainter::GetButtonColor(TlxButtonState state) const {
  HTHEME theme = Theme(totButton);
  COLORREF color = 0;
  if (theme != nullptr &&
      SUCCEEDED(lxUxGetThemeColor(theme, 1, lxButtonStateToThemeState(state), kButtonFaceColorProperty, color)))
    return static_cast<TColor>(color);
  return TlxStandardLookAndFeelPainter::GetButtonColor(state);
}

TRect TlxWinXPLookAndFeelPainter::GetButtonFocusRect(TlxCanvas& canvas, const TRect& rect) const {
  HTHEME theme = Theme(totButton);
  RECT content{};
  if (theme != nullptr && SUCCEEDED(lxUxGetThemeBackgroundContentRect(theme, canvas.Handle(), 1, 1, rect, content)))
    return TRect(content);
  return TlxStandardLookAndFeelPainter::GetButtonFocusRect(canvas, rect);
}

TlxMargins TlxWinXPLookAndFeelPainter::GetButtonGroupBorderSizes(int32_t button_count, int32_t button_index) const {
  HTHEME theme = Theme(totButton);
  TlxMargins margins;
  if (theme == nullptr || !ContentMargins(theme, 1, 1, margins))
    return TlxStandardLookAndFeelPainter::GetButtonGroupBorderSizes(button_count, button_index);
  if (lxUxIsThemeBackgroundPartiallyTransparent(theme, 1, 1)) margins = lxInflated(margins, -1);
  return margins;
}

TColor TlxWinXPLookAndFeelPainter::GetButtonSymbolColor(TlxButtonState state, TColor default_color) const {
  HTHEME theme = Theme(totButton);
  COLORREF color = 0;
  if (theme != nullptr &&
      SUCCEEDED(lxUxGetThemeColor(theme, 1, lxButtonStateToThemeState(state), kTextColorProperty, color)))
    return static_cast<TColor>(color);
  return TlxStandardLookAndFeelPainter::GetButtonSymbolColor(state, default_color);
}

int32_t TlxWinXPLookAndFeelPainter::GetExpandButtonSize() const {
  HTHEME theme = Theme(totTreeView);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 2, 2, size)) return size.cx;
  return TlxStandardLookAndFeelPainter::GetExpandButtonSize();
}

int32_t TlxWinXPLookAndFeelPainter::GetGroupExpandButtonSize() const {
  HTHEME theme = Theme(totExplorerBar);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 7, 1, size)) return size.cx;
  return TlxStandardLookAndFeelPainter::GetGroupExpandButtonSize();
}

int32_t TlxWinXPLookAndFeelPainter::GetSmallExpandButtonSize() const {
  if (Theme(totTreeView) != nullptr) return GetExpandButtonSize();
  return TlxStandardLookAndFeelPainter::GetSmallExpandButtonSize();
}

int32_t TlxWinXPLookAndFeelPainter::GetCheckBorderSize() const {
  return Theme(totButton) != nullptr ? 0 : TlxStandardLookAndFeelPainter::GetCheckBorderSize();
}

TSize TlxWinXPLookAndFeelPainter::GetCheckButtonSize() const {
  HTHEME theme = Theme(totButton);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 3, 5, size)) return size;
  return TlxStandardLookAndFeelPainter::GetCheckButtonSize();
}

TSize TlxWinXPLookAndFeelPainter::GetRadioButtonSize() const {
  HTHEME theme = Theme(totButton);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 2, 1, size)) return size;
  return TlxStandardLookAndFeelPainter::GetRadioButtonSize();
}

int32_t TlxWinXPLookAndFeelPainter::GetHeaderBorderSize() const {
  HTHEME theme = Theme(totHeader);
  TlxMargins margins;
  if (theme != nullptr && ContentMargins(theme, 1, 1, margins))
    return std::max<int32_t>((margins.Left + margins.Top) / 2, 1);
  return TlxStandardLookAndFeelPainter::GetHeaderBorderSize();
}

TRect TlxWinXPLookAndFeelPainter::GetHeaderControlSectionContentBounds(const TRect& bounds,
                                                                       TlxButtonState state) const {
  if (Theme(totHeader) != nullptr) return lxInflated(bounds, -GetHeaderBorderSize());
  return TlxCustomLookAndFeelPainter::GetHeaderControlSectionContentBounds(bounds, state);
}

int32_t TlxWinXPLookAndFeelPainter::GetFooterCellBorderSize() const {
  HTHEME theme = Theme(totTrackBar);
  TlxMargins margins;
  if (theme != nullptr && ContentMargins(theme, 1, 1, margins)) return margins.Left;
  return TlxStandardLookAndFeelPainter::GetFooterCellBorderSize();
}

TSize TlxWinXPLookAndFeelPainter::GetFilterActivateButtonSize() const {
  HTHEME theme = Theme(totButton);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 3, 5, size)) return size;
  return TlxStandardLookAndFeelPainter::GetFilterActivateButtonSize();
}

TSize TlxWinXPLookAndFeelPainter::GetFilterCloseButtonSize() const {
  HTHEME theme = Theme(totWindow);
  TSize size;
  if (theme != nullptr && TruePartSize(theme, 19, 1, size)) return TSize{size.cx + 4, size.cy + 4};
  return TlxStandardLookAndFeelPainter::GetFilterCloseButtonSize();
}

bool TlxWinXPLookAndFeelPainter::TabPaintingSupported(bool /*vertical*/) const { return Theme(totTab) != nullptr; }

bool TlxWinXPLookAndFeelPainter::TabHotTrackEnabled(bool /*vertical*/) const { return Theme(totTab) != nullptr; }

int32_t TlxWinXPLookAndFeelPainter::GetScrollBarMinThumbSize(bool vertical) const {
  constexpr int32_t kLeast = 8;
  HTHEME theme = Theme(totScrollBar);
  if (theme == nullptr) return kLeast;
  const int32_t part = vertical ? 8 : 9;
  SIZE minimum{};
  if (FAILED(lxUxGetThemePartSizeNoRect(theme, lxGetScreenCanvas().Handle(), part, 1, TS_MIN, minimum))) return kLeast;
  SIZE true_size{};
  int32_t length = 0;
  if (FAILED(lxUxGetThemePartSizeNoRect(theme, lxGetScreenCanvas().Handle(), part, 1, TS_TRUE, true_size)))
    length = vertical ? minimum.cy : minimum.cx;
  else
    length =
        vertical ? std::max<int32_t>(true_size.cy, minimum.cy + 4) : std::max<int32_t>(true_size.cx, minimum.cx + 4);
  return std::max(length, kLeast);
}

// --- drawing ---------------------------------------------------------------------------

void TlxWinXPLookAndFeelPainter::PaintArrowButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                  TlxArrowDirection direction, bool draw_border) const {
  HTHEME theme = Theme(totScrollBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintArrowButton(canvas, rect, state, direction, draw_border);
    return;
  }
  DrawPart(canvas, theme, 1, ScrollArrowState(direction, state), rect);
}

void TlxWinXPLookAndFeelPainter::PaintArrowButtonBorder(TlxCanvas& canvas, const TRect& rect,
                                                        TlxButtonState state) const {
  HTHEME theme = Theme(totButton);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintArrowButtonBorder(canvas, rect, state);
    return;
  }
  DrawPart(canvas, theme, 1, lxButtonStateToThemeState(state), rect);
}

void TlxWinXPLookAndFeelPainter::PaintBorder(TlxCanvas& canvas, const TRect& rect) const {
  HTHEME theme = Theme(totListView);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintBorder(canvas, rect);
    return;
  }
  canvas.PushDC();
  canvas.ExcludeFromClip(lxInflated(rect, -1));
  DrawPart(canvas, theme, 5, 0, rect);
  canvas.PopDC();
}

void TlxWinXPLookAndFeelPainter::PaintButton(TlxCanvas& canvas, const TRect& rect, std::string_view caption,
                                             TlxButtonState state, bool draw_border, TColor background_color,
                                             TColor text_color, bool word_wrap) const {
  HTHEME theme = Theme(totButton);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintButton(canvas, rect, caption, state, draw_border, background_color, text_color,
                                               word_wrap);
    return;
  }
  const int32_t theme_state = lxButtonStateToThemeState(state);
  DrawPart(canvas, theme, 1, theme_state, rect);
  if (caption.empty()) return;
  SetBkMode(canvas.Handle(), TRANSPARENT);
  lxUxDrawThemeTextAnsi(theme, canvas.Handle(), 1, theme_state, caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0,
                        rect);
}

void TlxWinXPLookAndFeelPainter::PaintExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                   TColor color) const {
  HTHEME theme = Theme(totTreeView);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintExpandButton(canvas, rect, expanded, color);
    return;
  }
  DrawPart(canvas, theme, 2, expanded ? 2 : 1, rect);
  canvas.ExcludeFromClip(rect);
}

void TlxWinXPLookAndFeelPainter::PaintGroupExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                        TlxButtonState state) const {
  HTHEME theme = Theme(totExplorerBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintGroupExpandButton(canvas, rect, expanded, state);
    return;
  }
  DrawPart(canvas, theme, expanded ? 6 : 7, HeaderState(state), rect);
}

void TlxWinXPLookAndFeelPainter::PaintSmallExpandButton(TlxCanvas& canvas, const TRect& rect, bool expanded,
                                                        TColor /*frame_color*/, TColor fill_color) const {
  if (Theme(totTreeView) != nullptr) {
    PaintExpandButton(canvas, rect, expanded, clDefault);
    return;
  }
  TlxCustomLookAndFeelPainter::PaintSmallExpandButton(canvas, rect, expanded, fill_color, clDefault);
}

bool TlxWinXPLookAndFeelPainter::HitTestGroupExpandButton(const TRect& rect, const TPoint& point) const {
  HTHEME theme = Theme(totExplorerBar);
  HRGN region = nullptr;
  if (theme == nullptr ||
      FAILED(lxUxGetThemeBackgroundRegion(theme, lxGetScreenCanvas().Handle(), 7, 1, rect, region)) ||
      region == nullptr)
    return TlxStandardLookAndFeelPainter::HitTestGroupExpandButton(rect, point);
  const bool inside = PtInRegion(region, point.X, point.Y) != FALSE;
  DeleteObject(region);
  return inside;
}

void TlxWinXPLookAndFeelPainter::PaintCheckMark(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                bool checked, TColor color) const {
  HTHEME theme = Theme(totButton);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintCheckMark(canvas, rect, state, checked, color);
    return;
  }
  DrawPart(canvas, theme, 3, CheckState(state, checked), rect);
}

void TlxWinXPLookAndFeelPainter::PaintCheckBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState state) const {
  if (Theme(totButton) == nullptr) TlxStandardLookAndFeelPainter::PaintCheckBorder(canvas, rect, state);
}

void TlxWinXPLookAndFeelPainter::PaintRadioButton(TlxCanvas& canvas, int32_t x, int32_t y, TlxButtonState state,
                                                  bool checked, bool focused, TColor background_color,
                                                  bool designing) const {
  HTHEME theme = Theme(totButton);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintRadioButton(canvas, x, y, state, checked, focused, background_color, designing);
    return;
  }
  const TSize size = GetRadioButtonSize();
  DrawPart(canvas, theme, 2, CheckState(state, checked), TRect(x, y, x + size.cx, y + size.cy));
}

void TlxWinXPLookAndFeelPainter::PaintHeader(TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds,
                                             TlxHeaderNeighbors neighbors, TlxBorders borders, TlxButtonState state,
                                             TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line,
                                             bool show_end_ellipsis, std::string_view text, const TFont* font,
                                             TColor text_color, TColor background_color,
                                             const TlxBackgroundCallback& on_draw_background, bool is_last,
                                             bool reserved) const {
  HTHEME theme = Theme(totHeader);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintHeader(canvas, bounds, text_bounds, neighbors, borders, state, align_horz,
                                               align_vert, multi_line, show_end_ellipsis, text, font, text_color,
                                               background_color, on_draw_background, is_last, reserved);
    return;
  }
  const int32_t header_state = HeaderState(state);
  const TlxOffice11Scheme scheme = lxOffice11CurrentScheme();
  const bool right_item =
      is_last && header_state == 1 && (scheme == lxOffice11SchemeBlue || scheme == lxOffice11SchemeOlive);
  const int32_t part = right_item ? 3 : 1;
  DrawPart(canvas, theme, part, header_state, bounds);
  const TRect text_rect = state == lxbsPressed ? lxRectShifted(text_bounds, 1, 1) : text_bounds;
  PaintThemedContentText(canvas, theme, part, header_state, bounds, text_rect, align_horz, align_vert, multi_line,
                         show_end_ellipsis, false, text, font, text_color, background_color);
}

void TlxWinXPLookAndFeelPainter::PaintHeaderControlSection(
    TlxCanvas& canvas, const TRect& bounds, const TRect& text_bounds, TlxHeaderNeighbors neighbors, TlxBorders borders,
    TlxButtonState state, TAlignment align_horz, TlxAlignmentVert align_vert, bool multi_line, bool show_end_ellipsis,
    std::string_view text, const TFont* font, TColor text_color, TColor background_color) const {
  canvas.FillRectColor(bounds, clBtnFace);
  PaintHeader(canvas, bounds, text_bounds, neighbors, borders, state, align_horz, align_vert, multi_line,
              show_end_ellipsis, text, font, text_color, background_color, nullptr, false, false);
}

void TlxWinXPLookAndFeelPainter::PaintSortingMark(TlxCanvas& canvas, const TRect& rect, bool ascending) const {
  PaintSortArrow(canvas, rect, clBtnShadow, clBtnShadow, ascending);
}

void TlxWinXPLookAndFeelPainter::PaintFooterBorder(TlxCanvas& canvas, const TRect& rect) const {
  HTHEME theme = Theme(totEdit);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintFooterBorder(canvas, rect);
    return;
  }
  lxUxDrawThemeEdge(theme, canvas.Handle(), 0, 0, rect, BDR_RAISEDINNER, BF_RECT, nullptr);
}

void TlxWinXPLookAndFeelPainter::PaintFooterCell(TlxCanvas& canvas, const TRect& bounds, TAlignment align_horz,
                                                 TlxAlignmentVert align_vert, bool multi_line, std::string_view text,
                                                 const TFont* font, TColor text_color, TColor background_color,
                                                 const TlxBackgroundCallback& on_draw_background) const {
  HTHEME theme = Theme(totTrackBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintFooterCell(canvas, bounds, align_horz, align_vert, multi_line, text, font,
                                                   text_color, background_color, on_draw_background);
    return;
  }
  DrawPart(canvas, theme, 1, 1, bounds);
  PaintThemedContentText(canvas, theme, 1, 1, bounds, GetFooterCellTextBounds(bounds), align_horz, align_vert,
                         multi_line, false, false, text, font, text_color, background_color);
}

void TlxWinXPLookAndFeelPainter::PaintFilterCloseButton(TlxCanvas& canvas, const TRect& rect,
                                                        TlxButtonState state) const {
  HTHEME theme = Theme(totWindow);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintFilterCloseButton(canvas, rect, state);
    return;
  }
  DrawPart(canvas, theme, 19, FourState(state), rect);
}

void TlxWinXPLookAndFeelPainter::PaintFilterDropDownButton(TlxCanvas& canvas, const TRect& rect, TlxButtonState state,
                                                           bool filter_active) const {
  HTHEME theme = Theme(totComboBox);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintFilterDropDownButton(canvas, rect, state, filter_active);
    return;
  }
  DrawPart(canvas, theme, 1, FourState(state), rect);
}

void TlxWinXPLookAndFeelPainter::PaintTab(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                          std::string_view text, TlxButtonState state, bool vertical, const TFont* font,
                                          TColor text_color, TColor background_color, bool show_prefix) const {
  HTHEME theme = Theme(totTab);
  if (theme == nullptr) return;
  const int32_t tab_state = FourState(state);
  const bool pressed = state == lxbsPressed;
  const TlxBorder start = vertical ? bTop : bLeft;
  const TlxBorder end = vertical ? bBottom : bRight;
  // Vertical tabs are drawn lying down and then stood up.
  TRect clip = vertical ? TRect(0, 0, rect.Height(), rect.Width()) : rect;
  TRect background = clip;
  if (!borders.Contains(start)) background.Left -= 2;
  if (!borders.Contains(end)) background.Right += 2;
  if (pressed)
    ++background.Bottom;
  else
    --clip.Bottom;
  if (!vertical) {
    DrawPart(canvas, theme, 1, tab_state, background, &clip);
  } else {
    DibSurface lying(rect.Height(), rect.Width());
    DibSurface standing(rect.Width(), rect.Height());
    BitBlt(standing.dc(), 0, 0, rect.Width(), rect.Height(), canvas.Handle(), rect.Left, rect.Top, SRCCOPY);
    standing.TransposeInto(lying);
    const RECT clip_rect = clip;
    lxUxDrawThemeBackground(theme, lying.dc(), 1, tab_state, background, &clip_rect);
    lying.TransposeInto(standing);
    clip = TRect(clip.Top, clip.Left, clip.Bottom, clip.Right);
    background = TRect(background.Top, background.Left, background.Bottom, background.Right);
    BitBlt(canvas.Handle(), rect.Left + clip.Left, rect.Top + clip.Top, clip.Width(), clip.Height(), standing.dc(),
           clip.Left, clip.Top, SRCCOPY);
    clip = lxRectShifted(clip, rect.Left, rect.Top);
    background = lxRectShifted(background, rect.Left, rect.Top);
  }
  if (pressed) {
    if (vertical)
      background.Right -= 2;
    else
      background.Bottom -= 2;
  }
  PaintThemedContentText(canvas, theme, 1, tab_state, clip, background, taCenter, vaCenter, false, false, show_prefix,
                         text, font, text_color, background_color);
}

void TlxWinXPLookAndFeelPainter::PaintTabBorder(TlxCanvas& canvas, const TRect& rect, TlxBorder side,
                                                TlxBorders borders, bool vertical) const {
  if (Theme(totTab) == nullptr) TlxStandardLookAndFeelPainter::PaintTabBorder(canvas, rect, side, borders, vertical);
}

void TlxWinXPLookAndFeelPainter::PaintTabsRoot(TlxCanvas& canvas, const TRect& rect, TlxBorders borders,
                                               bool vertical) const {
  HTHEME theme = Theme(totTab);
  RECT content{};
  if (theme == nullptr || FAILED(lxUxGetThemeBackgroundContentRect(theme, canvas.Handle(), 9, 0, rect, content))) {
    TlxStandardLookAndFeelPainter::PaintTabsRoot(canvas, rect, borders, vertical);
    return;
  }
  const TlxMargins margins(content.left - rect.Left, content.top - rect.Top, rect.Right - content.right,
                           rect.Bottom - content.bottom);
  TRect pane = rect;
  if (vertical) {
    pane.Bottom += margins.Bottom - margins.Top;
    pane.Right += 10;
  } else {
    pane.Right += margins.Right - margins.Left;
    pane.Bottom += 10;
  }
  DrawPart(canvas, theme, 9, 0, pane, &rect);
}

void TlxWinXPLookAndFeelPainter::PaintIndicatorItem(TlxCanvas& canvas, const TRect& bounds, TlxIndicatorKind kind,
                                                    TColor background_color,
                                                    const TlxBackgroundCallback& on_draw_background) const {
  const TlxCustomLookAndFeelPainter& flat = lxPainter<TlxFlatLookAndFeelPainter>();
  flat.PaintIndicatorItem(canvas, bounds, kind, background_color, on_draw_background);
}

void TlxWinXPLookAndFeelPainter::PaintScrollBarPart(TlxCanvas& canvas, bool horizontal, const TRect& rect,
                                                    TlxScrollBarPart part, TlxButtonState state) const {
  HTHEME theme = Theme(totScrollBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintScrollBarPart(canvas, horizontal, rect, part, state);
    return;
  }
  if (rect.IsEmpty() || part == sbpNone) return;
  if (part == sbpLineUp || part == sbpLineDown) {
    PaintArrowButton(canvas, rect, state, lxScrollBarArrowDirection(horizontal, part), true);
    return;
  }
  const int32_t part_state = FourState(state);
  if (part == sbpThumbnail) {
    DrawPart(canvas, theme, horizontal ? 2 : 3, part_state, rect);
    DrawPart(canvas, theme, horizontal ? 8 : 9, 0, rect);
    return;
  }
  const int32_t page_part = horizontal ? (part == sbpPageUp ? 4 : 5) : (part == sbpPageUp ? 6 : 7);
  DrawPart(canvas, theme, page_part, part_state, rect);
}

void TlxWinXPLookAndFeelPainter::PaintSizeGrip(TlxCanvas& canvas, const TRect& rect, TColor background_color) const {
  HTHEME theme = Theme(totScrollBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintSizeGrip(canvas, rect, clDefault);
    return;
  }
  canvas.FillRectColor(rect, background_color);
  DrawPart(canvas, theme, 10, 1, rect);
}

void TlxWinXPLookAndFeelPainter::PaintMonthHeader(TlxCanvas& canvas, const TRect& bounds, std::string_view text,
                                                  TlxHeaderNeighbors neighbors, const TlxPaintParams& view_params,
                                                  int32_t arrows, int32_t side_width,
                                                  const TlxBackgroundCallback& on_draw_background) const {
  PaintHeader(canvas, bounds, bounds, neighbors, lxAllBorders, lxbsNormal, taCenter, vaCenter, false, false, text,
              view_params.Font, view_params.TextColor, view_params.Color, on_draw_background,
              !neighbors.Contains(bRight), false);
  PaintMonthHeaderArrows(canvas, bounds, arrows, side_width, clWindowText);
}

void TlxWinXPLookAndFeelPainter::PaintSchedulerEventProgress(TlxCanvas& canvas, const TRect& bounds,
                                                             const TRect& progress, const TlxPaintParams& view_params,
                                                             bool frame_only) const {
  HTHEME theme = Theme(totProgress);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintSchedulerEventProgress(canvas, bounds, progress, view_params, frame_only);
    return;
  }
  DrawPart(canvas, theme, 1, 0, bounds);
  DrawPart(canvas, theme, 3, 0, progress);
}

void TlxWinXPLookAndFeelPainter::PaintSchedulerNavButtonFace(TlxCanvas& canvas, const TRect& bounds,
                                                             const TRect& arrow_rect, bool next_button,
                                                             TlxButtonState state) const {
  HTHEME theme = Theme(totTab);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintSchedulerNavButtonFace(canvas, bounds, arrow_rect, next_button, state);
    return;
  }
  // The tab is drawn turned toward the button's free side.
  DibSurface standing(bounds.Width(), bounds.Height());
  DibSurface lying(bounds.Height(), bounds.Width());
  BitBlt(standing.dc(), 0, 0, bounds.Width(), bounds.Height(), canvas.Handle(), bounds.Left, bounds.Top, SRCCOPY);
  standing.TransposeInto(lying);
  lxUxDrawThemeBackground(theme, lying.dc(), 1, FourState(state), TRect(0, 0, bounds.Height(), bounds.Width()));
  lying.TransposeInto(standing);
  BitBlt(canvas.Handle(), bounds.Left, bounds.Top, bounds.Width(), bounds.Height(), standing.dc(), 0, 0, SRCCOPY);
  PaintSchedulerNavButtonArrow(canvas, arrow_rect, next_button, GetButtonSymbolColor(state));
}

void TlxWinXPLookAndFeelPainter::PaintSchedulerNavigatorButton(TlxCanvas& canvas, const TRect& rect,
                                                               TlxButtonState state) const {
  HTHEME theme = Theme(totToolBar);
  if (theme == nullptr) {
    TlxStandardLookAndFeelPainter::PaintSchedulerNavigatorButton(canvas, rect, state);
    return;
  }
  const int32_t tool_state = state == lxbsHot ? 5 : state == lxbsPressed ? 3 : state == lxbsDisabled ? 4 : 2;
  DrawPart(canvas, theme, 1, tool_state, rect);
}

void TlxWinXPLookAndFeelPainter::PaintSchedulerSplitterBorder(TlxCanvas& canvas, const TRect& rect,
                                                              const TlxPaintParams& view_params,
                                                              bool horizontal) const {
  HTHEME combo = Theme(totComboBox);
  COLORREF color = 0;
  if (combo == nullptr || Theme(totListView) == nullptr ||
      FAILED(lxUxGetThemeColor(combo, 1, 1, kBorderColorProperty, color))) {
    TlxStandardLookAndFeelPainter::PaintSchedulerSplitterBorder(canvas, rect, view_params, horizontal);
    return;
  }
  const TColor line = static_cast<TColor>(color);
  const TRect r = lxSplitterLines(canvas, rect, horizontal, line, line);
  canvas.FillRectWithFrame(r, view_params, 0, clDefault, 0);
}

void TlxWinXPLookAndFeelPainter::PaintPanelBackground(TlxCanvas& canvas, TControl* control, TColor color_from,
                                                      TColor /*color_to*/, const TRect& bounds) const {
  if (color_from == clDefault && control != nullptr)
    lxDrawParentBackground(control, canvas, bounds);
  else
    canvas.FillRectColor(bounds, color_from);
}
