#include "editors/kinds/time_edit_properties.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr const char* kTimeEditKindText = "TimeEdit|Represents an editor displaying time values";

struct TTimeFormatRow {
  const char* display_12;
  const char* mask_12;
  const char* display_24;
  const char* mask_24;
};

constexpr std::array<TTimeFormatRow, 3> kTimeFormats{{
    {"hh:nn:ss ampm", "00:00:00 LL;1;0", "hh:nn:ss", "00:00:00;1;0"},
    {"hh:nn ampm", "00:00 LL;1;0", "hh:nn", "00:00;1;0"},
    {"hh ampm", "00 LL;1;0", "hh", "00;1;0"},
}};

std::array<std::string, 3>& TwelveHourMasks() {
  static std::array<std::string, 3> masks{kTimeFormats[0].mask_12, kTimeFormats[1].mask_12, kTimeFormats[2].mask_12};
  return masks;
}

template <class Text>
Text WithoutTrailingBlanks(Text text) {
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  return text;
}

char32_t Upper(char16_t c) { return SimpleUpperCase(c); }

bool SameLetter(char16_t a, char16_t b) { return Upper(a) == Upper(b); }

// The number in the two characters of `text` from 0-based `start`. A
// field the text does not reach reads 0, one it reaches halfway its one
// digit; anything but digits makes the field 0.
int32_t FieldNumber(std::u16string_view text, size_t start) {
  int32_t value = 0;
  for (size_t i = start; i < start + 2 && i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < u'0' || c > u'9')
      return 0;
    value = value * 10 + (c - u'0');
  }
  return value;
}

bool EndsWith(std::u16string_view text, std::u16string_view tail) {
  return !tail.empty() && text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

const TFormatSettings& Settings() { return UserLocale().Settings(); }

// The designators as the locale gives them; in 12-hour typing and reading
// an empty one never matches.
std::u16string AmDesignator() { return Utf8ToUtf16(Settings().TimeAMString); }
std::u16string PmDesignator() { return Utf8ToUtf16(Settings().TimePMString); }

}  // namespace

std::string lxTimeEditDisplayFormat(TlxTimeEditTimeFormat format, bool use_24_hour_format) {
  const TTimeFormatRow& row = kTimeFormats[std::min<size_t>(format, 2)];
  return use_24_hour_format ? row.display_24 : row.display_12;
}

std::string lxTimeEditMask(TlxTimeEditTimeFormat format, bool use_24_hour_format) {
  const size_t index = std::min<size_t>(format, 2);
  return use_24_hour_format ? kTimeFormats[index].mask_24 : TwelveHourMasks()[index];
}

void lxBuildTimeEditMasks() {
  const std::string noon = FormatDateTime("hh:mm:ss AMPM", 1.5, Settings());
  std::string designator = noon.size() > 8 ? noon.substr(8) : std::string();
  for (char& c : designator)
    if (c != ' ')
      c = 'c';
  designator = WithoutTrailingBlanks(designator);
  constexpr std::array<size_t, 3> kTimeLengths{8, 5, 2};
  for (size_t i = 0; i < kTimeLengths.size(); ++i)
    TwelveHourMasks()[i] = std::string("00:00:00").substr(0, kTimeLengths[i]) + designator + ";1;0";
}

// --- TlxTimeEditMaskMode --------------------------------------------------------------------------

const TlxMaskModeClass TlxTimeEditMaskMode::kModeClass{
    "TlxTimeEditMaskMode",
    [](IlxMaskModeEdit* edit, TlxCustomMaskEditProperties* properties) -> std::unique_ptr<TlxMaskEditCustomMode> {
      return std::make_unique<TlxTimeEditMaskMode>(edit, properties);
    }};

const TlxCustomTimeEditProperties* TlxTimeEditMaskMode::TimeProperties() const {
  return dynamic_cast<const TlxCustomTimeEditProperties*>(GetActiveProperties());
}

char16_t TlxTimeEditMaskMode::GetBlankChar(int32_t position) const {
  const TlxCustomTimeEditProperties* properties = TimeProperties();
  if (properties != nullptr && properties->GetTimePartAt(position) == tpDesignator)
    return 0;
  return u'0';
}

