#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_keys.h"
#include "data/data_relations.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TColumn;
using data_controller_test::TTestGrid;

// Records identified by the "Id" column; a detail clone per link object.
class TKeyedGrid : public TTestGrid {
 public:
  TKeyedGrid() {
    id = AddColumn("Id", lxValueTypeClass<TlxIntegerValueType>());
    name = AddColumn("Name", lxValueTypeClass<TlxStringValueType>());
  }
  bool UsesRecordKeys() const override { return keyed; }
  void GetKeyFieldList(std::vector<TlxCustomDataField*>& fields) const override {
    if (keyed)
      fields.push_back(ItemField(id));
  }
  std::unique_ptr<TObject> CreateDetailLinkObject(TlxCustomDataRelation* relation, int32_t record) override {
    auto clone = std::make_unique<TTestGrid>();
    clone->SetMasterRelation(relation, record);
    return clone;
  }
  TlxCustomDataController* GetDetailLinkDataController(TObject* link) const override {
    return static_cast<TTestGrid*>(link);
  }
  // Rewrites the ids in place, as a reload that renumbers the records would.
  void Renumber(const std::vector<int32_t>& ids) {
    for (size_t record = 0; record < ids.size(); ++record)
      SetValue(static_cast<int32_t>(record), id, ids[record]);
  }
  std::vector<int32_t> SelectedIds() {
    std::vector<int32_t> ids;
    for (int32_t i = 0; i < GetSelectedCount(); ++i)
      ids.push_back(GetRowValue(GetRowInfo(GetSelectedRowIndex(i)), id).AsInteger());
    return ids;
  }
  bool keyed = true;
  int32_t id = 0;
  int32_t name = 0;
};

TEST(DataKeysTest, KeyValueOverTheKeyFields) {
  TKeyedGrid grid;
  grid.AddRows({{7, "a"}});
  EXPECT_TRUE(grid.GetKeyValue(0, {}).IsNull());
  EXPECT_EQ(grid.GetKeyValue(0, {grid.ItemField(grid.id)}).AsInteger(), 7);
  const Variant pair = grid.GetKeyValue(0, {grid.ItemField(grid.id), grid.ItemField(grid.name)});
  ASSERT_TRUE(pair.IsArray());
  EXPECT_EQ(VarArrayLowBound(pair), 0);
  EXPECT_EQ(VarArrayHighBound(pair), 1);
  EXPECT_EQ(VarToStr(VarArrayGet(pair, 1)), "a");
  EXPECT_TRUE(grid.GetRecordKeyValue(0).IsNull());
  EXPECT_THROW(grid.GetRecordKeyValue(1), ElxInvalidDataControllerOperation);
  EXPECT_THROW(grid.GetRecordKeyValue(-1), ElxInvalidDataControllerOperation);
  // A plain controller does not identify its records by keys.
  TTestGrid plain;
  EXPECT_FALSE(plain.UsesRecordKeys());
}

TEST(DataKeysTest, SelectionFollowsKeysAcrossARenumbering) {
  TKeyedGrid grid;
  grid.AddRows({{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}});
  grid.SetMultiSelect(true);
  grid.ChangeRowSelection(1, true);
  grid.ChangeRowSelection(3, true);
  ASSERT_EQ(grid.SelectedIds(), (std::vector<int32_t>{2, 4}));
  grid.BeginKeepState();
  grid.BeginKeepState();
  // Id 4 moves to the first record; id 2 disappears.
  grid.Renumber({4, 3, 1, 5});
  grid.EndKeepState();
  EXPECT_EQ(grid.KeepStateCount(), 1);
  grid.EndKeepState();
  EXPECT_EQ(grid.SelectedIds(), (std::vector<int32_t>{4}));
  EXPECT_TRUE(grid.IsRowSelected(0));
}

TEST(DataKeysTest, WithoutKeysTheSelectionStaysByRecord) {
  TKeyedGrid grid;
  grid.keyed = false;
  grid.AddRows({{1, "a"}, {2, "b"}, {3, "c"}});
  grid.SetMultiSelect(true);
  grid.ChangeRowSelection(1, true);
  grid.BeginKeepState();
  grid.Renumber({3, 1, 2});
  grid.EndKeepState();
  EXPECT_EQ(grid.SelectedIds(), (std::vector<int32_t>{1}));
}

TEST(DataKeysTest, KeysOrderedAndFoundFirstInListOrder) {
  TKeyedGrid grid;
  grid.AddRows({{3, "a"}, {1, "b"}, {3, "c"}, {2, "d"}});
  grid.SetMultiSelect(true);
  for (int32_t row = 0; row < 4; ++row)
    grid.ChangeRowSelection(row, true);
  TlxSelectedKeys keys;
  keys.Save(grid);
  ASSERT_EQ(keys.Count(), 4);
  std::vector<int32_t> saved;
  for (int32_t i = 0; i < keys.Count(); ++i)
    saved.push_back(keys.InfoAt(i).Key.AsInteger());
  EXPECT_EQ(saved, (std::vector<int32_t>{1, 2, 3, 3}));
  int32_t position = -1;
  ASSERT_TRUE(keys.FindRecordKey(2, position));
  EXPECT_EQ(position, 2);
  EXPECT_EQ(static_cast<TlxSelectedKeyInfo&>(keys.InfoAt(position)).SelectedIndex, 0);
  keys.Delete(0);
  EXPECT_FALSE(keys.FindRecordKey(1, position));
}

TEST(DataKeysTest, ExpandedDetailsFollowTheirKeys) {
  TKeyedGrid master;
  master.AddRows({{1, "a"}, {2, "b"}, {3, "c"}});
  TColumn orders("Orders");
  TTestGrid orders_template;
  TlxCustomDataRelation* relation = master.RelationList().NewRelation(&orders);
  orders_template.AttachToMasterRelation(relation, true);
  ASSERT_TRUE(master.ChangeDetailExpanding(2, true));
  master.BeginKeepState();
  // A reload drops the detail objects and renumbers: id 3 comes first.
  master.ResetAllDetails();
  master.Renumber({3, 1, 2});
  master.EndKeepState();
  EXPECT_TRUE(master.GetDetailExpanded(0));
  EXPECT_FALSE(master.GetDetailExpanded(1));
  EXPECT_FALSE(master.GetDetailExpanded(2));
  EXPECT_EQ(master.GetDetailActiveRelationIndex(0), 0);
}

}  // namespace
