#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_filter_criteria.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TFileGrid;
using Texts = std::vector<std::string>;

Texts Entries(const TlxDataFilterValueList& list) {
  Texts texts;
  for (int32_t i = 0; i < list.Count(); ++i)
    texts.push_back(list.EntryAt(i).DisplayText);
  return texts;
}

TEST(DataFilterValueListTest, HeadEntriesThenDistinctSortedValues) {
  TFileGrid grid;
  grid.AddRows({{"b", 1}, {"a", Variant::Null()}, {"b", 3}, {"c", Variant::Null()}});
  std::unique_ptr<TlxDataFilterValueList> list = grid.Filter().CreateValueList();
  list->Fill(grid.datei, false, false);
  EXPECT_EQ(Entries(*list), (Texts{"(All)", "(Custom...)", "a", "b", "c"}));
  list->Fill(grid.groesse, false, false);
  EXPECT_EQ(Entries(*list), (Texts{"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)", "1", "3"}));
}

TEST(DataFilterValueListTest, AllNullColumnAndNotNullCondition) {
  TFileGrid grid;
  grid.AddRows({{"a", Variant::Null()}, {"b", Variant::Null()}});
  std::unique_ptr<TlxDataFilterValueList> list = grid.Filter().CreateValueList();
  list->Fill(grid.groesse, false, false);
  EXPECT_EQ(Entries(*list), (Texts{"(All)", "(Custom...)", "(Blanks)", "(NonBlanks)"}));
  {
    TlxDataFilterCriteria& filter = grid.Filter();
    TlxFilterChangesScope changes(filter);
    filter.AddItem(&filter.Root(), grid.columns[0].get(), fokNotNull, Variant::Null(), "");
  }
  list->Fill(grid.datei, false, true);
  EXPECT_EQ(Entries(*list), (Texts{"(All)", "(Custom...)", "(NonBlanks)", "a", "b"}));
  int32_t calls = 0;
  grid.Filter().OnGetValueList = [&](TlxFilterCriteria*, int32_t item, TlxDataFilterValueList* filled) {
    ++calls;
    EXPECT_EQ(item, grid.datei);
    EXPECT_EQ(filled, list.get());
  };
  list->Fill(grid.datei, false, false);
  EXPECT_EQ(calls, 1);
}

TEST(DataFilterCriteriaTest, ActiveToggleRefiltersAndAdditionalCriteriaDoNot) {
  TFileGrid grid;
  grid.AddRows({{"a", 1}, {"b", 2}});
  TlxDataFilterCriteria& filter = grid.Filter();
  {
    TlxFilterChangesScope changes(filter);
    filter.AddItem(&filter.Root(), grid.columns[1].get(), fokEqual, Variant(2), "2");
  }
  EXPECT_EQ(grid.GetRowCount(), 2);  // not active yet
  filter.SetActive(true);
  EXPECT_EQ(grid.GetRowCount(), 1);
  TlxDataFilterCriteria* extra = grid.CreateFilterCriteria();
  extra->SetActive(true);
  {
    TlxFilterChangesScope changes(*extra);
    extra->AddItem(&extra->Root(), grid.columns[1].get(), fokEqual, Variant(1), "1");
  }
  EXPECT_EQ(grid.GetRowCount(), 1);
  EXPECT_TRUE(extra->IsAdditional());
  EXPECT_FALSE(filter.IsAdditional());
}

}  // namespace
