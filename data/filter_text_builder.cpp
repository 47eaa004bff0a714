// The two textual forms of a filter tree: the readable caption form (column
// captions, the resource words, operands as the user entered them) and the
// expression form that a dataset's own filter takes (field names, operator
// texts, quoted literals).
#include "data/filter_criteria.h"
#include "data/filter_operators.h"
#include "data/filter_texts.h"

std::string TlxFilterCriteria::BuildCaptionText() const { return BuildTreeText(true); }

std::string TlxFilterCriteria::BuildExpressionText() const { return BuildTreeText(false); }

std::string TlxFilterCriteria::BuildTreeText(bool caption_form) const { return ListText(*root_, caption_form); }

std::string TlxFilterCriteria::ListText(const TlxFilterCriteriaItemList& list, bool caption_form) const {
  const TlxFilterBoolOperatorKind kind = list.BoolOperatorKind();
  const bool is_or = kind == fbkOr || kind == fbkNotOr;
  std::string word;
  if (caption_form)
    word = lxGetFilterResString(is_or ? lxSFilterOrCaption : lxSFilterAndCaption);
  else
    word = is_or ? "OR" : "AND";
  std::string text;
  for (int32_t i = 0; i < list.ItemCount(); ++i) {
    const TlxCustomFilterCriteriaItem& node = *list.ItemAt(i);
    if (i > 0)
      text += " " + word + " ";
    if (node.IsList())
      text += "(" + ListText(static_cast<const TlxFilterCriteriaItemList&>(node), caption_form) + ")";
    else
      text += "(" + BuildItemText(static_cast<const TlxFilterCriteriaItem&>(node), caption_form) + ")";
  }
  if (kind != fbkNotAnd && kind != fbkNotOr)
    return text;
  // A negated list without children has nothing to negate: as a dataset
  // filter "NOT ()" would hide every row, while the list itself passes all.
  if (text.empty())
    return text;
  const std::string not_word = caption_form ? lxGetFilterResString(lxSFilterNotCaption) : "NOT";
  return not_word + " (" + text + ")";
}

std::string TlxFilterCriteria::BuildItemText(const TlxFilterCriteriaItem& condition, bool caption_form) const {
  const TlxFilterOperator& op = condition.Operator();
  if (!caption_form && op.WritesWholeExpression())
    return op.ExpressionValueText(condition.Value());
  std::string text = ItemFieldText(condition, caption_form) + " " + ItemOperatorText(condition, caption_form);
  const std::string value = ItemValueText(condition, caption_form);
  if (!value.empty())
    text += " " + value;
  return text;
}

std::string TlxFilterCriteria::ItemFieldText(const TlxFilterCriteriaItem& condition, bool caption_form) const {
  return caption_form ? condition.GetFieldCaption() : condition.GetFieldName();
}

std::string TlxFilterCriteria::ItemOperatorText(const TlxFilterCriteriaItem& condition, bool caption_form) const {
  const TlxFilterOperator& op = condition.Operator();
  if (caption_form && (op.HasDescription() || HasOption(fcoShowOperatorDescription)))
    return op.DescriptionText();
  return op.OperatorText();
}

std::string TlxFilterCriteria::ItemValueText(const TlxFilterCriteriaItem& condition, bool caption_form) const {
  return condition.GetValueText(caption_form);
}
