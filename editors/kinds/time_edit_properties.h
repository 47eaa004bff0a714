#pragma once
// The time edit kind: a time of day in a fixed-position mask ("hh:nn:ss",
// with the locale's AM/PM designator in 12-hour mode). Spinning steps the
// field under the caret; its spin value is the number of seconds since
// midnight, its edit value a date-time whose date part is kept. The text
// rules (which field a position is in, typing into a field, reading the
// seconds, the step of a field) are here without a window.

#include <cstdint>
#include <string>

#include "data/format_controller.h"
#include "editors/kinds/spin_edit_properties.h"
#include "editors/mask_mode_standard.h"

enum TlxTimeEditTimeFormat : uint8_t { tfHourMinSec, tfHourMin, tfHour };

// The field of a position: hours, minutes, seconds or the designator.
enum TlxTimePart : uint8_t { tpHour, tpMin, tpSec, tpDesignator };

// Seconds of a step.
inline constexpr int32_t kLxTimeEditDesignatorStep = 43200;
inline constexpr int32_t kLxTimeEditHourStep = 3600;
inline constexpr int32_t kLxTimeEditMinuteStep = 60;
inline constexpr int32_t kLxTimeEditSecondStep = 1;

// The display format ("hh:nn:ss ampm", "hh:nn" ...) and the edit mask of a
// time format. The 12-hour masks follow the locale's designators (see
// lxBuildTimeEditMasks).
std::string lxTimeEditDisplayFormat(TlxTimeEditTimeFormat format, bool use_24_hour_format);
std::string lxTimeEditMask(TlxTimeEditTimeFormat format, bool use_24_hour_format);
// Rebuilds the 12-hour masks from the user locale: the designator part is
// one "c" per character of the PM designator as the locale writes noon,
// blanks kept, trailing blanks dropped ("00:00:00 cc;1;0" for "PM",
// "00:00:00;1;0" for none).
void lxBuildTimeEditMasks();

class TlxCustomTimeEditProperties;

// The standard mode of the time edit: the designator cannot be blanked.
class TlxTimeEditMaskMode : public TlxMaskEditStandardMode {
 public:
  static const TlxMaskModeClass kModeClass;
  using TlxMaskEditStandardMode::TlxMaskEditStandardMode;
  const TlxMaskModeClass& ModeClass() const override { return kModeClass; }

  // A typed character goes through the time typing rule first: a
  // correction the rule writes itself consumes the character silently.
  bool ProcessChar(char16_t& c) override;
  // 0 in the designator, else "0".
  char16_t GetBlankChar(int32_t position) const override;

 private:
  const TlxCustomTimeEditProperties* TimeProperties() const;
};

// What typing a character into a time text does.
struct TlxTimeTypingResult {
  enum TKind : uint8_t {
    kRefused,   // the character is dropped
    kAccepted,  // `c` goes in at the position (the text may have changed before it)
    kConsumed,  // the text is written, the caret follows `caret`; `c` is used up
  };
  TKind Kind = kRefused;
  char16_t C = 0;
  std::u16string Text;
  // 0-based position of the last character written (kConsumed): the caret
  // moves on from there; the designator puts it after the field instead.
  int32_t Caret = 0;
  bool CaretAfterField = false;
};

