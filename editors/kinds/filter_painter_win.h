#pragma once
// Measuring and painting of the filter builder on its off-screen bitmap:
// the measurer gives the layout text sizes in the control's fonts, the
// painter draws the rows, the footer button, the focus rectangle and the
// border into the bitmap and copies it to the window in one step.

#include <windows.h>

#include <memory>
#include <string_view>

#include "editors/kinds/filter_view_info.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/canvas/canvas_win.h"

class TlxCustomFilterControl;
class TlxLookAndFeel;
class TlxCustomRowViewInfo;

// The bitmap every measurement and all painting use.
class TlxFilterCanvasMeasurer : public IlxFilterTextMeasurer {
 public:
  explicit TlxFilterCanvasMeasurer(TlxCustomFilterControl& control);
  ~TlxFilterCanvasMeasurer() override;

  TSize TextExtent(int32_t font, std::string_view text) override;
  int32_t EditorTextHeight() override;
  TSize MeasureOperand(TlxConditionViewInfo& condition, TlxValueInfo& value, bool highlighted) override;
  void PlaceOperand(TlxConditionViewInfo& condition, TlxValueInfo& value, bool highlighted) override;

  // Sized to the control before painting.
  void SetSize(int32_t width, int32_t height);
  TBitmap& Bitmap() { return bitmap_; }
  TlxCanvas& BufferCanvas() { return *canvas_; }
  void SelectFont(int32_t font);

 private:
  TlxCustomFilterControl& control_;
  TBitmap bitmap_;
  std::unique_ptr<TlxCanvas> canvas_;
};

// The text an operand shows: the null text for Null, else the value's text.
std::string lxFilterOperandText(const TlxConditionViewInfo& condition, const TlxValueInfo& value);

class TlxFilterControlPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxFilterControlPainter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxFilterControlPainter(TlxCustomFilterControl& control) : control_(control) {}

  virtual TColor GetBackgroundColor() const;
  virtual void PaintRow(TlxCanvas& canvas, TlxCustomRowViewInfo& row);

  // The whole control into the buffer, then the buffer to `target`.
  void Paint(TlxFilterCanvasMeasurer& buffer, HDC target);

 private:
  void PaintLevelLines(TlxCanvas& canvas, TlxCustomRowViewInfo& row);
  void LinkText(TlxCanvas& canvas, int32_t font, int32_t x, int32_t y, std::string_view text);

  TlxCustomFilterControl& control_;
};

// The dotted brush of the level lines: an 8 x 8 pattern whose pixel (x, y)
// is 0 where x and y have the same parity. Made on first use, freed by
// lxFilterPainterFinalize.
// The colour a skin gives the builder and its dialog's panels: the skin
// painter's content colour, unless there is no skin or it leaves the colour
// to the control (clDefault); then `control_color`.
TColor lxFilterSkinColor(const TlxLookAndFeel& look_and_feel, TColor control_color);

HBRUSH lxFilterDottedBrush();
void lxFilterPainterFinalize();
