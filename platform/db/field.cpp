#include "platform/db/field.h"

#include "platform/db/data_set.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

std::vector<std::string> AlignmentNames() { return {"taLeftJustify", "taRightJustify", "taCenter"}; }

}  // namespace

void TField::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TField>();
  p.String("FieldName", &TField::FieldName, &TField::SetFieldName);
  p.Enumeration("Alignment", &TField::Alignment, &TField::SetAlignment, AlignmentNames(),
                std::optional<TAlignment>(taLeftJustify));
  p.String(
      "DisplayLabel", [](const TField& field) { return field.display_label_; }, &TField::SetDisplayLabel);
  p.Integer("DisplayWidth", &TField::DisplayWidth, &TField::SetDisplayWidth);
  p.String("EditMask", &TField::EditMask, &TField::SetEditMask);
  p.String("Origin", &TField::Origin, &TField::SetOrigin);
  p.Boolean("ReadOnly", &TField::ReadOnly, &TField::SetReadOnly, false);
  p.Boolean("Required", &TField::Required, &TField::SetRequired, false);
  p.Boolean("Visible", &TField::Visible, &TField::SetVisible, true);
  p.String("KeyFields", &TField::KeyFields, &TField::SetKeyFields);
  p.String("LookupKeyFields", &TField::LookupKeyFields, &TField::SetLookupKeyFields);
  p.String("LookupResultField", &TField::LookupResultField, &TField::SetLookupResultField);
  p.Reference<TDataSet>("LookupDataSet", &TField::LookupDataSet, &TField::SetLookupDataSet);
}

TField::TField(TComponent* owner) : TComponent(owner) {}

TField::~TField() {
  Destroying();
  // The dataset may be gone already: it clears dataset_ before it frees its
  // fields.
  if (dataset_ != nullptr)
    dataset_->FieldRemoved(this);
  dataset_ = nullptr;
}

void TField::SetDataSet(TDataSet* dataset) {
  if (dataset == dataset_)
    return;
  if (dataset != nullptr)
    dataset->CheckFieldListChange();
  if (dataset_ != nullptr)
    dataset_->CheckFieldListChange();
  if (dataset != nullptr)
    CheckNameUnique(dataset, field_name_);
  if (dataset_ != nullptr)
    dataset_->FieldRemoved(this);
  dataset_ = dataset;
  if (dataset_ != nullptr)
    dataset_->FieldAdded(this);
}

void TField::CheckNameUnique(TDataSet* dataset, const std::string& name) const {
  if (name.empty())
    return;
  const TFields& list = field_kind_ == fkAggregate ? dataset->AggFields() : dataset->Fields();
  TField* other = list.FindField(name);
  if (other != nullptr && other != this)
    DatabaseError(db_text::DuplicateFieldName(name), dataset);
}

void TField::SetFieldName(const std::string& name) {
  if (name == field_name_)
    return;
  if (dataset_ != nullptr) {
    dataset_->CheckFieldListChange();
    CheckNameUnique(dataset_, name);
  }
  field_name_ = name;
}

void TField::SetFieldKind(TFieldKind kind) {
  if (kind == field_kind_)
    return;
  if (dataset_ != nullptr) {
    dataset_->CheckFieldListChange();
    // Aggregate fields live in their own list.
    TDataSet* dataset = dataset_;
    dataset->FieldRemoved(this);
    field_kind_ = kind;
    dataset->FieldAdded(this);
    return;
  }
  field_kind_ = kind;
}

int32_t TField::Index() const {
  if (dataset_ == nullptr)
    return -1;
  return field_kind_ == fkAggregate ? dataset_->AggFields().IndexOf(this) : dataset_->Fields().IndexOf(this);
}

void TField::SetIndex(int32_t index) {
  if (dataset_ == nullptr || field_kind_ == fkAggregate)
    return;
  dataset_->Fields().Move(Index(), index);
  dataset_->DataEvent(deLayoutChange, {});
}

void TField::SetSize(int32_t size) {
  if (size == size_)
    return;
  if (dataset_ != nullptr)
    dataset_->CheckFieldListChange();
  if (size < 0)
    DatabaseError(db_text::InvalidFieldSize(field_name_), dataset_);
  size_ = size;
}

void TField::SetDisplayLabel(const std::string& label) { SetPresentation(display_label_, label); }

void TField::SetDisplayWidth(int32_t width) { SetPresentation(display_width_, width); }

void TField::SetVisible(bool visible) { SetPresentation(visible_, visible); }

void TField::SetAlignment(TAlignment alignment) { SetPresentation(alignment_, alignment); }

bool TField::CanModify() const {
  if (read_only_ || dataset_ == nullptr || field_kind_ != fkData)
    return false;
  return dataset_->CanModify();
}

bool TField::IsValidChar(char32_t c) const { return c >= 0x20 || c == U'\t'; }

void TField::SetLookupDataSet(TDataSet* dataset) {
  if (dataset == lookup_dataset_)
    return;
  if (lookup_dataset_ != nullptr)
    lookup_dataset_->RemoveFreeNotification(this);
  lookup_dataset_ = dataset;
  if (lookup_dataset_ != nullptr)
    lookup_dataset_->FreeNotification(this);
}

