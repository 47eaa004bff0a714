#include "platform/toolkit/printers.h"

#include <winspool.h>
// winspool names two of its functions like TPrinter's operations; this file
// never calls them.
#undef GetPrinter
#undef SetPrinter

#include <cstring>
#include <vector>

#include "platform/rtl/text.h"

namespace {

std::unique_ptr<TPrinter>& ProcessPrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

// The system's printers in its enumeration order: local ones and printer
// connections, information level 4 (names only).
std::vector<std::string> EnumeratePrinterNames() {
  std::vector<std::string> names;
  DWORD needed = 0;
  DWORD count = 0;
  constexpr DWORD kFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
  EnumPrintersW(kFlags, nullptr, 4, nullptr, 0, &needed, &count);
  if (needed == 0)
    return names;
  std::vector<BYTE> buffer(needed);
  if (!EnumPrintersW(kFlags, nullptr, 4, buffer.data(), needed, &needed, &count))
    return names;
  const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (info[i].pPrinterName)
      names.push_back(Utf16ToUtf8(reinterpret_cast<const char16_t*>(info[i].pPrinterName)));
  }
  return names;
}

std::string DefaultPrinterName() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0)
    return {};
  std::u16string name(size, u'\0');
  if (!GetDefaultPrinterW(reinterpret_cast<wchar_t*>(name.data()), &size))
    return {};
  name.resize(size > 0 ? size - 1 : 0);
  return Utf16ToUtf8(name);
}

// The printer's own device mode, as its driver fills it.
std::string DriverDeviceMode(const std::string& device) {
  std::u16string wide = Utf8ToUtf16(device);
  auto* name = reinterpret_cast<wchar_t*>(wide.data());
  HANDLE handle = nullptr;
  if (!OpenPrinterW(name, &handle, nullptr))
    return {};
  std::string bytes;
  const LONG size = DocumentPropertiesW(nullptr, handle, name, nullptr, nullptr, 0);
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size));
    if (DocumentPropertiesW(nullptr, handle, name, reinterpret_cast<DEVMODEW*>(bytes.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK)
      bytes.clear();
  }
  ClosePrinter(handle);
  return bytes;
}

HGLOBAL CopyToGlobal(const std::string& bytes) {
  if (bytes.empty())
    return nullptr;
  HGLOBAL block = GlobalAlloc(GHND, bytes.size());
  if (!block)
    return nullptr;
  std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
  GlobalUnlock(block);
  return block;
}

}  // namespace

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (printing_)
    Abort();
}

const TStringList& TPrinter::Printers() {
  EnsureListed();
  return printers_;
}

void TPrinter::EnsureListed() {
  if (listed_)
    return;
  printers_.Clear();
  for (const std::string& name : EnumeratePrinterNames())
    printers_.Add(name);
  listed_ = true;
}

void TPrinter::Refresh() {
  CheckNotPrinting();
  listed_ = false;
  printer_index_ = -1;
  custom_device_.clear();
  device_mode_.reset();
}

void TPrinter::SetPrinterIndex(int32_t index) {
  CheckNotPrinting();
  EnsureListed();
  if (index < -1 || index >= printers_.Count())
    throw EPrinter("Druckerindex außerhalb des zulässigen Bereichs");
  printer_index_ = index;
  device_mode_.reset();
}

std::string TPrinter::SelectedName() const {
  if (printer_index_ < 0)
    return DefaultPrinterName();
  return printers_.Get(printer_index_);
}

void TPrinter::GetPrinter(std::string& device, std::string& driver, std::string& port, HGLOBAL* device_mode) {
  EnsureListed();
  device = SelectedName();
  driver.clear();
  port.clear();
  if (device_mode)
    *device_mode = CopyToGlobal(device_mode_ ? *device_mode_ : DriverDeviceMode(device));
}

void TPrinter::SetPrinter(const std::string& device, const std::string&, const std::string&,
                          HGLOBAL device_mode) {
  CheckNotPrinting();
  EnsureListed();
  int32_t index = printers_.IndexOf(device);
  if (index < 0)
    index = printers_.Add(device);
  printer_index_ = index;
  device_mode_.reset();
  if (device_mode) {
    const auto* bytes = static_cast<const char*>(GlobalLock(device_mode));
    if (bytes)
      device_mode_ = std::make_unique<std::string>(bytes, GlobalSize(device_mode));
    GlobalUnlock(device_mode);
  }
}

void TPrinter::BeginDoc() {
  CheckNotPrinting();
  EnsureListed();
  const std::string device = SelectedName();
  std::string mode = device_mode_ ? *device_mode_ : DriverDeviceMode(device);
  if (!mode.empty() && copies_ > 1) {
    auto* devmode = reinterpret_cast<DEVMODEW*>(mode.data());
    devmode->dmCopies = static_cast<short>(copies_);
    devmode->dmFields |= DM_COPIES;
  }
  const std::u16string wide_device = Utf8ToUtf16(device);
  dc_ = CreateDCW(L"WINSPOOL", reinterpret_cast<const wchar_t*>(wide_device.c_str()), nullptr,
                  mode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(mode.data()));
  if (!dc_)
    throw EPrinter("Der Drucker " + device + " kann nicht geöffnet werden.");
  const std::u16string wide_title = Utf8ToUtf16(title_);
  DOCINFOW info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = reinterpret_cast<const wchar_t*>(wide_title.c_str());
  if (StartDocW(dc_, &info) <= 0 || StartPage(dc_) <= 0) {
    DeleteDC(dc_);
    dc_ = nullptr;
    throw EPrinter("Der Druckauftrag für " + device + " konnte nicht begonnen werden.");
  }
  printing_ = true;
  page_number_ = 1;
}

void TPrinter::NewPage() {
  CheckPrinting();
  EndPage(dc_);
  StartPage(dc_);
  ++page_number_;
}

void TPrinter::EndDoc() {
  CheckPrinting();
  EndPage(dc_);
  ::EndDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
  printing_ = false;
  page_number_ = 0;
}

void TPrinter::Abort() {
  CheckPrinting();
  AbortDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
  printing_ = false;
  page_number_ = 0;
}

HDC TPrinter::Handle() const {
  CheckPrinting();
  return dc_;
}

int32_t TPrinter::PageWidth() const { return GetDeviceCaps(Handle(), HORZRES); }
int32_t TPrinter::PageHeight() const { return GetDeviceCaps(Handle(), VERTRES); }

void TPrinter::CheckNotPrinting() const {
  if (printing_)
    throw EPrinter("Druckvorgang läuft");
}

void TPrinter::CheckPrinting() const {
  if (!printing_)
    throw EPrinter("Der Drucker druckt zurzeit nicht");
}

TPrinter* Printer() {
  auto& printer = ProcessPrinter();
  if (!printer)
    printer = std::make_unique<TPrinter>();
  return printer.get();
}

std::unique_ptr<TPrinter> SetPrinterObject(std::unique_ptr<TPrinter> printer) {
  auto& current = ProcessPrinter();
  std::swap(current, printer);
  return printer;
}