class TlxCustomTimeEditProperties : public TlxCustomSpinEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomTimeEditProperties", &TlxCustomSpinEditProperties::kClass,
                                 &ConstructInstance<TlxCustomTimeEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomTimeEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;

  // Virtual operations, in the order of their slots.
  virtual void GetTimePartInfo(int32_t position, TlxTimePart& part, int32_t& part_start, int32_t& part_length,
                               int32_t& designator_kind, bool& use_24_hour_format) const;
  virtual int32_t GetTimePartLength() const { return 2; }
  // 1-based start of a part's field.
  virtual int32_t GetTimePartStart(TlxTimePart part) const;
  virtual int32_t GetDesignatorKind() const { return 2; }

  // Overrides of the spin, mask and text kinds.
  void FormatChanged() override;
  const TClass* GetEditControlClass() const override;
  const TlxMaskModeClass& GetModeClass(TlxEditMaskKind kind) const override;
  uint32_t GetDisplayFormatOptions() const override { return kLxDisplayFormatFromData | kLxDisplayFormatNotInplace; }
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override { return UsesFieldDisplayFormat(edit_focused); }
  bool IsNumericValue() const override { return false; }
  bool IsBoundsLimited() const override { return false; }
  bool ChecksTextRange() const override { return false; }
  void PrepareValue(const Variant& value, Variant& result) const override;
  bool PreserveSelection() const override { return true; }
  void GetEmptyEditValue(Variant& value) const override;
  bool IsNewTextAcceptable(Variant& value, bool edit_focused) const override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  // Raises EConvertError "Could not convert to time" for a value that is
  // neither blank, a date-time, a number nor a text. A text that does not
  // convert shows as the empty text (never as the current time, which an
  // unchanged editor would then post).
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;

  // The field at a 1-based position.
  TlxTimePart GetTimePartAt(int32_t position) const;
  // The display format of the settings.
  std::string TimeDisplayFormat() const { return lxTimeEditDisplayFormat(time_format_, use_24_hour_format_); }
  // The display format applied to a time, without trailing blanks.
  std::string FormatTime(TDateTime time) const;
  // Length of the time part of a text: 8, 5 or 2.
  int32_t TimePartTextLength() const { return 8 - 3 * static_cast<int32_t>(time_format_); }

  // Seconds since midnight read from a text: hours (modulo 12 in 12-hour
  // mode), minutes and seconds by their fixed places, plus 12 hours when
  // the text ends with the PM designator. A field the text does not reach
  // reads 0; a field that is no number reads 0.
  int32_t SecondsFromText(std::u16string_view text) const;
  // The time a display text stands for, as a day fraction (0 when it does
  // not convert).
  TDateTime TimeFromText(std::string_view text) const;
  // The signed step of a spin button (0, 2 down; 1, 3 up) for the field at
  // the 0-based selection start; `seconds` is the current value.
  int32_t GetIncrementAt(int32_t sel_start, int32_t button_index, int32_t seconds) const;
  // The selection after a spin: the designator as shown, or the second
  // digit of the stepped field.
  void GetSpinSelection(std::u16string_view text, int32_t caret, int32_t& sel_start, int32_t& sel_length) const;
  // Typing `c` at the 1-based position of `text`.
  TlxTimeTypingResult TypeChar(std::u16string_view text, char16_t c, int32_t position) const;

  bool AutoCorrectHours() const { return auto_correct_hours_; }
  void SetAutoCorrectHours(bool value) { auto_correct_hours_ = value; }
  bool ShowDate() const { return show_date_; }
  void SetShowDate(bool value) { Store(show_date_, value); }
  TlxTimeEditTimeFormat TimeFormat() const { return time_format_; }
  void SetTimeFormat(TlxTimeEditTimeFormat value);
  bool Use24HourFormat() const { return use_24_hour_format_; }
  void SetUse24HourFormat(bool value);
  bool UseTimeFormatWhenUnfocused() const { return use_time_format_when_unfocused_; }
  void SetUseTimeFormatWhenUnfocused(bool value) { Store(use_time_format_when_unfocused_, value); }

 private:
  void ApplyTableMask();
  TlxTimeTypingResult TypeDigit(std::u16string_view text, char16_t c, int32_t position, TlxTimePart part) const;
  TlxTimeTypingResult TypeDesignator(std::u16string_view text, char16_t c, int32_t position) const;

  TlxTimeEditTimeFormat time_format_ = tfHourMinSec;
  bool use_24_hour_format_ = true;
  bool auto_correct_hours_ = true;
  bool show_date_ = false;
  bool use_time_format_when_unfocused_ = true;
};

class TlxTimeEditProperties : public TlxCustomTimeEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxTimeEditProperties", &TlxCustomTimeEditProperties::kClass,
                                 &ConstructInstance<TlxTimeEditProperties>, &TlxTimeEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomTimeEditProperties::TlxCustomTimeEditProperties;
};

// Rebuilds the 12-hour masks whenever the regional formats change; one
// exists while the time edit module runs.
class TlxTimeEditFormatListener : public TlxInterfacedPersistent, public IlxFormatListener {
 public:
  static constexpr TClass kClass{"TlxTimeEditFormatListener", &TlxInterfacedPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxTimeEditFormatListener();
  ~TlxTimeEditFormatListener() override;
  TlxTimeEditFormatListener(const TlxTimeEditFormatListener&) = delete;
  TlxTimeEditFormatListener& operator=(const TlxTimeEditFormatListener&) = delete;

  void FormatsChanged() override { lxBuildTimeEditMasks(); }
};

class TlxFilterTimeEditHelper : public TlxFilterSpinEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterTimeEditHelper", &TlxFilterSpinEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
};

void lxTimeEditModuleStart();
void lxTimeEditModuleEnd();
