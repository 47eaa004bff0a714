#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/filter_criteria.h"
#include "data/filter_operators.h"
#include "data/filter_texts.h"
#include "data/filter_value_list.h"
#include "data/typed_stream.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"
#include "tests/data/filter_test_criteria.h"

namespace {

using filter_test::TColumn;
using filter_test::TTestCriteria;

class FilterTextTest : public testing::Test {
 protected:
  FilterTextTest() { field = criteria.AddColumn(1, "F", "C"); }

  std::string Both(TlxFilterOperatorKind kind, const Variant& operand, const std::string& display) {
    criteria.RemoveAllItems();
    criteria.AddItem(nullptr, field, kind, operand, display);
    return criteria.BuildExpressionText() + " | " + criteria.BuildCaptionText();
  }

  TScopedLocale locale{"en-US"};
  TTestCriteria criteria;
  TColumn* field = nullptr;
};

struct TextCase {
  TlxFilterOperatorKind kind;
  Variant operand;
  const char* display;
  const char* plain;        // expression | caption
  const char* described;    // caption with descriptions
};

TEST_F(FilterTextTest, WorkedShapes) {
  const std::vector<TextCase> cases = {
      {fokEqual, Variant("Smith"), "Smith", "(F = 'Smith') | (C = Smith)", "(C equals Smith)"},
      {fokEqual, Variant::Null(), "", "(F = NULL) | (C = blank)", "(C is blank)"},
      {fokLike, Variant("Sm%"), "Sm%", "(F LIKE 'Sm%') | (C LIKE Sm%)", "(C begins with Sm)"},
      {fokLike, Variant("%abc%"), "%abc%", "(F LIKE '%abc%') | (C LIKE %abc%)", "(C contains abc)"},
      {fokNotLike, Variant("%z"), "%z", "(F NOT LIKE '%z') | (C NOT LIKE %z)", "(C does not end with z)"},
      {fokBetween, VarArrayOf({1, 5}), "1;5", "(F BETWEEN 1 AND 5) | (C between 1 and 5)", "(C between 1 and 5)"},
      {fokInList, VarArrayOf({1, 2, 3}), "1;2;3", "(F IN (1, 2, 3)) | (C in (1, 2, 3))", "(C in (1, 2, 3))"},
      {fokNotEqual, Variant("O'Brien"), "O'Brien", "(F <> 'O''Brien') | (C <> O'Brien)", "(C does not equal O'Brien)"},
      {fokGreaterEqual, Variant(2.5), "2.5", "(F >= 2.5) | (C >= 2.5)", "(C is greater than or equal to 2.5)"},
      {fokNotNull, Variant::Null(), "", "(F <> NULL) | (C <> blank)", "(C is not blank)"},
  };
  for (const TextCase& row : cases) {
    SCOPED_TRACE(row.plain);
    criteria.SetOptions(0);
    EXPECT_EQ(Both(row.kind, row.operand, row.display), row.plain);
    criteria.SetOptions(lxFilterOption(fcoShowOperatorDescription));
    EXPECT_EQ(criteria.BuildCaptionText(), row.described);
  }
}

TEST_F(FilterTextTest, ListsAndNegation) {
  EXPECT_EQ(criteria.BuildExpressionText(), "");
  EXPECT_EQ(criteria.BuildCaptionText(), "");
  // An empty negated root writes nothing: "NOT ()" would hide every row of a
  // dataset, while the empty list passes every record.
  criteria.Root().SetBoolOperatorKind(fbkNotAnd);
  EXPECT_EQ(criteria.BuildExpressionText(), "");
  criteria.Root().SetBoolOperatorKind(fbkAnd);
  criteria.AddItem(nullptr, field, fokEqual, Variant("Smith"), "Smith");
  criteria.AddItem(nullptr, field, fokEqual, Variant::Null(), "");
  EXPECT_EQ(criteria.BuildExpressionText(), "(F = 'Smith') AND (F = NULL)");
  criteria.Root().SetBoolOperatorKind(fbkNotOr);
  EXPECT_EQ(criteria.BuildExpressionText(), "NOT ((F = 'Smith') OR (F = NULL))");
  EXPECT_EQ(criteria.BuildCaptionText(), "not ((C = Smith) or (C = blank))");
}

TEST_F(FilterTextTest, TranslatedForms) {
  criteria.SetTranslateIn(true);
  criteria.SetTranslateBetween(true);
  criteria.SetTranslateLike(true);
  EXPECT_EQ(Both(fokInList, VarArrayOf({1, 2, 3}), "1;2;3"), "((F = 1) OR (F = 2) OR (F = 3)) | (C in (1, 2, 3))");
  EXPECT_EQ(Both(fokNotInList, VarArrayOf({1, 2}), "1;2"), "(NOT ((F = 1) OR (F = 2))) | (C not in (1, 2))");
  EXPECT_EQ(Both(fokBetween, VarArrayOf({1, 5}), "1;5"), "((F >= 1) AND (F <= 5)) | (C between 1 and 5)");
  EXPECT_EQ(Both(fokNotLike, Variant("a%"), "a%"), "( NOT (F LIKE 'a%')) | (C NOT LIKE a%)");
}

TEST_F(FilterTextTest, DateRangesAndFormatting) {
  TScopedClock clock(EncodeDate(2025, 3, 4) + 0.25);
  criteria.SetDateTimeFormat("yyyy-mm-dd");
  EXPECT_EQ(Both(fokToday, Variant::Null(), ""), "((F >= '2025-03-04') AND (F < '2025-03-05')) | (C is today)");
  EXPECT_EQ(Both(fokInPast, Variant::Null(), ""), "((F < '2025-03-04')) | (C is past)");
  EXPECT_EQ(Both(fokEqual, Variant::FromDate(EncodeDate(2020, 1, 2)), "x"), "(F = '2020-01-02') | (C = x)");
}

TEST_F(FilterTextTest, MultiFieldEquality) {
  field->name = "A;B";
  EXPECT_EQ(Both(fokEqual, VarArrayOf({1, "x"}), "1;x").substr(0, 25), "((A = 1) AND (B = 'x')) |");
  EXPECT_EQ(Both(fokNotEqual, VarArrayOf({1, "x"}), "1;x").substr(0, 32), "(NOT ((A = 1) AND (B = 'x'))) | ");
}

TEST_F(FilterTextTest, DerivedCriteriaRewritesOperandTexts) {
  class Rewriting : public TTestCriteria {
   public:
    void DoFormatFilterTextValue(const TlxFilterCriteriaItem&, const Variant&, std::string& text) const override {
      text = "<" + text + ">";
    }
  };
  Rewriting rewriting;
  TColumn* column = rewriting.AddColumn(1, "F", "C");
  rewriting.AddItem(nullptr, column, fokEqual, Variant(7), "7");
  EXPECT_EQ(rewriting.BuildExpressionText(), "(F = <7>)");
}

// Filter streams

class FilterStreamTest : public FilterTextTest {
 protected:
  std::vector<uint8_t> Written(uint8_t limit = 0) {
    TMemoryStream stream;
    criteria.SaveToBinaryStream(stream, limit);
    return stream.Bytes();
  }

