#include "editors/kinds/image_properties_win.h"

#include "editors/kinds/image_control_win.h"

#include <algorithm>

#include "editors/kinds/image_control_win.h"
#include "editors/kinds/image_view_win.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/jpeg_image.h"
#include "platform/toolkit/metafile.h"

namespace {

constexpr uint32_t kImageEditorKindFlag = 1;
constexpr uint32_t kImageEditCapabilities = 6;

std::unique_ptr<std::vector<const TClass*>>& GraphicClassList() {
  static std::unique_ptr<std::vector<const TClass*>> list;
  return list;
}

void AddOnce(std::vector<const TClass*>& list, const TClass* graphic_class) {
  if (graphic_class != nullptr && std::find(list.begin(), list.end(), graphic_class) == list.end())
    list.push_back(graphic_class);
}

}  // namespace

// --- TlxPopupMenuLayout ------------------------------------------------------

TlxPopupMenuLayout::TlxPopupMenuLayout(TPersistent* owner) : owner_(owner) {}

TlxPopupMenuLayout::~TlxPopupMenuLayout() = default;

void TlxPopupMenuLayout::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxPopupMenuLayout>();
  p.SetOf(
      "MenuItems", [](const TlxPopupMenuLayout& layout) { return layout.MenuItems().Bits(); },
      [](TlxPopupMenuLayout& layout, uint32_t bits) { layout.SetMenuItems(TlxPopupMenuItems::FromBits(bits & 0x7F)); },
      {"pmiCut", "pmiCopy", "pmiPaste", "pmiDelete", "pmiLoad", "pmiSave", "pmiCustom"}, 63);
  p.String("CustomMenuItemCaption", &TlxPopupMenuLayout::CustomMenuItemCaption,
           &TlxPopupMenuLayout::SetCustomMenuItemCaption);
}

void TlxPopupMenuLayout::DoChanged() {
  if (OnChanged)
    OnChanged();
}

