// The grid places the root level's view through its top details site with
// every layout: the view's site fills the room under the level tabs when the
// root level has child levels and asks for tabs, and the whole client area
// otherwise.
#include <gtest/gtest.h>

#include <string>

#include "grid/grid_control_win.h"
#include "grid/grid_details_site_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "platform/toolkit/form.h"
#include "tabs/tabs.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/message_pump.h"

namespace grid_top_site_win_test {

using grid_test_view::TTestView;

// A view that needs more room than the grid has, so that its site takes
// all the height the details site gives it.
class TTallViewInfo : public grid_test_view::TTestViewInfo {
 public:
  static constexpr TClass kClass{"TTallViewInfo", &grid_test_view::TTestViewInfo::kClass,
                                 &ConstructInstance<TTallViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using grid_test_view::TTestViewInfo::TTestViewInfo;

  void CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) override {
    height = max_size + 100;
    fully_visible = false;
  }
  void CalculateNaturalWidth(int32_t /*max_width*/, int32_t& width) override { width = 50; }
};

class TTallView : public TTestView {
 public:
  static constexpr TClass kClass{"TTallView", &TTestView::kClass, &lxConstructGridView<TTallView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTallView(TComponent* owner) : TTestView(owner) {}
  const TClass* GetViewInfoClass() const override { return &TTallViewInfo::kClass; }
};

class TopSiteTest : public ::testing::Test {
 public:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 500, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 400, 300);
    files_ = AddLevel("Dateien");
    printers_ = AddLevel("Drucker");
    form_->Show();
    grid_->SetActiveLevel(files_);
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    for (TlxGridLevel* level : {files_, printers_}) {
      TlxCustomGridView* view = level->GridView();
      level->SetGridView(nullptr);
      delete view;
    }
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridLevel* AddLevel(const std::string& caption) {
    auto* level = new TlxGridLevel(form_);
    level->SetParentComponent(grid_);
    level->SetCaption(caption);
    TTallView* view = lxCreateGridView<TTallView>(form_);
    view->SetParentComponent(grid_);
    level->SetGridView(view);
    return level;
  }

  void Layout(TlxGridDetailTabsPosition position) {
    grid_->RootLevel()->Options().SetDetailTabsPosition(position);
    grid_->LayoutChanged();
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridTopDetailsSiteViewInfo* Site() const { return grid_->ViewInfo()->DetailsSiteViewInfo(); }
  TRect ViewSiteBounds() const { return grid_->ActiveView()->Site()->BoundsRect(); }

  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridLevel* files_ = nullptr;
  TlxGridLevel* printers_ = nullptr;
};

TEST_F(TopSiteTest, WithoutTabsTheViewFillsTheClientArea) {
  Layout(dtpNone);
  ASSERT_NE(Site(), nullptr);
  EXPECT_FALSE(Site()->HasTabsViewInfo());
  const TRect client = grid_->GetClientBounds();
  EXPECT_EQ(Site()->Bounds(), client);
  const int32_t frame = Site()->GetFrameWidth();
  EXPECT_EQ(ViewSiteBounds(), TRect(client.Left + frame, client.Top + frame, client.Right - frame,
                                    client.Bottom - frame));
}

TEST_F(TopSiteTest, TopTabsShowTheChildLevelsAndTheViewStandsUnderThem) {
  Layout(dtpTop);
  ASSERT_NE(Site(), nullptr);
  ASSERT_TRUE(Site()->HasTabsViewInfo());
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = Site()->TabsViewInfo();
  TlxGridLevelTabControl* tab_control = tabs->TabControl();
  EXPECT_EQ(tab_control->Parent(), grid_);
  EXPECT_TRUE(tab_control->Visible());
  EXPECT_EQ(tab_control->Tabs().Count(), 2);
  EXPECT_EQ(tab_control->SelectedLevel(), files_);
  EXPECT_GT(tabs->Height(), 0);
  EXPECT_EQ(ViewSiteBounds().Top, Site()->GetClientBounds().Top);
  EXPECT_GE(ViewSiteBounds().Top, tabs->Bounds().Bottom);
  EXPECT_EQ(ViewSiteBounds().Bottom, Site()->GetClientBounds().Bottom);
}

TEST_F(TopSiteTest, LeftTabsPutTheViewRightOfThem) {
  Layout(dtpLeft);
  ASSERT_TRUE(Site()->HasTabsViewInfo());
  TlxCustomGridDetailsSiteTabsViewInfo* tabs = Site()->TabsViewInfo();
  EXPECT_TRUE(tabs->IsVertical());
  EXPECT_GE(ViewSiteBounds().Left, tabs->Bounds().Right);
  EXPECT_EQ(ViewSiteBounds().Top, Site()->GetClientBounds().Top);
}

}  // namespace grid_top_site_win_test
