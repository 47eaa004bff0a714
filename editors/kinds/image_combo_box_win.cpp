#include "editors/kinds/image_combo_box_win.h"

#include <algorithm>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/system/scroll_bar_metrics_win.h"

namespace {

bool HasImage(const TCustomImageList* images, int32_t index) {
  return images != nullptr && index >= 0 && index < images->Count();
}

// Draws a description with the platform's text drawing: one centred line,
// or word-wrapped; never with prefix processing.
void DrawDescription(HDC dc, const std::string& text, TRect rect, bool multi_line) {
  const std::u16string wide = Utf8ToUtf16(text);
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  const UINT flags = DT_NOPREFIX | DT_EXPANDTABS | (multi_line ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(wide.c_str()), static_cast<int>(wide.size()), &r, flags);
}

// The height a word-wrapped description needs at `width`.
int32_t WrappedTextHeight(HDC dc, const std::string& text, int32_t width) {
  const std::u16string wide = Utf8ToUtf16(text.empty() ? std::string("Wg") : text);
  RECT r{0, 0, width, 0};
  ::DrawTextW(dc, reinterpret_cast<const wchar_t*>(wide.c_str()), static_cast<int>(wide.size()), &r,
              DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_CALCRECT);
  return r.bottom - r.top;
}

}  // namespace

// --- TlxCustomImageComboBoxProperties ------------------------------------------------------------

TlxCustomImageComboBoxProperties::TlxCustomImageComboBoxProperties(TPersistent* owner)
    : TlxCustomComboBoxProperties(owner),
      items_(std::make_unique<TlxImageComboBoxItems>(this, this)),
      images_link_(std::make_unique<TChangeLink>()),
      large_images_link_(std::make_unique<TChangeLink>()) {
  items_->SetPropName("Items");
  SetDropDownListStyle(lsFixedList);
  images_link_->OnChange = [this](TObject*) { Changed(); };
  large_images_link_->OnChange = [this](TObject*) { Changed(); };
}

TlxCustomImageComboBoxProperties::~TlxCustomImageComboBoxProperties() {
  if (images_ != nullptr)
    images_->UnRegisterChanges(images_link_.get());
  if (large_images_ != nullptr)
    large_images_->UnRegisterChanges(large_images_link_.get());
}

void TlxCustomImageComboBoxProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomImageComboBoxProperties*>(source);
  if (other == nullptr) {
    TlxCustomComboBoxProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomComboBoxProperties::Assign(source);
  SetDefaultDescription(other->default_description_);
  SetDefaultImageIndex(other->default_image_index_);
  SetImageAlign(other->image_align_);
  SetImages(other->images_);
  SetItems(other->items_.get());
  SetLargeImages(other->large_images_);
  SetMultiLineText(other->multi_line_text_);
  SetShowDescriptions(other->show_descriptions_);
}

void TlxCustomImageComboBoxProperties::ChangeImageList(TCustomImageList* value, TCustomImageList*& field,
                                                       TChangeLink& link) {
  if (value == field)
    return;
  if (field != nullptr) {
    field->UnRegisterChanges(&link);
    // The other list may be the same one: it is still watched then.
    if (images_ != large_images_)
      FreeNotificator()->RemoveSender(field);
  }
  field = value;
  if (field != nullptr) {
    field->RegisterChanges(&link);
    FreeNotificator()->AddSender(field);
  }
  Changed();
}

void TlxCustomImageComboBoxProperties::SetImages(TCustomImageList* value) {
  ChangeImageList(value, images_, *images_link_);
}

void TlxCustomImageComboBoxProperties::SetLargeImages(TCustomImageList* value) {
  ChangeImageList(value, large_images_, *large_images_link_);
}

void TlxCustomImageComboBoxProperties::ComponentRemoved(TComponent* component) {
  TlxCustomComboBoxProperties::ComponentRemoved(component);
  if (component == nullptr)
    return;
  // A freed list needs no unregistering: it forgets its links itself.
  bool cleared = false;
  if (component == images_) {
    images_ = nullptr;
    cleared = true;
  }
  if (component == large_images_) {
    large_images_ = nullptr;
    cleared = true;
  }
  if (cleared)
    Changed();
}

