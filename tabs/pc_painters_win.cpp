#include "tabs/pc_painters_win.h"

#include <algorithm>

#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "tabs/pc_flat_band_painters_win.h"
#include "tabs/pc_image_list_win.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/pc_slanted_painters_win.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/canvas/region_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

std::string lxPCStripAccelerators(const std::string& caption) {
  std::string text;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&')
        text += '&';
      ++i;
      if (i < caption.size() && caption[i] != '&')
        text += caption[i];
      continue;
    }
    text += caption[i];
  }
  return text;
}

namespace {

// Measures captions on the control's canvas in its font.
class TCanvasCaptionMeasurer : public IlxPCCaptionMeasurer {
 public:
  explicit TCanvasCaptionMeasurer(TlxCanvas& canvas) : canvas_(canvas) {}
  int32_t TextWidth(const std::string& caption) override {
    return canvas_.MeasureTextWidth(lxPCStripAccelerators(caption));
  }
  TlxPCCaptionFit FitCaption(const std::string& caption, int32_t max_width) override {
    const std::u16string wide = Utf8ToUtf16(caption);
    std::vector<wchar_t> buffer(wide.begin(), wide.end());
    buffer.resize(buffer.size() + 5, L'\0');
    RECT rect{0, 0, std::max(max_width, 0), 1000};
    DrawTextW(canvas_.Handle(), buffer.data(), -1, &rect,
              DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    return {rect.right - rect.left, Utf16ToUtf8(std::u16string(buffer.begin(), std::find(buffer.begin(), buffer.end(), L'\0')))};
  }
  int32_t TextHeight() override { return canvas_.MeasureTextHeight("Zg"); }

 private:
  TlxCanvas& canvas_;
};

TColor Resolve(TColor color) { return ColorToRGB(color); }

}  // namespace

// ---- TlxPCCustomPainter ---------------------------------------------------

TlxPCCustomPainter::TlxPCCustomPainter(TlxCustomTabControl& control, TlxPCPainterClass painter_class)
    : control_(control), class_(painter_class) {}

TlxPCCustomPainter::~TlxPCCustomPainter() = default;

bool TlxPCCustomPainter::IsFrameShown() const { return control_.ShowFrame(); }

TColor TlxPCCustomPainter::GetClientColor() const {
  TWinControl* page = control_.GetActivePageControl();
  if (page != nullptr && !page->ParentColor())
    return page->Color();
  return control_.Color();
}

TColor TlxPCCustomPainter::GetTabColor(int32_t visible_index) const {
  const TColor color = static_cast<TColor>(control_.Tabs().GetVisibleTab(visible_index)->Color());
  return color == clDefault ? control_.Color() : color;
}

TColor TlxPCCustomPainter::GetTabBaseColor(int32_t visible_index) const {
  const TlxTab* tab = control_.Tabs().GetVisibleTab(visible_index);
  const TColor color = static_cast<TColor>(tab->Color());
  if (color != clDefault)
    return color;
  if (!UsePageColorForTab() && !lxPCHasOption(control_.Options(), pcoUsePageColorForTab))
    return color;
  TWinControl* page = control_.GetPage(tab->Index());
  if (page == nullptr || page->ParentColor())
    return color;
  return page->Color();
}

TColor TlxPCCustomPainter::GetTabTextColor(int32_t visible_index) const {
  const TlxTab* tab = control_.Tabs().GetVisibleTab(visible_index);
  if (tab->Highlighted())
    return clHighlightText;
  if (tab->IsHot())
    return kPCHotTrackTextColor;
  return clBtnText;
}

TRect TlxPCCustomPainter::GetPageFrameRectOffset() const {
  TlxPCPageFrameInput input;
  input.ControlSize = {control_.Width(), control_.Height()};
  input.Position = control_.TabPosition();
  input.HideTabs = control_.HideTabs();
  input.RowCount = control_.RowCount();
  input.TopOrLeftRowCount = control_.TopOrLeftPartRowCount();
  input.RowLength = control_.TabsLayout().RowLength;
  input.TopOrLeftRowsBounds = control_.TopOrLeftPartClip();
  input.BottomOrRightRowsBounds = control_.BottomOrRightPartClip();
  return lxPCPageFrameRectOffset(input);
}

TRect TlxPCCustomPainter::GetPageClientRectOffset() const {
  const TRect offset = GetPageFrameRectOffset();
  const int32_t frame = IsFrameShown() ? GetFrameWidth() : 0;
  return {offset.Left + frame, offset.Top + frame, offset.Right + frame, offset.Bottom + frame};
}

TRect TlxPCCustomPainter::GetPageFrameRect() {
  return lxPCPageRectFromOffset({control_.Width(), control_.Height()}, control_.TabPosition(),
                                GetPageFrameRectOffset());
}

TRect TlxPCCustomPainter::GetPageClientRect() {
  return lxPCPageRectFromOffset({control_.Width(), control_.Height()}, control_.TabPosition(),
                                GetPageClientRectOffset());
}

void TlxPCCustomPainter::InvalidateRect(const TRect& rect) {
  if (control_.HandleAllocated() && !rect.IsEmpty())
    control_.TlxControl::InvalidateRect(rect, false);
}

void TlxPCCustomPainter::RepaintTab(int32_t visible_index, TlxPCTabChangeKind /*kind*/) {
  if (visible_index < 0 || visible_index >= control_.VisibleTabs().Count())
    return;
  TlxTab* tab = control_.Tabs().GetVisibleTab(visible_index);
  if (control_.IsTabTextVertical())
    tab->FreeVerticalCaptionBitmap();
  // The main tab stands out of its row: repaint the room around it too.
  InvalidateRect(tab->FullRect().Inflate(2, 2));
}

void TlxPCCustomPainter::GetDisplayedRange(int32_t& first, int32_t& last) const {
  first = 0;
  last = control_.VisibleTabs().Count() - 1;
  if (control_.MultiLine())
    return;
  first = std::max(control_.FirstDisplayedTab(), 0);
  last = std::min(control_.LastDisplayedTab(), last);
}

void TlxPCCustomPainter::RepaintButton(TlxPCNavigatorButton button, TlxPCNavigatorButtonState /*old_state*/) {
  InvalidateRect(GetButtonRect(button));
}

void TlxPCCustomPainter::Paint(TlxCanvas& canvas) {
  if (!control_.HideTabs()) {
    PaintButtons(canvas);
    PaintTabs(canvas);
  }
  PaintPageArea(canvas);
}

void TlxPCCustomPainter::PaintPageClientArea(TlxCanvas& canvas) {
  canvas.FillRectColor(GetPageClientRect(), GetClientColor());
}

void TlxPCCustomPainter::PaintPageArea(TlxCanvas& canvas) {
  if (IsFrameShown())
    PaintFrame(canvas);
  PaintPageClientArea(canvas);
  canvas.ExcludeFromClip(GetPageFrameRect());
}

void TlxPCCustomPainter::FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const {
  input.TabRect = tab.FullRect();
  input.Direction = control_.CaptionDirection();
  input.Caption = tab.Caption();
  input.Rotate = control_.Rotate();
  input.ButtonLike = IsTabButtonLike();
  input.Pressed = tab.IsMainTab();
  input.MainRowNearPage = IsMainTabRowNearPage();
  input.DrawingVariant = tab.DrawingVariant();
  input.ImageBorder = control_.ImageBorder();
  input.UseCaptionAlignment = control_.Rotate() && control_.TabWidth() <= 0 && control_.MaxRotatedTabWidth() <= 0;
  input.Alignment = control_.TabCaptionAlignment();
  input.MaxCaptionWidth = control_.MaxCaptionWidth();
  input.HasImages = HasImages();
  input.TabHasImage = HasTabImage(visible_index);
  input.ImageSize = control_.ImageList().GetImageSize();
  input.RotatedImageSize = control_.ImageList().GetRotatedImageSize();
}

bool TlxPCCustomPainter::IsCustomDraw() const { return control_.OwnerDraw() && control_.OnDrawTab != nullptr; }

bool TlxPCCustomPainter::DoCustomDrawTab(int32_t visible_index) {
  bool default_draw = true;
  control_.OnDrawTab(&control_, control_.Tabs().GetVisibleTab(visible_index), default_draw);
  return !default_draw;
}

bool TlxPCCustomPainter::HasImages() const { return control_.ImageList().GetImageSize().cx > 0; }

bool TlxPCCustomPainter::HasTabImage(int32_t visible_index) const {
  if (!HasImages())
    return false;
  const TlxTab* tab = control_.Tabs().GetVisibleTab(visible_index);
  return control_.GetTabImageIndex(tab->Index()) >= 0;
}

void TlxPCCustomPainter::PaintTabImage(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index,
                                       const TRect& image_rect) {
  if (image_rect.IsEmpty() || !HasTabImage(visible_index))
    return;
  TlxPCImageList& images = control_.ImageList();
  // The image's bitmap takes what the tab already shows beneath it.
  images.OnDrawBackground = [&](TBitmap& bitmap) {
    if (images.ImageRotationAngle() == 0)
      BitBlt(bitmap.Canvas().Handle(), 0, 0, image_rect.Width(), image_rect.Height(), canvas.Handle(),
             image_rect.Left, image_rect.Top, SRCCOPY);
  };
  TScopeExit forget([&images] { images.OnDrawBackground = nullptr; });
  images.Draw(canvas, image_rect.Left, image_rect.Top, control_.GetTabImageIndex(tab.Index()),
              ColorToRGB(GetTabColor(visible_index)), tab.IsEnabledForUse());
}

TlxPCTabContentRects TlxPCCustomPainter::PaintTabImageAndText(TlxCanvas& canvas, TlxTab& tab,
                                                              int32_t visible_index) {
  control_.PrepareTabFont(tab, canvas, GetTabTextColor(visible_index));
  TlxPCTabContentInput input;
  FillContentInput(input, tab, visible_index);
  TCanvasCaptionMeasurer measurer(canvas);
  const TlxPCTabContentRects rects = lxPCCalculateTabImageAndTextRects(input, measurer);
  PaintTabImage(canvas, tab, visible_index, rects.Image);
  if (rects.Caption.IsEmpty())
    return rects;
  if (input.Direction != 0 && !UsesNativeLook()) {
    PaintVerticalCaption(canvas, tab, visible_index, rects.Caption, input.Direction);
    return rects;
  }
  DrawTabText(canvas, tab, rects.Caption);
  return rects;
}

int32_t TlxPCCustomPainter::GetTabThemeState(int32_t visible_index) const {
  if (visible_index == control_.MainVisibleIndex())
    return 3;
  return visible_index == control_.HotVisibleIndex() ? 2 : 1;
}

void TlxPCCustomPainter::DrawTabText(TlxCanvas& canvas, TlxTab& tab, const TRect& rect) {
  SetBkMode(canvas.Handle(), TRANSPARENT);
  const std::u16string text = Utf8ToUtf16(tab.Caption());
  if (UsesNativeLook() && tab.IsEnabledForUse() && lxUxIsThemeActive()) {
    int32_t part = 0;
    int32_t state = 0;
    GetNativeTabPartAndState(tab.VisibleIndex(), part, state);
    lxUxDrawThemeText(lxOpenThemeHandle(totTab), canvas.Handle(), part, state, text,
                      DT_SINGLELINE | DT_END_ELLIPSIS, 0, rect);
    return;
  }
  auto draw = [&](const TRect& r, TColor color) {
    SetTextColor(canvas.Handle(), static_cast<COLORREF>(Resolve(color)));
    RECT system_rect = r;
    DrawTextW(canvas.Handle(), reinterpret_cast<const wchar_t*>(text.c_str()), -1, &system_rect,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  };
  if (tab.IsEnabledForUse()) {
    draw(rect, canvas.Font().Color());
    return;
  }
  // Embossed: a highlight copy one pixel down and right under the shadow.
  draw(rect.Offset(1, 1), clBtnHighlight);
  draw(rect, clBtnShadow);
}

void TlxPCCustomPainter::PaintVerticalCaption(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index,
                                              const TRect& caption, int32_t direction) {
  if (tab.VerticalCaptionBitmap() == nullptr) {
    // Drawn lying down on the tab's background, then turned upright once;
    // the bitmap lives until the next layout or repaint of the tab.
    const TSize lying{caption.Height(), caption.Width()};
    auto bitmap = std::make_unique<TBitmap>(lying.cx, lying.cy, pf32bit);
    bitmap->Canvas().SetFont(canvas.Font());
    TlxCanvas bitmap_canvas(bitmap->Canvas());
    bitmap_canvas.FillRectColor(Bounds(0, 0, lying.cx, lying.cy), GetTabColor(visible_index));
    PaintTabBackgroundOnBitmap(*bitmap, caption, visible_index);
    DrawTabText(bitmap_canvas, tab, Bounds(0, 0, lying.cx, lying.cy));
    lxRotateBitmap(nullptr, *bitmap, direction, false);
    tab.SetVerticalCaptionBitmap(std::move(bitmap));
  }
  canvas.DrawGraphic(caption.Left, caption.Top, static_cast<TBitmap*>(tab.VerticalCaptionBitmap()));
}

// ---- TlxPCStandardPainter -------------------------------------------------

TlxPCTabSizeInput TlxPCStandardPainter::SizeInput(int32_t visible_index) const {
  TlxPCTabSizeInput input;
  input.HasImages = HasImages();
  input.TabHasImage = visible_index >= 0 && HasTabImage(visible_index);
  input.ImageSize = Control().ImageList().GetRotatedImageSize();
  input.Rotate = Control().Rotate();
  input.ImageBorder = Control().ImageBorder();
  input.TabWidth = Control().TabWidth();
  input.TabHeight = Control().TabHeight();
  input.MinTabHeight = GetMinTabHeight();
  return input;
}

int32_t TlxPCStandardPainter::GetMinTabHeight() const {
  static constexpr int32_t kMinTabHeights[] = {18, 20, 20};
  return kMinTabHeights[PainterClass()->GetStandardStyle()];
}

int32_t TlxPCStandardPainter::CaptionWidth(TlxTab& tab) {
  TlxCanvas& canvas = Control().CurrentCanvas();
  canvas.AssignFont(Control().Font());
  return canvas.MeasureTextWidth(lxPCStripAccelerators(tab.Caption()));
}

int32_t TlxPCStandardPainter::CalculateTabNormalWidth(TlxTab& tab) {
  const int32_t visible_index = tab.VisibleIndex();
  const int32_t text_width = tab.Caption().empty() ? 0 : CaptionWidth(tab);
  return lxPCStandardTabNormalWidth(SizeInput(visible_index), visible_index, text_width);
}

int32_t TlxPCStandardPainter::GetTabContentHeight() {
  TlxCanvas& canvas = Control().CurrentCanvas();
  canvas.AssignFont(Control().Font());
  return lxPCStandardTabContentHeight(SizeInput(-1), canvas.MeasureTextHeight("Zg"));
}

int32_t TlxPCStandardPainter::CalculateTabNormalHeight() {
  return lxPCStandardTabNormalHeight(SizeInput(-1), GetTabContentHeight());
}

int32_t TlxPCStandardPainter::GetMinTabWidth(int32_t visible_index) {
  return lxPCStandardMinTabWidth(SizeInput(visible_index), visible_index);
}

void TlxPCStandardPainter::GetTabSpacing(int32_t& along, int32_t& across) {
  static constexpr int32_t kAlong[] = {0, 3, 10};
  static constexpr int32_t kAcross[] = {0, 3, 3};
  const int32_t column = PainterClass()->GetStandardStyle();
  along = kAlong[column];
  across = kAcross[column];
}

TlxPCNavigatorMetrics TlxPCStandardPainter::NavigatorMetrics() const {
  return lxPCStandardNavigatorMetrics(Control().TabPosition());
}

void TlxPCStandardPainter::CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) {
  const TlxPCNavigatorMetrics metrics = NavigatorMetrics();
  TlxPCTabsAreaInput input;
  input.ControlSize = {Control().Width(), Control().Height()};
  input.TabsAreaMargins = GetTabsAreaMargins();
  input.Position = Control().TabPosition();
  input.Navigator = Control().NavigatorPosition();
  if (Control().TabsContainerMode())
    input.ContainerOffsets = GetTabsContainerOffsets();
  input.ButtonsRegionLength =
      lxPCButtonsRegionLength(lxPCOrderedButtons(buttons, input.Navigator, input.Position), metrics);
  int32_t along = 0;
  GetTabSpacing(along, input.RowGap);
  layout = lxPCStandardTabsLayout(input, buttons);
  navigator_ = lxPCPlaceNavigatorButtons(buttons, input.Navigator, input.Position, input.ControlSize, metrics);
}

bool TlxPCStandardPainter::GetButtonAt(int32_t x, int32_t y, TlxPCNavigatorButton& button) const {
  return lxPCButtonAt(navigator_, {x, y}, button);
}

void TlxPCStandardPainter::Paint(TlxCanvas& canvas) {
  TlxPCCustomPainter::Paint(canvas);
  // What the tabs and the page left uncovered.
  const TRect whole = Bounds(0, 0, Control().Width(), Control().Height());
  if (ShowsParentBackground()) {
    lxDrawParentBackground(&Control(), canvas, whole);
    return;
  }
  canvas.FillRectColor(whole, Control().Color());
}

bool TlxPCStandardPainter::ShowsParentBackground() const {
  return UsesNativeLook() && Control().ControlStyle().Contains(csParentBackground);
}

void TlxPCStandardPainter::PaintTabs(TlxCanvas& canvas) {
  int32_t first = 0;
  int32_t last = -1;
  GetDisplayedRange(first, last);
  // The main tab overlaps its neighbours: it is drawn first and taken out.
  const int32_t main = Control().MainVisibleIndex();
  if (main >= first && main <= last)
    PaintTab(canvas, main);
  for (int32_t i = first; i <= last; ++i)
    if (i != main)
      PaintTab(canvas, i);
}

TRect TlxPCStandardPainter::GetTabRegion(int32_t visible_index, bool& replace) {
  replace = false;
  return Control().Tabs().GetVisibleTab(visible_index)->DisplayRect();
}

void TlxPCStandardPainter::PaintTab(TlxCanvas& canvas, int32_t visible_index) {
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  bool replace = false;
  const TRect shown = GetTabRegion(visible_index, replace);
  if (shown.IsEmpty())
    return;
  canvas.PushClipRegion();
  if (replace)
    canvas.ApplyClipRegion(std::make_unique<TlxRegion>(shown), roSet);
  else
    canvas.IntersectClip(shown);
  if (!IsCustomDraw() || !DoCustomDrawTab(visible_index))
    PaintTabFace(canvas, *tab, visible_index);
  canvas.PopClipRegion();
  canvas.ExcludeFromClip(shown);
}

void TlxPCStandardPainter::PaintTabFace(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  canvas.FillRectColor(tab.FullRect(), GetTabColor(visible_index));
  PaintTabImageAndText(canvas, tab, visible_index);
  PaintTabFrame(canvas, tab, visible_index);
}

void TlxPCStandardPainter::PaintButtons(TlxCanvas& canvas) {
  for (TlxPCNavigatorButton button : {nbGoDialog, nbTopLeft, nbBottomRight, nbClose}) {
    const TRect rect = GetButtonRect(button);
    if (rect.IsEmpty() || !canvas.IsRectVisible(rect))
      continue;
    canvas.PushClipRegion();
    canvas.IntersectClip(rect);
    PaintButton(canvas, button, rect);
    canvas.PopClipRegion();
    canvas.ExcludeFromClip(rect);
  }
}

void TlxPCStandardPainter::PaintButton(TlxCanvas& canvas, TlxPCNavigatorButton button, const TRect& rect) {
  const TlxPCNavigatorButtonState state = Control().NavigatorButtonState(button);
  TRect inner = rect;
  PaintButtonFrame(canvas, inner, state);
  PaintButtonBackground(canvas, inner, state);
  const TlxPCNavigatorGlyphInfo info = GetButtonGlyphInfo(button);
  const TPoint origin = rect.TopLeft() + GetButtonGlyphPosition(button);
  if (info.Enabled) {
    PaintButtonGlyph(canvas, button, origin, info.PenColor, info.BrushColor, info.CompactClose);
    return;
  }
  PaintButtonGlyph(canvas, button, origin + TPoint(1, 1), clBtnHighlight, clBtnHighlight, info.CompactClose);
  PaintButtonGlyph(canvas, button, origin, clBtnShadow, clBtnShadow, info.CompactClose);
}

void TlxPCStandardPainter::PaintButtonFrame(TlxCanvas& canvas, TRect& rect, TlxPCNavigatorButtonState state) {
  const bool pressed = state == nbsPressed;
  canvas.DrawTwoColorFrame(rect, pressed ? clBtnShadow : cl3DLight, pressed ? clBtnHighlight : cl3DDkShadow,
                           lxAllBorders);
  canvas.DrawTwoColorFrame(rect.Inflate(-1, -1), pressed ? cl3DDkShadow : clBtnHighlight,
                           pressed ? cl3DLight : clBtnShadow, lxAllBorders);
  rect = rect.Inflate(-2, -2);
}

void TlxPCStandardPainter::PaintButtonBackground(TlxCanvas& canvas, const TRect& rect,
                                                 TlxPCNavigatorButtonState state) {
  canvas.FillRectColor(rect, GetButtonColor(state));
}

TColor TlxPCStandardPainter::GetButtonGlyphColor(TlxPCNavigatorButtonState state) const {
  return state == nbsHot ? kPCHotTrackTextColor : clBtnText;
}

TlxPCNavigatorGlyphInfo TlxPCStandardPainter::GetButtonGlyphInfo(TlxPCNavigatorButton button) const {
  const TlxPCNavigatorButtonState state = Control().NavigatorButtonState(button);
  TlxPCNavigatorGlyphInfo info;
  info.BrushColor = info.PenColor = GetButtonGlyphColor(state);
  info.Enabled = Control().Enabled() && state != nbsDisabled;
  return info;
}

TPoint TlxPCStandardPainter::GetButtonGlyphPosition(TlxPCNavigatorButton button) const {
  const bool sideways = !lxPCIsRowAxisX(Control().TabPosition());
  TSize glyph = button == nbClose ? TSize{8, 7} : button == nbGoDialog ? TSize{7, 4} : TSize{5, 9};
  if (sideways && button != nbGoDialog)
    std::swap(glyph.cx, glyph.cy);
  const TlxPCNavigatorMetrics metrics = NavigatorMetrics();
  TSize size{metrics.ButtonWidths[button], metrics.ButtonHeight};
  if (sideways)
    std::swap(size.cx, size.cy);
  TPoint offset{(size.cx - glyph.cx) / 2, (size.cy - glyph.cy) / 2};
  if (button == nbGoDialog)
    ++offset.Y;
  if (Control().NavigatorButtonState(button) == nbsPressed) {
    if (button != nbGoDialog)
      ++offset.X;
    ++offset.Y;
  }
  return offset;
}

void TlxPCStandardPainter::PaintButtonGlyph(TlxCanvas& canvas, TlxPCNavigatorButton button, TPoint origin,
                                            TColor pen, TColor brush, bool compact_close) {
  const bool sideways = !lxPCIsRowAxisX(Control().TabPosition());
  const TColor pen_rgb = Resolve(pen);
  if (button == nbClose) {
    using TSegment = std::pair<TPoint, TPoint>;
    static const std::vector<TSegment> kFull = {{{1, 0}, {8, 7}}, {{0, 0}, {8, 8}}, {{0, 1}, {7, 8}},
                                                {{0, 7}, {7, 0}}, {{0, 8}, {8, 0}}, {{1, 8}, {8, 1}}};
    static const std::vector<TSegment> kCompactSideways = {
        {{0, 0}, {6, 6}}, {{0, 1}, {6, 7}}, {{0, 6}, {6, 0}}, {{0, 7}, {6, 1}}};
    static const std::vector<TSegment> kCompact = {
        {{1, 0}, {7, 6}}, {{0, 0}, {6, 6}}, {{0, 6}, {6, 0}}, {{1, 6}, {7, 0}}};
    const std::vector<TSegment>& segments = !compact_close ? kFull : sideways ? kCompactSideways : kCompact;
    canvas.Canvas().Pen().SetColor(pen_rgb);
    for (const auto& [from, to] : segments) {
      canvas.MoveTo(origin.X + from.X, origin.Y + from.Y);
      canvas.LineTo(origin.X + to.X, origin.Y + to.Y);
      canvas.PutPixel(origin.X + to.X, origin.Y + to.Y, pen_rgb);
    }
    return;
  }
  // Filled triangles: corners a direction pattern times (size - 1), size 5
  // for the arrows and 4 for the go-dialog mark.
  std::vector<TPoint> pattern;
  int32_t size = 5;
  if (button == nbGoDialog) {
    size = 4;
    pattern = {{0, 0}, {2, 0}, {1, 1}};
  } else if (button == nbTopLeft) {
    pattern = sideways ? std::vector<TPoint>{{0, 1}, {1, 0}, {2, 1}} : std::vector<TPoint>{{0, 1}, {1, 0}, {1, 2}};
  } else {
    pattern = sideways ? std::vector<TPoint>{{0, 0}, {2, 0}, {1, 1}} : std::vector<TPoint>{{0, 0}, {1, 1}, {0, 2}};
  }
  std::vector<TPoint> points;
  for (const TPoint& p : pattern)
    points.push_back({origin.X + p.X * (size - 1), origin.Y + p.Y * (size - 1)});
  canvas.Canvas().Brush().SetColor(Resolve(brush));
  canvas.Canvas().Pen().SetColor(pen_rgb);
  canvas.Polygon(points);
}

void TlxPCStandardPainter::PaintFrame(TlxCanvas& canvas) {
  TRect r = GetPageFrameRect();
  const int32_t least = 2 * GetFrameWidth();
  r.Right = std::max(r.Right, r.Left + least);
  r.Bottom = std::max(r.Bottom, r.Top + least);
  canvas.DrawTwoColorFrame(r, clBtnHighlight, cl3DDkShadow, lxAllBorders);
  canvas.DrawTwoColorFrame(r.Inflate(-1, -1), cl3DLight, clBtnShadow, lxAllBorders);
}

// ---- TlxPCTabsPainter -----------------------------------------------------

TRect TlxPCTabsPainter::GetTabRectCorrection(int32_t visible_index) {
  if (visible_index != Control().MainVisibleIndex())
    return {};
  switch (Control().Tabs().GetVisibleTab(visible_index)->Side()) {
    case tpTop: return {-2, -2, 2, 1};
    case tpBottom: return {-2, -1, 2, 2};
    case tpLeft: return {-2, -2, 1, 2};
    case tpRight: return {-1, -2, 2, 2};
  }
  return {};
}

void TlxPCTabsPainter::CalculateTabsLayout(TlxPCNavigatorButtons buttons, TlxPCTabsLayout& layout) {
  // Places the navigator buttons; the tabs keep room for the raised main tab.
  TlxPCStandardPainter::CalculateTabsLayout(buttons, layout);
  const TlxPCNavigatorMetrics metrics = NavigatorMetrics();
  const TlxTabPosition position = Control().TabPosition();
  const TlxPCNavigatorPosition navigator = Control().NavigatorPosition();
  const TRect m = Control().TabsContainerMode() ? GetTabsContainerOffsets() : TRect();
  const int32_t n = lxPCButtonsRegionLength(lxPCOrderedButtons(buttons, navigator, position), metrics);
  int32_t start = m.Left;
  int32_t end = m.Left;
  if (!Control().MultiLine() && buttons != 0) {
    const bool at_start = lxPCIsNavigatorAtRowStart(navigator, position);
    start = at_start ? n : m.Left;
    end = at_start ? m.Left : n;
  }
  const TRect bounds = Bounds(0, 0, Control().Width(), Control().Height());
  auto along = [&](TRect r, int32_t from_start, int32_t from_end) {
    if (lxPCIsRowAxisX(position)) {
      r.Left += from_start;
      r.Right -= from_end;
    } else {
      r.Top += from_start;
      r.Bottom -= from_end;
    }
    return r;
  };
  layout.TabsArea = along(lxPCShrinkRect(bounds, lxPCTurnMargins({0, m.Top, 0, 0}, position)), start, end);
  layout.RowsArea = along(lxPCShrinkRect(bounds, lxPCTurnMargins({0, m.Top + 2, 0, 0}, position)), start + 2, end + 2);
  layout.RowLength = lxPCIsRowAxisX(position) ? layout.RowsArea.Width() : layout.RowsArea.Height();
  const bool top_or_left = position == tpTop || position == tpLeft;
  layout.TopOrLeftBorderShift = top_or_left ? 1 : 0;
  layout.BottomOrRightBorderShift = top_or_left ? 0 : -1;
  layout.PartsGap = 0;
}

TRect TlxPCTabsPainter::GetPageFrameRectOffset() const {
  TRect offset = TlxPCStandardPainter::GetPageFrameRectOffset();
  // The page frame starts under the tabs' last line.
  if (!Control().HideTabs() && Control().RowCount() > 0)
    offset.Top -= 1;
  return offset;
}

TRect TlxPCTabsPainter::GetTabRegion(int32_t visible_index, bool& replace) {
  TRect region = TlxPCStandardPainter::GetTabRegion(visible_index, replace);
  TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (region.IsEmpty() || !tab->IsMainTab())
    return region;
  // The main tab paints over the frame line beneath it.
  replace = true;
  switch (tab->Side()) {
    case tpTop: ++region.Bottom; break;
    case tpBottom: --region.Top; break;
    case tpLeft: ++region.Right; break;
    case tpRight: --region.Left; break;
  }
  return region;
}

int32_t TlxPCTabsPainter::GetTabContentHeight() {
  return TlxPCStandardPainter::GetTabContentHeight() - (Control().Rotate() ? 2 : 3);
}

void TlxPCTabsPainter::FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const {
  TlxPCCustomPainter::FillContentInput(input, tab, visible_index);
  const bool main = tab.IsMainTab();
  input.ContentStart = input.CompactStart = main ? (Control().Rotate() ? 4 : 5) : 3;
  input.ContentEnd = input.CompactEnd = main ? 5 : 3;
  const int32_t variant = tab.DrawingVariant();
  if (variant == 3 || variant == 6 || variant == 11) {
    std::swap(input.ContentStart, input.ContentEnd);
    std::swap(input.CompactStart, input.CompactEnd);
  }
  const bool pressed = main;
  input.ImageHOffsets = {0, 1, 0, pressed ? 3 : 0};
  input.TextHOffsets = {0, 1, 0, pressed ? 2 : -1};
  if (variant == 5 || variant == 7 || variant == 10) {
    input.ImageHOffsets.Bottom += 1;
    input.TextHOffsets.Bottom += 1;
  }
  input.ImageTextDistance = 6;
  if (!UsesNativeLook())
    return;
  // The content goes into the tab's own bitmap, lying along its width.
  TSize size{input.TabRect.Width(), input.TabRect.Height()};
  if (Control().IsTabTextVertical())
    std::swap(size.cx, size.cy);
  input.TabRect = Bounds(0, 0, size.cx, size.cy);
  if (main && (variant == 5 || variant == 7 || variant == 10))
    input.TabRect = input.TabRect.Offset(0, 1);
  input.Direction = 0;
}

namespace {

// A point of a tab outline: offsets from the left or right edge and from the
// top or bottom edge of the tab's full rectangle.
struct TOutlinePoint {
  bool FromRight;
  int32_t X;
  bool FromBottom;
  int32_t Y;
};

constexpr TOutlinePoint L(int32_t x, int32_t y, bool from_bottom) { return {false, x, from_bottom, y}; }
constexpr TOutlinePoint R(int32_t x, int32_t y, bool from_bottom) { return {true, x, from_bottom, y}; }

struct TOutline {
  TColor Color;
  std::vector<TOutlinePoint> Points;
};

// The classic outline by side: light from the top left, the page side open,
// the far corners cut.
const std::vector<TOutline>& ClassicOutline(TlxTabPosition side) {
  static const std::vector<TOutline> kTop = {
      {clBtnHighlight, {L(0, -1, true), L(0, 2, false), L(2, 0, false), R(-3, 0, false)}},
      {cl3DLight, {L(1, -1, true), L(1, 2, false), L(2, 1, false), R(-3, 1, false)}},
      {cl3DDkShadow, {R(-1, -1, true), R(-1, 2, false), R(-2, 1, false)}},
      {clBtnShadow, {R(-2, -1, true), R(-2, 2, false)}}};
  static const std::vector<TOutline> kBottom = {
      {clBtnHighlight, {L(0, 0, false), L(0, -3, true), L(1, -2, true)}},
      {cl3DLight, {L(1, 0, false), L(1, -3, true)}},
      {cl3DDkShadow, {L(2, -1, true), R(-3, -1, true), R(-1, -3, true), R(-1, 0, false)}},
      {clBtnShadow, {L(2, -2, true), R(-3, -2, true), R(-2, -3, true), R(-2, 0, false)}}};
  static const std::vector<TOutline> kLeft = {
      {clBtnHighlight, {L(0, -3, true), L(0, 2, false), L(2, 0, false), R(-1, 0, false)}},
      {cl3DLight, {L(1, -3, true), L(1, 2, false), L(2, 1, false), R(-1, 1, false)}},
      {cl3DDkShadow, {L(2, -2, true), L(3, -1, true), R(-1, -1, true)}},
      {clBtnShadow, {L(1, -2, true), L(2, -1, true), L(3, -2, true), R(-1, -2, true)}}};
  static const std::vector<TOutline> kRight = {
      {clBtnHighlight, {L(0, 0, false), R(-3, 0, false), R(-2, 1, false)}},
      {cl3DLight, {L(0, 1, false), R(-3, 1, false)}},
      {cl3DDkShadow, {L(0, -1, true), R(-3, -1, true), R(-1, -3, true), R(-1, 2, false)}},
      {clBtnShadow, {L(0, -2, true), R(-3, -2, true), R(-2, -3, true), R(-2, 2, false)}}};
  switch (side) {
    case tpTop: return kTop;
    case tpBottom: return kBottom;
    case tpLeft: return kLeft;
    case tpRight: return kRight;
  }
  return kTop;
}

// Draws each polyline with its end point.
void DrawOutline(TlxCanvas& canvas, const TRect& r, const std::vector<TOutline>& outline) {
  for (const TOutline& line : outline) {
    std::vector<TPoint> points;
    for (const TOutlinePoint& p : line.Points)
      points.push_back({(p.FromRight ? r.Right : r.Left) + p.X, (p.FromBottom ? r.Bottom : r.Top) + p.Y});
    const TColor color = ColorToRGB(line.Color);
    canvas.Canvas().Pen().SetColor(color);
    canvas.Polyline(points);
    canvas.PutPixel(points.back().X, points.back().Y, color);
  }
}

}  // namespace

void TlxPCTabsPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  const TRect full = tab.FullRect();
  const TlxTabPosition side = tab.Side();
  const bool main = tab.IsMainTab();
  if (!main) {
    // The gap between a background tab and the page.
    TRect strip = full;
    switch (side) {
      case tpTop: strip.Top = strip.Bottom - 2; break;
      case tpBottom: strip.Bottom = strip.Top + 2; break;
      case tpLeft: strip.Left = strip.Right - 2; break;
      case tpRight: strip.Right = strip.Left + 2; break;
    }
    canvas.FillRectColor(strip, Control().Color());
  }
  DrawOutline(canvas, full, ClassicOutline(side));
  if (!main || side != tpTop)
    return;
  // The page line under the main tab takes the tab's colour.
  const TColor color = ColorToRGB(Control().TabsContainerMode() ? clBtnFace : GetTabColor(visible_index));
  const int32_t y = full.Bottom;
  if (full.Left == 0)
    canvas.PutPixel(0, y, ColorToRGB(clBtnHighlight));
  for (int32_t x = std::max(full.Left, 1); x <= full.Left + 1; ++x)
    canvas.PutPixel(x, y, ColorToRGB(cl3DLight));
  if (full.Right == Control().Width()) {
    canvas.FillRectColor({full.Left + 2, y, full.Right - 2, y + 1}, color);
    canvas.PutPixel(full.Right - 2, y, ColorToRGB(clBtnShadow));
    canvas.PutPixel(full.Right - 1, y, ColorToRGB(cl3DDkShadow));
  } else {
    canvas.FillRectColor({full.Left + 2, y, full.Right, y + 1}, color);
  }
}

