#pragma once
// TprPrinterSetup: the user-facing print settings of the report library -
// printer, paper, bin, margins, copies, collation, duplex, orientation and
// document name - in a chosen unit of measure, backed by a page definition
// in thousandths of a millimetre. Papers and bins are those of the chosen
// printer in the process-wide printer list.
//
// Changes are reported through two callbacks (page changed, printer
// settings changed) unless the setup's owner is being loaded or the setup's
// notifications are switched off; the printer object turns them into its
// device mode.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/thread.h"
#include "printers/page_def.h"
#include "printers/printer_info.h"
#include "printers/printer_orientation.h"
#include "printers/units.h"

class TprCustomPrinter;
class TFiler;
class TReader;

enum TprDuplexType : uint8_t { dpNone = 0, dpHorizontal = 1, dpVertical = 2 };

class TprPrinterSetup : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TprPrinterSetup", &TPersistent::kClass, nullptr, &TprPrinterSetup::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TChangeCallback = std::function<void(TprPrinterSetup& setup)>;
  // Answers whether the page may become `page`.
  using TValidatePageEvent = std::function<bool(TprPrinterSetup& setup, const TprPageDef& page)>;
  // The printer whose resolution printer-pixel units count.
  using TGetPrinterEvent = std::function<TprCustomPrinter*()>;

  // `owner` may be null; while it is loading or being read, the setup
  // reports no changes.
  explicit TprPrinterSetup(TComponent* owner = nullptr);
  ~TprPrinterSetup() override;

  // Published properties, in the setup's unit where they are lengths.
  std::string BinName() const;
  void SetBinName(const std::string& name);
  bool Collation() const;
  void SetCollation(bool collation);
  int32_t Copies() const;
  void SetCopies(int32_t copies);
  std::string DocumentName() const;
  void SetDocumentName(const std::string& name);
  TprDuplexType Duplex() const;
  void SetDuplex(TprDuplexType duplex);
  float MarginBottom() const;
  void SetMarginBottom(float value);
  float MarginLeft() const;
  void SetMarginLeft(float value);
  float MarginRight() const;
  void SetMarginRight(float value);
  float MarginTop() const;
  void SetMarginTop(float value);
  TPrinterOrientation Orientation() const;
  void SetOrientation(TPrinterOrientation orientation);
  float PaperHeight() const;
  void SetPaperHeight(float value);
  std::string PaperName() const;
  void SetPaperName(const std::string& name);
  float PaperWidth() const;
  void SetPaperWidth(float value);
  std::string PrinterName() const;
  void SetPrinterName(const std::string& name);

  TprUnitType Units() const;
  void SetUnits(TprUnitType units);
  bool DelegateCopies() const;
  void SetDelegateCopies(bool delegate);
  float PrintableHeight() const;
  float PrintableWidth() const;
  // A copy of the page definition.
  TprPageDef PageDef() const;
  // The page definition itself, for readers that keep a reference (the
  // scripting layer); it changes with the setup.
  const TprPageDef& CurrentPageDef() const { return page_; }
  std::shared_ptr<TprPrinterInfo> PrinterInfo() const;
  // "device an port" of the current printer.
  std::string PrinterDescription() const;

  // The platform paper id of the current paper (256 for a paper that is
  // not listed), and the bin id (-1 for the default bin).
  int32_t GetPaperNumber() const;
  int32_t GetBinNumber() const;
  void GetPaperNames(TStrings& names) const;
  void GetBinNames(TStrings& names) const;
  void GetPrinterNames(TStrings& names) const;
  // The same as lists the setup keeps (for the scripting layer, which reads
  // them as objects); refreshed on every call.
  const TStringList& PaperNamesList() const;
  const TStringList& BinNamesList() const;
  const TStringList& PrinterNamesList() const;

  // The first listed paper within a millimetre of the size (thousandths of
  // a millimetre, as the page holds it); "Custom" when none is.
  std::string FindPaperNameForSize(int32_t height, int32_t width) const;
  // A paper's listed size in the setup's unit (turned for landscape); the
  // current size when the paper is not listed.
  void GetPaperSizeForName(const std::string& name, float& width, float& height) const;

  // Values that are stored beside the published ones: the page definition
  // in thousandths of a millimetre and the paper id.
  void DefineProperties(TFiler& filer) override;
  void Assign(const TPersistent* source) override;

  // Notifications on (the default) or off; the printer object switches them
  // off while it applies the setup.
  bool NotifyEnabled() const;
  void SetNotifyEnabled(bool enabled);

  TChangeCallback OnPageChanged;
  TChangeCallback OnPrinterSettingsChanged;
  TValidatePageEvent OnValidatePage;
  TGetPrinterEvent OnGetPrinter;

  TCriticalSection& Lock() const { return lock_; }

 private:
  bool MayNotify() const;
  bool OwnerReading() const;
  void PageChanged();
  void PrinterSettingsChanged();
  bool Accepts(const TprPageDef& page);
  TprUnitConverter Converter() const;
  float ToUnit(int32_t microns, TprAxis axis) const;
  int32_t ToMicrons(float value, TprAxis axis) const;
  void SetPaperSide(TprAxis axis, float value);
  void SetMargin(int32_t (TprPageDef::*get)() const, void (TprPageDef::*set)(int32_t), TprAxis axis, float value);
  void ResolvePendingPaperNumber() const;
  TprPrinterCapabilities* Capabilities() const;
  template <class Value>
  void ChangeSetting(Value& field, const Value& value);

  TComponent* owner_;
  std::string bin_name_ = "Default";
  bool collation_ = true;
  int32_t copies_ = 1;
  std::string document_name_;
  TprDuplexType duplex_ = dpNone;
  TPrinterOrientation orientation_ = poPortrait;
  // A paper id read from a stored setup is turned into the paper's name
  // when the name is next asked for, once the printer is known.
  mutable std::string paper_name_ = "Custom";
  std::string printer_name_ = "Default";
  TprUnitType units_ = prutInches;
  bool delegate_copies_ = false;
  mutable int32_t pending_paper_number_ = 0;
  // Sizes read while the owner is being read; the stored page definition
  // that follows them is what counts.
  float read_width_ = 0;
  float read_height_ = 0;
  TprPageDef page_;
  std::shared_ptr<TprPrinterInfo> info_;
  mutable TStringList paper_names_list_;
  mutable TStringList bin_names_list_;
  mutable TStringList printer_names_list_;
  bool notify_ = true;
  mutable TCriticalSection lock_;
};
