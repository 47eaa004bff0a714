// The program as a whole: it starts, shows its main window under its title,
// and ends with status 0 when that window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"
#include "tests/support/window_finder.h"

namespace {

TEST(Program, OpensItsMainWindowAndEndsWhenItCloses) {
  test_support::HelperProcess program;
  ASSERT_TRUE(program.Start(test_support::ExecutableFolder() + "LumarPdfPrinter.exe"));
  HWND window = program.WaitForWindow("Lumar PDF Printer");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test_support::WindowTitle(window), "Lumar PDF Printer");
  // The window exists before the program shows it.
  EXPECT_TRUE(test_support::PumpUntil([&] { return IsWindowVisible(window) != FALSE; }));

  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST(Program, RunsWithTheUtf8CodePage) {
  // The tests carry the program's manifest; the code page shows it took.
  EXPECT_EQ(GetACP(), 65001u);
}

}  // namespace
