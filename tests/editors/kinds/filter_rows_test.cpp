#include "editors/kinds/filter_rows.h"

#include <gtest/gtest.h>

#include "data/filter_operators.h"
#include "editors/kinds/filter_builder.h"
#include "platform/rtl/memory_stream.h"
#include "tests/editors/kinds/filter_builder_fixture.h"

namespace {

using filter_builder_test::TBuilderFixture;
using filter_builder_test::TItem;

constexpr TlxFilterConditionOperator kIsToday = 16;

class FilterRowsTest : public ::testing::Test, public TBuilderFixture {
 protected:
  TlxFilterCriteriaItemList& LinkRoot() { return link.criteria->Root(); }
  TlxFilterCriteriaItem* AddLinkCondition(TlxFilterCriteriaItemList& list, TItem* item, TlxFilterOperatorKind kind,
                                          const Variant& value, const std::string& text) {
    return link.criteria->AddItem(&list, item, kind, value, text);
  }
  TlxConditionViewInfo& ConditionAt(int32_t row) {
    return dynamic_cast<TlxConditionViewInfo&>(*builder.RowList().at(static_cast<size_t>(row)));
  }
};

TEST_F(FilterRowsTest, NestedCriteriaRoundTripsThroughTheRows) {
  TlxFilterCriteriaItemList& root = LinkRoot();
  root.SetBoolOperatorKind(fbkOr);
  AddLinkCondition(root, name, fokLike, Variant("a%"), "a%");
  TlxFilterCriteriaItemList* not_and = root.AddSubList(fbkNotAnd);
  AddLinkCondition(*not_and, size, fokBetween, VarArrayOf({Variant(3), Variant(5)}), "3;5");
  TlxFilterCriteriaItemList* not_or = not_and->AddSubList(fbkNotOr);
  AddLinkCondition(*not_or, art, fokInList, VarArrayOf({Variant("x"), Variant("y")}), "x;y");
  AddLinkCondition(*not_or, name, fokEqual, Variant::Null(), "blank");

  builder.SetLink(&link);

  ASSERT_EQ(builder.RowList().size(), 7u);
  EXPECT_EQ(builder.Root().GroupOperator, fbkOr);
  EXPECT_EQ(ConditionAt(1).Operator, fcoLike);
  EXPECT_EQ(dynamic_cast<TlxGroupViewInfo&>(*builder.RowList()[2]).GroupOperator, fbkNotAnd);
  EXPECT_EQ(ConditionAt(3).Operator, fcoBetween);
  EXPECT_EQ(dynamic_cast<TlxGroupViewInfo&>(*builder.RowList()[4]).GroupOperator, fbkNotOr);
  EXPECT_EQ(ConditionAt(5).Values().Count(), 2);
  EXPECT_EQ(ConditionAt(6).Operator, fcoBlanks);
  EXPECT_EQ(builder.RowList()[6]->Level, 3);

  builder.ApplyRowsToCriteria();
  EXPECT_TRUE(builder.Criteria().HasSameContent(*link.criteria, false));
}

TEST_F(FilterRowsTest, BetweenIsWrittenInAscendingOrder) {
  struct Case {
    Variant first, second;
    std::string text;
    int32_t low;
    TVarType low_type;
  };
  // Equal bounds keep their order.
  const Case cases[] = {{Variant(5), Variant(3), "3;5", 3, varInteger},
                        {Variant(3), Variant(5), "3;5", 3, varInteger},
                        {Variant(4.0), Variant(4), "4;4", 4, varDouble}};
  builder.SetLink(&link);
  for (const Case& c : cases) {
    builder.Clear();
    builder.AddCondition(nullptr);
    TlxConditionViewInfo& condition = ConditionAt(1);
    condition.SelectItem(1);
    condition.SetOperator(fcoBetween);
    condition.FitOperands(true);
    ASSERT_EQ(condition.Values().Count(), 2);
    condition.Values().Item(0).Value = c.first;
    condition.Values().Item(0).OperandText = c.first.AsString();
    condition.Values().Item(1).Value = c.second;
    condition.Values().Item(1).OperandText = c.second.AsString();
    builder.ApplyRowsToCriteria();
    auto& written = dynamic_cast<TlxFilterCriteriaItem&>(*builder.Criteria().Root().ItemAt(0));
    EXPECT_EQ(written.OperatorKind(), fokBetween);
    EXPECT_EQ(written.DisplayValue(), c.text);
    EXPECT_EQ(VarArrayGet(written.Value(), 0).AsInt64(), c.low);
    EXPECT_EQ(VarArrayGet(written.Value(), 0).Type(), c.low_type);
  }
}

TEST_F(FilterRowsTest, ListTextsAreSplitAtSemicolonsOrTakenFromTheValues) {
  struct Case {
    Variant values;
    std::string display;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {VarArrayOf({Variant("x"), Variant("y"), Variant("z")}), "x; y;z", {"x", "y", "z"}},
      // A ";" inside a value: the split gives four pieces for three values.
      {VarArrayOf({Variant("a;b"), Variant("c"), Variant("d")}), "a;b;c;d", {"a;b", "c", "d"}},
  };
  for (const Case& c : cases) {
    LinkRoot().FreeAllChildren();
    AddLinkCondition(LinkRoot(), art, fokInList, c.values, c.display);
    builder.SetLink(nullptr);
    builder.SetLink(&link);
    TlxValuesViewInfo& values = ConditionAt(1).Values();
    ASSERT_EQ(values.Count(), static_cast<int32_t>(c.texts.size()));
    for (int32_t i = 0; i < values.Count(); ++i)
      EXPECT_EQ(values.Item(i).OperandText, c.texts[static_cast<size_t>(i)]) << c.display;
  }
}

TEST_F(FilterRowsTest, NewConditionsPickTheirOperatorFromTheItem) {
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  TlxConditionViewInfo& condition = ConditionAt(1);
  EXPECT_EQ(condition.LinkObject, name);
  EXPECT_EQ(condition.Operator, fcoLike);
  condition.SelectItem(1);
  EXPECT_EQ(condition.LinkObject, size);
  EXPECT_EQ(condition.Operator, fcoEqual);
  EXPECT_FALSE(condition.OfferedOperators.Contains(fcoLike));
  EXPECT_TRUE(condition.OfferedOperators.Contains(fcoNotInList));
  EXPECT_EQ(condition.Values().Count(), 1);
}

TEST_F(FilterRowsTest, SortedItemsMakeTheAlphabeticallyFirstTheDefault) {
  builder.SetLink(&link);
  builder.SetSortItems(true);
  builder.AddCondition(nullptr);
  EXPECT_EQ(ConditionAt(1).ItemCaption, "Art");
}

TEST_F(FilterRowsTest, FitOperandsAdjustsTheValuesToTheOperator) {
  struct Case {
    TlxFilterConditionOperator from, to;
    bool keep;
    int32_t before, after;
    bool first_kept;
  };
  const Case cases[] = {
      {fcoBetween, fcoEqual, true, 2, 1, true},     {fcoEqual, fcoBetween, true, 1, 2, true},
      {fcoInList, fcoNotInList, true, 3, 3, true},  {fcoInList, fcoEqual, true, 3, 1, true},
      {fcoEqual, fcoBetween, false, 1, 2, false},   {fcoEqual, kIsToday, true, 1, 1, false},
      {fcoEqual, fcoBlanks, true, 1, 1, false},
  };
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  TlxConditionViewInfo& condition = ConditionAt(1);
  for (const Case& c : cases) {
    condition.SetOperator(c.from);
    condition.Values().Clear();
    for (int32_t i = 0; i < c.before; ++i)
      condition.Values().AddOperand()->Value = Variant(i + 10);
    condition.SetOperator(c.to);
    condition.FitOperands(c.keep);
    ASSERT_EQ(condition.Values().Count(), c.after) << int{c.from} << "->" << int{c.to};
    EXPECT_EQ(!condition.Values().Item(0).Value.IsNull(), c.first_kept) << int{c.from} << "->" << int{c.to};
  }
}

TEST_F(FilterRowsTest, NullKindsAndNullEqualsReadAsTheBlankOperators) {
  struct Case {
    TlxFilterOperatorKind kind;
    Variant value;
    TlxFilterConditionOperator expected;
    TlxFilterOperatorKind written;
  };
  const Case cases[] = {{fokEqual, Variant::Null(), fcoBlanks, fokEqual},
                        {fokNotEqual, Variant::Null(), fcoNonBlanks, fokNotEqual},
                        {fokNull, Variant::Null(), fcoBlanks, fokEqual},
                        {fokNotNull, Variant::Null(), fcoNonBlanks, fokNotEqual}};
  for (const Case& c : cases) {
    LinkRoot().FreeAllChildren();
    AddLinkCondition(LinkRoot(), name, c.kind, c.value, "");
    builder.SetLink(nullptr);
    builder.SetLink(&link);
    ASSERT_EQ(builder.RowList().size(), 2u);
    EXPECT_EQ(ConditionAt(1).Operator, c.expected);
    EXPECT_FALSE(ConditionAt(1).TakesOperands());
    builder.ApplyRowsToCriteria();
    auto& written = dynamic_cast<TlxFilterCriteriaItem&>(*builder.Criteria().Root().ItemAt(0));
    EXPECT_EQ(written.OperatorKind(), c.written);
    EXPECT_TRUE(written.Value().IsNull());
    EXPECT_EQ(written.DisplayValue(), "blank");
  }
}

TEST_F(FilterRowsTest, ScalarAndShortOperandsAreCompleted) {
  AddLinkCondition(LinkRoot(), size, fokBetween, Variant(4), "4");
  AddLinkCondition(LinkRoot(), art, fokInList, VarArrayCreate(0, -1, varVariant), "");
  builder.SetLink(&link);
  EXPECT_EQ(ConditionAt(1).Values().Count(), 2);
  EXPECT_EQ(ConditionAt(2).Values().Count(), 1);
  EXPECT_NO_THROW(builder.ApplyRowsToCriteria());
}

TEST_F(FilterRowsTest, UnknownItemsCannotBeShown) {
  TItem stranger(9, "F9", "Stranger", nullptr);
  AddLinkCondition(LinkRoot(), name, fokEqual, Variant("x"), "x");
  builder.SetLink(&link);
  AddLinkCondition(builder.Criteria().Root(), &stranger, fokEqual, Variant("y"), "y");
  try {
    builder.BuildFromCriteria();
    FAIL() << "built a row for an unknown item";
  } catch (const ElxFilterControlError& error) {
    EXPECT_STREQ(error.what(), "Can't build filter from source");
  }
  // The rows shown before stay.
  ASSERT_EQ(builder.RowList().size(), 2u);
  EXPECT_EQ(ConditionAt(1).LinkObject, name);
}

TEST_F(FilterRowsTest, DeepNestingIsRefusedWithoutExhaustingTheStack) {
  TlxFilterCriteriaItemList* list = &builder.Criteria().Root();
  builder.SetLink(&link);
  for (int i = 0; i < 2000; ++i)
    list = list->AddSubList(fbkAnd);
  builder.Criteria().AddItem(list, name, fokEqual, Variant("x"), "x");
  EXPECT_THROW(builder.BuildFromCriteria(), ElxFilterControlError);
  EXPECT_EQ(builder.RowList().size(), 1u);
}

TEST_F(FilterRowsTest, AnIncompleteRowRefusesToBeWrittenAndKeepsTheRows) {
  AddLinkCondition(LinkRoot(), name, fokEqual, Variant("old"), "old");
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  builder.AddCondition(nullptr);
  // The link lost the item the second new row was on.
  TlxConditionViewInfo& incomplete = ConditionAt(2);
  incomplete.LinkObject = nullptr;
  incomplete.LinkIndex = -1;
  incomplete.ItemCaption.clear();
  const std::vector<uint8_t> before = [&] {
    TMemoryStream stream;
    builder.Criteria().WriteToStream(stream);
    return stream.Bytes();
  }();
  try {
    builder.ApplyRowsToCriteria();
    FAIL() << "an incomplete row was accepted";
  } catch (const ElxFilterControlError& error) {
    EXPECT_STREQ(error.what(), "Invalid value");
  }
  EXPECT_EQ(builder.RowList().size(), 4u);
  EXPECT_EQ(builder.FocusedInfo.Row, &incomplete);
  EXPECT_EQ(builder.FocusedInfo.Kind, fhkItem);
  EXPECT_FALSE(builder.IsValid());
  TMemoryStream after;
  builder.Criteria().WriteToStream(after);
  EXPECT_EQ(after.Bytes(), before);
  TMemoryStream saved;
  EXPECT_THROW(builder.SaveToStream(saved), ElxFilterControlError);
  EXPECT_EQ(saved.Size(), 0);
}

TEST_F(FilterRowsTest, ItemsWithoutHelperOrPropertiesGetTextOperands) {
  size->properties.reset();
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  TlxConditionViewInfo& condition = ConditionAt(1);
  condition.SelectItem(1);
  EXPECT_EQ(condition.ItemEditProperties(), builder.GetDefaultProperties());
  ASSERT_NE(condition.HelperClass, nullptr);
  EXPECT_EQ(condition.HelperClass->ClassType(), &TlxCustomFilterEditHelper::kClass);
  ASSERT_NE(condition.OperandProperties(), nullptr);
}

TEST_F(FilterRowsTest, ItemsWithEmptyCaptionsStillApply) {
  art->caption.clear();
  AddLinkCondition(LinkRoot(), art, fokEqual, Variant("x"), "x");
  builder.SetLink(&link);
  EXPECT_TRUE(builder.IsValid());
  builder.ApplyRowsToCriteria();
  EXPECT_TRUE(builder.Criteria().HasSameContent(*link.criteria, false));
}

TEST_F(FilterRowsTest, CriteriaResolvesLinksThroughTheComponent) {
  builder.SetLink(&link);
  TlxFilterControlCriteria& criteria = builder.Criteria();
  EXPECT_EQ(criteria.GetItemLinkId(size), 2);
  EXPECT_EQ(criteria.GetItemLinkName(size), "F2");
  EXPECT_EQ(criteria.FindItemLinkById(3), art);
  EXPECT_EQ(criteria.FindItemLinkByName("f1"), name);
  EXPECT_EQ(criteria.FindItemLinkById(99), nullptr);
  TItem stranger(9, "F9", "Stranger", nullptr);
  EXPECT_EQ(criteria.GetItemLinkId(&stranger), -1);
  TlxFilterCriteriaItem* condition = criteria.AddItem(&criteria.Root(), size, fokEqual, Variant(1), "1");
  EXPECT_EQ(condition->GetFieldCaption(), "Size");
  EXPECT_TRUE(condition->GetRecordValue(0).IsNull());
  builder.SetLink(nullptr);
  EXPECT_EQ(criteria.GetItemLinkId(size), -1);
}

}  // namespace
