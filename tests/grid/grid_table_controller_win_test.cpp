// The table view's input path on a real grid over the client dataset of the
// file list: keys and header clicks sent to the site as window messages,
// the deleting confirmation answered through the modal script, and column
// sizing and moving through the grid's own drag objects. The view info is a
// small stand-in that lays out a header strip and fixed-height rows, so the
// controllers are tested whatever the table layout draws.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_cursors.h"
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
#include "platform/rtl/strings.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/buttons.h"
#include "ui/foundation/system/lx_timer_win.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace grid_table_controller_win_test {

constexpr int32_t kHeaderHeight = 20;
constexpr int32_t kRowHeight = 18;
constexpr int32_t kSizingEdge = 3;

// Lays the visible columns side by side in a header strip at the top and
// the records below it, one fixed-height row each from the top record on.
class TStripViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TStripViewInfo", &TlxCustomGridViewInfo::kClass,
                                 &ConstructInstance<TStripViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;

  TlxGridTableView* TableView() const { return static_cast<TlxGridTableView*>(GridView()); }

  // The left edge of a visible column in the site.
  int32_t ColumnLeft(TlxGridColumn* column) const {
    int32_t left = 0;
    for (int32_t i = 0; i < column->VisibleIndex(); ++i)
      left += TableView()->VisibleColumns(i)->Width();
    return left;
  }

  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override {
    if (point.Y >= 0 && point.Y < kHeaderHeight)
      if (TlxCustomGridHitTest* header = HeaderHitTest(point))
        return header;
    if (point.Y >= kHeaderHeight)
      if (TlxCustomGridHitTest* row = RowHitTest(point))
        return row;
    return TlxCustomGridViewInfo::GetHitTest(point);
  }

 private:
  TlxCustomGridHitTest* HeaderHitTest(const TPoint& point) {
    TlxGridTableView* view = TableView();
    for (int32_t i = 0; i < view->VisibleColumnCount(); ++i) {
      TlxGridColumn* column = view->VisibleColumns(i);
      const int32_t right = ColumnLeft(column) + column->Width();
      if (point.X >= right)
        continue;
      TlxCustomGridColumnHitTest* hit_test;
      if (point.X >= right - kSizingEdge)
        hit_test = lxGridGetHitTest<TlxGridColumnHeaderHorzSizingEdgeHitTest>(point);
      else
        hit_test = lxGridGetHitTest<TlxGridColumnHeaderHitTest>(point);
      hit_test->Column = column;
      hit_test->ColumnContainerKind = TlxGridColumnHeaderMovingObject::kHeaderPanel;
      InitHitTest(hit_test);
      return hit_test;
    }
    return nullptr;
  }

  TlxCustomGridHitTest* RowHitTest(const TPoint& point) {
    auto* controller = static_cast<TlxGridTableController*>(TableView()->Controller());
    TlxCustomGridTableViewData* view_data = TableView()->ViewData();
    const int32_t row = controller->TopRecordIndex() + (point.Y - kHeaderHeight) / kRowHeight;
    if (row < 0 || row >= view_data->RecordCount())
      return nullptr;
    auto* hit_test = lxGridGetHitTest<TlxGridRecordHitTest>(point);
    hit_test->SetGridRecord(view_data->Records(row));
    InitHitTest(hit_test);
    return hit_test;
  }
};

