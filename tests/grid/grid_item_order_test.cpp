// The order rules of a view's items against the real data controller:
// values read by item index stay right after items move or leave, the ID
// counter steps back only for the last ID, and pending group or sort
// indexes come out in ascending position whatever order they were asked in.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "grid/grid_item_order.h"
#include "platform/rtl/update_batch.h"

namespace grid_item_order_test {

struct TItem : TObject {
  explicit TItem(std::string column_name) : name(std::move(column_name)) {}
  std::string name;
};

// A data controller whose items are a view's item list, in list order, as
// the grid data controller answers them.
class TItemListController : public TlxDataController {
 public:
  TItemListController() : TlxDataController(nullptr) {}
  TObject* GetItem(int32_t index) const override { return items.at(static_cast<size_t>(index)); }

  TItem* Add(const std::string& name) {
    owned.push_back(std::make_unique<TItem>(name));
    items.push_back(owned.back().get());
    AddItem(items.back());
    SetItemValueTypeClass(GetItemCount() - 1, lxValueTypeClass<TlxStringValueType>());
    UpdateItemIndexes();
    return items.back();
  }
  void Move(TItem* item, int32_t new_index) {
    if (lxMoveGridItem(items, item, new_index))
      UpdateItemIndexes();
  }
  void Remove(TItem* item) {
    items.erase(std::find(items.begin(), items.end(), item));
    RemoveItem(item);
    UpdateItemIndexes();
  }
  // Each record holds "<column>:<record>" in every column.
  void Fill(int32_t records) {
    TUpdateScope update(*this);
    for (int32_t r = 0; r < records; ++r) {
      const int32_t record = AppendRecord();
      for (int32_t i = 0; i < GetItemCount(); ++i)
        SetValue(record, i, Variant(items[static_cast<size_t>(i)]->name + ":" + std::to_string(r)));
    }
  }
  // The row's values read by item index, as a record's GetValue reads them.
  std::vector<std::string> Row(int32_t row) {
    std::vector<std::string> values;
    for (int32_t i = 0; i < GetItemCount(); ++i)
      values.push_back(VarToStr(GetRowValue(GetRowInfo(row), i)));
    return values;
  }
  std::vector<TItem*> items;
  std::vector<std::unique_ptr<TItem>> owned;
};

TEST(GridItemOrder, ValuesReadByItemIndexFollowMovesAndRemovals) {
  TItemListController controller;
  TItem* nr = controller.Add("Nr");
  TItem* datei = controller.Add("Datei");
  TItem* groesse = controller.Add("Groesse");
  TItem* seiten = controller.Add("Seiten");
  controller.Fill(2);

  controller.Move(seiten, 0);
  EXPECT_EQ(controller.Row(1), (std::vector<std::string>{"Seiten:1", "Nr:1", "Datei:1", "Groesse:1"}));

  controller.Move(nr, 99);  // clamped: last
  EXPECT_EQ(controller.Row(0), (std::vector<std::string>{"Seiten:0", "Datei:0", "Groesse:0", "Nr:0"}));

  controller.Move(groesse, -5);  // clamped: first
  controller.Remove(datei);
  EXPECT_EQ(controller.Row(0), (std::vector<std::string>{"Groesse:0", "Seiten:0", "Nr:0"}));

  // Sorting by an item after the moves sorts by that item's own values.
  controller.ChangeSortOrder(2, soDescending);
  EXPECT_EQ(controller.Row(0)[2], "Nr:1");
}

TEST(GridItemOrder, MovesThatChangeNothingAreReported) {
  int a = 0, b = 0, c = 0;
  std::vector<int*> items{&a, &b, &c};
  int other = 0;

  EXPECT_FALSE(lxMoveGridItem(items, &c, 7));  // clamped to where it is
  EXPECT_FALSE(lxMoveGridItem(items, &a, -1));
  EXPECT_FALSE(lxMoveGridItem(items, &other, 0));
  EXPECT_TRUE(lxMoveGridItem(items, &a, 1));
  EXPECT_EQ(items, (std::vector<int*>{&b, &a, &c}));
}

TEST(GridItemOrder, OnlyTheLastIDIsGivenBack) {
  TlxGridItemIDs ids;
  EXPECT_EQ(ids.Take(), 0);
  EXPECT_EQ(ids.Take(), 1);
  EXPECT_EQ(ids.Take(), 2);

  ids.Release(1);  // a gap stays
  EXPECT_EQ(ids.Next(), 3);
  ids.Release(2);
  EXPECT_EQ(ids.Take(), 2);

  ids.Reset();
  EXPECT_EQ(ids.Next(), 0);
}

TEST(GridItemOrder, PendingIndexesComeOutInAscendingPosition) {
  int first = 0, second = 0, third = 0;
  std::vector<int*> pending;

  // As a form lists them: group index 1 before group index 0.
  lxParkGridItem(pending, &second, 1);
  lxParkGridItem(pending, &first, 0);
  EXPECT_EQ(lxParkedGridItems(pending), (std::vector<int*>{&first, &second}));

  // A gap is skipped; a taken place keeps its item, the newcomer follows.
  lxParkGridItem(pending, &third, 5);
  lxParkGridItem(pending, &third, 0);
  EXPECT_EQ(lxParkedGridItems(pending), (std::vector<int*>{&first, &third, &second}));

  // -1 takes an item out.
  lxParkGridItem(pending, &first, -1);
  EXPECT_EQ(lxParkedGridItems(pending), (std::vector<int*>{&third, &second}));
}

}  // namespace grid_item_order_test
