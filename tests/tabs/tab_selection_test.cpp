#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/tabs/fixed_width_painter.h"

namespace {

class TabSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    control.SetControlSize(400, 100);
    for (const char* caption : {"50", "50", "50", "50", "50"})
      control.Tabs().Add(caption);
    control.OnChanging = [this](TObject*, bool& allow) {
      events.push_back("changing");
      allow = allow_change;
    };
    control.OnChange = [this](TObject*) { events.push_back("change " + std::to_string(control.TabIndex())); };
  }

  TFixedTabControl control;
  std::vector<std::string> events;
  bool allow_change = true;
};

TEST_F(TabSelectionTest, ChangingComesFirstAndCanVeto) {
  control.SetTabIndex(2);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change 2"}));
  events.clear();
  control.SetTabIndex(2);
  EXPECT_TRUE(events.empty());
  allow_change = false;
  control.Tabs().GetTab(2)->SetSelected(true);
  control.SetTabIndex(3);
  EXPECT_EQ(events, (std::vector<std::string>{"changing"}));
  EXPECT_EQ(control.TabIndex(), 2);
  EXPECT_EQ(control.MainVisibleIndex(), 2);
  EXPECT_TRUE(control.Tabs().GetTab(2)->Selected());
}

TEST_F(TabSelectionTest, OutOfRangeIndexesChangeNothing) {
  control.SetTabIndex(1);
  events.clear();
  for (int32_t bad : {-5, -2, 5, 8})
    control.SetTabIndex(bad);
  EXPECT_EQ(control.TabIndex(), 1);
  EXPECT_TRUE(events.empty());
}

TEST_F(TabSelectionTest, LockedOrLoadingFiresNoEvents) {
  control.LockChangeEvents(true);
  control.SetTabIndex(3);
  control.LockChangeEvents(false);
  control.LockChangeEvents(false);  // an unbalanced unlock stays at zero
  EXPECT_EQ(control.TabIndex(), 3);
  EXPECT_TRUE(events.empty());
  control.SetLoading(true);
  control.SetTabIndex(1);
  EXPECT_EQ(control.TabIndex(), 1);
  EXPECT_TRUE(events.empty());
  control.SetLoading(false);
  control.SetTabIndex(4);
  EXPECT_EQ(events, (std::vector<std::string>{"changing", "change 4"}));
}

TEST_F(TabSelectionTest, ChoosingClearsSelectionAndKeyboardMark) {
  control.painter.multi_select = true;
  control.painter.button_like = true;
  control.SetMultiSelect(true);
  control.Tabs().GetTab(1)->SetSelected(true);
  control.Tabs().GetTab(3)->SetSelected(true);
  control.Tabs().SetTrackedTab(4);
  control.SetTabIndex(2);
  for (int32_t i = 0; i < 5; ++i)
    EXPECT_FALSE(control.Tabs().GetTab(i)->Selected()) << i;
  EXPECT_EQ(control.TrackedVisibleIndex(), -1);
}

TEST_F(TabSelectionTest, CtrlClickTogglesSelectionInMultiSelect) {
  control.painter.multi_select = true;
  control.SetMultiSelect(true);
  control.SelectVisibleTab(3, true);
  EXPECT_TRUE(control.Tabs().GetTab(3)->Selected());
  EXPECT_EQ(control.TabIndex(), 0);
  control.SelectVisibleTab(3, true);
  EXPECT_FALSE(control.Tabs().GetTab(3)->Selected());
  control.SelectVisibleTab(0, true);  // the main tab: no tab chosen
  EXPECT_EQ(control.TabIndex(), -1);
  control.SelectVisibleTab(2, false);
  EXPECT_EQ(control.TabIndex(), 2);
}

struct KeyCase {
  const char* name;
  uint16_t key;
  TlxPCKeyShift shift;
  int32_t start_tab;
  bool used;
  int32_t expected_tab;
};

class TabKeyboardTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TabKeyboardTest, KeysMoveTheChosenTab) {
  const KeyCase c = GetParam();
  TFixedTabControl control;
  control.SetControlSize(400, 100);
  for (const char* caption : {"50", "50", "50", "50", "50"})
    control.Tabs().Add(caption);
  control.Tabs().GetTab(0)->SetEnabled(false);  // skipped by every search
  control.SetTabIndex(c.start_tab);
  EXPECT_EQ(control.ProcessNavigationKey(c.key, c.shift), c.used) << c.name;
  EXPECT_EQ(control.TabIndex(), c.expected_tab) << c.name;
}

