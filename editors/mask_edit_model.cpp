#include "editors/mask_edit_model.h"

#include <algorithm>

#include "editors/mask_mode_regexpr.h"
#include "editors/mask_mode_standard.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

bool IsRegExprKind(int32_t kind) { return kind != 0; }

}  // namespace

TlxMaskEditModel::TlxMaskEditModel(TlxCustomMaskEditProperties& properties) : properties_(properties) {
  mode_ = properties_.GetModeClass(emkStandard).Create(this, &properties_);
  PropertiesChanged();
}

TlxMaskEditModel::~TlxMaskEditModel() = default;

std::string TlxMaskEditModel::ShownText() const { return Utf16ToUtf8(text_); }

void TlxMaskEditModel::CompileIntoMode() {
  // A mask that does not compile leaves the mode without one: the text is
  // then edited plainly and fails validation.
  try {
    mode_->CompileMask(properties_.EditMask());
  } catch (const ElxMaskEditError&) {
  }
}

void TlxMaskEditModel::PropertiesChanged() {
  properties_.SetChangedLock(true);
  TScopeExit unlock([this] { properties_.SetChangedLock(false); });
  const std::string mask = properties_.EditMask();
  const bool mask_changed = mode_->EditMask() != mask || properties_.IsFormatChanging();
  const bool kind_changed = mode_->GetEditMaskKind() != static_cast<int32_t>(properties_.MaskKind());
  const bool case_changed = mode_->AppliedCharCase() != properties_.CharCase();
  if (kind_changed) {
    const bool crosses_families =
        IsRegExprKind(mode_->GetEditMaskKind()) != IsRegExprKind(static_cast<int32_t>(properties_.MaskKind()));
    mode_ = properties_.GetModeClass(properties_.MaskKind()).Create(this, &properties_);
    if (crosses_families && !mask_changed)
      properties_.ClearOwnEditMask();
    CompileIntoMode();
    if (properties_.IsMasked())
      mode_->RefreshDisplayValue();
  }
  if (mask_changed) {
    properties_.SetMaxLength(0);
    CompileIntoMode();
    if (properties_.IsMasked()) {
      mode_->RefreshDisplayValue();
    } else if (mode_->GetEditMaskKind() == 0 && SelLength() == 1) {
      SetSelLengthGuarded(0);
    }
    properties_.SetEmptyMaskText(mode_->GetEmptyText());
  }
  if (case_changed) {
    if (properties_.CharCase() == ecNormal && properties_.IsMasked())
      mode_->RefreshDisplayValue();
    mode_->SetAppliedCharCase(properties_.CharCase());
  }
  if (!edit_value_.IsNull())
    mode_->UpdateEditValueIfNeeded();
  if (auto* regexpr_mode = dynamic_cast<TlxMaskEditRegExprMode*>(mode_.get()))
    regexpr_mode->UpdateCaseInsensitive();
}

void TlxMaskEditModel::SetSelStartGuarded(int32_t start) {
  const int32_t clamped = std::clamp(start, 0, Length());
  anchor_ = clamped;
  caret_ = clamped;
}

void TlxMaskEditModel::SetSelLengthGuarded(int32_t length) {
  const int32_t start = SelStart();
  anchor_ = start;
  caret_ = std::clamp(start + std::max(length, 0), 0, Length());
}

void TlxMaskEditModel::PutDisplayText(const std::u16string& text) {
  text_ = text;
  anchor_ = std::min(anchor_, Length());
  caret_ = std::min(caret_, Length());
}

void TlxMaskEditModel::PutDisplayChar(int32_t position, char16_t c) {
  if (position >= 0 && position < Length())
    text_[static_cast<size_t>(position)] = c;
}

void TlxMaskEditModel::SetEditValueUnlocked(const Variant& value) {
  edit_value_ = value;
  modified_ = false;
}

void TlxMaskEditModel::SendKeyDown(uint16_t key) { InnerKeyDown(key, shift_flag_); }

void TlxMaskEditModel::SendChar(char16_t c) { InnerChar(c); }

void TlxMaskEditModel::InsertTypedText(const std::u16string& text) {
  ReplaceSelection(text);
  InnerSelectionChanged();
}

void TlxMaskEditModel::InnerSelectionChanged() {
  if (!selection_guard_ && IsMasked())
    mode_->UpdateCaretSelection();
}

void TlxMaskEditModel::MoveCaret(int32_t caret, bool extend) {
  caret_ = std::clamp(caret, 0, Length());
  if (!extend)
    anchor_ = caret_;
  InnerSelectionChanged();
}

void TlxMaskEditModel::ReplaceSelection(std::u16string_view text) {
  const int32_t start = SelStart();
  text_.replace(static_cast<size_t>(start), static_cast<size_t>(SelLength()), text);
  anchor_ = caret_ = start + static_cast<int32_t>(text.size());
  modified_ = true;
}

