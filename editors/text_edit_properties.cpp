#include "editors/text_edit_properties.h"

#include "data/variant_utils.h"
#include "editors/edit_strings.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/fmt_bcd.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The value as text without any formatting; a value that has no text form
// (an array, an interface) gives an empty text.
std::string PlainText(const Variant& value) {
  try {
    return VarToStr(value);
  } catch (const Exception&) {
    return {};
  }
}

// Writes `text` back in the string type the value had.
void StoreText(Variant& value, const std::string& text) {
  if (value.Type() == varOleStr)
    value = Variant(Utf8ToUtf16(text));
  else
    value = Variant(text);
}

}  // namespace

// --- free routines -----------------------------------------------------------

void lxRemoveThousandSeparators(std::string& text) {
  const char separator = UserLocale().Settings().ThousandSeparator;
  if (separator == '\0')
    return;
  std::erase(text, separator);
}

std::string lxExtractExponentPart(std::string& text) {
  const size_t position = text.find_first_of("Ee");
  if (position == std::string::npos)
    return {};
  std::string exponent = text.substr(position);
  text.erase(position);
  return exponent;
}

void lxInsertThousandSeparators(std::string& text) {
  const TFormatSettings& settings = UserLocale().Settings();
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos)
    return;
  const size_t last = text.find_last_not_of(' ');
  const std::string leading = text.substr(0, first);
  const std::string trailing = text.substr(last + 1);
  std::string number = text.substr(first, last + 1 - first);
  const std::string exponent = lxExtractExponentPart(number);
  lxRemoveThousandSeparators(number);

  size_t position = number.find(settings.DecimalSeparator);
  if (position == std::string::npos)
    position = number.size();
  int32_t step = 0;
  while (position > 0 && IsAsciiDigit(number[position - 1])) {
    --position;
    ++step;
    if (step % 3 == 0 && position > 0 && IsAsciiDigit(number[position - 1]))
      number.insert(position, 1, settings.ThousandSeparator);
  }
  text = leading + number + exponent + trailing;
}

bool lxIsNumberText(std::string_view text) {
  std::string number(text);
  lxRemoveThousandSeparators(number);
  if (number.empty())
    return false;
  double value = 0;
  return TryStrToFloat(number, value, UserLocale().Settings());
}

// --- TlxTextEditPropertiesValues ------------------------------------------

void TlxTextEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxTextEditPropertiesValues>();
  p.Boolean("DisplayFormat", &TlxTextEditPropertiesValues::DisplayFormat,
            &TlxTextEditPropertiesValues::SetDisplayFormat)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxTextEditPropertiesValues&>(self).DisplayFormatNeedsStoring();
  };
  p.Boolean("EditFormat", &TlxTextEditPropertiesValues::EditFormat, &TlxTextEditPropertiesValues::SetEditFormat)
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxTextEditPropertiesValues&>(self).EditFormatNeedsStoring();
  };
  p.Boolean("MaxLength", &TlxTextEditPropertiesValues::MaxLength, &TlxTextEditPropertiesValues::SetMaxLength,
            false);
}

TlxCustomTextEditProperties* TlxTextEditPropertiesValues::TextOwner() const {
  return dynamic_cast<TlxCustomTextEditProperties*>(Properties());
}

void TlxTextEditPropertiesValues::StoreFlag(bool& flag, bool value) {
  if (flag == value)
    return;
  flag = value;
  if (Properties() != nullptr)
    Properties()->Changed();
}

void TlxTextEditPropertiesValues::SetDisplayFormat(bool value) { StoreFlag(display_format_, value); }
void TlxTextEditPropertiesValues::SetEditFormat(bool value) { StoreFlag(edit_format_, value); }

void TlxTextEditPropertiesValues::SetMaxLength(bool value) {
  if (max_length_ == value)
    return;
  max_length_ = value;
  if (TlxCustomTextEditProperties* owner = TextOwner())
    owner->MaxLengthChanged();
}

void TlxTextEditPropertiesValues::Assign(const TPersistent* source) {
  const auto* values = dynamic_cast<const TlxTextEditPropertiesValues*>(source);
  if (values == nullptr || Properties() == nullptr) {
    TlxCustomEditPropertiesValues::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*Properties());
  TlxCustomEditPropertiesValues::Assign(source);
  SetDisplayFormat(values->display_format_);
  SetEditFormat(values->edit_format_);
  SetMaxLength(values->max_length_);
}

void TlxTextEditPropertiesValues::RestoreDefaults() {
  if (Properties() == nullptr)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*Properties());
  TlxCustomEditPropertiesValues::RestoreDefaults();
  SetDisplayFormat(false);
  SetEditFormat(false);
  SetMaxLength(false);
}

