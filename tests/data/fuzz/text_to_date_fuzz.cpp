// Typed date texts: every conversion answers a date the editors can hold
// or no date, in every calendar a locale may use, and never raises.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "data/smart_dates.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "ui/foundation/base/library_strings.h"

namespace {

void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

void SetUpOnce() {
  static bool done = false;
  if (done)
    return;
  done = true;
  lxAddStringResources(lxLibraryStringTable());
  SetClock(std::make_unique<TFixedClock>(EncodeDate(2024, 3, 13) + 0.4375));
}

// The locale by the first byte: English or German, a calendar type and a
// two-digit-year limit. Each is made once: an installed locale lives until
// the end of the run.
void UseLocale(uint8_t selector) {
  static const TLocale* made[256] = {};
  if (made[selector] != nullptr) {
    RestoreUserLocale(*made[selector]);
    return;
  }
  static constexpr int kCalendars[] = {1, 3, 4, 5, 6, 7, 8, 9};
  const char* name = selector & 1 ? "de-DE" : "en-US";
  TLocaleDateItems items = TableDateItems(name);
  items.CalendarType = kCalendars[(selector >> 1) % std::size(kCalendars)];
  items.TwoDigitYearMax = 1950 + (selector >> 4) * 10;
  SetUserLocale(CreateTableLocale(name, items));
  made[selector] = &UserLocale();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0)
    return 0;
  SetUpOnce();
  UseLocale(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  const TDateTime date = lxTextToDateTime(text);
  if (date != NullDate && !std::isfinite(date))
    Fail("a typed text became a value that is no date");
  if (lxIsGregorianCalendarType(nullptr) && date != NullDate &&
      (!IsValidDateTime(date) || DecodeDateParts(date).year > 9999))
    Fail("a typed text became a date outside the accepted years");

  TDateTime edited = 0;
  if (!lxParseEditDateTime(text, (data[0] & 2) != 0, edited) && edited != NullDate)
    Fail("a refused edit text left a date behind");

  TDateTime smart = -1;
  if (!lxSmartTextToDate(text, smart) && smart != -1)
    Fail("a text that is no smart word changed the date");

  std::string prepared(text);
  lxPrepareDateText(prepared, (data[0] & 4) != 0);
  if (prepared.size() > text.size())
    Fail("cleaning made a text longer");

  // Writing the date back never raises either.
  lxDateTimeToEditText((data[0] & 8) != 0, true, true, date);
  return 0;
}
