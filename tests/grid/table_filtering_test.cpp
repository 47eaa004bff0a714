#include "grid/table_filtering.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/string_stream.h"
#include "tests/grid/table_filtering_test_view.h"

namespace {

using table_filtering_test::TTestFilteringView;
using Change = TlxGridOptionsChange;
using Texts = std::vector<std::string>;

Texts VisibleCaptions(const TlxGridFilterMRUItems& items) {
  Texts captions;
  for (int32_t i = 0; i < items.VisibleCount(); ++i)
    captions.push_back(items.VisibleItems(i)->GetCaption());
  return captions;
}

int32_t SizeChanges(const TTestFilteringView& view) {
  return static_cast<int32_t>(std::count(view.changes.begin(), view.changes.end(), Change::kSize));
}

TEST(GridFilterMRUTest, TwelveFiltersKeepElevenAndShowTenButTheCurrent) {
  TTestFilteringView view;
  TlxGridFilterMRUItems& mru = view.filtering.MRUItems();
  EXPECT_EQ(mru.MaxCount(), 11);
  for (int32_t value = 1; value <= 12; ++value)
    view.ApplyEquals(view.grid.groesse, value);
  EXPECT_EQ(mru.GetCount(), 11);
  ASSERT_EQ(mru.VisibleCount(), 10);
  EXPECT_EQ(mru.VisibleItems(0)->GetCaption(), "(Groesse = 11)");
  EXPECT_EQ(mru.VisibleItems(9)->GetCaption(), "(Groesse = 2)");
  EXPECT_TRUE(view.filtering.HasVisibleMRUItems());
  EXPECT_TRUE(mru.Items(0)->IsEqualToCriteria(view.grid.Filter()));
  // Each entry owns a criteria of the data controller besides its filter.
  EXPECT_EQ(view.grid.FilterList().Count(), 11);

  view.ClearFilter();
  EXPECT_EQ(mru.VisibleCount(), 11);
  EXPECT_EQ(mru.VisibleItems(0)->GetCaption(), "(Groesse = 12)");
  EXPECT_THROW(mru.VisibleItems(11), EListError);
  EXPECT_THROW(mru.VisibleItems(-1), EListError);
}

TEST(GridFilterMRUTest, AnEqualFilterMovesToTheFront) {
  TTestFilteringView view;
  view.ApplyEquals(view.grid.datei, "a");
  view.ApplyEquals(view.grid.datei, "b");
  view.ApplyEquals(view.grid.groesse, 3);
  view.ApplyEquals(view.grid.datei, "a");
  TlxGridFilterMRUItems& mru = view.filtering.MRUItems();
  EXPECT_EQ(mru.GetCount(), 3);
  EXPECT_EQ(mru.Items(0)->GetCaption(), "(Datei = a)");
  EXPECT_EQ(VisibleCaptions(mru), (Texts{"(Groesse = 3)", "(Datei = b)"}));
  EXPECT_EQ(view.grid.FilterList().Count(), 3);
  // A filter without conditions is never listed.
  view.ClearFilter();
  view.filtering.AddFilterToMRU(nullptr);
  EXPECT_EQ(mru.GetCount(), 3);
}

TEST(GridFilterMRUTest, OnlyAppearingAndVanishingOfTheListResizesTheView) {
  TTestFilteringView view;
  view.ApplyEquals(view.grid.datei, "a");  // listed but hidden: 0 visible
  EXPECT_EQ(SizeChanges(view), 0);
  EXPECT_FALSE(view.filtering.HasVisibleMRUItems());
  view.ApplyEquals(view.grid.datei, "b");  // 0 -> 1
  EXPECT_EQ(SizeChanges(view), 1);
  view.ApplyEquals(view.grid.datei, "c");  // 1 -> 2
  view.ClearFilter();                      // 2 -> 3
  EXPECT_EQ(SizeChanges(view), 1);
  view.filtering.MRUItems().Clear();
  view.filtering.FilterChanged();  // 3 -> 0
  EXPECT_EQ(SizeChanges(view), 2);

  // Without the list switched on the count changes alone say nothing.
  view.filtering.SetMRUItemsList(false);
  EXPECT_EQ(SizeChanges(view), 3);
  view.ApplyEquals(view.grid.datei, "d");
  view.ApplyEquals(view.grid.datei, "e");
  EXPECT_EQ(SizeChanges(view), 3);
  EXPECT_FALSE(view.filtering.HasVisibleMRUItems());
}

TEST(GridFilterMRUTest, EntriesLeftWithoutConditionsGoWhenAnItemIsRemoved) {
  TTestFilteringView view;
  view.ApplyEquals(view.grid.datei, "a");
  view.ApplyEquals(view.grid.groesse, 1);
  view.ApplyEquals(view.grid.datei, "b");
  view.ApplyEquals(view.grid.groesse, 2);
  TlxGridFilterMRUItems& mru = view.filtering.MRUItems();
  ASSERT_EQ(mru.GetCount(), 4);
  // Removing the size column takes its conditions out of every filter of
  // the data controller, the recent ones included.
  TlxCustomDataField* field = view.grid.ItemField(view.grid.groesse);
  view.grid.Filter().RemoveItemsByField(field);
  view.grid.FilterList().RemoveItemsByField(field);
  view.filtering.FilterChanged();
  mru.DeleteEmptyFilters();
  ASSERT_EQ(mru.GetCount(), 2);
  EXPECT_EQ(mru.Items(0)->GetCaption(), "(Datei = b)");
  EXPECT_EQ(mru.Items(1)->GetCaption(), "(Datei = a)");
  EXPECT_EQ(VisibleCaptions(mru), (Texts{"(Datei = b)", "(Datei = a)"}));
  EXPECT_EQ(view.grid.FilterList().Count(), 2);
}

TEST(GridFilterMRUTest, LoweringTheCountDropsTheOldest) {
  TTestFilteringView view;
  for (int32_t value = 1; value <= 5; ++value)
    view.ApplyEquals(view.grid.groesse, value);
  view.filtering.SetMRUItemsListCount(2);
  TlxGridFilterMRUItems& mru = view.filtering.MRUItems();
  EXPECT_EQ(mru.MaxCount(), 3);
  EXPECT_EQ(mru.GetCount(), 3);
  EXPECT_EQ(VisibleCaptions(mru), (Texts{"(Groesse = 4)", "(Groesse = 3)"}));
  view.filtering.SetMRUItemsListCount(0);  // no limit
  EXPECT_EQ(mru.MaxCount(), 0);
  for (int32_t value = 6; value <= 20; ++value)
    view.ApplyEquals(view.grid.groesse, value);
  EXPECT_EQ(mru.GetCount(), 18);
}

TEST(GridFilteringOptionsTest, SettersClampAndReportTheirKindOfChange) {
  struct Case {
    const char* name;
    std::function<void(TTestFilteringView&)> set;
    std::function<int32_t(const TTestFilteringView&)> read;
    int32_t expected;
    std::vector<Change> changes;
  };
  const Case cases[] = {
      {"MaxDropDownItemCount -3", [](auto& v) { v.filtering.ColumnPopup().SetMaxDropDownItemCount(-3); },
       [](const auto& v) { return v.filtering.ColumnPopup().MaxDropDownItemCount(); }, 0, {Change::kProperty}},
      {"DropDownWidth -1", [](auto& v) { v.filtering.ColumnPopup().SetDropDownWidth(-1); },
       [](const auto& v) { return v.filtering.ColumnPopup().DropDownWidth(); }, 0, {}},
      {"DropDownWidth 200", [](auto& v) { v.filtering.ColumnPopup().SetDropDownWidth(200); },
       [](const auto& v) { return v.filtering.ColumnPopup().DropDownWidth(); }, 200, {Change::kProperty}},
      {"MultiSelect", [](auto& v) { v.filtering.ColumnPopup().SetMultiSelect(false); },
       [](const auto& v) { return int32_t{v.filtering.ColumnPopup().MultiSelect()}; }, 0, {Change::kProperty}},
      {"ApplyMultiSelectChanges",
       [](auto& v) { v.filtering.ColumnPopup().SetApplyMultiSelectChanges(fpacOnButtonClick); },
       [](const auto& v) { return int32_t{v.filtering.ColumnPopup().ApplyMultiSelectChanges()}; }, 1,
       {Change::kProperty}},
      {"MRUItemsListCount -1", [](auto& v) { v.filtering.SetMRUItemsListCount(-1); },
       [](const auto& v) { return v.filtering.MRUItems().MaxCount(); }, 0, {Change::kProperty}},
      {"MRUItemsList", [](auto& v) { v.filtering.SetMRUItemsList(false); },
       [](const auto& v) { return int32_t{v.filtering.MRUItemsList()}; }, 0, {Change::kSize}},
      {"ColumnFilteredItemsList", [](auto& v) { v.filtering.SetColumnFilteredItemsList(true); },
       [](const auto& v) { return int32_t{v.filtering.ColumnFilteredItemsList()}; }, 1, {Change::kProperty}},
      {"ColumnMRUItemsList same value", [](auto& v) { v.filtering.SetColumnMRUItemsList(true); },
       [](const auto& v) { return int32_t{v.filtering.ColumnMRUItemsList()}; }, 1, {}},
      {"ColumnMRUItemsListCount -2", [](auto& v) { v.filtering.SetColumnMRUItemsListCount(-2); },
       [](const auto& v) { return v.filtering.ColumnMRUItemsListCount(); }, 0, {Change::kProperty}},
      {"CustomizeDialog", [](auto& v) { v.filter_box.SetCustomizeDialog(false); },
       [](const auto& v) { return int32_t{v.filter_box.CustomizeDialog()}; }, 0, {Change::kLayout}},
      {"MRUItemsListDropDownCount -5", [](auto& v) { v.filter_box.SetMRUItemsListDropDownCount(-5); },
       [](const auto& v) { return v.filter_box.MRUItemsListDropDownCount(); }, 0, {}},
      {"Position", [](auto& v) { v.filter_box.SetPosition(fpTop); },
       [](const auto& v) { return int32_t{v.filter_box.Position()}; }, int32_t{fpTop}, {Change::kLayout}},
      {"Visible", [](auto& v) { v.filter_box.SetVisible(fvAlways); },
       [](const auto& v) { return int32_t{v.filter_box.Visible()}; }, int32_t{fvAlways}, {Change::kSize}},
      {"DateFormat", [](auto& v) { v.date_time.SetDateFormat("dd.mm."); },
       [](const auto& v) { return int32_t{v.date_time.DateFormat() == "dd.mm."}; }, 1, {Change::kSize}},
      {"UseShortTimeFormat", [](auto& v) { v.date_time.SetUseShortTimeFormat(false); },
       [](const auto& v) { return int32_t{v.date_time.UseShortTimeFormat()}; }, 0, {Change::kSize}},
      {"Filters", [](auto& v) { v.date_time.SetFilters(lxDateTimeFilterBit(dtfMonths)); },
       [](const auto& v) { return int32_t{v.date_time.Filters()}; }, 0x40, {Change::kProperty}},
      {"Grouping default", [](auto& v) { v.date_time.SetGrouping(dtgDefault); },
       [](const auto& v) { return int32_t{v.date_time.Grouping()}; }, int32_t{dtgByDateAndTime}, {}},
      {"Grouping by month", [](auto& v) { v.date_time.SetGrouping(dtgByMonth); },
       [](const auto& v) { return int32_t{v.date_time.Grouping()}; }, int32_t{dtgByMonth}, {Change::kProperty}},
  };
  for (const Case& c : cases) {
    TTestFilteringView view;
    c.set(view);
    EXPECT_EQ(c.read(view), c.expected) << c.name;
    EXPECT_EQ(view.changes, c.changes) << c.name;
  }
}

TEST(GridFilteringOptionsTest, ChangesThatReachTheItemsAndTheData) {
  TTestFilteringView view;
  view.filtering.SetColumnMRUItemsListCount(7);
  view.date_time.SetGrouping(dtgByYear);  // no items: a property change
  view.has_items = true;
  view.date_time.SetGrouping(dtgRelativeToToday);
  view.date_time.SetGrouping(dtgRelativeToToday);
  view.date_time.SetIgnoreTimeForFiltering(true);
  EXPECT_EQ(view.calls, (Texts{"item MRU count 7", "items regroup", "filter values"}));
  EXPECT_THROW(view.date_time.SetGrouping(static_cast<TlxGridDateTimeGrouping>(9)), EPropertyConvertError);
  EXPECT_EQ(view.date_time.Grouping(), dtgRelativeToToday);
}

TEST(GridFilteringOptionsTest, AssignCopiesEveryValue) {
  TTestFilteringView source;
  source.filtering.SetColumnFilteredItemsList(true);
  source.filtering.SetColumnMRUItemsListCount(3);
  source.filtering.ColumnPopup().SetMaxDropDownItemCount(4);
  source.filtering.ColumnPopup().SetMultiSelect(false);
  source.filtering.SetMRUItemsListCount(2);
  source.filter_box.SetPosition(fpTop);
  source.filter_box.SetMRUItemsListDropDownCount(6);
  source.date_time.SetMonthFormat("mm.yyyy");
  source.date_time.SetUseLongDateFormat(false);
  source.date_time.SetFilters(0xFF);

  TTestFilteringView copy;
  copy.filtering.Assign(&source.filtering);
  copy.filter_box.Assign(&source.filter_box);
  copy.date_time.Assign(&source.date_time);
  EXPECT_TRUE(copy.filtering.ColumnFilteredItemsList());
  EXPECT_EQ(copy.filtering.ColumnMRUItemsListCount(), 3);
  EXPECT_EQ(copy.filtering.ColumnPopup().MaxDropDownItemCount(), 4);
  EXPECT_FALSE(copy.filtering.ColumnPopup().MultiSelect());
  EXPECT_EQ(copy.filtering.MRUItems().MaxCount(), 3);
  EXPECT_EQ(copy.filter_box.Position(), fpTop);
  EXPECT_EQ(copy.filter_box.MRUItemsListDropDownCount(), 6);
  EXPECT_EQ(copy.date_time.GetMonthFormat(), "mm.yyyy");
  EXPECT_EQ(copy.date_time.GetDateFormat(), "");
  EXPECT_EQ(copy.date_time.Filters(), 0xFF);
  EXPECT_EQ(copy.calls, (Texts{"item MRU count 3"}));
  EXPECT_THROW(copy.filter_box.Assign(&source.filtering), EConvertError);
}

TEST(GridFilteringOptionsTest, FormatsFallBackOnTheRegionAndTheGridTexts) {
  TScopedLocale locale("en-US");
  TTestFilteringView view;
  TlxCustomGridTableDateTimeHandling& handling = view.date_time;
  EXPECT_EQ(handling.GetHourFormat(), UserLocale().Settings().ShortTimeFormat);
  EXPECT_EQ(handling.GetDateFormat(), UserLocale().Settings().LongDateFormat);
  EXPECT_EQ(handling.GetMonthFormat(), "mmmm yyyy");
  EXPECT_EQ(handling.GetYearFormat(), "yyyy");
  handling.SetUseShortTimeFormat(false);
  handling.SetUseLongDateFormat(false);
  EXPECT_EQ(handling.GetHourFormat(), "");
  EXPECT_EQ(handling.GetDateFormat(), "");
  handling.SetHourFormat("hh");
  handling.SetDateFormat("d.m.");
  handling.SetYearFormat("yy");
  EXPECT_EQ(handling.GetHourFormat(), "hh");
  EXPECT_EQ(handling.GetDateFormat(), "d.m.");
  EXPECT_EQ(handling.GetYearFormat(), "yy");
}

TEST(GridCustomizeFilterTest, TheDialogThatFitsOpens) {
  struct Case {
    const char* name;
    bool with_item;
    bool or_root;
    bool dialog_show_done;
    bool customization_done;
    bool dialog_ok;  // the custom dialog's OK or the builder's apply
    Texts calls;
    bool active_after;
    int32_t recent_after;
  };
  const Case cases[] = {
      {"handler does it", true, false, true, false, true, {"OnFilterDialogShow item"}, false, 0},
      {"custom dialog OK",
       true,
       false,
       false,
       false,
       true,
       {"OnFilterDialogShow item", "custom filter dialog"},
       true,
       1},
      {"custom dialog cancelled",
       true,
       false,
       false,
       false,
       false,
       {"OnFilterDialogShow item", "custom filter dialog"},
       false,
       0},
      {"no item: builder",
       false,
       false,
       false,
       false,
       true,
       {"OnFilterDialogShow", "OnFilterCustomization", "filter builder"},
       true,
       1},
      {"OR root: builder",
       true,
       true,
       false,
       false,
       false,
       {"OnFilterDialogShow item", "OnFilterCustomization", "filter builder"},
       false,
       0},
      {"customization handler does it",
       false,
       false,
       false,
       true,
       true,
       {"OnFilterDialogShow", "OnFilterCustomization"},
       false,
       0},
  };
  for (const Case& c : cases) {
    TTestFilteringView view;
    view.filter_dialog_show_done = c.dialog_show_done;
    view.filter_customization_done = c.customization_done;
    view.custom_dialog_ok = c.dialog_ok;
    view.builder_applies = c.dialog_ok;
    TlxDataFilterCriteria& filter = view.grid.Filter();
    {
      TlxFilterChangesScope changes(filter);
      filter.Root().SetBoolOperatorKind(c.or_root ? fbkOr : fbkAnd);
      filter.AddItem(&filter.Root(), view.grid.columns[0].get(), fokEqual, "a", "a");
    }
    // The item itself is the view's business; only whether one is given counts here.
    auto* item = c.with_item ? reinterpret_cast<TlxCustomGridTableItem*>(view.grid.columns[0].get()) : nullptr;
    view.filtering.CustomizeFilter(item);
    EXPECT_EQ(view.calls, c.calls) << c.name;
    EXPECT_EQ(filter.Active(), c.active_after) << c.name;
    EXPECT_EQ(view.filtering.MRUItems().GetCount(), c.recent_after) << c.name;
  }
}

TEST(GridCustomizeFilterTest, AnEmptyFilterFromTheBuilderStaysOff) {
  TTestFilteringView view;
  view.builder_applies = true;
  view.filtering.CustomizeFilter(nullptr);
  EXPECT_FALSE(view.grid.Filter().Active());
  EXPECT_EQ(view.filtering.MRUItems().GetCount(), 0);
}

TEST(GridFilteringStreamTest, OlderPropertiesAreReadIntoTheirNewPlaces) {
  RegisterStreamableClasses({&TTestFilteringView::kClass});
  auto write_legacy = [](const std::function<void(TWriter&)>& properties) {
    TStringStream stream;
    TWriter writer(stream);
    writer.WriteSignature();
    writer.WriteStr("TTestFilteringView");
    writer.WriteStr("View");
    properties(writer);
    writer.WriteListEnd();
    writer.WriteListEnd();
    return stream.DataString();
  };
  const std::string bytes = write_legacy([](TWriter& writer) {
    writer.WritePropName("Filtering.CustomizeDialog");
    writer.WriteBoolean(false);
    writer.WritePropName("Filtering.DropDownWidth");
    writer.WriteInteger(180);
    writer.WritePropName("Filtering.MaxDropDownCount");
    writer.WriteInteger(-4);
    writer.WritePropName("Filtering.MRUItemsListDropDownCount");
    writer.WriteInteger(8);
    writer.WritePropName("Filtering.Position");
    writer.WriteIdent("fpTop");
    writer.WritePropName("Filtering.Visible");
    writer.WriteIdent("fvAlways");
  });
  TTestFilteringView view;
  {
    TStringStream stream(bytes);
    stream.ReadComponent(&view);
  }
  EXPECT_FALSE(view.filter_box.CustomizeDialog());
  EXPECT_EQ(view.filtering.ColumnPopup().DropDownWidth(), 180);
  EXPECT_EQ(view.filtering.ColumnPopup().MaxDropDownItemCount(), 0);
  EXPECT_EQ(view.filter_box.MRUItemsListDropDownCount(), 8);
  EXPECT_EQ(view.filter_box.Position(), fpTop);
  EXPECT_EQ(view.filter_box.Visible(), fvAlways);

  // Written back, they live in their new places only.
  TStringStream written;
  written.WriteComponent(view);
  EXPECT_NE(written.DataString().find("FilterBox.Position"), std::string::npos);
  EXPECT_EQ(written.DataString().find("Filtering.Position"), std::string::npos);
  EXPECT_NE(written.DataString().find("Filtering.ColumnPopup.DropDownWidth"), std::string::npos);

  const std::string unknown = write_legacy([](TWriter& writer) {
    writer.WritePropName("Filtering.Visible");
    writer.WriteIdent("fvSometimes");
  });
  TTestFilteringView other;
  TStringStream stream(unknown);
  EXPECT_THROW(stream.ReadComponent(&other), EReadError);
  EXPECT_EQ(other.filter_box.Visible(), fvNonEmpty);
  UnRegisterStreamableClass(TTestFilteringView::kClass);
}

}  // namespace

