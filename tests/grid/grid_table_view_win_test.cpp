// The table view's model on a real grid: option defaults, clamps and the
// kind of change each setter reports, the selection rules, the stored and
// older stored names, the preview column, style resolution order, the
// column summary, and the rows (filter row, group rows, keys, kinds).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "data/data_summary.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/text_edit_control_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_table_view_stand_in_win.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/styles/styles_win.h"

namespace grid_table_view_win_test {

using grid_table_view_stand_in::TStandInTableView;

constexpr uint16_t kKeyEscape = 27;
constexpr uint16_t kKeyLeft = 37;
constexpr uint16_t kKeyRight = 39;

class TableViewModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 500, 360);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 400, 250);
    view_ = lxCreateGridView<TStandInTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    nr_ = AddColumn("Nr.", lxValueTypeClass<TlxIntegerValueType>());
    datei_ = AddColumn("Datei", lxValueTypeClass<TlxStringValueType>());
    form_->Show();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, 400, 250));
    test_support::PumpMessagesUntilIdle();
    view_->changes.clear();
  }

  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  TlxGridColumn* AddColumn(const std::string& caption, TlxValueTypeClass type) {
    TlxGridColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetValueTypeClass(type);
    return column;
  }

  void AddRows(const std::vector<std::pair<int32_t, std::string>>& rows) {
    TlxCustomDataController* controller = view_->DataController();
    TUpdateScope update(*controller);
    for (const auto& [nr, datei] : rows) {
      const int32_t record = controller->AppendRecord();
      controller->SetValue(record, nr_->Index(), Variant(nr));
      controller->SetValue(record, datei_->Index(), Variant(datei));
    }
  }

  TlxFilterCriteriaItem* FilterOf(TlxGridColumn* column) {
    return view_->DataController()->Filter().ItemForLink(column);
  }

  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TStandInTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridColumn* nr_ = nullptr;
  TlxGridColumn* datei_ = nullptr;
};

TEST_F(TableViewModelTest, OptionsStartAtTheirDefaults) {
  TlxGridTableOptionsView* view = view_->OptionsView();
  TlxGridTableOptionsCustomize* customize = view_->OptionsCustomize();
  TlxGridTableOptionsBehavior* behavior = view_->OptionsBehavior();
  TlxGridTableOptionsSelection* selection = view_->OptionsSelection();
  const std::vector<std::pair<const char*, bool>> flags = {
      {"ColumnHeaderHints", behavior->ColumnHeaderHints()},
      {"CopyPreviewToClipboard", behavior->CopyPreviewToClipboard()},
      {"ExpandMasterRowOnDblClick", behavior->ExpandMasterRowOnDblClick()},
      {"ColumnFiltering", customize->ColumnFiltering()},
      {"ColumnHidingOnGrouping", customize->ColumnHidingOnGrouping()},
      {"ColumnHorzSizing", customize->ColumnHorzSizing()},
      {"!DataRowSizing", !customize->DataRowSizing()},
      {"!GroupBySorting", !customize->GroupBySorting()},
      {"!CellMultiSelect", !selection->CellMultiSelect()},
      {"CellSelect", selection->CellSelect()},
      {"!ColumnAutoWidth", !view->ColumnAutoWidth()},
      {"ExpandButtonsForEmptyDetails", view->ExpandButtonsForEmptyDetails()},
      {"!Footer", !view->Footer()},
      {"GroupByBox", view->GroupByBox()},
      {"Header", view->Header()},
      {"!Indicator", !view->Indicator()},
      {"!FilterRow.Visible", !view_->FilterRow()->Visible()},
      {"!NewItemRow.Visible", !view_->NewItemRow()->Visible()},
      {"Preview.AutoHeight", view_->Preview()->AutoHeight()},
      {"!Preview.Visible", !view_->Preview()->Visible()},
      {"column GroupFooters", datei_->Options()->GroupFooters()},
      {"column HorzSizing", datei_->Options()->HorzSizing()},
      {"!column CellMerging", !datei_->Options()->CellMerging()},
  };
  for (const auto& [name, value] : flags)
    EXPECT_TRUE(value) << name;
  EXPECT_EQ(view->IndicatorWidth(), 12);
  EXPECT_EQ(view->GridLines(), glBoth);
  EXPECT_EQ(view->GroupFooters(), gfInvisible);
  EXPECT_EQ(view->GroupRowStyle(), grsStandard);
  EXPECT_EQ(view->GridLineColor(), clDefault);
  EXPECT_EQ(view->GetGridLineColor(), view_->LookAndFeelPainter()->GetDefaultGridLineColor());
  EXPECT_EQ(view_->FilterRow()->SeparatorWidth(), 6);
  EXPECT_EQ(view_->FilterRow()->InfoText(), "Click here to define a filter");
  EXPECT_EQ(view_->NewItemRow()->InfoText(), "Click here to add a new row");
  EXPECT_EQ(view_->FilterRow()->GetSeparatorColor(), view_->LookAndFeelPainter()->GetDefaultHeaderColor());
  EXPECT_EQ(view_->FilterRow()->ApplyChanges(), fracOnCellExit);
  EXPECT_EQ(view_->Preview()->LeftIndent(), 20);
  EXPECT_EQ(view_->Preview()->RightIndent(), 5);
  EXPECT_EQ(view_->Preview()->MaxLineCount(), 3);
  EXPECT_EQ(view_->DateTimeHandling()->Grouping(), dtgByDateAndTime);
  EXPECT_EQ(datei_->MinWidth(), 20);
  EXPECT_EQ(datei_->HeaderGlyphAlignmentVert(), vaCenter);
  EXPECT_EQ(view_->GetLayoutCustomizationCaption(), "Columns customization");
}

