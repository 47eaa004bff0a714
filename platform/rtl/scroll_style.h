#pragma once
// Which scroll bars a control shows; settings that name them are portable,
// the controls that show them are the platform's.

#include <cstdint>

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
