#include "editors/kinds/filter_builder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/typed_stream.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"
#include "tests/editors/kinds/filter_builder_fixture.h"

namespace {

using filter_builder_test::TBuilderFixture;
using filter_builder_test::TCellMeasurer;
using filter_builder_test::TItem;

class FilterBuilderTest : public ::testing::Test, public TBuilderFixture {
 protected:
  TlxConditionViewInfo& ConditionAt(int32_t row) {
    return dynamic_cast<TlxConditionViewInfo&>(*builder.RowList().at(static_cast<size_t>(row)));
  }
  // Root, "Name like", an AND group holding "Art in (x, y)".
  void BuildTwoLevels() {
    TlxFilterCriteriaItemList& root = link.criteria->Root();
    link.criteria->AddItem(&root, name, fokLike, Variant("a%"), "a%");
    TlxFilterCriteriaItemList* group = root.AddSubList(fbkAnd);
    link.criteria->AddItem(group, art, fokInList, VarArrayOf({Variant("x"), Variant("y")}), "x;y");
    builder.SetLink(&link);
  }
  std::vector<uint8_t> CriteriaBytes() {
    TMemoryStream stream;
    builder.Criteria().WriteToStream(stream);
    return stream.Bytes();
  }
};

TEST_F(FilterBuilderTest, FocusMovesThroughEveryElementAndTheFooter) {
  BuildTwoLevels();
  enum Move { kTab, kShiftTab, kLeft, kRight, kUp, kDown };
  struct Step {
    Move move;
    int32_t row;  // index in the row list; -1 for the footer
    uint8_t kind;
    int32_t operand;
  };
  const Step steps[] = {
      {kTab, 1, fhkRowButton, -1},     {kTab, 1, fhkItem, -1},          {kTab, 1, fhkOperator, -1},
      {kTab, 1, fhkOperand, 0},        {kTab, 2, fhkRowButton, -1},     {kTab, 2, fhkBoolOperator, -1},
      {kTab, 3, fhkRowButton, -1},     {kTab, 3, fhkItem, -1},          {kTab, 3, fhkOperator, -1},
      {kTab, 3, fhkOperand, 0},        {kTab, 3, fhkOperand, 1},        {kTab, 3, fhkAddValue, 1},
      {kTab, -1, fhkFooterButton, -1}, {kTab, -1, fhkFooterButton, -1}, {kShiftTab, 3, fhkAddValue, 1},
      {kShiftTab, 3, fhkOperand, 1},   {kShiftTab, 3, fhkOperand, 0},   {kShiftTab, 3, fhkOperator, -1},
      {kLeft, 3, fhkItem, -1},         {kLeft, 3, fhkRowButton, -1},    {kLeft, 3, fhkRowButton, -1},
      {kShiftTab, 2, fhkBoolOperator, -1}, {kUp, 1, fhkItem, -1},       {kRight, 1, fhkOperator, -1},
      {kDown, 2, fhkBoolOperator, -1}, {kDown, 3, fhkItem, -1},         {kDown, -1, fhkFooterButton, -1},
      {kUp, 3, fhkItem, -1},           {kDown, -1, fhkFooterButton, -1}, {kRight, 3, fhkItem, -1},
      {kUp, 2, fhkBoolOperator, -1},   {kUp, 1, fhkItem, -1},           {kUp, 0, fhkBoolOperator, -1},
      {kUp, 0, fhkBoolOperator, -1},
  };
  ASSERT_EQ(builder.FocusedInfo.Kind, fhkBoolOperator);
  int step_number = 0;
  for (const Step& step : steps) {
    switch (step.move) {
      case kTab: builder.FocusNext(true); break;
      case kShiftTab: builder.FocusPrev(true); break;
      case kLeft: builder.FocusPrev(false); break;
      case kRight: builder.FocusNext(false); break;
      case kUp: builder.FocusUp(false); break;
      case kDown: builder.FocusDown(false); break;
    }
    ++step_number;
    EXPECT_EQ(builder.FocusedInfo.Kind, step.kind) << "step " << step_number;
    if (step.row >= 0) {
      EXPECT_EQ(builder.FocusedInfo.Row, builder.RowList()[static_cast<size_t>(step.row)]) << "step " << step_number;
    }
    if (step.kind == fhkOperand || step.kind == fhkAddValue) {
      EXPECT_EQ(builder.FocusedInfo.OperandIndex, step.operand) << "step " << step_number;
    }
  }
}

TEST_F(FilterBuilderTest, RemovingTheOnlyConditionOfNestedGroupsRemovesThem) {
  TlxFilterCriteriaItemList& root = link.criteria->Root();
  link.criteria->AddItem(&root, name, fokEqual, Variant("a"), "a");
  TlxFilterCriteriaItemList* outer = root.AddSubList(fbkOr);
  TlxFilterCriteriaItemList* inner = outer->AddSubList(fbkAnd);
  link.criteria->AddItem(inner, size, fokEqual, Variant(1), "1");
  builder.SetLink(&link);
  ASSERT_EQ(builder.RowList().size(), 5u);
  builder.FocusedInfo.Row = builder.RowList()[4];
  builder.SetFocusedElement(fhkItem);

  builder.RemoveFocused();

  ASSERT_EQ(builder.RowList().size(), 2u);
  EXPECT_EQ(builder.FocusedInfo.Row, builder.RowList()[1]);
  EXPECT_EQ(builder.FocusedInfo.Kind, fhkItem);
  builder.RemoveFocused();
  EXPECT_EQ(builder.RowList().size(), 1u);
  EXPECT_EQ(builder.FocusedInfo.Kind, fhkBoolOperator);
  builder.RemoveFocused();  // the root stays
  EXPECT_EQ(builder.RowList().size(), 1u);
}

TEST_F(FilterBuilderTest, RemovingListOperandsKeepsTheLastForTheRow) {
  link.criteria->AddItem(&link.criteria->Root(), art, fokInList,
                         VarArrayOf({Variant("x"), Variant("y"), Variant("z")}), "x;y;z");
  builder.SetLink(&link);
  builder.FocusedInfo.Row = builder.RowList()[1];
  builder.SetFocusedElement(fhkOperand, 1);
  builder.RemoveFocused();
  ASSERT_EQ(ConditionAt(1).Values().Count(), 2);
  EXPECT_EQ(ConditionAt(1).Values().Item(1).OperandText, "z");
  EXPECT_EQ(builder.FocusedInfo.OperandIndex, 0);
  builder.RemoveFocused();
  EXPECT_EQ(ConditionAt(1).Values().Count(), 1);
  builder.RemoveFocused();
  EXPECT_EQ(builder.RowList().size(), 1u);
}

TEST_F(FilterBuilderTest, AddingAValueFocusesIt) {
  BuildTwoLevels();
  builder.FocusedInfo.Row = builder.RowList()[3];
  builder.SetFocusedElement(fhkAddValue);
  builder.AddOperandValue();
  EXPECT_EQ(ConditionAt(3).Values().Count(), 3);
  EXPECT_EQ(builder.FocusedInfo.Kind, fhkOperand);
  EXPECT_EQ(builder.FocusedInfo.OperandIndex, 2);
}

TEST_F(FilterBuilderTest, StructureEditsNeedItems) {
  builder.AddCondition(nullptr);
  builder.AddGroup();
  EXPECT_EQ(builder.RowList().size(), 1u);
  builder.SetLink(&link);
  builder.AddGroup();
  ASSERT_EQ(builder.RowList().size(), 3u);
  EXPECT_TRUE(builder.RowList()[1]->IsGroup());
  EXPECT_EQ(builder.RowList()[2]->Parent(), builder.RowList()[1]);
  EXPECT_EQ(builder.FocusedInfo.Row, builder.RowList()[2]);
  EXPECT_EQ(builder.FocusedInfo.Kind, fhkItem);
}

TEST_F(FilterBuilderTest, LayoutPlacesLinkTextsBehindTheRowButton) {
  link.criteria->AddItem(&link.criteria->Root(), name, fokEqual, Variant("abc"), "abc");
  link.criteria->AddItem(&link.criteria->Root(), size, fokToday, Variant::Null(), "");
  builder.SetLink(&link);
  const TlxFilterControlViewInfo& view = builder.ViewInfo();
  const int32_t cell = TCellMeasurer::kCharWidth;
  ASSERT_EQ(view.LineHeight, ((TCellMeasurer::kTextHeight + 4) * 3 + 1) / 2);
  EXPECT_TRUE(view.Active);

  TlxConditionViewInfo& equals = ConditionAt(1);
  EXPECT_EQ(equals.RowRect, Rect(0, view.LineHeight, 400, 2 * view.LineHeight));
  EXPECT_EQ(equals.ButtonRect.Left, view.LineHeight + 4);
  EXPECT_EQ(equals.ButtonRect.Width(), 3 * cell);
  EXPECT_EQ(equals.ItemCaptionRect.Left, equals.ButtonRect.Right + 8);
  EXPECT_EQ(equals.ItemCaptionRect.Width(), 4 * cell + 2);
  EXPECT_EQ(equals.ItemCaptionRect.Height(), TCellMeasurer::kTextHeight + 3);
  EXPECT_EQ(equals.OperatorCaptionRect.Left, equals.ItemCaptionRect.Right + 8);
  EXPECT_EQ(equals.Values().Item(0).OperandRect.Left, equals.OperatorCaptionRect.Right + 8);

  TlxConditionViewInfo& today = ConditionAt(2);
  EXPECT_TRUE(today.Values().Item(0).OperandRect.IsEmpty());
  EXPECT_EQ(today.MeasureWidth(), today.ButtonRect.Width() + today.Indent + 5 + today.ItemCaptionRect.Width() +
                                      today.OperatorCaptionRect.Width() + 16);
  EXPECT_EQ(view.FooterButtonRect.Left, today.Indent + 4);
  EXPECT_EQ(view.FooterButtonRect.Top, 3 * view.LineHeight + 2);
}

TEST_F(FilterBuilderTest, HitTestNamesTheElementUnderAPoint) {
  BuildTwoLevels();
  const TlxFilterControlViewInfo& view = builder.ViewInfo();
  auto center = [](const TRect& r) { return Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); };
  TlxConditionViewInfo& list = ConditionAt(3);
  struct Case {
    TPoint point;
    uint8_t kind;
    const TlxCustomRowViewInfo* row;
    int32_t operand;
  };
  const Case cases[] = {
      {center(builder.Root().ButtonRect), fhkRowButton, &builder.Root(), -1},
      {center(builder.Root().GroupOperatorRect), fhkBoolOperator, &builder.Root(), -1},
      {center(builder.Root().GroupCaptionRect), fhkNone, &builder.Root(), -1},
      {center(list.ItemCaptionRect), fhkItem, &list, -1},
      {center(list.OperatorCaptionRect), fhkOperator, &list, -1},
      {center(list.Values().Item(1).OperandRect), fhkOperand, &list, 1},
      {center(list.Values().PlusButtonRect), fhkAddValue, &list, -1},
      {center(view.FooterButtonRect), fhkFooterButton, nullptr, -1},
      {Point(399, 299), fhkNone, nullptr, -1},
      {Point(-1, 5), fhkNone, nullptr, -1},
  };
  for (const Case& c : cases) {
    TlxFilterBuilderHitInfo hit;
    builder.ViewInfo().HitTest(0, c.point, hit);
    EXPECT_EQ(hit.Kind, c.kind) << c.point.X << "," << c.point.Y;
    if (c.row != nullptr) {
      EXPECT_EQ(hit.Row, c.row);
    }
    EXPECT_EQ(hit.OperandIndex, c.operand);
  }
}

