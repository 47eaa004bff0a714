// The program as a whole, started as a user starts it from a folder that
// holds its settings: it opens its main window, ends with status 0 when the
// window closes, writes its settings back and records its folder for the
// update tool; with the TCP switch on, its log records reach the dispatcher
// over TCP.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/app/message_box_text.h"
#include "tests/support/dispatcher_log.h"
#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_finder.h"

namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

std::string ProgramPath() { return test_support::ExecutableFolder() + "LumarPdfPrinter.exe"; }

// A start folder with "Setting.Ini" (the program INI in the same folder)
// and an empty program INI.
std::string MakeStartFolder(const std::string& tag, const std::string& setting_extra = {}) {
  const std::string folder = test_support::MakeTemporaryFolder(tag);
  std::ofstream(fs::u8path(folder + "Setting.Ini"), std::ios::binary)
      << "[INI-DATEI]\r\nGlobal=.\r\n" << setting_extra;
  std::ofstream(fs::u8path(folder + "LumarPdfPrinter.ini"), std::ios::binary) << "";
  return folder;
}

// A message box that `process` shows, waited for up to `max_milliseconds`.
HWND WaitForMessageBoxOf(const test_support::HelperProcess& process, uint32_t max_milliseconds) {
  struct Search {
    DWORD process_id;
    HWND found;
  } search{process.id(), nullptr};
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

std::string WindowsFolder() {
  char buffer[MAX_PATH + 1] = {};
  GetWindowsDirectoryA(buffer, sizeof buffer);
  return buffer;
}

TEST(Program, OpensItsMainWindowEndsWhenItClosesAndWritesItsSettingsBack) {
  const std::string folder = MakeStartFolder("program-run");
  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(ProgramPath(), "", folder));
  HWND window = program.WaitForWindow("Lumar PDF-Printer");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test_support::WindowTitle(window), "Lumar PDF-Printer");
  EXPECT_TRUE(test_support::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);

  const std::string program_ini = ReadText(folder + "LumarPdfPrinter.ini");
  EXPECT_NE(program_ini.find("[Drucker]"), std::string::npos) << program_ini;
  EXPECT_NE(program_ini.find("PDFReaderTitel=Adobe Reader"), std::string::npos) << program_ini;
  const std::string setting_ini = ReadText(folder + "Setting.Ini");
  EXPECT_NE(setting_ini.find("[Fensterpositionen]"), std::string::npos) << setting_ini;
  EXPECT_NE(setting_ini.find("fmMain="), std::string::npos) << setting_ini;
  // The update tool learns where the program lives.
  const std::string update_tool = ReadText(WindowsFolder() + "\\CorvaneUpdates.ini");
  EXPECT_NE(update_tool.find("LumarPdfPrinter.exe=" + test_support::ExecutableFolder()), std::string::npos)
      << update_tool;
}

TEST(Program, SendsItsLogRecordsOverTcpWhenTheSettingsSaySo) {
  const std::string folder = MakeStartFolder(
      "program-tcp", "[LogWire]\r\nEinstellungenSetzen=True\r\nAktiv=True\r\nVerbindeÜberTPC=True\r\n");
  const std::string received = folder + "tcp-received.txt";
  test_support::HelperProcess dispatcher;
  ASSERT_TRUE(dispatcher.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                               "--log \"" + received + "\" --port 3434"));
  ASSERT_NE(dispatcher.WaitForWindow("LogWire Dispatcher"), nullptr);

  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(ProgramPath(), "", folder));
  HWND window = program.WaitForWindow("Lumar PDF-Printer");
  ASSERT_NE(window, nullptr);

  // The settings' record ("LogWire Einstellungen überschrieben" with the
  // destination) arrives as a TCP frame.
  const std::string marker = "LogWire Einstellungen";
  const auto arrived = [&] {
    for (const test_support::DispatcherRecord& record : test_support::ReadDispatcherLog(received))
      if (record.Contains(marker))
        return true;
    return false;
  };
  EXPECT_TRUE(test_support::PumpUntil(arrived, 20000));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, StartsAndEndsPromptlyWhileTheDispatcherHangs) {
  const std::string folder =
      MakeStartFolder("program-hung", "[LogWire]\r\nEinstellungenSetzen=True\r\nAktiv=True\r\n");
  const std::string received = folder + "received.txt";
  test_support::HelperProcess dispatcher;
  ASSERT_TRUE(dispatcher.Start(test_support::ExecutableFolder() + "log_dispatcher_standin.exe",
                               "--log \"" + received + "\" --hang-after 0"));
  ASSERT_NE(dispatcher.WaitForWindow("LogWire Dispatcher"), nullptr);

  // Every delivery waits a few seconds at most. The bounds here are wide:
  // they only prove that neither the start nor the end waits as long as the
  // dispatcher hangs, which is for ever.
  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(ProgramPath(), "", folder));
  HWND window = program.WaitForWindow("Lumar PDF-Printer", 60000);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(test_support::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));
  // The settings' record reached the dispatcher, which never answered it.
  EXPECT_FALSE(test_support::ReadDispatcherLog(received).empty());
  EXPECT_TRUE(dispatcher.running());

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0u);
}

TEST(Program, LeavesReadOnlySettingsFilesAsTheyAreAndSaysSoOnceAtTheEnd) {
  const std::string folder = MakeStartFolder("program-read-only");
  const std::string setting_ini = folder + "Setting.Ini";
  const std::string program_ini = folder + "LumarPdfPrinter.ini";
  const std::string setting_before = ReadText(setting_ini);
  for (const std::string& file : {setting_ini, program_ini})
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));

  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(ProgramPath(), "", folder));
  HWND window = program.WaitForWindow("Lumar PDF-Printer");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WaitForMessageBoxOf(program, 0), nullptr) << "nothing is said while the program runs";
  PostMessageA(window, WM_CLOSE, 0, 0);

  HWND box = WaitForMessageBoxOf(program, 20000);
  ASSERT_NE(box, nullptr);
  const std::string text = MessageBoxText(box);
  EXPECT_EQ(text.rfind("Die Einstellungen konnten nicht gespeichert werden:", 0), 0u) << text;
  EXPECT_NE(text.find(setting_ini + " (schreibgeschützt)"), std::string::npos) << text;
  EXPECT_NE(text.find(program_ini + " (schreibgeschützt)"), std::string::npos) << text;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  // A second message would hold the program up here.
  EXPECT_EQ(program.WaitForExit(), 0u);

  EXPECT_EQ(ReadText(setting_ini), setting_before);
  EXPECT_EQ(ReadText(program_ini), "");
  for (const std::string& file : {setting_ini, program_ini}) {
    EXPECT_NE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY, 0u) << file;
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

TEST(Program, RunsWithTheUtf8CodePage) {
  // The tests carry the program's manifest; the code page shows it took.
  EXPECT_EQ(GetACP(), 65001u);
}

}  // namespace
