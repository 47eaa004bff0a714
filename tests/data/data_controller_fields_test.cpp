#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;

// A source of three records that describes its fields.
class TFieldSource : public TlxExternalDataSource {
 public:
  void SetCurrentProvider(TlxCustomDataProvider* current) override { provider = current; }
  THandle AppendRecord() override { return ++next; }
  THandle InsertRecord(THandle) override { return ++next; }
  void DeleteRecord(THandle) override {}
  std::string GetDisplayText(THandle handle, int32_t) override { return std::to_string(handle); }
  Variant GetValue(THandle handle, int32_t) override { return Variant(static_cast<int64_t>(handle)); }
  void SetValue(THandle, int32_t, const Variant&) override {}
  void LoadRecordHandles() override {
    for (THandle handle = 1; handle <= 3; ++handle)
      provider->AppendRecordHandle(handle);
  }
  void SetRecordCount(int32_t) override {}
  TlxCustomDataProvider* provider = nullptr;
  THandle next = 100;
};

// Logs which fields were brought up to date; the first update of the
// "Alt" column removes the "Weg" column on the way.
class TFieldGrid : public TTestGrid {
 public:
  TFieldGrid() {
    AddColumn("Alt", lxValueTypeClass<TlxIntegerValueType>());
    AddColumn("Weg", lxValueTypeClass<TlxIntegerValueType>());
    AddColumn("Neu", lxValueTypeClass<TlxIntegerValueType>());
  }
  void UpdateField(TlxCustomDataField& field) override {
    if (field.Item() == nullptr)
      return;  // the controller's own internal fields
    const std::string name = static_cast<data_controller_test::TColumn*>(field.Item())->name;
    updated.push_back(name);
    if (name == "Alt" && remove_on_update) {
      remove_on_update = false;
      RemoveItem(columns[1].get());
    }
  }
  std::vector<std::string> updated;
  bool remove_on_update = false;
};

TEST(DataControllerFieldsTest, UpdateFieldsVisitsEachFieldOnceThoughFieldsGo) {
  TFieldGrid grid;
  grid.remove_on_update = true;
  grid.UpdateFields();
  EXPECT_EQ(grid.updated, (std::vector<std::string>{"Alt", "Neu"}));
  EXPECT_EQ(grid.GetItemCount(), 2);
}

TEST(DataControllerFieldsTest, FieldLockDefersTheStructureUpdate) {
  TFieldSource source;
  TFieldGrid grid;
  grid.Provider().SetCustomDataSource(&source);
  ASSERT_EQ(grid.GetRecordCount(), 3);
  grid.updated.clear();
  grid.BeginUpdateFields();
  grid.BeginUpdateFields();
  grid.StructureChanged();
  EXPECT_TRUE(grid.updated.empty());
  grid.EndUpdateFields();
  EXPECT_TRUE(grid.updated.empty());
  grid.EndUpdateFields();
  EXPECT_EQ(grid.updated, (std::vector<std::string>{"Alt", "Weg", "Neu"}));
  // The reload brought the source's records back.
  EXPECT_EQ(grid.GetRecordCount(), 3);
  // A close without an open changes nothing.
  grid.updated.clear();
  grid.EndUpdateFields();
  EXPECT_TRUE(grid.updated.empty());
  grid.Provider().SetCustomDataSource(nullptr);
}

TEST(DataControllerFieldsTest, OwnRecordsSurviveAStructureUpdate) {
  TFieldGrid grid;
  grid.AddRows({{1, 2, 3}, {4, 5, 6}});
  grid.DataChanged(dckAll, -1, -1);
  EXPECT_EQ(grid.GetRecordCount(), 2);
  EXPECT_EQ(grid.GetValue(1, 2).AsInteger(), 6);
}

}  // namespace
