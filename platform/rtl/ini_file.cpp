#include "platform/rtl/ini_file.h"

#include <limits>
#include <utility>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/file_attributes.h"
#include "platform/rtl/file_stream.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

// Decimal, "$" or "0x" hexadecimal, with an optional sign; false for
// anything else or a value outside 32 bits.
bool ParseInteger(std::string_view text, int32_t& value) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with("$")) {
    base = 16;
    text.remove_prefix(1);
  } else if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty())
    return false;
  int64_t magnitude = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0)
      return false;
    magnitude = magnitude * base + digit;
    if (magnitude > (int64_t{1} << 32))
      return false;
  }
  // Hexadecimal values may spell a negative number in two's complement.
  if (base == 16 && !negative && magnitude <= 0xFFFFFFFF) {
    value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
    return true;
  }
  const int64_t signed_value = negative ? -magnitude : magnitude;
  if (signed_value < std::numeric_limits<int32_t>::min() || signed_value > std::numeric_limits<int32_t>::max())
    return false;
  value = static_cast<int32_t>(signed_value);
  return true;
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Why the file could not hold the write so that it reads back the same; null
// when it can. Names come trimmed.
const char* UnstorableWrite(std::string_view section, std::string_view ident, std::string_view value) {
  if (HasLineBreak(section) || HasLineBreak(ident) || HasLineBreak(value))
    return "a line break";
  if (ident.find('=') != std::string_view::npos)
    return "a key name with \"=\"";
  if (ident.starts_with(';'))
    return "a key name that starts with \";\"";
  const bool reads_as_header =
      ident.starts_with('[') && (ident.find(']') != std::string_view::npos || value.find(']') != std::string_view::npos);
  if (reads_as_header)
    return "a key line that reads as a section header";
  return nullptr;
}

}  // namespace

TMemIniFile::TMemIniFile(std::string file_name) : file_name_(std::move(file_name)) { LoadFromFile(); }

TMemIniFile::~TMemIniFile() = default;

std::string TMemIniFile::Fold(std::string_view name) { return AnsiUpperCase(TrimBlanks(name)); }

const std::vector<TMemIniFile::SectionIterator>* TMemIniFile::FindCopies(std::string_view name) const {
  auto it = section_index_.find(Fold(name));
  return it == section_index_.end() ? nullptr : &it->second;
}

TMemIniFile::Section& TMemIniFile::FindOrAddSection(std::string_view name) {
  if (const auto* copies = FindCopies(name))
    return *copies->front();
  return AddSectionCopy(TrimBlanks(name), {});
}

TMemIniFile::Section& TMemIniFile::AddSectionCopy(std::string_view name, std::string_view header_tail) {
  sections_.push_back(Section{std::string(name), std::string(header_tail), {}, {}});
  section_index_[Fold(name)].push_back(std::prev(sections_.end()));
  return sections_.back();
}

bool TMemIniFile::FindKey(std::string_view section, std::string_view ident, KeyPlace& place) const {
  const auto* copies = FindCopies(section);
  if (copies == nullptr)
    return false;
  const std::string key = Fold(ident);
  for (SectionIterator copy : *copies) {
    auto it = copy->keys.find(key);
    if (it != copy->keys.end()) {
      place = KeyPlace{&*copy, it->second};
      return true;
    }
  }
  return false;
}

const TMemIniFile::Line* TMemIniFile::FindKeyLine(std::string_view section, std::string_view ident) const {
  KeyPlace place{};
  return FindKey(section, ident, place) ? &*place.line : nullptr;
}

void TMemIniFile::AddLine(Section& section, Line line) {
  section.lines.push_back(std::move(line));
  const Line& added = section.lines.back();
  if (added.kind == LineKind::kKey)
    section.keys.emplace(Fold(added.name), std::prev(section.lines.end()));
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view default_value) const {
  const Line* line = FindKeyLine(section, ident);
  return line == nullptr ? std::string(default_value) : line->value;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
  section = TrimBlanks(section);
  ident = TrimBlanks(ident);
  // The file could not give blanks around the value back.
  value = TrimBlanks(value);
  if (const char* reason = UnstorableWrite(section, ident, value)) {
    throw EInvalidArgument("An INI file cannot hold " + std::string(reason) + " (section \"" + std::string(section) +
                           "\", key \"" + std::string(ident) + "\").");
  }
  KeyPlace place{};
  if (FindKey(section, ident, place)) {
    place.line->name = std::string(ident);
    place.line->value = std::string(value);
    return;
  }
  AddLine(FindOrAddSection(section), Line{LineKind::kKey, std::string(ident), std::string(value)});
}

int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t default_value) const {
  const Line* line = FindKeyLine(section, ident);
  int32_t value = 0;
  return line != nullptr && ParseInteger(line->value, value) ? value : default_value;
}

void TMemIniFile::WriteInteger(std::string_view section, std::string_view ident, int32_t value) {
  WriteString(section, ident, std::to_string(value));
}

