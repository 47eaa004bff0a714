// In-place editing on a real grid over the client dataset of the file list:
// the dataset-bound table view with its own layout, editing on, and the real
// text, currency and date editors typed into through window messages. The
// edit-show timer is ticked through its test hook; after each edit the
// dataset and the view data must agree.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/db_data_controller.h"
#include "editors/default_editors.h"
#include "editors/edit_control_win.h"
#include "editors/edit_inplace_list_win.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_editing_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace grid_inplace_editing_win_test {

class InplaceEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->groesse->SetCurrency(true);
    files_->AddRows(6);
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 700, 400);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 620, 300);
    view_ = lxCreateGridView<TlxGridDBTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsView()->SetGroupByBox(false);
    view_->OptionsData()->SetEditing(true);
    view_->OptionsData()->SetInserting(false);
    view_->OptionsCustomize()->SetColumnFiltering(false);
    view_->OptionsSelection()->SetCellSelect(true);
    // A click opens the editor only on a focused cell, after the
    // double-click time; the immediate editor has its own test.
    view_->OptionsBehavior()->SetImmediateEditor(false);
    view_->DataController()->SetDataSource(files_->source);
    view_->DataController()->SetDetailKeyFieldNames("Datei");
    nr_ = AddColumn("Nr.", "Sortkey", 46);
    datei_ = AddColumn("Datei", "Datei", 300);
    groesse_ = AddColumn("Größe", "Groesse", 114);
    datum_ = AddColumn("Datum", "Datum", 140);
    saved_on_exception_ = Application->OnException;
    Application->OnException = [this](TObject*, const Exception& error) { errors_.push_back(error.Message()); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    Calculate();
    site_ = view_->Site();
    site_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }

  void TearDown() override {
    Application->OnException = saved_on_exception_;
    if (form_ != nullptr)
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

  void Calculate() {
    Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridTableController* Controller() const { return static_cast<TlxGridTableController*>(view_->Controller()); }
  TlxGridEditingController* Editing() const { return Controller()->EditingController(); }
  TlxCustomGridViewInfo* Info() const { return static_cast<TlxCustomGridView*>(view_)->ViewInfo(); }
  TlxCustomDataController* Data() const { return view_->DataController(); }

  TlxGridTableDataCellViewInfo* Cell(TlxGridColumn* column, int32_t row) {
    TlxCustomGridRecord* record = view_->ViewData()->Records(row);
    if (record == nullptr || record->ViewInfo() == nullptr)
      return nullptr;
    return record->ViewInfo()->GetCellViewInfoByItem(column);
  }

  POINT CellPoint(TlxGridColumn* column, int32_t row) {
    TlxGridTableDataCellViewInfo* cell = Cell(column, row);
    EXPECT_NE(cell, nullptr) << column->Caption() << " row " << row;
    if (cell == nullptr)
      return POINT{0, 0};
    const TRect bounds = cell->BoundsRect;
    return POINT{bounds.Left + 8, (bounds.Top + bounds.Bottom) / 2};
  }

  void Click(POINT point) {
    test_support::SendClick(site_->Handle(), point);
    test_support::PumpMessagesUntilIdle();
  }

  // Focuses the cell by a click and opens its editor by a second click
  // after the double-click time.
  void OpenByClicks(TlxGridColumn* column, int32_t row) {
    Click(CellPoint(column, row));
    ASSERT_EQ(Controller()->FocusedRecordIndex(), row);
    ASSERT_EQ(Controller()->FocusedItem(), column);
    Click(CellPoint(column, row));
    ASSERT_NE(Editing()->EditShowingTimer(), nullptr);
    Editing()->EditShowingTimer()->FireTimer();
    test_support::PumpMessagesUntilIdle();
    ASSERT_TRUE(Editing()->IsEditing());
    ASSERT_NE(Editing()->Edit(), nullptr);
  }

  // Focuses the cell and types into it: the first character opens the editor.
  void TypeInto(TlxGridColumn* column, int32_t row, const std::string& text) {
    Controller()->SetFocusedRecordIndex(row);
    Controller()->SetFocusedItem(column);
    test_support::PumpMessagesUntilIdle();
    test_support::SendText(site_->Handle(), text.substr(0, 1));
    test_support::PumpMessagesUntilIdle();
    ASSERT_TRUE(Editing()->IsEditing()) << column->Caption();
    test_support::SendText(GetFocus(), text.substr(1));
    test_support::PumpMessagesUntilIdle();
  }

  void KeyToFocus(UINT key, bool shift = false, bool control = false) {
    test_support::SendKey(GetFocus(), key, shift, control);
    test_support::PumpMessagesUntilIdle();
  }

  int32_t VisibleEditorCount() const {
    int32_t count = 0;
    for (int32_t i = 0; i < Editing()->EditList().GetCount(); ++i)
      if (Editing()->EditList().GetEditAt(i)->Visible())
        ++count;
    return count;
  }

  // The dataset's current values against the view data's record for every
  // row and column.
  void ExpectDatasetAndViewAgree() {
    TClientDataSet* cds = files_->cds;
    ASSERT_EQ(Data()->GetRecordCount(), cds->RecordCount());
    TlxCustomGridTableViewData* view_data = view_->ViewData();
    for (int32_t row = 0; row < view_data->RecordCount(); ++row) {
      TlxCustomGridRecord* record = view_data->Records(row);
      const int32_t key = record->GetValue(nr_->Index()).AsInteger();
      bool found = false;
      for (cds->First(); !cds->Eof(); cds->Next()) {
        if (files_->sortkey->AsInteger() != key)
          continue;
        found = true;
        EXPECT_EQ(VarToStr(record->GetValue(datei_->Index())), files_->datei->AsString()) << "key " << key;
        EXPECT_DOUBLE_EQ(record->GetValue(groesse_->Index()).AsDouble(), files_->groesse->AsFloat()) << "key " << key;
        EXPECT_DOUBLE_EQ(record->GetValue(datum_->Index()).AsDouble(), files_->datum->AsDateTime()) << "key " << key;
      }
      EXPECT_TRUE(found) << "key " << key;
    }
  }

  std::string FieldOfKey(TField* field, int32_t key) {
    TClientDataSet* cds = files_->cds;
    for (cds->First(); !cds->Eof(); cds->Next())
      if (files_->sortkey->AsInteger() == key)
        return field->AsString();
    return "<none>";
  }

  std::unique_ptr<db_test::TFileList> files_;
  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TlxGridDBTableView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
  TlxGridSite* site_ = nullptr;
  TlxGridDBColumn* nr_ = nullptr;
  TlxGridDBColumn* datei_ = nullptr;
  TlxGridDBColumn* groesse_ = nullptr;
  TlxGridDBColumn* datum_ = nullptr;
  TExceptionEvent saved_on_exception_;
  std::vector<std::string> errors_;
};

// --- opening --------------------------------------------------------------------

TEST_F(InplaceEditingTest, AClickOnTheFocusedCellOpensTheEditorAfterTheDoubleClickTime) {
  Click(CellPoint(datei_, 1));
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 1);
  // The click that focused the cell opens nothing.
  EXPECT_EQ(Editing()->EditShowingTimer(), nullptr);
  Click(CellPoint(datei_, 1));
  TlxTimer* timer = Editing()->EditShowingTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), GetDoubleClickTime());
  EXPECT_FALSE(Editing()->IsEditing());
  timer->FireTimer();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(Editing()->IsEditing());
  TlxCustomEdit* edit = Editing()->Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Parent(), site_);
  EXPECT_EQ(VarToStr(edit->EditValue()), "C:\\f2.pdf");
  TRect rect;
  Cell(datei_, 1)->GetEditorRect(rect);
  EXPECT_EQ(edit->BoundsRect(), rect);
  EXPECT_TRUE(edit->OwnsWindow(GetFocus()));
  EXPECT_TRUE(Cell(datei_, 1)->IsEditing());
  EXPECT_EQ(Editing()->EditShowingTimer(), nullptr);
}

