#pragma once
// The portable sums of the editors' painting: border widths, arrow glyph
// sizes, the mapping between the two sets of text flags, and the small
// character and size routines of the editor module.

#include <cstdint>

#include "editors/edit_style_types.h"
#include "platform/rtl/geometry.h"
#include "ui/foundation/painters/painter_types.h"


// The frame width of a border style: under a skin painter 2 for ebsThick
// and 1 for the others; otherwise 0, 1, 2, 2, 2, 1, 1 from ebsNone.
int32_t lxGetEditBorderWidth(TlxEditBorderStyle style, bool skin_painter);

// The width and height of an arrow that fits a box: the base is odd, the
// height half the base plus one; left and right arrows lie on their side.
TSize lxCalcArrowGlyphSize(const TSize& box, TlxArrowDirection direction);

// Sets `output_flag` in `output` when `input_flag` is in `input`.
void lxMapFlag(uint32_t input, uint32_t& output, uint32_t input_flag, uint32_t output_flag);
// Between the text-output engine's flags and the canvas text flags:
// centred, right, vertically centred, bottom, single line and word break.
uint32_t lxConvertTextOutFlagsToDT(uint32_t text_out_flags);
uint32_t lxConvertDTFlagsToTextOut(uint32_t canvas_flags);

// Each component raised to at least the other's.
void lxEnlargeSize(TSize& size, const TSize& other);
bool lxIsWhiteSpace(char16_t ch);
bool lxIsDigit(char16_t ch);
