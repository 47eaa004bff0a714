#include "editors/kinds/inner_memo_text.h"

std::u16string lxNormalizeMemoLineBreaks(std::u16string_view text) {
  std::u16string result;
  result.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const bool pair = i + 1 < text.size();
    if (pair && text[i] == u'\n' && text[i + 1] == u'\r') {
      result += u"\r\n\r\n";
      i += 2;
    } else if (pair && text[i] == u'\r' && text[i + 1] == u'\n') {
      result += u"\r\n";
      i += 2;
    } else {
      result += text[i];
      ++i;
    }
  }
  return result;
}
