#include "editors/kinds/spin_edit_layout.h"

#include <cmath>

#include "editors/edit_paint_rules.h"

namespace {

// The edge bits of the editors' line drawing.
constexpr uint32_t kLeft = 1;
constexpr uint32_t kTop = 2;
constexpr uint32_t kRight = 4;
constexpr uint32_t kBottom = 8;

TRect CutRight(TRect& work, int32_t width, int32_t bottom_indent) {
  const TRect cut(work.Right - width, work.Top, work.Right, work.Bottom - bottom_indent);
  work.Right -= width;
  return cut;
}

TRect CutLeft(TRect& work, int32_t width, int32_t bottom_indent) {
  const TRect cut(work.Left, work.Top, work.Left + width, work.Bottom - bottom_indent);
  work.Left += width;
  return cut;
}

}  // namespace

TlxSpinLayout lxLayoutSpinButtons(const TlxSpinLayoutInput& input) {
  TlxSpinLayout layout;
  TRect& work = layout.Work;
  work = input.Work;
  const int32_t c = input.BottomIndent;
  if (input.FastButtons)
    layout.Bounds[kLxSpinFastUpButton] = CutRight(work, input.FastButtonWidth, c);
  if (input.Position == sbpVert) {
    const int32_t height = work.Bottom - work.Top;
    const TRect column(work.Right - input.ColumnWidth, work.Top, work.Right, work.Bottom);
    TRect& up = layout.Bounds[kLxSpinUpButton];
    up = TRect(column.Left, column.Top, column.Right, column.Top + (height - input.Delimiter) / 2);
    layout.Bounds[kLxSpinDownButton] = TRect(column.Left, up.Bottom + input.Delimiter, column.Right, column.Bottom);
    work.Right = column.Left;
  } else {
    layout.Bounds[kLxSpinUpButton] = CutRight(work, input.ButtonWidth, c);
    work.Right -= input.Delimiter;
  }
  if (input.Position == sbpHorzLeftRight) {
    if (input.FastButtons)
      layout.Bounds[kLxSpinFastDownButton] = CutLeft(work, input.FastButtonWidth, c);
    layout.Bounds[kLxSpinDownButton] = CutLeft(work, input.ButtonWidth, c);
  } else if (input.Position == sbpHorzRight) {
    layout.Bounds[kLxSpinDownButton] = CutRight(work, input.ButtonWidth, 0);
    if (input.FastButtons)
      layout.Bounds[kLxSpinFastDownButton] = CutRight(work, input.FastButtonWidth, c);
  } else if (input.FastButtons) {
    layout.Bounds[kLxSpinFastDownButton] = CutRight(work, input.FastButtonWidth, c);
  }
  return layout;
}

void lxSetSpinDelimiterLine(TlxSpinLayout& layout, TlxSpinEditButtonsPosition position) {
  const TRect& down = layout.Bounds[kLxSpinDownButton];
  const TRect& up = layout.Bounds[kLxSpinUpButton];
  switch (position) {
    case sbpHorzLeftRight:
      layout.DelimiterFrom = TPoint();
      layout.DelimiterTo = TPoint();
      break;
    case sbpHorzRight:
      layout.DelimiterFrom = TPoint(down.Right, down.Top);
      layout.DelimiterTo = TPoint(down.Right, down.Bottom - 1);
      break;
    case sbpVert:
      layout.DelimiterFrom = TPoint(up.Left, up.Bottom);
      layout.DelimiterTo = TPoint(up.Right - 1, up.Bottom);
      break;
  }
}

int32_t lxSpinFastButtonWidth(int32_t button_width) {
  return static_cast<int32_t>(std::lround(button_width * 3.0 / 2.0));
}

int32_t lxSpinThemePart(int32_t button_index, TlxSpinEditButtonsPosition position) {
  if (button_index == kLxSpinFastDownButton)
    return 4;
  if (button_index == kLxSpinFastUpButton)
    return 3;
  const bool vertical = position == sbpVert;
  if (button_index == kLxSpinDownButton)
    return vertical ? 2 : 4;
  return vertical ? 1 : 3;
}

int32_t lxSpinThemeState(uint8_t button_state) {
  constexpr int32_t kStates[] = {4, 1, 3, 2};
  return button_state < 4 ? kStates[button_state] : 1;
}

int32_t lxSpinHotFlatEdgeKind(int32_t button_index, int32_t button_count, TlxSpinEditButtonsPosition position) {
  // Columns: sbpHorzLeftRight, sbpHorzRight, sbpVert.
  constexpr int32_t kTwo[2][3] = {{1, 3, 7}, {3, 2, 6}};
  constexpr int32_t kFour[4][3] = {{1, 2, 5}, {3, 2, 4}, {0, 3, 3}, {2, 2, 2}};
  const int32_t column = static_cast<int32_t>(position);
  if (button_index < 0 || button_index > 3 || column > 2)
    return 1;
  if (button_count <= 2 && button_index < 2)
    return kTwo[button_index][column];
  return kFour[button_index][column];
}

uint32_t lxSpinHotFlatShadowEdges(int32_t edge_kind) {
  switch (edge_kind) {
    case 0:
      return kLeft | kTop | kBottom;
    case 2:
    case 4:
      return kTop | kRight | kBottom;
    case 5:
      return kRight | kBottom;
    case 7:
      return kLeft | kRight | kBottom;
    default:
      return kLeft | kTop | kRight | kBottom;
  }
}

int32_t lxSpinUltraFlatShape(int32_t button_index, int32_t button_count, TlxSpinEditButtonsPosition position) {
  const bool two = button_count <= 2;
  switch (button_index) {
    case kLxSpinDownButton:
      if (position == sbpVert)
        return two ? 6 : 4;
      return position == sbpHorzLeftRight && two ? 0 : 1;
    case kLxSpinUpButton:
      if (two)
        return position == sbpVert ? 5 : 2;
      return position == sbpVert ? 3 : 1;
    case kLxSpinFastDownButton:
      return position == sbpHorzLeftRight ? 0 : 1;
    default:
      return 2;
  }
}

uint32_t lxSpinUltraFlatHighlightEdges(int32_t shape, bool left_on_border) {
  const uint32_t left_unless_border = left_on_border ? 0 : kLeft;
  switch (shape) {
    case 0:
      return kRight;
    case 1:
      return kRight | left_unless_border;
    case 2:
      return kLeft;
    case 3:
      return kLeft | kRight | kBottom;
    case 4:
      return kLeft | kTop | kRight;
    case 5:
      return kBottom | left_unless_border;
    default:
      return kTop | left_unless_border;
  }
}

TlxArrowDirection lxSpinArrowDirection(int32_t button_index, TlxSpinEditButtonsPosition position) {
  if (button_index == kLxSpinFastDownButton)
    return adLeft;
  if (button_index == kLxSpinFastUpButton)
    return adRight;
  const bool vertical = position == sbpVert;
  if (button_index == kLxSpinDownButton)
    return vertical ? adDown : adLeft;
  return vertical ? adUp : adRight;
}

int32_t lxSpinSkinArrowKind(int32_t button_index, TlxSpinEditButtonsPosition position) {
  const bool down = button_index == kLxSpinDownButton || button_index == kLxSpinFastDownButton;
  if (position == sbpVert)
    return down ? 5 : 4;
  return down ? 6 : 7;
}
