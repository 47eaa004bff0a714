#include "printers/printer.h"

#include <mutex>

#include "platform/rtl/text.h"
#include "printers/printer_module.h"
#include "printers/report_helpers.h"

namespace {

const std::string kScreenName = "Screen";
const std::string kDefaultName = "Default";

// The setup's notifications stay off for a scope, whatever way it is left.
class TNotificationsOff {
 public:
  explicit TNotificationsOff(TprPrinterSetup& setup) : setup_(setup) { setup_.SetNotifyEnabled(false); }
  ~TNotificationsOff() { setup_.SetNotifyEnabled(true); }
  TNotificationsOff(const TNotificationsOff&) = delete;
  TNotificationsOff& operator=(const TNotificationsOff&) = delete;

 private:
  TprPrinterSetup& setup_;
};

}  // namespace

TprCustomPrinter::TprCustomPrinter() = default;

TprCustomPrinter::~TprCustomPrinter() {
  std::lock_guard lock(lock_);
  ReleaseContext();
  ReleaseDevMode();
  ReleaseHandle();
}

void TprCustomPrinter::SetPrinterName(const std::string& name) {
  std::lock_guard lock(lock_);
  if (printing_)
    return;
  TprPrinterList& list = prGetPrinterList();
  // The system's default printer may have changed since the list was made.
  if (SameText(name, kDefaultName))
    list.GetDefaultPrinterName();
  std::shared_ptr<TprPrinterInfo> info = list.GetPrinterInfo(name);
  if (!info || !info->Valid())
    info = list.GetPrinterInfo(kScreenName);
  if (!info || info == info_)
    return;
  if (info_) {
    ReleaseContext();
    ReleaseDevMode();
    ReleaseHandle();
  }
  printer_name_ = info->Name();
  info_ = info;
}

std::shared_ptr<TprPrinterInfo> TprCustomPrinter::GetPrinterInfo() {
  std::lock_guard lock(lock_);
  if (!info_)
    SetPrinterName(printer_name_);
  return info_;
}

TprPrinterCapabilities* TprCustomPrinter::GetCapabilities() {
  std::shared_ptr<TprPrinterInfo> info = GetPrinterInfo();
  return info ? &info->GetCapabilities() : nullptr;
}

prdevice::Handle TprCustomPrinter::GetPrinterHandle() {
  std::lock_guard lock(lock_);
  if (printer_handle_ == 0) {
    std::shared_ptr<TprPrinterInfo> info = GetPrinterInfo();
    std::optional<std::string> device = info ? info->Device() : std::nullopt;
    if (device)
      printer_handle_ = prdevice::OpenPrinterHandle(*device);
  }
  return printer_handle_;
}

bool TprCustomPrinter::LoadDevMode() {
  if (dev_mode_)
    return true;
  std::shared_ptr<TprPrinterInfo> info = GetPrinterInfo();
  std::optional<std::string> device = info ? info->Device() : std::nullopt;
  if (!device)
    return false;
  int16_t default_source = 0;
  dev_mode_ = prdevice::ReadDeviceMode(GetPrinterHandle(), *device, default_source);
  if (dev_mode_)
    default_source_ = default_source;
  return dev_mode_.has_value();
}

const std::vector<uint8_t>& TprCustomPrinter::GetDevMode() {
  static const std::vector<uint8_t> kNone;
  std::lock_guard lock(lock_);
  return LoadDevMode() ? *dev_mode_ : kNone;
}

std::vector<uint8_t> TprCustomPrinter::CopyDevMode() {
  std::lock_guard lock(lock_);
  return LoadDevMode() ? *dev_mode_ : std::vector<uint8_t>();
}

void TprCustomPrinter::SetDevMode(const std::vector<uint8_t>& device_mode) {
  std::lock_guard lock(lock_);
  if (printing_)
    reset_pending_ = true;
  else
    ReleaseContext();
  dev_mode_ = device_mode;
}

