// The table view's controllers over the real table layout: the main
// window's dataset-bound view of the file list, driven by window messages at
// points the layout's own hit tests name. Whatever the layout measures, a
// header click sorts, the row keys move the focus and paging keeps the
// focused row in view.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_sizing_objects_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/table_view_info_win.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/message_pump.h"

namespace grid_table_controller_layout_win_test {

class LayoutControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->AddRows(28);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    view_ = lxCreateGridView<TlxGridDBTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsData()->SetEditing(false);
    view_->OptionsData()->SetInserting(false);
    view_->OptionsCustomize()->SetColumnFiltering(false);
    view_->OptionsCustomize()->SetColumnGrouping(false);
    view_->OptionsCustomize()->SetColumnMoving(false);
    view_->OptionsSelection()->SetCellSelect(false);
    view_->DataController()->SetDataSource(files_->source);
    view_->DataController()->SetDetailKeyFieldNames("Datei");
    nr_ = AddColumn("Nr.", "Sortkey", 46);
    datei_ = AddColumn("Datei", "Datei", 389);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
    site_ = view_->Site();
    site_->SetFocus();
    test_support::PumpMessagesUntilIdle();
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

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field, int32_t width) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    column->SetWidth(width);
    return column;
  }

  TlxGridTableController* Controller() const { return static_cast<TlxGridTableController*>(view_->Controller()); }
  TlxCustomGridViewInfo* Info() const { return static_cast<TlxCustomGridView*>(view_)->ViewInfo(); }

  // The first point (scanning the site in steps of 2 pixels) at which the
  // layout names the column's header.
  std::optional<TPoint> HeaderPoint(TlxGridColumn* column) {
    for (int32_t y = 1; y < site_->Height(); y += 2)
      for (int32_t x = 1; x < site_->Width(); x += 2) {
        auto* hit_test = dynamic_cast<TlxGridColumnHeaderHitTest*>(Info()->GetHitTestAtXY(x, y));
        if (hit_test != nullptr && hit_test->Column == column)
          return TPoint(x + 4, y + 2);
      }
    return std::nullopt;
  }

  void Click(const TPoint& point, WPARAM keys = 0) {
    SendMessageW(site_->Handle(), WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(point.X, point.Y));
    SendMessageW(site_->Handle(), WM_LBUTTONUP, keys, MAKELPARAM(point.X, point.Y));
    test_support::PumpMessagesUntilIdle();
  }

  void Key(UINT key) {
    SendMessageW(site_->Handle(), WM_KEYDOWN, key, 1);
    SendMessageW(site_->Handle(), WM_KEYUP, key, 0xC0000001);
    test_support::PumpMessagesUntilIdle();
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridSite* site_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
};

TEST_F(LayoutControllerTest, ClickingTheLaidOutHeaderSortsAscendingThenDescending) {
  const std::optional<TPoint> header = HeaderPoint(datei_);
  ASSERT_TRUE(header.has_value());
  Click(*header);
  EXPECT_EQ(datei_->SortOrder(), soAscending);
  Click(*header);
  EXPECT_EQ(datei_->SortOrder(), soDescending);
  EXPECT_EQ(view_->SortedColumnCount(), 1);
  const std::optional<TPoint> nr_header = HeaderPoint(nr_);
  ASSERT_TRUE(nr_header.has_value());
  Click(*nr_header, MK_SHIFT);
  EXPECT_EQ(view_->SortedColumnCount(), 2);
  Click(*header, MK_CONTROL);
  EXPECT_EQ(view_->SortedColumnCount(), 1);
  EXPECT_EQ(view_->SortedColumns(0), nr_);
}

TEST_F(LayoutControllerTest, PageDownFocusesTheLastVisibleRowThenScrolls) {
  Controller()->SetFocusedRecordIndex(0);
  Key(VK_NEXT);
  const int32_t first_page = Controller()->FocusedRecordIndex();
  EXPECT_GT(first_page, 0);
  EXPECT_EQ(Controller()->TopRecordIndex(), 0);
  Key(VK_NEXT);
  EXPECT_GT(Controller()->FocusedRecordIndex(), first_page);
  EXPECT_GT(Controller()->TopRecordIndex(), 0);
  // The focused row stays on screen.
  const int32_t visible = Controller()->GetVisibleRecordCount(Controller()->TopRecordIndex(), true);
  EXPECT_LT(Controller()->FocusedRecordIndex(), Controller()->TopRecordIndex() + visible);
  Key(VK_HOME);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 0);
  EXPECT_EQ(Controller()->TopRecordIndex(), 0);
  Key(VK_END);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 27);
  EXPECT_EQ(Controller()->TopRecordIndex(), Controller()->GetMaxTopRecordIndex());
}

// The row sizing object over a laid-out row: the site runs it as it would
// from the row's sizing edge; the height stops at the smallest row height
// and goes to the view's data row height.
TEST_F(LayoutControllerTest, SizingARowStopsAtTheSmallestRowHeight) {
  TlxCustomGridRecord* record = view_->ViewData()->Records(1);
  ASSERT_NE(record->ViewInfo(), nullptr);
  const TRect row = record->ViewInfo()->BoundsRect;
  auto* hit_test = dynamic_cast<TlxGridRecordHitTest*>(Info()->GetHitTestAtXY(row.Left + 30, row.Bottom - 1));
  ASSERT_NE(hit_test, nullptr);
  ASSERT_EQ(hit_test->GridRecord(), record);
  struct Case {
    int32_t dy;
    int32_t expected;
  };
  const int32_t smallest = view_->MinDataRowHeight();
  for (const Case& c : {Case{12, row.Height() + 12}, Case{-200, smallest}}) {
    view_->OptionsView()->SetDataRowHeight(0);
    const TPoint start(row.Left + 30, row.Bottom - 1);
    site_->SetDragDropObjectClass(&TlxGridRowSizingObject::kClass);
    auto* object = dynamic_cast<TlxGridRowSizingObject*>(&site_->EnsureDragAndDropObject());
    ASSERT_NE(object, nullptr);
    object->Init(start, Info()->GetHitTestAtXY(start.X, start.Y));
    TlxControl* control = site_;  // the drag entry points are the control's
    control->BeginDragAndDrop();
    bool accepted = false;
    control->DragAndDropMove(TPoint(start.X, start.Y + c.dy), accepted);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(object->GetCurrentSize(), c.expected);
    site_->FinishDragAndDrop(true);
    test_support::PumpMessagesUntilIdle();
    Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
    // A row sized to the height it already has keeps the automatic height
    // (0); either way the row is as tall as the drag asked.
    TlxCustomGridRecord* sized = view_->ViewData()->Records(1);
    ASSERT_NE(sized->ViewInfo(), nullptr);
    EXPECT_EQ(sized->ViewInfo()->BoundsRect.Height(), c.expected);
    if (c.expected != row.Height()) {
      EXPECT_EQ(view_->OptionsView()->DataRowHeight(), c.expected);
    }
  }
}

}  // namespace grid_table_controller_layout_win_test
