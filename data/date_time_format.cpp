#include "data/date_time_format.h"

#include <algorithm>

#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

constexpr int kMaxNesting = 2;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

size_t RunOf(std::string_view text, size_t at) {
  size_t run = 1;
  while (at + run < text.size() && text[at + run] == text[at])
    ++run;
  return run;
}

bool StartsWithNoCase(std::string_view text, size_t at, std::string_view word) {
  return text.size() - at >= word.size() && SameText(text.substr(at, word.size()), word);
}

// The bytes of one character: a UTF-8 lead byte takes its continuation
// bytes along.
size_t CharacterLength(std::string_view text, size_t at) {
  size_t length = 1;
  if (static_cast<uint8_t>(text[at]) >= 0xC0) {
    while (at + length < text.size() && (static_cast<uint8_t>(text[at + length]) & 0xC0) == 0x80)
      ++length;
  }
  return length;
}

class FormatParser {
 public:
  FormatParser(const TlxFormatTexts& texts, TlxDateTimeFormatInfo& info) : texts_(texts), info_(info) {}

  bool Parse(std::string_view text, int depth) {
    size_t i = 0;
    while (i < text.size()) {
      const char c = text[i];
      if (c == '\'' || c == '"') {
        const size_t close = text.find(c, i + 1);
        const size_t end = close == std::string_view::npos ? text.size() : close;
        AddLiteral(text.substr(i + 1, end - i - 1));
        i = close == std::string_view::npos ? text.size() : close + 1;
        continue;
      }
      const size_t run = RunOf(text, i);
      switch (Upper(c)) {
        case 'Y':
        case 'E':
          AddItem(fikYear, run >= 3 ? "YYYY" : "YY");
          last_letter_ = 'Y';
          i += run;
          continue;
        case 'M':
          if (last_letter_ == 'H') {
            AddItem(fikMinute, std::string(std::min<size_t>(run, 2), 'N'));
            last_letter_ = 'N';
          } else {
            AddItem(fikMonth, std::string(std::min<size_t>(run, 4), 'M'));
            last_letter_ = 'M';
          }
          i += run;
          continue;
        case 'N': AddLetters(fikMinute, 'N', run, 2); i += run; continue;
        case 'S': AddLetters(fikSecond, 'S', run, 2); i += run; continue;
        case 'Z': AddLetters(fikMSec, 'Z', run, 3); i += run; continue;
        case 'H':
          AddLetters(fikHour, 'H', run, 2);
          hour_noted_ = true;
          i += run;
          continue;
        case 'D':
          last_letter_ = 'D';
          if (run <= 4)
            AddItem(fikDay, std::string(run, 'D'));
          else if (!Nested(run == 5 ? texts_.ShortDateFormat : texts_.LongDateFormat, depth))
            return false;
          i += run;
          continue;
        case 'C':
          if (!Nested(texts_.ShortDateFormat, depth))
            return false;
          if (depth < kMaxNesting)
            AddLiteral(" ");
          if (!Nested(texts_.LongTimeFormat, depth))
            return false;
          i += 1;
          continue;
        case 'T':
          if (!Nested(run == 1 ? texts_.ShortTimeFormat : texts_.LongTimeFormat, depth))
            return false;
          i += run;
          continue;
        case 'A':
          i += ParseA(text, i);
          continue;
        case 'G':
          return false;
        default:
          break;
      }
      if (c == '/') {
        AddItem(fikDateSeparator, "/");
        ++i;
      } else if (c == ':') {
        AddItem(fikTimeSeparator, ":");
        ++i;
      } else {
        const size_t length = CharacterLength(text, i);
        AddLiteral(text.substr(i, length));
        i += length;
      }
    }
    return true;
  }

  void Finish() {
    auto& items = info_.ItemList;
    const auto hour = std::find_if(items.begin(), items.end(), [](const auto& item) { return item.ItemKind == fikHour; });
    if (hour != items.end()) {
      if (hour_noted_)
        hour->ItemText = (ampm_noted_ ? "12" : "24") + hour->ItemText;
    } else {
      std::erase_if(items, [](const auto& item) { return item.ItemKind == fikAmPm; });
    }
    for (const auto& item : items)
      info_.KindPresent[item.ItemKind] = true;
  }

