#include "editors/edit_popup_window_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_style_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/edit.h"
#include "tests/editors/drop_down_form_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/control_unit_win.h"

namespace edit_popup_window_test {

using test_support::PumpMessagesUntilIdle;

// An editor stand-in that answers the popup's questions and records what
// the popup tells it.
class FakeEditor : public TlxContainer, public IlxEditPopupOwner {
 public:
  explicit FakeEditor(TComponent* owner) : TlxContainer(owner) {}

  TSize content{120, 80};
  bool lookup_list = false;
  int32_t row_height = 17;
  std::vector<std::string> log;
  int32_t resized_notes = 0;

  TRect GetPopupOwnerBounds() override { return BoundsRect(); }
  TSize CalculatePopupContentSize() override { return content; }
  void CloseUp(int32_t reason) override {
    log.push_back("closeup " + std::to_string(reason));
    popup->ClosePopup();
  }
  void DoFinalizePopup() override { log.push_back("finalize"); }
  bool PopupAdjustsToWorkArea() override { return true; }
  void PlacePopupContent(const TRect& rect) override { placed = rect; }
  void NotePopupResizedByUser() override { ++resized_notes; }
  bool UsesLookupListInPopup() override { return lookup_list; }
  // Whole rows only.
  bool AdjustLookupListSize(TSize& size, const TSize& /*available*/) override {
    size.cy = std::max(row_height, size.cy / row_height * row_height);
    return true;
  }

  TlxCustomEditPopupWindow* popup = nullptr;
  TRect placed;
};

// A form holding a fake editor; the popup opens for it.
class PopupForm {
 public:
  explicit PopupForm(int32_t form_top = 100, const TClass* popup_class = &TlxCustomEditPopupWindow::kClass) {
    lxContainerInitialize();
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(100, form_top, 320, 200);
    editor = new FakeEditor(form);
    editor->SetParent(form);
    editor->SetBounds(20, 20, 150, 22);
    form->Show();
    PumpMessagesUntilIdle();
    popup_owner = lxCreateEditPopupWindow(popup_class, editor);
    popup = popup_owner.get();
    editor->popup = popup;
    popup->SetModalLoop(false);
    popup->ChangeFocusCapture(false);
  }
  ~PopupForm() {
    if (popup != nullptr)
      popup->ClosePopup();
    popup_owner.reset();
    form->Free();
    PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
    lxContainerFinalize();
  }
  PopupForm(const PopupForm&) = delete;
  PopupForm& operator=(const PopupForm&) = delete;

  void Open() {
    popup->ShowPopupFocused(nullptr);
    PumpMessagesUntilIdle();
  }
  bool Shown() const { return lxIsShownPopup(popup); }
  TRect EditorScreenRect() const {
    const TPoint origin = form->ClientToScreen(TPoint(0, 0));
    return editor->BoundsRect().Offset(origin.X, origin.Y);
  }

  TForm* form;
  FakeEditor* editor;
  std::unique_ptr<TlxCustomEditPopupWindow> popup_owner;
  TlxCustomEditPopupWindow* popup;
};

using drop_down_fixture::InputMouseAt;

POINT ScreenPoint(TControl* control, const TPoint& client) {
  const TPoint point = control->ClientToScreen(client);
  return POINT{point.X, point.Y};
}

// Drags with the real mouse from a client point of the popup by (dx, dy).
void DragBy(TlxCustomEditPopupWindow* popup, const TPoint& from, int32_t dx, int32_t dy) {
  const POINT start = ScreenPoint(popup, from);
  InputMouseAt(start, 0);
  InputMouseAt(start, MOUSEEVENTF_LEFTDOWN);
  InputMouseAt(POINT{start.x + dx / 2, start.y + dy / 2}, 0);
  InputMouseAt(POINT{start.x + dx, start.y + dy}, 0);
  InputMouseAt(POINT{start.x + dx, start.y + dy}, MOUSEEVENTF_LEFTUP);
}

TPoint CenterOf(const TRect& rect) { return TPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2); }

