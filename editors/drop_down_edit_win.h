#pragma once
// TlxCustomDropDownEdit: the editor with a drop-down button that opens a
// popup window next to it (a list, a calendar, any control). It owns the
// opening and closing protocol every drop-down kind shares: one
// initialization and one finalization per opening, the close reasons, the
// keys and clicks that open and close the popup, and the late post after
// closing. Kinds answer what their popup holds (CalculatePopupContentSize,
// PlacePopupContent) and whether it may open now (CanDropDown).

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/drop_down_edit_data_win.h"
#include "editors/drop_down_edit_properties.h"
#include "editors/edit_control_win.h"
#include "editors/edit_popup_window_win.h"
#include "editors/mask_edit_win.h"
#include "editors/text_view_win.h"

// Posted to a drop-down editor: its lookup list follows the text after a paste.
inline constexpr UINT LX_DROPDOWN_SYNC_AFTER_PASTE = 0x8097;

// The editor the drop-down kinds build on: a mask edit, so that every
// drop-down kind can take an input mask.
using TlxDropDownEditBase = TlxCustomMaskEdit;

// Draws the drop-down button pressed while the popup is open.
class TlxCustomDropDownEditViewData : public TlxCustomTextEditViewData {
 public:
  static constexpr TClass kClass{"TlxCustomDropDownEditViewData", &TlxCustomTextEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomTextEditViewData::TlxCustomTextEditViewData;

  bool CanPressButton(const TlxCustomEditViewInfo& view_info, int32_t index) const override;
  bool IsButtonDown(const TlxCustomEditViewInfo& view_info, int32_t index) const override;

  bool IsPopupOpen = false;
  bool IsHotWhileOpen = false;
  bool TransparentDropDownButton = false;
  int32_t DropDownButtonIndex = 0;
};

class TlxCustomDropDownEdit : public TlxDropDownEditBase, public IlxEditPopupOwner {
 public:
  // Abstract: every kind answers the size of its popup's content.
  static constexpr TClass kClass{"TlxCustomDropDownEdit", &TlxDropDownEditBase::kClass};
  const TClass* ClassType() const override { return &kClass; }

  ~TlxCustomDropDownEdit() override;

  // Virtual operations, in the order of their slots.
  virtual bool CanDropDown() { return false; }
  void CloseUp(int32_t reason) override;
  virtual void CreatePopupWindow();
  virtual void DoCloseUp();
  void DoFinalizePopup() override;
  virtual void DoInitPopup();
  virtual void DoPopup();
  virtual void DropDown();
  virtual void EmptyPopupHook() {}
  virtual TWinControl* GetPopupFocusedControl();
  TSize CalculatePopupContentSize() override = 0;
  // The lookup data's list moves into the popup (kinds that show one).
  virtual void AttachLookupListToPopup();
  virtual void SetupPopupWindow();
  virtual void PopupLookAndFeelChanged() {}
  // The lookup list fills the popup's client rectangle.
  void PlacePopupContent(const TRect& client_rect) override;
  virtual void PositionPopupWindow();
  virtual bool ReturnsTrueHook() { return true; }

  // The popup window's notifications.
  virtual void PopupWindowClosed(int32_t reason);
  virtual void PopupWindowCloseQuery(bool& can_close);
  virtual void PopupWindowClosing() {}
  virtual void PopupWindowShowing() {}
  virtual void PopupWindowShowed();

  // IlxEditPopupOwner.
  TRect GetPopupOwnerBounds() override;
  bool PopupAdjustsToWorkArea() override { return DropDownProperties()->PopupAdjustsToWorkArea(); }
  void NotePopupResizedByUser() override { resized_during_opening_ = true; }
  bool UsesLookupListInPopup() override { return false; }
  bool AdjustLookupListSize(TSize& /*size*/, const TSize& /*available*/) override { return false; }

  bool GetDroppedDown() const;
  void SetDroppedDown(bool value);
  void CancelPendingDropDown();
  void UpdateHotWhileOpen();
  void SyncListAfterPaste();

  TlxCustomDropDownEditProperties* DropDownProperties() const {
    return static_cast<TlxCustomDropDownEditProperties*>(GetActiveProperties());
  }
  TlxCustomEditPopupWindow* PopupWindow() const { return popup_window_.get(); }
  int32_t CloseUpReason() const { return close_up_reason_; }
  bool IsHotWhileOpen() const { return hot_while_open_; }
  bool UserResizedPopup() const { return user_resized_; }
  bool IsPopupOpen() const override { return GetDroppedDown(); }
  // Keys and the wheel step through the lookup items; an in-place editor
  // leaves the keys to its host while its popup is closed.
  bool AllowsLookupScrolling(bool by_wheel) override;
  // With the list open, the wheel scrolls the list.
  bool HandleMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;

  // In-place activation and deactivation.
  void Activate(std::unique_ptr<TlxCustomEditData>& edit_data) override;
  void ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                       std::unique_ptr<TlxCustomEditData>& edit_data) override;
  bool Deactivate() override;

 protected:
  TlxCustomDropDownEdit(TComponent* owner, const TClass& properties_class,
                        const TClass& data_binding_class = TlxEditDataBinding::kClass,
                        TlxEditDataFactory edit_data_class = &lxCreateDropDownEditData);

  void SetCloseUpReason(int32_t reason) { close_up_reason_ = reason; }
  bool IsPopupInitialized() const { return initialized_; }

  // Editor overrides.
  void ProcessEditKeyDown(uint16_t& key, TShiftState shift) override;
  void ProcessEditKeyPress(char16_t& key) override;
  void HandleTabKey(TShiftState shift) override;
  void ButtonDown(int32_t button_index) override;
  void EditFocusChanged() override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void ResetEditData() override;
  bool ForwardsActivationKey(char16_t key) override;
  bool RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DoExit() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;

 private:
  TlxCustomDropDownEditData* DropDownEditData() const { return dynamic_cast<TlxCustomDropDownEditData*>(EditData()); }
  void ToggleDropDown();
  void ClosePopupForKey(uint16_t& key);
  bool HasPendingDropDown() const;
  // The lookup list lives in the popup of this kind.
  bool ShowsLookupList() const;
  // The item chosen in the list becomes the value (accepting reasons).
  void CommitLookupList();
  // The press that just closed the popup on its owner: it must not reopen it.
  bool TakeClosedByOwnerClick();
  void PostAfterClosing();

  std::unique_ptr<TlxCustomEditPopupWindow> popup_window_;
  int32_t close_up_reason_ = crUnknown;
  bool initialized_ = false;
  bool activating_by_mouse_ = false;
  bool hot_while_open_ = false;
  bool user_resized_ = false;
  bool resized_during_opening_ = false;
  bool press_closed_popup_ = false;
};

// The filter helper of drop-down editors: operand editors keep the
// source's buttons, as they open what the editor drops down.
class TlxFilterDropDownEditHelper : public TlxFilterMaskEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterDropDownEditHelper", &TlxFilterMaskEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  bool KeepsEditButtons() const override { return true; }
};
