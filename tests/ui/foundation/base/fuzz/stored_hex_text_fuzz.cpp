// Stored grid layouts hand any text to the hex and Boolean readers. Either
// reader fails only with its own exception; a hex text that converts
// writes one byte per pair of digits after its prefix and round-trips to
// the same digits in upper case; a failed conversion writes nothing; a
// Boolean reads only "TRUE" or "FALSE" in any letter case.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "ui/foundation/base/hex_text.h"

namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

void CheckHexText(std::string_view text) {
  TMemoryStream stream;
  stream.WriteBuffer("ab", 2);
  try {
    lxHexTextToStream(text, &stream);
  } catch (const ElxHexStringConvertError&) {
    if (stream.Size() != 2)
      __builtin_trap();  // half a conversion was written
    return;
  }
  const size_t written = stream.Bytes().size() - 2;
  const size_t expected = text.size() > 5 ? (text.size() - 4) / 2 : 0;
  if (written != expected)
    __builtin_trap();
  if (written == 0)
    return;
  const std::vector<uint8_t> bytes(stream.Bytes().begin() + 2, stream.Bytes().end());
  if (lxBytesToHexText(bytes) != Upper(text.substr(4, written * 2)))
    __builtin_trap();
}

void CheckBoolean(std::string_view text) {
  bool value = false;
  try {
    value = lxTextToBoolean(text);
  } catch (const EPropertyConvertError&) {
    if (Upper(text) == "TRUE" || Upper(text) == "FALSE")
      __builtin_trap();
    return;
  }
  if (Upper(text) != (value ? "TRUE" : "FALSE"))
    __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckHexText(text);
  CheckBoolean(text);
  return 0;
}
