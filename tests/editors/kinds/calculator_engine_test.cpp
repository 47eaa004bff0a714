#include "editors/kinds/calculator_engine.h"

#include <gtest/gtest.h>

#include "platform/rtl/locale.h"

namespace calculator_engine_test {

// A calculator with a display of its own that counts beeps and results.
class TestCalculator : public TlxCalculatorEngine {
 public:
  std::string GetDisplayText() const override { return display; }
  void SetDisplayText(const std::string& text) override { display = text; }

  // Presses the buttons the characters select.
  void Type(std::string_view keys) {
    for (char key : keys)
      ExecuteButton(lxCalcButtonOfChar(static_cast<char16_t>(key)));
  }

  std::string display;
  int32_t beeps = 0;
  int32_t results = 0;

 protected:
  void Beep() override { ++beeps; }
  void DoResult() override {
    ++results;
    TlxCalculatorEngine::DoResult();
  }
};

class CalculatorEngineTest : public ::testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TestCalculator calculator;
};

TEST_F(CalculatorEngineTest, KeySequencesGiveTheirDisplays) {
  const struct {
    const char* keys;
    const char* display;
  } cases[] = {
      {"2+3%", "2,06"},
      {"50*10%", "5"},
      {"1/0=", "Error"},
      {"5+=", "5"},
      {"2/3=", "0,666666666666667"},
      {"1500=", "1500"},
      {"1/20=", "0,05"},
      {"1/20000=", "5E-5"},
      {"100000000*100000000=", "1E16"},
      {"12,5-0,5=", "12"},
      {"7-9=", "-2"},
      {"3*4+1=", "13"},
      {",5", "0,5"},
      {"1,2,3", "1,23"},
      {"\b", "0"},
      {"123\b", "12"},
  };
  for (const auto& c : cases) {
    TestCalculator fresh;
    fresh.Type(c.keys);
    EXPECT_EQ(fresh.display, c.display) << c.keys;
  }
}

TEST_F(CalculatorEngineTest, OnlyTheClearKeysLeaveTheErrorState) {
  calculator.Type("4");
  calculator.ExecuteButton(cbSign);
  EXPECT_EQ(calculator.display, "-4");
  calculator.ExecuteButton(cbSqrt);
  EXPECT_EQ(calculator.display, "Error");
  EXPECT_EQ(calculator.Status(), csError);
  const int32_t beeps = calculator.beeps;
  calculator.Type("5+");
  EXPECT_EQ(calculator.display, "Error");
  EXPECT_EQ(calculator.beeps, beeps + 2);
  calculator.ExecuteButton(cbCancel);
  EXPECT_EQ(calculator.display, "0");
  EXPECT_EQ(calculator.Status(), csFirst);
  EXPECT_EQ(calculator.PendingOperator(), cbEqual);
}

TEST_F(CalculatorEngineTest, ALoneMinusAndOverflowEnterTheErrorState) {
  calculator.display = "-";
  calculator.ExecuteButton(cbAdd);
  EXPECT_EQ(calculator.display, "Error");
  TestCalculator overflow;
  overflow.display = "1E300";
  overflow.ExecuteButton(cbMul);
  overflow.display = "1E300";
  overflow.ExecuteButton(cbNum1);  // starts a new entry
  overflow.display = "1E300";
  overflow.ExecuteButton(cbEqual);
  EXPECT_EQ(overflow.display, "Error");
  EXPECT_EQ(overflow.Status(), csError);
}

TEST_F(CalculatorEngineTest, TypingStopsAtThePrecision) {
  calculator.Type("123456789012345");
  EXPECT_EQ(calculator.display, "123456789012345");
  calculator.Type("6");
  EXPECT_EQ(calculator.display, "123456789012345");
  EXPECT_EQ(calculator.beeps, 1);
  calculator.SetBeepOnError(false);
  calculator.Type("7");
  EXPECT_EQ(calculator.beeps, 1);
  // A leading minus makes room for one more character.
  TestCalculator typed;
  typed.Type("1");
  typed.ExecuteButton(cbSign);
  typed.display = "-12345678901234";
  typed.Type("56");
  EXPECT_EQ(typed.display, "-123456789012345");
}

TEST_F(CalculatorEngineTest, BackspaceOnASignedDigitGivesZero) {
  calculator.Type("5");
  calculator.ExecuteButton(cbSign);
  calculator.ExecuteButton(cbBack);
  EXPECT_EQ(calculator.display, "0");
}

