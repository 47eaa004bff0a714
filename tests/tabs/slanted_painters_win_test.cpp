#include "tabs/pc_slanted_painters_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/toolkit/form.h"
#include "tabs/pc_colors.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/support/message_pump.h"
#include "tests/support/system_colors.h"
#include "tests/support/window_pixels.h"
#include "tests/tabs/tab_form_fixture.h"
#include "tests/tabs/tab_test_geometry.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace slanted_painters_win_test {

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)); }

int32_t Brightness(COLORREF color) { return GetRValue(color) + GetGValue(color) + GetBValue(color); }

// Three tabs, the first chosen.
class SlantedPainterTest : public TTabFormTest<> {
 protected:
  void UseStyle(int32_t style) {
    control_->SetStyle(style);
    test_support::PumpMessagesUntilIdle();
    ASSERT_EQ(control_->Style(), style);
  }
  void UseSlants(TlxTabSlantKind kind, TlxTabSlantPositions positions) {
    control_->SetTabSlantKind(kind);
    control_->SetTabSlantPositions(positions);
    test_support::PumpMessagesUntilIdle();
  }
  TlxPCSlantedPainter& Painter() { return static_cast<TlxPCSlantedPainter&>(*control_->PainterObject()); }
  int32_t TabHeight() { return Tab(0).BaseRect().Height(); }
};

// Tab sizes and spacing per slant setting: the overlap along the row, the
// least width of a tab without caption, and the gap between rows.
TEST_F(SlantedPainterTest, SlantsSetOverlapAndLeastWidth) {
  UseStyle(9);
  control_->Tabs().Add("");
  struct Case {
    TlxTabSlantKind Kind;
    TlxTabSlantPositions Positions;
    bool Rotate;
  };
  const Case cases[] = {{skSlant, kPCSlantLeft | kPCSlantRight, false},
                        {skSlant, 0, false},
                        {skCutCorner, kPCSlantRight, false},
                        {skSlant, kPCSlantLeft, false},
                        {skSlant, kPCSlantLeft, true}};
  for (const Case& c : cases) {
    control_->SetRotate(c.Rotate);
    UseSlants(c.Kind, c.Positions);
    const std::string what = std::to_string(c.Kind) + " " + std::to_string(c.Positions) + (c.Rotate ? " rotated" : "");
    const int32_t cut = Painter().CutValue();
    int32_t along = 0;
    int32_t across = 0;
    Painter().GetTabSpacing(along, across);
    // The last tab has no caption: it is as narrow as the shape allows.
    const TRect empty = Tab(3).BaseRect();
    const int32_t empty_length = c.Rotate ? empty.Height() : empty.Width();
    if (c.Rotate) {
      EXPECT_EQ(along, -3) << what;
      EXPECT_EQ(across, 1) << what;
      continue;
    }
    EXPECT_EQ(across, -3) << what;
    const TRect first = Tab(0).BaseRect();
    const TRect second = Tab(1).BaseRect();
    if (c.Kind == skSlant && c.Positions == (kPCSlantLeft | kPCSlantRight)) {
      EXPECT_EQ(cut, TabHeight() - 1) << what;
      EXPECT_EQ(second.Left, first.Right - 2 * (cut / 2)) << what;
      EXPECT_EQ(empty_length, 2 * cut + 4) << what;
    } else if (c.Kind == skSlant && c.Positions == kPCSlantLeft) {
      EXPECT_EQ(second.Left, first.Right - cut / 2) << what;
      EXPECT_EQ(empty_length, cut + 2 + 4) << what;
    } else if (c.Kind == skSlant) {
      EXPECT_EQ(second.Left, first.Right + 1) << what;
      EXPECT_EQ(empty_length, 8) << what;
    } else {
      EXPECT_EQ(cut, 6) << what;
      EXPECT_EQ(second.Left, first.Right + 1) << what;
      EXPECT_EQ(empty_length, 6 + 1 + 4) << what;  // more than the margins 3 and 6
    }
  }
}