TEST_F(FilterBuilderTest, FocusRectangleFollowsTheFocusedElement) {
  BuildTwoLevels();
  EXPECT_EQ(builder.ViewInfo().FocusRect, builder.Root().GroupOperatorRect.Inflate(1, 1));
  builder.FocusedInfo.Row = builder.RowList()[3];
  builder.SetFocusedElement(fhkOperand, 1);
  EXPECT_EQ(builder.ViewInfo().FocusRect, ConditionAt(3).Values().Item(1).OperandRect.Inflate(1, 1));
  builder.SetFocusedElement(fhkAddValue);
  EXPECT_TRUE(builder.ViewInfo().FocusRect.IsEmpty());
  EXPECT_EQ(ConditionAt(3).Values().PlusButtonState, lxbsDefault);
  builder.SetLink(nullptr);
  builder.LayoutChanged();
  EXPECT_EQ(builder.ViewInfo().FocusRect, Rect(2, 2, 398, 298));
  EXPECT_EQ(builder.ViewInfo().FooterButtonState, lxbsDisabled);
}

TEST_F(FilterBuilderTest, TopRowStaysWithinItsRange) {
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  builder.SetTopRow(5);
  EXPECT_EQ(builder.TopRow(), 0);
  builder.SetTopRow(-3);
  EXPECT_EQ(builder.TopRow(), 0);
  for (int i = 0; i < 30; ++i)
    builder.AddCondition(nullptr);
  // The new last row was scrolled into view.
  EXPECT_GT(builder.TopRow(), 0);
  EXPECT_LE(builder.RowList().back()->RowRect.Bottom, 300);
  const int32_t rows = static_cast<int32_t>(builder.RowList().size());
  builder.SetTopRow(1000);
  EXPECT_EQ(builder.TopRow(), rows - builder.VisibleRowCount() + 1);
  builder.SetLeftOffset(-5);
  EXPECT_EQ(builder.LeftOffset(), 0);
}

