#include "printers/printer_setup_rtti.h"

#include <functional>
#include <vector>

#include "platform/rtl/format.h"
#include "platform/rtl/text.h"
#include "printers/printer_setup.h"

namespace {

using Getter = std::function<void(TprPrinterSetup&, TrtValue&)>;
using Setter = std::function<void(TprPrinterSetup&, const TrtValue&)>;

struct SetupProperty {
  std::string_view name;
  TrtDataType type;
  const TClass* cls = nullptr;
  std::string_view type_name;
  std::vector<std::string> value_names;
  Getter get;
  Setter set;  // empty: read-only
};

Getter Text(std::string (TprPrinterSetup::*get)() const) {
  return [get](TprPrinterSetup& setup, TrtValue& value) { value.text = (setup.*get)(); };
}
Setter Text(void (TprPrinterSetup::*set)(const std::string&)) {
  return [set](TprPrinterSetup& setup, const TrtValue& value) { (setup.*set)(value.text); };
}
Getter Single(float (TprPrinterSetup::*get)() const) {
  return [get](TprPrinterSetup& setup, TrtValue& value) { value.real = (setup.*get)(); };
}
Setter Single(void (TprPrinterSetup::*set)(float)) {
  return [set](TprPrinterSetup& setup, const TrtValue& value) { (setup.*set)(static_cast<float>(value.real)); };
}
template <class Value>
Getter Ordinal(Value (TprPrinterSetup::*get)() const) {
  return [get](TprPrinterSetup& setup, TrtValue& value) { value.ordinal = static_cast<int64_t>((setup.*get)()); };
}
template <class Value>
Setter Ordinal(void (TprPrinterSetup::*set)(Value)) {
  return [set](TprPrinterSetup& setup, const TrtValue& value) { (setup.*set)(static_cast<Value>(value.ordinal)); };
}
Getter List(const TStringList& (TprPrinterSetup::*get)() const) {
  return [get](TprPrinterSetup& setup, TrtValue& value) {
    value.object = const_cast<TStringList*>(&(setup.*get)());
  };
}

// The bin chosen by its platform id; an id the printer does not list
// changes nothing.
void SetBinByNumber(TprPrinterSetup& setup, const TrtValue& value) {
  TStringList names;
  setup.GetBinNames(names);
  std::shared_ptr<TprPrinterInfo> info = setup.PrinterInfo();
  if (!info)
    return;
  std::lock_guard lock(info->Lock());
  const TStringList& numbers = info->GetCapabilities().BinNumbers();
  int32_t index = numbers.IndexOf(std::to_string(value.ordinal));
  if (index >= 0 && index < names.Count())
    setup.SetBinName(names.Line(index));
}

const std::vector<SetupProperty>& SetupProperties() {
  static const std::vector<SetupProperty> properties = [] {
    std::vector<SetupProperty> list;
    auto add = [&list](SetupProperty property) { list.push_back(std::move(property)); };
    add({"Active", rtdtBoolean, nullptr, {}, {},
         [](TprPrinterSetup& setup, TrtValue& value) {
           std::shared_ptr<TprPrinterInfo> info = setup.PrinterInfo();
           value.ordinal = info && info->Valid() ? 1 : 0;
         },
         {}});
    add({"DelegateCopies", rtdtBoolean, nullptr, {}, {}, Ordinal(&TprPrinterSetup::DelegateCopies),
         Ordinal(&TprPrinterSetup::SetDelegateCopies)});
    add({"Collation", rtdtBoolean, nullptr, {}, {}, Ordinal(&TprPrinterSetup::Collation),
         Ordinal(&TprPrinterSetup::SetCollation)});
    add({"Bin", rtdtInteger, nullptr, {}, {}, Ordinal(&TprPrinterSetup::GetBinNumber), SetBinByNumber});
    add({"Copies", rtdtInteger, nullptr, {}, {}, Ordinal(&TprPrinterSetup::Copies),
         Ordinal(&TprPrinterSetup::SetCopies)});
    add({"BinNames", rtdtClass, &TStrings::kClass, {}, {}, List(&TprPrinterSetup::BinNamesList), {}});
    add({"PaperNames", rtdtClass, &TStrings::kClass, {}, {}, List(&TprPrinterSetup::PaperNamesList), {}});
    add({"PrinterNames", rtdtClass, &TStrings::kClass, {}, {}, List(&TprPrinterSetup::PrinterNamesList), {}});
    add({"PrinterDescription", rtdtString, nullptr, {}, {}, Text(&TprPrinterSetup::PrinterDescription), {}});
    add({"PrinterInfo", rtdtClass, &TprPrinterInfo::kClass, {}, {},
         [](TprPrinterSetup& setup, TrtValue& value) { value.object = setup.PrinterInfo().get(); }, {}});
    add({"PageDef", rtdtClass, &TprPageDef::kClass, {}, {},
         [](TprPrinterSetup& setup, TrtValue& value) {
           // The setup's own page definition, for reading.
           value.object = const_cast<TprPageDef*>(&setup.CurrentPageDef());
         },
         {}});
    add({"PrintableHeight", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::PrintableHeight), {}});
    add({"PrintableWidth", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::PrintableWidth), {}});
    add({"Units", rtdtEnum, nullptr, "TprUnitType",
         {"prutScreenPixels", "prutInches", "prutMillimeters", "prutPrinterPixels", "prutMMThousandths"},
         Ordinal(&TprPrinterSetup::Units), Ordinal(&TprPrinterSetup::SetUnits)});
    add({"Duplex", rtdtEnum, nullptr, "TprDuplexType", {"dpNone", "dpHorizontal", "dpVertical"},
         Ordinal(&TprPrinterSetup::Duplex), Ordinal(&TprPrinterSetup::SetDuplex)});
    add({"Orientation", rtdtEnum, nullptr, "TPrinterOrientation", {"poPortrait", "poLandscape"},
         Ordinal(&TprPrinterSetup::Orientation), Ordinal(&TprPrinterSetup::SetOrientation)});
    add({"BinName", rtdtString, nullptr, {}, {}, Text(&TprPrinterSetup::BinName), Text(&TprPrinterSetup::SetBinName)});
    add({"DocumentName", rtdtString, nullptr, {}, {}, Text(&TprPrinterSetup::DocumentName),
         Text(&TprPrinterSetup::SetDocumentName)});
    add({"PaperName", rtdtString, nullptr, {}, {}, Text(&TprPrinterSetup::PaperName),
         Text(&TprPrinterSetup::SetPaperName)});
    add({"PrinterName", rtdtString, nullptr, {}, {}, Text(&TprPrinterSetup::PrinterName),
         Text(&TprPrinterSetup::SetPrinterName)});
    add({"MarginBottom", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::MarginBottom),
         Single(&TprPrinterSetup::SetMarginBottom)});
    add({"MarginLeft", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::MarginLeft),
         Single(&TprPrinterSetup::SetMarginLeft)});
    add({"MarginRight", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::MarginRight),
         Single(&TprPrinterSetup::SetMarginRight)});
    add({"MarginTop", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::MarginTop),
         Single(&TprPrinterSetup::SetMarginTop)});
    add({"PaperHeight", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::PaperHeight),
         Single(&TprPrinterSetup::SetPaperHeight)});
    add({"PaperWidth", rtdtSingle, nullptr, {}, {}, Single(&TprPrinterSetup::PaperWidth),
         Single(&TprPrinterSetup::SetPaperWidth)});
    return list;
  }();
  return properties;
}

