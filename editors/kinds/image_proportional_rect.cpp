#include "editors/kinds/image_proportional_rect.h"

TRect lxImageCalcProportionalRect(const TRect& bounds, int32_t picture_width, int32_t picture_height) {
  if (bounds.IsEmpty())
    return bounds;
  if (picture_width <= 0 || picture_height <= 0)
    return TRect(bounds.Left, bounds.Top, bounds.Left, bounds.Top);
  const int64_t width = bounds.Width();
  const int64_t height = bounds.Height();
  TRect result(bounds.Left, bounds.Top, bounds.Left, bounds.Top);
  if (static_cast<double>(width) / static_cast<double>(height) >=
      static_cast<double>(picture_width) / static_cast<double>(picture_height)) {
    result.Bottom = bounds.Bottom;
    result.Right = bounds.Left + static_cast<int32_t>(height * picture_width / picture_height);
  } else {
    result.Right = bounds.Right;
    result.Bottom = bounds.Top + static_cast<int32_t>(width * picture_height / picture_width);
  }
  return result;
}
