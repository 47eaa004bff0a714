#include "ui/foundation/system/message_window_win.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/rtl/exceptions.h"
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

TEST_F(FoundationModuleTest, ModuleEndReportsTrackingLeftRunning) {
  lxStartFoundationModule();
  ForgottenCaller caller;
  lxStartMouseTracking(nullptr, TRect(0, 0, 10, 10), &caller);
  try {
    lxEndFoundationModule();
    FAIL() << "no exception";
  } catch (const EInvalidOperation& error) {
    EXPECT_EQ(error.Message(), "MouseTrackingTimerList.Count <> 0");
  }
  EXPECT_FALSE(lxIsMouseTracking(&caller)) << "the timers are freed all the same";
  EXPECT_EQ(lxSystemController(), nullptr);
}

}  // namespace
