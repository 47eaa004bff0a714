#include "editors/kinds/blob_edit_win.h"

#include <algorithm>

#include "data/variant_utils.h"
#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/kinds/button_win.h"
#include "editors/kinds/image_picture_value_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/picture.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

constexpr int32_t kIconWidth = 21;
constexpr int32_t kIconHeight = 16;
// The transparent colour of the icons.
const TColor kIconMask = clOlive;

// One icon: a page whose look says the kind; the empty ones are drawn
// hollow in grey, the filled ones in colour with content.
void DrawBlobIcon(TCanvas& canvas, TlxBlobEditKind kind, bool filled) {
  canvas.Brush().SetColor(kIconMask);
  canvas.FillRect(TRect(0, 0, kIconWidth, kIconHeight));
  const TColor ink = filled ? clBlack : clGray;
  canvas.Pen().SetColor(ink);
  canvas.Brush().SetColor(filled ? clWhite : clSilver);
  canvas.Rectangle(3, 1, 18, 15);
  switch (kind) {
    case bekMemo:  // lines of text
      for (int32_t y = 4; y <= 11 && filled; y += 2) {
        canvas.MoveTo(5, y);
        canvas.LineTo(y == 10 ? 12 : 16, y);
      }
      break;
    case bekPict:  // a landscape: sun and hill
      canvas.Brush().SetColor(filled ? clYellow : clSilver);
      canvas.Ellipse(5, 3, 9, 7);
      canvas.Brush().SetColor(filled ? clGreen : clSilver);
      canvas.Polygon({TPoint(4, 14), TPoint(10, 7), TPoint(17, 14)});
      break;
    case bekOle:  // a framed square in a square
      canvas.Brush().SetColor(filled ? clBlue : clSilver);
      canvas.Rectangle(7, 5, 14, 11);
      break;
    default:  // bits: 0 and 1 marks
      if (filled) {
        canvas.MoveTo(6, 4);
        canvas.LineTo(6, 11);
        canvas.Rectangle(9, 4, 13, 11);
        canvas.MoveTo(15, 4);
        canvas.LineTo(15, 11);
      }
      break;
  }
}

std::unique_ptr<TCustomImageList>& BlobIcons() {
  static std::unique_ptr<TCustomImageList> icons;
  return icons;
}

const TlxCustomBlobEditProperties* BlobProperties(const TlxCustomEditProperties* properties) {
  return dynamic_cast<const TlxCustomBlobEditProperties*>(properties);
}

}  // namespace

TCustomImageList* lxBlobEditIcons() {
  std::unique_ptr<TCustomImageList>& icons = BlobIcons();
  if (icons)
    return icons.get();
  icons = std::make_unique<TCustomImageList>(kIconWidth, kIconHeight);
  for (TlxBlobEditKind kind : {bekBlob, bekMemo, bekPict, bekOle}) {
    for (bool filled : {false, true}) {
      TBitmap bitmap;
      bitmap.SetSize(kIconWidth, kIconHeight);
      DrawBlobIcon(bitmap.Canvas(), kind, filled);
      icons->AddMasked(bitmap, kIconMask);
    }
  }
  return icons.get();
}

// --- view ------------------------------------------------------------------------------------

void TlxBlobEditViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxCustomTextEditViewInfo::MoveBy(dx, dy);
  IconRect = IconRect.Offset(dx, dy);
}

void TlxBlobEditViewInfo::RenderFrame(TlxCanvas& canvas) {
  if (ImageIndex < 0) {
    TlxCustomTextEditViewInfo::RenderFrame(canvas);
  } else {
    TlxCustomEditViewInfo::RenderFrame(canvas);
    canvas.PushClipRegion();
    canvas.IntersectClip(ClientRect);
    lxBlobEditIcons()->Draw(canvas.Canvas(), IconRect.Left, IconRect.Top, ImageIndex, Enabled);
    canvas.PopClipRegion();
  }
  if (ShowFocusRect) {
    const TRect focus = ClientRect.Inflate(-1, -1);
    RECT rect{focus.Left, focus.Top, focus.Right, focus.Bottom};
    DrawFocusRect(canvas.Handle(), &rect);
  }
}

void TlxBlobEditViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                    TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxCustomDropDownEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* blob_info = dynamic_cast<TlxBlobEditViewInfo*>(&view_info);
  if (blob_info == nullptr)
    return;
  const TRect content = blob_info->ClientRect;
  const int32_t left = content.Left + (content.Width() - kIconWidth) / 2;
  const int32_t top = content.Top + (content.Height() - kIconHeight) / 2;
  blob_info->IconRect = TRect(left, top, left + kIconWidth, top + kIconHeight);
  blob_info->ShowFocusRect = Focused && !IsInplace() && !IsPopupOpen;
}

void TlxBlobEditViewData::StoreDisplayText(const Variant& edit_value, TlxCustomTextEditViewInfo& view_info) {
  const TlxCustomBlobEditProperties* properties = BlobProperties(Properties());
  auto* blob_info = dynamic_cast<TlxBlobEditViewInfo*>(&view_info);
  if (properties == nullptr || blob_info == nullptr) {
    TlxCustomDropDownEditViewData::StoreDisplayText(edit_value, view_info);
    return;
  }
  const TlxBlobEditKind kind = properties->ResolvedKind();
  const Variant& value = HasEditorValue ? EditorValue : edit_value;
  if (properties->BlobPaintStyle() == bpsIcon) {
    blob_info->ImageIndex = lxBlobImageIndex(kind, value);
    blob_info->Text.clear();
    return;
  }
  blob_info->ImageIndex = -1;
  blob_info->Text = lxBlobDisplayText(kind, properties->BlobPaintStyle(), value, false);
}

void TlxBlobEditViewData::ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                                   TlxCustomEditViewInfo& view_info) {
  TlxCustomDropDownEditViewData::ApplyEditValueToViewInfo(canvas, edit_value, view_info);
  if (auto* blob_info = dynamic_cast<TlxBlobEditViewInfo*>(&view_info))
    StoreDisplayText(edit_value, *blob_info);
}

TSize TlxBlobEditViewData::MeasureContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                              const TlxEditSizeProperties& limits) const {
  TSize size = TlxCustomDropDownEditViewData::MeasureContentSize(canvas, edit_value, limits);
  const TlxCustomBlobEditProperties* properties = BlobProperties(Properties());
  if (properties != nullptr && properties->BlobPaintStyle() == bpsIcon) {
    size.cx += kIconWidth;
    size.cy = std::max(size.cy, kIconHeight);
  }
  return size;
}

// --- properties ------------------------------------------------------------------------------

TlxCustomBlobEditProperties::TlxCustomBlobEditProperties(TPersistent* owner)
    : TlxCustomPopupEditProperties(owner) {
  SetImmediatePopup(true);
  SetPopupMinWidth(160);
  SetPopupMinHeight(140);
  picture_graphic_class_ = TlxCustomBlobEditProperties::GetDefaultGraphicClass();
  if (Buttons()->Count() > 0)
    Buttons()->GetButton(0)->SetKind(bkEllipsis);
}

const TClass* TlxCustomBlobEditProperties::GetDefaultGraphicClass() const {
  const std::vector<const TClass*>& classes = lxImageGraphicClasses();
  return classes.empty() ? nullptr : classes.front();
}

void TlxCustomBlobEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomBlobEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomPopupEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomPopupEditProperties::Assign(source);
  SetAlwaysSaveData(other->always_save_data_);
  SetBlobEditKind(other->blob_edit_kind_);
  SetBlobPaintStyle(other->blob_paint_style_);
  SetMemoAutoReplace(other->memo_auto_replace_);
  SetMemoCharCase(other->memo_char_case_);
  SetMemoMaxLength(other->memo_max_length_);
  SetMemoOEMConvert(other->memo_oem_convert_);
  SetMemoScrollBars(other->memo_scroll_bars_);
  SetMemoWantReturns(other->memo_want_returns_);
  SetMemoWantTabs(other->memo_want_tabs_);
  SetMemoWordWrap(other->memo_word_wrap_);
  SetPictureAutoSize(other->picture_auto_size_);
  SetPictureFilter(other->picture_filter_);
  SetPictureGraphicClass(other->picture_graphic_class_);
  SetPictureTransparency(other->picture_transparency_);
  SetShowExPopupItems(other->show_ex_popup_items_);
  SetShowPicturePopup(other->show_picture_popup_);
  OnAssignPicture = other->OnAssignPicture;
  OnGetGraphicClass = other->OnGetGraphicClass;
}

