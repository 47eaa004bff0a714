// The view footer, group footers, the indicator's footer item and the row
// preview on a real grid over the file list's dataset in the flat look:
// heights, places under the columns, texts, hit tests, chosen pixels, a
// summary whose text fails while the view paints, and scrolling with a
// footer shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_summary_items.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_rows_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_footers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_preview_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_view_controller_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace grid_footers_win_test {

// The dataset-bound view with the framework's plain controller, so that
// layout and painting are tested whatever the table controller does.
class TFooterView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TFooterView", &TlxGridDBTableView::kClass, &lxConstructGridView<TFooterView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
};

class FootersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 420);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    grid_->LookAndFeel().SetKind(lfFlat);
    view_ = CreateView();
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->DataController()->SetDataSource(files_->source);
    form_->Show();
  }

  void TearDown() override {
    Application->OnException = nullptr;
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    files_.reset();
    lxGridDBTableViewModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  virtual TlxGridDBTableView* CreateView() { return lxCreateGridView<TFooterView>(form_); }

  // The main window's four columns over `rows` files of sizes 100, 200 ...
  void UseFileListColumns(int rows) {
    for (int i = 1; i <= rows; ++i)
      files_->Add("C:\\f" + std::to_string(i) + ".pdf", 100.0 * i, EncodeDate(2024, 1 + (i - 1) / 28, 1 + (i - 1) % 28), i);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    nr_ = AddColumn("Nr.", "Sortkey", 46);
    datei_ = AddColumn("Datei", "Datei", 389);
    groesse_ = AddColumn("Größe", "Groesse", 114);
    datum_ = AddColumn("Datum", "Datum", 107);
  }

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field, int32_t width) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    column->SetWidth(width);
    return column;
  }

  TlxDataSummaryItem* AddFooterSummary(TlxGridColumn* column, TlxSummaryKind kind, const std::string& format) {
    return view_->DataController()->Summary().FooterSummaryItems().AddItem(column, spFooter, kind, format);
  }

  void Repaint() {
    view_->Site()->Invalidate();
    view_->Site()->Update();
    test_support::PumpMessagesUntilIdle();
  }

  void Calculate() {
    test_support::PumpMessagesUntilIdle();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    Repaint();
  }

  TlxGridTableViewInfo* ViewInfo() const { return static_cast<TlxGridTableViewInfo*>(view_->ViewInfo()); }
  TlxGridRowsViewInfo* Rows() const { return ViewInfo()->RowsViewInfo(); }
  TlxGridHeaderViewInfo* Header() const { return ViewInfo()->HeaderViewInfo(); }
  TlxGridFooterViewInfo* Footer() const { return ViewInfo()->FooterViewInfo(); }
  int32_t TextHeight() const { return ViewInfo()->GetFontHeight(Footer()->PaintParams().Font); }
  test_support::WindowPixels Pixels() const { return test_support::WindowPixels::Capture(view_->Site()->Handle()); }
  TlxCustomGridHitTest* HitTestAt(int32_t x, int32_t y) const { return ViewInfo()->GetHitTestAtPoint(TPoint(x, y)); }

  // The footer cell that shows `item`, or null.
  TlxGridFooterCellViewInfo* CellOf(TlxDataSummaryItem* item) const {
    for (int32_t index = 0; index < Footer()->CellCount(); ++index)
      if (Footer()->Cells(index)->SummaryItem() == item)
        return Footer()->Cells(index);
    return nullptr;
  }

  std::string TextOf(TlxDataSummaryItem* item) const {
    TlxGridFooterCellViewInfo* cell = CellOf(item);
    std::string text;
    if (cell != nullptr)
      cell->GetText(text);
    return text;
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TlxGridDBColumn* groesse_ = nullptr;
  TlxGridDBColumn* datum_ = nullptr;
};

