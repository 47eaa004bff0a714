#include "editors/kinds/db_edit_default_values_provider.h"

#include "data/db_field_helpers.h"
#include "platform/db/aggregate_field.h"
#include "platform/db/data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/rtl/format.h"

namespace {

// A value as it reads after formatting with `precision` significant digits.
double RoundToPrecision(double value, int32_t precision) {
  return StrToFloat(FloatToStrF(value, TFloatFormat::ffGeneral, precision, 0));
}

template <class FieldClass>
const FieldClass* As(const TField* field) {
  return dynamic_cast<const FieldClass*>(field);
}

}  // namespace

TlxCustomDBEditDefaultValuesProvider::TlxCustomDBEditDefaultValuesProvider(TPersistent* owner)
    : TlxCustomEditDefaultValuesProvider(owner), free_notificator_(std::make_unique<TlxFreeNotificator>(nullptr)) {
  free_notificator_->OnFreeNotification = [this](TComponent* sender) { HandleFreeNotification(sender); };
}

TlxCustomDBEditDefaultValuesProvider::~TlxCustomDBEditDefaultValuesProvider() {
  free_notificator_.reset();
}

void TlxCustomDBEditDefaultValuesProvider::HandleFreeNotification(TComponent* sender) {
  if (sender == data_source_)
    data_source_ = nullptr;
  else
    field_ = nullptr;
}

void TlxCustomDBEditDefaultValuesProvider::SetDataSource(TDataSource* data_source) {
  if (data_source == data_source_)
    return;
  free_notificator_->RemoveSender(data_source_);
  data_source_ = data_source;
  free_notificator_->AddSender(data_source_);
}

void TlxCustomDBEditDefaultValuesProvider::SetField(TField* field) {
  if (field == field_)
    return;
  free_notificator_->RemoveSender(field_);
  field_ = field;
  free_notificator_->AddSender(field_);
}

bool TlxCustomDBEditDefaultValuesProvider::HasActiveData() const {
  return field_ != nullptr && field_->DataSet() != nullptr && field_->DataSet()->Active();
}

bool TlxCustomDBEditDefaultValuesProvider::AllowsEditMode() const {
  if (data_source_ == nullptr)
    return false;
  const TDataSetState state = data_source_->State();
  return data_source_->AutoEdit() || state == dsEdit || state == dsInsert;
}

TAlignment TlxCustomDBEditDefaultValuesProvider::SuggestedAlignment() const {
  return HasActiveData() ? field_->Alignment() : TlxCustomEditDefaultValuesProvider::SuggestedAlignment();
}

int32_t TlxCustomDBEditDefaultValuesProvider::SuggestedBlobKind() const {
  if (!HasActiveData())
    return 0;
  switch (field_->DataType()) {
    case ftMemo:
    case ftFmtMemo:
      return 3;
    case ftGraphic:
      return 2;
    case ftParadoxOle:
    case ftDBaseOle:
      return 4;
    default:
      return 0;
  }
}

bool TlxCustomDBEditDefaultValuesProvider::AllowsModification() const {
  if (SuggestedReadOnly() || !HasActiveData())
    return false;
  return field_->CanModify() || (field_->Lookup() && lxDBLookupKeyFieldsModifiable(*field_));
}

void TlxCustomDBEditDefaultValuesProvider::SuggestedDisplayFormat(std::string& text) const {
  const auto* numeric = As<TNumericField>(field_);
  if (HasActiveData() && numeric != nullptr)
    text = numeric->DisplayFormat();
  else
    TlxCustomEditDefaultValuesProvider::SuggestedDisplayFormat(text);
}

void TlxCustomDBEditDefaultValuesProvider::SuggestedEditFormat(std::string& text) const {
  const auto* numeric = As<TNumericField>(field_);
  if (HasActiveData() && numeric != nullptr)
    text = numeric->EditFormat();
  else
    TlxCustomEditDefaultValuesProvider::SuggestedEditFormat(text);
}

void TlxCustomDBEditDefaultValuesProvider::SuggestedEditMask(std::string& text) const {
  if (HasActiveData())
    text = field_->EditMask();
  else
    TlxCustomEditDefaultValuesProvider::SuggestedEditMask(text);
}

bool TlxCustomDBEditDefaultValuesProvider::HoldsFloatValue() const {
  if (!HasActiveData())
    return TlxCustomEditDefaultValuesProvider::HoldsFloatValue();
  const TFieldType type = field_->DataType();
  return type == ftFloat || type == ftCurrency || type == ftBCD;
}

int32_t TlxCustomDBEditDefaultValuesProvider::SuggestedMaxLength() const {
  if (HasActiveData() && (field_->DataType() == ftString || field_->DataType() == ftWideString))
    return field_->Size();
  return TlxCustomEditDefaultValuesProvider::SuggestedMaxLength();
}

