// Creating and freeing forms, controls, fonts, bitmaps and canvases many
// times must give every GDI and USER object back.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/timer.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"

namespace {

class PaintedControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas().Brush().SetColor(clAqua);
    Canvas().FillRect(ClientRect());
    Canvas().Font().SetStyle({fsBold});
    Canvas().TextOut(2, 2, "Größe");
  }
};

// Every round builds, paints, recreates and frees a form. Only some rounds
// show it through the toolkit: under Wine on a display without a window
// manager, hiding the active window waits two seconds for the focus to
// move, so the other rounds show it without activating it.
void OneRound(int round) {
  const bool through_show = round % 250 == 0;
  auto form = form_fixture::MakeForm(200, 120);
  form->SetCaption("leak " + std::to_string(round));
  auto* control = new PaintedControl(form.get());
  control->SetBounds(5, 5, 100, 40);
  control->SetParent(form.get());
  control->Font().SetHeight(-13 - round % 5);
  if (through_show) {
    form->Show();
  } else {
    control->HandleNeeded();
    ShowWindow(form->Handle(), SW_SHOWNOACTIVATE);
  }
  form->Update();
  control->Update();
  // A canvas on the control outside painting, given back on idle.
  control->Canvas().Pen().SetColor(clRed);
  control->Canvas().LineTo(10, 10);
  FreeDeviceContexts();
  // A recreated window. The form stays a borderless popup: framed windows
  // make Wine wait for a window manager on every show and hide.
  form->SetBorderIcons(round % 2 == 0 ? TBorderIcons{biSystemMenu} : TBorderIcons{biSystemMenu, biHelp});

  TFont font;
  font.SetHeight(-10 - round % 7);
  (void)font.Handle();

  TBitmap bitmap(32, 32, round % 2 == 0 ? pf24bit : pf8bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(Rect(0, 0, 32, 32));
  bitmap.Canvas().Font().SetHeight(-9);
  bitmap.Canvas().TextOut(0, 0, "x");
  bitmap.SetTransparent(true);
  (void)bitmap.MaskHandle();
  TBitmap target(32, 32, pf32bit);
  target.Canvas().Draw(0, 0, &bitmap);
  TBitmap pattern(8, 8);
  target.Canvas().Brush().SetBitmap(&pattern);
  target.Canvas().FillRect(Rect(0, 0, 8, 8));
  target.Canvas().Brush().SetBitmap(nullptr);

  TScreenCanvas screen;
  (void)screen.TextWidth("abc");

  TIcon icon;
  icon.SetHandle(CopyIcon(LoadIconA(nullptr, IDI_APPLICATION)));
  TTimer timer(nullptr);
  timer.SetOnTimer([](TObject*) {});
  if (through_show)
    form->Hide();
}

// 1000 rounds; LX_LEAK_ROUNDS may ask for fewer while developing.
int EnvironmentRounds() {
  char buffer[16] = {};
  if (GetEnvironmentVariableA("LX_LEAK_ROUNDS", buffer, sizeof(buffer)) > 0)
    return std::max(1, std::atoi(buffer));
  return 1000;
}

TEST(HandleLeakTest, ThousandRoundsGiveEveryHandleBack) {
  // Warm up: caches of the system and of the toolkit (screen cursors and
  // fonts, window classes) are filled once.
  for (int round = 0; round < 5; ++round)
    OneRound(round);
  form_fixture::Pump(200);
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    // The counters see what a form holds.
    auto probe = form_fixture::MakeForm();
    probe->Font().SetHeight(-17);
    (void)probe->Handle();
    ASSERT_GT(test_support::CountGdiObjects(), gdi_before);
    ASSERT_GT(test_support::CountUserObjects(), user_before);
  }
  ASSERT_EQ(test_support::CountGdiObjects(), gdi_before);
  ASSERT_EQ(test_support::CountUserObjects(), user_before);
  const int rounds = EnvironmentRounds();
  for (int round = 0; round < rounds; ++round) {
    OneRound(round);
    if (round % 50 == 0)
      form_fixture::Pump(20);
  }
  form_fixture::Pump(200);
  const DWORD gdi_after = test_support::CountGdiObjects();
  const DWORD user_after = test_support::CountUserObjects();
  std::printf("GDI objects %lu -> %lu, USER objects %lu -> %lu over %d rounds\n",
              static_cast<unsigned long>(gdi_before), static_cast<unsigned long>(gdi_after),
              static_cast<unsigned long>(user_before), static_cast<unsigned long>(user_after), rounds);
  EXPECT_LE(gdi_after, gdi_before);
  EXPECT_LE(user_after, user_before);
}

}  // namespace
