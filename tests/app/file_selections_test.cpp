// Saving, loading and deleting named file selections in the program INI.
#include <gtest/gtest.h>

#include "app/file_selections.h"
#include "tests/app/config_fixture.h"

namespace {

using Paths = std::vector<std::string>;

class FileSelections : public ConfigFixture {
 protected:
  void SetUp() override {
    ConfigFixture::SetUp();
    WriteBothFiles("", "[DATEIEN_SAVED]\r\n");
  }
};

TEST(SelectionSectionName, JoinsTheWordsAndUpperCasesByTheLocale) {
  EXPECT_EQ(SelectionSectionName("Meine Liste"), "DATEIEN_SAVED_MEINELISTE");
  EXPECT_EQ(SelectionSectionName(" mein e liste"), "DATEIEN_SAVED_MEINELISTE");
  EXPECT_EQ(SelectionSectionName("übersicht"), "DATEIEN_SAVED_ÜBERSICHT");
}

TEST(SelectionNameProblem, RefusesNamesTheIniFileCannotHold) {
  EXPECT_EQ(SelectionNameProblem("Liste 1"), "");
  EXPECT_EQ(SelectionNameProblem(""), "Ein Name muss ausgewählt bzw. eingegeben werden.");
  for (const char* bad : {"a=b", "[x", "x]", "a;b"})
    EXPECT_EQ(SelectionNameProblem(bad), "Der Name darf die Zeichen = [ ] ; nicht enthalten.") << bad;
  EXPECT_NE(SelectionNameProblem(" x"), "");
}

TEST_F(FileSelections, SaveLoadAndDeleteRoundTrip) {
  const Paths paths = {"C:\\a\\eins.pdf", "C:\\b\\zwei.PDF"};
  ASSERT_TRUE(SaveSelection("Meine Liste", paths));
  const std::string written = ReadFile(AppIni());
  EXPECT_NE(written.find("Meine Liste=DATEIEN_SAVED_MEINELISTE"), std::string::npos) << written;
  EXPECT_NE(written.find("[DATEIEN_SAVED_MEINELISTE]"), std::string::npos) << written;
  EXPECT_NE(written.find("1=C:\\a\\eins.pdf"), std::string::npos) << written;
  EXPECT_NE(written.find("2=C:\\b\\zwei.PDF"), std::string::npos) << written;

  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(paths));
  EXPECT_EQ(SavedSelectionNames(), Paths{"Meine Liste"});

  ASSERT_TRUE(DeleteSelection("Meine Liste"));
  EXPECT_EQ(LoadSelection("Meine Liste"), std::nullopt);
  EXPECT_EQ(ReadFile(AppIni()).find("MEINELISTE"), std::string::npos);
}

TEST_F(FileSelections, SavingAgainReplacesThePathsAndMovesTheNameLast) {
  ASSERT_TRUE(SaveSelection("A", {"1.pdf", "2.pdf", "3.pdf"}));
  ASSERT_TRUE(SaveSelection("B", {"b.pdf"}));
  ASSERT_TRUE(SaveSelection("A", {"neu.pdf"}));
  EXPECT_EQ(SavedSelectionNames(), (Paths{"B", "A"}));
  EXPECT_EQ(LoadSelection("A"), std::optional<Paths>(Paths{"neu.pdf"}));
}

TEST_F(FileSelections, AnEmptyListIsStoredAsAnEmptySection) {
  ASSERT_TRUE(SaveSelection("Leer", {}));
  EXPECT_NE(ReadFile(AppIni()).find("[DATEIEN_SAVED_LEER]"), std::string::npos);
  EXPECT_EQ(LoadSelection("Leer"), std::optional<Paths>(Paths{}));
}

TEST_F(FileSelections, NamesDifferingInBlanksAndCaseShareOneSection) {
  ASSERT_TRUE(SaveSelection("Meine Liste", {"a.pdf"}));
  ASSERT_TRUE(SaveSelection("meineliste", {"b.pdf"}));
  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(Paths{"b.pdf"}));
  ASSERT_TRUE(DeleteSelection("meineliste"));
  // The other name still stands, but its section is gone.
  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(Paths{}));
}

TEST_F(FileSelections, WithoutSettingsNothingIsStoredOrLoaded) {
  std::filesystem::remove(SettingIni());
  EXPECT_FALSE(SaveSelection("A", {"a.pdf"}));
  EXPECT_EQ(LoadSelection("A"), std::nullopt);
  EXPECT_FALSE(DeleteSelection("A"));
  EXPECT_TRUE(SavedSelectionNames().empty());
  EXPECT_FALSE(warnings_.empty());
}

TEST(IsPdfPath, ComparesTheUpperCasedExtension) {
  EXPECT_TRUE(IsPdfPath("C:\\x\\a.pdf"));
  EXPECT_TRUE(IsPdfPath("C:\\x\\a.Pdf"));
  EXPECT_TRUE(IsPdfPath("C:\\x\\a.PDF"));
  EXPECT_FALSE(IsPdfPath("C:\\x\\a.pdf.bak"));
  EXPECT_FALSE(IsPdfPath("C:\\x\\a.txt"));
  EXPECT_FALSE(IsPdfPath("C:\\x\\pdf"));
}

}  // namespace
