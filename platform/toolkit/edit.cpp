#include "platform/toolkit/edit.h"

#include <algorithm>

#include "platform/rtl/text.h"

namespace {

std::u16string WindowText16(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace


TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  ControlStyle() = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
}

TCustomEdit::~TCustomEdit() = default;

DWORD TCustomEdit::EditStyle() const {
  DWORD style = ES_AUTOHSCROLL;
  switch (alignment_) {
    case taRightJustify:
      style |= ES_RIGHT;
      break;
    case taCenter:
      style |= ES_CENTER;
      break;
    case taLeftJustify:
      break;
  }
  if (char_case_ == ecUpperCase)
    style |= ES_UPPERCASE;
  else if (char_case_ == ecLowerCase)
    style |= ES_LOWERCASE;
  if (read_only_)
    style |= ES_READONLY;
  if (!hide_selection_)
    style |= ES_NOHIDESEL;
  if (oem_convert_)
    style |= ES_OEMCONVERT;
  return style;
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= EditStyle();
  if (border_style_ == bsSingle)
    params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  HWND window = WindowHandle();
  SendMessageW(window, EM_LIMITTEXT, static_cast<WPARAM>(std::max(max_length_, 0)), 0);
  if (password_char_ != 0)
    SendMessageW(window, EM_SETPASSWORDCHAR, password_char_, 0);
  SendMessageW(window, EM_SETMODIFY, modified_ ? TRUE : FALSE, 0);
  ApplyMargins();
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  TWinControl::DestroyWnd();
}

bool TCustomEdit::IsMultiLineWindow() const {
  return WindowHandle() != nullptr && (GetWindowLongPtrW(WindowHandle(), GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      if (HIWORD(message.WParam) == EN_CHANGE)
        Change();
      message.Result = 0;
      return;
    case WM_SETFONT:
      // The control sets its margins from the new font: ours go back on.
      TWinControl::Dispatch(message);
      ApplyMargins();
      return;
    default:
      TWinControl::Dispatch(message);
  }
}

void TCustomEdit::CMTextChanged(TMessage& message) {
  TWinControl::CMTextChanged(message);
  // A single-line control reports the new text itself (EN_CHANGE); without
  // a window, or for several lines, nobody else does.
  if (!HandleAllocated() || IsMultiLineWindow())
    Change();
}

void TCustomEdit::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (auto_select_ && !ControlState().Contains(csLButtonDown) && HandleAllocated() && !IsMultiLineWindow())
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::SetMaxLength(int32_t length) {
  max_length_ = std::max(length, 0);
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  read_only_ = value;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetPasswordChar(char16_t value) {
  if (value == password_char_)
    return;
  password_char_ = value;
  if (HandleAllocated()) {
    SendMessageW(WindowHandle(), EM_SETPASSWORDCHAR, value, 0);
    Invalidate();
  }
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  if (value == char_case_)
    return;
  char_case_ = value;
  // The style only converts what is typed later; the text is converted now.
  SetText(WithCharCase(Text(), value));
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (value == hide_selection_)
    return;
  hide_selection_ = value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool value) {
  if (value == oem_convert_)
    return;
  oem_convert_ = value;
  RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (value == alignment_)
    return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (value == border_style_)
    return;
  border_style_ = value;
  RecreateWnd();
}

void TCustomEdit::SetMargins(int32_t left, int32_t right) {
  left_margin_ = left;
  right_margin_ = right;
  ApplyMargins();
}

void TCustomEdit::ApplyMargins() {
  if (!HandleAllocated() || (left_margin_ < 0 && right_margin_ < 0))
    return;
  WPARAM which = 0;
  if (left_margin_ >= 0)
    which |= EC_LEFTMARGIN;
  if (right_margin_ >= 0)
    which |= EC_RIGHTMARGIN;
  SendMessageW(WindowHandle(), EM_SETMARGINS, which,
               MAKELPARAM(static_cast<WORD>(std::max(left_margin_, 0)), static_cast<WORD>(std::max(right_margin_, 0))));
}

bool TCustomEdit::Modified() {
  if (!HandleAllocated())
    return modified_;
  return SendMessageW(WindowHandle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value) {
  modified_ = value;
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETMODIFY, value ? TRUE : FALSE, 0);
}

int32_t TCustomEdit::SelStart() {
  DWORD start = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int32_t>(start);
}

void TCustomEdit::SetSelStart(int32_t start) {
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start));
}

int32_t TCustomEdit::SelLength() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int32_t>(end - start);
}

void TCustomEdit::SetSelLength(int32_t length) {
  DWORD start = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  SendMessageW(Handle(), EM_SETSEL, start, static_cast<LPARAM>(static_cast<int32_t>(start) + length));
}

std::string TCustomEdit::SelText() {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::u16string text = WindowText16(Handle());
  start = std::min<DWORD>(start, static_cast<DWORD>(text.size()));
  end = std::clamp<DWORD>(end, start, static_cast<DWORD>(text.size()));
  return Utf16ToUtf8(std::u16string_view(text).substr(start, end - start));
}

void TCustomEdit::SetSelText(const std::string& text) {
  const std::u16string wide = Utf8ToUtf16(text);
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated())
    SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() { SendMessageW(Handle(), WM_CLEAR, 0, 0); }
void TCustomEdit::CopyToClipboard() { SendMessageW(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessageW(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageW(Handle(), WM_PASTE, 0, 0); }
bool TCustomEdit::CanUndo() { return HandleAllocated() && SendMessageW(WindowHandle(), EM_CANUNDO, 0, 0) != 0; }
void TCustomEdit::Undo() { SendMessageW(Handle(), WM_UNDO, 0, 0); }
void TCustomEdit::ClearUndo() { SendMessageW(Handle(), EM_EMPTYUNDOBUFFER, 0, 0); }

int32_t TCustomEdit::FirstVisibleCharIndex() {
  if (!HandleAllocated())
    return 0;
  const LRESULT found = SendMessageW(WindowHandle(), EM_CHARFROMPOS, 0, MAKELPARAM(0, 0));
  return LOWORD(found);
}
