#include "ui/foundation/controls/scroll_bar_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/toolkit/form.h"
#include "tests/support/gui_objects.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

LPARAM PointParam(const TPoint& point) { return MAKELPARAM(point.X, point.Y); }

TPoint Centre(const TRect& rect) { return TPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2); }

// A form with one horizontal bar 200 x 17 px at (10, 10); the bar records
// every OnScroll code and the OnChange count.
class ScrollBarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(80, 80, 320, 240);
    bar_ = new TlxScrollBar(form_);
    bar_->SetParent(form_);
    bar_->SetBounds(10, 10, 200, 17);
    bar_->LookAndFeel().SetKind(lfFlat);
    bar_->OnScroll = [this](TObject*, TScrollCode code, int32_t&) { codes_.push_back(code); };
    bar_->OnChange = [this](TObject*) { ++changes_; };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    if (form_ != nullptr)
      form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  void Send(UINT message, const TPoint& point, WPARAM keys = 0) {
    SendMessageW(bar_->Handle(), message, keys, PointParam(point));
  }
  void MoveCursorTo(const TPoint& client_point) {
    const TPoint screen = bar_->ClientToScreen(client_point);
    SetCursorPos(screen.X, screen.Y);
  }
  // The pixel the painter draws at the centre of a part when asked to draw
  // it alone, in the given state, on a bitmap the bar's size.
  COLORREF ReferencePixel(const TRect& rect, TlxScrollBarPart part, TlxButtonState state) {
    TBitmap bitmap(bar_->Width(), bar_->Height(), pf32bit);
    TlxCanvas canvas(bitmap.Canvas());
    bar_->CurrentPainter()->PaintScrollBarPart(canvas, true, rect, part, state);
    const TPoint centre = Centre(rect);
    return GetPixel(canvas.Handle(), centre.X, centre.Y);
  }
  COLORREF ShownPixel(const TPoint& point) {
    RedrawWindow(bar_->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return test_support::WindowPixels::Capture(bar_->Handle()).At(point.X, point.Y);
  }

  TForm* form_ = nullptr;
  TlxScrollBar* bar_ = nullptr;
  std::vector<TScrollCode> codes_;
  int changes_ = 0;
};

TEST_F(ScrollBarWindowTest, PartsSitWhereTheyArePaintedAndHitTested) {
  bar_->ApplyScrollParams(0, 100, 0, 50, true);
  const TlxScrollBarViewInfo& info = bar_->ViewInfo();
  const int32_t arrow = std::min<int32_t>(GetSystemMetrics(SM_CYHSCROLL), 100);
  EXPECT_EQ(info.TopLeftArrowRect(), TRect(0, 0, arrow, 17));
  EXPECT_EQ(info.BottomRightArrowRect(), TRect(200 - arrow, 0, 200, 17));
  const int32_t track = 200 - 2 * arrow;
  EXPECT_EQ(info.ThumbRect().Width(), lxComputeThumbSpan({0, 100, 50, 0}, track, info.MinThumbSize(), 0).Length);

  struct HitCase {
    TRect rect;
    TlxScrollBarPart part;
  };
  bar_->SetPosition(30);
  const HitCase hits[] = {{info.TopLeftArrowRect(), sbpLineUp},
                          {info.BottomRightArrowRect(), sbpLineDown},
                          {info.ThumbRect(), sbpThumbnail},
                          {info.PageBeforeRect(), sbpPageUp},
                          {info.PageAfterRect(), sbpPageDown}};
  for (const HitCase& hit : hits) {
    SCOPED_TRACE(static_cast<int>(hit.part));
    ASSERT_FALSE(hit.rect.IsEmpty());
    EXPECT_EQ(bar_->PartAtPoint(Centre(hit.rect)), hit.part);
    EXPECT_EQ(ShownPixel(Centre(hit.rect)), ReferencePixel(hit.rect, hit.part, lxbsNormal));
  }
  EXPECT_EQ(bar_->PartAtPoint(TPoint(200, 5)), sbpNone);
  EXPECT_EQ(bar_->PartAtPoint(TPoint(-1, 5)), sbpNone);
}

