// The main window in this process, on real settings files: start-up from
// the settings, drops as the shell delivers them, the print run against the
// private print server with the reader and dispatcher stand-ins, the saved
// selections through the name dialog, and what the window writes back when
// it goes.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/file_list.h"
#include "app/main_window_win.h"
#include "grid/grid_db_table_view_win.h"
#include "logging/connection.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/message.h"
#include "platform/db/client_data_set.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/combo_box.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/progress_bar.h"
#include "tests/app/config_fixture.h"
#include "tests/app/long_path.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/drop_handle.h"
#include "tests/support/helper_process.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/test_paths.h"

namespace {

namespace fs = std::filesystem;
using test_support::HelperProcess;

// ---- start-up and exit -------------------------------------------------------------

TEST_F(MainWindowFixture, StartsWithThePrintersAndTheStoredSettings) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPDFReaderTitel=Leser\r\nPauseToDestroy=250\r\n");
  TfmMain& form = CreateMainWindow();

  EXPECT_EQ(test_support::WindowTitle(form.Handle()), "Lumar PDF-Printer");
  const std::vector<std::string> items = ComboItems(*form.cbPrinterSelect);
  ASSERT_GE(items.size(), 3u);
  EXPECT_EQ(items[0], "Default");
  EXPECT_EQ(std::count(items.begin(), items.end(), "Screen"), 0);
  EXPECT_EQ(std::count(items.begin(), items.end(), "Datei"), 1);
  EXPECT_EQ(std::count(items.begin(), items.end(), "PDF"), 1);
  EXPECT_EQ(form.cbPrinterSelect->Text(), "Datei");
  EXPECT_EQ(form.PdfReaderTitle(), "Leser");
  EXPECT_EQ(form.PauseToDestroy(), 250);
  EXPECT_EQ(form.NextSortkey(), 1);
  EXPECT_EQ(form.Files().RowCount(), 0);
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(MainWindowFixture, APrinterThatIsNoLongerInstalledLeavesDefaultSelected) {
  WriteBothFiles("", "[Drucker]\r\nName=Abgebaut\r\n");
  TfmMain& form = CreateMainWindow();
  EXPECT_EQ(form.cbPrinterSelect->ItemIndex(), 0);
  EXPECT_EQ(form.cbPrinterSelect->Text(), "Default");
}

TEST_F(MainWindowFixture, ANegativePauseIsResetWithTheMessageForABadValue) {
  WriteBothFiles("", "[PDFReader]\r\nPauseToDestroy=-5\r\n");
  TfmMain& form = CreateMainWindow();
  EXPECT_EQ(form.PauseToDestroy(), 3000);
  ASSERT_EQ(warnings_.size() + errors_.size(), 1u);
  EXPECT_NE(ReadFile(AppIni()).find("PauseToDestroy=3000"), std::string::npos);
}

TEST_F(MainWindowFixture, WithoutSettingsItWarnsOnceOpensAtItsDesignedPlaceAndWritesNothing) {
  TfmMain& form = CreateMainWindow();
  EXPECT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(form.Left(), 271);
  EXPECT_EQ(form.Top(), 222);
  EXPECT_EQ(form.cbPrinterSelect->ItemIndex(), 0);
  EXPECT_TRUE(form.PdfReaderTitle().empty());
  EXPECT_EQ(form.PauseToDestroy(), 0);

  destroying_ = true;  // as at the application's end
  FreeMainWindow();
  EXPECT_EQ(warnings_.size(), 1u);
  EXPECT_FALSE(fs::exists(SettingIni()));
  EXPECT_FALSE(fs::exists(AppIni()));
}

TEST_F(MainWindowFixture, ExitStoresThePrinterAndThePlaceOfTheWindow) {
  WriteBothFiles("[Fensterpositionen]\r\nfmMain=100,120,700,320\r\n", "[Drucker]\r\nName=Datei\r\n");
  TfmMain& form = CreateMainWindow();
  EXPECT_EQ(form.Left(), 100);
  EXPECT_EQ(form.Top(), 120);
  EXPECT_EQ(form.Width(), 700);
  EXPECT_EQ(form.Height(), 320);

  form.cbPrinterSelect->SetItemIndex(form.cbPrinterSelect->Items().IndexOf("PDF"));
  form.SetBounds(60, 70, 680, 310);
  FreeMainWindow();
  EXPECT_NE(ReadFile(AppIni()).find("Name=PDF"), std::string::npos);
  EXPECT_NE(ReadFile(SettingIni()).find("fmMain=60,70,680,310"), std::string::npos);
}

TEST_F(MainWindowFixture, ExitStoresAnEmptyPrinterNameWhenNoneIsSelected) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n");
  TfmMain& form = CreateMainWindow();
  form.cbPrinterSelect->SetItemIndex(-1);
  FreeMainWindow();
  const std::string ini = ReadFile(AppIni());
  EXPECT_NE(ini.find("Name=\r\n"), std::string::npos) << ini;
}

