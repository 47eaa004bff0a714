#pragma once
// TlxCheckListBox: a styled container around a system list box whose
// every line carries a three-state check, an optional image and a text.
// The control keeps all check states in one edit value (captions,
// indices, a bit mask or a state string), binds it to data, draws the
// lines itself, keeps its height to whole rows on request and sorts its
// items.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "editors/kinds/check_box_view_win.h"
#include "editors/kinds/check_list_box_items.h"
#include "editors/kinds/check_list_box_layout.h"
#include "editors/list_box_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/image_list.h"
#include "ui/foundation/system/mouse_tracking_win.h"

class TlxCustomCheckListBox;

using TlxClickCheckEvent = std::function<void(TObject* sender, int32_t index, TlxCheckBoxState previous_state,
                                              TlxCheckBoxState new_state)>;
using TlxCheckStatesToEditValueEvent =
    std::function<void(TObject* sender, const TlxCheckStates& states, Variant& edit_value)>;
using TlxEditValueToCheckStatesEvent =
    std::function<void(TObject* sender, const Variant& edit_value, TlxCheckStates& states)>;
using TlxCheckListBoxDrawItemEvent =
    std::function<void(TObject* sender, int32_t index, const TRect& rect, TOwnerDrawState state)>;

enum TlxCheckListBoxImageLayout : uint8_t { ilBeforeChecks, ilAfterChecks };

// The list box inside the control: draws the checks, toggles them by
// click, double click and Space, shows the check under the mouse hot and
// keeps the item states and the control's edit value in step.
class TlxCustomInnerCheckListBox : public TlxCustomInnerListBox, public IlxCheckListBoxItemsHost {
 public:
  static constexpr TClass kClass{"TlxCustomInnerCheckListBox", &TlxCustomInnerListBox::kClass,
                                 &ConstructInstance<TlxCustomInnerCheckListBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomInnerCheckListBox(TComponent* owner);
  ~TlxCustomInnerCheckListBox() override;

  // Virtual operations, in the order of their slots.
  virtual int32_t GetCheckAreaWidth();
  virtual void GetCheckMetrics(TlxCheckListBoxMetrics& metrics) const { metrics = TlxCheckListBoxMetrics(); }
  virtual int32_t GetItemHeightForChecks();
  virtual void InvalidateChecks();
  virtual void InvalidateItem(int32_t index);
  // OnClickCheck, with the owning check list box as the sender.
  virtual void ClickCheck(int32_t index, TlxCheckBoxState previous_state, TlxCheckBoxState new_state);

  TlxCustomCheckListBox* CheckListBox() const;
  TlxCheckListBoxItems& Items() const { return *items_; }
  const TlxCheckListBoxMetrics& Metrics() const { return metrics_; }

  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool value) { allow_grayed_ = value; }
  bool AllowDblClickToggle() const { return allow_dbl_click_toggle_; }
  void SetAllowDblClickToggle(bool value) { allow_dbl_click_toggle_ = value; }
  // Made on first use.
  TBitmap* Glyph();
  bool HasGlyph() const { return glyph_ != nullptr && !glyph_->Empty(); }
  void SetGlyph(TBitmap* value);
  int32_t GlyphCount() const { return glyph_count_; }
  void SetGlyphCount(int32_t value);
  int32_t HotCheck() const { return hot_check_; }
  int32_t DrawnPressedCheck() const { return drawn_pressed_check_; }
  int32_t PressedCheck() const { return pressed_check_; }

  // The geometry of the current look: check glyph, images, layout.
  TlxCheckListBoxGeometry Geometry();
  TRect GetCheckRect(const TRect& item_rect, bool inflated);
  // The item whose check lies under the point, or -1.
  int32_t CheckIndexAt(int32_t x, int32_t y);
  void Toggle(int32_t index);
  void EditValueToStates();
  void StatesToEditValue();
  void RecalcItemHeight();
  void InvalidateCheck(int32_t index);
  void DrawCheck(TlxCanvas& canvas, const TRect& item_rect, TlxCheckBoxState state, TlxCheckButtonState paint_state);

  // IlxCheckListBoxItemsHost.
  TlxCheckStatesValueFormat CheckItemsValueFormat() const override;
  void CheckItemStateChanged(int32_t index) override { InvalidateCheck(index); }
  void CheckItemsStatesToEditValue() override { StatesToEditValue(); }
  void CheckItemTextChanged(int32_t index, const std::string& text) override;
  void CheckItemsUpdated(TCollectionItem* item) override;

