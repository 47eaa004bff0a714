#include "editors/kinds/filter_control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/color.h"
#include "platform/toolkit/form.h"
#include "tests/editors/kinds/filter_builder_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_pixels.h"

namespace filter_control_win_test {

// A component whose filter the control edits.
class TLinkComponent : public TComponent, public filter_builder_test::TLink {
 public:
  explicit TLinkComponent(TComponent* owner) : TComponent(owner) {}
};

// Lists answered by the test: each list shown is recorded, and the line
// whose text is `answer` is chosen.
class TScriptedLists : public IlxFilterInplaceEditing {
 public:
  bool ChooseFromList(TlxCustomFilterControl&, uint8_t edit_mode, TStrings& items, const TRect&,
                      const std::string& current, intptr_t& chosen) override {
    shown.push_back(edit_mode);
    lines.clear();
    for (int32_t i = 0; i < items.Count(); ++i)
      lines.push_back(items[i]);
    const int32_t index = items.IndexOf(answer);
    if (index < 0 || answer == current)
      return false;
    chosen = items.Data(index);
    return true;
  }
  void OpenOperandEditor(TlxCustomFilterControl&, TlxConditionViewInfo&, int32_t index, uint8_t activation,
                         char16_t key) override {
    opened.push_back({index, activation, key});
  }
  void CloseOperandEditor(bool) override {}
  bool OperandEditorOpen() override { return false; }
  bool OperandEditorFocused() override { return false; }
  void ForgetOperandEditor() override {}

  struct Opened {
    int32_t index;
    uint8_t activation;
    char16_t key;
  };
  std::string answer;
  std::vector<uint8_t> shown;
  std::vector<std::string> lines;
  std::vector<Opened> opened;
};

class FilterControlWindowTest : public ::testing::Test {
 protected:
  // The library's and the system's shared drawing objects (painters,
  // menu drawing) are made on first use: once here, before any count.
  static void SetUpTestSuite() {
    TForm* form = new TForm(nullptr);
    auto* link = new TLinkComponent(form);
    link->Add(1, "Name", &StatelessInstance<TlxStringValueType>());
    link->criteria->AddItem(&link->criteria->Root(), link->items[0].get(), fokEqual, Variant("x"), "x");
    auto* control = new TlxFilterControl(form);
    control->SetParent(form);
    control->SetLinkComponent(link);
    form->Show();
    test_support::PumpMessagesUntilIdle();
    test_support::RunWhileModal([] {
      HWND menu = test_support::FindThreadWindow(L"#32768");
      if (menu == nullptr)
        return false;
      PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
      return true;
    });
    control->ShowRowMenu();
    test_support::StopModalScript();
    form->Free();
    test_support::PumpMessagesUntilIdle();
  }
  void SetUp() override {
    gdi_objects_ = test_support::CountGdiObjects();
    user_objects_ = test_support::CountUserObjects();
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 460, 320);
    link_ = new TLinkComponent(form_);
    name_ = link_->Add(1, "Name", &StatelessInstance<TlxStringValueType>());
    size_ = link_->Add(2, "Größe", &StatelessInstance<TlxIntegerValueType>());
    control_ = new TlxFilterControl(form_);
    control_->SetParent(form_);
    control_->SetBounds(10, 10, 400, 240);
    auto lists = std::make_unique<TScriptedLists>();
    lists_ = lists.get();
    control_->SetInplaceEditing(std::move(lists));
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxFilterPainterFinalize();
    EXPECT_LE(test_support::CountGdiObjects(), gdi_objects_ + 2);
    EXPECT_LE(test_support::CountUserObjects(), user_objects_ + 2);
  }

