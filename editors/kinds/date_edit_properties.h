#pragma once
// The date editor's settings and conversions: a date or a date and time
// shown as text (the file list's "03.03.2009 14:05:09"; midnight shows the
// date alone), typed text read back through the smart date words and the
// regional formats, and the validation that decides what an unreadable
// text becomes. Painting a value that is no date shows its plain text.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/smart_dates.h"
#include "editors/edit_repository_items.h"
#include "editors/filter_edit_helper.h"
#include "editors/kinds/flag_properties_values.h"
#include "editors/drop_down_edit_properties.h"
#include "editors/mask_edit_properties.h"
#include "editors/mask_mode_standard.h"

enum TlxCalendarKind : uint8_t { ckDate, ckDateTime };
enum TDateOnError : uint8_t { deNoChange, deToday, deNull };
enum TlxInputKind : uint8_t { ikStandard, ikMask, ikRegExpr };
enum TCalendarButton : uint8_t { btnClear, btnNow, btnToday, btnOk };
// A set of btnClear..btnToday, one bit per button.
using TDateButtons = uint8_t;
constexpr TDateButtons lxDateButton(TCalendarButton button) { return static_cast<TDateButtons>(1u << button); }

// The last date-time number the editors accept (31 December 9999 at 23:59:59).
inline constexpr TDateTime kLxMaxEditDate = 2958465.99999;

// A time item of a masked date-time text, in the form the time editor's
// character check takes.
struct TlxDateEditTimeItem {
  int32_t Kind = 0;  // hour 0, minute 1, second 2, AM/PM 3
  int32_t Start = 0;
  int32_t Length = 0;
  int32_t Style = 0;
  bool Use24HourFormat = true;
};

class TlxDateEditPropertiesValues : public TlxFlagPropertiesValues<TlxDateEditPropertiesValues> {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDateEditPropertiesValues", &TlxTextEditPropertiesValues::kClass,
                                 &ConstructInstance<TlxDateEditPropertiesValues>,
                                 &TlxDateEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxFlagPropertiesValues::TlxFlagPropertiesValues;

  bool DateButtons() const { return date_buttons_; }
  void SetDateButtons(bool value) { StoreFlag(date_buttons_, value); }
  bool InputKind() const { return input_kind_; }
  void SetInputKind(bool value) { StoreFlag(input_kind_, value); }

 private:
  friend class TlxCustomDateEditProperties;
  friend class TlxFlagPropertiesValues<TlxDateEditPropertiesValues>;
  static constexpr auto Flags() {
    return std::array{&TlxDateEditPropertiesValues::date_buttons_, &TlxDateEditPropertiesValues::input_kind_};
  }

  bool date_buttons_ = false;
  bool input_kind_ = false;
};

// What the validation needs of the editor beyond its text: the time of day
// a date-only editor keeps, and its edit value.
class IlxDateEditValues : public virtual IInterface {
 public:
  virtual double SavedTime() const = 0;
  virtual void SetSavedTime(double time) = 0;
  // Stores a settled value; the editor counts as modified when it differs.
  virtual void ChangeEditValue(const Variant& value) = 0;
};

