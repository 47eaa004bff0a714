// Cell hints and grouping by drag on the file list's grid: a clipped cell
// shows its whole text in a hint that the 100 ms check (ticked through the
// timer) and leaving the site take away; a header dragged with real input
// into the group-by box groups the data controller by it, and dragged back
// ungroups it, the view data agreeing with the data controller each time.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "data/data_controller.h"
#include "grid/grid_hint_window_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_options_win.h"
#include "tests/grid/grid_file_list_form_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace grid_cell_hints_grouping_win_test {

class CellHintTest : public grid_file_list_form::FileListGridTest {
 protected:
  void Configure() override {
    view_->OptionsBehavior()->SetCellHints(true);
    view_->OptionsView()->SetColumnAutoWidth(false);
    datei_->SetWidth(40);
  }

  std::optional<TPoint> DataCellPoint(TlxGridColumn* column) {
    return FindPoint([column](TlxCustomGridHitTest* hit_test) {
      auto* cell = hit_test != nullptr ? dynamic_cast<TlxGridTableDataCellViewInfo*>(hit_test->ViewInfo()) : nullptr;
      return cell != nullptr && cell->Item() == column;
    });
  }

  void MoveTo(const TPoint& point) {
    const POINT screen = ScreenPoint(point);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(site_->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(point.X, point.Y));
    test_support::PumpMessagesUntilIdle();
  }
};

TEST_F(CellHintTest, AClippedCellShowsItsTextUntilTheMouseLeavesItOrTheFormIsLeft) {
  const std::optional<TPoint> corner = DataCellPoint(datei_);
  ASSERT_TRUE(corner.has_value());
  const TPoint point(corner->X + 6, corner->Y + 4);
  MoveTo(point);
  TlxGridHintWindow* hint = Controller()->HintWindow();
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->Visible());
  EXPECT_EQ(hint->Text(), "C:\\f1.pdf");
  // The whole text is wider than the 40-pixel cell.
  EXPECT_GT(hint->BoundsRect().Width(), 40);
  ASSERT_NE(Controller()->HintCheckTimer(), nullptr);
  EXPECT_EQ(Controller()->HintCheckTimer()->Interval(), 100u);

  // The same text at the same place: the window stays where it is.
  const HWND window = hint->Handle();
  const TRect bounds = hint->BoundsRect();
  MoveTo(TPoint(point.X + 1, point.Y));
  EXPECT_EQ(Controller()->HintWindow()->Handle(), window);
  EXPECT_EQ(Controller()->HintWindow()->BoundsRect(), bounds);

  // Another program in front: the next check hides the hint.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(other);
  test_support::PumpMessagesUntilIdle();
  // The form's deactivation may already have hidden the hint (and ended
  // the check) while the messages were pumped; otherwise the check does.
  if (TlxTimer* check = Controller()->HintCheckTimer())
    check->FireTimer();
  EXPECT_FALSE(hint->Visible());
  EXPECT_EQ(Controller()->HintCheckTimer(), nullptr);
  DestroyWindow(other);
  SetForegroundWindow(form_->Handle());
  test_support::PumpMessagesUntilIdle();

  // Shown again, then the mouse leaves the cell for a header.
  MoveTo(point);
  ASSERT_TRUE(hint->Visible());
  const std::optional<TPoint> header = HeaderPoint(nr_);
  ASSERT_TRUE(header.has_value());
  MoveTo(*header);
  EXPECT_FALSE(hint->Visible());
}

TEST_F(CellHintTest, AFittingCellShowsNoHint) {
  const std::optional<TPoint> corner = DataCellPoint(nr_);
  ASSERT_TRUE(corner.has_value());
  MoveTo(TPoint(corner->X + 6, corner->Y + 4));
  EXPECT_TRUE(Controller()->HintWindow() == nullptr || !Controller()->HintWindow()->Visible());
}

class GroupingByDragTest : public grid_file_list_form::FileListGridTest {
 protected:
  void Configure() override {
    view_->OptionsView()->SetGroupByBox(true);
    view_->OptionsCustomize()->SetColumnGrouping(true);
    view_->OptionsCustomize()->SetColumnMoving(true);
  }

