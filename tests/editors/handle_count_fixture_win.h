#pragma once
// A test fixture that checks each test of a text editor kind gives back the
// GDI and USER objects it made.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace edit_test {

template <class Edit>
class HandleCountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WarmUpOnce();
    gdi_before_ = test_support::CountGdiObjects();
    user_before_ = test_support::CountUserObjects();
  }
  void TearDown() override {
    test_support::PumpMessagesUntilIdle();
    EXPECT_LE(test_support::CountGdiObjects(), gdi_before_ + 2);
    EXPECT_LE(test_support::CountUserObjects(), user_before_);
  }

 private:
  // The first editor shown fills the process's shared caches (brushes by
  // colour, fonts, the input method's window), which live until the end:
  // the counts compare against what they hold after that.
  static void WarmUpOnce() {
    static bool warmed_up = false;
    if (warmed_up)
      return;
    warmed_up = true;
    {
      EditForm<Edit> fixture;
      fixture.FocusEdit();
      test_support::SendText(fixture.edit->GetInnerTextEdit()->GetControl()->Handle(), "x");
      test_support::PumpMessagesUntilIdle();
    }
    test_support::PumpMessagesUntilIdle();
  }

  DWORD gdi_before_ = 0;
  DWORD user_before_ = 0;
};

}  // namespace edit_test
