// The mask editor on a real form with the system EDIT inside: a German date
// typed through the regular-expression date mask (refused characters,
// forced separators, Backspace and Left over them, validation), the
// standard mask's blanks and block caret, completion and MaxLength while
// unmasked, property changes, and a stored mask that does not compile.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/format_controller.h"
#include "editors/edit_repository_items.h"
#include "editors/filter_edit_helper.h"
#include "editors/mask_edit_win.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/clipboard.h"
#include "ui/foundation/base/library_strings.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/editors/handle_count_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace mask_edit_test {

using edit_test::EditForm;

HWND InnerWindow(TlxCustomTextEdit* edit) { return edit->GetInnerTextEdit()->GetControl()->Handle(); }

void Type(TlxCustomTextEdit* edit, const std::string& text) {
  test_support::SendText(InnerWindow(edit), text);
  test_support::PumpMessagesUntilIdle();
}

void Key(TlxCustomTextEdit* edit, UINT key, bool shift = false, bool control = false) {
  test_support::SendKey(InnerWindow(edit), key, shift, control);
  test_support::PumpMessagesUntilIdle();
}

// The error text validation raises; empty when the text passes.
std::string ValidationError(TlxCustomEdit* edit) {
  try {
    edit->ValidateEdit(true);
  } catch (const ElxEditValidationError& error) {
    return error.Message();
  }
  return std::string();
}

std::string WindowText(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(buffer));
}

using MaskEditTest = edit_test::HandleCountTest<TlxMaskEdit>;

// A mask edit with the German regular-expression date mask, focused and empty.
struct GermanDateEdit {
  GermanDateEdit() {
    TlxMaskEditProperties* properties = fixture.edit->GetProperties();
    properties->SetMaskKind(emkRegExprEx);
    properties->SetEditMask(lxGetFormatController().DateRegExprMask());
    fixture.FocusEdit();
  }
  TlxMaskEdit* edit() const { return fixture.edit; }

  // The library's texts (the date words of the mask) as the core module
  // registers them at start, then the German locale the mask is made for.
  struct LibraryStrings {
    LibraryStrings() { lxRegisterLibraryStrings(); }
    ~LibraryStrings() { lxUnregisterLibraryStrings(); }
  };
  EditForm<TlxMaskEdit> fixture;
  LibraryStrings strings;
  TScopedLocale locale{"de-DE"};
};

// --- the regular-expression date mask ---------------------------------------------------

TEST_F(MaskEditTest, AGermanDateTypesItsSeparatorsAndRefusesOtherCharacters) {
  GermanDateEdit date;
  TlxMaskEdit* edit = date.edit();
  ASSERT_TRUE(edit->IsMasked());
  Type(edit, "24");
  EXPECT_EQ(edit->ShownText(), "24.") << "a day of two digits forces the separator";
  Type(edit, "x");
  EXPECT_EQ(edit->ShownText(), "24.");
  EXPECT_EQ(edit->BeepCount(), 0) << "BeepOnError is off by default";
  edit->GetProperties()->SetBeepOnError(true);
  Type(edit, "?");
  EXPECT_EQ(edit->ShownText(), "24.");
  EXPECT_EQ(edit->BeepCount(), 1);
  Type(edit, "122026");
  EXPECT_EQ(edit->ShownText(), "24.12.2026");
  EXPECT_EQ(edit->GetSelStart(), 10);
  Type(edit, "7");
  EXPECT_EQ(edit->ShownText(), "24.12.2026") << "the year is complete";
}

TEST_F(MaskEditTest, BackspaceTakesAForcedSeparatorAlongWithItsDigit) {
  GermanDateEdit date;
  TlxMaskEdit* edit = date.edit();
  Type(edit, "2412");
  ASSERT_EQ(edit->ShownText(), "24.12.");
  Type(edit, "\b");
  EXPECT_EQ(edit->ShownText(), "24.1");
  Type(edit, "\b\b");
  EXPECT_EQ(edit->ShownText(), "2");
  Type(edit, "4");
  EXPECT_EQ(edit->ShownText(), "24.");
}

TEST_F(MaskEditTest, LeftStepsOverAForcedSeparatorAndTypingThereKeepsTheTail) {
  GermanDateEdit date;
  TlxMaskEdit* edit = date.edit();
  Type(edit, "2412");
  ASSERT_EQ(edit->ShownText(), "24.12.");
  Key(edit, VK_LEFT);
  EXPECT_EQ(edit->GetSelStart(), 4) << "between 1 and 2, the separator is passed over";
  Key(edit, VK_HOME);
  EXPECT_EQ(edit->GetSelStart(), 0);
  Key(edit, VK_END);
  EXPECT_EQ(edit->GetSelStart(), 6);
  Type(edit, "2026");
  EXPECT_EQ(edit->ShownText(), "24.12.2026");
}

