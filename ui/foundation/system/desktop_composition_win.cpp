#include "ui/foundation/system/desktop_composition_win.h"

namespace {

HMODULE g_dwm_library = nullptr;
TlxDwmFunctions g_dwm_functions;

template <typename Function>
void Bind(Function& function, const char* name) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(g_dwm_library, name)));
}

// Composition came with major version 6; GetVersion reports the major
// version in its low byte.
bool SystemMayComposeDesktop() { return LOBYTE(LOWORD(GetVersion())) > 5; }

}  // namespace

void lxInitDwmApi() {
  if (g_dwm_library != nullptr || !SystemMayComposeDesktop())
    return;
  g_dwm_library = LoadLibraryA("dwmapi.dll");
  if (g_dwm_library == nullptr)
    return;
  Bind(g_dwm_functions.DwmDefWindowProc, "DwmDefWindowProc");
  Bind(g_dwm_functions.DwmEnableBlurBehindWindow, "DwmEnableBlurBehindWindow");
  Bind(g_dwm_functions.DwmEnableComposition, "DwmEnableComposition");
  Bind(g_dwm_functions.DwmEnableMMCSS, "DwmEnableMMCSS");
  Bind(g_dwm_functions.DwmExtendFrameIntoClientArea, "DwmExtendFrameIntoClientArea");
  Bind(g_dwm_functions.DwmGetColorizationColor, "DwmGetColorizationColor");
  Bind(g_dwm_functions.DwmGetWindowAttribute, "DwmGetWindowAttribute");
  Bind(g_dwm_functions.DwmIsCompositionEnabled, "DwmIsCompositionEnabled");
  Bind(g_dwm_functions.DwmSetWindowAttribute, "DwmSetWindowAttribute");
}

void lxDoneDwmApi() {
  if (g_dwm_library == nullptr)
    return;
  g_dwm_functions = TlxDwmFunctions{};
  FreeLibrary(g_dwm_library);
  g_dwm_library = nullptr;
}

bool lxDwmApiLoaded() { return g_dwm_library != nullptr; }

const TlxDwmFunctions& lxDwmFunctions() { return g_dwm_functions; }

bool lxIsDesktopCompositionOn() {
  if (g_dwm_library == nullptr || g_dwm_functions.DwmIsCompositionEnabled == nullptr)
    return false;
  BOOL enabled = FALSE;
  if (FAILED(g_dwm_functions.DwmIsCompositionEnabled(&enabled)))
    return false;
  return enabled != FALSE;
}
