#include "platform/rtl/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/file_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"

namespace {

using Lines = std::vector<std::string>;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("lx_ini_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "Setting.Ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void WriteFile(const std::string& content) const { std::ofstream(path_, std::ios::binary) << content; }
  std::string ReadFile() const {
    TMemoryStream content;
    content.LoadFromFile(path_);
    return std::string(reinterpret_cast<const char*>(content.Memory()), content.Bytes().size());
  }
  static Lines Section(const TMemIniFile& ini, const char* section) {
    TStringList keys;
    ini.ReadSectionValues(section, keys);
    Lines lines;
    for (int32_t i = 0; i < keys.Count(); ++i)
      lines.push_back(keys[i]);
    return lines;
  }

  std::filesystem::path folder_;
  std::string path_;
};

TEST_F(IniFileTest, ReadsCaseInsensitivelyWithDefaults) {
  WriteFile("; settings\r\n[INI-DATEI]\r\n  Global = C:\\Prog\\ \r\n[LogWire]\nAktiv=1\nPause=$10\nBad=12x\n");
  TMemIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("ini-datei", "GLOBAL", "x"), "C:\\Prog\\");
  EXPECT_EQ(ini.ReadString("INI-DATEI", "Missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadString("NoSection", "Global", "d"), "d");
  EXPECT_TRUE(ini.ReadBool("logwire", "aktiv", false));
  EXPECT_EQ(ini.ReadInteger("LogWire", "Pause", 0), 16);
  EXPECT_EQ(ini.ReadInteger("LogWire", "Bad", 7), 7);
  EXPECT_TRUE(ini.SectionExists("LOGWIRE"));
  EXPECT_TRUE(ini.ValueExists("LogWire", "PAUSE"));
  EXPECT_FALSE(ini.ValueExists("LogWire", "Nope"));
  EXPECT_FALSE(ini.SectionExists("Nope"));
}

TEST_F(IniFileTest, MissingFileGivesAnEmptyObjectAndNoFileUntilUpdate) {
  TMemIniFile ini(path_);
  EXPECT_FALSE(ini.SectionExists("A"));
  EXPECT_FALSE(FileExists(path_));
  ini.WriteString("A", "k", "v");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "[A]\r\nk=v\r\n\r\n");
}

// One row: the file before, the operations, the file UpdateFile writes.
struct OrderCase {
  const char* name;
  const char* before;
  std::function<void(TMemIniFile&)> change;
  const char* after;
};

TEST_F(IniFileTest, OrderAndEmptySectionRules) {
  const OrderCase cases[] = {
      {"rewritten key keeps its place", "[S]\r\na=1\r\nb=2\r\nc=3\r\n",
       [](TMemIniFile& ini) { ini.WriteString("s", "B", "20"); }, "[S]\r\na=1\r\nB=20\r\nc=3\r\n\r\n"},
      {"deleted and rewritten key goes last", "[S]\r\na=1\r\nb=2\r\nc=3\r\n",
       [](TMemIniFile& ini) {
         ini.DeleteKey("S", "b");
         ini.WriteString("S", "b", "2");
       },
       "[S]\r\na=1\r\nc=3\r\nb=2\r\n\r\n"},
      {"new key at the end of its section", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n",
       [](TMemIniFile& ini) { ini.WriteString("a", "z", "3"); }, "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n\r\n"},
      {"new section at the end of the file", "[A]\r\nx=1\r\n",
       [](TMemIniFile& ini) { ini.WriteString("New", "k", "v"); }, "[A]\r\nx=1\r\n\r\n[New]\r\nk=v\r\n\r\n"},
      {"empty section from the file survives", "[Empty]\r\n[B]\r\ny=2\r\n", [](TMemIniFile&) {},
       "[Empty]\r\n\r\n[B]\r\ny=2\r\n\r\n"},
      {"section emptied by deleting its last key survives", "[A]\r\nx=1\r\n",
       [](TMemIniFile& ini) { ini.DeleteKey("A", "X"); }, "[A]\r\n\r\n"},
      {"section created empty by write and delete", "",
       [](TMemIniFile& ini) {
         ini.WriteString("GridLayouts", "#", "#");
         ini.DeleteKey("GridLayouts", "#");
       },
       "[GridLayouts]\r\n\r\n"},
      {"erased section disappears with its comments", "[A]\r\n;note\r\nx=1\r\n[B]\r\ny=2\r\n",
       [](TMemIniFile& ini) { ini.EraseSection("a"); }, "[B]\r\ny=2\r\n\r\n"},
      {"erased and rewritten section goes last", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n",
       [](TMemIniFile& ini) {
         ini.EraseSection("A");
         ini.WriteString("A", "x", "1");
       },
       "[B]\r\ny=2\r\n\r\n[A]\r\nx=1\r\n\r\n"},
      {"comments and raw lines stay, blank lines go", "; top\r\n\r\n[A]\r\n; about x\r\nx = 1\r\nraw line\r\n\r\n",
       [](TMemIniFile&) {}, "; top\r\n[A]\r\n; about x\r\nx=1\r\nraw line\r\n\r\n"},
      {"lines before the first section are dropped", "orphan=1\r\n[A]\r\n", [](TMemIniFile&) {}, "[A]\r\n\r\n"},
      {"repeated section merges into the first", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n", [](TMemIniFile&) {},
       "[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\n\r\n"},
      {"header with blanks inside the brackets", "[ Spaced ]\r\nk=v\r\n", [](TMemIniFile&) {},
       "[Spaced]\r\nk=v\r\n\r\n"},
  };
  for (const OrderCase& c : cases) {
    WriteFile(c.before);
    TMemIniFile ini(path_);
    c.change(ini);
    ini.UpdateFile();
    EXPECT_EQ(ReadFile(), c.after) << c.name;
  }
}

TEST_F(IniFileTest, RepeatedKeysTheFirstCountsUntilDeleted) {
  WriteFile("[A]\r\nk=first\r\nK=second\r\n");
  TMemIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("A", "k", ""), "first");
  ini.DeleteKey("A", "k");
  EXPECT_EQ(ini.ReadString("A", "k", ""), "second");
  ini.DeleteKey("A", "k");
  EXPECT_FALSE(ini.ValueExists("A", "k"));
}