// ---- TlxPCFlatPainter -------------------------------------------------------

namespace {

std::vector<TOutline> FlatOutline(TlxTabPosition side, TColor t85) {
  switch (side) {
    case tpTop:
      return {{clBtnHighlight, {L(0, -1, true), L(0, 2, false), L(2, 0, false), R(-3, 0, false), R(-2, 1, false)}},
              {clBtnShadow, {R(-1, 2, false), R(-1, -1, true)}},
              {t85, {L(1, -1, true), L(1, 2, false), L(2, 1, false), R(-3, 1, false), R(-2, 2, false), R(-2, -1, true)}}};
    case tpBottom:
      return {{clBtnHighlight, {L(0, 0, false), L(0, -3, true), L(1, -2, true)}},
              {clBtnShadow, {L(2, -1, true), R(-3, -1, true), R(-1, -3, true), R(-1, 0, false)}},
              {t85, {L(1, 0, false), L(1, -3, true)}},
              {clBtnFace, {L(2, -2, true), R(-3, -2, true), R(-2, -3, true), R(-2, 0, false)}}};
    case tpLeft:
      return {{clBtnHighlight, {L(1, -2, true), L(0, -3, true), L(0, 2, false), L(2, 0, false), R(-1, 0, false)}},
              {clBtnShadow, {R(-1, -1, true), L(2, -1, true)}},
              {t85, {R(-1, -2, true), L(2, -2, true), L(1, -3, true), L(1, 2, false), L(2, 1, false), R(-1, 1, false)}}};
    case tpRight:
      return {{clBtnHighlight, {L(0, 0, false), R(-3, 0, false), R(-2, 1, false)}},
              {clBtnShadow, {R(-1, 2, false), R(-1, -3, true), R(-3, -1, true), L(0, -1, true)}},
              {t85, {L(0, 1, false), R(-3, 1, false)}},
              {clBtnFace, {R(-2, 2, false), R(-2, -3, true), R(-3, -2, true), L(0, -2, true)}}};
  }
  return {};
}

}  // namespace

