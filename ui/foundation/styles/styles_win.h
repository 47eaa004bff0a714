#pragma once
// Styles: small components carrying up to four drawing values (background
// bitmap, background colour, font, text colour), each with a flag that says
// whether it is set. They live in a style repository. A control part holds
// a style collection that maps indexes (content, header, ...) to styles,
// optionally backed by a named, reusable style sheet; painting asks the
// collection for the view parameters of an index, and what no style sets
// comes from the part's defaults. Changes flow back: a changed style tells
// every collection that uses it, which reports the index.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/font.h"
#include "platform/toolkit/types.h"
#include "ui/foundation/base/component.h"
#include "ui/foundation/base/interfaced.h"
#include "ui/foundation/canvas/canvas_win.h"

enum TlxStyleValue : uint8_t { svBitmap, svColor, svFont, svTextColor };
using TlxStyleValues = TSmallSet<TlxStyleValue>;

class TlxCustomStyle;
class TlxCustomStyleSheet;
class TlxCustomStyles;
class TlxStyleRepository;

class IlxStyleObserver : public virtual IInterface {
 public:
  virtual void StyleChanged(TlxCustomStyle* sender) = 0;
  virtual void StyleRemoved(TlxCustomStyle* sender) = 0;
};

// Told when the font of the control a collection belongs to changes.
class IlxControlFontObserver : public virtual IInterface {
 public:
  virtual void FontChanged(TObject* sender, TFont* font) = 0;
};

class TlxCustomStyle : public TComponent {
 public:
  static constexpr TClass kClass{"TlxCustomStyle", &TComponent::kClass, &ConstructInstance<TlxCustomStyle>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomStyle(TComponent* owner);
  // Tells every observer that the style goes, then leaves the repository.
  ~TlxCustomStyle() override;

  // StyleChanged on every observer, last first.
  virtual void Changed();
  // Once per observer.
  virtual void AddObserver(IlxStyleObserver* observer);
  virtual void RemoveObserver(IlxStyleObserver* observer);
  virtual void ResetToDefaults() {}

  TlxStyleRepository* StyleRepository() const { return repository_; }
  // Leaves the old repository's list and joins the new one's.
  void SetStyleRepository(TlxStyleRepository* repository);
  int32_t ObserverCount() const { return static_cast<int32_t>(observers_.size()); }

  // Streamed as a child of its repository.
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }
  void Loaded() override;

 private:
  std::vector<IlxStyleObserver*> observers_;
  TlxStyleRepository* repository_ = nullptr;
};

class TlxStyle : public TlxCustomStyle {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxStyle", &TlxCustomStyle::kClass, &ConstructInstance<TlxStyle>,
                                 &TlxStyle::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxStyle(TComponent* owner);
  ~TlxStyle() override;

  TlxStyleValues AssignedValues() const { return assigned_values_; }
  // Only the flags change; the values stay as they are.
  void SetAssignedValues(TlxStyleValues values);
  TColor Color() const { return color_; }
  // clDefault clears the colour's flag, any other colour sets it.
  void SetColor(TColor color);
  TColor TextColor() const { return text_color_; }
  void SetTextColor(TColor color);
  TBitmap* Bitmap() const { return bitmap_.get(); }
  // Assigns into the own bitmap; an empty bitmap clears its flag.
  void SetBitmap(const TBitmap* bitmap);
  TFont* Font() const { return font_.get(); }
  // Assigns into the own font; any font change sets its flag.
  void SetFont(const TFont* font);

  bool IsValueAssigned(TlxStyleValue value) const { return assigned_values_.Contains(value); }

  // Another TlxStyle: the values through their setters, then its flags.
  void Assign(const TPersistent* source) override;
  void ResetToDefaults() override;
  // Scales an assigned font to the screen the repository is loaded on.
  void Loaded() override;

 private:
  void BitmapChanged();
  void FontChanged();

  TlxStyleValues assigned_values_;
  std::unique_ptr<TBitmap> bitmap_;
  TColor color_ = clDefault;
  std::unique_ptr<TFont> font_;
  TColor text_color_ = clDefault;
};

// Whether `style` exists and sets `value`.
bool lxIsStyleValueAssigned(const TlxCustomStyle* style, TlxStyleValue value);

