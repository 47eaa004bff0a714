#pragma once
// The controller of record-based views: focus of records and cells, multi-selection, the key table, incremental search, deleting with the confirmation, scrolling and pull focusing.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include <memory>
#include <vector>

#include "grid/grid_customization_popup_win.h"
#include "grid/grid_popups_win.h"
#include "grid/grid_view_controller_win.h"

class TlxCustomGridTableController : public TlxCustomGridController {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableController", &TlxCustomGridController::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridController::TlxCustomGridController;
};

class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxButton;
class TlxGridFilterValueList;

// The view's recently used filters; choosing one makes it the view's
// filter again.
class TlxGridFilterMRUItemsPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUItemsPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridFilterMRUItemsPopup(TlxCustomGridView* grid_view);

  // Virtual operations, in the order of their slots.
  virtual void FillItems(TStrings& strings);
  virtual void ApplyItem(int32_t index);
  virtual int32_t GetTextOffset() { return list_box_->TextOffsetLeft; }

  void InitPopup() override;
  void ClosePopup() override;

  TlxGridPopupListBox& ListBox() const { return *list_box_; }
  TlxCustomGridTableView* TableView() const;

 private:
  void ListAction(int32_t index);

  TlxGridPopupListBox* list_box_;
};

// A column's filter drop-down: the column's values and the head entries,
// one of them chosen, or several checked.
class TlxGridFilterPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridFilterPopup(TlxCustomGridView* grid_view);
  ~TlxGridFilterPopup() override;

  // Virtual operations, in the order of their slots.
  virtual void FillValues();
  virtual void SetupListBox();
  virtual void ApplyCheckedValues(const std::vector<int32_t>& indexes);
  virtual void ApplyValue(int32_t index);
  virtual bool ApplyImmediately();
  virtual void GetCheckedValueIndexes(std::vector<int32_t>& indexes);
  virtual int32_t GetSelectedValueIndex();
  virtual void PlaceApplyButton();
  virtual void FillAndSetup();
  virtual bool ShowApplyButton();
  virtual bool IsCheckable(int32_t index);
  virtual bool IsMultiSelect();
  virtual void UpdateApplyButton();

  void InitPopup() override;
  void ClosePopup() override;
  void CalcSize() override;

  TlxCustomGridTableView* TableView() const;
  // The column whose filter is shown; taken from the owner cell when that
  // knows one, else as set.
  TlxCustomGridTableItem* Item() const { return item_; }
  void SetItem(TlxCustomGridTableItem* item) { item_ = item; }
  TlxGridFilterValueList* Values() const { return values_.get(); }
  TStrings& ValueTexts() const { return *value_texts_; }
  TlxGridFilterPopupListBox& ListBox() const { return *list_box_; }
  TlxButton& ApplyButton() const { return *apply_button_; }
  bool HasChanges() const { return has_changes_; }
  void SetHasChanges(bool value);

 private:
  void ListAction(int32_t index);
  void ApplyButtonClick();

  TlxCustomGridTableItem* item_ = nullptr;
  std::unique_ptr<TlxGridFilterValueList> values_;
  std::unique_ptr<TStrings> value_texts_;
  TlxGridFilterPopupListBox* list_box_;
  TlxButton* apply_button_;
  bool has_changes_ = false;
};

// The quick customization popup of a table view: one entry per item that
// takes part in customization.
class TlxCustomGridItemsCustomizationPopup : public TlxCustomGridCustomizationPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsCustomizationPopup", &TlxCustomGridCustomizationPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCustomizationPopup::TlxCustomGridCustomizationPopup;

  void AddItems() override;
  int32_t GetDropDownCount() override;
  bool IsReorderingEnabled() override;
  void SetItemChecked(TObject* object, bool checked) override;
  int32_t GetItemIndex(TObject* object) override;
  void SetItemIndex(TObject* object, int32_t index) override;

  TlxCustomGridTableView* TableView() const;
};
