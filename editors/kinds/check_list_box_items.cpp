#include "editors/kinds/check_list_box_items.h"

#include "editors/kinds/check_box_layout.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

// --- TlxCheckListBoxItem -----------------------------------------------------------------------

void TlxCheckListBoxItem::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCheckListBoxItem>();
  p.Boolean("Enabled", &TlxCheckListBoxItem::Enabled, &TlxCheckListBoxItem::SetEnabled, true);
  p.Integer("ImageIndex", &TlxCheckListBoxItem::ImageIndex, &TlxCheckListBoxItem::SetImageIndex, -1);
  p.Enumeration("State", &TlxCheckListBoxItem::State, &TlxCheckListBoxItem::SetState,
                {"cbsUnchecked", "cbsChecked", "cbsGrayed"}, std::optional<TlxCheckBoxState>(cbsUnchecked));
  p.Integer("Tag", &TlxCheckListBoxItem::Tag, &TlxCheckListBoxItem::SetTag, 0);
  p.String("Text", &TlxCheckListBoxItem::Text, &TlxCheckListBoxItem::SetText);
}

void TlxCheckListBoxItem::Assign(const TPersistent* source) {
  const auto* item = dynamic_cast<const TlxCheckListBoxItem*>(source);
  if (item == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  SetText(item->Text());
  SetEnabled(item->Enabled());
  SetImageIndex(item->ImageIndex());
  SetItemObject(item->ItemObject());
  SetState(item->State());
  SetTag(item->Tag());
}

std::string TlxCheckListBoxItem::DisplayName() const { return text_.empty() ? TCollectionItem::DisplayName() : text_; }

TlxCheckListBoxItems* TlxCheckListBoxItem::Items() const { return dynamic_cast<TlxCheckListBoxItems*>(Collection()); }

IlxCheckListBoxItemsHost* TlxCheckListBoxItem::Host() const {
  TlxCheckListBoxItems* items = Items();
  return items != nullptr ? items->Host() : nullptr;
}

void TlxCheckListBoxItem::SetEnabled(bool value) {
  if (value == enabled_)
    return;
  enabled_ = value;
  Changed(false);
}

void TlxCheckListBoxItem::SetImageIndex(int32_t value) {
  if (value == image_index_)
    return;
  image_index_ = value;
  Changed(false);
}

void TlxCheckListBoxItem::SetState(TlxCheckBoxState value) {
  IlxCheckListBoxItemsHost* host = Host();
  if (value == cbsGrayed && host != nullptr && host->CheckItemsValueFormat() == cvfInteger)
    value = cbsUnchecked;
  if (value == state_)
    return;
  state_ = value;
  if (host == nullptr)
    return;
  host->CheckItemStateChanged(Index());
  const TlxCheckListBoxItems* items = Items();
  if (items != nullptr && items->StateLock() == 0)
    host->CheckItemsStatesToEditValue();
}

void TlxCheckListBoxItem::SetText(const std::string& value) {
  if (value == text_)
    return;
  text_ = value;
  TlxCheckListBoxItems* items = Items();
  if (items == nullptr || items->Host() == nullptr || items->UpdateCount() > 0)
    return;
  items->Host()->CheckItemTextChanged(Index(), text_);
  Changed(false);
}

// --- TlxCheckListBoxItems ----------------------------------------------------------------------

TlxCheckListBoxItems::TlxCheckListBoxItems(TPersistent* owner, IlxCheckListBoxItemsHost* host)
    : TCollection(TlxCheckListBoxItem::kClass, owner), host_(host) {}

TlxCheckListBoxItems::~TlxCheckListBoxItems() {
  // Freeing the items must not reach back into a list box.
  host_ = nullptr;
  Clear();
}

int32_t TlxCheckListBoxItems::IndexOfText(const std::string& text) const {
  for (int32_t index = 0; index < Count(); ++index)
    if (AnsiSameText(GetItem(index)->Text(), text))
      return index;
  return -1;
}

int32_t TlxCheckListBoxItems::IndexOfItemObject(const TObject* object) const {
  for (int32_t index = 0; index < Count(); ++index)
    if (GetItem(index)->ItemObject() == object)
      return index;
  return -1;
}

void TlxCheckListBoxItems::LockStates(bool lock, bool notify) {
  if (lock) {
    ++state_lock_;
    return;
  }
  if (state_lock_ == 0)
    return;
  if (--state_lock_ == 0 && notify)
    Changed();
}

void TlxCheckListBoxItems::Update(TCollectionItem* item) {
  if (host_ != nullptr)
    host_->CheckItemsUpdated(item);
}

TlxCheckBoxState lxNextCheckListState(TlxCheckBoxState state, bool allow_grayed, TlxCheckStatesValueFormat format) {
  return lxNextCheckState(state, allow_grayed && format != cvfInteger);
}
