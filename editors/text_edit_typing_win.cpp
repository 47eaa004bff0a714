// TlxCustomTextEdit: keys, typed characters, completion from the lookup
// items, the wheel, and the clipboard commands. Typed, pasted and replaced
// text all pass the same checks (editing style, MaxLength in UTF-16 units,
// the properties' acceptance) before the inner edit sees them.

#include "editors/text_edit_control_win.h"

#include "editors/text_edit_insertion.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/clipboard.h"

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;
constexpr char16_t kEsc = 27;

bool IsPrintable(char16_t c) { return c > 31; }

bool ClipboardHasText() {
  return Clipboard()->HasFormat(CF_UNICODETEXT) || Clipboard()->HasFormat(CF_TEXT);
}

// The last character of `text` removed (a whole surrogate pair).
void DropLastCharacter(std::string& text) {
  std::u16string wide = Utf8ToUtf16(text);
  if (wide.empty())
    return;
  wide.pop_back();
  if (!wide.empty() && wide.back() >= 0xD800 && wide.back() <= 0xDBFF)
    wide.pop_back();
  text = Utf16ToUtf8(wide);
}

}  // namespace

// --- which keys edit ----------------------------------------------------------------

bool TlxCustomTextEdit::IsEditingKey(uint16_t key, TShiftState shift) {
  bool result = TlxCustomEdit::IsEditingKey(key, shift) || key == VK_DELETE;
  if (lookup_data_ != nullptr && !lookup_data_->IsEmpty() && AllowsLookupScrolling(false)) {
    if (key == VK_PRIOR || key == VK_NEXT)
      result = !IsPopupOpen();
    else if (key == VK_UP || key == VK_DOWN)
      result = !IsPopupOpen() && !shift.Contains(ssAlt);
  }
  return result;
}

bool TlxCustomTextEdit::IsEditingChar(char16_t ch) {
  return ch == kBackspace || ch == kCtrlV || ch == kCtrlX || IsPrintable(ch);
}

// --- stepping through the items -------------------------------------------------------

void TlxCustomTextEdit::StepLookupItem(TlxLookupMoveDirection direction) {
  LockChangeEvents(true);
  TScopeExit unlock_changes([this] { LockChangeEvents(false); });
  TStateScope<bool> navigating(lookup_navigating_, true);
  Variant old_key;
  lookup_data_->GetCurrentKey(old_key);
  {
    LockClick(true);
    TScopeExit unlock_click([this] { LockClick(false); });
    // The editor itself changes the item: the text follows it.
    BeginLookupChange();
    TScopeExit end_change([this] { EndLookupChange(); });
    lookup_data_->MoveCurrentItem(direction, false);
  }
  Variant new_key;
  lookup_data_->GetCurrentKey(new_key);
  if (lxEditValuesEqual(old_key, new_key))
    return;
  SetModifiedByUser();
  if (CanPostEditValue() && ActiveProperties()->ImmediatePost() && ValidateEdit(true))
    PostEditValue(false);
}

bool TlxCustomTextEdit::HandleMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  if (TlxCustomEdit::DoMouseWheel(shift, wheel_delta, mouse_pos))
    return true;
  if (!AllowsLookupScrolling(true) || IsPopupOpen() || lookup_data_ == nullptr || lookup_data_->IsEmpty() ||
      !AllowsMouseWheel(shift))
    return false;
  if (TryStartEditing())
    StepLookupItem(wheel_delta > 0 ? lmdPrior : lmdNext);
  return true;
}

bool TlxCustomTextEdit::DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) {
  return HandleMouseWheel(shift, wheel_delta, mouse_pos);
}

// --- key down -----------------------------------------------------------------------------

void TlxCustomTextEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  const TlxTextEditingStyle style = EditingStyle();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (style == tesFixedList && !IsClearOrClickKey(key, shift) &&
      (key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE)) {
    SetLookupTextMode(false);
    FireAfterKeyDown(key, shift);
    key = 0;
    return;
  }
  if (inner != nullptr)
    inner->SetKeyConsumed(true);
  const uint16_t pressed = key;
  const bool was_completed = completed_by_lookup_;
  TAliveToken alive = AliveToken();
  TlxCustomEdit::ProcessEditKeyDown(key, shift);
  if (!alive.Alive())
    return;
  if (pressed == VK_RETURN && was_completed)
    SelectAll();
  if (key != 0) {
    const bool has_lookup = lookup_data_ != nullptr && AllowsLookupScrolling(false) && !lookup_data_->IsEmpty();
    switch (key) {
      case VK_LEFT:
      case VK_RIGHT:
        if (!shift.Contains(ssShift) && inner != nullptr && inner->GetSelLength() > 0) {
          const int32_t start = inner->GetSelStart();
          inner->SetSelStart(key == VK_RIGHT ? start + inner->GetSelLength() : start);
          inner->SetSelLength(0);
          key = 0;
        }
        SetLookupTextMode(false);
        break;
      case VK_HOME:
      case VK_END:
        if (style != tesFixedList)
          break;
        [[fallthrough]];
      case VK_PRIOR:
      case VK_NEXT:
      case VK_UP:
      case VK_DOWN:
        if (has_lookup) {
          TlxLookupMoveDirection direction = lmdNext;
          switch (key) {
            case VK_PRIOR:
              direction = shift.Contains(ssCtrl) ? lmdFirst : lmdPageUp;
              break;
            case VK_NEXT:
              direction = shift.Contains(ssCtrl) ? lmdLast : lmdPageDown;
              break;
            case VK_HOME:
              direction = lmdFirst;
              break;
            case VK_END:
              direction = lmdLast;
              break;
            case VK_UP:
              direction = lmdPrior;
              break;
            default:
              break;
          }
          StepLookupItem(direction);
          key = 0;
        } else if (key != VK_HOME && key != VK_END && inner != nullptr && !inner->IsMultiLineEdit()) {
          // The single-line edit never moves its caret by these keys.
          FireAfterKeyDown(key, shift);
          key = 0;
        }
        break;
      case VK_DELETE:
        if (style == tesListText) {
          FireAfterKeyDown(key, shift);
          key = 0;
        } else {
          SetLookupTextMode(false);
        }
        break;
      default:
        break;
    }
  }
  if (!alive.Alive())
    return;
  if (pressed == VK_END && style != tesFixedList && GetSelLength() == 0)
    SetLookupTextMode(false);
  if (key != 0 && inner != nullptr)
    inner->SetKeyConsumed(false);
}

void TlxCustomTextEdit::HandleKeyPress(char16_t& key) {
  if (key == kEsc && key_closed_popup_ && !IsPopupOpen())
    key_closed_popup_ = false;
  KeyPress(key);
}

// --- typed characters ------------------------------------------------------------------------

bool TlxCustomTextEdit::CanCompleteFromLookup() {
  const TlxTextEditingStyle style = EditingStyle();
  if (style == tesListText || style == tesFixedList)
    return true;
  const int32_t sel_length = GetSelLength();
  if (sel_length > 0 || completed_by_lookup_)
    return true;
  return GetSelStart() == static_cast<int32_t>(Utf8ToUtf16(ShownText()).size());
}

bool TlxCustomTextEdit::CompleteFromLookup(std::string& text) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const char lead_byte = inner != nullptr ? inner->GetPendingImeLeadByte() : '\0';
  if (lead_byte != '\0')
    text.push_back(lead_byte);
  std::string tail;
  bool found = false;
  if (text.empty()) {
    if (EditingStyle() != tesFixedList)
      DataBinding()->AssignDisplayValue(Variant(std::string()));
    completed_by_lookup_ = false;
  } else {
    found = lookup_data_->Locate(text, tail, false);
    if (found && lead_byte != '\0' && !text.empty()) {
      tail.insert(tail.begin(), text.back());
      text.pop_back();
    }
    completed_by_lookup_ = found;
  }
  if (found) {
    DataBinding()->AssignDisplayValue(Variant(text + tail));
    if (inner != nullptr) {
      inner->SetSelStart(static_cast<int32_t>(Utf8ToUtf16(text).size()));
      inner->SetSelLength(static_cast<int32_t>(Utf8ToUtf16(tail).size()));
    }
  }
  RecalculateDisplay();
  return found;
}