TEST_F(TableViewModelTest, SettersClampAndReportTheirKindOfChange) {
  struct Case {
    const char* name;
    std::function<void(TlxGridTableView&)> set;
    std::function<int32_t(TlxGridTableView&)> read;
    int32_t expected;
    std::vector<TlxGridViewChangeKind> changes;
  };
  const int32_t min_row = view_->MinDataRowHeight();
  ASSERT_GT(min_row, 1);
  const Case cases[] = {
      {"SeparatorWidth 1", [](auto& v) { v.FilterRow()->SetSeparatorWidth(1); },
       [](auto& v) { return v.FilterRow()->SeparatorWidth(); }, 2, {vckSize}},
      {"IndicatorWidth -5", [](auto& v) { v.OptionsView()->SetIndicatorWidth(-5); },
       [](auto& v) { return v.OptionsView()->IndicatorWidth(); }, 0, {vckSize}},
      {"DataRowHeight -3", [](auto& v) { v.OptionsView()->SetDataRowHeight(-3); },
       [](auto& v) { return v.OptionsView()->DataRowHeight(); }, 0, {}},
      {"DataRowHeight 1", [](auto& v) { v.OptionsView()->SetDataRowHeight(1); },
       [](auto& v) { return v.OptionsView()->DataRowHeight(); }, min_row, {vckSize}},
      {"HeaderHeight -1", [](auto& v) { v.OptionsView()->SetHeaderHeight(-1); },
       [](auto& v) { return v.OptionsView()->HeaderHeight(); }, 0, {}},
      {"RowSeparatorWidth 3", [](auto& v) { v.OptionsView()->SetRowSeparatorWidth(3); },
       [](auto& v) { return v.OptionsView()->RowSeparatorWidth(); }, 3, {vckSize}},
      {"GridLineColor", [](auto& v) { v.OptionsView()->SetGridLineColor(clRed); },
       [](auto& v) { return v.OptionsView()->GetGridLineColor(); }, clRed, {vckLayout}},
      {"ColumnHeaderHints", [](auto& v) { v.OptionsBehavior()->SetColumnHeaderHints(false); },
       [](auto& v) { return int32_t{v.OptionsBehavior()->ColumnHeaderHints()}; }, 0, {vckProperty}},
      {"ColumnHorzSizing", [](auto& v) { v.OptionsCustomize()->SetColumnHorzSizing(false); },
       [](auto& v) { return int32_t{v.OptionsCustomize()->ColumnHorzSizing()}; }, 0, {vckLayout}},
      {"hidden Preview.LeftIndent -1", [](auto& v) { v.Preview()->SetLeftIndent(-1); },
       [](auto& v) { return v.Preview()->LeftIndent(); }, 0, {vckProperty}},
      {"InfoText", [](auto& v) { v.NewItemRow()->SetInfoText("Neu"); },
       [](auto& v) { return int32_t{v.NewItemRow()->IsInfoTextStored()}; }, 1, {vckLayout}},
      {"Footer same value", [](auto& v) { v.OptionsView()->SetFooter(false); },
       [](auto& v) { return int32_t{v.OptionsView()->Footer()}; }, 0, {}},
  };
  for (const Case& c : cases) {
    view_->changes.clear();
    c.set(*view_);
    EXPECT_EQ(c.read(*view_), c.expected) << c.name;
    EXPECT_EQ(view_->changes, c.changes) << c.name;
  }
  // A preview that shows reports its settings as size changes.
  view_->Preview()->SetColumn(datei_);
  view_->Preview()->SetVisible(true);
  view_->changes.clear();
  view_->Preview()->SetMaxLineCount(-2);
  EXPECT_EQ(view_->Preview()->MaxLineCount(), 0);
  EXPECT_EQ(view_->changes, (std::vector<TlxGridViewChangeKind>{vckSize}));
  EXPECT_THROW(view_->OptionsView()->SetGridLines(static_cast<TlxGridLines>(9)), EPropertyConvertError);
  EXPECT_EQ(view_->OptionsView()->GridLines(), glBoth);
}