// --- border extent ---------------------------------------------------------------------

TEST(EditPopupWindowViewInfoTest, BorderExtentFollowsStyleClientEdgeShadowAndPanel) {
  struct Case {
    TlxEditPopupBorderStyle style;
    bool client_edge;
    bool shadow;
    int32_t side;  // frame plus client edge
  };
  const Case cases[] = {
      {epbsDefault, false, false, 0}, {epbsDefault, true, false, 0}, {epbsSingle, false, false, 1},
      {epbsSingle, true, false, 3},   {epbsFrame3D, false, false, 4}, {epbsFrame3D, true, true, 6},
      {epbsFlat, false, true, 2},     {epbsFlat, true, false, 3},
  };
  for (const Case& c : cases) {
    TlxCustomEditPopupWindowViewInfo info;
    info.PopupBorderStyle = c.style;
    info.ClientEdge = c.client_edge;
    info.Shadow = c.shadow;
    const TRect extent = info.CalcBorderExtent();
    const int32_t shadow = c.shadow ? 3 : 0;
    EXPECT_EQ(extent, TRect(c.side, c.side, c.side + shadow, c.side + shadow))
        << "style " << int(c.style) << " edge " << c.client_edge << " shadow " << c.shadow;
  }
  TlxCustomEditPopupWindowViewInfo native;
  native.NativeStyle = true;
  native.PopupBorderStyle = epbsFrame3D;
  native.ClientEdge = true;
  EXPECT_EQ(native.CalcBorderExtent(), TRect(3, 3, 3, 3)) << "native: frame 1, client edge 2";
}

TEST(EditPopupWindowViewInfoTest, PanelSitsAwayFromTheEditor) {
  TlxCustomEditPopupWindowViewInfo info;
  info.PopupBorderStyle = epbsFlat;
  info.SysPanel = true;
  const int32_t panel = info.GetSysPanelHeight();
  ASSERT_GE(panel, GetSystemMetrics(SM_CYHSCROLL));
  info.SizingCorner = pscBottomRight;
  EXPECT_EQ(info.CalcBorderExtent(), TRect(2, 2, 2, 2 + panel)) << "opened below: panel at the bottom";
  info.SizingCorner = pscTopLeft;
  EXPECT_EQ(info.CalcBorderExtent(), TRect(2, 2 + panel, 2, 2)) << "opened above: panel at the top";
  info.PopupBorderStyle = epbsSingle;
  EXPECT_EQ(info.CalcBorderExtent().Top, 1 + panel + 1) << "a single frame adds the separating line";
  info.MinSysPanelHeight = panel + 10;
  EXPECT_EQ(info.GetSysPanelHeight(), panel + 10);
}

