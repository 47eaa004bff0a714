#include "tabs/page_control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tests/tabs/tab_test_geometry.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace page_control_win_test {

// A form with a page control of three pages, "Eins" active.
class PageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxPCRegisterShippedPainters();
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 360, 260);
    control_ = new TlxPageControl(form_);
    control_->SetParent(form_);
    control_->SetBounds(10, 10, 320, 200);
    for (const char* caption : {"Eins", "Zwei", "Drei"}) {
      TlxTabSheet* page = new TlxTabSheet(form_);
      page->SetCaption(caption);
      page->SetPageControl(control_);
      pages_.push_back(page);
    }
    control_->OnPageChanging = [this](TObject*, TlxTabSheet* page, bool& allow) {
      events_.push_back("page changing " + page->Caption());
      allow = allow_change_;
    };
    control_->OnChange = [this](TObject*) { events_.push_back("change"); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxPCUnregisterShippedPainters();
  }

  TRect TabRect(int32_t tab_index) { return control_->Tabs().GetTab(tab_index)->DisplayRect(); }
  void Click(const TPoint& point) {
    test_support::SendClick(control_->Handle(), POINT{point.X, point.Y});
    test_support::PumpMessagesUntilIdle();
  }

  TForm* form_ = nullptr;
  TlxPageControl* control_ = nullptr;
  std::vector<TlxTabSheet*> pages_;
  std::vector<std::string> events_;
  bool allow_change_ = true;
};

TEST_F(PageControlTest, PagesAndTabsGoTogether) {
  ASSERT_EQ(control_->Tabs().Count(), 3);
  EXPECT_EQ(control_->Tabs().Get(2), "Drei");
  EXPECT_EQ(control_->ActivePage(), pages_[0]);
  EXPECT_EQ(control_->TabIndex(), 0);
  EXPECT_TRUE(pages_[0]->Visible());
  EXPECT_FALSE(pages_[1]->Visible());
  pages_[1]->SetCaption("Zwo");
  EXPECT_EQ(control_->Tabs().Get(1), "Zwo");
  // The page fills the page area.
  EXPECT_EQ(pages_[0]->BoundsRect(), control_->PageAreaRect());
}

TEST_F(PageControlTest, ClickSwitchesThePageWithEachEventOnce) {
  Click(Centre(TabRect(2)));
  EXPECT_EQ(control_->ActivePage(), pages_[2]);
  EXPECT_TRUE(pages_[2]->Visible());
  EXPECT_FALSE(pages_[0]->Visible());
  EXPECT_EQ(events_, (std::vector<std::string>{"page changing Drei", "change"}));
  events_.clear();
  allow_change_ = false;
  Click(Centre(TabRect(1)));
  EXPECT_EQ(control_->ActivePage(), pages_[2]);
  EXPECT_EQ(control_->TabIndex(), 2);
  EXPECT_EQ(events_, (std::vector<std::string>{"page changing Zwei"}));
}

TEST_F(PageControlTest, ActivePageInCodeFiresEachEventOnce) {
  control_->SetActivePage(pages_[1]);
  EXPECT_EQ(control_->TabIndex(), 1);
  EXPECT_EQ(events_, (std::vector<std::string>{"page changing Zwei", "change"}));
}

TEST_F(PageControlTest, RemovingTheActivePageActivatesItsNeighbour) {
  pages_[1]->SetTabVisible(false);
  delete pages_[0];
  EXPECT_EQ(control_->ActivePage(), pages_[2]);  // the hidden-tab page is skipped
  EXPECT_EQ(control_->TabIndex(), 1);
  delete pages_[2];
  // Only a page with a hidden tab is left: no active page.
  EXPECT_EQ(control_->ActivePage(), nullptr);
  EXPECT_EQ(control_->PageCount(), 1);
}

TEST_F(PageControlTest, RemovingTheLastActivePageActivatesThePrevious) {
  control_->SetActivePage(pages_[2]);
  delete pages_[2];
  EXPECT_EQ(control_->ActivePage(), pages_[1]);
}

TEST_F(PageControlTest, HidingTheActiveTabKeepsThePage) {
  pages_[0]->SetTabVisible(false);
  EXPECT_EQ(control_->ActivePage(), pages_[0]);
  EXPECT_TRUE(pages_[0]->Visible());
  EXPECT_EQ(control_->TabIndex(), -1);
}

