#pragma once
// The platform side of the printer object: printer handles, device modes,
// device and information contexts, device metrics and printer forms. On
// Windows these are winspool and GDI; natively there is no printer device,
// so every call answers "none" and the printer object falls back as it does
// for a printer whose driver fails.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "printers/device_mode.h"

namespace prdevice {

// An opened printer or a device context; 0 is none.
using Handle = uintptr_t;

enum class ContextKind : uint8_t { kScreen, kDevice, kInformation };

struct Metrics {
  int32_t pixels_per_inch_x = 0;
  int32_t pixels_per_inch_y = 0;
  int32_t physical_width = 0;
  int32_t physical_height = 0;
  int32_t printable_width = 0;
  int32_t printable_height = 0;
  int32_t physical_offset_x = 0;
  int32_t physical_offset_y = 0;
  bool color = true;
};

Handle OpenPrinterHandle(const std::string& device);
void ClosePrinterHandle(Handle printer);

// The driver's device mode for the printer, and the paper source it names;
// none when the driver answers an error.
std::optional<std::vector<uint8_t>> ReadDeviceMode(Handle printer, const std::string& device,
                                                   int16_t& default_source);
// `request` written into a copy of `device_mode` and checked by the
// driver; the unchecked copy when the driver refuses it.
std::vector<uint8_t> ApplyDeviceModeRequest(Handle printer, const std::string& device,
                                            const std::vector<uint8_t>& device_mode,
                                            const TprDeviceModeRequest& request);
// The form name, fields and paper values a device mode holds (tests and
// diagnostics); empty for a block too small to be a device mode.
std::optional<TprDeviceModeRequest> ReadDeviceModeFields(const std::vector<uint8_t>& device_mode);

// A context for the printer (or the screen); 0 when it cannot be made.
Handle CreateContext(ContextKind kind, const std::optional<std::string>& driver, const std::string& device,
                     const std::optional<std::string>& port, const std::vector<uint8_t>* device_mode);
void ReleaseContext(ContextKind kind, Handle context);
Metrics ReadMetrics(Handle context, bool nt_family);

// Adds the form to the printer, or changes it when its size differs; false
// when the print system refuses.
bool EnsureForm(Handle printer, const TprFormRequest& form);

}  // namespace prdevice
