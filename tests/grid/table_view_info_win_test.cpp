// The record-based layout on a real form: rows laid out from the top
// record, hit tests at chosen points, the no-data text, the navigator
// strip, and scrolling that reuses record view infos giving the same
// pixels as a full repaint.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "grid/grid_control_win.h"
#include "grid/grid_cursors.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace table_view_info_win_test {

constexpr int32_t kRowHeight = 20;

// Rows draw like plain cells; the record painter keeps them out of the
// view's background.
class TRowPainter : public TlxCustomGridRecordPainter {
 public:
  static constexpr TClass kClass{"TRowPainter", &TlxCustomGridRecordPainter::kClass, &ConstructInstance<TRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordPainter::TlxCustomGridRecordPainter;
  void DoPaint() override { TlxCustomGridCellPainter::DoPaint(); }
  void DrawBackground() override { TlxCustomGridCellPainter::DrawBackground(); }
};

// A row: a band in a colour of its own with the file name in black.
class TRowViewInfo : public TlxCustomGridRecordViewInfo {
 public:
  static constexpr TClass kClass{"TRowViewInfo", &TlxCustomGridRecordViewInfo::kClass,
                                 &ConstructInstance<TRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo;

  int32_t CalculateHeight() override { return kRowHeight; }
  int32_t CalculateWidth() override { return RecordsViewInfo()->RecordsBounds.Width(); }
  void GetViewParams(TlxPaintParams& params) override {
    static constexpr TColor kColors[] = {clWhite, clYellow, clAqua};
    params.Color = kColors[GridRecord()->RecordIndex() % 3];
    params.TextColor = clBlack;
  }
  void GetText(std::string& text) override { text = GridRecord()->GetDisplayText(0); }
  const TClass* GetPainterClass() const override { return &TRowPainter::kClass; }
};

class TRowsViewInfo : public TlxCustomGridRecordsViewInfo {
 public:
  static constexpr TClass kClass{"TRowsViewInfo", &TlxCustomGridRecordsViewInfo::kClass,
                                 &ConstructInstance<TRowsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordsViewInfo::TlxCustomGridRecordsViewInfo;

  void Calculate() override {
    TlxCustomGridRecordsViewInfo::Calculate();
    ClearItems();
    for (int32_t i = 0; i < MaxItemCount() && GetRowTop(i) < RecordsBounds.Bottom; ++i)
      CalculateItem(Item(i), i);
    CalculateVisibleCount();
  }
  void CalculateVisibleCount() override { VisibleCount = Count(); }
  int32_t GetRowLeft(int32_t /*index*/) override { return RecordsBounds.Left; }
  int32_t GetRowTop(int32_t index) override { return RecordsBounds.Top + index * kRowHeight; }
  int32_t GetRowsHeightDelta(int32_t count) override { return -count * kRowHeight; }
  void OffsetRow(int32_t index, int32_t dy) override {
    if (TlxCustomGridRecordViewInfo* item = ExistingItem(index))
      item->DoOffset(0, dy);
  }
};

class TTestTableViewInfo : public TlxCustomGridTableViewInfo {
 public:
  static constexpr TClass kClass{"TTestTableViewInfo", &TlxCustomGridTableViewInfo::kClass,
                                 &ConstructInstance<TTestTableViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewInfo::TlxCustomGridTableViewInfo;
  const TClass* GetRecordsViewInfoClass() const override { return &TRowsViewInfo::kClass; }
};

class TTableItem : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TInfoTableItem", &TlxCustomGridTableItem::kClass, &ConstructInstance<TTableItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableItem(TComponent* owner) : TlxCustomGridTableItem(owner) {}
};

class TRowRecord : public TlxCustomGridRecord {
 public:
  static constexpr TClass kClass{"TRowRecord", &TlxCustomGridRecord::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecord::TlxCustomGridRecord;
  bool GetHasCells() const override { return true; }
  const TClass* GetViewInfoCacheItemClass() const override { return &TlxCustomGridTableViewInfoCacheItem::kClass; }
  const TClass* GetViewInfoClass() const override { return &TRowViewInfo::kClass; }
};

class TRowViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TRowViewData", &TlxCustomGridTableViewData::kClass,
                                 &ConstructInstance<TRowViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewData::TlxCustomGridTableViewData;
  const TClass* GetRecordClass(const TlxRowInfo& /*row_info*/) const override { return &TRowRecord::kClass; }

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* /*record_class*/, const TlxRowInfo& row_info,
                                                           int32_t index) override {
    return std::make_unique<TRowRecord>(this, row_info, index);
  }
};

class TInfoTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TInfoTableView", &TlxCustomGridTableView::kClass,
                                 &lxConstructGridView<TInfoTableView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TInfoTableView(TComponent* owner) : TlxCustomGridTableView(owner) {}

