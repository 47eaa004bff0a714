#include "ui/foundation/colors/office11_colors_win.h"

#include <string>

#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

// What exists only while the palette is acquired.
struct PaletteResources {
  PaletteResources() = default;
  PaletteResources(const PaletteResources&) = delete;
  PaletteResources& operator=(const PaletteResources&) = delete;
  ~PaletteResources() { Free(); }

  void Create(const TlxOffice11Palette& palette) {
    grip_dark = CreateSolidBrush(ColorToColorRef(palette.GripDarkColor));
    grip_light = CreateSolidBrush(ColorToColorRef(palette.GripLightColor));
    const HINSTANCE program = GetModuleHandleA(nullptr);
    expand_minus = LoadBitmapA(program, "LXEXPANDBUTTON_MINUS");
    expand_plus = LoadBitmapA(program, "LXEXPANDBUTTON_PLUS");
  }

  void Free() {
    for (HGDIOBJ object : {HGDIOBJ{grip_dark}, HGDIOBJ{grip_light}, HGDIOBJ{expand_minus}, HGDIOBJ{expand_plus}}) {
      if (object != nullptr)
        DeleteObject(object);
    }
    grip_dark = grip_light = nullptr;
    expand_minus = expand_plus = nullptr;
  }

  HBRUSH grip_dark = nullptr;
  HBRUSH grip_light = nullptr;
  HBITMAP expand_minus = nullptr;
  HBITMAP expand_plus = nullptr;
};

struct PaletteState {
  bool computed = false;
  TlxOffice11Scheme scheme = lxOffice11SchemeNone;
  TlxOffice11Palette palette;
  int32_t acquire_count = 0;
  PaletteResources resources;
};

PaletteState& State() {
  static PaletteState state;
  return state;
}

TlxRGB NearestScreenRGB(TlxRGB color) { return lxGetNearestScreenColor(color); }

TlxOffice11SystemColors CurrentSystemColors() {
  TlxOffice11SystemColors system;
  system.BtnFace = ColorToRGB(clBtnFace);
  system.BtnShadow = ColorToRGB(clBtnShadow);
  system.BtnHighlight = ColorToRGB(clBtnHighlight);
  system.BtnText = ColorToRGB(clBtnText);
  system.GrayText = ColorToRGB(clGrayText);
  system.Highlight = ColorToRGB(clHighlight);
  system.Window = ColorToRGB(clWindow);
  return system;
}

}  // namespace

TlxOffice11Scheme lxDetectOffice11Scheme() {
  if (!lxThemesAvailableForTypes({}))
    return lxOffice11SchemeNone;
  std::u16string file_name, color_name, size_name;
  if (FAILED(lxUxGetCurrentThemeName(file_name, color_name, size_name)))
    return lxOffice11SchemeNone;
  return lxOffice11SchemeFromStyleNames(file_name, color_name, lxWindowsMajorVersion());
}

TlxOffice11Scheme lxOffice11CurrentScheme() { return State().scheme; }

bool lxOffice11UsesSchemeColors() {
  return lxThemesAvailableForTypes({}) && State().scheme != lxOffice11SchemeNone;
}

const TlxOffice11Palette& lxOffice11Palette() {
  if (!State().computed)
    lxComputeOffice11Palette();
  return State().palette;
}

void lxComputeOffice11Palette() {
  PaletteState& state = State();
  state.scheme = lxDetectOffice11Scheme();
  std::optional<TlxOffice11Palette> scheme_palette;
  if (lxThemesAvailableForTypes({}))
    scheme_palette = lxOffice11SchemePalette(state.scheme, &NearestScreenRGB);
  state.palette = scheme_palette ? *scheme_palette : lxOffice11SystemPalette(CurrentSystemColors(), &NearestScreenRGB);
  state.computed = true;
}

void lxAcquireOffice11Palette() {
  PaletteState& state = State();
  if (state.acquire_count++ > 0)
    return;
  lxComputeOffice11Palette();
  state.resources.Create(state.palette);
}

void lxReleaseOffice11Palette() {
  PaletteState& state = State();
  if (state.acquire_count == 0)
    return;
  if (--state.acquire_count == 0)
    state.resources.Free();
}

void lxReloadOffice11Palette() {
  PaletteState& state = State();
  lxComputeOffice11Palette();
  if (state.acquire_count == 0)
    return;
  state.resources.Free();
  state.resources.Create(state.palette);
}

int32_t lxOffice11PaletteAcquireCount() { return State().acquire_count; }

HBRUSH lxOffice11GripDarkBrush() { return State().resources.grip_dark; }

HBRUSH lxOffice11GripLightBrush() { return State().resources.grip_light; }

HBITMAP lxOffice11ExpandButtonBitmap(bool expanded) {
  const PaletteResources& resources = State().resources;
  return expanded ? resources.expand_minus : resources.expand_plus;
}

TColor lxMixRGB(TColor c1, TColor c2, int32_t percent) {
  return NearestScreenRGB(lxMixChannels(ColorToRGB(c1), ColorToRGB(c2), percent));
}

TColor lxLightColorFromSystem(int8_t face_percent, int8_t highlight_percent, int8_t window_percent) {
  return lxMixSystemColors(face_percent, highlight_percent, window_percent);
}

TColor lxNearestScreenColor(TColor color) { return lxGetNearestScreenColor(color); }

TColor lxScaleRGB(TColor color, int32_t percent) { return lxScaleChannels(ColorToRGB(color), percent); }
