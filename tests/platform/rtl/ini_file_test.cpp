#include "platform/rtl/ini_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"
#include "tests/platform/rtl/ini_file_fixture.h"

namespace {

using Lines = std::vector<std::string>;
using IniFileTest = IniFileFixture;

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
      {"lines before the first section stay", "; about\r\norphan = 1\r\nraw\r\n[A]\r\n",
       [](TMemIniFile& ini) { ini.WriteString("A", "k", "v"); }, "; about\r\norphan = 1\r\nraw\r\n[A]\r\nk=v\r\n\r\n"},
      {"a file of lines before any section", "orphan=1", [](TMemIniFile&) {}, "orphan=1\r\n"},
      {"repeated section stays where each copy stands", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n", [](TMemIniFile&) {},
       "[A]\r\nx=1\r\n\r\n[B]\r\n\r\n[a]\r\ny=2\r\n\r\n"},
      {"new key of a repeated section goes to the first copy", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n",
       [](TMemIniFile& ini) { ini.WriteString("A", "z", "3"); },
       "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\n\r\n[a]\r\ny=2\r\n\r\n"},
      {"key of the second copy is rewritten in place", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n",
       [](TMemIniFile& ini) { ini.WriteString("A", "Y", "20"); },
       "[A]\r\nx=1\r\n\r\n[B]\r\n\r\n[a]\r\nY=20\r\n\r\n"},
      {"erasing a repeated section erases every copy", "[A]\r\nx=1\r\n[B]\r\n[a]\r\ny=2\r\n",
       [](TMemIniFile& ini) { ini.EraseSection("a"); }, "[B]\r\n\r\n"},
      {"header with blanks inside the brackets", "[ Spaced ]\r\nk=v\r\n", [](TMemIniFile&) {},
       "[Spaced]\r\nk=v\r\n\r\n"},
      {"header with blanks after it", "[GridLayouts]   \r\nk=v\r\n", [](TMemIniFile&) {},
       "[GridLayouts]\r\nk=v\r\n\r\n"},
      {"comment after a header is kept", "[Sec] ; note\r\nk=v\r\n",
       [](TMemIniFile& ini) { ini.WriteString("sec", "k", "w"); }, "[Sec] ; note\r\nk=w\r\n\r\n"},
      {"blanks around a key and \"=\" are not kept", "[Fensterpositionen]\r\n  fmMain = 1,2,3,4 \r\n",
       [](TMemIniFile& ini) { ini.WriteString("Fensterpositionen", "fmMain", "5,6,7,8"); },
       "[Fensterpositionen]\r\nfmMain=5,6,7,8\r\n\r\n"},
      {"names written with blanks around them", "[A]\r\nk=1\r\n",
       [](TMemIniFile& ini) {
         ini.WriteString(" A\t", "\tk ", "2");
         ini.WriteString("  New ", " n ", "3");
       },
       "[A]\r\nk=2\r\n\r\n[New]\r\nn=3\r\n\r\n"},
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
  EXPECT_EQ(ini.Encoding(), TIniEncoding::kUtf8Bom);
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

// One row: a file and what a read of one key gives.
struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  const char* ident;
  const char* expected;
};

