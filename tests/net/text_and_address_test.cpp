#include <gtest/gtest.h>

#include "net/address_text.h"
#include "net/exceptions.h"
#include "net/text_encoding.h"
#include "net/text_routines.h"
#include "net/ticks.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/thread.h"

namespace {

TEST(CanonicalIPv6Test, GivesTheCanonicalFormOrNothing) {
  const struct {
    const char* text;
    const char* canonical;
  } cases[] = {
      {"::1", "0:0:0:0:0:0:0:1"},
      {"FE80::0202:B3FF:FE1E:8329", "FE80:0:0:0:202:B3FF:FE1E:8329"},
      {"fe80::1", "FE80:0:0:0:0:0:0:1"},
      {"::FFFF:1.2.3.4", "0:0:0:0:0:FFFF:0102:0304"},
      {"1:2:3:4:5:6:7:8", "1:2:3:4:5:6:7:8"},
      {"1::", "1:0:0:0:0:0:0:0"},
      {"::", "0:0:0:0:0:0:0:0"},
      {"1::2::3", ""},
      {"12345::1", ""},
      {"", ""},
      {"1:2:3", ""},
      {"1:2:3:4:5:6:7:8:9", ""},
      {"::1.2.3.256", ""},
      {"::1.2.3", ""},
      {"::g", ""},
      {"1.2.3.4", ""},
      {":::", ""},
      {"::1.2.3.0004", ""},
  };
  for (const auto& entry : cases)
    EXPECT_EQ(CanonicalIPv6(entry.text), entry.canonical) << entry.text;
}

TEST(CanonicalIPv6Test, GroupsComeBackAsFourDigitTexts) {
  const TNsIPv6Groups groups = IPv6TextToGroups("2001:db8::ff00:42:8329");
  EXPECT_EQ(groups[0], 0x2001);
  EXPECT_EQ(groups[7], 0x8329);
  EXPECT_EQ(IPv6GroupsToText(groups), "2001:0DB8:0000:0000:0000:FF00:0042:8329");
  try {
    IPv6TextToGroups("1::2::3");
    FAIL() << "an invalid text was taken";
  } catch (const ENsInvalNsIPv6Address& error) {
    EXPECT_EQ(error.Message(), "1::2::3 is not a valid IPv6 address");
  }
}

TEST(IPv4TextTest, LiberalPartsFillTheAddress) {
  const struct {
    const char* text;
    uint32_t value;
    bool error;
  } cases[] = {
      {"10.1", 0x0A000001, false},
      {"0x7F.1", 0x7F000001, false},
      {"010.0.0.1", 0x08000001, false},
      {"192.168.1.2", 0xC0A80102, false},
      {"1.2.3.4.", 0x01020304, false},
      // An empty part ends the text; the parts before it are single bytes.
      {"1..2", 0x01000000, false},
      {"10.", 0x0A000000, false},
      {"1.2..9.9.9.9", 0x01020000, false},
      {"", 0, false},
      {".7", 0, false},
      {"1.300..2", 0, true},
      {"1.2.3.4.5.", 0, true},
      {"4294967295", 0xFFFFFFFF, false},
      {"a.b.c.d", 0, true},
      {"1.2.3.4.5", 0, true},
      {"256.1", 0, true},
      {"1.2.65536", 0, true},
  };
  for (const auto& entry : cases) {
    bool error = false;
    const uint32_t value = IPv4TextToUInt32(entry.text, error);
    EXPECT_EQ(error, entry.error) << entry.text;
    if (!entry.error) {
      EXPECT_EQ(value, entry.value) << entry.text;
    }
  }
}

TEST(IPv4TextTest, DottedAddressesHaveExactlyFourFieldsInRange) {
  EXPECT_TRUE(IsIPv4Text("10.0.0.1"));
  EXPECT_TRUE(IsIPv4Text(" 10. 0.0.1 "));
  EXPECT_FALSE(IsIPv4Text("10.0.0"));
  EXPECT_FALSE(IsIPv4Text("10.0.0.256"));
  EXPECT_FALSE(IsIPv4Text("10.0.0.1.5"));
  EXPECT_FALSE(IsIPv4Text("a.b.c.d"));
  EXPECT_FALSE(IsIPv4Text(""));
  EXPECT_TRUE(IsMulticastIPv4("224.0.0.1"));
  EXPECT_FALSE(IsMulticastIPv4("240.0.0.1"));
  EXPECT_TRUE(IsMulticastIPv6("ff02::1"));
  EXPECT_FALSE(IsMulticastIPv6("fe80::1"));
}

TEST(AddressBytesTest, RoundTripsBothVersions) {
  const TNsBytes ipv4 = TextToAddress("10.0.0.5", Id_IPv4);
  EXPECT_EQ(ipv4, (TNsBytes{10, 0, 0, 5}));
  EXPECT_EQ(AddressToText(ipv4, Id_IPv4), "10.0.0.5");
  const TNsBytes ipv6 = TextToAddress("fe80::1:2", Id_IPv6);
  ASSERT_EQ(ipv6.size(), 16u);
  EXPECT_EQ(ipv6[0], 0xFE);
  EXPECT_EQ(ipv6[15], 2);
  EXPECT_EQ(AddressToText(ipv6, Id_IPv6), "FE80:0:0:0:0:0:1:2");
  EXPECT_THROW(TextToAddress("10.0.x.5", Id_IPv4), EConvertError);
  EXPECT_THROW(TextToAddress("10.0.0.500", Id_IPv4), EConvertError);
  EXPECT_THROW(TextToAddress("10.0.5", Id_IPv4), EConvertError);
  EXPECT_THROW(TextToAddress("::", static_cast<TNsIPVersion>(7)), ENsIPVersionUnsupported);
}

TEST(AddressBytesTest, AddressObjectsTellTheirKind) {
  auto ipv6 = TNsIPAddress::ParseAddressObject("::1");
  ASSERT_TRUE(ipv6);
  EXPECT_EQ(ipv6->AddressType(), Id_IPv6);
  EXPECT_EQ(ipv6->ToNetworkBytes().back(), 1);
  auto ipv4 = TNsIPAddress::ParseAddressObject("127.1");
  ASSERT_TRUE(ipv4);
  EXPECT_EQ(ipv4->AddressType(), Id_IPv4);
  EXPECT_EQ(ipv4->ToNetworkBytes(), (TNsBytes{127, 0, 0, 1}));
  EXPECT_FALSE(TNsIPAddress::ParseAddressObject("host.example"));
}

TEST(TextEncodingTest, Utf8TextKeepsItsBytesAndDecodingChecksThem) {
  EXPECT_EQ(TextToBytes("\xC3\xA9", kNsEncodingUTF8), (TNsBytes{0xC3, 0xA9}));
  EXPECT_EQ(BytesToText(TNsBytes{0xC3, 0xA9}, kNsEncodingUTF8), "\xC3\xA9");
  EXPECT_EQ(BytesToText(TNsBytes{0xF0, 0x9F, 0x98, 0x80}, kNsEncodingUTF8), "\xF0\x9F\x98\x80");
  EXPECT_EQ(TextToBytes("abcdef", kNsEncoding8Bit, 2, 3), (TNsBytes{'d', 'e'}));
  EXPECT_EQ(BytesToText(TNsBytes{'a', 'b', 'c'}, kNsEncoding8Bit, 1), "bc");
  EXPECT_THROW(TextToBytes("x", kNsEncodingDefault), ENsNoEncodingSpecified);

  const TNsBytes broken[] = {{0xC3, 0x41}, {0x80}, {0xE2, 0x82}, {0xFF}};
  for (const TNsBytes& bytes : broken) {
    try {
      BytesToText(bytes, kNsEncodingUTF8);
      FAIL() << "broken UTF-8 was taken";
    } catch (const ENsException& error) {
      EXPECT_EQ(error.Message(), "Byte is invalid for this UTF-8 sequence");
    }
  }
  // As 8-bit text the same bytes pass unchanged.
  EXPECT_EQ(BytesToText(TNsBytes{0xC3, 0x41}, kNsEncoding8Bit), "\xC3\x41");
}

TEST(TextEncodingTest, TheDecoderReportsWholeCharacters) {
  TNsUTF8DecoderStd decoder;
  char32_t character = 0;
  EXPECT_FALSE(decoder.Decode(0xE2, character));
  EXPECT_FALSE(decoder.Decode(0x82, character));
  EXPECT_TRUE(decoder.Decode(0xAC, character));
  EXPECT_EQ(character, U'\u20AC');
  EXPECT_TRUE(decoder.Decode('A', character));
  EXPECT_EQ(character, U'A');
}

TEST(ByteRoutinesTest, NumbersAndCopiesCheckTheirBounds) {
  EXPECT_EQ(BytesToInt32(Int32ToBytes(0x12345678)), 0x12345678);
  EXPECT_EQ(BytesToInt64(Int64ToBytes(-2)), -2);
  EXPECT_EQ(BytesToInt16(Int16ToBytes(-300)), -300);
  EXPECT_THROW(BytesToInt32(TNsBytes{1, 2, 3}), ENsException);
  EXPECT_THROW(BytesToInt16(TNsBytes{1, 2, 3}, 2), ENsException);
  TNsBytes destination(3);
  EXPECT_THROW(CopyBytes(TNsBytes{1, 2}, 0, destination, 2, 2), ENsException);
  CopyBytes(TNsBytes{1, 2}, 0, destination, 1, 2);
  EXPECT_EQ(destination, (TNsBytes{0, 1, 2}));
  EXPECT_EQ(AvailableCount(TNsBytes(5), -1, 2), 3);
  EXPECT_EQ(AvailableCount(TNsBytes(5), 2, 2), 2);
  EXPECT_EQ(AvailableCount(TNsBytes(5), 2, 7), 0);

  TMemoryStream stream;
  EXPECT_EQ(StreamWriteBytes(stream, TNsBytes{1, 2, 3, 4}, 2, 1), 2);
  stream.SetPosition(0);
  TNsBytes read;
  EXPECT_EQ(StreamReadBytes(stream, read, -1, 1), 2);
  EXPECT_EQ(read, (TNsBytes{0, 2, 3}));
  EXPECT_EQ(StreamReadBytes(stream, read), 0);
}

TEST(SmallRoutinesTest, TicksWrapAndEnglishFormatsIgnoreTheLocale) {
  EXPECT_EQ(TickSpan(0xFFFFFFF0u, 0x10u), 0x1Fu);
  EXPECT_EQ(TickSpan(100, 250), 150u);
  EXPECT_EQ(FormatEnglish("%.2f", {1.5}), "1.50");
  EXPECT_EQ(FormatEnglish("%s:%d", {"a", 7}), "a:7");
  EXPECT_TRUE(IsMainThread());
}

TEST(SmallRoutinesTest, TokensAndCharacterTests) {
  std::string input = "key=value=more";
  EXPECT_EQ(FetchToken(input, "="), "key");
  EXPECT_EQ(input, "value=more");
  EXPECT_EQ(FetchToken(input, "#", false), "value=more");
  EXPECT_EQ(input, "value=more");
  EXPECT_EQ(FetchToken(input, "#"), "value=more");
  EXPECT_EQ(input, "");
  std::string mixed = "aXb";
  EXPECT_EQ(FetchToken(mixed, "x", true, false), "a");
  EXPECT_EQ(mixed, "b");

  EXPECT_TRUE(StartsWithNoCase("Hello", "hE"));
  EXPECT_FALSE(StartsWithNoCase("He", "hello"));
  EXPECT_TRUE(EndsWithNoCase("Hello", "LLO"));
  EXPECT_TRUE(CharInSetAt("abc", 2, "xb"));
  EXPECT_FALSE(CharInSetAt("abc", 4, "c"));
  EXPECT_THROW(CharInSetAt("abc", 0, "a"), ENsException);
  EXPECT_EQ(StrToIntTrimmed(" 42 "), 42);
  EXPECT_EQ(StrToIntTrimmed("x", -1), -1);
  EXPECT_THROW(StrToIntTrimmed("x"), EConvertError);
  EXPECT_EQ(ParseOctal64("0755x"), 0755);
}

}  // namespace