TEST_F(PageControlTest, PageIndexOutOfRangeIsRefused) {
  try {
    pages_[0]->SetPageIndex(3);
    FAIL() << "no error";
  } catch (const EListError& e) {
    EXPECT_EQ(e.Message(), "3 is an invalid PageIndex value.  PageIndex must be between 0 and 2");
  }
  EXPECT_EQ(pages_[0]->PageIndex(), 0);
  pages_[0]->SetPageIndex(2);
  EXPECT_EQ(control_->Tabs().Get(2), "Eins");
  EXPECT_EQ(pages_[0]->PageIndex(), 2);
  EXPECT_EQ(control_->TabIndex(), 2);  // the active page's tab moved along
}

TEST_F(PageControlTest, OnlyAPageControlHoldsPages) {
  EXPECT_THROW(pages_[1]->SetParent(form_), EAbort);
  EXPECT_EQ(pages_[1]->PageControl(), control_);
}

TEST_F(PageControlTest, AFocusThatStaysSnapsTheTabBack) {
  TEdit* edit = new TEdit(form_);
  edit->SetParent(pages_[0]);
  edit->SetBounds(5, 5, 100, 22);
  test_support::PumpMessagesUntilIdle();
  form_->SetActiveControl(edit);
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(form_->ActiveControl(), edit);
  edit->OnExit = [edit](TObject*) { edit->SetFocus(); };
  Click(Centre(TabRect(1)));
  EXPECT_EQ(control_->ActivePage(), pages_[0]);
  EXPECT_EQ(control_->TabIndex(), 0);
  EXPECT_EQ(form_->ActiveControl(), edit);
  edit->OnExit = nullptr;
  Click(Centre(TabRect(1)));
  EXPECT_EQ(control_->ActivePage(), pages_[1]);
}

// Showing a page tells it, and the page it replaces, hiding first; hiding
// the active page's tab leaves the page shown.
TEST_F(PageControlTest, PagesTellWhenTheyShowAndHide) {
  std::vector<std::string> shown;
  for (TlxTabSheet* page : pages_) {
    page->OnShow = [&shown, page](TObject* sender) {
      EXPECT_EQ(sender, page);
      shown.push_back("show " + page->Caption());
    };
    page->OnHide = [&shown, page](TObject*) { shown.push_back("hide " + page->Caption()); };
  }
  control_->SetActivePage(pages_[2]);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(shown, (std::vector<std::string>{"hide Eins", "show Drei"}));
  shown.clear();
  control_->SetActivePage(pages_[2]);
  EXPECT_TRUE(shown.empty());
  pages_[2]->SetTabVisible(false);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->ActivePage(), pages_[2]);
  EXPECT_EQ(control_->TabIndex(), -1);
  EXPECT_TRUE(shown.empty());
  control_->SetActivePage(pages_[1]);
  EXPECT_EQ(shown, (std::vector<std::string>{"hide Drei", "show Zwei"}));
  for (TlxTabSheet* page : pages_) {
    page->OnShow = nullptr;
    page->OnHide = nullptr;
  }
}

// A form docks as a page of its own named after it and shown at once; a
// second dock only moves its page to the end; OnDockDrop follows each.
TEST_F(PageControlTest, FormsDockAsPages) {
  std::vector<std::string> drops;
  control_->DockSite().OnDockDrop = [&](TObject* sender, TDragDockObject& source, int32_t, int32_t) {
    EXPECT_EQ(sender, control_);
    drops.push_back(source.Control().Name());
  };
  auto* tool = new TForm(form_);
  tool->SetName("Werkzeuge");
  tool->SetCaption("Werkzeuge");
  tool->SetBounds(420, 60, 150, 120);
  tool->Show();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(lxManualDock(*tool, &control_->DockSite()));
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(control_->PageCount(), 4);
  TlxTabSheet* page = control_->Pages(3);
  EXPECT_EQ(page->Caption(), "Werkzeuge");
  EXPECT_EQ(control_->Tabs().Get(3), "Werkzeuge");
  EXPECT_EQ(control_->ActivePage(), page);
  EXPECT_EQ(tool->Parent(), page);
  EXPECT_EQ(tool->Align(), alClient);
  EXPECT_EQ(control_->FindDockedPage(*tool), page);
  EXPECT_NE(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);
  EXPECT_EQ(drops, (std::vector<std::string>{"Werkzeuge"}));

  page->SetPageIndex(0);
  ASSERT_TRUE(lxManualDock(*tool, &control_->DockSite()));
  EXPECT_EQ(control_->PageCount(), 4);
  EXPECT_EQ(page->PageIndex(), 3);
  EXPECT_EQ(drops, (std::vector<std::string>{"Werkzeuge", "Werkzeuge"}));
}

