#include <windows.h>
#include <winspool.h>

#include <cstring>
#include <memory>

#include "printers/printer_device.h"

namespace prdevice {

namespace {

HANDLE AsPrinter(Handle handle) { return reinterpret_cast<HANDLE>(handle); }
HDC AsContext(Handle handle) { return reinterpret_cast<HDC>(handle); }
Handle FromPointer(void* pointer) { return reinterpret_cast<Handle>(pointer); }

// A device mode block is at least the public part the driver declares.
bool IsDeviceMode(const std::vector<uint8_t>& block) {
  if (block.size() < offsetof(DEVMODEA, dmFields) + sizeof(DWORD))
    return false;
  DEVMODEA header;
  std::memcpy(&header, block.data(), std::min(block.size(), sizeof(header)));
  return header.dmSize >= offsetof(DEVMODEA, dmDuplex) + sizeof(short) &&
         static_cast<size_t>(header.dmSize) + header.dmDriverExtra <= block.size();
}

char* Writable(const std::string& text) { return const_cast<char*>(text.c_str()); }

}  // namespace

Handle OpenPrinterHandle(const std::string& device) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(Writable(device), &printer, nullptr))
    return 0;
  return FromPointer(printer);
}

void ClosePrinterHandle(Handle printer) {
  if (printer != 0)
    ClosePrinter(AsPrinter(printer));
}

std::optional<std::vector<uint8_t>> ReadDeviceMode(Handle printer, const std::string& device,
                                                   int16_t& default_source) {
  LONG size = DocumentPropertiesA(nullptr, AsPrinter(printer), Writable(device), nullptr, nullptr, 0);
  // A driver that answers an error, or an absurd size, gives no device mode.
  if (size < static_cast<LONG>(sizeof(DEVMODEA)) || size > 1024 * 1024)
    return std::nullopt;
  std::vector<uint8_t> block(static_cast<size_t>(size), 0);
  if (DocumentPropertiesA(nullptr, AsPrinter(printer), Writable(device), reinterpret_cast<DEVMODEA*>(block.data()),
                          nullptr, DM_OUT_BUFFER) != IDOK ||
      !IsDeviceMode(block))
    return std::nullopt;
  default_source = reinterpret_cast<const DEVMODEA*>(block.data())->dmDefaultSource;
  return block;
}

std::vector<uint8_t> ApplyDeviceModeRequest(Handle printer, const std::string& device,
                                            const std::vector<uint8_t>& device_mode,
                                            const TprDeviceModeRequest& request) {
  if (!IsDeviceMode(device_mode))
    return device_mode;
  std::vector<uint8_t> input = device_mode;
  auto* mode = reinterpret_cast<DEVMODEA*>(input.data());
  // Only what the request names is changed; the driver keeps the rest.
  mode->dmFields = request.fields;
  mode->dmOrientation = request.orientation;
  mode->dmPaperSize = request.paper_size;
  mode->dmCopies = request.copies;
  mode->dmDuplex = request.duplex;
  if (request.fields & kprDmPaperLength)
    mode->dmPaperLength = request.paper_length;
  if (request.fields & kprDmPaperWidth)
    mode->dmPaperWidth = request.paper_width;
  if (request.fields & kprDmDefaultSource)
    mode->dmDefaultSource = request.default_source;
  if (request.fields & kprDmFormName) {
    std::memset(mode->dmFormName, 0, sizeof(mode->dmFormName));
    std::memcpy(mode->dmFormName, request.form_name.data(),
                std::min(request.form_name.size(), sizeof(mode->dmFormName) - 1));
  }
  // The driver checks the request and answers its own version of it.
  std::vector<uint8_t> output(input.size() + 1024, 0);
  LONG size = DocumentPropertiesA(nullptr, AsPrinter(printer), Writable(device), nullptr, nullptr, 0);
  if (size > 0 && static_cast<size_t>(size) > output.size())
    output.resize(static_cast<size_t>(size));
  if (DocumentPropertiesA(nullptr, AsPrinter(printer), Writable(device), reinterpret_cast<DEVMODEA*>(output.data()),
                          reinterpret_cast<DEVMODEA*>(input.data()), DM_IN_BUFFER | DM_OUT_BUFFER) != IDOK)
    return input;
  const auto* answer = reinterpret_cast<const DEVMODEA*>(output.data());
  size_t used = static_cast<size_t>(answer->dmSize) + answer->dmDriverExtra;
  if (used < sizeof(DEVMODEA) || used > output.size())
    return input;
  output.resize(used);
  return output;
}

