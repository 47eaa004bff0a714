#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/rtl/memory_stream.h"
#include "platform/rtl/string_stream.h"
#include "platform/rtl/strings.h"

namespace string_list_test {

std::vector<std::string> LinesOf(const TStrings& list) {
  std::vector<std::string> lines;
  for (int32_t i = 0; i < list.Count(); ++i)
    lines.push_back(list[i]);
  return lines;
}

using Lines = std::vector<std::string>;

class TCounted : public TObject {
 public:
  explicit TCounted(int* alive) : alive_(alive) { ++*alive_; }
  ~TCounted() override { --*alive_; }

 private:
  int* alive_;
};

TEST(StringListTest, EditsKeepLinesAndSlotsTogether) {
  TStringList list;
  TObject marker;
  list.Add("b");
  list.AddObject("a", &marker);
  list.Insert(0, "c");  // c b a
  list.Move(2, 0);      // a c b
  EXPECT_EQ(list.Objects(0), &marker);
  list.Exchange(0, 2);  // b c a
  EXPECT_EQ(list.Objects(2), &marker);
  list.Put(2, "z");
  EXPECT_EQ(list.Objects(2), &marker);
  list.Delete(1);
  EXPECT_EQ(LinesOf(list), (Lines{"b", "z"}));
  EXPECT_EQ(list.IndexOfObject(&marker), 1);
  list.PutData(0, -7);
  EXPECT_EQ(list.Data(0), -7);
  EXPECT_EQ(list.IndexOf("Z"), 1);  // letter case ignored
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.IndexOf("Z"), -1);
}

TEST(StringListTest, BadIndexesRaiseStringListErrors) {
  TStringList list;
  list.Add("x");
  try {
    list.Get(1);
    FAIL();
  } catch (const EStringListError& error) {
    EXPECT_EQ(error.Message(), "List index out of bounds (1)");
  }
  EXPECT_THROW(list.Insert(2, "y"), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
  EXPECT_THROW(list.PutObject(3, nullptr), EStringListError);
  EXPECT_THROW(list.Exchange(0, 1), EStringListError);
}

TEST(StringListTest, NameValueAccess) {
  TStringList list;
  list.SetText("Drucker=HP\r\nnoequals\r\nPause=3000\r\nempty=\r\nPAUSE=dup");
  EXPECT_EQ(list.Names(0), "Drucker");
  EXPECT_EQ(list.Names(1), "");
  EXPECT_EQ(list.Values("pause"), "3000");  // name lookup ignores case, first wins
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.ValueFromIndex(1), "");  // a line without "=" has no value
  EXPECT_EQ(list.ValueFromIndex(3), "");
  EXPECT_EQ(list.IndexOfName("EMPTY"), 3);

  list.SetValues("Pause", "500");  // replaced in place
  EXPECT_EQ(list[2], "Pause=500");
  list.SetValues("New", "1");  // appended
  EXPECT_EQ(list[5], "New=1");
  list.SetValues("drucker", "");  // an empty value deletes the line
  EXPECT_EQ(list.IndexOfName("Drucker"), -1);
  list.SetValueFromIndex(0, "a=b");
  EXPECT_EQ(list[0], "=a=b");  // the line had no name
  list.SetNameValueSeparator(':');
  list.Add("k:v");
  EXPECT_EQ(list.Values("K"), "v");
}

