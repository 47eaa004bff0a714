#include "ui/foundation/bitmaps/bitmap_stream.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"

namespace {

constexpr std::array<uint8_t, 4> kMark = {'X', 'D', 'B', 'M'};
constexpr uint16_t kVersion = 1;
constexpr int64_t kHeaderSize = 10;
constexpr uint8_t kLiteralBit = 0x80;

size_t RepeatLength(std::span<const uint8_t> data, size_t start) {
  size_t length = 2;
  while (start + length < data.size() && length < lxMaxBitmapRun && data[start + length] == data[start])
    ++length;
  return length;
}

size_t LiteralLength(std::span<const uint8_t> data, size_t start) {
  size_t length = 1;
  while (start + length < data.size() && length < lxMaxBitmapRun && data[start + length] != data[start + length - 1])
    ++length;
  // The last byte taken pairs with the next one: leave it to the repeat run.
  if (length > 1 && start + length < data.size() && data[start + length] == data[start + length - 1])
    --length;
  return length;
}

void PutUInt32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetUInt32(const uint8_t* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
}

// The plain form in memory: the size field, then the image.
std::vector<uint8_t> PlainForm(std::span<const uint8_t> image) {
  if (image.size() > static_cast<size_t>(INT32_MAX))
    throw EWriteError();
  std::vector<uint8_t> plain(4 + image.size());
  PutUInt32(plain, 0, static_cast<uint32_t>(image.size()));
  if (!image.empty())
    std::memcpy(plain.data() + 4, image.data(), image.size());
  return plain;
}

// The image of a plain form held in memory; the size field must account
// for every byte after it.
std::vector<uint8_t> ImageOfPlainForm(const std::vector<uint8_t>& plain) {
  if (plain.size() < 4)
    throw EReadError();
  const int32_t size = static_cast<int32_t>(GetUInt32(plain.data()));
  if (size < 0 || static_cast<size_t>(size) != plain.size() - 4)
    throw EReadError();
  return std::vector<uint8_t>(plain.begin() + 4, plain.end());
}

std::vector<uint8_t> ReadCompressed(TStream& stream, const std::array<uint8_t, kHeaderSize>& header) {
  const int32_t length = static_cast<int32_t>(GetUInt32(header.data()));
  if (length < 0 || length > stream.Remaining())
    throw EReadError();
  std::vector<uint8_t> coded(static_cast<size_t>(length));
  if (length > 0)
    stream.ReadBuffer(coded.data(), length);
  return ImageOfPlainForm(lxDecodeBitmapRuns(coded));
}

std::vector<uint8_t> ReadPlain(TStream& stream) {
  uint32_t field = 0;
  if (stream.Remaining() < 4)
    throw EReadError();
  stream.ReadBuffer(&field, 4);
  const int32_t size = static_cast<int32_t>(field);
  if (size < 0 || size > stream.Remaining())
    throw EReadError();
  std::vector<uint8_t> image(static_cast<size_t>(size));
  if (size > 0)
    stream.ReadBuffer(image.data(), size);
  return image;
}

}  // namespace

std::vector<uint8_t> lxEncodeBitmapRuns(std::span<const uint8_t> data) {
  std::vector<uint8_t> coded;
  coded.reserve(data.size() + data.size() / lxMaxBitmapRun + 2);
  size_t position = 0;
  while (position < data.size()) {
    const bool repeat = position + 1 < data.size() && data[position] == data[position + 1];
    if (repeat) {
      const size_t length = RepeatLength(data, position);
      coded.push_back(static_cast<uint8_t>(length));
      coded.push_back(data[position]);
      position += length;
      continue;
    }
    const size_t length = LiteralLength(data, position);
    coded.push_back(static_cast<uint8_t>(kLiteralBit | length));
    coded.insert(coded.end(), data.begin() + static_cast<std::ptrdiff_t>(position),
                 data.begin() + static_cast<std::ptrdiff_t>(position + length));
    position += length;
  }
  return coded;
}

std::vector<uint8_t> lxDecodeBitmapRuns(std::span<const uint8_t> coded, int64_t limit) {
  std::vector<uint8_t> data;
  size_t position = 0;
  while (position < coded.size()) {
    const uint8_t control = coded[position++];
    const size_t count = control & 0x7F;
    if (static_cast<int64_t>(data.size() + count) > limit)
      throw EReadError();
    if (control & kLiteralBit) {
      const size_t available = std::min(count, coded.size() - position);
      data.insert(data.end(), coded.begin() + static_cast<std::ptrdiff_t>(position),
                  coded.begin() + static_cast<std::ptrdiff_t>(position + available));
      position += available;
    } else if (position < coded.size()) {
      data.insert(data.end(), count, coded[position++]);
    }
  }
  return data;
}

void lxWriteBitmapData(TStream& stream, std::span<const uint8_t> image, bool compress) {
  const std::vector<uint8_t> plain = PlainForm(image);
  if (!compress) {
    stream.WriteBuffer(plain.data(), static_cast<int64_t>(plain.size()));
    return;
  }
  const std::vector<uint8_t> coded = lxEncodeBitmapRuns(plain);
  if (coded.size() > static_cast<size_t>(INT32_MAX))
    throw EWriteError();
  std::vector<uint8_t> header(kHeaderSize);
  PutUInt32(header, 0, static_cast<uint32_t>(coded.size()));
  std::copy(kMark.begin(), kMark.end(), header.begin() + 4);
  header[8] = static_cast<uint8_t>(kVersion);
  header[9] = static_cast<uint8_t>(kVersion >> 8);
  stream.WriteBuffer(header.data(), kHeaderSize);
  stream.WriteBuffer(coded.data(), static_cast<int64_t>(coded.size()));
}

std::vector<uint8_t> lxReadBitmapData(TStream& stream) {
  if (stream.Remaining() >= kHeaderSize) {
    const int64_t start = stream.Position();
    std::array<uint8_t, kHeaderSize> header{};
    stream.ReadBuffer(header.data(), kHeaderSize);
    if (std::equal(kMark.begin(), kMark.end(), header.begin() + 4))
      return ReadCompressed(stream, header);
    stream.SetPosition(start);
  }
  return ReadPlain(stream);
}
