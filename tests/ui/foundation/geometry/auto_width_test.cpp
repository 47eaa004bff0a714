#include "ui/foundation/geometry/auto_width.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

struct ItemSetup {
  int32_t width;
  int32_t min_width = 0;
  bool fixed = false;
};

struct DistributionCase {
  const char* what;
  int32_t available;
  std::vector<ItemSetup> items;
  std::vector<int32_t> expected;
};

std::vector<int32_t> Distribute(int32_t available, const std::vector<ItemSetup>& setups) {
  TlxAutoWidthObject object(static_cast<int32_t>(setups.size()));
  for (const ItemSetup& setup : setups) {
    TlxAutoWidthItem* item = object.NewItem();
    EXPECT_EQ(item->AutoWidth, -1);
    item->Width = setup.width;
    item->MinWidth = setup.min_width;
    item->Fixed = setup.fixed;
  }
  object.AvailableWidth = available;
  object.Calculate();
  std::vector<int32_t> result;
  for (int32_t i = 0; i < object.Count(); ++i)
    result.push_back(object.GetItem(i)->AutoWidth);
  return result;
}

TEST(AutoWidthTest, DistributesInProportionToTheNaturalWidths) {
  const DistributionCase cases[] = {
      {"two unequal items", 200, {{100}, {300}}, {50, 150}},
      {"running-sum rounding", 100, {{1}, {1}, {1}}, {33, 34, 33}},
      {"minimum reached first", 100, {{100, 80}, {100}}, {80, 20}},
      {"share equal to the minimum pins", 100, {{100, 50}, {100}}, {50, 50}},
      {"fixed items keep their width", 300, {{100, 0, true}, {100}, {300}}, {100, 50, 150}},
      {"all fixed", 7, {{100, 0, true}, {30, 0, true}}, {100, 30}},
      {"no weight left takes the minimums", 100, {{50, 0, true}, {0, 7}, {0}}, {50, 7, 0}},
      {"too narrow for the minimums", 50, {{100, 40}, {100, 30}}, {40, 30}},
      {"chain of minimums", 90, {{10, 30}, {10, 30}, {70}}, {30, 30, 30}},
      {"no items", 100, {}, {}},
  };
  for (const DistributionCase& c : cases)
    EXPECT_EQ(Distribute(c.available, c.items), c.expected) << c.what;
}

TEST(AutoWidthTest, SharesOfOnePassAddUpToTheAvailableWidth) {
  const std::vector<ItemSetup> items = {{7}, {13}, {1}, {29}, {3}, {11}};
  for (int32_t available : {0, 1, 17, 64, 999}) {
    const std::vector<int32_t> widths = Distribute(available, items);
    EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), available) << available;
  }
}

TEST(AutoWidthTest, HugeWidthsDoNotOverflow) {
  const int32_t big = 2'000'000'000;
  const std::vector<int32_t> widths = Distribute(1000, {{big}, {big}, {big}});
  EXPECT_EQ(widths, (std::vector<int32_t>{333, 334, 333}));
}

TEST(AutoWidthTest, CalculatingAgainFollowsANewAvailableWidth) {
  TlxAutoWidthObject object(2);
  object.NewItem()->Width = 1;
  object.NewItem()->Width = 3;
  object.AvailableWidth = 40;
  object.Calculate();
  object.AvailableWidth = 80;
  object.Calculate();
  EXPECT_EQ(object.GetItem(0)->AutoWidth, 20);
  EXPECT_EQ(object.GetItem(1)->AutoWidth, 60);
  EXPECT_EQ(object.TotalWidth(), 4);
}

TEST(AutoWidthTest, BadItemIndexRaises) {
  TlxAutoWidthObject object(0);
  object.NewItem();
  EXPECT_THROW(object.GetItem(1), EListError);
  EXPECT_THROW(object.GetItem(-1), EListError);
}

TEST(MulDivTest, RoundsHalvesAwayFromZeroAndReportsFailures) {
  struct Case {
    int32_t a, b, c, expected;
  };
  const Case cases[] = {
      {1, 100, 3, 33},   {2, 100, 3, 67},   {1, 1, 2, 1},           {-1, 1, 2, -1},
      {3, -1, 2, -2},    {5, 5, 0, -1},     {2'000'000'000, 2, 1, -1}, {2'000'000'000, 3, 3, 2'000'000'000},
      {-7, -7, 7, 7},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxMulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

}  // namespace
