// The view framework on a real form: a view's parts made from its kind's
// classes, its requests through the grid's queue, the site that paints and
// forwards input, the view info's calculation and site visibility, the
// cache, focus and the grid's notifications.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/grid_control_win.h"
#include "grid/grid_level_win.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace grid_view_framework_win_test {

using grid_test_view::TCountingDataChange;
using grid_test_view::TTestController;
using grid_test_view::TTestPainter;
using grid_test_view::TTestView;
using grid_test_view::TTestViewInfo;
using grid_test_view::TTestViewInfoCache;
using grid_test_view::TTestCacheItem;

// A subscriber that records what it gets and answers handled for the kinds
// a test names.
class Subscriber : public IlxGridNotificationHandler {
 public:
  explicit Subscriber(TlxGridNotificationKinds wanted) : kinds_(wanted) {}
  TlxGridNotificationKinds NotificationKinds() override { return kinds_; }
  void Notify(TlxGridNotificationKind kind, TObject* param, bool& handled) override {
    kinds.push_back(kind);
    if (auto* key = dynamic_cast<TlxGridKeyNotification*>(param))
      keys.push_back(static_cast<UINT>(key->Message.WParam));
    if (auto* popup = dynamic_cast<TlxGridContextPopupNotification*>(param))
      popups_from_keyboard.push_back(popup->FromKeyboard);
    handled = handles;
  }

  std::vector<int> kinds;
  std::vector<UINT> keys;
  std::vector<bool> popups_from_keyboard;
  bool handles = false;

 private:
  TlxGridNotificationKinds kinds_;
};

class GridViewFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    before_ = new TEdit(form_);
    before_->SetParent(form_);
    before_->SetBounds(10, 10, 100, 24);
    grid_ = new TlxGrid(form_);
    grid_->SetName("Grid1");
    grid_->SetParent(form_);
    grid_->SetBounds(10, 40, 300, 200);
    after_ = new TEdit(form_);
    after_->SetParent(form_);
    after_->SetBounds(10, 250, 100, 24);
    grid_->OnLayoutChanged = [this](TlxCustomGrid*, TlxCustomGridView* view) { layouts_.push_back(view); };
    view_ = lxCreateGridView<TTestView>(form_);
    view_->SetName("Grid1View");
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetName("Grid1Level1");
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    form_->Show();
    // The top details site places the root view; these tests place it.
    view_->ViewInfo()->MainCalculate(kSiteBounds);
    test_support::PumpMessagesUntilIdle();
    layouts_.clear();
    view_->journal = {};
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridSite* Site() const { return view_->Site(); }
  void FocusSite() {
    Site()->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }

  static constexpr TRect kSiteBounds{0, 0, 200, 150};
  TForm* form_ = nullptr;
  TEdit* before_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TEdit* after_ = nullptr;
  TTestView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  std::vector<TlxCustomGridView*> layouts_;
};

TEST_F(GridViewFrameworkTest, ViewIsAssembledFromItsKindsPartsAndShownInTheGrid) {
  EXPECT_TRUE(view_->Controller()->Is(TTestController::kClass));
  EXPECT_TRUE(view_->Painter()->Is(TTestPainter::kClass));
  EXPECT_TRUE(view_->ViewInfo()->Is(TTestViewInfo::kClass));
  EXPECT_TRUE(view_->ViewInfoCache()->Is(TTestViewInfoCache::kClass));
  EXPECT_TRUE(view_->DataController()->Is(TlxDataController::kClass));
  ASSERT_NE(view_->OptionsBehavior(), nullptr);
  ASSERT_NE(view_->OptionsView(), nullptr);
  ASSERT_NE(view_->Styles(), nullptr);
  EXPECT_EQ(view_->Grid(), grid_);
  ASSERT_EQ(grid_->ViewCount(), 1);
  EXPECT_EQ(grid_->Views(0), view_);
  EXPECT_EQ(grid_->ActiveView(), view_);
  EXPECT_EQ(grid_->FocusedView(), view_);
  EXPECT_EQ(Site()->Parent(), grid_);
  EXPECT_EQ(Site()->BoundsRect(), kSiteBounds);
  EXPECT_TRUE(view_->IsVisible());
}

