// The memo editor on real forms with the system's multi-line EDIT inside:
// typing by messages and by SendInput, Enter and Tab, MaxLength for
// replacements, the interface's value setting and outside WM_SETTEXT, the
// sizing by VisibleLineCount, the painted scroll bars with their corner,
// cells drawn without a window and the round trip through a form stream.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "editors/edit_repository.h"
#include "editors/kinds/memo_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/application.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"

namespace memo_win_test {

using edit_test::EditForm;

HWND InnerWindow(TlxCustomMemo* memo) { return memo->GetInnerMemo()->GetControl()->Handle(); }

std::string Value(TlxCustomMemo* memo) { return VarToStrDef(memo->EditValue(), ""); }

// A memo of 160 x 100 on the test form, with its properties as a test sets
// them before the window is shown again.
class MemoForm : public EditForm<TlxMemo> {
 public:
  MemoForm() {
    edit->SetBounds(10, 10, 160, 100);
    test_support::PumpMessagesUntilIdle();
  }
  TlxMemoProperties* Props() { return edit->GetProperties(); }
  void Type(const std::string& text) {
    test_support::SendText(InnerWindow(edit), text);
    test_support::PumpMessagesUntilIdle();
  }
};

TEST(MemoTest, TheRealMultiLineEditSitsInsideWithItsBorderCutAway) {
  MemoForm fixture;
  TlxMemo* memo = fixture.edit;
  const HWND inner = InnerWindow(memo);
  ASSERT_NE(inner, nullptr);
  char class_name[64] = {};
  GetClassNameA(inner, class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "TlxCustomInnerMemo");
  EXPECT_NE(GetWindowLongW(inner, GWL_STYLE) & ES_MULTILINE, 0);
  // Two pixels beyond the client rect on every side, and a window region
  // that leaves exactly the client rect.
  const TRect client = memo->GetViewInfo().ClientRect;
  TWinControl* control = memo->GetInnerMemo()->GetControl();
  EXPECT_EQ(control->BoundsRect(), client.Inflate(2, 2));
  RECT region_box{};
  ASSERT_NE(GetWindowRgnBox(inner, &region_box), ERROR);
  EXPECT_EQ(TRect(region_box), TRect(2, 2, control->Width() - 2, control->Height() - 2));
  // Whatever is set through the interface, a memo shows its text.
  IlxInnerMemo* inner_interface = memo->GetInnerMemo();
  inner_interface->SetEchoMode(eemPassword);
  inner_interface->SetPasswordChar(u'*');
  EXPECT_TRUE(inner_interface->IsMultiLineEdit());
  EXPECT_EQ(inner_interface->GetEchoMode(), eemNormal);
  EXPECT_EQ(inner_interface->GetPasswordChar(), 0);
}

TEST(MemoTest, TypedTextWithEnterBecomesTheValueAndTheLines) {
  MemoForm fixture;
  fixture.FocusEdit();
  fixture.Type("ab\rcd");
  EXPECT_EQ(fixture.edit->ShownText(), "ab\r\ncd");
  ASSERT_NE(fixture.edit->Lines(), nullptr);
  EXPECT_EQ(fixture.edit->Lines()->Count(), 2);
  EXPECT_EQ(fixture.edit->Lines()->Get(1), "cd");
  EXPECT_TRUE(fixture.edit->Modified());
  EXPECT_TRUE(fixture.edit->ValidateEdit(true));
  EXPECT_EQ(Value(fixture.edit), "ab\r\ncd");
}

TEST(MemoTest, WithoutWantReturnsEnterTypesNothing) {
  MemoForm fixture;
  fixture.Props()->SetWantReturns(false);
  fixture.FocusEdit();
  fixture.Type("ab\rcd");
  EXPECT_EQ(fixture.edit->ShownText(), "abcd");
}

// A key as the program's own message loop sees it: the form gets its say
// (Tab moving the focus) before the control.
void PostKeyThroughTheApplication(HWND window, UINT key) {
  PostMessageW(window, WM_KEYDOWN, key, 1);
  PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  Application->ProcessMessages();
  test_support::PumpMessagesUntilIdle();
}

TEST(MemoTest, TabMovesTheFocusUnlessWantTabsTypesIt) {
  for (const bool want_tabs : {false, true}) {
    MemoForm fixture;
    fixture.Props()->SetWantTabs(want_tabs);
    fixture.FocusEdit();
    fixture.Type("x");
    PostKeyThroughTheApplication(InnerWindow(fixture.edit), VK_TAB);
    EXPECT_EQ(fixture.edit->ShownText(), want_tabs ? "x\t" : "x") << want_tabs;
    EXPECT_EQ(fixture.edit->IsFocusWithin(), want_tabs);
  }
}

TEST(MemoTest, CtrlASelectsEverythingButCtrlShiftAIsNotTheEditorsKey) {
  MemoForm fixture;
  fixture.edit->SetEditValue(Variant(std::string("one\r\ntwo")));
  test_support::PumpMessagesUntilIdle();
  std::vector<uint16_t> after;
  fixture.edit->OnAfterKeyDown = [&](TObject*, uint16_t& key, TShiftState) { after.push_back(key); };
  fixture.FocusEdit();
  IlxInnerMemo* inner = fixture.edit->GetInnerMemo();
  inner->SetSelStart(2);
  inner->SetSelLength(0);
  test_support::InputKey('A', true, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(std::count(after.begin(), after.end(), uint16_t('A')), 0);
  inner->SetSelStart(2);
  inner->SetSelLength(0);
  test_support::InputKey('A', false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(inner->GetSelStart(), 0);
  EXPECT_EQ(inner->GetSelLength(), 8);
  EXPECT_EQ(std::count(after.begin(), after.end(), uint16_t('A')), 1);
}

TEST(MemoTest, ReversedLineBreaksOfAReplacementBecomeTwoBreaksAndTheValueFollows) {
  MemoForm fixture;
  const HWND inner = InnerWindow(fixture.edit);
  SendMessageW(inner, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"a\n\rb"));
  EXPECT_EQ(Value(fixture.edit), "a\r\n\r\nb");
  EXPECT_EQ(fixture.edit->Lines()->Count(), 3);
  SendMessageW(inner, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"\r\nc"));
  EXPECT_EQ(Value(fixture.edit), "a\r\n\r\nb\r\nc");
}

TEST(MemoTest, AReplacementHonoursTheLimitOfTheRealEdit) {
  MemoForm fixture;
  fixture.Props()->SetMaxLength(5);
  const HWND inner = InnerWindow(fixture.edit);
  SendMessageW(inner, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"abcdefgh"));
  EXPECT_EQ(Value(fixture.edit), "abcde");
}

