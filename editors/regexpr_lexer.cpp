#include "editors/regexpr_lexer.h"

#include <string_view>

#include "editors/edit_strings.h"
#include "editors/regexpr_text.h"
#include "platform/rtl/locale.h"

namespace {

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

int HexValue(char16_t c) {
  if (c <= u'9')
    return c - u'0';
  return (c | 0x20) - u'a' + 10;
}

class Lexer {
 public:
  Lexer(std::u16string_view source, TlxLexems& lexems, TlxRegExprErrors& errors)
      : source_(source), lexems_(lexems), errors_(errors) {}

  void Run() {
    while (!AtEnd()) {
      const char16_t c = Read();
      if (!lxRegExprIsBlank(c))
        MainCharacter(c);
    }
    if (parentheses_ > 0)
      errors_.Add(0, 0, lxRegExprMessage(slxRegExprMissing, u")"));
    else if (parentheses_ < 0)
      errors_.Add(0, 0, lxRegExprMessage(slxRegExprUnnecessary, u")"));
  }

 private:
  bool AtEnd() const { return position_ >= source_.size(); }

  char16_t Read() {
    const char16_t c = source_[position_++];
    if (c == 10)
      column_ = 0;
    else
      ++column_;
    if (c == 13)
      ++line_;
    return c;
  }

  // The offset of the next non-blank character, or -1 at the end.
  int64_t PeekPastBlanks() const {
    for (size_t at = position_; at < source_.size(); ++at)
      if (!lxRegExprIsBlank(source_[at]))
        return static_cast<int64_t>(at - position_);
    return -1;
  }

  bool SkipBlanks() {
    while (!AtEnd() && lxRegExprIsBlank(source_[position_]))
      Read();
    return !AtEnd();
  }

  void Add(int32_t code, char16_t value) { Add(code, value, column_, line_); }
  void Add(int32_t code, char16_t value, int32_t column, int32_t line) {
    lexems_.Add(TlxLexem{column, code, line, std::u16string(1, value)});
  }

  void ErrorHere(const TlxResourceString& text, std::u16string_view argument = {}) {
    errors_.Add(column_, line_, lxRegExprMessage(text, argument));
  }
  void ErrorAtEnd(const TlxResourceString& text, std::u16string_view argument) {
    errors_.Add(column_ + 1, line_, lxRegExprMessage(text, argument));
  }

  void MainCharacter(char16_t c) {
    switch (c) {
      case u'\'':
        return Quoted();
      case u'(':
        ++parentheses_;
        return Add(lxLexemOperator, c);
      case u')':
        --parentheses_;
        return Add(lxLexemOperator, c);
      case u'*':
      case u'+':
      case u'?':
      case u'|':
        return Add(lxLexemOperator, c);
      case u'.':
        return Add(lxLexemAny, c);
      case u'/':
        return Add(lxLexemDateSeparator, c);
      case u':':
        return Add(lxLexemTimeSeparator, c);
      case u'[':
        Add(lxLexemOperator, c);
        return Set();
      case u'{':
        Add(lxLexemOperator, c);
        return Braces();
      case u'\\':
        return Escape();
      default:
        return Add(lxLexemLiteral, c);
    }
  }

  void Quoted() {
    for (;;) {
      if (AtEnd())
        return ErrorAtEnd(slxRegExprMissing, u"'");
      const char16_t c = Read();
      if (c != u'\'') {
        Add(lxLexemLiteral, c);
        continue;
      }
      if (AtEnd() || source_[position_] != u'\'')
        return;
      Add(lxLexemLiteral, c);
      Read();
    }
  }