TEST_F(CalculatorEngineTest, TheMemoryKeysAndTheirEnabledState) {
  EXPECT_FALSE(calculator.IsButtonEnabled(cbMR));
  EXPECT_FALSE(calculator.IsButtonEnabled(cbMC));
  calculator.Type("12");
  calculator.ExecuteButton(cbMS);
  EXPECT_TRUE(calculator.IsButtonEnabled(cbMR));
  calculator.Type("3");
  calculator.ExecuteButton(cbMP);
  EXPECT_EQ(calculator.Memory(), 15);
  calculator.ExecuteButton(cbClear);
  calculator.ExecuteButton(cbMR);
  EXPECT_EQ(calculator.display, "15");
  calculator.ExecuteButton(cbMC);
  EXPECT_FALSE(calculator.IsButtonEnabled(cbMR));
}

TEST_F(CalculatorEngineTest, PercentAndEqualsRaiseTheResultEvent) {
  calculator.Type("2+3");
  EXPECT_EQ(calculator.results, 0);
  calculator.Type("%");
  EXPECT_EQ(calculator.results, 1);
  calculator.Type("=");
  EXPECT_EQ(calculator.results, 2);
}

TEST_F(CalculatorEngineTest, TheClickEventMayChangeTheButton) {
  calculator.OnButtonClick = [](TObject*, TlxCalcButtonKind& button) {
    if (button == cbNum1)
      button = cbNum9;
  };
  calculator.Type("11");
  EXPECT_EQ(calculator.display, "99");
}

TEST_F(CalculatorEngineTest, PastedTextLosesTheCurrencyString) {
  calculator.PasteText(" 12,5 €");
  EXPECT_EQ(calculator.display, "12,5");
  EXPECT_EQ(calculator.Status(), csValid);
  calculator.PasteText("abc");
  EXPECT_EQ(calculator.display, "0");
}

TEST_F(CalculatorEngineTest, KeysSelectButtons) {
  EXPECT_EQ(lxCalcButtonOfKey(0x0D, false), cbEqual);
  EXPECT_EQ(lxCalcButtonOfKey('C', false), cbClear);
  EXPECT_EQ(lxCalcButtonOfKey('C', true), cbNone);
  EXPECT_EQ(lxCalcButtonOfKey('R', false), cbRev);
  EXPECT_EQ(lxCalcButtonOfKey('R', true), cbMR);
  EXPECT_EQ(lxCalcButtonOfKey(0x78, false), cbSign);
  EXPECT_EQ(lxCalcButtonOfChar(u'@'), cbSqrt);
  EXPECT_EQ(lxCalcButtonOfChar(u'x'), cbNone);
  EXPECT_EQ(lxCalcButtonCaption(cbDecimal), ",");
}

TEST(CalculatorLayoutTest, SizesFollowTheButtonHeight) {
  const TlxCalculatorLayout layout = lxCalculatorLayout(22);
  EXPECT_EQ(layout.WideButtonWidth, 48);
  EXPECT_EQ(layout.Width, 196);
  EXPECT_EQ(layout.Height, 128);
  EXPECT_EQ(layout.Buttons[cbNum7], TRect(41, 28, 69, 50));
  EXPECT_EQ(layout.Buttons[cbEqual], TRect(165, 103, 193, 125));
  EXPECT_EQ(layout.Buttons[cbClear], TRect(145, 3, 193, 25));
  EXPECT_EQ(layout.Buttons[cbMC], TRect(3, 28, 31, 50));
  EXPECT_EQ(layout.ButtonAt(TPoint(50, 40)), cbNum7);
  EXPECT_EQ(layout.ButtonAt(TPoint(35, 40)), cbNone);
  EXPECT_EQ(layout.ButtonAt(TPoint(192, 124)), cbEqual);
  const TlxCalculatorLayout large = lxCalculatorLayout(44);
  EXPECT_EQ(large.ButtonWidth, 56);
  EXPECT_EQ(large.Gap, 6);
}

TEST(CalculatorLayoutTest, AutoFontSizeGrowsTheButtonsWithTheSize) {
  EXPECT_EQ(lxCalculatorButtonHeightFor(196, 128), 22);
  EXPECT_EQ(lxCalculatorButtonHeightFor(100, 50), 22);  // never below 22
  EXPECT_EQ(lxCalculatorButtonHeightFor(392, 256), 44);
  EXPECT_EQ(lxCalculatorButtonHeightFor(392, 128), 22);  // the height limits
}

}  // namespace calculator_engine_test
