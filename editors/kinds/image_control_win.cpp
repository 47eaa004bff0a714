#include "editors/kinds/image_control_win.h"

#include <array>
#include <vector>

#include "editors/edit_strings.h"
#include "editors/kinds/image_picture_value_win.h"
#include "editors/kinds/image_view_win.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/application.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/metafile.h"
#include "platform/toolkit/picture.h"
#include "platform/toolkit/picture_dialog.h"

namespace {

// Menu positions: 0 cut, 1 copy, 2 paste, 3 delete, 4 line, 5 load,
// 6 save, 7 line, 8 custom.
constexpr int32_t kFirstLine = 4;
constexpr int32_t kSecondLine = 7;
constexpr int32_t kCustomPosition = 8;
constexpr int32_t kMenuImageSize = 16;
const TColor kMenuImageMask = clFuchsia;

int32_t PositionOfAction(int32_t action) { return action < imaLoad ? action : action + 1; }

TlxPopupMenuItem MenuItemOfAction(int32_t action) { return static_cast<TlxPopupMenuItem>(action); }

// Each menu image is a small drawing on the mask colour.
void DrawMenuImage(TCanvas& canvas, int32_t action) {
  canvas.Brush().SetColor(kMenuImageMask);
  canvas.FillRect(TRect(0, 0, kMenuImageSize, kMenuImageSize));
  canvas.Pen().SetColor(clBlack);
  switch (action) {
    case imaCut:  // scissors: two blades and two handles
      canvas.MoveTo(4, 1);
      canvas.LineTo(9, 10);
      canvas.MoveTo(11, 1);
      canvas.LineTo(6, 10);
      canvas.Brush().SetColor(clNavy);
      canvas.Ellipse(2, 9, 7, 15);
      canvas.Ellipse(9, 9, 14, 15);
      break;
    case imaCopy:  // two overlapping pages
      canvas.Brush().SetColor(clWhite);
      canvas.Rectangle(1, 1, 10, 12);
      canvas.Rectangle(6, 4, 15, 15);
      break;
    case imaPaste:  // a clipboard with a page
      canvas.Brush().SetColor(clOlive);
      canvas.Rectangle(1, 2, 12, 15);
      canvas.Brush().SetColor(clWhite);
      canvas.Rectangle(6, 6, 15, 15);
      canvas.Brush().SetColor(clGray);
      canvas.Rectangle(4, 1, 9, 4);
      break;
    case imaDelete:  // a red cross
      canvas.Pen().SetColor(clRed);
      for (int32_t offset = 0; offset < 2; ++offset) {
        canvas.MoveTo(3 + offset, 3);
        canvas.LineTo(13 + offset, 13);
        canvas.MoveTo(12 + offset, 3);
        canvas.LineTo(2 + offset, 13);
      }
      break;
    case imaLoad:  // an open folder
      canvas.Brush().SetColor(clYellow);
      canvas.Rectangle(1, 4, 14, 14);
      canvas.Brush().SetColor(clOlive);
      canvas.Polygon({TPoint(3, 8), TPoint(15, 8), TPoint(13, 14), TPoint(1, 14)});
      break;
    case imaSave:  // a disk
      canvas.Brush().SetColor(clNavy);
      canvas.Rectangle(1, 1, 15, 15);
      canvas.Brush().SetColor(clWhite);
      canvas.Rectangle(4, 2, 12, 7);
      canvas.Brush().SetColor(clSilver);
      canvas.Rectangle(4, 10, 12, 15);
      break;
    default:
      break;
  }
}

std::unique_ptr<TCustomImageList>& MenuImages() {
  static std::unique_ptr<TCustomImageList> images;
  return images;
}

}  // namespace

