#include "ui/foundation/themes/visual_styles_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <bit>
#include <optional>

#include "ui/foundation/themes/theme_object_types.h"

namespace {

// Every export of the visual-styles library the foundation binds, in the
// order it looks them up. Only some are called; the rest are bound so that
// later code can ask for them.
constexpr std::array<std::string_view, 52> kExportNames{
    "CloseThemeData",
    "DrawThemeBackground",
    "DrawThemeEdge",
    "DrawThemeIcon",
    "DrawThemeParentBackground",
    "DrawThemeText",
    "DrawThemeTextEx",
    "EnableThemeDialogTexture",
    "GetCurrentThemeName",
    "GetThemeAppProperties",
    "GetThemeBackgroundContentRect",
    "GetThemeBackgroundRegion",
    "GetThemeBackgroundExtent",
    "GetThemeBool",
    "GetThemeColor",
    "GetThemeDocumentationProperty",
    "GetThemeEnumValue",
    "GetThemeFilename",
    "GetThemeFont",
    "GetThemeInt",
    "GetThemeIntList",
    "GetThemeMargins",
    "GetThemeMetric",
    "GetThemePartSize",
    "GetThemePosition",
    "GetThemePropertyOrigin",
    "GetThemeRect",
    "GetThemeString",
    "GetThemeSysBool",
    "GetThemeSysColor",
    "GetThemeSysColorBrush",
    "GetThemeSysFont",
    "GetThemeSysInt",
    "GetThemeSysSize",
    "GetThemeSysString",
    "GetThemeTextExtent",
    "GetThemeTextMetrics",
    "GetWindowTheme",
    "HitTestThemeBackground",
    "IsAppThemed",
    "IsThemeActive",
    "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent",
    "IsThemeDialogTextureEnabled",
    "OpenThemeData",
    "SetThemeAppProperties",
    "SetWindowTheme",
    "BufferedPaintInit",
    "BufferedPaintUnInit",
    "BeginBufferedPaint",
    "EndBufferedPaint",
    "BufferedPaintSetAlpha",
};

constexpr size_t ExportIndex(std::string_view name) {
  for (size_t index = 0; index < kExportNames.size(); ++index) {
    if (kExportNames[index] == name)
      return index;
  }
  return kExportNames.size();
}

// The loaded library and its bound functions; frees the library at exit.
struct VisualStylesLibrary {
  ~VisualStylesLibrary() {
    if (module != nullptr)
      FreeLibrary(module);
  }

  HMODULE module = nullptr;
  bool xp_or_later = false;
  std::array<FARPROC, kExportNames.size()> functions{};
};

VisualStylesLibrary& Library() {
  static VisualStylesLibrary library;
  return library;
}

// The bound function `name`, typed like the system's declaration; null when
// unbound. Binds the library first when no one has yet.
template <auto& Declaration>
auto Bound(std::string_view name) {
  using Function = decltype(&Declaration);
  lxUxThemeStartup();
  const size_t index = ExportIndex(name);
  if (index >= kExportNames.size())
    return Function{nullptr};
  return std::bit_cast<Function>(Library().functions[index]);
}

std::optional<OSVERSIONINFOA> SystemVersion() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (!GetVersionExA(&version))
    return std::nullopt;
  return version;
}

const WCHAR* WideText(std::u16string_view text) { return reinterpret_cast<const WCHAR*>(text.data()); }

}  // namespace

void lxUxThemeStartup() {
  static const bool started = [] {
    VisualStylesLibrary& library = Library();
    library.xp_or_later = lxDetectXPOrLater();
    InitCommonControls();
    if (library.xp_or_later) {
      library.module = LoadLibraryA("UxTheme.dll");
      if (library.module != nullptr)
        lxUxBindFunctions(library.module);
    }
    return true;
  }();
  (void)started;
}

bool lxUxThemeLibraryLoaded() {
  lxUxThemeStartup();
  return Library().module != nullptr;
}