TEST_F(IniFileTest, NamesAreReadAsTheSystemsProfileFunctionsReadThem) {
  const ReadCase cases[] = {
      {"blanks after the header", "[GridLayouts]   \r\nGrid1=abc\r\n", "GridLayouts", "Grid1", "abc"},
      {"blanks and tabs inside the brackets", "[ \tSp aced\t ]\r\nk=v\r\n", "Sp aced", "k", "v"},
      {"indented header", "  [Ind]\r\nk=v\r\n", "Ind", "k", "v"},
      {"comment after the header", "[Sec] ;note\r\nk=v\r\n", "Sec", "k", "v"},
      {"the name ends at the last bracket", "[X]y]\r\nk=v\r\n", "X]y", "k", "v"},
      {"no closing bracket is no header", "[A]\r\n[Open\r\nk=v\r\n", "A", "k", "v"},
      {"blanks around the key and \"=\"", "[Fensterpositionen]\r\n  fmMain = 1,2,3,4 \r\n", "Fensterpositionen",
       "fmMain", "1,2,3,4"},
      {"tabs around and inside names", "[A]\r\n\tTab\tKey\t=\tv\tx\t\r\n", "A", "Tab\tKey", "v\tx"},
      {"blanks in the names asked for", "[GridLayouts]\r\nfmMain=1\r\n", " GridLayouts\t", " fmMain ", "1"},
      {"a value with \"=\" in it", "[A]\r\nk==v=w\r\n", "A", "k", "=v=w"},
      {"an empty key name", "[A]\r\n = v\r\n", "A", "", "v"},
      {"the second copy of a section", "[Dup]\r\nd=1\r\n[Other]\r\n[dup]\r\ne=2\r\nd=9\r\n", "Dup", "e", "2"},
      {"the first copy counts for a repeated key", "[Dup]\r\nd=1\r\n[Other]\r\n[dup]\r\nd=9\r\n", "Dup", "d", "1"},
      {"a comment is no key", "[A]\r\n;k=v\r\n", "A", ";k", "default"},
      {"lines before the first section belong to none", "k=v\r\n[A]\r\n", "", "k", "default"},
      {"an empty header names the section \"\"", "[]\r\nk=v\r\n", "", "k", "v"},
  };
  for (const ReadCase& c : cases) {
    WriteFile(c.file);
    TMemIniFile ini(path_);
    EXPECT_EQ(ini.ReadString(c.section, c.ident, "default"), c.expected) << c.name;
  }
}

TEST_F(IniFileTest, RepeatedSectionsReadAsOneInFileOrder) {
  WriteFile("[A]\r\nx=1\r\nraw\r\n[B]\r\nb=1\r\n[a]\r\ny=2\r\nx=9\r\n");
  TMemIniFile ini(path_);
  TStringList list;
  ini.ReadSections(list);
  EXPECT_EQ(list.CommaText(), "A,B");
  ini.ReadSection("A", list);
  EXPECT_EQ(list.CommaText(), "x,y,x");
  EXPECT_EQ(SectionValues(ini, "a"), (Lines{"x=1", "raw", "y=2", "x=9"}));

  // Deleting the first x lets the one in the second copy count.
  ini.DeleteKey("A", "X");
  EXPECT_EQ(ini.ReadString("A", "x", ""), "9");
  ini.DeleteKey("A", "x");
  EXPECT_FALSE(ini.ValueExists("A", "x"));
  EXPECT_TRUE(ini.SectionExists("A"));
}

TEST_F(IniFileTest, LineEndsOfEverySystemAndOddFiles) {
  const struct {
    const char* name;
    std::string file;
    Lines values;
  } cases[] = {
      {"CR LF", "[A]\r\nk=1\r\nj=2\r\n", {"k=1", "j=2"}},
      {"LF only", "[A]\nk=1\nj=2\n", {"k=1", "j=2"}},
      {"CR only", "[A]\rk=1\rj=2\r", {"k=1", "j=2"}},
      {"mixed", "[A]\rk=1\nj=2\r\n\r\ri=3", {"k=1", "j=2", "i=3"}},
      {"no line end at the end", "[A]\r\nk=1", {"k=1"}},
      {"empty file", "", {}},
      {"only line ends", "\r\n\n\r", {}},
      {"a NUL byte inside a value", std::string("[A]\r\nk=a\0b\r\n", 12), {std::string("k=a\0b", 5)}},
  };
  for (const auto& c : cases) {
    WriteFile(c.file);
    TMemIniFile ini(path_);
    EXPECT_EQ(SectionValues(ini, "A"), c.values) << c.name;
    // Written back with CR LF only and read back the same.
    ini.UpdateFile();
    std::string without_crlf = ReadFile();
    for (size_t at = without_crlf.find("\r\n"); at != std::string::npos; at = without_crlf.find("\r\n", at))
      without_crlf.erase(at, 2);
    EXPECT_EQ(without_crlf.find_first_of("\r\n"), std::string::npos) << c.name;
    TMemIniFile reread(path_);
    EXPECT_EQ(reread.Text(), ini.Text()) << c.name;
  }
}

