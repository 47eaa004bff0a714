#include "platform/toolkit/edit.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/memo.h"
#include "tests/platform/toolkit/message_dialog_test.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

using test_support::SendText;

// A shown form with one edit on it.
class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 320, 200);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(10, 10, 200, 24);
    edit_->OnChange = [this](TObject*) { changes_.push_back(edit_->Text()); };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  void SendChar(char16_t unit) { SendMessageW(edit_->Handle(), WM_CHAR, unit, 1); }

  TForm* form_ = nullptr;
  TEdit* edit_ = nullptr;
  std::vector<std::string> changes_;
};

TEST_F(EditTest, TypingChangesTextAndReportsEveryChange) {
  SendText(edit_->Handle(), "Größe");
  EXPECT_EQ(edit_->Text(), "Größe");
  EXPECT_EQ(changes_, (std::vector<std::string>{"G", "Gr", "Grö", "Größ", "Größe"}));
  EXPECT_TRUE(edit_->Modified());
  edit_->SetModified(false);
  EXPECT_FALSE(edit_->Modified());

  changes_.clear();
  edit_->SetText("program");
  EXPECT_EQ(changes_, (std::vector<std::string>{"program"}));
  EXPECT_FALSE(edit_->Modified());
  edit_->SetSelStart(7);
  SendChar(u'\b');  // backspace, handled by the control
  EXPECT_EQ(edit_->Text(), "progra");
}

TEST_F(EditTest, SelectionInUtf16Units) {
  edit_->SetText("Maße und €");
  edit_->SetSelStart(2);
  edit_->SetSelLength(3);
  EXPECT_EQ(edit_->SelStart(), 2);
  EXPECT_EQ(edit_->SelLength(), 3);
  EXPECT_EQ(edit_->SelText(), "ße ");
  SendText(edit_->Handle(), "X");  // typing replaces the selection
  EXPECT_EQ(edit_->Text(), "MaXund €");
  EXPECT_EQ(edit_->SelStart(), 3);
  EXPECT_EQ(edit_->SelLength(), 0);

  edit_->SelectAll();
  EXPECT_EQ(edit_->SelLength(), 8);
  edit_->SetSelStart(7);
  edit_->SetSelLength(1);
  edit_->SetSelText("Euro");
  EXPECT_EQ(edit_->Text(), "MaXund Euro");
  edit_->SetSelStart(0);
  edit_->SetSelLength(3);
  edit_->ClearSelection();
  EXPECT_EQ(edit_->Text(), "und Euro");
}

TEST_F(EditTest, TheMouseSelectsThroughTheControl) {
  edit_->SetText("mouse selection");
  HWND window = edit_->Handle();
  const LRESULT end = SendMessageW(window, EM_POSFROMCHAR, 5, 0);  // after "mouse"
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(LOWORD(end), 5));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(LOWORD(end), 5));
  EXPECT_EQ(edit_->SelStart(), 0);
  EXPECT_EQ(edit_->SelText(), "mouse");
  int downs = 0;
  edit_->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++downs; };
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(1, 5));
  EXPECT_EQ(downs, 1);  // the toolkit's events follow the control's handling
  EXPECT_EQ(edit_->SelLength(), 0);
}

TEST_F(EditTest, UndoIsTheControlsOwn) {
  edit_->SetText("Anfang");
  edit_->ClearUndo();
  EXPECT_FALSE(edit_->CanUndo());
  edit_->SetSelStart(6);
  SendText(edit_->Handle(), " Ende");
  EXPECT_TRUE(edit_->CanUndo());
  edit_->Undo();
  EXPECT_EQ(edit_->Text(), "Anfang");
  SendChar(0x1A);  // Ctrl+Z as the control receives it: redoes the typing
  EXPECT_EQ(edit_->Text(), "Anfang Ende");
  edit_->SetSelStart(0);
  edit_->SetSelLength(6);
  edit_->SetSelText("Start");
  edit_->Undo();
  EXPECT_EQ(edit_->Text(), "Anfang Ende");
}

TEST_F(EditTest, MaxLengthLimitsTyping) {
  edit_->SetMaxLength(5);
  SendText(edit_->Handle(), "abcdefgh");
  EXPECT_EQ(edit_->Text(), "abcde");
  // The program may set longer texts; typing stays limited.
  edit_->SetText("0123456789");
  EXPECT_EQ(edit_->Text(), "0123456789");
  edit_->SetMaxLength(0);
  edit_->SetSelStart(10);
  SendText(edit_->Handle(), "x");
  EXPECT_EQ(edit_->Text(), "0123456789x");
}

