#include "editors/kinds/currency_edit_win.h"

#include "editors/edit_data_binding_win.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

TlxCustomCurrencyEdit::TlxCustomCurrencyEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomTextEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomCurrencyEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no currency editor properties class");
  // The text is the display of the value, never a caption of its own.
  ControlStyle().Exclude(csSetCaption);
}

Variant TlxCustomCurrencyEdit::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant(Text()), value, true);
  return value;
}

bool TlxCustomCurrencyEdit::IsValidDataChar(char16_t ch) {
  const std::u16string text = Utf8ToUtf16(Text());
  const size_t start = std::min(static_cast<size_t>(std::max(GetSelStart(), 0)), text.size());
  const size_t length = std::min(static_cast<size_t>(std::max(GetSelLength(), 0)), text.size() - start);
  // The rules count UTF-8 bytes.
  const size_t byte_start = Utf16ToUtf8(text.substr(0, start)).size();
  const size_t byte_length = Utf16ToUtf8(text.substr(start, length)).size();
  return lxCurrencyEditAcceptsChar(*ActiveCurrencyProperties(), Utf16ToUtf8(text), byte_start, byte_length, ch);
}

void TlxCustomCurrencyEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  auto* text_properties = dynamic_cast<TlxCustomTextEditProperties*>(properties);
  if (text_properties != nullptr && text_properties->IsFormatChanging())
    return;
  if (!IsFocusedForFormatting())
    DataBinding()->UpdateDisplay();
  TlxCustomTextEdit::PropertiesChanged(properties);
}

void TlxCustomCurrencyEdit::PasteFromClipboard() {
  if (IsValueModifiable())
    TlxCustomTextEdit::PasteFromClipboard();
}

void TlxCustomCurrencyEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                      bool /*edit_focused*/) {
  edit_value = lxCurrencyTextToEditValue(*ActiveCurrencyProperties(), VarToStrDef(display_value, ""));
}

void TlxCustomCurrencyEdit::ApplyValueBounds() {
  // The correction counts as the user's exactly when the editor was modified.
  const bool was_user_change = IsUserChange();
  SetUserChange(Modified());
  TScopeExit restore([this, was_user_change] { SetUserChange(was_user_change); });
  const TlxCustomCurrencyEditProperties& properties = *ActiveCurrencyProperties();
  const double value = Value();
  if (properties.IsValueBoundSet(0) && value < properties.MinValue())
    SetValue(properties.MinValue());
  else if (properties.IsValueBoundSet(1) && value > properties.MaxValue())
    SetValue(properties.MaxValue());
}

void TlxCustomCurrencyEdit::HandleKeyPress(char16_t& key) {
  key = lxCurrencyEditMapKey(*ActiveCurrencyProperties(), key);
  TlxCustomTextEdit::HandleKeyPress(key);
}

double TlxCustomCurrencyEdit::Value() {
  if (IsFocusedForFormatting() && ModifiedAfterEnter() && !Validated())
    return lxCurrencyValueOf(GetEditingValue());
  return lxCurrencyValueOf(EditValue());
}

void TlxCustomCurrencyEdit::SetValue(double value) {
  SetEditValueUnlocked(Variant(lxClampCurrencyValue(*ActiveCurrencyProperties(), value)));
}

void TlxCurrencyEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCurrencyEdit>();
  p.Persistent("Properties", TlxCurrencyEditProperties::kClass, &TlxCurrencyEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxCurrencyEdit::BeepOnEnter, &TlxCurrencyEdit::SetBeepOnEnter, true);
}
