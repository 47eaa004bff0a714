#include "net/buffer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "net/exceptions.h"
#include "platform/rtl/stream.h"

namespace {

constexpr int64_t kMaximumSize = std::numeric_limits<int32_t>::max();

}  // namespace

TNsBuffer::TNsBuffer(TRemovalCallback on_removal) : on_removal_(std::move(on_removal)) {}

TNsBuffer::~TNsBuffer() { Clear(); }

void TNsBuffer::SetDefaultEncoding(TNsTextEncoding encoding) {
  if (encoding == kNsEncodingDefault)
    throw ENsNoEncodingSpecified();
  default_encoding_ = encoding;
}

void TNsBuffer::Clear() {
  TNsBytes().swap(storage_);
  head_ = 0;
  size_ = 0;
}

void TNsBuffer::Append(const TNsBytes& bytes, int64_t count, int64_t offset) {
  const int64_t available = AvailableCount(bytes, count, offset);
  if (available <= 0)
    return;
  Append(bytes.data() + offset, static_cast<size_t>(available));
}

void TNsBuffer::Append(const uint8_t* bytes, size_t count) {
  if (count == 0)
    return;
  if (static_cast<uint64_t>(count) > static_cast<uint64_t>(kMaximumSize - size_))
    throw ENsTooMuchDataInBuffer();
  const auto n = static_cast<int32_t>(count);
  if (size_ == 0) {
    // An empty buffer takes the block exactly, without spare room: a reply
    // that is read at once never pays for growth.
    storage_.assign(bytes, bytes + count);
    head_ = 0;
    size_ = n;
    return;
  }
  CompactStorage(false);
  if (StorageLength() - size_ < n) {
    const int64_t capacity = std::min<int64_t>(int64_t{n} + size_ + kGrowthStep, kMaximumSize);
    storage_.resize(static_cast<size_t>(capacity));
  }
  std::memcpy(storage_.data() + size_, bytes, count);
  size_ += n;
}

void TNsBuffer::AppendText(std::string_view text, TNsTextEncoding encoding) {
  Append(TextToBytes(text, EffectiveEncoding(encoding, default_encoding_)));
}

void TNsBuffer::CheckRemovable(int64_t count) const {
  if (count > size_)
    throw ENsNotEnoughDataInBuffer(count, size_);
}

void TNsBuffer::MoveToBytes(TNsBytes& bytes, int64_t count, bool append) {
  if (count < 0)
    count = size_;
  if (count < 1)
    return;
  CheckRemovable(count);
  const auto n = static_cast<size_t>(count);
  size_t destination = 0;
  if (append) {
    destination = bytes.size();
    bytes.resize(bytes.size() + n);
  } else if (bytes.size() < n) {
    bytes.resize(n);
  }
  std::memcpy(bytes.data() + destination, Data(), n);
  DropHead(static_cast<int32_t>(count));
}

void TNsBuffer::MoveToStream(TStream& stream, int64_t count) {
  if (count < 0)
    count = size_;
  CompactStorage(true);
  CheckRemovable(count);
  if (count < 1)
    return;
  stream.WriteBuffer(Data(), count);
  DropHead(static_cast<int32_t>(count));
}

std::string TNsBuffer::MoveToText(int64_t count, TNsTextEncoding encoding) {
  if (count < 0)
    count = size_;
  if (count < 1)
    return {};
  const TNsTextEncoding effective = EffectiveEncoding(encoding, default_encoding_);
  CheckRemovable(count);
  // Converted before the bytes leave, so that broken text removes nothing.
  std::string text = BytesToText(Data(), static_cast<size_t>(count), effective);
  DropHead(static_cast<int32_t>(count));
  return text;
}

int32_t TNsBuffer::IndexOf(const TNsBytes& pattern, int32_t start) const {
  if (size_ == 0)
    return -1;
  if (pattern.empty())
    throw ENsException("Buffer terminator must be specified.");
  if (start < 0 || start >= size_)
    throw ENsException("Buffer start position is invalid.");
  const uint8_t* first = Data() + start;
  const uint8_t* last = Data() + size_;
  const uint8_t* found = std::search(first, last, pattern.begin(), pattern.end());
  return found == last ? -1 : static_cast<int32_t>(found - Data());
}

int32_t TNsBuffer::IndexOf(std::string_view text, int32_t start, TNsTextEncoding encoding) const {
  return IndexOf(TextToBytes(text, EffectiveEncoding(encoding, default_encoding_)), start);
}

void TNsBuffer::DropHead(int32_t count) {
  if (count <= 0)
    return;
  int32_t removed = count;
  if (count < size_) {
    head_ += count;
    size_ -= count;
    if (head_ > kGrowthStep)
      CompactStorage(true);
  } else {
    removed = size_;
    Clear();
  }
  if (on_removal_)
    on_removal_(*this, removed);
}

void TNsBuffer::CompactStorage(bool allow_shrinking) {
  if (head_ == 0)
    return;
  std::memmove(storage_.data(), storage_.data() + head_, static_cast<size_t>(size_));
  head_ = 0;
  if (allow_shrinking && StorageLength() - size_ > kGrowthStep) {
    storage_.resize(static_cast<size_t>(size_) + kGrowthStep);
    storage_.shrink_to_fit();
  }
}
