#include "ui/foundation/system/control_unit.h"

#include <cstdlib>

#include "platform/rtl/locale.h"

namespace {

constexpr uint8_t kBackspace = 8;
constexpr uint8_t kCtrlV = 22;
constexpr uint8_t kCtrlX = 24;

uint8_t CodeOf(char ch) { return static_cast<uint8_t>(ch); }

template <typename Char>
std::basic_string<Char> StripAccelChars(std::basic_string_view<Char> text, bool replace_trailing) {
  std::basic_string<Char> result;
  result.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != Char('&')) {
      result += text[i];
      continue;
    }
    if (i + 1 < text.size()) {
      // The marked character, which may itself be '&', stays as it is.
      result += text[++i];
    } else if (replace_trailing) {
      result += Char('_');
    }
  }
  return result;
}

}  // namespace

bool lxIsPrintableChar(char ch) { return CodeOf(ch) > 31; }

bool lxIsPrintableOrBackspace(char ch) { return lxIsPrintableChar(ch) || CodeOf(ch) == kBackspace; }

bool lxIsTextInputChar(char ch) {
  const uint8_t code = CodeOf(ch);
  return lxIsPrintableChar(ch) || code == kBackspace || code == kCtrlV || code == kCtrlX;
}

bool lxIsNumericChar(char ch, int32_t kind) {
  return lxIsNumericChar(ch, kind, UserLocale().Settings().DecimalSeparator);
}

bool lxIsNumericChar(char ch, int32_t kind, char decimal_separator) {
  if ((ch >= '0' && ch <= '9') || ch == '+' || ch == '-')
    return true;
  const bool takes_separator = kind == lxnckFloat || kind == lxnckScientific;
  if (takes_separator && ch == decimal_separator)
    return true;
  return kind == lxnckScientific && (ch == 'e' || ch == 'E');
}

std::string lxStripAccelChars(std::string_view text, bool replace_trailing) {
  return StripAccelChars(text, replace_trailing);
}

std::u16string lxStripAccelCharsWide(std::u16string_view text, bool replace_trailing) {
  return StripAccelChars(text, replace_trailing);
}

bool lxWithinDragThreshold(const TPoint& start, int32_t x, int32_t y, int32_t threshold) {
  // 64-bit differences: screen coordinates far apart must not overflow.
  const int64_t dx = static_cast<int64_t>(x) - start.X;
  const int64_t dy = static_cast<int64_t>(y) - start.Y;
  return std::llabs(dx) < threshold && std::llabs(dy) < threshold;
}

void lxFitRectIntoArea(TRect& rect, const TRect& area) {
  if (rect.Right > area.Right)
    rect = rect.Offset(area.Right - rect.Right, 0);
  if (rect.Bottom > area.Bottom)
    rect = rect.Offset(0, area.Bottom - rect.Bottom);
  if (rect.Left < area.Left)
    rect = rect.Offset(area.Left - rect.Left, 0);
  if (rect.Top < area.Top)
    rect = rect.Offset(0, area.Top - rect.Top);
}
