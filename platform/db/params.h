#pragma once
// TParams: the named parameters of a query dataset. An application fills
// them and reopens the dataset to run it for other values; code that knows
// no dataset class finds them through the dataset's published "Params".

#include <string>
#include <string_view>

#include "platform/rtl/collection.h"
#include "platform/rtl/variant.h"

class TParam : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TParam", &TCollectionItem::kClass, &ConstructInstance<TParam>, &TParam::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TParam(TCollection* collection) : TCollectionItem(collection) {}

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // Null until a value is given.
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& value) { value_ = value; }
  bool IsNull() const { return value_.IsNull() || value_.IsEmpty(); }
  std::string DisplayName() const override { return name_; }
  void Assign(const TPersistent* source) override;

 private:
  std::string name_;
  Variant value_ = Variant::Null();
};

class TParams : public TCollection {
 public:
  static constexpr TClass kClass{"TParams", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TParams(TPersistent* owner = nullptr) : TCollection(TParam::kClass, owner) {}

  TParam* Items(int32_t index) const { return static_cast<TParam*>(TCollection::Items(index)); }
  TParam* CreateParam(const std::string& name);
  // Case-insensitive; null when there is none.
  TParam* FindParam(std::string_view name) const;
  // Raises EDatabaseError "Parameter 'x' not found".
  TParam* ParamByName(std::string_view name) const;
  // The values of the parameters named in `names` ("A;B"): the value for
  // one name, a variant array for several.
  Variant ParamValues(std::string_view names) const;
  void SetParamValues(std::string_view names, const Variant& values);
};
