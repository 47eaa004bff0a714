#include "editors/regexpr_parser.h"

#include <vector>

#include "editors/edit_strings.h"
#include "editors/regexpr_text.h"

namespace {

enum class AltEnd { kEnd, kBar, kClose };

struct Count {
  int32_t n = 0;
  int32_t m = 0;
  bool unbounded = false;
};

class Parser {
 public:
  Parser(const TlxLexems& lexems, TlxRegExprErrors& errors) : lexems_(lexems), errors_(errors) {}

  std::unique_ptr<TlxRegExprParserAlts> Run() {
    auto alts = std::make_unique<TlxRegExprParserAlts>();
    while (ParseAlt(alts->Add(), false) == AltEnd::kBar) {
    }
    if (errors_.Count() > 0)
      return nullptr;
    return alts;
  }

 private:
  bool AtEnd() const { return position_ >= lexems_.Count(); }
  const TlxLexem& Peek() const { return lexems_.Item(position_); }
  const TlxLexem& Take() { return lexems_.Item(position_++); }

  void Error(const TlxLexem& at, const TlxResourceString& text, std::u16string_view argument = {}) {
    errors_.Add(at.Char, at.Line, lxRegExprMessage(text, argument));
  }

  // Reserves room for `states` more states; false (with the error) past the bound.
  bool Reserve(size_t states, const TlxLexem& at) {
    if (states <= kLxRegExprMaxStates - states_) {
      states_ += states;
      return true;
    }
    Error(at, slxRegExprIncorrectParameterQuantifier);
    return false;
  }

  // Nesting past the bound abandons the pattern: the rest is not read.
  void Abandon(const TlxLexem& at) {
    Error(at, slxRegExprIncorrectParameterQuantifier);
    position_ = lexems_.Count();
  }

  // Keeps an item that left the tree alive, as back references may still
  // name it as a group.
  void Retire(std::unique_ptr<TlxRegExprParserItem> item) { retired_.push_back(std::move(item)); }

  void AddSimple(TlxRegExprParserAlt& alt, std::unique_ptr<TlxRegExprItem> item, const TlxLexem& at) {
    if (Reserve(1, at))
      alt.Add(std::make_unique<TlxRegExprParserSimpleItem>(std::move(item)));
  }

  static std::unique_ptr<TlxRegExprItem> ClassItem(const TlxLexem& lexem) {
    switch (lexem.Code) {
      case lxLexemLiteral: return std::make_unique<TlxRegExprSymbol>(lexem.Value[0]);
      case lxLexemAny: return std::make_unique<TlxRegExprAll>();
      case lxLexemDateSeparator: return std::make_unique<TlxRegExprDateSeparator>();
      case lxLexemTimeSeparator: return std::make_unique<TlxRegExprTimeSeparator>();
      case lxLexemIdLetter: return std::make_unique<TlxRegExprIdLetter>(false);
      case lxLexemNotIdLetter: return std::make_unique<TlxRegExprIdLetter>(true);
      case lxLexemDigit: return std::make_unique<TlxRegExprDigit>(false);
      case lxLexemNotDigit: return std::make_unique<TlxRegExprDigit>(true);
      case lxLexemSpace: return std::make_unique<TlxRegExprSpace>(false);
      case lxLexemNotSpace: return std::make_unique<TlxRegExprSpace>(true);
      default: return nullptr;
    }
  }

  AltEnd ParseAlt(TlxRegExprParserAlt& alt, bool in_group) {
    if (AtEnd()) {
      errors_.Add(0, 0, lxEditResString(slxRegExprCantCreateEmptyAlt));
      return AltEnd::kEnd;
    }
    if (Peek().IsOperator(u'|')) {
      Error(Take(), slxRegExprCantCreateEmptyAlt);
      return AltEnd::kBar;
    }
    if (in_group && Peek().IsOperator(u')')) {
      Error(Take(), slxRegExprCantCreateEmptyBlock);
      return AltEnd::kClose;
    }
    while (!AtEnd()) {
      const TlxLexem& lexem = Take();
      if (lexem.Code == lxLexemNumber) {
        Error(lexem, slxRegExprIllegalIntegerValue);
      } else if (lexem.Code == lxLexemReference) {
        AddReference(alt, lexem);
      } else if (lexem.Code != lxLexemOperator) {
        AddSimple(alt, ClassItem(lexem), lexem);
      } else {
        const char16_t op = lexem.Value[0];
        switch (op) {
          case u'(':
            if (auto group = ParseGroup(lexem))
              alt.Add(std::move(group));
            break;
          case u'[':
            if (auto set = ParseSet())
              AddSimple(alt, std::move(set), lexem);
            break;
          case u')':
            if (in_group)
              return AltEnd::kClose;
            Error(lexem, slxRegExprIllegalSymbol, u")");
            break;
          case u'|':
            return AltEnd::kBar;
          case u'*':
          case u'+':
          case u'?':
            ApplyQuantifier(alt, lexem);
            break;
          case u'{':
            ParseBraces(alt, lexem);
            break;
          case u'^':
          case u',':
            break;
          default:
            Error(lexem, slxRegExprIllegalSymbol, lexem.Value);
            break;
        }
      }
    }
    return AltEnd::kEnd;
  }

