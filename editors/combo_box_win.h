#pragma once
// TlxComboBox: the drop-down editor whose popup is a list of strings, the
// text editor's lookup items shown in an owner-drawn list box inside an
// edit popup window. The list is sized to DropDownRows rows and its widest
// item, snaps to whole rows when the user drags it larger or smaller, and
// a click on an item makes it the value. The list style decides whether
// the text is typed freely, must match an item, or is not typed at all.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "editors/combo_box_list_size.h"
#include "editors/drop_down_edit_win.h"
#include "editors/edit_list_box_win.h"
#include "editors/text_edit_lookup_win.h"
#include "platform/toolkit/list_control.h"

class TlxCustomComboBox;

enum TlxEditDropDownListStyle : uint8_t { lsEditFixedList, lsEditList, lsFixedList };

using TlxEditDrawItemEvent = std::function<void(TlxCustomComboBox* control, TCanvas& canvas, int32_t index,
                                                const TRect& rect, TOwnerDrawState state)>;
using TlxEditMeasureItemEvent =
    std::function<void(TlxCustomComboBox* control, int32_t index, TCanvas& canvas, int32_t& height)>;

class TlxCustomComboBoxProperties : public TlxCustomDropDownEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomComboBoxProperties", &TlxCustomDropDownEditProperties::kClass,
                                 &ConstructInstance<TlxCustomComboBoxProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomComboBoxProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;
  const TClass* GetEditControlClass() const override;
  const TClass* GetPopupWindowClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  bool UsesLookupData() const override { return true; }
  bool DropsDownOnTextClick() const override { return drop_down_list_style_ == lsFixedList; }
  int32_t GetLookupPageRowCount() const override { return drop_down_rows_; }
  TlxTextEditingStyle GetEditingStyle() const override;

  bool DropDownAutoWidth() const { return PopupAutoSize(); }
  void SetDropDownAutoWidth(bool value) { SetPopupAutoSize(value); }
  TlxEditDropDownListStyle DropDownListStyle() const { return drop_down_list_style_; }
  void SetDropDownListStyle(TlxEditDropDownListStyle value);
  // Values of 0 or less are ignored.
  int32_t DropDownRows() const { return drop_down_rows_; }
  void SetDropDownRows(int32_t value);
  bool DropDownSizeable() const { return PopupSizeable(); }
  void SetDropDownSizeable(bool value);
  int32_t DropDownWidth() const { return PopupWidth(); }
  void SetDropDownWidth(int32_t value) { SetPopupWidth(value); }
  // 0 takes the list font's height.
  int32_t ItemHeight() const { return item_height_; }
  void SetItemHeight(int32_t value);
  bool Revertable() const { return revertable_; }
  void SetRevertable(bool value) { revertable_ = value; }
  const TStringList* Items() const { return LookupItems(); }
  void SetItems(const TStringList* value) { SetLookupItems(value); }
  bool Sorted() const { return LookupItemsSorted(); }
  void SetSorted(bool value) { SetLookupItemsSorted(value); }

  TlxEditDrawItemEvent OnDrawItem;
  TlxEditMeasureItemEvent OnMeasureItem;

 private:
  TlxEditDropDownListStyle drop_down_list_style_ = lsEditList;
  int32_t drop_down_rows_ = 8;
  int32_t item_height_ = 0;
  bool revertable_ = false;
};

class TlxComboBoxProperties : public TlxCustomComboBoxProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxComboBoxProperties", &TlxCustomComboBoxProperties::kClass,
                                 &ConstructInstance<TlxComboBoxProperties>, &TlxComboBoxProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomComboBoxProperties::TlxCustomComboBoxProperties;
};