// The page follows its docked form: the caption up to its first line break,
// hiding the form hides its tab and showing it brings the tab back.
TEST_F(PageControlTest, DockedFormCaptionAndVisibilityReachItsPage) {
  auto* tool = new TForm(form_);
  tool->SetCaption("Ebenen");
  tool->Show();
  ASSERT_TRUE(lxManualDock(*tool, &control_->DockSite()));
  test_support::PumpMessagesUntilIdle();
  TlxTabSheet* page = control_->Pages(3);
  const struct {
    std::string caption;
    std::string shown;
  } captions[] = {{"Farben", "Farben"}, {"Zeile 1\r\nZeile 2", "Zeile 1"}, {"Oben\nUnten", "Oben"},
                  {"\rLeer", ""}, {"Ende\r", "Ende"}};
  for (const auto& c : captions) {
    tool->SetCaption(c.caption);
    EXPECT_EQ(page->Caption(), c.shown) << c.caption;
    EXPECT_EQ(control_->Tabs().Get(3), c.shown) << c.caption;
  }
  tool->Hide();
  EXPECT_FALSE(page->TabVisible());
  EXPECT_FALSE(control_->Tabs().GetTab(3)->Visible());
  tool->Show();
  EXPECT_TRUE(page->TabVisible());
  EXPECT_TRUE(control_->Tabs().GetTab(3)->Visible());

  // A floated form leaves the page control alone.
  ASSERT_TRUE(lxManualDock(*tool, nullptr));
  const int32_t pages = control_->PageCount();
  tool->SetCaption("Frei");
  tool->Hide();
  EXPECT_EQ(control_->PageCount(), pages);
  for (int32_t i = 0; i < control_->PageCount(); ++i)
    EXPECT_NE(control_->Pages(i)->Caption(), "Frei");
}

// A double click on the tab floats the docked form; OnUnDock may refuse.
// The page goes with it and the next page shows.
TEST_F(PageControlTest, DoubleClickOnADockedTabFloatsTheForm) {
  auto* tool = new TForm(form_);
  tool->SetName("Palette");
  tool->SetCaption("Palette");
  tool->Show();
  ASSERT_TRUE(lxManualDock(*tool, &control_->DockSite()));
  test_support::PumpMessagesUntilIdle();
  bool allow = false;
  int32_t asked = 0;
  control_->DockSite().OnUnDock = [&](TObject*, TControl* client, TWinControl* target, bool& allow_undock) {
    EXPECT_EQ(client, tool);
    EXPECT_EQ(target, nullptr);
    ++asked;
    allow_undock = allow;
  };
  const TPoint tab = Centre(TabRect(3));
  auto double_click = [&] {
    SendMessageW(control_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(tab.X, tab.Y));
    SendMessageW(control_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(tab.X, tab.Y));
    test_support::PumpMessagesUntilIdle();
  };
  double_click();
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(control_->PageCount(), 4);
  EXPECT_EQ(tool->Parent(), control_->Pages(3));
  allow = true;
  double_click();
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(control_->PageCount(), 3);
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_EQ(tool->Align(), alNone);
  EXPECT_EQ(lxHostDockSite(*tool), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);
  EXPECT_NE(control_->ActivePage(), nullptr);
}

