// The grid stand-in follows the file list and offers the rows by index.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/file_list.h"
#include "app/grid_stand_in.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
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

}  // namespace
