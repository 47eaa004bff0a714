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

  static Paths SavedSelectionNames() {
    Paths names;
    for (const SavedSelection& entry : SavedSelections())
      names.push_back(entry.name);
    return names;
  }
};

TEST(SelectionSectionName, JoinsTheWordsAndUpperCasesByTheLocale) {
  EXPECT_EQ(SelectionSectionName("Meine Liste"), "DATEIEN_SAVED_MEINELISTE");
  EXPECT_EQ(SelectionSectionName(" mein e liste"), "DATEIEN_SAVED_MEINELISTE");
  EXPECT_EQ(SelectionSectionName("übersicht"), "DATEIEN_SAVED_ÜBERSICHT");
}

TEST(SelectionSaveProblem, RefusesNewNamesTheIniFileCannotHold) {
  const std::vector<SavedSelection> none;
  EXPECT_EQ(SelectionSaveProblem("Liste 1", none), "");
  EXPECT_EQ(SelectionSaveProblem("", none), "Ein Name muss ausgewählt bzw. eingegeben werden.");
  for (const char* bad : {"a=b", "[x", "x]", "a;b"})
    EXPECT_EQ(SelectionSaveProblem(bad, none), "Der Name darf die Zeichen = [ ] ; nicht enthalten.") << bad;
  EXPECT_NE(SelectionSaveProblem(" x", none), "");

  // A name an earlier version stored is taken as it stands.
  const std::vector<SavedSelection> stored = {{"Liste [alt]", "DATEIEN_SAVED_LISTE[ALT]"},
                                              {"Kunden;Lieferanten", "DATEIEN_SAVED_KUNDEN;LIEFERANTEN"}};
  EXPECT_EQ(SelectionSaveProblem("Liste [alt]", stored), "");
  EXPECT_EQ(SelectionSaveProblem("Kunden;Lieferanten", stored), "");
  EXPECT_NE(SelectionSaveProblem("liste [alt]", stored), "") << "a new name, though close to a stored one";
}

TEST(SelectionSaveProblem, RefusesANameWhoseSectionAnotherNameHoldsAndNamesTheHolder) {
  const std::vector<SavedSelection> stored = {{"Erste", "DATEIEN_SAVED_ERSTE"},
                                              {"Meine Liste", "DATEIEN_SAVED_MEINELISTE"},
                                              {"Von Hand", "DATEIEN_SAVED_ANDERS"}};
  const std::string expected =
      "Unter dem Namen „meine liste“ kann nicht gespeichert werden: die gespeicherte Auswahl „Meine Liste“ "
      "belegt denselben Eintrag, denn die Namen unterscheiden sich nur in Groß-/Kleinschreibung oder "
      "Leerzeichen. Wählen Sie „Meine Liste“, um diese Auswahl zu ersetzen, oder geben Sie einen anderen "
      "Namen ein.";
  EXPECT_EQ(SelectionSaveProblem("meine liste", stored), expected);
  for (const char* name : {"MeineListe", "MEINE LISTE", "Mei neListe"})
    EXPECT_NE(SelectionSaveProblem(name, stored).find("„Meine Liste“ belegt"), std::string::npos) << name;
  // The section a name names counts, also one edited by hand.
  EXPECT_NE(SelectionSaveProblem("anders", stored).find("„Von Hand“ belegt"), std::string::npos);
  EXPECT_NE(SelectionSaveProblem("vonhand", stored).find("„Von Hand“ belegt"), std::string::npos);
  // The holder itself may replace its list.
  EXPECT_EQ(SelectionSaveProblem("Meine Liste", stored), "");
  EXPECT_EQ(SelectionSaveProblem("Zweite", stored), "");
}

TEST_F(FileSelections, SaveLoadAndDeleteRoundTrip) {
  const Paths paths = {"C:\\a\\eins.pdf", "C:\\b\\zwei.PDF"};
  ASSERT_TRUE(SaveSelection("Meine Liste", paths).saved);
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

TEST_F(FileSelections, PathsWithCharactersOfShellsAndIniFilesComeBackAsTheyWere) {
  // Characters that mean something to a command line, a URL or an INI
  // file, blanks and tabs inside and at the ends of names, and a long path.
  const Paths paths = {"C:\\Daten\\100% fertig.pdf",     "C:\\Daten\\A & B.pdf",
                       "C:\\Daten\\#1; Teil=2 [neu].pdf", "C:\\Daten\\\"zitiert\" 'so'.pdf",
                       "C:\\Daten\\mit\tTab.pdf",        "C:\\Daten\\ Rand .pdf",
                       "C:\\" + std::string(1000, 'x') + ".pdf"};
  ASSERT_TRUE(SaveSelection("Sonderzeichen", paths).saved);
  EXPECT_EQ(LoadSelection("Sonderzeichen"), std::optional<Paths>(paths));
  CloseConfig();
  Initialize();
  EXPECT_EQ(LoadSelection("Sonderzeichen"), std::optional<Paths>(paths)) << "after the file was read again";
}

TEST_F(FileSelections, SavingAgainReplacesThePathsAndMovesTheNameLast) {
  ASSERT_TRUE(SaveSelection("A", {"1.pdf", "2.pdf", "3.pdf"}).saved);
  ASSERT_TRUE(SaveSelection("B", {"b.pdf"}).saved);
  ASSERT_TRUE(SaveSelection("A", {"neu.pdf"}).saved);
  EXPECT_EQ(SavedSelectionNames(), (Paths{"B", "A"}));
  EXPECT_EQ(LoadSelection("A"), std::optional<Paths>(Paths{"neu.pdf"}));
}

TEST_F(FileSelections, AnEmptyListIsStoredAsAnEmptySection) {
  ASSERT_TRUE(SaveSelection("Leer", {}).saved);
  EXPECT_NE(ReadFile(AppIni()).find("[DATEIEN_SAVED_LEER]"), std::string::npos);
  EXPECT_EQ(LoadSelection("Leer"), std::optional<Paths>(Paths{}));
}

TEST_F(FileSelections, ASecondNameForTheSameSectionIsRefusedAndTheFirstKeepsItsList) {
  ASSERT_TRUE(SaveSelection("Meine Liste", {"a.pdf"}).saved);
  for (const char* other : {"meineliste", "MEINE LISTE"}) {
    const SaveSelectionResult result = SaveSelection(other, {"b.pdf"});
    EXPECT_FALSE(result.saved) << other;
    EXPECT_NE(result.refusal.find("„Meine Liste“"), std::string::npos) << result.refusal;
  }
  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(Paths{"a.pdf"}));
  EXPECT_EQ(SavedSelectionNames(), Paths{"Meine Liste"});
}

