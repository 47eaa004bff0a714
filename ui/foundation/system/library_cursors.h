#pragma once
// Ids under which the library's own cursors sit in the toolkit's
// Screen.Cursors once the foundation has started. Controls ask for these
// ids; the images behind them are registered by the controls module start.
// Portable: only the numbers live here.

#include <cstdint>

using TlxCursorId = int16_t;  // same width as the toolkit's TCursor

constexpr TlxCursorId crLxDragCopy = 2100;
constexpr TlxCursorId crLxFullScroll = 2101;
constexpr TlxCursorId crLxHorzScroll = 2102;
constexpr TlxCursorId crLxVertScroll = 2103;
constexpr TlxCursorId crLxUpScroll = 2104;
constexpr TlxCursorId crLxRightScroll = 2105;
constexpr TlxCursorId crLxDownScroll = 2106;
constexpr TlxCursorId crLxLeftScroll = 2107;
constexpr TlxCursorId crLxRemove = 2108;
constexpr TlxCursorId crLxVertSize = 2109;
constexpr TlxCursorId crLxHorzSize = 2110;
constexpr TlxCursorId crLxMultiDrag = 2111;
constexpr TlxCursorId crLxNoDrop = 2112;
constexpr TlxCursorId crLxDrag = 2113;
constexpr TlxCursorId crLxColorPicker = 2114;
// The system's hand, for hyperlinks and other clickable text.
constexpr TlxCursorId crLxHand = -2099;
// The name the editors use for the hand over links.
constexpr TlxCursorId lxHandCursor = crLxHand;