TEST_F(IniFileTest, ValuesAreKeptVerbatim) {
  const Lines values = {
      "\"C:\\Programme\\Lumar Print\\\"", "'einfach'", "100% & mehr", "#1 ; kein Kommentar", "%PATH%",
      "a\"b'c", "\\\\server\\share\\#neu&alt%20.pdf", "x\ty",
  };
  TMemIniFile ini(path_);
  for (size_t i = 0; i < values.size(); ++i)
    ini.WriteString("Werte", std::to_string(i), values[i]);
  ini.UpdateFile();
  TMemIniFile reread(path_);
  for (size_t i = 0; i < values.size(); ++i)
    EXPECT_EQ(reread.ReadString("Werte", std::to_string(i), ""), values[i]) << values[i];
  EXPECT_NE(ReadFile().find("0=\"C:\\Programme\\Lumar Print\\\"\r\n"), std::string::npos);

  // Blanks around a value cannot be read back from a file, so they go at
  // once rather than at the next start.
  ini.WriteString("Werte", "padded", " \t x y \t");
  EXPECT_EQ(ini.ReadString("Werte", "padded", ""), "x y");
}

TEST_F(IniFileTest, LinesOfAHundredKilobytes) {
  const std::string long_value(100 * 1024, 'v');
  const std::string long_name = std::string(100 * 1024, 'n') + "\xC3\x9C";
  WriteFile("[A]\r\n" + long_name + "=" + long_value + "\r\n; " + std::string(100 * 1024, 'c') + "\r\n[" +
            std::string(100 * 1024, 's') + "]\r\nk=1\r\n");
  TMemIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("A", long_name, ""), long_value);
  EXPECT_EQ(ini.ReadInteger(std::string(100 * 1024, 'S'), "k", 0), 1);
  const std::string before = ReadFile();
  ini.UpdateFile();
  TMemIniFile reread(path_);
  EXPECT_EQ(reread.Text(), ini.Text());
  EXPECT_EQ(ReadFile().size(), before.size() + 4);  // two blank lines after the sections
}

TEST_F(IniFileTest, WritesAFileCouldNotHoldAreRefusedAndChangeNothing) {
  const struct {
    const char* name;
    const char* section;
    const char* ident;
    const char* value;
  } cases[] = {
      {"line break in the value", "A", "k", "a\r\n[Evil]\r\nx=1"},
      {"lone LF in the value", "A", "k", "a\nb"},
      {"line break in the key", "A", "k\rj", "1"},
      {"line break in the section", "A\nB", "k", "1"},
      {"\"=\" in the key", "A", "k=j", "1"},
      {"key that starts with \";\"", "A", " ;k", "1"},
      {"key line that reads as a header", "A", "[k", "v]"},
      {"key with both brackets", "A", "[k]", "v"},
  };
  WriteFile("[A]\r\nk=old\r\n");
  TMemIniFile ini(path_);
  const std::string before = ini.Text();
  for (const auto& c : cases) {
    EXPECT_THROW(ini.WriteString(c.section, c.ident, c.value), EInvalidArgument) << c.name;
    EXPECT_EQ(ini.Text(), before) << c.name;
  }
  // Brackets and ";" elsewhere are fine.
  ini.WriteString("A", "k;j[x]", "[v]");
  ini.WriteString("[Odd] Name", "[k", "v");
  ini.UpdateFile();
  TMemIniFile reread(path_);
  EXPECT_EQ(reread.ReadString("A", "k;j[x]", ""), "[v]");
  EXPECT_EQ(reread.ReadString("[Odd] Name", "[k", ""), "v");
}

}  // namespace
