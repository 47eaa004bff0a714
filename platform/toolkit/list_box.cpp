#include "platform/toolkit/list_box.h"

#include <algorithm>

#include "platform/rtl/text.h"
#include "platform/toolkit/errors.h"

TOwnerDrawState OwnerDrawStateOf(UINT item_state) {
  TOwnerDrawState state;
  const std::pair<UINT, TOwnerDrawStateFlag> flags[] = {
      {ODS_SELECTED, odSelected}, {ODS_GRAYED, odGrayed},     {ODS_DISABLED, odDisabled},
      {ODS_CHECKED, odChecked},   {ODS_FOCUS, odFocused},     {ODS_DEFAULT, odDefault},
      {ODS_HOTLIGHT, odHotLight}, {ODS_INACTIVE, odInactive}, {ODS_NOACCEL, odNoAccel},
      {ODS_NOFOCUSRECT, odNoFocusRect}, {ODS_COMBOBOXEDIT, odComboBoxEdit},
  };
  for (const auto& [bit, flag] : flags)
    if ((item_state & bit) != 0)
      state.Include(flag);
  return state;
}

namespace {

EOutOfResources InsertLineError() { return EOutOfResources("Unable to insert a line"); }

constexpr TListControlMessages kListBoxMessages{
    LB_GETCOUNT,    LB_GETTEXT,    LB_GETTEXTLEN,    LB_ADDSTRING,    LB_INSERTSTRING,
    LB_DELETESTRING, LB_RESETCONTENT, LB_GETITEMDATA, LB_SETITEMDATA, LB_FINDSTRINGEXACT,
};

}  // namespace

// --- TListControlStrings ------------------------------------------------------------------

void TListControlStrings::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EStringListError::IndexOutOfBounds(index);
}

int32_t TListControlStrings::Count() const {
  if (!HasWindow())
    return host_.SavedItems().Count();
  return static_cast<int32_t>(Send(messages_.get_count));
}

std::string TListControlStrings::Get(int32_t index) const {
  CheckIndex(index);
  if (!HasWindow())
    return host_.SavedItems().Get(index);
  const auto length = static_cast<int32_t>(Send(messages_.get_text_length, static_cast<WPARAM>(index)));
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const auto copied = static_cast<int32_t>(
      Send(messages_.get_text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(copied, 0, std::max(length, 0))));
  return Utf16ToUtf8(text);
}

void TListControlStrings::Put(int32_t index, const std::string& text) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().Put(index, text);
    return;
  }
  // The controls replace no text in place: the item is deleted and put back
  // with its data and selection.
  host_.BeginItemReplace(index);
  const uintptr_t slot = GetSlot(index);
  Delete(index);
  Insert(index, text);
  PutSlot(index, slot);
  host_.EndItemReplace(index);
}

uintptr_t TListControlStrings::GetSlot(int32_t index) const {
  CheckIndex(index);
  if (!HasWindow())
    return host_.SavedItems().GetSlot(index);
  return static_cast<uintptr_t>(Send(messages_.get_item_data, static_cast<WPARAM>(index)));
}

void TListControlStrings::PutSlot(int32_t index, uintptr_t slot) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().PutSlot(index, slot);
    return;
  }
  Send(messages_.set_item_data, static_cast<WPARAM>(index), static_cast<LPARAM>(slot));
}

int32_t TListControlStrings::Add(const std::string& text) {
  if (!HasWindow())
    return host_.SavedItems().Add(text);
  const std::u16string wide = Utf8ToUtf16(text);
  const auto index = static_cast<int32_t>(Send(messages_.add_string, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  if (index < 0)
    throw InsertLineError();
  host_.ItemInserted(index);
  return index;
}

void TListControlStrings::Insert(int32_t index, const std::string& text) {
  if (index < 0 || index > Count())
    throw EStringListError::IndexOutOfBounds(index);
  if (!HasWindow()) {
    // The saved copy of a sorted list keeps its order by itself.
    if (host_.SavedItems().Sorted())
      host_.SavedItems().Add(text);
    else
      host_.SavedItems().Insert(index, text);
    return;
  }
  const std::u16string wide = Utf8ToUtf16(text);
  if (Send(messages_.insert_string, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())) < 0)
    throw InsertLineError();
  host_.ItemInserted(index);
}

void TListControlStrings::Delete(int32_t index) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().Delete(index);
    return;
  }
  Send(messages_.delete_string, static_cast<WPARAM>(index));
}

