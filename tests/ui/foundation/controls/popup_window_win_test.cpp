#include "ui/foundation/controls/popup_window_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/toolkit/panel.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/system_colors.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

using form_fixture::FormPtr;
using form_fixture::Pump;
using form_fixture::PumpUntil;
using test_support::WindowPixels;

FormPtr<TlxPopupWindow> MakePopup() { return FormPtr<TlxPopupWindow>(new TlxPopupWindow()); }

TPanel* AddChild(TlxPopupWindow& popup, const TRect& bounds) {
  auto* child = new TPanel(&popup);
  child->SetParent(&popup);
  child->SetBoundsRect(bounds);
  return child;
}

// An owner form that records the caption states it is told to show.
struct OwnerForm {
  OwnerForm() : form(form_fixture::MakeForm<TForm>(300, 200)) {
    const auto previous = form->WindowProc;
    form->WindowProc = [this, previous](TMessage& message) {
      if (message.Msg == WM_NCACTIVATE)
        caption_states.push_back(message.WParam != 0);
      previous(message);
    };
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  FormPtr<TForm> form;
  std::vector<bool> caption_states;
};

TEST(PopupWindowTest, StartsAsAHiddenStayOnTopFormWithoutBorder) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  EXPECT_EQ(popup->Owner(), nullptr);
  EXPECT_FALSE(popup->Visible());
  EXPECT_EQ(popup->BorderStyle(), bsNone);
  EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
  EXPECT_TRUE(popup->AutoSizeToChildren);
  EXPECT_EQ(popup->HorzAlignment, phaLeft);
  EXPECT_EQ(popup->VertAlignment, pvaBottom);
  EXPECT_EQ(popup->OpenDirection, podVertical);
  EXPECT_EQ(popup->FrameStyle(), pfsNone);
  EXPECT_EQ(popup->FrameLineColor, clWindowText);
  EXPECT_EQ(popup->BorderSpacing, 0);
}

TEST(PopupWindowTest, BorderWidthsAreFramePlusSpacingOnEverySide) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  popup->BorderSpacing = 3;
  struct Case {
    TlxPopupFrameStyle style;
    int32_t expected;
  };
  for (const Case& c : {Case{pfsNone, 3}, Case{pfsLine, 4}, Case{pfsEdge, 4}, Case{pfsDoubleEdge, 5}}) {
    popup->ChangeBorderStyle(c.style);
    for (int32_t side = 0; side < 4; ++side)
      EXPECT_EQ(popup->GetBorderWidth(side), c.expected) << int{c.style} << " side " << side;
    EXPECT_EQ(popup->GetBordersWidth(), 2 * c.expected);
    EXPECT_EQ(popup->GetBordersHeight(), 2 * c.expected);
  }
}

TEST(PopupWindowTest, CalcSizeFitsTheChildrenInsideTheFrame) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  popup->ChangeBorderStyle(pfsLine);
  popup->BorderSpacing = 2;
  TPanel* first = AddChild(*popup, TRect(0, 0, 50, 20));
  TPanel* second = AddChild(*popup, TRect(10, 30, 90, 50));
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 3 + 90 + 3);
  EXPECT_EQ(popup->Height(), 3 + 50 + 3);
  EXPECT_EQ(first->BoundsRect(), TRect(3, 3, 53, 23)) << "moved inside the frame";
  EXPECT_EQ(second->BoundsRect(), TRect(13, 33, 93, 53));

  TRect client;
  popup->CalcClientRect(client);
  EXPECT_EQ(client, TRect(3, 3, 93, 53));

  // A new frame: the offsets go back first, so the next fit is exact.
  popup->ChangeBorderStyle(pfsDoubleEdge);
  EXPECT_EQ(first->BoundsRect(), TRect(0, 0, 50, 20));
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 4 + 90 + 4);
  EXPECT_EQ(first->BoundsRect(), TRect(4, 4, 54, 24));
}

TEST(PopupWindowTest, CalcSizeLeavesTheSizeAloneWithoutChildrenOrWhenSwitchedOff) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  popup->SetBounds(0, 0, 120, 70);
  popup->ChangeBorderStyle(pfsEdge);
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 120);
  EXPECT_EQ(popup->Height(), 70);

  AddChild(*popup, TRect(0, 0, 10, 10));
  popup->AutoSizeToChildren = false;
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 120);
  EXPECT_EQ(popup->Height(), 70);
}

