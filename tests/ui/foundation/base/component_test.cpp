#include "ui/foundation/base/component.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/rtl/property.h"
#include "ui/foundation/base/interfaced.h"

namespace {

// A component that shows the given components as its design-time links.
class TLinkedComponent : public TlxComponent {
 public:
  using TlxComponent::TlxComponent;
  std::vector<TComponent*> links;

 protected:
  void CollectFakeComponentLinks(std::vector<TComponent*>& list) override { list = links; }
};

class FakeLinksTest : public ::testing::Test {
 protected:
  TComponent form_{nullptr};
  TLinkedComponent* item_ = new TLinkedComponent(&form_);
  TComponent* source_a_ = new TComponent(&form_);
  TComponent* source_b_ = new TComponent(&form_);
};

TEST_F(FakeLinksTest, LoadingInDesignModeFillsTheLinksAndNullsTheRest) {
  item_->SetDesigning(true);
  item_->links = {source_a_, source_b_};
  item_->Loaded();
  EXPECT_EQ(item_->FakeComponentLink1(), source_a_);
  EXPECT_EQ(item_->FakeComponentLink2(), source_b_);
  EXPECT_EQ(item_->FakeComponentLink3(), nullptr);

  item_->links = {source_b_, source_a_, source_b_, source_a_};  // only three fit
  item_->RefreshFakeComponentLinks();
  EXPECT_EQ(item_->FakeComponentLink1(), source_b_);
  EXPECT_EQ(item_->FakeComponentLink3(), source_b_);
}

TEST_F(FakeLinksTest, RunTimeAndUnownedComponentsKeepTheirLinks) {
  item_->links = {source_a_};
  item_->RefreshFakeComponentLinks();
  EXPECT_EQ(item_->FakeComponentLink1(), nullptr) << "not in design mode";

  TLinkedComponent unowned(nullptr);
  unowned.SetDesigning(true);
  unowned.links = {source_a_};
  unowned.RefreshFakeComponentLinks();
  EXPECT_EQ(unowned.FakeComponentLink1(), nullptr) << "no owner";
  EXPECT_TRUE(unowned.InDesignMode());
  EXPECT_FALSE(unowned.IsDestroying());
}

TEST_F(FakeLinksTest, ALinkedComponentThatDiesLeavesNoDanglingLink) {
  item_->SetFakeComponentLink2(source_a_);
  delete source_a_;
  EXPECT_EQ(item_->FakeComponentLink2(), nullptr);
}

TEST_F(FakeLinksTest, LinksArePublishedReferences) {
  const TPropInfo* link = TlxComponent::kClass.Properties().Find("FakeComponentLink3");
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(link->IsReference());
  link->SetObj(*item_, source_b_);
  EXPECT_EQ(item_->FakeComponentLink3(), source_b_);
}

TEST(FreeNotificatorTest, ReportsEveryWatchedComponentAsItIsFreed) {
  TlxFreeNotificator notificator(nullptr);
  std::vector<TComponent*> freed;
  notificator.OnFreeNotification = [&freed](TComponent* sender) { freed.push_back(sender); };
  auto watched = std::make_unique<TComponent>(nullptr);
  auto withdrawn = std::make_unique<TComponent>(nullptr);
  TComponent* watched_address = watched.get();
  notificator.AddSender(watched.get());
  notificator.AddSender(withdrawn.get());
  notificator.AddSender(nullptr);
  notificator.RemoveSender(withdrawn.get());
  notificator.RemoveSender(nullptr);
  withdrawn.reset();
  EXPECT_TRUE(freed.empty());
  watched.reset();
  ASSERT_EQ(freed.size(), 1u);
  EXPECT_EQ(freed[0], watched_address);
}

TEST(FreeNotificatorTest, WithoutAHandlerNothingHappens) {
  TlxFreeNotificator notificator(nullptr);
  auto watched = std::make_unique<TComponent>(nullptr);
  notificator.AddSender(watched.get());
  EXPECT_NO_THROW(watched.reset());
}

class IlxTestShape : public virtual IInterface {
 public:
  virtual int Corners() const = 0;
};
class IlxTestColour : public virtual IInterface {
 public:
  virtual int Colour() const = 0;
};

class TSquare : public TlxIUnknownObject, public IlxTestShape {
 public:
  int Corners() const override { return 4; }
};

TEST(InterfacedTest, QueriesAnswerWithoutReferenceCounting) {
  TSquare square;
  IlxTestShape* shape = nullptr;
  EXPECT_EQ(square.QueryInterface(shape), lxS_OK);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Corners(), 4);
  IlxTestColour* colour = nullptr;
  EXPECT_EQ(square.QueryInterface(colour), lxE_NOINTERFACE);
  EXPECT_EQ(colour, nullptr);
  EXPECT_EQ(square.AddRef(), -1);
  EXPECT_EQ(square.Release(), -1);
}

TEST(InterfacedTest, InterfacedPersistentReportsItsOwnerAndIsBuiltByClass) {
  TComponent owner(nullptr);
  owner.SetName("Grid1");
  std::unique_ptr<TObject> created(TlxInterfacedPersistent::kClass.CreateInstance(&owner));
  auto* options = dynamic_cast<TlxInterfacedPersistent*>(created.get());
  ASSERT_NE(options, nullptr);
  EXPECT_EQ(options->GetOwner(), &owner);
  EXPECT_EQ(options->GetNamePath(), "Grid1.TlxInterfacedPersistent");
  EXPECT_EQ(options->Release(), -1);
  TlxInterfacedPersistent orphan(nullptr);
  EXPECT_EQ(orphan.GetOwner(), nullptr);
}

}  // namespace
