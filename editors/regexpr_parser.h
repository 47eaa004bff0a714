#pragma once
// The parser of the input-mask regular expressions: lexemes in, parse tree
// out, every error recorded with its position. Counts in braces expand by
// copying, so the tree's size and nesting are bounded: a pattern past the
// bounds records "Incorrect parameter quantifier" instead of exhausting
// memory or the stack.

#include <cstddef>
#include <memory>

#include "editors/regexpr_errors.h"
#include "editors/regexpr_lexer.h"
#include "editors/regexpr_parse_tree.h"

inline constexpr int32_t kLxRegExprMaxCount = 1000;
inline constexpr size_t kLxRegExprMaxStates = 100000;
inline constexpr size_t kLxRegExprMaxDepth = 64;

// The tree, or nullptr when an error was recorded.
std::unique_ptr<TlxRegExprParserAlts> lxRegExprParse(const TlxLexems& lexems, TlxRegExprErrors& errors);
