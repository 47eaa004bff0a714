// The file list over the in-memory dataset: rows with size, date and sort
// key; failures that leave nothing half-added.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "app/file_list.h"
#include "platform/db/client_data_set.h"
#include "platform/db/field.h"
#include "platform/rtl/component.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"

namespace {

namespace fs = std::filesystem;

class FileListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("lx-file-list-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    owner_.reset();
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  std::string MakeFile(const std::string& name, size_t size) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    return path.string();
  }

  fs::path folder_;
  std::unique_ptr<TComponent> owner_ = std::make_unique<TComponent>(nullptr);
  FileList list_{owner_.get()};
};

TEST_F(FileListTest, RowsCarryPathSizeDateAndIncreasingSortKeys) {
  const std::string first = MakeFile("eins.pdf", 1234);
  const std::string second = MakeFile("zwei.pdf", 0);
  list_.AddFile(first);
  list_.AddFile(second);
  list_.AddFile(first);  // the same file twice is two rows
  EXPECT_EQ(list_.RowCount(), 3);
  EXPECT_EQ(list_.NextSortkey(), 4);
  EXPECT_EQ(list_.Paths(), (std::vector<std::string>{first, second, first}));

  TDataSet* data = list_.DataSet();
  data->First();
  EXPECT_EQ(data->FieldByName("Groesse")->AsFloat(), 1234.0);
  EXPECT_EQ(data->FieldByName("Sortkey")->AsInteger(), 1);
  EXPECT_NEAR(data->FieldByName("Datum")->AsDateTime(), Now(), 1.0);
  data->Last();
  EXPECT_EQ(data->FieldByName("Sortkey")->AsInteger(), 3);

  list_.Clear();
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.NextSortkey(), 1);
}

TEST_F(FileListTest, AFileThatCannotBeReadAddsNothing) {
  list_.AddFile(MakeFile("gut.pdf", 10));
  EXPECT_THROW(list_.AddFile((folder_ / "fehlt.pdf").string()), Exception);
  EXPECT_EQ(list_.RowCount(), 1);
  EXPECT_EQ(list_.NextSortkey(), 2);
  EXPECT_EQ(list_.DataSet()->State(), dsBrowse);
}

TEST_F(FileListTest, ALockedFileAddsNothing) {
  const std::string locked = MakeFile("gesperrt.pdf", 10);
  TFileStream holder(locked, fmOpenReadWrite | fmShareExclusive);
  EXPECT_THROW(list_.AddFile(locked), Exception);
  EXPECT_EQ(list_.RowCount(), 0);
  EXPECT_EQ(list_.DataSet()->State(), dsBrowse);
}

TEST_F(FileListTest, SizesBeyondFourGigabytesStayExact) {
  const fs::path big = folder_ / "gross.pdf";
  { std::ofstream(big, std::ios::binary) << 'x'; }
  fs::resize_file(big, (int64_t{5} << 30) + 7);  // sparse: no disk used
  EXPECT_EQ(FileSize64(big.string()), (int64_t{5} << 30) + 7);
  list_.AddFile(big.string());
  list_.DataSet()->First();
  EXPECT_EQ(list_.DataSet()->FieldByName("Groesse")->AsFloat(), static_cast<double>((int64_t{5} << 30) + 7));
}

}  // namespace
