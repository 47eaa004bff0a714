#include "ui/foundation/painters/painter_types.h"

TlxLookAndFeelKind lxStyleToLookAndFeelKind(int32_t style) {
  switch (style) {
    case lxStyleFlat:
      return lfFlat;
    case lxStyleUltraFlat:
      return lfUltraFlat;
    case lxStyleOffice11:
      return lfOffice11;
    default:
      return lfStandard;
  }
}

int32_t lxButtonStateToThemeState(TlxButtonState state) {
  switch (state) {
    case lxbsDefault:
      return 5;
    case lxbsHot:
      return 2;
    case lxbsPressed:
      return 3;
    case lxbsDisabled:
      return 4;
    default:
      return 1;
  }
}
