#include "platform/rtl/ini_file.h"

#include <limits>
#include <utility>

#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
  const auto is_blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && is_blank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back()))
    text.remove_suffix(1);
  return text;
}

// Decimal, "$" or "0x" hexadecimal, with an optional sign; false for
// anything else or a value outside 32 bits.
bool ParseInteger(std::string_view text, int32_t& value) {
  text = Trim(text);
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

}  // namespace

TMemIniFile::TMemIniFile(std::string file_name) : file_name_(std::move(file_name)) { LoadFromFile(); }

TMemIniFile::~TMemIniFile() = default;

std::string TMemIniFile::Fold(std::string_view name) { return AnsiUpperCase(name); }

const TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) const {
  auto it = section_index_.find(Fold(name));
  return it == section_index_.end() ? nullptr : &*it->second;
}

TMemIniFile::Section* TMemIniFile::FindSection(std::string_view name) {
  return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

TMemIniFile::Section& TMemIniFile::AddSection(std::string_view name) {
  if (Section* existing = FindSection(name))
    return *existing;
  sections_.push_back(Section{std::string(name), {}, {}});
  section_index_.emplace(Fold(name), std::prev(sections_.end()));
  return sections_.back();
}

const TMemIniFile::Line* TMemIniFile::FindKey(std::string_view section, std::string_view ident) const {
  const Section* found = FindSection(section);
  if (found == nullptr)
    return nullptr;
  auto it = found->keys.find(Fold(ident));
  return it == found->keys.end() ? nullptr : &*it->second;
}

void TMemIniFile::AddLine(Section& section, Line line) {
  section.lines.push_back(std::move(line));
  const Line& added = section.lines.back();
  if (added.kind == LineKind::kKey)
    section.keys.emplace(Fold(added.name), std::prev(section.lines.end()));
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident,
                                    std::string_view default_value) const {
  const Line* line = FindKey(section, ident);
  return line == nullptr ? std::string(default_value) : line->value;
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
  Section& target = AddSection(section);
  auto it = target.keys.find(Fold(ident));
  if (it != target.keys.end()) {
    it->second->name = std::string(ident);
    it->second->value = std::string(value);
    return;
  }
  AddLine(target, Line{LineKind::kKey, std::string(ident), std::string(value)});
}

int32_t TMemIniFile::ReadInteger(std::string_view section, std::string_view ident, int32_t default_value) const {
  const Line* line = FindKey(section, ident);
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

bool TMemIniFile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TMemIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  return FindKey(section, ident) != nullptr;
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& keys) const {
  TUpdateScope update(keys);
  keys.Clear();
  if (const Section* found = FindSection(section)) {
    for (const Line& line : found->lines) {
      if (line.kind == LineKind::kKey)
        keys.Add(line.name);
    }
  }
}

void TMemIniFile::ReadSections(TStrings& sections) const {
  TUpdateScope update(sections);
  sections.Clear();
  for (const Section& section : sections_)
    sections.Add(section.name);
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& lines) const {
  TUpdateScope update(lines);
  lines.Clear();
  if (const Section* found = FindSection(section)) {
    for (const Line& line : found->lines) {
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
  sections_.erase(it->second);
  section_index_.erase(it);
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident) {
  Section* found = FindSection(section);
  if (found == nullptr)
    return;
  const std::string key = Fold(ident);
  auto it = found->keys.find(key);
  if (it == found->keys.end())
    return;
  auto next = found->lines.erase(it->second);
  found->keys.erase(it);
  // A later line with the same key now counts.
  for (; next != found->lines.end(); ++next) {
    if (next->kind == LineKind::kKey && Fold(next->name) == key) {
      found->keys.emplace(key, next);
      break;
    }
  }
}

void TMemIniFile::Clear() {
  leading_comments_.clear();
  sections_.clear();
  section_index_.clear();
}

void TMemIniFile::ParseLines(const TStrings& lines) {
  Clear();
  Section* current = nullptr;
  const int32_t count = lines.Count();
  for (int32_t i = 0; i < count; ++i) {
    const std::string text = lines.Get(i);
    const std::string_view line = Trim(text);
    if (line.empty())
      continue;
    if (line.front() == ';') {
      if (current == nullptr)
        leading_comments_.emplace_back(line);
      else
        AddLine(*current, Line{LineKind::kComment, {}, std::string(line)});
      continue;
    }
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      current = &AddSection(Trim(line.substr(1, line.size() - 2)));
      continue;
    }
    if (current == nullptr)
      continue;  // values before the first section belong to none
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      AddLine(*current, Line{LineKind::kRaw, {}, std::string(line)});
      continue;
    }
    AddLine(*current, Line{LineKind::kKey, std::string(Trim(line.substr(0, equals))),
                           std::string(Trim(line.substr(equals + 1)))});
  }
}

void TMemIniFile::SetStrings(const TStrings& lines) { ParseLines(lines); }

void TMemIniFile::GetStrings(TStrings& lines) const { lines.SetText(Text()); }

std::string TMemIniFile::Text() const {
  std::string text;
  const auto add = [&text](std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    text.append(a).append(b).append(c).append("\r\n");
  };
  for (const std::string& comment : leading_comments_)
    add(comment);
  for (const Section& section : sections_) {
    add("[", section.name, "]");
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
  std::string content = utf8_bom_ ? std::string(kUtf8Bom) : std::string();
  content += Text();
  WriteFileAtomically(file_name_, content);
}

void TMemIniFile::Rename(std::string file_name, bool reload) {
  file_name_ = std::move(file_name);
  if (reload)
    LoadFromFile();
}

void TMemIniFile::LoadFromFile() {
  Clear();
  utf8_bom_ = false;
  if (file_name_.empty() || !FileExists(file_name_))
    return;
  TStringList lines;
  lines.LoadFromFile(file_name_);
  utf8_bom_ = lines.Utf8Bom();
  ParseLines(lines);
}
