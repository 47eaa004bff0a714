// The filter box's drop-down button on a real grid over the file list: a
// click drops the list of recently used filters down under the filter
// text, and closing the list returns the button and the band to normal.
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
#include "grid/grid_popups_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_filtering.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace grid_filter_mru_drop_down_win_test {

class FilterMRUDropDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->AddRows(5);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 420);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    grid_->LookAndFeel().SetKind(lfFlat);
    view_ = lxCreateGridView<TlxGridDBTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->DataController()->SetDataSource(files_->source);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    nr_ = view_->CreateColumn();
    nr_->SetCaption("Nr.");
    nr_->DataBinding()->SetFieldName("Sortkey");
    form_->Show();
    Calculate();
  }

  void TearDown() override {
    test_support::StopModalScript();
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    files_.reset();
    lxGridDBTableViewModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  void Calculate() {
    test_support::PumpMessagesUntilIdle();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    view_->Site()->Invalidate();
    view_->Site()->Update();
    test_support::PumpMessagesUntilIdle();
  }

  TlxDataFilterCriteria& Filter() const { return view_->DataController()->Filter(); }
  TlxGridFilterViewInfo* Band() const {
    return static_cast<TlxGridTableViewInfo*>(view_->ViewInfo())->FilterViewInfo();
  }
  TlxCustomGridFilterButtonViewInfo* DropDown() const { return Band()->ButtonsViewInfo()->DropDownButtonViewInfo(); }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
};

TEST_F(FilterMRUDropDownTest, TheButtonDropsTheRecentFiltersDownUnderTheFilterText) {
  view_->FilterBox()->SetVisible(fvAlways);
  // One filter used and cleared again: the list has that one entry.
  Filter().AddItem(&Filter().Root(), nr_, fokGreater, Variant(2), "2");
  Filter().SetActive(true);
  view_->Filtering()->AddFilterToMRU(nullptr);
  Filter().RemoveItemsByLink(nr_);
  Calculate();
  ASSERT_TRUE(DropDown()->GetVisible());
  auto* controller = dynamic_cast<TlxCustomGridTableController*>(view_->Controller());
  ASSERT_NE(controller, nullptr);
  EXPECT_FALSE(DropDown()->IsPopupCreated());

  TRect text_area;
  Band()->GetTextAreaBounds(text_area);
  const TPoint text_origin = view_->Site()->ClientToScreen(TPoint(text_area.Left, 0));
  bool shown = false;
  int32_t entries = 0;
  int32_t list_text_left = 0;
  test_support::RunWhileModal([&] {
    TlxGridFilterMRUItemsPopup* popup = controller->FilterMRUItemsPopup();
    if (!popup->Visible())
      return false;
    shown = true;
    entries = popup->ListBox().ItemCount();
    list_text_left = popup->Left() + popup->GetBorderWidth(0) + popup->GetTextOffset();
    popup->ClosePopup();
    return true;
  });
  const TRect button = DropDown()->BoundsRect;
  test_support::InputClick(view_->Site()->WindowHandle(),
                           POINT{button.Left + button.Width() / 2, button.Top + button.Height() / 2});
  test_support::PumpMessagesUntilIdle();
  test_support::StopModalScript();

  EXPECT_TRUE(shown);
  EXPECT_TRUE(DropDown()->IsPopupCreated());
  EXPECT_EQ(entries, 1);
  // The texts of the list start under the filter text (the popup's own
  // placement may shift it by its two-pixel frame), not under the arrow.
  EXPECT_NEAR(list_text_left, text_origin.X, 2);
  EXPECT_LT(list_text_left, view_->Site()->ClientToScreen(TPoint(button.Left, 0)).X - 20);
  // Closed, the arrow and the band lose their pressed look.
  EXPECT_FALSE(controller->FilterMRUItemsPopup()->Visible());
  EXPECT_NE(DropDown()->MouseState(), gmsPressed);
  EXPECT_NE(Band()->MouseState(), gmsPressed);
}

}  // namespace grid_filter_mru_drop_down_win_test
