// The byte buffer driven by a script of appends, removals and searches,
// checked step by step against a plain queue of bytes.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "net/buffer.h"
#include "net/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

void Check(bool condition) {
  if (!condition)
    __builtin_trap();
}

void CheckSame(const TNsBuffer& buffer, const std::deque<uint8_t>& model) {
  Check(buffer.Size() == static_cast<int32_t>(model.size()));
  Check(buffer.HeadIndex() >= 0 && buffer.HeadIndex() + buffer.Size() <= buffer.StorageLength());
  for (size_t i = 0; i < model.size(); ++i)
    Check(buffer.Data()[i] == model[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TNsBuffer buffer;
  std::deque<uint8_t> model;
  size_t at = 0;
  const auto next = [&]() -> uint8_t { return at < size ? data[at++] : 0; };
  while (at < size) {
    const uint8_t operation = next();
    const uint16_t amount = static_cast<uint16_t>(next() | next() << 8);
    switch (operation % 6) {
      case 0: {  // append `amount` bytes with a pattern
        std::vector<uint8_t> bytes(amount % 5000);
        for (size_t i = 0; i < bytes.size(); ++i)
          bytes[i] = static_cast<uint8_t>(operation + i);
        buffer.Append(bytes.data(), bytes.size());
        model.insert(model.end(), bytes.begin(), bytes.end());
        break;
      }
      case 1: {  // take bytes, or fail cleanly when too few
        TNsBytes taken{9};
        try {
          buffer.MoveToBytes(taken, amount % 6000, operation & 0x40);
          Check(amount % 6000 <= model.size());
          model.erase(model.begin(), model.begin() + amount % 6000);
        } catch (const ENsNotEnoughDataInBuffer&) {
          Check(amount % 6000 > model.size());
        }
        break;
      }
      case 2:
        buffer.DropHead(amount);
        model.erase(model.begin(), model.begin() + std::min<size_t>(amount, model.size()));
        break;
      case 3: {  // search a short pattern
        const TNsBytes pattern{static_cast<uint8_t>(amount), static_cast<uint8_t>(amount >> 8)};
        const int32_t start = model.empty() ? 0 : static_cast<int32_t>(operation % model.size());
        int32_t expected = -1;
        for (size_t i = static_cast<size_t>(start); !model.empty() && i + 1 < model.size(); ++i) {
          if (model[i] == pattern[0] && model[i + 1] == pattern[1]) {
            expected = static_cast<int32_t>(i);
            break;
          }
        }
        Check(buffer.IndexOf(pattern, start) == expected);
        break;
      }
      case 4: {
        TMemoryStream stream;
        const int64_t count = model.empty() ? 0 : amount % (model.size() + 1);
        buffer.MoveToStream(stream, count);
        Check(stream.Size() == count);
        model.erase(model.begin(), model.begin() + count);
        break;
      }
      default:
        buffer.CompactStorage(operation & 1);
        break;
    }
    CheckSame(buffer, model);
  }
  return 0;
}
