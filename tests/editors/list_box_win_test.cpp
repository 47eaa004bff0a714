#include "editors/list_box_win.h"

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

namespace {

using test_support::PumpMessagesUntilIdle;

// A binding that keeps one value, as a data field would.
class StoredValueBinding : public TlxCustomDataBinding {
 public:
  static constexpr TClass kClass{"StoredValueBinding", &TlxCustomDataBinding::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomDataBinding::TlxCustomDataBinding;

  Variant GetStoredValue() const override { return value; }
  void SetStoredValue(const Variant& new_value) override { value = new_value; }
  void Reset() override { ++resets; }
  void CommitData() override { ++commits; }

  Variant value;
  int32_t resets = 0;
  int32_t commits = 0;
};

class BoundListBox : public TlxListBox {
 public:
  explicit BoundListBox(TComponent* owner)
      : TlxListBox(owner, lxDataBindingClassOf<StoredValueBinding>(), &TlxInnerListBox::kClass) {}
  StoredValueBinding& Binding() const { return static_cast<StoredValueBinding&>(DataBinding()); }
};

// A form with an edit-like control before and after the list box.
class ListBoxFixture {
 public:
  ListBoxFixture() {
    lxContainerInitialize();
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 300);
    before = new TlxContainer(form);
    before->SetParent(form);
    before->SetBounds(10, 10, 60, 20);
    list = new BoundListBox(form);
    list->SetParent(form);
    list->SetBounds(10, 40, 160, 120);
    after = new TlxContainer(form);
    after->SetParent(form);
    after->SetBounds(10, 200, 60, 20);
    for (const char* text : {"Apfel", "Abend", "Birne", "Banane", "Kiwi"})
      list->Items().Add(text);
    form->Show();
    PumpMessagesUntilIdle();
  }
  ~ListBoxFixture() {
    form->Free();
    PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
    lxContainerFinalize();
  }
  ListBoxFixture(const ListBoxFixture&) = delete;
  ListBoxFixture& operator=(const ListBoxFixture&) = delete;

  HWND Inner() const { return list->InnerListBox().Handle(); }
  void Type(char16_t character) const { SendMessageW(Inner(), WM_CHAR, character, 0); }
  POINT ItemCentre(int32_t index) const {
    const TRect rect = list->InnerListBox().ItemRect(index);
    return POINT{(rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2};
  }

  TForm* form;
  TlxContainer* before;
  BoundListBox* list;
  TlxContainer* after;
};

TEST(ListBoxTest, TheInnerListBoxFillsTheBorderAndListBoxMessagesReachIt) {
  ListBoxFixture fixture;
  TlxListBox* list = fixture.list;
  EXPECT_EQ(list->InnerListBox().BoundsRect(), TRect(2, 2, 158, 118));
  EXPECT_EQ(lxFindContainerOf(&list->InnerListBox()), list);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 5);
  SendMessageW(list->Handle(), LB_SETCURSEL, 3, 0);
  EXPECT_EQ(list->ItemIndex(), 3);
  const TRect item = list->GetItemRectInContainer(1);
  EXPECT_EQ(item.Left, 2);
  EXPECT_EQ(list->ItemAtPosition(TPoint(item.Left + 5, item.Top + 2), true), 1);
  EXPECT_EQ(list->ItemAtPosition(TPoint(5, 115), true), -1);
}

TEST(ListBoxTest, TheBoundValueSelectsItsItemWithoutRegardToCaseAndTheSelectionIsWrittenBack) {
  ListBoxFixture fixture;
  StoredValueBinding& binding = fixture.list->Binding();
  struct Case {
    const char* value;
    int32_t selected;
  };
  for (const Case& c : {Case{"BIRNE", 2}, Case{"kiwi", 4}, Case{"Pflaume", -1}, Case{"", -1}}) {
    fixture.list->SetItemIndex(0);
    binding.value = Variant(std::string(c.value));
    binding.NotifyDataChanged();
    EXPECT_EQ(fixture.list->ItemIndex(), c.selected) << c.value;
  }
  fixture.list->SetItemIndex(1);
  binding.RequestControlValue();
  EXPECT_EQ(binding.value.AsString(), "Abend");
  fixture.list->SetItemIndex(-1);
  binding.RequestControlValue();
  EXPECT_EQ(binding.value.AsString(), "");
}

TEST(ListBoxTest, AReadOnlyBindingRefusesKeysTypingAndClicks) {
  ListBoxFixture fixture;
  fixture.list->SetItemIndex(1);
  fixture.list->SetReadOnly(true);
  fixture.list->InnerListBox().SetFocus();
  test_support::SendKey(fixture.Inner(), VK_DOWN);
  fixture.Type(u'k');
  test_support::SendClick(fixture.Inner(), fixture.ItemCentre(3));
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.list->ItemIndex(), 1);
  test_support::SendKey(fixture.Inner(), VK_ESCAPE);
  EXPECT_EQ(fixture.list->Binding().resets, 1);

