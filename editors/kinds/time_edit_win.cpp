#include "editors/kinds/time_edit_win.h"

#include <cmath>

#include "data/variant_utils.h"
#include "editors/edit_data_binding_win.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/property.h"
#include "platform/rtl/text.h"

namespace {

constexpr double kSecondsPerDay = 86400.0;

// The whole days of a value (a text is read as a date-time first); 0 for
// what is no date-time.
double WholeDaysOf(const Variant& value) {
  if (value.IsNull() || value.IsEmpty())
    return 0;
  TDateTime date_time = 0;
  if (value.IsText()) {
    if (!TryStrToDateTime(VarToStr(value), date_time))
      return 0;
  } else if (lxVariantIsNumeric(value) || value.Type() == varDate) {
    date_time = value.AsDouble();
  } else {
    return 0;
  }
  return std::trunc(date_time);
}

// The date part joined with a time of day; a negative date counts back.
double JoinDateAndTime(double date_part, double time) {
  return date_part < 0 ? date_part - time : date_part + time;
}

}  // namespace

TlxCustomTimeEdit::TlxCustomTimeEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomSpinEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomTimeEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no time editor properties class");
}

// --- the time --------------------------------------------------------------------------------

TDateTime TlxCustomTimeEdit::GetTime() {
  double value = 0;
  if (IsFocusedForFormatting()) {
    Variant edit_value;
    ConvertDisplayToEditValue(Variant(ShownText()), edit_value, true);
    value = edit_value.IsNull() || edit_value.IsEmpty() ? 0 : edit_value.AsDouble();
  } else {
    const Variant edit_value = GetEditValue();
    TDateTime parsed = 0;
    if (edit_value.IsText())
      value = TryStrToDateTime(VarToStr(edit_value), parsed) ? parsed : 0;
    else if (!edit_value.IsNull() && !edit_value.IsEmpty())
      value = edit_value.AsDouble();
  }
  double whole = 0;
  return std::fabs(std::modf(value, &whole));
}

void TlxCustomTimeEdit::SetTime(TDateTime value) {
  double whole = 0;
  const double time = std::fabs(std::modf(value, &whole));
  SetEditValueUnlocked(Variant::FromDate(JoinDateAndTime(date_part_, time)));
}

// --- spinning ----------------------------------------------------------------------------------

double TlxCustomTimeEdit::GetIncrement(int32_t button_index) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const int32_t sel_start = inner != nullptr ? inner->GetSelStart() : 0;
  const int32_t seconds = static_cast<int32_t>(GetValue().AsDouble());
  return ActiveTimeProperties()->GetIncrementAt(sel_start, button_index, seconds);
}

Variant TlxCustomTimeEdit::GetValue() {
  return Variant(static_cast<double>(ActiveTimeProperties()->SecondsFromText(Utf8ToUtf16(ShownText()))));
}

void TlxCustomTimeEdit::ValueToDisplayText(const Variant& value, std::string& text) {
  TlxCustomSpinEdit::ValueToDisplayText(Variant::FromDate(value.AsDouble() / kSecondsPerDay), text);
}

void TlxCustomTimeEdit::SetValue(const Variant& value) {
  if (lxVariantIsNumeric(value))
    SetTime(value.AsDouble() / kSecondsPerDay);
}

bool TlxCustomTimeEdit::DoSpin(int32_t button_index) {
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  const int32_t caret = inner != nullptr ? inner->GetSelStart() : 0;
  const bool changed = TlxCustomSpinEdit::DoSpin(button_index);
  if (!HandleAllocated() || GetInnerTextEdit() == nullptr)
    return changed;
  // The stepped field stays marked, so that the next step takes it again.
  int32_t sel_start = 0;
  int32_t sel_length = 0;
  ActiveTimeProperties()->GetSpinSelection(Utf8ToUtf16(ShownText()), caret, sel_start, sel_length);
  SetSelStartGuarded(sel_start);
  SetSelLengthGuarded(sel_length);
  return changed;
}

// --- values and text ---------------------------------------------------------------------------

Variant TlxCustomTimeEdit::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant(ShownText()), value, true);
  return value;
}

void TlxCustomTimeEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  const TDateTime time = ActiveTimeProperties()->TimeFromText(VarToStr(display_value));
  const double result = JoinDateAndTime(date_part_, time);
  edit_value = result != 0 ? Variant::FromDate(result) : Variant(0.0);
}

void TlxCustomTimeEdit::AcceptDisplayValue(const Variant& display_value) {
  if (ActiveTimeProperties()->Use24HourFormat() || !VarToStr(display_value).empty()) {
    TlxCustomSpinEdit::AcceptDisplayValue(display_value);
    return;
  }
  // An empty 12-hour text has no designator the mask could keep.
  if (IlxInnerTextEdit* inner = GetInnerTextEdit())
    inner->SetEditValue(display_value);
}

void TlxCustomTimeEdit::StoreEditValue(const Variant& value, bool is_user_action) {
  Variant checked = value;
  const bool valid = ActiveTimeProperties()->IsEditValueValid(checked, IsFocusedForFormatting());
  if (is_user_action && !valid)
    return;
  date_part_ = valid ? WholeDaysOf(value) : 0;
  TlxCustomSpinEdit::StoreEditValue(value, is_user_action);
}

void TlxCustomTimeEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  // While the control is built it has no window to show a text in yet.
  if (HandleAllocated() && !IsFocusedForFormatting()) {
    DataBinding()->UpdateDisplay();
    if (IlxInnerTextEdit* inner = GetInnerTextEdit(); inner != nullptr && HandleAllocated()) {
      SetSelStartGuarded(static_cast<int32_t>(Utf8ToUtf16(ShownText()).size()));
      SetSelLengthGuarded(0);
    }
  }
  TlxCustomSpinEdit::PropertiesChanged(properties);
}

void TlxTimeEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxTimeEdit>();
  p.Persistent("Properties", TlxTimeEditProperties::kClass, &TlxTimeEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxTimeEdit::BeepOnEnter, &TlxTimeEdit::SetBeepOnEnter, true);
}
