// What printer drivers report about papers and bins, as arbitrary bytes:
// six capability arrays cut from the input, decoded and normalised. Whatever
// a driver answers, the lists must end up lined up with the custom paper
// last and a default bin. The rest of the input formats a text with an
// edit mask taken from it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "printers/mask_text.h"
#include "printers/printer_capabilities.h"

namespace {

// The next array: its length is the next input byte times the item size.
std::vector<uint8_t> TakeArray(const uint8_t*& data, size_t& size, size_t item_size) {
  if (size == 0)
    return {};
  size_t length = std::min<size_t>(static_cast<size_t>(*data) * item_size, size - 1);
  std::vector<uint8_t> array(data + 1, data + 1 + length);
  data += 1 + length;
  size -= 1 + length;
  return array;
}

void Fill(TStringList& list, const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    list.Add(line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TprPrinterCapabilities capabilities("Fuzzed");
  Fill(capabilities.PaperNames(), prDecodeCapabilityTexts(TakeArray(data, size, 64), 64));
  Fill(capabilities.PaperNumbers(), prDecodeCapabilityWords(TakeArray(data, size, 2)));
  std::vector<uint8_t> sizes = TakeArray(data, size, 8);
  Fill(capabilities.PaperWidths(), prDecodeCapabilityPairs(sizes, false));
  Fill(capabilities.PaperHeights(), prDecodeCapabilityPairs(TakeArray(data, size, 8), true));
  Fill(capabilities.BinNames(), prDecodeCapabilityTexts(TakeArray(data, size, 24), 24));
  Fill(capabilities.BinNumbers(), prDecodeCapabilityWords(TakeArray(data, size, 2)));
  capabilities.NormalizePapers(TprUnitConverter(96));
  capabilities.NormalizeBins();

  int32_t papers = capabilities.PaperNumbers().Count();
  if (papers < 1 || capabilities.PaperNames().Count() != papers || capabilities.PaperWidths().Count() != papers ||
      capabilities.PaperHeights().Count() != papers)
    __builtin_trap();
  if (capabilities.PaperNames().Line(papers - 1) != "Custom")
    __builtin_trap();
  if (capabilities.BinNames().Count() != capabilities.BinNumbers().Count() ||
      capabilities.BinNames().IndexOf("Default") < 0)
    __builtin_trap();

  std::string rest(reinterpret_cast<const char*>(data), size);
  size_t split = rest.find('\n');
  std::string mask = rest.substr(0, split);
  std::string value = split == std::string::npos ? std::string() : rest.substr(split + 1);
  std::string formatted = prFormatMaskText(mask, value, EnglishFormatSettings());
  // Every input character appears in the text, blanks fill the rest.
  if (formatted.size() < value.size())
    __builtin_trap();
  return 0;
}
