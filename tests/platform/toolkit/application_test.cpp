#include "platform/toolkit/application.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/toolkit/form.h"
#include "platform/toolkit/timer.h"
#include "platform/toolkit/utility_window.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/window_finder.h"

namespace {

TEST(ApplicationTest, HandleExceptionReportsThroughOnException) {
  TApplication application(nullptr);
  std::string seen;
  TObject* seen_sender = nullptr;
  application.OnException = [&](TObject* sender, const Exception& error) {
    seen = error.Message();
    seen_sender = sender;
  };
  try {
    throw EConvertError("kaputt");
  } catch (...) {
    application.HandleException(&application);
  }
  EXPECT_EQ(seen, "kaputt");
  EXPECT_EQ(seen_sender, &application);
  seen.clear();
  try {
    throw EAbort("silent");
  } catch (...) {
    application.HandleException(nullptr);
  }
  EXPECT_EQ(seen, "");
  try {
    throw std::runtime_error("plain");
  } catch (...) {
    application.HandleException(nullptr);
  }
  EXPECT_EQ(seen, "plain");
}

TEST(ApplicationTest, ExceptionsInHandlersShowAnErrorBoxAndTheLoopGoesOn) {
  TApplication application(nullptr);
  application.SetTitle("Fehlertest");
  TApplication* previous = SetApplication(&application);
  auto form = form_fixture::MakeForm();
  form->OnClick = [](TObject*) { throw Exception("Fehler im Klick"); };
  form_fixture::ShowAndSettle(*form);
  std::string box_text;
  TTimer closer(nullptr);
  closer.SetInterval(50);
  closer.SetOnTimer([&](TObject*) {
    HWND box = test_support::FindTopLevelWindowByTitle("Fehlertest");
    if (box == nullptr)
      return;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
          char text[256];
          GetWindowTextA(child, text, sizeof(text));
          if (std::string(text).find("Fehler") != std::string::npos)
            *reinterpret_cast<std::string*>(data) = text;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&box_text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  // The click's exception is caught by the window procedure and shown.
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(box_text, "Fehler im Klick.");
  SetApplication(previous);
}

TEST(ApplicationTest, TimerFiresOnlyWithAHandlerAndWhileEnabled) {
  TTimer timer(nullptr);
  EXPECT_FALSE(timer.Running());  // no handler, no system timer
  int ticks = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  EXPECT_TRUE(timer.Running());
  EXPECT_TRUE(form_fixture::PumpUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  const int stopped_at = ticks;
  form_fixture::Pump(100);
  EXPECT_EQ(ticks, stopped_at);
  timer.SetEnabled(true);
  timer.SetInterval(0);
  EXPECT_FALSE(timer.Running());
}

TEST(ApplicationTest, ATimerMayFreeItselfInItsHandler) {
  auto* timer = new TTimer(nullptr);
  bool fired = false;
  timer->SetInterval(10);
  timer->SetOnTimer([&](TObject* sender) {
    fired = true;
    delete static_cast<TTimer*>(sender);
  });
  EXPECT_TRUE(form_fixture::PumpUntil([&] { return fired; }));
  form_fixture::Pump(50);
}

TEST(ApplicationTest, HiddenWindowsCallTheirMethod) {
  UINT last = 0;
  HWND window = nullptr;
  window = AllocateHWnd([&](TMessage& message) {
    last = message.Msg;
    if (message.Msg == WM_APP + 7)
      message.Result = 42;
    else
      CallDefaultWindowProc(window, message);
  });
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageW(window, WM_APP + 7, 0, 0), 42);
  EXPECT_EQ(last, static_cast<UINT>(WM_APP + 7));
  EXPECT_FALSE(IsWindowVisible(window));
  DeallocateHWnd(window);
  EXPECT_FALSE(IsWindow(window));
  DeallocateHWnd(nullptr);
}

TEST(ApplicationTest, ProcessMessagesHandlesWhatIsQueued) {
  TApplication application(nullptr);
  int handled = 0;
  HWND window = nullptr;
  window = AllocateHWnd([&](TMessage& message) {
    if (message.Msg == WM_APP + 1)
      ++handled;
    else
      CallDefaultWindowProc(window, message);
  });
  PostMessageW(window, WM_APP + 1, 0, 0);
  PostMessageW(window, WM_APP + 1, 0, 0);
  application.ProcessMessages();
  EXPECT_EQ(handled, 2);
  EXPECT_FALSE(application.Terminated());
  DeallocateHWnd(window);
}

}  // namespace
