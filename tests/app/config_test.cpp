// The settings module over real INI files: finding and opening both files,
// typed reads with write-back of defaults and resets of malformed values,
// the "LogWire" switches, and the raw layout sections.
#include <gtest/gtest.h>

#include "app/config.h"
#include "app/ini_helpers.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_attributes.h"
#include "platform/rtl/strings.h"
#include "tests/app/config_fixture.h"

namespace {

const char kResetMessagePrefix[] = "Beim Lesen des Ini-Eintrag [";

TEST(StrToBoolean, AcceptsThePlatformWordsAndNumbers) {
  struct Case {
    const char* text;
    bool value;
  };
  for (const Case& c : {Case{"True", true}, Case{" true ", true}, Case{"TRUE", true}, Case{"1", true},
                        Case{"-1", true}, Case{"False", false}, Case{"false", false}, Case{"0", false},
                        Case{"\tFALSE ", false}}) {
    EXPECT_EQ(StrToBoolean(c.text), c.value) << c.text;
  }
  for (const char* bad : {"yes", "", "2", "truee", "-0"}) {
    try {
      StrToBoolean(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), "Ungütiger BooleanWert");
    }
  }
  EXPECT_EQ(BooleanToStr(true), "True");
  EXPECT_EQ(BooleanToStr(false), "False");
}

TEST_F(ConfigFixture, MissingSettingIniWarnsOnceAndWritesNothing) {
  WriteFile(AppIni(), "");
  EXPECT_FALSE(OpenConfig());
  EXPECT_EQ(warnings_, std::vector<std::string>{"Die Setting.Ini konnte nicht gefunden werden."});
  EXPECT_FALSE(std::filesystem::exists(SettingIni()));

  // While the application is being destroyed, the failure is silent.
  destroying_ = true;
  EXPECT_FALSE(OpenConfig());
  EXPECT_EQ(warnings_.size(), 1u);
}

TEST_F(ConfigFixture, MissingProgramIniWarnsAndStillWritesBackTheDefaults) {
  WriteFile(SettingIni(), "[LogWire]\r\n");
  EXPECT_FALSE(OpenConfig());
  EXPECT_EQ(warnings_, std::vector<std::string>{"Die LumarPdfPrinter.ini konnte nicht gefunden werden."});
  // "Global" was missing: it is written back as the program's folder.
  const std::string written = ReadFile(SettingIni());
  EXPECT_NE(written.find("[INI-DATEI]"), std::string::npos) << written;
  EXPECT_NE(written.find("Global=" + ProgramDir().string()), std::string::npos) << written;
}

TEST_F(ConfigFixture, SettingIniInTheStartDirectoryWins) {
  WriteBothFiles();
  WriteFile(StartDir() / "Setting.Ini", "[INI-DATEI]\r\nGlobal=.\r\n");
  WriteFile(StartDir() / "LumarPdfPrinter.ini", "[PDFReader]\r\nPDFReaderTitel=from start\r\n");
  EXPECT_EQ(FindSettingIni(), (StartDir() / "Setting.Ini").string());
  ASSERT_TRUE(OpenConfig());
  // "Global" = "." puts the program INI in the start directory.
  EXPECT_EQ(ConfigReadStr("PDFReader", "PDFReaderTitel", "x"), "from start");
  CloseConfig();
}

