#include <windows.h>

#include <gtest/gtest.h>

#include "data/format_controller.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/application.h"

namespace {

class Listener : public IlxFormatListener, public IlxTimeChangeListener {
 public:
  void FormatsChanged() override { ++formats_changed; }
  void SystemTimeChanged() override { ++time_changed; }
  int formats_changed = 0;
  int time_changed = 0;
};

LRESULT SendSettingChange(HWND window, WPARAM wparam, const wchar_t* section) {
  return SendMessageW(window, WM_SETTINGCHANGE, wparam, reinterpret_cast<LPARAM>(section));
}

TEST(FormatControllerWindowTest, SystemBroadcastsReachTheListeners) {
  TlxFormatController& controller = lxGetFormatController();
  Listener listener;
  controller.AddListener(&listener);
  const HWND window = reinterpret_cast<HWND>(controller.WindowHandle());
  ASSERT_TRUE(IsWindow(window));

  TScopedLocale locale("de-DE");
  const TLocale* german = &UserLocale();
  const int before = listener.formats_changed;

  EXPECT_EQ(SendSettingChange(window, 0, L"Policy"), 0);
  EXPECT_EQ(SendSettingChange(window, 1, L"intl"), 0);
  EXPECT_EQ(&UserLocale(), german);
  EXPECT_EQ(listener.formats_changed, before);

  GetApplication()->SetUpdateFormatSettings(false);
  EXPECT_EQ(SendSettingChange(window, 0, L"intl"), 0);
  GetApplication()->SetUpdateFormatSettings(true);
  EXPECT_EQ(&UserLocale(), german);
  EXPECT_EQ(listener.formats_changed, before);

  EXPECT_EQ(SendSettingChange(window, 0, L"intl"), 0);
  EXPECT_NE(&UserLocale(), german);  // the user's own settings were read again
  EXPECT_EQ(listener.formats_changed, before + 1);
  EXPECT_EQ(controller.WeekStartDay(), UserLocale().Settings().FirstDayOfWeek % 7);

  EXPECT_EQ(listener.time_changed, 0);
  EXPECT_EQ(SendMessageW(window, WM_TIMECHANGE, 0, 0), 0);
  EXPECT_EQ(listener.time_changed, 1);

  controller.RemoveListener(&listener);
  EXPECT_FALSE(IsWindow(window));
}

}  // namespace
