#include "data/filter_criteria.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/filter_operators.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "tests/data/filter_test_criteria.h"

namespace {

using filter_test::TColumn;
using filter_test::TTestCriteria;

class FilterCriteriaTest : public testing::Test {
 protected:
  FilterCriteriaTest() {
    name = criteria.AddColumn(1, "Name", "Name");
    size = criteria.AddColumn(2, "Size", "Size");
    criteria.table = {
        {{1, Variant("ABC")}, {2, Variant(3)}},
        {{1, Variant("")}, {2, Variant::Null()}},
        {{1, Variant("abc")}, {2, Variant(10)}},
    };
    criteria.OnChanged = [this](TObject*) { ++notifications; };
  }

  bool Passes(int32_t record) { return criteria.EvaluateRecord(record); }

  TScopedLocale locale{"en-US"};
  TTestCriteria criteria;
  TColumn* name = nullptr;
  TColumn* size = nullptr;
  int notifications = 0;
};

TEST_F(FilterCriteriaTest, EmptyCriteriaAndEmptyNegatedListPassEverything) {
  EXPECT_TRUE(Passes(0));
  criteria.Root().SetBoolOperatorKind(fbkNotAnd);
  EXPECT_TRUE(Passes(1));
}

struct FoldCase {
  TlxFilterBoolOperatorKind kind;
  std::vector<bool> children;
  bool expected;
};

TEST_F(FilterCriteriaTest, FoldTable) {
  // Conditions on Size that are true or false for record 0 (Size 3).
  const std::vector<FoldCase> cases = {
      {fbkAnd, {true, true}, true},     {fbkAnd, {true, false}, false},  {fbkOr, {false, true}, true},
      {fbkOr, {false, false}, false},   {fbkNotAnd, {true, false}, true}, {fbkNotAnd, {true, true}, false},
      {fbkNotOr, {false, false}, true}, {fbkNotOr, {false, true}, false}, {fbkNotAnd, {false}, true},
      {fbkNotOr, {true}, false},
  };
  for (const FoldCase& row : cases) {
    criteria.RemoveAllItems();
    TlxFilterCriteriaItemList* list = criteria.Root().AddSubList(row.kind);
    for (bool child : row.children)
      list->AddCondition(size, fokEqual, Variant(child ? 3 : 4), "");
    EXPECT_EQ(Passes(0), row.expected) << int(row.kind);
  }
}

TEST_F(FilterCriteriaTest, Options) {
  struct Case {
    const char* name;
    TlxFilterCriteriaOptions options;
    TColumn* column;
    TlxFilterOperatorKind kind;
    Variant operand;
    int32_t record;
    bool expected;
  };
  const std::vector<Case> cases = {
      {"null is less than 5", 0, size, fokLess, Variant(5), 1, true},
      {"ignore null fails it", lxFilterOption(fcoIgnoreNull), size, fokLess, Variant(5), 1, false},
      {"ignore null keeps blank tests", lxFilterOption(fcoIgnoreNull), size, fokNull, Variant::Null(), 1, true},
      {"empty string is not null", 0, name, fokNull, Variant::Null(), 1, false},
      {"soft null takes it", lxFilterOption(fcoSoftNull), name, fokNull, Variant::Null(), 1, true},
      {"case counts", 0, name, fokEqual, Variant("abc"), 0, false},
      {"case ignored", lxFilterOption(fcoCaseInsensitive), name, fokEqual, Variant("abc"), 0, true},
      {"LIKE case ignored", lxFilterOption(fcoCaseInsensitive), name, fokLike, Variant("a%"), 0, true},
      {"equal with null operand is blank", 0, size, fokEqual, Variant::Null(), 1, true},
      {"between", 0, size, fokBetween, VarArrayOf({3, 10}), 2, true},
      {"not between", 0, size, fokNotBetween, VarArrayOf({4, 10}), 0, true},
      {"in", 0, size, fokInList, VarArrayOf({1, 10}), 2, true},
      {"not in", 0, size, fokNotInList, VarArrayOf({1, 10}), 2, false},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.name);
    criteria.RemoveAllItems();
    criteria.SetOptions(row.options);
    criteria.AddItem(nullptr, row.column, row.kind, row.operand, "");
    EXPECT_EQ(Passes(row.record), row.expected);
  }
}

