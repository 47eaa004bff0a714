#include "app/file_selections.h"

#include <algorithm>

#include "app/config.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/text.h"

namespace {

bool IsStored(std::string_view name, const std::vector<SavedSelection>& stored) {
  return std::any_of(stored.begin(), stored.end(), [name](const SavedSelection& entry) { return entry.name == name; });
}

// The other stored name that maps to the same section as `name`, by the
// naming rule or by the section it names. Section names compare as the INI
// file compares them, without regard to letter case.
const SavedSelection* SectionHolder(std::string_view name, const std::vector<SavedSelection>& stored) {
  const std::string section = SelectionSectionName(name);
  for (const SavedSelection& entry : stored) {
    if (entry.name == name)
      continue;
    if (AnsiSameText(entry.section, section) || AnsiSameText(SelectionSectionName(entry.name), section))
      return &entry;
  }
  return nullptr;
}

std::string NewNameProblem(std::string_view name) {
  if (name.find_first_of("=[];") != std::string_view::npos)
    return "Der Name darf die Zeichen = [ ] ; nicht enthalten.";
  if (name.front() == ' ' || name.back() == ' ')
    return "Der Name darf nicht mit einem Leerzeichen beginnen oder enden.";
  return {};
}

std::string HeldSectionMessage(std::string_view name, const std::string& holder) {
  return "Unter dem Namen „" + std::string(name) + "“ kann nicht gespeichert werden: die gespeicherte Auswahl „" +
         holder +
         "“ belegt denselben Eintrag, denn die Namen unterscheiden sich nur in Groß-/Kleinschreibung oder "
         "Leerzeichen. Wählen Sie „" +
         holder + "“, um diese Auswahl zu ersetzen, oder geben Sie einen anderen Namen ein.";
}

// The entries of "DATEIEN_SAVED" in the open program INI.
std::vector<SavedSelection> ReadSavedSelections() {
  TStringList lines;
  ConfigReadSectionValues(kSavedSelectionsSection, lines);
  std::vector<SavedSelection> stored;
  for (int32_t i = 0; i < lines.Count(); ++i)
    stored.push_back(SavedSelection{lines.Names(i), lines.ValueFromIndex(i)});
  return stored;
}

bool SectionStillNamed(const std::string& section, const std::vector<SavedSelection>& stored,
                       std::string_view except) {
  return std::any_of(stored.begin(), stored.end(), [&](const SavedSelection& entry) {
    return entry.name != except && AnsiSameText(entry.section, section);
  });
}

}  // namespace

std::string SelectionSectionName(std::string_view name) {
  std::string joined;
  for (char c : name) {
    if (c != ' ')
      joined += c;
  }
  return "DATEIEN_SAVED_" + AnsiUpperCase(joined);
}

std::string SelectionSaveProblem(std::string_view name, const std::vector<SavedSelection>& stored) {
  if (name.empty())
    return kNoSelectionNameMessage;
  if (!IsStored(name, stored)) {
    if (std::string problem = NewNameProblem(name); !problem.empty())
      return problem;
  }
  if (const SavedSelection* holder = SectionHolder(name, stored))
    return HeldSectionMessage(name, holder->name);
  return {};
}

std::vector<SavedSelection> SavedSelections() {
  if (!OpenConfig())
    return {};
  std::vector<SavedSelection> stored = ReadSavedSelections();
  CloseConfig();
  return stored;
}

SaveSelectionResult SaveSelection(const std::string& name, const std::vector<std::string>& paths) {
  if (!OpenConfig())
    return {};
  const std::vector<SavedSelection> stored = ReadSavedSelections();
  // The file may have changed since the name was chosen.
  if (std::string problem = SelectionSaveProblem(name, stored); !problem.empty()) {
    CloseConfig();
    return SaveSelectionResult{false, std::move(problem)};
  }
  const std::string section = SelectionSectionName(name);
  if (ConfigValueExists(kSavedSelectionsSection, name)) {
    // A section named by hand goes with the name, unless another name
    // still refers to it.
    const std::string previous = ConfigReadStr(kSavedSelectionsSection, name, std::string());
    if (!previous.empty() && !SectionStillNamed(previous, stored, name))
      ConfigEraseSection(previous);
    ConfigEraseSection(section);
    ConfigDeleteKey(kSavedSelectionsSection, name);
  }
  ConfigWriteStr(kSavedSelectionsSection, name, section);
  TStringList texts;
  for (const std::string& path : paths)
    texts.Add(path);
  ConfigWriteSectionList(section, texts);
  CloseConfig();
  return SaveSelectionResult{true, {}};
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
  const std::vector<SavedSelection> stored = ReadSavedSelections();
  const std::string section = ConfigReadStr(kSavedSelectionsSection, name, std::string());
  if (!section.empty() && !SectionStillNamed(section, stored, name))
    ConfigEraseSection(section);
  ConfigDeleteKey(kSavedSelectionsSection, name);
  CloseConfig();
  return true;
}
