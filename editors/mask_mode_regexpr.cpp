#include "editors/mask_mode_regexpr.h"

#include <algorithm>

#include "editors/edit_strings.h"
#include "editors/mask_edit_properties.h"

namespace {

std::u16string_view Left(const std::u16string& text, size_t count) {
  return std::u16string_view(text).substr(0, std::min(count, text.size()));
}

}  // namespace

// --- TlxMaskEditRegExprMode -------------------------------------------------

const TlxMaskModeClass TlxMaskEditRegExprMode::kModeClass{
    "TlxMaskEditRegExprMode",
    [](IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties) -> std::unique_ptr<TlxMaskEditCustomMode> {
      return std::make_unique<TlxMaskEditRegExprMode>(edit, properties);
    }};

TlxMaskEditRegExprMode::TlxMaskEditRegExprMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties)
    : TlxMaskEditCustomMode(edit, properties), engine_(std::make_unique<TlxRegExpr>()) {
  UpdateCaseInsensitive();
}

TlxMaskEditRegExprMode::~TlxMaskEditRegExprMode() = default;

void TlxMaskEditRegExprMode::UpdateCaseInsensitive() {
  if (GetActiveProperties() != nullptr)
    engine_->CaseInsensitive = GetActiveProperties()->CaseInsensitive();
}

void TlxMaskEditRegExprMode::CompileMask(const std::string& mask) {
  SetEditMask(mask);
  match_engine_.reset();
  if (lxIsBlankMask(mask)) {
    engine_->Clear();
    return;
  }
  try {
    engine_->Compile(mask);
  } catch (const ElxRegExprError& error) {
    std::string message = lxEditResString(slxMaskEditRegExprError);
    for (size_t i = 0; i < error.Errors().Count(); ++i)
      message += "\r\n" + error.Errors().Item(i).GetFullMessage();
    throw ElxMaskEditError(message);
  }
}

std::u16string TlxMaskEditRegExprMode::FormatTextForEditing(std::u16string_view text, bool /*text_holds_literals*/) {
  std::u16string result;
  if (!IsCompiled())
    return result;
  engine_->Reset();
  for (char16_t c : text) {
    if (engine_->Next(c))
      result += c;
  }
  return result;
}

void TlxMaskEditRegExprMode::AcceptWholeText() {
  if (!IsCompiled())
    return;
  Resynchronize();
  for (char16_t c : tail_)
    engine_->Next(c);
  MoveTailToHead(tail_.size());
}

bool TlxMaskEditRegExprMode::IsCaretAtStart() { return Edit()->SelStart() == 0; }

bool TlxMaskEditRegExprMode::IsCaretAtEnd() {
  return Edit()->SelStart() == static_cast<int32_t>(Edit()->DisplayText().size());
}

bool TlxMaskEditRegExprMode::IsFullMatch(std::u16string_view text) {
  if (text.empty())
    return true;
  if (!IsCompiled())
    return false;
  if (match_engine_ == nullptr) {
    match_engine_ = std::make_unique<TlxRegExpr>();
    match_engine_->Compile(engine_->GetSource());
  }
  match_engine_->CaseInsensitive = GetActiveProperties()->CaseInsensitive();
  match_engine_->Reset();
  for (char16_t c : text) {
    if (!match_engine_->Next(c))
      return false;
  }
  return GetActiveProperties()->IgnoreMaskBlank() || match_engine_->IsFinal();
}

void TlxMaskEditRegExprMode::MoveHeadToTail(size_t count) {
  count = std::min(count, head_.size());
  tail_.insert(0, head_, head_.size() - count, count);
  head_.resize(head_.size() - count);
}

void TlxMaskEditRegExprMode::MoveTailToHead(size_t count) {
  count = std::min(count, tail_.size());
  head_.append(tail_, 0, count);
  tail_.erase(0, count);
}

void TlxMaskEditRegExprMode::StepForwardOne() {
  char16_t c = tail_.front();
  engine_->Next(c);
  MoveTailToHead(1);
}