TEST_F(SlantedPainterTest, PointHiddenByTheMainTabHitsTheMainTab) {
  UseStyle(9);
  control_->SetTabIndex(1);
  test_support::PumpMessagesUntilIdle();
  const TRect left = Tab(0).FullRect();
  const TRect main = Tab(1).FullRect();
  ASSERT_LT(main.Left, left.Right - 3);
  // Low in the overlap the main tab's slant covers the tab before it.
  EXPECT_EQ(control_->GetVisibleTabIndexAt(left.Right - 2, left.Bottom - 2), 1);
  // High up the slant leaves the end of the tab before it free.
  EXPECT_EQ(control_->GetVisibleTabIndexAt(left.Right - 2, left.Top + 3), 0);
  EXPECT_TRUE(Painter().IsPointInTab(0, left.Right - 2, left.Top + 3));
  EXPECT_FALSE(Painter().IsPointInTab(0, left.Right - 2, left.Bottom - 2));
  // Above the slant of the first tab nothing is hit.
  EXPECT_EQ(control_->GetVisibleTabIndexAt(left.Left + 1, left.Top + 1), -1);
}

TEST_F(SlantedPainterTest, MainTabIsSolidMarkedAndJoinedToThePage) {
  UseStyle(9);
  const TRect main = Tab(0).FullRect();
  const COLORREF face = Rgb(control_->Color());
  // The outline along the far edge, the mark band of 4 below it (the
  // caption starts lower).
  const int32_t x = main.Right - 6;
  EXPECT_EQ(Pixel(x, main.Top), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(x, main.Top + 1), Rgb(clHighlight));
  EXPECT_EQ(Pixel(x, main.Top + 3), Rgb(clHighlight));
  // Beside the caption, inside the right end: solid.
  const int32_t beside = main.Right - 2;
  EXPECT_EQ(Pixel(beside, main.Top + 4), face);
  EXPECT_EQ(Pixel(beside, main.Bottom - 2), face);
  EXPECT_EQ(Pixel(main.Right - 1, main.Bottom - 2), Rgb(clBtnShadow));
  // No line between the main tab and the page; the row line elsewhere.
  EXPECT_EQ(Pixel(x, main.Bottom), face);
  EXPECT_EQ(Pixel(control_->Width() - 3, main.Bottom), Rgb(clBtnShadow));
  // The straight right end keeps its corner pixel on the page side.
  EXPECT_EQ(Pixel(main.Right - 1, main.Bottom), Rgb(clBtnShadow));
}

TEST_F(SlantedPainterTest, OtherTabsTakeTheGradientOnlyWithTheOption) {
  UseStyle(9);
  const TRect tab = Tab(2).FullRect();
  const int32_t x = tab.Right - 4;
  ASSERT_TRUE(lxPCHasOption(control_->Options(), pcoGradient));
  const COLORREF high = Pixel(x, tab.Top + 2);
  const COLORREF low = Pixel(x, tab.Bottom - 2);
  EXPECT_GT(Brightness(high), Brightness(low));
  EXPECT_NE(low, Rgb(control_->Color()));
  control_->SetOptions(control_->Options() & ~lxPCOptionBit(pcoGradient));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Pixel(x, tab.Top + 2), Rgb(control_->Color()));
  EXPECT_EQ(Pixel(x, tab.Bottom - 2), Rgb(control_->Color()));
}

TEST_F(SlantedPainterTest, HotTabShowsTheMarkBand) {
  UseStyle(9);
  const TRect tab = Tab(2).FullRect();
  const int32_t x = tab.Right - 4;
  EXPECT_NE(Pixel(x, tab.Top + 2), Rgb(clHighlight));
  control_->Tabs().SetHotTab(2);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Pixel(x, tab.Top + 2), Rgb(clHighlight));
  EXPECT_NE(Pixel(x, tab.Top + 4), Rgb(clHighlight));
}