bool TlxTextEditPropertiesValues::DisplayFormatNeedsStoring() const {
  const TlxCustomTextEditProperties* owner = TextOwner();
  return display_format_ && owner != nullptr && owner->DisplayFormat().empty() &&
         IsOwnerPropertyPublished("DisplayFormat");
}

bool TlxTextEditPropertiesValues::EditFormatNeedsStoring() const {
  const TlxCustomTextEditProperties* owner = TextOwner();
  return edit_format_ && owner != nullptr && owner->EditFormat().empty() && IsOwnerPropertyPublished("EditFormat");
}

// --- TlxCustomTextEditProperties ------------------------------------------

TlxCustomTextEditProperties::TlxCustomTextEditProperties(TPersistent* owner) : TlxCustomEditProperties(owner) {
  ReplaceAssignedValues(std::make_unique<TlxTextEditPropertiesValues>(this));
  lookup_items_ = std::make_unique<TStringList>();
  lookup_items_->SetDuplicates(dupAccept);
  lookup_items_->OnChange = [this](TObject* /*sender*/) { ContentChanged(); };
  lxGetFormatController().AddListener(this);
}

TlxCustomTextEditProperties::~TlxCustomTextEditProperties() {
  lxGetFormatController().RemoveListener(this);
  lookup_items_->OnChange = nullptr;
  lookup_items_.reset();
}

TlxTextEditPropertiesValues* TlxCustomTextEditProperties::AssignedTextValues() const {
  return static_cast<TlxTextEditPropertiesValues*>(AssignedValues());
}

void TlxCustomTextEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomTextEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomEditProperties::Assign(source);
  SetCharCase(other->char_case_);
  SetEchoMode(other->echo_mode_);
  SetFixedListSelection(other->fixed_list_selection_);
  SetHideCursor(other->hide_cursor_);
  SetHideSelection(other->hide_selection_);
  immediate_update_text_ = other->immediate_update_text_;
  SetIncrementalSearch(other->incremental_search_);
  SetMRUMode(other->mru_mode_);
  SetLookupItemsSorted(false);
  lookup_items_->Assign(other->lookup_items_.get());
  SetLookupItemsSorted(other->LookupItemsSorted());

  TlxTextEditPropertiesValues* values = AssignedTextValues();
  const TlxTextEditPropertiesValues* other_values = other->AssignedTextValues();
  values->SetDisplayFormat(false);
  if (other_values->DisplayFormat())
    SetDisplayFormat(other->display_format_);
  values->SetEditFormat(false);
  if (other_values->EditFormat())
    SetEditFormat(other->edit_format_);
  values->SetMaxLength(false);
  if (other_values->MaxLength())
    SetMaxLength(other->max_length_);

  SetOEMConvert(other->oem_convert_);
  SetImeMode(other->ime_mode_);
  SetImeName(other->ime_name_);
  SetPasswordChar(other->password_char_);
  additional_valid_chars_ = other->additional_valid_chars_;
  SetUseDisplayFormatWhenEditing(other->use_display_format_when_editing_);
  OnNewLookupDisplayText = other->OnNewLookupDisplayText;
}

void TlxCustomTextEditProperties::AddValidChars(std::u16string_view chars) {
  for (char16_t ch : chars)
    if (additional_valid_chars_.find(ch) == std::u16string::npos)
      additional_valid_chars_.push_back(ch);
}

void TlxCustomTextEditProperties::RemoveValidChars(std::u16string_view chars) {
  std::erase_if(additional_valid_chars_,
                [chars](char16_t ch) { return chars.find(ch) != std::u16string_view::npos; });
}

void TlxCustomTextEditProperties::AlignmentChanged() {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomEditProperties::AlignmentChanged();
}

void TlxCustomTextEditProperties::SetAlignment(const TlxEditAlignment* value) {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomEditProperties::SetAlignment(value);
}

void TlxCustomTextEditProperties::FormatChanged() {
  format_changing_ = true;
  TScopeExit clear([this] { format_changing_ = false; });
  Changed();
}

void TlxCustomTextEditProperties::ValidateValueRange(const Variant& display_value, std::string& error_text,
                                                     IlxEditControl* edit, bool& error) {
  Variant edit_value = display_value;
  if (auto* converter = dynamic_cast<IlxTextEditValueConverter*>(edit))
    converter->ConvertDisplayToEditValue(display_value, edit_value, converter->IsFocusedForFormatting());
  if (!lxVariantIsNumeric(edit_value) && !lxVariantIsDateTime(edit_value))
    return;
  const double value = edit_value.AsDouble();
  const bool below = IsValueBoundSet(0) && value < GetMinValue();
  const bool above = IsValueBoundSet(1) && value > GetMaxValue();
  if (!below && !above)
    return;
  error = true;
  DescribeValidationError(1, error_text);
}

