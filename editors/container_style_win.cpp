#include "editors/container_style_win.h"

#include <algorithm>

#include "platform/rtl/filer.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"

namespace {

TlxStyleController*& DefaultControllerSlot() {
  static TlxStyleController* controller = nullptr;
  return controller;
}

const std::vector<std::string> kBorderStyleNames = {"cbsNone",  "cbsSingle",    "cbsThick",   "cbsFlat",
                                                    "cbs3D",    "cbsUltraFlat", "cbsOffice11"};
const std::vector<std::string> kBorderNames = {"bLeft", "bTop", "bRight", "bBottom"};
const std::vector<std::string> kFontStyleNames = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

// A value stored only when assigned and used by the owner container.
std::function<bool(const TPersistent&)> StoredWhenNeeded(TlxContainerStyleValue value) {
  return [value](const TPersistent& self) { return static_cast<const TlxContainerStyle&>(self).ValueNeedsStoring(value); };
}

}  // namespace

TlxStyleController* lxGetDefaultContainerStyleController() { return DefaultControllerSlot(); }
void lxSetDefaultContainerStyleController(TlxStyleController* controller) { DefaultControllerSlot() = controller; }

// --- TlxContainerStyle -------------------------------------------------------

void TlxContainerStyle::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxContainerStyle>();
  p.SetOf(
      "AssignedValues", [](const TlxContainerStyle& style) { return style.AssignedValues().Bits(); },
      [](TlxContainerStyle& style, uint32_t bits) { style.SetAssignedValues(TlxContainerStyleValues::FromBits(bits)); },
      {"csvBorderColor", "csvBorderStyle", "csvColor", "csvEdges", "csvFont", "csvHotTrack", "csvShadow",
       "csvTextColor", "csvTextStyle", "csvTransparentBorder", "csv10", "csv11", "csv12", "csv13", "csv14", "csv15"})
      .Stored = [](const TPersistent&) { return false; };
  p.Integer("BorderColor", &TlxContainerStyle::BorderColor, &TlxContainerStyle::SetBorderColor).Stored =
      StoredWhenNeeded(csvBorderColor);
  p.Enumeration("BorderStyle", &TlxContainerStyle::BorderStyle, &TlxContainerStyle::SetBorderStyle, kBorderStyleNames,
                std::optional<TlxContainerBorderStyle>())
      .Stored = StoredWhenNeeded(csvBorderStyle);
  p.Integer("Color", &TlxContainerStyle::GetColor, &TlxContainerStyle::SetColor).Stored = StoredWhenNeeded(csvColor);
  p.SetOf(
       "Edges", [](const TlxContainerStyle& style) { return style.Edges().Bits(); },
       [](TlxContainerStyle& style, uint32_t bits) { style.SetEdges(TlxBorders::FromBits(bits & 0xF)); }, kBorderNames)
      .Stored = StoredWhenNeeded(csvEdges);
  p.Boolean("HotTrack", &TlxContainerStyle::HotTrack, &TlxContainerStyle::SetHotTrack).Stored =
      StoredWhenNeeded(csvHotTrack);
  p.Boolean("Shadow", &TlxContainerStyle::Shadow, &TlxContainerStyle::SetShadow).Stored = StoredWhenNeeded(csvShadow);
  p.Reference<TlxStyleController>("StyleController", &TlxContainerStyle::StyleController,
                                  &TlxContainerStyle::SetStyleController)
      .Stored = [](const TPersistent& self) {
    const auto& style = static_cast<const TlxContainerStyle&>(self);
    return style.State() == csNormal && style.StyleController() != nullptr;
  };
  p.Integer("TextColor", &TlxContainerStyle::GetTextColor, &TlxContainerStyle::SetTextColor).Stored =
      StoredWhenNeeded(csvTextColor);
  p.SetOf(
       "TextStyle", [](const TlxContainerStyle& style) { return style.GetTextStyle().Bits(); },
       [](TlxContainerStyle& style, uint32_t bits) { style.SetTextStyle(TFontStyles::FromBits(bits & 0xF)); },
       kFontStyleNames)
      .Stored = StoredWhenNeeded(csvTextStyle);
  p.Boolean("TransparentBorder", &TlxContainerStyle::TransparentBorder, &TlxContainerStyle::SetTransparentBorder)
      .Stored = StoredWhenNeeded(csvTransparentBorder);
}

