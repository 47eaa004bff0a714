#pragma once
// The radio group editor kind's properties: a button group whose buttons
// are radio buttons. At most one item is selected, and the edit value is
// the selected item's value (or its caption when it has none). Portable;
// the view and the control live in radio_group_view_win.h and
// radio_group_win.h.

#include <cstdint>
#include <memory>
#include <string>

#include "editors/filter_edit_helper.h"
#include "editors/kinds/button_group_properties.h"
#include "platform/rtl/variant.h"

class TlxRadioGroupItem : public TlxButtonGroupItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxRadioGroupItem", &TlxButtonGroupItem::kClass,
                                 &ConstructInstance<TlxRadioGroupItem>, &TlxRadioGroupItem::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxRadioGroupItem(TCollection* collection) : TlxButtonGroupItem(collection) {}

  // From another radio group item: Value, then the button item's fields.
  void Assign(const TPersistent* source) override;

  const Variant& Value() const { return value_; }
  // Reports a change only when the value differs in type or value.
  void SetValue(const Variant& value);

 private:
  Variant value_ = Variant::Null();
};

class TlxRadioGroupItems : public TlxButtonGroupItems {
 public:
  static constexpr TClass kClass{"TlxRadioGroupItems", &TlxButtonGroupItems::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxButtonGroupItems::TlxButtonGroupItems;

  TlxRadioGroupItem* Add() { return static_cast<TlxRadioGroupItem*>(TCollection::Add()); }
  TlxRadioGroupItem* GetItem(int32_t index) const { return static_cast<TlxRadioGroupItem*>(Items(index)); }
};

class TlxCustomRadioGroupProperties : public TlxCustomButtonGroupProperties {
 public:
  static constexpr TClass kClass{"TlxCustomRadioGroupProperties", &TlxCustomButtonGroupProperties::kClass,
                                 &ConstructInstance<TlxCustomRadioGroupProperties>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomRadioGroupProperties(TPersistent* owner);

  // The first item the value stands for: an item without a Value by its
  // Caption (case-sensitive), an item with one by the Boolean-aware
  // equality; -1 when none does.
  int32_t GetItemIndexOfValue(const Variant& value) const;
  // The edit value of item `index`: its Value, or its Caption when it has
  // none; DefaultValue for -1 and for indices past the items.
  Variant GetItemValue(int32_t index) const;

  TlxRadioGroupItems& RadioItems() const { return static_cast<TlxRadioGroupItems&>(Items()); }
  const std::string& DefaultCaption() const { return default_caption_; }
  void SetDefaultCaption(const std::string& value) { Store(default_caption_, value); }
  const Variant& DefaultValue() const { return default_value_; }
  void SetDefaultValue(const Variant& value);
  bool DefaultCaptionNeedsStoring() const;

  std::unique_ptr<TlxButtonGroupItems> CreateItems() override;
  // Never 0, also without items.
  int32_t GetColumnCount() const override;

  void Assign(const TPersistent* source) override;
  bool HasDisplayValue() const override { return true; }
  bool FiresChangeIndependently() const override { return true; }
  bool TracksEditValueChanges() const override { return true; }
  bool CanRestoreEditValue() const override { return true; }
  // Equal when both select the same item.
  bool EditValuesEqual(const Variant& value1, const Variant& value2) const override;
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  // The item index, -1 when the value selects none.
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  uint32_t GetEditCapabilities() const override;
  const TClass* GetEditControlClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;

 private:
  std::string default_caption_;
  Variant default_value_ = Variant::Null();
};

class TlxRadioGroupProperties : public TlxCustomRadioGroupProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxRadioGroupProperties", &TlxCustomRadioGroupProperties::kClass,
                                 &ConstructInstance<TlxRadioGroupProperties>, &TlxRadioGroupProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomRadioGroupProperties::TlxCustomRadioGroupProperties;
};

// How a filter operand of a radio-group column is chosen: from a fixed
// list of the items' captions.
class TlxFilterRadioGroupHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterRadioGroupHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Equals, not equals, is blank and is not blank; extended also in and
  // not in.
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  bool UsesDisplayText() const override { return true; }

  // The list the operand is chosen from: the items' captions in order.
  static std::vector<std::string> GetItemTexts(const TlxCustomRadioGroupProperties& properties);
  // The operand of list entry `item_index`: the item's Value (Null without
  // one) and its Caption; -1 (or an index past the items) gives
  // DefaultValue and DefaultCaption.
  static void GetFilterValue(const TlxCustomRadioGroupProperties& properties, int32_t item_index, Variant& value,
                             std::string& display_text);
  // The list entry an operand selects: its item index, -1 for none.
  static int32_t ItemIndexOfValue(const TlxCustomRadioGroupProperties& properties, const Variant& value);
};

// The radio group module's start and end: the editor kind and its filter
// helper registered; the end unregisters only the helper.
void lxRadioGroupModuleStart();
void lxRadioGroupModuleEnd();