void TField::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == lookup_dataset_)
    lookup_dataset_ = nullptr;
}

// --- Values

const std::byte* TField::ReadBlock() const {
  if (dataset_ == nullptr || slot_ < 0 || !dataset_->Active())
    DatabaseError(db_text::kDataSetClosed, dataset_ != nullptr ? static_cast<const TComponent*>(dataset_) : this);
  return dataset_->ActiveBlock();
}

const TRecordLayout& TField::Layout() const { return dataset_->Layout(); }

bool TField::IsNull() const {
  const std::byte* block = ReadBlock();
  return block == nullptr || Layout().IsNull(block, slot_);
}

void TField::Clear() { StoreNull(); }

void TField::StoreNull() {
  std::byte* block = BeginWrite();
  Layout().SetNull(block, slot_, true);
  EndWrite(block);
}

std::byte* TField::BeginWrite() {
  if (dataset_ == nullptr || slot_ < 0)
    DatabaseError(db_text::kDataSetClosed, this);
  std::byte* block = dataset_->BeginFieldWrite(this);
  if (OnValidate)
    Layout().CopySlot(block, dataset_->ScratchBlock(), slot_);
  return block;
}

void TField::EndWrite(std::byte* block) {
  if (OnValidate) {
    // A value the handler refuses gives way to the one before the write.
    TScopeFail restore([&] { Layout().CopySlot(dataset_->ScratchBlock(), block, slot_); });
    OnValidate(this);
  }
  dataset_->FieldWritten(this, block);
}

void TField::PresentationChanged() {
  if (dataset_ != nullptr)
    dataset_->DataEvent(deLayoutChange, {});
}

bool TField::AssignNullOrText(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) {
    Clear();
    return true;
  }
  if (value.IsText()) {
    SetAsString(value.AsString());
    return true;
  }
  return false;
}

int32_t TField::NarrowToInteger(int64_t value) const {
  if (value < INT32_MIN || value > INT32_MAX)
    RangeError(std::to_string(value), std::to_string(INT32_MIN), std::to_string(INT32_MAX));
  return static_cast<int32_t>(value);
}

void TField::AccessError(std::string_view type_name) const {
  DatabaseError(db_text::FieldAccessError(DisplayName(), type_name), dataset_);
}

void TField::RangeError(std::string_view value, std::string_view min, std::string_view max) const {
  DatabaseError(db_text::FieldRangeError(value, DisplayName(), min, max), dataset_);
}

Variant TField::AsVariant() const { AccessError("Variant"); }
void TField::SetAsVariant(const Variant&) { AccessError("Variant"); }
std::string TField::AsString() const { AccessError("String"); }
void TField::SetAsString(std::string_view) { AccessError("String"); }
std::u16string TField::AsWideString() const { return Utf8ToUtf16(AsString()); }
void TField::SetAsWideString(std::u16string_view text) { SetAsString(Utf16ToUtf8(text)); }
int32_t TField::AsInteger() const { AccessError("Integer"); }
void TField::SetAsInteger(int32_t) { AccessError("Integer"); }
int64_t TField::AsLargeInt() const { AccessError("LargeInt"); }
void TField::SetAsLargeInt(int64_t) { AccessError("LargeInt"); }
double TField::AsFloat() const { AccessError("Float"); }
void TField::SetAsFloat(double) { AccessError("Float"); }
Currency TField::AsCurrency() const { AccessError("Currency"); }
void TField::SetAsCurrency(Currency) { AccessError("Currency"); }
TDateTime TField::AsDateTime() const { AccessError("DateTime"); }
void TField::SetAsDateTime(TDateTime) { AccessError("DateTime"); }
bool TField::AsBoolean() const { AccessError("Boolean"); }
void TField::SetAsBoolean(bool) { AccessError("Boolean"); }
TSQLTimeStamp TField::AsSQLTimeStamp() const { AccessError("SQLTimeStamp"); }
void TField::SetAsSQLTimeStamp(const TSQLTimeStamp&) { AccessError("SQLTimeStamp"); }
TBcd TField::AsBCD() const { AccessError("BCD"); }
void TField::SetAsBCD(const TBcd&) { AccessError("BCD"); }

std::string TField::GetText(bool /*display_text*/) const { return AsString(); }

std::string TField::TextFor(bool display_text) const {
  if (OnGetText) {
    std::string text;
    OnGetText(const_cast<TField*>(this), text, display_text);
    return text;
  }
  if (IsNull())
    return NullText();
  return GetText(display_text);
}

void TField::SetText(std::string_view text) {
  if (OnSetText) {
    OnSetText(this, std::string(text));
    return;
  }
  SetAsString(text);
}

void TField::FocusControl() {
  if (dataset_ == nullptr || !dataset_->Active())
    return;
  TField* field = this;
  dataset_->DataEvent(deFocusControl, TDataEventInfo::FocusField(&field));
}
