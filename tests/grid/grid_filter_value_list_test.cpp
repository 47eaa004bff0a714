#include "grid/grid_filter_value_list.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/filter_texts.h"
#include "data/value_types.h"
#include "data/variant_utils.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "tests/grid/grid_date_range_test_dates.h"
#include "tests/grid/table_filtering_test_view.h"

namespace {

using table_filtering_test::TTestFilteringView;
using Texts = std::vector<std::string>;

using grid_date_test::Day;
using grid_date_test::kLastMillisecond;

// A column of the test view as the value list sees a table item.
class TTestFilterItem : public IlxGridFilterValueListItem {
 public:
  TTestFilterItem(TTestFilteringView& view, int32_t column) : view_(view), column_(column) {}

  int32_t FilterValueItemIndex() const override { return column_; }
  TObject* FilterItemLink() const override { return view_.grid.columns[static_cast<size_t>(column_)].get(); }
  bool IsDateTimeItem() const override {
    return lxIsDateTimeValueTypeClass(view_.grid.GetItemValueTypeClass(column_));
  }
  const TlxCustomGridTableDateTimeHandling& ViewDateTimeHandling() const override { return view_.date_time; }
  bool IgnoresTimeForFiltering() const override {
    return IsDateTimeItem() && view_.date_time.IgnoreTimeForFiltering() && ignore_time_for_filtering;
  }
  bool HasInitFilteringDateRangesHandler() const override { return static_cast<bool>(on_init_filtering_date_ranges); }
  TlxGridDateRanges& RebuildFilteringDateRanges() override {
    ranges_.Build(&view_.date_time, view_.date_time.Filters());
    if (on_init_filtering_date_ranges)
      on_init_filtering_date_ranges(ranges_);
    return ranges_;
  }
  TlxDataFilterCriteria& ViewFilter() override { return view_.grid.Filter(); }
  void CustomizeFilter() override { calls.push_back("customize"); }
  void DoUserFiltering(const Variant& value, const std::string& display_text) override {
    calls.push_back("user " + VarToStr(value) + " " + display_text);
  }
  // The view data's rule: an empty text of a plain value is the value's text.
  void AddFilterCondition(TlxFilterCriteriaItemList* target, TlxFilterOperatorKind kind, const Variant& value,
                          const std::string& display_text, bool replace) override {
    TlxDataFilterCriteria& filter = ViewFilter();
    if (replace)
      filter.RemoveItemsByLink(FilterItemLink());
    std::string text = display_text;
    if (text.empty() && !value.IsNull() && !value.IsArray())
      text = VarToStr(value);
    filter.AddItem(target != nullptr ? target : &filter.Root(), FilterItemLink(), kind, value, text);
  }
  std::string FilterValueDisplayText(const Variant& value) override {
    return FormatDateTime("yyyy-mm-dd", value.AsDateTime());
  }
  TlxGridFilterMRUValueItems* RecentValues() override { return &recent; }

  bool ignore_time_for_filtering = true;
  std::function<void(TlxGridDateRanges&)> on_init_filtering_date_ranges;
  TlxGridFilterMRUValueItems recent;
  Texts calls;

 private:
  TTestFilteringView& view_;
  int32_t column_;
  TlxGridFilteringDateRanges ranges_;
};

// Wednesday 13 March 2024, English texts; the file list with a date column.
class GridFilterValueListTest : public ::testing::Test {
 protected:
  GridFilterValueListTest() {
    datum_ = view_.grid.AddColumn("Datum", lxValueTypeClass<TlxDateTimeValueType>());
    TUpdateScope update(view_.grid);
    const std::vector<std::pair<const char*, Variant>> rows = {
        {"a", Variant::FromDate(Day(2024, 1, 3))},
        {"b", Variant::FromDate(Day(2024, 1, 20))},
        {"c", Variant::FromDate(Day(2024, 3, 5) + EncodeTime(14, 0, 0, 0))},
        {"d", Variant::Null()},
    };
    for (const auto& [name, date] : rows) {
      const int32_t record = view_.grid.AppendRecord();
      view_.grid.SetValue(record, view_.grid.datei, name);
      view_.grid.SetValue(record, view_.grid.groesse, 1);
      view_.grid.SetValue(record, datum_, date);
    }
  }

  std::unique_ptr<TlxGridFilterValueList> Load(TTestFilterItem& item) {
    auto list = std::make_unique<TlxGridFilterValueList>(&view_.grid.Filter());
    list->LoadForItem(item, false, false);
    return list;
  }