TEST_F(GridViewFrameworkTest, RequestsOfOneViewInABracketRunOnceAndTheWholeGridCoversThem) {
  grid_->BeginUpdate();
  view_->LayoutChanged();
  view_->LayoutChanged();
  view_->LayoutChanged();
  EXPECT_EQ(view_->journal.calculations, 0);
  grid_->EndUpdate();
  EXPECT_EQ(view_->journal.calculations, 1);
  EXPECT_EQ(layouts_, std::vector<TlxCustomGridView*>{view_});

  layouts_.clear();
  view_->journal.calculations = 0;
  grid_->BeginUpdate();
  view_->LayoutChanged(true);
  view_->LayoutChanged(false);  // the whole grid
  grid_->EndUpdate();
  // The grid's own layout calculates the shown view once, through the top
  // details site.
  EXPECT_EQ(view_->journal.calculations, 1);
  EXPECT_EQ(layouts_, std::vector<TlxCustomGridView*>{nullptr});
}

TEST_F(GridViewFrameworkTest, ChangeKindsMergeByWhatCoversWhat) {
  TlxCustomGridView* view = view_;
  auto rect = [](int32_t left) { return TRect(left, 0, left + 10, 10); };
  struct Case {
    const char* name;
    std::function<void(TlxGridChangeList&)> fill;
    std::vector<std::string> kept;
  };
  const std::vector<Case> cases = {
      {"repaint with a layout of the view",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridViewChange>(view));
         list.push_back(std::make_unique<TlxGridLayoutChange>(view));
       },
       {"TlxGridLayoutChange"}},
      {"record repaint with a size change of the view",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridRecordChange>(view, nullptr, 3, nullptr));
         list.push_back(std::make_unique<TlxGridSizeChange>(view, false, false));
       },
       {"TlxGridSizeChange"}},
      {"view layout before a whole-grid layout",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridLayoutChange>(view));
         list.push_back(std::make_unique<TlxGridLayoutChange>(nullptr));
       },
       {"TlxGridLayoutChange"}},
      {"layouts under a whole-grid size change",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridSizeChange>(nullptr, false, false));
         list.push_back(std::make_unique<TlxGridLayoutChange>(view));
         list.push_back(std::make_unique<TlxGridLayoutChange>(nullptr));
       },
       {"TlxGridSizeChange"}},
      {"view-only size change under a full one",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridSizeChange>(view, false, true));
         list.push_back(std::make_unique<TlxGridSizeChange>(view, false, false));
       },
       {"TlxGridSizeChange"}},
      {"repaints of equal and of other rectangles",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridViewChange>(view, rect(0)));
         list.push_back(std::make_unique<TlxGridViewChange>(view, rect(0)));
         list.push_back(std::make_unique<TlxGridViewChange>(view, rect(20)));
       },
       {"TlxGridViewChange", "TlxGridViewChange"}},
      {"two repaints of one cell",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridRecordChange>(view, nullptr, 2, nullptr));
         list.push_back(std::make_unique<TlxGridRecordChange>(view, nullptr, 2, nullptr));
         list.push_back(std::make_unique<TlxGridRecordChange>(view, nullptr, 4, nullptr));
       },
       {"TlxGridRecordChange", "TlxGridRecordChange"}},
      {"a whole-grid layout keeps a repaint of a view",
       [&](TlxGridChangeList& list) {
         list.push_back(std::make_unique<TlxGridViewChange>(view));
         list.push_back(std::make_unique<TlxGridLayoutChange>(nullptr));
       },
       {"TlxGridViewChange", "TlxGridLayoutChange"}},
  };
  for (const Case& test_case : cases) {
    TlxGridChangeList list;
    test_case.fill(list);
    TlxGridChangeQueue::Merge(list);
    std::vector<std::string> kept;
    for (const auto& change : list)
      kept.emplace_back(change->ClassName());
    EXPECT_EQ(kept, test_case.kept) << test_case.name;
  }
  // What stays of the whole-grid layout case is the grid's own.
  TlxGridChangeList list;
  list.push_back(std::make_unique<TlxGridLayoutChange>(view));
  list.push_back(std::make_unique<TlxGridLayoutChange>(nullptr));
  TlxGridChangeQueue::Merge(list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(static_cast<TlxCustomGridViewChange&>(*list[0]).GridView(), nullptr);
}

