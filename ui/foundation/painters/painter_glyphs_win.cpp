#include "ui/foundation/painters/painter_glyphs_win.h"

#include <array>
#include <optional>

#include "platform/toolkit/color.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/painters/extended_painters.h"

namespace {

// The system bitmap holding the 4 x 3 grid of check-box images.
constexpr UINT kSystemCheckBoxesBitmap = 32759;
// The radio glyph of the classic 13 x 13 check box, used when the system
// draws no ring to measure.
constexpr int32_t kFallbackGlyphSize = 13;

uint32_t PixelOf(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return (uint32_t{GetRValue32(rgb)} << 16) | (uint32_t{GetGValue32(rgb)} << 8) | GetBValue32(rgb);
}

uint32_t* Row(TBitmap& bitmap, int32_t y) { return static_cast<uint32_t*>(bitmap.ScanLine(y)); }

std::unique_ptr<TBitmap> FilledBitmap(int32_t width, int32_t height, TColor color) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pf32bit);
  bitmap->Canvas().Brush().SetColor(color);
  bitmap->Canvas().FillRect(TRect(0, 0, width, height));
  return bitmap;
}

// The cells whose pixel is `color`.
TlxMonoRaster CellsOfColor(TBitmap& bitmap, TColor color) {
  const uint32_t wanted = PixelOf(color);
  GdiFlush();  // the pixels are read straight from the bitmap's memory
  TlxMonoRaster raster(bitmap.Width(), bitmap.Height());
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    const uint32_t* row = Row(bitmap, y);
    for (int32_t x = 0; x < bitmap.Width(); ++x) raster.Set(x, y, (row[x] & 0xFFFFFFu) == wanted);
  }
  return raster;
}

std::unique_ptr<TBitmap> SystemRadioDrawing(int32_t width, int32_t height, UINT state) {
  auto bitmap = FilledBitmap(width, height, clBlack);
  RECT rect{0, 0, width, height};
  DrawFrameControl(bitmap->Canvas().Handle(), &rect, DFC_BUTTON, state);
  return bitmap;
}

// A round rectangle whose corner ellipse spans the whole rectangle.
void DrawRound(TCanvas& canvas, const TRect& rect, TBrushStyle brush_style) {
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlack);
  canvas.Brush().SetStyle(brush_style);
  canvas.RoundRect(rect.Left, rect.Top, rect.Right, rect.Bottom, rect.Width(), rect.Height());
}

TlxRadioGlyphColors CurrentGlyphColors() {
  const TlxOffice11Palette& office = lxOffice11Palette();
  TlxRadioGlyphColors colors;
  colors.Window = ColorToRGB(clWindow);
  colors.WindowText = ColorToRGB(clWindowText);
  colors.BtnFace = ColorToRGB(clBtnFace);
  colors.BtnShadow = ColorToRGB(clBtnShadow);
  colors.BtnHighlight = ColorToRGB(clBtnHighlight);
  colors.BtnText = ColorToRGB(clBtnText);
  colors.Light3D = ColorToRGB(cl3DLight);
  colors.DkShadow3D = ColorToRGB(cl3DDkShadow);
  colors.Highlight = ColorToRGB(clHighlight);
  colors.UltraFlatHot = lxNearestScreenColor(lxLightColorFromSystem(-2, 30, 72));
  colors.UltraFlatPressed = lxNearestScreenColor(lxLightColorFromSystem(14, 44, 40));
  colors.Office11Hot = office.HotColor1;
  colors.Office11Pressed = office.PressedColor1;
  colors.Office11DisabledText = office.DisabledTextColor;
  colors.Office11SelectedBorder = office.SelectedBorderColor;
  return colors;
}

}  // namespace

TlxRadioButtonImageList::TlxRadioButtonImageList() {
  MeasureAndBuildPattern();
  CreateButtonMask();
  images_ = std::make_unique<TImageList>(pattern_.Width(), pattern_.Height());
  images_->SetMasked(true);
  Rebuild();
}

TlxRadioButtonImageList::~TlxRadioButtonImageList() = default;

void TlxRadioButtonImageList::MeasureAndBuildPattern() {
  const TSize cell = lxCheckButtonGlyphSize();
  int32_t width = kFallbackGlyphSize;
  int32_t height = kFallbackGlyphSize;
  TRect dot;
  if (cell.cx > 0 && cell.cy > 0) {
    auto ring = SystemRadioDrawing(cell.cx, cell.cy, DFCS_BUTTONRADIOMASK | DFCS_FLAT);
    const TlxMonoRaster ring_cells = CellsOfColor(*ring, clBlack);
    const TlxRasterSpan columns = lxBlackColumns(ring_cells);
    const TlxRasterSpan rows = lxBlackRows(ring_cells);
    if (columns.Count > 0 && rows.Count > 0) {
      width = columns.Count;
      height = rows.Count;
      auto checked = SystemRadioDrawing(cell.cx, cell.cy, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED | DFCS_FLAT);
      dot = lxMeasureRadioDot(CellsOfColor(*checked, clWindowText), columns, rows);
      dot = dot.Offset(-columns.First, -rows.First);
    }
  }

  auto outer = FilledBitmap(width, height, clWhite);
  DrawRound(outer->Canvas(), TRect(0, 0, width, height), bsClear);
  auto dot_bitmap = FilledBitmap(width, height, clWhite);
  if (!dot.IsEmpty()) DrawRound(dot_bitmap->Canvas(), dot, bsSolid);
  pattern_ = lxBuildRadioPattern(CellsOfColor(*outer, clBlack), CellsOfColor(*dot_bitmap, clBlack));
}

