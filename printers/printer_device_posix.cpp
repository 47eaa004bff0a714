#include "printers/printer_device.h"

// Natively there is no printer device: no handles, device modes or
// contexts. The printer object then behaves as for a driver that fails.

namespace prdevice {

Handle OpenPrinterHandle(const std::string&) { return 0; }

void ClosePrinterHandle(Handle) {}

std::optional<std::vector<uint8_t>> ReadDeviceMode(Handle, const std::string&, int16_t&) { return std::nullopt; }

std::vector<uint8_t> ApplyDeviceModeRequest(Handle, const std::string&, const std::vector<uint8_t>& device_mode,
                                            const TprDeviceModeRequest&) {
  return device_mode;
}

std::optional<TprDeviceModeRequest> ReadDeviceModeFields(const std::vector<uint8_t>&) { return std::nullopt; }

Handle CreateContext(ContextKind, const std::optional<std::string>&, const std::string&,
                     const std::optional<std::string>&, const std::vector<uint8_t>*) {
  return 0;
}

void ReleaseContext(ContextKind, Handle) {}

Metrics ReadMetrics(Handle, bool) { return {}; }

bool EnsureForm(Handle, const TprFormRequest&) { return false; }

}  // namespace prdevice
