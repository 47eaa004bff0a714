#include "ui/foundation/base/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/exceptions.h"

namespace {

TEST(TextConversionTest, MultiByteToWideHandlesNullLengthsAndUtf8) {
  EXPECT_EQ(lxMultiByteToWideString(nullptr, lxCP_UTF8, 5), u"");
  EXPECT_EQ(lxMultiByteToWideString(nullptr, 1252, -1), u"");
  EXPECT_EQ(lxMultiByteToWideString("Größe", lxCP_UTF8, -1), u"Größe");
  EXPECT_EQ(lxMultiByteToWideString("Größe", lxCP_ACP, -1), u"Größe");
  EXPECT_EQ(lxMultiByteToWideString("abcdef", lxCP_UTF8, 3), u"abc");
  EXPECT_EQ(lxMultiByteToWideString("abc", lxCP_UTF8, 0), u"");
  const char with_zero[] = {'a', '\0', 'b'};
  EXPECT_EQ(lxMultiByteToWideString(with_zero, lxCP_UTF8, 3), std::u16string(u"a\0b", 3));
}

TEST(TextConversionTest, MultiByteToWideDecodesWestern8BitText) {
  EXPECT_EQ(lxMultiByteToWideString("Gr\xF6\xDF" "e \x80", 1252, -1), u"Größe €");
  EXPECT_EQ(lxMultiByteToWideString("\xE9", 28591, -1), u"é");
}

TEST(TextConversionTest, AnsiConversionsKeepTheText) {
  EXPECT_EQ(lxAnsiStringToStr("Größe", 1252), "Größe");
  EXPECT_EQ(lxStrToAnsiString("Größe", 65001), "Größe");
}

TEST(TextConversionTest, VariantToAnsiCopiesArraysByteForByte) {
  Variant bytes = VarArrayCreate(0, 9, varByte);
  for (int32_t i = 0; i <= 9; ++i)
    VarArrayPut(bytes, Variant::FromByte(static_cast<uint8_t>(i * 25)), i);
  const std::string text = lxVariantToAnsiStr(bytes);
  ASSERT_EQ(text.size(), 10u);
  EXPECT_EQ(static_cast<uint8_t>(text[9]), 225);

  Variant offset = VarArrayCreate(5, 6, varByte);
  VarArrayPut(offset, Variant::FromByte('O'), 5);
  VarArrayPut(offset, Variant::FromByte('K'), 6);
  EXPECT_EQ(lxVariantToAnsiStr(offset), "OK");

  EXPECT_EQ(lxVariantToAnsiStr(Variant("Größe")), "Größe");
  EXPECT_EQ(lxVariantToAnsiStr(Variant(u"wide")), "wide");
  EXPECT_EQ(lxVariantToAnsiStr(Variant(int32_t{42})), "");
  EXPECT_EQ(lxVariantToAnsiStr(Variant::Null()), "");
  EXPECT_EQ(lxVariantToAnsiStr(Variant()), "");
}

TEST(TextConversionTest, VariantArrayElementsOutsideAByteRaise) {
  EXPECT_THROW(lxVariantToAnsiStr(VarArrayOf({Variant(int32_t{65}), Variant(int32_t{300})})), EConvertError);
  EXPECT_EQ(lxVariantToAnsiStr(VarArrayOf({Variant(int32_t{65}), Variant(int32_t{66})})), "AB");
}

TEST(TextConversionTest, CharSetMembership) {
  TlxSysCharSet digits;
  for (char c = '0'; c <= '9'; ++c)
    digits.set(static_cast<uint8_t>(c));
  digits.set(0xFF);
  EXPECT_TRUE(lxCharInSysCharSet('7', digits));
  EXPECT_FALSE(lxCharInSysCharSet('a', digits));
  EXPECT_TRUE(lxCharInSysCharSet('\xFF', digits));
  EXPECT_FALSE(lxCharInSysCharSet('\0', digits));
}

}  // namespace

#if !defined(_WIN32)
namespace {

// The portable build knows the western 8-bit code pages only; the Windows
// build asks the system for every other one.
TEST(TextConversionTest, PortableBuildRaisesForOtherCodePages) {
  EXPECT_THROW(lxMultiByteToWideString("abc", 932, -1), EConvertError);
}

}  // namespace
#endif
