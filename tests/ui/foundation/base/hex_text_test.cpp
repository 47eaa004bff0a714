#include "ui/foundation/base/hex_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/memory_stream.h"

namespace {

std::vector<uint8_t> StreamBytes(const TMemoryStream& stream) { return stream.Bytes(); }

TEST(HexTextTest, TextIntoStreamWritesWholePairsAfterThePrefix) {
  struct Case {
    const char* text;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"Hex:0aFF", {0x0A, 0xFF}},
      {"Hex:0", {}},             // not longer than five characters
      {"Hex:", {}},
      {"", {}},
      {"Hex:123", {0x12}},       // the lone last digit is ignored
      {"XXXX4142", {0x41, 0x42}},  // the prefix is not compared
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    lxHexTextToStream(c.text, &stream);
    EXPECT_EQ(StreamBytes(stream), c.expected) << c.text;
  }
}

TEST(HexTextTest, TextIntoStreamWritesAtTheCurrentPosition) {
  TMemoryStream stream;
  const uint8_t start[] = {1, 2, 3};
  stream.WriteBuffer(start, 3);
  stream.SetPosition(1);
  lxHexTextToStream("Hex:AABB", &stream);
  EXPECT_EQ(StreamBytes(stream), (std::vector<uint8_t>{1, 0xAA, 0xBB}));
  EXPECT_EQ(stream.Position(), 3);
  EXPECT_NO_THROW(lxHexTextToStream("Hex:AABB", nullptr));
}

TEST(HexTextTest, BadDigitRaisesWithoutWritingAnything) {
  TMemoryStream stream;
  EXPECT_THROW(lxHexTextToStream("Hex:0G", &stream), ElxHexStringConvertError);
  EXPECT_THROW(lxHexTextToStream("Hex:00 1", &stream), ElxHexStringConvertError);
  EXPECT_EQ(stream.Size(), 0);
  try {
    lxHexDigitValue('x');
    FAIL() << "no exception";
  } catch (const ElxHexStringConvertError& error) {
    EXPECT_EQ(error.Message(), "");
  }
}

TEST(HexTextTest, DigitValuesOfAllThreeRanges) {
  const std::string digits = "0123456789ABCDEFabcdef";
  const uint8_t values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15};
  for (size_t i = 0; i < digits.size(); ++i)
    EXPECT_EQ(lxHexDigitValue(digits[i]), values[i]) << digits[i];
  for (char bad : {'/', ':', '@', 'G', '`', 'g', ' ', '\0'})
    EXPECT_THROW(lxHexDigitValue(bad), ElxHexStringConvertError) << static_cast<int>(bad);
}

TEST(HexTextTest, StreamToTextTakesTheWholeStreamAndKeepsThePosition) {
  TMemoryStream stream;
  stream.WriteBuffer("abc", 3);
  stream.SetPosition(2);
  EXPECT_EQ(lxStreamToHexText(&stream), "Hex:616263");
  EXPECT_EQ(stream.Position(), 2);

  TMemoryStream empty;
  EXPECT_EQ(lxStreamToHexText(&empty), "");
  EXPECT_EQ(lxStreamToHexText(nullptr), "");
}

TEST(HexTextTest, BytesRoundTripThroughUpperCaseText) {
  std::vector<uint8_t> all(256);
  for (size_t i = 0; i < all.size(); ++i)
    all[i] = static_cast<uint8_t>(i);
  const std::string text = lxBytesToHexText(all);
  ASSERT_EQ(text.size(), 512u);
  EXPECT_EQ(text.substr(0, 6), "000102");
  EXPECT_EQ(text.substr(506), "FDFEFF");
  EXPECT_EQ(lxHexTextToBytes(text), all);
  EXPECT_EQ(lxBytesToHexText({}), "");
  EXPECT_EQ(lxHexTextToBytes("F"), std::vector<uint8_t>{});
}

TEST(HexTextTest, TextToBooleanIgnoresLetterCaseOnly) {
  EXPECT_TRUE(lxTextToBoolean("true"));
  EXPECT_TRUE(lxTextToBoolean("TRUE"));
  EXPECT_TRUE(lxTextToBoolean("tRuE"));
  EXPECT_FALSE(lxTextToBoolean("False"));
  EXPECT_FALSE(lxTextToBoolean("FALSE"));
  for (const char* bad : {"yes", "", "1", " true", "TRUE ", "truee", "fals"})
    EXPECT_THROW(lxTextToBoolean(bad), EPropertyConvertError) << bad;
}

}  // namespace
