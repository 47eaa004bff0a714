#pragma once
// The filter builder's condition operators: 1 "equals" to 36 "is future",
// 0 for none. Each maps onto a criteria operator kind of the data
// controller; "is blank" and "is not blank" are the equality kinds with a
// Null operand.

#include <cstdint>
#include <initializer_list>
#include <string>

#include "data/filter_criteria.h"
#include "platform/rtl/exceptions.h"

using TlxFilterConditionOperator = uint8_t;

inline constexpr TlxFilterConditionOperator fcoNone = 0;
inline constexpr TlxFilterConditionOperator fcoEqual = 1;
inline constexpr TlxFilterConditionOperator fcoNotEqual = 2;
inline constexpr TlxFilterConditionOperator fcoLess = 3;
inline constexpr TlxFilterConditionOperator fcoLessEqual = 4;
inline constexpr TlxFilterConditionOperator fcoGreater = 5;
inline constexpr TlxFilterConditionOperator fcoGreaterEqual = 6;
inline constexpr TlxFilterConditionOperator fcoLike = 7;
inline constexpr TlxFilterConditionOperator fcoNotLike = 8;
inline constexpr TlxFilterConditionOperator fcoBlanks = 9;
inline constexpr TlxFilterConditionOperator fcoNonBlanks = 10;
inline constexpr TlxFilterConditionOperator fcoBetween = 11;
inline constexpr TlxFilterConditionOperator fcoNotBetween = 12;
inline constexpr TlxFilterConditionOperator fcoInList = 13;
inline constexpr TlxFilterConditionOperator fcoNotInList = 14;
inline constexpr TlxFilterConditionOperator fcoYesterday = 15;
inline constexpr TlxFilterConditionOperator fcoFuture = 36;
inline constexpr TlxFilterConditionOperator kLxLastFilterConditionOperator = fcoFuture;

// A set of condition operators (bits 0 to 36).
class TlxFilterConditionOperators {
 public:
  constexpr TlxFilterConditionOperators() = default;
  constexpr TlxFilterConditionOperators(std::initializer_list<TlxFilterConditionOperator> operators) {
    for (TlxFilterConditionOperator op : operators)
      Include(op);
  }
  // The operators from `first` to `last`, both included.
  static constexpr TlxFilterConditionOperators Range(TlxFilterConditionOperator first,
                                                     TlxFilterConditionOperator last) {
    TlxFilterConditionOperators set;
    for (int32_t op = first; op <= last; ++op)
      set.Include(static_cast<TlxFilterConditionOperator>(op));
    return set;
  }

  // Operators above 36 are not members of any set.
  constexpr void Include(TlxFilterConditionOperator op) { bits_ |= Bit(op); }
  constexpr void Exclude(TlxFilterConditionOperator op) { bits_ &= ~Bit(op); }
  constexpr bool Contains(TlxFilterConditionOperator op) const { return (bits_ & Bit(op)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr bool operator==(const TlxFilterConditionOperators&) const = default;

 private:
  static constexpr uint64_t Bit(TlxFilterConditionOperator op) {
    return op > kLxLastFilterConditionOperator ? 0 : uint64_t{1} << op;
  }
  uint64_t bits_ = 0;
};

class ElxFilterControlError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const override { return "ElxFilterControlError"; }
};

// Raises ElxFilterControlError with the message.
[[noreturn]] void lxRaiseFilterControlError(const std::string& message);

// The operator's caption; empty for 0 and for values above 36.
std::string lxFilterOperatorText(TlxFilterConditionOperator op);
// The criteria operator kind of an operator; kind 0 for 0 and for values
// above 36.
TlxFilterOperatorKind lxFilterOperatorToKind(TlxFilterConditionOperator op);
// The operator of a criteria kind. With `is_null`, the equality kinds give
// the blank operators; the null kinds always do, so that a condition read
// with them keeps an operator. Unknown kinds give 0.
TlxFilterConditionOperator lxFilterKindToOperator(TlxFilterOperatorKind kind, bool is_null);
