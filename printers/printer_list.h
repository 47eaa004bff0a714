#pragma once
// TprPrinterList: the printers the system offers, in this order:
//   0  "Default"  the system's default printer (an entry without a device)
//   1  "Screen"   the screen pseudo-printer
//   2… the installed printers in the print system's enumeration order,
//      which is the order in which the platform's printer object numbers
//      them (the print run selects a printer by list position minus one).
// Each entry has an info object (TprPrinterInfo) with the printer's names
// and capabilities.
//
// The printer module keeps one process-wide list (printer_module.h) for
// its printer object and printer setups; the application builds its own.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/strings.h"
#include "platform/rtl/thread.h"
#include "printers/print_system.h"
#include "printers/printer_info.h"

class TprPrinterList : public TObject {
 public:
  static constexpr TClass kClass{"TprPrinterList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Fills the list from `system` (the operating system's unless given) and
  // determines the default printer.
  explicit TprPrinterList(TprPrintSystem* system = nullptr);
  ~TprPrinterList() override;

  // Rebuilds the entries from the print system.
  void Refresh();

  int32_t Count() const;
  // A copy of the entry names, in list order.
  std::vector<std::string> Names() const;
  // The names as lines whose objects are the info objects (which live as
  // long as their entry), for filling a combo box.
  void GetNames(TStrings& lines) const;
  std::shared_ptr<TprPrinterInfo> Info(int32_t index) const;

  // The info object for a printer name; "Default" (in any letter case)
  // means the default printer. A name that is not listed falls back to the
  // printer whose device matches the part before " on", then to the
  // default printer. Never the device-less "Default" entry; none only when
  // the list is empty.
  std::shared_ptr<TprPrinterInfo> GetPrinterInfo(std::string_view name) const;

  // Determines the default printer from the user profile, stores and
  // returns it: the entry whose device is the profile's device, else
  // "Screen".
  std::string GetDefaultPrinterName();
  std::string DefaultPrinterName() const;

  // The first entry whose device equals `device` (letter case ignored); an
  // entry without a device counts as having its predecessor's. Empty when
  // none matches or `device` is empty.
  std::string PrinterNameForDevice(std::string_view device) const;

  // Frees the info objects of all entries (the names stay); entries then
  // have no info until the next Refresh.
  void FreePrinterInfos();

  // Clears `list` and adds the comma-separated elements of `text`, each
  // without its leading blanks.
  static void SplitCommaList(std::string_view text, TStrings& list);

  // Called when a refresh discards entries (the process-wide list uses it
  // to drop the process-wide printer object).
  std::function<void()> OnEntriesDiscarded;

 private:
  struct Entry {
    std::string name;
    std::shared_ptr<TprPrinterInfo> info;
  };

  void AddEnumeratedPrinter(const TprEnumeratedPrinter& printer, TprEnumerationLevel level);
  int32_t IndexOfName(std::string_view name) const;
  int32_t IndexOfDeviceOnPort(std::string_view name) const;
  std::string NameForDeviceLocked(std::string_view device) const;

  TprPrintSystem& system_;
  std::vector<Entry> entries_;
  std::string default_printer_name_;
  mutable TCriticalSection lock_;
};