prdevice::Handle TprCustomPrinter::GetDC() {
  std::lock_guard lock(lock_);
  if (context_ != 0)
    return context_;
  std::shared_ptr<TprPrinterInfo> info = prGetPrinterList().GetPrinterInfo(printer_name_);
  if (!info || !info->Valid())
    return 0;
  if (info_ != info) {
    // The list was refreshed; follow it.
    ReleaseDevMode();
    ReleaseHandle();
    info_ = info;
  }
  bool screen = info->Is(TprScreenPrinterInfo::kClass);
  if (screen && printing_)
    throw EPrintError("Screen printer does not support printing.");
  prdevice::ContextKind kind = screen      ? prdevice::ContextKind::kScreen
                               : printing_ ? prdevice::ContextKind::kDevice
                                           : prdevice::ContextKind::kInformation;
  LoadDevMode();
  std::optional<std::string> device = info->Device();
  prdevice::Handle context = prdevice::CreateContext(kind, info->Driver(), device.value_or(std::string()),
                                                     info->Port(), dev_mode_ ? &*dev_mode_ : nullptr);
  if (context == 0) {
    info->SetValid(false);
    if (printing_ || screen)
      return 0;
    SetPrinterName(kScreenName);
    return GetDC();
  }
  context_ = context;
  context_kind_ = kind;
  metrics_ = prdevice::ReadMetrics(context_, prGetPrintSystem().IsNtFamily());
  return context_;
}

const prdevice::Metrics& TprCustomPrinter::DeviceMetrics() {
  std::lock_guard lock(lock_);
  GetDC();
  return metrics_;
}

int32_t TprCustomPrinter::RightMargin() {
  const prdevice::Metrics& metrics = DeviceMetrics();
  return metrics.physical_width - metrics.physical_offset_x - metrics.printable_width;
}

int32_t TprCustomPrinter::BottomMargin() {
  const prdevice::Metrics& metrics = DeviceMetrics();
  return metrics.physical_height - metrics.physical_offset_y - metrics.printable_height;
}

bool TprCustomPrinter::IsColor() { return DeviceMetrics().color; }

TprPixelsPerInch TprCustomPrinter::PixelsPerInch() {
  std::lock_guard lock(lock_);
  GetDC();
  if (context_ == 0 || metrics_.pixels_per_inch_x <= 0 || metrics_.pixels_per_inch_y <= 0) {
    int32_t screen = prScreenPixelsPerInch();
    return {screen, screen};
  }
  return {metrics_.pixels_per_inch_x, metrics_.pixels_per_inch_y};
}

bool TprCustomPrinter::EnsureForm(const TprFormRequest& form) {
  std::lock_guard lock(lock_);
  if (!prGetPrintSystem().IsNtFamily())
    return false;
  prdevice::Handle printer = GetPrinterHandle();
  return printer != 0 && prdevice::EnsureForm(printer, form);
}

void TprCustomPrinter::FreeResources() {
  std::lock_guard lock(lock_);
  if (printing_)
    return;
  ReleaseContext();
  ReleaseDevMode();
  ReleaseHandle();
}

void TprCustomPrinter::ReleaseContext() {
  if (context_ != 0)
    prdevice::ReleaseContext(context_kind_, context_);
  context_ = 0;
  metrics_ = prdevice::Metrics();
}

void TprCustomPrinter::ReleaseDevMode() { dev_mode_.reset(); }

void TprCustomPrinter::ReleaseHandle() {
  if (printer_handle_ != 0)
    prdevice::ClosePrinterHandle(printer_handle_);
  printer_handle_ = 0;
}

// TprPrinter

TprPrinter::TprPrinter() : setup_(std::make_unique<TprPrinterSetup>()) {
  setup_->OnPageChanged = [this](TprPrinterSetup&) { ApplySetup(); };
  setup_->OnPrinterSettingsChanged = [this](TprPrinterSetup&) { ApplySetup(); };
  setup_->OnGetPrinter = [this]() -> TprCustomPrinter* { return this; };
}

TprPrinter::~TprPrinter() {
  setup_->OnPageChanged = nullptr;
  setup_->OnPrinterSettingsChanged = nullptr;
  setup_->OnGetPrinter = nullptr;
}

void TprPrinter::ApplySetup() {
  std::lock_guard lock(Lock());
  TNotificationsOff quiet(*setup_);
  SetPrinterName(setup_->PrinterName());
  SetDocumentName(setup_->DocumentName());
  std::vector<uint8_t> device_mode = CopyDevMode();
  if (device_mode.empty())
    return;
  TprDeviceModeRequest request =
      prBuildDeviceModeRequest(*setup_, prGetPrintSystem().IsNtFamily(), DriverDefaultSource());
  if (request.form)
    EnsureForm(*request.form);
  std::shared_ptr<TprPrinterInfo> info = GetPrinterInfo();
  std::optional<std::string> device = info ? info->Device() : std::nullopt;
  SetDevMode(prdevice::ApplyDeviceModeRequest(GetPrinterHandle(), device.value_or(std::string()), device_mode,
                                              request));
}
