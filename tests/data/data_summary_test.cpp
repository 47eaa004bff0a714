#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "data/data_utils.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/locale.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;

// A grid with a text column, a numeric column and a date column.
class TSummaryGrid : public TTestGrid {
 public:
  TSummaryGrid() {
    name = AddColumn("Name", lxValueTypeClass<TlxStringValueType>());
    amount = AddColumn("Betrag", lxValueTypeClass<TlxIntegerValueType>());
    when = AddColumn("Datum", lxValueTypeClass<TlxDateTimeValueType>());
    money = AddColumn("Preis", lxValueTypeClass<TlxCurrencyValueType>());
  }
  TlxDataSummaryItem* Footer(int32_t item, TlxSummaryKind kind) {
    return Summary().FooterSummaryItems().AddItem(GetItem(item), spFooter, kind, "");
  }
  TlxDataSummaryItem* Group(int32_t item, TlxSummaryKind kind) {
    return Summary().DefaultGroupSummaryItems().AddItem(item < 0 ? nullptr : GetItem(item), spGroup, kind, "");
  }
  int32_t name = 0;
  int32_t amount = 0;
  int32_t when = 0;
  int32_t money = 0;
};

Variant Null() { return Variant::Null(); }

std::string Text(const Variant& value) { return value.IsNull() ? "Null" : VarToStr(value); }

TEST(DataSummaryTest, NullRulesOfTheKinds) {
  struct Case {
    const char* name;
    std::vector<Variant> values;
    TlxSummaryKind kind;
    bool null_ignore;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"sum", {1, Null(), 3}, skSum, false, "4"},
      {"sum ignoring", {1, Null(), 3}, skSum, true, "4"},
      {"average", {1, Null(), 3}, skAverage, false, VarToStr(Variant(4.0 / 3.0))},
      {"average ignoring", {1, Null(), 3}, skAverage, true, "2"},
      {"min after leading null", {Null(), 5, 2}, skMin, false, "2"},
      {"max after leading null", {Null(), 5, 2}, skMax, false, "5"},
      {"count", {1, Null(), 3, 4}, skCount, false, "4"},
      {"count ignoring", {1, Null(), 3, 4}, skCount, true, "3"},
      {"all null sum", {Null(), Null()}, skSum, false, "0"},
      {"all null sum ignoring", {Null(), Null()}, skSum, true, "Null"},
      {"all null average", {Null(), Null()}, skAverage, false, "0"},
      {"all null min", {Null(), Null()}, skMin, false, "Null"},
      {"all null max ignoring", {Null(), Null()}, skMax, true, "Null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSummaryGrid grid;
    for (const Variant& value : c.values)
      grid.AddRows({{"x", value}});
    grid.Footer(grid.amount, c.kind);
    if (c.null_ignore)
      grid.Summary().SetOptions(soNullIgnore);
    EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), c.expected);
  }
}

TEST(DataSummaryTest, ResultTypes) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 2, Variant::FromDate(EncodeDate(2024, 1, 1))},
                {"b", 3, Variant::FromDate(EncodeDate(2024, 1, 3))}});
  grid.Footer(grid.amount, skSum);
  grid.Footer(grid.amount, skAverage);
  grid.Footer(grid.when, skAverage);
  grid.Footer(grid.when, skMin);
  grid.Footer(grid.amount, skCount);
  TlxDataSummary& summary = grid.Summary();
  EXPECT_EQ(summary.GetFooterSummaryValue(0).Type(), varInteger);
  EXPECT_EQ(summary.GetFooterSummaryValue(1).Type(), varDouble);
  EXPECT_DOUBLE_EQ(summary.GetFooterSummaryValue(1).AsDouble(), 2.5);
  // The average of dates is a date.
  EXPECT_EQ(summary.GetFooterSummaryValue(2).Type(), varDate);
  EXPECT_DOUBLE_EQ(summary.GetFooterSummaryValue(2).AsDouble(), EncodeDate(2024, 1, 2));
  EXPECT_EQ(summary.GetFooterSummaryValue(3).Type(), varDate);
  EXPECT_EQ(summary.GetFooterSummaryValue(4).Type(), varInteger);
  // Past the items there is no value.
  EXPECT_TRUE(summary.GetFooterSummaryValue(5).IsNull());
}

TEST(DataSummaryTest, FooterWithoutItemsHoldsNull) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}});
  EXPECT_TRUE(grid.Summary().FooterSummaryValues().IsNull());
  EXPECT_EQ(grid.Summary().GetFooterSummaryText(0), "");
}

