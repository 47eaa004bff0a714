#include "platform/toolkit/list_box.h"

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
#include "tests/support/window_pixels.h"

namespace {

using test_support::SendClick;
using test_support::SendKey;

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 320, 260);
    list_ = new TListBox(form_);
    list_->SetParent(form_);
    list_->SetBounds(10, 10, 200, 200);
    list_->OnClick = [this](TObject*) { clicks_.push_back(list_->ItemIndex()); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  void AddItems(std::initializer_list<const char*> texts) {
    for (const char* text : texts)
      list_->Items().Add(text);
  }
  POINT CentreOf(int32_t index) {
    const TRect rect = list_->ItemRect(index);
    return POINT{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
  }

  TForm* form_ = nullptr;
  TListBox* list_ = nullptr;
  std::vector<int32_t> clicks_;
};

TEST_F(ListBoxTest, ItemsLiveInTheControl) {
  TStrings& items = list_->Items();
  AddItems({"Birne", "Apfel", "Größe"});
  items.Insert(1, "Kiwi");
  EXPECT_EQ(SendMessageW(list_->Handle(), LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(items[1], "Kiwi");
  EXPECT_EQ(items[3], "Größe");
  items.PutData(2, 42);
  list_->SetItemIndex(2);
  items.Put(2, "Aprikose");  // data and selection stay
  EXPECT_EQ(items[2], "Aprikose");
  EXPECT_EQ(items.Data(2), 42);
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(items.IndexOf("größe"), 3);
  EXPECT_EQ(items.IndexOf("Gr"), -1);
  items.Delete(0);
  EXPECT_EQ(items.Count(), 3);
  EXPECT_THROW(items.Get(3), EStringListError);
  EXPECT_THROW(items.Delete(-1), EStringListError);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
  EXPECT_EQ(list_->ItemIndex(), -1);
}

TEST_F(ListBoxTest, PickingByMouseAndKeys) {
  AddItems({"eins", "zwei", "drei", "vier"});
  SendClick(list_->Handle(), CentreOf(2));
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(clicks_, (std::vector<int32_t>{2}));
  SendKey(list_->Handle(), VK_DOWN);
  EXPECT_EQ(list_->ItemIndex(), 3);
  SendKey(list_->Handle(), VK_HOME);
  EXPECT_EQ(list_->ItemIndex(), 0);
  SendMessageW(list_->Handle(), WM_CHAR, 'd', 1);  // the first letter finds the item
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(clicks_, (std::vector<int32_t>{2, 3, 0, 2}));
  // The program's choice is no click.
  list_->SetItemIndex(1);
  EXPECT_EQ(clicks_.size(), 4u);
  int double_clicks = 0;
  list_->OnDblClick = [&](TObject*) { ++double_clicks; };
  test_support::SendDoubleClick(list_->Handle(), CentreOf(1));
  EXPECT_EQ(double_clicks, 1);
  EXPECT_EQ(list_->ItemAtPos(TPoint(CentreOf(3).x, CentreOf(3).y), true), 3);
  EXPECT_EQ(list_->ItemAtPos(TPoint(5, 190), true), -1);
}

TEST_F(ListBoxTest, MultipleSelection) {
  AddItems({"a", "b", "c", "d", "e"});
  list_->SetItemIndex(1);
  list_->SetMultiSelect(true);  // a new window, items kept
  ASSERT_EQ(list_->Count(), 5);
  list_->SetSelected(1, true);
  list_->SetSelected(3, true);
  EXPECT_EQ(list_->SelCount(), 2);
  EXPECT_TRUE(list_->Selected(3));
  EXPECT_FALSE(list_->Selected(2));
  list_->SelectAll();
  EXPECT_EQ(list_->SelCount(), 5);
  list_->ClearSelection();
  EXPECT_EQ(list_->SelCount(), 0);
  EXPECT_THROW(list_->Selected(5), EListError);

  // Shift extends from the last click, as the control does it.
  SendClick(list_->Handle(), CentreOf(0));
  {
    toolkit_test::HeldKeys shift({VK_SHIFT});
    SendKey(list_->Handle(), VK_DOWN);
    SendKey(list_->Handle(), VK_DOWN);
  }
  EXPECT_EQ(list_->SelCount(), 3);

  list_->SetSelected(4, true);
  list_->Items().Put(4, "0");  // sorts to the front
  list_->SetSelected(4, true);
  list_->SetItemIndex(3);
  list_->SetSorted(true);  // and again a new window: the selection stays with the items
  EXPECT_EQ(list_->Items()[0], "0");
  EXPECT_EQ(list_->SelCount(), 4);
  EXPECT_TRUE(list_->Selected(0));
  EXPECT_FALSE(list_->Selected(4));
  EXPECT_EQ(list_->ItemIndex(), 4);  // "d" moved one place down
}

TEST_F(ListBoxTest, SortedListsSortWhateverIsAdded) {
  list_->SetSorted(true);
  AddItems({"Mango", "apfel", "Zitrone", "Banane"});
  EXPECT_EQ(list_->Items()[0], "apfel");
  EXPECT_EQ(list_->Items()[3], "Zitrone");
  EXPECT_EQ(list_->Items().Add("Kiwi"), 2);
}

TEST_F(ListBoxTest, OwnerDrawnFixedItemsAreDrawnByTheProgram) {
  list_->SetStyle(lbOwnerDrawFixed);
  list_->SetItemHeight(24);
  AddItems({"rot", "blau", "rot"});
  std::vector<int32_t> drawn;
  list_->OnDrawItem = [&](TObject* control, int32_t index, TRect rect, TOwnerDrawState) {
    drawn.push_back(index);
    EXPECT_EQ(rect.Height(), 24);
    TCanvas& canvas = static_cast<TListBox*>(control)->Canvas();
    canvas.Brush().SetColor(static_cast<TListBox*>(control)->Items()[index] == "rot" ? clRed : clBlue);
    canvas.FillRect(rect);
  };
  list_->Invalidate();
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(list_->ItemHeight(), 24);
  EXPECT_EQ(list_->ItemRect(1).Height(), 24);
  ASSERT_GE(drawn.size(), 3u);
  const auto pixels = test_support::WindowPixels::Capture(list_->Handle());
  EXPECT_EQ(pixels.At(CentreOf(0).x, CentreOf(0).y), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(CentreOf(1).x, CentreOf(1).y), RGB(0, 0, 255));

  // Without a handler the toolkit draws the text on the selection colours.
  list_->OnDrawItem = nullptr;
  list_->SetItemIndex(2);
  list_->Invalidate();
  test_support::PumpMessagesUntilIdle();
  const auto plain = test_support::WindowPixels::Capture(list_->Handle());
  EXPECT_EQ(plain.At(list_->ItemRect(2).Right - 3, CentreOf(2).y), ColorToColorRef(clHighlight));
  EXPECT_EQ(plain.At(list_->ItemRect(1).Right - 3, CentreOf(1).y), ColorToColorRef(clWindow));
}

TEST_F(ListBoxTest, OwnerDrawnVariableItemsAreMeasured) {
  list_->SetStyle(lbOwnerDrawVariable);
  list_->OnMeasureItem = [](TObject*, int32_t index, int32_t& height) { height = 10 * (index + 1); };
  AddItems({"zehn", "zwanzig", "dreißig"});
  EXPECT_EQ(list_->ItemRect(0).Height(), 10);
  EXPECT_EQ(list_->ItemRect(1).Height(), 20);
  EXPECT_EQ(list_->ItemRect(2).Height(), 30);
  // A new window measures the items again.
  list_->SetMultiSelect(true);
  EXPECT_EQ(list_->ItemRect(2).Height(), 30);
}

TEST_F(ListBoxTest, TwoVariableListsOnOneFormAreEachMeasuredByTheirOwnHandler) {
  auto* other = new TListBox(form_);
  other->SetParent(form_);
  other->SetBounds(215, 10, 100, 200);
  std::vector<std::pair<TObject*, int32_t>> asked_first;
  std::vector<std::pair<TObject*, int32_t>> asked_other;
  list_->SetStyle(lbOwnerDrawVariable);
  list_->OnMeasureItem = [&](TObject* sender, int32_t index, int32_t& height) {
    asked_first.emplace_back(sender, index);
    height = 10 + index;
  };
  other->SetStyle(lbOwnerDrawVariable);
  other->OnMeasureItem = [&](TObject* sender, int32_t index, int32_t& height) {
    asked_other.emplace_back(sender, index);
    height = 30 + index;
  };
  AddItems({"eins", "zwei", "drei"});
  other->Items().Add("uno");
  other->Items().Add("due");

  // Each item is measured once, by the handler of its own list.
  EXPECT_EQ(asked_first, (std::vector<std::pair<TObject*, int32_t>>{{list_, 0}, {list_, 1}, {list_, 2}}));
  EXPECT_EQ(asked_other, (std::vector<std::pair<TObject*, int32_t>>{{other, 0}, {other, 1}}));
  EXPECT_EQ(list_->ItemRect(2).Height(), 12);
  EXPECT_EQ(other->ItemRect(0).Height(), 30);
  EXPECT_EQ(other->ItemRect(1).Height(), 31);
  EXPECT_NE(GetDlgCtrlID(list_->Handle()), GetDlgCtrlID(other->Handle()));

  // A new window of the second list asks its own handler again.
  asked_first.clear();
  asked_other.clear();
  other->SetSorted(true);
  EXPECT_TRUE(asked_first.empty());
  EXPECT_EQ(asked_other.size(), 2u);
  for (const auto& [sender, index] : asked_other)
    EXPECT_EQ(sender, other);
}

TEST_F(ListBoxTest, FixedItemHeightsComeFromTheWindowsOwnQuestion) {
  // The heights are set before the new windows exist: each window asks its
  // parent as it is made, and the question must reach its own list.
  auto* other = new TListBox(form_);
  other->SetParent(form_);
  other->SetBounds(215, 10, 100, 200);
  other->Items().Add("uno");
  AddItems({"eins"});
  list_->SetItemHeight(24);
  other->SetItemHeight(13);
  list_->SetStyle(lbOwnerDrawFixed);
  other->SetStyle(lbOwnerDrawFixed);
  EXPECT_EQ(list_->ItemRect(0).Height(), 24);
  EXPECT_EQ(other->ItemRect(0).Height(), 13);
}

TEST_F(ListBoxTest, ItemsBeforeTheWindowAndAcrossNewWindows) {
  auto* late = new TListBox(form_);
  late->SetSorted(true);
  late->Items().Add("c");
  late->Items().AddData("a", 7);
  late->Items().Add("b");
  late->SetItemIndex(1);
  EXPECT_FALSE(late->HandleAllocated());
  EXPECT_EQ(late->Items()[0], "a");
  late->SetParent(form_);
  late->HandleNeeded();
  EXPECT_EQ(late->Count(), 3);
  EXPECT_EQ(late->Items()[0], "a");
  EXPECT_EQ(late->Items().Data(0), 7);
  EXPECT_EQ(late->ItemIndex(), 1);

  for (int i = 0; i < 30; ++i)
    late->Items().Add("z" + std::to_string(i));
  late->SetTopIndex(10);
  late->SetColumns(2);  // a new window
  EXPECT_EQ(late->Count(), 33);
  EXPECT_EQ(late->ItemIndex(), 1);
  EXPECT_NE(GetWindowLongPtrW(late->Handle(), GWL_STYLE) & LBS_MULTICOLUMN, 0);
}

TEST_F(ListBoxTest, VirtualListsKnowOnlyTheirCountAndAskForTexts) {
  for (TListBoxStyle style : {lbVirtual, lbVirtualOwnerDraw}) {
    list_->SetStyle(style);
    list_->SetItemHeight(20);
    const std::vector<std::string> texts{"Apfel", "Banane", "Birne", "Kiwi"};
    std::vector<int32_t> asked;
    list_->OnData = [&](TWinControl*, int32_t index, std::string& data) {
      asked.push_back(index);
      data = texts.at(static_cast<size_t>(index));
    };
    std::vector<int32_t> drawn;
    list_->OnDrawItem = nullptr;
    if (style == lbVirtualOwnerDraw)
      list_->OnDrawItem = [&](TObject* control, int32_t index, TRect rect, TOwnerDrawState) {
        drawn.push_back(index);
        TCanvas& canvas = static_cast<TListBox*>(control)->Canvas();
        canvas.Brush().SetColor(clRed);
        canvas.FillRect(rect);
      };
    list_->SetCount(4);
    EXPECT_EQ(list_->Count(), 4) << int(style);
    EXPECT_EQ(SendMessageW(list_->Handle(), LB_GETCOUNT, 0, 0), 4) << int(style);
    list_->SetItemIndex(2);
    list_->Invalidate();
    test_support::PumpMessagesUntilIdle();
    const auto pixels = test_support::WindowPixels::Capture(list_->Handle());
    if (style == lbVirtual) {
      EXPECT_NE(std::find(asked.begin(), asked.end(), 3), asked.end()) << "the text of each drawn item";
      EXPECT_EQ(pixels.At(list_->ItemRect(2).Right - 3, CentreOf(2).y), ColorToColorRef(clHighlight));
    } else {
      EXPECT_TRUE(asked.empty()) << "the program draws";
      EXPECT_EQ(drawn.size() >= 4u, true);
      EXPECT_EQ(pixels.At(CentreOf(1).x, CentreOf(1).y), RGB(255, 0, 0));
    }
    // A new window keeps count and selection.
    list_->SetMultiSelect(true);
    list_->SetMultiSelect(false);
    EXPECT_EQ(list_->Count(), 4) << int(style);
    EXPECT_EQ(list_->ItemIndex(), 2) << int(style);
    list_->Clear();
    EXPECT_EQ(SendMessageW(list_->Handle(), LB_GETCOUNT, 0, 0), 0) << int(style);
  }
  list_->SetStyle(lbStandard);
  EXPECT_THROW(list_->SetCount(3), EListError);
}

TEST_F(ListBoxTest, TypingFindsVirtualItemsThroughTheFindEventAndNothingWithoutAutoComplete) {
  list_->SetStyle(lbVirtual);
  list_->SetCount(5);
  std::vector<std::string> searched;
  list_->OnDataFind = [&](TWinControl*, const std::string& text) -> int32_t {
    searched.push_back(text);
    return text == "b" ? 1 : text == "bi" ? 3 : -1;
  };
  SendMessageW(list_->Handle(), WM_CHAR, 'b', 0);
  SendMessageW(list_->Handle(), WM_CHAR, 'i', 0);
  EXPECT_EQ(searched, (std::vector<std::string>{"b", "bi"}));
  EXPECT_EQ(list_->ItemIndex(), 3);
  EXPECT_EQ(clicks_, (std::vector<int32_t>{1, 3}));

  list_->SetStyle(lbStandard);
  AddItems({"Apfel", "Birne", "Kiwi"});
  list_->SetItemIndex(0);
  list_->SetAutoComplete(false);
  SendMessageW(list_->Handle(), WM_CHAR, 'k', 0);
  EXPECT_EQ(list_->ItemIndex(), 0) << "no search without AutoComplete";
  list_->SetAutoComplete(true);
  SendMessageW(list_->Handle(), WM_CHAR, 'k', 0);
  EXPECT_EQ(list_->ItemIndex(), 2) << "the system's own search";
}

TEST(ListBoxLeakTest, ManyListBoxesLeaveNoHandlesBehind) {
  toolkit_test::ExpectNoHandleLeaks(1000, [] {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 200);
    auto* list = new TListBox(form);
    list->SetParent(form);
    list->SetStyle(lbOwnerDrawFixed);
    list->Items().Add("a");
    list->Items().Add("b");
    list->SetItemIndex(1);
    list->Handle();
    list->Repaint();
    list->SetSorted(true);
    form->Free();
  });
}

}  // namespace
