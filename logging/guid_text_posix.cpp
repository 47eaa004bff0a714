#include <array>
#include <cstdint>
#include <random>

#include "logging/guid_text.h"

// A random (version 4) id in the same text form as on Windows.
std::string LogWireNewGuidText() {
  static thread_local std::mt19937_64 generator{std::random_device{}()};
  std::array<uint8_t, 16> bytes{};
  for (size_t i = 0; i < bytes.size(); i += 8) {
    const uint64_t random = generator();
    for (size_t j = 0; j < 8; ++j)
      bytes[i + j] = static_cast<uint8_t>(random >> (8 * j));
  }
  bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);
  bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);

  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10)
      text += '-';
    text += kHex[bytes[i] >> 4];
    text += kHex[bytes[i] & 0x0F];
  }
  return text + "}";
}
