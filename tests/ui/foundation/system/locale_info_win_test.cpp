#include "ui/foundation/system/locale_info_win.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kGermanGermany = 0x0407;

TEST(LocaleInfoTest, ReadsItemsWithoutTheTerminatingZero) {
  EXPECT_EQ(lxGetLocaleInfoStr(kGermanGermany, LOCALE_SDECIMAL, "?"), ",");
  EXPECT_EQ(lxGetLocaleInfoStr(kGermanGermany, LOCALE_SENGLANGUAGE, "?"), "German");
}

TEST(LocaleInfoTest, UnknownItemsGiveTheFallback) {
  EXPECT_EQ(lxGetLocaleInfoStr(kGermanGermany, 0x7FFF, "fallback"), "fallback");
}

}  // namespace
