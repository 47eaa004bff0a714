// Path macros at the start of a log file's FilePath.
#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "logging/destination.h"
#include "logging/system_info.h"
#include "platform/rtl/file_utils.h"

namespace {

std::string ProgramFolder() { return ExtractFilePath(ProgramFileName()); }

void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  SetEnvironmentVariableA(name, value);
#else
  if (value == nullptr)
    unsetenv(name);
  else
    setenv(name, value, 1);
#endif
}

class PathMacro : public ::testing::Test {
 protected:
  std::string Expand(std::string_view path) { return destination_.LogFile().ExpandPath(path); }
  TLogWireDestination destination_{nullptr};
};

TEST_F(PathMacro, AppExeDirIsTheProgramFolderFollowedByTheRest) {
  ASSERT_FALSE(ProgramFolder().empty());
  EXPECT_EQ(Expand("$(AppExeDir)\\logs"), ProgramFolder() + "logs\\");
  EXPECT_EQ(Expand("$(appexedir)"), ProgramFolder());
  EXPECT_EQ(Expand("$(AppExeDir)\\"), ProgramFolder());
  EXPECT_EQ(Expand("$(AppExeDir)\\logs\\2024"), ProgramFolder() + "logs\\2024\\");
}

TEST_F(PathMacro, TextRightAfterTheMacroIsKeptWhole) {
  EXPECT_EQ(Expand("$(AppExeDir)logs"), ProgramFolder() + "logs\\");
  EXPECT_EQ(Expand("$(AppExeDir)l"), ProgramFolder() + "l\\");
}

TEST_F(PathMacro, EnvironmentVariableBetweenPercentSigns) {
  SetEnvironment("LW_TEST_LOG_ROOT", "C:\\Daten");
  EXPECT_EQ(Expand("$(%LW_TEST_LOG_ROOT%)\\Prog"), "C:\\Daten\\Prog\\");
  EXPECT_EQ(Expand("$(%LW_TEST_LOG_ROOT%)"), "C:\\Daten\\");
  SetEnvironment("LW_TEST_LOG_ROOT", nullptr);
  EXPECT_EQ(Expand("$(%LW_TEST_LOG_ROOT%)\\Prog"), "$(%LW_TEST_LOG_ROOT%)\\Prog\\");
}

TEST_F(PathMacro, PathsWithoutAKnownMacroOnlyGainATrailingBackslash) {
  EXPECT_EQ(Expand("C:\\Logs"), "C:\\Logs\\");
  EXPECT_EQ(Expand("C:\\Logs\\"), "C:\\Logs\\");
  EXPECT_EQ(Expand("$(Temp)\\x"), "$(Temp)\\x\\");
  EXPECT_EQ(Expand("$(%)\\x"), "$(%)\\x\\");
}

TEST_F(PathMacro, MacroWithoutClosingParenthesisRaises) {
  try {
    Expand("$(AppExeDir\\logs");
    ADD_FAILURE() << "no exception";
  } catch (const ELogWireInvalidDestination& error) {
    EXPECT_EQ(error.Message(), "Invalid File Destination -- missing or incorrect FilePath parameter");
  }
}

TEST_F(PathMacro, TheDestinationStringCarriesTheExpandedPath) {
  destination_.LogFile().SetActive(true);
  destination_.LogFile().SetFilePath("$(AppExeDir)logs");
  destination_.LogFile().SetFileName("Prog.csl");
  EXPECT_EQ(destination_.GetDestinationString(), "File[Path=" + ProgramFolder() + "logs\\Prog.csl]");
}

#ifdef _WIN32
TEST_F(PathMacro, MyDocsIsTheUsersDocumentsFolder) {
  LogWireGlobalInitialize();
  const std::string documents = LogWireDocumentsFolder();
  LogWireGlobalFinalize();
  ASSERT_FALSE(documents.empty());
  EXPECT_NE(documents.find(':'), std::string::npos);
  LogWireGlobalInitialize();
  EXPECT_EQ(Expand("$(MyDocs)\\Logs"), documents + "\\Logs\\");
  LogWireGlobalFinalize();
  // Without the bound shell function the macro stays as it is.
  EXPECT_EQ(Expand("$(MyDocs)\\Logs"), "$(MyDocs)\\Logs\\");
}
#else
TEST_F(PathMacro, MyDocsStaysUnexpandedWithoutAShell) {
  EXPECT_EQ(Expand("$(MyDocs)\\Logs"), "$(MyDocs)\\Logs\\");
}
#endif

}  // namespace
