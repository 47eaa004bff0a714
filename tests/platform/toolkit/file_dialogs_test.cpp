#include "platform/toolkit/file_dialogs.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "tests/platform/toolkit/message_dialog_test.h"
#include "tests/support/test_paths.h"

namespace {

using toolkit_test::FindThreadDialog;
using toolkit_test::RunWhileModal;

void TouchFile(const std::string& path) { std::ofstream(path) << "x"; }

// Paths as the system compares them: letter case ignored.
bool SameFile(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// The name box of the dialog: a combo box's edit in the explorer style,
// a plain edit in the old style.
HWND FileNameBox(HWND dialog) {
  constexpr int kComboId = 0x47C;
  constexpr int kEditId = 0x480;
  if (HWND combo = GetDlgItem(dialog, kComboId)) {
    if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
      return edit;
    return combo;
  }
  return GetDlgItem(dialog, kEditId);
}

// Types `name` into the dialog once it is up and confirms it.
void AnswerWith(const std::string& name) {
  RunWhileModal([name] {
    HWND dialog = FindThreadDialog();
    if (dialog == nullptr)
      return false;
    // The program's 8-bit code page is UTF-8.
    SendMessageA(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    return true;
  });
}

void CancelWhenShown(std::string* title) {
  RunWhileModal([title] {
    HWND dialog = FindThreadDialog();
    if (dialog == nullptr)
      return false;
    char text[256] = {};
    GetWindowTextA(dialog, text, 256);
    *title = text;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
}

class FileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = test_support::MakeTemporaryFolder("file_dialogs"); }
  std::string folder_;
};

TEST_F(FileDialogsTest, OpenDialogReturnsTheChosenFile) {
  TouchFile(folder_ + "first.txt");
  TouchFile(folder_ + "second.pdf");
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(folder_);
  dialog.SetFilter("Text files (*.txt)|*.txt|PDF files|*.pdf;*.PDF|All files|*.*");
  dialog.SetFilterIndex(2);
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofFileMustExist});
  AnswerWith(folder_ + "second.pdf");
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(SameFile(dialog.FileName(), folder_ + "second.pdf")) << dialog.FileName();
  ASSERT_EQ(dialog.Files().Count(), 1);
  EXPECT_EQ(dialog.Files()[0], dialog.FileName());
  EXPECT_EQ(dialog.FilterIndex(), 2);
}

TEST_F(FileDialogsTest, CancellingKeepsTheSettings) {
  TOpenDialog dialog(nullptr);
  dialog.SetFileName("proposed.txt");
  dialog.SetTitle("Pick one");
  std::string shown_title;
  CancelWhenShown(&shown_title);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(shown_title, "Pick one");
  EXPECT_EQ(dialog.FileName(), "proposed.txt");
  EXPECT_EQ(dialog.Files().Count(), 0);
}

TEST_F(FileDialogsTest, SaveDialogAddsTheDefaultExtension) {
  TSaveDialog dialog(nullptr);
  dialog.SetInitialDir(folder_);
  dialog.SetDefaultExt("pdf");
  dialog.SetFilter("PDF files|*.pdf");
  AnswerWith(folder_ + "report");
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(SameFile(dialog.FileName(), folder_ + "report.pdf")) << dialog.FileName();
  EXPECT_FALSE(dialog.Options().Contains(ofExtensionDifferent));
}

TEST_F(FileDialogsTest, MultipleSelectionListsEveryFileWithItsFolder) {
  TouchFile(folder_ + "a.txt");
  TouchFile(folder_ + "b.txt");
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(folder_);
  dialog.SetOptions(dialog.Options() + TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  AnswerWith("\"a.txt\" \"b.txt\"");
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(dialog.Files().Count(), 2);
  EXPECT_TRUE(SameFile(dialog.Files()[0], folder_ + "a.txt")) << dialog.Files()[0];
  EXPECT_TRUE(SameFile(dialog.Files()[1], folder_ + "b.txt")) << dialog.Files()[1];
  EXPECT_EQ(dialog.FileName(), dialog.Files()[0]);
}

}  // namespace
