#include "editors/kinds/date_edit_properties.h"

#include <cmath>

#include "data/date_arithmetic.h"
#include "data/format_controller.h"
#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

bool IsWithinEditRange(TDateTime date) { return date >= lxGetMinEditDate() && date <= kLxMaxEditDate; }

std::string TrimTrailingBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  return text;
}

// A variant that already holds a date or a number, as a date.
bool DateOfVariant(const Variant& value, TDateTime& date) {
  if (!lxVariantIsDateTime(value) && !lxVariantIsNumeric(value))
    return false;
  date = value.AsDouble();
  return true;
}

}  // namespace

TDateTime lxDateWithTime(TDateTime day, double time) {
  const TDateTime whole = lxDateOfDateTime(day);
  return whole < 0 ? whole - time : whole + time;
}

// --- TlxDateEditPropertiesValues ----------------------------------------------------------------

void TlxDateEditPropertiesValues::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDateEditPropertiesValues>();
  p.Boolean("DateButtons", &TlxDateEditPropertiesValues::DateButtons, &TlxDateEditPropertiesValues::SetDateButtons,
            false);
  p.Boolean("InputKind", &TlxDateEditPropertiesValues::InputKind, &TlxDateEditPropertiesValues::SetInputKind, false);
  p.Boolean("MaxDate", &TlxDateEditPropertiesValues::MaxValue, &TlxDateEditPropertiesValues::SetMaxValue, false);
  p.Boolean("MinDate", &TlxDateEditPropertiesValues::MinValue, &TlxDateEditPropertiesValues::SetMinValue, false);
}

// --- TlxCustomDateEditProperties ----------------------------------------------------------------

TlxCustomDateEditProperties::TlxCustomDateEditProperties(TPersistent* owner) : TlxCustomDropDownEditProperties(owner) {
  ReplaceAssignedValues(std::make_unique<TlxDateEditPropertiesValues>(this));
  SetCaseInsensitive(true);
  SetImmediateDropDown(false);
  SetPopupSizeable(false);
  BeginUpdate();
  ApplyInputKind();
  EndUpdate(false);
}

TlxDateEditPropertiesValues* TlxCustomDateEditProperties::AssignedDateValues() const {
  return static_cast<TlxDateEditPropertiesValues*>(AssignedValues());
}

void TlxCustomDateEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomDateEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomDropDownEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomDropDownEditProperties::Assign(source);
  SetArrowsForYear(other->arrows_for_year_);
  AssignedDateValues()->SetDateButtons(false);
  if (other->AssignedDateValues()->DateButtons())
    SetDateButtons(other->date_buttons_);
  SetDateOnError(other->date_on_error_);
  AssignedDateValues()->SetInputKind(false);
  if (other->AssignedDateValues()->InputKind())
    SetInputKind(other->input_kind_);
  SetKind(other->kind_);
  SetSaveTime(other->save_time_);
  SetShowTime(other->show_time_);
  SetWeekNumbers(other->week_numbers_);
  SetYearsInMonthList(other->years_in_month_list_);
}

void TlxCustomDateEditProperties::Changed() {
  if (!IsChangeLocked()) {
    BeginUpdate();
    ApplyInputKind();
    EndUpdate(false);
  }
  TlxCustomDropDownEditProperties::Changed();
}

void TlxCustomDateEditProperties::ApplyInputKind() {
  const TlxFormatController& controller = lxGetFormatController();
  switch (InputKind()) {
    case ikMask:
      SetMaskKind(emkStandard);
      SetStoredEditMask(kind_ == ckDateTime ? controller.StandardDateTimeMask() : controller.StandardDateMask());
      break;
    case ikRegExpr:
      SetMaskKind(emkRegExprEx);
      SetStoredEditMask(kind_ == ckDateTime ? controller.DateTimeRegExprMask() : controller.DateRegExprMask());
      break;
    case ikStandard:
      SetStoredEditMask(std::string());
      break;
  }
}

