#pragma once
// Type information of the report library: for each described class a
// TrtRTTI descendant answers by name which properties and methods the class
// offers its scripting layer, of which data types, and reads, writes or
// calls them on an instance. The base takes the published properties of
// the platform's object model; descendants add hand-written entries.
//
// TrtRTTI classes are class-level: their operations are virtual functions
// of one stateless instance per class (StatelessInstance<T>()).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/rtl/currency.h"
#include "platform/rtl/property.h"
#include "platform/rtl/strings.h"
#include "platform/rtl/variant.h"

// Data types of described values, with the size each is stored in.
enum TrtDataType : uint8_t {
  rtdtNotSupported = 0,
  rtdtInteger = 1,    // 32-bit
  rtdtSingle = 2,     // 32-bit floating point
  rtdtDouble = 3,     // 64-bit floating point
  rtdtExtended = 4,   // 80-bit floating point (held as 64-bit here)
  rtdtCurrency = 5,   // 64-bit, scaled by 10000
  rtdtChar = 6,       // 8-bit
  rtdtString = 7,
  rtdtDateTime = 8,   // 64-bit floating point
  rtdtDate = 9,
  rtdtTime = 10,
  rtdtBoolean = 11,   // 8-bit
  rtdtVariant = 12,
  rtdtClass = 14,     // an object, or a class reference
  rtdtEnum = 15,      // 8-bit ordinal
  rtdtMethod = 16,
};

// A value in transit between the scripting layer and an instance. Only the
// part that belongs to the data type is meaningful.
struct TrtValue {
  int64_t ordinal = 0;  // integer, character, Boolean (0 or 1), enumeration
  double real = 0;      // single, double, extended, dates and times
  Currency currency;
  std::string text;
  TObject* object = nullptr;
  const TClass* class_ref = nullptr;
  Variant variant;

  // A copy holding only the part of `source` that `type` stores, narrowed
  // to the type's storage size (a single is rounded to single precision,
  // an integer cut to 32 bits, a character or enumeration to 8 bits).
  static TrtValue Stored(TrtDataType type, const TrtValue& source);
};

// Names are limited to 255 characters, as the scripting layer stores them.
constexpr size_t kMaxRttiNameLength = 255;

class TrtParam : public TObject {
 public:
  static constexpr TClass kClass{"TrtParam", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TrtParam(std::string_view name, TrtDataType data_type, const TClass* cls, std::string_view type_name, bool flag1,
           bool flag2);

  const std::string& Name() const { return name_; }
  TrtDataType DataType() const { return data_type_; }
  const TClass* ParamClass() const { return class_; }
  const std::string& TypeName() const { return type_name_; }
  bool Flag1() const { return flag1_; }
  bool Flag2() const { return flag2_; }

  // Copies in and out by the parameter's data type.
  void SetValue(const TrtValue& value) { value_ = TrtValue::Stored(data_type_, value); }
  const TrtValue& Value() const { return value_; }

 private:
  std::string name_;
  TrtDataType data_type_;
  const TClass* class_;
  std::string type_name_;
  bool flag1_;
  bool flag2_;
  TrtValue value_;
};

// One line per parameter, named by it; the list owns the parameter records.
class TrtParamList : public TStringList {
 public:
  static constexpr TClass kClass{"TrtParamList", &TStringList::kClass, &ConstructInstance<TrtParamList>};
  const TClass* ClassType() const override { return &kClass; }

  TrtParamList() : TStringList(true) {}

  TrtParam& AddParam(std::string_view name, TrtDataType data_type, const TClass* cls = nullptr,
                     std::string_view type_name = {}, bool flag1 = false, bool flag2 = false);
  TrtParam& Param(int32_t index) const;
  // The parameter of that name, or null.
  TrtParam* Find(std::string_view name) const;
};

// The description of one name.
struct TrtPropRec {
  std::string Name;
  // For class-typed values, and for methods that return an object.
  const TClass* Class = nullptr;
  // The enumeration type's name.
  std::string TypeName;
  TrtDataType DataType = rtdtNotSupported;
  bool IsPublished = false;
  bool ReadOnly = false;
  bool IsConstructor = false;
  bool Reserved = false;
  int32_t Marker = -1;
  std::unique_ptr<TrtParamList> Params;

  // Sets name, data type and read-only flag and resets everything else.
  void Initialize(std::string_view name, TrtDataType data_type, bool read_only);
};

class TrtRTTI : public TPersistent {
 public:
  static constexpr TClass kClass{"TrtRTTI", &TPersistent::kClass, &ConstructInstance<TrtRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  // Adds the names of the class's published properties of the kinds the
  // scripting layer handles (not sets).
  virtual void GetPropList(const TClass* cls, TStrings& list) const;
  // Adds the names of the class's published events.
  virtual void GetEventList(const TClass* cls, TStrings& list) const;
  // The described class.
  virtual const TClass* GetRefClass() const;
  // Describes `name` of `cls`; false when the class has no such name.
  virtual bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const;
  // Calls method `name` on `instance` with `params`; `flag` is passed
  // through from the scripting layer. False when there is no such method.
  virtual bool CallMethod(TObject* instance, std::string_view name, bool flag, TrtParamList* params) const;
  // The parameters of method `name`, or null when it takes none.
  virtual std::unique_ptr<TrtParamList> GetParams(std::string_view name) const;
  // Reads `name` of `instance` by its data type; false when there is no
  // such property.
  virtual bool GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const;
  // The value of `name` as text; empty when there is no such property or
  // its type has no text.
  virtual std::string GetPropText(TObject* instance, std::string_view name) const;
  // Writes `name` of `instance` by its data type; false when there is no
  // such property or it cannot be written.
  virtual bool SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const;

 protected:
  // Describes a method: data type 16, read-only, with the parameters of
  // GetParams; "Create" also gets the parameters "Class" and "Result" and
  // the constructor flag.
  void DescribeMethod(const TClass* cls, std::string_view name, TrtPropRec& rec) const;
};

// The platform's data type of a published property.
TrtDataType prDataTypeOfProperty(const TPropInfo& property);
