// LIKE patterns from outside (a typed filter, a filter file): the matcher
// answers in time proportional to text times pattern, and agrees with a
// direct recursive reading of the rules on small inputs.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "data/like_matcher.h"

namespace {

// The rules read directly, byte by byte: exponential, so only for short
// ASCII inputs.
bool Reference(std::string_view text, std::string_view pattern) {
  if (pattern.empty())
    return text.empty();
  const char c = pattern[0];
  if (c == '%') {
    if (pattern.size() == 1)
      return true;
    for (size_t i = 0; i < text.size(); ++i)
      if (Reference(text.substr(i), pattern.substr(1)))
        return true;
    return false;
  }
  if (text.empty() || (c != '_' && c != text[0]))
    return false;
  return Reference(text.substr(1), pattern.substr(1));
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first zero byte separates the pattern from the text.
  const size_t split = input.find('\0');
  if (split == std::string_view::npos)
    return 0;
  const std::string_view pattern = input.substr(0, split);
  const std::string_view text = input.substr(split + 1);
  const bool matches = lxMatchLikePattern(text, pattern, '%', '_');
  if (pattern.size() <= 8 && text.size() <= 12 && IsAscii(input) && matches != Reference(text, pattern)) {
    std::fprintf(stderr, "LIKE disagrees with the rules\n");
    std::abort();
  }
  return 0;
}
