#include "editors/kinds/calc_edit_win.h"

#include "data/variant_utils.h"
#include "editors/edit_data_binding_win.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/kinds/calc_edit_rules.h"
#include "platform/rtl/format.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

// --- TlxCalcEditPropertiesValues -------------------------------------------------------------

void TlxCalcEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCalcEditPropertiesValues>();
  p.Boolean("Precision", &TlxCalcEditPropertiesValues::Precision, &TlxCalcEditPropertiesValues::SetPrecision, false);
}

// --- TlxCustomCalcEditProperties ---------------------------------------------------------------

TlxCustomCalcEditProperties::TlxCustomCalcEditProperties(TPersistent* owner) : TlxCustomPopupEditProperties(owner) {
  ReplaceAssignedValues(std::make_unique<TlxCalcEditPropertiesValues>(this));
  SetBeepOnError(true);
  SetPopupSizeable(false);
  SetImmediateDropDown(false);
}

TlxCalcEditPropertiesValues* TlxCustomCalcEditProperties::AssignedCalcValues() const {
  return static_cast<TlxCalcEditPropertiesValues*>(AssignedValues());
}

void TlxCustomCalcEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomCalcEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomPopupEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  // The calculator is each editor's own: a copy keeps the popup control it has.
  TControl* own_popup_control = PopupControl();
  TlxCustomPopupEditProperties::Assign(source);
  SetPopupControl(own_popup_control);
  SetBeepOnError(other->BeepOnError());
  AssignedCalcValues()->SetPrecision(false);
  if (other->AssignedCalcValues()->Precision())
    SetPrecision(other->precision_);
  SetQuickClose(other->quick_close_);
  SetScientificFormat(other->scientific_format_);
  SetUseThousandSeparator(other->use_thousand_separator_);
}

int32_t TlxCustomCalcEditProperties::Precision() const {
  int32_t precision = 15;
  if (AssignedCalcValues()->Precision())
    precision = precision_;
  else if (DefaultValuesProvider() != nullptr)
    precision = DefaultValuesProvider()->SuggestedPrecision();
  return precision >= 16 ? 15 : precision;
}

void TlxCustomCalcEditProperties::SetPrecision(int32_t value) {
  TlxCalcEditPropertiesValues* values = AssignedCalcValues();
  if (values->Precision() && precision_ == value)
    return;
  precision_ = value;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  values->SetPrecision(true);
  Changed();
}

bool TlxCustomCalcEditProperties::IsEditValueValid(Variant& edit_value, bool /*edit_focused*/) const {
  if (lxVariantIsBlank(edit_value) || VarIsNumeric(edit_value))
    return true;
  if (!edit_value.IsText())
    return false;
  double number = 0;
  return TryStrToFloat(edit_value.AsString(), number);
}

void TlxCustomCalcEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool edit_focused) const {
  if (lxVariantIsBlank(edit_value)) {
    display_value = Variant(std::string());
    return;
  }
  // A text that is no number is shown as it is when not focused and as
  // the empty text when focused: painting never raises.
  if (edit_value.IsText() && lxCalcEditTextToValue(edit_value.AsString(), false).IsNull()) {
    display_value = edit_focused ? Variant(std::string()) : edit_value;
    return;
  }
  const double number = lxCalcEditNumberOf(edit_value);
  if (edit_focused || !AssignedCalcValues()->DisplayFormat()) {
    display_value = Variant(lxCalcEditValueText(number, Precision(), scientific_format_, ShowsThousandSeparators(false)));
    return;
  }
  display_value = Variant(FormatFloat(DisplayFormat(), number));
}

void TlxCustomCalcEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  error = false;
  TlxCustomPopupEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

int32_t TlxCustomCalcEditProperties::CanUseFieldDisplayFormat(bool edit_focused) const {
  if (edit_focused || AssignedCalcValues()->DisplayFormat())
    return 0;
  return DefaultValuesProvider() != nullptr && DefaultValuesProvider()->IsDisplayFormatDefined(true) ? 1 : 0;
}

const TClass* TlxCustomCalcEditProperties::GetEditControlClass() const { return &TlxCalcEdit::kClass; }

void TlxCalcEditProperties::Publish(TPropertyListBuilder& properties) {
  TlxMaskEditProperties::Publish(properties);
  lxPublishDropDownEditSettings(properties);
  using P = TlxCustomCalcEditProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxCalcEditPropertiesValues::kClass, &P::AssignedCalcValues);
  p.Boolean("BeepOnError", &P::BeepOnError, &P::SetBeepOnError, true);
  p.Integer("Precision", &P::Precision, &P::SetPrecision).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).PrecisionNeedsStoring();
  };
  p.Boolean("QuickClose", &P::QuickClose, &P::SetQuickClose, false);
  p.Boolean("ScientificFormat", &P::ScientificFormat, &P::SetScientificFormat, false);
  p.Boolean("UseThousandSeparator", &P::UseThousandSeparator, &P::SetUseThousandSeparator, false);
}

