#include "ui/foundation/themes/theme_manager_win.h"

#include <gtest/gtest.h>
#include <vsstyle.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "tests/ui/foundation/themes/theme_test_surface_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Sends the system's style-change message to the manager's hidden window.
void AnnounceStyleChange() {
  TlxThemeChangedEventReceiver* receiver = lxThemeChangedEventReceiver();
  ASSERT_NE(receiver, nullptr);
  ASSERT_NE(receiver->Handle(), nullptr);
  EXPECT_EQ(SendMessageW(receiver->Handle(), WM_THEMECHANGED, 0, 0), 0);
}

TEST(VisualStylesTest, TheLibraryIsLoadedAndItsFunctionsBound) {
  EXPECT_TRUE(lxRunningOnXPOrLater());
  ASSERT_TRUE(lxUxThemeLibraryLoaded());
  for (const char* name : {"OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText",
                           "GetThemePartSize", "IsThemeActive", "GetCurrentThemeName", "GetThemeColor"})
    EXPECT_TRUE(lxUxFunctionBound(name)) << name;
  EXPECT_FALSE(lxUxFunctionBound("NoSuchExport"));
}

TEST(VisualStylesTest, TheCurrentStyleIsActiveAndNotAStockOne) {
  ASSERT_TRUE(lxUxIsThemeActive());
  std::u16string file, color, size;
  ASSERT_EQ(lxUxGetCurrentThemeName(file, color, size), S_OK);
  EXPECT_FALSE(file.empty());
  EXPECT_FALSE(lxIsStockVisualStyle());
}

TEST(ThemeManagerTest, ThemedTypesOpenAndUndefinedClassesDoNot) {
  ASSERT_TRUE(lxThemesAvailableForTypes({}));
  EXPECT_TRUE(lxThemeAvailableFor(totButton));
  EXPECT_TRUE(lxThemesAvailableForTypes(lxThemedObjectTypes({totButton, totEdit, totScrollBar})));
  const HTHEME button = lxOpenThemeHandle(totButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(lxOpenThemeHandle(totButton, u"button"), button);
  EXPECT_EQ(lxOpenThemeHandle(totButton, u"BUTTON"), button);

  EXPECT_EQ(lxOpenThemeHandle(totClock, u"NoSuchClassAnywhere"), nullptr);
  // A set is available exactly when each of its types opens.
  EXPECT_EQ(lxThemesAvailableForTypes(lxThemedObjectTypes({totButton, totClock})),
            lxOpenThemeHandle(totClock) != nullptr);
  EXPECT_EQ(lxCloseThemeHandle(totClock), S_OK);  // nothing cached: nothing to close
}

TEST(ThemeManagerTest, AThemedButtonPaintsAndMeasures) {
  const HTHEME button = lxOpenThemeHandle(totButton);
  ASSERT_NE(button, nullptr);
  theme_test::PaintSurface surface(60, 30, kMagenta);
  const RECT rect{0, 0, 60, 30};
  EXPECT_EQ(lxUxDrawThemeBackgroundRect(button, surface.dc(), BP_PUSHBUTTON, PBS_NORMAL, rect, nullptr), S_OK);
  EXPECT_GT(surface.CountOtherThan(kMagenta), 60 * 30 / 2);

  SIZE check{};
  EXPECT_EQ(lxUxGetThemePartSizeNoRect(button, surface.dc(), BP_CHECKBOX, CBS_UNCHECKEDNORMAL, TS_TRUE, check), S_OK);
  EXPECT_GT(check.cx, 0);
  RECT content{};
  EXPECT_EQ(lxUxGetThemeBackgroundContentRect(button, surface.dc(), BP_PUSHBUTTON, PBS_NORMAL, rect, content), S_OK);
  EXPECT_GE(content.left, rect.left);
  EXPECT_LE(content.right, rect.right);
  EXPECT_LT(content.left, content.right);
}

TEST(ThemeManagerTest, ThemeTextFromAnEightBitTextIsDrawn) {
  const HTHEME button = lxOpenThemeHandle(totButton);
  ASSERT_NE(button, nullptr);
  theme_test::PaintSurface surface(120, 30, RGB(255, 255, 255));
  const RECT rect{0, 0, 120, 30};
  EXPECT_EQ(lxUxDrawThemeTextAnsi(button, surface.dc(), BP_PUSHBUTTON, PBS_NORMAL, "Größe", DT_LEFT | DT_TOP, 0, rect),
            S_OK);
  EXPECT_GT(surface.CountOtherThan(RGB(255, 255, 255)), 0);
  theme_test::PaintSurface empty(120, 30, RGB(255, 255, 255));
  EXPECT_EQ(lxUxDrawThemeTextAnsi(button, empty.dc(), BP_PUSHBUTTON, PBS_NORMAL, "", DT_LEFT | DT_TOP, 0, rect), S_OK);
  EXPECT_EQ(empty.CountOtherThan(RGB(255, 255, 255)), 0);
}

TEST(ThemeManagerTest, ParentBackgroundKeepsTheCallersFont) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 20, 20, parent, nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  theme_test::PaintSurface surface(20, 20, kMagenta);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const HGDIOBJ old_font = SelectObject(surface.dc(), font);
  const RECT rect{0, 0, 20, 20};
  lxUxDrawThemeParentBackground(child, surface.dc(), &rect);
  EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), font);
  SelectObject(surface.dc(), old_font);
  DeleteObject(font);
  DestroyWindow(parent);
}

