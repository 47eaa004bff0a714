#pragma once
// The BLOB editor: a large value (memo text, picture, OLE object, raw
// bytes) in a single line, shown as an icon or a short text, with a
// resizable popup that edits it (a memo or an image editor) between OK and
// Cancel buttons. Changes are saved when the popup closes with OK, or,
// with AlwaysSaveData, whenever it is not cancelled.

#include <windows.h>

#include <memory>
#include <string>

#include "editors/kinds/blob_edit_rules.h"
#include "editors/kinds/image_control_win.h"
#include "editors/popup_edit_win.h"
#include "platform/toolkit/memo.h"

class TCustomImageList;
class TlxButton;
class TlxCustomBlobEdit;

class TlxBlobEditViewInfo : public TlxCustomTextEditViewInfo {
 public:
  static constexpr TClass kClass{"TlxBlobEditViewInfo", &TlxCustomTextEditViewInfo::kClass,
                                 &ConstructInstance<TlxBlobEditViewInfo>};
  const TClass* ClassType() const override { return &kClass; }

  void RenderFrame(TlxCanvas& canvas) override;
  void MoveBy(int32_t dx, int32_t dy) override;

  TRect IconRect;
  // In the shared icon list; -1 shows text instead.
  int32_t ImageIndex = -1;
  // A stand-alone editor focused with its popup closed.
  bool ShowFocusRect = false;
};

class TlxBlobEditViewData : public TlxCustomDropDownEditViewData {
 public:
  static constexpr TClass kClass{"TlxBlobEditViewData", &TlxCustomDropDownEditViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomDropDownEditViewData::TlxCustomDropDownEditViewData;

  void Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button, TShiftState shift,
                 TlxCustomEditViewInfo& view_info, bool is_mouse_event) override;
  void StoreDisplayText(const Variant& edit_value, TlxCustomTextEditViewInfo& view_info) override;
  // A grid cell's value: icon or text of the value itself.
  void ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                TlxCustomEditViewInfo& view_info) override;
  TSize MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                           const TlxEditSizeProperties& limits) const override;

  // A stand-alone editor's own value: its display text says nothing of it.
  bool HasEditorValue = false;
  Variant EditorValue;
};

using TlxBlobGraphicClassEvent =
    std::function<void(TObject* item, int32_t record_index, const TClass*& graphic_class)>;

