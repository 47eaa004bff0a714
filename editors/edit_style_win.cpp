#include "editors/edit_style_win.h"

#include <array>
#include <memory>

#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

namespace {

constexpr std::array<const char*, kLxEditStyleValueCount - kLxContainerStyleValueCount> kEditValueNames = {
    "ButtonStyle", "ButtonTransparency", "PopupBorderStyle", "GradientButtons", "Gradient", "GradientDirection"};

std::unique_ptr<TlxEditStyleController>& DefaultControllerSlot() {
  static std::unique_ptr<TlxEditStyleController> controller;
  return controller;
}

}  // namespace

// --- TlxCustomEditStyle ----------------------------------------------------------

TlxCustomEditStyle::TlxCustomEditStyle(TPersistent* owner, bool direct_access, TlxContainerStyle* parent,
                                       TlxContainerStateItem state)
    : TlxContainerStyle(owner, direct_access, parent, state) {
  RelinkFallbackController();
}

void TlxCustomEditStyle::RelinkFallbackController() {
  if (!IsMaster() || DirectAccessMode())
    return;
  // The base constructor linked the container fallback; an in-place
  // editor's style follows none. Only a style still on a fallback moves.
  TlxStyleController* current = GetEffectiveStyleController();
  if (current != nullptr && current != lxGetDefaultContainerStyleController())
    return;
  TlxStyleController* fallback = GetFallbackStyleController();
  if (current == fallback)
    return;
  if (current != nullptr)
    current->UnregisterStyle(this);
  SetControllerField(fallback);
  StyleControllerChanged(fallback);
}

TlxEditButtonStyle TlxCustomEditStyle::DefaultButtonStyle() const {
  return IsMaster() ? btsDefault : GetMasterEditStyle()->GetButtonStyle();
}
TlxEditButtonTransparency TlxCustomEditStyle::DefaultButtonTransparency() const {
  return IsMaster() ? ebtNone : GetMasterEditStyle()->GetButtonTransparency();
}
bool TlxCustomEditStyle::DefaultGradient() const { return IsMaster() ? false : GetMasterEditStyle()->GetGradient(); }
bool TlxCustomEditStyle::DefaultGradientButtons() const {
  return IsMaster() ? false : GetMasterEditStyle()->GetGradientButtons();
}
TlxEditGradientDirection TlxCustomEditStyle::DefaultGradientDirection() const {
  return IsMaster() ? dirDown : GetMasterEditStyle()->GetGradientDirection();
}
TlxEditPopupBorderStyle TlxCustomEditStyle::DefaultPopupBorderStyle() const {
  return IsMaster() ? epbsDefault : GetMasterEditStyle()->GetPopupBorderStyle();
}

bool TlxCustomEditStyle::FindAssignedButtonStyle(TlxEditButtonStyle& value) const {
  return FindEditValue(esvButtonStyle, &TlxCustomEditStyle::button_style_, value);
}
bool TlxCustomEditStyle::FindAssignedButtonTransparency(TlxEditButtonTransparency& value) const {
  return FindEditValue(esvButtonTransparency, &TlxCustomEditStyle::button_transparency_, value);
}
bool TlxCustomEditStyle::FindAssignedGradient(bool& value) const {
  return FindEditValue(esvGradient, &TlxCustomEditStyle::gradient_, value);
}
bool TlxCustomEditStyle::FindAssignedGradientButtons(bool& value) const {
  return FindEditValue(esvGradientButtons, &TlxCustomEditStyle::gradient_buttons_, value);
}
bool TlxCustomEditStyle::FindAssignedGradientDirection(TlxEditGradientDirection& value) const {
  return FindEditValue(esvGradientDirection, &TlxCustomEditStyle::gradient_direction_, value);
}
bool TlxCustomEditStyle::FindAssignedPopupBorderStyle(TlxEditPopupBorderStyle& value) const {
  return FindEditValue(esvPopupBorderStyle, &TlxCustomEditStyle::popup_border_style_, value);
}

