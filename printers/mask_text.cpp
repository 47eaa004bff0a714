#include "printers/mask_text.h"

#include <vector>

#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace {

enum class CaseMode : uint8_t { kAsTyped, kUpper, kLower };

// One position of the formatted text: a place for an input character or a
// literal.
struct MaskPosition {
  bool is_input = false;
  char literal = 0;
  CaseMode case_mode = CaseMode::kAsTyped;
};

struct ParsedMask {
  std::vector<MaskPosition> positions;
  bool leading_blanks = false;
  bool save_literals = true;
};

bool IsInputChar(char c) {
  switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#':
      return true;
    default:
      return false;
  }
}

// The mask ends at the first unescaped ";" that is followed by the
// save-literals field.
ParsedMask ParseMask(std::string_view edit_mask, const TFormatSettings& settings) {
  ParsedMask parsed;
  size_t end = edit_mask.size();
  for (size_t i = 0; i < edit_mask.size(); ++i) {
    if (edit_mask[i] == '\\') {
      ++i;
      continue;
    }
    if (edit_mask[i] == ';') {
      end = i;
      break;
    }
  }
  if (end < edit_mask.size()) {
    std::string_view fields = edit_mask.substr(end + 1);
    parsed.save_literals = fields.empty() || fields[0] != '0';
  }

  CaseMode case_mode = CaseMode::kAsTyped;
  for (size_t i = 0; i < end; ++i) {
    char c = edit_mask[i];
    if (c == '!') {
      parsed.leading_blanks = true;
    } else if (c == '<' && i + 1 < end && edit_mask[i + 1] == '>') {
      case_mode = CaseMode::kAsTyped;
      ++i;
    } else if (c == '>') {
      case_mode = CaseMode::kUpper;
    } else if (c == '<') {
      case_mode = CaseMode::kLower;
    } else if (c == '\\') {
      if (i + 1 < end)
        parsed.positions.push_back({false, edit_mask[++i], case_mode});
    } else if (IsInputChar(c)) {
      parsed.positions.push_back({true, 0, case_mode});
    } else if (c == ':') {
      parsed.positions.push_back({false, settings.TimeSeparator, case_mode});
    } else if (c == '/') {
      parsed.positions.push_back({false, settings.DateSeparator, case_mode});
    } else if (c == '_') {
      parsed.positions.push_back({false, ' ', case_mode});
    } else {
      parsed.positions.push_back({false, c, case_mode});
    }
  }
  return parsed;
}

std::string Cased(std::string_view text, CaseMode mode) {
  switch (mode) {
    case CaseMode::kUpper:
      return AnsiUpperCase(text);
    case CaseMode::kLower:
      return AnsiLowerCase(text);
    case CaseMode::kAsTyped:
      break;
  }
  return std::string(text);
}

// The input characters as whole UTF-8 sequences, so that a position never
// holds half a character.
std::vector<std::string> SplitCharacters(std::string_view text) {
  std::vector<std::string> characters;
  size_t position = 0;
  while (position < text.size()) {
    size_t start = position;
    DecodeUtf8(text, position);
    characters.emplace_back(text.substr(start, position - start));
  }
  return characters;
}

}  // namespace

std::string prFormatMaskText(std::string_view edit_mask, std::string_view value, const TFormatSettings& settings) {
  ParsedMask mask = ParseMask(edit_mask, settings);
  std::vector<std::string> input = SplitCharacters(value);

  size_t input_places = 0;
  for (const MaskPosition& position : mask.positions)
    input_places += position.is_input ? 1 : 0;
  if (!mask.save_literals && mask.leading_blanks && input.size() < input_places)
    input.insert(input.begin(), input_places - input.size(), " ");

  std::string result;
  size_t next = 0;
  for (const MaskPosition& position : mask.positions) {
    if (!position.is_input) {
      result += position.literal;
      // A text that keeps its literals holds this one already.
      if (mask.save_literals && next < input.size() && input[next].size() == 1 && input[next][0] == position.literal)
        ++next;
      continue;
    }
    if (next < input.size())
      result += Cased(input[next++], position.case_mode);
    else
      result += ' ';
  }
  // Characters beyond the mask are kept, as a masked edit keeps them.
  for (; next < input.size(); ++next)
    result += input[next];
  return result;
}

std::string prFormatMaskText(std::string_view edit_mask, std::string_view value) {
  return prFormatMaskText(edit_mask, value, UserLocale().Settings());
}
