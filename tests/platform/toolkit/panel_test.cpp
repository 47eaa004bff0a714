#include "platform/toolkit/panel.h"

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace {

TEST(PanelTest, BevelsCaptionAndChildrenInsideTheFrame) {
  auto* form = new TForm(nullptr);
  form->SetBounds(40, 40, 300, 200);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(10, 10, 200, 100);
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetPanelBorderWidth(3);
  panel->SetCaption("Drucker");
  auto* child = new TPanel(form);
  child->SetParent(panel);
  child->SetAlign(alClient);
  child->SetBevelOuter(bvNone);
  form->Show();
  test_support::PumpMessagesUntilIdle();

  // 2 (outer) + 3 (border) + 2 (inner) on every side.
  EXPECT_EQ(panel->InnerRect(), Rect(7, 7, 193, 93));
  EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 193, 93));

  child->SetVisible(false);
  test_support::PumpMessagesUntilIdle();
  const auto pixels = test_support::WindowPixels::Capture(panel->Handle());
  EXPECT_EQ(pixels.At(0, 50), ColorToColorRef(clBtnHighlight));   // raised: light outside top-left
  EXPECT_EQ(pixels.At(199, 50), ColorToColorRef(clBtnShadow));
  EXPECT_EQ(pixels.At(5, 50), ColorToColorRef(clBtnShadow));      // lowered inner bevel
  EXPECT_EQ(pixels.At(3, 50), ColorToColorRef(clBtnFace));        // the border
  bool caption_drawn = false;
  for (int x = 60; x < 140; ++x)
    caption_drawn = caption_drawn || pixels.At(x, 50) != ColorToColorRef(clBtnFace);
  EXPECT_TRUE(caption_drawn);
  form->Free();
}

}  // namespace
