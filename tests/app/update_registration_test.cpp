// Recording the program's folder in the update tool's file at the end of the
// settings module.
#include <gtest/gtest.h>

#include "app/config.h"
#include "app/update_registration.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/file_utils.h"
#include "tests/app/config_fixture.h"

namespace {

class UpdateRegistration : public ConfigFixture {
 protected:
  std::filesystem::path ToolFile() const { return WindowsDir() / "CorvaneUpdates.ini"; }
  std::string ProgramFolderText() const { return ProgramDir().string() + PathDelim; }
};

TEST_F(UpdateRegistration, CreatesTheFileWithTheProgramsFolder) {
  uConfigFinalize();
  EXPECT_EQ(ReadFile(ToolFile()), "LumarPdfPrinter.exe=" + ProgramFolderText() + "\r\n");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(UpdateRegistration, ReplacesAnotherFolderInPlaceAndKeepsTheOtherLines) {
  WriteFile(ToolFile(), "Other.exe=C:\\a\\\r\nLumarPdfPrinter.exe=C:\\old\\\r\nLast.exe=C:\\b\\\r\n");
  uConfigFinalize();
  EXPECT_EQ(ReadFile(ToolFile()), "Other.exe=C:\\a\\\r\nLumarPdfPrinter.exe=" + ProgramFolderText() +
                                      "\r\nLast.exe=C:\\b\\\r\n");
}

TEST_F(UpdateRegistration, LeavesAFileThatAlreadyHoldsTheFolderUntouched) {
  // Bare line feeds would become CR LF if the file were rewritten.
  const std::string content = "Other.exe=x\nLumarPdfPrinter.exe=" + ProgramFolderText() + "\n";
  WriteFile(ToolFile(), content);
  uConfigFinalize();
  EXPECT_EQ(ReadFile(ToolFile()), content);
}

TEST_F(UpdateRegistration, ALockedFileEndsWithTheMessage) {
  WriteFile(ToolFile(), "Other.exe=x\r\n");
  {
    TFileStream holder(ToolFile().string(), fmOpenReadWrite | fmShareExclusive);
    uConfigFinalize();
  }
  EXPECT_EQ(errors_, std::vector<std::string>{"Auf die CVU-Konfigurationsdatei konnte nicht zugegriffen werden."});
  EXPECT_EQ(ReadFile(ToolFile()), "Other.exe=x\r\n");
}

TEST(UpdateToolIniPath, FallsBackToTheRootOfDriveC) {
  EXPECT_EQ(UpdateToolIniPath(""), "C:\\CorvaneUpdates.ini");
  EXPECT_EQ(UpdateToolIniPath("W"), std::string("W") + PathDelim + "CorvaneUpdates.ini");
}

}  // namespace
