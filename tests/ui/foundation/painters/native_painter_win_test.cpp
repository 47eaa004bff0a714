#include "ui/foundation/painters/native_painter_win.h"

#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/foundation/painters/painter_test_support_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

using Operation = std::function<void(const TlxCustomLookAndFeelPainter&, TlxCanvas&, TlxButtonState)>;

TEST(NativePainterWinTest, UnthemedDrawsPixelForPixelAsStandard) {
  painter_test::ThemingOff off;
  ASSERT_FALSE(lxThemeAvailableFor(totButton));
  painter_test::DistinctSystemColors colors;

  const TRect r(4, 4, 40, 24);
  const TRect box(4, 4, 17, 17);
  struct Case {
    const char* name;
    Operation paint;
  };
  const Case cases[] = {
      {"PaintButton", [&](auto& p, auto& c, auto s) { p.PaintButton(c, r, "", s); }},
      {"PaintBorder", [&](auto& p, auto& c, auto) { p.PaintBorder(c, r); }},
      {"PaintArrowButton", [&](auto& p, auto& c, auto s) { p.PaintArrowButton(c, r, s, adLeft, true); }},
      {"PaintCheckButton", [&](auto& p, auto& c, auto s) { p.PaintCheckButton(c, box, s, cbsChecked); }},
      {"PaintExpandButton",
       [&](auto& p, auto& c, auto) { p.PaintExpandButton(c, TRect(4, 4, 16, 16), true, clDefault); }},
      {"PaintHeader",
       [&](auto& p, auto& c, auto s) {
         p.PaintHeader(c, r, r, TlxHeaderNeighbors{bLeft}, lxAllBorders, s, taLeftJustify, vaTop, false, false, "",
                       nullptr, clBlack, clBtnFace, nullptr);
       }},
      {"PaintFooterBorder", [&](auto& p, auto& c, auto) { p.PaintFooterBorder(c, r); }},
      {"PaintFilterDropDownButton", [&](auto& p, auto& c, auto s) { p.PaintFilterDropDownButton(c, r, s, true); }},
      {"PaintTabBorder", [&](auto& p, auto& c, auto) { p.PaintTabBorder(c, r, bTop, lxAllBorders, false); }},
      {"PaintTabsRoot", [&](auto& p, auto& c, auto) { p.PaintTabsRoot(c, r, lxAllBorders, false); }},
      {"PaintScrollBarPart arrow", [&](auto& p, auto& c, auto s) { p.PaintScrollBarPart(c, false, r, sbpLineUp, s); }},
      {"PaintScrollBarPart thumb",
       [&](auto& p, auto& c, auto s) { p.PaintScrollBarPart(c, true, r, sbpThumbnail, s); }},
      {"PaintScrollBarPart page", [&](auto& p, auto& c, auto s) { p.PaintScrollBarPart(c, true, r, sbpPageDown, s); }},
  };
  painter_test::Surface native_surface(44, 28);
  painter_test::Surface standard_surface(44, 28);
  const TlxCustomLookAndFeelPainter& native = lxPainter<TlxWinXPLookAndFeelPainter>();
  const TlxCustomLookAndFeelPainter& standard = lxPainter<TlxStandardLookAndFeelPainter>();
  for (const Case& c : cases) {
    for (TlxButtonState state : {lxbsNormal, lxbsHot, lxbsPressed, lxbsDisabled}) {
      native_surface.Clear();
      standard_surface.Clear();
      c.paint(native, native_surface.canvas(), state);
      c.paint(standard, standard_surface.canvas(), state);
      int32_t differing = 0;
      for (int32_t y = 0; y < 28; ++y)
        for (int32_t x = 0; x < 44; ++x) differing += native_surface.At(x, y) != standard_surface.At(x, y) ? 1 : 0;
      EXPECT_EQ(differing, 0) << c.name << " in state " << static_cast<int>(state);
    }
  }
  // The unthemed metrics are the standard ones.
  EXPECT_EQ(native.GetBorderSize(), 2);
  EXPECT_EQ(native.GetButtonBorderSize(lxbsNormal), 2);
  EXPECT_EQ(native.GetExpandButtonSize(), 12);
  EXPECT_EQ(native.GetCheckBorderSize(), 2);
  EXPECT_EQ(native.GetScrollBarMinThumbSize(true), 8);
  EXPECT_EQ(native.GetFilterCloseButtonSize(), (TSize{16, 14}));
  EXPECT_FALSE(native.TabPaintingSupported(false));
  EXPECT_EQ(native.GetLookAndFeelStyle(), lxStyleNative);
}

TEST(NativePainterWinTest, ThemedButtonIsWhatTheVisualStyleDraws) {
  lxUxThemeStartup();
  HTHEME theme = lxOpenThemeHandle(totButton);
  if (theme == nullptr) GTEST_SKIP() << "no visual style with a button class is active";
  painter_test::Surface painted(44, 28);
  painter_test::Surface reference(44, 28);
  const TRect r(4, 4, 40, 24);
  for (TlxButtonState state : {lxbsDefault, lxbsNormal, lxbsHot, lxbsPressed, lxbsDisabled}) {
    painted.Clear();
    reference.Clear();
    lxPainter<TlxWinXPLookAndFeelPainter>().PaintButton(painted.canvas(), r, "", state, true, clRed, clRed, true);
    lxUxDrawThemeBackground(theme, reference.canvas().Handle(), 1, lxButtonStateToThemeState(state), r);
    for (int32_t y = 0; y < 28; ++y)
      for (int32_t x = 0; x < 44; ++x)
        ASSERT_EQ(painted.At(x, y), reference.At(x, y)) << "state " << static_cast<int>(state) << " " << x << "," << y;
  }
}

}  // namespace
