#include "tabs/tab_control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/menus.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

TPoint Centre(const TRect& rect) { return TPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2); }

// A form with a tab control 300 x 150 at (10, 10) holding three tabs.
class TabControlWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The library's shared drawing objects are made on first use.
    lxPCRegisterShippedPainters();
    TForm* form = new TForm(nullptr);
    TlxTabControl* control = new TlxTabControl(form);
    control->SetParent(form);
    control->Tabs().Add("Eins");
    form->Show();
    test_support::PumpMessagesUntilIdle();
    form->Free();
    // The system's menu drawing objects too, made by the first tab list.
    form = new TForm(nullptr);
    control = new TlxTabControl(form);
    control->SetParent(form);
    for (const char* caption : {"&Eins", "zwei", "Drei"})
      control->Tabs().Add(caption);
    form->Show();
    test_support::PumpMessagesUntilIdle();
    test_support::RunWhileModal([] {
      HWND window = test_support::FindThreadWindow(L"#32768");
      if (window == nullptr)
        return false;
      PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
      return true;
    });
    control->ShowGoDialog();
    test_support::PumpMessagesUntilIdle();
    form->Free();
    test_support::StopModalScript();
    test_support::PumpMessagesUntilIdle();
    lxPCUnregisterShippedPainters();
  }
  void SetUp() override {
    gdi_objects_ = test_support::CountGdiObjects();
    user_objects_ = test_support::CountUserObjects();
    lxPCRegisterShippedPainters();
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 360, 240);
    control_ = new TlxTabControl(form_);
    control_->SetParent(form_);
    control_->SetBounds(10, 10, 300, 150);
    for (const char* caption : {"Eins", "Zwei", "Drei"})
      control_->Tabs().Add(caption);
    control_->OnChanging = [this](TObject*, bool& allow) {
      events_.push_back("changing");
      allow = allow_change_;
    };
    control_->OnChange = [this](TObject*) { events_.push_back("change " + std::to_string(control_->TabIndex())); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxPCUnregisterShippedPainters();
    EXPECT_LE(test_support::CountGdiObjects(), gdi_objects_ + 2);
    EXPECT_LE(test_support::CountUserObjects(), user_objects_ + 2);
  }

  HWND Window() { return control_->Handle(); }
  TRect TabRect(int32_t visible_index) { return control_->Tabs().GetVisibleTab(visible_index)->DisplayRect(); }
  void Click(const TPoint& point) {
    test_support::SendClick(Window(), POINT{point.X, point.Y});
    test_support::PumpMessagesUntilIdle();
  }
  COLORREF Pixel(int32_t x, int32_t y) {
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return test_support::WindowPixels::Capture(Window()).At(x, y);
  }
  static COLORREF System(int index) { return GetSysColor(index); }

  TForm* form_ = nullptr;
  TlxTabControl* control_ = nullptr;
  std::vector<std::string> events_;
  bool allow_change_ = true;
  DWORD gdi_objects_ = 0;
  DWORD user_objects_ = 0;
};

TEST_F(TabControlWindowTest, StandardLookFollowsTheTabsStyle) {
  ASSERT_NE(control_->PainterObject(), nullptr);
  EXPECT_EQ(control_->PainterObject()->GetStyleName(), "Tabs");
  EXPECT_EQ(control_->Style(), 0);
  control_->SetStyle(4);  // no such style: the painter stays
  EXPECT_EQ(control_->PainterObject()->GetStyleName(), "Tabs");
  EXPECT_EQ(control_->Style(), 0);
}

TEST_F(TabControlWindowTest, StyleFollowsTheLookAndFeelUntilSet) {
  struct Case {
    TlxLookAndFeelKind kind;
    const char* style;
  };
  // Styles without a painter here fall back to the default, "Tabs".
  const Case cases[] = {{lfFlat, "Flat"}, {lfStandard, "Tabs"}, {lfUltraFlat, "Tabs"}, {lfFlat, "Flat"}};
  for (const Case& c : cases) {
    control_->LookAndFeel().SetKind(c.kind);
    EXPECT_EQ(control_->PainterObject()->GetStyleName(), c.style) << c.kind;
  }
  control_->SetStyle(2);
  EXPECT_EQ(control_->PainterObject()->GetStyleName(), "Buttons");
  control_->LookAndFeel().SetKind(lfStandard);
  EXPECT_EQ(control_->PainterObject()->GetStyleName(), "Buttons");
  control_->SetStyle(0);
  EXPECT_EQ(control_->PainterObject()->GetStyleName(), "Tabs");
}

