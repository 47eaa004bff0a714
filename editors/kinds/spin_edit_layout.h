#pragma once
// Where a spin edit's buttons go and how their frames meet, as portable
// sums: the buttons are cut from the work rectangle in one pass (the
// arrows of one step, then the fast buttons of ten), and neighbouring
// buttons share one frame line.

#include <array>
#include <cstdint>

#include "editors/kinds/spin_edit_properties.h"
#include "platform/rtl/geometry.h"
#include "ui/foundation/painters/painter_types.h"

// Button indexes.
inline constexpr int32_t kLxSpinDownButton = 0;
inline constexpr int32_t kLxSpinUpButton = 1;
inline constexpr int32_t kLxSpinFastDownButton = 2;
inline constexpr int32_t kLxSpinFastUpButton = 3;

struct TlxSpinLayoutInput {
  TRect Work;                   // the rectangle left for text and buttons
  TlxSpinEditButtonsPosition Position = sbpVert;
  bool FastButtons = false;
  int32_t ColumnWidth = 0;      // the vertical column's width
  int32_t ButtonWidth = 0;      // a horizontal arrow button's width
  int32_t FastButtonWidth = 0;
  int32_t Delimiter = 0;        // 1 between two themed buttons
  int32_t BottomIndent = 0;     // 1 under desktop composition
};

struct TlxSpinLayout {
  std::array<TRect, 4> Bounds{};
  // What is left for the text.
  TRect Work;
  // The line between the two arrow buttons; all zero when none.
  TPoint DelimiterFrom;
  TPoint DelimiterTo;
};

// Lays out the two (or four) buttons. Widths are not limited to the free
// space: a narrow editor lets buttons overlap the text area.
TlxSpinLayout lxLayoutSpinButtons(const TlxSpinLayoutInput& input);
// The delimiter line once the buttons are placed (themed drawing only):
// none left and right, a vertical line at button 0's right edge in
// sbpHorzRight, a horizontal one under button 1 in sbpVert.
void lxSetSpinDelimiterLine(TlxSpinLayout& layout, TlxSpinEditButtonsPosition position);

// The classic horizontal arrow button's width for an arrow of `arrow_size`
// rows, and a fast button's width from an arrow button's.
inline int32_t lxSpinClassicButtonWidth(int32_t arrow_size) { return 4 * arrow_size - 3; }
int32_t lxSpinFastButtonWidth(int32_t button_width);

// The spin theme class's part of a button (SPNP_UP 1, SPNP_DOWN 2,
// SPNP_UPHORZ 3, SPNP_DOWNHORZ 4) and the state of a button state
// (disabled, normal, pressed, hot: UPS_DISABLED 4, UPS_NORMAL 1,
// UPS_PRESSED 3, UPS_HOT 2).
int32_t lxSpinThemePart(int32_t button_index, TlxSpinEditButtonsPosition position);
int32_t lxSpinThemeState(uint8_t button_state);

// The hot-flat frame's edge kind of a button (see lxSpinHotFlatEdges) and
// the sides it draws in the shadow colour; the other sides take the
// content colour.
int32_t lxSpinHotFlatEdgeKind(int32_t button_index, int32_t button_count, TlxSpinEditButtonsPosition position);
uint32_t lxSpinHotFlatShadowEdges(int32_t edge_kind);
// The ultra-flat frame's shape of a button and the sides of a shape that
// get a highlight line (`left_on_border`: the button's left edge lies on
// the border rectangle's).
int32_t lxSpinUltraFlatShape(int32_t button_index, int32_t button_count, TlxSpinEditButtonsPosition position);
uint32_t lxSpinUltraFlatHighlightEdges(int32_t shape, bool left_on_border);

// The arrow direction of a button in the classic drawing and the skin
// painter's arrow kind (4 up, 5 down, 6 left, 7 right).
TlxArrowDirection lxSpinArrowDirection(int32_t button_index, TlxSpinEditButtonsPosition position);
int32_t lxSpinSkinArrowKind(int32_t button_index, TlxSpinEditButtonsPosition position);