 private:
  bool Nested(const std::string& format, int depth) {
    if (depth >= kMaxNesting)
      return true;  // a deeper reference adds nothing
    return Parse(format, depth + 1);
  }

  size_t ParseA(std::string_view text, size_t at) {
    if (StartsWithNoCase(text, at, "AM/PM")) {
      AddAmPm(std::string(text.substr(at, 5)));
      return 5;
    }
    if (StartsWithNoCase(text, at, "A/P")) {
      AddAmPm(std::string(text.substr(at, 3)));
      return 3;
    }
    if (StartsWithNoCase(text, at, "AMPM")) {
      AddAmPm("AMPM");
      return 4;
    }
    if (StartsWithNoCase(text, at, "AAAA")) {
      AddItem(fikDay, "DDDD");
      return 4;
    }
    if (StartsWithNoCase(text, at, "AAA")) {
      AddItem(fikDay, "DDD");
      return 3;
    }
    AddLiteral(text.substr(at, 1));
    return 1;
  }

  void AddAmPm(std::string text) {
    AddItem(fikAmPm, std::move(text));
    ampm_noted_ = true;
    last_letter_ = 'A';
  }

  void AddLetters(TlxDateTimeFormatItemKind kind, char letter, size_t run, size_t most) {
    AddItem(kind, std::string(std::min(run, most), letter));
    last_letter_ = letter;
  }

  void AddItem(TlxDateTimeFormatItemKind kind, std::string text) {
    auto& items = info_.ItemList;
    const bool repeatable = kind == fikDateSeparator || kind == fikTimeSeparator;
    if (!repeatable &&
        std::any_of(items.begin(), items.end(), [kind](const auto& item) { return item.ItemKind == kind; }))
      return;
    items.push_back({kind, std::move(text)});
  }

  void AddLiteral(std::string_view text) {
    if (text.empty())
      return;
    auto& items = info_.ItemList;
    if (!items.empty() && items.back().ItemKind == fikText)
      items.back().ItemText += text;
    else
      items.push_back({fikText, std::string(text)});
  }

  const TlxFormatTexts& texts_;
  TlxDateTimeFormatInfo& info_;
  char last_letter_ = 0;
  bool hour_noted_ = false;
  bool ampm_noted_ = false;
};

bool HasLongText(const TlxDateTimeFormatItem& item) { return item.ItemText.size() > 2; }

// Single quotes around the text.
std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

std::string SeparatorExpression(char separator) {
  if (separator == '\0')
    return "";
  if (separator == ' ')
    return "' '";
  return std::string("\\") + separator;
}

// A smart word for the expression: runs of other characters quoted, a
// single quote written \'.
std::string QuotedWord(std::string_view word) {
  std::string out;
  bool open = false;
  for (const char c : word) {
    if (c == '\'') {
      if (open)
        out += '\'';
      open = false;
      out += "\\'";
      continue;
    }
    if (!open)
      out += '\'';
    open = true;
    out += c;
  }
  if (open)
    out += '\'';
  return out;
}

std::string Joined(const std::array<std::string, 12>& names) {
  std::string out;
  for (const std::string& name : names) {
    if (!out.empty())
      out += '|';
    out += Quoted(name);
  }
  return out;
}

}  // namespace

TlxAmPmFormatKind lxAmPmFormatKind(const TlxDateTimeFormatItem& item) {
  if (SameText(item.ItemText, "A/P"))
    return lxafkAP;
  if (SameText(item.ItemText, "AM/PM"))
    return lxafkAMPM;
  return lxafkLocale;
}

TlxFormatTexts lxCurrentFormatTexts() {
  const TLocale& locale = UserLocale();
  const TFormatSettings& settings = locale.Settings();
  return {settings.ShortDateFormat, settings.LongDateFormat, settings.ShortTimeFormat,
          settings.LongTimeFormat,  locale.DateItems().AMDesignator, locale.DateItems().PMDesignator};
}

void lxParseDateTimeFormat(std::optional<std::string_view> format, TlxDateTimeFormatInfo& info) {
  lxParseDateTimeFormat(format, info, lxCurrentFormatTexts());
}

