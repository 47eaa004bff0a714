#include "printers/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

class TFixedResolutionDevice : public IprPixelDevice {
 public:
  TFixedResolutionDevice(int32_t x, int32_t y) : resolution_{x, y} {}
  TprPixelsPerInch PixelsPerInch() override { return resolution_; }

 private:
  TprPixelsPerInch resolution_;
};

const TprUnitConverter kScreen96(96);

TEST(Units, ToMicronsPerUnit) {
  struct Case {
    TprUnitType unit;
    double value;
    int32_t microns;
  };
  const Case cases[] = {
      {prutInches, 1, 25400},  // the library's factor, not 1/25.4: 25400.05
      {prutInches, 11, 279401},
      {prutMillimeters, 1.5, 1500},
      {prutMMThousandths, 12.9, 12},
      {prutMMThousandths, -12.9, -12},
      {prutScreenPixels, 96, 25400},
      {prutPrinterPixels, 96, 25400},  // no printer: the screen's resolution
      {static_cast<TprUnitType>(9), 5, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(kScreen96.ToMicrons(c.unit, TprAxis::kX, c.value), c.microns) << int(c.unit) << " " << c.value;
}

TEST(Units, FromMicronsPerUnit) {
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(25400, prutInches, TprAxis::kX), 1.0);
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(12345, prutInches, TprAxis::kX), 0.486);
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(1500, prutMillimeters, TprAxis::kX), 1.5);
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(-7, prutMMThousandths, TprAxis::kX), -7.0);
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(25400, prutScreenPixels, TprAxis::kY), 96.0);
  EXPECT_DOUBLE_EQ(kScreen96.FromMicrons(25400, static_cast<TprUnitType>(7), TprAxis::kY), 0.0);
}

TEST(Units, PrinterPixelsUseThePrinterResolutionOfTheAxis) {
  TFixedResolutionDevice printer(300, 600);
  TprUnitConverter converter(96, &printer);
  EXPECT_EQ(converter.ToMicrons(prutPrinterPixels, TprAxis::kX, 300), 25400);
  EXPECT_EQ(converter.ToMicrons(prutPrinterPixels, TprAxis::kY, 600), 25400);
  EXPECT_DOUBLE_EQ(converter.FromMicrons(25400, prutPrinterPixels, TprAxis::kY), 600.0);
  // Screen pixels stay on the screen's scale whatever the printer.
  EXPECT_EQ(converter.ToMicrons(prutScreenPixels, TprAxis::kX, 96), 25400);
}

TEST(Units, TenthsOfMillimetres) {
  EXPECT_EQ(kScreen96.ToTenthsMM(prutInches, TprAxis::kX, 8.5), 2159);
  EXPECT_EQ(kScreen96.ToTenthsMM(prutInches, TprAxis::kY, 11), 2794);
  EXPECT_EQ(kScreen96.ToTenthsMM(prutMillimeters, TprAxis::kX, 210), 2100);
  // Halves go to the even neighbour.
  EXPECT_EQ(kScreen96.ToTenthsMM(prutMMThousandths, TprAxis::kX, 250), 2);
  EXPECT_EQ(kScreen96.ToTenthsMM(prutMMThousandths, TprAxis::kX, 350), 4);
  EXPECT_EQ(kScreen96.ToTenthsMM(prutScreenPixels, TprAxis::kX, 96), 254);
  EXPECT_DOUBLE_EQ(kScreen96.FromTenthsMM(2159, prutMillimeters, TprAxis::kX), 216.0);
  EXPECT_DOUBLE_EQ(kScreen96.FromTenthsMM(2159, prutMMThousandths, TprAxis::kX), 215900.0);
  EXPECT_DOUBLE_EQ(kScreen96.FromTenthsMM(254, prutScreenPixels, TprAxis::kX), 96.0);
}

TEST(Units, InchesPassThroughWholeScreenPixels) {
  // 9.275 in is 890.4 pixels at 96 and 1113.0 at 120 pixels per inch; the
  // whole pixels make the tenths differ.
  EXPECT_EQ(TprUnitConverter(96).ToTenthsMM(prutInches, TprAxis::kX, 9.275), 2354);
  EXPECT_EQ(TprUnitConverter(120).ToTenthsMM(prutInches, TprAxis::kX, 9.275), 2355);
  // Back to inches: 2159 tenths are 816 pixels, 8.5 inches.
  EXPECT_FLOAT_EQ(static_cast<float>(kScreen96.FromTenthsMM(2159, prutInches, TprAxis::kX)), 8.5f);
  EXPECT_EQ(kScreen96.UnitToScreenPixels(prutInches, TprAxis::kX, 8.5), 816);
  EXPECT_FLOAT_EQ(kScreen96.ScreenPixelsToUnit(816, prutMillimeters, TprAxis::kX), 215.9f);
}

TEST(Units, WildValuesStayInRange) {
  EXPECT_EQ(kScreen96.ToMicrons(prutMillimeters, TprAxis::kX, 1e30), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(kScreen96.ToMicrons(prutMillimeters, TprAxis::kX, -1e30), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(kScreen96.ToMicrons(prutInches, TprAxis::kX, std::nan("")), 0);
  EXPECT_EQ(kScreen96.ToTenthsMM(prutMMThousandths, TprAxis::kX, std::numeric_limits<double>::infinity()),
            std::numeric_limits<int32_t>::max());
  // A resolution of zero would divide by zero; it stands for 96.
  TFixedResolutionDevice broken(0, -3);
  EXPECT_EQ(TprUnitConverter(0, &broken).ToMicrons(prutPrinterPixels, TprAxis::kY, 96), 25400);
}

TEST(Units, LibraryFunctionsUseThisMachinesScreen) {
  int32_t ppi = prScreenPixelsPerInch();
  EXPECT_GT(ppi, 0);
  EXPECT_EQ(prToMicrons(prutScreenPixels, TprAxis::kX, nullptr, ppi), 25400);
  EXPECT_EQ(prToTenthsMM(prutMillimeters, TprAxis::kX, nullptr, 210), 2100);
  EXPECT_DOUBLE_EQ(prFromTenthsMM(2159, prutMillimeters, TprAxis::kX, nullptr), 216.0);
}

}  // namespace
