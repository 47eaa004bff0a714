#pragma once
// The multi-row text layout's data: the text-output flags callers pass, the
// layout parameters filled from a font and those flags, and the rows a text
// is broken into. The first 32 rows live inline, so short texts lay out
// without allocating.

#include <cstdint>
#include <string>
#include <vector>

// Text-output flags (a 32-bit set).
using TlxTextOutFlags = uint32_t;
// Horizontal alignment, a value in the low three bits.
constexpr TlxTextOutFlags lxtoHorzAlignMask = 0x7;
constexpr int32_t lxtoAlignLeft = 0;
constexpr int32_t lxtoAlignCenter = 1;
constexpr int32_t lxtoAlignRight = 2;
// Stretches every row that ended by wrapping.
constexpr int32_t lxtoAlignJustify = 3;
// Stretches every row, the last of a paragraph too.
constexpr int32_t lxtoAlignJustifyAll = 4;
// Vertical alignment, a value in bits 4 and 5.
constexpr TlxTextOutFlags lxtoVertAlignMask = 0x30;
constexpr int32_t lxtoVertAlignShift = 4;
constexpr int32_t lxtoAlignTop = 0;
constexpr int32_t lxtoAlignVCenter = 1;
constexpr int32_t lxtoAlignBottom = 2;
// Spreads the rows over the whole height.
constexpr int32_t lxtoAlignDistribute = 3;
constexpr TlxTextOutFlags lxtoWordBreak = 0x100;
constexpr TlxTextOutFlags lxtoSingleLine = 0x200;
constexpr TlxTextOutFlags lxtoExpandTabs = 0x400;
constexpr TlxTextOutFlags lxtoEndEllipsis = 0x800;
// Bars in place of text for fonts smaller than 6 device pixels.
constexpr TlxTextOutFlags lxtoPlaceholderBars = 0x1000;
constexpr TlxTextOutFlags lxtoExternalLeading = 0x2000;
// Only rows that fit completely, as an edit control shows them.
constexpr TlxTextOutFlags lxtoEditControlRows = 0x4000;
constexpr TlxTextOutFlags lxtoNoClip = 0x8000;
// Two one-pixel units of room on every side.
constexpr TlxTextOutFlags lxtoAutoIndents = 0x10000;
constexpr TlxTextOutFlags lxtoCharBreak = 0x20000;
constexpr TlxTextOutFlags lxtoNotLeftOfRect = 0x40000;
constexpr TlxTextOutFlags lxtoNotAboveRect = 0x80000;
constexpr TlxTextOutFlags lxtoMeasureRect = 0x100000;
constexpr TlxTextOutFlags lxtoMeasureRowCount = 0x200000;
constexpr TlxTextOutFlags lxtoRemoveAmpersands = 0x1000000;
constexpr TlxTextOutFlags lxtoSkipSpacesAfterWrap = 0x2000000;

// Everything the breaker, the arrangement and the drawing need to know
// about the font and the caller's wishes.
struct TlxTextLayoutParams {
  int32_t FontHeight = 0;
  int32_t ExternalLeading = 0;
  int32_t RowHeight = 0;
  int32_t EllipsisWidth = 0;
  bool Bold = false;
  char16_t BreakChar = u' ';
  int32_t HorzAlignment = lxtoAlignLeft;
  int32_t VertAlignment = lxtoAlignTop;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool UseExternalLeading = false;
  bool EditControlRows = false;
  bool SkipSpacesAfterWrap = false;
  bool NoClip = false;
  bool AutoIndents = false;
  bool PlaceholderBars = false;
  bool NotLeftOfRect = false;
  bool NotAboveRect = false;
  bool CharBreak = false;
  bool MeasureRowCount = false;
  bool MeasureRect = false;
  int32_t MaxCharWidth = 0;
  uint8_t CharSet = 0;
  // One device pixel in logical units (at least 1).
  int32_t OnePixel = 1;
  bool RemoveAmpersands = false;
};

// What a device context says about its font, as the parameters need it.
struct TlxTextFontMetrics {
  int32_t Height = 0;
  int32_t ExternalLeading = 0;
  int32_t Weight = 400;
  char16_t BreakChar = u' ';
  int32_t MaxCharWidth = 0;
  uint8_t CharSet = 0;
  // One and six device pixels in logical units.
  int32_t OnePixel = 1;
  int32_t SixPixels = 6;
  // The width of "...".
  int32_t EllipsisWidth = 0;
  // East Asian system locales always break inside words that do not fit.
  bool EastAsianLocale = false;
};

// Fills the parameters from the font's metrics and the flags. The row
// height is (font height + external leading) x `line_spacing`, rounded.
TlxTextLayoutParams lxMakeTextParams(const TlxTextFontMetrics& metrics, TlxTextOutFlags flags,
                                     double line_spacing = 1.0);

// One row: where its characters are, how big it is and where it goes.
struct TlxTextRowInfo {
  const char16_t* Text = nullptr;
  int32_t Length = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  // Spaces and tabs a justified row stretches.
  int32_t BreakCount = 0;
  int32_t X = 0;
  int32_t Y = 0;
  // The index of the row's first character in the whole text.
  int32_t StartOffset = 0;
};

// The rows past the inline ones.
using TlxDynamicTextRows = std::vector<TlxTextRowInfo>;

constexpr int32_t lxInlineTextRowCount = 32;

struct TlxTextRows {
  int32_t Count = 0;
  // The text the rows point into when the layout converted it itself.
  std::u16string Text;
  TlxTextRowInfo Rows[lxInlineTextRowCount] = {};
  TlxDynamicTextRows DynamicRows;
};

// Row `index` (0 .. count - 1), inline or from the growable part.
TlxTextRowInfo& lxGetTextRow(TlxTextRows& rows, int32_t index);
const TlxTextRowInfo& lxGetTextRow(const TlxTextRows& rows, int32_t index);
int32_t lxGetTextRowCount(const TlxTextRows& rows);
// Grows the storage when needed (with a few rows to spare) and clears the
// new last row.
void lxSetTextRowCount(TlxTextRows& rows, int32_t count);
// No rows, and the growable part released.
void lxClearTextRows(TlxTextRows& rows);
// The widest of the first `count` rows (at most all of them).
int32_t lxGetTextRowsMaxWidth(const TlxTextRows& rows, int32_t count);
