// Loading and saving an INI file of about 1 MB, and reading every key of it.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "platform/rtl/file_utils.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/strings.h"

namespace {

// 100 sections of 400 keys, each line about 25 bytes: close to 1 MB.
std::string MakeIni() {
  std::string text;
  for (int section = 0; section < 100; ++section) {
    text += "[Section" + std::to_string(section) + "]\r\n";
    for (int key = 0; key < 400; ++key)
      text += "Key" + std::to_string(key) + "=Value " + std::to_string(section * key) + "\r\n";
  }
  return text;
}

std::string TempIni() { return (std::filesystem::temp_directory_path() / "lx_bench.ini").string(); }

void BM_IniLoad(benchmark::State& state) {
  const std::string text = MakeIni();
  WriteFileAtomically(TempIni(), text);
  for (auto _ : state) {
    TMemIniFile ini(TempIni());
    benchmark::DoNotOptimize(ini.SectionExists("Section99"));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  RemoveFile(TempIni());
}
BENCHMARK(BM_IniLoad)->Unit(benchmark::kMillisecond);

void BM_IniSave(benchmark::State& state) {
  const std::string text = MakeIni();
  WriteFileAtomically(TempIni(), text);
  TMemIniFile ini(TempIni());
  for (auto _ : state)
    ini.UpdateFile();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  RemoveFile(TempIni());
}
BENCHMARK(BM_IniSave)->Unit(benchmark::kMillisecond);

void BM_IniReadEveryKey(benchmark::State& state) {
  TStringList lines;
  lines.SetText(MakeIni());
  TMemIniFile ini("");
  ini.SetStrings(lines);
  for (auto _ : state) {
    size_t total = 0;
    for (int section = 0; section < 100; ++section) {
      const std::string name = "section" + std::to_string(section);
      for (int key = 0; key < 400; ++key)
        total += ini.ReadString(name, "KEY" + std::to_string(key), "").size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 40000);
}
BENCHMARK(BM_IniReadEveryKey)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