TEST_F(ScrollBarWindowTest, EqualMinAndMaxPaintsOnePageAreaAndHitsOnlyArrows) {
  // With a page, an empty range leaves no thumb (without one the fixed
  // thumb sits at the track start).
  bar_->ApplyScrollParams(5, 5, 5, 1, true);
  EXPECT_FALSE(bar_->ViewInfo().HasThumb());
  const TPoint middle(100, 8);
  EXPECT_EQ(bar_->PartAtPoint(middle), sbpNone);
  EXPECT_EQ(bar_->PartAtPoint(Centre(bar_->ViewInfo().TopLeftArrowRect())), sbpLineUp);
  const TRect whole(0, 0, 200, 17);
  EXPECT_EQ(ShownPixel(middle), ReferencePixel(whole, sbpPageUp, lxbsNormal));
}

TEST_F(ScrollBarWindowTest, RangeRulesAndTheRefusal) {
  bar_->SetPosition(500);
  EXPECT_EQ(bar_->Position(), 100);
  bar_->SetPosition(-7);
  EXPECT_EQ(bar_->Position(), 0);

  bar_->ApplyScrollParams(0, 100, 40, 30, true);
  const int before_changes = changes_;
  struct Refusal {
    int32_t min, max, position, page;
  };
  for (const Refusal& r : {Refusal{10, 5, 7, 0}, Refusal{0, 20, 10, 30}}) {
    try {
      bar_->ApplyScrollParams(r.min, r.max, r.position, r.page, true);
      ADD_FAILURE() << "accepted " << r.min << ".." << r.max << " page " << r.page;
    } catch (const EInvalidOperation& error) {
      EXPECT_EQ(std::string(error.Message()), "Eigenschaft Scrollbar außerhalb des zulässigen Bereichs");
    }
  }
  EXPECT_THROW(bar_->SetMax(20), EInvalidOperation);
  EXPECT_EQ(bar_->Min(), 0);
  EXPECT_EQ(bar_->Max(), 100);
  EXPECT_EQ(bar_->Position(), 40);
  EXPECT_EQ(bar_->PageSize(), 30);
  EXPECT_EQ(changes_, before_changes);

  bar_->SetEnabled(false);
  EXPECT_FALSE(bar_->ViewInfo().HasThumb());
  bar_->SetPosition(41);
  EXPECT_TRUE(bar_->Enabled());
  EXPECT_TRUE(bar_->ViewInfo().HasThumb());
  EXPECT_EQ(changes_, before_changes + 1);
}

TEST_F(ScrollBarWindowTest, ScrollCodesClampAndLetTheHandlerChoose) {
  bar_->ApplyScrollParams(0, 100, 50, 10, true);
  bar_->SetSmallChange(3);
  bar_->SetLargeChange(10);
  struct CodeCase {
    TScrollCode code;
    int32_t start;
    int32_t expected;
  };
  const CodeCase cases[] = {{scLineUp, 50, 47}, {scLineDown, 50, 53}, {scPageUp, 5, 0},  {scPageDown, 95, 100},
                            {scTop, 50, 0},     {scBottom, 50, 100},  {scPosition, 50, 50}, {scEndScroll, 50, 50}};
  for (const CodeCase& c : cases) {
    bar_->SetPosition(c.start);
    SendMessageW(bar_->Handle(), CN_HSCROLL, c.code, 0);
    EXPECT_EQ(bar_->Position(), c.expected) << static_cast<int>(c.code);
  }
  // An unknown code changes nothing.
  bar_->SetPosition(50);
  SendMessageW(bar_->Handle(), CN_HSCROLL, 77, 0);
  EXPECT_EQ(bar_->Position(), 50);

  bar_->OnScroll = [](TObject*, TScrollCode, int32_t& position) { position = 1000; };
  bar_->ApplyScrollCode(scLineDown);
  EXPECT_EQ(bar_->Position(), 100);
  bar_->OnScroll = [](TObject*, TScrollCode, int32_t& position) { position = -1000; };
  bar_->ApplyScrollCode(scLineDown);
  EXPECT_EQ(bar_->Position(), 0);
}

