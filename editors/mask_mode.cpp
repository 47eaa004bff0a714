#include "editors/mask_mode.h"

#include "editors/mask_edit_properties.h"
#include "platform/rtl/text.h"

bool lxIsBlankMask(std::string_view mask) {
  for (char c : mask) {
    if (c != 0 && c != 9 && c != 10 && c != 12 && c != 13 && c != 32)
      return false;
  }
  return true;
}

TlxMaskEditCustomMode::TlxMaskEditCustomMode(IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties)
    : properties_(properties), edit_(edit) {}

TlxMaskEditCustomMode::~TlxMaskEditCustomMode() = default;

void TlxMaskEditCustomMode::Beep() {
  if (edit_ != nullptr && properties_ != nullptr && properties_->BeepOnError())
    edit_->Beep();
}

void TlxMaskEditCustomMode::RefreshDisplayValue() {
  if (edit_ == nullptr)
    return;
  if (edit_->IsModified()) {
    edit_->PutDisplayText(FormatTextForEditing(edit_->DisplayText(), true));
    return;
  }
  Variant display_value;
  properties_->EditValueToDisplayValue(edit_->EditValue(), edit_->IsFocusedForFormatting(), display_value);
  edit_->PutDisplayText(Utf8ToUtf16(VarToStr(display_value)));
}
