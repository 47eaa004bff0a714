#pragma once
// A shown form 360 x 240 holding a tab control 300 x 150 at (10, 10) with
// a few tabs, the shipped painters registered for the test's duration, and
// the captures the painter tests sample.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

template <typename Base = ::testing::Test>
class TTabFormTest : public Base {
 protected:
  explicit TTabFormTest(std::vector<std::string> captions = {"Eins", "Zwei", "Drei"})
      : captions_(std::move(captions)) {}

  void SetUp() override {
    lxPCRegisterShippedPainters();
    form_ = new TForm(nullptr);
    form_->SetBounds(60, 60, 360, 240);
    control_ = new TlxTabControl(form_);
    control_->SetParent(form_);
    control_->SetBounds(10, 10, 300, 150);
    for (const std::string& caption : captions_)
      control_->Tabs().Add(caption);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    lxPCUnregisterShippedPainters();
  }

  TlxTab& Tab(int32_t visible_index) { return *control_->Tabs().GetVisibleTab(visible_index); }
  test_support::WindowPixels Capture() {
    RedrawWindow(control_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return test_support::WindowPixels::Capture(control_->Handle());
  }
  COLORREF Pixel(int32_t x, int32_t y) { return Capture().At(x, y); }
  // How many pixels of `r` have the colour.
  static int32_t CountIn(const test_support::WindowPixels& pixels, const TRect& r, COLORREF color) {
    int32_t count = 0;
    for (int32_t y = r.Top; y < r.Bottom; ++y)
      for (int32_t x = r.Left; x < r.Right; ++x)
        count += pixels.At(x, y) == color;
    return count;
  }

  std::vector<std::string> captions_;
  TForm* form_ = nullptr;
  TlxTabControl* control_ = nullptr;
};
