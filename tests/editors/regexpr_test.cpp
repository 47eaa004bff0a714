#include "editors/regexpr.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/regexpr_parser.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/resource_strings.h"

namespace {

class RegExprTest : public ::testing::Test {
 protected:
  ~RegExprTest() override { lxFreeResourceStringsRepository(); }

  // The full texts of the errors of a compile that must fail.
  static std::vector<std::string> CompileErrors(std::string_view pattern) {
    TlxRegExpr engine;
    try {
      engine.Compile(pattern);
    } catch (const ElxRegExprError& error) {
      std::vector<std::string> texts;
      for (size_t i = 0; i < error.Errors().Count(); ++i)
        texts.push_back(error.Errors().Item(i).GetFullMessage());
      EXPECT_FALSE(engine.GetCompiled());
      return texts;
    }
    ADD_FAILURE() << "compiled: " << pattern;
    return {};
  }

  // Feeds `text` by Next; false at the first refused unit.
  static bool Feed(TlxRegExpr& engine, std::u16string_view text) {
    for (char16_t c : text)
      if (!engine.Next(c))
        return false;
    return true;
  }

  static bool Matches(std::string_view pattern, std::string_view text) {
    TlxRegExpr engine;
    engine.Compile(pattern);
    return Feed(engine, Utf8ToUtf16(text)) && engine.IsFinal();
  }