TlxContainerStyle::TlxContainerStyle(TPersistent* owner, bool direct_access, TlxContainerStyle* parent,
                                     TlxContainerStateItem state)
    : TlxInterfacedPersistent(owner),
      owner_(owner),
      state_(state),
      parent_(parent),
      direct_access_(direct_access) {
  text_font_ = std::make_unique<TFont>();
  if (direct_access_) {
    assigned_.Include(csvColor);
    assigned_.Include(csvFont);
    assigned_.Include(csvTextColor);
    assigned_.Include(csvTextStyle);
  }
  if (!IsMaster())
    return;
  if (!direct_access_) {
    font_ = std::make_unique<TFont>();
    font_->OnChange = [this](TObject* sender) { HandleFontChange(sender); };
  }
  look_and_feel_ = std::make_unique<TlxLookAndFeel>(this);
  // Every master follows the fallback controller until another is set.
  if (!direct_access_)
    SetControllerField(GetFallbackStyleController());
}

TlxContainerStyle::~TlxContainerStyle() {
  destroying_ = true;
  if (IsMaster() && style_controller_ != nullptr)
    style_controller_->UnregisterStyle(this);
  if (font_)
    font_->OnChange = nullptr;
}

void TlxContainerStyle::SetControllerField(TlxStyleController* controller) {
  style_controller_ = controller;
  if (controller != nullptr)
    controller->RegisterStyle(this);
}

void TlxContainerStyle::DefineProperties(TFiler& filer) {
  TlxInterfacedPersistent::DefineProperties(filer);
  if (!IsMaster())
    return;
  filer.DefineProperty(
      "IsFontAssigned",
      [this](TReader& reader) {
        reader.ReadBoolean();
        assigned_.Include(csvFont);
      },
      [](TWriter& writer) { writer.WriteBoolean(true); }, ValueNeedsStoring(csvFont));
}

void TlxContainerStyle::NotifyChanged() {
  modified_ = true;
  if (update_count_ > 0)
    return;
  modified_ = false;
  if (destroying_ || direct_access_ || !change_handler_)
    return;
  change_handler_(this);
}

void TlxContainerStyle::UnlockChanges() {
  if (update_count_ == 0)
    return;
  if (--update_count_ == 0 && modified_)
    NotifyChanged();
}

void TlxContainerStyle::StyleControllerChanged(TlxStyleController* /*controller*/) {
  RefreshFont();
  NotifyChanged();
}

void TlxContainerStyle::StyleControllerFreed(TlxStyleController* controller) {
  TlxContainerStyle* master = GetMasterStyle();
  if (master->style_controller_ != controller)
    return;
  master->style_controller_ = nullptr;
  TlxStyleController* fallback = GetFallbackStyleController();
  if (fallback != controller && fallback != nullptr && !fallback->IsDestroying())
    master->SetControllerField(fallback);
  if (master->look_and_feel_)
    master->look_and_feel_->SetMaster(nullptr);
  StyleControllerChanged(master->style_controller_);
}

bool TlxContainerStyle::HoldsValue(TlxContainerStyleValue value) const {
  return direct_access_ || assigned_.Contains(value);
}

const IlxStyleChainLink* TlxContainerStyle::ControllerStateStyle() const {
  if (direct_access_)
    return nullptr;
  TlxStyleController* controller = GetEffectiveStyleController();
  if (controller == nullptr || controller->IsDestroying())
    return nullptr;
  return controller->GetStateStyle(state_);
}

const TlxContainerStyle* TlxContainerStyle::HolderOf(TlxContainerStyleValue value) const {
  return static_cast<const TlxContainerStyle*>(lxFindStyleValueHolder(this, value));
}

