#pragma once
// TStringStream: a memory stream whose content is read and written as text.

#include <string>
#include <string_view>

#include "platform/rtl/memory_stream.h"

class TStringStream : public TMemoryStream {
 public:
  static constexpr TClass kClass{"TStringStream", &TMemoryStream::kClass, &ConstructInstance<TStringStream>};
  const TClass* ClassType() const override { return &kClass; }

  TStringStream() = default;
  // Starts with `text`, positioned at its start.
  explicit TStringStream(std::string_view text);

  std::string DataString() const;
  // Up to `count` bytes from the position.
  std::string ReadString(int64_t count);
  void WriteString(std::string_view text);
};
