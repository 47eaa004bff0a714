#include "editors/inner_text_edit_win.h"

#include <algorithm>

#include "editors/text_edit_control_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

constexpr char16_t kTab = 9;
constexpr char16_t kEnter = 13;
constexpr char16_t kEsc = 27;

bool IsControlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

// --- the interface object --------------------------------------------------

TWinControl* TlxCustomInnerTextEditHelper::GetControl() { return edit_; }

TlxContainer* TlxCustomInnerTextEditHelper::GetControlContainer() { return edit_->GetControlContainer(); }

LRESULT TlxCustomInnerTextEditHelper::CallDefWndProc(UINT message, WPARAM wparam, LPARAM lparam) {
  return edit_->CallDefaultProc(message, wparam, lparam);
}

void TlxCustomInnerTextEditHelper::GetEditValue(Variant& value) { value = Variant(edit_->Text()); }

const TNotifyEvent& TlxCustomInnerTextEditHelper::GetOnChange() const { return edit_->OnChange; }

bool TlxCustomInnerTextEditHelper::GetReadOnly() const { return edit_->ReadOnly(); }

void TlxCustomInnerTextEditHelper::LockBounds(bool lock) { edit_->LockBounds(lock); }

void TlxCustomInnerTextEditHelper::SafelyFocusInnerControl() {
  const bool auto_select = edit_->AutoSelect();
  edit_->SetAutoSelect(false);
  TScopeExit restore([this, auto_select] { edit_->SetAutoSelect(auto_select); });
  if (edit_->CanFocus())
    edit_->SetFocus();
}

void TlxCustomInnerTextEditHelper::SetEditValue(const Variant& value) {
  const std::string text = VarToStrDef(value, "");
  const bool differs = text != edit_->Text();
  edit_->SetText(text);
  if (differs && edit_->ComponentState().Contains(csDesigning) && edit_->OnChange)
    edit_->OnChange(edit_);
}

void TlxCustomInnerTextEditHelper::SetParent(TWinControl* parent) { edit_->SetParent(parent); }

void TlxCustomInnerTextEditHelper::SetOnChange(TNotifyEvent handler) { edit_->OnChange = std::move(handler); }

void TlxCustomInnerTextEditHelper::SetReadOnly(bool value) { edit_->SetReadOnly(value); }

void TlxCustomInnerTextEditHelper::ClearSelection() { edit_->ClearSelection(); }

void TlxCustomInnerTextEditHelper::CopyToClipboard() { edit_->CopyToClipboard(); }

TAlignment TlxCustomInnerTextEditHelper::GetAlignment() const { return edit_->CurrentAlignment(); }

bool TlxCustomInnerTextEditHelper::GetAutoSelect() const { return edit_->AutoSelect(); }

TEditCharCase TlxCustomInnerTextEditHelper::GetCharCase() const { return edit_->CharCase(); }

TlxEditEchoMode TlxCustomInnerTextEditHelper::GetEchoMode() const { return edit_->EchoMode(); }

int32_t TlxCustomInnerTextEditHelper::GetFirstVisibleCharIndex() {
  if (!edit_->HandleAllocated())
    return 0;
  return LOWORD(SendMessageW(edit_->Handle(), EM_CHARFROMPOS, 0, MAKELPARAM(0, 0)));
}

bool TlxCustomInnerTextEditHelper::GetHideSelection() const { return edit_->HideSelection(); }

char TlxCustomInnerTextEditHelper::GetPendingImeLeadByte() const { return edit_->PendingImeLeadByte(); }

TImeMode TlxCustomInnerTextEditHelper::GetImeMode() const { return edit_->ImeMode(); }

std::string TlxCustomInnerTextEditHelper::GetImeName() const { return edit_->ImeName(); }

bool TlxCustomInnerTextEditHelper::IsKeyConsumed() const { return edit_->KeyConsumed(); }

int32_t TlxCustomInnerTextEditHelper::GetMaxLength() const { return edit_->MaxLength(); }

bool TlxCustomInnerTextEditHelper::GetOEMConvert() const { return edit_->OEMConvert(); }

const TNotifyEvent& TlxCustomInnerTextEditHelper::GetOnSelChange() const { return edit_->OnSelChange; }

char16_t TlxCustomInnerTextEditHelper::GetPasswordChar() const { return edit_->EchoChar(); }

bool TlxCustomInnerTextEditHelper::ImePending() const { return edit_->PendingImeState() > 0; }