TEST_F(EditTest, ClipboardCommandsAndKeys) {
  edit_->SetText("Hello World");
  edit_->SetSelStart(3);
  edit_->SetSelLength(4);
  edit_->CopyToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "lo W");
  edit_->CutToClipboard();
  EXPECT_EQ(edit_->Text(), "Helorld");
  edit_->SetSelStart(0);
  edit_->SetSelLength(0);
  edit_->PasteFromClipboard();
  EXPECT_EQ(edit_->Text(), "lo WHelorld");

  // The control's own keys: Ctrl+C, Ctrl+X, Ctrl+V arrive as characters.
  Clipboard()->SetAsText("Größe");
  edit_->SelectAll();
  SendChar(0x16);
  EXPECT_EQ(edit_->Text(), "Größe");
  edit_->SetSelStart(0);
  edit_->SetSelLength(2);
  SendChar(0x03);
  EXPECT_EQ(Clipboard()->AsText(), "Gr");
  SendChar(0x18);
  EXPECT_EQ(edit_->Text(), "öße");
}

TEST_F(EditTest, PasswordReadOnlyAndCharCase) {
  edit_->SetPasswordChar(u'*');
  SendText(edit_->Handle(), "geheim");
  EXPECT_EQ(edit_->Text(), "geheim");
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETPASSWORDCHAR, 0, 0), u'*');

  edit_->SetReadOnly(true);
  SendText(edit_->Handle(), "x");
  EXPECT_EQ(edit_->Text(), "geheim");
  edit_->SetText("allowed");
  EXPECT_EQ(edit_->Text(), "allowed");
  edit_->SetReadOnly(false);

  edit_->SetPasswordChar(0);
  edit_->SetCharCase(ecUpperCase);
  EXPECT_EQ(edit_->Text(), "ALLOWED");
  edit_->SetSelStart(7);
  SendText(edit_->Handle(), "ä");
  EXPECT_EQ(edit_->Text(), "ALLOWEDÄ");
  edit_->SetCharCase(ecLowerCase);
  EXPECT_EQ(edit_->Text(), "allowedä");
}

TEST_F(EditTest, SettingsSurviveANewWindow) {
  edit_->SetMaxLength(4);
  edit_->SetReadOnly(true);
  edit_->SetPasswordChar(u'#');
  edit_->SetMargins(7, 5);
  edit_->SetText("abcd");
  edit_->SetModified(true);
  HWND old = edit_->Handle();
  edit_->SetAlignment(taRightJustify);  // a style change needs a new window
  HWND window = edit_->Handle();
  EXPECT_NE(window, old);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & ES_RIGHT, 0);
  EXPECT_EQ(edit_->Text(), "abcd");
  EXPECT_EQ(SendMessageW(window, EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(SendMessageW(window, EM_GETPASSWORDCHAR, 0, 0), u'#');
  EXPECT_EQ(SendMessageW(window, EM_GETMARGINS, 0, 0), MAKELRESULT(7, 5));
  EXPECT_TRUE(edit_->Modified());
  // A new font resets the control's margins; ours stay.
  edit_->Font().SetSize(14);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETMARGINS, 0, 0), MAKELRESULT(7, 5));
}

TEST_F(EditTest, EnteringByKeyboardSelectsAll) {
  auto* other = new TEdit(form_);
  other->SetParent(form_);
  other->SetBounds(10, 50, 100, 24);
  edit_->SetText("whole text");
  other->SetFocus();
  edit_->SetFocus();
  EXPECT_EQ(edit_->SelLength(), 10);
  edit_->SetAutoSelect(false);
  edit_->SetSelStart(2);
  other->SetFocus();
  edit_->SetFocus();
  EXPECT_EQ(edit_->SelLength(), 0);
}

TEST_F(EditTest, TextBeforeTheWindowExists) {
  auto* late = new TEdit(form_);
  int changes = 0;
  late->OnChange = [&](TObject*) { ++changes; };
  late->SetText("early");
  late->SetMaxLength(3);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(late->HandleAllocated());
  late->SetParent(form_);
  EXPECT_EQ(late->Text(), "early");
  SendText(late->Handle(), "x");
  EXPECT_EQ(late->Text(), "early");  // already past the limit
}

TEST(EditLeakTest, ManyEditsLeaveNoHandlesBehind) {
  // Each round builds a form with the controls and frees it, as dialogs
  // come and go.
  toolkit_test::ExpectNoHandleLeaks(1000, [] {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 100);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetText("text");
    edit->SetPasswordChar(u'*');
    edit->SetMargins(2, 2);
    edit->Handle();
    auto* memo = new TMemo(form);
    memo->SetParent(form);
    memo->Lines().Add("line");
    memo->Handle();
    form->Free();
  });
}

}  // namespace
