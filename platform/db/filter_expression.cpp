#include "platform/db/filter_expression.h"

#include <charconv>
#include <string>
#include <vector>

#include "platform/db/db_errors.h"
#include "platform/db/field.h"
#include "platform/db/fields.h"
#include "platform/rtl/text.h"
#include "platform/rtl/variant.h"

namespace {

// Deeper nesting than this is refused rather than risking the stack.
constexpr int kMaxDepth = 200;

[[noreturn]] void FilterError(std::string_view reason) { throw EDatabaseError(db_text::InvalidFilter(reason)); }

enum class TTokenKind : uint8_t { kEnd, kName, kQuotedName, kText, kNumber, kSymbol };

struct TToken {
  TTokenKind kind = TTokenKind::kEnd;
  std::string text;
};

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class TTokenizer {
 public:
  explicit TTokenizer(std::string_view text) : text_(text) {}

  std::vector<TToken> Tokens() {
    std::vector<TToken> tokens;
    for (;;) {
      TToken token = Next();
      const bool end = token.kind == TTokenKind::kEnd;
      tokens.push_back(std::move(token));
      if (end)
        return tokens;
    }
  }

 private:
  TToken Next() {
    while (position_ < text_.size() && static_cast<unsigned char>(text_[position_]) <= ' ')
      ++position_;
    if (position_ >= text_.size())
      return {TTokenKind::kEnd, {}};
    const char c = text_[position_];
    if (c == '\'')
      return {TTokenKind::kText, Quoted('\'')};
    if (c == '"')
      return {TTokenKind::kQuotedName, Quoted('"')};
    if (c == '[')
      return {TTokenKind::kQuotedName, Bracketed()};
    if (IsDigit(c) || (c == '.' && position_ + 1 < text_.size() && IsDigit(text_[position_ + 1])))
      return {TTokenKind::kNumber, Number()};
    if (IsNameStart(c)) {
      const size_t start = position_;
      while (position_ < text_.size() && IsNameChar(text_[position_]))
        ++position_;
      return {TTokenKind::kName, std::string(text_.substr(start, position_ - start))};
    }
    return {TTokenKind::kSymbol, Symbol()};
  }

  std::string Quoted(char quote) {
    std::string value;
    ++position_;
    for (;;) {
      if (position_ >= text_.size())
        FilterError("unterminated quoted text");
      const char c = text_[position_++];
      if (c != quote) {
        value.push_back(c);
        continue;
      }
      if (position_ < text_.size() && text_[position_] == quote) {
        value.push_back(quote);
        ++position_;
        continue;
      }
      return value;
    }
  }

  std::string Bracketed() {
    const size_t close = text_.find(']', position_ + 1);
    if (close == std::string_view::npos)
      FilterError("unterminated [field name]");
    std::string name(text_.substr(position_ + 1, close - position_ - 1));
    position_ = close + 1;
    return name;
  }

  std::string Number() {
    const size_t start = position_;
    while (position_ < text_.size() && IsDigit(text_[position_]))
      ++position_;
    if (position_ < text_.size() && text_[position_] == '.') {
      ++position_;
      while (position_ < text_.size() && IsDigit(text_[position_]))
        ++position_;
    }
    if (position_ < text_.size() && (text_[position_] == 'e' || text_[position_] == 'E')) {
      size_t exponent = position_ + 1;
      if (exponent < text_.size() && (text_[exponent] == '+' || text_[exponent] == '-'))
        ++exponent;
      if (exponent < text_.size() && IsDigit(text_[exponent])) {
        position_ = exponent;
        while (position_ < text_.size() && IsDigit(text_[position_]))
          ++position_;
      }
    }
    return std::string(text_.substr(start, position_ - start));
  }

  std::string Symbol() {
    static constexpr std::string_view kTwoCharSymbols[] = {"<>", "!=", "<=", ">="};
    for (std::string_view symbol : kTwoCharSymbols) {
      if (text_.substr(position_, 2) == symbol) {
        position_ += 2;
        return std::string(symbol);
      }
    }
    const char c = text_[position_];
    if (c == '=' || c == '<' || c == '>' || c == '(' || c == ')' || c == ',' || c == '-') {
      ++position_;
      return std::string(1, c);
    }
    FilterError("unexpected character '" + std::string(1, c) + "'");
  }

  std::string_view text_;
  size_t position_ = 0;
};

// Wildcard match of code points: % any run, _ one character. Greedy with
// one backtrack point, so the time stays proportional to the lengths'
// product at worst.
bool LikeMatch(const std::u32string& text, const std::u32string& pattern) {
  size_t t = 0;
  size_t p = 0;
  size_t star_pattern = std::u32string::npos;
  size_t star_text = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == U'_' || pattern[p] == text[t])) {
      ++t;
      ++p;
    } else if (p < pattern.size() && pattern[p] == U'%') {
      star_pattern = p++;
      star_text = t;
    } else if (star_pattern != std::u32string::npos) {
      p = star_pattern + 1;
      t = ++star_text;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'%')
    ++p;
  return p == pattern.size();
}

