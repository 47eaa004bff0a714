#include "tabs/pc_flat_band_painters_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/toolkit/form.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tests/tabs/tab_form_fixture.h"
#include "tests/tabs/tab_test_geometry.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace flat_band_painters_win_test {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }
COLORREF Palette(TlxRGB rgb) { return static_cast<COLORREF>(rgb); }

// Three tabs, the first chosen, the page framed.
class FlatBandPainterTest : public TTabFormTest<> {
 protected:
  void UseStyle(int32_t style) {
    control_->SetShowFrame(true);
    control_->SetStyle(style);
    test_support::PumpMessagesUntilIdle();
    ASSERT_EQ(control_->Style(), style);
  }
  TlxPCCustomPainter& Painter() { return *control_->PainterObject(); }
};

TEST_F(FlatBandPainterTest, LookAndFeelsPickTheirBandStyles) {
  struct Case {
    TlxLookAndFeelKind kind;
    const char* style;
  };
  const Case cases[] = {{lfUltraFlat, "UltraFlat"}, {lfOffice11, "Office11"}, {lfStandard, "Tabs"}};
  for (const Case& c : cases) {
    control_->LookAndFeel().SetKind(c.kind);
    EXPECT_EQ(control_->PainterObject()->GetStyleName(), c.style) << c.kind;
  }
}

TEST_F(FlatBandPainterTest, ExtraFlatRaisesTheMainTabAboveTheBand) {
  UseStyle(5);
  TlxTab& main = Tab(0);
  const TRect base = main.BaseRect();
  const TRect full = main.FullRect();
  EXPECT_EQ(full.Left, base.Left - 1);
  EXPECT_EQ(full.Top, base.Top - 1);
  EXPECT_EQ(full.Right, base.Right + 1);
  EXPECT_EQ(full.Bottom, base.Bottom + 1);
  EXPECT_EQ(Tab(1).FullRect().Left, Tab(1).BaseRect().Left);
  // Lit left and top edges, a black right one, the button face inside.
  const TPoint centre = Centre(full);
  EXPECT_EQ(Pixel(full.Left, centre.Y), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(centre.X, full.Top), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(full.Right - 1, centre.Y), Rgb(TColorOf(0)));
  EXPECT_EQ(Pixel(full.Left + 1, full.Bottom - 2), Rgb(clBtnFace));
  // The other tabs take the band's lighter face, split by a shadow line.
  const TRect second = Tab(1).FullRect();
  EXPECT_EQ(Pixel(second.Left + 2, second.Top + 2), Rgb(lxPCLightBtnFace()));
  EXPECT_EQ(Pixel(second.Right, Centre(second).Y), Rgb(clBtnShadow));
  // The strip under the main tab joins it to the page.
  const TRect client = Painter().GetPageClientRect();
  EXPECT_EQ(Pixel(centre.X, client.Top - 1), Rgb(clBtnFace));
  const TRect frame = Painter().GetPageFrameRect();
  EXPECT_EQ(Pixel(frame.Right - 1, Centre(frame).Y), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(frame.Left, Centre(frame).Y), Rgb(clBtnHighlight));
}

TEST_F(FlatBandPainterTest, ExtraFlatTabWidthIsTheCaptionPlusNine) {
  UseStyle(5);
  control_->Tabs().Add("");
  test_support::PumpMessagesUntilIdle();
  const int32_t caption = Painter().CaptionWidth(Tab(1));
  EXPECT_EQ(Tab(1).BaseRect().Width(), caption + 9);
  EXPECT_EQ(Tab(3).BaseRect().Width(), 12);
}

TEST_F(FlatBandPainterTest, ColouredMainTabColoursThePageStrip) {
  UseStyle(5);
  Tab(0).SetColor(static_cast<uint32_t>(RGBColor(200, 40, 40)));
  test_support::PumpMessagesUntilIdle();
  const TRect client = Painter().GetPageClientRect();
  EXPECT_EQ(Pixel(Centre(Tab(0).FullRect()).X, client.Top - 1), Rgb(RGBColor(200, 40, 40)));
  EXPECT_EQ(Pixel(Centre(Tab(0).FullRect()).X, client.Top - 2), Rgb(RGBColor(200, 40, 40)));
}

