#include "editors/regexpr_items.h"

#include <string_view>

#include "platform/rtl/locale.h"

char16_t lxRegExprUpperCase(char16_t c) {
  if (c < 0x80)
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
  const std::u16string upper = UserLocale().UpperCase(std::u16string_view(&c, 1));
  return upper.size() == 1 ? upper[0] : c;
}

TlxRegExprItem::~TlxRegExprItem() = default;

bool TlxRegExprItem::GetForcedSymbol(char16_t&) const { return false; }

bool TlxRegExprSymbol::Check(char16_t& c, bool case_insensitive) const {
  if (c == symbol_)
    return true;
  if (!case_insensitive || lxRegExprUpperCase(c) != lxRegExprUpperCase(symbol_))
    return false;
  c = symbol_;
  return true;
}

std::unique_ptr<TlxRegExprItem> TlxRegExprSymbol::Clone() const {
  return std::make_unique<TlxRegExprSymbol>(symbol_);
}

bool TlxRegExprSymbol::GetForcedSymbol(char16_t& c) const {
  c = symbol_;
  return true;
}

namespace {

char16_t TimeSeparator() {
  return static_cast<unsigned char>(UserLocale().Settings().TimeSeparator);
}

char16_t DateSeparator() {
  return static_cast<unsigned char>(UserLocale().Settings().DateSeparator);
}

}  // namespace

bool TlxRegExprTimeSeparator::Check(char16_t& c, bool) const { return c == TimeSeparator(); }

std::unique_ptr<TlxRegExprItem> TlxRegExprTimeSeparator::Clone() const {
  return std::make_unique<TlxRegExprTimeSeparator>();
}

bool TlxRegExprTimeSeparator::GetForcedSymbol(char16_t& c) const {
  c = TimeSeparator();
  return true;
}

bool TlxRegExprDateSeparator::Check(char16_t& c, bool) const { return c == DateSeparator(); }

std::unique_ptr<TlxRegExprItem> TlxRegExprDateSeparator::Clone() const {
  return std::make_unique<TlxRegExprDateSeparator>();
}

bool TlxRegExprDateSeparator::GetForcedSymbol(char16_t& c) const {
  c = DateSeparator();
  return true;
}

bool TlxRegExprSubrange::Check(char16_t& c, bool) const { return c >= start_ && c <= finish_; }

std::unique_ptr<TlxRegExprItem> TlxRegExprSubrange::Clone() const {
  return std::make_unique<TlxRegExprSubrange>(start_, finish_);
}

bool TlxRegExprEnumeration::Check(char16_t& c, bool case_insensitive) const {
  return Accepts(c, case_insensitive) != inverse_;
}

bool TlxRegExprUserEnumeration::Accepts(char16_t& c, bool case_insensitive) const {
  for (const auto& item : items_)
    if (item->Check(c, case_insensitive))
      return true;
  return false;
}

std::unique_ptr<TlxRegExprItem> TlxRegExprUserEnumeration::Clone() const {
  auto copy = std::make_unique<TlxRegExprUserEnumeration>(Inverse());
  for (const auto& item : items_)
    copy->Add(item->Clone());
  return copy;
}

bool TlxRegExprDigit::Accepts(char16_t& c, bool) const { return c >= u'0' && c <= u'9'; }

std::unique_ptr<TlxRegExprItem> TlxRegExprDigit::Clone() const {
  return std::make_unique<TlxRegExprDigit>(Inverse());
}

bool TlxRegExprIdLetter::Accepts(char16_t& c, bool) const {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') ||
         c == u'_';
}

std::unique_ptr<TlxRegExprItem> TlxRegExprIdLetter::Clone() const {
  return std::make_unique<TlxRegExprIdLetter>(Inverse());
}

bool TlxRegExprSpace::Accepts(char16_t& c, bool) const {
  return c == 32 || c == 0 || c == 9 || c == 10 || c == 12 || c == 13;
}

std::unique_ptr<TlxRegExprItem> TlxRegExprSpace::Clone() const {
  return std::make_unique<TlxRegExprSpace>(Inverse());
}

bool TlxRegExprAll::Check(char16_t&, bool) const { return true; }

std::unique_ptr<TlxRegExprItem> TlxRegExprAll::Clone() const {
  return std::make_unique<TlxRegExprAll>();
}

TlxRegExprQuantifier::~TlxRegExprQuantifier() = default;

std::unique_ptr<TlxRegExprQuantifier> TlxRegExprSimpleQuantifier::Clone() const {
  return std::make_unique<TlxRegExprSimpleQuantifier>();
}

std::unique_ptr<TlxRegExprQuantifier> TlxRegExprQuestionQuantifier::Clone() const {
  return std::make_unique<TlxRegExprQuestionQuantifier>();
}

std::unique_ptr<TlxRegExprQuantifier> TlxRegExprStarQuantifier::Clone() const {
  return std::make_unique<TlxRegExprStarQuantifier>();
}

std::unique_ptr<TlxRegExprQuantifier> TlxRegExprPlusQuantifier::Clone() const {
  return std::make_unique<TlxRegExprPlusQuantifier>();
}
