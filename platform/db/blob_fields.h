#pragma once
// Byte and text runs of any length (TBlobField and its memo and graphic
// kinds) and of a fixed or bounded length (TBytesField, TVarBytesField).
// Their display text names the kind, "(MEMO)" with a value, "(Memo)"
// without; the value itself is read through AsString or a stream.

#include <string>

#include "platform/db/field.h"

class TStream;

class TBlobField : public TField {
 public:
  static constexpr TClass kClass{"TBlobField", &TField::kClass, &ConstructInstance<TBlobField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBlobField(TComponent* owner);

  // ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle, ftDBaseOle,
  // ftTypedBinary, ftOraBlob or ftOraClob.
  TFieldType BlobType() const { return DataType(); }
  void SetBlobType(TFieldType type);
  int64_t BlobSize() const;
  bool IsBlob() const override { return true; }

  // Replaces the value with the rest of the stream.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;

  TStorageKind StorageKind() const override { return TStorageKind::kText; }
  Variant AsVariant() const override;
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view text) override;

 protected:
  std::string GetText(bool display_text) const override;
  std::string NullText() const override;
};

class TMemoField : public TBlobField {
 public:
  static constexpr TClass kClass{"TMemoField", &TBlobField::kClass, &ConstructInstance<TMemoField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TMemoField(TComponent* owner);
};

class TGraphicField : public TBlobField {
 public:
  static constexpr TClass kClass{"TGraphicField", &TBlobField::kClass, &ConstructInstance<TGraphicField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TGraphicField(TComponent* owner);
};

// Exactly Size bytes: shorter values are padded with zero bytes.
class TBytesField : public TField {
 public:
  static constexpr TClass kClass{"TBytesField", &TField::kClass, &ConstructInstance<TBytesField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TBytesField(TComponent* owner);

  TStorageKind StorageKind() const override { return TStorageKind::kText; }
  // A variant array of bytes (bounds 0..n-1).
  Variant AsVariant() const override;
  // A variant array of byte values, or a text taken as bytes.
  void SetAsVariant(const Variant& value) override;
  std::string AsString() const override;
  void SetAsString(std::string_view bytes) override;

 protected:
  std::string GetText(bool display_text) const override;
  std::string NullText() const override;
  virtual bool PadsToSize() const { return true; }
};

// At most Size bytes.
class TVarBytesField : public TBytesField {
 public:
  static constexpr TClass kClass{"TVarBytesField", &TBytesField::kClass, &ConstructInstance<TVarBytesField>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TVarBytesField(TComponent* owner);

 protected:
  bool PadsToSize() const override { return false; }
};
