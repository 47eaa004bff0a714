#pragma once
// TlxCustomDateEdit: the date editor control. Its text is typed through the
// date mask (or the regular expression, or freely), its drop-down is the
// month calendar, and Date reads and writes its value as a date-time
// number (the null date for none). A date-only editor keeps the time of day
// of the value it was given, so that picking another day does not lose it.

#include <windows.h>

#include "editors/drop_down_edit_win.h"
#include "editors/kinds/calendar_win.h"
#include "editors/kinds/date_edit_properties.h"

// The popup of the date editor. Keys the calendar answers reach it also
// while one of the calendar's buttons has the focus.
class TlxDateEditPopupWindow : public TlxPopupEditPopupWindow {
 public:
  static constexpr TClass kClass{"TlxDateEditPopupWindow", &TlxPopupEditPopupWindow::kClass,
                                 &ConstructInstance<TlxDateEditPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TControl;

  explicit TlxDateEditPopupWindow(TControl* owner_control);

  // Esc while a button (or an unmodified time editor) of the calendar has
  // the focus, Alt+Up and Alt+Down, and F4 without Alt.
  virtual bool ForwardsKeyToCalendar(uint16_t key, TShiftState shift) const;

 protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;
};

class TlxCustomDateEdit;

// The calendar of the date editor's drop-down.
class TlxDateEditCalendar : public TlxPopupCalendar {
 public:
  static constexpr TClass kClass{"TlxDateEditCalendar", &TlxPopupCalendar::kClass,
                                 &ConstructInstance<TlxDateEditCalendar>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxPopupCalendar::TlxPopupCalendar;

  // A key the popup window passes on from another of its controls.
  void ForwardKeyDown(uint16_t& key, TShiftState shift) { KeyDown(key, shift); }
};

class TlxCustomDateEdit : public TlxCustomDropDownEdit, public IlxDateEditValues {
 public:
  static constexpr TClass kClass{"TlxCustomDateEdit", &TlxCustomDropDownEdit::kClass,
                                 &ConstructInstance<TlxCustomDateEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDateEdit(TComponent* owner) : TlxCustomDateEdit(owner, TlxCustomDateEditProperties::kClass) {}
  ~TlxCustomDateEdit() override;

  // Virtual operations, in the order of their slots.
  virtual void CreateCalendar();
  virtual const TClass& GetCalendarClass() const { return TlxDateEditCalendar::kClass; }
  // The null date for no value; while the text is typed and not yet
  // validated, the date of the text.
  virtual TDateTime GetDate();
  // The null date clears the value; a date-only editor adds the time it keeps.
  virtual void SetDate(TDateTime value);

  TDateTime Date() { return GetDate(); }

  TlxCustomDateEditProperties* ActiveDateProperties() const {
    return static_cast<TlxCustomDateEditProperties*>(GetActiveProperties());
  }
  // Made on the first drop-down; null before.
  TlxDateEditCalendar* Calendar() const { return calendar_; }
  // The date the popup opened on.
  TDateTime PopupDate() const { return popup_date_; }

  // IlxDateEditValues.
  double SavedTime() const override { return saved_time_; }
  void SetSavedTime(double time) override { saved_time_ = time; }
  void ChangeEditValue(const Variant& value) override;

  // Overrides of the editor.
  Variant GetEditingValue() override;
  void StoreEditValue(const Variant& value, bool is_user_action) override;
  void CommitDisplayValue(const Variant& display_value) override;
  void Clear() override { SetDate(NullDate); }
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void ApplyValueBounds() override;
  void GetTextForMessage(std::string& text) override { text = ShownText(); }
  bool SetTextFromMessage(const std::string& text) override { return TrySetText(text); }
  bool CanSynchronizeModeText() override { return IsFocusedForFormatting() || IsInplace(); }
  bool IsCharAllowedAt(char16_t& c, int32_t position) override;
  void SetEditValueFromText() override {}
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  bool CanEditText() override { return AllowsTextEditing(); }

  // Overrides of the drop-down.
  bool CanDropDown() override;
  void CreatePopupWindow() override;
  void DropDown() override;
  TWinControl* GetPopupFocusedControl() override { return calendar_; }
  TSize CalculatePopupContentSize() override;
  void PlacePopupContent(const TRect& client_rect) override;
  void SetupPopupWindow() override;
  void PositionPopupWindow() override;
  void PopupWindowShowed() override;

 protected:
  TlxCustomDateEdit(TComponent* owner, const TClass& properties_class);

 private:
  void SetCloseReasonAndClose(int32_t reason);
  // The calendar's choice becomes the value and the text, selected.
  void CalendarDateSelected();
  // The calendar's pick with the time of day it should carry.
  TDateTime PickedDate() const;

  TlxDateEditCalendar* calendar_ = nullptr;  // a component of the editor
  TDateTime popup_date_ = NullDate;
  double saved_time_ = 0;
};

class TlxDateEdit : public TlxCustomDateEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDateEdit", &TlxCustomDateEdit::kClass, &ConstructInstance<TlxDateEdit>,
                                 &TlxDateEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDateEdit(TComponent* owner) : TlxCustomDateEdit(owner, TlxDateEditProperties::kClass) {}

  TlxDateEditProperties* GetProperties() const { return static_cast<TlxDateEditProperties*>(Properties()); }
  void SetProperties(const TlxDateEditProperties* value) { AssignOwnProperties(value); }
};
