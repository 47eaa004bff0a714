#pragma once
// The letter case an edit control forces on its text. Portable, so that
// editor settings can name it without the system's controls.

#include <cstdint>
#include <string>

enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

// The text in the letter case (the user's locale rules).
std::string WithCharCase(const std::string& text, TEditCharCase char_case);
