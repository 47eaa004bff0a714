// Writing a settings file back never harms the file that is there: a
// read-only file is left alone, and a failure on the way leaves the old
// content whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/rtl/file_attributes.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/stream.h"
#include "tests/platform/rtl/ini_file_fixture.h"

namespace {

namespace fs = std::filesystem;

using IniWriteBackTest = IniFileFixture;

constexpr char kOldContent[] = "; Kommentar\r\n[A]\r\nx=old\r\n";

TEST_F(IniWriteBackTest, ReadOnlyFileIsNeverReplaced) {
  WriteFile(kOldContent);
  fs::permissions(path_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_TRUE(FileIsReadOnly(path_));
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  try {
    ini.UpdateFile();
    ADD_FAILURE() << "a read-only file was written";
  } catch (const EFCreateError& error) {
    EXPECT_NE(error.Message().find(path_), std::string::npos) << error.Message();
    EXPECT_NE(error.Message().find("read-only"), std::string::npos) << error.Message();
  }
  EXPECT_EQ(ReadFile(), kOldContent);
  EXPECT_TRUE(FileIsReadOnly(path_));
  EXPECT_FALSE(fs::exists(HelperFile()));

  // Once the mark is gone, the content in memory is written as usual.
  fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add);
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "; Kommentar\r\n[A]\r\nx=new\r\n\r\n");
}

TEST_F(IniWriteBackTest, FilesThatAreNotReadOnly) {
  EXPECT_FALSE(FileIsReadOnly(path_)) << "a missing file";
  WriteFile(kOldContent);
  EXPECT_FALSE(FileIsReadOnly(path_));
  fs::permissions(path_, fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
  EXPECT_FALSE(FileIsReadOnly(path_)) << "writable by its owner";
}

TEST_F(IniWriteBackTest, HelperFileThatCannotBeCreatedLeavesTheOldFileWhole) {
  WriteFile(kOldContent);
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  // A folder in the helper file's place.
  fs::create_directory(HelperFile());
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  EXPECT_EQ(ReadFile(), kOldContent);
  EXPECT_TRUE(fs::is_directory(HelperFile()));

  fs::remove(HelperFile());
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "; Kommentar\r\n[A]\r\nx=new\r\n\r\n");
  EXPECT_FALSE(fs::exists(HelperFile()));
}

TEST_F(IniWriteBackTest, MissingFolderFailsCleanly) {
  TMemIniFile ini((folder_ / "fehlt" / "Setting.Ini").string());
  ini.WriteString("A", "x", "1");
  EXPECT_THROW(ini.UpdateFile(), EFCreateError);
  EXPECT_FALSE(fs::exists(folder_ / "fehlt"));
}

}  // namespace