// A text compared with a number: every comparison kind lets the conversion
// error reach the soft-compare option.
TEST_F(FilterCriteriaTest, SoftCompareCoversEveryComparisonKind) {
  criteria.table[0][2] = Variant("many");
  const std::vector<std::pair<TlxFilterOperatorKind, Variant>> kinds = {
      {fokEqual, Variant(5)},   {fokNotEqual, Variant(5)},       {fokLess, Variant(5)},
      {fokLessEqual, Variant(5)}, {fokGreater, Variant(5)},      {fokGreaterEqual, Variant(5)},
      {fokBetween, VarArrayOf({1, 5})}, {fokNotBetween, VarArrayOf({1, 5})}, {fokInList, VarArrayOf({1, 5})},
  };
  for (const auto& [kind, operand] : kinds) {
    SCOPED_TRACE(int(kind));
    criteria.RemoveAllItems();
    criteria.SetOptions(0);
    criteria.AddItem(nullptr, size, kind, operand, "");
    EXPECT_THROW(Passes(0), EVariantTypeCastError);
    criteria.SetOptions(lxFilterOption(fcoSoftCompare));
    EXPECT_FALSE(Passes(0));
  }
}

TEST_F(FilterCriteriaTest, ChangeBracketsNotifyOncePerBatch) {
  criteria.BeginChanges();
  criteria.BeginChanges();
  criteria.AddItem(nullptr, name, fokEqual, Variant("x"), "x");
  criteria.EndChanges();
  criteria.CancelChanges();
  EXPECT_EQ(notifications, 0);
  EXPECT_TRUE(criteria.HasPendingChange());
  criteria.BeginChanges();
  criteria.EndChanges();
  EXPECT_EQ(notifications, 1);
  criteria.SetOptions(criteria.Options());
  EXPECT_EQ(notifications, 1);
  criteria.SetPercentWildcard('*');
  EXPECT_EQ(notifications, 2);
  criteria.SetMaxValueListCount(3);
  EXPECT_EQ(notifications, 2);
}

TEST_F(FilterCriteriaTest, RemoveItemsByLinkTidiesLists) {
  // Root AND: [Size = 1, OR(Name = a, Size = 2), OR(Size = 3), NOT AND(Name = b, Size = 4)]
  criteria.AddItem(nullptr, size, fokEqual, Variant(1), "1");
  TlxFilterCriteriaItemList* either = criteria.Root().AddSubList(fbkOr);
  either->AddCondition(name, fokEqual, Variant("a"), "a");
  either->AddCondition(size, fokEqual, Variant(2), "2");
  TlxFilterCriteriaItemList* only = criteria.Root().AddSubList(fbkOr);
  only->AddCondition(size, fokEqual, Variant(3), "3");
  TlxFilterCriteriaItemList* negated = criteria.Root().AddSubList(fbkNotAnd);
  negated->AddCondition(name, fokEqual, Variant("b"), "b");
  negated->AddCondition(size, fokEqual, Variant(4), "4");
  notifications = 0;
  criteria.RemoveItemsByLink(size);
  EXPECT_EQ(notifications, 1);
  // The OR with one child left gave way to it (moved to the end); the OR of
  // only Size went; the NOT list keeps its remaining child and its negation.
  ASSERT_EQ(criteria.Root().ItemCount(), 2);
  auto* kept_negation = dynamic_cast<TlxFilterCriteriaItemList*>(criteria.Root().ItemAt(0));
  ASSERT_NE(kept_negation, nullptr);
  EXPECT_EQ(kept_negation->BoolOperatorKind(), fbkNotAnd);
  EXPECT_EQ(kept_negation->ItemCount(), 1);
  auto* moved = dynamic_cast<TlxFilterCriteriaItem*>(criteria.Root().ItemAt(1));
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->Value().AsString(), "a");
  EXPECT_EQ(criteria.BuildExpressionText(), "(NOT ((Name = 'b'))) AND (Name = 'a')");
  // Nothing to remove: no notification.
  criteria.RemoveItemsByLink(size);
  EXPECT_EQ(notifications, 1);
  EXPECT_EQ(criteria.LocateItemByLink(name), kept_negation->ItemAt(0));
}