TEST_F(InplaceEditingTest, WithTheImmediateEditorOneClickOpensTheEditorAtOnce) {
  view_->OptionsBehavior()->SetImmediateEditor(true);
  Click(CellPoint(groesse_, 3));
  EXPECT_EQ(Editing()->EditShowingTimer(), nullptr);
  ASSERT_TRUE(Editing()->IsEditing());
  EXPECT_EQ(Editing()->EditingItem(), groesse_);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 3);
  EXPECT_TRUE(Editing()->Edit()->OwnsWindow(GetFocus()));
}

TEST_F(InplaceEditingTest, ADoubleClickStopsThePendingEditorShow) {
  Click(CellPoint(datei_, 2));
  Click(CellPoint(datei_, 2));
  ASSERT_NE(Editing()->EditShowingTimer(), nullptr);
  const POINT point = CellPoint(datei_, 2);
  SendMessageW(site_->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  SendMessageW(site_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Editing()->EditShowingTimer(), nullptr);
  EXPECT_FALSE(Editing()->IsEditing());
}

TEST_F(InplaceEditingTest, F2OpensTheEditorAndNoEditorShowsWithEditingOff) {
  Controller()->SetFocusedRecordIndex(0);
  Controller()->SetFocusedItem(datei_);
  test_support::SendKey(site_->Handle(), VK_F2);
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(Editing()->IsEditing());
  KeyToFocus(VK_ESCAPE);
  EXPECT_FALSE(Editing()->IsEditing());

  view_->OptionsData()->SetEditing(false);
  test_support::SendKey(site_->Handle(), VK_F2);
  test_support::SendText(site_->Handle(), "x");
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(VisibleEditorCount(), 0);
}

// --- typing and posting ----------------------------------------------------------

TEST_F(InplaceEditingTest, TypedTextGoesToTheRecordOnEnterAndIsPostedOnLeavingTheRow) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 0, "D:\\neu.pdf"));
  TlxCustomEdit* edit = Editing()->Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->ShownText(), "D:\\neu.pdf");
  KeyToFocus(VK_RETURN);
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_FALSE(edit->Visible());
  EXPECT_TRUE(site_->Focused());
  // Enter hands the value to the record; the row's edit stays open.
  EXPECT_TRUE(Data()->IsEditing());
  EXPECT_EQ(files_->datei->AsString(), "D:\\neu.pdf");
  test_support::SendKey(site_->Handle(), VK_DOWN);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Data()->IsEditing());
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 1);
  EXPECT_EQ(FieldOfKey(files_->datei, 1), "D:\\neu.pdf");
  ExpectDatasetAndViewAgree();
}

