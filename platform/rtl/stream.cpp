#include "platform/rtl/stream.h"

#include <algorithm>
#include <vector>

int64_t TStream::Size() {
  const int64_t position = Seek(0, soCurrent);
  const int64_t size = Seek(0, soEnd);
  Seek(position, soBeginning);
  return size;
}

void TStream::SetSize(int64_t) {}

int64_t TStream::Remaining() {
  const int64_t position = Position();
  return std::max<int64_t>(Size() - position, 0);
}

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count != 0 && Read(buffer, count) != count)
    throw EReadError();
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count != 0 && Write(buffer, count) != count)
    throw EWriteError();
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  constexpr int64_t kChunk = 61440;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min(count, kChunk)));
  const int64_t total = count;
  while (count > 0) {
    const int64_t chunk = std::min(count, kChunk);
    source.ReadBuffer(buffer.data(), chunk);
    WriteBuffer(buffer.data(), chunk);
    count -= chunk;
  }
  return total;
}
