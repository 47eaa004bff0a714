#include "ui/foundation/foundation_start_win.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/rtl/scope.h"
#include "ui/foundation/base/library_strings.h"
#include "ui/foundation/base/module_start_count.h"
#include "ui/foundation/bitmaps/image_drawing_win.h"
#include "ui/foundation/controls/library_cursors_win.h"
#include "ui/foundation/controls/settings_controller_win.h"
#include "ui/foundation/geometry/persistent_rect.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/styles/styles_win.h"
#include "ui/foundation/system/desktop_composition_win.h"
#include "ui/foundation/system/message_window_win.h"
#include "ui/foundation/text_layout/text_layout_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

struct FoundationPart {
  std::string_view name;
  void (*start)();
  void (*end)();
};

void Nothing() {}

void StartVisualStyles() {
  lxUxThemeStartup();
  lxThemeManager();
  lxThemeChangedEventReceiver();
}

void BindAlphaBlend() { lxSystemAlphaBlendAvailable(); }

// The controls' part: their cursors, then the shared hidden windows,
// timers and the system controller; the settings controller that the
// controls' scroll bars make on first use goes at the module's end.
void StartControls() {
  lxRegisterLibraryCursors();
  lxStartFoundationModule();
  lxSetSettingsControllerRelease(&lxFreeSettingsController);
}

void EndControls() {
  lxEndFoundationModule();
  lxUnregisterLibraryCursors();
}

// Texts first: every later part may report an error in them. The visual
// styles before the painters that draw with them, the painters' resources
// before the root look-and-feel that chooses among them, the styles and
// text layout on top, the controls last but for desktop composition, which
// nothing below asks for.
constexpr std::array kParts{
    FoundationPart{"LxLibrary", &lxRegisterLibraryStrings, &lxUnregisterLibraryStrings},
    FoundationPart{"visual styles", &StartVisualStyles, &Nothing},
    FoundationPart{"msimg32", &BindAlphaBlend, &Nothing},
    FoundationPart{"TlxRect", &lxRectModuleStart, &lxRectModuleEnd},
    FoundationPart{"painter resources", &lxStartPainterGlyphs, &lxFreePainterGlyphs},
    FoundationPart{"look-and-feel root", &lxStartLookAndFeels, &lxFinishLookAndFeels},
    FoundationPart{"styles", &lxStylesModuleStart, &lxStylesModuleEnd},
    FoundationPart{"text layout", &lxTextLayoutModuleStart, &lxTextLayoutModuleEnd},
    FoundationPart{"controls", &StartControls, &EndControls},
    FoundationPart{"desktop composition", &lxInitDwmApi, &lxDoneDwmApi},
};

TlxModuleStartCount& StartCount() {
  static TlxModuleStartCount count;
  return count;
}

void EndParts(size_t started) {
  while (started > 0)
    kParts[--started].end();
}

void StartParts() {
  size_t started = 0;
  TScopeFail end_started([&] { EndParts(started); });
  for (const FoundationPart& part : kParts) {
    part.start();
    ++started;
  }
}

}  // namespace

void lxStartFoundation() { StartCount().Start(&StartParts); }

void lxEndFoundation() {
  StartCount().End([] { EndParts(kParts.size()); });
}

bool lxFoundationStarted() { return StartCount().Started(); }
