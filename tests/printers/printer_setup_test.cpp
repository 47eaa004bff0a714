#include "printers/printer_setup.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/rtl/component.h"
#include "platform/rtl/memory_stream.h"
#include "printers/printer_setup_rtti.h"
#include "tests/printers/print_system_fixture.h"
#include "tests/printers/string_lines.h"

namespace {

using printers_test::Lines;
using printers_test::LinesOf;

class PrinterSetup : public printers_test::OfficePrintSystemTest {
 protected:
  // A setup in millimetres that counts its notifications.
  std::unique_ptr<TprPrinterSetup> MillimetreSetup() {
    auto setup = std::make_unique<TprPrinterSetup>();
    setup->SetUnits(prutMillimeters);
    setup->OnPageChanged = [this](TprPrinterSetup&) { ++page_changes_; };
    setup->OnPrinterSettingsChanged = [this](TprPrinterSetup&) { ++settings_changes_; };
    return setup;
  }

  int page_changes_ = 0;
  int settings_changes_ = 0;
};

TEST_F(PrinterSetup, StartsWithTheLocalesPage) {
  TprPrinterSetup a4_setup;
  EXPECT_EQ(a4_setup.PageDef().mmWidth(), 210000);
  EXPECT_EQ(a4_setup.PageDef().mmHeight(), 297000);
  EXPECT_EQ(a4_setup.PageDef().mmMarginLeft(), 6350);
  EXPECT_EQ(a4_setup.PrinterName(), "Default");
  EXPECT_EQ(a4_setup.PaperName(), "Custom");
  EXPECT_EQ(a4_setup.BinName(), "Default");
  EXPECT_EQ(a4_setup.Copies(), 1);
  EXPECT_TRUE(a4_setup.Collation());
  EXPECT_EQ(a4_setup.Duplex(), dpNone);
  EXPECT_EQ(a4_setup.Orientation(), poPortrait);
  EXPECT_EQ(a4_setup.Units(), prutInches);
  EXPECT_FLOAT_EQ(a4_setup.MarginTop(), 0.25f);
  EXPECT_EQ(a4_setup.PrinterInfo()->Name(), "Laser");

  TScopedLocale english("en-US");
  TprPrinterSetup letter_setup;
  EXPECT_EQ(letter_setup.PageDef().mmWidth(), 215900);
  EXPECT_EQ(letter_setup.PageDef().mmHeight(), 279401);
}

TEST_F(PrinterSetup, ThePrintersFirstPaperIsSelectableByName) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("A4");
  EXPECT_EQ(setup->GetPaperNumber(), 9);
  setup->SetPaperName("Letter");
  EXPECT_EQ(setup->PaperName(), "Letter");
  EXPECT_EQ(setup->GetPaperNumber(), 1);
  EXPECT_FLOAT_EQ(setup->PaperWidth(), 216.0f);  // listed 2159 tenths, in whole millimetres
  EXPECT_EQ(page_changes_, 2);
}

TEST_F(PrinterSetup, PaperNameSetsTheListedSize) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("Legal");
  EXPECT_EQ(setup->PageDef().mmWidth(), 216000);
  EXPECT_EQ(setup->PageDef().mmHeight(), 356000);
  // A name the printer does not list keeps the size.
  setup->SetPaperName("Poster");
  EXPECT_EQ(setup->PaperName(), "Poster");
  EXPECT_EQ(setup->PageDef().mmHeight(), 356000);
  EXPECT_EQ(setup->GetPaperNumber(), 5);  // the listed paper of its size
  // "Custom" is only a name.
  setup->SetPaperName("Custom");
  EXPECT_EQ(setup->PageDef().mmHeight(), 356000);
  EXPECT_EQ(page_changes_, 2);
  setup->SetPaperHeight(300);
  EXPECT_EQ(setup->PaperName(), "Custom");
  EXPECT_EQ(setup->GetPaperNumber(), 256);
}

TEST_F(PrinterSetup, AnEnvelopeTurnsThePageFirst) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("Envelope DL");
  EXPECT_EQ(setup->Orientation(), poLandscape);
  EXPECT_EQ(setup->PageDef().mmWidth(), 220000);
  EXPECT_EQ(setup->PageDef().mmHeight(), 110000);
  EXPECT_EQ(setup->GetPaperNumber(), 27);
}

