#pragma once
// The settings and value logic of every text-based editor kind: turning an
// edit value into the text a cell or an editor shows (number formats, case,
// password echo), accepting typed text, and checking numeric bounds. The
// grid draws each text cell through it, so display conversion never raises
// out of a paint: a value a numeric kind cannot convert shows as its plain
// text.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "data/format_controller.h"
#include "editors/edit_properties.h"
#include "platform/rtl/edit_char_case.h"
#include "platform/rtl/strings.h"

enum TlxEditEchoMode : uint8_t { eemNormal, eemPassword };

// The input method mode handed to the inner edit.
enum TImeMode : uint8_t {
  imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel,
  imHanguel
};

// How text may be entered: freely, only as a lookup item, only by choosing
// from the list, or not at all (no caret).
enum TlxTextEditingStyle : uint8_t { tesFreeText, tesListText, tesFixedList, tesNoEditing };

enum TlxTextEditViewStyle : uint8_t { vsNormal, vsHideCursor, vsButtonsOnly, vsButtonsAutoWidth };

using TlxNewLookupDisplayTextEvent = std::function<void(TObject* sender, const std::string& text)>;

class TlxCustomTextEditProperties;

// The assigned flags of the text kinds: the base flags plus DisplayFormat,
// EditFormat and MaxLength.
class TlxTextEditPropertiesValues : public TlxCustomEditPropertiesValues {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxTextEditPropertiesValues", &TlxCustomEditPropertiesValues::kClass,
                                 &ConstructInstance<TlxTextEditPropertiesValues>,
                                 &TlxTextEditPropertiesValues::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxTextEditPropertiesValues(TlxCustomEditProperties* owner) : TlxCustomEditPropertiesValues(owner) {}

  void Assign(const TPersistent* source) override;
  void RestoreDefaults() override;

  bool DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(bool value);
  bool EditFormat() const { return edit_format_; }
  void SetEditFormat(bool value);
  bool MaxLength() const { return max_length_; }
  // A new value reaches the owner's MaxLengthChanged.
  void SetMaxLength(bool value);

  // Stored only when set while the owner's text is empty and its class
  // publishes the property (a non-empty text marks the flag when read).
  bool DisplayFormatNeedsStoring() const;
  bool EditFormatNeedsStoring() const;

 private:
  // The owner's setters mark a flag without a notification of its own.
  friend class TlxCustomTextEditProperties;
  TlxCustomTextEditProperties* TextOwner() const;
  void StoreFlag(bool& flag, bool value);

  bool display_format_ = false;
  bool edit_format_ = false;
  bool max_length_ = false;
};

// What range validation needs of an editor: its conversion of a display
// value back into an edit value. Editors without it are checked on the
// display value itself.
class IlxTextEditValueConverter : public virtual IInterface {
 public:
  virtual bool IsFocusedForFormatting() const = 0;
  virtual bool IsInplace() const = 0;
  virtual void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool focused) = 0;
};

