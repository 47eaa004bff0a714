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

std::u16string ValueText16(const Variant& value) {
  if (value.Type() == varOleStr)
    return std::u16string(value.WideView());
  return Utf8ToUtf16(value.AsString());
}

bool IsTextOrNull(const Variant& value) { return value.IsNull() || VarIsStr(value); }

// The length counts UTF-16 code units of the caption as the reader will
// see it (malformed bytes included).
void AppendCaptionEntry(std::string& text, std::string_view caption) {
  text += IntToStr(static_cast<int64_t>(Utf8ToUtf16(caption).size()));
  text += ':';
  text += caption;
}

void AppendIndexEntry(std::string& text, int32_t index) {
  if (!text.empty())
    text += ',';
  text += IntToStr(index);
}

// The case-insensitive key of a caption: ASCII folds by itself, anything
// else through the user locale.
std::u16string FoldCase(std::u16string_view text) {
  const bool ascii = std::all_of(text.begin(), text.end(), [](char16_t ch) { return ch < 0x80; });
  if (!ascii)
    return UserLocale().UpperCase(text);
  std::u16string folded(text);
  for (char16_t& ch : folded) {
    if (ch >= u'a' && ch <= u'z')
      ch = static_cast<char16_t>(ch - u'a' + u'A');
  }
  return folded;
}

// Reads a decimal number of at least one digit at `pos`, at most
// 2147483647.
bool ReadNumber(std::u16string_view text, size_t& pos, int64_t& number) {
  const size_t start = pos;
  number = 0;
  while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
    number = number * 10 + (text[pos] - u'0');
    if (number > kMaxStoredNumber)
      return false;
    ++pos;
  }
  return pos > start;
}

struct CaptionEntry {
  std::u16string key;      // folded
  std::u16string caption;  // as stored
  TlxCheckBoxState state;
  bool used = false;
};

// Reads the entries of a text value: grayed ones, then, after one ";" at
// the start of an entry, checked ones. `read_entry(pos, state)` reads one
// entry at `pos` and moves past it; false stops with an error.
template <class ReadEntry>
bool ReadGrayedThenChecked(std::u16string_view text, ReadEntry read_entry) {
  TlxCheckBoxState state = cbsGrayed;
  size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != u';') {
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

bool ParseCaptionEntries(std::u16string_view text, std::vector<CaptionEntry>& entries) {
  return ReadGrayedThenChecked(text, [&](size_t& pos, TlxCheckBoxState state) {
    int64_t length = 0;
    if (!ReadNumber(text, pos, length) || pos >= text.size() || text[pos] != u':')
      return false;
    ++pos;
    if (static_cast<uint64_t>(length) > text.size() - pos)
      return false;
    std::u16string caption(text.substr(pos, static_cast<size_t>(length)));
    pos += static_cast<size_t>(length);
    entries.push_back({FoldCase(caption), std::move(caption), state});
    return true;
  });
}

// The first unused entry of `key`: one spelt exactly like `caption` when
// `exact`, else any.
CaptionEntry* FindUnusedEntry(std::vector<CaptionEntry>& entries, const std::u16string& key,
                              const std::u16string& caption, bool exact) {
  auto it = std::lower_bound(entries.begin(), entries.end(), key,
                             [](const CaptionEntry& entry, const std::u16string& k) { return entry.key < k; });
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
  const std::u16string text = ValueText16(value);
  std::vector<CaptionEntry> entries;
  if (!ParseCaptionEntries(text, entries))
    return false;
  if (entries.empty())
    return true;
  std::sort(entries.begin(), entries.end(), [](const CaptionEntry& a, const CaptionEntry& b) {
    if (a.key != b.key)
      return a.key < b.key;
    return a.caption < b.caption;
  });
  std::vector<std::u16string> captions(states.size());
  std::vector<std::u16string> keys(states.size());
  std::vector<bool> matched(states.size(), false);
  size_t unused = entries.size();
  for (const bool exact : {true, false}) {
    for (size_t i = 0; i < states.size() && unused > 0; ++i) {
      if (matched[i])
        continue;
      if (exact) {
        captions[i] = Utf8ToUtf16(items.GetCheckItemCaption(static_cast<int32_t>(i)));
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
  const std::u16string text = ValueText16(value);
  return ReadGrayedThenChecked(text, [&](size_t& pos, TlxCheckBoxState state) {
    int64_t index = 0;
    if (!ReadNumber(text, pos, index) || index >= static_cast<int64_t>(states.size()))
      return false;
    states[static_cast<size_t>(index)] = state;
    if (pos < text.size() && text[pos] == u',')
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
