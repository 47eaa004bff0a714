#include "editors/mask_edit_win.h"

#include <algorithm>

#include "editors/edit_repository.h"
#include "editors/mask_mode_regexpr.h"
#include "editors/mask_mode_standard.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/clipboard.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kMaskEditKindText = "MaskEdit|Represents a generic masked edit control.";

constexpr char16_t kCtrlC = 3;
constexpr char16_t kCtrlV = 22;
constexpr char16_t kCtrlX = 24;
constexpr char16_t kTab = 9;
constexpr char16_t kEnter = 13;
constexpr char16_t kEsc = 27;

bool IsRegExprKind(int32_t kind) { return kind != emkStandard; }

bool ClipboardHasText() { return Clipboard()->HasFormat(CF_UNICODETEXT) || Clipboard()->HasFormat(CF_TEXT); }

// The keys after which the inner edit's own handling may have moved the
// caret or changed the text.
bool MovesCaret(WPARAM key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END || key == VK_DELETE;
}

}  // namespace

// --- the mode's view of the edit -------------------------------------------------------

// What a mask mode needs of the edit, answered from the real EDIT inside.
class TlxCustomMaskEdit::ModeSite final : public IlxMaskModeEdit {
 public:
  explicit ModeSite(TlxCustomMaskEdit& edit) : edit_(edit) {}

  bool HasInnerEdit() const override { return Inner() != nullptr; }
  const std::u16string& DisplayText() const override {
    text_ = Utf8ToUtf16(edit_.ShownText());
    return text_;
  }
  // Before the edit has a window (a kind that comes with its mask shows it
  // while being constructed) there is no selection to read or keep.
  int32_t SelStart() const override { return InnerHasWindow() ? Inner()->GetSelStart() : 0; }
  int32_t SelLength() const override { return InnerHasWindow() ? Inner()->GetSelLength() : 0; }
  int32_t CaretPosition() const override {
    const int32_t start = SelStart();
    const int32_t length = SelLength();
    if (length == 0)
      return start;
    // The system edit keeps its caret at the end the selection was made
    // towards; only the caret itself tells which end that was.
    auto* control = dynamic_cast<TCustomEdit*>(Inner()->GetControl());
    if (control != nullptr && control->HandleAllocated() && GetFocus() == control->Handle() &&
        lxGetCaretCharIndex(control) <= start)
      return start;
    return start + length;
  }
  void SetSelStartGuarded(int32_t start) override { edit_.SetSelStartGuarded(start); }
  void SetSelLengthGuarded(int32_t length) override { edit_.SetSelLengthGuarded(length); }
  void PutDisplayText(const std::u16string& text) override { edit_.PutModeText(text); }
  void SendKeyDown(uint16_t key) override { edit_.SendKeyDown(key); }
  void SendChar(char16_t c) override { edit_.SendChar(c); }
  void InsertTypedText(const std::u16string& text) override { edit_.InsertTypedText(text); }
  bool ShiftFlag() const override { return edit_.shift_flag_; }
  void SetShiftFlag(bool value) override { edit_.shift_flag_ = value; }
  bool IsCharAllowedAt(char16_t& c, int32_t position) override { return edit_.IsCharAllowedAt(c, position); }
  bool IsModified() const override { return edit_.Modified(); }
  bool IsFocusedForFormatting() const override { return edit_.IsFocusedForFormatting(); }
  Variant EditValue() const override { return edit_.GetEditValue(); }
  void SetEditValueUnlocked(const Variant& value) override { edit_.SetEditValueUnlocked(value); }
  void Beep() override { edit_.Beep(); }

 private:
  IlxInnerTextEdit* Inner() const { return edit_.GetInnerTextEdit(); }
  bool InnerHasWindow() const { return Inner() != nullptr && Inner()->GetControl()->HandleAllocated(); }

  TlxCustomMaskEdit& edit_;
  mutable std::u16string text_;
};

// --- construction -----------------------------------------------------------------------

