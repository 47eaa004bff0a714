#pragma once
// A small component for the filter builder's tests: items with captions,
// ids, names, editor properties and value types, and a criteria of its own
// whose conditions refer to those items. Text is measured with fixed
// character cells, so layout results are plain arithmetic.

#include <memory>
#include <string>
#include <vector>

#include "data/filter_criteria.h"
#include "data/value_types.h"
#include "editors/edit_properties.h"
#include "editors/kinds/filter_builder.h"

namespace filter_builder_test {

// Properties of a kind that can be filtered and shows values as text.
class TTextProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TTextProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TTextProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditProperties::TlxCustomEditProperties;
  uint32_t GetEditCapabilities() const override {
    return TlxCustomEditProperties::GetEditCapabilities() | kLxEditCapFiltering;
  }
  void FormatDisplayText(const Variant& value, std::string& text, bool /*full_text*/) const override {
    text = value.IsNull() ? std::string() : value.AsString();
  }
};

class TItem : public TObject {
 public:
  TItem(int32_t item_id, std::string item_name, std::string item_caption, TlxValueTypeClass item_type)
      : id(item_id), name(std::move(item_name)), caption(std::move(item_caption)), value_type(item_type) {}
  int32_t id;
  std::string name;
  std::string caption;
  TlxValueTypeClass value_type;
  std::unique_ptr<TlxCustomEditProperties> properties = std::make_unique<TTextProperties>(nullptr);
};

class TLink;

class TLinkCondition : public TlxFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TLinkCondition", &TlxFilterCriteriaItem::kClass, &ConstructInstance<TLinkCondition>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterCriteriaItem::TlxFilterCriteriaItem;
  Variant GetRecordValue(int32_t) override { return Variant::Null(); }
  std::string GetFieldCaption() const override { return static_cast<const TItem*>(ItemLink())->caption; }
  std::string GetFieldName() const override { return static_cast<const TItem*>(ItemLink())->name; }
};

// The component's own criteria.
class TLinkCriteria : public TlxFilterCriteria {
 public:
  static constexpr TClass kClass{"TLinkCriteria", &TlxFilterCriteria::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TLinkCriteria(const std::vector<std::unique_ptr<TItem>>& items) : items_(items) { SetVersion(3); }

  int32_t GetItemLinkId(TObject* link) const override { return static_cast<TItem*>(link)->id; }
  std::string GetItemLinkName(TObject* link) const override { return static_cast<TItem*>(link)->name; }
  const TClass* ConditionItemClass() const override { return &TLinkCondition::kClass; }
  TObject* FindItemLinkById(int32_t id) const override {
    for (const auto& item : items_)
      if (item->id == id)
        return item.get();
    return nullptr;
  }
  TObject* FindItemLinkByName(const std::string& name) const override {
    for (const auto& item : items_)
      if (!name.empty() && item->name == name)
        return item.get();
    return nullptr;
  }

 private:
  const std::vector<std::unique_ptr<TItem>>& items_;
};

class TLink : public IlxFilterControl {
 public:
  TLink() : criteria(std::make_unique<TLinkCriteria>(items)) {}

  TItem* Add(int32_t id, const std::string& caption, TlxValueTypeClass type) {
    items.push_back(std::make_unique<TItem>(id, "F" + std::to_string(id), caption, type));
    return items.back().get();
  }

  void GetCaption(int32_t index, std::string& caption) override { caption = items.at(index)->caption; }
  int32_t GetCount() override { return static_cast<int32_t>(items.size()); }
  TlxFilterCriteria* GetCriteria() override { return criteria.get(); }
  TObject* GetItemLink(int32_t index) override { return items.at(index).get(); }
  int32_t GetItemLinkID(int32_t index) override { return items.at(index)->id; }
  void GetItemLinkName(int32_t index, std::string& name) override { name = items.at(index)->name; }
  void GetFieldName(int32_t index, std::string& name) override { name = items.at(index)->name; }
  TlxCustomEditProperties* GetProperties(int32_t index) override { return items.at(index)->properties.get(); }
  TlxValueTypeClass GetValueType(int32_t index) override { return items.at(index)->value_type; }

  std::vector<std::unique_ptr<TItem>> items;
  std::unique_ptr<TLinkCriteria> criteria;
};

// Every character is kCharWidth wide; the control font's lines are
// kTextHeight high, the part fonts' one pixel more.
class TCellMeasurer : public IlxFilterTextMeasurer {
 public:
  static constexpr int32_t kCharWidth = 6;
  static constexpr int32_t kTextHeight = 13;

  TSize TextExtent(int32_t font, std::string_view text) override {
    return {static_cast<int32_t>(text.size()) * kCharWidth, font == kLxFilterControlFont ? kTextHeight : kTextHeight + 1};
  }
  int32_t EditorTextHeight() override { return kTextHeight + 4; }
  TSize MeasureOperand(TlxConditionViewInfo& condition, TlxValueInfo& value, bool /*highlighted*/) override {
    const std::string text = value.Value.IsNull() ? condition.Control()->NullString() : value.OperandText;
    return {static_cast<int32_t>(text.size()) * kCharWidth + 4, kTextHeight + 2};
  }
  void PlaceOperand(TlxConditionViewInfo&, TlxValueInfo&, bool) override {}
};

// A builder on a 400 x 300 client area linked to three items: a text
// "Name", an integer "Size" and a text "Art".
struct TBuilderFixture {
  TBuilderFixture() : host(Rect(0, 0, 400, 300)), builder(host, measurer) {
    name = link.Add(1, "Name", &StatelessInstance<TlxStringValueType>());
    size = link.Add(2, "Size", &StatelessInstance<TlxIntegerValueType>());
    art = link.Add(3, "Art", &StatelessInstance<TlxStringValueType>());
  }

  TlxWindowlessFilterBuilderHost host;
  TCellMeasurer measurer;
  TLink link;
  TlxFilterBuilder builder;
  TItem* name = nullptr;
  TItem* size = nullptr;
  TItem* art = nullptr;
};

}  // namespace filter_builder_test
