#pragma once
// The message record: the wire form of one TLogWireMessage, shared by every
// transport. Little-endian, a fixed header of 243 bytes, then the text, the
// details and three zero bytes. Texts are UTF-8; a fixed-size text field
// holds at most its limit in bytes, cut before a character that would not
// fit whole, and always ends in a zero byte.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "logging/message.h"

namespace LogWireRecord {

constexpr uint32_t kMsgType = 0;
constexpr uint32_t kTime = 4;
constexpr uint32_t kDate = 8;
constexpr uint32_t kTimeZoneBias = 12;
constexpr uint32_t kTextLength = 16;
constexpr uint32_t kDetailsLength = 20;
constexpr uint32_t kProcessId = 24;
constexpr uint32_t kThreadName = 28;      // 26 bytes
constexpr uint32_t kDispatchId = 54;      // 42 bytes
constexpr uint32_t kComputerName = 96;    // 16 bytes
constexpr uint32_t kAppName = 112;        // 41 bytes
constexpr uint32_t kCategory = 153;       // 41 bytes
constexpr uint32_t kCategoryColor = 194;
constexpr uint32_t kCategoryFontColor = 198;
constexpr uint32_t kTypeName = 202;       // 41 bytes
constexpr uint32_t kText = 243;

// The most bytes of each text field, without its terminating zero.
constexpr size_t kMaxThreadName = 25;
constexpr size_t kMaxDispatchId = 41;
constexpr size_t kMaxComputerName = 15;
constexpr size_t kMaxAppName = 40;
constexpr size_t kMaxCategory = 40;
constexpr size_t kMaxTypeName = 40;

// Header, the text's terminating zero and two more zero bytes.
constexpr uint32_t kFixedSize = 246;

}  // namespace LogWireRecord

// T, D and the whole record's size (246 + T + D).
struct TLogWireRecordSize {
  uint32_t TextLength = 0;
  uint32_t DetailsLength = 0;
  uint32_t Size = 0;
};

// T is the text's length in bytes, without a final CR LF when the text is
// longer than one byte; D the details' length. Raises EInvalidArgument when
// the record would not fit a 32-bit size.
TLogWireRecordSize LogWireGetRecordSize(const TLogWireMessage& message);

// Writes the record into `record`, which must be zero-filled and exactly
// `size.Size` bytes long. The text area carries exactly T bytes of the text
// (zero bytes inside the text included), then the details.
void LogWireFillRecord(const TLogWireMessage& message, const TLogWireRecordSize& size,
                       std::span<uint8_t> record);

// A zero-filled block of the right size, filled.
std::vector<uint8_t> LogWireBuildRecord(const TLogWireMessage& message);

// The longest prefix of `text` of at most `max_bytes` bytes that does not
// end inside a UTF-8 character.
std::string_view LogWireFieldText(std::string_view text, size_t max_bytes);