TEST_F(FootersTest, FooterLiesBelowTheRowsWithEachSummaryUnderItsColumn) {
  UseFileListColumns(5);
  TlxDataSummaryItem* sum = AddFooterSummary(groesse_, skSum, "0");
  TlxDataSummaryItem* count = AddFooterSummary(nr_, skCount, "0");
  view_->OptionsView()->SetFooter(true);
  Calculate();

  TlxGridFooterViewInfo* footer = Footer();
  ASSERT_NE(footer, nullptr);
  ASSERT_TRUE(footer->GetVisible());
  // Flat look, one line: border 1, text + 4 + 2 cell borders, 2 cell
  // offsets, border 1, separator 1.
  EXPECT_EQ(footer->Height, 1 + (TextHeight() + 6 + 2) + 1 + 1);
  EXPECT_EQ(footer->RowCount(), 1);
  const TRect site = ViewInfo()->SiteClientBounds();
  EXPECT_EQ(footer->BoundsRect.Bottom, site.Bottom);
  EXPECT_EQ(footer->BoundsRect.Top, ViewInfo()->ClientBounds().Bottom);
  EXPECT_EQ(footer->BoundsRect.Left, Header()->BoundsRect.Left);
  EXPECT_EQ(footer->BoundsRect.Right, Header()->BoundsRect.Right);

  EXPECT_EQ(TextOf(sum), "1500");
  EXPECT_EQ(TextOf(count), "5");
  // Each cell lies under its header cell, inset by the cell offset; the
  // outer cells also inside the footer's borders.
  TlxGridFooterCellViewInfo* size_cell = CellOf(sum);
  TlxGridFooterCellViewInfo* nr_cell = CellOf(count);
  ASSERT_NE(size_cell, nullptr);
  ASSERT_NE(nr_cell, nullptr);
  const TRect size_header = Header()->GetItem(groesse_->VisibleIndex())->BoundsRect;
  EXPECT_EQ(size_cell->BoundsRect.Left, size_header.Left + 1);
  EXPECT_EQ(size_cell->BoundsRect.Right, size_header.Right - 1);
  EXPECT_EQ(size_cell->BoundsRect.Top, footer->BoundsRect.Top + 1 + 1 + 1);
  EXPECT_EQ(size_cell->BoundsRect.Height(), TextHeight() + 6);
  EXPECT_EQ(nr_cell->BoundsRect.Left, footer->BoundsRect.Left + 1 + 1);
  EXPECT_EQ(nr_cell->BoundsRect.Top, size_cell->BoundsRect.Top);
}

TEST_F(FootersTest, MultipleSummariesOfAColumnTakeOneLineEachOnlyWhenAllowed) {
  UseFileListColumns(4);
  TlxDataSummaryItem* sum = AddFooterSummary(groesse_, skSum, "0");
  TlxDataSummaryItem* maximum = AddFooterSummary(groesse_, skMax, "0");
  TlxDataSummaryItem* count = AddFooterSummary(nr_, skCount, "0");
  view_->OptionsView()->SetFooter(true);
  Calculate();
  // Without FooterMultiSummaries only the first summary of a column shows.
  EXPECT_EQ(Footer()->RowCount(), 1);
  EXPECT_NE(CellOf(sum), nullptr);
  EXPECT_EQ(CellOf(maximum), nullptr);
  const int32_t one_line = Footer()->Height;

  view_->OptionsView()->SetFooterMultiSummaries(true);
  Calculate();
  ASSERT_EQ(Footer()->RowCount(), 2);
  ASSERT_NE(CellOf(maximum), nullptr);
  const int32_t line = Footer()->LineHeight();
  EXPECT_EQ(Footer()->Height, one_line + line);
  EXPECT_EQ(CellOf(maximum)->BoundsRect.Top, CellOf(sum)->BoundsRect.Top + line);
  EXPECT_EQ(CellOf(count)->BoundsRect.Top, CellOf(sum)->BoundsRect.Top);
  EXPECT_EQ(TextOf(sum), "1000");
  EXPECT_EQ(TextOf(maximum), "400");
  EXPECT_EQ(ViewInfo()->ClientBounds().Bottom, Footer()->BoundsRect.Top);
}

