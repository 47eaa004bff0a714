#pragma once
// TprCustomPrinter: a printer of the report library - the current printer
// of the process-wide printer list, its handle, device mode, device or
// information context and device metrics, each made on first request and
// released when the printer changes. TprPrinter adds a printer setup whose
// changes it turns into its device mode.
//
// A printer whose context cannot be made is marked not valid in the list,
// and the printer falls back to the screen pseudo-printer.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/thread.h"
#include "printers/printer_device.h"
#include "printers/printer_info.h"
#include "printers/printer_setup.h"
#include "printers/units.h"

class TprCustomPrinter : public TObject, public IprPixelDevice {
 public:
  static constexpr TClass kClass{"TprCustomPrinter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TprCustomPrinter();
  ~TprCustomPrinter() override;

  const std::string& PrinterName() const { return printer_name_; }
  // Ignored while printing. A name the list does not know, or a printer
  // marked not valid, selects "Screen"; "Default" the system's default
  // printer as it is now.
  void SetPrinterName(const std::string& name);

  std::shared_ptr<TprPrinterInfo> GetPrinterInfo();
  TprPrinterCapabilities* GetCapabilities();

  prdevice::Handle GetPrinterHandle();
  // The driver's device mode, read on first request; empty when the driver
  // gives none.
  const std::vector<uint8_t>& GetDevMode();
  std::vector<uint8_t> CopyDevMode();
  // Replaces the device mode by a copy of `device_mode`; the context is
  // made again with it (while printing, at the next page).
  void SetDevMode(const std::vector<uint8_t>& device_mode);
  int16_t DriverDefaultSource() const { return default_source_; }

  // The device context while printing, else an information context; 0 when
  // none can be made. Raises EPrintError for the screen while printing.
  prdevice::Handle GetDC();
  const prdevice::Metrics& DeviceMetrics();
  // The unprintable margins at the right and bottom edge, in device pixels.
  int32_t RightMargin();
  int32_t BottomMargin();
  bool IsColor();

  // The device's resolution (the context is made for it), or the screen's
  // when no context can be had.
  TprPixelsPerInch PixelsPerInch() override;
  TprPixelsPerInch GetPixelsPerInch() { return PixelsPerInch(); }

  // Registers a custom paper size as a printer form (systems with forms).
  bool EnsureForm(const TprFormRequest& form);
  // Releases context, device mode and handle unless printing.
  void FreeResources();

  bool Printing() const { return printing_; }
  bool ResetPending() const { return reset_pending_; }
  const std::string& DocumentName() const { return document_name_; }
  void SetDocumentName(const std::string& name) { document_name_ = name; }

  TCriticalSection& Lock() const { return lock_; }

 protected:
  // A print engine derived from this class opens and closes the print job.
  void SetPrinting(bool printing) { printing_ = printing; }

 private:
  void ReleaseContext();
  void ReleaseDevMode();
  void ReleaseHandle();
  bool LoadDevMode();

  std::string printer_name_ = "Default";
  std::shared_ptr<TprPrinterInfo> info_;
  prdevice::Handle printer_handle_ = 0;
  std::optional<std::vector<uint8_t>> dev_mode_;
  int16_t default_source_ = 0;
  prdevice::Handle context_ = 0;
  prdevice::ContextKind context_kind_ = prdevice::ContextKind::kInformation;
  bool printing_ = false;
  bool reset_pending_ = false;
  std::string document_name_;
  prdevice::Metrics metrics_;
  mutable TCriticalSection lock_;
};

class TprPrinter : public TprCustomPrinter {
 public:
  static constexpr TClass kClass{"TprPrinter", &TprCustomPrinter::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TprPrinter();
  ~TprPrinter() override;

  TprPrinterSetup& PrinterSetup() { return *setup_; }

  // Turns the setup into the device mode: printer, paper (a custom paper
  // as a registered form), size, orientation, copies, duplex and bin. The
  // setup's notifications stay off meanwhile.
  void ApplySetup();

 private:
  std::unique_ptr<TprPrinterSetup> setup_;
};
