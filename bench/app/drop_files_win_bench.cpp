// A drop of thousands of files into the main window, against the system's
// own work for the same names in the same run: reading each name from the
// drop handle and opening the file for its size and time. The window's
// drop adds rows inside one bracket, so both grow with the number of files
// alone.

#include <benchmark/benchmark.h>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/config.h"
#include "app/file_list.h"
#include "app/main_window_win.h"
#include "app/program_win.h"
#include "platform/toolkit/application.h"
#include "tests/support/drop_handle.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 5000;

fs::path BenchFolder() { return fs::temp_directory_path() / "lx-drop-files-bench"; }

// The program's folder holds no settings files: the window opens at its
// designed place with "Default" selected, and nothing is written back.
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

// kFiles small PDF files, made once per run.
const std::vector<std::string>& DroppedFiles() {
  static const std::vector<std::string> files = [] {
    const fs::path folder = BenchFolder() / "dateien";
    fs::create_directories(folder);
    std::vector<std::string> names;
    for (int i = 0; i < kFiles; ++i) {
      const fs::path path = folder / ("datei-" + std::to_string(i) + ".pdf");
      if (!fs::exists(path))
        std::ofstream(path, std::ios::binary) << "%PDF-1.4\n";
      names.push_back(path.string());
    }
    return names;
  }();
  return files;
}

// The main window as the program creates it, once for the run, and freed
// with the program's modules at its end as the program frees them.
TfmMain* main_window = nullptr;

TfmMain& MainWindow() {
  if (main_window == nullptr) {
    fs::create_directories(BenchFolder());
    StartProgramModules(std::make_unique<TBenchDesktop>());
    Application->Initialize();
    Application->CreateForm(main_window);
    main_window->Show();
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

void BM_DropIntoMainWindow(benchmark::State& state) {
  const std::vector<std::string>& names = DroppedFiles();
  TfmMain& form = MainWindow();
  for (auto _ : state) {
    state.PauseTiming();
    form.Files().Clear();
    HDROP drop = test_support::MakeDropHandle(names);
    state.ResumeTiming();
    SendMessageW(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  }
  if (form.Files().RowCount() != kFiles)
    state.SkipWithError("the window did not list every file");
  state.SetItemsProcessed(state.iterations() * kFiles);
}

// The baseline: what the system does for the same drop at the least.
void BM_SystemReadsNamesAndFileFacts(benchmark::State& state) {
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

BENCHMARK(BM_SystemReadsNamesAndFileFacts)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DropIntoMainWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

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
