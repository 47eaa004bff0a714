#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/sorting_field_list.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;

TEST(DataFieldListTest, ItemFieldsGoBeforeInternalOnes) {
  TTestGrid grid;
  grid.AddColumn("a", lxValueTypeClass<TlxStringValueType>());
  TlxCustomDataField* internal = grid.CreateInternalField();
  grid.AddColumn("b", lxValueTypeClass<TlxStringValueType>());
  EXPECT_EQ(grid.Fields().ItemCount(), 2);
  EXPECT_EQ(grid.Fields().IndexOf(internal), 2);
  EXPECT_EQ(grid.ItemIndexOfField(grid.ItemField(1)), 1);
}

TEST(DataFieldListTest, ReferenceChainsShareTheirData) {
  TTestGrid grid;
  const int32_t a = grid.AddColumn("a", lxValueTypeClass<TlxStringValueType>());
  grid.AddColumn("b", nullptr);
  grid.AddColumn("c", nullptr);
  TlxCustomDataField* first = grid.ItemField(0);
  TlxCustomDataField* second = grid.ItemField(1);
  TlxCustomDataField* third = grid.ItemField(2);
  grid.AddRows({{"wert"}});
  second->ReferTo(first);
  third->ReferTo(first);
  EXPECT_EQ(second->ValueDef(), first->ValueDef());
  second->ChangeValueTypeClass(lxValueTypeClass<TlxIntegerValueType>());
  EXPECT_EQ(second->ValueTypeClass(), lxValueTypeClass<TlxStringValueType>());
  // A reference back to itself through the chain is refused.
  first->ReferTo(third);
  EXPECT_EQ(first->ReferenceField(), nullptr);
  // Freeing the shared field: the first referrer takes the data over.
  grid.RemoveItem(grid.columns[static_cast<size_t>(a)].get());
  EXPECT_EQ(second->ReferenceField(), nullptr);
  EXPECT_EQ(third->ReferenceField(), second);
  EXPECT_EQ(VarToStr(grid.GetValue(0, 0)), "wert");  // b is item 0 now
  EXPECT_EQ(VarToStr(grid.GetValue(0, 1)), "wert");
}

TEST(SortingFieldListTest, ListOperations) {
  TTestGrid grid;
  grid.AddColumn("a", lxValueTypeClass<TlxStringValueType>());
  grid.AddColumn("b", lxValueTypeClass<TlxStringValueType>());
  grid.AddColumn("c", lxValueTypeClass<TlxStringValueType>());
  TlxCustomDataField* a = grid.ItemField(0);
  TlxCustomDataField* b = grid.ItemField(1);
  TlxCustomDataField* c = grid.ItemField(2);
  int32_t calls = 0;

  TlxGroupingFieldList grouping;
  grouping.Add(a, soAscending);
  grouping.ApplySortOrder(a, soNone);
  EXPECT_EQ(grouping.SortOrderOf(a), soAscending);

  TlxSortingFieldList sorting;
  sorting.Add(a, soAscending);
  sorting.ChangeSortIndex(b, 9);
  EXPECT_EQ(sorting.Find(b), 1);
  EXPECT_EQ(sorting.SortOrderOf(b), soAscending);
  sorting.ChangeSortIndex(a, 9);
  EXPECT_EQ(sorting.Find(a), 1);
  sorting.Add(c, soDescending);
  sorting.OnChanged = [&] { ++calls; };
  grouping.SyncSortOrders(sorting);
  EXPECT_EQ(grouping.SortOrderOf(a), soAscending);
  sorting.SetSortOrderAt(sorting.Find(a), soDescending);
  grouping.SyncSortOrders(sorting);
  EXPECT_EQ(grouping.SortOrderOf(a), soDescending);
  sorting.RemoveField(a);
  grouping.SyncSortOrders(sorting);
  EXPECT_EQ(grouping.SortOrderOf(a), soAscending);
  calls = 0;
  sorting.Add(a, soAscending);
  calls = 0;
  sorting.Clear();
  EXPECT_EQ(calls, 3);

  TlxSortingFieldList total;
  grouping.Add(c, soAscending);
  sorting.Add(b, soDescending);
  sorting.Add(c, soDescending);
  total.AddMissingFrom(grouping);
  total.AddMissingFrom(sorting);
  ASSERT_EQ(total.Count(), 3);
  EXPECT_EQ(total.GetEntry(0).Field, a);
  EXPECT_EQ(total.GetEntry(1).Field, c);
  EXPECT_EQ(total.GetEntry(2).Field, b);
}

}  // namespace
