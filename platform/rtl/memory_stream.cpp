#include "platform/rtl/memory_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "platform/rtl/file_stream.h"

namespace {

// The platform's memory streams are 32-bit; a larger request comes from a
// corrupt length and fails like an exhausted heap.
constexpr int64_t kMaxMemoryStreamSize = INT32_MAX;

}  // namespace

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || position_ < 0 || position_ >= Size())
    return 0;
  const int64_t available = std::min(count, Size() - position_);
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(available));
  position_ += available;
  return available;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0 || position_ < 0)
    return 0;
  if (count > std::numeric_limits<int64_t>::max() - position_)
    return 0;
  const int64_t end = position_ + count;
  if (end > Size())
    SetSize(end);
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      position_ = offset;
      break;
    case soCurrent:
      position_ += offset;
      break;
    case soEnd:
      position_ = Size() + offset;
      break;
  }
  return position_;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0)
    size = 0;
  try {
    if (size > kMaxMemoryStreamSize)
      throw std::bad_alloc();
    data_.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
  position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const int64_t size = source.Size();
  SetSize(size);
  if (size != 0)
    source.ReadBuffer(data_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream& destination) const {
  if (!data_.empty())
    destination.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TMemoryStream::SaveToFile(const std::string& file_name) const {
  TFileStream file(file_name, fmCreate);
  SaveToStream(file);
}
