#include "editors/kinds/radio_group_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "editors/edit_style_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/messages.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace radio_group_win_test {

using test_support::PumpMessagesUntilIdle;

class RadioGroupFixture {
 public:
  RadioGroupFixture() {
    SetCursorPos(0, 0);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 300);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 240, 80, 20);
    group = new TlxRadioGroup(form);
    group->SetParent(form);
    group->SetBounds(10, 10, 300, 120);
    group->SetCaption("&Farbe");
    TlxRadioGroupProperties& properties = group->GetProperties();
    properties.BeginUpdate();
    AddItem("Rot", Variant(int32_t{1}));
    AddItem("Grün", Variant(int32_t{2}));
    AddItem("Blau");
    properties.EndUpdate(true);
    properties.OnChange = [this](TObject*) { ++changes; };
    group->OnClick = [this](TObject*) { ++clicks; };
    form->Show();
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~RadioGroupFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  RadioGroupFixture(const RadioGroupFixture&) = delete;
  RadioGroupFixture& operator=(const RadioGroupFixture&) = delete;

  void AddItem(const std::string& caption, const Variant& value = Variant::Null()) {
    TlxRadioGroupItem* item = group->GetProperties().RadioItems().Add();
    item->SetCaption(caption);
    item->SetValue(value);
  }
  TlxCustomRadioGroupButton& Child(int32_t index) const { return group->RadioButton(index); }
  int32_t CheckedCount() const {
    int32_t count = 0;
    for (int32_t i = 0; i < group->ButtonCount(); ++i)
      count += Child(i).Checked() ? 1 : 0;
    return count;
  }
  void ClickChild(int32_t index) const {
    TlxCustomRadioGroupButton& child = Child(index);
    test_support::InputClick(child.Handle(), POINT{child.ButtonRect().Left + 4, child.Height() / 2});
    PumpMessagesUntilIdle();
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TlxRadioGroup* group = nullptr;
  int changes = 0;
  int clicks = 0;
};

TEST(RadioGroupTest, ChildrenFollowTheItemsOneByOne) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(fixture.Child(1).Caption(), "Grün");
  EXPECT_EQ(fixture.Child(0).Parent(), group);
  fixture.AddItem("Gelb");
  ASSERT_EQ(group->ButtonCount(), 4);
  TWinControl* first = group->Button(0);
  TWinControl* third = group->Button(2);
  TWinControl* fourth = group->Button(3);
  // Removing the second item frees exactly the second child.
  group->GetProperties().Items().Delete(1);
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->Button(0), first);
  EXPECT_EQ(group->Button(1), third);
  EXPECT_EQ(group->Button(2), fourth);
  EXPECT_EQ(fixture.Child(1).Caption(), "Blau");
  // A disabled item disables its child only; a disabled group all.
  group->GetProperties().Items().GetItem(2)->SetEnabled(false);
  EXPECT_FALSE(group->Button(2)->Enabled());
  EXPECT_TRUE(group->Button(1)->Enabled());
  group->SetEnabled(false);
  EXPECT_FALSE(group->Button(0)->Enabled());
  group->SetEnabled(true);
  EXPECT_TRUE(group->Button(0)->Enabled());
  EXPECT_FALSE(group->Button(2)->Enabled());
  // The children sit on the view's button rectangles, down the column.
  PumpMessagesUntilIdle();
  const TRect bounds = group->ButtonGroupViewInfo().Button(1).Bounds;
  EXPECT_EQ(group->Button(1)->Left(), bounds.Left);
  EXPECT_EQ(group->Button(1)->Top(), bounds.Top);
  EXPECT_GT(group->Button(1)->Top(), group->Button(0)->Top());
}

