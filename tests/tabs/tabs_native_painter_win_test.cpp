// The themed "Tabs" style: its tabs and page pane against what the visual
// styles draw for the same part and state on a memory DC, turned tabs
// against where the turn puts each pixel, and the classic drawing whenever
// the native look is off.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/panel.h"
#include "tabs/page_control_win.h"
#include "tabs/pc_painters_win.h"
#include "tests/tabs/tab_form_fixture.h"
#include "tests/ui/foundation/themes/theme_test_surface_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace tabs_native_painter_test {

using theme_test::PaintSurface;

// A memory surface of the background colour with a themed part drawn over
// all of it.
std::unique_ptr<PaintSurface> ThemedSurface(HTHEME theme, int32_t part, int32_t state, int32_t width,
                                            int32_t height, COLORREF background) {
  auto surface = std::make_unique<PaintSurface>(width, height, background);
  EXPECT_EQ(lxUxDrawThemeBackground(theme, surface->dc(), part, state, RECT{0, 0, width, height}), S_OK);
  return surface;
}

class TabsNativePainterTest : public TTabFormTest<> {
 protected:
  void SetUp() override {
    TTabFormTest::SetUp();
    ASSERT_TRUE(lxUxIsThemeActive());
    ASSERT_NE(lxOpenThemeHandle(totTab), nullptr);
    control_->LookAndFeel().SetKind(lfStandard);
    control_->LookAndFeel().SetNativeStyle(true);
    test_support::PumpMessagesUntilIdle();
  }
  TlxPCCustomPainter& Painter() { return dynamic_cast<TlxPCCustomPainter&>(control_->Painter()); }
  COLORREF Background() { return static_cast<COLORREF>(ColorToRGB(control_->Color())); }
  // The themed tab the painter chose for the tab, drawn upright on its own.
  std::unique_ptr<PaintSurface> UprightTab(int32_t visible_index) { return UprightTab(visible_index, Background()); }
  std::unique_ptr<PaintSurface> UprightTab(int32_t visible_index, COLORREF background) {
    int32_t part = 0;
    int32_t state = 0;
    Painter().GetNativeTabPartAndState(visible_index, part, state);
    const TRect r = Tab(visible_index).FullRect();
    TSize size{r.Width(), r.Height()};
    if (Tab(visible_index).Side() == tpLeft || Tab(visible_index).Side() == tpRight)
      std::swap(size.cx, size.cy);
    return ThemedSurface(lxOpenThemeHandle(totTab), part, state, size.cx, size.cy, background);
  }
};

