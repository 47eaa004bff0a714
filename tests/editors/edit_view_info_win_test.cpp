#include "editors/edit_view_info_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <memory>

#include "editors/edit_paint_utils_win.h"
#include "editors/edit_view_data_win.h"
#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/colors/office11_colors_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace {

using painter_test::Surface;

constexpr TColor kBorder = 0x0000FF;      // red
constexpr TColor kBackground = 0x00FFFF;  // yellow

COLORREF Rgb(TColor color) { return static_cast<COLORREF>(ColorToRGB(color) & 0xFFFFFF); }

// Gradients are dithered or rounded by the system: each channel within
// `tolerance`.
bool Near(COLORREF a, COLORREF b, int tolerance) {
  for (const int shift : {0, 8, 16})
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

// A window-less cell as a grid draws it: properties, a style of its own and
// the view data and view info calculated from them.
class Cell {
 public:
  explicit Cell(bool inplace = false) : properties_(nullptr), style_(nullptr, false) {
    style_.SetTransparentBorder(false);
    style_.SetBorderColor(kBorder);
    style_.SetColor(kBackground);
    style_.SetHotTrack(false);
    inplace_ = inplace;
  }

  TlxCustomEditProperties& properties() { return properties_; }
  TlxEditStyle& style() { return style_; }
  TlxEditButton* AddButton(int32_t width = 0, TlxEditButtonKind kind = bkDown) {
    TlxEditButton* button = properties_.Buttons()->AddButton();
    button->SetWidth(width);
    button->SetKind(kind);
    return button;
  }
  // The view data is made on first use, after the settings, as a grid does
  // once per column.
  TlxCustomEditViewData& data() {
    if (data_ == nullptr)
      data_ = std::make_unique<TlxCustomEditViewData>(&properties_, &style_, inplace_);
    return *data_;
  }
  void UseData(std::unique_ptr<TlxCustomEditViewData> data) { data_ = std::move(data); }
  TlxCustomEditViewInfo& info() { return info_; }

  void Calculate(const TRect& bounds, const TPoint& point = TPoint(-1, -1), int32_t button = kLxNoMouseButton,
                 TShiftState shift = {}, bool mouse_event = false) {
    data().Calculate(surface_.canvas(), bounds, point, button, shift, info_, mouse_event);
  }
  void Draw() { info_.Draw(surface_.canvas()); }
  COLORREF At(int32_t x, int32_t y) { return surface_.At(x, y); }
  TlxCanvas& canvas() { return surface_.canvas(); }

 private:
  TlxCustomEditProperties properties_;
  TlxEditStyle style_;
  bool inplace_ = false;
  std::unique_ptr<TlxCustomEditViewData> data_;
  TlxCustomEditViewInfo info_;
  Surface surface_{80, 30};
};

const TRect kBounds(0, 0, 60, 20);

TEST(EditViewInfoTest, BorderRectanglesAndPixelsFollowTheBorderStyle) {
  struct Case {
    TlxEditBorderStyle style;
    TRect border_rect;
    TColor outer;  // at (0, 10)
    TColor inner;  // at (1, 10)
  };
  const Case cases[] = {
      {ebsNone, TRect(0, 0, 60, 20), kBackground, kBackground},
      {ebsSingle, TRect(1, 1, 59, 19), kBorder, kBackground},
      {ebsThick, TRect(2, 2, 58, 18), kBorder, kBorder},
      {ebsFlat, TRect(2, 2, 58, 18), clBtnShadow, clBtnFace},
      {ebs3D, TRect(2, 2, 58, 18), clBtnShadow, cl3DDkShadow},
      {ebsUltraFlat, TRect(1, 1, 59, 19), clBtnShadow, kBackground},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    Cell cell;
    cell.style().SetBorderStyle(c.style);
    cell.Calculate(kBounds);
    cell.Draw();
    EXPECT_EQ(cell.info().BorderRect, c.border_rect);
    EXPECT_EQ(cell.info().ClientRect, c.border_rect);
    EXPECT_EQ(cell.At(0, 10), Rgb(c.outer));
    EXPECT_EQ(cell.At(1, 10), Rgb(c.inner));
    EXPECT_EQ(cell.At(30, 10), Rgb(kBackground));
    // Nothing is drawn outside the bounds.
    EXPECT_EQ(cell.At(61, 10), Rgb(clWhite));
  }
}

TEST(EditViewInfoTest, UltraFlatBorderTakesTheHighlightWhileFocusedOrHot) {
  Cell cell;
  cell.style().SetBorderStyle(ebsUltraFlat);
  cell.data().Focused = true;
  cell.Calculate(kBounds);
  cell.Draw();
  EXPECT_EQ(cell.At(0, 10), Rgb(clHighlight));

  Cell hot;
  hot.style().SetBorderStyle(ebsUltraFlat);
  hot.style().SetHotTrack(true);
  hot.Calculate(kBounds, TPoint(30, 10));
  EXPECT_NE(hot.info().ContainerState & kLxContainerStateHot, 0);
  hot.Draw();
  EXPECT_EQ(hot.At(0, 10), Rgb(clHighlight));
}

TEST(EditViewInfoTest, Office2003BorderTakesThePalettesHighlight) {
  Cell cell;
  cell.style().SetBorderStyle(ebsOffice11);
  cell.Calculate(kBounds);
  cell.Draw();
  EXPECT_EQ(cell.At(0, 10), Rgb(clBtnShadow));

  Cell focused;
  focused.style().SetBorderStyle(ebsOffice11);
  focused.data().Focused = true;
  focused.Calculate(kBounds);
  focused.Draw();
  EXPECT_EQ(focused.At(0, 10), Rgb(lxOffice11Palette().SelectedBorderColor));
}

// The face of an ultra-flat or Office 2003 button by its state, and the
// frame between it and its neighbour: inside the editor's border only that
// side is drawn, in the highlight while hot or pressed.
TEST(EditViewInfoTest, FlatButtonFacesFollowTheirLook) {
  struct Case {
    TlxEditButtonStyle style;
    TPoint point;
    int32_t button;
    TShiftState shift;
    TColor face;
    TColor edge;  // the right button's left column
  };
  const TPoint on(52, 10);
  const TColor office_face = lxPainter<TlxOffice11LookAndFeelPainter>().GetButtonColor(lxbsNormal);
  const TColor office_border = lxOffice11Palette().SelectedBorderColor;
  const Case cases[] = {
      {btsUltraFlat, TPoint(-1, -1), kLxNoMouseButton, {}, clBtnFace, kBackground},
      {btsUltraFlat, on, kLxNoMouseButton, {}, lxHotHighlightColor(), clHighlight},
      {btsUltraFlat, on, mbLeft, TShiftState{ssLeft}, lxPressedHighlightColor(), clHighlight},
      {btsOffice11, TPoint(-1, -1), kLxNoMouseButton, {}, office_face, kBackground},
      {btsOffice11, on, kLxNoMouseButton, {}, lxOffice11Palette().HotColor1, office_border},
      {btsOffice11, on, mbLeft, TShiftState{ssLeft}, lxOffice11Palette().PressedColor1, office_border},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style " << static_cast<int>(c.style) << " at " << c.point.X);
    Cell cell;
    cell.style().SetButtonStyle(c.style);
    cell.AddButton(15, bkGlyph);
    cell.AddButton(15, bkGlyph);
    cell.Calculate(kBounds, c.point, c.button, c.shift, c.button != kLxNoMouseButton);
    cell.Draw();
    int32_t right = 0;
    for (int32_t i = 1; i < cell.info().ButtonCount(); ++i)
      if (cell.info().Button(i).Bounds.Left > cell.info().Button(right).Bounds.Left)
        right = i;
    const TRect bounds = cell.info().Button(right).Bounds;
    ASSERT_TRUE(bounds.Contains(on));
    EXPECT_EQ(cell.At(bounds.Left + 7, bounds.Top + 8), Rgb(c.face));
    EXPECT_EQ(cell.At(bounds.Left, bounds.Top + 8), Rgb(c.edge));
  }
}

TEST(EditViewInfoTest, Office2003GradientButtonsShadeOverTheBorderHeight) {
  for (const bool hot : {false, true}) {
    SCOPED_TRACE(hot);
    Cell cell;
    cell.style().SetButtonStyle(btsOffice11);
    cell.AddButton(15, bkGlyph);
    cell.Calculate(kBounds, hot ? TPoint(50, 10) : TPoint(-1, -1));
    cell.info().Button(0).Gradient = true;
    cell.Draw();
    const TlxGradientColors colors = lxGetOffice11ButtonGradient(hot ? kLxButtonStateHot : kLxButtonStateNormal);
    const TRect border = cell.info().BorderRect;
    const int32_t x = cell.info().Button(0).Bounds.Left + 7;
    // A normal button's gradient runs one pixel inside the border.
    const int32_t top = border.Top + (hot ? 0 : 1);
    const int32_t bottom = border.Bottom - (hot ? 1 : 2);
    EXPECT_TRUE(Near(cell.At(x, top), Rgb(colors.From), 8));
    EXPECT_TRUE(Near(cell.At(x, bottom), Rgb(colors.To), 8));
    if (colors.From != colors.To) {
      EXPECT_NE(cell.At(x, top), cell.At(x, bottom));
    }
  }
  // Without the gradient flag the face is flat.
  Cell flat;
  flat.style().SetButtonStyle(btsOffice11);
  flat.AddButton(15, bkGlyph);
  flat.Calculate(kBounds);
  flat.Draw();
  const int32_t x = flat.info().Button(0).Bounds.Left + 7;
  EXPECT_EQ(flat.At(x, 3), flat.At(x, 16));
}

// A native editor draws the visual style's own edit frame and drop-down
// button: the pixels the theme draws for the same parts and states on a
// memory DC.
TEST(EditViewInfoTest, NativeStyleDrawsTheThemesFrameAndButton) {
  lxUxThemeStartup();
  if (!lxThemeAvailableFor(totEdit) || !lxThemeAvailableFor(totComboBox) || lxIsDesktopCompositionOn())
    GTEST_SKIP() << "no visual style in this session";
  TlxLookAndFeel native(nullptr);
  native.SetNativeStyle(true);
  const TPoint on_button(50, 10);
  for (const bool hot : {false, true}) {
    SCOPED_TRACE(hot);
    Cell cell;
    cell.style().SetLookAndFeel(&native);
    cell.style().SetHotTrack(true);
    cell.AddButton(17);
    cell.Calculate(kBounds, hot ? on_button : TPoint(-1, -1));
    ASSERT_TRUE(cell.info().NativeStyle);
    EXPECT_EQ(cell.info().ThemedState, hot ? 2 : 1);
    EXPECT_EQ(cell.info().BorderRect, kBounds.Inflate(-2, -2));
    const TlxEditButtonViewInfo& button = cell.info().Button(0);
    EXPECT_EQ(button.NativePart, 1);
    EXPECT_EQ(button.NativeState, hot ? 2 : 1);
    cell.Draw();

    Surface reference(80, 30);
    const HDC dc = reference.canvas().Handle();
    lxUxDrawThemeBackground(lxOpenThemeHandle(totEdit), dc, 1, cell.info().ThemedState, kBounds);
    lxUxDrawThemeBackground(lxOpenThemeHandle(totComboBox), dc, 1, button.NativeState, button.Bounds);
    const TPoint frame(0, 10);
    const TPoint arrow((button.Bounds.Left + button.Bounds.Right) / 2, 10);
    const TPoint button_edge(button.Bounds.Left, 10);
    for (const TPoint& p : {frame, arrow, button_edge})
      EXPECT_EQ(cell.At(p.X, p.Y), reference.At(p.X, p.Y)) << p.X << "," << p.Y;
    // Inside the frame, the editor's own colour.
    EXPECT_EQ(cell.At(10, 10), Rgb(kBackground));
  }
}

// Asked for the native style where the visual style has no edit class, an
// editor keeps the classic look.
TEST(EditViewInfoTest, NativeStyleWithoutAThemeDrawsClassically) {
  painter_test::ThemingOff off;
  TlxLookAndFeel native(nullptr);
  native.SetNativeStyle(true);
  Cell cell;
  cell.style().SetLookAndFeel(&native);
  cell.style().SetBorderStyle(ebsSingle);
  cell.AddButton(17);
  cell.Calculate(kBounds);
  EXPECT_FALSE(cell.info().NativeStyle);
  EXPECT_EQ(cell.info().Button(0).NativePart, 0);
  cell.Draw();
  EXPECT_EQ(cell.At(0, 10), Rgb(kBorder));
}

TEST(EditViewInfoTest, InplaceWithoutFrameExtentHasNoBorderAndFullHeightButtons) {
  Cell cell(true);
  cell.style().SetBorderStyle(ebsSingle);
  cell.style().SetButtonStyle(bts3D);
  cell.AddButton(15);
  cell.Calculate(kBounds);
  EXPECT_EQ(cell.info().BorderRect, kBounds);
  ASSERT_EQ(cell.info().ButtonCount(), 1);
  EXPECT_EQ(cell.info().Button(0).Bounds, TRect(45, 0, 60, 20));
  EXPECT_EQ(cell.info().ClientRect, TRect(0, 0, 45, 20));
  cell.Draw();
  // The background reaches the cell's edge, the 3-D button its own.
  EXPECT_EQ(cell.At(0, 0), Rgb(kBackground));
  EXPECT_EQ(cell.At(45, 0), Rgb(cl3DLight));
  EXPECT_EQ(cell.At(59, 19), Rgb(cl3DDkShadow));

  // A frame extent keeps the content and the buttons inside it.
  Cell framed(true);
  framed.AddButton(15);
  framed.data().InplaceFrameExtent = TRect(2, 1, 2, 1);
  framed.Calculate(kBounds);
  EXPECT_EQ(framed.info().BorderRect, TRect(2, 1, 58, 19));
  EXPECT_EQ(framed.info().Button(0).Bounds, TRect(43, 1, 58, 19));
  EXPECT_TRUE(framed.info().HasInplaceFrameExtent);
}

TEST(EditViewInfoTest, StretchedButtonsShareTheSpareWidthByTheirWidths) {
  Cell cell(true);
  cell.properties().SetButtonsViewStyle(2);
  cell.AddButton(10);
  cell.AddButton(30);
  cell.Calculate(TRect(0, 0, 49, 20));
  ASSERT_EQ(cell.info().ButtonCount(), 2);
  const TRect first = cell.info().Button(0).Bounds;
  const TRect second = cell.info().Button(1).Bounds;
  // 9 spare pixels: the second grows by 30 * 9 / 40 = 6, the first by the
  // remaining 3.
  EXPECT_EQ(first, TRect(0, 0, 13, 20));
  EXPECT_EQ(second, TRect(13, 0, 49, 20));

  // Stand-alone, only view style 1 stretches.
  Cell alone;
  alone.properties().SetButtonsViewStyle(2);
  alone.AddButton(10);
  alone.Calculate(TRect(0, 0, 49, 20));
  EXPECT_EQ(alone.info().Button(0).Bounds.Width(), 10);
}

// An editor holding the mouse capture for its first button.
class CapturingViewData : public TlxCustomEditViewData {
 public:
  using TlxCustomEditViewData::TlxCustomEditViewData;
  int32_t GetCapturedButtonIndex() const override { return 0; }
};

TEST(EditViewInfoTest, PressMoveOffMoveBackAndRelease) {
  for (const bool captured : {false, true}) {
    SCOPED_TRACE(captured);
    Cell cell;
    cell.AddButton(15);
    if (captured)
      cell.UseData(std::make_unique<CapturingViewData>(&cell.properties(), &cell.style(), false));
    const TPoint on(50, 10);
    const TPoint off(10, 10);
    cell.Calculate(kBounds, on, mbLeft, TShiftState{ssLeft}, true);
    EXPECT_EQ(cell.info().Button(0).State, kLxButtonStatePressed);
    EXPECT_EQ(cell.info().PressedButton, 0);
    EXPECT_TRUE(cell.info().ButtonReallyPressed);

    cell.Calculate(kBounds, off, kLxNoMouseButton, TShiftState{ssLeft}, true);
    EXPECT_EQ(cell.info().Button(0).State, kLxButtonStateNormal);
    EXPECT_EQ(cell.info().PressedButton, -1);

    cell.Calculate(kBounds, on, kLxNoMouseButton, TShiftState{ssLeft}, true);
    EXPECT_EQ(cell.info().Button(0).State, captured ? kLxButtonStatePressed : kLxButtonStateNormal);

    cell.Calculate(kBounds, on, kLxNoMouseButton, {}, true);
    EXPECT_EQ(cell.info().Button(0).State, kLxButtonStateHot);
    EXPECT_EQ(cell.info().HotButton, 0);
  }
}

TEST(EditViewInfoTest, HitPartsAndPartBounds) {
  Cell cell;
  cell.style().SetBorderStyle(ebsSingle);
  cell.AddButton(15);
  cell.Calculate(kBounds, TPoint(50, 10));
  // Button 0 is hot under the point.
  EXPECT_EQ(lxGetEditHitPart(TPoint(50, 10), cell.info()), 0);
  EXPECT_EQ(lxGetEditPartBounds(cell.info(), 0), TRect(44, 1, 59, 19));
  EXPECT_EQ(lxGetEditPartBounds(cell.info(), -1), TRect(1, 1, 44, 19));
  EXPECT_EQ(lxGetEditPartBounds(cell.info(), 5), TRect());

  cell.Calculate(kBounds, TPoint(10, 10));
  EXPECT_EQ(lxGetEditHitPart(TPoint(10, 10), cell.info()), -1);
  EXPECT_EQ(lxGetEditHitPart(TPoint(0, 0), cell.info()), -2);
  EXPECT_TRUE(cell.info().IsPointOnButton(TPoint(50, 10)));
  EXPECT_FALSE(cell.info().IsPointOnButton(TPoint(10, 10)));
}

TEST(EditViewInfoTest, ButtonFramesShowTheirState) {
  struct Case {
    TlxEditButtonStyle style;
    TPoint point;
    int32_t button;
    TShiftState shift;
    TColor corner;  // the button's top-left pixel
  };
  const Case cases[] = {
      {bts3D, TPoint(-1, -1), kLxNoMouseButton, {}, cl3DLight},
      {bts3D, TPoint(50, 10), mbLeft, TShiftState{ssLeft}, clBtnShadow},
      {btsFlat, TPoint(-1, -1), kLxNoMouseButton, {}, clBtnFace},
      {btsHotFlat, TPoint(50, 10), kLxNoMouseButton, {}, clBtnShadow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    Cell cell;
    cell.style().SetButtonStyle(c.style);
    cell.AddButton(15);
    cell.Calculate(kBounds, c.point, c.button, c.shift, c.button != kLxNoMouseButton);
    cell.Draw();
    const TRect bounds = cell.info().Button(0).Bounds;
    EXPECT_EQ(cell.At(bounds.Left, bounds.Top), Rgb(c.corner));
  }
}

TEST(EditViewInfoTest, DropDownArrowIsDrawnInTheButtonTextColour) {
  Cell cell;
  cell.AddButton(17);
  cell.Calculate(kBounds);
  cell.Draw();
  const TRect bounds = cell.info().Button(0).Bounds;
  int32_t arrow_pixels = 0;
  for (int32_t y = bounds.Top; y < bounds.Bottom; ++y)
    for (int32_t x = bounds.Left; x < bounds.Right; ++x)
      arrow_pixels += cell.At(x, y) == Rgb(clBtnText) ? 1 : 0;
  EXPECT_GT(arrow_pixels, 0);
}

TEST(EditViewInfoTest, TransparentButtonTakesTheEditorBackground) {
  Cell cell;
  cell.style().SetButtonStyle(bts3D);
  cell.style().SetButtonTransparency(ebtAlways);
  cell.AddButton(15, bkGlyph);
  cell.Calculate(kBounds);
  cell.Draw();
  const TRect bounds = cell.info().Button(0).Bounds;
  EXPECT_EQ(cell.At(bounds.Left + 5, bounds.Top + 8), Rgb(kBackground));
}

TEST(EditViewInfoTest, HideInactiveButtonsShowOnlyWhileFocused) {
  Cell cell;
  cell.style().SetBorderStyle(ebsNone);
  cell.style().SetButtonTransparency(ebtHideInactive);
  cell.AddButton(15);
  cell.Calculate(kBounds);
  EXPECT_EQ(cell.info().ButtonCount(), 0);
  EXPECT_EQ(cell.info().ClientRect.Right, kBounds.Right);
  cell.data().Focused = true;
  cell.Calculate(kBounds);
  EXPECT_EQ(cell.info().ButtonCount(), 1);
  EXPECT_EQ(cell.info().ClientRect.Right, kBounds.Right - 15);
}

TEST(EditViewInfoTest, MeasuringCountsTheFrameShadowAndWidthLimit) {
  Cell plain;
  plain.style().SetBorderStyle(ebsSingle);
  const TSize without = plain.data().MeasureEditSize(plain.canvas(), Variant(), {});
  Cell shadowed;
  shadowed.style().SetBorderStyle(ebsSingle);
  shadowed.style().SetShadow(true);
  const TSize with = shadowed.data().MeasureEditSize(shadowed.canvas(), Variant(), {});
  EXPECT_EQ(with.cx - without.cx, 3);
  EXPECT_EQ(with.cy - without.cy, 3);
  EXPECT_EQ(without, (TSize{2, 2}));

  TlxEditSizeProperties narrow;
  narrow.Width = 1;
  EXPECT_EQ(plain.data().MeasureEditSize(plain.canvas(), Variant(), narrow).cx, 1);
}

TEST(EditViewInfoTest, BackgroundDrawModes) {
  Cell alone;
  alone.Calculate(kBounds);
  EXPECT_EQ(alone.info().GetBackgroundDrawMode(), ebdmFrame);
  EXPECT_FALSE(alone.info().HasSpecialBackground());
  alone.info().Transparent = true;
  EXPECT_EQ(alone.info().GetBackgroundDrawMode(), ebdmParentImage);

  Cell inplace(true);
  inplace.Calculate(kBounds);
  EXPECT_EQ(inplace.info().GetBackgroundDrawMode(), ebdmFill);
  inplace.info().Transparent = true;
  EXPECT_EQ(inplace.info().GetBackgroundDrawMode(), ebdmNothing);
  EXPECT_TRUE(inplace.info().HasSpecialBackground());
  bool asked = false;
  inplace.info().OnDrawBackground = [&](TlxCustomEditViewInfo&, TlxCanvas&, bool& handled) {
    asked = true;
    handled = true;
  };
  EXPECT_EQ(inplace.info().GetBackgroundDrawMode(), ebdmCustom);
  inplace.Draw();
  EXPECT_TRUE(asked);
  // The handler drew instead of the frame.
  EXPECT_EQ(inplace.At(10, 10), Rgb(clWhite));
}

}  // namespace

namespace {

TEST(EditViewInfoTest, PropertiesNameAndCreateTheirViewClasses) {
  TlxCustomEditProperties properties(nullptr);
  TlxEditStyle style(nullptr, false);
  style.SetTransparentBorder(false);
  style.SetBorderStyle(ebsThick);
  EXPECT_EQ(properties.GetViewDataClass().Class, &TlxCustomEditViewData::kClass);
  const TlxEditViewInfoClass info_class = properties.GetViewInfoClass();
  EXPECT_EQ(info_class.Class, &TlxCustomEditViewInfo::kClass);
  EXPECT_EQ(info_class.Create()->ClassType(), &TlxCustomEditViewInfo::kClass);

  const auto data = properties.CreateViewData(&style, true, true);
  EXPECT_TRUE(data->PreviewMode);
  EXPECT_TRUE(data->IsInplace());
  EXPECT_EQ(data->Properties(), &properties);

  Surface surface;
  // A thick border: 2 on every side, stand-alone.
  EXPECT_EQ(properties.CalculateEditSize(surface.canvas(), &style, false, Variant(), {}), (TSize{4, 4}));
  // In place the border belongs to the host.
  EXPECT_EQ(properties.CalculateEditSize(surface.canvas(), &style, true, Variant(), {}), (TSize{0, 0}));
}

}  // namespace

namespace {

// A kind whose view data calculates fields of its own view info class.
class KindViewInfo : public TlxCustomEditViewInfo {};

class KindViewData : public TlxCustomEditViewData {
 public:
  using TlxCustomEditViewData::TlxCustomEditViewData;
  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override {
    TlxCustomEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
    calculated_own_class = dynamic_cast<KindViewInfo*>(&view_info) != nullptr;
  }
  mutable bool calculated_own_class = false;
};

class KindProperties : public TlxCustomEditProperties {
 public:
  using TlxCustomEditProperties::TlxCustomEditProperties;
  TlxEditViewInfoClass GetViewInfoClass() const override {
    return {&TlxCustomEditViewInfo::kClass,
            []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<KindViewInfo>(); }};
  }
};

TEST(EditViewInfoTest, MeasuringCalculatesTheKindsOwnViewInfo) {
  KindProperties properties(nullptr);
  TlxEditStyle style(nullptr, false);
  KindViewData data(&properties, &style, false);
  Surface surface;
  data.MeasureEditSize(surface.canvas(), Variant(), {});
  EXPECT_TRUE(data.calculated_own_class);
}

TEST(EditViewInfoTest, AButtonRepaintsOnlyWhenItsLookChanged) {
  TlxEditButtonViewInfo old;
  old.State = kLxButtonStateNormal;
  struct Case {
    const char* name;
    void (*change)(TlxEditButtonViewInfo&);
    bool differs;
  };
  const Case cases[] = {
      {"nothing", [](TlxEditButtonViewInfo&) {}, false},
      {"hot", [](TlxEditButtonViewInfo& b) { b.State = kLxButtonStateHot; }, true},
      {"style", [](TlxEditButtonViewInfo& b) { b.Style = btsFlat; }, true},
      {"colour", [](TlxEditButtonViewInfo& b) { b.BackgroundColor = kBackground; }, true},
      {"native state", [](TlxEditButtonViewInfo& b) { b.NativeState = 2; }, true},
      // Bounds alone are the picture's business, not the button's.
      {"bounds", [](TlxEditButtonViewInfo& b) { b.Bounds = TRect(1, 1, 5, 5); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TlxEditButtonViewInfo fresh;
    fresh.CopyFrom(old);
    c.change(fresh);
    EXPECT_EQ(fresh.DiffersFrom(old), c.differs);
  }
}

}  // namespace