bool TlxTimeEditMaskMode::ProcessChar(char16_t& c) {
  IlxMaskModeEdit& edit = *Edit();
  const TlxCustomTimeEditProperties* properties = TimeProperties();
  const int32_t caret = edit.SelStart();
  const int32_t length = static_cast<int32_t>(edit.DisplayText().size());
  if (properties == nullptr || caret >= length || caret >= Mask().GetCount() || !Mask().GetItem(caret).IsEditable())
    return TlxMaskEditStandardMode::ProcessChar(c);
  char16_t typed = c;
  if (!Mask().GetItem(caret).Check(typed))
    return false;
  if (edit.SelLength() > 1)
    ProcessDelete();
  const TlxTimeTypingResult result = properties->TypeChar(edit.DisplayText(), typed, caret + 1);
  if (result.Kind == TlxTimeTypingResult::kRefused)
    return false;
  std::u16string text = result.Text;
  int32_t last_written = result.Caret;
  if (result.Kind == TlxTimeTypingResult::kAccepted) {
    c = result.C;
    text[static_cast<size_t>(caret)] = c;
    last_written = caret;
  } else {
    c = 0;  // used up by the correction, without the error sound
  }
  edit.PutDisplayText(text);
  edit.SetShiftFlag(false);
  if (result.CaretAfterField) {
    edit.SetSelStartGuarded(static_cast<int32_t>(text.size()));
    edit.SetSelLengthGuarded(0);
    return false;
  }
  edit.SetSelStartGuarded(last_written);
  edit.SetSelLengthGuarded(0);
  UpdateCaretSelection();
  ProcessRight();
  return false;
}

// --- TlxCustomTimeEditProperties ------------------------------------------------------------------

TlxCustomTimeEditProperties::TlxCustomTimeEditProperties(TPersistent* owner) : TlxCustomSpinEditProperties(owner) {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  InitValueType(vtFloat);
  ApplyTableMask();
  SetIgnoreMaskBlank(true);
  SetIncrement(1.0);
  SetMinValue(0);
  SetMaxValue(86399);
  SetAlwaysShowBlanksAndLiterals(true);
}

void TlxCustomTimeEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomTimeEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomSpinEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomSpinEditProperties::Assign(source);
  SetAutoCorrectHours(other->auto_correct_hours_);
  SetShowDate(other->show_date_);
  SetTimeFormat(other->time_format_);
  SetUse24HourFormat(other->use_24_hour_format_);
  SetUseTimeFormatWhenUnfocused(other->use_time_format_when_unfocused_);
}

void TlxCustomTimeEditProperties::ApplyTableMask() { SetEditMask(lxTimeEditMask(time_format_, use_24_hour_format_)); }

void TlxCustomTimeEditProperties::SetTimeFormat(TlxTimeEditTimeFormat value) {
  if (time_format_ == value || value > tfHour)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  time_format_ = value;
  ApplyTableMask();
  Changed();
}

void TlxCustomTimeEditProperties::SetUse24HourFormat(bool value) {
  if (use_24_hour_format_ == value)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  use_24_hour_format_ = value;
  ApplyTableMask();
  Changed();
}

void TlxCustomTimeEditProperties::FormatChanged() {
  TUpdateScope<TlxCustomEditProperties> update(*this);
  ApplyTableMask();
  TlxCustomSpinEditProperties::FormatChanged();
}

const TlxMaskModeClass& TlxCustomTimeEditProperties::GetModeClass(TlxEditMaskKind /*kind*/) const {
  return TlxTimeEditMaskMode::kModeClass;
}

void TlxCustomTimeEditProperties::GetTimePartInfo(int32_t position, TlxTimePart& part, int32_t& part_start,
                                                  int32_t& part_length, int32_t& designator_kind,
                                                  bool& use_24_hour_format) const {
  part = GetTimePartAt(position);
  part_start = GetTimePartStart(part);
  part_length = part == tpDesignator ? static_cast<int32_t>(PmDesignator().size()) : GetTimePartLength();
  designator_kind = GetDesignatorKind();
  use_24_hour_format = use_24_hour_format_;
}

int32_t TlxCustomTimeEditProperties::GetTimePartStart(TlxTimePart part) const {
  if (part == tpDesignator)
    return 10 - 3 * static_cast<int32_t>(time_format_);
  return 3 * static_cast<int32_t>(part) + 1;
}

TlxTimePart TlxCustomTimeEditProperties::GetTimePartAt(int32_t position) const {
  if (MaxLength() > 0)
    position = std::min(position, MaxLength());
  if (!use_24_hour_format_ && position > TimePartTextLength())
    return tpDesignator;
  const std::string format = AnsiUpperCase(TimeDisplayFormat());
  const int32_t length = static_cast<int32_t>(format.size());
  // A separator: the next character decides.
  for (int32_t p = std::clamp(position, 1, length); p <= length; ++p) {
    switch (format[static_cast<size_t>(p - 1)]) {
      case 'H':
        return tpHour;
      case 'N':
        return tpMin;
      case 'S':
        return tpSec;
      default:
        break;
    }
  }
  return time_format_ == tfHour ? tpHour : time_format_ == tfHourMin ? tpMin : tpSec;
}

