#include "tabs/pc_standard_metrics.h"

#include <algorithm>
#include <climits>

TRect lxPCTurnMargins(const TRect& m, TlxTabPosition position) {
  switch (position) {
    case tpTop: return m;
    case tpBottom: return {m.Right, m.Bottom, m.Left, m.Top};
    case tpLeft: return {m.Top, m.Right, m.Bottom, m.Left};
    case tpRight: return {m.Bottom, m.Left, m.Top, m.Right};
  }
  return m;
}

TRect lxPCShrinkRect(const TRect& r, const TRect& margins) {
  return {r.Left + margins.Left, r.Top + margins.Top, r.Right - margins.Right, r.Bottom - margins.Bottom};
}

TRect lxPCNormalizeRect(const TRect& r) { return {r.Left, r.Top, std::max(r.Right, r.Left), std::max(r.Bottom, r.Top)}; }

int32_t lxPCStandardTabWidthAddition(const TlxPCTabSizeInput& input, int32_t visible_index) {
  if (!input.HasImages || (visible_index != -1 && !input.TabHasImage && !input.Rotate))
    return 12;
  return input.ImageSize.cx + 2 * input.ImageBorder + 18;
}

int32_t lxPCStandardMinTabWidth(const TlxPCTabSizeInput& input, int32_t visible_index) {
  return std::max(lxPCStandardTabWidthAddition(input, visible_index), input.MinTabWidthLimit);
}

int32_t lxPCStandardTabNormalWidth(const TlxPCTabSizeInput& input, int32_t visible_index, int32_t text_width) {
  if (input.TabWidth > 0)
    return input.TabWidth;
  return std::max(lxPCStandardTabWidthAddition(input, visible_index) + text_width,
                  lxPCStandardMinTabWidth(input, visible_index));
}

int32_t lxPCStandardTabContentHeight(const TlxPCTabSizeInput& input, int32_t max_text_height) {
  const int32_t image_height = input.HasImages ? input.ImageSize.cy + 2 * input.ImageBorder + 6 : 0;
  return std::max(image_height, max_text_height + 8);
}

int32_t lxPCStandardTabNormalHeight(const TlxPCTabSizeInput& input, int32_t content_height) {
  int32_t height = std::max(content_height, input.MinTabHeight);
  // Rotated images sit in the middle: keep the room around them even.
  if (input.Rotate && input.ImageSize.cy > 0 && (height - input.ImageSize.cy) % 2 != 0)
    ++height;
  return std::max(height, input.TabHeight);
}

int32_t lxPCButtonGap(const TlxPCNavigatorMetrics& metrics, TlxPCNavigatorButton a, TlxPCNavigatorButton b) {
  if (a == nbClose || b == nbClose)
    return metrics.CloseButtonGap;
  return a == nbGoDialog || b == nbGoDialog ? metrics.GoDialogButtonGap : metrics.ButtonGap;
}

TlxPCNavigatorMetrics lxPCStandardNavigatorMetrics(TlxTabPosition position) {
  TlxPCNavigatorMetrics metrics;
  if (position == tpLeft || position == tpRight)
    metrics.ButtonWidths[nbGoDialog] = 13;
  return metrics;
}

bool lxPCIsNavigatorAtRowStart(TlxPCNavigatorPosition navigator, TlxTabPosition position) {
  if (lxPCIsRowAxisX(position))
    return navigator == npLeftTop || navigator == npLeftBottom;
  return navigator == npLeftTop || navigator == npRightTop;
}

TlxPCNavigatorButtonPositions lxPCOrderedButtons(TlxPCNavigatorButtons buttons, TlxPCNavigatorPosition navigator,
                                                 TlxTabPosition position) {
  static constexpr TlxPCNavigatorButton kAtStart[] = {nbClose, nbTopLeft, nbBottomRight, nbGoDialog};
  static constexpr TlxPCNavigatorButton kAtEnd[] = {nbGoDialog, nbTopLeft, nbBottomRight, nbClose};
  const bool at_start = lxPCIsNavigatorAtRowStart(navigator, position);
  TlxPCNavigatorButtonPositions ordered;
  for (TlxPCNavigatorButton button : at_start ? kAtStart : kAtEnd)
    if (lxPCHasButton(buttons, button))
      ordered.push_back({button, {}});
  return ordered;
}

int32_t lxPCButtonsLength(const TlxPCNavigatorButtonPositions& ordered, const TlxPCNavigatorMetrics& metrics) {
  int32_t length = 0;
  for (size_t i = 0; i < ordered.size(); ++i) {
    length += metrics.ButtonWidths[ordered[i].Button];
    if (i + 1 < ordered.size())
      length += lxPCButtonGap(metrics, ordered[i].Button, ordered[i + 1].Button);
  }
  return length;
}

int32_t lxPCButtonsRegionLength(const TlxPCNavigatorButtonPositions& ordered, const TlxPCNavigatorMetrics& metrics) {
  const int32_t length = lxPCButtonsLength(ordered, metrics);
  if (length <= 0)
    return 0;
  return length + metrics.SideOffset + metrics.ButtonsTabsGap;
}

