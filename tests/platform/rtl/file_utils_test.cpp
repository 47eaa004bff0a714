#include "platform/rtl/file_utils.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/memory_stream.h"

namespace {

// Paths written with "/" and turned into this build's delimiter.
std::string P(std::string path) {
  for (char& c : path) {
    if (c == '/')
      c = PathDelim;
  }
  return path;
}

struct PathCase {
  std::string name;
  std::string ext;
  std::string file;
  std::string path;
  std::string dir;
};

TEST(PathTest, SplitsNamesPathsAndExtensions) {
  const PathCase cases[] = {
      {P("/a/b/file.pdf"), ".pdf", "file.pdf", P("/a/b/"), P("/a/b")},
      {P("/a/b.d/file"), "", "file", P("/a/b.d/"), P("/a/b.d")},
      {"file.tar.gz", ".gz", "file.tar.gz", "", ""},
      {".hidden", ".hidden", ".hidden", "", ""},
      {P("/"), "", "", P("/"), P("/")},
      {"", "", "", "", ""},
      {P("/a/b/"), "", "", P("/a/b/"), P("/a/b")},
  };
  for (const PathCase& c : cases) {
    EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
    EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
    EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
  }
#ifdef _WIN32
  EXPECT_EQ(ExtractFileName("C:file.txt"), "file.txt");
  EXPECT_EQ(ExtractFileDir("C:\\"), "C:\\");
#endif
}

TEST(PathTest, ChangesExtensionsAndTrailingDelimiters) {
  EXPECT_EQ(ChangeFileExt(P("/x/prog.exe"), ".ini"), P("/x/prog.ini"));
  EXPECT_EQ(ChangeFileExt(P("/x.y/prog"), ".ini"), P("/x.y/prog.ini"));
  EXPECT_EQ(ChangeFileExt("prog.exe", ""), "prog");
  EXPECT_EQ(IncludeTrailingPathDelimiter(P("/x")), P("/x/"));
  EXPECT_EQ(IncludeTrailingPathDelimiter(P("/x/")), P("/x/"));
  EXPECT_EQ(IncludeTrailingPathDelimiter(""), P("/"));
  EXPECT_EQ(ExcludeTrailingPathDelimiter(P("/x/")), P("/x"));
  EXPECT_EQ(ExcludeTrailingPathDelimiter(P("/x")), P("/x"));
}

class FileUtilsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lx_file_utils_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }
  static std::string Read(const std::string& path) {
    TMemoryStream content;
    content.LoadFromFile(path);
    return std::string(reinterpret_cast<const char*>(content.Memory()), content.Bytes().size());
  }

  std::filesystem::path folder_;
};

TEST_F(FileUtilsTest, QueriesTellFilesFromFolders) {
  const std::string file = PathOf("data.bin");
  std::ofstream(file, std::ios::binary) << std::string(1234, 'x');
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(folder_.string()));
  EXPECT_FALSE(FileExists(folder_.string()));
  EXPECT_EQ(FileSize(file), 1234);
  EXPECT_EQ(FileSize(PathOf("missing")), -1);
  EXPECT_EQ(FileSize(folder_.string()), -1);

  TDateTime age = 0;
  ASSERT_TRUE(FileAge(file, age));
  // Written just now: within a day of the local clock's date count.
  const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  const double unix_days = static_cast<double>(now) / 86400.0 + 25569.0;
  EXPECT_NEAR(age, unix_days, 1.0);
  EXPECT_FALSE(FileAge(PathOf("missing"), age));
}

TEST_F(FileUtilsTest, CurrentFolderAndExpandedNames) {
  const std::string previous = GetCurrentDir();
  ASSERT_TRUE(SetCurrentDir(folder_.string()));
  const std::string here = GetCurrentDir();
  EXPECT_EQ(ExpandFileName("a.txt"), IncludeTrailingPathDelimiter(here) + "a.txt");
  EXPECT_EQ(ExpandFileName(P("sub/../b.txt")), IncludeTrailingPathDelimiter(here) + "b.txt");
  EXPECT_EQ(ExpandFileName(P("./c/./d.txt")), IncludeTrailingPathDelimiter(here) + P("c/d.txt"));
  ASSERT_TRUE(SetCurrentDir(previous));
  EXPECT_FALSE(SetCurrentDir(PathOf("missing")));
  EXPECT_TRUE(FileExists(ProgramFileName()));
}

TEST_F(FileUtilsTest, CreatesRenamesAndRemoves) {
  const std::string nested = PathOf(P("x/y/z"));
  EXPECT_TRUE(ForceDirectories(nested));
  EXPECT_TRUE(DirectoryExists(nested));
  EXPECT_FALSE(CreateDir(nested));
  const std::string a = PathOf("a.txt");
  const std::string b = PathOf("b.txt");
  std::ofstream(a) << "a";
  std::ofstream(b) << "b";
  EXPECT_FALSE(RenameFile(a, b));  // never replaces
  EXPECT_TRUE(RemoveFile(b));
  EXPECT_TRUE(RenameFile(a, b));
  EXPECT_EQ(Read(b), "a");
  EXPECT_FALSE(RemoveFile(a));
}

TEST_F(FileUtilsTest, AtomicWriteReplacesTheWholeFileOrNothing) {
  const std::string target = PathOf("settings.ini");
  WriteFileAtomically(target, "first");
  EXPECT_EQ(Read(target), "first");
  WriteFileAtomically(target, "second, longer");
  EXPECT_EQ(Read(target), "second, longer");
  EXPECT_FALSE(FileExists(target + ".~new"));

  // A folder in the way of the new file: the old content stays.
  std::filesystem::create_directories(target + ".~new");
  EXPECT_THROW(WriteFileAtomically(target, "third"), EStreamError);
  EXPECT_EQ(Read(target), "second, longer");
  std::filesystem::remove_all(target + ".~new");

  EXPECT_THROW(WriteFileAtomically(PathOf(P("missing/x.ini")), "x"), EFCreateError);
}

}  // namespace
