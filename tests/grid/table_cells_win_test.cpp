// Data cells on a real form: the value of each column drawn through its
// editor kind's view info without an editor window (text, currency and
// date in the German locale), the cell's colours handed to the editor, the
// cell's hit test, and rows of data cells scrolled like a full repaint.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/value_types.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_view_info_win.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "grid/grid_control_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/form.h"
#include "tests/grid/table_view_info_test_view.h"
#include "tests/support/gui_objects.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace table_cells_win_test {

using table_view_info_test::kRowHeight;
using table_view_info_test::TDataRowViewInfo;
using table_view_info_test::TInfoTableView;
using table_view_info_test::TTestTableViewInfo;

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0) { return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0); }

class TableCellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The first form of the process makes the objects every later one
    // shares (fonts, brushes, caches); they are not this test's to free.
    static bool warmed_up = false;
    if (!warmed_up) {
      Build();
      Pixels();
      Destroy();
      warmed_up = true;
    }
    gdi_objects_ = test_support::CountGdiObjects();
    user_objects_ = test_support::CountUserObjects();
    Build();
  }
  void Build() {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 460, 320);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 340, 200);
    view_ = lxCreateGridView<TInfoTableView>(form_);
    view_->row_class = &TDataRowViewInfo::kClass;
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    datei_ = AddItem("Datei", lxValueTypeClass<TlxStringValueType>(), 90);
    groesse_ = AddItem("Größe", lxValueTypeClass<TlxFloatValueType>(), 90);
    groesse_->SetPropertiesClass(&TlxCurrencyEditProperties::kClass);
    // The file list's sizes: grouped, up to three decimals.
    static_cast<TlxCurrencyEditProperties*>(groesse_->Properties())->SetDisplayFormat("0,.###");
    datum_ = AddItem("Datum", lxValueTypeClass<TlxDateTimeValueType>(), 140);
    datum_->SetPropertiesClass(&TlxDateEditProperties::kClass);
    form_->Show();
    AddFile("bericht.pdf", 1234567, At(2009, 3, 3, 14, 5, 9));
    AddFile("anhang.pdf", 999, At(2010, 1, 2));
  }
  void Destroy() {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }
  void TearDown() override {
    Destroy();
    EXPECT_LE(test_support::CountGdiObjects(), gdi_objects_ + 2);
    EXPECT_LE(test_support::CountUserObjects(), user_objects_ + 2);
  }

  TlxCustomGridTableItem* AddItem(const std::string& caption, TlxValueTypeClass type, int32_t width) {
    TlxCustomGridTableItem* item = view_->CreateItem();
    item->SetCaption(caption);
    item->DataBinding()->SetValueTypeClass(type);
    item->SetWidth(width);
    return item;
  }
  void AddFile(const std::string& name, double size, TDateTime date) {
    TlxCustomDataController* controller = view_->DataController();
    {
      TUpdateScope update(*controller);
      const int32_t record = controller->AppendRecord();
      controller->SetValue(record, datei_->Index(), Variant(name));
      controller->SetValue(record, groesse_->Index(), Variant(size));
      controller->SetValue(record, datum_->Index(), Variant::FromDate(date));
    }
    Layout();
  }
  void Layout() {
    view_->ViewInfo()->MainCalculate(TRect(0, 0, 320, 150));
    test_support::PumpMessagesUntilIdle();
  }
  TDataRowViewInfo* Row(int32_t index) const {
    return static_cast<TDataRowViewInfo*>(
        static_cast<TTestTableViewInfo*>(view_->ViewInfo())->RecordsViewInfo()->ExistingItem(index));
  }
  test_support::WindowPixels Pixels() {
    view_->Site()->Invalidate();
    view_->Site()->Update();
    return test_support::WindowPixels::Capture(view_->Site()->Handle());
  }
  // Pixels inside `rect` that differ from `background`.
  static int InkIn(const test_support::WindowPixels& pixels, const TRect& rect, COLORREF background) {
    int ink = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
      for (int x = rect.Left; x < rect.Right; ++x)
        ink += pixels.At(x, y) != background ? 1 : 0;
    return ink;
  }

  TScopedLocale german_{"de-DE"};
  DWORD gdi_objects_ = 0;
  DWORD user_objects_ = 0;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TInfoTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxCustomGridTableItem* datei_ = nullptr;
  TlxCustomGridTableItem* groesse_ = nullptr;
  TlxCustomGridTableItem* datum_ = nullptr;
};

