// The view's own navigator in its navigator site: a real dataset-bound
// table view over the file list, the navigator shown under the records;
// clicks on its buttons move the focused record, and the enabled states and
// glyphs follow the position.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_view_controller_win.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_routing_controller_win.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace grid_navigator_site_win_test {

using grid_routing_controller::TRoutingController;

class TNavigatorView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TNavigatorView", &TlxGridDBTableView::kClass,
                                 &lxConstructGridView<TNavigatorView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;
  const TClass* GetControllerClass() const override { return &TRoutingController::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
};

class NavigatorSiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    for (int i = 1; i <= 5; ++i)
      files_->Add("C:\\f" + std::to_string(i) + ".pdf", 100.0 * i, EncodeDate(2024, 1, i), i);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 420);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    grid_->LookAndFeel().SetKind(lfFlat);
    view_ = lxCreateGridView<TNavigatorView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->DataController()->SetDataSource(files_->source);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsView()->SetNavigator(true);
    AddColumn("Nr.", "Sortkey");
    AddColumn("Datei", "Datei");
    form_->Show();
    Calculate();
  }

  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    files_.reset();
    lxGridDBTableViewModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  void AddColumn(const std::string& caption, const std::string& field) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
  }

  void Calculate() {
    test_support::PumpMessagesUntilIdle();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    view_->Site()->Invalidate();
    view_->Site()->Update();
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridTableViewInfo* ViewInfo() const { return static_cast<TlxGridTableViewInfo*>(view_->ViewInfo()); }
  TlxNavigatorViewInfo* Navigator() const { return ViewInfo()->NavigatorViewInfo(); }
  TlxNavigatorButtonViewInfo* ButtonInfo(int32_t kind) const {
    return Navigator()->GetButtonInfo(view_->NavigatorButtons()->Buttons(kind));
  }
  POINT CentreOf(int32_t kind) const {
    const TRect bounds = ButtonInfo(kind)->Bounds;
    return POINT{(bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2};
  }
  void Click(int32_t kind) {
    test_support::SendClick(view_->Site()->Handle(), CentreOf(kind));
    test_support::PumpMessagesUntilIdle();
  }
  int32_t FocusedRow() const { return view_->DataController()->FocusedRowIndex(); }

  // Black pixels of the "first" glyph's bar (its third column, rows 1 to
  // 9), which an enabled button draws in black and a disabled one greys.
  int32_t FirstGlyphBarPixels() {
    view_->Site()->Invalidate();
    view_->Site()->Update();
    test_support::PumpMessagesUntilIdle();
    const TRect bounds = ButtonInfo(nbkFirst)->Bounds;
    const auto pixels = test_support::WindowPixels::Capture(view_->Site()->Handle());
    const int x0 = bounds.Left + (bounds.Width() - 12) / 2;
    const int y0 = bounds.Top + (bounds.Height() - 11) / 2;
    int32_t black = 0;
    for (int y = 1; y <= 9; ++y)
      black += pixels.At(x0 + 2, y0 + y) == RGB(0, 0, 0) ? 1 : 0;
    return black;
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TNavigatorView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
};

TEST_F(NavigatorSiteTest, TheViewIsTheButtonsDataSourceAndHostsThemInItsSite) {
  TlxNavigatorControlButtons* buttons = view_->NavigatorButtons();
  EXPECT_EQ(buttons->DataSource(), static_cast<IlxNavigator*>(view_));
  EXPECT_FALSE(buttons->ConfirmDelete());
  EXPECT_EQ(buttons->NavigatorOwner(), static_cast<IlxNavigatorOwner*>(ViewInfo()));
  ASSERT_NE(Navigator(), nullptr);

  // The site measures the buttons: it is as wide as the offset and the
  // buttons together; without a horizontal scroll bar its strip runs under
  // the records, the buttons at its left.
  TlxNavigatorSiteViewInfo* site = ViewInfo()->NavigatorSiteViewInfo();
  ASSERT_TRUE(site->GetVisible());
  EXPECT_GT(ViewInfo()->NavigatorSize.X, 0);
  EXPECT_EQ(site->GetWidth(), view_->OptionsView()->NavigatorOffset() + ViewInfo()->NavigatorSize.X);
  const TRect first = ButtonInfo(nbkFirst)->Bounds;
  const TRect last_shown = Navigator()->ButtonInfos(Navigator()->ButtonInfoCount() - 1)->Bounds;
  EXPECT_EQ(first.Left, site->BoundsRect.Left);
  EXPECT_EQ(last_shown.Right, site->BoundsRect.Left + ViewInfo()->NavigatorSize.X);
  EXPECT_GE(first.Top, site->BoundsRect.Top);
  EXPECT_LE(first.Bottom, site->BoundsRect.Bottom);
  // The records end above the site.
  EXPECT_LE(ViewInfo()->ClientBounds().Bottom, site->BoundsRect.Top);
}

TEST_F(NavigatorSiteTest, ClicksOnTheButtonsMoveTheFocusedRecord) {
  view_->DataController()->ChangeFocusedRowIndex(0);
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(FocusedRow(), 0);
  EXPECT_FALSE(ButtonInfo(nbkPrior)->Enabled);
  EXPECT_TRUE(ButtonInfo(nbkNext)->Enabled);

  Click(nbkNext);
  EXPECT_EQ(FocusedRow(), 1);
  EXPECT_TRUE(ButtonInfo(nbkPrior)->Enabled);

  Click(nbkLast);
  EXPECT_EQ(FocusedRow(), 4);
  EXPECT_FALSE(ButtonInfo(nbkNext)->Enabled);
  EXPECT_FALSE(ButtonInfo(nbkLast)->Enabled);

  // A disabled button does nothing.
  Click(nbkNext);
  EXPECT_EQ(FocusedRow(), 4);

  Click(nbkPrior);
  EXPECT_EQ(FocusedRow(), 3);
  EXPECT_TRUE(ButtonInfo(nbkNext)->Enabled);
}

TEST_F(NavigatorSiteTest, FocusMovedElsewhereRefreshesTheEnabledGlyphs) {
  view_->DataController()->ChangeFocusedRowIndex(2);
  Calculate();
  EXPECT_TRUE(ButtonInfo(nbkFirst)->Enabled);
  EXPECT_EQ(FirstGlyphBarPixels(), 9);

  view_->DataController()->ChangeFocusedRowIndex(0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(ButtonInfo(nbkFirst)->Enabled);
  EXPECT_EQ(FirstGlyphBarPixels(), 0);
}

TEST_F(NavigatorSiteTest, HiddenNavigatorTakesNoRoomAndNoClicks) {
  const int32_t records_bottom_with = ViewInfo()->ClientBounds().Bottom;
  view_->OptionsView()->SetNavigator(false);
  Calculate();
  EXPECT_FALSE(ViewInfo()->NavigatorSiteViewInfo()->GetVisible());
  EXPECT_GT(ViewInfo()->ClientBounds().Bottom, records_bottom_with);
}

}  // namespace grid_navigator_site_win_test
