// The text editor on a real form with the system EDIT inside: typing by
// messages and by SendInput, completion from the lookup items, the list
// styles, MaxLength for typing and the real clipboard, the window-text
// messages and ItemIndex.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/text_edit_control_win.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/clipboard.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/editors/handle_count_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

using edit_test::EditForm;

// A text editor whose editing style a test chooses.
class StyledTextEditProperties : public TlxTextEditProperties {
 public:
  static constexpr TClass kClass{"TStyledTextEditProperties", &TlxTextEditProperties::kClass,
                                 &ConstructInstance<StyledTextEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxTextEditProperties::TlxTextEditProperties;
  TlxTextEditingStyle GetEditingStyle() const override { return Style; }
  TlxTextEditingStyle Style = tesFreeText;
};

class StyledTextEdit : public TlxCustomTextEdit {
 public:
  static constexpr TClass kClass{"TStyledTextEdit", &TlxCustomTextEdit::kClass, &ConstructInstance<StyledTextEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit StyledTextEdit(TComponent* owner) : TlxCustomTextEdit(owner, StyledTextEditProperties::kClass) {}
  StyledTextEditProperties* Styled() const { return static_cast<StyledTextEditProperties*>(Properties()); }
};

template <class Edit>
HWND InnerWindow(Edit* edit) {
  return edit->GetInnerTextEdit()->GetControl()->Handle();
}

template <class Edit>
void Type(Edit* edit, const std::string& text) {
  test_support::SendText(InnerWindow(edit), text);
  test_support::PumpMessagesUntilIdle();
}

template <class Edit>
void SetLookupItems(Edit* edit, std::initializer_list<const char*> items) {
  TStringList list;
  for (const char* item : items)
    list.Add(item);
  edit->ActiveProperties()->SetLookupItems(&list);
}

std::u16string WindowText(HWND window, WPARAM buffer_size, LRESULT& result) {
  std::u16string buffer(static_cast<size_t>(buffer_size) + 4, u'#');
  result = SendMessageW(window, WM_GETTEXT, buffer_size, reinterpret_cast<LPARAM>(buffer.data()));
  return buffer;
}

using TextEditTest = edit_test::HandleCountTest<TlxTextEdit>;

// --- the inner edit --------------------------------------------------------------------

TEST_F(TextEditTest, TheRealEditLiesInsideWithoutBorderAndTakesTypedText) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  const HWND inner = InnerWindow(edit);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(GetParent(inner), edit->Handle());
  char class_name[64] = {};
  GetClassNameA(inner, class_name, sizeof class_name);
  EXPECT_STREQ(class_name, "TlxCustomInnerTextEdit");
  EXPECT_EQ(GetWindowLongW(inner, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
  EXPECT_EQ(GetWindowLongW(inner, GWL_STYLE) & WS_BORDER, 0);
  RECT inner_rect{};
  GetWindowRect(inner, &inner_rect);
  RECT outer_rect{};
  GetWindowRect(edit->Handle(), &outer_rect);
  EXPECT_GT(inner_rect.left, outer_rect.left);
  EXPECT_LT(inner_rect.right, outer_rect.right);

  fixture.FocusEdit();
  EXPECT_EQ(GetFocus(), inner);
  Type(edit, "Größe");
  EXPECT_EQ(edit->ShownText(), "Größe");
  EXPECT_TRUE(edit->Modified());
  // Validation moves the text into the edit value.
  EXPECT_TRUE(edit->ValidateEdit(true));
  EXPECT_EQ(VarToStr(edit->EditValue()), "Größe");
}

TEST_F(TextEditTest, RealKeyStrokesReachTheEditAndTabIsNeverTyped) {
  EditForm<TlxTextEdit> fixture;
  fixture.FocusEdit();
  test_support::InputKey('A', true);
  test_support::InputKey('B');
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->ShownText(), "Ab");
  SendMessageW(InnerWindow(fixture.edit), WM_CHAR, 9, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->ShownText(), "Ab");
}

TEST_F(TextEditTest, UpAndDownRaiseAfterKeyDownButLeaveTheCaret) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->SetText("abc");
  fixture.FocusEdit();
  edit->SetSelectionRange(1, 0);
  std::vector<uint16_t> after;
  edit->OnAfterKeyDown = [&after](TObject*, uint16_t& key, TShiftState) { after.push_back(key); };
  test_support::SendKey(InnerWindow(edit), VK_DOWN);
  test_support::SendKey(InnerWindow(edit), VK_UP);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(after, (std::vector<uint16_t>{VK_DOWN, VK_UP}));
  EXPECT_EQ(edit->GetSelStart(), 1);
}

TEST_F(TextEditTest, PasswordEchoShowsStarsAndBackTheText) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->SetText("geheim");
  const HWND inner = InnerWindow(edit);
  edit->GetProperties()->SetEchoMode(eemPassword);
  EXPECT_EQ(SendMessageW(inner, EM_GETPASSWORDCHAR, 0, 0), '*');
  edit->GetProperties()->SetPasswordChar(u'#');
  EXPECT_EQ(SendMessageW(inner, EM_GETPASSWORDCHAR, 0, 0), '#');
  edit->GetProperties()->SetEchoMode(eemNormal);
  EXPECT_EQ(SendMessageW(inner, EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_EQ(edit->ShownText(), "geheim");
}

TEST_F(TextEditTest, WhileAnImeCharacterIsDeliveredTheSelectionReadsTheSavedOne) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->SetText("abcd");
  fixture.FocusEdit();
  edit->SetSelectionRange(1, 2);
  // The system sends the WM_CHAR itself (posted) while it handles WM_IME_CHAR.
  SendMessageW(InnerWindow(edit), WM_IME_CHAR, u'x', 0);
  auto* inner = static_cast<TlxCustomInnerTextEdit*>(edit->GetInnerTextEdit()->GetControl());
  if (inner->PendingImeState() > 0) {
    EXPECT_EQ(edit->GetInnerTextEdit()->GetSelStart(), 1);
    EXPECT_EQ(edit->GetInnerTextEdit()->GetSelLength(), 2);
  }
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(inner->PendingImeState(), 0);
  EXPECT_EQ(edit->ShownText(), "axd");
}

// --- the window-text messages ----------------------------------------------------------------

TEST_F(TextEditTest, GetTextNeverWritesBeyondItsBuffer) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->SetText("Straße12");
  struct Case {
    WPARAM size;
    LRESULT result;
    std::u16string start;
  };
  for (const Case& c : {Case{0, 0, u"#"}, Case{1, 0, std::u16string(1, u'\0') + u"#"},
                        Case{5, 4, std::u16string(u"Stra") + u'\0' + u"#"},
                        Case{20, 8, std::u16string(u"Straße12") + u'\0' + u"#"}}) {
    LRESULT result = -1;
    const std::u16string buffer = WindowText(edit->Handle(), c.size, result);
    EXPECT_EQ(result, c.result) << c.size;
    EXPECT_EQ(buffer.substr(0, c.start.size()), c.start) << c.size;
  }
  EXPECT_EQ(SendMessageW(edit->Handle(), WM_GETTEXTLENGTH, 0, 0), 8);
  EXPECT_EQ(SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"neu")), 1);
  EXPECT_EQ(VarToStr(edit->EditValue()), "neu");
  EXPECT_FALSE(edit->Modified());
}

