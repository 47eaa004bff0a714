#pragma once
// Named file selections stored in the program INI: section "DATEIEN_SAVED"
// maps each name to the section that holds its paths under "1", "2", ...

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kSavedSelectionsSection[] = "DATEIEN_SAVED";

// One stored selection: the name as the user gave it and the section that
// holds its paths.
struct SavedSelection {
  std::string name;
  std::string section;

  bool operator==(const SavedSelection&) const = default;
};

// "DATEIEN_SAVED_" + the name without blanks, upper-cased by the locale:
// names that differ only in blanks or letter case map to one section.
std::string SelectionSectionName(std::string_view name);

// The text shown when no name was given.
inline constexpr char kNoSelectionNameMessage[] = "Ein Name muss ausgewählt bzw. eingegeben werden.";

// Empty when a list may be saved under `name` (already trimmed) beside the
// `stored` ones; else the message that tells the user why not:
// - a new name must be one that the INI file can hold as a key ("=", "[",
//   "]", ";" would come back as another name or none); a name already
//   stored is taken as it stands, as an earlier version may have stored it;
// - a name whose section another stored name holds (they differ only in
//   letter case or blanks) would silently share that list, and deleting
//   either would delete both: the message names the holder.
std::string SelectionSaveProblem(std::string_view name, const std::vector<SavedSelection>& stored);

// The stored selections in file order; empty when the settings cannot be
// opened.
std::vector<SavedSelection> SavedSelections();

// Whether saving reached the settings, and the message when a name was
// refused (SelectionSaveProblem, checked again against the file itself).
struct SaveSelectionResult {
  bool saved = false;
  std::string refusal;
};

// Stores `paths` under `name`, replacing what the name held; the name moves
// to the end of the list. Not saved when the settings cannot be opened or
// the name is refused.
SaveSelectionResult SaveSelection(const std::string& name, const std::vector<std::string>& paths);

// The paths stored under `name` in order, or nothing when the settings
// cannot be opened or the name is not stored.
std::optional<std::vector<std::string>> LoadSelection(const std::string& name);

// Erases the name, and its section unless another stored name still
// refers to it (a pair stored by an earlier version). False when the
// settings cannot be opened.
bool DeleteSelection(const std::string& name);
