// The table view's model half on a real grid: the grid data controller and
// its "Data" property, records as the print run reads them, the item list
// with its IDs and order, the clipboard text, option defaults and the
// stored-object rules that guard restored values.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/table_filtering.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/message_pump.h"

namespace table_view_win_test {

using grid_test_view::TTestViewInfoCache;

// The framework's view info as it is: the table view's own lays out
// records, which this model half does not need.
class TTableViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TTableViewInfo", &TlxCustomGridViewInfo::kClass,
                                 &ConstructInstance<TTableViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;
};

int g_live_records = 0;

class TTableItem : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TTableItem", &TlxCustomGridTableItem::kClass, &ConstructInstance<TTableItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableItem(TComponent* owner) : TlxCustomGridTableItem(owner) {}
};

class TTableRecord : public TlxCustomGridRecord {
 public:
  static constexpr TClass kClass{"TTableRecord", &TlxCustomGridRecord::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TTableRecord(TlxCustomGridTableViewData* data, const TlxRowInfo& info, int32_t index)
      : TlxCustomGridRecord(data, info, index) {
    ++g_live_records;
  }
  ~TTableRecord() override { --g_live_records; }
  bool GetHasCells() const override { return true; }
  const TClass* GetViewInfoCacheItemClass() const override { return &TlxCustomGridViewInfoCacheItem::kClass; }
  const TClass* GetViewInfoClass() const override { return &TlxCustomGridViewInfo::kClass; }
};

class TTableViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TTableViewData", &TlxCustomGridTableViewData::kClass,
                                 &ConstructInstance<TTableViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewData::TlxCustomGridTableViewData;
  const TClass* GetRecordClass(const TlxRowInfo& /*row_info*/) const override { return &TTableRecord::kClass; }

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* /*record_class*/, const TlxRowInfo& row_info,
                                                           int32_t index) override {
    return std::make_unique<TTableRecord>(this, row_info, index);
  }
};

class TTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TTableView", &TlxCustomGridTableView::kClass, &lxConstructGridView<TTableView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableView(TComponent* owner) : TlxCustomGridTableView(owner) {}

  const TClass* GetItemClass() const override { return &TTableItem::kClass; }
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxGridDataController::kClass; }
  const TClass* GetPainterClass() const override { return &TlxCustomGridPainter::kClass; }
  const TClass* GetViewDataClass() const override { return &TTableViewData::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TTestViewInfoCache::kClass; }
  const TClass* GetViewInfoClass() const override { return &TTableViewInfo::kClass; }
};

class TableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 300, 200);
    view_ = MakeView();
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    nr_ = AddItem("Nr.", lxValueTypeClass<TlxIntegerValueType>());
    datei_ = AddItem("Datei", lxValueTypeClass<TlxStringValueType>());
    form_->Show();
    view_->ViewInfo()->MainCalculate(TRect(0, 0, 200, 150));
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    // The editors' module end, as a program's would run: the default
    // editors the items used go before static destruction.
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  TTableView* MakeView() {
    TTableView* view = lxCreateGridView<TTableView>(form_);
    view->SetParentComponent(grid_);
    return view;
  }
  TlxCustomGridTableItem* AddItem(const std::string& caption, TlxValueTypeClass type, TTableView* view = nullptr) {
    TlxCustomGridTableItem* item = (view != nullptr ? view : view_)->CreateItem();
    item->SetCaption(caption);
    item->DataBinding()->SetValueTypeClass(type);
    return item;
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
  // The print run: one bracket, the record count, then every record's
  // value of the item, in row order.
  std::vector<std::string> PrintRunRead(TlxCustomGridTableItem* item) {
    TlxCustomDataController* controller = view_->DataController();
    TUpdateScope bracket(*controller);
    std::vector<std::string> values;
    for (int32_t i = 0; i < controller->GetRecordCount(); ++i)
      values.push_back(VarToStr(view_->ViewData()->Records(i)->GetValue(item->Index())));
    return values;
  }

  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxCustomGridTableItem* nr_ = nullptr;
  TlxCustomGridTableItem* datei_ = nullptr;
};

