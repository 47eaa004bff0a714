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
#include "tests/app/long_path.h"
#include "tests/platform/db/file_list.h"

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
    link_.reset();
    owner_.reset();
    std::error_code error;
    fs::remove_all(folder_, error);
  }

  std::string MakeFile(const std::string& name, size_t size) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    return path.string();
  }

  // Follows the list as a view does.
  db_test::TRecordingLink& Watch() {
    source_ = new TDataSource(owner_.get());
    source_->SetDataSet(list_.DataSet());
    link_ = std::make_unique<db_test::TRecordingLink>();
    link_->SetDataSource(source_);
    link_->Take();
    return *link_;
  }

  fs::path folder_;
  std::unique_ptr<TComponent> owner_ = std::make_unique<TComponent>(nullptr);
  FileList list_{owner_.get()};
  TDataSource* source_ = nullptr;
  std::unique_ptr<db_test::TRecordingLink> link_;
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

TEST(IsPdfPath, ComparesTheUpperCasedExtension) {
  struct Case {
    const char* path;
    bool pdf;
  };
  for (const Case& c : {Case{"C:\\x\\a.pdf", true}, Case{"C:\\x\\a.Pdf", true}, Case{"C:\\x\\a.PDF", true},
                        Case{"C:\\x\\übersicht.pdf", true}, Case{"C:\\x\\a.pdf.bak", false},
                        Case{"C:\\x\\a.txt", false}, Case{"C:\\x\\pdf", false}, Case{"C:\\x.pdf\\a", false},
                        Case{"", false}}) {
    EXPECT_EQ(IsPdfPath(c.path), c.pdf) << c.path;
  }
}

TEST_F(FileListTest, TakesExistingPdfFilesAndPassesOverEverythingElse) {
  fs::create_directories(folder_ / "ordner.pdf");
  struct Case {
    std::string path;
    bool listed;
  };
  const Case cases[] = {
      {MakeFile("a.pdf", 1), true},
      {MakeFile("b.PDF", 1), true},
      {MakeFile("c.pdf.bak", 1), false},
      {MakeFile("d.txt", 1), false},
      {(folder_ / "ordner.pdf").string(), false},  // a folder
      {(folder_ / "fehlt.pdf").string(), false},   // gone since it was named
  };
  for (const Case& c : cases)
    EXPECT_EQ(ListsFile(c.path), c.listed) << c.path;
}

TEST_F(FileListTest, AddingManyFilesTellsTheViewOnceAtTheEnd) {
  std::vector<std::string> paths;
  for (int i = 0; i < 200; ++i)
    paths.push_back(MakeFile("datei-" + std::to_string(i) + (i % 10 == 9 ? ".txt" : ".pdf"), 1));
  db_test::TRecordingLink& link = Watch();

  list_.AddListedFiles(paths);
  EXPECT_EQ(list_.RowCount(), 180);
  EXPECT_EQ(list_.NextSortkey(), 181);
  EXPECT_EQ(link.Take(), std::vector<std::string>{"changed"});
  EXPECT_FALSE(list_.DataSet()->ControlsDisabled());
}

TEST_F(FileListTest, AnErrorEndsTheAddingKeepsTheRowsBeforeAndClosesTheBracket) {
  const std::string locked = MakeFile("gesperrt.pdf", 10);
  const std::vector<std::string> paths = {MakeFile("erst.pdf", 1), locked, MakeFile("letzt.pdf", 1)};
  db_test::TRecordingLink& link = Watch();
  {
    TFileStream holder(locked, fmOpenReadWrite | fmShareExclusive);
    EXPECT_THROW(list_.AddListedFiles(paths), Exception);
  }
  EXPECT_EQ(link.Take(), std::vector<std::string>{"changed"}) << "the view still learns of the row added";
  EXPECT_FALSE(list_.DataSet()->ControlsDisabled());
  EXPECT_EQ(list_.DataSet()->State(), dsBrowse);
  EXPECT_EQ(list_.Paths(), std::vector<std::string>{paths[0]});
  EXPECT_EQ(list_.NextSortkey(), 2);
}

TEST_F(FileListTest, ReplacingTheRowsStartsTheSortKeysAgainAtTheFirstRow) {
  list_.AddListedFiles({MakeFile("alt-1.pdf", 1), MakeFile("alt-2.pdf", 1)});
  const std::vector<std::string> paths = {MakeFile("neu-1.pdf", 1), (folder_ / "weg.pdf").string(),
                                          MakeFile("neu-2.txt", 1), MakeFile("neu-3.pdf", 1)};
  db_test::TRecordingLink& link = Watch();
  list_.DataSet()->Last();
  link.Take();
  list_.ReplaceWithListedFiles(paths);
  EXPECT_EQ(link.Take(), std::vector<std::string>{"changed"});
  EXPECT_EQ(list_.DataSet()->FieldByName("Sortkey")->AsInteger(), 1) << "on the first row";
  EXPECT_EQ(list_.Paths(), (std::vector<std::string>{paths[0], paths[3]}));
  EXPECT_EQ(list_.NextSortkey(), 3);
}

TEST_F(FileListTest, DeletingRowsBySortKeyKeepsTheOthersInOrderAndTheNextKey) {
  const std::vector<std::string> paths = {MakeFile("r1.pdf", 1), MakeFile("r2.pdf", 1), MakeFile("r3.pdf", 1),
                                          MakeFile("r4.pdf", 1), MakeFile("r5.pdf", 1)};
  list_.AddListedFiles(paths);
  db_test::TRecordingLink& link = Watch();

  // The first, a middle and the last row leave; a key no row has is ignored.
  list_.DeleteRows({5, 1, 3, 99});
  EXPECT_EQ(link.Take(), std::vector<std::string>{"changed"}) << "the view learns of it once";
  EXPECT_FALSE(list_.DataSet()->ControlsDisabled());
  EXPECT_EQ(list_.Paths(), (std::vector<std::string>{paths[1], paths[3]}));
  EXPECT_EQ(list_.NextSortkey(), 6);

  list_.DeleteRows({});
  EXPECT_EQ(list_.RowCount(), 2);
  list_.DeleteRows({2, 4});
  EXPECT_EQ(list_.RowCount(), 0);
}

TEST_F(FileListTest, PathsOfAnyLengthAreKeptWhole) {
  for (size_t length : {250u, 500u, 501u, 520u, 1100u, 3000u}) {
    const std::string path = MakeFileWithPathLength(folder_, length);
    list_.AddListedFiles({path});
    EXPECT_EQ(list_.Paths().back(), path) << length;
    RemoveFileWithPathLength(path, folder_);
  }
  EXPECT_EQ(list_.RowCount(), 6);
}

}  // namespace
