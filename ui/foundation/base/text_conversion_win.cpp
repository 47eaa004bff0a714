#include <windows.h>

#include <string>

#include "platform/rtl/exceptions.h"
#include "ui/foundation/base/text_conversion.h"

std::u16string lxDecodeCodePage(std::string_view text, uint32_t code_page) {
  if (text.size() > static_cast<size_t>(INT32_MAX))
    throw EConvertError("Text too long to convert");
  const int byte_count = static_cast<int>(text.size());
  // The first call learns the length, the second converts.
  const int length = MultiByteToWideChar(code_page, 0, text.data(), byte_count, nullptr, 0);
  if (length <= 0)
    throw EConvertError("Code page " + std::to_string(code_page) + " is not supported");
  std::u16string wide(static_cast<size_t>(length), u'\0');
  const int written = MultiByteToWideChar(code_page, MB_PRECOMPOSED, text.data(), byte_count,
                                          reinterpret_cast<LPWSTR>(wide.data()), length);
  if (written <= 0)
    throw EConvertError("Code page " + std::to_string(code_page) + " is not supported");
  wide.resize(static_cast<size_t>(written));
  return wide;
}