bool TlxCustomDateEditProperties::IsMaskedDateTime() const { return kind_ == ckDateTime && InputKind() == ikMask; }

bool TlxCustomDateEditProperties::GetTimeItemAt(int32_t position, TlxDateEditTimeItem& item) const {
  if (!IsMaskedDateTime())
    return false;
  const TlxFormatController& controller = lxGetFormatController();
  const TlxDateTimeFormatInfo& info = controller.DateTimeFormatItems();
  TlxFormatItemAtPos found;
  if (!controller.FindFormatItemAtPos(info, position, found))
    return false;
  switch (found.Kind) {
    case fikHour:
      item.Kind = 0;
      break;
    case fikMinute:
      item.Kind = 1;
      break;
    case fikSecond:
      item.Kind = 2;
      break;
    case fikAmPm:
      item.Kind = 3;
      break;
    default:
      return false;
  }
  item.Start = found.Start;
  item.Length = found.Length;
  item.Style = found.AmPmStyle;
  item.Use24HourFormat = !info.KindPresent[fikAmPm];
  return true;
}

char16_t TlxCustomDateEditProperties::GetBlankCharAt(int32_t position) const {
  TlxDateEditTimeItem item;
  if (!GetTimeItemAt(position, item))
    return u' ';
  return item.Kind == 3 ? char16_t{0} : u'0';
}

TlxInputKind TlxCustomDateEditProperties::InputKind() const {
  if (!lxIsGregorianCalendarType(nullptr))
    return ikStandard;
  if (AssignedDateValues()->InputKind())
    return input_kind_;
  return kind_ == ckDateTime ? ikMask : ikRegExpr;
}

void TlxCustomDateEditProperties::SetInputKind(TlxInputKind value) {
  TlxDateEditPropertiesValues* values = AssignedDateValues();
  if (values->input_kind_ && input_kind_ == value)
    return;
  values->input_kind_ = true;
  input_kind_ = value;
  Changed();
}

TDateButtons TlxCustomDateEditProperties::DateButtons() const {
  if (AssignedDateValues()->DateButtons())
    return date_buttons_;
  return lxDateButton(btnClear) | lxDateButton(kind_ == ckDateTime ? btnNow : btnToday);
}

void TlxCustomDateEditProperties::SetDateButtons(TDateButtons value) {
  value &= lxDateButton(btnClear) | lxDateButton(btnNow) | lxDateButton(btnToday);
  TlxDateEditPropertiesValues* values = AssignedDateValues();
  if (values->date_buttons_ && date_buttons_ == value)
    return;
  values->date_buttons_ = true;
  date_buttons_ = value;
  Changed();
}

std::string TlxCustomDateEditProperties::EmptyEditText(bool edit_focused) const {
  if (!edit_focused || !IsMasked())
    return std::string();
  TlxMaskEditCustomMode* mode = DisplayMode();
  return mode != nullptr ? Utf16ToUtf8(mode->GetEmptyText()) : std::string();
}

TDateTime TlxCustomDateEditProperties::ParseDate(std::string_view text) const {
  TDateTime date = NullDate;
  if (!lxTryTextToDate(text, date) || !IsWithinEditRange(date))
    return NullDate;
  return date;
}

Variant TlxCustomDateEditProperties::TextToDateValue(std::string_view text, bool apply_date_on_error) const {
  if (AnsiSameText(text, EmptyEditText(true)) || AnsiSameText(text, EmptyEditText(false)))
    return Variant::Null();
  const TDateTime date = ParseDate(text);
  if (date != NullDate)
    return Variant::FromDate(date);
  if (apply_date_on_error && date_on_error_ == deToday) {
    const TDateTime now = ClockNow();
    return Variant::FromDate(kind_ == ckDateTime ? now : lxDateOfDateTime(now));
  }
  return Variant::Null();
}