TEST(MemoTest, SetSelTextOnTheFocusedEditorInsertsOnlyWhatFitsMaxLength) {
  MemoForm fixture;
  fixture.Props()->SetMaxLength(10);
  fixture.FocusEdit();
  fixture.Type("12345678");
  fixture.edit->SetSelText("abcdef");
  EXPECT_EQ(Value(fixture.edit), "12345678ab");
  fixture.edit->SetSelText("cd");
  EXPECT_EQ(Value(fixture.edit), "12345678ab");
  // Replacing a selection frees its room.
  IlxInnerMemo* inner = fixture.edit->GetInnerMemo();
  inner->SetSelStart(0);
  inner->SetSelLength(4);
  fixture.edit->SetSelText("xyzuvw");
  EXPECT_EQ(Value(fixture.edit), "xyzu5678ab");
}

TEST(MemoTest, SetSelTextWhileUnfocusedIsTheProgramsChange) {
  MemoForm fixture;
  fixture.edit->SetSelText("ab\ncd");
  EXPECT_EQ(Value(fixture.edit), "ab\ncd");
  EXPECT_FALSE(fixture.edit->ModifiedAfterEnter());
}

TEST(MemoTest, ClearAndCutDeleteTheSelectionThroughTheRealEdit) {
  MemoForm fixture;
  fixture.edit->SetEditValue(Variant(std::string("hello world")));
  test_support::PumpMessagesUntilIdle();
  IlxInnerMemo* inner = fixture.edit->GetInnerMemo();
  inner->SetSelStart(5);
  inner->SetSelLength(6);
  fixture.edit->ClearSelection();
  EXPECT_EQ(Value(fixture.edit), "hello");
  inner->SetSelStart(0);
  inner->SetSelLength(2);
  fixture.edit->CutToClipboard();
  EXPECT_EQ(Value(fixture.edit), "llo");
  EXPECT_FALSE(fixture.edit->IsClearing());
}