TEST_F(InplaceEditingTest, TheCurrencyAndDateCellsTakeTypedValues) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(groesse_, 2, "4711"));
  KeyToFocus(VK_RETURN);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_DOUBLE_EQ(files_->groesse->AsFloat(), 4711.0);

  ASSERT_NO_FATAL_FAILURE(TypeInto(datum_, 2, "05.03.2009"));
  KeyToFocus(VK_RETURN);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(static_cast<int32_t>(files_->datum->AsDateTime()), static_cast<int32_t>(EncodeDate(2009, 3, 5)));
  Data()->Post();
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Data()->IsEditing());
  EXPECT_EQ(FieldOfKey(files_->groesse, 3), "4711");
  ExpectDatasetAndViewAgree();
}

TEST_F(InplaceEditingTest, EscRevertsAModifiedEditorAndIsConsumedOnlyThen) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 3, "weg"));
  ASSERT_TRUE(Editing()->Edit()->ModifiedAfterEnter());
  uint16_t key = VK_ESCAPE;
  Editing()->EditKeyDown(key, TShiftState());
  EXPECT_EQ(key, 0);
  EXPECT_FALSE(Editing()->IsEditing());
  // The record's own edit is left to the next Esc, with nothing written.
  EXPECT_EQ(files_->datei->AsString(), "C:\\f4.pdf");
  test_support::SendKey(site_->Handle(), VK_ESCAPE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Data()->IsEditing());

  // An editor that holds nothing new lets the Esc go on.
  Controller()->SetFocusedItem(datei_);
  test_support::SendKey(site_->Handle(), VK_F2);
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(Editing()->IsEditing());
  key = VK_ESCAPE;
  Editing()->EditKeyDown(key, TShiftState());
  EXPECT_EQ(key, VK_ESCAPE);
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(FieldOfKey(files_->datei, 4), "C:\\f4.pdf");
  ExpectDatasetAndViewAgree();
}