void TlxCustomImageComboBoxProperties::SetItems(const TlxImageComboBoxItems* value) {
  items_->Assign(value);
  Changed();
}

TlxImageComboBoxItem* TlxCustomImageComboBoxProperties::FindItemByDescription(std::string_view text) const {
  if (!show_descriptions_)
    return nullptr;
  return lxImageComboFindItemByDescription(*items_, text);
}

void TlxCustomImageComboBoxProperties::GetItemDescriptionAndImage(const TlxImageComboBoxItem* item, std::string& text,
                                                                  bool force_description,
                                                                  int32_t& image_index) const {
  text.clear();
  if (force_description || show_descriptions_)
    text = item != nullptr ? item->Description() : default_description_;
  image_index = item != nullptr ? item->ImageIndex() : default_image_index_;
}

TlxEditViewDataClass TlxCustomImageComboBoxProperties::GetViewDataClass() const {
  return {&TlxImageComboBoxViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxImageComboBoxViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomImageComboBoxProperties::GetViewInfoClass() const {
  return {&TlxImageComboBoxViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxImageComboBoxViewInfo>(); }};
}

const TClass* TlxCustomImageComboBoxProperties::GetEditControlClass() const { return &TlxImageComboBox::kClass; }

bool TlxCustomImageComboBoxProperties::EditValuesEqual(const Variant& value1, const Variant& value2) const {
  std::string text1;
  std::string text2;
  int32_t image1 = -1;
  int32_t image2 = -1;
  GetItemDescriptionAndImage(FindItemByValue(value1), text1, true, image1);
  GetItemDescriptionAndImage(FindItemByValue(value2), text2, true, image2);
  return text1 == text2 && (images_ == nullptr || image1 == image2);
}

void TlxCustomImageComboBoxProperties::FormatDisplayText(const Variant& edit_value, std::string& text,
                                                         bool /*full_text*/) const {
  Variant display;
  ConvertToDisplayValue(edit_value, display, false);
  text = VarToStrDef(display, "");
}

uint32_t TlxCustomImageComboBoxProperties::GetEditCapabilities() const {
  // Wraps in cells, filtering, sorting and the two list bits; buttons and
  // incremental search when the editor has them.
  uint32_t capabilities = 796;
  if (Buttons()->Count() > 0)
    capabilities |= kLxEditCapButtons;
  if (show_descriptions_)
    capabilities |= kLxEditCapIncSearch;
  return capabilities;
}

void TlxCustomImageComboBoxProperties::ConvertToDisplayValue(const Variant& edit_value, Variant& display_value,
                                                             bool /*edit_focused*/) const {
  std::string text;
  int32_t image_index = -1;
  GetItemDescriptionAndImage(FindItemByValue(edit_value), text, true, image_index);
  display_value = Variant(text);
}

void TlxImageComboBoxProperties::Publish(TPropertyListBuilder& properties) {
  TlxComboBoxProperties::Publish(properties);
  using P = TlxCustomImageComboBoxProperties;
  auto p = properties.For<P>();
  p.String("DefaultDescription", &P::DefaultDescription, &P::SetDefaultDescription);
  p.Integer("DefaultImageIndex", &P::DefaultImageIndex, &P::SetDefaultImageIndex, -1);
  p.Enumeration("ImageAlign", &P::ImageAlign, &P::SetImageAlign, {"iaLeft", "iaRight"},
                std::optional<TlxImageAlign>(iaLeft));
  p.Reference<TCustomImageList>("Images", &P::Images, &P::SetImages);
  p.Persistent("Items", TlxImageComboBoxItems::kClass, &P::Items);
  p.Reference<TCustomImageList>("LargeImages", &P::LargeImages, &P::SetLargeImages);
  p.Boolean("MultiLineText", &P::MultiLineText, &P::SetMultiLineText, false);
  p.Boolean("ShowDescriptions", &P::ShowDescriptions, &P::SetShowDescriptions, true);
}

// --- TlxImageComboBoxListBox -----------------------------------------------------------------------

TlxCustomImageComboBox* TlxImageComboBoxListBox::ImageComboBox() const {
  return dynamic_cast<TlxCustomImageComboBox*>(ComboBox());
}

TlxCustomImageComboBoxProperties* TlxImageComboBoxListBox::ImageProperties() const {
  TlxCustomImageComboBox* combo = ImageComboBox();
  return combo != nullptr ? combo->ActiveImageProperties() : nullptr;
}

void TlxImageComboBoxListBox::ListPrepared() {
  TlxComboBoxListBox::ListPrepared();
  // Every row measures its own height: images and wrapped descriptions vary.
  SetStyle(lbOwnerDrawVariable);
}

int32_t TlxImageComboBoxListBox::GetItemHeight(int32_t index) {
  TlxCustomImageComboBoxProperties* properties = ImageProperties();
  if (properties == nullptr)
    return TlxComboBoxListBox::GetItemHeight(index);
  TCustomImageList* images = properties->ListImages();
  const int32_t image_height = images != nullptr ? images->Height() + 2 : 0;
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  int32_t height = canvas.TextHeight("Wg") + 2;
  const int32_t width = ClientWidth() - 2 - (images != nullptr ? images->Width() + 4 : 0);
  if (properties->MultiLineText() && width > 0 && index >= 0 && index < properties->Items()->Count())
    height = WrappedTextHeight(canvas.Handle(), properties->Items()->GetItem(index)->Description(), width) + 2;
  height = std::max(height, image_height);
  TlxCustomImageComboBox* combo = ImageComboBox();
  if (index >= 0 && combo != nullptr && combo->HasMeasureItemHandler())
    combo->DoMeasureItem(index, canvas, height);
  return height;
}

int32_t TlxImageComboBoxListBox::GetItemWidth(int32_t /*index*/) {
  // With wrapped descriptions the rows follow the list's width.
  TlxCustomImageComboBoxProperties* properties = ImageProperties();
  if (properties != nullptr && properties->MultiLineText())
    return 0;
  return GetMaxItemWidth();
}

int32_t TlxImageComboBoxListBox::GetMaxItemWidth() {
  TlxCustomImageComboBoxProperties* properties = ImageProperties();
  if (properties == nullptr)
    return 0;
  TCustomImageList* images = properties->ListImages();
  TCanvas& canvas = Canvas();
  canvas.Font().Assign(&Font());
  int32_t widest = 0;
  const TlxImageComboBoxItems& items = *properties->Items();
  for (int32_t i = 0; i < items.Count(); ++i)
    widest = std::max(widest, canvas.TextWidth(items.GetItem(i)->Description()));
  int32_t width = widest + (images != nullptr ? images->Width() + 8 : 4);
  if (items.Count() > properties->DropDownRows())
    width += lxScrollBarMetrics().cx;
  return width;
}

bool TlxImageComboBoxListBox::DrawItemByOwner(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (TlxComboBoxListBox::DrawItemByOwner(index, rect, state))
    return true;
  TlxCustomImageComboBoxProperties* properties = ImageProperties();
  if (properties == nullptr || index < 0 || index >= properties->Items()->Count())
    return false;
  const TlxImageComboBoxItem* item = properties->Items()->GetItem(index);
  TCanvas& canvas = Canvas();
  canvas.FillRect(rect);
  TRect text_rect(rect.Left + 2, rect.Top, rect.Right - 2, rect.Bottom);
  if (TCustomImageList* images = properties->ListImages()) {
    const int32_t column = images->Width() + 4;
    TRect image_column = rect;
    if (properties->ImageAlign() == iaLeft) {
      image_column.Right = rect.Left + column;
      text_rect.Left = image_column.Right;
    } else {
      image_column.Left = rect.Right - column;
      text_rect.Right = image_column.Left;
    }
    if (HasImage(images, item->ImageIndex())) {
      const int32_t top = image_column.Top + (image_column.Height() - images->Height()) / 2;
      images->Draw(canvas, image_column.Left + 1 + (column - 2 - images->Width()) / 2, top, item->ImageIndex(),
                   Enabled());
    }
  }
  SetBkMode(canvas.Handle(), TRANSPARENT);
  DrawDescription(canvas.Handle(), item->Description(), text_rect, properties->MultiLineText());
  return true;
}

// --- TlxImageComboBoxLookupData --------------------------------------------------------------------

TlxImageComboBoxLookupData::TlxImageComboBoxLookupData(TlxCustomImageComboBox* owner)
    : TlxComboBoxLookupData(owner) {}

TlxCustomImageComboBoxProperties* TlxImageComboBoxLookupData::ImageProperties() const {
  return static_cast<TlxCustomImageComboBoxProperties*>(GetEditProperties());
}

void TlxImageComboBoxLookupData::GetItemText(int32_t index, std::string& text) {
  const TlxImageComboBoxItems& items = *ImageProperties()->Items();
  text = index >= 0 && index < items.Count() ? items.GetItem(index)->Description() : std::string();
}

int32_t TlxImageComboBoxLookupData::GetItemCount() { return ImageProperties()->Items()->Count(); }

void TlxImageComboBoxLookupData::GetListSize(TSize& size) {
  TlxComboBoxLookupData::GetListSize(size);
  auto* list = dynamic_cast<TlxImageComboBoxListBox*>(GetListControl());
  if (list != nullptr && !ImageProperties()->MultiLineText())
    size.cx = std::max(size.cx, list->GetMaxItemWidth());
}

void TlxImageComboBoxLookupData::TextChanged() {
  TlxCustomTextEdit* edit = GetOwnerEdit();
  if (edit->LookupChanging())
    return;
  const TlxImageComboBoxItem* item = ImageProperties()->FindItemByValue(edit->GetEditValue());
  SetCurrentKeyIndex(item != nullptr ? item->Index() : -1);
}

// --- view data and view info -----------------------------------------------------------------------

void TlxImageComboBoxViewInfo::RenderFrame(TlxCanvas& canvas) {
  TlxCustomTextEditViewInfo::RenderFrame(canvas);
  if (!HasImage(Images, ImageIndex))
    return;
  TRect clip = ImageRect.Intersect(BorderRect);
  if (clip.IsEmpty())
    return;
  std::unique_ptr<TlxRegion> saved = canvas.CopyClipRegion();
  canvas.IntersectClip(clip);
  const bool on_background = !Transparent && !(NativeStyle && lxIsDesktopCompositionOn());
  if (on_background)
    canvas.FillRectColor(clip, BackgroundColor);
  Images->Draw(canvas.Canvas(), ImageRect.Left, ImageRect.Top, ImageIndex, Enabled);
  canvas.ApplyClipRegion(std::move(saved), roSet);
}

void TlxImageComboBoxViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxCustomTextEditViewInfo::MoveBy(dx, dy);
  ImageRect = ImageRect.Offset(dx, dy);
}