TEST_F(TableViewModelTest, CellMultiSelectForcesTheOtherSelectionOptions) {
  TlxGridTableOptionsSelection* selection = view_->OptionsSelection();
  selection->SetCellSelect(false);
  selection->SetInvertSelect(false);
  selection->SetMultiSelect(true);
  selection->SetCellMultiSelect(true);
  EXPECT_TRUE(selection->CellSelect());
  EXPECT_FALSE(selection->InvertSelect());
  EXPECT_TRUE(selection->MultiSelect());
  // While on, the values it forces cannot be undone nor are they stored.
  selection->SetCellSelect(false);
  selection->SetInvertSelect(true);
  selection->SetMultiSelect(false);
  EXPECT_TRUE(selection->CellSelect());
  EXPECT_FALSE(selection->InvertSelect());
  EXPECT_TRUE(selection->MultiSelect());
  EXPECT_FALSE(selection->IsCellSelectStored());
  EXPECT_FALSE(selection->IsMultiSelectStored());

  selection->SetCellMultiSelect(false);
  EXPECT_FALSE(selection->MultiSelect());
  EXPECT_TRUE(selection->InvertSelect());
  EXPECT_TRUE(selection->CellSelect());
}

TEST_F(TableViewModelTest, GroupBySortingClearsGroupingAndSorting) {
  AddRows({{1, "b"}, {2, "a"}, {3, "b"}});
  ASSERT_TRUE(datei_->GroupBy(0));
  nr_->SetSortOrder(soDescending);
  ASSERT_EQ(view_->GroupedColumnCount(), 1);
  EXPECT_FALSE(datei_->Visible());  // hidden on grouping
  ASSERT_EQ(nr_->SortOrder(), soDescending);

  view_->OptionsCustomize()->SetGroupBySorting(true);
  EXPECT_EQ(view_->GroupedColumnCount(), 0);
  EXPECT_EQ(view_->SortedColumnCount(), 0);
  EXPECT_TRUE(datei_->Visible());
  EXPECT_EQ(nr_->SortOrder(), soNone);
}

