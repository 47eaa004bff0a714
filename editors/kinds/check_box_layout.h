#pragma once
// The check box's rules that need no window: the user's next state, the
// look of the check while hot, which user-glyph image and which themed
// state a check shows, and where check and caption go. Portable; the
// check box's view info and control apply them.

#include <cstdint>

#include "editors/edit_style_types.h"
#include "platform/rtl/alignment.h"
#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/painters/painter_types.h"

// The check glyph's own state numbers.
enum TlxCheckButtonState : uint8_t { cbnNormal, cbnHot, cbnPressed, cbnDisabled };

TlxButtonState lxCheckButtonPainterState(TlxCheckButtonState state);
// The themed check-box part's state: 1 + 4 x check state + button state.
int32_t lxCheckBoxThemeState(TlxCheckBoxState check_state, TlxCheckButtonState button_state);
// The user glyph's image: the check state, plus 3 while pressed; a number
// the glyph does not hold falls back to its remainder by 3.
int32_t lxCheckBoxGlyphImage(TlxCheckBoxState check_state, bool pressed, int32_t glyph_count);
// The border style one step raised while the editor is hot.
TlxEditBorderStyle lxRaisedCheckBorderStyle(TlxEditBorderStyle style);
// The state a user's toggle gives: checked to unchecked, grayed to checked,
// unchecked to grayed with AllowGrayed, else to checked.
TlxCheckBoxState lxNextCheckState(TlxCheckBoxState state, bool allow_grayed);

struct TlxCheckBoxLayoutInput {
  TRect Client;
  TSize CheckSize;
  TAlignment Alignment = taLeftJustify;
  bool Inplace = false;
  // Stand-alone without a theme or skin, the caption sits one pixel higher.
  bool ClassicLook = false;
  // Grid cells keep these margins above and below the caption.
  int32_t InplaceTextTop = 0;
  int32_t InplaceTextBottom = 0;
  // The caption is drawn embossed (one pixel more to the right and bottom).
  bool EmbossedCaption = false;
};

struct TlxCheckBoxLayout {
  TRect CheckRect;
  TRect TextRect;
};

TlxCheckBoxLayout lxLayoutCheckBox(const TlxCheckBoxLayoutInput& input);
