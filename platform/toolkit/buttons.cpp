#include "platform/toolkit/buttons.h"

#include "platform/rtl/text.h"

bool IsAccel(char16_t key, std::string_view caption) {
  const std::u16string text = Utf8ToUtf16(caption);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&')
      continue;
    if (text[i + 1] == u'&') {
      ++i;
      continue;
    }
    const std::string marked = Utf16ToUtf8(std::u16string(1, text[i + 1]));
    return AnsiSameText(marked, Utf16ToUtf8(std::u16string(1, key)));
  }
  return false;
}

// --- TButtonControl ------------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
  ControlStyle() = TControlStyle{csSetCaption, csDoubleClicks};
}

void TButtonControl::SetWordWrap(bool value) {
  if (value == word_wrap_)
    return;
  word_wrap_ = value;
  RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  if (word_wrap_)
    params.Style |= BS_MULTILINE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TButtonControl::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      message.Result = 0;
      if (HIWORD(message.WParam) == BN_CLICKED)
        ButtonClicked();
      else if (HIWORD(message.WParam) == BN_DOUBLECLICKED)
        DblClick();
      return;
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<char16_t>(message.WParam), Caption()) && CanFocus()) {
        AccelPressed();
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::Dispatch(message);
}


// --- TButton --------------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value) {
  if (value == default_)
    return;
  default_ = value;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

bool TButton::TakesEnter() const {
  // A focused button takes Enter itself; a default one takes it while no
  // other button has the focus.
  TWinControl* focused = FindControl(GetFocus());
  if (focused == this)
    return true;
  return default_ && dynamic_cast<TButton*>(focused) == nullptr;
}

void TButton::Dispatch(TMessage& message) {
  if (message.Msg == CM_DIALOGKEY) {
    const bool enter = message.WParam == VK_RETURN && TakesEnter();
    const bool escape = message.WParam == VK_ESCAPE && cancel_;
    if ((enter || escape) && KeyDataToShiftState(message.LParam).Empty() && CanFocus()) {
      Click();
      message.Result = 1;
      return;
    }
  }
  TButtonControl::Dispatch(message);
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this))
    form->SetModalResult(modal_result_);
  TButtonControl::Click();
}

// --- TCustomCheckBox ----------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  // The box changes through Toggle, which also knows the grayed state.
  params.Style |= BS_3STATE;
  if (alignment_ == taLeftOfText)
    params.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state == state_)
    return;
  state_ = state;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETCHECK, static_cast<WPARAM>(state_), 0);
  Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked:
      SetState(allow_grayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

void TCustomCheckBox::AccelPressed() {
  SetFocus();
  if (Focused())
    Toggle();
}

// --- TRadioButton ----------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.Style |= BS_RADIOBUTTON;
  if (alignment_ == taLeftOfText)
    params.Style |= BS_LEFTTEXT;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!checked)
    return;
  // One radio button of a parent is checked at a time.
  if (TWinControl* parent = Parent()) {
    for (int32_t i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
      if (sibling != nullptr && sibling != this)
        sibling->SetChecked(false);
    }
  }
  Click();
}

void TRadioButton::SetAlignment(TLeftRight value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  RecreateWnd();
}

void TRadioButton::AccelPressed() {
  SetFocus();
  if (Focused())
    SetChecked(true);
}