TEST_F(GridViewFrameworkTest, ChangeEntryQueuesWhatItShouldAndRunsDataChangesAtOnce) {
  std::vector<std::string> log;
  grid_->BeginUpdate();
  view_->InvalidateRect(TRect(5, 5, 5, 30));  // empty: nothing
  EXPECT_EQ(grid_->ChangeQueue().Count(), 0u);
  view_->Invalidate();
  EXPECT_EQ(grid_->ChangeQueue().Count(), 1u);
  EXPECT_TRUE(view_->AddChange(std::make_unique<TCountingDataChange>(view_, log)));
  EXPECT_EQ(log, std::vector<std::string>{"data change"});
  EXPECT_EQ(grid_->ChangeQueue().Count(), 1u);
  grid_->EndUpdate();

  // A view without grid runs its changes on the spot.
  auto* loose = lxCreateGridView<TTestView>(form_);
  EXPECT_TRUE(loose->AddChange(std::make_unique<TCountingDataChange>(loose, log)));
  EXPECT_EQ(log.size(), 2u);
  delete loose;
}

TEST_F(GridViewFrameworkTest, DataChangeArrivingDuringTheCalculationRunsRightAfterIt) {
  std::vector<std::string> log;
  view_->journal.on_calculate = [&] {
    EXPECT_TRUE(view_->AddChange(std::make_unique<TCountingDataChange>(view_, log)));
    // A layout request made by the calculation itself is covered by it.
    view_->LayoutChanged();
    EXPECT_TRUE(log.empty());
  };
  view_->ViewInfo()->Recalculate();
  EXPECT_EQ(log, std::vector<std::string>{"data change"});
  EXPECT_FALSE(view_->HasHeldDataChange());
  EXPECT_EQ(view_->journal.calculations, 1);
}

TEST_F(GridViewFrameworkTest, CalculationIsNotReenteredAndARaisingOneStillFinishes) {
  view_->journal.on_calculate = [&] { view_->ViewInfo()->MainCalculate(TRect(0, 0, 50, 50)); };
  view_->ViewInfo()->MainCalculate(kSiteBounds);
  EXPECT_EQ(view_->journal.calculations, 1);
  EXPECT_EQ(Site()->BoundsRect(), kSiteBounds);

  view_->journal.on_calculate = [] { throw std::runtime_error("layout failed"); };
  EXPECT_THROW(view_->ViewInfo()->MainCalculate(TRect(0, 0, 180, 120)), std::runtime_error);
  EXPECT_FALSE(view_->ViewInfo()->IsCalculating());
  EXPECT_TRUE(view_->ViewInfo()->IsIdle());
  EXPECT_EQ(Site()->Parent(), grid_);
  view_->journal.on_calculate = nullptr;
  view_->LayoutChanged();
  EXPECT_EQ(view_->journal.calculations, 3);
}

TEST_F(GridViewFrameworkTest, ChangedRunsTheRequestOfItsKind) {
  view_->Changed(vckLayout);
  EXPECT_EQ(view_->journal.calculations, 1);
  EXPECT_EQ(view_->journal.Count("changed 1"), 1);
  // A size change of a view without master lays out the whole grid.
  view_->Changed(vckSize);
  EXPECT_EQ(layouts_.back(), nullptr);
  EXPECT_EQ(view_->journal.Count("changed 2"), 1);
  const int calculations = view_->journal.calculations;
  view_->Changed(vckProperty);
  EXPECT_EQ(view_->journal.calculations, calculations);
  EXPECT_EQ(view_->journal.Count("changed 0"), 1);
}

