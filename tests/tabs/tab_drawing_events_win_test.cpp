#include "tabs/tab_control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/tabs/tab_form_fixture.h"
#include "tests/tabs/tab_test_geometry.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace tab_drawing_events_win_test {

constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kRed = RGB(230, 0, 0);

// A wide caption in the middle; the style is the parameter.
class TabDrawingEventsTest : public TTabFormTest<::testing::TestWithParam<int32_t>> {
 protected:
  TabDrawingEventsTest() : TTabFormTest({"Eins", "WWWW", "Drei"}) {}
  // The part of the third tab that the second (drawn in front) leaves free.
  TRect ThirdTabOwnPart() {
    TRect r = Tab(2).DisplayRect();
    r.Left = std::max(r.Left, Tab(1).DisplayRect().Right);
    return r;
  }
  void SetUp() override {
    TTabFormTest::SetUp();
    control_->SetStyle(GetParam());
    test_support::PumpMessagesUntilIdle();
  }
};

// The handler draws the second tab itself; the others keep their look. It
// is asked only while OwnerDraw is on.
TEST_P(TabDrawingEventsTest, OwnerDrawnTabIsLeftToTheHandler) {
  std::set<int32_t> asked;
  control_->OnDrawTab = [&](TlxCustomTabControl* control, TlxTab* tab, bool& default_draw) {
    asked.insert(tab->Index());
    if (tab->Index() != 1)
      return;
    control->CurrentCanvas().FillRectColor(tab->FullRect(), static_cast<TColor>(kGreen));
    default_draw = false;
  };
  const TRect second = Tab(1).DisplayRect();
  EXPECT_EQ(CountIn(Capture(), second, kGreen), 0);
  EXPECT_TRUE(asked.empty());
  control_->SetOwnerDraw(true);
  test_support::PumpMessagesUntilIdle();
  const auto pixels = Capture();
  EXPECT_EQ(asked, (std::set<int32_t>{0, 1, 2}));
  const TPoint centre = Centre(second);
  EXPECT_EQ(pixels.At(centre.X, centre.Y), kGreen);
  EXPECT_EQ(CountIn(pixels, ThirdTabOwnPart(), kGreen), 0);
}

TEST_P(TabDrawingEventsTest, DrawTabExChangesTheCaptionFont) {
  control_->OnDrawTabEx = [](TlxCustomTabControl*, TlxTab* tab, TFont& font) {
    if (tab->Index() == 1)
      font.SetColor(static_cast<TColor>(kRed));
  };
  const auto pixels = Capture();
  EXPECT_GT(CountIn(pixels, Tab(1).DisplayRect(), kRed), 0);
  EXPECT_EQ(CountIn(pixels, ThirdTabOwnPart(), kRed), 0);
}

// Beside left tabs the caption is drawn lying down in a bitmap of the tab,
// turned upright and kept until the tab changes.
TEST_P(TabDrawingEventsTest, VerticalCaptionsGoThroughTheTabsBitmap) {
  control_->SetTabPosition(tpLeft);
  test_support::PumpMessagesUntilIdle();
  const auto pixels = Capture();
  const auto* bitmap = dynamic_cast<TBitmap*>(Tab(1).VerticalCaptionBitmap());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_GT(bitmap->Height(), bitmap->Width());  // "WWWW" stands upright
  EXPECT_GT(CountIn(pixels, Tab(1).DisplayRect(), static_cast<COLORREF>(ColorToRGB(clBtnText))), 0);
  Tab(1).SetCaption("Anders");
  EXPECT_EQ(Tab(1).VerticalCaptionBitmap(), nullptr);
  Capture();
  EXPECT_NE(Tab(1).VerticalCaptionBitmap(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Styles, TabDrawingEventsTest, ::testing::Values(1, 9));

}  // namespace tab_drawing_events_win_test