TEST_F(FilterBuilderTest, LayoutScrollsBackWhenRowsGo) {
  builder.SetLink(&link);
  for (int i = 0; i < 30; ++i)
    builder.AddCondition(nullptr);
  ASSERT_GT(builder.TopRow(), 0);
  builder.Clear();
  EXPECT_EQ(builder.TopRow(), 0);
  EXPECT_GE(builder.ViewInfo().FooterButtonRect.Top, 0);
}

TEST_F(FilterBuilderTest, NullStringSurvivesReloadedTexts) {
  EXPECT_EQ(builder.NullString(), "<empty>");
  builder.LoadNullStringDefault("<leer>");
  EXPECT_EQ(builder.NullString(), "<leer>");
  builder.SetNullString("(nichts)");
  builder.LoadNullStringDefault("<empty>");
  EXPECT_EQ(builder.NullString(), "(nichts)");
}

TEST_F(FilterBuilderTest, ItemListHoldsFilterableItemsSortedOnRequest) {
  size->properties = std::make_unique<TlxCustomEditProperties>(nullptr);  // cannot filter
  builder.SetLink(&link);
  TStringList list;
  builder.FillItemList(&list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "Name");
  builder.SetSortItems(true);
  builder.FillItemList(&list);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list[0], "Art");
  EXPECT_EQ(list.Data(0), 2);
  EXPECT_EQ(list[1], "Name");
}