  // Value entries as "v", separators as "-", recent values as "r:" and
  // their text, every other entry as its text.
  static Texts Shape(const TlxFilterValueList& list) {
    Texts shape;
    for (int32_t i = 0; i < list.Count(); ++i) {
      const TlxFilterValueItem& entry = list.EntryAt(i);
      if (entry.Kind == fvkValue)
        shape.push_back("v");
      else if (entry.Kind == fvkSeparator)
        shape.push_back("-");
      else if (entry.Kind == fvkMRUValue)
        shape.push_back("r:" + entry.DisplayText);
      else
        shape.push_back(entry.DisplayText);
    }
    return shape;
  }

  TScopedLocale locale_{"en-US"};
  TScopedClock clock_{Day(2024, 3, 13) + EncodeTime(10, 30, 0, 0)};
  TTestFilteringView view_;
  int32_t datum_ = 0;
};

TEST_F(GridFilterValueListTest, CompositionFollowsTheDateTimeFilters) {
  const TlxGridDateTimeFilters all = 0xFF;
  struct Case {
    const char* name;
    TlxGridDateTimeFilters filters;
    bool date_column;
    Texts shape;
  };
  const Case cases[] = {
      {"no date filters", 0, true, {"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "v", "v", "v"}},
      {"months",
       lxDateTimeFilterBit(dtfMonths),
       true,
       {"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "January 2024", "March 2024", "v", "v", "v"}},
      {"relative days",
       lxDateTimeFilterBit(dtfRelativeDays),
       true,
       {"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "Yesterday", "Today", "Tomorrow", "-", "v", "v", "v"}},
      {"past and future, years",
       static_cast<TlxGridDateTimeFilters>(lxDateTimeFilterBit(dtfPastFuture) | lxDateTimeFilterBit(dtfYears)),
       true,
       {"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "Past", "Future", "-", "2024", "v", "v", "v"}},
      {"everything",
       all,
       true,
       {"(All)",        "(Custom...)",    "(Blanks)",     "(NonBlanks)",  "Yesterday",     "Today",
        "Tomorrow",     "Last 30 days",   "Last 14 days", "Last 7 days",  "Next 7 days",   "Next 14 days",
        "Next 30 days", "Last two weeks", "Last week",    "This week",    "Next week",     "Next two weeks",
        "Last month",   "This month",     "Next month",   "Last year",    "This year",     "Next year",
        "Past",         "Future",         "-",            "2024",         "January 2024",  "March 2024",
        "v",            "v",              "v"}},
      {"text column", all, false, {"(All)", "(Custom...)", "a", "b", "c", "d"}},
  };
  for (const Case& c : cases) {
    view_.date_time.SetFilters(c.filters);
    TTestFilterItem item(view_, c.date_column ? datum_ : view_.grid.datei);
    const auto list = Load(item);
    Texts shape = Shape(*list);
    if (!c.date_column)
      for (int32_t i = list->FirstValueIndex(); i < list->Count(); ++i)
        shape[static_cast<size_t>(i)] = list->EntryAt(i).DisplayText;
    EXPECT_EQ(shape, c.shape) << c.name;
    for (int32_t i = 0; !c.date_column && i < list->Count(); ++i)
      EXPECT_NE(list->EntryAt(i).Kind, fvkDatePeriod) << c.name;
  }
}

TEST_F(GridFilterValueListTest, PeriodEntriesCarryTheirBoundsOrOperators) {
  view_.date_time.SetFilters(lxDateTimeFilterBit(dtfMonths) | lxDateTimeFilterBit(dtfRelativeWeeks));
  TTestFilterItem item(view_, datum_);
  auto list = Load(item);
  const int32_t january = list->IndexOfKindValue(fvkDatePeriod, lxMakeVariantPair(Variant::FromDate(Day(2024, 1, 1)),
                                                                                    Variant::FromDate(Day(2024, 1, 31) + kLastMillisecond)));
  ASSERT_GE(january, 0);
  EXPECT_EQ(list->EntryAt(january).DisplayText, "January 2024");
  const TlxFilterValueItem& this_week = list->EntryAt(list->IndexOfKindValue(fvkDatePeriod, Variant::FromByte(23)));
  EXPECT_EQ(this_week.DisplayText, "This week");
  EXPECT_EQ(this_week.Value.Type(), varByte);

  // Whole days when the view and the item ignore the time.
  view_.date_time.SetIgnoreTimeForFiltering(true);
  list = Load(item);
  EXPECT_GE(list->IndexOfKindValue(fvkDatePeriod, lxMakeVariantPair(Variant::FromDate(Day(2024, 3, 1)),
                                                                    Variant::FromDate(Day(2024, 3, 31)))),
            0);
}

TEST_F(GridFilterValueListTest, ApplicationRangesAddEntriesToAnyColumn) {
  TTestFilterItem item(view_, datum_);
  item.on_init_filtering_date_ranges = [](TlxGridDateRanges& ranges) {
    ranges.AddRange(std::make_unique<TlxGridThisYearRange>());
  };
  auto list = Load(item);
  EXPECT_EQ(Shape(*list), (Texts{"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "This year", "v", "v", "v"}));
  // Values that are no dates are passed over.
  TTestFilterItem text_item(view_, view_.grid.datei);
  text_item.on_init_filtering_date_ranges = item.on_init_filtering_date_ranges;
  list = Load(text_item);
  EXPECT_EQ(list->IndexOfKind(fvkDatePeriod), -1);
}

TEST_F(GridFilterValueListTest, RecentValuesLeadTheListNewestFirst) {
  view_.date_time.SetFilters(lxDateTimeFilterBit(dtfRelativeDays));
  TTestFilterItem item(view_, datum_);
  item.recent.AddValue(Variant::FromDate(Day(2024, 1, 3)), "3.1.");
  item.recent.AddValue(Variant::FromDate(Day(2024, 1, 20)), "20.1.");
  auto list = Load(item);
  item.recent.AddToValueList(*list);
  const Texts shape = Shape(*list);
  EXPECT_EQ(Texts(shape.begin(), shape.begin() + 5), (Texts{"r:20.1.", "r:3.1.", "-", "(All)", "(Custom...)"}));
}

TEST_F(GridFilterValueListTest, ApplyingEachKindOfEntry) {
  view_.date_time.SetFilters(0xFF);
  const TlxFilterOperatorKind kGreater = fokGreater;
  struct Case {
    const char* name;
    TlxFilterValueItemKind kind;
    Variant value;
    std::string text;
    Texts calls;
    std::string filter;  // the filter's caption afterwards
    bool active;
    int32_t rows;
  };
  const std::string before = "(Datum <> 1/20/2024)";
  const Case cases[] = {
      {"all", fvkAll, Variant::Null(), "(All)", {}, "", false, 4},
      {"custom", fvkCustom, Variant::Null(), "(Custom...)", {"customize"}, before, false, 4},
      {"blanks", fvkBlanks, Variant::Null(), "(Blanks)", {}, "(Datum = blank)", true, 1},
      {"non-blanks", fvkNonBlanks, Variant::Null(), "(NonBlanks)", {}, "(Datum <> blank)", true, 3},
      {"user", fvkUser, Variant(7), "seven", {"user 7 seven"}, before, true, 3},
      {"value", fvkValue, Variant::FromDate(Day(2024, 1, 3)), "Jan 3", {}, "(Datum = Jan 3)", true, 1},
      {"recent value", fvkMRUValue, Variant::FromDate(Day(2024, 1, 20)), "Jan 20", {}, "(Datum = Jan 20)", true, 1},
      {"separator", fvkSeparator, Variant::Null(), "", {}, before, true, 3},
      {"month",
       fvkDatePeriod,
       lxMakeVariantPair(Variant::FromDate(Day(2024, 1, 1)), Variant::FromDate(Day(2024, 1, 31) + kLastMillisecond)),
       "January 2024",
       {},
       "(Datum between 2024-01-01 and 2024-01-31)",
       true,
       2},
      {"this month", fvkDatePeriod, Variant::FromByte(24), "This month", {}, "(Datum is this month)", true, 1},
      {"operator outside the dates", fvkDatePeriod, Variant::FromByte(kGreater), "", {}, before, true, 3},
      {"kind beyond the operators", fvkDatePeriod, Variant::FromByte(200), "", {}, before, true, 3},
  };
  for (const Case& c : cases) {
    TTestFilteringView& view = view_;
    TlxDataFilterCriteria& filter = view.grid.Filter();
    filter.SetActive(false);
    filter.RemoveAllItems();
    TTestFilterItem item(view, datum_);
    item.AddFilterCondition(nullptr, fokNotEqual, Variant::FromDate(Day(2024, 1, 20)), "", false);
    TlxGridFilterValueList list(&filter);
    list.Add(c.kind, c.value, c.text, false);
    const int32_t index = c.kind == fvkValue ? list.FirstValueIndex() : 0;
    TlxGridFilterValueList::ApplyEntry(list, item, index, true, true, nullptr);
    EXPECT_EQ(item.calls, c.calls) << c.name;
    EXPECT_EQ(filter.BuildCaptionText(), c.filter) << c.name;
    EXPECT_EQ(filter.Active(), c.active) << c.name;
    EXPECT_EQ(filter.LockCount(), 0) << c.name;
    if (c.active) {
      EXPECT_EQ(view.grid.GetRowCount(), c.rows) << c.name;
    }
    const bool remembered = c.kind == fvkValue || c.kind == fvkMRUValue;
    EXPECT_EQ(item.recent.GetCount(), remembered ? 1 : 0) << c.name;
  }
}

TEST_F(GridFilterValueListTest, BadIndexesChangeNothing) {
  TTestFilterItem item(view_, datum_);
  auto list = Load(item);
  TlxDataFilterCriteria& filter = view_.grid.Filter();
  for (const int32_t index : {-1, list->Count(), 2147483647}) {
    EXPECT_THROW(TlxGridFilterValueList::ApplyEntry(*list, item, index, true, true, nullptr), EListError);
    EXPECT_TRUE(filter.HasNoItems());
    EXPECT_FALSE(filter.Active());
    EXPECT_EQ(filter.LockCount(), 0);
  }
}

TEST_F(GridFilterValueListTest, MultiSelectionAddsIntoTheTargetList) {
  view_.date_time.SetFilters(lxDateTimeFilterBit(dtfRelativeDays));
  TTestFilterItem item(view_, datum_);
  auto list = Load(item);
  TlxDataFilterCriteria& filter = view_.grid.Filter();
  TlxFilterCriteriaItemList* any = nullptr;
  {
    TlxFilterChangesScope changes(filter);
    any = filter.Root().AddSubList(fbkOr);
  }
  const int32_t yesterday = list->IndexOfKindValue(fvkDatePeriod, Variant::FromByte(fokYesterday));
  TlxGridFilterValueList::ApplyEntry(*list, item, yesterday, false, false, any);
  TlxGridFilterValueList::ApplyEntry(*list, item, list->FirstValueIndex(), false, false, any);
  EXPECT_EQ(any->ItemCount(), 2);
  EXPECT_EQ(filter.Root().ItemCount(), 1);
  EXPECT_EQ(item.recent.GetCount(), 0);
  EXPECT_TRUE(filter.Active());
}

TEST_F(GridFilterValueListTest, ConditionsFindTheirEntries) {
  view_.date_time.SetFilters(0xFF);
  TTestFilterItem item(view_, datum_);
  TlxDataFilterCriteria& filter = view_.grid.Filter();
  const Variant january =
      lxMakeVariantPair(Variant::FromDate(Day(2024, 1, 1)), Variant::FromDate(Day(2024, 1, 31) + kLastMillisecond));
  const Variant february =
      lxMakeVariantPair(Variant::FromDate(Day(2024, 2, 1)), Variant::FromDate(Day(2024, 2, 29) + kLastMillisecond));
  struct Case {
    TlxFilterOperatorKind kind;
    Variant value;
    std::string entry;
  };
  const Case cases[] = {
      {fokToday, Variant::Null(), "Today"},
      {fokInFuture, Variant::Null(), "Future"},
      {fokBetween, january, "January 2024"},
      {fokBetween, february, "(Custom...)"},
      {fokEqual, Variant::Null(), "(Blanks)"},
      {fokNotEqual, Variant::Null(), "(NonBlanks)"},
      {fokGreater, Variant::FromDate(Day(2024, 1, 3)), "(Custom...)"},
  };
  const auto list = Load(item);
  for (const Case& c : cases) {
    filter.RemoveAllItems();
    TlxFilterCriteriaItem* condition = filter.AddItem(&filter.Root(), item.FilterItemLink(), c.kind, c.value, "");
    const int32_t index = list->FindItemForCriteriaItem(condition);
    ASSERT_GE(index, 0) << c.entry;
    EXPECT_EQ(list->EntryAt(index).DisplayText, c.entry);
  }
  filter.RemoveAllItems();
  TlxFilterCriteriaItem* equal =
      filter.AddItem(&filter.Root(), item.FilterItemLink(), fokEqual, Variant::FromDate(Day(2024, 1, 3)), "");
  EXPECT_EQ(list->FindItemForCriteriaItem(equal), list->FirstValueIndex());
  EXPECT_EQ(list->EntryAt(list->FindItemForCriteriaItem(nullptr)).DisplayText, "(All)");
}

TEST(GridFilterMRUValueItemsTest, SameValueOnceAndTheOldestGoesBeyondTheMaximum) {
  TlxGridFilterMRUValueItems recent;
  recent.SetMaxCount(5);
  recent.AddValue(1, "one");
  recent.AddValue(1, "eins");  // equal by value, whatever the text
  EXPECT_EQ(recent.GetCount(), 1);
  EXPECT_EQ(recent.Items(0)->DisplayText(), "one");
  for (int32_t value = 2; value <= 6; ++value)
    recent.AddValue(value, std::to_string(value));
  ASSERT_EQ(recent.GetCount(), 5);
  EXPECT_EQ(recent.Items(0)->Value().AsInteger(), 6);
  EXPECT_EQ(recent.Items(4)->Value().AsInteger(), 2);
  recent.AddValue(4, "vier");
  EXPECT_EQ(recent.Items(0)->Value().AsInteger(), 4);
  EXPECT_EQ(recent.GetCount(), 5);
}

}  // namespace