TEST_F(GridViewFrameworkTest, HiddenViewsSiteIsParkedWhileFocusedAndNeverPaintsThere) {
  FocusSite();
  ASSERT_TRUE(Site()->Focused());
  view_->ViewInfo()->ChangeSiteVisibility(false);
  EXPECT_EQ(Site()->Parent(), grid_);
  EXPECT_EQ(Site()->Left(), kLxGridParkedSiteLeft);
  EXPECT_TRUE(Site()->Focused());

  const int paints = view_->journal.paints;
  RedrawWindow(Site()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(view_->journal.paints, paints);

  view_->ViewInfo()->MainCalculate(kSiteBounds);
  RedrawWindow(Site()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  test_support::PumpMessagesUntilIdle();
  EXPECT_GT(view_->journal.paints, paints);
}

TEST_F(GridViewFrameworkTest, HiddenSiteOfAViewNotFocusedLeavesTheGrid) {
  // The grid's focused view becomes another one.
  auto* other = lxCreateGridView<TTestView>(form_);
  other->SetParentComponent(grid_);
  auto* other_level = new TlxGridLevel(form_);
  other_level->SetParentComponent(grid_);
  other_level->SetGridView(other);
  grid_->SetActiveLevel(other_level);
  ASSERT_EQ(grid_->FocusedView(), other);
  view_->ViewInfo()->ChangeSiteVisibility(false);
  EXPECT_EQ(Site()->Parent(), nullptr);
  view_->ViewInfo()->ChangeSiteVisibility(true);
  EXPECT_EQ(Site()->Parent(), grid_);
}

TEST_F(GridViewFrameworkTest, PainterPaintsCellsFirstAndTheUncoveredBackgroundLast) {
  RedrawWindow(Site()->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  test_support::PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(Site()->Handle());
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(5, 5), RGB(255, 0, 0)));
  const COLORREF background = ColorToColorRef(view_->LookAndFeelPainter()->GetDefaultContentColor());
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(100, 100), background));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(25, 5), background));
}

TEST_F(GridViewFrameworkTest, MousePositionIsTheCursorInTheSiteOrTheSentinel) {
  TPoint origin = Site()->ClientToScreen(TPoint(0, 0));
  SetCursorPos(origin.X + 30, origin.Y + 12);
  view_->ViewInfo()->Recalculate();
  EXPECT_EQ(view_->ViewInfo()->MousePos(), TPoint(30, 12));
  EXPECT_TRUE(view_->ViewInfo()->IsMousePosIn(TRect(0, 0, 40, 40)));

  // A parked site keeps the last position.
  FocusSite();
  view_->ViewInfo()->ChangeSiteVisibility(false);
  SetCursorPos(origin.X + 60, origin.Y + 70);
  view_->ViewInfo()->UpdateMousePos();
  EXPECT_EQ(view_->ViewInfo()->MousePos(), TPoint(30, 12));

  // Without a window there is no position, and no rectangle holds it.
  auto* loose = lxCreateGridView<TTestView>(form_);
  loose->ViewInfo()->UpdateMousePos();
  EXPECT_EQ(loose->ViewInfo()->MousePos(), TPoint(kLxGridNoMousePos, kLxGridNoMousePos));
  EXPECT_FALSE(loose->ViewInfo()->HasMousePos());
  EXPECT_FALSE(loose->ViewInfo()->IsMousePosIn(TRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX)));
  delete loose;
}

TEST_F(GridViewFrameworkTest, SiteHandsKeysToTheControllerUnlessASubscriberTookThem) {
  Subscriber subscriber(1u << gnkKeyDown);
  grid_->AddNotificationHandler(&subscriber);
  FocusSite();
  // The message loop offers every key as CN_KEYDOWN first and dispatches
  // WM_KEYDOWN only when that is not answered.
  EXPECT_EQ(Site()->Perform(CN_KEYDOWN, VK_F2, 0), 0);
  test_support::SendKey(Site()->Handle(), VK_F2);
  EXPECT_EQ(view_->journal.Count("key 113"), 1);
  EXPECT_EQ(subscriber.keys, std::vector<UINT>{VK_F2});

  subscriber.handles = true;
  EXPECT_NE(Site()->Perform(CN_KEYDOWN, VK_F3, 0), 0);
  EXPECT_EQ(subscriber.keys.back(), static_cast<UINT>(VK_F3));
  EXPECT_EQ(view_->journal.Count("key 114"), 0);
  grid_->RemoveNotificationHandler(&subscriber);
}

