// Stored mask patterns from outside: any bytes either compile or fail with
// at least one positioned error, in bounded time and memory; a compiled
// pattern walks any text without fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "editors/regexpr.h"
#include "platform/rtl/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first zero byte separates the pattern from a text to walk.
  const size_t split = input.find('\0');
  const std::string_view pattern = input.substr(0, split);
  const std::string_view text = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);
  TlxRegExpr engine;
  try {
    engine.Compile(pattern);
  } catch (const ElxRegExprError& error) {
    if (error.Errors().Count() == 0 || engine.GetCompiled()) {
      std::fprintf(stderr, "a failed compile without errors\n");
      std::abort();
    }
    return 0;
  }
  const std::u16string typed = Utf8ToUtf16(text);
  const std::u16string accepted = engine.NextEx(typed);
  if (accepted.size() > typed.size()) {
    std::fprintf(stderr, "accepted more than was typed\n");
    std::abort();
  }
  (void)engine.IsFinal();
  return 0;
}