TCustomImageList* lxImageMenuImages() {
  std::unique_ptr<TCustomImageList>& images = MenuImages();
  if (images)
    return images.get();
  images = std::make_unique<TCustomImageList>(kMenuImageSize, kMenuImageSize);
  for (int32_t action = imaCut; action <= imaSave; ++action) {
    TBitmap bitmap;
    bitmap.SetSize(kMenuImageSize, kMenuImageSize);
    DrawMenuImage(bitmap.Canvas(), action);
    images->AddMasked(bitmap, kMenuImageMask);
  }
  return images.get();
}

void lxFreeImageMenuImages() { MenuImages().reset(); }

// --- TlxCustomImage ---------------------------------------------------------------------------

TlxCustomImage::TlxCustomImage(TComponent* owner, const TClass& properties_class)
    : TlxCustomEdit(owner, properties_class), picture_(std::make_unique<TPicture>()) {
  if (!properties_class.InheritsFrom(&TlxCustomImageProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no image properties class");
  SetAutoSize(false);
  SetBounds(Left(), Top(), 140, 100);
  clipboard_format_ = CF_PICTURE;
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
  if (auto* view_info = dynamic_cast<TlxImageViewInfo*>(&GetViewInfo())) {
    view_info->SetPicture(picture_.get());
    view_info->Control = this;
  }
}

TlxCustomImage::~TlxCustomImage() {
  if (auto* view_info = dynamic_cast<TlxImageViewInfo*>(&GetViewInfo()))
    view_info->SetPicture(nullptr);
  picture_->OnChange = nullptr;
}

template <class Action>
void TlxCustomImage::AsUserChange(Action action) {
  const bool was_user_change = IsUserChange();
  SetUserChange(true);
  TScopeExit restore([this, was_user_change] { SetUserChange(was_user_change); });
  action();
}

void TlxCustomImage::SetPicture(const TPicture* value) { picture_->Assign(value); }

void TlxCustomImage::SetTransparent(bool value) {
  if (transparent_ == value)
    return;
  transparent_ = value;
  GetViewInfo().Transparent = value;
  Invalidate();
}

Variant TlxCustomImage::GetEditValue() const {
  std::string bytes;
  lxSavePictureToString(picture_.get(), bytes);
  if (bytes.empty())
    return Variant::Null();
  return Variant(bytes);
}

void TlxCustomImage::StoreEditValue(const Variant& value, bool /*is_user_action*/) {
  {
    TStateScope<bool> loading(loading_, true);
    if (VarIsStr(value) || VarIsArray(value))
      lxLoadPictureFromValue(*picture_, GetGraphicClass(false), value);
    else
      picture_->SetGraphic(nullptr);
    SetModifiedAfterEnter(false);
  }
  RefreshFromCursor(false);
}

void TlxCustomImage::PictureChanged() {
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  TGraphic* graphic = picture_->Graphic();
  if (auto* icon = dynamic_cast<TIcon*>(graphic))
    (void)icon->Handle();
  const TlxCustomImageProperties* properties = ActiveImageProperties();
  if (properties->GraphicTransparency() != gtDefault && graphic != nullptr && !graphic->Empty()) {
    TNotifyEvent detached = std::move(picture_->OnChange);
    picture_->OnChange = nullptr;
    TScopeExit reattach([this, &detached] { picture_->OnChange = std::move(detached); });
    graphic->SetTransparent(properties->GraphicTransparency() == gtTransparent);
  }
  if (!ComponentState().Contains(csLoading))
    PlaceInnerControl();
  if (!loading_) {
    if (IsUserChange())
      SetModified(true);
    FireChange();
    RefreshFromCursor(false);
  }
  if (properties->ImmediatePost() && CanPostEditValue() && ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomImage::PropertiesChanged(TlxCustomEditProperties* properties) {
  if (IsInnerControlUnavailable())
    return;
  if (picture_)
    PictureChanged();
  TlxCustomEdit::PropertiesChanged(properties);
}

void TlxCustomImage::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomEdit::PrepareViewData(view_data);
  if (auto* image_data = dynamic_cast<TlxImageViewData*>(&view_data))
    image_data->EditorPicture = picture_.get();
}

bool TlxCustomImage::IsAutoSizeActive() const {
  return TlxCustomEdit::IsAutoSizeActive() && picture_->Graphic() != nullptr && !picture_->Graphic()->Empty();
}

const TClass* TlxCustomImage::GetGraphicClass(bool pasting_from_clipboard) {
  if (IsInplace())
    return ActiveImageProperties()->GetGraphicClass(this, -1, pasting_from_clipboard);
  const TClass* result = ActiveImageProperties()->GraphicClass();
  if (result == nullptr && pasting_from_clipboard)
    result = &TBitmap::kClass;
  if (OnGetGraphicClass)
    OnGetGraphicClass(this, pasting_from_clipboard, result);
  return result;
}

bool TlxCustomImage::CanPasteFromClipboard() {
  const TClass* graphic_class = ActiveImageProperties()->GraphicClass();
  TClipboard* clipboard = Clipboard();
  if (graphic_class == nullptr)
    return clipboard->HasFormat(CF_PICTURE);
  if (graphic_class == &TBitmap::kClass || graphic_class == &TJPEGImage::kClass)
    return clipboard->HasFormat(CF_BITMAP);
  if (graphic_class == &TMetafile::kClass)
    return clipboard->HasFormat(CF_METAFILEPICT);
  if (graphic_class == &TIcon::kClass)
    return false;
  return clipboard->HasFormat(clipboard_format_);
}

void TlxCustomImage::DoCustomClick() {
  if (Properties()->ClassType()->InheritsFrom(&TlxCustomImageProperties::kClass)) {
    auto* own = static_cast<TlxCustomImageProperties*>(Properties());
    if (own->OnCustomClick)
      own->OnCustomClick(this);
  }
  TlxCustomImageProperties* active = ActiveImageProperties();
  if (active != Properties() && active->OnCustomClick)
    active->OnCustomClick(this);
}

void TlxCustomImage::DoAssignPicture() {
  auto* own = static_cast<TlxCustomImageProperties*>(Properties());
  if (own->OnAssignPicture)
    own->OnAssignPicture(this, picture_.get());
  TlxCustomImageProperties* active = ActiveImageProperties();
  if (active != own && active->OnAssignPicture)
    active->OnAssignPicture(this, picture_.get());
}

// --- clipboard ---------------------------------------------------------------------------------

void TlxCustomImage::CopyToClipboard() {
  if (picture_->Graphic() == nullptr || picture_->Graphic()->Empty())
    return;
  // The clipboard takes bitmaps: other graphics are drawn into one.
  if (dynamic_cast<TBitmap*>(picture_->Graphic()) != nullptr) {
    Clipboard()->Assign(picture_.get());
    return;
  }
  TBitmap bitmap;
  bitmap.SetSize(picture_->Width(), picture_->Height());
  bitmap.Canvas().Brush().SetColor(clWhite);
  bitmap.Canvas().FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
  bitmap.Canvas().Draw(0, 0, picture_->Graphic());
  Clipboard()->Assign(&bitmap);
}

void TlxCustomImage::ClearPicture() {
  if (TryStartEditing())
    picture_->SetGraphic(nullptr);
}

void TlxCustomImage::CutToClipboard() {
  CopyToClipboard();
  ClearPicture();
}

void TlxCustomImage::PasteFromClipboard() {
  if (!CanPasteFromClipboard() || !TryStartEditing())
    return;
  TClipboard* clipboard = Clipboard();
  if (!clipboard->HasFormat(CF_BITMAP)) {
    picture_->Assign(clipboard);
    return;
  }
  if (GetGraphicClass(true) == &TJPEGImage::kClass) {
    TBitmap bitmap;
    bitmap.Assign(clipboard);
    TJPEGImage jpeg;
    jpeg.Compress(bitmap);
    picture_->SetGraphic(&jpeg);
    return;
  }
  TBitmap bitmap;
  bitmap.Assign(clipboard);
  picture_->SetGraphic(&bitmap);
}

// --- dialogs --------------------------------------------------------------------------------------

void TlxCustomImage::LoadPicture() {
  if (!IsValueModifiable())
    return;
  TOpenPictureDialog dialog(nullptr);
  const std::string& custom_filter = ActiveImageProperties()->CustomFilter();
  const TClass* graphic_class = ActiveImageProperties()->GraphicClass();
  dialog.SetFilter(!custom_filter.empty() ? custom_filter
                                          : GraphicFileFilter(graphic_class != nullptr ? *graphic_class
                                                                                       : TGraphic::kClass));
  bool picked = false;
  {
    TStateScope<bool> open(dialog_open_, true);
    picked = dialog.Execute();
  }
  int32_t reason = 3;
  if (picked && TryStartEditing()) {
    picture_->LoadFromFile(dialog.FileName());
    reason = 4;
  }
  RaiseOnClosePopup(reason);
  if (OnDialogClosed)
    OnDialogClosed(this, reason);
  if (TApplication* application = GetApplication())
    application->ProcessMessages();
}

void TlxCustomImage::SavePicture() {
  TGraphic* graphic = picture_->Graphic();
  if (graphic == nullptr)
    return;
  TSavePictureDialog dialog(GetApplication());
  const std::string& custom_filter = ActiveImageProperties()->CustomFilter();
  dialog.SetFilter(!custom_filter.empty() ? custom_filter : GraphicFileFilter(*graphic->ClassType()));
  dialog.SetDefaultExt(TPicture::GraphicExtension(*graphic->ClassType()));
  bool picked = false;
  {
    TStateScope<bool> open(dialog_open_, true);
    picked = dialog.Execute();
  }
  if (picked)
    picture_->SaveToFile(dialog.FileName());
  if (TApplication* application = GetApplication())
    application->ProcessMessages();
}

// --- menu -----------------------------------------------------------------------------------------

void TlxCustomImage::ExecuteMenuAction(int32_t action) {
  AsUserChange([this, action] {
    switch (action) {
      case imaCut:
        CutToClipboard();
        break;
      case imaCopy:
        CopyToClipboard();
        break;
      case imaPaste:
        PasteFromClipboard();
        break;
      case imaDelete:
        ClearPicture();
        break;
      case imaLoad:
        LoadPicture();
        break;
      case imaSave:
        SavePicture();
        break;
      case imaCustom:
        DoCustomClick();
        break;
      default:
        break;
    }
  });
}

void TlxCustomImage::PreparePopupMenu() {
  TlxPopupMenuLayout* layout = ActiveImageProperties()->PopupMenuLayout();
  if (!popup_menu_) {
    popup_menu_ = std::make_unique<TPopupMenu>(nullptr);
    popup_menu_->SetImages(lxImageMenuImages());
    for (int32_t action = imaCut; action <= imaCustom; ++action) {
      if (action == imaLoad || action == imaCustom) {
        auto* line = new TMenuItem(popup_menu_.get());
        line->SetCaption("-");
        line->SetImageIndex(-1);
        line->SetTag(-1);
        popup_menu_->Items().Add(line);
      }
      auto* item = new TMenuItem(popup_menu_.get());
      item->SetTag(action);
      item->SetImageIndex(action == imaCustom ? -1 : action);
      item->OnClick = [this, action](TObject*) { ExecuteMenuAction(action); };
      popup_menu_->Items().Add(item);
    }
  }
  TMenuItem& items = popup_menu_->Items();
  // The texts are found by their identity: the table holds pointers.
  static constexpr std::array<const TlxResourceString*, 6> kCaptions{
      &lxSMenuItemCaptionCut,    &lxSMenuItemCaptionCopy, &lxSMenuItemCaptionPaste,
      &lxSMenuItemCaptionDelete, &lxSMenuItemCaptionLoad, &lxSMenuItemCaptionSave};
  const TlxPopupMenuItems visible = layout->MenuItems();
  for (int32_t action = imaCut; action <= imaSave; ++action) {
    TMenuItem* item = items.Items(PositionOfAction(action));
    item->SetCaption(lxEditResString(*kCaptions[static_cast<size_t>(action)]));
    item->SetVisible(visible.Contains(MenuItemOfAction(action)));
  }
  TMenuItem* custom = items.Items(kCustomPosition);
  custom->SetCaption(layout->CustomMenuItemCaption());
  custom->SetVisible(visible.Contains(pmiCustom));
  TBitmap* glyph = layout->CustomMenuItemGlyph();
  glyph->SetTransparent(true);
  custom->Bitmap().Assign(glyph);
  items.Items(kFirstLine)->SetVisible(visible.Contains(pmiLoad) || visible.Contains(pmiSave));
  // A line only parts the custom item from standard items shown above it.
  const bool standard_shown = !(visible - TlxPopupMenuItems{pmiCustom}).Empty();
  items.Items(kSecondLine)->SetVisible(visible.Contains(pmiCustom) && standard_shown);

  const bool editable = IsValueModifiable();
  const bool empty = picture_->Graphic() == nullptr || picture_->Graphic()->Empty();
  const bool icon = ActiveImageProperties()->GraphicClass() == &TIcon::kClass;
  items.Items(PositionOfAction(imaCut))->SetEnabled(editable && !empty && !icon);
  items.Items(PositionOfAction(imaCopy))->SetEnabled(!empty && !icon);
  items.Items(PositionOfAction(imaPaste))->SetEnabled(editable && CanPasteFromClipboard());
  items.Items(PositionOfAction(imaDelete))->SetEnabled(editable && !empty);
  items.Items(PositionOfAction(imaLoad))->SetEnabled(editable);
  items.Items(PositionOfAction(imaSave))->SetEnabled(!empty);
  custom->SetEnabled(true);
}

void TlxCustomImage::PopImageMenuAt(TPoint client_point) {
  last_menu_position_ = client_point;
  PreparePopupMenu();
  const TPoint screen = ClientToScreen(client_point);
  popup_menu_->SetPopupComponent(this);
  popup_menu_->Popup(screen.X, screen.Y);
}

void TlxCustomImage::DoContextPopup(TPoint mouse_pos, bool& handled) {
  if (PopupMenu() != nullptr || ActiveImageProperties()->PopupMenuLayout()->MenuItems().Empty()) {
    TlxCustomEdit::DoContextPopup(mouse_pos, handled);
    return;
  }
  handled = true;
  PopImageMenuAt(mouse_pos.X == -1 && mouse_pos.Y == -1 ? TPoint(10, 10) : mouse_pos);
}

// --- keys -------------------------------------------------------------------------------------------

void TlxCustomImage::KeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomEdit::KeyDown(key, shift);
  AsUserChange([this, key, shift] {
    if (key == VK_INSERT && shift.Contains(ssShift))
      PasteFromClipboard();
    else if (key == VK_INSERT && shift.Contains(ssCtrl))
      CopyToClipboard();
    else if (key == VK_DELETE && shift.Contains(ssShift))
      CutToClipboard();
  });
}

void TlxCustomImage::KeyPress(char16_t& key) {
  TlxCustomEdit::KeyPress(key);
  AsUserChange([this, key] {
    if (key == 3)
      CopyToClipboard();
    else if (key == 22)
      PasteFromClipboard();
    else if (key == 24)
      CutToClipboard();
  });
}

void TlxImage::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxImage>();
  p.Persistent("Properties", TlxImageProperties::kClass, &TlxImage::GetProperties);
  p.Boolean("Transparent", &TlxImage::Transparent, &TlxImage::SetTransparent, false);
}
