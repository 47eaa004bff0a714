// Glyph buttons: the picture sets the button's width and the editor's
// least height, is drawn centred with its transparent colour showing the
// face, moves with a press, goes grey when the button is disabled, and
// travels with the button through Assign and form descriptions.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>

#include "editors/edit_button_view_info_win.h"
#include "editors/edit_style_win.h"
#include "editors/edit_view_data_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/property.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace edit_button_glyph_win_test {

constexpr TColor kSeeThrough = 0xFF00FF;  // fuchsia, the bottom-left pixel
constexpr COLORREF kMark = RGB(255, 0, 0);

// A 10 by 8 picture: see-through but for a 4 by 4 red square at (3, 2).
void PaintGlyph(TBitmap& glyph) {
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(10, 8);
  glyph.Canvas().Brush().SetColor(kSeeThrough);
  glyph.Canvas().FillRect(TRect(0, 0, 10, 8));
  glyph.Canvas().Brush().SetColor(static_cast<TColor>(kMark));
  glyph.Canvas().FillRect(TRect(3, 2, 7, 6));
}

struct Marks {
  int32_t red = 0;
  int32_t see_through = 0;
  TRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
};

Marks FindMarks(painter_test::Surface& surface, const TRect& area) {
  Marks marks;
  for (int32_t y = area.Top; y < area.Bottom; ++y) {
    for (int32_t x = area.Left; x < area.Right; ++x) {
      const COLORREF pixel = surface.At(x, y);
      if (pixel == RGB(255, 0, 255))
        ++marks.see_through;
      if (pixel != kMark)
        continue;
      ++marks.red;
      marks.box = TRect(std::min(marks.box.Left, x), std::min(marks.box.Top, y), std::max(marks.box.Right, x + 1),
                        std::max(marks.box.Bottom, y + 1));
    }
  }
  return marks;
}

// A stand-alone single-border cell with one glyph button, drawn window-less
// as the grid draws it; `press` presses the button with the left mouse
// button.
class GlyphCell {
 public:
  GlyphCell() : properties_(nullptr), style_(nullptr, false), surface_(100, 30) {
    button_ = properties_.Buttons()->AddButton();
    button_->SetKind(bkGlyph);
    PaintGlyph(*button_->Glyph());
    style_.SetTransparentBorder(false);
    style_.SetBorderStyle(ebsSingle);
    style_.SetButtonStyle(bts3D);
    style_.SetColor(clWhite);
  }

  TlxEditButton& button() { return *button_; }
  TlxCustomEditProperties& properties() { return properties_; }

  // Draws the cell and answers the button's bounds.
  TRect Draw(bool press) {
    TlxCustomEditViewData data(&properties_, &style_, false);
    const TRect cell(2, 2, 92, 26);
    info_ = std::make_unique<TlxCustomEditViewInfo>();
    // The button sits at the right end; its middle is pressed.
    const TPoint point = press ? TPoint(84, 14) : TPoint(-1, -1);
    data.Calculate(surface_.canvas(), cell, point, press ? static_cast<int32_t>(mbLeft) : kLxNoMouseButton,
                   press ? TShiftState{ssLeft} : TShiftState{}, *info_, press);
    info_->Draw(surface_.canvas());
    return info_->ButtonCount() == 1 ? info_->Button(0).Bounds : TRect();
  }
  const TlxCustomEditViewInfo& info() const { return *info_; }
  painter_test::Surface& surface() { return surface_; }

 private:
  painter_test::ThemingOff theming_off_;
  painter_test::DistinctSystemColors colors_;
  TlxCustomEditProperties properties_;
  TlxEditStyle style_;
  TlxEditButton* button_;
  painter_test::Surface surface_;
  std::unique_ptr<TlxCustomEditViewInfo> info_;
};

