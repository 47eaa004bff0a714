#pragma once
// The component that carries a criteria through the platform's component
// streams: one published property, Filter, stored while the criteria has
// something to store. The wrapper does not own the criteria.

#include "data/filter_criteria.h"
#include "platform/rtl/component.h"

class TFilterWrapper : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TFilterWrapper", &TComponent::kClass, &ConstructInstance<TFilterWrapper>,
                                 &TFilterWrapper::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFilterWrapper(TComponent* owner) : TComponent(owner) {}

  TlxFilterCriteria* Filter() const { return filter_; }
  void SetFilter(TlxFilterCriteria* filter) { filter_ = filter; }

 private:
  TlxFilterCriteria* filter_ = nullptr;
};
