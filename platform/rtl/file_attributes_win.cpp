#include <windows.h>

#include "platform/rtl/file_attributes.h"
#include "platform/rtl/text.h"

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string utf16 = Utf8ToUtf16(utf8);
  return std::wstring(utf16.begin(), utf16.end());
}

}  // namespace

bool FileIsReadOnly(const std::string& file_name) {
  const DWORD attributes = GetFileAttributesW(Wide(file_name).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool SetFileReadOnly(const std::string& file_name, bool read_only) {
  const std::wstring wide = Wide(file_name);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return false;
  attributes = read_only ? attributes | FILE_ATTRIBUTE_READONLY : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
  // FILE_ATTRIBUTE_NORMAL stands for "none" and must be given alone.
  return SetFileAttributesW(wide.c_str(), attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes) != 0;
}