TEST_F(SlantedPainterTest, InnerRowsGetBorderLinesAtBothEdges) {
  UseStyle(9);
  UseSlants(skSlant, kPCSlantLeft | kPCSlantRight);
  control_->SetMultiLine(true);
  for (int32_t i = 0; i < 12; ++i)
    control_->Tabs().Add("Seite " + std::to_string(i));
  test_support::PumpMessagesUntilIdle();
  ASSERT_GE(control_->RowCount(), 2);
  // Tabs keep one pixel off both control edges for the row lines.
  for (int32_t i = 0; i < control_->VisibleTabs().Count(); ++i) {
    EXPECT_GE(Tab(i).BaseRect().Left, 1);
    EXPECT_LE(Tab(i).BaseRect().Right, control_->Width() - 1);
  }
  int32_t near_row_tab = -1;
  int32_t outer_row_tab = -1;
  for (int32_t i = 0; i < control_->VisibleTabs().Count(); ++i) {
    if (Tab(i).DisplayRowIndex() == control_->RowCount() - 1)
      near_row_tab = i;
    if (Tab(i).DisplayRowIndex() == 0)
      outer_row_tab = i;
  }
  ASSERT_NE(near_row_tab, -1);
  ASSERT_NE(outer_row_tab, -1);
  const int32_t near_y = Centre(Tab(near_row_tab).FullRect()).Y;
  EXPECT_EQ(Pixel(0, near_y), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(control_->Width() - 1, near_y), Rgb(clBtnShadow));
  // The outermost row has no end lines.
  const int32_t outer_y = Tab(outer_row_tab).FullRect().Top + 2;
  EXPECT_NE(Pixel(0, outer_y), Rgb(clBtnShadow));
}

TEST_F(SlantedPainterTest, NavigatorButtonsAreFlatWithUnembossedGlyphs) {
  UseStyle(9);
  for (int32_t i = 0; i < 10; ++i)
    control_->Tabs().Add("Weitere Seite " + std::to_string(i));
  test_support::PumpMessagesUntilIdle();
  const TRect left = Painter().GetButtonRect(nbTopLeft);
  const TRect right = Painter().GetButtonRect(nbBottomRight);
  ASSERT_FALSE(left.IsEmpty());
  EXPECT_EQ(left.Width(), 17);
  EXPECT_EQ(left.Height(), 17);
  EXPECT_EQ(right.Left, left.Right + 1);
  EXPECT_EQ(left.Top, 1);
  ASSERT_EQ(control_->NavigatorButtonState(nbTopLeft), nbsDisabled);
  const auto pixels = Capture();
  EXPECT_EQ(pixels.At(left.Left, left.Top), Rgb(clBtnShadow));
  EXPECT_EQ(pixels.At(left.Right - 1, left.Bottom - 1), Rgb(clBtnShadow));
  int32_t glyph = 0;
  int32_t embossed = 0;
  for (int32_t y = left.Top + 1; y < left.Bottom - 1; ++y)
    for (int32_t x = left.Left + 1; x < left.Right - 1; ++x) {
      glyph += pixels.At(x, y) == Rgb(clBtnShadow);
      embossed += pixels.At(x, y) == Rgb(clBtnHighlight);
    }
  EXPECT_GT(glyph, 0);
  EXPECT_EQ(embossed, 0);
  // An enabled arrow draws its glyph in the text colour on the face.
  EXPECT_EQ(pixels.At(Centre(right).X, right.Top + 2), Rgb(clBtnFace));
}

TEST_F(SlantedPainterTest, PageFrameOnlyWhenShown) {
  UseStyle(9);
  control_->SetShowFrame(true);
  test_support::PumpMessagesUntilIdle();
  TRect client = Painter().GetPageClientRect();
  const int32_t middle = Centre(client).Y;
  EXPECT_EQ(Pixel(client.Left - 1, middle), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(client.Right, middle), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(Centre(client).X, client.Bottom), Rgb(clBtnShadow));
  EXPECT_EQ(Pixel(client.Left, middle), Rgb(control_->Color()));
  control_->SetShowFrame(false);
  test_support::PumpMessagesUntilIdle();
  client = Painter().GetPageClientRect();
  EXPECT_EQ(client.Left, 0);
  EXPECT_EQ(client.Right, control_->Width());
  // The page starts one below the row line.
  EXPECT_EQ(client.Top, Tab(0).FullRect().Bottom + 1);
  EXPECT_EQ(Pixel(0, Centre(client).Y), Rgb(control_->Color()));
}