void TlxMaskEditRegExprMode::StepBackOne() {
  engine_->Prev();
  MoveHeadToTail(1);
}

void TlxMaskEditRegExprMode::Resynchronize() {
  const std::u16string& text = Edit()->DisplayText();
  if (!(head_.empty() && tail_.empty() && !text.empty()) && !mouse_action_)
    return;
  mouse_action_ = false;
  engine_->Reset();
  tail_ = text;
  head_.clear();
  const size_t caret = static_cast<size_t>(std::max(Edit()->CaretPosition(), 0));
  while (head_.size() < caret && !tail_.empty())
    StepForwardOne();
}

bool TlxMaskEditRegExprMode::TailFits() {
  size_t accepted = 0;
  bool fits = true;
  for (char16_t c : tail_) {
    if (!engine_->Next(c)) {
      fits = false;
      break;
    }
    ++accepted;
  }
  for (size_t i = 0; i < accepted; ++i)
    engine_->Prev();
  return fits;
}

void TlxMaskEditRegExprMode::CutTail() {
  std::u16string text = Edit()->DisplayText();
  const size_t caret = std::min(static_cast<size_t>(std::max(Edit()->SelStart(), 0)), text.size());
  text.erase(caret, tail_.size());
  Edit()->PutDisplayText(text);
  Edit()->SetSelStartGuarded(static_cast<int32_t>(text.size()));
  Edit()->SetSelLengthGuarded(0);
  tail_.clear();
}

void TlxMaskEditRegExprMode::TakeSelection() {
  const size_t start = static_cast<size_t>(Edit()->SelStart());
  const size_t length = static_cast<size_t>(Edit()->SelLength());
  if (start == head_.size()) {
    taken_selection_ = std::u16string(Left(tail_, length));
    tail_.erase(0, taken_selection_.size());
    selection_at_start_ = true;
  } else if (start + length == head_.size()) {
    taken_selection_ = head_.substr(head_.size() - length);
    head_.resize(head_.size() - length);
    for (size_t i = 0; i < length; ++i)
      engine_->Prev();
    selection_at_start_ = false;
  }
}

void TlxMaskEditRegExprMode::RestoreSelection() {
  if (selection_at_start_) {
    tail_.insert(0, taken_selection_);
    return;
  }
  head_ += taken_selection_;
  for (char16_t c : taken_selection_)
    engine_->Next(c);
}

bool TlxMaskEditRegExprMode::DeleteSelection(bool by_backspace) {
  TakeSelection();
  taken_selection_.clear();
  if (TailFits())
    return true;
  // What follows the selection no longer fits without it: the selection
  // goes here, and the text after it with it.
  if (by_backspace)
    Edit()->SendChar(kLxMaskBackspace);
  else
    Edit()->SendKeyDown(kLxMaskKeyDelete);
  CutTail();
  Beep();
  return false;
}

bool TlxMaskEditRegExprMode::ProcessBackspace() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  if (Edit()->SelLength() > 0)
    return DeleteSelection(true);
  if (head_.empty())
    return true;
  engine_->Prev();
  head_.pop_back();
  if (!TailFits())
    CutTail();
  return true;
}

bool TlxMaskEditRegExprMode::ProcessDelete() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  if (Edit()->SelLength() > 0)
    return DeleteSelection(false);
  if (tail_.empty())
    return true;
  tail_.erase(0, 1);
  if (!TailFits()) {
    // Everything after the caret goes: all but one character here, the
    // last by the inner edit's own deletion.
    const int32_t caret = Edit()->SelStart();
    CutTail();
    Edit()->SetSelStartGuarded(caret);
  }
  return true;
}

bool TlxMaskEditRegExprMode::ProcessEnd() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  for (char16_t c : tail_)
    engine_->Next(c);
  MoveTailToHead(tail_.size());
  return true;
}

