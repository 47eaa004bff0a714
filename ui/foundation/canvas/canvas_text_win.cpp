// TlxCanvas: text measuring and drawing.

#include <array>
#include <string>

#include "platform/rtl/text.h"
#include "ui/foundation/canvas/canvas_layout.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

bool Has(TlxCanvasTextFlags flags, TlxCanvasTextFlags flag) { return (flags & flag) != 0; }

// The embossed copy of disabled text sits one pixel right of and below the
// text; that much room is kept free at the right and bottom.
int32_t DisabledOffset(bool enabled) { return enabled ? 0 : 1; }

const WCHAR* WidePointer(const std::u16string& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// DrawText on UTF-8 text; the rectangle receives what DT_CALCRECT measures.
int DrawUtf8Text(HDC dc, std::string_view text, RECT& rect, UINT flags) {
  std::u16string wide = Utf8ToUtf16(text);
  return DrawTextW(dc, reinterpret_cast<WCHAR*>(wide.data()), static_cast<int>(wide.size()), &rect, flags);
}

}  // namespace

UINT lxCanvasTextFlagsToDrawText(TlxCanvasTextFlags flags) {
  struct Mapping {
    TlxCanvasTextFlags flag;
    UINT draw_text_flag;
  };
  static constexpr std::array kMappings{
      Mapping{lxtfRight, DT_RIGHT},           Mapping{lxtfCenterX, DT_CENTER},
      Mapping{lxtfBottom, DT_BOTTOM},         Mapping{lxtfCenterY, DT_VCENTER},
      Mapping{lxtfSingleLine, DT_SINGLELINE}, Mapping{lxtfNoClip, DT_NOCLIP},
      Mapping{lxtfExpandTabs, DT_EXPANDTABS}, Mapping{lxtfEndEllipsis, DT_END_ELLIPSIS},
      Mapping{lxtfCalcRect, DT_CALCRECT},     Mapping{lxtfPathEllipsis, DT_PATH_ELLIPSIS},
  };
  UINT result = 0;
  for (const Mapping& mapping : kMappings)
    if (Has(flags, mapping.flag))
      result |= mapping.draw_text_flag;
  if (!Has(flags, lxtfShowPrefix))
    result |= DT_NOPREFIX;
  if (Has(flags, lxtfWordBreak)) {
    // The edit control's breaking splits a word that does not fit a line;
    // without it a long word runs past the edge.
    result |= DT_WORDBREAK;
    if (!Has(flags, lxtfDontBreakChars))
      result |= DT_EDITCONTROL;
  }
  return result;
}

void TlxCanvas::PrepareTextOutput() const {
  // Measuring selects the font and its colour into the context.
  canvas_->TextExtent({});
  HDC dc = Handle();
  const bool opaque = Brush().Style() == bsSolid || Brush().Bitmap() != nullptr;
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  SetBkColor(dc, ColorToColorRef(Brush().Color()));
}

TSize TlxCanvas::MeasureTextExtent(std::string_view text) const { return canvas_->TextExtent(text); }

int32_t TlxCanvas::FontTextHeight(const TFont& font) {
  AssignFont(font);
  return MeasureTextHeight("Qq");
}

void TlxCanvas::CalcTextRect(std::string_view text, TRect& rect, TlxCanvasTextFlags flags) const {
  const UINT draw_text_flags = lxCanvasTextFlagsToDrawText(flags);
  const TRect given = rect;
  RECT measured = rect;
  // DrawText measures no width from a rectangle without one.
  if (measured.right == measured.left && !text.empty())
    measured.right = measured.left + 1;
  PrepareTextOutput();
  // Measured at the top: a single line measured with bottom alignment comes
  // back reaching from the top to the bottom of the rectangle.
  const UINT measure_flags = (draw_text_flags | DT_CALCRECT) & ~UINT{DT_VCENTER | DT_BOTTOM};
  if (DrawUtf8Text(Handle(), text, measured, measure_flags) == 0)
    measured = RECT{given.Left, given.Top, given.Left, given.Top};
  rect = lxAlignMeasuredTextRect(TRect(measured), given, (draw_text_flags & DT_CENTER) != 0,
                                 (draw_text_flags & DT_RIGHT) != 0, (draw_text_flags & DT_VCENTER) != 0,
                                 (draw_text_flags & DT_BOTTOM) != 0);
}