std::string TlxCustomTimeEditProperties::FormatTime(TDateTime time) const {
  return WithoutTrailingBlanks(FormatDateTime(TimeDisplayFormat(), time, Settings()));
}

void TlxCustomTimeEditProperties::PrepareValue(const Variant& /*value*/, Variant& result) const {
  result = Variant(0.0);
}

void TlxCustomTimeEditProperties::GetEmptyEditValue(Variant& value) const { value = Variant(FormatTime(0)); }

bool TlxCustomTimeEditProperties::IsNewTextAcceptable(Variant& value, bool /*edit_focused*/) const {
  TDateTime time = 0;
  if (!TryStrToDateTime(VarToStr(value), time, Settings()))
    return false;
  value = Variant(FormatTime(time));
  return true;
}

bool TlxCustomTimeEditProperties::IsEditValueValid(Variant& edit_value, bool edit_focused) const {
  if (edit_value.IsText())
    return IsNewTextAcceptable(edit_value, edit_focused);
  return edit_value.IsNull() || edit_value.IsEmpty() || lxVariantIsDateTime(edit_value) ||
         lxVariantIsNumeric(edit_value);
}

void TlxCustomTimeEditProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                        bool edit_focused) const {
  if (edit_value.IsNull() || edit_value.IsEmpty()) {
    display_value = Variant(edit_focused ? FormatTime(0) : std::string());
    return;
  }
  if (!lxVariantIsDateTime(edit_value) && !lxVariantIsNumeric(edit_value) && !edit_value.IsText())
    throw EConvertError(lxEditResString(lxSEditTimeConvertError));
  try {
    TDateTime value = 0;
    if (edit_value.IsText()) {
      if (!TryStrToDateTime(edit_value.AsString(), value, Settings())) {
        display_value = Variant(std::string());
        return;
      }
    } else {
      value = edit_value.AsDouble();
    }
    const bool shows_no_date = !show_date_ || value == 0 || std::trunc(value) == 0;
    std::string text;
    if (edit_focused || (use_time_format_when_unfocused_ && shows_no_date))
      text = FormatDateTime(TimeDisplayFormat(), value, Settings());
    else if (show_date_ && std::trunc(value) != 0)
      text = DateTimeToStr(value, Settings());
    else
      text = TimeToStr(value, Settings());
    display_value = Variant(WithoutTrailingBlanks(text));
  } catch (const EConvertError&) {
    // Never the current time: an unchanged editor would post it.
    display_value = Variant(std::string());
  } catch (const EVariantError&) {
    display_value = Variant(std::string());
  }
}

void TlxCustomTimeEditProperties::ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                                                       IlxEditControl* edit) {
  if (!error) {
    Variant text = display_value;
    error = !TrimBlanks(VarToStr(display_value)).empty() && !IsNewTextAcceptable(text, true);
  }
  if (error_text.empty())
    error_text = lxEditResString(lxSEditTimeConvertError);
  TlxCustomEditProperties::ValidateDisplayValue(display_value, error_text, error, edit);
}

int32_t TlxCustomTimeEditProperties::SecondsFromText(std::u16string_view text) const {
  int32_t hours = FieldNumber(text, 0);
  if (!use_24_hour_format_)
    hours %= 12;
  int32_t seconds = hours * 3600;
  if (time_format_ != tfHour)
    seconds += FieldNumber(text, 3) * 60;
  if (time_format_ == tfHourMinSec)
    seconds += FieldNumber(text, 6);
  if (!use_24_hour_format_ && EndsWith(WithoutTrailingBlanks(std::u16string(text)), PmDesignator()))
    seconds += kLxTimeEditDesignatorStep;
  return seconds;
}

