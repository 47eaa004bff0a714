// The grid stand-in follows the file list and offers the rows by index.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/file_list.h"
#include "app/grid_stand_in.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/exceptions.h"

namespace {

namespace fs = std::filesystem;

class GridStandInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / "lx-grid-stand-in";
    fs::create_directories(folder_);
    source_->SetDataSet(list_.DataSet());
    view_->AddColumn("Sortkey", "Nr.");
    view_->AddColumn("Datei", "Datei");
    view_->SetDataSource(source_);
    view_->OnRowsChanged = [this](TObject*) { ++reloads_; };
  }
  void TearDown() override {
    owner_.reset();
    std::error_code error;
    fs::remove_all(folder_, error);
  }
  std::string MakeFile(const std::string& name) {
    const fs::path path = folder_ / name;
    std::ofstream(path) << "x";
    return path.string();
  }

  fs::path folder_;
  std::unique_ptr<TComponent> owner_ = std::make_unique<TComponent>(nullptr);
  FileList list_{owner_.get()};
  TDataSource* source_ = new TDataSource(owner_.get());
  TGridStandInView* view_ = new TGridStandInView(owner_.get());
  int reloads_ = 0;
};

TEST_F(GridStandInTest, RowsFollowTheDatasetInItsOrder) {
  const std::string a = MakeFile("a.pdf");
  const std::string b = MakeFile("b.pdf");
  list_.AddFile(a);
  list_.AddFile(b);
  TGridStandInViewData* rows = view_->GetViewData();
  ASSERT_EQ(view_->GetDataController()->GetRecordCount(), 2);
  EXPECT_EQ(rows->GetRecord(0).GetValue(1).AsString(), a);
  EXPECT_EQ(rows->GetRecord(1).GetValue(1).AsString(), b);
  EXPECT_EQ(rows->GetRecord(1).GetValue(0).AsInteger(), 2);
  EXPECT_GT(reloads_, 0);

  list_.Clear();
  EXPECT_EQ(view_->GetDataController()->GetRecordCount(), 0);
}

TEST_F(GridStandInTest, AnIndexOutsideTheRowsRaisesTheListIndexError) {
  list_.AddFile(MakeFile("a.pdf"));
  try {
    view_->GetViewData()->GetRecord(1);
    ADD_FAILURE() << "no error";
  } catch (const EListError& error) {
    EXPECT_EQ(error.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(view_->GetViewData()->GetRecord(-1), EListError);
}

TEST_F(GridStandInTest, AnUpdateBracketTakesChangesOverOnceAtItsEnd) {
  list_.AddFile(MakeFile("a.pdf"));
  TGridStandInDataController* controller = view_->GetDataController();
  controller->BeginUpdate();
  controller->BeginUpdate();
  const int before = reloads_;
  list_.Clear();
  EXPECT_EQ(controller->GetRecordCount(), 1) << "rows stay while the bracket is open";
  controller->EndUpdate();
  EXPECT_EQ(reloads_, before);
  controller->EndUpdate();
  EXPECT_EQ(controller->GetRecordCount(), 0);
  EXPECT_EQ(reloads_, before + 1);
}

TEST_F(GridStandInTest, AnUnbalancedEndNeitherReloadsNorBlocksLaterBrackets) {
  TGridStandInDataController* controller = view_->GetDataController();
  const int before = reloads_;
  controller->EndUpdate();
  EXPECT_EQ(reloads_, before);
  EXPECT_EQ(controller->UpdateCount(), 0);
  list_.AddFile(MakeFile("a.pdf"));
  EXPECT_EQ(controller->GetRecordCount(), 1);
}

TEST_F(GridStandInTest, MovingTheCurrentRowReloadsNothing) {
  list_.AddFile(MakeFile("a.pdf"));
  list_.AddFile(MakeFile("b.pdf"));
  const int before = reloads_;
  list_.DataSet()->First();
  list_.DataSet()->Next();
  EXPECT_EQ(reloads_, before);
}

// A text field whose reading fails on demand, as a field of a real source
// may fail (a value that cannot be converted, a source that went away).
class TFailingStringField : public TStringField {
 public:
  using TStringField::TStringField;
  Variant AsVariant() const override {
    if (fail)
      throw Exception("Lesefehler");
    return TStringField::AsVariant();
  }
  bool fail = false;
};

TEST(GridStandIn, AReadThatFailsKeepsTheRowsAndLeavesTheListAbleToReload) {
  TComponent owner(nullptr);
  auto* data_set = new TClientDataSet(&owner);
  auto* datei = new TFailingStringField(&owner);
  datei->SetFieldName("Datei");
  datei->SetDataSet(data_set);
  auto* sortkey = new TIntegerField(&owner);
  sortkey->SetFieldName("Sortkey");
  sortkey->SetDataSet(data_set);
  data_set->CreateDataSet();
  auto* source = new TDataSource(&owner);
  source->SetDataSet(data_set);
  auto* view = new TGridStandInView(&owner);
  view->AddColumn("Datei", "Datei");
  view->SetDataSource(source);

  const auto add_row = [&](const std::string& name, int32_t key) {
    data_set->Append();
    datei->SetAsString(name);
    sortkey->SetAsInteger(key);
    data_set->Post();
  };
  add_row("a.pdf", 1);
  add_row("b.pdf", 2);

  datei->fail = true;
  EXPECT_THROW(add_row("c.pdf", 3), Exception);
  TGridStandInViewData* rows = view->GetViewData();
  ASSERT_EQ(rows->RecordCount(), 2) << "the rows shown before stay";
  EXPECT_EQ(rows->GetRecord(1).GetValue(0).AsString(), "b.pdf");
  EXPECT_FALSE(data_set->ControlsDisabled());
  EXPECT_EQ(data_set->State(), dsBrowse);
  EXPECT_EQ(datei->AsString(), "c.pdf") << "the current row is where it was";

  datei->fail = false;
  add_row("d.pdf", 4);
  ASSERT_EQ(rows->RecordCount(), 4) << "the list reloads again";
  EXPECT_EQ(rows->GetRecord(2).GetValue(0).AsString(), "c.pdf");
  EXPECT_EQ(rows->GetRecord(3).GetValue(0).AsString(), "d.pdf");

  // Inside an update bracket the failure comes at its end, and the bracket
  // is closed all the same.
  TGridStandInDataController* controller = view->GetDataController();
  controller->BeginUpdate();
  add_row("e.pdf", 5);
  datei->fail = true;
  EXPECT_THROW(controller->EndUpdate(), Exception);
  EXPECT_EQ(controller->UpdateCount(), 0);
  datei->fail = false;
  add_row("f.pdf", 6);
  EXPECT_EQ(rows->RecordCount(), 6);
}

}  // namespace