void TlxRadioButtonImageList::CreateButtonMask() {
  button_mask_ = std::make_unique<TBitmap>(pattern_.Width(), pattern_.Height(), pf1bit);
  TCanvas& canvas = button_mask_->Canvas();
  canvas.Brush().SetColor(clWhite);
  canvas.FillRect(TRect(0, 0, pattern_.Width(), pattern_.Height()));
  DrawRound(canvas, TRect(0, 0, pattern_.Width(), pattern_.Height()), bsSolid);
}

void TlxRadioButtonImageList::AddGlyph(TlxLookAndFeelKind kind, TlxButtonState state, bool checked, bool designing,
                                       bool focused, const TlxRadioGlyphColors& colors) {
  const TlxRadioColorMap map = lxRadioGlyphColorMap(kind, state, checked, designing, focused, colors);
  TBitmap image(pattern_.Width(), pattern_.Height(), pf32bit);
  for (int32_t y = 0; y < pattern_.Height(); ++y) {
    uint32_t* row = Row(image, y);
    for (int32_t x = 0; x < pattern_.Width(); ++x) row[x] = PixelOf(map[pattern_.At(x, y)]);
  }
  // The default state has no glyph of its own: it looks like a normal button.
  if (state == lxbsDefault) state = lxbsNormal;
  const int32_t key = lxRadioGlyphKey(kind, state, checked, designing, focused);
  if (static_cast<int32_t>(index_map_.size()) <= key) index_map_.resize(static_cast<size_t>(key) + 1, -1);
  index_map_[static_cast<size_t>(key)] = images_->Add(image, button_mask_.get());
}

void TlxRadioButtonImageList::Rebuild() {
  images_->Clear();
  index_map_.clear();
  const TlxRadioGlyphColors colors = CurrentGlyphColors();
  for (bool focused : {false, true})
    for (bool designing : {false, true})
      for (int kind = lfFlat; kind <= lfOffice11; ++kind)
        for (bool checked : {false, true})
          for (int state = lxbsNormal; state <= lxbsDisabled; ++state)
            AddGlyph(static_cast<TlxLookAndFeelKind>(kind), static_cast<TlxButtonState>(state), checked, designing,
                     focused, colors);
}

int32_t TlxRadioButtonImageList::GlyphIndex(TlxLookAndFeelKind kind, TlxButtonState state, bool designing,
                                            bool focused, bool checked) const {
  // The default state has no glyph of its own: it looks like a normal button.
  if (state == lxbsDefault) state = lxbsNormal;
  const int32_t key = lxRadioGlyphKey(kind, state, checked, designing, focused);
  return key < static_cast<int32_t>(index_map_.size()) ? index_map_[static_cast<size_t>(key)] : -1;
}

void TlxRadioButtonImageList::PaintGlyph(TCanvas& canvas, int32_t x, int32_t y, TlxLookAndFeelKind kind,
                                         TlxButtonState state, bool checked, bool focused, bool designing,
                                         TColor background) {
  const int32_t index = GlyphIndex(kind, state, designing, focused, checked);
  if (background == clDefault) {
    images_->Draw(canvas, x, y, index);
    return;
  }
  auto bitmap = FilledBitmap(pattern_.Width(), pattern_.Height(), background);
  images_->Draw(bitmap->Canvas(), 0, 0, index);
  canvas.Draw(x, y, bitmap.get());
}