TDateTime TlxCustomTimeEditProperties::TimeFromText(std::string_view display_text) const {
  std::string text(display_text);
  const size_t time_length = static_cast<size_t>(TimePartTextLength());
  std::string rest;
  if (!use_24_hour_format_ && text.size() > time_length) {
    rest = text.substr(time_length);
    text.resize(time_length);
  }
  if (text.size() == 2)
    text += std::string(1, Settings().TimeSeparator) + "00";
  if (!use_24_hour_format_) {
    const std::string& am = Settings().TimeAMString;
    const bool is_am = !am.empty() && rest.find(am) != std::string::npos;
    const std::string& designator = is_am ? am : Settings().TimePMString;
    if (!designator.empty())
      text += " " + designator;
  }
  TDateTime time = 0;
  if (!TryStrToTime(text, time, Settings()))
    return 0;
  return time;
}

int32_t TlxCustomTimeEditProperties::GetIncrementAt(int32_t sel_start, int32_t button_index, int32_t seconds) const {
  const bool fast = button_index == 2 || button_index == 3;
  int32_t step = kLxTimeEditSecondStep;
  switch (GetTimePartAt(sel_start + 1)) {
    case tpDesignator:
      // Either button swaps AM and PM.
      return seconds >= kLxTimeEditDesignatorStep ? -kLxTimeEditDesignatorStep : kLxTimeEditDesignatorStep;
    case tpHour:
      step = kLxTimeEditHourStep;
      break;
    case tpMin:
      step = fast ? 10 * kLxTimeEditMinuteStep : kLxTimeEditMinuteStep;
      break;
    case tpSec:
      step = fast ? 10 * kLxTimeEditSecondStep : kLxTimeEditSecondStep;
      break;
  }
  return button_index == 0 || button_index == 2 ? -step : step;
}

void TlxCustomTimeEditProperties::GetSpinSelection(std::u16string_view text, int32_t caret, int32_t& sel_start,
                                                   int32_t& sel_length) const {
  if (GetTimePartAt(caret + 1) == tpDesignator) {
    size_t start = static_cast<size_t>(TimePartTextLength());
    while (start < text.size() && text[start] == u' ')
      ++start;
    const std::u16string shown = WithoutTrailingBlanks(std::u16string(text.substr(std::min(start, text.size()))));
    sel_start = static_cast<int32_t>(start);
    sel_length = static_cast<int32_t>(shown.size());
    return;
  }
  sel_start = caret <= 1 ? 1 : caret <= 4 ? 4 : 7;
  sel_length = 1;
}

TlxTimeTypingResult TlxCustomTimeEditProperties::TypeChar(std::u16string_view text, char16_t c,
                                                          int32_t position) const {
  const TlxTimePart part = GetTimePartAt(position);
  if (part == tpDesignator)
    return TypeDesignator(text, c, position);
  return TypeDigit(text, c, position, part);
}

TlxTimeTypingResult TlxCustomTimeEditProperties::TypeDigit(std::u16string_view text, char16_t c, int32_t position,
                                                           TlxTimePart part) const {
  TlxTimeTypingResult result;
  if (c < u'0' || c > u'9')
    return result;
  const size_t start = static_cast<size_t>(GetTimePartStart(part) - 1);
  result.Text = std::u16string(text);
  // A text shorter than the mask gets the missing digits as "0".
  if (result.Text.size() < start + 2)
    result.Text.resize(start + 2, u'0');
  std::u16string& out = result.Text;
  const bool first_digit = static_cast<size_t>(position - 1) == start;
  const int32_t low = part == tpHour && !use_24_hour_format_ ? 1 : 0;
  const int32_t high = part != tpHour ? 59 : use_24_hour_format_ ? 23 : 12;
  const char16_t high_first = static_cast<char16_t>(u'0' + high / 10);
  std::u16string field = out.substr(start, 2);
  field[first_digit ? 0 : 1] = c;
  const int32_t value = FieldNumber(field, 0);
  if (value >= low && value <= high) {
    result.Kind = TlxTimeTypingResult::kAccepted;
    result.C = c;
    return result;
  }
  if (first_digit) {
    result.Kind = TlxTimeTypingResult::kConsumed;
    if (c == u'0') {
      out[start] = u'0';
      result.Caret = static_cast<int32_t>(start);
    } else if (c > high_first) {
      // "7" in the minutes gives "07": the digit lands in the second place.
      out[start] = u'0';
      out[start + 1] = c;
      result.Caret = static_cast<int32_t>(start + 1);
    } else {
      out[start] = c;
      out[start + 1] = u'0';
      result.Caret = static_cast<int32_t>(start);
    }
    return result;
  }
  if (c == u'0')
    return result;
  out[start] = u'0';
  result.Kind = TlxTimeTypingResult::kAccepted;
  result.C = c;
  return result;
}

