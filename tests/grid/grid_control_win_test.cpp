// The grid control on a real form: its change queue through layout and
// size requests, its levels and active level, the drag-open timer, the
// notification subscribers and moving the focus on to the next control.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <string>
#include <vector>

#include "grid/grid_control_win.h"
#include "grid/grid_level_win.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace grid_control_win_test {

class GridControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    before_ = new TEdit(form_);
    before_->SetParent(form_);
    before_->SetBounds(10, 10, 100, 24);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 40, 300, 200);
    after_ = new TEdit(form_);
    after_->SetParent(form_);
    after_->SetBounds(10, 250, 100, 24);
    grid_->OnLayoutChanged = [this](TlxCustomGrid*, TlxCustomGridView*) { ++layouts_; };
    grid_->OnActiveTabChanged = [this](TlxCustomGrid*, TlxGridLevel* level) {
      tabs_.push_back(level != nullptr ? level->Caption() : "-");
    };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    layouts_ = 0;
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }
  TlxGridLevel* AddLevel(const std::string& caption) {
    auto* level = new TlxGridLevel(form_);
    level->SetCaption(caption);
    level->SetParentComponent(grid_);
    return level;
  }

  TForm* form_ = nullptr;
  TEdit* before_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TEdit* after_ = nullptr;
  int layouts_ = 0;
  std::vector<std::string> tabs_;
};

TEST_F(GridControlTest, BurstOfLayoutAndSizeRequestsLaysOutOnce) {
  grid_->BeginUpdate();
  grid_->LayoutChanged();
  grid_->SizeChanged();
  grid_->LayoutChanged();
  grid_->LayoutChanged();
  EXPECT_EQ(layouts_, 0);
  grid_->EndUpdate();
  EXPECT_EQ(layouts_, 1);
  EXPECT_FALSE(grid_->IsUpdateLocked());
}

TEST_F(GridControlTest, CancelledBracketLaysOutNothing) {
  grid_->BeginUpdate();
  grid_->LayoutChanged();
  grid_->SizeChanged();
  grid_->CancelUpdate();
  EXPECT_EQ(layouts_, 0);
  EXPECT_EQ(grid_->ChangeQueue().Count(), 0u);
}

TEST_F(GridControlTest, GridDestroyedWithQueuedChangesRunsNone) {
  int layouts = 0;
  grid_->OnLayoutChanged = [&layouts](TlxCustomGrid*, TlxCustomGridView*) { ++layouts; };
  grid_->BeginUpdate();
  grid_->LayoutChanged();
  delete std::exchange(grid_, nullptr);
  EXPECT_EQ(layouts, 0);
}

TEST_F(GridControlTest, NegativeSettingsAreStoredAtTheirLimits) {
  grid_->SetDragOpeningWaitTime(-5);
  EXPECT_EQ(grid_->DragOpeningWaitTime(), 0);
  grid_->LevelTabs().SetImageBorder(-1);
  EXPECT_EQ(grid_->LevelTabs().ImageBorder(), 0);
  TlxGridLevel* level = AddLevel("&Dateien");
  level->SetImageIndex(-7);
  EXPECT_EQ(level->ImageIndex(), -1);
  level->SetMaxDetailHeight(-3);
  EXPECT_EQ(level->MaxDetailHeight(), 0);
  level->Options().SetDetailFrameWidth(-2);
  EXPECT_EQ(level->Options().DetailFrameWidth(), 0);
  EXPECT_EQ(level->GetDisplayCaption(), "Dateien");
  EXPECT_EQ(grid_->RootLevelOptions().DetailFrameWidth(), 0);
}

TEST_F(GridControlTest, CheckHeightCapsAtTheMaximumDetailHeight) {
  TlxGridLevel* level = AddLevel("Eins");
  struct Case {
    int32_t max_height;
    int32_t height;
    int32_t expected;
  };
  const Case cases[] = {{100, 250, 100}, {100, -5, 0}, {100, 40, 40}, {0, 250, 250}};
  for (const Case& c : cases) {
    level->SetMaxDetailHeight(c.max_height);
    int32_t height = c.height;
    level->CheckHeight(height);
    EXPECT_EQ(height, c.expected) << c.max_height << " " << c.height;
  }
}

TEST_F(GridControlTest, ActiveLevelFollowsVisibility) {
  TlxGridLevel* eins = AddLevel("Eins");
  TlxGridLevel* zwei = AddLevel("Zwei");
  TlxGridLevel* drei = AddLevel("Drei");
  EXPECT_EQ(grid_->ActiveLevel(), eins);
  EXPECT_TRUE(eins->IsActive());
  EXPECT_TRUE(eins->IsTopLevel());

  eins->SetVisible(false);
  EXPECT_EQ(grid_->ActiveLevel(), zwei);
  grid_->SetActiveLevel(eins);  // invisible: refused
  EXPECT_EQ(grid_->ActiveLevel(), zwei);

  zwei->SetVisible(false);
  drei->SetVisible(false);
  EXPECT_EQ(grid_->ActiveLevel(), nullptr);
  EXPECT_EQ(grid_->FocusedView(), nullptr);

  drei->SetVisible(true);
  EXPECT_EQ(grid_->ActiveLevel(), drei);
  eins->SetVisible(true);
  EXPECT_EQ(grid_->ActiveLevel(), drei);
  // Asking for none picks the first visible top-level level.
  grid_->SetActiveLevel(nullptr);
  EXPECT_EQ(grid_->ActiveLevel(), eins);
  EXPECT_EQ(tabs_, (std::vector<std::string>{"Eins", "Zwei", "Drei", "Drei", "Eins"}));
}

