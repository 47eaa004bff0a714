#include "ui/foundation/bitmaps/bitmap_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "tests/ui/foundation/bitmaps/stored_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Repeat(uint8_t value, size_t count) { return Bytes(count, value); }

Bytes Written(const Bytes& image, bool compress) {
  TMemoryStream stream;
  lxWriteBitmapData(stream, image, compress);
  return stream.Bytes();
}

Bytes ReadBack(const Bytes& stored) {
  TMemoryStream stream;
  bitmaps_test::FillFromStart(stream, stored);
  return lxReadBitmapData(stream);
}

// A compressed form with a chosen length field and coded bytes.
Bytes CompressedForm(int32_t length, const Bytes& coded) {
  Bytes bytes(10);
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(length) >> (8 * i));
  bytes[4] = 'X';
  bytes[5] = 'D';
  bytes[6] = 'B';
  bytes[7] = 'M';
  bytes[8] = 1;
  bytes.insert(bytes.end(), coded.begin(), coded.end());
  return bytes;
}

TEST(BitmapRunsTest, CodesRunsAsTheCoderRuleSays) {
  struct Case {
    const char* name;
    Bytes data;
    Bytes coded;
  };
  Bytes three_hundred_coded = {125, 9, 125, 9, 50, 9};
  const Case cases[] = {
      {"repeat then literal", {5, 5, 5, 7, 8}, {0x03, 0x05, 0x82, 0x07, 0x08}},
      {"300 equal bytes", Repeat(9, 300), three_hundred_coded},
      {"single byte", {42}, {0x81, 42}},
      {"empty", {}, {}},
      {"literal stops before a pair", {1, 2, 3, 3}, {0x82, 1, 2, 0x02, 3}},
      {"pair then single", {4, 4, 6}, {0x02, 4, 0x81, 6}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxEncodeBitmapRuns(c.data), c.coded) << c.name;
    EXPECT_EQ(lxDecodeBitmapRuns(c.coded), c.data) << c.name;
  }
}

TEST(BitmapRunsTest, LongLiteralsSplitAtTheRunLimit) {
  Bytes data(300);
  for (size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<uint8_t>(i);
  const Bytes coded = lxEncodeBitmapRuns(data);
  ASSERT_EQ(coded.size(), 300u + 3u);
  EXPECT_EQ(coded[0], 0x80 | 125);
  EXPECT_EQ(coded[126], 0x80 | 125);
  EXPECT_EQ(coded[252], 0x80 | 50);
  EXPECT_EQ(lxDecodeBitmapRuns(coded), data);
}

TEST(BitmapRunsTest, DecodingStopsAtTheEndInsideAPacket) {
  EXPECT_EQ(lxDecodeBitmapRuns(Bytes{0x85, 1, 2}), (Bytes{1, 2}));
  EXPECT_EQ(lxDecodeBitmapRuns(Bytes{0x05}), Bytes{});
  EXPECT_THROW(lxDecodeBitmapRuns(Bytes{0x7F, 0, 0x7F, 0}, 200), EReadError);
}

TEST(BitmapDataTest, PlainAndCompressedFormsReadBackTheImage) {
  Bytes image(1000, 0xEE);
  for (size_t i = 0; i < image.size(); i += 7)
    image[i] = static_cast<uint8_t>(i);
  for (bool compress : {false, true}) {
    const Bytes stored = Written(image, compress);
    EXPECT_EQ(ReadBack(stored), image) << compress;
  }
  const Bytes plain = Written(image, false);
  ASSERT_EQ(plain.size(), 1004u);
  EXPECT_EQ(plain[0], 0xE8);
  EXPECT_EQ(plain[1], 0x03);
  const Bytes compressed = Written(image, true);
  EXPECT_EQ(Bytes(compressed.begin() + 4, compressed.begin() + 10), (Bytes{'X', 'D', 'B', 'M', 1, 0}));
  EXPECT_LT(compressed.size(), plain.size());
}

TEST(BitmapDataTest, ShortPlainDataReadsWithoutLookingForTheMark) {
  // An empty bitmap stores only its size field.
  EXPECT_EQ(Written({}, false), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(ReadBack({0, 0, 0, 0}), Bytes{});
  EXPECT_EQ(ReadBack({3, 0, 0, 0, 7, 8, 9}), (Bytes{7, 8, 9}));
  EXPECT_EQ(ReadBack(Written({}, true)), Bytes{});
}

TEST(BitmapDataTest, LyingOrCutOffDataIsTheReadError) {
  const Bytes coded_five = lxEncodeBitmapRuns(Bytes{1, 0, 0, 0, 9});  // size 1, image {9}
  const Bytes good = CompressedForm(static_cast<int32_t>(coded_five.size()), coded_five);
  ASSERT_EQ(ReadBack(good), Bytes{9});
  struct Case {
    const char* name;
    Bytes stored;
  };
  const Case cases[] = {
      {"nothing", {}},
      {"size field cut off", {1, 0}},
      {"plain size past the end", {5, 0, 0, 0, 1, 2}},
      {"plain size negative", {0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 5, 6}},
      {"coded length negative", CompressedForm(-1, coded_five)},
      {"coded length past the end", CompressedForm(static_cast<int32_t>(coded_five.size()) + 1, coded_five)},
      {"decoded shorter than its size field", CompressedForm(2, lxEncodeBitmapRuns(Bytes{2, 0, 0, 0, 9}))},
      {"decoded longer than its size field", [] {
         const Bytes coded = lxEncodeBitmapRuns(Bytes{0, 0, 0, 0, 9});
         return CompressedForm(static_cast<int32_t>(coded.size()), coded);
       }()},
      {"decoded without a size field", CompressedForm(2, Bytes{0x81, 1})},
      {"packet cut off by the length", CompressedForm(3, coded_five)},
  };
  for (const Case& c : cases)
    EXPECT_THROW(ReadBack(c.stored), EReadError) << c.name;
}

}  // namespace
