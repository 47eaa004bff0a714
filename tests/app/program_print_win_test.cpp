// The whole program, started as a user starts it, printing through the
// private print server: PDF files dropped into its window (a drop handle
// built inside the program's own process, which is what the shell hands a
// drop target), a real click on the "Datei" header at the place the table
// layout's numbers give, a row deleted through the real "Confirm" box, and
// the print button pressed. The jobs and the dispatcher stand-in's logged
// paths follow the order the grid showed, and the grid is empty afterwards.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "grid/table_layout_math.h"
#include "platform/rtl/text.h"
#include "tests/app/message_box_text.h"
#include "tests/support/dispatcher_log.h"
#include "tests/support/helper_process.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_finder.h"

namespace program_print_win_test {

namespace fs = std::filesystem;

// The designed widths of "Nr.", "Datei", "Größe" and "Datum" and the
// header's height with the window's 8-point font in the flat look.
constexpr int32_t kDesignedWidths[] = {46, 389, 114, 107};
constexpr int32_t kColumnMinWidth = 20;
constexpr int32_t kHeaderHeight = 19;

std::string ProgramPath() { return test_support::ExecutableFolder() + "LumarPdfPrinter.exe"; }

std::string MakeStartFolder(const std::string& tag, const std::string& program_ini) {
  const std::string folder = test_support::MakeTemporaryFolder(tag);
  std::ofstream(fs::u8path(folder + "Setting.Ini"), std::ios::binary)
      << "[INI-DATEI]\r\nGlobal=.\r\n[LogWire]\r\nEinstellungenSetzen=True\r\nAktiv=True\r\n";
  std::ofstream(fs::u8path(folder + "LumarPdfPrinter.ini"), std::ios::binary) << program_ini;
  return folder;
}

std::string MakePdf(const std::string& folder, const std::string& name) {
  const fs::path sample =
      fs::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_SOURCE_DIR"))) / "tests" /
      "data" / "one-page.pdf";
  const std::string path = folder + name;
  fs::copy_file(sample, fs::u8path(path));
  return path;
}

// Drops `paths` on `window` of the program: the DROPFILES block with the
// wide names is written into memory of the program's process, whose address
// is then a fixed global memory handle there, as the shell's drop handle is.
// Sent, so the rows are in before this returns.
bool DropInto(const test_support::HelperProcess& program, HWND window, const std::vector<std::string>& paths) {
  std::u16string names;
  for (const std::string& path : paths) {
    names += Utf8ToUtf16(path);
    names.push_back(u'\0');
  }
  names.push_back(u'\0');
  std::vector<char> block(sizeof(DROPFILES) + names.size() * sizeof(char16_t));
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  std::memcpy(block.data(), &header, sizeof header);
  std::memcpy(block.data() + sizeof header, names.data(), names.size() * sizeof(char16_t));

  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, program.id());
  if (process == nullptr)
    return false;
  void* remote = VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  const bool written =
      remote != nullptr && WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) != FALSE;
  CloseHandle(process);
  if (!written)
    return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0, SMTO_NORMAL, 30000,
                             &result) != 0;
}

