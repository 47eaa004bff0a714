#pragma once
// What the log dispatcher stand-in wrote down: one line per message it
// received, "<id> <size> <bytes in hex>" (the WM_COPYDATA id, or the TCP
// frame's type), read back into records.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

struct DispatcherRecord {
  uint64_t id = 0;
  uint32_t size = 0;
  std::vector<uint8_t> bytes;

  // A little-endian 32-bit field of the record; 0 beyond its end.
  uint32_t UInt32At(size_t offset) const;
  // The message type (offset 0): 0 for a plain message.
  uint32_t Type() const { return UInt32At(0); }
  // The message text (its length at offset 16, the text at offset 243),
  // without a final line break; empty when the record is too short.
  std::string Text() const;
  // Whether `text` occurs anywhere in the record's bytes.
  bool Contains(const std::string& text) const;
};

std::vector<DispatcherRecord> ReadDispatcherLog(const std::string& path);

// The texts of the plain messages (type 0), in order of arrival.
std::vector<std::string> DispatcherMessageTexts(const std::string& path);

}  // namespace test_support