void TlxPCFlatPainter::PaintFrame(TlxCanvas& canvas) {
  TRect r = GetPageFrameRect();
  r.Right = std::max(r.Right, r.Left + 2 * GetFrameWidth());
  r.Bottom = std::max(r.Bottom, r.Top + 2 * GetFrameWidth());
  canvas.DrawTwoColorFrame(r, clBtnHighlight, clBtnShadow, lxAllBorders);
}

void TlxPCFlatPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  const TColor t85 = lxPCLightenColor(ColorToRGB(GetTabColor(visible_index)), 85);
  DrawOutline(canvas, tab.FullRect(), FlatOutline(tab.Side(), t85));
}

// ---- Buttoned painters --------------------------------------------------------

TColor TlxPCButtonedPainter::GetTabColor(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (tab->Highlighted())
    return clHighlight;
  const TColor color = static_cast<TColor>(tab->Color());
  if (color != clDefault)
    return color;
  return tab->IsMainTab() ? clBtnHighlight : clBtnFace;
}

TRect TlxPCButtonedPainter::GetPageFrameRectOffset() const {
  TRect offset = TlxPCStandardPainter::GetPageFrameRectOffset();
  // A 2-pixel gap between the buttons and the page frame.
  if (!Control().HideTabs() && Control().RowCount() > 0)
    offset.Top += 2;
  return offset;
}

