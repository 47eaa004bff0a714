// The main window's file list in the data grid, in this process: the
// columns as laid out, sorting by real clicks on the headers (found through
// the layout's hit tests), deleting the focused row through the real
// confirmation box, and the readers of the list (print run, saved
// selections) following the order the grid shows. Hostile settings in the
// shared "GridLayouts" section pass through untouched.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "app/file_list.h"
#include "app/main_window_win.h"
#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/table_view_info_win.h"
#include "logging/connection.h"
#include "logging/logging_module.h"
#include "logging/manager.h"
#include "logging/message.h"
#include "platform/db/client_data_set.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/progress_bar.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "tests/support/window_finder.h"

namespace main_window_grid_win_test {

namespace fs = std::filesystem;

using Sorting = std::vector<std::pair<std::string, TlxDataSortOrder>>;

}  // namespace main_window_grid_win_test

// Sort orders by name in failure messages.
inline void PrintTo(TlxDataSortOrder order, std::ostream* out) {
  static const char* const kNames[] = {"soNone", "soAscending", "soDescending"};
  *out << (static_cast<size_t>(order) < 3 ? kNames[static_cast<size_t>(order)] : "?");
}

namespace main_window_grid_win_test {

// What the deleting confirmation showed.
struct Confirmation {
  bool shown = false;
  std::string caption;
  std::string text;
};

// Holds a modifier key down through real input while it lives.
class HeldKey {
 public:
  explicit HeldKey(WORD key) : key_(key) { Send(0); }
  ~HeldKey() { Send(KEYEVENTF_KEYUP); }
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  void Send(DWORD flags) const {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key_;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(INPUT));
  }
  WORD key_;
};

// Keeps the plain messages the logger sends (the paths of a print run),
// in order.
class PathRecorder : public TLogWireConnection {
 public:
  PathRecorder(TLogWireManager& manager, std::vector<std::string>& texts)
      : TLogWireConnection(manager), texts_(texts) {}
  bool CanSend() override { return true; }
  int32_t Send(const TLogWireMessage& message) override {
    if (message.MsgType == 0)
      texts_.push_back(message.Text);
    return 1;
  }

 private:
  std::vector<std::string>& texts_;
};

class MainWindowGridTest : public MainWindowFixture {
 protected:
  TfmMain& OpenWindow(const std::string& program_ini = "[Drucker]\r\nName=Datei\r\n[PDFReader]\r\nPauseToDestroy=0\r\n") {
    WriteBothFiles("", program_ini);
    TfmMain& form = CreateMainWindow();
    SetForegroundWindow(form.Handle());
    test_support::PumpMessagesUntilIdle();
    return form;
  }

  static TlxGridTableViewInfo* Layout(TfmMain& form) {
    return static_cast<TlxGridTableViewInfo*>(form.lxGridDBDateien->ViewInfo());
  }
  static TlxGridSite* Site(TfmMain& form) { return form.lxGridDBDateien->Site(); }

  static std::vector<TlxGridDBColumn*> Columns(TfmMain& form) {
    return {form.lxGridDBDateienSortkey, form.lxGridDBDateienDatei, form.lxGridDBDateienGroesse,
            form.lxGridDBDateienDatum};
  }

  static Sorting SortingOf(TfmMain& form) {
    Sorting sorting;
    for (int32_t i = 0; i < form.lxGridDBDateien->SortedColumnCount(); ++i) {
      TlxGridColumn* column = form.lxGridDBDateien->SortedColumns(i);
      sorting.emplace_back(column->Caption(), column->SortOrder());
    }
    return sorting;
  }

  // The header cells that show a sort mark, by caption.
  static std::vector<std::string> MarkedHeaders(TfmMain& form) {
    test_support::PumpMessagesUntilIdle();
    std::vector<std::string> marked;
    TlxGridHeaderViewInfo* header = Layout(form)->HeaderViewInfo();
    for (int32_t i = 0; i < 4; ++i) {
      TlxGridColumnHeaderViewInfo* cell = header->GetItem(i);
      if (cell->FindArea(TlxGridColumnHeaderSortingMarkViewInfo::kClass) != nullptr)
        marked.push_back(cell->Column()->Caption());
    }
    return marked;
  }