TEST_F(TableViewTest, ThePrintRunReadsRecordsInTheShownOrderAfterASortAndADataChange) {
  AddRows({{1, "c.pdf"}, {2, "a.pdf"}, {3, "b.pdf"}});
  datei_->SetSortOrder(soAscending);
  EXPECT_EQ(PrintRunRead(datei_), (std::vector<std::string>{"a.pdf", "b.pdf", "c.pdf"}));
  EXPECT_EQ(g_live_records, 3);

  // A data change drops every record; the next read makes them anew.
  view_->DataController()->SetValue(0, datei_->Index(), Variant("0.pdf"));
  EXPECT_EQ(g_live_records, 0);
  EXPECT_EQ(PrintRunRead(datei_), (std::vector<std::string>{"0.pdf", "a.pdf", "b.pdf"}));
  EXPECT_EQ(PrintRunRead(nr_), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(TableViewTest, RecordsAreMadeOnDemandAndOnlyInsideTheRows) {
  AddRows({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}});
  TlxCustomGridTableViewData* data = view_->ViewData();
  ASSERT_EQ(data->RecordCount(), 5);
  EXPECT_EQ(g_live_records, 0);

  EXPECT_EQ(data->Records(4)->Index(), 4);
  EXPECT_EQ(g_live_records, 1);
  EXPECT_EQ(data->GetRecordByIndex(-1), nullptr);
  EXPECT_EQ(data->GetRecordByIndex(5), nullptr);
  EXPECT_THROW(data->Records(5), EListError);
  EXPECT_EQ(g_live_records, 1);

  // By storage index, and none for a record filtered out of the rows.
  EXPECT_EQ(data->GetRecordByRecordIndex(2)->RecordIndex(), 2);
  TlxDataFilterCriteria& filter = view_->DataController()->Filter();
  filter.Root().AddCondition(nr_, fokGreater, Variant(3), "3");
  filter.SetActive(true);
  EXPECT_EQ(data->RecordCount(), 2);
  EXPECT_EQ(data->GetRecordByRecordIndex(0), nullptr);
  EXPECT_EQ(data->GetRecordByRecordIndex(4)->Index(), 1);
}

TEST_F(TableViewTest, RecordKeysAndInvalidationWithoutViewInfo) {
  AddRows({{1, "a"}});
  TlxCustomGridRecord* record = view_->ViewData()->Records(0);
  uint16_t key = 107;  // numeric-pad plus: a data row is not expandable
  record->KeyDown(key, {});
  EXPECT_EQ(key, 107);
  EXPECT_FALSE(record->Invalidate());
}

TEST_F(TableViewTest, ItemIDsAreGivenBackOnlyForTheLastOne) {
  TlxCustomGridTableItem* third = AddItem("Seiten", lxValueTypeClass<TlxIntegerValueType>());
  EXPECT_EQ(nr_->ID(), 0);
  EXPECT_EQ(datei_->ID(), 1);
  EXPECT_EQ(third->ID(), 2);

  delete third;
  EXPECT_EQ(AddItem("x", lxValueTypeClass<TlxStringValueType>())->ID(), 2);
  delete datei_;
  datei_ = nullptr;
  EXPECT_EQ(view_->NextID(), 3);
  EXPECT_EQ(view_->FindItemByID(1), nullptr);
}

TEST_F(TableViewTest, ValuesReadByItemIndexStayRightAfterMovesRemovalsAndAssign) {
  TlxCustomGridTableItem* seiten = AddItem("Seiten", lxValueTypeClass<TlxIntegerValueType>());
  TlxCustomGridTableItem* pfad = AddItem("Pfad", lxValueTypeClass<TlxStringValueType>());
  AddRows({{7, "a.pdf"}});
  view_->DataController()->SetValue(0, seiten->Index(), Variant(12));
  view_->DataController()->SetValue(0, pfad->Index(), Variant("C:\\"));
  auto row = [this] {
    std::vector<std::string> values;
    for (int32_t i = 0; i < view_->ItemCount(); ++i)
      values.push_back(VarToStr(view_->ViewData()->Records(0)->GetValue(i)));
    return values;
  };

  view_->ChangeItemIndex(pfad, -5);
  EXPECT_EQ(pfad->Index(), 0);
  view_->ChangeItemIndex(nr_, 99);
  EXPECT_EQ(nr_->Index(), 3);
  EXPECT_EQ(row(), (std::vector<std::string>{"C:\\", "a.pdf", "12", "7"}));
  EXPECT_EQ(view_->VisibleItems(0), pfad);

  delete seiten;
  EXPECT_EQ(row(), (std::vector<std::string>{"C:\\", "a.pdf", "7"}));

  // Assign takes the source's items by ID and in its order.
  TTableView* copy = MakeView();
  copy->Assign(view_);
  ASSERT_EQ(copy->ItemCount(), 3);
  EXPECT_EQ(copy->Items(0)->ID(), pfad->ID());
  EXPECT_EQ(copy->Items(0)->Caption(), "Pfad");
  EXPECT_EQ(copy->Items(2)->Caption(), "Nr.");
  EXPECT_EQ(copy->NextID(), view_->NextID());
}

TEST_F(TableViewTest, GroupIndexesParkedWhileAssigningApplyInIndexOrder) {
  view_->BeginAssignItems();
  datei_->SetGroupIndex(1);
  nr_->SetGroupIndex(0);
  EXPECT_EQ(nr_->GroupIndex(), -1);
  view_->EndAssignItems();
  EXPECT_EQ(nr_->GroupIndex(), 0);
  EXPECT_EQ(datei_->GroupIndex(), 1);
}

TEST_F(TableViewTest, ClipboardGetsCaptionsAndTheSelectedRowsExactly) {
  AddRows({{1, "a.pdf"}, {2, "b.pdf"}, {3, "c.pdf"}});
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->DataController()->ChangeRowSelection(0, true);
  view_->DataController()->ChangeRowSelection(2, true);

  view_->CopyToClipboard(false);
  EXPECT_EQ(Clipboard()->AsText(), "Nr.\tDatei\r\n1\ta.pdf\r\n3\tc.pdf");

  view_->DataController()->ClearSelection();
  view_->CopyToClipboard(false);
  EXPECT_EQ(Clipboard()->AsText(), "Nr.\tDatei");
}

TEST_F(TableViewTest, OptionDefaultsClampsAndStoredRules) {
  TlxCustomGridTableOptionsView* options_view = view_->OptionsView();
  EXPECT_EQ(options_view->NavigatorOffset(), 50);
  options_view->SetNavigatorOffset(-10);
  EXPECT_EQ(options_view->NavigatorOffset(), 0);
  options_view->SetNoDataToDisplayInfoText("<No data to display>");
  EXPECT_FALSE(options_view->IsNoDataToDisplayInfoTextStored());
  options_view->SetNoDataToDisplayInfoText("Keine Dateien");
  EXPECT_TRUE(options_view->IsNoDataToDisplayInfoTextStored());
  EXPECT_EQ(options_view->NoDataToDisplayInfoText(), "Keine Dateien");

  TlxCustomGridTableOptionsSelection* selection = view_->OptionsSelection();
  EXPECT_FALSE(selection->IsInvertSelectStored());
  selection->SetInvertSelect(false);
  EXPECT_TRUE(selection->IsInvertSelectStored());
  selection->SetMultiSelect(true);
  EXPECT_TRUE(view_->DataController()->MultiSelect());
  EXPECT_TRUE(selection->IsMultiSelectStored());

  EXPECT_TRUE(view_->OptionsBehavior()->CopyCaptionsToClipboard());
  EXPECT_TRUE(view_->OptionsData()->Deleting());
  EXPECT_FALSE(view_->OptionsData()->Appending());
  EXPECT_TRUE(view_->OptionsCustomize()->ItemFiltering());
  view_->DateTimeHandling()->SetGrouping(dtgDefault);
  EXPECT_EQ(view_->DateTimeHandling()->Grouping(), dtgByDateAndTime);
  view_->Filtering()->ColumnPopup().SetMaxDropDownItemCount(-3);
  EXPECT_EQ(view_->Filtering()->ColumnPopup().MaxDropDownItemCount(), 0);

  // Items: width raised to the minimum; captions marked assigned.
  datei_->SetWidth(5);
  EXPECT_EQ(datei_->Width(), 20);
  datei_->SetCaption("");
  EXPECT_TRUE(datei_->IsCaptionAssigned());
  EXPECT_EQ(datei_->Caption(), "");
}

TEST_F(TableViewTest, RestoredIndexesAndOrdinalsAreCheckedBeforeTheyTouchAnItem) {
  view_->BeginRestoring();
  // A huge index is clamped and cannot grow the restoring list.
  nr_->SetStoredPropertyValue("Index", Variant(2147483647));
  view_->EndRestoring();
  EXPECT_EQ(nr_->Index(), 1);
  EXPECT_EQ(datei_->Index(), 0);

  datei_->SetSortOrder(soAscending);
  EXPECT_THROW(datei_->SetStoredPropertyValue("SortOrder", Variant(7)), EPropertyConvertError);
  EXPECT_THROW(datei_->SetStoredPropertyValue("AlignmentHorz", Variant(-1)), EPropertyConvertError);
  EXPECT_EQ(datei_->SortOrder(), soAscending);
  EXPECT_EQ(datei_->Properties(), nullptr);
}

TEST_F(TableViewTest, DataPropertyRoundTripAndADamagedLengthChangesNothing) {
  AddRows({{1, "a.pdf"}, {2, "b.pdf"}});
  auto* source = static_cast<TlxGridDataController*>(view_->DataController());
  EXPECT_TRUE(source->HasDataToStore(nullptr));
  TMemoryStream property;
  source->WriteData(property);

  TTableView* target_view = MakeView();
  AddItem("Nr.", lxValueTypeClass<TlxIntegerValueType>(), target_view);
  AddItem("Datei", lxValueTypeClass<TlxStringValueType>(), target_view);
  auto* target = static_cast<TlxGridDataController*>(target_view->DataController());
  EXPECT_FALSE(target->HasDataToStore(nullptr));

  // A length beyond the bytes present: the read error, no buffer pending.
  std::vector<uint8_t> damaged = property.Bytes();
  damaged[0] = 0xFF;
  damaged[1] = 0xFF;
  TMemoryStream bad;
  bad.Write(damaged.data(), static_cast<int64_t>(damaged.size()));
  bad.SetPosition(0);
  EXPECT_THROW(target->ReadData(bad), EReadError);
  EXPECT_EQ(target->PendingData(), nullptr);

  property.SetPosition(0);
  target->ReadData(property);
  ASSERT_NE(target->PendingData(), nullptr);
  EXPECT_EQ(target->GetRecordCount(), 0);
  // The view's end of loading reads the buffer into the records.
  target_view->Loaded();
  EXPECT_EQ(target->PendingData(), nullptr);
  ASSERT_EQ(target->GetRecordCount(), 2);
  EXPECT_EQ(target->GetDisplayText(1, 1), "b.pdf");
}

}  // namespace table_view_win_test