TEST(PopupWindowTest, OpensBelowTheOwnerRectangleAndTakesTheOwnersFont) {
  OwnerForm owner;
  owner.form->Font().SetSize(17);
  FormPtr<TlxPopupWindow> popup = MakePopup();
  AddChild(*popup, TRect(0, 0, 80, 40));
  popup->SetOwnerControl(owner.form.get());
  popup->OwnerRect = TRect(10, 10, 60, 30);
  popup->OpenPopup();
  Pump();

  const TPoint origin = owner.form->ClientOrigin();
  EXPECT_TRUE(popup->Visible());
  EXPECT_TRUE(IsWindowVisible(popup->Handle()));
  EXPECT_EQ(popup->Left(), origin.X + 10);
  EXPECT_EQ(popup->Top(), origin.Y + 30);
  EXPECT_EQ(popup->Font().Size(), 17);
  RECT window{};
  GetWindowRect(popup->Handle(), &window);
  EXPECT_EQ(window.left, origin.X + 10) << "the window itself is there";
  EXPECT_EQ(window.top, origin.Y + 30);
  EXPECT_NE(GetWindowLongPtrA(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST(PopupWindowTest, OwnerRectangleNearTheBottomOpensAboveAndStaysInsideTheWorkArea) {
  const TRect area = lxWorkAreaAtPoint(TPoint(100, 100));
  FormPtr<TlxPopupWindow> popup = MakePopup();
  AddChild(*popup, TRect(0, 0, area.Width() + 200, 60));  // wider than the area
  popup->OwnerRect = TRect(area.Left + 40, area.Bottom - 30, area.Left + 140, area.Bottom - 10);
  popup->OpenPopup();
  Pump();
  EXPECT_EQ(popup->Top(), area.Bottom - 30 - 60) << "opened above";
  EXPECT_EQ(popup->Left(), area.Left) << "too wide: at the left edge";
  popup->ClosePopup();
  EXPECT_FALSE(IsWindowVisible(popup->Handle()));
}

// Without an owner control the rectangle is in screen coordinates: an
// owner rectangle off every monitor still gives a window on the screen
// along the opening axis, and no crash.
TEST(PopupWindowTest, OwnerRectangleWithoutOwnerControlIsInScreenCoordinates) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  AddChild(*popup, TRect(0, 0, 40, 20));
  popup->OwnerRect = TRect(200, 150, 260, 170);
  popup->OpenPopup();
  EXPECT_EQ(popup->Left(), 200);
  EXPECT_EQ(popup->Top(), 170);

  popup->OwnerRect = TRect(-90000, -90000, -89000, -89990);
  popup->OpenPopup();
  const TRect area = lxWorkAreaAtPoint(TPoint(-90000, -89990));
  EXPECT_EQ(popup->Left(), area.Left);
  popup->ClosePopup();
}

struct FrameCase {
  TlxPopupFrameStyle style;
  // Expected colour at the outer corner pixels and one pixel inside.
  int outer_left_top;
  int outer_right_bottom;
  int inner_left_top;  // -1: the form's own colour
  int inner_right_bottom;
};

TEST(PopupWindowTest, FramePixels) {
  // Distinct system colours, so that a swapped edge shows.
  test_support::ScopedSystemColor highlight(COLOR_BTNHIGHLIGHT, RGB(250, 250, 250));
  test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, RGB(120, 120, 120));
  test_support::ScopedSystemColor light(COLOR_3DLIGHT, RGB(210, 210, 210));
  test_support::ScopedSystemColor dark(COLOR_3DDKSHADOW, RGB(30, 30, 30));
  const COLORREF background = RGB(0, 128, 255);
  for (const FrameCase& c : {FrameCase{pfsEdge, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, -1, -1},
                             FrameCase{pfsDoubleEdge, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT,
                                       COLOR_BTNSHADOW}}) {
    FormPtr<TlxPopupWindow> popup = MakePopup();
    popup->SetColor(static_cast<TColor>(background));
    popup->AutoSizeToChildren = false;
    popup->SetBounds(0, 0, 60, 40);
    popup->ChangeBorderStyle(c.style);
    popup->OwnerRect = TRect(100, 100, 120, 110);
    popup->OpenPopup();
    Pump();
    RedrawWindow(popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const WindowPixels pixels = WindowPixels::Capture(popup->Handle());
    const auto expected = [&](int element) { return element < 0 ? background : GetSysColor(element); };
    EXPECT_EQ(pixels.At(0, 20), expected(c.outer_left_top)) << int{c.style};
    EXPECT_EQ(pixels.At(30, 0), expected(c.outer_left_top)) << int{c.style};
    EXPECT_EQ(pixels.At(59, 20), expected(c.outer_right_bottom)) << int{c.style};
    EXPECT_EQ(pixels.At(30, 39), expected(c.outer_right_bottom)) << int{c.style};
    EXPECT_EQ(pixels.At(1, 20), expected(c.inner_left_top)) << int{c.style};
    EXPECT_EQ(pixels.At(58, 20), expected(c.inner_right_bottom)) << int{c.style};
    EXPECT_EQ(pixels.At(30, 20), background) << int{c.style};
  }
}

TEST(PopupWindowTest, LineFramePixelsInTheFrameLineColour) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  popup->SetColor(clWhite);
  popup->AutoSizeToChildren = false;
  popup->SetBounds(0, 0, 50, 30);
  popup->ChangeBorderStyle(pfsLine);
  popup->FrameLineColor = clRed;
  popup->OwnerRect = TRect(100, 100, 120, 110);
  popup->OpenPopup();
  Pump();
  RedrawWindow(popup->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  const WindowPixels pixels = WindowPixels::Capture(popup->Handle());
  for (const POINT at : {POINT{0, 0}, POINT{49, 0}, POINT{0, 29}, POINT{49, 29}, POINT{25, 0}, POINT{0, 15}})
    EXPECT_EQ(pixels.At(at.x, at.y), RGB(255, 0, 0)) << at.x << "," << at.y;
  EXPECT_EQ(pixels.At(1, 1), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(48, 28), RGB(255, 255, 255));
}

// A popup with one child opened under (10, 10, 100, 30) of the owner form,
// once it has taken the activation.
FormPtr<TlxPopupWindow> OpenActivePopup(OwnerForm& owner) {
  FormPtr<TlxPopupWindow> popup = MakePopup();
  AddChild(*popup, TRect(0, 0, 60, 30));
  popup->SetOwnerControl(owner.form.get());
  popup->OwnerRect = TRect(10, 10, 100, 30);
  owner.caption_states.clear();
  popup->OpenPopup();
  EXPECT_TRUE(PumpUntil([&] { return GetActiveWindow() == popup->Handle(); }));
  return popup;
}

TEST(PopupWindowTest, OwnerKeepsItsActiveCaptionAndAClickOnItClosesThePopup) {
  OwnerForm owner;
  FormPtr<TlxPopupWindow> popup = OpenActivePopup(owner);
  EXPECT_EQ(popup->PreviousActiveWindow(), owner.form->Handle());
  ASSERT_FALSE(owner.caption_states.empty());
  EXPECT_TRUE(owner.caption_states.back()) << "the owner's caption stays active";

  // A real click on the owner form, away from the popup.
  test_support::InputClick(owner.form->Handle(), POINT{250, 150});
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(popup->Handle()); }));
  EXPECT_FALSE(popup->Visible());
}

