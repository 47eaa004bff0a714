#include "editors/kinds/lookup_grid_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "data/value_types.h"
#include "editors/kinds/lookup_grid_view_info_win.h"
#include "editors/text_view_win.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace lookup_grid_win_test {

using test_support::PumpMessagesUntilIdle;

// A plain lookup grid (its own data controller, no dataset) on a form.
class LookupGridTest : public ::testing::Test {
 protected:
  LookupGridTest() {
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 400, 300);
    grid_ = new TlxCustomLookupGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 300, 200);
    grid_->OnCloseUp = [this](TObject*, bool accept) { close_ups_.push_back(accept); };
    form_->Show();
    PumpMessagesUntilIdle();
  }
  ~LookupGridTest() override {
    form_->Free();
    PumpMessagesUntilIdle();
  }

  // Two text columns and `rows` records "r0", "r1", ...
  void Fill(int32_t rows) {
    grid_->BeginUpdate();
    grid_->Columns().Add()->SetCaption("A");
    grid_->Columns().Add()->SetCaption("B");
    TlxCustomDataController& controller = grid_->DataController();
    controller.SetItemValueTypeClass(0, lxValueTypeClass<TlxStringValueType>());
    controller.SetItemValueTypeClass(1, lxValueTypeClass<TlxStringValueType>());
    controller.SetRecordCount(rows);
    for (int32_t i = 0; i < rows; ++i) {
      controller.SetValue(i, 0, Variant("r" + std::to_string(i)));
      controller.SetValue(i, 1, Variant(std::to_string(i * 10)));
    }
    grid_->EndUpdate();
    PumpMessagesUntilIdle();
  }

  TForm* form_ = nullptr;
  TlxCustomLookupGrid* grid_ = nullptr;
  std::vector<bool> close_ups_;
};

TEST_F(LookupGridTest, ANewColumnHasItsDefaults) {
  TlxLookupGridColumn* column = grid_->Columns().Add();
  EXPECT_EQ(column->Width(), 64);
  EXPECT_EQ(column->MinWidth(), 20);
  EXPECT_TRUE(column->Sorting());
  EXPECT_FALSE(column->Fixed());
  EXPECT_EQ(column->Caption(), "");
  EXPECT_FALSE(column->IsWidthAssigned());
  EXPECT_FALSE(column->IsCaptionAssigned());
  EXPECT_EQ(grid_->DataController().GetItemCount(), 1);
  EXPECT_EQ(grid_->DataController().GetItem(0), column);

  struct Case {
    int32_t min_width;
    int32_t width;
    int32_t expected_min;
    int32_t expected_width;
  };
  const Case cases[] = {
      {100, -1, 100, 100},  // raising the minimum raises the width
      {20, 10, 20, 20},     // a width below the minimum stores the minimum
      {-5, -1, 0, 64},      // a negative minimum is 0
  };
  for (const Case& c : cases) {
    column->RestoreDefaults();
    column->SetMinWidth(c.min_width);
    if (c.width >= 0)
      column->SetWidth(c.width);
    EXPECT_EQ(column->MinWidth(), c.expected_min) << c.min_width;
    EXPECT_EQ(column->Width(), c.expected_width) << c.min_width;
  }
  column->RestoreDefaults();
  column->SetMinWidth(100);
  EXPECT_TRUE(column->IsWidthAssigned());
}

TEST_F(LookupGridTest, ColumnsCopyAndMoveWithTheirItems) {
  Fill(3);
  TlxLookupGridColumn* a = grid_->Columns().GetItem(0);
  TlxLookupGridColumn* b = grid_->Columns().GetItem(1);
  a->SetWidth(120);
  a->SetHeaderAlignment(taCenter);
  b->SetIndex(0);
  EXPECT_EQ(grid_->DataController().GetItem(0), b);
  EXPECT_EQ(grid_->DataController().GetDisplayText(1, 0), "10") << "the values moved with the column";

  TlxLookupGridColumns copy(nullptr, TlxLookupGridColumn::kClass);
  copy.Assign(&grid_->Columns());
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(copy.GetItem(1)->Caption(), "A");
  EXPECT_EQ(copy.GetItem(1)->Width(), 120);
  EXPECT_EQ(copy.GetItem(1)->HeaderAlignment(), taCenter);
  EXPECT_FALSE(copy.GetItem(0)->IsWidthAssigned());
}

// A column of a kind whose default item registry has nothing to offer.
class ColumnWithoutDefaultItem : public TlxLookupGridColumn {
 public:
  using TlxLookupGridColumn::TlxLookupGridColumn;
  TlxEditRepositoryItem* GetDefaultRepositoryItem() const override { return nullptr; }
};

