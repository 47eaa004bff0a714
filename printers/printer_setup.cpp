#include "printers/printer_setup.h"

#include <cmath>
#include <mutex>
#include <utility>

#include "platform/rtl/filer.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "printers/paper_tables.h"
#include "printers/printer.h"
#include "printers/printer_module.h"
#include "printers/report_helpers.h"

namespace {

const std::string kCustomPaper = "Custom";
const std::string kDefaultName = "Default";
const std::string kCurrentName = "Current";

// A length a setter can take: not negative, and a number.
bool IsUsableLength(float value) { return value >= 0; }

int32_t NumberAt(const TStringList& list, int32_t index) { return StrToIntDef(list.Line(index), 0); }

// Reading the capability lists of a printer happens under its lock.
class TCapabilitiesReader {
 public:
  explicit TCapabilitiesReader(const std::shared_ptr<TprPrinterInfo>& info) : info_(info) {
    if (info_) {
      info_->Lock().Acquire();
      capabilities_ = &info_->GetCapabilities();
    }
  }
  ~TCapabilitiesReader() {
    if (info_)
      info_->Lock().Release();
  }
  TCapabilitiesReader(const TCapabilitiesReader&) = delete;
  TCapabilitiesReader& operator=(const TCapabilitiesReader&) = delete;

  const TprPrinterCapabilities* operator->() const { return capabilities_; }
  explicit operator bool() const { return capabilities_ != nullptr; }

 private:
  std::shared_ptr<TprPrinterInfo> info_;
  const TprPrinterCapabilities* capabilities_ = nullptr;
};

}  // namespace

void TprPrinterSetup::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TprPrinterSetup>();
  p.String("BinName", &TprPrinterSetup::BinName, &TprPrinterSetup::SetBinName);
  p.Boolean("Collation", &TprPrinterSetup::Collation, &TprPrinterSetup::SetCollation, true);
  p.Integer("Copies", &TprPrinterSetup::Copies, &TprPrinterSetup::SetCopies, 1);
  p.String("DocumentName", &TprPrinterSetup::DocumentName, &TprPrinterSetup::SetDocumentName);
  p.Enumeration("Duplex", &TprPrinterSetup::Duplex, &TprPrinterSetup::SetDuplex,
                {"dpNone", "dpHorizontal", "dpVertical"}, std::optional<TprDuplexType>(dpNone));
  p.Float("MarginBottom", &TprPrinterSetup::MarginBottom, &TprPrinterSetup::SetMarginBottom);
  p.Float("MarginLeft", &TprPrinterSetup::MarginLeft, &TprPrinterSetup::SetMarginLeft);
  p.Float("MarginRight", &TprPrinterSetup::MarginRight, &TprPrinterSetup::SetMarginRight);
  p.Float("MarginTop", &TprPrinterSetup::MarginTop, &TprPrinterSetup::SetMarginTop);
  p.Enumeration("Orientation", &TprPrinterSetup::Orientation, &TprPrinterSetup::SetOrientation,
                {"poPortrait", "poLandscape"}, std::optional<TPrinterOrientation>(poPortrait));
  p.Float("PaperHeight", &TprPrinterSetup::PaperHeight, &TprPrinterSetup::SetPaperHeight);
  p.String("PaperName", &TprPrinterSetup::PaperName, &TprPrinterSetup::SetPaperName);
  p.Float("PaperWidth", &TprPrinterSetup::PaperWidth, &TprPrinterSetup::SetPaperWidth);
  p.String("PrinterName", &TprPrinterSetup::PrinterName, &TprPrinterSetup::SetPrinterName);
}

TprPrinterSetup::TprPrinterSetup(TComponent* owner) : owner_(owner) {
  // Where numbers are written with a decimal point, pages are Letter;
  // elsewhere A4.
  if (UserLocale().Settings().DecimalSeparator == '.') {
    page_.SetmmWidth(215900);
    page_.SetmmHeight(279401);
  } else {
    page_.SetmmWidth(210000);
    page_.SetmmHeight(297000);
  }
  page_.SetmmMarginLeft(6350);
  page_.SetmmMarginRight(6350);
  page_.SetmmMarginTop(6350);
  page_.SetmmMarginBottom(6350);
  info_ = prGetPrinterList().GetPrinterInfo(printer_name_);
}

TprPrinterSetup::~TprPrinterSetup() = default;

// Notifications

bool TprPrinterSetup::OwnerReading() const {
  return owner_ != nullptr && owner_->ComponentState().Contains(csReading);
}