namespace {

TEST(GridFilteringOptionsTest, TheViewMakesItsOptionsByClass) {
  TTestFilteringView view;
  for (const TClass* options_class : {&TlxCustomGridTableFiltering::kClass, &TlxGridFilterBox::kClass,
                                      &TlxCustomGridTableDateTimeHandling::kClass}) {
    std::unique_ptr<TObject> options(options_class->CreateInstance(&view));
    auto* made = dynamic_cast<TlxGridFilteringOptions*>(options.get());
    ASSERT_NE(made, nullptr) << options_class->ClassName();
    EXPECT_EQ(made->View(), &view);
  }
  TComponent not_a_view(nullptr);
  EXPECT_THROW(TlxGridFilterBox::kClass.CreateInstance(&not_a_view), EInvalidOperation);
}

}  // namespace

namespace {

class TCountingMRUItems : public TlxGridFilterMRUItems {
 public:
  static constexpr TClass kClass{"TCountingMRUItems", &TlxGridFilterMRUItems::kClass,
                                 &ConstructInstance<TCountingMRUItems>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFilterMRUItems::TlxGridFilterMRUItems;
};

class TWidePopupOptions : public TlxGridItemFilterPopupOptions {
 public:
  static constexpr TClass kClass{"TWidePopupOptions", &TlxGridItemFilterPopupOptions::kClass,
                                 &ConstructInstance<TWidePopupOptions>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TWidePopupOptions(TlxCustomGridTableFiltering* filtering) : TlxGridItemFilterPopupOptions(filtering) {
    SetDropDownWidth(400);
  }
};

class TOwnPartsFiltering : public TlxCustomGridTableFiltering {
 public:
  using TlxCustomGridTableFiltering::TlxCustomGridTableFiltering;
  TlxGridItemFilterPopupOptionsClass GetItemPopupClass() const override { return &TWidePopupOptions::kClass; }
  TlxGridFilterMRUItemsClass GetMRUItemsClass() const override { return &TCountingMRUItems::kClass; }
};

TEST(GridFilteringOptionsTest, ADescendantNamesItsOwnParts) {
  TTestFilteringView view;
  TOwnPartsFiltering filtering(&view);
  EXPECT_EQ(filtering.MRUItems().ClassType(), &TCountingMRUItems::kClass);
  EXPECT_EQ(filtering.MRUItems().MaxCount(), 11);
  EXPECT_EQ(filtering.ColumnPopup().ClassType(), &TWidePopupOptions::kClass);
  EXPECT_EQ(filtering.ColumnPopup().DropDownWidth(), 400);
}

}  // namespace
