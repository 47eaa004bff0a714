#include <windows.h>
#include <winspool.h>

#include <limits>

#include "printers/print_system.h"

namespace {

// A driver that reports more items than this answers nonsense; its second
// call would write past any buffer we could sensibly allocate.
constexpr int kMaxCapabilityItems = 65536;

const char* PortOrNull(const std::optional<std::string>& port) { return port ? port->c_str() : nullptr; }

std::string TextOrEmpty(const char* text) { return text != nullptr ? std::string(text) : std::string(); }

std::vector<TprEnumeratedPrinter> DecodeLevel4(const BYTE* buffer, DWORD count) {
  std::vector<TprEnumeratedPrinter> printers;
  const auto* records = reinterpret_cast<const PRINTER_INFO_4A*>(buffer);
  for (DWORD i = 0; i < count; ++i)
    printers.push_back({TextOrEmpty(records[i].pPrinterName), {}, records[i].Attributes});
  return printers;
}

std::vector<TprEnumeratedPrinter> DecodeLevel5(const BYTE* buffer, DWORD count) {
  std::vector<TprEnumeratedPrinter> printers;
  const auto* records = reinterpret_cast<const PRINTER_INFO_5A*>(buffer);
  for (DWORD i = 0; i < count; ++i)
    printers.push_back({TextOrEmpty(records[i].pPrinterName), TextOrEmpty(records[i].pPortName), records[i].Attributes});
  return printers;
}

class TWinspoolPrintSystem final : public TprPrintSystem {
 public:
  TWinspoolPrintSystem() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExA(&version)) {
#pragma GCC diagnostic pop
      nt_family_ = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
      major_version_ = static_cast<int32_t>(version.dwMajorVersion);
    }
  }

  bool IsNtFamily() const override { return nt_family_; }
  int32_t MajorVersion() const override { return major_version_; }

  std::vector<TprEnumeratedPrinter> EnumeratePrinters(TprEnumerationLevel level) const override {
    DWORD flags = level == TprEnumerationLevel::kNamesAndAttributes ? (PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS)
                                                                      : PRINTER_ENUM_LOCAL;
    DWORD info_level = static_cast<DWORD>(level);
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersA(flags, nullptr, info_level, nullptr, 0, &needed, &count);
    if (needed == 0)
      return {};
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(flags, nullptr, info_level, buffer.data(), needed, &needed, &count))
      return {};
    return level == TprEnumerationLevel::kNamesAndAttributes ? DecodeLevel4(buffer.data(), count)
                                                               : DecodeLevel5(buffer.data(), count);
  }

  std::string DefaultDeviceProfile() const override {
    char buffer[1024] = {};
    DWORD length = GetProfileStringA("windows", "device", "", buffer, sizeof(buffer) - 1);
    return std::string(buffer, length < sizeof(buffer) ? length : sizeof(buffer) - 1);
  }

  std::vector<uint8_t> QueryDeviceCapability(const std::string& device, const std::optional<std::string>& port,
                                             TprDeviceCapability capability, size_t item_size) const override {
    int count = DeviceCapabilitiesA(device.c_str(), PortOrNull(port), capability, nullptr, nullptr);
    if (count < 1 || count > kMaxCapabilityItems)
      return {};
    // One spare byte: some drivers terminate their last name past its item.
    std::vector<uint8_t> buffer(static_cast<size_t>(count) * item_size + 1);
    int filled = DeviceCapabilitiesA(device.c_str(), PortOrNull(port), capability,
                                     reinterpret_cast<char*>(buffer.data()), nullptr);
    // The printer may have changed between the two calls; trust neither a
    // failure nor more items than the buffer was made for.
    if (filled < 1)
      return {};
    buffer.resize(static_cast<size_t>(filled < count ? filled : count) * item_size);
    return buffer;
  }

  int32_t DeviceCapabilityValue(const std::string& device, const std::optional<std::string>& port,
                                TprDeviceCapability capability) const override {
    int value = DeviceCapabilitiesA(device.c_str(), PortOrNull(port), capability, nullptr, nullptr);
    return value < 0 ? 0 : value;
  }

 private:
  bool nt_family_ = true;
  int32_t major_version_ = 10;
};

}  // namespace

TprPrintSystem& prOperatingSystemPrintSystem() {
  static TWinspoolPrintSystem system;
  return system;
}