  const TClass* GetItemClass() const override { return &TTableItem::kClass; }
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxGridDataController::kClass; }
  const TClass* GetPainterClass() const override { return &TlxCustomGridTablePainter::kClass; }
  const TClass* GetViewDataClass() const override { return &TRowViewData::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
  const TClass* GetViewInfoClass() const override { return &TTestTableViewInfo::kClass; }
};

class TableViewInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 300, 200);
    view_ = lxCreateGridView<TInfoTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    datei_ = view_->CreateItem();
    datei_->SetCaption("Datei");
    datei_->DataBinding()->SetValueTypeClass(lxValueTypeClass<TlxStringValueType>());
    form_->Show();
    Layout();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  TTestTableViewInfo* ViewInfo() const { return static_cast<TTestTableViewInfo*>(view_->ViewInfo()); }
  TlxCustomGridRecordsViewInfo* Rows() const { return ViewInfo()->RecordsViewInfo(); }
  HWND SiteWindow() const { return view_->Site()->Handle(); }
  void Layout() {
    ViewInfo()->MainCalculate(kSiteBounds);
    test_support::PumpMessagesUntilIdle();
  }
  void AddFiles(int count) {
    TlxCustomDataController* controller = view_->DataController();
    {
      TUpdateScope update(*controller);
      for (int i = 0; i < count; ++i) {
        const int32_t record = controller->AppendRecord();
        controller->SetValue(record, datei_->Index(), Variant("datei" + std::to_string(i) + ".pdf"));
      }
    }
    Layout();
  }
  test_support::WindowPixels Pixels() {
    view_->Site()->Invalidate();
    view_->Site()->Update();
    return test_support::WindowPixels::Capture(SiteWindow());
  }

  static constexpr TRect kSiteBounds{0, 0, 200, 150};
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TInfoTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxCustomGridTableItem* datei_ = nullptr;
};

TEST_F(TableViewInfoTest, NoRecordsShowTheNoDataTextCentredInTheClientArea) {
  EXPECT_EQ(Rows()->MaxItemCount(), 0);
  EXPECT_EQ(Rows()->Count(), 0);
  ASSERT_TRUE(ViewInfo()->ShowNoDataInfoText());
  std::string text;
  ViewInfo()->GetNoDataInfoText(text);
  EXPECT_EQ(text, "<No data to display>");

  test_support::WindowPixels pixels = Pixels();
  const COLORREF background = pixels.At(2, 2);
  // Text only in the middle band: the rows above and below stay plain.
  int text_pixels = 0;
  int left = 200;
  int right = 0;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 200; ++x) {
      if (pixels.At(x, y) == background)
        continue;
      ++text_pixels;
      EXPECT_GT(y, 55);
      EXPECT_LT(y, 95);
      left = std::min(left, x);
      right = std::max(right, x);
    }
  EXPECT_GT(text_pixels, 30);
  EXPECT_LE(std::abs((left + right) / 2 - 100), 3);  // centred

  view_->OptionsView()->SetNoDataToDisplayInfoText("Keine Dateien");
  ViewInfo()->GetNoDataInfoText(text);
  EXPECT_EQ(text, "Keine Dateien");

  AddFiles(2);
  EXPECT_FALSE(ViewInfo()->ShowNoDataInfoText());
}

