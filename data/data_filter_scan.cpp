#include "data/data_filter_scan.h"

#include <typeinfo>

#include "data/data_controller.h"
#include "data/data_controller_compare_keys.h"
#include "data/data_storage.h"
#include "data/filter_operators.h"
#include "data/like_matcher.h"

namespace {

// The stored number as a Variant of the same numeric kind that the value
// type's own reading gives (which is all that a comparison looks at);
// Empty for a type without a direct reading.
Variant StoredNumber(TlxValueTypeClass type, const void* value) {
  if (type == lxValueTypeClass<TlxSmallintValueType>())
    return Variant(int64_t{lxLoadUnaligned<int16_t>(value)});
  if (type == lxValueTypeClass<TlxIntegerValueType>())
    return Variant(int64_t{lxLoadUnaligned<int32_t>(value)});
  if (type == lxValueTypeClass<TlxWordValueType>())
    return Variant(int64_t{lxLoadUnaligned<uint16_t>(value)});
  if (type == lxValueTypeClass<TlxLargeIntValueType>())
    return Variant(lxLoadUnaligned<int64_t>(value));
  if (type == lxValueTypeClass<TlxFloatValueType>())
    return Variant(lxLoadUnaligned<double>(value));
  return Variant();
}

bool HasDirectNumber(TlxValueTypeClass type) {
  return type == lxValueTypeClass<TlxSmallintValueType>() || type == lxValueTypeClass<TlxIntegerValueType>() ||
         type == lxValueTypeClass<TlxWordValueType>() || type == lxValueTypeClass<TlxLargeIntValueType>() ||
         type == lxValueTypeClass<TlxFloatValueType>();
}

template <class Operator>
bool Is(const TlxFilterOperator& op) {
  return typeid(op) == typeid(Operator);
}

// The orders an operator of the comparison family accepts; 0 for others.
uint8_t AcceptedOrders(const TlxFilterOperator& op, uint8_t less, uint8_t equal, uint8_t greater) {
  if (Is<TlxFilterEqualOperator>(op))
    return equal;
  if (Is<TlxFilterNotEqualOperator>(op))
    return less | greater;
  if (Is<TlxFilterLessOperator>(op))
    return less;
  if (Is<TlxFilterLessEqualOperator>(op))
    return less | equal;
  if (Is<TlxFilterGreaterOperator>(op))
    return greater;
  if (Is<TlxFilterGreaterEqualOperator>(op))
    return greater | equal;
  return 0;
}

}  // namespace

TlxDataFilterScan::TlxDataFilterScan(TlxDataFilterCriteria& criteria)
    : criteria_(criteria), storage_(criteria.DataController().DataStorage()) {
  const TlxCustomDataController& controller = criteria.DataController();
  // Descendants may read or normalise values their own way.
  direct_reads_allowed_ = typeid(criteria) == typeid(TlxDataFilterCriteria) &&
                          controller.ReadsStoredValuesDirectly() && !controller.IsProviderMode() &&
                          !controller.IsGridMode();
  AddList(criteria.Root());
}

int32_t TlxDataFilterScan::AddList(const TlxFilterCriteriaItemList& list) {
  const auto index = static_cast<int32_t>(nodes_.size());
  TNode& node = nodes_.emplace_back();
  node.Test = TTest::kList;
  node.Kind = list.BoolOperatorKind();
  std::vector<int32_t> children;
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    TlxCustomFilterCriteriaItem* child = list.ItemAt(i);
    children.push_back(child->IsList() ? AddList(static_cast<TlxFilterCriteriaItemList&>(*child))
                                       : AddCondition(static_cast<TlxFilterCriteriaItem&>(*child)));
  }
  TNode& added = nodes_[static_cast<size_t>(index)];
  added.FirstChild = static_cast<int32_t>(children_.size());
  added.ChildCount = static_cast<int32_t>(children.size());
  children_.insert(children_.end(), children.begin(), children.end());
  return index;
}

int32_t TlxDataFilterScan::AddCondition(TlxFilterCriteriaItem& condition) {
  TNode node;
  node.Condition = &condition;
  if (direct_reads_allowed_)
    PrepareDirectTest(node);
  nodes_.push_back(std::move(node));
  return static_cast<int32_t>(nodes_.size()) - 1;
}

