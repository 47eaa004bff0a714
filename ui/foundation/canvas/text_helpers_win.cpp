#include "ui/foundation/canvas/text_helpers_win.h"

#include <algorithm>

#include "ui/foundation/canvas/canvas_win.h"

namespace {

// The number of characters a count stands for: -1 (or any negative) is the
// whole text, and no count reads past the text's end.
int CharacterCount(std::string_view text, int32_t count) {
  const auto whole = static_cast<int32_t>(std::min<size_t>(text.size(), INT32_MAX));
  return count < 0 ? whole : std::min(count, whole);
}

RECT ToRect(const TRect& rect) { return RECT{rect.Left, rect.Top, rect.Right, rect.Bottom}; }
TRect FromRect(const RECT& rect) { return TRect(rect.left, rect.top, rect.right, rect.bottom); }

constexpr UINT kWrapCalcFlags = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;

// The rectangle DrawTextA calculates for the text wrapped at `width`.
TRect WrappedRect(HDC dc, std::string_view text, int32_t width) {
  TRect rect(0, 0, width, 1);
  lxDrawAnsiText(dc, text, rect, kWrapCalcFlags);
  return rect;
}

}  // namespace

int32_t lxDrawAnsiText(HDC dc, std::string_view text, TRect& rect, UINT format, int32_t count) {
  RECT area = ToRect(rect);
  const int height = DrawTextA(dc, text.data(), CharacterCount(text, count), &area, format);
  rect = FromRect(area);
  return height;
}

bool lxPutAnsiTextAt(HDC dc, std::string_view text, const TPoint& point, const TRect& clip_rect, UINT options,
                     int32_t count) {
  const RECT clip = ToRect(clip_rect);
  return ExtTextOutA(dc, point.X, point.Y, options, &clip, text.data(),
                     static_cast<UINT>(CharacterCount(text, count)), nullptr) != FALSE;
}

void lxMeasureTextOnDC(HDC dc, std::string_view text, TSize& size) {
  TRect rect;
  lxCalcTextRectForRows(dc, text, 1, false, rect);
  size = TSize{rect.Width(), rect.Height()};
}

bool lxMeasureTextExtent(HDC dc, std::string_view text, TSize& size, int32_t count) {
  SIZE extent{0, 0};
  const bool measured = GetTextExtentPoint32A(dc, text.data(), CharacterCount(text, count), &extent) != FALSE;
  size = measured ? TSize{extent.cx, extent.cy} : TSize{0, 0};
  return measured;
}

void lxCalcTextRectForRows(HDC dc, std::string_view text, int32_t row_count, bool use_full_height, TRect& rect) {
  rect = TRect(0, 0, 0, 0);
  if (row_count <= 0) return;
  if (row_count == 1 || text.empty()) {
    lxDrawAnsiText(dc, text, rect, DT_CALCRECT | DT_SINGLELINE);
  } else {
    TRect row_rect;
    lxDrawAnsiText(dc, "Wg", row_rect, DT_CALCRECT | DT_SINGLELINE);
    const int32_t allowed_height = row_count * row_rect.Height();
    TRect single_line;
    lxDrawAnsiText(dc, text, single_line, DT_CALCRECT | DT_SINGLELINE);
    // Wrapped into one pixel, every word stands alone: the longest sets the
    // width.
    const int32_t longest_word = WrappedRect(dc, text, 1).Width();
    const int32_t width = lxNarrowestWrapWidth(longest_word, single_line.Width(), allowed_height,
                                               [&](int32_t w) { return WrappedRect(dc, text, w).Height(); });
    rect = WrappedRect(dc, text, width);
  }
  if (use_full_height) {
    TRect row_rect;
    lxDrawAnsiText(dc, "Wg", row_rect, DT_CALCRECT | DT_SINGLELINE);
    rect.Bottom = row_count * row_rect.Height();
  }
}

void lxMeasureTextInFont(const TFont& font, std::string_view text, int32_t point_size, TSize& size) {
  TlxScreenCanvas& canvas = lxGetScreenCanvas();
  canvas.AssignFont(font);
  if (point_size != 0) canvas.Font().SetSize(point_size);
  size = canvas.MeasureTextExtent(text);
}

int32_t lxGetFontTextHeight(const TFont& font, std::string_view text, int32_t point_size) {
  TSize size;
  lxMeasureTextInFont(font, text, point_size, size);
  return size.cy;
}

int32_t lxGetFontTextWidth(const TFont& font, std::string_view text, int32_t point_size) {
  TSize size;
  lxMeasureTextInFont(font, text, point_size, size);
  return size.cx;
}

bool lxCharsetReordersText(uint8_t charset, std::string_view text) {
  if (charset == DEFAULT_CHARSET) {
    CHARSETINFO info{};
    // The system's ANSI code page names its default character set.
    if (TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<uintptr_t>(GetACP())), &info, TCI_SRCCODEPAGE)) {
      charset = static_cast<uint8_t>(info.ciCharset);
    }
  }
  return lxResolvedCharsetReordersText(charset, text);
}
