#include "printers/printer_list.h"

#include <mutex>

#include "platform/rtl/text.h"

namespace {

const std::string kDefaultEntry = "Default";
const std::string kScreenEntry = "Screen";

bool IsLocal(uint32_t attributes) {
  // Only a network connection as such is remote; a shared local printer
  // carries more attributes and stays local.
  return attributes != kprPrinterAttributeNetwork;
}

}  // namespace

TprPrinterList::TprPrinterList(TprPrintSystem* system)
    : system_(system != nullptr ? *system : prOperatingSystemPrintSystem()) {
  Refresh();
  GetDefaultPrinterName();
}

TprPrinterList::~TprPrinterList() {
  std::lock_guard lock(lock_);
  entries_.clear();
}

void TprPrinterList::Refresh() {
  std::lock_guard lock(lock_);
  if (OnEntriesDiscarded)
    OnEntriesDiscarded();
  entries_.clear();
  entries_.push_back({kDefaultEntry, std::make_shared<TprPrinterInfo>(kDefaultEntry, true, std::nullopt, std::nullopt,
                                                                      std::nullopt, &system_)});
  entries_.push_back({kScreenEntry, std::make_shared<TprScreenPrinterInfo>(&system_)});

  TprEnumerationLevel level = system_.IsNtFamily() ? TprEnumerationLevel::kNamesAndAttributes
                                                   : TprEnumerationLevel::kNamesAndPorts;
  for (const TprEnumeratedPrinter& printer : system_.EnumeratePrinters(level))
    AddEnumeratedPrinter(printer, level);
}

void TprPrinterList::AddEnumeratedPrinter(const TprEnumeratedPrinter& printer, TprEnumerationLevel level) {
  bool local = IsLocal(printer.attributes);
  if (level == TprEnumerationLevel::kNamesAndAttributes) {
    entries_.push_back({printer.name, std::make_shared<TprPrinterInfo>(printer.name, local, std::nullopt, printer.name,
                                                                       std::nullopt, &system_)});
    return;
  }
  // Older systems list a printer once with all its ports; each port is an
  // entry of its own.
  TStringList ports;
  SplitCommaList(printer.port_names, ports);
  for (int32_t i = 0; i < ports.Count(); ++i) {
    entries_.push_back({printer.name, std::make_shared<TprPrinterInfo>(printer.name, local, ports.Line(i),
                                                                       printer.name, std::nullopt, &system_)});
  }
}

int32_t TprPrinterList::Count() const {
  std::lock_guard lock(lock_);
  return static_cast<int32_t>(entries_.size());
}

std::vector<std::string> TprPrinterList::Names() const {
  std::lock_guard lock(lock_);
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const Entry& entry : entries_)
    names.push_back(entry.name);
  return names;
}

void TprPrinterList::GetNames(TStrings& lines) const {
  std::lock_guard lock(lock_);
  lines.Clear();
  for (const Entry& entry : entries_)
    lines.AddObject(entry.name, entry.info.get());
}

std::shared_ptr<TprPrinterInfo> TprPrinterList::Info(int32_t index) const {
  std::lock_guard lock(lock_);
  if (index < 0 || index >= static_cast<int32_t>(entries_.size()))
    return nullptr;
  return entries_[static_cast<size_t>(index)].info;
}

int32_t TprPrinterList::IndexOfName(std::string_view name) const {
  if (name.empty())
    return -1;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (AnsiSameText(entries_[i].name, name))
      return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t TprPrinterList::IndexOfDeviceOnPort(std::string_view name) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].name == kDefaultEntry || !entries_[i].info)
      continue;
    if (entries_[i].info->GetDeviceOnPort() == name)
      return static_cast<int32_t>(i);
  }
  return -1;
}

std::shared_ptr<TprPrinterInfo> TprPrinterList::GetPrinterInfo(std::string_view name) const {
  std::lock_guard lock(lock_);
  // Only the exact name "Default" stands for the default printer; another
  // letter case finds the entry of that name itself, which has no device.
  int32_t index = name == kDefaultEntry ? IndexOfName(default_printer_name_) : IndexOfName(name);
  if (index < 0 && name.find("on") != std::string_view::npos) {
    size_t on = name.find(" on");
    std::string_view device = on == std::string_view::npos ? std::string_view() : name.substr(0, on);
    index = IndexOfName(NameForDeviceLocked(device));
  }
  if (index < 0 && !system_.IsNtFamily())
    index = IndexOfDeviceOnPort(name);
  if (index < 0)
    index = IndexOfName(default_printer_name_);
  // The default printer may have gone since it was determined.
  if (index < 0)
    index = IndexOfName(kScreenEntry);
  if (index < 0)
    return nullptr;
  return entries_[static_cast<size_t>(index)].info;
}

std::string TprPrinterList::GetDefaultPrinterName() {
  std::lock_guard lock(lock_);
  TStringList elements;
  SplitCommaList(system_.DefaultDeviceProfile(), elements);
  std::string device = elements.Count() > 0 ? elements.Line(0) : std::string();
  if (device.empty())
    device = kScreenEntry;
  std::string name = NameForDeviceLocked(device);
  if (name.empty())
    name = NameForDeviceLocked(kScreenEntry);
  if (name.empty())
    name = kScreenEntry;
  default_printer_name_ = name;
  return name;
}

std::string TprPrinterList::DefaultPrinterName() const {
  std::lock_guard lock(lock_);
  return default_printer_name_;
}

std::string TprPrinterList::PrinterNameForDevice(std::string_view device) const {
  std::lock_guard lock(lock_);
  return NameForDeviceLocked(device);
}

std::string TprPrinterList::NameForDeviceLocked(std::string_view device) const {
  // An empty device would match the device-less "Default" entry, which
  // stands for no printer of its own.
  if (device.empty())
    return {};
  std::string previous_device;
  for (const Entry& entry : entries_) {
    std::optional<std::string> own = entry.info ? entry.info->Device() : std::nullopt;
    std::string entry_device = own ? *own : previous_device;
    if (AnsiSameText(entry_device, device))
      return entry.name;
    previous_device = entry_device;
  }
  return {};
}

void TprPrinterList::FreePrinterInfos() {
  std::lock_guard lock(lock_);
  for (Entry& entry : entries_)
    entry.info.reset();
}

void TprPrinterList::SplitCommaList(std::string_view text, TStrings& list) {
  list.Clear();
  // Everything after a terminating zero is not part of the text (profile
  // values come from fixed buffers).
  text = text.substr(0, text.find('\0'));
  size_t start = 0;
  while (start < text.size()) {
    size_t comma = text.find(',', start);
    size_t end = comma == std::string_view::npos ? text.size() : comma;
    std::string_view element = text.substr(start, end - start);
    element.remove_prefix(std::min(element.find_first_not_of(' '), element.size()));
    list.Add(std::string(element));
    if (comma == std::string_view::npos)
      break;
    start = comma + 1;
  }
}
