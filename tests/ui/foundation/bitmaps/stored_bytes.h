#pragma once
// Stored bytes put into a stream for reading back, from its start.

#include <cstdint>
#include <vector>

#include "platform/rtl/memory_stream.h"

namespace bitmaps_test {

inline void FillFromStart(TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
  stream.Clear();
  if (!bytes.empty())
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
}

}  // namespace bitmaps_test
