#include "ui/foundation/controls/control_scroll_bar_states.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

constexpr int32_t kThickness = 17;

// A control stand-in: bars that show what was applied to them, a content
// script that reports the bars' parameters, and a re-entering update after
// every visibility change, as the control's BoundsChanged does.
class ScriptedHost : public IlxScrollBarsHost {
 public:
  void InitScrollBarsParams() override {
    ++init_calls;
    if (content)
      content(*this);
  }
  bool ChecksScrollBarFit(TlxScrollBarAxis axis) override { return checks_fit[axis]; }
  int32_t ScrollBarThickness(TlxScrollBarAxis) override { return kThickness; }
  bool ScrollBarAllowed(TlxScrollBarAxis axis) override { return allowed[axis]; }
  bool ScrollBarVisible(TlxScrollBarAxis axis) override { return visible[axis]; }
  TlxScrollBarState& PendingState(TlxScrollBarAxis axis) override { return pending[axis]; }
  void ApplyPendingState(TlxScrollBarAxis axis) override {
    enabled[axis] = pending[axis].Enabled;
    visible[axis] = pending[axis].Visible;
  }
  void ShowScrollBarDisabled(TlxScrollBarAxis axis) override {
    enabled[axis] = false;
    visible[axis] = true;
  }
  void ScrollBarsVisibilityChanged() override {
    ++nesting;
    max_nesting = std::max(max_nesting, nesting);
    ASSERT_LT(nesting, 20) << "the update does not settle";
    updater.Update();
    --nesting;
  }
  void ScrollBarsSettled() override { ++settled; }

  // A content of `width` x `height` pixels in a client of `client` x
  // `client` pixels, less the bars the updater currently means to show.
  void ReportContent(int32_t width, int32_t height, int32_t client, bool can_hide = true) {
    const int32_t page_h = client - (updater.IsShown(lxsaVertical) ? kThickness : 0);
    const int32_t page_v = client - (updater.IsShown(lxsaHorizontal) ? kThickness : 0);
    updater.SetParams(lxsaHorizontal, {0, width - 1, 1, page_h, 0, true, can_hide});
    updater.SetParams(lxsaVertical, {0, height - 1, 1, page_v, 0, true, can_hide});
  }

  TlxScrollBarsUpdater updater{*this};
  std::function<void(ScriptedHost&)> content;
  bool checks_fit[2] = {false, false};
  bool allowed[2] = {true, true};
  bool visible[2] = {false, false};
  bool enabled[2] = {true, true};
  TlxScrollBarState pending[2];
  int init_calls = 0;
  int settled = 0;
  int nesting = 0;
  int max_nesting = 0;
};

struct PendingCase {
  const char* what;
  TlxScrollBarParams params;
  bool allowed;
  bool visible;
  bool enabled;
  int32_t stored_max;  // the range kept: new or the previous 0..100
};

TEST(ScrollBarStatesTest, PendingStateFollowsRangeAndPermissions) {
  const PendingCase cases[] = {
      {"range larger than the page shows an enabled bar", {0, 199, 1, 50, 0, true, true}, true, true, true, 199},
      {"range fitting its page hides with CanHide", {0, 49, 1, 50, 0, true, true}, true, false, true, 100},
      {"range fitting its page stays disabled without CanHide", {0, 49, 1, 50, 0, true, false}, true, true, false,
       100},
      {"Max below Min needs no bar", {10, 5, 1, 1, 10, true, true}, true, false, true, 100},
      {"position below Min needs no bar", {10, 500, 1, 20, 3, true, false}, true, true, false, 100},
      {"not allowed by AllowedScrollBars", {0, 199, 1, 50, 0, true, true}, false, false, true, 100},
      {"the descendant refuses", {0, 199, 1, 50, 0, false, false}, true, false, true, 100},
  };
  for (const PendingCase& c : cases) {
    SCOPED_TRACE(c.what);
    TlxScrollBarState state;
    lxSetPendingScrollBarState(state, c.params, c.allowed);
    EXPECT_EQ(state.Visible, c.visible);
    EXPECT_EQ(state.Enabled, c.enabled);
    EXPECT_EQ(state.Max, c.stored_max);
  }
}

TEST(ScrollBarStatesTest, PageStepIsCappedAtTheSixteenBitLimit) {
  TlxScrollBarState state;
  lxSetPendingScrollBarState(state, {0, 1000000, 70000, 40000, 0, true, true}, true);
  EXPECT_TRUE(state.Visible);
  EXPECT_EQ(state.PageSize, 40000);
  EXPECT_EQ(state.LargeChange, 32767);  // positive: page-down stays page-down
  EXPECT_EQ(state.SmallChange, 32767);
  lxSetPendingScrollBarState(state, {0, 1000000, 1, 65536 + 10, 0, true, true}, true);
  EXPECT_EQ(state.LargeChange, 32767);
}

TEST(ScrollBarStatesTest, BarsFollowTheContentThroughTheOtherBar) {
  struct LayoutCase {
    const char* what;
    int32_t width, height, client;
    bool horizontal, vertical;
  };
  const LayoutCase cases[] = {
      {"fits", 100, 100, 120, false, false},
      {"only tall", 100, 300, 120, false, true},
      {"tall pushes a nearly fitting width over", 110, 300, 120, true, true},
      {"wide and tall", 300, 300, 120, true, true},
  };
  for (const LayoutCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedHost host;
    host.content = [&](ScriptedHost& self) { self.ReportContent(c.width, c.height, c.client); };
    host.updater.Update();
    EXPECT_EQ(host.visible[lxsaHorizontal], c.horizontal);
    EXPECT_EQ(host.visible[lxsaVertical], c.vertical);
    EXPECT_TRUE(host.enabled[lxsaHorizontal]);
    EXPECT_TRUE(host.enabled[lxsaVertical]);
    EXPECT_GE(host.settled, 1);
    EXPECT_FALSE(host.updater.Updating());
    EXPECT_FALSE(host.updater.Calculating());
  }
}

