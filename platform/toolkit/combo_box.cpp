#include "platform/toolkit/combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/rtl/text.h"

namespace {

constexpr TListControlMessages kComboBoxMessages{
    CB_GETCOUNT,    CB_GETLBTEXT,    CB_GETLBTEXTLEN,  CB_ADDSTRING,   CB_INSERTSTRING,
    CB_DELETESTRING, CB_RESETCONTENT, CB_GETITEMDATA, CB_SETITEMDATA, CB_FINDSTRINGEXACT,
};

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner) : TCustomListControl(owner, kComboBoxMessages) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  ControlStyle() = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
}

TCustomComboBox::~TCustomComboBox() = default;

LRESULT TCustomComboBox::Send(UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(Handle(), message, wparam, lparam);
}

void TCustomComboBox::Clear() {
  Items().Clear();
  SetText("");
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  switch (style_) {
    case csDropDown:
      params.Style |= CBS_DROPDOWN;
      break;
    case csSimple:
      params.Style |= CBS_SIMPLE;
      break;
    case csDropDownList:
      params.Style |= CBS_DROPDOWNLIST;
      break;
    case csOwnerDrawFixed:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
      break;
    case csOwnerDrawVariable:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
      break;
  }
  if (sorted_)
    params.Style |= CBS_SORT;
  if (char_case_ == ecUpperCase)
    params.Style |= CBS_UPPERCASE;
  else if (char_case_ == ecLowerCase)
    params.Style |= CBS_LOWERCASE;
  // A drop-down window's height includes its list; the list shows
  // DropDownCount rows below the field.
  if (style_ != csSimple)
    params.Height = Height() + std::max(drop_down_count_, 1) * (Height() - 4) + 2;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::CreateWnd() {
  const std::string text = TControl::GetText();
  TWinControl::CreateWnd();
  Send(CB_LIMITTEXT, static_cast<WPARAM>(std::max(max_length_, 0)));
  ApplyDropDownCount();
  const int32_t item_index =
      RestoreListControlItems(WindowHandle(), kComboBoxMessages, sorted_, SavedItems(), saved_item_index_,
                              [](int32_t, int32_t) {});
  SavedItems().Clear();
  Send(CB_SETCURSEL, static_cast<WPARAM>(item_index));
  // The edit field keeps what was typed even when it names no item.
  if (HasEdit()) {
    const std::u16string wide = Utf8ToUtf16(text);
    SetWindowTextW(WindowHandle(), reinterpret_cast<const wchar_t*>(wide.c_str()));
  }
}

void TCustomComboBox::DestroyWnd() {
  if (ComponentState().Contains(csDestroying)) {
    TWinControl::DestroyWnd();
    return;
  }
  TStringList saved;
  SaveListControlItems(Items(), saved);
  saved_item_index_ = static_cast<int32_t>(Send(CB_GETCURSEL));
  TWinControl::DestroyWnd();
  SavedItems().Assign(&saved);
}

void TCustomComboBox::BeginItemReplace(int32_t) { replace_item_index_ = ItemIndex(); }

void TCustomComboBox::EndItemReplace(int32_t) { SetItemIndex(replace_item_index_); }

void TCustomComboBox::ApplyDropDownCount() {
  if (HandleAllocated())
    SendMessageW(WindowHandle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(drop_down_count_, 1)), 0);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_)
    return;
  style_ = style;
  RecreateWnd();
}

int32_t TCustomComboBox::ItemIndex() {
  if (!HandleAllocated())
    return saved_item_index_;
  return static_cast<int32_t>(Send(CB_GETCURSEL));
}

