// The built-in deterministic locale: simple case mappings for Basic Latin,
// Latin-1, Latin Extended-A, Greek and Cyrillic, and a three-level
// linguistic comparison in the manner of the system's word sort (symbols
// before digits before letters; accents on the second level, case on the
// third with lower case first; hyphen and apostrophe ignored until the
// very end). The "ß" has no single upper-case letter and stays as it is, as
// it does under the system's locale functions: "größe" becomes "GRÖßE".

#include <algorithm>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

// Base letters of U+00C0..U+00FF and U+0100..U+017F. '*' marks a letter that
// expands to two (Æ, ß, Ĳ, Œ), '#' a symbol (×, ÷), '!' the thorn, which
// sorts after z.
constexpr std::string_view kLatin1Bases =
    "aaaaaa*ceeeeiiii"
    "dnooooo#ouuuuy!*"
    "aaaaaa*ceeeeiiii"
    "dnooooo#ouuuuy!y";
constexpr std::string_view kLatinExtendedABases =
    "aaaaaaccccccccdd"
    "ddeeeeeeeeeegggg"
    "gggghhhhiiiiiiii"
    "ii**jjkkklllllll"
    "lllnnnnnnnnnoooo"
    "oo**rrrrrrssssss"
    "ssttttttuuuuuuuu"
    "uuuuwwyyyzzzzzzs";

bool InRange(char32_t c, char32_t first, char32_t last) { return c >= first && c <= last; }
bool IsOdd(char32_t c) { return (c & 1) != 0; }

char32_t ToUpper(char32_t c) {
  if (c < 0x80)
    return InRange(c, 'a', 'z') ? c - 32 : c;
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7)
    return c - 32;
  if (c == 0xFF)
    return 0x178;
  if (InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177))
    return IsOdd(c) ? c - 1 : c;
  if (InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E))
    return IsOdd(c) ? c : c - 1;
  if (c == 0x131)
    return 'I';
  if (c == 0x17F)
    return 'S';
  if (InRange(c, 0x3B1, 0x3C9))
    return c == 0x3C2 ? 0x3A3 : c - 32;
  if (InRange(c, 0x430, 0x44F))
    return c - 32;
  if (InRange(c, 0x450, 0x45F))
    return c - 80;
  return c;
}

char32_t ToLower(char32_t c) {
  if (c < 0x80)
    return InRange(c, 'A', 'Z') ? c + 32 : c;
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7)
    return c + 32;
  if (c == 0x178)
    return 0xFF;
  if (InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177))
    return IsOdd(c) ? c : c + 1;
  if (InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E))
    return IsOdd(c) ? c + 1 : c;
  if (c == 0x130)
    return 'i';
  if (InRange(c, 0x391, 0x3A9) && c != 0x3A2)
    return c + 32;
  if (InRange(c, 0x410, 0x42F))
    return c + 32;
  if (InRange(c, 0x400, 0x40F))
    return c + 80;
  return c;
}

bool IsUpperLetter(char32_t c) { return ToLower(c) != c; }

// Collation groups, the highest byte of a primary weight.
enum Group : uint32_t { kSymbol = 1, kDigit = 2, kLetter = 3, kOther = 4 };

struct CollationElement {
  uint32_t primary;
  uint32_t secondary;  // 0 = unaccented
  uint8_t tertiary;    // 0 = lower case, 1 = upper case
};

uint32_t Primary(Group group, uint32_t value) { return (static_cast<uint32_t>(group) << 24) | value; }
uint32_t LetterWeight(char letter) { return Primary(kLetter, static_cast<uint32_t>(letter - 'a' + 1)); }

bool IsIgnorable(char32_t c) { return c == '-' || c == '\'' || c == 0xAD; }

// Expansions of the letters that count as two: Æ, ß, Ĳ, Œ.
std::string_view ExpansionOf(char32_t lower) {
  switch (lower) {
    case 0xE6: return "ae";
    case 0xDF: return "ss";
    case 0x133: return "ij";
    case 0x153: return "oe";
    default: return {};
  }
}

