#include "editors/kinds/group_box_win.h"

#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_style_win.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/messages.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace group_box_win_test {

using test_support::PumpMessagesUntilIdle;

class GroupBoxFixture {
 public:
  GroupBoxFixture() {
    SetCursorPos(0, 0);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 360, 260);
    edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 200, 80, 20);
    group = new TlxCustomGroupBox(form);
    group->SetParent(form);
    group->SetBounds(10, 10, 200, 120);
    group->SetCaption("&Optionen");
    child = new TEdit(form);
    child->SetParent(group);
    child->SetAlign(alClient);
    form->Show();
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~GroupBoxFixture() {
    form->Free();
    PumpMessagesUntilIdle();
  }
  GroupBoxFixture(const GroupBoxFixture&) = delete;
  GroupBoxFixture& operator=(const GroupBoxFixture&) = delete;

  TSize CaptionExtent() const {
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, group->CaptionFont().Handle());
    SIZE size{};
    const std::u16string text = u"Optionen";
    GetTextExtentPoint32W(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return TSize(size.cx, size.cy);
  }

  TForm* form = nullptr;
  TEdit* edit = nullptr;
  TlxCustomGroupBox* group = nullptr;
  TEdit* child = nullptr;
};

TEST(GroupBoxTest, SideCaptionsLoseTheirAcceleratorAndTurnTheFont) {
  GroupBoxFixture fixture;
  TlxCustomGroupBox* group = fixture.group;
  struct Case {
    TlxCaptionAlignment alignment;
    const char* text;
    int32_t orientation;
  };
  const Case cases[] = {
      {alTopLeft, "&Optionen", 0},      {alLeftCenter, "Optionen", 900}, {alRightTop, "Optionen", 2700},
      {alCenterCenter, "&Optionen", 0}, {alBottomRight, "&Optionen", 0},
  };
  for (const Case& c : cases) {
    group->SetAlignment(c.alignment);
    EXPECT_EQ(group->CaptionText(), c.text) << int(c.alignment);
    EXPECT_EQ(group->CaptionFont().Orientation(), c.orientation) << int(c.alignment);
  }
  // Panel mode draws every caption upright and keeps the accelerator.
  group->SetAlignment(alLeftCenter);
  group->PanelStyle().SetActive(true);
  EXPECT_EQ(group->CaptionText(), "&Optionen");
  EXPECT_EQ(group->CaptionFont().Orientation(), 0);
}

// The caption's font shares its handle with every font of the same
// settings; a font that makes its next handle while announcing a change
// must not delete the shared one it lets go of.
TEST(GroupBoxTest, AFontChangedUnderAHandleAskingHandlerLeavesSharedHandlesAlive) {
  auto changing = std::make_unique<TFont>();
  TFont* font = changing.get();
  changing->OnChange = [font](TObject*) { font->Handle(); };
  changing->Handle();
  changing->SetHeight(-17);
  TFont sharing;
  sharing.SetHeight(-17);
  const HFONT shared = sharing.Handle();
  ASSERT_EQ(changing->Handle(), shared);
  changing.reset();
  EXPECT_EQ(GetObjectType(shared), static_cast<DWORD>(OBJ_FONT));
  LOGFONTW log_font{};
  ASSERT_NE(GetObjectW(sharing.Handle(), sizeof(log_font), &log_font), 0);
  EXPECT_EQ(log_font.lfHeight, -17);
}

TEST(GroupBoxTest, TheCaptionSitsWhereItsPositionSays) {
  GroupBoxFixture fixture;
  TlxCustomGroupBox* group = fixture.group;
  const TSize caption = fixture.CaptionExtent();
  group->SetAlignment(alTopCenter);
  PumpMessagesUntilIdle();
  EXPECT_EQ(group->GroupViewInfo().CaptionRect, TRect((200 - caption.cx) / 2, 0, (200 - caption.cx) / 2 + caption.cx,
                                                      caption.cy));
  group->SetAlignment(alBottomRight);
  PumpMessagesUntilIdle();
  EXPECT_EQ(group->GroupViewInfo().CaptionRect, TRect(200 - 8 - caption.cx, 120 - caption.cy, 200 - 8, 120));
  group->SetAlignment(alLeftTop);
  PumpMessagesUntilIdle();
  EXPECT_EQ(group->GroupViewInfo().CaptionRect, TRect(0, 8, caption.cy, 9 + caption.cx));
}