TEST_F(FilterBuilderTest, OperatorListFollowsTheItemAndTheCriteria) {
  builder.SetLink(&link);
  builder.AddCondition(nullptr);
  TStringList list;
  builder.FillOperatorList(&list);
  ASSERT_EQ(list.Count(), 14);
  EXPECT_EQ(list[6], "like");
  builder.Criteria().SetSupportedLike(false);
  builder.FillOperatorList(&list);
  EXPECT_EQ(list.Count(), 12);
  EXPECT_EQ(list.IndexOf("like"), -1);
  EXPECT_EQ(list.Data(0), fcoEqual);
}

TEST_F(FilterBuilderTest, SaveClearOpenGivesTheSameRows) {
  BuildTwoLevels();
  const std::string path = (std::filesystem::path(::testing::TempDir()) / "filter_builder_test.flt").string();
  builder.SaveToFile(path);
  const std::vector<uint8_t> saved = CriteriaBytes();
  builder.Clear();
  ASSERT_EQ(builder.RowList().size(), 1u);
  builder.LoadFromFile(path);
  EXPECT_EQ(builder.RowList().size(), 4u);
  EXPECT_EQ(CriteriaBytes(), saved);
  builder.ApplyRowsToCriteria();
  EXPECT_EQ(CriteriaBytes(), saved);
  std::filesystem::remove(path);
}

