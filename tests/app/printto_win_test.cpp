// The shell's "printto" verb as the test prefix registers it: a PDF handed to
// the shell with a printer name becomes a real job on the private print
// server, whose output the test finds.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <string>

#include "tests/support/message_pump.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;

bool FolderHoldsFileContaining(const fs::path& folder, const std::string& part) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().filename().string().find(part) != std::string::npos && entry.file_size(error) > 0)
      return true;
  }
  return false;
}

TEST(PrintTo, APdfHandedToTheShellBecomesAJobOfThePdfPrinter) {
  const std::string output = test_support::EnvironmentValue("LX_PRINT_OUTPUT");
  ASSERT_FALSE(output.empty()) << "scripts/test sets LX_PRINT_OUTPUT to the print server's output";
  const fs::path pdf_output = fs::path(test_support::WindowsPathOfUnixPath(output)) / "pdf";

  const std::string stem = "printto-" + std::to_string(GetCurrentProcessId());
  const std::string folder = test_support::MakeTemporaryFolder("printto");
  const fs::path document = fs::path(folder) / (stem + ".pdf");
  const fs::path sample =
      fs::path(test_support::WindowsPathOfUnixPath(test_support::EnvironmentValue("LX_SOURCE_DIR"))) /
      "tests" / "data" / "one-page.pdf";
  ASSERT_TRUE(fs::copy_file(sample, document));

  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
      nullptr, "printto", document.string().c_str(), "\"PDF\" \"winspool\" \"CUPS:PDF\"", nullptr, SW_HIDE));
  ASSERT_GT(result, 32) << "the shell refused printto";

  EXPECT_TRUE(test_support::PumpUntil([&] { return FolderHoldsFileContaining(pdf_output, stem); }, 90000))
      << "no output for " << stem << " in " << pdf_output.string();
}

}  // namespace
