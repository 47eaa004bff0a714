#include "editors/kinds/radio_button_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace radio_button_win_test {

using test_support::PumpMessagesUntilIdle;

// Three radio buttons under each other and an edit that holds the focus.
class RadioFixture {
 public:
  RadioFixture() {
    SetCursorPos(0, 0);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 300, 200);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(150, 10, 80, 20);
    for (int32_t i = 0; i < 3; ++i) {
      auto* radio = new TlxRadioButton(form);
      radio->SetParent(form);
      radio->SetBounds(10, 10 + i * 25, 113, 17);
      radio->SetCaption("Wahl " + std::to_string(i));
      const size_t index = static_cast<size_t>(i);
      radio->OnClick = [this, index](TObject*) { ++clicks.at(index); };
      radios.push_back(radio);
      clicks.push_back(0);
    }
    form->Show();
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~RadioFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  RadioFixture(const RadioFixture&) = delete;
  RadioFixture& operator=(const RadioFixture&) = delete;

  void Click(int32_t index) {
    test_support::InputClick(radios.at(static_cast<size_t>(index))->WindowHandle(), POINT{6, 8});
    PumpMessagesUntilIdle(500);
    SetCursorPos(0, 0);
    PumpMessagesUntilIdle();
  }

  TForm* form;
  TEdit* edit;
  std::vector<TlxRadioButton*> radios;
  std::vector<int32_t> clicks;
};

TEST(RadioButtonTest, IsOwnerDrawn) {
  RadioFixture fixture;
  EXPECT_EQ(GetWindowLongW(fixture.radios[0]->WindowHandle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  EXPECT_TRUE(fixture.radios[0]->ParentBackground());
}

TEST(RadioButtonTest, AClickChecksOneAndTurnsItsSiblingsOffWithOneOnClick) {
  RadioFixture fixture;
  fixture.Click(1);
  EXPECT_TRUE(fixture.radios[1]->Checked());
  EXPECT_EQ(fixture.clicks, (std::vector<int32_t>{0, 1, 0}));
  fixture.Click(2);
  EXPECT_FALSE(fixture.radios[1]->Checked());
  EXPECT_TRUE(fixture.radios[2]->Checked());
  EXPECT_EQ(fixture.clicks, (std::vector<int32_t>{0, 1, 1}));
  // Clicking the checked one again changes nothing.
  fixture.Click(2);
  EXPECT_TRUE(fixture.radios[2]->Checked());
  EXPECT_EQ(fixture.clicks[2], 1);
}

TEST(RadioButtonTest, EnteringAnUncheckedButtonChecksItWithOneClick) {
  RadioFixture fixture;
  fixture.radios[0]->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.radios[0]->Checked());
  EXPECT_EQ(fixture.clicks[0], 1);
}

TEST(RadioButtonTest, MouseStatesFollowThePressAndTheCapture) {
  RadioFixture fixture;
  TlxRadioButton* radio = fixture.radios[0];
  const HWND window = radio->WindowHandle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(radio->State(), rbsPressed);
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 5));
  EXPECT_EQ(radio->State(), rbsHot);  // dragged outside
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(radio->State(), rbsPressed);
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PumpMessagesUntilIdle();
  radio->SetEnabled(false);
  EXPECT_EQ(radio->State(), rbsDisabled);
  SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(radio->State(), rbsDisabled);
}

TEST(RadioButtonTest, TheGlyphShowsTheCheck) {
  RadioFixture fixture;
  TlxRadioButton* radio = fixture.radios[0];
  radio->Repaint();
  const TRect glyph = radio->ButtonRect();
  ASSERT_FALSE(glyph.IsEmpty());
  const int cx = (glyph.Left + glyph.Right) / 2;
  const int cy = (glyph.Top + glyph.Bottom) / 2;
  const COLORREF unchecked = test_support::WindowPixels::Capture(radio->WindowHandle()).At(cx, cy);
  radio->SetChecked(true);
  radio->Repaint();
  const COLORREF checked = test_support::WindowPixels::Capture(radio->WindowHandle()).At(cx, cy);
  EXPECT_FALSE(test_support::ColorsNear(unchecked, checked, 16)) << std::hex << unchecked << " " << checked;
  // Left of the caption, one pixel in, in the painter's glyph size.
  const TSize size = radio->LookAndFeel().PainterFor(totButton)->GetRadioButtonSize();
  EXPECT_EQ(glyph, TRect(1, (17 - size.cy) / 2, 1 + size.cx, (17 - size.cy) / 2 + size.cy));
}

TEST(RadioButtonTest, HandlesComeBack) {
  const DWORD user = test_support::CountUserObjects();
  { RadioFixture fixture; }
  EXPECT_EQ(test_support::CountUserObjects(), user);
}

}  // namespace radio_button_win_test