// In tabs-container mode the tabs keep 2 pixels from the control's top and
// a slanted start 1 from its left; the page takes the main tab's colour.
TEST_F(SlantedPainterTest, TabsContainerModeInsetsTheTabs) {
  UseStyle(9);
  Tab(0).SetColor(static_cast<uint32_t>(RGBColor(40, 120, 200)));
  control_->SetTabsContainerMode(true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Tab(0).BaseRect().Left, 2);
  EXPECT_EQ(Tab(0).BaseRect().Top, 2);
  EXPECT_EQ(Painter().GetClientColor(), RGBColor(40, 120, 200));
  const TRect client = Painter().GetPageClientRect();
  EXPECT_EQ(Pixel(Centre(client).X, Centre(client).Y), Rgb(RGBColor(40, 120, 200)));
}

// ---- the notebook-divider style ---------------------------------------------------

TEST_F(SlantedPainterTest, OneNoteRefusesRotation) {
  control_->SetRotate(true);
  UseStyle(10);
  EXPECT_FALSE(control_->Rotate());
  EXPECT_THROW(control_->SetRotate(true), Exception);
  EXPECT_FALSE(control_->Rotate());
}

TEST_F(SlantedPainterTest, OneNoteTabsOverlapByTheirHeightLessThree) {
  UseStyle(10);
  control_->Tabs().Add("");
  UseSlants(skCutCorner, kPCSlantRight);  // no effect on this style
  const int32_t h = TabHeight();
  EXPECT_EQ(Painter().CutValue(), h + 2);
  EXPECT_EQ(Tab(1).BaseRect().Left, Tab(0).BaseRect().Right - (h - 3));
  EXPECT_EQ(Tab(3).BaseRect().Width(), h + 6);
  EXPECT_EQ(Tab(0).BaseRect().Left, 4);
}

TEST_F(SlantedPainterTest, OneNoteOutlinesWithoutASchemeFollowTheSystemColours) {
  UseStyle(10);
  ASSERT_EQ(lxDetectOffice11Scheme(), lxOffice11SchemeNone);
  const TRect other = Tab(2).FullRect();
  const int32_t x = other.Right - 8;
  EXPECT_EQ(Pixel(x, other.Top), Rgb(clBtnShadow));
  control_->Tabs().SetHotTab(2);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(Pixel(x, other.Top), RGB(0x0A, 0x24, 0x6A));
  control_->Tabs().SetHotTab(-1);
  {
    const COLORREF red = RGB(200, 0, 0);
    test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, red);
    SendMessageW(control_->Handle(), WM_SYSCOLORCHANGE, 0, 0);
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(Pixel(x, other.Top), red);
  }
  test_support::PumpMessagesUntilIdle();
}

TEST_F(SlantedPainterTest, OneNoteMainTabIsSolidUntilHot) {
  UseStyle(10);
  const TRect main = Tab(0).FullRect();
  const int32_t x = main.Right - 6;
  const COLORREF face = Rgb(control_->Color());
  EXPECT_EQ(Pixel(x, main.Top + 3), face);
  EXPECT_EQ(Pixel(x, main.Bottom - 2), face);
  // Joined to the page in its colour, the start corner half border.
  EXPECT_EQ(Pixel(x, main.Bottom), face);
  EXPECT_EQ(Pixel(main.Left, main.Bottom),
            Rgb(lxMixRGB(ColorToRGB(clBtnShadow), ColorToRGB(control_->Color()), 50)));
  control_->Tabs().SetHotTab(0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_GT(Brightness(Pixel(x, main.Top + 3)), Brightness(Pixel(x, main.Bottom - 2)));
  EXPECT_EQ(Pixel(x, main.Top), RGB(0x0A, 0x24, 0x6A));
}

}  // namespace slanted_painters_win_test
