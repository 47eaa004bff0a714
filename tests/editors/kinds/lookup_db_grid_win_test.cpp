#include "editors/kinds/lookup_db_grid_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editors/default_editors.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "editors/kinds/lookup_grid_view_info_win.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace lookup_db_grid_win_test {

using test_support::PumpMessagesUntilIdle;

// A lookup DB grid over the file list (30 files) on a real form.
class LookupDBGridTest : public ::testing::Test {
 protected:
  LookupDBGridTest() {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    files_.AddRows(30);
    files_.cds->First();
    SetCursorPos(5, 5);
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 420, 320);
    grid_ = new TlxCustomLookupDBGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 300, 200);
    grid_->SetDataSource(files_.source);
    grid_->SetListFieldNames("Datei;Sortkey");
    grid_->OnCloseUp = [this](TObject*, bool accept) { close_ups_.push_back(accept); };
    form_->Show();
    SetForegroundWindow(form_->Handle());
    PumpMessagesUntilIdle();
  }
  ~LookupDBGridTest() override {
    test_support::InputMouseAt(POINT{5, 5}, MOUSEEVENTF_LEFTUP);
    form_->Free();
    PumpMessagesUntilIdle();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeDefaultEditRepository();
  }

  TlxLookupGridViewInfo& Info() { return grid_->ViewInfo(); }
  HWND Window() { return grid_->Handle(); }
  POINT CentreOf(const TRect& r) { return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
  POINT RowPoint(int32_t row) {
    TlxLookupGridRowViewInfo* info = Info().FindRow(row);
    EXPECT_NE(info, nullptr) << "row " << row << " is not built";
    return info != nullptr ? CentreOf(info->Cells[0]->Bounds) : POINT{0, 0};
  }
  // The "Sortkey" value shown in a row.
  int32_t KeyOfRow(int32_t row) {
    const int32_t record = grid_->DataController().GetRowInfo(row).RecordIndex;
    return grid_->DataController().GetValue(record, 1).AsInteger();
  }

  db_test::TFileList files_;
  TForm* form_ = nullptr;
  TlxCustomLookupDBGrid* grid_ = nullptr;
  std::vector<bool> close_ups_;
};

TEST_F(LookupDBGridTest, ColumnsComeFromTheListFieldNames) {
  ASSERT_EQ(grid_->Columns().Count(), 2);
  TlxLookupDBGridColumn* datei = grid_->DBColumns().GetItem(0);
  TlxLookupDBGridColumn* key = grid_->DBColumns().GetItem(1);
  EXPECT_EQ(datei->FieldName(), "Datei");
  EXPECT_EQ(datei->GetField(), files_.datei);
  EXPECT_EQ(key->Caption(), "Sortkey");
  EXPECT_FALSE(key->IsCaptionAssigned());
  EXPECT_EQ(grid_->DBColumns().FindByFieldName("sortKEY"), key) << "found whatever the letter case";
  EXPECT_EQ(grid_->DBColumns().FindByFieldName("Groesse"), nullptr);
  EXPECT_EQ(grid_->GetRowCount(), 30);
  // The field's default editor draws the integer column: the mask item.
  EXPECT_EQ(key->GetActualRepositoryItem(), lxGetEditDBRegisteredRepositoryItems().FindItemForField(files_.sortkey));

  // A "0" times the display width plus 4, or the header's need if larger.
  TlxCanvas& canvas = grid_->CurrentCanvas();
  canvas.AssignFont(grid_->Font());
  const int32_t digit = canvas.MeasureTextWidth("0");
  const int32_t header = grid_->GridPainter().LFPainterClass()->GetHeaderWidth(canvas, lxAllBorders, "Sortkey",
                                                                              &grid_->Font());
  EXPECT_EQ(key->Width(), std::max(digit * files_.sortkey->DisplayWidth() + 4, header));
  EXPECT_FALSE(key->IsWidthAssigned());
}