void AppendElements(char32_t c, std::vector<CollationElement>& out) {
  const uint8_t tertiary = IsUpperLetter(c) ? 1 : 0;
  const char32_t lower = ToLower(c);
  char base = 0;
  if (InRange(lower, 'a', 'z'))
    base = static_cast<char>(lower);
  else if (InRange(lower, 0xC0, 0xFF))
    base = kLatin1Bases[lower - 0xC0];
  else if (InRange(lower, 0x100, 0x17F))
    base = kLatinExtendedABases[lower - 0x100];

  const bool accented = base != 0 && lower > 0x7F;
  const uint32_t secondary = accented ? lower : 0;
  if (base == '*') {
    for (const char part : ExpansionOf(lower))
      out.push_back({LetterWeight(part), secondary, tertiary});
    return;
  }
  if (base == '!') {
    out.push_back({LetterWeight('z') + 1, 0, tertiary});
    return;
  }
  if (base != 0 && base != '#') {
    out.push_back({LetterWeight(base), secondary, tertiary});
    return;
  }
  if (InRange(c, '0', '9')) {
    out.push_back({Primary(kDigit, c - '0'), 0, 0});
    return;
  }
  const bool letter_like = lower != ToUpper(lower) || c >= 0x370;
  out.push_back({letter_like ? Primary(kOther, lower) : Primary(kSymbol, c), 0, tertiary});
}

std::vector<CollationElement> Elements(std::u16string_view text) {
  std::vector<CollationElement> out;
  out.reserve(text.size());
  size_t position = 0;
  while (position < text.size()) {
    const char32_t c = DecodeUtf16(text, position);
    if (!IsIgnorable(c))
      AppendElements(c, out);
  }
  return out;
}

template <typename Key>
int CompareLevel(const std::vector<CollationElement>& a, const std::vector<CollationElement>& b, Key key) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto left = key(a[i]);
    const auto right = key(b[i]);
    if (left != right)
      return left < right ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::u16string MapCase(std::u16string_view text, char32_t (*map)(char32_t)) {
  std::string utf8;
  utf8.reserve(text.size());
  size_t position = 0;
  while (position < text.size())
    AppendUtf8(utf8, map(DecodeUtf16(text, position)));
  return Utf8ToUtf16(utf8);
}

class TTableLocale final : public TLocale {
 public:
  using TLocale::TLocale;

  std::u16string UpperCase(std::u16string_view text) const override { return MapCase(text, ToUpper); }
  std::u16string LowerCase(std::u16string_view text) const override { return MapCase(text, ToLower); }

  int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const override {
    const auto left = Elements(a);
    const auto right = Elements(b);
    if (int result = CompareLevel(left, right, [](const auto& e) { return e.primary; }))
      return result;
    if (int result = CompareLevel(left, right, [](const auto& e) { return e.secondary; }))
      return result;
    if (mode == TCompareCase::kSensitive) {
      if (int result = CompareLevel(left, right, [](const auto& e) { return e.tertiary; }))
        return result;
    }
    // Equal on every level: the ignored characters decide (fewer first),
    // and last of all the code units, so that only texts that really are
    // the same (up to case, when case is ignored) compare equal.
    const auto ignorables = [](std::u16string_view text) {
      return std::count_if(text.begin(), text.end(), [](char16_t c) { return IsIgnorable(c); });
    };
    const auto left_ignorables = ignorables(a);
    const auto right_ignorables = ignorables(b);
    if (left_ignorables != right_ignorables)
      return left_ignorables < right_ignorables ? -1 : 1;
    const std::u16string left_text = mode == TCompareCase::kIgnore ? LowerCase(a) : std::u16string(a);
    const std::u16string right_text = mode == TCompareCase::kIgnore ? LowerCase(b) : std::u16string(b);
    const int raw = left_text.compare(right_text);
    return (raw > 0) - (raw < 0);
  }
};

}  // namespace

char32_t SimpleUpperCase(char32_t c) { return ToUpper(c); }
char32_t SimpleLowerCase(char32_t c) { return ToLower(c); }

std::unique_ptr<TLocale> CreateTableLocale(std::string_view name) {
  if (name == "de-DE")
    return std::make_unique<TTableLocale>("de-DE", GermanFormatSettings(), TableDateItems(name));
  if (name == "en-US")
    return std::make_unique<TTableLocale>("en-US", EnglishFormatSettings(), TableDateItems(name));
  throw EConvertError("Unknown locale '" + std::string(name) + "'");
}

std::unique_ptr<TLocale> CreateTableLocale(std::string_view name, TLocaleDateItems date_items) {
  const std::unique_ptr<TLocale> table = CreateTableLocale(name);
  return std::make_unique<TTableLocale>(table->Name(), table->Settings(), std::move(date_items));
}
