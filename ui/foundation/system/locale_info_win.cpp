#include "ui/foundation/system/locale_info_win.h"

#include <windows.h>

std::string lxGetLocaleInfoStr(uint32_t locale, uint32_t item, const std::string& fallback) {
  const int length = GetLocaleInfoA(locale, item, nullptr, 0);
  if (length <= 0)
    return fallback;
  std::string text(static_cast<size_t>(length), '\0');
  const int written = GetLocaleInfoA(locale, item, text.data(), length);
  if (written <= 0)
    return fallback;
  // The count includes the terminating zero.
  text.resize(static_cast<size_t>(written - 1));
  return text;
}
