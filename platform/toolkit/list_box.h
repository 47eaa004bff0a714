#pragma once
// TCustomListBox and TListBox: the system's LISTBOX control with its items
// as a TStrings (Items), single or multiple selection, sorting, and items
// drawn by the program (owner-drawn, of one height or each its own). The
// items and the selection are kept while the window is re-created.
//
// The virtual styles keep no items in the control: it knows only their
// count (SetCount), asks OnData for the text of an item it draws and
// OnDataFind for the item a text starts, and is drawn by the program
// (lbVirtualOwnerDraw) or with the text from OnData (lbVirtual).

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/toolkit/list_control.h"

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };

// The text of a virtual item.
using TLBGetDataEvent = std::function<void(TWinControl* control, int32_t index, std::string& data)>;
// The object of a virtual item.
using TLBGetDataObjectEvent = std::function<void(TWinControl* control, int32_t index, TObject*& data_object)>;
// The index of the virtual item that `find` starts, or -1.
using TLBFindDataEvent = std::function<int32_t(TWinControl* control, const std::string& find)>;

class TCustomListBox : public TCustomListControl {
 public:
  static constexpr TClass kClass{"TCustomListBox", &TCustomListControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  // The number of items; for the virtual styles the number set by SetCount.
  int32_t Count();
  // For the virtual styles only: how many items the control shows.
  void SetCount(int32_t count);
  void Clear();
  bool IsVirtual() const { return style_ == lbVirtual || style_ == lbVirtualOwnerDraw; }

  // Typing selects the item that the typed text starts (the system's own
  // search for the ordinary styles, OnDataFind for the virtual ones); off,
  // typed characters select nothing.
  bool AutoComplete() const { return auto_complete_; }
  void SetAutoComplete(bool value) { auto_complete_ = value; }

  TLBGetDataEvent OnData;
  TLBGetDataObjectEvent OnDataObject;
  TLBFindDataEvent OnDataFind;

  // The virtual item's text (OnData), object (OnDataObject) and the item a
  // text starts (OnDataFind; -1 without a handler).
  virtual std::string DoGetData(int32_t index);
  virtual TObject* DoGetDataObject(int32_t index);
  virtual int32_t DoFindData(const std::string& data);
  void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  void KeyPress(char16_t& key) override;

  // The selected item (the focused one with multiple selection); -1: none.
  int32_t ItemIndex();
  void SetItemIndex(int32_t index);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool value);
  // With multiple selection: Shift and Ctrl extend it (otherwise every
  // click toggles an item).
  bool ExtendedSelect() const { return extended_select_; }
  void SetExtendedSelect(bool value);
  // Raises EListError for an index out of range.
  bool Selected(int32_t index);
  void SetSelected(int32_t index, bool selected);
  int32_t SelCount();
  void ClearSelection();
  void SelectAll();
  int32_t TopIndex();
  void SetTopIndex(int32_t index);

  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle style);
  // The height of the items of lbOwnerDrawFixed (and the start value that
  // OnMeasureItem gets for lbOwnerDrawVariable).
  int32_t ItemHeight();
  void SetItemHeight(int32_t height);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  // Items laid out in that many columns; 0: one column, scrolled vertically.
  int32_t Columns() const { return columns_; }
  void SetColumns(int32_t columns);
  // Shows only whole items (the control's height snaps to them).
  bool IntegralHeight() const { return integral_height_; }
  void SetIntegralHeight(bool value);
  // Width the horizontal scroll bar covers, in pixels; 0: no scrolling.
  int32_t ScrollWidth() const { return scroll_width_; }
  void SetScrollWidth(int32_t width);
  // Tab stops in dialog units; 0: no tab stops.
  int32_t TabWidth() const { return tab_width_; }
  void SetTabWidth(int32_t width);

  // The item at a client point: -1 outside every item, or (when
  // `existing` is false) the nearest item's index.
  int32_t ItemAtPos(TPoint point, bool existing);
  TRect ItemRect(int32_t index);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  void BoundsChanged() override;
  bool HasVariableItemHeight() const override { return style_ == lbOwnerDrawVariable; }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

 private:
  void CNCommand(TMessage& message);
  void ApplyColumnWidth();
  void SearchVirtualItem(char16_t key);

  // Replacing an item keeps its selection.
  void BeginItemReplace(int32_t index) override;
  void EndItemReplace(int32_t index) override;

  std::vector<bool> saved_selection_;
  int32_t saved_item_index_ = -1;
  int32_t saved_top_index_ = 0;
  // Kept over the replacement of an item.
  int32_t replace_item_index_ = -1;
  bool replace_selected_ = false;
  TListBoxStyle style_ = lbStandard;
  bool multi_select_ = false;
  bool extended_select_ = true;
  bool sorted_ = false;
  bool integral_height_ = false;
  int32_t columns_ = 0;
  int32_t scroll_width_ = 0;
  int32_t tab_width_ = 0;
  bool auto_complete_ = true;
  int32_t virtual_count_ = 0;
  // The present window has no data of its own.
  bool virtual_window_ = false;
  // The virtual styles' type-ahead text and when it was last typed.
  std::string virtual_search_;
  uint32_t virtual_search_time_ = 0;
};

class TListBox : public TCustomListBox {
 public:
  static constexpr TClass kClass{"TListBox", &TCustomListBox::kClass, &ConstructInstance<TListBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomListBox::TCustomListBox;
};
