#include "platform/toolkit/list_box.h"

#include <algorithm>

#include "platform/rtl/text.h"

namespace {

constexpr TListControlMessages kListBoxMessages{
    LB_GETCOUNT,    LB_GETTEXT,    LB_GETTEXTLEN,    LB_ADDSTRING,    LB_INSERTSTRING,
    LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRINGEXACT,
};

}  // namespace

// --- TCustomListBox -------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner) : TCustomListControl(owner, kListBoxMessages) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  ControlStyle() = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
}

TCustomListBox::~TCustomListBox() = default;

LRESULT TCustomListBox::Send(UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(Handle(), message, wparam, lparam);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_NOTIFY;
  // A virtual list keeps no data: the system knows only the count.
  if (IsVirtual())
    params.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA;
  else
    params.Style |= LBS_HASSTRINGS;
  if (style_ == lbOwnerDrawFixed)
    params.Style |= LBS_OWNERDRAWFIXED;
  else if (style_ == lbOwnerDrawVariable)
    params.Style |= LBS_OWNERDRAWVARIABLE;
  if (multi_select_)
    params.Style |= extended_select_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (sorted_ && !IsVirtual())
    params.Style |= LBS_SORT;
  if (!integral_height_)
    params.Style |= LBS_NOINTEGRALHEIGHT;
  if (columns_ > 0)
    params.Style |= LBS_MULTICOLUMN;
  if (tab_width_ > 0)
    params.Style |= LBS_USETABSTOPS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  if (tab_width_ > 0)
    Send(LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&tab_width_));
  ApplyColumnWidth();
  Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scroll_width_));
  virtual_window_ = IsVirtual();
  if (virtual_window_) {
    Send(LB_SETCOUNT, static_cast<WPARAM>(virtual_count_));
    SavedItems().Clear();
    SetItemIndex(saved_item_index_);
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(saved_top_index_, 0)));
    return;
  }

  Send(WM_SETREDRAW, FALSE);
  const int32_t item_index =
      RestoreListControlItems(WindowHandle(), kListBoxMessages, sorted_, SavedItems(), saved_item_index_,
                              [this](int32_t saved_position, int32_t index) {
                                const auto position = static_cast<size_t>(saved_position);
                                if (multi_select_ && position < saved_selection_.size() && saved_selection_[position])
                                  Send(LB_SETSEL, TRUE, index);
                              });
  Send(WM_SETREDRAW, TRUE);
  SavedItems().Clear();
  saved_selection_.clear();
  SetItemIndex(item_index);
  Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(saved_top_index_, 0)));
}

void TCustomListBox::DestroyWnd() {
  if (ComponentState().Contains(csDestroying)) {
    TWinControl::DestroyWnd();
    return;
  }
  saved_selection_.clear();
  // The window's style decides: a style change has set the new one already.
  if (virtual_window_) {
    saved_item_index_ = ItemIndex();
    saved_top_index_ = TopIndex();
    TWinControl::DestroyWnd();
    return;
  }
  const int32_t count = Items().Count();
  for (int32_t i = 0; i < count; ++i)
    saved_selection_.push_back(multi_select_ && Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0);
  // The saved copy is filled last: once it holds items, they are the items.
  TStringList saved;
  SaveListControlItems(Items(), saved);
  saved_item_index_ = ItemIndex();
  saved_top_index_ = TopIndex();
  TWinControl::DestroyWnd();
  SavedItems().Assign(&saved);
}

void TCustomListBox::BeginItemReplace(int32_t index) {
  replace_item_index_ = ItemIndex();
  replace_selected_ = Selected(index);
}

void TCustomListBox::EndItemReplace(int32_t index) {
  if (multi_select_)
    SetSelected(index, replace_selected_);
  SetItemIndex(replace_item_index_);
}

void TCustomListBox::ApplyColumnWidth() {
  if (columns_ > 0 && HandleAllocated())
    Send(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max((Width() + columns_ - 3) / columns_, 1)));
}

void TCustomListBox::BoundsChanged() {
  TWinControl::BoundsChanged();
  ApplyColumnWidth();
}

void TCustomListBox::Dispatch(TMessage& message) {
  switch (message.Msg) {
    case CN_COMMAND:
      CNCommand(message);
      return;
    default:
      TCustomListControl::Dispatch(message);
  }
}

void TCustomListBox::CNCommand(TMessage& message) {
  switch (HIWORD(message.WParam)) {
    case LBN_SELCHANGE:
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
  message.Result = 0;
}

int32_t TCustomListBox::ItemIndex() {
  if (!HandleAllocated())
    return saved_item_index_;
  return static_cast<int32_t>(multi_select_ ? Send(LB_GETCARETINDEX) : Send(LB_GETCURSEL));
}

void TCustomListBox::SetItemIndex(int32_t index) {
  if (!HandleAllocated()) {
    saved_item_index_ = index;
    return;
  }
  if (multi_select_)
    Send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
  else
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
}

void TCustomListBox::SetMultiSelect(bool value) {
  if (value == multi_select_)
    return;
  multi_select_ = value;
  RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value) {
  if (value == extended_select_)
    return;
  extended_select_ = value;
  RecreateWnd();
}

int32_t TCustomListBox::Count() {
  if (IsVirtual())
    return virtual_count_;
  return Items().Count();
}

void TCustomListBox::SetCount(int32_t count) {
  if (!IsVirtual())
    throw EListError("Only a virtual list box takes a count");
  virtual_count_ = std::max(count, 0);
  if (HandleAllocated())
    Send(LB_SETCOUNT, static_cast<WPARAM>(virtual_count_));
}

void TCustomListBox::Clear() {
  if (IsVirtual())
    SetCount(0);
  else
    Items().Clear();
}

std::string TCustomListBox::DoGetData(int32_t index) {
  std::string data;
  if (OnData)
    OnData(this, index, data);
  return data;
}

TObject* TCustomListBox::DoGetDataObject(int32_t index) {
  TObject* data_object = nullptr;
  if (OnDataObject)
    OnDataObject(this, index, data_object);
  return data_object;
}

int32_t TCustomListBox::DoFindData(const std::string& data) {
  if (OnDataFind)
    return OnDataFind(this, data);
  return -1;
}

void TCustomListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (IsVirtual() && !OnDrawItem) {
    DrawItemText(Canvas(), rect, DoGetData(index), state);
    return;
  }
  TCustomListControl::DrawItem(index, rect, state);
}

