#include "editors/kinds/check_states.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

constexpr int32_t kMaxBits = 64;
constexpr int64_t kMaxStoredNumber = std::numeric_limits<int32_t>::max();

// Values are read as UTF-8; a wide value is converted first.
std::string ValueText(const Variant& value) {
  if (value.Type() == varOleStr)
    return Utf16ToUtf8(value.WideView());
  return value.AsString();
}

bool IsTextOrNull(const Variant& value) { return value.IsNull() || VarIsStr(value); }

bool IsContinuation(char ch) { return (static_cast<uint8_t>(ch) & 0xC0) == 0x80; }

// The bytes of the character at `pos`: a well-formed sequence whole, any
// other byte alone.
size_t SequenceLength(std::string_view text, size_t pos) {
  const auto lead = static_cast<uint8_t>(text[pos]);
  size_t length = 1;
  if (lead >= 0xC0 && lead < 0xE0)
    length = 2;
  else if (lead >= 0xE0 && lead < 0xF0)
    length = 3;
  else if (lead >= 0xF0 && lead < 0xF8)
    length = 4;
  if (length > text.size() - pos)
    return 1;
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuation(text[pos + i]))
      return 1;
  }
  return length;
}

// A caption's length counts UTF-16 code units: two for a four-byte
// character, one for every other character or stray byte. Writer and
// reader count alike.
size_t Utf16Units(std::string_view text) {
  size_t units = 0;
  for (size_t pos = 0; pos < text.size();) {
    const size_t length = SequenceLength(text, pos);
    units += length == 4 ? 2 : 1;
    pos += length;
  }
  return units;
}

// The bytes that hold `units` UTF-16 code units from `pos`; npos when the
// text ends first or a unit would be split.
size_t BytesOfUnits(std::string_view text, size_t pos, uint64_t units) {
  const size_t start = pos;
  while (units > 0) {
    if (pos >= text.size())
      return std::string_view::npos;
    const size_t length = SequenceLength(text, pos);
    const uint64_t taken = length == 4 ? 2 : 1;
    if (taken > units)
      return std::string_view::npos;
    units -= taken;
    pos += length;
  }
  return pos - start;
}

void AppendCaptionEntry(std::string& text, std::string_view caption) {
  text += IntToStr(static_cast<int64_t>(Utf16Units(caption)));
  text += ':';
  text += caption;
}

void AppendIndexEntry(std::string& text, int32_t index) {
  if (!text.empty())
    text += ',';
  text += IntToStr(index);
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<uint8_t>(ch) < 0x80; });
}

// The case-insensitive key of a caption: ASCII letters upper-cased here,
// captions with other characters folded by the user locale.
std::string FoldCase(std::string_view caption) {
  if (!IsAscii(caption))
    return Utf16ToUtf8(UserLocale().UpperCase(Utf8ToUtf16(caption)));
  std::string key(caption);
  for (char& ch : key) {
    if (ch >= 'a' && ch <= 'z')
      ch = static_cast<char>(ch - 'a' + 'A');
  }
  return key;
}

// Reads a decimal number of at least one digit at `pos`, at most
// 2147483647.
bool ReadNumber(std::string_view text, size_t& pos, int64_t& number) {
  const size_t start = pos;
  number = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    number = number * 10 + (text[pos] - '0');
    if (number > kMaxStoredNumber)
      return false;
    ++pos;
  }
  return pos > start;
}

struct CaptionEntry {
  std::string key;
  std::string_view caption;  // in the value's text
  TlxCheckBoxState state;
  bool used = false;
};

// Reads the entries of a text value: grayed ones, then, after one ";" at
// the start of an entry, checked ones. `read_entry(pos, state)` reads one
// entry at `pos` and moves past it; false stops with an error.
template <class ReadEntry>
bool ReadGrayedThenChecked(std::string_view text, ReadEntry read_entry) {
  TlxCheckBoxState state = cbsGrayed;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != ';') {
      if (!read_entry(pos, state))
        return false;
      continue;
    }
    if (state == cbsChecked)
      return false;
    state = cbsChecked;
    ++pos;
  }
  return true;
}

