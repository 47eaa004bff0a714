// Each painter's edges and faces, read back from a 32-bit memory bitmap at
// named points: the outer corner, one pixel in, the face's centre and the
// same from the bottom-right.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/foundation/painters/painter_test_support_win.h"
#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/painters/ultra_flat_painter_win.h"

namespace painter_pixels_win_test {

using Paint = std::function<void(const TlxCustomLookAndFeelPainter&, TlxCanvas&)>;

struct Point {
  const char* name;
  TPoint at;
  TColor color;
};

struct Case {
  std::string what;
  TlxPainterClass painter;
  Paint paint;
  std::vector<Point> points;
};

// The button, border, header and scroll-bar rectangle.
const TRect kRect(10, 10, 40, 30);
const TPoint kCorner{10, 10};
const TPoint kOneIn{11, 11};
const TPoint kTwoIn{12, 12};
const TPoint kCentre{25, 20};
const TPoint kFarCorner{39, 29};
const TPoint kFarOneIn{38, 28};
// The check box and expand button boxes.
const TRect kBox(10, 10, 23, 23);
const TRect kExpand(10, 10, 21, 21);

Paint Button(TlxButtonState state) {
  return [state](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) { p.PaintButton(c, kRect, "", state); };
}
Paint ScrollPart(TlxScrollBarPart part, TlxButtonState state) {
  return [part, state](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
    p.PaintScrollBarPart(c, false, kRect, part, state);
  };
}
Paint FilterDropDown(TlxButtonState state, bool active) {
  return [state, active](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
    p.PaintFilterDropDownButton(c, kRect, state, active);
  };
}

class PainterPixelsTest : public ::testing::Test {
 protected:
  painter_test::DistinctSystemColors colors_;
  painter_test::Surface surface_;
};

TEST_F(PainterPixelsTest, EdgesAndFacesAtNamedPoints) {
  const TlxPainterClass standard = &lxPainter<TlxStandardLookAndFeelPainter>();
  const TlxPainterClass flat = &lxPainter<TlxFlatLookAndFeelPainter>();
  const TlxPainterClass ultra = &lxPainter<TlxUltraFlatLookAndFeelPainter>();
  const TlxPainterClass office = &lxPainter<TlxOffice11LookAndFeelPainter>();
  const TlxOffice11Palette& palette = lxOffice11Palette();
  const TColor hot = lxHotHighlightColor();
  const TColor pressed = lxPressedHighlightColor();
  const TColor cell = RGBColor(1, 2, 3);
  const Paint border = [](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) { p.PaintBorder(c, kRect); };
  const Paint header = [cell](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
    p.PaintHeader(c, kRect, kRect, TlxHeaderNeighbors{}, lxAllBorders, lxbsNormal, taLeftJustify, vaTop, false, false,
                  "", nullptr, clBlack, cell, nullptr);
  };
  const Paint footer_cell = [](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
    p.PaintFooterCellBorder(c, kRect);
  };
  const auto check = [](TlxButtonState state) -> Paint {
    return [state](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
      p.PaintCheckButton(c, kBox, state, cbsUnchecked);
    };
  };
  const Paint expand = [](const TlxCustomLookAndFeelPainter& p, TlxCanvas& c) {
    p.PaintExpandButton(c, kExpand, false, clDefault);
  };
  const TPoint triangle{24, 19};

  const std::vector<Case> cases = {
      {"button normal",
       standard,
       Button(lxbsNormal),
       {{"corner", kCorner, clBtnHighlight},
        {"one in", kOneIn, cl3DLight},
        {"centre", kCentre, clBtnFace},
        {"far corner", kFarCorner, cl3DDkShadow},
        {"far one in", kFarOneIn, clBtnShadow}}},
      {"button hot (drawn as normal)",
       standard,
       Button(lxbsHot),
       {{"corner", kCorner, clBtnHighlight}, {"one in", kOneIn, cl3DLight}, {"centre", kCentre, clBtnFace}}},
      {"button default",
       standard,
       Button(lxbsDefault),
       {{"corner", kCorner, clBlack},
        {"one in", kOneIn, clBtnHighlight},
        {"two in", kTwoIn, cl3DLight},
        {"centre", kCentre, clBtnFace},
        {"far corner", kFarCorner, clBlack},
        {"far one in", kFarOneIn, cl3DDkShadow}}},
      {"button pressed",
       standard,
       Button(lxbsPressed),
       {{"corner", kCorner, clBlack},
        {"one in", kOneIn, clBtnShadow},
        {"two in", kTwoIn, clBtnFace},
        {"far one in", kFarOneIn, clBtnShadow}}},
      {"button normal",
       flat,
       Button(lxbsNormal),
       {{"corner", kCorner, clBtnHighlight}, {"one in", kOneIn, clBtnFace}, {"far corner", kFarCorner, clBtnShadow}}},
      {"button default",
       flat,
       Button(lxbsDefault),
       {{"corner", kCorner, clBlack},
        {"one in", kOneIn, clBtnHighlight},
        {"two in", kTwoIn, clBtnFace},
        {"far one in", kFarOneIn, clBtnShadow}}},
      {"button pressed",
       flat,
       Button(lxbsPressed),
       {{"corner", kCorner, clBtnShadow}, {"one in", kOneIn, clBtnFace}, {"far corner", kFarCorner, clBtnHighlight}}},
      {"button normal",
       ultra,
       Button(lxbsNormal),
       {{"corner", kCorner, clBtnText}, {"one in", kOneIn, clBtnFace}, {"far corner", kFarCorner, clBtnText}}},
      {"button hot",
       ultra,
       Button(lxbsHot),
       {{"corner", kCorner, clHighlight}, {"one in", kOneIn, hot}, {"centre", kCentre, hot}}},
      {"button pressed", ultra, Button(lxbsPressed), {{"corner", kCorner, clHighlight}, {"centre", kCentre, pressed}}},
      {"button default",
       ultra,
       Button(lxbsDefault),
       {{"corner", kCorner, clWindowFrame}, {"one in", kOneIn, clWindowFrame}, {"two in", kTwoIn, clBtnFace}}},
      {"button disabled",
       ultra,
       Button(lxbsDisabled),
       {{"corner", kCorner, clBtnShadow}, {"centre", kCentre, clBtnFace}}},
      {"button normal",
       office,
       Button(lxbsNormal),
       {{"corner", kCorner, clBtnText}, {"one in", kOneIn, palette.FaceColor}, {"centre", kCentre, palette.FaceColor}}},
      {"button hot",
       office,
       Button(lxbsHot),
       {{"corner", kCorner, palette.SelectedBorderColor}, {"centre", kCentre, palette.HotColor1}}},
      {"button pressed",
       office,
       Button(lxbsPressed),
       {{"corner", kCorner, palette.SelectedBorderColor}, {"centre", kCentre, palette.PressedColor1}}},
      {"button disabled",
       office,
       Button(lxbsDisabled),
       {{"corner", kCorner, palette.DisabledTextColor}, {"centre", kCentre, clBtnFace}}},
      {"border",
       standard,
       border,
       {{"corner", kCorner, clBtnShadow},
        {"one in", kOneIn, cl3DDkShadow},
        {"centre", kCentre, clWhite},
        {"far corner", kFarCorner, clBtnHighlight},
        {"far one in", kFarOneIn, cl3DLight}}},
      {"border",
       flat,
       border,
       {{"corner", kCorner, clBtnShadow}, {"one in", kOneIn, clWhite}, {"far corner", kFarCorner, clBtnHighlight}}},
      {"border",
       ultra,
       border,
       {{"corner", kCorner, clBtnShadow}, {"one in", kOneIn, clWhite}, {"far corner", kFarCorner, clBtnShadow}}},
      {"border", office, border, {{"corner", kCorner, palette.BorderColor}, {"one in", kOneIn, clWhite}}},
      {"header",
       standard,
       header,
       {{"corner", kCorner, clBtnHighlight}, {"one in", kOneIn, cell}, {"far corner", kFarCorner, clBtnShadow}}},
      {"header",
       flat,
       header,
       {{"corner", kCorner, clBtnHighlight}, {"one in", kOneIn, cell}, {"far corner", kFarCorner, clBtnShadow}}},
      {"header",
       ultra,
       header,
       {{"corner", kCorner, clBtnText}, {"one in", kOneIn, cell}, {"far corner", kFarCorner, clBtnText}}},
      {"header (its own background)",
       office,
       header,
       {{"top row", TPoint{20, 10}, lxMixRGB(palette.BarLightColor, palette.BarDarkColor, 50)},
        {"left column", TPoint{10, 15}, palette.HeaderLightEdgeColor},
        {"bottom row", TPoint{20, 29}, palette.HeaderDarkEdgeColor},
        {"right column", TPoint{39, 15}, palette.HeaderDarkEdgeColor},
        {"centre", kCentre, lxMixRGB(palette.BarLightColor, palette.BarDarkColor, 50)}}},
      {"footer cell border",
       standard,
       footer_cell,
       {{"corner", kCorner, clBtnShadow}, {"far corner", kFarCorner, clBtnHighlight}}},
      {"footer cell border",
       flat,
       footer_cell,
       {{"corner", kCorner, clBtnShadow}, {"far corner", kFarCorner, clBtnHighlight}}},
      {"footer cell border",
       ultra,
       footer_cell,
       {{"corner", kCorner, clBtnShadow}, {"far corner", kFarCorner, clBtnShadow}}},
      {"footer cell border",
       office,
       footer_cell,
       {{"corner", kCorner, palette.HeaderDarkEdgeColor}, {"far corner", kFarCorner, palette.HeaderDarkEdgeColor}}},
      {"check box",
       standard,
       check(lxbsNormal),
       {{"corner", kCorner, cl3DDkShadow},
        {"one in", kOneIn, clBtnShadow},
        {"two in", kTwoIn, clWindow},
        {"far corner", TPoint{22, 22}, cl3DLight},
        {"far one in", TPoint{21, 21}, clBtnHighlight}}},
      {"check box",
       flat,
       check(lxbsNormal),
       {{"corner", kCorner, clBtnShadow},
        {"one in", kOneIn, clWindow},
        {"far corner", TPoint{22, 22}, clBtnHighlight}}},
      {"check box pressed", flat, check(lxbsPressed), {{"one in", kOneIn, clBtnFace}, {"two in", kTwoIn, clBtnFace}}},
      {"check box", ultra, check(lxbsNormal), {{"corner", kCorner, clBtnText}, {"one in", kOneIn, clWindow}}},
      {"check box hot",
       office,
       check(lxbsHot),
       {{"corner", kCorner, clBtnText}, {"one in", kOneIn, palette.HotColor1}, {"two in", kTwoIn, palette.HotColor1}}},
      {"expand button",
       standard,
       expand,
       {{"corner", kCorner, clBtnHighlight},
        {"one in", kOneIn, clBtnFace},
        {"far corner", TPoint{20, 20}, cl3DDkShadow},
        {"far one in", TPoint{19, 19}, clBtnShadow},
        {"cross", TPoint{15, 15}, clBtnText}}},
      {"expand button",
       ultra,
       expand,
       {{"corner", kCorner, clBtnShadow}, {"one in", kOneIn, clBtnFace}, {"cross", TPoint{15, 15}, clBtnText}}},
      {"thumb",
       standard,
       ScrollPart(sbpThumbnail, lxbsNormal),
       {{"corner", kCorner, clBtnFace},
        {"one in", kOneIn, clBtnHighlight},
        {"centre", kCentre, clBtnFace},
        {"far corner", kFarCorner, cl3DDkShadow},
        {"far one in", kFarOneIn, clBtnShadow}}},
      {"thumb",
       flat,
       ScrollPart(sbpThumbnail, lxbsNormal),
       {{"corner", kCorner, clBtnHighlight}, {"centre", kCentre, clBtnFace}, {"far corner", kFarCorner, clBtnShadow}}},
      {"thumb hot",
       ultra,
       ScrollPart(sbpThumbnail, lxbsHot),
       {{"corner", kCorner, clHighlight}, {"centre", kCentre, hot}}},
      {"disabled thumb (not drawn)",
       standard,
       ScrollPart(sbpThumbnail, lxbsDisabled),
       {{"corner", kCorner, clWhite}, {"centre", kCentre, clWhite}}},
      {"disabled thumb (not drawn)", ultra, ScrollPart(sbpThumbnail, lxbsDisabled), {{"centre", kCentre, clWhite}}},
      {"page",
       standard,
       ScrollPart(sbpPageUp, lxbsNormal),
       {{"even cell", kCorner, clBtnFace}, {"odd cell", TPoint{11, 10}, clBtnHighlight}}},
      {"page pressed",
       flat,
       ScrollPart(sbpPageDown, lxbsPressed),
       {{"even cell", kCorner, clBlack}, {"odd cell", TPoint{11, 10}, cl3DDkShadow}}},
      {"page",
       ultra,
       ScrollPart(sbpPageDown, lxbsNormal),
       {{"even cell", kCorner, clBtnFace}, {"odd cell", TPoint{10, 11}, clBtnHighlight}}},
      {"filter drop-down",
       standard,
       FilterDropDown(lxbsNormal, false),
       {{"corner", kCorner, clBtnHighlight}, {"one in", kOneIn, clBtnFace}, {"triangle", triangle, clBtnText}}},
      {"filter drop-down active",
       flat,
       FilterDropDown(lxbsPressed, true),
       {{"corner", kCorner, clBtnShadow}, {"far corner", kFarCorner, clBtnHighlight}, {"triangle", triangle, clBlue}}},
      {"filter drop-down",
       ultra,
       FilterDropDown(lxbsNormal, false),
       {{"corner", kCorner, clBtnShadow}, {"one in", kOneIn, clBtnFace}, {"triangle", triangle, clBtnText}}},
      {"filter drop-down pressed",
       ultra,
       FilterDropDown(lxbsPressed, false),
       {{"corner", kCorner, clHighlight}, {"one in", kOneIn, pressed}, {"triangle", triangle, clHighlightText}}},
      {"filter drop-down",
       office,
       FilterDropDown(lxbsNormal, false),
       {{"corner", kCorner, palette.HeaderDarkEdgeColor},
        {"one in", kOneIn, palette.FaceColor},
        {"triangle", triangle, palette.TextColor}}},
  };

  for (const Case& c : cases) {
    surface_.Clear();
    c.paint(*c.painter, surface_.canvas());
    for (const Point& point : c.points)
      EXPECT_EQ(surface_.At(point.at.X, point.at.Y), static_cast<COLORREF>(ColorToRGB(point.color)))
          << c.what << " of style " << c.painter->GetLookAndFeelStyle() << " at " << point.name;
  }
}

}  // namespace painter_pixels_win_test
