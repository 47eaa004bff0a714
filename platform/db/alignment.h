#pragma once
// Fields report their alignment in the run-time layer's one type for it.
#include "platform/rtl/alignment.h"
