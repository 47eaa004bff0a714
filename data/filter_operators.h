#pragma once
// The operators of filter conditions: each condition owns one operator
// object of the class its kind selects (and, for the equality and LIKE
// kinds, whether its operand counts as null). The operator decides whether
// a record value passes, names the condition in readable and in expression
// text, turns operands into filter text, and, for the relative date kinds,
// computes its date range from today when prepared.

#include <string>

#include "data/filter_criteria.h"

class TlxFilterOperator : public TObject {
 public:
  static constexpr TClass kClass{"TlxFilterOperator", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxFilterCriteriaItem;

  explicit TlxFilterOperator(TlxFilterCriteriaItem* criteria_item) : criteria_item_(criteria_item) {}

  // The virtual operations, in the order of their slots (the virtual
  // constructor is the class's factory).
  virtual std::string ExpressionValueText(const Variant& operand) const;
  virtual std::string ValueToFilterText(const Variant& value) const;
  virtual void AdjustDisplayValue(std::string& text) const;
  virtual void Prepare() {}
  virtual bool TryCustomValueText(const Variant& value, std::string& text) const;
  // May raise the platform's Variant errors (a text against a number).
  virtual bool Evaluate(const Variant& value, const Variant& operand) const = 0;
  virtual std::string DescriptionText() const { return OperatorText(); }
  virtual std::string OperatorText() const = 0;
  virtual bool HasDescription() const { return false; }
  virtual bool WritesWholeExpression() const { return false; }
  virtual bool TestsForNull() const { return false; }

  TlxFilterCriteriaItem* CriteriaItem() const { return criteria_item_; }
  TlxFilterCriteria* Criteria() const;

 private:
  TlxFilterCriteriaItem* criteria_item_;
};

class TlxFilterEqualOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterEqualOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterEqualOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "="; }
  bool WritesWholeExpression() const override;
};

class TlxFilterNotEqualOperator : public TlxFilterEqualOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNotEqualOperator", &TlxFilterEqualOperator::kClass, &ConstructInstance<TlxFilterNotEqualOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterEqualOperator::TlxFilterEqualOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "<>"; }
};

class TlxFilterNullOperator : public TlxFilterEqualOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNullOperator", &TlxFilterEqualOperator::kClass, &ConstructInstance<TlxFilterNullOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterEqualOperator::TlxFilterEqualOperator;

  void AdjustDisplayValue(std::string& text) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  bool WritesWholeExpression() const override { return false; }
  bool TestsForNull() const override { return true; }
};

class TlxFilterNotNullOperator : public TlxFilterNullOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNotNullOperator", &TlxFilterNullOperator::kClass, &ConstructInstance<TlxFilterNotNullOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNullOperator::TlxFilterNullOperator;

  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "<>"; }
};

class TlxFilterLessOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLessOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterLessOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "<"; }
};

class TlxFilterLessEqualOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLessEqualOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterLessEqualOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "<="; }
};

class TlxFilterGreaterOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterGreaterOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterGreaterOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return ">"; }
};

class TlxFilterGreaterEqualOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterGreaterEqualOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterGreaterEqualOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return ">="; }
};

class TlxFilterLikeOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLikeOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterLikeOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  void AdjustDisplayValue(std::string& text) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "LIKE"; }
};

class TlxFilterNotLikeOperator : public TlxFilterLikeOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNotLikeOperator", &TlxFilterLikeOperator::kClass, &ConstructInstance<TlxFilterNotLikeOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterLikeOperator::TlxFilterLikeOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "NOT LIKE"; }
  bool WritesWholeExpression() const override;
};

class TlxFilterBetweenOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterBetweenOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterBetweenOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  void AdjustDisplayValue(std::string& text) const override;
  bool TryCustomValueText(const Variant& value, std::string& text) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "BETWEEN"; }
  bool HasDescription() const override { return true; }
  bool WritesWholeExpression() const override;
};

class TlxFilterNotBetweenOperator : public TlxFilterBetweenOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNotBetweenOperator", &TlxFilterBetweenOperator::kClass, &ConstructInstance<TlxFilterNotBetweenOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterBetweenOperator::TlxFilterBetweenOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "NOT BETWEEN"; }
};

class TlxFilterInListOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterInListOperator", &TlxFilterOperator::kClass, &ConstructInstance<TlxFilterInListOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  void AdjustDisplayValue(std::string& text) const override;
  bool TryCustomValueText(const Variant& value, std::string& text) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "IN"; }
  bool HasDescription() const override { return true; }
  bool WritesWholeExpression() const override;
};

class TlxFilterNotInListOperator : public TlxFilterInListOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNotInListOperator", &TlxFilterInListOperator::kClass, &ConstructInstance<TlxFilterNotInListOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterInListOperator::TlxFilterInListOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string DescriptionText() const override;
  std::string OperatorText() const override { return "NOT IN"; }
};

