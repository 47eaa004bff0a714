#include "platform/toolkit/brush.h"

#include <array>

#include "platform/toolkit/bitmap.h"

void TBrush::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TBrush*>(source);
  if (other == nullptr) {
    TGraphicsObject::Assign(source);
    return;
  }
  if (color_ == other->color_ && style_ == other->style_ && bitmap_ == other->bitmap_)
    return;
  color_ = other->color_;
  style_ = other->style_;
  bitmap_ = other->bitmap_;
  Changed();
}

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != bsClear)
    return;
  color_ = color;
  // A colour means a fill: a clear brush becomes solid again.
  if (style_ == bsClear)
    style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_)
    return;
  style_ = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  if (bitmap == bitmap_)
    return;
  bitmap_ = bitmap;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (handle_ != nullptr)
    return static_cast<HBRUSH>(handle_);
  owns_handle_ = true;
  if (bitmap_ != nullptr && !bitmap_->Empty()) {
    handle_ = CreatePatternBrush(bitmap_->Handle());
  } else if (style_ == bsClear) {
    handle_ = GetStockObject(NULL_BRUSH);
    owns_handle_ = false;
  } else if (style_ == bsSolid) {
    handle_ = CreateSolidBrush(ColorToColorRef(color_));
  } else {
    static constexpr std::array<int, 6> kHatches{HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL,
                                                 HS_BDIAGONAL,  HS_CROSS,    HS_DIAGCROSS};
    handle_ = CreateHatchBrush(kHatches[style_ - bsHorizontal], ColorToColorRef(color_));
  }
  return static_cast<HBRUSH>(handle_);
}
