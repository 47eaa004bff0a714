#pragma once
// Editor styles: the container style with the values only editors have
// (button style and transparency, popup border, gradients), and the style
// controller whose styles are editor styles. A process-wide default
// controller stands behind every stand-alone editor.

#include "editors/container_style_win.h"
#include "editors/edit_style_types.h"

class TlxEditStyleController;

class TlxCustomEditStyle : public TlxContainerStyle {
 public:
  static constexpr TClass kClass{"TlxCustomEditStyle", &TlxContainerStyle::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomEditStyle(TPersistent* owner, bool direct_access, TlxContainerStyle* parent = nullptr,
                     TlxContainerStateItem state = csNormal);

  void Assign(const TPersistent* source) override;

  // Virtual operations, in the order of their slots.
  virtual TlxEditButtonStyle DefaultButtonStyle() const;
  virtual TlxEditButtonTransparency DefaultButtonTransparency() const;
  virtual bool DefaultGradient() const;
  virtual bool DefaultGradientButtons() const;
  virtual TlxEditGradientDirection DefaultGradientDirection() const;
  virtual TlxEditPopupBorderStyle DefaultPopupBorderStyle() const;

  int32_t GetValueCount() const override { return kLxEditStyleValueCount; }
  bool GetValueName(int32_t value, std::string& name) const override;
  bool IsValueAssigned(TlxContainerStyleValue value) const override;
  TlxStyleController* GetFallbackStyleController() const override;
  TlxContainerStyleValues GetUnpublishedValues() const override;

  TlxEditButtonStyle GetButtonStyle() const;
  void SetButtonStyle(TlxEditButtonStyle value);
  TlxEditButtonTransparency GetButtonTransparency() const;
  void SetButtonTransparency(TlxEditButtonTransparency value);
  bool GetGradient() const;
  void SetGradient(bool value);
  bool GetGradientButtons() const;
  TlxEditGradientDirection GetGradientDirection() const;
  void SetGradientDirection(TlxEditGradientDirection value);
  TlxEditPopupBorderStyle GetPopupBorderStyle() const;
  void SetPopupBorderStyle(TlxEditPopupBorderStyle value);
  bool GetPopupCloseButton() const;
  void ChangePopupCloseButton(bool value);
  TlxEditBorderStyle GetBorderStyle() const { return static_cast<TlxEditBorderStyle>(BorderStyle()); }
  void SetBorderStyle(TlxEditBorderStyle value) { TlxContainerStyle::SetBorderStyle(static_cast<TlxContainerBorderStyle>(value)); }
  TlxCustomEditStyle* GetMasterEditStyle() { return static_cast<TlxCustomEditStyle*>(GetMasterStyle()); }
  const TlxCustomEditStyle* GetMasterEditStyle() const {
    return static_cast<const TlxCustomEditStyle*>(GetMasterStyle());
  }

  bool FindAssignedButtonStyle(TlxEditButtonStyle& value) const;
  bool FindAssignedButtonTransparency(TlxEditButtonTransparency& value) const;
  bool FindAssignedGradient(bool& value) const;
  bool FindAssignedGradientButtons(bool& value) const;
  bool FindAssignedGradientDirection(TlxEditGradientDirection& value) const;
  bool FindAssignedPopupBorderStyle(TlxEditPopupBorderStyle& value) const;

  bool ButtonStyleNeedsStoring() const { return ValueNeedsStoring(esvButtonStyle); }
  bool ButtonTransparencyNeedsStoring() const { return ValueNeedsStoring(esvButtonTransparency); }
  bool GradientNeedsStoring() const { return ValueNeedsStoring(esvGradient); }
  bool GradientDirectionNeedsStoring() const { return ValueNeedsStoring(esvGradientDirection); }
  bool PopupBorderStyleNeedsStoring() const { return ValueNeedsStoring(esvPopupBorderStyle); }
  bool BorderStyleNeedsStoring() const { return ValueNeedsStoring(csvBorderStyle); }

  // Links the style to the controller it falls back on; the owner calls it
  // once it knows whether it edits in place.
  void RelinkFallbackController();

 private:
  template <class T>
  bool FindEditValue(uint8_t value, T TlxCustomEditStyle::*field, T& result) const {
    if (DirectAccessMode()) {
      if (!AssignedValues().Contains(value))
        return false;
      result = this->*field;
      return true;
    }
    return FindOnChain(value, field, result);
  }
  template <class T>
  void StoreOnMaster(uint8_t value, T TlxCustomEditStyle::*field, const T& new_value) {
    TlxCustomEditStyle* master = GetMasterEditStyle();
    master->StoreValue(value, master->*field, new_value);
  }

  TlxEditButtonStyle button_style_ = btsDefault;
  TlxEditButtonTransparency button_transparency_ = ebtNone;
  TlxEditPopupBorderStyle popup_border_style_ = epbsDefault;
  bool gradient_buttons_ = false;
  bool gradient_ = false;
  TlxEditGradientDirection gradient_direction_ = dirDown;
  bool popup_close_button_ = true;
};

class TlxEditStyle : public TlxCustomEditStyle {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxEditStyle", &TlxCustomEditStyle::kClass, nullptr, &TlxEditStyle::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomEditStyle::TlxCustomEditStyle;
};

class TlxEditStyleController : public TlxStyleController {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxEditStyleController", &TlxStyleController::kClass,
                                 &ConstructInstance<TlxEditStyleController>, &TlxEditStyleController::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxEditStyleController(TComponent* owner);

  TlxContainerStyleClass GetStyleItemClass() const override { return lxStyleClassOf<TlxEditStyle>(); }

  TlxEditStyle* Style() const { return static_cast<TlxEditStyle*>(GetNormalStyle()); }
  void SetStyle(const TlxEditStyle* value) { Style()->Assign(value); }
  TlxEditStyle* StyleDisabled() const { return static_cast<TlxEditStyle*>(GetStateStyle(csDisabled)); }
  void SetStyleDisabled(const TlxEditStyle* value) { StyleDisabled()->Assign(value); }
  TlxEditStyle* StyleFocused() const { return static_cast<TlxEditStyle*>(GetStateStyle(csActive)); }
  void SetStyleFocused(const TlxEditStyle* value) { StyleFocused()->Assign(value); }
  TlxEditStyle* StyleHot() const { return static_cast<TlxEditStyle*>(GetStateStyle(csHotTrack)); }
  void SetStyleHot(const TlxEditStyle* value) { StyleHot()->Assign(value); }
};

// The default controller, created at the editor module's start (or on
// first use) and also the container styles' fallback controller.
TlxEditStyleController* lxGetDefaultEditStyleController();
void lxFreeDefaultEditStyleController();
// A controller's style for a state.
TlxCustomEditStyle* lxGetControllerStateStyle(TlxStyleController* controller, TlxContainerStateItem state);
// The style's active controller.
TlxStyleController* lxGetEffectiveStyleControllerOf(const TlxContainerStyle* style);