TEST_F(MaskEditTest, ValidationNeedsTheWholeDate) {
  GermanDateEdit date;
  TlxMaskEdit* edit = date.edit();
  Type(edit, "2412");
  EXPECT_EQ(ValidationError(edit), "The edit value is invalid");
  EXPECT_EQ(edit->ShownText(), "24.12.") << "the refused text stays";
  EXPECT_EQ(edit->GetSelLength(), 6) << "and is selected";
  Key(edit, VK_END);
  Type(edit, "2026");
  EXPECT_EQ(ValidationError(edit), "");
  EXPECT_EQ(VarToStr(edit->EditValue()), "24.12.2026");
}

TEST_F(MaskEditTest, RealKeyStrokesGoThroughTheMode) {
  GermanDateEdit date;
  TlxMaskEdit* edit = date.edit();
  for (UINT key : {'3', '1', 'Q', '0', '1'})
    test_support::InputKey(key);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "31.01.");
  test_support::InputKey(VK_BACK);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "31.0");
}

// --- the standard mask --------------------------------------------------------------------------

TEST_F(MaskEditTest, AStandardMaskShowsBlanksAndAnswersTheWindowTextWithoutThem) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  edit->GetProperties()->SetEditMask("00/00;0;_");
  fixture.FocusEdit();
  EXPECT_EQ(edit->ShownText(), "__/__");
  Key(edit, VK_HOME);
  EXPECT_EQ(edit->GetSelLength(), 1) << "the block caret";
  Type(edit, "1a23");
  EXPECT_EQ(edit->ShownText(), "12/3_");
  EXPECT_EQ(ValidationError(edit), "The edit value is invalid");
  EXPECT_EQ(edit->ShownText(), "12/3_") << "the refused text stays";
  edit->SetSelectionRange(4, 0);
  EXPECT_EQ(edit->GetSelLength(), 1) << "the block caret again";
  Type(edit, "4");
  EXPECT_EQ(edit->ShownText(), "12/34");
  EXPECT_EQ(WindowText(edit->Handle()), "1234") << "the get-text message answers the value text";
  EXPECT_EQ(ValidationError(edit), "");
}

TEST_F(MaskEditTest, ShiftDeleteWithoutASelectionIsABackspace) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  edit->GetProperties()->SetMaskKind(emkRegExpr);
  edit->GetProperties()->SetEditMask("\\d+");
  fixture.FocusEdit();
  Type(edit, "123");
  edit->SetSelectionRange(3, 0);
  test_support::InputKey(VK_DELETE, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "12");
  test_support::InputKey(VK_LEFT);
  test_support::InputKey(VK_DELETE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "1");
  edit->SelectAll();
  test_support::InputKey(VK_DELETE, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "") << "with a selection it cuts";
  EXPECT_EQ(Clipboard()->AsText(), "1");
}

// --- unmasked: the text editor's behaviour ----------------------------------------------------

TEST_F(MaskEditTest, WithoutAMaskTypingCompletesFromTheItems) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  TStringList items;
  items.Add("Alpha");
  items.Add("Beta");
  edit->GetProperties()->SetLookupItems(&items);
  fixture.FocusEdit();
  EXPECT_FALSE(edit->IsMasked());
  Type(edit, "b");
  EXPECT_EQ(edit->ShownText(), "Beta");
  EXPECT_EQ(edit->GetSelStart(), 1);
  EXPECT_EQ(edit->GetSelLength(), 3);
  Type(edit, "x");
  EXPECT_EQ(edit->ShownText(), "Bx");
}

TEST_F(MaskEditTest, MaxLengthHoldsWhileUnmaskedAndAMaskSetsItToZero) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  TlxMaskEditProperties* properties = edit->GetProperties();
  properties->SetMaxLength(4);
  fixture.FocusEdit();
  Type(edit, "abcdef");
  EXPECT_EQ(edit->ShownText(), "abcd");
  edit->SetText("ab");
  edit->SetSelectionRange(0, 0);
  Clipboard()->SetAsText("xyz");
  SendMessageW(InnerWindow(edit), WM_PASTE, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->ShownText(), "xyab") << "what fits goes in beside the kept text";

  properties->SetMaskKind(emkRegExpr);
  properties->SetEditMask("[a-z]+");
  EXPECT_EQ(properties->MaxLength(), 0);
  properties->SetMaxLength(2);
  EXPECT_EQ(properties->MaxLength(), 0) << "a mask decides the length";
  EXPECT_EQ(SendMessageW(InnerWindow(edit), EM_GETLIMITTEXT, 0, 0) >= 0x7FFE, true);
}

