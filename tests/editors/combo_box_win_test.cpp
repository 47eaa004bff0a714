// The combo box on a real form: the list opens by Alt+Down, F4 and its
// button; Esc closes it keeping the value (the key never reaches the form),
// Enter takes the highlighted item (posted with ImmediatePost), an outside
// click closes it and still reaches its target, its own button closes it
// without reopening; a click on an item, the list's rows, the list styles
// and the Revertable double click.

#include "editors/combo_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/editors_module_win.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/form.h"
#include "tests/editors/drop_down_form_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace combo_box_test {

using test_support::PumpMessagesUntilIdle;

using drop_down_fixture::Click;

// A combo box that tells when it writes its value.
class PostingComboBox : public TlxComboBox {
 public:
  static constexpr TClass kClass{"TPostingComboBox", &TlxComboBox::kClass, &ConstructInstance<PostingComboBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxComboBox::TlxComboBox;

  void BeginPosting() override {
    if (log != nullptr)
      log->push_back("posted " + ShownText());
    TlxComboBox::BeginPosting();
  }

  std::vector<std::string>* log = nullptr;
};

// A form with a combo box of the given items, a cancel button and a
// button elsewhere, the combo box focused.
class ComboForm : public drop_down_fixture::DropDownForm<PostingComboBox> {
 public:
  explicit ComboForm(std::initializer_list<const char*> items = {"Alpha", "Beta", "Gamma"}) : combo(edit) {
    combo->log = &log;
    TStringList list;
    for (const char* item : items)
      list.Add(item);
    Properties()->SetItems(&list);
    Properties()->OnClosePopup = [this](TObject*, int32_t reason) { log.push_back("close " + std::to_string(reason)); };
    ShowFocused();
  }

  TlxComboBoxProperties* Properties() const { return combo->GetProperties(); }
  TlxCustomEditListBox* List() const { return combo->GetLookupData()->List(); }

  PostingComboBox* combo;
};

using Log = std::vector<std::string>;

TEST(ComboBoxTest, AltDownF4AndTheButtonOpenTheListOfTheItems) {
  ComboForm fixture;
  fixture.Key(VK_DOWN, true);
  ASSERT_TRUE(fixture.Open());
  ASSERT_NE(fixture.List(), nullptr);
  EXPECT_EQ(fixture.List()->Count(), 3);
  EXPECT_TRUE(IsWindowVisible(fixture.List()->Handle()));
  fixture.Key(VK_UP, true);
  EXPECT_FALSE(fixture.Open());
  fixture.Key(VK_F4);
  EXPECT_TRUE(fixture.Open());
  fixture.Key(VK_F4);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.combo->CloseUpReason(), crClose);
  Click(fixture.combo->Handle(), fixture.ButtonCenter());
  EXPECT_TRUE(fixture.Open());
}

TEST(ComboBoxTest, EscClosesKeepingTheValueAndTheFormSeesNoKey) {
  ComboForm fixture;
  fixture.combo->SetItemIndex(1);
  ASSERT_EQ(fixture.combo->ShownText(), "Beta");
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.Key(VK_DOWN);
  EXPECT_EQ(fixture.List()->ItemIndex(), 2) << "the list moves, the value waits";
  fixture.TakeLog();
  fixture.Key(VK_ESCAPE);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.combo->ShownText(), "Beta");
  EXPECT_EQ(fixture.combo->ItemIndex(), 1);
  EXPECT_EQ(fixture.TakeLog(), (Log{"close 3"})) << "the cancel button saw nothing";
}

TEST(ComboBoxTest, EnterTakesTheHighlightedItemAndPostsItWithImmediatePost) {
  ComboForm fixture;
  fixture.Properties()->SetImmediatePost(true);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.Key(VK_DOWN);
  fixture.Key(VK_DOWN);
  fixture.TakeLog();
  fixture.Key(VK_RETURN);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.combo->ShownText(), "Beta");
  EXPECT_EQ(fixture.combo->ItemIndex(), 1);
  EXPECT_EQ(fixture.TakeLog(), (Log{"posted Beta", "close 4"}));
}

TEST(ComboBoxTest, AnOutsideClickClosesAndStillReachesItsTarget) {
  ComboForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.TakeLog();
  Click(fixture.target->Handle(), POINT{40, 12});
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"close 0", "target clicked"}));
}

TEST(ComboBoxTest, ItsOwnButtonClosesTheListWithoutReopeningIt) {
  ComboForm fixture;
  Click(fixture.combo->Handle(), fixture.ButtonCenter());
  ASSERT_TRUE(fixture.Open());
  fixture.TakeLog();
  Click(fixture.combo->Handle(), fixture.ButtonCenter());
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"close 0"}));
}

