#pragma once
// TlxFilterDialog: the custom filter of one grid column in a small modal
// form: one or two conditions on the column joined by AND or OR, each an
// operator from a list and an operand typed with the column's own editor
// kind. Filters it cannot show go to the filter builder dialog instead
// (lxFilterNeedsFilterBuilder).

#include <memory>
#include <string>

#include "data/filter_criteria.h"
#include "editors/filter_edit_helper.h"
#include "platform/toolkit/form.h"

class TBevel;
class TLabel;
class TFont;
class TlxButton;
class TlxComboBox;
class TlxCustomEdit;
class TlxCustomEditProperties;
class TlxLookAndFeel;
class TlxRadioButton;

class TlxFilterDialog : public TForm {
 public:
  static constexpr TClass kClass{"TlxFilterDialog", &TForm::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Criteria, item link and properties stay the caller's; font and
  // look-and-feel may be null.
  TlxFilterDialog(TlxFilterCriteria& criteria, const TFont* font, TlxLookAndFeel* look_and_feel,
                  TlxValueTypeClass value_type, const std::string& item_caption, TlxCustomEditProperties* properties,
                  TObject* item_link);
  ~TlxFilterDialog() override;

  virtual TlxComboBox& GetOperatorCombo(const TlxCustomEdit* edit) const;
  virtual void GetDialogOperators(TlxFilterConditionOperators& operators) const;
  // Writes the accepted rows into the criteria in one change bracket.
  virtual void ApplyChanges();

  TLabel& LblTitle() const { return *lbl_title_; }
  TLabel& LblColumnCaption() const { return *lbl_column_caption_; }
  TBevel& BvlLine() const { return *bvl_line_; }
  TlxComboBox& CbOperator1() const { return *cb_operator1_; }
  TlxComboBox& CbOperator2() const { return *cb_operator2_; }
  TlxRadioButton& RbAnd() const { return *rb_and_; }
  TlxRadioButton& RbOr() const { return *rb_or_; }
  TLabel& LblSingle() const { return *lbl_single_; }
  TLabel& LblSeries() const { return *lbl_series_; }
  TlxButton& BtnOK() const { return *btn_ok_; }
  TlxButton& BtnCancel() const { return *btn_cancel_; }
  TlxCustomEdit* Edit1() const { return edit1_; }
  TlxCustomEdit* Edit2() const { return edit2_; }
  TlxFilterEditHelperClass HelperClass() const { return helper_; }

  // The operands read when OK was accepted.
  Variant Value1 = Variant::Null();
  Variant Value2 = Variant::Null();
  std::string Text1;
  std::string Text2;

 protected:
  virtual void InitControls(const std::string& item_caption);
  virtual void InitFromCriteria();
  virtual void SetDialogLookAndFeel(TlxLookAndFeel& look_and_feel);

 private:
  void BuildControls();
  TlxCustomEdit* CreateOperandEdit(const TLabel& place_holder);
  void FillOperatorCombos();
  void SelectOperator(TlxComboBox& combo, TlxFilterConditionOperator op);
  void ShowCondition(const TlxFilterCriteriaItem& condition, TlxComboBox& combo, TlxCustomEdit& edit);
  void UpdateWildcards();
  void FormCloseQuery(bool& can_close);
  // Reads one row's operand; raises when it is refused.
  void ReadOperand(TlxComboBox& combo, TlxCustomEdit& edit, Variant& value, std::string& text);
  void AddRow(TlxFilterCriteriaItemList& list, TlxComboBox& combo, const Variant& value, const std::string& text);

  TlxFilterCriteria& criteria_;
  TObject* item_link_;
  TlxCustomEditProperties* properties_;
  TlxFilterEditHelperClass helper_;
  TlxValueTypeClass value_type_;
  // The controls are owned by the form as components.
  TLabel* lbl_title_ = nullptr;
  TLabel* lbl_column_caption_ = nullptr;
  TBevel* bvl_line_ = nullptr;
  TlxComboBox* cb_operator1_ = nullptr;
  TLabel* lbl_edit1_place_holder_ = nullptr;
  TlxRadioButton* rb_and_ = nullptr;
  TlxRadioButton* rb_or_ = nullptr;
  TlxComboBox* cb_operator2_ = nullptr;
  TLabel* lbl_edit2_place_holder_ = nullptr;
  TLabel* lbl_single_ = nullptr;
  TLabel* lbl_series_ = nullptr;
  TlxButton* btn_ok_ = nullptr;
  TlxButton* btn_cancel_ = nullptr;
  // Made by the dialog without an owner; freed with it.
  TlxCustomEdit* edit1_ = nullptr;
  TlxCustomEdit* edit2_ = nullptr;
};

// The operator of the combo's selected entry; none for no selection or the
// empty first entry.
TlxFilterConditionOperator lxDialogComboOperator(TlxComboBox& combo);

// Shows the custom filter dialog for one column; true when it was closed
// with OK and the criteria took the rows. False at once when the column's
// editor kind has no filter helper.
bool lxShowCustomFilterDialog(TlxFilterCriteria& criteria, TObject* item_link, TlxCustomEditProperties* properties,
                              const TFont* font, TlxLookAndFeel* look_and_feel, TlxValueTypeClass value_type,
                              const std::string& item_caption);

// Whether the criteria is beyond the custom filter dialog: a root that is
// not AND, a column used twice, an operator the dialog lacks, nesting.
bool lxFilterNeedsFilterBuilder(const TlxFilterCriteria& criteria);
