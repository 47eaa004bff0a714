// The print tool with 100,000 small PDF files, stage by stage, each against
// the system work the stage cannot avoid, measured in the same run:
// - the drop into the main window's grid, against reading each name from
//   the drop handle and opening the file for its size and time;
// - a click on the "Datei" header, against a stable sort of the paths;
// - the print run with no pause, against an existence check and one walk
//   over the desktop's windows per file. The shell's "printto" request is
//   replaced by a recorder: a reader started 100,000 times would measure the
//   reader, not the tool.
// Windows only; run under Wine by scripts/bench.

#include <benchmark/benchmark.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/file_list.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "app/shell_win.h"
#include "grid/grid_db_table_view_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_view_info_win.h"
#include "platform/toolkit/application.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/buttons.h"
#include "tests/support/drop_handle.h"
#include "tests/support/message_pump.h"

namespace {

namespace fs = std::filesystem;

// 100,000 files; LX_PRINT_TOOL_BENCH_FILES asks for another number (a
// quick run on a slow machine).
const int kFiles = [] {
  const char* asked = std::getenv("LX_PRINT_TOOL_BENCH_FILES");
  const int files = asked != nullptr ? std::atoi(asked) : 0;
  return files > 0 ? files : 100000;
}();

fs::path BenchFolder() { return fs::temp_directory_path() / "lx-print-tool-bench"; }

// The program's folder holds its two settings files: the reader's title is
// set (so the run walks the desktop's windows after each file, as the
// baseline does) and the pause is 0.
class TBenchDesktop final : public IConfigDesktop {
 public:
  std::string ProgramFileName() override { return (BenchFolder() / "LumarPdfPrinter.exe").string(); }
  std::string CurrentDirectory() override { return BenchFolder().string(); }
  bool ApplicationDestroying() override { return false; }
  void ShowWarning(const std::string&) override {}
  void ShowError(const std::string&) override {}
  std::string WindowsFolder() override { return {}; }
  void ConfigureLogging(const LogWireSettings&) override {}
};

void WriteSettings() {
  fs::create_directories(BenchFolder());
  std::ofstream(BenchFolder() / "Setting.Ini", std::ios::binary) << "[INI-DATEI]\r\nGlobal=.\r\n";
  std::ofstream(BenchFolder() / "LumarPdfPrinter.ini", std::ios::binary)
      << "[PDFReader]\r\nPDFReaderTitel=Adobe Reader\r\nPauseToDestroy=0\r\n";
}

// One call to the file system for a file that is there already, two more
// for a new one: making 100,000 files is most of a first run.
void MakeSmallPdf(const fs::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  static const char kContent[] = "%PDF-1.4\n";
  DWORD written = 0;
  WriteFile(file, kContent, sizeof(kContent) - 1, &written, nullptr);
  CloseHandle(file);
}

// kFiles small PDF files in a shuffled name order, made once and kept for
// later runs.
const std::vector<std::string>& DroppedFiles() {
  static const std::vector<std::string> files = [] {
    const fs::path folder = BenchFolder() / "dateien";
    fs::create_directories(folder);
    std::vector<std::string> names;
    names.reserve(kFiles);
    for (int i = 0; i < kFiles; ++i) {
      // A multiplicative step scatters the names, so sorting has work.
      const int scattered = static_cast<int>((static_cast<int64_t>(i) * 7919) % kFiles);
      const fs::path path = folder / ("datei-" + std::to_string(scattered) + ".pdf");
      MakeSmallPdf(path);
      names.push_back(path.string());
    }
    return names;
  }();
  return files;
}

TfmMain* main_window = nullptr;

TfmMain& MainWindow() {
  if (main_window == nullptr) {
    WriteSettings();
    StartProgramModules(std::make_unique<TBenchDesktop>());
    Application->Initialize();
    Application->CreateForm(main_window);
    main_window->Show();
    test_support::PumpMessagesUntilIdle();
  }
  return *main_window;
}

void EndMainWindow() {
  if (main_window == nullptr)
    return;
  main_window = nullptr;
  EndApplication();
  EndProgramModules();
}

// Empties the list and drops every file into it, as the shell would.
void DropAll(TfmMain& form) {
  form.Files().Clear();
  HDROP drop = test_support::MakeDropHandle(DroppedFiles());
  SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

// The place of the "Datei" header in the grid's site, by its hit test.
std::optional<POINT> DateiHeaderPoint(TfmMain& form) {
  test_support::PumpMessagesUntilIdle();
  TlxGridSite* site = form.lxGridDBDateien->Site();
  auto* layout = static_cast<TlxGridTableViewInfo*>(form.lxGridDBDateien->ViewInfo());
  for (int32_t y = 1; y < site->Height(); y += 2)
    for (int32_t x = 1; x < site->Width(); x += 2) {
      auto* header = dynamic_cast<TlxGridColumnHeaderHitTest*>(layout->GetHitTestAtXY(x, y));
      if (header != nullptr && header->Column == form.lxGridDBDateienDatei)
        return POINT{x + 6, y + 3};
    }
  return std::nullopt;
}

void BM_Drop(benchmark::State& state) {
  TfmMain& form = MainWindow();
  DroppedFiles();
  for (auto _ : state) {
    state.PauseTiming();
    form.Files().Clear();
    HDROP drop = test_support::MakeDropHandle(DroppedFiles());
    state.ResumeTiming();
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    test_support::PumpMessagesUntilIdle();
  }
  if (form.lxGridDBDateien->DataController()->GetRecordCount() != kFiles)
    state.SkipWithError("the grid did not list every file");
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_DropBaseline(benchmark::State& state) {
  const std::vector<std::string>& names = DroppedFiles();
  for (auto _ : state) {
    state.PauseTiming();
    HDROP drop = test_support::MakeDropHandle(names);
    state.ResumeTiming();
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    int64_t total_size = 0;
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFileW(drop, i, nullptr, 0);
      std::wstring name(length + 1, L'\0');
      DragQueryFileW(drop, i, name.data(), length + 1);
      HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE)
        continue;
      LARGE_INTEGER size{};
      FILETIME written{};
      GetFileSizeEx(file, &size);
      GetFileTime(file, nullptr, nullptr, &written);
      total_size += size.QuadPart;
      CloseHandle(file);
    }
    DragFinish(drop);
    benchmark::DoNotOptimize(total_size);
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

// Each click sorts the other way round, so every iteration sorts.
void BM_Sort(benchmark::State& state) {
  TfmMain& form = MainWindow();
  if (form.lxGridDBDateien->DataController()->GetRecordCount() != kFiles)
    DropAll(form);
  const std::optional<POINT> header = DateiHeaderPoint(form);
  if (!header) {
    state.SkipWithError("the header is not laid out");
    return;
  }
  HWND site = form.lxGridDBDateien->Site()->Handle();
  for (auto _ : state) {
    SendMessageW(site, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(header->x, header->y));
    SendMessageW(site, WM_LBUTTONUP, 0, MAKELPARAM(header->x, header->y));
    test_support::PumpMessagesUntilIdle();
  }
  if (form.lxGridDBDateienDatei->SortOrder() == soNone)
    state.SkipWithError("the click did not sort");
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_SortBaseline(benchmark::State& state) {
  const std::vector<std::string>& names = DroppedFiles();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> paths = names;
    state.ResumeTiming();
    std::stable_sort(paths.begin(), paths.end());
    benchmark::DoNotOptimize(paths.data());
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_Print(benchmark::State& state) {
  TfmMain& form = MainWindow();
  int64_t recorded = 0;
  const TShellPrintToRequest shell = ReplaceShellPrintToRequest(
      [&recorded](HWND, const std::u16string& path, const std::u16string&) { recorded += !path.empty(); });
  for (auto _ : state) {
    state.PauseTiming();
    if (form.lxGridDBDateien->DataController()->GetRecordCount() != kFiles)
      DropAll(form);
    test_support::PumpMessagesUntilIdle();
    state.ResumeTiming();
    form.btDrucken->Click();
  }
  ReplaceShellPrintToRequest(shell);
  if (recorded != state.iterations() * kFiles || form.Files().RowCount() != 0)
    state.SkipWithError("the run did not hand every file on");
  state.SetItemsProcessed(state.iterations() * kFiles);
}

BOOL CALLBACK LookAtWindow(HWND window, LPARAM lparam) {
  char title[256] = {};
  if (GetWindowTextA(window, title, static_cast<int>(sizeof(title))) > 0)
    ++*reinterpret_cast<int64_t*>(lparam);
  return TRUE;
}

void BM_PrintBaseline(benchmark::State& state) {
  const std::vector<std::string>& names = DroppedFiles();
  MainWindow();  // the same desktop as the tool's run
  for (auto _ : state) {
    int64_t titled = 0;
    for (const std::string& name : names) {
      const std::u16string wide = Utf8ToUtf16(name);
      if (GetFileAttributesW(reinterpret_cast<const wchar_t*>(wide.c_str())) == INVALID_FILE_ATTRIBUTES)
        continue;
      EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&titled));
    }
    benchmark::DoNotOptimize(titled);
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(BM_DropBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Drop)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SortBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrintBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Print)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndMainWindow();
  return 0;
}