class TlxCustomTextEditProperties : public TlxCustomEditProperties, public IlxFormatListener {
 public:
  static constexpr TClass kClass{"TlxCustomTextEditProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TlxCustomTextEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomTextEditProperties(TPersistent* owner);
  ~TlxCustomTextEditProperties() override;

  // The copy (CopyFrom) inside one update bracket.
  void Assign(const TPersistent* source) override;

  // Virtual operations, in the order of their slots.
  virtual void FormatChanged();
  virtual void ValidateValueRange(const Variant& display_value, std::string& error_text, IlxEditControl* edit,
                                  bool& error);
  virtual void GetEmptyEditValue(Variant& value) const { value = Variant(std::string()); }
  virtual bool IsLookupItemText(std::string_view text) const;
  virtual void GetDefaultDisplayFormat(std::string& format) const { format.clear(); }
  virtual int32_t GetDefaultMaxLength() const;
  virtual int32_t GetLookupPageRowCount() const { return 8; }
  virtual TlxTextEditingStyle GetEditingStyle() const { return hide_cursor_ ? tesNoEditing : tesFreeText; }
  virtual bool ShowsThousandSeparators(bool /*refreshing_display*/) const { return false; }
  virtual void GetEditFormat(bool& is_currency, bool& use_implicit_format, std::string& format,
                             IlxEditControl* edit) const;
  virtual bool IsNumericValue() const { return false; }
  virtual bool ShowsLookupListInPopup() const { return false; }
  virtual bool IsMultiLine() const { return false; }
  // `shift` holds the shift-state bits of the key message.
  virtual bool IsLookupNavigationKey(uint16_t /*key*/, uint32_t /*shift*/) const { return false; }
  // ABound 0 is the minimum, 1 the maximum.
  virtual bool IsValueBoundSet(int32_t bound) const;
  virtual bool HasValueBounds() const { return IsValueBoundSet(0) || IsValueBoundSet(1); }
  virtual void ContentChanged() { Changed(); }
  virtual void MaxLengthChanged() { Changed(); }
  virtual void SetCharCase(TEditCharCase value);
  // Whether the kind keeps a lookup list: the text kinds do.
  virtual bool UsesLookupData() const { return true; }
  virtual void PrepareDisplayText(std::string& text) const;
  virtual bool IsNewTextAcceptable(Variant& value, bool edit_focused) const;

  // Overrides of the base kind.
  void AlignmentChanged() override;
  void SetAlignment(const TlxEditAlignment* value) override;
  bool HasDisplayValue() const override { return true; }
  const TClass& GetAssignedValuesClass() const override { return TlxTextEditPropertiesValues::kClass; }
  uint32_t GetDisplayFormatOptions() const override { return kLxDisplayFormatFromData; }
  void DescribeValidationError(int32_t error_kind, std::string& text) const override;
  bool FiresChangeIndependently() const override { return true; }
  bool TracksEditValueChanges() const override { return true; }
  bool EditValuesEqual(const Variant& value1, const Variant& value2) const override;
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  uint32_t GetEditCapabilities() const override;
  bool IsEditValueValid(Variant& edit_value, bool edit_focused) const override;
  bool CanRestoreEditValue() const override { return GetEditingStyle() != tesNoEditing; }
  // Raises EConvertError "Could not convert to numeric value" for a numeric
  // kind's value that is neither blank, numeric nor text.
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;
  int32_t CanUseFieldDisplayFormat(bool /*edit_focused*/) const override { return 1; }
  // The text view classes (Windows; empty natively).
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  // TlxTextEdit; null natively.
  const TClass* GetEditControlClass() const override;

  // The format controller's notification.
  void FormatsChanged() override { FormatChanged(); }

  void EditValueToDisplayValue(const Variant& edit_value, bool edit_focused, Variant& display_value) const;
  // The text drawing shows: the display text, or the value's plain text
  // when the kind cannot convert it.
  std::string DisplayTextOrPlain(const Variant& edit_value, bool edit_focused) const;
  bool IsIncrementalLookupActive() const;
  bool IsFormatChanging() const { return format_changing_; }

  // Settings.
  TlxTextEditPropertiesValues* AssignedTextValues() const;
  TEditCharCase CharCase() const { return char_case_; }
  std::string DisplayFormat() const;
  void SetDisplayFormat(const std::string& value);
  TlxEditEchoMode EchoMode() const { return echo_mode_; }
  void SetEchoMode(TlxEditEchoMode value) { Store(echo_mode_, value); }
  std::string EditFormat() const;
  void SetEditFormat(const std::string& value);
  bool FixedListSelection() const { return fixed_list_selection_; }
  void SetFixedListSelection(bool value);
  bool HideCursor() const { return hide_cursor_; }
  void SetHideCursor(bool value) { Store(hide_cursor_, value); }
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool value) { Store(hide_selection_, value); }
  TImeMode ImeMode() const { return ime_mode_; }
  void SetImeMode(TImeMode value) { Store(ime_mode_, value); }
  const std::string& ImeName() const { return ime_name_; }
  void SetImeName(const std::string& value) { Store(ime_name_, value); }
  bool ImmediateUpdateText() const { return immediate_update_text_; }
  void SetImmediateUpdateText(bool value) { Store(immediate_update_text_, value); }
  bool IncrementalSearch() const { return incremental_search_; }
  void SetIncrementalSearch(bool value) { Store(incremental_search_, value); }
  TStringList* LookupItems() const { return lookup_items_.get(); }
  void SetLookupItems(const TStrings* value) { lookup_items_->Assign(value); }
  bool LookupItemsSorted() const { return lookup_items_->Sorted(); }
  void SetLookupItemsSorted(bool value);
  int32_t MaxLength() const;
  void SetMaxLength(int32_t value);
  bool MRUMode() const { return mru_mode_; }
  void SetMRUMode(bool value) { Store(mru_mode_, value); }
  bool OEMConvert() const { return oem_convert_; }
  void SetOEMConvert(bool value) { Store(oem_convert_, value); }
  char16_t PasswordChar() const { return password_char_; }
  void SetPasswordChar(char16_t value) { Store(password_char_, value); }
  bool UseDisplayFormatWhenEditing() const { return use_display_format_when_editing_; }
  void SetUseDisplayFormatWhenEditing(bool value) { Store(use_display_format_when_editing_, value); }
  TlxTextEditViewStyle ViewStyle() const;
  void SetViewStyle(TlxTextEditViewStyle value);
  // The characters IsValidDataChar also accepts beyond what the value's
  // field takes: a like operand's wildcards in the filter dialogs.
  const std::u16string& AdditionalValidChars() const { return additional_valid_chars_; }
  // Each character once; removing takes every one of `chars` out.
  void AddValidChars(std::u16string_view chars);
  void RemoveValidChars(std::u16string_view chars);

