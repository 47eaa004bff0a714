#include "editors/kinds/check_box_win.h"

#include <gtest/gtest.h>

#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace check_box_win_test {

using test_support::PumpMessagesUntilIdle;

class CheckBoxFixture {
 public:
  CheckBoxFixture() {
    SetCursorPos(0, 0);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 100, 80, 20);
    box = new TlxCheckBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 121, 21);
    box->SetCaption("Drucken");
    box->OnClick = [this](TObject*) { ++clicks; };
    box->CheckProperties().OnChange = [this](TObject*) { ++changes; };
    form->Show();
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~CheckBoxFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  CheckBoxFixture(const CheckBoxFixture&) = delete;
  CheckBoxFixture& operator=(const CheckBoxFixture&) = delete;

  void ClickCheck() {
    const TRect check = box->CheckViewInfo().CheckRect;
    test_support::InputClick(box->WindowHandle(), POINT{(check.Left + check.Right) / 2, (check.Top + check.Bottom) / 2});
    PumpMessagesUntilIdle(500);
    SetCursorPos(0, 0);
    PumpMessagesUntilIdle();
  }

  TForm* form;
  TEdit* edit;
  TlxCheckBox* box;
  int32_t clicks = 0;
  int32_t changes = 0;
};

TEST(CheckBoxControlTest, StartsUncheckedWithTheUncheckedValue) {
  CheckBoxFixture fixture;
  EXPECT_EQ(fixture.box->State(), cbsUnchecked);
  EXPECT_FALSE(fixture.box->EditValue().AsBoolean());
  EXPECT_EQ(fixture.box->Width(), 121);
}

TEST(CheckBoxControlTest, OneClickOnTheCheckTogglesOnceWithOneClickAndOneChange) {
  CheckBoxFixture fixture;
  fixture.ClickCheck();
  EXPECT_EQ(fixture.box->State(), cbsChecked);
  EXPECT_EQ(fixture.clicks, 1);
  EXPECT_EQ(fixture.changes, 1);
  fixture.ClickCheck();
  EXPECT_EQ(fixture.box->State(), cbsUnchecked);
  EXPECT_EQ(fixture.clicks, 2);
  EXPECT_EQ(fixture.changes, 2);
}

TEST(CheckBoxControlTest, WithAllowGrayedTogglesRunThroughGrayed) {
  CheckBoxFixture fixture;
  fixture.box->CheckProperties().SetAllowGrayed(true);
  std::vector<TlxCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    fixture.ClickCheck();
    seen.push_back(fixture.box->State());
  }
  EXPECT_EQ(seen, (std::vector<TlxCheckBoxState>{cbsGrayed, cbsChecked, cbsUnchecked}));
  EXPECT_FALSE(fixture.box->EditValue().AsBoolean());
}

TEST(CheckBoxControlTest, SpaceShowsThePressAndTogglesOnRelease) {
  CheckBoxFixture fixture;
  fixture.box->SetFocus();
  PumpMessagesUntilIdle();
  const HWND window = fixture.box->WindowHandle();
  SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_TRUE(fixture.box->IsKeyboardPressed());
  EXPECT_EQ(fixture.box->CheckViewInfo().CheckButtonState, cbnPressed);
  EXPECT_EQ(fixture.box->State(), cbsUnchecked);
  SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.box->State(), cbsChecked);
  EXPECT_EQ(fixture.clicks, 1);
  // Leaving before the release keeps the state.
  SendMessageW(window, WM_KEYDOWN, VK_SPACE, 1);
  fixture.edit->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.box->IsKeyboardPressed());
  SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.box->State(), cbsChecked);
}

TEST(CheckBoxControlTest, ValuesOfTheStateFollowTheProperties) {
  CheckBoxFixture fixture;
  fixture.box->CheckProperties().SetValues(Variant("J"), Variant::Null(), Variant("N"));
  fixture.box->SetChecked(true);
  EXPECT_EQ(fixture.box->EditValue().AsString(), "J");
  fixture.box->Clear();
  EXPECT_EQ(fixture.box->EditValue().AsString(), "N");
  Variant value;
  fixture.box->ConvertDisplayToEditValue(Variant(int32_t{7}), value, false);
  EXPECT_TRUE(value.IsEmpty());
}

}  // namespace check_box_win_test