TEST_F(FilterBuilderTest, AFailedLoadReplacesNothing) {
  BuildTwoLevels();
  builder.AddCondition(nullptr);  // an edit not yet applied
  const std::vector<uint8_t> criteria_before = CriteriaBytes();

  TMemoryStream deep;
  lxWriteInteger(deep, -1);
  for (int i = 0; i < 100000; ++i) {
    lxWriteByte(deep, fbkAnd);
    lxWriteInteger(deep, 1);
    lxWriteByte(deep, 1);
  }
  TMemoryStream truncated;
  lxWriteInteger(truncated, -2);
  lxWriteByte(truncated, fbkOr);
  lxWriteInteger(truncated, 3);
  TMemoryStream huge_root_count;  // version 1: the header is the root's count
  lxWriteInteger(huge_root_count, 0x7FFFFFF0);
  lxWriteByte(huge_root_count, 0);
  TMemoryStream unknown_kind;
  lxWriteInteger(unknown_kind, -1);
  lxWriteByte(unknown_kind, fbkAnd);
  lxWriteInteger(unknown_kind, 1);
  lxWriteByte(unknown_kind, 0);
  lxWriteByte(unknown_kind, 36);
  for (TMemoryStream* stream : {&deep, &truncated, &huge_root_count, &unknown_kind}) {
    stream->SetPosition(0);
    try {
      builder.LoadFromStream(*stream);
      FAIL() << "a bad filter loaded";
    } catch (const ElxFilterControlError& error) {
      EXPECT_STREQ(error.what(), "Can't build filter from source");
    }
    EXPECT_EQ(builder.RowList().size(), 5u);
    EXPECT_EQ(CriteriaBytes(), criteria_before);
  }
}

TEST_F(FilterBuilderTest, LoadingWithoutItemsIsRefused) {
  TMemoryStream stream;
  link.criteria->WriteToStream(stream);
  stream.SetPosition(0);
  EXPECT_THROW(builder.LoadFromStream(stream), ElxFilterControlError);
}

TEST_F(FilterBuilderTest, ApplyCopiesTheRowsIntoTheLinkedCriteria) {
  BuildTwoLevels();
  int applied = 0;
  auto group_size = [&] {
    return static_cast<TlxFilterCriteriaItemList*>(link.criteria->Root().ItemAt(1))->ItemCount();
  };
  builder.OnApplyFilter = [&](TObject*) {
    ++applied;
    EXPECT_EQ(group_size(), 2);
  };
  builder.AddCondition(nullptr);  // into the group of the last row
  builder.ApplyFilter();
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(group_size(), 2);
  EXPECT_TRUE(builder.Criteria().HasSameContent(*link.criteria, false));
  EXPECT_EQ(builder.RowList().size(), 5u);

  // An incomplete row: nothing is copied and nobody hears of an apply.
  builder.AddCondition(nullptr);
  ConditionAt(5).LinkObject = nullptr;
  EXPECT_THROW(builder.ApplyFilter(), ElxFilterControlError);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(group_size(), 2);
  EXPECT_EQ(builder.RowList().size(), 6u);
}

TEST_F(FilterBuilderTest, CaptionAndTextDescribeTheRows) {
  link.criteria->AddItem(&link.criteria->Root(), size, fokGreater, Variant(3), "3");
  builder.SetLink(&link);
  EXPECT_EQ(builder.GetFilterCaption(), link.criteria->BuildCaptionText());
  EXPECT_EQ(builder.GetFilterText(), link.criteria->BuildExpressionText());
  EXPECT_NE(builder.GetFilterText().find("F2"), std::string::npos);
}

}  // namespace