bool TprPrinterSetup::MayNotify() const {
  if (!notify_)
    return false;
  return owner_ == nullptr ||
         !(owner_->ComponentState().Contains(csLoading) || owner_->ComponentState().Contains(csReading));
}

void TprPrinterSetup::PageChanged() {
  if (MayNotify() && OnPageChanged)
    OnPageChanged(*this);
}

void TprPrinterSetup::PrinterSettingsChanged() {
  if (MayNotify() && OnPrinterSettingsChanged)
    OnPrinterSettingsChanged(*this);
}

bool TprPrinterSetup::NotifyEnabled() const {
  std::lock_guard lock(lock_);
  return notify_;
}

void TprPrinterSetup::SetNotifyEnabled(bool enabled) {
  std::lock_guard lock(lock_);
  notify_ = enabled;
}

bool TprPrinterSetup::Accepts(const TprPageDef& page) { return !OnValidatePage || OnValidatePage(*this, page); }

// Units

TprUnitConverter TprPrinterSetup::Converter() const {
  IprPixelDevice* printer = nullptr;
  // Only printer pixels need the printer; asking for it would otherwise
  // create the process-wide printer for nothing.
  if (units_ == prutPrinterPixels) {
    if (OnGetPrinter)
      printer = OnGetPrinter();
    else
      printer = prGetPrinter().get();
  }
  return TprUnitConverter::ForScreen(printer);
}

float TprPrinterSetup::ToUnit(int32_t microns, TprAxis axis) const {
  return static_cast<float>(Converter().FromMicrons(microns, units_, axis));
}

int32_t TprPrinterSetup::ToMicrons(float value, TprAxis axis) const {
  return Converter().ToMicrons(units_, axis, value);
}

TprUnitType TprPrinterSetup::Units() const {
  std::lock_guard lock(lock_);
  return units_;
}

void TprPrinterSetup::SetUnits(TprUnitType units) {
  std::lock_guard lock(lock_);
  if (units == units_)
    return;
  units_ = units;
  if (!MayNotify())
    return;
  if (paper_name_ != kCustomPaper) {
    float width = 0;
    float height = 0;
    GetPaperSizeForName(paper_name_, width, height);
    page_.SetmmWidth(ToMicrons(width, TprAxis::kX));
    page_.SetmmHeight(ToMicrons(height, TprAxis::kY));
  }
  PageChanged();
}

// Page values

float TprPrinterSetup::PaperWidth() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmWidth(), TprAxis::kX);
}

float TprPrinterSetup::PaperHeight() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmHeight(), TprAxis::kY);
}

void TprPrinterSetup::SetPaperWidth(float value) { SetPaperSide(TprAxis::kX, value); }

void TprPrinterSetup::SetPaperHeight(float value) { SetPaperSide(TprAxis::kY, value); }

void TprPrinterSetup::SetPaperSide(TprAxis axis, float value) {
  std::lock_guard lock(lock_);
  if (!IsUsableLength(value))
    return;
  bool width = axis == TprAxis::kX;
  if (OwnerReading()) {
    (width ? read_width_ : read_height_) = value;
    return;
  }
  TprPageDef page = page_;
  if (width)
    page.SetmmWidth(ToMicrons(value, axis));
  else
    page.SetmmHeight(ToMicrons(value, axis));
  if (!Accepts(page))
    return;
  page_ = page;
  paper_name_ = FindPaperNameForSize(page_.mmHeight(), page_.mmWidth());
  PageChanged();
}

void TprPrinterSetup::SetMargin(int32_t (TprPageDef::*get)() const, void (TprPageDef::*set)(int32_t), TprAxis axis,
                                float value) {
  std::lock_guard lock(lock_);
  if (!IsUsableLength(value))
    return;
  TprPageDef page = page_;
  (page.*set)(ToMicrons(value, axis));
  if ((page.*get)() == (page_.*get)() || !Accepts(page))
    return;
  page_ = page;
  PageChanged();
}

