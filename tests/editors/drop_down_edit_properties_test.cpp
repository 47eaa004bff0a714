#include "editors/drop_down_edit_properties.h"

#include <gtest/gtest.h>

namespace drop_down_edit_properties_test {

struct ChangeCounter {
  explicit ChangeCounter(TlxCustomEditProperties& properties) {
    properties.SetOwnerChangedHandler([this](TlxCustomEditProperties*) { ++calls; });
  }
  int calls = 0;
};

TEST(DropDownEditPropertiesTest, StartsWithOneDropDownButtonAndTheBaseDefaults) {
  TlxCustomDropDownEditProperties properties(nullptr);
  ASSERT_EQ(properties.Buttons()->Count(), 1);
  EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkDown);
  EXPECT_TRUE(properties.ImmediateDropDown());
  EXPECT_FALSE(properties.ImmediatePopup());
  EXPECT_TRUE(properties.PopupAutoSize());
  EXPECT_EQ(properties.PopupDirection(), podVertical);
  EXPECT_EQ(properties.PopupAlignment(), taLeftJustify);
  EXPECT_EQ(properties.PopupVertAlignment(), pvaBottom);
  EXPECT_TRUE(properties.ShowsLookupListInPopup());
  EXPECT_TRUE(properties.PopupAdjustsToWorkArea());
  EXPECT_FALSE(properties.PopupCapturesFocus());
}

TEST(DropDownEditPropertiesTest, SizesClampToTheirMinimumsAndNeverGoNegative) {
  struct Case {
    int32_t min_width;
    int32_t width;
    int32_t expected_min;
    int32_t expected_width;
  };
  const Case cases[] = {
      {100, 50, 100, 100},  // a positive width is at least the minimum
      {100, 0, 100, 0},     // 0 means as wide as the editor
      {-5, 30, 0, 30},      // a negative minimum becomes 0
      {0, -7, 0, 0},        // a negative width becomes 0
      {40, 250, 40, 250},
  };
  for (const Case& c : cases) {
    TlxCustomDropDownEditProperties properties(nullptr);
    properties.SetPopupMinWidth(c.min_width);
    properties.SetPopupWidth(c.width);
    EXPECT_EQ(properties.PopupMinWidth(), c.expected_min) << c.min_width << " " << c.width;
    EXPECT_EQ(properties.PopupWidth(), c.expected_width) << c.min_width << " " << c.width;
    properties.SetPopupMinHeight(c.min_width);
    properties.SetPopupHeight(c.width);
    EXPECT_EQ(properties.PopupMinHeight(), c.expected_min);
    EXPECT_EQ(properties.PopupHeight(), c.expected_width);
  }
  // A larger minimum set later applies to the stored size again.
  TlxCustomDropDownEditProperties properties(nullptr);
  properties.SetPopupWidth(80);
  properties.SetPopupMinWidth(120);
  EXPECT_EQ(properties.PopupWidth(), 120);
}

TEST(DropDownEditPropertiesTest, FlagsAndAlignmentNotifyOnlyOnNewValuesSizesNever) {
  TlxCustomDropDownEditProperties properties(nullptr);
  ChangeCounter changes(properties);
  properties.SetImmediateDropDown(true);
  EXPECT_EQ(changes.calls, 0);
  properties.SetImmediateDropDown(false);
  properties.SetPopupSizeable(true);
  properties.SetPopupSysPanelStyle(true);
  properties.SetPopupAlignment(taRightJustify);
  EXPECT_EQ(changes.calls, 4);
  EXPECT_EQ(properties.PopupHorzAlignment(), phaRight);
  properties.SetPopupAlignment(taRightJustify);
  properties.SetPopupWidth(300);
  properties.SetPopupMinHeight(20);
  EXPECT_EQ(changes.calls, 4);
}

TEST(DropDownEditPropertiesTest, AssignCopiesSettingsAndEventsButNotTheFinalizeNotification) {
  TlxCustomDropDownEditProperties source(nullptr);
  source.SetImmediateDropDown(false);
  source.SetImmediatePopup(true);
  source.SetPopupAutoSize(false);
  source.SetPopupClientEdge(true);
  source.SetPopupMinHeight(50);
  source.SetPopupHeight(120);
  source.SetPopupMinWidth(60);
  source.SetPopupWidth(70);
  source.SetPopupSizeable(true);
  source.SetPopupSysPanelStyle(true);
  source.SetPopupAlignment(taCenter);
  source.SetPostPopupValueOnTab(true);
  int closed = 0;
  source.OnCloseUp = [&](TObject*) { ++closed; };
  source.OnFinalizePopup = [](TObject*) {};

  TlxCustomDropDownEditProperties target(nullptr);
  target.SetPopupMinHeight(200);  // the height is clamped by the present minimum first
  target.Assign(&source);
  EXPECT_FALSE(target.ImmediateDropDown());
  EXPECT_TRUE(target.ImmediatePopup());
  EXPECT_FALSE(target.PopupAutoSize());
  EXPECT_TRUE(target.PopupClientEdge());
  EXPECT_EQ(target.PopupMinHeight(), 50);
  EXPECT_EQ(target.PopupHeight(), 200);
  EXPECT_EQ(target.PopupMinWidth(), 60);
  EXPECT_EQ(target.PopupWidth(), 70);
  EXPECT_TRUE(target.PopupSizeable());
  EXPECT_TRUE(target.PopupSysPanelStyle());
  EXPECT_EQ(target.PopupAlignment(), taCenter);
  EXPECT_TRUE(target.PostPopupValueOnTab());
  ASSERT_TRUE(target.OnCloseUp);
  target.OnCloseUp(nullptr);
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(target.OnFinalizePopup);
}

TEST(DropDownEditPropertiesTest, CloseReasonsThatAcceptThePopupsChoice) {
  EXPECT_FALSE(lxCloseUpReasonAccepts(crUnknown));
  EXPECT_TRUE(lxCloseUpReasonAccepts(crTab));
  EXPECT_TRUE(lxCloseUpReasonAccepts(crClose));
  EXPECT_FALSE(lxCloseUpReasonAccepts(crCancel));
  EXPECT_TRUE(lxCloseUpReasonAccepts(crEnter));
}

}  // namespace drop_down_edit_properties_test