TlxCustomImageComboBoxProperties* TlxImageComboBoxViewData::ImageProperties() const {
  return static_cast<TlxCustomImageComboBoxProperties*>(TextProperties());
}

void TlxImageComboBoxViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                         TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxCustomComboBoxViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto& info = static_cast<TlxImageComboBoxViewInfo&>(view_info);
  const TlxCustomImageComboBoxProperties& properties = *ImageProperties();
  info.Images = properties.Images();
  const bool descriptions = properties.ShowDescriptions();
  if (TCustomImageList* images = info.Images) {
    const TRect area(info.ClientRect.Left + 2, info.ClientRect.Top + 2, info.ClientRect.Right - 2,
                     info.ClientRect.Bottom - 2);
    const int32_t width = images->Width();
    TRect image = area;
    if (width >= area.Width()) {
      info.TextRect = TRect(area.Left, area.Top, area.Left, area.Top);
    } else if (!descriptions) {
      image.Left = area.Left + (area.Width() - width) / 2;
      image.Right = image.Left + width;
    } else if (properties.ImageAlign() == iaRight) {
      image.Left = area.Right - width;
      info.TextRect.Right = image.Left - 2;
    } else {
      image.Right = area.Left + width;
      info.TextRect.Left = image.Right + 2;
    }
    if (images->Height() < image.Height()) {
      image.Top += (image.Height() - images->Height()) / 2;
      image.Bottom = image.Top + images->Height();
    }
    info.ImageRect = image;
  } else {
    info.ImageRect = TRect();
  }
  if (ItemKnown) {
    const TlxImageComboBoxItems& items = *properties.Items();
    ShowItem(CurrentItemIndex >= 0 && CurrentItemIndex < items.Count() ? items.GetItem(CurrentItemIndex) : nullptr,
             info);
  }
  if (!descriptions)
    info.Text.clear();
}

