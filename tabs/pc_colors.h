#pragma once
// Colour arithmetic of the tab painters on plain RGB values (0x00BBGGRR).

#include <cstdint>

// The colour with its HSV value raised by `percent` percent (at most 100).
int32_t lxPCLightenColor(int32_t rgb, int32_t percent);