TEST_F(TableViewModelTest, ThePreviewColumnLeavesTheHeaderPanelEvenWhileHidden) {
  ASSERT_EQ(view_->VisibleColumnCount(), 2);
  view_->Preview()->SetColumn(datei_);
  EXPECT_FALSE(view_->Preview()->Visible());
  EXPECT_TRUE(datei_->IsPreview());
  EXPECT_FALSE(datei_->Visible());
  EXPECT_EQ(view_->VisibleColumnCount(), 1);
  EXPECT_FALSE(view_->Preview()->Active());
  EXPECT_TRUE(view_->CanCellMerging());

  view_->Preview()->SetVisible(true);
  EXPECT_TRUE(view_->Preview()->Active());
  EXPECT_FALSE(view_->CanCellMerging());
  EXPECT_FALSE(view_->HasEqualHeightRecords());

  view_->Preview()->SetColumn(nullptr);
  EXPECT_TRUE(datei_->Visible());
  EXPECT_EQ(view_->VisibleColumnCount(), 2);

  // Freeing the preview column clears the preview's column.
  view_->Preview()->SetColumn(datei_);
  delete datei_;
  EXPECT_EQ(view_->Preview()->Column(), nullptr);
}

TEST_F(TableViewModelTest, StoredPropertiesConvertBeforeAnythingChanges) {
  struct Case {
    Variant value;
    TlxGridGroupFootersMode expected;
  };
  const Case cases[] = {{Variant("True"), gfVisibleWhenExpanded},
                        {Variant("FALSE"), gfInvisible},
                        {Variant(2), gfAlwaysVisible},
                        {Variant(1), gfVisibleWhenExpanded}};
  for (const Case& c : cases) {
    view_->SetStoredPropertyValue("GroupFooters", c.value);
    EXPECT_EQ(view_->OptionsView()->GroupFooters(), c.expected) << VarToStr(c.value);
  }
  view_->OptionsView()->SetGroupFooters(gfAlwaysVisible);
  for (const Variant& bad : {Variant("maybe"), Variant(3), Variant(-1)}) {
    EXPECT_THROW(view_->SetStoredPropertyValue("GroupFooters", bad), EPropertyConvertError) << VarToStr(bad);
    EXPECT_EQ(view_->OptionsView()->GroupFooters(), gfAlwaysVisible);
  }
  Variant value;
  view_->GetStoredPropertyValue("GroupFooters", value);
  EXPECT_EQ(value.AsInteger(), 2);

  datei_->SetWidth(150);
  datei_->SetStoredPropertyValue("Width", Variant(90));
  EXPECT_EQ(datei_->Width(), 90);
  EXPECT_THROW(datei_->SetStoredPropertyValue("Width", Variant("breit")), EPropertyConvertError);
  EXPECT_EQ(datei_->Width(), 90);
  EXPECT_THROW(datei_->SetStoredPropertyValue("GroupIndex", Variant("erste")), EPropertyConvertError);
  EXPECT_EQ(datei_->GroupIndex(), -1);

  view_->SetStoredPropertyValue("NewItemRow", Variant("TRUE"));
  EXPECT_TRUE(view_->NewItemRow()->Visible());
  EXPECT_NE(view_->GetViewData()->NewItemRecord(), nullptr);
}

// A reader that hands one stored value to the property of the given name,
// as the form reader does for a name the class does not publish.
class TOneValueReader : public TReader {
 public:
  TOneValueReader(TStream& stream, std::string name) : TReader(stream), name_(std::move(name)) {}
  void DefineProperty(const std::string& name, const TReaderProc& read, const TWriterProc& /*write*/,
                      bool /*has_data*/) override {
    if (name == name_ && read) {
      found = true;
      read(*this);
    }
  }
  bool found = false;

