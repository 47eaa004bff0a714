// The message record byte for byte: the header offsets, the text and
// details area, the length rules and the cutting of fixed-size text fields.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging/message_record.h"
#include "platform/rtl/exceptions.h"

namespace {

std::vector<uint8_t> FromHex(std::string_view hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16)));
  return bytes;
}

uint32_t ReadUInt32(const std::vector<uint8_t>& record, size_t offset) {
  return record[offset] | record[offset + 1] << 8 | record[offset + 2] << 16 |
         static_cast<uint32_t>(record[offset + 3]) << 24;
}

std::string Bytes(const std::vector<uint8_t>& record, size_t offset, size_t count) {
  return std::string(record.begin() + static_cast<std::ptrdiff_t>(offset),
                     record.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

TEST(MessageRecord, EveryFieldLandsAtItsOffset) {
  TLogWireMessage message;
  message.MsgType = 2;
  message.Time = 45296789;  // 12:34:56.789
  message.Date = 739000;
  message.TimeZoneBias = -60;
  message.Text = "Größe\r\n";
  message.Details = "a\nb";
  message.ProcessId = 0x1234;
  message.ThreadName = "1234";
  message.DispatchId = "{6F9619FF-8B86-D011-B42D-00C04FC964FF}";
  message.ComputerName = "HOST";
  message.AppName = "lumar";
  message.Category = "Druck";
  message.CategoryColor = 16777215;
  message.CategoryFontColor = 128;
  message.TypeName = "TfmMain";

  const std::string golden =
      "02000000"                                                                          // 0 type
      "952cb302"                                                                          // 4 time
      "b8460b00"                                                                          // 8 day
      "c4ffffff"                                                                          // 12 bias
      "07000000"                                                                          // 16 T
      "03000000"                                                                          // 20 D
      "34120000"                                                                          // 24 process
      "3132333400000000000000000000000000000000000000000000"                              // 28 thread
      "7b36463936313946462d384238362d443031312d423432442d3030433034464339363446467d00000000"  // 54 id
      "484f5354000000000000000000000000"                                                  // 96 computer
      "6c756d6172000000000000000000000000000000000000000000000000000000000000000000000000"  // 112 app
      "447275636b000000000000000000000000000000000000000000000000000000000000000000000000"  // 153 category
      "ffffff00"                                                                          // 194 colour
      "80000000"                                                                          // 198 font colour
      "54666d4d61696e00000000000000000000000000000000000000000000000000000000000000000000"  // 202 type name
      "4772c3b6c39f65610a62000000";                                                       // 243 text, details

  EXPECT_EQ(LogWireBuildRecord(message), FromHex(golden));
  const TLogWireRecordSize size = LogWireGetRecordSize(message);
  EXPECT_EQ(size.TextLength, 7u);
  EXPECT_EQ(size.DetailsLength, 3u);
  EXPECT_EQ(size.Size, 256u);
}

TEST(MessageRecord, EmptyMessageIsTwoHundredFortySixZeroBytes) {
  EXPECT_EQ(LogWireBuildRecord(TLogWireMessage{}), std::vector<uint8_t>(246, 0));
}

TEST(MessageRecord, TextLengthLeavesOutOneFinalLineBreak) {
  struct Case {
    std::string text;
    uint32_t expected_length;
  };
  const Case cases[] = {
      {"abc\r\n", 3}, {"\r\n", 0},        {"\r", 1},  {"\n", 1},
      {"", 0},        {"a\r\n\r\n", 3},   {"a\n\r", 3}, {"abc\r", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    TLogWireMessage message;
    message.Text = c.text;
    message.Details = "xy";
    const std::vector<uint8_t> record = LogWireBuildRecord(message);
    ASSERT_EQ(record.size(), 246u + c.expected_length + 2);
    EXPECT_EQ(ReadUInt32(record, LogWireRecord::kTextLength), c.expected_length);
    // The details follow the counted text directly, then three zeros.
    EXPECT_EQ(Bytes(record, 243, c.expected_length), c.text.substr(0, c.expected_length));
    EXPECT_EQ(Bytes(record, 243 + c.expected_length, 5), std::string("xy\0\0\0", 5));
  }
}

TEST(MessageRecord, ZeroByteInTextIsCarriedAndCounted) {
  TLogWireMessage message;
  message.Text = std::string("ab\0cd", 5);
  message.Details = "D";
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  ASSERT_EQ(record.size(), 246u + 5 + 1);
  EXPECT_EQ(ReadUInt32(record, LogWireRecord::kTextLength), 5u);
  EXPECT_EQ(Bytes(record, 243, 6), std::string("ab\0cdD", 6));
  EXPECT_EQ(Bytes(record, 249, 3), std::string(3, '\0'));
}

struct TextField {
  const char* name;
  std::string TLogWireMessage::*member;
  uint32_t offset;
  size_t field_size;  // including the terminating zero
};

const TextField kTextFields[] = {
    {"ThreadName", &TLogWireMessage::ThreadName, 28, 26},
    {"DispatchId", &TLogWireMessage::DispatchId, 54, 42},
    {"ComputerName", &TLogWireMessage::ComputerName, 96, 16},
    {"AppName", &TLogWireMessage::AppName, 112, 41},
    {"Category", &TLogWireMessage::Category, 153, 41},
    {"TypeName", &TLogWireMessage::TypeName, 202, 41},
};

// Fills one field with `text` and checks that the field holds `expected`
// followed only by zeros, and that no neighbouring byte was touched.
void ExpectField(const TextField& field, const std::string& text, const std::string& expected) {
  TLogWireMessage message;
  message.*field.member = text;
  const std::vector<uint8_t> record = LogWireBuildRecord(message);
  ASSERT_EQ(record.size(), 246u);
  std::string expected_field = expected;
  expected_field.resize(field.field_size, '\0');
  EXPECT_EQ(Bytes(record, field.offset, field.field_size), expected_field);
  std::vector<uint8_t> outside = record;
  std::fill(outside.begin() + field.offset, outside.begin() + field.offset + field.field_size, 0);
  EXPECT_EQ(outside, std::vector<uint8_t>(246, 0));
}

TEST(MessageRecord, TextFieldsAreCutToTheirLimitAndZeroTerminated) {
  for (const TextField& field : kTextFields) {
    SCOPED_TRACE(field.name);
    const size_t limit = field.field_size - 1;
    const std::string fitting(limit, 'x');
    ExpectField(field, fitting, fitting);
    ExpectField(field, fitting + "yz", fitting);
  }
}

TEST(MessageRecord, TextFieldsAreCutBeforeACharacterThatWouldNotFitWhole) {
  for (const TextField& field : kTextFields) {
    SCOPED_TRACE(field.name);
    const size_t limit = field.field_size - 1;
    // "ä" and "ß" take two bytes, "€" three: a run of them crosses the
    // limit inside a character for some field sizes.
    std::string umlauts;
    while (umlauts.size() <= limit)
      umlauts += "äß";
    ExpectField(field, umlauts, umlauts.substr(0, limit - limit % 2));
    std::string euros;
    while (euros.size() <= limit)
      euros += "€";
    ExpectField(field, euros, euros.substr(0, limit - limit % 3));
    // One ASCII letter first moves every boundary by one.
    const std::string shifted = "a" + umlauts;
    ExpectField(field, shifted, shifted.substr(0, 1 + (limit - 1) - (limit - 1) % 2));
  }
}

TEST(MessageRecord, FieldTextKeepsWholeCharactersAndCutsBrokenTextAtTheLimit) {
  EXPECT_EQ(LogWireFieldText("Größe", 3), "Gr");
  EXPECT_EQ(LogWireFieldText("Größe", 4), "Grö");
  EXPECT_EQ(LogWireFieldText("Größe", 7), "Größe");
  EXPECT_EQ(LogWireFieldText("€", 2), "");
  EXPECT_EQ(LogWireFieldText("𝄞x", 3), "");
  EXPECT_EQ(LogWireFieldText("𝄞x", 4), "𝄞");
  // Stray continuation bytes are not a character to keep whole.
  const std::string broken(8, '\x80');
  EXPECT_EQ(LogWireFieldText(broken, 5), broken.substr(0, 5));
}

TEST(MessageRecord, FillingABlockOfTheWrongSizeIsRefused) {
  TLogWireMessage message;
  message.Text = "abc";
  const TLogWireRecordSize size = LogWireGetRecordSize(message);
  std::vector<uint8_t> short_block(size.Size - 1, 0);
  EXPECT_THROW(LogWireFillRecord(message, size, short_block), EInvalidArgument);
}

}  // namespace