TEST_F(TableViewInfoTest, RowsAreLaidOutFromTheTopRecordAndHitTestsNameThem) {
  AddFiles(20);
  ASSERT_EQ(Rows()->Count(), 8);  // 150 pixels of 20-pixel rows
  EXPECT_EQ(Rows()->ExistingItem(3)->BoundsRect, TRect(0, 60, 200, 80));
  EXPECT_EQ(Rows()->ExistingItem(3)->GridRecord()->Index(), 3);

  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(50, 65));
  ASSERT_EQ(hit_test->GetHitTestCode(), 106);
  auto* record_hit_test = static_cast<TlxGridRecordHitTest*>(hit_test);
  EXPECT_EQ(record_hit_test->GridRecord()->Index(), 3);
  EXPECT_EQ(record_hit_test->GridView, view_);
  EXPECT_EQ(hit_test->ViewInfo(), Rows()->ExistingItem(3));

  // The same shared instance answers the next request, now for row 5.
  EXPECT_EQ(ViewInfo()->GetHitTestAtPoint(TPoint(50, 105)), hit_test);
  EXPECT_EQ(record_hit_test->GridRecord()->Index(), 5);
  EXPECT_EQ(hit_test->Pos, TPoint(50, 105));

  // The records made anew by a data change: the hit test still names row 5.
  view_->DataController()->SetValue(0, datei_->Index(), Variant("neu.pdf"));
  EXPECT_EQ(record_hit_test->GridRecord()->Index(), 5);
  record_hit_test->SetGridRecord(nullptr);
  EXPECT_EQ(record_hit_test->GridRecord(), nullptr);
  EXPECT_EQ(record_hit_test->GridRecordIndex, -1);
  EXPECT_EQ(record_hit_test->GridRecordKind, -1);
}

TEST_F(TableViewInfoTest, FewRecordsLeaveTheRestOfTheSiteToTheViewsNoneHitTest) {
  AddFiles(3);
  EXPECT_EQ(Rows()->Count(), 3);
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(50, 120));
  EXPECT_EQ(hit_test->GetHitTestCode(), 0);
  EXPECT_EQ(static_cast<TlxCustomGridViewHitTest*>(hit_test)->GridView, view_);
  test_support::WindowPixels pixels = Pixels();
  EXPECT_EQ(pixels.At(150, 30), static_cast<COLORREF>(clYellow));  // record 1
  EXPECT_EQ(pixels.At(150, 120), pixels.At(150, 149));  // background below the rows
  EXPECT_NE(pixels.At(150, 120), static_cast<COLORREF>(clAqua));
}

TEST_F(TableViewInfoTest, TheNavigatorTakesAStripAtTheBottomAndAnswersItsHitTest) {
  AddFiles(20);
  view_->OptionsView()->SetNavigator(true);
  Layout();
  TlxNavigatorSiteViewInfo* navigator = ViewInfo()->NavigatorSiteViewInfo();
  ASSERT_NE(navigator, nullptr);
  ASSERT_TRUE(navigator->GetVisible());
  const int32_t height = navigator->GetHeight();
  ASSERT_GT(height, 0);
  EXPECT_EQ(ViewInfo()->ClientBounds().Bottom, 150 - height);
  EXPECT_EQ(navigator->BoundsRect, TRect(0, 150 - height, 200, 150));  // no scroll bar: the whole width
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(10, 149));
  EXPECT_EQ(hit_test->GetHitTestCode(), 1);
}