  std::unique_ptr<TlxRegExprParserItem> ParseGroup(const TlxLexem& open) {
    if (nesting_ >= kLxRegExprMaxDepth) {
      Abandon(open);
      return nullptr;
    }
    if (!Reserve(2, open))
      return nullptr;
    auto group = std::make_unique<TlxRegExprParserBlockItem>();
    groups_.push_back(group.get());
    ++nesting_;
    while (ParseAlt(group->Alts().Add(), true) == AltEnd::kBar) {
    }
    --nesting_;
    return group;
  }

  void AddReference(TlxRegExprParserAlt& alt, const TlxLexem& lexem) {
    const size_t number = static_cast<size_t>(lexem.Value[0] - u'0');
    if (number > groups_.size())
      return Error(lexem, slxRegExprTooBigReferenceNumber);
    const TlxRegExprParserItem& group = *groups_[number - 1];
    if (group.Depth() + nesting_ > kLxRegExprMaxDepth)
      return Abandon(lexem);
    if (Reserve(group.StateCount(), lexem))
      alt.Add(group.Clone());
  }

  static std::unique_ptr<TlxRegExprQuantifier> MakeQuantifier(char16_t op) {
    if (op == u'*')
      return std::make_unique<TlxRegExprStarQuantifier>();
    if (op == u'+')
      return std::make_unique<TlxRegExprPlusQuantifier>();
    return std::make_unique<TlxRegExprQuestionQuantifier>();
  }

  // Puts `item` in a new group of its own carrying `quantifier`.
  static std::unique_ptr<TlxRegExprParserItem> Wrap(std::unique_ptr<TlxRegExprParserItem> item,
                                                   std::unique_ptr<TlxRegExprQuantifier> quantifier) {
    auto block = std::make_unique<TlxRegExprParserBlockItem>();
    block->Alts().Add().Add(std::move(item));
    block->SetQuantifier(std::move(quantifier));
    return block;
  }

  void ApplyQuantifier(TlxRegExprParserAlt& alt, const TlxLexem& lexem) {
    const char16_t op = lexem.Value[0];
    if (alt.Empty())
      return Error(lexem, slxRegExprIllegalQuantifier, lexem.Value);
    TlxRegExprParserItem& last = alt.Last();
    if (op == u'*' && last.CanEmpty())
      return Error(lexem, slxRegExprCantUseStarQuantifier);
    if (op == u'+' && last.CanEmpty())
      return Error(lexem, slxRegExprCantUsePlusQuantifier);
    if (last.NotQuantifier())
      return last.SetQuantifier(MakeQuantifier(op));
    if (last.Depth() + nesting_ + 1 > kLxRegExprMaxDepth)
      return Abandon(lexem);
    if (Reserve(2, lexem))
      alt.Add(Wrap(alt.TakeLast(), MakeQuantifier(op)));
  }

  // A number of braces, at most the count bound; false past it.
  bool ReadNumber(const TlxLexem& lexem, int32_t& value) {
    int64_t number = 0;
    for (char16_t digit : lexem.Value) {
      number = number * 10 + (digit - u'0');
      if (number > kLxRegExprMaxCount)
        return false;
    }
    value = static_cast<int32_t>(number);
    return true;
  }

  // Reads "n}", "n,}" or "n,m}" after the "{"; false with the error recorded.
  bool ReadCount(const TlxLexem& open, Count& count) {
    const TlxLexem* last = &open;
    auto next = [&]() -> const TlxLexem* {
      if (AtEnd())
        return nullptr;
      last = &Take();
      return last;
    };
    auto fail = [&]() {
      Error(*last, slxRegExprIncorrectParameterQuantifier);
      return false;
    };
    const TlxLexem* lexem = next();
    if (!lexem || lexem->Code != lxLexemNumber || !ReadNumber(*lexem, count.n))
      return fail();
    lexem = next();
    if (lexem && lexem->IsOperator(u'}')) {
      count.m = count.n;
      return true;
    }
    if (!lexem || !lexem->IsOperator(u','))
      return fail();
    lexem = next();
    if (lexem && lexem->IsOperator(u'}')) {
      count.unbounded = true;
      return true;
    }
    if (!lexem || lexem->Code != lxLexemNumber || !ReadNumber(*lexem, count.m) || count.m < count.n)
      return fail();
    lexem = next();
    if (!lexem || !lexem->IsOperator(u'}'))
      return fail();
    return true;
  }

