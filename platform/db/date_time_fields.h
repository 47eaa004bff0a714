#pragma once
// Date and time fields. TDateTimeField holds a TDateTime; TDateField keeps
// the date part only and TTimeField the time part only. TSQLTimeStampField
// holds an SQL time stamp. Without a DisplayFormat the texts are the
// locale's short date, long time, or both.

#include <string>

#include "platform/db/field.h"

class TDateTimeField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TDateTimeField", &TField::kClass, &ConstructInstance<TDateTimeField>,
                                 &TDateTimeField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDateTimeField(TComponent* owner);

  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(const std::string& format);

  TStorageKind StorageKind() const override { return TStorageKind::kFloat; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override { return IsNull() ? std::string() : GetText(false); }
  void SetAsString(std::string_view text) override;
  double AsFloat() const override { return AsDateTime(); }
  void SetAsFloat(double value) override { SetAsDateTime(value); }
  TDateTime AsDateTime() const override;
  // Raises EConvertError for a value that is no date of the years 1..9999.
  void SetAsDateTime(TDateTime value) override;
  TSQLTimeStamp AsSQLTimeStamp() const override;
  void SetAsSQLTimeStamp(const TSQLTimeStamp& value) override;

 protected:
  std::string GetText(bool display_text) const override;
  int32_t DefaultDisplayWidth() const override { return 18; }
  // The part of a value this type keeps.
  virtual TDateTime KeptPart(TDateTime value) const { return value; }
  // The format of the default text.
  virtual std::string_view DefaultFormat() const { return "c"; }
  virtual TDateTime ParseText(std::string_view text) const;

 private:
  std::string display_format_;
};

class TDateField : public TDateTimeField {
 public:
  static constexpr TClass kClass{"TDateField", &TDateTimeField::kClass, &ConstructInstance<TDateField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDateField(TComponent* owner);

 protected:
  int32_t DefaultDisplayWidth() const override { return 10; }
  TDateTime KeptPart(TDateTime value) const override { return DateOf(value); }
  std::string_view DefaultFormat() const override { return "ddddd"; }
  TDateTime ParseText(std::string_view text) const override;
};

class TTimeField : public TDateTimeField {
 public:
  static constexpr TClass kClass{"TTimeField", &TDateTimeField::kClass, &ConstructInstance<TTimeField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TTimeField(TComponent* owner);

 protected:
  int32_t DefaultDisplayWidth() const override { return 10; }
  TDateTime KeptPart(TDateTime value) const override { return TimeOf(value); }
  std::string_view DefaultFormat() const override { return "tt"; }
  TDateTime ParseText(std::string_view text) const override;
};

class TSQLTimeStampField : public TField {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TSQLTimeStampField", &TField::kClass, &ConstructInstance<TSQLTimeStampField>,
                                 &TSQLTimeStampField::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TSQLTimeStampField(TComponent* owner);

  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(const std::string& format);

  TStorageKind StorageKind() const override { return TStorageKind::kTimeStamp; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override { return IsNull() ? std::string() : GetText(false); }
  void SetAsString(std::string_view text) override;
  double AsFloat() const override { return AsDateTime(); }
  void SetAsFloat(double value) override { SetAsDateTime(value); }
  TDateTime AsDateTime() const override;
  void SetAsDateTime(TDateTime value) override;
  TSQLTimeStamp AsSQLTimeStamp() const override;
  // Raises EConvertError for a stamp whose parts are no valid date and time.
  void SetAsSQLTimeStamp(const TSQLTimeStamp& value) override;

 protected:
  std::string GetText(bool display_text) const override;
  int32_t DefaultDisplayWidth() const override { return 24; }

 private:
  std::string display_format_;
};