bool TlxCustomDateEditProperties::ShowsTime(bool edit_focused, TDateTime date) const {
  const bool has_time = lxTimeOfDateTime(date) != 0;
  if (!edit_focused)
    return kind_ == ckDateTime || show_time_;
  if (kind_ == ckDateTime)
    return has_time || InputKind() == ikMask;
  return show_time_ && has_time && InputKind() == ikStandard;
}

std::string TlxCustomDateEditProperties::EditTextOfDate(TDateTime date) const {
  if (!ShowsTime(true, date))
    date = lxDateOfDateTime(date);
  return TrimTrailingBlanks(lxDateTimeToEditText(InputKind() == ikMask, kind_ == ckDateTime, false, date));
}

std::string TlxCustomDateEditProperties::PickedDateText(TDateTime date) const {
  if (InputKind() == ikStandard && date != NullDate) {
    const std::string usual = EditTextOfDate(date);
    const TDateTime read_back = ParseDate(usual);
    if (read_back == NullDate || lxDateOfDateTime(read_back) != lxDateOfDateTime(date)) {
      const bool with_time = ShowsTime(true, date);
      return TrimTrailingBlanks(
          lxDateTimeToEditText(false, with_time, true, with_time ? date : lxDateOfDateTime(date)));
    }
  }
  Variant display;
  ConvertToDisplayValue(Variant::FromDate(date), display, true);
  return VarToStr(display);
}

Variant TlxCustomDateEditProperties::EditValueOfText(std::string_view text, double saved_time) const {
  const Variant value = TextToDateValue(text);
  if (value.IsNull() || value.AsDateTime() == NullDate)
    return value;
  if (kind_ == ckDate && save_time_)
    return Variant(lxDateWithTime(value.AsDateTime(), saved_time));
  return value;
}

bool TlxCustomDateEditProperties::IsEditValueValid(Variant& edit_value, bool /*edit_focused*/) const {
  if (!edit_value.IsText())
    return lxVariantIsBlank(edit_value) || lxVariantIsDateTime(edit_value) || lxVariantIsNumeric(edit_value);
  try {
    const Variant date = TextToDateValue(VarToStr(edit_value), false);
    return !date.IsNull() && date.AsDateTime() != NullDate;
  } catch (const Exception&) {
    return false;
  }
}

void TlxCustomDateEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool edit_focused) const {
  TDateTime date = NullDate;
  if (lxVariantIsBlank(edit_value) || (DateOfVariant(edit_value, date) && date == NullDate)) {
    display_value = Variant(EmptyEditText(edit_focused));
    return;
  }
  if (edit_value.IsText()) {
    const Variant parsed = TextToDateValue(VarToStr(edit_value));
    if (parsed.IsNull() || parsed.AsDateTime() == NullDate)
      throw EConvertError(lxEditResString(lxSEditDateConvertError));
    date = parsed.AsDateTime();
  } else if (!DateOfVariant(edit_value, date)) {
    throw EConvertError(lxEditResString(lxSEditDateConvertError));
  }
  if (!ShowsTime(edit_focused, date))
    date = lxDateOfDateTime(date);
  if (!edit_focused) {
    display_value = Variant(TrimTrailingBlanks(lxDateTimeToEditText(false, true, false, date)));
    return;
  }
  const std::string text =
      TrimTrailingBlanks(lxDateTimeToEditText(InputKind() == ikMask, kind_ == ckDateTime, false, date));
  if (IsMasked())
    TlxCustomDropDownEditProperties::ConvertToDisplayValue(Variant(text), display_value, true);
  else
    display_value = Variant(text);
}

void TlxCustomDateEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  auto* values = dynamic_cast<IlxDateEditValues*>(edit);
  const std::string empty_text = EmptyEditText(true);
  const std::string error_message = lxEditResString(lxSDateError);
  error_text = error_message;
  bool handler_ran = false;
  try {
    std::string text = VarToStr(display_value);
    TDateTime date = NullDate;
    if (!AnsiSameText(text, empty_text)) {
      date = ParseDate(text);
      error = error || date == NullDate;
    }
    if (edit != nullptr && edit->HasValidateHandler()) {
      if (date != NullDate)
        display_value = Variant(EditTextOfDate(date));
      bool display_value_changed = false;
      RunValidateEvent(display_value, error_text, error, edit, display_value_changed);
      handler_ran = true;
      if (!error) {
        text = VarToStr(display_value);
        date = AnsiSameText(text, empty_text) ? NullDate : ParseDate(text);
        error = date == NullDate && !AnsiSameText(text, empty_text);
      }
    } else if (error && date_on_error_ != deNoChange) {
      const TDateTime now = ClockNow();
      date = date_on_error_ == deNull ? NullDate : (kind_ == ckDateTime ? now : lxDateOfDateTime(now));
      error = false;
    }
    if (!error)
      SettleValidatedDate(date, AnsiSameText(text, empty_text), display_value, error_text, error, values);
  } catch (const Exception&) {
    error = true;
  }
  if (error && !(handler_ran && error_text != error_message) && edit != nullptr)
    display_value = Variant(edit->ShownText());
}

void TlxCustomDateEditProperties::SettleValidatedDate(TDateTime date, bool /*text_empty*/, Variant& display_value,
                                                      std::string& error_text, bool& error,
                                                      IlxDateEditValues* values) {
  if (date == NullDate) {
    // An emptied editor holds no value, also a date-only one that kept a
    // time of day: that time alone would read as 30 December 1899.
    if (values != nullptr) {
      values->SetSavedTime(0);
      values->ChangeEditValue(Variant::Null());
    }
    display_value = Variant(EmptyEditText(true));
    return;
  }
  if (HasValueBounds()) {
    const bool below = IsValueBoundSet(0) && date < MinDate();
    const bool above = IsValueBoundSet(1) && date > MaxDate();
    if (below || above) {
      error = true;
      DescribeValidationError(1, error_text);
      return;
    }
  }
  if (kind_ == ckDate && values != nullptr) {
    const double time = lxTimeOfDateTime(date);
    if (time != 0)
      values->SetSavedTime(std::fabs(time));
    else if (save_time_)
      date = lxDateWithTime(date, values->SavedTime());
    else
      values->SetSavedTime(0);
  }
  display_value = Variant(EditTextOfDate(date));
}

bool TlxCustomDateEditProperties::IsValueBoundSet(int32_t bound) const {
  const bool min_set = MinDate() != 0;
  const bool max_set = MaxDate() != 0;
  if (min_set && max_set)
    return MaxDate() > MinDate();
  return bound == 0 ? min_set : max_set;
}

bool TlxCustomDateEditProperties::HasValueBounds() const { return IsValueBoundSet(0) || IsValueBoundSet(1); }

bool TlxCustomDateEditProperties::IsNewTextAcceptable(Variant& value, bool edit_focused) const {
  if (InputKind() != ikStandard)
    return TlxCustomDropDownEditProperties::IsNewTextAcceptable(value, edit_focused);
  return ParseDate(VarToStrDef(value, "")) != NullDate;
}

const TlxMaskModeClass& TlxCustomDateEditProperties::GetModeClass(TlxEditMaskKind kind) const {
  if (kind == emkStandard)
    return TlxDateEditMaskStandardMode::kModeClass;
  return TlxCustomDropDownEditProperties::GetModeClass(kind);
}

// --- TlxDateEditProperties ------------------------------------------------------------------------

void TlxDateEditProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishTextEditSettings(properties);
  using P = TlxCustomDateEditProperties;
  auto p = properties.For<P>();
  p.Boolean("ArrowsForYear", &P::ArrowsForYear, &P::SetArrowsForYear, true);
  p.Persistent("AssignedValues", TlxDateEditPropertiesValues::kClass, &P::AssignedDateValues);
  p.SetOf("DateButtons", &P::DateButtons, &P::SetDateButtons, {"btnClear", "btnNow", "btnToday"}).Stored =
      [](const TPersistent& self) { return static_cast<const P&>(self).DateButtonsNeedsStoring(); };
  p.Enumeration("DateOnError", &P::DateOnError, &P::SetDateOnError, {"deNoChange", "deToday", "deNull"},
                std::optional<TDateOnError>(deNoChange));
  p.Enumeration("InputKind", &P::InputKind, &P::SetInputKind, {"ikStandard", "ikMask", "ikRegExpr"},
                std::optional<TlxInputKind>()).Stored =
      [](const TPersistent& self) { return static_cast<const P&>(self).InputKindNeedsStoring(); };
  p.Enumeration("Kind", &P::Kind, &P::SetKind, {"ckDate", "ckDateTime"}, std::optional<TlxCalendarKind>(ckDate));
  p.Float("MaxDate", &P::MaxDate, &P::SetMaxDate).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MaxValueNeedsStoring();
  };
  p.Float("MinDate", &P::MinDate, &P::SetMinDate).Stored = [](const TPersistent& self) {
    return static_cast<const P&>(self).MinValueNeedsStoring();
  };
  p.Boolean("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab, false);
  p.Boolean("SaveTime", &P::SaveTime, &P::SetSaveTime, true);
  p.Boolean("ShowTime", &P::ShowTime, &P::SetShowTime, true);
  p.Boolean("ValidateOnEnter", &P::ValidateOnEnter, &P::SetValidateOnEnter, true);
  p.Boolean("WeekNumbers", &P::WeekNumbers, &P::SetWeekNumbers, false);
  p.Boolean("YearsInMonthList", &P::YearsInMonthList, &P::SetYearsInMonthList, true);
}

// --- TlxDateEditMaskStandardMode ------------------------------------------------------------------

const TlxMaskModeClass TlxDateEditMaskStandardMode::kModeClass{
    "TlxDateEditMaskStandardMode",
    [](IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties) -> std::unique_ptr<TlxMaskEditCustomMode> {
      return std::make_unique<TlxDateEditMaskStandardMode>(edit, properties);
    }};

char16_t TlxDateEditMaskStandardMode::GetBlankChar(int32_t position) const {
  if (auto* date = dynamic_cast<const TlxCustomDateEditProperties*>(GetActiveProperties()))
    return date->GetBlankCharAt(position);
  return TlxMaskEditStandardMode::GetBlankChar(position);
}

std::u16string TlxDateEditMaskStandardMode::GetEmptyText() {
  std::u16string text = TlxMaskEditStandardMode::GetEmptyText();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == Mask().Blank() && GetBlankChar(static_cast<int32_t>(i) + 1) == u'0')
      text[i] = u'0';
  }
  return text;
}

// --- TlxFilterDateEditHelper ----------------------------------------------------------------------

void TlxFilterDateEditHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                    TlxValueTypeClass /*value_type*/,
                                                    TlxFilterConditionOperators& operators, bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual,   fcoNotEqual,     fcoLess,   fcoLessEqual,
                                          fcoGreater, fcoGreaterEqual, fcoBlanks, fcoNonBlanks};
  if (!extended)
    return;
  for (int32_t op = fcoBetween; op <= fcoFuture; ++op)
    operators.Include(static_cast<TlxFilterConditionOperator>(op));
}

void TlxFilterDateEditHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                        const TlxCustomEditProperties* source_properties,
                                                        bool keep_buttons) const {
  TlxCustomFilterEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* date = dynamic_cast<TlxCustomDateEditProperties*>(properties);
  if (date == nullptr)
    return;
  date->SetDateButtons(lxDateButton(btnClear) | lxDateButton(btnToday));
  date->SetDateOnError(deNull);
  date->SetInputKind(ikRegExpr);
  date->SetSaveTime(true);
}

// --- typing into a time item ---------------------------------------------------------------------