  TScopedLocale locale_{"en-US"};
};

TEST_F(RegExprTest, CompileErrorsCarryTheirTextsAndPositions) {
  struct Case {
    const char* pattern;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {"", {"The source stream is empty"}},
      {" \t\r\n", {"The source stream is empty"}},
      {"'abc", {"Line1, Char5: Missing '''"}},
      {"(a", {"Missing ')'"}},
      {"a)", {"Unnecessary ')'"}},
      {")(", {"Line1, Char1: Illegal ')'", "The alternative should not be empty"}},
      {"[a-c-e]", {"Line1, Char5: Illegal '-'"}},
      {"[z-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[a-a]", {"Line1, Char4: The starting character of the subrange must be less than the finishing one"}},
      {"[]", {"Line1, Char2: Can't create empty enumeration"}},
      {"[^]", {"Line1, Char3: Can't create empty enumeration"}},
      {"[ab", {"Line1, Char4: Missing ']'"}},
      {"a**", {"Line1, Char3: The '*' quantifier cannot be applied here"}},
      {"a?+", {"Line1, Char3: The '+' quantifier cannot be applied here"}},
      {"*a", {"Line1, Char1: Illegal quantifier '*'"}},
      {"a?{2}", {"Line1, Char3: The parameter quantifier cannot be applied here"}},
      {"(a?){2,}", {"Line1, Char5: The parameter quantifier cannot be applied here"}},
      {"a{3,2}", {"Line1, Char5: Incorrect parameter quantifier", "Line1, Char6: Illegal '}'"}},
      {"{2}", {"Line1, Char1: Incorrect parameter quantifier", "Line1, Char2: Illegal integer value",
               "Line1, Char3: Illegal '}'"}},
      {"a{2", {"Line1, Char4: Missing '}'"}},
      {"a{x}", {"Line1, Char3: Illegal 'x'"}},
      {"\\1(a)", {"Line1, Char1: Too big reference number"}},
      {"a|", {"The alternative should not be empty"}},
      {"|a", {"Line1, Char1: The alternative should not be empty"}},
      {"()", {"Line1, Char2: The block should not be empty"}},
      {"(a|)", {"Line1, Char4: The block should not be empty"}},
      {"\\x4", {"Line1, Char4: Hexadecimal number expected"}},
      {"\\x4g", {"Line1, Char4: Hexadecimal number expected but 'g' found"}},
      {"a\\ b", {"Line1, Char3: The space character is not allowed after '\\'"}},
      {"a\r\n(b", {"Missing ')'"}},
      {"a\r\n\\x4g", {"Line2, Char4: Hexadecimal number expected but 'g' found"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    const std::vector<std::string> errors = CompileErrors(c.pattern);
    EXPECT_EQ(errors, c.errors);
  }
}

TEST_F(RegExprTest, CountsAndCopiesAreBounded) {
  // A count past the bound, copies doubling through back references and
  // nesting deeper than the bound are refused without exhausting memory or
  // the stack.
  std::string doubling = "(a{1000})";
  for (int copy = 0; copy < 200; ++copy)
    doubling += "\\1";
  const std::string counts = "((((a{1000}){1000}){1000}){1000})";
  const std::string nested = std::string(5000, '(') + "a" + std::string(5000, ')');
  const std::string questions = "a" + std::string(5000, '?');
  for (const std::string& pattern :
       {std::string("a{1001}"), std::string("a{99999999999999999999}"), doubling, counts, nested, questions}) {
    SCOPED_TRACE(pattern.substr(0, 40));
    const std::vector<std::string> errors = CompileErrors(pattern);
    ASSERT_FALSE(errors.empty());
    EXPECT_NE(errors[0].find("Incorrect parameter quantifier"), std::string::npos) << errors[0];
  }
  EXPECT_TRUE(Matches("a{1000}", std::string(1000, 'a')));
  EXPECT_FALSE(Matches("a{1000}", std::string(999, 'a')));
}

TEST_F(RegExprTest, MatchesTypedText) {
  struct Case {
    const char* pattern;
    const char* text;
    bool complete;
  };
  const Case cases[] = {
      {"a b", "ab", true},
      {"'a b'", "a b", true},
      {"'a b'", "ab", false},
      {"'it''s'", "it's", true},
      {"\\d\\d':'\\d\\d", "12:34", true},
      {"\\d\\d:\\d\\d", "12:34", true},
      {"[a-]", "-", true},
      {"[-a]", "a", true},
      {"[^0-9]", "x", true},
      {"[^0-9]", "5", false},
      {"a*?", "aaa", true},
      {"a*?", "", true},
      {"(a?){2}", "a", true},
      {"(ab)\\1", "abab", true},
      {"(a|b)\\1", "ab", true},
      {"(a|b)\\1", "aa", true},
      {"\\d+", "123456", true},
      {"\\d+", "", false},
      {"a?", "", true},
      {"(a?)", "", false},
      {"a(b?)", "a", false},
      {"ab?", "a", true},
      {"a{1,3}", "aaa", true},
      {"a{1,3}", "aaaa", false},
      {"a{2,}", "aaaaa", true},
      {"a{2,}", "a", false},
      {"x\\d{0,2}", "x", true},
      {"x\\d{0,2}", "x12", true},
      {"x\\d{0,2}", "x123", false},
      {"x(\\d){0}", "x", true},
      {"\\x41\\t", "A\t", true},
      {"\\w\\W\\s\\S", "_!  ", false},
      {"\\w\\W\\s\\S", "_! x", true},
      {"(Januar|März)", "März", true},
      {".\\D", "9x", true},
      {"\\'\\(\\.", "'(.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.text);
    EXPECT_EQ(Matches(c.pattern, c.text), c.complete);
  }
}

TEST_F(RegExprTest, RefusedCharacterLeavesThePositionAlone) {
  TlxRegExpr engine;
  engine.Compile("\\d\\d");
  char16_t c = u'1';
  ASSERT_TRUE(engine.Next(c));
  c = u'x';
  EXPECT_FALSE(engine.Next(c));
  c = u'2';
  EXPECT_TRUE(engine.Next(c));
  EXPECT_TRUE(engine.IsFinal());
  c = u'3';
  EXPECT_FALSE(engine.Next(c));
  EXPECT_TRUE(engine.IsFinal());
}

TEST_F(RegExprTest, CaseFoldingGivesThePatternsSpelling) {
  TlxRegExpr engine;
  engine.CaseInsensitive = true;
  engine.Compile("'ABC'");
  char16_t c = u'a';
  ASSERT_TRUE(engine.Next(c));
  EXPECT_EQ(c, u'A');
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"abc"), u"abc");
  EXPECT_TRUE(engine.IsFinal());

  engine.CaseInsensitive = false;
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"xaABC"), u"ABC");
  EXPECT_TRUE(engine.IsFinal());
}

