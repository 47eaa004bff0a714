#pragma once
// The process-wide theme manager: the theme cache over the system's
// visual-styles library, and the hidden window that hears of visual-style
// changes. Everything here starts on first use and runs on the GUI thread.

#include <windows.h>
#include <uxtheme.h>

#include <optional>
#include <string_view>

#include "platform/rtl/object.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/themes/theme_cache.h"
#include "ui/foundation/themes/theme_object_types.h"

// Owns the hidden window that receives WM_THEMECHANGED: on it every cached
// handle is closed, the themes-active flag read again and the listeners
// told. An exception from a listener goes to the application's exception
// handler and ends that round.
class TlxThemeChangedEventReceiver : public TObject {
 public:
  explicit TlxThemeChangedEventReceiver(TlxThemeCache& cache);
  // Visual styles count as off once the receiver is gone.
  ~TlxThemeChangedEventReceiver() override;

  HWND Handle() const { return window_; }

 private:
  void WndProc(TMessage& message);

  TlxThemeCache& cache_;
  HWND window_ = nullptr;
};

// The process's theme cache (listeners join it: TlxThemeChangedNotificator
// notificator(lxThemeManager())).
TlxThemeCache& lxThemeManager();
// The receiver of style changes; null when the library is not loaded.
TlxThemeChangedEventReceiver* lxThemeChangedEventReceiver();

bool lxThemesAvailableForTypes(const TlxThemedObjectTypes& types);
bool lxThemeAvailableFor(TlxThemedObjectType type);
HTHEME lxOpenThemeHandle(TlxThemedObjectType type, std::optional<std::u16string_view> class_list = std::nullopt);
HRESULT lxCloseThemeHandle(TlxThemedObjectType type);
void lxCloseAllThemeHandles();
// Themes available and the current style is one the system ships with.
bool lxIsStockVisualStyle();