bool TlxCustomTextEditProperties::IsLookupItemText(std::string_view text) const {
  const std::string wanted = AnsiUpperCase(text);
  for (int32_t i = 0; i < lookup_items_->Count(); ++i)
    if (AnsiUpperCase(lookup_items_->Line(i)) == wanted)
      return true;
  return false;
}

int32_t TlxCustomTextEditProperties::GetDefaultMaxLength() const {
  return DefaultValuesProvider() != nullptr ? DefaultValuesProvider()->SuggestedMaxLength() : 0;
}

void TlxCustomTextEditProperties::GetEditFormat(bool& is_currency, bool& use_implicit_format, std::string& format,
                                                IlxEditControl* edit) const {
  is_currency = false;
  use_implicit_format = false;
  format.clear();
  if (AssignedTextValues()->EditFormat()) {
    format = edit_format_;
    return;
  }
  IlxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  auto* converter = dynamic_cast<IlxTextEditValueConverter*>(edit);
  const bool inplace = converter != nullptr && converter->IsInplace();
  if (!inplace && provider != nullptr && provider->HasImplicitDisplayFormat()) {
    use_implicit_format = true;
    return;
  }
  if (provider != nullptr) {
    provider->SuggestedEditFormat(format);
    if (!format.empty())
      return;
  }
  if (AssignedTextValues()->DisplayFormat())
    format = display_format_;
  if (format.empty() && provider != nullptr)
    provider->SuggestedDisplayFormat(format);
  if (format.empty())
    GetDefaultDisplayFormat(format);
  if (format.empty() && provider != nullptr)
    is_currency = (GetDisplayFormatOptions() & kLxDisplayFormatNotInplace) == 0 && provider->HoldsCurrencyValue();
  if (!use_display_format_when_editing_)
    format.clear();
}

bool TlxCustomTextEditProperties::IsValueBoundSet(int32_t bound) const {
  const bool min_assigned = AssignedValues()->MinValue();
  const bool max_assigned = AssignedValues()->MaxValue();
  if (min_assigned != max_assigned)
    return bound == 0 ? min_assigned : max_assigned;
  return GetMaxValue() > GetMinValue();
}

void TlxCustomTextEditProperties::SetCharCase(TEditCharCase value) { Store(char_case_, value); }

void TlxCustomTextEditProperties::PrepareDisplayText(std::string& text) const {
  if (echo_mode_ == eemPassword) {
    std::string echo;
    AppendUtf8(echo, password_char_ != 0 ? password_char_ : u'*');
    const size_t length = Utf8Length(text);
    text.clear();
    for (size_t i = 0; i < length; ++i)
      text += echo;
    return;
  }
  if (char_case_ != ecNormal)
    text = WithCharCase(text, char_case_);
}

bool TlxCustomTextEditProperties::IsNewTextAcceptable(Variant& value, bool /*edit_focused*/) const {
  const std::string text = PlainText(value);
  if (text.empty())
    return true;
  const TlxTextEditingStyle style = GetEditingStyle();
  const bool list_only = style == tesListText || style == tesFixedList;
  if (list_only && UsesLookupData() && !IsLookupItemText(text))
    return false;
  StoreText(value, WithCharCase(text, char_case_));
  return true;
}

void TlxCustomTextEditProperties::DescribeValidationError(int32_t error_kind, std::string& text) const {
  if (error_kind == 1) {
    text = lxEditResString(lxSEditValueOutOfBounds);
    return;
  }
  TlxCustomEditProperties::DescribeValidationError(error_kind, text);
}

bool TlxCustomTextEditProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  std::string text1;
  std::string text2;
  FormatDisplayText(value1, text1, true);
  FormatDisplayText(value2, text2, true);
  return AnsiCompareStr(text1, text2) == 0;
}

void TlxCustomTextEditProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                    bool full_text) const {
  if (UsesProviderDisplayFormat())
    text = PlainText(edit_value);
  else
    text = DisplayTextOrPlain(edit_value, !full_text && !DistinguishesFocusedDisplay());
  PrepareDisplayText(text);
}

