#include "platform/rtl/ini_file_encoding.h"

#include "platform/rtl/code_page_1252.h"
#include "platform/rtl/text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEBom = "\xFF\xFE";
constexpr std::string_view kUtf16BEBom = "\xFE\xFF";

TIniEncoding DetectEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom))
    return TIniEncoding::kUtf8Bom;
  if (bytes.starts_with(kUtf16LEBom))
    return TIniEncoding::kUtf16LE;
  if (bytes.starts_with(kUtf16BEBom))
    return TIniEncoding::kUtf16BE;
  return IsValidUtf8(bytes) ? TIniEncoding::kUtf8 : TIniEncoding::kAnsi1252;
}

bool IsAscii(std::string_view bytes) {
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80)
      return false;
  }
  return true;
}

std::string DecodeUtf16Bytes(std::string_view bytes, bool big_endian) {
  std::u16string units;
  units.reserve(bytes.size() / 2 + 1);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  if (bytes.size() % 2 != 0)
    units += u'\uFFFD';
  return Utf16ToUtf8(units);
}

std::string EncodeUtf16Bytes(std::string_view text, bool big_endian) {
  const std::u16string units = Utf8ToUtf16(text);
  std::string bytes(big_endian ? kUtf16BEBom : kUtf16LEBom);
  bytes.reserve(bytes.size() + units.size() * 2);
  for (char16_t unit : units) {
    const auto high = static_cast<char>(unit >> 8);
    const auto low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? high : low;
    bytes += big_endian ? low : high;
  }
  return bytes;
}

// Each returns false where its encoding cannot carry the text so that it
// reads back the same.

bool EncodeUtf8(std::string_view text, std::string& bytes) {
  // Text that starts with U+FEFF would lose it to the reader as a mark.
  bytes = text;
  return DetectEncoding(bytes) == TIniEncoding::kUtf8;
}

bool EncodeCp1252(std::string_view text, std::string& bytes) {
  // Plain ASCII reads back as UTF-8, which it also is; any other bytes must
  // not look like a mark or like UTF-8 ("Ã¼" is valid UTF-8).
  return Utf8ToCp1252(text, bytes) && (IsAscii(bytes) || DetectEncoding(bytes) == TIniEncoding::kAnsi1252);
}

bool EncodeUtf16(std::string_view text, bool big_endian, std::string& bytes) {
  if (!IsValidUtf8(text))
    return false;
  bytes = EncodeUtf16Bytes(text, big_endian);
  return true;
}

}  // namespace

std::string DecodeIniBytes(std::string_view bytes, TIniEncoding& encoding) {
  encoding = DetectEncoding(bytes);
  switch (encoding) {
    case TIniEncoding::kUtf8:
      return std::string(bytes);
    case TIniEncoding::kUtf8Bom:
      return std::string(bytes.substr(kUtf8Bom.size()));
    case TIniEncoding::kAnsi1252:
      return Cp1252ToUtf8(bytes);
    case TIniEncoding::kUtf16LE:
    case TIniEncoding::kUtf16BE:
      return DecodeUtf16Bytes(bytes.substr(2), encoding == TIniEncoding::kUtf16BE);
  }
  return std::string(bytes);
}

std::string EncodeIniText(std::string_view text, TIniEncoding& encoding) {
  std::string bytes;
  bool carried = false;
  switch (encoding) {
    case TIniEncoding::kUtf8:
      carried = EncodeUtf8(text, bytes);
      break;
    case TIniEncoding::kUtf8Bom:
      break;
    case TIniEncoding::kAnsi1252:
      carried = EncodeCp1252(text, bytes);
      break;
    case TIniEncoding::kUtf16LE:
    case TIniEncoding::kUtf16BE:
      carried = EncodeUtf16(text, encoding == TIniEncoding::kUtf16BE, bytes);
      break;
  }
  if (carried)
    return bytes;
  encoding = TIniEncoding::kUtf8Bom;
  bytes.assign(kUtf8Bom);
  bytes.append(text);
  return bytes;
}
