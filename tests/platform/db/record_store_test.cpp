#include "platform/db/record_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A store of records with one text and one integer slot.
struct TStoreFixture {
  TStoreFixture() {
    text = layout.AddSlot(TStorageKind::kText);
    number = layout.AddSlot(TStorageKind::kInteger);
  }
  std::byte* Add(int64_t value, int32_t position = -1) {
    TRecordBuffer values(layout);
    layout.Put<std::string>(values.Data(), text, "record " + std::to_string(value) + " with a text past SSO");
    layout.Put<int64_t>(values.Data(), number, value);
    return position < 0 ? store.Append(values.Data(), true) : store.InsertAt(position, values.Data(), true);
  }
  std::vector<int64_t> Values() const {
    std::vector<int64_t> values;
    for (int32_t i = 0; i < store.Count(); ++i)
      values.push_back(layout.Get<int64_t>(store.At(i), number));
    return values;
  }

  TRecordLayout layout;
  int32_t text = 0;
  int32_t number = 0;
  TRecordStore store{layout};
};

TEST(RecordLayout, BuffersStartNullAndCopyMoveAndClear) {
  TStoreFixture f;
  TRecordBuffer a(f.layout);
  EXPECT_TRUE(f.layout.IsNull(a.Data(), f.text));
  EXPECT_TRUE(f.layout.IsNull(a.Data(), f.number));
  f.layout.Put<std::string>(a.Data(), f.text, std::string(100, 'x'));
  TRecordBuffer b = a.Clone();
  EXPECT_EQ(f.layout.Get<std::string>(b.Data(), f.text), std::string(100, 'x'));
  EXPECT_FALSE(f.layout.IsNull(b.Data(), f.text));
  EXPECT_TRUE(f.layout.IsNull(b.Data(), f.number));
  TRecordBuffer c(f.layout);
  f.layout.MoveValues(b.Data(), c.Data());
  EXPECT_EQ(f.layout.Get<std::string>(c.Data(), f.text).size(), 100u);
  f.layout.ClearValues(c.Data());
  EXPECT_TRUE(f.layout.IsNull(c.Data(), f.text));
  EXPECT_TRUE(f.layout.Get<std::string>(c.Data(), f.text).empty());
}

TEST(RecordStore, PositionsFollowInsertsAndDeletesAndIdsStay) {
  TStoreFixture f;
  std::vector<std::byte*> blocks;
  for (int64_t i = 0; i < 10; ++i)
    blocks.push_back(f.Add(i));
  const uint32_t id_of_7 = TRecordLayout::RecordId(blocks[7]);
  const uint32_t id_of_2 = TRecordLayout::RecordId(blocks[2]);
  EXPECT_EQ(f.store.PositionOf(blocks[7]), 7);
  f.Add(100, 0);
  f.store.DeleteAt(3);  // value 2
  f.Add(200, 5);
  EXPECT_EQ(f.Values(), (std::vector<int64_t>{100, 0, 1, 3, 4, 200, 5, 6, 7, 8, 9}));
  EXPECT_EQ(f.store.PositionOf(blocks[7]), 8);
  EXPECT_EQ(f.store.PositionOf(blocks[9]), 10);
  EXPECT_EQ(f.store.FindById(id_of_7), blocks[7]);
  EXPECT_EQ(f.store.FindById(id_of_2), nullptr);
  EXPECT_EQ(f.store.FindById(0), nullptr);
  EXPECT_EQ(f.store.FindById(1000), nullptr);

  const uint32_t generation = f.store.Generation();
  f.store.Clear();
  EXPECT_EQ(f.store.Count(), 0);
  EXPECT_NE(f.store.Generation(), generation);
  EXPECT_EQ(f.store.FindById(id_of_7), nullptr);
}

TEST(RecordStore, FilteredSequenceKeepsStorageOrder) {
  TStoreFixture f;
  for (int64_t i = 0; i < 6; ++i)
    f.Add(i);
  f.store.ApplyFilter([&f](std::byte* block) { return f.layout.Get<int64_t>(block, f.number) % 2 == 0; });
  EXPECT_EQ(f.Values(), (std::vector<int64_t>{0, 2, 4}));
  EXPECT_EQ(f.store.StoredCount(), 6);
  std::byte* hidden = f.Add(7, 1);
  (void)hidden;
  f.store.HideAt(1);
  f.store.DeleteAt(0);
  EXPECT_EQ(f.Values(), (std::vector<int64_t>{2, 4}));
  f.store.ClearFilter();
  EXPECT_EQ(f.Values(), (std::vector<int64_t>{1, 7, 2, 3, 4, 5}));
}

}  // namespace
