#include "editors/kinds/button_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/toolkit/actions.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace button_win_test {

using test_support::PumpMessagesUntilIdle;

constexpr COLORREF kFace = RGB(20, 180, 60);
constexpr COLORREF kHotFace = RGB(200, 40, 160);

// A form with a focusable edit-less button row: buttons 75 x 25 side by side.
class ButtonFixture {
 public:
  explicit ButtonFixture(int32_t count = 1) {
    RestCursor();
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 400, 200);
    for (int32_t i = 0; i < count; ++i) {
      auto* button = new TlxButton(form);
      button->SetParent(form);
      button->SetBounds(10 + i * 85, 10, 75, 25);
      button->SetCaption("B" + std::to_string(i));
      const size_t index = static_cast<size_t>(i);
      button->OnClick = [this, index](TObject*) { ++clicks.at(index); };
      buttons.push_back(button);
      clicks.push_back(0);
    }
    form->Show();
    PumpMessagesUntilIdle();
  }
  ~ButtonFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  ButtonFixture(const ButtonFixture&) = delete;
  ButtonFixture& operator=(const ButtonFixture&) = delete;

  // The cursor away from every button, so that none is hot.
  static void RestCursor() { SetCursorPos(0, 0); }
  void Click(int32_t index, POINT point = {20, 12}) {
    test_support::InputClick(buttons.at(static_cast<size_t>(index))->WindowHandle(), point);
    PumpMessagesUntilIdle(500);
    RestCursor();
    PumpMessagesUntilIdle();
  }
  COLORREF Pixel(int32_t index, int x, int y) {
    TlxButton* button = buttons.at(static_cast<size_t>(index));
    button->Repaint();
    return test_support::WindowPixels::Capture(button->WindowHandle()).At(x, y);
  }

  TForm* form;
  std::vector<TlxButton*> buttons;
  std::vector<int32_t> clicks;
};

TEST(ButtonTest, IsAnOwnerDrawnSystemButton) {
  ButtonFixture fixture;
  const HWND window = fixture.buttons[0]->WindowHandle();
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // Becoming the default button keeps the owner drawing.
  fixture.buttons[0]->SetDefault(true);
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST(ButtonTest, OneClickGivesOneOnClick) {
  ButtonFixture fixture(2);
  fixture.Click(0);
  EXPECT_EQ(fixture.clicks[0], 1);
  EXPECT_EQ(fixture.clicks[1], 0);
  fixture.Click(1);
  EXPECT_EQ(fixture.clicks[0], 1);
  EXPECT_EQ(fixture.clicks[1], 1);
}

TEST(ButtonTest, EnterAndEscapeReachTheDefaultAndCancelButtons) {
  ButtonFixture fixture(2);
  fixture.buttons[0]->SetDefault(true);
  fixture.buttons[1]->SetCancel(true);
  auto* edit = new TEdit(fixture.form);
  edit->SetParent(fixture.form);
  edit->SetBounds(10, 100, 80, 20);
  PumpMessagesUntilIdle();
  // With no button focused, Enter goes to the default button.
  edit->SetFocus();
  PumpMessagesUntilIdle();
  // Through the application's loop, which offers keys as dialog keys.
  const auto post_key = [](WPARAM key) {
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
    Application->ProcessMessages();
  };
  post_key(VK_RETURN);
  EXPECT_EQ(fixture.clicks[0], 1);
  post_key(VK_ESCAPE);
  EXPECT_EQ(fixture.clicks[1], 1);
  EXPECT_EQ(fixture.clicks[0], 1);
}

TEST(ButtonTest, TheDefaultButtonShowsTheDefaultStateWhileNoOtherButtonIsFocused) {
  ButtonFixture fixture(2);
  fixture.buttons[0]->SetDefault(true);
  fixture.buttons[1]->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.buttons[0]->IsDefaultFlagSet());
  EXPECT_TRUE(fixture.buttons[1]->IsDefaultFlagSet());
  EXPECT_EQ(fixture.buttons[1]->CurrentState(), lxbsDefault);
}