TEST(ComboBoxTest, ReleasingTheMouseOnAnItemMakesItTheValue) {
  ComboForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  TlxCustomEditListBox* list = fixture.List();
  const TRect item = list->ItemRect(2);
  Click(list->Handle(), POINT{item.Left + 10, (item.Top + item.Bottom) / 2});
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.combo->CloseUpReason(), crEnter);
  EXPECT_EQ(fixture.combo->ShownText(), "Gamma");
  EXPECT_EQ(fixture.combo->ItemIndex(), 2);
}

TEST(ComboBoxTest, TheListShowsDropDownRowsAndAScrollBarOnlyWhenItemsRemain) {
  struct Case {
    int32_t items;
    int32_t rows;
    bool scroll_bar;
  };
  for (const Case& c : {Case{20, 8, true}, Case{5, 5, false}}) {
    ComboForm fixture({});
    TStringList items;
    for (int32_t i = 0; i < c.items; ++i)
      items.Add("Eintrag " + std::to_string(i));
    fixture.Properties()->SetItems(&items);
    fixture.Key(VK_F4);
    ASSERT_TRUE(fixture.Open()) << c.items;
    TlxCustomEditListBox* list = fixture.List();
    RECT client{};
    GetClientRect(list->Handle(), &client);
    EXPECT_EQ(client.bottom / list->GetItemHeight(0), c.rows) << c.items;
    EXPECT_EQ((GetWindowLongW(list->Handle(), GWL_STYLE) & WS_VSCROLL) != 0, c.scroll_bar) << c.items;
  }
  ComboForm fixture;
  fixture.Properties()->SetDropDownRows(0);
  EXPECT_EQ(fixture.Properties()->DropDownRows(), 8) << "0 leaves the previous value";
}

TEST(ComboBoxTest, TheWheelOverTheEditorScrollsTheOpenList) {
  ComboForm fixture({});
  TStringList items;
  for (int32_t i = 0; i < 30; ++i)
    items.Add("Eintrag " + std::to_string(i));
  fixture.Properties()->SetItems(&items);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  HWND list = fixture.List()->Handle();
  ASSERT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
  RECT bounds{};
  GetWindowRect(fixture.combo->Handle(), &bounds);
  HWND focused = GetFocus();
  ASSERT_NE(focused, nullptr);
  SendMessageW(focused, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-WHEEL_DELTA * 2)) << 16, MAKELPARAM(bounds.left + 5, bounds.top + 5));
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.Open()) << "the wheel scrolls, it does not close";
  EXPECT_GT(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 0);
}

TEST(ComboBoxTest, AFixedListRefusesTypingAndOpensOnAClickIntoTheText) {
  ComboForm fixture;
  fixture.Properties()->SetDropDownListStyle(lsFixedList);
  EXPECT_FALSE(fixture.combo->AllowsTextEditing());
  test_support::SendText(fixture.combo->GetInnerTextEdit()->GetControl()->Handle(), "q");
  PumpMessagesUntilIdle(300);
  EXPECT_EQ(fixture.combo->ShownText(), "");
  EXPECT_TRUE(fixture.Open()) << "a typed letter opens the list all the same";
  fixture.Key(VK_ESCAPE);
  ASSERT_FALSE(fixture.Open());
  Click(fixture.combo->Handle(), POINT{20, 12});
  EXPECT_TRUE(fixture.Open());
}

TEST(ComboBoxTest, ADoubleClickOnARevertableBoxStepsToTheNextItemAndWraps) {
  ComboForm fixture;
  fixture.Properties()->SetRevertable(true);
  fixture.combo->SetItemIndex(1);
  const HWND inner = fixture.combo->GetInnerTextEdit()->GetControl()->Handle();
  test_support::SendDoubleClick(inner, POINT{10, 8});
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.combo->ShownText(), "Gamma");
  test_support::SendDoubleClick(inner, POINT{10, 8});
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.combo->ShownText(), "Alpha");
  EXPECT_FALSE(fixture.Open());
}

TEST(ComboBoxTest, TheKindIsRegistered) {
  lxEditorsInitialize();
  lxComboBoxInitialize();
  TlxRegisteredClasses& registry = lxGetRegisteredEditProperties();
  const int32_t index = registry.IndexOf(&TlxComboBoxProperties::kClass);
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry.DisplayText(index), "ComboBox|Represents the combo box editor");
  TlxComboBoxProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxComboBox::kClass);
  lxComboBoxFinalize();
  lxEditorsFinalize();
}

}  // namespace combo_box_test
