#include "grid/grid_strings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

TlxProductResourceStrings* GridProduct() {
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  const int32_t index = repository.IndexOfProduct(kLxDataGridProductKey);
  return index < 0 ? nullptr : repository.Product(index);
}

class GridStringsTest : public ::testing::Test {
 protected:
  void SetUp() override { lxRegisterGridStrings(); }
  void TearDown() override { lxUnregisterGridStrings(); }
};

TEST_F(GridStringsTest, RegistersNinetyDistinctIdentifiersInTableOrder) {
  TlxProductResourceStrings* product = GridProduct();
  ASSERT_NE(product, nullptr);
  const auto table = lxGridStringTable();
  ASSERT_EQ(product->ResStringCount(), 90);
  ASSERT_EQ(table.size(), 90u);
  std::set<std::string> seen;
  for (int32_t i = 0; i < product->ResStringCount(); ++i) {
    EXPECT_EQ(product->Record(i), table[static_cast<size_t>(i)].Record) << i;
    EXPECT_EQ(product->Identifier(i), table[static_cast<size_t>(i)].Record->Identifier) << i;
    EXPECT_TRUE(seen.insert(product->Identifier(i)).second) << "twice: " << product->Identifier(i);
  }
  EXPECT_EQ(product->Identifier(0), "slxGridDeletingConfirmationCaption");
  EXPECT_EQ(product->Identifier(89), "slxGridChartValueHints");
}

TEST_F(GridStringsTest, TextsAreTheBuiltInOnesBeforeAnyReplacement) {
  struct Case {
    const TlxResourceString* record;
    const char* text;
  };
  const Case cases[] = {
      {&slxGridDeletingConfirmationCaption, "Confirm"},
      {&slxGridDeletingFocusedConfirmationText, "Delete record?"},
      {&slxGridDeletingSelectedConfirmationText, "Delete all selected records?"},
      {&slxGridNoDataInfoText, "<No data to display>"},
      {&slxGridFilterIsEmpty, "<Filter is Empty>"},
      {&slxGridGroupByBoxCaption, "Drag a column header here to group by that column"},
      {&slxGridColumnsQuickCustomizationHint, "Click here to show/hide/move columns"},
      {&slxGridLastTwoWeeks, "Last two weeks"},
      {&slxGridFuture, "Future"},
      {&slxGridMonthFormat, "mmmm yyyy"},
      {&slxGridYearFormat, "yyyy"},
      {&slxGridRecursiveLevels, "You cannot create recursive levels"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxLookupResString(*c.record), c.text) << c.record->Identifier;
    EXPECT_EQ(lxGridText(*c.record), c.text) << c.record->Identifier;
  }
  for (const TlxStringResource& resource : lxGridStringTable()) {
    EXPECT_EQ(lxLookupResString(resource.Record), resource.Text) << resource.Record->Identifier;
    EXPECT_EQ(lxGridBuiltInText(*resource.Record), resource.Text);
  }
}

TEST(GridStringsModuleTest, OnlyTheBalancingEndUnregisters) {
  lxRegisterGridStrings();
  lxRegisterGridStrings();
  ASSERT_NE(GridProduct(), nullptr);
  lxUnregisterGridStrings();
  EXPECT_NE(GridProduct(), nullptr);
  lxUnregisterGridStrings();
  EXPECT_EQ(GridProduct(), nullptr);
  // An end without a start, and the texts stay readable without the product.
  lxUnregisterGridStrings();
  EXPECT_EQ(GridProduct(), nullptr);
  EXPECT_EQ(lxGridText(slxGridToday), "Today");
  const TlxResourceString foreign{"foreign"};
  EXPECT_EQ(lxGridBuiltInText(foreign), "");
}

}  // namespace
