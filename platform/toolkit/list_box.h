#pragma once
// TCustomListBox and TListBox: the system's LISTBOX control with its items
// as a TStrings (Items), single or multiple selection, sorting, and items
// drawn by the program (owner-drawn, of one height or each its own). The
// items and the selection are kept while the window is re-created.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/strings.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/win_control.h"

enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

enum TOwnerDrawStateFlag : uint8_t {
  odSelected,
  odGrayed,
  odDisabled,
  odChecked,
  odFocused,
  odDefault,
  odHotLight,
  odInactive,
  odNoAccel,
  odNoFocusRect,
  odComboBoxEdit,
};
using TOwnerDrawState = TSmallSet<TOwnerDrawStateFlag>;
// The state of a DRAWITEMSTRUCT.
TOwnerDrawState OwnerDrawStateOf(UINT item_state);

using TDrawItemEvent = std::function<void(TObject* control, int32_t index, TRect rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TObject* control, int32_t index, int32_t& height)>;

// The messages through which a system list control (LB_... for list boxes,
// CB_... for combo boxes) keeps its items.
struct TListControlMessages {
  UINT get_count;
  UINT get_text;
  UINT get_text_length;
  UINT add_string;
  UINT insert_string;
  UINT delete_string;
  UINT reset_content;
  UINT get_item_data;
  UINT set_item_data;
  UINT find_string_exact;
};

// What the items need from the control that shows them.
class IListControlHost {
 public:
  virtual ~IListControlHost() = default;
  // The window that holds the items, null while there is none.
  virtual HWND ItemsWindow() const = 0;
  // The items while the control has no window.
  virtual TStringList& SavedItems() = 0;
  // An item went in at `index` (a variable-height list measures it).
  virtual void ItemInserted(int32_t index) = 0;
  // Saves what replacing an item would lose (selection), and puts it back.
  virtual void BeginItemReplace(int32_t index) = 0;
  virtual void EndItemReplace(int32_t index) = 0;
};

// The items of a list box or combo box: the control's own while its window
// exists, a saved copy otherwise.
class TListControlStrings : public TStrings {
 public:
  static constexpr TClass kClass{"TListControlStrings", &TStrings::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TListControlStrings(IListControlHost& host, const TListControlMessages& messages)
      : host_(host), messages_(messages) {}

  int32_t Count() const override;
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& text) override;
  uintptr_t GetSlot(int32_t index) const override;
  void PutSlot(int32_t index, uintptr_t slot) override;
  int32_t Add(const std::string& text) override;
  void Insert(int32_t index, const std::string& text) override;
  void Delete(int32_t index) override;
  void Clear() override;
  // Whole texts, letter case ignored (the control's own search).
  int32_t IndexOf(std::string_view text) const override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  void CheckIndex(int32_t index) const;
  bool HasWindow() const { return host_.ItemsWindow() != nullptr; }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return SendMessageW(host_.ItemsWindow(), message, wparam, lparam);
  }

  IListControlHost& host_;
  const TListControlMessages& messages_;
};

// Saves a list control's items (with their data) before its window goes.
void SaveListControlItems(TStrings& items, TStringList& saved);
// Puts saved items into a new window (sorted by the control when
// `sorted`), calling `restored` with each item's saved and new position,
// and returns where the item saved at `saved_index` went (-1 for none).
int32_t RestoreListControlItems(HWND window, const TListControlMessages& messages, bool sorted,
                                const TStringList& saved, int32_t saved_index,
                                const std::function<void(int32_t saved_position, int32_t index)>& restored);

// Draws one owner-drawn item of a list control on `canvas` (which takes the
// item's device context for the call): `draw` paints the item, then the
// focus frame follows. The control's font and brush are the canvas's.
void DrawOwnerDrawnItem(TWinControl& control, TControlCanvas& canvas, const DRAWITEMSTRUCT& item,
                        const std::function<void(int32_t index, const TRect& rect, TOwnerDrawState state)>& draw);
// The toolkit's drawing of an item: its text, on the selection's colours
// when it is selected.
void DrawItemText(TCanvas& canvas, const TRect& rect, const std::string& text, TOwnerDrawState state);

class TCustomListBox : public TWinControl, private IListControlHost {
 public:
  static constexpr TClass kClass{"TCustomListBox", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;

  TStrings& Items() { return *items_; }
  void SetItems(const TStrings& items) { items_->Assign(&items); }
  int32_t Count() { return items_->Count(); }
  void Clear() { items_->Clear(); }

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

  // The canvas items are drawn on (valid while one is drawn).
  TCanvas& Canvas() { return *canvas_; }

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  // Draws an owner-drawn item: OnDrawItem, or the text on the selection's
  // colours. The focus frame is drawn afterwards either way.
  virtual void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state);
  virtual void MeasureItem(int32_t index, int32_t& height);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  // The system control takes the mouse first (caret, selection,
  // tracking); the toolkit's mouse events follow.
  void WMMouseButton(TMessage& message) override;
  void WMMouseMove(TMessage& message) override;
  void BoundsChanged() override;

 private:
  void CNCommand(TMessage& message);
  void CNDrawItem(TMessage& message);
  void CNMeasureItem(TMessage& message);
  void ApplyColumnWidth();
  // Sets a variable list's item height from MeasureItem.
  void ApplyItemHeight(int32_t index);
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

  // IListControlHost
  HWND ItemsWindow() const override { return WindowHandle(); }
  TStringList& SavedItems() override { return *saved_items_; }
  void ItemInserted(int32_t index) override { ApplyItemHeight(index); }
  void BeginItemReplace(int32_t index) override;
  void EndItemReplace(int32_t index) override;

  std::unique_ptr<TListControlStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  // The items while there is no window.
  std::unique_ptr<TStringList> saved_items_;
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
  int32_t item_height_ = 16;
  int32_t columns_ = 0;
  int32_t scroll_width_ = 0;
  int32_t tab_width_ = 0;
};

class TListBox : public TCustomListBox {
 public:
  static constexpr TClass kClass{"TListBox", &TCustomListBox::kClass, &ConstructInstance<TListBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomListBox::TCustomListBox;
};
