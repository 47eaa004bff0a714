#pragma once
// The items of the image combo box: each maps an edit value to a
// description and an image index. The lookups by value (Boolean-aware, the
// first match wins) and by description (case-insensitive) are here too.

#include <cstdint>
#include <string>

#include "platform/rtl/collection.h"
#include "platform/rtl/variant.h"

// What the items ask of the properties that own them.
class IlxImageComboItemsOwner {
 public:
  virtual ~IlxImageComboItemsOwner() = default;
  // The number of images of the editor's small image list (0 without one).
  virtual int32_t ImageCountForItems() const = 0;
  virtual void ImageComboItemsChanged() = 0;
};

class TlxImageComboBoxItem : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageComboBoxItem", &TCollectionItem::kClass,
                                 &ConstructInstance<TlxImageComboBoxItem>, &TlxImageComboBoxItem::Publish};
  const TClass* ClassType() const override { return &kClass; }

  // A new item shows the image of its own index when the owner's images
  // reach that far.
  explicit TlxImageComboBoxItem(TCollection* collection);

  void Assign(const TPersistent* source) override;

  const std::string& Description() const { return description_; }
  void SetDescription(const std::string& value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }
  const Variant& Value() const { return value_; }
  // Compared exactly (type and value) before it counts as a change.
  void SetValue(const Variant& value);

 private:
  friend class TlxImageComboBoxItems;
  std::string description_;
  int32_t image_index_ = -1;
  int32_t tag_ = 0;
  Variant value_ = Variant::Null();
};

class TlxImageComboBoxItems : public TCollection {
  friend class TlxImageComboBoxItem;
 public:
  static constexpr TClass kClass{"TlxImageComboBoxItems", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxImageComboBoxItems(TPersistent* owner, IlxImageComboItemsOwner* items_owner);

  TlxImageComboBoxItem* Add() { return static_cast<TlxImageComboBoxItem*>(TCollection::Add()); }
  TlxImageComboBoxItem* GetItem(int32_t index) const { return static_cast<TlxImageComboBoxItem*>(Items(index)); }
  IlxImageComboItemsOwner* ItemsOwner() const { return items_owner_; }

 protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  // The image of the item's own index while the images reach that far.
  int32_t DefaultImageIndexFor(const TlxImageComboBoxItem& item) const;

  IlxImageComboItemsOwner* items_owner_;
};

// The first item whose Value equals `value` (Boolean-aware); null for none.
TlxImageComboBoxItem* lxImageComboFindItemByValue(const TlxImageComboBoxItems& items, const Variant& value);
// The first item whose Description equals `text`, case-insensitive.
TlxImageComboBoxItem* lxImageComboFindItemByDescription(const TlxImageComboBoxItems& items, std::string_view text);