class TlxCustomDateEditProperties : public TlxCustomDropDownEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomDateEditProperties", &TlxCustomDropDownEditProperties::kClass,
                                 &ConstructInstance<TlxCustomDateEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomDateEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;

  // Virtual operations, in the order of their slots. Positions are 1-based.
  virtual char16_t GetBlankCharAt(int32_t position) const;
  virtual bool GetTimeItemAt(int32_t position, TlxDateEditTimeItem& item) const;

  // Overrides of the base kinds.
  const TClass& GetAssignedValuesClass() const override { return TlxDateEditPropertiesValues::kClass; }
  uint32_t GetDisplayFormatOptions() const override { return kLxDisplayFormatFromData | kLxDisplayFormatNotInplace; }
  void Changed() override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  // Raises EConvertError "Could not convert to date" for a value that is
  // neither a date, a number nor a text that reads as a date.
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override { return UsesFieldDisplayFormat(edit_focused); }
  bool IsNumericValue() const override { return true; }
  // MinDate and MaxDate of 0 are unset; set together they apply only when
  // MaxDate lies after MinDate.
  bool IsValueBoundSet(int32_t bound) const override;
  bool HasValueBounds() const override;
  bool IsNewTextAcceptable(Variant& value, bool edit_focused) const override;
  const TlxMaskModeClass& GetModeClass(TlxEditMaskKind kind) const override;
  // The date editor control and its calendar popup; null natively.
  const TClass* GetEditControlClass() const override;
  const TClass* GetPopupWindowClass() const override;
  bool PostsValueAfterPopupClosed() const override { return true; }
  bool PopupAdjustsToWorkArea() const override { return false; }
  // The calendar takes the keys while it is shown, and it is no list.
  bool PopupCapturesFocus() const override { return true; }
  bool ShowsLookupListInPopup() const override { return false; }

  // Typed text as a date variant, or Null for the empty text and for text
  // that reads as no date (then, with `apply_date_on_error`, deToday gives
  // today or now).
  Variant TextToDateValue(std::string_view text, bool apply_date_on_error = true) const;
  bool ShowsTime(bool edit_focused, TDateTime date) const;
  // The text an empty editor shows: the mask's empty text while focused.
  std::string EmptyEditText(bool edit_focused) const;
  // The focused text of a date, as the editor shows it after a choice.
  std::string EditTextOfDate(TDateTime date) const;
  // The text the editor shows for a date picked in its calendar: a date
  // whose usual text would read back as another day (a two-digit year
  // taken for another century) is written with four-digit years.
  std::string PickedDateText(TDateTime date) const;
  // The edit value of a typed text: its date, and in a date-only editor
  // that keeps times, that day at `saved_time`.
  Variant EditValueOfText(std::string_view text, double saved_time) const;

  // Settings.
  TlxDateEditPropertiesValues* AssignedDateValues() const;
  bool ArrowsForYear() const { return arrows_for_year_; }
  void SetArrowsForYear(bool value) { Store(arrows_for_year_, value); }
  // Unassigned: Clear and Today for dates, Clear and Now for date-times.
  TDateButtons DateButtons() const;
  void SetDateButtons(TDateButtons value);
  bool DateButtonsNeedsStoring() const { return AssignedDateValues()->DateButtons(); }
  TDateOnError DateOnError() const { return date_on_error_; }
  void SetDateOnError(TDateOnError value) { Store(date_on_error_, value); }
  // Unassigned: the mask for date-times, the regular expression for dates;
  // always ikStandard when the regional calendar is not Gregorian.
  TlxInputKind InputKind() const;
  void SetInputKind(TlxInputKind value);
  bool InputKindNeedsStoring() const { return AssignedDateValues()->InputKind(); }
  TlxCalendarKind Kind() const { return kind_; }
  void SetKind(TlxCalendarKind value) { Store(kind_, value); }
  TDateTime MaxDate() const { return MaxValue(); }
  void SetMaxDate(TDateTime value) { SetMaxValue(value); }
  TDateTime MinDate() const { return MinValue(); }
  void SetMinDate(TDateTime value) { SetMinValue(value); }
  bool SaveTime() const { return save_time_; }
  void SetSaveTime(bool value) { Store(save_time_, value); }
  bool ShowTime() const { return show_time_; }
  void SetShowTime(bool value) { Store(show_time_, value); }
  bool WeekNumbers() const { return week_numbers_; }
  void SetWeekNumbers(bool value) { Store(week_numbers_, value); }
  bool YearsInMonthList() const { return years_in_month_list_; }
  void SetYearsInMonthList(bool value) { Store(years_in_month_list_, value); }

 private:
  void ApplyInputKind();
  bool IsMaskedDateTime() const;
  // The typed text as a date, without DateOnError; NullDate when none.
  TDateTime ParseDate(std::string_view text) const;
  // Validation after the text was read: range, saved time, display text.
  void SettleValidatedDate(TDateTime date, bool text_empty, Variant& display_value, std::string& error_text,
                           bool& error, IlxDateEditValues* values);

  bool arrows_for_year_ = true;
  TDateButtons date_buttons_ = 0;
  TDateOnError date_on_error_ = deNoChange;
  TlxInputKind input_kind_ = ikRegExpr;
  TlxCalendarKind kind_ = ckDate;
  bool save_time_ = true;
  bool show_time_ = true;
  bool week_numbers_ = false;
  bool years_in_month_list_ = true;
};