// The list in a combo box's popup: rows measured and drawn through the
// editor's handlers when it has them.
class TlxCustomComboBoxListBox : public TlxCustomEditListBox {
 public:
  static constexpr TClass kClass{"TlxCustomComboBoxListBox", &TlxCustomEditListBox::kClass,
                                 &ConstructInstance<TlxCustomComboBoxListBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomComboBoxListBox(TComponent* owner);

  bool DrawItemByOwner(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  void GetItemText(int32_t index, std::string& text) override;
  int32_t GetItemsHeight(int32_t count) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;

  TlxCustomComboBox* ComboBox() const;

 protected:
  void CreateParams(TCreateParams& params) override;
};

class TlxComboBoxListBox : public TlxCustomComboBoxListBox {
 public:
  static constexpr TClass kClass{"TlxComboBoxListBox", &TlxCustomComboBoxListBox::kClass,
                                 &ConstructInstance<TlxComboBoxListBox>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomComboBoxListBox::TlxCustomComboBoxListBox;

  int32_t GetItemHeight(int32_t index) override;
  void ListPrepared() override;
  void MeasureItem(int32_t index, int32_t& height) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;

 protected:
  void WndProc(TMessage& message) override;
};

class TlxComboBoxLookupData : public TlxCustomTextEditLookupData {
 public:
  static constexpr TClass kClass{"TlxComboBoxLookupData", &TlxCustomTextEditLookupData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxComboBoxLookupData(TlxCustomComboBox* owner);

  const TClass* GetListBoxClass() const override { return &TlxComboBoxListBox::kClass; }
  // `size` in: width limit and available height (0: none); out: the list's size.
  void GetListSize(TSize& size) override;
  void GetListSize(int32_t available_height, int32_t width_limit, TSize& size);
  // Snaps a dragged size to whole rows; always true.
  using TlxCustomTextEditLookupData::AdjustListSize;
  bool AdjustListSize(TSize& size, int32_t available_height, int32_t available_width);
  void PrepareListInPopup(TWinControl* popup_window) override;

  TlxCustomComboBox* ComboBox() const;

 private:
  TlxComboBoxListMetrics Metrics();
  TSize PresentListSize() const;
};

class TlxCustomComboBoxViewData : public TlxCustomDropDownEditViewData {
 public:
  static constexpr TClass kClass{"TlxCustomComboBoxViewData", &TlxCustomDropDownEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomDropDownEditViewData::TlxCustomDropDownEditViewData;

  bool IsComboBoxStyle() const override { return true; }
  // A fixed-list combo box whose items are drawn by their owner draws its
  // edit area the same way: the editor's present item, or for a cell
  // without an editor the item whose text the value shows.
  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;

  // The item drawn in the edit area; -1 draws the text as usual.
  int32_t ItemToDraw() const { return item_to_draw_; }

 private:
  TlxCustomComboBoxProperties* ComboProperties() const;
  void SetItemToDraw(int32_t index, TlxCustomEditViewInfo& view_info);

  int32_t item_to_draw_ = -1;
};

// The combo box's popup: as wide as the editor or its widest item, as high
// as its rows.
class TlxComboBoxPopupWindow : public TlxCustomEditPopupWindow {
 public:
  static constexpr TClass kClass{"TlxComboBoxPopupWindow", &TlxCustomEditPopupWindow::kClass,
                                 &ConstructInstance<TlxComboBoxPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TControl;

  using TlxCustomEditPopupWindow::TlxCustomEditPopupWindow;

  void CalcSize() override;
};

class TlxCustomComboBox : public TlxCustomDropDownEdit {
 public:
  static constexpr TClass kClass{"TlxCustomComboBox", &TlxCustomDropDownEdit::kClass,
                                 &ConstructInstance<TlxCustomComboBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomComboBox(TComponent* owner) : TlxCustomComboBox(owner, TlxCustomComboBoxProperties::kClass) {}

  TlxCustomComboBoxProperties* ComboProperties() const {
    return static_cast<TlxCustomComboBoxProperties*>(GetActiveProperties());
  }
  // Null for kinds whose lookup data is no item list (the lookup editors).
  TlxComboBoxLookupData* GetLookupData() const { return dynamic_cast<TlxComboBoxLookupData*>(LookupData()); }

  // Whether the list follows typed text now.
  bool IsItemNavigationAllowed();
  // Used by the lookup kinds when their list changes.
  void ResetPopupHeight();
  void DoDrawItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state);
  void DoMeasureItem(int32_t index, TCanvas& canvas, int32_t& height);
  bool HasDrawItemHandler() const;
  bool HasMeasureItemHandler() const;
  // The lookup data follows the present text.
  void SyncLookupToText();
  bool IgnoreNextListMouseMove() const { return ignore_next_list_mouse_move_; }
  void SetIgnoreNextListMouseMove(bool value) { ignore_next_list_mouse_move_ = value; }

  // Overrides.
  bool CanDropDown() override;
  TSize CalculatePopupContentSize() override;
  void SetupPopupWindow() override;
  void PositionPopupWindow() override;
  void PopupWindowShowed() override;
  bool AllowsTextEditing() override;
  void Activate(std::unique_ptr<TlxCustomEditData>& edit_data) override;
  void InnerEditChanged(TObject* sender) override;
  bool UsesLookupListInPopup() override { return true; }
  bool AdjustLookupListSize(TSize& size, const TSize& available) override;

 protected:
  TlxCustomComboBox(TComponent* owner, const TClass& properties_class);

  void DblClick() override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void WndProc(TMessage& message) override;

 private:
  bool ignore_next_list_mouse_move_ = false;
  bool double_clicking_ = false;
};

class TlxComboBox : public TlxCustomComboBox {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxComboBox", &TlxCustomComboBox::kClass, &ConstructInstance<TlxComboBox>,
                                 &TlxComboBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxComboBox(TComponent* owner) : TlxCustomComboBox(owner, TlxComboBoxProperties::kClass) {}

  TlxComboBoxProperties* GetProperties() const { return static_cast<TlxComboBoxProperties*>(Properties()); }
  void SetProperties(const TlxComboBoxProperties* value) { AssignOwnProperties(value); }
};

// The combo box's filter helper: operands are typed or picked in a plain
// editable list of the column's items.
class TlxFilterComboBoxHelper : public TlxFilterDropDownEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterComboBoxHelper", &TlxFilterDropDownEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override { return &TlxComboBox::kClass; }
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

// The combo box kind's registration (counted), with its filter helper.
void lxComboBoxInitialize();
void lxComboBoxFinalize();
