#pragma once
// A print system whose answers a test lists: printers, the profile's
// default device and each printer's driver capabilities as raw arrays. It
// stands for print systems the test machine does not have (several ports
// per printer, network connections, drivers that answer nonsense).

#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "printers/print_system.h"

namespace printers_test {

class TListedPrintSystem : public TprPrintSystem {
 public:
  bool nt_family = true;
  int32_t major_version = 10;
  std::vector<TprEnumeratedPrinter> printers;
  std::string default_device_profile;
  // Capability items by device and capability; copies by device.
  std::map<std::pair<std::string, int>, std::vector<uint8_t>> capabilities;
  std::map<std::string, int32_t> copies;
  // Every capability query, "device|port|capability".
  mutable std::vector<std::string> queries;

  bool IsNtFamily() const override { return nt_family; }
  int32_t MajorVersion() const override { return major_version; }
  std::vector<TprEnumeratedPrinter> EnumeratePrinters(TprEnumerationLevel) const override { return printers; }
  std::string DefaultDeviceProfile() const override { return default_device_profile; }

  std::vector<uint8_t> QueryDeviceCapability(const std::string& device, const std::optional<std::string>& port,
                                             TprDeviceCapability capability, size_t) const override {
    queries.push_back(device + "|" + port.value_or("-") + "|" + std::to_string(capability));
    auto found = capabilities.find({device, capability});
    return found == capabilities.end() ? std::vector<uint8_t>() : found->second;
  }

  int32_t DeviceCapabilityValue(const std::string& device, const std::optional<std::string>&,
                                TprDeviceCapability) const override {
    auto found = copies.find(device);
    return found == copies.end() ? 0 : found->second;
  }

  // Helpers that encode arrays as a driver returns them.
  void SetTexts(const std::string& device, TprDeviceCapability capability, size_t item_size,
                const std::vector<std::string>& texts) {
    std::vector<uint8_t> bytes(texts.size() * item_size, 0);
    for (size_t i = 0; i < texts.size(); ++i)
      std::memcpy(bytes.data() + i * item_size, texts[i].data(), std::min(texts[i].size(), item_size));
    capabilities[{device, capability}] = bytes;
  }
  void SetWords(const std::string& device, TprDeviceCapability capability, const std::vector<uint16_t>& words) {
    std::vector<uint8_t> bytes;
    for (uint16_t word : words) {
      bytes.push_back(static_cast<uint8_t>(word & 0xFF));
      bytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    capabilities[{device, capability}] = bytes;
  }
  void SetSizes(const std::string& device, const std::vector<std::pair<int32_t, int32_t>>& sizes) {
    std::vector<uint8_t> bytes;
    auto put = [&bytes](int32_t value) {
      auto bits = static_cast<uint32_t>(value);
      for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<uint8_t>(bits >> shift));
    };
    for (auto [width, height] : sizes) {
      put(width);
      put(height);
    }
    capabilities[{device, prdcPaperSize}] = bytes;
  }
};

}  // namespace printers_test
