#include "editors/kinds/check_list_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_style_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/form.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace {

using test_support::PumpMessagesUntilIdle;

// A binding that keeps one value, as a data field would.
class StoredValueBinding : public TlxCustomDataBinding {
 public:
  static constexpr TClass kClass{"CheckListStoredValueBinding", &TlxCustomDataBinding::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomDataBinding::TlxCustomDataBinding;

  Variant GetStoredValue() const override { return value; }
  void SetStoredValue(const Variant& new_value) override { value = new_value; }
  void Reset() override { ++resets; }

  Variant value;
  int32_t resets = 0;
};

class BoundCheckListBox : public TlxCheckListBox {
 public:
  explicit BoundCheckListBox(TComponent* owner)
      : TlxCheckListBox(owner, lxDataBindingClassOf<StoredValueBinding>(), &TlxCustomInnerCheckListBox::kClass) {}
  StoredValueBinding& Binding() const { return static_cast<StoredValueBinding&>(DataBinding()); }
};

class CheckListFixture {
 public:
  CheckListFixture() {
    lxContainerInitialize();
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 300);
    list = new BoundCheckListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 160, 150);
    for (const char* text : {"A", "B", "C"})
      list->Items().Add()->SetText(text);
    list->OnEditValueChanged = [this](TObject*) { ++value_changes; };
    list->OnClickCheck() = [this](TObject* sender, int32_t index, TlxCheckBoxState, TlxCheckBoxState state) {
      EXPECT_EQ(sender, list);
      clicks.push_back(std::to_string(index) + ":" + std::to_string(int(state)));
    };
    form->Show();
    PumpMessagesUntilIdle();
  }
  ~CheckListFixture() {
    form->Free();
    PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
    lxContainerFinalize();
  }
  CheckListFixture(const CheckListFixture&) = delete;
  CheckListFixture& operator=(const CheckListFixture&) = delete;

  TlxCustomInnerCheckListBox& Inner() const { return list->InnerCheckListBox(); }
  HWND InnerHandle() const { return Inner().Handle(); }
  TlxCheckBoxState State(int32_t index) const { return list->Items().GetItem(index)->State(); }
  POINT CheckCentre(int32_t index) const {
    const TRect check = Inner().GetCheckRect(Inner().ItemRect(index), false);
    return POINT{(check.Left + check.Right) / 2, (check.Top + check.Bottom) / 2};
  }
  POINT TextPoint(int32_t index) const {
    const TRect item = Inner().ItemRect(index);
    return POINT{item.Right - 20, (item.Top + item.Bottom) / 2};
  }

  TForm* form = nullptr;
  BoundCheckListBox* list = nullptr;
  int32_t value_changes = 0;
  std::vector<std::string> clicks;
};

TEST(CheckListBoxTest, TheValueFollowsTheStatesInEveryFormatAndBack) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  EXPECT_EQ(list->EditValue().Type(), varInt64);
  list->Items().GetItem(1)->SetChecked(true);
  EXPECT_EQ(list->EditValue().AsInt64(), 2);
  EXPECT_TRUE(list->FromStates());
  EXPECT_EQ(fixture.value_changes, 1);

  // Another format writes the same states its own way.
  const TlxCheckStates states{cbsUnchecked, cbsChecked, cbsUnchecked};
  for (TlxCheckStatesValueFormat format : {cvfIndices, cvfCaptions, cvfStatesString}) {
    list->SetEditValueFormat(format);
    const Variant expected = lxCheckStatesToValue(states, list->Items(), format);
    EXPECT_EQ(VarToStr(list->EditValue()), VarToStr(expected)) << int(format);
    EXPECT_EQ(fixture.State(1), cbsChecked);
  }

  // A value set from outside gives the states.
  list->SetEditValueFormat(cvfInteger);
  list->SetEditValue(Variant(int64_t{5}));
  EXPECT_FALSE(list->FromStates());
  EXPECT_EQ(fixture.State(0), cbsChecked);
  EXPECT_EQ(fixture.State(1), cbsUnchecked);
  EXPECT_EQ(fixture.State(2), cbsChecked);
  const int32_t changes = fixture.value_changes;
  list->SetEditValue(Variant(int64_t{5}));
  EXPECT_EQ(fixture.value_changes, changes);
  list->SetEditValue(Variant(int64_t{4}));
  EXPECT_EQ(fixture.value_changes, changes + 1);
  EXPECT_EQ(fixture.State(0), cbsUnchecked);
}