void TlxCustomBlobEditProperties::DefineProperties(TFiler& filer) {
  TlxCustomPopupEditProperties::DefineProperties(filer);
  // The class name is not stored when empty; this flag keeps "no class".
  filer.DefineProperty(
      "IsPictureGraphicClassNameEmpty",
      [this](TReader& reader) {
        if (reader.ReadBoolean())
          SetPictureGraphicClass(nullptr);
      },
      [](TWriter& writer) { writer.WriteBoolean(true); }, picture_graphic_class_ == nullptr);
}

TlxBlobEditKind TlxCustomBlobEditProperties::ResolvedKind() const {
  if (blob_edit_kind_ != bekAuto)
    return blob_edit_kind_;
  const IlxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  if (provider == nullptr || !provider->IsBoundToData() || !provider->HasActiveData())
    return bekBlob;
  return lxBlobKindOfSuggestion(provider->SuggestedBlobKind());
}

void TlxCustomBlobEditProperties::SetBlobEditKind(TlxBlobEditKind value) {
  if (blob_edit_kind_ == value)
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  blob_edit_kind_ = value;
  if (Buttons()->Count() > 0)
    Buttons()->GetButton(0)->SetKind(value == bekMemo || value == bekPict ? bkDown : bkEllipsis);
  Changed();
}

std::string TlxCustomBlobEditProperties::PictureGraphicClassName() const {
  return picture_graphic_class_ != nullptr ? std::string(picture_graphic_class_->ClassName()) : std::string();
}

void TlxCustomBlobEditProperties::SetPictureGraphicClassName(const std::string& name) {
  if (name.empty()) {
    SetPictureGraphicClass(nullptr);
    return;
  }
  if (const TClass* found = lxImageFindGraphicClass(name))
    SetPictureGraphicClass(found);
}

const TClass* TlxCustomBlobEditProperties::GetPopupWindowClass() const { return &TlxBlobEditPopupWindow::kClass; }

TlxEditViewDataClass TlxCustomBlobEditProperties::GetViewDataClass() const {
  return {&TlxBlobEditViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxBlobEditViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomBlobEditProperties::GetViewInfoClass() const {
  return {&TlxBlobEditViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxBlobEditViewInfo>(); }};
}

bool TlxCustomBlobEditProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  // Only the shown first lines of memos can be compared cheaply; any other
  // pair counts as changed.
  if (blob_paint_style_ != bpsText || ResolvedKind() != bekMemo || !VarIsStr(value1) || !VarIsStr(value2))
    return false;
  return value1.AsString() == value2.AsString();
}

const TClass* TlxCustomBlobEditProperties::GetEditControlClass() const { return &TlxBlobEdit::kClass; }

void TlxCustomBlobEditProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                    bool full_text) const {
  text = lxBlobFormatDisplayText(ResolvedKind(), blob_paint_style_, edit_value, full_text);
}

int32_t TlxCustomBlobEditProperties::CanUseFieldDisplayFormat(bool /*edit_focused*/) const {
  if (ResolvedKind() != bekMemo)
    return 0;
  const IlxEditDefaultValuesProvider* provider = DefaultValuesProvider();
  return provider == nullptr || !provider->HoldsBlobData() ? 1 : 0;
}

uint32_t TlxCustomBlobEditProperties::GetEditorKindFlags() const {
  const uint32_t flags = TlxCustomPopupEditProperties::GetEditorKindFlags();
  return ResolvedKind() == bekPict ? flags | 1U : flags;
}