TEST(RadioGroupTest, ItemIndexIsClampedAndOneChildAtMostIsChecked) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  group->GetProperties().SetDefaultValue(Variant(int32_t{0}));
  EXPECT_EQ(group->GetItemIndex(), -1);
  group->SetItemIndex(1);
  EXPECT_TRUE(fixture.Child(1).Checked());
  EXPECT_EQ(fixture.CheckedCount(), 1);
  EXPECT_EQ(group->EditValue().AsInteger(), 2);
  group->SetItemIndex(99);
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_EQ(fixture.CheckedCount(), 1);
  EXPECT_EQ(group->EditValue().AsString(), "Blau");  // no Value: the caption
  group->SetItemIndex(-5);
  EXPECT_EQ(group->GetItemIndex(), -1);
  EXPECT_EQ(fixture.CheckedCount(), 0);
  EXPECT_EQ(group->EditValue().AsInteger(), 0);  // DefaultValue
  // The edit value selects the child.
  group->SetEditValue(Variant(int32_t{1}));
  EXPECT_EQ(group->GetItemIndex(), 0);
  group->SetEditValue(Variant("nichts"));
  EXPECT_EQ(group->GetItemIndex(), -1);
  group->SetItemIndex(0);
  group->Clear();
  EXPECT_EQ(group->GetItemIndex(), -1);
}

TEST(RadioGroupTest, AClickChangesOnceAndAClickOnTheCheckedChildNothing) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  fixture.ClickChild(1);
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(fixture.CheckedCount(), 1);
  EXPECT_EQ(fixture.changes, 1);
  EXPECT_EQ(fixture.clicks, 1);
  EXPECT_TRUE(group->Modified());
  EXPECT_EQ(GetFocus(), fixture.Child(1).Handle());

  fixture.ClickChild(1);
  EXPECT_EQ(fixture.changes, 1);
  EXPECT_EQ(group->GetItemIndex(), 1);

  fixture.ClickChild(2);
  EXPECT_EQ(group->GetItemIndex(), 2);
  EXPECT_FALSE(fixture.Child(1).Checked());
  EXPECT_EQ(fixture.changes, 2);
  EXPECT_EQ(fixture.clicks, 2);
}

TEST(RadioGroupTest, AReadOnlyGroupIgnoresClicksAndSpace) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  group->SetItemIndex(0);
  fixture.changes = 0;
  group->GetProperties().SetReadOnly(true);
  fixture.ClickChild(2);
  EXPECT_EQ(group->GetItemIndex(), 0);
  EXPECT_EQ(fixture.changes, 0);
  EXPECT_TRUE(fixture.Child(0).Checked());
  // Entering an unchecked child does not check it, and neither does Space.
  fixture.Child(1).SetFocus();
  PumpMessagesUntilIdle();
  ASSERT_EQ(GetFocus(), fixture.Child(1).Handle());
  test_support::InputKey(VK_SPACE);
  PumpMessagesUntilIdle();
  EXPECT_EQ(group->GetItemIndex(), 0);
  EXPECT_EQ(fixture.changes, 0);
  // Writable again, Space checks the focused child.
  group->GetProperties().SetReadOnly(false);
  test_support::InputKey(VK_SPACE);
  PumpMessagesUntilIdle();
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(fixture.changes, 1);
}

TEST(RadioGroupTest, ArrowsMoveByColumnsAndRowsAndCheckWhatTheyReach) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  fixture.AddItem("Gelb");
  group->GetProperties().SetColumns(2);  // two columns of two rows
  PumpMessagesUntilIdle();
  fixture.ClickChild(0);
  ASSERT_EQ(GetFocus(), fixture.Child(0).Handle());
  fixture.changes = 0;

  test_support::InputKey(VK_DOWN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.Child(1).Handle());
  EXPECT_EQ(group->GetItemIndex(), 1);
  EXPECT_EQ(fixture.changes, 1);

  test_support::InputKey(VK_RIGHT);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.Child(3).Handle());
  EXPECT_EQ(group->GetItemIndex(), 3);

  // At the bottom of the column the focus stays in the group.
  test_support::InputKey(VK_DOWN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.Child(3).Handle());
  EXPECT_EQ(fixture.changes, 2);

  test_support::InputKey(VK_UP);
  PumpMessagesUntilIdle();
  test_support::InputKey(VK_LEFT);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.Child(0).Handle());
  EXPECT_EQ(group->GetItemIndex(), 0);
  EXPECT_EQ(fixture.CheckedCount(), 1);
}