TEST(CheckListBoxTest, SwitchingToTheIntegerFormatClearsGrayedChecks) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  list->SetEditValueFormat(cvfStatesString);
  list->Items().GetItem(0)->SetState(cbsGrayed);
  list->Items().GetItem(2)->SetState(cbsChecked);
  list->SetEditValueFormat(cvfInteger);
  EXPECT_EQ(fixture.State(0), cbsUnchecked);
  EXPECT_EQ(list->EditValue().AsInt64(), 4);
  list->Items().GetItem(1)->SetState(cbsGrayed);
  EXPECT_EQ(fixture.State(1), cbsUnchecked);
}

TEST(CheckListBoxTest, SpaceCyclesThroughGrayedOnlyWhenAllowed) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  list->SetEditValueFormat(cvfCaptions);
  list->SetAllowGrayed(true);
  list->SetItemIndex(1);
  std::vector<TlxCheckBoxState> seen;
  for (int press = 0; press < 3; ++press) {
    test_support::SendKey(fixture.InnerHandle(), VK_SPACE);
    seen.push_back(fixture.State(1));
  }
  EXPECT_EQ(seen, (std::vector<TlxCheckBoxState>{cbsGrayed, cbsChecked, cbsUnchecked}));
  EXPECT_EQ(fixture.clicks, (std::vector<std::string>{"1:2", "1:1", "1:0"}));

  // A disabled item keeps its state.
  list->Items().GetItem(1)->SetEnabled(false);
  test_support::SendKey(fixture.InnerHandle(), VK_SPACE);
  EXPECT_EQ(fixture.State(1), cbsUnchecked);
  EXPECT_EQ(fixture.clicks.size(), 3u);
}

TEST(CheckListBoxTest, APressTogglesOnlyWhenReleasedOnTheSameCheck) {
  CheckListFixture fixture;
  const HWND inner = fixture.InnerHandle();
  const POINT check = fixture.CheckCentre(0);
  const POINT away = fixture.TextPoint(0);
  auto at = [](POINT point) { return MAKELPARAM(point.x, point.y); };
  SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, at(check));
  EXPECT_EQ(fixture.Inner().DrawnPressedCheck(), 0);
  SendMessageW(inner, WM_MOUSEMOVE, MK_LBUTTON, at(away));
  EXPECT_EQ(fixture.Inner().DrawnPressedCheck(), -1);
  SendMessageW(inner, WM_LBUTTONUP, 0, at(away));
  EXPECT_EQ(fixture.State(0), cbsUnchecked);
  EXPECT_EQ(fixture.Inner().PressedCheck(), -1);

  SendMessageW(inner, WM_LBUTTONDOWN, MK_LBUTTON, at(check));
  SendMessageW(inner, WM_MOUSEMOVE, MK_LBUTTON, at(away));
  SendMessageW(inner, WM_MOUSEMOVE, MK_LBUTTON, at(check));
  EXPECT_EQ(fixture.Inner().DrawnPressedCheck(), 0);
  SendMessageW(inner, WM_LBUTTONUP, 0, at(check));
  EXPECT_EQ(fixture.State(0), cbsChecked);
  EXPECT_EQ(fixture.clicks, std::vector<std::string>{"0:1"});
  // Released over the check, the check shows hot.
  EXPECT_EQ(fixture.Inner().HotCheck(), 0);
  PumpMessagesUntilIdle();
}

TEST(CheckListBoxTest, WithAutomaticDragAPressOnACheckTogglesAtOnce) {
  CheckListFixture fixture;
  fixture.list->SetDragMode(dmAutomatic);
  const POINT check = fixture.CheckCentre(2);
  SendMessageW(fixture.InnerHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(check.x, check.y));
  EXPECT_EQ(fixture.State(2), cbsChecked);
  EXPECT_EQ(fixture.list->DragMode(), dmAutomatic);
  SendMessageW(fixture.InnerHandle(), WM_LBUTTONUP, 0, MAKELPARAM(check.x, check.y));
  EXPECT_EQ(fixture.State(2), cbsChecked);
  EXPECT_EQ(fixture.clicks.size(), 1u);
  PumpMessagesUntilIdle();
}

