// The record cache of a table view: records made on demand per row,
// dropped on every refresh, and the list-index error outside the rows.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/grid_record_slots.h"
#include "platform/rtl/exceptions.h"

namespace {

struct Record {
  explicit Record(int32_t row, int& alive) : Row(row), alive_(alive) { ++alive_; }
  ~Record() { --alive_; }
  int32_t Row;

 private:
  int& alive_;
};

class GridRecordSlotsTest : public ::testing::Test {
 protected:
  int alive_ = 0;
  int made_ = 0;
  TlxGridRecordSlots<Record> slots_{[this](int32_t index) {
    ++made_;
    return std::make_unique<Record>(index, alive_);
  }};
};

TEST_F(GridRecordSlotsTest, ReadingARowMakesExactlyThatRecord) {
  slots_.Reset(5);
  EXPECT_EQ(slots_.Count(), 5);
  EXPECT_EQ(made_, 0);
  Record& fourth = slots_.Get(4);
  EXPECT_EQ(fourth.Row, 4);
  EXPECT_EQ(made_, 1);
  EXPECT_EQ(&slots_.Get(4), &fourth);
  EXPECT_EQ(made_, 1);
  EXPECT_EQ(slots_.Existing(3), nullptr);
}

TEST_F(GridRecordSlotsTest, OutsideTheRowsRaisesAndMakesNothing) {
  slots_.Reset(5);
  for (int32_t index : {-1, 5, 2147483647}) {
    EXPECT_THROW(slots_.Get(index), EListError) << index;
    EXPECT_EQ(slots_.Find(index), nullptr) << index;
  }
  EXPECT_EQ(made_, 0);
}

TEST_F(GridRecordSlotsTest, RefreshFreesEveryRecord) {
  slots_.Reset(5);
  for (int32_t i = 0; i < 5; ++i)
    slots_.Get(i);
  EXPECT_EQ(alive_, 5);
  slots_.Reset(3);
  EXPECT_EQ(alive_, 0);
  EXPECT_EQ(slots_.Count(), 3);
  EXPECT_EQ(slots_.Get(0).Row, 0);
  EXPECT_EQ(made_, 6);
  slots_.Reset(-2);
  EXPECT_EQ(slots_.Count(), 0);
  EXPECT_EQ(alive_, 0);
}

}  // namespace