  TlxClickCheckEvent OnClickCheck;

  void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  bool NeedsFocusRect() const override { return false; }
  void MeasureItem(int32_t index, int32_t& height) override;
  void Click() override;
  void DblClick() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;

 private:
  // Ends the hot check when the mouse leaves the list box.
  class TLeaveTracker : public IlxMouseTrackingCaller {
   public:
    explicit TLeaveTracker(TlxCustomInnerCheckListBox& list) : list_(list) {}
    void MouseLeave() override { list_.HandleMouseLeave(); }

   private:
    TlxCustomInnerCheckListBox& list_;
  };

  bool BindingRefusesEditing() const;
  bool ChecksShown() const;
  void HandleLeftButtonDown(TMessage& message);
  void HandleMouseLeave();
  void SetHotCheck(int32_t index);
  void SetDrawnPressedCheck(int32_t index);
  void UpdateHotCheck(TShiftState shift, int32_t x, int32_t y);
  void UpdateHotCheckFromCursor();
  bool IsEnabledItem(int32_t index) const;
  void RebuildLines();

  std::unique_ptr<TlxCheckListBoxItems> items_;
  std::unique_ptr<TBitmap> glyph_;
  std::unique_ptr<TlxCustomCheckBoxViewInfo> check_painter_;
  TLeaveTracker leave_tracker_{*this};
  TlxCheckListBoxMetrics metrics_;
  bool allow_grayed_ = false;
  bool allow_dbl_click_toggle_ = true;
  int32_t glyph_count_ = 6;
  int32_t hot_check_ = -1;
  int32_t drawn_pressed_check_ = -1;
  int32_t pressed_check_ = -1;
  int32_t down_check_ = -1;
  bool down_item_visible_ = false;
  bool down_drag_automatic_ = false;
};

using TlxInnerCheckListBoxClass = const TClass*;

