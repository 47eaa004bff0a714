#include "printers/paper_tables.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct PaperName {
  int32_t id;
  std::string_view name;
};

// The texts are the ones users have always seen in the paper lists, odd
// spellings ("8 12", "\275", doubled blanks) included.
constexpr auto kPaperNames = std::to_array<PaperName>({
    {1, "Letter 8 1/2 x 11 in"},
    {2, "Letter 8 1/2 x 11 in"},
    {3, "Tabloid 11 x 17 in"},
    {4, "Ledger 17 x 11 in"},
    {5, "Legal 8 12 x 14 in"},
    {6, "Statement 5 1/2 x 8 12 in"},
    {7, "Executive 7 14 x 10 1/2 in"},
    {8, "A3 297 x 420 mm"},
    {9, "A4 210 x 297 mm"},
    {10, "A4 Small 210 x 297 mm"},
    {11, "A5 148 x 210 mm"},
    {12, "B4 (JIS) 250 x 354"},
    {13, "B5 (JIS) 182 x 257 mm"},
    {14, "Folio 8 1/2 x 13 in"},
    {15, "Quarto 215 x 275 mm"},
    {16, "10 x 14 in"},
    {17, "11 x 17 in"},
    {18, "Note 8 1/2 x 11 in"},
    {19, "Envelope #9 3 7/8 x 8 7/8"},
    {20, "Envelope #10 4 18 x 9 1/2"},
    {21, "Envelope #11 4 12 x 10 3/8"},
    {22, "Envelope #12 4 276 x 11"},
    {23, "Envelope #14 5 x 11 1/2"},
    {24, "C size sheet"},
    {25, "D size sheet"},
    {26, "E size sheet"},
    {27, "Envelope DL 110 x 220mm"},
    {28, "Envelope C5 162 x 229 mm"},
    {29, " Envelope C3  324 x 458 mm"},
    {30, "Envelope C4  229 x 324 mm"},
    {31, "Envelope C6  114 x 162 mm"},
    {32, "Envelope C65 114 x 229 mm"},
    {33, "Envelope B4  250 x 353 mm"},
    {34, "Envelope B5  176 x 250 mm"},
    {35, "Envelope B6  176 x 125 mm"},
    {36, "Envelope 110 x 230 mm"},
    {37, "Envelope Monarch 3.875 x 7.5 in"},
    {38, "6 34 Envelope 3 5/8 x 6 1/2 in"},
    {39, "US Std Fanfold 14 7/8 x 11 in"},
    {40, "German Std Fanfold 8 1/2 x 12 in"},
    {41, "German Legal Fanfold 8 1/2 x 13 in"},
    {42, "B4 (ISO) 250 x 353 mm"},
    {43, "Japanese Postcard 100 x 148 mm"},
    {44, "9 x 11 in"},
    {45, "10 x 11 in"},
    {46, "15 x 11 in"},
    {47, "Envelope Invite 220 x 220 mm"},
    {50, "Letter Extra 9 \\275 x 12 in"},
    {51, "Legal Extra 9 \\275 x 15 in"},
    {52, "Tabloid Extra 11.69 x 18 in"},
    {53, "A4 Extra 9.27 x 12.69 in"},
    {54, "Letter Transverse 8 \\275 x 11 in"},
    {55, "A4 Transverse 210 x 297 mm"},
    {56, "Letter Extra Transverse 9\\275 x 12 in"},
    {57, "SuperASuperAA4 227 x 356 mm"},
    {58, "SuperBSuperBA3 305 x 487 mm"},
    {59, "Letter Plus 8.5 x 12.69 in"},
    {60, "A4 Plus 210 x 330 mm"},
    {61, "A5 Transverse 148 x 210 mm"},
    {62, "B5 (JIS) Transverse 182 x 257 mm"},
    {63, "A3 Extra 322 x 445 mm"},
    {64, "A5 Extra 174 x 235 mm"},
    {65, "B5 (ISO) Extra 201 x 276 mm"},
    {66, "A2 420 x 594 mm"},
    {67, "A3 Transverse 297 x 420 mm"},
    {68, "A3 Extra Transverse 322 x 445 mm"},
    {118, "DMPAPER_A3_EXTRA_TRANSVERSE"},
    {256, "Custom"},
});