TlxCustomMaskEdit::TlxCustomMaskEdit(TComponent* owner, const TClass& properties_class,
                                     const TClass& data_binding_class, TlxEditDataFactory edit_data_class)
    : TlxCustomTextEdit(owner, properties_class, data_binding_class, edit_data_class),
      site_(std::make_unique<ModeSite>(*this)) {
  if (!properties_class.InheritsFrom(&TlxCustomMaskEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no mask editor properties class");
  TlxCustomMaskEditProperties* properties = MaskProperties();
  mode_ = properties->GetModeClass(emkStandard).Create(site_.get(), properties);
  shift_flag_ = false;
  // The base could not reach this kind's handling yet: the mode of the
  // present kind and mask is set up now.
  PropertiesChanged(properties);
  properties->SetEmptyMaskText(GetEmptyMaskText());
}

TlxCustomMaskEdit::~TlxCustomMaskEdit() {
  mode_compiled_ = false;
  mode_.reset();
}

const TClass* TlxCustomMaskEditProperties::GetEditControlClass() const { return &TlxMaskEdit::kClass; }

// --- state --------------------------------------------------------------------------------

TlxMaskEditCustomMode* TlxCustomMaskEdit::MaskMode() const { return mode_compiled_ ? mode_.get() : nullptr; }

bool TlxCustomMaskEdit::IsMasked() const {
  return mode_ != nullptr && mode_compiled_ && MaskProperties()->IsMasked();
}

bool TlxCustomMaskEdit::IsRegExprMode() const { return mode_ != nullptr && IsRegExprKind(mode_->GetEditMaskKind()); }

bool TlxCustomMaskEdit::FormatsForEditing() {
  return IsFocusedForFormatting() || IsRegExprMode() || MaskProperties()->AlwaysShowBlanksAndLiterals();
}

bool TlxCustomMaskEdit::CompileIntoMode() {
  // A stored mask that does not compile leaves the edit unmasked: its text
  // is shown plainly and fails validation.
  try {
    mode_->CompileMask(MaskProperties()->EditMask());
    mode_compiled_ = true;
  } catch (const ElxMaskEditError&) {
    mode_compiled_ = false;
  }
  return mode_compiled_;
}

std::u16string TlxCustomMaskEdit::GetEmptyMaskText() { return IsMasked() ? mode_->GetEmptyText() : std::u16string(); }

std::string TlxCustomMaskEdit::GetBindingText() {
  std::string text;
  GetDisplayText(text);
  return text;
}

bool TlxCustomMaskEdit::IsCaretAtStart() { return IsMasked() ? mode_->IsCaretAtStart() : GetSelStart() == 0; }

bool TlxCustomMaskEdit::IsCaretAtEnd() {
  return IsMasked() ? mode_->IsCaretAtEnd()
                    : GetSelStart() + GetSelLength() == static_cast<int32_t>(Utf8ToUtf16(ShownText()).size());
}

void TlxCustomMaskEdit::Beep() {
  ++beep_count_;
  MessageBeep(MB_OK);
}

// --- what the mode does to the inner edit ---------------------------------------------

void TlxCustomMaskEdit::SetSelStartGuarded(int32_t start) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  TStateScope<bool> guard(selection_guard_, true);
  inner->SetSelStart(std::max(start, 0));
}

void TlxCustomMaskEdit::SetSelLengthGuarded(int32_t length) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  TStateScope<bool> guard(selection_guard_, true);
  inner->SetSelLength(std::max(length, 0));
}

void TlxCustomMaskEdit::PutModeText(const std::u16string& text) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr)
    return;
  TStateScope<bool> guard(selection_guard_, true);
  if (!inner->GetControl()->HandleAllocated()) {
    DataBinding()->AssignDisplayValue(Variant(Utf16ToUtf8(text)));
    return;
  }
  const int32_t start = inner->GetSelStart();
  const int32_t length = inner->GetSelLength();
  DataBinding()->AssignDisplayValue(Variant(Utf16ToUtf8(text)));
  // Setting the window text puts the caret at the start; the mode expects
  // the selection where it was.
  const auto size = static_cast<int32_t>(text.size());
  const int32_t kept_start = std::min(start, size);
  inner->SetSelStart(kept_start);
  inner->SetSelLength(std::min(length, size - kept_start));
}

void TlxCustomMaskEdit::SendKeyDown(uint16_t key) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  {
    TStateScope<bool> guard(key_guard_, true);
    inner->CallDefWndProc(WM_KEYDOWN, key, 0);
  }
  NoteInnerSelectionChange();
}

