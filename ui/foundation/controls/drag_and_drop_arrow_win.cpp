#include "ui/foundation/controls/drag_and_drop_arrow_win.h"

#include <vector>

#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

std::vector<POINT> SystemPoints(const TlxArrowPolygon& polygon) {
  std::vector<POINT> points;
  points.reserve(polygon.size());
  for (const TPoint& point : polygon)
    points.push_back(POINT{point.X, point.Y});
  return points;
}

}  // namespace

TlxDragAndDropArrow::TlxDragAndDropArrow(bool transparent) : TlxDragImage(nullptr), transparent_(transparent) {
  SetAlphaBlend(false);
  if (UsesTransparency()) {
    SetTransparentColorValue(GetTransparentColor());
    SetTransparentColor(true);
  }
}

void TlxDragAndDropArrow::Place(TControl* control, const TRect& target, const TRect& clip,
                                TlxInsertionArrowSide side) {
  TRect bounds = lxCalcDragDropArrowBounds(target, clip, side);
  if (control != nullptr) {
    const TPoint top_left = control->ClientToScreen(bounds.TopLeft());
    const TPoint bottom_right = control->ClientToScreen(bounds.BottomRight());
    bounds = TRect(top_left.X, top_left.Y, bottom_right.X, bottom_right.Y);
  }
  HandleNeeded();
  SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());

  const TRect client(0, 0, Width(), Height());
  BitmapCanvas().FillRectColor(client, GetTransparentColor());
  lxDrawDragDropArrowShape(BitmapCanvas(), client, side);
  Invalidate();

  if (UsesTransparency())
    return;
  const std::vector<POINT> points = SystemPoints(lxDragDropArrowPolygon(client, side, true));
  TOwnedRegion shape(CreatePolygonRgn(points.data(), static_cast<int>(points.size()), WINDING));
  // The window owns the region once it took it.
  if (SetWindowRgn(WindowHandle(), shape.Get(), TRUE) != 0)
    static_cast<void>(shape.Release());
}

void lxDrawDragDropArrowShape(TlxCanvas& canvas, const TRect& rect, TlxInsertionArrowSide side) {
  const TlxArrowPolygon polygon = lxDragDropArrowPolygon(rect, side, false);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(clLime);
  canvas.Pen().SetColor(clBlack);
  canvas.Polygon(std::vector<TPoint>(polygon.begin(), polygon.end()));
}
