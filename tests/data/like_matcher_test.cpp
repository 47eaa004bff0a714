#include "data/like_matcher.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct LikeCase {
  const char* text;
  const char* pattern;
  bool matches;
};

TEST(LikeMatcherTest, Table) {
  const std::vector<LikeCase> cases = {
      {"", "%", true},
      {"abc", "%", true},
      {"a", "a%", true},
      {"abc", "a%", true},
      {"abc", "%c", true},
      {"abc", "_b_", true},
      {"abcd", "_b_", false},
      // A run wildcard before more pattern needs a character left to start.
      {"a", "a%%", false},
      {"", "%%", false},
      {"ab", "a%%", true},
      {"a", "a_", false},
      {"abc", "A%", false},
      {"", "", true},
      {"a", "", false},
      {"", "_", false},
      {"abcabc", "%bc", true},
      {"abcab", "%b%b", true},
      {"xyz", "%y%", true},
      {"xy", "x%y", true},  // the run may be empty while a character is left
      {"x", "x%y", false},
      {"xay", "x%y", true},
      {"m\xc3\xbcller", "m_ller", true},  // one character of two bytes
      {"aab", "%a%a%a%b", false},
      {"aaab", "%a%a%a%b", true},
  };
  for (const LikeCase& row : cases) {
    SCOPED_TRACE(std::string(row.text) + " LIKE " + row.pattern);
    EXPECT_EQ(lxMatchLikePattern(row.text, row.pattern, '%', '_'), row.matches);
  }
}

TEST(LikeMatcherTest, OtherWildcardsAndEscape) {
  EXPECT_TRUE(lxMatchLikePattern("abc", "a*", '*', '?'));
  EXPECT_TRUE(lxMatchLikePattern("a%c", "a?c", '*', '?'));
  EXPECT_FALSE(lxMatchLikePattern("abc", "a%", '*', '?'));
  // An escaped wildcard is a plain character and consumes one text character.
  EXPECT_TRUE(lxMatchLikeCore("50%", "50\\%", '%', '_', U'\\'));
  EXPECT_FALSE(lxMatchLikeCore("500", "50\\%", '%', '_', U'\\'));
  EXPECT_TRUE(lxMatchLikeCore("a_b", "a\\_b", '%', '_', U'\\'));
  EXPECT_TRUE(lxMatchLikeCore("a\\", "a\\\\", '%', '_', U'\\'));
  // A trailing escape consumes nothing.
  EXPECT_TRUE(lxMatchLikeCore("a", "a\\", '%', '_', U'\\'));
}

// A long text against a pattern of many runs: a backtracking matcher needs
// about n^4 steps here; this one answers at once (the test would time out
// otherwise).
TEST(LikeMatcherTest, ManyRunsOverALongTextFinish) {
  const std::string text(20000, 'a');
  EXPECT_FALSE(lxMatchLikePattern(text, "%a%a%a%a%a%a%a%a%b", '%', '_'));
  EXPECT_TRUE(lxMatchLikePattern(text + "b", "%a%a%a%a%a%a%a%a%b", '%', '_'));
}

struct StripCase {
  const char* text;
  const char* stripped;
  int result;
};

TEST(LikeMatcherTest, StripWildcards) {
  const std::vector<StripCase> cases = {
      {"%abc%", "abc", 3}, {"abc%", "abc", 1}, {"%abc", "abc", 2}, {"%%", "%", 0},
      {"ab%%%", "ab", 1},  {"abc", "abc", 0},  {"a", "a", 0},      {"%%a%%b%%", "a%b", 3},
  };
  for (const StripCase& row : cases) {
    SCOPED_TRACE(row.text);
    std::string text = row.text;
    EXPECT_EQ(lxStripLikeWildcards(text, '%'), row.result);
    EXPECT_EQ(text, row.stripped);
  }
  std::string runs = "a%%%%b%%c";
  lxCollapseDoubledWildcard(runs, '%');
  EXPECT_EQ(runs, "a%b%c");
}

}  // namespace
