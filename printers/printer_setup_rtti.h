#pragma once
// Type information of the printer setup: its published settings, plus the
// bin by number, the unit, copy delegation, the name lists, the printer's
// description and information, the page definition and the printable size.

#include "printers/rtti_classes.h"

class TrtTprPrinterSetupRTTI : public TrtTPersistentRTTI {
 public:
  static constexpr TClass kClass{"TrtTprPrinterSetupRTTI", &TrtTPersistentRTTI::kClass,
                                 &ConstructInstance<TrtTprPrinterSetupRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  void GetPropList(const TClass* cls, TStrings& list) const override;
  const TClass* GetRefClass() const override;
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override;
  bool GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const override;
  std::string GetPropText(TObject* instance, std::string_view name) const override;
  bool SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const override;
};
