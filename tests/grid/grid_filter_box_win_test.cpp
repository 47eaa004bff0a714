// The filter box on a real dataset-bound table view over the file list:
// when the band shows, its text, its height and the places of its buttons,
// and clicks on the check box (switches the filter) and on the close button
// (clears it).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_filter_box_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/table_filtering.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_routing_controller_win.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace grid_filter_box_win_test {

using grid_routing_controller::TRoutingController;

class TFilterView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TFilterView", &TlxGridDBTableView::kClass, &lxConstructGridView<TFilterView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;
  const TClass* GetControllerClass() const override { return &TRoutingController::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
};

class FilterBoxTest : public ::testing::Test {
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
    view_ = lxCreateGridView<TFilterView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->DataController()->SetDataSource(files_->source);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    nr_ = AddColumn("Nr.", "Sortkey");
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

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    return column;
  }

  void Calculate() {
    test_support::PumpMessagesUntilIdle();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    view_->Site()->Invalidate();
    view_->Site()->Update();
    test_support::PumpMessagesUntilIdle();
  }

  // "Nr." greater than 2.
  void AddCondition() {
    Filter().AddItem(&Filter().Root(), nr_, fokGreater, Variant(2), "2");
    Filter().SetActive(true);
    Calculate();
  }

  TlxDataFilterCriteria& Filter() const { return view_->DataController()->Filter(); }
  TlxGridTableViewInfo* ViewInfo() const { return static_cast<TlxGridTableViewInfo*>(view_->ViewInfo()); }
  TlxGridFilterViewInfo* Band() const { return ViewInfo()->FilterViewInfo(); }
  TlxCustomGridFilterButtonViewInfo* Button(int32_t index) const { return Band()->ButtonsViewInfo()->Items(index); }
  TlxCustomGridFilterButtonViewInfo* CloseButton() const { return Button(0); }
  TlxCustomGridFilterButtonViewInfo* ActivateButton() const { return Button(1); }
  TlxCustomGridFilterButtonViewInfo* CustomizeButton() const { return Button(2); }

  void ClickOn(const TRect& bounds) {
    test_support::SendClick(view_->Site()->Handle(),
                            POINT{(bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2});
    test_support::PumpMessagesUntilIdle();
    Calculate();
  }

  // Dark pixels inside the check box: the check mark of a switched-on
  // filter.
  int32_t DarkPixelsIn(const TRect& bounds) {
    const auto pixels = test_support::WindowPixels::Capture(view_->Site()->Handle());
    int32_t dark = 0;
    for (int y = bounds.Top + 2; y < bounds.Bottom - 2; ++y)
      for (int x = bounds.Left + 2; x < bounds.Right - 2; ++x) {
        const COLORREF c = pixels.At(x, y);
        dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200 ? 1 : 0;
      }
    return dark;
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TFilterView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
};

TEST_F(FilterBoxTest, VisibilityFollowsTheOptionAndTheFilter) {
  struct Case {
    TlxGridFilterVisible visible;
    bool with_condition;
    bool shown;
  };
  for (const Case& c : {Case{fvNever, false, false}, Case{fvNever, true, false}, Case{fvNonEmpty, false, false},
                        Case{fvNonEmpty, true, true}, Case{fvAlways, false, true}, Case{fvAlways, true, true}}) {
    SCOPED_TRACE(testing::Message() << "visible " << int(c.visible) << " condition " << c.with_condition);
    Filter().RemoveAllItems();
    view_->FilterBox()->SetVisible(c.visible);
    if (c.with_condition)
      AddCondition();
    else
      Calculate();
    EXPECT_EQ(Band()->GetVisible(), c.shown);
    EXPECT_EQ(Band()->Height > 0, c.shown);
    if (c.shown) {
      EXPECT_EQ(Band()->BoundsRect.Bottom, ViewInfo()->SiteClientBounds().Bottom);
    }
  }
}

TEST_F(FilterBoxTest, AnEmptyFilterSaysSoAndHidesCloseAndCheckBox) {
  view_->FilterBox()->SetVisible(fvAlways);
  Calculate();
  EXPECT_EQ(Band()->DisplayText(), "<Filter is Empty>");
  EXPECT_FALSE(CloseButton()->GetVisible());
  EXPECT_FALSE(ActivateButton()->GetVisible());
  EXPECT_EQ(Band()->ButtonsViewInfo()->LeftButtonsWidth(), 0);
}

TEST_F(FilterBoxTest, WithoutVisibleButtonsTheTextTakesTheBandLessFivePixelsEachSide) {
  view_->FilterBox()->SetVisible(fvAlways);
  view_->FilterBox()->SetCustomizeDialog(false);
  Calculate();
  // No recently used filters: no drop-down button either.
  EXPECT_FALSE(Band()->ButtonsViewInfo()->DropDownButtonViewInfo()->GetVisible());
  EXPECT_FALSE(Band()->GetHotTrack());
  EXPECT_EQ(Band()->ButtonsViewInfo()->MaxHeight(), 0);
  EXPECT_EQ(Band()->Height, Band()->TextHeightWithOffset() + 6);
  TRect text_area;
  Band()->GetTextAreaBounds(text_area);
  const TRect client = Band()->ClientBounds();
  EXPECT_EQ(text_area.Left, client.Left + 5);
  EXPECT_EQ(text_area.Right, client.Right - 5);
  // A click on the band's text does nothing without a list to drop down.
  ClickOn(text_area);
  EXPECT_EQ(Band()->MouseState(), gmsNormal);
}

TEST_F(FilterBoxTest, AConditionShowsItsCaptionWithButtonsFromTheLeftEdge) {
  view_->FilterBox()->SetVisible(fvNonEmpty);
  view_->FilterBox()->SetCustomizeDialog(false);
  AddCondition();
  const std::string caption = Filter().BuildCaptionText();
  ASSERT_FALSE(caption.empty());
  EXPECT_EQ(Band()->DisplayText(), caption);

  const TRect band = Band()->BoundsRect;
  const TRect close = CloseButton()->BoundsRect;
  const TRect activate = ActivateButton()->BoundsRect;
  ASSERT_TRUE(CloseButton()->GetVisible());
  ASSERT_TRUE(ActivateButton()->GetVisible());
  EXPECT_EQ(close.Left, band.Left + 4);
  EXPECT_EQ(activate.Left, close.Right + 4);
  // Centred vertically, halves rounded down the band.
  EXPECT_EQ(close.Top, (band.Top + band.Bottom - close.Height() + 1) / 2);
  // The band is as tall as the text needs or the tallest button plus 8.
  EXPECT_EQ(band.Height(), std::max(Band()->TextHeightWithOffset() + 6, std::max(close.Height(), activate.Height()) + 8));
  // The text starts right of the buttons, 3 pixels in.
  TRect text_area;
  Band()->GetTextAreaBounds(text_area);
  EXPECT_EQ(text_area.Left, Band()->ContentBounds().Left + 2 + Band()->ButtonsViewInfo()->LeftButtonsWidth() + 3);
  // The customize button stands at the right edge when asked for.
  EXPECT_FALSE(CustomizeButton()->GetVisible());
  view_->FilterBox()->SetCustomizeDialog(true);
  Calculate();
  ASSERT_TRUE(CustomizeButton()->GetVisible());
  EXPECT_EQ(CustomizeButton()->BoundsRect.Right, Band()->BoundsRect.Right - 4);
  EXPECT_EQ(CustomizeButton()->DisplayText(), "Customize...");
}

TEST_F(FilterBoxTest, TheCheckBoxSwitchesTheFilterAndPaintsItsState) {
  view_->FilterBox()->SetVisible(fvNonEmpty);
  AddCondition();
  ASSERT_TRUE(Filter().Active());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);
  const int32_t checked_dark = DarkPixelsIn(ActivateButton()->BoundsRect);

  ClickOn(ActivateButton()->BoundsRect);
  EXPECT_FALSE(Filter().Active());
  EXPECT_FALSE(Filter().HasNoItems());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 5);
  // Switched off, the band stays with the same text.
  EXPECT_TRUE(Band()->GetVisible());
  EXPECT_EQ(Band()->DisplayText(), Filter().BuildCaptionText());
  EXPECT_LT(DarkPixelsIn(ActivateButton()->BoundsRect), checked_dark);

  ClickOn(ActivateButton()->BoundsRect);
  EXPECT_TRUE(Filter().Active());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);
}

TEST_F(FilterBoxTest, TheCloseButtonClearsTheFilterAndTheBandGoes) {
  view_->FilterBox()->SetVisible(fvNonEmpty);
  AddCondition();
  ASSERT_TRUE(Band()->GetVisible());
  const int32_t records_bottom_with_band = ViewInfo()->ClientBounds().Bottom;

  ClickOn(CloseButton()->BoundsRect);
  EXPECT_TRUE(Filter().HasNoItems());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 5);
  EXPECT_FALSE(Band()->GetVisible());
  EXPECT_EQ(Band()->Height, 0);
  EXPECT_GT(ViewInfo()->ClientBounds().Bottom, records_bottom_with_band);
}

TEST_F(FilterBoxTest, AClickBesideTheButtonsChangesNothing) {
  view_->FilterBox()->SetVisible(fvNonEmpty);
  AddCondition();
  TRect beside = Band()->BoundsRect;
  beside.Left = beside.Right - 20;
  ClickOn(beside);
  EXPECT_TRUE(Filter().Active());
  EXPECT_FALSE(Filter().HasNoItems());
}

}  // namespace grid_filter_box_win_test