// A paper is sized either exactly in tenths of a millimetre or in inches
// that are converted at the screen's resolution.
struct PaperDimension {
  int32_t id;
  bool in_inches;
  double width;
  double height;
};

constexpr PaperDimension Metric(int32_t id, double width, double height) { return {id, false, width, height}; }
constexpr PaperDimension Inches(int32_t id, double width, double height) { return {id, true, width, height}; }

constexpr auto kPaperDimensions = std::to_array<PaperDimension>({
    Inches(1, 8.5, 11),        Inches(2, 8.5, 11),       Inches(3, 11, 17),
    Inches(4, 17, 11),         Inches(5, 8.5, 14),       Inches(6, 5.5, 8.5),
    Inches(7, 7.25, 10.5),     Metric(8, 2970, 4200),    Metric(9, 2100, 2970),
    Metric(10, 2100, 2970),    Metric(11, 1480, 2100),   Metric(12, 2500, 3540),
    Metric(13, 1820, 2570),    Inches(14, 8.5, 13),      Metric(15, 2150, 2750),
    Inches(16, 10, 14),        Inches(17, 11, 17),       Inches(18, 8.5, 11),
    Inches(19, 3.875, 8.875),  Inches(20, 4.125, 9.5),   Inches(21, 4.5, 10.375),
    Inches(22, 4.75, 11),      Inches(23, 5, 11.5),      Inches(24, 17, 22),
    Inches(25, 22, 34),        Inches(26, 34, 44),       Metric(27, 1100, 2200),
    Metric(28, 1620, 2290),    Metric(29, 3240, 4580),   Metric(30, 2290, 3240),
    Metric(31, 1140, 1620),    Metric(32, 1140, 2290),   Metric(33, 2500, 3530),
    Metric(34, 1760, 2500),    Metric(35, 1760, 1250),   Metric(36, 1100, 2300),
    Inches(37, 3.875, 7.5),    Inches(38, 3.625, 6.5),   Inches(39, 14.875, 11),
    Inches(40, 8.5, 12),       Inches(41, 8.5, 13),      Metric(42, 2500, 3530),
    Metric(43, 1000, 1480),    Inches(44, 9, 11),        Inches(45, 10, 11),
    Inches(46, 15, 11),        Metric(47, 2200, 2200),   Inches(50, 9.275, 12),
    Inches(51, 9.275, 15),     Inches(52, 11.69, 18),    Inches(53, 9.27, 12.69),
    Inches(54, 8.275, 11),     Metric(55, 2100, 2970),   Inches(56, 9.275, 12),
    Metric(57, 2270, 3560),    Metric(58, 3050, 4870),   Inches(59, 8.5, 12.69),
    Metric(60, 2100, 3300),    Metric(61, 1480, 2100),   Metric(62, 1820, 2570),
    Metric(63, 3220, 4450),    Metric(64, 1740, 2350),   Metric(65, 2010, 2760),
    Metric(66, 4200, 5940),    Metric(67, 2970, 4200),   Metric(68, 3220, 4450),
});

template <class Table>
auto FindById(const Table& table, int32_t id) {
  return std::find_if(table.begin(), table.end(), [id](const auto& entry) { return entry.id == id; });
}

}  // namespace

std::string prPaperName(int32_t paper_id) {
  auto entry = FindById(kPaperNames, paper_id);
  return entry == kPaperNames.end() ? std::string("Unknown") : std::string(entry->name);
}

TprPaperSize prPaperSize(int32_t paper_id, const TprUnitConverter& converter) {
  auto entry = FindById(kPaperDimensions, paper_id);
  if (entry == kPaperDimensions.end())
    return {};
  if (!entry->in_inches)
    return {static_cast<int32_t>(entry->width), static_cast<int32_t>(entry->height)};
  return {converter.ToTenthsMM(prutInches, TprAxis::kX, entry->width),
          converter.ToTenthsMM(prutInches, TprAxis::kY, entry->height)};
}

TprPaperSize prPaperSize(int32_t paper_id) { return prPaperSize(paper_id, TprUnitConverter::ForScreen()); }

std::string prPaperSizeText(int32_t width, int32_t height) {
  return std::to_string(width / 10) + " x " + std::to_string(height / 10) + " mm";
}
