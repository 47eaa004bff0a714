#include "editors/kinds/glyph_layout.h"

namespace {

bool IsHorizontal(TlxGlyphSide side) { return side == TlxGlyphSide::kLeft || side == TlxGlyphSide::kRight; }

TlxGlyphSide MirroredSide(TlxGlyphSide side) {
  switch (side) {
    case TlxGlyphSide::kLeft:
      return TlxGlyphSide::kRight;
    case TlxGlyphSide::kRight:
      return TlxGlyphSide::kLeft;
    default:
      return side;
  }
}

}  // namespace

TlxGlyphCaptionPlacement lxPlaceGlyphAndCaption(const TlxGlyphCaptionInput& input) {
  const TlxGlyphSide side = input.RightToLeft ? MirroredSide(input.Side) : input.Side;
  const TSize client{input.Client.Width(), input.Client.Height()};
  const TSize glyph = input.GlyphSize;
  TSize text{0, 0};
  TRect text_rect;
  if (input.HasCaption) {
    text_rect = input.MeasuredText;
    text = {input.MeasuredText.Width() + input.Insets.Left + input.Insets.Right,
            input.MeasuredText.Height() + input.Insets.Top + input.Insets.Bottom};
  }

  TPoint glyph_pos{0, 0};
  TPoint text_pos{0, 0};
  const bool horizontal = IsHorizontal(side);
  if (horizontal) {
    glyph_pos.Y = (client.cy - glyph.cy) / 2;
    text_pos.Y = (client.cy - text.cy - 1) / 2;
  } else {
    glyph_pos.X = (client.cx - glyph.cx) / 2;
    text_pos.X = (client.cx - text.cx) / 2;
  }

  int32_t margin = input.Margin;
  int32_t spacing = input.Spacing;
  if (text.cx == 0 || glyph.cx == 0)
    spacing = 0;
  const int32_t room = horizontal ? client.cx : client.cy;
  const int32_t glyph_extent = horizontal ? glyph.cx : glyph.cy;
  const int32_t text_extent = horizontal ? text.cx : text.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (room - (glyph_extent + text_extent)) / 3;
      spacing = margin;
    } else {
      margin = (room - (glyph_extent + spacing + text_extent)) / 2;
    }
  } else if (spacing == -1) {
    spacing = (room - (margin + glyph_extent) - text_extent) / 2;
  }

  switch (side) {
    case TlxGlyphSide::kLeft:
      glyph_pos.X = margin;
      text_pos.X = glyph_pos.X + glyph.cx + spacing;
      break;
    case TlxGlyphSide::kRight:
      glyph_pos.X = client.cx - margin - glyph.cx;
      text_pos.X = glyph_pos.X - spacing - text.cx;
      break;
    case TlxGlyphSide::kTop:
      glyph_pos.Y = margin;
      text_pos.Y = glyph_pos.Y + glyph.cy + spacing;
      break;
    case TlxGlyphSide::kBottom:
      glyph_pos.Y = client.cy - margin - glyph.cy;
      text_pos.Y = glyph_pos.Y - spacing - text.cy;
      break;
  }

  const int32_t dx = input.Client.Left + input.Offset.X;
  const int32_t dy = input.Client.Top + input.Offset.Y;
  TlxGlyphCaptionPlacement placement;
  placement.GlyphPos = {glyph_pos.X + dx, glyph_pos.Y + dy};
  placement.TextRect = text_rect.Offset(text_pos.X + dx, text_pos.Y + dy);
  return placement;
}

int32_t lxGlyphCountOfBitmap(int32_t width, int32_t height) {
  if (height <= 0 || width <= 0 || width % height != 0)
    return 1;
  const int32_t count = width / height;
  return count >= 1 && count <= 4 ? count : 1;
}