class TlxCustomBlobEditProperties : public TlxCustomPopupEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomBlobEditProperties", &TlxCustomPopupEditProperties::kClass,
                                 &ConstructInstance<TlxCustomBlobEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomBlobEditProperties(TPersistent* owner);

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // Virtual operations, in the order of their slots.
  virtual const TClass* GetDefaultGraphicClass() const;

  bool HasDisplayValue() const override { return ResolvedKind() == bekMemo; }
  bool DropsDownOnTextClick() const override { return true; }
  uint32_t GetDisplayFormatOptions() const override { return 0; }
  const TClass* GetPopupWindowClass() const override;
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  bool FiresChangeIndependently() const override { return false; }
  bool EditValuesEqual(const Variant& value1, const Variant& value2) const override;
  const TClass* GetEditControlClass() const override;
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  uint32_t GetEditorKindFlags() const override;
  uint32_t GetEditCapabilities() const override;
  bool IsEditValueValid(Variant& /*edit_value*/, bool /*edit_focused*/) const override { return true; }

  // BlobEditKind, with bekAuto resolved through the bound data (an
  // unbound editor holds binary data).
  TlxBlobEditKind ResolvedKind() const;

  bool AlwaysSaveData() const { return always_save_data_; }
  void SetAlwaysSaveData(bool value) { Store(always_save_data_, value); }
  TlxBlobEditKind BlobEditKind() const { return blob_edit_kind_; }
  // Also turns the first button into a drop-down (memo, picture) or an
  // ellipsis button.
  void SetBlobEditKind(TlxBlobEditKind value);
  TlxBlobPaintStyle BlobPaintStyle() const { return blob_paint_style_; }
  void SetBlobPaintStyle(TlxBlobPaintStyle value) { Store(blob_paint_style_, value); }
  bool MemoAutoReplace() const { return memo_auto_replace_; }
  void SetMemoAutoReplace(bool value) { Store(memo_auto_replace_, value); }
  TEditCharCase MemoCharCase() const { return memo_char_case_; }
  void SetMemoCharCase(TEditCharCase value) { Store(memo_char_case_, value); }
  int32_t MemoMaxLength() const { return memo_max_length_; }
  void SetMemoMaxLength(int32_t value) { Store(memo_max_length_, value); }
  bool MemoOEMConvert() const { return memo_oem_convert_; }
  void SetMemoOEMConvert(bool value) { Store(memo_oem_convert_, value); }
  TScrollStyle MemoScrollBars() const { return memo_scroll_bars_; }
  void SetMemoScrollBars(TScrollStyle value) { Store(memo_scroll_bars_, value); }
  bool MemoWantReturns() const { return memo_want_returns_; }
  void SetMemoWantReturns(bool value) { Store(memo_want_returns_, value); }
  bool MemoWantTabs() const { return memo_want_tabs_; }
  void SetMemoWantTabs(bool value) { Store(memo_want_tabs_, value); }
  bool MemoWordWrap() const { return memo_word_wrap_; }
  void SetMemoWordWrap(bool value) { Store(memo_word_wrap_, value); }
  bool PictureAutoSize() const { return picture_auto_size_; }
  void SetPictureAutoSize(bool value) { Store(picture_auto_size_, value); }
  const std::string& PictureFilter() const { return picture_filter_; }
  void SetPictureFilter(const std::string& value) { Store(picture_filter_, value); }
  const TClass* PictureGraphicClass() const { return picture_graphic_class_; }
  void SetPictureGraphicClass(const TClass* value) { Store(picture_graphic_class_, value); }
  std::string PictureGraphicClassName() const;
  // An unknown name changes nothing; an empty one clears the class.
  void SetPictureGraphicClassName(const std::string& name);
  bool PictureGraphicClassNameNeedsStoring() const {
    return picture_graphic_class_ != GetDefaultGraphicClass();
  }
  TlxImageTransparency PictureTransparency() const { return picture_transparency_; }
  void SetPictureTransparency(TlxImageTransparency value) { Store(picture_transparency_, value); }
  bool ShowExPopupItems() const { return show_ex_popup_items_; }
  void SetShowExPopupItems(bool value) { Store(show_ex_popup_items_, value); }
  bool ShowPicturePopup() const { return show_picture_popup_; }
  void SetShowPicturePopup(bool value) { Store(show_picture_popup_, value); }

  TlxImageAssignPictureEvent OnAssignPicture;
  TlxBlobGraphicClassEvent OnGetGraphicClass;

 private:
  bool always_save_data_ = true;
  TlxBlobEditKind blob_edit_kind_ = bekAuto;
  TlxBlobPaintStyle blob_paint_style_ = bpsIcon;
  bool memo_auto_replace_ = false;
  TEditCharCase memo_char_case_ = ecNormal;
  int32_t memo_max_length_ = 0;
  bool memo_oem_convert_ = false;
  TScrollStyle memo_scroll_bars_ = ssNone;
  bool memo_want_returns_ = true;
  bool memo_want_tabs_ = true;
  bool memo_word_wrap_ = true;
  bool picture_auto_size_ = true;
  std::string picture_filter_;
  const TClass* picture_graphic_class_ = nullptr;
  TlxImageTransparency picture_transparency_ = gtDefault;
  bool show_ex_popup_items_ = true;
  bool show_picture_popup_ = true;
};

class TlxBlobEditProperties : public TlxCustomBlobEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxBlobEditProperties", &TlxCustomBlobEditProperties::kClass,
                                 &ConstructInstance<TlxBlobEditProperties>, &TlxBlobEditProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomBlobEditProperties::TlxCustomBlobEditProperties;
};

