#include <gtest/gtest.h>

#include <functional>

#include "data/db_data_filter_criteria.h"
#include "tests/data/db_data_test_grid.h"
#include "tests/data/db_data_test_query.h"

namespace {

using db_data_test::TFileListGrid;
using Keys = std::vector<int32_t>;

struct TFilterCase {
  const char* name;
  std::function<void(TFileListGrid&, TlxDBDataFilterCriteria&)> build;
};

// With AutoDataSetFilter the criteria's expression becomes the dataset's
// filter: the dataset must accept it and select what the controller's own
// filter selects.
TEST(DBDataFilterTest, TheDataSetFilterSelectsWhatTheControllerFilterSelects) {
  const TFilterCase cases[] = {
      {"equal", [](TFileListGrid& f, TlxDBDataFilterCriteria& c) {
         c.AddItem(nullptr, f.grid.GetItem(f.grid.sortkey), fokEqual, Variant(2), "2");
       }},
      {"greater", [](TFileListGrid& f, TlxDBDataFilterCriteria& c) {
         c.AddItem(nullptr, f.grid.GetItem(f.groesse), fokGreater, Variant(250.0), "250");
       }},
      {"like", [](TFileListGrid& f, TlxDBDataFilterCriteria& c) {
         c.AddItem(nullptr, f.grid.GetItem(f.datei), fokLike, Variant("%f_.pdf"), "");
       }},
      {"null", [](TFileListGrid& f, TlxDBDataFilterCriteria& c) {
         c.AddItem(nullptr, f.grid.GetItem(f.groesse), fokEqual, Variant::Null(), "");
       }},
      {"or", [](TFileListGrid& f, TlxDBDataFilterCriteria& c) {
         c.Root().SetBoolOperatorKind(fbkOr);
         c.AddItem(nullptr, f.grid.GetItem(f.grid.sortkey), fokEqual, Variant(1), "");
         c.AddItem(nullptr, f.grid.GetItem(f.grid.sortkey), fokBetween, VarArrayOf({Variant(3), Variant(4)}), "");
       }},
  };
  for (const TFilterCase& test : cases) {
    SCOPED_TRACE(test.name);
    TFileListGrid fixture;
    fixture.files.AddRows(4);
    fixture.files.cds->Append();
    fixture.files.datei->SetAsString("C:\\ohne.pdf");
    fixture.files.sortkey->SetAsInteger(5);
    fixture.files.cds->Post();
    fixture.Bind();
    TlxDBDataFilterCriteria& filter = fixture.grid.DBFilter();
    test.build(fixture, filter);
    filter.SetActive(true);
    const Keys by_controller = fixture.grid.Keys();
    EXPECT_TRUE(filter.FiltersRecordsItself());
    EXPECT_FALSE(fixture.files.cds->Filtered());

    filter.SetAutoDataSetFilter(true);
    EXPECT_FALSE(filter.FiltersRecordsItself());
    EXPECT_TRUE(fixture.files.cds->Filtered());
    EXPECT_EQ(fixture.files.cds->Filter(), filter.BuildExpressionText());
    EXPECT_EQ(fixture.grid.GetRecordCount(), static_cast<int32_t>(by_controller.size()));
    EXPECT_EQ(fixture.grid.Keys(), by_controller);
    EXPECT_EQ(fixture.files.Keys(), by_controller);
  }
}

TEST(DBDataFilterTest, AnEmptyCriteriaClearsTheDataSetFilter) {
  TFileListGrid fixture;
  fixture.files.AddRows(3);
  fixture.Bind();
  TlxDBDataFilterCriteria& filter = fixture.grid.DBFilter();
  filter.AddItem(nullptr, fixture.grid.GetItem(fixture.grid.sortkey), fokEqual, Variant(2), "2");
  filter.SetActive(true);
  filter.SetAutoDataSetFilter(true);
  ASSERT_TRUE(fixture.files.cds->Filtered());
  fixture.grid.TakeLoads();

  filter.RemoveAllItems();
  EXPECT_EQ(fixture.files.cds->Filter(), "");
  EXPECT_FALSE(fixture.files.cds->Filtered());
  EXPECT_EQ(fixture.grid.Keys(), (Keys{1, 2, 3}));
  // The dataset's one notification reloaded the controller once.
  EXPECT_EQ(fixture.grid.TakeLoads(), 1);
}

TEST(DBDataFilterTest, BeforeChangeSeesTheDataSetAndTheExpression) {
  TFileListGrid fixture;
  fixture.files.AddRows(2);
  fixture.Bind();
  TlxDBDataFilterCriteria& filter = fixture.grid.DBFilter();
  std::vector<std::string> seen;
  filter.OnBeforeChange = [&](TlxDBDataFilterCriteria*, TDataSet* dataset, const std::string& text) {
    seen.push_back(dataset->Name() + ": " + text);
  };
  filter.AddItem(nullptr, fixture.grid.GetItem(fixture.grid.sortkey), fokEqual, Variant(2), "2");
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), "cdsDateien: " + filter.BuildExpressionText());
  // The handler filters instead of the controller.
  filter.SetActive(true);
  EXPECT_FALSE(filter.FiltersRecordsItself());
}

TEST(DBDataFilterTest, AQueryDataSetGetsSqlNullTests) {
  TComponent owner(nullptr);
  auto* query = new db_data_test::TFileQuery(&owner);
  query->Open();
  auto* source = new TDataSource(&owner);
  source->SetDataSet(query);
  db_data_test::TTestDBGrid grid;
  const int32_t path = grid.AddColumn("Datei");
  grid.SetDataSource(source);
  TlxDBDataFilterCriteria& filter = grid.DBFilter();

  filter.AddItem(nullptr, grid.GetItem(path), fokEqual, Variant::Null(), "");
  EXPECT_EQ(filter.BuildExpressionText(), "(Datei IS NULL)");
  filter.RemoveAllItems();
  filter.AddItem(nullptr, grid.GetItem(path), fokNotEqual, Variant::Null(), "");
  EXPECT_EQ(filter.BuildExpressionText(), "(Datei IS NOT NULL)");

  // A dataset that is no query keeps the controller's own null tests.
  TFileListGrid fixture;
  fixture.Bind();
  fixture.grid.DBFilter().AddItem(nullptr, fixture.grid.GetItem(fixture.datei), fokEqual, Variant::Null(), "");
  EXPECT_NE(fixture.grid.DBFilter().BuildExpressionText(), "(Datei IS NULL)");
  grid.SetDataSource(nullptr);
}

TEST(DBDataFilterTest, AssigningAndResettingCoverTheDataSetSettings) {
  db_data_test::TTestDBGrid from;
  db_data_test::TTestDBGrid to;
  from.DBFilter().SetAutoDataSetFilter(true);
  from.DBFilter().SetIgnoreOrigin(false);
  to.DBFilter().AssignFrom(&from.DBFilter(), false);
  EXPECT_TRUE(to.DBFilter().AutoDataSetFilter());
  EXPECT_FALSE(to.DBFilter().IgnoreOrigin());
  to.DBFilter().ResetToDefaults();
  EXPECT_FALSE(to.DBFilter().AutoDataSetFilter());
  EXPECT_TRUE(to.DBFilter().IgnoreOrigin());
}

}  // namespace