// The relative date kinds: a half-open range [Date1, Date2) computed from
// today when the criteria prepares its operators; 0 is an open bound.
class TlxFilterDateOperator : public TlxFilterOperator {
 public:
  static constexpr TClass kClass{"TlxFilterDateOperator", &TlxFilterOperator::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterOperator::TlxFilterOperator;

  std::string ExpressionValueText(const Variant& operand) const override;
  void AdjustDisplayValue(std::string& text) const override { text.clear(); }
  bool Evaluate(const Variant& value, const Variant& operand) const override;
  std::string OperatorText() const override { return DescriptionText(); }
  bool WritesWholeExpression() const override { return true; }

  double Date1() const { return date1_; }
  double Date2() const { return date2_; }

 protected:
  void SetRange(double date1, double date2) {
    date1_ = date1;
    date2_ = date2;
  }

 private:
  double date1_ = 0;
  double date2_ = 0;
};

class TlxFilterLastNDaysOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLastNDaysOperator", &TlxFilterDateOperator::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;
  void Prepare() override;
  virtual int DayCount() const = 0;
};

class TlxFilterNextNDaysOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNextNDaysOperator", &TlxFilterDateOperator::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;
  void Prepare() override;
  virtual int DayCount() const = 0;
};

class TlxFilterYesterdayOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterYesterdayOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterYesterdayOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterTodayOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterTodayOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterTodayOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterTomorrowOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterTomorrowOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterTomorrowOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterLast7DaysOperator : public TlxFilterLastNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLast7DaysOperator", &TlxFilterLastNDaysOperator::kClass, &ConstructInstance<TlxFilterLast7DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterLastNDaysOperator::TlxFilterLastNDaysOperator;

  int DayCount() const override { return 7; }
  std::string DescriptionText() const override;
};

class TlxFilterLastWeekOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLastWeekOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterLastWeekOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterLast14DaysOperator : public TlxFilterLastNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLast14DaysOperator", &TlxFilterLastNDaysOperator::kClass, &ConstructInstance<TlxFilterLast14DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterLastNDaysOperator::TlxFilterLastNDaysOperator;

  int DayCount() const override { return 14; }
  std::string DescriptionText() const override;
};

class TlxFilterLastTwoWeeksOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLastTwoWeeksOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterLastTwoWeeksOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterLast30DaysOperator : public TlxFilterLastNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLast30DaysOperator", &TlxFilterLastNDaysOperator::kClass, &ConstructInstance<TlxFilterLast30DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterLastNDaysOperator::TlxFilterLastNDaysOperator;

  int DayCount() const override { return 30; }
  std::string DescriptionText() const override;
};

class TlxFilterLastMonthOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLastMonthOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterLastMonthOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterLastYearOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterLastYearOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterLastYearOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterInPastOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterInPastOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterInPastOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterThisWeekOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterThisWeekOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterThisWeekOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterThisMonthOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterThisMonthOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterThisMonthOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterThisYearOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterThisYearOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterThisYearOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterNext7DaysOperator : public TlxFilterNextNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNext7DaysOperator", &TlxFilterNextNDaysOperator::kClass, &ConstructInstance<TlxFilterNext7DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNextNDaysOperator::TlxFilterNextNDaysOperator;

  int DayCount() const override { return 7; }
  std::string DescriptionText() const override;
};

class TlxFilterNextWeekOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNextWeekOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterNextWeekOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterNext14DaysOperator : public TlxFilterNextNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNext14DaysOperator", &TlxFilterNextNDaysOperator::kClass, &ConstructInstance<TlxFilterNext14DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNextNDaysOperator::TlxFilterNextNDaysOperator;

  int DayCount() const override { return 14; }
  std::string DescriptionText() const override;
};

class TlxFilterNextTwoWeeksOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNextTwoWeeksOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterNextTwoWeeksOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterNext30DaysOperator : public TlxFilterNextNDaysOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNext30DaysOperator", &TlxFilterNextNDaysOperator::kClass, &ConstructInstance<TlxFilterNext30DaysOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNextNDaysOperator::TlxFilterNextNDaysOperator;

  int DayCount() const override { return 30; }
  std::string DescriptionText() const override;
};

class TlxFilterNextMonthOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNextMonthOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterNextMonthOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterNextYearOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterNextYearOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterNextYearOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};

class TlxFilterInFutureOperator : public TlxFilterDateOperator {
 public:
  static constexpr TClass kClass{"TlxFilterInFutureOperator", &TlxFilterDateOperator::kClass, &ConstructInstance<TlxFilterInFutureOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterDateOperator::TlxFilterDateOperator;

  void Prepare() override;
  std::string DescriptionText() const override;
};


// The class of the table for a kind (null outside 0..35).
const TClass* lxFilterOperatorClassOfKind(TlxFilterOperatorKind kind);
// Whether the last-N-days and next-N-days kinds include today (always true
// here).
bool lxIncludeTodayInRelativeDays();

// Captions of operands: "blank" for null, else the Variant's text; a pair
// as "a and b"; a list as "(a, b, c)".
std::string lxFilterValueToCaption(const Variant& value);
std::string lxFilterPairToCaption(const Variant& pair);
std::string lxFilterListToCaption(const Variant& array);
// The trimmed text from `position` up to the next ";" (or the end); the
// position moves past the ";".
std::string lxNextListToken(std::string_view text, size_t& position);
