#include "ui/foundation/foundation_start_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/screen.h"
#include "tests/support/gui_objects.h"
#include "ui/foundation/base/library_strings.h"
#include "ui/foundation/controls/settings_controller_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/system/library_cursors.h"
#include "ui/foundation/system/message_window_win.h"

namespace {

// Each test begins with the shared-windows module ended (other tests leave
// it started) and puts back what it found.
class FoundationStartTest : public ::testing::Test {
 protected:
  FoundationStartTest() {
    while (lxSystemController() != nullptr) {
      lxEndFoundationModule();
      ++module_starts_found_;
    }
  }
  ~FoundationStartTest() override {
    while (lxFoundationStarted())
      lxEndFoundation();
    for (int i = 0; i < module_starts_found_; ++i)
      lxStartFoundationModule();
  }

  static bool LibraryStringsRegistered() {
    return lxGetResourceStringsRepository().IndexOfProduct(kLxLibraryProductKey) >= 0;
  }
  static bool CursorsRegistered() { return Screen->Cursors(crLxDragCopy) != Screen->Cursors(crDefault); }

 private:
  int module_starts_found_ = 0;
};

TEST_F(FoundationStartTest, StartsEveryPartOnceAndEndsThemAtTheLastEnd) {
  lxStartFoundation();
  EXPECT_TRUE(lxFoundationStarted());
  EXPECT_TRUE(LibraryStringsRegistered());
  EXPECT_EQ(lxLookupResString(lxSDateToday), "today");
  EXPECT_NE(lxGetRootLookAndFeel(), nullptr);
  EXPECT_TRUE(CursorsRegistered());
  TlxSystemController* controller = lxSystemController();
  EXPECT_NE(controller, nullptr);
  EXPECT_NE(lxUser32Library(), nullptr);
  if (lxIsMajorVersion6OrLaterPlatform()) {
    EXPECT_TRUE(lxDwmApiLoaded());
  }

  lxSettingsController();  // made on first use by the controls
  lxStartFoundation();
  lxEndFoundation();
  EXPECT_TRUE(lxFoundationStarted()) << "a nested end does nothing";
  EXPECT_NE(lxSettingsControllerIfExists(), nullptr);
  EXPECT_EQ(lxSystemController(), controller);
  EXPECT_TRUE(CursorsRegistered());

  lxEndFoundation();
  EXPECT_FALSE(lxFoundationStarted());
  EXPECT_FALSE(LibraryStringsRegistered());
  EXPECT_EQ(lxGetRootLookAndFeel(), nullptr);
  EXPECT_FALSE(CursorsRegistered());
  EXPECT_EQ(lxSystemController(), nullptr);
  EXPECT_EQ(lxUser32Library(), nullptr);
  EXPECT_FALSE(lxDwmApiLoaded());
  EXPECT_EQ(lxSettingsControllerIfExists(), nullptr) << "freed by the module's end";

  lxEndFoundation();  // unbalanced: nothing
  EXPECT_FALSE(lxFoundationStarted());
}

// Whatever the start makes, the end gives back. The first round makes the
// process-wide things that live until the program ends (the visual-styles
// binding, the theme notifier).
TEST_F(FoundationStartTest, HandlesComeBackAfterAStartAndEnd) {
  lxStartFoundation();
  lxEndFoundation();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  lxStartFoundation();
  lxEndFoundation();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
