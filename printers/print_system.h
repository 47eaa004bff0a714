#pragma once
// The operating system's print system as the printer list and the printer
// information objects see it: the installed printers in enumeration order,
// the default printer from the user's profile, and the driver's capability
// queries. On Windows it is winspool; natively there is no print system and
// no printer is installed.
//
// Everything else of the printer library is plain logic over these answers,
// so a list can also be built over another TprPrintSystem (a print server
// with printers on several ports, say) and checked on any machine.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Enumeration levels: NT-family systems list names and attributes (level
// 4), older ones names, comma-separated ports and attributes (level 5).
enum class TprEnumerationLevel : uint8_t { kNamesAndAttributes = 4, kNamesAndPorts = 5 };

struct TprEnumeratedPrinter {
  std::string name;
  std::string port_names;  // level 5 only
  uint32_t attributes = 0;
};

// The printer attribute of a network printer connection.
constexpr uint32_t kprPrinterAttributeNetwork = 0x10;

// Driver capability indexes (DeviceCapabilities).
enum TprDeviceCapability : uint16_t {
  prdcPapers = 2,
  prdcPaperSize = 3,
  prdcBins = 6,
  prdcBinNames = 12,
  prdcPaperNames = 16,
  prdcCopies = 18,
};

class TprPrintSystem {
 public:
  virtual ~TprPrintSystem() = default;

  virtual bool IsNtFamily() const = 0;
  virtual int32_t MajorVersion() const = 0;
  // The installed printers in the system's order; empty when the system
  // answers an error.
  virtual std::vector<TprEnumeratedPrinter> EnumeratePrinters(TprEnumerationLevel level) const = 0;
  // The "device" value of the user profile's "windows" section (device,
  // driver and port of the default printer, comma-separated), at most 1023
  // characters; empty when unset.
  virtual std::string DefaultDeviceProfile() const = 0;
  // The items of one capability query, item_size bytes each; empty when
  // the driver reports none or answers an error. `port` may be absent.
  virtual std::vector<uint8_t> QueryDeviceCapability(const std::string& device, const std::optional<std::string>& port,
                                                     TprDeviceCapability capability, size_t item_size) const = 0;
  // The number a capability query answers without a buffer (copies); 0 on
  // an error.
  virtual int32_t DeviceCapabilityValue(const std::string& device, const std::optional<std::string>& port,
                                        TprDeviceCapability capability) const = 0;
};

// The operating system's print system (process-wide, never freed).
TprPrintSystem& prOperatingSystemPrintSystem();