// ---- drops ---------------------------------------------------------------------------

TEST_F(MainWindowFixture, DropsAddPdfFilesInOrderAndPassOverEverythingElse) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  const std::string a = MakeDocument("eins.pdf");
  const std::string b = MakeDocument("zwei.txt");
  const std::string c = MakeDocument("DREI.PDF");
  const std::string d = MakeDocument("vier.pdf.bak");
  const std::string e = MakeDocument("fünf.Pdf");
  const std::string folder = Documents() + "ordner.pdf";
  fs::create_directory(folder);

  Drop(form, {a, b, c, d, folder, e});
  EXPECT_EQ(form.Files().Paths(), (std::vector<std::string>{a, c, e}));
  EXPECT_EQ(SortKeys(form), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(form.NextSortkey(), 4);
  // The grid the user sees follows.
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{a, c, e}));

  Drop(form, {a});
  EXPECT_EQ(form.Files().Paths(), (std::vector<std::string>{a, c, e, a}));
  EXPECT_EQ(SortKeys(form).back(), 4);
}

TEST_F(MainWindowFixture, ALockedFileEndsTheDropWithAMessageAndAddsNoHalfRow) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  const std::string first = MakeDocument("erst.pdf");
  const std::string locked = MakeDocument("gesperrt.pdf");
  const std::string last = MakeDocument("letzt.pdf");
  HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);

  std::string shown;
  bool bracket_open_while_shown = true;
  int rows_shown_with_message = -1;
  test_support::RunWhileModal([&] {
    HWND box = test_support::FindThreadDialog();
    if (box == nullptr)
      return false;
    shown = MessageBoxText(box);
    // The grid is live again before the user reads the message.
    bracket_open_while_shown = form.Files().DataSet()->ControlsDisabled();
    rows_shown_with_message = form.lxGridDBDateien->DataController()->GetRecordCount();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  });
  Drop(form, {first, locked, last});
  CloseHandle(lock);
  EXPECT_FALSE(bracket_open_while_shown);
  EXPECT_EQ(rows_shown_with_message, 1);

  EXPECT_EQ(shown.rfind("Fehler: ", 0), 0u) << shown;
  EXPECT_EQ(form.Files().Paths(), std::vector<std::string>{first});
  EXPECT_EQ(form.NextSortkey(), 2);
  EXPECT_EQ(form.Files().DataSet()->State(), dsBrowse);
  // The list's display bracket is closed: the row added shows, and later
  // drops show too.
  EXPECT_FALSE(form.Files().DataSet()->ControlsDisabled());
  EXPECT_EQ(ShownPaths(form), std::vector<std::string>{first});
  Drop(form, {last});
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{first, last}));
}

TEST_F(MainWindowFixture, DroppedPathsOfAnyLengthAreTakenWhole) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  const fs::path folder = fs::u8path(Documents());
  std::vector<std::string> paths;
  for (size_t length : {250u, 259u, 260u, 261u, 500u, 501u, 520u, 1024u, 1100u, 2000u})
    paths.push_back(MakeFileWithPathLength(folder / std::to_string(length), length));

  Drop(form, paths);
  EXPECT_EQ(form.Files().Paths(), paths);
  EXPECT_EQ(ShownPaths(form), paths);
  for (const std::string& path : paths)
    RemoveFileWithPathLength(path, folder);
}