double TlxCustomDBEditDefaultValuesProvider::SuggestedLimit(bool minimum) const {
  if (const auto* integer = As<TIntegerField>(field_))
    return minimum ? integer->MinValue() : integer->MaxValue();
  if (const auto* real = As<TFloatField>(field_))
    return RoundToPrecision(minimum ? real->MinValue() : real->MaxValue(), real->Precision());
  if (const auto* bcd = As<TBCDField>(field_))
    return (minimum ? bcd->MinValue() : bcd->MaxValue()).ToDouble();
  return minimum ? TlxCustomEditDefaultValuesProvider::SuggestedMinValue()
                 : TlxCustomEditDefaultValuesProvider::SuggestedMaxValue();
}

double TlxCustomDBEditDefaultValuesProvider::SuggestedMaxValue() const {
  return HasActiveData() ? SuggestedLimit(false) : TlxCustomEditDefaultValuesProvider::SuggestedMaxValue();
}

double TlxCustomDBEditDefaultValuesProvider::SuggestedMinValue() const {
  return HasActiveData() ? SuggestedLimit(true) : TlxCustomEditDefaultValuesProvider::SuggestedMinValue();
}

int32_t TlxCustomDBEditDefaultValuesProvider::SuggestedPrecision() const {
  if (const auto* real = As<TFloatField>(field_))
    return real->Precision();
  if (const auto* bcd = As<TBCDField>(field_))
    return bcd->Precision();
  if (const auto* aggregate = As<TAggregateField>(field_))
    return aggregate->Precision();
  if (const auto* fmt_bcd = As<TFMTBCDField>(field_))
    return fmt_bcd->Precision();
  return TlxCustomEditDefaultValuesProvider::SuggestedPrecision();
}

bool TlxCustomDBEditDefaultValuesProvider::SuggestedReadOnly() const {
  return HasActiveData() ? field_->ReadOnly() : TlxCustomEditDefaultValuesProvider::SuggestedReadOnly();
}

bool TlxCustomDBEditDefaultValuesProvider::SuggestedRequired() const {
  return HasActiveData() ? field_->Required() : TlxCustomEditDefaultValuesProvider::SuggestedRequired();
}

bool TlxCustomDBEditDefaultValuesProvider::HoldsBlobData() const {
  return HasActiveData() ? field_->IsBlob() : TlxCustomEditDefaultValuesProvider::HoldsBlobData();
}

bool TlxCustomDBEditDefaultValuesProvider::HoldsCurrencyValue() const {
  if (!HasActiveData())
    return TlxCustomEditDefaultValuesProvider::HoldsCurrencyValue();
  if (const auto* real = As<TFloatField>(field_))
    return real->Currency();
  if (const auto* bcd = As<TBCDField>(field_))
    return bcd->Currency();
  if (const auto* aggregate = As<TAggregateField>(field_))
    return aggregate->Currency();
  if (const auto* fmt_bcd = As<TFMTBCDField>(field_))
    return fmt_bcd->Currency();
  return false;
}

bool TlxCustomDBEditDefaultValuesProvider::IsDisplayFormatDefined(bool currency_counts) const {
  if (!HasActiveData())
    return false;
  if (field_->OnGetText)
    return true;
  bool defined = false;
  if (const auto* real = As<TFloatField>(field_))
    defined = defined || (real->Currency() && currency_counts);
  if (const auto* bcd = As<TBCDField>(field_))
    defined = defined || (bcd->Currency() && currency_counts);
  if (const auto* date_time = As<TDateTimeField>(field_))
    defined = defined || !date_time->DisplayFormat().empty();
  if (const auto* aggregate = As<TAggregateField>(field_))
    defined = defined || !aggregate->DisplayFormat().empty() || (aggregate->Currency() && currency_counts);
  if (const auto* fmt_bcd = As<TFMTBCDField>(field_))
    defined = defined || (fmt_bcd->Currency() && currency_counts);
  if (const auto* time_stamp = As<TSQLTimeStampField>(field_))
    defined = defined || !time_stamp->DisplayFormat().empty();
  if (const auto* numeric = As<TNumericField>(field_))
    defined = defined || !numeric->DisplayFormat().empty();
  return defined;
}

bool TlxCustomDBEditDefaultValuesProvider::HasImplicitDisplayFormat() const {
  std::string format;
  SuggestedDisplayFormat(format);
  return IsDisplayFormatDefined(false) && format.empty();
}

bool TlxCustomDBEditDefaultValuesProvider::HasSetTextHandler() const {
  return HasActiveData() ? static_cast<bool>(field_->OnSetText)
                         : TlxCustomEditDefaultValuesProvider::HasSetTextHandler();
}

bool TlxCustomDBEditDefaultValuesProvider::AcceptsInputChar(char16_t ch) const {
  return HasActiveData() ? field_->IsValidChar(ch) : TlxCustomEditDefaultValuesProvider::AcceptsInputChar(ch);
}