bool ParseCaptionEntries(std::string_view text, std::vector<CaptionEntry>& entries) {
  return ReadGrayedThenChecked(text, [&](size_t& pos, TlxCheckBoxState state) {
    int64_t length = 0;
    if (!ReadNumber(text, pos, length) || pos >= text.size() || text[pos] != ':')
      return false;
    ++pos;
    const size_t bytes = BytesOfUnits(text, pos, static_cast<uint64_t>(length));
    if (bytes == std::string_view::npos)
      return false;
    const std::string_view caption = text.substr(pos, bytes);
    pos += bytes;
    entries.push_back({FoldCase(caption), caption, state});
    return true;
  });
}

// The first unused entry of `key`: one spelt exactly like `caption` when
// `exact`, else any.
CaptionEntry* FindUnusedEntry(std::vector<CaptionEntry>& entries, std::string_view key, std::string_view caption,
                              bool exact) {
  auto it = std::lower_bound(entries.begin(), entries.end(), key,
                             [](const CaptionEntry& entry, std::string_view k) { return entry.key < k; });
  for (; it != entries.end() && it->key == key; ++it) {
    if (!it->used && (!exact || it->caption == caption))
      return &*it;
  }
  return nullptr;
}

// Items take the stored entries of their own captions: first every entry
// spelt exactly alike, so that captions differing only in case keep their
// own states, then the entries equal but for case.
bool CaptionsToStates(const Variant& value, const IlxCheckStateItemSource& items, TlxCheckStates& states) {
  if (!IsTextOrNull(value))
    return false;
  if (value.IsNull())
    return true;
  const std::string text = ValueText(value);
  std::vector<CaptionEntry> entries;
  if (!ParseCaptionEntries(text, entries))
    return false;
  if (entries.empty())
    return true;
  std::sort(entries.begin(), entries.end(), [](const CaptionEntry& a, const CaptionEntry& b) {
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.caption < b.caption;
  });
  std::vector<std::string> captions(states.size());
  std::vector<std::string> keys(states.size());
  std::vector<bool> matched(states.size(), false);
  size_t unused = entries.size();
  for (const bool exact : {true, false}) {
    for (size_t i = 0; i < states.size() && unused > 0; ++i) {
      if (matched[i])
        continue;
      if (exact) {
        captions[i] = items.GetCheckItemCaption(static_cast<int32_t>(i));
        keys[i] = FoldCase(captions[i]);
      }
      CaptionEntry* match = FindUnusedEntry(entries, keys[i], captions[i], exact);
      if (match == nullptr)
        continue;
      match->used = true;
      --unused;
      matched[i] = true;
      states[i] = match->state;
    }
  }
  return unused == 0;
}

bool IndicesToStates(const Variant& value, TlxCheckStates& states) {
  if (!IsTextOrNull(value))
    return false;
  if (value.IsNull())
    return true;
  const std::string text = ValueText(value);
  return ReadGrayedThenChecked(text, [&](size_t& pos, TlxCheckBoxState state) {
    int64_t index = 0;
    if (!ReadNumber(text, pos, index) || index >= static_cast<int64_t>(states.size()))
      return false;
    states[static_cast<size_t>(index)] = state;
    if (pos < text.size() && text[pos] == ',')
      ++pos;
    return true;
  });
}

