#pragma once
// Repository items of the text kinds: each binds exactly one properties
// class and publishes it as Properties. The items of the other kinds come
// with their editors.

#include "editors/edit_repository.h"
#include "editors/mask_edit_properties.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/property.h"

// The item's properties checked to be of `Properties`; raises
// EInvalidOperation "Invalid class typecast" otherwise.
template <class Properties>
Properties* lxCheckedItemProperties(const TlxEditRepositoryItem& item) {
  auto* properties = dynamic_cast<Properties*>(item.Properties());
  if (properties == nullptr)
    throw EInvalidOperation("Invalid class typecast");
  return properties;
}

// Declares an item class over one properties class.
template <class Self, class PropertiesClass>
class TlxEditRepositoryItemOf : public TlxEditRepositoryItem {
 public:
  explicit TlxEditRepositoryItemOf(TComponent* owner) : TlxEditRepositoryItem(owner, PropertiesClass::kClass) {}
  const TClass& GetPropertiesClass() const override { return PropertiesClass::kClass; }

  PropertiesClass* GetProperties() const { return lxCheckedItemProperties<PropertiesClass>(*this); }
  // Copies the given settings into the item's own properties.
  void SetProperties(const PropertiesClass* value) { AssignProperties(value); }

  static void Publish(TPropertyListBuilder& properties) {
    properties.template For<Self>().Persistent("Properties", PropertiesClass::kClass,
                                      [](const Self& item) -> TObject* { return item.GetProperties(); });
  }
};

class TlxEditRepositoryTextItem : public TlxEditRepositoryItemOf<TlxEditRepositoryTextItem, TlxTextEditProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryTextItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryTextItem>,
                                 &TlxEditRepositoryTextItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

class TlxEditRepositoryMaskItem : public TlxEditRepositoryItemOf<TlxEditRepositoryMaskItem, TlxMaskEditProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryMaskItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryMaskItem>,
                                 &TlxEditRepositoryMaskItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};
