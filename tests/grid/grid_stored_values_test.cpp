// The value rules of the stored-object interface: restored values are
// checked before they reach an item, and the names come in the order a
// layout store restores them in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid_stored_values.h"
#include "platform/rtl/exceptions.h"

namespace {

TEST(GridStoredValues, RestoredIndexIsClampedToTheList) {
  struct Case {
    Variant value;
    int32_t count;
    int32_t index;
  };
  const Case cases[] = {
      {Variant(0), 3, 0},          {Variant(2), 3, 2},        {Variant(3), 3, 2},
      {Variant(2147483647), 3, 2}, {Variant(-1), 3, 0},       {Variant(-2147483647 - 1), 3, 0},
      {Variant(5), 0, 0},          {Variant(std::string("1")), 3, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxStoredItemIndex(c.value, c.count), c.index) << c.value.AsString() << " of " << c.count;
  EXPECT_THROW(lxStoredItemIndex(Variant(std::string("x")), 3), EPropertyConvertError);
}

TEST(GridStoredValues, OrdinalsOutsideTheirEnumerationAreRefused) {
  // SortOrder has three values, AlignmentHorz three.
  EXPECT_EQ(lxStoredOrdinal(Variant(0), 3), 0);
  EXPECT_EQ(lxStoredOrdinal(Variant(2), 3), 2);
  for (const Variant& value : {Variant(3), Variant(-1), Variant(255), Variant(2147483647), Variant(std::string("a"))})
    EXPECT_THROW(lxStoredOrdinal(value, 3), EPropertyConvertError) << value.AsString();
}

TEST(GridStoredValues, BooleansAreTrueOrFalseInAnyCase) {
  EXPECT_TRUE(lxStoredBoolean(Variant(std::string("TRUE"))));
  EXPECT_TRUE(lxStoredBoolean(Variant(std::string("true"))));
  EXPECT_FALSE(lxStoredBoolean(Variant(std::string("False"))));
  for (const Variant& value : {Variant(std::string("yes")), Variant(std::string("")), Variant::Null()})
    EXPECT_THROW(lxStoredBoolean(value), EPropertyConvertError);
}

TEST(GridStoredValues, FilterMRUNamesCarryTheirIndex) {
  EXPECT_TRUE(lxIsStoredFilterMRUItemName("FilterMRUItem0"));
  EXPECT_FALSE(lxIsStoredFilterMRUItemName("Filter"));
  EXPECT_EQ(lxStoredFilterMRUItemIndex("FilterMRUItem12"), 12);
  EXPECT_EQ(lxStoredFilterMRUItemName(2), "FilterMRUItem2");
  EXPECT_THROW(lxStoredFilterMRUItemIndex("FilterMRUItemX"), EConvertError);
  EXPECT_THROW(lxStoredFilterMRUItemIndex("FilterMRUItem"), EConvertError);
}

TEST(GridStoredValues, ItemsStoredByIDAndSummaryGroupNames) {
  EXPECT_EQ(lxStoredItemID(""), -1);
  EXPECT_EQ(lxStoredItemID("17"), 17);
  EXPECT_THROW(lxStoredItemID("Datei"), EConvertError);
  EXPECT_EQ(lxStoredSummaryGroupIndex("SummaryGroup7_Item0"), 7);
  EXPECT_EQ(lxStoredSummaryGroupIndex("SummaryGroup3"), 3);
  EXPECT_EQ(lxStoredSummaryGroupIndex("SummaryGroupX_Link1"), -1);
  EXPECT_EQ(lxStoredSummaryGroupIndex("FooterSummaryItem1"), -1);
}

TEST(GridStoredValues, ViewNamesListTheMRUEntriesFromTheHighestIndex) {
  EXPECT_EQ(lxTableViewStoredPropertyNames(true, true, 3),
            (std::vector<std::string>{"FilterActive", "Filter", "FilterMRUItem2", "FilterMRUItem1", "FilterMRUItem0"}));
  EXPECT_EQ(lxTableViewStoredPropertyNames(true, false, 3), (std::vector<std::string>{"FilterActive", "Filter"}));
  EXPECT_TRUE(lxTableViewStoredPropertyNames(false, true, 3).empty());
}

}  // namespace