bool TlxMaskEditRegExprMode::ProcessHome() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  MoveHeadToTail(head_.size());
  engine_->Reset();
  return true;
}

bool TlxMaskEditRegExprMode::ProcessLeft() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  if (head_.empty())
    return true;
  const int32_t start = Edit()->SelStart();
  const int32_t length = Edit()->SelLength();
  const int32_t caret = Edit()->CaretPosition();
  if (length > 0 && !Edit()->ShiftFlag()) {
    if (caret == start + length) {
      for (int32_t i = 0; i < length && !head_.empty(); ++i)
        StepBackOne();
    }
    return true;
  }
  StepBackOne();
  return true;
}

bool TlxMaskEditRegExprMode::ProcessRight() {
  if (!IsCompiled())
    return true;
  Resynchronize();
  if (tail_.empty())
    return true;
  const int32_t start = Edit()->SelStart();
  const int32_t length = Edit()->SelLength();
  const int32_t caret = Edit()->CaretPosition();
  if (length > 0 && !Edit()->ShiftFlag()) {
    if (caret == start) {
      for (int32_t i = 0; i < length && !tail_.empty(); ++i)
        StepForwardOne();
    }
    return true;
  }
  StepForwardOne();
  return true;
}

bool TlxMaskEditRegExprMode::ProcessChar(char16_t& c) {
  if (!IsCompiled())
    return true;
  Resynchronize();
  const bool has_selection = Edit()->SelLength() > 0;
  if (has_selection)
    TakeSelection();
  bool answer = false;
  char16_t typed = c;
  if (engine_->Next(typed)) {
    c = typed;
    head_ += c;
    answer = true;
    if (!TailFits()) {
      if (has_selection) {
        Edit()->SendKeyDown(kLxMaskKeyDelete);
        Edit()->SendChar(c);
        answer = false;
      }
      CutTail();
    }
  } else {
    RestoreSelection();
  }
  taken_selection_.clear();
  if (!answer)
    Beep();
  return answer;
}

void TlxMaskEditRegExprMode::ApplyText(const std::u16string& text) {
  const int32_t paste_length = ClipboardTextLength();
  SetClipboardTextLength(0);
  head_.clear();
  tail_ = text;
  if (!IsCompiled())
    return;
  engine_->Reset();
  if (paste_length == 0 || text.empty())
    return;
  const size_t count = std::min(static_cast<size_t>(std::max(Edit()->SelStart(), 0) + paste_length), text.size());
  while (head_.size() < count)
    StepForwardOne();
}

void TlxMaskEditRegExprMode::RefreshDisplayValue() {
  TlxMaskEditCustomMode::RefreshDisplayValue();
  if (Edit() == nullptr)
    return;
  head_ = Edit()->DisplayText();
  tail_.clear();
  Edit()->SetSelStartGuarded(static_cast<int32_t>(head_.size()));
  Edit()->SetSelLengthGuarded(0);
  if (!IsCompiled())
    return;
  engine_->Reset();
  engine_->NextEx(head_);
}

// --- TlxMaskEditRegExprExMode -----------------------------------------------

class TlxMaskEditRegExprExMode::TAutoCompleteOff {
 public:
  explicit TAutoCompleteOff(TlxRegExpr& engine) : engine_(engine) { engine_.SetUpdateOn(false); }
  ~TAutoCompleteOff() { engine_.SetUpdateOn(true, false); }
  TAutoCompleteOff(const TAutoCompleteOff&) = delete;
  TAutoCompleteOff& operator=(const TAutoCompleteOff&) = delete;

 private:
  TlxRegExpr& engine_;
};

const TlxMaskModeClass TlxMaskEditRegExprExMode::kModeClass{
    "TlxMaskEditRegExprExMode",
    [](IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties) -> std::unique_ptr<TlxMaskEditCustomMode> {
      return std::make_unique<TlxMaskEditRegExprExMode>(edit, properties);
    }};

