// The dataset-bound table view as the main window uses it: a real grid on
// a form over the client dataset of the file list, with the main window's
// settings; the print run's read in the shown order, the columns' defaults
// from their fields, CreateAllItems, the grid-mode answers, auto width with
// sizing against the neighbours, and best fit.
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_level_win.h"
#include "grid/grid_rows_win.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_table_view_stand_in_win.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace grid_db_table_view_win_test {

using grid_table_view_stand_in::TStandInDBTableView;

class FileListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->groesse->SetCurrency(true);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    view_ = lxCreateGridView<TStandInDBTableView>(form_);
    view_->SetName("tvDateien");
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    form_->Show();
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

  // The main window's view: its options, its data source and its four
  // columns with their stored widths.
  void UseMainWindowSettings() {
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
    groesse_ = AddColumn("Größe", "Groesse", 114);
    datum_ = AddColumn("Datum", "Datum", 107);
    Calculate();
  }

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field, int32_t width) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    column->SetWidth(width);
    return column;
  }

  void Calculate() {
    view_->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
  }

  void SetDatei(int32_t key, const std::string& path) {
    TClientDataSet* cds = files_->cds;
    for (cds->First(); !cds->Eof(); cds->Next()) {
      if (files_->sortkey->AsInteger() != key)
        continue;
      cds->Edit();
      files_->datei->SetAsString(path);
      cds->Post();
      return;
    }
  }

  // The print run: inside one data controller bracket, the record count,
  // then each record of the view data in row order.
  std::vector<std::string> PrintRunRead() {
    TlxCustomDataController* controller = view_->DataController();
    TUpdateScope bracket(*controller);
    std::vector<std::string> paths;
    for (int32_t i = 0; i < controller->GetRecordCount(); ++i)
      paths.push_back(VarToStr(view_->GetViewData()->Records(i)->GetValue(datei_->Index())));
    return paths;
  }

  int32_t TotalVisibleWidth() const {
    int32_t total = 0;
    for (int32_t i = 0; i < view_->VisibleColumnCount(); ++i)
      total += view_->VisibleColumns(i)->Width();
    return total;
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TStandInDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TlxGridDBColumn* groesse_ = nullptr;
  TlxGridDBColumn* datum_ = nullptr;
};

TEST_F(FileListViewTest, ThePrintRunReadsTheRowsInTheShownOrder) {
  UseMainWindowSettings();
  files_->Add("C:\\b.pdf", 200, EncodeDate(2024, 1, 2), 1);
  files_->Add("C:\\c.pdf", 300, EncodeDate(2024, 1, 3), 2);
  files_->Add("C:\\a.pdf", 100, EncodeDate(2024, 1, 1), 3);
  EXPECT_EQ(PrintRunRead(), (std::vector<std::string>{"C:\\b.pdf", "C:\\c.pdf", "C:\\a.pdf"}));

  datei_->SetSortOrder(soAscending);
  EXPECT_EQ(PrintRunRead(), (std::vector<std::string>{"C:\\a.pdf", "C:\\b.pdf", "C:\\c.pdf"}));
  groesse_->SetSortOrder(soDescending);
  datei_->SetSortOrder(soNone);
  EXPECT_EQ(PrintRunRead(), (std::vector<std::string>{"C:\\c.pdf", "C:\\b.pdf", "C:\\a.pdf"}));

  // A change in the dataset reaches the rows; the order follows it.
  datei_->SetSortOrder(soAscending);
  groesse_->SetSortOrder(soNone);
  SetDatei(3, "C:\\z.pdf");
  EXPECT_EQ(PrintRunRead(), (std::vector<std::string>{"C:\\b.pdf", "C:\\c.pdf", "C:\\z.pdf"}));
  // Only data rows in the file list.
  for (int32_t i = 0; i < view_->GetViewData()->RecordCount(); ++i)
    EXPECT_EQ(view_->GetViewData()->Records(i)->ClassType(), &TlxGridDataRow::kClass);
}