TEST_F(FilterCriteriaTest, AssignCopiesSettingsAndItems) {
  criteria.SetOptions(lxFilterOption(fcoCaseInsensitive));
  criteria.SetDateTimeFormat("yyyy-mm-dd");
  criteria.AddItem(nullptr, name, fokLike, Variant("a%"), "a%");
  TTestCriteria copy;
  copy.AddColumn(1, "Name", "Name");
  copy.Assign(&criteria);
  EXPECT_EQ(copy.Options(), criteria.Options());
  EXPECT_EQ(copy.DateTimeFormat(), "yyyy-mm-dd");
  ASSERT_EQ(copy.Root().ItemCount(), 1);
  EXPECT_TRUE(copy.HasSameContent(criteria, false));
  int copied_events = 0;
  criteria.OnChanged = [&copied_events](TObject*) { ++copied_events; };
  copy.AssignEvents(criteria);
  copy.SetPercentWildcard('*');
  EXPECT_EQ(copied_events, 1);
  copy.OnChanged = nullptr;
  criteria.OnChanged = nullptr;
  TPersistent not_a_criteria;
  EXPECT_THROW(copy.Assign(&not_a_criteria), EConvertError);
}

TEST_F(FilterCriteriaTest, OperatorClassFollowsKindAndOperand) {
  TlxFilterCriteriaItem* condition = criteria.AddItem(nullptr, name, fokEqual, Variant::Null(), "");
  EXPECT_EQ(condition->Operator().ClassType(), &TlxFilterNullOperator::kClass);
  EXPECT_EQ(condition->DisplayValue(), "blank");
  condition->SetValue(Variant("x"));
  EXPECT_EQ(condition->Operator().ClassType(), &TlxFilterEqualOperator::kClass);
  condition->SetOperatorKind(fokNotLike);
  EXPECT_EQ(condition->Operator().ClassType(), &TlxFilterNotLikeOperator::kClass);
  condition->SetValue(Variant::Null());
  EXPECT_EQ(condition->Operator().ClassType(), &TlxFilterNotNullOperator::kClass);
  EXPECT_THROW(condition->SetOperatorKind(36), EInvalidArgument);
}

struct RangeCase {
  TlxFilterOperatorKind kind;
  TDateTime first;  // first day that passes, 0 for none
  TDateTime last;   // last day that passes, 0 for none
};