class TStripDBTableView : public TlxGridDBTableView {
 public:
  static constexpr TClass kClass{"TStripDBTableView", &TlxGridDBTableView::kClass,
                                 &lxConstructGridView<TStripDBTableView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDBTableView::TlxGridDBTableView;

  const TClass* GetPainterClass() const override { return &TlxCustomGridPainter::kClass; }
  const TClass* GetViewInfoClass() const override { return &TStripViewInfo::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &grid_test_view::TTestViewInfoCache::kClass; }
};

// Holds keys down in this thread's keyboard state: sent key messages do
// not change it, and the site asks it for Shift and Ctrl.
class THeldKeys {
 public:
  explicit THeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys)
      state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldKeys() { SetKeyboardState(saved_); }
  THeldKeys(const THeldKeys&) = delete;
  THeldKeys& operator=(const THeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

std::string WindowText(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, 512);
  return text;
}

// What the confirmation showed, and how the script answered it.
struct TConfirmation {
  bool shown = false;
  std::string caption;
  std::string text;
  std::vector<std::string> buttons;
};

enum class TAnswer { kOk, kCancel, kClose };

void AnswerConfirmation(TConfirmation* seen, TAnswer answer) {
  test_support::RunWhileModal([seen, answer] {
    HWND dialog = test_support::FindThreadDialog();
    if (dialog == nullptr)
      return false;
    seen->shown = true;
    seen->caption = WindowText(dialog);
    HWND ok = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char kind[64] = {};
      GetClassNameA(child, kind, 64);
      const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
      if (lstrcmpiA(kind, "Button") == 0) {
        seen->buttons.push_back(WindowText(child));
        if (WindowText(child) == "OK")
          ok = child;
      } else if ((style & SS_TYPEMASK) != SS_ICON) {
        seen->text = WindowText(child);
      }
    }
    switch (answer) {
      case TAnswer::kOk:
        PostMessageW(ok, BM_CLICK, 0, 0);
        break;
      case TAnswer::kCancel:
        PostMessageW(GetFocus() != nullptr ? GetFocus() : dialog, WM_KEYDOWN, VK_ESCAPE, 0);
        break;
      case TAnswer::kClose:
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        break;
    }
    return true;
  });
}

class GridTableControllerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->AddRows(5);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    grid_->SetTabOrder(0);
    next_ = new TButton(form_);
    next_->SetParent(form_);
    next_->SetBounds(10, 320, 90, 25);
    next_->SetCaption("Weiter");
    next_->SetTabOrder(1);
    view_ = lxCreateGridView<TStripDBTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    // The main window's settings.
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
    form_->Show();
    static_cast<TlxCustomGridView*>(view_)->ViewInfo()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    view_->StoreColumnAutoWidths();
    test_support::PumpMessagesUntilIdle();
    site_ = view_->Site();
    site_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }

  void TearDown() override {
    test_support::StopModalScript();
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
  TlxCustomDataController* Data() const { return view_->DataController(); }
  TStripViewInfo* StripInfo() const {
    return static_cast<TStripViewInfo*>(static_cast<TlxCustomGridView*>(view_)->ViewInfo());
  }
  HWND SiteWindow() const { return site_->Handle(); }

  void Key(UINT key) {
    SendMessageW(SiteWindow(), WM_KEYDOWN, key, 1);
    SendMessageW(SiteWindow(), WM_KEYUP, key, 0xC0000001);
    test_support::PumpMessagesUntilIdle();
  }

  static LPARAM At(int32_t x, int32_t y) { return MAKELPARAM(x, y); }
  void Mouse(UINT message, int32_t x, int32_t y, WPARAM keys) {
    SendMessageW(SiteWindow(), message, keys, At(x, y));
  }
  void Click(int32_t x, int32_t y, WPARAM keys = 0) {
    Mouse(WM_LBUTTONDOWN, x, y, keys | MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x, y, keys);
    test_support::PumpMessagesUntilIdle();
  }
  void ClickHeader(TlxGridColumn* column, WPARAM keys = 0) {
    Click(StripInfo()->ColumnLeft(column) + 10, kHeaderHeight / 2, keys);
  }
  static int32_t RowY(int32_t row) { return kHeaderHeight + row * kRowHeight + kRowHeight / 2; }

  // The sort the data controller holds: (caption, order) in sort order.
  std::vector<std::pair<std::string, TlxDataSortOrder>> Sorting() const {
    std::vector<std::pair<std::string, TlxDataSortOrder>> sorting;
    for (int32_t i = 0; i < view_->SortedColumnCount(); ++i)
      sorting.emplace_back(view_->SortedColumns(i)->Caption(), view_->SortedColumns(i)->SortOrder());
    return sorting;
  }

  // The keys in the order the view shows them.
  std::vector<int32_t> ShownKeys() const {
    std::vector<int32_t> keys;
    for (int32_t row = 0; row < Data()->GetRowCount(); ++row)
      keys.push_back(view_->ViewData()->Records(row)->GetValue(nr_->Index()).AsInteger());
    return keys;
  }

  // The dataset and the view hold the same files.
  void ExpectDatasetAndViewAgree() {
    std::vector<int32_t> in_dataset = files_->Keys();
    std::vector<int32_t> in_view = ShownKeys();
    std::sort(in_dataset.begin(), in_dataset.end());
    std::sort(in_view.begin(), in_view.end());
    EXPECT_EQ(in_view, in_dataset);
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TButton* next_ = nullptr;
  TStripDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridSite* site_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TlxGridDBColumn* groesse_ = nullptr;
  TlxGridDBColumn* datum_ = nullptr;
};

// --- header-click sorting ------------------------------------------------------

TEST_F(GridTableControllerTest, HeaderClicksSortAloneAddWithShiftAndRemoveWithCtrl) {
  ClickHeader(datei_);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Datei", soAscending}}));
  ClickHeader(datei_);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Datei", soDescending}}));
  EXPECT_EQ(ShownKeys(), (std::vector<int32_t>{5, 4, 3, 2, 1}));
  ClickHeader(datei_);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Datei", soAscending}}));
  ClickHeader(nr_, MK_SHIFT);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Datei", soAscending},
                                                                               {"Nr.", soAscending}}));
  ClickHeader(datei_, MK_CONTROL);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Nr.", soAscending}}));
  // A plain click on another column sorts by it alone again.
  ClickHeader(groesse_);
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Größe", soAscending}}));
  EXPECT_EQ(Controller()->PressedColumn(), nullptr);
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, APressDraggedBeyondTheThresholdDoesNotSortButStillFiresTheHeaderEvent) {
  std::vector<std::string> clicked;
  view_->SetOnColumnHeaderClick([&](TlxGridTableView*, TlxGridColumn* column) { clicked.push_back(column->Caption()); });
  const int32_t x = StripInfo()->ColumnLeft(datei_) + 20;
  Mouse(WM_LBUTTONDOWN, x, 5, MK_LBUTTON);
  EXPECT_EQ(Controller()->PressedColumn(), datei_);
  Mouse(WM_MOUSEMOVE, x + 40, 5, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x + 40, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(Sorting().empty());
  EXPECT_EQ(Controller()->PressedColumn(), nullptr);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Datei"}));

  // A wobble inside the threshold still sorts.
  Mouse(WM_LBUTTONDOWN, x, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, x + 1, 6, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, x + 1, 6, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Sorting(), (std::vector<std::pair<std::string, TlxDataSortOrder>>{{"Datei", soAscending}}));
}

TEST_F(GridTableControllerTest, ACancelledPressLeavesNoPressedHeaderAndDoesNotSort) {
  const int32_t x = StripInfo()->ColumnLeft(datei_) + 20;
  Mouse(WM_LBUTTONDOWN, x, 5, MK_LBUTTON);
  ASSERT_EQ(Controller()->PressedColumn(), datei_);
  SendMessageW(SiteWindow(), WM_CANCELMODE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Controller()->PressedColumn(), nullptr);
  Mouse(WM_LBUTTONUP, x, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(Sorting().empty());
}

TEST_F(GridTableControllerTest, AColumnThatCannotSortIgnoresTheClickButFiresItsEvent) {
  datei_->Options()->SetSorting(false);
  int header_clicks = 0;
  datei_->SetOnHeaderClick([&](TObject*) { ++header_clicks; });
  ClickHeader(datei_);
  EXPECT_TRUE(Sorting().empty());
  EXPECT_EQ(header_clicks, 1);
}

// --- row keys ---------------------------------------------------------------------

TEST_F(GridTableControllerTest, RowKeysMoveTheFocusThroughTheRows) {
  ASSERT_EQ(Data()->GetRowCount(), 5);
  Controller()->SetFocusedRecordIndex(0);
  struct Step {
    UINT key;
    int32_t expected_row;
  };
  const Step steps[] = {{VK_DOWN, 1}, {VK_DOWN, 2}, {VK_UP, 1}, {VK_END, 4},
                        {VK_DOWN, 4}, {VK_HOME, 0}, {VK_UP, 0}};
  for (const Step& step : steps) {
    Key(step.key);
    EXPECT_EQ(Controller()->FocusedRecordIndex(), step.expected_row) << "key " << step.key;
  }
  // Down past the last row appends only when appending is allowed.
  EXPECT_EQ(Data()->GetRowCount(), 5);
  EXPECT_FALSE(Data()->IsEditing());
}

TEST_F(GridTableControllerTest, DownFromTheLastRowAppendsWhenAppendingIsOn) {
  view_->OptionsData()->SetAppending(true);
  Controller()->SetFocusedRecordIndex(4);
  Key(VK_DOWN);
  EXPECT_TRUE(Data()->IsEditing());
  EXPECT_NE(Data()->GetEditState() & dceInsert, 0);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Data()->IsEditing());
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, LeftAndRightScrollByTenPixelsWithinTheDataWidth) {
  view_->OptionsView()->SetColumnAutoWidth(false);
  datei_->SetWidth(900);
  ASSERT_GT(Controller()->GetDataWidth(), Controller()->GetVisibleDataWidth());
  Key(VK_RIGHT);
  EXPECT_EQ(Controller()->LeftPos(), 10);
  Key(VK_RIGHT);
  EXPECT_EQ(Controller()->LeftPos(), 20);
  Key(VK_LEFT);
  Key(VK_LEFT);
  Key(VK_LEFT);
  EXPECT_EQ(Controller()->LeftPos(), 0);
  Controller()->SetLeftPos(100000);
  EXPECT_EQ(Controller()->LeftPos(), Controller()->GetDataWidth() - Controller()->GetVisibleDataWidth());
}

TEST_F(GridTableControllerTest, TabLeavesTheGridWhenNoCellCanTakeIt) {
  view_->OptionsBehavior()->SetFocusCellOnTab(true);
  ASSERT_TRUE(site_->Focused());
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), next_->Handle());
}

