#include "data/filter_operators.h"

#include "data/data_utils.h"
#include "data/filter_texts.h"
#include "data/like_matcher.h"
#include "data/variant_utils.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/text.h"

namespace {

std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c;
    if (c == '\'')
      quoted += '\'';
  }
  quoted += '\'';
  return quoted;
}

// The field name of the condition in expression form.
std::string FieldOf(const TlxFilterOperator& op) {
  return op.Criteria()->ItemFieldText(*op.CriteriaItem(), false);
}

std::string NotWrapped(const std::string& text) { return "NOT (" + text + ")"; }

// The texts of a display value separated by ";".
std::vector<std::string> ListTokens(std::string_view text) {
  std::vector<std::string> tokens;
  size_t position = 0;
  while (position < text.size())
    tokens.push_back(lxNextListToken(text, position));
  return tokens;
}

Variant TextsAsArray(const std::vector<std::string>& texts) {
  Variant array = VarArrayCreate(0, static_cast<int32_t>(texts.size()) - 1, varVariant);
  for (size_t i = 0; i < texts.size(); ++i)
    array.Array().Put(static_cast<int32_t>(i), Variant(texts[i]));
  return array;
}

// The element of an operand array at a position counted from its low bound.
const Variant& Element(const Variant& operand, int32_t position) {
  const TVariantArray& items = operand.Array();
  return items.Get(items.LowBound() + position);
}

int Compare(const Variant& a, const Variant& b) { return lxVariantCompareStrict(a, b); }

// The pattern word of a LIKE operand: 1 begins, 2 ends, 3 contains, 0 plain.
int PatternKindOf(const TlxFilterOperator& op) {
  std::string text = VarToStr(op.CriteriaItem()->Value());
  return lxStripLikeWildcards(text, op.Criteria()->PercentWildcard());
}

bool ShowsDescriptions(const TlxFilterOperator& op) {
  return op.Criteria()->HasOption(fcoShowOperatorDescription);
}

std::string Word(const TlxResourceString& record) { return lxGetFilterResString(record); }

bool IsNullForCriteria(const TlxFilterOperator& op, const Variant& value) {
  return op.Criteria()->IsNullValue(value);
}

}  // namespace

// TlxFilterOperator

TlxFilterCriteria* TlxFilterOperator::Criteria() const { return criteria_item_->OwningCriteria(); }

std::string TlxFilterOperator::ExpressionValueText(const Variant& operand) const { return ValueToFilterText(operand); }

std::string TlxFilterOperator::ValueToFilterText(const Variant& value) const {
  std::string text;
  if (TryCustomValueText(value, text))
    return text;
  const TlxFilterCriteria& criteria = *Criteria();
  if (value.IsText())
    text = Quoted(value.AsString());
  else if (value.IsNull())
    text = "NULL";
  else if (value.Type() == varBoolean)
    text = criteria.ValueToText(value);
  else if (lxVariantIsDateTime(value))
    text = "'" + criteria.DateValueToText(value) + "'";
  else
    text = VarToStr(value);
  criteria.DoFormatFilterTextValue(*criteria_item_, value, text);
  return text;
}

void TlxFilterOperator::AdjustDisplayValue(std::string&) const {}

bool TlxFilterOperator::TryCustomValueText(const Variant&, std::string&) const { return false; }

// Equality

std::string TlxFilterEqualOperator::ExpressionValueText(const Variant& operand) const {
  if (!operand.IsArray())
    return ValueToFilterText(operand);
  // A condition over several fields: "F1;F2" pairs with [a, b].
  const std::string fields = FieldOf(*this);
  size_t position = 0;
  std::string text;
  const TVariantArray& items = operand.Array();
  for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i) {
    if (!text.empty())
      text += " AND ";
    text += "(" + lxNextListToken(fields, position) + " = " + ValueToFilterText(items.Get(i)) + ")";
  }
  return text;
}

bool TlxFilterEqualOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(value, operand) == 0;
}

std::string TlxFilterEqualOperator::DescriptionText() const { return Word(lxSFilterOperatorEqual); }

bool TlxFilterEqualOperator::WritesWholeExpression() const { return CriteriaItem()->Value().IsArray(); }

