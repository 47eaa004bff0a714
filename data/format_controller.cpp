#include "data/format_controller.h"

#include <algorithm>

#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "ui/foundation/base/library_strings.h"

namespace {

const TlxResourceString* const kSmartDateWords[] = {
    &lxSDateToday,  &lxSDateYesterday, &lxSDateTomorrow, &lxSDateSunday,    &lxSDateMonday,
    &lxSDateTuesday, &lxSDateWednesday, &lxSDateThursday, &lxSDateFriday,    &lxSDateSaturday,
    &lxSDateFirst,  &lxSDateSecond,    &lxSDateThird,    &lxSDateFourth,    &lxSDateFifth,
    &lxSDateSixth,  &lxSDateSeventh,   &lxSDateBOM,      &lxSDateEOM,       &lxSDateNow,
};

}  // namespace

std::vector<std::string> lxSmartDateWords(bool with_now) {
  std::vector<std::string> words;
  const size_t count = with_now ? std::size(kSmartDateWords) : std::size(kSmartDateWords) - 1;
  for (size_t index = 0; index < count; ++index)
    words.push_back(lxLookupResString(kSmartDateWords[index]));
  return words;
}

TlxFormatController::TlxFormatController() {
  Recompute();
  locale_listener_ = AddLocaleListener([this] {
    Recompute();
    DoFormatsChanged();
  });
  time_listener_ = AddTimeChangeListener([this] { DoSystemTimeChanged(); });
}

TlxFormatController::~TlxFormatController() {
  RemoveTimeChangeListener(time_listener_);
  RemoveLocaleListener(locale_listener_);
}

void TlxFormatController::Recompute() {
  const TLocale& locale = UserLocale();
  const TFormatSettings& settings = locale.Settings();
  const TlxFormatTexts texts = lxCurrentFormatTexts();

  currency_display_format_ = lxCurrencyDisplayFormatOf(settings);
  week_start_day_ = static_cast<uint8_t>(settings.FirstDayOfWeek % 7);

  lxParseDateTimeFormat(settings.ShortDateFormat, date_format_items_, texts);
  lxParseDateTimeFormat(settings.LongTimeFormat, time_format_items_, texts);
  lxParseDateTimeFormat(settings.ShortDateFormat + " " + settings.LongTimeFormat, date_time_format_items_, texts);

  standard_date_mask_ = lxStandardMaskOf(date_format_items_, texts);
  const std::string date_expression = lxDateRegExprOf(date_format_items_, settings);
  date_reg_expr_mask_ = lxWithSmartWords(date_expression, lxSmartDateWords(false));
  date_time_reg_expr_mask_ = lxWithSmartWords(
      date_expression + " ' '(" + lxTimeRegExprOf(time_format_items_, settings, texts) + ")?",
      lxSmartDateWords(true));
  standard_date_time_mask_ = lxStandardMaskOf(date_time_format_items_, texts);
  masked_date_display_format_ = lxMaskedDisplayFormatOf(date_format_items_);
  masked_date_time_display_format_ = lxMaskedDisplayFormatOf(date_time_format_items_);
  date_input_format_ = lxDateInputFormatOf(settings.ShortDateFormat);
}

void TlxFormatController::HandleWindowMessage(TlxFormatWindowMessage& message) {
  if (message.Msg == kLxSettingChangeMessage && message.WParam == 0 && message.Section == "intl") {
    if (window_ == nullptr || window_->UpdateFormatSettings())
      ReloadUserLocale();  // the locale listener recomputes and tells the listeners
    message.Result = 0;
    return;
  }
  if (message.Msg == kLxTimeChangeMessage) {
    NotifyTimeChanged();
    message.Result = 0;
    return;
  }
  if (window_ != nullptr)
    window_->CallDefault(message);
}

void TlxFormatController::AddListener(IlxFormatListener* listener) {
  if (listener == nullptr || std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
    return;
  listeners_.push_back(listener);
  if (window_ == nullptr)
    window_ = lxCreateFormatWindow(*this);
}

void TlxFormatController::RemoveListener(IlxFormatListener* listener) {
  const auto found = std::find(listeners_.begin(), listeners_.end(), listener);
  if (found == listeners_.end())
    return;
  listeners_.erase(found);
  if (listeners_.empty())
    window_.reset();
}

void TlxFormatController::DoFormatsChanged() {
  // A listener may remove itself (or another) while it is told.
  const std::vector<IlxFormatListener*> listeners = listeners_;
  for (IlxFormatListener* listener : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end())
      listener->FormatsChanged();
  }
}

void TlxFormatController::DoSystemTimeChanged() {
  const std::vector<IlxFormatListener*> listeners = listeners_;
  for (IlxFormatListener* listener : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
      continue;
    if (auto* time_listener = dynamic_cast<IlxTimeChangeListener*>(listener))
      time_listener->SystemTimeChanged();
  }
}

bool TlxFormatController::FindFormatItemAtPos(const TlxDateTimeFormatInfo& info, int32_t position,
                                              TlxFormatItemAtPos& found) const {
  if (position < 1)
    return false;
  const TlxFormatTexts texts = lxCurrentFormatTexts();
  int32_t start = 1;
  for (const TlxDateTimeFormatItem& item : info.ItemList) {
    const int32_t width = lxFormatItemTextLength(item, texts);
    if (position >= start && position < start + width) {
      found.Kind = item.ItemKind;
      found.Start = start;
      found.Length = width;
      found.AmPmStyle = item.ItemKind == fikAmPm ? lxAmPmFormatKind(item) : lxafkLocale;
      return true;
    }
    start += width;
  }
  return false;
}

int32_t TlxFormatController::GetFormatTextLength(const TlxDateTimeFormatInfo& info) const {
  const TlxFormatTexts texts = lxCurrentFormatTexts();
  int32_t length = 0;
  for (const TlxDateTimeFormatItem& item : info.ItemList)
    length += lxFormatItemTextLength(item, texts);
  return length;
}

TlxFormatController& lxGetFormatController() {
  static TlxFormatController controller;
  return controller;
}
