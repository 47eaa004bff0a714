#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/boolean_field.h"
#include "platform/db/db_errors.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

// Five files: keys 1..5, sizes 100..500, dates 1..5 January 2024; the
// fourth has no size, the fifth is "C:\Brief's.PDF".
struct TFilteredList : TFileList {
  TFilteredList() {
    AddRows(4);
    Add("C:\\Brief's.PDF", 500, EncodeDate(2024, 1, 5), 5);
    cds->SetRecNo(4);
    cds->Edit();
    groesse->Clear();
    cds->Post();
  }
  std::vector<int32_t> Filtered(const std::string& filter, TFilterOptions options = {}) {
    cds->SetFilterOptions(options);
    cds->SetFilter(filter);
    cds->SetFiltered(true);
    std::vector<int32_t> keys = Keys();
    cds->SetFiltered(false);
    return keys;
  }
};

TEST(Filter, ExpressionsSelectTheRecords) {
  TFilteredList list;
  struct Case {
    const char* filter;
    std::vector<int32_t> keys;
    TFilterOptions options;
  };
  const Case cases[] = {
      {"Sortkey = 2", {2}},
      {"Sortkey <> 2", {1, 3, 4, 5}},
      {"Sortkey != 2", {1, 3, 4, 5}},
      {"Sortkey >= 4", {4, 5}},
      {"sortkey < 2 OR Sortkey > 4", {1, 5}},
      {"(Sortkey > 1) AND (Sortkey < 4)", {2, 3}},
      {"NOT ((Sortkey = 1) OR (Groesse = NULL))", {2, 3, 5}},
      {"Groesse IS NULL", {4}},
      {"Groesse IS NOT NULL AND Groesse <= 200", {1, 2}},
      {"Groesse <> NULL", {1, 2, 3, 5}},
      {"Groesse > 150.5", {2, 3, 5}},
      {"Sortkey BETWEEN 2 AND 4", {2, 3, 4}},
      {"Sortkey NOT BETWEEN 2 AND 4", {1, 5}},
      {"Sortkey IN (1, 3, 5)", {1, 3, 5}},
      {"Sortkey NOT IN (1,3,5)", {2, 4}},
      {"Sortkey > -1", {1, 2, 3, 4, 5}},
      {"Datei LIKE '%f_.pdf'", {1, 2, 3, 4}},
      {"Datei NOT LIKE '%.pdf'", {5}},
      {"Datei LIKE '%.PDF'", {1, 2, 3, 4, 5}, {foCaseInsensitive}},
      {"[Datei] = 'C:\\Brief''s.PDF'", {5}},
      {"Datei = 'c:\\brief''s.pdf'", {5}, {foCaseInsensitive}},
      {"Datei = 'C:\\f*'", {1, 2, 3, 4}},
      {"Datei = 'C:\\f*'", {}, {foNoPartialCompare}},
      {"Datum >= '02.01.2024' AND Datum < '04.01.2024'", {2, 3}},
      {"Datum = '03.01.2024'", {3}},
      {"()", {1, 2, 3, 4, 5}},
      {"NOT ()", {}},
      {"  ", {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(list.Filtered(c.filter, c.options), c.keys) << c.filter;
}

TEST(Filter, MalformedExpressionsRaiseAndLeaveTheDatasetAsItWas) {
  TFilteredList list;
  const char* bad[] = {
      "Sortkey =",       "Sortkey = 'eins'", "Pfad = 1",        "(Sortkey = 1",   "Sortkey = 1)",
      "Datei LIKE",      "'abc",             "[Datei = 1",      "Sortkey BETWEEN 1", "Sortkey IN 1, 2",
      "Sortkey IS 1",    "Datei",            "Sortkey # 1",     "NOT Sortkey",    "Datum = 'gestern'",
  };
  list.cds->SetFiltered(true);
  list.cds->SetRecNo(3);
  for (const char* filter : bad) {
    try {
      list.cds->SetFilter(filter);
      FAIL() << "accepted: " << filter;
    } catch (const EDatabaseError& error) {
      EXPECT_EQ(error.Message().rfind("Invalid filter expression: ", 0), 0u) << error.Message();
    }
    EXPECT_EQ(list.cds->Filter(), "") << filter;
    EXPECT_EQ(list.cds->RecordCount(), 5) << filter;
  }
  // Unless the filter applies, the text is only kept.
  list.cds->SetFiltered(false);
  list.cds->SetFilter("Sortkey =");
  EXPECT_THROW(list.cds->SetFiltered(true), EDatabaseError);
  EXPECT_FALSE(list.cds->Filtered());
  EXPECT_EQ(list.cds->RecordCount(), 5);
}

TEST(Filter, DeeplyNestedExpressionIsRefusedWithoutOverflowingTheStack) {
  TFilteredList list;
  std::string deep(100000, '(');
  list.cds->SetFiltered(true);
  EXPECT_THROW(list.cds->SetFilter(deep + "Sortkey = 1"), EDatabaseError);
  std::string nots;
  for (int i = 0; i < 100000; ++i)
    nots += "NOT ";
  EXPECT_THROW(list.cds->SetFilter(nots + "Sortkey = 1"), EDatabaseError);
}

TEST(Filter, OnFilterRecordJoinsTheExpression) {
  TFilteredList list;
  list.cds->SetOnFilterRecord([&list](TDataSet*, bool& accept) { accept = list.sortkey->AsInteger() % 2 == 1; });
  list.cds->SetFilter("Sortkey > 1");
  list.cds->SetFiltered(true);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{3, 5}));
  EXPECT_EQ(list.cds->RecordCount(), 2);
  list.cds->SetFilter("");
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 3, 5}));
  list.cds->SetOnFilterRecord(nullptr);
  EXPECT_EQ(list.cds->RecordCount(), 5);

  // A handler that fails leaves the earlier one in place.
  list.cds->SetOnFilterRecord([&list](TDataSet*, bool& accept) { accept = list.sortkey->AsInteger() < 3; });
  EXPECT_THROW(list.cds->SetOnFilterRecord([](TDataSet*, bool&) { throw EDatabaseError("broken"); }),
               EDatabaseError);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 2}));
}

