#include "editors/kinds/check_box_view_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_style_win.h"
#include "platform/toolkit/bitmap.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace check_box_view_win_test {

constexpr TColor kBackground = 0x00FFFF;  // yellow

// A window-less check box drawn on a memory bitmap, as a grid cell or a
// stand-alone editor's picture.
class CheckCell {
 public:
  explicit CheckCell(bool inplace = false, int32_t width = 121, int32_t height = 21)
      : properties_(nullptr), style_(nullptr, false), surface_(width, height), inplace_(inplace) {
    style_.SetColor(kBackground);
    style_.SetHotTrack(false);
    style_.SetBorderStyle(ebsNone);
    style_.SetTransparentBorder(false);  // the client rectangle is the bounds
  }

  TlxCheckBoxProperties& properties() { return properties_; }
  TlxEditStyle& style() { return style_; }
  TlxCustomCheckBoxViewData& data() {
    if (data_ == nullptr)
      data_ = std::make_unique<TlxCustomCheckBoxViewData>(&properties_, &style_, inplace_);
    return *data_;
  }
  TlxCustomCheckBoxViewInfo& info() { return info_; }

  void Show(const Variant& value, const TPoint& point = TPoint(-1, -1), int32_t button = kLxNoMouseButton,
            TShiftState shift = {}) {
    surface_.Clear();
    data().Calculate(surface_.canvas(), TRect(0, 0, surface_.Width(), surface_.Height()), point, button, shift,
                     info_, false);
    data().ApplyEditValueToViewInfo(surface_.canvas(), value, info_);
    info_.Draw(surface_.canvas());
  }
  COLORREF At(int32_t x, int32_t y) { return surface_.At(x, y); }
  // Every pixel of the check rectangle.
  std::vector<COLORREF> CheckPixels() {
    std::vector<COLORREF> pixels;
    for (int32_t y = info_.CheckRect.Top; y < info_.CheckRect.Bottom; ++y)
      for (int32_t x = info_.CheckRect.Left; x < info_.CheckRect.Right; ++x)
        pixels.push_back(At(x, y));
    return pixels;
  }

 private:
  TlxCheckBoxProperties properties_;
  TlxEditStyle style_;
  painter_test::Surface surface_;
  bool inplace_;
  std::unique_ptr<TlxCustomCheckBoxViewData> data_;
  TlxCustomCheckBoxViewInfo info_;
};

TEST(CheckBoxViewTest, ThePropertiesNameTheCheckBoxViews) {
  TlxCheckBoxProperties properties(nullptr);
  EXPECT_EQ(properties.GetViewDataClass().Class, &TlxCustomCheckBoxViewData::kClass);
  EXPECT_EQ(properties.GetViewInfoClass().Class, &TlxCustomCheckBoxViewInfo::kClass);
}

TEST(CheckBoxViewTest, CheckAndCaptionLayout) {
  CheckCell cell;
  cell.data().ControlCaption = "Drucken";
  cell.Show(Variant(true));
  const TSize check = lxCheckButtonGlyphSize();
  const int32_t top = 2 + (17 - check.cy) / 2;
  EXPECT_EQ(cell.info().CheckRect, TRect(2, top, 2 + check.cx, top + check.cy));
  EXPECT_EQ(cell.info().TextRect.Left, 2 + check.cx + 3);
  EXPECT_EQ(cell.info().CheckState, cbsChecked);
  // Too narrow for the check: no caption.
  CheckCell narrow(false, check.cx + 2, 21);
  narrow.data().ControlCaption = "Drucken";
  narrow.Show(Variant(true));
  EXPECT_EQ(narrow.info().TextRect.Width(), 0);
}

TEST(CheckBoxViewTest, AGridCellCentresTheCheckAndDrawsNoCaption) {
  CheckCell cell(true, 60, 18);
  cell.properties().SetCaption("Text");
  cell.Show(Variant(false));
  EXPECT_EQ(cell.info().Alignment, taCenter);
  EXPECT_TRUE(cell.info().Text.empty());
  const TSize check = lxCheckButtonGlyphSize();
  EXPECT_EQ(cell.info().CheckRect.Left, (60 - check.cx) / 2);
}

