#include "data/db_adapters.h"

#include "platform/db/data_set.h"
#include "platform/rtl/text.h"

bool TlxDBAdapterList::FindAdapter(const TClass* dataset_class, int32_t& index) const {
  index = -1;
  for (int32_t i = Count() - 1; i >= 0; --i) {
    const TClass* served = items_[static_cast<size_t>(i)]->DataSetClass();
    if (dataset_class->InheritsFrom(served)) {
      index = i;
      return true;
    }
    // An adapter for a descendant: a new one for this class goes before it.
    if (served->InheritsFrom(dataset_class))
      index = i;
  }
  return false;
}

void TlxDBAdapterList::RegisterAdapter(const TClass* dataset_class, const TClass*, TlxDBAdapterFactory factory) {
  std::unique_ptr<TlxDBAdapterItem> adapter = factory(dataset_class);
  int32_t index = -1;
  if (FindAdapter(dataset_class, index))
    ++index;
  else if (index < 0)
    index = Count();
  items_.insert(items_.begin() + index, std::move(adapter));
}

void TlxDBAdapterList::UnregisterAdapter(const TClass* dataset_class, const TClass* adapter_class) {
  std::erase_if(items_, [&](const std::unique_ptr<TlxDBAdapterItem>& item) {
    return item->DataSetClass() == dataset_class && item->ClassType() == adapter_class;
  });
}

void TlxDBFilterOperatorAdapter::PrepareFilterOperatorClass(const TlxFilterCriteriaItem&, const TDataSet* dataset,
                                                            const TClass*& operator_class) const {
  if (dataset == nullptr || !operator_class->InheritsFrom(&TlxFilterNullOperator::kClass))
    return;
  if (UpperCase(dataset->ClassName()).find("QUERY") == std::string::npos)
    return;
  operator_class = operator_class->InheritsFrom(&TlxFilterNotNullOperator::kClass)
                       ? &TlxFilterSQLNotNullOperator::kClass
                       : &TlxFilterSQLNullOperator::kClass;
}

TlxDBAdapterList& lxDBFilterOperatorAdapters() {
  static TlxDBAdapterList* adapters = [] {
    static TlxDBAdapterList list;
    list.RegisterAdapter(&TDataSet::kClass, &TlxDBFilterOperatorAdapter::kClass,
                         &lxCreateDBAdapter<TlxDBFilterOperatorAdapter>);
    return &list;
  }();
  return *adapters;
}

TlxDBFilterOperatorAdapter* lxDBGetFilterOperatorAdapter(const TDataSet* dataset) {
  if (dataset == nullptr)
    return nullptr;
  TlxDBAdapterList& adapters = lxDBFilterOperatorAdapters();
  int32_t index = -1;
  if (!adapters.FindAdapter(dataset->ClassType(), index))
    return nullptr;
  return dynamic_cast<TlxDBFilterOperatorAdapter*>(adapters.ItemAt(index));
}
