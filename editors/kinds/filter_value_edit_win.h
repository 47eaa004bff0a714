#pragma once
// The helper operations that work on a live operand editor: creating it,
// preparing its properties, putting an operand in and reading it back with
// its display text, and checking what was typed. The filter builder's
// in-place editing and the custom filter dialog both type operands through
// these.

#include <string>

#include "editors/filter_edit_helper.h"
#include "platform/rtl/variant.h"

class TlxCustomEdit;
class TlxCustomEditProperties;
class TlxFilterCriteria;
class TlxInplaceEditList;

// The helper's editor class, prepared from `source_properties`. Without a
// list the caller owns the new editor; with one the list keeps it (bound
// to `source_properties`). Raises when the helper names no editor class.
TlxCustomEdit* lxCreateFilterValueEdit(TlxFilterEditHelperClass helper, const TlxCustomEditProperties* source_properties,
                                       TlxInplaceEditList* inplace_list);
// The editor's active properties take over the source's settings, made fit
// for typing operands.
void lxInitializeFilterEditProperties(TlxFilterEditHelperClass helper, TlxCustomEdit& edit,
                                      const TlxCustomEditProperties* source_properties);
// The editor's value and its display text under `properties`.
void lxGetFilterValue(TlxFilterEditHelperClass helper, TlxCustomEdit& edit, const TlxCustomEditProperties& properties,
                      Variant& value, std::string& display_text);
// Puts an operand into the editor; helpers outside the text branch leave
// the editor as it is.
void lxSetEditFilterValue(TlxFilterEditHelperClass helper, TlxCustomEdit& edit, const Variant& value);
// lxCheckFilterOperand for a typed operand: a refused value marks the
// editor modified and gives it the focus before "Invalid value" is raised.
void lxCheckFilterValue(TlxCustomEdit& edit, Variant& value, TlxFilterConditionOperator op,
                        TlxFilterEditHelperClass helper, TlxValueTypeClass value_type);
// A like or not-like operand in a text editor may hold the criteria's two
// wildcards even where its field takes no such character; under any other
// operator they are taken out again. Other editors are left alone.
void lxAdjustFilterWildcardChars(TlxCustomEdit& edit, const TlxFilterCriteria& criteria,
                                 TlxFilterConditionOperator op);