int32_t TlxCustomInnerTextEditHelper::GetSelLength() {
  return ImePending() ? saved_sel_length_ : edit_->SelLength();
}

int32_t TlxCustomInnerTextEditHelper::GetSelStart() { return ImePending() ? saved_sel_start_ : edit_->SelStart(); }

std::string TlxCustomInnerTextEditHelper::GetSelText() { return edit_->SelText(); }

void TlxCustomInnerTextEditHelper::SelectAll() {
  if (edit_->HandleAllocated())
    edit_->SelectAll();
}

void TlxCustomInnerTextEditHelper::SetAlignment(TAlignment value) {
  if (alignment_lock_)
    return;
  TlxCustomTextEdit* editor = edit_->Editor();
  if (editor != nullptr && editor->IsInplace() && editor->ActiveProperties()->UseLeftAlignmentOnEditing())
    value = taLeftJustify;
  if (value == edit_->CurrentAlignment())
    return;
  TStateScope<bool> locked(alignment_lock_, true);
  edit_->ApplyAlignment(value);
}

void TlxCustomInnerTextEditHelper::SetAutoSelect(bool value) { edit_->SetAutoSelect(value); }

void TlxCustomInnerTextEditHelper::SetCharCase(TEditCharCase value) { edit_->SetCharCase(value); }

void TlxCustomInnerTextEditHelper::SetEchoMode(TlxEditEchoMode value) { edit_->SetEchoMode(value); }

void TlxCustomInnerTextEditHelper::SetHideSelection(bool value) { edit_->SetHideSelection(value); }

void TlxCustomInnerTextEditHelper::SetKeyConsumed(bool value) { edit_->SetKeyConsumed(value); }

void TlxCustomInnerTextEditHelper::SetImeMode(TImeMode value) { edit_->SetImeMode(value); }

void TlxCustomInnerTextEditHelper::SetImeName(const std::string& value) { edit_->SetImeName(value); }

void TlxCustomInnerTextEditHelper::SetMaxLength(int32_t value) { edit_->SetMaxLength(value); }

void TlxCustomInnerTextEditHelper::SetOEMConvert(bool value) { edit_->SetOEMConvert(value); }

void TlxCustomInnerTextEditHelper::SetOnSelChange(TNotifyEvent handler) { edit_->OnSelChange = std::move(handler); }

void TlxCustomInnerTextEditHelper::SetPasswordChar(char16_t value) { edit_->SetEchoChar(value); }

void TlxCustomInnerTextEditHelper::SetSelLength(int32_t value) {
  if (!edit_->HandleAllocated())
    return;
  if (ImePending())
    saved_sel_length_ = value;
  else
    edit_->SetSelLength(value);
}

void TlxCustomInnerTextEditHelper::SetSelStart(int32_t value) {
  if (!edit_->HandleAllocated())
    return;
  if (ImePending())
    saved_sel_start_ = value;
  else
    edit_->SetSelStart(value);
}

void TlxCustomInnerTextEditHelper::SetSelText(const std::string& value) { edit_->SetSelText(value); }

// --- the control -----------------------------------------------------------

TlxCustomInnerTextEdit::TlxCustomInnerTextEdit(TComponent* owner) : TlxInnerEditForwarding(owner) {
  helper_ = std::make_unique<TlxCustomInnerTextEditHelper>(this);
  ControlStyle().Include(csDoubleClicks);
  SetParentColor(true);
  SetParentFont(false);
  SetBorderStyle(bsNone);
  double_click_timer_ = std::make_unique<TlxTimer>(nullptr);
  double_click_timer_->SetEnabled(false);
  double_click_timer_->SetInterval(lxDoubleClickTime());
  double_click_timer_->SetOnTimer([this](TObject*) { StopDoubleClickTimer(); });
  ApplyPasswordChar();
  FinishCreating();
}

TlxCustomInnerTextEdit::~TlxCustomInnerTextEdit() {
  double_click_timer_.reset();
  helper_.reset();
}

TlxContainer* TlxCustomInnerTextEdit::GetControlContainer() { return Editor(); }

void TlxCustomInnerTextEdit::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(WS_BORDER | WS_CAPTION | WS_THICKFRAME | ES_LEFT | ES_RIGHT | ES_CENTER);
  params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
  params.Style |= ES_AUTOHSCROLL;
  switch (alignment_) {
    case taRightJustify:
      params.Style |= ES_RIGHT;
      break;
    case taCenter:
      params.Style |= ES_CENTER;
      break;
    case taLeftJustify:
      params.Style |= ES_LEFT;
      break;
  }
}

void TlxCustomInnerTextEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  AdjustMargins();
}

void TlxCustomInnerTextEdit::AdjustMargins() { SetMargins(0, 1); }

void TlxCustomInnerTextEdit::ApplyAlignment(TAlignment value) {
  if (alignment_ == value)
    return;
  alignment_ = value;
  // The base keeps the style bit in its own setting and builds the window anew.
  SetAlignment(value);
}

void TlxCustomInnerTextEdit::SetEchoMode(TlxEditEchoMode value) {
  echo_mode_ = value;
  ApplyPasswordChar();
}

void TlxCustomInnerTextEdit::SetEchoChar(char16_t value) {
  if (echo_char_ == value)
    return;
  echo_char_ = value;
  if (echo_mode_ == eemPassword)
    ApplyPasswordChar();
}

void TlxCustomInnerTextEdit::ApplyPasswordChar() {
  char16_t shown = 0;
  if (echo_mode_ == eemPassword)
    shown = echo_char_ != 0 ? echo_char_ : u'*';
  SetPasswordChar(shown);
}

void TlxCustomInnerTextEdit::UpdateFocusAlignment() {
  TlxCustomTextEdit* editor = Editor();
  if (editor == nullptr)
    return;
  TlxCustomTextEditProperties* properties = editor->ActiveProperties();
  const TAlignment wanted = properties->GetAlignment()->Horz();
  if (properties->UseLeftAlignmentOnEditing() && wanted != taLeftJustify)
    helper_->SetAlignment(editor->HasFocusInForm() ? taLeftJustify : wanted);
  editor->RefreshFromCursor(false);
}

bool TlxCustomInnerTextEdit::DoubleClickTimerRunning() const {
  return double_click_timer_ != nullptr && double_click_timer_->Enabled();
}

void TlxCustomInnerTextEdit::StopDoubleClickTimer() {
  if (double_click_timer_ != nullptr)
    double_click_timer_->SetEnabled(false);
}

void TlxCustomInnerTextEdit::StartDoubleClickTimer() {
  if (double_click_timer_ == nullptr)
    return;
  double_click_timer_->SetEnabled(false);
  double_click_timer_->SetEnabled(true);
}

// --- what goes on to the editor ---------------------------------------------

void TlxCustomInnerTextEdit::KeyDown(uint16_t& key, TShiftState shift) { ForwardKey(key, shift, true); }

void TlxCustomInnerTextEdit::KeyUp(uint16_t& key, TShiftState shift) {
  if (key == kTab)
    key = 0;
  ForwardKey(key, shift, false);
}

void TlxCustomInnerTextEdit::KeyPress(char16_t& key) {
  StopDoubleClickTimer();
  SetKeyConsumed(false);
  // Tab moves the focus; it is never typed into the text.
  if (key == kTab)
    key = 0;
  TAliveToken alive = AliveToken();
  TlxCustomTextEdit* editor = Editor();
  if (editor != nullptr && key != 0)
    editor->HandleKeyPress(key);
  if (!alive.Alive())
    return;
  if (editor != nullptr && (key == kEnter || key == kEsc)) {
    const bool closed_popup = editor->KeyClosedPopup();
    editor->SetKeyClosedPopup(false);
    if (editor->IsInplace() || closed_popup || (key == kEnter && !editor->BeepOnEnter()))
      key = 0;
  }
  if (key == 0)
    SetKeyConsumed(true);
  else
    TCustomEdit::KeyPress(key);
}

// --- messages ------------------------------------------------------------------

void TlxCustomInnerTextEdit::WndProc(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  if (editor != nullptr && !IsDestroying() && editor->HandleInnerControlKey(message))
    return;
  TAliveToken alive = AliveToken();
  if (!HandleOwnMessage(message))
    TCustomEdit::WndProc(message);
  if (alive.Alive() && editor != nullptr && !IsDestroying() && Editor() == editor)
    editor->AfterInnerEditMessage(message);
}

void TlxCustomInnerTextEdit::DefaultHandler(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  if (editor != nullptr && !IsDestroying() && editor->PreprocessInnerControlMessage(message))
    return;
  TCustomEdit::DefaultHandler(message);
}