void TlxCustomTextEdit::ProcessEditKeyPress(char16_t& key) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner != nullptr)
    inner->SetKeyConsumed(true);
  TAliveToken alive = AliveToken();
  TlxCustomEdit::ProcessEditKeyPress(key);
  if (!alive.Alive() || key == 0)
    return;
  EndLookupChange();
  const TlxTextEditingStyle style = EditingStyle();
  TlxCustomTextEditProperties* properties = ActiveProperties();
  TlxUserInputScope by_user(*this);
  if (style == tesFixedList && key == kBackspace && !properties->FixedListSelection()) {
    key = 0;
    SetLookupTextMode(false);
  }
  Variant old_key;
  if (lookup_data_ != nullptr)
    lookup_data_->GetCurrentKey(old_key);
  const bool was_completed = completed_by_lookup_;
  bool completed = false;
  LockClick(true);
  TScopeExit finish([&] {
    LockClick(false);
    if (!alive.Alive() || lookup_data_ == nullptr)
      return;
    Variant new_key;
    lookup_data_->GetCurrentKey(new_key);
    if (!lxEditValuesEqual(old_key, new_key))
      SetModifiedByUser();
  });
  const bool incremental = lookup_data_ != nullptr && properties->IsIncrementalLookupActive();
  if (key == kBackspace && incremental) {
    if (style == tesListText && !completed_by_lookup_ && !ShownText().empty()) {
      SetSelLength(static_cast<int32_t>(Utf8ToUtf16(ShownText()).size()) - GetSelStart());
      SetLookupTextMode(true);
    }
    if (completed_by_lookup_) {
      std::u16string shown = Utf8ToUtf16(ShownText());
      shown.resize(shown.size() - std::min(shown.size(), static_cast<size_t>(GetSelLength())));
      std::string prefix = Utf16ToUtf8(shown);
      DropLastCharacter(prefix);
      CompleteFromLookup(prefix);
      key = 0;
    }
    if (style == tesFixedList)
      key = 0;
  } else if (key != kBackspace && IsPrintable(key) && lookup_data_ != nullptr) {
    if (incremental && CanCompleteFromLookup()) {
      const std::string typed = Utf16ToUtf8(std::u16string(1, key));
      const std::u16string shown = Utf8ToUtf16(ShownText());
      const auto start = static_cast<size_t>(std::min<int32_t>(GetSelStart(), static_cast<int32_t>(shown.size())));
      std::string prefix;
      bool done = false;
      if (GetSelLength() > 0) {
        prefix = Utf16ToUtf8(shown.substr(0, start)) + typed;
      } else if (style != tesFixedList) {
        prefix = Utf16ToUtf8(shown.substr(0, start)) + typed + Utf16ToUtf8(shown.substr(start));
      } else if (was_completed) {
        prefix = Utf16ToUtf8(shown) + typed;
        completed = CompleteFromLookup(prefix);
        if (!completed)
          prefix = typed;
        done = completed;
      } else {
        prefix = typed;
      }
      if (!done) {
        completed = CompleteFromLookup(prefix);
        if (!completed && style == tesFixedList && !properties->FixedListSelection()) {
          std::string alone = typed;
          completed = CompleteFromLookup(alone);
        }
      }
    }
    if (!completed && (style == tesListText || style == tesFixedList)) {
      key = 0;
      if (style == tesListText && !ShownText().empty())
        SetLookupTextMode(true);
      else if (style == tesFixedList && properties->FixedListSelection() && was_completed)
        SetLookupTextMode(true);
    }
  }
  if (completed)
    key = 0;
  if (key != 0 && inner != nullptr)
    inner->SetKeyConsumed(false);
}

// --- inserting text ---------------------------------------------------------------------------