  TlxFilterBuilder& Builder() { return control_->Builder(); }
  HWND Window() { return control_->Handle(); }
  // Root, "Name like a%", an AND group holding "Größe = 4".
  void LinkTwoLevels() {
    TlxFilterCriteriaItemList& root = link_->criteria->Root();
    link_->criteria->AddItem(&root, name_, fokLike, Variant("a%"), "a%");
    TlxFilterCriteriaItemList* group = root.AddSubList(fbkAnd);
    link_->criteria->AddItem(group, size_, fokEqual, Variant(4), "4");
    control_->SetLinkComponent(link_);
    test_support::PumpMessagesUntilIdle();
  }
  TlxConditionViewInfo& ConditionAt(size_t row) {
    return dynamic_cast<TlxConditionViewInfo&>(*Builder().RowList().at(row));
  }
  static POINT Centre(const TRect& rect) { return POINT{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2}; }
  void Click(const TRect& rect) {
    test_support::InputClick(Window(), Centre(rect));
    test_support::PumpMessagesUntilIdle();
  }
  // Real key strokes to the focused control.
  void Key(UINT key, bool shift = false, bool control = false) {
    test_support::InputKey(key, shift, control);
    test_support::PumpMessagesUntilIdle();
  }
  void Focus() {
    control_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  test_support::WindowPixels Pixels() {
    RedrawWindow(Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return test_support::WindowPixels::Capture(Window());
  }
  // Whether some pixel of `rect` has the colour.
  static bool Shows(const test_support::WindowPixels& pixels, const TRect& rect, TColor color) {
    const COLORREF wanted = ColorToRGB(color) & 0xFFFFFF;
    for (int32_t y = rect.Top; y < rect.Bottom; ++y)
      for (int32_t x = rect.Left; x < rect.Right; ++x)
        if (pixels.At(x, y) == wanted)
          return true;
    return false;
  }
  static COLORREF System(int index) { return GetSysColor(index); }

  TForm* form_ = nullptr;
  TLinkComponent* link_ = nullptr;
  filter_builder_test::TItem* name_ = nullptr;
  filter_builder_test::TItem* size_ = nullptr;
  TlxFilterControl* control_ = nullptr;
  TScriptedLists* lists_ = nullptr;
  DWORD gdi_objects_ = 0;
  DWORD user_objects_ = 0;
};

TEST_F(FilterControlWindowTest, WithoutLinkOnlyADisabledFooterShows) {
  Focus();
  EXPECT_EQ(control_->ViewInfo().FooterButtonState, lxbsDisabled);
  Key(VK_INSERT);
  Click(control_->ViewInfo().FooterButtonRect);
  EXPECT_EQ(Builder().RowList().size(), 1u);
  // The focus rectangle lies 2 pixels inside the client area.
  EXPECT_EQ(control_->ViewInfo().FocusRect, control_->ClientBounds().Inflate(-2, -2));
}

TEST_F(FilterControlWindowTest, LinkTextsShowInTheirPartFontColours) {
  LinkTwoLevels();
  const test_support::WindowPixels pixels = Pixels();
  EXPECT_TRUE(Shows(pixels, Builder().Root().GroupOperatorRect, clRed));
  EXPECT_TRUE(Shows(pixels, ConditionAt(1).ItemCaptionRect, clGreen));
  EXPECT_TRUE(Shows(pixels, ConditionAt(1).OperatorCaptionRect, clMaroon));
  EXPECT_TRUE(Shows(pixels, ConditionAt(1).Values().Item(0).OperandRect, clBlue));
  EXPECT_FALSE(Shows(pixels, ConditionAt(1).ItemCaptionRect, clRed));
  control_->SetEnabled(false);
  test_support::PumpMessagesUntilIdle();
  // Disabled: link texts in the shadow colour over a highlight copy.
  const test_support::WindowPixels disabled = Pixels();
  EXPECT_FALSE(Shows(disabled, ConditionAt(1).ItemCaptionRect, clGreen));
  EXPECT_TRUE(Shows(disabled, ConditionAt(1).ItemCaptionRect, clBtnShadow));
}

TEST_F(FilterControlWindowTest, LevelLinesAreDotted) {
  LinkTwoLevels();
  TlxConditionViewInfo& nested = ConditionAt(3);
  const int32_t x = nested.Parent()->ButtonRect.Left + nested.ButtonRect.Width() / 2;
  const int32_t middle = nested.RowRect.Top + nested.RowRect.Height() / 2;
  const test_support::WindowPixels pixels = Pixels();
  const COLORREF line = System(COLOR_3DDKSHADOW);
  const COLORREF background = System(COLOR_BTNFACE);
  // Along the horizontal line the dots alternate.
  const int32_t from = x + 2;
  for (int32_t px = from; px < from + 4; ++px) {
    const bool dot = (px + middle) % 2 == 1;
    EXPECT_EQ(pixels.At(px, middle), dot ? line : background) << px;
  }
  // The vertical line of the root's group child runs down to the nested row.
  int dots = 0;
  for (int32_t py = nested.RowRect.Top; py < middle; ++py)
    dots += pixels.At(x, py) == line ? 1 : 0;
  EXPECT_GE(dots, (middle - nested.RowRect.Top) / 2 - 1);
  control_->Builder().SetShowLevelLines(false);
  const test_support::WindowPixels plain = Pixels();
  for (int32_t py = nested.RowRect.Top; py < middle; ++py)
    EXPECT_EQ(plain.At(x, py), background);
}

TEST_F(FilterControlWindowTest, FocusRectangleShowsOnlyWithTheFocus) {
  LinkTwoLevels();
  const TRect focus = control_->ViewInfo().FocusRect;
  ASSERT_FALSE(focus.IsEmpty());
  auto framed = [&](const test_support::WindowPixels& pixels) {
    int changed = 0;
    for (int32_t x = focus.Left; x < focus.Right; ++x)
      changed += pixels.At(x, focus.Top) != System(COLOR_BTNFACE) ? 1 : 0;
    return changed;
  };
  Focus();
  EXPECT_GT(framed(Pixels()), focus.Width() / 3);
  ::SetFocus(form_->Handle());
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(framed(Pixels()), 0);
}

TEST_F(FilterControlWindowTest, KeysBuildMoveAndRemoveRows) {
  LinkTwoLevels();
  control_->SetWantTabs(true);
  Focus();
  Key(VK_DOWN);
  EXPECT_EQ(Builder().FocusedInfo.Row, Builder().RowList()[1]);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkItem);
  Key(VK_TAB);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkOperator);
  Key(VK_TAB, true);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkItem);
  Key(VK_INSERT);  // into the row's group, at its end
  ASSERT_EQ(Builder().RowList().size(), 5u);
  EXPECT_EQ(Builder().FocusedInfo.Row, Builder().RowList()[4]);
  EXPECT_EQ(Builder().FocusedInfo.Row->Parent(), &Builder().Root());
  Key(VK_DELETE);  // without Ctrl nothing
  EXPECT_EQ(Builder().RowList().size(), 5u);
  Key(VK_DELETE, false, true);
  EXPECT_EQ(Builder().RowList().size(), 4u);
  // Down to the footer, Enter adds a condition at the end.
  Key(VK_DOWN);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkFooterButton);
  EXPECT_EQ(control_->ViewInfo().FooterButtonState, lxbsDefault);
  Key(VK_RETURN);
  EXPECT_EQ(Builder().RowList().size(), 5u);
  EXPECT_EQ(Builder().FocusedInfo.Row, Builder().RowList().back());
}