// A press on a docked form's tab picks the form up: dropped on another page
// control it docks there, dropped where no site takes it it floats moved by
// the way the mouse went, and Esc leaves it where it was. Real mouse input.
TEST_F(PageControlTest, PressingADockedTabDragsTheForm) {
  auto* other_form = new TForm(form_);
  other_form->SetBounds(460, 60, 300, 220);
  auto* other = new TlxPageControl(other_form);
  other->SetParent(other_form);
  other->SetBounds(10, 10, 270, 170);
  other_form->Show();
  auto* tool = new TForm(form_);
  tool->SetName("Palette");
  tool->SetCaption("Palette");
  tool->SetDragKind(dkDock);
  tool->Show();
  ASSERT_TRUE(lxManualDock(*tool, &control_->DockSite()));
  test_support::PumpMessagesUntilIdle();
  POINT saved_cursor{};
  GetCursorPos(&saved_cursor);

  // Presses at `from`, moves in two steps to `to` and releases there; Esc
  // before the release when asked.
  auto drag = [&](TPoint from, TPoint to, bool escape) {
    test_support::InputMouseAt(POINT{from.X, from.Y}, MOUSEEVENTF_LEFTDOWN);
    test_support::PumpMessagesUntilIdle();
    test_support::InputMouseAt(POINT{from.X + 12, from.Y + 12});
    test_support::PumpMessagesUntilIdle();
    test_support::InputMouseAt(POINT{to.X, to.Y});
    test_support::PumpMessagesUntilIdle();
    if (escape) {
      // The application's loop is what turns Esc into a cancelled drag.
      test_support::InputKey(VK_ESCAPE);
      test_support::PumpUntil([] {
        Application->ProcessMessages();
        return DragSourceControl() == nullptr;
      }, 2000);
    }
    test_support::InputMouseAt(POINT{to.X, to.Y}, MOUSEEVENTF_LEFTUP);
    test_support::PumpMessagesUntilIdle();
  };

  const TPoint tab = control_->ClientToScreen(Centre(TabRect(3)));
  const TPoint over_other = other->ClientToScreen(TPoint(130, 90));
  drag(tab, over_other, /*escape=*/true);
  EXPECT_EQ(lxHostDockSite(*tool), &control_->DockSite());
  EXPECT_EQ(control_->PageCount(), 4);
  EXPECT_EQ(DragSourceControl(), nullptr);

  // Pressed a second time at the same spot, the tab would see a double click.
  const TPoint tab_edge = control_->ClientToScreen(TPoint(TabRect(3).Left + 3, Centre(TabRect(3)).Y));
  drag(tab_edge, over_other, /*escape=*/false);
  EXPECT_EQ(lxHostDockSite(*tool), &other->DockSite());
  ASSERT_EQ(other->PageCount(), 1);
  EXPECT_EQ(tool->Parent(), other->Pages(0));
  EXPECT_EQ(control_->PageCount(), 3);

  RECT docked_bounds{};
  GetWindowRect(tool->Handle(), &docked_bounds);
  const TPoint other_tab = other->ClientToScreen(Centre(other->Tabs().GetTab(0)->DisplayRect()));
  const TPoint nowhere(other_tab.X + 40, other_tab.Y + 250);
  drag(other_tab, nowhere, /*escape=*/false);
  EXPECT_EQ(lxHostDockSite(*tool), nullptr);
  EXPECT_EQ(other->PageCount(), 0);
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_EQ(tool->Left(), docked_bounds.left + 40);
  EXPECT_EQ(tool->Top(), docked_bounds.top + 250);
  EXPECT_EQ(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);

  test_support::InputMouseAt(saved_cursor);
  test_support::PumpMessagesUntilIdle();
}

// A site that takes nothing makes no page; a drop that fails frees the page
// made for it and passes the error on.
TEST_F(PageControlTest, RefusedOrFailingDockLeavesNoPage) {
  auto* edit = new TEdit(form_);
  edit->SetParent(form_);
  control_->DockSite().SetDockSite(false);
  EXPECT_FALSE(lxManualDock(*edit, &control_->DockSite()));
  EXPECT_EQ(control_->PageCount(), 3);
  EXPECT_EQ(edit->Parent(), form_);
  control_->DockSite().SetDockSite(true);
  TlxTabSheet* page_before = control_->ActivePage();
  // The form holding the page control cannot go onto one of its pages.
  EXPECT_THROW(lxManualDock(*form_, &control_->DockSite()), Exception);
  EXPECT_EQ(control_->PageCount(), 3);
  EXPECT_EQ(control_->ActivePage(), page_before);
  EXPECT_EQ(control_->DockSite().DockClientCount(), 0);
}

}  // namespace page_control_win_test
