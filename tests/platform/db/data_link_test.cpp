#include "platform/db/data_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/db_errors.h"
#include "tests/platform/db/file_list.h"

namespace {

using db_test::TFileList;
using db_test::TRecordingLink;
using Log = std::vector<std::string>;

TEST(DataLinkNotifications, FollowAppendPostDeleteAndEmpty) {
  TFileList list;
  TRecordingLink link;
  link.SetDataSource(list.source);
  EXPECT_EQ(link.Take(), Log{"active"});
  EXPECT_EQ(link.DataSet(), list.cds);

  list.cds->Append();
  EXPECT_EQ(link.Take(), (Log{"check", "editing", "changed"}));
  EXPECT_TRUE(link.Editing());
  list.datei->SetAsString("C:\\a.pdf");
  list.sortkey->SetAsInteger(1);
  EXPECT_EQ(link.Take(), (Log{"record Datei", "record Sortkey"}));
  list.cds->Post();
  EXPECT_EQ(link.Take(), (Log{"update", "check", "browsing", "changed"}));

  list.Add("C:\\b.pdf", 2, 0, 2);
  link.Take();
  list.cds->First();
  EXPECT_EQ(link.Take(), (Log{"check", "scrolled -1"}));
  list.cds->Next();
  EXPECT_EQ(link.Take(), (Log{"check", "scrolled 1"}));
  list.cds->Next();  // at the end: nothing moves
  EXPECT_EQ(link.Take(), Log{"check"});

  list.cds->Edit();
  EXPECT_EQ(link.Take(), (Log{"check", "editing", "record"}));
  list.cds->Cancel();
  EXPECT_EQ(link.Take(), (Log{"check", "browsing", "changed"}));

  list.cds->Delete();
  EXPECT_EQ(link.Take(), (Log{"check", "changed"}));
  list.cds->EmptyDataSet();
  EXPECT_EQ(link.Take(), Log{"changed"});
  EXPECT_EQ(list.cds->RecordCount(), 0);

  list.cds->Close();
  EXPECT_EQ(link.Take(), Log{"inactive"});
  EXPECT_FALSE(link.Active());
}

TEST(DataLinkNotifications, DisableControlsHoldsThemBackUntilTheLastEnable) {
  TFileList list;
  list.AddRows(3);
  TRecordingLink link;
  link.SetDataSource(list.source);
  int changes = 0;
  list.source->OnDataChange = [&changes](TObject*, TField*) { ++changes; };
  link.Take();

  list.cds->DisableControls();
  list.cds->DisableControls();
  EXPECT_TRUE(list.cds->ControlsDisabled());
  list.Add("C:\\x.pdf", 1, 0, 4);
  list.cds->First();
  list.cds->Delete();
  list.cds->EnableControls();
  EXPECT_TRUE(link.Take().empty());
  list.cds->EnableControls();
  EXPECT_FALSE(list.cds->ControlsDisabled());
  EXPECT_EQ(link.Take(), Log{"changed"});
  EXPECT_EQ(changes, 1);

  // A state left different from the one at the first disable is reported
  // before the one data-set change.
  list.cds->DisableControls();
  list.cds->Edit();
  list.cds->EnableControls();
  EXPECT_EQ(link.Take(), (Log{"editing", "changed"}));
  list.cds->Cancel();
  link.Take();

  // Closing inside the bracket leaves only the state change.
  list.cds->DisableControls();
  list.cds->Close();
  list.cds->EnableControls();
  EXPECT_EQ(link.Take(), Log{"inactive"});
  // An unbalanced enable does nothing.
  list.cds->EnableControls();
  EXPECT_TRUE(link.Take().empty());
}

TEST(DataLinkNotifications, UpdateDataWritesWithoutEchoToTheWritingLink) {
  TFileList list;
  list.AddRows(1);
  TRecordingLink editor;
  TRecordingLink viewer;
  editor.SetDataSource(list.source);
  viewer.SetDataSource(list.source);
  editor.edited_field = list.datei;
  editor.edited_text = "C:\\typed.pdf";
  ASSERT_TRUE(editor.Edit());
  editor.Take();
  viewer.Take();
  list.cds->Post();
  EXPECT_EQ(editor.Take(), (Log{"update", "check", "browsing", "changed"}));
  EXPECT_EQ(viewer.Take(), (Log{"record Datei", "update", "check", "browsing", "changed"}));
  EXPECT_EQ(list.datei->AsString(), "C:\\typed.pdf");
}

TEST(DataLinkNotifications, FocusControlStopsAtTheLinkThatTakesIt) {
  TFileList list;
  list.AddRows(1);
  TRecordingLink first;
  TRecordingLink second;
  first.SetDataSource(list.source);
  second.SetDataSource(list.source);
  first.Take();
  second.Take();
  list.groesse->FocusControl();
  EXPECT_EQ(first.Take(), Log{"focus Groesse"});
  EXPECT_EQ(second.Take(), Log{"focus Groesse"});
  first.consume_focus = true;
  list.groesse->FocusControl();
  EXPECT_EQ(first.Take(), Log{"focus Groesse"});
  EXPECT_TRUE(second.Take().empty());
}

TEST(DataLinkNotifications, FieldPresentationChangesAreLayoutChanges) {
  TFileList list;
  TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  list.groesse->SetDisplayFormat("0,.###");
  list.datum->SetDisplayLabel("Geändert");
  list.datum->SetDisplayLabel("Geändert");  // the same text: no change
  list.datum->SetVisible(false);
  EXPECT_EQ(link.Take(), (Log{"layout", "layout", "layout"}));
  EXPECT_EQ(list.datum->DisplayName(), "Geändert");
}

TEST(DataLinkNotifications, DisabledOrDetachedSourceMakesTheLinkInactive) {
  TFileList list;
  TRecordingLink link;
  int state_changes = 0;
  list.source->OnStateChange = [&state_changes](TObject*) { ++state_changes; };
  link.SetDataSource(list.source);
  list.source->SetEnabled(false);
  EXPECT_EQ(list.source->State(), dsInactive);
  list.source->SetEnabled(true);
  link.SetDataSource(nullptr);
  EXPECT_EQ(link.Take(), (Log{"active", "inactive", "active", "inactive"}));
  EXPECT_EQ(state_changes, 2);

  link.SetDataSource(list.source);
  link.Take();
  delete list.source;
  list.source = nullptr;
  EXPECT_EQ(link.Take(), Log{"inactive"});
  EXPECT_EQ(link.DataSource(), nullptr);
}

TEST(DataLinkNotifications, SwitchingBetweenOpenDatasetsReachesTheLinks) {
  TFileList first;
  TFileList second;
  first.AddRows(2);
  second.AddRows(5);
  TRecordingLink link;
  link.SetDataSource(first.source);
  first.source->SetDataSet(second.cds);
  EXPECT_EQ(link.Take(), (Log{"active", "inactive", "active"}));
  EXPECT_EQ(link.DataSet(), second.cds);
  second.cds->First();
  EXPECT_EQ(link.Take(), (Log{"check", "scrolled -4"}));
  EXPECT_TRUE(first.cds->Active());
}

TEST(DataLinkNotifications, DestroyedDatasetTurnsTheLinksInactive) {
  TFileList list;
  TRecordingLink link;
  link.SetDataSource(list.source);
  link.Take();
  delete list.cds;
  list.cds = nullptr;
  EXPECT_EQ(link.Take(), Log{"inactive"});
  EXPECT_EQ(list.source->DataSet(), nullptr);
}

// A link that copies every row whenever the data changes, walking the
// dataset inside DisableControls and returning to the record it was on,
// as the grid's data controller does.
class TLoadingLink : public TDataLink {
 public:
  explicit TLoadingLink(TFileList& list) : list_(list) {}
  ~TLoadingLink() override { SetDataSource(nullptr); }

