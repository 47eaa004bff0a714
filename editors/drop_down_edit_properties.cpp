#include "editors/drop_down_edit_properties.h"

#include <algorithm>

#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

bool lxCloseUpReasonAccepts(int32_t reason) { return reason == crTab || reason == crClose || reason == crEnter; }

TlxCustomDropDownEditProperties::TlxCustomDropDownEditProperties(TPersistent* owner)
    : TlxCustomMaskEditProperties(owner) {
  TlxEditButton* button = Buttons()->AddButton();
  button->SetKind(bkDown);
}

TlxCustomDropDownEditProperties::~TlxCustomDropDownEditProperties() = default;

void TlxCustomDropDownEditProperties::Changed() {
  if (changing_) {
    TlxCustomMaskEditProperties::Changed();
    return;
  }
  {
    TStateScope changing(changing_, true);
    UpdateGlyphButton();
  }
  TlxCustomMaskEditProperties::Changed();
}

void TlxCustomDropDownEditProperties::UpdateGlyphButton() {
  if (glyph_button_index_ < 0 || glyph_button_index_ >= Buttons()->Count())
    return;
  TlxEditButton* button = Buttons()->GetButton(glyph_button_index_);
  if (HasUsableGlyph())
    button->SetKind(bkGlyph);
  else if (button->Kind() == bkGlyph)
    button->SetKind(bkDown);
}

void TlxCustomDropDownEditProperties::SetGlyphButtonIndex(int32_t index) {
  if (index == glyph_button_index_ || index < 0 || index >= Buttons()->Count())
    return;
  TUpdateScope<TlxCustomEditProperties> update(*this);
  // The old button loses the glyph: it shows the arrow again.
  if (glyph_button_index_ >= 0 && glyph_button_index_ < Buttons()->Count()) {
    TlxEditButton* old_button = Buttons()->GetButton(glyph_button_index_);
    if (old_button->Kind() == bkGlyph)
      old_button->SetKind(bkDown);
  }
  glyph_button_index_ = index;
  if (HasUsableGlyph())
    Buttons()->GetButton(index)->SetKind(bkGlyph);
  Changed();
}

TAlignment TlxCustomDropDownEditProperties::PopupAlignment() const {
  switch (popup_horz_alignment_) {
    case phaCenter:
      return taCenter;
    case phaRight:
      return taRightJustify;
    case phaLeft:
      break;
  }
  return taLeftJustify;
}

void TlxCustomDropDownEditProperties::SetPopupAlignment(TAlignment value) {
  switch (value) {
    case taCenter:
      SetPopupHorzAlignment(phaCenter);
      return;
    case taRightJustify:
      SetPopupHorzAlignment(phaRight);
      return;
    case taLeftJustify:
      break;
  }
  SetPopupHorzAlignment(phaLeft);
}

void TlxCustomDropDownEditProperties::SetPopupWidth(int32_t value) {
  popup_width_ = value <= 0 ? 0 : std::max(value, popup_min_width_);
}

void TlxCustomDropDownEditProperties::SetPopupHeight(int32_t value) {
  popup_height_ = value <= 0 ? 0 : std::max(value, popup_min_height_);
}

void TlxCustomDropDownEditProperties::SetPopupMinWidth(int32_t value) {
  popup_min_width_ = std::max(value, 0);
  SetPopupWidth(popup_width_);
}

void TlxCustomDropDownEditProperties::SetPopupMinHeight(int32_t value) {
  popup_min_height_ = std::max(value, 0);
  SetPopupHeight(popup_height_);
}

void TlxCustomDropDownEditProperties::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomDropDownEditProperties*>(source);
  if (other == nullptr) {
    TlxCustomMaskEditProperties::Assign(source);
    return;
  }
  TUpdateScope<TlxCustomEditProperties> update(*this);
  TlxCustomMaskEditProperties::Assign(source);
  SetButtonGlyph(other->ButtonGlyph());
  SetImmediateDropDown(other->immediate_drop_down_);
  SetImmediatePopup(other->immediate_popup_);
  SetKeepArrowButtonDownWhenPopup(other->keep_button_pressed_);
  SetPopupAutoSize(other->popup_auto_size_);
  SetPopupClientEdge(other->popup_client_edge_);
  SetPopupDirection(other->popup_direction_);
  // The height is clamped by the minimum present before the minimum is copied.
  SetPopupHeight(other->popup_height_);
  SetPopupHorzAlignment(other->popup_horz_alignment_);
  SetPopupMinHeight(other->popup_min_height_);
  SetPopupMinWidth(other->popup_min_width_);
  SetPopupSizeable(other->popup_sizeable_);
  SetPopupSysPanelStyle(other->popup_sys_panel_style_);
  SetPopupVertAlignment(other->popup_vert_alignment_);
  SetPopupWidth(other->popup_width_);
  SetPostPopupValueOnTab(other->post_popup_value_on_tab_);
  OnClosePopup = other->OnClosePopup;
  OnCloseQuery = other->OnCloseQuery;
  OnCloseUp = other->OnCloseUp;
  OnInitPopup = other->OnInitPopup;
  OnPopup = other->OnPopup;
}

void lxPublishDropDownEditSettings(TPropertyListBuilder& properties) {
  using P = TlxCustomDropDownEditProperties;
  auto p = properties.For<P>();
  p.Boolean("ImmediateDropDown", &P::ImmediateDropDown, &P::SetImmediateDropDown, true);
  p.Enumeration("PopupAlignment", &P::PopupAlignment, &P::SetPopupAlignment,
                {"taLeftJustify", "taRightJustify", "taCenter"}, std::optional<TAlignment>(taLeftJustify));
  p.Boolean("PopupClientEdge", &P::PopupClientEdge, &P::SetPopupClientEdge, false);
  p.Boolean("PopupSysPanelStyle", &P::PopupSysPanelStyle, &P::SetPopupSysPanelStyle, false);
  p.Boolean("PostPopupValueOnTab", &P::PostPopupValueOnTab, &P::SetPostPopupValueOnTab, false);
}
