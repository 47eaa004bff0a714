#pragma once
// The filter builder's rows: a tree of group rows (AND, OR, NOT AND, NOT OR
// over their children) and condition rows (item, operator, operands), built
// from a filter criteria and written back into one. The builder learns the
// filterable items of the component it edits through IlxFilterControl and
// names them in its own criteria through the same interface.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/filter_criteria.h"
#include "data/value_types.h"
#include "editors/filter_condition_operators.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/geometry.h"
#include "ui/foundation/painters/painter_types.h"

class TlxCustomEditProperties;
class TlxFilterBuilder;
class TlxGroupViewInfo;
class TlxConditionViewInfo;
struct TlxFilterBuilderHitInfo;

// The component whose filter the builder edits (a grid view, for example).
class IlxFilterControl : public virtual IInterface {
 public:
  virtual void GetCaption(int32_t index, std::string& caption) = 0;
  virtual int32_t GetCount() = 0;
  // The component's own criteria; null when it has none.
  virtual TlxFilterCriteria* GetCriteria() = 0;
  // The object conditions refer to (a column, for example).
  virtual TObject* GetItemLink(int32_t index) = 0;
  // Identity and name written into filter streams.
  virtual int32_t GetItemLinkID(int32_t index) = 0;
  virtual void GetItemLinkName(int32_t index, std::string& name) = 0;
  virtual void GetFieldName(int32_t index, std::string& name) = 0;
  // The editor properties that show the item's values; null allowed.
  virtual TlxCustomEditProperties* GetProperties(int32_t index) = 0;
  virtual TlxValueTypeClass GetValueType(int32_t index) = 0;
};

// The first index whose item link is `link`; -1 when none (or no link).
int32_t lxFilterLinkIndexOf(IlxFilterControl* link, TObject* item_link);

// A condition of the builder's criteria: it never evaluates records.
class TlxFilterControlCriteriaItem : public TlxFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TlxFilterControlCriteriaItem", &TlxFilterCriteriaItem::kClass,
                                 &ConstructInstance<TlxFilterControlCriteriaItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterCriteriaItem::TlxFilterCriteriaItem;

  Variant GetRecordValue(int32_t record_index) override;
  std::string GetFieldCaption() const override;
  std::string GetFieldName() const override;
  const TClass* OperatorClassForKind(TlxFilterOperatorKind kind) const override;

 private:
  // The item's index among the link's items when the link offers it; -1
  // otherwise.
  int32_t ValidLinkIndex() const;
};

// The criteria a filter builder owns; item links resolve through the
// builder's IlxFilterControl (to nothing while it has none).
class TlxFilterControlCriteria : public TlxFilterCriteria {
 public:
  using TOwnerType = TlxFilterBuilder;
  static constexpr TClass kClass{"TlxFilterControlCriteria", &TlxFilterCriteria::kClass,
                                 &ConstructInstance<TlxFilterControlCriteria>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxFilterControlCriteria(TlxFilterBuilder* control);

  int32_t GetItemLinkId(TObject* link) const override;
  std::string GetItemLinkName(TObject* link) const override;
  TObject* FindItemLinkById(int32_t id) const override;
  TObject* FindItemLinkByName(const std::string& name) const override;
  const TClass* ConditionItemClass() const override { return &TlxFilterControlCriteriaItem::kClass; }
  // Assigning another criteria never copies its change handler.
  void AssignEvents(const TlxFilterCriteria& /*source*/) override {}

  TlxFilterBuilder* Control() const { return control_; }
  IlxFilterControl* Link() const;

 private:
  TlxFilterBuilder* control_;
};

// One operand of a condition.
class TlxValueInfo {
 public:
  Variant Value = Variant::Null();
  std::string OperandText;
  TRect OperandRect;
  // What draws the operand (an editor view info); set by the layout's
  // measurer, replacing the old one.
  std::unique_ptr<TObject> OperandViewInfo;
};

// "blank" for a Null value, or for an empty text when `blank_when_empty`;
// else the operand's text.
std::string lxValueDisplayText(const TlxValueInfo& value, bool blank_when_empty);

// The operands of one condition.
class TlxValuesViewInfo {
 public:
  explicit TlxValuesViewInfo(TlxConditionViewInfo* condition) : condition_(condition) {}
  virtual ~TlxValuesViewInfo() = default;

  virtual void HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info);
  // Lays the operands out behind the operator (the layout's part).
  void Calculate();

  TlxValueInfo* AddOperand();
  // Nothing when the index does not exist.
  void DeleteOperand(int32_t index);
  void Clear() { list_.clear(); }
  int32_t Count() const { return static_cast<int32_t>(list_.size()); }
  TlxValueInfo& Item(int32_t index) const { return *list_.at(static_cast<size_t>(index)); }
  TlxConditionViewInfo* Condition() const { return condition_; }

  TRect PlusButtonRect;
  TlxButtonState PlusButtonState = lxbsNormal;
  std::string Separator;

 private:
  TlxConditionViewInfo* condition_;
  std::vector<std::unique_ptr<TlxValueInfo>> list_;
};