TlxMaskEditRegExprExMode::TlxMaskEditRegExprExMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties)
    : TlxMaskEditRegExprMode(edit, properties) {
  engine_->OnSymbolUpdate = [this](char16_t c) { update_text_ += c; };
  engine_->OnSymbolDelete = [this] { ++delete_count_; };
  engine_->SetUpdateOn(true, false);
}

void TlxMaskEditRegExprExMode::Clear() {
  update_text_.clear();
  delete_count_ = 0;
}

void TlxMaskEditRegExprExMode::CompileMask(const std::string& mask) {
  Clear();
  forced_prefix_.clear();
  TlxMaskEditRegExprMode::CompileMask(mask);
  if (IsCompiled())
    forced_prefix_ = update_text_;
  if (Edit() == nullptr)
    SetNeedUpdateEditValue(true);
}

std::u16string TlxMaskEditRegExprExMode::GetEmptyText() { return IsCompiled() ? forced_prefix_ : std::u16string(); }

std::u16string TlxMaskEditRegExprExMode::FormatTextForEditing(std::u16string_view text, bool text_holds_literals) {
  if (!IsCompiled())
    return {};
  std::u16string result;
  {
    TAutoCompleteOff off(*engine_);
    result = TlxMaskEditRegExprMode::FormatTextForEditing(text, text_holds_literals);
  }
  Clear();
  engine_->SetUpdateOn(true);
  result += update_text_;
  Clear();
  return result;
}

void TlxMaskEditRegExprExMode::AcceptWholeText() {
  if (!IsCompiled())
    return;
  SynchronizeCaret();
  Clear();
  TAutoCompleteOff off(*engine_);
  TlxMaskEditRegExprMode::AcceptWholeText();
}

bool TlxMaskEditRegExprExMode::IsFullMatch(std::u16string_view text) {
  if (IsCompiled() && text == forced_prefix_)
    return true;
  return TlxMaskEditRegExprMode::IsFullMatch(text);
}

void TlxMaskEditRegExprExMode::UpdateEditValueIfNeeded() {
  if (!NeedUpdateEditValue())
    return;
  if (Edit() != nullptr)
    Edit()->SetEditValueUnlocked(Variant(forced_prefix_));
  SetNeedUpdateEditValue(false);
}

void TlxMaskEditRegExprExMode::TakeSelection() {
  TAutoCompleteOff off(*engine_);
  TlxMaskEditRegExprMode::TakeSelection();
}

void TlxMaskEditRegExprExMode::RestoreSelection() {
  TAutoCompleteOff off(*engine_);
  TlxMaskEditRegExprMode::RestoreSelection();
}

void TlxMaskEditRegExprExMode::StepForward() {
  if (tail_.empty())
    return;
  Clear();
  char16_t c = tail_.front();
  engine_->Next(c);
  MoveTailToHead(1 + update_text_.size());
}

void TlxMaskEditRegExprExMode::StepBack() {
  if (head_.empty())
    return;
  Clear();
  engine_->Prev();
  MoveHeadToTail(static_cast<size_t>(delete_count_) + 1);
  if (engine_->IsStart())
    MoveHeadToTail(head_.size());
}

void TlxMaskEditRegExprExMode::SynchronizeCaret() {
  if (!HasEdit() || !IsCompiled())
    return;
  IlxMaskModeEdit& edit = *Edit();
  const std::u16string& text = edit.DisplayText();
  if (head_.empty() && tail_.empty() && !text.empty()) {
    tail_ = text;
    engine_->Reset();
    mouse_action_ = true;
  }
  if (mouse_action_) {
    mouse_action_ = false;
    const size_t start = static_cast<size_t>(std::max(edit.SelStart(), 0));
    if (head_.size() < start) {
      while (head_.size() < start && !tail_.empty())
        StepForward();
      if (head_.size() > start) {
        StepBack();
        edit.SetSelStartGuarded(static_cast<int32_t>(head_.size()));
        edit.SetSelLengthGuarded(0);
      }
    } else if (head_.size() > start) {
      while (head_.size() > start && !head_.empty())
        StepBack();
      if (head_.size() < start) {
        edit.SetSelStartGuarded(static_cast<int32_t>(head_.size()));
        edit.SetSelLengthGuarded(0);
      }
    }
  }
  if (edit.SelLength() > 0) {
    const int32_t start = edit.SelStart();
    const size_t end = static_cast<size_t>(start + edit.SelLength());
    while (head_.size() < end && !tail_.empty())
      StepForward();
    edit.SetSelStartGuarded(start);
    edit.SetSelLengthGuarded(static_cast<int32_t>(head_.size()) - start);
  }
}