TEST_F(FlatBandPainterTest, ChoosingRepaintsTheFormerMainTabsRowAndTheStrip) {
  UseStyle(5);
  ValidateRect(control_->Handle(), nullptr);
  control_->SetTabIndex(2);
  RECT update{};
  ASSERT_TRUE(GetUpdateRect(control_->Handle(), &update, FALSE));
  // The whole row of the former main tab, and the strip under the new one.
  const TRect part = control_->TopOrLeftPartClip();
  EXPECT_LE(update.left, part.Left);
  EXPECT_GE(update.right, part.Right);
  EXPECT_GE(update.bottom, Painter().GetPageClientRect().Top);
}

TEST_F(FlatBandPainterTest, UltraFlatDrawsDarkEdges) {
  UseStyle(6);
  const TRect full = Tab(0).FullRect();
  const TPoint centre = Centre(full);
  EXPECT_EQ(Pixel(full.Left, centre.Y), Rgb(TColorOf(0)));
  EXPECT_EQ(Pixel(centre.X, full.Top), Rgb(TColorOf(0)));
  const TRect frame = Painter().GetPageFrameRect();
  EXPECT_EQ(Pixel(frame.Left, Centre(frame).Y), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(frame.Right - 1, Centre(frame).Y), Rgb(clBtnShadow));
}

TEST_F(FlatBandPainterTest, Office11FillsFlatWithoutGradientAndBlendsWithIt) {
  UseStyle(8);
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const COLORREF border = Palette(palette.SelectedBorderColor);
  const TRect full = Tab(0).FullRect();
  EXPECT_EQ(Pixel(full.Left, Centre(full).Y), border);
  EXPECT_EQ(Pixel(Centre(full).X, full.Top), border);
  // The band's colour shows through a tab of default colour.
  const TRect third = Tab(2).FullRect();
  control_->SetOptions(static_cast<TlxPCOptions>(control_->Options() & ~lxPCOptionBit(pcoGradient)));
  test_support::PumpMessagesUntilIdle();
  const COLORREF mixed = Rgb(lxMixRGB(TColorOf(static_cast<uint32_t>(palette.BarLightColor)),
                                      TColorOf(static_cast<uint32_t>(palette.BarDarkColor)), 50));
  EXPECT_EQ(Pixel(third.Left + 3, third.Top + 1), mixed);
  EXPECT_EQ(Pixel(third.Left + 3, third.Bottom - 2), mixed);
  const TRect client = Painter().GetPageClientRect();
  EXPECT_EQ(Pixel(client.Left + 4, client.Top + 4), mixed);
  EXPECT_EQ(Pixel(client.Left - 1, client.Top + 4), border);
  // Gradients on the band but not the page: the page stays flat.
  const TlxPCOptions gradient_band = static_cast<TlxPCOptions>(
      (control_->Options() | lxPCOptionBit(pcoGradient)) & ~lxPCOptionBit(pcoGradientClientArea));
  control_->SetOptions(gradient_band);
  test_support::PumpMessagesUntilIdle();
  ASSERT_NE(palette.BarLightColor, palette.BarDarkColor);
  EXPECT_NE(Pixel(third.Left + 3, third.Top), Pixel(third.Left + 3, third.Bottom - 2));
  EXPECT_EQ(Pixel(client.Left + 4, client.Top + 4), mixed);
  EXPECT_EQ(Pixel(client.Left + 4, client.Bottom - 4), mixed);
  control_->SetOptions(static_cast<TlxPCOptions>(gradient_band | lxPCOptionBit(pcoGradientClientArea)));
  test_support::PumpMessagesUntilIdle();
  EXPECT_NE(Pixel(client.Left + 4, client.Top + 4), Pixel(client.Left + 4, client.Bottom - 4));
}