TEST(Filter, PostedRecordsThatDoNotPassLeaveTheView) {
  TFilteredList list;
  list.cds->SetFilter("Groesse >= 200");
  list.cds->SetFiltered(true);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{2, 3, 5}));
  db_test::TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();

  list.cds->Edit();
  list.groesse->SetAsFloat(1);
  list.cds->Post();
  EXPECT_EQ(list.cds->RecordCount(), 2);
  EXPECT_EQ(list.sortkey->AsInteger(), 3);
  list.Add("C:\\small.pdf", 1, 0, 6);
  list.Add("C:\\big.pdf", 1000, 0, 7);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{3, 5, 7}));
  const TBookmark third = list.cds->Bookmark();
  list.cds->SetFiltered(false);
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7}));
  list.cds->GotoBookmark(third);
  EXPECT_EQ(list.sortkey->AsInteger(), 3);
  EXPECT_EQ(list.cds->RecNo(), 3);
}

TEST(Filter, BooleanFieldStandsAloneAsACondition) {
  TScopedLocale locale("de-DE");
  TClientDataSet cds(nullptr);
  cds.FieldDefs().Add("Key", ftInteger);
  cds.FieldDefs().Add("Printed", ftBoolean);
  cds.CreateDataSet();
  for (int i = 1; i <= 4; ++i) {
    cds.Append();
    cds.FieldByName("Key")->SetAsInteger(i);
    if (i != 4)
      cds.FieldByName("Printed")->SetAsBoolean(i % 2 == 0);
    cds.Post();
  }
  cds.SetFilter("Printed OR Key = 1");
  cds.SetFiltered(true);
  std::vector<int32_t> keys;
  for (cds.First(); !cds.Eof(); cds.Next())
    keys.push_back(cds.FieldByName("Key")->AsInteger());
  EXPECT_EQ(keys, (std::vector<int32_t>{1, 2}));
  cds.SetFilter("Printed = FALSE");
  EXPECT_EQ(cds.RecordCount(), 2);
}

}  // namespace
