// Sorting, grouping and filtering read stored values straight from the
// storage where they can; a controller that asks for the comparisons and
// value readers record by record is the reference. Over values chosen to
// trip a key encoding (nulls, negatives, -0, NaN, infinities, ties, empty
// and missing texts) both must give the same rows in the same order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;

// The reference: every comparison and value read through the controller.
class TPairwiseGrid : public TTestGrid {
 public:
  bool ReadsStoredValuesDirectly() const override { return false; }
};

enum Column { kSmall, kInt, kWord, kBool, kLarge, kMoney, kFloat, kDate, kText, kWide, kColumnCount };

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::vector<std::vector<Variant>> Rows() {
  const Variant null = Variant::Null();
  return {
      {Variant(3), Variant(7), Variant(4), Variant(true), Variant(int64_t{-5}), Variant(1.5), Variant(0.0),
       Variant::FromDate(45000.0), Variant("b7"), Variant(std::u16string(u"\u00e4"))},
      {Variant(-3), null, Variant(0), Variant(false), Variant(int64_t{1} << 40), Variant(-2.25), Variant(-0.0),
       Variant::FromDate(45000.5), Variant(""), Variant(std::u16string(u"a"))},
      {null, Variant(-7), Variant(65535), null, null, null, Variant(kNaN), null, null, null},
      {Variant(3), Variant(7), Variant(4), Variant(true), Variant(int64_t{-5}), Variant(1.5), Variant(kInf),
       Variant::FromDate(44999.0), Variant("a77"), Variant(std::u16string(u"a"))},
      {Variant(-32768), Variant(std::numeric_limits<int32_t>::min()), Variant(1), Variant(false),
       Variant(std::numeric_limits<int64_t>::min()), Variant(0.0), Variant(-kInf), Variant::FromDate(45000.0),
       Variant("B"), Variant(std::u16string(u"b"))},
      {Variant(32767), Variant(std::numeric_limits<int32_t>::max()), Variant(4), Variant(true),
       Variant(std::numeric_limits<int64_t>::max()), Variant(-2.25), Variant(kNaN), Variant::FromDate(-1.5),
       Variant("b7"), Variant(std::u16string())},
      {Variant(0), Variant(0), null, Variant(true), Variant(int64_t{0}), Variant(0.01), Variant(1e-300), null,
       Variant("%7"), null},
      {Variant(3), Variant(-7), Variant(4), Variant(false), Variant(int64_t{-5}), Variant(1.5), Variant(-1e-300),
       Variant::FromDate(45000.0), Variant("7"), Variant(std::u16string(u"\u00e4"))},
  };
}

void Fill(TTestGrid& grid) {
  const TlxValueTypeClass types[kColumnCount] = {
      lxValueTypeClass<TlxSmallintValueType>(), lxValueTypeClass<TlxIntegerValueType>(),
      lxValueTypeClass<TlxWordValueType>(),     lxValueTypeClass<TlxBooleanValueType>(),
      lxValueTypeClass<TlxLargeIntValueType>(), lxValueTypeClass<TlxCurrencyValueType>(),
      lxValueTypeClass<TlxFloatValueType>(),    lxValueTypeClass<TlxDateTimeValueType>(),
      lxValueTypeClass<TlxStringValueType>(),   lxValueTypeClass<TlxWideStringValueType>()};
  for (int32_t column = 0; column < kColumnCount; ++column)
    grid.AddColumn("c" + std::to_string(column), types[column]);
  grid.AddRows(Rows());
}

// The rows as level, record and expansion, in view order.
std::vector<std::string> Rows(TTestGrid& grid) {
  std::vector<std::string> rows;
  for (int32_t row = 0; row < grid.GetRowCount(); ++row) {
    const TlxRowInfo info = grid.GetRowInfo(row);
    rows.push_back(std::to_string(info.Level) + ":" + std::to_string(info.RecordIndex) +
                   (info.Expanded ? "+" : ""));
  }
  return rows;
}

class TypedOrderTest : public ::testing::Test {
 protected:
  TypedOrderTest() {
    Fill(direct_);
    Fill(pairwise_);
  }
  // Applies the same change to both controllers and compares their rows.
  void ExpectSameRows(const std::string& name, const std::function<void(TTestGrid&)>& change) {
    for (TTestGrid* grid : {static_cast<TTestGrid*>(&direct_), static_cast<TTestGrid*>(&pairwise_)}) {
      {
        TUpdateScope update(*grid);
        grid->ClearSorting(false);
        grid->Groups().ClearGrouping();
        grid->Filter().SetActive(false);
        change(*grid);
      }
      // Data rows show only under expanded groups.
      grid->Groups().FullExpand();
    }
    EXPECT_EQ(Rows(direct_), Rows(pairwise_)) << name;
  }

  TTestGrid direct_;
  TPairwiseGrid pairwise_;
};

