#pragma once
// The expression of a dataset's Filter text, parsed once against the
// dataset's fields and then tested against each record:
//
//   condition  := or
//   or         := and { OR and }
//   and        := not { AND not }
//   not        := NOT not | "(" condition ")" | "(" ")" | predicate
//   predicate  := operand ( compare operand
//                         | [NOT] LIKE operand
//                         | [NOT] BETWEEN operand AND operand
//                         | [NOT] IN "(" operand { "," operand } ")"
//                         | IS [NOT] NULL )
//               | a Boolean field alone
//   compare    := "=" | "<>" | "!=" | "<" | ">" | "<=" | ">="
//   operand    := field name (plain, [bracketed] or "double-quoted")
//               | 'text' ('' for a quote) | number | NULL | TRUE | FALSE
//
// Keywords ignore letter case. "F = NULL" and "F <> NULL" test for null;
// any other comparison with a null value is false. LIKE takes % for any
// run of characters and _ for one. With foCaseInsensitive texts compare
// without regard to case; unless foNoPartialCompare is set, a text ending
// in "*" compared with "=" matches every value that starts with the rest.
// "()" is an empty group and always true.

#include <memory>
#include <string_view>

#include "platform/db/db_types.h"

class TFields;

class TFilterExpression {
 public:
  struct Node;

  // Raises EDatabaseError ("Invalid filter expression: ...") for a text
  // that does not parse, names a field the dataset lacks, or compares a
  // field with a literal that does not convert to the field's type.
  static std::unique_ptr<TFilterExpression> Parse(std::string_view text, const TFields& fields);

  explicit TFilterExpression(std::unique_ptr<Node> root);
  ~TFilterExpression();
  TFilterExpression(const TFilterExpression&) = delete;
  TFilterExpression& operator=(const TFilterExpression&) = delete;

  // Tests the record the fields read now.
  bool Matches(TFilterOptions options) const;

 private:
  std::unique_ptr<Node> root_;
};
