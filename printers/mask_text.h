#pragma once
// Formatting a text with an edit mask, as a masked edit shows it:
//   mask [";" save-literals [";" blank]]
// where the mask holds the input characters L l A a C c 0 9 # (letters,
// letters or digits, any character, digits, digit or sign; upper case
// required, lower case optional), the date and time separators "/" and ":",
// "_" for a blank, literals (escaped with "\" when they would otherwise be
// mask characters), and the directives ">" (upper case from here), "<"
// (lower case), "<>" (case as typed) and "!" (optional characters are shown
// as leading instead of trailing blanks). With save-literals "0" the text
// holds only the input characters and the literals are put in between;
// otherwise the text already holds them.
//
// The editors' mask engine is richer; this covers what display formats of
// texts need.

#include <string>
#include <string_view>

#include "platform/rtl/format_settings.h"

std::string prFormatMaskText(std::string_view edit_mask, std::string_view value);
std::string prFormatMaskText(std::string_view edit_mask, std::string_view value, const TFormatSettings& settings);
