#include "platform/rtl/text.h"

#include <algorithm>

#include "platform/rtl/locale.h"

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsContinuationByte(uint8_t byte) { return (byte & 0xC0) == 0x80; }

// Accepted range of the second byte of a sequence, which rules out overlong
// forms, UTF-16 surrogates and values past U+10FFFF (the table of well-formed
// byte sequences in the Unicode standard).
struct LeadInfo {
  int length;
  uint8_t second_min;
  uint8_t second_max;
};

LeadInfo ClassifyLead(uint8_t lead) {
  if (lead < 0x80)
    return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF)
    return {2, 0x80, 0xBF};
  if (lead == 0xE0)
    return {3, 0xA0, 0xBF};
  if (lead == 0xED)
    return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF)
    return {3, 0x80, 0xBF};
  if (lead == 0xF0)
    return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3)
    return {4, 0x80, 0xBF};
  if (lead == 0xF4)
    return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

void AppendUtf16(std::u16string& out, char32_t code_point) {
  if (code_point < 0x10000) {
    out.push_back(static_cast<char16_t>(code_point));
    return;
  }
  code_point -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int Sign(int value) { return (value > 0) - (value < 0); }

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& position) {
  const auto byte_at = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte_at(position);
  const LeadInfo info = ClassifyLead(lead);
  if (info.length == 1) {
    ++position;
    return lead;
  }
  if (info.length == 0) {
    ++position;
    return kReplacementCharacter;
  }
  // A broken sequence yields one U+FFFD for its longest valid prefix, and
  // decoding resumes at the first byte that does not fit.
  size_t next = position + 1;
  if (next >= text.size() || byte_at(next) < info.second_min || byte_at(next) > info.second_max) {
    position = next;
    return kReplacementCharacter;
  }
  char32_t code_point = lead & (0xFF >> (info.length + 1));
  for (int i = 1; i < info.length; ++i, ++next) {
    if (next >= text.size() || (i > 1 && !IsContinuationByte(byte_at(next)))) {
      position = next;
      return kReplacementCharacter;
    }
    code_point = (code_point << 6) | (byte_at(next) & 0x3F);
  }
  position = next;
  return code_point;
}

char32_t DecodeUtf16(std::u16string_view text, size_t& position) {
  const char16_t unit = text[position++];
  if (unit < 0xD800 || unit > 0xDFFF)
    return unit;
  if (unit >= 0xDC00 || position >= text.size())
    return kReplacementCharacter;
  const char16_t low = text[position];
  if (low < 0xDC00 || low > 0xDFFF)
    return kReplacementCharacter;
  ++position;
  return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00);
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    code_point = kReplacementCharacter;
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  size_t position = 0;
  while (position < text.size())
    AppendUtf16(out, DecodeUtf8(text, position));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t position = 0;
  while (position < text.size())
    AppendUtf8(out, DecodeUtf16(text, position));
  return out;
}

bool IsValidUtf8(std::string_view text) {
  size_t position = 0;
  while (position < text.size()) {
    const size_t start = position;
    const char32_t code_point = DecodeUtf8(text, position);
    // A genuine U+FFFD in the input is three bytes long; a replacement for
    // a broken sequence never is (it stops at the first misfit byte).
    if (code_point == kReplacementCharacter && position - start != 3)
      return false;
  }
  return true;
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  size_t position = 0;
  while (position < text.size()) {
    DecodeUtf8(text, position);
    ++count;
  }
  return count;
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiUpper);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), AsciiLower);
  return out;
}

int CompareStr(std::string_view a, std::string_view b) { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto left = static_cast<uint8_t>(AsciiUpper(a[i]));
    const auto right = static_cast<uint8_t>(AsciiUpper(b[i]));
    if (left != right)
      return left < right ? -1 : 1;
  }
  return Sign(static_cast<int>(a.size() > b.size()) - static_cast<int>(a.size() < b.size()));
}

bool SameText(std::string_view a, std::string_view b) { return CompareText(a, b) == 0; }

std::string AnsiUpperCase(std::string_view text) {
  return Utf16ToUtf8(UserLocale().UpperCase(Utf8ToUtf16(text)));
}

std::string AnsiLowerCase(std::string_view text) {
  return Utf16ToUtf8(UserLocale().LowerCase(Utf8ToUtf16(text)));
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
  return UserLocale().Compare(Utf8ToUtf16(a), Utf8ToUtf16(b), TCompareCase::kSensitive);
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  return UserLocale().Compare(Utf8ToUtf16(a), Utf8ToUtf16(b), TCompareCase::kIgnore);
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  return a == b || AnsiCompareText(a, b) == 0;
}

bool AnsiSameStr(std::string_view a, std::string_view b) {
  return a == b || AnsiCompareStr(a, b) == 0;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ')
    text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
    text.remove_suffix(1);
  return text;
}
