#include "editors/kinds/button_rules.h"

TlxButtonState lxButtonStateOf(const TlxButtonLook& look) {
  if (!look.Enabled)
    return lxbsDisabled;
  if (look.PressedLook || (look.MenuShown && look.Kind == lxbkDropDown) || (look.Down && look.SpeedButtonMode))
    return lxbsPressed;
  if (look.Hot)
    return lxbsHot;
  if ((look.FocusedLook || look.DefaultFlag) && !look.SpeedButtonMode)
    return lxbsDefault;
  return lxbsNormal;
}

TlxButtonState lxButtonArrowStateOf(TlxButtonState main_state, bool menu_shown, bool default_flag) {
  if (menu_shown)
    return lxbsPressed;
  if (main_state == lxbsPressed)
    return default_flag ? lxbsHot : lxbsNormal;
  return main_state;
}

bool TlxButtonColorValues::Set(TlxButtonAssignedColor index, TColor color) {
  if (color == clNone || color == clDefault) {
    const bool changed = values_[index] != clDefault || IsAssigned(index);
    values_[index] = clDefault;
    assigned_ = static_cast<uint16_t>(assigned_ & ~Bit(index));
    return changed;
  }
  if (values_[index] == color && IsAssigned(index))
    return false;
  values_[index] = color;
  assigned_ = static_cast<uint16_t>(assigned_ | Bit(index));
  return true;
}

void TlxButtonColorValues::RestrictAssigned(uint16_t bits) {
  for (int32_t i = 0; i < kLxButtonColorCount; ++i) {
    const auto index = static_cast<TlxButtonAssignedColor>(i);
    if ((bits & Bit(index)) == 0)
      values_[index] = clDefault;
    else if (values_[index] == clDefault)
      bits = static_cast<uint16_t>(bits & ~Bit(index));
  }
  assigned_ = static_cast<uint16_t>(bits & ((1u << kLxButtonColorCount) - 1));
}

TlxButtonAssignedColor lxButtonFaceColorIndex(TlxButtonState state) {
  switch (state) {
    case lxbsDefault:
      return lxbcDefault;
    case lxbsHot:
      return lxbcHot;
    case lxbsPressed:
      return lxbcPressed;
    case lxbsDisabled:
      return lxbcDisabled;
    default:
      return lxbcNormal;
  }
}

TlxButtonAssignedColor lxButtonTextColorIndex(TlxButtonState state) {
  return static_cast<TlxButtonAssignedColor>(lxButtonFaceColorIndex(state) + 1);
}

TColor TlxButtonColorValues::FaceColor(TlxButtonState state) const {
  const TlxButtonAssignedColor index = lxButtonFaceColorIndex(state);
  if (IsAssigned(index))
    return values_[index];
  return index == lxbcNormal ? values_[lxbcDefault] : values_[lxbcNormal];
}

TColor TlxButtonColorValues::TextColor(TlxButtonState state) const {
  const TlxButtonAssignedColor index = lxButtonTextColorIndex(state);
  return IsAssigned(index) ? values_[index] : clDefault;
}

TRect lxButtonArrowPart(const TRect& client) {
  return TRect(client.Right - kLxButtonArrowPartWidth, client.Top, client.Right, client.Bottom);
}

TRect lxButtonDropDownRect(TlxButtonKind kind, const TRect& client) {
  switch (kind) {
    case lxbkDropDown:
      return client;
    case lxbkDropDownButton:
      return lxButtonArrowPart(client);
    default:
      return TRect();
  }
}

bool lxIsButtonDropDownPoint(TlxButtonKind kind, const TRect& client, const TPoint& point) {
  return kind != lxbkStandard && lxButtonDropDownRect(kind, client).Contains(point);
}

TlxDropDownMenuPlacement lxPlaceDropDownMenu(const TRect& button_screen_rect, TlxMenuAnchor anchor,
                                             int32_t menu_height, const TRect& work_area) {
  const int32_t width = button_screen_rect.Width();
  const int32_t height = button_screen_rect.Height();
  int32_t x = 0;
  if (anchor == lxmaRight)
    x = width;
  else if (anchor == lxmaCenter)
    x = width / 2;
  TlxDropDownMenuPlacement placement;
  placement.Point = {button_screen_rect.Left + x, button_screen_rect.Top + height};
  if (work_area.Bottom < placement.Point.Y + menu_height)
    placement.Point.Y -= menu_height + height + 2;
  if (placement.Point.X <= work_area.Left)
    placement.Alignment = lxmaRight;
  else if (placement.Point.X >= work_area.Right)
    placement.Alignment = lxmaLeft;
  else
    placement.Alignment = anchor;
  return placement;
}
