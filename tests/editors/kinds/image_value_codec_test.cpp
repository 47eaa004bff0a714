#include "editors/kinds/image_value_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

std::string Header(uint32_t size, uint16_t count = 1, uint16_t type = 0x0100) {
  std::string header;
  for (uint32_t value : {uint32_t{count}, uint32_t{type}})
    header += {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
  for (int shift = 0; shift < 32; shift += 8)
    header += static_cast<char>((size >> shift) & 0xFF);
  return header;
}

TEST(ImageValueCodecTest, SkipsOnlyAConsistentGraphicHeader) {
  const std::string body = "BM-and-some-bitmap-bytes";
  struct Case {
    const char* name;
    std::string bytes;
    std::string expected;
  };
  const Case cases[] = {
      {"valid header", Header(static_cast<uint32_t>(body.size())) + body, body},
      {"wrong length", Header(static_cast<uint32_t>(body.size()) + 1) + body,
       Header(static_cast<uint32_t>(body.size()) + 1) + body},
      {"wrong count", Header(static_cast<uint32_t>(body.size()), 2) + body,
       Header(static_cast<uint32_t>(body.size()), 2) + body},
      {"wrong type", Header(static_cast<uint32_t>(body.size()), 1, 0x0001) + body,
       Header(static_cast<uint32_t>(body.size()), 1, 0x0001) + body},
      {"header of nothing", Header(0), ""},
      {"five bytes", "ABCDE", "ABCDE"},
      {"no bytes", "", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxSkipGraphicHeader(c.bytes), c.expected) << c.name;
}

TEST(ImageValueCodecTest, TellsFormatsByTheirSignature) {
  std::string emf(44, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  std::string not_emf = emf;
  not_emf[0] = 2;
  struct Case {
    std::string bytes;
    TlxPictureSignature signature;
  };
  const Case cases[] = {
      {"\x89PNG\r\n\x1A\n...."s, TlxPictureSignature::Png},
      {"\xFF\xD8\xFF\xE0"s, TlxPictureSignature::Jpeg},
      {"BM"s, TlxPictureSignature::Bitmap},
      {"\0\0\1\0\1\0"s, TlxPictureSignature::Icon},
      {emf, TlxPictureSignature::EnhancedMetafile},
      {not_emf, TlxPictureSignature::Unknown},
      {emf.substr(0, 43), TlxPictureSignature::Unknown},
      {"\x89PNG"s, TlxPictureSignature::Unknown},
      {"\xFF\xD8"s, TlxPictureSignature::Unknown},
      {"\0\0\2\0"s, TlxPictureSignature::Unknown},
      {""s, TlxPictureSignature::Unknown},
      {"GIF89a"s, TlxPictureSignature::Unknown},
  };
  for (size_t index = 0; index < std::size(cases); ++index)
    EXPECT_EQ(lxSniffPictureSignature(cases[index].bytes), cases[index].signature) << "case " << index;
}

}  // namespace