TEST_F(FootersTest, AutoHeightWrapsALongSummaryOnlyWhileTheFooterHasOneLine) {
  UseFileListColumns(5);
  AddFooterSummary(groesse_, skSum, "'Summe aller Dateigrößen in Bytes: '0");
  view_->OptionsView()->SetFooter(true);
  Calculate();
  const int32_t one_line = TextHeight() + 6 + 2;
  EXPECT_EQ(Footer()->LineHeight(), one_line);

  view_->OptionsView()->SetFooterAutoHeight(true);
  Calculate();
  const int32_t wrapped = Footer()->LineHeight();
  EXPECT_GT(wrapped, one_line);
  EXPECT_EQ((wrapped - 8) % TextHeight(), 0) << "whole text lines";
  EXPECT_EQ(Footer()->Height, 1 + wrapped + 1 + 1);

  // Two summary lines: every line is one text line high again.
  view_->OptionsView()->SetFooterMultiSummaries(true);
  AddFooterSummary(groesse_, skMax, "0");
  Calculate();
  EXPECT_EQ(Footer()->RowCount(), 2);
  EXPECT_EQ(Footer()->LineHeight(), one_line);
}

TEST_F(FootersTest, HitTestsNameTheCellItsSummaryOrOnlyTheColumnUnderAnEmptyPlace) {
  UseFileListColumns(3);
  TlxDataSummaryItem* sum = AddFooterSummary(groesse_, skSum, "0");
  view_->OptionsView()->SetFooter(true);
  Calculate();
  const TRect cell = CellOf(sum)->BoundsRect;
  auto* on_cell = dynamic_cast<TlxGridFooterCellHitTest*>(HitTestAt(cell.Left + 3, cell.Top + 3));
  ASSERT_NE(on_cell, nullptr);
  EXPECT_EQ(on_cell->Column, groesse_);
  EXPECT_EQ(on_cell->SummaryItem, sum);

  // Under "Datei" there is no summary: the place still names the column.
  const TRect datei_header = Header()->GetItem(datei_->VisibleIndex())->BoundsRect;
  auto* empty = dynamic_cast<TlxGridFooterCellHitTest*>(HitTestAt(datei_header.Left + 5, cell.Top + 3));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->Column, datei_);
  EXPECT_EQ(empty->SummaryItem, nullptr);

  // The separator belongs to the footer as a whole.
  TlxCustomGridHitTest* separator = HitTestAt(cell.Left + 3, Footer()->BoundsRect.Top);
  ASSERT_NE(separator, nullptr);
  EXPECT_EQ(separator->ClassType(), &TlxGridFooterHitTest::kClass);
}

TEST_F(FootersTest, FooterWithoutSummariesShowsOneEmptyLineThatStillNamesColumns) {
  UseFileListColumns(3);
  view_->OptionsView()->SetFooter(true);
  Calculate();
  EXPECT_EQ(Footer()->CellCount(), 0);
  EXPECT_EQ(Footer()->RowCount(), 1);
  EXPECT_EQ(Footer()->Height, 1 + (TextHeight() + 6 + 2) + 1 + 1);
  const TRect datum_header = Header()->GetItem(datum_->VisibleIndex())->BoundsRect;
  auto* hit = dynamic_cast<TlxGridFooterCellHitTest*>(
      HitTestAt(datum_header.Left + 5, Footer()->BoundsRect.Top + Footer()->Height / 2));
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->Column, datum_);
  EXPECT_EQ(hit->SummaryItem, nullptr);

  // Hidden again: no height, the rows reach the site's bottom.
  view_->OptionsView()->SetFooter(false);
  Calculate();
  EXPECT_EQ(Footer()->Height, 0);
  EXPECT_EQ(ViewInfo()->ClientBounds().Bottom, ViewInfo()->SiteClientBounds().Bottom);
}