  // The first point of the site (scanning in steps of 2 pixels) whose hit
  // test `wanted` accepts, moved a little inside the part it names.
  static std::optional<POINT> FindPoint(TfmMain& form, const std::function<bool(TlxCustomGridHitTest*)>& wanted) {
    test_support::PumpMessagesUntilIdle();
    TlxGridSite* site = Site(form);
    for (int32_t y = 1; y < site->Height(); y += 2)
      for (int32_t x = 1; x < site->Width(); x += 2)
        if (wanted(Layout(form)->GetHitTestAtXY(x, y)))
          return POINT{x + 6, y + 3};
    return std::nullopt;
  }

  static std::optional<POINT> HeaderPoint(TfmMain& form, TlxGridColumn* column) {
    return FindPoint(form, [column](TlxCustomGridHitTest* hit_test) {
      auto* header = dynamic_cast<TlxGridColumnHeaderHitTest*>(hit_test);
      return header != nullptr && header->Column == column;
    });
  }

  // A real click on the column's header, with Shift or Ctrl held when
  // asked; returns when the grid's sorting changed. Successive clicks land
  // a few pixels apart, as a user's do, so the system does not make a
  // double click of them.
  void ClickHeader(TfmMain& form, TlxGridColumn* column, WORD modifier = 0) {
    std::optional<POINT> point = HeaderPoint(form, column);
    ASSERT_TRUE(point.has_value()) << column->Caption();
    point->x += (header_clicks_++ % 2) * 12;
    const Sorting before = SortingOf(form);
    {
      std::optional<HeldKey> held;
      if (modifier != 0)
        held.emplace(modifier);
      test_support::InputClick(Site(form)->Handle(), *point);
      test_support::PumpUntil([&] { return SortingOf(form) != before; }, 5000);
    }
    test_support::PumpMessagesUntilIdle();
  }

  // A real click into the row at `row`, which focuses it. The grid is
  // given the keyboard focus first: a click on a row of the unfocused grid
  // focuses the grid but not the row (see the disabled test below).
  static void ClickRow(TfmMain& form, int32_t row, bool focus_grid_first = true) {
    if (focus_grid_first) {
      Site(form)->SetFocus();
      test_support::PumpMessagesUntilIdle();
    }
    const std::optional<POINT> point = FindPoint(form, [row](TlxCustomGridHitTest* hit_test) {
      auto* record = dynamic_cast<TlxGridRecordHitTest*>(hit_test);
      return record != nullptr && record->GridRecord() != nullptr && record->GridRecord()->Index() == row;
    });
    ASSERT_TRUE(point.has_value()) << row;
    test_support::InputClick(Site(form)->Handle(), POINT{point->x + 40, point->y});
    test_support::PumpUntil([&] { return Controller(form)->FocusedRecordIndex() == row; }, 5000);
    test_support::PumpMessagesUntilIdle();
  }

  static TlxGridTableController* Controller(TfmMain& form) {
    return static_cast<TlxGridTableController*>(form.lxGridDBDateien->Controller());
  }