// Sizing zones of a 200 x 150 popup with a flat frame and a panel.
TEST(EditPopupWindowViewInfoTest, SizingZonesAreOnTheFarSidesOnly) {
  TlxCustomEditPopupWindowViewInfo info;
  info.PopupBorderStyle = epbsFlat;
  info.Sizeable = true;
  info.SysPanel = true;
  info.CloseButton = true;
  info.Bounds = TRect(0, 0, 200, 150);
  struct Case {
    TlxPopupSizingCorner corner;
    TPoint point;
    int32_t horizontal;
    int32_t vertical;
    const char* where;
  };
  const Case cases[] = {
      {pscBottomRight, {199, 149}, 1, 1, "outer corner"},
      {pscBottomRight, {100, 149}, 0, 1, "bottom edge"},
      {pscBottomRight, {199, 60}, 1, 0, "right edge"},
      {pscBottomRight, {100, 0}, 0, 0, "top edge faces the editor"},
      {pscBottomRight, {199, 0}, 1, 0, "top right corner: only sideways"},
      {pscBottomRight, {0, 60}, 0, 0, "left edge, across from the grip"},
      {pscBottomRight, {0, 149}, 0, 1, "bottom left corner: only down"},
      {pscBottomRight, {100, 60}, 0, 0, "inside"},
      {pscTopLeft, {0, 0}, -1, -1, "outer corner above"},
      {pscTopLeft, {100, 0}, 0, -1, "top edge above"},
      {pscTopLeft, {100, 149}, 0, 0, "bottom edge faces the editor"},
      {pscTopLeft, {199, 60}, 0, 0, "right edge across from the grip"},
      {pscTopRight, {199, 0}, 1, -1, "outer corner above right"},
  };
  for (const Case& c : cases) {
    info.SizingCorner = c.corner;
    info.Calculate();
    int32_t horizontal = 9;
    int32_t vertical = 9;
    const bool sizing = info.GetSizingDirection(c.point.X, c.point.Y, horizontal, vertical);
    EXPECT_EQ(sizing, c.horizontal != 0 || c.vertical != 0) << c.where;
    EXPECT_EQ(horizontal, c.horizontal) << c.where;
    EXPECT_EQ(vertical, c.vertical) << c.where;
  }
  // The grip area sizes diagonally into its corner.
  info.SizingCorner = pscBottomRight;
  info.Calculate();
  const TRect grip = info.SizeGripArea;
  ASSERT_FALSE(grip.IsEmpty());
  EXPECT_EQ(grip.Right, info.InnerRect.Right);
  EXPECT_EQ(grip.Bottom, info.InnerRect.Bottom);
  int32_t horizontal = 0;
  int32_t vertical = 0;
  EXPECT_TRUE(info.GetSizingDirection(grip.Left + 1, grip.Top + 1, horizontal, vertical));
  EXPECT_EQ(horizontal, 1);
  EXPECT_EQ(vertical, 1);
  // The close button sits at the other end of the panel.
  EXPECT_LT(info.CloseButtonRect.Right, 100);
  EXPECT_EQ(info.CloseButtonRect.Left, info.InnerRect.Left + 1);
  EXPECT_EQ(TlxCustomEditPopupWindowViewInfo::SizingCursor(1, 1), crSizeNWSE);
  EXPECT_EQ(TlxCustomEditPopupWindowViewInfo::SizingCursor(-1, 1), crSizeNESW);
  EXPECT_EQ(TlxCustomEditPopupWindowViewInfo::SizingCursor(0, -1), crSizeNS);
  EXPECT_EQ(TlxCustomEditPopupWindowViewInfo::SizingCursor(1, 0), crSizeWE);

  info.Sizeable = false;
  EXPECT_FALSE(info.GetSizingDirection(199, 149, horizontal, vertical)) << "not sizeable";
}

// --- size and placement on real windows ------------------------------------------------

TEST(EditPopupWindowTest, SizeRulesOfAutoFixedAndMinimumSizes) {
  PopupForm fixture;
  TlxCustomEditPopupWindow* popup = fixture.popup;
  popup->SetPopupBorderStyle(epbsSingle);
  popup->SetAutoSize(true);
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 122) << "content plus a 1-pixel frame on each side";
  EXPECT_EQ(popup->Height(), 82);

  popup->SetAutoSize(false);
  popup->SetPopupWidth(0);
  popup->SetPopupHeight(0);
  popup->SetMinHeight(40);
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 150) << "width 0: as wide as the editor";
  EXPECT_EQ(popup->Height(), 40) << "height 0: the minimum height";

  popup->SetPopupWidth(90);
  popup->SetPopupHeight(30);
  popup->SetMinWidth(100);
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 90) << "minimums count only for sizeable popups";
  EXPECT_EQ(popup->Height(), 30);
  popup->SetSizeable(true);
  popup->CalcSize();
  EXPECT_EQ(popup->Width(), 100);
  EXPECT_EQ(popup->Height(), 40);

  // With a panel, the close button, the grip and 10 pixels always fit.
  popup->SetSysPanelStyle(true);
  popup->SetCloseButton(true);
  popup->SetPopupWidth(20);
  popup->SetMinWidth(0);
  popup->CalcSize();
  const int32_t panel = popup->GetViewInfo().GetSysPanelHeight();
  EXPECT_EQ(popup->Width(), 2 + (panel - 4) + (panel - 2) + 10);
  EXPECT_EQ(popup->GetFrameExtent().cx, popup->Width());
}

