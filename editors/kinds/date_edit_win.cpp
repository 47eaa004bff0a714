#include "editors/kinds/date_edit_win.h"

#include <cmath>

#include "data/date_arithmetic.h"
#include "data/variant_utils.h"
#include "editors/edit_data_binding_win.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/time_edit_win.h"
#include "editors/popup_window_win.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

// The time of day a date carries, counted from midnight whatever the sign
// of the day.
double TimeOfDayOf(TDateTime date) { return date == NullDate ? 0 : std::fabs(lxTimeOfDateTime(date)); }

bool HasTimeOfDay(TDateTime date) { return date != NullDate && lxTimeOfDateTime(date) != 0; }

}  // namespace

// --- TlxDateEditPopupWindow -------------------------------------------------------------------------

TlxDateEditPopupWindow::TlxDateEditPopupWindow(TControl* owner_control) : TlxPopupEditPopupWindow(owner_control) {
  SetKeyPreview(true);
}

bool TlxDateEditPopupWindow::ForwardsKeyToCalendar(uint16_t key, TShiftState shift) const {
  const bool alt = shift.Contains(ssAlt);
  switch (key) {
    case VK_ESCAPE: {
      TWinControl* active = ActiveControl();
      if (dynamic_cast<TlxButton*>(active) != nullptr)
        return true;
      auto* time_edit = dynamic_cast<TlxTimeEdit*>(active);
      return time_edit != nullptr && !time_edit->Modified();
    }
    case VK_UP:
    case VK_DOWN:
      return alt;
    case VK_F4:
      return !alt;
    default:
      return false;
  }
}

void TlxDateEditPopupWindow::KeyDown(uint16_t& key, TShiftState shift) {
  TlxPopupEditPopupWindow::KeyDown(key, shift);
  if (key == 0 || !ForwardsKeyToCalendar(key, shift))
    return;
  auto* edit = dynamic_cast<TlxCustomDateEdit*>(OwnerControl());
  TlxDateEditCalendar* calendar = edit != nullptr ? edit->Calendar() : nullptr;
  // The calendar gets its own keys directly; only keys that arrive while
  // another control of the popup has the focus are passed on.
  if (calendar == nullptr || ActiveControl() == calendar)
    return;
  calendar->ForwardKeyDown(key, shift);
  key = 0;
}

// --- TlxCustomDateEdit ------------------------------------------------------------------------------

TlxCustomDateEdit::TlxCustomDateEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomDropDownEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomDateEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no date editor properties class");
  // The text is the display of the value, never a caption of its own.
  ControlStyle().Exclude(csSetCaption);
}

TlxCustomDateEdit::~TlxCustomDateEdit() {
  // The calendar sits in the popup window, which the drop-down base frees
  // after this body: it goes first, while both still exist.
  if (calendar_ != nullptr) {
    calendar_->OnHidePopup = nullptr;
    calendar_->OnDateSelected = nullptr;
    delete calendar_;
    calendar_ = nullptr;
  }
}

void TlxCustomDateEdit::CreateCalendar() {
  TObject* instance = GetCalendarClass().CreateInstance(this);
  calendar_ = dynamic_cast<TlxDateEditCalendar*>(instance);
  if (calendar_ == nullptr) {
    delete instance;
    throw EInvalidOperation(std::string(GetCalendarClass().ClassName()) + " is no date editor calendar class");
  }
  calendar_->SetVisible(false);
  if (PopupWindow() != nullptr)
    calendar_->SetParent(PopupWindow());
  calendar_->OnHidePopup = [this](TObject*, int32_t reason) { SetCloseReasonAndClose(reason); };
  calendar_->OnDateSelected = [this] { CalendarDateSelected(); };
}

void TlxCustomDateEdit::SetCloseReasonAndClose(int32_t reason) {
  SetCloseUpReason(reason);
  lxPostPopupClose(PopupWindow());
}

// --- the value ------------------------------------------------------------------------------------

void TlxCustomDateEdit::ChangeEditValue(const Variant& value) {
  // The validated text is stored by the commit that follows; a value that
  // differs keeps the editor modified until then.
  if (!lxEditValuesEqual(GetEditValue(), value))
    SetModifiedFlag(true);
}

Variant TlxCustomDateEdit::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant(Text()), value, true);
  return value;
}

