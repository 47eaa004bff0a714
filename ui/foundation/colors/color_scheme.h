#pragma once
// The Office 2003 colour schemes and the arithmetic that derives the Office
// 2003 palette, either from a scheme's fixed table or from the system
// colours. Portable: colours here are plain RGB values (0x00BBGGRR), and the
// one system service the formulas need, the nearest colour the screen can
// show, is passed in. office11_colors_win.h binds it all to the system.

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

// An RGB colour, 0x00BBGGRR, the same bits as an RGB TColor.
using TlxRGB = int32_t;

// The colour variant of the system's own visual style the Office 2003 look
// copies; the numbers are the stored codes.
enum TlxOffice11Scheme : uint8_t {
  lxOffice11SchemeNone = 0,
  lxOffice11SchemeBlue = 1,    // "NORMALCOLOR"
  lxOffice11SchemeOlive = 2,   // "HOMESTEAD"
  lxOffice11SchemeSilver = 3,  // "METALLIC"
};

// The scheme for the active visual style, given its file name, its colour
// variant name and the system's major version: only the stock style (or any
// style from version 6 on) names a scheme by its colour variant.
TlxOffice11Scheme lxOffice11SchemeFromStyleNames(std::u16string_view style_file,
                                                 std::u16string_view color_name,
                                                 uint32_t major_version);

// The Office 2003 palette: every colour the painters read.
struct TlxOffice11Palette {
  TlxRGB BarLightColor = 0;
  TlxRGB BarDarkColor = 0;
  TlxRGB FaceColor = 0;
  TlxRGB LightFaceColor = 0;
  TlxRGB GroupByBoxColor = 0;
  TlxRGB GripDarkColor = 0;
  TlxRGB GripLightColor = 0;
  TlxRGB HeaderDarkEdgeColor = 0;
  TlxRGB HeaderLightEdgeColor = 0;
  TlxRGB FilterBoxColor = 0;
  TlxRGB FilterBoxTextColor = 0;
  TlxRGB BorderColor = 0;
  TlxRGB SelectedBorderColor = 0;
  TlxRGB HotColor1 = 0;
  TlxRGB HotColor2 = 0;
  TlxRGB PressedColor1 = 0;
  TlxRGB PressedColor2 = 0;
  TlxRGB TextColor = 0;
  TlxRGB DisabledTextColor = 0;
  TlxRGB GroupColor = 0;
  TlxRGB SelectionColor = 0;
  TlxRGB SchedulerControlColor = 0;
  TlxRGB SchedulerBorderColor = 0;
  TlxRGB GroupRowColor = 0;
  TlxRGB GroupRowTextColor = 0;
  TlxRGB GroupRowSeparatorColor = 0;

  bool operator==(const TlxOffice11Palette&) const = default;
};

// The system colours (as RGB) the palette is derived from without a scheme.
struct TlxOffice11SystemColors {
  TlxRGB BtnFace = 0;
  TlxRGB BtnShadow = 0;
  TlxRGB BtnHighlight = 0;
  TlxRGB BtnText = 0;
  TlxRGB GrayText = 0;
  TlxRGB Highlight = 0;
  TlxRGB Window = 0;
};

// The nearest colour the screen can show (identity on a true-colour screen).
using TlxNearestColorFunction = std::function<TlxRGB(TlxRGB)>;

// The palette of scheme 1 to 3; nothing for lxOffice11SchemeNone or an
// unknown code.
std::optional<TlxOffice11Palette> lxOffice11SchemePalette(TlxOffice11Scheme scheme,
                                                          const TlxNearestColorFunction& nearest);
// The palette mixed from the system colours, for screens without a scheme.
TlxOffice11Palette lxOffice11SystemPalette(const TlxOffice11SystemColors& system,
                                           const TlxNearestColorFunction& nearest);

// P percent of c1 plus (100 - P) percent of c2, channel by channel, each
// channel kept within 0..255. No screen-colour step.
TlxRGB lxMixChannels(TlxRGB c1, TlxRGB c2, int32_t percent);
// Every channel times P / 100, rounded to the nearest integer with halves to
// even, kept within 0..255 so that a percentage outside 0..100 cannot spill
// into the neighbouring channel.
TlxRGB lxScaleChannels(TlxRGB color, int32_t percent);
