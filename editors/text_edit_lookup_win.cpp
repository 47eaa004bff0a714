#include "editors/text_edit_lookup_win.h"

#include "editors/edit_list_box_win.h"
#include "editors/text_edit_control_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

TlxCustomTextEditLookupData::TlxCustomTextEditLookupData(TlxCustomTextEdit* owner)
    : TlxInterfacedPersistent(owner), owner_(owner) {}

TlxCustomTextEditLookupData::~TlxCustomTextEditLookupData() = default;

TlxCustomTextEditProperties* TlxCustomTextEditLookupData::GetEditProperties() const {
  return owner_->ActiveProperties();
}

void TlxCustomTextEditLookupData::GetItemText(int32_t index, std::string& text) {
  const TStringList* items = GetEditProperties()->LookupItems();
  text = index >= 0 && index < items->Count() ? (*items)[index] : std::string();
}

int32_t TlxCustomTextEditLookupData::GetItemCount() { return GetEditProperties()->LookupItems()->Count(); }

TlxLookupItemText TlxCustomTextEditLookupData::ItemTextReader() {
  return [this](int32_t index) {
    std::string text;
    GetItemText(index, text);
    return text;
  };
}

int32_t TlxCustomTextEditLookupData::IndexOfText(const std::string& text) {
  return lxIndexOfLookupText(ItemTextReader(), GetItemCount(), text);
}

void TlxCustomTextEditLookupData::HandleListSelectionChange(TObject* /*sender*/) {
  if (TlxCustomEditListBox* list = list_.Get())
    item_index_ = list->ItemIndex();
}

void TlxCustomTextEditLookupData::ResetCurrentKeyForStyle(bool exact, bool text_empty) {
  if (lxLookupMissClearsKey(GetEditProperties()->GetEditingStyle(), exact, text_empty))
    SetCurrentKeyIndex(-1);
}

bool TlxCustomTextEditLookupData::LocateText(std::string& text, std::string& tail, bool from_current, bool exact) {
  const int32_t count = GetItemCount();
  if (count == 0) {
    ResetCurrentKeyForStyle(exact, text.empty());
    return false;
  }
  if (exact && GetEditProperties()->MRUMode()) {
    const int32_t index = IndexOfText(text);
    SetCurrentKeyIndex(index);
    if (index < 0)
      return false;
    tail.clear();
    return true;
  }
  const int32_t from = from_current ? item_index_ + 1 : 0;
  const int32_t found = lxLocateLookupPrefix(ItemTextReader(), count, from, text, tail);
  if (found >= 0) {
    SetCurrentKeyIndex(found);
    return true;
  }
  ResetCurrentKeyForStyle(exact, text.empty());
  return false;
}

void TlxCustomTextEditLookupData::SyncListItemCount() {
  if (TlxCustomEditListBox* list = list_.Get())
    list->SetItemCount(GetItemCount());
}

void TlxCustomTextEditLookupData::SyncListSelection() {
  if (!owner_->IsValueChangingLocked())
    SetListItemIndex(current_key_);
}

TWinControl* TlxCustomTextEditLookupData::GetListControl() { return list_.Get(); }

void TlxCustomTextEditLookupData::GetDisplayText(const Variant& key, std::string& text) {
  text.clear();
  if (key.IsNull() || key.IsEmpty())
    return;
  const int32_t index = key.AsInteger();
  if (index >= 0 && index < GetItemCount())
    GetItemText(index, text);
}

void TlxCustomTextEditLookupData::MoveCurrentItem(TlxLookupMoveDirection direction, bool cycle) {
  const int32_t count = GetItemCount();
  if (count == 0)
    return;
  const int32_t start = item_index_ != -1 ? item_index_ : current_key_;
  const int32_t target =
      lxLookupMoveTarget(direction, start, count, GetEditProperties()->GetLookupPageRowCount(), cycle);
  TlxCustomEditListBox* list = list_.Get();
  if (list == nullptr || !list->Visible() ||
      (GetEditProperties()->ImmediateUpdateText() && owner_->TryStartEditing()))
    SetCurrentKey(Variant(target));
  else
    SetListItemIndex(target);
}