void TlxImageComboBoxViewData::ShowItem(const TlxImageComboBoxItem* item, TlxImageComboBoxViewInfo& info) const {
  const TlxCustomImageComboBoxProperties& properties = *ImageProperties();
  std::string text;
  int32_t image_index = -1;
  properties.GetItemDescriptionAndImage(item, text, false, image_index);
  info.Text = text;
  info.ImageIndex = image_index;
  info.Images = properties.Images();
}

void TlxImageComboBoxViewData::ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                                        TlxCustomEditViewInfo& view_info) {
  TlxCustomComboBoxViewData::ApplyEditValueToViewInfo(canvas, edit_value, view_info);
  auto& info = static_cast<TlxImageComboBoxViewInfo&>(view_info);
  const TlxCustomImageComboBoxProperties& properties = *ImageProperties();
  const TlxImageComboBoxItems& items = *properties.Items();
  if (ItemKnown)
    ShowItem(CurrentItemIndex >= 0 && CurrentItemIndex < items.Count() ? items.GetItem(CurrentItemIndex) : nullptr,
             info);
  else
    ShowItem(properties.FindItemByValue(edit_value), info);
}

TSize TlxImageComboBoxViewData::MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                                        const TlxEditSizeProperties& limits) const {
  TSize size = TlxCustomComboBoxViewData::MeasureValueContentSize(canvas, edit_value, limits);
  const TCustomImageList* images = ImageProperties()->Images();
  size.cx += images != nullptr ? images->Width() + 5 : 1;
  if (images != nullptr)
    size.cy = std::max(size.cy, images->Height());
  return size;
}