const SetupProperty* FindSetupProperty(std::string_view name) {
  for (const SetupProperty& property : SetupProperties()) {
    if (SameText(property.name, name))
      return &property;
  }
  return nullptr;
}

}  // namespace

void TrtTprPrinterSetupRTTI::GetPropList(const TClass* cls, TStrings& list) const {
  TrtTPersistentRTTI::GetPropList(cls, list);
  list.Add("Bin");
  list.Add("Units");
  list.Add("DelegateCopies");
}

const TClass* TrtTprPrinterSetupRTTI::GetRefClass() const { return &TprPrinterSetup::kClass; }

bool TrtTprPrinterSetupRTTI::GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const {
  const SetupProperty* property = FindSetupProperty(name);
  if (property == nullptr)
    return TrtTPersistentRTTI::GetPropRec(cls, name, rec);
  rec.Initialize(property->name, property->type, !property->set);
  rec.Class = property->cls;
  rec.TypeName = std::string(property->type_name);
  rec.IsPublished = cls != nullptr && cls->Properties().Find(name) != nullptr;
  return true;
}

bool TrtTprPrinterSetupRTTI::GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const {
  auto* setup = dynamic_cast<TprPrinterSetup*>(instance);
  const SetupProperty* property = FindSetupProperty(name);
  if (setup == nullptr || property == nullptr)
    return TrtTPersistentRTTI::GetPropValue(instance, name, value);
  TrtValue read;
  property->get(*setup, read);
  value = TrtValue::Stored(property->type, read);
  return true;
}

std::string TrtTprPrinterSetupRTTI::GetPropText(TObject* instance, std::string_view name) const {
  const SetupProperty* property = FindSetupProperty(name);
  TrtValue value;
  if (property != nullptr && property->type == rtdtEnum && GetPropValue(instance, name, value)) {
    if (value.ordinal >= 0 && value.ordinal < static_cast<int64_t>(property->value_names.size()))
      return property->value_names[static_cast<size_t>(value.ordinal)];
    return IntToStr(value.ordinal);
  }
  return TrtTPersistentRTTI::GetPropText(instance, name);
}

bool TrtTprPrinterSetupRTTI::SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const {
  auto* setup = dynamic_cast<TprPrinterSetup*>(instance);
  const SetupProperty* property = FindSetupProperty(name);
  if (setup == nullptr || property == nullptr)
    return TrtTPersistentRTTI::SetPropValue(instance, name, value);
  if (!property->set)
    return false;
  // An enumeration value beyond its type is refused, not cast.
  if (property->type == rtdtEnum &&
      (value.ordinal < 0 || value.ordinal >= static_cast<int64_t>(property->value_names.size())))
    return false;
  property->set(*setup, TrtValue::Stored(property->type, value));
  return true;
}
