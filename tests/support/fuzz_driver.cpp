// A small deterministic stand-in for libFuzzer's main, so that fuzz targets
// run in the ordinary test suite with the host compiler and its sanitizers:
// every file of the given corpus folders first, then a bounded number of
// inputs mutated from them with a fixed seed. Long coverage-guided runs use
// the real libFuzzer (scripts/fuzz).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Input = std::vector<uint8_t>;

std::vector<Input> LoadCorpus(const std::vector<std::string>& folders) {
  std::vector<Input> corpus;
  for (const auto& folder : folders) {
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error)) {
      if (!entry.is_regular_file())
        continue;
      std::ifstream file(entry.path(), std::ios::binary);
      corpus.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
  }
  if (corpus.empty())
    corpus.emplace_back();
  return corpus;
}

// Byte-level mutations of the kinds that find parser faults: flips, inserted
// and removed bytes, interesting values, repeated chunks and splices.
Input Mutate(const Input& base, const std::vector<Input>& corpus, std::mt19937& random) {
  Input out = base;
  std::uniform_int_distribution<int> pick_count(1, 6);
  const int steps = pick_count(random);
  for (int step = 0; step < steps; ++step) {
    const auto position = [&](size_t limit) {
      return limit == 0 ? size_t{0} : std::uniform_int_distribution<size_t>(0, limit - 1)(random);
    };
    switch (std::uniform_int_distribution<int>(0, 6)(random)) {
      case 0:
        if (!out.empty())
          out[position(out.size())] ^= static_cast<uint8_t>(1u << (random() % 8));
        break;
      case 1:
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(position(out.size() + 1)),
                   static_cast<uint8_t>(random()));
        break;
      case 2:
        if (!out.empty())
          out.erase(out.begin() + static_cast<std::ptrdiff_t>(position(out.size())));
        break;
      case 3: {
        static constexpr uint8_t kInteresting[] = {0, 1, 0x7F, 0x80, 0xFF, '0', '9', '.', ',', '-',
                                                   '%', ';', '=', '[', ']', '\n', '\r', 0xC3, 0xA4};
        if (!out.empty())
          out[position(out.size())] = kInteresting[random() % sizeof(kInteresting)];
        break;
      }
      case 4: {
        if (out.empty() || out.size() > 4096)
          break;
        const size_t from = position(out.size());
        const size_t length = 1 + position(std::min<size_t>(out.size() - from, 16));
        Input chunk(out.begin() + static_cast<std::ptrdiff_t>(from),
                    out.begin() + static_cast<std::ptrdiff_t>(from + length));
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(position(out.size() + 1)), chunk.begin(),
                   chunk.end());
        break;
      }
      case 5: {
        const Input& other = corpus[position(corpus.size())];
        const size_t cut = position(out.size() + 1);
        out.resize(cut);
        out.insert(out.end(), other.begin() + static_cast<std::ptrdiff_t>(position(other.size() + 1)),
                   other.end());
        break;
      }
      default:
        if (!out.empty())
          out.resize(position(out.size() + 1));
        break;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  long runs = 10000;
  std::vector<std::string> folders;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.rfind("--runs=", 0) == 0)
      runs = std::stol(std::string(arg.substr(7)));
    else
      folders.emplace_back(arg);
  }

  const std::vector<Input> corpus = LoadCorpus(folders);
  for (const Input& input : corpus)
    LLVMFuzzerTestOneInput(input.data(), input.size());

  std::mt19937 random(0x5EED);
  for (long run = 0; run < runs; ++run) {
    const Input& base = corpus[random() % corpus.size()];
    const Input input = Mutate(base, corpus, random);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("fuzz: %zu corpus inputs, %ld mutated inputs, no fault\n", corpus.size(), runs);
  return 0;
}