TEST_F(FootersTest, FooterPaintsItsSeparatorBordersCellFramesAndText) {
  UseFileListColumns(5);
  TlxDataSummaryItem* sum = AddFooterSummary(groesse_, skSum, "0");
  view_->OptionsView()->SetFooter(true);
  Calculate();
  const test_support::WindowPixels pixels = Pixels();
  const COLORREF shadow = ColorToColorRef(clBtnShadow);
  const COLORREF highlight = ColorToColorRef(clBtnHighlight);
  const TRect footer = Footer()->BoundsRect;
  const int middle_x = (footer.Left + footer.Right) / 2;
  const int middle_y = (footer.Top + 1 + footer.Bottom) / 2;
  EXPECT_EQ(pixels.At(middle_x, footer.Top), shadow) << "separator";
  EXPECT_EQ(pixels.At(middle_x, footer.Top + 1), highlight) << "top border";
  EXPECT_EQ(pixels.At(footer.Left, middle_y), highlight) << "left border";
  EXPECT_EQ(pixels.At(middle_x, footer.Bottom - 1), shadow) << "bottom border";
  EXPECT_EQ(pixels.At(footer.Right - 1, middle_y), shadow) << "right border";

  TlxGridFooterCellViewInfo* cell = CellOf(sum);
  const TRect bounds = cell->BoundsRect;
  const int cell_y = (bounds.Top + bounds.Bottom) / 2;
  EXPECT_EQ(pixels.At(bounds.Left, cell_y), shadow) << "cell's left edge";
  EXPECT_EQ(pixels.At(bounds.Right - 1, cell_y), highlight) << "cell's right edge";
  // The text "1500" leaves pixels of the text colour in the text area and
  // none outside the cells.
  const COLORREF text_color = ColorToColorRef(cell->PaintParams().TextColor);
  int text_pixels = 0;
  for (int y = cell->TextAreaBounds.Top; y < cell->TextAreaBounds.Bottom; ++y)
    for (int x = cell->TextAreaBounds.Left; x < cell->TextAreaBounds.Right; ++x)
      text_pixels += pixels.At(x, y) == text_color ? 1 : 0;
  EXPECT_GT(text_pixels, 10);
  const COLORREF background = ColorToColorRef(Footer()->PaintParams().Color);
  const TRect datei = Header()->GetItem(datei_->VisibleIndex())->BoundsRect;
  EXPECT_EQ(pixels.At((datei.Left + datei.Right) / 2, cell_y), background) << "no cell under Datei";
}

TEST_F(FootersTest, IndicatorCarriesAFooterItemBesideTheFooter) {
  UseFileListColumns(5);
  AddFooterSummary(groesse_, skSum, "0");
  view_->OptionsView()->SetFooter(true);
  view_->OptionsView()->SetIndicator(true);
  Calculate();
  TlxGridIndicatorViewInfo* indicator = ViewInfo()->IndicatorViewInfo();
  ASSERT_NE(indicator, nullptr);
  const TRect footer = Footer()->BoundsRect;
  EXPECT_EQ(indicator->BoundsRect.Top, Header()->BoundsRect.Top);
  EXPECT_EQ(indicator->BoundsRect.Bottom, footer.Bottom);
  EXPECT_EQ(footer.Left, indicator->BoundsRect.Right);
  // Header item, footer item, then one item per row.
  ASSERT_EQ(indicator->ItemCount(), 2 + Rows()->PartVisibleCount);
  auto* item = dynamic_cast<TlxGridIndicatorFooterItemViewInfo*>(indicator->Items(1));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->BoundsRect, TRect(indicator->BoundsRect.Left, footer.Top, indicator->BoundsRect.Right, footer.Bottom));
  TRect separator;
  item->GetSeparatorBounds(separator);
  EXPECT_EQ(separator, TRect(item->BoundsRect.Left, footer.Top, item->BoundsRect.Right, footer.Top + 1));
  TlxCustomGridHitTest* hit = HitTestAt(item->BoundsRect.Left + 2, item->BoundsRect.Top + 4);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->ClassType(), &TlxGridIndicatorHitTest::kClass);

  const test_support::WindowPixels pixels = Pixels();
  EXPECT_EQ(pixels.At(item->BoundsRect.Left + 2, footer.Top), ColorToColorRef(clBtnShadow)) << "separator";
  EXPECT_EQ(pixels.At(item->BoundsRect.Left + 2, footer.Bottom - 1), ColorToColorRef(clBtnShadow))
      << "bottom border";
}

