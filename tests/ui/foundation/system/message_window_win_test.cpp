#include "ui/foundation/system/message_window_win.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/rtl/thread.h"
#include "ui/foundation/system/mouse_tracking_win.h"

namespace {

class RecordingWindow : public TlxMessageWindow {
 public:
  std::vector<UINT> received;

 protected:
  void WindowProcedure(TMessage& message) override {
    received.push_back(message.Msg);
    if (message.Msg == WM_APP + 1) {
      message.Result = 42;
      return;
    }
    TlxMessageWindow::WindowProcedure(message);
  }
};

TEST(MessageWindowTest, MessagesReachTheOverriddenProcedure) {
  RecordingWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_APP + 1, 0, 0), 42);
  EXPECT_EQ(SendMessageA(window.Handle(), WM_NULL, 0, 0), 0) << "the default handling";
  EXPECT_EQ(window.received, (std::vector<UINT>{WM_APP + 1, WM_NULL}));
}

TEST(MessageWindowTest, FreedWindowIsGone) {
  HWND handle = nullptr;
  {
    TlxMessageWindow window;
    handle = window.Handle();
    EXPECT_TRUE(IsWindow(handle));
  }
  EXPECT_FALSE(IsWindow(handle));
}

// The module tests begin with the module ended, whatever earlier tests left,
// and leave it started, so that later tests can create shared objects.
class FoundationModuleTest : public ::testing::Test {
 protected:
  FoundationModuleTest() {
    while (lxSystemController() != nullptr)
      lxEndFoundationModule();
  }
  ~FoundationModuleTest() override { lxStartFoundationModule(); }
};

TEST_F(FoundationModuleTest, ModuleLifeAndTheWakeUpMessage) {
  lxStartFoundationModule();
  lxStartFoundationModule();
  TlxSystemController* controller = lxSystemController();
  ASSERT_NE(controller, nullptr);
  ASSERT_NE(lxSharedMessageWindow(), nullptr);
  EXPECT_EQ(lxSharedMessageWindow(), lxSharedMessageWindow());

  // A call handed over by a worker runs when the wake-up message arrives.
  bool ran = false;
  std::thread worker([&] { TThread::Queue([&] { ran = true; }); });
  worker.join();
  SendMessageA(controller->Handle(), TlxSystemController::kWakeUpMessage, 0, 0);
  EXPECT_TRUE(ran);

  lxEndFoundationModule();
  EXPECT_EQ(lxSystemController(), controller) << "only the last end acts";
  lxEndFoundationModule();
  EXPECT_EQ(lxSystemController(), nullptr);
  EXPECT_TRUE(lxFoundationModuleFinalizing());
  EXPECT_EQ(lxSharedMessageWindow(), nullptr);
  lxEndFoundationModule();  // unbalanced: nothing

  lxStartFoundationModule();
  EXPECT_FALSE(lxFoundationModuleFinalizing());
  EXPECT_NE(lxSharedMessageWindow(), nullptr);
  lxEndFoundationModule();
}

class ForgottenCaller : public IlxMouseTrackingCaller {
 public:
  void MouseLeave() override {}
};

// Tracking left running is a user's fault, but the end comes at shutdown:
// the trackers are freed and counted, and the end does not throw.
TEST_F(FoundationModuleTest, ModuleEndFreesAndCountsTrackingLeftRunning) {
  lxStartFoundationModule();
  ForgottenCaller first;
  ForgottenCaller second;
  lxStartMouseTracking(nullptr, TRect(0, 0, 10, 10), &first);
  lxStartMouseTracking(nullptr, TRect(0, 0, 10, 10), &second);
  EXPECT_NO_THROW(lxEndFoundationModule());
  EXPECT_EQ(lxLeftoverMouseTrackingTimers(), 2);
  EXPECT_FALSE(lxIsMouseTracking(&first));
  EXPECT_FALSE(lxIsMouseTracking(&second));
  EXPECT_EQ(lxSystemController(), nullptr);
  lxStartMouseTracking(nullptr, TRect(0, 0, 10, 10), &first);
  EXPECT_FALSE(lxIsMouseTracking(&first)) << "nothing starts while the module is ended";

  lxStartFoundationModule();
  lxEndFoundationModule();
  EXPECT_EQ(lxLeftoverMouseTrackingTimers(), 0) << "a clean end reports none";
}

TEST_F(FoundationModuleTest, EndFreesTheSettingsControllerThroughItsHookOnce) {
  lxStartFoundationModule();
  int released = 0;
  bool ran_during_the_end = false;
  lxSetSettingsControllerRelease([&] {
    ++released;
    ran_during_the_end = lxFoundationModuleFinalizing() && lxSystemController() == nullptr;
  });
  lxEndFoundationModule();
  EXPECT_EQ(released, 1);
  EXPECT_TRUE(ran_during_the_end) << "freed during the end, after the system controller";
  lxStartFoundationModule();
  lxEndFoundationModule();
  EXPECT_EQ(released, 1) << "the hook is used up";
}

TEST_F(FoundationModuleTest, PlatformFlagsAndUser32) {
  EXPECT_EQ(lxUser32Library(), nullptr);
  lxStartFoundationModule();
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(lxIsWin9xPlatform(), version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS);
  EXPECT_EQ(lxIsWinNT4OrLaterPlatform(), version.dwPlatformId == VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(lxIsMajorVersion6OrLaterPlatform(), version.dwMajorVersion >= 6);
  EXPECT_FALSE(lxIsWin9xPlatform() && lxIsWinNT4OrLaterPlatform());
  EXPECT_NE(lxUser32Library(), nullptr);
  EXPECT_NE(GetProcAddress(lxUser32Library(), "MonitorFromPoint"), nullptr);
  lxEndFoundationModule();
  EXPECT_EQ(lxUser32Library(), nullptr);
}

}  // namespace