// --- property changes -------------------------------------------------------------------------

TEST_F(MaskEditTest, AKindChangeAcrossFamiliesEmptiesTheMaskAndSwapsTheMode) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  TlxMaskEditProperties* properties = edit->GetProperties();
  properties->SetEditMask("999");
  ASSERT_TRUE(edit->IsMasked());
  EXPECT_EQ(edit->MaskMode()->GetEditMaskKind(), emkStandard);
  properties->SetMaskKind(emkRegExpr);
  EXPECT_EQ(properties->EditMask(), "");
  EXPECT_FALSE(edit->IsMasked());
  properties->SetEditMask("\\d\\d");
  ASSERT_TRUE(edit->IsMasked());
  EXPECT_EQ(edit->MaskMode()->GetEditMaskKind(), emkRegExpr);
  properties->SetMaskKind(emkRegExprEx);
  EXPECT_EQ(properties->EditMask(), "\\d\\d") << "within the family the mask stays";
  EXPECT_EQ(edit->MaskMode()->GetEditMaskKind(), emkRegExprEx);
  EXPECT_FALSE(edit->AllowsTextEditing()) << "a masked text is not edited through the text interface";
  properties->SetEditMask("");
  EXPECT_TRUE(edit->AllowsTextEditing());
}

TEST_F(MaskEditTest, AMaskThatDoesNotCompileIsRefusedAndTheOldOneStays) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEditProperties* properties = fixture.edit->GetProperties();
  properties->SetMaskKind(emkRegExpr);
  properties->SetEditMask("\\d");
  EXPECT_THROW(properties->SetEditMask("(\\d"), ElxMaskEditError);
  EXPECT_EQ(properties->EditMask(), "\\d");
  EXPECT_TRUE(fixture.edit->IsMasked());
}

TEST_F(MaskEditTest, AStoredMaskThatDoesNotCompileShowsPlainTextAndFailsValidation) {
  EditForm<TlxMaskEdit> fixture;
  TlxMaskEdit* edit = fixture.edit;
  TlxMaskEditProperties* properties = edit->GetProperties();
  properties->SetMaskKind(emkRegExpr);
  // As a stored form delivers it: unchecked.
  properties->SetStoredEditMask("(\\d");
  edit->SetEditValue(Variant("abc"));
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ(edit->ShownText(), "abc");
  EXPECT_EQ(WindowText(edit->Handle()), "abc");
  // Painting with the broken mask does not raise.
  RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  fixture.FocusEdit();
  edit->SetSelectionRange(3, 0);
  Type(edit, "d");
  EXPECT_EQ(edit->ShownText(), "abcd");
  EXPECT_EQ(ValidationError(edit), "The edit value is invalid");
}

// --- the kind ------------------------------------------------------------------------------------

TEST_F(MaskEditTest, TheKindIsRegisteredWithItsFilterHelperAndItsRepositoryItemBuildsAMaskEdit) {
  lxEditorsInitialize();
  lxMaskEditInitialize();
  TlxRegisteredClasses& registry = lxGetRegisteredEditProperties();
  const int32_t index = registry.IndexOf(&TlxMaskEditProperties::kClass);
  ASSERT_GE(index, 0);
  EXPECT_EQ(registry.DisplayText(index), "MaskEdit|Represents a generic masked edit control.");
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxMaskEditProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxMaskEdit::kClass);

  TlxMaskEditProperties source(nullptr);
  source.SetMaskKind(emkRegExpr);
  source.SetEditMask("\\d+");
  TlxMaskEditProperties prepared(nullptr);
  helper->InitValueEditorProperties(&prepared, &source, false);
  EXPECT_EQ(prepared.MaskKind(), emkRegExprEx);
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(&prepared, nullptr, operators, false);
  EXPECT_TRUE(operators.Contains(fcoEqual));
  EXPECT_FALSE(operators.Contains(fcoLike));

  TlxEditRepositoryMaskItem item(nullptr);
  EXPECT_EQ(item.GetProperties()->GetEditControlClass(), &TlxMaskEdit::kClass);
  lxMaskEditFinalize();
  lxEditorsFinalize();
}

}  // namespace mask_edit_test
