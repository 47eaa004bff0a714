// The spin edit on a real form: steps through the control in every bounds
// mode (64-bit limits, rounded increments, values outside the bounds,
// wrapping that stays inside), keys and the wheel, a held button that
// repeats on the timer's ticks, and text that does not parse.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "data/variant_utils.h"
#include "editors/edit_error.h"
#include "editors/kinds/spin_edit_win.h"
#include "platform/rtl/text.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace spin_edit_win_test {

using edit_test::EditForm;

constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();

// Properties whose steps past a bound are refused instead of stopping.
class RefusingSpinProperties : public TlxSpinEditProperties {
 public:
  static constexpr TClass kClass{"TestRefusingSpinProperties", &TlxSpinEditProperties::kClass,
                                 &ConstructInstance<RefusingSpinProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxSpinEditProperties::TlxSpinEditProperties;
  bool IsBoundsLimited() const override { return false; }
};

class RefusingSpinEdit : public TlxCustomSpinEdit {
 public:
  static constexpr TClass kClass{"TestRefusingSpinEdit", &TlxCustomSpinEdit::kClass,
                                 &ConstructInstance<RefusingSpinEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RefusingSpinEdit(TComponent* owner) : TlxCustomSpinEdit(owner, RefusingSpinProperties::kClass) {}
};

// A spin edit whose repeat timer never runs by itself: the test ticks it.
class HandTickedSpinEdit : public TlxSpinEdit {
 public:
  static constexpr TClass kClass{"TestHandTickedSpinEdit", &TlxSpinEdit::kClass,
                                 &ConstructInstance<HandTickedSpinEdit>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxSpinEdit::TlxSpinEdit;

 protected:
  std::unique_ptr<TlxTimer> CreateRepeatTimer() override {
    std::unique_ptr<TlxTimer> timer = TlxSpinEdit::CreateRepeatTimer();
    timer->SetEnabled(false);
    return timer;
  }
};

TlxCustomSpinEditProperties* PropertiesOf(TlxCustomSpinEdit* edit) {
  return static_cast<TlxCustomSpinEditProperties*>(edit->Properties());
}

HWND InnerWindow(TlxCustomSpinEdit* edit) { return edit->GetInnerTextEdit()->GetControl()->Handle(); }

void Type(TlxCustomSpinEdit* edit, const std::string& text) {
  test_support::SendText(InnerWindow(edit), text);
  test_support::PumpMessagesUntilIdle();
}

void Key(TlxCustomSpinEdit* edit, UINT key, bool control = false) {
  test_support::SendKey(InnerWindow(edit), key, false, control);
  test_support::PumpMessagesUntilIdle();
}

std::string ValidationError(TlxCustomEdit* edit) {
  try {
    edit->ValidateEdit(true);
  } catch (const ElxEditError& error) {
    return error.Message();
  }
  return std::string();
}

// A value shown as its plain number, integer or float.
Variant Int(int64_t value) { return Variant(value); }

enum class Mode { kRefuse, kStop, kWrap };

struct SpinCase {
  const char* name;
  Mode mode;
  TlxSpinEditValueType type;
  bool has_min;
  double min_value;
  bool has_max;
  double max_value;
  double increment;
  Variant start;
  int32_t button;
  Variant expected;
};

template <class Edit>
Variant SpinOnce(const SpinCase& c) {
  EditForm<Edit> fixture;
  TlxCustomSpinEditProperties* properties = PropertiesOf(fixture.edit);
  properties->SetValueType(c.type);
  if (c.has_min)
    properties->SetMinValue(c.min_value);
  if (c.has_max)
    properties->SetMaxValue(c.max_value);
  properties->SetCircular(c.mode == Mode::kWrap);
  properties->SetIncrement(c.increment);
  fixture.edit->SetEditValue(c.start);
  fixture.FocusEdit();
  fixture.edit->DoSpin(c.button);
  return fixture.edit->GetValue();
}

TEST(SpinEditTest, StepsFollowTheBoundsModeAndStayInsideTheBounds) {
  using B = TlxCustomSpinEdit;
  const SpinCase cases[] = {
      {"wrap up past the maximum", Mode::kWrap, vtInt, true, 0, true, 59, 5, Int(58), B::kButtonUp, Int(3)},
      {"wrap down past the minimum", Mode::kWrap, vtInt, true, 0, true, 59, 5, Int(1), B::kButtonDown, Int(56)},
      {"stop at the maximum", Mode::kStop, vtInt, true, 0, true, 10, 3, Int(9), B::kButtonUp, Int(10)},
      {"stop stays at the maximum", Mode::kStop, vtInt, true, 0, true, 10, 3, Int(10), B::kButtonUp, Int(10)},
      {"refused past the maximum", Mode::kRefuse, vtInt, true, 0, true, 10, 3, Int(9), B::kButtonUp, Int(9)},
      {"above the range, up without wrap", Mode::kStop, vtInt, true, 0, true, 10, 1, Int(15), B::kButtonUp,
       Int(15)},
      {"above the range, up with wrap", Mode::kWrap, vtInt, true, 0, true, 10, 1, Int(15), B::kButtonUp, Int(0)},
      {"above the range, down", Mode::kStop, vtInt, true, 0, true, 10, 1, Int(15), B::kButtonDown, Int(10)},
      {"below the range, up", Mode::kStop, vtInt, true, 0, true, 10, 1, Int(-5), B::kButtonUp, Int(0)},
      {"below the range, down with wrap", Mode::kWrap, vtInt, true, 0, true, 10, 1, Int(-5), B::kButtonDown,
       Int(10)},
      {"below the range, down without wrap", Mode::kStop, vtInt, true, 0, true, 10, 1, Int(-5), B::kButtonDown,
       Int(-5)},
      {"increment 1.5 rounds to 2", Mode::kStop, vtInt, false, 0, false, 0, 1.5, Int(0), B::kButtonUp, Int(2)},
      {"increment 2.5 rounds to 2", Mode::kStop, vtInt, false, 0, false, 0, 2.5, Int(0), B::kButtonUp, Int(2)},
      {"the 64-bit maximum stops", Mode::kStop, vtInt, false, 0, false, 0, 5, Int(kMax64 - 1), B::kButtonUp,
       Int(kMax64)},
      {"the 64-bit minimum stops", Mode::kStop, vtInt, false, 0, false, 0, 5, Int(kMin64 + 1), B::kButtonDown,
       Int(kMin64)},
      {"the 64-bit maximum wraps to the minimum", Mode::kWrap, vtInt, false, 0, false, 0, 1, Int(kMax64),
       B::kButtonUp, Int(kMin64)},
      {"only a maximum: no lower bound but the type's", Mode::kStop, vtInt, false, 0, true, 10, 5, Int(-100),
       B::kButtonDown, Int(-105)},
      {"float steps by 1.5", Mode::kStop, vtFloat, false, 0, false, 0, 1.5, Variant(1.0), B::kButtonUp,
       Variant(2.5)},
  };
  for (const SpinCase& c : cases) {
    const Variant value = c.mode == Mode::kRefuse ? SpinOnce<RefusingSpinEdit>(c) : SpinOnce<TlxSpinEdit>(c);
    EXPECT_EQ(lxVariantCompare(value, c.expected), 0)
        << c.name << ": got " << VarToStr(value) << ", expected " << VarToStr(c.expected);
  }
}

TEST(SpinEditTest, AFractionalWrapStaysInsideTheRange) {
  const SpinCase c{"", Mode::kWrap, vtFloat, true, 0, true, 10, 0.5, Variant(9.8), TlxCustomSpinEdit::kButtonUp,
                   Variant(0.0)};
  const double value = SpinOnce<TlxSpinEdit>(c).AsDouble();
  EXPECT_GE(value, 0.0);
  EXPECT_LE(value, 10.0);
  EXPECT_NEAR(value, 0.3, 1e-9);
}

TEST(SpinEditTest, ArrowAndPageKeysSpinAndShowTheText) {
  EditForm<TlxSpinEdit> fixture;
  TlxSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtInt);
  fixture.FocusEdit();
  Key(edit, VK_UP);
  EXPECT_EQ(edit->ShownText(), "1");
  Key(edit, VK_PRIOR);
  EXPECT_EQ(edit->ShownText(), "11");
  Key(edit, VK_NEXT);
  Key(edit, VK_DOWN);
  EXPECT_EQ(edit->ShownText(), "0");
  EXPECT_TRUE(edit->Modified());
  EXPECT_EQ(edit->KeyboardSpinState(), 0) << "the key's release stops the spin";
}

TEST(SpinEditTest, WithCtrlIncrementOnlyCtrlArrowsSpin) {
  EditForm<TlxSpinEdit> fixture;
  TlxSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtInt);
  edit->GetProperties()->SetUseCtrlIncrement(true);
  fixture.FocusEdit();
  Key(edit, VK_UP);
  EXPECT_EQ(edit->GetValue().AsInt64(), 0);
  test_support::InputKey(VK_UP, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->GetValue().AsInt64(), 1);
}

TEST(SpinEditTest, TheWheelSpinsOncePerNotch) {
  EditForm<TlxSpinEdit> fixture;
  TlxSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtInt);
  fixture.FocusEdit();
  EXPECT_TRUE(edit->DoMouseWheel(TShiftState(), 2 * WHEEL_DELTA, TPoint(20, 20)));
  EXPECT_EQ(edit->GetValue().AsInt64(), 2);
  EXPECT_TRUE(edit->DoMouseWheel(TShiftState(), -WHEEL_DELTA, TPoint(20, 20)));
  EXPECT_EQ(edit->GetValue().AsInt64(), 1);
}