TEST(EditPopupWindowTest, OpensBelowWithTheGripBottomRightAndAboveNearTheScreenBottom) {
  {
    PopupForm fixture;
    fixture.popup->SetAutoSize(true);
    fixture.popup->SetSizeable(true);
    fixture.popup->SetSysPanelStyle(true);
    fixture.Open();
    ASSERT_TRUE(fixture.Shown());
    const TRect editor = fixture.EditorScreenRect();
    EXPECT_EQ(fixture.popup->Top(), editor.Bottom);
    EXPECT_EQ(fixture.popup->Left(), editor.Left);
    EXPECT_EQ(fixture.popup->GetViewInfo().SizingCorner, pscBottomRight);
    EXPECT_LT(fixture.popup->GetViewInfo().ClientRect.Top, 5) << "content at the top, panel below it";
    EXPECT_EQ(fixture.editor->placed, TRect()) << "placing the content is the editor's business on opening";
  }
  {
    const TRect area = lxWorkAreaAtPoint(TPoint(0, 0));
    PopupForm fixture(area.Bottom - 90);
    fixture.popup->SetAutoSize(true);
    fixture.popup->SetSizeable(true);
    fixture.popup->SetSysPanelStyle(true);
    fixture.popup->SetShadow(true);
    fixture.popup->SetPopupBorderStyle(epbsFlat);
    fixture.Open();
    ASSERT_TRUE(fixture.Shown());
    const TRect editor = fixture.EditorScreenRect();
    TlxCustomEditPopupWindowViewInfo& info = fixture.popup->GetViewInfo();
    EXPECT_EQ(info.SizingCorner, pscTopRight);
    EXPECT_EQ(fixture.popup->Top() + fixture.popup->Height(), editor.Top + 3) << "moved down by the shadow";
    EXPECT_EQ(info.ClientRect.Top, 2 + info.GetSysPanelHeight()) << "panel at the top";
    int32_t horizontal = 0;
    int32_t vertical = 0;
    EXPECT_TRUE(info.GetSizingDirection(fixture.popup->Width() / 2, 0, horizontal, vertical));
    EXPECT_EQ(vertical, -1) << "the top edge drags";
    EXPECT_FALSE(info.GetSizingDirection(fixture.popup->Width() / 2, fixture.popup->Height() - 5, horizontal,
                                         vertical))
        << "the bottom edge faces the editor";
  }
}

// --- resizing with the real mouse -------------------------------------------------------

TEST(EditPopupWindowTest, DraggingTheGripResizesOnTheFarSidesAndTellsTheEditor) {
  PopupForm fixture;
  TlxCustomEditPopupWindow* popup = fixture.popup;
  popup->SetAutoSize(true);
  popup->SetSizeable(true);
  popup->SetSysPanelStyle(true);
  popup->SetMinWidth(60);
  popup->SetMinHeight(60);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  const TRect before = popup->BoundsRect();
  const TRect grip = popup->GetViewInfo().SizeGripArea;
  ASSERT_FALSE(grip.IsEmpty());
  DragBy(popup, CenterOf(grip), 40, 30);
  EXPECT_EQ(popup->Left(), before.Left) << "the side at the editor stays";
  EXPECT_EQ(popup->Top(), before.Top);
  EXPECT_EQ(popup->Width(), before.Width() + 40);
  EXPECT_EQ(popup->Height(), before.Height() + 30);
  EXPECT_GT(fixture.editor->resized_notes, 0);
  EXPECT_EQ(fixture.editor->placed, popup->GetViewInfo().ClientRect) << "content laid out again";
  EXPECT_FALSE(popup->IsResizing());

  // Smaller than the minimum stops at the minimum.
  const TRect grip_now = popup->GetViewInfo().SizeGripArea;
  DragBy(popup, CenterOf(grip_now), -300, -300);
  EXPECT_EQ(popup->Width(), 60);
  EXPECT_EQ(popup->Height(), 60);
}

