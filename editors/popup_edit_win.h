#pragma once
// TlxPopupEdit: the drop-down editor whose popup hosts any control of the
// form, named by PopupControl. While the popup is open the control is
// taken from its parent into the popup and stretched over it; when the
// popup closes, or the editor goes with its popup open, exactly that
// control goes back with its old parent, alignment, bounds and visibility
// (also when PopupControl was changed or cleared meanwhile).

#include <windows.h>

#include "editors/drop_down_edit_win.h"
#include "platform/toolkit/form.h"

class TlxCustomPopupEditProperties : public TlxCustomDropDownEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomPopupEditProperties", &TlxCustomDropDownEditProperties::kClass,
                                 &ConstructInstance<TlxCustomPopupEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomPopupEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;
  void ComponentRemoved(TComponent* component) override;
  const TClass* GetEditControlClass() const override;
  bool ShowsLookupListInPopup() const override { return false; }
  const TClass* GetPopupWindowClass() const override { return &TlxPopupEditPopupWindow::kClass; }
  bool PopupCapturesFocus() const override { return true; }

  TControl* PopupControl() const { return popup_control_; }
  // Watched through the free notificator: a freed control clears it.
  void SetPopupControl(TControl* value);

 private:
  TControl* popup_control_ = nullptr;
};

class TlxPopupEditProperties : public TlxCustomPopupEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxPopupEditProperties", &TlxCustomPopupEditProperties::kClass,
                                 &ConstructInstance<TlxPopupEditProperties>, &TlxPopupEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPopupEditProperties(TPersistent* owner);
};

class TlxCustomPopupEdit : public TlxCustomDropDownEdit {
 public:
  static constexpr TClass kClass{"TlxCustomPopupEdit", &TlxCustomDropDownEdit::kClass,
                                 &ConstructInstance<TlxCustomPopupEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomPopupEdit(TComponent* owner)
      : TlxCustomPopupEdit(owner, TlxCustomPopupEditProperties::kClass) {}
  ~TlxCustomPopupEdit() override;

  // Virtual operations, in the order of their slots.
  virtual void SetCloseReasonAndClose(int32_t reason);
  virtual void RestorePopupControl();
  virtual void SavePopupControlState();

  bool CanDropDown() override;
  void DoInitPopup() override;
  TWinControl* GetPopupFocusedControl() override;
  TSize CalculatePopupContentSize() override;
  void PlacePopupContent(const TRect& client_rect) override;
  void PositionPopupWindow() override;
  void PopupWindowClosed(int32_t reason) override;

  TlxCustomPopupEditProperties* PopupEditProperties() const {
    return static_cast<TlxCustomPopupEditProperties*>(GetActiveProperties());
  }
  // The control in the popup now; null while none is hosted.
  TControl* HostedControl() const { return hosted_control_.Get(); }

 protected:
  TlxCustomPopupEdit(TComponent* owner, const TClass& properties_class);

 private:
  // The saved state of the hosted control.
  TWeakRef<TControl> hosted_control_;
  TAlign saved_align_ = alNone;
  TRect saved_bounds_;
  TWeakRef<TWinControl> saved_parent_;
  bool saved_visible_ = false;
  TFormBorderStyle saved_border_style_ = bsSizeable;
};

class TlxPopupEdit : public TlxCustomPopupEdit {
 public:
  static constexpr TClass kClass{"TlxPopupEdit", &TlxCustomPopupEdit::kClass, &ConstructInstance<TlxPopupEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPopupEdit(TComponent* owner) : TlxCustomPopupEdit(owner, TlxPopupEditProperties::kClass) {}

  TlxPopupEditProperties* GetProperties() const { return static_cast<TlxPopupEditProperties*>(Properties()); }
  void SetProperties(const TlxPopupEditProperties* value) { Properties()->Assign(value); }
  bool CanEditText() override { return AllowsTextEditing(); }
};

// The drop-down module: registers the combo box and the popup edit kinds.
void lxDropDownEditInitialize();
void lxDropDownEditFinalize();