 private:
  std::string name_;
};

template <class Write>
void ReadOlderName(TPersistent& target, const std::string& name, Write write) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    write(writer);
  }
  stream.SetPosition(0);
  TOneValueReader reader(stream, name);
  target.DefineProperties(reader);
  EXPECT_TRUE(reader.found) << name;
}

TEST_F(TableViewModelTest, OlderStoredNamesGoToTheNewItemRow) {
  TlxGridTableOptionsView& options = *view_->OptionsView();
  ReadOlderName(options, "NewItemRowSeparatorColor", [](TWriter& w) { w.WriteIdent("clRed"); });
  EXPECT_EQ(view_->NewItemRow()->SeparatorColor(), clRed);
  ReadOlderName(options, "NewItemRowSeparatorColor", [](TWriter& w) { w.WriteInteger(0x00112233); });
  EXPECT_EQ(view_->NewItemRow()->SeparatorColor(), 0x00112233);
  // An identifier that names no colour: the conversion error, nothing set.
  EXPECT_THROW(
      ReadOlderName(options, "NewItemRowSeparatorColor", [](TWriter& w) { w.WriteIdent("clNichtDa"); }),
      EConvertError);
  EXPECT_EQ(view_->NewItemRow()->SeparatorColor(), 0x00112233);

  ReadOlderName(options, "NewItemRowSeparatorWidth", [](TWriter& w) { w.WriteInteger(1); });
  EXPECT_EQ(view_->NewItemRow()->SeparatorWidth(), 2);
  ReadOlderName(options, "NewItemRowInfoText", [](TWriter& w) { w.WriteString("Neue Zeile"); });
  EXPECT_EQ(view_->NewItemRow()->InfoText(), "Neue Zeile");
  ReadOlderName(options, "NewItemRow", [](TWriter& w) { w.WriteBoolean(true); });
  EXPECT_TRUE(view_->NewItemRow()->Visible());

  TlxGridTableFiltering& filtering = *view_->Filtering();
  ReadOlderName(filtering, "ColumnPopupDropDownWidth", [](TWriter& w) { w.WriteInteger(240); });
  EXPECT_EQ(filtering.ColumnPopup().DropDownWidth(), 240);
  ReadOlderName(filtering, "ColumnPopupMaxDropDownItemCount", [](TWriter& w) { w.WriteInteger(12); });
  EXPECT_EQ(filtering.ColumnPopup().MaxDropDownItemCount(), 12);
}

TEST_F(TableViewModelTest, StylesResolveHandlerThenAssignedStyleThenDefault) {
  TlxPainterClass painter = view_->LookAndFeelPainter();
  TlxPaintParams params;
  datei_->Styles()->GetHeaderParams(params);
  EXPECT_EQ(params.Color, painter->GetDefaultHeaderColor());

  auto* view_header = new TlxStyle(form_);
  view_header->SetColor(clRed);
  view_->Styles()->SetStyle(TlxGridTableViewStyles::kHeader, view_header);
  datei_->Styles()->GetHeaderParams(params);
  EXPECT_EQ(params.Color, clRed);

  auto* column_header = new TlxStyle(form_);
  column_header->SetColor(clBlue);
  datei_->Styles()->SetHeader(column_header);
  datei_->Styles()->GetHeaderParams(params);
  EXPECT_EQ(params.Color, clBlue);
  nr_->Styles()->GetHeaderParams(params);
  EXPECT_EQ(params.Color, clRed);

  auto* handed = new TlxStyle(form_);
  handed->SetColor(clLime);
  TlxStyle* answer = handed;
  view_->Styles()->SetOnGetHeaderStyle(
      [&answer](TlxGridTableView*, TlxGridColumn*, TlxStyle*& style) { style = answer; });
  view_->Styles()->GetHeaderParams(nr_, params);
  EXPECT_EQ(params.Color, clLime);
  answer = nullptr;  // a handler that returns none leaves the assigned style
  view_->Styles()->GetHeaderParams(nr_, params);
  EXPECT_EQ(params.Color, clRed);

  view_->Styles()->GetViewParams(TlxGridTableViewStyles::kIndicator, nullptr, nullptr, params);
  EXPECT_EQ(params.TextColor, painter->GetDefaultHeaderTextColor());
  view_->Styles()->GetViewParams(TlxGridTableViewStyles::kNewItemRowInfoText, nullptr, nullptr, params);
  EXPECT_EQ(params.TextColor, clGrayText);
}

