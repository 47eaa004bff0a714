#pragma once
// The class-level answers of a tab painter class: its style number and
// name, which look-and-feel it suits, and the behaviour the tab control asks
// of the class before (or without) making a painter. One stateless instance
// per painter class; a pointer to it is the painter class reference that
// the painter registry keeps. Its virtual constructor makes the painter of
// one control.

#include <cstdint>
#include <memory>
#include <string>

#include "tabs/pc_layout_painter.h"

class TlxTabControlModel;

// What a painter class needs to know of a control's look-and-feel.
struct TlxPCLookAndFeelInfo {
  // Style code of the look-and-feel's painter for tabs: Flat 0, Standard 1,
  // UltraFlat 2, WinXP 3, Office11 4.
  int32_t TabPainterStyle = 1;
  bool SkinPainterActive = false;
  // The effective NativeStyle setting.
  bool NativeStyle = false;
};

inline constexpr int32_t kPCLookAndFeelFlat = 0;
inline constexpr int32_t kPCLookAndFeelStandard = 1;
inline constexpr int32_t kPCLookAndFeelUltraFlat = 2;
inline constexpr int32_t kPCLookAndFeelWinXP = 3;
inline constexpr int32_t kPCLookAndFeelOffice11 = 4;

class TlxPCCustomPainterClass {
 public:
  virtual ~TlxPCCustomPainterClass() = default;

  virtual const char* ClassName() const = 0;
  virtual bool CanRotateTabs() const { return true; }
  // Column of the standard painter's tables: 0 tabs, 1 buttons, 2 flat buttons.
  virtual int32_t GetStandardStyle() const { return 0; }
  virtual int32_t GetStyleID() const { return -1; }
  virtual std::string GetStyleName() const { return {}; }
  virtual bool SuitsLookAndFeel(const TlxPCLookAndFeelInfo& /*look_and_feel*/) const { return false; }
  virtual bool IsDefaultForLookAndFeel(const TlxPCLookAndFeelInfo& /*look_and_feel*/) const { return false; }
  virtual bool IsMainTabRowNearPage() const { return true; }
  virtual bool AllowMultiSelectTabs() const { return false; }
  virtual bool IsTabButtonLike() const { return false; }

  // The painter of one control.
  virtual std::unique_ptr<IlxPCLayoutPainter> CreatePainter(TlxTabControlModel& control) const = 0;
};

using TlxPCPainterClass = const TlxPCCustomPainterClass*;

// The standard painter's class answers follow its table column.
class TlxPCStandardPainterClass : public TlxPCCustomPainterClass {
 public:
  bool IsMainTabRowNearPage() const override { return GetStandardStyle() == 0; }
  bool AllowMultiSelectTabs() const override { return GetStandardStyle() != 0; }
  bool IsTabButtonLike() const override { return GetStandardStyle() != 0; }
};
