#pragma once
// The platform's scroll bar sizes, for controls that lay out room for bars
// they draw themselves. Included only from Windows sources.

#include "platform/rtl/geometry.h"

// cx: the width of a vertical bar; cy: the height of a horizontal bar.
// Read anew on every call, so a changed system setting shows at once.
TSize lxScrollBarMetrics();
