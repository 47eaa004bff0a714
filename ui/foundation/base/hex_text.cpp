#include "ui/foundation/base/hex_text.h"

#include "platform/rtl/memory_stream.h"

namespace {

constexpr std::string_view kHexTextPrefix = "Hex:";
constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

void AppendHexPair(std::string& text, uint8_t byte) {
  text += kUpperHexDigits[byte >> 4];
  text += kUpperHexDigits[byte & 0x0F];
}

bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view upper_word) {
  if (text.size() != upper_word.size())
    return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    if (c != upper_word[i])
      return false;
  }
  return true;
}

}  // namespace

uint8_t lxHexDigitValue(char digit) {
  if (digit >= '0' && digit <= '9')
    return static_cast<uint8_t>(digit - '0');
  if (digit >= 'A' && digit <= 'F')
    return static_cast<uint8_t>(digit - 'A' + 10);
  if (digit >= 'a' && digit <= 'f')
    return static_cast<uint8_t>(digit - 'a' + 10);
  throw ElxHexStringConvertError();
}

std::string lxBytesToHexText(const std::vector<uint8_t>& bytes) {
  std::string text;
  text.reserve(bytes.size() * 2);
  for (uint8_t byte : bytes)
    AppendHexPair(text, byte);
  return text;
}

std::vector<uint8_t> lxHexTextToBytes(std::string_view text) {
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i + 1 < text.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(lxHexDigitValue(text[i]) << 4 | lxHexDigitValue(text[i + 1])));
  return bytes;
}

std::string lxStreamToHexText(const TMemoryStream* stream) {
  if (stream == nullptr || stream->Bytes().empty())
    return std::string();
  std::string text(kHexTextPrefix);
  text += lxBytesToHexText(stream->Bytes());
  return text;
}

void lxHexTextToStream(std::string_view text, TStream* stream) {
  // Five characters are the prefix and at most one lone digit: no byte.
  if (stream == nullptr || text.size() <= kHexTextPrefix.size() + 1)
    return;
  const std::vector<uint8_t> bytes = lxHexTextToBytes(text.substr(kHexTextPrefix.size()));
  if (!bytes.empty())
    stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

bool lxTextToBoolean(std::string_view text) {
  if (EqualsIgnoringAsciiCase(text, "TRUE"))
    return true;
  if (EqualsIgnoringAsciiCase(text, "FALSE"))
    return false;
  throw EPropertyConvertError(std::string());
}
