#pragma once
// The class answers of the nine registered tab styles, in the hierarchy of
// their painters. Each painter adds its virtual constructor in a final class
// of its own, so these answers hold also where no painter can be made.

#include "tabs/pc_painter_class.h"

class TlxPCTabsStyle : public TlxPCStandardPainterClass {
 public:
  const char* ClassName() const override { return "TlxPCTabsPainter"; }
  int32_t GetStyleID() const override { return 1; }
  std::string GetStyleName() const override { return "Tabs"; }
  bool SuitsLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const override {
    return look_and_feel.TabPainterStyle == kPCLookAndFeelStandard ||
           look_and_feel.TabPainterStyle == kPCLookAndFeelWinXP;
  }
  bool IsDefaultForLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const override {
    return look_and_feel.NativeStyle;
  }
};

class TlxPCFlatStyle : public TlxPCTabsStyle {
 public:
  const char* ClassName() const override { return "TlxPCFlatPainter"; }
  int32_t GetStyleID() const override { return 7; }
  std::string GetStyleName() const override { return "Flat"; }
  bool SuitsLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const override {
    return look_and_feel.TabPainterStyle == kPCLookAndFeelFlat;
  }
  bool IsDefaultForLookAndFeel(const TlxPCLookAndFeelInfo&) const override { return false; }
};

class TlxPCButtonsStyle : public TlxPCStandardPainterClass {
 public:
  const char* ClassName() const override { return "TlxPCButtonsPainter"; }
  int32_t GetStandardStyle() const override { return 1; }
  int32_t GetStyleID() const override { return 2; }
  std::string GetStyleName() const override { return "Buttons"; }
};

class TlxPCFlatButtonsStyle : public TlxPCStandardPainterClass {
 public:
  const char* ClassName() const override { return "TlxPCFlatButtonsPainter"; }
  int32_t GetStandardStyle() const override { return 2; }
  int32_t GetStyleID() const override { return 3; }
  std::string GetStyleName() const override { return "FlatButtons"; }
};

class TlxPCExtraFlatStyle : public TlxPCStandardPainterClass {
 public:
  const char* ClassName() const override { return "TlxPCExtraFlatPainter"; }
  int32_t GetStyleID() const override { return 5; }
  std::string GetStyleName() const override { return "ExtraFlat"; }
};

class TlxPCUltraFlatStyle : public TlxPCExtraFlatStyle {
 public:
  const char* ClassName() const override { return "TlxPCUltraFlatPainter"; }
  int32_t GetStyleID() const override { return 6; }
  std::string GetStyleName() const override { return "UltraFlat"; }
  bool SuitsLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const override {
    return look_and_feel.TabPainterStyle == kPCLookAndFeelUltraFlat;
  }
};

class TlxPCOffice11Style : public TlxPCUltraFlatStyle {
 public:
  const char* ClassName() const override { return "TlxPCOffice11Painter"; }
  int32_t GetStyleID() const override { return 8; }
  std::string GetStyleName() const override { return "Office11"; }
  bool SuitsLookAndFeel(const TlxPCLookAndFeelInfo& look_and_feel) const override {
    return !look_and_feel.SkinPainterActive && look_and_feel.TabPainterStyle == kPCLookAndFeelOffice11;
  }
};

class TlxPCSlantedStyle : public TlxPCStandardPainterClass {
 public:
  const char* ClassName() const override { return "TlxPCSlantedPainter"; }
  int32_t GetStyleID() const override { return 9; }
  std::string GetStyleName() const override { return "Slanted"; }
};

class TlxPCOneNoteStyle : public TlxPCSlantedStyle {
 public:
  const char* ClassName() const override { return "TlxPCOneNotePainter"; }
  int32_t GetStyleID() const override { return 10; }
  std::string GetStyleName() const override { return "OneNote"; }
  bool CanRotateTabs() const override { return false; }
};
