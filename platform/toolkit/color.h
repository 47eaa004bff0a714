#pragma once
// TColor: an RGB value (0x00BBGGRR), a system colour (0xFF0000nn, the index
// of GetSysColor), the default colour (whoever uses it substitutes its own)
// or no colour at all.

#include <cstdint>
#include <string>

using TColor = int32_t;

constexpr TColor TColorOf(uint32_t value) { return static_cast<TColor>(value); }

constexpr TColor clSystemColor = TColorOf(0xFF000000);
constexpr TColor clNone = TColorOf(0x1FFFFFFF);
constexpr TColor clDefault = TColorOf(0x20000000);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = clSilver;
constexpr TColor clDkGray = clGray;

constexpr TColor clScrollBar = TColorOf(0xFF000000);
constexpr TColor clBackground = TColorOf(0xFF000001);
constexpr TColor clActiveCaption = TColorOf(0xFF000002);
constexpr TColor clInactiveCaption = TColorOf(0xFF000003);
constexpr TColor clMenu = TColorOf(0xFF000004);
constexpr TColor clWindow = TColorOf(0xFF000005);
constexpr TColor clWindowFrame = TColorOf(0xFF000006);
constexpr TColor clMenuText = TColorOf(0xFF000007);
constexpr TColor clWindowText = TColorOf(0xFF000008);
constexpr TColor clCaptionText = TColorOf(0xFF000009);
constexpr TColor clActiveBorder = TColorOf(0xFF00000A);
constexpr TColor clInactiveBorder = TColorOf(0xFF00000B);
constexpr TColor clAppWorkSpace = TColorOf(0xFF00000C);
constexpr TColor clHighlight = TColorOf(0xFF00000D);
constexpr TColor clHighlightText = TColorOf(0xFF00000E);
constexpr TColor clBtnFace = TColorOf(0xFF00000F);
constexpr TColor clBtnShadow = TColorOf(0xFF000010);
constexpr TColor clGrayText = TColorOf(0xFF000011);
constexpr TColor clBtnText = TColorOf(0xFF000012);
constexpr TColor clInactiveCaptionText = TColorOf(0xFF000013);
constexpr TColor clBtnHighlight = TColorOf(0xFF000014);
constexpr TColor cl3DDkShadow = TColorOf(0xFF000015);
constexpr TColor cl3DLight = TColorOf(0xFF000016);
constexpr TColor clInfoText = TColorOf(0xFF000017);
constexpr TColor clInfoBk = TColorOf(0xFF000018);
constexpr TColor clHotLight = TColorOf(0xFF00001A);
constexpr TColor clGradientActiveCaption = TColorOf(0xFF00001B);
constexpr TColor clGradientInactiveCaption = TColorOf(0xFF00001C);
constexpr TColor clMenuHighlight = TColorOf(0xFF00001D);
constexpr TColor clMenuBar = TColorOf(0xFF00001E);

constexpr bool IsSystemColor(TColor color) {
  return (static_cast<uint32_t>(color) & 0xFF000000u) == 0xFF000000u;
}

// The RGB value of a colour: system colours are looked up; every other value
// (clDefault and clNone among them) comes back unchanged.
TColor ColorToRGB(TColor color);
// The COLORREF to hand to the system: ColorToRGB without the flag byte.
uint32_t ColorToColorRef(TColor color);

constexpr uint8_t GetRValue32(TColor color) { return static_cast<uint8_t>(color); }
constexpr uint8_t GetGValue32(TColor color) { return static_cast<uint8_t>(color >> 8); }
constexpr uint8_t GetBValue32(TColor color) { return static_cast<uint8_t>(color >> 16); }
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r | (uint32_t{g} << 8) | (uint32_t{b} << 16));
}

// "clRed", "clBtnFace"... or "$00BBGGRR" for values without a name.
std::string ColorToString(TColor color);
// The reverse; raises EConvertError for a text that is neither.
TColor StringToColor(const std::string& text);
