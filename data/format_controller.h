#pragma once
// The process-wide regional format controller: it turns the regional
// settings into the forms the editors need (parsed format items, edit
// masks, display formats, the date input format, the currency display
// format and the first day of the week), recomputes them when the run-time
// reloads the locale, and tells its listeners. While listeners exist it
// keeps a hidden window that turns the system's regional-setting and
// time-change broadcasts into those run-time notifications.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/date_time_format.h"
#include "platform/rtl/object.h"

class IlxFormatListener : public virtual IInterface {
 public:
  // After the controller recomputed everything for new regional settings.
  virtual void FormatsChanged() = 0;
};

// A format listener that also implements this hears of system-time changes.
class IlxTimeChangeListener : public virtual IInterface {
 public:
  virtual void SystemTimeChanged() = 0;
};

// The hidden window's messages, as the portable controller reads them.
struct TlxFormatWindowMessage {
  uint32_t Msg = 0;
  uint64_t WParam = 0;
  // For a settings change: the changed section ("intl" for regional
  // settings), empty when the system named none.
  std::string Section;
  int64_t Result = 0;
};
inline constexpr uint32_t kLxSettingChangeMessage = 0x001A;
inline constexpr uint32_t kLxTimeChangeMessage = 0x001E;

// The platform edge of the hidden window.
class IlxFormatWindow : public virtual IInterface {
 public:
  // The system's default handling of a message.
  virtual void CallDefault(TlxFormatWindowMessage& message) = 0;
  // Whether the application takes regional-setting changes over.
  virtual bool UpdateFormatSettings() const = 0;
  // The system's handle of the window (0 natively).
  virtual uintptr_t SystemHandle() const = 0;
};
class TlxFormatController;
// The system's window for the controller (_win.cpp; natively one without a
// system window).
std::unique_ptr<IlxFormatWindow> lxCreateFormatWindow(TlxFormatController& controller);

// An item found at a position of an edited value.
struct TlxFormatItemAtPos {
  TlxDateTimeFormatItemKind Kind = fikText;
  int32_t Start = 0;
  int32_t Length = 0;
  TlxAmPmFormatKind AmPmStyle = lxafkLocale;
};

class TlxFormatController : public TObject {
 public:
  static constexpr TClass kClass{"TlxFormatController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxFormatController();
  ~TlxFormatController() override;
  TlxFormatController(const TlxFormatController&) = delete;
  TlxFormatController& operator=(const TlxFormatController&) = delete;

  const std::string& CurrencyDisplayFormat() const { return currency_display_format_; }
  const std::string& DateInputFormat() const { return date_input_format_; }
  const TlxDateTimeFormatInfo& DateFormatItems() const { return date_format_items_; }
  const TlxDateTimeFormatInfo& DateTimeFormatItems() const { return date_time_format_items_; }
  uint8_t FirstWeekRule() const { return first_week_rule_; }
  const std::string& MaskedDateDisplayFormat() const { return masked_date_display_format_; }
  const std::string& MaskedDateTimeDisplayFormat() const { return masked_date_time_display_format_; }
  const std::string& DateRegExprMask() const { return date_reg_expr_mask_; }
  const std::string& DateTimeRegExprMask() const { return date_time_reg_expr_mask_; }
  const std::string& StandardDateMask() const { return standard_date_mask_; }
  const std::string& StandardDateTimeMask() const { return standard_date_time_mask_; }
  // 0 = Sunday ... 6 = Saturday.
  uint8_t WeekStartDay() const { return week_start_day_; }
  const TlxDateTimeFormatInfo& TimeFormatItems() const { return time_format_items_; }

  // The hidden window's procedure.
  virtual void HandleWindowMessage(TlxFormatWindowMessage& message);
  // Adds a listener once; the first creates the hidden window.
  virtual void AddListener(IlxFormatListener* listener);
  // Removes a listener; the last takes the hidden window along.
  virtual void RemoveListener(IlxFormatListener* listener);
  bool HasWindow() const { return window_ != nullptr; }
  uintptr_t WindowHandle() const { return window_ != nullptr ? window_->SystemHandle() : 0; }
  int32_t ListenerCount() const { return static_cast<int32_t>(listeners_.size()); }

  // The item of `info` whose span, laid out from position 1 with the
  // items' widths, holds `position`.
  bool FindFormatItemAtPos(const TlxDateTimeFormatInfo& info, int32_t position, TlxFormatItemAtPos& found) const;
  int32_t GetFormatTextLength(const TlxDateTimeFormatInfo& info) const;

  // Recomputes every format from the user locale.
  void Recompute();

 private:
  void DoFormatsChanged();
  void DoSystemTimeChanged();

  std::string currency_display_format_;
  std::string date_input_format_;
  TlxDateTimeFormatInfo date_format_items_;
  TlxDateTimeFormatInfo date_time_format_items_;
  uint8_t first_week_rule_ = 0;
  std::vector<IlxFormatListener*> listeners_;
  std::string masked_date_display_format_;
  std::string masked_date_time_display_format_;
  std::string date_reg_expr_mask_;
  std::string date_time_reg_expr_mask_;
  std::string standard_date_mask_;
  std::string standard_date_time_mask_;
  uint8_t week_start_day_ = 0;
  TlxDateTimeFormatInfo time_format_items_;
  std::unique_ptr<IlxFormatWindow> window_;
  int locale_listener_ = 0;
  int time_listener_ = 0;
};

// The instance, created on first use.
TlxFormatController& lxGetFormatController();

// The smart date words in table order: today, yesterday, tomorrow, Sunday
// to Saturday, first to seventh, bom, eom, and now when `with_now`; read
// from the resource strings each time so that translations apply.
std::vector<std::string> lxSmartDateWords(bool with_now);
