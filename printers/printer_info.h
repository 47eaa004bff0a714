#pragma once
// TprPrinterInfo: one entry of the printer list - the printer's names and,
// on first request, what it can do (its capabilities). TprScreenPrinterInfo
// is the screen pseudo-printer with fixed capabilities.
//
// Info objects are shared: the list owns them, and printer objects and
// printer setups keep the one they use, so that a refresh of the list never
// leaves them holding a freed entry.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/rtl/object.h"
#include "platform/rtl/thread.h"
#include "printers/print_system.h"
#include "printers/printer_capabilities.h"

class TprPrinterInfo : public TObject {
 public:
  static constexpr TClass kClass{"TprPrinterInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `port`, `device` and `driver` may be absent. Capabilities are asked of
  // `system` (the operating system's unless given).
  TprPrinterInfo(std::string name, bool local, std::optional<std::string> port, std::optional<std::string> device,
                 std::optional<std::string> driver, TprPrintSystem* system = nullptr);
  ~TprPrinterInfo() override;

  const std::string& Name() const { return name_; }
  bool Local() const { return local_; }
  std::optional<std::string> Device() const;
  std::optional<std::string> Driver() const;
  std::optional<std::string> Port() const;
  bool Valid() const;
  // A printer whose device context could not be made is marked not valid.
  void SetValid(bool valid);

  // "device an port" when both are known, else empty.
  std::string GetDeviceOnPort() const;

  // Built from the driver's answers on first request and kept. The object
  // lives as long as this info; read it while holding Lock() when other
  // threads may use the info.
  virtual TprPrinterCapabilities& GetCapabilities();

  TCriticalSection& Lock() const { return lock_; }

 protected:
  TprPrintSystem& System() const { return system_; }
  std::unique_ptr<TprPrinterCapabilities>& CapabilitiesSlot() { return capabilities_; }

 private:
  std::vector<std::string> ReadCapabilityList(TprDeviceCapability capability, size_t item_size, int pair_half) const;
  void ReadCapabilitiesFromDriver(TprPrinterCapabilities& capabilities) const;

  TprPrintSystem& system_;
  std::optional<std::string> driver_;
  std::optional<std::string> device_;
  std::optional<std::string> port_;
  std::unique_ptr<TprPrinterCapabilities> capabilities_;
  std::string name_;
  bool valid_ = true;
  bool local_;
  mutable TCriticalSection lock_;
};

class TprScreenPrinterInfo : public TprPrinterInfo {
 public:
  static constexpr TClass kClass{"TprScreenPrinterInfo", &TprPrinterInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TprScreenPrinterInfo(TprPrintSystem* system = nullptr);

  TprPrinterCapabilities& GetCapabilities() override;
};