void TlxCustomDateEdit::ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  edit_value = ActiveDateProperties()->EditValueOfText(VarToStrDef(display_value, ""), saved_time_);
}

void TlxCustomDateEdit::StoreEditValue(const Variant& value, bool is_user_action) {
  if (IsLoadingOrDestroying() && ComponentState().Contains(csDestroying))
    return;
  const TlxCustomDateEditProperties* properties = ActiveDateProperties();
  if (properties->Kind() == ckDate && properties->SaveTime()) {
    TDateTime date = NullDate;
    if (value.IsText()) {
      const Variant parsed = properties->TextToDateValue(VarToStr(value), false);
      date = parsed.IsNull() ? NullDate : parsed.AsDateTime();
    } else if (lxVariantIsDateTime(value) || lxVariantIsNumeric(value)) {
      date = value.AsDouble();
    }
    saved_time_ = TimeOfDayOf(date);
  }
  TlxCustomDropDownEdit::StoreEditValue(value, is_user_action);
}

void TlxCustomDateEdit::CommitDisplayValue(const Variant& display_value) {
  if (display_value.IsText()) {
    TlxCustomDropDownEdit::CommitDisplayValue(display_value);
    return;
  }
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  SetEditValueUnlocked(display_value);
}

TDateTime TlxCustomDateEdit::GetDate() {
  Variant value = GetEditValue();
  if (IsFocusedForFormatting() && ModifiedAfterEnter() && !Validated())
    value = GetEditingValue();
  if (value.IsNull() || value.IsEmpty())
    return NullDate;
  if (lxVariantIsDateTime(value) || lxVariantIsNumeric(value))
    return value.AsDouble();
  if (value.IsText()) {
    Variant converted;
    ConvertDisplayToEditValue(value, converted, IsFocusedForFormatting());
    return converted.IsNull() ? NullDate : converted.AsDateTime();
  }
  return NullDate;
}

void TlxCustomDateEdit::SetDate(TDateTime value) {
  if (value == NullDate) {
    SetEditValueUnlocked(Variant::Null());
    return;
  }
  const TlxCustomDateEditProperties* properties = ActiveDateProperties();
  if (properties->Kind() == ckDate && !HasTimeOfDay(value))
    value = properties->SaveTime() ? lxDateWithTime(value, saved_time_) : lxDateOfDateTime(value);
  SetEditValueUnlocked(Variant::FromDate(value));
}

void TlxCustomDateEdit::ApplyValueBounds() {
  const TDateTime date = GetDate();
  if (date == NullDate)
    return;
  // The correction counts as the user's exactly when the editor was modified.
  const bool was_user_change = IsUserChange();
  SetUserChange(Modified());
  TScopeExit restore([this, was_user_change] { SetUserChange(was_user_change); });
  const TlxCustomDateEditProperties& properties = *ActiveDateProperties();
  if (properties.IsValueBoundSet(0) && date < properties.MinDate())
    SetDate(properties.MinDate());
  else if (properties.IsValueBoundSet(1) && date > properties.MaxDate())
    SetDate(properties.MaxDate());
}

bool TlxCustomDateEdit::IsCharAllowedAt(char16_t& c, int32_t position) {
  TlxDateEditTimeItem item;
  if (!ActiveDateProperties()->GetTimeItemAt(position, item))
    return true;
  const std::u16string text = Utf8ToUtf16(Text());
  const size_t start = static_cast<size_t>(std::max(item.Start - 1, 0));
  const std::u16string item_text = start < text.size() ? text.substr(start, static_cast<size_t>(item.Length)) : u"";
  return lxDateEditTimeCharAllowed(item, item_text, position - item.Start, c);
}

void TlxCustomDateEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  auto* text_properties = dynamic_cast<TlxCustomTextEditProperties*>(properties);
  if (text_properties != nullptr && text_properties->IsFormatChanging())
    return;
  TlxCustomDropDownEdit::PropertiesChanged(properties);
  // A changed kind or input kind shows the value anew.
  if (HandleAllocated() && !IsFocusedForFormatting())
    DataBinding()->UpdateDisplay();
}

// --- the drop-down --------------------------------------------------------------------------------

bool TlxCustomDateEdit::CanDropDown() {
  return !ActiveDateProperties()->GetReadOnly() && DataBinding()->HasActiveData();
}