TEST_F(FileListViewTest, ColumnsTakeCaptionWidthAndEditorKindFromTheirField) {
  view_->DataController()->SetDataSource(files_->source);
  TlxGridDBColumn* unbound = view_->CreateColumn();
  EXPECT_EQ(unbound->Caption(), "");
  EXPECT_EQ(unbound->Width(), 64);

  unbound->DataBinding()->SetFieldName("Datei");
  EXPECT_EQ(unbound->DataBinding()->Field(), files_->datei);
  EXPECT_EQ(unbound->Caption(), "Datei");
  TlxCanvas& canvas = view_->ViewInfo()->Canvas();
  TlxPaintParams params;
  unbound->Styles()->GetContentParams(nullptr, params);
  if (params.Font != nullptr)
    canvas.Font().Assign(params.Font);
  EXPECT_EQ(unbound->Width(), canvas.MeasureTextWidth("0") * files_->datei->DisplayWidth() + 4);

  UseMainWindowSettings();
  struct Case {
    TlxGridDBColumn* column;
    const TClass* item_class;
  };
  const Case cases[] = {{nr_, &TlxEditRepositoryMaskItem::kClass},
                        {datei_, &TlxEditRepositoryMaskItem::kClass},
                        {groesse_, &TlxEditRepositoryCurrencyItem::kClass},
                        {datum_, &TlxEditRepositoryDateItem::kClass}};
  for (const Case& c : cases) {
    TlxEditRepositoryItem* item = c.column->DataBinding()->GetDefaultRepositoryItem();
    ASSERT_NE(item, nullptr) << c.column->Caption();
    EXPECT_EQ(item->ClassType(), c.item_class) << c.column->Caption();
  }
  // A bound column takes its value type from the field and does not store it.
  EXPECT_FALSE(datei_->DataBinding()->IsValueTypeStored());
  EXPECT_TRUE(view_->CreateColumn()->DataBinding()->IsValueTypeStored());
}

TEST_F(FileListViewTest, CreateAllItemsMakesOneColumnPerFieldOnce) {
  files_->datum->SetVisible(false);
  view_->DataController()->SetDataSource(files_->source);
  EXPECT_FALSE(view_->DataController()->HasAllItems());
  view_->DataController()->CreateAllItems(false);
  ASSERT_EQ(view_->ColumnCount(), 4);
  EXPECT_TRUE(view_->DataController()->HasAllItems());
  const std::vector<std::string> fields{"Datei", "Groesse", "Datum", "Sortkey"};
  for (int32_t i = 0; i < 4; ++i) {
    auto* column = static_cast<TlxGridDBColumn*>(view_->Columns(i));
    EXPECT_EQ(column->DataBinding()->FieldName(), fields[static_cast<size_t>(i)]);
    EXPECT_EQ(column->Name(), "tvDateien" + fields[static_cast<size_t>(i)]);
  }
  EXPECT_FALSE(view_->Columns(2)->Visible());
  EXPECT_TRUE(view_->Columns(0)->Visible());

  view_->DataController()->CreateAllItems(true);
  EXPECT_EQ(view_->ColumnCount(), 4);
  delete view_->Columns(1);
  EXPECT_FALSE(view_->DataController()->HasAllItems());
  view_->DataController()->CreateAllItems(true);
  EXPECT_EQ(view_->ColumnCount(), 4);
  EXPECT_NE(view_->GetColumnByFieldName("groesse"), nullptr);

  view_->DataController()->DeleteAllItems();
  EXPECT_EQ(view_->ColumnCount(), 0);
  EXPECT_EQ(view_->NextID(), 0);
}

TEST_F(FileListViewTest, OutsideGridModeTheScrollingAnswersLeaveEverythingToTheGrid) {
  UseMainWindowSettings();
  files_->AddRows(5);
  TlxGridDBDataController* controller = view_->DataController();
  controller->ChangeFocusedRowIndex(2);
  EXPECT_FALSE(controller->IsSequencedScrolling());
  EXPECT_FALSE(controller->DoScroll(true));
  EXPECT_FALSE(controller->DoScrollPage(false));
  EXPECT_FALSE(controller->SetScrollBarPos(0));
  EXPECT_EQ(controller->GetScrollBarPos(), -1);
  EXPECT_EQ(controller->GetScrollBarRecordCount(), -1);
  EXPECT_EQ(controller->FocusedRowIndex(), 2);
}

TEST_F(FileListViewTest, ChangingTheFieldNameForgetsTheRecentFilterValues) {
  UseMainWindowSettings();
  TlxGridFilterMRUValueItems* recent = datei_->DataBinding()->FilterMRUValueItems();
  ASSERT_NE(recent, nullptr);
  recent->AddValue(Variant("C:\\a.pdf"), "C:\\a.pdf");
  datei_->DataBinding()->SetFieldName("Datei");
  EXPECT_EQ(recent->GetCount(), 1);
  datei_->DataBinding()->SetFieldName("Sortkey");
  EXPECT_EQ(recent->GetCount(), 0);
  EXPECT_EQ(datei_->DataBinding()->Field(), files_->sortkey);
}

