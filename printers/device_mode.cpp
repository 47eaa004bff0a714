#include "printers/device_mode.h"

#include <algorithm>
#include <limits>
#include <mutex>

#include "platform/rtl/format.h"
#include "platform/rtl/text.h"
#include "printers/paper_tables.h"
#include "printers/printer_setup.h"

namespace {

// Device-mode values are 16-bit.
int16_t ToShort(int64_t value) {
  return static_cast<int16_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

// Paper ids are unsigned 16-bit numbers carried in a signed field.
int16_t PaperIdField(int32_t paper_id) { return static_cast<int16_t>(static_cast<uint16_t>(paper_id)); }

}  // namespace

TprDeviceModeRequest prBuildDeviceModeRequest(const TprPrinterSetup& setup, bool nt_family,
                                              int16_t driver_default_source) {
  TprDeviceModeRequest request;
  TprPageDef page = setup.PageDef();
  bool landscape = setup.Orientation() == poLandscape;
  // The sheet as it goes through the printer: upright.
  int32_t sheet_width = landscape ? page.mmHeight() : page.mmWidth();
  int32_t sheet_height = landscape ? page.mmWidth() : page.mmHeight();
  std::string paper_name = setup.PaperName();
  bool custom = paper_name == "Custom";

  request.fields = kprDmOrientation | kprDmPaperSize | kprDmCopies | kprDmDuplex;
  if (nt_family && custom) {
    request.form = TprFormRequest{paper_name, sheet_width, sheet_height};
    request.form_name = paper_name;
    // The registered form and its size describe the paper. Without its
    // field bit the driver never looks at the form name; and the paper id
    // stays out, because drivers number their own extra papers from 256
    // and would pick one of those instead.
    request.fields |= kprDmFormName;
    request.fields &= ~kprDmPaperSize;
  }

  request.copies = setup.DelegateCopies() && !setup.Collation() ? ToShort(std::max(setup.Copies(), 1)) : 1;
  request.duplex = static_cast<int16_t>(setup.Duplex() + 1);
  request.orientation = static_cast<int16_t>(setup.Orientation() + 1);
  int32_t paper_number = setup.GetPaperNumber();
  request.paper_size = PaperIdField(paper_number);

  if (custom || paper_number == kprCustomPaper) {
    request.fields |= kprDmPaperLength | kprDmPaperWidth;
    TprUnitConverter converter(prScreenPixelsPerInch());
    request.paper_width = ToShort(converter.ToTenthsMM(prutMMThousandths, TprAxis::kX, sheet_width));
    request.paper_length = ToShort(converter.ToTenthsMM(prutMMThousandths, TprAxis::kY, sheet_height));
  }

  std::shared_ptr<TprPrinterInfo> info = setup.PrinterInfo();
  if (info) {
    std::lock_guard lock(info->Lock());
    const TprPrinterCapabilities& capabilities = info->GetCapabilities();
    std::string bin_name = setup.BinName();
    int32_t bin = capabilities.BinNames().IndexOf(bin_name);
    if (bin >= 0 && bin < capabilities.BinNumbers().Count()) {
      request.default_source = SameText(bin_name, "Default")
                                   ? driver_default_source
                                   : ToShort(StrToIntDef(capabilities.BinNumbers().Line(bin), 0));
      request.fields |= kprDmDefaultSource;
    }
  }
  return request;
}
