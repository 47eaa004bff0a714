#include "ui/foundation/controls/spell_checker_hook_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/platform/toolkit/form_fixture.h"

namespace {

using form_fixture::FormPtr;

// Records every call with the control or window it was about, and answers
// the two questions as told.
class RecordingHook : public IlxSpellCheckerHook {
 public:
  void DrawMisspellings(TWinControl& edit) override { Record("paint", &edit); }
  void LayoutChanged(TWinControl& edit) override { Record("layout", &edit); }
  void SelectionChanged(TWinControl& edit) override { Record("selection", &edit); }
  void TextChanged(TWinControl& edit) override { Record("text", &edit); }
  bool OwnsWindow(HWND window) override {
    asked_window = window;
    Record("owns", nullptr);
    return owns_answer;
  }
  bool ContextPopup(TWinControl& edit, const TPoint& screen_point) override {
    popup_point = screen_point;
    Record("popup", &edit);
    return popup_answer;
  }

  struct Call {
    std::string name;
    TWinControl* edit;
  };
  std::vector<Call> calls;
  HWND asked_window = nullptr;
  TPoint popup_point;
  bool owns_answer = false;
  bool popup_answer = false;

 private:
  void Record(const char* name, TWinControl* edit) { calls.push_back({name, edit}); }
};

// Sets the hook for one test and clears it again however the test ends.
struct InstalledHook {
  InstalledHook() { lxSetSpellCheckerHook(&hook); }
  ~InstalledHook() { lxSetSpellCheckerHook(nullptr); }
  RecordingHook hook;
};

struct Notification {
  const char* expected_call;
  std::function<void(TWinControl&)> notify;
};

const std::vector<Notification>& Notifications() {
  static const std::vector<Notification> notifications = {
      {"paint", lxNotifySpellCheckerPaint},
      {"layout", lxNotifySpellCheckerLayoutChanged},
      {"selection", lxNotifySpellCheckerSelectionChanged},
      {"text", lxNotifySpellCheckerTextChanged},
  };
  return notifications;
}

TEST(SpellCheckerHookTest, EachNotificationReachesTheHookWithTheEdit) {
  auto form = form_fixture::MakeForm<TForm>(200, 100);
  InstalledHook installed;
  ASSERT_EQ(lxSpellCheckerHook(), &installed.hook);
  for (const Notification& notification : Notifications()) {
    installed.hook.calls.clear();
    notification.notify(*form);
    ASSERT_EQ(installed.hook.calls.size(), 1u) << notification.expected_call;
    EXPECT_EQ(installed.hook.calls[0].name, notification.expected_call);
    EXPECT_EQ(installed.hook.calls[0].edit, form.get()) << notification.expected_call;
  }
}

TEST(SpellCheckerHookTest, WindowOwnershipAndContextMenuTakeTheHooksAnswer) {
  auto form = form_fixture::MakeForm<TForm>(200, 100);
  InstalledHook installed;
  RecordingHook& hook = installed.hook;
  const HWND window = form->Handle();

  EXPECT_FALSE(lxSpellCheckerOwnsWindow(window));
  EXPECT_EQ(hook.asked_window, window);
  hook.owns_answer = true;
  EXPECT_TRUE(lxSpellCheckerOwnsWindow(window));

  EXPECT_FALSE(lxSpellCheckerContextPopup(*form, TPoint{30, 40}));
  hook.popup_answer = true;
  EXPECT_TRUE(lxSpellCheckerContextPopup(*form, TPoint{50, 60}));
  EXPECT_EQ(hook.popup_point.X, 50);
  EXPECT_EQ(hook.popup_point.Y, 60);
  EXPECT_EQ(hook.calls.back().edit, form.get());
}

TEST(SpellCheckerHookTest, NoWindowIsNeverClaimed) {
  InstalledHook installed;
  installed.hook.owns_answer = true;
  EXPECT_FALSE(lxSpellCheckerOwnsWindow(nullptr));
  EXPECT_TRUE(installed.hook.calls.empty()) << "the hook is not asked about no window";
}

TEST(SpellCheckerHookTest, WithoutAHookNothingIsCalledAndNothingIsClaimed) {
  auto form = form_fixture::MakeForm<TForm>(200, 100);
  RecordingHook cleared;
  cleared.owns_answer = true;
  cleared.popup_answer = true;
  lxSetSpellCheckerHook(&cleared);
  lxSetSpellCheckerHook(nullptr);
  ASSERT_EQ(lxSpellCheckerHook(), nullptr);

  for (const Notification& notification : Notifications())
    notification.notify(*form);
  EXPECT_FALSE(lxSpellCheckerOwnsWindow(form->Handle()));
  EXPECT_FALSE(lxSpellCheckerContextPopup(*form, TPoint{1, 1}));
  EXPECT_TRUE(cleared.calls.empty()) << "a cleared hook hears nothing more";
}

}  // namespace