void TlxPopupMenuLayout::Assign(const TPersistent* source) {
  auto* layout = const_cast<TlxPopupMenuLayout*>(dynamic_cast<const TlxPopupMenuLayout*>(source));
  if (layout == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  menu_items_ = layout->menu_items_;
  caption_ = layout->caption_;
  // Reading the source's glyph creates it there, as every reader does.
  SetCustomMenuItemGlyph(layout->CustomMenuItemGlyph());
}

void TlxPopupMenuLayout::SetMenuItems(TlxPopupMenuItems items) {
  if (items == menu_items_)
    return;
  menu_items_ = items;
  DoChanged();
}

void TlxPopupMenuLayout::SetCustomMenuItemCaption(const std::string& caption) {
  if (caption == caption_)
    return;
  caption_ = caption;
  DoChanged();
}

TBitmap* TlxPopupMenuLayout::CustomMenuItemGlyph() {
  if (!glyph_)
    glyph_ = std::make_unique<TBitmap>();
  return glyph_.get();
}

void TlxPopupMenuLayout::SetCustomMenuItemGlyph(const TBitmap* glyph) {
  if (glyph == nullptr) {
    glyph_.reset();
  } else if (glyph != glyph_.get()) {
    CustomMenuItemGlyph()->Assign(glyph);
  }
  DoChanged();
}

// --- Graphic classes ---------------------------------------------------------

const std::vector<const TClass*>& lxImageGraphicClasses() {
  std::unique_ptr<std::vector<const TClass*>>& list = GraphicClassList();
  if (!list) {
    list = std::make_unique<std::vector<const TClass*>>();
    AddOnce(*list, &TBitmap::kClass);
    AddOnce(*list, &TIcon::kClass);
    AddOnce(*list, &TMetafile::kClass);
    // Registered by name only where GDI+ can decode it.
    AddOnce(*list, GetClass("TlxPNGImage"));
    AddOnce(*list, &TJPEGImage::kClass);
  }
  return *list;
}

void lxFreeImageGraphicClasses() { GraphicClassList().reset(); }

const TClass* lxImageFindGraphicClass(std::string_view name) {
  const std::string wanted = LowerCase(name);
  for (const TClass* graphic_class : lxImageGraphicClasses())
    if (LowerCase(graphic_class->ClassName()) == wanted)
      return graphic_class;
  return nullptr;
}

// --- TlxCustomImageProperties ------------------------------------------------

TlxCustomImageProperties::TlxCustomImageProperties(TPersistent* owner)
    : TlxCustomEditProperties(owner),
      graphic_class_(GetDefaultGraphicClass()),
      popup_menu_layout_(std::make_unique<TlxPopupMenuLayout>(this)) {
  popup_menu_layout_->OnChanged = [this] { Changed(); };
}

TlxCustomImageProperties::~TlxCustomImageProperties() = default;

void TlxCustomImageProperties::Assign(const TPersistent* source) {
  const auto* image = dynamic_cast<const TlxCustomImageProperties*>(source);
  if (image == nullptr) {
    TlxCustomEditProperties::Assign(source);
    return;
  }
  BeginUpdate();
  {
    TScopeExit end_update([this] { EndUpdate(); });
    TlxCustomEditProperties::Assign(source);
    SetCaption(image->caption_);
    SetCenter(image->center_);
    SetCustomFilter(image->custom_filter_);
    SetGraphicClass(image->graphic_class_);
    SetGraphicTransparency(image->graphic_transparency_);
    SetPopupMenuLayout(image->popup_menu_layout_.get());
    SetShowFocusRect(image->show_focus_rect_);
    SetProportional(image->proportional_);
    SetStretch(image->stretch_);
    OnAssignPicture = image->OnAssignPicture;
    OnCustomClick = image->OnCustomClick;
    OnGetGraphicClass = image->OnGetGraphicClass;
  }
}

void TlxCustomImageProperties::DefineProperties(TFiler& filer) {
  TlxCustomEditProperties::DefineProperties(filer);
  // GraphicClassName is not stored when empty; this flag keeps "no class".
  filer.DefineProperty(
      "IsGraphicClassNameEmpty",
      [this](TReader& reader) {
        if (reader.ReadBoolean())
          SetGraphicClass(nullptr);
      },
      [](TWriter& writer) { writer.WriteBoolean(true); }, graphic_class_ == nullptr);
}

TlxEditViewDataClass TlxCustomImageProperties::GetViewDataClass() const {
  return {&TlxImageViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxImageViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomImageProperties::GetViewInfoClass() const {
  return {&TlxImageViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxImageViewInfo>(); }};
}

void TlxCustomImageProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                 bool /*full_text*/) const {
  if (edit_value.IsNull())
    text.clear();
  else
    text = caption_;
}

uint32_t TlxCustomImageProperties::GetEditorKindFlags() const {
  return TlxCustomEditProperties::GetEditorKindFlags() | kImageEditorKindFlag;
}

uint32_t TlxCustomImageProperties::GetEditCapabilities() const {
  return TlxCustomEditProperties::GetEditCapabilities() | kImageEditCapabilities;
}

const TClass* TlxCustomImageProperties::GetEditControlClass() const { return &TlxImage::kClass; }

void TlxCustomImageProperties::ValidateDisplayValue(Variant& /*display_value*/, std::string& /*error_text*/,
                                                    bool& /*error*/, IlxEditControl* edit) {
  auto* image = dynamic_cast<TlxCustomImage*>(edit);
  if (image == nullptr)
    return;
  image->LockValueChanging(true);
  TScopeExit unlock([image] { image->LockValueChanging(false); });
  image->DoAssignPicture();
  image->PushModifiedState();
  TScopeExit pop([image] { image->PopModifiedState(); });
  image->SetModifiedAfterEnter(false);
  image->TryStartEditing();
}

const TClass* TlxCustomImageProperties::GetDefaultGraphicClass() const {
  const std::vector<const TClass*>& classes = lxImageGraphicClasses();
  return classes.empty() ? nullptr : classes.front();
}

const TClass* TlxCustomImageProperties::GetGraphicClass(TObject* item, int32_t record_index,
                                                        bool pasting_from_clipboard) const {
  const TClass* result = graphic_class_;
  if (result == nullptr && pasting_from_clipboard)
    result = &TBitmap::kClass;
  if (OnGetGraphicClass)
    OnGetGraphicClass(item, record_index, pasting_from_clipboard, result);
  return result;
}

void TlxCustomImageProperties::SetCaption(const std::string& value) { Store(caption_, value); }
void TlxCustomImageProperties::SetCenter(bool value) { Store(center_, value); }
void TlxCustomImageProperties::SetCustomFilter(const std::string& value) { Store(custom_filter_, value); }
void TlxCustomImageProperties::SetGraphicClass(const TClass* value) { Store(graphic_class_, value); }
void TlxCustomImageProperties::SetGraphicTransparency(TlxImageTransparency value) {
  Store(graphic_transparency_, value);
}
void TlxCustomImageProperties::SetProportional(bool value) { Store(proportional_, value); }
void TlxCustomImageProperties::SetShowFocusRect(bool value) { Store(show_focus_rect_, value); }
void TlxCustomImageProperties::SetStretch(bool value) { Store(stretch_, value); }

std::string TlxCustomImageProperties::GraphicClassName() const {
  return graphic_class_ != nullptr ? std::string(graphic_class_->ClassName()) : std::string();
}

void TlxCustomImageProperties::SetGraphicClassName(const std::string& name) {
  if (name.empty()) {
    SetGraphicClass(nullptr);
    return;
  }
  if (const TClass* found = lxImageFindGraphicClass(name))
    SetGraphicClass(found);
}

// --- TlxImageProperties ------------------------------------------------------

void TlxImageProperties::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCustomImageProperties>();
  p.String("Caption", &TlxCustomImageProperties::Caption, &TlxCustomImageProperties::SetCaption);
  p.Boolean("Center", &TlxCustomImageProperties::Center, &TlxCustomImageProperties::SetCenter, true);
  p.String("CustomFilter", &TlxCustomImageProperties::CustomFilter, &TlxCustomImageProperties::SetCustomFilter);
  p.String("GraphicClassName", &TlxCustomImageProperties::GraphicClassName,
           &TlxCustomImageProperties::SetGraphicClassName)
      .Stored = [](const TPersistent& self) {
    const auto& image = static_cast<const TlxCustomImageProperties&>(self);
    return image.GraphicClass() != nullptr && image.GraphicClass() != image.GetDefaultGraphicClass();
  };
  p.Enumeration("GraphicTransparency", &TlxCustomImageProperties::GraphicTransparency,
                &TlxCustomImageProperties::SetGraphicTransparency, {"gtDefault", "gtOpaque", "gtTransparent"},
                std::optional<TlxImageTransparency>(gtDefault));
  p.Persistent("PopupMenuLayout", TlxPopupMenuLayout::kClass, &TlxCustomImageProperties::PopupMenuLayout);
  p.Boolean("Proportional", &TlxCustomImageProperties::Proportional, &TlxCustomImageProperties::SetProportional,
            true);
  p.Boolean("ShowFocusRect", &TlxCustomImageProperties::ShowFocusRect, &TlxCustomImageProperties::SetShowFocusRect,
            true);
  p.Boolean("Stretch", &TlxCustomImageProperties::Stretch, &TlxCustomImageProperties::SetStretch, false);
}