TEST_F(LookupDBGridTest, AColumnOfAnUnknownFieldShowsItsNameAtTheDefaultWidth) {
  TlxLookupDBGridColumn* column = grid_->DBColumns().Add();
  column->SetFieldName("Nirgends");
  PumpMessagesUntilIdle();
  EXPECT_EQ(column->GetField(), nullptr);
  EXPECT_EQ(column->Caption(), "Nirgends");
  EXPECT_EQ(column->Width(), 64);
  EXPECT_EQ(column->GetActualRepositoryItem(), lxGetEditDBRegisteredRepositoryItems().FindItemForField(nullptr))
      << "the dataset registry's first default item";
}

TEST_F(LookupDBGridTest, HeadersRowsAndTheSelectedRowAreDrawn) {
  ASSERT_FALSE(Info().HeadersRect.IsEmpty());
  ASSERT_EQ(Info().Columns.size(), 2u);
  // The columns fill the header's width between them.
  EXPECT_EQ(Info().Columns[0]->Bounds.Left, Info().HeadersRect.Left);
  EXPECT_EQ(Info().Columns[1]->Bounds.Right, Info().HeadersRect.Right);
  EXPECT_EQ(Info().HeadersRect.Right, grid_->GetClientBounds().Right);
  EXPECT_GT(Info().VisibleRowCount, 3);
  EXPECT_LT(Info().PartVisibleRowCount, 30) << "only what fits is built";

  grid_->SetFocusedRowIndex(2);
  grid_->SetFocusedRowSelected(true);
  grid_->Repaint();
  PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(Window());
  const TlxLookupGridRowViewInfo* focused = Info().FindRow(2);
  ASSERT_NE(focused, nullptr);
  // Past the text of the Sortkey cell, inside the cell's one-pixel inset.
  const TRect cell = focused->Cells[1]->Bounds;
  const COLORREF selection = ColorToRGB(Info().GetSelectedColor());
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(cell.Right - 4, cell.Top + 3), selection, 8))
      << std::hex << pixels.At(cell.Right - 4, cell.Top + 3);
  const TRect other = Info().FindRow(4)->Cells[1]->Bounds;
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(other.Right - 4, other.Top + 3), ColorToRGB(clWindow), 8));
  // The grid line under a row, in the line colour.
  const TRect row4 = Info().FindRow(4)->Bounds;
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(row4.Left + 40, row4.Bottom - 1), ColorToRGB(clBtnFace), 8));
  // The header in the painter's header colour, away from its text.
  const TRect header = Info().Columns[1]->Bounds;
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(header.Right - 6, header.Top + 3),
                                       ColorToRGB(Info().GetHeaderColor()), 24));
}

TEST_F(LookupDBGridTest, KeysMoveTheFocusedRowAndKeepItVisible) {
  grid_->SetFocus();
  grid_->SetFocusedRowIndex(0);
  PumpMessagesUntilIdle();
  test_support::SendKey(Window(), VK_DOWN);
  test_support::SendKey(Window(), VK_DOWN);
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 2);
  test_support::SendKey(Window(), VK_UP);
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 1);
  test_support::SendKey(Window(), VK_END);  // RowSelect: the last row
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 29);
  EXPECT_EQ(grid_->TopRowIndex(), 30 - Info().VisibleRowCount) << "the last row ends at the bottom";
  test_support::SendKey(Window(), VK_HOME);
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 0);
  EXPECT_EQ(grid_->TopRowIndex(), 0);

  const int32_t visible = Info().VisibleRowCount;
  test_support::SendKey(Window(), VK_NEXT);  // to the last visible row
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), visible - 1);
  EXPECT_EQ(grid_->TopRowIndex(), 0);
  test_support::SendKey(Window(), VK_NEXT);  // a page on
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->TopRowIndex(), visible - 1);
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 2 * visible - 2);
  test_support::SendKey(Window(), VK_PRIOR);  // to the top row
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), visible - 1);

  test_support::SendKey(Window(), VK_RETURN);
  EXPECT_EQ(close_ups_, std::vector<bool>{true});
}

