#pragma once
// The cursor numbers the grid's controllers, moving objects and hit tests
// show. They start as the grid's own numbers 4001 to 4007; the common
// module's start points the first six at the foundation's cursors, so the
// grid shares those images, and keeps 4007 for the grid's own select-row
// cursor. Portable: only the numbers live here.

#include <cstdint>

#include "ui/foundation/system/library_cursors.h"

inline TlxCursorId GridHorzSizeCursor = 4001;
inline TlxCursorId GridVertSizeCursor = 4002;
inline TlxCursorId GridRemoveCursor = 4003;
inline TlxCursorId GridNoDropCursor = 4004;
inline TlxCursorId GridDragCursor = 4005;
inline TlxCursorId GridMultiDragCursor = 4006;
inline TlxCursorId GridSelectRowCursor = 4007;

// The name of the select-row cursor in the grid's resource script.
inline constexpr const char kGridSelectRowCursorResource[] = "LX_GRIDSELECTROWCURSOR";

// The common module's start, for the numbers: the six shared cursors take
// the foundation's numbers. Running it again changes nothing.
void lxAssignGridCursorNumbers();

// What cells add to a measured text width or height.
constexpr int32_t kGridTextOffset = 4;
constexpr int32_t lxGridAddTextOffset(int32_t size) { return size + kGridTextOffset; }
