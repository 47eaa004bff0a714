#include "app/file_selections.h"

#include "app/config.h"
#include "platform/rtl/file_utils.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

std::string SelectionSectionName(std::string_view name) {
  std::string joined;
  for (char c : name) {
    if (c != ' ')
      joined += c;
  }
  return "DATEIEN_SAVED_" + AnsiUpperCase(joined);
}

std::string SelectionNameProblem(std::string_view name) {
  if (name.empty())
    return "Ein Name muss ausgewählt bzw. eingegeben werden.";
  if (name.find_first_of("=[];") != std::string_view::npos)
    return "Der Name darf die Zeichen = [ ] ; nicht enthalten.";
  if (name.front() == ' ' || name.back() == ' ')
    return "Der Name darf nicht mit einem Leerzeichen beginnen oder enden.";
  return {};
}

std::vector<std::string> SavedSelectionNames() {
  std::vector<std::string> names;
  if (!OpenConfig())
    return names;
  TStringList lines;
  ConfigReadSectionValues(kSavedSelectionsSection, lines);
  CloseConfig();
  for (int32_t i = 0; i < lines.Count(); ++i)
    names.push_back(lines.Names(i));
  return names;
}

bool SaveSelection(const std::string& name, const std::vector<std::string>& paths) {
  const std::string section = SelectionSectionName(name);
  if (!OpenConfig())
    return false;
  if (ConfigValueExists(kSavedSelectionsSection, name)) {
    ConfigEraseSection(section);
    ConfigDeleteKey(kSavedSelectionsSection, name);
  }
  ConfigWriteStr(kSavedSelectionsSection, name, section);
  TStringList texts;
  for (const std::string& path : paths)
    texts.Add(path);
  ConfigWriteSectionList(section, texts);
  CloseConfig();
  return true;
}

std::optional<std::vector<std::string>> LoadSelection(const std::string& name) {
  if (!OpenConfig())
    return std::nullopt;
  if (!ConfigValueExists(kSavedSelectionsSection, name)) {
    CloseConfig();
    return std::nullopt;
  }
  const std::string section = ConfigReadStr(kSavedSelectionsSection, name, std::string());
  TStringList lines;
  if (!section.empty())
    ConfigReadSectionValues(section, lines);
  CloseConfig();
  std::vector<std::string> paths;
  for (int32_t i = 0; i < lines.Count(); ++i)
    paths.push_back(lines.ValueFromIndex(i));
  return paths;
}

bool DeleteSelection(const std::string& name) {
  if (!OpenConfig())
    return false;
  const std::string section = ConfigReadStr(kSavedSelectionsSection, name, std::string());
  ConfigEraseSection(section);
  ConfigDeleteKey(kSavedSelectionsSection, name);
  CloseConfig();
  return true;
}

bool IsPdfPath(std::string_view path) { return AnsiUpperCase(ExtractFileExt(path)) == ".PDF"; }