TEST(DataSummaryTest, CountWithoutColumnCountsGroupRowsButNotTheFooter) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"a", Null()}, {"b", 3}, {"a", 4}, {"a", 5}});
  grid.Summary().FooterSummaryItems().AddItem(nullptr, spFooter, skCount, "");
  TlxDataSummaryItem* count = grid.Group(-1, skCount);
  EXPECT_FALSE(grid.Summary().FooterSummaryItems().ItemAt(0)->IsCalculable());
  EXPECT_TRUE(count->IsCalculable());
  grid.Groups().ChangeGroupIndex(grid.name, 0);
  EXPECT_EQ(Text(VarArrayGet(grid.Summary().GroupValuesOf(0), 0)), "4");
  EXPECT_EQ(Text(VarArrayGet(grid.Summary().GroupValuesOf(1), 0)), "1");
  // Without a column every value is Null: ignoring Nulls counts nothing.
  grid.Summary().SetOptions(soNullIgnore);
  EXPECT_EQ(Text(VarArrayGet(grid.Summary().GroupValuesOf(0), 0)), "0");
  // The footer count without a column is not calculated at all.
  EXPECT_TRUE(VarArrayGet(grid.Summary().FooterSummaryValues(), 0).IsEmpty());
}

TEST(DataSummaryTest, GroupResultsCoverTheirSubtree) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1, 1.0}, {"b", 10, 1.0}, {"a", 2, 2.0}, {"a", 4, 1.0}, {"b", 20, 2.0}});
  grid.Group(grid.amount, skSum);
  grid.Footer(grid.amount, skSum);
  grid.Groups().ChangeGroupIndex(grid.name, 0);
  grid.Groups().ChangeGroupIndex(grid.when, 1);
  const TlxDataGroups& tree = grid.Groups().GroupTree();
  std::vector<std::string> sums;
  for (int32_t group = 0; group < tree.Count(); ++group)
    sums.push_back(std::to_string(tree.ItemAt(group).Level) + ":" +
                   Text(VarArrayGet(tree.ItemAt(group).SummaryValues, 0)));
  // a (1, 2, 4) with dates 1 (1, 4) and 2 (2); b (10, 20) with dates 1 and 2.
  EXPECT_EQ(sums, (std::vector<std::string>{"0:7", "1:5", "1:2", "0:30", "1:10", "1:20"}));
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "37");
}

TEST(DataSummaryTest, ResultsFollowFilterAndValueChanges) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}, {"c", 3}});
  grid.Footer(grid.amount, skSum);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "6");
  grid.SetValue(1, grid.amount, 20);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "24");
  grid.SetOnFilterRecord([](TlxCustomDataController*, int32_t record, bool& accept) { accept = record != 0; });
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "23");
}

TEST(DataSummaryTest, GroupRowTextWithDefaultFormats) {
  TScopedLocale locale("en-US");
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"a", 4}, {"a", 5}, {"b", 2}});
  {
    TUpdateScope update(grid);
    grid.Group(grid.amount, skSum);
    grid.Group(grid.amount, skMin);
    grid.Group(grid.amount, skMax);
    grid.Groups().ChangeGroupIndex(grid.name, 0);
  }
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(0), "(SUM=10.00, MIN=1.00, MAX=5.00)");
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(1), "(SUM=2.00, MIN=2.00, MAX=2.00)");
  // Only group-positioned items are shown.
  grid.Summary().DefaultGroupSummaryItems().ItemAt(1)->SetPosition(spFooter);
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(0), "(SUM=10.00, MAX=5.00)");
  grid.Summary().DefaultGroupSummaryItems().SetSeparator(";");
  grid.Summary().DefaultGroupSummaryItems().SetBeginText("[");
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(0), "[SUM=10.00; MAX=5.00)");
  // The footer form of a group item: the sum loses its label.
  EXPECT_EQ(grid.Summary().GetGroupSummaryItemText(0, 0, 0), "10.00");
}

