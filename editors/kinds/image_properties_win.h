#pragma once
// The image editor's settings: how the picture is placed (centred,
// stretched, shrunk in proportion), which graphic class values are decoded
// with, the caption shown without a picture, and which items its popup
// menu offers. The same properties draw grid cells without an editor.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/edit_properties.h"
#include "platform/toolkit/types.h"

class TBitmap;
class TPicture;

enum TlxPopupMenuItem : uint8_t { pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave, pmiCustom };
using TlxPopupMenuItems = TSmallSet<TlxPopupMenuItem>;

enum TlxImageTransparency : uint8_t { gtDefault, gtOpaque, gtTransparent };

// Which items the image editor's popup menu shows.
class TlxPopupMenuLayout : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxPopupMenuLayout", &TPersistent::kClass, nullptr, &TlxPopupMenuLayout::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxPopupMenuLayout(TPersistent* owner);
  ~TlxPopupMenuLayout() override;

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override { return owner_; }

  TlxPopupMenuItems MenuItems() const { return menu_items_; }
  void SetMenuItems(TlxPopupMenuItems items);
  const std::string& CustomMenuItemCaption() const { return caption_; }
  void SetCustomMenuItemCaption(const std::string& caption);
  // Created empty on first read.
  TBitmap* CustomMenuItemGlyph();
  // Null frees the glyph; a bitmap is copied.
  void SetCustomMenuItemGlyph(const TBitmap* glyph);

  // Called after each change (the owning properties' Changed).
  std::function<void()> OnChanged;

 private:
  void DoChanged();

  TPersistent* owner_;
  TlxPopupMenuItems menu_items_{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave};
  std::string caption_;
  std::unique_ptr<TBitmap> glyph_;
};

// The graphic classes an image value can be decoded with: TBitmap, TIcon,
// TMetafile, the PNG type where it is registered, TJPEGImage.
const std::vector<const TClass*>& lxImageGraphicClasses();
void lxFreeImageGraphicClasses();
// By name, ignoring case; null when not in the list.
const TClass* lxImageFindGraphicClass(std::string_view name);

class TlxCustomImageProperties;
using TlxImageAssignPictureEvent = std::function<void(TObject* sender, TPicture* picture)>;
using TlxImageGraphicClassEvent = std::function<void(TObject* item, int32_t record_index,
                                                     bool pasting_from_clipboard, const TClass*& graphic_class)>;

class TlxCustomImageProperties : public TlxCustomEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomImageProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<TlxCustomImageProperties>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomImageProperties(TPersistent* owner);
  ~TlxCustomImageProperties() override;

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  bool HasDisplayValue() const override { return true; }
  TlxEditViewDataClass GetViewDataClass() const override;
  TlxEditViewInfoClass GetViewInfoClass() const override;
  // Empty for Null, else the caption.
  void FormatDisplayText(const Variant& edit_value, std::string& text, bool full_text) const override;
  uint32_t GetEditorKindFlags() const override;
  uint32_t GetEditCapabilities() const override;
  bool CanRestoreEditValue() const override { return true; }
  int32_t CanUseFieldDisplayFormat(bool /*edit_focused*/) const override { return 0; }
  // TlxImage.
  const TClass* GetEditControlClass() const override;
  // Hands the picture to OnAssignPicture and starts editing; the display
  // value is not examined and no error is reported.
  void ValidateDisplayValue(Variant& display_value, std::string& error_text, bool& error,
                            IlxEditControl* edit) override;

  // Virtual operations, in the order of their slots.
  virtual const TClass* GetDefaultGraphicClass() const;
  // The graphic class, else TBitmap when pasting, then OnGetGraphicClass.
  virtual const TClass* GetGraphicClass(TObject* item, int32_t record_index, bool pasting_from_clipboard) const;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  const std::string& CustomFilter() const { return custom_filter_; }
  void SetCustomFilter(const std::string& value);
  const TClass* GraphicClass() const { return graphic_class_; }
  void SetGraphicClass(const TClass* value);
  std::string GraphicClassName() const;
  // Empty clears the class; a name of the list selects it; others are
  // ignored.
  void SetGraphicClassName(const std::string& name);
  TlxImageTransparency GraphicTransparency() const { return graphic_transparency_; }
  void SetGraphicTransparency(TlxImageTransparency value);
  TlxPopupMenuLayout* PopupMenuLayout() const { return popup_menu_layout_.get(); }
  void SetPopupMenuLayout(const TlxPopupMenuLayout* value) { popup_menu_layout_->Assign(value); }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool value);
  bool ShowFocusRect() const { return show_focus_rect_; }
  void SetShowFocusRect(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);
  // The content height of a cell without a picture.
  int32_t DefaultHeight() const { return 15; }

  TlxImageAssignPictureEvent OnAssignPicture;
  TNotifyEvent OnCustomClick;
  TlxImageGraphicClassEvent OnGetGraphicClass;

 private:
  std::string caption_;
  bool center_ = true;
  std::string custom_filter_;
  const TClass* graphic_class_ = nullptr;
  TlxImageTransparency graphic_transparency_ = gtDefault;
  std::unique_ptr<TlxPopupMenuLayout> popup_menu_layout_;
  bool proportional_ = true;
  bool show_focus_rect_ = true;
  bool stretch_ = false;
};

class TlxImageProperties : public TlxCustomImageProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImageProperties", &TlxCustomImageProperties::kClass,
                                 &ConstructInstance<TlxImageProperties>, &TlxImageProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomImageProperties::TlxCustomImageProperties;
};
