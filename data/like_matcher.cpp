#include "data/like_matcher.h"

#include <vector>

#include "platform/rtl/text.h"

namespace {

std::u32string CodePoints(std::string_view text) {
  std::u32string points;
  points.reserve(text.size());
  size_t position = 0;
  while (position < text.size())
    points.push_back(DecodeUtf8(text, position));
  return points;
}

// One pattern step after escapes are resolved.
struct Token {
  enum class Kind : uint8_t { kAnyRun, kAnyOne, kLiteral };
  Kind kind;
  char32_t character;
  // A run wildcard that is the pattern's last character matches any rest,
  // the empty one included.
  bool last;
};

std::vector<Token> Tokens(const std::u32string& pattern, char32_t multi, char32_t single,
                          std::optional<char32_t> escape) {
  std::vector<Token> tokens;
  bool escaped = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char32_t c = pattern[i];
    if (escape && !escaped && c == *escape) {
      escaped = true;
      continue;
    }
    if (!escaped && c == multi)
      tokens.push_back({Token::Kind::kAnyRun, c, i + 1 == pattern.size()});
    else if (!escaped && c == single)
      tokens.push_back({Token::Kind::kAnyOne, c, false});
    else
      tokens.push_back({Token::Kind::kLiteral, c, false});
    escaped = false;
  }
  return tokens;
}

}  // namespace

bool lxMatchLikeCore(std::string_view text, std::string_view pattern, char32_t multi_wildcard,
                     char32_t single_wildcard, std::optional<char32_t> escape) {
  const std::u32string characters = CodePoints(text);
  const std::vector<Token> tokens = Tokens(CodePoints(pattern), multi_wildcard, single_wildcard, escape);
  const size_t n = characters.size();
  // matches[i]: the tokens from j on match the text from i on, built from
  // the last token backwards; one column at a time.
  std::vector<char> matches(n + 1, 0);
  std::vector<char> next(n + 1, 0);
  matches[n] = 1;  // no tokens left: only the empty rest matches
  for (size_t j = tokens.size(); j-- > 0;) {
    next.swap(matches);
    const Token& token = tokens[j];
    if (token.kind == Token::Kind::kAnyRun) {
      if (token.last) {
        std::fill(matches.begin(), matches.end(), 1);
        continue;
      }
      // The rest must match a non-empty suffix starting at or after i.
      matches[n] = 0;
      char any_later = 0;
      for (size_t i = n; i-- > 0;) {
        any_later = static_cast<char>(any_later | next[i]);
        matches[i] = any_later;
      }
      continue;
    }
    matches[n] = 0;
    for (size_t i = 0; i < n; ++i) {
      const bool fits = token.kind == Token::Kind::kAnyOne || characters[i] == token.character;
      matches[i] = static_cast<char>(fits && next[i + 1]);
    }
  }
  return matches[0] != 0;
}

bool lxMatchLikePattern(std::string_view text, std::string_view pattern, char multi_wildcard,
                        char single_wildcard) {
  return lxMatchLikeCore(text, pattern, static_cast<unsigned char>(multi_wildcard),
                         static_cast<unsigned char>(single_wildcard), std::nullopt);
}

void lxCollapseDoubledWildcard(std::string& text, char wildcard) {
  std::string collapsed;
  collapsed.reserve(text.size());
  for (char c : text)
    if (c != wildcard || collapsed.empty() || collapsed.back() != wildcard)
      collapsed.push_back(c);
  text = std::move(collapsed);
}

int lxStripLikeWildcards(std::string& text, char wildcard) {
  lxCollapseDoubledWildcard(text, wildcard);
  if (text.size() < 2)
    return 0;
  int result = 0;
  if (text.front() == wildcard) {
    text.erase(0, 1);
    result = 2;
  }
  if (!text.empty() && text.back() == wildcard) {
    text.pop_back();
    result += 1;
  }
  return result;
}