TEST_F(TabControlWindowTest, ButtonsStandApartAndTheChosenOneIsSunken) {
  control_->SetStyle(2);
  test_support::PumpMessagesUntilIdle();
  const TRect main = TabRect(0);
  const TRect other = TabRect(1);
  EXPECT_EQ(other.Left - main.Right, 3);
  EXPECT_EQ(main.Top, other.Top);
  EXPECT_EQ(Pixel(main.Left, main.Top), System(COLOR_3DDKSHADOW));
  EXPECT_EQ(Pixel(main.Right - 1, main.Bottom - 1), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(main.Left + 2, main.Top + 2), System(COLOR_BTNHIGHLIGHT));  // the chosen fill
  EXPECT_EQ(Pixel(other.Left, other.Top), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(other.Left + 2, other.Top + 2), System(COLOR_BTNFACE));
  // The page frame keeps 2 pixels from the buttons.
  EXPECT_EQ(control_->PainterObject()->GetPageFrameRect().Top, main.Bottom + 2);
}

TEST_F(TabControlWindowTest, FlatDrawsOnePixelLines) {
  control_->SetStyle(7);
  test_support::PumpMessagesUntilIdle();
  const TRect other = TabRect(2);
  const TRect page = control_->PainterObject()->GetPageFrameRect();
  EXPECT_EQ(Pixel(Centre(other).X, page.Top), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(Centre(other).X, page.Top + 1), System(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(page.Right - 1, Centre(page).Y), System(COLOR_BTNSHADOW));
  EXPECT_EQ(Pixel(page.Right - 2, Centre(page).Y), System(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(other.Left, other.Top + 2), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(other.Right - 1, other.Top + 2), System(COLOR_BTNSHADOW));
}

TEST_F(TabControlWindowTest, MainTabStandsTwoPixelsHigher) {
  const TRect main = TabRect(0);
  const TRect other = TabRect(1);
  EXPECT_EQ(main.Top + 2, other.Top);
  // The outer highlight line of each tab lies on its own top edge.
  EXPECT_EQ(Pixel(Centre(main).X, main.Top), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(Centre(other).X, other.Top), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(Centre(other).X, main.Top), System(COLOR_BTNFACE));
  // The page frame's outer line runs under the other tabs, not the main one.
  const TRect page = control_->PainterObject()->GetPageFrameRect();
  EXPECT_EQ(Pixel(Centre(other).X, page.Top), System(COLOR_BTNHIGHLIGHT));
  EXPECT_NE(Pixel(Centre(main).X, page.Top), System(COLOR_BTNHIGHLIGHT));
  // The main tab at the left edge keeps the frame's corner; its far corners are cut.
  const TRect full = control_->Tabs().GetVisibleTab(0)->FullRect();
  ASSERT_EQ(full.Left, 0);
  EXPECT_EQ(Pixel(0, full.Bottom), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(1, full.Bottom), System(COLOR_3DLIGHT));
  EXPECT_EQ(Pixel(full.Left + 5, full.Bottom), System(COLOR_BTNFACE));
  const TRect last = TabRect(2);  // not overlapped by the main tab
  EXPECT_EQ(Pixel(last.Left, last.Top), System(COLOR_BTNFACE));
  EXPECT_EQ(Pixel(last.Left, last.Top + 2), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(Pixel(last.Right - 1, last.Top + 2), System(COLOR_3DDKSHADOW));
}

TEST_F(TabControlWindowTest, ClickChoosesWithChangingFirst) {
  Click(Centre(TabRect(2)));
  EXPECT_EQ(control_->TabIndex(), 2);
  EXPECT_EQ(events_, (std::vector<std::string>{"changing", "change 2"}));
  events_.clear();
  Click(Centre(TabRect(2)));  // the chosen tab again: nothing
  EXPECT_TRUE(events_.empty());
  allow_change_ = false;
  Click(Centre(TabRect(1)));
  EXPECT_EQ(control_->TabIndex(), 2);
  EXPECT_EQ(events_, (std::vector<std::string>{"changing"}));
}

TEST_F(TabControlWindowTest, DisabledTabsIgnoreClicks) {
  control_->Tabs().GetTab(1)->SetEnabled(false);
  Click(Centre(TabRect(1)));
  EXPECT_EQ(control_->TabIndex(), 0);
  EXPECT_TRUE(events_.empty());
}

TEST_F(TabControlWindowTest, KeysMoveTheChosenTab) {
  control_->SetFocus();
  test_support::PumpMessagesUntilIdle();
  test_support::SendKey(Window(), VK_RIGHT);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->TabIndex(), 1);
  test_support::SendKey(Window(), VK_END);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->TabIndex(), 2);
  test_support::SendKey(Window(), VK_RIGHT);  // the last tab: stays
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->TabIndex(), 2);
  test_support::SendKey(Window(), VK_HOME);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->TabIndex(), 0);
}

