#include "ui/foundation/text_layout/text_layout_win.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/rtl/scope.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

// The system's tabbed extent measures at most this many characters.
constexpr int32_t kLongestTabbedPiece = 4095;
constexpr char16_t kEllipsis[] = u"...";

const WCHAR* Wide(const char16_t* text) { return reinterpret_cast<const WCHAR*>(text); }
int Count(std::u16string_view text) { return static_cast<int>(std::min<size_t>(text.size(), INT32_MAX)); }

bool IsUsableColor(TColor color) { return color != clNone && color != clDefault; }

TlxModuleStartCount module_start;
HBRUSH pattern_brushes[2] = {};  // checkerboard for normal fonts, solid for bold ones

HBRUSH MakePlaceholderBrush(bool bold) {
  if (bold)
    return CreateSolidBrush(0);
  const WORD rows[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);
  return brush;
}

// The module's brush, or one made for this drawing when the module has
// not started.
class PlaceholderBrush {
 public:
  explicit PlaceholderBrush(bool bold) {
    brush_ = pattern_brushes[bold ? 1 : 0];
    if (brush_ == nullptr)
      brush_ = own_ = MakePlaceholderBrush(bold);
  }
  ~PlaceholderBrush() {
    if (own_ != nullptr)
      DeleteObject(own_);
  }
  PlaceholderBrush(const PlaceholderBrush&) = delete;
  PlaceholderBrush& operator=(const PlaceholderBrush&) = delete;
  HBRUSH Get() const { return brush_; }

 private:
  HBRUSH brush_ = nullptr;
  HBRUSH own_ = nullptr;
};

bool IsMetafile(HDC dc) {
  const DWORD type = GetObjectType(dc);
  return type == OBJ_METADC || type == OBJ_ENHMETADC;
}

void DrawRowText(HDC dc, const TlxTextLayoutParams& params, const TlxTextRowInfo& row, const TlxTextRowDrawing& d) {
  if (d.Length <= 0)
    return;
  if (params.ExpandTabs)
    TabbedTextOutW(dc, d.X, d.Y, Wide(row.Text), d.Length, 0, nullptr, d.X);
  else
    TextOutW(dc, d.X, d.Y, Wide(row.Text), d.Length);
}

void DrawEllipsis(HDC dc, const TRect& text_rect, const TlxTextRowDrawing& d) {
  if (d.EllipsisX > text_rect.Right)
    return;
  const RECT band = d.Band;
  ExtTextOutW(dc, d.EllipsisX, d.Y, d.ClipEllipsis ? ETO_CLIPPED : 0, &band, Wide(kEllipsis), 3, nullptr);
}

std::u16string AnsiToWide(std::string_view text) {
  if (text.empty())
    return {};
  const int size = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::u16string wide(static_cast<size_t>(std::max(length, 0)), u'\0');
  if (length > 0)
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, reinterpret_cast<WCHAR*>(wide.data()), length);
  return wide;
}

}  // namespace

// --- measuring --------------------------------------------------------------------

TSize TlxDCTextMeasurer::MeasureText(std::u16string_view text, bool expand_tabs) {
  if (!expand_tabs) {
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, Wide(text.data()), Count(text), &size))
      return TSize();
    return TSize(size.cx, size.cy);
  }
  if (static_cast<int64_t>(text.size()) <= kLongestTabbedPiece) {
    const DWORD extent = GetTabbedTextExtentW(dc_, Wide(text.data()), Count(text), 0, nullptr);
    return TSize(LOWORD(extent), HIWORD(extent));
  }
  RECT rect{0, 0, 0, 0};
  DrawTextW(dc_, const_cast<WCHAR*>(Wide(text.data())), Count(text), &rect,
            DT_NOPREFIX | DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);
  return TSize(rect.right - rect.left, rect.bottom - rect.top);
}

int32_t TlxDCTextMeasurer::FitCharacters(std::u16string_view text, int32_t max_width) {
  if (text.empty())
    return 0;
  INT fit = 0;
  SIZE size{};
  if (!GetTextExtentExPointW(dc_, Wide(text.data()), Count(text), std::max(max_width, 0), &fit, nullptr, &size))
    return 0;
  return fit;
}

bool TlxDCTextMeasurer::IsMultiByteInAnsiCodePage(char16_t c) {
  // Only the double-byte code pages of East Asia make a character a
  // segment of its own; under UTF-8 every accented letter takes two bytes
  // and would break words apart.
  static const bool double_byte = [] {
    CPINFO info{};
    return GetACP() != CP_UTF8 && GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 2;
  }();
  if (!double_byte)
    return false;
  char bytes[4] = {};
  const WCHAR wide = c;
  return WideCharToMultiByte(CP_ACP, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr) > 1;
}

// --- parameters ---------------------------------------------------------------------