std::u32string CodePoints(std::string_view text) {
  std::u32string result;
  size_t position = 0;
  while (position < text.size())
    result.push_back(DecodeUtf8(text, position));
  return result;
}

bool IsTextField(const TField* field) {
  switch (field->DataType()) {
    case ftString:
    case ftFixedChar:
    case ftWideString:
    case ftMemo:
    case ftFmtMemo:
      return true;
    default:
      return false;
  }
}

// The variant type a literal compared with a field is converted to.
TVarType ComparisonType(const TField* field) {
  switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
    case ftLargeint:
      return varInt64;
    case ftFloat:
    case ftCurrency:
      return varDouble;
    case ftBCD:
      return varCurrency;
    case ftBoolean:
      return varBoolean;
    case ftDate:
    case ftTime:
    case ftDateTime:
    case ftTimeStamp:
      return varDate;
    default:
      return varEmpty;
  }
}

}  // namespace

struct TFilterExpression::Node {
  enum class Kind : uint8_t { kTrue, kAnd, kOr, kNot, kCompare, kLike, kBetween, kIn, kIsNull, kBooleanField };
  enum class Op : uint8_t { kEqual, kNotEqual, kLess, kGreater, kLessEqual, kGreaterEqual };

  struct Operand {
    const TField* field = nullptr;
    Variant value;

    Variant Evaluate() const { return field != nullptr ? field->AsVariant() : value; }
    bool IsNullLiteral() const { return field == nullptr && value.IsNull(); }
  };

  Kind kind = Kind::kTrue;
  Op op = Op::kEqual;
  bool negated = false;
  std::vector<std::unique_ptr<Node>> children;
  std::vector<Operand> operands;

  bool Evaluate(TFilterOptions options) const;

 private:
  static int CompareValues(const Variant& a, const Variant& b, TFilterOptions options);
  bool EvaluateCompare(TFilterOptions options) const;
  bool EvaluateLike(TFilterOptions options) const;
};

int TFilterExpression::Node::CompareValues(const Variant& a, const Variant& b, TFilterOptions options) {
  if (a.IsText() && b.IsText()) {
    const std::string left = a.AsString();
    const std::string right = b.AsString();
    return options.Contains(foCaseInsensitive) ? AnsiCompareText(left, right) : AnsiCompareStr(left, right);
  }
  return VarCompare(a, b);
}

bool TFilterExpression::Node::EvaluateCompare(TFilterOptions options) const {
  const Variant left = operands[0].Evaluate();
  const Variant right = operands[1].Evaluate();
  if (left.IsNull() || right.IsNull() || left.IsEmpty() || right.IsEmpty())
    return false;
  if ((op == Op::kEqual || op == Op::kNotEqual) && left.IsText() && right.IsText() &&
      !options.Contains(foNoPartialCompare) && operands[1].field == nullptr) {
    const std::string pattern = right.AsString();
    if (!pattern.empty() && pattern.back() == '*') {
      std::string text = left.AsString();
      std::string prefix = pattern.substr(0, pattern.size() - 1);
      if (options.Contains(foCaseInsensitive)) {
        text = AnsiUpperCase(text);
        prefix = AnsiUpperCase(prefix);
      }
      return text.starts_with(prefix) == (op == Op::kEqual);
    }
  }
  const int order = CompareValues(left, right, options);
  switch (op) {
    case Op::kEqual:
      return order == 0;
    case Op::kNotEqual:
      return order != 0;
    case Op::kLess:
      return order < 0;
    case Op::kGreater:
      return order > 0;
    case Op::kLessEqual:
      return order <= 0;
    case Op::kGreaterEqual:
      return order >= 0;
  }
  return false;
}