uint32_t TlxCustomBlobEditProperties::GetEditCapabilities() const {
  return Buttons()->Count() > 0 ? 36U : 4U;
}

void TlxBlobEditProperties::Publish(TPropertyListBuilder& properties) {
  using P = TlxCustomBlobEditProperties;
  auto p = properties.For<P>();
  p.Boolean("AlwaysSaveData", &P::AlwaysSaveData, &P::SetAlwaysSaveData, true);
  p.Enumeration("BlobEditKind", &P::BlobEditKind, &P::SetBlobEditKind,
                {"bekAuto", "bekMemo", "bekPict", "bekOle", "bekBlob"}, std::optional<TlxBlobEditKind>(bekAuto));
  p.Enumeration("BlobPaintStyle", &P::BlobPaintStyle, &P::SetBlobPaintStyle, {"bpsDefault", "bpsIcon", "bpsText"},
                std::optional<TlxBlobPaintStyle>(bpsIcon));
  p.Boolean("ImmediatePopup", &P::ImmediatePopup, &P::SetImmediatePopup, true);
  p.Boolean("ImmediatePost", &P::ImmediatePost, &P::SetImmediatePost, false);
  p.Boolean("MemoAutoReplace", &P::MemoAutoReplace, &P::SetMemoAutoReplace, false);
  p.Integer("MemoMaxLength", &P::MemoMaxLength, &P::SetMemoMaxLength, 0);
  p.Boolean("MemoOEMConvert", &P::MemoOEMConvert, &P::SetMemoOEMConvert, false);
  p.Boolean("MemoWantReturns", &P::MemoWantReturns, &P::SetMemoWantReturns, true);
  p.Boolean("MemoWantTabs", &P::MemoWantTabs, &P::SetMemoWantTabs, true);
  p.Boolean("MemoWordWrap", &P::MemoWordWrap, &P::SetMemoWordWrap, true);
  p.Boolean("PictureAutoSize", &P::PictureAutoSize, &P::SetPictureAutoSize, true);
  p.String("PictureFilter", &P::PictureFilter, &P::SetPictureFilter);
  p.String("PictureGraphicClassName", &P::PictureGraphicClassName, &P::SetPictureGraphicClassName).Stored =
      [](const TPersistent& self) { return static_cast<const P&>(self).PictureGraphicClassNameNeedsStoring(); };
  p.Enumeration("PictureTransparency", &P::PictureTransparency, &P::SetPictureTransparency,
                {"gtDefault", "gtOpaque", "gtTransparent"}, std::optional<TlxImageTransparency>(gtDefault));
  p.Integer("PopupHeight", &P::PopupHeight, &P::SetPopupHeight, 200);
  p.Integer("PopupWidth", &P::PopupWidth, &P::SetPopupWidth, 250);
  p.Boolean("ShowExPopupItems", &P::ShowExPopupItems, &P::SetShowExPopupItems, true);
  p.Boolean("ShowPicturePopup", &P::ShowPicturePopup, &P::SetShowPicturePopup, true);
}

// --- popup editors ---------------------------------------------------------------------------

namespace {

// F4, Alt+Up and Alt+Down keep the changes when AlwaysSaveData says so.
TModalResult ToggleKeyResult(const TlxCustomBlobEdit& edit) {
  return edit.ActiveBlobProperties()->AlwaysSaveData() ? mrOk : mrCancel;
}

bool IsToggleKey(uint16_t key, TShiftState shift) {
  const bool alt = shift.Contains(ssAlt);
  return (key == VK_F4 && !alt) || ((key == VK_UP || key == VK_DOWN) && alt);
}

}  // namespace

TlxPopupMemo::TlxPopupMemo(TComponent* owner, TlxCustomBlobEdit* edit) : TMemo(owner), edit_(edit) {}

