#pragma once
// The styles a container draws its border, background and text from: one
// style per view state, each value assigned on the style, taken from a
// shared style controller, or a default by state and look-and-feel.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/container_style_rules.h"
#include "platform/rtl/component.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/font.h"
#include "ui/foundation/base/interfaced.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"

class TlxStyleController;

// What a style needs of the container that owns it. The container
// control implements it.
class IlxStyledContainer : public virtual IInterface {
 public:
  virtual bool UsesParentColorByDefault() const = 0;
  virtual bool ParentColor() const = 0;
  virtual void SetParentColor(bool value) = 0;
  virtual bool ParentFont() const = 0;
  virtual void SetParentFont(bool value) = 0;
  // True with the parent's colour when the container has a parent.
  virtual bool GetParentColor(TColor& color) const = 0;
  virtual bool IsInplace() const = 0;
  // Whether the container stores the style property of that name.
  virtual bool IsStylePropertyUsed(const std::string& name, bool state_style) const = 0;
};

class TlxContainerStyle;
using TlxContainerStyleChangedHandler = std::function<void(TObject* sender)>;

// A style class: its descriptor and its virtual constructor.
struct TlxContainerStyleClass {
  const TClass* Class;
  std::unique_ptr<TlxContainerStyle> (*Create)(TPersistent* owner, bool direct_access, TlxContainerStyle* parent,
                                               TlxContainerStateItem state);
};
template <class T>
TlxContainerStyleClass lxStyleClassOf() {
  return {&T::kClass, [](TPersistent* owner, bool direct_access, TlxContainerStyle* parent,
                         TlxContainerStateItem state) -> std::unique_ptr<TlxContainerStyle> {
            return std::make_unique<T>(owner, direct_access, parent, state);
          }};
}

