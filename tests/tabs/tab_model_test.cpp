#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/tabs/fixed_width_painter.h"

namespace {

void AddTabs(TFixedTabControl& control, const std::vector<std::string>& captions) {
  for (const std::string& caption : captions)
    control.Tabs().Add(caption);
}

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}

TEST(TabModelTest, ImageIndexFollowsThePositionUntilSet) {
  TFixedTabControl control;
  control.images_count = 5;
  AddTabs(control, {"a", "b", "c"});
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(control.Tabs().GetTab(i)->ImageIndex(), i);
    EXPECT_FALSE(control.Tabs().GetTab(i)->IsImageIndexStored());
  }
  control.Tabs().GetTab(1)->SetImageIndex(4);
  EXPECT_TRUE(control.Tabs().GetTab(1)->IsImageIndexStored());
  control.Tabs().GetTab(2)->SetImageIndex(-7);
  EXPECT_EQ(control.Tabs().GetTab(2)->StoredImageIndex(), -1);
  // An index beyond the image list shows no image.
  control.Tabs().GetTab(0)->SetImageIndex(5);
  EXPECT_EQ(control.Tabs().GetTab(0)->ImageIndex(), -1);
  control.OnGetImageIndex = [](TObject*, int32_t tab_index, int32_t& image_index) {
    if (tab_index == 1)
      image_index = 3;
  };
  EXPECT_EQ(control.Tabs().GetTab(1)->ImageIndex(), 3);
}

TEST(TabModelTest, FirstTabIsChosenSilently) {
  TFixedTabControl control;
  int32_t events = 0;
  control.OnChanging = [&](TObject*, bool&) { ++events; };
  control.OnChange = [&](TObject*) { ++events; };
  control.Tabs().Add("first");
  EXPECT_EQ(control.TabIndex(), 0);
  control.Tabs().Add("second");
  EXPECT_EQ(control.TabIndex(), 0);
  EXPECT_EQ(events, 0);
}

TEST(TabModelTest, LoadingInsertDoesNotChooseATab) {
  TFixedTabControl control;
  control.SetLoading(true);
  control.Tabs().Add("first");
  EXPECT_EQ(control.TabIndex(), -1);
}