void TlxCanvas::AlignTextRectVert(TRect& rect, std::string_view text, int32_t alignment, bool word_break,
                                  bool show_prefix, bool enabled, bool dont_break_chars) const {
  if (alignment != 1 && alignment != 2)
    return;
  const int32_t offset = DisabledOffset(enabled);
  TlxCanvasTextFlags flags = lxtfLeft | lxtfTop;
  if (word_break)
    flags |= lxtfWordBreak;
  if (show_prefix)
    flags |= lxtfShowPrefix;
  if (dont_break_chars)
    flags |= lxtfDontBreakChars;
  TRect measured(rect.Left, rect.Top, rect.Right - offset, rect.Top);
  CalcTextRect(text, measured, flags);
  const int32_t text_height = measured.Height();
  if (alignment == 1)
    rect.Top = rect.Bottom - text_height - offset;
  else
    rect.Top = (rect.Top + rect.Bottom - text_height) / 2;
}

bool TlxCanvas::FitsUnclipped(std::string_view text, const TRect& rect, TlxCanvasTextFlags flags,
                              const TSize& single_line_size) const {
  if (Has(flags, lxtfSingleLine))
    return single_line_size.cx <= rect.Width() && single_line_size.cy <= rect.Height();
  // Rows broken at line ends or words reach further down than one line: only
  // the height of all of them tells whether they stay in the rectangle.
  TRect measured = rect;
  CalcTextRect(text, measured, flags & ~TlxCanvasTextFlags{lxtfCalcRect});
  return measured.Width() <= rect.Width() && measured.Height() <= rect.Height();
}

void TlxCanvas::DrawTextOnce(std::string_view text, const TRect& rect, const TPoint& place, bool use_draw_text,
                             UINT draw_text_flags, bool clip) {
  PrepareTextOutput();
  HDC dc = Handle();
  if (use_draw_text) {
    RECT system_rect = rect;
    DrawUtf8Text(dc, text, system_rect, draw_text_flags);
    return;
  }
  const std::u16string wide = Utf8ToUtf16(text);
  const RECT clip_rect = rect;
  ExtTextOutW(dc, place.X, place.Y, clip ? ETO_CLIPPED : 0, &clip_rect, WidePointer(wide),
              static_cast<UINT>(wide.size()), nullptr);
}

void TlxCanvas::DrawTextInRect(std::string_view text, const TRect& rect, TlxCanvasTextFlags flags, bool enabled) {
  if (text.empty())
    return;
  const bool single_line = Has(flags, lxtfSingleLine);
  const bool use_draw_text =
      !single_line || Has(flags, lxtfShowPrefix) || Has(flags, lxtfEndEllipsis) || Has(flags, lxtfPathEllipsis);
  const TSize size = MeasureTextExtent(text);
  if (FitsUnclipped(text, rect, flags, size))
    flags |= lxtfNoClip;
  const int32_t offset = DisabledOffset(enabled);

  TRect text_rect = rect;
  TPoint place;
  UINT draw_text_flags = 0;
  if (use_draw_text) {
    if (!single_line && (Has(flags, lxtfBottom) || Has(flags, lxtfCenterY)))
      AlignTextRectVert(text_rect, text, Has(flags, lxtfBottom) ? 1 : 2, Has(flags, lxtfWordBreak),
                        Has(flags, lxtfShowPrefix), enabled, Has(flags, lxtfDontBreakChars));
    draw_text_flags = lxCanvasTextFlagsToDrawText(flags);
    // The embossed copy goes one pixel right and down: the text itself
    // keeps that pixel free.
    text_rect.Right -= offset;
    text_rect.Bottom -= offset;
  } else {
    place = lxPlaceSingleLineText(rect, size.cx, size.cy, Has(flags, lxtfRight), Has(flags, lxtfCenterX),
                                  Has(flags, lxtfBottom), Has(flags, lxtfCenterY), offset);
  }
  const bool clip = !Has(flags, lxtfNoClip);

  const TColor font_color = Font().Color();
  if (enabled) {
    DrawTextOnce(text, text_rect, place, use_draw_text, draw_text_flags, clip);
  } else {
    const TBrushStyle brush_style = Brush().Style();
    Brush().SetStyle(bsClear);
    Font().SetColor(clBtnHighlight);
    const TRect embossed_rect(text_rect.Left + 1, text_rect.Top + 1, text_rect.Right + 1, text_rect.Bottom + 1);
    // The ExtTextOut form clips to the whole rectangle; the copy must not
    // be cut off at the edge it reaches.
    DrawTextOnce(text, use_draw_text ? embossed_rect : rect, TPoint(place.X + 1, place.Y + 1), use_draw_text,
                 draw_text_flags, clip);
    Font().SetColor(clBtnShadow);
    DrawTextOnce(text, text_rect, place, use_draw_text, draw_text_flags, clip);
    if (Brush().Style() != brush_style)
      Brush().SetStyle(brush_style);
  }
  if (Font().Color() != font_color)
    Font().SetColor(font_color);
}
