#include "ui/foundation/canvas/text_helpers.h"

int32_t lxNarrowestWrapWidth(int32_t narrowest, int32_t widest, int32_t allowed_height,
                             const std::function<int32_t(int32_t width)>& wrapped_height) {
  if (wrapped_height(narrowest) <= allowed_height) return narrowest;
  if (widest <= narrowest) return widest;
  int32_t too_tall = narrowest;
  int32_t fits = widest;
  while (fits - too_tall > 1) {
    const int32_t middle = too_tall + (fits - too_tall) / 2;
    if (wrapped_height(middle) <= allowed_height) {
      fits = middle;
    } else {
      too_tall = middle;
    }
  }
  return fits;
}

bool lxResolvedCharsetReordersText(uint8_t charset, std::string_view text) {
  if (text.empty() || static_cast<unsigned char>(text.front()) < 0x80) return false;
  return charset == lxGb2312Charset || charset == lxChineseBig5Charset || charset == lxArabicCharset;
}
