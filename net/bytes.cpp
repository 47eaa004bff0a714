#include "net/bytes.h"

#include <algorithm>
#include <cstring>

#include "net/exceptions.h"
#include "platform/rtl/stream.h"

namespace {

template <class T>
TNsBytes ValueToBytes(T value) {
  TNsBytes bytes(sizeof(T));
  std::memcpy(bytes.data(), &value, sizeof(T));
  return bytes;
}

template <class T>
T BytesToValue(const TNsBytes& bytes, size_t index) {
  if (index > bytes.size() || bytes.size() - index < sizeof(T))
    throw ENsException("Not enough bytes for the value");
  T value;
  std::memcpy(&value, bytes.data() + index, sizeof(T));
  return value;
}

}  // namespace

TNsBytes Int16ToBytes(int16_t value) { return ValueToBytes(value); }
TNsBytes Int32ToBytes(int32_t value) { return ValueToBytes(value); }
TNsBytes Int64ToBytes(int64_t value) { return ValueToBytes(value); }
TNsBytes ByteToBytes(uint8_t value) { return TNsBytes{value}; }

int16_t BytesToInt16(const TNsBytes& bytes, size_t index) { return BytesToValue<int16_t>(bytes, index); }
int32_t BytesToInt32(const TNsBytes& bytes, size_t index) { return BytesToValue<int32_t>(bytes, index); }
int64_t BytesToInt64(const TNsBytes& bytes, size_t index) { return BytesToValue<int64_t>(bytes, index); }

void CopyBytes(const TNsBytes& source, size_t source_index, TNsBytes& destination, size_t destination_index,
               size_t count) {
  if (count == 0)
    return;
  if (source_index > source.size() || source.size() - source_index < count ||
      destination_index > destination.size() || destination.size() - destination_index < count)
    throw ENsException("Byte copy out of range");
  std::memmove(destination.data() + destination_index, source.data() + source_index, count);
}

int64_t AvailableCount(size_t length, int64_t count, int64_t start) {
  const int64_t size = static_cast<int64_t>(length);
  if (start < 0 || start >= size)
    return 0;
  const int64_t left = size - start;
  return count < 0 ? left : std::min(count, left);
}

int64_t StreamReadBytes(TStream& stream, TNsBytes& bytes, int64_t count, int64_t offset) {
  if (offset < 0)
    return 0;
  const int64_t left = stream.Remaining();
  if (count < 0 || count > left)
    count = left;
  if (count <= 0)
    return 0;
  const auto needed = static_cast<size_t>(offset + count);
  if (bytes.size() < needed)
    bytes.resize(needed);
  return stream.Read(bytes.data() + offset, count);
}

int64_t StreamWriteBytes(TStream& stream, const TNsBytes& bytes, int64_t count, int64_t offset) {
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return 0;
  return stream.Write(bytes.data() + offset, available);
}