TEST(StringListTest, SortedListsFindAndHandleDuplicates) {
  TStringList list;
  list.SetText("pear\r\nApple\r\nbanana");
  list.SetSorted(true);
  EXPECT_EQ(LinesOf(list), (Lines{"Apple", "banana", "pear"}));
  int32_t index = -1;
  EXPECT_TRUE(list.Find("BANANA", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.Find("cherry", index));
  EXPECT_EQ(index, 2);
  EXPECT_EQ(list.Add("cherry"), 2);

  EXPECT_EQ(list.Add("apple"), 0);  // dupIgnore: the existing index, nothing added
  EXPECT_EQ(list.Count(), 4);
  list.SetDuplicates(dupError);
  try {
    list.Add("PEAR");
    FAIL();
  } catch (const EStringListError& error) {
    EXPECT_EQ(error.Message(), "String list does not allow duplicates");
  }
  list.SetDuplicates(dupAccept);
  list.Add("Pear");
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.IndexOf("pear"), 3);

  try {
    list.Insert(0, "x");
    FAIL();
  } catch (const EStringListError& error) {
    EXPECT_EQ(error.Message(), "Operation not allowed on sorted list");
  }
  EXPECT_THROW(list.Put(0, "x"), EStringListError);
}

TEST(StringListTest, CaseSensitiveSortedListResorts) {
  TStringList list;
  list.SetSorted(true);
  list.SetDuplicates(dupAccept);
  list.Add("b");
  list.Add("B");
  list.Add("a");
  list.SetCaseSensitive(true);
  int32_t index = 0;
  EXPECT_TRUE(list.Find("B", index));
  EXPECT_EQ(list[index], "B");
  EXPECT_FALSE(list.Find("A", index));
}

TEST(StringListTest, CustomSortIsStable) {
  TStringList list;
  list.SetText("b1\r\na1\r\nb2\r\na2");
  list.CustomSort([](const TStringList& l, int32_t i, int32_t j) { return l.Line(i)[0] - l.Line(j)[0]; });
  EXPECT_EQ(LinesOf(list), (Lines{"a1", "a2", "b1", "b2"}));
}

struct TextCase {
  const char* text;
  Lines lines;
};

TEST(StringListTest, TextSplitsAtEveryKindOfLineBreak) {
  const TextCase cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"\n", {""}},
  };
  for (const TextCase& c : cases) {
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(LinesOf(list), c.lines) << c.text;
  }
  TStringList list;  // a NUL stays inside its line
  list.SetText(std::string_view("x\0y\n", 4));
  EXPECT_EQ(list[0], std::string("x\0y", 3));
  list.SetText("one\ntwo");
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
}

struct DelimitedCase {
  const char* text;
  Lines lines;
  const char* written;  // CommaText of the lines
};

TEST(StringListTest, CommaTextQuotesAndSplits) {
  const DelimitedCase cases[] = {
      {"a,b,c", {"a", "b", "c"}, "a,b,c"},
      {"\"a b\",c", {"a b", "c"}, "\"a b\",c"},
      {"a b", {"a", "b"}, "a,b"},
      {"  a ,  b  ", {"a", "b"}, "a,b"},
      {"a,,b", {"a", "", "b"}, "a,,b"},
      {"a,", {"a", ""}, "a,"},
      {"\"\"", {""}, "\"\""},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {"\"unterminated", {"unterminated"}, "unterminated"},
      {"x\"y", {"x\"y"}, "\"x\"\"y\""},
  };
  for (const DelimitedCase& c : cases) {
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(LinesOf(list), c.lines) << c.text;
    EXPECT_EQ(list.CommaText(), c.written) << c.text;
  }
}

TEST(StringListTest, StrictDelimiterSplitsOnlyAtTheDelimiter) {
  TStringList list;
  list.SetDelimiter(';');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText(" a b ;c");
  EXPECT_EQ(LinesOf(list), (Lines{" a b ", "c"}));
  EXPECT_EQ(list.DelimitedText(), " a b ;c");
  list.SetStrictDelimiter(false);
  EXPECT_EQ(list.DelimitedText(), "\" a b \";c");
  list.SetDelimitedText(std::string_view("a\0b", 3));  // a NUL is a blank here
  EXPECT_EQ(LinesOf(list), (Lines{"a", "b"}));
}

