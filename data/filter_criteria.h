#pragma once
// A filter as a tree: item lists that combine their children with AND, OR,
// NOT AND or NOT OR, and conditions that compare one field (the item link)
// with an operand by an operator kind. The criteria owns the tree, batches
// changes between BeginChanges and EndChanges with one notification per
// batch, evaluates records, and carries the options and wildcards that
// shape evaluation and text. Deriving criteria supply what is abstract:
// how a link reads a record's value, its caption and name, and how it is
// identified in a stream.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/persistent.h"
#include "platform/rtl/stream.h"
#include "platform/rtl/variant.h"

class TlxFilterCriteria;
class TlxFilterCriteriaItem;
class TlxFilterCriteriaItemList;
class TlxFilterOperator;

using TlxFilterOperatorKind = uint8_t;
constexpr TlxFilterOperatorKind fokEqual = 0;
constexpr TlxFilterOperatorKind fokNotEqual = 1;
constexpr TlxFilterOperatorKind fokLess = 2;
constexpr TlxFilterOperatorKind fokLessEqual = 3;
constexpr TlxFilterOperatorKind fokGreater = 4;
constexpr TlxFilterOperatorKind fokGreaterEqual = 5;
constexpr TlxFilterOperatorKind fokLike = 6;
constexpr TlxFilterOperatorKind fokNotLike = 7;
constexpr TlxFilterOperatorKind fokBetween = 8;
constexpr TlxFilterOperatorKind fokNotBetween = 9;
constexpr TlxFilterOperatorKind fokInList = 10;
constexpr TlxFilterOperatorKind fokNotInList = 11;
constexpr TlxFilterOperatorKind fokYesterday = 12;
constexpr TlxFilterOperatorKind fokToday = 13;
constexpr TlxFilterOperatorKind fokTomorrow = 14;
constexpr TlxFilterOperatorKind fokLast7Days = 15;
constexpr TlxFilterOperatorKind fokLastWeek = 16;
constexpr TlxFilterOperatorKind fokLast14Days = 17;
constexpr TlxFilterOperatorKind fokLastTwoWeeks = 18;
constexpr TlxFilterOperatorKind fokLast30Days = 19;
constexpr TlxFilterOperatorKind fokLastMonth = 20;
constexpr TlxFilterOperatorKind fokLastYear = 21;
constexpr TlxFilterOperatorKind fokInPast = 22;
constexpr TlxFilterOperatorKind fokThisWeek = 23;
constexpr TlxFilterOperatorKind fokThisMonth = 24;
constexpr TlxFilterOperatorKind fokThisYear = 25;
constexpr TlxFilterOperatorKind fokNext7Days = 26;
constexpr TlxFilterOperatorKind fokNextWeek = 27;
constexpr TlxFilterOperatorKind fokNext14Days = 28;
constexpr TlxFilterOperatorKind fokNextTwoWeeks = 29;
constexpr TlxFilterOperatorKind fokNext30Days = 30;
constexpr TlxFilterOperatorKind fokNextMonth = 31;
constexpr TlxFilterOperatorKind fokNextYear = 32;
constexpr TlxFilterOperatorKind fokInFuture = 33;
constexpr TlxFilterOperatorKind fokNull = 34;
constexpr TlxFilterOperatorKind fokNotNull = 35;
constexpr TlxFilterOperatorKind kLxLastFilterOperatorKind = fokNotNull;

enum TlxFilterBoolOperatorKind : uint8_t { fbkAnd = 0, fbkOr = 1, fbkNotAnd = 2, fbkNotOr = 3 };

enum TlxFilterCriteriaOption : uint8_t {
  fcoCaseInsensitive = 0,
  fcoShowOperatorDescription = 1,
  fcoSoftNull = 2,
  fcoSoftCompare = 3,
  fcoIgnoreNull = 4,
};
// A set of options, one bit per option.
using TlxFilterCriteriaOptions = uint8_t;
constexpr TlxFilterCriteriaOptions lxFilterOption(TlxFilterCriteriaOption option) {
  return static_cast<TlxFilterCriteriaOptions>(1u << option);
}

// The version that the data controller's criteria and the filter control's
// criteria write; the base criteria starts with 2.
constexpr uint8_t lxFilterCurrentVersion = 3;

class TlxCustomFilterCriteriaItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomFilterCriteriaItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxFilterCriteriaItemList;

  explicit TlxCustomFilterCriteriaItem(TlxFilterCriteriaItemList* parent) : parent_(parent) {}

  // Reports a change to the owning criteria.
  virtual void Changed();
  virtual TlxFilterCriteria* OwningCriteria() const;
  virtual bool IsList() const = 0;
  virtual void LoadFromStream(TStream& stream);
  virtual void SaveToStream(TStream& stream) const;
  virtual bool IsEmptyNode() const = 0;

  TlxFilterCriteriaItemList* Parent() const { return parent_; }

 private:
  friend class TlxFilterCriteriaItemList;
  TlxFilterCriteriaItemList* parent_;
};

class TlxFilterCriteriaItemList : public TlxCustomFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TlxFilterCriteriaItemList", &TlxCustomFilterCriteriaItem::kClass,
                                 &ConstructInstance<TlxFilterCriteriaItemList>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxFilterCriteriaItemList(TlxFilterCriteriaItemList* parent);
  ~TlxFilterCriteriaItemList() override;

  TlxFilterCriteria* OwningCriteria() const override;
  bool IsList() const override { return true; }
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  bool IsEmptyNode() const override { return items_.empty(); }
  // Takes the node out of the list (the caller owns it then) and reports a
  // change; null when the node is not a child.
  virtual std::unique_ptr<TlxCustomFilterCriteriaItem> RemoveChild(TlxCustomFilterCriteriaItem* node);

  TlxFilterCriteriaItem* AddCondition(TObject* item_link, TlxFilterOperatorKind kind, const Variant& operand,
                                      const std::string& display_value);
  TlxFilterCriteriaItemList* AddSubList(TlxFilterBoolOperatorKind kind);
  // Appends a node made elsewhere (tidying moves a child up this way).
  void AppendChild(std::unique_ptr<TlxCustomFilterCriteriaItem> node);
  // Frees one child.
  void FreeChild(TlxCustomFilterCriteriaItem* node);
  // Frees the children from the last to the first, in one change bracket.
  void FreeAllChildren();
  int32_t ItemCount() const { return static_cast<int32_t>(items_.size()); }
  // Null for an index out of range.
  TlxCustomFilterCriteriaItem* ItemAt(int32_t index) const;
  int32_t IndexOf(const TlxCustomFilterCriteriaItem* node) const;

  TlxFilterBoolOperatorKind BoolOperatorKind() const { return bool_operator_kind_; }
  void SetBoolOperatorKind(TlxFilterBoolOperatorKind kind);
  // Only the root knows its criteria.
  void SetCriteria(TlxFilterCriteria* criteria) { criteria_ = criteria; }

  void SaveChild(TStream& stream, const TlxCustomFilterCriteriaItem& child) const;
  void LoadChild(TStream& stream);

 private:
  TlxFilterBoolOperatorKind bool_operator_kind_ = fbkAnd;
  TlxFilterCriteria* criteria_ = nullptr;
  std::vector<std::unique_ptr<TlxCustomFilterCriteriaItem>> items_;
};

// A condition. Abstract: the deriving criteria's condition class reads the
// record values and names the field.
class TlxFilterCriteriaItem : public TlxCustomFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TlxFilterCriteriaItem", &TlxCustomFilterCriteriaItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxFilterCriteriaItem(TlxFilterCriteriaItemList* parent);
  ~TlxFilterCriteriaItem() override;

  bool IsList() const override { return false; }
  void LoadFromStream(TStream& stream) override;
  void SaveToStream(TStream& stream) const override;
  bool IsEmptyNode() const override;

  // The virtual operations, in the order of their slots.
  virtual Variant GetRecordValue(int32_t record_index) = 0;
  virtual std::string GetValueCaption() const;
  virtual std::string GetValueText(bool caption_form) const;
  virtual std::string GetFieldCaption() const = 0;
  virtual std::string GetFieldName() const = 0;
  virtual const TClass* OperatorClassForKind(TlxFilterOperatorKind kind) const;
  virtual TObject* FetchItemLink() const { return item_link_; }
  virtual void StoreItemLink(TObject* link) { item_link_ = link; }
  virtual void RebuildOperator();
  // The work of the virtual constructor, after the class built the object.
  virtual void Initialize(TObject* item_link, TlxFilterOperatorKind kind, const Variant& operand,
                          const std::string& display_value);
  virtual bool ValueIsNull(const Variant& value) const;

  const std::string& DisplayValue() const { return display_value_; }
  void SetDisplayValue(const std::string& text);
  TObject* ItemLink() const { return FetchItemLink(); }
  TlxFilterOperator& Operator() const { return *operator_; }
  TlxFilterOperatorKind OperatorKind() const { return operator_kind_; }
  void SetOperatorKind(TlxFilterOperatorKind kind);
  const Variant& Value() const { return value_; }
  void SetValue(const Variant& operand);
  // A null or not-null condition without display value shows "blank".
  void ApplyBlankDisplayValue();

 private:
  std::string display_value_;
  TObject* item_link_ = nullptr;
  std::unique_ptr<TlxFilterOperator> operator_;
  TlxFilterOperatorKind operator_kind_ = fokEqual;
  Variant value_;
};

