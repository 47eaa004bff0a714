#pragma once
// TBrush: the fill of shapes and rectangles: a colour, a hatch style, no
// fill at all (bsClear) or a bitmap pattern.

#include <windows.h>

#include <cstdint>

#include "platform/toolkit/color.h"
#include "platform/toolkit/graphics_object.h"

class TBitmap;

enum TBrushStyle : uint8_t { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
 public:
  static constexpr TClass kClass{"TBrush", &TGraphicsObject::kClass, &ConstructInstance<TBrush>};
  const TClass* ClassType() const override { return &kClass; }

  void Assign(const TPersistent* source) override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // A pattern brush made from the bitmap; the brush does not own the
  // bitmap, which must outlive its use. Null returns to colour and style.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* bitmap);

  HBRUSH Handle();

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
};
