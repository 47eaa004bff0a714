#include "printers/units.h"

#include <cmath>
#include <limits>

namespace {

// Inches per millimetre as the library has always stored it: the single
// precision value widened, not 1/25.4.
constexpr double kInchesPerMillimeter = static_cast<double>(0.03937f);
constexpr int32_t kFallbackPixelsPerInch = 96;

int32_t UsableResolution(int32_t pixels_per_inch) {
  return pixels_per_inch > 0 ? pixels_per_inch : kFallbackPixelsPerInch;
}

int32_t ClampToInt32(double value) {
  if (std::isnan(value))
    return 0;
  constexpr double kMin = std::numeric_limits<int32_t>::min();
  constexpr double kMax = std::numeric_limits<int32_t>::max();
  if (value <= kMin)
    return std::numeric_limits<int32_t>::min();
  if (value >= kMax)
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t prRoundToInt32(double value) {
  // nearbyint rounds halves to even in the default rounding mode.
  return ClampToInt32(std::nearbyint(value));
}

int32_t prTruncToInt32(double value) { return ClampToInt32(std::trunc(value)); }

TprUnitConverter::TprUnitConverter(int32_t screen_pixels_per_inch, IprPixelDevice* printer)
    : screen_ppi_(UsableResolution(screen_pixels_per_inch)), printer_(printer) {}

TprUnitConverter TprUnitConverter::ForScreen(IprPixelDevice* printer) {
  return TprUnitConverter(prScreenPixelsPerInch(), printer);
}

double TprUnitConverter::PixelsPerInch(TprUnitType unit, TprAxis axis) const {
  if (unit != prutPrinterPixels || printer_ == nullptr)
    return screen_ppi_;
  TprPixelsPerInch resolution = printer_->PixelsPerInch();
  return UsableResolution(axis == TprAxis::kX ? resolution.x : resolution.y);
}

int32_t TprUnitConverter::ToMicrons(TprUnitType unit, TprAxis axis, double value) const {
  switch (unit) {
    case prutScreenPixels:
    case prutPrinterPixels:
      return prRoundToInt32(value / PixelsPerInch(unit, axis) / kInchesPerMillimeter * 1000);
    case prutInches:
      return prRoundToInt32(value / kInchesPerMillimeter * 1000);
    case prutMillimeters:
      return prRoundToInt32(value * 1000);
    case prutMMThousandths:
      return prTruncToInt32(value);
  }
  return 0;
}

double TprUnitConverter::FromMicrons(int32_t microns, TprUnitType unit, TprAxis axis) const {
  switch (unit) {
    case prutScreenPixels:
    case prutPrinterPixels:
      return prRoundToInt32(microns / 1000.0 * kInchesPerMillimeter * PixelsPerInch(unit, axis));
    case prutInches:
      return prRoundToInt32(microns / 1000.0 * kInchesPerMillimeter * 10000) / 10000.0;
    case prutMillimeters:
      return microns / 1000.0;
    case prutMMThousandths:
      return microns;
  }
  return 0;
}

int32_t TprUnitConverter::UnitToScreenPixels(TprUnitType unit, TprAxis axis, double value) const {
  return prRoundToInt32(FromMicrons(ToMicrons(unit, axis, value), prutScreenPixels, axis));
}

float TprUnitConverter::ScreenPixelsToUnit(int32_t pixels, TprUnitType unit, TprAxis axis) const {
  return static_cast<float>(FromMicrons(ToMicrons(prutScreenPixels, axis, pixels), unit, axis));
}

int32_t TprUnitConverter::ToTenthsMM(TprUnitType unit, TprAxis axis, double value) const {
  switch (unit) {
    case prutInches: {
      int32_t pixels = UnitToScreenPixels(prutInches, axis, value);
      return prTruncToInt32(ScreenPixelsToUnit(pixels, prutMMThousandths, axis) / 100.0);
    }
    case prutMillimeters:
      return prRoundToInt32(value * 10);
    case prutMMThousandths:
      return prRoundToInt32(value / 100);
    case prutScreenPixels:
    case prutPrinterPixels:
      return ToMicrons(unit, axis, value) / 100;
  }
  return 0;
}

double TprUnitConverter::FromTenthsMM(int32_t tenths, TprUnitType unit, TprAxis axis) const {
  int64_t microns = int64_t{tenths} * 100;
  switch (unit) {
    case prutInches: {
      int32_t pixels = UnitToScreenPixels(prutMMThousandths, axis, static_cast<double>(microns));
      return ScreenPixelsToUnit(pixels, prutInches, axis);
    }
    case prutMillimeters:
      return prRoundToInt32(tenths / 10.0);
    case prutMMThousandths:
      return static_cast<double>(microns);
    case prutScreenPixels:
    case prutPrinterPixels:
      return FromMicrons(prTruncToInt32(static_cast<double>(microns)), unit, axis);
  }
  return 0;
}

int32_t prToMicrons(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value) {
  return TprUnitConverter::ForScreen(printer).ToMicrons(unit, axis, value);
}

double prFromMicrons(int32_t microns, TprUnitType unit, TprAxis axis, IprPixelDevice* printer) {
  return TprUnitConverter::ForScreen(printer).FromMicrons(microns, unit, axis);
}

int32_t prUnitToScreenPixels(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value) {
  return TprUnitConverter::ForScreen(printer).UnitToScreenPixels(unit, axis, value);
}

float prScreenPixelsToUnit(int32_t pixels, TprUnitType unit, TprAxis axis, IprPixelDevice* printer) {
  return TprUnitConverter::ForScreen(printer).ScreenPixelsToUnit(pixels, unit, axis);
}

int32_t prToTenthsMM(TprUnitType unit, TprAxis axis, IprPixelDevice* printer, double value) {
  return TprUnitConverter::ForScreen(printer).ToTenthsMM(unit, axis, value);
}

double prFromTenthsMM(int32_t tenths, TprUnitType unit, TprAxis axis, IprPixelDevice* printer) {
  return TprUnitConverter::ForScreen(printer).FromTenthsMM(tenths, unit, axis);
}
