// The grid's top details site on a real grid: which levels get tabs, the
// accelerator marks of their captions, the site's height against the room
// it has, left and top tab sizes, choosing a level by its tab.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "grid/grid_control_win.h"
#include "grid/grid_details_site_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_master_rows_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "tabs/tab.h"
#include "ui/foundation/styles/styles_win.h"
#include "tabs/tabs.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/message_pump.h"

namespace grid_details_site_win_test {

using grid_test_view::TTestView;

// A view info whose view needs `wanted_height` pixels.
class TSizedViewInfo : public grid_test_view::TTestViewInfo {
 public:
  static constexpr TClass kClass{"TSizedViewInfo", &grid_test_view::TTestViewInfo::kClass,
                                 &ConstructInstance<TSizedViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using grid_test_view::TTestViewInfo::TTestViewInfo;

  void CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) override;
  void CalculateNaturalWidth(int32_t /*max_width*/, int32_t& width) override { width = 50; }
};

class TSizedView : public TTestView {
 public:
  static constexpr TClass kClass{"TSizedView", &TTestView::kClass, &lxConstructGridView<TSizedView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TSizedView(TComponent* owner) : TTestView(owner) {}
  const TClass* GetViewInfoClass() const override { return &TSizedViewInfo::kClass; }
  int32_t wanted_height = 40;
};

void TSizedViewInfo::CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) {
  height = static_cast<TSizedView*>(GridView())->wanted_height;
  fully_visible = height <= max_size;
}

// The top site with the minimum width of a master row's: what it needs.
class TNarrowTopSite : public TlxGridTopDetailsSiteViewInfo {
 public:
  using TlxGridTopDetailsSiteViewInfo::TlxGridTopDetailsSiteViewInfo;
  int32_t GetMinWidth() override { return 0; }
};

class DetailsSiteTest : public ::testing::Test {
 public:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 500, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 400, 300);
    files_ = AddLevel("&Dateien", true);
    printers_ = AddLevel("Dru&cker", true);
    empty_ = AddLevel("A&&B", false);
    form_->Show();
    grid_->SetActiveLevel(files_);
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    site_.reset();
    // The views go one by one before the form: freeing several views with
    // their form is not safe yet in the grid.
    for (TlxGridLevel* level : {files_, printers_, empty_}) {
      if (level == nullptr || level->GridView() == nullptr)
        continue;
      TlxCustomGridView* view = level->GridView();
      level->SetGridView(nullptr);
      delete view;
    }
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxGridSetShowAccelerators(true);
  }

  TlxGridLevel* AddLevel(const std::string& caption, bool with_view) {
    auto* level = new TlxGridLevel(form_);
    level->SetParentComponent(grid_);
    level->SetCaption(caption);
    if (with_view) {
      TSizedView* view = lxCreateGridView<TSizedView>(form_);
      view->SetParentComponent(grid_);
      level->SetGridView(view);
    }
    return level;
  }
  TlxGridTopDetailsSiteViewInfo& MakeSite(TlxGridDetailTabsPosition position) {
    grid_->RootLevel()->Options().SetDetailTabsPosition(position);
    site_ = std::make_unique<TlxGridTopDetailsSiteViewInfo>(grid_);
    return *site_;
  }
  std::vector<std::string> TabCaptions() {
    std::vector<std::string> captions;
    TlxGridLevelTabControl* tabs = site_->TabsViewInfo()->TabControl();
    for (int32_t i = 0; i < tabs->Tabs().Count(); ++i)
      captions.push_back(tabs->Tabs().GetTab(i)->Caption());
    return captions;
  }
  TSizedView* ViewOf(TlxGridLevel* level) { return static_cast<TSizedView*>(level->GridView()); }

  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridLevel* files_ = nullptr;
  TlxGridLevel* printers_ = nullptr;
  TlxGridLevel* empty_ = nullptr;
  std::unique_ptr<TlxGridTopDetailsSiteViewInfo> site_;
};

TEST_F(DetailsSiteTest, NoTabsPositionMeansNoTabControlAndTheSiteIsTheViewAndItsFrame) {
  TlxGridTopDetailsSiteViewInfo& site = MakeSite(dtpNone);
  grid_->RootLevel()->Options().SetDetailFrameWidth(2);
  ViewOf(files_)->wanted_height = 40;
  site.Calculate(0, 0);
  EXPECT_EQ(site.TabsViewInfo(), nullptr);
  EXPECT_TRUE(site.GetFullyVisible());
  EXPECT_EQ(site.Bounds(), TRect(0, 0, grid_->GetClientBounds().Width(), 44));
  EXPECT_EQ(site.GetClientBounds(), TRect(2, 2, grid_->GetClientBounds().Width() - 2, 42));
  // The view was laid out in the client bounds.
  EXPECT_EQ(ViewOf(files_)->Site()->BoundsRect(), site.GetClientBounds());
}