namespace {

struct PainterGlyphs {
  std::unique_ptr<TlxRadioButtonImageList> radio;
  std::unique_ptr<TImageList> indicators;
  std::array<std::unique_ptr<TBitmap>, 2> scroll_bar;
  std::optional<TSize> check_box_size;
  std::unique_ptr<TSystemPaletteChangedNotifier> palette_notifier;
};

PainterGlyphs& Glyphs() {
  static PainterGlyphs glyphs;
  return glyphs;
}

constexpr int32_t kIndicatorSize = 12;

void DrawArrow(TCanvas& canvas, int32_t left) {
  canvas.Polygon({TPoint(left, 2), TPoint(left + 4, 6), TPoint(left, 10)});
}

// The indicator glyphs, black on white (white is see-through).
void DrawIndicator(TCanvas& canvas, int32_t kind) {
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clBlack);
  switch (kind) {
    case 0:  // the current row
      DrawArrow(canvas, 4);
      break;
    case 1:  // the row being edited: an upright text cursor
      canvas.FillRect(TRect(5, 2, 7, 10));
      canvas.FillRect(TRect(3, 1, 9, 2));
      canvas.FillRect(TRect(3, 10, 9, 11));
      break;
    case 2:  // the row being inserted: a star
      canvas.FillRect(TRect(5, 2, 7, 10));
      canvas.FillRect(TRect(2, 5, 10, 7));
      canvas.MoveTo(3, 3);
      canvas.LineTo(9, 9);
      canvas.MoveTo(8, 3);
      canvas.LineTo(2, 9);
      break;
    case 3:  // several selected rows
      canvas.Ellipse(TRect(4, 4, 8, 8));
      break;
    case 4:  // the current row among several selected
      DrawArrow(canvas, 2);
      canvas.Ellipse(TRect(7, 4, 11, 8));
      break;
    default:  // the filter row: a funnel
      canvas.Polygon({TPoint(1, 2), TPoint(10, 2), TPoint(7, 6), TPoint(7, 10), TPoint(4, 10), TPoint(4, 6)});
      break;
  }
}

std::unique_ptr<TImageList> MakeIndicatorImages() {
  auto images = std::make_unique<TImageList>(kIndicatorSize, kIndicatorSize);
  images->SetMasked(true);
  for (int32_t kind = 0; kind < lxIndicatorImageCount; ++kind) {
    auto bitmap = FilledBitmap(kIndicatorSize, kIndicatorSize, clWhite);
    DrawIndicator(bitmap->Canvas(), kind);
    images->AddMasked(*bitmap, clWhite);
  }
  return images;
}

}  // namespace

bool lxRadioButtonGlyphsExist() { return Glyphs().radio != nullptr; }

TlxRadioButtonImageList& lxRadioButtonGlyphs() {
  auto& radio = Glyphs().radio;
  if (!radio) radio = std::make_unique<TlxRadioButtonImageList>();
  return *radio;
}

TSize lxCheckButtonGlyphSize() {
  auto& size = Glyphs().check_box_size;
  if (size) return *size;
  size = TSize(0, 0);
  HBITMAP check_boxes = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kSystemCheckBoxesBitmap));
  if (check_boxes == nullptr) return *size;
  BITMAP info{};
  if (GetObjectW(check_boxes, sizeof(info), &info) != 0) size = TSize(info.bmWidth / 4, info.bmHeight / 3);
  DeleteObject(check_boxes);
  return *size;
}

TCustomImageList& lxIndicatorImages() {
  auto& images = Glyphs().indicators;
  if (!images) images = MakeIndicatorImages();
  return *images;
}

void lxRefreshStdScrollBarBitmaps() {
  const std::array<std::array<uint32_t, 2>, 2> colors{{
      {PixelOf(clBtnFace), PixelOf(clBtnHighlight)},
      {PixelOf(clBlack), PixelOf(cl3DDkShadow)},
  }};
  for (size_t which = 0; which < 2; ++which) {
    auto& bitmap = Glyphs().scroll_bar[which];
    if (!bitmap) bitmap = std::make_unique<TBitmap>(8, 8, pf32bit);
    for (int32_t y = 0; y < 8; ++y) {
      uint32_t* row = Row(*bitmap, y);
      for (int32_t x = 0; x < 8; ++x) row[x] = colors[which][static_cast<size_t>((x + y) % 2)];
    }
  }
}

TBitmap& lxStdScrollBarBitmap(bool pressed) {
  auto& bitmap = Glyphs().scroll_bar[pressed ? 1 : 0];
  if (!bitmap) lxRefreshStdScrollBarBitmaps();
  return *bitmap;
}

void TSystemPaletteChangedNotifier::NotifyPaletteChanged() {
  TlxSystemPaletteChangedNotifier::NotifyPaletteChanged();
  if (lxRadioButtonGlyphsExist()) lxRadioButtonGlyphs().Rebuild();
}

void lxStartPainterGlyphs() {
  lxExtendedStylePainters();
  lxIndicatorImages();
  lxRefreshStdScrollBarBitmaps();
  PainterGlyphs& glyphs = Glyphs();
  if (!glyphs.palette_notifier) glyphs.palette_notifier = std::make_unique<TSystemPaletteChangedNotifier>();
  lxCheckButtonGlyphSize();
}

void lxFreePainterGlyphs() {
  PainterGlyphs& glyphs = Glyphs();
  glyphs.palette_notifier.reset();
  glyphs.scroll_bar = {};
  glyphs.indicators.reset();
  glyphs.radio.reset();
  glyphs.check_box_size.reset();
}