  // Answers the next dialog of this thread with OK or Cancel, noting what
  // it showed.
  static void AnswerConfirmation(Confirmation* seen, bool ok) {
    test_support::RunWhileModal([seen, ok] {
      HWND dialog = test_support::FindThreadDialog();
      if (dialog == nullptr)
        return false;
      seen->shown = true;
      seen->caption = test_support::WindowTitle(dialog);
      seen->text = MessageBoxText(dialog);
      PostMessageW(dialog, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
      return true;
    });
  }

  // The Delete key as the keyboard delivers it to the focused grid.
  static void PressDelete(TfmMain& form, bool control = false) {
    ASSERT_EQ(GetFocus(), Site(form)->Handle());
    test_support::InputKey(VK_DELETE, false, control);
    test_support::PumpUntil([] { return !test_support::ModalScriptPending(); }, 5000);
    test_support::PumpMessagesUntilIdle();
  }

  static void Resize(TfmMain& form, int32_t available_width) {
    for (int attempt = 0; attempt < 3 && Layout(form)->AutoWidthAvailableWidth() != available_width; ++attempt) {
      form.SetWidth(form.Width() + available_width - Layout(form)->AutoWidthAvailableWidth());
      test_support::PumpMessagesUntilIdle();
    }
  }

  static std::vector<int32_t> HeaderWidths(TfmMain& form) {
    test_support::PumpMessagesUntilIdle();
    std::vector<int32_t> widths;
    TlxGridHeaderViewInfo* header = Layout(form)->HeaderViewInfo();
    for (int32_t i = 0; i < 4; ++i)
      widths.push_back(header->GetItem(i)->BoundsRect.Width());
    return widths;
  }

  static std::string FileName(const std::string& path) { return fs::u8path(path).filename().string(); }

  int header_clicks_ = 0;
};

// ---- the columns ----------------------------------------------------------------------

TEST_F(MainWindowGridTest, TheGridFillsTheMiddleWithFourColumnsSharingTheWidth) {
  TfmMain& form = OpenWindow();
  EXPECT_EQ(form.lxGrid->Top(), form.paDrucken->Top() + form.paDrucken->Height());
  EXPECT_EQ(form.lxGrid->Top() + form.lxGrid->Height(), form.pb->Top());
  EXPECT_EQ(form.lxGrid->LookAndFeel().Kind(), lfFlat);
  EXPECT_EQ(form.lxGridLevel->GridView(), form.lxGridDBDateien);

  std::vector<std::string> captions;
  for (TlxGridDBColumn* column : Columns(form))
    captions.push_back(column->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Nr.", "Datei", "Größe", "Datum"}));
  EXPECT_EQ(form.lxGridDBDateienGroesse->Properties()->ClassType(), &TlxCurrencyEditProperties::kClass);
  EXPECT_EQ(form.lxGridDBDateienDatum->Properties()->ClassType(), &TlxDateEditProperties::kClass);

  Resize(form, 600);
  ASSERT_EQ(Layout(form)->AutoWidthAvailableWidth(), 600);
  EXPECT_EQ(HeaderWidths(form), (std::vector<int32_t>{42, 356, 104, 98}));
  // Nothing sorted yet: no header shows a mark.
  EXPECT_TRUE(MarkedHeaders(form).empty());
}

TEST_F(MainWindowGridTest, RowsShowTheirSizeGroupedAndTheSameFileDroppedTwiceIsTwoRows) {
  TfmMain& form = OpenWindow();
  const std::string a = MakeDocument("doppelt.pdf");
  Drop(form, {a});
  Drop(form, {a});
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{a, a}));
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(form.lxGridDBDateien->DataController()->GetRecordCount(), 2);
}

// ---- sorting by header clicks ---------------------------------------------------------

TEST_F(MainWindowGridTest, ClicksOnTheHeadersSortTheRowsWithShiftAddingAndCtrlRemoving) {
  TfmMain& form = OpenWindow();
  const std::string c = MakeDocument("c-gamma.pdf");
  const std::string a = MakeDocument("a-alpha.pdf");
  const std::string b = MakeDocument("b-beta.pdf");
  Drop(form, {c, a, b});
  ASSERT_EQ(ShownSortkeys(form), (std::vector<int32_t>{1, 2, 3}));

  ClickHeader(form, form.lxGridDBDateienDatei);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Datei", soAscending}}));
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{a, b, c}));
  EXPECT_EQ(MarkedHeaders(form), std::vector<std::string>{"Datei"});

  ClickHeader(form, form.lxGridDBDateienDatei);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Datei", soDescending}}));
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{c, b, a}));

  ClickHeader(form, form.lxGridDBDateienDatei);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Datei", soAscending}}));
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{2, 3, 1}));

  ClickHeader(form, form.lxGridDBDateienSortkey, VK_SHIFT);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Datei", soAscending}, {"Nr.", soAscending}}));
  EXPECT_EQ(MarkedHeaders(form), (std::vector<std::string>{"Nr.", "Datei"}));

  ClickHeader(form, form.lxGridDBDateienDatei, VK_CONTROL);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Nr.", soAscending}}));
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(MarkedHeaders(form), std::vector<std::string>{"Nr."});
  // The dataset keeps the order the files came in.
  EXPECT_EQ(form.Files().Paths(), (std::vector<std::string>{c, a, b}));
}

TEST_F(MainWindowGridTest, HostileNamesSortAndPrintInTheGridsOrder) {
  TfmMain& form = OpenWindow();
  const std::vector<std::string> paths = {MakeDocument("zz;Liste.pdf"), MakeDocument("mm Größe €.pdf"),
                                          MakeDocument("aa=b.pdf")};
  Drop(form, paths);
  ClickHeader(form, form.lxGridDBDateienDatei);
  std::vector<std::string> sorted = ShownPaths(form);
  ASSERT_EQ(sorted.size(), 3u);
  EXPECT_EQ(sorted.front(), paths[2]);
  EXPECT_EQ(sorted.back(), paths[0]);

  std::vector<std::string> logged;
  GlobalLogWireManager()->UseConnection(std::make_unique<PathRecorder>(*GlobalLogWireManager(), logged));
  PressPrint(form);
  EXPECT_EQ(logged, sorted);
  EXPECT_EQ(form.Files().RowCount(), 0);
}