TlxTextFontMetrics lxReadTextFontMetrics(HDC dc, TlxTextOutFlags flags) {
  TlxTextFontMetrics metrics;
  TEXTMETRICW wide{};
  if (GetTextMetricsW(dc, &wide)) {
    metrics.Height = wide.tmHeight;
    metrics.ExternalLeading = wide.tmExternalLeading;
    metrics.Weight = wide.tmWeight;
    metrics.BreakChar = static_cast<char16_t>(wide.tmBreakChar);
    metrics.MaxCharWidth = wide.tmMaxCharWidth;
    metrics.CharSet = wide.tmCharSet;
  } else {
    TEXTMETRICA ansi{};
    if (GetTextMetricsA(dc, &ansi)) {
      metrics.Height = ansi.tmHeight;
      metrics.ExternalLeading = ansi.tmExternalLeading;
      metrics.Weight = ansi.tmWeight;
      metrics.BreakChar = static_cast<uint8_t>(ansi.tmBreakChar);
      metrics.MaxCharWidth = ansi.tmMaxCharWidth;
      metrics.CharSet = ansi.tmCharSet;
    }
  }
  POINT one[2] = {{0, 0}, {1, 1}};
  DPtoLP(dc, one, 2);
  metrics.OnePixel = std::abs(one[1].x - one[0].x);
  POINT six[2] = {{0, 0}, {6, 6}};
  DPtoLP(dc, six, 2);
  metrics.SixPixels = std::abs(six[1].y - six[0].y);
  if ((flags & lxtoEndEllipsis) != 0) {
    SIZE size{};
    if (GetTextExtentPoint32W(dc, Wide(kEllipsis), 3, &size))
      metrics.EllipsisWidth = size.cx;
  }
  // Asked of the system locale's language: the double-byte flag of the
  // system metrics is also set under the UTF-8 code page.
  const WORD language = PRIMARYLANGID(GetSystemDefaultLangID());
  metrics.EastAsianLocale = language == LANG_CHINESE || language == LANG_JAPANESE || language == LANG_KOREAN;
  return metrics;
}

void lxInitTextParams(HDC dc, TlxTextOutFlags flags, TlxTextLayoutParams& params, double line_spacing) {
  params = lxMakeTextParams(lxReadTextFontMetrics(dc, flags), flags, line_spacing);
}

void lxInitTextParamsForCanvas(TlxCanvas& canvas, TlxTextOutFlags flags, TlxTextLayoutParams& params,
                               double line_spacing) {
  // Measuring makes the handle and selects the font.
  canvas.MeasureTextExtent({});
  lxInitTextParams(canvas.Handle(), flags, params, line_spacing);
}

// --- rows ---------------------------------------------------------------------------

bool lxMakeTextRows(HDC dc, const char16_t* text, int32_t length, const TRect& text_rect,
                    const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count, int32_t max_rows) {
  TlxDCTextMeasurer measurer(dc);
  return lxMakeTextRows(measurer, text, length, text_rect, params, rows, row_count, max_rows);
}

bool lxMakeTextRowsOnDC(HDC dc, std::string_view text, const TRect& text_rect, const TlxTextLayoutParams& params,
                        TlxTextRows& rows, int32_t& row_count, int32_t max_rows) {
  rows.Text = AnsiToWide(text);
  return lxMakeTextRows(dc, rows.Text.data(), static_cast<int32_t>(rows.Text.size()), text_rect, params, rows,
                        row_count, max_rows);
}

bool lxMakeTextRowsOnCanvas(TlxCanvas& canvas, std::string_view text, const TRect& text_rect,
                            const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count,
                            int32_t max_rows) {
  canvas.MeasureTextExtent({});
  return lxMakeTextRowsOnDC(canvas.Handle(), text, text_rect, params, rows, row_count, max_rows);
}

// --- drawing ------------------------------------------------------------------------

void lxDrawTextRows(HDC dc, const TRect& text_rect, const TlxTextLayoutParams& params, const TlxTextRows& rows,
                    int32_t row_count, int32_t highlight_start, int32_t highlight_length, TColor highlight_background,
                    TColor highlight_text_color, bool text_did_not_fit) {
  TlxDCTextMeasurer measurer(dc);
  const std::vector<TlxTextRowDrawing> plan = lxPlanTextRows(measurer, text_rect, params, rows, row_count,
                                                             highlight_start, highlight_length, text_did_not_fit);
  if (plan.empty())
    return;
  const int background_mode = SetBkMode(dc, TRANSPARENT);
  TScopeExit restore_mode([&] { SetBkMode(dc, background_mode); });
  TOwnedBrush highlight_brush(highlight_length > 0 && IsUsableColor(highlight_background)
                                  ? CreateSolidBrush(ColorToColorRef(highlight_background))
                                  : nullptr);
  const bool metafile = IsMetafile(dc);
  const bool highlight_text = IsUsableColor(highlight_text_color);

  for (const TlxTextRowDrawing& d : plan) {
    const RECT band = d.Band;
    if (!RectVisible(dc, &band))
      continue;
    const TlxTextRowInfo& row = lxGetTextRow(rows, d.Row);
    // Most rows change nothing in the context; saving it costs.
    std::optional<TSavedDCState> row_state;
    if (d.Placeholder || d.Clip || d.HighlightLength > 0)
      row_state.emplace(dc);
    if (d.Placeholder) {
      PlaceholderBrush brush(params.Bold);
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      const RECT bar = d.PlaceholderRect;
      FillRect(dc, &bar, brush.Get());
      continue;
    }
    if (d.JustifyExtra > 0)
      SetTextJustification(dc, d.JustifyExtra, row.BreakCount);
    if (d.Clip && !metafile)
      IntersectClipRect(dc, d.ClipRect.Left, d.ClipRect.Top, d.ClipRect.Right, d.ClipRect.Bottom);
    bool ellipsis_drawn = false;
    if (d.HighlightLength > 0 && !metafile) {
      const RECT part{d.HighlightLeft, band.top, d.HighlightRight, band.bottom};
      if (highlight_brush.Get() != nullptr)
        FillRect(dc, &part, highlight_brush.Get());
      {
        TSavedDCState highlight_state(dc);
        IntersectClipRect(dc, part.left, part.top, part.right, part.bottom);
        if (highlight_text)
          SetTextColor(dc, ColorToColorRef(highlight_text_color));
        DrawRowText(dc, params, row, d);
      }
      ExcludeClipRect(dc, part.left, part.top, part.right, part.bottom);
    }
    if (d.Ellipsis && d.HighlightReachesEnd && highlight_text && !metafile) {
      TSavedDCState ellipsis_state(dc);
      SetTextColor(dc, ColorToColorRef(highlight_text_color));
      DrawEllipsis(dc, text_rect, d);
      ellipsis_drawn = true;
    }
    DrawRowText(dc, params, row, d);
    if (d.Ellipsis && !ellipsis_drawn)
      DrawEllipsis(dc, text_rect, d);
    if (d.JustifyExtra > 0)
      SetTextJustification(dc, 0, 0);
  }
}