TEST_F(DetailsSiteTest, TabsForEveryVisibleChildUnlessEmptyDetailsAreHidden) {
  MakeSite(dtpTop);
  // The top site shows no accelerators: marks are taken out.
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "Drucker", "A&&B"}));
  EXPECT_EQ(site_->TabsViewInfo()->TabControl()->SelectedLevel(), files_);
  // Without tabs for empty details the level without a view has none ...
  grid_->RootLevel()->Options().SetTabsForEmptyDetails(false);
  MakeSite(dtpTop);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "Drucker"}));
  // ... unless it is the active level.
  grid_->SetActiveLevel(empty_);
  MakeSite(dtpTop);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "Drucker", "A&&B"}));
  EXPECT_EQ(site_->TabsViewInfo()->TabControl()->SelectedLevel(), empty_);
}

TEST_F(DetailsSiteTest, RemovingAChildLevelDeletesItsTabAtOnce) {
  MakeSite(dtpLeft);
  TlxCustomGridView* view = printers_->GridView();
  delete printers_;
  printers_ = nullptr;
  delete view;
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "A&&B"}));
  for (int32_t i = 0; i < site_->TabsViewInfo()->TabControl()->Tabs().Count(); ++i)
    EXPECT_NE(site_->TabsViewInfo()->TabControl()->LevelOfTab(i), nullptr);
}

TEST_F(DetailsSiteTest, AcceleratorMarksFollowTheModeAndTheSwitch) {
  MakeSite(dtpTop);
  TlxGridLevelTabControl* tabs = site_->TabsViewInfo()->TabControl();
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "Drucker", "A&&B"}));
  // Mode on (a focused master row's): the marks stay for the control.
  site_->ChangeTabsAcceleratorMode(true);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"&Dateien", "Dru&cker", "A&&B"}));
  // Mode off: marks are taken out, a doubled mark stays one literal "&".
  site_->ChangeTabsAcceleratorMode(false);
  EXPECT_EQ(TabCaptions(), (std::vector<std::string>{"Dateien", "Drucker", "A&&B"}));
  // Switch off: every "&" shows literally.
  lxGridSetShowAccelerators(false);
  EXPECT_EQ(tabs->LevelDisplayText(files_), "&&Dateien");
  EXPECT_EQ(tabs->LevelDisplayText(empty_), "A&&&&B");
}

TEST_F(DetailsSiteTest, AnAcceleratorChoosesTheLevelThroughTheSite) {
  MakeSite(dtpTop);
  site_->ChangeTabsAcceleratorMode(true);
  EXPECT_FALSE(site_->ProcessDialogChar(u'x'));
  EXPECT_TRUE(site_->ProcessDialogChar(u'C'));
  EXPECT_EQ(grid_->ActiveLevel(), printers_);
  // The tab control ignores the dialog character itself.
  TlxGridLevelTabControl* tabs = site_->TabsViewInfo()->TabControl();
  tabs->SetParent(grid_);
  const LRESULT result = SendMessageW(tabs->Handle(), CM_DIALOGCHAR, 'd', 0);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(grid_->ActiveLevel(), printers_);
}

TEST_F(DetailsSiteTest, HeightAgainstTheRoom) {
  struct Case {
    const char* name;
    int32_t wanted;
    bool fully_visible;
  };
  const int32_t room = grid_->GetClientBounds().Height();
  for (const Case& c : {Case{"fits", 60, true}, Case{"taller than the room", room + 150, false}}) {
    SCOPED_TRACE(c.name);
    ViewOf(files_)->wanted_height = c.wanted;
    TlxGridTopDetailsSiteViewInfo& site = MakeSite(dtpTop);
    const int32_t tabs_height = site.TabsViewInfo()->Height();
    EXPECT_GT(tabs_height, 0);
    EXPECT_EQ(site.GetHeight(), c.fully_visible ? c.wanted + tabs_height : room);
    EXPECT_EQ(site.GetFullyVisible(), c.fully_visible);
    EXPECT_EQ(site.GetNormalHeight(), c.fully_visible ? c.wanted + tabs_height : c.wanted + tabs_height);
  }
  // Without an active view the empty height is taken.
  grid_->SetActiveLevel(empty_);
  TlxGridTopDetailsSiteViewInfo& site = MakeSite(dtpNone);
  EXPECT_EQ(site.GetHeight(), TlxCustomGridDetailsSiteViewInfo::kEmptyHeight);
  EXPECT_TRUE(site.GetFullyVisible());
}

