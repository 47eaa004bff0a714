#pragma once
// TlxMRUEdit: a free-text combo box that remembers what the user entered.
// Every accepted text goes to the top of its drop-down list (the text
// editor's lookup items), the list can be limited to MaxItemCount items,
// and an ellipsis button beside the drop-down button has an event of its
// own.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "editors/combo_box_win.h"
#include "editors/kinds/mru_list.h"

class TlxCustomMRUEditProperties;

using TlxMRUEditDeleteLookupItemEvent = std::function<void(TlxCustomMRUEditProperties* properties, int32_t index)>;

class TlxCustomMRUEditProperties : public TlxCustomComboBoxProperties {
 public:
  static constexpr TClass kClass{"TlxCustomMRUEditProperties", &TlxCustomComboBoxProperties::kClass,
                                 &ConstructInstance<TlxCustomMRUEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  // The ellipsis button.
  static constexpr int32_t kEllipsisButton = 1;

  explicit TlxCustomMRUEditProperties(TPersistent* owner);

  // Virtual operations, in the order of their slots.
  virtual void DoNewLookupDisplayText(const std::string& text);
  // The most-recently-used rule of mru_list.h on the lookup items.
  virtual void AddItem(const std::string& text, bool fire_new = true);

  void Assign(const TPersistent* source) override;
  void Changed() override;
  const TClass* GetEditControlClass() const override;
  // An in-place editor hands its list back to the column.
  void PropagateTo(TlxCustomEditProperties* properties) const override;

  int32_t MaxItemCount() const { return max_item_count_; }
  // Negative counts are stored as 0 (no limit); the list is cut at once.
  void SetMaxItemCount(int32_t value);
  bool ShowEllipsis() const { return show_ellipsis_; }
  void SetShowEllipsis(bool value);

  TNotifyEvent OnButtonClick;
  TlxMRUEditDeleteLookupItemEvent OnDeleteLookupItem;

 private:
  TlxMRUListEvents ListEvents();
  void UpdateButtonKinds();

  int32_t max_item_count_ = 0;
  bool show_ellipsis_ = true;
  bool updating_buttons_ = false;
};

class TlxMRUEditProperties : public TlxCustomMRUEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMRUEditProperties", &TlxCustomMRUEditProperties::kClass,
                                 &ConstructInstance<TlxMRUEditProperties>, &TlxMRUEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomMRUEditProperties::TlxCustomMRUEditProperties;
};

class TlxCustomMRUEdit : public TlxCustomComboBox {
 public:
  static constexpr TClass kClass{"TlxCustomMRUEdit", &TlxCustomComboBox::kClass, &ConstructInstance<TlxCustomMRUEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomMRUEdit(TComponent* owner) : TlxCustomMRUEdit(owner, TlxCustomMRUEditProperties::kClass) {}

  // Virtual operations, in the order of their slots.
  // A text not yet in the list fires the new-text notice, then goes to the top.
  virtual void AddItemText(const std::string& text);

  TlxCustomMRUEditProperties* ActiveMRUProperties() const {
    return static_cast<TlxCustomMRUEditProperties*>(GetActiveProperties());
  }

  void FireButtonClick(int32_t button_index) override;
  void ApplyLookupSelection(TObject* sender) override;
  // A choice accepted from the open list goes to the top as well.
  void CloseUp(int32_t reason) override;
  void CommitDisplayValue(const Variant& display_value) override;
  bool CanEditText() override { return AllowsTextEditing(); }

 protected:
  TlxCustomMRUEdit(TComponent* owner, const TClass& properties_class);

  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;

 private:
  bool adding_ = false;
};

class TlxMRUEdit : public TlxCustomMRUEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxMRUEdit", &TlxCustomMRUEdit::kClass, &ConstructInstance<TlxMRUEdit>,
                                 &TlxMRUEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxMRUEdit(TComponent* owner) : TlxCustomMRUEdit(owner, TlxMRUEditProperties::kClass) {}

  TlxMRUEditProperties* GetProperties() const { return static_cast<TlxMRUEditProperties*>(Properties()); }
  void SetProperties(const TlxMRUEditProperties* value) { AssignOwnProperties(value); }
};

void lxMRUEditModuleStart();
void lxMRUEditModuleEnd();