using TlxStyleClass = const TClass*;
using TlxStyleSheetClass = const TClass*;

class TlxStyleRepository : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxStyleRepository", &TComponent::kClass, &ConstructInstance<TlxStyleRepository>,
                                 &TlxStyleRepository::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxStyleRepository(TComponent* owner);
  // Frees the styles (last first), then the sheets (last first).
  ~TlxStyleRepository() override;

  // A style of that class, owned by the repository or by `owner`.
  virtual TlxCustomStyle* AddStyleOfClass(TlxStyleClass style_class);
  virtual TlxCustomStyle* AddOwnedStyleOfClass(TlxStyleClass style_class, TComponent* owner);
  virtual TlxCustomStyleSheet* CreateStyleSheet(TlxStyleSheetClass sheet_class);
  virtual TlxCustomStyleSheet* CreateStyleSheetEx(TlxStyleSheetClass sheet_class, TComponent* owner);

  int32_t StyleCount() const { return static_cast<int32_t>(styles_.size()); }
  TlxCustomStyle* Styles(int32_t index) const;
  int32_t StyleSheetCount() const { return static_cast<int32_t>(style_sheets_.size()); }
  TlxCustomStyleSheet* StyleSheets(int32_t index) const;

  bool Scalable() const { return scalable_; }
  void SetScalable(bool scalable) { scalable_ = scalable; }
  // The resolution the stored sizes were made for (0 when not read).
  int32_t PixelsPerInch() const { return pixels_per_inch_; }
  // A stored size for this screen: MulDiv(n, screen, stored) when scalable
  // and the two differ.
  int32_t ScaleSize(int32_t size) const;

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  // The screen's vertical resolution.
  virtual int32_t ScreenPixelsPerInch() const;

 private:
  friend class TlxCustomStyle;
  friend class TlxCustomStyleSheet;
  void AddStyle(TlxCustomStyle* style);
  void RemoveStyle(TlxCustomStyle* style);
  void AddStyleSheet(TlxCustomStyleSheet* sheet);
  void RemoveStyleSheet(TlxCustomStyleSheet* sheet);

  std::vector<TlxCustomStyle*> styles_;
  std::vector<TlxCustomStyleSheet*> style_sheets_;
  int32_t pixels_per_inch_ = 0;
  bool scalable_ = false;
};

class TlxCustomStyleSheet : public TlxComponent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCustomStyleSheet", &TlxComponent::kClass,
                                 &ConstructInstance<TlxCustomStyleSheet>, &TlxCustomStyleSheet::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomStyleSheet(TComponent* owner);
  // Detaches every collection still using the sheet, then leaves the
  // repository.
  ~TlxCustomStyleSheet() override;

  // The class of the styles object; the grid's sheets name their own.
  virtual const TClass* StylesObjectClass() const;

  bool BuiltIn() const { return built_in_; }
  void SetBuiltIn(bool built_in) { built_in_ = built_in; }
  // The stored caption, or the name when none is stored.
  std::string Caption() const;
  // A caption equal to the name (letter case ignored) is not stored.
  void SetCaption(const std::string& caption);
  bool IsCaptionStored() const { return !caption_.empty(); }

  // Made on first use: the class a descendant names is known only once the
  // descendant is constructed.
  TlxCustomStyles* StylesObject() const;
  void AssignStyles(const TlxCustomStyles* styles);
  TlxStyleRepository* StyleRepository() const { return repository_; }
  void SetStyleRepository(TlxStyleRepository* repository);
  int32_t ConsumerCount() const { return static_cast<int32_t>(consumers_.size()); }

  // Tells every collection using the sheet that the index changed.
  void BroadcastStyleChanged(int32_t index);

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  // The owners of the sheet's styles that differ from the sheet's owner.
  void CollectFakeComponentLinks(std::vector<TComponent*>& links) override;

 private:
  friend class TlxCustomStyles;
  void AddConsumer(TlxCustomStyles* styles);
  void RemoveConsumer(TlxCustomStyles* styles);

  bool built_in_ = false;
  std::string caption_;
  mutable std::unique_ptr<TlxCustomStyles> styles_;
  TlxStyleRepository* repository_ = nullptr;
  std::vector<TlxCustomStyles*> consumers_;
};

class TlxCustomStylesItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomStylesItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxCustomStylesItem(int32_t index, TlxCustomStyle* style) : Index(index), Style(style) {}
  int32_t Index;
  TlxCustomStyle* Style;
};

// Indexes mapped to styles, backed by an optional style sheet.
class TlxCustomStyles : public TlxInterfacedPersistent, public IlxStyleObserver {
 public:
  static constexpr TClass kClass{"TlxCustomStyles", &TlxInterfacedPersistent::kClass,
                                 &ConstructInstance<TlxCustomStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomStyles(TPersistent* owner);
  ~TlxCustomStyles() override;

  int32_t ItemCount() const { return static_cast<int32_t>(items_.size()); }
  const TlxCustomStylesItem& ItemAt(int32_t position) const;
  // True with the position of `index`, else false with where it belongs.
  bool FindIndex(int32_t index, int32_t& position) const;
  // The style stored for the index, else the sheet chain's.
  TlxCustomStyle* GetStyle(int32_t index) const;
  void SetStyle(int32_t index, TlxCustomStyle* style);
  void Delete(int32_t position);
  void Clear();

  TlxCustomStyleSheet* StyleSheet() const { return style_sheet_; }
  // Silently refused for a sheet of another styles class, the collection's
  // own sheet, or one whose chain leads back to it.
  void SetStyleSheet(TlxCustomStyleSheet* sheet);
  TlxCustomStyleSheet* OwningStyleSheet() const { return owning_sheet_; }

  // Takes the other collection's style sheet only.
  void Assign(const TPersistent* source) override;
  void AssignFrom(const TPersistent* source) { Assign(source); }

  void StyleChanged(TlxCustomStyle* sender) override;
  void StyleRemoved(TlxCustomStyle* sender) override;
  virtual void NotifyStyleChanged(int32_t index);

 protected:
  // A hook for descendants: the index's view parameters changed. (An
  // override also names the observer's StyleChanged with a using.)
  virtual void StyleChanged(int32_t index);
  bool Destroying() const { return destroying_; }

 private:
  friend class TlxCustomStyleSheet;
  bool CanTakeStyleSheet(const TlxCustomStyleSheet* sheet) const;
  // The indexes stored along the chain of `sheet`, each once, in order met.
  static void CollectChainIndexes(const TlxCustomStyleSheet* sheet, std::vector<int32_t>& indexes);
  TlxCustomStyle* ReplaceByInheritedStyle(TlxCustomStyle* style) const;

  bool destroying_ = false;
  std::vector<std::unique_ptr<TlxCustomStylesItem>> items_;
  TlxCustomStyleSheet* style_sheet_ = nullptr;
  TlxCustomStyleSheet* owning_sheet_ = nullptr;
};

class TlxStyles : public TlxCustomStyles, public IlxControlFontObserver {
 public:
  static constexpr TClass kClass{"TlxStyles", &TlxCustomStyles::kClass, &ConstructInstance<TlxStyles>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxStyles(TPersistent* owner) : TlxCustomStyles(owner) {}

  TlxStyle* GetIndexedStyle(int32_t index) const;
  void SetIndexedStyle(int32_t index, TlxStyle* style) { SetStyle(index, style); }
  // The style's bitmap when it sets a non-empty one, else null.
  TBitmap* GetStyleBitmap(int32_t index) const;

  // Each value from the explicit style, else from the index's style, else
  // from the defaults of the index.
  void GetViewParams(int32_t index, TObject* data, const TlxCustomStyle* explicit_style, TlxPaintParams& params);
  // Descendants fill Color, Font and TextColor; the base clears the bitmap.
  virtual void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params);
  virtual bool IsFontDefault(int32_t index) const;

  void FontChanged(TObject* sender, TFont* font) override;

  bool UseBitmapInViewParams() const { return use_bitmap_in_view_params_; }
  int32_t HighestDefaultIndex() const { return highest_default_index_; }

 protected:
  void SetUseBitmapInViewParams(bool use) { use_bitmap_in_view_params_ = use; }

 private:
  int32_t highest_default_index_ = 0;
  bool use_bitmap_in_view_params_ = false;
};

// The module's counted start and end: registers TlxStyle for streaming.
void lxStylesModuleStart();
void lxStylesModuleEnd();
