#include "editors/kinds/image_value_codec.h"

namespace {

constexpr size_t kGraphicHeaderSize = 8;
constexpr uint16_t kGraphicHeaderCount = 1;
constexpr uint16_t kGraphicHeaderType = 0x0100;

uint32_t ReadLittleEndian(std::string_view bytes, size_t offset, size_t width) {
  uint32_t value = 0;
  for (size_t index = 0; index < width; ++index)
    value |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[offset + index])) << (8 * index);
  return value;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) { return bytes.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string_view lxSkipGraphicHeader(std::string_view bytes) {
  if (bytes.size() < kGraphicHeaderSize)
    return bytes;
  const bool is_header = ReadLittleEndian(bytes, 0, 2) == kGraphicHeaderCount &&
                         ReadLittleEndian(bytes, 2, 2) == kGraphicHeaderType &&
                         ReadLittleEndian(bytes, 4, 4) == bytes.size() - kGraphicHeaderSize;
  return is_header ? bytes.substr(kGraphicHeaderSize) : bytes;
}

TlxPictureSignature lxSniffPictureSignature(std::string_view bytes) {
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n"sv))
    return TlxPictureSignature::Png;
  if (StartsWith(bytes, "\xFF\xD8\xFF"sv))
    return TlxPictureSignature::Jpeg;
  if (StartsWith(bytes, "BM"sv))
    return TlxPictureSignature::Bitmap;
  if (StartsWith(bytes, "\0\0\1\0"sv))
    return TlxPictureSignature::Icon;
  // An enhanced metafile begins with its header record (type 1) and has
  // the signature " EMF" at byte 40.
  if (bytes.size() >= 44 && ReadLittleEndian(bytes, 0, 4) == 1 && bytes.substr(40, 4) == " EMF"sv)
    return TlxPictureSignature::EnhancedMetafile;
  return TlxPictureSignature::Unknown;
}