bool TlxPCButtonedPainter::IsTabPressed(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return !tab->IsTracking() && (tab->IsPressed() || tab->Selected() || tab->IsMainTab());
}

void TlxPCButtonedPainter::FillContentInput(TlxPCTabContentInput& input, TlxTab& tab, int32_t visible_index) const {
  TlxPCCustomPainter::FillContentInput(input, tab, visible_index);
  const int32_t column = PainterClass()->GetStandardStyle();
  input.Pressed = IsTabPressed(visible_index);
  input.ContentStart = input.CompactStart = input.HasImages ? 3 : 4;
  input.ContentEnd = input.CompactEnd = 4;
  input.ImageHOffsets = {0, -1, 0, 1};
  input.TextHOffsets = {0, 0, 0, 1};
  input.ImageTextDistance = 6;
  (void)column;
}

bool TlxPCButtonsPainter::IsTabPressed(int32_t visible_index) const {
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  return tab->IsTracking() || tab->IsPressed() || tab->Selected() || tab->IsMainTab();
}

void TlxPCButtonsPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  const TRect r = tab.FullRect();
  if (IsTabPressed(visible_index)) {
    canvas.DrawTwoColorFrame(r, cl3DDkShadow, clBtnHighlight, lxAllBorders);
    canvas.DrawTwoColorFrame(r.Inflate(-1, -1), clBtnShadow, cl3DLight, lxAllBorders);
  } else {
    canvas.DrawTwoColorFrame(r, clBtnHighlight, cl3DDkShadow, lxAllBorders);
    canvas.DrawTwoColorFrame(r.Inflate(-1, -1), cl3DLight, clBtnShadow, lxAllBorders);
  }
  if (tab.IsMainTab() && Control().Focused() && tab.IsEnabledForUse())
    canvas.DrawFocusFrame(r.Inflate(-3, -3));
}