TEST(MemoTest, TheInterfaceSetsTheTextWithOneOnChangeAndNoEditValueChanged) {
  MemoForm fixture;
  int changes = 0;
  int value_changes = 0;
  fixture.Props()->OnChange = [&](TObject*) { ++changes; };
  fixture.Props()->OnEditValueChanged = [&](TObject*) { ++value_changes; };
  fixture.edit->GetInnerMemo()->SetEditValue(Variant(std::string("line 1\r\nline 2")));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(value_changes, 0);
  EXPECT_EQ(fixture.edit->Lines()->Count(), 2);
  // The same text again is no change.
  fixture.edit->GetInnerMemo()->SetEditValue(Variant(std::string("line 1\r\nline 2")));
  EXPECT_EQ(changes, 1);
}

TEST(MemoTest, OutsideSetTextBecomesTheValueButTheEditorsOwnTextDoesNotComeBack) {
  MemoForm fixture;
  int value_changes = 0;
  fixture.Props()->OnEditValueChanged = [&](TObject*) { ++value_changes; };
  SendMessageW(InnerWindow(fixture.edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"from outside"));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Value(fixture.edit), "from outside");
  const int after_outside = value_changes;
  fixture.edit->SetEditValue(Variant(std::string("own")));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Value(fixture.edit), "own");
  EXPECT_LE(value_changes - after_outside, 1);
  EXPECT_EQ(fixture.edit->Lines()->Get(0), "own");
}

TEST(MemoTest, VisibleLineCountSizesTheEditorByLinesOfText) {
  MemoForm fixture;
  TlxMemo* memo = fixture.edit;
  fixture.Props()->SetVisibleLineCount(0);
  memo->SetBounds(10, 10, 160, 100);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(memo->Height(), 100);
  fixture.Props()->SetVisibleLineCount(4);
  memo->SetBounds(10, 10, 160, 100);
  test_support::PumpMessagesUntilIdle();
  const int32_t four = memo->Height();
  fixture.Props()->SetVisibleLineCount(5);
  memo->SetBounds(10, 10, 160, 100);
  test_support::PumpMessagesUntilIdle();
  const int32_t five = memo->Height();
  TlxCanvas& canvas = memo->Canvas();
  canvas.AssignFont(*memo->GetStyle()->GetTextFont());
  const int32_t line = canvas.MeasureTextHeight("Zg");
  EXPECT_EQ(five - four, line);
  // The frame and the insets of one pixel above and three below.
  const TRect client = memo->GetViewInfo().ClientRect;
  EXPECT_EQ(client.Height(), 5 * line + 4);
  fixture.Props()->SetVisibleLineCount(-3);
  EXPECT_EQ(fixture.Props()->VisibleLineCount(), 0);
}

