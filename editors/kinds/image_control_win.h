#pragma once
// TlxCustomImage: the image editor control. Its edit value is the file
// bytes of the picture it shows (Null for none); the user changes the
// picture through its popup menu (cut, copy, paste, delete, load, save and
// one item of the application's own), the clipboard keys, or by assigning
// Picture. Layout and drawing are the image view data's and view info's.

#include <windows.h>

#include <memory>

#include "editors/edit_control_win.h"
#include "editors/kinds/image_properties_win.h"

class TPicture;
class TPopupMenu;
class TMenuItem;

using TlxImageEditGraphicClassEvent =
    std::function<void(TObject* sender, bool pasting_from_clipboard, const TClass*& graphic_class)>;

// The popup menu's actions; each item's tag.
enum TlxImageMenuAction : int32_t {
  imaCut = 0, imaCopy = 1, imaPaste = 2, imaDelete = 3, imaLoad = 4, imaSave = 5, imaCustom = 6
};

class TlxCustomImage : public TlxCustomEdit {
 public:
  static constexpr TClass kClass{"TlxCustomImage", &TlxCustomEdit::kClass, &ConstructInstance<TlxCustomImage>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomImage(TComponent* owner) : TlxCustomImage(owner, TlxCustomImageProperties::kClass) {}
  ~TlxCustomImage() override;

  // Virtual operations, in the order of their slots.
  virtual bool CanPasteFromClipboard();
  virtual void DoCustomClick();
  // In place the properties decide; stand-alone the properties' class,
  // else TBitmap when pasting, then OnGetGraphicClass of the control.
  virtual const TClass* GetGraphicClass(bool pasting_from_clipboard);

  Variant GetEditValue() const override;
  void StoreEditValue(const Variant& value, bool is_user_action) override;
  void PropertiesChanged(TlxCustomEditProperties* properties) override;
  void CopyToClipboard() override;
  void CutToClipboard() override;
  void PasteFromClipboard() override;
  bool IsAutoSizeActive() const override;
  bool IsAutoWidthWanted() const override { return true; }
  void PrepareViewData(TlxCustomEditViewData& view_data) override;

  TlxCustomImageProperties* ActiveImageProperties() const {
    return static_cast<TlxCustomImageProperties*>(GetActiveProperties());
  }
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(const TPicture* value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // The menu actions (tags of the menu's items), with the user-change flag
  // set for the duration.
  void ExecuteMenuAction(int32_t action);
  // Builds the menu once and sets its captions, visibility and enabled
  // state for now.
  void PreparePopupMenu();
  // Null until first used.
  TPopupMenu* ImagePopupMenu() const { return popup_menu_.get(); }
  // Empties the picture when editing may start.
  void ClearPicture();
  void LoadPicture();
  void SavePicture();
  bool IsDialogOpen() const { return dialog_open_; }
  // Where the last menu opened, in client coordinates (for the menu key).
  TPoint LastMenuPosition() const { return last_menu_position_; }

  // Raised by validation with the picture.
  void DoAssignPicture();

  TlxImageEditGraphicClassEvent OnGetGraphicClass;
  // After the load dialog: close reason 4 when a picture was loaded, 3
  // when the dialog was cancelled or editing refused (a popup hosting the
  // editor closes on it).
  std::function<void(TObject* sender, int32_t reason)> OnDialogClosed;

 protected:
  TlxCustomImage(TComponent* owner, const TClass& properties_class);

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void DoContextPopup(TPoint mouse_pos, bool& handled) override;

 private:
  void PictureChanged();
  // Runs `action` with the user-change flag set.
  template <class Action>
  void AsUserChange(Action action);
  void PopImageMenuAt(TPoint client_point);

  std::unique_ptr<TPicture> picture_;
  std::unique_ptr<TPopupMenu> popup_menu_;
  uint32_t clipboard_format_ = 0;
  bool loading_ = false;
  bool dialog_open_ = false;
  bool transparent_ = false;
  TPoint last_menu_position_{-1, -1};
};

class TlxImage : public TlxCustomImage {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxImage", &TlxCustomImage::kClass, &ConstructInstance<TlxImage>,
                                 &TlxImage::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxImage(TComponent* owner) : TlxCustomImage(owner, TlxImageProperties::kClass) {}

  TlxImageProperties* GetProperties() const { return static_cast<TlxImageProperties*>(Properties()); }
  void SetProperties(const TlxImageProperties* value) { AssignOwnProperties(value); }
};

// The menu's images: cut, copy, paste, delete, load, save (16 x 16),
// drawn here; built on first use, freed by lxImageFinalize.
class TCustomImageList;
TCustomImageList* lxImageMenuImages();
void lxFreeImageMenuImages();