  fixture.list->SetReadOnly(false);
  test_support::SendKey(fixture.Inner(), VK_DOWN);
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
  test_support::SendClick(fixture.Inner(), fixture.ItemCentre(3));
  EXPECT_EQ(fixture.list->ItemIndex(), 3);
}

TEST(ListBoxTest, LeavingTheControlCommitsTheBinding) {
  ListBoxFixture fixture;
  fixture.list->InnerListBox().SetFocus();
  PumpMessagesUntilIdle();
  fixture.after->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.list->Binding().commits, 1);
}

TEST(ListBoxTest, IntegralHeightSnapsToWholeVariableRows) {
  ListBoxFixture fixture;
  TlxListBox* list = fixture.list;
  list->SetListStyle(lbOwnerDrawVariable);
  list->SetOnMeasureItem([](TlxListBox*, int32_t index, int32_t& height) {
    if (index < 3)
      height = 10 * (index + 1);
  });
  list->SetIntegralHeight(true);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 40);
  EXPECT_EQ(list->Height(), 34);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 64);
  EXPECT_EQ(list->Height(), 64);

  // Without the handler every row keeps ItemHeight.
  list->SetOnMeasureItem(nullptr);
  EXPECT_FALSE(static_cast<bool>(list->InnerListBox().OnMeasureItem));
  const int32_t item_height = list->ItemHeight();
  for (int32_t index : {0, 2, 7})
    EXPECT_EQ(list->GetItemHeightAt(index), item_height) << index;

  // Aligned to fill its parent, the control keeps the height it is given.
  list->SetIntegralHeight(false);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 41);
  EXPECT_EQ(list->Height(), 41);
}

TEST(ListBoxTest, ItemsMeasuredAtHeightZeroAddNothingAndRowsPastThemTakeItemHeight) {
  ListBoxFixture fixture;
  TlxListBox* list = fixture.list;
  list->SetListStyle(lbOwnerDrawVariable);
  list->SetOnMeasureItem([](TlxListBox*, int32_t, int32_t& height) { height = 0; });
  list->SetIntegralHeight(true);
  list->SetBounds(list->Left(), list->Top(), list->Width(), 80);
  const int32_t row = list->ItemHeight();
  ASSERT_GT(row, 0);
  EXPECT_EQ(list->Height(), 4 + row * ((80 - 4) / row));
}

TEST(ListBoxTest, TypingSearchesWithinThePauseAndStartsAfreshAfterIt) {
  ListBoxFixture fixture;
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  inner.SetAutoCompleteDelay(0xFFFFFFFFu);  // one search for the whole test
  fixture.Type(u'b');
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
  fixture.Type(u'a');
  EXPECT_EQ(fixture.list->ItemIndex(), 3) << "\"ba\": Banane";
  EXPECT_EQ(inner.SearchText(), "ba");
  fixture.Type(u'\b');
  EXPECT_EQ(inner.SearchText(), "b");
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
  fixture.Type(u'\b');
  EXPECT_EQ(inner.SearchText(), "");
  EXPECT_EQ(fixture.list->ItemIndex(), 0) << "an emptied search selects the first item";

  inner.SetAutoCompleteDelay(0);  // every key starts afresh
  fixture.Type(u'a');
  fixture.Type(u'k');
  EXPECT_EQ(inner.SearchText(), "k");
  EXPECT_EQ(fixture.list->ItemIndex(), 4);
}

TEST(ListBoxTest, ASearchConsumesItsCharactersButKeepsBackspaceEnterAndEsc) {
  ListBoxFixture fixture;
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  struct Case {
    char16_t key;
    char16_t after;
  };
  for (const Case& c : {Case{u'a', 0}, Case{u'z', 0}, Case{8, 8}, Case{13, 13}, Case{27, 27}}) {
    char16_t key = c.key;
    inner.HandleAutoCompleteKey(key);
    EXPECT_EQ(key, c.after) << int(c.key);
  }
  inner.SetAutoComplete(false);
  char16_t key = u'k';
  fixture.list->SetItemIndex(0);
  inner.HandleAutoCompleteKey(key);
  EXPECT_EQ(key, u'k');
  EXPECT_EQ(fixture.list->ItemIndex(), 0) << "no search without AutoComplete";
}

