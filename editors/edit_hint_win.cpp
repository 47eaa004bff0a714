// TlxCustomEdit: the hint of the part under the cursor.

#include "editors/edit_control_win.h"

void TlxCustomEdit::GetButtonHint(int32_t button_index, std::string& hint) {
  hint.clear();
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  const TlxEditButtons& buttons = *GetActiveProperties()->Buttons();
  if (button_index >= 0 && button_index < view_info.ButtonCount()) {
    const int32_t index = view_info.Button(button_index).ButtonIndex;
    if (index >= 0 && index < buttons.Count())
      hint = buttons.GetButton(index)->Hint();
  }
  if (hint.empty() && ShowHint())
    hint = Hint();
}

bool TlxCustomEdit::HandleHintShow(TlxEditHintInfo& info) {
  const TlxCustomEditViewInfo& view_info = GetViewInfo();
  const int32_t part = lxGetEditHitPart(info.CursorPos, view_info);
  if (part == -2)
    return false;
  std::string hint;
  GetButtonHint(part, hint);
  // The text after "|" is the long hint, for a status bar.
  if (const size_t bar = hint.find('|'); bar != std::string::npos)
    hint.resize(bar);
  info.HintStr = hint;
  info.CursorRect = lxGetEditPartBounds(view_info, part);
  return true;
}
