#pragma once
// The portable routines that the controls, popups and editors share: key
// and character classification, accelerator stripping and fitting a
// rectangle into an area. The routines that ask the system about windows,
// monitors, the mouse and the keyboard are in control_unit_win.h.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/foundation/geometry/geometry.h"

// Character codes above 31 are printable; 8-bit texts are UTF-8, so every
// byte of a multi-byte character counts as printable.
bool lxIsPrintableChar(char ch);
bool lxIsPrintableOrBackspace(char ch);
// Printable, Backspace, Ctrl+V or Ctrl+X: the keys that start editing a cell.
bool lxIsTextInputChar(char ch);

// The kinds of number that lxIsNumericChar checks for.
enum TlxNumericCharKind : int32_t { lxnckInteger = 0, lxnckFloat = 1, lxnckScientific = 2 };

// Digits, '+' and '-'; kinds 1 and 2 also accept the decimal separator and
// kind 2 also 'e' and 'E'. Any other kind checks as an integer. The first
// form uses the user locale's decimal separator.
bool lxIsNumericChar(char ch, int32_t kind);
bool lxIsNumericChar(char ch, int32_t kind, char decimal_separator);

// A key code as the controls compare it: unchanged.
constexpr uint16_t lxMapKeyCode(uint16_t key) { return key; }

// A caption without its accelerator marks: each '&' is dropped and the
// character after it kept as it is (so "&&" leaves one '&'). A lone '&' at
// the end becomes '_' when `replace_trailing` is set and goes otherwise.
std::string lxStripAccelChars(std::string_view text, bool replace_trailing);
std::u16string lxStripAccelCharsWide(std::u16string_view text, bool replace_trailing);

// Whether (x, y) is closer than `threshold` to `start` on both axes.
bool lxWithinDragThreshold(const TPoint& start, int32_t x, int32_t y, int32_t threshold);

// Moves the rectangle into `area` without resizing it: past the right edge
// it shifts left, past the bottom up, then before the left edge right and
// before the top down. A rectangle larger than the area thus ends at its
// left and top edges.
void lxFitRectIntoArea(TRect& rect, const TRect& area);
