#pragma once
// TlxRadioGroup: the stand-alone radio group editor. Its children are
// radio buttons, one per item; the checked child and the edit value follow
// each other both ways, and the children's focus, keys and clicks run
// through the group's data flow (change events, modified state, posting).

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/container_routines_win.h"
#include "editors/kinds/button_group_win.h"
#include "editors/kinds/radio_button_win.h"
#include "editors/kinds/radio_group_properties.h"
#include "editors/kinds/radio_group_view_win.h"

class TlxCustomRadioGroup;

// One child button of a radio group; the group creates and frees it. As
// an inner control of its group it draws its caption in the colour the
// group's style gives it, also when disabled.
class TlxCustomRadioGroupButton : public TlxRadioButton, public IlxContainerInnerControl {
 public:
  static constexpr TClass kClass{"TlxCustomRadioGroupButton", &TlxRadioButton::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomRadioGroupButton(TlxCustomRadioGroup* group);
  ~TlxCustomRadioGroupButton() override;

  TlxCustomRadioGroup& Group() const { return *group_; }

  // IlxContainerInnerControl.
  TlxContainer* GetControlContainer() override;
  TWinControl* GetControl() override { return this; }
  // Checking through here (rather than the toolkit's SetChecked) tells
  // the group when the child became checked by itself.
  void SetChecked(bool value);
  // The group's own checking: the child does not report back.
  void SetCheckedByGroup(bool value);

  bool IsInplace() const override;
  bool UsesParentBackground() override;
  bool IsNativeStyle() override;
  bool IsTransparent() const override;
  bool HasTransparentBackground() override;
  void DrawBackground() override;
  bool CanFocus() const override;
  void Click() override;

 protected:
  void ButtonClicked() override;
  void AccelPressed() override;
  void DoEnter() override;
  void DoExit() override;
  void KeyPress(char16_t& key) override;
  void WndProc(TMessage& message) override;

 private:
  // A button notification reaches the toolkit only when the child is
  // checked or the group's value may change.
  bool MayTakeClick();

  TlxCustomRadioGroup* group_;
  bool left_press_ = false;
  bool checked_by_group_ = false;
  bool in_command_ = false;
  bool suppress_click_ = false;
};

class TlxCustomRadioGroup : public TlxCustomButtonGroup {
 public:
  static constexpr TClass kClass{"TlxCustomRadioGroup", &TlxCustomButtonGroup::kClass,
                                 &ConstructInstance<TlxCustomRadioGroup>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomRadioGroup(TComponent* owner)
      : TlxCustomRadioGroup(owner, TlxCustomRadioGroupProperties::kClass) {}

  TlxCustomRadioGroupProperties& RadioProperties() const {
    return static_cast<TlxCustomRadioGroupProperties&>(*GetActiveProperties());
  }
  TlxCustomRadioGroupButton& RadioButton(int32_t index) const {
    return static_cast<TlxCustomRadioGroupButton&>(*Button(index));
  }

  // The first checked child, else -1.
  int32_t GetCheckedButtonIndex() const;
  bool IsLoadingOrUpdating() const;
  bool IsDesigningGroup() const { return ComponentState().Contains(csDesigning); }
  // While loading or designing the stored index; otherwise the checked
  // child.
  int32_t GetItemIndex() const;
  // Clamped to -1 .. child count - 1.
  void SetItemIndex(int32_t value);
  void StoreValueAndSelect(const Variant& value, bool is_user_action, bool from_button);
  void SelectButton(int32_t index, bool from_button);
  // A child became checked by a click, the keyboard or its entering.
  void ButtonChecked(TlxCustomRadioGroupButton* button);
  void SynchronizeAfterLoad();
  // The group or one of its children has the focus.
  bool CountsAsFocused();
  bool ChildPaintsBackground() const { return child_background_; }
  // Only the checked child is a tab stop, and the group while none is.
  void RefreshTabStops();
  // What the children hand on to the group.
  void ChildFocusChanged() { FocusChanged(); }
  void ChildClicked() { Click(); }
  bool ChildUsesParentBackground() const { return UsesParentBackground(); }

  void Clear() override { SetItemIndex(-1); }
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void Activate(std::unique_ptr<TlxCustomEditData>& edit_data) override;
  bool IsPaintingCopy() override { return !child_background_ && TlxCustomButtonGroup::IsPaintingCopy(); }
  bool IsFocusedNow() override;
  HDC GetButtonDC(int32_t index) override;
  TWinControl* CreateButton() override;
  void UpdateButtonStyles() override;
  void UpdateButtons() override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetFocus() override;

 protected:
  TlxCustomRadioGroup(TComponent* owner, const TClass& properties_class);

  void StoreEditValue(const Variant& value, bool is_user_action) override;
  void Loaded() override;
  void WndProc(TMessage& message) override;

 private:
  bool FocusFirstChildByAccelerator();

  int32_t stored_item_index_ = -1;
  bool child_background_ = false;
  bool synchronizing_after_load_ = false;
};

class TlxRadioGroup : public TlxCustomRadioGroup {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxRadioGroup", &TlxCustomRadioGroup::kClass, &ConstructInstance<TlxRadioGroup>,
                                 &TlxRadioGroup::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxRadioGroup(TComponent* owner) : TlxCustomRadioGroup(owner, TlxRadioGroupProperties::kClass) {}

  TlxRadioGroupProperties& GetProperties() const {
    return static_cast<TlxRadioGroupProperties&>(RadioProperties());
  }
};