TEST_F(LookupDBGridTest, WithoutRowSelectHomeAndEndFocusColumns) {
  grid_->Options().SetRowSelect(false);
  grid_->SetFocusedRowIndex(5);
  grid_->SetFocus();
  PumpMessagesUntilIdle();
  test_support::SendKey(Window(), VK_END);
  EXPECT_EQ(grid_->GetFocusedColumnIndex(), 1);
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 5);
  test_support::SendKey(Window(), VK_HOME);
  EXPECT_EQ(grid_->GetFocusedColumnIndex(), 0);
  test_support::SendKey(Window(), VK_RIGHT);
  EXPECT_EQ(grid_->GetFocusedColumnIndex(), 1);
  uint16_t home = VK_HOME;
  grid_->KeyDown(home, TShiftState{ssCtrl});  // Ctrl+Home: the first row
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 0);
  // Turning RowSelect on (off and on again) leaves no focused column.
  grid_->Options().SetRowSelect(true);
  EXPECT_EQ(grid_->GetFocusedColumnIndex(), -1);
  grid_->Options().SetRowSelect(false);
  EXPECT_EQ(grid_->GetFocusedColumnIndex(), -1);
}

TEST_F(LookupDBGridTest, AClickFocusesTheRowAndItsReleaseClosesUp) {
  const POINT row3 = RowPoint(3);
  test_support::SendClick(Window(), row3);
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 3);
  EXPECT_EQ(close_ups_, std::vector<bool>{true});
  EXPECT_FALSE(grid_->MousePressed());

  // Pressed on a row and released over the header: closed up without
  // accepting.
  const POINT row5 = RowPoint(5);
  const POINT header = CentreOf(Info().Columns[0]->Bounds);
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row5.x, row5.y));
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(header.x, header.y));
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 5);
  EXPECT_EQ(close_ups_, (std::vector<bool>{true, false}));

  // A click on the header alone does not close up.
  test_support::SendClick(Window(), header);
  PumpMessagesUntilIdle();
  EXPECT_EQ(close_ups_.size(), 2u);
}

TEST_F(LookupDBGridTest, HeaderClicksSortByTheirRules) {
  TlxLookupDBGridColumn* datei = grid_->DBColumns().GetItem(0);
  TlxLookupDBGridColumn* key = grid_->DBColumns().GetItem(1);
  const POINT key_header = CentreOf(Info().Columns[1]->Bounds);
  const POINT datei_header = CentreOf(Info().Columns[0]->Bounds);
  test_support::SendClick(Window(), key_header);
  PumpMessagesUntilIdle();
  EXPECT_EQ(key->SortOrder(), soAscending);
  EXPECT_EQ(KeyOfRow(0), 1);
  test_support::SendClick(Window(), key_header);  // ascending turns descending
  PumpMessagesUntilIdle();
  EXPECT_EQ(key->SortOrder(), soDescending);
  EXPECT_EQ(KeyOfRow(0), 30);

  // Shift adds a second sorted column; a plain click clears the others.
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(datei_header.x, datei_header.y));
  SendMessageW(Window(), WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(datei_header.x, datei_header.y));
  PumpMessagesUntilIdle();
  EXPECT_EQ(datei->SortOrder(), soAscending);
  EXPECT_EQ(key->SortOrder(), soDescending);
  // Ctrl removes only the clicked column's order.
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(datei_header.x, datei_header.y));
  SendMessageW(Window(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(datei_header.x, datei_header.y));
  PumpMessagesUntilIdle();
  EXPECT_EQ(datei->SortOrder(), soNone);
  EXPECT_EQ(key->SortOrder(), soDescending);
  test_support::SendClick(Window(), datei_header);
  PumpMessagesUntilIdle();
  EXPECT_EQ(datei->SortOrder(), soAscending);
  EXPECT_EQ(key->SortOrder(), soNone);

  // A column that may not sort ignores the click, and so does the grid
  // without ColumnSorting.
  key->SetSorting(false);
  test_support::SendClick(Window(), key_header);
  EXPECT_EQ(key->SortOrder(), soNone);
  key->SetSorting(true);
  grid_->Options().SetColumnSorting(false);
  test_support::SendClick(Window(), key_header);
  EXPECT_EQ(key->SortOrder(), soNone);
}