TEST(ButtonTest, FaceColoursFollowTheStateWithTheirFallbacks) {
  ButtonFixture fixture(2);
  TlxButton* button = fixture.buttons[0];
  fixture.buttons[1]->SetFocus();  // the first button draws in the normal state
  PumpMessagesUntilIdle();
  button->Colors().SetColor(lxbcDefault, static_cast<TColor>(kFace));
  EXPECT_TRUE(test_support::ColorsNear(fixture.Pixel(0, 5, 20), kFace)) << std::hex << fixture.Pixel(0, 5, 20);
  // The hot state falls back to Normal, which is unset: the painter's face.
  button->Colors().SetColor(lxbcHotText, clRed);
  EXPECT_EQ(button->Colors().Values().FaceColor(lxbsHot), clDefault);
  button->Colors().SetColor(lxbcNormal, static_cast<TColor>(kHotFace));
  EXPECT_TRUE(test_support::ColorsNear(fixture.Pixel(0, 5, 20), kHotFace)) << std::hex << fixture.Pixel(0, 5, 20);
  button->Colors().SetColor(lxbcNormal, clNone);
  EXPECT_EQ(button->Colors().GetColor(lxbcNormal), clDefault);
  EXPECT_FALSE(button->Colors().Values().IsAssigned(lxbcNormal));
  EXPECT_TRUE(test_support::ColorsNear(fixture.Pixel(0, 5, 20), kFace));
}

TEST(ButtonTest, TheMouseOverTheButtonMakesItHot) {
  ButtonFixture fixture(2);
  TlxButton* button = fixture.buttons[0];
  if (!button->GetPainter()->ButtonHotTrackEnabled())
    GTEST_SKIP() << "the painter tracks no hot buttons";
  fixture.buttons[1]->SetFocus();
  button->Colors().SetColor(lxbcHot, static_cast<TColor>(kHotFace));
  fixture.Click(1, {5, 5});  // the cursor rests on the second button
  EXPECT_FALSE(button->IsHot());
  POINT point{30, 12};
  ClientToScreen(button->WindowHandle(), &point);
  SetCursorPos(point.x, point.y);
  test_support::PumpUntil([&] { return button->IsHot(); }, 2000);
  ASSERT_TRUE(button->IsHot());
  EXPECT_EQ(button->CurrentState(), lxbsHot);
  EXPECT_TRUE(test_support::ColorsNear(fixture.Pixel(0, 5, 20), kHotFace));
  // Leaving ends it.
  POINT away{5, 150};
  ClientToScreen(fixture.form->WindowHandle(), &away);
  SetCursorPos(away.x, away.y);
  test_support::PumpUntil([&] { return !button->IsHot(); }, 2000);
  EXPECT_FALSE(button->IsHot());
}

TEST(ButtonTest, ASpeedButtonGroupKeepsOneButtonDown) {
  ButtonFixture fixture(3);
  for (TlxButton* button : fixture.buttons)
    button->SetGroupIndex(1);
  fixture.Click(0);
  EXPECT_TRUE(fixture.buttons[0]->Down());
  EXPECT_EQ(fixture.buttons[0]->CurrentState(), lxbsPressed);
  EXPECT_EQ(fixture.clicks[0], 1);
  fixture.Click(1);
  EXPECT_FALSE(fixture.buttons[0]->Down());
  EXPECT_TRUE(fixture.buttons[1]->Down());
  EXPECT_FALSE(fixture.buttons[2]->Down());
  // The down button stays down when clicked again...
  fixture.Click(1);
  EXPECT_TRUE(fixture.buttons[1]->Down());
  EXPECT_EQ(fixture.clicks[1], 2);
  // ...unless the group allows all up; the setting reaches the whole group.
  fixture.buttons[2]->SetAllowAllUp(true);
  EXPECT_TRUE(fixture.buttons[1]->AllowAllUp());
  fixture.Click(1);
  EXPECT_FALSE(fixture.buttons[1]->Down());
  // Speed buttons take no focus from the mouse when they cannot be focused.
  EXPECT_TRUE(fixture.buttons[1]->Focused());
  fixture.buttons[1]->SetCanBeFocused(false);
  EXPECT_FALSE(fixture.buttons[0]->CanBeFocused());
  EXPECT_FALSE(fixture.buttons[0]->CanFocus());
  fixture.Click(0);
  EXPECT_TRUE(fixture.buttons[0]->Down());
  EXPECT_FALSE(fixture.buttons[0]->Focused());
}

