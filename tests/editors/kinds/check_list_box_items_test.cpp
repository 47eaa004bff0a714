#include "editors/kinds/check_list_box_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/kinds/check_list_box_layout.h"

namespace {

// Records what the items ask of the list box that shows them.
class RecordingHost : public IlxCheckListBoxItemsHost {
 public:
  TlxCheckStatesValueFormat CheckItemsValueFormat() const override { return format; }
  void CheckItemStateChanged(int32_t index) override { redrawn_checks.push_back(index); }
  void CheckItemsStatesToEditValue() override { ++values_made; }
  void CheckItemTextChanged(int32_t index, const std::string& text) override {
    replaced_lines.push_back(std::to_string(index) + ":" + text);
  }
  void CheckItemsUpdated(TCollectionItem* item) override { updates.push_back(item); }

  TlxCheckStatesValueFormat format = cvfCaptions;
  std::vector<int32_t> redrawn_checks;
  int32_t values_made = 0;
  std::vector<std::string> replaced_lines;
  std::vector<TCollectionItem*> updates;
};

class CheckListItemsTest : public ::testing::Test {
 protected:
  CheckListItemsTest() {
    for (const char* text : {"Äpfel", "Birnen", "Kirschen"})
      items.Add()->SetText(text);
    host.updates.clear();
    host.replaced_lines.clear();
  }

  RecordingHost host;
  TlxCheckListBoxItems items{nullptr, &host};
};

TEST_F(CheckListItemsTest, AStateChangeRedrawsItsCheckAndMakesTheValueUnlessLocked) {
  items.GetItem(1)->SetState(cbsChecked);
  EXPECT_EQ(host.redrawn_checks, std::vector<int32_t>{1});
  EXPECT_EQ(host.values_made, 1);
  // The same state again does nothing.
  items.GetItem(1)->SetChecked(true);
  EXPECT_EQ(host.values_made, 1);

  {
    TlxCheckStatesLock lock(items, false);
    items.GetItem(0)->SetState(cbsGrayed);
    items.GetItem(2)->SetState(cbsChecked);
  }
  EXPECT_EQ(host.values_made, 1);
  EXPECT_EQ(host.redrawn_checks, (std::vector<int32_t>{1, 0, 2}));
  EXPECT_TRUE(host.updates.empty());

  // A notifying unlock reports one change of the whole collection, and only
  // the outermost unlock does.
  items.LockStates(true, false);
  items.LockStates(true, false);
  items.LockStates(false, true);
  EXPECT_TRUE(host.updates.empty());
  items.LockStates(false, true);
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0], nullptr);
  // An unlock without a lock is ignored.
  items.LockStates(false, true);
  EXPECT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(items.StateLock(), 0);
}

TEST_F(CheckListItemsTest, AnIntegerValueFormatHasNoGrayedState) {
  host.format = cvfInteger;
  items.GetItem(0)->SetState(cbsGrayed);
  EXPECT_EQ(items.GetItem(0)->State(), cbsUnchecked);
  EXPECT_TRUE(host.redrawn_checks.empty());
  host.format = cvfStatesString;
  items.GetItem(0)->SetState(cbsGrayed);
  EXPECT_EQ(items.GetItem(0)->State(), cbsGrayed);
}

TEST_F(CheckListItemsTest, TextChangesReplaceTheLineOnlyWhenTheTextDiffersAndNoUpdateIsOpen) {
  items.GetItem(1)->SetText("Birnen");
  EXPECT_TRUE(host.replaced_lines.empty());
  EXPECT_TRUE(host.updates.empty());
  // Another case is another text.
  items.GetItem(1)->SetText("birnen");
  EXPECT_EQ(host.replaced_lines, std::vector<std::string>{"1:birnen"});
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0], items.GetItem(1));

  host.updates.clear();
  host.replaced_lines.clear();
  {
    TUpdateScope update(items);
    items.GetItem(2)->SetText("Pflaumen");
  }
  EXPECT_TRUE(host.replaced_lines.empty());
  ASSERT_EQ(host.updates.size(), 1u);
  EXPECT_EQ(host.updates[0], nullptr);
  EXPECT_EQ(items.GetItem(2)->Text(), "Pflaumen");
}

TEST_F(CheckListItemsTest, LookUpsByTextIgnoreCaseAndByObjectFindTheFirst) {
  EXPECT_EQ(items.IndexOfText("äPFEL"), 0);
  EXPECT_EQ(items.IndexOfText("kirschen"), 2);
  EXPECT_EQ(items.IndexOfText("Kirsche"), -1);
  TObject marker;
  items.GetItem(2)->SetItemObject(&marker);
  items.Add()->SetItemObject(&marker);
  EXPECT_EQ(items.IndexOfItemObject(&marker), 2);
  EXPECT_EQ(items.IndexOfItemObject(nullptr), 0);
  EXPECT_EQ(items.GetItemObject(2), &marker);
}

