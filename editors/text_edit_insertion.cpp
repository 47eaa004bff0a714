#include "editors/text_edit_insertion.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// At most `room` units of `text`, never ending inside a surrogate pair.
std::u16string_view FittingPart(std::u16string_view text, size_t room) {
  if (text.size() <= room)
    return text;
  size_t length = room;
  if (length > 0 && IsHighSurrogate(text[length - 1]))
    --length;
  return text.substr(0, length);
}

}  // namespace

bool lxPrepareTextInsertion(const TlxTextInsertionRequest& request, std::u16string& new_text,
                            int32_t& new_sel_start) {
  new_text.clear();
  const std::u16string_view inserted = request.Inserted.substr(0, request.Inserted.find(u'\0'));
  const TlxTextEditingStyle style = request.EditingStyle;
  if (request.UserInput && style == tesNoEditing)
    return false;
  const size_t length = request.Text.size();
  size_t start = std::min(static_cast<size_t>(std::max(request.SelStart, 0)), length);
  size_t end = std::min(start + static_cast<size_t>(std::max(request.SelLength, 0)), length);
  if (style == tesFixedList || style == tesNoEditing) {
    start = 0;
    end = length;
  }
  const std::u16string_view before = request.Text.substr(0, start);
  const std::u16string_view after = request.Text.substr(end);
  const bool limited =
      request.UserInput && (style == tesFreeText || style == tesNoEditing) && request.MaxLength > 0;
  if (limited) {
    const size_t kept = before.size() + after.size();
    const size_t max_length = static_cast<size_t>(request.MaxLength);
    if (kept >= max_length && !inserted.empty())
      return false;
    const std::u16string_view fitting = FittingPart(inserted, max_length > kept ? max_length - kept : 0);
    if (fitting.empty() && !inserted.empty())
      return false;
    new_text.reserve(kept + fitting.size());
    new_text.append(before).append(fitting).append(after);
    new_sel_start = static_cast<int32_t>(before.size() + fitting.size());
    return true;
  }
  if (style == tesFixedList) {
    new_text.assign(inserted);
  } else {
    new_text.reserve(before.size() + inserted.size() + after.size());
    new_text.append(before).append(inserted).append(after);
  }
  new_sel_start = static_cast<int32_t>(before.size() + inserted.size());
  return true;
}
