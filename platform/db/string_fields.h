#pragma once
// Text fields: TStringField holds 8-bit (UTF-8) text of at most Size
// characters, TWideStringField UTF-16 text of at most Size code units.
// Longer texts are cut at the size, on a character boundary.

#include "platform/db/field.h"

class TStringField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TStringField", &TField::kClass, &ConstructInstance<TStringField>,
                                 &TStringField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TStringField(TComponent* owner);

  // Trailing blanks of fixed-width texts are not part of the value read.
  bool FixedChar() const { return fixed_char_; }
  void SetFixedChar(bool fixed_char) { fixed_char_ = fixed_char; }

  TStorageKind StorageKind() const override { return TStorageKind::kText; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  int32_t AsInteger() const override;
  void SetAsInteger(int32_t value) override;
  int64_t AsLargeInt() const override;
  void SetAsLargeInt(int64_t value) override;
  double AsFloat() const override;
  void SetAsFloat(double value) override;
  Currency AsCurrency() const override;
  void SetAsCurrency(Currency value) override;
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  // "T", "t", "Y" and "y" at the start read as true.
  bool AsBoolean() const override;
  void SetAsBoolean(bool value) override;

 protected:
  int32_t DefaultDisplayWidth() const override { return Size(); }

 private:
  bool fixed_char_ = false;
};

class TWideStringField : public TField {
 public:
  static constexpr TClass kClass{"TWideStringField", &TField::kClass, &ConstructInstance<TWideStringField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TWideStringField(TComponent* owner);

  TStorageKind StorageKind() const override { return TStorageKind::kWideText; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;
  std::u16string AsWideString() const override;
  void SetAsWideString(std::u16string_view text) override;

 protected:
  int32_t DefaultDisplayWidth() const override { return Size(); }
};

// The first `max_chars` characters of UTF-8 text (all of it when shorter).
std::string_view TruncateUtf8(std::string_view text, int32_t max_chars);