TEST_F(InplaceEditingTest, ARefusedValueKeepsTheEditorOpen) {
  datei_->GetProperties()->OnValidate = [](TObject*, Variant& value, std::string& error_text, bool& error) {
    if (VarToStr(value) == "bad") {
      error = true;
      error_text = "Kein gültiger Dateiname";
    }
  };
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 1, "bad"));
  KeyToFocus(VK_RETURN);
  ASSERT_TRUE(Editing()->IsEditing());
  ASSERT_NE(Editing()->Edit(), nullptr);
  EXPECT_TRUE(Editing()->Edit()->Visible());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_EQ(errors_[0], "Kein gültiger Dateiname");
  EXPECT_EQ(files_->datei->AsString(), "C:\\f2.pdf");
  // Leaving the row cannot take the refused value along either.
  test_support::SendKey(GetFocus(), VK_DOWN);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(Editing()->IsEditing());
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 1);

  test_support::SendText(GetFocus(), "good");
  test_support::PumpMessagesUntilIdle();
  KeyToFocus(VK_RETURN);
  EXPECT_FALSE(Editing()->IsEditing());
  // The refused text was selected again, so the new text replaced it.
  EXPECT_EQ(files_->datei->AsString(), "good");
}

TEST_F(InplaceEditingTest, AnInvalidDateKeepsTheEditorOpenWithoutACrash) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(datum_, 0, "31.02.2009"));
  KeyToFocus(VK_RETURN);
  if (Editing()->IsEditing()) {
    EXPECT_TRUE(Editing()->Edit()->Visible());
    EXPECT_EQ(VisibleEditorCount(), 1);
    KeyToFocus(VK_ESCAPE);
  }
  EXPECT_FALSE(Editing()->IsEditing());
  Data()->Cancel();
  ExpectDatasetAndViewAgree();
}

// --- placing ------------------------------------------------------------------------

TEST_F(InplaceEditingTest, TheEditorFollowsItsCellOnHorizontalScrollAndParksOutOfView) {
  view_->OptionsView()->SetColumnAutoWidth(false);
  datei_->SetWidth(500);
  Calculate();
  ASSERT_GT(Controller()->GetDataWidth(), Controller()->GetVisibleDataWidth());
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(groesse_, 1));
  TlxCustomEdit* edit = Editing()->Edit();
  const int32_t left_before = edit->Left();
  Controller()->SetLeftPos(40);
  test_support::PumpMessagesUntilIdle();
  TRect rect;
  Cell(groesse_, 1)->GetEditorRect(rect);
  EXPECT_EQ(edit->Left(), rect.Left);
  EXPECT_EQ(edit->Left(), left_before - 40);
  Controller()->SetLeftPos(0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->Left(), left_before);
  KeyToFocus(VK_RETURN);

  // The first column leaves the view at its left edge: the editor parks.
  Controller()->SetLeftPos(0);
  test_support::PumpMessagesUntilIdle();
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(nr_, 1));
  edit = Editing()->Edit();
  Controller()->SetLeftPos(20);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->Left(), TlxGridEditingController::kParkedLeft);
  EXPECT_TRUE(Editing()->IsEditing());
  Controller()->SetLeftPos(0);
  test_support::PumpMessagesUntilIdle();
  Cell(nr_, 1)->GetEditorRect(rect);
  EXPECT_EQ(edit->Left(), rect.Left);
}

