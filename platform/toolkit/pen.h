#pragma once
// TPen: line colour, width, style and the raster mode lines are drawn with.

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/color.h"
#include "platform/toolkit/graphics_object.h"

enum TPenStyle : uint8_t { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of lines (SetROP2): pmCopy draws the pen colour, pmXor
// combines it with what is there, pmNot inverts the destination.
enum TPenMode : uint8_t {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor,
};

// The SetROP2 code of a pen mode.
int PenModeToRop2(TPenMode mode);

class TPen : public TGraphicsObject {
 public:
  static constexpr TClass kClass{"TPen", &TGraphicsObject::kClass, &ConstructInstance<TPen>};
  const TClass* ClassType() const override { return &kClass; }

  TPen() = default;
  ~TPen() override;

  void Assign(const TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int32_t Width() const { return width_; }
  void SetWidth(int32_t width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  // The mode is a property of the drawing, not of the HPEN: changing it
  // keeps the handle.
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode mode);

  // Equal pens share one handle.
  HPEN Handle();

 protected:
  void DisposeHandle(HGDIOBJ handle) override;

 private:
  TColor color_ = clBlack;
  int32_t width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
};