  void Escape() {
    const int32_t column = column_;
    const int32_t line = line_;
    if (AtEnd())
      return;
    const char16_t c = Read();
    if (c >= u'1' && c <= u'9')
      return Add(lxLexemReference, c, column, line);
    if (lxRegExprIsBlank(c))
      return ErrorHere(slxRegExprIncorrectSpace);
    switch (c) {
      case u'w': return Add(lxLexemIdLetter, c, column, line);
      case u'W': return Add(lxLexemNotIdLetter, c, column, line);
      case u'd': return Add(lxLexemDigit, c, column, line);
      case u'D': return Add(lxLexemNotDigit, c, column, line);
      case u's': return Add(lxLexemSpace, c, column, line);
      case u'S': return Add(lxLexemNotSpace, c, column, line);
      case u'a': return Add(lxLexemLiteral, 7, column, line);
      case u'e': return Add(lxLexemLiteral, 27, column, line);
      case u'f': return Add(lxLexemLiteral, 12, column, line);
      case u'n': return Add(lxLexemLiteral, 10, column, line);
      case u'r': return Add(lxLexemLiteral, 13, column, line);
      case u't': return Add(lxLexemLiteral, 9, column, line);
      case u'p':
        return Add(lxLexemLiteral,
                   static_cast<unsigned char>(UserLocale().Settings().DecimalSeparator), column,
                   line);
      case u'x':
        return HexEscape(column, line);
      default:
        return Add(lxLexemLiteral, c, column, line);
    }
  }

  void HexEscape(int32_t column, int32_t line) {
    int value = 0;
    for (int digit = 0; digit < 2; ++digit) {
      if (AtEnd())
        return ErrorAtEnd(slxRegExprHexNumberExpected0, {});
      const char16_t c = Read();
      if (!IsHexDigit(c))
        return ErrorHere(slxRegExprHexNumberExpected, std::u16string_view(&c, 1));
      value = value * 16 + HexValue(c);
    }
    Add(lxLexemLiteral, static_cast<char16_t>(value), column, line);
  }

  // The characters that mean the same inside a set and outside.
  bool SetSharedCharacter(char16_t c) {
    switch (c) {
      case u'\'':
        Quoted();
        return true;
      case u'/':
        Add(lxLexemDateSeparator, c);
        return true;
      case u':':
        Add(lxLexemTimeSeparator, c);
        return true;
      case u'\\':
        Escape();
        return true;
      default:
        return false;
    }
  }

  void Set() {
    if (!SkipBlanks())
      return ErrorAtEnd(slxRegExprMissing, u"]");
    const char16_t first = Read();
    if (first == u']')
      return Add(lxLexemOperator, first);
    if (first == u'^')
      Add(lxLexemOperator, first);
    else if (!SetSharedCharacter(first))
      Add(lxLexemLiteral, first);
    for (;;) {
      if (!SkipBlanks())
        return ErrorAtEnd(slxRegExprMissing, u"]");
      const char16_t c = Read();
      if (SetSharedCharacter(c))
        continue;
      if (c == u']')
        return Add(lxLexemOperator, c);
      if (c != u'-') {
        Add(lxLexemLiteral, c);
        continue;
      }
      const int64_t next = PeekPastBlanks();
      if (next < 0) {
        Add(lxLexemOperator, c);
        return ErrorAtEnd(slxRegExprMissing, u"]");
      }
      Add(source_[position_ + static_cast<size_t>(next)] == u']' ? lxLexemLiteral : lxLexemOperator,
          c);
    }
  }

  void Braces() {
    for (;;) {
      if (!SkipBlanks())
        return ErrorAtEnd(slxRegExprMissing, u"}");
      const char16_t c = Read();
      if (c >= u'0' && c <= u'9') {
        TlxLexem number{column_, lxLexemNumber, line_, std::u16string(1, c)};
        while (!AtEnd() && source_[position_] >= u'0' && source_[position_] <= u'9')
          number.Value += Read();
        lexems_.Add(number);
        if (AtEnd())
          return ErrorAtEnd(slxRegExprMissing, u"}");
        continue;
      }
      if (c == u',') {
        Add(lxLexemOperator, c);
        continue;
      }
      if (c == u'}')
        return Add(lxLexemOperator, c);
      ErrorHere(slxRegExprIllegalSymbol, std::u16string_view(&c, 1));
    }
  }

  std::u16string_view source_;
  TlxLexems& lexems_;
  TlxRegExprErrors& errors_;
  size_t position_ = 0;
  int32_t column_ = 0;
  int32_t line_ = 1;
  int64_t parentheses_ = 0;
};

}  // namespace

void lxRegExprLex(std::u16string_view source, TlxLexems& lexems, TlxRegExprErrors& errors) {
  Lexer(source, lexems, errors).Run();
}