void TlxCustomDateEdit::CreatePopupWindow() {
  TlxCustomDropDownEdit::CreatePopupWindow();
  // The calendar's keys arrive through the form's own loop.
  if (PopupWindow() != nullptr)
    PopupWindow()->SetModalLoop(false);
}

void TlxCustomDateEdit::DropDown() {
  if (calendar_ == nullptr)
    CreateCalendar();
  TlxCustomDropDownEdit::DropDown();
}

TSize TlxCustomDateEdit::CalculatePopupContentSize() {
  if (calendar_ == nullptr)
    return TSize{0, 0};
  int32_t width = 0;
  int32_t height = 0;
  calendar_->GetSize(width, height);
  return TSize{width, height};
}

void TlxCustomDateEdit::PlacePopupContent(const TRect& client_rect) {
  if (calendar_ != nullptr)
    calendar_->SetBounds(client_rect.Left, client_rect.Top, client_rect.Width(), client_rect.Height());
}

void TlxCustomDateEdit::SetupPopupWindow() {
  TlxCustomDropDownEdit::SetupPopupWindow();
  if (calendar_ == nullptr)
    return;
  if (calendar_->Parent() != PopupWindow())
    calendar_->SetParent(PopupWindow());
  const TlxCustomDateEditProperties& properties = *ActiveDateProperties();
  calendar_->SetFlat(lxGetEditButtonsLookAndFeelKind(*this) != lfStandard);
  calendar_->SetDateButtons(properties.DateButtons());
  if (TFont* font = GetStyle()->GetTextFont())
    calendar_->Font().Assign(font);
  calendar_->Font().SetColor(clBtnText);
  calendar_->SetArrowsForYear(properties.ArrowsForYear());
  calendar_->SetWeekNumbers(properties.WeekNumbers());
  calendar_->SetVisible(true);
  calendar_->HandleNeeded();

  popup_date_ = GetDate();
  const TDateTime day = popup_date_ == NullDate ? lxDateOfDateTime(ClockNow()) : lxDateOfDateTime(popup_date_);
  calendar_->SetFirstDate(day);
  calendar_->SetSelectDate(day);
}

void TlxCustomDateEdit::PositionPopupWindow() {
  TlxCustomDropDownEdit::PositionPopupWindow();
  if (calendar_ != nullptr)
    calendar_->CalculateLayout();
}

void TlxCustomDateEdit::PopupWindowShowed() {
  TlxCustomDropDownEdit::PopupWindowShowed();
  if (calendar_ != nullptr) {
    calendar_->CalculateLayout();
    calendar_->Invalidate();
  }
}

TDateTime TlxCustomDateEdit::PickedDate() const {
  TDateTime date = calendar_->SelectDate();
  if (date == NullDate || HasTimeOfDay(date))
    return date;
  const TlxCustomDateEditProperties& properties = *ActiveDateProperties();
  // The calendar picks days; the time of day comes from the value the
  // popup opened on.
  const bool keeps_time =
      properties.Kind() == ckDateTime || (properties.SaveTime() && popup_date_ != NullDate);
  return keeps_time ? lxDateWithTime(date, TimeOfDayOf(popup_date_)) : date;
}

void TlxCustomDateEdit::CalendarDateSelected() {
  const TDateTime date = PickedDate();
  const TlxCustomDateEditProperties& properties = *ActiveDateProperties();
  const std::string text = date == NullDate ? properties.EmptyEditText(true) : properties.PickedDateText(date);
  if (GetDate() == date && Text() == text)
    return;
  if (!TryStartEditing())
    return;
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  SetDate(date);
  SetModified(true);
  PutDisplayValue(Variant(text));
  SelectAll();
}

// --- TlxDateEdit ------------------------------------------------------------------------------------

void TlxDateEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDateEdit>();
  p.Persistent("Properties", TlxDateEditProperties::kClass, &TlxDateEdit::GetProperties);
  p.Boolean("BeepOnEnter", &TlxDateEdit::BeepOnEnter, &TlxDateEdit::SetBeepOnEnter, true);
  // Date reads the typed text while editing, which needs the editor itself.
  const auto read_date = [](const TlxDateEdit& edit) { return const_cast<TlxDateEdit&>(edit).Date(); };
  p.Float("Date", read_date, &TlxDateEdit::SetDate).Stored = [](const TPersistent&) { return false; };
}