TEST_F(LookupGridTest, TextItemWhenNoDefaultItemIsAvailable) {
  TlxLookupGridColumn* plain = grid_->Columns().Add();
  EXPECT_EQ(plain->GetActualRepositoryItem(), lxGetEditDataRegisteredRepositoryItems().FirstDefaultItem());
  EXPECT_FALSE(plain->HasInternalRepositoryItem());

  // Built straight into the grid's columns, it is registered once complete.
  auto* column = new ColumnWithoutDefaultItem(&grid_->Columns());
  EXPECT_EQ(grid_->DataController().GetItemCount(), 2);
  EXPECT_EQ(grid_->DataController().GetItem(1), column);
  EXPECT_FALSE(column->HasInternalRepositoryItem());
  TlxEditRepositoryItem* own = column->GetActualRepositoryItem();
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->InheritsFrom(&TlxEditRepositoryTextItem::kClass));
  EXPECT_TRUE(column->HasInternalRepositoryItem());
  EXPECT_EQ(column->GetActualRepositoryItem(), own) << "made once";
  // It draws the column's cells like any other item.
  grid_->DataController().SetRecordCount(1);
  grid_->DataController().SetValue(0, 1, Variant("x"));
  PumpMessagesUntilIdle();
  ASSERT_FALSE(grid_->ViewInfo().Rows.empty());
  EXPECT_NE(grid_->ViewInfo().Rows.front()->Cells[1]->EditViewInfo, nullptr);
  delete column;
  EXPECT_EQ(grid_->DataController().GetItemCount(), 1);
}

TEST_F(LookupGridTest, AFreedRepositoryItemLeavesTheColumn) {
  TlxLookupGridColumn* column = grid_->Columns().Add();
  TlxEditRepositoryItem* item = lxGetDefaultEditRepository().CreateItemOfClass(TlxEditRepositoryTextItem::kClass);
  column->SetRepositoryItem(item);
  EXPECT_EQ(column->GetActualRepositoryItem(), item);
  EXPECT_EQ(item->ListenerCount(), 1);
  lxGetDefaultEditRepository().RemoveItem(item);
  EXPECT_EQ(column->RepositoryItem(), nullptr);
  EXPECT_EQ(column->GetActualRepositoryItem(), lxGetEditDataRegisteredRepositoryItems().FirstDefaultItem());
}

TEST_F(LookupGridTest, ControllerOptionsAreLostWithoutAGrid) {
  TlxLookupGridOptions loose(nullptr);
  loose.SetAnsiSort(true);
  EXPECT_FALSE(loose.AnsiSort());
  grid_->Options().SetAnsiSort(true);
  EXPECT_TRUE(grid_->Options().AnsiSort());
  EXPECT_TRUE(grid_->DataController().HasOption(dcoAnsiSort));
}

TEST_F(LookupGridTest, EnterWithoutAFocusedRowClosesUpWithoutAccepting) {
  Fill(0);
  EXPECT_EQ(grid_->GetFocusedRowIndex(), -1);
  grid_->SetFocus();
  test_support::SendKey(grid_->Handle(), VK_RETURN);
  EXPECT_EQ(close_ups_, std::vector<bool>{false});
  EXPECT_EQ(grid_->GetNearestPopupHeight(5), grid_->ViewInfo().HeadersRect.Height() + grid_->ViewInfo().GetRowHeight());
}

TEST_F(LookupGridTest, ACutOffSingleRowIsOneVisibleRow) {
  Fill(10);
  const TlxLookupGridViewInfo& info = grid_->ViewInfo();
  grid_->SetHeight(info.HeadersRect.Bottom + info.RowMinHeight / 2 + 2 * grid_->GetBorderSize());
  PumpMessagesUntilIdle();
  EXPECT_EQ(info.PartVisibleRowCount, 1);
  EXPECT_EQ(info.VisibleRowCount, 1);
}

TEST_F(LookupGridTest, CellsShowTheirValuesThroughTheEditorViewInfo) {
  Fill(5);
  const TlxLookupGridViewInfo& info = grid_->ViewInfo();
  ASSERT_EQ(info.Rows.size(), 5u);
  const TlxLookupGridCellViewInfo& cell = *info.Rows[3]->Cells[1];
  ASSERT_NE(cell.EditViewInfo, nullptr);
  const auto* text = dynamic_cast<const TlxCustomTextEditViewInfo*>(cell.EditViewInfo.get());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, "30");
  // The editor is laid out one pixel inside the cell's content.
  EXPECT_EQ(cell.EditViewInfo->Bounds, cell.ContentBounds.Inflate(-1, -1));
}

TEST_F(LookupGridTest, AFocusFrameOnlyWithFocusOrInPopupMode) {
  Fill(5);
  grid_->SetFocusedRowIndex(1);
  form_->SetFocus();
  ::SetFocus(form_->Handle());
  PumpMessagesUntilIdle();
  ASSERT_FALSE(grid_->Focused());
  grid_->Repaint();
  // The focus frame's dotted top edge inverts some of the row's pixels: a
  // row without it has only the cell background there.
  auto frame_pixels = [&] {
    // Popup mode has no border: the row moves.
    const TRect content = grid_->ViewInfo().FindRow(1)->ContentBounds;
    HDC dc = GetDC(grid_->Handle());
    int differing = 0;
    const COLORREF first = GetPixel(dc, content.Left + 40, content.Top);
    for (int x = content.Left + 40; x < content.Left + 60; ++x)
      differing += GetPixel(dc, x, content.Top) != first ? 1 : 0;
    ReleaseDC(grid_->Handle(), dc);
    return differing;
  };
  EXPECT_EQ(frame_pixels(), 0);
  ASSERT_TRUE(grid_->ViewInfo().FindRow(1)->Focused);
  grid_->SetPopupMode(true);
  grid_->Repaint();
  PumpMessagesUntilIdle();
  EXPECT_GT(frame_pixels(), 0);
}

}  // namespace lookup_grid_win_test