bool TlxContainerStyle::IsValueAssigned(TlxContainerStyleValue value) const {
  if (direct_access_)
    return true;
  switch (value) {
    case csvEdges:
    case csvFont:
    case csvHotTrack:
    case csvShadow:
    case csvTransparentBorder:
      return GetMasterStyle()->HolderOf(value) != nullptr;
    default:
      return HolderOf(value) != nullptr;
  }
}

bool TlxContainerStyle::FindAssignedBorderColor(TColor& value) const {
  return FindOnChain(csvBorderColor, &TlxContainerStyle::border_color_, value);
}

bool TlxContainerStyle::FindAssignedBorderStyle(TlxContainerBorderStyle& value) const {
  return FindOnChain(csvBorderStyle, &TlxContainerStyle::border_style_, value);
}

bool TlxContainerStyle::FindAssignedColor(TColor& value) const {
  return FindOnChain(csvColor, &TlxContainerStyle::color_, value);
}

bool TlxContainerStyle::FindAssignedEdges(TlxBorders& value) const {
  return GetMasterStyle()->FindOnChain(csvEdges, &TlxContainerStyle::edges_, value);
}

bool TlxContainerStyle::FindAssignedFont(TFont*& value) const {
  const TlxContainerStyle* holder = GetMasterStyle()->HolderOf(csvFont);
  if (holder != nullptr)
    value = holder->Font();
  return holder != nullptr;
}

bool TlxContainerStyle::FindAssignedHotTrack(bool& value) const {
  return GetMasterStyle()->FindOnChain(csvHotTrack, &TlxContainerStyle::hot_track_, value);
}

bool TlxContainerStyle::FindAssignedShadow(bool& value) const {
  return GetMasterStyle()->FindOnChain(csvShadow, &TlxContainerStyle::shadow_, value);
}

bool TlxContainerStyle::FindAssignedTextColor(TColor& value) const {
  return FindOnChain(csvTextColor, &TlxContainerStyle::text_color_, value);
}

bool TlxContainerStyle::FindAssignedTextStyle(TFontStyles& value) const {
  return FindOnChain(csvTextStyle, &TlxContainerStyle::text_style_, value);
}

bool TlxContainerStyle::FindAssignedTransparentBorder(bool& value) const {
  return GetMasterStyle()->FindOnChain(csvTransparentBorder, &TlxContainerStyle::transparent_border_, value);
}

// Defaults.

TColor TlxContainerStyle::GetDefaultBorderColor() const {
  if (state_ == csDisabled)
    return clBtnShadow;
  if (IsMaster())
    return clWindowFrame;
  return GetMasterStyle()->BorderColor();
}

TlxContainerBorderStyle TlxContainerStyle::GetDefaultBorderStyle() const {
  if (IsMaster())
    return lxBorderStyleOfLookAndFeel(look_and_feel_->Kind());
  return lxStateBorderStyle(GetMasterStyle()->BorderStyle(), state_, HotTrack());
}

bool TlxContainerStyle::OwnerIsParentColored() const {
  IlxStyledContainer* container = GetMasterStyle()->GetOwnerContainer();
  return container == nullptr || container->UsesParentColorByDefault();
}

TColor TlxContainerStyle::GetDefaultColor() const {
  const bool parent_colored = OwnerIsParentColored();
  if (IsMaster())
    return parent_colored ? clBtnFace : clWindow;
  if (state_ == csDisabled && !parent_colored)
    return clBtnFace;
  return GetMasterStyle()->GetColor();
}

TColor TlxContainerStyle::GetDefaultTextColor() const {
  if (state_ == csDisabled)
    return clBtnShadow;
  if (IsMaster())
    return Font() != nullptr ? Font()->Color() : clWindowText;
  return GetMasterStyle()->GetTextColor();
}

