#include "platform/toolkit/screen.h"

#include <gtest/gtest.h>

#include "platform/rtl/scope.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

TEST(ScreenTest, GeometryComesFromTheSystem) {
  EXPECT_EQ(Screen->Width(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(Screen->Height(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GE(Screen->MonitorCount(), 1);
  const TMonitor primary = Screen->Monitors(0);
  EXPECT_EQ(primary.BoundsRect.Width(), Screen->DesktopWidth() >= primary.BoundsRect.Width()
                                            ? primary.BoundsRect.Width()
                                            : -1);
  const TRect work = Screen->WorkAreaRect();
  EXPECT_FALSE(work.IsEmpty());
  EXPECT_LE(work.Width(), Screen->DesktopWidth());
  EXPECT_GT(Screen->PixelsPerInch(), 0);
  EXPECT_THROW(Screen->Monitors(99), EListError);
  EXPECT_FALSE(Screen->MenuFont().Name().empty());
}

TEST(ScreenTest, CursorScopeRestoresAndCursorsHaveShapes) {
  const TCursor before = Screen->Cursor();
  {
    TPropertyScope busy(*Screen, &TScreen::Cursor, &TScreen::SetCursor, crHourGlass);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
  }
  EXPECT_EQ(Screen->Cursor(), before);
  EXPECT_NE(Screen->Cursors(crDrag), nullptr);
  EXPECT_NE(Screen->Cursors(crDrag), Screen->Cursors(crArrow));
  EXPECT_NE(Screen->Cursors(crMultiDrag), Screen->Cursors(crDrag));
  EXPECT_EQ(Screen->Cursors(1234), Screen->Cursors(crDefault));  // unknown ids fall back
  HCURSOR own = CopyCursor(Screen->Cursors(crCross));
  Screen->SetCursors(1234, own);
  EXPECT_EQ(Screen->Cursors(1234), own);
}

TEST(ScreenTest, FormsAreListedAndTheFocusIsKnown) {
  const int32_t before = Screen->FormCount();
  auto form = form_fixture::MakeForm();
  EXPECT_EQ(Screen->FormCount(), before + 1);
  EXPECT_EQ(Screen->Forms(Screen->FormCount() - 1), form.get());
  form_fixture::ShowAndSettle(*form);
  EXPECT_EQ(Screen->ActiveForm(), form.get());
  form.reset();
  EXPECT_EQ(Screen->FormCount(), before);
}

TEST(MouseTest, CursorPositionAndSettings) {
  Mouse->SetCursorPos({33, 44});
  EXPECT_EQ(Mouse->CursorPos(), TPoint(33, 44));
  EXPECT_EQ(Mouse->DragThreshold(), 5);
  EXPECT_GE(Mouse->WheelScrollLines(), 0);
}

TEST(ColorTest, SystemColoursAndSpecialValues) {
  EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(ColorToRGB(clWindowText), static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clDefault), clDefault);
  EXPECT_EQ(ColorToRGB(clNone), clNone);
  EXPECT_EQ(static_cast<uint32_t>(clDefault), 0x20000000u);
  EXPECT_EQ(static_cast<uint32_t>(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0xFF00000Fu);
  for (TColor color : {clRed, clBtnFace, clNone, clDefault, TColor{0x123456}})
    EXPECT_EQ(StringToColor(ColorToString(color)), color);
  EXPECT_EQ(ColorToString(0x123456), "$00123456");
  EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
}

}  // namespace