class TlxContainerStyle : public TlxInterfacedPersistent, public IlxStyleChainLink {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxContainerStyle", &TlxInterfacedPersistent::kClass, nullptr,
                                 &TlxContainerStyle::Publish};
  const TClass* ClassType() const override { return &kClass; }

  TlxContainerStyle(TPersistent* owner, bool direct_access, TlxContainerStyle* parent = nullptr,
                    TlxContainerStateItem state = csNormal);
  ~TlxContainerStyle() override;

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // Virtual operations, in the order of their slots.
  virtual void NotifyChanged();
  virtual void StyleControllerChanged(TlxStyleController* controller);
  virtual void StyleControllerFreed(TlxStyleController* controller);
  virtual TColor GetDefaultBorderColor() const;
  virtual TlxContainerBorderStyle GetDefaultBorderStyle() const;
  virtual TColor GetDefaultColor() const;
  virtual TlxBorders GetDefaultEdges() const { return {bLeft, bTop, bRight, bBottom}; }
  virtual bool GetDefaultHotTrack() const { return true; }
  virtual bool GetDefaultShadow() const { return false; }
  virtual TColor GetDefaultTextColor() const;
  virtual TFontStyles GetDefaultTextStyle() const;
  virtual bool GetDefaultTransparentBorder() const { return true; }
  virtual void HandleFontChange(TObject* sender);
  virtual TColor GetColor() const;
  virtual TlxStyleController* GetFallbackStyleController() const;
  virtual TColor GetColorForControl() const;
  virtual TColor GetTextColor() const;
  virtual TFontStyles GetTextStyle() const;
  virtual TlxContainerStyleValues GetUnpublishedValues() const;
  virtual int32_t GetValueCount() const { return kLxContainerStyleValueCount; }
  virtual bool GetValueName(int32_t value, std::string& name) const;
  virtual bool CanHaveBorder() const;
  virtual bool IsValueAssigned(TlxContainerStyleValue value) const;
  virtual void ResetToDefaults();

  // IlxStyleChainLink.
  bool HoldsValue(TlxContainerStyleValue value) const override;
  const IlxStyleChainLink* ControllerStateStyle() const override;

  void LockChanges() { ++update_count_; }
  void UnlockChanges();
  void BeginUpdate() { LockChanges(); }
  void EndUpdate() { UnlockChanges(); }
  bool FindValueByName(const std::string& name, int32_t& value) const;
  TFont* GetTextFont();
  bool PublishesProperty(const std::string& name) const;
  void RefreshFont();
  TlxContainerStyle* GetMasterStyle() { return parent_ != nullptr ? parent_ : this; }
  const TlxContainerStyle* GetMasterStyle() const { return parent_ != nullptr ? parent_ : this; }
  IlxStyledContainer* GetOwnerContainer() const;
  TlxStyleController* GetEffectiveStyleController() const { return GetMasterStyle()->style_controller_; }
  bool IsMaster() const { return parent_ == nullptr; }
  bool DirectAccessMode() const { return direct_access_; }
  TlxContainerStateItem State() const { return state_; }
  bool IsDestroying() const { return destroying_; }

  // The lookups along the controller chain: true with the value when found.
  bool FindAssignedBorderColor(TColor& value) const;
  bool FindAssignedBorderStyle(TlxContainerBorderStyle& value) const;
  bool FindAssignedColor(TColor& value) const;
  bool FindAssignedEdges(TlxBorders& value) const;
  bool FindAssignedFont(TFont*& value) const;
  bool FindAssignedHotTrack(bool& value) const;
  bool FindAssignedShadow(bool& value) const;
  bool FindAssignedTextColor(TColor& value) const;
  bool FindAssignedTextStyle(TFontStyles& value) const;
  bool FindAssignedTransparentBorder(bool& value) const;

  // Published values.
  TlxContainerStyleValues AssignedValues() const;
  void SetAssignedValues(TlxContainerStyleValues values);
  TColor BorderColor() const;
  void SetBorderColor(TColor value);
  TlxContainerBorderStyle BorderStyle() const;
  void SetBorderStyle(TlxContainerBorderStyle value);
  void SetColor(TColor value);
  TlxBorders Edges() const;
  void SetEdges(TlxBorders value);
  TFont* Font() const;
  void SetFont(TFont* value);
  bool HotTrack() const;
  void SetHotTrack(bool value);
  TlxLookAndFeel* LookAndFeel() const { return GetMasterStyle()->look_and_feel_.get(); }
  void SetLookAndFeel(const TlxLookAndFeel* value);
  bool Shadow() const;
  void SetShadow(bool value);
  // Null when the style follows the fallback controller.
  TlxStyleController* StyleController() const;
  void SetStyleController(TlxStyleController* value);
  void SetTextColor(TColor value);
  void SetTextStyle(TFontStyles value);
  bool TransparentBorder() const;
  void SetTransparentBorder(bool value);

  void SetChangeHandler(TlxContainerStyleChangedHandler handler) { change_handler_ = std::move(handler); }
  // Whether the value is written to a form description.
  bool ValueNeedsStoring(TlxContainerStyleValue value) const;

 protected:
  // Stores through `store` when the value is not assigned or differs, marks
  // it assigned and notifies.
  template <class T>
  void StoreValue(TlxContainerStyleValue value, T& field, const T& new_value) {
    if (assigned_.Contains(value) && field == new_value)
      return;
    field = new_value;
    assigned_.Include(value);
    NotifyChanged();
  }
  // Resolves a value: the holder on the chain, else null.
  const TlxContainerStyle* HolderOf(TlxContainerStyleValue value) const;
  // True with the holder's field when a style on the chain holds the value.
  template <class T, class Style>
  bool FindOnChain(TlxContainerStyleValue value, T Style::*field, T& result) const {
    const auto* holder = static_cast<const Style*>(HolderOf(value));
    if (holder == nullptr)
      return false;
    result = holder->*field;
    return true;
  }
  TlxContainerStyleValues& Assigned() { return assigned_; }
  bool OwnerIsParentColored() const;

 protected:
  // Follows `controller` (null: none) without the checks of
  // SetStyleController; the old controller must be left first.
  void SetControllerField(TlxStyleController* controller);

 private:
  friend class TlxStyleController;

  TPersistent* owner_;
  TlxContainerStateItem state_;
  TlxContainerStyle* parent_;
  bool direct_access_;
  TlxContainerStyleValues assigned_;
  TColor border_color_ = clWindowFrame;
  TlxContainerBorderStyle border_style_ = cbs3D;
  TColor color_ = clWindow;
  TlxBorders edges_{bLeft, bTop, bRight, bBottom};
  bool hot_track_ = true;
  bool shadow_ = false;
  TColor text_color_ = clWindowText;
  TFontStyles text_style_;
  bool transparent_border_ = true;
  std::unique_ptr<TFont> font_;
  TFont* borrowed_font_ = nullptr;
  std::unique_ptr<TFont> text_font_;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  TlxStyleController* style_controller_ = nullptr;
  TlxContainerStyleChangedHandler change_handler_;
  int32_t update_count_ = 0;
  bool modified_ = false;
  bool destroying_ = false;
  int32_t font_assign_lock_ = 0;
};