TEST(EditButtonGlyphTest, TheWidthIsThePictureAndTheMarginUnlessSet) {
  TBitmap glyph;
  PaintGlyph(glyph);
  TBitmap empty;
  painter_test::Surface surface;
  const int32_t arrow = GetSystemMetrics(SM_CYHSCROLL);
  struct Case {
    const char* name;
    TBitmap* glyph;
    TlxEditButtonKind kind;
    int32_t width;
    int32_t expected;
  } cases[] = {
      {"picture", &glyph, bkGlyph, 0, 10 + kLxEditButtonContentMargin},
      {"own width wins", &glyph, bkGlyph, 30, 30},
      {"no picture", nullptr, bkGlyph, 0, arrow},
      {"empty picture", &empty, bkGlyph, 0, arrow},
      {"a picture on an arrow button", &glyph, bkDown, 0, arrow},
  };
  for (const Case& c : cases) {
    TlxEditButtonViewInfo button;
    button.Kind = c.kind;
    button.Glyph = c.glyph;
    button.Width = c.width;
    EXPECT_EQ(lxCalcEditButtonWidth(surface.canvas(), button), c.expected) << c.name;
  }
}

TEST(EditButtonGlyphTest, ThePictureIsCentredOnTheFaceAndMovesWhenPressed) {
  GlyphCell cell;
  // Room around the picture, so that a press can move it.
  cell.button().SetWidth(20);
  const TRect bounds = cell.Draw(false);
  ASSERT_EQ(bounds.Width(), 20);
  const Marks normal = FindMarks(cell.surface(), bounds);
  EXPECT_EQ(normal.red, 16) << "the whole square is drawn inside the button";
  EXPECT_EQ(normal.see_through, 0) << "the transparent colour shows the face";
  // The picture is centred: the square sits at (3, 2) of a 10 by 8 picture.
  const int32_t glyph_left = normal.box.Left - 3;
  const int32_t glyph_top = normal.box.Top - 2;
  EXPECT_NEAR(glyph_left - bounds.Left, bounds.Right - (glyph_left + 10), 1);
  EXPECT_NEAR(glyph_top - bounds.Top, bounds.Bottom - (glyph_top + 8), 1);
  EXPECT_EQ(cell.surface().At(glyph_left, glyph_top), static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE)));

  const TRect pressed_bounds = cell.Draw(true);
  ASSERT_EQ(cell.info().Button(0).State, kLxButtonStatePressed);
  const Marks pressed = FindMarks(cell.surface(), pressed_bounds);
  EXPECT_EQ(pressed.red, 16);
  EXPECT_EQ(pressed.box.Left, normal.box.Left + 1);
  EXPECT_EQ(pressed.box.Top, normal.box.Top + 1);
}

TEST(EditButtonGlyphTest, ADisabledButtonDrawsThePictureGrey) {
  GlyphCell cell;
  cell.button().SetEnabled(false);
  const TRect bounds = cell.Draw(false);
  ASSERT_EQ(cell.info().Button(0).State, kLxButtonStateDisabled);
  const Marks marks = FindMarks(cell.surface(), bounds);
  EXPECT_EQ(marks.red, 0);
  EXPECT_EQ(marks.see_through, 0);
  // The square shows in the disabled look: something other than the face
  // where it lies.
  int32_t drawn = 0;
  const TRect inner = TRect(bounds.Left + 2, bounds.Top + 2, bounds.Right - 2, bounds.Bottom - 2);
  for (int32_t y = inner.Top; y < inner.Bottom; ++y)
    for (int32_t x = inner.Left; x < inner.Right; ++x)
      drawn += cell.surface().At(x, y) != static_cast<COLORREF>(GetSysColor(COLOR_BTNFACE));
  EXPECT_GT(drawn, 0);
}

TEST(EditButtonGlyphTest, APictureTallerThanTheTextRaisesTheEditorsHeight) {
  painter_test::Surface surface;
  TlxEditStyle style(nullptr, false);
  style.SetBorderStyle(ebsSingle);
  TlxCustomEditProperties properties(nullptr);
  TlxEditButton* button = properties.Buttons()->AddButton();
  button->SetKind(bkGlyph);
  const auto measure = [&] {
    TlxCustomEditViewData data(&properties, &style, false);
    return data.MeasureEditSize(surface.canvas(), Variant::Null(), TlxEditSizeProperties{}).cy;
  };
  button->Glyph()->SetSize(8, 4);
  const int32_t small = measure();
  button->Glyph()->SetSize(8, 40);
  const int32_t tall = measure();
  EXPECT_GE(tall, 40 + lxGetEditButtonContentTopOffset(bts3D));
  EXPECT_GT(tall, small);
}

