#pragma once
// Summary items and their collections: what a controller's summary computes
// (footer items over all filtered rows, group items per group row, and
// summary groups that bind a set of group items to particular grouping
// columns), with the default formats and the conversion of a result to text.

#include <cstdint>
#include <functional>
#include <string>

#include "data/lx_collection.h"
#include "platform/rtl/variant.h"

class TlxCustomDataController;
class TlxCustomDataField;
class TlxDataSummary;
class TlxDataSummaryGroup;
class TlxDataSummaryItem;
class TlxDataSummaryItems;

enum TlxSummaryKind : uint8_t { skNone = 0, skSum = 1, skMin = 2, skMax = 3, skCount = 4, skAverage = 5 };
enum TlxSummaryPosition : uint8_t { spGroup = 0, spFooter = 1 };

struct TlxSummaryEventArguments {
  int32_t RecordIndex = -1;
  TlxDataSummaryItem* SummaryItem = nullptr;
};

struct TlxSummaryEventOutArguments {
  Variant Value;
  Variant SummaryValue;
  int32_t CountValue = 0;
  bool Done = false;
};

using TlxDataSummaryItemGetTextEvent =
    std::function<void(TlxDataSummaryItem* Sender, const Variant& AValue, bool AIsFooter, std::string& AText)>;
using TlxSummaryEvent = std::function<void(TlxDataSummaryItems* ASender, const TlxSummaryEventArguments& Arguments,
                                           TlxSummaryEventOutArguments& OutArguments)>;

// An item tied to one column through the column's data field.
class TlxCustomDataSummaryItem : public TCollectionItem {
 public:
  static constexpr TClass kClass{"TlxCustomDataSummaryItem", &TCollectionItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TCollectionItem::TCollectionItem;

  // The virtual operations, in the order of their slots.
  virtual TlxCustomDataController* OwnerDataController() const = 0;
  virtual void FieldChanging(TlxCustomDataField*) {}

  TlxCustomDataField* Field() const { return field_; }
  // The column object behind the field; null without a field.
  TObject* LinkedItem() const;
  void SetLinkedItem(TObject* item);
  // Drops the field without the collection bracket (the field is going away).
  void ForgetField() { field_ = nullptr; }

 protected:
  // Stores `field` inside a collection bracket and reports a change of all items.
  void ChangeField(TlxCustomDataField* field);

 private:
  TlxCustomDataField* field_ = nullptr;
};

class TlxDataSummaryItem : public TlxCustomDataSummaryItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDataSummaryItem", &TlxCustomDataSummaryItem::kClass,
                                 &ConstructInstance<TlxDataSummaryItem>, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataSummaryItem(TCollection* collection);
  ~TlxDataSummaryItem() override;

  TlxCustomDataController* OwnerDataController() const override;

  // The virtual operations added here, in the order of their slots.
  virtual bool IsCurrencyType(TVarType type) const;
  virtual bool IsCalculable() const;
  virtual bool PositionNeedsStoring() const;
  virtual TlxCustomDataField* GetValueField() const { return Field(); }
  virtual void FormatValue(const Variant& value, bool is_footer, std::string& text);

  // 1 currency, 2 date, 0 anything else.
  int32_t ValueFormatKind(TVarType type) const;
  TlxDataSummaryItems& Items() const;

