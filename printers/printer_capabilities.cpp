#include "printers/printer_capabilities.h"

#include <algorithm>
#include <array>

#include "platform/rtl/format.h"
#include "platform/rtl/text.h"
#include "printers/paper_tables.h"

namespace {

const std::string kCustomName = "Custom";
const std::string kCustomNumber = std::to_string(kprCustomPaper);

int32_t NumberAt(const TStringList& list, int32_t index) { return StrToIntDef(list.Line(index), 0); }

void SetOrAppend(TStringList& list, int32_t index, const std::string& text) {
  if (index < list.Count())
    list.Put(index, text);
  else
    list.Add(text);
}

void Truncate(TStringList& list, int32_t count) {
  while (list.Count() > count)
    list.Delete(list.Count() - 1);
}

bool HasUsableSize(const std::string& width, const std::string& height) {
  // A driver that answers an error may report zero or negative sizes; such
  // a paper cannot be laid out.
  return StrToIntDef(width, 0) > 0 && StrToIntDef(height, 0) > 0;
}

uint32_t ReadLittleEndian(const uint8_t* bytes, size_t size) {
  uint32_t value = 0;
  for (size_t i = size; i-- > 0;)
    value = (value << 8) | bytes[i];
  return value;
}

}  // namespace

TprPrinterCapabilities::TprPrinterCapabilities(std::string printer_name)
    : printer_name_(std::move(printer_name)) {}

void TprPrinterCapabilities::NormalizePapers() { NormalizePapers(TprUnitConverter::ForScreen()); }

void TprPrinterCapabilities::NormalizePapers(const TprUnitConverter& converter) {
  if (paper_numbers_.Count() < paper_names_.Count())
    Truncate(paper_names_, paper_numbers_.Count());
  else if (paper_names_.Count() < paper_numbers_.Count())
    RebuildPaperNames();

  // Sizes beyond the last paper belong to no paper; left in place they
  // would leave the lists out of line.
  Truncate(paper_widths_, paper_numbers_.Count());
  Truncate(paper_heights_, paper_numbers_.Count());

  int32_t custom = FindCustomPaper();
  if (custom >= 0) {
    paper_names_.Put(custom, kCustomName);
  } else {
    paper_names_.Add(kCustomName);
    custom = paper_numbers_.Add(kCustomNumber);
  }

  FillMissingPaperSizes(converter);
  custom = DropUnsizedPapers(custom);
  if (custom != paper_numbers_.Count() - 1)
    MovePaper(custom, paper_numbers_.Count() - 1);
}

void TprPrinterCapabilities::RebuildPaperNames() {
  paper_names_.Clear();
  for (int32_t i = 0; i < paper_numbers_.Count(); ++i) {
    std::string name = prPaperName(NumberAt(paper_numbers_, i));
    if (name == "Unknown") {
      if (i < paper_widths_.Count() && i < paper_heights_.Count())
        name = prPaperSizeText(NumberAt(paper_widths_, i), NumberAt(paper_heights_, i));
      else
        name = "Unknown: " + paper_numbers_.Line(i);
    }
    paper_names_.Add(name);
  }
}

int32_t TprPrinterCapabilities::FindCustomPaper() const {
  int32_t custom = paper_numbers_.IndexOf(kCustomNumber);
  if (custom >= 0)
    return custom;
  for (int32_t i = 0; i < paper_names_.Count(); ++i) {
    std::string upper = AnsiUpperCase(paper_names_.Line(i));
    if (upper.find("CUSTOM") != std::string::npos || upper.find("USER") != std::string::npos)
      return i;
  }
  return -1;
}

void TprPrinterCapabilities::FillMissingPaperSizes(const TprUnitConverter& converter) {
  for (int32_t i = 0; i < paper_numbers_.Count(); ++i) {
    if (i < paper_widths_.Count() && i < paper_heights_.Count())
      continue;
    TprPaperSize size = prPaperSize(NumberAt(paper_numbers_, i), converter);
    SetOrAppend(paper_widths_, i, std::to_string(size.width));
    SetOrAppend(paper_heights_, i, std::to_string(size.height));
  }
}

int32_t TprPrinterCapabilities::DropUnsizedPapers(int32_t custom) {
  for (int32_t i = paper_numbers_.Count() - 1; i >= 0; --i) {
    if (paper_names_.Line(i) == kCustomName || HasUsableSize(paper_widths_.Line(i), paper_heights_.Line(i)))
      continue;
    DeletePaper(i);
    if (i < custom)
      --custom;
  }
  return custom;
}

void TprPrinterCapabilities::DeletePaper(int32_t index) {
  for (TStringList* list : {&paper_names_, &paper_numbers_, &paper_widths_, &paper_heights_})
    list->Delete(index);
}

void TprPrinterCapabilities::MovePaper(int32_t from, int32_t to) {
  for (TStringList* list : {&paper_names_, &paper_numbers_, &paper_widths_, &paper_heights_})
    list->Move(from, to);
}

void TprPrinterCapabilities::NormalizeBins() {
  int32_t count = std::min(bin_names_.Count(), bin_numbers_.Count());
  Truncate(bin_names_, count);
  Truncate(bin_numbers_, count);
  if (bin_names_.IndexOf("Default") < 0) {
    bin_names_.Insert(0, "Default");
    bin_numbers_.Insert(0, "7");
  }
}

std::vector<std::string> prDecodeCapabilityTexts(const std::vector<uint8_t>& buffer, size_t item_size) {
  std::vector<std::string> texts;
  if (item_size == 0)
    return texts;
  for (size_t offset = 0; offset + item_size <= buffer.size(); offset += item_size) {
    const char* item = reinterpret_cast<const char*>(buffer.data() + offset);
    // A name that fills its item has no terminating zero.
    size_t length = 0;
    while (length < item_size && item[length] != '\0')
      ++length;
    texts.emplace_back(item, length);
  }
  return texts;
}

std::vector<std::string> prDecodeCapabilityWords(const std::vector<uint8_t>& buffer) {
  std::vector<std::string> numbers;
  for (size_t offset = 0; offset + 2 <= buffer.size(); offset += 2)
    numbers.push_back(std::to_string(ReadLittleEndian(buffer.data() + offset, 2)));
  return numbers;
}

std::vector<std::string> prDecodeCapabilityPairs(const std::vector<uint8_t>& buffer, bool second) {
  std::vector<std::string> numbers;
  size_t skip = second ? 4 : 0;
  for (size_t offset = 0; offset + 8 <= buffer.size(); offset += 8) {
    auto value = static_cast<int32_t>(ReadLittleEndian(buffer.data() + offset + skip, 4));
    numbers.push_back(std::to_string(value));
  }
  return numbers;
}

void prFillScreenCapabilities(TprPrinterCapabilities& capabilities, const TprUnitConverter& converter) {
  capabilities.BinNumbers().Add("7");
  capabilities.BinNames().Add("Default");
  capabilities.SetCopies(false);
  constexpr std::array<int32_t, 13> kScreenPapers{256, 1, 5, 8, 9, 17, 39, 40, 19, 20, 21, 22, 23};
  for (int32_t id : kScreenPapers) {
    TprPaperSize size = prPaperSize(id, converter);
    capabilities.PaperNames().Add(prPaperName(id));
    capabilities.PaperNumbers().Add(std::to_string(id));
    capabilities.PaperWidths().Add(std::to_string(size.width));
    capabilities.PaperHeights().Add(std::to_string(size.height));
  }
}
