#pragma once
// The entries of a filter drop-down for one column: a leading block of
// extra entries closed by a separator, the head entries "(All)",
// "(Custom...)", "(Blanks)" and "(NonBlanks)", then the column's distinct
// values, sorted and free of duplicates, within the criteria's size limit.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxFilterCriteria;
class TlxFilterCriteriaItem;

using TlxFilterValueItemKind = uint8_t;
constexpr TlxFilterValueItemKind fvkAll = 0;
constexpr TlxFilterValueItemKind fvkCustom = 1;
constexpr TlxFilterValueItemKind fvkBlanks = 2;
constexpr TlxFilterValueItemKind fvkNonBlanks = 3;
constexpr TlxFilterValueItemKind fvkValue = 5;
constexpr TlxFilterValueItemKind fvkLeading = 6;
constexpr TlxFilterValueItemKind fvkSeparator = 7;

struct TlxFilterValueItem {
  TlxFilterValueItemKind Kind = fvkValue;
  Variant Value;
  std::string DisplayText;
};

class TlxFilterValueList : public TObject {
 public:
  using TOwnerType = TlxFilterCriteria;
  static constexpr TClass kClass{"TlxFilterValueList", &TObject::kClass, &ConstructInstance<TlxFilterValueList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxFilterValueList(TlxFilterCriteria* criteria) : criteria_(criteria) {}
  ~TlxFilterValueList() override;

  // The virtual operations, in the order of their slots.
  virtual int CompareItem(int32_t index, const Variant& value, const std::string& display_text) const;
  virtual void Add(TlxFilterValueItemKind kind, const Variant& value, const std::string& display_text,
                   bool append);
  virtual void Clear();
  // True with the first equal entry, or false with the insertion point.
  virtual bool FindValue(const Variant& value, const std::string& display_text, int32_t& index) const;
  virtual int32_t FindItemForCriteriaItem(const TlxFilterCriteriaItem* condition) const;

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Raises EListError for an index out of range.
  const TlxFilterValueItem& EntryAt(int32_t index) const;
  void Delete(int32_t index);
  int32_t MaxCount() const;
  int32_t SeparatorIndex() const;
  int32_t FirstValueIndex() const;
  int32_t IndexOfKind(TlxFilterValueItemKind kind) const;
  // A null value matches any value of the kind.
  int32_t IndexOfKindValue(TlxFilterValueItemKind kind, const Variant& value) const;
  int32_t IndexOfValue(const Variant& value) const;

  TlxFilterCriteria* Criteria() const { return criteria_; }
  bool SortByDisplayText() const { return sort_by_display_text_; }
  void SetSortByDisplayText(bool sort) { sort_by_display_text_ = sort; }

 private:
  void InsertEntry(int32_t index, TlxFilterValueItemKind kind, const Variant& value, const std::string& text);

  TlxFilterCriteria* criteria_;
  std::vector<std::unique_ptr<TlxFilterValueItem>> items_;
  bool sort_by_display_text_ = false;
};