void TlxCustomMaskEdit::SendChar(char16_t c) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  {
    TStateScope<bool> guard(key_guard_, true);
    inner->CallDefWndProc(WM_CHAR, c, 0);
  }
  NoteInnerSelectionChange();
}

void TlxCustomMaskEdit::InsertTypedText(const std::u16string& text) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  {
    TStateScope<bool> guard(key_guard_, true);
    inner->CallDefWndProc(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
  }
  NoteInnerSelectionChange();
}

void TlxCustomMaskEdit::NoteInnerSelectionChange() {
  if (!selection_guard_ && IsMasked())
    mode_->UpdateCaretSelection();
}

void TlxCustomMaskEdit::SynchronizeModeText() {
  if (IsMasked() && CanSynchronizeModeText())
    mode_->ApplyText(Utf8ToUtf16(ShownText()));
}

void TlxCustomMaskEdit::RefreshModeDisplay() {
  // Showing the mask anew is no edit by the user.
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  mode_->RefreshDisplayValue();
}

void TlxCustomMaskEdit::RecomputeTextForMessage() {
  if (!IsMasked()) {
    text_for_message_.clear();
    return;
  }
  text_for_message_ = Utf16ToUtf8(mode_->FormatTextForDisplay(Utf8ToUtf16(ShownText()), true));
}

// --- keys -----------------------------------------------------------------------------------

void TlxCustomMaskEdit::HandleKeyDown(uint16_t& key, TShiftState shift) {
  if (!key_guard_)
    TlxCustomTextEdit::HandleKeyDown(key, shift);
}

void TlxCustomMaskEdit::HandleKeyPress(char16_t& key) {
  if (!key_guard_)
    TlxCustomTextEdit::HandleKeyPress(key);
}

void TlxCustomMaskEdit::HandleKeyUp(uint16_t& key, TShiftState shift) {
  if (!key_guard_)
    TlxCustomTextEdit::HandleKeyUp(key, shift);
}

void TlxCustomMaskEdit::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  if (!IsMasked() || IsClearOrClickKey(key, shift)) {
    TlxCustomTextEdit::ProcessEditKeyDown(key, shift);
    return;
  }
  if (!AcceptsKeyDown(key, shift)) {
    FireAfterKeyDown(key, shift);
    key = 0;
    return;
  }
  if (key == VK_TAB) {
    TlxCustomTextEdit::ProcessEditKeyDown(key, shift);
    return;
  }
  shift_flag_ = shift.Contains(ssShift);
  const bool ctrl = shift.Contains(ssCtrl);
  bool pass = true;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
      // Left to an owning grid, which moves between rows.
      if (!IsPopupOpen()) {
        FireAfterKeyDown(key, shift);
        key = 0;
        return;
      }
      break;
    case VK_LEFT:
      if (ctrl) {
        SendKeyDown(VK_HOME);
        pass = mode_->ProcessHome();
      } else {
        const bool at_start = mode_->IsCaretAtStart();
        pass = mode_->ProcessLeft();
        if (!pass && at_start)
          FireAfterKeyDown(key, shift);
      }
      break;
    case VK_RIGHT:
      if (ctrl) {
        SendKeyDown(VK_END);
        pass = mode_->ProcessEnd();
      } else {
        const bool at_end = mode_->IsCaretAtEnd();
        pass = mode_->ProcessRight();
        if (!pass && at_end)
          FireAfterKeyDown(key, shift);
      }
      break;
    case VK_DELETE:
      if (!shift.Contains(ssShift)) {
        pass = mode_->ProcessDelete();
      } else if (GetSelLength() == 0) {
        // Shift+Delete without a selection is a backspace; sent as one, so
        // that it does not depend on how the inner edit reads Shift.
        if (mode_->ProcessBackspace())
          SendChar(kLxMaskBackspace);
        key = 0;
        return;
      }
      // With a selection Shift+Delete is the inner edit's cut.
      break;
    case VK_HOME:
      pass = mode_->ProcessHome();
      break;
    case VK_END:
      pass = mode_->ProcessEnd();
      break;
    default:
      break;
  }
  if (!pass) {
    key = 0;
    return;
  }
  TlxCustomTextEdit::ProcessEditKeyDown(key, shift);
}