void lxParseDateTimeFormat(std::optional<std::string_view> format, TlxDateTimeFormatInfo& info,
                           const TlxFormatTexts& texts) {
  info = TlxDateTimeFormatInfo{};
  FormatParser parser(texts, info);
  if (!parser.Parse(format.value_or("C"), 0)) {
    info = TlxDateTimeFormatInfo{};
    return;
  }
  parser.Finish();
}

int32_t lxFormatItemTextLength(const TlxDateTimeFormatItem& item) {
  return lxFormatItemTextLength(item, lxCurrentFormatTexts());
}

int32_t lxFormatItemTextLength(const TlxDateTimeFormatItem& item, const TlxFormatTexts& texts) {
  switch (item.ItemKind) {
    case fikText: return static_cast<int32_t>(item.ItemText.size());
    case fikYear: return item.ItemText.size() == 2 ? 2 : 4;
    case fikMonth:
    case fikDay: return HasLongText(item) ? 3 : 2;
    case fikHour:
    case fikMinute:
    case fikSecond: return 2;
    case fikAmPm:
      switch (lxAmPmFormatKind(item)) {
        case lxafkAP: return 1;
        case lxafkAMPM: return 2;
        default: return static_cast<int32_t>(std::max(texts.AMString.size(), texts.PMString.size()));
      }
    case fikDateSeparator:
    case fikTimeSeparator: return 1;
    default: return 0;
  }
}

std::string lxStandardMaskOf(const TlxDateTimeFormatInfo& info, const TlxFormatTexts& texts) {
  std::string mask = "!";
  for (const TlxDateTimeFormatItem& item : info.ItemList) {
    switch (item.ItemKind) {
      case fikText:
        for (const char c : item.ItemText) {
          mask += '\\';
          mask += c;
        }
        break;
      case fikYear: mask += item.ItemText.size() == 2 ? "99" : "9999"; break;
      case fikMonth:
      case fikDay: mask += HasLongText(item) ? "lll" : "99"; break;
      case fikHour:
      case fikMinute:
      case fikSecond: mask += "99"; break;
      case fikAmPm:
        switch (lxAmPmFormatKind(item)) {
          case lxafkAP: mask += "c"; break;
          case lxafkAMPM: mask += "cc"; break;
          default: mask.append(std::max(texts.AMString.size(), texts.PMString.size()), 'c'); break;
        }
        break;
      case fikDateSeparator: mask += '/'; break;
      case fikTimeSeparator: mask += ':'; break;
      default: break;
    }
  }
  return mask + ";1; ";
}

std::string lxDateRegExprOf(const TlxDateTimeFormatInfo& date, const TFormatSettings& settings) {
  std::string out;
  for (const TlxDateTimeFormatItem& item : date.ItemList) {
    switch (item.ItemKind) {
      case fikText: out += Quoted(item.ItemText); break;
      case fikYear: out += item.ItemText.size() == 2 ? "\\d\\d" : "\\d\\d\\d\\d"; break;
      case fikMonth:
        out += "((0?[1-9]|1[012])|(" +
               Joined(item.ItemText.size() == 4 ? settings.LongMonthNames : settings.ShortMonthNames) + "))";
        break;
      case fikDay: out += "([012]?[1-9]|[123]0|31)"; break;
      case fikDateSeparator: out += SeparatorExpression(settings.DateSeparator); break;
      default: break;
    }
  }
  return out;
}

std::string lxTimeRegExprOf(const TlxDateTimeFormatInfo& time, const TFormatSettings& settings,
                            const TlxFormatTexts& texts) {
  std::string out;
  for (const TlxDateTimeFormatItem& item : time.ItemList) {
    switch (item.ItemKind) {
      case fikText: out += Quoted(item.ItemText); break;
      case fikHour: out += item.ItemText.starts_with("12") ? "(0?[1-9]|1[012])" : "([01]?\\d|2[0-3])"; break;
      case fikMinute:
      case fikSecond: out += "[0-5]?\\d"; break;
      case fikAmPm:
        switch (lxAmPmFormatKind(item)) {
          case lxafkAP: out += "(A|P)?"; break;
          case lxafkAMPM: out += "(AM|PM)?"; break;
          default:
            if (!texts.AMString.empty() && !texts.PMString.empty())
              out += "(" + Quoted(texts.AMString) + "|" + Quoted(texts.PMString) + ")?";
            else if (!texts.AMString.empty() || !texts.PMString.empty())
              out += "(" + Quoted(texts.AMString + texts.PMString) + ")?";
            break;
        }
        break;
      case fikTimeSeparator: out += SeparatorExpression(settings.TimeSeparator); break;
      default: break;
    }
  }
  return out;
}

