#include "printers/printer_info.h"

#include <mutex>

#include "platform/rtl/format.h"

namespace {

// Windows NT before version 4 cannot take absent names; it gets empty ones.
std::optional<std::string> NameForSystem(std::optional<std::string> text, const TprPrintSystem& system) {
  if (!text && system.IsNtFamily() && system.MajorVersion() < 4)
    return std::string();
  return text;
}

enum PairHalf : int { kWholeItem = -1, kFirstOfPair = 0, kSecondOfPair = 1 };

}  // namespace

TprPrinterInfo::TprPrinterInfo(std::string name, bool local, std::optional<std::string> port,
                               std::optional<std::string> device, std::optional<std::string> driver,
                               TprPrintSystem* system)
    : system_(system != nullptr ? *system : prOperatingSystemPrintSystem()),
      driver_(NameForSystem(std::move(driver), system_)),
      device_(NameForSystem(std::move(device), system_)),
      port_(NameForSystem(std::move(port), system_)),
      name_(std::move(name)),
      local_(local) {}

TprPrinterInfo::~TprPrinterInfo() {
  std::lock_guard lock(lock_);
  capabilities_.reset();
}

std::optional<std::string> TprPrinterInfo::Device() const {
  std::lock_guard lock(lock_);
  return device_;
}

std::optional<std::string> TprPrinterInfo::Driver() const {
  std::lock_guard lock(lock_);
  return driver_;
}

std::optional<std::string> TprPrinterInfo::Port() const {
  std::lock_guard lock(lock_);
  return port_;
}

bool TprPrinterInfo::Valid() const {
  std::lock_guard lock(lock_);
  return valid_;
}

void TprPrinterInfo::SetValid(bool valid) {
  std::lock_guard lock(lock_);
  valid_ = valid;
}

std::string TprPrinterInfo::GetDeviceOnPort() const {
  std::lock_guard lock(lock_);
  if (!device_ || !port_)
    return {};
  return Format("%s an %s", {*device_, *port_});
}

TprPrinterCapabilities& TprPrinterInfo::GetCapabilities() {
  std::lock_guard lock(lock_);
  if (!capabilities_) {
    auto capabilities = std::make_unique<TprPrinterCapabilities>(name_);
    ReadCapabilitiesFromDriver(*capabilities);
    capabilities->NormalizePapers();
    capabilities->NormalizeBins();
    capabilities_ = std::move(capabilities);
  }
  return *capabilities_;
}

void TprPrinterInfo::ReadCapabilitiesFromDriver(TprPrinterCapabilities& capabilities) const {
  struct Query {
    TStringList& list;
    TprDeviceCapability capability;
    size_t item_size;
    int pair_half;
  };
  const Query queries[] = {
      {capabilities.PaperNames(), prdcPaperNames, 64, kWholeItem},
      {capabilities.PaperNumbers(), prdcPapers, 2, kWholeItem},
      {capabilities.PaperWidths(), prdcPaperSize, 8, kFirstOfPair},
      {capabilities.PaperHeights(), prdcPaperSize, 8, kSecondOfPair},
      {capabilities.BinNames(), prdcBinNames, 24, kWholeItem},
      {capabilities.BinNumbers(), prdcBins, 2, kWholeItem},
  };
  for (const Query& query : queries) {
    for (const std::string& item : ReadCapabilityList(query.capability, query.item_size, query.pair_half))
      query.list.Add(item);
  }
  if (device_)
    capabilities.SetCopies(system_.DeviceCapabilityValue(*device_, port_, prdcCopies) > 2);
}

std::vector<std::string> TprPrinterInfo::ReadCapabilityList(TprDeviceCapability capability, size_t item_size,
                                                            int pair_half) const {
  // An entry without a device (the "Default" placeholder) has no driver to
  // ask.
  if (!device_)
    return {};
  std::vector<uint8_t> items = system_.QueryDeviceCapability(*device_, port_, capability, item_size);
  if (pair_half != kWholeItem)
    return prDecodeCapabilityPairs(items, pair_half == kSecondOfPair);
  if (item_size == 2)
    return prDecodeCapabilityWords(items);
  return prDecodeCapabilityTexts(items, item_size);
}

TprScreenPrinterInfo::TprScreenPrinterInfo(TprPrintSystem* system)
    : TprPrinterInfo("Screen", true, std::nullopt, std::string("Screen"), std::nullopt, system) {}

TprPrinterCapabilities& TprScreenPrinterInfo::GetCapabilities() {
  std::lock_guard lock(Lock());
  std::unique_ptr<TprPrinterCapabilities>& slot = CapabilitiesSlot();
  if (!slot) {
    auto capabilities = std::make_unique<TprPrinterCapabilities>(Name());
    prFillScreenCapabilities(*capabilities, TprUnitConverter::ForScreen());
    slot = std::move(capabilities);
  }
  return *slot;
}
