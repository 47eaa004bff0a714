#pragma once
// The platform's page orientation of a printer. Portable, so that the
// printer library's setup logic builds on every platform; the toolkit's
// printer object uses the same type.

#include <cstdint>

enum TPrinterOrientation : uint8_t { poPortrait = 0, poLandscape = 1 };
