#include "editors/edit_paint_rules.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// (text-output engine flag, canvas text flag).
constexpr std::array<std::pair<uint32_t, uint32_t>, 6> kTextFlagPairs = {{
    {1, 4},      // centred horizontally
    {2, 2},      // right
    {16, 32},    // centred vertically
    {32, 16},    // bottom
    {512, 64},   // single line
    {256, 1024}, // word break
}};

}  // namespace

int32_t lxGetEditBorderWidth(TlxEditBorderStyle style, bool skin_painter) {
  if (skin_painter)
    return style == ebsThick ? 2 : 1;
  constexpr int32_t kWidths[] = {0, 1, 2, 2, 2, 1, 1};
  return style <= ebsOffice11 ? kWidths[style] : 0;
}

TSize lxCalcArrowGlyphSize(const TSize& box, TlxArrowDirection direction) {
  const int32_t smaller = std::max(std::min(box.cx, box.cy), 0);
  int32_t base = (smaller - 1) / 2;
  if (base % 2 == 0)
    ++base;
  const int32_t height = base / 2 + 1;
  if (direction == adLeft || direction == adRight)
    return TSize{height, base};
  return TSize{base, height};
}

void lxMapFlag(uint32_t input, uint32_t& output, uint32_t input_flag, uint32_t output_flag) {
  if ((input & input_flag) != 0)
    output |= output_flag;
}

uint32_t lxConvertTextOutFlagsToDT(uint32_t text_out_flags) {
  uint32_t result = 0;
  for (const auto& [engine, canvas] : kTextFlagPairs)
    lxMapFlag(text_out_flags, result, engine, canvas);
  return result;
}

uint32_t lxConvertDTFlagsToTextOut(uint32_t canvas_flags) {
  uint32_t result = 0;
  for (const auto& [engine, canvas] : kTextFlagPairs)
    lxMapFlag(canvas_flags, result, canvas, engine);
  return result;
}

void lxEnlargeSize(TSize& size, const TSize& other) {
  size.cx = std::max(size.cx, other.cx);
  size.cy = std::max(size.cy, other.cy);
}

bool lxIsWhiteSpace(char16_t ch) {
  return ch == 0 || ch == u'\t' || ch == u'\n' || ch == u'\f' || ch == u'\r' || ch == u' ';
}

bool lxIsDigit(char16_t ch) { return ch >= u'0' && ch <= u'9'; }