TEST(CheckListBoxTest, ARealClickOnACheckTogglesItOnceAndOnTheTextNot) {
  CheckListFixture fixture;
  test_support::InputClick(fixture.InnerHandle(), fixture.CheckCentre(1));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.State(1), cbsChecked);
  EXPECT_EQ(fixture.clicks, std::vector<std::string>{"1:1"});
  test_support::InputClick(fixture.InnerHandle(), fixture.TextPoint(2));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.State(2), cbsUnchecked);
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
}

TEST(CheckListBoxTest, DoubleClickingTheTextTogglesOnlyWhenAllowed) {
  CheckListFixture fixture;
  test_support::SendDoubleClick(fixture.InnerHandle(), fixture.TextPoint(1));
  EXPECT_EQ(fixture.State(1), cbsChecked);
  fixture.list->SetAllowDblClickToggle(false);
  test_support::SendDoubleClick(fixture.InnerHandle(), fixture.TextPoint(1));
  EXPECT_EQ(fixture.State(1), cbsChecked);
  EXPECT_EQ(fixture.clicks.size(), 1u);
  PumpMessagesUntilIdle();
}

TEST(CheckListBoxTest, CheckedAndUncheckedLinesShowDifferentChecks) {
  CheckListFixture fixture;
  fixture.list->Items().GetItem(0)->SetChecked(true);
  PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(fixture.InnerHandle());
  const POINT checked = fixture.CheckCentre(0);
  const POINT unchecked = fixture.CheckCentre(1);
  EXPECT_FALSE(test_support::ColorsNear(pixels.At(checked.x, checked.y), pixels.At(unchecked.x, unchecked.y), 40));
  // The text part of an unselected line has the list's background.
  const POINT text = fixture.TextPoint(1);
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(text.x, text.y),
                                       ColorToColorRef(fixture.list->ViewInfo().BackgroundColor), 8));
}

TEST(CheckListBoxTest, WithoutChecksTheBoundTextSelectsItsItemWithoutRegardToCase) {
  CheckListFixture fixture;
  BoundCheckListBox* list = fixture.list;
  list->SetShowChecks(false);
  list->Binding().value = Variant("b");
  list->ReadBoundValue();
  EXPECT_EQ(list->ItemIndex(), 1);
  list->SetItemIndex(2);
  list->WriteBoundValue();
  EXPECT_EQ(VarToStr(list->Binding().value), "C");

  // With checks the bound value is the edit value.
  list->SetShowChecks(true);
  list->Binding().value = Variant(int64_t{3});
  list->ReadBoundValue();
  EXPECT_EQ(fixture.State(0), cbsChecked);
  EXPECT_EQ(fixture.State(1), cbsChecked);
  fixture.list->Items().GetItem(0)->SetChecked(false);
  list->WriteBoundValue();
  EXPECT_EQ(list->Binding().value.AsInt64(), 2);
}

TEST(CheckListBoxTest, IntegralHeightSnapsToWholeRows) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  // A user glyph 16 pixels high makes rows of 18.
  TBitmap glyph(16 * 6, 16);
  list->InnerCheckListBox().SetGlyph(&glyph);
  ASSERT_EQ(list->InnerCheckListBox().ItemHeight(), 18);
  const TRect extent = list->GetBorderExtent();
  ASSERT_EQ(extent.Top + extent.Bottom, 4);
  list->SetIntegralHeight(true);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 50);
  EXPECT_EQ(list->Height(), 40);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 10);
  EXPECT_EQ(list->Height(), 22);
  EXPECT_EQ(list->GetHeightForRows(3), 58);
  // Aligned to fill its parent, the control keeps the height it is given.
  list->SetAlign(alClient);
  EXPECT_EQ(list->SnapHeight(50), 50);
}