void TlxPopupMemo::KeyDown(uint16_t& key, TShiftState shift) {
  TModalResult result = mrNone;
  if (key == VK_ESCAPE)
    result = mrCancel;
  else if (IsToggleKey(key, shift))
    result = ToggleKeyResult(*edit_);
  else if (key == VK_RETURN && (shift.Contains(ssCtrl) || !WantReturns()))
    result = mrOk;
  if (result == mrNone) {
    TMemo::KeyDown(key, shift);
    return;
  }
  // The character message of the key must not reach the memo.
  dropped_char_ = key == VK_RETURN ? u'\r' : key == VK_ESCAPE ? char16_t{27} : char16_t{0};
  key = 0;
  edit_->ClosePopupWithResult(result);
}

void TlxPopupMemo::KeyPress(char16_t& key) {
  const char16_t dropped = std::exchange(dropped_char_, char16_t{0});
  if (dropped != 0 && (key == dropped || (dropped == u'\r' && key == u'\n'))) {
    key = 0;
    return;
  }
  TMemo::KeyPress(key);
}

TlxPopupImage::TlxPopupImage(TComponent* owner, TlxCustomBlobEdit* edit) : TlxImage(owner), edit_(edit) {}

void TlxPopupImage::KeyDown(uint16_t& key, TShiftState shift) {
  TModalResult result = mrNone;
  if (key == VK_ESCAPE)
    result = mrCancel;
  else if (IsToggleKey(key, shift))
    result = ToggleKeyResult(*edit_);
  else if (key == VK_RETURN)
    result = mrOk;
  if (result == mrNone) {
    TlxImage::KeyDown(key, shift);
    return;
  }
  key = 0;
  edit_->ClosePopupWithResult(result);
}

// --- the editor --------------------------------------------------------------------------------

TlxCustomBlobEdit::TlxCustomBlobEdit(TComponent* owner, const TClass& properties_class)
    : TlxCustomPopupEdit(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomBlobEditProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no BLOB editor properties class");
  ControlStyle().Exclude(csSetCaption);
  SetTabStop(true);
}

TlxCustomBlobEdit::~TlxCustomBlobEdit() {
  // The popup editor goes home before it is freed (the popup edit's
  // destructor would move a freed control otherwise).
  if (PopupWindow() != nullptr && lxIsShownPopup(PopupWindow()))
    RestorePopupControl();
  PopupEditProperties()->SetPopupControl(nullptr);
}

bool TlxCustomBlobEdit::PopupEditorEditing() { return IsValueModifiable(); }

void TlxCustomBlobEdit::DestroyPopupControls() {
  PopupEditProperties()->SetPopupControl(nullptr);
  ok_button_.reset();
  cancel_button_.reset();
  popup_editor_.reset();
}

void TlxCustomBlobEdit::PopupEditorChanged() {
  // The image editor also reports changes of its own settings; only the
  // user's changes count.
  if (TlxPopupImage* image = PopupImage(); image != nullptr && !image->Modified())
    return;
  editor_modified_ = true;
  if (ok_button_) {
    ok_button_->SetEnabled(true);
    ok_button_->SetDefault(true);
  }
}

bool TlxCustomBlobEdit::PopupEditorModified() const {
  if (TlxPopupMemo* memo = PopupMemo())
    return editor_modified_ || memo->Modified();
  return editor_modified_;
}

void TlxCustomBlobEdit::CreatePopupMemo() {
  TlxPopupMemo* memo = PopupMemo();
  if (memo == nullptr) {
    // The other kind's editor goes before this one is made.
    popup_editor_.reset();
    auto created = std::make_unique<TlxPopupMemo>(nullptr, this);
    memo = created.get();
    popup_editor_ = std::move(created);
  }
  const TlxCustomBlobEditProperties* properties = ActiveBlobProperties();
  memo->OnChange = nullptr;
  memo->SetCharCase(properties->MemoCharCase());
  memo->SetMaxLength(properties->MemoMaxLength());
  memo->SetOEMConvert(properties->MemoOEMConvert());
  memo->SetScrollBars(properties->MemoScrollBars());
  memo->SetWantReturns(properties->MemoWantReturns());
  memo->SetWantTabs(properties->MemoWantTabs());
  memo->SetWordWrap(properties->MemoWordWrap());
  memo->SetText(VarToStrDef(EditValue(), ""));
  if (TFont* font = GetStyle()->GetTextFont())
    memo->Font().Assign(font);
  memo->SetColor(GetStyle()->GetColor());
  memo->SetReadOnly(!IsValueModifiable());
  memo->OnChange = [this](TObject*) { PopupEditorChanged(); };
}