// A summary whose text fails while the view lays out and paints: the cell
// shows what it has, the error reaches the handler once, after the paint,
// and later paints do not report it again until the text works once more.
TEST_F(FootersTest, SummaryTextErrorReachesTheHandlerOnceAfterThePaint) {
  UseFileListColumns(5);
  TlxDataSummaryItem* sum = AddFooterSummary(groesse_, skSum, "0");
  bool failing = true;
  sum->OnGetText = [&failing](TlxDataSummaryItem*, const Variant&, bool, std::string& text) {
    text = "partial";
    if (failing)
      throw Exception("Formatfehler");
  };
  std::vector<std::string> reported;
  bool reported_inside_paint = false;
  Application->OnException = [&](TObject*, const Exception& error) {
    reported.push_back(error.Message());
    reported_inside_paint |= view_->Site()->ControlState().Contains(csCustomPaint);
  };
  view_->OptionsView()->SetFooter(true);
  Calculate();
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "Formatfehler");
  EXPECT_FALSE(reported_inside_paint);
  EXPECT_EQ(TextOf(sum), "");
  // The cell is still painted with its frame.
  const TRect bounds = CellOf(sum)->BoundsRect;
  EXPECT_EQ(Pixels().At(bounds.Left, (bounds.Top + bounds.Bottom) / 2), ColorToColorRef(clBtnShadow));

  Repaint();
  Calculate();
  Repaint();
  EXPECT_EQ(reported.size(), 1u) << "the same error again";

  failing = false;
  Calculate();
  EXPECT_EQ(TextOf(sum), "partial");
  failing = true;
  Calculate();
  EXPECT_EQ(reported.size(), 2u) << "failing again after it worked is news";
}

// With the indicator too: its row items must follow the rows that
// scrolling re-uses or replaces.
TEST_F(FootersTest, ScrollingWithAFooterShownEqualsAFullRepaint) {
  UseFileListColumns(60);
  AddFooterSummary(groesse_, skSum, "0");
  AddFooterSummary(nr_, skCount, "0");
  view_->OptionsView()->SetColumnAutoWidth(false);
  view_->OptionsView()->SetFooter(true);
  view_->OptionsView()->SetIndicator(true);
  Calculate();
  auto expect_same_as_full_repaint = [&](const char* what) {
    test_support::PumpMessagesUntilIdle();
    const test_support::WindowPixels scrolled = Pixels();
    Calculate();
    const test_support::WindowPixels full = Pixels();
    ASSERT_EQ(scrolled.width(), full.width());
    int differing = 0;
    TRect box(10000, 10000, -1, -1);
    for (int y = 0; y < full.height(); ++y)
      for (int x = 0; x < full.width(); ++x)
        if (scrolled.At(x, y) != full.At(x, y)) {
          ++differing;
          box = TRect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y));
        }
    EXPECT_EQ(differing, 0) << what << ": differing within (" << box.Left << ", " << box.Top << ") - (" << box.Right
                            << ", " << box.Bottom << ")";
  };
  ViewInfo()->ScrollRecords(1);
  expect_same_as_full_repaint("one line down");
  ViewInfo()->ScrollRecords(Rows()->VisibleCount);
  expect_same_as_full_repaint("one page down");
  ViewInfo()->ScrollRecords(-3);
  expect_same_as_full_repaint("three lines up");
  ViewInfo()->SetLeftPos(40);
  expect_same_as_full_repaint("horizontally");
  EXPECT_EQ(Footer()->BoundsRect.Left, Header()->BoundsRect.Left);
}

// --- preview --------------------------------------------------------------------------------

