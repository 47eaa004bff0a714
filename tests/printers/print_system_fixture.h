#pragma once
// A fixture that runs the printer module over a listed print system: two
// printers, "Laser" (the default, with four papers and two bins) and
// "Plotter" (two papers, no bins). The locale is German, so new setups
// start with an A4 page.

#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/locale.h"
#include "printers/printer_module.h"
#include "tests/printers/listed_print_system.h"

namespace printers_test {

inline void AddOfficePrinters(TListedPrintSystem& system) {
  system.printers = {{"Laser", {}, 0}, {"Plotter", {}, 0}};
  system.default_device_profile = "Laser,laser.drv,LPT1:";
  system.SetTexts("Laser", prdcPaperNames, 64, {"Letter", "A4", "Legal", "Envelope DL"});
  system.SetWords("Laser", prdcPapers, {1, 9, 5, 27});
  system.SetSizes("Laser", {{2159, 2794}, {2100, 2970}, {2159, 3556}, {1100, 2200}});
  system.SetTexts("Laser", prdcBinNames, 24, {"Upper", "Lower"});
  system.SetWords("Laser", prdcBins, {1, 2});
  system.copies["Laser"] = 99;
  system.SetTexts("Plotter", prdcPaperNames, 64, {"A3", "A4"});
  system.SetWords("Plotter", prdcPapers, {8, 9});
  system.SetSizes("Plotter", {{2970, 4200}, {2100, 2970}});
}

class OfficePrintSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddOfficePrinters(system_);
    prUsePrintSystem(&system_);
  }
  void TearDown() override { prUsePrintSystem(nullptr); }

  TScopedLocale german_{"de-DE"};
  TListedPrintSystem system_;
};

}  // namespace printers_test