// --- completion from the lookup items ----------------------------------------------------------

TEST_F(TextEditTest, TypingCompletesFromTheItemsAndAFurtherCharacterReplacesTheTail) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  SetLookupItems(edit, {"Alpha", "Beta"});
  fixture.FocusEdit();
  Type(edit, "b");
  EXPECT_EQ(edit->ShownText(), "Beta");
  EXPECT_EQ(edit->GetSelStart(), 1);
  EXPECT_EQ(edit->GetSelLength(), 3);
  EXPECT_TRUE(edit->CompletedByLookup());
  EXPECT_EQ(edit->ItemIndex(), 1);
  Type(edit, "x");
  EXPECT_EQ(edit->ShownText(), "Bx");
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_FALSE(edit->CompletedByLookup());
}

TEST_F(TextEditTest, AListTextStyleRefusesACharacterThatStartsNoItem) {
  EditForm<StyledTextEdit> fixture;
  StyledTextEdit* edit = fixture.edit;
  edit->Styled()->Style = tesListText;
  SetLookupItems(edit, {"Alpha", "Beta"});
  fixture.FocusEdit();
  Type(edit, "q");
  EXPECT_EQ(edit->ShownText(), "");
  Type(edit, "a");
  EXPECT_EQ(edit->ShownText(), "Alpha");
  Type(edit, "z");
  EXPECT_EQ(edit->ShownText(), "Alpha") << "no item starts with Az";
}

