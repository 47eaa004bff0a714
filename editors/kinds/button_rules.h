#pragma once
// The rules of the library's push button that need no window: which state
// its face shows, which colours a state takes from the ten it stores,
// where the arrow part of a split button lies and where its drop-down menu
// opens. Portable; the button itself (button_win.h) applies them.

#include <array>
#include <cstdint>

#include "platform/toolkit/color.h"
#include "ui/foundation/geometry/geometry.h"
#include "ui/foundation/painters/painter_types.h"

enum TlxButtonKind : uint8_t { lxbkStandard, lxbkDropDown, lxbkDropDownButton };

enum TlxButtonAssignedColor : uint8_t {
  lxbcDefault,
  lxbcDefaultText,
  lxbcDisabled,
  lxbcDisabledText,
  lxbcHot,
  lxbcHotText,
  lxbcNormal,
  lxbcNormalText,
  lxbcPressed,
  lxbcPressedText
};
constexpr int32_t kLxButtonColorCount = 10;

// The split button's arrow part is this wide; the main part ends two
// pixels inside it.
constexpr int32_t kLxButtonArrowPartWidth = 15;
constexpr int32_t kLxButtonMainPartCut = 13;

// What the face state is computed from.
struct TlxButtonLook {
  bool Enabled = true;
  bool PressedLook = false;
  bool MenuShown = false;
  bool Down = false;
  bool Hot = false;
  bool FocusedLook = false;
  bool DefaultFlag = false;
  bool SpeedButtonMode = false;
  TlxButtonKind Kind = lxbkStandard;
};

TlxButtonState lxButtonStateOf(const TlxButtonLook& look);
// The state the split button's arrow part is drawn in.
TlxButtonState lxButtonArrowStateOf(TlxButtonState main_state, bool menu_shown, bool default_flag);

// The ten colours of a button and which of them were set explicitly.
class TlxButtonColorValues {
 public:
  TlxButtonColorValues() { values_.fill(clDefault); }

  TColor Get(TlxButtonAssignedColor index) const { return values_[index]; }
  // clNone and clDefault unassign the colour. True when anything changed.
  bool Set(TlxButtonAssignedColor index, TColor color);
  uint16_t AssignedBits() const { return assigned_; }
  bool IsAssigned(TlxButtonAssignedColor index) const { return (assigned_ & Bit(index)) != 0; }
  // Keeps only the given members, and of those only the ones still holding
  // a colour: a colour outside the set goes back to clDefault.
  void RestrictAssigned(uint16_t bits);

  // The face colour of a state: its own when assigned; else the normal
  // state falls back to Default and every other state to Normal.
  TColor FaceColor(TlxButtonState state) const;
  // The text colour of a state when assigned, else clDefault.
  TColor TextColor(TlxButtonState state) const;

  bool operator==(const TlxButtonColorValues&) const = default;

 private:
  static uint16_t Bit(TlxButtonAssignedColor index) { return static_cast<uint16_t>(1u << index); }

  std::array<TColor, kLxButtonColorCount> values_{};
  uint16_t assigned_ = 0;
};

TlxButtonAssignedColor lxButtonFaceColorIndex(TlxButtonState state);
TlxButtonAssignedColor lxButtonTextColorIndex(TlxButtonState state);

// The split button's arrow part of a client rectangle.
TRect lxButtonArrowPart(const TRect& client);
// The part of the button whose press opens the menu: nothing for a plain
// button, all of a drop-down button, the arrow part of a split button.
TRect lxButtonDropDownRect(TlxButtonKind kind, const TRect& client);
bool lxIsButtonDropDownPoint(TlxButtonKind kind, const TRect& client, const TPoint& point);

enum TlxMenuAnchor : uint8_t { lxmaLeft, lxmaRight, lxmaCenter };  // the toolkit's TPopupAlignment order

struct TlxDropDownMenuPlacement {
  TPoint Point;
  TlxMenuAnchor Alignment = lxmaLeft;
};

// Where a button's drop-down menu opens: under the button at the anchor,
// above it when the work area ends above the menu's bottom; the menu is
// aligned to stay inside the work area at its edges.
TlxDropDownMenuPlacement lxPlaceDropDownMenu(const TRect& button_screen_rect, TlxMenuAnchor anchor,
                                             int32_t menu_height, const TRect& work_area);