bool lxRunningOnXPOrLater() {
  lxUxThemeStartup();
  return Library().xp_or_later;
}

bool lxDetectXPOrLater() {
  const std::optional<OSVERSIONINFOA> version = SystemVersion();
  return version && lxIsXPOrLaterVersion(version->dwMajorVersion, version->dwMinorVersion);
}

uint32_t lxWindowsMajorVersion() {
  const std::optional<OSVERSIONINFOA> version = SystemVersion();
  return version ? version->dwMajorVersion : 0;
}

void lxUxBindFunctions(HMODULE library) {
  auto& functions = Library().functions;
  for (size_t index = 0; index < kExportNames.size(); ++index)
    functions[index] = library != nullptr ? GetProcAddress(library, kExportNames[index].data()) : nullptr;
}

bool lxUxFunctionBound(std::string_view export_name) {
  const size_t index = ExportIndex(export_name);
  return index < kExportNames.size() && Library().functions[index] != nullptr;
}

HTHEME lxUxOpenThemeData(HWND window, std::u16string_view class_list) {
  const auto open = Bound<OpenThemeData>("OpenThemeData");
  if (!open)
    return nullptr;
  const std::u16string terminated(class_list);
  return open(window, WideText(terminated));
}

HRESULT lxUxCloseThemeData(HTHEME theme) {
  const auto close = Bound<CloseThemeData>("CloseThemeData");
  return close ? close(theme) : E_NOTIMPL;
}

HRESULT lxUxDrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                const RECT* clip_rect) {
  const auto draw = Bound<DrawThemeBackground>("DrawThemeBackground");
  return draw ? draw(theme, dc, part, state, &rect, clip_rect) : E_NOTIMPL;
}

HRESULT lxUxDrawThemeBackgroundRect(HTHEME theme, HDC dc, int part, int state, const RECT& rect,
                                    const RECT* clip_rect) {
  return lxUxDrawThemeBackground(theme, dc, part, state, rect, clip_rect);
}

HRESULT lxUxDrawThemeText(HTHEME theme, HDC dc, int part, int state, std::u16string_view text, DWORD flags,
                          DWORD flags2, const RECT& rect) {
  const auto draw = Bound<DrawThemeText>("DrawThemeText");
  if (!draw)
    return E_NOTIMPL;
  const std::u16string terminated(text);
  return draw(theme, dc, part, state, WideText(terminated), static_cast<int>(terminated.size()), flags, flags2,
              &rect);
}

HRESULT lxUxDrawThemeTextAnsi(HTHEME theme, HDC dc, int part, int state, std::string_view text, DWORD flags,
                              DWORD flags2, const RECT& rect) {
  std::u16string wide;
  if (!text.empty()) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    wide.resize(static_cast<size_t>(std::max(length, 0)));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), reinterpret_cast<WCHAR*>(wide.data()),
                        length);
  }
  return lxUxDrawThemeText(theme, dc, part, state, wide, flags, flags2, rect);
}

HRESULT lxUxGetThemeBackgroundContentRect(HTHEME theme, HDC dc, int part, int state, const RECT& bounds,
                                          RECT& content) {
  const auto get = Bound<GetThemeBackgroundContentRect>("GetThemeBackgroundContentRect");
  return get ? get(theme, dc, part, state, &bounds, &content) : E_NOTIMPL;
}

HRESULT lxUxGetThemePartSize(HTHEME theme, HDC dc, int part, int state, const RECT* rect, THEMESIZE size_kind,
                             SIZE& size) {
  const auto get = Bound<GetThemePartSize>("GetThemePartSize");
  return get ? get(theme, dc, part, state, const_cast<RECT*>(rect), size_kind, &size) : E_NOTIMPL;
}

HRESULT lxUxGetThemePartSizeNoRect(HTHEME theme, HDC dc, int part, int state, THEMESIZE size_kind, SIZE& size) {
  return lxUxGetThemePartSize(theme, dc, part, state, nullptr, size_kind, size);
}

