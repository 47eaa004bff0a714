#pragma once
// TPrinter: the process's printer object over winspool and GDI. Printers are
// numbered in the system's enumeration order (local printers and printer
// connections), the same order the printer-information library lists them;
// index -1 stands for the system's default printer.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/object.h"
#include "platform/rtl/strings.h"

class EPrinter : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "EPrinter"; }
};

class TPrinter : public TObject {
 public:
  static constexpr TClass kClass{"TPrinter", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TPrinter();
  ~TPrinter() override;

  // The installed printers' names, in the system's order.
  const TStringList& Printers();
  // Reads the system's printers again; the selection goes back to the
  // default printer.
  void Refresh();

  int32_t PrinterIndex() const { return printer_index_; }
  // -1 selects the default printer; anything outside -1 .. count - 1 raises
  // EPrinter "Druckerindex außerhalb des zulässigen Bereichs".
  void SetPrinterIndex(int32_t index);

  // The selected printer's device, driver and port names and a copy of its
  // device mode (a movable global block the caller frees, or null). On the
  // NT family the device is the printer's name and driver and port are
  // empty.
  void GetPrinter(std::string& device, std::string& driver, std::string& port, HGLOBAL* device_mode = nullptr);
  // Selects the printer named `device`, adding it when it is not listed;
  // the device mode (may be null) is copied.
  void SetPrinter(const std::string& device, const std::string& driver, const std::string& port,
                  HGLOBAL device_mode);

  // A print job on the selected printer.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  int32_t Copies() const { return copies_; }
  void SetCopies(int32_t copies) { copies_ = copies < 1 ? 1 : copies; }
  bool Printing() const { return printing_; }
  void BeginDoc();
  void NewPage();
  void EndDoc();
  void Abort();
  // The job's device context while printing; raises EPrinter otherwise.
  HDC Handle() const;
  int32_t PageNumber() const { return page_number_; }
  int32_t PageWidth() const;
  int32_t PageHeight() const;

 private:
  void EnsureListed();
  std::string SelectedName() const;
  void CheckNotPrinting() const;
  void CheckPrinting() const;

  TStringList printers_;
  bool listed_ = false;
  int32_t printer_index_ = -1;
  std::string title_;
  int32_t copies_ = 1;
  bool printing_ = false;
  int32_t page_number_ = 0;
  HDC dc_ = nullptr;
  std::string custom_device_;
  std::unique_ptr<std::string> device_mode_;  // a copy of the bytes, when set
};

// The process-wide printer object, created on first use.
TPrinter* Printer();
// Replaces the process-wide printer object and returns the old one (which
// the caller then owns).
std::unique_ptr<TPrinter> SetPrinterObject(std::unique_ptr<TPrinter> printer);
