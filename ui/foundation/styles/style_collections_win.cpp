// Style collections: indexes mapped to styles, style sheet chains, and the
// view parameters resolved from them.
#include <algorithm>
#include <unordered_set>

#include "ui/foundation/styles/styles_win.h"

namespace {

// The component that the persistent's owner chain ends in.
TComponent* OutermostOwner(const TPersistent* persistent) {
  TComponent* outermost = nullptr;
  for (TPersistent* owner = persistent->GetOwner(); owner != nullptr; owner = owner->GetOwner()) {
    if (auto* component = dynamic_cast<TComponent*>(owner))
      outermost = component;
  }
  return outermost;
}

bool OwnerIsWriting(const TPersistent* persistent) {
  for (TPersistent* owner = persistent->GetOwner(); owner != nullptr; owner = owner->GetOwner())
    if (auto* component = dynamic_cast<TComponent*>(owner))
      return component->ComponentState().Contains(csWriting);
  return false;
}

// The next sheet along a chain: the sheet the sheet's styles object uses.
const TlxCustomStyleSheet* NextInChain(const TlxCustomStyleSheet* sheet) {
  return sheet->StylesObject()->StyleSheet();
}

}  // namespace

TlxCustomStyles::TlxCustomStyles(TPersistent* owner) : TlxInterfacedPersistent(owner) {}

TlxCustomStyles::~TlxCustomStyles() {
  destroying_ = true;
  SetStyleSheet(nullptr);
  for (auto& item : items_)
    item->Style->RemoveObserver(this);
  items_.clear();
}

const TlxCustomStylesItem& TlxCustomStyles::ItemAt(int32_t position) const {
  if (position < 0 || position >= ItemCount())
    throw EListError::IndexOutOfBounds(position);
  return *items_[static_cast<size_t>(position)];
}

bool TlxCustomStyles::FindIndex(int32_t index, int32_t& position) const {
  const auto found = std::lower_bound(items_.begin(), items_.end(), index,
                                      [](const auto& item, int32_t value) { return item->Index < value; });
  position = static_cast<int32_t>(found - items_.begin());
  return found != items_.end() && (*found)->Index == index;
}

TlxCustomStyle* TlxCustomStyles::GetStyle(int32_t index) const {
  int32_t position = 0;
  if (FindIndex(index, position))
    return items_[static_cast<size_t>(position)]->Style;
  if (OwnerIsWriting(this))
    return nullptr;
  // Sheets refuse cycles; the walk is bounded all the same.
  std::unordered_set<const TlxCustomStyleSheet*> visited;
  for (const TlxCustomStyleSheet* sheet = style_sheet_; sheet != nullptr && visited.insert(sheet).second;
       sheet = NextInChain(sheet)) {
    const TlxCustomStyles* styles = sheet->StylesObject();
    if (styles->FindIndex(index, position))
      return styles->items_[static_cast<size_t>(position)]->Style;
  }
  return nullptr;
}

TlxCustomStyle* TlxCustomStyles::ReplaceByInheritedStyle(TlxCustomStyle* style) const {
  if (style == nullptr || style->Name().empty())
    return style;
  TComponent* outermost = OutermostOwner(this);
  TComponent* style_owner = style->Owner();
  if (outermost == nullptr || style_owner == nullptr || outermost == style_owner ||
      !outermost->ClassType()->InheritsFrom(style_owner->ClassType()))
    return style;
  return dynamic_cast<TlxCustomStyle*>(outermost->FindComponent(style->Name()));
}

void TlxCustomStyles::SetStyle(int32_t index, TlxCustomStyle* style) {
  style = ReplaceByInheritedStyle(style);
  if (style == GetStyle(index))
    return;
  int32_t position = 0;
  if (FindIndex(index, position)) {
    TlxCustomStylesItem& item = *items_[static_cast<size_t>(position)];
    item.Style->RemoveObserver(this);
    if (style != nullptr) {
      item.Style = style;
      style->AddObserver(this);
    } else {
      items_.erase(items_.begin() + position);
    }
  } else if (style != nullptr) {
    items_.insert(items_.begin() + position, std::make_unique<TlxCustomStylesItem>(index, style));
    style->AddObserver(this);
  }
  NotifyStyleChanged(index);
}

void TlxCustomStyles::Delete(int32_t position) {
  if (position < 0 || position >= ItemCount())
    throw EListError::IndexOutOfBounds(position);
  const int32_t index = items_[static_cast<size_t>(position)]->Index;
  items_[static_cast<size_t>(position)]->Style->RemoveObserver(this);
  items_.erase(items_.begin() + position);
  NotifyStyleChanged(index);
}

void TlxCustomStyles::Clear() {
  while (!items_.empty())
    Delete(ItemCount() - 1);
}

bool TlxCustomStyles::CanTakeStyleSheet(const TlxCustomStyleSheet* sheet) const {
  if (sheet == nullptr)
    return true;
  if (sheet == owning_sheet_ || sheet->StylesObjectClass() != ClassType())
    return false;
  if (owning_sheet_ == nullptr)
    return true;
  std::unordered_set<const TlxCustomStyleSheet*> visited;
  for (const TlxCustomStyleSheet* link = sheet; link != nullptr && visited.insert(link).second;
       link = NextInChain(link))
    if (link == owning_sheet_)
      return false;
  return true;
}

