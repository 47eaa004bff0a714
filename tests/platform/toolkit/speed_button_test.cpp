#include "platform/toolkit/speed_button.h"

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace {

class SpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 300, 150);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  TSpeedButton* Add(int32_t left) {
    auto* button = new TSpeedButton(form_);
    button->SetParent(form_);
    button->SetBounds(left, 10, 60, 30);
    return button;
  }
  void ClickAt(TSpeedButton* button) {
    test_support::SendClick(form_->Handle(), POINT{button->Left() + 10, button->Top() + 10});
  }

  TForm* form_ = nullptr;
};

TEST_F(SpeedButtonTest, ClicksAndGroups) {
  TSpeedButton* first = Add(10);
  TSpeedButton* second = Add(80);
  int clicks = 0;
  first->OnClick = [&](TObject*) { ++clicks; };
  ClickAt(first);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(first->Down());  // no group: it comes up again

  first->SetGroupIndex(1);
  second->SetGroupIndex(1);
  ClickAt(first);
  EXPECT_TRUE(first->Down());
  ClickAt(second);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  ClickAt(second);  // the last one down stays down
  EXPECT_TRUE(second->Down());
  second->SetAllowAllUp(true);
  ClickAt(second);
  EXPECT_FALSE(second->Down());

  // Pressed and released outside: no click.
  SendMessageW(form_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  SendMessageW(form_->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 120));
  SendMessageW(form_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 120));
  EXPECT_EQ(clicks, 2);
}

TEST_F(SpeedButtonTest, GlyphPartsFollowTheState) {
  TSpeedButton* button = Add(10);
  TBitmap glyph(64, 16, pf24bit);
  const TColor parts[] = {clRed, clGray, clBlue, clLime};
  for (int i = 0; i < 4; ++i) {
    glyph.Canvas().Brush().SetColor(parts[i]);
    glyph.Canvas().FillRect(Bounds(i * 16, 0, 16, 16));
    glyph.Canvas().SetPixel(i * 16, 15, clFuchsia);  // see-through colour
  }
  glyph.Canvas().SetPixel(0, 15, clFuchsia);
  button->SetGlyph(glyph);
  button->SetNumGlyphs(4);
  EXPECT_EQ(button->GlyphIndex(), 0);
  test_support::PumpMessagesUntilIdle();
  auto pixels = test_support::WindowPixels::Capture(form_->Handle());
  EXPECT_EQ(pixels.At(10 + 30, 10 + 15), RGB(255, 0, 0));  // glyph centred, up image

  button->SetEnabled(false);
  EXPECT_EQ(button->GlyphIndex(), 1);
  button->SetEnabled(true);
  button->SetGroupIndex(2);
  button->SetDown(true);
  EXPECT_EQ(button->GlyphIndex(), 3);
  test_support::PumpMessagesUntilIdle();
  pixels = test_support::WindowPixels::Capture(form_->Handle());
  EXPECT_EQ(pixels.At(10 + 31, 10 + 16), RGB(0, 255, 0));  // down image, one pixel lower
  button->SetNumGlyphs(1);
  EXPECT_EQ(button->GlyphIndex(), 0);
}

}  // namespace