TEST_F(FootersTest, PreviewBandSitsBelowOrAboveTheCellsAndGrowsTheRow) {
  UseFileListColumns(5);
  view_->OptionsView()->SetGridLines(glBoth);
  TlxGridPreview* preview = view_->Preview();
  preview->SetColumn(datei_);
  preview->SetAutoHeight(false);
  preview->SetMaxLineCount(1);
  preview->SetVisible(true);
  Calculate();
  const int32_t data_row_height = Rows()->DataRowHeight;
  TlxGridDataRowViewInfo* row = Rows()->DataRow(0);
  ASSERT_NE(row, nullptr);
  TlxGridPreviewCellViewInfo* cell = row->PreviewViewInfo();
  ASSERT_NE(cell, nullptr);
  const int32_t preview_height = TextHeight() + 4 + 1;
  EXPECT_EQ(cell->BoundsRect.Height(), preview_height);
  EXPECT_EQ(row->BoundsRect.Height(), data_row_height + preview_height);
  EXPECT_EQ(row->CellsAreaBounds.Top, row->BoundsRect.Top);
  EXPECT_EQ(cell->BoundsRect.Top, row->CellsAreaBounds.Bottom);
  EXPECT_EQ(row->ExistingCell(0)->BoundsRect.Height(), data_row_height);
  EXPECT_EQ(cell->BoundsRect.Left, row->CellsAreaBounds.Left);
  EXPECT_EQ(cell->BoundsRect.Right, row->CellsAreaBounds.Right);
  TRect text_area;
  cell->GetTextAreaBounds(text_area);
  EXPECT_EQ(text_area.Left, cell->BoundsRect.Left + 20);
  EXPECT_EQ(text_area.Right, cell->BoundsRect.Right - 1 - 5);
  EXPECT_EQ(Rows()->DataRow(1)->BoundsRect.Top, row->BoundsRect.Bottom);
  auto* hit = dynamic_cast<TlxGridPreviewHitTest*>(HitTestAt(text_area.Left + 4, text_area.Top + 2));
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->GridRecord(), row->GridRecord());

  // The file name is drawn from the left indent on; nothing of it left
  // of that.
  const test_support::WindowPixels pixels = Pixels();
  const COLORREF text_color = ColorToColorRef(cell->PaintParams().TextColor);
  int inside = 0;
  int left_of_indent = 0;
  for (int y = text_area.Top; y < text_area.Bottom; ++y) {
    for (int x = cell->BoundsRect.Left; x < text_area.Left; ++x)
      left_of_indent += pixels.At(x, y) == text_color ? 1 : 0;
    for (int x = text_area.Left; x < text_area.Right; ++x)
      inside += pixels.At(x, y) == text_color ? 1 : 0;
  }
  EXPECT_GT(inside, 10);
  EXPECT_EQ(left_of_indent, 0);

  preview->SetPlace(prTop);
  Calculate();
  row = Rows()->DataRow(0);
  cell = row->PreviewViewInfo();
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->BoundsRect.Top, row->BoundsRect.Top);
  EXPECT_EQ(row->CellsAreaBounds.Top, cell->BoundsRect.Bottom);
  EXPECT_EQ(row->ExistingCell(0)->BoundsRect.Top, cell->BoundsRect.Bottom);
}

TEST_F(FootersTest, AutoHeightPreviewWrapsItsTextUpToTheLineLimit) {
  UseFileListColumns(3);
  files_->cds->First();
  files_->cds->Edit();
  files_->datei->SetAsString("C:\\" + std::string(22, 'x') + " " + std::string(25, 'y') + " " +
                             std::string(25, 'z') + " " + std::string(21, 'w') + ".pdf");
  files_->cds->Post();
  grid_->SetBounds(10, 10, 240, 300);
  TlxGridPreview* preview = view_->Preview();
  preview->SetColumn(datei_);
  preview->SetVisible(true);
  struct Case {
    int32_t max_lines;
    int32_t expected_lines;
  };
  // Four words each wider than a line: four lines, cut at the limit.
  for (const Case& test : {Case{3, 3}, Case{0, 4}, Case{1, 1}}) {
    SCOPED_TRACE(test.max_lines);
    preview->SetMaxLineCount(test.max_lines);
    Calculate();
    TlxGridDataRowViewInfo* row = nullptr;
    for (int32_t index = 0; index < Rows()->PartVisibleCount && row == nullptr; ++index)
      if (Rows()->DataRow(index) != nullptr && Rows()->DataRow(index)->GridRecord()->RecordIndex() == 0)
        row = Rows()->DataRow(index);
    ASSERT_NE(row, nullptr);
    ASSERT_NE(row->PreviewViewInfo(), nullptr);
    EXPECT_EQ(row->PreviewViewInfo()->BoundsRect.Height(), test.expected_lines * TextHeight() + 4 + 1);
  }
}

}  // namespace grid_footers_win_test

