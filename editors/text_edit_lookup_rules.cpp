#include "editors/text_edit_lookup_rules.h"

#include "platform/rtl/text.h"

int32_t lxLookupMoveTarget(TlxLookupMoveDirection direction, int32_t start, int32_t count, int32_t page,
                           bool cycle) {
  if (count <= 0)
    return -1;
  switch (direction) {
    case lmdFirst:
      return 0;
    case lmdLast:
      return count - 1;
    case lmdNext:
      if (start + 1 >= count)
        return cycle ? 0 : start;
      return start + 1;
    case lmdPrior:
      if (start - 1 < 0)
        return cycle ? count - 1 : start;
      return start - 1;
    case lmdPageUp: {
      if (start == -1)
        return cycle ? count - 1 : -1;
      const int32_t target = start - page + 1;
      if (target >= 0)
        return target;
      return cycle && start == 0 ? count - 1 : 0;
    }
    case lmdPageDown: {
      const int32_t target = start == -1 ? page - 1 : start + page - 1;
      if (target < count)
        return target;
      return cycle && start == count - 1 ? 0 : count - 1;
    }
  }
  return start;
}

int32_t lxLocateLookupPrefix(const TlxLookupItemText& item_text, int32_t count, int32_t from, std::string& text,
                             std::string& tail) {
  if (text.empty() || count <= 0)
    return -1;
  const size_t length = Utf8ToUtf16(text).size();
  for (int32_t i = from < 0 ? 0 : from; i < count; ++i) {
    const std::u16string item = Utf8ToUtf16(item_text(i));
    if (item.size() < length)
      continue;
    const std::string head = Utf16ToUtf8(std::u16string_view(item).substr(0, length));
    if (!AnsiSameText(head, text))
      continue;
    text = head;
    tail = Utf16ToUtf8(std::u16string_view(item).substr(length));
    return i;
  }
  return -1;
}

int32_t lxIndexOfLookupText(const TlxLookupItemText& item_text, int32_t count, const std::string& text) {
  for (int32_t i = 0; i < count; ++i)
    if (AnsiSameText(item_text(i), text))
      return i;
  return -1;
}

bool lxLookupMissClearsKey(TlxTextEditingStyle style, bool exact, bool text_empty) {
  switch (style) {
    case tesFreeText:
    case tesNoEditing:
      return true;
    case tesListText:
      return exact || text_empty;
    case tesFixedList:
      return exact;
  }
  return true;
}