TEST_F(ConfigFixture, GlobalFolderWithoutTrailingDelimiterGetsOne) {
  WriteFile(SettingIni(), "[INI-DATEI]\r\nGlobal=" + ProgramDir().string() + "\r\n");
  WriteFile(AppIni(), "[Drucker]\r\nName=PDF\r\n");
  ASSERT_TRUE(OpenConfig());
  EXPECT_EQ(ConfigReadStr("Drucker", "Name", ""), "PDF");
  CloseConfig();
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(ConfigFixture, MissingAndEmptyMarkedKeysAreWrittenBackWithTheirDefaults) {
  WriteBothFiles("", "[PDFReader]\r\nPDFReaderTitel=#empty#\r\n");
  ASSERT_TRUE(OpenConfig());
  EXPECT_EQ(ConfigReadStr("PDFReader", "PDFReaderTitel", "Adobe Reader"), "Adobe Reader");
  EXPECT_EQ(ConfigReadInt("PDFReader", "PauseToDestroy", 3000), 3000);
  EXPECT_EQ(ConfigReadStr("Drucker", "Name", ""), "");
  CloseConfig();
  const std::string written = ReadFile(AppIni());
  EXPECT_NE(written.find("PDFReaderTitel=Adobe Reader"), std::string::npos) << written;
  EXPECT_NE(written.find("PauseToDestroy=3000"), std::string::npos) << written;
  EXPECT_NE(written.find("[Drucker]"), std::string::npos) << written;
  EXPECT_TRUE(errors_.empty());
}

TEST_F(ConfigFixture, MalformedValuesAreResetWithTheMessage) {
  WriteBothFiles("[LogWire]\r\nEinstellungenSetzen=yes\r\n", "[PDFReader]\r\nPauseToDestroy=3s\r\n");
  ASSERT_TRUE(OpenConfig());
  EXPECT_EQ(ConfigReadInt("PDFReader", "PauseToDestroy", 3000), 3000);
  CloseConfig();
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_EQ(errors_[0],
            "Beim Lesen des Ini-Eintrag [LogWire]EinstellungenSetzen trat ein Fehler aus. Der Eintrag wird auf "
            "den Standardwert zurückgesetzt. Dieser Fehler wird beim nächsten Programmstart behoben.");
  EXPECT_EQ(errors_[1].rfind(std::string(kResetMessagePrefix) + "PDFReader]PauseToDestroy", 0), 0u);
  EXPECT_NE(ReadFile(SettingIni()).find("EinstellungenSetzen=False"), std::string::npos);
  EXPECT_NE(ReadFile(AppIni()).find("PauseToDestroy=3000"), std::string::npos);
}

TEST_F(ConfigFixture, LogWireSwitchesAreAppliedOnlyWhenAskedAndOnlyOnce) {
  WriteBothFiles("[LogWire]\r\nEinstellungenSetzen=False\r\n");
  ASSERT_TRUE(OpenConfig());
  CloseConfig();
  EXPECT_TRUE(logging_.empty());
  // The other switches were neither read nor written back.
  EXPECT_EQ(ReadFile(SettingIni()).find("Aktiv"), std::string::npos);

  // Switched on later in the same run: the section is not read again.
  WriteBothFiles("[LogWire]\r\nEinstellungenSetzen=True\r\nAktiv=True\r\n");
  ASSERT_TRUE(OpenConfig());
  CloseConfig();
  EXPECT_TRUE(logging_.empty());
}

TEST_F(ConfigFixture, LogWireSwitchesReachTheLoggingClient) {
  WriteBothFiles("[LogWire]\r\nEinstellungenSetzen=True\r\nAktiv=1\r\nLiveViewer=true\r\n"
                 "VerbindeÜberTPC=True\r\n");
  ASSERT_TRUE(OpenConfig());
  CloseConfig();
  ASSERT_EQ(logging_.size(), 1u);
  EXPECT_TRUE(logging_[0].enabled);
  EXPECT_TRUE(logging_[0].live_viewer);
  EXPECT_TRUE(logging_[0].log_file);
  EXPECT_TRUE(logging_[0].tcp_transport);
  EXPECT_EQ(logging_[0].log_file_name, "LumarPdfPrinter.csl");
  EXPECT_NE(ReadFile(SettingIni()).find("LogFile=True"), std::string::npos);
  ASSERT_TRUE(OpenConfig());
  CloseConfig();
  EXPECT_EQ(logging_.size(), 1u);
}

TEST_F(ConfigFixture, ASettingsFileThatCannotBeWrittenIsReportedAtTheEndAndTheProgramGoesOn) {
  WriteBothFiles();
  ASSERT_TRUE(OpenConfig());
  ConfigWriteStr("Drucker", "Name", "PDF");
  std::filesystem::remove_all(ProgramDir());  // nowhere to write back to
  EXPECT_FALSE(CloseConfig());
  EXPECT_TRUE(errors_.empty());
  EXPECT_EQ(ConfigAppIni(), nullptr);
  EXPECT_EQ(ConfigSettingIni(), nullptr);
  uConfigFinalize();
  EXPECT_EQ(errors_.size(), 1u);
}

TEST(ExtractRawSection, TakesTrimmedLinesUpToTheNextHeader) {
  TStringList lines;
  lines.SetText("[Other]\r\nx=1\r\n[fensterPOSITIONEN]\r\n  fmMain=1,2,3,4  \r\n\r\nfmB=5\r\n[GridLayouts]\r\ng=1\r\n");
  TStringList target;
  target.Add("stale");
  ExtractRawSection("Fensterpositionen", target, lines);
  ASSERT_EQ(target.Count(), 2);
  EXPECT_EQ(target.Get(0), "fmMain=1,2,3,4");
  EXPECT_EQ(target.Get(1), "fmB=5");
  ExtractRawSection("Missing", target, lines);
  EXPECT_EQ(target.Count(), 0);
}

TEST_F(ConfigFixture, LayoutsAreReadRawAndWrittenBackAtExit) {
  WriteBothFiles("[Fensterpositionen]\r\nfmMain=1,2,3,4\r\n[GridLayouts]\r\nkeep=abc\r\nempty=\r\n");
  ASSERT_TRUE(OpenConfig());
  LoadLayouts();
  CloseConfig();
  EXPECT_TRUE(LayoutsLoaded());
  EXPECT_EQ(StoredWindowPosition("FMMAIN"), "1,2,3,4");
  StoreWindowPosition("fmMain", 10, 20, 674, 301);

  ASSERT_TRUE(OpenConfig());
  SaveLayouts();
  CloseConfig();
  EXPECT_FALSE(LayoutsLoaded());
  const std::string written = ReadFile(SettingIni());
  EXPECT_NE(written.find("fmMain=10,20,674,301"), std::string::npos) << written;
  EXPECT_NE(written.find("keep=abc"), std::string::npos) << written;
  EXPECT_EQ(written.find("empty="), std::string::npos) << written;
}

TEST_F(ConfigFixture, FilesThatCannotBeWrittenStayAsTheyAreAndAreNamedOnceAtTheEnd) {
  WriteBothFiles("", "[Drucker]\r\nName=Alt\r\n");
  const std::string setting_before = ReadFile(SettingIni());
  // The program INI is marked read-only; beside "Setting.Ini" the
  // write-back's helper file cannot be created.
  ASSERT_TRUE(SetFileReadOnly(AppIni().string(), true));
  std::filesystem::create_directory(SettingIni().string() + ".~new");

  for (int session = 0; session < 3; ++session) {
    ASSERT_TRUE(OpenConfig());
    ConfigWriteStr("Drucker", "Name", "Neu");
    SettingWriteStr("Fensterpositionen", "fmMain", "1,2,3,4");
    EXPECT_FALSE(CloseConfig());
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(ReadFile(AppIni()), "[Drucker]\r\nName=Alt\r\n");
  EXPECT_EQ(ReadFile(SettingIni()), setting_before);
  EXPECT_TRUE(FileIsReadOnly(AppIni().string()));

  uConfigFinalize();
  ASSERT_EQ(errors_.size(), 1u);
  const std::string& message = errors_.front();
  EXPECT_EQ(message.rfind("Die Einstellungen konnten nicht gespeichert werden:\r\n", 0), 0u) << message;
  EXPECT_NE(message.find(AppIni().string() + " (schreibgeschützt)"), std::string::npos) << message;
  EXPECT_NE(message.find(SettingIni().string() + " (Cannot create file"), std::string::npos) << message;
  SetFileReadOnly(AppIni().string(), false);
}

TEST_F(ConfigFixture, WrittenFilesSayNothingAtTheEnd) {
  WriteBothFiles();
  ASSERT_TRUE(OpenConfig());
  ConfigWriteStr("Drucker", "Name", "Neu");
  EXPECT_TRUE(CloseConfig());
  uConfigFinalize();
  EXPECT_TRUE(errors_.empty());
  EXPECT_NE(ReadFile(AppIni()).find("Name=Neu"), std::string::npos);
}

}  // namespace
