#include "tests/support/drop_handle.h"

#include <shlobj.h>

#include <cstring>

#include "platform/rtl/text.h"

namespace test_support {

HDROP MakeDropHandle(const std::vector<std::string>& names) {
  std::u16string packed;
  for (const std::string& name : names) {
    packed += Utf8ToUtf16(name);
    packed += u'\0';
  }
  packed += u'\0';
  const size_t bytes = sizeof(DROPFILES) + packed.size() * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GHND, bytes);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), packed.data(),
              packed.size() * sizeof(char16_t));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace test_support