TEST_F(GridControlTest, ChildIndexIsClampedAndVisibleItemsFollowTheOrder) {
  TlxGridLevel* eins = AddLevel("Eins");
  AddLevel("Zwei");
  TlxGridLevel* drei = AddLevel("Drei");
  TlxGridLevel* root = grid_->RootLevel();
  root->SetChildIndex(eins, 99);
  EXPECT_EQ(eins->Index(), 2);
  root->SetChildIndex(drei, -4);
  EXPECT_EQ(drei->Index(), 0);
  drei->SetVisible(false);
  ASSERT_EQ(root->VisibleCount(), 2);
  EXPECT_EQ(root->VisibleItems(0)->Caption(), "Zwei");
  EXPECT_EQ(root->VisibleItems(1), eins);
}

TEST_F(GridControlTest, DragOpenKeepsOneTimerPerTabAndOpensTheTab) {
  AddLevel("Eins");
  TlxGridLevel* zwei = AddLevel("Zwei");
  TlxGridLevel* drei = AddLevel("Drei");
  TlxGridController* controller = grid_->Controller();
  controller->StartDragOpen(std::make_unique<TlxGridDragOpenInfoTab>(zwei));
  TlxTimer* timer = controller->DragOpenTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), 800u);
  TlxCustomGridDragOpenInfo* pending = controller->DragOpenInfo();
  controller->StartDragOpen(std::make_unique<TlxGridDragOpenInfoTab>(zwei));
  EXPECT_EQ(controller->DragOpenInfo(), pending);
  EXPECT_EQ(controller->DragOpenTimer(), timer);
  controller->StartDragOpen(std::make_unique<TlxGridDragOpenInfoTab>(drei));
  EXPECT_NE(controller->DragOpenInfo(), pending);
  EXPECT_TRUE(timer->Enabled());
  timer->FireTimer();
  EXPECT_EQ(grid_->ActiveLevel(), drei);
  EXPECT_EQ(controller->DragOpenTimer(), nullptr);
  EXPECT_EQ(controller->DragOpenInfo(), nullptr);
}

class Subscriber : public IlxGridNotificationHandler {
 public:
  Subscriber(TlxGridNotificationKinds kinds, bool handles) : kinds_(kinds), handles_(handles) {}
  TlxGridNotificationKinds NotificationKinds() override { return kinds_; }
  void Notify(TlxGridNotificationKind kind, TObject*, bool& handled) override {
    received.push_back(kind);
    handled = handles_;
  }
  std::vector<int> received;

 private:
  TlxGridNotificationKinds kinds_;
  bool handles_;
};

TEST_F(GridControlTest, NotificationsGoToSubscribersUntilOneHandlesThem) {
  Subscriber keys(1u << gnkKeyDown, true);
  Subscriber all(0xFFFFFFFFu, false);
  grid_->AddNotificationHandler(&keys);
  grid_->AddNotificationHandler(&all);
  EXPECT_TRUE(grid_->DispatchNotification(gnkKeyDown, nullptr));
  EXPECT_FALSE(grid_->DispatchNotification(gnkRecordCountChanged, nullptr));
  EXPECT_FALSE(grid_->DispatchNotification(8, nullptr));
  EXPECT_EQ(keys.received, std::vector<int>{gnkKeyDown});
  EXPECT_EQ(all.received, std::vector<int>{gnkRecordCountChanged});
  grid_->RemoveNotificationHandler(&keys);
  grid_->RemoveNotificationHandler(&all);
}

TEST_F(GridControlTest, FocusNextControlMovesTheFocusThroughTheForm) {
  grid_->SetFocus();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(grid_->IsFocusedControl());
  grid_->FocusNextControl(true);
  EXPECT_TRUE(grid_->Focused());  // posted: the move happens after this message
  test_support::PumpUntil([this] { return after_->Focused(); });
  EXPECT_TRUE(after_->Focused());
  grid_->SetFocus();
  test_support::PumpMessagesUntilIdle();
  grid_->FocusNextControl(false);
  test_support::PumpUntil([this] { return before_->Focused(); });
  EXPECT_TRUE(before_->Focused());
  // Without the focus the grid does nothing.
  grid_->FocusNextControl(true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(before_->Focused());
}

}  // namespace grid_control_win_test
