#include "platform/toolkit/dock_site.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/toolkit/drag.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/panel.h"
#include "tests/support/message_pump.h"

namespace dock_site_test {

// A site that notes which of its clients' captions and visibility changed.
class TRecordingDockSite : public TDockSite {
 public:
  using TDockSite::TDockSite;
  void DockClientChanged(TControl& client, TDockClientChange change) override {
    changes.push_back(client.Name() + (change == TDockClientChange::Text ? " text" : " visible"));
  }
  std::vector<std::string> changes;
};

// A panel that takes docking controls and passes frees on to its site.
class TDockPanel : public TPanel {
 public:
  explicit TDockPanel(TComponent* owner) : TPanel(owner), site(*this) {}
  void Notification(TComponent* component, TOperation operation) override {
    TPanel::Notification(component, operation);
    if (operation == opRemove)
      site.ClientFreed(component);
  }
  TRecordingDockSite site;
};

// A form with two dock panels side by side and a panel to dock.
class DockSiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 420, 260);
    for (int32_t i = 0; i < 2; ++i) {
      sites_[i] = new TDockPanel(form_);
      sites_[i]->SetParent(form_);
      sites_[i]->SetBounds(10 + 200 * i, 10, 190, 200);
      sites_[i]->site.OnDockDrop = [this, i](TObject* sender, TDragDockObject& source, int32_t, int32_t) {
        EXPECT_EQ(sender, sites_[i]);
        events_.push_back("drop " + std::to_string(i) + " " + source.Control().Name());
      };
      sites_[i]->site.OnUnDock = [this, i](TObject*, TControl* client, TWinControl* target, bool& allow) {
        events_.push_back("undock " + std::to_string(i) + " " + client->Name() + (target ? " to site" : " to float"));
        allow = allow_undock_;
      };
    }
    client_ = new TPanel(form_);
    client_->SetName("Werkzeuge");
    client_->SetParent(form_);
    client_->SetBounds(0, 220, 50, 30);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  TForm* form_ = nullptr;
  TDockPanel* sites_[2] = {};
  TPanel* client_ = nullptr;
  std::vector<std::string> events_;
  bool allow_undock_ = true;
};

TEST_F(DockSiteTest, ManualDockMovesTheControlOntoTheSite) {
  ASSERT_TRUE(lxManualDock(*client_, &sites_[0]->site, nullptr, alClient));
  EXPECT_EQ(client_->Parent(), sites_[0]);
  EXPECT_EQ(lxHostDockSite(*client_), &sites_[0]->site);
  EXPECT_EQ(client_->Align(), alClient);
  ASSERT_EQ(sites_[0]->site.DockClientCount(), 1);
  EXPECT_EQ(sites_[0]->site.DockClients(0), client_);
  EXPECT_EQ(events_, (std::vector<std::string>{"drop 0 Werkzeuge"}));
}

// Only the site holding the control hears of its caption and visibility,
// and only of real changes.
TEST_F(DockSiteTest, TheHoldingSiteHearsOfCaptionAndVisibilityChanges) {
  client_->SetCaption("Vorher");
  client_->Hide();
  client_->Show();
  ASSERT_TRUE(lxManualDock(*client_, &sites_[0]->site));
  client_->SetCaption("Neu");
  client_->SetCaption("Neu");
  client_->Hide();
  client_->Hide();
  EXPECT_EQ(sites_[0]->site.changes, (std::vector<std::string>{"Werkzeuge text", "Werkzeuge visible"}));
  ASSERT_TRUE(lxManualDock(*client_, &sites_[1]->site));
  client_->Show();
  ASSERT_TRUE(lxManualFloat(*client_, Bounds(0, 0, 50, 30)));
  client_->SetCaption("Frei");
  EXPECT_EQ(sites_[0]->site.changes.size(), 2U);
  EXPECT_EQ(sites_[1]->site.changes, (std::vector<std::string>{"Werkzeuge visible"}));
}

TEST_F(DockSiteTest, TheHoldingSiteIsAskedAndMayRefuse) {
  lxManualDock(*client_, &sites_[0]->site);
  events_.clear();
  allow_undock_ = false;
  EXPECT_FALSE(lxManualDock(*client_, &sites_[1]->site));
  EXPECT_EQ(client_->Parent(), sites_[0]);
  EXPECT_EQ(events_, (std::vector<std::string>{"undock 0 Werkzeuge to site"}));
  allow_undock_ = true;
  events_.clear();
  EXPECT_TRUE(lxManualDock(*client_, &sites_[1]->site));
  EXPECT_EQ(client_->Parent(), sites_[1]);
  EXPECT_EQ(sites_[0]->site.DockClientCount(), 0);
  EXPECT_EQ(events_, (std::vector<std::string>{"undock 0 Werkzeuge to site", "drop 1 Werkzeuge"}));
}

TEST_F(DockSiteTest, SiteThatTakesNothingRefuses) {
  sites_[1]->site.SetDockSite(false);
  EXPECT_FALSE(lxManualDock(*client_, &sites_[1]->site));
  EXPECT_EQ(client_->Parent(), form_);
  EXPECT_TRUE(events_.empty());
}