namespace grid_footers_win_test {

// Group rows stand in with the plainest row view info: their own layout is
// not what is tested here, only the data rows that close groups.
class TStandInGroupRowViewInfo : public TlxCustomGridRowViewInfo {
 public:
  static constexpr TClass kClass{"TStandInGroupRowViewInfo", &TlxCustomGridRowViewInfo::kClass,
                                 &ConstructInstance<TStandInGroupRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowViewInfo::TlxCustomGridRowViewInfo;
  int32_t CalculateHeight() override { return RowsViewInfo()->DataRowHeight + GetNonContentHeight(); }
};

class TStandInGroupRow : public TlxGridGroupRow {
 public:
  static constexpr TClass kClass{"TStandInGroupRow", &TlxGridGroupRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridGroupRow::TlxGridGroupRow;
  const TClass* GetViewInfoClass() const override { return &TStandInGroupRowViewInfo::kClass; }
};

class TStandInViewData : public TlxGridViewData {
 public:
  static constexpr TClass kClass{"TStandInViewData", &TlxGridViewData::kClass, &ConstructInstance<TStandInViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridViewData::TlxGridViewData;

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* record_class, const TlxRowInfo& row_info,
                                                           int32_t index) override {
    if (record_class == &TlxGridGroupRow::kClass)
      return std::make_unique<TStandInGroupRow>(this, row_info, index);
    return TlxGridViewData::CreateRecordOfClass(record_class, row_info, index);
  }
};

class TGroupedView : public TFooterView {
 public:
  static constexpr TClass kClass{"TGroupedView", &TFooterView::kClass, &lxConstructGridView<TGroupedView>};
  const TClass* ClassType() const override { return &kClass; }
  using TFooterView::TFooterView;
  const TClass* GetViewDataClass() const override { return &TStandInViewData::kClass; }
};

class GroupFootersTest : public FootersTest {
 protected:
  // Two grouping levels, date then size; the view's records read
  // A, A/100, r1, r2, A/200, r3, B, B/100, r4.
  TlxGridDBTableView* CreateView() override { return lxCreateGridView<TGroupedView>(form_); }

  void SetUpGroups(TlxGridGroupFootersMode mode) {
    const TDateTime a = EncodeDate(2024, 3, 1);
    const TDateTime b = EncodeDate(2024, 3, 2);
    files_->Add("C:\\r1.pdf", 100, a, 1);
    files_->Add("C:\\r2.pdf", 100, a, 2);
    files_->Add("C:\\r3.pdf", 200, a, 3);
    files_->Add("C:\\r4.pdf", 100, b, 4);
    view_->OptionsView()->SetGroupByBox(false);
    nr_ = AddColumn("Nr.", "Sortkey", 46);
    datei_ = AddColumn("Datei", "Datei", 200);
    groesse_ = AddColumn("Größe", "Groesse", 114);
    datum_ = AddColumn("Datum", "Datum", 107);
    datum_->SetGroupIndex(0);
    groesse_->SetGroupIndex(1);
    view_->OptionsView()->SetGroupFooters(mode);
    count_ = view_->DataController()->Summary().DefaultGroupSummaryItems().AddItem(nr_, spFooter, skCount, "0");
    view_->DataController()->Groups().FullExpand();
    Calculate();
  }

  // The laid-out data row of a file key, or null.
  TlxGridDataRowViewInfo* DataRowOf(int32_t key) const {
    for (int32_t index = 0; index < Rows()->PartVisibleCount; ++index) {
      TlxGridDataRowViewInfo* row = Rows()->DataRow(index);
      if (row != nullptr && row->GridRecord()->GetDisplayText(nr_->Index()) == std::to_string(key))
        return row;
    }
    return nullptr;
  }

  static std::string CountText(TlxGridRowFooterViewInfo* footer) {
    if (footer->CellCount() != 1)
      return "no cell";
    std::string text;
    footer->Cells(0)->GetText(text);
    return text;
  }