TEST_F(FileListViewTest, ViewKindsAreRegisteredNonDatasetKindsFirst) {
  TlxGridRegisteredViews& views = TlxGridRegisteredViews::Instance();
  const int32_t table = views.IndexOf(&TlxGridTableView::kClass);
  const int32_t db_table = views.IndexOf(&TlxGridDBTableView::kClass);
  ASSERT_GE(table, 0);
  ASSERT_GE(db_table, 0);
  EXPECT_EQ(views.DescriptionOf(table), "Table");
  EXPECT_EQ(views.DescriptionOf(db_table), "DB Table");
  EXPECT_LT(table, db_table);
}

TEST_F(FileListViewTest, SizingAColumnUnderAutoWidthTakesTheWidthFromItsRightNeighbours) {
  UseMainWindowSettings();
  const int32_t available = view_->AutoWidthAvailableWidth();
  ASSERT_GT(available, 0);
  view_->StoreColumnAutoWidths();
  EXPECT_EQ(TotalVisibleWidth(), available);
  // The stored widths keep the proportions 46 : 389 : 114 : 107.
  EXPECT_NEAR(datei_->Width() * 46.0 / 389.0, nr_->Width(), 1.0);

  const int32_t first = nr_->Width();
  const int32_t third = groesse_->Width();
  const int32_t fourth = datum_->Width();
  const int32_t second = datei_->Width() - 60;
  datei_->ForceWidth(second);
  EXPECT_EQ(nr_->Width(), first);
  EXPECT_EQ(datei_->Width(), second);
  EXPECT_GT(groesse_->Width(), third);
  EXPECT_GT(datum_->Width(), fourth);
  EXPECT_EQ(TotalVisibleWidth(), available);
}

TEST_F(FileListViewTest, AColumnWithoutHorzSizingIsFixedAndCannotBeSized) {
  UseMainWindowSettings();
  groesse_->Options()->SetHorzSizing(false);
  EXPECT_TRUE(view_->OptionsCustomize()->ColumnHorzSizing());
  EXPECT_FALSE(groesse_->CanHorzSize());
  EXPECT_TRUE(datei_->CanHorzSize());
  const int32_t fixed = groesse_->Width();
  datei_->ForceWidth(datei_->Width() + 40);
  EXPECT_EQ(groesse_->Width(), fixed);
  EXPECT_EQ(TotalVisibleWidth(), view_->AutoWidthAvailableWidth());
}

TEST_F(FileListViewTest, BestFitMeasuresTheWidestTextHeaderAndGridLine) {
  UseMainWindowSettings();
  view_->OptionsView()->SetColumnAutoWidth(false);
  files_->Add("C:\\ein\\recht\\langer\\Pfad\\zu\\einer\\Datei.pdf", 100, EncodeDate(2024, 1, 1), 1);
  files_->Add("C:\\kurz.pdf", 100, EncodeDate(2024, 1, 1), 2);
  TlxCanvas& canvas = view_->ViewInfo()->Canvas();
  TlxPaintParams params;
  datei_->Styles()->GetContentParams(nullptr, params);
  if (params.Font != nullptr)
    canvas.Font().Assign(params.Font);
  const int32_t text = canvas.MeasureTextWidth("C:\\ein\\recht\\langer\\Pfad\\zu\\einer\\Datei.pdf");
  datei_->ApplyBestFit();
  // Two text margins and the grid line at the cell's right.
  EXPECT_EQ(datei_->Width(), text + 4 + 1);

  view_->OptionsView()->SetGridLines(glHorizontal);
  datei_->ApplyBestFit();
  EXPECT_EQ(datei_->Width(), text + 4);

  datei_->SetBestFitMaxWidth(120);
  datei_->ApplyBestFit();
  EXPECT_EQ(datei_->Width(), 120);

  // A short column is at least as wide as its header caption.
  nr_->SetCaption("Eine sehr lange Überschrift");
  nr_->ApplyBestFit();
  EXPECT_GT(nr_->Width(), canvas.MeasureTextWidth("Eine sehr lange Überschrift"));
}

}  // namespace grid_db_table_view_win_test