// ---- TlxPCFlatButtonsPainter -------------------------------------------------

void TlxPCFlatButtonsPainter::PaintTabFrame(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  // The fill is the standard pass's, made before the caption.
  TRect r = tab.FullRect();
  if (!tab.IsTracking() && IsTabPressed(visible_index)) {
    canvas.DrawTwoColorFrame(r, clBtnShadow, clBtnHighlight, lxAllBorders);
    canvas.DrawTwoColorFrame(r.Inflate(-1, -1), cl3DDkShadow, cl3DLight, lxAllBorders);
    r = r.Inflate(-2, -2);
  } else if (tab.IsHot() || tab.IsTracking()) {
    const TColor light = ColorToRGB(clBtnHighlight);
    const TColor shadow = ColorToRGB(clBtnShadow);
    canvas.Canvas().Pen().SetColor(light);
    canvas.Polyline({{r.Left, r.Bottom - 2}, {r.Left, r.Top}, {r.Right - 2, r.Top}});
    canvas.PutPixel(r.Right - 2, r.Top, light);
    canvas.Canvas().Pen().SetColor(shadow);
    canvas.Polyline({{r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}, {r.Right - 1, r.Top}});
    canvas.PutPixel(r.Right - 1, r.Top, shadow);
    r = r.Inflate(-1, -1);
  }
  if (tab.IsMainTab() && Control().Focused() && tab.IsEnabledForUse())
    canvas.DrawFocusFrame(r);
}