void TlxCustomBlobEdit::CreatePopupImage() {
  TlxPopupImage* image = PopupImage();
  if (image == nullptr) {
    popup_editor_.reset();
    auto created = std::make_unique<TlxPopupImage>(nullptr, this);
    image = created.get();
    popup_editor_ = std::move(created);
  }
  const TlxCustomBlobEditProperties* properties = ActiveBlobProperties();
  TlxImageProperties* image_properties = image->GetProperties();
  image_properties->OnChange = nullptr;
  image_properties->SetShowFocusRect(false);
  image_properties->SetStretch(true);
  image_properties->SetCustomFilter(properties->PictureFilter());
  image_properties->SetGraphicTransparency(properties->PictureTransparency());
  TlxPopupMenuItems items{pmiCut, pmiCopy, pmiPaste, pmiDelete, pmiLoad, pmiSave};
  if (!properties->ShowPicturePopup())
    items = TlxPopupMenuItems{};
  else if (!properties->ShowExPopupItems())
    items = TlxPopupMenuItems{pmiCut, pmiCopy, pmiPaste, pmiDelete};
  image_properties->PopupMenuLayout()->SetMenuItems(items);
  const TClass* graphic_class = properties->PictureGraphicClass();
  if (IsInplace() && properties->OnGetGraphicClass)
    properties->OnGetGraphicClass(this, -1, graphic_class);
  image_properties->SetGraphicClass(graphic_class != nullptr ? graphic_class : &TBitmap::kClass);
  image->SetEditValue(EditValue());
  image->SetModifiedAfterEnter(false);
  image_properties->SetReadOnly(!IsValueModifiable());
  image_properties->OnChange = [this](TObject*) { PopupEditorChanged(); };
  image->OnDialogClosed = [this](TObject*, int32_t reason) {
    ClosePopupWithResult(reason == 4 ? mrOk : mrCancel);
  };
}

void TlxCustomBlobEdit::CreateButtons() {
  TFont* font = GetStyle()->GetTextFont();
  const bool read_only = ActiveBlobProperties()->GetReadOnly() || !DataBinding()->HasActiveData();
  const std::string ok_caption = lxEditResString(lxSBlobButtonOK);
  const std::string other_caption = lxEditResString(read_only ? lxSBlobButtonClose : lxSBlobButtonCancel);
  if (read_only)
    ok_button_.reset();
  else if (!ok_button_)
    ok_button_ = std::make_unique<TlxButton>(nullptr);
  if (!cancel_button_)
    cancel_button_ = std::make_unique<TlxButton>(nullptr);

  TlxCanvas& canvas = CurrentCanvas();
  if (font != nullptr)
    canvas.AssignFont(*font);
  button_width_ = std::max(canvas.MeasureTextWidth(ok_caption + "00"), canvas.MeasureTextWidth(other_caption + "00"));
  button_height_ = canvas.MeasureTextHeight("Wg") * 20 / 13;

  auto setup = [this, font](TlxButton& button, const std::string& caption, TModalResult result) {
    button.SetParent(PopupWindow());
    button.SetCaption(caption);
    if (font != nullptr)
      button.Font().Assign(font);
    button.SetModalResult(result);
    button.SetBounds(0, 0, button_width_, button_height_);
    button.OnClick = [this, result](TObject*) { ClosePopupWithResult(result); };
  };
  setup(*cancel_button_, other_caption, mrCancel);
  cancel_button_->SetCancel(true);
  int32_t buttons = 1;
  if (ok_button_) {
    setup(*ok_button_, ok_caption, mrOk);
    ok_button_->SetEnabled(editor_modified_);
    ++buttons;
  }
  PopupWindow()->SetSysPanelHeight(button_height_ + button_height_ / 3);
  const int32_t min_width =
      GetSystemMetrics(SM_CXVSCROLL) + buttons * (button_height_ / 3 + button_width_) + button_height_ / 2;
  ActiveBlobProperties()->SetPopupMinWidth(min_width);
}