void TCustomListBox::KeyPress(char16_t& key) {
  TCustomListControl::KeyPress(key);
  if (key == 0 || key < u' ')
    return;
  if (!auto_complete_) {
    key = 0;
    return;
  }
  if (IsVirtual()) {
    SearchVirtualItem(key);
    key = 0;
  }
}

void TCustomListBox::SearchVirtualItem(char16_t key) {
  // Characters typed within half a second of each other make one text.
  constexpr uint32_t kSearchPause = 500;
  const uint32_t now = GetTickCount();
  if (now - virtual_search_time_ >= kSearchPause)
    virtual_search_.clear();
  virtual_search_time_ = now;
  virtual_search_ += Utf16ToUtf8(std::u16string(1, key));
  const int32_t found = DoFindData(virtual_search_);
  if (found < 0 || found >= virtual_count_)
    return;
  SetItemIndex(found);
  Click();
}

bool TCustomListBox::Selected(int32_t index) {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void TCustomListBox::SetSelected(int32_t index, bool selected) {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  if (multi_select_) {
    Send(LB_SETSEL, selected ? TRUE : FALSE, index);
    return;
  }
  if (selected)
    Send(LB_SETCURSEL, static_cast<WPARAM>(index));
  else if (ItemIndex() == index)
    Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

int32_t TCustomListBox::SelCount() {
  if (!multi_select_)
    return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int32_t>(Send(LB_GETSELCOUNT));
}

void TCustomListBox::ClearSelection() {
  if (multi_select_)
    Send(LB_SETSEL, FALSE, -1);
  else
    Send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

void TCustomListBox::SelectAll() {
  if (multi_select_)
    Send(LB_SETSEL, TRUE, -1);
}

int32_t TCustomListBox::TopIndex() {
  if (!HandleAllocated())
    return saved_top_index_;
  return static_cast<int32_t>(Send(LB_GETTOPINDEX));
}

void TCustomListBox::SetTopIndex(int32_t index) {
  if (!HandleAllocated()) {
    saved_top_index_ = index;
    return;
  }
  Send(LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

void TCustomListBox::SetStyle(TListBoxStyle style) {
  if (style == style_)
    return;
  style_ = style;
  RecreateWnd();
}

int32_t TCustomListBox::ItemHeight() {
  if ((style_ == lbStandard) && HandleAllocated())
    return static_cast<int32_t>(Send(LB_GETITEMHEIGHT));
  return OwnerDrawItemHeight();
}

void TCustomListBox::SetItemHeight(int32_t height) {
  if (height <= 0 || height == OwnerDrawItemHeight())
    return;
  SetOwnerDrawItemHeight(height);
  if ((style_ == lbOwnerDrawFixed || IsVirtual()) && HandleAllocated()) {
    Send(LB_SETITEMHEIGHT, 0, height);
    Invalidate();
  }
}

void TCustomListBox::SetSorted(bool value) {
  if (value == sorted_)
    return;
  sorted_ = value;
  // The items come back through the new window's sorting.
  RecreateWnd();
  if (!HandleAllocated())
    SavedItems().SetSorted(value);
}

void TCustomListBox::SetColumns(int32_t columns) {
  columns = std::max(columns, 0);
  if (columns == columns_)
    return;
  const bool style_changes = (columns == 0) != (columns_ == 0);
  columns_ = columns;
  if (style_changes)
    RecreateWnd();
  else
    ApplyColumnWidth();
}

void TCustomListBox::SetIntegralHeight(bool value) {
  if (value == integral_height_)
    return;
  integral_height_ = value;
  RecreateWnd();
}

void TCustomListBox::SetScrollWidth(int32_t width) {
  scroll_width_ = std::max(width, 0);
  if (HandleAllocated())
    Send(LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(scroll_width_));
}

void TCustomListBox::SetTabWidth(int32_t width) {
  width = std::max(width, 0);
  if (width == tab_width_)
    return;
  tab_width_ = width;
  RecreateWnd();
}

int32_t TCustomListBox::ItemAtPos(TPoint point, bool existing) {
  const int32_t count = Count();
  if (count == 0)
    return existing ? -1 : 0;
  const LRESULT found = Send(LB_ITEMFROMPOINT, 0, PointToLParam(point));
  const int32_t index = LOWORD(found);
  const bool outside = HIWORD(found) != 0;
  if (!outside && index < count)
    return index;
  return existing ? -1 : std::min(index, count);
}

TRect TCustomListBox::ItemRect(int32_t index) {
  RECT rect{};
  if (Send(LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
    return {};
  return rect;
}