// --- TlxCustomImageComboBox ------------------------------------------------------------------------

TlxCustomImageComboBox::TlxCustomImageComboBox(TComponent* owner, const TClass& properties_class)
    : TlxCustomComboBox(owner, properties_class) {
  if (!properties_class.InheritsFrom(&TlxCustomImageComboBoxProperties::kClass))
    throw EInvalidOperation(std::string(properties_class.ClassName()) + " is no image combo box properties class");
  InstallLookupData(std::make_unique<TlxImageComboBoxLookupData>(this));
}

int32_t TlxCustomImageComboBox::ItemIndex() {
  const TlxImageComboBoxItem* item = ActiveImageProperties()->FindItemByValue(GetEditValue());
  return item != nullptr ? item->Index() : -1;
}

void TlxCustomImageComboBox::SetItemIndexValue(int32_t index) {
  Variant value;
  LookupKeyToEditValue(Variant(index), value);
  SetEditValueUnlocked(value);
}

TSize TlxCustomImageComboBox::CalculatePopupContentSize() {
  TSize size = TlxCustomComboBox::CalculatePopupContentSize();
  auto* list = dynamic_cast<TlxImageComboBoxListBox*>(ImageLookupData()->GetListControl());
  if (list != nullptr && !ActiveImageProperties()->MultiLineText())
    size.cx = std::max(size.cx, list->GetMaxItemWidth());
  return size;
}

TRect TlxCustomImageComboBox::InnerEditOffsets() const {
  const TlxCustomImageComboBoxProperties& properties = *ActiveImageProperties();
  const TCustomImageList* images = properties.Images();
  if (images == nullptr)
    return TRect();
  const int32_t client_width = GetViewInfo().ClientRect.Width();
  const int32_t image_side = images->Width() + 4;
  if (!properties.ShowDescriptions() || image_side >= client_width)
    return TRect(client_width + 1, 0, 0, 0);
  return properties.ImageAlign() == iaLeft ? TRect(image_side, 0, 0, 0) : TRect(0, 0, image_side, 0);
}

Variant TlxCustomImageComboBox::GetEditingValue() {
  Variant value;
  ConvertDisplayToEditValue(Variant::Null(), value, true);
  return value;
}

void TlxCustomImageComboBox::LookupKeyToEditValue(const Variant& key, Variant& value) {
  const int32_t index = key.IsNull() || key.IsEmpty() ? -1 : key.AsInteger();
  const TlxImageComboBoxItems& items = *ActiveImageProperties()->Items();
  value = index >= 0 && index < items.Count() ? items.GetItem(index)->Value() : Variant::Null();
}