  void InputDrag(POINT from, POINT to) {
    test_support::InputMouseAt(from);
    test_support::PumpMessagesUntilIdle();
    test_support::InputMouseAt(from, MOUSEEVENTF_LEFTDOWN);
    test_support::PumpMessagesUntilIdle();
    constexpr int kSteps = 10;
    for (int step = 1; step <= kSteps; ++step) {
      test_support::InputMouseAt(
          POINT{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps});
      test_support::PumpMessagesUntilIdle();
    }
    test_support::InputMouseAt(to, MOUSEEVENTF_LEFTUP);
    test_support::PumpMessagesUntilIdle();
  }

  TPoint GroupByBoxPoint() {
    auto* view_info = static_cast<TlxGridTableViewInfo*>(Info());
    const TRect box = view_info->GroupByBoxViewInfo()->BoundsRect;
    return TPoint(box.Right - 30, (box.Top + box.Bottom) / 2);
  }

  // The view's rows and the data controller's rows are the same list.
  void ExpectViewDataAgrees() {
    TlxCustomDataController* data = view_->DataController();
    ASSERT_EQ(view_->ViewData()->RecordCount(), data->GetRowCount());
    for (int32_t row = 0; row < data->GetRowCount(); ++row) {
      TlxCustomGridRecord* record = view_->ViewData()->Records(row);
      EXPECT_EQ(record->Index(), row);
      EXPECT_EQ(record->RecordIndex(), data->GetRowInfo(row).RecordIndex);
      EXPECT_EQ(record->Level(), data->GetRowInfo(row).Level);
    }
  }
};

TEST_F(GroupingByDragTest, AHeaderDraggedIntoTheGroupByBoxGroupsAndBackUngroups) {
  const std::optional<TPoint> header = HeaderPoint(groesse_);
  ASSERT_TRUE(header.has_value());
  InputDrag(ScreenPoint(*header), ScreenPoint(GroupByBoxPoint()));
  EXPECT_EQ(groesse_->GroupIndex(), 0);
  EXPECT_EQ(view_->GroupedColumnCount(), 1);
  EXPECT_EQ(site_->DragDropPhase(), dpIdle);
  TlxCustomDataController* data = view_->DataController();
  // 28 different sizes: one group row per size over each data row.
  EXPECT_EQ(data->Groups().GroupedItemCount(), 1);
  EXPECT_GT(data->GetRowCount(), 0);
  ExpectViewDataAgrees();
  Relayout();

  // Back from the box to the header panel, in front of "Nr.".
  const std::optional<TPoint> grouped = HeaderPoint(groesse_, true);
  ASSERT_TRUE(grouped.has_value());
  const std::optional<TPoint> nr = HeaderPoint(nr_);
  ASSERT_TRUE(nr.has_value());
  InputDrag(ScreenPoint(*grouped), ScreenPoint(TPoint(nr->X - 6, nr->Y)));
  EXPECT_EQ(groesse_->GroupIndex(), -1);
  EXPECT_TRUE(groesse_->Visible());
  EXPECT_EQ(groesse_->VisibleIndex(), 0);
  EXPECT_EQ(data->Groups().GroupedItemCount(), 0);
  EXPECT_EQ(data->GetRowCount(), 28);
  ExpectViewDataAgrees();
}

TEST_F(GroupingByDragTest, AColumnThatCannotBeGroupedFindsNoPlaceInTheBox) {
  groesse_->Options()->SetGrouping(false);
  const std::optional<TPoint> header = HeaderPoint(groesse_);
  ASSERT_TRUE(header.has_value());
  InputDrag(ScreenPoint(*header), ScreenPoint(GroupByBoxPoint()));
  EXPECT_EQ(groesse_->GroupIndex(), -1);
  EXPECT_TRUE(groesse_->Visible());
  EXPECT_EQ(view_->DataController()->GetRowCount(), 28);
}

}  // namespace grid_cell_hints_grouping_win_test
