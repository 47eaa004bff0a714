#pragma once
// TField: one column of a dataset as the current record shows it. A field
// reads its value from the dataset's active record (the stored record under
// the cursor, or the working copy while editing) and writes only into the
// working copy. Typed access (AsString, AsInteger, ...) converts where the
// field type allows it: a text that does not convert raises EConvertError
// and leaves the record unchanged; an access that makes no sense for the
// type raises EDatabaseError ("Cannot access field 'x' as type Boolean").
//
// Fields belong to their dataset: the dataset frees its fields when it is
// destroyed, and a field freed by its owner component leaves its dataset.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/db/db_types.h"
#include "platform/db/record_layout.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TField;

using TFieldNotifyEvent = std::function<void(TField* sender)>;
// Gives the text shown (display_text) or edited for the field's value.
using TFieldGetTextEvent = std::function<void(TField* sender, std::string& text, bool display_text)>;
// Takes a text typed by the user and stores the value it stands for.
using TFieldSetTextEvent = std::function<void(TField* sender, const std::string& text)>;

class TField : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TField", &TComponent::kClass, nullptr, &TField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TField(TComponent* owner);
  ~TField() override;

  // --- Identity and place in the dataset
  TDataSet* DataSet() const { return dataset_; }
  // Moves the field into `dataset`'s field list (EDatabaseError while
  // that dataset is open, or when it already has a field of this name).
  void SetDataSet(TDataSet* dataset);
  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(const std::string& name);
  TFieldType DataType() const { return data_type_; }
  TFieldKind FieldKind() const { return field_kind_; }
  void SetFieldKind(TFieldKind kind);
  bool Calculated() const { return field_kind_ == fkCalculated; }
  bool Lookup() const { return field_kind_ == fkLookup; }
  // 1-based number of the field definition a data field stores into; 0 for
  // calculated, lookup and aggregate fields and while not bound.
  int32_t FieldNo() const { return field_no_; }
  // Position in the dataset's field list; setting it moves the field.
  int32_t Index() const;
  void SetIndex(int32_t index);
  // Characters (texts) or bytes (byte fields) a value may hold; the decimals
  // of BCD fields. 0 for types without a size.
  int32_t Size() const { return size_; }
  void SetSize(int32_t size);

  // --- Presentation
  // DisplayLabel reads the field name until a label is set.
  std::string DisplayLabel() const { return display_label_.empty() ? field_name_ : display_label_; }
  void SetDisplayLabel(const std::string& label);
  std::string DisplayName() const { return DisplayLabel(); }
  // Characters the value needs on screen; the type's default until set.
  int32_t DisplayWidth() const { return display_width_ >= 0 ? display_width_ : DefaultDisplayWidth(); }
  void SetDisplayWidth(int32_t width);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  const std::string& EditMask() const { return edit_mask_; }
  void SetEditMask(const std::string& mask) { edit_mask_ = mask; }
  // The source column as the data's origin names it; empty here.
  const std::string& Origin() const { return origin_; }
  void SetOrigin(const std::string& origin) { origin_ = origin; }

  // --- Editing rules
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  // A data field that is not read-only in a dataset that can be modified.
  virtual bool CanModify() const;
  // Whether the user may type `c` into an editor of this field.
  virtual bool IsValidChar(char32_t c) const;
  virtual bool IsBlob() const { return false; }

  // --- Lookup definition (FieldKind fkLookup)
  TDataSet* LookupDataSet() const { return lookup_dataset_; }
  void SetLookupDataSet(TDataSet* dataset);
  // Fields of this dataset whose values are the key ("A;B").
  const std::string& KeyFields() const { return key_fields_; }
  void SetKeyFields(const std::string& names) { key_fields_ = names; }
  // Fields of the lookup dataset matched against the key.
  const std::string& LookupKeyFields() const { return lookup_key_fields_; }
  void SetLookupKeyFields(const std::string& names) { lookup_key_fields_ = names; }
  const std::string& LookupResultField() const { return lookup_result_field_; }
  void SetLookupResultField(const std::string& name) { lookup_result_field_ = name; }

  // --- Value of the active record
  virtual bool IsNull() const;
  // Sets the value to null.
  void Clear();
  // Null for a null value; otherwise the type's natural variant.
  Variant Value() const { return AsVariant(); }
  void SetValue(const Variant& value) { SetAsVariant(value); }
  virtual Variant AsVariant() const;
  // Null and empty set the field to null; other values convert.
  virtual void SetAsVariant(const Variant& value);
  virtual std::string AsString() const;
  virtual void SetAsString(std::string_view text);
  virtual std::u16string AsWideString() const;
  virtual void SetAsWideString(std::u16string_view text);
  virtual int32_t AsInteger() const;
  virtual void SetAsInteger(int32_t value);
  virtual int64_t AsLargeInt() const;
  virtual void SetAsLargeInt(int64_t value);
  virtual double AsFloat() const;
  virtual void SetAsFloat(double value);
  virtual Currency AsCurrency() const;
  virtual void SetAsCurrency(Currency value);
  virtual TDateTime AsDateTime() const;
  virtual void SetAsDateTime(TDateTime value);
  virtual bool AsBoolean() const;
  virtual void SetAsBoolean(bool value);
  virtual TSQLTimeStamp AsSQLTimeStamp() const;
  virtual void SetAsSQLTimeStamp(const TSQLTimeStamp& value);
  virtual TBcd AsBCD() const;
  virtual void SetAsBCD(const TBcd& value);

  // The text shown for the value (DisplayText) and the text edited (Text);
  // OnGetText replaces both. Setting Text goes through OnSetText when set,
  // else through SetAsString.
  std::string DisplayText() const { return TextFor(true); }
  std::string Text() const { return TextFor(false); }
  void SetText(std::string_view text);

  // Asks the controls that show this field to take the input focus.
  void FocusControl();

  // --- Events
  TFieldGetTextEvent OnGetText;
  TFieldSetTextEvent OnSetText;
  // After a new value is stored in the working copy.
  TFieldNotifyEvent OnChange;
  // Before the new value is kept: raising from it restores the old value.
  TFieldNotifyEvent OnValidate;

  // --- For the dataset
  virtual TStorageKind StorageKind() const = 0;
  // -1 while the dataset is closed (no storage slot).
  int32_t Slot() const { return slot_; }
  void Bind(int32_t slot, int32_t field_no) {
    slot_ = slot;
    field_no_ = field_no;
  }
  void SetDataTypeForDefinition(TFieldType type) { data_type_ = type; }
  // The dataset is being destroyed and frees this field.
  void ForgetDataSet() {
    dataset_ = nullptr;
    slot_ = -1;
    field_no_ = 0;
  }

 protected:
  void SetDataType(TFieldType type) { data_type_ = type; }
  virtual int32_t DefaultDisplayWidth() const { return 10; }
  // The text of a non-null value without OnGetText; the base is AsString.
  virtual std::string GetText(bool display_text) const;
  // The text of a null value without OnGetText; empty in the base.
  virtual std::string NullText() const { return std::string(); }
  void Notification(TComponent* component, TOperation operation) override;

  // Sets a presentation property and tells the links when it changed.
  template <class T>
  void SetPresentation(T& member, T value) {
    if (member == value)
      return;
    member = std::move(value);
    PresentationChanged();
  }
  void PresentationChanged();
  // Handles the variants every field takes alike: null and empty clear the
  // value, a text goes through SetAsString. False for anything else.
  bool AssignNullOrText(const Variant& value);
  // A 64-bit value as an Integer, or the range error.
  int32_t NarrowToInteger(int64_t value) const;

  // Raises "Cannot access field 'x' as type <type>".
  [[noreturn]] void AccessError(std::string_view type_name) const;
  // Raises the range error for a value outside [min, max].
  [[noreturn]] void RangeError(std::string_view value, std::string_view min, std::string_view max) const;

  // --- Storage access for the field classes
  // The block of the active record, or null when there is none (an empty
  // dataset). Raises EDatabaseError for a field without an open dataset.
  const std::byte* ReadBlock() const;
  const TRecordLayout& Layout() const;
  // The stored value of a non-null field, or null.
  template <class T>
  const T* StoredValue() const {
    const std::byte* block = ReadBlock();
    if (block == nullptr || Layout().IsNull(block, slot_))
      return nullptr;
    return &Layout().Get<T>(block, slot_);
  }
  // Stores a value into the working copy and tells everyone concerned;
  // raises unless the dataset is editing and the field may be written.
  template <class T>
  void StoreValue(T value) {
    std::byte* block = BeginWrite();
    Layout().Put<T>(block, slot_, std::move(value));
    EndWrite(block);
  }
  void StoreNull();

 private:
  std::string TextFor(bool display_text) const;
  std::byte* BeginWrite();
  void EndWrite(std::byte* block);
  void CheckNameUnique(TDataSet* dataset, const std::string& name) const;

  TDataSet* dataset_ = nullptr;
  TDataSet* lookup_dataset_ = nullptr;
  std::string field_name_;
  std::string display_label_;
  std::string edit_mask_;
  std::string origin_;
  std::string key_fields_;
  std::string lookup_key_fields_;
  std::string lookup_result_field_;
  TFieldType data_type_ = ftUnknown;
  TFieldKind field_kind_ = fkData;
  TAlignment alignment_ = taLeftJustify;
  int32_t size_ = 0;
  int32_t display_width_ = -1;
  int32_t slot_ = -1;
  int32_t field_no_ = 0;
  bool visible_ = true;
  bool read_only_ = false;
  bool required_ = false;
};