TEST(ThemeManagerTest, AfterAStyleChangeATypeReopensWithItsEarlierClassList) {
  std::vector<std::string> events;
  TlxThemeChangedNotificator listener(lxThemeManager());
  listener.OnThemeChanged = [&] { events.push_back("changed"); };

  const HTHEME first = lxOpenThemeHandle(totButton, u"NoSuchClass;Button");
  ASSERT_NE(first, nullptr);
  AnnounceStyleChange();
  EXPECT_EQ(events, std::vector<std::string>{"changed"});
  EXPECT_TRUE(lxThemesAvailableForTypes({}));

  // Plain open after the change: the earlier list opens it again, so asking
  // with that list (in other letters) finds the same handle.
  const HTHEME reopened = lxOpenThemeHandle(totButton);
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(lxOpenThemeHandle(totButton, u"nosuchclass;button"), reopened);
  // Back to the plain class name for the other tests.
  EXPECT_NE(lxOpenThemeHandle(totButton, u"Button"), nullptr);
}

TEST(ThemeManagerTest, ARaisingListenerGoesToTheApplicationAndEndsTheRound) {
  std::vector<std::string> events;
  Application->OnException = [&](TObject*, const Exception& error) { events.push_back(error.Message()); };
  {
    TlxThemeChangedNotificator raising(lxThemeManager());
    raising.OnThemeChanged = [&] {
      events.push_back("raising");
      throw Exception("listener failed");
    };
    TlxThemeChangedNotificator later(lxThemeManager());
    later.OnThemeChanged = [&] { events.push_back("later"); };
    AnnounceStyleChange();
  }
  Application->OnException = nullptr;
  EXPECT_EQ(events, (std::vector<std::string>{"raising", "listener failed"}));
  EXPECT_TRUE(lxThemeAvailableFor(totButton));
}

TEST(ThemeManagerTest, OtherMessagesGoToTheDefaultProcedure) {
  TlxThemeChangedEventReceiver* receiver = lxThemeChangedEventReceiver();
  ASSERT_NE(receiver, nullptr);
  // The default procedure keeps the caption it is given and reports it.
  ASSERT_TRUE(SetWindowTextW(receiver->Handle(), L"abc"));
  EXPECT_EQ(SendMessageW(receiver->Handle(), WM_GETTEXTLENGTH, 0, 0), 3);
  SetWindowTextW(receiver->Handle(), L"");
  EXPECT_TRUE(lxThemesAvailableForTypes({}));
}

}  // namespace