TEST_F(InplaceEditingTest, TheEditorFollowsItsRowWhenTheRecordsScrollAndParksAboveTheView) {
  for (int32_t i = 7; i <= 40; ++i)
    files_->Add("C:\\g" + std::to_string(i) + ".pdf", i, EncodeDate(2024, 2, 1), i);
  Calculate();
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(datei_, 2));
  TlxCustomEdit* edit = Editing()->Edit();
  const int32_t top_before = edit->Top();
  const int32_t row_height = Cell(datei_, 2)->BoundsRect.Height();
  Controller()->SetTopRecordIndex(1);
  test_support::PumpMessagesUntilIdle();
  TRect rect;
  Cell(datei_, 2)->GetEditorRect(rect);
  EXPECT_EQ(edit->Top(), rect.Top);
  EXPECT_LT(edit->Top(), top_before);
  EXPECT_GE(top_before - edit->Top(), row_height - 2);
  Controller()->SetTopRecordIndex(5);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->Left(), TlxGridEditingController::kParkedLeft);
  EXPECT_EQ(VisibleEditorCount(), 1);
  Controller()->SetTopRecordIndex(0);
  test_support::PumpMessagesUntilIdle();
  Cell(datei_, 2)->GetEditorRect(rect);
  EXPECT_EQ(edit->BoundsRect(), rect);
}

TEST_F(InplaceEditingTest, CtrlDeleteInTheEditorDeletesTheRecordAfterTheConfirmation) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 2, "weg"));
  std::vector<std::string> texts;
  test_support::RunWhileModal([&texts] {
    HWND dialog = test_support::FindThreadDialog();
    if (dialog == nullptr)
      return false;
    HWND ok = nullptr;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      char text[256] = {};
      GetWindowTextA(child, text, 256);
      texts.emplace_back(text);
      if (texts.back() == "OK")
        ok = child;
    }
    PostMessageW(ok, BM_CLICK, 0, 0);
    return true;
  });
  {
    // Ctrl held in this thread's keyboard state, which the editor asks.
    BYTE saved[256];
    GetKeyboardState(saved);
    BYTE held[256];
    GetKeyboardState(held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_DELETE, 1);
    SetKeyboardState(saved);
  }
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(test_support::ModalScriptPending());
  test_support::StopModalScript();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "Delete record?"), texts.end());
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(files_->cds->RecordCount(), 5);
  EXPECT_EQ(FieldOfKey(files_->datei, 3), "<none>");
  ExpectDatasetAndViewAgree();
}

TEST_F(InplaceEditingTest, AtMostOneEditorIsShownWhenTheFocusMovesBetweenCells) {
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(datei_, 1));
  EXPECT_EQ(VisibleEditorCount(), 1);
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(groesse_, 1));
  EXPECT_EQ(VisibleEditorCount(), 1);
  EXPECT_EQ(Editing()->EditingItem(), groesse_);
  ASSERT_NO_FATAL_FAILURE(OpenByClicks(datum_, 3));
  EXPECT_EQ(VisibleEditorCount(), 1);
  EXPECT_EQ(Controller()->FocusedRecordIndex(), 3);
  // Sorting by a header click closes the editor first.
  Controller()->ProcessHeaderClick(datei_, TShiftState());
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(VisibleEditorCount(), 0);
  ExpectDatasetAndViewAgree();
}