bool ValueToBits(const Variant& value, uint64_t& bits) {
  if (value.IsNull()) {
    bits = 0;
    return true;
  }
  if (VarIsStr(value)) {
    int64_t number = 0;
    if (!TryStrToInt64(value.AsString(), number))
      return false;
    bits = static_cast<uint64_t>(number);
    return true;
  }
  if (!lxVariantIsNumeric(value) && !lxVariantIsDateTime(value))
    return false;
  try {
    bits = static_cast<uint64_t>(value.AsInt64());
  } catch (const EVariantError&) {
    return false;
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

bool IntegerToStates(const Variant& value, TlxCheckStates& states) {
  uint64_t bits = 0;
  if (!ValueToBits(value, bits))
    return false;
  const size_t represented = std::min<size_t>(states.size(), kMaxBits);
  for (size_t i = 0; i < represented; ++i)
    states[i] = ((bits >> i) & 1u) != 0 ? cbsChecked : cbsUnchecked;
  return true;
}

bool StatesStringToStates(const Variant& value, TlxCheckStates& states) {
  if (!IsTextOrNull(value))
    return false;
  if (value.IsNull())
    return true;
  const std::string text = value.AsString();
  const size_t count = std::min(text.size(), states.size());
  for (size_t i = 0; i < count; ++i) {
    if (text[i] < '0' || text[i] > '2')
      return false;
    states[i] = static_cast<TlxCheckBoxState>(text[i] - '0');
  }
  return true;
}

Variant CaptionsValue(const TlxCheckStates& states, const IlxCheckStateItemSource& items) {
  std::string grayed;
  std::string checked;
  for (size_t i = 0; i < states.size(); ++i) {
    if (states[i] == cbsUnchecked)
      continue;
    AppendCaptionEntry(states[i] == cbsChecked ? checked : grayed,
                       items.GetCheckItemCaption(static_cast<int32_t>(i)));
  }
  if (!checked.empty()) {
    grayed += ';';
    grayed += checked;
  }
  return Variant(grayed);
}

Variant IndicesValue(const TlxCheckStates& states) {
  std::string grayed;
  std::string checked;
  for (size_t i = 0; i < states.size(); ++i) {
    if (states[i] == cbsGrayed)
      AppendIndexEntry(grayed, static_cast<int32_t>(i));
    else if (states[i] == cbsChecked)
      AppendIndexEntry(checked, static_cast<int32_t>(i));
  }
  if (!checked.empty())
    grayed += ';' + checked;
  return Variant(grayed);
}

Variant IntegerValue(const TlxCheckStates& states) {
  uint64_t bits = 0;
  const size_t represented = std::min<size_t>(states.size(), kMaxBits);
  for (size_t i = represented; i-- > 0;)
    bits = (bits << 1) | (states[i] == cbsChecked ? 1u : 0u);
  return Variant(static_cast<int64_t>(bits));
}

Variant StatesStringValue(const TlxCheckStates& states) {
  std::string text;
  text.reserve(states.size());
  for (TlxCheckBoxState state : states)
    text += static_cast<char>('0' + state);
  return Variant(text);
}

}  // namespace

Variant lxCheckStatesToValue(const TlxCheckStates& states, const IlxCheckStateItemSource& items,
                             TlxCheckStatesValueFormat format) {
  switch (format) {
    case cvfCaptions:
      return CaptionsValue(states, items);
    case cvfIndices:
      return IndicesValue(states);
    case cvfInteger:
      return IntegerValue(states);
    case cvfStatesString:
      return StatesStringValue(states);
  }
  return Variant::Null();
}

bool lxValueToCheckStates(const Variant& value, const IlxCheckStateItemSource& items,
                          TlxCheckStatesValueFormat format, TlxCheckStates& states) {
  states.assign(static_cast<size_t>(std::max(0, items.GetCheckItemCount())), cbsUnchecked);
  bool ok = false;
  switch (format) {
    case cvfCaptions:
      ok = CaptionsToStates(value, items, states);
      break;
    case cvfIndices:
      ok = IndicesToStates(value, states);
      break;
    case cvfInteger:
      ok = IntegerToStates(value, states);
      break;
    case cvfStatesString:
      ok = StatesStringToStates(value, states);
      break;
  }
  if (!ok)
    std::fill(states.begin(), states.end(), cbsUnchecked);
  return ok;
}

bool lxIsValueNullOrEmpty(const Variant& value) { return value.IsNull() || value.IsEmpty(); }

bool lxIsValidIntegerText(std::string_view text) {
  const std::string_view trimmed = TrimBlanks(text);
  int64_t number = 0;
  return !trimmed.empty() && TryStrToInt64(trimmed, number);
}

bool lxIsValidFloatText(std::string_view text) { return lxIsValidFloatText(text, UserLocale().Settings()); }

bool lxIsValidFloatText(std::string_view text, const TFormatSettings& settings) {
  const std::string_view trimmed = TrimBlanks(text);
  if (trimmed.empty())
    return false;
  bool has_digit = false;
  bool has_separator = false;
  for (size_t i = 0; i < trimmed.size(); ++i) {
    const char ch = trimmed[i];
    if (ch >= '0' && ch <= '9') {
      has_digit = true;
    } else if (ch == settings.DecimalSeparator && !has_separator) {
      has_separator = true;
    } else if (!(ch == '-' && i == 0)) {
      return false;
    }
  }
  double number = 0;
  if (!has_digit || !TryStrToFloat(trimmed, number, settings))
    return false;
  return std::isfinite(number) && std::fabs(number) <= 1.7e308;
}

TlxCheckStates& lxCheckStatesBuffer() {
  static TlxCheckStates buffer;
  return buffer;
}

void lxClearCheckStatesBuffer() { TlxCheckStates().swap(lxCheckStatesBuffer()); }