TEST_F(DetailsSiteTest, LeftTabsMakeTheSiteTallEnoughTopTabsWideEnough) {
  ViewOf(files_)->wanted_height = 5;
  TlxGridTopDetailsSiteViewInfo& left = MakeSite(dtpLeft);
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = left.TabsViewInfo();
  EXPECT_TRUE(tabs->IsVertical());
  EXPECT_GT(tabs->Height(), 5);
  EXPECT_EQ(left.GetHeight(), tabs->Height());
  left.Calculate(0, 0);
  EXPECT_EQ(tabs->Bounds().Width(), tabs->Width());
  EXPECT_EQ(left.GetClientBounds().Left, tabs->Width());
  EXPECT_EQ(tabs->TabControl()->Parent(), grid_);

  grid_->RootLevel()->Options().SetDetailTabsPosition(dtpTop);
  site_ = std::make_unique<TNarrowTopSite>(grid_);
  TlxCustomGridDetailsSiteTabsViewInfo* top = site_->TabsViewInfo();
  EXPECT_FALSE(top->IsVertical());
  EXPECT_GT(top->Width(), 50);
  EXPECT_EQ(site_->GetWidth(), top->Width());
  site_->Calculate(0, 0);
  EXPECT_EQ(site_->GetClientBounds().Top, top->Height());
}

TEST_F(DetailsSiteTest, ATabHitTestCarriesItsLevel) {
  TlxGridTopDetailsSiteViewInfo& site = MakeSite(dtpTop);
  site.Calculate(0, 0);
  // Search the strip for the second tab.
  TlxCustomGridHitTest* found = nullptr;
  for (int32_t x = 0; x < site.TabsViewInfo()->Width() && found == nullptr; ++x) {
    TlxCustomGridHitTest* hit_test = site.GetHitTest(TPoint(x, site.TabsViewInfo()->Height() / 2));
    auto* tab = dynamic_cast<TlxGridDetailsSiteTabHitTest*>(hit_test);
    if (tab != nullptr && tab->Level == printers_)
      found = tab;
  }
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->GetHitTestCode(), 50);
  EXPECT_EQ(static_cast<TlxGridDetailsSiteTabHitTest*>(found)->Owner, grid_);
}

TEST_F(DetailsSiteTest, PaintsTheFrameAroundTheClientAndFillsTheBackground) {
  TlxGridTopDetailsSiteViewInfo& site = MakeSite(dtpNone);
  grid_->RootLevel()->Options().SetDetailFrameWidth(3);
  grid_->RootLevel()->Options().SetDetailFrameColor(clRed);
  grid_->SetActiveLevel(empty_);
  site.Calculate(0, 0);
  TBitmap bitmap;
  bitmap.SetSize(site.Bounds().Width(), site.Bounds().Height());
  bitmap.Canvas().Brush().SetColor(clBlue);
  bitmap.Canvas().FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
  {
    TlxCanvas canvas(bitmap.Canvas());
    site.Paint(canvas);
  }
  HDC dc = bitmap.Canvas().Handle();
  const TRect client = site.GetClientBounds();
  EXPECT_EQ(client, TRect(3, 3, site.Bounds().Width() - 3, site.Bounds().Height() - 3));
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{2, 50}, std::pair{client.Right, 10},
                             std::pair{40, client.Bottom + 2}})
    EXPECT_EQ(GetPixel(dc, x, y), RGB(255, 0, 0)) << x << "," << y;
  EXPECT_EQ(GetPixel(dc, client.Left, client.Top), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetPixel(dc, client.Right - 1, client.Bottom - 1), GetSysColor(COLOR_BTNFACE));
}

// The window a master row's site places its tabs in, recording the mouse
// it gets.
class TMouseRecorder : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> events;

 protected:
  void MouseDown(TMouseButton, TShiftState shift, int32_t x, int32_t y) override {
    events.push_back("down " + std::to_string(x) + "," + std::to_string(y) + (shift.Contains(ssShift) ? " shift" : ""));
  }
  void MouseUp(TMouseButton, TShiftState, int32_t x, int32_t y) override {
    events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
  }
};

