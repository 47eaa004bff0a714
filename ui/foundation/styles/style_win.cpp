// Styles, the repository they live in, and style sheets.
#include <algorithm>
#include <functional>

#include "platform/rtl/filer.h"
#include "platform/rtl/text.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/styles/styles_win.h"

namespace {

template <class T>
void EraseOnce(std::vector<T*>& list, T* item) {
  const auto found = std::find(list.begin(), list.end(), item);
  if (found != list.end())
    list.erase(found);
}

TlxModuleStartCount module_start;

// A style stores only the values it sets: the others come from the control.
std::function<bool(const TPersistent&)> StoredWhenAssigned(TlxStyleValue value) {
  return [value](const TPersistent& self) { return static_cast<const TlxStyle&>(self).IsValueAssigned(value); };
}

}  // namespace

// --- TlxCustomStyle -----------------------------------------------------------------

TlxCustomStyle::TlxCustomStyle(TComponent* owner) : TComponent(owner) {}

TlxCustomStyle::~TlxCustomStyle() {
  // Each observer removes itself; one that does not is dropped here, so
  // that the loop ends.
  while (!observers_.empty()) {
    IlxStyleObserver* last = observers_.back();
    last->StyleRemoved(this);
    if (!observers_.empty() && observers_.back() == last)
      observers_.pop_back();
  }
  SetStyleRepository(nullptr);
}

void TlxCustomStyle::Changed() {
  for (size_t i = observers_.size(); i > 0; --i)
    if (i <= observers_.size())
      observers_[i - 1]->StyleChanged(this);
}

void TlxCustomStyle::AddObserver(IlxStyleObserver* observer) {
  if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void TlxCustomStyle::RemoveObserver(IlxStyleObserver* observer) { EraseOnce(observers_, observer); }

void TlxCustomStyle::SetStyleRepository(TlxStyleRepository* repository) {
  if (repository == repository_)
    return;
  if (repository_ != nullptr)
    repository_->RemoveStyle(this);
  repository_ = repository;
  if (repository_ != nullptr)
    repository_->AddStyle(this);
}

TComponent* TlxCustomStyle::GetParentComponent() const { return repository_; }

void TlxCustomStyle::Loaded() {
  TComponent::Loaded();
  // Read back as a child of its repository.
  if (repository_ == nullptr)
    if (auto* repository = dynamic_cast<TlxStyleRepository*>(Owner()))
      SetStyleRepository(repository);
}

// --- TlxStyle ------------------------------------------------------------------------

void TlxStyle::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxStyle>();
  p.SetOf(
       "AssignedValues", [](const TlxStyle& style) { return style.AssignedValues().Bits(); },
       [](TlxStyle& style, uint32_t bits) { style.SetAssignedValues(TlxStyleValues::FromBits(bits & 0xF)); },
       {"svBitmap", "svColor", "svFont", "svTextColor"}, 0);
  p.Integer("Color", &TlxStyle::Color, &TlxStyle::SetColor).Stored = StoredWhenAssigned(svColor);
  p.Persistent("Bitmap", TBitmap::kClass, &TlxStyle::Bitmap).Stored = StoredWhenAssigned(svBitmap);
  p.Persistent("Font", TFont::kClass, &TlxStyle::Font).Stored = StoredWhenAssigned(svFont);
  p.Integer("TextColor", &TlxStyle::TextColor, &TlxStyle::SetTextColor).Stored = StoredWhenAssigned(svTextColor);
}

TlxStyle::TlxStyle(TComponent* owner)
    : TlxCustomStyle(owner), bitmap_(std::make_unique<TBitmap>()), font_(std::make_unique<TFont>()) {
  bitmap_->OnChange = [this](TObject*) { BitmapChanged(); };
  font_->OnChange = [this](TObject*) { FontChanged(); };
}

TlxStyle::~TlxStyle() {
  // The observers hear of the removal before the values go.
  bitmap_->OnChange = nullptr;
  font_->OnChange = nullptr;
}

void TlxStyle::SetAssignedValues(TlxStyleValues values) {
  if (values == assigned_values_)
    return;
  assigned_values_ = values;
  Changed();
}

void TlxStyle::SetColor(TColor color) {
  if (color == color_)
    return;
  color_ = color;
  assigned_values_.Set(svColor, color != clDefault);
  Changed();
}

void TlxStyle::SetTextColor(TColor color) {
  if (color == text_color_)
    return;
  text_color_ = color;
  assigned_values_.Set(svTextColor, color != clDefault);
  Changed();
}

void TlxStyle::SetBitmap(const TBitmap* bitmap) {
  if (bitmap == nullptr) {
    bitmap_->SetSize(0, 0);
    return;
  }
  bitmap_->Assign(bitmap);
}

void TlxStyle::SetFont(const TFont* font) {
  if (font == nullptr)
    return;
  font_->Assign(font);
  // Assigning an equal font changes nothing in it, but the style sets its
  // font all the same.
  if (!IsValueAssigned(svFont))
    FontChanged();
}