bool TlxCustomTextEdit::PrepareTextInsertion(const std::string& text, std::string& new_text, int32_t& new_sel_start) {
  new_text.clear();
  const TlxTextEditingStyle style = EditingStyle();
  if (style == tesFixedList || style == tesNoEditing) {
    if (IsUserChange() && style == tesNoEditing)
      return false;
    SelectAll();
  }
  const std::u16string shown = Utf8ToUtf16(ShownText());
  const std::u16string inserted = Utf8ToUtf16(text);
  TlxTextInsertionRequest request;
  request.Text = shown;
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  request.SelStart = inner != nullptr ? inner->GetSelStart() : 0;
  request.SelLength = inner != nullptr ? inner->GetSelLength() : 0;
  request.Inserted = inserted;
  request.EditingStyle = style;
  request.MaxLength = ActiveProperties()->MaxLength();
  request.UserInput = IsUserChange();
  std::u16string wide;
  if (!lxPrepareTextInsertion(request, wide, new_sel_start))
    return false;
  Variant value(Utf16ToUtf8(wide));
  if (!ActiveProperties()->IsNewTextAcceptable(value, IsFocusedForFormatting()))
    return false;
  if (IsUserChange() && !TryStartEditing())
    return false;
  new_text = VarToStrDef(value, "");
  return true;
}

void TlxCustomTextEdit::SetSelText(const std::string& text) {
  const bool by_user = IsFocusWithin() || interface_text_;
  const bool was = IsUserChange();
  SetUserChange(was || by_user);
  TScopeExit restore([this, was] { SetUserChange(was); });
  std::string new_text;
  int32_t new_sel_start = 0;
  if (!PrepareTextInsertion(text, new_text, new_sel_start))
    return;
  AcceptDisplayValue(Variant(new_text));
  SetSelStart(new_sel_start);
  SetSelLength(0);
}

void TlxCustomTextEdit::ClearSelection() {
  if (GetSelLength() == 0)
    return;
  const bool was = IsUserChange();
  SetUserChange(was || IsFocusWithin() || interface_text_);
  TScopeExit restore([this, was] { SetUserChange(was); });
  const int32_t start = GetSelStart();
  std::u16string shown = Utf8ToUtf16(ShownText());
  const auto from = static_cast<size_t>(std::min<int32_t>(start, static_cast<int32_t>(shown.size())));
  shown.erase(from, static_cast<size_t>(GetSelLength()));
  if (TrySetText(Utf16ToUtf8(shown)))
    SetSelStart(start);
}

// --- the clipboard --------------------------------------------------------------------------------

void TlxCustomTextEdit::SelectAll() {
  if (IlxInnerTextEdit* inner = GetInnerTextEdit())
    inner->SelectAll();
}

void TlxCustomTextEdit::CopyToClipboard() {
  const TlxTextEditingStyle style = EditingStyle();
  if (style == tesFixedList || style == tesNoEditing)
    SelectAll();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner != nullptr && inner->GetSelLength() > 0)
    inner->CopyToClipboard();
}

void TlxCustomTextEdit::CutToClipboard() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || inner->GetSelLength() == 0)
    return;
  if (!IsFocusWithin()) {
    inner->CopyToClipboard();
    SetSelText(std::string());
    return;
  }
  TlxUserInputScope by_user(*this);
  std::string new_text;
  int32_t new_sel_start = 0;
  if (PrepareTextInsertion(std::string(), new_text, new_sel_start))
    inner->CallDefWndProc(WM_CUT, 0, 0);
}

void TlxCustomTextEdit::PasteFromClipboard() {
  if (!ClipboardHasText())
    return;
  const std::string text = Clipboard()->AsText();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (!IsFocusWithin() || inner == nullptr) {
    SetSelText(text);
    return;
  }
  TlxUserInputScope by_user(*this);
  std::string new_text;
  int32_t new_sel_start = 0;
  if (!PrepareTextInsertion(text, new_text, new_sel_start))
    return;
  if (ActiveProperties()->MaxLength() > 0) {
    // What fits goes in, no more: the prepared text is the answer.
    AcceptDisplayValue(Variant(new_text));
    inner->SetSelStart(new_sel_start);
    inner->SetSelLength(0);
    return;
  }
  inner->CallDefWndProc(WM_PASTE, 0, 0);
}
