#include "editors/kinds/db_lookup_links.h"

#include <gtest/gtest.h>

#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/field.h"
#include "platform/db/numeric_fields.h"

namespace db_lookup_links_test {

// A dataset that reports a master data source and, when nested, the field
// of its parent that holds it.
class TLinkedDataSet : public TClientDataSet {
 public:
  using TClientDataSet::TClientDataSet;
  TDataSource* GetDataSource() const override { return master; }
  TField* DataSetField() const override { return nested_in; }

  TDataSource* master = nullptr;
  TField* nested_in = nullptr;
};

// customers -> orders -> items by master sources, and a nested dataset held
// by a field of the orders.
struct TLinkedDataSets {
  TLinkedDataSets() {
    customers_source.SetDataSet(&customers);
    orders.master = &customers_source;
    orders_source.SetDataSet(&orders);
    items.master = &orders_source;
    nested_field = new TIntegerField(&owner);
    nested_field->SetFieldName("Positionen");
    nested_field->SetDataSet(&orders);
    nested.nested_in = nested_field;
  }

  TComponent owner{nullptr};
  TLinkedDataSet customers{nullptr};
  TLinkedDataSet orders{nullptr};
  TLinkedDataSet items{nullptr};
  TLinkedDataSet nested{nullptr};
  TLinkedDataSet unrelated{nullptr};
  TDataSource customers_source{nullptr};
  TDataSource orders_source{nullptr};
  TIntegerField* nested_field = nullptr;
};

TEST(DBLookupLinksTest, AListOnTheEditedDataSetOrOneOfItsMastersIsCircular) {
  TLinkedDataSets sets;
  const struct {
    const char* name;
    const TDataSet* edited;
    const TDataSet* list;
    bool circular;
  } cases[] = {
      {"the edited dataset itself", &sets.items, &sets.items, true},
      {"its master", &sets.items, &sets.orders, true},
      {"its master's master", &sets.items, &sets.customers, true},
      {"a detail of the edited dataset", &sets.customers, &sets.items, false},
      {"an unrelated dataset", &sets.items, &sets.unrelated, false},
      {"the parent of a nested dataset", &sets.nested, &sets.orders, true},
      {"no list", &sets.items, nullptr, false},
      {"no edited dataset", nullptr, &sets.items, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lxIsCircularDataLink(c.edited, c.list), c.circular) << c.name;
}

TEST(DBLookupLinksTest, AMasterChainThatLoopsEnds) {
  TLinkedDataSets sets;
  TDataSource items_source(nullptr);
  items_source.SetDataSet(&sets.items);
  sets.customers.master = &items_source;
  EXPECT_FALSE(lxIsCircularDataLink(&sets.items, &sets.unrelated));
  EXPECT_TRUE(lxIsCircularDataLink(&sets.customers, &sets.orders));
}

TEST(DBLookupLinksTest, TheNullKeyHasOneNullPerKeyField) {
  EXPECT_TRUE(lxLookupNullKey("").IsNull());
  EXPECT_TRUE(lxLookupNullKey("ID").IsNull());
  const Variant two = lxLookupNullKey("Land;Nr");
  ASSERT_TRUE(VarIsArray(two));
  EXPECT_EQ(VarArrayLowBound(two), 0);
  EXPECT_EQ(VarArrayHighBound(two), 1);
  EXPECT_TRUE(VarArrayGet(two, 0).IsNull());
  EXPECT_TRUE(VarArrayGet(two, 1).IsNull());
  const struct {
    const char* names;
    int32_t count;
  } counts[] = {{"", 0}, {"A", 1}, {"A;B", 2}, {"A;B;", 2}, {";A;;B", 2}, {";", 0}};
  for (const auto& c : counts)
    EXPECT_EQ(lxKeyFieldCount(c.names), c.count) << c.names;
}

}  // namespace db_lookup_links_test
