#include "platform/toolkit/combo_box.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/message_dialog_test.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

using test_support::SendClick;
using test_support::SendKey;
using test_support::SendText;

class ComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 320, 300);
    combo_ = new TComboBox(form_);
    combo_->SetParent(form_);
    combo_->SetBounds(10, 10, 200, 24);
    for (const char* text : {"Default", "PDF", "Datei", "Größe"})
      combo_->Items().Add(text);
    combo_->OnChange = [this](TObject*) { events_.push_back("change:" + combo_->Text()); };
    combo_->OnDropDown = [this](TObject*) { events_.push_back("dropdown"); };
    combo_->OnCloseUp = [this](TObject*) { events_.push_back("closeup"); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  COMBOBOXINFO Info() {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo_->Handle(), &info);
    return info;
  }

  TForm* form_ = nullptr;
  TComboBox* combo_ = nullptr;
  std::vector<std::string> events_;
};

TEST_F(ComboBoxTest, ListOnlyStylePicksByKeysAndText) {
  combo_->SetStyle(csDropDownList);
  ASSERT_EQ(combo_->Items().Count(), 4);
  combo_->SetItemIndex(0);
  EXPECT_EQ(combo_->Text(), "Default");
  EXPECT_TRUE(events_.empty());  // the program's choice is no change

  SendKey(combo_->Handle(), VK_DOWN);
  EXPECT_EQ(combo_->ItemIndex(), 1);
  EXPECT_EQ(combo_->Text(), "PDF");
  SendKey(combo_->Handle(), VK_END);
  EXPECT_EQ(combo_->ItemIndex(), 3);
  EXPECT_EQ(events_, (std::vector<std::string>{"change:PDF", "change:Größe"}));

  // Text picks the item of that text.
  combo_->SetText("datei");
  EXPECT_EQ(combo_->ItemIndex(), 2);
  combo_->SetText("nothing");
  EXPECT_EQ(combo_->ItemIndex(), -1);
  EXPECT_EQ(combo_->Text(), "");

  int selects = 0;
  combo_->OnSelect = [&](TObject*) { ++selects; };
  events_.clear();
  SendKey(combo_->Handle(), VK_HOME);
  EXPECT_EQ(selects, 1);
  EXPECT_TRUE(events_.empty());  // OnSelect takes the place of OnChange
}