// Esc through the application's message loop, as the keyboard delivers it:
// with nothing edited it reaches the form's Cancel button.
TEST_F(GridTableControllerTest, EscWithNothingEditedReachesTheFormsCancelButton) {
  int cancel_clicks = 0;
  next_->SetCancel(true);
  next_->OnClick = [&](TObject*) { ++cancel_clicks; };
  ASSERT_TRUE(site_->Focused());
  PostMessageW(SiteWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(SiteWindow(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
  Application->ProcessMessages();
  EXPECT_EQ(cancel_clicks, 1);
}

TEST_F(GridTableControllerTest, EscIsConsumedOnlyWhenItCancelledAnEdit) {
  Controller()->SetFocusedRecordIndex(1);
  uint16_t key = VK_ESCAPE;
  Controller()->KeyDown(key, TShiftState());
  EXPECT_EQ(key, VK_ESCAPE);

  Data()->Append();
  ASSERT_TRUE(Data()->IsEditing());
  key = VK_ESCAPE;
  Controller()->KeyDown(key, TShiftState());
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(Data()->IsEditing());
  ExpectDatasetAndViewAgree();
}

// --- deleting -----------------------------------------------------------------

TEST_F(GridTableControllerTest, DeleteAsksAndRemovesTheFocusedRowOnOk) {
  Controller()->SetFocusedRecordIndex(2);
  const int32_t key = view_->ViewData()->Records(2)->GetValue(nr_->Index()).AsInteger();
  TConfirmation seen;
  AnswerConfirmation(&seen, TAnswer::kOk);
  Key(VK_DELETE);
  EXPECT_TRUE(seen.shown);
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_EQ(seen.text, "Delete record?");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(Data()->GetRowCount(), 4);
  const std::vector<int32_t> keys = files_->Keys();
  EXPECT_EQ(std::count(keys.begin(), keys.end(), key), 0);
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, CancelOrClosingTheConfirmationDeletesNothing) {
  for (TAnswer answer : {TAnswer::kCancel, TAnswer::kClose}) {
    Controller()->SetFocusedRecordIndex(1);
    TConfirmation seen;
    AnswerConfirmation(&seen, answer);
    uint16_t key = VK_DELETE;
    Controller()->KeyDown(key, TShiftState{ssCtrl});
    test_support::PumpMessagesUntilIdle();
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(Data()->GetRowCount(), 5);
    EXPECT_EQ(files_->cds->RecordCount(), 5);
  }
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, WithoutConfirmationDeleteRemovesAtOnceAndShiftDeleteDoesNothing) {
  view_->OptionsData()->SetDeletingConfirmation(false);
  Controller()->SetFocusedRecordIndex(0);
  uint16_t key = VK_DELETE;
  Controller()->KeyDown(key, TShiftState{ssShift});
  EXPECT_EQ(Data()->GetRowCount(), 5);
  key = VK_DELETE;
  Controller()->KeyDown(key, TShiftState());
  EXPECT_EQ(key, 0);
  EXPECT_EQ(Data()->GetRowCount(), 4);
  EXPECT_FALSE(test_support::ModalScriptPending());
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, DeleteOnAnEmptyListAsksNothing) {
  view_->OptionsData()->SetDeletingConfirmation(false);
  while (files_->cds->RecordCount() > 0) {
    files_->cds->First();
    files_->cds->Delete();
  }
  test_support::PumpMessagesUntilIdle();
  view_->OptionsData()->SetDeletingConfirmation(true);
  ASSERT_EQ(Data()->GetRowCount(), 0);
  uint16_t key = VK_DELETE;
  Controller()->KeyDown(key, TShiftState());
  EXPECT_EQ(Data()->GetRowCount(), 0);
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, WithMultiSelectShiftDownExtendsAndDeleteAsksForAllSelected) {
  view_->OptionsSelection()->SetMultiSelect(true);
  Controller()->SetFocusedRecordIndex(1);
  Controller()->SelectFocusedRecordOnly();
  Data()->SetSelectionAnchor(1);
  {
    THeldKeys shift{VK_SHIFT};
    Key(VK_DOWN);
    Key(VK_DOWN);
  }
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 3);
  EXPECT_EQ(Controller()->SelectedRecordCount(), 3);
  {
    // Ctrl+Down moves the focus and keeps the selection.
    THeldKeys ctrl{VK_CONTROL};
    Key(VK_DOWN);
  }
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 4);
  EXPECT_EQ(Controller()->SelectedRecordCount(), 3);

  TConfirmation seen;
  AnswerConfirmation(&seen, TAnswer::kOk);
  Key(VK_DELETE);
  EXPECT_EQ(seen.text, "Delete all selected records?");
  EXPECT_EQ(Data()->GetRowCount(), 2);
  ExpectDatasetAndViewAgree();
}

TEST_F(GridTableControllerTest, CtrlSpaceTogglesTheFocusedRowAndTypesNothing) {
  view_->OptionsSelection()->SetMultiSelect(true);
  view_->OptionsBehavior()->SetIncSearch(true);
  Controller()->SetFocusedRecordIndex(2);
  {
    THeldKeys ctrl{VK_CONTROL};
    SendMessageW(SiteWindow(), WM_KEYDOWN, VK_SPACE, 1);
    SendMessageW(SiteWindow(), WM_CHAR, L' ', 1);
    SendMessageW(SiteWindow(), WM_KEYUP, VK_SPACE, 0xC0000001);
  }
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(Data()->IsRowSelected(2));
  EXPECT_FALSE(Controller()->IsIncSearching());
}

// --- mouse selection ------------------------------------------------------------

TEST_F(GridTableControllerTest, APlainClickInAMultiSelectionSelectsTheRowAloneOnlyAtMouseUp) {
  view_->OptionsSelection()->SetMultiSelect(true);
  Controller()->SetFocusedRecordIndex(0);
  Data()->SelectAll();
  ASSERT_EQ(Controller()->SelectedRecordCount(), 5);
  Mouse(WM_LBUTTONDOWN, 100, RowY(2), MK_LBUTTON);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 2);
  EXPECT_EQ(Controller()->SelectedRecordCount(), 5);
  EXPECT_TRUE(Controller()->PostponedSelecting());
  Mouse(WM_LBUTTONUP, 100, RowY(2), 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Controller()->SelectedRecordCount(), 1);
  EXPECT_TRUE(Data()->IsRowSelected(2));
}

