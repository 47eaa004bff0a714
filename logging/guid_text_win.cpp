#include <windows.h>
#include <objbase.h>

#include "logging/guid_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"

std::string LogWireNewGuidText() {
  GUID guid{};
  if (FAILED(CoCreateGuid(&guid)))
    throw EOSError(static_cast<uint32_t>(GetLastError()), "CoCreateGuid failed");
  wchar_t text[256] = {};
  const int length = StringFromGUID2(guid, text, 256);
  if (length <= 1)
    throw EOSError(0, "StringFromGUID2 failed");
  // The length counts the terminating zero.
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), static_cast<size_t>(length - 1)));
}