TEST_F(FilterControlWindowTest, ClicksActivateTheElementUnderTheMouse) {
  LinkTwoLevels();
  Click(control_->ViewInfo().FooterButtonRect);
  ASSERT_EQ(Builder().RowList().size(), 5u);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkItem);

  lists_->answer = "between";
  Click(ConditionAt(3).OperatorCaptionRect);
  ASSERT_EQ(lists_->shown.back(), femOperatorList);
  EXPECT_EQ(ConditionAt(3).Operator, fcoBetween);
  EXPECT_EQ(ConditionAt(3).Values().Count(), 2);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkOperand);
  EXPECT_EQ(Builder().EditMode, femNone);

  lists_->answer = "Größe";
  Click(ConditionAt(1).ItemCaptionRect);
  EXPECT_EQ(lists_->shown.back(), femItemList);
  EXPECT_EQ(lists_->lines, (std::vector<std::string>{"Name", "Größe"}));
  EXPECT_EQ(ConditionAt(1).LinkObject, size_);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkOperator);

  lists_->answer = "NOT OR";
  Click(Builder().Root().GroupOperatorRect);
  EXPECT_EQ(Builder().Root().GroupOperator, fbkNotOr);

  Click(ConditionAt(1).Values().Item(0).OperandRect);
  ASSERT_EQ(lists_->opened.size(), 1u);
  EXPECT_EQ(lists_->opened[0].activation, lxFilterActivateByMouse);
  EXPECT_EQ(Builder().EditMode, femOperandEditor);
  Builder().EditMode = femNone;
  test_support::SendText(Window(), "7");
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(lists_->opened.size(), 2u);
  EXPECT_EQ(lists_->opened[1].key, u'7');
}

