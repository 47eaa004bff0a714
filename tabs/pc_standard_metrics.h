#pragma once
// The arithmetic of the standard tab painter, apart from drawing: tab sizes,
// the tabs area left beside the navigator buttons, the order and places of
// the buttons, their hit test, and the page rectangles. The painters feed
// these with their own answers (widths, offsets, margins), so every style
// shares one computation and it is tested without a window.

#include <cstdint>
#include <vector>

#include "platform/rtl/geometry.h"
#include "tabs/tab_types.h"

// Margins (left, top, right, bottom) given for tabs on top, turned to the
// side the tabs are on.
TRect lxPCTurnMargins(const TRect& margins, TlxTabPosition position);
// Moves each side of `r` inwards by the matching margin.
TRect lxPCShrinkRect(const TRect& r, const TRect& margins);
// Right not left of left, bottom not above top.
TRect lxPCNormalizeRect(const TRect& r);

// Tab sizes of the standard painter.
struct TlxPCTabSizeInput {
  bool HasImages = false;       // the image list has images to show
  bool TabHasImage = false;     // this tab shows one
  bool Rotate = false;
  TSize ImageSize;              // as drawn
  int32_t ImageBorder = 0;
  int32_t TabWidth = 0;         // the control's fixed tab width, 0 for none
  int32_t TabHeight = 0;        // the control's least tab height
  int32_t MinTabWidthLimit = 42;
  int32_t MinTabHeight = 18;
};

// Room beside the caption; `visible_index` -1 asks for any tab.
int32_t lxPCStandardTabWidthAddition(const TlxPCTabSizeInput& input, int32_t visible_index);
int32_t lxPCStandardMinTabWidth(const TlxPCTabSizeInput& input, int32_t visible_index);
int32_t lxPCStandardTabNormalWidth(const TlxPCTabSizeInput& input, int32_t visible_index, int32_t text_width);
// `max_text_height` is the tallest "Zg" of the visible tabs' fonts.
int32_t lxPCStandardTabContentHeight(const TlxPCTabSizeInput& input, int32_t max_text_height);
// `content_height` is the style's content height (the standard one or its own).
int32_t lxPCStandardTabNormalHeight(const TlxPCTabSizeInput& input, int32_t content_height);

struct TlxPCNavigatorButtonPosition {
  TlxPCNavigatorButton Button = nbTopLeft;
  TRect Rect;
};
using TlxPCNavigatorButtonPositions = std::vector<TlxPCNavigatorButtonPosition>;

// What the navigator placement asks of a painter.
struct TlxPCNavigatorMetrics {
  int32_t ButtonWidths[kPCNavigatorButtonCount] = {20, 20, 12, 20};
  int32_t ButtonHeight = 20;
  int32_t ButtonGap = 0;        // between neighbouring buttons
  int32_t CloseButtonGap = 0;   // between the close button and its neighbour
  int32_t GoDialogButtonGap = 0;  // between the go-dialog button and an arrow
  int32_t ButtonsTabsGap = 0;   // between the buttons and the tabs
  int32_t EdgeOffset = 0;       // from the control edge on the tabs' side
  int32_t SideOffset = 0;       // from the end of the row
};

// The gap between two neighbouring buttons.
int32_t lxPCButtonGap(const TlxPCNavigatorMetrics& metrics, TlxPCNavigatorButton a, TlxPCNavigatorButton b);

// The standard button widths: the go-dialog button is 13 beside left or
// right tabs.
TlxPCNavigatorMetrics lxPCStandardNavigatorMetrics(TlxTabPosition position);

// The shown buttons in display order, rectangles empty.
TlxPCNavigatorButtonPositions lxPCOrderedButtons(TlxPCNavigatorButtons buttons, TlxPCNavigatorPosition navigator,
                                                 TlxTabPosition position);
bool lxPCIsNavigatorAtRowStart(TlxPCNavigatorPosition navigator, TlxTabPosition position);
int32_t lxPCButtonsLength(const TlxPCNavigatorButtonPositions& ordered, const TlxPCNavigatorMetrics& metrics);
// The length the buttons take from the row: 0 without buttons.
int32_t lxPCButtonsRegionLength(const TlxPCNavigatorButtonPositions& ordered, const TlxPCNavigatorMetrics& metrics);

// The placed buttons and the rectangle that holds them.
struct TlxPCNavigatorLayout {
  TRect Region;
  TlxPCNavigatorButtonPositions Buttons;
};

TlxPCNavigatorLayout lxPCPlaceNavigatorButtons(TlxPCNavigatorButtons buttons, TlxPCNavigatorPosition navigator,
                                               TlxTabPosition position, TSize control_size,
                                               const TlxPCNavigatorMetrics& metrics);
// The first button (in display order) under the point; false when none.
bool lxPCButtonAt(const TlxPCNavigatorLayout& layout, TPoint point, TlxPCNavigatorButton& button);
// Empty when the button is not shown.
TRect lxPCButtonBounds(const TlxPCNavigatorLayout& layout, TlxPCNavigatorButton button);

struct TlxPCTabsAreaInput {
  TSize ControlSize;
  TlxTabPosition Position = tpTop;
  TlxPCNavigatorPosition Navigator = npRightTop;
  TRect TabsAreaMargins;        // used as they are
  TRect ContainerOffsets;       // in tabs-container mode, else empty
  int32_t ButtonsRegionLength = 0;
  int32_t RowGap = 0;           // the across value of the tab spacing
};

TlxPCTabsLayout lxPCStandardTabsLayout(const TlxPCTabsAreaInput& input, TlxPCNavigatorButtons buttons);

// The room the tab rows take from the page, for tabs on top (turn it).
struct TlxPCPageFrameInput {
  TSize ControlSize;
  TlxTabPosition Position = tpTop;
  bool HideTabs = false;
  int32_t RowCount = 0;
  int32_t TopOrLeftRowCount = 0;
  int32_t RowLength = 0;
  TRect TopOrLeftRowsBounds;
  TRect BottomOrRightRowsBounds;
};

TRect lxPCPageFrameRectOffset(const TlxPCPageFrameInput& input);
// The control's bounds shrunk by margins for tabs on top, turned and normalised.
TRect lxPCPageRectFromOffset(TSize control_size, TlxTabPosition position, const TRect& offset);

// A stored page-area value read from a form, held to the int32 range.
int32_t lxPCClampStoredInteger(int64_t value);
// The stored page area held inside the control: sides within its size, right
// not left of left, bottom not above top.
TRect lxPCClampStoredClientRect(const TRect& stored, TSize control_size);
