#include "platform/rtl/strings.h"

#include "platform/rtl/file_stream.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Decodes UTF-16 bytes (little- or big-endian) into UTF-8.
std::string Utf16BytesToUtf8(std::string_view bytes, bool big_endian) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    units[i] = static_cast<char16_t>(big_endian ? (first << 8) | second : (second << 8) | first);
  }
  return Utf16ToUtf8(units);
}

}  // namespace

void TStrings::Put(int32_t index, const std::string& text) {
  const uintptr_t slot = GetSlot(index);
  Delete(index);
  Insert(index, text);
  PutSlot(index, slot);
}

uintptr_t TStrings::GetSlot(int32_t) const { return 0; }

void TStrings::PutSlot(int32_t, uintptr_t) {}

int32_t TStrings::Add(const std::string& text) {
  const int32_t index = Count();
  Insert(index, text);
  return index;
}

int32_t TStrings::AddObject(const std::string& text, TObject* object) {
  const int32_t index = Add(text);
  PutObject(index, object);
  return index;
}

int32_t TStrings::AddData(const std::string& text, intptr_t value) {
  const int32_t index = Add(text);
  PutData(index, value);
  return index;
}

void TStrings::InsertObject(int32_t index, const std::string& text, TObject* object) {
  Insert(index, text);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& source) {
  TUpdateScope update(*this);
  const int32_t count = source.Count();
  for (int32_t i = 0; i < count; ++i)
    PutSlot(Add(source.Get(i)), source.GetSlot(i));
}

void TStrings::Move(int32_t current_index, int32_t new_index) {
  if (current_index == new_index)
    return;
  TUpdateScope update(*this);
  const std::string text = Get(current_index);
  const uintptr_t slot = GetSlot(current_index);
  // The slot is cleared first so that an owning list does not free the
  // object it is moving.
  PutSlot(current_index, 0);
  Delete(current_index);
  Insert(new_index, text);
  PutSlot(new_index, slot);
}

void TStrings::Exchange(int32_t index1, int32_t index2) {
  TUpdateScope update(*this);
  const std::string text = Get(index1);
  const uintptr_t slot = GetSlot(index1);
  Put(index1, Get(index2));
  PutSlot(index1, GetSlot(index2));
  Put(index2, text);
  PutSlot(index2, slot);
}

int32_t TStrings::IndexOf(std::string_view text) const {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) {
    if (CompareStrings(Get(i), text) == 0)
      return i;
  }
  return -1;
}

int32_t TStrings::IndexOfName(std::string_view name) const {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) {
    const std::string line = Get(i);
    const size_t separator = line.find(name_value_separator_);
    if (separator != std::string::npos && CompareStrings(std::string_view(line).substr(0, separator), name) == 0)
      return i;
  }
  return -1;
}

int32_t TStrings::IndexOfObject(const TObject* object) const {
  const int32_t count = Count();
  for (int32_t i = 0; i < count; ++i) {
    if (Objects(i) == object)
      return i;
  }
  return -1;
}

std::string TStrings::Names(int32_t index) const {
  const std::string line = Get(index);
  const size_t separator = line.find(name_value_separator_);
  return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::Values(std::string_view name) const {
  const int32_t index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValues(std::string_view name, std::string_view value) {
  int32_t index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0)
      Delete(index);
    return;
  }
  std::string line = std::string(name) + name_value_separator_ + std::string(value);
  if (index < 0)
    Add(line);
  else
    Put(index, line);
}

std::string TStrings::ValueFromIndex(int32_t index) const {
  const std::string line = Get(index);
  const size_t separator = line.find(name_value_separator_);
  return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int32_t index, std::string_view value) {
  if (value.empty()) {
    Delete(index);
    return;
  }
  Put(index, Names(index) + name_value_separator_ + std::string(value));
}

std::string TStrings::Text() const {
  const int32_t count = Count();
  std::string text;
  for (int32_t i = 0; i < count; ++i) {
    text += Get(i);
    text += line_break_;
  }
  return text;
}

void TStrings::SetText(std::string_view text) {
  TUpdateScope update(*this);
  Clear();
  size_t position = 0;
  while (position < text.size()) {
    const size_t end = text.find_first_of("\r\n", position);
    if (end == std::string_view::npos) {
      Add(std::string(text.substr(position)));
      break;
    }
    Add(std::string(text.substr(position, end - position)));
    position = end + 1;
    if (text[end] == '\r' && position < text.size() && text[position] == '\n')
      ++position;
  }
}