void TlxCustomMaskEdit::ProcessEditKeyPress(char16_t& key) {
  if (!IsMasked()) {
    TlxCustomTextEdit::ProcessEditKeyPress(key);
    return;
  }
  if (key == kTab || key == kEsc) {
    key = 0;
    return;
  }
  FilterKeyPress(key);
  if (key == 0 || key == kEnter)
    return;
  if (key == kCtrlC || key == kCtrlV || key == kCtrlX) {
    TlxCustomTextEdit::ProcessEditKeyPress(key);
    return;
  }
  TlxUserInputScope by_user(*this);
  const bool pass = key == kLxMaskBackspace ? mode_->ProcessBackspace() : mode_->ProcessChar(key);
  if (!pass)
    key = 0;
}

void TlxCustomMaskEdit::AfterInnerEditMessage(TMessage& message) {
  TlxCustomTextEdit::AfterInnerEditMessage(message);
  if (key_guard_ || !IsMasked())
    return;
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || inner->IsKeyConsumed())
    return;
  // A key the mode left to the inner edit moved its caret without a notice.
  if (message.Msg == WM_CHAR || (message.Msg == WM_KEYDOWN && MovesCaret(message.WParam)))
    NoteInnerSelectionChange();
}

// --- mouse and focus --------------------------------------------------------------------------

void TlxCustomMaskEdit::InnerSelectionChanged(TObject* /*sender*/) { NoteInnerSelectionChange(); }

void TlxCustomMaskEdit::DoEnter() {
  if (IsMasked() && MaskProperties()->AutoSelect())
    mode_->AcceptWholeText();
  TlxCustomTextEdit::DoEnter();
}

void TlxCustomMaskEdit::DblClick() {
  if (IsMasked())
    mode_->AcceptWholeText();
  TlxCustomTextEdit::DblClick();
}

void TlxCustomMaskEdit::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == mbLeft && IsMasked())
    mode_->UpdateCaretSelection();
  TlxCustomTextEdit::MouseDown(button, shift, x, y);
}

void TlxCustomMaskEdit::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (shift.Contains(ssLeft) && IsMasked()) {
    TStateScope<bool> extending(shift_flag_, true);
    mode_->UpdateCaretSelection();
  }
  TlxCustomTextEdit::MouseMove(shift, x, y);
}

void TlxCustomMaskEdit::HookInnerWindowProc() {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (!IsMasked() || inner == nullptr || !inner->GetControl()->HandleAllocated()) {
    TlxCustomTextEdit::HookInnerWindowProc();
    return;
  }
  // The mode reshapes the first key's text: the steps in between stay unseen.
  SendMessageW(inner->GetControl()->Handle(), WM_SETREDRAW, FALSE, 0);
  redraw_switched_off_ = true;
}

void TlxCustomMaskEdit::UnhookInnerWindowProc() {
  if (!redraw_switched_off_) {
    TlxCustomTextEdit::UnhookInnerWindowProc();
    return;
  }
  redraw_switched_off_ = false;
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr || !inner->GetControl()->HandleAllocated())
    return;
  const HWND window = inner->GetControl()->Handle();
  SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

// --- the clipboard ------------------------------------------------------------------------------

void TlxCustomMaskEdit::CutToClipboard() {
  if (!IsMasked()) {
    TlxCustomTextEdit::CutToClipboard();
    return;
  }
  if (IsFocusWithin() && !TryStartEditing())
    return;
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr)
    return;
  inner->CopyToClipboard();
  TlxUserInputScope by_user(*this);
  if (mode_->ProcessDelete())
    SendChar(kLxMaskBackspace);
}

void TlxCustomMaskEdit::PasteText(const std::string& text) {
  mode_->SetClipboardTextLength(static_cast<int32_t>(Utf8ToUtf16(text).size()));
  TScopeExit done([this] {
    if (mode_ != nullptr)
      mode_->SetClipboardTextLength(0);
  });
  mode_->BeforeClipboardPaste();
  TlxCustomTextEdit::SetSelText(text);
  if (IsMasked())
    mode_->AfterClipboardPaste();
}

void TlxCustomMaskEdit::PasteFromClipboard() {
  if (!IsMasked()) {
    TlxCustomTextEdit::PasteFromClipboard();
    return;
  }
  if (!ClipboardHasText())
    return;
  TlxUserInputScope by_user(*this);
  PasteText(Clipboard()->AsText());
}

