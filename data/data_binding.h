#pragma once
// The base data binding through which a data-aware control talks to its
// data. The base has no data attached: values are null, editing is allowed
// unless read-only, and committing does nothing.

#include "platform/rtl/persistent.h"
#include "platform/rtl/variant.h"

class TComponent;

class TlxCustomDataBinding : public TPersistent {
 public:
  static constexpr TClass kClass{"TlxCustomDataBinding", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomDataBinding(TPersistent* owner, TComponent* data_component);

  // The virtual operations, in the order of their slots.
  virtual void NotifyDataChanged();
  virtual void NotifyStateChanged();
  virtual bool ReservedQuery1() const { return false; }
  virtual bool IsReadOnly() const { return read_only_; }
  virtual void ChangeReadOnly(bool value);
  virtual void RequestControlValue();
  virtual void BoundControlChanged() {}
  virtual bool CanModify() const { return !IsReadOnly(); }
  virtual bool HandleExecuteAction(TObject* action);
  virtual Variant GetStoredValue() const { return Variant::Null(); }
  virtual bool IsControlReadOnly() const { return IsReadOnly(); }
  virtual bool IsDataAvailable() const { return true; }
  virtual bool ReservedQuery2() const { return false; }
  virtual void Reset() {}
  virtual bool TryEdit() { return CanModify(); }
  virtual void SetStoredValue(const Variant& value);
  virtual bool HandleUpdateAction(TObject* action);
  virtual void CommitData() {}

  TPersistent* GetOwner() const override { return owner_; }
  TComponent* DataComponent() const { return data_component_; }
  TObject* BoundControl() const { return visual_control_; }
  void SetBoundControl(TObject* control);

  TNotifyEvent OnDataChange;
  TNotifyEvent OnStateChange;
  TNotifyEvent OnUpdateData;

 private:
  TComponent* data_component_;
  TPersistent* owner_;
  bool read_only_ = false;
  TObject* visual_control_ = nullptr;
};
