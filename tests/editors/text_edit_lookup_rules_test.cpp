// The lookup items' incremental search and the steps through them.

#include "editors/text_edit_lookup_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TlxLookupItemText ReaderOf(const std::vector<std::string>& items) {
  return [&items](int32_t index) { return items[static_cast<size_t>(index)]; };
}

TEST(TextEditLookupRulesTest, LocateFindsTheFirstItemFromTheStartWithoutWrapping) {
  const std::vector<std::string> items = {"Apple", "Apricot", "Banana", "Äpfel"};
  struct Case {
    std::string text;
    int32_t from;
    int32_t found;
    std::string head;
    std::string tail;
  };
  const std::vector<Case> cases = {
      {"ap", 0, 0, "Ap", "ple"},
      {"ap", 1, 1, "Ap", "ricot"},
      {"ap", 2, -1, "ap", ""},
      {"BAN", 0, 2, "Ban", "ana"},
      {"äp", 0, 3, "Äp", "fel"},
      {"", 0, -1, "", ""},
      {"Applesauce", 0, -1, "Applesauce", ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    std::string tail;
    EXPECT_EQ(lxLocateLookupPrefix(ReaderOf(items), static_cast<int32_t>(items.size()), c.from, text, tail), c.found)
        << c.text << " from " << c.from;
    EXPECT_EQ(text, c.head) << c.text;
    EXPECT_EQ(tail, c.tail) << c.text;
  }
  EXPECT_EQ(lxIndexOfLookupText(ReaderOf(items), 4, "BANANA"), 2);
  EXPECT_EQ(lxIndexOfLookupText(ReaderOf(items), 4, "Banan"), -1);
}

TEST(TextEditLookupRulesTest, MovesFollowTheDirectionTable) {
  struct Case {
    TlxLookupMoveDirection direction;
    int32_t start;
    int32_t count;
    bool cycle;
    int32_t target;
  };
  constexpr int32_t kPage = 8;
  const std::vector<Case> cases = {
      {lmdFirst, 5, 20, false, 0},       {lmdLast, 5, 20, false, 19},
      {lmdNext, 19, 20, false, 19},      {lmdNext, 19, 20, true, 0},
      {lmdNext, -1, 20, false, 0},       {lmdPrior, -1, 20, false, -1},
      {lmdPrior, 0, 20, true, 19},       {lmdPrior, 4, 20, false, 3},
      {lmdPageDown, 2, 20, false, 9},    {lmdPageDown, -1, 20, false, 7},
      {lmdPageDown, 15, 20, false, 19},  {lmdPageDown, 19, 20, true, 0},
      {lmdPageDown, 18, 20, true, 19},   {lmdPageUp, -1, 20, false, -1},
      {lmdPageUp, -1, 20, true, 19},     {lmdPageUp, 10, 20, false, 3},
      {lmdPageUp, 3, 20, false, 0},      {lmdPageUp, 0, 20, true, 19},
      {lmdNext, 0, 0, true, -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxLookupMoveTarget(c.direction, c.start, c.count, kPage, c.cycle), c.target)
        << static_cast<int>(c.direction) << " from " << c.start << (c.cycle ? " cycling" : "");
}

TEST(TextEditLookupRulesTest, AMissClearsTheKeyByEditingStyle) {
  EXPECT_TRUE(lxLookupMissClearsKey(tesFreeText, false, false));
  EXPECT_TRUE(lxLookupMissClearsKey(tesNoEditing, false, false));
  EXPECT_FALSE(lxLookupMissClearsKey(tesListText, false, false));
  EXPECT_TRUE(lxLookupMissClearsKey(tesListText, false, true));
  EXPECT_TRUE(lxLookupMissClearsKey(tesListText, true, false));
  EXPECT_FALSE(lxLookupMissClearsKey(tesFixedList, false, true));
  EXPECT_TRUE(lxLookupMissClearsKey(tesFixedList, true, false));
}

}  // namespace
