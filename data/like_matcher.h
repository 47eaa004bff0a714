#pragma once
// The LIKE matcher of the filter: a multi wildcard ("%") stands for any run
// of characters and a single wildcard ("_") for exactly one character; all
// other characters compare exactly (case-sensitive). The whole text must
// match the whole pattern. Texts are UTF-8 and are matched by code points,
// so that "_" takes one character however many bytes it has.
//
// A multi wildcard that is not the last pattern character starts matching
// only while a text character is left: "a%%" does not match "a" and "%%"
// does not match the empty text, while "a%" and "%" do.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

bool lxMatchLikePattern(std::string_view text, std::string_view pattern, char multi_wildcard,
                        char single_wildcard);
// The matcher itself; `escape`, when given, makes the next pattern
// character literal. Takes time proportional to the text length times the
// pattern length, whatever the pattern.
bool lxMatchLikeCore(std::string_view text, std::string_view pattern, char32_t multi_wildcard,
                     char32_t single_wildcard, std::optional<char32_t> escape);

// Replaces doubled wildcards until no run of two is left.
void lxCollapseDoubledWildcard(std::string& text, char wildcard);
// Removes a leading and a trailing wildcard (after collapsing): 1 = it ended
// with one ("begins with"), 2 = it began with one ("ends with"), 3 = both
// ("contains"), 0 = neither or a text shorter than 2 characters.
int lxStripLikeWildcards(std::string& text, char wildcard);
