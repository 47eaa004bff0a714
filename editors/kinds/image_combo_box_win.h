#pragma once
// TlxImageComboBox: a fixed-list combo box whose items map edit values to a
// description and an image. The editor shows the image and description of
// the item its value matches (or the default ones), and the drop-down list
// shows every item with its image.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/combo_box_win.h"
#include "editors/kinds/image_combo_items.h"
#include "editors/text_view_win.h"
#include "platform/toolkit/image_list.h"

enum TlxImageAlign : uint8_t { iaLeft, iaRight };

class TlxCustomImageComboBoxProperties : public TlxCustomComboBoxProperties, public IlxImageComboItemsOwner {
 public:
  static constexpr TClass kClass{"TlxCustomImageComboBoxProperties", &TlxCustomComboBoxProperties::kClass,
                                 &ConstructInstance<TlxCustomImageComboBoxProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomImageComboBoxProperties(TPersistent* owner);
  ~TlxCustomImageComboBoxProperties() override;

  // Virtual operations, in the order of their slots.
  // The item's description (DefaultDescription without an item), shown
  // only with `force_description` or ShowDescriptions; the item's image
  // (DefaultImageIndex without an item).
  virtual void GetItemDescriptionAndImage(const TlxImageComboBoxItem* item, std::string& text,
                                          bool force_description, int32_t& image_index) const;

  void Assign(const TPersistent* source) override;
  void ComponentRemoved(TComponent* component) override;
  uint32_t GetDisplayFormatOptions() const override { return 0; }
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  bool FiresChangeIndependently() const override { return false; }
  const TClass* GetEditControlClass() const override;
  // Equal when both values show the same text and, with Images, the same image.
  bool EditValuesEqual(const Variant& value1, const Variant& value2) const override;
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  uint32_t GetEditCapabilities() const override;
  bool IsEditValueValid(Variant& /*edit_value*/, bool /*edit_focused*/) const override { return true; }
  // The description of the item the value matches, else DefaultDescription.
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  int32_t CanUseFieldDisplayFormat(bool /*edit_focused*/) const override { return 0; }
  bool IsLookupItemText(std::string_view text) const override { return FindItemByDescription(text) != nullptr; }

  // IlxImageComboItemsOwner.
  int32_t ImageCountForItems() const override { return images_ != nullptr ? images_->Count() : 0; }
  void ImageComboItemsChanged() override { Changed(); }

  TlxImageComboBoxItem* FindItemByValue(const Variant& value) const {
    return lxImageComboFindItemByValue(*items_, value);
  }
  // Only with ShowDescriptions: without them there is nothing to type.
  TlxImageComboBoxItem* FindItemByDescription(std::string_view text) const;

  const std::string& DefaultDescription() const { return default_description_; }
  void SetDefaultDescription(const std::string& value) { Store(default_description_, value); }
  int32_t DefaultImageIndex() const { return default_image_index_; }
  void SetDefaultImageIndex(int32_t value) { Store(default_image_index_, value); }
  TlxImageAlign ImageAlign() const { return image_align_; }
  void SetImageAlign(TlxImageAlign value) { Store(image_align_, value); }
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* value);
  TlxImageComboBoxItems* Items() const { return items_.get(); }
  void SetItems(const TlxImageComboBoxItems* value);
  TCustomImageList* LargeImages() const { return large_images_; }
  void SetLargeImages(TCustomImageList* value);
  // The images of the drop-down list.
  TCustomImageList* ListImages() const { return large_images_ != nullptr ? large_images_ : images_; }
  bool MultiLineText() const { return multi_line_text_; }
  void SetMultiLineText(bool value) { Store(multi_line_text_, value); }
  bool ShowDescriptions() const { return show_descriptions_; }
  void SetShowDescriptions(bool value) { Store(show_descriptions_, value); }

 private:
  void ChangeImageList(TCustomImageList* value, TCustomImageList*& field, TChangeLink& link);

  std::unique_ptr<TlxImageComboBoxItems> items_;
  std::unique_ptr<TChangeLink> images_link_;
  std::unique_ptr<TChangeLink> large_images_link_;
  TCustomImageList* images_ = nullptr;
  TCustomImageList* large_images_ = nullptr;
  std::string default_description_;
  int32_t default_image_index_ = -1;
  TlxImageAlign image_align_ = iaLeft;
  bool multi_line_text_ = false;
  bool show_descriptions_ = true;
};

class TlxImageComboBoxProperties : public TlxCustomImageComboBoxProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageComboBoxProperties", &TlxCustomImageComboBoxProperties::kClass,
                                 &ConstructInstance<TlxImageComboBoxProperties>, &TlxImageComboBoxProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomImageComboBoxProperties::TlxCustomImageComboBoxProperties;
};

class TlxCustomImageComboBox;