TEST(EditButtonGlyphTest, ChangingThePictureIsAChangeOfTheButton) {
  TlxCustomEditProperties properties(nullptr);
  int32_t changes = 0;
  properties.SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
  TlxEditButton* button = properties.Buttons()->AddButton();
  EXPECT_EQ(button->GlyphIfCreated(), nullptr) << "no picture until one is read";
  changes = 0;
  button->Glyph()->SetSize(6, 6);
  EXPECT_GT(changes, 0);

  changes = 0;
  button->SetGlyph(nullptr);
  EXPECT_EQ(button->GlyphIfCreated(), nullptr);
  EXPECT_EQ(changes, 1);
  button->SetGlyph(nullptr);
  EXPECT_EQ(changes, 1) << "freeing no picture changes nothing";
}

TEST(EditButtonGlyphTest, AssignCopiesThePicture) {
  TlxCustomEditProperties source(nullptr);
  TlxEditButton* with_picture = source.Buttons()->AddButton();
  with_picture->SetKind(bkGlyph);
  PaintGlyph(*with_picture->Glyph());
  source.Buttons()->AddButton();  // without one

  TlxCustomEditProperties copy(nullptr);
  copy.Buttons()->AddButton()->Glyph()->SetSize(3, 3);
  copy.Buttons()->AddButton()->Glyph()->SetSize(3, 3);
  copy.Assign(&source);
  TBitmap* copied = copy.Buttons()->GetButton(0)->GlyphIfCreated();
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->Width(), 10);
  EXPECT_EQ(copied->Canvas().Pixel(4, 3), static_cast<TColor>(kMark));
  EXPECT_NE(copied, with_picture->GlyphIfCreated()) << "a copy, not the same picture";
  EXPECT_EQ(copy.Buttons()->GetButton(1)->GlyphIfCreated(), nullptr) << "a button without one loses its picture";
}

// A component whose only published property is a button collection.
class ButtonsHolder : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    properties.For<ButtonsHolder>().Persistent("Buttons", TlxEditButtons::kClass, &ButtonsHolder::Buttons);
  }
  static constexpr TClass kClass{"TButtonsHolder", &TComponent::kClass, &ConstructInstance<ButtonsHolder>,
                                 &ButtonsHolder::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit ButtonsHolder(TComponent* owner)
      : TComponent(owner), buttons_(std::make_unique<TlxEditButtons>(this, TlxEditButton::kClass)) {}
  TlxEditButtons* Buttons() const { return buttons_.get(); }

 private:
  std::unique_ptr<TlxEditButtons> buttons_;
};

TEST(EditButtonGlyphTest, ThePictureTravelsThroughAFormDescription) {
  ButtonsHolder written(nullptr);
  TlxEditButton* button = written.Buttons()->AddButton();
  button->SetKind(bkGlyph);
  PaintGlyph(*button->Glyph());
  written.Buttons()->AddButton()->SetKind(bkEllipsis);
  TMemoryStream stream;
  stream.WriteComponent(written);

  ButtonsHolder read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  ASSERT_EQ(read.Buttons()->Count(), 2);
  TlxEditButton* first = read.Buttons()->GetButton(0);
  EXPECT_EQ(first->Kind(), bkGlyph);
  ASSERT_NE(first->GlyphIfCreated(), nullptr);
  EXPECT_EQ(first->GlyphIfCreated()->Width(), 10);
  EXPECT_EQ(first->GlyphIfCreated()->Height(), 8);
  EXPECT_EQ(first->GlyphIfCreated()->Canvas().Pixel(4, 3), static_cast<TColor>(kMark));
  const TBitmap* second = read.Buttons()->GetButton(1)->GlyphIfCreated();
  EXPECT_TRUE(second == nullptr || second->Empty()) << "a button without a picture reads none";
}

}  // namespace edit_button_glyph_win_test