void TlxCustomBlobEdit::CreatePopupControls() {
  editor_modified_ = false;
  const TlxBlobEditKind kind = ActiveBlobProperties()->ResolvedKind();
  if (kind == bekPict)
    CreatePopupImage();
  else
    CreatePopupMemo();
  TlxCustomBlobEditProperties* properties = ActiveBlobProperties();
  properties->SetPopupSysPanelStyle(true);
  properties->SetPopupAutoSize(kind == bekPict && properties->PictureAutoSize());
  properties->SetPopupSizeable(true);
  CreateButtons();
  properties->SetPopupControl(popup_editor_.get());
}

void TlxCustomBlobEdit::DoInitPopup() {
  CreatePopupControls();
  TlxCustomPopupEdit::DoInitPopup();
}

TWinControl* TlxCustomBlobEdit::GetPopupFocusedControl() { return popup_editor_.get(); }

TSize TlxCustomBlobEdit::CalculatePopupContentSize() {
  TlxPopupImage* image = PopupImage();
  if (image != nullptr && ActiveBlobProperties()->PictureAutoSize())
    return TSize(image->Picture()->Width() + 4, image->Picture()->Height() + 4);
  return TlxCustomPopupEdit::CalculatePopupContentSize();
}

void TlxCustomBlobEdit::PositionPopupWindow() {
  TlxCustomPopupEdit::PositionPopupWindow();
  TlxCustomEditPopupWindow* popup = PopupWindow();
  popup->SetCloseButton(false);
  popup->CalculateViewInfo();
  const TlxCustomEditPopupWindowViewInfo& info = popup->GetViewInfo();
  const int32_t panel_height = info.SysPanelHeight;
  const int32_t panel_top = info.SizingCornerIsTop() ? info.InnerRect.Top : info.InnerRect.Bottom - panel_height;
  const int32_t top = panel_top + (panel_height - button_height_) / 2;
  const int32_t gap = button_height_ / 3;
  // The buttons stand at the panel's end away from the sizing grip.
  const bool grip_left = info.SizingCornerIsLeft();
  const int32_t grip = info.SizeGripArea.Width();
  int32_t cancel_left = grip_left ? info.InnerRect.Left + grip + gap : info.InnerRect.Right - grip - gap - button_width_;
  const TAnchors anchors =
      TAnchors{grip_left ? akLeft : akRight, info.SizingCornerIsTop() ? akTop : akBottom};
  if (cancel_button_) {
    cancel_button_->SetBounds(cancel_left, top, button_width_, button_height_);
    cancel_button_->SetAnchors(anchors);
    cancel_button_->SetVisible(true);
  }
  if (ok_button_) {
    const int32_t ok_left = grip_left ? cancel_left + button_width_ + gap : cancel_left - gap - button_width_;
    ok_button_->SetBounds(ok_left, top, button_width_, button_height_);
    ok_button_->SetAnchors(anchors);
    ok_button_->SetVisible(true);
  }
}

void TlxCustomBlobEdit::ClosePopupWithResult(TModalResult result) {
  TlxCustomEditPopupWindow* popup = PopupWindow();
  if (popup == nullptr || !GetDroppedDown())
    return;
  popup->SetModalResult(result);
  popup->CloseOnModalResult();
}

void TlxCustomBlobEdit::SaveValue() {
  const TModalResult result = PopupWindow() != nullptr ? PopupWindow()->ModalResult() : mrNone;
  const bool keep = result == mrOk || (result != mrCancel && ActiveBlobProperties()->AlwaysSaveData());
  if (!PopupEditorModified() || !keep || !TryStartEditing())
    return;
  LockChangeEvents(true);
  TScopeExit unlock([this] { LockChangeEvents(false); });
  Variant value;
  if (TlxPopupMemo* memo = PopupMemo()) {
    value = Variant(memo->Text());
  } else if (TlxPopupImage* image = PopupImage()) {
    value = image->GetEditValue();
    if (TGraphic* graphic = image->Picture()->Graphic())
      saved_graphic_class_ = graphic->ClassType();
  }
  StoreEditValue(value, true);
  SetModified(true);
  if (ActiveBlobProperties()->ImmediatePost() && CanPostEditValue() && ValidateEdit(true))
    PostEditValue(false);
}