TEST(RadioGroupTest, TabReachesOnlyTheCheckedChild) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  group->SetItemIndex(2);
  EXPECT_FALSE(fixture.Child(0).TabStop());
  EXPECT_TRUE(fixture.Child(2).TabStop());
  EXPECT_FALSE(group->TabStop());
  // The form's Tab and Shift+Tab: the next tab stop either way.
  const HWND checked = fixture.Child(2).Handle();
  fixture.form->SelectNext(fixture.edit, true, true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), checked);
  fixture.form->SelectNext(fixture.form->ActiveControl(), false, true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.edit->Handle());
  // Focusing the group hands the focus to the checked child.
  group->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), checked);
  // Without a checked child the group itself is the tab stop.
  group->SetItemIndex(-1);
  EXPECT_TRUE(group->TabStop());
  EXPECT_FALSE(fixture.Child(2).TabStop());
}

TEST(RadioGroupTest, TheAcceleratorFocusesTheCheckedChild) {
  RadioGroupFixture fixture;
  fixture.group->SetItemIndex(1);
  fixture.edit->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.group->Perform(CM_DIALOGCHAR, 'f'), 1);
  EXPECT_EQ(GetFocus(), fixture.Child(1).Handle());
  EXPECT_EQ(fixture.group->Perform(CM_DIALOGCHAR, 'x'), 0);
}