TlxPCNavigatorLayout lxPCPlaceNavigatorButtons(TlxPCNavigatorButtons buttons, TlxPCNavigatorPosition navigator,
                                               TlxTabPosition position, TSize control_size,
                                               const TlxPCNavigatorMetrics& metrics) {
  TlxPCNavigatorLayout layout;
  layout.Buttons = lxPCOrderedButtons(buttons, navigator, position);
  if (layout.Buttons.empty())
    return layout;
  const int32_t h = metrics.ButtonHeight;
  const int32_t l = lxPCButtonsLength(layout.Buttons, metrics);
  const int32_t e = metrics.EdgeOffset;
  const int32_t s = metrics.SideOffset;
  const bool along_x = lxPCIsRowAxisX(position);
  if (!along_x) {
    const int32_t left = position == tpLeft ? e : control_size.cx - h - e;
    const bool at_bottom = navigator == npLeftBottom || navigator == npRightBottom;
    const int32_t top = at_bottom ? control_size.cy - l - s : s;
    layout.Region = Bounds(left, top, h, l);
  } else {
    const bool at_right = navigator == npRightTop || navigator == npRightBottom;
    const int32_t left = at_right ? control_size.cx - l - s : s;
    const int32_t top = position == tpBottom ? control_size.cy - h - e : e;
    layout.Region = Bounds(left, top, l, h);
  }
  int32_t offset = 0;
  for (size_t i = 0; i < layout.Buttons.size(); ++i) {
    TlxPCNavigatorButtonPosition& entry = layout.Buttons[i];
    const int32_t width = metrics.ButtonWidths[entry.Button];
    entry.Rect = along_x ? Bounds(layout.Region.Left + offset, layout.Region.Top, width, h)
                         : Bounds(layout.Region.Left, layout.Region.Top + offset, h, width);
    if (i + 1 < layout.Buttons.size())
      offset += width + lxPCButtonGap(metrics, entry.Button, layout.Buttons[i + 1].Button);
  }
  return layout;
}

bool lxPCButtonAt(const TlxPCNavigatorLayout& layout, TPoint point, TlxPCNavigatorButton& button) {
  for (const TlxPCNavigatorButtonPosition& entry : layout.Buttons) {
    if (entry.Rect.Contains(point)) {
      button = entry.Button;
      return true;
    }
  }
  return false;
}

TRect lxPCButtonBounds(const TlxPCNavigatorLayout& layout, TlxPCNavigatorButton button) {
  for (const TlxPCNavigatorButtonPosition& entry : layout.Buttons)
    if (entry.Button == button)
      return entry.Rect;
  return {};
}

TlxPCTabsLayout lxPCStandardTabsLayout(const TlxPCTabsAreaInput& input, TlxPCNavigatorButtons buttons) {
  TRect area = lxPCShrinkRect(Bounds(0, 0, input.ControlSize.cx, input.ControlSize.cy), input.TabsAreaMargins);
  const TRect& m = input.ContainerOffsets;
  if (buttons != 0) {
    area = lxPCShrinkRect(area, lxPCTurnMargins({0, m.Top, 0, 0}, input.Position));
    const TRect turned = lxPCTurnMargins(m, input.Position);
    const int32_t n = input.ButtonsRegionLength;
    if (!lxPCIsRowAxisX(input.Position)) {
      if (input.Navigator == npLeftBottom || input.Navigator == npRightBottom) {
        area.Bottom -= n;
        area.Top += turned.Top;
      } else {
        area.Top += n;
        area.Bottom -= turned.Bottom;
      }
    } else if (input.Navigator == npRightTop || input.Navigator == npRightBottom) {
      area.Right -= n;
      area.Left += turned.Left;
    } else {
      area.Left += n;
      area.Right -= turned.Right;
    }
  } else {
    area = lxPCShrinkRect(area, lxPCTurnMargins(m, input.Position));
  }
  TlxPCTabsLayout layout;
  layout.TabsArea = area;
  layout.PartsGap = input.RowGap;
  layout.RowLength = lxPCIsRowAxisX(input.Position) ? area.Width() : area.Height();
  layout.RowsArea = area;
  return layout;
}

TRect lxPCPageFrameRectOffset(const TlxPCPageFrameInput& input) {
  TRect offset;
  if (input.HideTabs || input.RowCount == 0)
    return offset;
  const TRect& near_rows = input.TopOrLeftRowsBounds;
  const TRect& far_rows = input.BottomOrRightRowsBounds;
  const bool all_near = input.TopOrLeftRowCount == input.RowCount;
  switch (input.Position) {
    case tpTop:
      offset.Top = near_rows.Bottom;
      if (!all_near)
        offset.Bottom = input.ControlSize.cy - far_rows.Top;
      break;
    case tpBottom:
      offset.Top = input.RowLength < 1 ? near_rows.Top : input.ControlSize.cy - far_rows.Top;
      if (input.TopOrLeftRowCount != 0)
        offset.Bottom = near_rows.Bottom;
      break;
    case tpLeft:
      offset.Top = near_rows.Right;
      if (!all_near)
        offset.Bottom = input.ControlSize.cx - far_rows.Left;
      break;
    case tpRight:
      offset.Top = input.RowLength < 1 ? near_rows.Left : input.ControlSize.cx - far_rows.Left;
      if (input.TopOrLeftRowCount != 0)
        offset.Bottom = near_rows.Right;
      break;
  }
  return offset;
}

TRect lxPCPageRectFromOffset(TSize control_size, TlxTabPosition position, const TRect& offset) {
  return lxPCNormalizeRect(
      lxPCShrinkRect(Bounds(0, 0, control_size.cx, control_size.cy), lxPCTurnMargins(offset, position)));
}

int32_t lxPCClampStoredInteger(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

TRect lxPCClampStoredClientRect(const TRect& stored, TSize control_size) {
  const int32_t width = std::max(control_size.cx, 0);
  const int32_t height = std::max(control_size.cy, 0);
  TRect r{std::clamp(stored.Left, 0, width), std::clamp(stored.Top, 0, height), std::clamp(stored.Right, 0, width),
          std::clamp(stored.Bottom, 0, height)};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}
