#include "ui/foundation/base/lists.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Records the order in which objects die.
class TRecorded : public TObject {
 public:
  TRecorded(std::vector<int>& deaths, int id) : deaths_(deaths), id_(id) {}
  ~TRecorded() override { deaths_.push_back(id_); }

 private:
  std::vector<int>& deaths_;
  int id_;
};

TEST(ObjectListTest, ClearingAndFreeingFreeTheObjectsInIndexOrder) {
  std::vector<int> deaths;
  {
    TlxObjectList list;
    for (int id = 0; id < 3; ++id)
      list.Add(new TRecorded(deaths, id));
    EXPECT_NE(list.ItemAt(1), nullptr);
    list.Clear();
    EXPECT_EQ(deaths, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list.Count(), 0);
    list.Add(new TRecorded(deaths, 7));
    list.Add(new TRecorded(deaths, 8));
  }
  EXPECT_EQ(deaths, (std::vector<int>{0, 1, 2, 7, 8}));
}

TEST(OpenListTest, StoringBeyondTheEndGrowsWithNullSlots) {
  int a = 1, b = 2;
  TlxOpenList list;
  list.SetItem(3, &a);
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.GetItem(0), nullptr);
  EXPECT_EQ(list.GetItem(2), nullptr);
  EXPECT_EQ(list.GetItem(3), &a);
  list.SetItem(1, &b);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.GetItem(1), &b);
  EXPECT_THROW(list.SetItem(-1, &a), EListError);
  EXPECT_THROW(list.GetItem(4), EListError);
}

TEST(CopyListItemsTest, DestinationBecomesAnExactCopy) {
  int v[3] = {};
  TList source, destination;
  for (int& value : v)
    source.Add(&value);
  source.Add(nullptr);
  for (int i = 0; i < 6; ++i)
    destination.Add(&v[0]);
  lxCopyListItems(source, destination);
  ASSERT_EQ(destination.Count(), 4);
  EXPECT_EQ(destination.Items(), source.Items());

  lxCopyListItems(destination, destination);
  EXPECT_EQ(destination.Count(), 4);
  TList empty;
  lxCopyListItems(empty, destination);
  EXPECT_EQ(destination.Count(), 0);
}

}  // namespace