// Exactly four styles, indexed by state.
class TlxContainerStyles : public TObject {
 public:
  static constexpr TClass kClass{"TlxContainerStyles", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxContainerStyles(TPersistent* owner, const TlxContainerStyleClass& style_class);
  ~TlxContainerStyles() override;

  TlxContainerStyle* GetStateStyle(TlxContainerStateItem state) const { return styles_[state].get(); }
  TlxContainerStyle* GetNormalStyle() const { return GetStateStyle(csNormal); }
  TlxContainerStyle* GetFocusedStyle() const { return GetStateStyle(csActive); }
  TlxContainerStyle* GetDisabledStyle() const { return GetStateStyle(csDisabled); }
  TlxContainerStyle* GetHotStyle() const { return GetStateStyle(csHotTrack); }
  void AssignStateStyle(TlxContainerStateItem state, const TlxContainerStyle* source) {
    GetStateStyle(state)->Assign(source);
  }
  void AssignNormalStyle(const TlxContainerStyle* source) { AssignStateStyle(csNormal, source); }
  void AssignFocusedStyle(const TlxContainerStyle* source) { AssignStateStyle(csActive, source); }
  void AssignDisabledStyle(const TlxContainerStyle* source) { AssignStateStyle(csDisabled, source); }
  void AssignHotStyle(const TlxContainerStyle* source) { AssignStateStyle(csHotTrack, source); }
  void SetChangeHandler(const TlxContainerStyleChangedHandler& handler);

 private:
  std::unique_ptr<TlxContainerStyle> styles_[kLxContainerStateCount];
};

class TlxStyleController : public TComponent, public IlxStyleControllerLink {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxStyleController", &TComponent::kClass,
                                 &ConstructInstance<TlxStyleController>, &TlxStyleController::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxStyleController(TComponent* owner);
  ~TlxStyleController() override;

  // Virtual operations, in the order of their slots.
  virtual void RegisterStyle(TlxContainerStyle* style);
  virtual TlxContainerStyleClass GetStyleItemClass() const { return lxStyleClassOf<TlxContainerStyle>(); }
  virtual void UnregisterStyle(TlxContainerStyle* style);

  void Loaded() override;
  void NotifyStyleChanged();
  void ScaleFont(int32_t multiplier, int32_t divisor);
  TlxContainerStyle* GetNormalStyle() const { return styles_->GetNormalStyle(); }
  TlxContainerStyle* GetStateStyle(TlxContainerStateItem state) const { return styles_->GetStateStyle(state); }
  int32_t ListenerCount() const { return static_cast<int32_t>(listeners_.size()); }
  bool IsDestroying() const { return destroying_; }

  TlxStyleController* FakeStyleController() const { return GetNormalStyle()->StyleController(); }
  void SetFakeStyleController(TlxStyleController*) {}

  // IlxStyleControllerLink.
  const void* NormalStyleIdentity() const override { return GetNormalStyle(); }
  const IlxStyleControllerLink* NormalStyleController() const override { return FakeStyleController(); }

  TNotifyEvent OnStyleChanged;

 protected:
  // Builds the style set; descendants with their own style class call it
  // from their constructor.
  void CreateStyles();
  virtual void DoStyleChanged() {
    if (OnStyleChanged)
      OnStyleChanged(this);
  }

 private:
  std::unique_ptr<TlxContainerStyles> styles_;
  std::vector<TlxContainerStyle*> listeners_;
  bool destroying_ = false;
  bool font_scaled_ = false;
};

// The fallback controller that every master style follows until another
// is set; the editor framework registers its default controller here.
TlxStyleController* lxGetDefaultContainerStyleController();
void lxSetDefaultContainerStyleController(TlxStyleController* controller);