TEST(EditPopupWindowTest, DraggingPastTheWorkAreaStopsAtItsEdge) {
  PopupForm fixture;
  TlxCustomEditPopupWindow* popup = fixture.popup;
  popup->SetAutoSize(true);
  popup->SetSizeable(true);
  popup->SetSysPanelStyle(true);
  fixture.Open();
  const TRect area = lxWorkAreaAtPoint(TPoint(popup->Left(), popup->Top()));
  const TRect grip = popup->GetViewInfo().SizeGripArea;
  const POINT start = ScreenPoint(popup, CenterOf(grip));
  DragBy(popup, CenterOf(grip), area.Right - start.x + 50, 0);
  EXPECT_EQ(popup->Left() + popup->Width(), area.Right);
}

TEST(EditPopupWindowTest, ALookupListSnapsTheDraggedHeightToWholeRows) {
  PopupForm fixture;
  TlxCustomEditPopupWindow* popup = fixture.popup;
  fixture.editor->lookup_list = true;
  fixture.editor->content = TSize{120, 5 * 17};
  popup->SetAutoSize(true);
  popup->SetSizeable(true);
  popup->SetSysPanelStyle(true);
  fixture.Open();
  const TRect grip = popup->GetViewInfo().SizeGripArea;
  DragBy(popup, CenterOf(grip), 0, 25);
  const TRect extent = popup->GetViewInfo().CalcBorderExtent();
  const int32_t content_height = popup->Height() - extent.Top - extent.Bottom;
  EXPECT_EQ(content_height % 17, 0) << content_height;
  EXPECT_EQ(content_height, 6 * 17);
}

// --- the close button ------------------------------------------------------------------

