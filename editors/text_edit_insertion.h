#pragma once
// The text an insertion into a text editor produces: typed characters and
// pasted text replace the selection, and a maximum length counts UTF-16
// units as the system's edit does. What fits beside the kept text goes in;
// when nothing fits the insertion is refused, and the text after the caret
// is never cut away to make room.

#include <cstdint>
#include <string>
#include <string_view>

#include "editors/text_edit_properties.h"

struct TlxTextInsertionRequest {
  std::u16string_view Text;      // the editor's text
  int32_t SelStart = 0;          // clamped into the text
  int32_t SelLength = 0;
  std::u16string_view Inserted;  // taken up to its first #0
  TlxTextEditingStyle EditingStyle = tesFreeText;
  int32_t MaxLength = 0;         // 0: no limit
  bool UserInput = false;
};

// False when the insertion is refused; otherwise the new text and where
// the caret goes. The properties' acceptance of the new text is the
// caller's second step.
bool lxPrepareTextInsertion(const TlxTextInsertionRequest& request, std::u16string& new_text,
                            int32_t& new_sel_start);
