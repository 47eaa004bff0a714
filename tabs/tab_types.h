#pragma once
// The shared values of the tab control: sides, change kinds, options,
// navigator buttons and the tabs-area record a painter fills, with the
// caption-direction rules that layout, image list and painters all read.

#include <cstdint>

#include "platform/rtl/alignment.h"
#include "platform/rtl/geometry.h"

enum TlxTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };

enum TlxPCTabChangeKind : uint8_t {
  tckContent,
  tckColor,
  tckEnabled,
  tckFocus,
  tckHighlighted,
  tckHotTrack,
  tckMainTab,
  tckLayout,
  tckPressed,
  tckSelected,
  tckTracking,
};

enum TlxPCOption : uint8_t {
  pcoAlwaysShowGoDialogButton,
  pcoCloseButton,
  pcoFixedTabWidthWhenRotated,
  pcoGoDialog,
  pcoGradient,
  pcoGradientClientArea,
  pcoNoArrows,
  pcoRedrawOnResize,
  pcoSort,
  pcoTopToBottomText,
  pcoUsePageColorForTab,
};

// A set of TlxPCOption as its bit value (bit n for option n).
using TlxPCOptions = uint16_t;

constexpr TlxPCOptions lxPCOptionBit(TlxPCOption option) { return static_cast<TlxPCOptions>(1u << option); }
constexpr bool lxPCHasOption(TlxPCOptions options, TlxPCOption option) { return (options & lxPCOptionBit(option)) != 0; }

// Options whose change moves tabs, and those whose change only repaints.
inline constexpr TlxPCOptions kPCLayoutOptions = 0x027F;
inline constexpr TlxPCOptions kPCPaintOptions = 0x0430;
inline constexpr TlxPCOptions kPCDefaultOptions = 177;

enum TlxPCNavigatorButton : uint8_t { nbTopLeft, nbBottomRight, nbGoDialog, nbClose };
inline constexpr int32_t kPCNavigatorButtonCount = 4;

// A set of navigator buttons as its bit value.
using TlxPCNavigatorButtons = uint8_t;

constexpr TlxPCNavigatorButtons lxPCButtonBit(TlxPCNavigatorButton button) {
  return static_cast<TlxPCNavigatorButtons>(1u << button);
}
constexpr bool lxPCHasButton(TlxPCNavigatorButtons buttons, TlxPCNavigatorButton button) {
  return (buttons & lxPCButtonBit(button)) != 0;
}

enum TlxPCNavigatorButtonState : uint8_t { nbsNormal, nbsPressed, nbsHot, nbsDisabled };

enum TlxPCNavigatorPosition : uint8_t { npLeftTop, npLeftBottom, npRightTop, npRightBottom };

enum TlxTabSlantKind : uint8_t { skCutCorner, skSlant };
enum TlxTabSlantPosition : uint8_t { spLeft, spRight };
// A set of TlxTabSlantPosition as its bit value.
using TlxTabSlantPositions = uint8_t;

// The tabs area a painter computes for one set of navigator buttons.
struct TlxPCTabsLayout {
  TRect TabsArea;
  int32_t TopOrLeftBorderShift = 0;
  int32_t BottomOrRightBorderShift = 0;
  int32_t PartsGap = 0;
  int32_t RowLength = 0;
  TRect RowsArea;
};

// Captions run vertically for left and right tabs, and for top and bottom
// tabs when they are rotated.
constexpr bool lxPCIsTabTextVertical(TlxTabPosition position, bool rotate) {
  const bool sideways = position == tpLeft || position == tpRight;
  return sideways != rotate;
}

// 0 horizontal, 1 vertical reading bottom to top, 2 top to bottom.
constexpr int32_t lxPCCaptionDirection(TlxTabPosition position, bool rotate, TlxPCOptions options) {
  if (!lxPCIsTabTextVertical(position, rotate))
    return 0;
  return lxPCHasOption(options, pcoTopToBottomText) ? 2 : 1;
}

// Whether a row runs from its end towards its start.
constexpr bool lxPCIsRowReversed(TlxTabPosition position, bool rotate, TlxPCOptions options) {
  const bool top_to_bottom = lxPCHasOption(options, pcoTopToBottomText);
  if (position == tpLeft || position == tpRight)
    return !rotate && !top_to_bottom;
  return rotate && top_to_bottom;
}

// The drawing variant (1..12) of a tab on `side` with a caption direction.
constexpr int32_t lxPCDrawingVariant(TlxTabPosition side, int32_t caption_direction) {
  constexpr int32_t kVariants[4][3] = {{1, 2, 3}, {10, 11, 12}, {6, 4, 5}, {9, 7, 8}};
  return kVariants[side][caption_direction];
}

// The row axis is X for top and bottom tabs.
constexpr bool lxPCIsRowAxisX(TlxTabPosition position) { return position == tpTop || position == tpBottom; }
