#pragma once
// The lexer of the input-mask regular expressions: blanks outside quotes
// vanish, quoted text becomes literals, and sets and brace counts switch to
// their own small vocabularies. Positions are 1-based columns in UTF-16
// units of the pattern, lines counted by carriage returns.

#include <cstdint>
#include <string>
#include <vector>

#include "editors/regexpr_errors.h"

enum TlxLexemCode : int32_t {
  lxLexemLiteral = 0,
  lxLexemOperator = 1,
  lxLexemNumber = 2,
  lxLexemAny = 3,
  lxLexemIdLetter = 4,
  lxLexemNotIdLetter = 5,
  lxLexemDigit = 6,
  lxLexemNotDigit = 7,
  lxLexemSpace = 8,
  lxLexemNotSpace = 9,
  lxLexemReference = 10,
  lxLexemDateSeparator = 11,
  lxLexemTimeSeparator = 12,
};

struct TlxLexem {
  int32_t Char = 0;
  int32_t Code = 0;
  int32_t Line = 0;
  std::u16string Value;

  bool IsOperator(char16_t op) const {
    return Code == lxLexemOperator && Value.size() == 1 && Value[0] == op;
  }
};

class TlxLexems {
 public:
  void Add(const TlxLexem& lexem) { lexems_.push_back(lexem); }
  void Clear() { lexems_.clear(); }
  size_t Count() const { return lexems_.size(); }
  const TlxLexem& Item(size_t index) const { return lexems_.at(index); }

 private:
  std::vector<TlxLexem> lexems_;
};

// Lexes the whole source into `lexems`, recording every error met.
void lxRegExprLex(std::u16string_view source, TlxLexems& lexems, TlxRegExprErrors& errors);