TEST_F(TabControlWindowTest, AcceleratorsChooseEnabledTabs) {
  control_->Tabs().Put(1, "&Zwei");
  control_->Tabs().Put(2, "&Drei");
  control_->Tabs().GetTab(2)->SetEnabled(false);
  EXPECT_EQ(control_->Perform(CM_DIALOGCHAR, 'z', 0), 1);
  EXPECT_EQ(control_->TabIndex(), 1);
  EXPECT_EQ(control_->Perform(CM_DIALOGCHAR, 'd', 0), 0);
  EXPECT_EQ(control_->TabIndex(), 1);
}

TEST_F(TabControlWindowTest, HeldArrowRepeatsAndStopsAtTheEnd) {
  for (int32_t i = 0; i < 7; ++i)
    control_->Tabs().Add("Weiterer Reiter " + std::to_string(i));
  control_->SetWidth(200);
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(lxPCHasButton(control_->NavigatorButtons(), nbBottomRight));
  const TRect arrow = control_->PainterObject()->GetButtonRect(nbBottomRight);
  const TPoint at = Centre(arrow);
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(control_->FirstDisplayedTab(), 1);  // once at once
  ASSERT_NE(control_->ArrowTimer(), nullptr);
  EXPECT_EQ(control_->ArrowTimer()->Interval(), 300u);
  control_->ArrowTimer()->FireTimer();
  EXPECT_EQ(control_->FirstDisplayedTab(), 2);
  EXPECT_EQ(control_->ArrowTimer()->Interval(), 150u);
  for (int32_t tick = 0; tick < 20 && control_->ArrowTimer()->Enabled(); ++tick)
    control_->ArrowTimer()->FireTimer();
  // The arrow went disabled at the end of the row, which ended the repeat.
  EXPECT_FALSE(control_->ArrowTimer()->Enabled());
  EXPECT_EQ(control_->NavigatorButtonState(nbBottomRight), nbsDisabled);
  EXPECT_EQ(control_->LastDisplayedTab(), control_->VisibleTabs().Count() - 1);
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
  EXPECT_EQ(control_->PressedButton(), -1);
}

TEST_F(TabControlWindowTest, HotTrackingFollowsTheMouse) {
  control_->Tabs().GetTab(2)->SetEnabled(false);
  test_support::SendMouseMove(Window(), POINT{Centre(TabRect(1)).X, Centre(TabRect(1)).Y});
  EXPECT_EQ(control_->HotVisibleIndex(), -1);  // HotTrack is off
  control_->SetHotTrack(true);
  test_support::SendMouseMove(Window(), POINT{Centre(TabRect(1)).X, Centre(TabRect(1)).Y});
  EXPECT_EQ(control_->HotVisibleIndex(), 1);
  EXPECT_EQ(control_->PainterObject()->GetTabTextColor(1), TColorOf(0x00FF0000));
  test_support::SendMouseMove(Window(), POINT{Centre(TabRect(2)).X, Centre(TabRect(2)).Y});
  EXPECT_EQ(control_->HotVisibleIndex(), -1);  // a disabled tab is never hot
}

