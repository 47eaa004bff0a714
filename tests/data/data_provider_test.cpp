#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_provider.h"
#include "platform/rtl/memory_stream.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TTestGrid;
using Texts = std::vector<std::string>;

// A record source of its own: rows of texts under handles far above 32 bits,
// so that a cut handle would find no row.
class TTestSource : public TlxExternalDataSource {
 public:
  static constexpr THandle kBase = THandle{1} << 40;

  void SetCurrentProvider(TlxCustomDataProvider* current) override { provider = current; }
  THandle AppendRecord() override {
    const THandle handle = kBase + next++;
    rows[handle] = {"", ""};
    order.push_back(handle);
    return handle;
  }
  THandle InsertRecord(THandle before) override {
    const THandle handle = kBase + next++;
    rows[handle] = {"", ""};
    order.insert(std::find(order.begin(), order.end(), before), handle);
    return handle;
  }
  void DeleteRecord(THandle handle) override {
    rows.erase(handle);
    order.erase(std::find(order.begin(), order.end(), handle));
  }
  std::string GetDisplayText(THandle handle, int32_t item) override {
    return rows.at(handle).at(static_cast<size_t>(item));
  }
  Variant GetValue(THandle handle, int32_t item) override { return Variant(GetDisplayText(handle, item)); }
  void SetValue(THandle handle, int32_t item, const Variant& value) override {
    rows.at(handle).at(static_cast<size_t>(item)) = VarToStr(value);
  }
  void LoadRecordHandles() override {
    for (THandle handle : order)
      provider->AppendRecordHandle(handle);
  }
  void SetRecordCount(int32_t) override {}

  TlxCustomDataProvider* provider = nullptr;
  std::map<THandle, std::vector<std::string>> rows;
  std::vector<THandle> order;
  THandle next = 0;
};

TEST(DataProviderModeTest, ValuesComeFromTheSourceThroughWideHandles) {
  TTestSource source;
  for (const char* name : {"gamma", "alpha", "beta"}) {
    const auto handle = source.AppendRecord();
    source.rows[handle] = {name, "x"};
  }
  {
    TTestGrid grid;
    grid.AddColumn("name", lxValueTypeClass<TlxStringValueType>());
    grid.AddColumn("other", lxValueTypeClass<TlxStringValueType>());
    grid.Provider().SetCustomDataSource(&source);
    ASSERT_TRUE(grid.IsProviderMode());
    ASSERT_EQ(grid.GetRecordCount(), 3);
    grid.ChangeSortOrder(0, soAscending);
    EXPECT_EQ(grid.Column(0), (Texts{"alpha", "beta", "gamma"}));
    grid.SetValue(0, 1, Variant("y"));
    EXPECT_EQ(source.rows.at(TTestSource::kBase).at(1), "y");
    grid.ChangeFocusedRowIndex(1);  // "beta"
    grid.DeleteFocused();
    EXPECT_EQ(source.rows.size(), 2u);
    EXPECT_EQ(grid.Column(0), (Texts{"alpha", "gamma"}));
    // Saving in provider mode writes no definitions; loading is refused.
    TMemoryStream stream;
    grid.SaveStorageToStream(stream);
    stream.SetPosition(0);
    try {
      grid.LoadStorageFromStream(stream);
      ADD_FAILURE();
    } catch (const ElxInvalidDataControllerOperation& error) {
      EXPECT_EQ(error.Message(), "This operation is not supported in provider mode");
    }
    grid.Provider().SetCustomDataSource(nullptr);
    EXPECT_FALSE(grid.IsProviderMode());
    EXPECT_EQ(grid.RecordHandlesField(), nullptr);
  }
  EXPECT_EQ(source.provider, nullptr);
}

TEST(DataProviderTest, EditingStateAndNeighbours) {
  TTestGrid grid;
  grid.AddColumn("name", lxValueTypeClass<TlxStringValueType>());
  grid.AddRows({{"a"}, {"b"}, {"c"}});
  TlxCustomDataProvider& provider = grid.Provider();
  EXPECT_EQ(provider.EditedRecordIndex(), -2147483647);
  struct Case {
    int32_t row;
    int32_t previous;
    int32_t next;
  };
  for (const Case& c : {Case{0, kLxNoEditedRecord, 1}, Case{2, 1, kLxNoEditedRecord}}) {
    grid.ChangeFocusedRowIndex(c.row);
    grid.Edit();
    EXPECT_EQ(provider.PrevNeighbour(), c.previous) << c.row;
    EXPECT_EQ(provider.NextNeighbour(), c.next) << c.row;
    grid.Cancel();
  }
  TTestGrid single;
  single.AddColumn("name", lxValueTypeClass<TlxStringValueType>());
  single.AddRows({{"a"}});
  single.ChangeFocusedRowIndex(0);
  single.Edit();
  EXPECT_EQ(single.Provider().PrevNeighbour(), 0);
  // No focused row: nothing to edit, and a value request names the record.
  TTestGrid empty;
  empty.AddColumn("name", lxValueTypeClass<TlxStringValueType>());
  EXPECT_THROW(empty.GetEditingValue(0), ElxInvalidDataControllerOperation);
}

}  // namespace