TEST_F(RegExprTest, StepsBackAndResets) {
  TlxRegExpr engine;
  engine.Compile("\\d+");
  EXPECT_TRUE(engine.IsStart());
  EXPECT_FALSE(engine.Prev());
  ASSERT_TRUE(Feed(engine, u"12"));
  EXPECT_FALSE(engine.IsStart());
  EXPECT_TRUE(engine.Prev());
  EXPECT_TRUE(engine.IsFinal());
  EXPECT_TRUE(engine.Prev());
  EXPECT_TRUE(engine.IsStart());
  EXPECT_FALSE(engine.IsFinal());
  ASSERT_TRUE(Feed(engine, u"345"));
  engine.Reset();
  EXPECT_TRUE(engine.IsStart());
  EXPECT_FALSE(engine.Prev());
}

// The owner's text as the completion events build it.
struct CompletedText {
  explicit CompletedText(TlxRegExpr& target) : engine(target) {
    target.OnSymbolUpdate = [this](char16_t c) { text += c; };
    target.OnSymbolDelete = [this] {
      ASSERT_FALSE(text.empty());
      text.pop_back();
    };
  }
  // Types like an editor: the key goes in first, forced characters after it.
  bool Type(std::u16string_view keys) {
    for (char16_t c : keys) {
      text += c;
      if (!engine.Next(c)) {
        text.pop_back();
        return false;
      }
    }
    return true;
  }

  TlxRegExpr& engine;
  std::u16string text;
};

TEST_F(RegExprTest, AutoCompletesForcedCharactersAndRollsThemBack) {
  TlxRegExpr engine;
  CompletedText owner(engine);
  engine.SetUpdateOn(true);
  engine.Compile("'(' \\d\\d\\d ')'");
  EXPECT_EQ(owner.text, u"(");
  ASSERT_TRUE(owner.Type(u"123"));
  EXPECT_EQ(owner.text, u"(123)");
  EXPECT_TRUE(engine.IsFinal());

  engine.Compile("\\d\\d':'\\d\\d");
  owner.text.clear();
  ASSERT_TRUE(owner.Type(u"12"));
  EXPECT_EQ(owner.text, u"12:");
  EXPECT_FALSE(owner.Type(u"x"));
  EXPECT_EQ(owner.text, u"12:");
  // One step back takes the colon back through the event, then the "2".
  ASSERT_TRUE(engine.Prev());
  owner.text.pop_back();
  EXPECT_EQ(owner.text, u"1");
  char16_t two = u'2';
  ASSERT_TRUE(engine.Next(two));
  EXPECT_FALSE(engine.IsFinal());
}

TEST_F(RegExprTest, CompletionStopsAtAFinalPosition) {
  TlxRegExpr engine;
  CompletedText owner(engine);
  engine.SetUpdateOn(true);
  engine.Compile("\\d('b')?");
  ASSERT_TRUE(owner.Type(u"7"));
  EXPECT_EQ(owner.text, u"7");
  EXPECT_TRUE(engine.IsFinal());
}

TEST_F(RegExprTest, SeparatorsFollowTheLocale) {
  TScopedLocale german("de-DE");
  TlxRegExpr engine;
  CompletedText owner(engine);
  engine.SetUpdateOn(true);
  engine.Compile("\\d\\d/\\d\\d");
  ASSERT_TRUE(owner.Type(u"31"));
  EXPECT_EQ(owner.text, u"31.");
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"31/12"), u"31");
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"31.12"), u"31.12");
  EXPECT_TRUE(engine.IsFinal());
  engine.Compile("\\d\\p\\d");
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"1,5"), u"1,5");
  EXPECT_TRUE(engine.IsFinal());
}