class TlxDateEditProperties : public TlxCustomDateEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDateEditProperties", &TlxCustomDateEditProperties::kClass,
                                 &ConstructInstance<TlxDateEditProperties>, &TlxDateEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomDateEditProperties::TlxCustomDateEditProperties;
};

class TlxEditRepositoryDateItem : public TlxEditRepositoryItemOf<TlxEditRepositoryDateItem, TlxDateEditProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryDateItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryDateItem>, &TlxEditRepositoryDateItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

// The standard mask mode of masked dates: an emptied time position shows
// '0', so an empty date-time reads as an empty date with a zero time.
class TlxDateEditMaskStandardMode : public TlxMaskEditStandardMode {
 public:
  static const TlxMaskModeClass kModeClass;
  using TlxMaskEditStandardMode::TlxMaskEditStandardMode;
  const TlxMaskModeClass& ModeClass() const override { return kModeClass; }

  std::u16string GetEmptyText() override;
  char16_t GetBlankChar(int32_t position) const override;
};

// Prepares the filter builder's date operands: nullable, read through the
// regular expression, with the relative date operators.
class TlxFilterDateEditHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterDateEditHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// Whether `c` may be typed at a 0-based `offset` inside a time item of a
// masked date-time text whose item currently reads `item_text`: digits
// within the item's range (hours up to 23 or 12, minutes and seconds up
// to 59) and the first letters of the AM/PM designators.
bool lxDateEditTimeCharAllowed(const TlxDateEditTimeItem& item, std::u16string_view item_text, int32_t offset,
                               char16_t c);

// Registers the date editor control for form descriptions (Windows only).
void lxRegisterDateEditControl();

// A whole day plus a time of day, the time counted away from day 0 for
// dates before 30 December 1899.
TDateTime lxDateWithTime(TDateTime day, double time);

// The date editor's value rules apart from its window: the edit value, the
// time of day a date-only editor keeps, and what Date reads and writes.
class TlxDateEditValues : public IlxDateEditValues, public IlxEditControl {
 public:
  explicit TlxDateEditValues(TlxCustomDateEditProperties& properties) : properties_(properties) {}

  // IlxDateEditValues.
  double SavedTime() const override { return saved_time_; }
  void SetSavedTime(double time) override { saved_time_ = time; }
  void ChangeEditValue(const Variant& value) override;

  // IlxEditControl: no validate handler; the text shown is the display of
  // the edit value.
  bool HasValidateHandler() const override { return false; }
  void DoValidate(Variant& /*display_value*/, std::string& /*error_text*/, bool& /*error*/) override {}
  std::string ShownText() const override;

  const Variant& EditValue() const { return edit_value_; }
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  // Stores a value given from outside; a date-only editor keeps its time.
  void StoreEditValue(const Variant& value);
  // The text's date; a date-only editor adds the time it keeps.
  Variant ConvertDisplayToEditValue(std::string_view text) const;
  // Runs the validation of a typed text and, when it passes, stores the
  // value it gives. Answers whether it passed; `error_text` tells why not.
  bool ValidateText(std::string_view text, std::string& error_text);
  TDateTime Date() const;
  void SetDate(TDateTime date);

 private:
  TlxCustomDateEditProperties& properties_;
  Variant edit_value_ = Variant::Null();
  double saved_time_ = 0;
  bool modified_ = false;
};

void lxDateEditModuleStart();
void lxDateEditModuleEnd();
