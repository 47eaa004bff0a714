// Texts of a stored grid layout from outside: stream-valued properties as
// "Hex:" text and Boolean properties. Every text either converts or fails
// with the converters' own error, leaves the stream untouched when it
// fails, and what converts writes back to the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "ui/foundation/base/hex_text.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

bool IsUpperHex(std::string_view text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F')))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  TMemoryStream stream;
  try {
    lxHexTextToStream(text, &stream);
    const size_t digits = size > 5 ? size - 4 : 0;
    Check(stream.Bytes().size() == digits / 2, "one byte per pair of digits");
    if (stream.Bytes().empty()) {
      Check(lxStreamToHexText(&stream).empty(), "an empty stream gives an empty text");
    } else {
      const std::string written = lxStreamToHexText(&stream);
      const std::string_view payload = text.substr(4, (digits / 2) * 2);
      Check(written.substr(0, 4) == "Hex:", "written text starts with its prefix");
      if (IsUpperHex(payload))
        Check(written.substr(4) == payload, "upper-case digits write back unchanged");
      TMemoryStream again;
      lxHexTextToStream(written, &again);
      Check(again.Bytes() == stream.Bytes(), "written text reads back to the same bytes");
    }
  } catch (const ElxHexStringConvertError&) {
    Check(stream.Bytes().empty(), "a failed text writes nothing");
  }

  try {
    const bool value = lxTextToBoolean(text);
    Check(size == (value ? 4u : 5u), "only TRUE and FALSE convert");
  } catch (const EPropertyConvertError&) {
  }
  return 0;
}