TEST(ButtonTest, SettersRefuseWhatBreaksTheirRules) {
  ButtonFixture fixture;
  TlxButton* button = fixture.buttons[0];
  button->SetDown(true);  // GroupIndex 0
  EXPECT_FALSE(button->Down());
  button->SetMargin(-2);
  EXPECT_EQ(button->Margin(), -1);
  button->SetMargin(3);
  button->SetMargin(-1);
  EXPECT_EQ(button->Margin(), -1);
  auto* not_a_menu = new TComponent(fixture.form);
  button->SetPopupMenu(not_a_menu);
  EXPECT_EQ(button->PopupMenu(), nullptr);
  auto* menu = new TPopupMenu(fixture.form);
  button->SetPopupMenu(menu);
  EXPECT_EQ(button->PopupMenu(), menu);
  delete menu;
  EXPECT_EQ(button->PopupMenu(), nullptr);
}

TEST(ButtonTest, ADropDownButtonWithoutMenuNeitherOpensNorClicks) {
  ButtonFixture fixture;
  TlxButton* button = fixture.buttons[0];
  button->SetKind(lxbkDropDown);
  PumpMessagesUntilIdle();
  int32_t openings = 0;
  button->OnDropDownMenuPopup = [&](TObject*, TPopupMenu*&, bool&) { ++openings; };
  fixture.Click(0);
  EXPECT_EQ(fixture.clicks[0], 0);
  EXPECT_GE(openings, 1);
  EXPECT_FALSE(button->IsMenuShown());
  // A keyboard click only asks for the menu too.
  button->SetFocus();
  openings = 0;
  test_support::InputKey(VK_SPACE);
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.clicks[0], 0);
  EXPECT_EQ(openings, 1);
}