TEST_F(InplaceEditingTest, GoToNextCellOnEnterReopensTheEditorOnTheNextCell) {
  view_->OptionsBehavior()->SetGoToNextCellOnEnter(true);
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 0, "X.pdf"));
  KeyToFocus(VK_RETURN);
  EXPECT_EQ(files_->datei->AsString(), "X.pdf");
  ASSERT_TRUE(Editing()->IsEditing());
  EXPECT_EQ(Editing()->EditingItem(), groesse_);
  EXPECT_EQ(VisibleEditorCount(), 1);
}

// --- hostile order ---------------------------------------------------------------

TEST_F(InplaceEditingTest, AHandlerThatDestroysTheViewDuringAnEditorKeyEndsQuietly) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(datei_, 1, "abc"));
  TlxGridDBTableView** view_slot = &view_;
  TlxGridLevel* level_of_view = level_;
  view_->OnEditKeyDown = [view_slot, level_of_view](TlxCustomGridTableView*, TlxCustomGridTableItem*, TlxCustomEdit*,
                                                    uint16_t& key, TShiftState) {
    if (key != VK_F9)
      return;
    // The handler is a member of the view it frees: the closure is copied
    // to the stack first and not read after the delete.
    TlxGridDBTableView** slot = view_slot;
    TlxGridLevel* level = level_of_view;
    TlxGridDBTableView* view = *slot;
    *slot = nullptr;
    level->SetGridView(nullptr);
    delete view;
  };
  KeyToFocus(VK_F9);
  EXPECT_EQ(view_, nullptr);
  // The grid goes on without the view.
  grid_->Invalidate();
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(errors_.empty());
}

TEST_F(InplaceEditingTest, DeletingTheEditedColumnClosesItsEditor) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(groesse_, 1, "99"));
  delete groesse_;
  groesse_ = nullptr;
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(Editing()->IsEditing());
  EXPECT_EQ(VisibleEditorCount(), 0);
  EXPECT_EQ(files_->groesse->AsFloat(), 200.0);
  test_support::SendKey(site_->Handle(), VK_F2);
  test_support::PumpMessagesUntilIdle();
  EXPECT_NE(Editing()->EditingItem(), nullptr);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(InplaceEditingTest, ClosingTheFormWithAnOpenEditorFreesEverything) {
  ASSERT_NO_FATAL_FAILURE(TypeInto(groesse_, 4, "12"));
  ASSERT_TRUE(Editing()->IsEditing());
  form_->Free();
  form_ = nullptr;
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(errors_.empty());
}

// --- grid mode --------------------------------------------------------------------

TEST_F(InplaceEditingTest, TheGridModeBufferFollowsTheViewsHeightAfterItsTimer) {
  for (int32_t i = 7; i <= 80; ++i)
    files_->Add("C:\\g" + std::to_string(i) + ".pdf", i, EncodeDate(2024, 2, 1), i);
  auto* data = static_cast<TlxDBDataController*>(Data());
  data->DataModeController().SetGridMode(true);
  Calculate();
  const int32_t rows_before = Data()->GetRowCount();
  ASSERT_GT(rows_before, 0);
  EXPECT_EQ(rows_before, data->GetDefaultGridModeBufferCount());
  // A taller grid shows more records: calculated without the message loop,
  // so that the check waits for its timer's tick, given here through the
  // test hook.
  grid_->SetBounds(10, 10, 620, 340);
  Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
  ASSERT_TRUE(Controller()->GridModeSyncPending());
  TlxTimer* timer = Controller()->GridModeSyncTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(Data()->GetRowCount(), rows_before);
  timer->FireTimer();
  EXPECT_FALSE(Controller()->GridModeSyncPending());
  EXPECT_GT(Data()->GetRowCount(), rows_before);
  EXPECT_EQ(Data()->GetRowCount(), data->GetDefaultGridModeBufferCount());
  // Outside grid mode nothing is asked.
  data->DataModeController().SetGridMode(false);
  Calculate();
  grid_->SetBounds(10, 10, 620, 300);
  Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
  EXPECT_FALSE(Controller()->GridModeSyncPending());
}

}  // namespace grid_inplace_editing_win_test