TEST_F(PrinterSetup, SizesNameTheirPaper) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("A4");
  setup->SetPaperWidth(210.9f);  // within a millimetre
  EXPECT_EQ(setup->PaperName(), "A4");
  setup->SetPaperWidth(212);
  EXPECT_EQ(setup->PaperName(), "Custom");
  setup->SetPaperWidth(215.9f);
  setup->SetPaperHeight(279.4f);
  EXPECT_EQ(setup->PaperName(), "Letter");
  EXPECT_EQ(setup->GetPaperNumber(), 1);
  EXPECT_EQ(setup->FindPaperNameForSize(297000, 210000), "A4");
  EXPECT_EQ(setup->FindPaperNameForSize(100000, 100000), "Custom");
  // Turned pages match their upright paper.
  setup->SetOrientation(poLandscape);
  EXPECT_EQ(setup->FindPaperNameForSize(210000, 297000), "A4");
}

TEST_F(PrinterSetup, UnusableValuesAreIgnored) {
  auto setup = MillimetreSetup();
  TprPageDef before = setup->PageDef();
  setup->SetPaperWidth(-1);
  setup->SetPaperHeight(std::nanf(""));
  setup->SetMarginLeft(-5);
  EXPECT_TRUE(setup->PageDef() == before);
  EXPECT_EQ(page_changes_, 0);
}

TEST_F(PrinterSetup, MarginsAndPrintableSize) {
  auto setup = MillimetreSetup();
  setup->SetMarginLeft(10);
  setup->SetMarginRight(15);
  setup->SetMarginTop(20);
  setup->SetMarginBottom(25);
  EXPECT_EQ(setup->PageDef().mmMarginRight(), 15000);
  EXPECT_FLOAT_EQ(setup->PrintableWidth(), 185.0f);
  EXPECT_FLOAT_EQ(setup->PrintableHeight(), 252.0f);
  EXPECT_EQ(setup->PaperName(), "Custom");  // margins do not name a paper
  EXPECT_EQ(page_changes_, 4);
  setup->SetMarginLeft(10);  // unchanged: no notification
  EXPECT_EQ(page_changes_, 4);
}

TEST_F(PrinterSetup, ValidationCanRefuseAPage) {
  auto setup = MillimetreSetup();
  setup->OnValidatePage = [](TprPrinterSetup&, const TprPageDef& page) { return page.mmWidth() <= page.mmHeight(); };
  setup->SetOrientation(poLandscape);
  EXPECT_EQ(setup->Orientation(), poPortrait);
  setup->SetPaperWidth(400);
  EXPECT_EQ(setup->PageDef().mmWidth(), 210000);
  setup->SetPaperWidth(100);
  EXPECT_EQ(setup->PageDef().mmWidth(), 100000);
  EXPECT_EQ(page_changes_, 1);
}

TEST_F(PrinterSetup, NoNotificationsWhileTheOwnerLoadsOrWhenSwitchedOff) {
  TComponent owner(nullptr);
  TprPrinterSetup setup(&owner);
  int changes = 0;
  setup.OnPageChanged = [&changes](TprPrinterSetup&) { ++changes; };
  setup.OnPrinterSettingsChanged = [&changes](TprPrinterSetup&) { ++changes; };
  owner.BeginLoading();
  setup.SetPaperName("A4");
  EXPECT_EQ(setup.PaperName(), "A4");
  EXPECT_EQ(setup.PageDef().mmHeight(), 297000);
  setup.SetCopies(3);
  EXPECT_EQ(changes, 0);
  owner.EndReading();
  owner.Loaded();
  setup.SetNotifyEnabled(false);
  setup.SetCopies(4);
  setup.SetOrientation(poLandscape);
  EXPECT_EQ(changes, 0);
  setup.SetNotifyEnabled(true);
  setup.SetCopies(5);
  EXPECT_EQ(changes, 1);
}

