// Stored standard masks and typed text from outside: any mask compiles, any
// text lies over it in exactly one unit per position, and a laid-out text
// gives a value no longer than itself.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editors/standard_mask.h"
#include "platform/rtl/text.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = input.find('\0');
  const std::string_view mask_text = input.substr(0, split);
  const std::string_view typed = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  TlxStandardMask mask;
  mask.Compile(mask_text);
  std::u16string text = Utf8ToUtf16(typed);
  mask.Format(text, (data[0] & 1) != 0, (data[0] & 2) != 0);
  if (text.size() != static_cast<size_t>(mask.GetCount()))
    Fail("the laid-out text does not fill the positions");
  std::u16string checked = text;
  (void)mask.IsFullMatch(checked);
  if (checked.size() != text.size())
    Fail("the full-match check changed the length");
  std::u16string value = text;
  mask.GetValueText(value);
  if (value.size() > text.size())
    Fail("the value is longer than the text");
  return 0;
}
