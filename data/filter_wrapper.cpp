#include "data/filter_wrapper.h"

#include "platform/rtl/property.h"

void TFilterWrapper::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TFilterWrapper>();
  p.Persistent("Filter", TlxFilterCriteria::kClass, &TFilterWrapper::Filter).Stored = [](const TPersistent& self) {
    const TlxFilterCriteria* filter = static_cast<const TFilterWrapper&>(self).Filter();
    return filter != nullptr && filter->IsStored();
  };
}
