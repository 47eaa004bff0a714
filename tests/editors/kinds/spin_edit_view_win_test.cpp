// The spin buttons drawn without a window on a memory surface: where their
// frames go, which button shows pressed while a key spins, and the arrows.

#include <gtest/gtest.h>

#include "editors/edit_style_win.h"
#include "editors/kinds/spin_edit_view_win.h"
#include "platform/toolkit/color.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace spin_edit_view_test {

struct SpinPicture {
  explicit SpinPicture(TlxSpinEditButtonsPosition position, bool fast, TlxEditButtonStyle button_style)
      : properties(nullptr), style(nullptr, false) {
    properties.SpinButtons()->SetPosition(position);
    properties.SpinButtons()->SetShowFastButtons(fast);
    style.SetTransparentBorder(false);
    style.SetBorderStyle(ebsSingle);
    style.SetButtonStyle(button_style);
    style.SetColor(0x00FFFF);
  }

  // The view data reads the settings when it is made, as for every calculation of an editor.
  void Calculate(TPoint mouse = TPoint(-1, -1), bool pressing = false) {
    TlxSpinEditViewData data(&properties, &style, false);
    data.KeyboardSpinState = keyboard_spin_state;
    data.Calculate(surface.canvas(), kCell, mouse, pressing ? static_cast<int32_t>(mbLeft) : kLxNoMouseButton,
                   pressing ? TShiftState{ssLeft} : TShiftState{}, info, pressing);
  }
  void Draw() { info.Draw(surface.canvas()); }
  COLORREF At(int32_t x, int32_t y) { return surface.At(x, y); }
  // How many pixels of `rect` have the colour.
  int32_t Count(const TRect& rect, TColor color) {
    const COLORREF wanted = ColorToRGB(color) & 0xFFFFFF;
    int32_t count = 0;
    for (int32_t y = rect.Top; y < rect.Bottom; ++y)
      for (int32_t x = rect.Left; x < rect.Right; ++x)
        count += At(x, y) == wanted ? 1 : 0;
    return count;
  }

  static constexpr TRect kCell{2, 2, 122, 26};
  painter_test::ThemingOff theming_off;
  painter_test::DistinctSystemColors colors;
  painter_test::Surface surface{126, 30};
  TlxSpinEditProperties properties;
  TlxEditStyle style;
  int32_t keyboard_spin_state = 0;
  TlxSpinEditViewInfo info;
};

COLORREF Rgb(TColor color) { return ColorToRGB(color) & 0xFFFFFF; }

TEST(SpinEditViewTest, HotFlatNeighboursShareTheirShadowLines) {
  SpinPicture picture(sbpHorzRight, true, btsHotFlat);
  picture.Calculate();
  picture.Draw();
  ASSERT_EQ(picture.info.ButtonCount(), 4);
  const TRect b0 = picture.info.Button(0).Bounds;
  const TRect b2 = picture.info.Button(2).Bounds;
  const int32_t mid = (b0.Top + b0.Bottom) / 2;
  // Left to right: text, 2, 0, 1, 3.
  EXPECT_LT(b2.Right, picture.info.Button(0).Bounds.Right);
  EXPECT_LE(picture.info.Button(0).Bounds.Right, picture.info.Button(1).Bounds.Left);
  EXPECT_LE(picture.info.Button(1).Bounds.Right, picture.info.Button(3).Bounds.Left);
  // Button 2 has a full shadow frame; 0 leaves its left side in its face
  // colour, as its neighbour's frame ends there.
  EXPECT_EQ(picture.At(b2.Left, mid), Rgb(clBtnShadow));
  EXPECT_EQ(picture.At(b2.Right - 1, mid), Rgb(clBtnShadow));
  EXPECT_EQ(picture.At(b0.Left, mid), Rgb(clBtnFace));
  EXPECT_EQ(picture.At(b0.Right - 1, mid), Rgb(clBtnShadow));
  EXPECT_EQ(picture.At((b0.Left + b0.Right) / 2, b0.Top), Rgb(clBtnShadow));
  // Each button shows its arrow in the text colour: two arrows on the fast ones.
  const int32_t single = picture.Count(b0.Inflate(-1, -1), clBtnText);
  EXPECT_GT(single, 0);
  EXPECT_GT(picture.Count(b2.Inflate(-1, -1), clBtnText), single);
}

TEST(SpinEditViewTest, AVerticalColumnStacksUpOverDown) {
  SpinPicture picture(sbpVert, false, bts3D);
  picture.Calculate();
  picture.Draw();
  ASSERT_EQ(picture.info.ButtonCount(), 2);
  const TRect down = picture.info.Button(0).Bounds;
  const TRect up = picture.info.Button(1).Bounds;
  EXPECT_EQ(up.Left, down.Left);
  EXPECT_EQ(up.Right, down.Right);
  EXPECT_EQ(up.Bottom, down.Top);
  EXPECT_EQ(picture.info.ButtonsPosition, sbpVert);
  EXPECT_GT(picture.info.ArrowSize, 0);
  // The up arrow's tip is above its base: the arrow's topmost row is its narrowest.
  auto row_count = [&](const TRect& button, bool topmost) {
    const TRect inner = button.Inflate(-2, -2);
    for (int32_t i = 0; i < inner.Height(); ++i) {
      const int32_t y = topmost ? inner.Top + i : inner.Bottom - 1 - i;
      const int32_t n = picture.Count(TRect(inner.Left, y, inner.Right, y + 1), clBtnText);
      if (n > 0)
        return n;
    }
    return 0;
  };
  EXPECT_LT(row_count(up, true), row_count(up, false));
  EXPECT_GT(row_count(down, true), row_count(down, false));
}

TEST(SpinEditViewTest, AKeySpinShowsItsButtonPressedAndBlocksTheMouse) {
  SpinPicture picture(sbpHorzRight, false, bts3D);
  picture.keyboard_spin_state = 2;
  picture.Calculate();
  ASSERT_EQ(picture.info.ButtonCount(), 2);
  EXPECT_EQ(picture.info.Button(1).State, kLxButtonStatePressed);
  EXPECT_NE(picture.info.Button(0).State, kLxButtonStatePressed);
  const TRect b0 = picture.info.Button(0).Bounds;
  picture.Calculate(TPoint((b0.Left + b0.Right) / 2, (b0.Top + b0.Bottom) / 2), true);
  EXPECT_NE(picture.info.Button(0).State, kLxButtonStatePressed);

  picture.keyboard_spin_state = 0;
  picture.Calculate(TPoint((b0.Left + b0.Right) / 2, (b0.Top + b0.Bottom) / 2), true);
  EXPECT_EQ(picture.info.Button(0).State, kLxButtonStatePressed);
}

TEST(SpinEditViewTest, InvisibleSpinButtonsLeaveOnlyText) {
  SpinPicture picture(sbpVert, true, bts3D);
  picture.properties.SpinButtons()->SetVisible(false);
  picture.Calculate();
  picture.Draw();
  EXPECT_EQ(picture.info.ButtonCount(), 0);
}

}  // namespace spin_edit_view_test
