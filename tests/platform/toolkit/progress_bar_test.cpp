#include "platform/toolkit/progress_bar.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace {

class ProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 300, 120);
    bar_ = new TProgressBar(form_);
    bar_->SetParent(form_);
    bar_->SetBounds(10, 10, 200, 20);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }
  LRESULT SystemPosition() { return SendMessageW(bar_->Handle(), PBM_GETPOS, 0, 0); }

  TForm* form_ = nullptr;
  TProgressBar* bar_ = nullptr;
};

TEST_F(ProgressBarTest, RangePositionAndSteps) {
  bar_->SetMax(4);
  bar_->SetStep(1);
  bar_->StepIt();
  bar_->StepIt();
  EXPECT_EQ(bar_->Position(), 2);
  EXPECT_EQ(SystemPosition(), 2);
  bar_->SetPosition(99);
  EXPECT_EQ(bar_->Position(), 4);
  bar_->StepBy(-10);
  EXPECT_EQ(bar_->Position(), 0);
  EXPECT_THROW(bar_->SetMin(5), EInvalidOperation);
  bar_->SetRange(10, 20);
  EXPECT_EQ(bar_->Position(), 10);
  EXPECT_EQ(SendMessageW(bar_->Handle(), PBM_GETRANGE, TRUE, 0), 10);
  EXPECT_EQ(SendMessageW(bar_->Handle(), PBM_GETRANGE, FALSE, 0), 20);
  bar_->SetSmooth(true);  // a new window with the same values
  EXPECT_EQ(SystemPosition(), 10);
}

TEST_F(ProgressBarTest, RepaintsWithoutTheMessageLoop) {
  bar_->SetMax(10);
  bar_->SetPosition(0);
  const COLORREF empty = test_support::WindowPixels::Capture(bar_->Handle()).At(150, 10);
  // A busy loop: no messages are handled between the steps and the look.
  bar_->SetPosition(10);
  const COLORREF full = test_support::WindowPixels::Capture(bar_->Handle()).At(150, 10);
  EXPECT_NE(empty, full);
}

}  // namespace
