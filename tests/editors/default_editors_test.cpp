#include "editors/default_editors.h"

#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_repository_items.h"

namespace default_editors_test {

// Three items of a private repository, freed with it.
struct Items {
  Items() {
    a = repository.CreateItemOfClass(TlxEditRepositoryTextItem::kClass);
    b = repository.CreateItemOfClass(TlxEditRepositoryTextItem::kClass);
    c = repository.CreateItemOfClass(TlxEditRepositoryMaskItem::kClass);
  }
  TlxEditRepository repository{nullptr};
  TlxEditRepositoryItem* a = nullptr;
  TlxEditRepositoryItem* b = nullptr;
  TlxEditRepositoryItem* c = nullptr;
};

struct ChangeCountingRegistry : TlxEditRegisteredRepositoryItems {
  void DoChanged() override { ++changes; }
  int changes = 0;
};

TEST(DefaultEditorsTest, TheHighestVersionWinsAndTheFirstRegistrationStays) {
  Items items;
  TlxEditRegisteredRepositoryItems registry;
  constexpr TlxRegisteredItemKey kType = 7;
  struct Step {
    const char* what;
    void (*run)(TlxEditRegisteredRepositoryItems&, Items&);
    TlxEditRepositoryItem* Items::*expected;
  } steps[] = {
      {"A at version 1", [](auto& r, Items& i) { r.RegisterItem(kType, 1, i.a); }, &Items::a},
      {"B at version 3", [](auto& r, Items& i) { r.RegisterItem(kType, 3, i.b); }, &Items::b},
      {"C at version 2 loses", [](auto& r, Items& i) { r.RegisterItem(kType, 2, i.c); }, &Items::b},
      {"C again at version 3 is ignored", [](auto& r, Items& i) { r.RegisterItem(kType, 3, i.c); }, &Items::b},
      {"unregistering 3", [](auto& r, Items&) { r.UnregisterItem(kType, 3); }, &Items::c},
      {"unregistering 2", [](auto& r, Items&) { r.UnregisterItem(kType, 2); }, &Items::a},
      {"unregistering what is not there", [](auto& r, Items&) { r.UnregisterItem(kType, 9); }, &Items::a},
  };
  for (const Step& step : steps) {
    step.run(registry, items);
    EXPECT_EQ(registry.FindItemByDataType(kType), items.*step.expected) << step.what;
  }
  EXPECT_EQ(registry.FindItemByDataType(8), nullptr) << "no default item";
  registry.RegisterDefaultItem(5, items.c);
  registry.RegisterDefaultItem(-1, items.b);
  EXPECT_EQ(registry.FirstDefaultItem(), items.b) << "the lowest version";
  EXPECT_EQ(registry.FindItemByDataType(8), items.b);
}

TEST(DefaultEditorsTest, EntriesStaySortedByTypeThenVersion) {
  Items items;
  TlxEditRegisteredRepositoryItems registry;
  const TlxRegisteredItemKey types[] = {30, 10, 20, 10, 30};
  const int32_t versions[] = {1, 5, 0, -2, -1};
  for (size_t i = 0; i < 5; ++i)
    registry.RegisterItem(types[i], versions[i], items.a);
  const auto& entries = registry.TypedEntries();
  ASSERT_EQ(entries.size(), 5u);
  for (size_t i = 1; i < entries.size(); ++i) {
    const bool ordered = entries[i - 1].TypeKey < entries[i].TypeKey ||
                         (entries[i - 1].TypeKey == entries[i].TypeKey &&
                          entries[i - 1].VersionNo < entries[i].VersionNo);
    EXPECT_TRUE(ordered) << i;
  }
  int32_t index = -1;
  EXPECT_TRUE(lxFindRegisteredEntry(entries, 30, 0, true, index));
  EXPECT_EQ(index, 4);
  EXPECT_FALSE(lxFindRegisteredEntry(entries, 25, 0, false, index));
  EXPECT_EQ(index, 3) << "the insertion point";
}

TEST(DefaultEditorsTest, AFreedItemLeavesEveryEntry) {
  Items items;
  ChangeCountingRegistry registry;
  registry.RegisterDefaultItem(0, items.a);
  registry.RegisterItem(1, 0, items.a);
  registry.RegisterItem(2, 0, items.a);
  registry.RegisterItem(2, 1, items.b);
  EXPECT_EQ(items.a->ListenerCount(), 1);
  registry.changes = 0;
  items.repository.RemoveItem(items.a);
  EXPECT_TRUE(registry.DefaultEntries().empty());
  ASSERT_EQ(registry.TypedEntries().size(), 1u);
  EXPECT_EQ(registry.TypedEntries()[0].Item, items.b);
  EXPECT_EQ(registry.changes, 3);
  // A change of an item's settings reaches the registry.
  static_cast<TlxEditRepositoryTextItem*>(items.b)->GetProperties()->SetMaxLength(3);
  EXPECT_EQ(registry.changes, 4);
}

TEST(DefaultEditorsTest, ARegistryGoingAwayLeavesTheItemsItListenedTo) {
  Items items;
  {
    TlxEditRegisteredRepositoryItems registry;
    registry.RegisterItem(1, 0, items.a);
    registry.RegisterDefaultItem(0, items.b);
    EXPECT_EQ(items.a->ListenerCount(), 1);
  }
  EXPECT_EQ(items.a->ListenerCount(), 0);
  EXPECT_EQ(items.b->ListenerCount(), 0);
}

TEST(DefaultEditorsTest, ValueTypesWithoutEntriesGetTheDefaultTextItem) {
  TlxEditDataRegisteredRepositoryItems& registry = lxGetEditDataRegisteredRepositoryItems();
  TlxEditRepositoryItem* integer = registry.GetItemForValueType(lxValueTypeClass<TlxIntegerValueType>());
  TlxEditRepositoryItem* text = registry.GetItemForValueType(lxValueTypeClass<TlxStringValueType>());
  ASSERT_NE(integer, nullptr);
  EXPECT_EQ(integer, text);
  EXPECT_EQ(integer->ClassType(), &TlxEditRepositoryTextItem::kClass);

  // The match is by the exact class: a registration for strings is not one
  // for wide strings, which derive from them.
  TlxEditRepository repository(nullptr);
  TlxEditRepositoryItem* mask = repository.CreateItemOfClass(TlxEditRepositoryMaskItem::kClass);
  registry.RegisterItemForValueType(lxValueTypeClass<TlxStringValueType>(), 0, mask);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxStringValueType>()), mask);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxWideStringValueType>()), integer);
  registry.UnregisterItemForValueType(lxValueTypeClass<TlxStringValueType>(), 0);
  EXPECT_EQ(registry.GetItemForValueType(lxValueTypeClass<TlxStringValueType>()), integer);
  // Keys are the class references themselves, whole on 64-bit systems.
  static_assert(sizeof(TlxRegisteredItemKey) == sizeof(void*));
}

TEST(DefaultEditorsTest, TheDefaultItemComesBackAfterTheDefaultRepositoryWasFreed) {
  lxGetEditDataRegisteredRepositoryItems();
  lxFreeDefaultEditRepository();
  TlxEditRepositoryItem* item = lxGetEditDataRegisteredRepositoryItems().FirstDefaultItem();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Repository(), &lxGetDefaultEditRepository());
}

TEST(DefaultEditorsTest, ItemsPublishTheirPropertiesOfTheirClass) {
  TlxEditRepository repository(nullptr);
  auto* item = static_cast<TlxEditRepositoryMaskItem*>(repository.CreateItemOfClass(TlxEditRepositoryMaskItem::kClass));
  EXPECT_EQ(&item->GetPropertiesClass(), &TlxMaskEditProperties::kClass);
  TlxMaskEditProperties settings(nullptr);
  settings.SetEditMask("000");
  item->SetProperties(&settings);
  EXPECT_EQ(item->GetProperties()->EditMask(), "000");
  const TPropInfo* published = TlxEditRepositoryMaskItem::kClass.Properties().Find("Properties");
  ASSERT_NE(published, nullptr);
  EXPECT_EQ(published->GetObj(*item), item->GetProperties());
}

}  // namespace default_editors_test