// The grid's site: the child window that draws the header and the rows.
HWND FindGridSite(HWND window) {
  HWND found = nullptr;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lparam) -> BOOL {
        if (test_support::WindowClassName(child) != "TlxGridSite")
          return TRUE;
        *reinterpret_cast<HWND*>(lparam) = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindChildByText(HWND window, const std::string& text) {
  struct Search {
    std::string text;
    HWND found;
  } search{text, nullptr};
  EnumChildWindows(
      window,
      [](HWND child, LPARAM lparam) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(lparam);
        if (test_support::WindowTitle(child) != wanted->text)
          return TRUE;
        wanted->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible dialog box of the program, waited for.
HWND WaitForDialogOf(const test_support::HelperProcess& program, uint32_t max_milliseconds) {
  struct Search {
    DWORD process_id;
    HWND found;
  } search{program.id(), nullptr};
  const auto find = [&] {
    EnumWindows(
        [](HWND window, LPARAM lparam) -> BOOL {
          auto* wanted = reinterpret_cast<Search*>(lparam);
          DWORD owner = 0;
          GetWindowThreadProcessId(window, &owner);
          if (owner != wanted->process_id || !IsWindowVisible(window) ||
              test_support::WindowClassName(window) != "#32770")
            return TRUE;
          wanted->found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  };
  test_support::PumpUntil(find, max_milliseconds);
  return search.found;
}

std::vector<std::string> WaitForPrintedJobs(const std::string& stem, size_t count) {
  const fs::path folder =
      fs::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_PRINT_OUTPUT"))) / "file";
  std::vector<std::string> jobs;
  const auto collect = [&] {
    jobs.clear();
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
      if (entry.path().filename().string().find(stem) != std::string::npos)
        jobs.push_back(entry.path().filename().string());
    std::sort(jobs.begin(), jobs.end());  // the job number leads the name
    return jobs.size() >= count;
  };
  test_support::PumpUntil(collect, 60000);
  return jobs;
}

// The window that has the keyboard focus in the program's window thread.
HWND KeyboardFocusOf(const test_support::HelperProcess& program, HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  if (program.id() == 0 || !GetGUIThreadInfo(thread, &info))
    return nullptr;
  return info.hwndFocus;
}

// The rows' area of the site, below the header, as the screen shows it
// (the window belongs to another process: its pixels are read from the
// screen, not from its own device context).
std::vector<COLORREF> RowsArea(HWND site) {
  RECT client{};
  GetClientRect(site, &client);
  POINT origin{0, kHeaderHeight + 1};
  ClientToScreen(site, &origin);
  const int width = client.right;
  const int height = client.bottom - (kHeaderHeight + 1);
  std::vector<COLORREF> area;
  if (width <= 0 || height <= 0)
    return area;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, previous);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  area.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), area.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return area;
}

TEST(ProgramPrint, DroppedFilesSortedByAHeaderClickWithOneDeletedPrintInTheGridsOrder) {
  const std::string stem = "ende-" + std::to_string(GetTickCount64());
  // A pause after each job keeps the print server's order.
  const std::string folder = MakeStartFolder(
      "program-print", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPDFReaderTitel=Kein Leser\r\nPauseToDestroy=1000\r\n");
  const std::vector<std::string> paths = {MakePdf(folder, stem + "-c.pdf"), MakePdf(folder, stem + "-a.pdf"),
                                          MakePdf(folder, stem + "-d.pdf"), MakePdf(folder, stem + "-b.pdf")};
  const std::string& c = paths[0];
  const std::string& a = paths[1];
  const std::string& d = paths[2];
  const std::string& b = paths[3];

  const std::string dispatcher_log = folder + "dispatcher.txt";
  test_support::HelperProcess dispatcher;
  ASSERT_TRUE(dispatcher.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                               "--log \"" + dispatcher_log + "\""));
  ASSERT_NE(dispatcher.WaitForWindow("LogWire Dispatcher"), nullptr);

  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(ProgramPath(), "", folder));
  HWND window = program.WaitForWindow("Lumar PDF-Printer");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(test_support::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
  HWND site = FindGridSite(window);
  ASSERT_NE(site, nullptr);
  SetForegroundWindow(window);
  test_support::PumpUntil([&] { return GetForegroundWindow() == window; }, 5000);
  // Its pixels are read from the screen: no other window may cover it.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // The empty grid, as it shows "<No data to display>": text in the rows.
  std::vector<COLORREF> empty_rows;
  EXPECT_TRUE(test_support::PumpUntil(
      [&] {
        empty_rows = RowsArea(site);
        return std::any_of(empty_rows.begin(), empty_rows.end(),
                           [&](COLORREF pixel) { return pixel != empty_rows.front(); });
      },
      10000));

  ASSERT_TRUE(DropInto(program, window, paths));

  // "Datei" in the header where the auto width puts it: the designed widths
  // shared out over the site's width (no indicator).
  RECT client{};
  GetClientRect(site, &client);
  std::vector<TlxGridAutoWidthColumn> columns;
  for (int32_t width : kDesignedWidths)
    columns.push_back({width, kColumnMinWidth, false});
  const std::vector<int32_t> widths = lxGridAutoWidths(columns, client.right - client.left);
  test_support::InputClick(site, POINT{widths[0] + widths[1] / 2, kHeaderHeight / 2});
  test_support::PumpMessagesUntilIdle();
  // Into the rows, which gives the grid the keyboard focus; then the second
  // row of the sorted list ("b") is focused by keys and deleted.
  test_support::InputClick(site, POINT{widths[0] + widths[1] + 10, kHeaderHeight + 6});
  ASSERT_TRUE(test_support::PumpUntil([&] { return KeyboardFocusOf(program, window) == site; }, 10000));
  // The keys go to the grid as messages: real key strokes follow the
  // display's keyboard focus, which the program's window may not hold.
  for (UINT key : {VK_HOME, VK_DOWN, VK_DELETE}) {
    PostMessageW(site, WM_KEYDOWN, key, 1);
    PostMessageW(site, WM_KEYUP, key, 0xC0000001);
  }
  HWND confirm = WaitForDialogOf(program, 20000);
  ASSERT_NE(confirm, nullptr);
  EXPECT_EQ(test_support::WindowTitle(confirm), "Confirm");
  EXPECT_EQ(MessageBoxText(confirm), "Delete record?");
  PostMessageW(confirm, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(test_support::PumpUntil([&] { return !IsWindow(confirm); }, 10000));

  HWND print_button = FindChildByText(window, "PDF Dateien drucken");
  ASSERT_NE(print_button, nullptr);
  test_support::InputClick(print_button, POINT{20, 10});

  const std::vector<std::string> expected = {a, c, d};
  const std::vector<std::string> jobs = WaitForPrintedJobs(stem, expected.size());
  ASSERT_EQ(jobs.size(), expected.size());
  for (size_t i = 0; i < jobs.size(); ++i)
    EXPECT_NE(jobs[i].find(fs::u8path(expected[i]).filename().string()), std::string::npos) << i << ": " << jobs[i];

  std::vector<std::string> logged;
  test_support::PumpUntil(
      [&] {
        logged.clear();
        for (const std::string& text : test_support::DispatcherMessageTexts(dispatcher_log))
          if (text.find(stem) != std::string::npos)
            logged.push_back(text);
        return logged.size() >= expected.size();
      },
      20000);
  EXPECT_EQ(logged, expected);
  EXPECT_TRUE(fs::exists(fs::u8path(b))) << "deleting a row leaves the file alone";

  // The run has emptied the grid: it shows what it showed at the start.
  ASSERT_TRUE(test_support::PumpUntil([&] { return RowsArea(site) == empty_rows; }, 20000));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace program_print_win_test