TEST(TabModelTest, IndexErrorsNameClassMethodAndIndex) {
  TFixedTabControl control;
  AddTabs(control, {"a", "b"});
  control.Tabs().GetTab(1)->SetVisible(false);
  TlxTabs& tabs = control.Tabs();
  struct Case {
    std::function<void()> action;
    std::string message;
  };
  const Case cases[] = {
      {[&] { tabs.Get(2); }, "TlxTabs.Get: Tab's index (2) out of bounds"},
      {[&] { tabs.GetTab(-5); }, "TlxTabs.GetTab: Tab's index (-5) out of bounds"},
      {[&] { tabs.Delete(5); }, "TlxTabs.Delete: Tab's index (5) out of bounds"},
      {[&] { tabs.Insert(3, "x"); }, "TlxTabs.Insert: Tab's index (3) out of bounds"},
      {[&] { tabs.Insert(-1, "x"); }, "TlxTabs.Insert: Tab's index (-1) out of bounds"},
      {[&] { tabs.GetVisibleTab(1); }, "TlxTabs.GetVisibleTab: TabVisibleIndex (1) must be between 0 and 0"},
      {[&] { control.VisibleTabs().GetTab(-1); },
       "TlxVisibleTabList.GetTab: TabVisibleIndex (-1) must be between 0 and 0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MessageOf(c.action), c.message);
  EXPECT_EQ(tabs.Count(), 2);
  tabs.GetTab(0)->SetVisible(false);
  EXPECT_EQ(MessageOf([&] { control.VisibleTabs().GetTab(0); }),
            "TlxVisibleTabList.GetTab: There are no visible tabs");
  tabs.Clear();
  EXPECT_EQ(MessageOf([&] { control.CalculateTabNormalSizes(); }),
            "TlxCustomTabControl.CalculateTabNormalSizes: Tabs.Count = 0");
}

TEST(TabModelTest, FindGivesTheInsertionPosition) {
  TFixedTabControl control;
  AddTabs(control, {"0", "1", "2", "3", "4", "5", "6"});
  for (int32_t hidden : {0, 2, 3, 6})
    control.Tabs().GetTab(hidden)->SetVisible(false);
  // Visible: 1, 4, 5.
  struct Case {
    int32_t tab_index;
    bool found;
    int32_t position;
  };
  const Case cases[] = {{0, false, 0}, {1, true, 0}, {2, false, 1}, {3, false, 1},
                        {4, true, 1},  {5, true, 2}, {6, false, 3}, {9, false, 3}};
  for (const Case& c : cases) {
    int32_t position = -9;
    EXPECT_EQ(control.VisibleTabs().Find(c.tab_index, position), c.found) << c.tab_index;
    EXPECT_EQ(position, c.position) << c.tab_index;
  }
  TFixedTabControl empty;
  int32_t position = -9;
  EXPECT_FALSE(empty.VisibleTabs().Find(3, position));
  EXPECT_EQ(position, 0);
}

TEST(TabModelTest, FreeingATabRemovesItOnce) {
  TFixedTabControl control;
  AddTabs(control, {"a", "b", "c"});
  delete control.Tabs().GetTab(1);
  ASSERT_EQ(control.Tabs().Count(), 2);
  EXPECT_EQ(control.Tabs().Get(0), "a");
  EXPECT_EQ(control.Tabs().Get(1), "c");
  EXPECT_EQ(control.Tabs().GetTab(1)->Index(), 1);
  EXPECT_EQ(control.VisibleTabs().Count(), 2);
}

TEST(TabModelTest, MoveRenumbersAndKeepsVisibleListSorted) {
  TFixedTabControl control;
  AddTabs(control, {"a", "b", "c", "d"});
  control.Tabs().GetTab(3)->SetVisible(false);
  control.Tabs().Move(3, 0);
  EXPECT_EQ(control.Tabs().Get(0), "d");
  for (int32_t i = 0; i < 4; ++i)
    EXPECT_EQ(control.Tabs().GetTab(i)->Index(), i);
  EXPECT_EQ(control.VisibleTabs().Count(), 3);
  EXPECT_EQ(control.VisibleTabs().TabIndexAt(0), 1);
}

TEST(TabModelTest, HiddenTabChangesNeitherRepaintNorRelayout) {
  TFixedTabControl control;
  AddTabs(control, {"a", "b"});
  TlxTab* tab = control.Tabs().GetTab(1);
  tab->SetVisible(false);
  control.painter.repainted_tabs.clear();
  const int32_t layouts = control.layouts;
  tab->SetColor(0x123456);
  tab->SetEnabled(false);
  tab->SetCaption("longer caption");
  EXPECT_TRUE(control.painter.repainted_tabs.empty());
  EXPECT_EQ(control.layouts, layouts);
  EXPECT_EQ(tab->Caption(), "longer caption");
}

TEST(TabModelTest, CaptionChangeRelayoutsOnlyWhenTheWidthChanges) {
  TFixedTabControl control;
  AddTabs(control, {"50", "60"});
  const int32_t layouts = control.layouts;
  control.painter.repainted_tabs.clear();
  control.Tabs().Put(0, "50 wide");  // same width: only a repaint
  EXPECT_EQ(control.layouts, layouts);
  ASSERT_EQ(control.painter.repainted_tabs.size(), 1u);
  EXPECT_EQ(control.painter.repainted_tabs[0].second, tckContent);
  control.Tabs().Put(0, "70");
  EXPECT_EQ(control.layouts, layouts + 1);
  EXPECT_EQ(control.Tabs().GetTab(0)->LayoutWidth(), 70);
}

TEST(TabModelTest, HidingTheChosenTabOfAPageControlChoosesTheNext) {
  TFixedTabControl control;
  control.requires_visible_tab = true;
  AddTabs(control, {"a", "b", "c"});
  control.SetTabIndex(1);
  control.Tabs().GetTab(1)->SetVisible(false);
  EXPECT_EQ(control.TabIndex(), 2);
  control.Tabs().GetTab(2)->SetVisible(false);
  EXPECT_EQ(control.TabIndex(), 0);
  control.Tabs().GetTab(0)->SetVisible(false);
  EXPECT_EQ(control.MainVisibleIndex(), -1);
}

TEST(TabModelTest, MainTabOfAHiddenChosenTabIsTheNextVisible) {
  TFixedTabControl control;
  AddTabs(control, {"a", "b", "c", "d"});
  control.SetTabIndex(1);
  control.Tabs().GetTab(1)->SetVisible(false);
  EXPECT_EQ(control.TabIndex(), 1);
  EXPECT_EQ(control.MainVisibleIndex(), 1);  // tab 2
  control.SetTabIndex(3);
  control.Tabs().GetTab(3)->SetVisible(false);
  EXPECT_EQ(control.MainVisibleIndex(), 1);  // the last visible tab, tab 2
}

TEST(TabModelTest, SelectingASecondTabSwitchesMultiSelectOn) {
  TFixedTabControl control;
  control.painter.multi_select = true;
  AddTabs(control, {"a", "b", "c"});
  control.Tabs().GetTab(1)->SetSelected(true);
  EXPECT_FALSE(control.MultiSelect());
  control.Tabs().GetTab(2)->SetSelected(true);
  EXPECT_TRUE(control.MultiSelect());

  TFixedTabControl single;
  AddTabs(single, {"a", "b"});
  single.Tabs().GetTab(1)->SetSelected(true);  // not the chosen tab: refused
  EXPECT_FALSE(single.Tabs().GetTab(1)->Selected());
  single.Tabs().GetTab(0)->SetSelected(true);
  EXPECT_TRUE(single.Tabs().GetTab(0)->Selected());
}

TEST(TabModelTest, DrawingVariantsBySideAndDirection) {
  EXPECT_EQ(lxPCDrawingVariant(tpTop, 0), 1);
  EXPECT_EQ(lxPCDrawingVariant(tpTop, 2), 3);
  EXPECT_EQ(lxPCDrawingVariant(tpBottom, 1), 11);
  EXPECT_EQ(lxPCDrawingVariant(tpLeft, 0), 6);
  EXPECT_EQ(lxPCDrawingVariant(tpLeft, 1), 4);
  EXPECT_EQ(lxPCDrawingVariant(tpRight, 2), 8);
  struct Case {
    TlxTabPosition position;
    bool rotate;
    TlxPCOptions options;
    int32_t direction;
    bool reversed;
  };
  const TlxPCOptions ttb = lxPCOptionBit(pcoTopToBottomText);
  const Case cases[] = {{tpTop, false, 0, 0, false},  {tpTop, true, 0, 1, false},    {tpTop, true, ttb, 2, true},
                        {tpLeft, false, 0, 1, true},  {tpLeft, false, ttb, 2, false}, {tpRight, true, 0, 0, false},
                        {tpBottom, false, ttb, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(lxPCCaptionDirection(c.position, c.rotate, c.options), c.direction);
    EXPECT_EQ(lxPCIsRowReversed(c.position, c.rotate, c.options), c.reversed);
  }
}

TEST(TabTextsTest, RegisteredUnderTheProductKey) {
  lxRegisterPCStrings();
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  const int32_t product = repository.IndexOfProduct(kLxPageControlProductKey);
  ASSERT_NE(product, -1);
  EXPECT_EQ(repository.Product(product)->ResStringCount(), 12);
  EXPECT_EQ(lxPCText(slxPCPageIndexError), "%d is an invalid PageIndex value.  PageIndex must be between 0 and %d");
  lxUnregisterPCStrings();
  EXPECT_EQ(repository.IndexOfProduct(kLxPageControlProductKey), -1);
}

}  // namespace