void TlxMaskEditModel::InnerKeyDown(uint16_t key, bool shift) {
  const bool selected = SelLength() > 0;
  switch (key) {
    case kLxMaskKeyLeft:
      MoveCaret(selected && !shift ? SelStart() : caret_ - 1, shift);
      break;
    case kLxMaskKeyRight:
      MoveCaret(selected && !shift ? SelStart() + SelLength() : caret_ + 1, shift);
      break;
    case kLxMaskKeyHome:
      MoveCaret(0, shift);
      break;
    case kLxMaskKeyEnd:
      MoveCaret(Length(), shift);
      break;
    case kLxMaskKeyDelete:
      if (!selected && caret_ < Length())
        caret_ = caret_ + 1;
      ReplaceSelection(u"");
      InnerSelectionChanged();
      break;
    default:
      break;
  }
}

void TlxMaskEditModel::InnerChar(char16_t c) {
  if (c == kLxMaskBackspace) {
    if (SelLength() == 0 && caret_ > 0)
      anchor_ = caret_ - 1;
    ReplaceSelection(u"");
  } else {
    ReplaceSelection(std::u16string_view(&c, 1));
  }
  InnerSelectionChanged();
}

void TlxMaskEditModel::KeyDown(uint16_t key, bool shift, bool ctrl) {
  if (!IsMasked()) {
    InnerKeyDown(key, shift);
    return;
  }
  shift_flag_ = shift;
  bool pass = true;
  switch (key) {
    case kLxMaskKeyLeft:
      if (ctrl) {
        SendKeyDown(kLxMaskKeyHome);
        pass = mode_->ProcessHome();
      } else {
        pass = mode_->ProcessLeft();
      }
      break;
    case kLxMaskKeyRight:
      if (ctrl) {
        SendKeyDown(kLxMaskKeyEnd);
        pass = mode_->ProcessEnd();
      } else {
        pass = mode_->ProcessRight();
      }
      break;
    case kLxMaskKeyDelete:
      if (!shift) {
        pass = mode_->ProcessDelete();
      } else if (SelLength() == 0) {
        // Shift+Delete without a selection is a backspace.
        if (mode_->ProcessBackspace())
          InnerChar(kLxMaskBackspace);
        return;
      } else {
        // With a selection it is the inner edit's cut, which the mask edit
        // turns into a deletion by the mode.
        Cut();
        return;
      }
      break;
    case kLxMaskKeyHome:
      pass = mode_->ProcessHome();
      break;
    case kLxMaskKeyEnd:
      pass = mode_->ProcessEnd();
      break;
    default:
      break;
  }
  if (pass)
    InnerKeyDown(key, shift);
}

void TlxMaskEditModel::KeyPress(char16_t c) {
  if (c != kLxMaskBackspace && c < 32)
    return;
  if (!IsMasked()) {
    InnerChar(c);
    return;
  }
  shift_flag_ = false;
  const bool pass = c == kLxMaskBackspace ? mode_->ProcessBackspace() : mode_->ProcessChar(c);
  if (pass)
    InnerChar(c);
}

void TlxMaskEditModel::Type(std::u16string_view text) {
  for (char16_t c : text)
    KeyPress(c);
}

void TlxMaskEditModel::AcceptDisplayText(const std::u16string& text) {
  std::u16string shown = text;
  if (IsMasked())
    shown = mode_->FormatTextForEditing(text, true);
  PutDisplayText(shown);
  modified_ = true;
  if (IsMasked())
    mode_->ApplyText(text_);
}

void TlxMaskEditModel::Paste(std::u16string_view text) {
  if (IsMasked()) {
    mode_->SetClipboardTextLength(static_cast<int32_t>(text.size()));
    mode_->BeforeClipboardPaste();
  }
  std::u16string pasted = text_;
  const int32_t start = SelStart();
  pasted.replace(static_cast<size_t>(start), static_cast<size_t>(SelLength()), text);
  AcceptDisplayText(pasted);
  MoveCaret(start + static_cast<int32_t>(text.size()), false);
  if (IsMasked())
    mode_->AfterClipboardPaste();
}

void TlxMaskEditModel::Cut() {
  if (!IsMasked()) {
    ReplaceSelection(u"");
    return;
  }
  if (mode_->ProcessDelete())
    InnerChar(kLxMaskBackspace);
}

void TlxMaskEditModel::Click(int32_t position) { Select(position, position); }

void TlxMaskEditModel::Select(int32_t anchor, int32_t caret) {
  anchor_ = std::clamp(anchor, 0, Length());
  caret_ = std::clamp(caret, 0, Length());
  InnerSelectionChanged();
}

void TlxMaskEditModel::SetEditValue(const Variant& value) {
  edit_value_ = value;
  modified_ = false;
  Variant display;
  properties_.EditValueToDisplayValue(value, true, display);
  text_ = Utf8ToUtf16(VarToStr(display));
  anchor_ = caret_ = 0;
  if (IsMasked()) {
    mode_->ApplyText(text_);
    InnerSelectionChanged();
  }
}

bool TlxMaskEditModel::Validate(std::string& error_text) {
  Variant display(Utf16ToUtf8(text_));
  bool error = false;
  properties_.ValidateDisplayValue(display, error_text, error, this);
  return !error;
}
