#include "platform/toolkit/color.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/text.h"

namespace {

struct NamedColor {
  TColor color;
  std::string_view name;
};

constexpr std::array kNamedColors{
    NamedColor{clBlack, "clBlack"},
    NamedColor{clMaroon, "clMaroon"},
    NamedColor{clGreen, "clGreen"},
    NamedColor{clOlive, "clOlive"},
    NamedColor{clNavy, "clNavy"},
    NamedColor{clPurple, "clPurple"},
    NamedColor{clTeal, "clTeal"},
    NamedColor{clGray, "clGray"},
    NamedColor{clSilver, "clSilver"},
    NamedColor{clRed, "clRed"},
    NamedColor{clLime, "clLime"},
    NamedColor{clYellow, "clYellow"},
    NamedColor{clBlue, "clBlue"},
    NamedColor{clFuchsia, "clFuchsia"},
    NamedColor{clAqua, "clAqua"},
    NamedColor{clWhite, "clWhite"},
    NamedColor{clScrollBar, "clScrollBar"},
    NamedColor{clBackground, "clBackground"},
    NamedColor{clActiveCaption, "clActiveCaption"},
    NamedColor{clInactiveCaption, "clInactiveCaption"},
    NamedColor{clMenu, "clMenu"},
    NamedColor{clWindow, "clWindow"},
    NamedColor{clWindowFrame, "clWindowFrame"},
    NamedColor{clMenuText, "clMenuText"},
    NamedColor{clWindowText, "clWindowText"},
    NamedColor{clCaptionText, "clCaptionText"},
    NamedColor{clActiveBorder, "clActiveBorder"},
    NamedColor{clInactiveBorder, "clInactiveBorder"},
    NamedColor{clAppWorkSpace, "clAppWorkSpace"},
    NamedColor{clHighlight, "clHighlight"},
    NamedColor{clHighlightText, "clHighlightText"},
    NamedColor{clBtnFace, "clBtnFace"},
    NamedColor{clBtnShadow, "clBtnShadow"},
    NamedColor{clGrayText, "clGrayText"},
    NamedColor{clBtnText, "clBtnText"},
    NamedColor{clInactiveCaptionText, "clInactiveCaptionText"},
    NamedColor{clBtnHighlight, "clBtnHighlight"},
    NamedColor{cl3DDkShadow, "cl3DDkShadow"},
    NamedColor{cl3DLight, "cl3DLight"},
    NamedColor{clInfoText, "clInfoText"},
    NamedColor{clInfoBk, "clInfoBk"},
    NamedColor{clHotLight, "clHotLight"},
    NamedColor{clGradientActiveCaption, "clGradientActiveCaption"},
    NamedColor{clGradientInactiveCaption, "clGradientInactiveCaption"},
    NamedColor{clMenuHighlight, "clMenuHighlight"},
    NamedColor{clMenuBar, "clMenuBar"},
    NamedColor{clNone, "clNone"},
    NamedColor{clDefault, "clDefault"},
};

}  // namespace

TColor ColorToRGB(TColor color) {
  if (!IsSystemColor(color))
    return color;
  return static_cast<TColor>(GetSysColor(static_cast<int>(color & 0xFF)));
}

uint32_t ColorToColorRef(TColor color) { return static_cast<uint32_t>(ColorToRGB(color)) & 0x00FFFFFFu; }

std::string ColorToString(TColor color) {
  for (const NamedColor& named : kNamedColors)
    if (named.color == color)
      return std::string(named.name);
  return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

TColor StringToColor(const std::string& text) {
  for (const NamedColor& named : kNamedColors)
    if (SameText(named.name, text))
      return named.color;
  int64_t value = 0;
  if (!TryStrToInt64(text, value) || value < INT32_MIN || value > UINT32_MAX)
    throw EConvertError::InvalidInteger(text);
  return static_cast<TColor>(static_cast<uint32_t>(value));
}