void TlxDataFilterScan::PrepareDirectTest(TNode& node) const {
  TlxFilterCriteriaItem& condition = *node.Condition;
  if (typeid(condition) != typeid(TlxDataFilterCriteriaItem))
    return;
  const TlxCustomDataField* field = static_cast<TlxDataFilterCriteriaItem&>(condition).Field();
  const TlxValueDef* def = field != nullptr ? field->ValueDef() : nullptr;
  if (def == nullptr)
    return;
  const TlxValueTypeClass type = def->ValueTypeClass();
  const TlxFilterOperator& op = condition.Operator();
  Variant operand;
  try {
    operand = criteria_.NormalizeValue(condition.Value());
  } catch (const EVariantError&) {
    return;
  }
  const uint8_t accepted = AcceptedOrders(op, kLess, kEqual, kGreater);
  if (accepted != 0 && HasDirectNumber(type) && !operand.IsArray() &&
      operand.NumericKind() != Variant::Kind::kOther) {
    node.Test = TTest::kOrder;
    node.Accepted = accepted;
  } else if ((Is<TlxFilterLikeOperator>(op) || Is<TlxFilterNotLikeOperator>(op)) &&
             type == lxValueTypeClass<TlxStringValueType>() && !criteria_.HasOption(fcoCaseInsensitive)) {
    try {
      node.Pattern = VarToStr(operand);
    } catch (const EVariantError&) {
      return;
    }
    node.Test = TTest::kLike;
    node.Negated = Is<TlxFilterNotLikeOperator>(op);
    node.SimpleLike = SimpleLikeOf(node.Pattern, criteria_.PercentWildcard(), criteria_.UnderscoreWildcard());
  } else {
    return;
  }
  node.Def = def;
  node.Operand = std::move(operand);
}

bool TlxDataFilterScan::Evaluate(int32_t node_index, int32_t record) {
  const TNode& node = nodes_[static_cast<size_t>(node_index)];
  if (node.Test != TTest::kList)
    return EvaluateCondition(node, record);
  // As the criteria: every child is evaluated, no short-circuit.
  bool result = true;
  for (int32_t i = 0; i < node.ChildCount; ++i) {
    const bool value = Evaluate(children_[static_cast<size_t>(node.FirstChild + i)], record);
    if (i == 0) {
      result = (node.Kind == fbkAnd || node.Kind == fbkOr) ? value : !value;
      continue;
    }
    switch (node.Kind) {
      case fbkAnd: result = result && value; break;
      case fbkOr: result = result || value; break;
      case fbkNotAnd: result = result || !value; break;
      case fbkNotOr: result = result && !value; break;
    }
  }
  return result;
}

bool TlxDataFilterScan::EvaluateCondition(const TNode& node, int32_t record) {
  const void* value = nullptr;
  if (node.Test == TTest::kGeneral || storage_.ValueForCompare(record, *node.Def, value))
    return criteria_.EvaluateCondition(*node.Condition, record);
  if (node.Test == TTest::kOrder) {
    const int order = VarCompare(StoredNumber(node.Def->ValueTypeClass(), value), node.Operand);
    return (node.Accepted & (order < 0 ? kLess : order > 0 ? kGreater : kEqual)) != 0;
  }
  // A missing or empty text may count as null for the criteria.
  const auto* text = static_cast<const std::string*>(value);
  if (text == nullptr || text->empty())
    return criteria_.EvaluateCondition(*node.Condition, record);
  const bool matched =
      node.SimpleLike.Usable
          ? node.SimpleLike.Matches(*text)
          : lxMatchLikePattern(*text, node.Pattern, criteria_.PercentWildcard(), criteria_.UnderscoreWildcard());
  return matched != node.Negated;
}

TlxDataFilterScan::TSimpleLike TlxDataFilterScan::SimpleLikeOf(std::string_view pattern, char multi, char single) {
  TSimpleLike like;
  const auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  if (pattern.empty() || multi == single || !ascii(multi))
    return like;
  for (size_t i = 0; i < pattern.size(); ++i)
    if (!ascii(pattern[i]) || pattern[i] == single || (i > 0 && pattern[i] == multi && pattern[i - 1] == multi))
      return like;
  size_t start = 0;
  while (true) {
    const size_t wildcard = pattern.find(multi, start);
    like.Parts.emplace_back(pattern.substr(start, wildcard == std::string_view::npos ? pattern.npos : wildcard - start));
    if (wildcard == std::string_view::npos)
      break;
    start = wildcard + 1;
  }
  like.Usable = true;
  return like;
}

bool TlxDataFilterScan::TSimpleLike::Matches(std::string_view text) const {
  if (Parts.size() == 1)
    return text == Parts.front();
  const std::string& head = Parts.front();
  const std::string& tail = Parts.back();
  if (text.size() < head.size() + tail.size() || !text.starts_with(head) || !text.ends_with(tail))
    return false;
  // Leftmost placement of each middle literal leaves the most room for the
  // ones after it.
  size_t position = head.size();
  const size_t end = text.size() - tail.size();
  for (size_t i = 1; i + 1 < Parts.size(); ++i) {
    const size_t found = text.substr(0, end).find(Parts[i], position);
    if (found == std::string_view::npos)
      return false;
    position = found + Parts[i].size();
  }
  return true;
}
