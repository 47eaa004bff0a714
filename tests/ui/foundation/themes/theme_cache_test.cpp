#include "ui/foundation/themes/theme_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <stdexcept>

#include "ui/foundation/themes/theme_object_types.h"

namespace {

// A visual-styles library whose style defines a chosen set of classes.
// Handles are handed out fresh on every open so that reopening shows.
class FakeThemeLibrary : public TlxThemeLibrary {
 public:
  bool Loaded() const override { return loaded; }
  bool IsThemeActive() const override { return active; }
  TlxThemeHandle OpenThemeData(std::u16string_view class_list) override {
    opened_lists.emplace_back(class_list);
    if (!defined_classes.contains(UpperCase(class_list)))
      return 0;
    const TlxThemeHandle handle = next_handle++;
    open_handles.insert(handle);
    return handle;
  }
  int32_t CloseThemeData(TlxThemeHandle theme) override {
    closed_handles.push_back(theme);
    return open_handles.erase(theme) == 1 ? 0 : -1;
  }
  std::u16string UpperCase(std::u16string_view text) const override { return lxUpperCaseAscii(text); }

  bool loaded = true;
  bool active = true;
  std::set<std::u16string> defined_classes{u"BUTTON", u"EDIT", u"SPIN", u"TAB", u"WINDOW", u"MYBUTTON;BUTTON"};
  TlxThemeHandle next_handle = 100;
  std::set<TlxThemeHandle> open_handles;
  std::vector<std::u16string> opened_lists;
  std::vector<TlxThemeHandle> closed_handles;
};

TEST(ThemeCacheTest, AHandleIsOpenedOnceAndThenServedFromTheCache) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  const TlxThemeHandle button = cache.OpenThemeHandle(totButton);
  ASSERT_NE(button, 0u);
  EXPECT_EQ(cache.OpenThemeHandle(totButton), button);
  EXPECT_EQ(library.opened_lists, std::vector<std::u16string>{u"Button"});
}

TEST(ThemeCacheTest, AClassListThatDiffersOnlyInCaseReusesTheHandle) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  const TlxThemeHandle button = cache.OpenThemeHandle(totButton);
  EXPECT_EQ(cache.OpenThemeHandle(totButton, u"button"), button);
  EXPECT_EQ(library.opened_lists.size(), 1u);
}

TEST(ThemeCacheTest, ADifferentClassListClosesAndReopens) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  const TlxThemeHandle button = cache.OpenThemeHandle(totButton);
  const TlxThemeHandle mine = cache.OpenThemeHandle(totButton, u"MyButton;Button");
  EXPECT_NE(mine, 0u);
  EXPECT_NE(mine, button);
  EXPECT_EQ(library.closed_handles, std::vector<TlxThemeHandle>{button});
  EXPECT_EQ(library.open_handles, std::set<TlxThemeHandle>{mine});
}

TEST(ThemeCacheTest, AfterAStyleChangeATypeReopensWithTheListUsedBefore) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  const TlxThemeHandle first = cache.OpenThemeHandle(totButton, u"MyButton;Button");
  cache.OpenThemeHandle(totEdit);
  cache.ThemeChanged();
  EXPECT_TRUE(library.open_handles.empty());

  const TlxThemeHandle again = cache.OpenThemeHandle(totButton);
  EXPECT_NE(again, 0u);
  EXPECT_NE(again, first);
  EXPECT_EQ(library.opened_lists.back(), u"MyButton;Button");
}

TEST(ThemeCacheTest, AClassTheStyleLacksGivesNoHandleAndForgetsTheList) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  EXPECT_EQ(cache.OpenThemeHandle(totClock), 0u);
  EXPECT_EQ(cache.OpenThemeHandle(totEdit, u"NoSuchClass"), 0u);
  // The failed list is not kept: the next plain open uses the type's name.
  EXPECT_NE(cache.OpenThemeHandle(totEdit), 0u);
  EXPECT_EQ(library.opened_lists.back(), u"Edit");
  EXPECT_FALSE(cache.ThemeAvailableFor(totClock));
  EXPECT_TRUE(cache.ThemeAvailableFor(totTab));
}

TEST(ThemeCacheTest, AvailabilityForASetNeedsEveryTypeToOpen) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  EXPECT_TRUE(cache.ThemesAvailableForTypes({}));
  EXPECT_TRUE(cache.ThemesAvailableForTypes(lxThemedObjectTypes({totSpin, totTab, totWindow})));
  EXPECT_FALSE(cache.ThemesAvailableForTypes(lxThemedObjectTypes({totButton, totClock, totEdit})));
  // Types are tried in index order and the first failure ends the test.
  EXPECT_EQ(library.opened_lists.back(), u"Clock");
}