TEST_F(LookupDBGridTest, TheScrollBarMovesTheTopRow) {
  int32_t position = 0;
  grid_->ScrollContent(sbVertical, scLineDown, position);
  EXPECT_EQ(grid_->TopRowIndex(), 1);
  EXPECT_EQ(position, 1);
  grid_->ScrollContent(sbVertical, scPageDown, position);
  EXPECT_EQ(grid_->TopRowIndex(), 1 + Info().VisibleRowCount - 1);
  position = 200;
  grid_->ScrollContent(sbVertical, scTrack, position);
  EXPECT_EQ(grid_->TopRowIndex(), 30 - Info().VisibleRowCount) << "no space is left below the data";
  EXPECT_EQ(position, grid_->TopRowIndex());
  grid_->SetTopRowIndex(-10);
  EXPECT_EQ(grid_->TopRowIndex(), 0);
  // The row rectangles follow the top row.
  grid_->SetTopRowIndex(4);
  PumpMessagesUntilIdle();
  ASSERT_FALSE(Info().Rows.empty());
  EXPECT_EQ(Info().Rows.front()->RowIndex, 4);
  EXPECT_EQ(Info().Rows.front()->Bounds.Top, Info().HeadersRect.Bottom);
}

TEST_F(LookupDBGridTest, AFewRowsInATallGridStartAtTheTop) {
  files_.cds->Last();
  for (int i = 0; i < 27; ++i)
    files_.cds->Delete();
  PumpMessagesUntilIdle();
  ASSERT_EQ(grid_->GetRowCount(), 3);
  grid_->SetTopRowIndex(2);
  EXPECT_EQ(grid_->TopRowIndex(), 0);
  EXPECT_EQ(Info().PartVisibleRowCount, 3);
  EXPECT_FALSE(Info().EmptyRectBottom.IsEmpty());
  EXPECT_EQ(Info().EmptyRectBottom.Top, Info().RowsRect.Bottom);
  // The popup height for any height fits whole rows, at most the three.
  const int32_t header = Info().HeadersRect.Height();
  const int32_t row = Info().GetRowHeight();
  EXPECT_EQ(grid_->GetNearestPopupHeight(1000), header + 3 * row);
  EXPECT_EQ(grid_->GetNearestPopupHeight(header + 1), header + row);
  EXPECT_EQ(grid_->GetPopupHeight(2), header + 2 * row);
}

TEST_F(LookupDBGridTest, AHeldButtonBeyondTheRowsScrollsRowByRow) {
  const POINT row2 = RowPoint(2);
  SetCapture(Window());
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(row2.x, row2.y));
  PumpMessagesUntilIdle();
  ASSERT_TRUE(grid_->MousePressed());
  SetCapture(Window());
  // Below the client area, where no row is hit.
  POINT below{row2.x, grid_->GetClientBounds().Bottom + 5};
  POINT screen = below;
  ClientToScreen(Window(), &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(below.x, below.y));
  EXPECT_EQ(grid_->AutoScrollDirection(), lgasDown);
  ASSERT_NE(grid_->AutoScrollTimer(), nullptr);
  EXPECT_EQ(grid_->AutoScrollTimer()->Interval(), 50u);
  const int32_t visible = Info().VisibleRowCount;
  grid_->AutoScrollTimer()->FireTimer();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), visible) << "the row just below the last visible one";
  EXPECT_EQ(grid_->TopRowIndex(), 1);
  grid_->AutoScrollTimer()->FireTimer();
  EXPECT_EQ(grid_->GetFocusedRowIndex(), visible + 1) << "no row is skipped";
  EXPECT_EQ(grid_->TopRowIndex(), 2);

  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(below.x, below.y));
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->AutoScrollDirection(), lgasNone);
  EXPECT_EQ(grid_->AutoScrollTimer(), nullptr);
  EXPECT_EQ(close_ups_, std::vector<bool>{false}) << "released below the rows";
  ReleaseCapture();
}