float TprPrinterSetup::MarginBottom() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmMarginBottom(), TprAxis::kY);
}
float TprPrinterSetup::MarginLeft() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmMarginLeft(), TprAxis::kX);
}
float TprPrinterSetup::MarginRight() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmMarginRight(), TprAxis::kX);
}
float TprPrinterSetup::MarginTop() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.mmMarginTop(), TprAxis::kY);
}
void TprPrinterSetup::SetMarginBottom(float value) {
  SetMargin(&TprPageDef::mmMarginBottom, &TprPageDef::SetmmMarginBottom, TprAxis::kY, value);
}
void TprPrinterSetup::SetMarginLeft(float value) {
  SetMargin(&TprPageDef::mmMarginLeft, &TprPageDef::SetmmMarginLeft, TprAxis::kX, value);
}
void TprPrinterSetup::SetMarginRight(float value) {
  SetMargin(&TprPageDef::mmMarginRight, &TprPageDef::SetmmMarginRight, TprAxis::kX, value);
}
void TprPrinterSetup::SetMarginTop(float value) {
  SetMargin(&TprPageDef::mmMarginTop, &TprPageDef::SetmmMarginTop, TprAxis::kY, value);
}

float TprPrinterSetup::PrintableHeight() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.PrintableHeight(), TprAxis::kY);
}

float TprPrinterSetup::PrintableWidth() const {
  std::lock_guard lock(lock_);
  return ToUnit(page_.PrintableWidth(), TprAxis::kX);
}

TprPageDef TprPrinterSetup::PageDef() const {
  std::lock_guard lock(lock_);
  return page_;
}

TPrinterOrientation TprPrinterSetup::Orientation() const {
  std::lock_guard lock(lock_);
  return orientation_;
}

void TprPrinterSetup::SetOrientation(TPrinterOrientation orientation) {
  std::lock_guard lock(lock_);
  if (orientation == orientation_)
    return;
  TprPageDef page = page_;
  page.Turn();
  if (!Accepts(page))
    return;
  orientation_ = orientation;
  page_ = page;
  PageChanged();
}

// Papers

TprPrinterCapabilities* TprPrinterSetup::Capabilities() const {
  return info_ ? &info_->GetCapabilities() : nullptr;
}

void TprPrinterSetup::ResolvePendingPaperNumber() const {
  if (pending_paper_number_ == 0)
    return;
  TCapabilitiesReader capabilities(info_);
  if (capabilities) {
    int32_t index = capabilities->PaperNumbers().IndexOf(std::to_string(pending_paper_number_));
    if (index >= 0 && index < capabilities->PaperNames().Count())
      paper_name_ = capabilities->PaperNames().Line(index);
  }
  pending_paper_number_ = 0;
}

std::string TprPrinterSetup::PaperName() const {
  std::lock_guard lock(lock_);
  ResolvePendingPaperNumber();
  return paper_name_;
}

void TprPrinterSetup::SetPaperName(const std::string& name) {
  std::lock_guard lock(lock_);
  if (!MayNotify() || name == kCustomPaper) {
    paper_name_ = name;
    return;
  }
  ResolvePendingPaperNumber();
  // Envelopes are fed sideways.
  if (name.find("Envelope") != std::string::npos)
    orientation_ = poLandscape;
  float width = 0;
  float height = 0;
  GetPaperSizeForName(name, width, height);
  TprPageDef page = page_;
  page.SetmmWidth(ToMicrons(width, TprAxis::kX));
  page.SetmmHeight(ToMicrons(height, TprAxis::kY));
  if (!Accepts(page))
    return;
  paper_name_ = name;
  page_ = page;
  PageChanged();
}

void TprPrinterSetup::GetPaperSizeForName(const std::string& name, float& width, float& height) const {
  std::lock_guard lock(lock_);
  TCapabilitiesReader capabilities(info_);
  int32_t index = capabilities ? capabilities->IndexOfPaper(name) : -1;
  if (index < 0 || index >= capabilities->PaperWidths().Count() || index >= capabilities->PaperHeights().Count()) {
    width = ToUnit(page_.mmWidth(), TprAxis::kX);
    height = ToUnit(page_.mmHeight(), TprAxis::kY);
    return;
  }
  TprUnitConverter converter = Converter();
  width = static_cast<float>(
      converter.FromTenthsMM(NumberAt(capabilities->PaperWidths(), index), units_, TprAxis::kX));
  height = static_cast<float>(
      converter.FromTenthsMM(NumberAt(capabilities->PaperHeights(), index), units_, TprAxis::kY));
  if (orientation_ == poLandscape)
    std::swap(width, height);
}