void TlxCustomMaskEdit::SetSelText(const std::string& text) {
  if (!IsMasked()) {
    TlxCustomTextEdit::SetSelText(text);
    return;
  }
  PasteText(text);
}

// --- values ----------------------------------------------------------------------------------------

bool TlxCustomMaskEdit::AllowsTextEditing() {
  return !MaskProperties()->IsMasked() && TlxCustomTextEdit::AllowsTextEditing();
}

void TlxCustomMaskEdit::AcceptDisplayValue(const Variant& display_value) {
  if (!IsMasked() || ComponentState().Contains(csLoading)) {
    TlxCustomTextEdit::AcceptDisplayValue(display_value);
    return;
  }
  const std::u16string text = Utf8ToUtf16(VarToStrDef(display_value, ""));
  const std::u16string formatted =
      FormatsForEditing() ? mode_->FormatTextForEditing(text, true) : mode_->FormatTextForDisplay(text, true);
  TlxCustomTextEdit::AcceptDisplayValue(Variant(Utf16ToUtf8(formatted)));
  SynchronizeModeText();
}

void TlxCustomMaskEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool edit_focused) {
  if (!IsMasked()) {
    TlxCustomTextEdit::ConvertDisplayToEditValue(display_value, edit_value, edit_focused);
    return;
  }
  bool as_while_editing = edit_focused || IsRegExprMode();
  if (!as_while_editing && MaskProperties()->AlwaysShowBlanksAndLiterals())
    if (const auto* standard = dynamic_cast<const TlxMaskEditStandardMode*>(mode_.get()))
      as_while_editing = standard->Mask().SaveLiterals();
  if (!as_while_editing) {
    TlxCustomTextEdit::ConvertDisplayToEditValue(display_value, edit_value, edit_focused);
    return;
  }
  const std::u16string text = Utf8ToUtf16(VarToStrDef(display_value, ""));
  edit_value = Variant(Utf16ToUtf8(mode_->FormatTextForEditing(text, true)));
}

void TlxCustomMaskEdit::RefreshDisplayValue() {
  TlxCustomTextEdit::RefreshDisplayValue();
  SynchronizeModeText();
}

void TlxCustomMaskEdit::SetEditValueFromText() { AcceptDisplayValue(Variant(ShownText())); }

void TlxCustomMaskEdit::InnerEditChanged(TObject* sender) {
  RecomputeTextForMessage();
  TlxCustomTextEdit::InnerEditChanged(sender);
}

void TlxCustomMaskEdit::GetTextForMessage(std::string& text) {
  if (!IsMasked()) {
    TlxCustomTextEdit::GetTextForMessage(text);
    return;
  }
  text = text_for_message_;
}

bool TlxCustomMaskEdit::SetTextFromMessage(const std::string& text) {
  if (!IsMasked())
    return TlxCustomTextEdit::SetTextFromMessage(text);
  SetEditValueUnlocked(Variant(text));
  RecomputeTextForMessage();
  return true;
}

void TlxCustomMaskEdit::Loaded() {
  TlxCustomTextEdit::Loaded();
  if (!IsMasked())
    return;
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  SetEditValueFromText();
}

// --- property changes ----------------------------------------------------------------------------

void TlxCustomMaskEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  TlxCustomMaskEditProperties* mask_properties = MaskProperties();
  mask_properties->SetChangedLock(true);
  TScopeExit unlock([mask_properties] { mask_properties->SetChangedLock(false); });

  const bool mask_changed =
      mode_->EditMask() != mask_properties->EditMask() || mask_properties->IsFormatChanging();
  // Another properties object (a repository item's) needs a mode of its own.
  const bool other_properties = mode_->GetActiveProperties() != mask_properties;
  const bool kind_changed =
      other_properties || mode_->GetEditMaskKind() != static_cast<int32_t>(mask_properties->MaskKind());
  const bool case_changed = mode_->AppliedCharCase() != mask_properties->CharCase();
  const bool echo_changed = mode_->AppliedEchoMode() != static_cast<uint8_t>(mask_properties->EchoMode());

  if (kind_changed) {
    const bool crosses_families = !other_properties && IsRegExprKind(mode_->GetEditMaskKind()) !=
                                                           IsRegExprKind(mask_properties->MaskKind());
    mode_ = mask_properties->GetModeClass(mask_properties->MaskKind()).Create(site_.get(), mask_properties);
    mode_compiled_ = false;
    // A standard mask means nothing to a regular expression and back; a
    // mask set in the same change stays.
    if (crosses_families && !mask_changed)
      mask_properties->ClearOwnEditMask();
    if (CompileIntoMode() && IsMasked())
      RefreshModeDisplay();
  }
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (mask_changed) {
    mask_properties->SetMaxLength(0);
    if (CompileIntoMode() && IsMasked()) {
      RefreshModeDisplay();
    } else if (!IsRegExprMode() && inner != nullptr && inner->GetControl()->HandleAllocated() &&
               inner->GetSelLength() == 1) {
      // The standard mode's one-character block caret goes with its mask.
      SetSelLengthGuarded(0);
    }
    mask_properties->SetEmptyMaskText(GetEmptyMaskText());
  }
  if (case_changed) {
    if (mask_properties->CharCase() == ecNormal && IsMasked()) {
      if (inner != nullptr)
        inner->SetCharCase(ecNormal);
      RefreshModeDisplay();
    }
    mode_->SetAppliedCharCase(mask_properties->CharCase());
  }
  int32_t saved_start = 0;
  int32_t saved_length = 0;
  const bool keep_selection = echo_changed && HandleAllocated() && inner != nullptr;
  if (keep_selection) {
    saved_start = inner->GetSelStart();
    saved_length = inner->GetSelLength();
  }
  if (mode_compiled_ && (inner == nullptr ? IsMasked() : !GetEditValue().IsNull()))
    mode_->UpdateEditValueIfNeeded();
  if (auto* regexpr_mode = dynamic_cast<TlxMaskEditRegExprMode*>(mode_.get()))
    regexpr_mode->UpdateCaseInsensitive();
  TlxCustomTextEdit::PropertiesChanged(properties);
  if (echo_changed) {
    if (keep_selection && GetInnerTextEdit() != nullptr) {
      SetSelStartGuarded(saved_start);
      SetSelLengthGuarded(saved_length);
    }
    mode_->SetAppliedEchoMode(static_cast<uint8_t>(mask_properties->EchoMode()));
  }
  if (kind_changed || case_changed || mask_changed)
    RecomputeTextForMessage();
}

// --- the leaf class, the filter helper and the module ----------------------------------------------

void TlxMaskEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxMaskEdit>();
  p.Persistent("Properties", TlxMaskEditProperties::kClass, &TlxMaskEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxMaskEdit::BeepOnEnter, &TlxMaskEdit::SetBeepOnEnter, true);
}

void TlxFilterMaskEditHelper::GetSupportedOperators(const TlxCustomEditProperties* properties,
                                                    TlxValueTypeClass value_type,
                                                    TlxFilterConditionOperators& operators, bool extended) const {
  TlxFilterTextEditHelper::GetSupportedOperators(properties, value_type, operators, extended);
  const auto* mask_properties = dynamic_cast<const TlxCustomMaskEditProperties*>(properties);
  if (mask_properties != nullptr && mask_properties->IsMasked()) {
    operators.Exclude(fcoLike);
    operators.Exclude(fcoNotLike);
  }
}

void TlxFilterMaskEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxFilterTextEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* mask_properties = dynamic_cast<TlxCustomMaskEditProperties*>(properties);
  if (mask_properties == nullptr)
    return;
  if (mask_properties->MaskKind() == emkRegExpr)
    mask_properties->SetMaskKind(emkRegExprEx);
  // The text helper selects the whole operand on entry; a masked operand
  // keeps the source's choice.
  if (mask_properties->IsMasked() && source_properties != nullptr)
    mask_properties->SetAutoSelect(source_properties->AutoSelect());
}

namespace {

TlxModuleStartCount& MaskEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxMaskEditInitialize() {
  MaskEditModule().Start([] {
    lxGetRegisteredEditProperties().AddClass(&TlxMaskEditProperties::kClass, kMaskEditKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxMaskEditProperties::kClass,
                                                &StatelessInstance<TlxFilterMaskEditHelper>());
  });
}

void lxMaskEditFinalize() {
  MaskEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxMaskEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterMaskEditHelper>());
  });
}