TEST_F(FilterControlWindowTest, ButtonsUnderTheMouseAreDrawnHot) {
  LinkTwoLevels();
  auto move_to = [&](const TRect& rect) {
    test_support::SendMouseMove(Window(), Centre(rect));
    test_support::PumpMessagesUntilIdle();
  };
  move_to(control_->ViewInfo().FooterButtonRect);
  EXPECT_EQ(Builder().HotInfo.Kind, fhkFooterButton);
  EXPECT_EQ(control_->ViewInfo().FooterButtonState, lxbsHot);
  move_to(Builder().RowList()[1]->ButtonRect);
  EXPECT_EQ(Builder().HotInfo.Kind, fhkRowButton);
  EXPECT_EQ(Builder().RowList()[1]->ButtonState, lxbsHot);
  EXPECT_EQ(control_->ViewInfo().FooterButtonState, lxbsNormal);
  move_to(ConditionAt(1).ItemCaptionRect);
  EXPECT_EQ(Builder().HotInfo.Kind, fhkItem);
  EXPECT_EQ(Builder().RowList()[1]->ButtonState, lxbsNormal);
  // Without hot tracking while unfocused nothing is hot.
  Builder().SetHotTrackOnUnfocused(false);
  ::SetFocus(form_->Handle());
  test_support::PumpMessagesUntilIdle();
  move_to(control_->ViewInfo().FooterButtonRect);
  EXPECT_EQ(control_->ViewInfo().FooterButtonState, lxbsNormal);
}

TEST_F(FilterControlWindowTest, ClicksAreIgnoredWhileAnOperandIsRefused) {
  LinkTwoLevels();
  Builder().OperandError = true;
  Click(control_->ViewInfo().FooterButtonRect);
  EXPECT_EQ(Builder().RowList().size(), 4u);
  Builder().OperandError = false;
  Click(control_->ViewInfo().FooterButtonRect);
  EXPECT_EQ(Builder().RowList().size(), 5u);
}

TEST_F(FilterControlWindowTest, RowMenuAddsAGroup) {
  LinkTwoLevels();
  test_support::RunWhileModal([] {
    HWND menu = test_support::FindThreadWindow(L"#32768");
    if (menu == nullptr)
      return false;
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    return true;
  });
  Click(Builder().Root().ButtonRect);
  test_support::StopModalScript();
  EXPECT_EQ(Builder().EditMode, femNone);
  ASSERT_EQ(Builder().RowList().size(), 6u);
  EXPECT_TRUE(Builder().RowList()[4]->IsGroup());
  EXPECT_EQ(control_->RowMenu().Items().Items(3)->Caption(), "Clear &All");
}

TEST_F(FilterControlWindowTest, FreeingTheLinkedComponentUnlinks) {
  LinkTwoLevels();
  ASSERT_EQ(control_->LinkComponent(), link_);
  delete link_;
  link_ = nullptr;
  EXPECT_EQ(control_->LinkComponent(), nullptr);
  EXPECT_EQ(Builder().Link(), nullptr);
  EXPECT_EQ(Builder().RowList().size(), 1u);
  // A component without the interface counts as none.
  TComponent plain(nullptr);
  control_->SetLinkComponent(&plain);
  EXPECT_EQ(control_->LinkComponent(), nullptr);
}

TEST_F(FilterControlWindowTest, NullStringAndPartFontsAreStoredOnlyWhenChanged) {
  const TPropertyList& properties = TlxFilterControl::kClass.Properties();
  const TPropInfo* null_string = properties.Find("NullString");
  const TPropInfo* font_item = properties.Find("FontItem");
  ASSERT_NE(null_string, nullptr);
  ASSERT_NE(font_item, nullptr);
  EXPECT_FALSE(null_string->Stored(*control_));
  EXPECT_FALSE(font_item->Stored(*control_));
  null_string->SetStr(*control_, "(nichts)");
  EXPECT_TRUE(null_string->Stored(*control_));
  // Reloaded texts keep a NullString of the user's.
  control_->LoadTexts();
  EXPECT_EQ(control_->Builder().NullString(), "(nichts)");

  control_->PartFont(1).SetColor(clNavy);
  EXPECT_TRUE(font_item->Stored(*control_));
  // The control's font gives every part its face and size, not its colour.
  control_->Font().SetHeight(-19);
  EXPECT_EQ(control_->PartFont(1).Height(), -19);
  EXPECT_EQ(control_->PartFont(1).Color(), clNavy);
  EXPECT_EQ(control_->PartFont(0).Color(), clRed);
}

TEST_F(FilterControlWindowTest, WantTabsDecidesWhereTabGoes) {
  LinkTwoLevels();
  EXPECT_FALSE(control_->WantedKeys().Contains(wkTab));
  control_->SetWantTabs(true);
  EXPECT_TRUE(control_->WantedKeys().Contains(wkTab));
  Focus();
  Key(VK_TAB);
  EXPECT_EQ(Builder().FocusedInfo.Kind, fhkRowButton);
  EXPECT_EQ(Builder().FocusedInfo.Row, Builder().RowList()[1]);
}

}  // namespace filter_control_win_test