constexpr TlxPCKeyShift kNone{};
constexpr TlxPCKeyShift kCtrl{false, true, false};
constexpr TlxPCKeyShift kCtrlShift{true, true, false};
constexpr TlxPCKeyShift kAlt{false, false, true};
constexpr TlxPCKeyShift kShiftAlt{true, false, true};

INSTANTIATE_TEST_SUITE_P(
    Keys, TabKeyboardTest,
    ::testing::Values(KeyCase{"right", kPCKeyRight, kNone, 2, true, 3}, KeyCase{"down", kPCKeyDown, kNone, 2, true, 3},
                      KeyCase{"left", kPCKeyLeft, kNone, 2, true, 1},
                      KeyCase{"left onto the disabled first", kPCKeyLeft, kNone, 1, true, 1},
                      KeyCase{"right on the last", kPCKeyRight, kNone, 4, true, 4},
                      KeyCase{"home skips the disabled", kPCKeyHome, kNone, 3, true, 1},
                      KeyCase{"end", kPCKeyEnd, kNone, 1, true, 4},
                      KeyCase{"ctrl tab wraps", kPCKeyTab, kCtrl, 4, true, 1},
                      KeyCase{"ctrl shift tab wraps", kPCKeyTab, kCtrlShift, 1, true, 4},
                      KeyCase{"tab alone", kPCKeyTab, kNone, 2, false, 2},
                      KeyCase{"alt right", kPCKeyRight, kAlt, 2, false, 2},
                      KeyCase{"shift alt right", kPCKeyRight, kShiftAlt, 2, false, 2},
                      KeyCase{"enter without mark", kPCKeyReturn, kNone, 2, false, 2},
                      KeyCase{"other key", 0x41, kNone, 2, false, 2}));

TEST(TabKeyboardButtonsTest, ArrowsMoveTheMarkUntilEnterButCtrlTabChooses) {
  TFixedTabControl control;
  control.painter.button_like = true;
  control.SetControlSize(400, 100);
  for (const char* caption : {"50", "50", "50"})
    control.Tabs().Add(caption);
  EXPECT_TRUE(control.ProcessNavigationKey(kPCKeyRight, {}));
  EXPECT_EQ(control.TrackedVisibleIndex(), 1);
  EXPECT_EQ(control.TabIndex(), 0);
  EXPECT_TRUE(control.ProcessNavigationKey(kPCKeyRight, {}));
  EXPECT_EQ(control.TrackedVisibleIndex(), 2);
  EXPECT_TRUE(control.ProcessNavigationKey(kPCKeySpace, {}));
  EXPECT_EQ(control.TabIndex(), 2);
  EXPECT_TRUE(control.ProcessNavigationKey(kPCKeyTab, {false, true, false}));
  EXPECT_EQ(control.TabIndex(), 0);
}

TEST(TabKeyboardButtonsTest, ReversedRowsTurnTheArrows) {
  TFixedTabControl control;
  control.SetTabPosition(tpLeft);  // reads bottom to top
  control.SetControlSize(100, 400);
  for (const char* caption : {"50", "50", "50"})
    control.Tabs().Add(caption);
  control.SetTabIndex(1);
  control.ProcessNavigationKey(kPCKeyDown, {});
  EXPECT_EQ(control.TabIndex(), 0);
  control.ProcessNavigationKey(kPCKeyHome, {});
  EXPECT_EQ(control.TabIndex(), 2);
}

TEST(TabKeyboardButtonsTest, HiddenTabsOrNoTabsTakeNoKeys) {
  TFixedTabControl control;
  EXPECT_FALSE(control.ProcessNavigationKey(kPCKeyRight, {}));
  control.Tabs().Add("50");
  control.Tabs().Add("50");
  control.SetHideTabs(true);
  EXPECT_FALSE(control.ProcessNavigationKey(kPCKeyRight, {}));
  EXPECT_EQ(control.TabIndex(), 0);
}

}  // namespace