// The engine keeps the steps it has taken; a regional change between
// keystrokes must still take effect at once, for typing and completion.
TEST_F(RegExprTest, KeptStepsFollowARegionalChange) {
  TlxRegExpr engine;
  CompletedText owner(engine);
  engine.SetUpdateOn(true);
  engine.Compile("\\d\\d/\\d\\d");
  {
    TScopedLocale german("de-DE");
    ASSERT_TRUE(owner.Type(u"31"));
    EXPECT_EQ(owner.text, u"31.");
    engine.Reset();
    EXPECT_EQ(engine.NextEx(u"31.12"), u"31.12");
  }
  engine.Reset();
  owner.text.clear();
  ASSERT_TRUE(owner.Type(u"31"));
  EXPECT_EQ(owner.text, u"31/");
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"31.12"), u"31");
  engine.Reset();
  EXPECT_EQ(engine.NextEx(u"31/12"), u"31/12");
  EXPECT_TRUE(engine.IsFinal());
}

// "An a thirteen characters from the end" passes through 2^13 sets: more
// than the engine keeps, so it forgets the ones out of use while typing and
// must still answer, forwards and back, as the text says.
TEST_F(RegExprTest, ForgettingKeptSetsKeepsTheAnswers) {
  TlxRegExpr engine;
  engine.Compile("[ab]*a[ab]{12}");
  std::u16string typed;
  uint32_t seed = 7;
  auto final_by_text = [&typed] { return typed.size() >= 13 && typed[typed.size() - 13] == u'a'; };
  for (int i = 0; i < 30000; ++i) {
    seed = seed * 1664525u + 1013904223u;
    char16_t c = (seed >> 16) % 2 ? u'a' : u'b';
    typed += c;
    ASSERT_TRUE(engine.Next(c));
    ASSERT_EQ(engine.IsFinal(), final_by_text()) << "after " << typed.size();
  }
  for (int i = 0; i < 5000; ++i) {
    ASSERT_TRUE(engine.Prev());
    typed.pop_back();
    ASSERT_EQ(engine.IsFinal(), final_by_text()) << "back at " << typed.size();
  }
}

TEST_F(RegExprTest, RefusesWorkUntilCompiledAndRecompilesClean) {
  TlxRegExpr engine;
  char16_t c = u'a';
  EXPECT_THROW(engine.Next(c), ElxEditError);
  EXPECT_THROW(engine.Reset(), ElxEditError);
  EXPECT_THROW((void)engine.IsFinal(), ElxEditError);
  try {
    engine.Prev();
    ADD_FAILURE();
  } catch (const ElxEditError& error) {
    EXPECT_EQ(error.Message(), "Regular expression is not compiled");
  }
  EXPECT_THROW(engine.Compile("a|"), ElxRegExprError);
  EXPECT_EQ(engine.Errors().Count(), 1u);
  engine.Compile("a");
  EXPECT_EQ(engine.Errors().Count(), 0u);
  EXPECT_TRUE(engine.GetCompiled());
  EXPECT_EQ(engine.GetSource(), "a");
  EXPECT_THROW(engine.Compile(")"), ElxRegExprError);
  EXPECT_FALSE(engine.GetCompiled());
  EXPECT_THROW(engine.Next(c), ElxEditError);
}

TEST_F(RegExprTest, CompilesFromAStream) {
  TlxRegExpr engine;
  TMemoryStream stream;
  const std::string pattern = "\\d{2}";
  stream.WriteBuffer(pattern.data(), static_cast<int64_t>(pattern.size()));
  engine.Compile(&stream);
  EXPECT_EQ(engine.NextEx(u"42"), u"42");
  EXPECT_TRUE(engine.IsFinal());
  try {
    engine.Compile(static_cast<TStream*>(nullptr));
    ADD_FAILURE();
  } catch (const ElxRegExprError& error) {
    ASSERT_EQ(error.Errors().Count(), 1u);
    EXPECT_EQ(error.Errors().Item(0).GetFullMessage(), "The source stream is not assigned");
  }
}

TEST_F(RegExprTest, RepeatedAlternativesDoNotGrowTheSet) {
  TlxRegExpr engine;
  engine.Compile("(a|a)*");
  for (int i = 0; i < 200; ++i) {
    char16_t c = u'a';
    ASSERT_TRUE(engine.Next(c));
  }
  EXPECT_TRUE(engine.IsFinal());
}

}  // namespace
