#include "ui/foundation/system/thread_hooks_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/exceptions.h"

namespace {

constexpr UINT kProbeMessage = WM_APP + 17;
std::vector<WPARAM> probes_seen;

LRESULT CALLBACK RecordProbe(int code, WPARAM wparam, LPARAM lparam) {
  const auto* message = reinterpret_cast<const MSG*>(lparam);
  if (code == HC_ACTION && message->message == kProbeMessage && wparam == PM_REMOVE)
    probes_seen.push_back(message->wParam);
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void PostAndTakeProbe(WPARAM value) {
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), kProbeMessage, value, 0));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, kProbeMessage, kProbeMessage, PM_REMOVE));
}

TEST(ThreadHooksTest, HookSeesThisThreadsMessagesUntilRemoved) {
  probes_seen.clear();
  MSG queue_maker;
  PeekMessageA(&queue_maker, nullptr, 0, 0, PM_NOREMOVE);  // gives the thread its queue

  HHOOK hook = nullptr;
  lxSetThreadHook(hook, WH_GETMESSAGE, &RecordProbe);
  ASSERT_NE(hook, nullptr);
  PostAndTakeProbe(1);
  lxRemoveThreadHook(hook);
  EXPECT_EQ(hook, nullptr);
  PostAndTakeProbe(2);
  EXPECT_EQ(probes_seen, std::vector<WPARAM>{1});

  lxRemoveThreadHook(hook);  // removing twice is harmless
  EXPECT_EQ(hook, nullptr);
}

TEST(ThreadHooksTest, ARefusedHookRaisesAndLeavesTheHandleAlone) {
  HHOOK hook = nullptr;
  EXPECT_THROW(lxSetThreadHook(hook, 1000, &RecordProbe), EOSError);
  EXPECT_EQ(hook, nullptr);
}

}  // namespace