TEST_F(LookupDBGridTest, PopupModeFocusesTheRowUnderAMovingMouse) {
  grid_->SetPopupMode(true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(grid_->GetBorderSize(), 0);
  grid_->SetFocusedRowIndex(0);
  const POINT row4 = RowPoint(4);
  POINT screen = row4;
  ClientToScreen(Window(), &screen);
  SetCursorPos(screen.x, screen.y);
  grid_->RememberMousePos();
  SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(row4.x, row4.y));
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 0) << "the list opened under a resting mouse";
  SetCursorPos(screen.x, screen.y + 1);
  SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(row4.x, row4.y + 1));
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 4);
  EXPECT_TRUE(grid_->DataController().IsRowSelected(4));

  grid_->Options().SetFocusRowOnMouseMove(false);
  const POINT row6 = RowPoint(6);
  SetCursorPos(screen.x, screen.y + (row6.y - row4.y));
  SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(row6.x, row6.y));
  EXPECT_EQ(grid_->GetFocusedRowIndex(), 4) << "no hot tracking";
  SetCursorPos(5, 5);
}

TEST_F(LookupDBGridTest, ShowHeaderOffStartsTheRowsAtTheTop) {
  grid_->Options().SetShowHeader(false);
  PumpMessagesUntilIdle();
  EXPECT_EQ(Info().HeadersRect.Height(), 0);
  ASSERT_FALSE(Info().Rows.empty());
  EXPECT_EQ(Info().Rows.front()->Bounds.Top, grid_->GetClientBounds().Top);
  EXPECT_EQ(grid_->GetHitInfo(TPoint(20, grid_->GetClientBounds().Top + 2)).Kind, lghtRow);
}

TEST_F(LookupDBGridTest, GridLinesShapeTheCells) {
  int changes = 0;
  grid_->Options().OnChanged = [&changes](TObject*) { ++changes; };
  grid_->Options().SetGridLines(glHorizontal);
  PumpMessagesUntilIdle();
  EXPECT_EQ(changes, 1);
  const TlxLookupGridRowViewInfo& row = *Info().Rows.front();
  EXPECT_FALSE(row.Cells[0]->Borders.Contains(bRight)) << "no line between the cells";
  EXPECT_TRUE(row.Borders.Contains(bRight)) << "one at the end of the row";
  EXPECT_TRUE(row.Borders.Contains(bBottom));
  const int32_t min_height = Info().RowMinHeight;
  EXPECT_EQ(Info().GetRowHeight(), min_height + 1);
  grid_->Options().SetGridLines(glNone);
  PumpMessagesUntilIdle();
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(Info().GetRowHeight(), min_height);
  EXPECT_TRUE(Info().Rows.front()->Borders.Empty());
  EXPECT_EQ(Info().Rows.front()->Bounds.Height(), min_height);
}

TEST_F(LookupDBGridTest, NoColumnsLeaveTheWholeClientEmpty) {
  grid_->Columns().Clear();
  grid_->Repaint();
  PumpMessagesUntilIdle();
  EXPECT_TRUE(Info().HeadersRect.IsEmpty());
  EXPECT_TRUE(Info().Rows.empty());
  EXPECT_EQ(Info().EmptyRectBottom, grid_->GetClientBounds());
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(Window());
  const TRect client = grid_->GetClientBounds();
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(client.Left + 5, client.Top + 5), ColorToRGB(clWindow)));
}

TEST_F(LookupDBGridTest, OptionsAndSyncModeNeedTheGrid) {
  TlxLookupDBGridOptions loose(nullptr);
  loose.SetSyncMode(true);
  loose.SetAnsiSort(true);
  EXPECT_FALSE(loose.SyncMode()) << "lost without a grid";
  EXPECT_FALSE(loose.AnsiSort());
  EXPECT_FALSE(grid_->DBOptions().SyncMode()) << "the list does not move the dataset by default";
  grid_->DBOptions().SetSyncMode(true);
  grid_->Options().SetCaseInsensitive(true);
  EXPECT_TRUE(grid_->DBOptions().SyncMode());
  EXPECT_TRUE(grid_->DataController().HasOption(dcoCaseInsensitive));
  TlxLookupDBGridOptions copy(nullptr);
  copy.Assign(&grid_->DBOptions());
  EXPECT_EQ(copy.GridLines(), glBoth);
}

}  // namespace lookup_db_grid_win_test