TFontStyles TlxContainerStyle::GetDefaultTextStyle() const {
  if (IsMaster())
    return Font() != nullptr ? Font()->Style() : TFontStyles{};
  return GetMasterStyle()->GetTextStyle();
}

void TlxContainerStyle::HandleFontChange(TObject* /*sender*/) {
  if (font_assign_lock_ == 0)
    assigned_.Include(csvFont);
  NotifyChanged();
}

// Resolved reads.

TColor TlxContainerStyle::BorderColor() const {
  if (direct_access_)
    return clDefault;
  TColor value = clDefault;
  return FindAssignedBorderColor(value) ? value : GetDefaultBorderColor();
}

TlxContainerBorderStyle TlxContainerStyle::BorderStyle() const {
  if (direct_access_)
    return border_style_;
  TlxContainerBorderStyle value = cbsNone;
  return FindAssignedBorderStyle(value) ? value : GetDefaultBorderStyle();
}

TColor TlxContainerStyle::GetColor() const {
  if (direct_access_)
    return color_;
  if (IsMaster()) {
    IlxStyledContainer* container = GetOwnerContainer();
    TColor parent_color = clDefault;
    if (container != nullptr && container->ParentColor() && container->GetParentColor(parent_color))
      return parent_color;
  }
  TColor value = clDefault;
  return FindAssignedColor(value) ? value : GetDefaultColor();
}

TColor TlxContainerStyle::GetColorForControl() const {
  if (direct_access_)
    return color_;
  TColor value = clDefault;
  if (FindAssignedColor(value))
    return value;
  if (IsMaster()) {
    IlxStyledContainer* container = GetOwnerContainer();
    TColor parent_color = clDefault;
    if (container != nullptr && !container->IsInplace() && container->ParentColor() &&
        container->GetParentColor(parent_color))
      return parent_color;
  }
  return GetDefaultColor();
}

TlxBorders TlxContainerStyle::Edges() const {
  if (direct_access_)
    return {};
  TlxBorders value;
  return FindAssignedEdges(value) ? value : GetMasterStyle()->GetDefaultEdges();
}

TFont* TlxContainerStyle::Font() const {
  const TlxContainerStyle* master = GetMasterStyle();
  return master->direct_access_ ? master->borrowed_font_ : master->font_.get();
}

bool TlxContainerStyle::HotTrack() const {
  bool value = false;
  return FindAssignedHotTrack(value) ? value : GetMasterStyle()->GetDefaultHotTrack();
}

bool TlxContainerStyle::Shadow() const {
  if (direct_access_)
    return false;
  bool value = false;
  return FindAssignedShadow(value) ? value : GetMasterStyle()->GetDefaultShadow();
}

TColor TlxContainerStyle::GetTextColor() const {
  if (direct_access_)
    return text_color_;
  TColor value = clDefault;
  return FindAssignedTextColor(value) ? value : GetDefaultTextColor();
}

TFontStyles TlxContainerStyle::GetTextStyle() const {
  if (direct_access_)
    return text_style_;
  TFontStyles value;
  return FindAssignedTextStyle(value) ? value : GetDefaultTextStyle();
}

bool TlxContainerStyle::TransparentBorder() const {
  if (direct_access_)
    return true;
  bool value = true;
  return FindAssignedTransparentBorder(value) ? value : GetMasterStyle()->GetDefaultTransparentBorder();
}

TlxContainerStyleValues TlxContainerStyle::AssignedValues() const {
  if (direct_access_)
    return TlxContainerStyleValues::FromBits((1u << GetValueCount()) - 1);
  return assigned_;
}

TlxStyleController* TlxContainerStyle::GetFallbackStyleController() const {
  return direct_access_ ? nullptr : lxGetDefaultContainerStyleController();
}

TlxStyleController* TlxContainerStyle::StyleController() const {
  TlxStyleController* controller = GetEffectiveStyleController();
  return controller == GetFallbackStyleController() ? nullptr : controller;
}