TEST_F(TextEditTest, NoEditingStyleReportsNoSelectionAndRefusesText) {
  EditForm<StyledTextEdit> fixture;
  StyledTextEdit* edit = fixture.edit;
  edit->Styled()->Style = tesNoEditing;
  edit->SetText("fest");
  fixture.FocusEdit();
  edit->SetSelectionRange(1, 2);
  EXPECT_EQ(edit->GetSelStart(), 0);
  EXPECT_EQ(edit->GetSelLength(), 0);
  Type(edit, "x");
  EXPECT_EQ(edit->ShownText(), "fest");
}

// --- MaxLength -----------------------------------------------------------------------------------

TEST_F(TextEditTest, MaxLengthHoldsForTypingAndEveryPaste) {
  struct Case {
    const char* name;
    std::u16string clipboard;
    std::string start_text;
    int32_t caret;
    int32_t max_length;
    std::string expected;
    int32_t expected_caret;
  };
  const std::vector<Case> cases = {
      {"cut to what fits", u"12345", "abc", 3, 5, "abc12", 5},
      {"beside the kept text", u"xyz", "ab", 0, 4, "xyab", 2},
      {"nothing fits", u"x", "abcde", 5, 5, "abcde", 5},
      {"a double-byte character counts once", u"\U0001F600\U0001F600", "abc", 3, 5, "abc\U0001F600", 5},
      {"up to the first #0", std::u16string(u"ab") + u'\0' + u"cd", "", 0, 10, "ab", 2},
  };
  for (const Case& c : cases) {
    EditForm<TlxTextEdit> fixture;
    TlxTextEdit* edit = fixture.edit;
    edit->SetText(c.start_text);
    edit->GetProperties()->SetMaxLength(c.max_length);
    fixture.FocusEdit();
    edit->SetSelectionRange(c.caret, 0);
    Clipboard()->SetAsText(Utf16ToUtf8(c.clipboard.substr(0, c.clipboard.find(u'\0'))));
    if (c.clipboard.find(u'\0') != std::u16string::npos) {
      // The clipboard cannot hold the #0 itself; the editor's own entry can.
      edit->SetSelText(Utf16ToUtf8(c.clipboard));
    } else {
      SendMessageW(InnerWindow(edit), WM_PASTE, 0, 0);
    }
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(edit->ShownText(), c.expected) << c.name;
    EXPECT_EQ(edit->GetSelStart(), c.expected_caret) << c.name;
  }
}

TEST_F(TextEditTest, TypingStopsAtMaxLengthAndALoweredLimitRefusesEveryInsertion) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->GetProperties()->SetMaxLength(3);
  fixture.FocusEdit();
  Type(edit, "abcdef");
  EXPECT_EQ(edit->ShownText(), "abc");
  edit->GetProperties()->SetMaxLength(0);
  Type(edit, "defg");
  edit->GetProperties()->SetMaxLength(5);
  edit->SetSelectionRange(7, 0);
  Clipboard()->SetAsText("z");
  SendMessageW(InnerWindow(edit), WM_PASTE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "abcdefg");
}

TEST_F(TextEditTest, AMegabyteAndLineBreaksPasteWithoutHarm) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  edit->GetProperties()->SetMaxLength(10);
  fixture.FocusEdit();
  Clipboard()->SetAsText(std::string(1 << 20, 'm'));
  SendMessageW(InnerWindow(edit), WM_PASTE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), std::string(10, 'm'));
  edit->GetProperties()->SetMaxLength(0);
  edit->SetText("");
  Clipboard()->SetAsText("eins\r\nzwei");
  SendMessageW(InnerWindow(edit), WM_PASTE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText().rfind("eins", 0), 0u);
}

// --- ItemIndex ----------------------------------------------------------------------------------

TEST_F(TextEditTest, ItemIndexClicksOnlyOnAChangeAndIgnoresIndexesOutOfRange) {
  EditForm<TlxTextEdit> fixture;
  TlxTextEdit* edit = fixture.edit;
  SetLookupItems(edit, {"Alpha", "Beta", "Gamma"});
  int clicks = 0;
  edit->OnClick = [&clicks](TObject*) { ++clicks; };
  edit->SetItemIndex(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(VarToStr(edit->EditValue()), "Gamma");
  edit->SetItemIndex(2);
  EXPECT_EQ(clicks, 1);
  for (int32_t wrong : {3, -2, 1000}) {
    edit->SetItemIndex(wrong);
    EXPECT_EQ(edit->ItemIndex(), 2) << wrong;
    EXPECT_EQ(VarToStr(edit->EditValue()), "Gamma") << wrong;
  }
  EXPECT_EQ(clicks, 1);
}

}  // namespace
