#include "editors/kinds/filter_value_edit_win.h"

#include <memory>

#include "data/filter_criteria.h"
#include "editors/edit_control_win.h"
#include "editors/edit_inplace_list_win.h"
#include "editors/text_edit_control_win.h"
#include "editors/text_edit_properties.h"
#include "platform/rtl/exceptions.h"

TlxCustomEdit* lxCreateFilterValueEdit(TlxFilterEditHelperClass helper, const TlxCustomEditProperties* source_properties,
                                       TlxInplaceEditList* inplace_list) {
  if (helper == nullptr || helper->GetValueEditorClass() == nullptr)
    throw EInvalidOperation("The filter helper names no editor class");
  const TClass& edit_class = *helper->GetValueEditorClass();
  TlxCustomEdit* edit = nullptr;
  if (inplace_list == nullptr) {
    edit = TlxCustomEdit::CreateInplace(edit_class, nullptr, false);
  } else {
    // The list hands out editors by their properties kind; a scratch
    // properties object of the editor's kind picks the editor class.
    std::unique_ptr<TlxCustomEdit> probe(TlxCustomEdit::CreateInplace(edit_class, nullptr, true));
    edit = inplace_list->ObtainEditByClass(*probe->Properties());
  }
  std::unique_ptr<TlxCustomEdit> owned(inplace_list == nullptr ? edit : nullptr);
  lxInitializeFilterEditProperties(helper, *edit, source_properties);
  owned.release();
  return edit;
}

void lxInitializeFilterEditProperties(TlxFilterEditHelperClass helper, TlxCustomEdit& edit,
                                      const TlxCustomEditProperties* source_properties) {
  if (source_properties == nullptr || !source_properties->ClassType()->InheritsFrom(edit.Properties()->ClassType()))
    return;
  helper->InitValueEditorProperties(edit.GetActiveProperties(), source_properties, helper->KeepsEditButtons());
}

void lxGetFilterValue(TlxFilterEditHelperClass /*helper*/, TlxCustomEdit& edit,
                      const TlxCustomEditProperties& properties, Variant& value, std::string& display_text) {
  value = edit.EditValue();
  display_text.clear();
  properties.FormatDisplayText(value, display_text, true);
}

void lxSetEditFilterValue(TlxFilterEditHelperClass helper, TlxCustomEdit& edit, const Variant& value) {
  if (const auto* text_helper = dynamic_cast<const TlxFilterTextEditHelper*>(helper))
    text_helper->SetEditFilterValue(&edit, value);
}

void lxCheckFilterValue(TlxCustomEdit& edit, Variant& value, TlxFilterConditionOperator op,
                        TlxFilterEditHelperClass helper, TlxValueTypeClass value_type) {
  lxCheckFilterOperand(value, op, helper, value_type, [&edit] {
    edit.SetModifiedAfterEnter(true);
    if (edit.CanFocus())
      edit.SetFocus();
  });
}

void lxAdjustFilterWildcardChars(TlxCustomEdit& edit, const TlxFilterCriteria& criteria,
                                 TlxFilterConditionOperator op) {
  if (dynamic_cast<TlxCustomTextEdit*>(&edit) == nullptr)
    return;
  auto* properties = dynamic_cast<TlxCustomTextEditProperties*>(edit.GetActiveProperties());
  if (properties == nullptr)
    return;
  const std::u16string wildcards{static_cast<char16_t>(static_cast<unsigned char>(criteria.PercentWildcard())),
                                 static_cast<char16_t>(static_cast<unsigned char>(criteria.UnderscoreWildcard()))};
  if (op == fcoLike || op == fcoNotLike)
    properties->AddValidChars(wildcards);
  else
    properties->RemoveValidChars(wildcards);
}
