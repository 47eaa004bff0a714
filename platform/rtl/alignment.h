#pragma once
// Horizontal alignment of a value in its cell or control. Fields report it;
// edits, editors and grids draw with it.

#include <cstdint>

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