  const std::string& Format() const { return format_; }
  void SetFormat(const std::string& value);
  TlxSummaryKind Kind() const { return kind_; }
  void SetKind(TlxSummaryKind value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TlxSummaryPosition Position() const;
  void SetPosition(TlxSummaryPosition value);
  // The position as stored, whatever the collection says.
  TlxSummaryPosition OwnPosition() const { return position_; }

  void CopyFrom(const TlxDataSummaryItem& source);
  void Assign(const TPersistent* source) override;

  TlxDataSummaryItemGetTextEvent OnGetText;

 protected:
  void DoGetText(const Variant& value, bool is_footer, std::string& text);

 private:
  std::string format_;
  TlxSummaryKind kind_ = skNone;
  bool sorted_ = false;
  TlxSummaryPosition position_ = spGroup;
};

class TlxDataSummaryItems : public TlxCollection {
 public:
  static constexpr TClass kClass{"TlxDataSummaryItems", &TlxCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDataSummaryItems(TlxDataSummary* summary, const TClass& item_class);

  // The virtual operations added here, in the order of their slots.
  virtual void BeforeSortedChange(TlxDataSummaryItem*, bool) {}
  virtual TlxSummaryPosition PositionOfItem(const TlxDataSummaryItem& item) const { return item.OwnPosition(); }
  virtual bool ItemPositionNeedsStoring(const TlxDataSummaryItem& item) const { return item.OwnPosition() != spGroup; }
  // Bits of `flags`: 1 Format, 2 Kind, 4 Sorted.
  virtual bool AreRequestedPropertiesBlank(uint8_t flags, const std::string& format, TlxSummaryKind kind,
                                           bool sorted) const;
  virtual void CopyEvents(const TlxDataSummaryItems& source) { OnSummary = source.OnSummary; }
  // `value_kind`: 1 currency, 2 date, 0 anything else.
  virtual std::string GetDefaultFormat(int32_t value_kind, TlxSummaryKind kind, bool is_footer) const;
  virtual void BuildValuesText(const Variant&, std::string& text) { text.clear(); }
  virtual TlxDataSummaryItem* FindItemForDataItem(int32_t item_index, TlxSummaryPosition position, bool use_kind,
                                                  TlxSummaryKind kind) const;

  TlxDataSummary& Summary() const { return summary_; }
  TlxCustomDataController& DataController() const;
  TlxDataSummaryItem* ItemAt(int32_t index) const { return static_cast<TlxDataSummaryItem*>(Items(index)); }
  TlxDataSummaryItem* AddSummaryItem() { return static_cast<TlxDataSummaryItem*>(Add()); }
  TlxDataSummaryItem* AddItem(TObject* item_object, TlxSummaryPosition position, TlxSummaryKind kind,
                              const std::string& format);
  TlxDataSummaryItem* AddDefaultItem(int32_t item_index, TlxSummaryPosition position);

  std::string GetFormatForItem(int32_t item_index, TlxSummaryPosition position) const;
  TlxSummaryKind GetKindForItem(int32_t item_index, TlxSummaryPosition position) const;
  bool GetSortedForItem(int32_t item_index, TlxSummaryPosition position) const;
  void SetFormatForItem(int32_t item_index, TlxSummaryPosition position, const std::string& value);
  void SetKindForItem(int32_t item_index, TlxSummaryPosition position, TlxSummaryKind value);
  void SetSortedForItem(int32_t item_index, TlxSummaryPosition position, bool value);

  int32_t IndexOfItemLink(const TObject* item_object) const;
  TlxDataSummaryItem* ItemOfItemLink(const TObject* item_object) const;
  int32_t IndexOfField(const TlxCustomDataField* field) const;
  TlxDataSummaryItem* ItemOfField(const TlxCustomDataField* field) const;

  void CopyFrom(const TPersistent* source);
  void Assign(const TPersistent* source) override { CopyFrom(source); }

  TlxSummaryEvent OnSummary;

 protected:
  void Update(TCollectionItem* item) override;

 private:
  void SetPropertiesForItem(int32_t item_index, TlxSummaryPosition position, uint8_t flags, const std::string& format,
                            TlxSummaryKind kind, bool sorted);
  static void ApplyProperties(TlxDataSummaryItem& item, uint8_t flags, const std::string& format,
                              TlxSummaryKind kind, bool sorted);
  void FreeIfBlank(TlxDataSummaryItem* item);

  TlxDataSummary& summary_;
};

// Every item of a footer collection sits in the footer.
class TlxDataFooterSummaryItems : public TlxDataSummaryItems {
 public:
  static constexpr TClass kClass{"TlxDataFooterSummaryItems", &TlxDataSummaryItems::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxDataSummaryItems::TlxDataSummaryItems;

  TlxSummaryPosition PositionOfItem(const TlxDataSummaryItem&) const override { return spFooter; }
  bool ItemPositionNeedsStoring(const TlxDataSummaryItem&) const override { return false; }
};

class TlxDataGroupSummaryItems : public TlxDataSummaryItems {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDataGroupSummaryItems", &TlxDataSummaryItems::kClass, nullptr, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  // `group` holds the collection; null for the default group items.
  TlxDataGroupSummaryItems(TlxDataSummary* summary, const TClass& item_class, TlxDataSummaryGroup* group);