class TlxFilterCriteria : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxFilterCriteria", &TPersistent::kClass, nullptr, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  TlxFilterCriteria();
  ~TlxFilterCriteria() override;

  void Assign(const TPersistent* source) override { AssignFrom(source, false); }

  // The virtual operations, in the order of their slots.
  virtual void CheckChanged();
  virtual std::string ValueToText(const Variant& value) const;
  virtual std::string DateValueToText(const Variant& value) const;
  virtual void DoFormatFilterTextValue(const TlxFilterCriteriaItem& condition, const Variant& value,
                                       std::string& text) const;
  virtual std::string BuildCaptionText() const;
  virtual std::string BuildTreeText(bool caption_form) const;
  virtual std::string BuildExpressionText() const;
  virtual int32_t GetItemLinkId(TObject* link) const = 0;
  virtual std::string GetItemLinkName(TObject* link) const = 0;
  virtual const TClass* ConditionItemClass() const = 0;
  virtual const TClass* ItemListClass() const { return &TlxFilterCriteriaItemList::kClass; }
  virtual std::string BuildItemText(const TlxFilterCriteriaItem& condition, bool caption_form) const;
  virtual std::string ItemFieldText(const TlxFilterCriteriaItem& condition, bool caption_form) const;
  virtual std::string ItemOperatorText(const TlxFilterCriteriaItem& condition, bool caption_form) const;
  virtual std::string ItemValueText(const TlxFilterCriteriaItem& condition, bool caption_form) const;
  virtual TObject* FindItemLinkById(int32_t id) const = 0;
  virtual TObject* FindItemLinkByName(const std::string& name) const = 0;
  virtual const TClass* ValueListClass() const;
  virtual void PrepareOperators();
  virtual Variant NormalizeValue(const Variant& value) const;
  virtual void UnusedHook() {}
  virtual void DoChanged();
  virtual void AssignFrom(const TPersistent* source, bool version2_only);
  virtual void AssignEvents(const TlxFilterCriteria& source);
  virtual void AssignItems(const TlxFilterCriteria& source, bool version2_only);
  virtual TlxFilterCriteriaItem* AddItem(TlxFilterCriteriaItemList* list, TObject* item_link,
                                         TlxFilterOperatorKind kind, const Variant& operand,
                                         const std::string& display_value);
  virtual void MarkChanged();
  virtual TlxFilterCriteriaItem* LocateItemByLink(TObject* link) const;
  virtual bool HasNoItems() const;
  virtual void LoadFromComponentStream(TStream& stream);
  virtual void ResetToDefaults();
  virtual void SaveToComponentStream(TStream& stream);
  virtual bool IsNullValue(const Variant& value) const;
  // Reads a filter stream of version 1, 2 or 3. On bad input (EReadError)
  // the tree keeps what it held before.
  virtual void LoadFromBinaryStream(TStream& stream);
  virtual void SaveToBinaryStream(TStream& stream, uint8_t version_limit);

  void BeginChanges() { ++lock_count_; }
  void EndChanges();
  void CancelChanges() { --lock_count_; }
  void RemoveAllItems();
  void RemoveItemsByLink(TObject* link);
  bool EvaluateRecord(int32_t record_index);
  bool HasSameContent(const TlxFilterCriteria& other, bool version2_only) const;
  bool IsStored() const;
  void WriteToStream(TStream& stream) { SaveToBinaryStream(stream, 0); }

  TlxFilterCriteriaItemList& Root() const { return *root_; }
  bool HasPendingChange() const { return changed_; }
  int32_t LockCount() const { return lock_count_; }

  const std::string& DateTimeFormat() const { return date_time_format_; }
  void SetDateTimeFormat(const std::string& format);
  bool IsWideText() const { return is_wide_text_; }
  void SetIsWideText(bool wide) { is_wide_text_ = wide; }
  uint8_t LoadedVersion() const { return loaded_version_; }
  uint8_t SavedVersion() const { return saved_version_; }
  int32_t MaxValueListCount() const { return max_value_list_count_; }
  void SetMaxValueListCount(int32_t count) { max_value_list_count_ = count; }
  TlxFilterCriteriaOptions Options() const { return options_; }
  void SetOptions(TlxFilterCriteriaOptions options);
  bool HasOption(TlxFilterCriteriaOption option) const { return (options_ & lxFilterOption(option)) != 0; }
  char PercentWildcard() const { return percent_wildcard_; }
  void SetPercentWildcard(char wildcard);
  char UnderscoreWildcard() const { return underscore_wildcard_; }
  void SetUnderscoreWildcard(char wildcard);
  bool SupportedLike() const { return supported_like_; }
  void SetSupportedLike(bool supported) { supported_like_ = supported; }
  bool TranslateBetween() const { return translate_between_; }
  void SetTranslateBetween(bool value) { translate_between_ = value; }
  bool TranslateLike() const { return translate_like_; }
  void SetTranslateLike(bool value) { translate_like_ = value; }
  bool TranslateIn() const { return translate_in_; }
  void SetTranslateIn(bool value) { translate_in_ = value; }
  uint8_t Version() const { return version_; }
  void SetVersion(uint8_t version) { version_ = version; }
  bool SavingToStream() const { return saving_to_stream_; }

  TNotifyEvent OnChanged;

  bool EvaluateCondition(TlxFilterCriteriaItem& condition, int32_t record_index);

 private:
  bool EvaluateList(const TlxFilterCriteriaItemList& list, int32_t record_index);
  std::string ListText(const TlxFilterCriteriaItemList& list, bool caption_form) const;
  void TidyAfterRemoval(TlxFilterCriteriaItemList* list);
  void ReadBody(TStream& stream, TlxFilterCriteriaItemList& root);
  void WriteBinary(TStream& stream, uint8_t version) const;

  bool changed_ = false;
  std::string date_time_format_;
  bool is_wide_text_ = false;
  uint8_t loaded_version_ = 0;
  int32_t lock_count_ = 0;
  int32_t max_value_list_count_ = 0;
  TlxFilterCriteriaOptions options_ = 0;
  char percent_wildcard_ = '%';
  std::unique_ptr<TlxFilterCriteriaItemList> root_;
  uint8_t saved_version_ = 0;
  bool saving_to_stream_ = false;
  bool supported_like_ = true;
  bool translate_between_ = false;
  bool translate_like_ = false;
  bool translate_in_ = false;
  char underscore_wildcard_ = '_';
  uint8_t version_ = 2;
  // The version of the binary stream being read or written, for the nodes.
  mutable uint8_t stream_version_ = 0;
  friend class TlxFilterCriteriaItem;
};

// A change bracket of a criteria for a scope: BeginChanges now, EndChanges at
// the end (the change is then notified), or CancelChanges after Cancel().
class TlxFilterChangesScope {
 public:
  explicit TlxFilterChangesScope(TlxFilterCriteria& criteria) : criteria_(criteria) { criteria_.BeginChanges(); }
  TlxFilterChangesScope(const TlxFilterChangesScope&) = delete;
  TlxFilterChangesScope& operator=(const TlxFilterChangesScope&) = delete;
  ~TlxFilterChangesScope() noexcept(false);
  // Closes the bracket without notifying.
  void Cancel() { cancelled_ = true; }

 private:
  TlxFilterCriteria& criteria_;
  bool cancelled_ = false;
};

// Version ids of the filter stream's header: -1 is version 2, -2 version 3,
// anything else version 1 (and then the number of root children).
uint8_t lxFilterVersionOfStreamId(int32_t id);
int32_t lxFilterStreamIdOfVersion(uint8_t version);