TEST(ScrollBarStatesTest, AllowedNoneHidesBothWhateverTheContent) {
  ScriptedHost host;
  host.allowed[lxsaHorizontal] = host.allowed[lxsaVertical] = false;
  host.content = [](ScriptedHost& self) { self.ReportContent(1000, 1000, 100, false); };
  host.updater.Update();
  EXPECT_FALSE(host.visible[lxsaHorizontal]);
  EXPECT_FALSE(host.visible[lxsaVertical]);
}

TEST(ScrollBarStatesTest, BarsNeededOnlyByEachOtherGoWhenBothDirectionsCheck) {
  // The descendant reports pages that assume both bars: each range fits
  // once the other bar's thickness is given back.
  const auto report = [](ScriptedHost& self) {
    self.updater.SetParams(lxsaHorizontal, {0, 109, 1, 100, 0, true, true});
    self.updater.SetParams(lxsaVertical, {0, 109, 1, 100, 0, true, true});
  };
  struct FitCase {
    bool check_h, check_v, shown;
  };
  for (const FitCase& c : {FitCase{true, true, false}, FitCase{true, false, true}, FitCase{false, true, true}}) {
    ScriptedHost host;
    host.content = report;
    host.checks_fit[lxsaHorizontal] = c.check_h;
    host.checks_fit[lxsaVertical] = c.check_v;
    host.updater.Update();
    EXPECT_EQ(host.visible[lxsaHorizontal], c.shown) << c.check_h << c.check_v;
    EXPECT_EQ(host.visible[lxsaVertical], c.shown) << c.check_h << c.check_v;
  }
}

TEST(ScrollBarStatesTest, OscillatingLayoutEndsStableWithADisabledBar) {
  // A descendant that reads the real bars instead of the pending ones: the
  // horizontal bar is needed while the vertical one is hidden, the vertical
  // one while the horizontal one shows. Left alone the two chase each
  // other for ever.
  ScriptedHost host;
  host.content = [](ScriptedHost& self) {
    const bool need_h = !self.visible[lxsaVertical];
    const bool need_v = self.visible[lxsaHorizontal];
    self.updater.SetParams(lxsaHorizontal, {0, need_h ? 500 : 10, 1, 100, 0, true, true});
    self.updater.SetParams(lxsaVertical, {0, need_v ? 500 : 10, 1, 100, 0, true, true});
  };
  host.updater.Update();
  EXPECT_FALSE(host.visible[lxsaHorizontal]);
  EXPECT_TRUE(host.visible[lxsaVertical]);
  EXPECT_FALSE(host.enabled[lxsaVertical]);
  EXPECT_LT(host.max_nesting, 5);
  EXPECT_FALSE(host.updater.Updating());

  // The next update starts afresh: the stable state is not left behind.
  host.content = [](ScriptedHost& self) { self.ReportContent(50, 500, 120); };
  host.updater.Update();
  EXPECT_FALSE(host.visible[lxsaHorizontal]);
  EXPECT_TRUE(host.visible[lxsaVertical]);
  EXPECT_TRUE(host.enabled[lxsaVertical]);
}

TEST(ScrollBarStatesTest, CyclingAnswersInsideOneComputationAreCutOff) {
  // Answers that flip with every call would keep the computation going for
  // ever; it stops after the bounded number of passes.
  ScriptedHost host;
  host.content = [](ScriptedHost& self) {
    const bool show = !self.updater.IsShown(lxsaHorizontal);
    self.updater.SetParams(lxsaHorizontal, {0, show ? 500 : 10, 1, 100, 0, true, true});
  };
  host.updater.ComputeStates();
  EXPECT_EQ(host.init_calls, TlxScrollBarsUpdater::kMaxComputePasses);
  EXPECT_FALSE(host.updater.Calculating());
}

TEST(ScrollBarStatesTest, LockBracketFoldsUpdatesIntoOne) {
  ScriptedHost host;
  host.content = [](ScriptedHost& self) { self.ReportContent(50, 500, 120); };
  host.updater.Lock();
  host.updater.Lock();
  host.updater.Update();
  host.updater.Update();
  host.updater.Unlock();
  EXPECT_EQ(host.init_calls, 0);
  host.updater.Unlock();
  const int after_bracket = host.init_calls;
  EXPECT_GT(after_bracket, 0);
  EXPECT_TRUE(host.visible[lxsaVertical]);

  host.updater.Lock();
  host.updater.Unlock();
  EXPECT_EQ(host.init_calls, after_bracket);  // nothing asked, nothing done
  host.updater.Unlock();                      // unbalanced: ignored
  EXPECT_EQ(host.updater.LockCount(), 0);
}

TEST(ScrollBarStatesTest, FlagsComeBackWhenTheDescendantThrows) {
  ScriptedHost host;
  host.content = [](ScriptedHost&) { throw std::runtime_error("content failed"); };
  EXPECT_THROW(host.updater.Update(), std::runtime_error);
  EXPECT_FALSE(host.updater.Calculating());
  EXPECT_FALSE(host.updater.Updating());
  host.content = [](ScriptedHost& self) { self.ReportContent(500, 50, 120); };
  host.updater.Update();
  EXPECT_TRUE(host.visible[lxsaHorizontal]);
}

}  // namespace