void TListControlStrings::Clear() {
  if (!HasWindow()) {
    host_.SavedItems().Clear();
    return;
  }
  Send(messages_.reset_content);
}

int32_t TListControlStrings::IndexOf(std::string_view text) const {
  if (!HasWindow())
    return host_.SavedItems().IndexOf(text);
  const std::u16string wide = Utf8ToUtf16(text);
  const auto found = static_cast<int32_t>(
      Send(messages_.find_string_exact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
  return found < 0 ? -1 : found;
}

void TListControlStrings::SetUpdateState(bool updating) {
  if (!HasWindow())
    return;
  Send(WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating)
    InvalidateRect(host_.ItemsWindow(), nullptr, TRUE);
}

void SaveListControlItems(TStrings& items, TStringList& saved) {
  saved.Clear();
  saved.SetSorted(false);
  const int32_t count = items.Count();
  for (int32_t i = 0; i < count; ++i)
    saved.AddData(items.Get(i), static_cast<intptr_t>(items.GetSlot(i)));
}

int32_t RestoreListControlItems(HWND window, const TListControlMessages& messages, bool sorted,
                                const TStringList& saved, int32_t saved_index,
                                const std::function<void(int32_t saved_position, int32_t index)>& restored) {
  int32_t moved_index = -1;
  for (int32_t i = 0; i < saved.Count(); ++i) {
    const std::u16string wide = Utf8ToUtf16(saved.Line(i));
    const auto text = reinterpret_cast<LPARAM>(wide.c_str());
    const auto index = static_cast<int32_t>(sorted ? SendMessageW(window, messages.add_string, 0, text)
                                                    : SendMessageW(window, messages.insert_string, static_cast<WPARAM>(-1), text));
    if (index < 0)
      continue;
    // A sorted control may put an item in front of the one followed.
    if (i == saved_index)
      moved_index = index;
    else if (moved_index >= 0 && index <= moved_index)
      ++moved_index;
    SendMessageW(window, messages.set_item_data, static_cast<WPARAM>(index), static_cast<LPARAM>(saved.GetSlot(i)));
    restored(i, index);
  }
  return moved_index;
}

void DrawOwnerDrawnItem(TWinControl& control, TControlCanvas& canvas, const DRAWITEMSTRUCT& item,
                        const std::function<void(int32_t index, const TRect& rect, TOwnerDrawState state)>& draw) {
  const TOwnerDrawState state = OwnerDrawStateOf(item.itemState);
  const int saved = SaveDC(item.hDC);
  canvas.FreeHandle();
  canvas.SetHandle(item.hDC);
  canvas.SetFont(control.Font());
  canvas.SetBrush(control.Brush());
  const TRect rect(item.rcItem);
  const auto index = static_cast<int32_t>(item.itemID);
  try {
    if (index >= 0 && (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
      draw(index, rect, state);
    if (state.Contains(odFocused) && !state.Contains(odNoFocusRect))
      canvas.DrawFocusRect(rect);
  } catch (...) {
    canvas.SetHandle(nullptr);
    RestoreDC(item.hDC, saved);
    throw;
  }
  canvas.SetHandle(nullptr);
  RestoreDC(item.hDC, saved);
}

void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text, TOwnerDrawState state) {
  if (state.Contains(odSelected)) {
    canvas.Brush().SetColor(clHighlight);
    canvas.Font().SetColor(clHighlightText);
  }
  canvas.FillRect(rect);
  TRect text_rect = rect;
  text_rect.Left += 2;
  canvas.Brush().SetStyle(bsClear);
  canvas.TextRect(text_rect, text, TTextFormat{tfSingleLine, tfVerticalCenter, tfNoPrefix});
}

// --- TCustomListBox -------------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TListControlStrings>(static_cast<IListControlHost&>(*this), kListBoxMessages)),
      canvas_(std::make_unique<TControlCanvas>()),
      saved_items_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  ControlStyle() = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  canvas_->SetControl(this);
}

TCustomListBox::~TCustomListBox() {
  // The window goes while the items and the canvas its last messages may
  // need still exist.
  Destroying();
  DestroyHandle();
  canvas_->FreeHandle();
}

LRESULT TCustomListBox::Send(UINT message, WPARAM wparam, LPARAM lparam) {
  return SendMessageW(Handle(), message, wparam, lparam);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY;
  if (style_ == lbOwnerDrawFixed)
    params.Style |= LBS_OWNERDRAWFIXED;
  else if (style_ == lbOwnerDrawVariable)
    params.Style |= LBS_OWNERDRAWVARIABLE;
  if (multi_select_)
    params.Style |= extended_select_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (sorted_)
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
  if (style_ == lbOwnerDrawFixed)
    Send(LB_SETITEMHEIGHT, 0, item_height_);

  Send(WM_SETREDRAW, FALSE);
  const int32_t item_index =
      RestoreListControlItems(WindowHandle(), kListBoxMessages, sorted_, *saved_items_, saved_item_index_,
                              [this](int32_t saved_position, int32_t index) {
                                ApplyItemHeight(index);
                                const auto position = static_cast<size_t>(saved_position);
                                if (multi_select_ && position < saved_selection_.size() && saved_selection_[position])
                                  Send(LB_SETSEL, TRUE, index);
                              });
  Send(WM_SETREDRAW, TRUE);
  saved_items_->Clear();
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
  const int32_t count = items_->Count();
  for (int32_t i = 0; i < count; ++i)
    saved_selection_.push_back(multi_select_ && Send(LB_GETSEL, static_cast<WPARAM>(i)) > 0);
  // The saved copy is filled last: once it holds items, they are the items.
  TStringList saved;
  SaveListControlItems(*items_, saved);
  saved_item_index_ = ItemIndex();
  saved_top_index_ = TopIndex();
  TWinControl::DestroyWnd();
  saved_items_->Assign(&saved);
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

void TCustomListBox::ApplyItemHeight(int32_t index) {
  // Each item of a variable list asks for its height as it is added; the
  // answer goes to the control directly, wherever the system's question
  // went.
  if (style_ != lbOwnerDrawVariable || !HandleAllocated())
    return;
  int32_t height = item_height_;
  MeasureItem(index, height);
  Send(LB_SETITEMHEIGHT, static_cast<WPARAM>(index), std::clamp(height, 1, 255));
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
    case CN_DRAWITEM:
      CNDrawItem(message);
      return;
    case CN_MEASUREITEM:
      CNMeasureItem(message);
      return;
    default:
      TWinControl::Dispatch(message);
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

void TCustomListBox::CNDrawItem(TMessage& message) {
  message.Result = 1;
  if (const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam))
    DrawOwnerDrawnItem(*this, *canvas_, *draw,
                       [this](int32_t index, const TRect& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
}

void TCustomListBox::CNMeasureItem(TMessage& message) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
  message.Result = 1;
  if (measure == nullptr)
    return;
  int32_t height = item_height_;
  if (style_ == lbOwnerDrawVariable)
    MeasureItem(static_cast<int32_t>(measure->itemID), height);
  measure->itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
}

void TCustomListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  DrawItemText(*canvas_, rect, index < items_->Count() ? items_->Get(index) : std::string(), state);
}

void TCustomListBox::MeasureItem(int32_t index, int32_t& height) {
  if (OnMeasureItem)
    OnMeasureItem(this, index, height);
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

bool TCustomListBox::Selected(int32_t index) {
  if (index < 0 || index >= items_->Count())
    throw EListError::IndexOutOfBounds(index);
  return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void TCustomListBox::SetSelected(int32_t index, bool selected) {
  if (index < 0 || index >= items_->Count())
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
  if (style_ == lbStandard && HandleAllocated())
    return static_cast<int32_t>(Send(LB_GETITEMHEIGHT));
  return item_height_;
}

void TCustomListBox::SetItemHeight(int32_t height) {
  if (height <= 0 || height == item_height_)
    return;
  item_height_ = height;
  if (style_ == lbOwnerDrawFixed && HandleAllocated()) {
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
    saved_items_->SetSorted(value);
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
  const int32_t count = items_->Count();
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

void TCustomListBox::WMMouseButton(TMessage& message) {
  const TAliveToken alive = AliveToken();
  DefaultHandler(message);
  if (alive.Alive())
    TWinControl::WMMouseButton(message);
}

void TCustomListBox::WMMouseMove(TMessage& message) {
  DefaultHandler(message);
  TWinControl::WMMouseMove(message);
}