void TlxCustomStyles::CollectChainIndexes(const TlxCustomStyleSheet* sheet, std::vector<int32_t>& indexes) {
  std::unordered_set<const TlxCustomStyleSheet*> visited;
  for (; sheet != nullptr && visited.insert(sheet).second; sheet = NextInChain(sheet)) {
    const TlxCustomStyles* styles = sheet->StylesObject();
    for (const auto& item : styles->items_)
      if (std::find(indexes.begin(), indexes.end(), item->Index) == indexes.end())
        indexes.push_back(item->Index);
  }
}

void TlxCustomStyles::SetStyleSheet(TlxCustomStyleSheet* sheet) {
  if (sheet == style_sheet_ || !CanTakeStyleSheet(sheet))
    return;
  std::vector<int32_t> indexes;
  if (style_sheet_ != nullptr) {
    style_sheet_->RemoveConsumer(this);
    if (!destroying_)
      CollectChainIndexes(style_sheet_, indexes);
  }
  style_sheet_ = sheet;
  if (style_sheet_ != nullptr) {
    style_sheet_->AddConsumer(this);
    CollectChainIndexes(style_sheet_, indexes);
  }
  for (int32_t index : indexes)
    NotifyStyleChanged(index);
}

void TlxCustomStyles::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomStyles*>(source))
    SetStyleSheet(other->StyleSheet());
}

void TlxCustomStyles::StyleChanged(TlxCustomStyle* sender) {
  std::vector<int32_t> indexes;
  for (const auto& item : items_)
    if (item->Style == sender)
      indexes.push_back(item->Index);
  for (int32_t index : indexes)
    NotifyStyleChanged(index);
}

void TlxCustomStyles::StyleRemoved(TlxCustomStyle* sender) {
  for (int32_t position = ItemCount() - 1; position >= 0; --position)
    if (position < ItemCount() && items_[static_cast<size_t>(position)]->Style == sender)
      Delete(position);
  // A style used only through the sheet is no item here.
  sender->RemoveObserver(this);
}

void TlxCustomStyles::NotifyStyleChanged(int32_t index) {
  if (destroying_)
    return;
  StyleChanged(index);
  if (owning_sheet_ != nullptr)
    owning_sheet_->BroadcastStyleChanged(index);
}

void TlxCustomStyles::StyleChanged(int32_t /*index*/) {}

// --- TlxStyles ------------------------------------------------------------------------

TlxStyle* TlxStyles::GetIndexedStyle(int32_t index) const { return dynamic_cast<TlxStyle*>(GetStyle(index)); }

TBitmap* TlxStyles::GetStyleBitmap(int32_t index) const {
  TlxStyle* style = GetIndexedStyle(index);
  if (style == nullptr || !style->IsValueAssigned(svBitmap) || style->Bitmap()->Empty())
    return nullptr;
  return style->Bitmap();
}

void TlxStyles::GetViewParams(int32_t index, TObject* data, const TlxCustomStyle* explicit_style,
                              TlxPaintParams& params) {
  const TlxStyle* indexed = GetIndexedStyle(index);
  const auto* given = dynamic_cast<const TlxStyle*>(explicit_style);
  // The first of the explicit and the indexed style that sets the value.
  const auto source = [&](TlxStyleValue value) -> const TlxStyle* {
    if (given != nullptr && given->IsValueAssigned(value))
      return given;
    if (indexed != nullptr && indexed->IsValueAssigned(value))
      return indexed;
    return nullptr;
  };
  const TlxStyle* bitmap_source = use_bitmap_in_view_params_ ? source(svBitmap) : nullptr;
  const TlxStyle* color_source = source(svColor);
  const TlxStyle* font_source = source(svFont);
  const TlxStyle* text_color_source = source(svTextColor);
  params.Bitmap = bitmap_source != nullptr ? bitmap_source->Bitmap() : nullptr;
  params.Color = color_source != nullptr ? color_source->Color() : clDefault;
  params.Font = font_source != nullptr ? font_source->Font() : nullptr;
  params.TextColor = text_color_source != nullptr ? text_color_source->TextColor() : clDefault;
  const bool complete = (bitmap_source != nullptr || !use_bitmap_in_view_params_) && color_source != nullptr &&
                        font_source != nullptr && text_color_source != nullptr;
  if (complete)
    return;
  TlxPaintParams defaults;
  GetDefaultViewParams(index, data, defaults);
  if (params.Bitmap == nullptr)
    params.Bitmap = defaults.Bitmap;
  if (params.Color == clDefault)
    params.Color = defaults.Color;
  if (params.Font == nullptr)
    params.Font = defaults.Font;
  if (params.TextColor == clDefault)
    params.TextColor = defaults.TextColor;
}

void TlxStyles::GetDefaultViewParams(int32_t index, TObject* /*data*/, TlxPaintParams& params) {
  params.Bitmap = nullptr;
  highest_default_index_ = std::max(highest_default_index_, index);
}

bool TlxStyles::IsFontDefault(int32_t index) const { return !lxIsStyleValueAssigned(GetStyle(index), svFont); }

void TlxStyles::FontChanged(TObject* /*sender*/, TFont* font) {
  for (int32_t index = 0; index <= highest_default_index_; ++index) {
    if (!IsFontDefault(index))
      continue;
    TlxPaintParams defaults;
    GetDefaultViewParams(index, nullptr, defaults);
    if (defaults.Font == font)
      NotifyStyleChanged(index);
  }
}
