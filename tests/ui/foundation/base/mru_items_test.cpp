#include "ui/foundation/base/mru_items.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TNumberItem : public TlxMRUItem {
 public:
  TNumberItem(int value, int* alive) : value_(value), alive_(alive) { ++*alive_; }
  ~TNumberItem() override { --*alive_; }

  bool IsEqualTo(const TlxMRUItem& other) const override {
    const auto* number = dynamic_cast<const TNumberItem*>(&other);
    return number != nullptr && number->value_ == value_;
  }
  int Value() const { return value_; }

 private:
  int value_;
  int* alive_;
};

class MRUItemsTest : public ::testing::Test {
 protected:
  void Add(int value) { items_.Add(std::make_unique<TNumberItem>(value, &alive_)); }
  std::vector<int> Values() const {
    std::vector<int> values;
    for (int32_t i = 0; i < items_.GetCount(); ++i)
      values.push_back(static_cast<TNumberItem*>(items_.GetItem(i))->Value());
    return values;
  }

  int alive_ = 0;
  TlxMRUItems items_;
};

TEST_F(MRUItemsTest, NewestComesFirstAndAnEqualItemMovesToTheFront) {
  for (int value : {1, 2, 3, 4, 5})
    Add(value);
  EXPECT_EQ(Values(), (std::vector<int>{5, 4, 3, 2, 1}));
  Add(3);  // equal to the third listed item
  EXPECT_EQ(Values(), (std::vector<int>{3, 5, 4, 2, 1}));
  EXPECT_EQ(alive_, 5) << "the passed item is freed";
  Add(1);
  EXPECT_EQ(Values(), (std::vector<int>{1, 3, 5, 4, 2}));
  items_.Add(nullptr);
  EXPECT_EQ(items_.GetCount(), 5);
}

TEST_F(MRUItemsTest, LoweringMaxCountFreesTheOldestAndNegativeMeansUnlimited) {
  for (int value : {1, 2, 3, 4, 5})
    Add(value);
  items_.SetMaxCount(2);
  EXPECT_EQ(Values(), (std::vector<int>{5, 4}));
  EXPECT_EQ(alive_, 2);
  Add(6);
  EXPECT_EQ(Values(), (std::vector<int>{6, 5}));
  EXPECT_EQ(alive_, 2);

  items_.SetMaxCount(-4);
  EXPECT_EQ(items_.MaxCount(), 0);
  for (int value : {7, 8, 9})
    Add(value);
  EXPECT_EQ(items_.GetCount(), 5);
}

TEST_F(MRUItemsTest, DeleteClearAndIndexOf) {
  for (int value : {1, 2, 3})
    Add(value);
  TNumberItem probe(2, &alive_);
  EXPECT_EQ(items_.IndexOf(probe), 1);
  items_.Delete(1);
  EXPECT_EQ(items_.IndexOf(probe), -1);
  EXPECT_EQ(alive_, 3);  // two listed and the probe
  EXPECT_THROW(items_.Delete(2), EListError);
  EXPECT_THROW(items_.GetItem(-1), EListError);
  items_.Clear();
  EXPECT_EQ(items_.GetCount(), 0);
  EXPECT_EQ(alive_, 1);
}

TEST(MRUItemsLifetimeTest, FreeingTheListFreesItsItems) {
  int alive = 0;
  {
    TlxMRUItems items;
    items.Add(std::make_unique<TNumberItem>(1, &alive));
    items.Add(std::make_unique<TNumberItem>(2, &alive));
    EXPECT_EQ(alive, 2);
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
