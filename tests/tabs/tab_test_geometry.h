#pragma once
// Points the tab tests click and sample at.

#include "platform/rtl/geometry.h"

inline TPoint Centre(const TRect& rect) {
  return TPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}