TEST_F(TableCellsTest, EachColumnShowsItsValueAsItsEditorKindFormatsIt) {
  TDataRowViewInfo* row = Row(0);
  ASSERT_NE(row, nullptr);
  ASSERT_EQ(row->cells.size(), 3u);
  EXPECT_EQ(row->cells[0]->DisplayText(), "bericht.pdf");
  EXPECT_EQ(row->cells[1]->DisplayText(), "1.234.567");
  EXPECT_EQ(row->cells[2]->DisplayText(), "03.03.2009 14:05:09");
  EXPECT_EQ(Row(1)->cells[2]->DisplayText(), "02.01.2010");
  EXPECT_EQ(Row(1)->cells[1]->DisplayText(), "999");
  // Each cell draws through a view info of its own editor kind, no window.
  EXPECT_NE(row->cells[1]->EditViewInfo(), nullptr);
  EXPECT_NE(row->cells[1]->EditViewInfo(), row->cells[2]->EditViewInfo());
  EXPECT_EQ(row->cells[1]->BoundsRect, TRect(90, 0, 180, kRowHeight));
}

TEST_F(TableCellsTest, AValueItsKindCannotConvertIsShownAsItsTextWithoutRaising) {
  datei_->SetPropertiesClass(&TlxCurrencyEditProperties::kClass);
  EXPECT_NO_THROW(Layout());
  EXPECT_NO_THROW(Pixels());
  EXPECT_EQ(Row(0)->cells[0]->DisplayText(), "bericht.pdf");
}

TEST_F(TableCellsTest, TheEditorViewInfoPaintsTheTextInsideEachCell) {
  TDataRowViewInfo* row = Row(0);
  const test_support::WindowPixels pixels = Pixels();
  const COLORREF content = pixels.At(1, 1);
  for (const std::unique_ptr<TlxGridTableDataCellViewInfo>& cell : row->cells) {
    EXPECT_GT(InkIn(pixels, cell->BoundsRect, content), 20) << cell->DisplayText();
    EXPECT_EQ(cell->PaintParams().Color, static_cast<TColor>(cell->EditViewInfo()->BackgroundColor));
  }
  // Below the two rows only the view's background.
  const COLORREF below = pixels.At(5, 3 * kRowHeight);
  EXPECT_EQ(InkIn(pixels, TRect(0, 2 * kRowHeight + 2, 320, 150), below), 0);

  // A longer date is wider: the ink reaches further right than the short one.
  auto rightmost_ink = [&](const TRect& rect) {
    int rightmost = rect.Left;
    for (int y = rect.Top; y < rect.Bottom; ++y)
      for (int x = rect.Left; x < rect.Right; ++x)
        if (pixels.At(x, y) != content)
          rightmost = std::max(rightmost, x);
    return rightmost;
  };
  EXPECT_GT(rightmost_ink(row->cells[2]->BoundsRect), rightmost_ink(Row(1)->cells[2]->BoundsRect));
}

TEST_F(TableCellsTest, ACustomDrawColourReachesTheEditorForThisPaintOnly) {
  view_->OnCustomDrawCell = [](TlxCustomGridTableView*, TlxCanvas* canvas, TlxGridTableDataCellViewInfo*,
                               bool& done) {
    canvas->SetBrushColor(clLime);
    done = false;
  };
  TlxGridTableDataCellViewInfo* cell = Row(0)->cells[0].get();
  const TColor before = cell->PaintParams().Color;
  test_support::WindowPixels pixels = Pixels();
  EXPECT_EQ(pixels.At(cell->BoundsRect.Right - 3, cell->BoundsRect.Top + 3), static_cast<COLORREF>(clLime));
  EXPECT_EQ(cell->EditViewInfo()->BackgroundColor, before);

  view_->OnCustomDrawCell = nullptr;
  pixels = Pixels();
  EXPECT_NE(pixels.At(cell->BoundsRect.Right - 3, cell->BoundsRect.Top + 3), static_cast<COLORREF>(clLime));
}

TEST_F(TableCellsTest, ACellAnswersARecordCellHitTestWithItsItem) {
  TlxCustomGridHitTest* hit_test = view_->ViewInfo()->GetHitTestAtPoint(TPoint(100, kRowHeight + 5));
  ASSERT_EQ(hit_test->GetHitTestCode(), 107);
  auto* cell_hit_test = static_cast<TlxGridRecordCellHitTest*>(hit_test);
  EXPECT_EQ(cell_hit_test->Item, groesse_);
  EXPECT_EQ(cell_hit_test->GridRecord()->Index(), 1);
  EXPECT_EQ(hit_test->ViewInfo(), Row(1)->cells[1].get());
  EXPECT_TRUE(cell_hit_test->CanClick());
}