bool TlxCustomInnerTextEdit::HandleOwnMessage(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  switch (message.Msg) {
    case WM_CHAR:
      HandleChar(message);
      return true;
    case WM_KEYDOWN:
      HandleKeyDownMessage(message);
      return true;
    case WM_IME_CHAR:
      ime_pending_ = (message.WParam & 0xFF00) != 0 ? 2 : 1;
      ime_lead_byte_ = static_cast<char>((message.WParam >> 8) & 0xFF);
      helper_->SaveImeSelection(SelStart(), SelLength());
      message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      return true;
    case WM_IME_COMPOSITION:
      if (editor == nullptr || editor->TryStartEditing())
        message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      return true;
    case WM_GETDLGCODE:
      HandleGetDlgCode(message);
      return true;
    case WM_LBUTTONDOWN:
      HandleLeftButtonDown(message);
      return true;
    case WM_LBUTTONDBLCLK:
      if (editor != nullptr && editor->DragMode() == dmAutomatic && !editor->IsDesigning()) {
        editor->BeginDrag(false);
        return true;
      }
      if (DoubleClickTimerRunning())
        return true;
      return false;
    case WM_CUT:
      if (editor == nullptr)
        return false;
      {
        TlxUserInputScope by_user(*editor);
        if (ReadOnly())
          editor->CopyToClipboard();
        else
          editor->CutToClipboard();
      }
      return true;
    case WM_PASTE:
    case WM_CLEAR:
      if (editor == nullptr)
        return false;
      if (!ReadOnly()) {
        TlxUserInputScope by_user(*editor);
        if (message.Msg == WM_PASTE)
          editor->PasteFromClipboard();
        else
          editor->ClearSelection();
      }
      return true;
    case WM_UNDO:
      message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      if (editor != nullptr)
        editor->AfterUndo();
      return true;
    case EM_SETSEL:
      message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam);
      if (OnSelChange)
        OnSelChange(this);
      return true;
    case WM_SETFOCUS:
      HandleFocusMessage(message, true);
      return true;
    case WM_KILLFOCUS:
      HandleFocusMessage(message, false);
      return true;
    case WM_SIZE:
      TCustomEdit::WndProc(message);
      AdjustMargins();
      return true;
    case WM_ERASEBKGND:
      message.Result = 1;
      return true;
    case WM_NCPAINT:
      message.Result = 0;
      return true;
    case CM_MOUSELEAVE:
      TCustomEdit::WndProc(message);
      if (editor != nullptr)
        editor->RefreshFromCursor(true);
      return true;
    default:
      return false;
  }
}

void TlxCustomInnerTextEdit::HandleChar(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  TlxCustomInnerTextEditPrevState state;
  lxSaveInnerTextEditState(helper_.get(), true, state);
  SetKeyConsumed(false);
  TAliveToken alive = AliveToken();
  TCustomEdit::WndProc(message);
  if (!alive.Alive() || editor == nullptr)
    return;
  if (ime_pending_ > 0) {
    --ime_pending_;
    if (ime_pending_ == 0 && editor->CompletedByLookup()) {
      SetSelStart(helper_->SavedSelStart());
      SetSelLength(helper_->SavedSelLength());
    }
  }
  editor->EndLookupChange();
  if (!KeyConsumed() && lxInnerTextEditStateChanged(helper_.get(), state))
    editor->SetLookupTextMode(false);
}

void TlxCustomInnerTextEdit::HandleKeyDownMessage(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  if (editor != nullptr && editor->IsPopupOpen()) {
    const uint32_t shift_bits = static_cast<uint32_t>(KeyDataToShiftState(static_cast<uint32_t>(message.LParam)).Bits());
    if (editor->ActiveProperties()->IsLookupNavigationKey(static_cast<uint16_t>(message.WParam), shift_bits)) {
      if (IlxTextEditLookupData* lookup = editor->GetLookupDataIntf())
        if (TWinControl* list = lookup->GetListControl(); list != nullptr && list->HandleAllocated())
          SendMessageW(list->Handle(), WM_KEYDOWN, message.WParam, message.LParam);
      return;
    }
  }
  TlxCustomInnerTextEditPrevState state;
  lxSaveInnerTextEditState(helper_.get(), true, state);
  SetKeyConsumed(false);
  TAliveToken alive = AliveToken();
  TCustomEdit::WndProc(message);
  if (!alive.Alive() || editor == nullptr)
    return;
  auto key = static_cast<uint16_t>(message.WParam);
  if (key != 0 && !KeyConsumed() && !lxInnerTextEditStateChanged(helper_.get(), state))
    editor->FireAfterKeyDown(key, KeyDataToShiftState(static_cast<uint32_t>(message.LParam)));
}

