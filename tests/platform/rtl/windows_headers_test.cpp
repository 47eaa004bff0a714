// The run-time headers must live beside the full Windows headers (macros
// such as CompareString or GetCurrentTime, and the OLE variant names), in
// either order of inclusion.
#ifdef _WIN32

#undef WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include "platform/rtl/clock.h"
#include "platform/rtl/currency.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/extended.h"
#include "platform/rtl/fmt_bcd.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/sql_time_stamp.h"
#include "platform/rtl/text.h"
#include "platform/rtl/variant.h"

namespace {

TEST(WindowsHeaders, RunTimeNamesStayUsableBesideThem) {
  TScopedLocale german("de-DE");
  EXPECT_EQ(Format("%d", {static_cast<int>(VT_I4)}), "3");
  EXPECT_EQ(varInteger, VT_I4);
  EXPECT_EQ(varOleStr, VT_BSTR);
  EXPECT_EQ(AnsiUpperCase("größe"), "GRÖßE");
  EXPECT_EQ(CompareText("a", "A"), 0);
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
  EXPECT_TRUE(Variant(1) == Variant(1.0));
  // The system's own functions are still there, under their macro names.
  EXPECT_NE(GetTickCount64(), 0u);
  EXPECT_EQ(CompareStringW(LOCALE_INVARIANT, 0, L"a", 1, L"a", 1), CSTR_EQUAL);
}

}  // namespace

#endif  // _WIN32
