#pragma once
// The point, size and rectangle records the component library lays out
// with: the run-time's, shared with the toolkit's painting.

#include "platform/rtl/geometry.h"