// --- TlxPopupCalculator -------------------------------------------------------------------------

TlxPopupCalculator::TlxPopupCalculator(TComponent* owner, TlxCustomCalcEdit* edit)
    : TlxCustomCalculator(owner), edit_(edit) {
  SetAutoFontSize(false);
}

TlxPainterClass TlxPopupCalculator::GetCalculatorPainter() { return edit_->GetPainter(); }

void TlxPopupCalculator::GetDisplayText(std::string& text) { text = edit_->Text(); }

void TlxPopupCalculator::SetDisplayText(const std::string& text) {
  if (!edit_->TryStartEditing())
    return;
  if (IlxInnerTextEdit* inner = edit_->GetInnerTextEdit())
    inner->SetEditValue(Variant(text));
  edit_->SetModifiedByUser();
}

void TlxPopupCalculator::ResetKeyButton() {
  uint16_t none = 0;
  TlxCustomCalculator::KeyUp(none, TShiftState());
}

void TlxPopupCalculator::FitToFont() {
  // A size change lays the buttons out again for the font.
  SetBounds(Left(), Top(), Width() + 1, Height());
}

void TlxPopupCalculator::KeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomCalculator::KeyDown(key, shift);
  const bool alt = shift.Contains(ssAlt);
  switch (key) {
    case VK_TAB:
      edit_->HandleKeyDown(key, shift);
      break;
    case VK_RETURN:
      HidePopup(this, crEnter);
      break;
    case VK_ESCAPE:
      HidePopup(this, crCancel);
      break;
    case VK_UP:
    case VK_DOWN:
      if (alt)
        HidePopup(this, crClose);
      break;
    case VK_F4:
      if (!alt)
        HidePopup(this, crClose);
      break;
    case VK_INSERT:
      if (shift.Contains(ssShift))
        PasteFromClipboard();
      else if (shift.Contains(ssCtrl))
        CopyToClipboard();
      break;
    default:
      break;
  }
}

void TlxPopupCalculator::KeyPress(char16_t& key) {
  TlxCustomCalculator::KeyPress(key);
  if (key == u'=' && edit_->ActiveCalcProperties()->QuickClose())
    HidePopup(this, crEnter);
}

// --- TlxCustomCalcEdit ----------------------------------------------------------------------------

TlxCustomCalcEdit::TlxCustomCalcEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomPopupEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomCalcEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no calculator editor properties class");
  // The text is the display of the value, never a caption of its own.
  ControlStyle().Exclude(csSetCaption);
  SetValue(0);
  calculator_ = new TlxPopupCalculator(this, this);
  calculator_->SetVisible(false);
  calculator_->OnHidePopup = [this](TObject*, int32_t reason) { SetCloseReasonAndClose(reason); };
  BindCalculator();
}

void TlxCustomCalcEdit::BindCalculator() {
  TlxCustomCalcEditProperties* properties = ActiveCalcProperties();
  calculator_->SetBeepOnError(properties->BeepOnError());
  calculator_->SetPrecision(lxCalcEditEffectivePrecision(properties->Precision()));
  const bool was_locked = properties->IsChangeLocked();
  properties->SetChangedLock(true);
  TScopeExit unlock([properties, was_locked] { properties->SetChangedLock(was_locked); });
  properties->SetPopupControl(calculator_);
}

Variant TlxCustomCalcEdit::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant(Text()), value, true);
  return value;
}

bool TlxCustomCalcEdit::IsValidDataChar(char16_t ch) {
  const std::u16string text = Utf8ToUtf16(Text());
  const size_t start = std::min(static_cast<size_t>(std::max(GetSelStart(), 0)), text.size());
  const size_t length = std::min(static_cast<size_t>(std::max(GetSelLength(), 0)), text.size() - start);
  const size_t byte_start = Utf16ToUtf8(text.substr(0, start)).size();
  const size_t byte_length = Utf16ToUtf8(text.substr(start, length)).size();
  return lxCalcEditAcceptsChar(Utf16ToUtf8(text), byte_start, byte_length, ch);
}

void TlxCustomCalcEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  auto* text_properties = dynamic_cast<TlxCustomTextEditProperties*>(properties);
  if (text_properties != nullptr && text_properties->IsFormatChanging())
    return;
  TlxCustomPopupEdit::PropertiesChanged(properties);
  if (calculator_ != nullptr)
    BindCalculator();
}