TEST_F(GridViewFrameworkTest, KeyboardContextPopupIsOfferedToTheSubscribers) {
  Subscriber subscriber(1u << gnkContextMenu);
  subscriber.handles = true;
  grid_->AddNotificationHandler(&subscriber);
  SendMessageW(Site()->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Site()->Handle()), MAKELPARAM(-1, -1));
  EXPECT_EQ(subscriber.kinds, std::vector<int>{gnkContextMenu});
  EXPECT_EQ(subscriber.popups_from_keyboard, std::vector<bool>{true});
  grid_->RemoveNotificationHandler(&subscriber);
}

TEST_F(GridViewFrameworkTest, FocusedSiteMovesTheFocusOnThroughTheForm) {
  FocusSite();
  ASSERT_TRUE(grid_->IsFocusedControl());
  grid_->FocusNextControl(true);
  EXPECT_TRUE(Site()->Focused());  // posted: moves after the current message
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(after_->Focused());

  FocusSite();
  grid_->FocusNextControl(false);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(before_->Focused());

  // Without the focus the grid moves nothing.
  grid_->FocusNextControl(true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(before_->Focused());
}

TEST_F(GridViewFrameworkTest, FocusingTheSiteTellsTheViewAndQueuesAFocusRepaint) {
  before_->SetFocus();
  test_support::PumpMessagesUntilIdle();
  view_->journal = {};
  FocusSite();
  EXPECT_TRUE(grid_->IsFocusedState());
  EXPECT_GE(view_->journal.Count("control focus"), 1);
  after_->SetFocus();
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(grid_->IsFocusedState());
}

TEST_F(GridViewFrameworkTest, CacheMakesItemsOnDemandAndForgetsTheirValues) {
  TlxCustomGridViewInfoCache& cache = *view_->ViewInfoCache();
  cache.SetCount(3);
  EXPECT_EQ(cache.GetExistingItem(1), nullptr);
  auto* item = static_cast<TTestCacheItem*>(cache.Item(1));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(cache.Item(1), item);
  EXPECT_EQ(cache.GetExistingItem(1), item);
  EXPECT_EQ(cache.GetExistingItem(7), nullptr);
  item->height = 40;
  cache.UnassignValues(true);
  EXPECT_EQ(item->height, -1);
  EXPECT_TRUE(item->last_keep_master);
  // A size change of the view drops the cached values too.
  static_cast<TTestCacheItem*>(cache.Item(2))->height = 30;
  view_->SizeChanged(true, true);
  EXPECT_EQ(static_cast<TTestCacheItem*>(cache.GetExistingItem(2))->height, -1);
  cache.SetCount(5);
  EXPECT_EQ(cache.Count(), 5);
  EXPECT_EQ(cache.GetExistingItem(1), nullptr);
}

TEST_F(GridViewFrameworkTest, FreedViewLeavesItsGridLevelAndListeners) {
  TlxGridListenerLink* link = view_->AddListenerLink();
  HWND site_window = Site()->Handle();
  delete view_;
  view_ = nullptr;
  EXPECT_EQ(link->GridView(), nullptr);
  delete link;
  EXPECT_EQ(level_->GridView(), nullptr);
  EXPECT_EQ(grid_->ViewCount(), 0);
  EXPECT_EQ(grid_->FocusedView(), nullptr);
  EXPECT_FALSE(IsWindow(site_window));
}

TEST_F(GridViewFrameworkTest, RenamingTheGridRenamesViewsAndLevelsNamedAfterIt) {
  auto* other = lxCreateGridView<TTestView>(form_);
  other->SetName("Other");
  other->SetParentComponent(grid_);
  auto* child = new TlxGridLevel(form_);
  child->SetName("Grid1Detail");
  child->SetParentComponent(level_);
  grid_->SetName("Files");
  EXPECT_EQ(view_->Name(), "FilesView");
  EXPECT_EQ(level_->Name(), "FilesLevel1");
  EXPECT_EQ(child->Name(), "FilesDetail");
  EXPECT_EQ(other->Name(), "Other");
}

TEST_F(GridViewFrameworkTest, CloneReadsItsPatternsSynchronizationSettings) {
  auto* pattern = lxCreateGridView<TTestView>(form_);
  auto* clone = lxCreateGridView<TTestView>(form_);
  pattern->RegisterClone(clone);
  EXPECT_EQ(clone->PatternGridView(), pattern);
  ASSERT_EQ(pattern->CloneCount(), 1);
  pattern->OptionsBehavior()->SetPostponedSynchronization(false);
  clone->OptionsBehavior()->SetPostponedSynchronization(true);
  EXPECT_FALSE(clone->OptionsBehavior()->PostponedSynchronization());
  pattern->SetSynchronization(false);
  clone->SetSynchronization(true);
  EXPECT_FALSE(clone->Synchronization());
  delete clone;
  EXPECT_EQ(pattern->CloneCount(), 0);
  delete pattern;
}

TEST_F(GridViewFrameworkTest, RegistryListsNonDBKindsFirstEachGroupByDescription) {
  TlxGridRegisteredViews registry;
  registry.AddClass(&TTestView::kClass, "Table");
  registry.AddClass(&TTestPainter::kClass, "DB Table");
  registry.AddClass(&TTestController::kClass, "card");
  registry.AddClass(&TTestViewInfo::kClass, "Banded");
  std::vector<std::string> order;
  for (int32_t i = 0; i < registry.Count(); ++i)
    order.push_back(registry.DescriptionOf(i));
  EXPECT_EQ(order, (std::vector<std::string>{"Banded", "card", "Table", "DB Table"}));
}

TEST_F(GridViewFrameworkTest, ViewOfAnotherLevelMovesToTheNewOne) {
  auto* second = new TlxGridLevel(form_);
  second->SetParentComponent(grid_);
  second->SetGridView(view_);
  EXPECT_EQ(level_->GridView(), nullptr);
  EXPECT_EQ(second->GridView(), view_);
  EXPECT_EQ(view_->Level(), second);
  EXPECT_EQ(view_->Grid(), grid_);
}

// A view that answers the navigator's questions.
class TNavigatorView : public TTestView, public IlxNavigator {
 public:
  static constexpr TClass kClass{"TNavigatorView", &TTestView::kClass, &lxConstructGridView<TNavigatorView>};
  const TClass* ClassType() const override { return &kClass; }
  using TTestView::TTestView;

  bool CanAppendRecord() override { return true; }
  bool CanDeleteRecord() override { return false; }
  bool CanEditRecord() override { return true; }
  bool CanInsertRecord() override { return true; }
  bool IsDataActive() override { return true; }
  bool IsAtBeginning() override { return true; }
  bool HasBookmark() override { return false; }
  bool IsEditingRecord() override { return false; }
  bool IsAtEnd() override { return false; }
  void ForgetBookmark() override { actions.push_back(-1); }
  void PerformButtonAction(int32_t button_index) override { actions.push_back(button_index); }
  TlxNavigatorControlNotifier* GetButtonsNotifier() override { return nullptr; }
  bool SupportsButtonAction(int32_t button_index) override { return button_index == 3; }

  std::vector<int32_t> actions;
};

TEST_F(GridViewFrameworkTest, GridForwardsTheNavigatorToTheFocusedView) {
  // The test view is no navigator: every answer is no and actions do nothing.
  EXPECT_FALSE(grid_->CanAppendRecord());
  EXPECT_FALSE(grid_->SupportsButtonAction(3));
  grid_->PerformButtonAction(3);

  auto* navigable = lxCreateGridView<TNavigatorView>(form_);
  navigable->SetParentComponent(grid_);
  level_->SetGridView(navigable);
  ASSERT_EQ(grid_->FocusedView(), navigable);
  EXPECT_TRUE(grid_->CanAppendRecord());
  EXPECT_FALSE(grid_->CanDeleteRecord());
  EXPECT_TRUE(grid_->IsAtBeginning());
  EXPECT_TRUE(grid_->SupportsButtonAction(3));
  EXPECT_FALSE(grid_->SupportsButtonAction(4));
  grid_->PerformButtonAction(3);
  grid_->ForgetBookmark();
  EXPECT_EQ(navigable->actions, (std::vector<int32_t>{3, -1}));
  EXPECT_EQ(grid_->GetButtonsNotifier(), grid_->NavigatorNotifier());
}

}  // namespace grid_view_framework_win_test
