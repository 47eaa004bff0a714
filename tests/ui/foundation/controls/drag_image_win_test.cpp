#include "ui/foundation/controls/drag_image_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/screen.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/window_pixels.h"

namespace {

using form_fixture::FormPtr;
using form_fixture::Pump;
using form_fixture::PumpUntil;

// A form under the drag image that counts the clicks reaching it.
struct TargetForm {
  TargetForm() : form(form_fixture::MakeForm<TForm>(300, 200)) {
    form->SetColor(clWhite);
    form->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int32_t x, int32_t y) {
      ++clicks;
      last = TPoint(x, y);
    };
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  FormPtr<TForm> form;
  int clicks = 0;
  TPoint last;
};

TEST(DragImageTest, TranslucentWindowOwnedByTheActiveFormThatNeverTakesTheMouse) {
  TargetForm target;
  ASSERT_TRUE(PumpUntil([&] { return Screen->ActiveForm() == target.form.get(); }));
  FormPtr<TlxDragImage> image(new TlxDragImage());
  EXPECT_TRUE(image->AlphaBlend());
  EXPECT_EQ(image->AlphaBlendValue(), 180);
  EXPECT_EQ(image->UsesAlphaBlend(), lxLayeredWindowsAvailable());
  EXPECT_FALSE(image->IsShowing());

  const TPoint origin = target.form->ClientOrigin();
  image->Prepare(TRect(100, 100, 180, 120), TPoint(110, 105));
  EXPECT_EQ(image->HotPointOffset(), TPoint(10, 5));
  EXPECT_EQ(image->Width(), 80);
  EXPECT_EQ(image->Bitmap().Width(), 80) << "the bitmap follows the window's size";
  EXPECT_EQ(image->Bitmap().Height(), 20);
  image->MoveTo(TPoint(origin.X + 60, origin.Y + 50));
  ASSERT_NE(image->WindowHandle(), nullptr) << "moving creates the window";
  EXPECT_EQ(GetWindow(image->WindowHandle(), GW_OWNER), target.form->Handle());
  EXPECT_EQ(GetClassLongA(image->WindowHandle(), GCL_STYLE) & CS_SAVEBITS, static_cast<DWORD>(CS_SAVEBITS));
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(image->WindowHandle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  EXPECT_NE(flags & LWA_ALPHA, 0u);

  image->SetShown(true);
  Pump();
  EXPECT_TRUE(image->IsShowing());
  EXPECT_EQ(GetActiveWindow(), target.form->Handle()) << "shown without taking the activation";
  RECT window{};
  GetWindowRect(image->WindowHandle(), &window);
  EXPECT_EQ(window.left, origin.X + 50);
  EXPECT_EQ(window.top, origin.Y + 45);

  // Hit tests fall through, and a real click lands on the form below.
  const LPARAM at = MAKELPARAM(origin.X + 60, origin.Y + 50);
  EXPECT_EQ(SendMessageA(image->WindowHandle(), WM_NCHITTEST, 0, at), HTTRANSPARENT);
  test_support::InputClick(target.form->Handle(), POINT{60, 50});
  ASSERT_TRUE(PumpUntil([&] { return target.clicks > 0; }));
  EXPECT_EQ(target.last, TPoint(60, 50));

  image->SetShown(false);
  EXPECT_FALSE(image->IsShowing());
}

// Real cursor moves, as the system delivers them.
void MoveRealCursor(const TPoint& screen_point) { test_support::InputMouseAt(POINT{screen_point.X, screen_point.Y}); }

// An image that follows the mouse sits right under the cursor, yet the
// form below keeps getting the moves: the image never takes the mouse.
TEST(DragImageTest, FollowsTheMouseWithoutTakingItsMessages) {
  TargetForm target;
  FormPtr<TlxDragImage> image(new TlxDragImage());
  image->Prepare(TRect(0, 0, 40, 20), TPoint(20, 10));
  image->BitmapCanvas().FillRectColor(TRect(0, 0, 40, 20), clNavy);
  TPoint last_move(-1, -1);
  target.form->OnMouseMove = [&](TObject*, TShiftState, int32_t x, int32_t y) {
    last_move = TPoint(x, y);
    image->MoveTo(target.form->ClientToScreen(TPoint(x, y)));
    image->SetShown(true);
  };
  const TPoint origin = target.form->ClientOrigin();
  // Small steps: each new point lies on the image placed at the last one.
  for (const TPoint client : {TPoint(100, 80), TPoint(105, 83), TPoint(110, 86), TPoint(112, 84)}) {
    MoveRealCursor(TPoint(origin.X + client.X, origin.Y + client.Y));
    ASSERT_TRUE(PumpUntil([&] { return last_move == client; })) << client.X << "," << client.Y;
    RECT window{};
    GetWindowRect(image->WindowHandle(), &window);
    EXPECT_EQ(window.left, origin.X + client.X - 20);
    EXPECT_EQ(window.top, origin.Y + client.Y - 10);
    EXPECT_TRUE(image->IsShowing());
  }
  EXPECT_NE(GetWindowLongPtrA(image->WindowHandle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0) << "translucent";
  target.form->OnMouseMove = nullptr;
}

TEST(DragImageTest, ShowsWhatIsDrawnIntoItsBitmap) {
  FormPtr<TlxDragImage> image(new TlxDragImage());
  image->SetAlphaBlend(false);  // opaque, so the pixels read back exactly
  image->Prepare(TRect(0, 0, 40, 30), TPoint(0, 0));
  image->BitmapCanvas().FillRectColor(TRect(0, 0, 40, 30), clBlue);
  image->BitmapCanvas().FillRectColor(TRect(10, 10, 20, 20), clYellow);
  image->MoveTo(TPoint(300, 300));
  image->Show();
  Pump();
  const auto pixels = test_support::WindowPixels::Capture(image->WindowHandle());
  EXPECT_EQ(pixels.At(2, 2), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(15, 15), RGB(255, 255, 0));
  EXPECT_EQ(pixels.At(39, 29), RGB(0, 0, 255));
  image->Hide();
}

TEST(DragImageTest, HostFormOwnsTheWindow) {
  TargetForm host;
  TargetForm other;
  FormPtr<TlxCustomDragImage> image(new TlxCustomDragImage());
  image->SetHostForm(host.form.get());
  image->MoveTo(TPoint(10, 10));
  EXPECT_EQ(GetWindow(image->WindowHandle(), GW_OWNER), host.form->Handle());
}

TEST(DragImageTest, HandlesComeBack) {
  Pump();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    FormPtr<TlxDragImage> image(new TlxDragImage());
    image->Prepare(TRect(0, 0, 50, 20), TPoint(5, 5));
    image->BitmapCanvas().FillRectColor(TRect(0, 0, 50, 20), clRed);
    for (int step = 0; step < 5; ++step) {
      image->MoveTo(TPoint(100 + step * 10, 100));
      image->SetShown(true);
    }
    Pump();
  }
  Pump();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