std::string TlxCustomTextEditProperties::DisplayTextOrPlain(const Variant& edit_value, bool edit_focused) const {
  // Cells are painted through here: a value the kind cannot convert (a
  // stored text a numeric kind cannot read) shows as it is instead of
  // raising out of every paint.
  try {
    Variant display_value;
    EditValueToDisplayValue(edit_value, edit_focused, display_value);
    return VarToStr(display_value);
  } catch (const EConvertError&) {
    return PlainText(edit_value);
  } catch (const EVariantError&) {
    return PlainText(edit_value);
  }
}

uint32_t TlxCustomTextEditProperties::GetEditCapabilities() const {
  return TlxCustomEditProperties::GetEditCapabilities() | 0x15E;
}

bool TlxCustomTextEditProperties::IsEditValueValid(Variant& edit_value, bool edit_focused) const {
  if (!edit_value.IsText())
    return true;
  return IsNewTextAcceptable(edit_value, edit_focused);
}

void TlxCustomTextEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool edit_focused) const {
  if (!IsNumericValue()) {
    display_value = edit_value.IsArray() ? Variant(std::string()) : Variant(VarToStr(edit_value));
    return;
  }
  if (lxVariantIsBlank(edit_value)) {
    display_value = Variant(std::string());
    return;
  }
  if (!lxVariantIsNumeric(edit_value) && !edit_value.IsText())
    throw EConvertError(lxEditResString(lxSEditNumericValueConvertError));
  FormatNumber(edit_value, edit_focused, display_value);
}

void TlxCustomTextEditProperties::FormatNumber(const Variant& value, bool edit_focused,
                                               Variant& display_value) const {
  const TFormatSettings& settings = UserLocale().Settings();
  if (!edit_focused) {
    const std::string format = DisplayFormat();
    display_value = format.empty() ? Variant(VarToStr(value)) : Variant(FormatFloat(format, value.AsDouble(), settings));
    return;
  }
  bool is_currency = false;
  bool use_implicit_format = false;
  std::string format;
  GetEditFormat(is_currency, use_implicit_format, format, nullptr);
  const int32_t precision = DefaultValuesProvider() != nullptr ? DefaultValuesProvider()->SuggestedPrecision() : 15;
  std::string text = VarToStr(value);
  TBcd number;
  if (is_currency) {
    if (TryStrToBcd(text, number, settings))
      text = FloatToStrF(BcdToDouble(number), TFloatFormat::ffFixed, precision, settings.CurrencyDecimals, settings);
  } else if (!format.empty()) {
    text = FormatFloat(format, value.AsDouble(), settings);
  } else {
    if (TryStrToBcd(text, number, settings))
      text = FloatToStrF(BcdToDouble(number), TFloatFormat::ffGeneral, precision, 0, settings);
    if (ShowsThousandSeparators(false))
      lxInsertThousandSeparators(text);
  }
  display_value = Variant(text);
}

void TlxCustomTextEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  if (IsNumericValue() && HasValueBounds())
    ValidateValueRange(display_value, error_text, edit, error);
  TlxCustomEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

void TlxCustomTextEditProperties::EditValueToDisplayValue(const Variant& edit_value, bool edit_focused,
                                                          Variant& display_value) const {
  Variant value = edit_value;
  if (IsEditValueValid(value, edit_focused)) {
    ConvertToDisplayValue(value, display_value, edit_focused);
    return;
  }
  if (lxVariantIsDateTime(value))
    display_value = Variant(DateTimeToStr(value.AsDateTime()));
  else
    display_value = Variant(VarToStr(value));
}

bool TlxCustomTextEditProperties::IsIncrementalLookupActive() const {
  const TlxTextEditingStyle style = GetEditingStyle();
  return style == tesListText || style == tesFixedList || (style == tesFreeText && incremental_search_);
}

std::string TlxCustomTextEditProperties::DisplayFormat() const {
  if (AssignedTextValues()->DisplayFormat())
    return display_format_;
  std::string format;
  if (DefaultValuesProvider() != nullptr)
    DefaultValuesProvider()->SuggestedDisplayFormat(format);
  if (format.empty())
    GetDefaultDisplayFormat(format);
  return format;
}

void TlxCustomTextEditProperties::SetDisplayFormat(const std::string& value) {
  TlxTextEditPropertiesValues* values = AssignedTextValues();
  if (values->DisplayFormat() && display_format_ == value)
    return;
  values->display_format_ = true;
  display_format_ = value;
  Changed();
}

std::string TlxCustomTextEditProperties::EditFormat() const {
  bool is_currency = false;
  bool use_implicit_format = false;
  std::string format;
  GetEditFormat(is_currency, use_implicit_format, format, nullptr);
  return format;
}