TEST(CheckListBoxTest, SortingReordersByTextAndKeepsTheStates) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  list->Items().GetItem(0)->SetText("kiwi");
  list->Items().GetItem(1)->SetText("Apfel");
  list->Items().GetItem(2)->SetText("birne");
  list->Items().GetItem(0)->SetChecked(true);
  list->SetSorted(true);
  ASSERT_EQ(list->Items().Count(), 3);
  EXPECT_EQ(list->Items().GetItem(0)->Text(), "Apfel");
  EXPECT_EQ(list->Items().GetItem(1)->Text(), "birne");
  EXPECT_EQ(list->Items().GetItem(2)->Text(), "kiwi");
  EXPECT_EQ(fixture.State(2), cbsChecked);
  EXPECT_EQ(fixture.State(0), cbsUnchecked);
  EXPECT_EQ(list->EditValue().AsInt64(), 4);
  // The lines follow, and a new item finds its place.
  wchar_t line[16] = {};
  SendMessageW(list->Handle(), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"kiwi");
  list->Items().Add()->SetText("Banane");
  EXPECT_EQ(list->Items().GetItem(1)->Text(), "Banane");
  EXPECT_EQ(fixture.State(3), cbsChecked);
}

TEST(CheckListBoxTest, ListBoxMessagesSentToTheControlReachTheInnerList) {
  CheckListFixture fixture;
  EXPECT_EQ(SendMessageW(fixture.list->Handle(), LB_GETCOUNT, 0, 0), 3);
  SendMessageW(fixture.list->Handle(), LB_SETCURSEL, 2, 0);
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
  EXPECT_EQ(fixture.list->ItemIndexAtPoint(TPoint(fixture.list->GetItemRect(1).Left + 30,
                                                   fixture.list->GetItemRect(1).Top + 2),
                                            true),
            1);
}

TEST(CheckListBoxTest, ValueTests) {
  CheckListFixture fixture;
  struct Case {
    Variant value;
    bool allow_empty;
    bool valid;
  };
  const Case cases[] = {
      {Variant(), true, true},          {Variant(), false, false},      {Variant::Null(), true, true},
      {Variant(int64_t{7}), false, true}, {Variant(2.5), false, true},   {Variant(" 12 "), false, true},
      {Variant("-3"), false, true},     {Variant("1x"), false, false},  {Variant(true), false, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fixture.list->IsValidEditValue(c.value, c.allow_empty), c.valid) << VarToStr(c.value);
}

TEST(CheckListBoxTest, ItemsAndSettingsGoThroughAFormDescription) {
  CheckListFixture fixture;
  TlxCheckListBox* list = fixture.list;
  list->SetEditValueFormat(cvfStatesString);
  list->SetAllowGrayed(true);
  list->SetShowChecks(false);
  list->SetImageLayout(ilAfterChecks);
  list->Items().GetItem(0)->SetState(cbsGrayed);
  list->Items().GetItem(1)->SetEnabled(false);
  list->Items().GetItem(2)->SetTag(9);
  TMemoryStream stream;
  stream.WriteComponent(*list);
  stream.SetPosition(0);
  TlxCheckListBox loaded(nullptr);
  stream.ReadComponent(&loaded);
  EXPECT_EQ(loaded.EditValueFormat(), cvfStatesString);
  EXPECT_TRUE(loaded.AllowGrayed());
  EXPECT_FALSE(loaded.ShowChecks());
  EXPECT_EQ(loaded.ImageLayout(), ilAfterChecks);
  ASSERT_EQ(loaded.Items().Count(), 3);
  EXPECT_EQ(loaded.Items().GetItem(0)->Text(), "A");
  EXPECT_EQ(loaded.Items().GetItem(0)->State(), cbsGrayed);
  EXPECT_FALSE(loaded.Items().GetItem(1)->Enabled());
  EXPECT_EQ(loaded.Items().GetItem(2)->Tag(), 9);
  EXPECT_EQ(loaded.InnerCheckListBox().Count(), 3);
}

TEST(CheckListBoxTest, ManyCheckListBoxesLeaveNoHandlesBehind) {
  lxContainerInitialize();
  lxGetDefaultEditStyleController();
  auto* form = new TForm(nullptr);
  form->Show();
  // The first round makes what the whole module shares: check glyphs,
  // scroll-bar painters.
  const auto fill_and_free = [form] {
    auto* list = new TlxCheckListBox(form);
    list->SetParent(form);
    for (int i = 0; i < 30; ++i) {
      TlxCheckListBoxItem* item = list->Items().Add();
      item->SetText("Eintrag");
      item->SetChecked(i % 2 == 0);
    }
    PumpMessagesUntilIdle();
    delete list;
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
  lxFreeDefaultEditStyleController();
  lxContainerFinalize();
}

}  // namespace
