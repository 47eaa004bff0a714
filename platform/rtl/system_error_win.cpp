#include <windows.h>

#include "platform/rtl/system_error.h"
#include "platform/rtl/text.h"

std::string SystemErrorText(int32_t code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text;
  if (length != 0 && buffer != nullptr)
    text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= u' ' || text.back() == u'.'))
    text.pop_back();
  return Utf16ToUtf8(text);
}

int32_t LastSystemError() { return static_cast<int32_t>(GetLastError()); }