// One row of the tree.
class TlxCustomRowViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomRowViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // A group's AppendRow hands the new row to its parent, which owns it.
  TlxCustomRowViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item,
                       TlxGroupViewInfo* parent);
  ~TlxCustomRowViewInfo() override = default;

  // Layout (the rows' share of the builder's layout).
  virtual int32_t MeasureWidth() const;
  virtual void Calculate(const TRect& row_rect);
  virtual void HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info);
  virtual bool IsComplete() const { return true; }
  virtual bool IsGroup() const { return false; }

  bool IsLastChild() const;
  int32_t LevelOfTree() const;

  TlxFilterBuilder* Control() const { return control_; }
  TlxGroupViewInfo* Parent() const { return parent_; }
  TlxCustomFilterCriteriaItem* CriteriaItem() const { return criteria_item_; }

  std::string ButtonText;
  int32_t Level = 0;
  int32_t Indent = 0;
  TRect ButtonRect;
  TlxButtonState ButtonState = lxbsNormal;
  TRect RowRect;

 private:
  TlxFilterBuilder* control_;
  TlxGroupViewInfo* parent_;
  TlxCustomFilterCriteriaItem* criteria_item_;
};

class TlxGroupViewInfo : public TlxCustomRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxGroupViewInfo", &TlxCustomRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGroupViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item, TlxGroupViewInfo* parent);
  // Frees the children first to last.
  ~TlxGroupViewInfo() override;

  int32_t MeasureWidth() const override;
  void Calculate(const TRect& row_rect) override;
  void HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) override;
  bool IsGroup() const override { return true; }

  int32_t RowCount() const { return static_cast<int32_t>(rows_.size()); }
  TlxCustomRowViewInfo* Row(int32_t index) const { return rows_.at(static_cast<size_t>(index)).get(); }
  int32_t IndexOf(const TlxCustomRowViewInfo* row) const;
  // Takes a row built with this group as its parent.
  TlxCustomRowViewInfo* AppendRow(std::unique_ptr<TlxCustomRowViewInfo> row);
  // Frees one child row with its subtree.
  void FreeRow(TlxCustomRowViewInfo* row);
  void FreeAllRows();

  TlxFilterBoolOperatorKind GroupOperator = fbkAnd;
  std::string GroupOperatorText;
  TRect GroupOperatorRect;
  std::string Caption;
  TRect GroupCaptionRect;

 private:
  std::vector<std::unique_ptr<TlxCustomRowViewInfo>> rows_;
};

class TlxConditionViewInfo : public TlxCustomRowViewInfo {
 public:
  static constexpr TClass kClass{"TlxConditionViewInfo", &TlxCustomRowViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // From a criteria condition when `criteria_item` is one (raises
  // ElxFilterControlError "Can't build filter from source" when the link
  // does not offer its item); else a new condition on the default item.
  TlxConditionViewInfo(TlxFilterBuilder* control, TlxCustomFilterCriteriaItem* criteria_item,
                       TlxGroupViewInfo* parent);
  ~TlxConditionViewInfo() override;

  int32_t MeasureWidth() const override;
  void Calculate(const TRect& row_rect) override;
  void HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) override;
  // An item and an operator; an item whose caption is empty still counts.
  bool IsComplete() const override {
    return LinkObject != nullptr && Operator != fcoNone && Operator <= kLxLastFilterConditionOperator;
  }

  // False for the blank operators and the date ranges.
  virtual bool TakesOperands() const;
  // Picks the helper, the operand properties, the value type and the
  // offered operators of the item.
  virtual void PrepareOperandEditor();

  // A negative index picks the default item.
  void SelectItem(int32_t index);
  // Adjusts the number of operands to the operator; `keep` keeps what fits.
  void FitOperands(bool keep);
  // The item's properties, or the builder's default properties.
  TlxCustomEditProperties* ItemEditProperties() const;
  void SetOperator(TlxFilterConditionOperator op);
  bool IsListOperator() const { return Operator == fcoInList || Operator == fcoNotInList; }
  bool IsRangeOperator() const { return Operator == fcoBetween || Operator == fcoNotBetween; }

  TlxValuesViewInfo& Values() const { return *values_; }
  // The item's properties prepared for showing operands; made when first
  // asked for, as most conditions never show an editor.
  TlxCustomEditProperties* OperandProperties() const;

  int32_t LinkIndex = -1;
  TObject* LinkObject = nullptr;
  std::string ItemCaption;
  TRect ItemCaptionRect;
  TlxFilterConditionOperator Operator = fcoNone;
  std::string OperatorCaption;
  TRect OperatorCaptionRect;
  TlxFilterEditHelperClass HelperClass = nullptr;
  TlxValueTypeClass ValueTypeClass = nullptr;
  TlxFilterConditionOperators OfferedOperators;
  // Kept for the in-place value editor between its activations.
  std::unique_ptr<TObject> OperandEditData;

 private:
  void ReadCriteriaCondition(const TlxFilterCriteriaItem& condition);

  mutable std::unique_ptr<TlxCustomEditProperties> operand_properties_;
  std::unique_ptr<TlxValuesViewInfo> values_;
};
