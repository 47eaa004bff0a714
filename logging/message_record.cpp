#include "logging/message_record.h"

#include <cstring>
#include <limits>

#include "platform/rtl/exceptions.h"

namespace {

void PutUInt32(std::span<uint8_t> record, uint32_t offset, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i)
    record[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

void PutBytes(std::span<uint8_t> record, uint32_t offset, std::string_view bytes) {
  if (!bytes.empty())
    std::memcpy(record.data() + offset, bytes.data(), bytes.size());
}

// The zero that ends the field is already there: the block is zero-filled.
void PutField(std::span<uint8_t> record, uint32_t offset, std::string_view text, size_t max_bytes) {
  PutBytes(record, offset, LogWireFieldText(text, max_bytes));
}

bool EndsInLineBreak(std::string_view text) { return text.size() > 1 && text.ends_with("\r\n"); }

bool IsContinuationByte(char c) { return (static_cast<uint8_t>(c) & 0xC0) == 0x80; }

}  // namespace

std::string_view LogWireFieldText(std::string_view text, size_t max_bytes) {
  if (text.size() <= max_bytes)
    return text;
  // A UTF-8 character has at most three continuation bytes; a longer run
  // is not UTF-8, and is then cut where the limit falls.
  size_t cut = max_bytes;
  for (int step = 0; step < 3 && cut > 0 && IsContinuationByte(text[cut]); ++step)
    --cut;
  if (IsContinuationByte(text[cut]))
    cut = max_bytes;
  return text.substr(0, cut);
}

TLogWireRecordSize LogWireGetRecordSize(const TLogWireMessage& message) {
  const size_t text_length = message.Text.size() - (EndsInLineBreak(message.Text) ? 2 : 0);
  const size_t details_length = message.Details.size();
  constexpr size_t kLimit = std::numeric_limits<uint32_t>::max() - LogWireRecord::kFixedSize;
  if (text_length > kLimit || details_length > kLimit - text_length)
    throw EInvalidArgument("The log message is too large to send");
  TLogWireRecordSize size;
  size.TextLength = static_cast<uint32_t>(text_length);
  size.DetailsLength = static_cast<uint32_t>(details_length);
  size.Size = LogWireRecord::kFixedSize + size.TextLength + size.DetailsLength;
  return size;
}

void LogWireFillRecord(const TLogWireMessage& message, const TLogWireRecordSize& size,
                       std::span<uint8_t> record) {
  using namespace LogWireRecord;
  if (record.size() != size.Size || size.TextLength > message.Text.size() ||
      size.DetailsLength != message.Details.size())
    throw EInvalidArgument("The log record does not fit its message");
  PutUInt32(record, kMsgType, message.MsgType);
  PutUInt32(record, kTime, message.Time);
  PutUInt32(record, kDate, message.Date);
  PutUInt32(record, kTimeZoneBias, static_cast<uint32_t>(message.TimeZoneBias));
  PutUInt32(record, kTextLength, size.TextLength);
  PutUInt32(record, kDetailsLength, size.DetailsLength);
  PutUInt32(record, kProcessId, message.ProcessId);
  PutField(record, kThreadName, message.ThreadName, kMaxThreadName);
  PutField(record, kDispatchId, message.DispatchId, kMaxDispatchId);
  PutField(record, kComputerName, message.ComputerName, kMaxComputerName);
  PutField(record, kAppName, message.AppName, kMaxAppName);
  PutField(record, kCategory, message.Category, kMaxCategory);
  PutUInt32(record, kCategoryColor, message.CategoryColor);
  PutUInt32(record, kCategoryFontColor, message.CategoryFontColor);
  PutField(record, kTypeName, message.TypeName, kMaxTypeName);
  // The length field and the bytes always agree: a zero byte inside the
  // text is carried like any other byte, so the details start at 243 + T.
  PutBytes(record, kText, std::string_view(message.Text).substr(0, size.TextLength));
  PutBytes(record, kText + size.TextLength, message.Details);
}

std::vector<uint8_t> LogWireBuildRecord(const TLogWireMessage& message) {
  const TLogWireRecordSize size = LogWireGetRecordSize(message);
  std::vector<uint8_t> record(size.Size, 0);
  LogWireFillRecord(message, size, record);
  return record;
}