TEST(ListBoxTest, AMultiSelectSearchSelectsOnlyTheFoundItem) {
  ListBoxFixture fixture;
  fixture.list->SetMultiSelect(true);
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  inner.SetSelected(0, true);
  inner.SetSelected(4, true);
  fixture.Type(u'b');
  EXPECT_EQ(inner.SelCount(), 1);
  EXPECT_TRUE(inner.Selected(2));
  EXPECT_EQ(fixture.list->ItemIndex(), 2);
}

TEST(ListBoxTest, AVirtualListIsSearchedThroughItsFindEvent) {
  ListBoxFixture fixture;
  fixture.list->SetListStyle(lbVirtual);
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  inner.SetCount(100);
  inner.OnDataFind = [](TWinControl*, const std::string& text) -> int32_t { return text == "4" ? 40 : -1; };
  EXPECT_EQ(lxFindListItemByPrefix(&inner, "4"), 40);
  EXPECT_EQ(lxFindListItemByPrefix(&inner, "x"), -1);
  fixture.Type(u'4');
  EXPECT_EQ(fixture.list->ItemIndex(), 40);
  EXPECT_EQ(fixture.list->ItemCount(), 100);
}

TEST(ListBoxTest, TheLibraryBarsLieOverTheSystemBarsAndTheGripSquareIsPainted) {
  lxBindGetScrollBarInfo();
  ASSERT_TRUE(lxIsScrollBarInfoAvailable());
  ListBoxFixture fixture;
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  EXPECT_FALSE(inner.VScrollBar()->Visible()) << "five items fit";
  EXPECT_FALSE(inner.HScrollBar()->Visible());

  // Redraw off: the bars stay as they are until it is on again.
  SendMessageW(inner.Handle(), WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < 30; ++i)
    fixture.list->Items().Add("Eintrag " + std::to_string(i));
  EXPECT_FALSE(inner.VScrollBar()->Visible());
  SendMessageW(inner.Handle(), WM_SETREDRAW, TRUE, 0);
  ASSERT_TRUE(inner.VScrollBar()->Visible());
  EXPECT_EQ(inner.VScrollBar()->Parent(), fixture.list);
  SCROLLBARINFO info{};
  ASSERT_TRUE(lxGetScrollBarInfo(inner.Handle(), OBJID_VSCROLL, info));
  const TPoint bar_origin = fixture.list->ClientToScreen(TPoint(inner.VScrollBar()->Left(), inner.VScrollBar()->Top()));
  EXPECT_EQ(bar_origin.X, info.rcScrollBar.left);
  EXPECT_EQ(bar_origin.Y, info.rcScrollBar.top);
  EXPECT_EQ(inner.VScrollBar()->Height(), info.rcScrollBar.bottom - info.rcScrollBar.top);

  // The library bar scrolls the list.
  inner.VScrollBar()->ApplyScrollCode(scLineDown);
  PumpMessagesUntilIdle();
  EXPECT_EQ(inner.TopIndex(), 1);
  inner.VScrollBar()->ApplyScrollCode(scPageDown);
  PumpMessagesUntilIdle();
  EXPECT_GT(inner.TopIndex(), 0);
  EXPECT_EQ(inner.VScrollBar()->Position(), GetScrollPos(inner.Handle(), SB_VERT));

  fixture.list->SetScrollWidth(600);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(inner.HScrollBar()->Visible());
  const TRect grip = inner.GetSizeGripRect();
  ASSERT_FALSE(grip.IsEmpty());
  EXPECT_EQ(grip.Width(), inner.VScrollBar()->Width());
  EXPECT_EQ(grip.Height(), inner.HScrollBar()->Height());
  RECT window{};
  GetWindowRect(inner.Handle(), &window);
  HDC screen = GetDC(nullptr);
  const COLORREF grip_pixel = GetPixel(screen, window.left + grip.Left + 2, window.top + grip.Top + 2);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(grip_pixel, ColorToColorRef(clBtnFace));
}

TEST(ListBoxTest, TabMovesFromTheListToTheNextControlAndShiftTabBack) {
  ListBoxFixture fixture;
  fixture.list->InnerListBox().SetFocus();
  PumpMessagesUntilIdle();
  ASSERT_EQ(GetFocus(), fixture.Inner());
  test_support::InputKey(VK_TAB);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.after->Handle());

  fixture.list->InnerListBox().SetFocus();
  PumpMessagesUntilIdle();
  test_support::InputKey(VK_TAB, true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.before->Handle());
}

