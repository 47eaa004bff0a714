#pragma once
// TlxCustomDBEditDefaultValuesProvider: the defaults that a dataset field
// suggests to editor properties (alignment, formats, limits, read-only
// state...). Data-bound grid columns make one per column. Answers that need
// the field's data fall back to the neutral provider's while the field's
// dataset is closed.

#include <memory>

#include "editors/edit_properties.h"

class TDataSource;
class TField;

class TlxCustomDBEditDefaultValuesProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TlxCustomDBEditDefaultValuesProvider", &TlxCustomEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<TlxCustomDBEditDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDBEditDefaultValuesProvider(TPersistent* owner);
  ~TlxCustomDBEditDefaultValuesProvider() override;

  TDataSource* DataSource() const { return data_source_; }
  void SetDataSource(TDataSource* data_source);
  TField* Field() const { return field_; }
  void SetField(TField* field);

  bool AllowsEditMode() const override;
  TAlignment SuggestedAlignment() const override;
  int32_t SuggestedBlobKind() const override;
  bool AllowsModification() const override;
  void SuggestedDisplayFormat(std::string& text) const override;
  void SuggestedEditFormat(std::string& text) const override;
  void SuggestedEditMask(std::string& text) const override;
  bool HoldsFloatValue() const override;
  int32_t SuggestedMaxLength() const override;
  double SuggestedMaxValue() const override;
  double SuggestedMinValue() const override;
  int32_t SuggestedPrecision() const override;
  bool SuggestedReadOnly() const override;
  bool SuggestedRequired() const override;
  bool HoldsBlobData() const override;
  bool HoldsCurrencyValue() const override;
  bool HasActiveData() const override;
  bool IsBoundToData() const override { return true; }
  bool IsDisplayFormatDefined(bool currency_counts) const override;
  bool HasImplicitDisplayFormat() const override;
  bool HasSetTextHandler() const override;
  bool AcceptsInputChar(char16_t ch) const override;

 private:
  void HandleFreeNotification(TComponent* sender);
  // The field's MaxValue or MinValue by its class; `minimum` picks which.
  double SuggestedLimit(bool minimum) const;

  TDataSource* data_source_ = nullptr;
  TField* field_ = nullptr;
  std::unique_ptr<TlxFreeNotificator> free_notificator_;
};