std::string TStrings::DelimitedText() const { return JoinDelimited(delimiter_, quote_char_, strict_delimiter_); }

void TStrings::SetDelimitedText(std::string_view text) {
  SplitDelimited(text, delimiter_, quote_char_, strict_delimiter_);
}

std::string TStrings::CommaText() const { return JoinDelimited(',', '"', false); }

void TStrings::SetCommaText(std::string_view text) { SplitDelimited(text, ',', '"', false); }

std::string TStrings::JoinDelimited(char delimiter, char quote, bool strict_delimiter) const {
  const auto separator_free = [&](std::string_view line) {
    for (char c : line) {
      if (c == delimiter || c == quote || (!strict_delimiter && IsBlankOrControl(c)))
        return false;
    }
    return true;
  };
  const int32_t count = Count();
  if (count == 1 && Get(0).empty())
    return std::string(2, quote);
  std::string text;
  for (int32_t i = 0; i < count; ++i) {
    if (i > 0)
      text += delimiter;
    const std::string line = Get(i);
    if (separator_free(line)) {
      text += line;
      continue;
    }
    text += quote;
    for (char c : line) {
      text += c;
      if (c == quote)
        text += c;
    }
    text += quote;
  }
  return text;
}

void TStrings::SplitDelimited(std::string_view text, char delimiter, char quote, bool strict_delimiter) {
  const auto skip_blanks = [&](size_t& p) {
    while (!strict_delimiter && p < text.size() && IsBlankOrControl(text[p]))
      ++p;
  };
  TUpdateScope update(*this);
  Clear();
  size_t p = 0;
  skip_blanks(p);
  while (p < text.size()) {
    std::string item;
    if (text[p] == quote) {
      ++p;
      while (p < text.size()) {
        if (text[p] == quote) {
          if (p + 1 < text.size() && text[p + 1] == quote) {
            item += quote;
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      const size_t start = p;
      while (p < text.size() && text[p] != delimiter && (strict_delimiter || !IsBlankOrControl(text[p])))
        ++p;
      item.assign(text.substr(start, p - start));
    }
    Add(item);
    skip_blanks(p);
    if (p < text.size() && text[p] == delimiter) {
      if (p + 1 == text.size())
        Add(std::string());
      ++p;
      skip_blanks(p);
    }
  }
}

void TStrings::BeginUpdate() {
  update_batch_.Begin([this] { SetUpdateState(true); });
}

void TStrings::EndUpdate() {
  update_batch_.End([this] { SetUpdateState(false); });
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromStream(TStream& stream) {
  std::string bytes(static_cast<size_t>(stream.Remaining()), '\0');
  bytes.resize(static_cast<size_t>(stream.Read(bytes.data(), static_cast<int64_t>(bytes.size()))));
  std::string_view view = bytes;
  utf8_bom_ = view.starts_with(kUtf8Bom);
  if (utf8_bom_) {
    view.remove_prefix(kUtf8Bom.size());
  } else if (view.starts_with("\xFF\xFE") || view.starts_with("\xFE\xFF")) {
    const bool big_endian = view[0] == '\xFE';
    SetText(Utf16BytesToUtf8(view.substr(2), big_endian));
    return;
  }
  SetText(view);
}

void TStrings::SaveToStream(TStream& stream) const {
  if (utf8_bom_)
    stream.WriteBuffer(kUtf8Bom.data(), static_cast<int64_t>(kUtf8Bom.size()));
  const std::string text = Text();
  stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStrings::LoadFromFile(const std::string& file_name) {
  TFileStream file(file_name, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

void TStrings::SaveToFile(const std::string& file_name) const {
  TFileStream file(file_name, fmCreate);
  SaveToStream(file);
}

void TStrings::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TStrings*>(source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this)
    return;
  TUpdateScope update(*this);
  Clear();
  AddStrings(*other);
}

bool TStrings::Equals(const TStrings& other) const {
  const int32_t count = Count();
  if (count != other.Count())
    return false;
  for (int32_t i = 0; i < count; ++i) {
    if (Get(i) != other.Get(i))
      return false;
  }
  return true;
}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const { return AnsiCompareText(a, b); }