TEST_F(TypedOrderTest, SortingEveryTypeBothWaysAndByTwoColumns) {
  for (int32_t column = 0; column < kColumnCount; ++column)
    for (TlxDataSortOrder order : {soAscending, soDescending})
      ExpectSameRows("column " + std::to_string(column) + (order == soAscending ? " up" : " down"),
                     [&](TTestGrid& grid) { grid.ChangeSortOrder(column, order); });
  const std::pair<Column, Column> pairs[] = {{kSmall, kText}, {kBool, kFloat}, {kLarge, kWide},
                                             {kText, kInt},   {kDate, kMoney}, {kWord, kSmall}};
  for (const auto& [first, second] : pairs)
    for (TlxDataSortOrder order : {soAscending, soDescending})
      ExpectSameRows("columns " + std::to_string(first) + ", " + std::to_string(second),
                     [&](TTestGrid& grid) {
                       grid.ChangeSortOrder(first, order);
                       grid.ChangeSortOrder(second, order == soAscending ? soDescending : soAscending);
                     });
}

TEST_F(TypedOrderTest, GroupingEveryTypeAndTwoLevels) {
  for (int32_t column = 0; column < kColumnCount; ++column)
    ExpectSameRows("grouped by " + std::to_string(column), [&](TTestGrid& grid) {
      grid.Groups().ChangeGroupIndex(column, 0);
      grid.ChangeSortOrder(kInt, soDescending);
    });
  ExpectSameRows("grouped by two levels", [](TTestGrid& grid) {
    grid.Groups().ChangeGroupIndex(kBool, 0);
    grid.Groups().ChangeGroupIndex(kFloat, 1);
    grid.ChangeSortOrder(kFloat, soDescending);
  });
  const std::vector<std::string> rows = Rows(direct_);
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [](const std::string& row) { return row.starts_with("2:"); }))
      << "the data rows under both levels are compared too";
}

struct Condition {
  Column column;
  TlxFilterOperatorKind kind;
  Variant operand;
};

TEST_F(TypedOrderTest, FilteringNumbersAndTexts) {
  const std::vector<Condition> conditions = {
      {kInt, fokGreater, Variant(0)},          {kInt, fokLessEqual, Variant(7)},
      {kSmall, fokEqual, Variant(3)},          {kSmall, fokNotEqual, Variant(3.0)},
      {kWord, fokGreaterEqual, Variant(4)},    {kLarge, fokLess, Variant(0.5)},
      {kLarge, fokGreater, Variant(int64_t{1} << 39)},
      {kFloat, fokLess, Variant(0)},           {kFloat, fokGreaterEqual, Variant(-0.0)},
      {kFloat, fokNotEqual, Variant(kNaN)},    {kText, fokLike, Variant("%7%")},
      {kText, fokNotLike, Variant("b_")},      {kText, fokLike, Variant("%")},
      {kText, fokLike, Variant("")},           {kWide, fokLike, Variant("a%")},
      {kText, fokLike, Variant("%7")},         {kText, fokLike, Variant("b%7")},
      {kText, fokLike, Variant("%%7")},        {kText, fokNotLike, Variant("%b%")},
      {kText, fokLike, Variant("7%7")},        {kText, fokLike, Variant("a7%7")},
      {kMoney, fokGreater, Variant(0)},
  };
  const TlxFilterCriteriaOptions option_sets[] = {
      0, lxFilterOption(fcoIgnoreNull), lxFilterOption(fcoIgnoreNull) | lxFilterOption(fcoSoftNull),
      lxFilterOption(fcoCaseInsensitive)};
  for (TlxFilterCriteriaOptions options : option_sets) {
    for (size_t i = 0; i < conditions.size(); ++i) {
      ExpectSameRows("condition " + std::to_string(i) + " options " + std::to_string(options),
                     [&](TTestGrid& grid) {
                       TlxDataFilterCriteria& filter = grid.Filter();
                       TlxFilterChangesScope changes(filter);
                       filter.RemoveAllItems();
                       filter.SetOptions(options);
                       const Condition& c = conditions[i];
                       filter.AddItem(&filter.Root(), grid.columns[static_cast<size_t>(c.column)].get(), c.kind,
                                      c.operand, "");
                       filter.SetActive(true);
                     });
    }
  }
  // Nested lists of every operator mix direct and general conditions.
  for (TlxFilterBoolOperatorKind kind : {fbkAnd, fbkOr, fbkNotAnd, fbkNotOr})
    ExpectSameRows("nested " + std::to_string(kind), [&](TTestGrid& grid) {
      TlxDataFilterCriteria& filter = grid.Filter();
      TlxFilterChangesScope changes(filter);
      filter.RemoveAllItems();
      filter.AddItem(&filter.Root(), grid.columns[kInt].get(), fokGreater, Variant(-10), "");
      TlxFilterCriteriaItemList* list = filter.Root().AddSubList(kind);
      filter.AddItem(list, grid.columns[kText].get(), fokLike, Variant("%7%"), "");
      filter.AddItem(list, grid.columns[kDate].get(), fokGreater, Variant::FromDate(44999.5), "");
      filter.AddItem(list, grid.columns[kFloat].get(), fokLess, Variant(1), "");
      filter.SetActive(true);
    });
}

}  // namespace
