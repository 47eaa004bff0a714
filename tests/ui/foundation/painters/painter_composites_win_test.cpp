// Composite operations call their parts through the virtual table: a
// painter that overrides a part changes every drawing built on it.
#include <gtest/gtest.h>

#include "tests/ui/foundation/painters/painter_test_support_win.h"
#include "ui/foundation/painters/standard_painters_win.h"

namespace {

constexpr TColor kFace = RGBColor(200, 0, 0);
constexpr TColor kFrame = RGBColor(0, 200, 0);
constexpr TColor kSymbol = RGBColor(0, 0, 200);

// A flat painter with its own face, border, border width and symbol colour.
class MarkedPainter : public TlxFlatLookAndFeelPainter {
 public:
  TColor GetButtonColor(TlxButtonState /*state*/) const override { return kFace; }
  int32_t GetButtonBorderSize(TlxButtonState /*state*/) const override { return 3; }
  void PaintButtonBorder(TlxCanvas& canvas, const TRect& rect, TlxButtonState /*state*/) const override {
    lxFrame1(canvas, rect, kFrame);
  }
  TColor GetButtonSymbolColor(TlxButtonState /*state*/, TColor /*default_color*/) const override { return kSymbol; }
};

TEST(PainterCompositesWinTest, CompositesFollowOverriddenParts) {
  painter_test::Surface surface;
  const MarkedPainter& painter = lxPainter<MarkedPainter>();
  const TRect rect(10, 10, 40, 30);
  struct Case {
    const char* what;
    std::function<void(TlxCanvas&)> paint;
    TPoint face;
  };
  const Case cases[] = {
      {"PaintButton", [&](TlxCanvas& c) { painter.PaintButton(c, rect, "", lxbsNormal); }, TPoint{13, 13}},
      {"PaintArrowButton", [&](TlxCanvas& c) { painter.PaintArrowButton(c, rect, lxbsNormal, adUp, true); },
       TPoint{12, 12}},
      {"PaintScrollBarPart thumb",
       [&](TlxCanvas& c) { painter.PaintScrollBarPart(c, false, rect, sbpThumbnail, lxbsHot); }, TPoint{13, 13}},
      {"PaintFilterCloseButton", [&](TlxCanvas& c) { painter.PaintFilterCloseButton(c, rect, lxbsNormal); },
       TPoint{13, 13}},
      {"PaintExpandButton", [&](TlxCanvas& c) { painter.PaintExpandButton(c, rect, true, clDefault); }, TPoint{13, 13}},
      {"PaintGroupExpandButton", [&](TlxCanvas& c) { painter.PaintGroupExpandButton(c, rect, true, lxbsNormal); },
       TPoint{13, 13}},
      {"PaintSchedulerNavigatorButton",
       [&](TlxCanvas& c) { painter.PaintSchedulerNavigatorButton(c, rect, lxbsNormal); }, TPoint{13, 13}},
  };
  for (const Case& c : cases) {
    surface.Clear();
    c.paint(surface.canvas());
    EXPECT_EQ(surface.At(10, 10), static_cast<COLORREF>(kFrame)) << c.what << ": the overridden border";
    EXPECT_EQ(surface.At(c.face.X, c.face.Y), static_cast<COLORREF>(kFace)) << c.what << ": the overridden face";
  }

  // PaintButton leaves the two pixels between the one-pixel frame and the
  // three-pixel border width untouched.
  surface.Clear();
  painter.PaintButton(surface.canvas(), rect, "", lxbsNormal);
  EXPECT_EQ(surface.At(11, 11), static_cast<COLORREF>(clWhite));
  EXPECT_EQ(surface.At(12, 12), static_cast<COLORREF>(clWhite));

  // The arrow of a scroll-bar arrow is in the overridden symbol colour.
  surface.Clear();
  painter.PaintScrollBarPart(surface.canvas(), false, rect, sbpLineDown, lxbsNormal);
  EXPECT_EQ(surface.At(25, 20), static_cast<COLORREF>(kSymbol));
}

TEST(PainterCompositesWinTest, StandardGroupExpandButtonUsesTheFlatLook) {
  painter_test::DistinctSystemColors colors;
  painter_test::Surface standard_surface;
  painter_test::Surface flat_surface;
  const TRect rect(5, 5, 20, 20);
  lxPainter<TlxStandardLookAndFeelPainter>().PaintGroupExpandButton(standard_surface.canvas(), rect, false, lxbsNormal);
  lxPainter<TlxFlatLookAndFeelPainter>().PaintGroupExpandButton(flat_surface.canvas(), rect, false, lxbsNormal);
  for (int32_t y = 0; y < 25; ++y)
    for (int32_t x = 0; x < 25; ++x) ASSERT_EQ(standard_surface.At(x, y), flat_surface.At(x, y)) << x << "," << y;
  // One-pixel flat border, not the standard's two.
  EXPECT_EQ(standard_surface.At(6, 6), static_cast<COLORREF>(ColorToRGB(clBtnFace)));
}

}  // namespace
