#pragma once
// ANSI text output and measuring on a device context or, in a given font,
// on the shared screen canvas. A count of -1 means the whole text; a count
// beyond the text is cut to it.

#include <windows.h>

#include <cstdint>
#include <string_view>

#include "platform/toolkit/font.h"
#include "ui/foundation/canvas/text_helpers.h"
#include "ui/foundation/geometry/geometry.h"

// DrawTextA into `rect` (which DT_CALCRECT may change); the text height.
int32_t lxDrawAnsiText(HDC dc, std::string_view text, TRect& rect, UINT format, int32_t count = -1);
// ExtTextOutA at `point`, clipped to `clip_rect` when the options ask.
bool lxPutAnsiTextAt(HDC dc, std::string_view text, const TPoint& point, const TRect& clip_rect, UINT options,
                     int32_t count = -1);
// The single-line size of the text.
void lxMeasureTextOnDC(HDC dc, std::string_view text, TSize& size);
// GetTextExtentPoint32A; false (and size (0, 0)) when the system fails.
bool lxMeasureTextExtent(HDC dc, std::string_view text, TSize& size, int32_t count = -1);
// The smallest rectangle, at (0, 0), that shows the text in `row_count`
// rows; (0, 0, 0, 0) for no rows. With `use_full_height` the rectangle is
// as high as the rows.
void lxCalcTextRectForRows(HDC dc, std::string_view text, int32_t row_count, bool use_full_height, TRect& rect);

// The text measured in `font` (at `point_size` unless it is 0) on the
// shared screen canvas.
void lxMeasureTextInFont(const TFont& font, std::string_view text, int32_t point_size, TSize& size);
int32_t lxGetFontTextHeight(const TFont& font, std::string_view text, int32_t point_size = 0);
int32_t lxGetFontTextWidth(const TFont& font, std::string_view text, int32_t point_size = 0);

// As lxResolvedCharsetReordersText, with DEFAULT_CHARSET taken as the
// system's default character set.
bool lxCharsetReordersText(uint8_t charset, std::string_view text);