  void Read(TTestCriteria& target, const std::vector<uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    target.LoadFromBinaryStream(stream);
  }
};

TEST_F(FilterStreamTest, EmptyStreamsOfVersionThreeAndOne) {
  criteria.SetVersion(3);
  EXPECT_EQ(Written(), (std::vector<uint8_t>{0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
  criteria.SetVersion(2);
  EXPECT_EQ(Written(), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0}));
  criteria.AddItem(nullptr, field, fokEqual, Variant(1), "1");
  Read(criteria, {0, 0, 0, 0});
  EXPECT_TRUE(criteria.HasNoItems());
  EXPECT_EQ(criteria.LoadedVersion(), 1);
}

TEST_F(FilterStreamTest, VersionOneWithTwoRootChildren) {
  TMemoryStream stream;
  lxWriteInteger(stream, 2);
  for (int value : {4, 5}) {
    lxWriteBoolean(stream, false);
    lxWriteByte(stream, fokEqual);
    lxWriteAnsiString(stream, std::to_string(value));
    lxWriteInteger(stream, 1);
    lxWriteVariant(stream, Variant(value));
  }
  stream.SetPosition(0);
  criteria.LoadFromBinaryStream(stream);
  ASSERT_EQ(criteria.Root().ItemCount(), 2);
  EXPECT_EQ(criteria.Root().BoolOperatorKind(), fbkAnd);
  EXPECT_EQ(criteria.BuildExpressionText(), "(F = 4) AND (F = 5)");
}

TEST_F(FilterStreamTest, RoundTripAndLinksByNameAndId) {
  criteria.SetVersion(3);
  TColumn* other = criteria.AddColumn(2, "G", "D");
  criteria.Root().SetBoolOperatorKind(fbkOr);
  criteria.AddItem(nullptr, field, fokLike, Variant("a%"), "a%");
  TlxFilterCriteriaItemList* list = criteria.Root().AddSubList(fbkNotAnd);
  list->AddCondition(other, fokBetween, VarArrayOf({1, 9}), "1;9");
  const std::vector<uint8_t> bytes = Written();

  TTestCriteria target;
  target.SetVersion(3);
  // The same names under other ids: version 3 finds them by name.
  target.AddColumn(20, "G", "D");
  target.AddColumn(10, "F", "C");
  Read(target, bytes);
  EXPECT_EQ(target.BuildExpressionText(), criteria.BuildExpressionText());
  EXPECT_EQ(target.LoadedVersion(), 3);

  // Written with the limit 2 the names are left out: links by id alone.
  const std::vector<uint8_t> version2 = Written(2);
  EXPECT_LT(version2.size(), bytes.size());
  EXPECT_EQ(criteria.SavedVersion(), 2);
  TTestCriteria by_id;
  by_id.AddColumn(1, "F", "C");
  by_id.AddColumn(2, "G", "D");
  Read(by_id, version2);
  EXPECT_EQ(by_id.BuildExpressionText(), criteria.BuildExpressionText());
}

TEST_F(FilterStreamTest, UnknownNamesPointingAtNamedLinksAreDropped) {
  criteria.SetVersion(3);
  criteria.AddItem(nullptr, field, fokEqual, Variant(1), "1");
  TlxFilterCriteriaItemList* list = criteria.Root().AddSubList(fbkOr);
  list->AddCondition(field, fokEqual, Variant(2), "2");
  const std::vector<uint8_t> bytes = Written();
  TTestCriteria target;
  target.AddColumn(1, "Other", "O");  // id 1 is a different, named item
  Read(target, bytes);
  EXPECT_TRUE(target.HasNoItems());
  TTestCriteria nameless;
  nameless.AddColumn(1, "", "O");  // a nameless item found by id is taken
  Read(nameless, bytes);
  EXPECT_EQ(nameless.Root().ItemCount(), 2);
}

TEST_F(FilterStreamTest, SameContentAndIsStored) {
  EXPECT_FALSE(criteria.IsStored());
  criteria.Root().SetBoolOperatorKind(fbkOr);
  EXPECT_TRUE(criteria.IsStored());
  criteria.Root().SetBoolOperatorKind(fbkAnd);
  TColumn* other = criteria.AddColumn(2, "G", "D");
  criteria.AddItem(nullptr, field, fokEqual, Variant(1), "1");
  criteria.AddItem(nullptr, other, fokEqual, Variant(2), "2");
  EXPECT_TRUE(criteria.IsStored());
  TTestCriteria same;
  TColumn* same_field = same.AddColumn(1, "F", "C");
  TColumn* same_other = same.AddColumn(2, "G", "D");
  same.AddItem(nullptr, same_field, fokEqual, Variant(1), "1");
  same.AddItem(nullptr, same_other, fokEqual, Variant(2), "2");
  EXPECT_TRUE(criteria.HasSameContent(same, false));
  TTestCriteria reordered;
  TColumn* r_field = reordered.AddColumn(1, "F", "C");
  TColumn* r_other = reordered.AddColumn(2, "G", "D");
  reordered.AddItem(nullptr, r_other, fokEqual, Variant(2), "2");
  reordered.AddItem(nullptr, r_field, fokEqual, Variant(1), "1");
  EXPECT_FALSE(criteria.HasSameContent(reordered, false));
}

struct BadStream {
  const char* name;
  std::vector<uint8_t> bytes;
};

TEST_F(FilterStreamTest, BadStreamsFailAndKeepTheTree) {
  criteria.AddItem(nullptr, field, fokEqual, Variant(1), "1");
  const std::string before = criteria.BuildExpressionText();
  int notifications = 0;
  criteria.OnChanged = [&notifications](TObject*) { ++notifications; };
  const std::vector<BadStream> cases = {
      {"cut header", {0xFF, 0xFF}},
      {"huge child count", {0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"negative child count", {0xFF, 0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
      {"version 1 huge count", {0x00, 0x00, 0x00, 0x70}},
      {"bad list kind", {0xFF, 0xFF, 0xFF, 0xFF, 9, 0, 0, 0, 0}},
      {"bad IsList byte", {0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 7, 0}},
      {"operator kind 36", {0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 0, 36, 0, 0, 0, 0, 1, 0, 0, 0, 0}},
      {"display value past the end", {0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1}},
      {"unknown operand code", {0xFF, 0xFF, 0xFF, 0xFF, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 7}},
  };
  for (const BadStream& row : cases) {
    SCOPED_TRACE(row.name);
    EXPECT_THROW(Read(criteria, row.bytes), EReadError);
    EXPECT_EQ(criteria.BuildExpressionText(), before);
    EXPECT_EQ(criteria.LockCount(), 0);
  }
  EXPECT_EQ(notifications, 0);
  criteria.OnChanged = nullptr;
}

TEST_F(FilterStreamTest, DeepNestingIsRefused) {
  std::vector<uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0xFF};
  for (int i = 0; i < 200; ++i)
    bytes.insert(bytes.end(), {0, 1, 0, 0, 0, 1});
  bytes.resize(bytes.size() + 1000, 0);
  EXPECT_THROW(Read(criteria, bytes), EReadError);
}

TEST_F(FilterStreamTest, FilterFileInATemporaryFolder) {
  criteria.SetVersion(3);
  criteria.AddItem(nullptr, field, fokInList, VarArrayOf({"a", "b"}), "a;b");
  const std::string path = testing::TempDir() + "lx_filter_file.flt";
  {
    TFileStream file(path, fmCreate);
    criteria.SaveToBinaryStream(file, 0);
  }
  TTestCriteria loaded;
  loaded.AddColumn(1, "F", "C");
  {
    TFileStream file(path, fmOpenRead);
    loaded.LoadFromBinaryStream(file);
  }
  EXPECT_EQ(loaded.BuildExpressionText(), "(F IN ('a', 'b'))");
  std::remove(path.c_str());
}

TEST_F(FilterStreamTest, ComponentStreamCarriesThePublishedProperties) {
  criteria.SetOptions(lxFilterOption(fcoSoftNull) | lxFilterOption(fcoCaseInsensitive));
  criteria.SetPercentWildcard('*');
  criteria.SetMaxValueListCount(7);
  criteria.AddItem(nullptr, field, fokEqual, Variant(1), "1");
  TMemoryStream stream;
  criteria.SaveToComponentStream(stream);
  EXPECT_FALSE(criteria.SavingToStream());
  stream.SetPosition(0);
  TTestCriteria loaded;
  loaded.LoadFromComponentStream(stream);
  EXPECT_EQ(loaded.Options(), criteria.Options());
  EXPECT_EQ(loaded.PercentWildcard(), '*');
  EXPECT_EQ(loaded.UnderscoreWildcard(), '_');
  EXPECT_EQ(loaded.MaxValueListCount(), 7);
}

// Value lists

class FilterValueListTest : public FilterTextTest {
 protected:
  std::vector<Variant> Values() {
    std::vector<Variant> values;
    for (int32_t i = list.FirstValueIndex(); i < list.Count(); ++i)
      values.push_back(list.EntryAt(i).Value);
    return values;
  }
  TlxFilterValueList list{&criteria};
};

TEST_F(FilterValueListTest, ValuesSortedWithoutDuplicates) {
  for (int value : {3, 1, 2, 1})
    list.Add(fvkValue, Variant(value), std::to_string(value), false);
  EXPECT_EQ(Values(), (std::vector<Variant>{1, 2, 3}));
  list.Add(fvkAll, Variant::Null(), "(All)", false);
  EXPECT_EQ(list.EntryAt(0).Kind, fvkAll);
  EXPECT_EQ(list.FirstValueIndex(), 1);
  EXPECT_EQ(list.IndexOfValue(Variant(2)), 2);
  EXPECT_EQ(list.IndexOfValue(Variant(9)), -1);
  EXPECT_EQ(list.IndexOfKindValue(fvkValue, Variant::Null()), 1);
  list.Add(fvkValue, Variant(0), "0", true);
  EXPECT_EQ(list.EntryAt(list.Count() - 1).Value, Variant(0));
}

TEST_F(FilterValueListTest, LimitCountsEveryRegion) {
  criteria.SetMaxValueListCount(4);
  list.Add(fvkAll, Variant::Null(), "(All)", false);
  list.Add(fvkCustom, Variant::Null(), "(Custom...)", false);
  for (int value : {5, 6, 7})
    list.Add(fvkValue, Variant(value), std::to_string(value), false);
  EXPECT_EQ(list.Count(), 4);
}

TEST_F(FilterValueListTest, LeadingBlockAndSeparator) {
  list.Add(fvkValue, Variant(1), "1", false);
  list.Add(fvkLeading, Variant("x"), "x", false);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.EntryAt(0).Kind, fvkLeading);
  EXPECT_EQ(list.EntryAt(1).Kind, fvkSeparator);
  list.Add(fvkLeading, Variant("y"), "y", false);
  EXPECT_EQ(list.EntryAt(1).Value, Variant("y"));
  EXPECT_EQ(list.SeparatorIndex(), 2);
  int32_t index = -1;
  EXPECT_TRUE(list.FindValue(Variant("y"), "y", index));
  EXPECT_EQ(index, 1);
}

TEST_F(FilterValueListTest, SortByDisplayText) {
  list.SetSortByDisplayText(true);
  list.Add(fvkValue, Variant(9), "9", false);
  list.Add(fvkValue, Variant(10), "10", false);
  EXPECT_EQ(Values(), (std::vector<Variant>{10, 9}));
}

TEST_F(FilterValueListTest, EntryForACondition) {
  list.Add(fvkAll, Variant::Null(), "(All)", false);
  list.Add(fvkCustom, Variant::Null(), "(Custom...)", false);
  list.Add(fvkBlanks, Variant::Null(), "(Blanks)", false);
  list.Add(fvkNonBlanks, Variant::Null(), "(NonBlanks)", false);
  list.Add(fvkValue, Variant(2), "2", false);
  EXPECT_EQ(list.FindItemForCriteriaItem(nullptr), 0);
  EXPECT_EQ(list.FindItemForCriteriaItem(criteria.AddItem(nullptr, field, fokEqual, Variant(2), "2")), 4);
  EXPECT_EQ(list.FindItemForCriteriaItem(criteria.AddItem(nullptr, field, fokEqual, Variant::Null(), "")), 2);
  EXPECT_EQ(list.FindItemForCriteriaItem(criteria.AddItem(nullptr, field, fokNotEqual, Variant::Null(), "")), 3);
  EXPECT_EQ(list.FindItemForCriteriaItem(criteria.AddItem(nullptr, field, fokLike, Variant("a%"), "a%")), 1);
  EXPECT_EQ(list.FindItemForCriteriaItem(criteria.AddItem(nullptr, field, fokEqual, Variant(3), "3")), 1);
}

}  // namespace