std::string TprPrinterSetup::FindPaperNameForSize(int32_t height, int32_t width) const {
  std::lock_guard lock(lock_);
  TCapabilitiesReader capabilities(info_);
  if (!capabilities)
    return kCustomPaper;
  TprUnitConverter converter = Converter();
  int32_t height_tenths = converter.ToTenthsMM(prutMMThousandths, TprAxis::kY, height);
  int32_t width_tenths = converter.ToTenthsMM(prutMMThousandths, TprAxis::kX, width);
  if (orientation_ == poLandscape)
    std::swap(height_tenths, width_tenths);
  const TStringList& names = capabilities->PaperNames();
  const TStringList& widths = capabilities->PaperWidths();
  const TStringList& heights = capabilities->PaperHeights();
  for (int32_t i = 0; i < names.Count() && i < widths.Count() && i < heights.Count(); ++i) {
    if (std::abs(NumberAt(heights, i) - height_tenths) <= 10 && std::abs(NumberAt(widths, i) - width_tenths) <= 10)
      return names.Line(i);
  }
  return kCustomPaper;
}

int32_t TprPrinterSetup::GetPaperNumber() const {
  std::lock_guard lock(lock_);
  ResolvePendingPaperNumber();
  TCapabilitiesReader capabilities(info_);
  if (!capabilities)
    return kprCustomPaper;
  // The first paper of the list is a paper like any other.
  int32_t index = capabilities->IndexOfPaper(paper_name_);
  if (index < 0)
    index = capabilities->IndexOfPaper(FindPaperNameForSize(page_.mmHeight(), page_.mmWidth()));
  if (index < 0 || index >= capabilities->PaperNumbers().Count())
    return kprCustomPaper;
  return StrToIntDef(capabilities->PaperNumbers().Line(index), kprCustomPaper);
}

void TprPrinterSetup::GetPaperNames(TStrings& names) const {
  std::lock_guard lock(lock_);
  names.Clear();
  TCapabilitiesReader capabilities(info_);
  if (capabilities)
    names.AddStrings(capabilities->PaperNames());
}

// Bins

std::string TprPrinterSetup::BinName() const {
  std::lock_guard lock(lock_);
  return bin_name_;
}

void TprPrinterSetup::SetBinName(const std::string& name) {
  std::lock_guard lock(lock_);
  ChangeSetting(bin_name_, name == kCurrentName ? kDefaultName : name);
}

int32_t TprPrinterSetup::GetBinNumber() const {
  std::lock_guard lock(lock_);
  if (SameText(bin_name_, kDefaultName))
    return -1;
  TCapabilitiesReader capabilities(info_);
  if (!capabilities)
    return -1;
  int32_t index = capabilities->BinNames().IndexOf(bin_name_);
  if (index < 0 || index >= capabilities->BinNumbers().Count())
    return -1;
  return StrToIntDef(capabilities->BinNumbers().Line(index), -1);
}

void TprPrinterSetup::GetBinNames(TStrings& names) const {
  std::lock_guard lock(lock_);
  names.Clear();
  TCapabilitiesReader capabilities(info_);
  if (capabilities)
    names.AddStrings(capabilities->BinNames());
}

// Printer

std::string TprPrinterSetup::PrinterName() const {
  std::lock_guard lock(lock_);
  return printer_name_;
}

void TprPrinterSetup::SetPrinterName(const std::string& name) {
  std::lock_guard lock(lock_);
  const std::string& asked = name == kCurrentName ? kDefaultName : name;
  int32_t paper_number = GetPaperNumber();
  std::shared_ptr<TprPrinterInfo> info = prGetPrinterList().GetPrinterInfo(asked);
  if (!info)
    return;
  info_ = info;
  printer_name_ = SameText(asked, kDefaultName) ? kDefaultName : info->Name();
  if (!MayNotify())
    return;
  std::string paper;
  if (paper_number != 0 && paper_number != kprCustomPaper) {
    TCapabilitiesReader capabilities(info_);
    int32_t index = capabilities ? capabilities->PaperNumbers().IndexOf(std::to_string(paper_number)) : -1;
    if (index >= 0 && index < capabilities->PaperNames().Count())
      paper = capabilities->PaperNames().Line(index);
  }
  if (paper.empty())
    paper = FindPaperNameForSize(page_.mmHeight(), page_.mmWidth());
  paper_name_ = paper;
  PrinterSettingsChanged();
}

std::shared_ptr<TprPrinterInfo> TprPrinterSetup::PrinterInfo() const {
  std::lock_guard lock(lock_);
  return info_;
}

std::string TprPrinterSetup::PrinterDescription() const {
  std::lock_guard lock(lock_);
  return info_ ? info_->GetDeviceOnPort() : std::string();
}

void TprPrinterSetup::GetPrinterNames(TStrings& names) const {
  names.Clear();
  for (const std::string& name : prGetPrinterList().Names())
    names.Add(name);
}

const TStringList& TprPrinterSetup::PaperNamesList() const {
  GetPaperNames(paper_names_list_);
  return paper_names_list_;
}