TEST_F(ScrollBarWindowTest, HeldArrowStepsOnceThenRepeatsWhileOverIt) {
  bar_->ApplyScrollParams(0, 100, 10, 0, true);
  const TPoint arrow = Centre(bar_->ViewInfo().BottomRightArrowRect());
  MoveCursorTo(arrow);
  Send(WM_LBUTTONDOWN, arrow, MK_LBUTTON);
  EXPECT_EQ(bar_->Position(), 11);
  EXPECT_EQ(bar_->PressedPart(), sbpLineDown);
  EXPECT_TRUE(bar_->RepeatTimer().Enabled());
  EXPECT_EQ(bar_->RepeatTimer().Interval(), lxScrollBarFirstRepeatInterval);
  EXPECT_EQ(bar_->PartButtonState(sbpLineDown), lxbsPressed);
  EXPECT_EQ(ShownPixel(arrow), ReferencePixel(bar_->ViewInfo().BottomRightArrowRect(), sbpLineDown, lxbsPressed));

  bar_->RepeatTimer().FireTimer();
  EXPECT_EQ(bar_->Position(), 12);
  EXPECT_EQ(bar_->RepeatTimer().Interval(), lxScrollBarNextRepeatInterval);
  bar_->RepeatTimer().FireTimer();
  EXPECT_EQ(bar_->Position(), 13);

  // Off the arrow the repeat pauses; back on it, it resumes.
  const TPoint page = Centre(bar_->ViewInfo().PageAfterRect());
  MoveCursorTo(page);
  Send(WM_MOUSEMOVE, page, MK_LBUTTON);
  EXPECT_FALSE(bar_->RepeatTimer().Enabled());
  EXPECT_EQ(bar_->PartButtonState(sbpLineDown), lxbsNormal);
  MoveCursorTo(arrow);
  Send(WM_MOUSEMOVE, arrow, MK_LBUTTON);
  EXPECT_TRUE(bar_->RepeatTimer().Enabled());

  Send(WM_LBUTTONUP, arrow);
  EXPECT_FALSE(bar_->RepeatTimer().Enabled());
  EXPECT_EQ(bar_->PressedPart(), sbpNone);
  ASSERT_FALSE(codes_.empty());
  EXPECT_EQ(codes_.back(), scEndScroll);
}

TEST_F(ScrollBarWindowTest, ThumbDragFollowsAndSnapsBackFarAcross) {
  bar_->ApplyScrollParams(0, 100, 0, 10, true);
  const TRect thumb = bar_->ViewInfo().ThumbRect();
  const TPoint grip = Centre(thumb);
  Send(WM_LBUTTONDOWN, grip, MK_LBUTTON);
  ASSERT_TRUE(bar_->ThumbDragging());

  Send(WM_MOUSEMOVE, TPoint(grip.X + 40, grip.Y + 100), MK_LBUTTON);  // inside the zone across
  EXPECT_EQ(bar_->ViewInfo().ThumbRect().Left, thumb.Left + 40);
  const int32_t followed = bar_->Position();
  EXPECT_GT(followed, 0);
  EXPECT_EQ(codes_.back(), scTrack);

  Send(WM_MOUSEMOVE, TPoint(grip.X + 40, grip.Y + 150), MK_LBUTTON);
  EXPECT_EQ(bar_->Position(), 0);
  EXPECT_EQ(bar_->ViewInfo().ThumbRect(), thumb);

  Send(WM_MOUSEMOVE, TPoint(grip.X + 40, grip.Y), MK_LBUTTON);
  EXPECT_EQ(bar_->Position(), followed);

  codes_.clear();
  Send(WM_LBUTTONUP, TPoint(grip.X + 40, grip.Y));
  ASSERT_GE(codes_.size(), 2u);
  EXPECT_EQ(codes_[codes_.size() - 2], scPosition);
  EXPECT_EQ(codes_.back(), scEndScroll);
  EXPECT_EQ(bar_->Position(), followed);
}