std::string lxWithSmartWords(const std::string& expression, const std::vector<std::string>& words) {
  std::string alternatives;
  for (const std::string& word : words) {
    // A word whose text is missing would leave an empty alternative.
    if (word.empty())
      continue;
    if (!alternatives.empty())
      alternatives += '|';
    alternatives += QuotedWord(word);
  }
  // Without words an empty group would not compile, and the whole mask
  // would be dropped: the dates alone are still typed through it.
  if (alternatives.empty())
    return "(" + expression + ")";
  return "(" + expression + ")|(" + alternatives + ")((\\+|-)\\d(\\d(\\d\\d?)?)?)?";
}

std::string lxMaskedDisplayFormatOf(const TlxDateTimeFormatInfo& info) {
  std::string out;
  for (const TlxDateTimeFormatItem& item : info.ItemList) {
    switch (item.ItemKind) {
      case fikText: out += Quoted(item.ItemText); break;
      case fikYear: out += LowerCase(item.ItemText); break;
      case fikMonth: out += HasLongText(item) ? "mmm" : "mm"; break;
      case fikDay: out += HasLongText(item) ? "ddd" : "dd"; break;
      case fikHour: out += "hh"; break;
      case fikMinute: out += "nn"; break;
      case fikSecond: out += "ss"; break;
      case fikAmPm: out += LowerCase(item.ItemText); break;
      case fikDateSeparator: out += '/'; break;
      case fikTimeSeparator: out += ':'; break;
      default: break;
    }
  }
  return out;
}

std::string lxDateInputFormatOf(std::string_view short_date_format) {
  // The toolkit writes months with a lower-case m, the system with an
  // upper-case M; in a date format both are months.
  const auto doubled = [](char c) { return c == 'd' || c == 'M' || c == 'm'; };
  std::string out;
  for (size_t i = 0; i < short_date_format.size(); ++i) {
    const char c = short_date_format[i];
    out += c;
    const bool alone = (i == 0 || short_date_format[i - 1] != c) &&
                       (i + 1 == short_date_format.size() || short_date_format[i + 1] != c);
    if (doubled(c) && alone)
      out += c;
  }
  return out;
}

std::string lxCurrencyDisplayFormatOf(const TFormatSettings& settings) {
  const std::string n = ",0." + std::string(settings.CurrencyDecimals, '0');
  std::string s;
  for (const char c : settings.CurrencyString) {
    if (c == ',' || c == '.')
      s += std::string("'") + c + "'";
    else
      s += c;
  }
  // Without a symbol the number stands alone, so that positive values
  // still show.
  std::string positive = n;
  if (!s.empty()) {
    switch (settings.CurrencyFormat) {
      case 0: positive = s + n; break;
      case 1: positive = n + s; break;
      case 2: positive = s + " " + n; break;
      default: positive = n + " " + s; break;
    }
  }
  std::string negative;
  switch (settings.NegCurrFormat) {
    case 0: negative = "(" + s + n + ")"; break;
    case 1: negative = "-" + s + n; break;
    case 2: negative = s + "-" + n; break;
    case 3: negative = s + n + "-"; break;
    case 4: negative = "(" + n + s + ")"; break;
    case 5: negative = "-" + n + s; break;
    case 6: negative = n + "-" + s; break;
    case 7: negative = n + s + "-"; break;
    case 8: negative = "-" + n + " " + s; break;
    case 9: negative = "-" + s + " " + n; break;
    case 10: negative = n + " " + s + "-"; break;
    case 11: negative = s + " " + n + "-"; break;
    case 12: negative = s + " " + "-" + n; break;
    case 13: negative = n + "-" + " " + s; break;
    case 14: negative = "(" + s + " " + n + ")"; break;
    default: negative = "(" + n + " " + s + ")"; break;
  }
  return positive + ";" + negative;
}