TEST_F(MainWindowFixture, ADropOfThousandsOfFilesIsTakenOverByTheListOnce) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  std::vector<std::string> paths;
  for (int i = 0; i < 2000; ++i)
    paths.push_back(MakeDocument("viele-" + std::to_string(i) + ".pdf"));
  // Every reload of the grid reads all its rows: one per added row made a
  // drop cost the square of its size.
  int reloads = 0;
  form.lxGridDBDateien->DataController()->OnDataChanged = [&](TObject*) { ++reloads; };

  Drop(form, paths);
  EXPECT_EQ(reloads, 1);
  EXPECT_EQ(form.Files().RowCount(), 2000);
  EXPECT_EQ(form.lxGridDBDateien->DataController()->GetRecordCount(), 2000);
  EXPECT_EQ(form.NextSortkey(), 2001);
  EXPECT_EQ(form.Files().Paths(), paths);
}

// ---- the print run -------------------------------------------------------------------

// Takes each record the logger sends and notes where the progress bar
// stood at that moment: the run pumps no messages, so this is the only
// moment a test can look at it.
class ProgressRecorder : public TLogWireConnection {
 public:
  ProgressRecorder(TLogWireManager& manager, TProgressBar& bar, std::vector<std::string>& texts,
                   std::vector<int32_t>& positions)
      : TLogWireConnection(manager), bar_(bar), texts_(texts), positions_(positions) {}
  bool CanSend() override { return true; }
  int32_t Send(const TLogWireMessage& message) override {
    if (message.MsgType == 0) {
      texts_.push_back(message.Text);
      positions_.push_back(bar_.Position());
    }
    return 1;
  }

 private:
  TProgressBar& bar_;
  std::vector<std::string>& texts_;
  std::vector<int32_t>& positions_;
};

TEST_F(MainWindowFixture, FilesThatVanishedAreLoggedAndSkippedAndTheBarStepsPerRow) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPauseToDestroy=0\r\n");
  TfmMain& form = CreateMainWindow();
  const std::vector<std::string> paths = {MakeDocument("weg-1.pdf"), MakeDocument("weg-2.pdf"),
                                          MakeDocument("weg-3.pdf")};
  Drop(form, paths);
  for (const std::string& path : paths)
    fs::remove(path);

  std::vector<std::string> texts;
  std::vector<int32_t> positions;
  GlobalLogWireManager()->UseConnection(
      std::make_unique<ProgressRecorder>(*GlobalLogWireManager(), *form.pb, texts, positions));
  PressPrint(form);

  EXPECT_EQ(texts, paths);
  EXPECT_EQ(positions, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(form.pb->Max(), 3);
  EXPECT_EQ(form.pb->Position(), 0);
  EXPECT_EQ(form.Files().RowCount(), 0);
  EXPECT_EQ(form.NextSortkey(), 1);
}

TEST_F(MainWindowFixture, NoPrinterSelectedEndsTheRunWithTheMessageAndKeepsTheList) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  Drop(form, {MakeDocument("bleibt.pdf")});
  form.cbPrinterSelect->SetItemIndex(-1);

  std::string shown;
  AnswerNextMessageBox(&shown);
  PressPrint(form);
  EXPECT_EQ(shown, "Fehler : Druckerindex außerhalb des zulässigen Bereichs");
  EXPECT_EQ(form.Files().RowCount(), 1);
  EXPECT_EQ(form.NextSortkey(), 2);
  EXPECT_EQ(form.lxGridDBDateien->DataController()->GetLockCount(), 0);
}