TEST_F(ScrollBarWindowTest, UnlimitedTrackingKeepsFollowingFarAway) {
  bar_->SetUnlimitedTracking(true);
  bar_->ApplyScrollParams(0, 100, 0, 10, true);
  const TPoint grip = Centre(bar_->ViewInfo().ThumbRect());
  Send(WM_LBUTTONDOWN, grip, MK_LBUTTON);
  Send(WM_MOUSEMOVE, TPoint(grip.X + 40, grip.Y + 400), MK_LBUTTON);
  EXPECT_GT(bar_->Position(), 0);
  Send(WM_LBUTTONUP, TPoint(grip.X + 40, grip.Y + 400));
  EXPECT_GT(bar_->Position(), 0);
}

TEST_F(ScrollBarWindowTest, CancelModeAndDisablingEndAPress) {
  bar_->ApplyScrollParams(0, 100, 50, 10, true);
  const TPoint page = Centre(bar_->ViewInfo().PageBeforeRect());
  Send(WM_LBUTTONDOWN, page, MK_LBUTTON);
  EXPECT_EQ(bar_->PressedPart(), sbpPageUp);
  SendMessageW(bar_->Handle(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(bar_->PressedPart(), sbpNone);
  EXPECT_EQ(codes_.back(), scEndScroll);

  Send(WM_LBUTTONDOWN, Centre(bar_->ViewInfo().TopLeftArrowRect()), MK_LBUTTON);
  bar_->SetEnabled(false);
  EXPECT_EQ(bar_->PressedPart(), sbpNone);
  EXPECT_FALSE(bar_->RepeatTimer().Enabled());
  EXPECT_EQ(bar_->PartButtonState(sbpLineUp), lxbsDisabled);
}

TEST_F(ScrollBarWindowTest, VerticalKindSwapsTheSize) {
  bar_->SetKind(sbVertical);
  EXPECT_EQ(bar_->Width(), 17);
  EXPECT_EQ(bar_->Height(), 200);
  bar_->ApplyScrollParams(0, 100, 100, 10, true);
  const TlxScrollBarViewInfo& info = bar_->ViewInfo();
  EXPECT_EQ(info.BottomRightArrowRect().Bottom, 200);
  EXPECT_EQ(info.ThumbRect().Bottom, info.BottomRightArrowRect().Top);
  EXPECT_EQ(bar_->PartAtPoint(Centre(info.ThumbRect())), sbpThumbnail);
}

TEST_F(ScrollBarWindowTest, HandlerFreeingTheBarEndsCleanly) {
  bar_->ApplyScrollParams(0, 100, 10, 0, true);
  bar_->OnScroll = [this](TObject*, TScrollCode, int32_t&) {
    delete bar_;
    bar_ = nullptr;
  };
  Send(WM_LBUTTONDOWN, Centre(bar_->ViewInfo().BottomRightArrowRect()), MK_LBUTTON);
  EXPECT_EQ(bar_, nullptr);
  test_support::PumpMessagesUntilIdle();
}

TEST(ScrollBarHandlesTest, GdiAndUserObjectsComeBack) {
  {  // warm up shared resources (painter bitmaps, the timer window)
    auto* form = new TForm(nullptr);
    auto* bar = new TlxScrollBar(form);
    bar->SetParent(form);
    form->Show();
    test_support::PumpMessagesUntilIdle();
    form->Free();
  }
  test_support::PumpMessagesUntilIdle();
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  for (int round = 0; round < 3; ++round) {
    auto* form = new TForm(nullptr);
    auto* bar = new TlxScrollBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 0, 150, 17);
    form->Show();
    SendMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(bar->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    test_support::PumpMessagesUntilIdle();
    form->Free();
    test_support::PumpMessagesUntilIdle();
  }
  EXPECT_EQ(test_support::CountGdiObjects(), gdi);
  EXPECT_EQ(test_support::CountUserObjects(), user);
}

}  // namespace