TEST_F(PrinterSetup, ChangingThePrinterKeepsThePaper) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("A4");
  setup->SetPrinterName("Plotter");
  EXPECT_EQ(setup->PrinterName(), "Plotter");
  EXPECT_EQ(setup->PaperName(), "A4");
  EXPECT_EQ(setup->GetPaperNumber(), 9);
  EXPECT_EQ(settings_changes_, 1);

  setup->SetPrinterName("Laser");
  setup->SetPaperName("Letter");
  setup->SetPrinterName("Plotter");  // no Letter there, nor its size
  EXPECT_EQ(setup->PaperName(), "Custom");

  setup->SetPrinterName("Current");
  EXPECT_EQ(setup->PrinterName(), "Default");
  EXPECT_EQ(setup->PrinterInfo()->Name(), "Laser");
  setup->SetPrinterName("Vanished");  // not listed: the default printer
  EXPECT_EQ(setup->PrinterName(), "Laser");
  TStringList names;
  setup->GetPrinterNames(names);
  EXPECT_EQ(LinesOf(names), (Lines{"Default", "Screen", "Laser", "Plotter"}));
}

TEST_F(PrinterSetup, Bins) {
  auto setup = MillimetreSetup();
  TStringList bins;
  setup->GetBinNames(bins);
  EXPECT_EQ(LinesOf(bins), (Lines{"Default", "Upper", "Lower"}));
  EXPECT_EQ(setup->GetBinNumber(), -1);
  setup->SetBinName("Lower");
  EXPECT_EQ(setup->GetBinNumber(), 2);
  setup->SetBinName("Nowhere");
  EXPECT_EQ(setup->GetBinNumber(), -1);
  setup->SetBinName("Current");
  EXPECT_EQ(setup->BinName(), "Default");
  EXPECT_EQ(settings_changes_, 3);
}

TEST_F(PrinterSetup, UnitsFollowThePaper) {
  auto setup = MillimetreSetup();
  setup->SetPaperName("A4");
  EXPECT_FLOAT_EQ(setup->PaperWidth(), 210.0f);
  setup->SetUnits(prutMMThousandths);
  EXPECT_FLOAT_EQ(setup->PaperWidth(), 210000.0f);
  setup->SetUnits(prutInches);
  EXPECT_NEAR(setup->PaperWidth(), 8.27f, 0.01f);
  EXPECT_EQ(setup->PaperName(), "A4");
  setup->SetUnits(prutScreenPixels);
  EXPECT_NEAR(setup->PaperWidth(), 794.0f, 1.0f);
  EXPECT_EQ(page_changes_, 1 + 3);
}

TEST_F(PrinterSetup, AssignCopiesEverything) {
  auto source = MillimetreSetup();
  source->SetPrinterName("Plotter");
  source->SetPaperName("A3");
  source->SetOrientation(poLandscape);
  source->SetCopies(3);
  source->SetDuplex(dpVertical);
  source->SetDocumentName("Monthly");
  source->SetDelegateCopies(true);
  TprPrinterSetup copy;
  copy.Assign(source.get());
  EXPECT_EQ(copy.PrinterName(), "Plotter");
  EXPECT_EQ(copy.PrinterInfo()->Name(), "Plotter");
  EXPECT_EQ(copy.PaperName(), "A3");
  EXPECT_EQ(copy.Orientation(), poLandscape);
  EXPECT_EQ(copy.Units(), prutMillimeters);
  EXPECT_TRUE(copy.PageDef() == source->PageDef());
  EXPECT_EQ(copy.Copies(), 3);
  EXPECT_EQ(copy.Duplex(), dpVertical);
  EXPECT_EQ(copy.DocumentName(), "Monthly");
  EXPECT_TRUE(copy.DelegateCopies());
}

// A report page that stores its printer setup.
class TReportPage : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TReportPage>();
    p.Persistent("PrinterSetup", TprPrinterSetup::kClass,
                 [](const TReportPage& page) -> TObject* { return page.setup_.get(); });
  }
  static constexpr TClass kClass{"TReportPage", &TComponent::kClass, &ConstructInstance<TReportPage>,
                                 &TReportPage::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit TReportPage(TComponent* owner) : TComponent(owner), setup_(std::make_unique<TprPrinterSetup>(this)) {}
  TprPrinterSetup& Setup() { return *setup_; }

 private:
  std::unique_ptr<TprPrinterSetup> setup_;
};