void TCustomComboBox::SetItemIndex(int32_t index) {
  if (!HandleAllocated()) {
    saved_item_index_ = index;
    if (index >= 0 && index < Items().Count())
      TControl::SetTextBuffer(Items().Get(index));
    return;
  }
  Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

void TCustomComboBox::SetTextBuffer(const std::string& text) {
  if (HasList()) {
    // A list-only field shows items only: the text picks one.
    SetItemIndex(Items().IndexOf(text));
    if (!HandleAllocated())
      TControl::SetTextBuffer(text);
    return;
  }
  TWinControl::SetTextBuffer(text);
}

void TCustomComboBox::SetDropDownCount(int32_t count) {
  drop_down_count_ = std::max(count, 1);
  ApplyDropDownCount();
}

bool TCustomComboBox::DroppedDown() { return HandleAllocated() && Send(CB_GETDROPPEDSTATE) != 0; }

void TCustomComboBox::SetDroppedDown(bool value) { Send(CB_SHOWDROPDOWN, value ? TRUE : FALSE); }

void TCustomComboBox::SetSorted(bool value) {
  if (value == sorted_)
    return;
  sorted_ = value;
  RecreateWnd();
  if (!HandleAllocated())
    SavedItems().SetSorted(value);
}

void TCustomComboBox::SetCharCase(TEditCharCase value) {
  if (value == char_case_)
    return;
  char_case_ = value;
  SetText(WithCharCase(Text(), value));
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int32_t length) {
  max_length_ = std::max(length, 0);
  if (HandleAllocated())
    Send(CB_LIMITTEXT, static_cast<WPARAM>(max_length_));
}

int32_t TCustomComboBox::ItemHeight() {
  if (HandleAllocated() && style_ != csOwnerDrawFixed && style_ != csOwnerDrawVariable)
    return static_cast<int32_t>(Send(CB_GETITEMHEIGHT, 0));
  return OwnerDrawItemHeight();
}

void TCustomComboBox::SetItemHeight(int32_t height) {
  if (height <= 0 || height == OwnerDrawItemHeight())
    return;
  SetOwnerDrawItemHeight(height);
  if (style_ == csOwnerDrawFixed && HandleAllocated())
    Send(CB_SETITEMHEIGHT, 0, height);
}

int32_t TCustomComboBox::SelStart() {
  DWORD start = 0;
  Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int32_t>(start);
}

void TCustomComboBox::SetSelStart(int32_t start) {
  Send(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(start)));
}

int32_t TCustomComboBox::SelLength() {
  DWORD start = 0;
  DWORD end = 0;
  Send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int32_t>(end - start);
}

void TCustomComboBox::SetSelLength(int32_t length) {
  const int32_t start = SelStart();
  Send(CB_SETEDITSEL, 0, MAKELPARAM(static_cast<WORD>(start), static_cast<WORD>(start + length)));
}

std::string TCustomComboBox::SelText() {
  const std::u16string text = Utf8ToUtf16(Text());
  const auto start = static_cast<size_t>(std::clamp(SelStart(), 0, static_cast<int32_t>(text.size())));
  const auto length = static_cast<size_t>(std::max(SelLength(), 0));
  return Utf16ToUtf8(std::u16string_view(text).substr(start, length));
}

void TCustomComboBox::SelectAll() { Send(CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF)); }

void TCustomComboBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      CNCommand(message);
      return;
    default:
      TCustomListControl::Dispatch(message);
  }
}

void TCustomComboBox::CNCommand(TMessage& message) {
  message.Result = 0;
  const TAliveToken alive = AliveToken();
  switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE: {
      // The field shows the chosen item only after this notification; the
      // handlers see it at once.
      const int32_t index = ItemIndex();
      if (HasEdit() && index >= 0) {
        const std::u16string wide = Utf8ToUtf16(Items().Get(index));
        SetWindowTextW(WindowHandle(), reinterpret_cast<const wchar_t*>(wide.c_str()));
      }
      Click();
      if (alive.Alive())
        Select();
      break;
    }
    case CBN_EDITCHANGE:
      Change();
      break;
    case CBN_DROPDOWN:
      DropDown();
      break;
    case CBN_CLOSEUP:
      CloseUp();
      break;
    case CBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
}

void TCustomComboBox::Change() {
  if (OnChange)
    OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown)
    OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp)
    OnCloseUp(this);
}
