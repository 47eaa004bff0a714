// TlxCanvas: fills, frames, edges, regions and glyphs.

#include <memory>

#include "platform/toolkit/image_list.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

// The brush style for a scope, put back at its end when it changed.
class BrushStyleScope {
 public:
  BrushStyleScope(TBrush& brush, TBrushStyle style) : brush_(brush), saved_(brush.Style()) {
    if (saved_ != style)
      brush_.SetStyle(style);
  }
  ~BrushStyleScope() {
    if (brush_.Style() != saved_)
      brush_.SetStyle(saved_);
  }
  BrushStyleScope(const BrushStyleScope&) = delete;
  BrushStyleScope& operator=(const BrushStyleScope&) = delete;

 private:
  TBrush& brush_;
  TBrushStyle saved_;
};

}  // namespace

void TlxCanvas::SetBrushColor(TColor color) {
  if (Brush().Color() != color)
    Brush().SetColor(color);
}

void TlxCanvas::FillRectColor(const TRect& rect, TColor color) {
  if (color == clNone)
    return;
  if (color != clDefault)
    SetBrushColor(color);
  canvas_->FillRect(rect);
}

void TlxCanvas::FillRectTiled(const TRect& rect, TBitmap* bitmap, bool exclude) {
  if (rect.IsEmpty())
    return;
  if (bitmap != nullptr && !bitmap->Empty()) {
    for (const TlxTilePart& part : lxTileParts(rect, bitmap->Width(), bitmap->Height()))
      canvas_->CopyRect(part.Dest, bitmap->Canvas(), part.Source);
  } else {
    canvas_->FillRect(rect);
  }
  if (exclude)
    ApplyClipRegion(TlxRegion::CreateFromRect(rect), roSubtract, true);
}

void TlxCanvas::FrameRectSides(const TRect& rect, TColor color, int32_t width, uint8_t sides, bool exclude) {
  if (rect.IsEmpty())
    return;
  if (color != clDefault)
    SetBrushColor(color);
  for (const uint8_t side : {lxFrameSideLeft, lxFrameSideRight, lxFrameSideTop, lxFrameSideBottom})
    if ((sides & side) != 0)
      FillRectTiled(lxFrameSideBand(rect, side, width), nullptr, exclude);
}

void TlxCanvas::FillRectWithFrame(const TRect& rect, const TlxPaintParams& params, uint8_t sides,
                                  TColor frame_color, int32_t frame_width, bool exclude) {
  FrameRectSides(rect, frame_color, frame_width, sides, exclude);
  const TRect inside = lxRectInsideFrame(rect, sides, frame_width);
  const bool has_bitmap = params.Bitmap != nullptr && !params.Bitmap->Empty();
  // No colour and no bitmap: the inside stays as it is, as with FillRectColor.
  if (params.Color == clNone && !has_bitmap)
    return;
  if (params.Color != clDefault && params.Color != clNone)
    SetBrushColor(params.Color);
  FillRectTiled(inside, params.Bitmap, exclude);
}

void TlxCanvas::DrawTwoColorFrame(const TRect& rect, TColor left_top_color, TColor right_bottom_color,
                                  TlxBorders borders, int32_t line_width) {
  struct Band {
    TlxBorder border;
    uint8_t side;
    TColor color;
  };
  const Band bands[] = {{bLeft, lxFrameSideLeft, left_top_color},
                        {bTop, lxFrameSideTop, left_top_color},
                        {bRight, lxFrameSideRight, right_bottom_color},
                        {bBottom, lxFrameSideBottom, right_bottom_color}};
  for (const Band& band : bands) {
    if (!borders.Contains(band.border))
      continue;
    SetBrushColor(band.color);
    FillRectTiled(lxFrameSideBand(rect, band.side, line_width), nullptr, false);
  }
}

void TlxCanvas::Draw3DEdge(const TRect& rect, bool sunken, bool outer, TlxBorders borders) {
  TColor left_top;
  TColor right_bottom;
  if (sunken) {
    left_top = outer ? clBtnShadow : cl3DDkShadow;
    right_bottom = outer ? clBtnHighlight : cl3DLight;
  } else {
    left_top = outer ? clBtnHighlight : cl3DLight;
    right_bottom = outer ? clBtnShadow : cl3DDkShadow;
  }
  DrawTwoColorFrame(rect, left_top, right_bottom, borders, 1);
}

void TlxCanvas::DrawFocusFrame(const TRect& rect) {
  // The dotted frame inverts through the text and background colours: fixed
  // ones make it look the same on every background.
  SetBrushColor(clWhite);
  Font().SetColor(clBlack);
  SetTextColor(Handle(), RGB(0, 0, 0));
  canvas_->DrawFocusRect(rect);
}

void TlxCanvas::DrawFocusFrames(const TRect& rect, int32_t count) {
  TRect frame = rect;
  for (int32_t i = 0; i < count; ++i) {
    DrawFocusFrame(frame);
    frame = TRect(frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1);
  }
}

void TlxCanvas::InvertRect(const TRect& rect) {
  canvas_->SetCopyMode(cmDstInvert);
  canvas_->CopyRect(rect, *canvas_, rect);
  canvas_->SetCopyMode(cmSrcCopy);
}

void TlxCanvas::FillRegionColor(HRGN region, TColor color) {
  SetBrushColor(color);
  FillRgn(Handle(), region, Brush().Handle());
}

void TlxCanvas::FrameRegionColor(HRGN region, TColor color, int32_t frame_width, int32_t frame_height) {
  SetBrushColor(color);
  FrameRgn(Handle(), region, Brush().Handle(), frame_width, frame_height);
}

void TlxCanvas::FillAndFrameRegion(const TlxRegion& region, TColor fill_color, TColor frame_color,
                                   int32_t frame_width, int32_t frame_height) {
  FillAndFrameRegionHandle(region.Handle(), fill_color, frame_color, frame_width, frame_height);
}

void TlxCanvas::FillAndFrameRegionHandle(HRGN region, TColor fill_color, TColor frame_color, int32_t frame_width,
                                         int32_t frame_height) {
  if (region == nullptr)
    return;
  FillRegionColor(region, fill_color);
  FrameRegionColor(region, frame_color, frame_width, frame_height);
}

void TlxCanvas::DrawGlyphBitmap(int32_t x, int32_t y, TBitmap& bitmap, bool enabled, TColor background) {
  if (bitmap.Empty())
    return;
  const TRect bounds(0, 0, bitmap.Width(), bitmap.Height());
  if (enabled) {
    BrushStyleScope style(Brush(), background == clNone ? bsClear : bsSolid);
    if (background != clNone)
      SetBrushColor(background);
    canvas_->BrushCopy(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap, bounds, bitmap.TransparentColor());
    return;
  }
  // The image list draws the embossed disabled look of a masked image. The
  // bitmap's own transparent colour (fixed, or its bottom-left pixel) is
  // what it leaves out.
  TImageList images(bitmap.Width(), bitmap.Height());
  images.AddMasked(bitmap, bitmap.TransparentColor());
  if (background == clNone) {
    images.Draw(*canvas_, x, y, 0, false);
    return;
  }
  TBitmap backdrop(bitmap.Width(), bitmap.Height());
  backdrop.Canvas().Brush().SetColor(background);
  backdrop.Canvas().FillRect(bounds);
  images.Draw(backdrop.Canvas(), 0, 0, 0, false);
  canvas_->Draw(x, y, &backdrop);
}
