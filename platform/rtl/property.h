#pragma once
// Published properties: the named, typed values of a persistent class that
// component streaming writes and reads. A class lists its own properties in
// a static Publish function named by its TClass descriptor:
//
//   void TLogger::Publish(TPropertyListBuilder& properties) {
//     auto p = properties.For<TLogger>();
//     p.Boolean("Active", &TLogger::Active, &TLogger::SetActive, false);
//     p.String("Category", &TLogger::Category, &TLogger::SetCategory);
//   }
//
// A value equal to its declared default is not written; a property without a
// default is always written (strings and floats default to empty and 0
// unless they name another default).

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/rtl/persistent.h"
#include "platform/rtl/variant.h"

enum class TTypeKind : uint8_t {
  tkInteger,
  tkInt64,
  tkFloat,
  tkString,
  tkBoolean,
  tkEnumeration,
  tkSet,
  // A TComponent written as a reference by name, or any other TPersistent
  // written as its own properties (a TCollection as a list of items).
  tkClass,
  // A Variant written with the value type of its content: empty, Null,
  // Boolean, integer, 64-bit integer, float, currency, date or text.
  tkVariant,
};

struct TPropInfo {
  std::string Name;
  TTypeKind Kind = TTypeKind::tkInteger;
  // Enumeration values by ordinal; set elements by bit number.
  std::vector<std::string> ElementNames;
  std::optional<int64_t> Default;
  double FloatDefault = 0;
  std::string StringDefault;
  // The declared class of a tkClass property.
  const TClass* ObjectClass = nullptr;

  // Ordinal kinds (integer, int64, boolean, enumeration, set as a bit mask).
  std::function<int64_t(const TPersistent&)> GetOrd;
  std::function<void(TPersistent&, int64_t)> SetOrd;
  std::function<double(const TPersistent&)> GetFloat;
  std::function<void(TPersistent&, double)> SetFloat;
  std::function<std::string(const TPersistent&)> GetStr;
  std::function<void(TPersistent&, const std::string&)> SetStr;
  std::function<Variant(const TPersistent&)> GetVar;
  std::function<void(TPersistent&, const Variant&)> SetVar;
  std::function<TObject*(const TPersistent&)> GetObj;
  // Only component references have a setter; sub-objects are read in place.
  std::function<void(TPersistent&, TObject*)> SetObj;
  // Empty: always stored.
  std::function<bool(const TPersistent&)> Stored;

  bool IsReference() const;
};

class TPropertyList {
 public:
  // A property of the same name as an inherited one replaces it in place.
  TPropInfo& Add(TPropInfo info);
  // Case-insensitive, as stored names are compared.
  const TPropInfo* Find(std::string_view name) const;
  const std::vector<TPropInfo>& Items() const { return items_; }

 private:
  std::vector<TPropInfo> items_;
};

template <class T>
class TTypedPropertyBuilder;

class TPropertyListBuilder {
 public:
  explicit TPropertyListBuilder(TPropertyList& list) : list_(list) {}
  template <class T>
  TTypedPropertyBuilder<T> For() {
    return TTypedPropertyBuilder<T>(*this);
  }
  // The entry stays valid until the next Add.
  TPropInfo& Add(TPropInfo info) { return list_.Add(std::move(info)); }

 private:
  TPropertyList& list_;
};

// Getters are callables taking `const T&` (member functions included),
// setters callables taking `T&` and the value.
template <class T>
class TTypedPropertyBuilder {
 public:
  explicit TTypedPropertyBuilder(TPropertyListBuilder& builder) : builder_(builder) {}