TEST(RadioGroupTest, TheCheckedChildDrawsADifferentGlyphAndEveryChildItsCaption) {
  RadioGroupFixture fixture;
  TlxRadioGroup* group = fixture.group;
  group->GetStyle()->SetColor(clWhite);
  group->SetItemIndex(1);
  PumpMessagesUntilIdle();
  const auto glyph_centre = [&](int32_t index) {
    TlxCustomRadioGroupButton& child = fixture.Child(index);
    const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(child.Handle());
    const TRect rect = child.ButtonRect();
    return pixels.At((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
  };
  EXPECT_FALSE(test_support::ColorsNear(glyph_centre(0), glyph_centre(1), 40));
  EXPECT_TRUE(test_support::ColorsNear(glyph_centre(0), glyph_centre(2), 8));
  // Some pixel right of the glyph is caption text.
  TlxCustomRadioGroupButton& child = fixture.Child(0);
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(child.Handle());
  int32_t text_pixels = 0;
  for (int32_t x = child.ButtonRect().Right + 4; x < child.Width(); ++x)
    for (int32_t y = 0; y < child.Height(); ++y)
      if (test_support::ColorsNear(pixels.At(x, y), RGB(0, 0, 0), 100))
        ++text_pixels;
  EXPECT_GT(text_pixels, 0);
}

TEST(RadioGroupTest, AViewWithoutAWindowPaintsTheSelectedItem) {
  RadioGroupFixture fixture;
  TlxRadioGroupProperties& properties = fixture.group->GetProperties();
  TlxEditStyle style(nullptr, true);
  style.SetColor(clWhite);
  const std::unique_ptr<TlxCustomEditViewData> data = properties.CreateViewData(&style, true, false);
  const std::unique_ptr<TlxCustomEditViewInfo> info = properties.GetViewInfoClass().Create();
  auto& radio_info = dynamic_cast<TlxCustomRadioGroupViewInfo&>(*info);

  painter_test::Surface surface(200, 60);
  TlxCanvas& canvas = surface.canvas();
  data->ApplyEditValueToViewInfo(canvas, Variant(int32_t{2}), *info);
  data->Calculate(canvas, TRect(0, 0, 200, 60), TPoint(-1, -1), kLxNoMouseButton, {}, *info, false);
  EXPECT_EQ(radio_info.ItemIndex, 1);
  ASSERT_EQ(info->ButtonCount(), 3);
  // In place the buttons start one pixel in and share the height.
  EXPECT_EQ(info->Button(0).Bounds.Left, 1);
  EXPECT_EQ(info->Button(0).Bounds.Height(), 20);
  info->Draw(canvas);
  const auto centre_of = [&](int32_t index) {
    const TRect glyph = radio_info.GroupButton(index).GetGlyphRect(radio_info.GlyphSize, true, false);
    return surface.At((glyph.Left + glyph.Right) / 2, (glyph.Top + glyph.Bottom) / 2);
  };
  EXPECT_FALSE(test_support::ColorsNear(centre_of(0), centre_of(1), 40));
  EXPECT_TRUE(test_support::ColorsNear(centre_of(0), centre_of(2), 8));
}

TEST(RadioGroupTest, ACellMeasuresItsCaptionsGlyphsAndRows) {
  TlxRadioGroupProperties properties(nullptr);
  TlxEditStyle style(nullptr, true);
  painter_test::Surface surface(10, 10);
  TlxCanvas& canvas = surface.canvas();
  // Without items: nothing wide and one line high.
  const TSize empty = properties.CalculateEditSize(canvas, &style, true, Variant::Null(), TlxEditSizeProperties{});
  EXPECT_EQ(empty.cx, 0);
  if (TFont* font = style.GetTextFont())
    canvas.AssignFont(*font);
  const int32_t line = canvas.MeasureTextHeight("Zg");
  EXPECT_GE(empty.cy, line);

  for (const char* caption : {"A", "Breiter", "C", "D"})
    properties.RadioItems().Add()->SetCaption(caption);
  properties.SetColumns(2);
  const TSize free = properties.CalculateEditSize(canvas, &style, true, Variant::Null(), TlxEditSizeProperties{});
  if (TFont* font = style.GetTextFont())
    canvas.AssignFont(*font);
  const int32_t widest = canvas.MeasureTextWidth("Breiter");
  const TlxLookAndFeel* look_and_feel = style.LookAndFeel();
  ASSERT_NE(look_and_feel, nullptr);
  const TSize glyph = look_and_feel->PainterFor(totButton)->GetRadioButtonSize();
  // In place: a gap of 7 (5 themed) beside each glyph and a frame of 1.
  const int32_t gap = TlxButtonGroupViewData::IsButtonNativeStyle(look_and_feel) ? 5 : 7;
  EXPECT_EQ(free.cx, (widest + gap + glyph.cx) * 2 + 1);
  EXPECT_EQ(free.cy, 2 * std::max(glyph.cy, empty.cy));
}

TEST(RadioGroupTest, ItemsAndItemIndexGoThroughAFormDescription) {
  RadioGroupFixture fixture;
  fixture.group->SetItemIndex(1);
  fixture.group->GetProperties().SetColumns(2);
  TMemoryStream stream;
  stream.WriteComponent(*fixture.group);
  stream.SetPosition(0);
  auto* loaded = new TlxRadioGroup(fixture.form);
  int load_changes = 0;
  loaded->GetProperties().OnChange = [&load_changes](TObject*) { ++load_changes; };
  stream.ReadComponent(loaded);
  loaded->SetParent(fixture.form);
  PumpMessagesUntilIdle();
  ASSERT_EQ(loaded->ButtonCount(), 3);
  EXPECT_EQ(loaded->GetItemIndex(), 1);
  EXPECT_EQ(loaded->EditValue().AsInteger(), 2);
  EXPECT_EQ(loaded->GetProperties().Columns(), 2);
  EXPECT_EQ(loaded->RadioButton(2).Caption(), "Blau");
  EXPECT_EQ(load_changes, 0);
  // The children are never written: only the group's own description.
  EXPECT_LT(stream.Size(), 2000);
}

TEST(RadioGroupTest, ManyRadioGroupsLeaveNoHandlesBehind) {
  auto* form = new TForm(nullptr);
  form->Show();
  const auto fill_and_free = [form] {
    auto* group = new TlxRadioGroup(form);
    group->SetParent(form);
    for (int i = 0; i < 6; ++i)
      group->GetProperties().RadioItems().Add()->SetCaption("Punkt");
    group->SetItemIndex(3);
    PumpMessagesUntilIdle();
    delete group;
  };
  fill_and_free();
  PumpMessagesUntilIdle();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  for (int round = 0; round < 5; ++round)
    fill_and_free();
  PumpMessagesUntilIdle();
  EXPECT_LE(test_support::CountGdiObjects(), gdi_before);
  EXPECT_LE(test_support::CountUserObjects(), user_before);
  form->Free();
  PumpMessagesUntilIdle();
}

}  // namespace radio_group_win_test
