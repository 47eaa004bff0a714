// The application's calls on the Windows shell and desktop, against real
// processes and the private print server.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/shell_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/text.h"
#include "tests/app/long_path.h"
#include "tests/support/drop_handle.h"
#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using test_support::HelperProcess;

HelperProcess StartReader(const std::string& title) {
  HelperProcess reader;
  EXPECT_TRUE(reader.Start(test_support::ExecutableFolder() + "reader_standin.exe", "\"" + title + "\""));
  EXPECT_NE(reader.WaitForWindow(title), nullptr);
  return reader;
}

TEST(CloseReaderWindows, AsksOtherProgramsWindowsWithTheTitleButNeverOurOwn) {
  HelperProcess reader = StartReader("Adobe Reader - eins.pdf");
  HelperProcess other = StartReader("Editor - notizen.txt");
  HWND own = CreateWindowExA(0, "STATIC", "Adobe Reader im eigenen Fenster", WS_OVERLAPPED, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(own, nullptr);

  int announced = 0;
  EXPECT_EQ(CloseReaderWindows("Adobe Reader", [&] { ++announced; }), 1);
  EXPECT_EQ(announced, 1);
  EXPECT_EQ(reader.WaitForExit(), 0u);
  EXPECT_TRUE(other.running());
  EXPECT_TRUE(IsWindow(own));

  EXPECT_EQ(CloseReaderWindows(""), 0) << "an empty title occurs nowhere";
  EXPECT_EQ(CloseReaderWindows("adobe reader"), 0) << "letter case counts";
  DestroyWindow(own);
}

fs::path SamplePdf() {
  return fs::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_SOURCE_DIR"))) /
         "tests" / "data" / "one-page.pdf";
}

TEST(ShellPrintTo, HandsTheDocumentToTheFilePrinter) {
  const std::string output = test_support::EnvironmentValue("LX_PRINT_OUTPUT");
  ASSERT_FALSE(output.empty());
  const fs::path printed = fs::path(test_support::WindowsPathOfUnixPath(output)) / "file";
  const std::string stem = "shell-" + std::to_string(GetCurrentProcessId());
  const fs::path document = fs::path(test_support::MakeTemporaryFolder("shell-print")) / (stem + ".pdf");
  fs::copy_file(SamplePdf(), document);

  ShellPrintTo(nullptr, document.string(), "\"Datei\" \"winspool\" \"CUPS:Datei\"");
  // The raw file printer keeps the document's own bytes, in a file named
  // after the job's title.
  const auto job_output = [&]() -> fs::path {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(printed, error))
      if (entry.path().filename().string().find(stem) != std::string::npos)
        return entry.path();
    return {};
  };
  ASSERT_TRUE(test_support::PumpUntil([&] { return !job_output().empty(); }, 60000));
  EXPECT_TRUE(test_support::PumpUntil([&] { return fs::file_size(job_output()) == fs::file_size(SamplePdf()); }));
}

TEST(ShellPrintTo, ARefusalOfTheShellRaisesWithTheSystemsText) {
  const std::string folder = test_support::MakeTemporaryFolder("printto-refused");
  const std::vector<std::string> refused = {folder + "fehlt.pdf", folder + "kein-programm.lxunknown"};
  std::ofstream(refused[1]) << "x";
  for (const std::string& path : refused) {
    try {
      ShellPrintTo(nullptr, path, "\"PDF\" \"\" \"\"");
      ADD_FAILURE() << "accepted " << path;
    } catch (const Exception& error) {
      EXPECT_FALSE(error.Message().empty()) << path;
    }
  }
}

// Whether `a` and `b` open the same file (same volume and file index).
bool SameFile(const std::u16string& a, const std::u16string& b) {
  const auto identity = [](const std::u16string& path, BY_HANDLE_FILE_INFORMATION& info) {
    HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(path.c_str()), 0,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
      return false;
    const bool read = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    return read;
  };
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return identity(a, first) && identity(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

TEST(ShellOpenablePath, LongPathsBecomeAFormTheShellOpensThatNamesTheSameFile) {
  const fs::path folder = fs::path(test_support::MakeTemporaryFolder("openable")).parent_path();
  for (size_t length : {100u, 255u, 256u, 259u, 260u, 300u, 520u, 1100u}) {
    const std::string path = MakeFileWithPathLength(folder, length);
    const std::u16string openable = ShellOpenablePath(Utf8ToUtf16(path));
    if (length < kShortestLongPath) {
      EXPECT_EQ(openable, Utf8ToUtf16(path)) << length;
    } else {
      const bool short_form = openable.size() < kShortestLongPath && !openable.starts_with(u"\\\\?\\");
      const bool extended_form = openable.starts_with(u"\\\\?\\");
      EXPECT_TRUE(short_form || extended_form) << length << " " << Utf16ToUtf8(openable);
    }
    EXPECT_TRUE(SameFile(openable, u"\\\\?\\" + Utf8ToUtf16(path))) << length << " " << Utf16ToUtf8(openable);
    RemoveFileWithPathLength(path, folder);
  }
}

TEST(ShellPrintTo, FilesWithLongPathsArePrinted) {
  const std::string output = test_support::EnvironmentValue("LX_PRINT_OUTPUT");
  ASSERT_FALSE(output.empty());
  const fs::path printed = fs::path(test_support::WindowsPathOfUnixPath(output)) / "file";
  const fs::path folder = fs::path(test_support::MakeTemporaryFolder("printto-long")).parent_path();
  const auto outputs = [&] {
    size_t count = 0;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(printed, error))
      count += entry.path().filename().string().find("fffff") != std::string::npos ? 1 : 0;
    return count;
  };
  const size_t before = outputs();
  size_t sent = 0;
  for (size_t length : {size_t{250}, size_t{256}, size_t{300}, size_t{700}, kLongestShellPath}) {
    const std::string path = MakeFileWithPathLength(folder, length);
    EXPECT_NO_THROW(ShellPrintTo(nullptr, path, "\"Datei\" \"winspool\" \"CUPS:Datei\"")) << length;
    ++sent;
  }
  EXPECT_TRUE(test_support::PumpUntil([&] { return outputs() >= before + sent; }, 60000))
      << outputs() - before << " of " << sent << " printed";

  // Beyond what the shell takes the file is refused with a reason, never
  // handed on.
  const std::string too_long = MakeFileWithPathLength(folder, kLongestShellPath + 1);
  try {
    ShellPrintTo(nullptr, too_long, "\"Datei\" \"winspool\" \"CUPS:Datei\"");
    ADD_FAILURE() << "handed on";
  } catch (const Exception& refusal) {
    EXPECT_NE(refusal.Message().find("länger als 1024 Zeichen"), std::string::npos) << refusal.Message();
  }
}

TEST(TakeDroppedFileNames, ReadsNamesOfAnyLengthInOrder) {
  const std::string long_name = "C:\\" + std::string(300, 'x') + "\\lang.pdf";
  const std::vector<std::string> names = {"C:\\Daten\\Größe.pdf", long_name, "C:\\a.txt"};
  EXPECT_EQ(TakeDroppedFileNames(test_support::MakeDropHandle(names)), names);
}

}  // namespace