TEST_F(MainWindowFixture, APrintRunPrintsEveryFileInListOrderClosesTheReaderAndLogsThePaths) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPDFReaderTitel=Adobe Reader\r\n"
                     "PauseToDestroy=1500\r\n");
  TfmMain& form = CreateMainWindow();
  // Process ids repeat between runs under Wine; the clock does not.
  const std::string stem = "lauf-" + std::to_string(GetTickCount64());
  const std::vector<std::string> paths = {MakePdf(stem + "-c.pdf"), MakePdf(stem + "-a.pdf"),
                                          MakePdf(stem + "-b.pdf")};
  Drop(form, paths);

  DispatcherStandIn dispatcher;
  ASSERT_TRUE(dispatcher.Start(Documents() + "dispatcher.txt"));
  const std::string reader_log = Documents() + "reader.txt";
  HelperProcess reader;
  ASSERT_TRUE(reader.Start(test_support::ExecutableFolder() + "reader_standin.exe",
                           "\"Adobe Reader - x.pdf\" --log \"" + reader_log + "\""));
  ASSERT_NE(reader.WaitForWindow("Adobe Reader - x.pdf"), nullptr);

  PressPrint(form);
  EXPECT_EQ(form.Files().RowCount(), 0);
  EXPECT_EQ(form.NextSortkey(), 1);
  EXPECT_EQ(form.pb->Position(), 0);
  EXPECT_EQ(form.pb->Max(), 3);

  // Three jobs at the print server, in the list's order.
  const std::vector<std::string> jobs = WaitForPrintedJobs(stem, 3);
  ASSERT_EQ(jobs.size(), 3u);
  EXPECT_NE(jobs[0].find(stem + "-c.pdf"), std::string::npos) << jobs[0];
  EXPECT_NE(jobs[1].find(stem + "-a.pdf"), std::string::npos) << jobs[1];
  EXPECT_NE(jobs[2].find(stem + "-b.pdf"), std::string::npos) << jobs[2];

  // The reader was asked to close after the first pause.
  EXPECT_EQ(reader.WaitForExit(), 0u);
  EXPECT_NE(ReadFile(reader_log).find("closed"), std::string::npos);

  // The dispatcher got the paths in order, and the close request noted.
  const std::vector<std::string> texts = dispatcher.MessageTexts();
  std::vector<std::string> logged_paths;
  std::copy_if(texts.begin(), texts.end(), std::back_inserter(logged_paths),
               [](const std::string& text) { return text != "PostMessage"; });
  EXPECT_EQ(logged_paths, paths);
  const auto first_close = std::find(texts.begin(), texts.end(), "PostMessage");
  ASSERT_NE(first_close, texts.end());
  EXPECT_EQ(first_close - texts.begin(), 1) << "the close request follows the first file";
}

TEST_F(MainWindowFixture, WithoutAPauseTheJobsStillArriveInTheListsOrder) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPDFReaderTitel=Adobe Reader\r\n"
                     "PauseToDestroy=0\r\n");
  TfmMain& form = CreateMainWindow();
  const std::string stem = "folge-" + std::to_string(GetTickCount64());
  std::vector<std::string> paths;
  for (const char* name : {"h", "c", "f", "a", "g", "b", "e", "d"})
    paths.push_back(MakePdf(stem + "-" + name + ".pdf"));
  Drop(form, paths);

  PressPrint(form);
  EXPECT_EQ(form.Files().RowCount(), 0);
  const std::vector<std::string> jobs = WaitForPrintedJobs(stem, paths.size());
  ASSERT_EQ(jobs.size(), paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    const std::string name = std::filesystem::path(paths[i]).filename().string();
    EXPECT_NE(jobs[i].find(name), std::string::npos) << i << ": " << jobs[i];
  }
}

// While it lives, PDF documents name a document class without a program to
// print them, so the shell refuses every "printto". The association itself is
// changed, not shadowed by a per-user key: Wine does not always let a user's
// classes override the machine's.
class PdfWithoutPrintProgram {
 public:
  PdfWithoutPrintProgram() {
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L".pdf", 0, KEY_READ | KEY_WRITE, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
      return;
    }
    wchar_t previous[256] = {};
    DWORD size = sizeof(previous) - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key_, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(previous), &size) == ERROR_SUCCESS &&
        type == REG_SZ)
      previous_ = previous;
    static const wchar_t kClass[] = L"Lx.KeinDruckprogramm";
    changed_ = RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kClass), sizeof(kClass)) ==
               ERROR_SUCCESS;
  }
  ~PdfWithoutPrintProgram() {
    if (key_ == nullptr)
      return;
    if (changed_)
      RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_.c_str()),
                     static_cast<DWORD>((previous_.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key_);
  }
  PdfWithoutPrintProgram(const PdfWithoutPrintProgram&) = delete;
  PdfWithoutPrintProgram& operator=(const PdfWithoutPrintProgram&) = delete;
  bool created() const { return changed_; }

 private:
  HKEY key_ = nullptr;
  std::wstring previous_;
  bool changed_ = false;
};