TEST(ThemeCacheTest, NothingIsAvailableWhenThemesAreOffOrTheLibraryIsMissing) {
  struct Case {
    bool loaded, active;
  };
  for (const Case c : {Case{true, false}, Case{false, true}, Case{false, false}}) {
    FakeThemeLibrary library;
    library.loaded = c.loaded;
    library.active = c.active;
    TlxThemeCache cache(library);
    EXPECT_FALSE(cache.ThemesAvailableForTypes({})) << c.loaded << c.active;
    EXPECT_FALSE(cache.ThemesAvailableForTypes(lxThemedObjectTypes({totButton})));
    EXPECT_FALSE(cache.ThemeAvailableFor(totButton));
    EXPECT_EQ(cache.OpenThemeHandle(totButton), 0u);
    EXPECT_EQ(cache.CloseThemeHandle(totButton), TlxThemeCache::kThemesUnavailable);
    EXPECT_TRUE(library.opened_lists.empty());
  }
}

TEST(ThemeCacheTest, SwitchingThemesOffByTheUserShowsAfterTheChange) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  ASSERT_NE(cache.OpenThemeHandle(totButton), 0u);
  library.active = false;
  cache.ThemeChanged();
  EXPECT_FALSE(cache.ThemesActive());
  EXPECT_FALSE(cache.ThemeAvailableFor(totButton));
  EXPECT_TRUE(library.open_handles.empty());
  library.active = true;
  cache.ThemeChanged();
  EXPECT_TRUE(cache.ThemeAvailableFor(totButton));
}

TEST(ThemeCacheTest, ClosingOneTypeReportsWhatHappened) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  EXPECT_EQ(cache.CloseThemeHandle(totEdit), TlxThemeCache::kClosedNothing);
  cache.OpenThemeHandle(totEdit, u"EDIT");
  EXPECT_EQ(cache.CloseThemeHandle(totEdit), 0);
  EXPECT_TRUE(library.open_handles.empty());
  // The class list went with the handle.
  cache.OpenThemeHandle(totEdit);
  EXPECT_EQ(library.opened_lists.back(), u"Edit");
}

TEST(ThemeCacheTest, TheCacheClosesItsHandlesWhenItGoes) {
  FakeThemeLibrary library;
  {
    TlxThemeCache cache(library);
    cache.OpenThemeHandle(totButton);
    cache.OpenThemeHandle(totWindow);
  }
  EXPECT_TRUE(library.open_handles.empty());
  EXPECT_EQ(library.closed_handles.size(), 2u);
}

TEST(ThemeChangedNotificatorTest, ListenersAreToldInTheOrderTheyJoinedUntilTheyLeave) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  std::vector<int> told;
  TlxThemeChangedNotificator first(cache);
  first.OnThemeChanged = [&] { told.push_back(1); };
  auto second = std::make_unique<TlxThemeChangedNotificator>(cache);
  second->OnThemeChanged = [&] { told.push_back(2); };
  TlxThemeChangedNotificator unassigned(cache);

  cache.ThemeChanged();
  EXPECT_EQ(told, (std::vector<int>{1, 2}));
  second.reset();
  cache.ThemeChanged();
  EXPECT_EQ(told, (std::vector<int>{1, 2, 1}));
}

TEST(ThemeChangedNotificatorTest, ARaisingListenerStopsTheRoundAfterTheCacheIsCleared) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  cache.OpenThemeHandle(totTab);
  std::vector<int> told;
  TlxThemeChangedNotificator first(cache);
  first.OnThemeChanged = [&] {
    told.push_back(1);
    throw std::runtime_error("listener failed");
  };
  TlxThemeChangedNotificator second(cache);
  second.OnThemeChanged = [&] { told.push_back(2); };

  EXPECT_THROW(cache.ThemeChanged(), std::runtime_error);
  EXPECT_EQ(told, std::vector<int>{1});
  EXPECT_TRUE(library.open_handles.empty());
}

TEST(ThemeChangedNotificatorTest, AListenerMayFreeAnotherWhileBeingTold) {
  FakeThemeLibrary library;
  TlxThemeCache cache(library);
  std::vector<int> told;
  auto second = std::make_unique<TlxThemeChangedNotificator>(cache);
  TlxThemeChangedNotificator first(cache);
  second->OnThemeChanged = [&] {
    told.push_back(2);
  };
  TlxThemeChangedNotificator third(cache);
  third.OnThemeChanged = [&] { told.push_back(3); };
  first.OnThemeChanged = [&] { second.reset(); };
  cache.ThemeChanged();  // second is told first, then freed by first
  EXPECT_EQ(told, (std::vector<int>{2, 3}));
  cache.ThemeChanged();
  EXPECT_EQ(told, (std::vector<int>{2, 3, 3}));
}

TEST(ThemeChangedNotificatorTest, WithoutALibraryNoOneJoinsAndListenersMayOutliveTheCache) {
  FakeThemeLibrary missing;
  missing.loaded = false;
  bool told = false;
  {
    TlxThemeCache cache(missing);
    TlxThemeChangedNotificator listener(cache);
    listener.OnThemeChanged = [&] { told = true; };
    cache.ThemeChanged();
  }
  EXPECT_FALSE(told);

  FakeThemeLibrary library;
  auto cache = std::make_unique<TlxThemeCache>(library);
  TlxThemeChangedNotificator survivor(*cache);
  cache.reset();  // the listener lets go quietly when it goes later
}

}  // namespace