  void BeforeSortedChange(TlxDataSummaryItem* item, bool value) override;
  void BuildValuesText(const Variant& values, std::string& text) override;

  TlxDataSummaryItem* SortingSummaryItem() const;
  TlxDataSummaryGroup* Group() const { return group_; }
  const std::string& BeginText() const { return begin_text_; }
  void SetBeginText(const std::string& value) { SetText(begin_text_, value); }
  const std::string& EndText() const { return end_text_; }
  void SetEndText(const std::string& value) { SetText(end_text_, value); }
  const std::string& Separator() const { return separator_; }
  void SetSeparator(const std::string& value) { SetText(separator_, value); }

  void CopyFrom(const TPersistent* source);
  void Assign(const TPersistent* source) override { CopyFrom(source); }

 private:
  void SetText(std::string& target, const std::string& value);

  std::string begin_text_ = "(";
  std::string end_text_ = ")";
  std::string separator_ = ",";
  TlxDataSummaryGroup* group_;
};

// Links one column to a summary group; a column belongs to one group at most.
class TlxDataSummaryGroupItemLink : public TlxCustomDataSummaryItem {
 public:
  static constexpr TClass kClass{"TlxDataSummaryGroupItemLink", &TlxCustomDataSummaryItem::kClass,
                                 &ConstructInstance<TlxDataSummaryGroupItemLink>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomDataSummaryItem::TlxCustomDataSummaryItem;

  TlxCustomDataController* OwnerDataController() const override;
  void FieldChanging(TlxCustomDataField* field) override;
  void Assign(const TPersistent* source) override;
};

class TlxDataSummaryGroupItemLinks : public TCollection {
 public:
  static constexpr TClass kClass{"TlxDataSummaryGroupItemLinks", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxDataSummaryGroupItemLinks(TlxDataSummaryGroup& group, const TClass& link_class);

  TlxDataSummaryGroup& SummaryGroup() const { return group_; }
  TlxDataSummaryGroupItemLink* LinkAt(int32_t index) const {
    return static_cast<TlxDataSummaryGroupItemLink*>(Items(index));
  }
  TlxDataSummaryGroupItemLink* AddLink() { return static_cast<TlxDataSummaryGroupItemLink*>(Add()); }
  int32_t IndexOfItem(const TObject* item_object) const;
  int32_t IndexOfField(const TlxCustomDataField* field) const;

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TlxDataSummaryGroup& group_;
};

class TlxDataSummaryGroups;

class TlxDataSummaryGroup : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDataSummaryGroup", &TCollectionItem::kClass,
                                 &ConstructInstance<TlxDataSummaryGroup>, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataSummaryGroup(TCollection* collection);
  ~TlxDataSummaryGroup() override;

  TlxDataSummaryGroups& Groups() const;
  // Created on first use.
  TlxDataSummaryGroupItemLinks& Links();
  bool HasLinks() const { return links_ != nullptr; }
  // Created once the group belongs to its collection.
  TlxDataGroupSummaryItems& SummaryItems() const;
  void CopyFrom(const TlxDataSummaryGroup& source);
  void Assign(const TPersistent* source) override;

 private:
  std::unique_ptr<TlxDataSummaryGroupItemLinks> links_;
  mutable std::unique_ptr<TlxDataGroupSummaryItems> summary_items_;
};

class TlxDataSummaryGroups : public TlxCollection {
 public:
  static constexpr TClass kClass{"TlxDataSummaryGroups", &TlxCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataSummaryGroups(TlxDataSummary* summary);

  TlxDataSummary& Summary() const { return summary_; }
  TlxDataSummaryGroup* AddGroup() { return static_cast<TlxDataSummaryGroup*>(Add()); }
  TlxDataSummaryGroup* GroupAt(int32_t index) const { return static_cast<TlxDataSummaryGroup*>(Items(index)); }
  TlxDataSummaryGroup* GroupForItemLink(const TObject* item_object) const;

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TlxDataSummary& summary_;
};