void TlxMaskEditRegExprExMode::CompleteTail() {
  IlxMaskModeEdit& edit = *Edit();
  Clear();
  for (char16_t c : tail_) {
    engine_->Next(c);
    edit.SetSelStartGuarded(edit.SelStart() + 1);
    edit.SetSelLengthGuarded(0);
  }
  engine_->SetUpdateOn(true);
  const std::u16string forced = update_text_;
  Clear();
  // The caller leaves no selection here, so an empty insertion would only
  // announce a selection change that did not happen.
  if (!forced.empty()) {
    tail_ += forced;
    edit.InsertTypedText(forced);
  }
  engine_->SetUpdateOn(false);
  for (size_t i = 0; i < tail_.size(); ++i)
    engine_->Prev();
  edit.SetSelStartGuarded(std::max(edit.SelStart() - static_cast<int32_t>(tail_.size()), 0));
  edit.SetSelLengthGuarded(0);
}

void TlxMaskEditRegExprExMode::CheckTail() {
  TAutoCompleteOff off(*engine_);
  if (TailFits())
    CompleteTail();
  else
    CutTail();
}

bool TlxMaskEditRegExprExMode::ShrinkSelectionPastPrefix() {
  if (Edit()->SelStart() != 0 || forced_prefix_.empty())
    return false;
  // The selection came from the start of the tail; its part after the
  // prefix goes back to the tail, and the head becomes the prefix.
  const size_t prefix = forced_prefix_.size();
  const int32_t length = Edit()->SelLength();
  if (taken_selection_.size() > prefix)
    tail_.insert(0, taken_selection_, prefix);
  taken_selection_.clear();
  {
    TAutoCompleteOff off(*engine_);
    engine_->Reset();
    for (char16_t c : forced_prefix_)
      engine_->Next(c);
  }
  head_ = forced_prefix_;
  Edit()->SetSelStartGuarded(static_cast<int32_t>(prefix));
  Edit()->SetSelLengthGuarded(std::max(length - static_cast<int32_t>(prefix), 0));
  return true;
}

bool TlxMaskEditRegExprExMode::ProcessChar(char16_t& c) {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  if (Edit()->SelLength() > 0) {
    TakeSelection();
    if (ShrinkSelectionPastPrefix())
      return ProcessChar(c);
  }
  char16_t typed = c;
  if (engine_->Next(typed)) {
    c = typed;
    const std::u16string typed_text = std::u16string(1, c) + update_text_;
    head_ += typed_text;
    Edit()->InsertTypedText(typed_text);
    Clear();
    CheckTail();
  } else {
    RestoreSelection();
    Beep();
  }
  taken_selection_.clear();
  return false;
}

bool TlxMaskEditRegExprExMode::ProcessBackspace() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  IlxMaskModeEdit& edit = *Edit();
  if (edit.SelLength() > 0) {
    TakeSelection();
    if (ShrinkSelectionPastPrefix())
      return ProcessBackspace();
    taken_selection_.clear();
    edit.SendChar(kLxMaskBackspace);
    CheckTail();
    return false;
  }
  if (head_.empty())
    return false;
  engine_->Prev();
  if (engine_->IsStart() && edit.SelStart() == delete_count_) {
    // Only the forced prefix is left: it cannot be deleted.
    char16_t first = head_.front();
    Clear();
    engine_->Next(first);
    Clear();
    Beep();
    return false;
  }
  const size_t count = std::min(static_cast<size_t>(delete_count_) + 1, head_.size());
  head_.resize(head_.size() - count);
  for (size_t i = 0; i < count; ++i)
    edit.SendChar(kLxMaskBackspace);
  Clear();
  CheckTail();
  return false;
}