TEST_F(TableViewInfoTest, ScrollingReusesRowViewInfosAndPaintsWhatAFullRepaintPaints) {
  AddFiles(30);
  ASSERT_EQ(Rows()->Count(), 8);
  TlxCustomGridRecordViewInfo* row_of_record_4 = Rows()->ExistingItem(4);

  ViewInfo()->ScrollRecords(3);
  EXPECT_EQ(ViewInfo()->TopRecordIndex(), 3);
  ASSERT_EQ(Rows()->Count(), 8);
  EXPECT_EQ(Rows()->ExistingItem(1), row_of_record_4);
  EXPECT_EQ(row_of_record_4->BoundsRect, TRect(0, 20, 200, 40));
  for (int32_t i = 0; i < Rows()->Count(); ++i) {
    EXPECT_EQ(Rows()->ExistingItem(i)->GridRecord()->Index(), 3 + i);
    EXPECT_EQ(Rows()->ExistingItem(i)->BoundsRect.Top, i * kRowHeight);
  }
  const test_support::WindowPixels scrolled = Pixels();

  ViewInfo()->ScrollRecords(-2);
  EXPECT_EQ(ViewInfo()->TopRecordIndex(), 1);
  EXPECT_EQ(Rows()->ExistingItem(3), row_of_record_4);
  for (int32_t i = 0; i < Rows()->Count(); ++i)
    EXPECT_EQ(Rows()->ExistingItem(i)->BoundsRect.Top, i * kRowHeight);
  const test_support::WindowPixels scrolled_back = Pixels();

  // A jump by more than a page cannot reuse anything: a full layout.
  ViewInfo()->ScrollRecords(10);
  EXPECT_EQ(ViewInfo()->TopRecordIndex(), 11);
  EXPECT_EQ(Rows()->ExistingItem(0)->GridRecord()->Index(), 11);

  auto full_repaint_at = [&](int32_t top) {
    ViewInfo()->SetScrolledTopRecordIndex(top);
    Layout();
    return Pixels();
  };
  const test_support::WindowPixels full_3 = full_repaint_at(3);
  const test_support::WindowPixels full_1 = full_repaint_at(1);
  EXPECT_EQ(scrolled.argb(), full_3.argb());
  EXPECT_EQ(scrolled_back.argb(), full_1.argb());
  EXPECT_NE(full_1.argb(), full_3.argb());
}

TEST_F(TableViewInfoTest, HitTestClassesCarryTheirCodesCursorsAndClickRules) {
  struct Case {
    const TClass* hit_test_class;
    int32_t code;
    bool can_click;
  };
  const Case cases[] = {
      {&TlxGridRecordHitTest::kClass, 106, true},       {&TlxGridRecordCellHitTest::kClass, 107, true},
      {&TlxGridExpandButtonHitTest::kClass, 108, false}, {&TlxGridRowIndicatorHitTest::kClass, 209, true},
      {&TlxGridRowSizingEdgeHitTest::kClass, 210, true}, {&TlxGridRowLevelIndentHitTest::kClass, 213, false},
      {&TlxGridGroupSummaryHitTest::kClass, 215, true},  {&TlxGridPreviewHitTest::kClass, 231, true},
  };
  for (const Case& c : cases) {
    auto* hit_test = static_cast<TlxGridRecordHitTest*>(lxGridGetHitTest(c.hit_test_class, TPoint(1, 2)));
    ASSERT_NE(hit_test, nullptr);
    EXPECT_EQ(hit_test->ClassType(), c.hit_test_class);
    EXPECT_EQ(hit_test->GetHitTestCode(), c.code);
    EXPECT_EQ(hit_test->CanClick(), c.can_click) << c.code;
  }
  auto* indicator = lxGridGetHitTest<TlxGridRowIndicatorHitTest>(TPoint(0, 0));
  indicator->MultiSelect = false;
  EXPECT_EQ(indicator->Cursor(), crDefault);
  indicator->MultiSelect = true;
  EXPECT_EQ(indicator->Cursor(), static_cast<TCursor>(GridSelectRowCursor));
  EXPECT_EQ(lxGridGetHitTest<TlxGridRowSizingEdgeHitTest>(TPoint(0, 0))->Cursor(),
            static_cast<TCursor>(GridVertSizeCursor));
  EXPECT_EQ(lxGridGetHitTest<TlxGridColumnHeaderHorzSizingEdgeHitTest>(TPoint(0, 0))->Cursor(),
            static_cast<TCursor>(GridHorzSizeCursor));
  // Searched by exact class: a descendant has an instance of its own.
  EXPECT_NE(static_cast<TlxCustomGridHitTest*>(lxGridGetHitTest<TlxGridRecordCellHitTest>(TPoint(0, 0))),
            static_cast<TlxCustomGridHitTest*>(lxGridGetHitTest<TlxGridRecordHitTest>(TPoint(0, 0))));
  EXPECT_EQ(lxGridGetHitTest<TlxGridNoneHitTest>(TPoint(0, 0))->GetHitTestCode(), 0);
  EXPECT_EQ(lxGridGetHitTest<TlxGridDetailsSiteTabHitTest>(TPoint(0, 0))->GetHitTestCode(), 50);
}

}  // namespace table_view_info_win_test