void TlxCustomTextEditLookupData::SetListItemIndex(int32_t index) {
  if (index < -1 || index >= GetItemCount())
    return;
  if (index == item_index_ && index != -1)
    return;
  if (TlxCustomEditListBox* list = list_.Get(); list != nullptr && list->Count() > 0) {
    if (index == -1) {
      // Selecting the first item first scrolls the list to its top.
      list->SetItemIndex(0);
      list->SetItemIndex(-1);
    } else {
      list->SetItemIndex(index);
    }
  }
  item_index_ = index;
}

void TlxCustomTextEditLookupData::SetCurrentKeyIndex(int32_t index) {
  if (index < -1 || index >= GetItemCount())
    return;
  current_key_ = index;
  SetListItemIndex(index);
}

void TlxCustomTextEditLookupData::DoSelectItem() {
  if (on_select_item_)
    on_select_item_(this);
}

void TlxCustomTextEditLookupData::SetCurrentKey(const Variant& key) {
  const int32_t old_key = current_key_;
  const int32_t index = key.IsNull() || key.IsEmpty() ? -1 : key.AsInteger();
  SetCurrentKeyIndex(index);
  if (!owner_->LookupChanging())
    return;
  TScopeExit clear([this] { owner_->EndLookupChange(); });
  if (current_key_ != old_key) {
    DoSelectItem();
    return;
  }
  if (index >= 0 && index < GetItemCount()) {
    std::string text;
    GetItemText(index, text);
    if (text != owner_->ShownText())
      DoSelectItem();
  }
}

void TlxCustomTextEditLookupData::CommitListSelection() {
  if (item_index_ == -1)
    return;
  if (item_index_ == current_key_ && !owner_->TryStartEditing())
    return;
  const int32_t old_key = current_key_;
  SetCurrentKey(Variant(item_index_));
  if (current_key_ == old_key)
    DoSelectItem();
}

void TlxCustomTextEditLookupData::TextChanged() {
  if (owner_->IsValueChangingLocked())
    return;
  if (item_index_ >= 0 && item_index_ < GetItemCount()) {
    std::string item_text;
    GetDisplayText(Variant(item_index_), item_text);
    if (AnsiSameText(item_text, owner_->ShownText()))
      return;
  }
  std::string text = owner_->ShownText();
  std::string tail;
  LocateText(text, tail, false, true);
}

bool TlxCustomTextEditLookupData::IsMouseOverList(const TPoint& screen_point) {
  TlxCustomEditListBox* list = list_.Get();
  if (list == nullptr || !list->HandleAllocated())
    return false;
  const TPoint point = list->ScreenToClient(screen_point);
  return TRect(0, 0, list->Width(), list->Height()).Contains(point);
}

void TlxCustomTextEditLookupData::SetListBounds(const TRect& rect) {
  TlxCustomEditListBox* list = list_.Get();
  if (list == nullptr)
    return;
  list->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
  if (!list->HandleAllocated())
    return;
  // The horizontal bar refreshes only on a change of the scroll width.
  const int32_t width = list->ScrollWidth();
  list->SetScrollWidth(0);
  list->SetScrollWidth(width);
}

void TlxCustomTextEditLookupData::PrepareListInPopup(TWinControl* popup_window) {
  const TClass* list_class = GetListBoxClass();
  if (list_class == nullptr)
    return;
  TlxCustomEditListBox* list = list_.Get();
  if (list == nullptr) {
    list = static_cast<TlxCustomEditListBox*>(list_class->CreateInstance(popup_window));
    list_ = list;
  }
  list->SetOwnerEdit(owner_);
  TlxCustomEditStyle* style = owner_->GetCurrentEditStyle();
  list->SetColor(style->GetColor());
  list->SetFont(*style->GetTextFont());
  list->Canvas().SetFont(*style->GetTextFont());
  list->SetParent(popup_window);
  list->OnSelectionChanged = [this](TObject* sender) { HandleListSelectionChange(sender); };
  list->SetItemCount(GetItemCount());
  list->SetItemIndex(item_index_);
  list->ListPrepared();
  TextChanged();
}
