// Keystrokes on a compiled mask pattern: Next, Prev and Reset in any order,
// with auto-completion on. The owner's text, built from the typed keys and
// the completion events, must always be what the pattern accepts from the
// start: fed again to a fresh engine without completion, every unit is
// accepted and the answers on finality agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editors/regexpr.h"
#include "platform/rtl/text.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  if (split == std::string_view::npos)
    return 0;
  const std::string_view pattern = input.substr(0, split);
  const std::string_view keys = input.substr(split + 1);

  TlxRegExpr engine;
  std::u16string text;
  engine.OnSymbolUpdate = [&text](char16_t c) { text += c; };
  engine.OnSymbolDelete = [&text] {
    if (text.empty())
      Fail("completion took back more than it gave");
    text.pop_back();
  };
  engine.SetUpdateOn(true);
  TlxRegExpr replay;
  try {
    engine.Compile(pattern);
    replay.Compile(pattern);
  } catch (const ElxRegExprError&) {
    return 0;
  }
  // Bytes 1 and 2 stand for Reset and Prev, every other byte for a key.
  for (const char key : keys) {
    if (key == '\x01') {
      engine.Reset();
      text.clear();
    } else if (key == '\x02') {
      if (engine.Prev()) {
        if (text.empty())
          Fail("stepped back over nothing");
        text.pop_back();
      }
    } else {
      char16_t c = static_cast<unsigned char>(key);
      text += c;
      if (!engine.Next(c))
        text.pop_back();
    }
    if (engine.IsStart() != text.empty())
      Fail("the start position and the text disagree");
  }
  replay.Reset();
  const std::u16string accepted = replay.NextEx(text);
  if (accepted != text)
    Fail("the text is not what the pattern accepts");
  if (replay.IsFinal() != engine.IsFinal())
    Fail("the answers on finality disagree");
  return 0;
}