const TStringList& TprPrinterSetup::BinNamesList() const {
  GetBinNames(bin_names_list_);
  return bin_names_list_;
}

const TStringList& TprPrinterSetup::PrinterNamesList() const {
  GetPrinterNames(printer_names_list_);
  return printer_names_list_;
}

// Other settings

template <class Value>
void TprPrinterSetup::ChangeSetting(Value& field, const Value& value) {
  if (field == value)
    return;
  field = value;
  PrinterSettingsChanged();
}

bool TprPrinterSetup::Collation() const {
  std::lock_guard lock(lock_);
  return collation_;
}

void TprPrinterSetup::SetCollation(bool collation) {
  std::lock_guard lock(lock_);
  ChangeSetting(collation_, collation);
}

int32_t TprPrinterSetup::Copies() const {
  std::lock_guard lock(lock_);
  return copies_;
}

void TprPrinterSetup::SetCopies(int32_t copies) {
  std::lock_guard lock(lock_);
  ChangeSetting(copies_, copies);
}

std::string TprPrinterSetup::DocumentName() const {
  std::lock_guard lock(lock_);
  return document_name_;
}

void TprPrinterSetup::SetDocumentName(const std::string& name) {
  std::lock_guard lock(lock_);
  ChangeSetting(document_name_, name);
}

TprDuplexType TprPrinterSetup::Duplex() const {
  std::lock_guard lock(lock_);
  return duplex_;
}

void TprPrinterSetup::SetDuplex(TprDuplexType duplex) {
  std::lock_guard lock(lock_);
  ChangeSetting(duplex_, duplex);
}

bool TprPrinterSetup::DelegateCopies() const {
  std::lock_guard lock(lock_);
  return delegate_copies_;
}

void TprPrinterSetup::SetDelegateCopies(bool delegate) {
  std::lock_guard lock(lock_);
  delegate_copies_ = delegate;
}

// Storing and copying

void TprPrinterSetup::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  const auto* ancestor = dynamic_cast<const TprPrinterSetup*>(filer.Ancestor());
  struct StoredLength {
    const char* name;
    int32_t (TprPageDef::*get)() const;
    void (TprPageDef::*set)(int32_t);
  };
  const StoredLength lengths[] = {
      {"mmMarginBottom", &TprPageDef::mmMarginBottom, &TprPageDef::SetmmMarginBottom},
      {"mmMarginLeft", &TprPageDef::mmMarginLeft, &TprPageDef::SetmmMarginLeft},
      {"mmMarginRight", &TprPageDef::mmMarginRight, &TprPageDef::SetmmMarginRight},
      {"mmMarginTop", &TprPageDef::mmMarginTop, &TprPageDef::SetmmMarginTop},
      {"mmPaperHeight", &TprPageDef::mmHeight, &TprPageDef::SetmmHeight},
      {"mmPaperWidth", &TprPageDef::mmWidth, &TprPageDef::SetmmWidth},
  };
  for (const StoredLength& length : lengths) {
    bool differs = ancestor == nullptr || (ancestor->page_.*length.get)() != (page_.*length.get)();
    filer.DefineProperty(
        length.name, [this, set = length.set](TReader& reader) { (page_.*set)(prReadIntegerOrFloat(reader)); },
        [this, get = length.get](TWriter& writer) { writer.WriteInteger((page_.*get)()); }, differs);
  }
  bool paper_differs = ancestor == nullptr || ancestor->GetPaperNumber() != GetPaperNumber();
  filer.DefineProperty(
      "PaperSize", [this](TReader& reader) { pending_paper_number_ = prReadIntegerOrFloat(reader); },
      [this](TWriter& writer) { writer.WriteInteger(GetPaperNumber()); }, paper_differs);
}

void TprPrinterSetup::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TprPrinterSetup*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this)
    return;
  std::lock_guard lock(lock_);
  std::lock_guard other_lock(other->lock_);
  other->ResolvePendingPaperNumber();
  bin_name_ = other->bin_name_;
  collation_ = other->collation_;
  copies_ = other->copies_;
  document_name_ = other->document_name_;
  duplex_ = other->duplex_;
  orientation_ = other->orientation_;
  paper_name_ = other->paper_name_;
  printer_name_ = other->printer_name_;
  units_ = other->units_;
  delegate_copies_ = other->delegate_copies_;
  page_ = other->page_;
  info_ = prGetPrinterList().GetPrinterInfo(printer_name_);
  PrinterSettingsChanged();
  PageChanged();
}