TEST_F(ComboBoxTest, PickingFromTheDroppedListByMouse) {
  combo_->SetStyle(csDropDownList);
  combo_->SetDropDownCount(3);
  for (int i = 0; i < 10; ++i)
    combo_->Items().Add("Mehr " + std::to_string(i));
  combo_->SetDroppedDown(true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(combo_->DroppedDown());
  HWND list = Info().hwndList;
  ASSERT_NE(list, nullptr);
  RECT client{};
  GetClientRect(list, &client);
  const auto item_height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  EXPECT_EQ(client.bottom / item_height, 3);  // DropDownCount rows

  RECT item{};
  SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  SendClick(list, POINT{(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(combo_->DroppedDown());
  EXPECT_EQ(combo_->ItemIndex(), 2);
  EXPECT_EQ(combo_->Text(), "Datei");
  ASSERT_FALSE(events_.empty());
  EXPECT_EQ(events_.front(), "dropdown");
  EXPECT_NE(std::find(events_.begin(), events_.end(), "change:Datei"), events_.end());
  EXPECT_NE(std::find(events_.begin(), events_.end(), "closeup"), events_.end());
}

TEST_F(ComboBoxTest, EditStyleTakesTypingAndChoices) {
  HWND edit = Info().hwndItem;
  ASSERT_NE(edit, nullptr);
  SendText(edit, "Dru");
  EXPECT_EQ(combo_->Text(), "Dru");
  EXPECT_EQ(events_, (std::vector<std::string>{"change:D", "change:Dr", "change:Dru"}));
  EXPECT_EQ(combo_->ItemIndex(), -1);
  combo_->SetSelStart(1);
  combo_->SetSelLength(2);
  EXPECT_EQ(combo_->SelText(), "ru");

  events_.clear();
  SendKey(combo_->Handle(), VK_DOWN);  // the arrow keys walk the list
  EXPECT_EQ(combo_->ItemIndex(), 0);
  EXPECT_EQ(events_, (std::vector<std::string>{"change:Default"}));

  combo_->SetMaxLength(4);
  combo_->SetText("");
  SendText(edit, "abcdef");
  EXPECT_EQ(combo_->Text(), "abcd");
}

TEST_F(ComboBoxTest, StyleChangesKeepItemsSelectionAndText) {
  HWND edit = Info().hwndItem;
  SendText(edit, "frei");
  combo_->SetStyle(csSimple);
  EXPECT_EQ(combo_->Items().Count(), 4);
  EXPECT_EQ(combo_->Text(), "frei");
  combo_->SetItemIndex(3);
  combo_->SetStyle(csDropDownList);
  EXPECT_EQ(combo_->ItemIndex(), 3);
  EXPECT_EQ(combo_->Text(), "Größe");
  combo_->SetSorted(true);
  EXPECT_EQ(combo_->Items()[0], "Datei");
  EXPECT_EQ(combo_->Text(), "Größe");
  combo_->SetStyle(csDropDown);
  EXPECT_EQ(combo_->Text(), "Größe");

  // Before the window exists everything is kept for it.
  auto* late = new TComboBox(form_);
  late->SetStyle(csDropDownList);
  late->Items().Add("eins");
  late->Items().Add("zwei");
  late->SetItemIndex(1);
  EXPECT_EQ(late->Text(), "zwei");
  late->SetParent(form_);
  EXPECT_EQ(late->ItemIndex(), 1);
  EXPECT_EQ(late->Text(), "zwei");
}

TEST_F(ComboBoxTest, OwnerDrawnItems) {
  std::vector<std::pair<int32_t, bool>> drawn;
  combo_->OnDrawItem = [&](TObject* control, int32_t index, TRect rect, TOwnerDrawState state) {
    drawn.emplace_back(index, state.Contains(odComboBoxEdit));
    TCanvas& canvas = static_cast<TComboBox*>(control)->Canvas();
    canvas.Brush().SetColor(clYellow);
    canvas.FillRect(rect);
  };
  combo_->SetStyle(csOwnerDrawVariable);
  combo_->OnMeasureItem = [](TObject*, int32_t index, int32_t& height) { height = 12 + index; };
  combo_->Items().Add("measured");
  combo_->SetItemIndex(1);
  combo_->Invalidate();
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETITEMHEIGHT, 4, 0), 16);
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back(), std::make_pair(1, true));  // the field shows the chosen item

  combo_->SetStyle(csOwnerDrawFixed);
  combo_->SetItemHeight(20);
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETITEMHEIGHT, 0, 0), 20);
  EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, TwoVariableCombosOnOneFormAreEachMeasuredByTheirOwnHandler) {
  auto* other = new TComboBox(form_);
  other->SetParent(form_);
  other->SetBounds(10, 150, 200, 24);
  std::vector<std::pair<TObject*, int32_t>> asked_first;
  std::vector<std::pair<TObject*, int32_t>> asked_other;
  combo_->SetStyle(csOwnerDrawVariable);
  combo_->OnMeasureItem = [&](TObject* sender, int32_t index, int32_t& height) {
    asked_first.emplace_back(sender, index);
    height = 12 + index;
  };
  other->SetStyle(csOwnerDrawVariable);
  other->SetItemHeight(22);
  other->OnMeasureItem = [&](TObject* sender, int32_t index, int32_t& height) {
    asked_other.emplace_back(sender, index);
    height += index;
  };
  asked_first.clear();
  combo_->Items().Add("fünf");
  other->Items().Add("uno");
  other->Items().Add("due");

  EXPECT_EQ(asked_first, (std::vector<std::pair<TObject*, int32_t>>{{combo_, 4}}));
  EXPECT_EQ(asked_other, (std::vector<std::pair<TObject*, int32_t>>{{other, 0}, {other, 1}}));
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETITEMHEIGHT, 4, 0), 16);
  EXPECT_EQ(SendMessageW(other->Handle(), CB_GETITEMHEIGHT, 0, 0), 22);
  EXPECT_EQ(SendMessageW(other->Handle(), CB_GETITEMHEIGHT, 1, 0), 23);
}

TEST(ComboBoxLeakTest, ManyComboBoxesLeaveNoHandlesBehind) {
  toolkit_test::ExpectNoHandleLeaks(1000, [] {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 200);
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->Items().Add("a");
    combo->Items().Add("b");
    combo->SetItemIndex(1);
    combo->Handle();
    combo->SetStyle(csDropDownList);
    form->Free();
  });
}

}  // namespace