TEST_F(MainWindowFixture, RefusedFilesStayInTheListAndOneMessageNamesEach) {
  WriteBothFiles("", "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPauseToDestroy=0\r\n");
  TfmMain& form = CreateMainWindow();
  const std::vector<std::string> paths = {MakeDocument("abgelehnt-1.pdf"), MakeDocument("abgelehnt-2.pdf")};
  Drop(form, paths);

  std::string shown;
  {
    PdfWithoutPrintProgram refusing;
    ASSERT_TRUE(refusing.created());
    AnswerNextMessageBox(&shown);
    PressPrint(form);
  }
  EXPECT_EQ(shown.rfind("Diese Dateien konnten nicht gedruckt werden und bleiben in der Liste:\n", 0), 0u) << shown;
  for (const std::string& path : paths)
    EXPECT_NE(shown.find("\n" + path + ": "), std::string::npos) << shown;
  EXPECT_EQ(form.Files().Paths(), paths) << "both rows stay, in their order";
  EXPECT_EQ(form.NextSortkey(), 3);
  EXPECT_EQ(form.pb->Position(), 0);
  EXPECT_EQ(form.lxGridDBDateien->DataController()->GetLockCount(), 0);
}

// ---- saved selections through the dialog ---------------------------------------------

TEST_F(MainWindowFixture, SaveLoadAndDeleteASelectionThroughTheDialog) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  const std::vector<std::string> paths = {MakeDocument("s1.pdf"), MakeDocument("s2.pdf"),
                                          MakeDocument("s3.pdf")};
  Drop(form, paths);

  DialogSeen seen;
  ChooseInNameDialog(form, *form.pmDateienauswahlspeichern, "Mein Stapel", &seen);
  EXPECT_EQ(seen.caption, "Speichern unter...");
  EXPECT_EQ(seen.ok_caption, "Speichern");
  EXPECT_TRUE(seen.ok_mark_shown);
  EXPECT_TRUE(seen.cancel_mark_shown);
  std::string ini = ReadFile(AppIni());
  EXPECT_NE(ini.find("Mein Stapel=DATEIEN_SAVED_MEINSTAPEL"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[DATEIEN_SAVED_MEINSTAPEL]\r\n1=" + paths[0] + "\r\n2=" + paths[1] + "\r\n3=" + paths[2]),
            std::string::npos)
      << ini;

  // Loading replaces the list; a file that has gone since is passed over.
  Drop(form, {MakeDocument("anders.pdf")});
  fs::remove(paths[1]);
  ChooseInNameDialog(form, *form.pmDateienauswahlladen, "Mein Stapel", &seen);
  EXPECT_EQ(seen.caption, "Laden...");
  EXPECT_EQ(seen.items, std::vector<std::string>{"Mein Stapel"});
  EXPECT_EQ(form.Files().Paths(), (std::vector<std::string>{paths[0], paths[2]}));
  EXPECT_EQ(SortKeys(form), (std::vector<int32_t>{1, 2}));

  ChooseInNameDialog(form, *form.pmDateienauswahlloeschen, "Mein Stapel", &seen);
  EXPECT_EQ(seen.caption, "Löschen Auswahl...");
  ini = ReadFile(AppIni());
  EXPECT_EQ(ini.find("MEINSTAPEL"), std::string::npos) << ini;
  EXPECT_EQ(form.Files().RowCount(), 2) << "deleting a selection leaves the list alone";
}

TEST_F(MainWindowFixture, TheDialogRefusesEmptyAndUnstorableNamesAndCancelChangesNothing) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  Drop(form, {MakeDocument("n.pdf")});

  for (const std::string& name : {std::string("   "), std::string("a=b"), std::string("[x]"), std::string("x;y")}) {
    DialogSeen seen;
    ChooseInNameDialog(form, *form.pmDateienauswahlspeichern, name, &seen);
    EXPECT_FALSE(seen.refusal.empty()) << name;
    if (name == "   ") {
      EXPECT_EQ(seen.refusal, "Ein Name muss ausgewählt bzw. eingegeben werden.");
    }
  }
  EXPECT_EQ(ReadFile(AppIni()).find("DATEIEN_SAVED_"), std::string::npos);
}

