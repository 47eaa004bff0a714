#pragma once
// Units of measure of the report library. Lengths are held as whole
// thousandths of a millimetre ("microns" below); paper tables use tenths of
// a millimetre. The library's own factor between the metric and the inch
// scale is 0.03937 inches per millimetre, taken in single precision, not
// 1/25.4: stored page sizes were computed with it, so it must stay.
//
// Pixel units need a resolution: screen pixels use the screen's pixels per
// inch, printer pixels the printer's on the axis asked for (or the screen's
// when no printer is given). TprUnitConverter carries those resolutions, so
// that the arithmetic can be used with any given resolution; the pr...
// functions use the screen of this machine.

#include <cstdint>

enum TprUnitType : uint8_t {
  prutScreenPixels = 0,
  prutInches = 1,
  prutMillimeters = 2,
  prutPrinterPixels = 3,
  prutMMThousandths = 4,
};

// Which printer resolution a printer-pixel value is measured in.
enum class TprAxis : uint8_t { kX = 0, kY = 1 };

struct TprPixelsPerInch {
  int32_t x = 96;
  int32_t y = 96;
};

// A device whose pixels printer-pixel units count (the printer object).
// Asking may make the device's context, hence not const.
class IprPixelDevice {
 public:
  virtual ~IprPixelDevice() = default;
  virtual TprPixelsPerInch PixelsPerInch() = 0;
};

// The screen's pixels per inch (the vertical resolution, as the platform's
// screen object reports it); 96 where there is no screen.
int32_t prScreenPixelsPerInch();

class TprUnitConverter {
 public:
  // A resolution of 0 or less stands for 96 pixels per inch.
  explicit TprUnitConverter(int32_t screen_pixels_per_inch, IprPixelDevice* printer = nullptr);
  // With the screen of this machine.
  static TprUnitConverter ForScreen(IprPixelDevice* printer = nullptr);

  int32_t ScreenPixelsPerInch() const { return screen_ppi_; }

  // Whole thousandths of a millimetre of `value` given in `unit`.
  int32_t ToMicrons(TprUnitType unit, TprAxis axis, double value) const;
  // `microns` expressed in `unit` (inches to four decimals, pixels whole).
  double FromMicrons(int32_t microns, TprUnitType unit, TprAxis axis) const;
  int32_t UnitToScreenPixels(TprUnitType unit, TprAxis axis, double value) const;
  float ScreenPixelsToUnit(int32_t pixels, TprUnitType unit, TprAxis axis) const;
  // Inch values pass through whole screen pixels both ways, so that paper
  // sizes match what a page laid out on screen measures.
  int32_t ToTenthsMM(TprUnitType unit, TprAxis axis, double value) const;
  double FromTenthsMM(int32_t tenths, TprUnitType unit, TprAxis axis) const;

 private:
  double PixelsPerInch(TprUnitType unit, TprAxis axis) const;

  int32_t screen_ppi_;
  IprPixelDevice* printer_;
};

// The library's conversions at this machine's screen resolution; `printer`
// may be null.
int32_t prToMicrons(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value);
double prFromMicrons(int32_t microns, TprUnitType unit, TprAxis axis, IprPixelDevice* printer);
int32_t prUnitToScreenPixels(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value);
float prScreenPixelsToUnit(int32_t pixels, TprUnitType unit, TprAxis axis, IprPixelDevice* printer);
int32_t prToTenthsMM(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value);
double prFromTenthsMM(int32_t tenths, TprUnitType unit, TprAxis axis, IprPixelDevice* printer);

// Round half to even into the 32-bit range (values beyond it are held at
// its ends, not a number gives 0): lengths are 32-bit, and a wild input
// must not turn into undefined behaviour.
int32_t prRoundToInt32(double value);
// The same with the fraction cut off toward zero.
int32_t prTruncToInt32(double value);