TEST_F(TableViewModelTest, ASortedSummaryInAGroupFooterTakesTheGroupFooterSortedSummaryStyle) {
  nr_->Summary()->SetGroupFooterKind(skSum);
  TlxDataSummaryItem* item = nr_->Summary()->SummaryItem(TlxGridColumnSummary::kGroupFooter);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->ClassType(), &TlxGridTableSummaryItem::kClass);
  EXPECT_EQ(nr_->Summary()->GroupFooterKind(), skSum);
  nr_->Summary()->SetSortByGroupFooterSummary(true);
  ASSERT_TRUE(item->Sorted());

  auto* sorted = new TlxStyle(form_);
  sorted->SetColor(clYellow);
  view_->Styles()->SetStyle(TlxGridTableViewStyles::kGroupFooterSortedSummary, sorted);
  auto* footer = new TlxStyle(form_);
  footer->SetColor(clFuchsia);
  view_->Styles()->SetStyle(TlxGridTableViewStyles::kFooter, footer);

  TlxPaintParams params;
  view_->Styles()->GetFooterCellParams(nullptr, nr_, params, item, 0);
  EXPECT_EQ(params.Color, clYellow);
  view_->Styles()->GetFooterCellParams(nullptr, nr_, params, item, -1);
  EXPECT_EQ(params.Color, clFuchsia);
}

TEST_F(TableViewModelTest, Office11GroupRowsArePaintedOnTheWindowColour) {
  AddRows({{1, "a"}});
  TlxCustomGridRecord* record = view_->GetViewData()->Records(0);
  TlxPaintParams params;
  view_->Styles()->GetGroupParams(record, 0, params);
  EXPECT_EQ(params.Color, view_->LookAndFeelPainter()->GetDefaultGroupColor());
  view_->OptionsView()->SetGroupRowStyle(grsOffice11);
  view_->Styles()->GetGroupParams(record, 0, params);
  EXPECT_EQ(params.Color, clWindow);
}

TEST_F(TableViewModelTest, TheFilterRowTurnsValuesIntoConditions) {
  AddRows({{1, "a.pdf"}, {2, "b.pdf"}, {3, "ab.pdf"}});
  EXPECT_EQ(view_->GetViewData()->FilterRow(), nullptr);
  view_->FilterRow()->SetVisible(true);
  TlxGridFilterRow* row = view_->GetViewData()->FilterRow();
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(view_->GetViewData()->GetRecordByKind(grkFilterRow, 0), row);
  EXPECT_EQ(view_->GetViewData()->GetRecordKind(row), grkFilterRow);
  EXPECT_TRUE(row->IsFilterRow());

  row->SetValue(datei_->Index(), Variant("a.pdf"));
  ASSERT_NE(FilterOf(datei_), nullptr);
  EXPECT_EQ(FilterOf(datei_)->OperatorKind(), fokEqual);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 1);
  EXPECT_EQ(row->GetDisplayText(datei_->Index()), "a.pdf");

  row->SetValue(datei_->Index(), Variant("a%"));
  EXPECT_EQ(FilterOf(datei_)->OperatorKind(), fokLike);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 2);

  row->SetValue(nr_->Index(), Variant(3));
  EXPECT_EQ(FilterOf(nr_)->OperatorKind(), fokEqual);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 1);

  row->SetValue(datei_->Index(), Variant(""));
  EXPECT_EQ(FilterOf(datei_), nullptr);
  row->SetValue(nr_->Index(), Variant::Null());
  EXPECT_EQ(FilterOf(nr_), nullptr);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 3);

  // A condition the row cannot show leaves the cell empty.
  TlxDataFilterCriteria& filter = view_->DataController()->Filter();
  filter.Root().AddCondition(nr_, fokGreater, Variant(1), "1");
  EXPECT_EQ(row->FilterCriteriaItem(nr_->Index()), nullptr);
  EXPECT_TRUE(row->GetValue(nr_->Index()).IsNull());
  EXPECT_EQ(row->GetDisplayText(nr_->Index()), "");

  row->SetSelected(true);
  uint16_t key = kKeyEscape;
  row->KeyDown(key, TShiftState{});
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(row->GetSelected());

  view_->FilterRow()->SetVisible(false);
  EXPECT_EQ(view_->GetViewData()->FilterRow(), nullptr);
  EXPECT_EQ(view_->GetViewData()->GetRecordByKind(grkFilterRow, 0), nullptr);
}