void TlxCustomTextEditProperties::SetEditFormat(const std::string& value) {
  TlxTextEditPropertiesValues* values = AssignedTextValues();
  if (values->EditFormat() && edit_format_ == value)
    return;
  values->edit_format_ = true;
  edit_format_ = value;
  Changed();
}

void TlxCustomTextEditProperties::SetFixedListSelection(bool value) {
  if (fixed_list_selection_ == value)
    return;
  fixed_list_selection_ = value;
  if (GetEditingStyle() == tesFixedList)
    Changed();
}

void TlxCustomTextEditProperties::SetLookupItemsSorted(bool value) { lookup_items_->SetSorted(value); }

int32_t TlxCustomTextEditProperties::MaxLength() const {
  return AssignedTextValues()->MaxLength() ? max_length_ : GetDefaultMaxLength();
}

void TlxCustomTextEditProperties::SetMaxLength(int32_t value) {
  if (value < 0)
    value = 0;
  TlxTextEditPropertiesValues* values = AssignedTextValues();
  if (values->MaxLength() && max_length_ == value)
    return;
  values->max_length_ = true;
  max_length_ = value;
  MaxLengthChanged();
}

TlxTextEditViewStyle TlxCustomTextEditProperties::ViewStyle() const {
  if (ButtonsViewStyle() == 1)
    return vsButtonsOnly;
  if (ButtonsViewStyle() == 2)
    return vsButtonsAutoWidth;
  return hide_cursor_ ? vsHideCursor : vsNormal;
}

void TlxCustomTextEditProperties::SetViewStyle(TlxTextEditViewStyle value) {
  if (ViewStyle() == value)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  uint8_t buttons_view_style = 0;
  if (value == vsButtonsOnly)
    buttons_view_style = 1;
  else if (value == vsButtonsAutoWidth)
    buttons_view_style = 2;
  SetButtonsViewStyle(buttons_view_style);
  SetHideCursor(value != vsNormal);
}

// --- TlxTextEditProperties -------------------------------------------------

void TlxTextEditProperties::Publish(TPropertyListBuilder& properties) { lxPublishTextEditSettings(properties); }

void lxPublishTextEditSettings(TPropertyListBuilder& properties) {
  using P = TlxCustomTextEditProperties;
  auto p = properties.For<P>();
  p.Persistent("AssignedValues", TlxTextEditPropertiesValues::kClass, &P::AssignedTextValues);
  p.Boolean("AutoSelect", &P::AutoSelect, &P::SetAutoSelect, true);
  p.Boolean("BeepOnError", &P::BeepOnError, &P::SetBeepOnError, false);
  p.Enumeration("CharCase", &P::CharCase, &P::SetCharCase, {"ecNormal", "ecUpperCase", "ecLowerCase"},
                std::optional<TEditCharCase>(ecNormal));
  p.Integer("ClearKey", &P::ClearKey, &P::SetClearKey, 0);
  p.Enumeration("EchoMode", &P::EchoMode, &P::SetEchoMode, {"eemNormal", "eemPassword"},
                std::optional<TlxEditEchoMode>(eemNormal));
  p.Boolean("HideSelection", &P::HideSelection, &P::SetHideSelection, true);
  p.Enumeration("ImeMode", &P::ImeMode, &P::SetImeMode,
                {"imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata",
                 "imChinese", "imSHanguel", "imHanguel"},
                std::optional<TImeMode>(imDontCare));
  p.String("ImeName", &P::ImeName, &P::SetImeName);
  p.Boolean("IncrementalSearch", &P::IncrementalSearch, &P::SetIncrementalSearch, true);
  p.Persistent("LookupItems", TStringList::kClass, &P::LookupItems);
  p.Boolean("LookupItemsSorted", &P::LookupItemsSorted, &P::SetLookupItemsSorted, false);
  p.Integer("MaxLength", &P::MaxLength, &P::SetMaxLength).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MaxLengthNeedsStoring();
  };
  p.Boolean("OEMConvert", &P::OEMConvert, &P::SetOEMConvert, false);
  p.Integer("PasswordChar", &P::PasswordChar, &P::SetPasswordChar, 0);
  p.Boolean("ReadOnly", &P::GetReadOnly, &P::SetReadOnly).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).ReadOnlyNeedsStoring();
  };
  p.Boolean("UseLeftAlignmentOnEditing", &P::UseLeftAlignmentOnEditing, &P::SetUseLeftAlignmentOnEditing)
      .Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).UseLeftAlignmentOnEditingNeedsStoring();
  };
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, false);
}
