#include "platform/rtl/code_page_1252.h"

#include <array>
#include <cstdint>

#include "platform/rtl/text.h"

namespace {

// The bytes 0x80-0x9F; all others are the characters of the same number.
constexpr std::array<char16_t, 32> kHighControlBlock = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

char32_t CharacterOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F)
    return kHighControlBlock[byte - 0x80];
  return byte;
}

// False for a character without a byte.
bool ByteOf(char32_t character, unsigned char& byte) {
  const bool outside_block = character < 0x80 || (character >= 0xA0 && character <= 0xFF);
  if (outside_block) {
    byte = static_cast<unsigned char>(character);
    return true;
  }
  for (size_t index = 0; index < kHighControlBlock.size(); ++index) {
    if (kHighControlBlock[index] == character) {
      byte = static_cast<unsigned char>(0x80 + index);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size() + bytes.size() / 8);
  for (char byte : bytes)
    AppendUtf8(text, CharacterOf(static_cast<unsigned char>(byte)));
  return text;
}

bool Utf8ToCp1252(std::string_view text, std::string& bytes) {
  bytes.clear();
  bytes.reserve(text.size());
  size_t position = 0;
  while (position < text.size()) {
    // A broken sequence decodes as U+FFFD, which has no byte either.
    unsigned char byte = 0;
    if (!ByteOf(DecodeUtf8(text, position), byte))
      return false;
    bytes += static_cast<char>(byte);
  }
  return true;
}