bool TlxMaskEditRegExprExMode::ProcessDelete() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  IlxMaskModeEdit& edit = *Edit();
  if (edit.SelLength() > 0)
    return ProcessBackspace();
  if (tail_.empty())
    return false;
  if (edit.SelStart() == 0 && !forced_prefix_.empty()) {
    Beep();
    return false;
  }
  char16_t c = tail_.front();
  const bool accepted = engine_->Next(c);
  const size_t count = accepted ? std::min(1 + update_text_.size(), tail_.size()) : 1;
  for (size_t i = 0; i < count; ++i)
    edit.SendKeyDown(kLxMaskKeyDelete);
  tail_.erase(0, count);
  if (accepted)
    engine_->Prev();
  Clear();
  CheckTail();
  return false;
}

bool TlxMaskEditRegExprExMode::ProcessEnd() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  TAutoCompleteOff off(*engine_);
  return TlxMaskEditRegExprMode::ProcessEnd();
}

bool TlxMaskEditRegExprExMode::ProcessHome() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  return TlxMaskEditRegExprMode::ProcessHome();
}

bool TlxMaskEditRegExprExMode::ProcessLeft() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  IlxMaskModeEdit& edit = *Edit();
  if (head_.empty())
    return true;
  const int32_t start = edit.SelStart();
  const int32_t length = edit.SelLength();
  if (length > 0 && !edit.ShiftFlag()) {
    if (edit.CaretPosition() == start + length) {
      TAutoCompleteOff off(*engine_);
      for (int32_t i = 0; i < length && !head_.empty(); ++i)
        StepBackOne();
    }
    return true;
  }
  StepBackOne();
  // The forced characters rolled back with it go as well, one Left each;
  // the inner edit's own Left moves over the character itself.
  const size_t forced = std::min(static_cast<size_t>(delete_count_), head_.size());
  MoveHeadToTail(forced);
  for (size_t i = 0; i < forced; ++i)
    edit.SendKeyDown(kLxMaskKeyLeft);
  Clear();
  return true;
}

bool TlxMaskEditRegExprExMode::ProcessRight() {
  if (!IsCompiled())
    return true;
  SynchronizeCaret();
  Clear();
  IlxMaskModeEdit& edit = *Edit();
  if (tail_.empty())
    return true;
  const int32_t start = edit.SelStart();
  const int32_t length = edit.SelLength();
  if (length > 0 && !edit.ShiftFlag()) {
    if (edit.CaretPosition() == start) {
      TAutoCompleteOff off(*engine_);
      for (int32_t i = 0; i < length && !tail_.empty(); ++i)
        StepForwardOne();
    }
    return true;
  }
  StepForwardOne();
  const size_t forced = std::min(update_text_.size(), tail_.size());
  MoveTailToHead(forced);
  for (size_t i = 0; i < forced; ++i)
    edit.SendKeyDown(kLxMaskKeyRight);
  Clear();
  return true;
}

void TlxMaskEditRegExprExMode::ApplyText(const std::u16string& text) {
  SetClipboardTextLength(0);
  head_.clear();
  tail_ = text;
  if (!IsCompiled())
    return;
  {
    TAutoCompleteOff off(*engine_);
    engine_->Reset();
    for (char16_t c : text)
      engine_->Next(c);
  }
  Clear();
  engine_->SetUpdateOn(true);
  head_ = text + update_text_;
  tail_.clear();
  Clear();
  if (Edit() != nullptr) {
    mouse_action_ = true;
    SynchronizeCaret();
  }
}