TlxTimeTypingResult TlxCustomTimeEditProperties::TypeDesignator(std::u16string_view text, char16_t c,
                                                                int32_t position) const {
  TlxTimeTypingResult result;
  const std::u16string am = AmDesignator();
  const std::u16string pm = PmDesignator();
  // Designators that cannot be told apart take no typing.
  if (am.empty() || pm.empty())
    return result;
  size_t differ = 0;
  while (differ < am.size() && differ < pm.size() && SameLetter(am[differ], pm[differ]))
    ++differ;
  if (differ == am.size() && differ == pm.size())
    return result;
  const int32_t start = GetTimePartStart(tpDesignator);
  if (position < start)
    return result;
  const size_t index = static_cast<size_t>(position - start);
  if (index < differ) {
    if (!SameLetter(c, am[index]))
      return result;
    result.Kind = TlxTimeTypingResult::kAccepted;
    result.C = am[index];
    result.Text = std::u16string(text);
    return result;
  }
  if (index > differ) {
    const size_t at = static_cast<size_t>(position - 1);
    if (at >= text.size() || !SameLetter(c, text[at]))
      return result;
    result.Kind = TlxTimeTypingResult::kAccepted;
    result.C = text[at];
    result.Text = std::u16string(text);
    return result;
  }
  const std::u16string* chosen = nullptr;
  if (differ < am.size() && SameLetter(c, am[differ]))
    chosen = &am;
  else if (differ < pm.size() && SameLetter(c, pm[differ]))
    chosen = &pm;
  if (chosen == nullptr)
    return result;
  const size_t prefix = std::min(static_cast<size_t>(start - 1), text.size());
  std::u16string written = std::u16string(text.substr(0, prefix));
  written.resize(static_cast<size_t>(start - 1), u' ');
  written += *chosen;
  if (written.size() < text.size())
    written.resize(text.size(), u' ');
  result.Kind = TlxTimeTypingResult::kConsumed;
  result.Text = std::move(written);
  result.CaretAfterField = true;
  return result;
}

void TlxTimeEditProperties::Publish(TPropertyListBuilder& properties) {
  lxPublishSpinEditCommonSettings(properties);
  using P = TlxCustomTimeEditProperties;
  auto p = properties.For<P>();
  p.Boolean("AutoCorrectHours", &P::AutoCorrectHours, &P::SetAutoCorrectHours, true);
  p.Boolean("Circular", &P::Circular, &P::SetCircular, false);
  p.Boolean("ShowDate", &P::ShowDate, &P::SetShowDate, false);
  p.Enumeration("TimeFormat", &P::TimeFormat, &P::SetTimeFormat, {"tfHourMinSec", "tfHourMin", "tfHour"},
                std::optional<TlxTimeEditTimeFormat>(tfHourMinSec));
  p.Boolean("Use24HourFormat", &P::Use24HourFormat, &P::SetUse24HourFormat, true);
  p.Boolean("UseTimeFormatWhenUnfocused", &P::UseTimeFormatWhenUnfocused, &P::SetUseTimeFormatWhenUnfocused, true);
}

// --- the format listener and the module -----------------------------------------------------------

TlxTimeEditFormatListener::TlxTimeEditFormatListener() : TlxInterfacedPersistent(nullptr) {
  lxGetFormatController().AddListener(this);
  lxBuildTimeEditMasks();
}

TlxTimeEditFormatListener::~TlxTimeEditFormatListener() { lxGetFormatController().RemoveListener(this); }

namespace {

TlxModuleStartCount& TimeEditModule() {
  static TlxModuleStartCount count;
  return count;
}

std::unique_ptr<TlxTimeEditFormatListener>& FormatListener() {
  static std::unique_ptr<TlxTimeEditFormatListener> listener;
  return listener;
}

}  // namespace

void lxTimeEditModuleStart() {
  TimeEditModule().Start([] {
    lxEditConstsInitialize();
    FormatListener() = std::make_unique<TlxTimeEditFormatListener>();
    lxGetRegisteredEditProperties().AddClass(&TlxTimeEditProperties::kClass, kTimeEditKindText);
    lxGetFilterEditsController().RegisterHelper(&TlxTimeEditProperties::kClass,
                                                &StatelessInstance<TlxFilterTimeEditHelper>());
  });
}

void lxTimeEditModuleEnd() {
  TimeEditModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxTimeEditProperties::kClass,
                                                    &StatelessInstance<TlxFilterTimeEditHelper>());
    FormatListener().reset();
    lxEditConstsFinalize();
  });
}
