#include "ui/foundation/colors/color_scheme.h"

#include <algorithm>
#include <string>

#include "ui/foundation/colors/color_mix.h"
#include "ui/foundation/geometry/auto_width.h"
#include "ui/foundation/themes/theme_object_types.h"

namespace {

int32_t RedOf(TlxRGB color) { return color & 0xFF; }
int32_t GreenOf(TlxRGB color) { return (color >> 8) & 0xFF; }
int32_t BlueOf(TlxRGB color) { return (color >> 16) & 0xFF; }

TlxRGB RGBOf(int32_t red, int32_t green, int32_t blue) {
  const auto channel = [](int32_t value) { return std::clamp(value, 0, 255); };
  return channel(red) | (channel(green) << 8) | (channel(blue) << 16);
}

template <typename ChannelFunction>
TlxRGB PerChannel(ChannelFunction function) {
  return RGBOf(function(&RedOf), function(&GreenOf), function(&BlueOf));
}

constexpr TlxRGB RGB3(int32_t red, int32_t green, int32_t blue) { return red | (green << 8) | (blue << 16); }

constexpr TlxRGB kWhite = RGB3(255, 255, 255);
constexpr TlxRGB kBlack = RGB3(0, 0, 0);

// The colours a scheme table gives that differ between the schemes. The
// group-by box mixes two table colours.
struct SchemeColors {
  TlxRGB bar_light;
  TlxRGB bar_dark;
  TlxRGB face;
  TlxRGB light_face;
  TlxRGB group_by_box_dark;
  TlxRGB group_row_separator;  // also the light half of the group-by box
  TlxRGB grip_dark;
  TlxRGB header_dark_edge;
  TlxRGB header_light_edge;
  TlxRGB filter_box;
  TlxRGB border;
  TlxRGB selected_border;
  TlxRGB group;
  TlxRGB scheduler_control;
  TlxRGB scheduler_border;
  TlxRGB group_row_text;
};

constexpr SchemeColors kBlueScheme{
    RGB3(221, 236, 254), RGB3(129, 169, 226), RGB3(158, 190, 245), RGB3(195, 218, 249),
    RGB3(0, 53, 145),    RGB3(123, 164, 224), RGB3(39, 65, 118),   RGB3(106, 140, 203),
    RGB3(241, 249, 255), RGB3(42, 102, 201),  RGB3(0, 45, 150),    RGB3(0, 0, 128),
    RGB3(190, 218, 251), RGB3(196, 218, 250), RGB3(0, 45, 150),    RGB3(55, 104, 185)};

constexpr SchemeColors kOliveScheme{
    RGB3(244, 247, 222), RGB3(183, 198, 145), RGB3(217, 217, 167), RGB3(242, 240, 228),
    RGB3(96, 119, 107),  RGB3(181, 196, 143), RGB3(81, 94, 51),    RGB3(96, 128, 88),
    RGB3(244, 247, 222), RGB3(116, 134, 94),  RGB3(117, 141, 94),  RGB3(63, 93, 56),
    RGB3(175, 186, 145), RGB3(242, 241, 228), RGB3(96, 128, 88),   RGB3(115, 137, 84)};

constexpr SchemeColors kSilverScheme{
    RGB3(243, 244, 250), RGB3(153, 151, 181), RGB3(215, 215, 229), RGB3(243, 243, 247),
    RGB3(118, 116, 146), RGB3(147, 145, 176), RGB3(84, 84, 117),   RGB3(110, 109, 143),
    RGB3(255, 255, 255), RGB3(122, 121, 153), RGB3(124, 124, 148), RGB3(75, 75, 111),
    RGB3(229, 229, 235), RGB3(243, 243, 247), RGB3(124, 124, 148), RGB3(112, 111, 145)};

const SchemeColors* SchemeColorsOf(TlxOffice11Scheme scheme) {
  switch (scheme) {
    case lxOffice11SchemeBlue:
      return &kBlueScheme;
    case lxOffice11SchemeOlive:
      return &kOliveScheme;
    case lxOffice11SchemeSilver:
      return &kSilverScheme;
    case lxOffice11SchemeNone:
      break;
  }
  return nullptr;
}

TlxRGB Mix(TlxRGB c1, TlxRGB c2, int32_t percent, const TlxNearestColorFunction& nearest) {
  return nearest(lxMixChannels(c1, c2, percent));
}

}  // namespace

TlxOffice11Scheme lxOffice11SchemeFromStyleNames(std::u16string_view style_file,
                                                 std::u16string_view color_name,
                                                 uint32_t major_version) {
  const bool stock_style = lxUpperCaseAscii(lxFileNameWithoutPath(style_file)) == u"LUNA.MSSTYLES";
  if (!stock_style && major_version <= 5)
    return lxOffice11SchemeNone;
  const std::u16string color = lxUpperCaseAscii(color_name);
  if (color == u"NORMALCOLOR")
    return lxOffice11SchemeBlue;
  if (color == u"HOMESTEAD")
    return lxOffice11SchemeOlive;
  if (color == u"METALLIC")
    return lxOffice11SchemeSilver;
  return lxOffice11SchemeNone;
}