  TlxDataSummaryItem* count_ = nullptr;
};

TEST_F(GroupFootersTest, FootersCloseEachGroupInnermostFirstIndentedToTheirLevel) {
  SetUpGroups(gfVisibleWhenExpanded);
  struct Case {
    int32_t key;
    std::vector<std::string> counts;  // innermost first
  };
  const Case cases[] = {{1, {}}, {2, {"2"}}, {3, {"1", "3"}}, {4, {"1", "1"}}};
  const int32_t indent = ViewInfo()->LevelIndent;
  ASSERT_GT(indent, 0);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.key);
    TlxGridDataRowViewInfo* row = DataRowOf(test.key);
    ASSERT_NE(row, nullptr);
    TlxGridRowFootersViewInfo* footers = row->FootersViewInfo();
    ASSERT_EQ(footers->Count(), static_cast<int32_t>(test.counts.size()));
    int32_t top = row->CellsAreaBounds.Bottom;
    for (int32_t index = 0; index < footers->Count(); ++index) {
      TlxGridRowFooterViewInfo* footer = footers->Items(index);
      EXPECT_EQ(CountText(footer), test.counts[static_cast<size_t>(index)]) << index;
      // The inner group's footer is indented by two levels, the outer by one.
      EXPECT_EQ(footer->BoundsRect.Left, row->BoundsRect.Left + (2 - index) * indent) << index;
      EXPECT_EQ(footer->BoundsRect.Right, row->BoundsRect.Right) << index;
      EXPECT_EQ(footer->BoundsRect.Top, top) << index;
      // No separator: border, one line, border.
      EXPECT_EQ(footer->BoundsRect.Height(), 1 + footer->LineHeight() + 1) << index;
      top = footer->BoundsRect.Bottom;
    }
    EXPECT_EQ(top, row->BoundsRect.Bottom);
    EXPECT_EQ(row->BoundsRect.Height(), Rows()->DataRowHeight + footers->GetHeight());
  }
  // The count lies under its column, inside the footer's border.
  TlxGridRowFooterViewInfo* inner = DataRowOf(2)->FootersViewInfo()->Items(0);
  TlxGridFooterCellViewInfo* cell = inner->Cells(0);
  EXPECT_EQ(cell->BoundsRect.Left, inner->BoundsRect.Left + 1 + 1);
  EXPECT_EQ(cell->BoundsRect.Right, Header()->GetItem(nr_->VisibleIndex())->BoundsRect.Right - 1);
  auto* hit = dynamic_cast<TlxGridGroupFooterCellHitTest*>(HitTestAt(cell->BoundsRect.Left + 2, cell->BoundsRect.Top + 2));
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->Column, nr_);
  EXPECT_EQ(hit->SummaryItem, count_);
  TlxCustomGridHitTest* border = HitTestAt(inner->BoundsRect.Right - 1, inner->BoundsRect.Top);
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(border->ClassType(), &TlxGridGroupFooterHitTest::kClass);
  // Group footers are the rows' own: the view's parts do not list them.
  for (int32_t index = 0; index < ViewInfo()->PartCount(); ++index)
    EXPECT_EQ(dynamic_cast<TlxGridRowFooterViewInfo*>(ViewInfo()->Parts(index)), nullptr);
}

TEST_F(GroupFootersTest, InvisibleAndAlwaysVisibleModes) {
  SetUpGroups(gfInvisible);
  EXPECT_EQ(DataRowOf(3)->FootersViewInfo()->Count(), 0);
  EXPECT_EQ(DataRowOf(3)->BoundsRect.Height(), Rows()->DataRowHeight);

  // Always visible counts the footer levels from 1: the row that closes
  // both groups has levels 1 (the inner group) and 2 (the outer).
  view_->OptionsView()->SetGroupFooters(gfAlwaysVisible);
  Calculate();
  TlxGridRowFootersViewInfo* footers = DataRowOf(3)->FootersViewInfo();
  ASSERT_EQ(footers->Count(), 2);
  EXPECT_EQ(footers->Items(0)->Level(), 1);
  EXPECT_EQ(footers->Items(1)->Level(), 2);
  EXPECT_EQ(footers->Items(0)->GroupLevel(), 1);
  EXPECT_EQ(footers->Items(1)->GroupLevel(), 0);

  // A grouped column without group footers closes none.
  view_->OptionsView()->SetGroupFooters(gfVisibleWhenExpanded);
  groesse_->Options()->SetGroupFooters(false);
  Calculate();
  footers = DataRowOf(3)->FootersViewInfo();
  ASSERT_EQ(footers->Count(), 1);
  EXPECT_EQ(footers->Items(0)->GroupLevel(), 0);
}

}  // namespace grid_footers_win_test