TlxContainerStyleValues TlxContainerStyle::GetUnpublishedValues() const {
  TlxContainerStyleValues values;
  for (TlxContainerStyleValue value : {csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder})
    values.Include(value);
  return values;
}

bool TlxContainerStyle::GetValueName(int32_t value, std::string& name) const {
  return lxContainerStyleValueName(value, name);
}

bool TlxContainerStyle::FindValueByName(const std::string& name, int32_t& value) const {
  std::string candidate;
  for (int32_t i = 0; i < GetValueCount(); ++i) {
    if (GetValueName(i, candidate) && SameText(candidate, name)) {
      value = i;
      return true;
    }
  }
  return false;
}

bool TlxContainerStyle::PublishesProperty(const std::string& name) const {
  if (SameText(name, "LookAndFeel") || SameText(name, "StyleController"))
    return false;
  int32_t value = 0;
  if (!FindValueByName(name, value))
    return true;
  return !GetUnpublishedValues().Contains(static_cast<TlxContainerStyleValue>(value));
}

bool TlxContainerStyle::CanHaveBorder() const { return IsMaster() ? true : GetMasterStyle()->CanHaveBorder(); }

bool TlxContainerStyle::ValueNeedsStoring(TlxContainerStyleValue value) const {
  if (!assigned_.Contains(value))
    return false;
  IlxStyledContainer* container = GetMasterStyle()->GetOwnerContainer();
  if (container == nullptr)
    return IsMaster() || !GetUnpublishedValues().Contains(value);
  std::string name;
  if (!GetValueName(value, name))
    return false;
  return container->IsStylePropertyUsed(name, !IsMaster());
}

IlxStyledContainer* TlxContainerStyle::GetOwnerContainer() const { return Supports<IlxStyledContainer>(owner_); }

TFont* TlxContainerStyle::GetTextFont() {
  if (TFont* font = Font())
    text_font_->Assign(font);
  text_font_->SetColor(GetTextColor());
  text_font_->SetStyle(GetTextStyle());
  return text_font_.get();
}

void TlxContainerStyle::RefreshFont() {
  TlxContainerStyle* master = GetMasterStyle();
  if (master->direct_access_ || master->assigned_.Contains(csvFont) || !master->font_)
    return;
  TStateScope<int32_t> locked(master->font_assign_lock_, master->font_assign_lock_ + 1);
  TFont* found = nullptr;
  if (master->FindAssignedFont(found) && found != nullptr) {
    master->font_->Assign(found);
    return;
  }
  IlxStyledContainer* container = master->GetOwnerContainer();
  if (container == nullptr || !container->ParentFont()) {
    const TFont defaults;
    master->font_->Assign(&defaults);
  }
}

// Writes.

void TlxContainerStyle::SetAssignedValues(TlxContainerStyleValues values) {
  if (direct_access_ || assigned_ == values)
    return;
  assigned_ = values;
  if (IsMaster())
    RefreshFont();
  NotifyChanged();
}

void TlxContainerStyle::SetBorderColor(TColor value) { StoreValue(csvBorderColor, border_color_, value); }
void TlxContainerStyle::SetBorderStyle(TlxContainerBorderStyle value) {
  StoreValue(csvBorderStyle, border_style_, value);
}
void TlxContainerStyle::SetColor(TColor value) { StoreValue(csvColor, color_, value); }
void TlxContainerStyle::SetEdges(TlxBorders value) {
  TlxContainerStyle* master = GetMasterStyle();
  master->StoreValue(csvEdges, master->edges_, value);
}
void TlxContainerStyle::SetHotTrack(bool value) {
  TlxContainerStyle* master = GetMasterStyle();
  master->StoreValue(csvHotTrack, master->hot_track_, value);
}
void TlxContainerStyle::SetShadow(bool value) {
  TlxContainerStyle* master = GetMasterStyle();
  master->StoreValue(csvShadow, master->shadow_, value);
}
void TlxContainerStyle::SetTransparentBorder(bool value) {
  TlxContainerStyle* master = GetMasterStyle();
  master->StoreValue(csvTransparentBorder, master->transparent_border_, value);
}

