#include "tabs/pc_painters_win.h"

#include <algorithm>

#include "platform/rtl/text.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/canvas/region_win.h"

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

TColor TlxPCCustomPainter::GetTabTextColor(int32_t visible_index) const {
  const TlxTab* tab = control_.Tabs().GetVisibleTab(visible_index);
  if (tab->Highlighted())
    return clHighlightText;
  if (tab->IsHot())
    return TColorOf(0x00FF0000);  // pure blue
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
  // The main tab stands out of its row: repaint the room around it too.
  InvalidateRect(tab->FullRect().Inflate(2, 2));
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
  (void)visible_index;
}

void TlxPCCustomPainter::PaintTabImageAndText(TlxCanvas& canvas, TlxTab& tab, int32_t visible_index) {
  canvas.AssignFont(control_.Font());
  canvas.Font().SetColor(GetTabTextColor(visible_index));
  TlxPCTabContentInput input;
  FillContentInput(input, tab, visible_index);
  TCanvasCaptionMeasurer measurer(canvas);
  const TlxPCTabContentRects rects = lxPCCalculateTabImageAndTextRects(input, measurer);
  if (rects.Caption.IsEmpty())
    return;
  const bool enabled = tab.IsEnabledForUse();
  SetBkMode(canvas.Handle(), TRANSPARENT);
  const std::u16string text = Utf8ToUtf16(tab.Caption());
  auto draw = [&](const TRect& r, TColor color) {
    SetTextColor(canvas.Handle(), static_cast<COLORREF>(Resolve(color)));
    RECT rect = r;
    DrawTextW(canvas.Handle(), reinterpret_cast<const wchar_t*>(text.c_str()), -1, &rect,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  };
  if (enabled) {
    draw(rects.Caption, canvas.Font().Color());
    return;
  }
  // Embossed: a highlight copy one pixel down and right under the shadow.
  draw(rects.Caption.Offset(1, 1), clBtnHighlight);
  draw(rects.Caption, clBtnShadow);
}

// ---- TlxPCStandardPainter -------------------------------------------------

TlxPCTabSizeInput TlxPCStandardPainter::SizeInput(int32_t /*visible_index*/) const {
  TlxPCTabSizeInput input;
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
  canvas.FillRectColor(Bounds(0, 0, Control().Width(), Control().Height()), Control().Color());
}

void TlxPCStandardPainter::PaintTabs(TlxCanvas& canvas) {
  const int32_t count = Control().VisibleTabs().Count();
  int32_t first = 0;
  int32_t last = count - 1;
  if (!Control().MultiLine()) {
    first = std::max(Control().FirstDisplayedTab(), 0);
    last = std::min(Control().LastDisplayedTab(), last);
  }
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
  canvas.FillRectColor(tab->FullRect(), GetTabColor(visible_index));
  PaintTabImageAndText(canvas, *tab, visible_index);
  PaintTabFrame(canvas, *tab, visible_index);
  canvas.PopClipRegion();
  canvas.ExcludeFromClip(shown);
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
  const bool pressed = state == nbsPressed;
  canvas.DrawTwoColorFrame(rect, pressed ? clBtnShadow : cl3DLight, pressed ? clBtnHighlight : cl3DDkShadow,
                           lxAllBorders);
  const TRect inner = rect.Inflate(-1, -1);
  canvas.DrawTwoColorFrame(inner, pressed ? cl3DDkShadow : clBtnHighlight, pressed ? cl3DLight : clBtnShadow,
                           lxAllBorders);
  canvas.FillRectColor(inner.Inflate(-1, -1), clBtnFace);
  const bool enabled = Control().Enabled() && state != nbsDisabled;
  const bool sideways = !lxPCIsRowAxisX(Control().TabPosition());
  // Filled triangles: arrows 5 and the go-dialog mark 4 in size.
  std::vector<TPoint> pattern;
  int32_t size = 5;
  if (button == nbGoDialog) {
    size = 4;
    pattern = {{0, 0}, {2, 0}, {1, 1}};
  } else if (button == nbTopLeft) {
    pattern = sideways ? std::vector<TPoint>{{0, 1}, {1, 0}, {2, 1}} : std::vector<TPoint>{{0, 1}, {1, 0}, {1, 2}};
  } else if (button == nbBottomRight) {
    pattern = sideways ? std::vector<TPoint>{{0, 0}, {2, 0}, {1, 1}} : std::vector<TPoint>{{0, 0}, {1, 1}, {0, 2}};
  }
  const int32_t shift = pressed ? 1 : 0;
  auto draw_glyph = [&](TPoint offset, TColor color) {
    if (button == nbClose) {
      const TPoint base{rect.Left + (rect.Width() - 8) / 2 + offset.X, rect.Top + (rect.Height() - 7) / 2 + offset.Y};
      const TColor resolved = Resolve(color);
      for (const auto& [from, to] : {std::pair{TPoint{1, 0}, TPoint{8, 7}}, std::pair{TPoint{0, 0}, TPoint{8, 8}},
                                     std::pair{TPoint{0, 1}, TPoint{7, 8}}, std::pair{TPoint{0, 7}, TPoint{7, 0}},
                                     std::pair{TPoint{0, 8}, TPoint{8, 0}}, std::pair{TPoint{1, 8}, TPoint{8, 1}}}) {
        canvas.Canvas().Pen().SetColor(resolved);
        canvas.MoveTo(base.X + from.X, base.Y + from.Y);
        canvas.LineTo(base.X + to.X, base.Y + to.Y);
        canvas.PutPixel(base.X + to.X, base.Y + to.Y, resolved);
      }
      return;
    }
    int32_t width = 0;
    int32_t height = 0;
    for (const TPoint& p : pattern) {
      width = std::max(width, p.X * (size - 1) + 1);
      height = std::max(height, p.Y * (size - 1) + 1);
    }
    const TPoint base{rect.Left + (rect.Width() - width) / 2 + offset.X,
                      rect.Top + (rect.Height() - height) / 2 + offset.Y + (button == nbGoDialog ? 1 : 0)};
    std::vector<TPoint> points;
    for (const TPoint& p : pattern)
      points.push_back({base.X + p.X * (size - 1), base.Y + p.Y * (size - 1)});
    canvas.Canvas().Brush().SetColor(Resolve(color));
    canvas.Canvas().Pen().SetColor(Resolve(color));
    canvas.Polygon(points);
  };
  if (enabled) {
    draw_glyph({shift, shift}, clBtnText);
  } else {
    draw_glyph({1, 1}, clBtnHighlight);
    draw_glyph({0, 0}, clBtnShadow);
  }
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
  static const TlxPCFlatPainterClass flat;
  return {&tabs, &buttons, &flat};
}

}  // namespace

void lxPCRegisterShippedPainters() {
  for (TlxPCPainterClass painter_class : ShippedPainterClasses())
    lxPCRegisterPainterClass(painter_class);
}

void lxPCUnregisterShippedPainters() {
  for (TlxPCPainterClass painter_class : ShippedPainterClasses())
    lxPCUnregisterPainterClass(painter_class);
}