// A form docks as a child window of the site and floats back as a window
// of its own, where the float puts it.
TEST_F(DockSiteTest, FormDocksAsChildWindowAndFloatsBack) {
  auto* tool = new TForm(form_);
  tool->SetName("Palette");
  tool->SetBounds(500, 80, 160, 120);
  tool->Show();
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);

  ASSERT_TRUE(lxManualDock(*tool, &sites_[0]->site, nullptr, alClient));
  test_support::PumpMessagesUntilIdle();
  EXPECT_NE(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);
  EXPECT_EQ(GetParent(tool->Handle()), sites_[0]->Handle());
  EXPECT_TRUE(IsWindowVisible(tool->Handle()));
  EXPECT_EQ(tool->BoundsRect(), sites_[0]->InnerRect());

  events_.clear();
  ASSERT_TRUE(lxManualFloat(*tool, Bounds(300, 300, 170, 110)));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(events_, (std::vector<std::string>{"undock 0 Palette to float"}));
  EXPECT_EQ(tool->Parent(), nullptr);
  EXPECT_EQ(lxHostDockSite(*tool), nullptr);
  EXPECT_EQ(tool->Align(), alNone);
  EXPECT_EQ(GetWindowLongPtrW(tool->Handle(), GWL_STYLE) & WS_CHILD, 0);
  EXPECT_TRUE(IsWindowVisible(tool->Handle()));
  RECT window{};
  GetWindowRect(tool->Handle(), &window);
  EXPECT_EQ(window.left, 300);
  EXPECT_EQ(window.top, 300);
}

TEST_F(DockSiteTest, FreedClientLeavesTheSite) {
  lxManualDock(*client_, &sites_[0]->site);
  delete client_;
  client_ = nullptr;
  EXPECT_EQ(sites_[0]->site.DockClientCount(), 0);
}

// A site that fails to place the control passes the failure on and does not
// keep the control as its client.
TEST_F(DockSiteTest, FailingDropIsPassedOn) {
  sites_[0]->site.OnDockDrop = [](TObject*, TDragDockObject&, int32_t, int32_t) {
    throw std::runtime_error("kein Platz");
  };
  EXPECT_THROW(lxManualDock(*client_, &sites_[0]->site), std::runtime_error);
  EXPECT_EQ(sites_[0]->site.DockClientCount(), 0);
  EXPECT_EQ(lxHostDockSite(*client_), nullptr);
}

// Dragged with the mouse, a docking control docks onto the site under the
// mouse, floats moved by the drag where no site takes it, and never docks
// into a site inside itself; a cancelled drag changes nothing.
TEST_F(DockSiteTest, DraggingDocksOntoTheSiteUnderTheMouseOrFloats) {
  client_->SetDragKind(dkDock);
  auto* inner = new TDockPanel(form_);
  inner->SetParent(client_);
  inner->SetBounds(5, 5, 20, 20);
  test_support::PumpMessagesUntilIdle();
  auto centre = [](TControl& control) { return control.ClientToScreen(TPoint(control.Width() / 2, control.Height() / 2)); };

  TDragDockObject probe(*client_);
  EXPECT_EQ(lxFindDockSiteAt(probe, centre(*inner)), nullptr);
  EXPECT_EQ(lxFindDockSiteAt(probe, centre(*sites_[1])), &sites_[1]->site);

  client_->BeginDrag(true);
  DragTo(centre(*sites_[1]));
  CancelDrag();
  EXPECT_EQ(lxHostDockSite(*client_), nullptr);
  EXPECT_TRUE(events_.empty());

  client_->BeginDrag(true);
  DragTo(centre(*sites_[1]));
  FinishDrag(true);
  EXPECT_EQ(lxHostDockSite(*client_), &sites_[1]->site);
  EXPECT_EQ(client_->Parent(), sites_[1]);
  EXPECT_EQ(events_, std::vector<std::string>{"drop 1 Werkzeuge"});

  // Nothing takes it below the sites: it floats, moved as far as the drag went.
  events_.clear();
  sites_[0]->site.SetDockSite(false);
  RECT before{};
  GetWindowRect(client_->Handle(), &before);
  POINT cursor{};
  GetCursorPos(&cursor);
  client_->BeginDrag(true);
  const TPoint below_sites = sites_[0]->ClientToScreen(TPoint(20, 230));
  DragTo(below_sites);
  FinishDrag(true);
  EXPECT_EQ(lxHostDockSite(*client_), nullptr);
  EXPECT_EQ(client_->Parent(), nullptr);
  EXPECT_EQ(client_->Left(), before.left + below_sites.X - cursor.x);
  EXPECT_EQ(client_->Top(), before.top + below_sites.Y - cursor.y);
  EXPECT_EQ(events_, std::vector<std::string>{"undock 1 Werkzeuge to float"});
}

}  // namespace dock_site_test