  void ParseBraces(TlxRegExprParserAlt& alt, const TlxLexem& open) {
    if (alt.Empty())
      return Error(open, slxRegExprIncorrectParameterQuantifier);
    Count count;
    if (!ReadCount(open, count))
      return;
    TlxRegExprParserItem& last = alt.Last();
    if (last.CanMissing() || (count.unbounded && last.CanEmpty()))
      return Error(open, slxRegExprCantUseParameterQuantifier);
    if (last.Depth() + nesting_ + 2 > kLxRegExprMaxDepth)
      return Abandon(open);
    const size_t copies = static_cast<size_t>(count.unbounded ? count.n + 1 : count.m);
    const size_t per_copy = last.StateCount() + 2;
    const size_t needed = copies > kLxRegExprMaxStates / per_copy ? kLxRegExprMaxStates + 1
                                                                  : copies * per_copy + 2;
    if (!Reserve(needed, open))
      return;
    Expand(alt, count);
  }

  // X{n,m} becomes n copies of X followed by m - n optional ones; the
  // optional copies sit side by side rather than nested, which accepts the
  // same texts without nesting as deep as the count.
  void Expand(TlxRegExprParserAlt& alt, const Count& count) {
    std::unique_ptr<TlxRegExprParserItem> item = alt.TakeLast();
    auto block = std::make_unique<TlxRegExprParserBlockItem>();
    TlxRegExprParserAlt& sequence = block->Alts().Add();
    for (int32_t i = 0; i < count.n; ++i)
      sequence.Add(item->Clone());
    if (count.unbounded) {
      auto repeat = item->Clone();
      repeat->SetQuantifier(std::make_unique<TlxRegExprStarQuantifier>());
      sequence.Add(std::move(repeat));
    }
    for (int32_t i = count.n; !count.unbounded && i < count.m; ++i)
      sequence.Add(OptionalCopy(*item));
    // Without copies that must be there, the whole expansion may be absent,
    // so finality passes back over it.
    if (count.n == 0)
      block->SetQuantifier(std::make_unique<TlxRegExprQuestionQuantifier>());
    Retire(std::move(item));
    alt.Add(std::move(block));
  }

  static std::unique_ptr<TlxRegExprParserItem> OptionalCopy(const TlxRegExprParserItem& item) {
    auto copy = item.Clone();
    if (copy->NotQuantifier()) {
      copy->SetQuantifier(std::make_unique<TlxRegExprQuestionQuantifier>());
      return copy;
    }
    return Wrap(std::move(copy), std::make_unique<TlxRegExprQuestionQuantifier>());
  }

  std::unique_ptr<TlxRegExprItem> ParseSet() {
    bool inverse = false;
    if (!AtEnd() && Peek().IsOperator(u'^')) {
      inverse = true;
      Take();
    }
    if (!AtEnd() && Peek().IsOperator(u']')) {
      Error(Take(), slxRegExprCantCreateEmptyEnum);
      return nullptr;
    }
    auto set = std::make_unique<TlxRegExprUserEnumeration>(inverse);
    while (!AtEnd()) {
      const TlxLexem& element = Take();
      if (element.IsOperator(u']'))
        break;
      if (element.Code == lxLexemOperator) {
        Error(element, slxRegExprIllegalSymbol, element.Value);
        continue;
      }
      if (AtEnd() || !Peek().IsOperator(u'-')) {
        if (auto item = ClassItem(element))
          set->Add(std::move(item));
        continue;
      }
      Take();
      if (AtEnd())
        break;
      const TlxLexem& finish = Take();
      if (element.Value[0] < finish.Value[0])
        set->Add(std::make_unique<TlxRegExprSubrange>(element.Value[0], finish.Value[0]));
      else
        Error(finish, slxRegExprSubrangeOrder);
      while (!AtEnd() && Peek().IsOperator(u'-'))
        Error(Take(), slxRegExprIllegalSymbol, u"-");
    }
    return set;
  }

  const TlxLexems& lexems_;
  TlxRegExprErrors& errors_;
  size_t position_ = 0;
  size_t nesting_ = 0;
  size_t states_ = 0;
  std::vector<const TlxRegExprParserItem*> groups_;
  std::vector<std::unique_ptr<TlxRegExprParserItem>> retired_;
};

}  // namespace

std::unique_ptr<TlxRegExprParserAlts> lxRegExprParse(const TlxLexems& lexems, TlxRegExprErrors& errors) {
  return Parser(lexems, errors).Run();
}