// --- the whole pipeline ------------------------------------------------------------------

int32_t lxTextOutWide(HDC dc, std::u16string_view text, TRect& rect, TlxTextOutFlags flags,
                      int32_t highlight_start, int32_t highlight_length, TFont* font, TColor highlight_background,
                      TColor highlight_text_color, int32_t max_rows, int32_t left_indent, int32_t right_indent,
                      TColor text_color, double line_spacing) {
  if (text.empty() || dc == nullptr)
    return 0;
  HGDIOBJ saved_font = GetCurrentObject(dc, OBJ_FONT);
  const COLORREF saved_color = GetTextColor(dc);
  TScopeExit restore([&] {
    SelectObject(dc, saved_font);
    SetTextColor(dc, saved_color);
  });
  if (font != nullptr) {
    SelectObject(dc, font->Handle());
    SetTextColor(dc, ColorToColorRef(font->Color()));
  }
  if (text_color != clDefault)
    SetTextColor(dc, ColorToColorRef(text_color));

  TlxTextLayoutParams params;
  lxInitTextParams(dc, flags, params, line_spacing);
  TlxDCTextMeasurer measurer(dc);
  TlxTextRows rows;
  const TlxTextBlock block =
      lxLayoutTextBlock(measurer, text, rect, params, rows, max_rows, left_indent, right_indent);
  if (block.RowCount == 0)
    return 0;
  if (block.Draw) {
    const int32_t length = static_cast<int32_t>(params.RemoveAmpersands ? rows.Text.size() : text.size());
    int64_t start = highlight_start;
    int64_t count = highlight_length;
    if (start < 0 || start >= length)
      count = 0;
    else
      count = std::min<int64_t>(count, length - start);
    lxDrawTextRows(dc, block.TextRect, params, rows, block.RowCount, static_cast<int32_t>(start),
                   static_cast<int32_t>(std::max<int64_t>(count, 0)), highlight_background, highlight_text_color,
                   !block.Fitted);
  }
  return block.Result;
}

int32_t lxTextOutAnsiOnDC(HDC dc, std::string_view text, TRect& rect, TlxTextOutFlags flags, TFont* font,
                          int32_t max_rows, int32_t left_indent, int32_t right_indent, TColor text_color,
                          double line_spacing) {
  const std::u16string wide = AnsiToWide(text);
  return lxTextOutWide(dc, wide, rect, flags, 0, 0, font, clDefault, clDefault, max_rows, left_indent, right_indent,
                       text_color, line_spacing);
}

int32_t lxTextOutAnsiOnCanvas(TCanvas& canvas, std::string_view text, TRect& rect, TlxTextOutFlags flags,
                              TFont* font, int32_t max_rows, int32_t left_indent, int32_t right_indent,
                              TColor text_color, double line_spacing) {
  // Measuring makes the handle and selects the canvas's font and colour.
  canvas.TextExtent({});
  return lxTextOutAnsiOnDC(canvas.Handle(), text, rect, flags, font, max_rows, left_indent, right_indent, text_color,
                           line_spacing);
}

// --- module ---------------------------------------------------------------------------------

void lxTextLayoutModuleStart() {
  module_start.Start([] {
    pattern_brushes[0] = MakePlaceholderBrush(false);
    pattern_brushes[1] = MakePlaceholderBrush(true);
  });
}

void lxTextLayoutModuleEnd() {
  module_start.End([] {
    for (HBRUSH& brush : pattern_brushes) {
      DeleteObject(brush);
      brush = nullptr;
    }
  });
}