class TlxCustomCheckListBox : public TlxContainer {
 public:
  static constexpr TClass kClass{"TlxCustomCheckListBox", &TlxContainer::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCheckListBox(TComponent* owner)
      : TlxCustomCheckListBox(owner, lxDataBindingClassOf<TlxCustomDataBinding>(),
                              &TlxCustomInnerCheckListBox::kClass) {}
  ~TlxCustomCheckListBox() override;

  // Virtual operations, in the order of their slots.
  virtual TlxDataBindingClass GetDataBindingClass() const { return data_binding_class_; }
  virtual void DoEditValueChanged();
  virtual TlxInnerCheckListBoxClass GetInnerCheckListBoxClass() const { return inner_class_; }
  virtual void SetEditValue(const Variant& value);
  virtual bool IsValidEditValue(const Variant& value, bool allow_empty) const;
  virtual int32_t GetHeightForRows(int32_t row_count);
  virtual int32_t GetWidthForItem(int32_t index);

  TlxCustomInnerCheckListBox& InnerCheckListBox() const { return *inner_; }
  TlxCustomDataBinding& DataBinding() const { return *data_binding_; }

  const Variant& EditValue() const { return edit_value_; }
  TlxCheckStatesValueFormat EditValueFormat() const { return edit_value_format_; }
  void SetEditValueFormat(TlxCheckStatesValueFormat value);
  bool FromStates() const { return from_states_; }
  // The value the item states produced: raises OnEditValueChanged when it
  // differs from the one before.
  void TakeEditValueFromStates(const Variant& value);

  bool AllowGrayed() const { return inner_->AllowGrayed(); }
  void SetAllowGrayed(bool value) { inner_->SetAllowGrayed(value); }
  bool AllowDblClickToggle() const { return inner_->AllowDblClickToggle(); }
  void SetAllowDblClickToggle(bool value) { inner_->SetAllowDblClickToggle(value); }
  bool AutoComplete() const { return inner_->AutoComplete(); }
  void SetAutoComplete(bool value) { inner_->SetAutoComplete(value); }
  uint32_t AutoCompleteDelay() const { return inner_->AutoCompleteDelay(); }
  void SetAutoCompleteDelay(uint32_t value) { inner_->SetAutoCompleteDelay(value); }
  int32_t Columns() const { return inner_->Columns(); }
  void SetColumns(int32_t value);
  int32_t GlyphCount() const { return inner_->GlyphCount(); }
  void SetGlyphCount(int32_t value) { inner_->SetGlyphCount(value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TlxCheckListBoxImageLayout ImageLayout() const { return image_layout_; }
  void SetImageLayout(TlxCheckListBoxImageLayout value);
  bool IntegralHeight() const { return integral_height_; }
  void SetIntegralHeight(bool value);
  TlxCheckListBoxItems& Items() const { return inner_->Items(); }
  void SetItems(const TlxCheckListBoxItems& items);
  bool ReadOnly() const { return data_binding_->IsReadOnly(); }
  void SetReadOnly(bool value) { data_binding_->ChangeReadOnly(value); }
  int32_t ScrollWidth() const { return inner_->ScrollWidth(); }
  void SetScrollWidth(int32_t value);
  bool ShowChecks() const { return show_checks_; }
  void SetShowChecks(bool value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  int32_t TabWidth() const { return inner_->TabWidth(); }
  void SetTabWidth(int32_t value) { inner_->SetTabWidth(value); }
  bool NativeChecks() const { return native_checks_; }
  TlxEditBorderStyle CheckBorderStyle() const { return check_border_style_; }

  void ClearItems() { Items().Clear(); }
  int32_t ItemCount() const { return inner_->Count(); }
  int32_t ItemIndex() const { return inner_->ItemIndex(); }
  void SetItemIndex(int32_t index) { inner_->SetItemIndex(index); }
  int32_t TopIndex() const { return inner_->TopIndex(); }
  void SetTopIndex(int32_t index) { inner_->SetTopIndex(index); }
  int32_t ItemIndexAtPoint(const TPoint& point, bool existing) const;
  TRect GetItemRect(int32_t index) const;
  int32_t CalcWidthToFitItems();

  // The inner list box's drawing of a line; `rect` is the text part.
  void DrawListItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state);
  // Sorts the items by text (stable, keeping their states).
  void SortItems();
  // `height` snapped to whole rows (unchanged unless IntegralHeight holds).
  int32_t SnapHeight(int32_t height);

  TlxCheckStatesToEditValueEvent OnCheckStatesToEditValue;
  TlxCheckListBoxDrawItemEvent OnDrawItem;
  TNotifyEvent OnEditValueChanged;
  TlxEditValueToCheckStatesEvent OnEditValueToCheckStates;
  TMeasureItemEvent OnMeasureItem;
  TlxClickCheckEvent& OnClickCheck() { return inner_->OnClickCheck; }

  void ReadBoundValue();
  void WriteBoundValue();

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void PlaceInnerControl() override;
  void DoExit() override;
  void HandleStyleChange(TObject* style) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Loaded() override;

 protected:
  TlxCustomCheckListBox(TComponent* owner, const TlxDataBindingClass& binding_class,
                        TlxInnerCheckListBoxClass inner_class);

  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void UpdateCheckStyle();
  bool SnapsHeight() const;

  TlxDataBindingClass data_binding_class_;
  TlxInnerCheckListBoxClass inner_class_;
  std::unique_ptr<TlxCustomDataBinding> data_binding_;
  TlxCustomInnerCheckListBox* inner_ = nullptr;
  std::unique_ptr<TChangeLink> images_change_link_;
  std::unique_ptr<TStringList> sort_list_;
  Variant edit_value_{int64_t{0}};
  TlxCheckStatesValueFormat edit_value_format_ = cvfInteger;
  bool from_states_ = false;
  TCustomImageList* images_ = nullptr;
  TlxCheckListBoxImageLayout image_layout_ = ilBeforeChecks;
  bool integral_height_ = false;
  bool show_checks_ = true;
  bool sorted_ = false;
  bool sorting_ = false;
  bool native_checks_ = false;
  TlxEditBorderStyle check_border_style_ = ebsUltraFlat;
  bool exiting_ = false;
};

class TlxCheckListBox : public TlxCustomCheckListBox {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCheckListBox", &TlxCustomCheckListBox::kClass,
                                 &ConstructInstance<TlxCheckListBox>, &TlxCheckListBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomCheckListBox::TlxCustomCheckListBox;

  TlxCheckListBoxItems* ItemsObject() const { return &Items(); }
};