void TlxCustomImageComboBox::ConvertDisplayToEditValue(const Variant& /*display_value*/, Variant& edit_value,
                                                       bool /*edit_focused*/) {
  LookupKeyToEditValue(Variant(ImageLookupData()->CurrentKey()), edit_value);
}

void TlxCustomImageComboBox::RefreshDisplayValue() {
  PushModifiedState();
  TScopeExit pop([this] { PopModifiedState(); });
  TlxImageComboBoxLookupData* lookup = ImageLookupData();
  if (lookup != nullptr) {
    // The list follows the value without taking it for a choice.
    const TlxImageComboBoxItem* item = ActiveImageProperties()->FindItemByValue(GetEditValue());
    BeginLookupChange();
    TScopeExit end([this] { EndLookupChange(); });
    lookup->SetCurrentKeyIndex(item != nullptr ? item->Index() : -1);
  }
  TlxCustomComboBox::RefreshDisplayValue();
}

void TlxCustomImageComboBox::PrepareViewData(TlxCustomEditViewData& view_data) {
  TlxCustomComboBox::PrepareViewData(view_data);
  if (auto* data = dynamic_cast<TlxImageComboBoxViewData*>(&view_data)) {
    const bool editing = IsFocusedForFormatting() && ModifiedAfterEnter() && ImageLookupData() != nullptr;
    data->ItemKnown = true;
    data->CurrentItemIndex = editing ? ImageLookupData()->CurrentKey() : ItemIndex();
  }
}

void TlxImageComboBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxImageComboBox>();
  p.Persistent("Properties", TlxImageComboBoxProperties::kClass, &TlxImageComboBox::GetProperties);
}

// --- TlxFilterImageComboBoxHelper ------------------------------------------------------------------

TClassRef TlxFilterImageComboBoxHelper::GetValueEditorClass() const { return &TlxImageComboBox::kClass; }

void TlxFilterImageComboBoxHelper::GetSupportedOperators(const TlxCustomEditProperties* /*properties*/,
                                                         TlxValueTypeClass /*value_type*/,
                                                         TlxFilterConditionOperators& operators,
                                                         bool extended) const {
  operators = TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks};
  if (extended) {
    operators.Include(fcoInList);
    operators.Include(fcoNotInList);
  }
}

void TlxFilterImageComboBoxHelper::InitValueEditorProperties(TlxCustomEditProperties* properties,
                                                             const TlxCustomEditProperties* source_properties,
                                                             bool keep_buttons) const {
  TlxFilterTextEditHelper::InitValueEditorProperties(properties, source_properties, keep_buttons);
  auto* image = dynamic_cast<TlxCustomImageComboBoxProperties*>(properties);
  if (image == nullptr)
    return;
  image->SetDropDownListStyle(lsFixedList);
  image->SetImmediateDropDown(true);
  image->SetShowDescriptions(true);
}

// --- module ----------------------------------------------------------------------------------------

namespace {

TlxModuleStartCount& ImageComboBoxModule() {
  static TlxModuleStartCount count;
  return count;
}

}  // namespace

void lxImageComboBoxModuleStart() {
  ImageComboBoxModule().Start([] {
    RegisterStreamableClasses(
        {&TlxImageComboBoxProperties::kClass, &TlxImageComboBox::kClass, &TlxImageComboBoxItem::kClass});
    lxGetRegisteredEditProperties().AddClass(&TlxImageComboBoxProperties::kClass,
                                             lxEditResString(slxSEditRepositoryImageComboBoxItem));
    lxGetFilterEditsController().RegisterHelper(&TlxImageComboBoxProperties::kClass,
                                                &StatelessInstance<TlxFilterImageComboBoxHelper>());
  });
}

void lxImageComboBoxModuleEnd() {
  ImageComboBoxModule().End([] {
    if (lxFilterEditsControllerExists())
      lxGetFilterEditsController().UnregisterHelper(&TlxImageComboBoxProperties::kClass,
                                                    &StatelessInstance<TlxFilterImageComboBoxHelper>());
  });
}