TEST_F(IniFileTest, SectionListsComeInFileOrder) {
  WriteFile("[Z]\r\nb=2\r\na=1\r\nraw\r\n[Y]\r\n");
  TMemIniFile ini(path_);
  TStringList list;
  list.Add("stale");
  ini.ReadSection("z", list);
  EXPECT_EQ(list.CommaText(), "b,a");
  ini.ReadSectionValues("Z", list);
  EXPECT_EQ(list.CommaText(), "b=2,a=1,raw");
  ini.ReadSections(list);
  EXPECT_EQ(list.CommaText(), "Z,Y");
  ini.ReadSection("missing", list);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(IniFileTest, ByteOrderMarkIsKeptAndUtf8TextSurvives) {
  WriteFile("\xEF\xBB\xBF[LogWire]\r\nVerbinde\xC3\x9C" "berTPC=False\r\n");
  TMemIniFile ini(path_);
  EXPECT_TRUE(ini.Utf8Bom());
  EXPECT_EQ(ini.ReadString("LogWire", "Verbinde\xC3\x9C" "berTPC", ""), "False");
  ini.WriteString("LogWire", "Gr\xC3\xB6\xC3\x9F" "e", "1");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "\xEF\xBB\xBF[LogWire]\r\nVerbinde\xC3\x9C" "berTPC=False\r\nGr\xC3\xB6\xC3\x9F" "e=1\r\n\r\n");

  WriteFile("[A]\r\n");
  TMemIniFile plain(path_);
  plain.UpdateFile();
  EXPECT_EQ(ReadFile(), "[A]\r\n\r\n");
}

TEST_F(IniFileTest, IntegersAndBooleans) {
  TMemIniFile ini(path_);
  ini.WriteInteger("N", "i", -42);
  ini.WriteBool("N", "t", true);
  ini.WriteBool("N", "f", false);
  ini.WriteString("N", "hex", "0xFFFFFFFF");
  ini.WriteString("N", "big", "99999999999");
  EXPECT_EQ(ini.ReadString("N", "i", ""), "-42");
  EXPECT_EQ(ini.ReadString("N", "t", ""), "1");
  EXPECT_EQ(ini.ReadInteger("N", "i", 0), -42);
  EXPECT_FALSE(ini.ReadBool("N", "f", true));
  EXPECT_EQ(ini.ReadInteger("N", "hex", 0), -1);
  EXPECT_EQ(ini.ReadInteger("N", "big", 5), 5);
}

TEST_F(IniFileTest, FailedUpdateLeavesTheOldFileWhole) {
  WriteFile("[A]\r\nx=old\r\n");
  TMemIniFile ini(path_);
  ini.WriteString("A", "x", "new");
  {
    // Another handle holds the temporary name exclusively: the write fails.
    TFileStream blocker(path_ + ".~new", fmCreate | fmShareExclusive);
    EXPECT_THROW(ini.UpdateFile(), EStreamError);
  }
  EXPECT_EQ(ReadFile(), "[A]\r\nx=old\r\n");
  std::filesystem::remove(path_ + ".~new");
  ini.UpdateFile();
  EXPECT_EQ(ReadFile(), "[A]\r\nx=new\r\n\r\n");
}

TEST_F(IniFileTest, LockedFileRaisesOnOpen) {
  WriteFile("[A]\r\n");
  TFileStream locked(path_, fmOpenReadWrite | fmShareExclusive);
  EXPECT_THROW(TMemIniFile ini(path_), EFOpenError);
}

TEST_F(IniFileTest, RenameAndStringsRoundTrip) {
  TMemIniFile ini("");
  ini.WriteString("A", "k", "v");
  ini.UpdateFile();  // no file name: nothing to write
  TStringList lines;
  ini.GetStrings(lines);
  EXPECT_EQ(lines.Text(), "[A]\r\nk=v\r\n\r\n");
  TMemIniFile copy("");
  copy.SetStrings(lines);
  EXPECT_EQ(copy.ReadString("a", "K", ""), "v");

  WriteFile("[Other]\r\nq=1\r\n");
  copy.Rename(path_, /*reload=*/false);
  EXPECT_FALSE(copy.SectionExists("Other"));
  copy.Rename(path_, /*reload=*/true);
  EXPECT_TRUE(copy.SectionExists("Other"));
  EXPECT_FALSE(copy.SectionExists("A"));
}

TEST_F(IniFileTest, BinaryGarbageIsReadAsLinesWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i)
    garbage += static_cast<char>((i * 7919) % 256);
  WriteFile(garbage);
  TMemIniFile ini(path_);
  TStringList sections;
  ini.ReadSections(sections);
  ini.UpdateFile();
  TMemIniFile reread(path_);
  EXPECT_EQ(reread.Text(), ini.Text());
}

}  // namespace
