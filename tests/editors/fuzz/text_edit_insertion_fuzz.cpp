// Insertions into a text editor's text: any text, selection, inserted
// text, editing style and maximum length. An accepted typed insertion
// keeps the text before and after the selection as it was, never passes
// the limit of a free-text editor unless the kept text already did, and
// puts the caret inside the new text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editors/text_edit_insertion.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 6)
    return 0;
  const auto style = static_cast<TlxTextEditingStyle>(data[0] % 4);
  const int32_t max_length = data[1] % 16;
  const bool user_input = (data[2] & 1) != 0;
  const int32_t sel_start = data[3] % 24;
  const int32_t sel_length = data[4] % 24;
  // The rest in UTF-16 units, split at the first unit 0xFFFF.
  std::u16string units;
  for (size_t i = 5; i + 1 < size; i += 2)
    units += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  const size_t split = units.find(u'\xFFFF');
  const std::u16string text = units.substr(0, split);
  const std::u16string inserted = split == std::u16string::npos ? std::u16string() : units.substr(split + 1);

  TlxTextInsertionRequest request{text, sel_start, sel_length, inserted, style, max_length, user_input};
  std::u16string new_text;
  int32_t caret = -1;
  if (!lxPrepareTextInsertion(request, new_text, caret))
    return 0;
  if (caret < 0 || static_cast<size_t>(caret) > new_text.size())
    Fail("caret outside the new text");
  if (style == tesFixedList || style == tesNoEditing)
    return 0;
  const size_t start = std::min(static_cast<size_t>(sel_start), text.size());
  const size_t end = std::min(start + static_cast<size_t>(sel_length), text.size());
  if (new_text.compare(0, start, text, 0, start) != 0)
    Fail("the text before the selection changed");
  const size_t after = text.size() - end;
  if (new_text.size() < after || new_text.compare(new_text.size() - after, after, text, end, after) != 0)
    Fail("the text after the selection changed");
  const size_t kept = start + after;
  if (user_input && style == tesFreeText && max_length > 0 && new_text.size() > static_cast<size_t>(max_length) && new_text.size() > kept)
    Fail("the limit was passed");
  return 0;
}
