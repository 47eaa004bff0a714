#include "platform/rtl/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every notification it receives and drops its reference to a
// component that goes away.
class TWatcher : public TComponent {
 public:
  using TComponent::TComponent;
  TComponent* watched = nullptr;
  std::vector<std::string> log;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    log.push_back((operation == opInsert ? "insert " : "remove ") + component->Name());
    if (operation == opRemove && component == watched)
      watched = nullptr;
  }
};

class TLoadCounter : public TComponent {
 public:
  using TComponent::TComponent;
  int loaded = 0;
  void Loaded() override {
    TComponent::Loaded();
    ++loaded;
  }
};

TEST(ComponentTest, OwnerFreesOwnedComponents) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* child = new TComponent(owner.get());
  auto* grandchild = new TComponent(child);
  TAliveToken child_alive = child->AliveToken();
  TAliveToken grandchild_alive = grandchild->AliveToken();
  EXPECT_EQ(child->Owner(), owner.get());
  EXPECT_EQ(child->ComponentIndex(), 0);
  owner.reset();
  EXPECT_FALSE(child_alive.Alive());
  EXPECT_FALSE(grandchild_alive.Alive());
}

TEST(ComponentTest, FreeingAChildRemovesItFromItsOwner) {
  TComponent owner(nullptr);
  auto* first = new TComponent(&owner);
  auto* second = new TComponent(&owner);
  delete first;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), second);
  EXPECT_THROW(owner.Components(1), EListError);
}

TEST(ComponentTest, NamesAreIdentifiersUniqueWithinTheOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);

  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& error) {
    EXPECT_EQ(error.Message(), "A component named button1 already exists");
  }
  a->SetName("BUTTON1");  // the same name in other letters is a rename of itself
  EXPECT_EQ(a->Name(), "BUTTON1");

  for (const char* bad : {"1abc", "a b", "ä", "x-y"}) {
    EXPECT_THROW(b->SetName(bad), EComponentError) << bad;
  }
  EXPECT_EQ(b->Name(), "");
  b->SetName("_ok9");
  EXPECT_EQ(b->Name(), "_ok9");

  // A component with a taken name cannot join another owner.
  TComponent other_owner(nullptr);
  auto* stranger = new TComponent(&other_owner);
  stranger->SetName("_OK9");
  EXPECT_THROW(owner.InsertComponent(stranger), EComponentError);
  EXPECT_EQ(stranger->Owner(), &other_owner);
}

TEST(ComponentTest, OwnerTreeHearsOfInsertionAndRemoval) {
  TComponent form(nullptr);
  auto* watcher = new TWatcher(&form);
  watcher->SetName("Watcher");
  auto* button = new TComponent(nullptr);
  button->SetName("Button");
  form.InsertComponent(button);
  watcher->watched = button;
  delete button;
  EXPECT_EQ(watcher->watched, nullptr);
  EXPECT_EQ(watcher->log, (std::vector<std::string>{"insert Button", "remove Button"}));
}

TEST(ComponentTest, FreeNotificationWorksAcrossOwnersAndCanBeWithdrawn) {
  TComponent form1(nullptr);
  TComponent form2(nullptr);
  auto* watcher = new TWatcher(&form1);
  auto* target = new TComponent(&form2);
  target->SetName("Target");
  watcher->watched = target;
  target->FreeNotification(watcher);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  delete target;
  EXPECT_EQ(watcher->watched, nullptr);

  auto* second = new TComponent(&form2);
  watcher->FreeNotification(second);
  watcher->RemoveFreeNotification(second);
  watcher->log.clear();
  delete second;
  EXPECT_TRUE(watcher->log.empty());

  // The request is mutual: freeing the watcher first leaves the other safe.
  auto* third = new TComponent(&form2);
  third->FreeNotification(watcher);
  delete watcher;
  delete third;
}

TEST(ComponentTest, DestroyingMarksTheWholeTree) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.Destroying();
  EXPECT_TRUE(owner.ComponentState().Contains(csDestroying));
  EXPECT_TRUE(child->ComponentState().Contains(csDestroying));
}

TEST(ComponentTest, DesigningStateReachesChildrenAndNewcomers) {
  TComponent owner(nullptr);
  auto* child = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* late = new TComponent(&owner);
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
}

TEST(ComponentTest, LoadedClearsTheLoadingFlag) {
  TLoadCounter component(nullptr);
  component.BeginLoading();
  EXPECT_TRUE(component.ComponentState().Contains(csLoading));
  EXPECT_TRUE(component.ComponentState().Contains(csReading));
  component.EndReading();
  component.Loaded();
  EXPECT_TRUE(component.ComponentState().Empty());
  EXPECT_EQ(component.loaded, 1);
}

TEST(ComponentTest, ReinsertingMovesAComponentToTheNewOwner) {
  TComponent first(nullptr);
  TComponent second(nullptr);
  auto* child = new TComponent(&first);
  second.InsertComponent(child);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(child->Owner(), &second);
  first.RemoveComponent(child);  // not its owner: nothing happens
  EXPECT_EQ(child->Owner(), &second);
}

}  // namespace
