#pragma once
// The in-place editing of record-based views. Cells draw without editor
// windows; only the cell being edited gets a real editor, taken from a list
// that keeps one hidden editor per properties object. The controller
// decides when that editor shows and hides, lays it over the focused cell
// (or out of sight when the cell is not fully in view), feeds it the
// value, routes its keys to the view's controller and writes the value
// back to the data controller. Included only from Windows sources.

#include <cstdint>
#include <map>
#include <memory>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/types.h"

class TlxCustomEdit;
class TlxCustomEditData;
class TlxCustomEditProperties;
class TlxCustomGridTableController;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxGridTableDataCellViewInfo;
class TlxInplaceEditList;
class TlxTimer;

class TlxGridEditingController : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridEditingController", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The left edge that keeps an editor out of sight while its cell is not
  // in view.
  static constexpr int32_t kParkedLeft = 30000;

  explicit TlxGridEditingController(TlxCustomGridTableController* controller);
  ~TlxGridEditingController() override;
  TlxGridEditingController(const TlxGridEditingController&) = delete;
  TlxGridEditingController& operator=(const TlxGridEditingController&) = delete;

  TlxCustomGridTableController* Controller() const { return controller_; }
  TlxCustomGridTableView* TableView() const;
  TlxInplaceEditList& EditList() const { return *edit_list_; }
  TlxCustomEdit* Edit() const { return edit_; }
  TlxCustomGridTableItem* EditingItem() const { return editing_item_; }
  bool IsEditing() const { return editing_item_ != nullptr; }
  bool IsEditHiding() const { return edit_hiding_; }
  bool IsEditPreparing() const { return edit_preparing_; }
  bool IsEditingItemSetting() const { return editing_item_setting_; }
  bool IsEditPlaced() const { return is_edit_placed_; }
  bool EditUpdateNeeded() const { return edit_update_needed_; }
  bool IsErrorOnEditExit() const { return is_error_on_edit_exit_; }
  // The properties the editing item edits the focused record with.
  TlxCustomEditProperties* EditingProperties() const;
  // The timer that postpones showing the editor after a click, so that
  // tests tick it through FireTimer; null while none is pending.
  TlxTimer* EditShowingTimer() const;
  TlxCustomGridTableItem* EditShowItem() const { return edit_show_item_; }

  // --- non-virtual services ----------------------------------------------
  void SetEditingItem(TlxCustomGridTableItem* item);
  void ShowEdit(TlxCustomGridTableItem* item = nullptr);
  void ShowEditByKey(TlxCustomGridTableItem* item, char16_t key);
  void ShowEditByMouse(TlxCustomGridTableItem* item, TShiftState shift, int32_t x, int32_t y);
  void UpdateValue();
  void UpdateEditValue();
  void PlaceEdit();
  void UpdateEditBounds();
  void UpdateEditIfNeeded();
  // Re-places the editor after the cells moved without a new calculation.
  void CheckEditVisible();
  void StartEditShowingTimer(TlxCustomGridTableItem* item);
  void StopEditShowingTimer();
  // The focused record's cell of the item, when it has a view info.
  TlxGridTableDataCellViewInfo* FocusedCellOf(TlxCustomGridTableItem* item) const;
  // The item is going away: an editor open on it closes without its value.
  void ItemRemoved(TlxCustomGridTableItem* item);

  // --- overridable, in slot order ----------------------------------------
  virtual void AfterViewInfoCalculation();
  virtual void BeforeViewInfoCalculation() { is_edit_placed_ = false; }
  virtual bool CanInitEditing();
  virtual bool CanFocusSite();
  virtual bool CanUpdateEditValue();
  virtual void DoEditChanged() {}
  virtual void EditKeyDown(uint16_t& key, TShiftState shift);
  virtual bool IsHideEditOnExit() { return true; }
  virtual bool IsHideEditOnFocusedRecordChange();
  virtual void InitEdit();
  virtual void DoneEdit() { UnassignEditEvents(); }
  virtual void UpdateData();
  virtual bool PrepareEdit(TlxCustomGridTableItem* item, bool for_mouse);
  virtual void AssignEditEvents();
  virtual void UnassignEditEvents();
  virtual void EditAfterKeyDown(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void EditChanged(TObject* sender);
  virtual void EditEditing(TObject* sender, bool& allow);
  virtual void EditExit(TObject* sender);
  virtual void EditFocusChanged(TObject* sender);
  virtual void EditKeyDownHandler(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void EditKeyPress(TObject* sender, char16_t& key);
  virtual void EditKeyUp(TObject* sender, uint16_t& key, TShiftState shift);
  virtual void EditPostEditValue(TObject* sender);
  virtual void EditValueChanged(TObject* sender);
  virtual void HideEdit(bool accept);
  virtual void RemoveEdit(TlxCustomEditProperties* properties);
  // Whether an editor is to open at once on a press: ImmediateEditor.
  virtual bool IsImmediateEditor();
  // Whether the editor is to be created for the item whatever the cell
  // reports (the table view's filter row answers True).
  virtual bool ShowsEditorAlways() { return false; }
  // Writes a validated editor value to where the editing item keeps it.
  virtual void WriteEditValue(const Variant& value);

 protected:
  void ParkEdit();
  bool IsEditRectInView(TlxGridTableDataCellViewInfo* cell, TRect& rect) const;
  void SetSiteTabStop(bool value);
  void ShowEditTimerFired();
  // Makes the item the editing item without showing the editor: asks the
  // view, focuses the item and hides an editor open on another item.
  bool BeginEditingItem(TlxCustomGridTableItem* item);

 private:
  std::unique_ptr<TlxCustomEditData>& EditDataOf(TlxCustomGridTableItem* item);

  TlxCustomGridTableController* controller_;
  std::unique_ptr<TlxInplaceEditList> edit_list_;
  TlxCustomEdit* edit_ = nullptr;
  TlxCustomGridTableItem* editing_item_ = nullptr;
  bool editing_item_setting_ = false;
  bool edit_preparing_ = false;
  bool edit_hiding_ = false;
  bool initiating_editing_ = false;
  bool is_edit_placed_ = false;
  bool edit_update_needed_ = false;
  bool is_error_on_edit_exit_ = false;
  TNotifyEvent prev_edit_on_change_;
  TNotifyEvent prev_edit_on_edit_value_changed_;
  TlxCustomEditProperties* hooked_properties_ = nullptr;
  std::unique_ptr<TlxTimer> edit_showing_timer_;
  TlxCustomGridTableItem* edit_show_item_ = nullptr;
  bool edit_show_timer_firing_ = false;
  // One edit data per item, kept across showings as the editors keep theirs.
  std::map<const TlxCustomGridTableItem*, std::unique_ptr<TlxCustomEditData>> edit_data_;
};