std::optional<TprDeviceModeRequest> ReadDeviceModeFields(const std::vector<uint8_t>& device_mode) {
  if (!IsDeviceMode(device_mode))
    return std::nullopt;
  DEVMODEA mode;
  std::memcpy(&mode, device_mode.data(), std::min(device_mode.size(), sizeof(mode)));
  TprDeviceModeRequest fields;
  fields.fields = mode.dmFields;
  fields.orientation = mode.dmOrientation;
  fields.paper_size = mode.dmPaperSize;
  fields.paper_length = mode.dmPaperLength;
  fields.paper_width = mode.dmPaperWidth;
  fields.copies = mode.dmCopies;
  fields.duplex = mode.dmDuplex;
  fields.default_source = mode.dmDefaultSource;
  fields.form_name.assign(reinterpret_cast<const char*>(mode.dmFormName),
                          strnlen(reinterpret_cast<const char*>(mode.dmFormName), sizeof(mode.dmFormName)));
  return fields;
}

Handle CreateContext(ContextKind kind, const std::optional<std::string>& driver, const std::string& device,
                     const std::optional<std::string>& port, const std::vector<uint8_t>* device_mode) {
  if (kind == ContextKind::kScreen)
    return FromPointer(GetDC(nullptr));
  const DEVMODEA* mode = device_mode != nullptr && IsDeviceMode(*device_mode)
                             ? reinterpret_cast<const DEVMODEA*>(device_mode->data())
                             : nullptr;
  const char* driver_name = driver ? driver->c_str() : nullptr;
  const char* port_name = port ? port->c_str() : nullptr;
  HDC context = kind == ContextKind::kDevice ? CreateDCA(driver_name, device.c_str(), port_name, mode)
                                             : CreateICA(driver_name, device.c_str(), port_name, mode);
  return FromPointer(context);
}

void ReleaseContext(ContextKind kind, Handle context) {
  if (context == 0)
    return;
  if (kind == ContextKind::kScreen)
    ReleaseDC(nullptr, AsContext(context));
  else
    DeleteDC(AsContext(context));
}

Metrics ReadMetrics(Handle context, bool nt_family) {
  HDC dc = AsContext(context);
  Metrics metrics;
  metrics.pixels_per_inch_x = GetDeviceCaps(dc, LOGPIXELSX);
  metrics.pixels_per_inch_y = GetDeviceCaps(dc, LOGPIXELSY);
  metrics.physical_width = GetDeviceCaps(dc, PHYSICALWIDTH);
  metrics.physical_height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  metrics.printable_width = GetDeviceCaps(dc, HORZRES);
  metrics.printable_height = GetDeviceCaps(dc, VERTRES);
  metrics.physical_offset_x = GetDeviceCaps(dc, PHYSICALOFFSETX);
  metrics.physical_offset_y = GetDeviceCaps(dc, PHYSICALOFFSETY);
  // A device with a palette of two colours and two colours is monochrome.
  metrics.color = !(nt_family && GetDeviceCaps(dc, SIZEPALETTE) == 2 && GetDeviceCaps(dc, NUMCOLORS) == 2);
  return metrics;
}

bool EnsureForm(Handle printer, const TprFormRequest& form) {
  FORM_INFO_1A wanted{};
  wanted.Flags = FORM_USER;
  wanted.pName = Writable(form.name);
  wanted.Size = {form.width, form.height};
  wanted.ImageableArea = {0, 0, form.width, form.height};

  DWORD needed = 0;
  GetFormA(AsPrinter(printer), wanted.pName, 1, nullptr, 0, &needed);
  if (needed >= sizeof(FORM_INFO_1A)) {
    std::vector<BYTE> buffer(needed);
    if (GetFormA(AsPrinter(printer), wanted.pName, 1, buffer.data(), needed, &needed)) {
      const auto* existing = reinterpret_cast<const FORM_INFO_1A*>(buffer.data());
      bool same = existing->Size.cx == wanted.Size.cx && existing->Size.cy == wanted.Size.cy &&
                  existing->ImageableArea.left == 0 && existing->ImageableArea.top == 0 &&
                  existing->ImageableArea.right == wanted.ImageableArea.right &&
                  existing->ImageableArea.bottom == wanted.ImageableArea.bottom;
      return same || SetFormA(AsPrinter(printer), wanted.pName, 1, reinterpret_cast<BYTE*>(&wanted));
    }
  }
  return AddFormA(AsPrinter(printer), 1, reinterpret_cast<BYTE*>(&wanted));
}

}  // namespace prdevice