TEST_F(FileSelections, NamesWithBracketsOrSemicolonsFromAnEarlierVersionLoadAndDelete) {
  WriteFile(AppIni(),
            "[DATEIEN_SAVED]\r\nListe [alt]=DATEIEN_SAVED_LISTE[ALT]\r\n"
            "Kunden;Lieferanten=DATEIEN_SAVED_KUNDEN;LIEFERANTEN\r\n"
            "[DATEIEN_SAVED_LISTE[ALT]]\r\n1=C:\\alt\\eins.pdf\r\n"
            "[DATEIEN_SAVED_KUNDEN;LIEFERANTEN]\r\n1=C:\\k\\zwei.pdf\r\n2=C:\\k\\drei.pdf\r\n");
  EXPECT_EQ(SavedSelectionNames(), (Paths{"Liste [alt]", "Kunden;Lieferanten"}));
  EXPECT_EQ(LoadSelection("Liste [alt]"), std::optional<Paths>(Paths{"C:\\alt\\eins.pdf"}));
  EXPECT_EQ(LoadSelection("Kunden;Lieferanten"),
            std::optional<Paths>(Paths{"C:\\k\\zwei.pdf", "C:\\k\\drei.pdf"}));

  // Saved again under its own name, it takes the new list.
  ASSERT_TRUE(SaveSelection("Liste [alt]", {"C:\\neu.pdf"}).saved);
  EXPECT_EQ(LoadSelection("Liste [alt]"), std::optional<Paths>(Paths{"C:\\neu.pdf"}));

  ASSERT_TRUE(DeleteSelection("Kunden;Lieferanten"));
  ASSERT_TRUE(DeleteSelection("Liste [alt]"));
  EXPECT_TRUE(SavedSelectionNames().empty());
  const std::string left = ReadFile(AppIni());
  EXPECT_EQ(left.find("LIEFERANTEN"), std::string::npos) << left;
  EXPECT_EQ(left.find("ALT"), std::string::npos) << left;
}

TEST_F(FileSelections, DeletingOneOfTwoNamesThatShareASectionKeepsTheOthersList) {
  // Stored so by an earlier version, which let both names in.
  WriteFile(AppIni(),
            "[DATEIEN_SAVED]\r\nMeine Liste=DATEIEN_SAVED_MEINELISTE\r\nMeineListe=DATEIEN_SAVED_MEINELISTE\r\n"
            "[DATEIEN_SAVED_MEINELISTE]\r\n1=a.pdf\r\n");
  // Neither may overwrite the list the other names.
  const SaveSelectionResult result = SaveSelection("Meine Liste", {"b.pdf"});
  EXPECT_FALSE(result.saved);
  EXPECT_NE(result.refusal.find("„MeineListe“"), std::string::npos) << result.refusal;

  ASSERT_TRUE(DeleteSelection("MeineListe"));
  EXPECT_EQ(SavedSelectionNames(), Paths{"Meine Liste"});
  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(Paths{"a.pdf"}));
  // Alone now, it may take a new list, and deleting it erases the section.
  ASSERT_TRUE(SaveSelection("Meine Liste", {"b.pdf"}).saved);
  EXPECT_EQ(LoadSelection("Meine Liste"), std::optional<Paths>(Paths{"b.pdf"}));
  ASSERT_TRUE(DeleteSelection("Meine Liste"));
  EXPECT_EQ(ReadFile(AppIni()).find("MEINELISTE"), std::string::npos);
}

TEST_F(FileSelections, WithoutSettingsNothingIsStoredOrLoaded) {
  std::filesystem::remove(SettingIni());
  EXPECT_FALSE(SaveSelection("A", {"a.pdf"}).saved);
  EXPECT_EQ(LoadSelection("A"), std::nullopt);
  EXPECT_FALSE(DeleteSelection("A"));
  EXPECT_TRUE(SavedSelectionNames().empty());
  EXPECT_FALSE(warnings_.empty());
}

}  // namespace