TEST(GroupBoxTest, TheCaptionMovesTheFrameAndTheChildrenOnItsSideOnly) {
  GroupBoxFixture fixture;
  TlxCustomGroupBox* group = fixture.group;
  const TSize caption = fixture.CaptionExtent();
  PumpMessagesUntilIdle();
  // The caption band at the top holds the children below it.
  EXPECT_GE(fixture.child->Top(), caption.cy);
  EXPECT_LT(fixture.child->Left(), 8);
  const int32_t top_with_caption = fixture.child->Top();

  group->SetAlignment(alLeftCenter);
  PumpMessagesUntilIdle();
  EXPECT_GE(fixture.child->Left(), caption.cy);
  EXPECT_LT(fixture.child->Top(), top_with_caption);

  // In the middle the caption moves nothing.
  group->SetAlignment(alCenterCenter);
  PumpMessagesUntilIdle();
  EXPECT_LT(fixture.child->Left(), 8);
  EXPECT_LT(fixture.child->Top(), 8);
}

TEST(GroupBoxTest, PanelIndentKeepsItsLeastValue) {
  GroupBoxFixture fixture;
  TlxPanelStyle& panel = fixture.group->PanelStyle();
  panel.SetCaptionIndent(0);
  EXPECT_EQ(panel.CaptionIndent(), 2);
  panel.SetCaptionIndent(-7);
  EXPECT_EQ(panel.CaptionIndent(), 2);
  panel.SetCaptionIndent(6);
  EXPECT_EQ(panel.CaptionIndent(), 6);
  TlxPanelStyle copy(fixture.group);
  copy.Assign(&panel);
  EXPECT_EQ(copy.CaptionIndent(), 6);
}

TEST(GroupBoxTest, AClickNeverFocusesTheGroupAndItsAcceleratorFocusesTheFirstChild) {
  GroupBoxFixture fixture;
  const TRect caption = fixture.group->GroupViewInfo().CaptionRect;
  test_support::InputClick(fixture.group->WindowHandle(), POINT{caption.Left + 2, caption.Top + 2});
  PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), fixture.edit->WindowHandle());
  EXPECT_EQ(fixture.group->Perform(CM_DIALOGCHAR, 'o'), 1);
  EXPECT_EQ(GetFocus(), fixture.child->WindowHandle());
  EXPECT_EQ(fixture.group->Perform(CM_DIALOGCHAR, 'x'), 0);
}

TEST(GroupBoxTest, TheFrameAndTheCaptionAreDrawn) {
  GroupBoxFixture fixture;
  TlxCustomGroupBox* group = fixture.group;
  fixture.child->SetAlign(alNone);
  fixture.child->SetBounds(150, 90, 20, 10);
  group->GetStyle()->SetBorderStyle(ebsSingle);
  group->GetStyle()->SetBorderColor(clRed);
  group->GetStyle()->SetColor(clWhite);
  PumpMessagesUntilIdle();
  const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(group->WindowHandle());
  const TRect frame = group->GroupViewInfo().FrameRect;
  const TRect caption = group->GroupViewInfo().CaptionRect;
  // The frame's left edge half-way down, and inside it the background.
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(frame.Left, 60), RGB(255, 0, 0), 8));
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(frame.Left + 5, 60), RGB(255, 255, 255), 8));
  // The frame's top edge stops at the caption: some caption pixel is text.
  EXPECT_TRUE(test_support::ColorsNear(pixels.At(frame.Left + 3, frame.Top), RGB(255, 0, 0), 8));
  int32_t text_pixels = 0;
  for (int32_t x = caption.Left; x < caption.Right; ++x)
    for (int32_t y = caption.Top; y < caption.Bottom; ++y)
      if (!test_support::ColorsNear(pixels.At(x, y), RGB(255, 255, 255), 60))
        ++text_pixels;
  EXPECT_GT(text_pixels, 0);
  EXPECT_FALSE(test_support::ColorsNear(pixels.At((caption.Left + caption.Right) / 2, frame.Top), RGB(255, 0, 0), 8));
}

TEST(GroupBoxTest, ManyGroupBoxesLeaveNoHandlesBehind) {
  auto* form = new TForm(nullptr);
  form->Show();
  const auto make_and_free = [form] {
    auto* group = new TlxCustomGroupBox(form);
    group->SetParent(form);
    group->SetCaption("Seite");
    group->SetAlignment(alLeftBottom);
    PumpMessagesUntilIdle();
    delete group;
  };
  make_and_free();
  PumpMessagesUntilIdle();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  for (int round = 0; round < 5; ++round)
    make_and_free();
  PumpMessagesUntilIdle();
  EXPECT_LE(test_support::CountGdiObjects(), gdi_before);
  EXPECT_LE(test_support::CountUserObjects(), user_before);
  form->Free();
  PumpMessagesUntilIdle();
}

}  // namespace group_box_win_test
