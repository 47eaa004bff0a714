#include "editors/mask_mode_standard.h"

#include <algorithm>

#include "editors/mask_edit_properties.h"

const TlxMaskModeClass TlxMaskEditStandardMode::kModeClass{
    "TlxMaskEditStandardMode",
    [](IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties) -> std::unique_ptr<TlxMaskEditCustomMode> {
      return std::make_unique<TlxMaskEditStandardMode>(edit, properties);
    }};

bool TlxMaskEditStandardMode::IsLiteralAt(int32_t position) const {
  return position >= 0 && position < mask_.GetCount() && !mask_.GetItem(position).IsEditable();
}

int32_t TlxMaskEditStandardMode::TextLength() const {
  return static_cast<int32_t>(Edit()->DisplayText().size());
}

void TlxMaskEditStandardMode::PlaceCaret(int32_t position) {
  Edit()->SetSelStartGuarded(position);
  Edit()->SetSelLengthGuarded(0);
  UpdateCaretSelection();
}

char16_t TlxMaskEditStandardMode::GetBlankChar(int32_t /*position*/) const { return mask_.Blank(); }

void TlxMaskEditStandardMode::CompileMask(const std::string& mask) {
  SetEditMask(mask);
  if (lxIsBlankMask(mask)) {
    mask_.Clear();
    return;
  }
  mask_.Compile(mask);
  if (Edit() == nullptr)
    SetNeedUpdateEditValue(true);
}

std::u16string TlxMaskEditStandardMode::FormatTextForEditing(std::u16string_view text, bool text_holds_literals) {
  std::u16string result(text);
  mask_.Format(result, true, text_holds_literals);
  return result;
}

std::u16string TlxMaskEditStandardMode::FormatTextForDisplay(std::u16string_view text, bool text_holds_literals) {
  std::u16string result(text);
  if (mask_.GetCount() == 0)
    return result;
  mask_.Format(result, GetActiveProperties()->CharCase() == ecNormal, text_holds_literals);
  mask_.GetValueText(result);
  return result;
}

bool TlxMaskEditStandardMode::IsCaretAtStart() {
  int32_t leading_literals = 0;
  while (IsLiteralAt(leading_literals))
    ++leading_literals;
  const int32_t start = Edit()->SelStart();
  return start <= leading_literals && (Edit()->SelLength() < 2 || Edit()->CaretPosition() == start);
}

bool TlxMaskEditStandardMode::IsCaretAtEnd() { return Edit()->SelStart() == TextLength(); }

bool TlxMaskEditStandardMode::IsFullMatch(std::u16string_view text) {
  scratch_.assign(text);
  if (mask_.IsFullMatch(scratch_))
    return true;
  return GetActiveProperties()->IgnoreMaskBlank() && text == FormatTextForEditing(u"", false);
}

void TlxMaskEditStandardMode::UpdateCaretSelection() {
  if (HasEdit() && mask_.GetCount() > 0 && Edit()->SelLength() == 0)
    Edit()->SetSelLengthGuarded(1);
}

void TlxMaskEditStandardMode::BeforeClipboardPaste() {
  paste_start_ = Edit()->SelStart();
  Edit()->SetSelStartGuarded(paste_start_);
  Edit()->SetSelLengthGuarded(ClipboardTextLength());
}

void TlxMaskEditStandardMode::AfterClipboardPaste() {
  int32_t caret = paste_start_ + ClipboardTextLength();
  caret = std::max(std::min(caret, TextLength() - 1), 0);
  PlaceCaret(caret);
  if (IsLiteralAt(caret)) {
    Edit()->SetShiftFlag(false);
    ProcessRight();
  }
}

bool TlxMaskEditStandardMode::ProcessBackspace() {
  if (Edit()->SelLength() <= 1)
    ProcessLeft();
  ProcessDelete();
  return false;
}

bool TlxMaskEditStandardMode::ProcessDelete() {
  const int32_t start = Edit()->SelStart();
  const int32_t end = start + Edit()->SelLength();
  std::u16string& text = scratch_;
  text = Edit()->DisplayText();
  const int32_t length = static_cast<int32_t>(text.size());
  for (int32_t i = start; i < end && i < length; ++i) {
    if (i >= mask_.GetCount() || !mask_.GetItem(i).IsEditable())
      continue;
    const char16_t blank = GetBlankChar(i + 1);
    if (blank != 0)
      text[static_cast<size_t>(i)] = blank;
  }
  Edit()->PutDisplayText(text);
  PlaceCaret(start);
  return false;
}

