#include "ui/foundation/base/object_links.h"

#include <gtest/gtest.h>

#include <memory>

#include "ui/foundation/base/component.h"

namespace {

TEST(ObjectLinksTest, LinkReadsNullOnceItsComponentIsDestroyed) {
  auto component = std::make_unique<TlxComponent>(nullptr);
  TlxObjectLink* link = lxCreateObjectLink(component.get());
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->Target, component.get());
  component.reset();
  EXPECT_EQ(link->Target, nullptr);
  ASSERT_NE(lxObjectLinkController(), nullptr);
  EXPECT_EQ(lxObjectLinkController()->LinkCount(), 0);
  lxFreeObjectLink(link);
  EXPECT_EQ(lxObjectLinkController(), nullptr) << "the last link releases the controller";
}

TEST(ObjectLinksTest, ControllerLivesWhileAnyLinkLives) {
  TlxComponent a(nullptr), b(nullptr);
  TlxObjectLink* to_a = lxCreateObjectLink(&a);
  TlxObjectLink* to_b = lxCreateObjectLink(&b);
  TlxObjectLink* again_to_a = lxCreateObjectLink(&a);
  EXPECT_EQ(lxCreateObjectLink(nullptr), nullptr);
  EXPECT_EQ(lxObjectLinkController()->LinkCount(), 3);

  lxResetObjectLinks(&a);
  EXPECT_EQ(to_a->Target, nullptr);
  EXPECT_EQ(again_to_a->Target, nullptr);
  EXPECT_EQ(to_b->Target, &b);
  EXPECT_EQ(lxObjectLinkController()->LinkCount(), 1);

  lxFreeObjectLink(to_a);
  lxFreeObjectLink(to_b);
  EXPECT_NE(lxObjectLinkController(), nullptr);
  lxFreeObjectLink(again_to_a);
  EXPECT_EQ(lxObjectLinkController(), nullptr);
  lxFreeObjectLink(nullptr);
  lxResetObjectLinks(&a);
}

TEST(ObjectLinksTest, OwnedComponentsClearTheirLinksWhenTheOwnerFreesThem) {
  auto owner = std::make_unique<TlxComponent>(nullptr);
  auto* child = new TlxComponent(owner.get());
  TlxObjectLink* link = lxCreateObjectLink(child);
  owner.reset();
  EXPECT_EQ(link->Target, nullptr);
  lxFreeObjectLink(link);
}

TEST(ObjectLinkControllerTest, RemovingALinkFreesItAndClearingDropsOnlyMatchingLinks) {
  TComponent a(nullptr), b(nullptr);
  TlxObjectLinkController controller;
  std::unique_ptr<TlxObjectLink> first(controller.AddLink(&a));
  TlxObjectLink* second = controller.AddLink(&b);
  controller.ClearLinksTo(&a);
  EXPECT_EQ(first->Target, nullptr);
  EXPECT_EQ(controller.LinkCount(), 1);
  controller.RemoveLink(second);  // freed by the controller
  EXPECT_EQ(controller.LinkCount(), 0);
}

}  // namespace
