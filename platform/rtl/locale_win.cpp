// The Windows side of the locale service: casing and comparison through the
// system's locale functions, and the user's regional settings read from the
// system at start-up and after every settings change.

#include <windows.h>

#include <string>

#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

const wchar_t* AsWide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
wchar_t* AsWide(std::u16string& text) { return reinterpret_cast<wchar_t*>(text.data()); }

class TSystemLocale final : public TLocale {
 public:
  // An empty `system_name` stands for the user's default locale.
  TSystemLocale(std::string name, TFormatSettings settings, TLocaleDateItems date_items, std::u16string system_name)
      : TLocale(std::move(name), std::move(settings), std::move(date_items)), system_name_(std::move(system_name)) {}

  std::optional<std::string> FormatDateByPattern(std::string_view picture, TDateTime value) const override {
    return FormatBySystem(PictureFor(picture, DateItems().ShortDatePattern), value, &GetDateFormatEx);
  }
  std::optional<std::string> FormatTimeByPattern(std::string_view picture, TDateTime value) const override {
    return FormatBySystem(PictureFor(picture, DateItems().TimePattern), value, &GetTimeFormatExNoCalendar);
  }

  std::u16string UpperCase(std::u16string_view text) const override {
    return MapCase(text, LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING);
  }
  std::u16string LowerCase(std::u16string_view text) const override {
    return MapCase(text, LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING);
  }

  int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const override {
    const std::u16string left(a);
    const std::u16string right(b);
    const DWORD flags = mode == TCompareCase::kIgnore ? NORM_IGNORECASE : 0;
    const int result = CompareStringEx(LocaleName(), flags, AsWide(left), static_cast<int>(left.size()),
                                       AsWide(right), static_cast<int>(right.size()), nullptr, nullptr, 0);
    if (result == CSTR_LESS_THAN)
      return -1;
    if (result == CSTR_GREATER_THAN)
      return 1;
    if (result == CSTR_EQUAL)
      return 0;
    // The system refused (a name it does not know): fall back to code units.
    const int raw = left.compare(right);
    return (raw > 0) - (raw < 0);
  }

 private:
  // A fixed locale writes by its own patterns; the user's locale by the
  // system's defaults (an empty picture), which also pick its calendar.
  std::string_view PictureFor(std::string_view picture, const std::string& own) const {
    return picture.empty() && !system_name_.empty() ? std::string_view(own) : picture;
  }

  static int WINAPI GetTimeFormatExNoCalendar(LPCWSTR locale, DWORD flags, const SYSTEMTIME* time, LPCWSTR format,
                                              LPWSTR buffer, int size, LPCWSTR /*calendar*/) {
    return GetTimeFormatEx(locale, flags, time, format, buffer, size);
  }

  template <typename Writer>
  std::optional<std::string> FormatBySystem(std::string_view picture, TDateTime value, Writer writer) const {
    if (!IsValidDateTime(value))
      return std::nullopt;
    const TDateParts date = DecodeDateParts(value);
    const TTimeParts time = DecodeTimeParts(value);
    SYSTEMTIME system_time = {};
    system_time.wYear = date.year;
    system_time.wMonth = date.month;
    system_time.wDay = date.day;
    system_time.wDayOfWeek = static_cast<WORD>(DayOfWeek(value) - 1);
    system_time.wHour = time.hour;
    system_time.wMinute = time.minute;
    system_time.wSecond = time.second;
    system_time.wMilliseconds = time.millisecond;
    const std::u16string format = Utf8ToUtf16(picture);
    wchar_t buffer[256] = {};
    const int length = writer(LocaleName(), 0, &system_time, picture.empty() ? nullptr : AsWide(format), buffer,
                              256, nullptr);
    if (length <= 0)
      return std::nullopt;
    return Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length - 1)));
  }

  const wchar_t* LocaleName() const {
    return system_name_.empty() ? LOCALE_NAME_USER_DEFAULT : AsWide(system_name_);
  }

  std::u16string MapCase(std::u16string_view text, DWORD flags) const {
    std::u16string source(text);
    if (source.empty())
      return source;
    const int size = static_cast<int>(source.size());
    const int needed = LCMapStringEx(LocaleName(), flags, AsWide(source), size, nullptr, 0, nullptr, nullptr, 0);
    if (needed <= 0)
      return source;
    std::u16string out(static_cast<size_t>(needed), u'\0');
    LCMapStringEx(LocaleName(), flags, AsWide(source), size, AsWide(out), needed, nullptr, nullptr, 0);
    return out;
  }

  std::u16string system_name_;
};