int32_t TlxPCFlatButtonsPainter::SeparatorWidth() {
  int32_t along = 0;
  int32_t across = 0;
  GetTabSpacing(along, across);
  return along;
}

bool TlxPCFlatButtonsPainter::HasSeparatorAfter(int32_t visible_index) const {
  const int32_t count = Control().VisibleTabs().Count();
  if (visible_index + 1 >= count)
    return false;
  const TlxTab* tab = Control().Tabs().GetVisibleTab(visible_index);
  if (!Control().Rotate())
    return Control().Tabs().GetVisibleTab(visible_index + 1)->DisplayRowIndex() == tab->DisplayRowIndex();
  if (Control().RowCount() <= 1 || tab->DisplayRowIndex() >= Control().RowCount() - 1)
    return false;
  // Rotated rows stand side by side: a line between a tab and the tab of
  // the next row level with it.
  const bool along_x = lxPCIsRowAxisX(Control().TabPosition());
  const TRect base = Control().Tabs().GetVisibleTab(visible_index)->BaseRect();
  for (int32_t i = 0; i < count; ++i) {
    const TlxTab* other = Control().Tabs().GetVisibleTab(i);
    if (other->DisplayRowIndex() != tab->DisplayRowIndex() + 1)
      continue;
    const TRect r = other->BaseRect();
    if ((along_x ? r.Left == base.Left : r.Top == base.Top))
      return true;
  }
  return false;
}