TEST(DataSummaryTest, FormatValueByKindAndValueClass) {
  TScopedLocale locale("en-US");
  TSummaryGrid grid;
  grid.AddRows({{"a", 3, EncodeDate(2024, 5, 6) + 0.5, Currency::FromInt64(7)},
                {"a", 4, 0.25, Currency::FromInt64(8)}});
  grid.Footer(grid.amount, skCount);
  grid.Group(grid.amount, skCount);
  grid.Group(grid.when, skMax);
  grid.Group(grid.when, skMin);
  TlxDataSummaryItem* money = grid.Group(grid.money, skSum);
  grid.Groups().ChangeGroupIndex(grid.name, 0);
  EXPECT_EQ(grid.Summary().GetFooterSummaryText(0), "2");
  // A group item's own text uses the footer formats; the group row its group formats.
  EXPECT_EQ(grid.Summary().GetGroupSummaryItemText(0, 0, 0), "2");
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(0).substr(0, 9), "(COUNT=2,");
  const Variant values = grid.Summary().GroupValuesOf(0);
  std::string text;
  grid.Summary().DefaultGroupSummaryItems().ItemAt(1)->FormatValue(VarArrayGet(values, 1), false, text);
  EXPECT_EQ(text, "MAX=" + DateTimeToStr(EncodeDate(2024, 5, 6) + 0.5));
  grid.Summary().DefaultGroupSummaryItems().ItemAt(2)->FormatValue(VarArrayGet(values, 2), false, text);
  EXPECT_EQ(text, "MIN=" + TimeToStr(0.25));
  money->FormatValue(VarArrayGet(values, 3), false, text);
  EXPECT_EQ(text, "SUM=" + FormatFloat(lxBuildCurrencyFormat(), 15));
  // An explicit format wins; OnGetText has the last word; Null shows nothing.
  money->SetFormat("0.0");
  money->FormatValue(VarArrayGet(values, 3), false, text);
  EXPECT_EQ(text, "15.0");
  money->OnGetText = [](TlxDataSummaryItem*, const Variant&, bool footer, std::string& out) {
    out += footer ? "F" : "G";
  };
  money->FormatValue(VarArrayGet(values, 3), true, text);
  EXPECT_EQ(text, "15.0F");
  money->FormatValue(Null(), false, text);
  EXPECT_EQ(text, "G");
}

TEST(DataSummaryTest, DefaultFormatTable) {
  TSummaryGrid grid;
  const TlxDataSummaryItems& group = grid.Summary().DefaultGroupSummaryItems();
  struct Case {
    TlxSummaryKind kind;
    int32_t value_kind;
    bool footer;
    std::string expected;
  };
  const std::string currency = lxBuildCurrencyFormat();
  const std::vector<Case> cases = {
      {skNone, 0, false, ""},
      {skSum, 0, false, "SUM=0.00;SUM=-0.00"},
      {skSum, 0, true, "0.00;-0.00"},
      {skSum, 2, false, "SUM="},
      {skSum, 2, true, ""},
      {skSum, 1, true, currency + ";-" + currency},
      {skMin, 1, false, "MIN=" + currency + ";MIN=-" + currency},
      {skMax, 2, true, "MAX="},
      {skCount, 1, false, "COUNT=0"},
      {skCount, 2, true, "0"},
      {skAverage, 0, true, "AVG=0.00;AVG=-0.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + "/" + std::to_string(c.value_kind) + "/" + std::to_string(c.footer));
    EXPECT_EQ(group.GetDefaultFormat(c.value_kind, c.kind, c.footer), c.expected);
  }
}

TEST(DataSummaryTest, SelectionOptions) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}, {"c", 4}});
  grid.Footer(grid.amount, skSum);
  grid.Footer(grid.amount, skCount);
  grid.Summary().SetOptions(soSelectedRecords);
  // Single selection: only the focused record counts.
  grid.ChangeFocusedRowIndex(1);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "2");
  grid.SetMultiSelect(true);
  grid.ClearSelection();
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "Null");
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(1)), "0");
  grid.ChangeRowSelection(0, true);
  grid.ChangeRowSelection(2, true);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "5");
  // The newly added of the two selection options wins.
  grid.Summary().SetOptions(soSelectedRecords | soMultipleSelectedRecords);
  EXPECT_EQ(grid.Summary().Options(), soMultipleSelectedRecords);
  grid.Summary().SetOptions(soSelectedRecords | soMultipleSelectedRecords);
  EXPECT_EQ(grid.Summary().Options(), soSelectedRecords);
  grid.Summary().SetOptions(soNullIgnore | soSelectedRecords | soMultipleSelectedRecords);
  EXPECT_EQ(grid.Summary().Options(), soNullIgnore | soMultipleSelectedRecords);
  // Multiple-selected: with one row selected every record counts.
  grid.Summary().SetOptions(soMultipleSelectedRecords);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "5");
  grid.ChangeRowSelection(0, false);
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "7");
}

TEST(DataSummaryTest, OnSummaryMayAccumulateItself) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}, {"c", 4}});
  grid.Footer(grid.amount, skSum);
  grid.Footer(grid.amount, skCount);
  grid.Summary().FooterSummaryItems().OnSummary = [](TlxDataSummaryItems*, const TlxSummaryEventArguments& arguments,
                                                     TlxSummaryEventOutArguments& out) {
    out.Done = arguments.RecordIndex == 1;
  };
  grid.Refresh();
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(0)), "5");
  EXPECT_EQ(Text(grid.Summary().GetFooterSummaryValue(1)), "2");
}

