#pragma once
// A real form holding the main window's kind of grid: a dataset-bound table
// view over the file list's client dataset with the four columns "Nr.",
// "Datei", "Größe" and "Datum", laid out by the real table layout. Tests
// that drive the grid with window messages or real input share it.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_repository_items.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/toolkit/form.h"
#include "tests/platform/db/file_list.h"
#include "tests/support/message_pump.h"

namespace grid_file_list_form {

class FileListGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lxEditDBRegisteredRepositoryItemsModuleStart();
    lxGridDBTableViewModuleStart();
    files_ = std::make_unique<db_test::TFileList>();
    files_->AddRows(RowCount());
    form_ = new TForm(nullptr);
    form_->SetBounds(20, 20, 720, 420);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 640, 320);
    view_ = lxCreateGridView<TlxGridDBTableView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    view_->OptionsView()->SetColumnAutoWidth(true);
    view_->OptionsData()->SetEditing(false);
    view_->OptionsData()->SetInserting(false);
    view_->DataController()->SetDataSource(files_->source);
    view_->DataController()->SetDetailKeyFieldNames("Datei");
    nr_ = AddColumn("Nr.", "Sortkey", 46);
    datei_ = AddColumn("Datei", "Datei", 300);
    groesse_ = AddColumn("Größe", "Groesse", 100);
    datum_ = AddColumn("Datum", "Datum", 140);
    Configure();
    form_->Show();
    SetForegroundWindow(form_->Handle());
    test_support::PumpMessagesUntilIdle();
    site_ = view_->Site();
    Relayout();
    site_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }

  void TearDown() override {
    if (form_ != nullptr)
      form_->Free();
    test_support::PumpMessagesUntilIdle();
    files_.reset();
    lxGridDBTableViewModuleEnd();
    lxEditDBRegisteredRepositoryItemsModuleEnd();
    lxFreeEditDataRegisteredRepositoryItems();
    lxFreeDefaultEditRepository();
  }

  virtual int RowCount() const { return 28; }
  // Options a test needs before the form shows.
  virtual void Configure() {}

  TlxGridDBColumn* AddColumn(const std::string& caption, const std::string& field, int32_t width) {
    TlxGridDBColumn* column = view_->CreateColumn();
    column->SetCaption(caption);
    column->DataBinding()->SetFieldName(field);
    column->SetWidth(width);
    return column;
  }

  void Relayout() {
    Info()->MainCalculate(TRect(0, 0, grid_->Width(), grid_->Height()));
    test_support::PumpMessagesUntilIdle();
  }

  TlxGridTableController* Controller() const { return static_cast<TlxGridTableController*>(view_->Controller()); }
  TlxCustomGridViewInfo* Info() const { return static_cast<TlxCustomGridView*>(view_)->ViewInfo(); }

  // The first point (scanning the site in steps of 2 pixels) where the
  // layout's hit test passes `matches`.
  template <class Predicate>
  std::optional<TPoint> FindPoint(Predicate matches) {
    for (int32_t y = 1; y < site_->Height(); y += 2)
      for (int32_t x = 1; x < site_->Width(); x += 2)
        if (matches(Info()->GetHitTestAtXY(x, y)))
          return TPoint(x, y);
    return std::nullopt;
  }

  // A point well inside the header of `column` in the header panel (or, with
  // `group_by_box`, in the group-by box).
  std::optional<TPoint> HeaderPoint(TlxGridColumn* column, bool group_by_box = false) {
    const int32_t kind = group_by_box ? ccGroupByBox : ccHeader;
    std::optional<TPoint> corner = FindPoint([&](TlxCustomGridHitTest* hit_test) {
      auto* header = dynamic_cast<TlxGridColumnHeaderHitTest*>(hit_test);
      return header != nullptr && header->Column == column && header->ColumnContainerKind == kind;
    });
    if (!corner.has_value())
      return std::nullopt;
    return TPoint(corner->X + 8, corner->Y + 4);
  }

  POINT ScreenPoint(const TPoint& client) const {
    const TPoint screen = site_->ClientToScreen(client);
    return POINT{screen.X, screen.Y};
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
};

}  // namespace grid_file_list_form
