// Loading and saving an INI file of about 1 MB, and reading every key of it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/rtl/file_utils.h"
#include "platform/rtl/ini_file.h"
#include "platform/rtl/strings.h"
#include "bench/text_lines.h"

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

std::string ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text(static_cast<size_t>(std::filesystem::file_size(path)), '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  return text;
}

std::string Lowered(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The floor of loading: the file read and cut into lines with the standard
// library, without sections, keys or case folding.
void BM_IniLoad_Baseline(benchmark::State& state) {
  const std::string text = MakeIni();
  WriteFileAtomically(TempIni(), text);
  for (auto _ : state) {
    std::vector<std::string> lines = SplitLinesWithStandardLibrary(ReadWholeFile(TempIni()));
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  RemoveFile(TempIni());
}
BENCHMARK(BM_IniLoad_Baseline)->Unit(benchmark::kMillisecond);

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

// The floor of saving: the same bytes written with the standard library.
void BM_IniSave_Baseline(benchmark::State& state) {
  const std::string text = MakeIni();
  for (auto _ : state) {
    std::ofstream file(TempIni(), std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
  RemoveFile(TempIni());
}
BENCHMARK(BM_IniSave_Baseline)->Unit(benchmark::kMillisecond);

// The same case-insensitive lookups in a map of maps keyed by folded names.
void BM_IniReadEveryKey_Baseline(benchmark::State& state) {
  std::map<std::string, std::map<std::string, std::string>> sections;
  std::string current;
  for (const std::string& line : SplitLinesWithStandardLibrary(MakeIni())) {
    if (!line.empty() && line.front() == '[') {
      current = Lowered(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find('=');
    sections[current][Lowered(line.substr(0, equals))] = line.substr(equals + 1);
  }
  for (auto _ : state) {
    size_t total = 0;
    for (int section = 0; section < 100; ++section) {
      const auto& keys = sections.find(Lowered("section" + std::to_string(section)))->second;
      for (int key = 0; key < 400; ++key)
        total += keys.find(Lowered("KEY" + std::to_string(key)))->second.size();
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * 40000);
}
BENCHMARK(BM_IniReadEveryKey_Baseline)->Unit(benchmark::kMillisecond);

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