TEST_F(CheckListItemsTest, AssignCopiesEveryFieldAndDisplayNameFallsBackForAnEmptyText) {
  TlxCheckListBoxItem* source = items.GetItem(0);
  TObject marker;
  source->SetEnabled(false);
  source->SetImageIndex(4);
  source->SetItemObject(&marker);
  source->SetState(cbsGrayed);
  source->SetTag(17);
  TlxCheckListBoxItems other(nullptr, nullptr);
  TlxCheckListBoxItem* copy = other.Add();
  EXPECT_NE(copy->DisplayName(), "");
  copy->Assign(source);
  EXPECT_EQ(copy->Text(), "Äpfel");
  EXPECT_FALSE(copy->Enabled());
  EXPECT_EQ(copy->ImageIndex(), 4);
  EXPECT_EQ(copy->ItemObject(), &marker);
  EXPECT_EQ(copy->State(), cbsGrayed);
  EXPECT_EQ(copy->Tag(), 17);
  EXPECT_EQ(copy->DisplayName(), "Äpfel");
  // The collection is the item source of the value formats.
  const IlxCheckStateItemSource& source_list = items;
  EXPECT_EQ(source_list.GetCheckItemCount(), 3);
  EXPECT_EQ(source_list.GetCheckItemCaption(1), "Birnen");
}

TEST(CheckListStateCycle, GrayedOnlyWithAllowGrayedAndAFormatThatHoldsIt) {
  struct Case {
    TlxCheckBoxState from;
    bool allow_grayed;
    TlxCheckStatesValueFormat format;
    TlxCheckBoxState to;
  };
  const Case cases[] = {
      {cbsUnchecked, true, cvfCaptions, cbsGrayed},  {cbsGrayed, true, cvfCaptions, cbsChecked},
      {cbsChecked, true, cvfCaptions, cbsUnchecked}, {cbsUnchecked, false, cvfCaptions, cbsChecked},
      {cbsUnchecked, true, cvfInteger, cbsChecked},  {cbsUnchecked, true, cvfStatesString, cbsGrayed},
      {cbsGrayed, false, cvfIndices, cbsChecked},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxNextCheckListState(c.from, c.allow_grayed, c.format), c.to)
        << int(c.from) << " " << c.allow_grayed << " " << int(c.format);
}

TEST(CheckListLayout, AreaWidthRowHeightAndTheRectanglesOfCheckAndImage) {
  TlxCheckListBoxGeometry geometry;
  geometry.CheckSize = TSize(13, 13);
  geometry.CheckGlyphBorder = 2;
  // Margin 0 + gap 1 + check 13 - 4 + 2.
  EXPECT_EQ(lxCheckListAreaWidth(geometry), 12);
  EXPECT_EQ(lxCheckListItemHeight(geometry, 8), 13);
  EXPECT_EQ(lxCheckListItemHeight(geometry, 16), 16);
  const TRect row(0, 20, 100, 38);
  // 9 x 9 centred in 18 rows: top 20 + 4; one pixel in from the left.
  EXPECT_EQ(lxCheckListCheckRect(geometry, row, false), TRect(1, 24, 10, 33));
  EXPECT_EQ(lxCheckListCheckRect(geometry, row, true), TRect(-1, 22, 12, 35));
  EXPECT_EQ(lxCheckListTextPart(geometry, row), TRect(12, 20, 100, 38));
  EXPECT_EQ(lxCheckListWholeRow(geometry, lxCheckListTextPart(geometry, row)), row);

  // Images of 16 x 16 before the checks push the check right by 18.
  geometry.HasImages = true;
  geometry.ImageSize = TSize(16, 16);
  EXPECT_EQ(lxCheckListAreaWidth(geometry), 30);
  EXPECT_EQ(lxCheckListItemHeight(geometry, 8), 18);
  EXPECT_EQ(lxCheckListCheckRect(geometry, row, false).Left, 19);
  EXPECT_EQ(lxCheckListImageRect(geometry, row), TRect(1, 21, 17, 37));
  // After the checks the image follows the check part.
  geometry.ImagesBeforeChecks = false;
  EXPECT_EQ(lxCheckListCheckRect(geometry, row, false).Left, 1);
  EXPECT_EQ(lxCheckListImageRect(geometry, row).Left, 12);

  // Without checks nothing but the image and the gap stands before the text.
  geometry.ShowChecks = false;
  EXPECT_TRUE(lxCheckListCheckRect(geometry, row, true).IsEmpty());
  EXPECT_EQ(lxCheckListAreaWidth(geometry), 19);
  EXPECT_EQ(lxCheckListImageRect(geometry, row).Left, 1);

  // Right-to-left reading mirrors the parts.
  TlxCheckListBoxGeometry mirrored;
  mirrored.CheckSize = TSize(13, 13);
  mirrored.CheckGlyphBorder = 2;
  mirrored.RightToLeft = true;
  EXPECT_EQ(lxCheckListCheckRect(mirrored, row, false), TRect(90, 24, 99, 33));
  EXPECT_EQ(lxCheckListTextPart(mirrored, row), TRect(0, 20, 88, 38));
}

}  // namespace
