#pragma once
// The button group: a group box that shows its items as buttons in
// columns. These are its settings, its items and the arithmetic of its
// layout and keyboard moves, without a window. The kind of button (radio
// buttons, in this library) is left to a derived kind. Portable; the view
// and the control live in button_group_win.h.

#include <cstdint>
#include <memory>
#include <string>

#include "editors/kinds/check_states.h"
#include "editors/kinds/group_box_properties.h"
#include "platform/rtl/collection.h"

class TlxButtonGroupItems;
class TlxCustomButtonGroupProperties;

class TlxButtonGroupItem : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxButtonGroupItem", &TCollectionItem::kClass,
                                 &ConstructInstance<TlxButtonGroupItem>, &TlxButtonGroupItem::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxButtonGroupItem(TCollection* collection) : TCollectionItem(collection) {}

  // From another button group item: Caption, Enabled and Tag.
  void Assign(const TPersistent* source) override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value);

 protected:
  // Tells the collection that this item alone changed.
  void ReportChanged() { Changed(false); }

 private:
  std::string caption_;
  bool enabled_ = true;
  int32_t tag_ = 0;
};

// What the last single-item report of the collection was about.
enum class TlxButtonGroupChange : uint8_t { kAdded, kRemoved, kChanged };

// The items of a button group. Besides the whole-collection notification
// it records single-item changes, so that a control can add or free just
// the child button concerned.
class TlxButtonGroupItems : public TCollection, public IlxCheckStateItemSource {
 public:
  static constexpr TClass kClass{"TlxButtonGroupItems", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxButtonGroupItems(TlxCustomButtonGroupProperties* owner, const TClass& item_class);
  ~TlxButtonGroupItems() override;

  TlxButtonGroupItem* Add() { return static_cast<TlxButtonGroupItem*>(TCollection::Add()); }
  TlxButtonGroupItem* GetItem(int32_t index) const { return static_cast<TlxButtonGroupItem*>(Items(index)); }

  int32_t ChangedIndex() const { return changed_index_; }
  TlxButtonGroupChange ChangeKind() const { return change_kind_; }
  // True only while the owner is told of one item's change.
  bool Notifying() const { return notifying_; }

  // IlxCheckStateItemSource.
  int32_t GetCheckItemCount() const override { return Count(); }
  std::string GetCheckItemCaption(int32_t index) const override { return GetItem(index)->Caption(); }

 protected:
  void Update(TCollectionItem* item) override;
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  void ReportItemChange(int32_t index, TlxButtonGroupChange kind);

  TlxCustomButtonGroupProperties* owner_;
  int32_t changed_index_ = -1;
  TlxButtonGroupChange change_kind_ = TlxButtonGroupChange::kChanged;
  bool notifying_ = false;
  bool destroying_ = false;
};

class TlxCustomButtonGroupProperties : public TlxCustomGroupBoxProperties {
 public:
  static constexpr TClass kClass{"TlxCustomButtonGroupProperties", &TlxCustomGroupBoxProperties::kClass,
                                 &ConstructInstance<TlxCustomButtonGroupProperties>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomButtonGroupProperties(TPersistent* owner);
  ~TlxCustomButtonGroupProperties() override;

  // Virtual operations, in the order of their slots.
  virtual std::unique_ptr<TlxButtonGroupItems> CreateItems();
  // The columns actually used: never more than the rows need.
  virtual int32_t GetColumnCount() const;

  // Asked only with at least one item.
  int32_t GetRowCount() const;

  int32_t Columns() const { return columns_; }
  // Values below 1 become 1.
  void SetColumns(int32_t value);
  TlxButtonGroupItems& Items() const { return *items_; }
  TPersistent* ItemsObject() const { return items_.get(); }
  void SetItems(const TlxButtonGroupItems& value) { items_->Assign(&value); }
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value) { Store(word_wrap_, value); }

  void Assign(const TPersistent* source) override;
  // A sample with three items "A", "B" and "C" in three columns.
  std::unique_ptr<TlxCustomEditProperties> CreateSameKind() const override;
  uint32_t GetEditorKindFlags() const override { return TlxCustomGroupBoxProperties::GetEditorKindFlags() | 2u; }
  uint32_t GetEditCapabilities() const override;
  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;

 protected:
  // Kinds with their own item class replace the items from their
  // constructor, before anything is added.
  void ReplaceItems(std::unique_ptr<TlxButtonGroupItems> items);

 private:
  int32_t columns_ = 1;
  std::unique_ptr<TlxButtonGroupItems> items_;
  bool word_wrap_ = false;
};

// The column count for `columns` requested and `item_count` items: a
// column count that would leave columns empty shrinks to what the rows
// fill (five items in four columns use three of two rows).
int32_t lxButtonGroupColumnCount(int32_t columns, int32_t item_count);
// Rows for `item_count` items in `column_count` columns (both above 0).
int32_t lxButtonGroupRowCount(int32_t item_count, int32_t column_count);

// The figures of the layout of the buttons in the content rectangle.
struct TlxButtonGroupGrid {
  TRect Content;  // the bounds less the content extent
  int32_t Columns = 1;
  int32_t Rows = 1;
  int32_t ColumnOffset = 0;
  int32_t ColumnCorrection = 0;
  int32_t ColumnSpacing = 0;
};
// The button of item `index`: buttons run down the first column, then
// down the next; a height that does not divide by the rows leaves the
// remainder split above and below, the smaller half above.
TRect lxButtonGroupButtonBounds(const TlxButtonGroupGrid& grid, int32_t index);

enum class TlxButtonGroupMove : uint8_t { kLeft, kUp, kRight, kDown };
// The button the arrow keys move the focus to from `focused`, or -1 when
// the focus stays.
int32_t lxButtonGroupMoveFocus(int32_t focused, int32_t item_count, int32_t rows, TlxButtonGroupMove move);