void TlxStyle::BitmapChanged() {
  assigned_values_.Set(svBitmap, !bitmap_->Empty());
  Changed();
}

void TlxStyle::FontChanged() {
  assigned_values_.Include(svFont);
  Changed();
}

void TlxStyle::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxStyle*>(source);
  if (other == nullptr) {
    TlxCustomStyle::Assign(source);
    return;
  }
  SetBitmap(other->Bitmap());
  SetColor(other->Color());
  SetFont(other->Font());
  SetTextColor(other->TextColor());
  // The source's flags win over what the setters concluded.
  SetAssignedValues(other->AssignedValues());
}

void TlxStyle::ResetToDefaults() {
  assigned_values_ = TlxStyleValues();
  {
    // Clearing the bitmap is part of this one change.
    TNotifyEvent on_change = std::move(bitmap_->OnChange);
    bitmap_->OnChange = nullptr;
    bitmap_->SetSize(0, 0);
    bitmap_->OnChange = std::move(on_change);
  }
  color_ = clDefault;
  text_color_ = clDefault;
  Changed();
}

void TlxStyle::Loaded() {
  TlxCustomStyle::Loaded();
  // Only a font the style sets is scaled: scaling an untouched font would
  // mark it as set and hide the control's own font.
  if (StyleRepository() == nullptr || !IsValueAssigned(svFont))
    return;
  const int32_t scaled = StyleRepository()->ScaleSize(font_->Height());
  if (scaled != font_->Height())
    font_->SetHeight(scaled);
}

bool lxIsStyleValueAssigned(const TlxCustomStyle* style, TlxStyleValue value) {
  const auto* values = dynamic_cast<const TlxStyle*>(style);
  return values != nullptr && values->IsValueAssigned(value);
}

// --- TlxStyleRepository ------------------------------------------------------------------

void TlxStyleRepository::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxStyleRepository>();
  p.Boolean("Scalable", &TlxStyleRepository::Scalable, &TlxStyleRepository::SetScalable, false);
}

TlxStyleRepository::TlxStyleRepository(TComponent* owner) : TComponent(owner) {}

TlxStyleRepository::~TlxStyleRepository() {
  while (!styles_.empty())
    delete styles_.back();
  while (!style_sheets_.empty())
    delete style_sheets_.back();
}

TlxCustomStyle* TlxStyleRepository::AddStyleOfClass(TlxStyleClass style_class) {
  return AddOwnedStyleOfClass(style_class, this);
}

TlxCustomStyle* TlxStyleRepository::AddOwnedStyleOfClass(TlxStyleClass style_class, TComponent* owner) {
  if (style_class == nullptr || !style_class->InheritsFrom(&TlxCustomStyle::kClass))
    return nullptr;
  auto* style = static_cast<TlxCustomStyle*>(style_class->CreateInstance(owner));
  style->SetStyleRepository(this);
  return style;
}

TlxCustomStyleSheet* TlxStyleRepository::CreateStyleSheet(TlxStyleSheetClass sheet_class) {
  return CreateStyleSheetEx(sheet_class, this);
}

TlxCustomStyleSheet* TlxStyleRepository::CreateStyleSheetEx(TlxStyleSheetClass sheet_class, TComponent* owner) {
  if (sheet_class == nullptr || !sheet_class->InheritsFrom(&TlxCustomStyleSheet::kClass))
    return nullptr;
  auto* sheet = static_cast<TlxCustomStyleSheet*>(sheet_class->CreateInstance(owner));
  sheet->SetStyleRepository(this);
  return sheet;
}

TlxCustomStyle* TlxStyleRepository::Styles(int32_t index) const {
  if (index < 0 || index >= StyleCount())
    throw EListError::IndexOutOfBounds(index);
  return styles_[static_cast<size_t>(index)];
}

TlxCustomStyleSheet* TlxStyleRepository::StyleSheets(int32_t index) const {
  if (index < 0 || index >= StyleSheetCount())
    throw EListError::IndexOutOfBounds(index);
  return style_sheets_[static_cast<size_t>(index)];
}

int32_t TlxStyleRepository::ScaleSize(int32_t size) const {
  const int32_t screen = ScreenPixelsPerInch();
  if (!scalable_ || pixels_per_inch_ == 0 || pixels_per_inch_ == screen)
    return size;
  return MulDiv(size, screen, pixels_per_inch_);
}

int32_t TlxStyleRepository::ScreenPixelsPerInch() const {
  return GetDeviceCaps(lxGetScreenCanvas().Handle(), LOGPIXELSY);
}

void TlxStyleRepository::GetChildren(const TGetChildProc& proc, TComponent* root) {
  for (TlxCustomStyle* style : styles_)
    if (style->Owner() == root)
      proc(style);
  for (TlxCustomStyleSheet* sheet : style_sheets_)
    if (sheet->Owner() == root)
      proc(sheet);
}

void TlxStyleRepository::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineProperty(
      "PixelsPerInch", [this](TReader& reader) { pixels_per_inch_ = static_cast<int32_t>(reader.ReadInteger()); },
      [this](TWriter& writer) { writer.WriteInteger(ScreenPixelsPerInch()); }, filer.Ancestor() == nullptr);
}