// Native look on: the Tabs style is the themed one and tracks the mouse by
// itself; the Flat style never is, and without NativeStyle the classic
// drawing comes back.
TEST_F(TabsNativePainterTest, NativeLookNeedsTheTabsStyleAndNativeStyle) {
  EXPECT_EQ(control_->Painter().GetStyleName(), "Tabs");
  EXPECT_TRUE(Painter().UsesNativeLook());
  EXPECT_TRUE(Painter().IsHotTrackIntrinsic());

  control_->SetStyle(7);
  EXPECT_FALSE(Painter().UsesNativeLook());

  control_->SetStyle(1);
  control_->LookAndFeel().SetNativeStyle(false);
  EXPECT_FALSE(Painter().UsesNativeLook());
  EXPECT_FALSE(Painter().IsHotTrackIntrinsic());
  // Classic: the last tab's outline starts with its highlight line (the
  // raised main tab covers the left edge of its neighbour).
  const TRect r = Tab(2).FullRect();
  EXPECT_EQ(Pixel(r.Left, r.Top + 4), static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
}

// Parts by place in the row and states: the main tab its own parts and 3,
// the tab under the mouse 2, the last tab the row's end part.
TEST_F(TabsNativePainterTest, PartAndStateByPlaceInRow) {
  control_->Tabs().Add("Vier");
  control_->SetTabIndex(1);
  control_->Tabs().SetHotTab(2);
  const struct {
    int32_t visible_index;
    int32_t part;
    int32_t state;
  } cases[] = {{0, 2, 1}, {1, 5, 3}, {2, 1, 2}, {3, 3, 1}};
  for (const auto& c : cases) {
    int32_t part = 0;
    int32_t state = 0;
    Painter().GetNativeTabPartAndState(c.visible_index, part, state);
    EXPECT_EQ(part, c.part) << c.visible_index;
    EXPECT_EQ(state, c.state) << c.visible_index;
  }
  // The first tab as the main tab takes the main start part.
  control_->SetTabIndex(0);
  int32_t part = 0;
  int32_t state = 0;
  Painter().GetNativeTabPartAndState(0, part, state);
  EXPECT_EQ(part, 6);
  EXPECT_EQ(state, 3);
}

// A top tab is the theme's own drawing where no caption lies: its top rows
// and side columns match the part drawn on a memory DC pixel for pixel.
TEST_F(TabsNativePainterTest, TopTabMatchesTheThemedPart) {
  // The last tab: the raised main tab covers the left edge of its neighbour.
  const TRect r = Tab(2).FullRect();
  const auto expected = UprightTab(2);
  const test_support::WindowPixels pixels = Capture();
  const TPoint samples[] = {{expected->width() / 2, 0},  {expected->width() / 2, 1}, {1, expected->height() / 2},
                            {0, expected->height() / 2}, {expected->width() - 1, expected->height() / 2},
                            {expected->width() - 2, 2}};
  for (const TPoint& p : samples)
    EXPECT_EQ(pixels.At(r.Left + p.X, r.Top + p.Y), expected->At(p.X, p.Y)) << p.X << "," << p.Y;
}

// With a parent background the parent shows wherever the themed drawing
// leaves the control uncovered: beside the tabs and under whatever the
// theme leaves transparent in a tab; without it the control's own colour.
TEST_F(TabsNativePainterTest, ParentShowsThroughWithAParentBackground) {
  const COLORREF parent_colour = RGB(40, 160, 90);
  form_->SetColor(static_cast<TColor>(parent_colour));
  // A colour of its own, so that its parent's and its own differ.
  control_->SetColor(static_cast<TColor>(RGB(230, 220, 120)));
  test_support::PumpMessagesUntilIdle();
  ASSERT_NE(Background(), parent_colour);
  const TRect r = Tab(2).FullRect();
  const TPoint beside_tabs{control_->Width() - 4, r.Top + 2};
  ASSERT_GT(beside_tabs.X, r.Right);
  // The bitmap a themed tab is drawn into starts as what lies under the tab.
  struct TabBackground : TlxPCTabsPainter {
    using TlxPCTabsPainter::FillTabBitmapBackground;
  };
  auto* tabs_painter = dynamic_cast<TlxPCTabsPainter*>(&Painter());
  ASSERT_NE(tabs_painter, nullptr);
  auto expect_tab_over = [&](COLORREF background) {
    const auto expected = UprightTab(2, background);
    const test_support::WindowPixels pixels = Capture();
    const TPoint samples[] = {{0, 0}, {expected->width() - 1, 0}, {expected->width() / 2, 0}, {1, 1}};
    for (const TPoint& p : samples)
      EXPECT_EQ(pixels.At(r.Left + p.X, r.Top + p.Y), expected->At(p.X, p.Y)) << p.X << "," << p.Y;
    EXPECT_EQ(pixels.At(beside_tabs.X, beside_tabs.Y), background);
    TBitmap bitmap(r.Width(), r.Height(), pf32bit);
    (tabs_painter->*(&TabBackground::FillTabBitmapBackground))(bitmap, r);
    EXPECT_EQ(GetPixel(bitmap.Canvas().Handle(), r.Width() / 2, r.Height() / 2), background);
  };
  expect_tab_over(parent_colour);

  control_->ControlStyle().Exclude(csParentBackground);
  expect_tab_over(Background());
}

// Left and right tabs are the upright part turned onto their side: a left
// tab with bottom-to-top captions is the upright tab transposed, a right
// tab with top-to-bottom captions the upright tab turned a quarter
// clockwise.
TEST_F(TabsNativePainterTest, SideTabsAreTheUprightPartTurned) {
  struct Case {
    TlxTabPosition position;
    bool top_to_bottom;
    // Where the upright pixel (x, y) of a W x H part lands in the tab.
    TPoint (*place)(TPoint upright, TSize size);
  };
  const Case cases[] = {
      {tpLeft, false, [](TPoint p, TSize) { return TPoint{p.Y, p.X}; }},
      {tpRight, true, [](TPoint p, TSize s) { return TPoint{s.cy - 1 - p.Y, p.X}; }},
      {tpBottom, false, [](TPoint p, TSize s) { return TPoint{p.X, s.cy - 1 - p.Y}; }},
  };
  for (const Case& c : cases) {
    control_->SetTabPosition(c.position);
    const TlxPCOptions bit = lxPCOptionBit(pcoTopToBottomText);
    const auto others = static_cast<TlxPCOptions>(control_->Options() & ~bit);
    control_->SetOptions(c.top_to_bottom ? static_cast<TlxPCOptions>(others | bit) : others);
    test_support::PumpMessagesUntilIdle();
    const TRect r = Tab(2).FullRect();
    const auto upright = UprightTab(2);
    const TSize size{upright->width(), upright->height()};
    ASSERT_EQ(r.Width() * r.Height(), size.cx * size.cy);
    const test_support::WindowPixels pixels = Capture();
    // The far edge and both side edges of the upright tab.
    const TPoint samples[] = {{size.cx / 2, 0}, {size.cx / 2, 1}, {0, size.cy / 2}, {1, size.cy / 2},
                              {size.cx - 1, size.cy / 2}, {size.cx - 2, size.cy - 2}};
    for (const TPoint& p : samples) {
      const TPoint at = c.place(p, size);
      EXPECT_EQ(pixels.At(r.Left + at.X, r.Top + at.Y), upright->At(p.X, p.Y))
          << "side " << c.position << " upright " << p.X << "," << p.Y;
    }
  }
}

// The page is the theme's pane; the page's client area lies inside it by
// the pane's margins less the classic frame.
TEST_F(TabsNativePainterTest, PageIsTheThemedPane) {
  const TRect frame = Painter().GetPageFrameRect();
  const auto pane = ThemedSurface(lxOpenThemeHandle(totTab), 9, 0, frame.Width(), frame.Height(), Background());
  const test_support::WindowPixels pixels = Capture();
  const TPoint samples[] = {{0, frame.Height() / 2}, {1, frame.Height() / 2}, {frame.Width() - 1, frame.Height() / 2},
                            {frame.Width() / 2, frame.Height() - 1}, {frame.Width() / 2, frame.Height() - 2},
                            {frame.Width() / 2, frame.Height() / 2}};
  for (const TPoint& p : samples)
    EXPECT_EQ(pixels.At(frame.Left + p.X, frame.Top + p.Y), pane->At(p.X, p.Y)) << p.X << "," << p.Y;

  auto* tabs_painter = dynamic_cast<TlxPCTabsPainter*>(&Painter());
  ASSERT_NE(tabs_painter, nullptr);
  const TRect m = tabs_painter->GetThemedPaneMargins();
  const TRect client = Painter().GetPageClientRect();
  const TRect native_offset = Painter().GetPageClientRectOffset();
  control_->LookAndFeel().SetNativeStyle(false);
  const TRect classic_offset = Painter().GetPageClientRectOffset();
  EXPECT_EQ(native_offset.Left, classic_offset.Left - 2 + m.Left);
  EXPECT_EQ(native_offset.Right, classic_offset.Right - 2 + m.Right);
  EXPECT_EQ(native_offset.Bottom, classic_offset.Bottom - 2 + m.Bottom);
  EXPECT_EQ(client.Left, frame.Left + m.Left);
}

// A page erases its background with the pane as the page control lays it
// under the page, so that page and frame meet without a seam.
TEST_F(TabsNativePainterTest, PageBackgroundContinuesThePane) {
  auto* pages = new TlxPageControl(form_);
  pages->SetParent(form_);
  pages->SetBounds(10, 10, 300, 150);
  pages->LookAndFeel().SetKind(lfStandard);
  pages->LookAndFeel().SetNativeStyle(true);
  auto* page = new TlxTabSheet(form_);
  page->SetCaption("Seite");
  page->SetPageControl(pages);
  control_->Hide();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(pages->PainterObject()->UsesNativeLook());
  const TRect frame = pages->PainterObject()->GetPageFrameRect().Inflate(2, 2);
  const auto pane = ThemedSurface(lxOpenThemeHandle(totTab), 9, 0, frame.Width(), frame.Height(), Background());
  RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(page->Handle());
  const TPoint samples[] = {{0, 0}, {page->Width() / 2, page->Height() / 2}, {page->Width() - 1, page->Height() - 1}};
  for (const TPoint& p : samples) {
    const TPoint in_pane{page->Left() + p.X - frame.Left, page->Top() + p.Y - frame.Top};
    EXPECT_EQ(pixels.At(p.X, p.Y), pane->At(in_pane.X, in_pane.Y)) << p.X << "," << p.Y;
  }
}

// A page's border band, where its aligned children leave it uncovered,
// shows the pane like the rest of the page.
TEST_F(TabsNativePainterTest, PageBorderBandShowsThePane) {
  auto* pages = new TlxPageControl(form_);
  pages->SetParent(form_);
  pages->SetBounds(10, 10, 300, 150);
  pages->LookAndFeel().SetKind(lfStandard);
  pages->LookAndFeel().SetNativeStyle(true);
  auto* page = new TlxTabSheet(form_);
  page->SetCaption("Seite");
  page->SetPageControl(pages);
  page->SetBorderWidth(6);
  auto* filler = new TPanel(form_);
  filler->SetParent(page);
  filler->SetAlign(alClient);
  filler->SetColor(static_cast<TColor>(RGB(200, 30, 30)));
  control_->Hide();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(pages->PainterObject()->UsesNativeLook());
  EXPECT_EQ(filler->Left(), 6);
  EXPECT_EQ(filler->Top(), 6);
  const TRect frame = pages->PainterObject()->GetPageFrameRect().Inflate(2, 2);
  const auto pane = ThemedSurface(lxOpenThemeHandle(totTab), 9, 0, frame.Width(), frame.Height(), Background());
  RedrawWindow(page->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(page->Handle());
  const TPoint band[] = {{2, 2}, {page->Width() / 2, 3}, {page->Width() - 3, page->Height() - 3}, {3, page->Height() / 2}};
  for (const TPoint& p : band) {
    const TPoint in_pane{page->Left() + p.X - frame.Left, page->Top() + p.Y - frame.Top};
    EXPECT_EQ(pixels.At(p.X, p.Y), pane->At(in_pane.X, in_pane.Y)) << p.X << "," << p.Y;
  }
  EXPECT_EQ(pixels.At(page->Width() / 2, page->Height() / 2), RGB(200, 30, 30));
}

}  // namespace tabs_native_painter_test