TEST_F(TabControlWindowTest, WheelScrollsOnlyOverTheTabRow) {
  for (int32_t i = 0; i < 7; ++i)
    control_->Tabs().Add("Weiterer Reiter " + std::to_string(i));
  control_->SetWidth(200);
  test_support::PumpMessagesUntilIdle();
  auto wheel = [&](TPoint client, int delta) {
    const TPoint screen = control_->ClientToScreen(client);
    SendMessageW(Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.X, screen.Y));
  };
  wheel(Centre(TabRect(0)), -WHEEL_DELTA);
  EXPECT_EQ(control_->FirstDisplayedTab(), 1);
  wheel(Centre(control_->PageAreaRect()), -WHEEL_DELTA);
  EXPECT_EQ(control_->FirstDisplayedTab(), 1);
  wheel(Centre(TabRect(1)), WHEEL_DELTA);
  EXPECT_EQ(control_->FirstDisplayedTab(), 0);
}

TEST_F(TabControlWindowTest, CloseButtonAsksOnCanClose) {
  control_->SetOptions(control_->Options() | lxPCOptionBit(pcoCloseButton));
  test_support::PumpMessagesUntilIdle();
  const TRect close = control_->PainterObject()->GetButtonRect(nbClose);
  ASSERT_FALSE(close.IsEmpty());
  bool allow_close = false;
  control_->OnCanClose = [&](TObject*, bool& can_close) { can_close = allow_close; };
  Click(Centre(close));
  EXPECT_EQ(control_->Tabs().Count(), 3);
  allow_close = true;
  Click(Centre(close));
  EXPECT_EQ(control_->Tabs().Count(), 2);
  EXPECT_EQ(control_->Tabs().Get(0), "Zwei");
}

TEST_F(TabControlWindowTest, GoDialogListsChoosableTabsSorted) {
  control_->Tabs().Put(0, "Zwei");
  control_->Tabs().Put(1, "&Drei");
  control_->Tabs().Put(2, "eins");
  control_->Tabs().Add("Vier");
  control_->Tabs().Add("F\xC3\xBCnf");
  control_->Tabs().GetTab(3)->SetEnabled(false);
  control_->Tabs().GetTab(4)->SetVisible(false);
  control_->SetOptions(control_->Options() | lxPCOptionBit(pcoGoDialog) | lxPCOptionBit(pcoSort));
  test_support::PumpMessagesUntilIdle();
  const TRect button = control_->PainterObject()->GetGoDialogButtonBounds();
  ASSERT_FALSE(button.IsEmpty());
  std::vector<std::wstring> items;
  test_support::RunWhileModal([&] {
    HWND menu = test_support::FindThreadWindow(L"#32768");
    if (menu == nullptr)
      return false;
    HMENU handle = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(handle); ++i) {
      wchar_t text[64] = {};
      GetMenuStringW(handle, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
      items.push_back(text);
    }
    // The second entry, "eins".
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
  });
  const TPoint at = Centre(button);
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.X, at.Y));
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(at.X, at.Y));
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(test_support::ModalScriptPending());
  test_support::StopModalScript();
  EXPECT_EQ(items, (std::vector<std::wstring>{L"&Drei", L"eins", L"Zwei"}));
  EXPECT_EQ(control_->TabIndex(), 2);
  EXPECT_FALSE(control_->GoDialogShowing());
  EXPECT_EQ(control_->NavigatorButtonState(nbGoDialog), nbsNormal);
}

TEST_F(TabControlWindowTest, HandlerFreeingTheControlEndsTheClick) {
  control_->OnChange = [this](TObject*) {
    delete control_;
    control_ = nullptr;
  };
  const TRect tab = TabRect(1);
  test_support::SendClick(control_->Handle(), POINT{Centre(tab).X, Centre(tab).Y});
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_, nullptr);
}

}  // namespace