TRect TlxPCFlatButtonsPainter::SeparatorGap(int32_t visible_index) {
  const int32_t along = SeparatorWidth();
  const TRect r = Control().Tabs().GetVisibleTab(visible_index)->FullRect();
  const TlxTabPosition position = Control().TabPosition();
  if (Control().IsTabTextVertical()) {
    const bool sideways = position == tpLeft || position == tpRight;
    if (sideways && Control().CaptionDirection() == 1)
      return {r.Left, r.Top - along, r.Right, r.Top};
    return {r.Left, r.Bottom, r.Right, r.Bottom + along};
  }
  return {r.Right, r.Top, r.Right + along, r.Bottom};
}

void TlxPCFlatButtonsPainter::PaintTab(TlxCanvas& canvas, int32_t visible_index) {
  TlxPCButtonedPainter::PaintTab(canvas, visible_index);
  if (!HasSeparatorAfter(visible_index))
    return;
  const TRect gap = SeparatorGap(visible_index);
  if (gap.IsEmpty() || !canvas.IsRectVisible(gap))
    return;
  canvas.PushClipRegion();
  canvas.IntersectClip(gap);
  canvas.FillRectColor(gap, Control().Color());
  const int32_t offset = (SeparatorWidth() - 2) / 2;
  const bool below_or_above = Control().IsTabTextVertical();
  if (below_or_above) {
    const int32_t y = gap.Top + offset;
    canvas.FillRectColor({gap.Left + 1, y, gap.Right - 1, y + 1}, clBtnShadow);
    canvas.FillRectColor({gap.Left + 1, y + 1, gap.Right - 1, y + 2}, clBtnHighlight);
  } else {
    const int32_t x = gap.Left + offset;
    canvas.FillRectColor({x, gap.Top + 1, x + 1, gap.Bottom - 1}, clBtnShadow);
    canvas.FillRectColor({x + 1, gap.Top + 1, x + 2, gap.Bottom - 1}, clBtnHighlight);
  }
  canvas.PopClipRegion();
  canvas.ExcludeFromClip(gap);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCFlatButtonsPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCFlatButtonsPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCTabsPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCTabsPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCFlatPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCFlatPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

std::unique_ptr<IlxPCLayoutPainter> TlxPCButtonsPainterClass::CreatePainter(TlxTabControlModel& control) const {
  return std::make_unique<TlxPCButtonsPainter>(static_cast<TlxCustomTabControl&>(control), this);
}

namespace {

// The shipped styles whose painters exist, in registration order.
std::vector<TlxPCPainterClass> ShippedPainterClasses() {
  static const TlxPCTabsPainterClass tabs;
  static const TlxPCButtonsPainterClass buttons;
  static const TlxPCFlatButtonsPainterClass flat_buttons;
  static const TlxPCExtraFlatPainterClass extra_flat;
  static const TlxPCUltraFlatPainterClass ultra_flat;
  static const TlxPCFlatPainterClass flat;
  static const TlxPCOffice11PainterClass office11;
  static const TlxPCSlantedPainterClass slanted;
  static const TlxPCOneNotePainterClass one_note;
  return {&tabs, &buttons, &flat_buttons, &extra_flat, &ultra_flat, &flat, &office11, &slanted, &one_note};
}

}  // namespace

void lxPCRegisterShippedPainters() {
  lxPCStartOneNoteColors();
  for (TlxPCPainterClass painter_class : ShippedPainterClasses())
    lxPCRegisterPainterClass(painter_class);
}

void lxPCUnregisterShippedPainters() {
  for (TlxPCPainterClass painter_class : ShippedPainterClasses())
    lxPCUnregisterPainterClass(painter_class);
  lxPCStopOneNoteColors();
}
