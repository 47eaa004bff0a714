#pragma once
// Fitting a picture into a rectangle with its proportions kept: the result
// starts at the rectangle's top-left and takes its full height or full
// width, whichever the picture's shape allows.

#include <cstdint>

#include "platform/rtl/geometry.h"

// An empty bounds rectangle comes back unchanged; a picture without width
// or height gives an empty rectangle at the bounds' top-left.
TRect lxImageCalcProportionalRect(const TRect& bounds, int32_t picture_width, int32_t picture_height);