TEST_F(FlatBandPainterTest, Office11ColouredTabKeepsALineTowardsThePage) {
  UseStyle(8);
  control_->SetOptions(static_cast<TlxPCOptions>(control_->Options() & ~lxPCOptionBit(pcoGradient)));
  Tab(2).SetColor(static_cast<uint32_t>(RGBColor(40, 160, 40)));
  test_support::PumpMessagesUntilIdle();
  const TRect third = Tab(2).FullRect();
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const COLORREF mixed = Rgb(lxMixRGB(TColorOf(static_cast<uint32_t>(palette.BarLightColor)),
                                      TColorOf(static_cast<uint32_t>(palette.BarDarkColor)), 50));
  EXPECT_EQ(Pixel(Centre(third).X, third.Top + 1), Rgb(RGBColor(40, 160, 40)));
  EXPECT_EQ(Pixel(Centre(third).X, third.Bottom - 1), mixed);
}

TEST_F(FlatBandPainterTest, FlatButtonsEtchALineBetweenNeighbours) {
  UseStyle(3);
  control_->LookAndFeel().SetKind(lfStandard);
  const TRect main = Tab(0).FullRect();
  const TRect second = Tab(1).FullRect();
  const TRect last = Tab(2).FullRect();
  EXPECT_EQ(second.Left - main.Right, 10);
  // The chosen button is sunken and white; the others flat in the face colour.
  EXPECT_EQ(Pixel(main.Left, main.Top), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(main.Right - 1, main.Bottom - 1), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(main.Left + 2, main.Bottom - 3), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(second.Left, second.Top), Rgb(clBtnFace));
  // The etched pair in the middle of the gap, nothing after the last tab.
  const int32_t y = Centre(second).Y;
  EXPECT_EQ(Pixel(second.Right + 4, y), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(second.Right + 5, y), Rgb(clBtnHighlight));
  EXPECT_EQ(Pixel(second.Right + 3, y), Rgb(control_->Color()));
  EXPECT_EQ(Pixel(last.Right + 4, y), Rgb(control_->Color()));
}

// The band styles' own navigator buttons: sizes, gaps, places and frames.
TEST_F(FlatBandPainterTest, BandStylesHaveTheirOwnNavigatorButtons) {
  control_->SetOptions(control_->Options() | lxPCOptionBit(pcoGoDialog));
  for (int32_t i = 0; i < 12; ++i)
    control_->Tabs().Add("Weitere Seite " + std::to_string(i));
  struct Case {
    int32_t Style;
    int32_t Height;
    int32_t ArrowWidth;
    int32_t GoDialogWidth;
    int32_t GoDialogGap;
    int32_t EdgeOffset;
    bool NormalFramed;
  };
  const Case cases[] = {{5, 13, 13, 13, 0, 6, false}, {6, 15, 15, 11, 1, 3, true}};
  for (const Case& c : cases) {
    UseStyle(c.Style);
    control_->SetShowFrame(false);
    test_support::PumpMessagesUntilIdle();
    const TRect go = Painter().GetButtonRect(nbGoDialog);
    const TRect left = Painter().GetButtonRect(nbTopLeft);
    const TRect right = Painter().GetButtonRect(nbBottomRight);
    ASSERT_FALSE(go.IsEmpty()) << c.Style;
    ASSERT_FALSE(left.IsEmpty()) << c.Style;
    EXPECT_EQ(left.Height(), c.Height) << c.Style;
    EXPECT_EQ(left.Width(), c.ArrowWidth) << c.Style;
    EXPECT_EQ(go.Width(), c.GoDialogWidth) << c.Style;
    EXPECT_EQ(left.Left, go.Right + c.GoDialogGap) << c.Style;
    EXPECT_EQ(left.Top, c.EdgeOffset) << c.Style;
    EXPECT_EQ(right.Right, control_->Width() - 1) << c.Style;
    // The right arrow is enabled and not under the mouse.
    ASSERT_EQ(control_->NavigatorButtonState(nbBottomRight), nbsNormal);
    const COLORREF corner = Pixel(right.Left, right.Top);
    if (c.NormalFramed)
      EXPECT_EQ(corner, Rgb(clBtnShadow)) << c.Style;
    else
      EXPECT_EQ(corner, Rgb(lxPCLightBtnFace())) << c.Style;
  }
}

}  // namespace flat_band_painters_win_test