TEST(ButtonTest, ASplitButtonClicksOnItsMainPartAndOpensFromItsArrow) {
  ButtonFixture fixture;
  TlxButton* button = fixture.buttons[0];
  button->SetKind(lxbkDropDownButton);
  auto* menu = new TPopupMenu(fixture.form);
  button->SetDropDownMenu(menu);
  PumpMessagesUntilIdle();
  std::vector<TPopupMenu*> asked;
  // The handler reports the opening as handled, so no modal menu runs.
  button->OnDropDownMenuPopup = [&](TObject*, TPopupMenu*& popup, bool& handled) {
    asked.push_back(popup);
    handled = true;
  };
  fixture.Click(0, {20, 12});
  EXPECT_EQ(fixture.clicks[0], 1);
  EXPECT_TRUE(asked.empty());
  fixture.Click(0, {68, 12});  // inside the 15 pixels at the right
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(fixture.clicks[0], 1);  // a press on the arrow is no click
  EXPECT_EQ(asked[0], menu);
  // Shift+Down opens it from the keyboard; Down alone does not.
  button->SetFocus();
  PumpMessagesUntilIdle();
  test_support::InputKey(VK_DOWN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(asked.size(), 1u);
  test_support::InputKey(VK_DOWN, true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(fixture.clicks[0], 1);
  delete menu;
  EXPECT_EQ(button->DropDownMenu(), nullptr);
}

TEST(ButtonTest, GlyphImagesAreSharedAndKeptPerButton) {
  ButtonFixture fixture(2);
  TBitmap strip(64, 16);
  strip.Canvas().Brush().SetColor(clRed);
  strip.Canvas().FillRect(TRect(0, 0, 64, 16));
  fixture.buttons[0]->SetGlyph(&strip);
  EXPECT_EQ(fixture.buttons[0]->NumGlyphs(), 4);
  TBitmap odd(80, 16);
  fixture.buttons[1]->SetGlyph(&odd);
  EXPECT_EQ(fixture.buttons[1]->NumGlyphs(), 1);
  TBitmap single(16, 16);
  single.Canvas().Brush().SetColor(clBlue);
  single.Canvas().FillRect(TRect(0, 0, 16, 16));
  fixture.buttons[1]->SetGlyph(&single);
  EXPECT_EQ(fixture.buttons[1]->NumGlyphs(), 1);

  TlxButtonGlyph& first = fixture.buttons[0]->GlyphObject();
  TlxButtonGlyph& second = fixture.buttons[1]->GlyphObject();
  const int32_t first_up = first.GetGlyphImageIndex(lxbsNormal);
  const int32_t second_up = second.GetGlyphImageIndex(lxbsNormal);
  ASSERT_NE(first.GlyphList(), nullptr);
  EXPECT_EQ(first.GlyphList(), second.GlyphList());  // one list per 16 x 16
  EXPECT_NE(first_up, second_up);
  // Pressed: sub-image 2 of four; the disabled one of a single glyph is made.
  const int32_t first_pressed = first.GetGlyphImageIndex(lxbsPressed);
  EXPECT_NE(first_pressed, first_up);
  EXPECT_NE(second.GetGlyphImageIndex(lxbsDisabled), second_up);
  EXPECT_EQ(second.GetGlyphImageIndex(lxbsPressed), second_up);  // falls back to up below 3 images
  const int32_t used = first.GlyphList()->UsedCount();

  // A new glyph for the first button gives back its slots; the second keeps
  // its images where they were.
  TBitmap other(16, 16);
  fixture.buttons[0]->SetGlyph(&other);
  EXPECT_EQ(second.GlyphList()->UsedCount(), used - 2);
  EXPECT_EQ(second.GetGlyphImageIndex(lxbsNormal), second_up);
  // Freed slots are reused before the list grows.
  EXPECT_EQ(first.GetGlyphImageIndex(lxbsNormal), std::min(first_up, first_pressed));
}

TEST(ButtonTest, TheGlyphIsDrawnBesideTheCaption) {
  ButtonFixture fixture;
  TlxButton* button = fixture.buttons[0];
  TBitmap glyph(16, 16);
  glyph.Canvas().Brush().SetColor(clLime);
  glyph.Canvas().FillRect(TRect(0, 0, 16, 16));
  glyph.Canvas().SetPixel(0, 15, clWhite);  // the transparent corner
  button->SetGlyph(&glyph);
  button->SetCaption("");
  PumpMessagesUntilIdle();
  // Without caption the glyph is centred: (75 - 16) / 2 inside the border.
  const int32_t border = button->GetPainter()->GetButtonBorderSize(lxbsDefault);
  const int32_t left = border + (75 - 2 * border - 16) / 2;
  const int32_t top = border + (25 - 2 * border - 16) / 2;
  EXPECT_TRUE(test_support::ColorsNear(fixture.Pixel(0, left + 8, top + 8), RGB(0, 255, 0)));
  EXPECT_FALSE(test_support::ColorsNear(fixture.Pixel(0, left - 2, top + 8), RGB(0, 255, 0)));
}

TEST(ButtonTest, AnActionGivesCaptionStateImageAndTheClick) {
  ButtonFixture fixture;
  TlxButton* button = fixture.buttons[0];
  button->OnClick = nullptr;
  auto* images = new TImageList(fixture.form);
  images->SetSize(16, 16);
  TBitmap image(16, 16);
  images->Add(image, nullptr);
  auto* list = new TActionList(fixture.form);
  list->SetImages(images);
  auto* action = new TAction(fixture.form);
  action->SetActionList(list);
  action->SetCaption("Drucken");
  action->SetImageIndex(0);
  int32_t executed = 0;
  action->OnExecute = [&](TObject*) { ++executed; };
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), "Drucken");
  EXPECT_TRUE(button->GlyphObject().IsImagePresent());
  action->SetImageIndex(-1);
  EXPECT_FALSE(button->GlyphObject().IsImagePresent());
  action->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  action->SetEnabled(true);
  fixture.Click(0);
  EXPECT_EQ(executed, 1);
  // An OnClick handler takes the click instead.
  int32_t clicked = 0;
  button->OnClick = [&](TObject*) { ++clicked; };
  fixture.Click(0);
  EXPECT_EQ(executed, 1);
  EXPECT_EQ(clicked, 1);
  // The action going takes its image from the glyph and leaves no link.
  action->SetImageIndex(0);
  EXPECT_TRUE(button->GlyphObject().IsImagePresent());
  delete action;
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_FALSE(button->GlyphObject().IsImagePresent());
}

TEST(ButtonTest, HandlesComeBack) {
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  {
    ButtonFixture fixture(3);
    TBitmap glyph(32, 16);
    fixture.buttons[0]->SetGlyph(&glyph);
    fixture.buttons[0]->Repaint();
    fixture.buttons[2]->SetKind(lxbkDropDownButton);
    PumpMessagesUntilIdle();
  }
  EXPECT_LE(test_support::CountGdiObjects(), gdi + 2);
  EXPECT_EQ(test_support::CountUserObjects(), user);
  EXPECT_EQ(lxGlyphCache(), nullptr);
}

}  // namespace button_win_test
