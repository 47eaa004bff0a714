#pragma once
// What the printer object writes into the platform's device mode (DEVMODE)
// for a printer setup: the fields to set and their values, and the printer
// form to register first for a custom paper. Worked out here, portably;
// the Windows side copies it into the driver's device mode.

#include <cstdint>
#include <optional>
#include <string>

class TprPrinterSetup;

// Device-mode field bits.
enum : uint32_t {
  kprDmOrientation = 0x00000001,
  kprDmPaperSize = 0x00000002,
  kprDmPaperLength = 0x00000004,
  kprDmPaperWidth = 0x00000008,
  kprDmCopies = 0x00000100,
  kprDmDefaultSource = 0x00000200,
  kprDmDuplex = 0x00001000,
  kprDmFormName = 0x00010000,
};

// A printer form in thousandths of a millimetre; its imageable area is the
// whole sheet.
struct TprFormRequest {
  std::string name;
  int32_t width = 0;
  int32_t height = 0;
};

struct TprDeviceModeRequest {
  uint32_t fields = 0;
  int16_t orientation = 1;  // 1 portrait, 2 landscape
  int16_t paper_size = 0;
  int16_t paper_length = 0;  // tenths of a millimetre
  int16_t paper_width = 0;
  int16_t copies = 1;
  int16_t duplex = 1;  // 1 simplex, 2 horizontal, 3 vertical
  int16_t default_source = 0;
  std::string form_name;
  std::optional<TprFormRequest> form;
};

// The request for `setup`. `nt_family`: the system has printer forms.
// `driver_default_source`: the bin the driver's own device mode names,
// used for the setup's "Default" bin.
TprDeviceModeRequest prBuildDeviceModeRequest(const TprPrinterSetup& setup, bool nt_family,
                                              int16_t driver_default_source);