std::string TlxFilterNotEqualOperator::ExpressionValueText(const Variant& operand) const {
  return NotWrapped(TlxFilterEqualOperator::ExpressionValueText(operand));
}

bool TlxFilterNotEqualOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return !TlxFilterEqualOperator::Evaluate(value, operand);
}

std::string TlxFilterNotEqualOperator::DescriptionText() const { return Word(lxSFilterOperatorNotEqual); }

// Null tests

void TlxFilterNullOperator::AdjustDisplayValue(std::string& text) const {
  if (ShowsDescriptions(*this))
    text.clear();
}

bool TlxFilterNullOperator::Evaluate(const Variant& value, const Variant&) const {
  return IsNullForCriteria(*this, value);
}

std::string TlxFilterNullOperator::DescriptionText() const { return Word(lxSFilterOperatorIsNull); }

bool TlxFilterNotNullOperator::Evaluate(const Variant& value, const Variant&) const {
  return !IsNullForCriteria(*this, value);
}

std::string TlxFilterNotNullOperator::DescriptionText() const { return Word(lxSFilterOperatorIsNotNull); }

// Order

bool TlxFilterLessOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(value, operand) < 0;
}
std::string TlxFilterLessOperator::DescriptionText() const { return Word(lxSFilterOperatorLess); }

bool TlxFilterLessEqualOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(value, operand) <= 0;
}
std::string TlxFilterLessEqualOperator::DescriptionText() const { return Word(lxSFilterOperatorLessEqual); }

bool TlxFilterGreaterOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(value, operand) > 0;
}
std::string TlxFilterGreaterOperator::DescriptionText() const { return Word(lxSFilterOperatorGreater); }

bool TlxFilterGreaterEqualOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(value, operand) >= 0;
}
std::string TlxFilterGreaterEqualOperator::DescriptionText() const {
  return Word(lxSFilterOperatorGreaterEqual);
}

// LIKE

void TlxFilterLikeOperator::AdjustDisplayValue(std::string& text) const {
  if (ShowsDescriptions(*this))
    lxStripLikeWildcards(text, Criteria()->PercentWildcard());
}

bool TlxFilterLikeOperator::Evaluate(const Variant& value, const Variant& operand) const {
  const TlxFilterCriteria& criteria = *Criteria();
  return lxMatchLikePattern(VarToStr(value), VarToStr(operand), criteria.PercentWildcard(),
                            criteria.UnderscoreWildcard());
}

std::string TlxFilterLikeOperator::DescriptionText() const {
  switch (PatternKindOf(*this)) {
    case 1: return Word(lxSFilterOperatorBeginsWith);
    case 2: return Word(lxSFilterOperatorEndsWith);
    case 3: return Word(lxSFilterOperatorContains);
    default: return Word(lxSFilterOperatorLike);
  }
}

std::string TlxFilterNotLikeOperator::ExpressionValueText(const Variant& operand) const {
  return " NOT (" + FieldOf(*this) + " LIKE " + ValueToFilterText(operand) + ")";
}

bool TlxFilterNotLikeOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return !TlxFilterLikeOperator::Evaluate(value, operand);
}

std::string TlxFilterNotLikeOperator::DescriptionText() const {
  switch (PatternKindOf(*this)) {
    case 1: return Word(lxSFilterOperatorDoesNotBeginWith);
    case 2: return Word(lxSFilterOperatorDoesNotEndWith);
    case 3: return Word(lxSFilterOperatorDoesNotContain);
    default: return Word(lxSFilterOperatorNotLike);
  }
}

bool TlxFilterNotLikeOperator::WritesWholeExpression() const { return Criteria()->TranslateLike(); }

// BETWEEN

std::string TlxFilterBetweenOperator::ExpressionValueText(const Variant& operand) const {
  const std::string field = FieldOf(*this);
  return "(" + field + " >= " + ValueToFilterText(Element(operand, 0)) + ") AND (" + field +
         " <= " + ValueToFilterText(Element(operand, 1)) + ")";
}

void TlxFilterBetweenOperator::AdjustDisplayValue(std::string& text) const {
  std::vector<std::string> texts = ListTokens(text);
  texts.resize(2);
  text = lxFilterPairToCaption(TextsAsArray(texts));
}