std::optional<TlxOffice11Palette> lxOffice11SchemePalette(TlxOffice11Scheme scheme,
                                                          const TlxNearestColorFunction& nearest) {
  const SchemeColors* colors = SchemeColorsOf(scheme);
  if (!colors)
    return std::nullopt;
  TlxOffice11Palette palette;
  palette.BarLightColor = colors->bar_light;
  palette.BarDarkColor = colors->bar_dark;
  palette.FaceColor = colors->face;
  palette.LightFaceColor = colors->light_face;
  palette.GroupByBoxColor = Mix(colors->group_by_box_dark, colors->group_row_separator, 50, nearest);
  palette.GripDarkColor = colors->grip_dark;
  palette.GripLightColor = kWhite;
  palette.HeaderDarkEdgeColor = colors->header_dark_edge;
  palette.HeaderLightEdgeColor = colors->header_light_edge;
  palette.FilterBoxColor = colors->filter_box;
  palette.FilterBoxTextColor = kWhite;
  palette.BorderColor = colors->border;
  palette.SelectedBorderColor = colors->selected_border;
  palette.HotColor1 = RGB3(255, 244, 204);
  palette.HotColor2 = RGB3(255, 208, 145);
  palette.PressedColor1 = RGB3(255, 211, 142);
  palette.PressedColor2 = RGB3(254, 145, 78);
  palette.TextColor = kBlack;
  palette.DisabledTextColor = RGB3(141, 141, 141);
  palette.GroupColor = colors->group;
  palette.SelectionColor = RGB3(251, 230, 148);
  palette.SchedulerControlColor = colors->scheduler_control;
  palette.SchedulerBorderColor = colors->scheduler_border;
  palette.GroupRowColor = RGB3(253, 238, 201);
  palette.GroupRowTextColor = colors->group_row_text;
  palette.GroupRowSeparatorColor = colors->group_row_separator;
  return palette;
}

TlxOffice11Palette lxOffice11SystemPalette(const TlxOffice11SystemColors& system,
                                           const TlxNearestColorFunction& nearest) {
  const auto light = [&system](int8_t face_percent, int8_t highlight_percent, int8_t window_percent) {
    return static_cast<TlxRGB>(lxMixColorChannels(static_cast<uint32_t>(system.BtnFace),
                                                  static_cast<uint32_t>(system.Highlight),
                                                  static_cast<uint32_t>(system.Window), face_percent,
                                                  highlight_percent, window_percent));
  };
  TlxOffice11Palette palette;
  palette.BarLightColor = Mix(system.BtnFace, system.Window, 22, nearest);
  palette.BarDarkColor = Mix(system.BtnFace, system.Window, 96, nearest);
  palette.FaceColor = system.BtnFace;
  palette.LightFaceColor = Mix(system.BtnFace, system.Window, 20, nearest);
  palette.GroupByBoxColor = Mix(system.BtnShadow, system.BtnFace, 50, nearest);
  palette.GripDarkColor = Mix(system.BtnShadow, system.Window, 76, nearest);
  palette.GripLightColor = system.Window;
  palette.HeaderDarkEdgeColor = Mix(system.BtnShadow, system.Window, 70, nearest);
  palette.HeaderLightEdgeColor = kWhite;
  palette.FilterBoxColor = system.BtnShadow;
  palette.FilterBoxTextColor = system.BtnHighlight;
  palette.BorderColor = system.BtnShadow;
  palette.SelectedBorderColor = system.Highlight;
  palette.HotColor1 = nearest(light(-2, 30, 72));
  palette.HotColor2 = palette.HotColor1;
  palette.PressedColor1 = nearest(light(14, 44, 40));
  palette.PressedColor2 = palette.PressedColor1;
  palette.TextColor = system.BtnText;
  palette.DisabledTextColor = system.GrayText;
  palette.GroupColor = system.BtnFace;
  palette.SelectionColor = light(41, 11, 48);
  palette.SchedulerControlColor = system.BtnFace;
  palette.SchedulerBorderColor = system.BtnShadow;
  palette.GroupRowColor = system.BtnFace;
  palette.GroupRowTextColor = system.BtnShadow;
  palette.GroupRowSeparatorColor = system.BtnShadow;
  return palette;
}

TlxRGB lxMixChannels(TlxRGB c1, TlxRGB c2, int32_t percent) {
  return PerChannel([&](auto channel) {
    return lxMulDiv(channel(c1), percent, 100) + lxMulDiv(channel(c2), 100 - percent, 100);
  });
}

TlxRGB lxScaleChannels(TlxRGB color, int32_t percent) {
  return PerChannel([&](auto channel) {
    // Exact integer rounding with halves to even: the quotient and remainder
    // of channel * percent / 100 decide without floating point.
    const int64_t product = int64_t{channel(color)} * percent;
    int64_t quotient = product / 100;
    int64_t remainder = product % 100;
    if (remainder < 0) {
      quotient -= 1;
      remainder += 100;
    }
    if (remainder > 50 || (remainder == 50 && quotient % 2 != 0))
      quotient += 1;
    return static_cast<int32_t>(std::clamp<int64_t>(quotient, 0, 255));
  });
}