TEST(DataSummaryTest, PerColumnSettersCreateAndFreeItems) {
  TSummaryGrid grid;
  TlxDataGroupSummaryItems& items = grid.Summary().DefaultGroupSummaryItems();
  items.SetKindForItem(grid.amount, spGroup, skNone);
  EXPECT_EQ(items.Count(), 0);  // blank request: no item
  items.SetKindForItem(grid.amount, spGroup, skSum);
  items.SetFormatForItem(grid.amount, spGroup, "0");
  ASSERT_EQ(items.Count(), 1);
  EXPECT_EQ(items.GetKindForItem(grid.amount, spGroup), skSum);
  EXPECT_EQ(items.GetFormatForItem(grid.amount, spGroup), "0");
  EXPECT_EQ(items.GetKindForItem(grid.amount, spFooter), skNone);
  items.SetKindForItem(grid.amount, spGroup, skNone);
  EXPECT_EQ(items.Count(), 1);
  items.SetFormatForItem(grid.amount, spGroup, "");
  EXPECT_EQ(items.Count(), 0);
  EXPECT_THROW(items.GetKindForItem(99, spGroup), ElxInvalidDataControllerOperation);
}

TEST(DataSummaryTest, SortedBelongsToOneItemOfACollection) {
  TSummaryGrid grid;
  TlxDataSummaryItem* first = grid.Group(grid.amount, skSum);
  TlxDataSummaryItem* second = grid.Group(grid.amount, skMax);
  first->SetSorted(true);
  second->SetSorted(true);
  EXPECT_FALSE(first->Sorted());
  EXPECT_TRUE(second->Sorted());
  EXPECT_EQ(grid.Summary().DefaultGroupSummaryItems().SortingSummaryItem(), second);
}

TEST(DataSummaryTest, SummaryGroupReplacesDefaultsForItsColumn) {
  TScopedLocale locale("en-US");
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}, {"a", 2}});
  grid.Group(grid.amount, skSum);
  TlxDataSummaryGroup* group = grid.Summary().SummaryGroups().AddGroup();
  group->Links().AddLink()->SetLinkedItem(grid.GetItem(grid.name));
  group->SummaryItems().AddItem(grid.GetItem(grid.amount), spGroup, skMax, "");
  grid.Groups().ChangeGroupIndex(grid.name, 0);
  EXPECT_EQ(grid.Summary().GroupSummaryItemsForLevel(0), &group->SummaryItems());
  EXPECT_EQ(grid.Summary().GroupSummaryItemsForLevel(1), nullptr);
  EXPECT_EQ(grid.Summary().GetGroupRowSummaryText(0), "(MAX=2.00)");
  // A column belongs to one summary group at most.
  TlxDataSummaryGroup* other = grid.Summary().SummaryGroups().AddGroup();
  other->Links().AddLink()->SetLinkedItem(grid.GetItem(grid.name));
  EXPECT_EQ(group->Links().Count(), 0);
  EXPECT_EQ(grid.Summary().SummaryGroups().GroupForItemLink(grid.GetItem(grid.name)), other);
}

TEST(DataSummaryTest, RemovedColumnLeavesItsItems) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}});
  TlxDataSummaryItem* item = grid.Footer(grid.amount, skSum);
  grid.RemoveItem(grid.GetItem(grid.amount));
  EXPECT_EQ(item->Field(), nullptr);
  EXPECT_FALSE(item->IsCalculable());
}

TEST(DataSummaryTest, AfterSummaryWaitsForLoadingAndCopyTakesEverything) {
  TSummaryGrid grid;
  grid.AddRows({{"a", 1}});
  int32_t calls = 0;
  grid.Summary().OnAfterSummary = [&calls](TlxDataSummary* sender) {
    ++calls;
    EXPECT_TRUE(sender->InAfterSummary());
  };
  grid.Footer(grid.amount, skSum);
  EXPECT_EQ(calls, 1);

  TSummaryGrid copy;
  copy.Summary().Assign(&grid.Summary());
  ASSERT_EQ(copy.Summary().FooterSummaryItems().Count(), 1);
  EXPECT_EQ(copy.Summary().FooterSummaryItems().ItemAt(0)->Kind(), skSum);
  EXPECT_TRUE(static_cast<bool>(copy.Summary().OnAfterSummary));
}

}  // namespace