bool TlxMaskEditStandardMode::ProcessHome() {
  if (Edit()->ShiftFlag())
    return true;
  PlaceCaret(0);
  if (IsLiteralAt(0))
    ProcessRight();
  return false;
}

bool TlxMaskEditStandardMode::ProcessEnd() {
  if (Edit()->ShiftFlag())
    return true;
  PlaceCaret(TextLength());
  return false;
}

bool TlxMaskEditStandardMode::ProcessLeft() {
  IlxMaskModeEdit& edit = *Edit();
  const int32_t start = edit.SelStart();
  const int32_t selected = edit.SelLength();
  const int32_t length = TextLength();
  if (edit.ShiftFlag()) {
    // The edit's own selection has to grow from the right edge of the block.
    if (selected == 1) {
      edit.SetSelStartGuarded(start + 1);
      edit.SetSelLengthGuarded(0);
      edit.SendKeyDown(kLxMaskKeyLeft);
      edit.SendKeyDown(kLxMaskKeyLeft);
    }
    return true;
  }
  if (selected >= 2) {
    const bool reaches_end = start + selected >= length;
    const int32_t last = reaches_end ? length - 1 : start + selected;
    for (int32_t i = start; i <= last; ++i) {
      if (!IsLiteralAt(i)) {
        PlaceCaret(i);
        return false;
      }
    }
    PlaceCaret(reaches_end ? length : start);
    return false;
  }
  int32_t before = start;
  while (before > 0 && IsLiteralAt(before - 1))
    --before;
  PlaceCaret(before > 0 ? before - 1 : start);
  return false;
}

bool TlxMaskEditStandardMode::ProcessRight() {
  IlxMaskModeEdit& edit = *Edit();
  const int32_t start = edit.SelStart();
  const int32_t selected = edit.SelLength();
  const int32_t length = TextLength();
  if (edit.ShiftFlag()) {
    if (selected == 1 && edit.CaretPosition() == start) {
      edit.SetSelStartGuarded(start);
      edit.SetSelLengthGuarded(0);
    }
    return true;
  }
  if (selected < 2) {
    int32_t next = start + 1;
    while (next < length && IsLiteralAt(next))
      ++next;
    PlaceCaret(next <= length ? next : start);
    return false;
  }
  const int32_t end = start + selected;
  if (end >= length) {
    PlaceCaret(length);
    return false;
  }
  for (int32_t i = end - 1; i >= start; --i) {
    if (!IsLiteralAt(i)) {
      PlaceCaret(i);
      return false;
    }
  }
  PlaceCaret(end - 1);
  return false;
}

bool TlxMaskEditStandardMode::ProcessChar(char16_t& c) {
  IlxMaskModeEdit& edit = *Edit();
  const int32_t length = TextLength();
  const int32_t caret = edit.SelStart();
  if (length == 0 || caret >= length || caret >= mask_.GetCount())
    return false;
  if (IsLiteralAt(caret)) {
    edit.SetShiftFlag(false);
    if (edit.SelLength() > 1)
      ProcessDelete();
    const int32_t before = edit.SelStart();
    ProcessRight();
    if (edit.SelStart() > before)
      return ProcessChar(c);
    return false;
  }
  char16_t typed = c;
  if (!mask_.GetItem(caret).Check(typed) || !edit.IsCharAllowedAt(typed, caret + 1))
    return false;
  c = typed;
  if (c == 0) {
    Beep();
  } else {
    if (edit.SelLength() > 1)
      ProcessDelete();
    edit.PutDisplayChar(caret, c);
    PlaceCaret(caret);
  }
  edit.SetShiftFlag(false);
  ProcessRight();
  return false;
}

void TlxMaskEditStandardMode::RefreshDisplayValue() {
  TlxMaskEditCustomMode::RefreshDisplayValue();
  UpdateCaretSelection();
}

void TlxMaskEditStandardMode::UpdateEditValueIfNeeded() {
  if (!NeedUpdateEditValue())
    return;
  if (Edit() != nullptr)
    Edit()->SetEditValueUnlocked(Variant(mask_.GetEmptyValueText()));
  SetNeedUpdateEditValue(false);
}
