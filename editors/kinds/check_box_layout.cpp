#include "editors/kinds/check_box_layout.h"

TlxButtonState lxCheckButtonPainterState(TlxCheckButtonState state) {
  switch (state) {
    case cbnHot:
      return lxbsHot;
    case cbnPressed:
      return lxbsPressed;
    case cbnDisabled:
      return lxbsDisabled;
    default:
      return lxbsNormal;
  }
}

int32_t lxCheckBoxThemeState(TlxCheckBoxState check_state, TlxCheckButtonState button_state) {
  return 1 + 4 * static_cast<int32_t>(check_state) + static_cast<int32_t>(button_state);
}

int32_t lxCheckBoxGlyphImage(TlxCheckBoxState check_state, bool pressed, int32_t glyph_count) {
  int32_t image = static_cast<int32_t>(check_state) + (pressed ? 3 : 0);
  if (image >= glyph_count)
    image %= 3;
  return image;
}

TlxEditBorderStyle lxRaisedCheckBorderStyle(TlxEditBorderStyle style) {
  switch (style) {
    case ebsNone:
      return ebsFlat;
    case ebsSingle:
      return ebsThick;
    case ebsFlat:
      return ebs3D;
    default:
      return style;
  }
}

TlxCheckBoxState lxNextCheckState(TlxCheckBoxState state, bool allow_grayed) {
  switch (state) {
    case cbsChecked:
      return cbsUnchecked;
    case cbsGrayed:
      return cbsChecked;
    default:
      return allow_grayed ? cbsGrayed : cbsChecked;
  }
}

TlxCheckBoxLayout lxLayoutCheckBox(const TlxCheckBoxLayoutInput& input) {
  TRect text = input.Client;
  TRect check = input.Client;
  if (input.Inplace) {
    if (input.Alignment == taLeftJustify) {
      text.Right -= 2;
      check.Left += 2;
    } else if (input.Alignment == taRightJustify) {
      text.Left += 2;
      check.Right -= 2;
    }
    text.Top += input.InplaceTextTop;
    text.Bottom -= input.InplaceTextBottom;
  } else {
    text = text.Inflate(-2, -2);
    if (input.ClassicLook)
      text.Top -= 1;
    check = check.Inflate(-2, -2);
  }
  const int32_t check_width = input.CheckSize.cx;
  const int32_t check_height = input.CheckSize.cy;
  if (check.Height() > check_height) {
    check.Top += (check.Height() - check_height) / 2;
    check.Bottom = check.Top + check_height;
  }
  if (check.Width() > check_width) {
    switch (input.Alignment) {
      case taCenter:
        check.Left += (check.Width() - check_width) / 2;
        check.Right = check.Left + check_width;
        break;
      case taRightJustify:
        check.Left = check.Right - check_width;
        text.Right = check.Left - 3;
        break;
      default:
        check.Right = check.Left + check_width;
        text.Left = check.Right + 3;
        break;
    }
  } else {
    text.Right = text.Left;
  }
  if (check.IsEmpty())
    check = TRect();
  if (input.EmbossedCaption) {
    text.Right += 1;
    text.Bottom += 1;
  }
  return TlxCheckBoxLayout{check, text};
}