TEST(CheckBoxViewTest, CheckedAndUncheckedDifferAndGrayedCanLookUnchecked) {
  for (TlxEditBorderStyle border : {ebsNone, ebsUltraFlat, ebs3D}) {
    CheckCell cell;
    cell.style().SetBorderStyle(border);
    cell.Show(Variant(false));
    const std::vector<COLORREF> unchecked = cell.CheckPixels();
    cell.Show(Variant(true));
    EXPECT_NE(cell.CheckPixels(), unchecked) << int(border);
    cell.properties().SetNullStyle(nssUnchecked);
    cell.Show(Variant::Null());
    EXPECT_EQ(cell.CheckPixels(), unchecked) << int(border);
    cell.properties().SetNullStyle(nssGrayedChecked);
    cell.Show(Variant::Null());
    EXPECT_NE(cell.CheckPixels(), unchecked) << int(border);
  }
}

TEST(CheckBoxViewTest, WithoutFrameTheCheckKeepsATwoPixelBackgroundRing) {
  CheckCell cell;
  cell.style().SetBorderStyle(ebsNone);
  cell.Show(Variant(false));
  const TRect check = cell.info().CheckRect;
  EXPECT_EQ(cell.info().CheckBorderOffset, 2);
  const COLORREF background = static_cast<COLORREF>(ColorToRGB(kBackground));
  EXPECT_EQ(cell.At(check.Left, check.Top + 5), background);
  EXPECT_EQ(cell.At(check.Left + 1, check.Top + 5), background);
  EXPECT_NE(cell.At(check.Left + 4, check.Top + 5), background);
}

TEST(CheckBoxViewTest, AUserGlyphShowsTheImageOfStateAndPress) {
  // Six 13 x 13 images, each in a colour of its own.
  const TColor colors[6] = {RGBColor(10, 0, 0), RGBColor(20, 0, 0), RGBColor(30, 0, 0),
                            RGBColor(40, 0, 0), RGBColor(50, 0, 0), RGBColor(60, 0, 0)};
  const auto set_glyph = [&colors](TlxCheckBoxProperties& properties, int32_t count) {
    TBitmap glyph(13 * count, 13);
    for (int32_t i = 0; i < count; ++i) {
      glyph.Canvas().Brush().SetColor(colors[i]);
      glyph.Canvas().FillRect(TRect(i * 13, 0, i * 13 + 13, 13));
    }
    glyph.SetTransparentColor(clFuchsia);
    properties.SetGlyph(&glyph);
    properties.SetGlyphCount(count);
  };
  CheckCell cell;
  set_glyph(cell.properties(), 6);
  cell.data().KeyboardPressed = true;
  cell.Show(Variant(true));
  const TRect check = cell.info().CheckRect;
  EXPECT_EQ(check.Width(), 13);
  EXPECT_EQ(cell.At(check.Left + 6, check.Top + 6), static_cast<COLORREF>(colors[4]));
  set_glyph(cell.properties(), 3);
  cell.Show(Variant(true));
  EXPECT_EQ(cell.At(cell.info().CheckRect.Left + 6, cell.info().CheckRect.Top + 6),
            static_cast<COLORREF>(colors[1]));
}

TEST(CheckBoxViewTest, TheMouseMakesTheCheckHotAndPressed) {
  CheckCell cell;
  cell.Show(Variant(false), TPoint(5, 10));
  EXPECT_EQ(cell.info().CheckButtonState, cbnHot);
  cell.Show(Variant(false), TPoint(5, 10), mbLeft, TShiftState{ssLeft});
  EXPECT_EQ(cell.info().CheckButtonState, cbnPressed);
  cell.Show(Variant(false), TPoint(500, 10));
  EXPECT_EQ(cell.info().CheckButtonState, cbnNormal);
  cell.data().Enabled = false;
  cell.Show(Variant(false), TPoint(5, 10));
  EXPECT_EQ(cell.info().CheckButtonState, cbnDisabled);
}

TEST(CheckBoxViewTest, TheCheckMarkMaskComesFromTheSystemBitmap) {
  const HBITMAP mask = lxCheckMarkMask();
  ASSERT_NE(mask, nullptr);
  BITMAP info{};
  GetObjectW(mask, sizeof(info), &info);
  EXPECT_GT(info.bmWidth, 8);
  EXPECT_EQ(info.bmBitsPixel, 1);
  lxFreeCheckMarkMask();
}

}  // namespace check_box_view_win_test
