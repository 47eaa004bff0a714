#pragma once
// The buttons an editor carries inside its frame: settings only. The view
// data lays them out and the view info paints them.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/rtl/alignment.h"
#include "platform/rtl/collection.h"
#include "platform/toolkit/color.h"

// Stores a value that differs from the field's and then runs `changed`;
// every setter of the editor settings notifies only on a real change.
template <class T, class Changed>
void lxStoreChanged(T& field, const T& value, Changed&& changed) {
  if (field == value)
    return;
  field = value;
  changed();
}

enum TlxEditButtonKind : uint8_t { bkEllipsis, bkDown, bkGlyph, bkText };

class TlxCustomEditProperties;
class TBitmap;

class TlxEditButton : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxEditButton", &TCollectionItem::kClass, &ConstructInstance<TlxEditButton>,
                                 &TlxEditButton::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditButton(TCollection* collection);
  ~TlxEditButton() override;

  void Assign(const TPersistent* source) override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& value);
  // The caption as shown: accelerator marks dropped ("&&" shows one "&",
  // a lone "&" at the end shows "_"). Widths are measured on it.
  const std::string& DisplayCaption() const { return display_caption_; }
  TAlignment ContentAlignment() const { return content_alignment_; }
  void SetContentAlignment(TAlignment value);
  bool Default() const { return default_; }
  // True clears Default on every other button of the collection.
  void SetDefault(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  // The picture of a bkGlyph button, created empty on first read; changing
  // it counts as a change of the button. Windows builds only.
  TBitmap* Glyph() const;
  // The picture when one was read or assigned before, else null: painting
  // and measuring never create one.
  TBitmap* GlyphIfCreated() const;
  // Copies the picture in; null frees it.
  void SetGlyph(const TBitmap* value);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& value);
  TlxEditButtonKind Kind() const { return kind_; }
  void SetKind(TlxEditButtonKind value);
  bool LeftAlignment() const { return left_alignment_; }
  void SetLeftAlignment(bool value);
  bool Stretchable() const { return stretchable_; }
  void SetStretchable(bool value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int32_t Width() const { return width_; }
  // A negative width is ignored.
  void SetWidth(int32_t value);
  TColor TextColor() const { return text_color_; }
  void ChangeTextColor(TColor value);

 private:
  // The picture's Assign from another button (nothing in the portable
  // build, where buttons have no pictures).
  void AssignGlyphFrom(const TlxEditButton& source);
  static void PublishGlyph(TPropertyListBuilder& properties);

  template <class T>
  void Store(T& field, const T& value) {
    lxStoreChanged(field, value, [this] { Changed(false); });
  }

  std::string caption_;
  std::string display_caption_;
  TAlignment content_alignment_ = taCenter;
  bool default_ = false;
  bool enabled_ = true;
  std::string hint_;
  TlxEditButtonKind kind_ = bkDown;
  bool left_alignment_ = false;
  bool stretchable_ = true;
  int32_t tag_ = 0;
  bool visible_ = true;
  int32_t width_ = 0;
  TColor text_color_ = clBtnText;
  // A TBitmap, held through its persistent base so that the portable build
  // needs no bitmap type; made on first read, which form descriptions do
  // through a const button.
  mutable std::unique_ptr<TPersistent> glyph_;
};

// The caption of a text button as shown (see TlxEditButton::DisplayCaption).
std::string lxEditButtonDisplayCaption(const std::string& caption);

class TlxEditButtons : public TCollection {
 public:
  static constexpr TClass kClass{"TlxEditButtons", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxEditButtons(TPersistent* owner, const TClass& item_class);

  // The item class of a buttons collection built without one.
  virtual const TClass& GetItemClass() const { return TlxEditButton::kClass; }

  TlxEditButton* AddButton() { return static_cast<TlxEditButton*>(Add()); }
  // Raises EListError outside 0..Count() - 1.
  TlxEditButton* GetButton(int32_t index) const { return static_cast<TlxEditButton*>(Items(index)); }
  int32_t CountVisible() const;

  // Called whenever the collection updates (the properties set it).
  std::function<void()> OnChanged;

 protected:
  void Update(TCollectionItem* item) override;
};