void TlxStyleRepository::AddStyle(TlxCustomStyle* style) {
  if (std::find(styles_.begin(), styles_.end(), style) == styles_.end())
    styles_.push_back(style);
}

void TlxStyleRepository::RemoveStyle(TlxCustomStyle* style) { EraseOnce(styles_, style); }

void TlxStyleRepository::AddStyleSheet(TlxCustomStyleSheet* sheet) {
  if (std::find(style_sheets_.begin(), style_sheets_.end(), sheet) == style_sheets_.end())
    style_sheets_.push_back(sheet);
}

void TlxStyleRepository::RemoveStyleSheet(TlxCustomStyleSheet* sheet) { EraseOnce(style_sheets_, sheet); }

// --- TlxCustomStyleSheet --------------------------------------------------------------------

void TlxCustomStyleSheet::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCustomStyleSheet>();
  p.String("Caption", &TlxCustomStyleSheet::Caption, &TlxCustomStyleSheet::SetCaption).Stored =
      [](const TPersistent& self) { return static_cast<const TlxCustomStyleSheet&>(self).IsCaptionStored(); };
}

TlxCustomStyleSheet::TlxCustomStyleSheet(TComponent* owner) : TlxComponent(owner) {
  built_in_ = InDesignMode();
}

TlxCustomStyles* TlxCustomStyleSheet::StylesObject() const {
  if (styles_ == nullptr) {
    const TClass* styles_class = StylesObjectClass();
    if (styles_class == nullptr || !styles_class->InheritsFrom(&TlxCustomStyles::kClass))
      styles_class = &TlxCustomStyles::kClass;
    styles_.reset(static_cast<TlxCustomStyles*>(styles_class->CreateInstance(nullptr)));
    styles_->owning_sheet_ = const_cast<TlxCustomStyleSheet*>(this);
  }
  return styles_.get();
}

TlxCustomStyleSheet::~TlxCustomStyleSheet() {
  while (!consumers_.empty())
    consumers_.back()->SetStyleSheet(nullptr);
  SetStyleRepository(nullptr);
  styles_.reset();
}

const TClass* TlxCustomStyleSheet::StylesObjectClass() const { return &TlxCustomStyles::kClass; }

std::string TlxCustomStyleSheet::Caption() const { return caption_.empty() ? Name() : caption_; }

void TlxCustomStyleSheet::SetCaption(const std::string& caption) {
  caption_ = AnsiCompareText(caption, Name()) == 0 ? std::string() : caption;
}

void TlxCustomStyleSheet::AssignStyles(const TlxCustomStyles* styles) {
  if (styles != nullptr)
    StylesObject()->Assign(styles);
}

void TlxCustomStyleSheet::SetStyleRepository(TlxStyleRepository* repository) {
  if (repository == repository_)
    return;
  if (repository_ != nullptr)
    repository_->RemoveStyleSheet(this);
  repository_ = repository;
  if (repository_ != nullptr)
    repository_->AddStyleSheet(this);
}

void TlxCustomStyleSheet::BroadcastStyleChanged(int32_t index) {
  const std::vector<TlxCustomStyles*> consumers = consumers_;
  for (TlxCustomStyles* styles : consumers)
    styles->NotifyStyleChanged(index);
  RefreshFakeComponentLinks();
}

void TlxCustomStyleSheet::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomStyleSheet*>(source);
  if (other == nullptr) {
    TlxComponent::Assign(source);
    return;
  }
  SetCaption(other->Caption());
  AssignStyles(other->StylesObject());
}

void TlxCustomStyleSheet::DefineProperties(TFiler& filer) {
  TlxComponent::DefineProperties(filer);
  filer.DefineProperty(
      "BuiltIn", [this](TReader& reader) { built_in_ = reader.ReadBoolean(); },
      [this](TWriter& writer) { writer.WriteBoolean(built_in_); }, true);
}

void TlxCustomStyleSheet::CollectFakeComponentLinks(std::vector<TComponent*>& links) {
  if (Owner() == nullptr)
    return;
  for (int32_t i = 0; i < StylesObject()->ItemCount(); ++i) {
    TComponent* owner = StylesObject()->ItemAt(i).Style->Owner();
    if (owner != nullptr && owner != Owner() && std::find(links.begin(), links.end(), owner) == links.end())
      links.push_back(owner);
  }
}

void TlxCustomStyleSheet::AddConsumer(TlxCustomStyles* styles) {
  if (std::find(consumers_.begin(), consumers_.end(), styles) == consumers_.end())
    consumers_.push_back(styles);
}

void TlxCustomStyleSheet::RemoveConsumer(TlxCustomStyles* styles) { EraseOnce(consumers_, styles); }

// --- module ----------------------------------------------------------------------------------

void lxStylesModuleStart() {
  module_start.Start([] { RegisterStreamableClass(TlxStyle::kClass); });
}

void lxStylesModuleEnd() {
  module_start.End([] { UnRegisterStreamableClass(TlxStyle::kClass); });
}
