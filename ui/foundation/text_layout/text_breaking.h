#pragma once
// Breaking a UTF-16 text into rows: segments end at spaces, tabs and line
// breaks; East Asian characters form segments of their own, and the
// characters that may not start a line stay with the one before them.

#include <cstdint>

#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/text_layout/text_measurer.h"
#include "ui/foundation/text_layout/text_rows.h"

// Characters that are never separated from the wide character before them.
bool lxIsLineStartProhibited(char16_t c);
// Characters that each form a segment of their own.
bool lxIsWideBreakChar(char16_t c, IlxTextMeasurer& measurer);

// The end (exclusive) of the segment that starts at `position`.
int32_t lxFindTextBreak(const char16_t* text, int32_t position, int32_t length, IlxTextMeasurer& measurer);

// One broken row: its characters and where the next row starts.
struct TlxTextRowBreak {
  int32_t Start = 0;
  int32_t Length = 0;
  int32_t Next = 0;
  int32_t BreakCount = 0;
  bool Wrapped = false;
};

// Whether rows wrap at all: word break or a justified alignment, not in
// single-line mode.
bool lxTextRowsWrap(const TlxTextLayoutParams& params);

// Breaks the row that starts at `position` into `available_width`.
// `with_ellipsis` marks the last visible row that gets an end ellipsis.
// Always advances while text is left.
TlxTextRowBreak lxBreakTextRow(const char16_t* text, int32_t position, int32_t length, int32_t available_width,
                               const TlxTextLayoutParams& params, bool with_ellipsis, IlxTextMeasurer& measurer);

// Breaks `text` into rows for `text_rect` (which the rows point into; it
// must outlive them). `max_rows` 0 places no limit. True when all of the
// text was placed (always in single-line and measuring modes).
bool lxMakeTextRows(IlxTextMeasurer& measurer, const char16_t* text, int32_t length, const TRect& text_rect,
                    const TlxTextLayoutParams& params, TlxTextRows& rows, int32_t& row_count, int32_t max_rows = 0);