void TlxCustomBlobEdit::PopupWindowClosed(int32_t reason) {
  const TAliveToken alive = AliveToken();
  SaveValue();
  if (!alive.Alive())
    return;
  TlxCustomPopupEdit::PopupWindowClosed(reason);
  if (alive.Alive())
    Invalidate();
}

void TlxCustomBlobEdit::GetDisplayText(std::string& text) {
  TlxPopupMemo* memo = PopupMemo();
  if (ActiveBlobProperties()->ResolvedKind() == bekMemo && memo != nullptr && GetDroppedDown()) {
    text = memo->Text();
    return;
  }
  const TlxCustomBlobEditProperties* properties = ActiveBlobProperties();
  text = lxBlobDisplayText(properties->ResolvedKind(), properties->BlobPaintStyle(), EditValue(), false);
}

Variant TlxCustomBlobEdit::GetActualEditValue() {
  if (GetDroppedDown())
    return GetEditingValue();
  return TlxCustomPopupEdit::GetActualEditValue();
}

void TlxCustomBlobEdit::PropertiesChanged(TlxCustomEditProperties* properties) {
  if (ComponentState().Contains(csDestroying))
    return;
  TlxCustomPopupEdit::PropertiesChanged(properties);
  Invalidate();
}

void TlxCustomBlobEdit::AdjustInnerControlBounds() {
  TlxCustomPopupEdit::AdjustInnerControlBounds();
  IlxInnerTextEdit* inner = GetInnerTextEdit();
  if (inner == nullptr)
    return;
  TWinControl* control = inner->GetControl();
  if (control->Width() != 0)
    control->SetBounds(control->Left(), control->Top(), 0, control->Height());
}

void TlxCustomBlobEdit::RefreshDisplayValue() { RecalculateDisplay(); }

std::unique_ptr<TlxCustomEditViewData> TlxCustomBlobEdit::CreateViewData() {
  std::unique_ptr<TlxCustomEditViewData> data = TlxCustomPopupEdit::CreateViewData();
  if (auto* blob_data = dynamic_cast<TlxBlobEditViewData*>(data.get())) {
    blob_data->HasEditorValue = true;
    blob_data->EditorValue = GetEditValue();
  }
  return data;
}

Variant TlxCustomBlobEdit::GetEditingValue() {
  if (GetDroppedDown()) {
    if (TlxPopupMemo* memo = PopupMemo())
      return Variant(memo->Text());
    if (TlxPopupImage* image = PopupImage())
      return image->GetEditValue();
  }
  return GetEditValue();
}

void TlxCustomBlobEdit::ConvertDisplayToEditValue(const Variant& /*display_value*/, Variant& edit_value,
                                                  bool /*edit_focused*/) {
  edit_value = GetEditingValue();
}

void TlxCustomBlobEdit::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomPopupEdit::PrepareViewData(view_data);
  if (auto* blob_data = dynamic_cast<TlxBlobEditViewData*>(&view_data)) {
    blob_data->HasEditorValue = true;
    blob_data->EditorValue = GetEditValue();
  }
}

void TlxBlobEdit::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxBlobEdit>();
  p.Persistent("Properties", TlxBlobEditProperties::kClass, &TlxBlobEdit::GetProperties);
}

// --- module ------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& BlobEditModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxBlobEditModuleStart() {
  BlobEditModule().Start([] {
    RegisterStreamableClasses({&TlxBlobEditProperties::kClass, &TlxBlobEdit::kClass});
    lxBlobEditIcons();
    lxGetRegisteredEditProperties().AddClass(&TlxBlobEditProperties::kClass,
                                             lxEditResString(slxSEditRepositoryBlobItem));
  });
}

void lxBlobEditModuleEnd() {
  BlobEditModule().End([] { BlobIcons().reset(); });
}