TlxEditButtonStyle TlxCustomEditStyle::GetButtonStyle() const {
  TlxEditButtonStyle value = btsDefault;
  return FindAssignedButtonStyle(value) ? value : DefaultButtonStyle();
}
TlxEditButtonTransparency TlxCustomEditStyle::GetButtonTransparency() const {
  TlxEditButtonTransparency value = ebtNone;
  return FindAssignedButtonTransparency(value) ? value : DefaultButtonTransparency();
}
bool TlxCustomEditStyle::GetGradient() const {
  bool value = false;
  return FindAssignedGradient(value) ? value : DefaultGradient();
}
bool TlxCustomEditStyle::GetGradientButtons() const {
  bool value = false;
  return FindAssignedGradientButtons(value) ? value : DefaultGradientButtons();
}
TlxEditGradientDirection TlxCustomEditStyle::GetGradientDirection() const {
  TlxEditGradientDirection value = dirDown;
  return FindAssignedGradientDirection(value) ? value : DefaultGradientDirection();
}
TlxEditPopupBorderStyle TlxCustomEditStyle::GetPopupBorderStyle() const {
  TlxEditPopupBorderStyle value = epbsDefault;
  return FindAssignedPopupBorderStyle(value) ? value : DefaultPopupBorderStyle();
}

void TlxCustomEditStyle::SetButtonStyle(TlxEditButtonStyle value) {
  // The one editor value a state style keeps for itself.
  StoreValue(esvButtonStyle, button_style_, value);
}
void TlxCustomEditStyle::SetButtonTransparency(TlxEditButtonTransparency value) {
  StoreOnMaster(esvButtonTransparency, &TlxCustomEditStyle::button_transparency_, value);
}
void TlxCustomEditStyle::SetGradient(bool value) { StoreOnMaster(esvGradient, &TlxCustomEditStyle::gradient_, value); }
void TlxCustomEditStyle::SetGradientDirection(TlxEditGradientDirection value) {
  StoreOnMaster(esvGradientDirection, &TlxCustomEditStyle::gradient_direction_, value);
}
void TlxCustomEditStyle::SetPopupBorderStyle(TlxEditPopupBorderStyle value) {
  StoreOnMaster(esvPopupBorderStyle, &TlxCustomEditStyle::popup_border_style_, value);
}

bool TlxCustomEditStyle::GetPopupCloseButton() const { return GetMasterEditStyle()->popup_close_button_; }

void TlxCustomEditStyle::ChangePopupCloseButton(bool value) {
  TlxCustomEditStyle* master = GetMasterEditStyle();
  if (master->popup_close_button_ == value)
    return;
  master->popup_close_button_ = value;
  master->NotifyChanged();
}

bool TlxCustomEditStyle::GetValueName(int32_t value, std::string& name) const {
  if (value >= kLxContainerStyleValueCount && value < kLxEditStyleValueCount) {
    name = kEditValueNames[static_cast<size_t>(value - kLxContainerStyleValueCount)];
    return true;
  }
  return TlxContainerStyle::GetValueName(value, name);
}

bool TlxCustomEditStyle::IsValueAssigned(TlxContainerStyleValue value) const {
  if (value < kLxContainerStyleValueCount || value >= kLxEditStyleValueCount)
    return TlxContainerStyle::IsValueAssigned(value);
  if (DirectAccessMode())
    return AssignedValues().Contains(value);
  return HolderOf(value) != nullptr;
}

TlxStyleController* TlxCustomEditStyle::GetFallbackStyleController() const {
  if (DirectAccessMode())
    return nullptr;
  IlxStyledContainer* container = GetMasterStyle()->GetOwnerContainer();
  if (container != nullptr && container->IsInplace())
    return nullptr;
  return lxGetDefaultContainerStyleController();
}

TlxContainerStyleValues TlxCustomEditStyle::GetUnpublishedValues() const {
  return TlxContainerStyleValues::FromBits(kLxEditStyleUnpublishedValues);
}

void TlxCustomEditStyle::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomEditStyle*>(source);
  if (other == nullptr) {
    TlxContainerStyle::Assign(source);
    return;
  }
  LockChanges();
  TScopeExit unlock([this] { UnlockChanges(); });
  button_style_ = other->button_style_;
  button_transparency_ = other->button_transparency_;
  popup_border_style_ = other->popup_border_style_;
  gradient_buttons_ = other->gradient_buttons_;
  gradient_ = other->gradient_;
  gradient_direction_ = other->gradient_direction_;
  popup_close_button_ = other->popup_close_button_;
  TlxContainerStyle::Assign(source);
  NotifyChanged();
}

// --- TlxEditStyle -------------------------------------------------------------------

