#pragma once
// The optional six-byte text-format mark at the start of a stored stream:
// "LXUFMT" says that the strings which follow are stored wide (UTF-16),
// "LXAFMT" that they are 8-bit. Readers accept a mark; nothing writes one.

#include <cstdint>

#include "platform/rtl/stream.h"

// Looks for a mark at the stream's position. After a mark the position
// stays behind it; otherwise it is unchanged. True for the wide mark. The
// mark is looked for only when more than six bytes remain. Read errors of
// the stream pass on.
bool lxReadStreamTextFormatMark(TStream& stream);

// A stream wrapper that reads the mark on construction and then forwards
// every operation to the wrapped stream, which it does not own.
class TlxStream : public TStream {
 public:
  static constexpr TClass kClass{"TlxStream", &TStream::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxStream(TStream& stream);

  bool IsWideText() const { return is_wide_text_; }
  TStream& WrappedStream() const { return stream_; }

  int64_t Read(void* buffer, int64_t count) override { return stream_.Read(buffer, count); }
  int64_t Write(const void* buffer, int64_t count) override { return stream_.Write(buffer, count); }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override { return stream_.Seek(offset, origin); }
  int64_t Size() override { return stream_.Size(); }

 private:
  TStream& stream_;
  bool is_wide_text_;
};
