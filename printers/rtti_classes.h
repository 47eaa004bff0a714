#pragma once
// Type information of the platform's base classes, with the hand-written
// names the scripting layer needs beyond published properties:
//   TObject     "ClassName", "Create" (constructor), "Free"
//   TPersistent "Assign"
//   TComponent  "Create" with an owner, "Owner", and "Tag" read and written
//               directly.

#include "printers/rtti.h"

class TrtTObjectRTTI : public TrtRTTI {
 public:
  static constexpr TClass kClass{"TrtTObjectRTTI", &TrtRTTI::kClass, &ConstructInstance<TrtTObjectRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  void GetPropList(const TClass* cls, TStrings& list) const override;
  const TClass* GetRefClass() const override;
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override;
  bool CallMethod(TObject* instance, std::string_view name, bool flag, TrtParamList* params) const override;
  std::unique_ptr<TrtParamList> GetParams(std::string_view name) const override;
};

class TrtTPersistentRTTI : public TrtTObjectRTTI {
 public:
  static constexpr TClass kClass{"TrtTPersistentRTTI", &TrtTObjectRTTI::kClass,
                                 &ConstructInstance<TrtTPersistentRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  void GetPropList(const TClass* cls, TStrings& list) const override;
  const TClass* GetRefClass() const override;
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override;
  bool CallMethod(TObject* instance, std::string_view name, bool flag, TrtParamList* params) const override;
  std::unique_ptr<TrtParamList> GetParams(std::string_view name) const override;
};

class TrtTComponentRTTI : public TrtTPersistentRTTI {
 public:
  static constexpr TClass kClass{"TrtTComponentRTTI", &TrtTPersistentRTTI::kClass,
                                 &ConstructInstance<TrtTComponentRTTI>};
  const TClass* ClassType() const override { return &kClass; }

  void GetPropList(const TClass* cls, TStrings& list) const override;
  const TClass* GetRefClass() const override;
  bool GetPropRec(const TClass* cls, std::string_view name, TrtPropRec& rec) const override;
  bool CallMethod(TObject* instance, std::string_view name, bool flag, TrtParamList* params) const override;
  std::unique_ptr<TrtParamList> GetParams(std::string_view name) const override;
  bool GetPropValue(TObject* instance, std::string_view name, TrtValue& value) const override;
  bool SetPropValue(TObject* instance, std::string_view name, const TrtValue& value) const override;
};
