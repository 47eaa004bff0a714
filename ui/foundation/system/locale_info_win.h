#pragma once
// Regional settings read straight from the system.

#include <cstdint>
#include <string>

// The text of locale item `item` of `locale` (GetLocaleInfoA); `fallback`
// when the system has no such item.
std::string lxGetLocaleInfoStr(uint32_t locale, uint32_t item, const std::string& fallback);
