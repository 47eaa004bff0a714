#include "editors/edit_repository.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

template <const char* kName>
class KindProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{kName, &TlxCustomEditProperties::kClass, &ConstructInstance<KindProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditProperties::TlxCustomEditProperties;
};

constexpr char kTextName[] = "TlxTextEditProperties";
constexpr char kMaskName[] = "TlxMaskEditProperties";
constexpr char kMemoName[] = "TlxMemoProperties";
constexpr char kMruName[] = "TlxMRUEditProperties";
using TextProperties = KindProperties<kTextName>;
using MaskProperties = KindProperties<kMaskName>;
using MemoProperties = KindProperties<kMemoName>;
using MruProperties = KindProperties<kMruName>;

class TlxEditRepositoryTextItem : public TlxEditRepositoryItem {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryTextItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryTextItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxEditRepositoryTextItem(TComponent* owner) : TlxEditRepositoryItem(owner, TextProperties::kClass) {}
  const TClass& GetPropertiesClass() const override { return TextProperties::kClass; }
};

// An editor as a repository item's listener: records what it hears and
// drops its reference when the item goes, as the editor control does.
class ListeningEdit : public IlxEditRepositoryItemObserver {
 public:
  ListeningEdit(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void Use(TlxEditRepositoryItem* item) {
    item_ = item;
    item->AddListener(this);
  }
  void ItemRemoved(TlxEditRepositoryItem* item) override {
    log_.push_back(name_ + " removed");
    item->RemoveListener(this);
    item_ = nullptr;
  }
  void ItemPropertiesChanged(TlxEditRepositoryItem*) override { log_.push_back(name_ + " changed"); }
  TlxEditRepositoryItem* item_ = nullptr;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

class EditRegistryTest : public ::testing::Test {
 protected:
  // The stand-ins carry the real kinds' names; left registered for streaming,
  // they would refuse the real classes of tests that run later.
  ~EditRegistryTest() override {
    lxFreeRegisteredEditProperties();
    for (const TClass* stand_in : {&TextProperties::kClass, &MaskProperties::kClass, &MemoProperties::kClass,
                                   &MruProperties::kClass, &TlxEditRepositoryTextItem::kClass})
      if (GetClass(stand_in->ClassName()) == stand_in)
        UnRegisterStreamableClass(*stand_in);
  }
};

TEST_F(EditRegistryTest, KindsAreListedOnceSortedByShortNameAndFoundByExactClassName) {
  TlxRegisteredClasses& registry = lxGetRegisteredEditProperties();
  registry.AddClass(&MruProperties::kClass, "MRUEdit|Represents a text editor displaying the list");
  registry.AddClass(&TextProperties::kClass, "TextEdit|Represents a single line text editor");
  registry.AddClass(&MemoProperties::kClass, "Memo|Represents an edit control that allows editing memo data");
  registry.AddClass(&MaskProperties::kClass, "MaskEdit|Represents a generic masked edit control.");
  registry.AddClass(&TextProperties::kClass, "TextEdit|again");

  ASSERT_EQ(registry.Count(), 4);
  EXPECT_EQ(registry.DescriptionOf(0), "MaskEdit");
  EXPECT_EQ(registry.DescriptionOf(1), "Memo");
  EXPECT_EQ(registry.DescriptionOf(2), "MRUEdit");
  EXPECT_EQ(registry.DescriptionOf(3), "TextEdit");

  EXPECT_EQ(registry.FindByClassName("TlxTextEditProperties"), &TextProperties::kClass);
  EXPECT_EQ(registry.FindByClassName("tlxtexteditproperties"), nullptr);
  EXPECT_EQ(registry.FindByClassName("TlxUnknownProperties"), nullptr);
}

TEST(EditRepositoryTest, ItemsShareTheirPropertiesAndTellListenersLastFirst) {
  std::vector<std::string> log;
  TlxEditRepository repository(nullptr);
  repository.SetName("Repository1");
  TlxEditRepositoryItem* item = repository.CreateItemOfClass(TlxEditRepositoryTextItem::kClass);
  ASSERT_EQ(repository.GetItemCount(), 1);
  EXPECT_EQ(repository.GetItem(0), item);
  EXPECT_EQ(item->Properties()->ClassType(), &TextProperties::kClass);
  EXPECT_EQ(item->Properties()->GetOwner(), item);

  ListeningEdit first(log, "first");
  ListeningEdit second(log, "second");
  first.Use(item);
  second.Use(item);
  item->AddListener(&first);
  EXPECT_EQ(item->ListenerCount(), 2);

  item->Properties()->SetAutoSelect(false);
  EXPECT_EQ(log, (std::vector<std::string>{"second changed", "first changed"}));

  std::string name;
  item->GetDefaultName(name);
  EXPECT_EQ(name, "Repository1TextItem");

  log.clear();
  repository.RemoveItem(item);
  EXPECT_EQ(log, (std::vector<std::string>{"second removed", "first removed"}));
  EXPECT_EQ(first.item_, nullptr);
  EXPECT_EQ(second.item_, nullptr);
  EXPECT_EQ(repository.GetItemCount(), 0);
  EXPECT_THROW(repository.GetItem(0), EListError);
}

TEST(EditRepositoryTest, ItemsOwnedElsewhereMoveBetweenRepositoriesAndGoWithTheirRepository) {
  TComponent form(nullptr);
  std::vector<std::string> log;
  ListeningEdit edit(log, "edit");
  TlxEditRepositoryItem* moved = nullptr;
  {
    TlxEditRepository first(&form);
    TlxEditRepository second(&form);
    moved = first.CreateItem(TlxEditRepositoryItem::kClass, &form);
    EXPECT_EQ(moved->GetOwner(), &form);
    EXPECT_TRUE(moved->HasParent());
    EXPECT_EQ(moved->GetParentComponent(), &first);

    std::vector<TComponent*> children;
    first.GetChildren([&children](TComponent* child) { children.push_back(child); }, &form);
    EXPECT_EQ(children, std::vector<TComponent*>{moved});

    moved->SetParentComponent(&second);
    EXPECT_EQ(first.GetItemCount(), 0);
    EXPECT_EQ(second.GetItemCount(), 1);
    moved->SetRepository(&second);
    EXPECT_EQ(second.GetItemCount(), 1);

    edit.Use(moved);
    second.SetName("Second");
    std::string name;
    moved->GetDefaultName(name);
    EXPECT_EQ(name, "SecondItem");
    EXPECT_THROW(second.CreateItemOfClass(TComponent::kClass), EInvalidOperation);
  }
  // The repository freed its item, which its owner no longer holds.
  EXPECT_EQ(log, std::vector<std::string>{"edit removed"});
  EXPECT_EQ(form.ComponentCount(), 0);
}

}  // namespace