TEST_F(DetailsSiteTest, TheLevelTabsPassTheMouseOnToTheWindowUnderThem) {
  auto* recorder = new TMouseRecorder(form_);
  recorder->SetParent(form_);
  recorder->SetBounds(10, 10, 300, 200);
  grid_->RootLevel()->Options().SetDetailTabsPosition(dtpTop);
  TlxGridDetailsSiteContext context;
  context.Container = recorder;
  context.ActiveLevel = files_;
  context.MaxHeight = 150;
  context.MaxWidth = 250;
  std::vector<TlxGridLevel*> chosen;
  context.OnLevelTabChanged = [&](TlxGridLevel* level, bool) { chosen.push_back(level); };
  TlxGridDetailsSiteViewInfo site(grid_->RootLevel(), context);
  site.Calculate(20, 30);
  TlxGridLevelTabControl* tabs = site.TabsViewInfo()->TabControl();
  ASSERT_EQ(tabs->Parent(), recorder);
  EXPECT_EQ(tabs->Left(), 20);
  EXPECT_EQ(tabs->Top(), 30);
  // A press on the second tab chooses it and reaches the recorder in its
  // own coordinates.
  int32_t x = 0;
  const int32_t y = site.TabsViewInfo()->Height() / 2;
  while (x < tabs->Width() && tabs->GetVisibleTabIndexAt(x, y) != 1)
    ++x;
  ASSERT_LT(x, tabs->Width());
  SendMessageW(tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(x, y));
  SendMessageW(tabs->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  EXPECT_EQ(recorder->events, (std::vector<std::string>{
                                  "down " + std::to_string(x + 20) + "," + std::to_string(y + 30) + " shift",
                                  "up " + std::to_string(x + 20) + "," + std::to_string(y + 30)}));
  ASSERT_FALSE(chosen.empty());
  EXPECT_EQ(chosen.back(), printers_);
}

TEST_F(DetailsSiteTest, ATabStyleColourGoesToItsTabOnly) {
  TlxStyle style(form_);
  style.SetColor(clLime);
  grid_->RootLevel()->Styles().OnGetTabStyle = [&](TlxGridLevel*, TlxGridLevel* tab_level, TlxStyle*& chosen) {
    if (tab_level == printers_)
      chosen = &style;
  };
  MakeSite(dtpTop);
  TlxTabs& tabs = site_->TabsViewInfo()->TabControl()->Tabs();
  const uint32_t untouched = tabs.GetTab(0)->Color();
  EXPECT_EQ(tabs.GetTab(1)->Color(), static_cast<uint32_t>(clLime));
  EXPECT_NE(untouched, static_cast<uint32_t>(clLime));
  EXPECT_EQ(tabs.GetTab(2)->Color(), untouched);
  grid_->RootLevel()->Styles().OnGetTabStyle = nullptr;
}

int g_live_cached_infos = 0;

class TCountedCachedInfo : public TlxCustomGridDetailsSiteViewInfoCachedInfo {
 public:
  TCountedCachedInfo() { ++g_live_cached_infos; }
  ~TCountedCachedInfo() override { --g_live_cached_infos; }
};

TEST_F(DetailsSiteTest, AMasterRowSiteHandsItsCachedInfoOnAndNeverRaisesWhenItGoes) {
  grid_->RootLevel()->Options().SetDetailTabsPosition(dtpTop);
  TlxGridMasterTableViewInfoCacheItem cache_item(nullptr, 0);
  TlxGridDetailsSiteContext context;
  context.Container = grid_;
  context.ActiveLevel = files_;
  context.ActiveView = files_->GridView();
  context.MaxHeight = 200;
  context.MaxWidth = 300;
  context.CacheItem = &cache_item;
  std::vector<std::pair<TlxGridLevel*, bool>> changes;
  context.OnLevelTabChanged = [&](TlxGridLevel* level, bool focus) { changes.emplace_back(level, focus); };

  auto site = std::make_unique<TlxGridDetailsSiteViewInfo>(grid_->RootLevel(), context);
  site->Calculate(0, 0);
  site.reset();
  ASSERT_TRUE(cache_item.IsDetailsSiteCachedInfoAssigned());
  // The next site of the record takes it.
  site = std::make_unique<TlxGridDetailsSiteViewInfo>(grid_->RootLevel(), context);
  EXPECT_FALSE(cache_item.IsDetailsSiteCachedInfoAssigned());
  // Choosing a tab goes to the master row.
  site->TabsViewInfo()->TabControl()->SetTabIndex(1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].first, printers_);
  // A stale object left in the item: the going site frees it and stores
  // its own, without raising from its destructor.
  cache_item.StoreDetailsSiteCachedInfo(std::make_unique<TCountedCachedInfo>());
  EXPECT_EQ(g_live_cached_infos, 1);
  EXPECT_NO_THROW(site.reset());
  EXPECT_EQ(g_live_cached_infos, 0);
  EXPECT_TRUE(cache_item.IsDetailsSiteCachedInfoAssigned());
  EXPECT_EQ(dynamic_cast<TCountedCachedInfo*>(cache_item.TakeDetailsSiteCachedInfo().get()), nullptr);
  // A site of an internal calculation leaves the item alone.
  context.Internal = true;
  site = std::make_unique<TlxGridDetailsSiteViewInfo>(grid_->RootLevel(), context);
  site.reset();
  EXPECT_FALSE(cache_item.IsDetailsSiteCachedInfoAssigned());
}

}  // namespace grid_details_site_win_test