bool TFilterExpression::Node::EvaluateLike(TFilterOptions options) const {
  const Variant text = operands[0].Evaluate();
  const Variant pattern = operands[1].Evaluate();
  if (text.IsNull() || pattern.IsNull() || text.IsEmpty() || pattern.IsEmpty())
    return false;
  std::string subject = text.AsString();
  std::string mask = pattern.AsString();
  if (options.Contains(foCaseInsensitive)) {
    subject = AnsiUpperCase(subject);
    mask = AnsiUpperCase(mask);
  }
  return LikeMatch(CodePoints(subject), CodePoints(mask)) != negated;
}

bool TFilterExpression::Node::Evaluate(TFilterOptions options) const {
  switch (kind) {
    case Kind::kTrue:
      return true;
    case Kind::kAnd:
      for (const auto& child : children) {
        if (!child->Evaluate(options))
          return false;
      }
      return true;
    case Kind::kOr:
      for (const auto& child : children) {
        if (child->Evaluate(options))
          return true;
      }
      return false;
    case Kind::kNot:
      return !children.front()->Evaluate(options);
    case Kind::kCompare:
      return EvaluateCompare(options);
    case Kind::kLike:
      return EvaluateLike(options);
    case Kind::kBetween: {
      const Variant value = operands[0].Evaluate();
      const Variant low = operands[1].Evaluate();
      const Variant high = operands[2].Evaluate();
      if (value.IsNull() || low.IsNull() || high.IsNull())
        return false;
      const bool inside = CompareValues(value, low, options) >= 0 && CompareValues(value, high, options) <= 0;
      return inside != negated;
    }
    case Kind::kIn: {
      const Variant value = operands[0].Evaluate();
      if (value.IsNull())
        return false;
      bool found = false;
      for (size_t i = 1; i < operands.size() && !found; ++i) {
        const Variant candidate = operands[i].Evaluate();
        found = !candidate.IsNull() && CompareValues(value, candidate, options) == 0;
      }
      return found != negated;
    }
    case Kind::kIsNull: {
      const Variant value = operands[0].Evaluate();
      return (value.IsNull() || value.IsEmpty()) != negated;
    }
    case Kind::kBooleanField: {
      const Variant value = operands[0].Evaluate();
      return !value.IsNull() && value.AsBoolean();
    }
  }
  return false;
}

namespace {

using Node = TFilterExpression::Node;

class TFilterParser {
 public:
  TFilterParser(std::string_view text, const TFields& fields) : tokens_(TTokenizer(text).Tokens()), fields_(fields) {}

  std::unique_ptr<Node> ParseAll() {
    std::unique_ptr<Node> root = ParseOr(0);
    if (Peek().kind != TTokenKind::kEnd)
      FilterError("unexpected '" + Peek().text + "'");
    return root;
  }

 private:
  const TToken& Peek(size_t ahead = 0) const { return tokens_[std::min(index_ + ahead, tokens_.size() - 1)]; }
  TToken Take() {
    TToken token = Peek();
    if (index_ < tokens_.size() - 1)
      ++index_;
    return token;
  }
  bool IsKeyword(const TToken& token, std::string_view keyword) const {
    return token.kind == TTokenKind::kName && SameText(token.text, keyword);
  }
  bool TakeKeyword(std::string_view keyword) {
    if (!IsKeyword(Peek(), keyword))
      return false;
    Take();
    return true;
  }
  bool IsSymbol(const TToken& token, std::string_view symbol) const {
    return token.kind == TTokenKind::kSymbol && token.text == symbol;
  }
  void Expect(std::string_view symbol) {
    if (!IsSymbol(Peek(), symbol))
      FilterError("'" + std::string(symbol) + "' expected");
    Take();
  }
  static void CheckDepth(int depth) {
    if (depth > kMaxDepth)
      FilterError("the expression is nested too deeply");
  }

