#pragma once
// TlxEditDataBinding: where an editor's value comes from and goes to. The
// base binds to nothing: the editor's own value is the data; data-aware
// kinds derive it to read and write a dataset field.

#include <memory>

#include "editors/edit_properties.h"
#include "platform/rtl/component.h"
#include "platform/rtl/variant.h"

class TlxCustomEdit;

class TlxEditDataBinding : public TPersistent {
 public:
  using TOwnerType = TlxCustomEdit;
  static constexpr TClass kClass{"TlxEditDataBinding", &TPersistent::kClass,
                                 &ConstructInstance<TlxEditDataBinding>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditDataBinding(TlxCustomEdit* edit)
      : TlxEditDataBinding(edit, TlxCustomEditDefaultValuesProvider::kClass) {}
  ~TlxEditDataBinding() override;

  // Virtual operations, in the order of their slots.
  virtual void RefreshProperties();
  virtual void ReadDisplayValue(Variant& value);
  virtual bool IsInEditState();
  virtual bool IsModified();
  virtual void ReadDataValue(Variant& value);
  virtual bool IsDataChangePending() { return false; }
  virtual void CancelChanges();
  virtual void AssignDisplayValue(const Variant& value);
  virtual bool EnterEditMode();
  virtual void WriteDataValue(const Variant& /*value*/) {}
  virtual bool IsEditValueSettled();
  virtual bool NeedsPosting() { return IsModified(); }
  virtual bool HandleAction(TObject* /*action*/) { return false; }
  virtual bool UpdateActionState(TObject* /*action*/) { return false; }
  virtual const TClass& GetDefaultValuesProviderClass() const { return TlxCustomEditDefaultValuesProvider::kClass; }
  virtual void MarkModified();
  virtual void UpdateDisplay();
  virtual void RefreshDataLink() {}

  IlxEditDefaultValuesProvider* GetValuesProviderIntf() const { return provider_.get(); }
  bool HasActiveData() const { return provider_->HasActiveData(); }
  void ShowDisplayValue() { UpdateDisplay(); }
  TlxCustomEdit* Edit() const { return edit_; }

 protected:
  // Derived bindings build their provider of the class they answer from
  // GetDefaultValuesProviderClass.
  TlxEditDataBinding(TlxCustomEdit* edit, const TClass& provider_class);

 private:
  TlxCustomEdit* edit_;
  std::unique_ptr<TlxCustomEditDefaultValuesProvider> provider_;
};