TEST(PopupWindowTest, DeactivatingTheApplicationClosesThePopupAndTheOwnersActiveCaption) {
  OwnerForm owner;
  FormPtr<TlxPopupWindow> popup = OpenActivePopup(owner);
  owner.caption_states.clear();
  SendMessageA(popup->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(popup->Visible());
  ASSERT_FALSE(owner.caption_states.empty());
  EXPECT_FALSE(owner.caption_states.front()) << "the remembered form loses its active caption";
}

TEST(PopupWindowTest, VisibleChangedFollowsTheToolkitsVisibility) {
  struct CountingPopup : TlxPopupWindow {
    int changes = 0;
    bool visible_seen = false;
    void VisibleChanged() override {
      ++changes;
      visible_seen = Visible();
    }
  };
  FormPtr<CountingPopup> popup(new CountingPopup());
  popup->OwnerRect = TRect(100, 100, 120, 110);
  popup->OpenPopup();
  EXPECT_EQ(popup->changes, 1);
  EXPECT_TRUE(popup->visible_seen);
  popup->ClosePopup();
  EXPECT_EQ(popup->changes, 2);
  EXPECT_FALSE(popup->visible_seen);
}

TEST(PopupWindowTest, HandlesComeBack) {
  OwnerForm owner;
  Pump();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    FormPtr<TlxPopupWindow> popup = MakePopup();
    AddChild(*popup, TRect(0, 0, 60, 30));
    popup->ChangeBorderStyle(pfsDoubleEdge);
    popup->SetOwnerControl(owner.form.get());
    popup->OwnerRect = TRect(10, 10, 100, 30);
    popup->OpenPopup();
    Pump();
    popup->ClosePopup();
    popup->OpenPopup();
    Pump();
  }
  Pump();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
