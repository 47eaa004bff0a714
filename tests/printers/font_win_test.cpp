// The report library's font class is known by name while the library runs
// and streams its height.
#include <gtest/gtest.h>

#include "platform/rtl/object.h"
#include "platform/rtl/property.h"
#include "printers/font_win.h"
#include "printers/printer_module.h"

namespace {

TEST(TprFont, IsRegisteredWhileThePrinterModuleRunsAndPublishesHeightAndSize) {
  prPrintrInitialize();
  ASSERT_EQ(GetClass("TprFont"), &TprFont::kClass);
  std::unique_ptr<TprFont> font = CreateUnowned<TprFont>(GetClass("TprFont"));
  font->SetHeight(-13);
  EXPECT_EQ(font->Height(), -13);
  const TPropertyList& properties = TprFont::kClass.Properties();
  EXPECT_NE(properties.Find("Height"), nullptr);
  EXPECT_NE(properties.Find("Size"), nullptr);
  prPrintrFinalize();
  EXPECT_EQ(GetClass("TprFont"), nullptr);
}

}  // namespace