HRESULT lxUxGetThemeBackgroundRegion(HTHEME theme, HDC dc, int part, int state, const RECT& rect, HRGN& region) {
  const auto get = Bound<GetThemeBackgroundRegion>("GetThemeBackgroundRegion");
  return get ? get(theme, dc, part, state, &rect, &region) : E_NOTIMPL;
}

HRESULT lxUxDrawThemeEdge(HTHEME theme, HDC dc, int part, int state, const RECT& rect, UINT edge, UINT flags,
                          RECT* content) {
  const auto draw = Bound<DrawThemeEdge>("DrawThemeEdge");
  return draw ? draw(theme, dc, part, state, &rect, edge, flags, content) : E_NOTIMPL;
}

bool lxUxIsThemeBackgroundPartiallyTransparent(HTHEME theme, int part, int state) {
  const auto is_transparent = Bound<IsThemeBackgroundPartiallyTransparent>("IsThemeBackgroundPartiallyTransparent");
  return is_transparent && is_transparent(theme, part, state);
}

HRESULT lxUxDrawThemeParentBackground(HWND window, HDC dc, const RECT* rect) {
  const auto draw = Bound<DrawThemeParentBackground>("DrawThemeParentBackground");
  if (!draw)
    return E_NOTIMPL;
  // The parent's painting may select its own font into the DC.
  const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
  const HRESULT result = draw(window, dc, const_cast<RECT*>(rect));
  SelectObject(dc, font);
  return result;
}

HRESULT lxUxGetThemeColor(HTHEME theme, int part, int state, int property, COLORREF& color) {
  const auto get = Bound<GetThemeColor>("GetThemeColor");
  return get ? get(theme, part, state, property, &color) : E_NOTIMPL;
}

bool lxUxIsThemeActive() {
  if (!lxUxThemeLibraryLoaded())
    return false;
  const auto is_active = Bound<IsThemeActive>("IsThemeActive");
  return is_active && is_active();
}

HRESULT lxUxGetCurrentThemeName(std::u16string& file_name, std::u16string& color_name, std::u16string& size_name) {
  const auto get = Bound<GetCurrentThemeName>("GetCurrentThemeName");
  if (!get)
    return E_NOTIMPL;
  constexpr int kNameCapacity = 1024;
  std::array<WCHAR, kNameCapacity> file{};
  std::array<WCHAR, kNameCapacity> color{};
  std::array<WCHAR, kNameCapacity> size{};
  const HRESULT result = get(file.data(), kNameCapacity, color.data(), kNameCapacity, size.data(), kNameCapacity);
  if (FAILED(result))
    return result;
  // The buffers come back terminated; the last element stays 0 regardless.
  file.back() = color.back() = size.back() = 0;
  file_name = reinterpret_cast<const char16_t*>(file.data());
  color_name = reinterpret_cast<const char16_t*>(color.data());
  size_name = reinterpret_cast<const char16_t*>(size.data());
  return result;
}

HPAINTBUFFER lxUxBeginBufferedPaint(HDC target, const RECT& target_rect, BP_BUFFERFORMAT format,
                                    BP_PAINTPARAMS* params, HDC& buffer_dc) {
  buffer_dc = nullptr;
  const auto begin = Bound<BeginBufferedPaint>("BeginBufferedPaint");
  return begin ? begin(target, &target_rect, format, params, &buffer_dc) : nullptr;
}

HRESULT lxUxEndBufferedPaint(HPAINTBUFFER buffer, bool update_target) {
  const auto end = Bound<EndBufferedPaint>("EndBufferedPaint");
  return end ? end(buffer, update_target ? TRUE : FALSE) : E_NOTIMPL;
}

HRESULT lxUxBufferedPaintSetAlpha(HPAINTBUFFER buffer, const RECT* rect, BYTE alpha) {
  const auto set_alpha = Bound<BufferedPaintSetAlpha>("BufferedPaintSetAlpha");
  return set_alpha ? set_alpha(buffer, rect, alpha) : E_NOTIMPL;
}
