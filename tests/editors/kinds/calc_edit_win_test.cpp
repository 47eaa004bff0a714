#include "editors/kinds/calc_edit_win.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/editors_module_win.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace calc_edit_win_test {

using test_support::PumpMessagesUntilIdle;

TEST(CalcEditPropertiesTest, DefaultsPrecisionAndCopies) {
  TScopedLocale german("de-DE");
  TlxCalcEditProperties properties(nullptr);
  EXPECT_TRUE(properties.BeepOnError());
  EXPECT_FALSE(properties.PopupSizeable());
  EXPECT_FALSE(properties.ImmediateDropDown());
  EXPECT_FALSE(properties.QuickClose());
  EXPECT_EQ(properties.Precision(), 15);
  EXPECT_FALSE(properties.PrecisionNeedsStoring());
  EXPECT_TRUE(properties.PostsValueAfterPopupClosed());
  EXPECT_FALSE(properties.PopupAdjustsToWorkArea());

  properties.SetPrecision(20);
  EXPECT_EQ(properties.Precision(), 15) << "16 or more read as 15";
  EXPECT_TRUE(properties.PrecisionNeedsStoring());
  properties.SetPrecision(4);

  TlxCalcEditProperties copy(nullptr);
  copy.SetPrecision(9);
  TlxCalcEditProperties unassigned(nullptr);
  copy.Assign(&unassigned);
  EXPECT_FALSE(copy.PrecisionNeedsStoring()) << "an unassigned precision clears the copy's";
  EXPECT_EQ(copy.Precision(), 15);
  properties.SetScientificFormat(true);
  properties.SetQuickClose(true);
  copy.Assign(&properties);
  EXPECT_EQ(copy.Precision(), 4);
  EXPECT_TRUE(copy.ScientificFormat());
  EXPECT_TRUE(copy.QuickClose());
}

TEST(CalcEditPropertiesTest, DisplayByFocusFormatAndThousandSeparators) {
  TScopedLocale german("de-DE");
  TlxCalcEditProperties properties(nullptr);
  auto display = [&properties](const Variant& value, bool focused) {
    Variant shown;
    properties.ConvertToDisplayValue(value, shown, focused);
    return VarToStr(shown);
  };
  EXPECT_EQ(display(Variant::Null(), true), "");
  EXPECT_EQ(display(Variant(std::string()), false), "");
  EXPECT_EQ(display(Variant(1234.5), false), "1234,5");
  EXPECT_EQ(display(Variant(std::string("abc")), false), "abc") << "painting never raises";
  EXPECT_EQ(display(Variant(std::string("abc")), true), "");
  properties.SetUseThousandSeparator(true);
  EXPECT_TRUE(properties.ShowsThousandSeparators(false));
  EXPECT_EQ(display(Variant(1234.5), true), "1.234,5");
  properties.SetScientificFormat(true);
  EXPECT_FALSE(properties.ShowsThousandSeparators(true));
  EXPECT_EQ(display(Variant(1500.0), true), "1,5E+3");
  properties.SetDisplayFormat("0.00");
  EXPECT_EQ(display(Variant(1500.0), false), "1500,00") << "unfocused, the assigned format rules";
  EXPECT_EQ(display(Variant(1500.0), true), "1,5E+3");

  Variant value(std::string("12,5"));
  EXPECT_TRUE(properties.IsEditValueValid(value, false));
  value = Variant(std::string("zwölf"));
  EXPECT_FALSE(properties.IsEditValueValid(value, false));
  value = Variant::Null();
  EXPECT_TRUE(properties.IsEditValueValid(value, false));
}

// A calculator editor on a form, focused.
class CalcEditForm {
 public:
  CalcEditForm() {
    lxEditorsInitialize();
    lxCalcEditModuleStart();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 320);
    edit = new TlxCalcEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 150, 24);
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~CalcEditForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxCalcEditModuleEnd();
  }
  CalcEditForm(const CalcEditForm&) = delete;
  CalcEditForm& operator=(const CalcEditForm&) = delete;

  HWND InnerWindow() const { return GetFocus(); }
  void Open() {
    edit->DropDown();
    PumpMessagesUntilIdle();
  }
  void Press(std::initializer_list<TlxCalcButtonKind> buttons) {
    TlxPopupCalculator* calculator = edit->Calculator();
    for (TlxCalcButtonKind button : buttons) {
      const TRect& r = calculator->Layout().Buttons[button];
      test_support::SendClick(calculator->Handle(), POINT{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
      PumpMessagesUntilIdle();
    }
  }

  TScopedLocale german{"de-DE"};
  TForm* form;
  TlxCalcEdit* edit;
};

TEST(CalcEditTest, IsRegisteredWithItsFilterHelper) {
  CalcEditForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxCalcEditProperties"),
            &TlxCalcEditProperties::kClass);
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxCalcEditProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxCalcEdit::kClass);
  TlxCalcEditProperties source(nullptr);
  TlxCalcEditProperties operand(nullptr);
  helper->InitValueEditorProperties(&operand, &source, false);
  EXPECT_TRUE(operand.QuickClose()) << "the filter's calculator closes on '='";
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(&operand, nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoBetween));
  EXPECT_FALSE(operators.Contains(fcoLike));
}