  std::vector<int32_t> keys;
  int loads = 0;
  int ignored = 0;

 protected:
  void ActiveChanged() override {
    if (Active())
      Load();
  }
  void DataSetChanged() override {
    if (State() == dsInsert)
      return;
    Load();
  }

 private:
  TDataSetState State() const { return DataSet()->State(); }
  void Load() {
    if (loading_) {
      // The enable at the end of the walk reports the walk itself.
      ++ignored;
      return;
    }
    loading_ = true;
    ++loads;
    TDataSet& dataset = *DataSet();
    dataset.DisableControls();
    const TBookmark bookmark = dataset.Bookmark();
    keys.clear();
    for (dataset.First(); !dataset.Eof(); dataset.Next())
      keys.push_back(list_.sortkey->AsInteger());
    if (!bookmark.empty())
      dataset.GotoBookmark(bookmark);
    dataset.EnableControls();
    loading_ = false;
  }

  TFileList& list_;
  bool loading_ = false;
};

TEST(DataLinkLoading, ReloadsOncePerChangeAndReturnsToTheRecord) {
  TFileList list;
  list.AddRows(4);
  list.cds->SetRecNo(3);
  TLoadingLink link(list);
  link.SetDataSource(list.source);
  EXPECT_EQ(link.loads, 1);
  EXPECT_EQ(link.ignored, 1);
  EXPECT_EQ(link.keys, (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(list.sortkey->AsInteger(), 3);

  list.Add("C:\\e.pdf", 5, 0, 5);
  EXPECT_EQ(link.loads, 2);
  EXPECT_EQ(link.keys.size(), 5u);

  list.cds->DisableControls();
  for (int32_t key = 6; key <= 8; ++key)
    list.Add("C:\\more.pdf", 1, 0, key);
  list.cds->First();
  list.cds->Delete();
  list.cds->EnableControls();
  EXPECT_EQ(link.loads, 3);
  EXPECT_EQ(link.keys, (std::vector<int32_t>{2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(list.sortkey->AsInteger(), 2);

  list.cds->EmptyDataSet();
  EXPECT_EQ(link.loads, 4);
  EXPECT_TRUE(link.keys.empty());
}

TEST(DataLinkWindow, KeepsTheCursorInsideAWindowOfBufferCountRecords) {
  TFileList list;
  list.AddRows(10);
  list.cds->First();
  TRecordingLink link;
  link.SetDataSource(list.source);
  link.SetBufferCount(3);
  link.Take();
  EXPECT_EQ(link.RecordCount(), 3);
  EXPECT_EQ(link.ActiveRecord(), 0);

  struct Step {
    int move;
    std::string logged;
    int active_record;
  };
  const Step steps[] = {
      {1, "scrolled 0", 1}, {1, "scrolled 0", 2}, {1, "scrolled 1", 2}, {-2, "scrolled 0", 0}, {-1, "scrolled -1", 0},
  };
  for (const Step& step : steps) {
    list.cds->MoveBy(step.move);
    EXPECT_EQ(link.Take(), (Log{"check", step.logged})) << "move " << step.move;
    EXPECT_EQ(link.ActiveRecord(), step.active_record) << "move " << step.move;
  }

  list.cds->Last();
  EXPECT_EQ(link.Take(), (Log{"check", "scrolled 7"}));
  EXPECT_EQ(link.ActiveRecord(), 2);
  EXPECT_EQ(link.RecordCount(), 3);

  // The window's records can be read without moving the cursor.
  link.SetActiveRecord(0);
  EXPECT_EQ(list.sortkey->AsInteger(), 8);
  link.SetActiveRecord(2);
  EXPECT_EQ(list.sortkey->AsInteger(), 10);
  EXPECT_EQ(list.cds->RecNo(), 10);
  EXPECT_TRUE(link.Take().empty());

  link.SetBufferCount(0);
  EXPECT_EQ(link.BufferCount(), 1);
  EXPECT_EQ(link.RecordCount(), 1);
}

TEST(DataLinkWindow, ShowsTheRecordBeingInsertedInItsPlace) {
  TFileList list;
  list.AddRows(3);
  TRecordingLink link;
  link.SetDataSource(list.source);
  link.SetBufferCount(5);
  list.cds->SetRecNo(2);
  list.cds->Insert();
  list.sortkey->SetAsInteger(42);
  EXPECT_EQ(link.RecordCount(), 4);
  EXPECT_EQ(link.ActiveRecord(), 1);
  const int32_t expected[] = {1, 42, 2, 3};
  for (int32_t i = 0; i < 4; ++i) {
    link.SetActiveRecord(i);
    EXPECT_EQ(list.sortkey->AsInteger(), expected[i]) << "row " << i;
  }
  link.SetActiveRecord(1);
  list.cds->Post();
  EXPECT_EQ(list.Keys(), (std::vector<int32_t>{1, 42, 2, 3}));
}

TEST(DataLinkWindow, EditAsksTheDataSourceUnlessReadOnly) {
  TFileList list;
  list.AddRows(1);
  TRecordingLink link;
  link.SetDataSource(list.source);
  link.SetReadOnly(true);
  EXPECT_FALSE(link.Edit());
  EXPECT_EQ(list.cds->State(), dsBrowse);
  link.SetReadOnly(false);
  list.source->SetAutoEdit(false);
  EXPECT_FALSE(link.Edit());
  list.source->SetAutoEdit(true);
  EXPECT_TRUE(link.Edit());
  EXPECT_EQ(list.cds->State(), dsEdit);
}

}  // namespace
