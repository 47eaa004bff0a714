#include "editors/kinds/mru_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace mru_list_test {

class MRUListTest : public ::testing::Test {
 protected:
  MRUListTest() {
    events_.OnNewText = [this](const std::string& text) { new_texts_.push_back(text); };
    events_.OnDeleteItem = [this](int32_t index) { deleted_.push_back(index); };
  }
  void Enter(const std::string& text, int32_t max_count = 0) { lxMRUAddItem(items_, text, max_count, true, events_); }
  std::string Items() const { return items_.CommaText(); }

  TStringList items_;
  TlxMRUListEvents events_;
  std::vector<std::string> new_texts_;
  std::vector<int32_t> deleted_;
};

TEST_F(MRUListTest, TheLimitDropsTheOldestItems) {
  for (const char* text : {"A", "B", "C", "D"})
    Enter(text, 3);
  EXPECT_EQ(Items(), "D,C,B");
  EXPECT_EQ(deleted_, std::vector<int32_t>{3});
  EXPECT_EQ(new_texts_, (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST_F(MRUListTest, AnExistingTextMovesUpKeepingItsSpellingWithoutANotice) {
  for (const char* text : {"ABC", "x", "y"})
    Enter(text);
  new_texts_.clear();
  Enter("abc");
  EXPECT_EQ(Items(), "ABC,y,x");
  Enter("ABC");
  EXPECT_EQ(Items(), "ABC,y,x") << "already at the top: nothing happens";
  Enter("");
  EXPECT_EQ(Items(), "ABC,y,x") << "an empty text is ignored";
  EXPECT_TRUE(new_texts_.empty());
}

TEST_F(MRUListTest, ApplyingALimitLaterCutsFromTheBottom) {
  for (const char* text : {"1", "2", "3", "4", "5"})
    Enter(text);
  lxMRUApplyLimit(items_, 0, events_);
  EXPECT_EQ(items_.Count(), 5) << "0 means no limit";
  lxMRUApplyLimit(items_, 2, events_);
  EXPECT_EQ(Items(), "5,4");
  EXPECT_EQ(deleted_, (std::vector<int32_t>{4, 3, 2}));
}

}  // namespace mru_list_test