void TlxCustomCalcEdit::PasteFromClipboard() {
  if (TryStartEditing())
    calculator_->PasteFromClipboard();
}

void TlxCustomCalcEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  const TlxCustomCalcEditProperties* properties = ActiveCalcProperties();
  edit_value = lxCalcEditTextToValue(VarToStrDef(display_value, ""),
                                     properties->UseThousandSeparator() && !properties->ScientificFormat());
}

void TlxCustomCalcEdit::RefreshAfterPropertiesChange() { DataBinding()->UpdateDisplay(); }

bool TlxCustomCalcEdit::CanDropDown() {
  return !ActiveCalcProperties()->GetReadOnly() && DataBinding()->HasActiveData();
}

void TlxCustomCalcEdit::CreatePopupWindow() {
  TlxCustomPopupEdit::CreatePopupWindow();
  // The calculator's keys arrive through the form's own loop.
  if (PopupWindow() != nullptr)
    PopupWindow()->SetModalLoop(false);
}

void TlxCustomCalcEdit::DoInitPopup() {
  BindCalculator();
  TlxCustomPopupEdit::DoInitPopup();
  BindCalculator();
}

void TlxCustomCalcEdit::SetupPopupWindow() {
  TlxCustomPopupEdit::SetupPopupWindow();
  calculator_->HandleNeeded();
  if (TFont* font = GetStyle()->GetTextFont())
    calculator_->Font().Assign(font);
  calculator_->FitToFont();
}

void TlxCustomCalcEdit::DoEditEnter() {
  RefreshDisplayValue();
  TlxCustomPopupEdit::DoEditEnter();
}

void TlxCustomCalcEdit::DoExit() {
  TlxCustomPopupEdit::DoExit();
  DataBinding()->UpdateDisplay();
}

void TlxCustomCalcEdit::HandleKeyPress(char16_t& key) {
  key = lxCalcEditMapKey(key);
  if (key >= u' ' && !IsValidDataChar(key)) {
    key = 0;
    if (ActiveCalcProperties()->BeepOnError())
      MessageBeep(0);
    return;
  }
  TlxCustomPopupEdit::HandleKeyPress(key);
}

void TlxCustomCalcEdit::PopupWindowShowed() {
  TlxCustomPopupEdit::PopupWindowShowed();
  calculator_->ResetKeyButton();
}

void TlxCustomCalcEdit::PopupWindowClosed(int32_t reason) {
  if (Text() == lxEditResString(slxSCalcError))
    SetEditValueUnlocked(Variant(0.0));
  if (ActiveCalcProperties()->AutoSelect()) {
    SelectAll();
  } else {
    SetSelStart(static_cast<int32_t>(Utf8ToUtf16(Text()).size()));
    SetSelLength(0);
  }
  TlxCustomPopupEdit::PopupWindowClosed(reason);
}

double TlxCustomCalcEdit::Value() const { return lxCalcEditNumberOf(GetEditValue()); }

void TlxCustomCalcEdit::SetValue(double value) { SetEditValueUnlocked(Variant(value)); }

void TlxCalcEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCalcEdit>();
  p.Persistent("Properties", TlxCalcEditProperties::kClass, &TlxCalcEdit::GetProperties);
}

// --- TlxFilterCalcEditHelper ---------------------------------------------------------------------

TClassRef TlxFilterCalcEditHelper::GetValueEditorClass() const { return &TlxCalcEdit::kClass; }

void TlxFilterCalcEditHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                    TlxValueTypeClass /*value_type*/,
                                                    TlxFilterConditionOperators& operators, bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual,   fcoNotEqual,     fcoLess,   fcoLessEqual,
                                          fcoGreater, fcoGreaterEqual, fcoBlanks, fcoNonBlanks};
  if (!extended)
    return;
  for (TlxFilterConditionOperator op : {fcoBetween, fcoNotBetween, fcoInList, fcoNotInList})
    operators.Include(op);
}

void TlxFilterCalcEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxFilterTextEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  if (auto* calc = dynamic_cast<TlxCustomCalcEditProperties*>(properties))
    calc->SetQuickClose(true);
}

// --- module ------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& CalcEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxCalcEditModuleStart() {
  CalcEditModule().Start([] {
    RegisterStreamableClasses({&TlxCalcEditProperties::kClass, &TlxCalcEdit::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxCalcEditProperties::kClass,
                                             lxEditResString(slxSEditRepositoryCalcItem));
    lxGetFilterEditsController().RegisterHelper(&TlxCalcEditProperties::kClass,
                                                &StatelessInstance<TlxFilterCalcEditHelper>());
  });
}

void lxCalcEditModuleEnd() {
  CalcEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxCalcEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterCalcEditHelper>());
  });
}
