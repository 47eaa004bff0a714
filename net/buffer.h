#pragma once
// TNsBuffer: a first-in first-out byte queue. Bytes are appended at the tail
// and removed from the head; removal only moves a head index, and the
// consumed prefix is squeezed out once it passes the growth step, so that
// many small reads from a large block stay cheap.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "net/bytes.h"
#include "net/stack_reference.h"
#include "net/text_encoding.h"

class TStream;

class TNsBuffer {
 public:
  // Told after every removal from the head, with the number of bytes.
  using TRemovalCallback = std::function<void(TNsBuffer& buffer, int32_t count)>;

  // Extra room added when the storage grows; also the largest consumed
  // prefix or spare room tolerated before the storage is compacted.
  static constexpr int32_t kGrowthStep = 2048;

  explicit TNsBuffer(TRemovalCallback on_removal = {});
  TNsBuffer(const TNsBuffer&) = delete;
  TNsBuffer& operator=(const TNsBuffer&) = delete;
  ~TNsBuffer();

  // Number of unread bytes.
  int32_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }
  // Length of the storage array (the capacity).
  int32_t StorageLength() const { return static_cast<int32_t>(storage_.size()); }
  int32_t HeadIndex() const { return head_; }

  TNsTextEncoding DefaultEncoding() const { return default_encoding_; }
  // Raises ENsNoEncodingSpecified for 0.
  void SetDefaultEncoding(TNsTextEncoding encoding);

  // Forgets every byte and releases the storage.
  void Clear();

  // Appends `count` bytes of `bytes` from `offset` (-1 = all of them).
  // Raises ENsTooMuchDataInBuffer when the buffer would pass 2^31 - 1 bytes;
  // the buffer is unchanged then.
  void Append(const TNsBytes& bytes, int64_t count = -1, int64_t offset = 0);
  void Append(const uint8_t* bytes, size_t count);
  void AppendText(std::string_view text, TNsTextEncoding encoding = kNsEncodingDefault);

  // Remove `count` bytes from the head (-1 = all). Raise
  // ENsNotEnoughDataInBuffer, removing nothing, when fewer are buffered.
  // With `append` the bytes go behind the array's end; without it to its
  // start, growing a shorter array and leaving a longer one's tail.
  void MoveToBytes(TNsBytes& bytes, int64_t count = -1, bool append = true);
  void MoveToStream(TStream& stream, int64_t count = -1);
  std::string MoveToText(int64_t count = -1, TNsTextEncoding encoding = kNsEncodingDefault);

  // Head-relative index of the first occurrence at or after `start`, or -1.
  // Returns -1 at once for an empty buffer; otherwise raises ENsException
  // for an empty pattern ("Buffer terminator must be specified.") and a
  // start outside the unread bytes ("Buffer start position is invalid.").
  int32_t IndexOf(const TNsBytes& pattern, int32_t start = 0) const;
  int32_t IndexOf(std::string_view text, int32_t start = 0, TNsTextEncoding encoding = kNsEncodingDefault) const;

  // Drops `count` bytes from the head (all of them when count >= Size).
  void DropHead(int32_t count);
  // Moves the unread bytes to the start of the storage; with
  // `allow_shrinking` also gives back spare room beyond the growth step.
  void CompactStorage(bool allow_shrinking);

  // The unread bytes, without removing them.
  const uint8_t* Data() const { return storage_.data() + head_; }

 private:
  void CheckRemovable(int64_t count) const;

  TNsStackReference stack_;
  TNsBytes storage_;
  TNsTextEncoding default_encoding_ = kNsEncoding8Bit;
  int32_t head_ = 0;
  TRemovalCallback on_removal_;
  int32_t size_ = 0;
};