void TlxContainerStyle::SetTextColor(TColor value) {
  if (assigned_.Contains(csvTextColor) && GetTextColor() == value)
    return;
  text_color_ = value;
  assigned_.Include(csvTextColor);
  NotifyChanged();
}

void TlxContainerStyle::SetTextStyle(TFontStyles value) {
  if (assigned_.Contains(csvTextStyle) && GetTextStyle() == value)
    return;
  text_style_ = value;
  assigned_.Include(csvTextStyle);
  NotifyChanged();
}

void TlxContainerStyle::SetFont(TFont* value) {
  TlxContainerStyle* master = GetMasterStyle();
  if (master->direct_access_) {
    master->borrowed_font_ = value;
    return;
  }
  if (value == nullptr)
    return;
  // The font's change marks it assigned and notifies.
  master->font_->Assign(value);
  if (!master->assigned_.Contains(csvFont)) {
    master->assigned_.Include(csvFont);
    master->NotifyChanged();
  }
}

void TlxContainerStyle::SetLookAndFeel(const TlxLookAndFeel* value) {
  if (value != nullptr)
    GetMasterStyle()->look_and_feel_->Assign(value);
}

void TlxContainerStyle::SetStyleController(TlxStyleController* value) {
  TlxContainerStyle* master = GetMasterStyle();
  if (master->direct_access_)
    return;
  TlxStyleController* fallback = GetFallbackStyleController();
  if (fallback != nullptr && master->owner_ == fallback)
    return;
  if (value == nullptr)
    value = fallback;
  if (value != nullptr && lxControllerChainLeadsTo(value, master))
    return;
  if (value == master->style_controller_)
    return;
  if (master->style_controller_ != nullptr)
    master->style_controller_->UnregisterStyle(master);
  master->SetControllerField(value);
  master->StyleControllerChanged(value);
}

void TlxContainerStyle::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxContainerStyle*>(source);
  if (other == nullptr) {
    TlxInterfacedPersistent::Assign(source);
    return;
  }
  LockChanges();
  TScopeExit unlock([this] { UnlockChanges(); });
  if (IsMaster() && !direct_access_) {
    SetStyleController(other->StyleController());
    look_and_feel_->Assign(other->LookAndFeel());
  }
  border_color_ = other->border_color_;
  border_style_ = other->border_style_;
  edges_ = other->edges_;
  hot_track_ = other->hot_track_;
  shadow_ = other->shadow_;
  transparent_border_ = other->transparent_border_;
  color_ = other->color_;
  if (direct_access_) {
    borrowed_font_ = other->Font();
    text_color_ = other->GetTextColor();
  } else {
    if (font_ && other->Font() != nullptr) {
      TStateScope<int32_t> locked(font_assign_lock_, font_assign_lock_ + 1);
      font_->Assign(other->Font());
      if (other->direct_access_)
        font_->SetColor(other->GetTextColor());
    }
    text_color_ = other->GetTextColor();
    text_style_ = other->GetTextStyle();
  }
  assigned_ = other->assigned_;
  NotifyChanged();
}

void TlxContainerStyle::ResetToDefaults() {
  BeginUpdate();
  TScopeExit end_update([this] { EndUpdate(); });
  assigned_ = TlxContainerStyleValues();
  IlxStyledContainer* container = GetOwnerContainer();
  if (IsMaster()) {
    look_and_feel_->ClearAssignedValues();
    if (container != nullptr) {
      container->SetParentColor(false);
      container->SetParentFont(true);
    } else if (!direct_access_ && font_) {
      TStateScope<int32_t> locked(font_assign_lock_, font_assign_lock_ + 1);
      const TFont defaults;
      font_->Assign(&defaults);
    }
  }
  if (container != nullptr && container->UsesParentColorByDefault()) {
    TlxStyleController* controller = GetEffectiveStyleController();
    const bool controller_colors =
        controller != nullptr && controller->GetNormalStyle()->assigned_.Contains(csvColor);
    if (!controller_colors)
      container->SetParentColor(true);
  }
  NotifyChanged();
}

