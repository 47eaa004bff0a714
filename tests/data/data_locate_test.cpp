#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_locate.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TFileGrid;

// A file grid whose name column may sort by display text and which logs
// removed components.
class TLocateGrid : public TFileGrid {
 public:
  bool IsItemSortedByDisplayText(int32_t item, bool) const override { return by_text && item == datei; }
  void ComponentRemoved(TComponent* component) override {
    removed.push_back(component);
    TFileGrid::ComponentRemoved(component);
  }
  const TlxValueDef& Def(int32_t item) const { return *ItemField(item)->ValueDef(); }
  bool by_text = false;
  std::vector<TComponent*> removed;
};

TEST(DataLocateTest, SelectionInfoForRows) {
  struct Case {
    int32_t row1;
    int32_t row2;
    std::vector<int32_t> rows;
  };
  const std::vector<Case> cases = {{3, 3, {3}}, {-1, 5, {5}}, {-1, -1, {}}, {2, -1, {2}}, {1, 4, {1, 4}}};
  for (const Case& c : cases) {
    TlxSelectionChangedInfo info(c.row1, c.row2);
    std::vector<int32_t> rows;
    for (int32_t i = 0; i < info.RowIndexCount(); ++i)
      rows.push_back(info.RowIndexAt(i));
    EXPECT_EQ(rows, c.rows) << c.row1 << "," << c.row2;
  }
}

TEST(DataLocateTest, UnboundReaderKeepsValuesByDef) {
  TLocateGrid grid;
  TlxValueDefUnboundReader reader;
  EXPECT_TRUE(reader.ValueFor(grid.Def(grid.datei)).IsNull());
  reader.SetValue(grid.Def(grid.datei), "a");
  reader.SetValue(grid.Def(grid.groesse), 5);
  reader.SetValue(grid.Def(grid.datei), "b");
  EXPECT_EQ(VarToStr(reader.ValueFor(grid.Def(grid.datei))), "b");
  reader.Truncate(1);
  EXPECT_EQ(VarToStr(reader.ValueFor(grid.Def(grid.datei))), "b");
  EXPECT_TRUE(reader.ValueFor(grid.Def(grid.groesse)).IsNull());
  reader.SetValue(grid.Def(grid.groesse), 6);
  EXPECT_EQ(reader.ValueFor(grid.Def(grid.groesse)).AsInteger(), 6);
  reader.Clear();
  EXPECT_TRUE(reader.ValueFor(grid.Def(grid.datei)).IsNull());
}

TEST(DataLocateTest, KeyLocateFindsTheFirstEqualRecordInStorageOrder) {
  TLocateGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}, {"c", 2}, {"d", 3}});
  TlxDataControllerKeyLocateObject locate(&grid);
  locate.KeyFields().push_back(grid.ItemField(grid.groesse));
  EXPECT_EQ(locate.FindRecordIndex(), -1);  // nothing read yet
  TlxValueDefUnboundReader reader;
  reader.SetValue(grid.Def(grid.groesse), 2);
  locate.ReadFrom(reader);
  EXPECT_LT(locate.InternalRecordIndex(), 0);
  EXPECT_EQ(locate.FindRecordIndex(), 1);
  reader.SetValue(grid.Def(grid.groesse), 9);
  locate.ReadFrom(reader);
  EXPECT_EQ(locate.FindRecordIndex(), -1);
  // Two key fields must both match.
  locate.KeyFields().push_back(grid.ItemField(grid.datei));
  reader.SetValue(grid.Def(grid.groesse), 2);
  reader.SetValue(grid.Def(grid.datei), "c");
  locate.ReadFrom(reader);
  EXPECT_EQ(locate.FindRecordIndex(), 2);
  locate.Clear();
  EXPECT_EQ(locate.InternalRecordIndex(), 0);
  EXPECT_EQ(locate.FindRecordIndex(), -1);
}

TEST(DataLocateTest, GroupLocateSearchesTheSortedRowsOrLinearly) {
  for (const bool by_text : {false, true}) {
    SCOPED_TRACE(by_text ? "by display text" : "by value");
    TLocateGrid grid;
    grid.by_text = by_text;
    grid.AddRows({{"c", 1}, {"a", 2}, {"b", 3}, {"a", 4}, {"c", 5}});
    grid.Groups().ChangeGroupIndex(grid.datei, 0);
    grid.Groups().ChangeGroupIndex(grid.groesse, 1);
    TlxDataControllerGroupLocateObject locate(&grid);
    EXPECT_EQ(locate.FindsGroupRecord(), !by_text);
    locate.SetLevel(0);
    TlxValueDefUnboundReader reader;
    reader.SetValue(grid.Def(grid.datei), "c");
    reader.SetValue(grid.Def(grid.groesse), 5);
    locate.ReadFrom(reader);
    const int32_t found = locate.FindRecordIndex();
    ASSERT_GE(found, 0);
    EXPECT_EQ(VarToStr(grid.GetValue(found, grid.datei)), "c");
    locate.SetLevel(1);
    EXPECT_EQ(locate.FindRecordIndex(), 4);
    reader.SetValue(grid.Def(grid.datei), "x");
    locate.ReadFrom(reader);
    EXPECT_EQ(locate.FindRecordIndex(), -1);
  }
}

TEST(DataLocateTest, RecordReaderCopiesARecordButNotInternalFields) {
  TLocateGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}});
  TlxValueDefRecordReader reader(grid, 1);
  EXPECT_EQ(VarToStr(reader.ValueFor(grid.Def(grid.datei))), "b");
  EXPECT_EQ(reader.DisplayTextFor(grid.Def(grid.groesse)), "2");
  TlxCustomDataField* internal = grid.CreateInternalField();
  internal->ChangeValueTypeClass(lxValueTypeClass<TlxIntegerValueType>());
  EXPECT_TRUE(lxIsValueDefOfInternalField(*internal->ValueDef()));
  EXPECT_FALSE(lxIsValueDefOfInternalField(grid.Def(grid.datei)));
  EXPECT_TRUE(reader.SkipsDef(*internal->ValueDef()));
  EXPECT_EQ(reader.DisplayTextFor(*internal->ValueDef()), "");
  // The reader fills another record through the storage.
  grid.DataStorage().FillRecordFromReader(0, reader);
  EXPECT_EQ(VarToStr(grid.GetValue(0, grid.datei)), "b");
}

TEST(DataLocateTest, NotifierForwardsRemovalsOnly) {
  TLocateGrid grid;
  auto watched = std::make_unique<TComponent>(nullptr);
  TComponent* address = watched.get();
  grid.Notifier().FreeNotification(address);
  EXPECT_TRUE(grid.removed.empty());
  watched.reset();
  EXPECT_EQ(grid.removed, (std::vector<TComponent*>{address}));
}

TEST(DataLocateTest, RaiserCarriesTheMessage) {
  try {
    lxRaiseDataControllerError("Etwas ging schief");
    FAIL() << "no exception";
  } catch (const ElxInvalidDataControllerOperation& error) {
    EXPECT_STREQ(error.what(), "Etwas ging schief");
  }
}

}  // namespace