  template <class Get, class Set>
  TPropInfo& Integer(std::string name, Get get, Set set, std::optional<int64_t> default_value = {}) {
    return Ordinal(TTypeKind::tkInteger, std::move(name), get, set, default_value, {});
  }
  template <class Get, class Set>
  TPropInfo& Int64(std::string name, Get get, Set set, std::optional<int64_t> default_value = {}) {
    return Ordinal(TTypeKind::tkInt64, std::move(name), get, set, default_value, {});
  }
  template <class Get, class Set>
  TPropInfo& Boolean(std::string name, Get get, Set set, std::optional<bool> default_value = {}) {
    std::optional<int64_t> ordinal_default;
    if (default_value)
      ordinal_default = *default_value ? 1 : 0;
    return Ordinal(TTypeKind::tkBoolean, std::move(name), get, set, ordinal_default, {});
  }
  // An enumeration stored by the name of its value.
  template <class Get, class Set, class Enum>
  TPropInfo& Enumeration(std::string name, Get get, Set set, std::vector<std::string> value_names,
                         std::optional<Enum> default_value = {}) {
    std::optional<int64_t> ordinal_default;
    if (default_value)
      ordinal_default = static_cast<int64_t>(*default_value);
    return Ordinal(TTypeKind::tkEnumeration, std::move(name), get, set, ordinal_default,
                   std::move(value_names));
  }
  // A set held as a bit mask, stored by the names of its elements.
  template <class Get, class Set>
  TPropInfo& SetOf(std::string name, Get get, Set set, std::vector<std::string> element_names,
                   std::optional<int64_t> default_mask = {}) {
    return Ordinal(TTypeKind::tkSet, std::move(name), get, set, default_mask, std::move(element_names));
  }
  template <class Get, class Set>
  TPropInfo& Float(std::string name, Get get, Set set, double default_value = 0) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkFloat;
    info.FloatDefault = default_value;
    info.GetFloat = [get](const TPersistent& self) { return static_cast<double>(std::invoke(get, Self(self))); };
    info.SetFloat = [set](TPersistent& self, double value) { std::invoke(set, Self(self), value); };
    return builder_.Add(std::move(info));
  }
  template <class Get, class Set>
  TPropInfo& String(std::string name, Get get, Set set, std::string default_value = {}) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkString;
    info.StringDefault = std::move(default_value);
    info.GetStr = [get](const TPersistent& self) { return std::string(std::invoke(get, Self(self))); };
    info.SetStr = [set](TPersistent& self, const std::string& value) { std::invoke(set, Self(self), value); };
    return builder_.Add(std::move(info));
  }
  // A Variant has no declared default: it is written unless its Stored
  // test says otherwise (or it equals the ancestor's in type and value).
  template <class Get, class Set>
  TPropInfo& VariantValue(std::string name, Get get, Set set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkVariant;
    info.GetVar = [get](const TPersistent& self) { return ::Variant(std::invoke(get, Self(self))); };
    info.SetVar = [set](TPersistent& self, const ::Variant& value) { std::invoke(set, Self(self), value); };
    return builder_.Add(std::move(info));
  }
  // A sub-object that this one owns; its properties are stored in place.
  template <class Get>
  TPropInfo& Persistent(std::string name, const TClass& cls, Get get) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkClass;
    info.ObjectClass = &cls;
    info.GetObj = [get](const TPersistent& self) -> TObject* { return std::invoke(get, Self(self)); };
    return builder_.Add(std::move(info));
  }
  // A reference to a component of class Target that this one does not own,
  // stored by name and resolved once the whole stream is read.
  template <class Target, class Get, class Set>
  TPropInfo& Reference(std::string name, Get get, Set set) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = TTypeKind::tkClass;
    info.ObjectClass = &Target::kClass;
    info.GetObj = [get](const TPersistent& self) -> TObject* { return std::invoke(get, Self(self)); };
    info.SetObj = [set](TPersistent& self, TObject* value) {
      std::invoke(set, Self(self), dynamic_cast<Target*>(value));
    };
    return builder_.Add(std::move(info));
  }

 private:
  static const T& Self(const TPersistent& self) { return static_cast<const T&>(self); }
  static T& Self(TPersistent& self) { return static_cast<T&>(self); }

  template <class Get, class Set>
  TPropInfo& Ordinal(TTypeKind kind, std::string name, Get get, Set set, std::optional<int64_t> default_value,
                     std::vector<std::string> element_names) {
    TPropInfo info;
    info.Name = std::move(name);
    info.Kind = kind;
    info.Default = default_value;
    info.ElementNames = std::move(element_names);
    info.GetOrd = [get](const TPersistent& self) { return static_cast<int64_t>(std::invoke(get, Self(self))); };
    info.SetOrd = [set](TPersistent& self, int64_t value) {
      using Value = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;
      std::invoke(set, Self(self), static_cast<Value>(value));
    };
    return builder_.Add(std::move(info));
  }

  TPropertyListBuilder& builder_;
};
