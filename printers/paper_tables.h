#pragma once
// Names and sizes of the platform's paper ids (DMPAPER values), for papers
// whose driver reports no name or no size.

#include <cstdint>
#include <string>

#include "printers/units.h"

// Width and height in tenths of a millimetre.
struct TprPaperSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const TprPaperSize&, const TprPaperSize&) = default;
};

constexpr int32_t kprCustomPaper = 256;  // the user-defined paper (DMPAPER_USER)

// The paper's name, "Unknown" for an id outside the table.
std::string prPaperName(int32_t paper_id);
// The paper's size; 0 by 0 for an id without a size. Sizes given in inches
// pass through whole screen pixels of `converter` (or of this machine's
// screen).
TprPaperSize prPaperSize(int32_t paper_id);
TprPaperSize prPaperSize(int32_t paper_id, const TprUnitConverter& converter);
// "210 x 297 mm" for 2100 by 2970 tenths: whole millimetres, cut off.
std::string prPaperSizeText(int32_t width, int32_t height);
