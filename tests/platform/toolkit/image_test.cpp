#include "platform/toolkit/image.h"

#include <gtest/gtest.h>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace {

TEST(ImageTest, PlacesThePictureAsTheSettingsSay) {
  auto* form = new TForm(nullptr);
  form->SetBounds(40, 40, 300, 250);
  form->SetColor(clWhite);
  auto* image = new TImage(form);
  image->SetParent(form);
  image->SetBounds(10, 10, 100, 80);
  TBitmap picture(40, 20, pf24bit);
  picture.Canvas().Brush().SetColor(clRed);
  picture.Canvas().FillRect(Rect(0, 0, 40, 20));
  image->Picture().SetGraphic(&picture);
  form->Show();
  test_support::PumpMessagesUntilIdle();

  EXPECT_EQ(image->DestRect(), Rect(0, 0, 40, 20));
  auto pixels = test_support::WindowPixels::Capture(form->Handle());
  EXPECT_EQ(pixels.At(10 + 5, 10 + 5), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(10 + 60, 10 + 5), RGB(255, 255, 255));

  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), Rect(30, 30, 70, 50));
  image->SetStretch(true);
  EXPECT_EQ(image->DestRect(), Rect(0, 0, 100, 80));
  image->SetProportional(true);
  EXPECT_EQ(image->DestRect(), Rect(0, 15, 100, 65));
  test_support::PumpMessagesUntilIdle();
  pixels = test_support::WindowPixels::Capture(form->Handle());
  EXPECT_EQ(pixels.At(10 + 95, 10 + 40), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(10 + 50, 10 + 5), RGB(255, 255, 255));

  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 40);
  EXPECT_EQ(image->Height(), 20);
  image->SetAnchors(TAnchors{akRight, akBottom});
  form->SetBounds(40, 40, 350, 280);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(image->Left(), 60);
  form->Free();
}

}  // namespace