// The drop-down list: each item with its image, owner-drawn.
class TlxImageComboBoxListBox : public TlxComboBoxListBox {
 public:
  static constexpr TClass kClass{"TlxImageComboBoxListBox", &TlxComboBoxListBox::kClass,
                                 &ConstructInstance<TlxImageComboBoxListBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxComboBoxListBox::TlxComboBoxListBox;

  // Virtual operations, in the order of their slots.
  // The image, the widest description and, with more items than rows,
  // the vertical scroll bar.
  virtual int32_t GetMaxItemWidth();

  bool DrawItemByOwner(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  int32_t GetItemHeight(int32_t index) override;
  int32_t GetItemWidth(int32_t index) override;
  void ListPrepared() override;

  TlxCustomImageComboBox* ImageComboBox() const;

 private:
  TlxCustomImageComboBoxProperties* ImageProperties() const;
};

class TlxImageComboBoxLookupData : public TlxComboBoxLookupData {
 public:
  static constexpr TClass kClass{"TlxImageComboBoxLookupData", &TlxComboBoxLookupData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxImageComboBoxLookupData(TlxCustomImageComboBox* owner);

  void GetItemText(int32_t index, std::string& text) override;
  int32_t GetItemCount() override;
  const TClass* GetListBoxClass() const override { return &TlxImageComboBoxListBox::kClass; }
  void GetListSize(TSize& size) override;
  // The current item follows the editor's value, unless the editor changes
  // it through the list itself.
  void TextChanged() override;

 private:
  TlxCustomImageComboBoxProperties* ImageProperties() const;
};

class TlxImageComboBoxViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxImageComboBoxViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxImageComboBoxViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  void RenderFrame(TlxCanvas& canvas) override;
  void MoveBy(int32_t dx, int32_t dy) override;

  TRect ImageRect;
  TCustomImageList* Images = nullptr;
  int32_t ImageIndex = -1;
};

class TlxImageComboBoxViewData : public TlxCustomComboBoxViewData {
 public:
  static constexpr TClass kClass{"TlxImageComboBoxViewData", &TlxCustomComboBoxViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomComboBoxViewData::TlxCustomComboBoxViewData;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;
  TSize MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                const TlxEditSizeProperties& limits) const override;

  // Set by an editor control: the item it shows (-1: none) — while
  // editing the list's current item, else the item of its value. Cells
  // drawn without a control find the item by the value instead.
  bool ItemKnown = false;
  int32_t CurrentItemIndex = -1;

 private:
  TlxCustomImageComboBoxProperties* ImageProperties() const;
  void ShowItem(const TlxImageComboBoxItem* item, TlxImageComboBoxViewInfo& info) const;
};

class TlxCustomImageComboBox : public TlxCustomComboBox {
 public:
  static constexpr TClass kClass{"TlxCustomImageComboBox", &TlxCustomComboBox::kClass,
                                 &ConstructInstance<TlxCustomImageComboBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomImageComboBox(TComponent* owner)
      : TlxCustomImageComboBox(owner, TlxCustomImageComboBoxProperties::kClass) {}

  TlxCustomImageComboBoxProperties* ActiveImageProperties() const {
    return static_cast<TlxCustomImageComboBoxProperties*>(GetActiveProperties());
  }
  TlxImageComboBoxLookupData* ImageLookupData() const {
    return static_cast<TlxImageComboBoxLookupData*>(LookupData());
  }
  // The item of the value shown; -1 for none.
  int32_t ItemIndex();
  void SetItemIndexValue(int32_t index);

  bool IsValidDataChar(char16_t ch) override { return ch >= 32; }
  TObject* GetItemObject() override { return nullptr; }
  TSize CalculatePopupContentSize() override;
  Variant GetEditingValue() override;
  void LookupKeyToEditValue(const Variant& key, Variant& value) override;
  void RefreshDisplayValue() override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;

 protected:
  TlxCustomImageComboBox(TComponent* owner, const TClass& properties_class);

  // The inner edit leaves the image's side free; without descriptions (or
  // when the image takes the whole width) it has no room at all.
  TRect InnerEditOffsets() const override;
};

class TlxImageComboBox : public TlxCustomImageComboBox {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageComboBox", &TlxCustomImageComboBox::kClass,
                                 &ConstructInstance<TlxImageComboBox>, &TlxImageComboBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxImageComboBox(TComponent* owner) : TlxCustomImageComboBox(owner, TlxImageComboBoxProperties::kClass) {}

  TlxImageComboBoxProperties* GetProperties() const { return static_cast<TlxImageComboBoxProperties*>(Properties()); }
  void SetProperties(const TlxImageComboBoxProperties* value) { AssignOwnProperties(value); }
};

// The filter builder's operands: equality, blanks, and the lists.
class TlxFilterImageComboBoxHelper : public TlxFilterTextEditHelper {
 public:
  static constexpr TClass kClass{"TlxFilterImageComboBoxHelper", &TlxFilterTextEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TClassRef GetValueEditorClass() const override;
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
};

void lxImageComboBoxModuleStart();
void lxImageComboBoxModuleEnd();