TEST(ListBoxTest, WithAutomaticDragAPressOnASelectedItemKeepsTheSelectionWithoutItSelectsTheItemAlone) {
  ListBoxFixture fixture;
  fixture.list->SetMultiSelect(true);
  TlxInnerListBox& inner = fixture.list->InnerListBox();
  inner.SetSelected(1, true);
  inner.SetSelected(2, true);
  inner.SetDragMode(dmAutomatic);
  test_support::SendClick(fixture.Inner(), fixture.ItemCentre(2));
  PumpMessagesUntilIdle();
  EXPECT_TRUE(inner.Selected(1));
  EXPECT_TRUE(inner.Selected(2));
  EXPECT_EQ(inner.DragMode(), dmAutomatic) << "restored after the press";

  // Without automatic dragging the same press selects the item alone.
  inner.SetDragMode(dmManual);
  test_support::SendClick(fixture.Inner(), fixture.ItemCentre(2));
  PumpMessagesUntilIdle();
  EXPECT_FALSE(inner.Selected(1));
  EXPECT_TRUE(inner.Selected(2));
}

TEST(ListBoxTest, OwnerDrawnItemsGetTheFocusFrameOnlyWithoutADrawHandler) {
  ListBoxFixture fixture;
  TlxListBox* list = fixture.list;
  list->SetListStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  list->SetItemIndex(1);
  list->InnerListBox().SetFocus();
  const auto drawn_left_edge = [&] {
    list->InnerListBox().Invalidate();
    PumpMessagesUntilIdle();
    const TRect rect = list->InnerListBox().ItemRect(1);
    HDC dc = GetDC(list->InnerListBox().Handle());
    const COLORREF pixel = GetPixel(dc, rect.Left, rect.Top + rect.Height() / 2 + 1);
    ReleaseDC(list->InnerListBox().Handle(), dc);
    return pixel;
  };
  int32_t handled = 0;
  list->OnDrawItem = [&](TlxListBox*, TlxCanvas& canvas, int32_t, const TRect& rect, TOwnerDrawState) {
    ++handled;
    canvas.Canvas().Brush().SetColor(clRed);
    canvas.Canvas().FillRect(rect);
  };
  EXPECT_EQ(drawn_left_edge(), RGB(255, 0, 0)) << "no frame over the program's drawing";
  EXPECT_GT(handled, 0);
  list->OnDrawItem = nullptr;
  // The toolkit's drawing on the highlight, with the dotted frame over it.
  EXPECT_NE(drawn_left_edge(), ColorToColorRef(clHighlight));
}

TEST(ListBoxTest, ItsSettingsAndItemsGoThroughAFormDescription) {
  ListBoxFixture fixture;
  TlxListBox* list = fixture.list;
  list->SetListStyle(lbOwnerDrawFixed);
  list->SetItemHeight(21);
  list->SetAutoCompleteDelay(900);
  list->SetSorted(true);
  list->SetReadOnly(true);
  TMemoryStream stream;
  stream.WriteComponent(*list);
  stream.SetPosition(0);
  TlxListBox loaded(nullptr);
  stream.ReadComponent(&loaded);
  EXPECT_EQ(loaded.ListStyle(), lbOwnerDrawFixed);
  EXPECT_EQ(loaded.ItemHeight(), 21);
  EXPECT_EQ(loaded.AutoCompleteDelay(), 900u);
  EXPECT_TRUE(loaded.Sorted());
  EXPECT_TRUE(loaded.ReadOnly());
  EXPECT_TRUE(loaded.AutoComplete());
  ASSERT_EQ(loaded.Items().Count(), 5);
  EXPECT_EQ(loaded.Items()[0], "Abend");
  EXPECT_EQ(loaded.Items()[4], "Kiwi");
}

TEST(ListBoxTest, ManyListBoxesLeaveNoHandlesBehind) {
  lxContainerInitialize();
  lxGetDefaultEditStyleController();
  auto* form = new TForm(nullptr);
  form->Show();
  PumpMessagesUntilIdle();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  for (int round = 0; round < 5; ++round) {
    auto* list = new TlxListBox(form);
    list->SetParent(form);
    for (int i = 0; i < 40; ++i)
      list->Items().Add("Eintrag");
    PumpMessagesUntilIdle();
    delete list;
  }
  PumpMessagesUntilIdle();
  EXPECT_LE(test_support::CountGdiObjects(), gdi_before);
  EXPECT_LE(test_support::CountUserObjects(), user_before);
  form->Free();
  PumpMessagesUntilIdle();
  lxFreeDefaultEditStyleController();
  lxContainerFinalize();
}

}  // namespace