// Today is Wednesday 15 January 2025 and the week starts on Monday.
TEST_F(FilterCriteriaTest, DateRangesForAFixedDay) {
  TScopedLocale german("de-DE");
  TScopedClock clock(EncodeDate(2025, 1, 15) + 0.5);
  auto day = [](int year, int month, int d) { return EncodeDate(year, month, d); };
  const std::vector<RangeCase> cases = {
      {fokYesterday, day(2025, 1, 14), day(2025, 1, 14)},
      {fokToday, day(2025, 1, 15), day(2025, 1, 15)},
      {fokTomorrow, day(2025, 1, 16), day(2025, 1, 16)},
      {fokLast7Days, day(2025, 1, 9), day(2025, 1, 15)},
      {fokLastWeek, day(2025, 1, 6), day(2025, 1, 12)},
      {fokLast14Days, day(2025, 1, 2), day(2025, 1, 15)},
      {fokLastTwoWeeks, day(2024, 12, 30), day(2025, 1, 12)},
      {fokLast30Days, day(2024, 12, 17), day(2025, 1, 15)},
      {fokLastMonth, day(2024, 12, 1), day(2024, 12, 31)},
      {fokLastYear, day(2024, 1, 1), day(2024, 12, 31)},
      {fokThisWeek, day(2025, 1, 13), day(2025, 1, 19)},
      {fokThisMonth, day(2025, 1, 1), day(2025, 1, 31)},
      {fokThisYear, day(2025, 1, 1), day(2025, 12, 31)},
      {fokNext7Days, day(2025, 1, 15), day(2025, 1, 21)},
      {fokNextWeek, day(2025, 1, 20), day(2025, 1, 26)},
      {fokNext14Days, day(2025, 1, 15), day(2025, 1, 28)},
      {fokNextTwoWeeks, day(2025, 1, 20), day(2025, 2, 2)},
      {fokNext30Days, day(2025, 1, 15), day(2025, 2, 13)},
      {fokNextMonth, day(2025, 2, 1), day(2025, 2, 28)},
      {fokNextYear, day(2026, 1, 1), day(2026, 12, 31)},
  };
  for (const RangeCase& row : cases) {
    SCOPED_TRACE(int(row.kind));
    criteria.RemoveAllItems();
    criteria.AddItem(nullptr, size, row.kind, Variant::Null(), "");
    auto passes = [this](TDateTime date) {
      criteria.table[0][2] = Variant::FromDate(date);
      return Passes(0);
    };
    EXPECT_TRUE(passes(row.first));
    EXPECT_TRUE(passes(row.last + 0.999));  // a time of day on the last day
    EXPECT_FALSE(passes(row.first - 0.001));
    EXPECT_FALSE(passes(row.last + 1));
  }
  criteria.RemoveAllItems();
  criteria.AddItem(nullptr, size, fokInPast, Variant::Null(), "");
  criteria.table[0][2] = Variant::FromDate(day(1900, 1, 1));
  EXPECT_TRUE(Passes(0));
  criteria.table[0][2] = Variant::FromDate(day(2025, 1, 15));
  EXPECT_FALSE(Passes(0));
  criteria.RemoveAllItems();
  criteria.AddItem(nullptr, size, fokInFuture, Variant::Null(), "");
  EXPECT_FALSE(Passes(0));
  criteria.table[0][2] = Variant::FromDate(day(9000, 1, 1));
  EXPECT_TRUE(Passes(0));
}

TEST_F(FilterCriteriaTest, MonthRangesAtTheEndOfTheYear) {
  TScopedClock clock(EncodeDate(2024, 11, 20));
  criteria.AddItem(nullptr, size, fokNextMonth, Variant::Null(), "");
  auto& range = static_cast<TlxFilterDateOperator&>(
      static_cast<TlxFilterCriteriaItem*>(criteria.Root().ItemAt(0))->Operator());
  EXPECT_EQ(range.Date1(), EncodeDate(2024, 12, 1));
  EXPECT_EQ(range.Date2(), EncodeDate(2025, 1, 1));
  {
    TScopedClock december(EncodeDate(2024, 12, 5));
    criteria.PrepareOperators();
    EXPECT_EQ(range.Date1(), EncodeDate(2025, 1, 1));
    EXPECT_EQ(range.Date2(), EncodeDate(2025, 2, 1));
  }
  TScopedClock january(EncodeDate(2025, 1, 5));
  criteria.RemoveAllItems();
  criteria.AddItem(nullptr, size, fokLastMonth, Variant::Null(), "");
  auto& last = static_cast<TlxFilterDateOperator&>(
      static_cast<TlxFilterCriteriaItem*>(criteria.Root().ItemAt(0))->Operator());
  EXPECT_EQ(last.Date1(), EncodeDate(2024, 12, 1));
  EXPECT_EQ(last.Date2(), EncodeDate(2025, 1, 1));
}

}  // namespace
