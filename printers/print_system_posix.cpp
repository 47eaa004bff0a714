#include "printers/print_system.h"

namespace {

// A machine without a print system: no printer is installed, so the printer
// list holds "Default" and "Screen" only.
class TNoPrintSystem final : public TprPrintSystem {
 public:
  bool IsNtFamily() const override { return true; }
  int32_t MajorVersion() const override { return 10; }
  std::vector<TprEnumeratedPrinter> EnumeratePrinters(TprEnumerationLevel) const override { return {}; }
  std::string DefaultDeviceProfile() const override { return {}; }
  std::vector<uint8_t> QueryDeviceCapability(const std::string&, const std::optional<std::string>&,
                                             TprDeviceCapability, size_t) const override {
    return {};
  }
  int32_t DeviceCapabilityValue(const std::string&, const std::optional<std::string>&,
                                TprDeviceCapability) const override {
    return 0;
  }
};

}  // namespace

TprPrintSystem& prOperatingSystemPrintSystem() {
  static TNoPrintSystem system;
  return system;
}