TEST_F(TableViewModelTest, GroupRowsCaptionsKeysAndRowClasses) {
  AddRows({{1, "b"}, {2, "a"}, {3, "b"}});
  TlxGridViewData* data = view_->GetViewData();
  EXPECT_EQ(data->Records(0)->ClassType(), &TlxGridDataRow::kClass);
  EXPECT_THROW(static_cast<TlxCustomGridRow*>(data->Records(0))->AsMasterDataRow(), EInvalidCast);

  ASSERT_TRUE(datei_->GroupBy(0));
  ASSERT_EQ(data->RecordCount(), 2);
  auto* group = dynamic_cast<TlxGridGroupRow*>(data->Records(0));
  ASSERT_NE(group, nullptr);
  std::string caption;
  group->GetGroupCaption(caption);
  EXPECT_EQ(caption, "Datei : a");
  datei_->SetCaption("");
  group->GetGroupCaption(caption);
  EXPECT_EQ(caption, "a");

  // Left on a collapsed group row is left to the controller.
  uint16_t key = kKeyLeft;
  group->KeyDown(key, TShiftState{});
  EXPECT_EQ(key, kKeyLeft);
  key = kKeyRight;
  group->KeyDown(key, TShiftState{});
  EXPECT_EQ(key, 0);
  EXPECT_EQ(data->RecordCount(), 3);
  auto* expanded = dynamic_cast<TlxGridGroupRow*>(data->Records(0));
  ASSERT_NE(expanded, nullptr);
  EXPECT_TRUE(expanded->GetExpanded());
  EXPECT_EQ(data->Records(1)->ClassType(), &TlxGridDataRow::kClass);
  key = kKeyRight;
  expanded->KeyDown(key, TShiftState{});
  EXPECT_EQ(key, kKeyRight);
}