// The client rectangle of the button with a spin index.
bool FindSpinButton(TlxCustomSpinEdit* edit, int32_t button_index, TRect& bounds) {
  const TlxCustomEditViewInfo& view_info = edit->GetViewInfo();
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    if (view_info.Button(i).ButtonIndex != button_index)
      continue;
    bounds = view_info.Button(i).Bounds;
    return true;
  }
  return false;
}

TEST(SpinEditTest, AHeldButtonStepsAtOnceThenOnEveryTick) {
  EditForm<HandTickedSpinEdit> fixture;
  HandTickedSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtInt);
  fixture.FocusEdit();
  TRect up;
  ASSERT_TRUE(FindSpinButton(edit, TlxCustomSpinEdit::kButtonUp, up));
  POINT point{(up.Left + up.Right) / 2, (up.Top + up.Bottom) / 2};
  ClientToScreen(edit->Handle(), &point);
  test_support::InputMouseAt(point, MOUSEEVENTF_LEFTDOWN);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->GetValue().AsInt64(), 1) << "one step at once";
  TlxTimer* timer = edit->RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->Interval(), TlxCustomSpinEdit::kFirstRepeatInterval);
  timer->FireTimer();
  EXPECT_EQ(edit->GetValue().AsInt64(), 2);
  EXPECT_EQ(timer->Interval(), TlxCustomSpinEdit::kRepeatInterval) << "later steps come faster";
  timer->FireTimer();
  EXPECT_EQ(edit->GetValue().AsInt64(), 3);
  test_support::InputMouseAt(point, MOUSEEVENTF_LEFTUP);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(edit->RepeatTimer(), nullptr) << "releasing stops at once";
  EXPECT_EQ(edit->GetValue().AsInt64(), 3);
  EXPECT_EQ(edit->ShownText(), "3");
}

