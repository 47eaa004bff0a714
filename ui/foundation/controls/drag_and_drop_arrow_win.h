#pragma once
// TlxDragAndDropArrow: the small arrow window that marks where a dragged
// item would be inserted. Where layered windows exist its fuchsia
// background is see-through; elsewhere the window is shaped to the arrow
// by its region. Included only from Windows sources.

#include <windows.h>

#include "ui/foundation/controls/drag_and_drop_arrow_geometry.h"
#include "ui/foundation/controls/drag_image_win.h"

class TlxCanvas;

class TlxDragAndDropArrow : public TlxDragImage {
 public:
  static constexpr TClass kClass{"TlxDragAndDropArrow", &TlxDragImage::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `transparent`: the background is see-through where the system can.
  explicit TlxDragAndDropArrow(bool transparent);

  bool Transparent() const { return transparent_; }
  // The colour that stands for "nothing" around the arrow.
  virtual TColor GetTransparentColor() const { return clFuchsia; }
  // The background is made see-through by the layered window.
  bool UsesTransparency() const { return transparent_ && lxLayeredWindowsAvailable(); }

  // Places the arrow at `side` of `target` (client coordinates of
  // `control`, or screen coordinates without one), its anchor kept inside
  // a non-empty `clip`, and paints it into the bitmap.
  void Place(TControl* control, const TRect& target, const TRect& clip, TlxInsertionArrowSide side);

 private:
  bool transparent_;
};

// Fills the arrow in lime and outlines it in black.
void lxDrawDragDropArrowShape(TlxCanvas& canvas, const TRect& rect, TlxInsertionArrowSide side);
