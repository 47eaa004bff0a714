#pragma once
// Value types: how one column of the record storage holds its values. A
// value type is a class used only through its one stateless instance
// (docs/object-model.md); a "class reference" is a pointer to that
// instance. Every operation works on a pointer into a record buffer:
//  - a data area of BufferSize() bytes (numbers in place; strings, wide
//    strings and Variants as a pointer-sized reference to a heap cell), or
//  - a display-text slot: a pointer-sized reference to a text cell.
// Buffers are byte arrays without alignment, so every access copies.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxStream;

class TlxValueType {
 public:
  virtual ~TlxValueType() = default;

  // The class-level operations, in the order of their slots.
  virtual int CompareBuffers(const uint8_t* p1, const uint8_t* p2) const;
  virtual void ReleaseBuffer(uint8_t* p) const;
  virtual void ReleaseDisplayText(uint8_t* text_slot) const;
  virtual int32_t BufferSize() const;
  virtual Variant ReadBufferValue(const uint8_t* p) const;
  virtual std::string DefaultDisplayText(const uint8_t* p) const;
  virtual std::string ReadDisplayText(const uint8_t* text_slot) const;
  virtual void LoadValue(uint8_t* p, TlxStream& stream) const;
  virtual void LoadDisplayText(uint8_t* text_slot, TlxStream& stream) const;
  // Converts first and changes the data area only when the conversion
  // succeeded (the platform's Variant error otherwise).
  virtual void WriteBufferValue(uint8_t* p, const Variant& value) const;
  virtual void WriteDisplayText(uint8_t* text_slot, const std::string& text) const;
  virtual void SaveValue(const uint8_t* p, TlxStream& stream) const;
  virtual void SaveDisplayText(const uint8_t* text_slot, TlxStream& stream) const;
  virtual std::string Caption() const;
  // Pointers at the values themselves (AdjustValuePointer of a data area).
  virtual int CompareTypedValues(const void* value1, const void* value2) const;
  virtual Variant DataToVariant(const void* value) const;
  virtual TVarType VariantType() const;
  virtual bool AcceptsVariant(Variant& value) const;
  virtual bool IsTextType() const;
  virtual const void* AdjustValuePointer(const uint8_t* p) const;

  // The class name ("TlxStringValueType"), written into storage streams.
  virtual std::string_view ClassName() const { return "TlxValueType"; }
};

using TlxValueTypeClass = const TlxValueType*;

class TlxStringValueType : public TlxValueType {
 public:
  void ReleaseBuffer(uint8_t* p) const override;
  int32_t BufferSize() const override;
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareBuffers(const uint8_t* p1, const uint8_t* p2) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  Variant DataToVariant(const void* value) const override;
  TVarType VariantType() const override { return varString; }
  bool IsTextType() const override { return true; }
  const void* AdjustValuePointer(const uint8_t* p) const override;
  std::string_view ClassName() const override { return "TlxStringValueType"; }
};

class TlxWideStringValueType : public TlxStringValueType {
 public:
  void ReleaseBuffer(uint8_t* p) const override;
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varOleStr; }
  std::string_view ClassName() const override { return "TlxWideStringValueType"; }
};

class TlxSmallintValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 2; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varSmallint; }
  std::string_view ClassName() const override { return "TlxSmallintValueType"; }
};

class TlxIntegerValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 4; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varInteger; }
  std::string_view ClassName() const override { return "TlxIntegerValueType"; }
};

class TlxWordValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 2; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varWord; }
  std::string_view ClassName() const override { return "TlxWordValueType"; }
};

class TlxBooleanValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 1; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  std::string DefaultDisplayText(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varBoolean; }
  std::string_view ClassName() const override { return "TlxBooleanValueType"; }
};

class TlxFloatValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 8; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  // NaN sorts after every number and equals NaN, so that sorting by the
  // column stays a total order.
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varDouble; }
  std::string_view ClassName() const override { return "TlxFloatValueType"; }
};

class TlxCurrencyValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 8; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varCurrency; }
  std::string_view ClassName() const override { return "TlxCurrencyValueType"; }
};

class TlxDateTimeValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 8; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  std::string DefaultDisplayText(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varDate; }
  std::string_view ClassName() const override { return "TlxDateTimeValueType"; }
};

class TlxLargeIntValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 8; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varInt64; }
  std::string_view ClassName() const override { return "TlxLargeIntValueType"; }
};

class TlxFMTBcdValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 34; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  std::string DefaultDisplayText(const uint8_t* p) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return VarFMTBcd(); }
  std::string_view ClassName() const override { return "TlxFMTBcdValueType"; }
};

class TlxSQLTimeStampValueType : public TlxValueType {
 public:
  int32_t BufferSize() const override { return 16; }
  Variant ReadBufferValue(const uint8_t* p) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return VarSQLTimeStamp(); }
  std::string_view ClassName() const override { return "TlxSQLTimeStampValueType"; }
};

class TlxVariantValueType : public TlxValueType {
 public:
  void ReleaseBuffer(uint8_t* p) const override;
  int32_t BufferSize() const override;
  Variant ReadBufferValue(const uint8_t* p) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  int CompareBuffers(const uint8_t* p1, const uint8_t* p2) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  Variant DataToVariant(const void* value) const override;
  const void* AdjustValuePointer(const uint8_t* p) const override;
  std::string_view ClassName() const override { return "TlxVariantValueType"; }
};

// An object reference kept as a pointer-sized integer; the storage owns the
// object and frees it with its value. Its Variant is a 64-bit integer, so
// that no pointer is cut.
class TlxObjectValueType : public TlxIntegerValueType {
 public:
  void ReleaseBuffer(uint8_t* p) const override;
  int32_t BufferSize() const override;
  Variant ReadBufferValue(const uint8_t* p) const override;
  void LoadValue(uint8_t* p, TlxStream& stream) const override;
  void WriteBufferValue(uint8_t* p, const Variant& value) const override;
  void SaveValue(const uint8_t* p, TlxStream& stream) const override;
  int CompareTypedValues(const void* value1, const void* value2) const override;
  TVarType VariantType() const override { return varInt64; }
  std::string_view ClassName() const override { return "TlxObjectValueType"; }
};

// The registry of value type classes, in registration order.
class TlxValueTypeClassList {
 public:
  void Register(TlxValueTypeClass value_type);
  void Unregister(TlxValueTypeClass value_type);
  // Exact, case-sensitive; null when none.
  TlxValueTypeClass FindByCaption(std::string_view caption) const;
  // The first class whose class name is `name`; null when none.
  TlxValueTypeClass FindByClassName(std::string_view name) const;
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxValueTypeClass ItemAt(int32_t index) const { return items_.at(static_cast<size_t>(index)); }

 private:
  std::vector<TlxValueTypeClass> items_;
};

// The process-wide registry, holding the 14 types once created.
TlxValueTypeClassList& lxGetValueTypeRegistry();
// Exactly the date-time and SQL time-stamp types.
bool lxIsDateTimeValueTypeClass(TlxValueTypeClass value_type);

// The one instance of a value type class.
template <class T>
TlxValueTypeClass lxValueTypeClass() {
  return &StatelessInstance<T>();
}
