#include "platform/toolkit/message_dialog.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "tests/platform/toolkit/message_dialog_test.h"

namespace {

using toolkit_test::FindThreadDialog;
using toolkit_test::RunWhileModal;

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, 512);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, 64);
  return name;
}

// What a test saw of the dialog while it was up.
struct Seen {
  std::string caption;
  std::vector<std::string> buttons;
  std::string default_button;
  std::string text;
  bool has_icon = false;
  RECT bounds{};
};

Seen Inspect(HWND dialog) {
  Seen seen;
  seen.caption = TextOf(dialog);
  GetWindowRect(dialog, &seen.bounds);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = ClassOf(child);
    const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
    if (lstrcmpiA(kind.c_str(), "Button") == 0) {
      seen.buttons.push_back(TextOf(child));
      if ((style & 0x0F) == BS_DEFPUSHBUTTON)
        seen.default_button = TextOf(child);
    } else if ((style & SS_TYPEMASK) == SS_ICON) {
      seen.has_icon = true;
    } else {
      seen.text = TextOf(child);
    }
  }
  return seen;
}

// Once the dialog is up: records it, then posts `key` to the focused
// control as the keyboard would deliver it.
void AnswerByKey(Seen* seen, UINT message, WPARAM key) {
  RunWhileModal([=] {
    HWND dialog = FindThreadDialog();
    if (dialog == nullptr)
      return false;
    if (seen != nullptr)
      *seen = Inspect(dialog);
    HWND target = GetFocus() != nullptr ? GetFocus() : dialog;
    PostMessageW(target, message, key, 0);
    return true;
  });
}

TEST(MessageDialogTest, KeysAnswerTheDialog) {
  struct Case {
    TMsgDlgButtons buttons;
    UINT message;
    WPARAM key;
    TModalResult expected;
  };
  const Case cases[] = {
      {mbOKCancel, WM_KEYDOWN, VK_RETURN, mrOk},        // Enter presses the default button
      {mbOKCancel, WM_KEYDOWN, VK_ESCAPE, mrCancel},    // Esc cancels
      {mbYesNo, WM_KEYDOWN, VK_RETURN, mrYes},          // Yes is default without OK
      {mbYesNo, WM_KEYDOWN, VK_ESCAPE, mrNo},           // Esc gives No without Cancel
      {TMsgDlgButtons{mbOK}, WM_KEYDOWN, VK_ESCAPE, mrOk},
      {mbAbortRetryIgnore, WM_KEYDOWN, VK_ESCAPE, mrCancel},
      {mbAbortRetryIgnore, WM_KEYDOWN, VK_RETURN, mrAbort},
      {mbYesNoCancel, WM_CHAR, 'n', mrNo},              // underlined letters
      {mbAbortRetryIgnore, WM_CHAR, 'r', mrRetry},
      {mbYesAllNoAllCancel, WM_CHAR, 'a', mrYesToAll},
  };
  for (const Case& c : cases) {
    AnswerByKey(nullptr, c.message, c.key);
    EXPECT_EQ(MessageDlg("Question?", mtConfirmation, c.buttons), c.expected)
        << "buttons " << c.buttons.Bits() << " key " << c.key;
  }
}

TEST(MessageDialogTest, ShowsMessageIconButtonsAndCaption) {
  Seen seen;
  AnswerByKey(&seen, WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(MessageDlg("Delete record?", mtConfirmation, mbOKCancel), mrCancel);
  EXPECT_EQ(seen.caption, "Confirm");
  EXPECT_EQ(seen.text, "Delete record?");
  EXPECT_TRUE(seen.has_icon);
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(seen.default_button, "OK");

  struct Kind {
    TMsgDlgType type;
    const char* caption;
  };
  for (const Kind& kind : {Kind{mtWarning, "Warning"}, Kind{mtError, "Error"}, Kind{mtInformation, "Information"}}) {
    AnswerByKey(&seen, WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(MessageDlg("Text & more", kind.type, {mbOK}), mrOk);
    EXPECT_EQ(seen.caption, kind.caption);
    EXPECT_EQ(seen.text, "Text & more");
    EXPECT_TRUE(seen.has_icon);
  }

  AnswerByKey(&seen, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(MessageDlg("All of them", mtCustom, mbYesAllNoAllCancel), mrYes);
  EXPECT_FALSE(seen.has_icon);
  EXPECT_EQ(seen.buttons,
            (std::vector<std::string>{"&Yes", "&No", "Cancel", "N&o to All", "Yes to &All"}));
}

TEST(MessageDialogTest, CreatedDialogTakesCaptionDefaultButtonAndPosition) {
  auto dialog = CreateMessageDialog("Save changes?", mtWarning, mbYesNoCancel);
  dialog->SetCaption("Größe prüfen");
  dialog->SetDefaultButton(mbCancel);
  dialog->SetDefaultButton(mbAll);  // not one of its buttons: ignored
  EXPECT_EQ(dialog->DefaultButton(), mbCancel);
  Seen seen;
  AnswerByKey(&seen, WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_EQ(seen.caption, "Größe prüfen");
  EXPECT_EQ(seen.default_button, "Cancel");
  EXPECT_EQ(dialog->Handle(), nullptr);

  AnswerByKey(&seen, WM_KEYDOWN, VK_RETURN);
  MessageDlgPos("Here", mtInformation, {mbOK}, 0, 40, 30);
  EXPECT_EQ(seen.bounds.left, 40);
  EXPECT_EQ(seen.bounds.top, 30);
}

TEST(MessageDialogTest, DialogIsCentredAndModal) {
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  bool other_enabled_meanwhile = true;
  Seen seen;
  RunWhileModal([&] {
    HWND dialog = FindThreadDialog();
    if (dialog == nullptr)
      return false;
    seen = Inspect(dialog);
    other_enabled_meanwhile = IsWindowEnabled(other) != FALSE;
    PostMessageW(dialog, WM_CLOSE, 0, 0);  // the close box
    return true;
  });
  EXPECT_EQ(MessageDlg("Centred", mtWarning, mbYesNo), mrNo);
  EXPECT_FALSE(other_enabled_meanwhile);
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);

  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((seen.bounds.left + seen.bounds.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((seen.bounds.top + seen.bounds.bottom) / 2, (work.top + work.bottom) / 2, 1);
}

TEST(MessageDialogTest, ShowMessageUsesTheApplicationTitle) {
  const std::string saved = Application->Title();
  Application->SetTitle("Lumar Test");
  Seen seen;
  AnswerByKey(&seen, WM_KEYDOWN, VK_RETURN);
  ShowMessage("Line one\nLine two");
  Application->SetTitle(saved);
  EXPECT_EQ(seen.caption, "Lumar Test");
  EXPECT_EQ(seen.text, "Line one\nLine two");
  EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK"}));
  EXPECT_FALSE(seen.has_icon);
}

TEST(MessageDialogTest, ManyDialogsLeaveNoHandlesBehind) {
  auto show_once = [] {
    AnswerByKey(nullptr, WM_KEYDOWN, VK_ESCAPE);
    MessageDlg("Again", mtError, mbOKCancel);
  };
  toolkit_test::ExpectNoHandleLeaks(25, show_once);
}

}  // namespace