  std::unique_ptr<Node> MakeList(Node::Kind kind, std::unique_ptr<Node> first) {
    auto list = std::make_unique<Node>();
    list->kind = kind;
    list->children.push_back(std::move(first));
    return list;
  }

  std::unique_ptr<Node> ParseOr(int depth) {
    CheckDepth(depth);
    std::unique_ptr<Node> left = ParseAnd(depth + 1);
    if (!IsKeyword(Peek(), "OR"))
      return left;
    std::unique_ptr<Node> list = MakeList(Node::Kind::kOr, std::move(left));
    while (TakeKeyword("OR"))
      list->children.push_back(ParseAnd(depth + 1));
    return list;
  }

  std::unique_ptr<Node> ParseAnd(int depth) {
    CheckDepth(depth);
    std::unique_ptr<Node> left = ParseNot(depth + 1);
    if (!IsKeyword(Peek(), "AND"))
      return left;
    std::unique_ptr<Node> list = MakeList(Node::Kind::kAnd, std::move(left));
    while (TakeKeyword("AND"))
      list->children.push_back(ParseNot(depth + 1));
    return list;
  }

  std::unique_ptr<Node> ParseNot(int depth) {
    CheckDepth(depth);
    if (TakeKeyword("NOT"))
      return MakeList(Node::Kind::kNot, ParseNot(depth + 1));
    if (IsSymbol(Peek(), "(")) {
      Take();
      if (IsSymbol(Peek(), ")")) {
        Take();
        return std::make_unique<Node>();
      }
      std::unique_ptr<Node> inner = ParseOr(depth + 1);
      Expect(")");
      return inner;
    }
    return ParsePredicate();
  }

  Node::Operand ParseOperand() {
    const TToken token = Take();
    Node::Operand operand;
    switch (token.kind) {
      case TTokenKind::kText:
        operand.value = Variant(token.text);
        return operand;
      case TTokenKind::kNumber:
        operand.value = NumberValue(token.text, false);
        return operand;
      case TTokenKind::kQuotedName:
        operand.field = FindField(token.text);
        return operand;
      case TTokenKind::kName:
        if (SameText(token.text, "NULL")) {
          operand.value = Variant::Null();
          return operand;
        }
        if (SameText(token.text, "TRUE") || SameText(token.text, "FALSE")) {
          operand.value = Variant(SameText(token.text, "TRUE"));
          return operand;
        }
        operand.field = FindField(token.text);
        return operand;
      case TTokenKind::kSymbol:
        if (token.text == "-" && Peek().kind == TTokenKind::kNumber) {
          operand.value = NumberValue(Take().text, true);
          return operand;
        }
        FilterError("a field or a value expected instead of '" + token.text + "'");
      case TTokenKind::kEnd:
        break;
    }
    FilterError("the expression ends too early");
  }

  static Variant NumberValue(const std::string& text, bool negative) {
    const std::string signed_text = negative ? "-" + text : text;
    const char* begin = signed_text.data();
    const char* end = begin + signed_text.size();
    if (signed_text.find_first_of(".eE") == std::string::npos) {
      int64_t integer = 0;
      const auto [rest, error] = std::from_chars(begin, end, integer);
      if (error == std::errc() && rest == end)
        return Variant(integer);
    }
    double real = 0;
    const auto [rest, error] = std::from_chars(begin, end, real);
    if (error != std::errc() || rest != end)
      FilterError("'" + signed_text + "' is not a number");
    return Variant(real);
  }

  const TField* FindField(const std::string& name) const {
    const TField* field = fields_.FindField(name);
    if (field == nullptr)
      FilterError("field '" + name + "' not found");
    return field;
  }

  // A literal compared with a field is converted to the field's type once,
  // so that a value that cannot fit is reported here and not per record.
  static void FitLiteral(const Node::Operand& field_side, Node::Operand& literal) {
    if (field_side.field == nullptr || literal.field != nullptr || literal.value.IsNull() ||
        !literal.value.IsText() || IsTextField(field_side.field))
      return;
    const TVarType type = ComparisonType(field_side.field);
    if (type == varEmpty)
      return;
    try {
      literal.value = VarAsType(literal.value, type);
    } catch (const Exception&) {
      FilterError("'" + literal.value.AsString() + "' does not fit field '" + field_side.field->FieldName() + "'");
    }
  }