TEST(MemoTest, BothScrollBarsArePaintedOverTheSystemOnesWithTheGripColourBetween) {
  MemoForm fixture;
  TlxMemo* memo = fixture.edit;
  fixture.Props()->SetWordWrap(false);
  fixture.Props()->SetScrollBars(ssBoth);
  std::string text;
  for (int i = 0; i < 30; ++i)
    text += "line " + std::to_string(i) + " with a long tail that does not fit the width\r\n";
  memo->SetEditValue(Variant(text));
  test_support::PumpMessagesUntilIdle();
  memo->SyncScrollBarsWithInnerControl(false);
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(memo->ScrollBarsInUse());
  EXPECT_TRUE(memo->HasScrollBars());
  ASSERT_NE(memo->VScrollBar(), nullptr);
  ASSERT_NE(memo->HScrollBar(), nullptr);
  EXPECT_TRUE(memo->VScrollBar()->Visible());
  EXPECT_TRUE(memo->HScrollBar()->Visible());

  // The corner between the system bars, in the inner window's coordinates,
  // shows the painter's size-grip colour.
  auto* inner = static_cast<TlxCustomInnerMemo*>(memo->GetInnerMemo()->GetControl());
  const TRect corner = inner->ScrollBarCorner();
  ASSERT_FALSE(corner.IsEmpty());
  RedrawWindow(inner->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  test_support::PumpMessagesUntilIdle();
  const HDC dc = GetWindowDC(inner->Handle());
  const COLORREF shown = GetPixel(dc, (corner.Left + corner.Right) / 2, (corner.Top + corner.Bottom) / 2);
  ReleaseDC(inner->Handle(), dc);
  const COLORREF grip = ColorToRGB(memo->GetPainter()->GetDefaultSizeGripAreaColor());
  EXPECT_TRUE(test_support::ColorsNear(shown, grip, 8)) << std::hex << shown << " " << grip;

  // A line step of the painted bar scrolls the real edit by one line.
  const auto first_line = [&] { return SendMessageW(inner->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0); };
  const LRESULT before = first_line();
  int32_t position = 0;
  memo->ScrollContent(sbVertical, scLineDown, position);
  EXPECT_EQ(first_line(), before + 1);
  EXPECT_EQ(position, GetScrollPos(inner->Handle(), SB_VERT));
  EXPECT_EQ(memo->LastScrollPosition(), position);
}

TEST(MemoTest, ACellDrawsFromTheTopAndWrapsOnlyWithoutAHorizontalBar) {
  const std::string text = "alpha beta gamma delta epsilon zeta eta theta";
  for (const TScrollStyle bars : {ssVertical, ssBoth}) {
    painter_test::Surface surface(120, 90);
    TlxMemoProperties properties(nullptr);
    properties.SetScrollBars(bars);
    TlxEditStyle style(nullptr, false);
    TlxCustomMemoViewData data(&properties, &style, true);
    TlxCustomMemoViewInfo info;
    data.Calculate(surface.canvas(), TRect(0, 0, 100, 80), TPoint(-1, -1), kLxNoMouseButton, {}, info, false);
    data.ApplyEditValueToViewInfo(surface.canvas(), Variant(text), info);
    info.Draw(surface.canvas());
    ASSERT_TRUE(info.TextOutData.Initialized);
    EXPECT_EQ(info.TextOutData.RowCount > 1, bars == ssVertical) << int(bars);
    // The first row starts at the top of the text rect, not in the middle.
    int32_t first_dark_row = -1;
    for (int32_t y = 0; y < 80 && first_dark_row < 0; ++y)
      for (int32_t x = 0; x < 100; ++x)
        if (GetRValue(surface.At(x, y)) < 100) {
          first_dark_row = y;
          break;
        }
    EXPECT_GE(first_dark_row, 0);
    EXPECT_LT(first_dark_row, 12);
  }
}

TEST(MemoTest, AFormRoundTripKeepsTheLinesAndTheSettings) {
  lxEditorsInitialize();
  TMemoryStream stream;
  {
    TlxMemo written(nullptr);
    written.GetProperties()->SetScrollBars(ssVertical);
    written.GetProperties()->SetWantTabs(true);
    written.GetProperties()->SetWantReturns(false);
    written.GetProperties()->SetVisibleLineCount(3);
    written.Lines()->SetText("first\r\nsecond");
    stream.WriteComponent(written);
  }
  TlxMemo read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  EXPECT_EQ(read.GetProperties()->ScrollBars(), ssVertical);
  EXPECT_TRUE(read.GetProperties()->WantTabs());
  EXPECT_FALSE(read.GetProperties()->WantReturns());
  EXPECT_EQ(read.GetProperties()->VisibleLineCount(), 3);
  ASSERT_EQ(read.Lines()->Count(), 2);
  EXPECT_EQ(read.Lines()->Get(1), "second");
  EXPECT_EQ(VarToStrDef(read.EditValue(), ""), "first\r\nsecond");
  lxEditorsFinalize();
}

TEST(MemoTest, TheKindIsRegisteredWithTheMemoAsItsControl) {
  lxEditorsInitialize();
  lxMemoModuleStart();
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxMemoProperties"), nullptr);
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxMemoProperties::kClass),
            &StatelessInstance<TlxFilterMemoHelper>());
  TlxMemoProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxMemo::kClass);
  EXPECT_EQ(properties.GetViewInfoClass().Class, &TlxCustomMemoViewInfo::kClass);
  EXPECT_EQ(properties.GetViewDataClass().Class, &TlxCustomMemoViewData::kClass);
  lxMemoModuleEnd();
  lxEditorsFinalize();
}

}  // namespace memo_win_test