bool lxDateEditTimeCharAllowed(const TlxDateEditTimeItem& item, std::u16string_view item_text, int32_t offset,
                               char16_t c) {
  if (item.Kind == 3) {
    const char16_t lower = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    return lower == u'a' || lower == u'p';
  }
  if (c < u'0' || c > u'9')
    return false;
  const int32_t digit = c - u'0';
  const auto other_digit = [&item_text](int32_t index) {
    if (index < 0 || index >= static_cast<int32_t>(item_text.size()))
      return 0;
    const char16_t ch = item_text[static_cast<size_t>(index)];
    return ch >= u'0' && ch <= u'9' ? ch - u'0' : 0;
  };
  // Only two-digit items have a first digit that limits the second.
  const bool two_digits = item.Length >= 2;
  if (item.Kind == 0) {
    const int32_t max_hour = item.Use24HourFormat ? 23 : 12;
    if (!two_digits)
      return digit <= max_hour;
    if (offset == 0)
      return digit <= max_hour / 10;
    return other_digit(0) * 10 + digit <= max_hour;
  }
  if (!two_digits)
    return true;
  return offset != 0 || digit <= 5;
}

// --- TlxDateEditValues ----------------------------------------------------------------------------

void TlxDateEditValues::ChangeEditValue(const Variant& value) {
  if (!lxVarEqualsStrict(edit_value_, value))
    modified_ = true;
  edit_value_ = value;
}

std::string TlxDateEditValues::ShownText() const {
  return properties_.DisplayTextOrPlain(edit_value_, true);
}

void TlxDateEditValues::StoreEditValue(const Variant& value) {
  if (properties_.Kind() == ckDate && properties_.SaveTime()) {
    TDateTime date = NullDate;
    if (value.IsText()) {
      const Variant parsed = properties_.TextToDateValue(VarToStr(value), false);
      if (!parsed.IsNull())
        date = parsed.AsDateTime();
    } else if (!DateOfVariant(value, date)) {
      date = NullDate;
    }
    saved_time_ = date == NullDate ? 0 : std::fabs(lxTimeOfDateTime(date));
  }
  edit_value_ = value;
  modified_ = false;
}

Variant TlxDateEditValues::ConvertDisplayToEditValue(std::string_view text) const {
  return properties_.EditValueOfText(text, saved_time_);
}

bool TlxDateEditValues::ValidateText(std::string_view text, std::string& error_text) {
  Variant display_value{std::string(text)};
  bool error = false;
  properties_.ValidateDisplayValue(display_value, error_text, error, this);
  if (error)
    return false;
  const Variant value = ConvertDisplayToEditValue(VarToStr(display_value));
  ChangeEditValue(value);
  return true;
}

TDateTime TlxDateEditValues::Date() const {
  TDateTime date = NullDate;
  if (edit_value_.IsText()) {
    const Variant value = ConvertDisplayToEditValue(VarToStr(edit_value_));
    return value.IsNull() ? NullDate : value.AsDateTime();
  }
  return DateOfVariant(edit_value_, date) ? date : NullDate;
}

void TlxDateEditValues::SetDate(TDateTime date) {
  if (date == NullDate) {
    ChangeEditValue(Variant::Null());
    return;
  }
  if (properties_.Kind() == ckDate && lxTimeOfDateTime(date) == 0)
    date = properties_.SaveTime() ? lxDateWithTime(date, saved_time_) : lxDateOfDateTime(date);
  ChangeEditValue(Variant::FromDate(date));
}

// --- module ---------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& DateEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxDateEditModuleStart() {
  DateEditModule().Start([] {
    RegisterStreamableClasses({&TlxDateEditProperties::kClass, &TlxEditRepositoryDateItem::kClass});
    lxRegisterDateEditControl();
    lxGetRegisteredEditProperties().AddClass(&TlxDateEditProperties::kClass,
                                             lxEditResString(slxSEditRepositoryDateItem));
    lxGetFilterEditsController().RegisterHelper(&TlxDateEditProperties::kClass,
                                                &StatelessInstance<TlxFilterDateEditHelper>());
  });
}

void lxDateEditModuleEnd() {
  DateEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxDateEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterDateEditHelper>());
  });
}
