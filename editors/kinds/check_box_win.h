#pragma once
// TlxCheckBox: the stand-alone check box editor, and the grid's in-place
// one. Its edit value is one of its properties' three values; the user
// toggles it with the mouse on the check or with Space.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/edit_control_win.h"
#include "editors/kinds/check_box_action_link_win.h"
#include "editors/kinds/check_box_properties.h"
#include "editors/kinds/check_box_view_win.h"

class TlxCustomCheckBox : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TlxCustomCheckBox", &TlxCustomEdit::kClass, &ConstructInstance<TlxCustomCheckBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCheckBox(TComponent* owner) : TlxCustomCheckBox(owner, TlxCustomCheckBoxProperties::kClass) {}

  // The user's change of the state.
  virtual void Toggle();
  virtual std::unique_ptr<TlxCheckBoxActionLink> CreateActionLink() {
    return std::make_unique<TlxCheckBoxActionLink>(this);
  }

  TBasicAction* Action() const { return action_link_ ? action_link_->Action() : nullptr; }
  // Caption and enabled state follow the action, and its Checked the box
  // (unless a state was given while loading).
  void SetAction(TBasicAction* action);
  TlxCheckBoxActionLink* ActionLink() const { return action_link_.get(); }
  // State needs no storing while a custom action's Checked gives it.
  bool StateNeedsStoring() const;

  TlxCustomCheckBoxProperties& CheckProperties() const;
  // The check state of the edit value.
  TlxCheckBoxState State() const;
  // While the owner loads, only remembered.
  void SetState(TlxCheckBoxState value);
  bool Checked() const { return State() == cbsChecked; }
  void SetChecked(bool value) { SetState(value ? cbsChecked : cbsUnchecked); }
  bool IsKeyboardPressed() const { return keyboard_press_; }
  TlxCustomCheckBoxViewInfo& CheckViewInfo() const { return static_cast<TlxCustomCheckBoxViewInfo&>(GetViewInfo()); }

  void Clear() override { SetChecked(false); }
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;

 protected:
  TlxCustomCheckBox(TComponent* owner, const TClass& properties_class);

  void StoreEditValue(const Variant& value, bool is_user_action) override;
  bool ClickDuringLoad() const override { return IsDataAware(); }
  bool UsesParentBackground() const override;
  void ProcessButtonStateChange(const TlxCustomEditViewInfo& old_view_info) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyPress(char16_t& key) override;
  void ProcessEditKeyUp(uint16_t& key, TShiftState shift) override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  void DoExit() override;
  void Loaded() override;
  void WndProc(TMessage& message) override;

 private:
  void RefreshCheck();
  // False when the control went in a handler.
  bool ClickAndFireChange();

  std::unique_ptr<TlxCheckBoxActionLink> action_link_;
  bool keyboard_press_ = false;
  bool loading_ = false;
  bool state_assigned_while_loading_ = false;
  TlxCheckBoxState loading_state_ = cbsUnchecked;
};

class TlxCheckBox : public TlxCustomCheckBox {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCheckBox", &TlxCustomCheckBox::kClass, &ConstructInstance<TlxCheckBox>,
                                 &TlxCheckBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCheckBox(TComponent* owner) : TlxCustomCheckBox(owner, TlxCheckBoxProperties::kClass) {}
};