// --- column sizing ------------------------------------------------------------

TEST_F(GridTableControllerTest, SizingAColumnStopsTheDragLineAtItsMinimumWidth) {
  std::vector<std::string> sized;
  view_->SetOnColumnSizeChanged([&](TlxGridTableView*, TlxGridColumn* column) { sized.push_back(column->Caption()); });
  const int32_t left = StripInfo()->ColumnLeft(datei_);
  const int32_t edge = left + datei_->Width() - 1;
  Mouse(WM_LBUTTONDOWN, edge, 5, MK_LBUTTON);
  auto* object = dynamic_cast<TlxGridColumnHorzSizingObject*>(site_->DragDropObject());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(Controller()->SizedColumn(), datei_);
  Mouse(WM_MOUSEMOVE, left - 50, 5, MK_LBUTTON);
  ASSERT_TRUE(object->DragLineShown());
  EXPECT_EQ(object->ShownDragLine().Right, left + datei_->MinWidth());
  EXPECT_EQ(object->ShownDragLine().Width(), 1);
  Mouse(WM_LBUTTONUP, left - 50, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(site_->DragDropObject(), nullptr);
  EXPECT_EQ(Controller()->SizedColumn(), nullptr);
  EXPECT_EQ(datei_->Width(), datei_->MinWidth());
  EXPECT_EQ(sized, (std::vector<std::string>{"Datei"}));
  // Under auto width the other columns took the difference.
  int32_t total = 0;
  for (int32_t i = 0; i < view_->VisibleColumnCount(); ++i)
    total += view_->VisibleColumns(i)->Width();
  EXPECT_EQ(total, view_->AutoWidthAvailableWidth());
}

TEST_F(GridTableControllerTest, ReleasingWithoutMovingDoesNotSizeTheColumn) {
  int size_changes = 0;
  view_->SetOnColumnSizeChanged([&](TlxGridTableView*, TlxGridColumn*) { ++size_changes; });
  const int32_t width = nr_->Width();
  const int32_t edge = StripInfo()->ColumnLeft(nr_) + width - 1;
  Mouse(WM_LBUTTONDOWN, edge, 5, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, edge, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(size_changes, 0);
  EXPECT_EQ(nr_->Width(), width);
}

// A sizing drag ended by the system, by a lost capture or by Esc leaves no
// drag line on the screen and the width as it was.
TEST_F(GridTableControllerTest, ASizingDragEndedFromOutsideLeavesNothingBehind) {
  enum class TEnd { kCancelMode, kLostCapture, kEscape };
  for (TEnd end : {TEnd::kCancelMode, TEnd::kLostCapture, TEnd::kEscape}) {
    SCOPED_TRACE(static_cast<int>(end));
    const int32_t width = datei_->Width();
    const int32_t left = StripInfo()->ColumnLeft(datei_);
    const int32_t edge = left + width - 1;
    HDC dc = GetDC(SiteWindow());
    const COLORREF before = GetPixel(dc, left + width + 29, 40);
    Mouse(WM_LBUTTONDOWN, edge, 5, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, edge + 30, 5, MK_LBUTTON);
    auto* object = dynamic_cast<TlxGridColumnHorzSizingObject*>(site_->DragDropObject());
    ASSERT_NE(object, nullptr);
    if (object->DragLineShown()) {
      EXPECT_NE(GetPixel(dc, object->ShownDragLine().Left, 40), before);
    }
    switch (end) {
      case TEnd::kCancelMode:
        SendMessageW(SiteWindow(), WM_CANCELMODE, 0, 0);
        break;
      case TEnd::kLostCapture:
        ReleaseCapture();
        break;
      case TEnd::kEscape:
        SendMessageW(SiteWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    }
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(site_->DragDropObject(), nullptr);
    EXPECT_EQ(Controller()->SizedColumn(), nullptr);
    EXPECT_EQ(datei_->Width(), width);
    EXPECT_EQ(GetPixel(dc, left + width + 29, 40), before);
    ReleaseDC(SiteWindow(), dc);
    Mouse(WM_LBUTTONUP, edge + 30, 5, 0);
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(datei_->Width(), width);
  }
}

// --- column moving ----------------------------------------------------------------

TEST_F(GridTableControllerTest, DraggingAHeaderMovesTheColumnUnlessDroppedOnItself) {
  view_->OptionsCustomize()->SetColumnMoving(true);
  std::vector<std::string> moved;
  view_->SetOnColumnPosChanged([&](TlxGridTableView*, TlxGridColumn* column) { moved.push_back(column->Caption()); });
  // On itself, and just right of itself: nothing moves.
  const int32_t start = StripInfo()->ColumnLeft(datei_) + 30;
  Mouse(WM_LBUTTONDOWN, start, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, start + 40, 5, MK_LBUTTON);
  Mouse(WM_LBUTTONUP, start + 40, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(datei_->VisibleIndex(), 1);
  EXPECT_TRUE(moved.empty());
  EXPECT_TRUE(Sorting().empty());

  // Onto the right half of "Datum": behind it.
  const int32_t target = StripInfo()->ColumnLeft(datum_) + datum_->Width() - 10;
  Mouse(WM_LBUTTONDOWN, start, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, start + 20, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, target, 5, MK_LBUTTON);
  auto* object = dynamic_cast<TlxGridColumnHeaderMovingObject*>(site_->DragDropObject());
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->DestIndex(), 4);
  ASSERT_NE(object->DragImage(), nullptr);
  EXPECT_TRUE(object->DragImage()->IsShowing());
  EXPECT_TRUE(object->Arrow(0)->IsShowing());
  EXPECT_TRUE(object->Arrow(1)->IsShowing());
  EXPECT_EQ(Screen->Cursor(), crArrow);
  Mouse(WM_LBUTTONUP, target, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(datei_->VisibleIndex(), 3);
  EXPECT_EQ(moved, (std::vector<std::string>{"Datei"}));
  EXPECT_TRUE(Sorting().empty());
  EXPECT_EQ(Controller()->MovingItem(), nullptr);
}

// Dropped outside the header panel a column is hidden when it may be, with
// the remove cursor on the way; otherwise the no-drop cursor shows and the
// drop changes nothing.
TEST_F(GridTableControllerTest, AHeaderDroppedOutsideIsHiddenOnlyWhenHidingIsAllowed) {
  view_->OptionsCustomize()->SetColumnMoving(true);
  std::vector<std::string> moved;
  view_->SetOnColumnPosChanged([&](TlxGridTableView*, TlxGridColumn* column) { moved.push_back(column->Caption()); });
  const int32_t start = StripInfo()->ColumnLeft(groesse_) + 30;
  for (bool hiding : {false, true}) {
    SCOPED_TRACE(hiding);
    view_->OptionsCustomize()->SetColumnHiding(hiding);
    Mouse(WM_LBUTTONDOWN, start, 5, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, start, 60, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, start, RowY(3), MK_LBUTTON);
    ASSERT_NE(site_->DragDropObject(), nullptr);
    EXPECT_EQ(Screen->Cursor(), static_cast<TCursor>(hiding ? GridRemoveCursor : GridNoDropCursor));
    Mouse(WM_LBUTTONUP, start, RowY(3), 0);
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(groesse_->Visible(), !hiding);
  }
  EXPECT_EQ(moved, (std::vector<std::string>{"Größe"}));
}

TEST_F(GridTableControllerTest, ACancelledHeaderDragLeavesNoImageAndMovesNothing) {
  view_->OptionsCustomize()->SetColumnMoving(true);
  const int32_t start = StripInfo()->ColumnLeft(datei_) + 30;
  const int32_t target = StripInfo()->ColumnLeft(datum_) + datum_->Width() - 10;
  Mouse(WM_LBUTTONDOWN, start, 5, MK_LBUTTON);
  Mouse(WM_MOUSEMOVE, target, 5, MK_LBUTTON);
  ASSERT_NE(site_->DragDropObject(), nullptr);
  SendMessageW(SiteWindow(), WM_CANCELMODE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(site_->DragDropObject(), nullptr);
  EXPECT_EQ(Controller()->MovingItem(), nullptr);
  EXPECT_EQ(Controller()->PressedColumn(), nullptr);
  Mouse(WM_LBUTTONUP, target, 5, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(datei_->VisibleIndex(), 1);
  EXPECT_TRUE(Sorting().empty());
}

TEST_F(GridTableControllerTest, TheSizingEdgeShowsTheSizingCursor) {
  const int32_t edge = StripInfo()->ColumnLeft(nr_) + nr_->Width() - 1;
  Mouse(WM_MOUSEMOVE, edge, 5, 0);
  EXPECT_EQ(site_->Cursor(), static_cast<TCursor>(GridHorzSizeCursor));
  Mouse(WM_MOUSEMOVE, edge - 20, 5, 0);
  EXPECT_NE(site_->Cursor(), static_cast<TCursor>(GridHorzSizeCursor));
}

TEST_F(GridTableControllerTest, AHeaderOfAColumnThatCannotMoveStartsNoDrag) {
  const int32_t start = StripInfo()->ColumnLeft(datei_) + 30;
  Mouse(WM_LBUTTONDOWN, start, 5, MK_LBUTTON);
  EXPECT_EQ(site_->DragDropObject(), nullptr);
  Mouse(WM_LBUTTONUP, start, 5, 0);
  test_support::PumpMessagesUntilIdle();
}

// --- timers ---------------------------------------------------------------------

TEST_F(GridTableControllerTest, PullFocusingFollowsTheMouseAndTheTimerPullsPastTheRows) {
  view_->OptionsBehavior()->SetPullFocusing(true);
  Mouse(WM_LBUTTONDOWN, 100, RowY(0), MK_LBUTTON);
  ASSERT_TRUE(Controller()->IsPullFocusing());
  Mouse(WM_MOUSEMOVE, 100, RowY(2), MK_LBUTTON);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 2);
  // Above the rows the timer pulls the focus up to the top record.
  Mouse(WM_MOUSEMOVE, 100, -20, MK_LBUTTON);
  ASSERT_NE(Controller()->PullFocusingTimer(), nullptr);
  EXPECT_EQ(Controller()->PullFocusingTimer()->Interval(), 50u);
  Controller()->PullFocusingTimer()->FireTimer();
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 0);
  Mouse(WM_LBUTTONUP, 100, -20, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Controller()->IsPullFocusing());
  EXPECT_EQ(Controller()->PullFocusingTimer(), nullptr);
}

TEST_F(GridTableControllerTest, DraggingOverTheFirstRowScrollsUpEveryTwentyMilliseconds) {
  view_->OptionsBehavior()->SetDragScrolling(true);
  bool accept = true;
  Controller()->DragOver(nullptr, 100, RowY(0), dsDragMove, accept);
  ASSERT_NE(Controller()->DragScrollTimer(), nullptr);
  EXPECT_EQ(Controller()->DragScrollTimer()->Interval(), 20u);
  EXPECT_EQ(Controller()->DragScrollDirection(), dirUp);
  Controller()->DragOver(nullptr, 100, RowY(2), dsDragMove, accept);
  EXPECT_EQ(Controller()->DragScrollTimer(), nullptr);
  Controller()->DragOver(nullptr, 100, RowY(0), dsDragMove, accept);
  Controller()->DragOver(nullptr, 100, RowY(0), dsDragLeave, accept);
  EXPECT_EQ(Controller()->DragScrollTimer(), nullptr);
  Controller()->DragOver(nullptr, 100, RowY(0), dsDragMove, accept);
  Controller()->EndDrag(nullptr, 0, 0);
  EXPECT_EQ(Controller()->DragScrollTimer(), nullptr);
  EXPECT_EQ(Controller()->DragScrollDirection(), dirNone);
}

TEST_F(GridTableControllerTest, TypingSearchesTheFirstColumnAndBackspaceShortensTheText) {
  view_->OptionsBehavior()->SetIncSearch(true);
  view_->OptionsBehavior()->SetIncSearchItem(datei_);
  Controller()->SetFocusedRecordIndex(0);
  ASSERT_TRUE(datei_->CanIncSearch());
  for (char16_t c : std::u16string(u"C:\\f4"))
    SendMessageW(SiteWindow(), WM_CHAR, c, 1);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(Controller()->IsIncSearching());
  EXPECT_EQ(Controller()->IncSearchingText(), "C:\\f4");
  EXPECT_EQ(view_->ViewData()->Records(Controller()->FocusedRecordIndex())->GetValue(nr_->Index()).AsInteger(), 4);
  Key(VK_BACK);
  EXPECT_EQ(Controller()->IncSearchingText(), "C:\\f");
  Key(VK_ESCAPE);
  EXPECT_FALSE(Controller()->IsIncSearching());
}

}  // namespace grid_table_controller_win_test
