#include "editors/kinds/calculator_win.h"

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace calculator_win_test {

// A calculator with a display of its own.
class TestCalculator : public TlxCustomCalculator {
 public:
  using TlxCustomCalculator::TlxCustomCalculator;
  void GetDisplayText(std::string& text) override { text = display; }
  void SetDisplayText(const std::string& text) override { display = text; }
  std::string display;
};

class CalculatorWinTest : public ::testing::Test {
 protected:
  // One calculator shown and freed first, so that process-wide caches
  // (fonts, painters, the clipboard window) do not count as leaks.
  static void SetUpTestSuite() {
    TForm* form = new TForm(nullptr);
    auto* calculator = new TestCalculator(form);
    calculator->SetParent(form);
    form->Show();
    calculator->SetFocus();
    test_support::PumpMessagesUntilIdle();
    Clipboard()->SetAsText("0");
    form->Free();
    test_support::PumpMessagesUntilIdle();
  }

  CalculatorWinTest() {
    SetCursorPos(5, 5);
    gdi_ = test_support::CountGdiObjects();
    user_ = test_support::CountUserObjects();
    form_ = new TForm(nullptr);
    form_->SetBounds(80, 80, 320, 240);
    calculator_ = new TestCalculator(form_);
    calculator_->SetParent(form_);
    calculator_->SetBounds(10, 10, 196, 128);
    form_->Show();
    calculator_->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~CalculatorWinTest() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
    EXPECT_LE(test_support::CountGdiObjects(), gdi_ + 2);
    EXPECT_LE(test_support::CountUserObjects(), user_ + 2);
  }

  HWND Window() { return calculator_->Handle(); }
  POINT CentreOf(TlxCalcButtonKind button) {
    const TRect& r = calculator_->Layout().Buttons[button];
    return POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  void Click(std::initializer_list<TlxCalcButtonKind> buttons) {
    for (TlxCalcButtonKind button : buttons) {
      test_support::SendClick(Window(), CentreOf(button));
      test_support::PumpMessagesUntilIdle();
    }
  }

  TScopedLocale german_{"de-DE"};
  DWORD gdi_ = 0;
  DWORD user_ = 0;
  TForm* form_ = nullptr;
  TestCalculator* calculator_ = nullptr;
};

TEST_F(CalculatorWinTest, TheLayoutFollowsTheButtonHeight) {
  EXPECT_EQ(calculator_->Width(), 196);
  EXPECT_EQ(calculator_->Height(), 128);
  EXPECT_EQ(calculator_->ButtonAt(50, 40), cbNum7);
  calculator_->SetBounds(10, 10, 392, 256);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->Layout().ButtonHeight, 44);
  EXPECT_EQ(calculator_->Width(), calculator_->Layout().Width);
}

TEST_F(CalculatorWinTest, ClickedButtonsCompute) {
  Click({cbNum2, cbAdd, cbNum3, cbPercent});
  EXPECT_EQ(calculator_->display, "2,06");
  Click({cbClear, cbNum1, cbDiv, cbNum0, cbEqual});
  EXPECT_EQ(calculator_->display, "Error");
  Click({cbNum5});
  EXPECT_EQ(calculator_->display, "Error");
  Click({cbCancel});
  EXPECT_EQ(calculator_->display, "0");
}

TEST_F(CalculatorWinTest, TypedKeysSelectButtons) {
  test_support::SendText(Window(), "12*3=");
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->display, "36");
  test_support::SendKey(Window(), VK_F9);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->display, "-36");
  test_support::SendKey(Window(), VK_ESCAPE);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->display, "0");
}

TEST_F(CalculatorWinTest, AReleaseAwayFromThePressedButtonDoesNothing) {
  const POINT seven = CentreOf(cbNum7);
  const POINT eight = CentreOf(cbNum8);
  SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(seven.x, seven.y));
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(calculator_->IsButtonPressed(cbNum7));
  SendMessageW(Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(eight.x, eight.y));
  EXPECT_FALSE(calculator_->IsButtonPressed(cbNum7));
  SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(eight.x, eight.y));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->display, "");
  EXPECT_EQ(calculator_->TrackedButton(), cbNone);
}

TEST_F(CalculatorWinTest, MemoryButtonsAreDisabledWhileTheMemoryIsZero) {
  EXPECT_FALSE(calculator_->Engine().IsButtonEnabled(cbMR));
  Click({cbMR});
  EXPECT_EQ(calculator_->display, "");  // a disabled button takes no click
  Click({cbNum4, cbMS, cbClear, cbMR});
  EXPECT_EQ(calculator_->display, "4");
}

TEST_F(CalculatorWinTest, CaptionsAreDrawnInTheirColours) {
  test_support::PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(Window());
  const auto has_colour = [&](TlxCalcButtonKind button, COLORREF colour) {
    const TRect& r = calculator_->Layout().Buttons[button];
    for (int y = r.Top + 2; y < r.Bottom - 2; ++y)
      for (int x = r.Left + 2; x < r.Right - 2; ++x)
        if (test_support::ColorsNear(pixels.At(x, y), colour, 40))
          return true;
    return false;
  };
  EXPECT_TRUE(has_colour(cbNum7, RGB(0, 0, 255)));
  EXPECT_FALSE(has_colour(cbNum7, RGB(128, 0, 0)));
  EXPECT_TRUE(has_colour(cbClear, RGB(128, 0, 0)));
  EXPECT_TRUE(has_colour(cbSqrt, RGB(0, 0, 128)));
  // The background between the buttons is the calculator's face colour.
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(1, 1), GetSysColor(COLOR_BTNFACE), 8));
}

TEST_F(CalculatorWinTest, TheDisplayGoesToAndComesFromTheClipboard) {
  Clipboard()->SetAsText("1234,5 €");
  test_support::InputKey('V', false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(calculator_->display, "1234,5");
  calculator_->display = "42";
  test_support::InputKey('C', false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Clipboard()->AsText(), "42");
  EXPECT_EQ(calculator_->display, "42");  // Ctrl+C is no clear
}

}  // namespace calculator_win_test