void TlxCustomInnerTextEdit::HandleLeftButtonDown(TMessage& message) {
  TlxCustomTextEdit* editor = Editor();
  TlxCustomTextEditProperties* properties = editor != nullptr ? editor->ActiveProperties() : nullptr;
  if (properties != nullptr && properties->UseLeftAlignmentOnEditing() &&
      properties->GetAlignment()->Horz() != taLeftJustify && !Focused()) {
    ControlState().Include(csLButtonDown);
    SetFocus();
    TCustomEdit::WndProc(message);
    StartDoubleClickTimer();
    switching_click_ = true;
    return;
  }
  if (editor != nullptr && editor->DragMode() == dmAutomatic && !editor->IsDesigning()) {
    editor->BeginDrag(false);
    return;
  }
  if (DoubleClickTimerRunning()) {
    // The click after the one that switched the alignment is the second of
    // a double click.
    message.Msg = WM_LBUTTONDBLCLK;
    StartDoubleClickTimer();
  }
  switching_click_ = false;
  TCustomEdit::WndProc(message);
}

void TlxCustomInnerTextEdit::HandleGetDlgCode(TMessage& message) {
  message.Result = CallDefaultProc(message.Msg, message.WParam, message.LParam) | DLGC_WANTCHARS;
  TlxCustomTextEdit* editor = Editor();
  if (editor == nullptr)
    return;
  if (editor->WantsTabKey() && !IsControlDown())
    message.Result |= DLGC_WANTTAB;
  if (editor->IsInplace() || editor->IsPopupOpen())
    message.Result |= DLGC_WANTALLKEYS;
}

void TlxCustomInnerTextEdit::HandleFocusMessage(TMessage& message, bool gaining) {
  TlxCustomTextEdit* editor = Editor();
  const bool destroying = IsDestroying() || editor == nullptr || editor->IsBeingDestroyed();
  if (gaining) {
    if (!destroying)
      UpdateFocusAlignment();
    TAliveToken alive = AliveToken();
    TCustomEdit::WndProc(message);
    const HWND from = TFocusMessage(message).OtherWindow();
    if (alive.Alive() && !destroying && (!editor->HandleAllocated() || from != editor->Handle()))
      editor->HandleInnerFocusChanged();
    return;
  }
  TAliveToken alive = AliveToken();
  TCustomEdit::WndProc(message);
  if (!alive.Alive() || destroying)
    return;
  StopDoubleClickTimer();
  UpdateFocusAlignment();
  editor->HandleInnerFocusChanged();
}

// --- unit routines ------------------------------------------------------------

void lxSaveInnerTextEditState(IlxInnerTextEdit* inner_edit, bool save_text, TlxCustomInnerTextEditPrevState& state) {
  state.SelStart = inner_edit->GetSelStart();
  state.SelLength = inner_edit->GetSelLength();
  state.TextSaved = save_text;
  if (save_text) {
    Variant value;
    inner_edit->GetEditValue(value);
    state.Text = VarToStrDef(value, "");
  }
}

bool lxInnerTextEditStateChanged(IlxInnerTextEdit* inner_edit, const TlxCustomInnerTextEditPrevState& state) {
  if (!inner_edit->GetControl()->HandleAllocated())
    return true;
  if (inner_edit->GetSelStart() != state.SelStart || inner_edit->GetSelLength() != state.SelLength)
    return true;
  if (!state.TextSaved)
    return false;
  Variant value;
  inner_edit->GetEditValue(value);
  return !AnsiSameText(VarToStrDef(value, ""), state.Text);
}

int32_t lxGetCaretCharIndex(TCustomEdit* edit) {
  if (edit == nullptr || !edit->HandleAllocated())
    return 0;
  POINT caret{};
  GetCaretPos(&caret);
  const auto length = static_cast<int32_t>(GetWindowTextLengthW(edit->Handle()));
  const auto position_of = [edit](int32_t index) {
    return static_cast<int16_t>(LOWORD(SendMessageW(edit->Handle(), EM_POSFROMCHAR, static_cast<WPARAM>(index), 0)));
  };
  // The first character at or right of the caret.
  int32_t low = 0;
  int32_t high = length;
  while (low < high) {
    const int32_t middle = (low + high) / 2;
    if (position_of(middle) < caret.x)
      low = middle + 1;
    else
      high = middle;
  }
  return low;
}
