#pragma once
// Adapters attached to dataset classes: behaviour of the dataset binding
// that depends on the dataset's class. The one adapter registered here turns
// the null tests of a filter into SQL's "IS NULL" and "IS NOT NULL" for
// query datasets.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/filter_operators.h"

class TDataSet;

class TlxDBAdapterItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxDBAdapterItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDBAdapterItem(const TClass* dataset_class) : dataset_class_(dataset_class) {}

  const TClass* DataSetClass() const { return dataset_class_; }

 private:
  const TClass* dataset_class_;
};

// Creates an adapter of one class for a dataset class (the adapter class's
// virtual constructor).
using TlxDBAdapterFactory = std::unique_ptr<TlxDBAdapterItem> (*)(const TClass* dataset_class);

template <class T>
std::unique_ptr<TlxDBAdapterItem> lxCreateDBAdapter(const TClass* dataset_class) {
  return std::make_unique<T>(dataset_class);
}

// Adapters kept so that one for a class stands after those for its
// ancestor classes.
class TlxDBAdapterList : public TObject {
 public:
  static constexpr TClass kClass{"TlxDBAdapterList", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  ~TlxDBAdapterList() override { Clear(); }

  // True with the adapter for the class or its nearest ancestor; otherwise
  // false with the index where an adapter for the class belongs (before
  // those of its descendants), or -1.
  virtual bool FindAdapter(const TClass* dataset_class, int32_t& index) const;
  virtual void RegisterAdapter(const TClass* dataset_class, const TClass* adapter_class,
                               TlxDBAdapterFactory factory);
  // Frees every adapter of exactly this dataset class and adapter class.
  virtual void UnregisterAdapter(const TClass* dataset_class, const TClass* adapter_class);

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxDBAdapterItem* ItemAt(int32_t index) const { return items_.at(static_cast<size_t>(index)).get(); }
  void Clear() { items_.clear(); }

 private:
  std::vector<std::unique_ptr<TlxDBAdapterItem>> items_;
};

class TlxDBFilterOperatorAdapter : public TlxDBAdapterItem {
 public:
  static constexpr TClass kClass{"TlxDBFilterOperatorAdapter", &TlxDBAdapterItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDBAdapterItem::TlxDBAdapterItem;

  // Null tests of query datasets become the SQL null operators.
  virtual void PrepareFilterOperatorClass(const TlxFilterCriteriaItem& condition, const TDataSet* dataset,
                                          const TClass*& operator_class) const;
};

class TlxFilterSQLNullOperator : public TlxFilterNullOperator {
 public:
  static constexpr TClass kClass{"TlxFilterSQLNullOperator", &TlxFilterNullOperator::kClass,
                                 &ConstructInstance<TlxFilterSQLNullOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNullOperator::TlxFilterNullOperator;
  std::string OperatorText() const override { return "IS"; }
};

class TlxFilterSQLNotNullOperator : public TlxFilterNotNullOperator {
 public:
  static constexpr TClass kClass{"TlxFilterSQLNotNullOperator", &TlxFilterNotNullOperator::kClass,
                                 &ConstructInstance<TlxFilterSQLNotNullOperator>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterNotNullOperator::TlxFilterNotNullOperator;
  std::string OperatorText() const override { return "IS NOT"; }
};

// The process-wide filter operator adapters: the base dataset class with
// TlxDBFilterOperatorAdapter, registered on first use.
TlxDBAdapterList& lxDBFilterOperatorAdapters();
// The adapter for the dataset's class, or null (also for no dataset).
TlxDBFilterOperatorAdapter* lxDBGetFilterOperatorAdapter(const TDataSet* dataset);