TEST_F(TableCellsTest, RowsOfDataCellsScrolledPaintLikeAFullRepaint) {
  for (int i = 0; i < 12; ++i)
    AddFile("datei" + std::to_string(i) + ".pdf", 1000.0 * i, At(2011, 5, 1 + i, i, 0, 0));
  auto* view_info = static_cast<TTestTableViewInfo*>(view_->ViewInfo());
  TlxGridTableDataCellViewInfo* kept_cell = Row(3)->cells[1].get();
  view_info->ScrollRecords(2);
  EXPECT_EQ(Row(1)->cells[1].get(), kept_cell);
  EXPECT_EQ(kept_cell->BoundsRect, TRect(90, kRowHeight, 180, 2 * kRowHeight));
  const test_support::WindowPixels scrolled = Pixels();

  view_info->SetScrolledTopRecordIndex(2);
  Layout();
  const test_support::WindowPixels full = Pixels();
  EXPECT_EQ(scrolled.argb(), full.argb());
}

TEST_F(TableCellsTest, APressOnACellFocusesItsRecordAndItemAndTheReleaseIsItsClick) {
  view_->Site()->SetFocus();
  test_support::PumpMessagesUntilIdle();
  std::vector<std::string> events;
  view_->OnCellClick = [&](TlxCustomGridTableView*, TlxCustomGridCellViewInfo* cell, TMouseButton, TShiftState,
                           bool& handled) {
    events.push_back("click " + cell->DisplayText());
    handled = false;
  };
  view_->OnCellDblClick = [&](TlxCustomGridTableView*, TlxCustomGridCellViewInfo* cell, TMouseButton,
                              TShiftState, bool& handled) {
    events.push_back("double " + cell->DisplayText());
    handled = true;
  };
  TlxGridTableDataCellViewInfo* cell = Row(1)->cells[2].get();
  TlxCustomGridHitTest* hit_test = view_->ViewInfo()->GetHitTestAtPoint(TPoint(200, kRowHeight + 5));
  ASSERT_EQ(hit_test->ViewInfo(), cell);
  EXPECT_TRUE(cell->MouseDown(hit_test, mbLeft, TShiftState()));
  EXPECT_EQ(view_->FocusedItem(), datum_);
  EXPECT_TRUE(Row(1)->GridRecord()->IsFocused());
  EXPECT_FALSE(cell->WasFocusedBeforeClick());
  cell->MouseUp(hit_test, mbLeft, TShiftState());
  EXPECT_EQ(events, (std::vector<std::string>{"click 02.01.2010"}));

  // A handled double click on another cell does nothing more.
  TlxGridTableDataCellViewInfo* other = Row(0)->cells[0].get();
  hit_test = view_->ViewInfo()->GetHitTestAtPoint(TPoint(10, 5));
  EXPECT_FALSE(other->MouseDown(hit_test, mbLeft, TShiftState{ssDouble}));
  EXPECT_EQ(view_->FocusedItem(), datum_);
  other->MouseUp(hit_test, mbLeft, TShiftState());
  EXPECT_EQ(events, (std::vector<std::string>{"click 02.01.2010", "double bericht.pdf"}));
}

TEST_F(TableCellsTest, HintsOnlyWithCellHintsOrAHandlerAndOnlyForHiddenText) {
  datei_->SetWidth(30);
  Layout();
  TlxGridTableDataCellViewInfo* cell = Row(0)->cells[0].get();
  std::string text;
  TRect text_rect;
  bool multi_line = false;
  EXPECT_FALSE(cell->HasHint());
  EXPECT_FALSE(cell->NeedsHint(TPoint(10, 5), text, text_rect, multi_line));

  view_->OptionsBehavior()->SetCellHints(true);
  EXPECT_TRUE(cell->HasHint());
  EXPECT_TRUE(cell->NeedsHint(TPoint(10, 5), text, text_rect, multi_line));
  EXPECT_EQ(text, "bericht.pdf");
  // The wide date column shows all of its text.
  EXPECT_FALSE(Row(0)->cells[2]->NeedsHint(TPoint(150, 5), text, text_rect, multi_line));

  view_->OptionsBehavior()->SetCellHints(false);
  datum_->OnGetCellHint = [](TlxCustomGridTableItem*, TlxCustomGridRecord* record, TlxCustomGridCellViewInfo*,
                             const TPoint&, std::string& hint, bool&, TRect&) {
    hint = "Datensatz " + std::to_string(record->Index());
  };
  EXPECT_TRUE(Row(1)->cells[2]->NeedsHint(TPoint(150, kRowHeight + 5), text, text_rect, multi_line));
  EXPECT_EQ(text, "Datensatz 1");
}

}  // namespace table_cells_win_test
