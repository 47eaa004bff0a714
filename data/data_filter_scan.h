#pragma once
// One pass of a controller's filter criteria over its records. A condition
// that orders a stored number against a number, or matches a stored text
// with LIKE, reads the value straight from the record storage, so that no
// Variant (and no copy of a text) is made per record. Every other
// condition, and every record whose value such a condition cannot take
// directly (a null, a missing or empty text), goes through the criteria's
// own evaluation: the answer is the same either way.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_filter_criteria.h"

class TlxDataStorage;
class TlxValueDef;

class TlxDataFilterScan {
 public:
  // The criteria must not change during the pass.
  explicit TlxDataFilterScan(TlxDataFilterCriteria& criteria);

  bool Accepts(int32_t record) { return Evaluate(0, record); }

 private:
  enum class TTest : uint8_t { kList, kGeneral, kOrder, kLike };
  // Bits of the orders a comparison accepts.
  static constexpr uint8_t kLess = 1, kEqual = 2, kGreater = 4;

  // A LIKE pattern of ASCII literals between single multi wildcards (no
  // single wildcard, no two multi wildcards in a row): on UTF-8 text it
  // matches by bytes exactly as the general matcher does by code points,
  // since an ASCII byte is always a code point of its own.
  struct TSimpleLike {
    bool Usable = false;
    // The literals between the wildcards; the first and last stand at the
    // text's ends unless the pattern starts or ends with a wildcard.
    std::vector<std::string> Parts;
    bool Matches(std::string_view text) const;
  };
  static TSimpleLike SimpleLikeOf(std::string_view pattern, char multi, char single);

  struct TNode {
    TTest Test = TTest::kGeneral;
    // kList: the operator and the children's places in children_.
    TlxFilterBoolOperatorKind Kind = fbkAnd;
    int32_t FirstChild = 0;
    int32_t ChildCount = 0;
    // Conditions.
    TlxFilterCriteriaItem* Condition = nullptr;
    const TlxValueDef* Def = nullptr;
    Variant Operand;
    std::string Pattern;
    TSimpleLike SimpleLike;
    uint8_t Accepted = 0;
    bool Negated = false;
  };

  int32_t AddList(const TlxFilterCriteriaItemList& list);
  int32_t AddCondition(TlxFilterCriteriaItem& condition);
  // Fills in a direct test when the condition allows one.
  void PrepareDirectTest(TNode& node) const;
  bool Evaluate(int32_t node_index, int32_t record);
  bool EvaluateCondition(const TNode& node, int32_t record);

  TlxDataFilterCriteria& criteria_;
  const TlxDataStorage& storage_;
  bool direct_reads_allowed_;
  std::vector<TNode> nodes_;
  std::vector<int32_t> children_;
};
