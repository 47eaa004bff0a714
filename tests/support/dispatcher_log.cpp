#include "tests/support/dispatcher_log.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace test_support {
namespace {

constexpr size_t kTextLengthOffset = 16;
constexpr size_t kTextOffset = 243;

std::vector<uint8_t> BytesOfHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

}  // namespace

uint32_t DispatcherRecord::UInt32At(size_t offset) const {
  if (offset + 4 > bytes.size())
    return 0;
  return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
         static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

std::string DispatcherRecord::Text() const {
  const size_t length = UInt32At(kTextLengthOffset);
  if (bytes.size() < kTextOffset || length > bytes.size() - kTextOffset)
    return {};
  std::string text(bytes.begin() + kTextOffset, bytes.begin() + static_cast<std::ptrdiff_t>(kTextOffset + length));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}

bool DispatcherRecord::Contains(const std::string& text) const {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

std::vector<DispatcherRecord> ReadDispatcherLog(const std::string& path) {
  std::vector<DispatcherRecord> records;
  std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    DispatcherRecord record;
    std::string hex;
    fields >> record.id >> record.size >> hex;
    record.bytes = BytesOfHex(hex);
    records.push_back(std::move(record));
  }
  return records;
}

std::vector<std::string> DispatcherMessageTexts(const std::string& path) {
  std::vector<std::string> texts;
  for (const DispatcherRecord& record : ReadDispatcherLog(path))
    if (record.Type() == 0)
      texts.push_back(record.Text());
  return texts;
}

}  // namespace test_support
