#pragma once
// Named file selections stored in the program INI: section "DATEIEN_SAVED"
// maps each name to the section that holds its paths under "1", "2", ...

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kSavedSelectionsSection[] = "DATEIEN_SAVED";

// "DATEIEN_SAVED_" + the name without blanks, upper-cased by the locale:
// names that differ only in blanks or letter case share one section.
std::string SelectionSectionName(std::string_view name);

// Empty when `name` (already trimmed) can be stored as an INI key; else the
// message that tells the user why not. Characters that the INI format gives
// a meaning ("=", "[", "]", ";") would come back as another name or none.
std::string SelectionNameProblem(std::string_view name);

// The stored names in file order; empty when the settings cannot be opened.
std::vector<std::string> SavedSelectionNames();

// Stores `paths` under `name`, replacing what the name held; the name moves
// to the end of the list. False when the settings cannot be opened.
bool SaveSelection(const std::string& name, const std::vector<std::string>& paths);

// The paths stored under `name` in order, or nothing when the settings
// cannot be opened or the name is not stored.
std::optional<std::vector<std::string>> LoadSelection(const std::string& name);

// Erases the name and its section.
bool DeleteSelection(const std::string& name);

// Whether the path's extension, upper-cased by the locale, is ".PDF".
bool IsPdfPath(std::string_view path);
