#include "editors/kinds/image_combo_items.h"

#include "data/variant_utils.h"
#include "editors/edit_properties.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

void TlxImageComboBoxItem::Publish(TPropertyListBuilder& properties) {
  using I = TlxImageComboBoxItem;
  auto p = properties.For<I>();
  p.String("Description", &I::Description, &I::SetDescription);
  p.Integer("ImageIndex", &I::ImageIndex, &I::SetImageIndex, -1);
  p.Integer("Tag", &I::Tag, &I::SetTag, 0);
  p.VariantValue("Value", &I::Value, &I::SetValue).Stored = [](const TPersistent& self) {
    return !static_cast<const I&>(self).Value().IsNull();
  };
}

TlxImageComboBoxItem::TlxImageComboBoxItem(TCollection* collection) : TCollectionItem(collection) {
  // Joined through the constructor, the collection saw no item of this
  // class yet: the image is chosen here.
  if (const auto* items = dynamic_cast<const TlxImageComboBoxItems*>(collection))
    image_index_ = items->DefaultImageIndexFor(*this);
}

void TlxImageComboBoxItem::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxImageComboBoxItem*>(source);
  if (other == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  SetDescription(other->description_);
  SetImageIndex(other->image_index_);
  SetTag(other->tag_);
  SetValue(other->value_);
}

void TlxImageComboBoxItem::SetDescription(const std::string& value) {
  if (value == description_)
    return;
  description_ = value;
  Changed(false);
}

void TlxImageComboBoxItem::SetImageIndex(int32_t value) {
  if (value == image_index_)
    return;
  image_index_ = value;
  Changed(false);
}

void TlxImageComboBoxItem::SetValue(const Variant& value) {
  if (lxVarEqualsStrict(value_, value))
    return;
  value_ = value;
  Changed(false);
}

TlxImageComboBoxItems::TlxImageComboBoxItems(TPersistent* owner, IlxImageComboItemsOwner* items_owner)
    : TCollection(TlxImageComboBoxItem::kClass, owner), items_owner_(items_owner) {}

int32_t TlxImageComboBoxItems::DefaultImageIndexFor(const TlxImageComboBoxItem& item) const {
  // The item is already counted: the images must cover every item so far.
  if (items_owner_ == nullptr || items_owner_->ImageCountForItems() < Count())
    return -1;
  return item.Index();
}

void TlxImageComboBoxItems::Notify(TCollectionItem* item, TCollectionNotification action) {
  TCollection::Notify(item, action);
  if (action != cnAdded)
    return;
  // Items made by Add join when they are whole.
  if (auto* image_item = dynamic_cast<TlxImageComboBoxItem*>(item))
    image_item->image_index_ = DefaultImageIndexFor(*image_item);
}

void TlxImageComboBoxItems::Update(TCollectionItem* /*item*/) {
  if (items_owner_ != nullptr)
    items_owner_->ImageComboItemsChanged();
}

TlxImageComboBoxItem* lxImageComboFindItemByValue(const TlxImageComboBoxItems& items, const Variant& value) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    TlxImageComboBoxItem* item = items.GetItem(i);
    try {
      if (lxVariantEqualsBoolAware(item->Value(), value))
        return item;
    } catch (const EVariantError&) {
      // Values that cannot be compared do not match.
    }
  }
  return nullptr;
}

TlxImageComboBoxItem* lxImageComboFindItemByDescription(const TlxImageComboBoxItems& items, std::string_view text) {
  for (int32_t i = 0; i < items.Count(); ++i) {
    TlxImageComboBoxItem* item = items.GetItem(i);
    if (AnsiSameText(item->Description(), text))
      return item;
  }
  return nullptr;
}