TEST_F(PrinterSetup, StoredWithThePageDefinitionAndThePaperId) {
  TReportPage written(nullptr);
  written.SetName("Page");
  TprPrinterSetup& setup = written.Setup();
  setup.SetUnits(prutMillimeters);
  setup.SetPrinterName("Laser");
  setup.SetPaperName("Letter");
  setup.SetMarginLeft(12.5f);
  setup.SetCopies(2);
  TMemoryStream stream;
  stream.WriteComponent(written);

  stream.SetPosition(0);
  TReportPage read(nullptr);
  stream.ReadComponent(&read);
  TprPrinterSetup& loaded = read.Setup();
  EXPECT_EQ(loaded.PageDef().mmMarginLeft(), 12500);
  EXPECT_TRUE(loaded.PageDef() == setup.PageDef());
  EXPECT_EQ(loaded.PaperName(), "Letter");
  EXPECT_EQ(loaded.GetPaperNumber(), 1);
  EXPECT_EQ(loaded.Copies(), 2);
  EXPECT_EQ(loaded.PrinterName(), "Laser");
}

TEST_F(PrinterSetup, TypeInformation) {
  const TrtRTTI& rtti = StatelessInstance<TrtTprPrinterSetupRTTI>();
  TStringList names;
  rtti.GetPropList(&TprPrinterSetup::kClass, names);
  for (const char* name : {"PaperName", "PrinterName", "Bin", "Units", "DelegateCopies", "Assign"})
    EXPECT_GE(names.IndexOf(name), 0) << name;

  struct Case {
    const char* name;
    TrtDataType type;
    bool read_only;
    const char* type_name;
  };
  const Case cases[] = {
      {"Units", rtdtEnum, false, "TprUnitType"},        {"Orientation", rtdtEnum, false, "TPrinterOrientation"},
      {"Duplex", rtdtEnum, false, "TprDuplexType"},    {"PrintableHeight", rtdtSingle, true, ""},
      {"PrinterDescription", rtdtString, true, ""},    {"Bin", rtdtInteger, false, ""},
      {"PaperWidth", rtdtSingle, false, ""},           {"Active", rtdtBoolean, true, ""},
  };
  for (const Case& c : cases) {
    TrtPropRec rec;
    ASSERT_TRUE(rtti.GetPropRec(&TprPrinterSetup::kClass, c.name, rec)) << c.name;
    EXPECT_EQ(rec.DataType, c.type) << c.name;
    EXPECT_EQ(rec.ReadOnly, c.read_only) << c.name;
    EXPECT_EQ(rec.TypeName, c.type_name) << c.name;
  }
  TrtPropRec rec;
  ASSERT_TRUE(rtti.GetPropRec(&TprPrinterSetup::kClass, "PaperNames", rec));
  EXPECT_EQ(rec.Class, &TStrings::kClass);

  auto setup = MillimetreSetup();
  EXPECT_EQ(rtti.GetPropText(setup.get(), "Orientation"), "poPortrait");
  EXPECT_EQ(rtti.GetPropText(setup.get(), "Units"), "prutMillimeters");
  TrtValue value;
  value.ordinal = 2;
  ASSERT_TRUE(rtti.SetPropValue(setup.get(), "Bin", value));
  EXPECT_EQ(setup->BinName(), "Lower");
  value.ordinal = 7;
  EXPECT_FALSE(rtti.SetPropValue(setup.get(), "Orientation", value));
  value.text = "A4";
  ASSERT_TRUE(rtti.SetPropValue(setup.get(), "PaperName", value));
  ASSERT_TRUE(rtti.GetPropValue(setup.get(), "PaperNames", value));
  ASSERT_NE(value.object, nullptr);
  EXPECT_EQ(LinesOf(*static_cast<TStrings*>(value.object)).front(), "Letter");
  ASSERT_TRUE(rtti.GetPropValue(setup.get(), "PaperWidth", value));
  EXPECT_FLOAT_EQ(static_cast<float>(value.real), 210.0f);
  EXPECT_FALSE(rtti.SetPropValue(setup.get(), "PrintableWidth", value));
}

}  // namespace
