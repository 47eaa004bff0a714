#include "editors/edit_buttons.h"

#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

std::string lxEditButtonDisplayCaption(const std::string& caption) {
  std::string shown;
  shown.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      shown += caption[i];
      continue;
    }
    if (i + 1 == caption.size()) {
      shown += '_';
      break;
    }
    shown += caption[++i];
  }
  return shown;
}

void TlxEditButton::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxEditButton>();
  p.String("Caption", &TlxEditButton::Caption, &TlxEditButton::SetCaption);
  p.Enumeration("ContentAlignment", &TlxEditButton::ContentAlignment, &TlxEditButton::SetContentAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, std::optional<TAlignment>(taCenter));
  p.Boolean("Default", &TlxEditButton::Default, &TlxEditButton::SetDefault, false);
  p.Boolean("Enabled", &TlxEditButton::Enabled, &TlxEditButton::SetEnabled, true);
  PublishGlyph(properties);
  p.String("Hint", &TlxEditButton::Hint, &TlxEditButton::SetHint);
  p.Enumeration("Kind", &TlxEditButton::Kind, &TlxEditButton::SetKind,
                {"bkEllipsis", "bkDown", "bkGlyph", "bkText"}, std::optional<TlxEditButtonKind>(bkDown));
  p.Boolean("LeftAlignment", &TlxEditButton::LeftAlignment, &TlxEditButton::SetLeftAlignment, false);
  p.Boolean("Stretchable", &TlxEditButton::Stretchable, &TlxEditButton::SetStretchable, true);
  p.Integer("Tag", &TlxEditButton::Tag, &TlxEditButton::SetTag);
  p.Boolean("Visible", &TlxEditButton::Visible, &TlxEditButton::SetVisible, true);
  p.Integer("Width", &TlxEditButton::Width, &TlxEditButton::SetWidth, 0);
}

TlxEditButton::TlxEditButton(TCollection* collection) : TCollectionItem(collection) {}

TlxEditButton::~TlxEditButton() = default;

void TlxEditButton::Assign(const TPersistent* source) {
  const auto* button = dynamic_cast<const TlxEditButton*>(source);
  if (button == nullptr) {
    TCollectionItem::Assign(source);
    return;
  }
  TCollection* owner = Collection();
  if (owner != nullptr)
    owner->BeginUpdate();
  TScopeExit end_update([owner] {
    if (owner != nullptr)
      owner->EndUpdate();
  });
  SetCaption(button->caption_);
  SetContentAlignment(button->content_alignment_);
  SetDefault(button->default_);
  SetEnabled(button->enabled_);
  AssignGlyphFrom(*button);
  SetHint(button->hint_);
  SetKind(button->kind_);
  SetLeftAlignment(button->left_alignment_);
  SetStretchable(button->stretchable_);
  SetTag(button->tag_);
  SetVisible(button->visible_);
  SetWidth(button->width_);
  ChangeTextColor(button->text_color_);
}

void TlxEditButton::SetCaption(const std::string& value) {
  if (caption_ == value)
    return;
  caption_ = value;
  display_caption_ = lxEditButtonDisplayCaption(value);
  Changed(false);
}

void TlxEditButton::SetContentAlignment(TAlignment value) { Store(content_alignment_, value); }

void TlxEditButton::SetDefault(bool value) {
  if (default_ == value)
    return;
  if (value && Collection() != nullptr) {
    for (int32_t i = 0; i < Collection()->Count(); ++i) {
      auto* other = static_cast<TlxEditButton*>(Collection()->Items(i));
      if (other != this)
        other->default_ = false;
    }
  }
  default_ = value;
  // Other buttons changed too: the whole collection is reported.
  Changed(true);
}

void TlxEditButton::SetEnabled(bool value) { Store(enabled_, value); }
void TlxEditButton::SetHint(const std::string& value) { Store(hint_, value); }
void TlxEditButton::SetKind(TlxEditButtonKind value) { Store(kind_, value); }
void TlxEditButton::SetLeftAlignment(bool value) { Store(left_alignment_, value); }
void TlxEditButton::SetStretchable(bool value) { Store(stretchable_, value); }
void TlxEditButton::SetVisible(bool value) { Store(visible_, value); }

void TlxEditButton::SetWidth(int32_t value) {
  if (value < 0)
    return;
  Store(width_, value);
}

void TlxEditButton::ChangeTextColor(TColor value) { Store(text_color_, value); }

TlxEditButtons::TlxEditButtons(TPersistent* owner, const TClass& item_class) : TCollection(item_class, owner) {}

int32_t TlxEditButtons::CountVisible() const {
  int32_t visible = 0;
  for (int32_t i = 0; i < Count(); ++i)
    visible += GetButton(i)->Visible() ? 1 : 0;
  return visible;
}

void TlxEditButtons::Update(TCollectionItem* /*item*/) {
  if (OnChanged)
    OnChanged();
}
