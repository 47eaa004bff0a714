#pragma once
// TNsBytes, the growable byte array of the socket transport, and the
// routines behind typed reads and writes. Integers are copied in the
// machine's byte order; the stack converts to and from network order.

#include <cstdint>
#include <string_view>
#include <vector>

class TStream;

using TNsBytes = std::vector<uint8_t>;

TNsBytes Int16ToBytes(int16_t value);
TNsBytes Int32ToBytes(int32_t value);
TNsBytes Int64ToBytes(int64_t value);
TNsBytes ByteToBytes(uint8_t value);

// The value at `index`, in machine order. Raise ENsException when the array
// is too short.
int16_t BytesToInt16(const TNsBytes& bytes, size_t index = 0);
int32_t BytesToInt32(const TNsBytes& bytes, size_t index = 0);
int64_t BytesToInt64(const TNsBytes& bytes, size_t index = 0);

// Copies `count` bytes; raises ENsException when either array is too short.
void CopyBytes(const TNsBytes& source, size_t source_index, TNsBytes& destination, size_t destination_index,
               size_t count);

// What is left from `start`, at most `count` (all when count < 0), never
// negative.
int64_t AvailableCount(size_t length, int64_t count, int64_t start);
inline int64_t AvailableCount(const TNsBytes& bytes, int64_t count, int64_t start) {
  return AvailableCount(bytes.size(), count, start);
}
inline int64_t AvailableCount(std::string_view text, int64_t count, int64_t start) {
  return AvailableCount(text.size(), count, start);
}

// Reads up to `count` bytes (the rest of the stream for -1) into `bytes`
// from `offset`, growing the array when needed; the bytes the stream gave.
int64_t StreamReadBytes(TStream& stream, TNsBytes& bytes, int64_t count = -1, int64_t offset = 0);
// Writes the available bytes from `offset` (at most `count`); what the
// stream took.
int64_t StreamWriteBytes(TStream& stream, const TNsBytes& bytes, int64_t count = -1, int64_t offset = 0);
