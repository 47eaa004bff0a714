#pragma once
// The registry of tab painter classes by style number. It exists while at
// least one class is registered.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"
#include "tabs/pc_painter_class.h"

class TlxPCPaintersFactory : public TObject {
 public:
  static constexpr TClass kClass{"TlxPCPaintersFactory", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The first registered style, replaced by the last class that is the
  // default for the look-and-feel. Raises without registered classes.
  int32_t GetDefaultStyleID(const TlxPCLookAndFeelInfo& look_and_feel) const;
  // The style of the last registered class that suits the look-and-feel; -1.
  int32_t GetStyleIDForLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const;
  // Null for a style number without a class.
  TlxPCPainterClass FindPainterClass(int32_t style_id) const;
  std::unique_ptr<IlxPCLayoutPainter> GetPainterInstance(TlxPCPainterClass painter_class,
                                                         TlxTabControlModel& control) const;
  static void ReleasePainter(std::unique_ptr<IlxPCLayoutPainter> painter) { painter.reset(); }

  int32_t GetCount() const { return static_cast<int32_t>(classes_.size()); }
  TlxPCPainterClass GetPainterClass(int32_t index) const;

 private:
  friend void lxPCRegisterPainterClass(TlxPCPainterClass painter_class);
  friend void lxPCUnregisterPainterClass(TlxPCPainterClass painter_class);
  std::vector<TlxPCPainterClass> classes_;
};

// Creates the factory when there is none and adds the class once.
void lxPCRegisterPainterClass(TlxPCPainterClass painter_class);
// Removes the class; the factory goes with the last one.
void lxPCUnregisterPainterClass(TlxPCPainterClass painter_class);
// The factory, or null while no class is registered.
TlxPCPaintersFactory* lxPCPaintersFactoryInstance();
