#include <gtest/gtest.h>

#include <vector>

#include "platform/db/db_errors.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;

TEST(Bookmarks, SurviveInsertsAndDeletesOfOtherRecords) {
  TFileList list;
  list.AddRows(5);
  list.cds->SetRecNo(4);
  const TBookmark fourth = list.cds->GetBookmark();
  list.cds->SetRecNo(2);
  const TBookmark second = list.cds->GetBookmark();

  list.cds->First();
  list.cds->Delete();
  list.cds->Insert();
  list.sortkey->SetAsInteger(100);
  list.cds->Post();
  list.cds->Last();
  list.cds->Delete();

  list.cds->GotoBookmark(fourth);
  EXPECT_EQ(list.sortkey->AsInteger(), 4);
  EXPECT_EQ(list.cds->RecNo(), 4);
  list.cds->GotoBookmark(second);
  EXPECT_EQ(list.sortkey->AsInteger(), 2);
  EXPECT_TRUE(list.cds->BookmarkValid(fourth));
  EXPECT_LT(list.cds->CompareBookmarks(second, fourth), 0);
  EXPECT_GT(list.cds->CompareBookmarks(fourth, second), 0);
  EXPECT_EQ(list.cds->CompareBookmarks(fourth, fourth), 0);
  EXPECT_LT(list.cds->CompareBookmarks(TBookmark(), fourth), 0);
  EXPECT_EQ(list.cds->CompareBookmarks(TBookmark(), TBookmark()), 0);
}

TEST(Bookmarks, OfADeletedRecordIsInvalidAndCannotBeGone) {
  TFileList list;
  list.AddRows(3);
  list.cds->SetRecNo(2);
  const TBookmark bookmark = list.cds->Bookmark();
  list.cds->Delete();
  EXPECT_FALSE(list.cds->BookmarkValid(bookmark));
  try {
    list.cds->GotoBookmark(bookmark);
    FAIL() << "went to a deleted record";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsDateien: Record not found");
  }
  EXPECT_EQ(list.sortkey->AsInteger(), 3);

  // Emptying starts new ids: old bookmarks never point at new records.
  list.cds->First();
  const TBookmark first = list.cds->Bookmark();
  list.cds->EmptyDataSet();
  list.AddRows(3);
  EXPECT_FALSE(list.cds->BookmarkValid(first));
  EXPECT_THROW(list.cds->GotoBookmark(first), EDatabaseError);
}

TEST(Bookmarks, OfAnotherDatasetOrMalformedRaise) {
  TFileList list;
  TFileList other;
  list.AddRows(2);
  other.AddRows(2);
  const TBookmark foreign = other.cds->Bookmark();
  EXPECT_FALSE(list.cds->BookmarkValid(foreign));
  try {
    list.cds->GotoBookmark(foreign);
    FAIL() << "went to another dataset's bookmark";
  } catch (const EDatabaseError& error) {
    EXPECT_EQ(error.Message(), "cdsDateien: Bookmark belongs to another dataset");
  }
  EXPECT_THROW(list.cds->GotoBookmark("garbage"), EDatabaseError);
  EXPECT_THROW(list.cds->CompareBookmarks(foreign, list.cds->Bookmark()), EDatabaseError);
  EXPECT_FALSE(list.cds->BookmarkValid("garbage"));
  // An empty bookmark goes nowhere.
  list.cds->GotoBookmark(TBookmark());
  EXPECT_EQ(list.cds->RecNo(), 2);
}

TEST(Bookmarks, EmptyWithoutARecordOrWhileInserting) {
  TFileList list;
  EXPECT_TRUE(list.cds->Bookmark().empty());
  list.cds->Append();
  EXPECT_TRUE(list.cds->Bookmark().empty());
  list.cds->Cancel();
  list.cds->Close();
  EXPECT_TRUE(list.cds->Bookmark().empty());
  EXPECT_FALSE(list.cds->BookmarkValid("0123456789abcdef"));
}

TEST(Bookmarks, ScrollToTheMarkedRecordWithTheDistanceMoved) {
  TFileList list;
  list.AddRows(6);
  list.cds->SetRecNo(5);
  const TBookmark fifth = list.cds->Bookmark();
  list.cds->First();
  db_test::TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  list.cds->GotoBookmark(fifth);
  EXPECT_EQ(link.Take(), (std::vector<std::string>{"check", "scrolled 4"}));
}

}  // namespace
