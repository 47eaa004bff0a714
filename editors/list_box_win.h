#pragma once
// TlxListBox: a styled container around the system list box. The
// container gives the border, styles and the library's scroll bars; the
// inner list box keeps items, selection, owner drawing and the virtual
// styles. A data binding makes the selected item's text the bound value.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "data/data_binding.h"
#include "editors/container_win.h"
#include "editors/inner_list_box_win.h"

class TlxListBox;

using TlxListBoxDrawItemEvent = std::function<void(TlxListBox* control, TlxCanvas& canvas, int32_t index,
                                                   const TRect& rect, TOwnerDrawState state)>;
using TlxListBoxMeasureItemEvent = std::function<void(TlxListBox* control, int32_t index, int32_t& height)>;

// A data-binding class: its descriptor and its virtual constructor.
struct TlxDataBindingClass {
  const TClass* Class;
  std::unique_ptr<TlxCustomDataBinding> (*Create)(TPersistent* owner, TComponent* data_component);
};
template <class T>
TlxDataBindingClass lxDataBindingClassOf() {
  return {&T::kClass, [](TPersistent* owner, TComponent* data_component) -> std::unique_ptr<TlxCustomDataBinding> {
            return std::make_unique<T>(owner, data_component);
          }};
}

// The list box inside a TlxListBox: it asks the control to draw, and lets
// the binding refuse keys and clicks.
class TlxInnerListBox : public TlxCustomInnerListBox {
 public:
  static constexpr TClass kClass{"TlxInnerListBox", &TlxCustomInnerListBox::kClass,
                                 &ConstructInstance<TlxInnerListBox>};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomInnerListBox::TlxCustomInnerListBox;

  TlxListBox* ListBox() const;
  void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  // The control's draw handler counts as the program drawing the items.
  bool NeedsFocusRect() const override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void Click() override;
  bool CanFocus() const override;
  void WndProc(TMessage& message) override;

 protected:
  void CreateWnd() override;
};

using TlxInnerListBoxClass = const TClass*;

// A list box container snaps its height to whole rows while integral height
// is on, it is not loading and its alignment does not stretch it; the
// height a requested one snaps to, with rows as high as `item_height` says.
bool lxListBoxSnapsHeight(const TlxContainer& box, bool integral_height);
int32_t lxSnapListBoxHeight(TlxContainer& box, int32_t item_count, int32_t scroll_width,
                            std::function<int32_t(int32_t index)> item_height, int32_t requested);

class TlxListBox : public TlxContainer {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxListBox", &TlxContainer::kClass, &ConstructInstance<TlxListBox>,
                                 &TlxListBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxListBox(TComponent* owner)
      : TlxListBox(owner, lxDataBindingClassOf<TlxCustomDataBinding>(), &TlxInnerListBox::kClass) {}
  ~TlxListBox() override;

  // Virtual operations, in the order of their slots.
  // OnDrawItem; false when no handler is assigned.
  virtual bool DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state);
  virtual TlxDataBindingClass GetDataBindingClass() const { return data_binding_class_; }
  virtual TlxInnerListBoxClass GetInnerListBoxClass() const { return inner_list_box_class_; }

  TlxInnerListBox& InnerListBox() const { return *inner_list_box_; }
  TlxCustomDataBinding& DataBinding() const { return *data_binding_; }

  bool AutoComplete() const { return inner_list_box_->AutoComplete(); }
  void SetAutoComplete(bool value) { inner_list_box_->SetAutoComplete(value); }
  uint32_t AutoCompleteDelay() const { return inner_list_box_->AutoCompleteDelay(); }
  void SetAutoCompleteDelay(uint32_t value) { inner_list_box_->SetAutoCompleteDelay(value); }
  int32_t Columns() const { return inner_list_box_->Columns(); }
  void SetColumns(int32_t value);
  bool ExtendedSelect() const { return inner_list_box_->ExtendedSelect(); }
  void SetExtendedSelect(bool value) { inner_list_box_->SetExtendedSelect(value); }
  bool IntegralHeight() const { return integral_height_; }
  void SetIntegralHeight(bool value);
  int32_t ItemHeight() const { return inner_list_box_->ItemHeight(); }
  void SetItemHeight(int32_t value) { inner_list_box_->SetItemHeight(value); }
  TStrings& Items() const { return inner_list_box_->Items(); }
  void SetItems(const TStrings& items);
  TListBoxStyle ListStyle() const { return inner_list_box_->Style(); }
  void SetListStyle(TListBoxStyle value) { inner_list_box_->SetStyle(value); }
  bool MultiSelect() const { return inner_list_box_->MultiSelect(); }
  void SetMultiSelect(bool value) { inner_list_box_->SetMultiSelect(value); }
  bool ReadOnly() const { return data_binding_->IsReadOnly(); }
  void SetReadOnly(bool value) { data_binding_->ChangeReadOnly(value); }
  int32_t ScrollWidth() const { return inner_list_box_->ScrollWidth(); }
  void SetScrollWidth(int32_t value) { inner_list_box_->SetScrollWidth(value); }
  bool Sorted() const { return inner_list_box_->Sorted(); }
  void SetSorted(bool value) { inner_list_box_->SetSorted(value); }
  int32_t TabWidth() const { return inner_list_box_->TabWidth(); }
  void SetTabWidth(int32_t value) { inner_list_box_->SetTabWidth(value); }

  void Clear() { inner_list_box_->Clear(); }
  int32_t ItemCount() const { return inner_list_box_->Count(); }
  int32_t ItemIndex() const { return inner_list_box_->ItemIndex(); }
  void SetItemIndex(int32_t index) { inner_list_box_->SetItemIndex(index); }
  int32_t TopIndex() const { return inner_list_box_->TopIndex(); }
  void SetTopIndex(int32_t index) { inner_list_box_->SetTopIndex(index); }
  // The item at a point of the control: -1 outside every item, or (when
  // `existing` is false) the nearest one.
  int32_t ItemAtPosition(const TPoint& point, bool existing) const;
  // An item's rectangle in the control's coordinates.
  TRect GetItemRectInContainer(int32_t index) const;

  TlxListBoxDrawItemEvent OnDrawItem;
  TlxListBoxMeasureItemEvent OnMeasureItem;
  // Installs (or, cleared, removes) the inner list box's bridge to it.
  void SetOnMeasureItem(TlxListBoxMeasureItemEvent handler);

  // The bound value: the selected item's text.
  void ReadBoundValue();
  void WriteBoundValue();
  // The height of row n for the integral height.
  int32_t GetItemHeightAt(int32_t index);
  // `height` snapped to whole rows (unchanged unless IntegralHeight holds).
  int32_t SnapHeight(int32_t height);

  void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
  void PlaceInnerControl() override;
  void DoExit() override;
  // The inner list box is part of this control, never a child of its own
  // in a form description.
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  // The items, stored as the list "Items".
  void DefineProperties(TFiler& filer) override;

 protected:
  // Descendants name their binding and inner list box classes here: the
  // constructor builds both before a descendant's overrides exist.
  TlxListBox(TComponent* owner, const TlxDataBindingClass& binding_class, TlxInnerListBoxClass inner_class);

  void WndProc(TMessage& message) override;

 private:
  bool SnapsHeight() const;

  TlxDataBindingClass data_binding_class_;
  TlxInnerListBoxClass inner_list_box_class_;
  std::unique_ptr<TlxCustomDataBinding> data_binding_;
  TlxInnerListBox* inner_list_box_ = nullptr;
  bool integral_height_ = false;
  bool exiting_ = false;
};