TEST(EditPopupWindowTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  PopupForm fixture;
  TlxCustomEditPopupWindow* popup = fixture.popup;
  popup->SetAutoSize(true);
  popup->SetSizeable(true);
  popup->SetSysPanelStyle(true);
  popup->SetCloseButton(true);
  fixture.Open();
  const TRect button = popup->GetViewInfo().CloseButtonRect;
  ASSERT_FALSE(button.IsEmpty());
  const POINT on_button = ScreenPoint(popup, CenterOf(button));
  InputMouseAt(on_button, 0);
  EXPECT_EQ(popup->GetViewInfo().CloseButtonState, kLxPopupCloseButtonHot);
  InputMouseAt(on_button, MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(popup->GetViewInfo().CloseButtonState, kLxPopupCloseButtonPressed);
  const POINT inside = ScreenPoint(popup, TPoint(popup->Width() / 2, 20));
  InputMouseAt(inside, 0);
  InputMouseAt(inside, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(fixture.Shown()) << "released away from the button";
  EXPECT_TRUE(fixture.editor->log.empty());

  InputMouseAt(on_button, 0);
  InputMouseAt(on_button, MOUSEEVENTF_LEFTDOWN);
  InputMouseAt(on_button, MOUSEEVENTF_LEFTUP);
  EXPECT_FALSE(fixture.Shown());
  EXPECT_EQ(fixture.editor->log, (std::vector<std::string>{"closeup 0"}));
}

TEST(EditPopupWindowTest, ModalResultsCloseWithTheirReasons) {
  const std::pair<TModalResult, int32_t> cases[] = {{mrOk, 4}, {mrCancel, 3}, {mrAbort, 0}};
  for (const auto& [result, reason] : cases) {
    PopupForm fixture;
    fixture.popup->SetAutoSize(true);
    fixture.Open();
    fixture.popup->SetModalResult(result);
    fixture.popup->CloseOnModalResult();
    EXPECT_EQ(fixture.editor->log, (std::vector<std::string>{"closeup " + std::to_string(reason)}));
  }
}

TEST(EditPopupWindowTest, AShowForAHiddenEditorOnlyFinalizes) {
  PopupForm fixture;
  fixture.popup->SetAutoSize(true);
  fixture.editor->SetVisible(false);
  PumpMessagesUntilIdle();
  fixture.Open();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_EQ(fixture.editor->log, (std::vector<std::string>{"finalize"}));
}

TEST(EditPopupWindowTest, AForwardedCharacterReachesTheFocusedControlInside) {
  PopupForm fixture;
  fixture.popup->ChangeFocusCapture(true);
  auto* edit = new TEdit(fixture.popup);
  edit->SetParent(fixture.popup);
  edit->SetBounds(0, 0, 100, 20);
  fixture.popup->SetAutoSize(true);
  fixture.popup->ShowPopupFocused(edit);
  PumpMessagesUntilIdle();
  ASSERT_TRUE(fixture.Shown());
  ASSERT_EQ(GetFocus(), edit->Handle());
  PostMessageW(fixture.popup->Handle(), LX_POPUP_FORWARD_CHAR, u'ä', 0);
  PumpMessagesUntilIdle();
  EXPECT_EQ(edit->Text(), "ä");
}

// --- drawing ---------------------------------------------------------------------------

TEST(EditPopupWindowTest, FramesAndTheClientAreaAreDrawnInTheirColours) {
  PopupForm fixture(100, &TlxPopupEditPopupWindow::kClass);
  TlxCustomEditPopupWindow* popup = fixture.popup;
  popup->SetAutoSize(true);
  popup->SetPopupBorderStyle(epbsFrame3D);
  fixture.Open();
  popup->Repaint();
  PumpMessagesUntilIdle();
  const auto pixels = test_support::WindowPixels::Capture(popup->Handle());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Raised outer edge: light at the top left, dark at the bottom right;
  // then the popup edit's inactive-border ring and the face ring.
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(10, 0), GetSysColor(COLOR_BTNHIGHLIGHT), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(10, popup->Height() - 1), GetSysColor(COLOR_BTNSHADOW), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(10, popup->Height() - 2), GetSysColor(COLOR_3DDKSHADOW), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(10, 2), GetSysColor(COLOR_INACTIVEBORDER), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(10, 3), face, 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(popup->Width() / 2, popup->Height() / 2), face, 8));

  popup->SetPopupBorderStyle(epbsSingle);
  popup->Repaint();
  PumpMessagesUntilIdle();
  const auto single = test_support::WindowPixels::Capture(popup->Handle());
  EXPECT_TRUE(test_support::ColorsNear(single.At(10, 0), GetSysColor(COLOR_BTNTEXT), 8));
  EXPECT_TRUE(test_support::ColorsNear(single.At(10, 1), face, 8));
}

TEST(EditPopupWindowTest, OpenAndCloseCyclesGiveBackTheirHandles) {
  PopupForm fixture;
  fixture.popup->SetAutoSize(true);
  fixture.popup->SetSizeable(true);
  fixture.popup->SetSysPanelStyle(true);
  fixture.popup->SetCloseButton(true);
  fixture.popup->SetShadow(true);
  fixture.Open();
  fixture.popup->ClosePopup();
  PumpMessagesUntilIdle();
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  for (int i = 0; i < 5; ++i) {
    fixture.Open();
    fixture.popup->Repaint();
    fixture.popup->ClosePopup();
    PumpMessagesUntilIdle();
  }
  EXPECT_EQ(test_support::CountGdiObjects(), gdi);
  EXPECT_EQ(test_support::CountUserObjects(), user);
}

}  // namespace edit_popup_window_test