TEST_F(TableViewModelTest, GroupSummaryCellsAreCustomDrawnColumnFirstThenView) {
  std::vector<std::string> calls;
  bool column_done = true;
  nr_->SetOnCustomDrawGroupSummaryCell([&](TObject*, TlxCanvas*, TlxGridGroupRow*, TlxGridColumn*,
                                           TlxDataSummaryItem*, TlxCustomGridViewCellViewInfo*, bool& done) {
    calls.push_back("column");
    done = column_done;
  });
  view_->SetOnCustomDrawGroupSummaryCell([&](TObject*, TlxCanvas*, TlxGridGroupRow*, TlxGridColumn*,
                                             TlxDataSummaryItem*, TlxCustomGridViewCellViewInfo*, bool& done) {
    calls.push_back("view");
    done = true;
  });
  EXPECT_TRUE(TlxGridTableViewAccess::CustomDrawGroupSummaryCell(view_, nullptr, nullptr, nullptr, nr_, nullptr,
                                                                 true));
  EXPECT_TRUE(calls.empty());
  EXPECT_TRUE(TlxGridTableViewAccess::CustomDrawGroupSummaryCell(view_, nullptr, nullptr, nullptr, nr_, nullptr,
                                                                 false));
  EXPECT_EQ(calls, (std::vector<std::string>{"column"}));
  column_done = false;
  calls.clear();
  EXPECT_TRUE(TlxGridTableViewAccess::CustomDrawGroupSummaryCell(view_, nullptr, nullptr, nullptr, nr_, nullptr,
                                                                 false));
  EXPECT_EQ(calls, (std::vector<std::string>{"column", "view"}));
  EXPECT_TRUE(TlxGridTableViewAccess::HasAnyCustomDrawGroupSummaryCell(view_, datei_, false));
  view_->SetOnCustomDrawGroupSummaryCell(nullptr);
  EXPECT_FALSE(TlxGridTableViewAccess::HasAnyCustomDrawGroupSummaryCell(view_, datei_, false));
  EXPECT_TRUE(TlxGridTableViewAccess::HasAnyCustomDrawGroupSummaryCell(view_, nr_, false));
}

}  // namespace grid_table_view_win_test

namespace grid_table_view_win_test {

TEST_F(TableViewModelTest, AViewWithADetailLevelShowsMasterRows) {
  auto* detail_level = new TlxGridLevel(form_);
  detail_level->SetParentComponent(level_);
  ASSERT_TRUE(view_->HasDetails());
  AddRows({{1, "a"}, {2, "b"}});
  TlxGridViewData* data = view_->GetViewData();
  auto* row = dynamic_cast<TlxGridMasterDataRow*>(data->Records(0));
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->AsMasterDataRow(), row);
  EXPECT_FALSE(row->HasChildren());
  EXPECT_FALSE(row->GetExpanded());
  // An expand button even without detail data, until switched off.
  EXPECT_TRUE(row->GetExpandable());
  view_->OptionsView()->SetExpandButtonsForEmptyDetails(false);
  EXPECT_FALSE(row->GetExpandable());
  EXPECT_FALSE(row->ExpandsOnDblClick());
  EXPECT_FALSE(view_->HasEqualHeightRecords());
}

}  // namespace grid_table_view_win_test

namespace grid_table_view_win_test {

TEST_F(TableViewModelTest, TypingInTheFilterRowFiltersByPrefixWhenAppliedImmediately) {
  lxTextEditInitialize();
  TScopeExit finalize([] { lxTextEditFinalize(); });
  AddRows({{1, "abc.pdf"}, {2, "b.pdf"}, {3, "abd.pdf"}});
  view_->FilterRow()->SetVisible(true);
  view_->FilterRow()->SetApplyChanges(fracImmediately);
  ASSERT_TRUE(datei_->FilterRowUsesLike());
  EXPECT_FALSE(nr_->FilterRowUsesLike());
  datei_->SetFilterRowEditValue(Variant("ab"));
  ASSERT_NE(FilterOf(datei_), nullptr);
  EXPECT_EQ(FilterOf(datei_)->OperatorKind(), fokLike);
  EXPECT_EQ(VarToStr(FilterOf(datei_)->Value()), "ab%");
  EXPECT_EQ(view_->DataController()->GetRowCount(), 2);
  // The editor sees the text without the wildcard it did not type.
  EXPECT_EQ(VarToStr(datei_->GetFilterRowEditValue()), "ab");
  EXPECT_EQ(view_->Filtering()->MRUItems().GetCount(), 1);

  // Applied when the cell is left, the text is taken as typed.
  view_->FilterRow()->SetApplyChanges(fracOnCellExit);
  datei_->SetFilterRowEditValue(Variant("b.pdf"));
  EXPECT_EQ(FilterOf(datei_)->OperatorKind(), fokEqual);
  EXPECT_EQ(view_->DataController()->GetRowCount(), 1);
}

}  // namespace grid_table_view_win_test