bool TlxFilterBetweenOperator::TryCustomValueText(const Variant& value, std::string& text) const {
  if (!value.IsArray() || value.Array().Count() < 2)
    return false;
  text = ValueToFilterText(Element(value, 0)) + " AND " + ValueToFilterText(Element(value, 1));
  return true;
}

bool TlxFilterBetweenOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return Compare(Element(operand, 0), value) <= 0 && Compare(value, Element(operand, 1)) <= 0;
}

std::string TlxFilterBetweenOperator::DescriptionText() const { return Word(lxSFilterOperatorBetween); }

bool TlxFilterBetweenOperator::WritesWholeExpression() const { return Criteria()->TranslateBetween(); }

std::string TlxFilterNotBetweenOperator::ExpressionValueText(const Variant& operand) const {
  return NotWrapped(TlxFilterBetweenOperator::ExpressionValueText(operand));
}

bool TlxFilterNotBetweenOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return !TlxFilterBetweenOperator::Evaluate(value, operand);
}

std::string TlxFilterNotBetweenOperator::DescriptionText() const { return Word(lxSFilterOperatorNotBetween); }

// IN

std::string TlxFilterInListOperator::ExpressionValueText(const Variant& operand) const {
  const std::string field = FieldOf(*this);
  std::string text;
  const TVariantArray& items = operand.Array();
  for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i) {
    if (!text.empty())
      text += " OR ";
    text += "(" + field + " = " + ValueToFilterText(items.Get(i)) + ")";
  }
  return text;
}

void TlxFilterInListOperator::AdjustDisplayValue(std::string& text) const {
  text = lxFilterListToCaption(TextsAsArray(ListTokens(text)));
}

bool TlxFilterInListOperator::TryCustomValueText(const Variant& value, std::string& text) const {
  if (!value.IsArray())
    return false;
  text = "(";
  const TVariantArray& items = value.Array();
  for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i) {
    if (i > items.LowBound())
      text += ", ";
    text += ValueToFilterText(items.Get(i));
  }
  text += ")";
  return true;
}

bool TlxFilterInListOperator::Evaluate(const Variant& value, const Variant& operand) const {
  const TVariantArray& items = operand.Array();
  for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i)
    if (VarCompare(items.Get(i), value) == 0)
      return true;
  return false;
}

std::string TlxFilterInListOperator::DescriptionText() const { return Word(lxSFilterOperatorInList); }

bool TlxFilterInListOperator::WritesWholeExpression() const { return Criteria()->TranslateIn(); }

std::string TlxFilterNotInListOperator::ExpressionValueText(const Variant& operand) const {
  return NotWrapped(TlxFilterInListOperator::ExpressionValueText(operand));
}

bool TlxFilterNotInListOperator::Evaluate(const Variant& value, const Variant& operand) const {
  return !TlxFilterInListOperator::Evaluate(value, operand);
}

std::string TlxFilterNotInListOperator::DescriptionText() const { return Word(lxSFilterOperatorNotInList); }

// Helpers

bool lxIncludeTodayInRelativeDays() { return true; }

std::string lxFilterValueToCaption(const Variant& value) {
  if (value.IsNull())
    return lxGetFilterResString(lxSFilterBlankCaption);
  return VarToStr(value);
}

std::string lxFilterPairToCaption(const Variant& pair) {
  return lxFilterValueToCaption(Element(pair, 0)) + " " + lxGetFilterResString(lxSFilterAndCaption) + " " +
         lxFilterValueToCaption(Element(pair, 1));
}

std::string lxFilterListToCaption(const Variant& array) {
  std::string text = "(";
  const TVariantArray& items = array.Array();
  for (int32_t i = items.LowBound(); i <= items.HighBound(); ++i) {
    if (i > items.LowBound())
      text += ", ";
    text += lxFilterValueToCaption(items.Get(i));
  }
  return text + ")";
}

std::string lxNextListToken(std::string_view text, size_t& position) {
  if (position >= text.size())
    return {};
  const size_t end = text.find(';', position);
  const std::string_view token = text.substr(position, end == std::string_view::npos ? std::string_view::npos
                                                                                      : end - position);
  position = end == std::string_view::npos ? text.size() : end + 1;
  return std::string(TrimBlanks(token));
}