  static Node::Op CompareOp(const std::string& symbol, bool& found) {
    found = true;
    if (symbol == "=")
      return Node::Op::kEqual;
    if (symbol == "<>" || symbol == "!=")
      return Node::Op::kNotEqual;
    if (symbol == "<")
      return Node::Op::kLess;
    if (symbol == ">")
      return Node::Op::kGreater;
    if (symbol == "<=")
      return Node::Op::kLessEqual;
    if (symbol == ">=")
      return Node::Op::kGreaterEqual;
    found = false;
    return Node::Op::kEqual;
  }

  std::unique_ptr<Node> ParsePredicate() {
    auto node = std::make_unique<Node>();
    node->operands.push_back(ParseOperand());
    const TToken& next = Peek();
    bool is_compare = false;
    const Node::Op op = next.kind == TTokenKind::kSymbol ? CompareOp(next.text, is_compare) : Node::Op::kEqual;
    if (is_compare) {
      Take();
      node->operands.push_back(ParseOperand());
      Node::Operand& left = node->operands[0];
      Node::Operand& right = node->operands[1];
      if ((op == Node::Op::kEqual || op == Node::Op::kNotEqual) && (left.IsNullLiteral() || right.IsNullLiteral())) {
        // "F = NULL" asks whether F is null.
        node->kind = Node::Kind::kIsNull;
        node->negated = op == Node::Op::kNotEqual;
        if (left.IsNullLiteral())
          std::swap(left, right);
        node->operands.pop_back();
        return node;
      }
      node->kind = Node::Kind::kCompare;
      node->op = op;
      FitLiteral(left, right);
      FitLiteral(right, left);
      return node;
    }
    const bool negated = TakeKeyword("NOT");
    node->negated = negated;
    if (TakeKeyword("LIKE")) {
      node->kind = Node::Kind::kLike;
      node->operands.push_back(ParseOperand());
      return node;
    }
    if (TakeKeyword("BETWEEN")) {
      node->kind = Node::Kind::kBetween;
      node->operands.push_back(ParseOperand());
      if (!TakeKeyword("AND"))
        FilterError("AND expected in BETWEEN");
      node->operands.push_back(ParseOperand());
      FitLiteral(node->operands[0], node->operands[1]);
      FitLiteral(node->operands[0], node->operands[2]);
      return node;
    }
    if (TakeKeyword("IN")) {
      node->kind = Node::Kind::kIn;
      Expect("(");
      do {
        node->operands.push_back(ParseOperand());
        FitLiteral(node->operands[0], node->operands.back());
      } while (IsSymbol(Peek(), ",") && (Take(), true));
      Expect(")");
      return node;
    }
    if (negated)
      FilterError("LIKE, BETWEEN or IN expected after NOT");
    if (TakeKeyword("IS")) {
      node->kind = Node::Kind::kIsNull;
      node->negated = TakeKeyword("NOT");
      if (!TakeKeyword("NULL"))
        FilterError("NULL expected after IS");
      return node;
    }
    const Node::Operand& alone = node->operands[0];
    if (alone.field != nullptr && alone.field->DataType() == ftBoolean) {
      node->kind = Node::Kind::kBooleanField;
      return node;
    }
    if (Peek().kind == TTokenKind::kEnd)
      FilterError("a comparison expected at the end");
    FilterError("a comparison expected before '" + Peek().text + "'");
  }

  std::vector<TToken> tokens_;
  size_t index_ = 0;
  const TFields& fields_;
};

}  // namespace

std::unique_ptr<TFilterExpression> TFilterExpression::Parse(std::string_view text, const TFields& fields) {
  TFilterParser parser(text, fields);
  return std::make_unique<TFilterExpression>(parser.ParseAll());
}

TFilterExpression::TFilterExpression(std::unique_ptr<Node> root) : root_(std::move(root)) {}

TFilterExpression::~TFilterExpression() = default;

bool TFilterExpression::Matches(TFilterOptions options) const { return root_->Evaluate(options); }