  bool DisplayFormatNeedsStoring() const { return AssignedTextValues()->DisplayFormat(); }
  bool EditFormatNeedsStoring() const { return AssignedTextValues()->EditFormat(); }
  bool MaxLengthNeedsStoring() const { return AssignedTextValues()->MaxLength(); }
  // The stored "IsDisplayFormatAssigned" marks the flag; nothing writes it.
  void ReadIsDisplayFormatAssigned(bool value) { AssignedTextValues()->SetDisplayFormat(value); }

  TlxNewLookupDisplayTextEvent OnNewLookupDisplayText;

 private:
  void FormatNumber(const Variant& value, bool edit_focused, Variant& display_value) const;

  TEditCharCase char_case_ = ecNormal;
  std::string display_format_;
  TlxEditEchoMode echo_mode_ = eemNormal;
  std::string edit_format_;
  bool fixed_list_selection_ = true;
  bool format_changing_ = false;
  bool hide_cursor_ = false;
  bool hide_selection_ = true;
  TImeMode ime_mode_ = imDontCare;
  std::string ime_name_;
  bool immediate_update_text_ = false;
  bool incremental_search_ = true;
  std::unique_ptr<TStringList> lookup_items_;
  int32_t max_length_ = 0;
  bool mru_mode_ = false;
  bool oem_convert_ = false;
  char16_t password_char_ = 0;
  bool use_display_format_when_editing_ = false;
  std::u16string additional_valid_chars_;
};

// The single-line text editor's settings; it adds no behaviour.
class TlxTextEditProperties : public TlxCustomTextEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxTextEditProperties", &TlxCustomTextEditProperties::kClass,
                                 &ConstructInstance<TlxTextEditProperties>, &TlxTextEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomTextEditProperties::TlxCustomTextEditProperties;
};

// Publishes the text editor's settings; the kinds built on it publish the
// same list and add their own.
void lxPublishTextEditSettings(TPropertyListBuilder& properties);

// Number text with the regional thousand separators put in: blanks around
// it and an exponent part stay where they are ("  12345.67E3 " becomes
// "  12,345.67E3 " with a comma separator).
void lxInsertThousandSeparators(std::string& text);
void lxRemoveThousandSeparators(std::string& text);
// Cuts the exponent part (from the first "E" or "e") off `text` and returns it.
std::string lxExtractExponentPart(std::string& text);
// Whether the text, without thousand separators, converts to a float.
bool lxIsNumberText(std::string_view text);