std::string LocaleText(LCTYPE item, std::string fallback) {
  wchar_t buffer[256] = {};
  const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, 256);
  if (length <= 1)
    return fallback;
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length - 1)));
}

uint8_t LocaleNumber(LCTYPE item, uint8_t fallback) {
  const std::string text = LocaleText(item, "");
  if (text.empty() || text[0] < '0' || text[0] > '9')
    return fallback;
  return static_cast<uint8_t>(std::stoi(text));
}

// A one-character separator; a non-ASCII one (a no-break space in many
// locales) becomes a plain space.
char LocaleSeparator(LCTYPE item, char fallback) {
  const std::string text = LocaleText(item, std::string(1, fallback));
  if (text.empty())
    return fallback;
  const auto first = static_cast<unsigned char>(text[0]);
  return first < 0x80 ? text[0] : ' ';
}

// Translates a system date or time picture ("dd.MM.yyyy", "HH:mm:ss",
// "h:mm:ss tt") into this library's format syntax ("dd.mm.yyyy",
// "hh:nn:ss", "h:nn:ss AMPM"). Quoted text is kept as it is.
std::string TranslatePicture(std::string_view picture) {
  std::string out;
  for (size_t i = 0; i < picture.size(); ++i) {
    const char c = picture[i];
    if (c == '\'') {
      const size_t end = picture.find('\'', i + 1);
      const size_t stop = end == std::string_view::npos ? picture.size() : end + 1;
      out.append(picture.substr(i, stop - i));
      i = stop - 1;
      continue;
    }
    size_t run = 1;
    while (i + run < picture.size() && picture[i + run] == c)
      ++run;
    switch (c) {
      case 'M': out.append(run, 'm'); break;
      case 'm': out.append(run, 'n'); break;
      case 'H': out.append(run, 'h'); break;
      case 't': out.append("AMPM"); break;
      case 'g': break;  // era names are not shown
      default: out.append(run, c); break;
    }
    i += run - 1;
  }
  // Era markers leave blanks behind.
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

TFormatSettings ReadUserSettings() {
  TFormatSettings s = EnglishFormatSettings();
  s.CurrencyString = LocaleText(LOCALE_SCURRENCY, s.CurrencyString);
  s.CurrencyFormat = LocaleNumber(LOCALE_ICURRENCY, s.CurrencyFormat);
  s.NegCurrFormat = LocaleNumber(LOCALE_INEGCURR, s.NegCurrFormat);
  s.CurrencyDecimals = LocaleNumber(LOCALE_ICURRDIGITS, s.CurrencyDecimals);
  s.ThousandSeparator = LocaleSeparator(LOCALE_STHOUSAND, s.ThousandSeparator);
  s.DecimalSeparator = LocaleSeparator(LOCALE_SDECIMAL, s.DecimalSeparator);
  s.DateSeparator = LocaleSeparator(LOCALE_SDATE, s.DateSeparator);
  s.TimeSeparator = LocaleSeparator(LOCALE_STIME, s.TimeSeparator);
  s.ListSeparator = LocaleSeparator(LOCALE_SLIST, s.ListSeparator);
  s.ShortDateFormat = TranslatePicture(LocaleText(LOCALE_SSHORTDATE, "M/d/yyyy"));
  s.LongDateFormat = TranslatePicture(LocaleText(LOCALE_SLONGDATE, "dddd, MMMM d, yyyy"));
  s.LongTimeFormat = TranslatePicture(LocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt"));
  s.ShortTimeFormat = TranslatePicture(LocaleText(LOCALE_SSHORTTIME, "h:mm tt"));
  s.TimeAMString = LocaleText(LOCALE_S1159, "");
  s.TimePMString = LocaleText(LOCALE_S2359, "");
  for (int month = 0; month < 12; ++month) {
    s.ShortMonthNames[month] = LocaleText(LOCALE_SABBREVMONTHNAME1 + month, s.ShortMonthNames[month]);
    s.LongMonthNames[month] = LocaleText(LOCALE_SMONTHNAME1 + month, s.LongMonthNames[month]);
  }
  // The system counts days from Monday (LOCALE_SDAYNAME1); ours from Sunday.
  for (int day = 0; day < 7; ++day) {
    const int ours = (day + 1) % 7;
    s.ShortDayNames[ours] = LocaleText(LOCALE_SABBREVDAYNAME1 + day, s.ShortDayNames[ours]);
    s.LongDayNames[ours] = LocaleText(LOCALE_SDAYNAME1 + day, s.LongDayNames[ours]);
  }
  s.FirstDayOfWeek = static_cast<uint8_t>((LocaleNumber(LOCALE_IFIRSTDAYOFWEEK, 6) + 1) % 7);
  return s;
}

TLocaleDateItems ReadUserDateItems() {
  TLocaleDateItems items = TableDateItems("en-US");
  items.FirstWeekOfYear = LocaleNumber(LOCALE_IFIRSTWEEKOFYEAR, items.FirstWeekOfYear);
  items.CalendarType = LocaleNumber(LOCALE_ICALENDARTYPE, static_cast<uint8_t>(items.CalendarType));
  DWORD limit = 0;
  if (GetCalendarInfoEx(LOCALE_NAME_USER_DEFAULT, static_cast<CALID>(items.CalendarType), nullptr,
                        CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0, &limit) > 0 &&
      limit > 99)
    items.TwoDigitYearMax = static_cast<int32_t>(limit);
  items.ShortDatePattern = LocaleText(LOCALE_SSHORTDATE, items.ShortDatePattern);
  items.LongDatePattern = LocaleText(LOCALE_SLONGDATE, items.LongDatePattern);
  items.TimePattern = LocaleText(LOCALE_STIMEFORMAT, items.TimePattern);
  items.YearMonthPattern = LocaleText(LOCALE_SYEARMONTH, items.YearMonthPattern);
  items.AMDesignator = LocaleText(LOCALE_S1159, "");
  items.PMDesignator = LocaleText(LOCALE_S2359, "");
  for (int day = 0; day < 7; ++day) {
    items.AbbreviatedDayNames[day] = LocaleText(LOCALE_SABBREVDAYNAME1 + day, items.AbbreviatedDayNames[day]);
    items.ShortestDayNames[day] = LocaleText(LOCALE_SSHORTESTDAYNAME1 + day, items.ShortestDayNames[day]);
  }
  return items;
}

std::string UserLocaleName() {
  wchar_t buffer[LOCALE_NAME_MAX_LENGTH] = {};
  if (GetUserDefaultLocaleName(buffer, LOCALE_NAME_MAX_LENGTH) <= 0)
    return "en-US";
  return Utf16ToUtf8(reinterpret_cast<const char16_t*>(buffer));
}

}  // namespace

std::unique_ptr<TLocale> CreateLocale(std::string_view name) {
  // The fixed settings come from the built-in table (which also rejects
  // unknown names); casing and comparison from the system.
  std::unique_ptr<TLocale> table = CreateTableLocale(name);
  return std::make_unique<TSystemLocale>(table->Name(), table->Settings(), table->DateItems(), Utf8ToUtf16(name));
}

std::unique_ptr<TLocale> CreateMachineLocale() {
  return std::make_unique<TSystemLocale>(UserLocaleName(), ReadUserSettings(), ReadUserDateItems(), std::u16string());
}