class TlxBlobEditPopupWindow : public TlxPopupEditPopupWindow {
 public:
  static constexpr TClass kClass{"TlxBlobEditPopupWindow", &TlxPopupEditPopupWindow::kClass,
                                 &ConstructInstance<TlxBlobEditPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TControl;

  using TlxPopupEditPopupWindow::TlxPopupEditPopupWindow;
};

// The memo of a memo-kind popup; its keys close the popup.
class TlxPopupMemo : public TMemo {
 public:
  static constexpr TClass kClass{"TlxPopupMemo", &TMemo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxPopupMemo(TComponent* owner, TlxCustomBlobEdit* edit);

  TlxCustomBlobEdit* BlobEdit() const { return edit_; }

 protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;

 private:
  TlxCustomBlobEdit* edit_;
  // The character of a key that closed the popup, not to be typed.
  char16_t dropped_char_ = 0;
};

// The image editor of a picture-kind popup; its keys close the popup.
class TlxPopupImage : public TlxImage {
 public:
  static constexpr TClass kClass{"TlxPopupImage", &TlxImage::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxPopupImage(TComponent* owner, TlxCustomBlobEdit* edit);

  TlxCustomBlobEdit* BlobEdit() const { return edit_; }

 protected:
  void KeyDown(uint16_t& key, TShiftState shift) override;

 private:
  TlxCustomBlobEdit* edit_;
};

class TlxCustomBlobEdit : public TlxCustomPopupEdit {
 public:
  static constexpr TClass kClass{"TlxCustomBlobEdit", &TlxCustomPopupEdit::kClass,
                                 &ConstructInstance<TlxCustomBlobEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomBlobEdit(TComponent* owner) : TlxCustomBlobEdit(owner, TlxCustomBlobEditProperties::kClass) {}
  ~TlxCustomBlobEdit() override;

  // Virtual operations, in the order of their slots.
  virtual void CreatePopupControls();
  virtual void DestroyPopupControls();
  // The popup editor's OnEditing: allowed when the value may change.
  virtual bool PopupEditorEditing();

  bool CanDropDown() override { return true; }
  void DoInitPopup() override;
  TWinControl* GetPopupFocusedControl() override;
  TSize CalculatePopupContentSize() override;
  void PositionPopupWindow() override;
  void PopupWindowClosed(int32_t reason) override;
  void GetDisplayText(std::string& text) override;
  Variant GetActualEditValue() override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void RefreshDisplayValue() override;
  void PrepareViewData(TlxCustomEditViewData& view_data) override;
  std::unique_ptr<TlxCustomEditViewData> CreateViewData() override;
  // The value stands for itself: the one-line display never turns back
  // into a value.
  Variant GetEditingValue() override;
  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  bool IsInnerControlShown() const override { return false; }
  // The inner edit only keeps the focus and the keys: it takes no room, so
  // the icon or text is drawn where it would be.
  void AdjustInnerControlBounds() override;
  bool CanEditText() override { return false; }

  TlxCustomBlobEditProperties* ActiveBlobProperties() const {
    return static_cast<TlxCustomBlobEditProperties*>(GetActiveProperties());
  }
  // The popup's editor while one exists: a TlxPopupMemo or TlxPopupImage.
  TWinControl* PopupEditor() const { return popup_editor_.get(); }
  TlxPopupMemo* PopupMemo() const { return dynamic_cast<TlxPopupMemo*>(popup_editor_.get()); }
  TlxPopupImage* PopupImage() const { return dynamic_cast<TlxPopupImage*>(popup_editor_.get()); }
  TlxButton* OkButton() const { return ok_button_.get(); }
  // The Cancel button, or the Close button of a value that cannot change.
  TlxButton* CancelButton() const { return cancel_button_.get(); }
  // Ends the popup as its buttons and keys do.
  void ClosePopupWithResult(TModalResult result);
  const TClass* SavedGraphicClass() const { return saved_graphic_class_; }

 protected:
  TlxCustomBlobEdit(TComponent* owner, const TClass& properties_class);

 private:
  void CreatePopupMemo();
  void CreatePopupImage();
  void CreateButtons();
  void PopupEditorChanged();
  bool PopupEditorModified() const;
  void SaveValue();

  std::unique_ptr<TWinControl> popup_editor_;
  std::unique_ptr<TlxButton> ok_button_;
  std::unique_ptr<TlxButton> cancel_button_;
  int32_t button_width_ = 0;
  int32_t button_height_ = 0;
  bool editor_modified_ = false;
  const TClass* saved_graphic_class_ = nullptr;
};

class TlxBlobEdit : public TlxCustomBlobEdit {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxBlobEdit", &TlxCustomBlobEdit::kClass, &ConstructInstance<TlxBlobEdit>,
                                 &TlxBlobEdit::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxBlobEdit(TComponent* owner) : TlxCustomBlobEdit(owner, TlxBlobEditProperties::kClass) {}

  TlxBlobEditProperties* GetProperties() const { return static_cast<TlxBlobEditProperties*>(Properties()); }
  void SetProperties(const TlxBlobEditProperties* value) { AssignOwnProperties(value); }
};

// The shared icons, in the order of their image indexes: binary, memo,
// picture and OLE, each empty and filled.
TCustomImageList* lxBlobEditIcons();

void lxBlobEditModuleStart();
void lxBlobEditModuleEnd();