TEST_F(MainWindowFixture, NamesStoredByAnEarlierVersionLoadAndDeleteThroughTheDialog) {
  const std::string kept = MakeDocument("alt.pdf");
  WriteBothFiles("", "[DATEIEN_SAVED]\r\nListe [alt]=DATEIEN_SAVED_LISTE[ALT]\r\nA;B=DATEIEN_SAVED_A;B\r\n"
                     "[DATEIEN_SAVED_LISTE[ALT]]\r\n1=" + kept + "\r\n[DATEIEN_SAVED_A;B]\r\n1=" + kept + "\r\n");
  TfmMain& form = CreateMainWindow();

  DialogSeen seen;
  ChooseInNameDialog(form, *form.pmDateienauswahlladen, "Liste [alt]", &seen);
  EXPECT_EQ(seen.items, (std::vector<std::string>{"Liste [alt]", "A;B"}));
  EXPECT_EQ(seen.refusal, "");
  EXPECT_EQ(form.Files().Paths(), std::vector<std::string>{kept});

  ChooseInNameDialog(form, *form.pmDateienauswahlloeschen, "A;B", &seen);
  EXPECT_EQ(seen.refusal, "");
  const std::string ini = ReadFile(AppIni());
  EXPECT_EQ(ini.find("A;B"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Liste [alt]="), std::string::npos) << ini;
}

TEST_F(MainWindowFixture, SavingUnderANameWhoseSectionAnotherNameHoldsIsRefusedNamingIt) {
  WriteBothFiles("", "[DATEIEN_SAVED]\r\nMeine Liste=DATEIEN_SAVED_MEINELISTE\r\n"
                     "[DATEIEN_SAVED_MEINELISTE]\r\n1=C:\\a.pdf\r\n");
  TfmMain& form = CreateMainWindow();
  Drop(form, {MakeDocument("neu.pdf")});

  DialogSeen seen;
  ChooseInNameDialog(form, *form.pmDateienauswahlspeichern, "meineliste", &seen);
  EXPECT_NE(seen.refusal.find("„Meine Liste“ belegt denselben Eintrag"), std::string::npos) << seen.refusal;
  const std::string ini = ReadFile(AppIni());
  EXPECT_NE(ini.find("[DATEIEN_SAVED_MEINELISTE]\r\n1=C:\\a.pdf"), std::string::npos) << ini;
  EXPECT_EQ(ini.find("meineliste"), std::string::npos) << ini;
}

TEST_F(MainWindowFixture, LoadingANameThatIsNoLongerStoredKeepsTheList) {
  WriteBothFiles("", "[DATEIEN_SAVED]\r\nAlt=DATEIEN_SAVED_ALT\r\n");
  TfmMain& form = CreateMainWindow();
  Drop(form, {MakeDocument("bleibt.pdf")});
  // Another program removes the stored list while the dialog is open.
  DialogSeen seen;
  seen.before_ok = [this] { WriteFile(AppIni(), "[DATEIEN_SAVED]\r\n"); };
  ChooseInNameDialog(form, *form.pmDateienauswahlladen, "Alt", &seen);
  EXPECT_EQ(form.Files().RowCount(), 1);
}

TEST_F(MainWindowFixture, CtrlLOnTheKeyboardOpensTheLoadDialog) {
  WriteBothFiles("", "[DATEIEN_SAVED]\r\nErster=DATEIEN_SAVED_ERSTER\r\nZweiter=DATEIEN_SAVED_ZWEITER\r\n");
  TfmMain& form = CreateMainWindow();
  SetForegroundWindow(form.Handle());
  form.cbPrinterSelect->SetFocus();
  test_support::PumpMessagesUntilIdle();

  std::string caption;
  std::vector<std::string> items;
  test_support::RunWhileModal([&] {
    HWND dialog = FindWindowA("TfmSpeichernLaden", nullptr);
    if (dialog == nullptr || !IsWindowVisible(dialog))
      return false;
    caption = test_support::WindowTitle(dialog);
    HWND combo = FindWindowExA(dialog, nullptr, "TComboBox", nullptr);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      items.emplace_back(text);
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return true;
  });
  test_support::InputKey('L', false, true);
  // Keys reach the menu's shortcuts through the application's own loop.
  test_support::PumpUntil([&] {
    Application->ProcessMessages();
    return !caption.empty();
  });
  EXPECT_EQ(caption, "Laden...");
  EXPECT_EQ(items, (std::vector<std::string>{"Erster", "Zweiter"}));
}

TEST_F(MainWindowFixture, BeendenClosesTheWindow) {
  WriteBothFiles();
  TfmMain& form = CreateMainWindow();
  SendMessageA(form.Handle(), WM_COMMAND, form.pmBeenden->Command(), 0);
  // Closing the main window ends the application's message loop.
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