void TlxEditStyle::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxEditStyle>();
  const auto stored = [](uint8_t value) {
    return [value](const TPersistent& self) { return static_cast<const TlxEditStyle&>(self).ValueNeedsStoring(value); };
  };
  p.Enumeration("BorderStyle", &TlxEditStyle::GetBorderStyle, &TlxEditStyle::SetBorderStyle,
                {"ebsNone", "ebsSingle", "ebsThick", "ebsFlat", "ebs3D", "ebsUltraFlat", "ebsOffice11"},
                std::optional<TlxEditBorderStyle>())
      .Stored = stored(csvBorderStyle);
  p.Enumeration("ButtonStyle", &TlxEditStyle::GetButtonStyle, &TlxEditStyle::SetButtonStyle,
                {"btsDefault", "bts3D", "btsFlat", "btsSimple", "btsHotFlat", "btsUltraFlat", "btsOffice11"},
                std::optional<TlxEditButtonStyle>())
      .Stored = stored(esvButtonStyle);
  p.Enumeration("ButtonTransparency", &TlxEditStyle::GetButtonTransparency, &TlxEditStyle::SetButtonTransparency,
                {"ebtNone", "ebtInactive", "ebtAlways", "ebtHideInactive", "ebtHideUnselected"},
                std::optional<TlxEditButtonTransparency>())
      .Stored = stored(esvButtonTransparency);
  p.Boolean("Gradient", &TlxEditStyle::GetGradient, &TlxEditStyle::SetGradient).Stored = stored(esvGradient);
  p.Enumeration("GradientDirection", &TlxEditStyle::GetGradientDirection, &TlxEditStyle::SetGradientDirection,
                {"dirNone", "dirLeft", "dirRight", "dirUp", "dirDown"}, std::optional<TlxEditGradientDirection>())
      .Stored = stored(esvGradientDirection);
  p.Enumeration("PopupBorderStyle", &TlxEditStyle::GetPopupBorderStyle, &TlxEditStyle::SetPopupBorderStyle,
                {"epbsDefault", "epbsSingle", "epbsFrame3D", "epbsFlat"}, std::optional<TlxEditPopupBorderStyle>())
      .Stored = stored(esvPopupBorderStyle);
  p.Reference<TlxEditStyleController>(
       "StyleController",
       [](const TlxEditStyle& style) { return dynamic_cast<TlxEditStyleController*>(style.StyleController()); },
       [](TlxEditStyle& style, TlxEditStyleController* controller) { style.SetStyleController(controller); })
      .Stored = [](const TPersistent& self) {
    const auto& style = static_cast<const TlxEditStyle&>(self);
    return style.State() == csNormal && style.StyleController() != nullptr;
  };
}

// --- TlxEditStyleController -------------------------------------------------------

void TlxEditStyleController::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxEditStyleController>();
  p.Persistent("Style", TlxEditStyle::kClass, &TlxEditStyleController::Style);
  p.Persistent("StyleDisabled", TlxEditStyle::kClass, &TlxEditStyleController::StyleDisabled);
  p.Persistent("StyleFocused", TlxEditStyle::kClass, &TlxEditStyleController::StyleFocused);
  p.Persistent("StyleHot", TlxEditStyle::kClass, &TlxEditStyleController::StyleHot);
}

TlxEditStyleController::TlxEditStyleController(TComponent* owner) : TlxStyleController(owner) { CreateStyles(); }

TlxEditStyleController* lxGetDefaultEditStyleController() {
  if (!DefaultControllerSlot()) {
    DefaultControllerSlot() = std::make_unique<TlxEditStyleController>(nullptr);
    lxSetDefaultContainerStyleController(DefaultControllerSlot().get());
  }
  return DefaultControllerSlot().get();
}

void lxFreeDefaultEditStyleController() {
  if (lxGetDefaultContainerStyleController() == DefaultControllerSlot().get())
    lxSetDefaultContainerStyleController(nullptr);
  DefaultControllerSlot().reset();
}

TlxCustomEditStyle* lxGetControllerStateStyle(TlxStyleController* controller, TlxContainerStateItem state) {
  if (controller == nullptr)
    return nullptr;
  return dynamic_cast<TlxCustomEditStyle*>(controller->GetStateStyle(state));
}

TlxStyleController* lxGetEffectiveStyleControllerOf(const TlxContainerStyle* style) {
  return style != nullptr ? style->GetEffectiveStyleController() : nullptr;
}
