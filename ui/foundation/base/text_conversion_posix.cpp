#include <array>
#include <string>

#include "platform/rtl/exceptions.h"
#include "ui/foundation/base/text_conversion.h"

namespace {

constexpr uint32_t kWindows1252 = 1252;
constexpr uint32_t kLatin1 = 28591;

// Windows-1252 at 0x80..0x9F; the unassigned bytes map to their C1 control
// code points, as the system does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::u16string lxDecodeCodePage(std::string_view text, uint32_t code_page) {
  if (code_page != kWindows1252 && code_page != kLatin1)
    throw EConvertError("Code page " + std::to_string(code_page) + " is not supported");
  std::u16string result;
  result.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    if (code_page == kWindows1252 && byte >= 0x80 && byte <= 0x9F)
      result += kWindows1252High[byte - 0x80];
    else
      result += static_cast<char16_t>(byte);
  }
  return result;
}