// --- TlxContainerStyles -------------------------------------------------------

TlxContainerStyles::TlxContainerStyles(TPersistent* owner, const TlxContainerStyleClass& style_class) {
  styles_[csNormal] = style_class.Create(owner, false, nullptr, csNormal);
  for (TlxContainerStateItem state : {csActive, csDisabled, csHotTrack})
    styles_[state] = style_class.Create(owner, false, styles_[csNormal].get(), state);
}

TlxContainerStyles::~TlxContainerStyles() {
  for (int32_t state = kLxContainerStateCount - 1; state >= 0; --state)
    styles_[state].reset();
}

void TlxContainerStyles::SetChangeHandler(const TlxContainerStyleChangedHandler& handler) {
  for (auto& style : styles_)
    style->SetChangeHandler(handler);
}

// --- TlxStyleController --------------------------------------------------------

void TlxStyleController::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxStyleController>();
  p.Reference<TlxStyleController>("FakeStyleController", &TlxStyleController::FakeStyleController,
                                  &TlxStyleController::SetFakeStyleController)
      .Stored = [](const TPersistent&) { return false; };
}

TlxStyleController::TlxStyleController(TComponent* owner) : TComponent(owner) { CreateStyles(); }

void TlxStyleController::CreateStyles() {
  if (styles_) {
    // A descendant replaces the set with its own style class.
    for (TlxContainerStateItem state : {csNormal, csActive, csDisabled, csHotTrack})
      styles_->GetStateStyle(state)->SetChangeHandler(nullptr);
    styles_.reset();
  }
  styles_ = std::make_unique<TlxContainerStyles>(this, GetStyleItemClass());
  styles_->SetChangeHandler([this](TObject*) { NotifyStyleChanged(); });
}

TlxStyleController::~TlxStyleController() {
  destroying_ = true;
  const std::vector<TlxContainerStyle*> listeners = listeners_;
  for (auto it = listeners.rbegin(); it != listeners.rend(); ++it)
    (*it)->StyleControllerFreed(this);
  if (DefaultControllerSlot() == this)
    DefaultControllerSlot() = nullptr;
  styles_.reset();
}

void TlxStyleController::RegisterStyle(TlxContainerStyle* style) {
  if (style == nullptr || std::find(listeners_.begin(), listeners_.end(), style) != listeners_.end())
    return;
  listeners_.push_back(style);
  if (style->look_and_feel_ && style->look_and_feel_.get() != GetNormalStyle()->LookAndFeel())
    style->look_and_feel_->SetMaster(GetNormalStyle()->LookAndFeel());
}

void TlxStyleController::UnregisterStyle(TlxContainerStyle* style) {
  listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), style), listeners_.end());
  if (style != nullptr && style->look_and_feel_ && !destroying_)
    style->look_and_feel_->SetMaster(nullptr);
}

void TlxStyleController::Loaded() {
  TComponent::Loaded();
  NotifyStyleChanged();
}

void TlxStyleController::NotifyStyleChanged() {
  DoStyleChanged();
  if (destroying_)
    return;
  const std::vector<TlxContainerStyle*> listeners = listeners_;
  for (TlxContainerStyle* style : listeners)
    style->StyleControllerChanged(this);
}

void TlxStyleController::ScaleFont(int32_t multiplier, int32_t divisor) {
  TlxContainerStyle* normal = GetNormalStyle();
  if (normal->assigned_.Contains(csvFont)) {
    if (font_scaled_ || divisor == 0)
      return;
    font_scaled_ = true;
    TFont* font = normal->Font();
    font->SetSize(static_cast<int32_t>(static_cast<int64_t>(font->Size()) * multiplier / divisor));
    return;
  }
  TlxStyleController* next = normal->GetEffectiveStyleController();
  if (next != nullptr && next != this)
    next->ScaleFont(multiplier, divisor);
}