TEST(SpinEditTest, UnparsableTextFallsBackToTheLastValidValue) {
  const char* texts[] = {"--", "1e400", "9223372036854775808"};
  for (const char* text : texts) {
    for (TlxSpinEditValueType type : {vtInt, vtFloat}) {
      if (type == vtInt && std::string(text) == "1e400")
        continue;
      if (type == vtFloat && std::string(text) == "9223372036854775808")
        continue;
      EditForm<TlxSpinEdit> fixture;
      TlxSpinEdit* edit = fixture.edit;
      edit->GetProperties()->SetValueType(type);
      fixture.FocusEdit();
      Key(edit, VK_UP);
      edit->SelectAll();
      Type(edit, text);
      EXPECT_EQ(edit->ShownText(), text);
      EXPECT_EQ(ValidationError(edit), "") << text << ": the last valid value stands in, without an error";
      EXPECT_EQ(edit->ShownText(), "1") << text;
    }
  }
}

TEST(SpinEditTest, UnparsableTextIsAnErrorWithExceptionOnInvalidInput) {
  EditForm<TlxSpinEdit> fixture;
  TlxSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtInt);
  edit->GetProperties()->SetExceptionOnInvalidInput(true);
  fixture.FocusEdit();
  Type(edit, "--");
  EXPECT_EQ(ValidationError(edit), "Invalid numeric value");
}

TEST(SpinEditTest, LettersAreRefusedAndFloatsTakeTheExponent) {
  EditForm<TlxSpinEdit> fixture;
  TlxSpinEdit* edit = fixture.edit;
  edit->GetProperties()->SetValueType(vtFloat);
  fixture.FocusEdit();
  edit->SelectAll();
  Type(edit, "1xe3");
  EXPECT_EQ(edit->ShownText(), "1e3");
  EXPECT_EQ(ValidationError(edit), "");
  EXPECT_DOUBLE_EQ(edit->GetValue().AsDouble(), 1000.0);
}

TEST(SpinEditTest, TheKindMakesASpinEditAndItsFilterHelperToo) {
  TlxSpinEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxSpinEdit::kClass);
  TlxFilterSpinEditHelper helper;
  EXPECT_EQ(helper.GetValueEditorClass(), &TlxSpinEdit::kClass);
}

}  // namespace spin_edit_win_test
