#pragma once
// What a printer offers: its papers (names, platform ids, sizes in tenths
// of a millimetre) and paper bins (names, platform ids), as parallel text
// lists, and whether it prints more than two copies by itself.
//
// Drivers report these lists independently and not always consistently;
// after NormalizePapers the four paper lists have the same length and
// order, every paper has a size, and a paper named "Custom" (id 256) is
// present and last. After NormalizeBins the bin lists have the same length
// and a bin named "Default" exists.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/rtl/strings.h"
#include "printers/units.h"

class TprPrinterCapabilities : public TObject {
 public:
  static constexpr TClass kClass{"TprPrinterCapabilities", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TprPrinterCapabilities(std::string printer_name);

  const std::string& PrinterName() const { return printer_name_; }

  TStringList& BinNumbers() { return bin_numbers_; }
  TStringList& BinNames() { return bin_names_; }
  TStringList& PaperHeights() { return paper_heights_; }
  TStringList& PaperNames() { return paper_names_; }
  TStringList& PaperNumbers() { return paper_numbers_; }
  TStringList& PaperWidths() { return paper_widths_; }
  const TStringList& BinNumbers() const { return bin_numbers_; }
  const TStringList& BinNames() const { return bin_names_; }
  const TStringList& PaperHeights() const { return paper_heights_; }
  const TStringList& PaperNames() const { return paper_names_; }
  const TStringList& PaperNumbers() const { return paper_numbers_; }
  const TStringList& PaperWidths() const { return paper_widths_; }

  bool Copies() const { return copies_; }
  void SetCopies(bool copies) { copies_ = copies; }

  // Index of a paper by name (letter case ignored), or -1.
  int32_t IndexOfPaper(std::string_view name) const { return paper_names_.IndexOf(name); }

  // Lines up the paper lists (see above). Papers without a driver size get
  // the table size (inch sizes through `converter`'s screen pixels).
  void NormalizePapers(const TprUnitConverter& converter);
  void NormalizePapers();
  void NormalizeBins();

 private:
  void RebuildPaperNames();
  int32_t FindCustomPaper() const;
  void FillMissingPaperSizes(const TprUnitConverter& converter);
  // Removes papers without a usable size; returns the custom paper's new
  // position.
  int32_t DropUnsizedPapers(int32_t custom);
  void DeletePaper(int32_t index);
  void MovePaper(int32_t from, int32_t to);

  TStringList bin_numbers_;
  TStringList bin_names_;
  TStringList paper_heights_;
  TStringList paper_names_;
  TStringList paper_numbers_;
  TStringList paper_widths_;
  std::string printer_name_;
  bool copies_ = false;
};

// Decoding of the driver's capability arrays (little-endian items of a
// fixed size): texts of at most item-size characters (zero-terminated when
// shorter), unsigned 16-bit numbers, and the first or second 32-bit number
// of each pair. A trailing partial item is ignored.
std::vector<std::string> prDecodeCapabilityTexts(const std::vector<uint8_t>& buffer, size_t item_size);
std::vector<std::string> prDecodeCapabilityWords(const std::vector<uint8_t>& buffer);
std::vector<std::string> prDecodeCapabilityPairs(const std::vector<uint8_t>& buffer, bool second);

// The fixed capabilities of the screen pseudo-printer.
void prFillScreenCapabilities(TprPrinterCapabilities& capabilities, const TprUnitConverter& converter);