bool TMemIniFile::ReadBool(std::string_view section, std::string_view ident, bool default_value) const {
  return ReadInteger(section, ident, default_value ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

bool TMemIniFile::SectionExists(std::string_view section) const { return FindCopies(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  return FindKeyLine(section, ident) != nullptr;
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& keys) const {
  TUpdateScope update(keys);
  keys.Clear();
  const auto* copies = FindCopies(section);
  if (copies == nullptr)
    return;
  for (SectionIterator copy : *copies) {
    for (const Line& line : copy->lines) {
      if (line.kind == LineKind::kKey)
        keys.Add(line.name);
    }
  }
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  TUpdateScope update(sections);
  sections.Clear();
  for (const Section& section : sections_) {
    const bool first_copy = &*FindCopies(section.name)->front() == &section;
    if (first_copy)
      sections.Add(section.name);
  }
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& lines) const {
  TUpdateScope update(lines);
  lines.Clear();
  const auto* copies = FindCopies(section);
  if (copies == nullptr)
    return;
  for (SectionIterator copy : *copies) {
    for (const Line& line : copy->lines) {
      if (line.kind == LineKind::kKey)
        lines.Add(line.name + "=" + line.value);
      else if (line.kind == LineKind::kRaw)
        lines.Add(line.value);
    }
  }
}

void TMemIniFile::EraseSection(std::string_view section) {
  auto it = section_index_.find(Fold(section));
  if (it == section_index_.end())
    return;
  for (SectionIterator copy : it->second)
    sections_.erase(copy);
  section_index_.erase(it);
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  KeyPlace place{};
  if (!FindKey(section, ident, place))
    return;
  Section& copy = *place.section;
  const std::string key = Fold(ident);
  auto next = copy.lines.erase(place.line);
  copy.keys.erase(key);
  // A later line with the same key in this copy now counts here.
  for (; next != copy.lines.end(); ++next) {
    if (next->kind == LineKind::kKey && Fold(next->name) == key) {
      copy.keys.emplace(key, next);
      break;
    }
  }
}

void TMemIniFile::Clear() {
  leading_lines_.clear();
  sections_.clear();
  section_index_.clear();
}

void TMemIniFile::ParseLine(std::string_view line, Section*& current) {
  line = TrimBlanks(line);
  if (line.empty())
    return;
  if (line.front() == '[') {
    const size_t close = line.rfind(']');
    if (close != std::string_view::npos) {
      current = &AddSectionCopy(TrimBlanks(line.substr(1, close - 1)), line.substr(close + 1));
      return;
    }
  }
  if (current == nullptr) {
    leading_lines_.emplace_back(line);
    return;
  }
  if (line.front() == ';') {
    AddLine(*current, Line{LineKind::kComment, {}, std::string(line)});
    return;
  }
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    AddLine(*current, Line{LineKind::kRaw, {}, std::string(line)});
    return;
  }
  AddLine(*current, Line{LineKind::kKey, std::string(TrimBlanks(line.substr(0, equals))),
                         std::string(TrimBlanks(line.substr(equals + 1)))});
}

// Lines end at CR LF, LF or a lone CR, as editors of every system leave them.
void TMemIniFile::ParseText(std::string_view text) {
  Clear();
  Section* current = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      ParseLine(text.substr(start), current);
      return;
    }
    ParseLine(text.substr(start, end - start), current);
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
}

void TMemIniFile::SetStrings(const TStrings& lines) {
  Clear();
  Section* current = nullptr;
  const int32_t count = lines.Count();
  for (int32_t i = 0; i < count; ++i)
    ParseLine(lines.Get(i), current);
}

void TMemIniFile::GetStrings(TStrings& lines) const { lines.SetText(Text()); }

std::string TMemIniFile::Text() const {
  std::string text;
  const auto add = [&text](std::string_view a, std::string_view b = {}, std::string_view c = {},
                           std::string_view d = {}) { text.append(a).append(b).append(c).append(d).append("\r\n"); };
  for (const std::string& line : leading_lines_)
    add(line);
  for (const Section& section : sections_) {
    add("[", section.name, "]", section.header_tail);
    for (const Line& line : section.lines) {
      if (line.kind == LineKind::kKey)
        add(line.name, "=", line.value);
      else
        add(line.value);
    }
    add("");
  }
  return text;
}

void TMemIniFile::UpdateFile() {
  if (file_name_.empty())
    return;
  // Replacing would clear the mark and the user's wish with it.
  if (FileIsReadOnly(file_name_))
    throw EFCreateError("Cannot create file \"" + file_name_ + "\". The file is read-only.");
  TIniEncoding encoding = encoding_;
  const std::string bytes = EncodeIniText(Text(), encoding);
  WriteFileAtomically(file_name_, bytes);
  encoding_ = encoding;
  // Under the Windows emulation a read-only file left in the helper file's
  // place is written over and hands its mark on; the file was not marked.
  if (FileIsReadOnly(file_name_))
    SetFileReadOnly(file_name_, false);
}

void TMemIniFile::SaveToStream(TStream& stream) {
  TIniEncoding encoding = encoding_;
  const std::string bytes = EncodeIniText(Text(), encoding);
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  encoding_ = encoding;
}

void TMemIniFile::LoadFromStream(TStream& stream) {
  std::string bytes(static_cast<size_t>(stream.Remaining()), '\0');
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  ParseText(DecodeIniBytes(bytes, encoding_));
}

void TMemIniFile::Rename(std::string file_name, bool reload) {
  file_name_ = std::move(file_name);
  if (reload)
    LoadFromFile();
}

void TMemIniFile::LoadFromFile() {
  Clear();
  encoding_ = TIniEncoding::kUtf8;
  if (file_name_.empty() || !FileExists(file_name_))
    return;
  TFileStream file(file_name_, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}
