#include "platform/rtl/string_stream.h"

#include <algorithm>

TStringStream::TStringStream(std::string_view text) {
  WriteString(text);
  SetPosition(0);
}

std::string TStringStream::DataString() const {
  return std::string(reinterpret_cast<const char*>(Memory()), Bytes().size());
}

std::string TStringStream::ReadString(int64_t count) {
  std::string text(static_cast<size_t>(std::clamp<int64_t>(count, 0, Remaining())), '\0');
  text.resize(static_cast<size_t>(Read(text.data(), static_cast<int64_t>(text.size()))));
  return text;
}

void TStringStream::WriteString(std::string_view text) { WriteBuffer(text.data(), static_cast<int64_t>(text.size())); }