TEST(CalcEditTest, TypingTakesNumbersOnlyAndValueFollowsTheText) {
  CalcEditForm fixture;
  EXPECT_EQ(fixture.edit->Value(), 0);
  test_support::SendText(fixture.InnerWindow(), "12x.5");
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "12,5") << "a letter is refused, '.' becomes ','";
  Variant value;
  fixture.edit->ConvertDisplayToEditValue(Variant(std::string("Zahl")), value, true);
  EXPECT_TRUE(value.IsNull());
  fixture.edit->ConvertDisplayToEditValue(Variant(std::string("")), value, true);
  EXPECT_TRUE(value.IsNull());
  fixture.edit->ValidateEdit(true);
  EXPECT_DOUBLE_EQ(fixture.edit->Value(), 12.5);
  fixture.edit->SetValue(-3.25);
  EXPECT_DOUBLE_EQ(fixture.edit->Value(), -3.25);
  EXPECT_EQ(fixture.edit->Text(), "-3,25");
}

TEST(CalcEditTest, TheDropDownCalculatorWorksOnTheTextAndEnterPostsTheResult) {
  CalcEditForm fixture;
  test_support::SendText(fixture.InnerWindow(), "12");
  PumpMessagesUntilIdle();
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  TlxPopupCalculator* calculator = fixture.edit->Calculator();
  EXPECT_EQ(calculator->Parent(), fixture.edit->PopupWindow());
  fixture.Press({cbAdd, cbNum3, cbEqual});
  EXPECT_EQ(fixture.edit->Text(), "15");
  fixture.Press({cbMul, cbNum2, cbPercent});
  EXPECT_EQ(fixture.edit->Text(), "0,3") << "15 * 2 % is 2 % of 15";
  test_support::InputKey(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_DOUBLE_EQ(fixture.edit->Value(), 0.3);
  EXPECT_EQ(calculator->Parent(), nullptr) << "the calculator went home";
}

TEST(CalcEditTest, AnErrorLeftOnTheDisplayBecomesZero) {
  CalcEditForm fixture;
  test_support::SendText(fixture.InnerWindow(), "7");
  PumpMessagesUntilIdle();
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  fixture.Press({cbDiv, cbNum0, cbEqual});
  EXPECT_EQ(fixture.edit->Text(), lxEditResString(slxSCalcError));
  fixture.Press({cbNum5});
  EXPECT_EQ(fixture.edit->Text(), "Error") << "only C and CE leave the error state";
  test_support::InputKey(VK_ESCAPE);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Value(), 0);
  EXPECT_EQ(fixture.edit->Text(), "0");
}

TEST(CalcEditTest, QuickCloseClosesOnEqualsAndAltDownToggles) {
  CalcEditForm fixture;
  fixture.edit->GetProperties()->SetQuickClose(true);
  test_support::InputKey(VK_F4);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(fixture.edit->GetDroppedDown()) << "F4 opens";
  test_support::SendText(fixture.edit->Calculator()->Handle(), "4*5");
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "5");
  test_support::SendText(fixture.edit->Calculator()->Handle(), "=");
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_DOUBLE_EQ(fixture.edit->Value(), 20);

  fixture.edit->GetProperties()->SetQuickClose(false);
  fixture.Open();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  test_support::SendText(fixture.edit->Calculator()->Handle(), "=");
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.edit->GetDroppedDown()) << "without QuickClose '=' only computes";
  test_support::InputKey(VK_F4);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
}

TEST(CalcEditTest, PastingGoesThroughTheCalculator) {
  CalcEditForm fixture;
  Clipboard()->SetAsText(" 2500,5 ");
  fixture.edit->PasteFromClipboard();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "2500,5");
  Clipboard()->SetAsText("kein Betrag");
  fixture.edit->PasteFromClipboard();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "0");
  fixture.edit->GetProperties()->SetReadOnly(true);
  Clipboard()->SetAsText("9");
  fixture.edit->PasteFromClipboard();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->Text(), "0") << "a read-only editor takes nothing";
  EXPECT_FALSE(fixture.edit->CanDropDown());
}

}  // namespace calc_edit_win_test
