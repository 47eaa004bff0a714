#include "platform/rtl/lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TCounted : public TObject {
 public:
  explicit TCounted(int* alive) : alive_(alive) { ++*alive_; }
  ~TCounted() override { --*alive_; }

 private:
  int* alive_;
};

TEST(ListTest, KeepsOrderThroughInsertMoveExchangeAndDelete) {
  int v[4] = {0, 1, 2, 3};
  TList list;
  for (int& value : v)
    list.Add(&value);
  list.Insert(0, &v[3]);  // 3 0 1 2 3
  list.Move(0, 4);        // 0 1 2 3 3
  list.Exchange(0, 1);    // 1 0 2 3 3
  list.Delete(2);         // 1 0 3 3
  EXPECT_EQ(list.Remove(&v[3]), 2);  // 1 0 3
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.First(), &v[1]);
  EXPECT_EQ(list[1], &v[0]);
  EXPECT_EQ(list.Last(), &v[3]);
  EXPECT_EQ(list.IndexOf(&v[2]), -1);
  EXPECT_EQ(list.Remove(&v[2]), -1);
}

TEST(ListTest, BadIndexesCountsAndCapacitiesRaiseListErrors) {
  TList list;
  try {
    list.Get(0);
    FAIL();
  } catch (const EListError& error) {
    EXPECT_EQ(error.Message(), "List index out of bounds (0)");
  }
  EXPECT_THROW(list.First(), EListError);
  list.Add(nullptr);
  EXPECT_THROW(list.Insert(3, nullptr), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Move(0, 1), EListError);
  EXPECT_THROW(list.Exchange(0, 1), EListError);
  EXPECT_THROW(list.SetCount(-1), EListError);
  EXPECT_THROW(list.SetCount(INT32_MAX), EListError);  // no absurd allocation
  EXPECT_THROW(list.SetCapacity(0), EListError);       // below the count
}

TEST(ListTest, SetCountPadsWithNullAndPackRemovesThem) {
  int value = 7;
  TList list;
  list.Add(&value);
  list.SetCount(4);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list[3], nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(list[0], &value);
}

TEST(ListTest, SortIsStableAndSurvivesAnInconsistentComparison) {
  std::vector<std::pair<int, char>> items{{2, 'a'}, {1, 'b'}, {2, 'c'}, {0, 'd'}, {1, 'e'}};
  TList list;
  for (auto& item : items)
    list.Add(&item);
  list.Sort([](void* a, void* b) {
    return static_cast<std::pair<int, char>*>(a)->first - static_cast<std::pair<int, char>*>(b)->first;
  });
  std::string order;
  for (int i = 0; i < list.Count(); ++i)
    order += static_cast<std::pair<int, char>*>(list[i])->second;
  EXPECT_EQ(order, "dbeac");

  // A comparison that always says "less" must not take the sort out of range.
  list.Sort([](void*, void*) { return -1; });
  EXPECT_EQ(list.Count(), 5);
}

TEST(ObjectListTest, OwnedObjectsAreFreedOnDeleteClearAndDestruction) {
  int alive = 0;
  {
    TObjectList list;
    list.Add(new TCounted(&alive));
    auto* extracted = new TCounted(&alive);
    list.Add(extracted);
    list.Add(new TCounted(&alive));
    list.Add(new TCounted(&alive));
    EXPECT_EQ(alive, 4);
    list.Delete(0);
    EXPECT_EQ(alive, 3);
    EXPECT_EQ(list.Extract(extracted), extracted);  // handed back, not freed
    EXPECT_EQ(alive, 3);
    delete extracted;
    list.Put(0, new TCounted(&alive));  // the replaced object is freed
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);

  TObjectList borrowed(/*owns_objects=*/false);
  TCounted kept(&alive);
  borrowed.Add(&kept);
  borrowed.Clear();
  EXPECT_EQ(alive, 1);
}

TEST(ObjectListTest, FindInstanceOfHonoursExactness) {
  TObjectList list(false);
  TObject plain;
  TObjectList nested;
  list.Add(&plain);
  list.Add(&nested);
  EXPECT_EQ(list.FindInstanceOf(TList::kClass, /*exact=*/true), -1);
  EXPECT_EQ(list.FindInstanceOf(TList::kClass, /*exact=*/false), 1);
  EXPECT_EQ(list.FindInstanceOf(TObject::kClass, true, 1), -1);
}

class ISample : public virtual IInterface {
 public:
  virtual int Value() const = 0;
};
class TSample : public TObject, public ISample {
 public:
  explicit TSample(int value) : value_(value) {}
  int Value() const override { return value_; }

 private:
  int value_;
};

TEST(InterfaceListTest, HoldsInterfacesWithoutOwningThem) {
  TSample one(1);
  TSample two(2);
  TInterfaceList list;
  list.Add(&one);
  list.Insert(0, &two);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(dynamic_cast<ISample*>(list.First())->Value(), 2);
  list.Exchange(0, 1);
  EXPECT_EQ(list.IndexOf(static_cast<ISample*>(&two)), 1);
  EXPECT_EQ(list.Remove(static_cast<ISample*>(&one)), 0);
  list.Lock();
  EXPECT_EQ(dynamic_cast<ISample*>(list.Last())->Value(), 2);
  list.Unlock();
  EXPECT_THROW(list.Get(5), EListError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