TEST(StringListTest, EventsFireOncePerChangeOrOncePerBatch) {
  TStringList list;
  std::vector<std::string> log;
  list.OnChanging = [&](TObject* sender) {
    EXPECT_EQ(sender, &list);
    log.push_back("changing");
  };
  list.OnChange = [&](TObject*) { log.push_back("change"); };
  list.Add("a");
  EXPECT_EQ(log, (Lines{"changing", "change"}));
  log.clear();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.BeginUpdate();
  list.EndUpdate();
  EXPECT_EQ(log, (Lines{"changing"}));
  list.EndUpdate();
  EXPECT_EQ(log, (Lines{"changing", "change"}));
  log.clear();
  list.SetText("x\ny\nz");
  EXPECT_EQ(log, (Lines{"changing", "change"}));
  log.clear();
  TStringList empty;
  empty.OnChange = [&](TObject*) { log.push_back("change"); };
  empty.Clear();  // nothing to clear, nothing to report
  EXPECT_TRUE(log.empty());
}

TEST(StringListTest, OwnedObjectsAreFreedWithTheirLines) {
  int alive = 0;
  {
    TStringList list(/*owns_objects=*/true);
    list.AddObject("a", new TCounted(&alive));
    list.AddObject("b", new TCounted(&alive));
    list.AddObject("c", new TCounted(&alive));
    list.Move(0, 2);  // moving keeps the object
    EXPECT_EQ(alive, 3);
    list.Delete(0);
    EXPECT_EQ(alive, 2);
    TObject* replaced = list.Objects(0);
    list.PutObject(0, new TCounted(&alive));  // the caller keeps the replaced object
    EXPECT_EQ(alive, 3);
    delete replaced;
  }
  EXPECT_EQ(alive, 0);
}

TEST(StringListTest, AssignAndEquals) {
  TStringList source;
  TObject marker;
  source.AddObject("a", &marker);
  source.Add("b");
  TStringList copy;
  copy.Add("old");
  copy.Assign(&source);
  EXPECT_TRUE(copy.Equals(source));
  EXPECT_EQ(copy.Objects(0), &marker);
  copy.Add("c");
  EXPECT_FALSE(copy.Equals(source));
  TPersistent other;
  EXPECT_THROW(copy.Assign(&other), EConvertError);
}

TEST(StringListTest, StreamsCarryTextWithCrLfAndTheByteOrderMark) {
  TStringStream with_bom("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e=1\nb=2");
  TStringList list;
  list.LoadFromStream(with_bom);
  EXPECT_TRUE(list.Utf8Bom());
  EXPECT_EQ(list.Values("Größe"), "1");
  TStringStream saved;
  list.SaveToStream(saved);
  EXPECT_EQ(saved.DataString(), "\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F" "e=1\r\nb=2\r\n");

  TStringStream plain("x");
  list.LoadFromStream(plain);
  EXPECT_FALSE(list.Utf8Bom());

  const std::string utf16le("\xFF\xFE" "a\0\xE4\0\n\0", 8);
  TStringStream wide(utf16le);
  list.LoadFromStream(wide);
  EXPECT_EQ(LinesOf(list), (Lines{"a\xC3\xA4"}));

  const std::string odd("\xFE\xFF\0", 3);  // a stray byte at the end is dropped
  TStringStream broken(odd);
  list.LoadFromStream(broken);
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringListTest, FilesRoundTripAndMissingFilesRaise) {
  const auto path = std::filesystem::temp_directory_path() / "lx_string_list_test.txt";
  TStringList list;
  list.SetText("one\ntwo");
  list.SaveToFile(path.string());
  TStringList loaded;
  loaded.LoadFromFile(path.string());
  EXPECT_TRUE(loaded.Equals(list));
  std::filesystem::remove(path);
  EXPECT_THROW(loaded.LoadFromFile(path.string()), EFOpenError);
  EXPECT_EQ(loaded.Count(), 2);  // a failed load keeps the lines
}

}  // namespace string_list_test