// ---- deleting -------------------------------------------------------------------------

TEST_F(MainWindowGridTest, DeleteAsksInTheConfirmBoxAndRemovesOnlyTheFocusedRowOnOk) {
  TfmMain& form = OpenWindow();
  const std::vector<std::string> paths = {MakeDocument("d1.pdf"), MakeDocument("d2.pdf"), MakeDocument("d3.pdf")};
  Drop(form, paths);
  ClickRow(form, 1);
  ASSERT_EQ(Controller(form)->FocusedRecordIndex(), 1);

  Confirmation cancelled;
  AnswerConfirmation(&cancelled, false);
  PressDelete(form);
  EXPECT_TRUE(cancelled.shown);
  EXPECT_EQ(ShownPaths(form), paths);

  Confirmation confirmed;
  AnswerConfirmation(&confirmed, true);
  PressDelete(form);
  EXPECT_EQ(confirmed.caption, "Confirm");
  EXPECT_EQ(confirmed.text, "Delete record?");
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{paths[0], paths[2]}));
  EXPECT_EQ(form.Files().Paths(), (std::vector<std::string>{paths[0], paths[2]}));
  // The file stays on disk, and the keys keep growing: "Nr." shows a gap.
  EXPECT_TRUE(fs::exists(fs::u8path(paths[1])));
  EXPECT_EQ(form.NextSortkey(), 4);
  Drop(form, {paths[1]});
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{1, 3, 4}));

  // Ctrl+Delete asks the same.
  ClickRow(form, 0);
  Confirmation with_control;
  AnswerConfirmation(&with_control, true);
  PressDelete(form, true);
  EXPECT_TRUE(with_control.shown);
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{3, 4}));
}

// The first click into the rows of a grid that does not have the focus
// focuses the clicked row, not the row where the dataset's cursor stood
// (the last row dropped): Delete then removes the row the user chose.
TEST_F(MainWindowGridTest, AClickOnARowOfTheUnfocusedGridFocusesThatRow) {
  TfmMain& form = OpenWindow();
  Drop(form, {MakeDocument("f1.pdf"), MakeDocument("f2.pdf"), MakeDocument("f3.pdf")});
  form.cbPrinterSelect->SetFocus();
  test_support::PumpMessagesUntilIdle();
  ClickRow(form, 1, false);
  EXPECT_EQ(GetFocus(), Site(form)->Handle());
  EXPECT_EQ(Controller(form)->FocusedRecordIndex(), 1);
}

TEST_F(MainWindowGridTest, DeleteOnAnEmptyListShowsNoDialog) {
  TfmMain& form = OpenWindow();
  Site(form)->SetFocus();
  test_support::PumpMessagesUntilIdle();
  Confirmation seen;
  AnswerConfirmation(&seen, true);
  ASSERT_EQ(GetFocus(), Site(form)->Handle());
  test_support::InputKey(VK_DELETE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(seen.shown);
  EXPECT_TRUE(test_support::ModalScriptPending()) << "no modal loop ran";
  test_support::StopModalScript();
  EXPECT_EQ(form.Files().RowCount(), 0);
}

// ---- the readers of the list follow the grid's order ------------------------------------

TEST_F(MainWindowGridTest, TheRunPrintsInTheSortedOrderAndSkipsAFileDeletedSinceTheDrop) {
  TfmMain& form = OpenWindow();
  const std::string stem = "sortiert-" + std::to_string(GetTickCount64());
  const std::vector<std::string> paths = {MakePdf(stem + "-c.pdf"), MakePdf(stem + "-a.pdf"),
                                          MakePdf(stem + "-weg.pdf"), MakePdf(stem + "-b.pdf")};
  Drop(form, paths);
  ClickHeader(form, form.lxGridDBDateienDatei);
  ClickHeader(form, form.lxGridDBDateienDatei);
  ASSERT_EQ(SortingOf(form), (Sorting{{"Datei", soDescending}}));
  fs::remove(fs::u8path(paths[2]));

  std::vector<std::string> logged;
  GlobalLogWireManager()->UseConnection(std::make_unique<PathRecorder>(*GlobalLogWireManager(), logged));
  PressPrint(form);
  // Every row is logged in the grid's order, the missing file too.
  EXPECT_EQ(logged, (std::vector<std::string>{paths[2], paths[0], paths[3], paths[1]}));
  EXPECT_EQ(form.Files().RowCount(), 0);
  EXPECT_EQ(form.NextSortkey(), 1);
  EXPECT_TRUE(Layout(form)->ShowNoDataInfoText());

  const std::vector<std::string> jobs = WaitForPrintedJobs(stem, 3);
  ASSERT_EQ(jobs.size(), 3u);
  for (size_t i = 0; i < jobs.size(); ++i)
    EXPECT_NE(jobs[i].find(FileName(std::vector<std::string>{paths[0], paths[3], paths[1]}[i])), std::string::npos)
        << i << ": " << jobs[i];
}

TEST_F(MainWindowGridTest, ASelectionSavedAfterSortingListsThePathsSorted) {
  TfmMain& form = OpenWindow("");
  const std::vector<std::string> paths = {MakeDocument("s-b.pdf"), MakeDocument("s-c.pdf"), MakeDocument("s-a.pdf")};
  Drop(form, paths);
  ClickHeader(form, form.lxGridDBDateienDatei);

  DialogSeen seen;
  ChooseInNameDialog(form, *form.pmDateienauswahlspeichern, "Sortiert", &seen);
  const std::string ini = ReadFile(AppIni());
  EXPECT_NE(ini.find("[DATEIEN_SAVED_SORTIERT]\r\n1=" + paths[2] + "\r\n2=" + paths[0] + "\r\n3=" + paths[1]),
            std::string::npos)
      << ini;
}

TEST_F(MainWindowGridTest, ASelectionLoadedIntoASortedGridShowsSortedRowsNumberedInFileOrder) {
  const std::string a = MakeDocument("l-a.pdf");
  const std::string b = MakeDocument("l-b.pdf");
  const std::string c = MakeDocument("l-c.pdf");
  TfmMain& form = OpenWindow("[DATEIEN_SAVED]\r\nStapel=DATEIEN_SAVED_STAPEL\r\n[DATEIEN_SAVED_STAPEL]\r\n1=" + b +
                             "\r\n2=" + c + "\r\n3=" + a + "\r\n");
  Drop(form, {MakeDocument("vorher.pdf")});
  ClickHeader(form, form.lxGridDBDateienDatei);
  ClickHeader(form, form.lxGridDBDateienDatei);
  ASSERT_EQ(SortingOf(form), (Sorting{{"Datei", soDescending}}));

  DialogSeen seen;
  ChooseInNameDialog(form, *form.pmDateienauswahlladen, "Stapel", &seen);
  EXPECT_EQ(SortingOf(form), (Sorting{{"Datei", soDescending}}));
  EXPECT_EQ(ShownPaths(form), (std::vector<std::string>{c, b, a}));
  EXPECT_EQ(ShownSortkeys(form), (std::vector<int32_t>{2, 1, 3}));
}

// ---- the shared "GridLayouts" section -----------------------------------------------------

TEST_F(MainWindowGridTest, AHostileGridLayoutsSectionSurvivesARunWithSortingAndSizingUnchanged) {
  std::string section = "[GridLayouts]\r\n";
  for (int i = 0; i < 10000; ++i)
    section += "Programm" + std::to_string(i) + ".lxGrid=Breite " + std::to_string(i) + "\r\n";
  section += "Riesig=" + std::string(1 << 20, 'x') + "\r\n";
  section += "Bytes=\xE4\xF6\xFC\xDF ende\r\n";
  section += "Name=mit=Gleich=Wert\r\n";
  const std::string setting = "[Fensterpositionen]\r\nfmMain=100,120,700,320\r\n" + section + "[Andere]\r\nx=1\r\n";
  WriteBothFiles(setting, "[Drucker]\r\nName=Datei\r\n");
  TfmMain& form = CreateMainWindow();
  SetForegroundWindow(form.Handle());
  Drop(form, {MakeDocument("g1.pdf"), MakeDocument("g2.pdf")});
  ClickHeader(form, form.lxGridDBDateienDatei);
  form.lxGridDBDateienGroesse->SetWidth(200);
  FreeMainWindow();

  const std::string written = ReadFile(SettingIni());
  const size_t begin = written.find("[GridLayouts]");
  ASSERT_NE(begin, std::string::npos);
  EXPECT_EQ(written.substr(begin, section.size()), section);
  EXPECT_NE(written.find("[Andere]\r\nx=1"), std::string::npos);
}

}  // namespace main_window_grid_win_test
